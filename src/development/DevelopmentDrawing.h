#pragma once
// Small pieces shared by the development renderers: corner positions, line
// styles, face colours and the join-number direction.

#include <array>
#include <cmath>

#include "app/Settings.h"
#include "development/DevelopmentGeometry.h"
#include "model/Model.h"
#include "model/Units.h"

namespace plicora {

enum class LineStyle { None, Solid, Dot1, Dot2 };

/// Centimetres per point of line width.
inline constexpr double kCmPerLinePoint = 0.035146;

/// The style of a drawn line class: cut lines are solid unless "None";
/// folds follow their line type (0 solid, 1 Dot1, 2 Dot2, 3 none).
LineStyle StyleOfLine(EdgeLineClass lineClass, const Settings& settings);

/// A corner in development units, part offset included.
inline Point2 CornerOf(const HalfEdge& half, const Part& part) {
  return {half.devPos.x + part.offsetX, half.devPos.y + part.offsetY};
}

/// The fill colour of a material: devColor times 255, truncated, 0..255.
std::array<int, 3> MaterialFillColor(const Material& material);

/// Direction and turn of a join number on a side from a to b (any units,
/// y down): the first and second point follow the mirror and reverse
/// switches; the angle is in degrees.
struct JoinNumberPlacement {
  bool valid = false;
  Point2 first, second;
  double dx = 0.0, dy = 0.0;  ///< (first - second) / length
  Point2 middle;
  double angleDegrees = 0.0;
};
JoinNumberPlacement PlaceJoinNumber(Point2 a, Point2 b, bool mirrored, bool edgeIdReverse);

}  // namespace plicora
