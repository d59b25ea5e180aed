#include "core/export/EpsWriter.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <vector>

#include "core/development/DevelopmentGeometry.h"
#include "core/export/ExportFile.h"
#include "core/export/FixedPointText.h"
#include "core/model/Units.h"
#include "core/platform/MessageSink.h"

namespace plicora {

namespace {

// Join numbers are turned over with pi cut short after 14 decimals, as
// every file written so far has them; the full value can move last digits.
constexpr double kPi = 3.14159265358979;
constexpr double kDigitWidthPerPoint = 0.02469444444444444;  // 0.7 of the font size, in centimetres per point

/// Truncation toward zero that saturates instead of overflowing.
long long TruncToLong(double value) {
  if (std::isnan(value)) return 0;
  if (value >= 9.2e18) return 9200000000000000000LL;
  if (value <= -9.2e18) return -9200000000000000000LL;
  return static_cast<long long>(value);
}

int TruncToInt(double value) {
  const long long v = TruncToLong(value);
  if (v > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  if (v < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
  return static_cast<int>(v);
}

/// Formats into a large buffer that goes to the file in big blocks. Each
/// number is converted on its own and the words around it are copied.
class BlockWriter {
 public:
  explicit BlockWriter(std::string& sink) : sink_(sink), buffer_(kCapacity) {}
  ~BlockWriter() { Flush(); }
  BlockWriter(const BlockWriter&) = delete;
  BlockWriter& operator=(const BlockWriter&) = delete;

  /// Text without conversions, copied as it is.
  void Text(const char* text) {
    const std::size_t size = std::strlen(text);
    if (kCapacity - used_ < size + kSlack) Flush();
    if (size + kSlack > kCapacity) {
      Write(text, size);
      return;
    }
    std::memcpy(buffer_.data() + used_, text, size);
    used_ += size;
  }

  /// One printf conversion of one value ("%d", "%lld").
  template <typename Value>
  void Number(const char* conversion, Value value) {
    // The slack holds the longest conversion of any double (about 320 characters).
    if (kCapacity - used_ < kSlack) Flush();
    const int n = std::snprintf(buffer_.data() + used_, kCapacity - used_, conversion, value);
    if (n > 0) used_ += static_cast<std::size_t>(n);
  }

  /// The "%f" text of a value.
  void Fixed(double value) {
    if (kCapacity - used_ < kSlack) Flush();
    used_ += FormatFixed6(value, buffer_.data() + used_);
  }

  /// "%f %f" between two words: `before` x y `after`.
  void Pair(const char* before, double x, double y, const char* after) {
    Text(before);
    Fixed(x);
    Text(" ");
    Fixed(y);
    Text(after);
  }

  void Flush() {
    Write(buffer_.data(), used_);
    used_ = 0;
  }

 private:
  static constexpr std::size_t kCapacity = 1 << 20;
  static constexpr std::size_t kSlack = 1024;

  void Write(const char* data, std::size_t size) { sink_.append(data, size); }

  std::string& sink_;
  std::vector<char> buffer_;
  std::size_t used_ = 0;
};

/// The box of everything drawn, in PostScript points.
class DrawnBox {
 public:
  void Add(double x, double y, double margin) {
    minX_ = std::min(minX_, x - margin);
    minY_ = std::min(minY_, y - margin);
    maxX_ = std::max(maxX_, x + margin);
    maxY_ = std::max(maxY_, y + margin);
  }
  bool empty() const { return minX_ > maxX_; }
  /// Whole points holding the box: lower corner rounded down, upper up.
  long long Left() const { return Whole(std::floor(minX_)); }
  long long Bottom() const { return Whole(std::floor(minY_)); }
  long long Right() const { return Whole(std::ceil(maxX_)); }
  long long Top() const { return Whole(std::ceil(maxY_)); }

 private:
  static long long Whole(double v) { return std::isfinite(v) ? static_cast<long long>(std::clamp(v, -2e9, 2e9)) : 0; }
  double minX_ = std::numeric_limits<double>::infinity(), minY_ = minX_;
  double maxX_ = -std::numeric_limits<double>::infinity(), maxY_ = maxX_;
};

// Stroked lines keep PostScript's default width of one point.
constexpr double kHalfLineWidth = 0.5;
constexpr double kMiterLimit = 10.0;  // PostScript's default
// Helvetica's digits: advance 0.556 of the size, ink from -0.02 to 0.71 of it
// (a little more on every side for the fonts that stand in for it).
constexpr double kDigitAdvance = 0.556;
constexpr double kDigitInkBottom = -0.03, kDigitInkTop = 0.72, kDigitInkSide = 0.02;

/// A corner on the paper plane in centimetres: (devPos + part offset) * devScale.
Point2 OnPaper(const HalfEdge& half, const Part& part, double scale) {
  return {(half.devPos.x + part.offsetX) * scale, (half.devPos.y + part.offsetY) * scale};
}

class EpsDocument {
 public:
  EpsDocument(std::FILE* file, const Model& model, const Settings& settings, const EpsOptions& options)
      : file_(file), out_(body_), model_(model), settings_(settings), options_(options), scale_(model.devScale) {}

  bool Write() {
    const DevelopmentBounds box = DevelopmentBoundsOf(model_);
    const long long pw = TruncToInt(box.width * scale_ * kPointsPerCm);
    const int ph = TruncToInt(box.height * scale_ * kPointsPerCm);
    const long long x0 = TruncToInt(box.x * scale_ * kPointsPerCm);
    const long long y0 = TruncToInt(box.y * scale_ * -kPointsPerCm);
    ph_ = ph;
    if (settings_.bDrawFlap) WriteFlaps();
    if (!options_.dontFillSurfaces) WriteFaces();
    WriteLines();
    if (settings_.bDrawNumber) WriteNumbers();
    out_.Flush();
    // The bounding box holds everything drawn; with nothing drawn it is the
    // development's extent.
    std::string header = "%!PS-Adobe-3.0 EPSF-3.0\n%%BoundingBox:";
    if (drawn_.empty()) {
      header +=
          std::to_string(x0) + " " + std::to_string(y0) + " " + std::to_string(x0 + pw) + " " + std::to_string(y0 + ph);
    } else {
      header += std::to_string(drawn_.Left()) + " " + std::to_string(drawn_.Bottom()) + " " +
                std::to_string(drawn_.Right()) + " " + std::to_string(drawn_.Top());
    }
    // Readers that guess a page's orientation from its text (ghostscript
    // turns pages whose numbers run mostly sideways) keep it upright.
    header += "\n%%Orientation: Portrait\n";
    return std::fwrite(header.data(), 1, header.size(), file_) == header.size() &&
           std::fwrite(body_.data(), 1, body_.size(), file_) == body_.size();
  }

 private:
  // Paper centimetres to PostScript points, y turned upward.
  double X(const Point2& p) const { return p.x * kPointsPerCm; }
  double Y(const Point2& p) const { return ph_ - p.y * kPointsPerCm; }

  void WriteFlaps() {
    for (const Part& part : model_.parts) {
      for (const Face* face : part.faces) {
        for (const HalfEdge* h : face->ring) {
          if (h->hasFlap) WriteFlap(*h, part);
        }
      }
    }
  }

  /// The side of h on paper as S -> E; from its end when `endFirst`. False
  /// for a corner that starts no side.
  bool OrientedSide(const HalfEdge& h, const Part& part, bool endFirst, Point2& s, Point2& e) const {
    const HalfEdge* next = SideEnd(h);
    if (!next) return false;
    const Point2 p1 = OnPaper(h, part, scale_);
    const Point2 p2 = OnPaper(*next, part, scale_);
    s = endFirst ? p2 : p1;
    e = endFirst ? p1 : p2;
    return true;
  }

  void WriteFlap(const HalfEdge& h, const Part& part) {
    Point2 s, e;
    // The flap stands on the side (uy, -ux) of the direction S -> E.
    if (!OrientedSide(h, part, model_.mirrored == settings_.bNorishiroReverse, s, e)) return;
    const double dx = e.x - s.x, dy = e.y - s.y;
    const double length = std::sqrt(dx * dx + dy * dy);
    const double lengthPoints = length * kPointsPerCm;
    if (lengthPoints < 0.01) return;
    const double widthPoints = h.flapWidth * kPointsPerCm;
    // The shape is chosen by the lengths in points, as written.
    std::array<Point2, 4> points;
    const int count = FlapOnBase(s, e, length, h.flapWidth, 2 * widthPoints >= lengthPoints, points);
    if (!options_.dontFillFlaps) {
      out_.Text("\nnewpath");
      WritePath(points.data(), count);
      out_.Text("\nclosepath");
      out_.Text("\n1.0 1.0 1.0 setrgbcolor");
      out_.Text("\nfill");
    }
    // The outline stays open: the base is the edge's own line.
    out_.Text("\n0.0 0.0 0.0 setrgbcolor");
    WritePath(points.data(), count);
    out_.Text("\nstroke");
    AddStroke(points.data(), count);
  }

  void WritePath(const Point2* points, int count) {
    out_.Pair("\n", X(points[0]), Y(points[0]), " moveto");
    for (int i = 1; i < count; ++i) out_.Pair("\n", X(points[i]), Y(points[i]), " lineto");
  }

  /// The stroked open outline of a flap: its ends reach half the line width
  /// past the corners, its inner corners as far as their miter.
  void AddStroke(const Point2* points, int count) {
    for (int i = 0; i < count; ++i) {
      double margin = kHalfLineWidth;
      if (i > 0 && i + 1 < count) margin = MiterReach(points[i - 1], points[i], points[i + 1]);
      drawn_.Add(X(points[i]), Y(points[i]), margin);
    }
  }

  static double MiterReach(const Point2& a, const Point2& b, const Point2& c) {
    const double ux = a.x - b.x, uy = a.y - b.y, vx = c.x - b.x, vy = c.y - b.y;
    const double lu = std::hypot(ux, uy), lv = std::hypot(vx, vy);
    if (lu <= 0 || lv <= 0) return kHalfLineWidth;
    const double cosAngle = std::clamp((ux * vx + uy * vy) / (lu * lv), -1.0, 1.0);
    const double sinHalf = std::sqrt((1.0 - cosAngle) / 2.0);
    const double ratio = sinHalf > 0 ? 1.0 / sinHalf : kMiterLimit + 1;
    // Past the miter limit the corner is bevelled.
    return ratio > kMiterLimit ? kHalfLineWidth : kHalfLineWidth * ratio;
  }

  void WriteFaces() {
    for (const Part& part : model_.parts) {
      for (const Face* face : part.faces) {
        out_.Text("\nnewpath");
        bool first = true;
        for (const HalfEdge* h : face->ring) {
          const Point2 p = OnPaper(*h, part, scale_);
          out_.Pair("\n ", X(p), Y(p), first ? " moveto" : " lineto");
          drawn_.Add(X(p), Y(p), 0.0);
          first = false;
        }
        out_.Text("\nclosepath");
        const Material& material = model_.MaterialOf(face->materialIndex);
        if (!settings_.bUseMaterial || material.hasTexture) {
          out_.Text("\n1.0 1.0 1.0 setrgbcolor");
        } else {
          out_.Pair("\n", material.devColor[0], material.devColor[1], " ");
          out_.Fixed(static_cast<double>(material.devColor[2]));
          out_.Text(" setrgbcolor");
        }
        out_.Text("\nfill");
      }
    }
  }

  void WriteLines() {
    out_.Text("\n0.0 0.0 0.0 setrgbcolor");
    DrawnSides drawn;
    for (const Part& part : model_.parts) {
      for (const Face* face : part.faces) {
        for (const HalfEdge* h : face->ring) {
          const HalfEdge* next = SideEnd(*h);
          if (!next) continue;
          const EdgeLineClass lineClass = ClassifyEdgeLine(*h, settings_, drawn);
          if (lineClass == EdgeLineClass::Skip) continue;
          WriteDash(StyleOfLine(lineClass, settings_));
          const Point2 a = OnPaper(*h, part, scale_);
          const Point2 b = OnPaper(*next, part, scale_);
          out_.Pair("\n", X(a), Y(a), " moveto");
          out_.Pair("\n", X(b), Y(b), " lineto");
          out_.Text("\nstroke");
          drawn_.Add(X(a), Y(a), kHalfLineWidth);
          drawn_.Add(X(b), Y(b), kHalfLineWidth);
        }
      }
    }
  }

  void WriteDash(LineStyle style) {
    switch (style) {
      case LineStyle::Solid:
        out_.Text("\n[] 0 setdash");
        break;
      case LineStyle::Dot1:
        out_.Text("\n[3 ] 0 setdash");
        break;
      case LineStyle::Dot2:
        out_.Text("\n[8 4 4 4] 0 setdash");
        break;
      // A line type outside the table: the line is drawn in the dash in force.
      case LineStyle::None:
        break;
    }
  }

  void WriteNumbers() {
    out_.Text("\n[]0 setdash");
    out_.Text("\n0.0 0.0 0.0 setrgbcolor");
    out_.Text("\n/Helvetica findfont");
    out_.Text("\n");
    out_.Number("%d", settings_.iEdgeNumberFontSize);
    out_.Text(" scalefont setfont");
    for (const Part& part : model_.parts) {
      for (const Face* face : part.faces) {
        for (const HalfEdge* h : face->ring) {
          if (h->edge && h->edge->joinNumber != -1) WriteNumber(*h, part, h->edge->joinNumber);
        }
      }
    }
  }

  void WriteNumber(const HalfEdge& h, const Part& part, int number) {
    const HalfEdge* next = SideEnd(h);
    if (!next) return;
    const JoinNumberPlacement place = PlaceJoinNumber(OnPaper(h, part, scale_), OnPaper(*next, part, scale_),
                                                      model_.mirrored, settings_.bEdgeIdReverse);
    // In radians; a side of no length has no direction: its number stays upright.
    const double angle = JoinNumberTurn(place, 1.0, kPi);
    const double cx = place.middle.x * kPointsPerCm;
    const double cy = ph_ - place.middle.y * kPointsPerCm;
    const double digitWidth = kPointsPerCm * settings_.iEdgeNumberFontSize * kDigitWidthPerPoint;
    const int digits = number >= 1 ? static_cast<int>(std::log10(number) + 1) : 1;
    const double ex = -digitWidth * digits / 2;
    const double ey = 0.2 * digitWidth;
    // The number's own frame, kept within the document's coordinates so
    // that it stays on its side wherever the document is placed.
    const double startX = cx + std::cos(angle) * ex - ey * std::sin(angle);
    const double startY = cy + std::sin(angle) * ex + std::cos(angle) * ey;
    out_.Text("\ngsave");
    out_.Pair("\n", startX, startY, " translate");
    out_.Text("\n");
    out_.Fixed(angle * kDegreesPerRadian);
    out_.Text(" rotate\n0 0 moveto\n(");
    out_.Number("%d", number);
    out_.Text(")show\ngrestore");
    AddNumberInk(startX, startY, angle, digits);
  }

  void AddNumberInk(double x, double y, double angle, int digits) {
    const double size = settings_.iEdgeNumberFontSize;
    const double left = -kDigitInkSide * size, right = (kDigitAdvance * digits + kDigitInkSide) * size;
    const double bottom = kDigitInkBottom * size, top = kDigitInkTop * size;
    const double c = std::cos(angle), s = std::sin(angle);
    for (const double u : {left, right}) {
      for (const double v : {bottom, top}) drawn_.Add(x + c * u - s * v, y + s * u + c * v, 0.0);
    }
  }

  std::FILE* file_;
  std::string body_;
  BlockWriter out_;
  DrawnBox drawn_;
  const Model& model_;
  const Settings& settings_;
  const EpsOptions& options_;
  const double scale_;
  int ph_ = 0;
};

}  // namespace

int WriteEps(std::FILE* file, const Model& model, const Settings& settings, const EpsOptions& options) {
  EpsDocument document(file, model, settings, options);
  return document.Write() ? 0 : 1;
}

bool SaveEpsFile(const std::string& path, const Model& model, const Settings& settings, const EpsOptions& options) {
  char* text = nullptr;
  std::size_t size = 0;
  std::FILE* memory = open_memstream(&text, &size);
  if (!memory) {
    ShowMessage(ExportFailureMessage(kCannotWriteToFile, path, errno), MessageKind::Error);
    return false;
  }
  const bool written = WriteEps(memory, model, settings, options) == 0;
  const bool closed = std::fclose(memory) == 0;
  const std::string bytes(text ? text : "", size);
  std::free(text);
  if (!written || !closed) {
    ShowMessage(ExportFailureMessage(kCannotWriteToFile, path, ENOMEM), MessageKind::Error);
    return false;
  }
  return WriteExportFile(path, bytes);
}

std::string EpsTextNotice(const Model& model) {
  return model.texts.empty() ? std::string() : std::string("* Text output is not supported");
}

}  // namespace plicora
