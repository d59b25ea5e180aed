#pragma once
// Parsing of the program's arguments. With a file alone the window opens;
// with a batch option the program works headless and exits.

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace plicora {

enum class BatchCommand {
  None,
  Help,
  Version,
  Info,
  Pages,
  Parts,
  FindJoin,
  Export,
  DecodeImage,
  Render3d,
  Thumbnail,
  DataPaths
};

/// The largest side of a --thumbnail picture.
inline constexpr int kLargestThumbnail = 4096;

struct ImageSize {
  int width = 0;
  int height = 0;
};

struct Rotation {
  char axis = 'x';  ///< 'x' or 'y': the screen axis
  double degrees = 0.0;
};

struct CommandLineOptions {
  BatchCommand command = BatchCommand::None;
  std::string inputPath;                                  ///< work file (or image for --decode-image)
  std::string outputPath;                                 ///< --export, --decode-image, --render-3d, --thumbnail: OUT
  std::optional<ImageSize> size;                          ///< --size WxH
  std::vector<std::pair<std::string, std::string>> sets;  ///< --set KEY=VALUE, in order
  std::optional<std::string> profilePath;                 ///< --profile PATH
  bool noProfile = false;                                 ///< --no-profile
  bool noFillFaces = false;                               ///< --no-fill-faces
  bool noFillFlaps = false;                               ///< --no-fill-flaps
  std::optional<int> limit;                               ///< --limit N
  std::vector<Rotation> rotations;                        ///< --rotate AXIS:DEGREES
  std::optional<double> zoom;                             ///< --zoom DISTANCE
  int thumbnailSize = 0;                                  ///< --thumbnail SIZE
  bool cutter = false;                                    ///< --cutter: the SVG for cutting machines
  std::optional<std::string> pagesOut;                    ///< --pages-out DIR: one file per printed sheet
  bool marks = false;                                     ///< --marks PRESET was given
  int joinNumber = 0;                                     ///< --find-join N
};

struct ParseResult {
  CommandLineOptions options;
  std::string error;  ///< non-empty when the arguments are wrong
};

ParseResult ParseCommandLine(const std::vector<std::string>& args);

/// Text printed by --help.
std::string UsageText();

/// Exit statuses of batch runs.
enum ExitStatus {
  kExitOk = 0,
  kExitFailed = 1,         ///< the file could not be read / the operation failed
  kExitUsage = 2,          ///< wrong arguments or values
  kExitRefused = 3,        ///< the version check refused the file
  kExitNoDevelopment = 4,  ///< the file has no developed pattern
};

}  // namespace plicora
