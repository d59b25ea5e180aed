#include "render/development/DevelopmentVectorRenderer.h"

#include <QFontMetricsF>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "core/development/DevelopmentGeometry.h"
#include "core/platform/FontFaceNames.h"
#include "render/development/DevelopmentDrawing.h"
#include "render/development/FlapOutlineWalk.h"
#include "render/development/LineBatch.h"
#include "render/development/VectorDrawArea.h"
#include "render/platform/FontResolution.h"

namespace plicora {
namespace {

Box PolygonBox(const QPolygon& polygon) {
  if (polygon.isEmpty()) return {0.0, 0.0, -1.0, -1.0};
  const QRect r = polygon.boundingRect();
  return {static_cast<double>(r.left()), static_cast<double>(r.top()), static_cast<double>(r.right()),
          static_cast<double>(r.bottom())};
}

QPen SolidPen(const QColor& color, int width) {
  QPen pen(color);
  pen.setWidth(width);
  pen.setStyle(Qt::SolidLine);
  pen.setCapStyle(Qt::RoundCap);
  pen.setJoinStyle(Qt::RoundJoin);
  return pen;
}

// Twice the signed area of an outline in device units.
std::int64_t DoubleArea(const QPolygon& polygon) {
  std::int64_t sum = 0;
  const int n = static_cast<int>(polygon.size());
  for (int i = 0; i < n; ++i) {
    const QPoint& p = polygon[i];
    const QPoint& q = polygon[(i + 1) % n];
    sum += static_cast<std::int64_t>(p.x()) * q.y() - static_cast<std::int64_t>(q.x()) * p.y();
  }
  return sum;
}

int Turn(QPoint a, QPoint b, QPoint c) {
  const std::int64_t cross = static_cast<std::int64_t>(b.x() - a.x()) * (c.y() - a.y()) -
                             static_cast<std::int64_t>(b.y() - a.y()) * (c.x() - a.x());
  return cross > 0 ? 1 : (cross < 0 ? -1 : 0);
}

bool OnSegment(QPoint a, QPoint b, QPoint p) {
  return std::min(a.x(), b.x()) <= p.x() && p.x() <= std::max(a.x(), b.x()) && std::min(a.y(), b.y()) <= p.y() &&
         p.y() <= std::max(a.y(), b.y());
}

// Whether two segments share any point, touching included.
bool SegmentsMeet(QPoint a, QPoint b, QPoint c, QPoint d) {
  const int t1 = Turn(a, b, c), t2 = Turn(a, b, d), t3 = Turn(c, d, a), t4 = Turn(c, d, b);
  if (t1 != t2 && t3 != t4) return true;
  return (t1 == 0 && OnSegment(a, b, c)) || (t2 == 0 && OnSegment(a, b, d)) || (t3 == 0 && OnSegment(c, d, a)) ||
         (t4 == 0 && OnSegment(c, d, b));
}

// A triangle, or an outline whose sides meet only at their shared corners.
// For such an outline the even-odd and the winding rule fill the same area.
bool IsSimpleOutline(const QPolygon& polygon) {
  const int n = static_cast<int>(polygon.size());
  if (n == 3) return true;
  if (n < 3) return false;
  for (int i = 0; i < n; ++i) {
    for (int j = i + 2; j < n; ++j) {
      if (i == 0 && j == n - 1) continue;  // neighbours through the closing side
      if (SegmentsMeet(polygon[i], polygon[(i + 1) % n], polygon[j], polygon[(j + 1) % n])) return false;
    }
  }
  return true;
}

// Faces drawn in their order, consecutive faces of one fill colour gathered
// into one path and drawn with one call. Every face enters the path as a
// closed outline turned the same way, so that under the winding rule the
// path covers the union of the faces, exactly what drawing them one by one
// covers; an outline that crosses itself is drawn on its own with the
// even-odd rule, as before.
class FaceBatch {
 public:
  explicit FaceBatch(QPainter& painter) : painter_(painter) { path_.setFillRule(Qt::WindingFill); }

  void Add(const QPolygon& polygon, const QColor& color) {
    if (count_ > 0 && (color != color_ || count_ >= kMaxFaces)) Flush();
    color_ = color;
    if (!IsSimpleOutline(polygon)) {
      Flush();
      Select(color);
      painter_.drawPolygon(polygon, Qt::OddEvenFill);
      return;
    }
    const bool reverse = DoubleArea(polygon) < 0;
    const int n = static_cast<int>(polygon.size());
    for (int i = 0; i < n; ++i) {
      const QPoint& p = polygon[reverse ? n - 1 - i : i];
      if (i == 0) {
        path_.moveTo(p);
      } else {
        path_.lineTo(p);
      }
    }
    path_.closeSubpath();
    ++count_;
  }

  void Flush() {
    if (count_ == 0) return;
    Select(color_);
    painter_.drawPath(path_);
    path_.clear();
    path_.setFillRule(Qt::WindingFill);
    count_ = 0;
  }

 private:
  static constexpr int kMaxFaces = 65536;  // bounds the path's memory
  void Select(const QColor& color) {
    painter_.setPen(SolidPen(color, 1));
    painter_.setBrush(color);
  }
  QPainter& painter_;
  QPainterPath path_;
  QColor color_;
  int count_ = 0;
};

// Which parts reach into the area. A part whose corners' box, a device unit
// wider for the rounding, misses the area has no face and no line there, so
// a page of a large development looks only at the parts on it.
std::vector<char> PartsInArea(const std::vector<PartExtent>& extents, double sx, double sy, const DrawArea& area) {
  std::vector<char> shown(extents.size(), 1);
  if (area.all) return shown;
  for (std::size_t i = 0; i < extents.size(); ++i) {
    const Box& box = extents[i].corners;
    shown[i] = box.x0 <= box.x1 &&
               area.Shows(Grow(BoxOf(Point2{box.x0 * sx, box.y0 * sy}, Point2{box.x1 * sx, box.y1 * sy}), 1.0));
  }
  return shown;
}

void FillFaces(QPainter& painter, const Model& model, const Settings& settings, double sx, double sy,
               const DrawArea& area, const std::vector<char>& partShown, TickCounter& ticks) {
  FaceBatch batch(painter);
  for (std::size_t i = 0; i < model.parts.size(); ++i) {
    if (!partShown[i]) continue;
    const Part& part = model.parts[i];
    for (const Face* face : part.faces) {
      if (!ticks.Step()) return;  // a stopped drawing is thrown away
      QColor color(Qt::white);
      if (settings.bUseMaterial) {
        const Material& material = model.MaterialOf(face->materialIndex);
        if (material.hasTexture) continue;
        const auto rgb = MaterialFillColor(material);
        color = QColor(rgb[0], rgb[1], rgb[2]);
      }
      QPolygon polygon;
      polygon.reserve(static_cast<qsizetype>(face->ring.size()));
      for (const HalfEdge* h : face->ring) polygon << Device(CornerOf(*h, part), sx, sy);
      if (!area.Shows(PolygonBox(polygon))) continue;
      batch.Add(polygon, color);
    }
  }
  batch.Flush();
  painter.setPen(SolidPen(Qt::white, 1));
  painter.setBrush(Qt::white);
}

// Calls f(from, to) for every dash of a line: the pattern holds (dash, gap)
// pairs in device units, restarts at the line's start, and the last dash is
// cut at the end point.
template <typename F>
void ForEachDash(double x1, double y1, double x2, double y2, const std::vector<int>& pattern, F f) {
  const double dx = x2 - x1;
  const double dy = y2 - y1;
  const double length = std::sqrt(dx * dx + dy * dy);
  if (!(length > 0.0) || pattern.size() < 2) return;
  int period = 0;
  for (int e : pattern) period += std::max(0, e);
  if (period <= 0) return;  // a pattern of zeros would never advance
  const double ux = dx / length;
  const double uy = dy / length;
  double d = 0.0;
  std::size_t i = 0;
  while (d < length) {
    const double dash = std::max(0, pattern[i]);
    const double gap = i + 1 < pattern.size() ? std::max(0, pattern[i + 1]) : 0;
    const double end = std::min(d + dash, length);
    if (dash > 0) {
      f(QPoint(static_cast<int>(x1 + ux * d), static_cast<int>(y1 + uy * d)),
        QPoint(static_cast<int>(x1 + ux * end), static_cast<int>(y1 + uy * end)));
    }
    d += dash + gap;
    i += 2;
    if (i >= pattern.size()) i = 0;
  }
}

void DrawLines(QPainter& painter, const Model& model, const Settings& settings, double sx, double sy, int penWidth,
               const std::vector<int>& dot1, const std::vector<int>& dot2, const DrawArea& area,
               const std::vector<char>& partShown, const std::vector<PartExtent>& extents, TickCounter& ticks) {
  const QPen black = SolidPen(Qt::black, penWidth);
  const QPen white = SolidPen(Qt::white, penWidth);
  painter.setPen(black);
  // Black lines alone share one pen and go into one path; with white lines
  // under them each line is drawn in turn, white first, as their order shows
  // where lines meet.
  const bool batched = !settings.bDrawWhiteBkLine;
  LineBatch batch(painter);
  auto line = [&](QPoint from, QPoint to) {
    if (batched) {
      batch.Add(from, to);
    } else {
      painter.drawLine(from, to);
    }
  };
  DrawnSides drawn;
  for (std::size_t i = 0; i < model.parts.size(); ++i) {
    const Part& part = model.parts[i];
    if (!partShown[i]) {
      // A fold whose other side lies in another part is drawn from the side
      // met first, here or not.
      if (!extents[i].foldsIntoOtherParts) continue;
      for (const Face* face : part.faces) {
        for (const HalfEdge* h : face->ring) {
          const HalfEdge* other = h->devPartner;
          if (other && other->face && other->face->part != &part) ClassifyEdgeLine(*h, settings, drawn);
        }
      }
      continue;
    }
    for (const Face* face : part.faces) {
      if (!ticks.Step()) return;
      for (const HalfEdge* h : face->ring) {
        const EdgeLineClass lineClass = ClassifyEdgeLine(*h, settings, drawn);
        if (lineClass == EdgeLineClass::Skip) continue;
        const LineStyle style = StyleOfLine(lineClass, settings);
        const HalfEdge* end = SideEnd(*h);
        if (style == LineStyle::None || !end) continue;
        const QPoint a = Device(CornerOf(*h, part), sx, sy);
        const QPoint b = Device(CornerOf(*end, part), sx, sy);
        if (!area.Shows(a, b)) continue;
        if (settings.bDrawWhiteBkLine) {
          painter.setPen(white);
          painter.drawLine(a, b);
          painter.setPen(black);
        }
        if (style == LineStyle::Solid) {
          line(a, b);
        } else {
          ForEachDash(a.x(), a.y(), b.x(), b.y(), style == LineStyle::Dot1 ? dot1 : dot2, line);
        }
      }
    }
  }
  batch.Flush();
}

// The join font: its cell (ascent + descent) is `height` device units, as a
// font asked for by a positive height.
QFont JoinNumberFont(int height) {
  QFont font = MakeFaceFont(kJoinNumberFaceName);
  font.setWeight(QFont::Normal);
  font.setPixelSize(100);
  const QFontMetricsF reference(font);
  const double cell = reference.ascent() + reference.descent();
  const double em = cell > 0.0 ? height * 100.0 / cell : height;
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(em))));
  return font;
}

void DrawJoinNumbers(QPainter& painter, const Model& model, const Settings& settings, double sx, double sy,
                     const DrawArea& area) {
  const double s = model.devScale;
  const int height = static_cast<int>(settings.iEdgeNumberFontSize * (sy / s) * kCmPerPoint);
  if (!settings.bDrawNumber || height <= 2) return;
  painter.setBackgroundMode(Qt::TransparentMode);
  const QFont font = JoinNumberFont(height);
  const QFontMetricsF metrics(font);
  painter.setFont(font);
  painter.setPen(Qt::black);
  for (const Part& part : model.parts) {
    for (const Face* face : part.faces) {
      for (const HalfEdge* h : face->ring) {
        const Edge* edge = h->edge;
        const HalfEdge* end = SideEnd(*h);
        // Every side of a numbered edge shows its number.
        if (!edge || !end || edge->joinNumber == -1) continue;
        const Point2 a{CornerOf(*h, part).x * sx, CornerOf(*h, part).y * sy};
        const Point2 b{CornerOf(*end, part).x * sx, CornerOf(*end, part).y * sy};
        const JoinNumberPlacement place = PlaceJoinNumber(a, b, model.mirrored, settings.bEdgeIdReverse);
        if (!place.valid) continue;
        // Along the side, as the placement below expects (see PlaceJoinNumber).
        const int escapement = static_cast<int>(JoinNumberTurn(place, kTenthsOfDegreePerRadian, 1800.0));
        const QString text = QString::number(edge->joinNumber);
        const double cx = metrics.horizontalAdvance(text);
        const double cy = metrics.ascent() + metrics.descent();
        // The turned text cell lies within this reach of the side.
        if (!area.Shows(Grow(BoxOf(a, b), cx + 2.5 * cy + 2.0))) continue;
        const int x = static_cast<int>(place.middle.x + 0.5 * cx * place.dx - 1.1 * cy * place.dy);
        const int y = static_cast<int>(place.middle.y + 0.5 * cx * place.dy + 1.1 * cy * place.dx);
        // The text cell's top-left corner sits at (x, y); the text turns
        // counter-clockwise about it.
        painter.save();
        painter.translate(x, y);
        painter.rotate(-escapement / 10.0);
        painter.drawText(QPointF(0.0, metrics.ascent()), text);
        painter.restore();
      }
    }
  }
}

}  // namespace

std::vector<int> DevicePattern(const std::vector<int>& pattern, double lineWidthPoints, double unit) {
  std::vector<int> out;
  out.reserve(pattern.size());
  for (int e : pattern) out.push_back(static_cast<int>((e + lineWidthPoints) * unit));
  return out;
}

void DrawDashedLine(QPainter& painter, double x1, double y1, double x2, double y2, const std::vector<int>& pattern) {
  ForEachDash(x1, y1, x2, y2, pattern, [&](QPoint from, QPoint to) { painter.drawLine(from, to); });
}

namespace {

enum class VectorLayers { All, LinesOnly };

void DrawVector(QPainter& painter, const Model* model, const Settings& settings, double sx, double sy,
                const std::optional<QRectF>& area, PartExtentsCache* extents, const WorkTick* tick,
                VectorLayers layers) {
  if (!model) return;
  const double s = model->devScale;
  if (!(s > 0.0)) return;
  PartExtentsCache own;
  const std::vector<PartExtent>& parts = (extents ? *extents : own).Get(*model);
  const double lw = settings.printoutLineWidth;
  const int penWidth = std::max(1, static_cast<int>(sx / s * lw * kCmPerLinePoint + 0.5));
  const double unit = sx / s * 0.0246022;
  const std::vector<int> dot1 = DevicePattern(kDot1Pattern, lw, unit);
  const std::vector<int> dot2 = DevicePattern(kDot2Pattern, lw, unit);

  const DrawArea drawArea = MakeDrawArea(area, sx, sy, penWidth + 2.0);
  TickCounter ticks(tick);

  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  if (settings.bDrawFlap && ticks.Step()) {
    painter.setPen(SolidPen(Qt::black, penWidth));
    painter.setBrush(Qt::NoBrush);
    LineBatch outlines(painter);
    DrawFlapOutlines(outlines, *model, settings, parts, sx, sy, drawArea, &ticks);
    if (ticks.stopped()) {
      painter.restore();
      return;
    }
    outlines.Flush();
  }
  const std::vector<char> partShown = PartsInArea(parts, sx, sy, drawArea);
  if (layers == VectorLayers::All && ticks.Step())
    FillFaces(painter, *model, settings, sx, sy, drawArea, partShown, ticks);
  painter.setBrush(Qt::NoBrush);
  if (ticks.Step())
    DrawLines(painter, *model, settings, sx, sy, penWidth, dot1, dot2, drawArea, partShown, parts, ticks);
  painter.setPen(Qt::black);
  if (layers == VectorLayers::All && ticks.Step()) DrawJoinNumbers(painter, *model, settings, sx, sy, drawArea);
  painter.restore();
}

}  // namespace

void DrawDevelopmentVector(QPainter& painter, const Model* model, const Settings& settings, double sx, double sy,
                           const std::optional<QRectF>& area, PartExtentsCache* extents, const WorkTick* tick) {
  DrawVector(painter, model, settings, sx, sy, area, extents, tick, VectorLayers::All);
}

void DrawDevelopmentLines(QPainter& painter, const Model* model, const Settings& settings, double sx, double sy,
                          const std::optional<QRectF>& area, PartExtentsCache* extents, const WorkTick* tick) {
  DrawVector(painter, model, settings, sx, sy, area, extents, tick, VectorLayers::LinesOnly);
}

}  // namespace plicora
