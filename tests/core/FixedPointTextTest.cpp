#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <random>
#include <string>

#include "core/export/FixedPointText.h"

namespace plicora {
namespace {

// Six digits (the EPS writer's) unless told otherwise (two: the SVG's).
std::string Fast(double v, int digits = 6) {
  char text[kMaxFixed6Length + 1];
  return std::string(text, digits == 6 ? FormatFixed6(v, text) : FormatFixed(v, digits, text));
}

std::string Printf(double v, int digits = 6) {
  char text[kMaxFixed6Length + 16];
  std::snprintf(text, sizeof text, "%.*f", digits, v);
  return text;
}

constexpr int kDigits[] = {6, 2, 0};

TEST(FixedPointText, SpecialValuesMatchPrintf) {
  const double values[] = {0.0,
                           -0.0,
                           1.0,
                           -1.0,
                           28.346456692913385,
                           -0.346456692913385,
                           0.0000005,
                           -0.0000005,
                           0.0000004999,
                           -1e-9,
                           0.0078125,  // ...812.5 millionths: a tie, kept even
                           0.0234375,  // ...437.5: a tie, rounded up to even
                           2.5e-7,
                           999999.9999995,
                           1e15 - 1,
                           1e15,
                           -1e15,
                           1e20,
                           DBL_MAX,
                           -DBL_MAX,
                           DBL_MIN,
                           std::numeric_limits<double>::denorm_min(),
                           std::numeric_limits<double>::infinity(),
                           -std::numeric_limits<double>::infinity(),
                           std::numeric_limits<double>::quiet_NaN()};
  for (int digits : kDigits) {
    for (double v : values) EXPECT_EQ(Fast(v, digits), Printf(v, digits)) << Printf(v, digits);
  }
  EXPECT_EQ(Fast(-DBL_MAX).size(), kMaxFixed6Length);
}

TEST(FixedPointText, RandomValuesAcrossMagnitudesMatchPrintf) {
  std::mt19937_64 random(12345);
  std::uniform_real_distribution<double> exponent(-12.0, 16.0);
  int mismatches = 0;
  for (int i = 0; i < 400000 && mismatches < 5; ++i) {
    double v = std::pow(10.0, exponent(random));
    if (random() & 1) v = -v;
    const int digits = kDigits[i % 3];
    if (Fast(v, digits) != Printf(v, digits)) {
      ++mismatches;
      ADD_FAILURE() << Printf(v, digits);
    }
  }
}

TEST(FixedPointText, HalfwayAndNearHalfwayValuesMatchPrintf) {
  // k + 0.5 units of the last digit and their neighbours one unit in the
  // last place away, for values that are exact binary fractions and for
  // ordinary ones.
  std::mt19937_64 random(777);
  int mismatches = 0;
  for (int i = 0; i < 200000 && mismatches < 5; ++i) {
    const int digits = kDigits[i % 3];
    const double k = static_cast<double>(random() % 2000000000000ULL);
    const double base = (k + 0.5) / std::pow(10.0, digits);
    for (double v : {base, std::nextafter(base, 0.0), std::nextafter(base, 1e300), std::ldexp(k, -20)}) {
      if (Fast(v, digits) != Printf(v, digits)) {
        ++mismatches;
        ADD_FAILURE() << Printf(v, digits);
      }
    }
  }
}

}  // namespace
}  // namespace plicora
