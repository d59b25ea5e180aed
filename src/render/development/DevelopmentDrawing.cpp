#include "render/development/DevelopmentDrawing.h"

#include <algorithm>

namespace plicora {

std::array<int, 3> MaterialFillColor(const Material& material) {
  std::array<int, 3> rgb{};
  for (std::size_t i = 0; i < 3; ++i) {
    const double v = static_cast<double>(material.devColor[i]) * 255.0;
    rgb[i] = std::clamp(static_cast<int>(std::clamp(v, -1.0, 256.0)), 0, 255);
  }
  return rgb;
}

}  // namespace plicora
