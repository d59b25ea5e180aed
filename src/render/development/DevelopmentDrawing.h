#pragma once
// Small pieces shared by the development renderers: corner positions, line
// styles, face colours and the join-number direction.

#include <array>
#include <cmath>

#include "core/development/DevelopmentGeometry.h"
#include "core/model/Model.h"
#include "core/model/Settings.h"
#include "core/model/Units.h"

namespace plicora {

/// The fill colour of a material: devColor times 255, truncated, 0..255.
std::array<int, 3> MaterialFillColor(const Material& material);

}  // namespace plicora
