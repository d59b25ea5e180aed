#pragma once
// One place where the program's messages go. The GUI shows them as message
// boxes, the command line prints them on stderr, tests capture them. Notes
// (diagnostic lines such as the mesh topology's warnings) are never shown in
// a window: they are lines on the program's standard output.

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
  virtual bool Ask(std::string_view text, bool fallback) {
    (void)text;
    return fallback;
  }
  /// Asks for confirmation with OK and Cancel; true for OK. Sinks without
  /// buttons of their own answer as Ask does.
  virtual bool Confirm(std::string_view text, bool fallback) { return Ask(text, fallback); }
  /// Writes a note (`line` ends with its line break) to standard output.
  virtual void Note(std::string_view line);
};

/// Prints every message as one line on stderr (and notes on stdout).
class StderrMessageSink final : public MessageSink {
 public:
  void Show(std::string_view text, MessageKind kind) override;
};

/// Keeps every message and note; used by tests.
class CollectingMessageSink final : public MessageSink {
 public:
  void Show(std::string_view text, MessageKind kind) override;
  void Note(std::string_view line) override;
  std::vector<std::string> messages;
  std::vector<std::string> notes;
};

/// The sink in use (stderr until another is installed).
MessageSink& CurrentMessageSink();
/// Installs a sink; null restores the stderr sink. Returns the previous one.
MessageSink* SetMessageSink(MessageSink* sink);

/// Shortcut: CurrentMessageSink().Show(text, kind).
void ShowMessage(std::string_view text, MessageKind kind = MessageKind::Information);
/// A message about a file: the text, then the file's path on a line of its own.
std::string AboutFile(std::string_view text, std::string_view path);
/// Shortcut: CurrentMessageSink().Note(line).
void WriteNote(std::string_view line);

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
