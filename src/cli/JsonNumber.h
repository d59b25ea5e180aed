#pragma once
// Numbers in the JSON the batch commands print.

#include <string>

namespace plicora {

/// `value` with 17 significant digits, so that it reads back exactly;
/// "null" for NaN and the infinities, which JSON lacks.
std::string JsonNumber(double value);

}  // namespace plicora
