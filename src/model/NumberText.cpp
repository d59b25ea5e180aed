#include "model/NumberText.h"

#include <charconv>
#include <climits>
#include <clocale>
#include <cstdint>
#include <cstdlib>
#include <locale.h>
#include <string>

namespace plicora {
namespace {

bool IsCSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

locale_t CLocale() {
  static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return locale;
}

double SlowReal(std::string_view token) {
  const std::string text(token);  // strtod needs a terminated string
  return strtod_l(text.c_str(), nullptr, CLocale());
}

}  // namespace

int IntFromToken(std::string_view token) {
  std::size_t i = 0;
  while (i < token.size() && IsCSpace(token[i])) ++i;
  bool negative = false;
  if (i < token.size() && (token[i] == '+' || token[i] == '-')) negative = token[i++] == '-';
  // Accumulate as strtol does: saturate at LONG_MAX / LONG_MIN.
  const std::uint64_t limit = negative ? static_cast<std::uint64_t>(LONG_MAX) + 1 : static_cast<std::uint64_t>(LONG_MAX);
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
  const auto [end, error] = std::from_chars(token.data(), token.data() + token.size(), value);
  (void)end;
  if (error == std::errc()) return value;
  if (error == std::errc::invalid_argument) return 0.0;
  return SlowReal(token);  // out of range: strtod gives +-HUGE_VAL or the underflowed value
}

}  // namespace plicora
