// Reading a bitmap file: the file is mapped read-only and decoded in place.

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/platform/MessageSink.h"
#include "core/texture/ImageFile.h"

namespace plicora {
namespace {

/// A read-only mapping of a whole regular file, released on destruction.
class MappedFile {
 public:
  explicit MappedFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0) {
      void* p = ::mmap(nullptr, static_cast<std::size_t>(st.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
      if (p != MAP_FAILED) {
        data_ = static_cast<const std::uint8_t*>(p);
        size_ = static_cast<std::size_t>(st.st_size);
      }
    }
    ::close(fd);
  }
  ~MappedFile() {
    if (data_) ::munmap(const_cast<std::uint8_t*>(data_), size_);
  }
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;

  bool ok() const { return data_ != nullptr; }
  std::span<const std::uint8_t> bytes() const { return {data_, size_}; }

 private:
  const std::uint8_t* data_ = nullptr;
  std::size_t size_ = 0;
};

}  // namespace

std::unique_ptr<TextureImage> ReadBitmapFile(const std::string& path) {
  const MappedFile file(path);
  if (!file.ok()) {
    ShowMessage("Failed to open DIB file " + path + ".\n", MessageKind::Error);
    return nullptr;
  }
  return DecodeBitmap(file.bytes());
}

}  // namespace plicora
