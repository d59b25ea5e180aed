#pragma once
// The whole content of a file as one read-only block of bytes: mapped into
// memory for regular files, read into a buffer for anything else (pipes).

#include <cstddef>
#include <string>
#include <vector>

namespace plicora {

class FileBytes {
 public:
  FileBytes() = default;
  ~FileBytes();
  FileBytes(const FileBytes&) = delete;
  FileBytes& operator=(const FileBytes&) = delete;

  /// Loads `path`; false when it cannot be opened or read (or is a folder).
  bool Open(const std::string& path);

  const char* data() const { return data_; }
  std::size_t size() const { return size_; }

  /// Hints that the bytes before `position` will not be needed again, so
  /// the memory holding them may be given back. Reading them stays valid.
  void ReleaseBefore(const char* position);

 private:
  void Close();

  const char* data_ = nullptr;
  std::size_t size_ = 0;
  void* mapping_ = nullptr;
  std::size_t released_ = 0;
  std::vector<char> buffer_;
};

}  // namespace plicora
