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
  p.angleDegrees = std::asin(std::clamp(p.dy, -1.0, 1.0)) * kDegreesPerRadian;
  if (ex > 0) p.angleDegrees = 180.0 - p.angleDegrees;
  p.valid = true;
  return p;
}

}  // namespace plicora
