#pragma once
// The window's message sink: every message is a modal message box over the
// main window.

#include <QPointer>
#include <QWidget>

#include "core/platform/MessageSink.h"

namespace plicora {

class MessageBoxSink final : public MessageSink {
 public:
  explicit MessageBoxSink(QWidget* owner = nullptr) : owner_(owner) {}
  void SetOwner(QWidget* owner) { owner_ = owner; }
  void Show(std::string_view text, MessageKind kind) override;
  bool Ask(std::string_view text, bool fallback) override;
  bool Confirm(std::string_view text, bool fallback) override;

 private:
  QPointer<QWidget> owner_;
};

}  // namespace plicora
