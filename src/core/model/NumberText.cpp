#include "core/model/NumberText.h"

#include <locale.h>

#include <charconv>
#include <climits>
#include <clocale>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace plicora {
namespace {

bool IsCSpace(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}

locale_t CLocale() {
  static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return locale;
}

/// The value of the eight digit characters at p; false when one of them is
/// not a digit.
bool EightDigits(const char* p, std::uint32_t& value) {
  std::uint64_t v;
  std::memcpy(&v, p, 8);
  // Every byte 0x30..0x39: its high half is 3, and adding 6 keeps it 3.
  if ((v & 0xF0F0F0F0F0F0F0F0u) != 0x3030303030303030u ||
      ((v + 0x0606060606060606u) & 0xF0F0F0F0F0F0F0F0u) != 0x3030303030303030u) {
    return false;
  }
  v -= 0x3030303030303030u;  // digits, the first in the lowest byte
  v = v * 10 + (v >> 8);     // pairs of digits in bytes 0, 2, 4, 6
  v = (((v & 0x000000FF000000FFu) * (100 + (1000000ull << 32))) +
       (((v >> 16) & 0x000000FF000000FFu) * (1 + (10000ull << 32)))) >>
      32;
  value = static_cast<std::uint32_t>(v);
  return true;
}

/// The common plain decimal "[-]digits[.digits]" as an exact quotient of two
/// exactly representable numbers (then the one rounding of the division is
/// the correctly rounded value that strtod gives). False when the token has
/// another form or too many digits.
bool PlainDecimal(std::string_view token, double& value) {
  static constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                            1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  const char* p = token.data();
  const char* end = p + token.size();
  const bool negative = p != end && *p == '-';
  if (negative) ++p;
  std::uint64_t mantissa = 0;
  int digits = 0, fraction = 0;
  bool point = false;
  for (; p != end; ++p) {
    // Eight digits in a row are taken at once (most of a coordinate).
    std::uint32_t eight = 0;
    if (end - p >= 8 && digits <= 11 && EightDigits(p, eight)) {
      mantissa = mantissa * 100000000 + eight;
      digits += 8;
      fraction += point ? 8 : 0;
      p += 7;
      continue;
    }
    const char c = *p;
    if (c >= '0' && c <= '9') {
      if (++digits > 19) return false;
      mantissa = mantissa * 10 + static_cast<unsigned>(c - '0');
      fraction += point;
    } else if (c == '.' && !point) {
      point = true;
    } else {
      return false;
    }
  }
  if (digits == 0 || mantissa > (std::uint64_t{1} << 53) || fraction > 22) return false;
  const double magnitude = static_cast<double>(mantissa) / kPowersOfTen[fraction];
  value = negative ? -magnitude : magnitude;
  return true;
}

double SlowReal(std::string_view token) {
  const std::string text(token);  // strtod needs a terminated string
  return strtod_l(text.c_str(), nullptr, CLocale());
}

}  // namespace

int IntFromToken(std::string_view token) {
  // The common token: up to nine digits, nothing else.
  if (!token.empty() && token.size() <= 9) {
    int value = 0;
    std::size_t k = 0;
    for (; k < token.size() && token[k] >= '0' && token[k] <= '9'; ++k) value = value * 10 + (token[k] - '0');
    if (k == token.size()) return value;
  }
  std::size_t i = 0;
  while (i < token.size() && IsCSpace(token[i])) ++i;
  bool negative = false;
  if (i < token.size() && (token[i] == '+' || token[i] == '-')) negative = token[i++] == '-';
  // Accumulate as strtol does: saturate at LONG_MAX / LONG_MIN.
  const std::uint64_t limit =
      negative ? static_cast<std::uint64_t>(LONG_MAX) + 1 : static_cast<std::uint64_t>(LONG_MAX);
  std::uint64_t value = 0;
  for (; i < token.size() && token[i] >= '0' && token[i] <= '9'; ++i) {
    const unsigned digit = static_cast<unsigned>(token[i] - '0');
    if (value > (limit - digit) / 10) {
      value = limit;
      break;
    }
    value = value * 10 + digit;
  }
  const long asLong = negative ? static_cast<long>(0 - value) : static_cast<long>(value);
  return static_cast<int>(asLong);  // glibc's atoi is (int) strtol: keeps the low 32 bits
}

double RealFromToken(std::string_view token) {
  if (token.empty()) return 0.0;
  const char first = token.front();
  if (first == '+' || IsCSpace(first)) return SlowReal(token);
  // A hexadecimal float needs "0x" within the first three characters.
  for (std::size_t i = 0; i < token.size() && i < 3; ++i)
    if (token[i] == 'x' || token[i] == 'X') return SlowReal(token);
  double value = 0.0;
  if (PlainDecimal(token, value)) return value;
  const auto [end, error] = std::from_chars(token.data(), token.data() + token.size(), value);
  (void)end;
  if (error == std::errc()) return value;
  if (error == std::errc::invalid_argument) return 0.0;
  return SlowReal(token);  // out of range: strtod gives +-HUGE_VAL or the underflowed value
}

}  // namespace plicora
