#pragma once
// The numeric routines behind the built-in functions that the special-function library does
// not provide: gamma and factorial, integer helpers, the sine and cosine integrals, the Bessel
// functions, the Fermi-Dirac integral and the Gauss-Legendre quadrature used for it. Failures
// are reported like the library's: ErrCode (and ErrFlag) are set and a substitute value is
// returned; each routine sets ErrCode to 0 first.
#include <cstdint>

#include "engine/engine_state.h"

Extended Gamma(Extended x);      // poles: code 13; too large: code 11
Extended Factorial(Extended x);  // whole 0 <= x <= 1754, else 8 (not whole or < 0) or 11
std::uint32_t GCD(std::uint32_t a, std::uint32_t b);
// Least common multiple, exact: it needs up to 64 bits. lcm(0, b) is 0.
std::uint64_t LCM(std::uint32_t a, std::uint32_t b);
// n!/(n-r)!; 0 for n = 0 or r > n; a result beyond the floating range is code 11.
Extended Perm(std::uint32_t n, std::uint32_t r);
Extended SinIntegral(Extended x);  // x < 0: code 8
Extended CosIntegral(Extended x);  // x <= 0: code 8

// Bessel functions of real order n >= 0 and argument x >= 0 (x > 0 for Yn and Kn); an argument
// outside that domain is code 24, a result beyond the floating range code 11.
Extended BesselJ(Extended n, Extended x);
Extended BesselY(Extended n, Extended x);
Extended BesselI(Extended n, Extended x);
Extended BesselK(Extended n, Extended x);
// The Fermi-Dirac integral: the integral of t^n / (exp(t - x) + 1) over t >= 0, for n > -1.
Extended FermiDirac(Extended n, Extended x);

// Integrand of the quadrature: F(Params, t).
using TIntegrand = Extended (*)(const Extended* Params, Extended t);
// The ten-point Gauss-Legendre rule on [Low, Up].
Extended GaussLegendre10(TIntegrand F, const Extended* Params, Extended Up, Extended Low);
// The rule applied to n equal parts of [Low, Up].
Extended CompositeGauss(int n, TIntegrand F, const Extended* Params, Extended Up, Extended Low);
// Doubles the number of parts until two successive sums agree to RelTol; gives up with code 24
// after MaxDoublings doublings.
Extended Quadrature(TIntegrand F, const Extended* Params, Extended Up, Extended Low,
                    Extended RelTol = 1e-17L, int MaxDoublings = 16);
