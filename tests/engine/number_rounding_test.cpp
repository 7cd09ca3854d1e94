// Short decimal numbers are converted by integer arithmetic and one operation with a power of ten;
// the result must be the correctly rounded one that from_chars gives, bit for bit.
#include <charconv>
#include <cstdint>
#include <random>
#include <string>

#include "tests/engine/engine_test_support.h"

namespace {

class NumberRounding : public EngineTest {};

Extended FromChars(const std::string& Text) {
  Extended v = 0;
  const auto r = std::from_chars(Text.data(), Text.data() + Text.size(), v);
  EXPECT_EQ(r.ptr, Text.data() + Text.size()) << Text;
  return v;
}

// Bitwise equality, so that a result one unit off in the last place cannot pass as equal.
void ExpectSameBits(const std::string& Text) {
  const TEvalResult r = Eval(Text);
  ASSERT_FALSE(r.Failed) << Text;
  const Extended expected = FromChars(Text);
  EXPECT_TRUE(r.Value == expected && std::signbit(r.Value) == std::signbit(expected))
      << Text << ": " << static_cast<double>(r.Value);
}

// A decimal of Digits random digits with the point after Point of them (none when Point is
// Digits) and an exponent (none when Exponent is 0).
std::string Decimal(std::mt19937_64& Rng, int Digits, int Point, int Exponent) {
  std::uniform_int_distribution<int> digit(0, 9);
  std::string t;
  for (int i = 0; i < Digits; ++i) {
    if (i == Point) t += '.';
    t += static_cast<char>('0' + digit(Rng));
  }
  if (Exponent != 0) t += (Exponent < 0 ? "E-" : "E+") + std::to_string(std::abs(Exponent));
  return t;
}

TEST_F(NumberRounding, RandomShortDecimalsMatchFromChars) {
  std::mt19937_64 rng(20261208);
  std::uniform_int_distribution<int> digits(1, 21), exponent(-40, 40), coin(0, 3);
  for (int i = 0; i < 200000; ++i) {
    const int n = digits(rng);
    std::uniform_int_distribution<int> point(0, n);
    const int p = point(rng);
    ExpectSameBits(Decimal(rng, n, p, coin(rng) == 0 ? 0 : exponent(rng)));
    if (HasFailure()) return;
  }
}

// The hardest cases for rounding: mantissas near 2^64 and near the halfway points between two
// neighbouring long doubles, divided by the largest exact powers of ten.
TEST_F(NumberRounding, EdgesOfTheShortForm) {
  for (const char* t : {"9999999999999999999",
                        "9999999999999999999E27",
                        "9999999999999999999E-27",
                        "18446744073709551615",
                        "1844674407370955161",
                        "1844674407370955161E-27",
                        "9223372036854775807",
                        "9223372036854775808",
                        "9223372036854775809",
                        "4611686018427387903.5",
                        "0.0000000000000000000000000001",
                        "1E27",
                        "1E28",
                        "1E-27",
                        "1E-28",
                        "0000000000000000000001.5",
                        "1.000000000000000000000",
                        "0.0",
                        "0",
                        "00.00E5",
                        "0E-99",
                        "5E-0",
                        "123456789.0123456789",
                        "0.1",
                        "0.2",
                        "0.3",
                        "3.3",
                        "2.2",
                        "1E+27",
                        "7.000000000000000001E-20",
                        "9.999999999999999999E-8"}) {
    ExpectSameBits(t);
  }
  // Every halfway point m + 1/2 of the mantissas just above 2^63, scaled down: exact ties that
  // must round to even.
  for (std::uint64_t m = (std::uint64_t{1} << 63) - 20; m < (std::uint64_t{1} << 63) + 20; ++m) {
    ExpectSameBits(std::to_string(m));
    for (int k = 1; k <= 27; ++k) ExpectSameBits(std::to_string(m) + "E-" + std::to_string(k));
  }
}

TEST_F(NumberRounding, LongDigitStringsAreUnchanged) {
  std::mt19937_64 rng(7);
  std::uniform_int_distribution<int> digits(18, 60), exponent(-300, 300);
  for (int i = 0; i < 20000; ++i) {
    const int n = digits(rng);
    std::uniform_int_distribution<int> point(0, n);
    ExpectSameBits(Decimal(rng, n, point(rng), exponent(rng)));
    if (HasFailure()) return;
  }
}

}  // namespace
