#pragma once
// The sine and cosine of the engine in long double, inline: a caller that holds its argument in
// an x87 register keeps it there (a long double passed to a function goes through memory, and the
// processor reads a long double it has just stored only once the store is done).
#include <cmath>
#include <cstdint>

#include "engine/extended_bits.h"

namespace sin_kernel {

// Below this n times the first two parts of pi/128 is exact.
constexpr Extended QuickReductionLimit = 0x1p20L;

// n need only be a nearest whole number or one off it.
constexpr double InvPiBy128 = 0x145f306dc9c883p-47;
// pi/128 in four parts (tools/gen_sin_table.py): n P1 and n P2 are exact for n < 2^26, and the
// parts hold pi/128 to about 180 bits.
constexpr double PiBy128_1 = 0x3243f6a888p-43;
constexpr double PiBy128_2 = 0x2d18469899p-82;
constexpr double PiBy128_3 = -0x19d747f23e32edp-137;
constexpr double PiBy128_4 = -0x1bf6c7ddd660cep-191;

// Row i holds sin(c + k pi/2) with c = i pi/128 for k = 0..3 (sin, cos, -sin and -cos of c) as a
// long double and the rest of each, the same as pairs of doubles for the factors of the
// remainder's first power, and c as a long double and its rest; from tools/gen_sin_table.py.
struct TRow {
  Extended Value[4];
  double Rest[4];
  double Slope[4][2];
  Extended Step;
  double StepRest;
};
// The rows, in engine/sin_kernel.cpp.
extern const TRow Table[64];

// sin x or cos x for |x| >= QuickReductionLimit: 0 from 2^63 on.
Extended SinOrCosFar(Extended x, unsigned Phase);

// -1/6 in two doubles.
constexpr double MinusSixthHi = -0x15555555555555p-55;
constexpr double MinusSixthLo = -0x15555555555555p-109;

// sin(Hi + Lo) for |Hi| < 0.14 and |Lo| at most about a unit in the last place of Hi, by its
// series to the thirteenth power (the first term left out is below 2^-79 of the result).
inline Extended SmallSin(Extended Hi, Extended Lo) {
  const Extended h2 = Hi * Hi;
  const Extended h4 = h2 * h2;
  const Extended p = MinusSixthHi + (MinusSixthLo + h2 * (1.0 / 120) +
                                     h4 * ((-1.0 / 5040 + h2 * (1.0 / 362880)) +
                                           h4 * (-1.0 / 39916800 + h2 * (1.0 / 6227020800))));
  return Hi + (Lo + (Hi * h2) * p);
}

// sin(x + Phase pi/2) for |x| < QuickReductionLimit. x = n pi/128 + r + t with |r| <= pi/256
// and t below about 2^-59, n = 64 q + i with -32 <= i < 32, c = i pi/128 and k = q + Phase:
// the result is f(c) cos(r + t) + f'(c) sin(r + t) with f(c) = sin(c + k pi/2), cos r - 1 and
// sin r - r by their series to the eighth and seventh powers (the first terms left out are below
// 2^-72 of the result), and t to its first order with the factor of r (t r^2 is below 2^-69 of
// the result, and only next to 2^20).
[[gnu::always_inline]] inline Extended Turned(Extended x, unsigned Phase) {
  Extended nf = 0;
  const std::int64_t n = NearestWhole(x * InvPiBy128, nf);
  const Extended a = x - nf * PiBy128_1;  // exact
  const Extended b = nf * PiBy128_2;      // exact
  const Extended r = a - b;
  const Extended bv = r - a;  // the rounding error of a - b, exactly
  const Extended t = ((a - (r - bv)) + (-b - bv)) - (nf * PiBy128_3 + nf * PiBy128_4);
  const auto i = static_cast<int>(((n + 32) & 63) - 32);
  const unsigned k = static_cast<unsigned>(((n + 32) >> 6) + Phase) & 3;
  const TRow& row = Table[i + 32];
  if ((k & 1) == 0 && i >= -5 && i <= 5) {
    // The table would leave the sum's last bits to a correction as large as a tenth of the result
    // and more: the series takes c + r + t as a whole, its parts summed without error first.
    const Extended u = row.Step + r;
    const Extended rv = u - row.Step;
    const Extended lo = ((row.Step - (u - rv)) + (r - rv)) + (row.StepRest + t);
    const Extended hi = u + lo;
    const Extended v = SmallSin(hi, lo - (hi - u));
    return k == 0 ? v : -v;
  }
  // t goes in first, so that the processor's eight registers hold what the series need.
  const Extended f = row.Value[k];
  const double* d = row.Slope[(k + 1) & 3];
  const Extended first = t * (d[0] - r * f) + d[1] * r;
  const Extended r2 = r * r;
  const Extended r4 = r2 * r2;
  const Extended sinLess = (r * r2) * ((-1.0 / 6 + r2 * (1.0 / 120)) + r4 * (-1.0 / 5040));
  const Extended cosLess =
      r2 * (-0.5 + r2 * (1.0 / 24)) + (r2 * r4) * (-1.0 / 720 + r2 * (1.0 / 40320));
  return f + (row.Rest[k] + d[0] * r + (d[0] * sinLess + f * cosLess + first));
}

// sin x (Phase 0) or cos x (Phase 1) of a finite x. Beyond the quick reduction the library's
// reduction for arguments of any size answers.
[[gnu::always_inline]] inline Extended SinOrCos(Extended x, unsigned Phase) {
  if (std::fabs(x) < QuickReductionLimit) {
    if (Phase == 0 && x == 0) return x;  // a zero's sign stays
    return Turned(x, Phase);
  }
  return SinOrCosFar(x, Phase);
}

}  // namespace sin_kernel
