#pragma once
// Fast text of a double with a fixed number of digits after the point,
// character for character what printf's "%.Nf" gives in the default rounding
// mode (the exact binary value rounded to nearest, ties to even; "-0.000000"
// for negative values that round to zero; inf and nan as printf writes them).

#include <cstddef>

namespace plicora {

/// Longest text FormatFixed6 writes (the conversion of -DBL_MAX), without a
/// terminating zero; no FormatFixed text is longer.
inline constexpr std::size_t kMaxFixed6Length = 317;

/// Writes the "%.Nf" text of `value` for N = `digits` (0 to 6) at `out` (no
/// terminating zero) and returns its length. `out` must hold
/// kMaxFixed6Length + 1 characters.
std::size_t FormatFixed(double value, int digits, char* out);

/// The "%f" text (six digits).
inline std::size_t FormatFixed6(double value, char* out) {
  return FormatFixed(value, 6, out);
}

}  // namespace plicora
