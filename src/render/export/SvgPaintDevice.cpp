#include "render/export/SvgPaintDevice.h"

#include <QBuffer>
#include <QImage>
#include <QPaintEngine>
#include <QPainterPath>
#include <QPixmap>
#include <QTextItem>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "core/export/FixedPointText.h"
#include "core/model/Units.h"

namespace plicora {

namespace {

// Bytes gathered before they go to the output device.
constexpr std::size_t kFlushBytes = 1 << 20;

std::string ColorText(const QColor& color) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", color.red(), color.green(), color.blue());
  return text;
}

std::string Escaped(const QString& text) {
  return text.toHtmlEscaped().toStdString();
}

}  // namespace

class SvgPaintEngine : public QPaintEngine {
 public:
  explicit SvgPaintEngine(SvgPaintDevice& device) : QPaintEngine(AllFeatures), device_(device) {}

  bool begin(QPaintDevice*) override {
    buffer_.clear();
    failed_ = false;
    const double wmm = device_.size_.width() * kMmPerInch / device_.resolution_;
    const double hmm = device_.size_.height() * kMmPerInch / device_.resolution_;
    const QRect& box = device_.viewBox_;
    buffer_ += "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n<svg";
    buffer_ += " width=\"" + QString::number(wmm).toStdString() + "mm\" height=\"" +
               QString::number(hmm).toStdString() + "mm\"\n";
    buffer_ += " viewBox=\"" + std::to_string(box.left()) + ' ' + std::to_string(box.top()) + ' ' +
               std::to_string(box.width()) + ' ' + std::to_string(box.height()) + "\"\n";
    buffer_ +=
        " xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" version=\"1.2\" "
        "baseProfile=\"tiny\">\n";
    if (!device_.title_.isEmpty()) buffer_ += "<title>" + device_.title_.toStdString() + "</title>\n";
    setActive(true);
    return true;
  }

  // Also called by a painter that is destroyed while a failed allocation
  // unwinds the drawing, so it throws nothing itself.
  bool end() override {
    try {
      buffer_ += "</svg>\n";
      Flush();
    } catch (...) {
      failed_ = true;
    }
    setActive(false);
    return !failed_;
  }

  void updateState(const QPaintEngineState& state) override {
    const DirtyFlags flags = state.state();
    if (flags & DirtyPen) pen_ = state.pen();
    if (flags & DirtyBrush) brush_ = state.brush();
    if (flags & DirtyTransform) transform_ = state.transform();
    if (flags & DirtyFont) font_ = state.font();
  }

  void drawPath(const QPainterPath& path) override { WritePath(path, true); }

  void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override {
    if (count <= 0) return;
    QPainterPath path;
    path.setFillRule(mode == WindingMode ? Qt::WindingFill : Qt::OddEvenFill);
    path.moveTo(points[0]);
    for (int i = 1; i < count; ++i) path.lineTo(points[i]);
    if (mode != PolylineMode) path.closeSubpath();
    WritePath(path, mode != PolylineMode);
  }

  // Each line as a move and a draw, even where its ends coincide (a round
  // or square cap then still shows a dot).
  void drawLines(const QLineF* lines, int count) override {
    if (count <= 0) return;
    Style(false, Qt::OddEvenFill);
    buffer_ += " d=\"";
    for (int i = 0; i < count; ++i) {
      Point('M', lines[i].p1());
      Point('L', lines[i].p2());
      if (buffer_.size() >= kFlushBytes) Flush();
    }
    buffer_ += "\"/>\n";
    MaybeFlush();
  }

  void drawRects(const QRectF* rects, int count) override {
    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);
    for (int i = 0; i < count; ++i) path.addRect(rects[i]);
    WritePath(path, true);
  }

  void drawTextItem(const QPointF& p, const QTextItem& item) override {
    const QString text = item.text();
    if (text.isEmpty()) return;
    const QFont font = item.font();
    const double size =
        font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF() * device_.resolution_ / kPointsPerInch;
    buffer_ += "<text fill=\"" + ColorText(pen_.color()) + "\" stroke=\"none\" font-family=\"" +
               Escaped(font.family()) + "\" font-size=\"";
    Number(size);
    buffer_ += "\" font-weight=\"" + std::to_string(CssWeight(font.weight())) + "\" font-style=\"" +
               (font.italic() ? "italic" : "normal") + "\" xml:space=\"preserve\" transform=\"matrix(";
    const QTransform& t = transform_;
    for (double v : {t.m11(), t.m12(), t.m21(), t.m22(), t.dx(), t.dy()}) {
      Number(v);
      buffer_ += ' ';
    }
    buffer_.back() = ')';
    buffer_ += "\" x=\"";
    Number(p.x());
    buffer_ += "\" y=\"";
    Number(p.y());
    buffer_ += "\">" + Escaped(text) + "</text>\n";
    MaybeFlush();
  }

  void drawPixmap(const QRectF& r, const QPixmap& pm, const QRectF& sr) override {
    drawImage(r, pm.toImage(), sr, Qt::AutoColor);
  }

  void drawImage(const QRectF& r, const QImage& image, const QRectF& sr, Qt::ImageConversionFlags) override {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.copy(sr.toAlignedRect()).save(&buffer, "PNG")) return;
    const QRectF box = transform_.mapRect(r);
    buffer_ += "<image preserveAspectRatio=\"none\" x=\"";
    Number(box.x());
    buffer_ += "\" y=\"";
    Number(box.y());
    buffer_ += "\" width=\"";
    Number(box.width());
    buffer_ += "\" height=\"";
    Number(box.height());
    buffer_ += "\" xlink:href=\"data:image/png;base64," + png.toBase64().toStdString() + "\"/>\n";
    MaybeFlush();
  }

  Type type() const override { return QPaintEngine::User; }
  bool failed() const { return failed_; }

 private:
  static int CssWeight(int weight) { return std::clamp((weight + 50) / 100 * 100, 100, 900); }

  // A number in user units to 1/100, without trailing zeros.
  void Number(double v) {
    if (!std::isfinite(v)) v = 0.0;
    char text[kMaxFixed6Length + 1];
    char* end = text + FormatFixed(v, 2, text);
    while (end > text && end[-1] == '0') --end;
    if (end > text && end[-1] == '.') --end;
    if (end - text == 2 && text[0] == '-' && text[1] == '0') {  // "-0"
      buffer_ += '0';
      return;
    }
    buffer_.append(text, end);
  }

  void Style(bool filled, Qt::FillRule rule) {
    const bool fill = filled && brush_.style() != Qt::NoBrush && brush_.color().alpha() != 0;
    buffer_ += "<path fill=\"";
    buffer_ += fill ? ColorText(brush_.color()) : std::string("none");
    if (fill) buffer_ += rule == Qt::WindingFill ? "\" fill-rule=\"nonzero" : "\" fill-rule=\"evenodd";
    buffer_ += "\" stroke=\"";
    if (pen_.style() == Qt::NoPen || pen_.color().alpha() == 0) {
      buffer_ += "none\"";
      return;
    }
    const double scale = std::sqrt(std::abs(transform_.determinant()));
    const double width = pen_.isCosmetic() ? std::max(1.0, pen_.widthF()) : pen_.widthF() * scale;
    buffer_ += ColorText(pen_.color()) + "\" stroke-width=\"";
    Number(width);
    buffer_ += "\" stroke-linecap=\"";
    buffer_ += pen_.capStyle() == Qt::FlatCap ? "butt" : (pen_.capStyle() == Qt::SquareCap ? "square" : "round");
    buffer_ += "\" stroke-linejoin=\"";
    const Qt::PenJoinStyle join = pen_.joinStyle();
    buffer_ += join == Qt::BevelJoin ? "bevel" : (join == Qt::RoundJoin ? "round" : "miter");
    buffer_ += '"';
    if (pen_.style() != Qt::SolidLine) {
      buffer_ += " stroke-dasharray=\"";
      for (qreal d : pen_.dashPattern()) {
        Number(d * std::max(1.0, width));
        buffer_ += ',';
      }
      buffer_.back() = '"';
    }
  }

  void WritePath(const QPainterPath& path, bool filled) {
    const int count = path.elementCount();
    if (count == 0) return;
    Style(filled, path.fillRule());
    buffer_ += " d=\"";
    int start = 0;  // the element that began the current outline
    for (int i = 0; i < count; ++i) {
      const QPainterPath::Element& e = path.elementAt(i);
      if (e.type == QPainterPath::MoveToElement && i > 0) {
        CloseIfClosed(path, start, i - 1);
        start = i;
      }
      Point(e.type == QPainterPath::MoveToElement    ? 'M'
            : e.type == QPainterPath::LineToElement  ? 'L'
            : e.type == QPainterPath::CurveToElement ? 'C'
                                                     : ' ',
            QPointF(e.x, e.y));
      if (buffer_.size() >= kFlushBytes) Flush();
    }
    CloseIfClosed(path, start, count - 1);
    buffer_ += "\"/>\n";
    MaybeFlush();
  }

  // A path command and a point mapped into user units.
  void Point(char command, const QPointF& point) {
    const QPointF p = transform_.map(point);
    buffer_ += command;
    Number(p.x());
    buffer_ += ' ';
    Number(p.y());
  }

  // An outline that ends where it began is closed, so its ends are joined.
  void CloseIfClosed(const QPainterPath& path, int first, int last) {
    if (last - first < 2) return;
    const QPainterPath::Element& a = path.elementAt(first);
    const QPainterPath::Element& b = path.elementAt(last);
    if (a.x == b.x && a.y == b.y) buffer_ += 'Z';
  }

  void MaybeFlush() {
    if (buffer_.size() >= kFlushBytes) Flush();
  }

  void Flush() {
    if (buffer_.empty()) return;
    if (!failed_ && device_.out_.write(buffer_.data(), static_cast<qint64>(buffer_.size())) !=
                        static_cast<qint64>(buffer_.size())) {
      failed_ = true;
    }
    buffer_.clear();
  }

  SvgPaintDevice& device_;
  std::string buffer_;
  bool failed_ = false;
  QPen pen_;
  QBrush brush_;
  QTransform transform_;
  QFont font_;
};

SvgPaintDevice::SvgPaintDevice(QIODevice& out, QSize size, int resolution, QRect viewBox, const QString& title)
    : out_(out),
      size_(size),
      resolution_(resolution > 0 ? resolution : 72),
      viewBox_(viewBox),
      title_(title),
      engine_(std::make_unique<SvgPaintEngine>(*this)) {}

SvgPaintDevice::~SvgPaintDevice() = default;

QPaintEngine* SvgPaintDevice::paintEngine() const {
  return engine_.get();
}

bool SvgPaintDevice::writeFailed() const {
  return engine_->failed();
}

int SvgPaintDevice::metric(PaintDeviceMetric metric) const {
  switch (metric) {
    case PdmWidth:
      return size_.width();
    case PdmHeight:
      return size_.height();
    case PdmWidthMM:
      return static_cast<int>(std::lround(size_.width() * kMmPerInch / resolution_));
    case PdmHeightMM:
      return static_cast<int>(std::lround(size_.height() * kMmPerInch / resolution_));
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
      return resolution_;
    case PdmDepth:
      return 32;
    case PdmNumColors:
      return 0x7fffffff;
    case PdmDevicePixelRatio:
      return 1;
    case PdmDevicePixelRatioScaled:
      return static_cast<int>(devicePixelRatioFScale());
    default:
      return 0;
  }
}

}  // namespace plicora
