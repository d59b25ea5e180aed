#include "core/development/ScaleGauge.h"

#include <algorithm>
#include <array>

namespace plicora {
namespace {

// The gauge keeps this far from the printable area's edges and from the
// development.
constexpr double kEdgeGapMm = 3.0;
constexpr double kClearanceMm = 2.0;

bool Overlap(const SheetBox& a, const SheetBox& b) {
  return a.x0 < b.x1 && b.x0 < a.x1 && a.y0 < b.y1 && b.y0 < a.y1;
}

bool Encloses(const std::vector<Point2>& polygon, Point2 p) {
  bool inside = false;
  for (std::size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
    const Point2 a = polygon[i], b = polygon[j];
    if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x) inside = !inside;
  }
  return inside;
}

bool LineMeetsBox(const GaugeObstacles::Line& line, const SheetBox& box) {
  if (line.points.empty()) return false;
  if (line.points.size() == 1) return box.Holds(line.points[0]);
  for (std::size_t k = 1; k < line.points.size(); ++k)
    if (ClipSegment(line.points[k - 1], line.points[k], box)) return true;
  return line.closed && line.points.size() > 2 && Encloses(line.points, {box.x0, box.y0});
}

bool Clear(const SheetBox& place, const GaugeObstacles& obstacles) {
  const SheetBox grown{place.x0 - kClearanceMm, place.y0 - kClearanceMm, place.x1 + kClearanceMm,
                       place.y1 + kClearanceMm};
  for (const SheetBox& box : obstacles.boxes)
    if (Overlap(grown, box)) return false;
  for (const GaugeObstacles::Line& line : obstacles.lines)
    if (LineMeetsBox(line, grown)) return false;
  return true;
}

}  // namespace

ScaleGauge ScaleGaugeShape() {
  ScaleGauge g;
  g.lineWidthMm = 0.2;
  const double s = kGaugeSquareMm;
  g.lines = {{{0, 0}, {s, 0}}, {{s, 0}, {s, s}}, {{s, s}, {0, s}}, {{0, s}, {0, 0}}};
  // The ruler below the square, its ticks hanging from its line: longer at
  // every 5 mm and longer still at every centimetre.
  const double ruler = s + 4.0;
  g.lines.push_back({{0, ruler}, {kGaugeRulerMm, ruler}});
  for (int mm = 0; mm <= static_cast<int>(kGaugeRulerMm); ++mm) {
    const double length = mm % 10 == 0 ? 4.0 : mm % 5 == 0 ? 3.0 : 2.0;
    g.lines.push_back({{double(mm), ruler}, {double(mm), ruler + length}});
  }
  g.widthMm = kGaugeRulerMm + g.lineWidthMm;
  g.heightMm = ruler + 4.0 + g.lineWidthMm;
  g.labelCentre = {s / 2.0, s / 2.0};
  g.labelEmMm = 6.0;
  g.label = "50 mm";
  return g;
}

std::optional<Point2> PlaceScaleGauge(const ScaleGauge& gauge, const SheetBox& area, const GaugeObstacles& obstacles) {
  const double w = gauge.widthMm, h = gauge.heightMm;
  const double left = area.x0 + kEdgeGapMm, top = area.y0 + kEdgeGapMm;
  const double right = area.x1 - kEdgeGapMm - w, bottom = area.y1 - kEdgeGapMm - h;
  if (right < left || bottom < top) return std::nullopt;
  const double middleX = (area.x0 + area.x1 - w) / 2.0, middleY = (area.y0 + area.y1 - h) / 2.0;
  const std::array<Point2, 8> places = {{
      {left, top},
      {right, top},
      {left, bottom},
      {right, bottom},
      {middleX, top},
      {middleX, bottom},
      {left, middleY},
      {right, middleY},
  }};
  for (const Point2& at : places) {
    // The size holds the lines' outer halves: the first line's middle lies
    // half a line in.
    if (Clear({at.x, at.y, at.x + w, at.y + h}, obstacles))
      return Point2{at.x + gauge.lineWidthMm / 2, at.y + gauge.lineWidthMm / 2};
  }
  return std::nullopt;
}

}  // namespace plicora
