// A double set into a long double through the integer unit must give the processor's own
// conversion to the last bit, for every kind of double: normal, subnormal, signed zeros,
// infinities and NaN.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>

#include "engine/extended_bits.h"

namespace {

bool SameBits(Extended A, Extended B) { return std::memcmp(&A, &B, 10) == 0; }

TEST(ExtendedBits, DoublesAreSetAsTheProcessorConvertsThem) {
  using L = std::numeric_limits<double>;
  std::vector<double> values = {0.0,
                                -0.0,
                                1.0,
                                -1.5,
                                L::min(),
                                -L::min(),
                                L::denorm_min(),
                                -L::denorm_min(),
                                L::max(),
                                -L::max(),
                                L::infinity(),
                                -L::infinity(),
                                L::quiet_NaN(),
                                0x1p-1073,
                                0x1.8p-1070,
                                0x0.fffffffffffffp-1022};
  std::mt19937_64 rng(7);
  for (int i = 0; i < 200000; ++i) {
    std::uint64_t bits = rng();
    if (i % 4 == 0) bits &= ~(std::uint64_t{0x7FF} << 52);  // subnormal or zero
    double d = 0;
    std::memcpy(&d, &bits, sizeof d);
    if (!std::isnan(d)) values.push_back(d);
  }
  for (const double d : values) {
    Extended set = 12345;
    SetFromDouble(set, d);
    EXPECT_TRUE(SameBits(set, static_cast<Extended>(d))) << d;
  }
}

}  // namespace
