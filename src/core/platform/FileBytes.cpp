#include "core/platform/FileBytes.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace plicora {
namespace {

/// Memory is given back in steps of this many bytes.
constexpr std::size_t kReleaseStep = std::size_t{64} << 20;

bool ReadAll(int fd, std::vector<char>& out) {
  char chunk[1 << 16];
  for (;;) {
    const ssize_t n = ::read(fd, chunk, sizeof chunk);
    if (n == 0) return true;
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    out.insert(out.end(), chunk, chunk + n);
  }
}

}  // namespace

FileBytes::~FileBytes() {
  Close();
}

void FileBytes::Close() {
  if (mapping_) ::munmap(mapping_, size_);
  mapping_ = nullptr;
  data_ = nullptr;
  size_ = 0;
  released_ = 0;
  buffer_.clear();
}

bool FileBytes::Open(const std::string& path) {
  Close();
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat info {};
  bool ok = ::fstat(fd, &info) == 0 && !S_ISDIR(info.st_mode);
  if (ok && S_ISREG(info.st_mode) && info.st_size > 0) {
    void* map = ::mmap(nullptr, static_cast<std::size_t>(info.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
    if (map != MAP_FAILED) {
      mapping_ = map;
      size_ = static_cast<std::size_t>(info.st_size);
      data_ = static_cast<const char*>(map);
      ::madvise(map, size_, MADV_SEQUENTIAL);
      ::close(fd);
      return true;
    }
  }
  if (ok) ok = ReadAll(fd, buffer_);
  ::close(fd);
  if (!ok) {
    buffer_.clear();
    return false;
  }
  data_ = buffer_.data();
  size_ = buffer_.size();
  return true;
}

void FileBytes::ReleaseBefore(const char* position) {
  if (!mapping_ || position < data_) return;
  const std::size_t offset = static_cast<std::size_t>(position - data_);
  if (offset < released_ + kReleaseStep) return;
  const std::size_t page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
  const std::size_t end = offset / page * page;
  // A private read-only mapping of a file: dropped pages are read again from
  // the file if they are ever touched.
  ::madvise(static_cast<char*>(mapping_) + released_, end - released_, MADV_DONTNEED);
  released_ = end;
}

}  // namespace plicora
