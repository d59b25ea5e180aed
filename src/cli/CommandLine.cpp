#include "cli/CommandLine.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

#include "core/development/RegistrationMarks.h"
#include "core/export/DevelopmentFileFormat.h"

namespace plicora {
namespace {

using enum BatchCommand;
using Format = DevelopmentFileFormat;
using Values = std::vector<std::string>;

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

/// The whole text is one whole number that fits an int.
bool ParseWhole(const std::string& text, int& value) {
  auto [p, e] = std::from_chars(text.data(), text.data() + text.size(), value);
  return e == std::errc() && p == text.data() + text.size();
}

bool ParseThumbnailSize(const std::string& text, int& size) {
  return ParseWhole(text, size) && size >= 1 && size <= kLargestThumbnail;
}

bool ParseRotation(const std::string& text, Rotation& rotation) {
  const auto colon = text.find(':');
  if (colon != 1 || (text[0] != 'x' && text[0] != 'y' && text[0] != 'X' && text[0] != 'Y')) return false;
  rotation.axis = static_cast<char>(text[0] | 0x20);
  return ParseDouble(text.substr(2), rotation.degrees);
}

/// What an option does with its values; returns an error text or "".
using ApplyOption = std::string (*)(CommandLineOptions& o, const Values& v);

/// One option of the command line: how it is written, what it takes, what it
/// does, which commands it takes effect with, and its lines of --help.
struct OptionRow {
  const char* name;
  const char* alias;  ///< a second spelling ("-h"), or null
  int values;         ///< arguments that follow the option
  ApplyOption apply;
  /// A command option: the command it chooses; `exclusive` commands exclude
  /// each other.
  BatchCommand command = None;
  bool exclusive = false;
  /// The commands the option takes effect with (empty: every command), and
  /// for --export the formats (empty: every format); any other use is refused,
  /// so that no option is silently ignored.
  std::vector<BatchCommand> scope = {};
  std::vector<Format> exportFormats = {};
  const char* appliesTo = "";
  bool needsExport = false;
  const char* usage = nullptr;  ///< left column of --help (null: not listed)
  const char* help = "";        ///< right column, "\n" between its lines
};

std::string SetNothing(CommandLineOptions&, const Values&) {
  return {};
}

const std::vector<BatchCommand> kSettingsReaders = {None, Info, Pages, Parts, FindJoin, Export, Render3d, Thumbnail};
const char* const kSettingsReadersText =
    "the window, --info, --pages, --parts, --find-join, --export, --render-3d and --thumbnail";

const OptionRow kOptions[] = {
    {"--info",
     nullptr,
     0,
     SetNothing,
     Info,
     true,
     {},
     {},
     "",
     false,
     "--info FILE",
     "print the model's counts as one JSON object"},
    {"--pages",
     nullptr,
     0,
     SetNothing,
     Pages,
     true,
     {},
     {},
     "",
     false,
     "--pages FILE",
     "print the page grid and print order as one JSON object"},
    {"--parts",
     nullptr,
     0,
     SetNothing,
     Parts,
     true,
     {},
     {},
     "",
     false,
     "--parts FILE",
     "print every part (faces, pages, the parts it is glued to)\nand a build order as one JSON object"},
    {"--find-join",
     nullptr,
     1,
     [](CommandLineOptions& o, const Values& v) {
       return ParseWhole(v[0], o.joinNumber) ? std::string() : "--find-join expects a number, got \"" + v[0] + "\"";
     },
     FindJoin,
     true,
     {},
     {},
     "",
     false,
     "--find-join N FILE",
     "print where both ends of join number N lie (part,\nplace on paper, page) as one JSON object"},
    {"--export",
     nullptr,
     1,
     [](CommandLineOptions& o, const Values& v) {
       o.outputPath = v[0];
       return std::string();
     },
     Export,
     true,
     {},
     {},
     "",
     false,
     "--export OUT FILE",
     "export the development; the format follows OUT's extension"},
    {"--cutter",
     nullptr,
     0,
     [](CommandLineOptions& o, const Values&) {
       o.cutter = true;
       return std::string();
     },
     None,
     false,
     {},
     {},
     "",
     true,
     "--cutter",
     "--export to SVG: the file for cutting machines, with\nlayers CUT (closed contours), MOUNTAIN, VALLEY, NUMBERS\n"
     "and PRINT"},
    {"--pages-out",
     nullptr,
     1,
     [](CommandLineOptions& o, const Values& v) {
       o.pagesOut = v[0];
       return std::string();
     },
     None,
     false,
     {},
     {},
     "",
     true,
     "--pages-out DIR",
     "print and cut: one PDF (or, with --cutter, one cut SVG;\nwith OUT.dxf, one DXF) per printed sheet in DIR, named\n"
     "after OUT with the sheet's number, with registration\nmarks; OUT itself is not written"},
    {"--marks",
     nullptr,
     1,
     [](CommandLineOptions& o, const Values& v) {
       const std::optional<RegistrationPreset> preset = RegistrationPresetNamed(v[0]);
       if (!preset) return "--marks expects corners, frame or none, got \"" + v[0] + "\"";
       o.marks = true;
       o.sets.emplace_back("iRegistrationMarks", std::to_string(static_cast<int>(*preset)));
       return std::string();
     },
     None,
     false,
     {Export},
     {Format::Svg, Format::Pdf, Format::Dxf},
     "--export to SVG, PDF and DXF",
     false,
     "--marks PRESET",
     "--pages-out: the registration marks, corners (default:\na square and two corner angles), frame (a rectangle\n"
     "around the printable area) or none"},
    {"--cut-tolerance",
     nullptr,
     1,
     [](CommandLineOptions& o, const Values& v) {
       double mm = 0.0;
       if (!ParseDouble(v[0], mm) || !(mm >= 0.0) || mm > 10.0)
         return "--cut-tolerance expects millimetres from 0 to 10, got \"" + v[0] + "\"";
       o.sets.emplace_back("iCutToleranceMicrons", std::to_string(static_cast<int>(std::lround(mm * 1000.0))));
       return std::string();
     },
     None,
     false,
     {Export},
     {Format::Svg, Format::Pdf, Format::Dxf},
     "--export to SVG, PDF and DXF",
     false,
     "--cut-tolerance MM",
     "cut files: close gaps and slivers narrower than MM into\nthe outline and merge points this close (default 0.1)"},
    {"--no-fill-faces",
     nullptr,
     0,
     [](CommandLineOptions& o, const Values&) {
       o.noFillFaces = true;
       return std::string();
     },
     None,
     false,
     {Export},
     {Format::Eps},
     "--export to EPS",
     false,
     "--no-fill-faces",
     "--export to EPS: do not fill surfaces"},
    {"--no-fill-flaps",
     nullptr,
     0,
     [](CommandLineOptions& o, const Values&) {
       o.noFillFlaps = true;
       return std::string();
     },
     None,
     false,
     {Export},
     {Format::Eps},
     "--export to EPS",
     false,
     "--no-fill-flaps",
     "--export to EPS: do not fill flaps"},
    {"--size",
     nullptr,
     1,
     [](CommandLineOptions& o, const Values& v) {
       ImageSize size;
       const bool ok = ParseSize(v[0], size);
       o.size = size;
       return ok ? std::string() : "--size expects WxH, got \"" + v[0] + "\"";
     },
     None,
     false,
     {Export, Render3d},
     {Format::Bmp, Format::Png},
     "--export to BMP or PNG and to --render-3d",
     false,
     "--size WxH",
     "pixel size of --export to BMP or PNG and of --render-3d"},
    {"--decode-image",
     nullptr,
     2,
     [](CommandLineOptions& o, const Values& v) {
       o.inputPath = v[0];
       o.outputPath = v[1];
       return std::string();
     },
     DecodeImage,
     true,
     {},
     {},
     "",
     false,
     "--decode-image IMG OUT",
     "read an image as \"Set Texture\" would and write the texture as PNG"},
    {"--limit",
     nullptr,
     1,
     [](CommandLineOptions& o, const Values& v) {
       int n = 0;
       const bool whole = ParseWhole(v[0], n);
       o.limit = n;
       return whole && n >= 1 ? std::string() : "--limit expects a positive integer";
     },
     None,
     false,
     {DecodeImage},
     {},
     "--decode-image",
     false,
     "--limit N",
     "texture size limit for --decode-image"},
    {"--render-3d",
     nullptr,
     1,
     [](CommandLineOptions& o, const Values& v) {
       o.outputPath = v[0];
       return std::string();
     },
     Render3d,
     true,
     {},
     {},
     "",
     false,
     "--render-3d OUT FILE",
     "render the 3D view after Reset View"},
    {"--rotate",
     nullptr,
     1,
     [](CommandLineOptions& o, const Values& v) {
       Rotation r;
       const bool ok = ParseRotation(v[0], r);
       o.rotations.push_back(r);
       return ok ? std::string() : "--rotate expects x:DEGREES or y:DEGREES, got \"" + v[0] + "\"";
     },
     None,
     false,
     {Render3d},
     {},
     "--render-3d",
     false,
     "--rotate AXIS:DEG",
     "--render-3d: rotate about the screen's x or y axis\n(repeatable, in order)"},
    {"--zoom",
     nullptr,
     1,
     [](CommandLineOptions& o, const Values& v) {
       double d = 0;
       const bool ok = ParseDouble(v[0], d);
       o.zoom = d;
       return ok ? std::string() : "--zoom expects a number";
     },
     None,
     false,
     {Render3d},
     {},
     "--render-3d",
     false,
     "--zoom DISTANCE",
     "camera distance for --render-3d"},
    {"--thumbnail",
     nullptr,
     3,
     [](CommandLineOptions& o, const Values& v) {
       if (!ParseThumbnailSize(v[0], o.thumbnailSize))
         return "--thumbnail expects a size from 1 to " + std::to_string(kLargestThumbnail) + ", got \"" + v[0] + "\"";
       o.inputPath = v[1];
       o.outputPath = v[2];
       return std::string();
     },
     Thumbnail,
     true,
     {},
     {},
     "",
     false,
     "--thumbnail SIZE FILE OUT",
     "write a SIZE x SIZE PNG of the model, turned a little\nand framed to fill the picture, on a transparent\n"
     "background (for file managers; built-in settings\nunless --profile is given)"},
    {"--data-paths",
     nullptr,
     0,
     SetNothing,
     DataPaths,
     false,
     {},
     {},
     "",
     false,
     "--data-paths",
     "print where the help, the samples and the pick sound\nwere found; exit status 1 when one is missing"},
    {"--set",
     nullptr,
     1,
     [](CommandLineOptions& o, const Values& v) {
       const auto eq = v[0].find('=');
       if (eq == std::string::npos || eq == 0) return "--set expects KEY=VALUE, got \"" + v[0] + "\"";
       o.sets.emplace_back(v[0].substr(0, eq), v[0].substr(eq + 1));
       return std::string();
     },
     None,
     false,
     {Info, Pages, Parts, FindJoin, Export, Render3d, Thumbnail},
     {},
     "--info, --pages, --parts, --find-join, --export, --render-3d and --thumbnail",
     false,
     "--set KEY=VALUE",
     "override a setting (repeatable), e.g. --set bDrawNumber=1;\nfor --info, --pages, --parts, --find-join, "
     "--export,\n"
     "--render-3d, --thumbnail"},
    {"--profile",
     nullptr,
     1,
     [](CommandLineOptions& o, const Values& v) {
       o.profilePath = v[0];
       return std::string();
     },
     None,
     false,
     kSettingsReaders,
     {},
     kSettingsReadersText,
     false,
     "--profile PATH",
     "read settings from this profile file (the window and\nthe commands --set applies to)"},
    {"--no-profile",
     nullptr,
     0,
     [](CommandLineOptions& o, const Values&) {
       o.noProfile = true;
       return std::string();
     },
     None,
     false,
     kSettingsReaders,
     {},
     kSettingsReadersText,
     false,
     "--no-profile",
     "use the built-in settings (likewise)"},
    {"--help", "-h", 0, SetNothing, Help, false, {}, {}, "", false, "--help, --version", ""},
    {"--version", nullptr, 0, SetNothing, Version, false},
};

/// The lines above the option list of --help.
constexpr const char* kSynopsis[] = {
    "plicora-viewer [FILE.plc]",
    "plicora-viewer --info FILE.plc",
    "plicora-viewer --pages FILE.plc",
    "plicora-viewer --parts FILE.plc",
    "plicora-viewer --find-join N FILE.plc",
    "plicora-viewer --export OUT.{eps,bmp,png,emf,svg,pdf,dxf} FILE.plc [--size WxH]",
    "plicora-viewer --export OUT.svg --cutter FILE.plc",
    "plicora-viewer --export OUT.{pdf,svg,dxf} [--cutter] --pages-out DIR [--marks PRESET] FILE.plc",
    "plicora-viewer --decode-image IMAGE OUT.png [--limit N]",
    "plicora-viewer --render-3d OUT.png FILE.plc [--size WxH] [--rotate AXIS:DEGREES]... [--zoom DISTANCE]",
    "plicora-viewer --thumbnail SIZE FILE.plc OUT.png",
};

const OptionRow* FindOption(const std::string& arg) {
  for (const OptionRow& row : kOptions)
    if (arg == row.name || (row.alias && arg == row.alias)) return &row;
  return nullptr;
}

template <typename T>
bool Contains(const std::vector<T>& list, T value) {
  return std::find(list.begin(), list.end(), value) != list.end();
}

/// The refusal of an option the command would not use, or "".
std::string CheckOptionScope(const OptionRow& row, const CommandLineOptions& o) {
  if (row.scope.empty()) return {};
  bool applies = Contains(row.scope, o.command);
  if (applies && o.command == Export && !row.exportFormats.empty()) {
    // An unknown format is reported by the export itself.
    const Format format = DevelopmentFileFormatOf(o.outputPath);
    applies = format == Format::Unsupported || Contains(row.exportFormats, format);
  }
  return applies ? std::string() : std::string(row.name) + " applies only to " + row.appliesTo;
}

std::string ExclusiveCommandsText() {
  std::string text;
  for (const OptionRow& row : kOptions)
    if (row.exclusive) text += (text.empty() ? "" : ", ") + std::string(row.name);
  return text;
}

/// Chooses the command of `row`; an error when another exclusive one was given.
std::string ChooseCommand(const OptionRow& row, CommandLineOptions& o) {
  if (row.exclusive && o.command != None && o.command != row.command)
    return "only one of " + ExclusiveCommandsText() + " may be given (" + row.name + ")";
  o.command = row.command;
  return {};
}

/// Takes the work file (or refuses extra arguments) once the options are read.
std::string TakePositional(const std::vector<std::string>& positional, CommandLineOptions& o) {
  if (o.command == DataPaths) return {};
  if (o.command == DecodeImage || o.command == Thumbnail)
    return positional.empty() ? std::string() : "unexpected argument " + positional.front();
  if (positional.size() > 1) return "only one work file may be given";
  if (positional.empty()) return o.command != None ? "a work file is needed" : "";
  std::string path = positional.front();
  // A path handed over in double quotes loses them.
  if (path.size() >= 2 && path.front() == '"') path = path.substr(1, path.size() - 2);
  o.inputPath = path;
  return {};
}

}  // namespace

ParseResult ParseCommandLine(const std::vector<std::string>& args) {
  ParseResult result;
  CommandLineOptions& o = result.options;
  std::vector<std::string> positional;
  std::vector<const OptionRow*> given;
  for (std::size_t i = 0; i < args.size() && result.error.empty(); ++i) {
    const std::string& a = args[i];
    const OptionRow* row = FindOption(a);
    if (!row) {
      if (a.size() > 1 && a[0] == '-' && a[1] == '-')
        result.error = "unknown option " + a;
      else
        positional.push_back(a);
      continue;
    }
    given.push_back(row);
    if (row->command != None) result.error = ChooseCommand(*row, o);
    if (!result.error.empty()) break;
    if (i + row->values >= args.size()) {
      result.error = "option " + a + " needs a value";
      break;
    }
    const Values values(args.begin() + i + 1, args.begin() + i + 1 + row->values);
    i += row->values;
    result.error = row->apply(o, values);
  }
  for (const OptionRow* row : given)
    if (result.error.empty() && row->needsExport && o.command != Export)
      result.error = std::string(row->name) + " needs --export";
  if (!result.error.empty() || o.command == Help || o.command == Version) return result;
  for (const OptionRow* row : given) {
    result.error = CheckOptionScope(*row, o);
    if (!result.error.empty()) return result;
  }
  result.error = TakePositional(positional, o);
  return result;
}

std::string UsageText() {
  constexpr std::size_t kColumn = 25;  // where the option texts start
  std::string text;
  for (const char* line : kSynopsis) text += std::string(text.empty() ? "Usage: " : "   or: ") + line + "\n";
  text +=
      "\nWith a work file alone the window opens. With a batch option the program\n"
      "works without a window and exits.\n\nOptions:\n";
  for (const OptionRow& row : kOptions) {
    if (!row.usage) continue;
    std::string left = std::string("  ") + row.usage;
    const std::string help = row.help;
    if (help.empty()) {
      text += left + "\n";
      continue;
    }
    left += left.size() < kColumn ? std::string(kColumn - left.size(), ' ') : "\n" + std::string(kColumn, ' ');
    std::size_t from = 0;
    for (std::size_t br; (br = help.find('\n', from)) != std::string::npos; from = br + 1)
      left += help.substr(from, br - from) + "\n" + std::string(kColumn, ' ');
    text += left + help.substr(from) + "\n";
  }
  text +=
      "\nAn option the chosen command would not use is refused (status 2).\n\n"
      "Exit status: 0 success, 1 failure, 2 wrong arguments or values,\n"
      "3 file refused by the version check, 4 file without developed pattern.\n";
  return text;
}

}  // namespace plicora
