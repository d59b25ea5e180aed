#include "gui/platform/WorkProgress.h"

#include <QApplication>
#include <QProgressDialog>
#include <QThread>
#include <QWindow>
#include <algorithm>

namespace plicora {

WorkProgress::WorkProgress(QWidget* owner, QString label, int steps)
    : owner_(owner), active_(QApplication::activeWindow()), label_(std::move(label)), steps_(steps) {
  QApplication::setOverrideCursor(Qt::BusyCursor);
  // The dialog that asked for the work leaves the screen before it starts.
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  clock_.start();
  sinceRefresh_.start();
}

WorkProgress::~WorkProgress() {
  const bool hadKeyboard = dialog_ && dialog_->isActiveWindow();
  dialog_.reset();
  // Not every window system gives the keyboard back to the window the
  // progress window covered: without this, shortcuts went nowhere.
  if (hadKeyboard && active_ && active_->isVisible()) active_->activateWindow();
  QApplication::restoreOverrideCursor();
}

bool WorkProgress::Reach(int done) {
  done_ = done;
  if (dialog_) dialog_->setValue(std::min(done_, steps_));
  return Tick();
}

bool WorkProgress::ReachShare(double done) {
  return Reach(static_cast<int>(std::clamp(done, 0.0, 1.0) * steps_));
}

bool WorkProgress::Tick() {
  if (cancelled_) return false;
  if (sinceRefresh_.elapsed() >= kRefreshEvery) Refresh();
  return !cancelled_;
}

void WorkProgress::ShowPainted() {
  // A new window is mapped and exposed by the window system a little later;
  // waiting for that here paints it before the work goes on.
  QElapsedTimer waited;
  waited.start();
  while (waited.elapsed() < kExposeWait) {
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    const QWindow* window = dialog_->windowHandle();
    if (window && window->isExposed()) break;
    QThread::msleep(5);
  }
  dialog_->repaint();
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void WorkProgress::ShowNow() {
  showAfter_ = 0;
  Refresh();
}

void WorkProgress::Refresh() {
  sinceRefresh_.restart();
  if (!dialog_) {
    if (clock_.elapsed() < showAfter_) {
      // Repaints only: no click may start other work in the middle of this.
      QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
      return;
    }
    dialog_ = std::make_unique<QProgressDialog>(label_, QStringLiteral("Cancel"), 0, steps_, owner_);
    dialog_->setWindowModality(Qt::ApplicationModal);
    dialog_->setAutoClose(false);
    dialog_->setAutoReset(false);
    dialog_->setMinimumDuration(0);
    dialog_->setValue(std::min(done_, steps_));
    dialog_->show();
    ShowPainted();
  }
  // The progress window is modal: only its Cancel button takes input.
  QApplication::processEvents();
  if (dialog_->wasCanceled()) cancelled_ = true;
}

}  // namespace plicora
