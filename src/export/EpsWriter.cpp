#include "export/EpsWriter.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "development/DevelopmentGeometry.h"
#include "export/FixedPointText.h"
#include "platform/MessageSink.h"

namespace plicora {

namespace {

constexpr double kPointsPerCm = 28.346456692913385;  // 72 / 2.54
constexpr double kPi = 3.14159265358979;
constexpr double kDegreesPerRadian = 57.29577951308239;
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
  explicit BlockWriter(std::FILE* file) : file_(file), buffer_(kCapacity) {}
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

  bool failed() const { return failed_; }

 private:
  static constexpr std::size_t kCapacity = 1 << 20;
  static constexpr std::size_t kSlack = 1024;

  void Write(const char* data, std::size_t size) {
    if (size && std::fwrite(data, 1, size, file_) != size) failed_ = true;
  }

  std::FILE* file_;
  std::vector<char> buffer_;
  std::size_t used_ = 0;
  bool failed_ = false;
};

/// A corner on the paper plane in centimetres: (devPos + part offset) * devScale.
Point2 OnPaper(const HalfEdge& half, const Part& part, double scale) {
  return {(half.devPos.x + part.offsetX) * scale, (half.devPos.y + part.offsetY) * scale};
}

class EpsDocument {
 public:
  EpsDocument(std::FILE* file, const Model& model, const Settings& settings, const EpsOptions& options)
      : out_(file), model_(model), settings_(settings), options_(options), scale_(model.devScale) {}

  bool Write() {
    const DevelopmentBounds box = DevelopmentBoundsOf(model_);
    const long long pw = TruncToInt(box.width * scale_ * kPointsPerCm);
    const int ph = TruncToInt(box.height * scale_ * kPointsPerCm);
    const long long x0 = TruncToInt(box.x * scale_ * kPointsPerCm);
    const long long y0 = TruncToInt(box.y * scale_ * -kPointsPerCm);
    ph_ = ph;
    out_.Text("%!PS-Adobe EPSF-3\n");
    out_.Text("%%BoundingBox:");
    out_.Number("%lld", x0);
    out_.Text(" ");
    out_.Number("%lld", y0);
    out_.Text(" ");
    out_.Number("%lld", x0 + pw);
    out_.Text(" ");
    out_.Number("%lld", y0 + ph);
    out_.Text("\n");
    if (settings_.bDrawFlap) WriteFlaps();
    if (!options_.dontFillSurfaces) WriteFaces();
    WriteLines();
    if (settings_.bDrawNumber) WriteNumbers();
    out_.Flush();
    return !out_.failed();
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
    const double ux = dx / length, uy = dy / length;
    const double w = h.flapWidth;
    Point2 points[4];
    int count;
    if (2 * widthPoints >= lengthPoints) {
      points[0] = s;
      points[1] = {(s.x + e.x) / 2 + w * uy, (s.y + e.y) / 2 + w * -ux};
      points[2] = e;
      count = 3;
    } else {
      // Slanted sides at 45 degrees to the edge.
      points[0] = s;
      points[1] = {s.x + w * (ux + uy), s.y + w * (uy - ux)};
      points[2] = {e.x + w * (-ux + uy), e.y + w * (-uy - ux)};
      points[3] = e;
      count = 4;
    }
    if (!options_.dontFillFlaps) {
      out_.Text("\nnewpath");
      WritePath(points, count);
      out_.Text("\nclosepath");
      out_.Text("\n1.0 1.0 1.0 setrgbcolor");
      out_.Text("\nfill");
    }
    // The outline stays open: the base is the edge's own line.
    out_.Text("\n0.0 0.0 0.0 setrgbcolor");
    WritePath(points, count);
    out_.Text("\nstroke");
  }

  void WritePath(const Point2* points, int count) {
    out_.Pair("\n", X(points[0]), Y(points[0]), " moveto");
    for (int i = 1; i < count; ++i) out_.Pair("\n", X(points[i]), Y(points[i]), " lineto");
  }

  void WriteFaces() {
    for (const Part& part : model_.parts) {
      for (const Face* face : part.faces) {
        out_.Text("\nnewpath");
        bool first = true;
        for (const HalfEdge* h : face->ring) {
          const Point2 p = OnPaper(*h, part, scale_);
          out_.Pair("\n ", X(p), Y(p), first ? " moveto" : " lineto");
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
          WriteDash(LineType(lineClass));
          const Point2 a = OnPaper(*h, part, scale_);
          const Point2 b = OnPaper(*next, part, scale_);
          out_.Pair("\n", X(a), Y(a), " moveto");
          out_.Pair("\n", X(b), Y(b), " lineto");
          out_.Text("\nstroke");
        }
      }
    }
  }

  int LineType(EdgeLineClass lineClass) const {
    switch (lineClass) {
      case EdgeLineClass::ConvexFold: return settings_.iYamaLineType;
      case EdgeLineClass::ConcaveFold: return settings_.iTaniLineType;
      default: return 0;  // a cut line is solid
    }
  }

  void WriteDash(int type) {
    switch (type) {
      case 0: out_.Text("\n[] 0 setdash"); break;
      case 1: out_.Text("\n[3 ] 0 setdash"); break;
      case 2: out_.Text("\n[8 4 4 4] 0 setdash"); break;
      default: break;  // other values keep the dash in force
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
    Point2 s, e;
    if (!OrientedSide(h, part, model_.mirrored == settings_.bEdgeIdReverse, s, e)) return;
    const double dx = e.x - s.x, dy = e.y - s.y;
    const double length = std::sqrt(dx * dx + dy * dy);
    // A side of no length has no direction: its number stays upright.
    double angle = length > 0 ? std::asin(dy / length) : 0.0;
    if (dx > 0) angle = kPi - angle;
    const double cx = (s.x + e.x) / 2 * kPointsPerCm;
    const double cy = ph_ - (s.y + e.y) / 2 * kPointsPerCm;
    const double digitWidth = kPointsPerCm * settings_.iEdgeNumberFontSize * kDigitWidthPerPoint;
    const int digits = number >= 1 ? static_cast<int>(std::log10(number) + 1) : 1;
    const double ex = -digitWidth * digits / 2;
    const double ey = 0.2 * digitWidth;
    out_.Text("\ninitmatrix");
    out_.Pair("\n", cx + std::cos(angle) * ex - ey * std::sin(angle), cy + std::sin(angle) * ex + std::cos(angle) * ey,
              " moveto");
    out_.Text("\n");
    out_.Fixed(angle * kDegreesPerRadian);
    out_.Text(" rotate\n(");
    out_.Number("%d", number);
    out_.Text(")show");
  }

  BlockWriter out_;
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
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) {
    ShowMessage("Cannot write to file", MessageKind::Error);
    return false;
  }
  const bool written = WriteEps(file, model, settings, options) == 0;
  const bool closed = std::fclose(file) == 0;
  if (!written || !closed) {
    ShowMessage("Cannot write to file", MessageKind::Error);
    return false;
  }
  return true;
}

std::string EpsTextNotice(const Model& model) {
  return model.texts.empty() ? std::string() : std::string("* Text output is not supported");
}

}  // namespace plicora
