#pragma once
// Which parts of a work file the user has built, kept between sessions: one
// small text file per work file in a folder beside the profile, named after
// the work file's content key (ContentKey.h). A file whose bytes changed has
// another key and so starts without progress; the work file itself is never
// written.
//
// A progress file is three lines:
//   plicora-build-progress 1
//   parts 142
//   built 0 3 17
// ("built" lists part indices, ascending). A file that does not read exactly
// so, or that counts another number of parts, is ignored.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plicora {

/// The folder of progress files for the profile at `profilePath` (a folder
/// "build-progress" beside it); empty when there is no profile.
std::string BuildProgressFolder(const std::string& profilePath);

/// The bytes of a progress file for `built` (one flag per part).
std::string SerializeBuildProgress(const std::vector<char>& built);
/// The flags of a progress file of `parts` parts; nothing when the text is
/// damaged or counts another number of parts.
std::optional<std::vector<char>> ParseBuildProgress(std::string_view text, std::size_t parts);

class BuildProgressStore {
 public:
  /// A store that keeps nothing (no profile, batch commands).
  BuildProgressStore() = default;
  explicit BuildProgressStore(std::string folder) : folder_(std::move(folder)) {}

  bool enabled() const { return !folder_.empty(); }
  const std::string& folder() const { return folder_; }
  /// The progress file of the work file with content key `key`.
  std::string PathOf(std::string_view key) const;

  /// The built flags of the `parts` parts of the work file with `key`: all
  /// false when nothing was kept or the kept file is damaged.
  std::vector<char> Load(std::string_view key, std::size_t parts) const;
  /// Keeps the flags (atomically; with no part built the file is removed).
  /// False, with `error` saying why, when the folder or the file cannot be
  /// written.
  bool Save(std::string_view key, const std::vector<char>& built, std::string* error = nullptr) const;

 private:
  std::string folder_;
};

}  // namespace plicora
