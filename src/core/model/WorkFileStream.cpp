#include "core/model/WorkFileStream.h"

namespace plicora {

bool WorkFileStream::ReadLine(std::size_t capacity, std::string_view& line) {
  StopReadingAhead();
  if (failed_ || pos_ == end_) {
    failed_ = true;
    return false;
  }
  const char* start = pos_;
  const std::size_t available = remaining();
  // Work files written on Windows end their lines with CR LF: the CR is part
  // of the line break, not of the field.
  const std::size_t scan = available < capacity + 2 ? available : capacity + 2;
  const void* lf = std::memchr(start, '\n', scan);
  std::size_t length = lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - start) : available;
  const std::size_t consumed = lf ? length + 1 : available;
  if (length > 0 && start[length - 1] == '\r') --length;
  if (length <= capacity && (lf || available <= capacity + 1)) {
    line = std::string_view(start, length);
    pos_ = start + consumed;
    return true;
  }
  // More than `capacity` characters before the line break: they are consumed
  // and the stream fails.
  pos_ = start + capacity;
  failed_ = true;
  return false;
}

void WorkFileStream::SkipComment() {
  StopReadingAhead();
  if (failed_) return;
  const std::size_t scan = remaining() < 512 ? remaining() : 512;
  const void* lf = std::memchr(pos_, '\n', scan);
  pos_ = lf ? static_cast<const char*>(lf) + 1 : pos_ + scan;
}

std::size_t WorkFileStream::ReadBytes(void* target, std::size_t count) {
  StopReadingAhead();
  if (failed_) return 0;
  const std::size_t n = count < remaining() ? count : remaining();
  if (target && n > 0) std::memcpy(target, pos_, n);
  pos_ += n;
  if (n < count) failed_ = true;
  return n;
}

}  // namespace plicora
