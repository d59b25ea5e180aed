#include "render/export/EmfPaintEngine.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QRegion>
#include <QTextItem>
#include <cmath>

#include "core/model/Units.h"
#include "render/export/EmfPaintDevice.h"

namespace plicora {

namespace {

std::uint32_t ColorRefOf(const QColor& c) {
  const QRgb rgb = c.rgb();
  return static_cast<std::uint32_t>(qRed(rgb)) | (static_cast<std::uint32_t>(qGreen(rgb)) << 8) |
         (static_cast<std::uint32_t>(qBlue(rgb)) << 16);
}

std::int32_t RoundToInt(double v) {
  return ToEmfCoordinate(std::floor(v + 0.5));
}

std::uint32_t CapBits(Qt::PenCapStyle cap) {
  switch (cap) {
    case Qt::FlatCap:
      return kEmfPsEndcapFlat;
    case Qt::SquareCap:
      return kEmfPsEndcapSquare;
    default:
      return kEmfPsEndcapRound;
  }
}

std::uint32_t JoinBits(Qt::PenJoinStyle join) {
  switch (join) {
    case Qt::BevelJoin:
      return kEmfPsJoinBevel;
    case Qt::MiterJoin:
    case Qt::SvgMiterJoin:
      return kEmfPsJoinMiter;
    default:
      return kEmfPsJoinRound;
  }
}

// Advances and extents are measured on an unhinted font of this em size and
// scaled to the size drawn, so that any size measures alike.
constexpr double kMetricsPixels = 256.0;

QFont MetricsFont(QFont font) {
  font.setPixelSize(static_cast<int>(kMetricsPixels));
  font.setHintingPreference(QFont::PreferNoHinting);
  return font;
}

bool SameFont(const EmfFont& a, const EmfFont& b) {
  return a.height == b.height && a.width == b.width && a.escapement == b.escapement && a.orientation == b.orientation &&
         a.weight == b.weight && a.italic == b.italic && a.underline == b.underline && a.strikeOut == b.strikeOut &&
         a.charSet == b.charSet && a.faceName == b.faceName;
}

// Distances from each UTF-16 unit to the next, rounded so that their sum
// follows the unrounded run (the second unit of a pair gets 0).
std::vector<std::int32_t> Advances(const QString& text, const QFontMetricsF& metrics, double scale) {
  std::vector<std::int32_t> result(static_cast<std::size_t>(text.size()), 0);
  double run = 0.0;
  std::int32_t placed = 0;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i].isLowSurrogate()) continue;
    const bool pair = text[i].isHighSurrogate() && i + 1 < text.size();
    run += metrics.horizontalAdvance(pair ? text.mid(i, 2) : QString(text[i])) * scale;
    const std::int32_t next = RoundToInt(run);
    result[static_cast<std::size_t>(i)] = next - placed;
    placed = next;
  }
  return result;
}

}  // namespace

EmfPaintEngine::EmfPaintEngine(EmfPaintDevice& device) : QPaintEngine(QPaintEngine::AllFeatures), device_(device) {}

EmfPaintEngine::~EmfPaintEngine() = default;

bool EmfPaintEngine::begin(QPaintDevice*) {
  if (!device_.isValid()) return false;
  writer_ = std::make_unique<EmfRecordWriter>(device_.reference_, device_.description_.toStdU16String());
  if (device_.sink_) writer_->StreamTo(*device_.sink_);
  penHandle_ = brushHandle_ = fontHandle_ = 0;
  penDirty_ = brushDirty_ = true;
  textColor_ = 0u;
  bkMode_ = kEmfOpaque;
  bkColor_ = 0xFFFFFFu;
  textAlign_ = 0u;
  fillMode_ = kEmfAlternate;
  clipSet_ = false;
  setActive(true);
  return true;
}

bool EmfPaintEngine::end() {
  if (!writer_) return false;
  // Leave the stock objects selected and free what is left.
  if (penHandle_) SelectPen(kStockBlackPen, false);
  if (brushHandle_) SelectBrush(kStockWhiteBrush, false);
  if (fontHandle_) {
    writer_->SelectObject(kStockSystemFont);
    writer_->DeleteObject(fontHandle_);
    fontHandle_ = 0;
  }
  device_.Store(writer_->Finish());
  writer_.reset();
  setActive(false);
  return !device_.writeFailed();
}

void EmfPaintEngine::updateState(const QPaintEngineState& state) {
  const DirtyFlags flags = state.state();
  if (flags & DirtyPen) {
    pen_ = state.pen();
    penDirty_ = true;
  }
  if (flags & DirtyBrush) {
    brush_ = state.brush();
    brushDirty_ = true;
  }
  if (flags & DirtyTransform) {
    transform_ = state.transform();
    penDirty_ = true;  // the pen width follows the scale
  }
  if (flags & DirtyBackgroundMode) bgMode_ = state.backgroundMode();
  if (flags & DirtyBackground) bgBrush_ = state.backgroundBrush();
  if (flags & (DirtyClipRegion | DirtyClipPath | DirtyClipEnabled)) clipDirty_ = true;
}

EmfPoint EmfPaintEngine::Map(const QPointF& p) const {
  const QPointF d = transform_.map(p);
  return EmfPoint{RoundToInt(d.x()), RoundToInt(d.y())};
}

double EmfPaintEngine::Scale() const {
  return std::sqrt(std::abs(transform_.determinant()));
}

void EmfPaintEngine::SelectPen(std::uint32_t handle, bool created) {
  writer_->SelectObject(handle);
  if (penHandle_) writer_->DeleteObject(penHandle_);
  penHandle_ = created ? handle : 0;
}

void EmfPaintEngine::SelectBrush(std::uint32_t handle, bool created) {
  writer_->SelectObject(handle);
  if (brushHandle_) writer_->DeleteObject(brushHandle_);
  brushHandle_ = created ? handle : 0;
}

void EmfPaintEngine::ApplyPen() {
  if (!penDirty_) return;
  penDirty_ = false;
  if (pen_.style() == Qt::NoPen || pen_.color().alpha() == 0) {
    if (!penNull_ || penHandle_) SelectPen(kStockNullPen, false);
    penNull_ = true;
    penExtent_ = 0;
    return;
  }
  penNull_ = false;
  const double width = pen_.isCosmetic() ? std::max(1.0, pen_.widthF()) : pen_.widthF() * Scale();
  // At most 2^21 units, so that half the width stays within the room left
  // beside the largest coordinate.
  const std::int32_t w = std::clamp(RoundToInt(width), 1, 0x1FFFFD);
  const std::uint32_t color = ColorRefOf(pen_.color());
  std::uint32_t handle;
  const bool plain = pen_.style() == Qt::SolidLine &&
                     (w <= 1 || (pen_.capStyle() == Qt::RoundCap && pen_.joinStyle() == Qt::RoundJoin));
  if (plain) {
    handle = writer_->CreatePen(kEmfPsSolid, w, color);
  } else {
    std::vector<std::uint32_t> dashes;
    std::uint32_t style = kEmfPsSolid;
    if (pen_.style() != Qt::SolidLine) {
      style = kEmfPsUserStyle;
      for (qreal d : pen_.dashPattern()) dashes.push_back(static_cast<std::uint32_t>(std::max(1, RoundToInt(d * w))));
    }
    handle = writer_->ExtCreatePen(kEmfPsGeometric | style | CapBits(pen_.capStyle()) | JoinBits(pen_.joinStyle()),
                                   static_cast<std::uint32_t>(w), color, dashes);
  }
  SelectPen(handle, true);
  penExtent_ = (w + 1) / 2;
}

void EmfPaintEngine::ApplyBrush(bool filled) {
  const bool none = !filled || brush_.style() == Qt::NoBrush || brush_.color().alpha() == 0;
  if (none) {
    // A null brush is selected for outlines only; the real brush comes back
    // with the next filled primitive.
    writer_->SelectObject(kStockNullBrush);
    if (brushHandle_) writer_->DeleteObject(brushHandle_);
    brushHandle_ = 0;
    brushDirty_ = true;
    return;
  }
  if (!brushDirty_) return;
  brushDirty_ = false;
  SelectBrush(writer_->CreateSolidBrush(ColorRefOf(brush_.color())), true);
}

void EmfPaintEngine::ApplyClip() {
  if (!clipDirty_) return;
  clipDirty_ = false;
  QPainter* p = painter();
  if (!p || !p->hasClipping()) {
    if (clipSet_) writer_->SetClipRects({});
    clipSet_ = false;
    return;
  }
  const QRegion region = transform_.map(p->clipRegion());
  std::vector<EmfRect> rects;
  for (const QRect& r : region) rects.push_back(EmfRect{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()});
  if (rects.empty()) rects.push_back(EmfRect{0, 0, 0, 0});  // everything clipped away
  writer_->SetClipRects(rects);
  clipSet_ = true;
}

void EmfPaintEngine::drawLines(const QLineF* lines, int count) {
  ApplyClip();
  ApplyPen();
  if (penNull_) return;
  for (int i = 0; i < count; ++i) {
    writer_->MoveTo(Map(lines[i].p1()));
    writer_->LineTo(Map(lines[i].p2()), penExtent_);
  }
}

void EmfPaintEngine::drawRects(const QRectF* rects, int count) {
  for (int i = 0; i < count; ++i) {
    const QRectF& r = rects[i];
    const QPointF corners[4] = {r.topLeft(), r.topRight(), r.bottomRight(), r.bottomLeft()};
    drawPolygon(corners, 4, OddEvenMode);
  }
}

void EmfPaintEngine::drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) {
  if (count <= 0) return;
  ApplyClip();
  ApplyPen();
  std::vector<EmfPoint> mapped;
  mapped.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) mapped.push_back(Map(points[i]));
  if (mode == PolylineMode) {
    if (!penNull_) writer_->Polyline(mapped, penExtent_);
    return;
  }
  ApplyBrush(true);
  const std::uint32_t fill = mode == WindingMode ? kEmfWinding : kEmfAlternate;
  if (fillMode_ != fill) {
    writer_->SetPolyFillMode(fill);
    fillMode_ = fill;
  }
  writer_->Polygon(mapped, penExtent_);
}

void EmfPaintEngine::drawPath(const QPainterPath& path) {
  ApplyClip();
  ApplyPen();
  const QList<QPolygonF> polygons = transform_.map(path).toSubpathPolygons();
  std::vector<std::vector<EmfPoint>> mapped;
  bool allClosed = true;
  for (const QPolygonF& polygon : polygons) {
    std::vector<EmfPoint> points;
    for (const QPointF& p : polygon) points.push_back(EmfPoint{RoundToInt(p.x()), RoundToInt(p.y())});
    if (polygon.size() > 1 && polygon.first() != polygon.last()) allClosed = false;
    mapped.push_back(std::move(points));
  }
  if (mapped.empty()) return;
  const bool filled = brush_.style() != Qt::NoBrush && brush_.color().alpha() != 0;
  if (filled) {
    const std::uint32_t fill = path.fillRule() == Qt::WindingFill ? kEmfWinding : kEmfAlternate;
    if (fillMode_ != fill) {
      writer_->SetPolyFillMode(fill);
      fillMode_ = fill;
    }
    ApplyBrush(true);
    if (allClosed || penNull_) {
      writer_->PolyPolygon(mapped, penExtent_);
      return;
    }
    // Fill without outline, then stroke the open outlines.
    writer_->SelectObject(kStockNullPen);
    writer_->PolyPolygon(mapped, 0);
    writer_->SelectObject(penHandle_ ? penHandle_ : kStockBlackPen);
  }
  if (penNull_) return;
  for (const auto& points : mapped) {
    // A two-point outline is a line, written as drawLines writes it.
    if (points.size() == 2) {
      writer_->MoveTo(points[0]);
      writer_->LineTo(points[1], penExtent_);
    } else {
      writer_->Polyline(points, penExtent_);
    }
  }
}

void EmfPaintEngine::EnsureTextState(std::uint32_t color, bool opaque, std::uint32_t bkColor) {
  if (textColor_ != color) SetTextColor(color);
  const std::uint32_t mode = opaque ? kEmfOpaque : kEmfTransparent;
  if (bkMode_ != mode) SetBackgroundMode(mode);
  if (opaque && bkColor_ != bkColor) {
    writer_->SetBkColor(bkColor);
    bkColor_ = bkColor;
  }
  if (textAlign_ != kEmfTaBaseline) SetTextAlign(kEmfTaBaseline);
}

void EmfPaintEngine::WriteText(const QFont& metricsFont, double metricsScale, EmfPoint at, double angleDegrees,
                               const QString& text) {
  const QFontMetricsF metrics(metricsFont);
  const std::vector<std::int32_t> advances = Advances(text, metrics, metricsScale);
  std::int32_t total = 0;
  for (std::int32_t a : advances) total += a;
  // The drawn box: the advance run from the ascent to the descent, turned.
  const double ascent = metrics.ascent() * metricsScale;
  const double descent = metrics.descent() * metricsScale;
  QTransform turn;
  turn.translate(at.x, at.y);
  turn.rotate(angleDegrees);
  const QRectF box = turn.mapRect(QRectF(0.0, -ascent, total, ascent + descent));
  const EmfRect emfBox{RoundToInt(box.left()), RoundToInt(box.top()), RoundToInt(box.right()),
                       RoundToInt(box.bottom())};
  writer_->ExtTextOut(at, text.toStdU16String(), advances, emfBox);
}

void EmfPaintEngine::drawTextItem(const QPointF& p, const QTextItem& item) {
  const QString text = item.text();
  if (text.isEmpty()) return;
  ApplyClip();
  const QFont font = item.font();
  const double scale = Scale();
  const double em =
      font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF() * device_.logicalDpiY() / kPointsPerInch;
  const double angle = std::atan2(transform_.m12(), transform_.m11()) * 180.0 / M_PI;
  std::int32_t escapement = RoundToInt(-angle * 10.0) % 3600;
  if (escapement < 0) escapement += 3600;

  EmfFont emf;
  emf.height = -std::max(1, RoundToInt(em * scale));
  emf.escapement = escapement;
  emf.orientation = escapement;
  emf.weight = font.weight();
  emf.italic = font.italic();
  emf.underline = font.underline();
  emf.strikeOut = font.strikeOut();
  emf.faceName = font.family().left(31).toStdU16String();
  if (!fontHandle_ || !SameFont(emf, lastFont_)) {
    const std::uint32_t handle = writer_->CreateFont(emf);
    writer_->SelectObject(handle);
    if (fontHandle_) writer_->DeleteObject(fontHandle_);
    fontHandle_ = handle;
    lastFont_ = emf;
  }
  const bool opaque = bgMode_ == Qt::OpaqueMode;
  EnsureTextState(ColorRefOf(pen_.color()), opaque, ColorRefOf(bgBrush_.color()));
  WriteText(MetricsFont(font), em * scale / kMetricsPixels, Map(p), angle, text);
}

void EmfPaintEngine::drawPixmap(const QRectF& r, const QPixmap& pm, const QRectF& sr) {
  drawImage(r, pm.toImage(), sr, Qt::AutoColor);
}

void EmfPaintEngine::drawImage(const QRectF& r, const QImage& image, const QRectF& sr, Qt::ImageConversionFlags) {
  const QImage part = image.copy(sr.toAlignedRect()).convertToFormat(QImage::Format_RGB888);
  if (part.isNull()) return;
  ApplyClip();
  const QRectF box = transform_.mapRect(r);
  const EmfRect dest{RoundToInt(box.left()), RoundToInt(box.top()), RoundToInt(box.right()), RoundToInt(box.bottom())};
  const int w = part.width();
  const int h = part.height();
  const std::size_t stride = (static_cast<std::size_t>(w) * 3 + 3) & ~static_cast<std::size_t>(3);
  std::vector<std::uint8_t> rows(stride * static_cast<std::size_t>(h), 0);
  for (int y = 0; y < h; ++y) {
    const uchar* src = part.constScanLine(h - 1 - y);
    std::uint8_t* dst = rows.data() + stride * static_cast<std::size_t>(y);
    for (int x = 0; x < w; ++x) {
      dst[3 * x] = src[3 * x + 2];
      dst[3 * x + 1] = src[3 * x + 1];
      dst[3 * x + 2] = src[3 * x];
    }
  }
  writer_->StretchDiBits(dest, w, h, rows);
}

void EmfPaintEngine::SetBackgroundMode(std::uint32_t mode) {
  writer_->SetBkMode(mode);
  bkMode_ = mode;
}

void EmfPaintEngine::SetTextAlign(std::uint32_t align) {
  writer_->SetTextAlign(align);
  textAlign_ = align;
}

void EmfPaintEngine::SetTextColor(std::uint32_t colorRef) {
  writer_->SetTextColor(colorRef);
  textColor_ = colorRef;
}

void EmfPaintEngine::TextOut(const EmfFont& font, EmfPoint at, const QString& text) {
  // Metrics for the advances: a font of the same face whose cell height
  // (positive height) or character height (negative) matches.
  QFont face(QString::fromStdU16String(font.faceName));
  face.setWeight(static_cast<QFont::Weight>(std::clamp(font.weight, 1, 1000)));
  face.setItalic(font.italic);
  const QFont metricsFont = MetricsFont(face);
  double em = std::max(1.0, std::abs(static_cast<double>(font.height)));
  if (font.height > 0) {
    const double cell = QFontMetricsF(metricsFont).height();
    if (cell > 0.0) em = em * kMetricsPixels / cell;
  }
  const std::uint32_t handle = writer_->CreateFont(font);
  writer_->SelectObject(handle);
  WriteText(metricsFont, em / kMetricsPixels, at, -font.escapement / 10.0, text);
  writer_->SelectObject(fontHandle_ ? fontHandle_ : kStockSystemFont);
  writer_->DeleteObject(handle);
}

}  // namespace plicora
