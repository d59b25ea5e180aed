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

}  // namespace plicora
