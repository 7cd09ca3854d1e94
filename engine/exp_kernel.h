#pragma once
// The exponential in long double, by a table of 2^(j/64) and a short polynomial. The library's
// long double exponential switches the x87 control word and uses its slowest instructions; in a
// formula beside other functions it costs several times what this does, and it is 1.1 units in
// the last place off where this stays within 0.52.
#include <cmath>
#include <cstdint>
#include <limits>

#include "engine/engine_state.h"
#include "engine/extended_bits.h"

// e^x for any x whose result is a normal long double (|x| below about 11355); beyond that it
// follows ldexp (0 or infinity). NaN gives NaN.
Extended KernelExp(const Extended& x);  // by reference, as SafeSin

namespace exp_kernel {

// 2^(j/64) = Hi + Lo, from tools/gen_exp_table.py. Lo and the constants below that do not reach
// the result's last bits are doubles, which the processor loads several times as fast as long
// doubles.
struct TPair {
  Extended Hi;
  double Lo;
};
// The rows, in engine/exp_kernel.cpp.
extern const TPair PowersOfTwo[64];

constexpr double InvLn2By64 = 0x171547652b82fep-46;
// ln 2 / 64 in two parts; Hi has 44 bits, so k Hi is exact for every k the range allows.
constexpr double Ln2By64Hi = 0xb17217f7d1cp-50;
constexpr double Ln2By64Lo = 0x1ef35793c76730p-103;

// v 2^m where the result is not a normal long double.
Extended ExpFar(Extended v, int m);

// KernelExp inline, for a caller that holds x in a register.
[[gnu::always_inline]] inline Extended Exp(Extended x) {
  if (!(std::fabs(x) > 0x1p-66L)) return 1 + x;  // also NaN
  if (std::fabs(x) > 12000) return x > 0 ? std::numeric_limits<Extended>::infinity() : 0;
  // x = k ln2/64 + r with |r| <= ln2/128 (a little more where the rounding of k is off by one).
  Extended kf = 0;
  const std::int64_t k = NearestWhole(x * InvLn2By64, kf);
  const Extended r = (x - kf * Ln2By64Hi) - kf * Ln2By64Lo;
  // e^r - 1 to its seventh power, whose first omitted term is below 2^-75 of the result, as
  // r + r^2 q; Estrin's grouping keeps the chain of dependent operations short.
  const Extended r2 = r * r;
  const Extended r4 = r2 * r2;
  const Extended a = 0.5 + r * (1.0 / 6);
  const Extended b = 1.0 / 24 + r * (1.0 / 120);
  const Extended c = 1.0 / 720 + r * (1.0 / 5040);
  const Extended q = (a + r2 * b) + r4 * c;
  // The table's value times e^r, the terms of r and of r^2 q taken apart so that each waits only
  // for its own factors; where the scale 2^m is a double it is applied to the table's value
  // first, beside the series (a power of two scales every rounding exactly so far inside the
  // range).
  const TPair& t = PowersOfTwo[k & 63];
  const auto m = static_cast<int>(k >> 6);  // floor division: k is two's complement
  if (m > -1023 && m < 1024) {
    const Extended scale = PowerOfTwo(m);
    const Extended hi = t.Hi * scale;
    return hi + ((t.Lo * scale + hi * r) + (hi * r2) * q);
  }
  const Extended v = t.Hi + ((t.Lo + t.Hi * r) + (t.Hi * r2) * q);
  if (m > -16382 && m < 16383) return v * PowerOfTwo(m);
  return ExpFar(v, m);
}

}  // namespace exp_kernel
