#include "core/configuration/FlapConfiguration.h"

#include <cmath>

namespace plicora {

int FlapWidthMillimetres(double widthCm) {
  return static_cast<int>(std::trunc(widthCm * 10.0));  // millimetres per centimetre
}

FlapConfiguration FlapConfiguration::FromSettings(const Settings& s) {
  return {s.bDrawFlap, FlapWidthMillimetres(s.flapWidth)};
}

std::optional<FieldProblem<FlapConfiguration>> FlapConfiguration::Validate() const {
  return CheckRange(*this, &FlapConfiguration::widthMillimetres, kFlapWidthsMillimetres);
}

double FlapConfiguration::WidthCentimetres() const {
  return widthMillimetres * 0.1;  // centimetres per millimetre
}

void FlapConfiguration::ApplyTo(Settings& s) const {
  s.bDrawFlap = showFlaps;
  s.flapWidth = WidthCentimetres();
}

}  // namespace plicora
