// sin and cos reduce their argument by quarter turns themselves below 2^20; the results must stay
// within a unit in the last place of the exact values, next to multiples of pi/2 too.
#include <quadmath.h>

#include <cmath>
#include <random>

#include "engine/specfun.h"
#include "tests/engine/engine_test_support.h"
#include "tests/engine/quad_reference.h"

namespace {

class SinCosReduction : public EngineTest {};

void ExpectAccurate(Extended x) {
  const __float128 q = x;
  EXPECT_LE(Ulps(SafeSin(x), sinq(q)), 1.05) << static_cast<double>(x);
  EXPECT_LE(Ulps(SafeCos(x), cosq(q)), 1.05) << static_cast<double>(x);
}

TEST_F(SinCosReduction, RandomArgumentsAreAccurate) {
  std::mt19937_64 rng(42);
  for (const double range : {1.0, 4.0, 10.0, 1000.0, 1048576.0}) {
    std::uniform_real_distribution<double> d(-range, range);
    for (int i = 0; i < 20000; ++i) {
      ExpectAccurate(static_cast<Extended>(d(rng)) * (1 + static_cast<Extended>(d(rng)) * 1e-17L));
      if (HasFailure()) return;
    }
  }
}

TEST_F(SinCosReduction, NextToMultiplesOfHalfPi) {
  const __float128 halfPi = acosq(static_cast<__float128>(-1)) / 2;
  for (int k = 1; k < 700000; k += 997) {
    const Extended x = static_cast<Extended>(k * halfPi);
    for (const Extended y : {std::nextafter(x, -INFINITY), x, std::nextafter(x, INFINITY)}) {
      ExpectAccurate(y);
      ExpectAccurate(-y);
    }
    if (HasFailure()) return;
  }
}

TEST_F(SinCosReduction, BoundsOfTheQuickReduction) {
  for (const Extended x : {0.785398163397448309615L, 0.7853981634L, 0x1p20L, 0x1p20L - 0.5L,
                           1048575.9999999L, 3.14159265358979323846L, 1.57079632679489661923L})
    ExpectAccurate(x);
  // Beyond the limit the library's reduction answers as before.
  EXPECT_EQ(SafeSin(0x1p21L), std::sin(0x1p21L));
  EXPECT_EQ(SafeCos(-0x1p40L), std::cos(-0x1p40L));
  EXPECT_EQ(SafeSin(0x1p63L), 0);
  EXPECT_EQ(SafeSin(0.5L), std::sin(0.5L));
}

}  // namespace
