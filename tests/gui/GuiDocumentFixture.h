#pragma once
// Shared by the window tests: a document opened from tests/data, the frame
// services the commands get (no window), messages collected, and a helper
// that inspects the next modal dialog and closes it.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>
#include <functional>
#include <string>

#include "TestSupport.h"
#include "core/development/DevelopmentGeometry.h"
#include "core/document/VorlanDoc.h"
#include "core/platform/MessageSink.h"
#include "core/view3d/ViewShellState.h"
#include "gui/commands/FrameServices.h"

namespace plicora::test {

/// Collects messages and answers every question as told.
/// Answers every question the same way (the dialog tests have their own
/// AnsweringSink with a queue of answers).
class FixedAnswerSink final : public MessageSink {
 public:
  void Show(std::string_view text, MessageKind) override { messages.emplace_back(text); }
  bool Ask(std::string_view text, bool) override {
    questions.emplace_back(text);
    return answer;
  }
  std::vector<std::string> messages;
  std::vector<std::string> questions;
  bool answer = true;
};

class GuiDocumentFixture : public ::testing::Test {
 protected:
  GuiDocumentFixture() : doc(settings), scoped(sink) {
    services.doc = &doc;
    services.cancelPaneMode = [this] {
      ++paneModeCancels;
      doc.CancelDevelopmentMode();
    };
  }
  void Open(const char* name) {
    OpenRequest request;
    request.path = test::FixturePath(name);
    request.interactive = false;
    ASSERT_TRUE(doc.OpenWorkFile(request).ok());
    ASSERT_TRUE(doc.hasDevelopment());
  }
  Model& model() { return *doc.model(); }

  Settings settings;
  CVorlanDoc doc;
  FixedAnswerSink sink;
  ScopedMessageSink scoped;
  FrameServices services;
  int paneModeCancels = 0;
};

/// When the next modal dialog of type T opens, runs `inspect` on it and
/// then closes it with `result` (unless `inspect` closed it already).
template <class T>
void OnNextDialog(std::function<void(T*)> inspect, int result = QDialog::Rejected) {
  auto* timer = new QTimer;
  auto* clock = new QElapsedTimer;
  clock->start();
  QObject::connect(timer, &QTimer::timeout, [timer, clock, inspect, result] {
    auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
    if (!dialog && clock->elapsed() < 10000) return;
    timer->stop();
    timer->deleteLater();
    delete clock;
    if (!dialog) return;
    inspect(dialog);
    if (dialog->isVisible()) static_cast<QDialog*>(dialog)->done(result);
  });
  timer->start(20);
}

}  // namespace plicora::test
