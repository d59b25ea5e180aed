#pragma once
// One place where the program's messages go. The GUI shows them as message
// boxes, the command line prints them on stderr, tests capture them.

#include <string>
#include <string_view>
#include <vector>

namespace plicora {

enum class MessageKind { Information, Warning, Error };

class MessageSink {
 public:
  virtual ~MessageSink() = default;
  /// Shows a message with an OK button.
  virtual void Show(std::string_view text, MessageKind kind) = 0;
  /// Asks a question; true for OK/Yes. Non-interactive sinks answer `fallback`.
  virtual bool Ask(std::string_view text, bool fallback) { (void)text; return fallback; }
  /// Asks for confirmation with OK and Cancel; true for OK. Sinks without
  /// buttons of their own answer as Ask does.
  virtual bool Confirm(std::string_view text, bool fallback) { return Ask(text, fallback); }
};

/// Prints every message as one line on stderr.
class StderrMessageSink final : public MessageSink {
 public:
  void Show(std::string_view text, MessageKind kind) override;
};

/// Keeps every message; used by tests.
class CollectingMessageSink final : public MessageSink {
 public:
  void Show(std::string_view text, MessageKind kind) override;
  std::vector<std::string> messages;
};

/// The sink in use (stderr until another is installed).
MessageSink& CurrentMessageSink();
/// Installs a sink; null restores the stderr sink. Returns the previous one.
MessageSink* SetMessageSink(MessageSink* sink);

/// Shortcut: CurrentMessageSink().Show(text, kind).
void ShowMessage(std::string_view text, MessageKind kind = MessageKind::Information);

/// Installs a sink for the lifetime of the object (tests, batch commands).
class ScopedMessageSink {
 public:
  explicit ScopedMessageSink(MessageSink& sink) : previous_(SetMessageSink(&sink)) {}
  ~ScopedMessageSink() { SetMessageSink(previous_); }
  ScopedMessageSink(const ScopedMessageSink&) = delete;
  ScopedMessageSink& operator=(const ScopedMessageSink&) = delete;

 private:
  MessageSink* previous_;
};

}  // namespace plicora
