#include "platform/MessageSink.h"

#include <cstdio>

namespace plicora {
namespace {
StderrMessageSink gStderrSink;
MessageSink* gSink = &gStderrSink;
}  // namespace

void StderrMessageSink::Show(std::string_view text, MessageKind) {
  std::fwrite(text.data(), 1, text.size(), stderr);
  if (text.empty() || text.back() != '\n') std::fputc('\n', stderr);
  std::fflush(stderr);
}

void CollectingMessageSink::Show(std::string_view text, MessageKind) { messages.emplace_back(text); }

MessageSink& CurrentMessageSink() { return *gSink; }

MessageSink* SetMessageSink(MessageSink* sink) {
  MessageSink* previous = gSink;
  gSink = sink ? sink : &gStderrSink;
  return previous;
}

void ShowMessage(std::string_view text, MessageKind kind) { gSink->Show(text, kind); }

}  // namespace plicora
