// The table-driven exponential must stay within about half a unit in the last place over the
// whole range of the exp( built-in, and behave like the library beyond it.
#include <cmath>
#include <limits>
#include <random>

#include "engine/exp_kernel.h"
#include "engine/specfun.h"
#include "tests/engine/engine_test_support.h"
#include "tests/engine/quad_reference.h"

namespace {

class ExpKernel : public EngineTest {};

TEST_F(ExpKernel, RandomArgumentsAreWithinHalfAUnit) {
  std::mt19937_64 rng(7);
  for (const double range : {1e-12, 1e-3, 0.0055, 1.0, 20.0, 700.0, 11355.0}) {
    std::uniform_real_distribution<double> d(-range, range);
    double worst = 0;
    for (int i = 0; i < 40000; ++i) {
      const Extended x =
          static_cast<Extended>(d(rng)) * (1 + static_cast<Extended>(d(rng)) * 1e-17L / range);
      const double e = Ulps(KernelExp(x), expq(static_cast<__float128>(x)));
      if (e > worst) worst = e;
      ASSERT_LE(e, 0.55) << static_cast<double>(x);
    }
    // The bound is not loose: the worst case is near half a unit.
    if (range >= 1) {
      EXPECT_GT(worst, 0.45);
    }
  }
}

TEST_F(ExpKernel, EdgesOfTheRange) {
  EXPECT_EQ(KernelExp(0), 1);
  EXPECT_EQ(KernelExp(-0.0L), 1);
  EXPECT_EQ(KernelExp(0x1p-70L), 1);
  EXPECT_TRUE(std::isnan(KernelExp(std::numeric_limits<Extended>::quiet_NaN())));
  // Whole multiples of ln 2 / 64 use the table alone.
  for (int k = -640; k <= 640; k += 7) {
    const Extended x = static_cast<Extended>(k * logq(2) / 64);
    EXPECT_LE(Ulps(KernelExp(x), expq(static_cast<__float128>(x))), 0.55) << k;
  }
  // The ends of exp('s range are finite, normal and accurate (the upper limit itself is rounded
  // up from ln of the largest long double, just past it).
  for (const Extended x :
       {ExpLowLimit, ExpHighLimit - 1e-9L, ExpHighLimit - 0.3L, ExpLowLimit + 0.5L}) {
    const Extended v = KernelExp(x);
    EXPECT_TRUE(std::isnormal(v)) << static_cast<double>(x);
    EXPECT_LE(Ulps(v, expq(static_cast<__float128>(x))), 0.55) << static_cast<double>(x);
  }
  EXPECT_TRUE(std::isinf(KernelExp(11357)));
  EXPECT_TRUE(std::isinf(KernelExp(1e30L)));
  EXPECT_EQ(KernelExp(-1e30L), 0);
  const Extended sub = KernelExp(-11400);
  EXPECT_TRUE(sub >= 0 && sub < std::numeric_limits<Extended>::min());
  // Through the built-in: the range checks come first.
  EXPECT_VALUE("exp(1)", static_cast<Extended>(expq(1)));
  EXPECT_EQ(Eval("exp(11357)").Code, errOverflow);
  EXPECT_EQ(Eval("exp(-11356)").Code, errUnderflow);
}

}  // namespace
