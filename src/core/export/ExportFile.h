#pragma once
// The one way every export reaches the disk: the finished bytes go to a
// temporary file beside the target, which takes the target's name only when
// it is complete. A failed export leaves an existing file untouched and no
// temporary file behind, and a target that is a link to the work file
// replaces the link, not the work file.

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace plicora {

class AtomicFileStream;

/// What every export says when its file cannot be written.
inline constexpr std::string_view kCannotWriteToFile = "Cannot write to file";

/// Writes `bytes` to `path`. On failure shows `failureText` followed by the
/// path and the system's reason (missing folder, permission, disk full) and
/// returns false.
bool WriteExportFile(const std::string& path, std::string_view bytes,
                     std::string_view failureText = kCannotWriteToFile);

/// Puts a file written piece by piece in place (AtomicFileStream::Commit);
/// on failure shows the message WriteExportFile shows and returns false.
bool FinishExportFile(AtomicFileStream& stream, const std::string& path,
                      std::string_view failureText = kCannotWriteToFile);

/// A set of files that belong together (the sheets of one print run): each
/// is written complete to a temporary file beside its target, and only when
/// every one is complete do they all take their names. A failure leaves
/// every old file as it was and no temporary file behind.
class ExportFileSet {
 public:
  ExportFileSet();
  ~ExportFileSet();
  ExportFileSet(const ExportFileSet&) = delete;
  ExportFileSet& operator=(const ExportFileSet&) = delete;

  /// Writes `bytes` for `path`, complete but not yet in place. On failure
  /// shows the message WriteExportFile shows and returns false.
  bool Add(const std::string& path, std::string_view bytes);
  /// Puts every file added in place; on failure shows the message and
  /// returns false.
  bool Publish();

 private:
  std::vector<std::pair<std::string, std::unique_ptr<AtomicFileStream>>> files_;
};

/// What an export that ran out of memory shows: "Cannot write to file", the
/// path and the system's reason for a failed allocation. Returns false.
bool ReportExportOutOfMemory(const std::string& path);

/// The failure message: `text`, then on its own line the path and the reason.
std::string ExportFailureMessage(std::string_view text, const std::string& path, int errorNumber);

}  // namespace plicora
