#pragma once
// Replacing a file so that readers see either the old or the new content,
// never a half-written one: the bytes go to a temporary file in the same
// folder, which is flushed to disk and then renamed over the old file.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace plicora {

/// Writes `bytes` to `path` atomically. A symbolic link is followed, so the
/// file it points to is replaced and the link stays. An existing file keeps
/// its permission bits; a new one gets 0666 less the umask. On failure the
/// old file is left untouched, no temporary file remains, `error` (when
/// given) says what went wrong and the result is false.
bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string* error = nullptr);

/// The same for content that a writer produces by path (image and document
/// writers): `write` fills the temporary file it is given and returns
/// whether it succeeded; only then is the file renamed over `path`. On any
/// failure the temporary file is removed and `path` is left untouched.
bool WriteFileThrough(const std::string& path, const std::function<bool(const std::string& temporaryPath)>& write,
                      std::string* error = nullptr);

/// Steps of an atomic write at which a test can make it fail.
enum class AtomicWriteStep {
  Write,   ///< after half of the bytes reached the temporary file
  Sync,    ///< when the temporary file is flushed to disk
  Rename,  ///< when the temporary file replaces the old one
};

/// Test hook: the next writes fail at `step` as if the system had failed
/// there, until it is set back to nothing.
void SetAtomicWriteFaultForTesting(std::optional<AtomicWriteStep> step);

}  // namespace plicora
