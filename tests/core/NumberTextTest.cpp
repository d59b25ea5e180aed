#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#include "core/model/NumberText.h"

namespace plicora {
namespace {

// The reader must give exactly what atoi / atof give for every token.
TEST(NumberTextTest, IntegersMatchAtoi) {
  const char* tokens[] = {"0",
                          "7",
                          "-7",
                          "+7",
                          "12abc",
                          "abc",
                          "",
                          "-",
                          "+",
                          "2147483647",
                          "2147483648",
                          "-2147483648",
                          "-2147483649",
                          "4294967296",
                          "9223372036854775807",
                          "9223372036854775808",
                          "-9223372036854775809",
                          "99999999999999999999999",
                          "1.9",
                          "1e5",
                          "0x10",
                          "--1",
                          "00012",
                          "-0"};
  for (const char* t : tokens) EXPECT_EQ(IntFromToken(t), std::atoi(t)) << t;
}

void ExpectSameReal(const std::string& token) {
  const double expected = std::atof(token.c_str());
  const double got = RealFromToken(token);
  if (std::isnan(expected)) {
    EXPECT_TRUE(std::isnan(got)) << token;
    EXPECT_EQ(std::signbit(expected), std::signbit(got)) << token;
  } else {
    EXPECT_EQ(std::memcmp(&expected, &got, sizeof got), 0) << token << " " << expected << " " << got;
  }
}

TEST(NumberTextTest, RealsMatchAtof) {
  const char* tokens[] = {"0",
                          "-0",
                          "1e5",
                          "1E5",
                          ".5",
                          "5.",
                          "-.5",
                          "+.5",
                          "+1",
                          "0x1p3",
                          "-0x1p-2",
                          "0X1A",
                          "0x",
                          "inf",
                          "-INF",
                          "infinity",
                          "infinit",
                          "nan",
                          "-nan",
                          "NaN(12)",
                          "nan(",
                          "1e",
                          "1e+",
                          "1e-",
                          "abc",
                          "",
                          ".",
                          "-",
                          "+",
                          "e5",
                          "1e-400",
                          "-1e400",
                          "4.9e-324",
                          "2.2250738585072011e-308",
                          "1.7976931348623157e308",
                          "1.7976931348623159e308",
                          "0.1",
                          "3.14abc",
                          "12345678901234567890123456789",
                          "0.000000000000000000000001e24",
                          "1,5",
                          "1.5.5",
                          "2.22044605e-16",
                          "--1",
                          "-+1",
                          "+-1",
                          "0.168674699"};
  for (const char* t : tokens) ExpectSameReal(t);

  std::mt19937 rng(7);
  const std::string alphabet = "0123456789.eE+-xXpPinfaINFA";
  for (int i = 0; i < 20000; ++i) {
    std::string t;
    const int length = 1 + static_cast<int>(rng() % 12);
    for (int k = 0; k < length; ++k) t += alphabet[rng() % alphabet.size()];
    ExpectSameReal(t);
    EXPECT_EQ(IntFromToken(t), std::atoi(t.c_str())) << t;
  }
}

// Long plain decimals (the fast path's own ground: up to 19 digits, a point
// anywhere, a sign) and the same with a tail that atof stops at.
TEST(NumberTextTest, LongDecimalsMatchAtof) {
  std::mt19937_64 rng(2026);
  const char* tails[] = {"", "", "", "e", "e-7", "E+300", "x", "-", ".", "abc", "e-330", "e308"};
  for (int i = 0; i < 100000; ++i) {
    std::string t = rng() % 4 == 0 ? "-" : "";
    const int digits = 1 + static_cast<int>(rng() % 24);
    const int point = static_cast<int>(rng() % (digits + 2)) - 1;  // -1: no point
    for (int k = 0; k < digits; ++k) {
      if (k == point) t += '.';
      // Runs of 9s and 0s reach the rounding boundaries more often.
      const unsigned pick = static_cast<unsigned>(rng() % 14);
      t += pick < 10 ? static_cast<char>('0' + pick) : (pick < 12 ? '9' : '0');
    }
    t += tails[rng() % (sizeof tails / sizeof *tails)];
    ExpectSameReal(t);
    EXPECT_EQ(IntFromToken(t), std::atoi(t.c_str())) << t;
    if (HasFailure()) break;
  }
}

}  // namespace
}  // namespace plicora
