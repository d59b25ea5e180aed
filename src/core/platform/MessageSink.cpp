#include "core/platform/MessageSink.h"

#include <cstdio>

namespace plicora {
namespace {
StderrMessageSink gStderrSink;
MessageSink* gSink = &gStderrSink;

void WriteFlushed(std::FILE* stream, std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stream);
  std::fflush(stream);
}

}  // namespace

void MessageSink::Note(std::string_view line) {
  WriteFlushed(stdout, line);
}

void StderrMessageSink::Show(std::string_view text, MessageKind) {
  WriteFlushed(stderr, text.empty() || text.back() != '\n' ? std::string(text) + '\n' : std::string(text));
}

void CollectingMessageSink::Show(std::string_view text, MessageKind) {
  messages.emplace_back(text);
}
void CollectingMessageSink::Note(std::string_view line) {
  notes.emplace_back(line);
}

MessageSink& CurrentMessageSink() {
  return *gSink;
}

MessageSink* SetMessageSink(MessageSink* sink) {
  MessageSink* previous = gSink;
  gSink = sink ? sink : &gStderrSink;
  return previous;
}

void ShowMessage(std::string_view text, MessageKind kind) {
  gSink->Show(text, kind);
}
void WriteNote(std::string_view line) {
  gSink->Note(line);
}

std::string AboutFile(std::string_view text, std::string_view path) {
  std::string message(text);
  message += '\n';
  message += path;
  return message;
}

}  // namespace plicora
