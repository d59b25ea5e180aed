#include "platform/AtomicFileWriter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <vector>

namespace plicora {
namespace {

std::optional<AtomicWriteStep> g_fault;

bool FaultAt(AtomicWriteStep step) {
  return g_fault && *g_fault == step;
}

void SetError(std::string* error, const std::string& what, int err) {
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

/// Fills the temporary file; false with errno set (EIO for a test fault).
bool FillTemporary(int fd, std::string_view bytes) {
  if (FaultAt(AtomicWriteStep::Write)) {
    WriteAll(fd, bytes.data(), bytes.size() / 2);
    errno = EIO;
    return false;
  }
  if (!WriteAll(fd, bytes.data(), bytes.size())) return false;
  if (FaultAt(AtomicWriteStep::Sync)) {
    errno = EIO;
    return false;
  }
  return ::fsync(fd) == 0;
}

}  // namespace

void SetAtomicWriteFaultForTesting(std::optional<AtomicWriteStep> step) {
  g_fault = step;
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string* error) {
  const std::string target = ResolveTarget(path);
  const std::filesystem::path targetPath(target);
  const std::string folder = targetPath.has_parent_path() ? targetPath.parent_path().string() : std::string(".");

  struct stat old {};
  const bool exists = ::stat(target.c_str(), &old) == 0;
  if (exists && !S_ISREG(old.st_mode)) {
    SetError(error, "cannot replace " + target, EISDIR);
    return false;
  }
  const mode_t mode = exists ? static_cast<mode_t>(old.st_mode & 07777) : NewFileMode();

  std::string pattern = folder + "/." + targetPath.filename().string() + ".XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  const int fd = ::mkostemp(name.data(), O_CLOEXEC);
  if (fd < 0) {
    SetError(error, "cannot create a temporary file in " + folder, errno);
    return false;
  }
  const std::string temp(name.data());
  auto fail = [&](const std::string& what, int err) {
    ::unlink(temp.c_str());
    SetError(error, what, err);
    return false;
  };

  ::fchmod(fd, mode);
  if (!FillTemporary(fd, bytes)) {
    const int err = errno;
    ::close(fd);
    return fail("cannot write " + temp, err);
  }
  if (::close(fd) != 0) return fail("cannot write " + temp, errno);
  if (FaultAt(AtomicWriteStep::Rename)) return fail("cannot rename " + temp, EIO);
  if (::rename(temp.c_str(), target.c_str()) != 0) return fail("cannot rename " + temp + " to " + target, errno);
  SyncFolder(folder);
  return true;
}

}  // namespace plicora
