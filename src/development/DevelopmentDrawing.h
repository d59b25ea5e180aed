#pragma once
// Small pieces shared by the development renderers: corner positions, line
// styles, face colours and the join-number direction.

#include <array>
#include <cmath>

#include "development/DevelopmentGeometry.h"
#include "model/Model.h"
#include "model/Settings.h"
#include "model/Units.h"

namespace plicora {

/// Centimetres per point of line width.
inline constexpr double kCmPerLinePoint = 0.035146;

/// A corner in development units, part offset included.
inline Point2 CornerOf(const HalfEdge& half, const Part& part) {
  return {half.devPos.x + part.offsetX, half.devPos.y + part.offsetY};
}

/// The fill colour of a material: devColor times 255, truncated, 0..255.
std::array<int, 3> MaterialFillColor(const Material& material);

}  // namespace plicora
