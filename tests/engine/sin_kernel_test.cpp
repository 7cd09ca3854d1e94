// The engine's own sine and cosine below 2^20 must stay within about half a unit in the last
// place of the 113-bit values everywhere: across the steps of their table, where the series of
// small sines takes over, next to multiples of pi/2 and for tiny arguments, and keep the
// symmetries and the monotony a plot relies on.
#include <quadmath.h>

#include <cmath>
#include <limits>
#include <random>

#include "engine/exp_kernel.h"
#include "engine/specfun.h"
#include "tests/engine/engine_test_support.h"
#include "tests/engine/quad_reference.h"

namespace {

class SinKernel : public EngineTest {};

constexpr double Bound = 0.6;

double SinError(Extended x) { return Ulps(SafeSin(x), sinq(static_cast<__float128>(x))); }
double CosError(Extended x) { return Ulps(SafeCos(x), cosq(static_cast<__float128>(x))); }

TEST_F(SinKernel, RandomArgumentsAreWithinAboutHalfAUnit) {
  std::mt19937_64 rng(5);
  const double ranges[][2] = {{-0.79, 0.79}, {0.1, 3.1}, {2.5, 4.2},    {0.2, 6.6},
                              {-300, 300},   {1e3, 1e5}, {1e5, 1048575}};
  for (const auto& range : ranges) {
    std::uniform_real_distribution<double> d(range[0], range[1]);
    double worstSin = 0, worstCos = 0;
    for (int i = 0; i < 25000; ++i) {
      const Extended x =
          static_cast<Extended>(d(rng)) * (1 + static_cast<Extended>(d(rng)) * 1e-17L);
      worstSin = std::max(worstSin, SinError(x));
      worstCos = std::max(worstCos, CosError(x));
      ASSERT_LE(SinError(x), Bound) << static_cast<double>(x);
      ASSERT_LE(CosError(x), Bound) << static_cast<double>(x);
      // The symmetries hold exactly.
      ASSERT_EQ(SafeSin(-x), -SafeSin(x)) << static_cast<double>(x);
      ASSERT_EQ(SafeCos(-x), SafeCos(x)) << static_cast<double>(x);
    }
    // The bound is not loose.
    EXPECT_GT(worstSin, 0.45) << range[0];
    EXPECT_GT(worstCos, 0.45) << range[0];
  }
}

TEST_F(SinKernel, StepsOfTheTableAndMultiplesOfHalfPi) {
  const __float128 step = acosq(static_cast<__float128>(-1)) / 128;
  // Every step of the table in the first turns and far out, on both sides of it, where the
  // table's sum and the series of small sines meet, and the quarter turns themselves.
  for (const int base : {0, 64 * 40, 64 * 100001}) {
    for (int n = base - 300; n <= base + 300; ++n) {
      const Extended x = static_cast<Extended>(n * step);
      for (const Extended y : {std::nextafter(x, -INFINITY), x, std::nextafter(x, INFINITY),
                               x + static_cast<Extended>(step / 2) * (1 - 1e-15L),
                               x - static_cast<Extended>(step / 2) * (1 - 1e-15L)}) {
        if (!std::isnormal(y)) continue;
        ASSERT_LE(SinError(y), Bound) << n;
        ASSERT_LE(CosError(y), Bound) << n;
      }
    }
  }
  // sin rises through the first quarter turn and cos falls through the first half, across the
  // steps too: the table and the series must not disagree by a unit where they meet.
  for (int n = 1; n < 128; ++n) {
    Extended x = static_cast<Extended>(n * step);
    for (int m = 0; m < 64; ++m) x = std::nextafter(x, -INFINITY);
    for (int m = 0; m < 128; ++m) {
      const Extended next = std::nextafter(x, INFINITY);
      if (n < 64) {
        ASSERT_LE(SafeSin(x), SafeSin(next)) << n;
      }
      ASSERT_GE(SafeCos(x), SafeCos(next)) << n;
      x = next;
    }
  }
}

TEST_F(SinKernel, TinyZeroAndOutsideArguments) {
  for (const Extended x : {0x1p-40L, 1e-300L, std::numeric_limits<Extended>::denorm_min(),
                           std::numeric_limits<Extended>::min(), 1e-10L}) {
    EXPECT_EQ(SafeSin(x), x);
    EXPECT_EQ(SafeSin(-x), -x);
    EXPECT_EQ(SafeCos(x), 1);
  }
  EXPECT_LE(SinError(1e-5L), Bound);
  EXPECT_TRUE(std::signbit(SafeSin(-0.0L)));
  EXPECT_FALSE(std::signbit(SafeSin(0.0L)));
  EXPECT_EQ(SafeCos(-0.0L), 1);
  // NaN and infinities give 0 as the arguments beyond 2^63 do.
  for (const Extended x : {std::numeric_limits<Extended>::quiet_NaN(),
                           std::numeric_limits<Extended>::infinity(), -0x1p70L}) {
    EXPECT_EQ(SafeSin(x), 0);
    EXPECT_EQ(SafeCos(x), 0);
  }
  // The largest argument of the quick reduction and the first past it.
  const Extended last = std::nextafter(0x1p20L, 0.0L);
  EXPECT_LE(SinError(last), Bound);
  EXPECT_LE(CosError(-last), Bound);
  EXPECT_EQ(SafeSin(0x1p20L), std::sin(0x1p20L));
}

TEST_F(SinKernel, ExponentialWhereItsScaleChangesHowItIsMade) {
  // 2^m is made as a double for |m| below 1023 and from the long double's bits beyond.
  const __float128 ln2 = logq(2);
  for (const int m : {-16000, -1100, -1023, -1022, -1021, -1, 0, 1, 1022, 1023, 1024, 1100, 16000})
    for (const Extended f : {-0.49L, -0.01L, 0.0L, 0.3L, 0.49L}) {
      const Extended x = static_cast<Extended>((m + f) * ln2);
      EXPECT_LE(Ulps(KernelExp(x), expq(static_cast<__float128>(x))), 0.55)
          << m << " " << static_cast<double>(f);
    }
}

}  // namespace
