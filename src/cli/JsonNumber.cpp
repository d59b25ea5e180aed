#include "cli/JsonNumber.h"

#include <cmath>
#include <cstdio>

namespace plicora {

std::string JsonNumber(double value) {
  if (!std::isfinite(value)) return "null";
  char text[40];
  std::snprintf(text, sizeof text, "%.17g", value);
  return text;
}

}  // namespace plicora
