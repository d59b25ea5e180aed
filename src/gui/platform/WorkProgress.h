#pragma once
// The progress of a long piece of work on the window's thread: a busy cursor
// from the start, and, once the work has taken a quarter of a second, a
// progress window with a Cancel button that is painted and updated while the
// work goes on. The work reports finished steps (pages, parts) with Reach and
// calls Tick often in between; both answer false once the user cancelled.

#include <QElapsedTimer>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <memory>

#include "core/platform/WorkTick.h"

class QProgressDialog;

namespace plicora {

class WorkProgress {
 public:
  WorkProgress(QWidget* owner, QString label, int steps);
  ~WorkProgress();
  WorkProgress(const WorkProgress&) = delete;
  WorkProgress& operator=(const WorkProgress&) = delete;

  /// `done` of the steps are finished.
  bool Reach(int done);
  /// Work goes on within a step.
  bool Tick();
  /// The share `done` (0 to 1) of the steps is finished.
  bool ReachShare(double done);
  /// A tick for drawing routines that know nothing of windows.
  WorkTick AsTick() {
    return [this] { return Tick(); };
  }
  /// Shows the window at once, for work known to be long before its first
  /// step ends (a large development).
  void ShowNow();
  bool cancelled() const { return cancelled_; }
  /// Whether the progress window was shown.
  bool shown() const { return dialog_ != nullptr; }

  /// How long the work runs before the window shows, and how often the
  /// window is brought up to date (milliseconds).
  static constexpr int kShowAfter = 250;
  static constexpr int kRefreshEvery = 40;
  /// How long a new progress window may take to appear (milliseconds).
  static constexpr int kExposeWait = 200;

 private:
  void Refresh();
  void ShowPainted();

  QWidget* owner_;
  /// The window the user was in, which has the keyboard again afterwards.
  QPointer<QWidget> active_;
  QString label_;
  int steps_;
  int done_ = 0;
  bool cancelled_ = false;
  int showAfter_ = kShowAfter;
  QElapsedTimer clock_;
  QElapsedTimer sinceRefresh_;
  std::unique_ptr<QProgressDialog> dialog_;
};

}  // namespace plicora
