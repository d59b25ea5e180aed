#include "cli/CommandLine.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/export/DevelopmentFileFormat.h"

namespace plicora {
namespace {

using enum BatchCommand;
using Format = DevelopmentFileFormat;

/// The commands an option takes effect with (None: the window), and for
/// --export the output formats; any other use is refused, so that no option
/// is silently ignored.
struct OptionScope {
  const char* option;
  std::vector<BatchCommand> commands;
  std::vector<Format> exportFormats;  ///< empty: every format
  const char* appliesTo;
};

const std::vector<BatchCommand> kSettingsReaders = {None, Info, Pages, Export, Render3d, Thumbnail};

const OptionScope kOptionScopes[] = {
    {"--size", {Export, Render3d}, {Format::Bmp, Format::Png}, "--export to BMP or PNG and to --render-3d"},
    {"--no-fill-faces", {Export}, {Format::Eps}, "--export to EPS"},
    {"--no-fill-flaps", {Export}, {Format::Eps}, "--export to EPS"},
    {"--limit", {DecodeImage}, {}, "--decode-image"},
    {"--rotate", {Render3d}, {}, "--render-3d"},
    {"--zoom", {Render3d}, {}, "--render-3d"},
    {"--set", {Info, Pages, Export, Render3d, Thumbnail}, {}, "--info, --pages, --export, --render-3d and --thumbnail"},
    {"--profile", kSettingsReaders, {}, "the window, --info, --pages, --export, --render-3d and --thumbnail"},
    {"--no-profile", kSettingsReaders, {}, "the window, --info, --pages, --export, --render-3d and --thumbnail"},
};

template <typename T>
bool Contains(const std::vector<T>& list, T value) {
  return std::find(list.begin(), list.end(), value) != list.end();
}

/// The refusal of an option the command would not use, or "".
std::string CheckOptionScope(const std::string& option, const CommandLineOptions& o) {
  for (const OptionScope& scope : kOptionScopes) {
    if (option != scope.option) continue;
    bool applies = Contains(scope.commands, o.command);
    if (applies && o.command == Export && !scope.exportFormats.empty()) {
      // An unknown format is reported by the export itself.
      const Format format = DevelopmentFileFormatOf(o.outputPath);
      applies = format == Format::Unsupported || Contains(scope.exportFormats, format);
    }
    if (!applies) return option + " applies only to " + scope.appliesTo;
  }
  return {};
}

bool ParseSize(const std::string& text, ImageSize& size) {
  const auto x = text.find_first_of("xX");
  if (x == std::string::npos) return false;
  const char* begin = text.data();
  const char* end = begin + text.size();
  auto [p1, e1] = std::from_chars(begin, begin + x, size.width);
  auto [p2, e2] = std::from_chars(begin + x + 1, end, size.height);
  return e1 == std::errc() && e2 == std::errc() && p1 == begin + x && p2 == end;
}

bool ParseDouble(const std::string& text, double& value) {
  if (text.empty()) return false;
  char* end = nullptr;
  value = std::strtod(text.c_str(), &end);
  return end && *end == '\0';
}

bool ParseThumbnailSize(const std::string& text, int& size) {
  auto [p, e] = std::from_chars(text.data(), text.data() + text.size(), size);
  return e == std::errc() && p == text.data() + text.size() && size >= 1 && size <= kLargestThumbnail;
}

bool ParseRotation(const std::string& text, Rotation& rotation) {
  const auto colon = text.find(':');
  if (colon != 1 || (text[0] != 'x' && text[0] != 'y' && text[0] != 'X' && text[0] != 'Y')) return false;
  rotation.axis = static_cast<char>(text[0] | 0x20);
  return ParseDouble(text.substr(2), rotation.degrees);
}

}  // namespace

ParseResult ParseCommandLine(const std::vector<std::string>& args) {
  ParseResult result;
  CommandLineOptions& o = result.options;
  std::vector<std::string> positional;
  std::vector<std::string> scoped;  // options whose command is checked at the end
  auto setCommand = [&](BatchCommand command, const std::string& name) {
    if (o.command != BatchCommand::None && o.command != command) {
      result.error =
          "only one of --info, --pages, --export, --decode-image, --render-3d, --thumbnail may be given (" + name + ")";
      return false;
    }
    o.command = command;
    return true;
  };
  for (std::size_t i = 0; i < args.size() && result.error.empty(); ++i) {
    const std::string& a = args[i];
    auto value = [&](std::string& out) {
      if (i + 1 >= args.size()) {
        result.error = "option " + a + " needs a value";
        return false;
      }
      out = args[++i];
      return true;
    };
    std::string v;
    if (std::any_of(std::begin(kOptionScopes), std::end(kOptionScopes),
                    [&a](const OptionScope& scope) { return a == scope.option; }))
      scoped.push_back(a);
    if (a == "--help" || a == "-h") {
      o.command = BatchCommand::Help;
    } else if (a == "--version") {
      o.command = BatchCommand::Version;
    } else if (a == "--info") {
      setCommand(BatchCommand::Info, a);
    } else if (a == "--pages") {
      setCommand(BatchCommand::Pages, a);
    } else if (a == "--export") {
      if (setCommand(BatchCommand::Export, a) && value(v)) o.outputPath = v;
    } else if (a == "--render-3d") {
      if (setCommand(BatchCommand::Render3d, a) && value(v)) o.outputPath = v;
    } else if (a == "--decode-image") {
      if (setCommand(BatchCommand::DecodeImage, a) && value(v)) {
        o.inputPath = v;
        if (value(v)) o.outputPath = v;
      }
    } else if (a == "--thumbnail") {
      if (setCommand(BatchCommand::Thumbnail, a) && value(v)) {
        if (!ParseThumbnailSize(v, o.thumbnailSize)) {
          result.error =
              "--thumbnail expects a size from 1 to " + std::to_string(kLargestThumbnail) + ", got \"" + v + "\"";
        } else if (value(v)) {
          o.inputPath = v;
          if (value(v)) o.outputPath = v;
        }
      }
    } else if (a == "--data-paths") {
      o.command = BatchCommand::DataPaths;
    } else if (a == "--size") {
      ImageSize size;
      if (value(v) && !ParseSize(v, size)) result.error = "--size expects WxH, got \"" + v + "\"";
      o.size = size;
    } else if (a == "--set") {
      if (!value(v)) break;
      const auto eq = v.find('=');
      if (eq == std::string::npos || eq == 0)
        result.error = "--set expects KEY=VALUE, got \"" + v + "\"";
      else
        o.sets.emplace_back(v.substr(0, eq), v.substr(eq + 1));
    } else if (a == "--profile") {
      if (value(v)) o.profilePath = v;
    } else if (a == "--no-profile") {
      o.noProfile = true;
    } else if (a == "--cutter") {
      o.cutter = true;
    } else if (a == "--pages-out") {
      if (value(v)) o.pagesOut = v;
    } else if (a == "--no-fill-faces") {
      o.noFillFaces = true;
    } else if (a == "--no-fill-flaps") {
      o.noFillFlaps = true;
    } else if (a == "--limit") {
      int n = 0;
      if (value(v)) {
        auto [p, e] = std::from_chars(v.data(), v.data() + v.size(), n);
        if (e != std::errc() || p != v.data() + v.size() || n < 1) result.error = "--limit expects a positive integer";
        o.limit = n;
      }
    } else if (a == "--rotate") {
      Rotation r;
      if (value(v) && !ParseRotation(v, r)) result.error = "--rotate expects x:DEGREES or y:DEGREES, got \"" + v + "\"";
      o.rotations.push_back(r);
    } else if (a == "--zoom") {
      double d = 0;
      if (value(v) && !ParseDouble(v, d)) result.error = "--zoom expects a number";
      o.zoom = d;
    } else if (a.size() > 1 && a[0] == '-' && a[1] == '-') {
      result.error = "unknown option " + a;
    } else {
      positional.push_back(a);
    }
  }
  if (result.error.empty() && (o.cutter || o.pagesOut) && o.command != BatchCommand::Export)
    result.error = std::string(o.cutter ? "--cutter" : "--pages-out") + " needs --export";
  if (!result.error.empty() || o.command == BatchCommand::Help || o.command == BatchCommand::Version) return result;
  for (const std::string& option : scoped) {
    result.error = CheckOptionScope(option, o);
    if (!result.error.empty()) return result;
  }
  if (o.command == BatchCommand::DataPaths) return result;
  if (o.command == BatchCommand::DecodeImage || o.command == BatchCommand::Thumbnail) {
    if (!positional.empty()) result.error = "unexpected argument " + positional.front();
    return result;
  }
  if (positional.size() > 1) {
    result.error = "only one work file may be given";
  } else if (positional.size() == 1) {
    std::string path = positional.front();
    // A path handed over in double quotes loses them.
    if (path.size() >= 2 && path.front() == '"') path = path.substr(1, path.size() - 2);
    o.inputPath = path;
  } else if (o.command != BatchCommand::None) {
    result.error = "a work file is needed";
  }
  return result;
}

std::string UsageText() {
  return R"(Usage: plicora-viewer [FILE.plc]
   or: plicora-viewer --info FILE.plc
   or: plicora-viewer --pages FILE.plc
   or: plicora-viewer --export OUT.{eps,bmp,png,emf,svg,pdf,dxf} FILE.plc [--size WxH]
   or: plicora-viewer --export OUT.svg --cutter FILE.plc
   or: plicora-viewer --export OUT.{pdf,svg} [--cutter] --pages-out DIR FILE.plc
   or: plicora-viewer --decode-image IMAGE OUT.png [--limit N]
   or: plicora-viewer --render-3d OUT.png FILE.plc [--size WxH] [--rotate AXIS:DEGREES]... [--zoom DISTANCE]
   or: plicora-viewer --thumbnail SIZE FILE.plc OUT.png

With a work file alone the window opens. With a batch option the program
works without a window and exits.

Options:
  --info FILE            print the model's counts as one JSON object
  --pages FILE           print the page grid and print order as one JSON object
  --export OUT FILE      export the development; the format follows OUT's extension
  --cutter               --export to SVG: the file for cutting machines, with
                         layers CUT (closed contours), MOUNTAIN, VALLEY, NUMBERS
                         and PRINT
  --pages-out DIR        print and cut: one PDF (or, with --cutter, one cut SVG)
                         per printed sheet in DIR, named after OUT with the
                         sheet's number, with registration marks; OUT itself is
                         not written
  --no-fill-faces        --export to EPS: do not fill surfaces
  --no-fill-flaps        --export to EPS: do not fill flaps
  --size WxH             pixel size of --export to BMP or PNG and of --render-3d
  --decode-image IMG OUT read an image as "Set Texture" would and write the texture as PNG
  --limit N              texture size limit for --decode-image
  --render-3d OUT FILE   render the 3D view after Reset View
  --rotate AXIS:DEG      --render-3d: rotate about the screen's x or y axis
                         (repeatable, in order)
  --zoom DISTANCE        camera distance for --render-3d
  --thumbnail SIZE FILE OUT
                         write a SIZE x SIZE PNG of the model, turned a little
                         and framed to fill the picture, on a transparent
                         background (for file managers; built-in settings
                         unless --profile is given)
  --data-paths           print where the help, the samples and the pick sound
                         were found; exit status 1 when one is missing
  --set KEY=VALUE        override a setting (repeatable), e.g. --set bDrawNumber=1;
                         for --info, --pages, --export, --render-3d, --thumbnail
  --profile PATH         read settings from this profile file (the window and
                         the commands --set applies to)
  --no-profile           use the built-in settings (likewise)
  --help, --version

An option the chosen command would not use is refused (status 2).

Exit status: 0 success, 1 failure, 2 wrong arguments or values,
3 file refused by the version check, 4 file without developed pattern.
)";
}

}  // namespace plicora
