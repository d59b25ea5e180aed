#include "core/platform/AtomicFileWriter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <utility>
#include <vector>

namespace plicora {
namespace {

std::optional<AtomicWriteStep> g_fault;
std::optional<std::uint64_t> g_space;  // bytes left on the test's disk

/// How many of `size` bytes the test's disk still takes (all without it).
std::size_t Room(std::size_t size) {
  if (!g_space) return size;
  const std::size_t room = static_cast<std::size_t>(std::min<std::uint64_t>(*g_space, size));
  *g_space -= room;
  return room;
}

bool FaultAt(AtomicWriteStep step) {
  return g_fault && *g_fault == step;
}

// The reason of the last failure, for callers that name it beside their own
// text (set together with the error text).
thread_local int t_lastErrno = 0;

void SetError(std::string* error, const std::string& what, int err) {
  t_lastErrno = err;
  if (error) *error = what + ": " + std::strerror(err);
}

/// The file that is really replaced: the end of a chain of links.
std::string ResolveTarget(const std::string& path) {
  std::error_code ec;
  if (std::filesystem::is_symlink(std::filesystem::symlink_status(path, ec))) {
    const auto resolved = std::filesystem::weakly_canonical(path, ec);
    if (!ec) return resolved.string();
  }
  return path;
}

mode_t NewFileMode() {
  const mode_t mask = umask(0);
  umask(mask);
  return static_cast<mode_t>(0666 & ~mask);
}

bool WriteAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

/// Makes the rename itself durable; failure here does not undo the write.
void SyncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

void SetAtomicWriteFaultForTesting(std::optional<AtomicWriteStep> step) {
  g_fault = step;
}

void SetAtomicWriteSpaceForTesting(std::optional<std::uint64_t> bytes) {
  g_space = bytes;
}

namespace {

/// The temporary file of a write of `fileName`: hidden, named after the
/// target, with mkstemp's six letters and digits at the end.
std::string TemporaryPrefix(const std::string& fileName) {
  return "." + fileName + ".";
}
constexpr std::size_t kTemporarySuffixLength = 6;
constexpr auto kStaleTemporaryAge = std::chrono::minutes(1);

bool IsTemporaryOf(const std::string& name, const std::string& fileName) {
  const std::string prefix = TemporaryPrefix(fileName);
  if (name.size() != prefix.size() + kTemporarySuffixLength || name.compare(0, prefix.size(), prefix) != 0)
    return false;
  return std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()), name.end(),
                     [](unsigned char c) { return std::isalnum(c) != 0; });
}

/// A temporary file beside the file that is really replaced.
struct TemporaryBeside {
  std::string target;
  std::string folder;
  std::string path;
  int fd = -1;
};

bool CreateTemporaryBeside(const std::string& path, TemporaryBeside& temp, std::string* error) {
  temp.target = ResolveTarget(path);
  const std::filesystem::path targetPath(temp.target);
  temp.folder = targetPath.has_parent_path() ? targetPath.parent_path().string() : std::string(".");

  struct stat old {};
  const bool exists = ::stat(temp.target.c_str(), &old) == 0;
  if (exists && S_ISDIR(old.st_mode)) {
    SetError(error, "cannot replace " + temp.target, EISDIR);
    return false;
  }
  const mode_t mode = exists ? static_cast<mode_t>(old.st_mode & 07777) : NewFileMode();

  std::string pattern =
      temp.folder + "/" + TemporaryPrefix(targetPath.filename().string()) + std::string(kTemporarySuffixLength, 'X');
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  temp.fd = ::mkostemp(name.data(), O_CLOEXEC);
  if (temp.fd < 0) {
    SetError(error, "cannot create a temporary file in " + temp.folder, errno);
    return false;
  }
  temp.path = name.data();
  ::fchmod(temp.fd, mode);
  return true;
}

/// A character device or a pipe cannot be replaced by renaming: it is
/// written as it is (a terminal, /dev/null, a pipe to another program).
bool IsDeviceOrPipe(const std::string& path) {
  struct stat target {};
  return ::stat(path.c_str(), &target) == 0 && (S_ISCHR(target.st_mode) || S_ISFIFO(target.st_mode));
}

}  // namespace

int RemoveStaleTemporaries(const std::string& path) {
  namespace fs = std::filesystem;
  const fs::path target(ResolveTarget(path));
  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
  const std::string fileName = target.filename().string();
  const auto now = fs::file_time_type::clock::now();
  int removed = 0;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code entryError;
    if (!IsTemporaryOf(it->path().filename().string(), fileName) || !it->is_regular_file(entryError)) continue;
    const auto written = it->last_write_time(entryError);
    if (entryError || now - written < kStaleTemporaryAge) continue;
    if (fs::remove(it->path(), entryError)) ++removed;
  }
  return removed;
}

int LastAtomicWriteErrno() {
  return t_lastErrno;
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string* error) {
  AtomicFileStream stream(path);
  stream.Write(bytes);
  return stream.Commit(error);
}

AtomicFileStream::AtomicFileStream(const std::string& path) : path_(path) {
  if (IsDeviceOrPipe(path)) {
    inPlace_ = true;
    fd_ = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd_ < 0) Fail("cannot open " + path, errno);
    return;
  }
  TemporaryBeside temp;
  std::string error;
  if (!CreateTemporaryBeside(path, temp, &error)) {
    failed_ = true;
    error_ = error;
    errno_ = t_lastErrno;
    return;
  }
  target_ = temp.target;
  folder_ = temp.folder;
  temporary_ = temp.path;
  fd_ = temp.fd;
}

AtomicFileStream::~AtomicFileStream() {
  if (fd_ >= 0) ::close(fd_);
  if (!committed_ && !inPlace_ && !temporary_.empty()) ::unlink(temporary_.c_str());
}

bool AtomicFileStream::Fail(const std::string& what, int err) {
  if (!failed_) {
    failed_ = true;
    errno_ = err;
    error_ = what + ": " + std::strerror(err);
  }
  return false;
}

bool AtomicFileStream::Write(std::string_view bytes) {
  if (failed_) return false;
  const std::string& name = inPlace_ ? path_ : temporary_;
  if (!inPlace_ && FaultAt(AtomicWriteStep::Write)) {
    WriteAll(fd_, bytes.data(), bytes.size() / 2);
    return Fail("cannot write " + name, EIO);
  }
  const std::size_t room = inPlace_ ? bytes.size() : Room(bytes.size());
  if (!WriteAll(fd_, bytes.data(), room)) return Fail("cannot write " + name, errno);
  if (room < bytes.size()) return Fail("cannot write " + name, ENOSPC);
  return true;
}

bool AtomicFileStream::WriteAt(std::uint64_t offset, std::string_view bytes) {
  if (failed_) return false;
  if (inPlace_) return Fail("cannot seek in " + path_, ESPIPE);
  if (Room(bytes.size()) < bytes.size()) return Fail("cannot write " + temporary_, ENOSPC);
  while (!bytes.empty()) {
    const ssize_t n = ::pwrite(fd_, bytes.data(), bytes.size(), static_cast<off_t>(offset));
    if (n < 0) {
      if (errno == EINTR) continue;
      return Fail("cannot write " + temporary_, errno);
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
    offset += static_cast<std::uint64_t>(n);
  }
  return true;
}

// Makes the written bytes complete where they are: a device or a pipe is
// closed, a temporary file flushed to disk and closed.
bool AtomicFileStream::Flush() {
  const int fd = std::exchange(fd_, -1);
  if (inPlace_) return ::close(fd) == 0 || Fail("cannot write " + path_, errno);
  int err = 0;
  if (FaultAt(AtomicWriteStep::Sync)) {
    err = EIO;
  } else if (::fsync(fd) != 0) {
    err = errno;
  }
  if (::close(fd) != 0 && err == 0) err = errno;
  if (err != 0) return Fail("cannot write " + temporary_, err);
  return true;
}

// Puts a complete temporary file in the target's place.
bool AtomicFileStream::Rename() {
  if (inPlace_) return true;
  if (FaultAt(AtomicWriteStep::Rename)) return Fail("cannot rename " + temporary_, EIO);
  if (::rename(temporary_.c_str(), target_.c_str()) != 0)
    return Fail("cannot rename " + temporary_ + " to " + target_, errno);
  committed_ = true;
  SyncFolder(folder_);
  return true;
}

bool AtomicFileStream::Report(bool ok, std::string* error) {
  if (ok) return true;
  t_lastErrno = errno_;
  if (error) *error = error_;
  return false;
}

bool AtomicFileStream::Seal(std::string* error) {
  if (!failed_ && !sealed_) sealed_ = Flush();
  return Report(!failed_ && sealed_, error);
}

bool AtomicFileStream::Publish(std::string* error) {
  return Report(!failed_ && sealed_ && (committed_ || Rename()), error);
}

bool AtomicFileStream::Commit(std::string* error) {
  return Seal(error) && Publish(error);
}

}  // namespace plicora
