#include "core/export/FixedPointText.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace plicora {

namespace {

/// Above this magnitude printf does the work (rare in practice).
constexpr double kFastLimit = 1e13;  // millionths stay below 2^64

constexpr std::uint64_t kPowersOfTen[] = {1, 10, 100, 1000, 10000, 100000, 1000000};

std::size_t WriteDecimal(std::uint64_t value, char* out) {
  char digits[20];
  std::size_t count = 0;
  do {
    digits[count++] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value);
  for (std::size_t i = 0; i < count; ++i) out[i] = digits[count - 1 - i];
  return count;
}

}  // namespace

std::size_t FormatFixed(double value, int digits, char* out) {
  if (digits < 0 || digits > 6 || !(std::fabs(value) < kFastLimit)) {
    const int n = std::snprintf(out, kMaxFixed6Length + 1, "%.*f", digits, value);
    return n > 0 ? static_cast<std::size_t>(n) : 0;
  }
  // value = mantissa * 2^exponent exactly; the scaled value mantissa * 10^6
  // fits in 73 bits, and below 10^13 the exponent is always negative.
  const std::uint64_t unit = kPowersOfTen[digits];
  const std::uint64_t bits = std::bit_cast<std::uint64_t>(value);
  const int field = static_cast<int>((bits >> 52) & 0x7FF);
  const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
  const std::uint64_t mantissa = field ? (fraction | (std::uint64_t{1} << 52)) : fraction;
  const int shift = 1075 - (field ? field : 1);  // minus the exponent
  const unsigned __int128 scaled = static_cast<unsigned __int128>(mantissa) * unit;
  std::uint64_t units = 0;  // of the last digit
  if (shift < 100) {
    units = static_cast<std::uint64_t>(scaled >> shift);
    const unsigned __int128 rest = scaled & ((static_cast<unsigned __int128>(1) << shift) - 1);
    const unsigned __int128 half = static_cast<unsigned __int128>(1) << (shift - 1);
    if (rest > half || (rest == half && (units & 1))) ++units;
  }  // else below 2^-26: rounds to zero
  std::size_t length = 0;
  if (bits >> 63) out[length++] = '-';
  length += WriteDecimal(units / unit, out + length);
  if (digits == 0) return length;
  out[length++] = '.';
  std::uint64_t part = units % unit;
  for (int i = digits - 1; i >= 0; --i) {
    out[length + static_cast<std::size_t>(i)] = static_cast<char>('0' + part % 10);
    part /= 10;
  }
  return length + static_cast<std::size_t>(digits);
}

}  // namespace plicora
