#include "engine/builtin_math.h"

#include <cmath>
#include <complex>

#include "engine/engine_host.h"
#include "engine/specfun.h"
#include "engine/variables.h"

namespace {

using std::fabs;

void ClearCode() { EngineState.ErrCode = 0; }

Extended Fail(int Code, Extended Substitute = 0) {
  EngineState.ErrCode = Code;
  EngineState.ErrFlag = true;
  return Substitute;
}

// Si and Ci for x > 0: power series up to 2, the continued fraction of E1(ix) beyond.
void SinCosIntegral(Extended x, Extended& si, Extended& ci) {
  if (std::isinf(x)) {
    si = Pi / 2;
    ci = 0;
    return;
  }
  if (x <= 2) {
    Extended sumS = 0, sumC = 0, term = 1;  // term = (-1)^k x^j / j!
    for (int j = 1; j < 200; ++j) {
      term *= x / j;
      const Extended t = term / j;
      if (j % 2 == 1) {
        sumS += (j % 4 == 1) ? t : -t;
      } else {
        sumC += (j % 4 == 0) ? t : -t;
      }
      if (t < MachineEps * 1e-3L * (fabs(sumS) + fabs(sumC))) break;
    }
    si = sumS;
    ci = EulerGamma + std::log(x) + sumC;
    return;
  }
  using C = std::complex<Extended>;
  C b(1, x), c(1 / TinyValue, 0), d = C(1) / b, h = d;
  for (int i = 2; i < 100000; ++i) {
    const Extended a = -static_cast<Extended>(i - 1) * (i - 1);
    b += 2;
    d = C(1) / (a * d + b);
    c = b + a / c;
    const C del = c * d;
    h *= del;
    if (fabs(del.real() - 1) + fabs(del.imag()) < MachineEps) break;
  }
  h *= C(std::cos(x), -std::sin(x));
  ci = -h.real();
  si = Pi / 2 + h.imag();
}

// Fermi-Dirac integrand t^n / (exp(t - x) + 1) with t^n taken as (t/c)^n; Params = {n, x, 1/c}.
// c is a power of two, so the scaling itself rounds nothing.
Extended FermiIntegrand(const Extended* p, Extended t) {
  const Extended e = t - p[1];
  const Extended f = e > 0 ? std::exp(-e) / (1 + std::exp(-e)) : 1 / (1 + std::exp(e));
  return std::pow(t * p[2], p[0]) * f;
}

// Same with the factor exp(t - x)/(1 + exp(t - x)) only, i.e. t^n - FermiIntegrand.
Extended FermiComplementIntegrand(const Extended* p, Extended t) {
  const Extended e = t - p[1];
  const Extended f = e < 0 ? std::exp(e) / (1 + std::exp(e)) : 1 / (1 + std::exp(-e));
  return std::pow(t * p[2], p[0]) * f;
}

constexpr Extended GLNodes[5] = {
    0.1488743389816312108848260011297200L, 0.4333953941292471907992659431657842L,
    0.6794095682990244062343273651148736L, 0.8650633666889845107320966884234930L,
    0.9739065285171717200779640120844521L};
constexpr Extended GLWeights[5] = {
    0.2955242247147528701738929946513383L, 0.2692667193099963550912269215694694L,
    0.2190863625159820439955349342281632L, 0.1494513491505805931457763396576973L,
    0.0666713443086881375935688098933318L};

// The integral over [Low, Up] of the Fermi integrand, whose peak lies at or below Peak and which
// falls off on either side on a scale of about Width: pieces of 4 Width outwards from Peak, until
// one adds nothing to what is summed. One quadrature over the whole interval would demand its
// full precision of the flat, negligible ends too, at many times the cost.
Extended FermiAroundPeak(const Extended* Params, Extended Up, Extended Low, Extended Peak,
                         Extended Width, Extended Tol) {
  Extended sum = 0;
  for (int side = 0; side < 2; ++side) {
    Extended a = Peak;
    while (side == 0 ? a > Low : a < Up) {
      const Extended b = side == 0 ? std::max(Low, a - 4 * Width) : std::min(Up, a + 4 * Width);
      const Extended piece = side == 0 ? Quadrature(FermiIntegrand, Params, a, b, Tol)
                                       : Quadrature(FermiIntegrand, Params, b, a, Tol);
      if (EngineState.ErrCode != 0) return 0;
      sum += piece;
      if (fabs(piece) <= 1e-22L * fabs(sum)) break;
      a = b;
    }
  }
  return sum;
}

}  // namespace

Extended Gamma(Extended x) {
  ClearCode();
  if (std::isnan(x)) return Fail(errArguments);
  if (x == 0 || (x < 0 && x == std::trunc(x))) return Fail(errDivisionByZero);
  if (x >= 1 && x <= 1755 && x == std::trunc(x)) return Factorial(x - 1);
  const Extended r = std::tgamma(x);
  if (std::isinf(r)) return Fail(errOverflow, HugeValue);
  return r;
}

Extended Factorial(Extended x) {
  ClearCode();
  if (!(x >= 0) || x != std::trunc(x)) return Fail(errArguments);
  if (x > 1754) return Fail(errOverflow, HugeValue);
  // The product carried with its rounding error, so that the result is correctly rounded far
  // beyond the point where the plain product stops being exact.
  Extended hi = 1, lo = 0;
  const int n = static_cast<int>(x);
  for (int k = 2; k <= n; ++k) {
    const Extended p = hi * k;
    lo = lo * k + std::fma(hi, static_cast<Extended>(k), -p);
    hi = p;
  }
  return hi + lo;
}

std::uint32_t GCD(std::uint32_t a, std::uint32_t b) {
  while (b != 0) {
    const std::uint32_t t = a % b;
    a = b;
    b = t;
  }
  return a;
}

std::uint64_t LCM(std::uint32_t a, std::uint32_t b) {
  const std::uint32_t g = GCD(a, b);
  if (g == 0) return 0;
  return static_cast<std::uint64_t>(a / g) * b;
}

Extended Perm(std::uint32_t n, std::uint32_t r) {
  ClearCode();
  if (n == 0 || r > n) return 0;
  if (r == 0) return 1;
  // n!/(n-r)! >= r!, which is beyond the floating range for r > 1754.
  if (r > 1754) return Fail(errOverflow, HugeValue);
  Extended hi = 1, lo = 0;
  for (std::uint32_t i = 0; i < r; ++i) {
    const Extended k = static_cast<Extended>(n - i);
    const Extended p = hi * k;
    lo = lo * k + std::fma(hi, k, -p);
    hi = p;
    if (std::isinf(hi)) return Fail(errOverflow, HugeValue);
  }
  return std::nearbyint(hi + lo);
}

Extended SinIntegral(Extended x) {
  ClearCode();
  if (!(x >= 0)) return Fail(errArguments);
  if (x == 0) return 0;
  Extended si, ci;
  SinCosIntegral(x, si, ci);
  return si;
}

Extended CosIntegral(Extended x) {
  ClearCode();
  if (!(x > 0)) return Fail(errArguments);
  Extended si, ci;
  SinCosIntegral(x, si, ci);
  return ci;
}

Extended FermiDirac(Extended n, Extended x) {
  ClearCode();
  if (!(n > -1) || !std::isfinite(n) || std::isnan(x)) return Fail(errOutOfRange);
  if (x == -HUGE_VALL) return 0;
  const Extended lnGamma = std::lgamma(n + 1);
  if (x <= -1) {
    // Expansion of 1/(exp(t - x) + 1) in powers of exp(x - t): quick for x <= -1. The terms are
    // formed as logarithms so that a huge Gamma(n + 1) meets a tiny exp(kx) without overflow.
    Extended sum = 0, first = 0;
    for (int k = 1; k < 200; ++k) {
      const Extended lnTerm = lnGamma + k * x - (n + 1) * std::log(static_cast<Extended>(k));
      if (k == 1) first = lnTerm;
      const Extended t = std::exp(lnTerm - first);
      sum += (k % 2 == 1) ? t : -t;
      if (t < fabs(sum) * MachineEps * 1e-2L) break;
    }
    if (first + std::log(sum) > ExpHighLimit) return Fail(errOverflow, HugeValue);
    return first < ExpHighLimit - 1 ? std::exp(first) * sum : std::exp(first + std::log(sum));
  }
  // For x > -1 the integral exceeds Gamma(n + 1)/4, beyond the range once n passes 1760.
  if (n > 1760 || std::isinf(x)) return Fail(errOverflow, HugeValue);
  // Lower bounds, Gamma(n + 1)/4 and the part below x where the Fermi factor exceeds 1/2: a
  // value sure to overflow is told at once, not after the quadrature.
  const Extended lnLow =
      x > 1 ? std::max(lnGamma, (n + 1) * std::log(x) - std::log(n + 1)) : lnGamma;
  if (lnLow - std::log(4.0L) > ExpHighLimit) return Fail(errOverflow, HugeValue);
  const Extended upper = std::max(x, 1.0L) + 60 + n + 10 * std::sqrt(n + 1);
  // Where t^n could leave the range inside [0, upper] (from n near 1000 on), the powers are
  // formed as (t/c)^n with c = 2^k just above the integrand's peak, and 2^(kn) is applied at
  // the end.
  int k = 0;
  if ((n + 1) * std::log2(upper) > 16000) std::frexp(std::max(x, n), &k);
  const Extended cinv = std::ldexp(1.0L, -k);
  // [0, 1]: the Taylor series of 1/(1 + A e^t), A = exp(-x), integrated against t^n term by
  // term, which copes with the end-point behaviour of t^n for any n > -1. The series converges
  // for |t| < sqrt(x^2 + pi^2), so at least like pi^-j on [0, 1].
  constexpr int Terms = 64;
  const Extended A = std::exp(-x);
  Extended e[Terms], h[Terms];
  Extended fact = 1;
  for (int j = 0; j < Terms; ++j) {
    if (j > 0) fact *= j;
    e[j] = A / fact;
  }
  Extended head = 0;
  for (int j = 0; j < Terms; ++j) {
    Extended s = j == 0 ? 1 : 0;
    for (int i = 1; i <= j; ++i) s -= e[i] * h[j - i];
    h[j] = s / (1 + A);
    head += h[j] / (n + j + 1);
  }
  if (k > 0) head *= std::pow(cinv, n);  // at most 1 against a body near Gamma(n + 1)/c^n
  const Extended params[3] = {n, x, cinv};
  // Each node's t is rounded, which t^n magnifies n times: the sums cannot agree closer than
  // about n units of rounding, and a finer demand would only run through all the doublings.
  const Extended tol = std::max(1e-17L, n * 2e-20L);
  // Beyond this point t^n / (exp(t - x) + 1) only falls: its logarithmic slope
  // n/t - 1/(1 + exp(x - t)) is negative there. It falls off like exp(-(1 - n/t) t), or, where
  // that rate is small, like a Gaussian of width sqrt(n) about t = n.
  const Extended peak = std::max(n + 1, x + std::log(n + 2) + 2);
  const Extended width = std::max(1.0L, std::min(std::sqrt(n + 1), peak / (peak - n)));
  const Extended x0 = std::max(x, 1.0L);
  const Extended above = FermiAroundPeak(params, upper, x0, peak, width, tol);
  if (EngineState.ErrCode != 0) return 0;
  // What lies below x is less than x^(n+1)/(n+1); far below the peak at n it adds nothing, and
  // its quadrature would strive for a precision of its own that nothing needs.
  const bool negligible = x0 * std::pow(x0 * cinv, n) / (n + 1) <= 1e-22L * above;
  Extended below = 0;
  if (x > 1 && !negligible && x <= 61) {
    below = Quadrature(FermiIntegrand, params, x, 1, tol);
  } else if (x > 1 && !negligible) {
    // Far below x the Fermi factor is 1 to working precision: integrate t^n exactly there and
    // subtract the tiny remainder.
    const Extended L = x - 50;
    const Extended exact = k == 0 ? std::expm1((n + 1) * std::log(L)) / (n + 1)
                                  : (L * std::pow(L * cinv, n) - std::pow(cinv, n)) / (n + 1);
    // The remainder is below exp(-110) t^n more than 60 below L.
    const Extended rest =
        Quadrature(FermiComplementIntegrand, params, L, std::max(1.0L, L - 60), tol);
    if (EngineState.ErrCode != 0) return 0;
    below = exact - rest + Quadrature(FermiIntegrand, params, x, L, tol);
  }
  const Extended body = below + above;
  if (EngineState.ErrCode != 0) return 0;
  Extended r = head + body;
  if (k > 0) {
    // r 2^(kn), with kn split exactly into a whole and a fractional part.
    const Extended kn = k * n;
    const Extended low = std::fma(static_cast<Extended>(k), n, -kn);
    const Extended whole = std::floor(kn);
    r *= std::exp2(kn - whole + low);
    if (std::ilogb(r) + whole >= 16384) return Fail(errOverflow, HugeValue);
    r = std::ldexp(r, static_cast<int>(whole));
  }
  if (std::isinf(r)) return Fail(errOverflow, HugeValue);
  return r;
}

Extended GaussLegendre10(TIntegrand F, const Extended* Params, Extended Up, Extended Low) {
  Extended S = 0;
  for (int i = 0; i < 5; ++i) {
    const Extended t = (Up - Low) * GLNodes[i];
    S +=
        GLWeights[i] * F(Params, (Low + Up + t) / 2) + GLWeights[i] * F(Params, (Low + Up - t) / 2);
    if (EngineState.ErrCode != 0) return 0;
  }
  return S * 0.5L * (Up - Low);
}

Extended CompositeGauss(int n, TIntegrand F, const Extended* Params, Extended Up, Extended Low) {
  const Extended h = (Up - Low) / n;
  Extended S = 0;
  for (int k = 0; k < n; ++k) {
    S += GaussLegendre10(F, Params, Low + (k + 1) * h, Low + k * h);
    if (EngineState.ErrCode != 0) return 0;
    PumpMessages();
    if (CheckBreak()) return 0;
  }
  return S;
}

Extended Quadrature(TIntegrand F, const Extended* Params, Extended Up, Extended Low,
                    Extended RelTol, int MaxDoublings) {
  ClearCode();
  int n = 1;
  Extended S = CompositeGauss(n, F, Params, Up, Low);
  for (int i = 0; i < MaxDoublings; ++i) {
    if (EngineState.ErrCode != 0) return 0;
    n *= 2;
    const Extended T = CompositeGauss(n, F, Params, Up, Low);
    if (EngineState.ErrCode != 0) return 0;
    const bool settled = fabs(T - S) <= RelTol * fabs(T);
    S = T;
    if (settled) return S;
  }
  return Fail(errOutOfRange);
}
