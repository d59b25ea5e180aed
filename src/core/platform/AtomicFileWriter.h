#pragma once
// Replacing a file so that readers see either the old or the new content,
// never a half-written one: the bytes go to a temporary file in the same
// folder, which is flushed to disk and then renamed over the old file.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace plicora {

/// Writes `bytes` to `path` atomically. A symbolic link is followed, so the
/// file it points to is replaced and the link stays. An existing file keeps
/// its permission bits; a new one gets 0666 less the umask. On failure the
/// old file is left untouched, no temporary file remains, `error` (when
/// given) says what went wrong and the result is false. A character device
/// or a pipe is written in place, as it cannot be replaced.
bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string* error = nullptr);

/// The same write with the bytes coming in pieces, each going to the
/// temporary file as it comes, so that a large file is never held whole in
/// memory. The file takes the target's place at Commit; destroyed without a
/// Commit that succeeded, the stream leaves the old file untouched and no
/// temporary file.
class AtomicFileStream {
 public:
  explicit AtomicFileStream(const std::string& path);
  ~AtomicFileStream();
  AtomicFileStream(const AtomicFileStream&) = delete;
  AtomicFileStream& operator=(const AtomicFileStream&) = delete;

  /// False once anything has failed (and for every later piece).
  bool Write(std::string_view bytes);
  /// Writes over bytes already written, from `offset` on (a file's header
  /// known only at its end). Only for a seekable stream.
  bool WriteAt(std::uint64_t offset, std::string_view bytes);
  /// False for a device or a pipe, which is written in place.
  bool seekable() const { return !inPlace_; }
  bool failed() const { return failed_; }
  /// Puts the file in place; on failure (now or earlier) `error` says what
  /// went wrong, as WriteFileAtomically does, and the result is false.
  /// The same as Seal and then Publish.
  bool Commit(std::string* error = nullptr);
  /// The first half of Commit: the temporary file is flushed to disk and
  /// closed, complete but not yet in place, so that several files can all
  /// be made complete before any of them replaces an old one.
  bool Seal(std::string* error = nullptr);
  /// The second half: the sealed file takes the target's name.
  bool Publish(std::string* error = nullptr);

 private:
  bool Fail(const std::string& what, int err);
  bool Report(bool ok, std::string* error);
  bool Flush();
  bool Rename();
  std::string path_, target_, folder_, temporary_;
  int fd_ = -1;
  bool inPlace_ = false;  // a device or a pipe
  bool failed_ = false, sealed_ = false, committed_ = false;
  std::string error_;
  int errno_ = 0;
};

/// Removes what interrupted writes of `path` left beside it: temporary files
/// of this writer's naming (".NAME.XXXXXX") that nothing touched for a
/// minute, so that another process's write in progress is left alone.
/// Returns the number of files removed.
int RemoveStaleTemporaries(const std::string& path);

/// The system's error number of the last failed write on this thread (for a
/// message that names the reason).
int LastAtomicWriteErrno();

/// Steps of an atomic write at which a test can make it fail.
enum class AtomicWriteStep {
  Write,   ///< after half of the bytes reached the temporary file
  Sync,    ///< when the temporary file is flushed to disk
  Rename,  ///< when the temporary file replaces the old one
};

/// Test hook: the next writes fail at `step` as if the system had failed
/// there, until it is set back to nothing.
void SetAtomicWriteFaultForTesting(std::optional<AtomicWriteStep> step);

/// Test hook: a disk that fills up. Once `bytes` more bytes have gone to
/// temporary files (counted over every write from now on), writes fail as
/// on a full disk, until it is set back to nothing.
void SetAtomicWriteSpaceForTesting(std::optional<std::uint64_t> bytes);

}  // namespace plicora
