#pragma once
// A document, a window and the dialog commands without a main frame, with
// scripted answers to questions and a way to act on modal dialogs while
// their event loop runs.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "core/platform/MessageSink.h"
#include "gui/app/DialogCommands.h"
#include "gui/commands/CommandRegistry.h"
#include "gui/commands/FrameServices.h"

namespace plicora::test {

/// Keeps every message and answers questions from a queue (the fallback
/// when it is empty).
class AnsweringSink final : public MessageSink {
 public:
  void Show(std::string_view text, MessageKind) override { messages.emplace_back(text); }
  bool Ask(std::string_view text, bool fallback) override {
    questions.emplace_back(text);
    if (answers.empty()) return fallback;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
  }
  std::vector<std::string> messages;
  std::vector<std::string> questions;
  std::deque<bool> answers;
};

/// Runs `act` on the next modal widget to appear, from inside its event
/// loop. Gives up after about thirty seconds of the event loop running
/// without one, so that a dialog that never appears fails the test instead
/// of blocking it (five seconds were too short for a file dialog on a busy
/// machine: the dialog came late and waited for an answer forever).
inline QPointer<QTimer> OnNextModal(std::function<void(QWidget*)> act) {
  auto* timer = new QTimer;
  auto ticks = std::make_shared<int>(0);
  timer->setInterval(5);
  QObject::connect(timer, &QTimer::timeout, [timer, ticks, act = std::move(act)] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal && ++*ticks < 6000) return;
    timer->stop();
    timer->deleteLater();
    if (modal) act(modal);
  });
  timer->start();
  return timer;
}

struct DialogHarness {
  Settings settings;
  CVorlanDoc doc{settings};
  QWidget window;
  std::vector<std::function<void()>> beforeOpen;
  GlDescription gl{"2.1 Mesa", "Mesa", "llvmpipe", 4096};
  FrameServices services;
  CommandRegistry registry;
  AnsweringSink sink;
  ScopedMessageSink scope{sink};
  std::vector<int> hints;

  DialogHarness() {
    services.window = &window;
    services.doc = &doc;
    services.glDescription = [this] { return gl; };
    services.beforeOpen = &beforeOpen;
    doc.onBeforeOpen = [this] {
      for (const auto& hook : beforeOpen) hook();
    };
    doc.AddView([this](int hint) { hints.push_back(hint); });
    RegisterDialogCommands(registry, services);
  }

  bool Open(const std::string& name) {
    OpenRequest request;
    request.path = FixturePath(name);
    request.interactive = false;
    const bool ok = doc.OpenWorkFile(request).ok();
    hints.clear();
    sink.messages.clear();
    return ok;
  }

  /// Runs command `id` and acts on the dialog it opens.
  void RunWithDialog(int id, const std::function<void(QDialog*)>& act) {
    bool reached = false;
    QPointer<QTimer> waiting = OnNextModal([&](QWidget* modal) {
      reached = true;
      auto* dialog = qobject_cast<QDialog*>(modal);
      ASSERT_NE(dialog, nullptr);
      act(dialog);
      if (dialog->isVisible()) dialog->reject();
    });
    EXPECT_TRUE(registry.Run(id, CommandStateOf(doc)));
    delete waiting.data();
    EXPECT_TRUE(reached) << "command " << id << " showed no dialog";
  }
};

template <typename T>
T* Child(QWidget* dialog, const char* name) {
  T* child = dialog->findChild<T*>(QLatin1String(name));
  EXPECT_NE(child, nullptr) << name;
  return child;
}

}  // namespace plicora::test
