#include "model/WorkFileStream.h"

namespace plicora {

bool WorkFileStream::ReadLine(std::size_t capacity, std::string_view& line) {
  if (failed_ || pos_ == end_) {
    failed_ = true;
    return false;
  }
  const char* start = pos_;
  const std::size_t available = remaining();
  const std::size_t scan = available < capacity + 1 ? available : capacity + 1;
  const void* lf = std::memchr(start, '\n', scan);
  if (lf) {
    const char* at = static_cast<const char*>(lf);
    line = std::string_view(start, static_cast<std::size_t>(at - start));
    pos_ = at + 1;
    return true;
  }
  if (available <= capacity) {  // the file ends inside the line: it still counts
    line = std::string_view(start, available);
    pos_ = end_;
    return true;
  }
  // More than `capacity` characters before the LF: they are consumed and the
  // stream fails.
  pos_ = start + capacity;
  failed_ = true;
  return false;
}

void WorkFileStream::SkipComment() {
  if (failed_) return;
  const std::size_t scan = remaining() < 512 ? remaining() : 512;
  const void* lf = std::memchr(pos_, '\n', scan);
  pos_ = lf ? static_cast<const char*>(lf) + 1 : pos_ + scan;
}

std::size_t WorkFileStream::ReadBytes(void* target, std::size_t count) {
  if (failed_) return 0;
  const std::size_t n = count < remaining() ? count : remaining();
  if (target && n > 0) std::memcpy(target, pos_, n);
  pos_ += n;
  if (n < count) failed_ = true;
  return n;
}

}  // namespace plicora
