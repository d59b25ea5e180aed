#pragma once
// Fast text of a double with six digits after the point, character for
// character what printf's "%f" gives in the default rounding mode (the exact
// binary value rounded to nearest, ties to even; "-0.000000" for negative
// values that round to zero; inf and nan as printf writes them).

#include <cstddef>

namespace plicora {

/// Longest text FormatFixed6 writes (the conversion of -DBL_MAX), without a
/// terminating zero.
inline constexpr std::size_t kMaxFixed6Length = 317;

/// Writes the "%f" text of `value` at `out` (no terminating zero) and returns
/// its length. `out` must hold kMaxFixed6Length + 1 characters.
std::size_t FormatFixed6(double value, char* out);

}  // namespace plicora
