#include "core/configuration/IntegerEntry.h"

namespace plicora {

std::string OutOfRangeMessage(IntegerRange range) {
  return "Please enter an integer between " + std::to_string(range.low) + " and " + std::to_string(range.high) + ".";
}

}  // namespace plicora
