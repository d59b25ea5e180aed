#include "render/export/DxfExport.h"

#include <dl_dxf.h>
#include <dl_writer_ascii.h>
#include <unistd.h>

#include <cerrno>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include "core/export/ExportFile.h"
#include "core/platform/FontFaceNames.h"
#include "core/platform/InstalledFonts.h"
#include "core/platform/MessageSink.h"

namespace plicora {
namespace {

constexpr double kPi = 3.14159265358979323846;
// AutoCAD colour numbers of the layers.
constexpr int kRed = 1, kGreen = 3, kBlue = 5, kBlack = 7;

// DXF text is 8-bit: every character beyond ASCII is written as \U+XXXX,
// line breaks become spaces.
std::string DxfText(const std::string& utf8) {
  std::string out;
  for (std::size_t i = 0; i < utf8.size();) {
    const unsigned char c = static_cast<unsigned char>(utf8[i]);
    const int length = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 1;
    if (length == 1) {
      out += c < 0x20 || c >= 0x80 ? ' ' : static_cast<char>(c);
      ++i;
      continue;
    }
    char32_t code = c & (0x7F >> length);
    for (int k = 1; k < length && i + static_cast<std::size_t>(k) < utf8.size(); ++k)
      code = (code << 6) | (static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(k)]) & 0x3F);
    char escaped[16];
    std::snprintf(escaped, sizeof escaped, code <= 0xFFFF ? "\\U+%04X" : "?", static_cast<unsigned>(code));
    out += escaped;
    i += static_cast<std::size_t>(length);
  }
  return out;
}

// Numbers go out with a decimal point whatever the user's locale says.
class CNumericLocale {
 public:
  CNumericLocale() : saved_(std::setlocale(LC_NUMERIC, nullptr)) { std::setlocale(LC_NUMERIC, "C"); }
  ~CNumericLocale() { std::setlocale(LC_NUMERIC, saved_.c_str()); }
  CNumericLocale(const CNumericLocale&) = delete;
  CNumericLocale& operator=(const CNumericLocale&) = delete;

 private:
  std::string saved_;
};

// The text styles of a sheet: one for each font file its texts are drawn
// with, so that a CAD program shows the characters in the font the program
// itself draws them with. The first is "Standard".
class TextStyles {
 public:
  TextStyles(const std::vector<CutText>& texts, TickCounter* ticks) {
    for (const CutText& text : texts) {
      if (ticks) ticks->Step();
      const std::string file = FontFileNameOf(text.face, text.text);
      styleOf_.push_back(Add(file.empty() ? std::string(kDefaultFont) : file));
    }
    if (files_.empty()) Add(FontFileNameOf(kJoinNumberFaceName, "0"));
  }
  std::size_t size() const { return files_.size(); }
  const std::string& file(std::size_t i) const { return files_[i]; }
  static std::string Name(std::size_t i) { return i == 0 ? "Standard" : "Style" + std::to_string(i + 1); }
  /// The style of the text at index `k` of the sheet's texts.
  std::string NameOfText(std::size_t k) const { return Name(styleOf_[k]); }

 private:
  static constexpr const char* kDefaultFont = "txt";
  std::size_t Add(const std::string& file) {
    for (std::size_t i = 0; i < files_.size(); ++i)
      if (files_[i] == file) return i;
    files_.push_back(file);
    return files_.size() - 1;
  }
  std::vector<std::string> files_;
  std::vector<std::size_t> styleOf_;
};

class DxfSheetWriter {
 public:
  /// `ticks` is stepped as the entities are written; a stop ends the
  /// writing with an unfinished file.
  DxfSheetWriter(DL_Dxf& dxf, DL_WriterA& w, const CutSheet& sheet, TickCounter* ticks)
      : dxf_(dxf), w_(w), sheet_(sheet), ticks_(ticks), styles_(sheet.texts, ticks) {}

  void Write() {
    Header();
    Tables();
    Blocks();
    w_.sectionEntities();
    Entities();
    w_.sectionEnd();
    dxf_.writeObjects(w_);
    dxf_.writeObjectsEnd(w_);
    w_.dxfEOF();
  }

 private:
  // Paper is y down, the drawing y up: the sheet's bottom edge is y = 0.
  double X(const Point2& p) const { return p.x; }
  double Y(const Point2& p) const { return sheet_.heightMm - p.y; }

  void Header() {
    dxf_.writeHeader(w_);
    w_.dxfString(9, "$INSUNITS");
    w_.dxfInt(70, 4);  // millimetres
    w_.dxfString(9, "$MEASUREMENT");
    w_.dxfInt(70, 1);  // metric
    w_.dxfString(9, "$EXTMIN");
    w_.dxfReal(10, 0.0);
    w_.dxfReal(20, 0.0);
    w_.dxfReal(30, 0.0);
    w_.dxfString(9, "$EXTMAX");
    w_.dxfReal(10, sheet_.widthMm);
    w_.dxfReal(20, sheet_.heightMm);
    w_.dxfReal(30, 0.0);
    w_.sectionEnd();
  }

  void Tables() {
    w_.sectionTables();
    dxf_.writeVPort(w_);
    w_.tableLinetypes(3);
    dxf_.writeLinetype(w_, DL_LinetypeData("BYBLOCK", "", 0, 0, 0.0));
    dxf_.writeLinetype(w_, DL_LinetypeData("BYLAYER", "", 0, 0, 0.0));
    dxf_.writeLinetype(w_, DL_LinetypeData("CONTINUOUS", "Solid line", 0, 0, 0.0));
    w_.tableEnd();
    const bool marks = !sheet_.registration.empty();
    w_.tableLayers(marks ? 6 : 5);
    Layer("0", kBlack);
    Layer(kCutLayer, kRed);
    Layer(kMountainLayer, kBlue);
    Layer(kValleyLayer, kGreen);
    Layer(kNumbersLayer, kBlack);
    if (marks) Layer(kRegistrationLayer, kBlack);
    w_.tableEnd();
    w_.tableStyle(static_cast<int>(styles_.size()));
    for (std::size_t i = 0; i < styles_.size(); ++i)
      dxf_.writeStyle(w_, DL_StyleData(TextStyles::Name(i), 0, 0.0, 1.0, 0.0, 0, 2.5, styles_.file(i), ""));
    w_.tableEnd();
    dxf_.writeView(w_);
    dxf_.writeUcs(w_);
    w_.tableAppid(1);
    dxf_.writeAppid(w_, "ACAD");
    w_.tableEnd();
    dxf_.writeDimStyle(w_, 2.5, 0.625, 0.625, 0.625, 2.5);
    dxf_.writeBlockRecord(w_);
    w_.tableEnd();
    w_.sectionEnd();
  }

  void Layer(const std::string& name, int color) {
    dxf_.writeLayer(w_, DL_LayerData(name, 0), DL_Attributes("", color, 0, "CONTINUOUS", 1.0));
  }

  void Blocks() {
    w_.sectionBlocks();
    for (const char* name : {"*Model_Space", "*Paper_Space", "*Paper_Space0"}) {
      dxf_.writeBlock(w_, DL_BlockData(name, 0, 0.0, 0.0, 0.0));
      dxf_.writeEndBlock(w_, name);
    }
    w_.sectionEnd();
  }

  static DL_Attributes On(const char* layer) { return DL_Attributes(layer, 256, 0, "BYLAYER", 1.0); }

  void Entities() {
    for (const CutPath& cut : sheet_.cuts) {
      if (!GoOn()) return;
      // A closed polyline lists each corner once; the flag closes it.
      std::size_t count = cut.points.size();
      if (cut.closed && count > 1) --count;
      if (count < 2) continue;
      dxf_.writePolyline(w_, DL_PolylineData(static_cast<int>(count), 0, 0, cut.closed ? 1 : 0), On(kCutLayer));
      // The outline of a large part alone has hundreds of thousands of corners.
      for (std::size_t k = 0; k < count; ++k) {
        if (!GoOn()) return;
        dxf_.writeVertex(w_, DL_VertexData(X(cut.points[k]), Y(cut.points[k]), 0.0, 0.0));
      }
      dxf_.writePolylineEnd(w_);
    }
    Lines(sheet_.mountains, kMountainLayer);
    Lines(sheet_.valleys, kValleyLayer);
    for (std::size_t k = 0; k < sheet_.texts.size(); ++k) {
      if (!GoOn()) return;
      const CutText& text = sheet_.texts[k];
      // The height of a DXF text is about that of its capitals.
      const double height = 0.7 * text.emMm;
      const double x = X(text.at), y = Y(text.at);
      dxf_.writeText(w_,
                     DL_TextData(x, y, 0.0, x, y, 0.0, height, 1.0, 0, text.centred ? 1 : 0, text.centred ? 2 : 0,
                                 DxfText(text.text), styles_.NameOfText(k), text.angleDegrees * kPi / 180.0),
                     On(kNumbersLayer));
    }
    Marks();
  }

  // Each mark as the closed outlines of its ink; a filled four-cornered
  // mark also as a solid, which readers show filled.
  void Marks() {
    for (const MarkShape& mark : sheet_.registration) {
      for (const std::vector<Point2>& outline : MarkInkOutlines(mark)) {
        if (outline.size() < 3) continue;
        dxf_.writePolyline(w_, DL_PolylineData(static_cast<int>(outline.size()), 0, 0, 1), On(kRegistrationLayer));
        for (const Point2& p : outline) dxf_.writeVertex(w_, DL_VertexData(X(p), Y(p), 0.0, 0.0));
        dxf_.writePolylineEnd(w_);
      }
      if (mark.filled && mark.points.size() == 4) {
        // A solid's third and fourth corners run the other way round.
        const std::vector<Point2>& q = mark.points;
        dxf_.writeSolid(w_,
                        DL_SolidData(X(q[0]), Y(q[0]), 0.0, X(q[1]), Y(q[1]), 0.0, X(q[3]), Y(q[3]), 0.0, X(q[2]),
                                     Y(q[2]), 0.0, 0.0),
                        On(kRegistrationLayer));
      }
    }
  }

  void Lines(const std::vector<CutLine>& lines, const char* layer) {
    for (const CutLine& line : lines)
      if (GoOn()) dxf_.writeLine(w_, DL_LineData(X(line.a), Y(line.a), 0.0, X(line.b), Y(line.b), 0.0), On(layer));
  }

  bool GoOn(int weight = 1) { return !ticks_ || ticks_->Step(weight); }

  DL_Dxf& dxf_;
  DL_WriterA& w_;
  const CutSheet& sheet_;
  TickCounter* ticks_;
  const TextStyles styles_;
};

// dxflib keeps a style's font file only in the style's ACAD extended data
// and leaves its font field (group 3) empty, where CAD readers look for it:
// the file name is copied there.
void FillStyleFontFields(std::string& dxf) {
  const std::string empty = "\n  3\n\n  4\n\n1001\nACAD\n1000\n";
  for (std::size_t at = dxf.find(empty); at != std::string::npos; at = dxf.find(empty, at + 1)) {
    const std::size_t nameAt = at + empty.size();
    const std::size_t end = dxf.find('\n', nameAt);
    if (end == std::string::npos) break;
    dxf.insert(at + 5, dxf.substr(nameAt, end - nameAt));
  }
}

}  // namespace

std::optional<std::string> RenderDxf(const CutSheet& sheet, const WorkTick* tick) {
  // The library writes to a named file only: a private scratch file, read
  // back and removed.
  std::string scratch = (std::filesystem::temp_directory_path() / "plicora-dxf-XXXXXX").string();
  const int fd = mkstemp(scratch.data());
  if (fd < 0) return std::nullopt;
  ::close(fd);
  {
    const CNumericLocale numbers;
    DL_Dxf dxf;
    std::unique_ptr<DL_WriterA> writer(dxf.out(scratch.c_str(), DL_Codes::AC1015));
    if (!writer) {
      std::remove(scratch.c_str());
      return std::nullopt;
    }
    TickCounter ticks(tick);
    DxfSheetWriter(dxf, *writer, sheet, &ticks).Write();
    writer->close();
    if (ticks.stopped()) {
      std::remove(scratch.c_str());
      return std::nullopt;
    }
  }
  std::ifstream in(scratch, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const bool complete = in.good() || in.eof();
  in.close();
  std::remove(scratch.c_str());
  if (!complete) return std::nullopt;
  FillStyleFontFields(bytes);
  return bytes;
}

bool ExportDxf(const Model& model, const Settings& settings, const std::string& path, const WorkTick* tick) {
  const RememberingTick ticks(tick);
  const CutSheet sheet = WholeDevelopmentCutSheet(model, settings, ticks.get());
  if (ticks.stopped()) return false;
  const std::optional<std::string> bytes = RenderDxf(sheet, ticks.get());
  if (ticks.stopped()) return false;
  if (!bytes) {
    ShowMessage(ExportFailureMessage(kCannotWriteToFile, path, errno), MessageKind::Error);
    return false;
  }
  return WriteExportFile(path, *bytes);
}

}  // namespace plicora
