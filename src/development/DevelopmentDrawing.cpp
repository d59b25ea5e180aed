#include "development/DevelopmentDrawing.h"

#include <algorithm>

namespace plicora {

LineStyle StyleOfLine(EdgeLineClass lineClass, const Settings& settings) {
  auto foldStyle = [](int type) {
    switch (type) {
      case 0: return LineStyle::Solid;
      case 1: return LineStyle::Dot1;
      case 2: return LineStyle::Dot2;
      default: return LineStyle::None;
    }
  };
  switch (lineClass) {
    case EdgeLineClass::Cut: return settings.iCutLineType == 1 ? LineStyle::None : LineStyle::Solid;
    case EdgeLineClass::ConvexFold: return foldStyle(settings.iYamaLineType);
    case EdgeLineClass::ConcaveFold: return foldStyle(settings.iTaniLineType);
    case EdgeLineClass::Skip: break;
  }
  return LineStyle::None;
}

int FlapPolygonOf(const HalfEdge& half, const Part& part, bool flip, double devScale, std::array<Point2, 4>& points) {
  const HalfEdge* end = SideEnd(half);
  if (!half.hasFlap || !end) return 0;
  const Point2 p = CornerOf(half, part);
  const Point2 q = CornerOf(*end, part);
  const Point2 s = flip ? p : q;
  const Point2 t = flip ? q : p;
  const double dx = t.x - s.x, dy = t.y - s.y;
  const double length = std::sqrt(dx * dx + dy * dy);
  if (length < 1e-6) return 0;
  const double w = half.flapWidth / devScale;
  const double ux = dx / length, uy = dy / length;
  const double nx = uy, ny = -ux;
  if (length > 2 * w) {
    // A trapezoid whose slanted sides make 45 degrees with the edge.
    points[0] = s;
    points[1] = {s.x + w * (ux + nx), s.y + w * (uy + ny)};
    points[2] = {t.x + w * (nx - ux), t.y + w * (ny - uy)};
    points[3] = t;
    return 4;
  }
  // A triangle whose apex stands w above the edge's middle.
  points[0] = s;
  points[1] = {(s.x + t.x) / 2 + w * nx, (s.y + t.y) / 2 + w * ny};
  points[2] = t;
  return 3;
}

std::array<int, 3> MaterialFillColor(const Material& material) {
  std::array<int, 3> rgb{};
  for (std::size_t i = 0; i < 3; ++i) {
    const double v = static_cast<double>(material.devColor[i]) * 255.0;
    rgb[i] = std::clamp(static_cast<int>(std::clamp(v, -1.0, 256.0)), 0, 255);
  }
  return rgb;
}

JoinNumberPlacement PlaceJoinNumber(Point2 a, Point2 b, bool mirrored, bool edgeIdReverse) {
  JoinNumberPlacement p;
  p.first = mirrored == edgeIdReverse ? a : b;
  p.second = mirrored == edgeIdReverse ? b : a;
  const double ex = p.first.x - p.second.x;
  const double ey = p.first.y - p.second.y;
  const double length = std::sqrt(ex * ex + ey * ey);
  if (!(length > 0.0)) return p;  // a side of no length has no direction
  p.dx = ex / length;
  p.dy = ey / length;
  p.middle = {(p.first.x + p.second.x) / 2.0, (p.first.y + p.second.y) / 2.0};
  // The text runs from first to second: the angle whose sine is dy, turned
  // over when the side runs leftwards from first. (The cosine would stand
  // the number across the side instead of along it.)
  p.angleDegrees = std::asin(std::clamp(p.dy, -1.0, 1.0)) * 57.29577951308239;
  if (ex > 0) p.angleDegrees = 180.0 - p.angleDegrees;
  p.valid = true;
  return p;
}

}  // namespace plicora
