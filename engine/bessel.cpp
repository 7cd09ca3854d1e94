// Bessel functions of real order. For small orders below x = 1000 the standard library's
// cylindrical functions are accurate; above x = 1000 their asymptotic branch loses the phase
// (x - (n/2 + 1/4) pi is rounded as one number) and fails outright for orders comparable with x,
// and at high orders their recurrences lose digits. There the functions of the two lowest orders
// come from the library or, for large x, from Hankel's expansion with the phase formed exactly,
// and the order is raised by the three-term recurrence: forward for Y and for J below the
// turning point, by Miller's backward recurrence for J beyond it. I and K of high order come
// from Debye's uniform expansion.
#include <cmath>
#include <complex>
#include <exception>
#include <limits>

#include "engine/builtin_math.h"
#include "engine/specfun.h"

namespace {

using std::fabs;

constexpr Extended LargeX = 1000;
constexpr Extended Ln2 = 0.693147180559945309417232121458176568L;
// Above this order J and Y come from the large-order expansions below: the recurrences from the
// lowest orders would take as many steps as the order.
constexpr Extended MaxRecurrenceOrder = 100000;

Extended Fail(int Code, Extended Substitute = 0) {
  EngineState.ErrCode = Code;
  EngineState.ErrFlag = true;
  return Substitute;
}

Extended Checked(Extended r) {
  if (std::isnan(r)) return Fail(errOutOfRange);
  if (std::isinf(r)) return Fail(errOverflow, Sign(r) * HugeValue);
  return r;
}

// Runs one of the standard library's functions, turning its exceptions into an error code.
template <typename Fn>
Extended LibraryCall(Fn fn, Extended n, Extended x) {
  try {
    return Checked(fn(n, x));
  } catch (const std::exception&) {
    return Fail(errOutOfRange);
  }
}

bool Domain(Extended n, Extended x, bool positiveX) {
  return n >= 0 && !std::isinf(n) && (positiveX ? x > 0 : x >= 0) && !std::isnan(x) &&
         !std::isinf(x);
}

// J and Y of order mu < 2 for x >= LargeX by Hankel's expansion.
void Hankel(Extended mu, Extended x, Extended& J, Extended& Y) {
  const Extended m = 4 * mu * mu;
  Extended P = 1, Q = 0, t = 1;
  for (int k = 1; k < 200; ++k) {
    t *= (m - (2 * k - 1) * (2 * k - 1)) / (k * 8 * x);
    if (k % 2 == 1) {
      Q += (k % 4 == 1) ? t : -t;
    } else {
      P += (k % 4 == 2) ? -t : t;
    }
    if (fabs(t) < MachineEps * 1e-3L) break;
  }
  // chi = x - phi with phi = (mu/2 + 1/4) pi; sin x and cos x are exact reductions of x.
  const Extended phi = (mu / 2 + 0.25L) * Pi;
  const Extended sx = std::sin(x), cx = std::cos(x), sp = std::sin(phi), cp = std::cos(phi);
  const Extended cosChi = cx * cp + sx * sp, sinChi = sx * cp - cx * sp;
  const Extended a = std::sqrt(2 / (Pi * x));
  J = a * (P * cosChi - Q * sinChi);
  Y = a * (P * sinChi + Q * cosChi);
}

// J (WantJ) or Y of order n from the two lowest orders mu0 = frac(n) and mu0 + 1: Hankel's
// expansion gives those for x >= LargeX, the library below.
Extended ByRecurrence(Extended n, Extended x, bool WantJ) {
  const Extended steps = std::floor(n);
  const Extended mu0 = n - steps;
  Extended J0, Y0, J1, Y1;
  if (x >= LargeX) {
    Hankel(mu0, x, J0, Y0);
    Hankel(mu0 + 1, x, J1, Y1);
  } else {
    try {
      J0 = std::cyl_bessel_j(mu0, x);
      J1 = std::cyl_bessel_j(mu0 + 1, x);
      Y0 = std::cyl_neumann(mu0, x);
      Y1 = std::cyl_neumann(mu0 + 1, x);
    } catch (const std::exception&) {
      return std::numeric_limits<Extended>::quiet_NaN();
    }
  }
  if (steps == 0) return WantJ ? J0 : Y0;
  const int target = static_cast<int>(steps);
  if (!WantJ || n <= x) {
    Extended f0 = WantJ ? J0 : Y0, f1 = WantJ ? J1 : Y1;
    for (int k = 1; k < target; ++k) {
      const Extended f2 = 2 * (mu0 + k) / x * f1 - f0;
      f0 = f1;
      f1 = f2;
      if (std::isinf(f1)) break;
    }
    return f1;
  }
  // Miller: start far enough beyond the turning point that J has decayed below the precision,
  // recur downwards, and normalise against the two lowest orders.
  const int start = target + 60 + static_cast<int>(25 * std::cbrt(x));
  Extended up = 0, cur = 1e-300L, atTarget = 0;
  for (int k = start; k > 1; --k) {
    const Extended down = 2 * (mu0 + k) / x * cur - up;
    up = cur;
    cur = down;  // order mu0 + k - 1
    if (k - 1 == target) atTarget = cur;
    if (fabs(cur) > 1e300L) {
      cur *= 1e-300L;
      up *= 1e-300L;
      atTarget *= 1e-300L;
    }
  }
  // cur is order mu0 + 1, up order mu0 + 2.
  const Extended f1 = cur, f0 = 2 * (mu0 + 1) / x * cur - up;
  const Extended scale = (J0 * f0 + J1 * f1) / (f0 * f0 + f1 * f1);
  return atTarget * scale;
}

// The library's J and Y lose digits with the order (6e-13 at order 5000) and overflow inside its
// recurrences; from order 100 on, and for every order at large x, the recurrences are ours.
bool UseRecurrence(Extended n, Extended x) { return x >= LargeX || n >= 100; }

// ln I and ln K of order nu >= DebyeOrder by Debye's uniform expansion, which holds for every x
// once the order is large; the library's recurrences overflow there.
constexpr Extended DebyeOrder = 1000;

void Debye(Extended nu, Extended x, Extended& lnI, Extended& lnK) {
  const Extended z = x / nu;
  const Extended s = std::hypot(1.0L, z);
  const Extended t = 1 / s, t2 = t * t;
  const Extended eta = s + std::log(z / (1 + s));
  const Extended u[6] = {
      1,
      t * (3 - 5 * t2) / 24,
      t2 * (81 + t2 * (-462 + t2 * 385)) / 1152,
      t * t2 * (30375 + t2 * (-369603 + t2 * (765765 - t2 * 425425))) / 414720,
      t2 * t2 *
          (4465125 + t2 * (-94121676 + t2 * (349922430 + t2 * (-446185740 + t2 * 185910725)))) /
          39813120,
      t * t2 * t2 *
          (1519035525.0L +
           t2 * (-49286948607.0L +
                 t2 * (284499769554.0L +
                       t2 * (-614135872350.0L + t2 * (566098157625.0L - t2 * 188699385875.0L))))) /
          6688604160.0L};
  Extended sumI = 0, sumK = 0, p = 1;
  for (int k = 0; k < 6; ++k) {
    sumI += u[k] * p;
    sumK += (k % 2 == 0 ? u[k] : -u[k]) * p;
    p /= nu;
  }
  lnI = nu * eta - 0.5L * std::log(2 * Pi * nu) - 0.5L * std::log(s) + std::log(sumI);
  lnK = -nu * eta + 0.5L * std::log(Pi / (2 * nu)) - 0.5L * std::log(s) + std::log(sumK);
}

// --- J and Y of orders above MaxRecurrenceOrder ---

// Debye's polynomials u_k(t), k = 0..5, for real or imaginary t.
template <typename T>
void DebyePolynomials(T t, T u[6]) {
  const T t2 = t * t;
  u[0] = 1;
  u[1] = t * (3.0L - 5.0L * t2) / 24.0L;
  u[2] = t2 * (81.0L + t2 * (-462.0L + t2 * 385.0L)) / 1152.0L;
  u[3] = t * t2 * (30375.0L + t2 * (-369603.0L + t2 * (765765.0L - t2 * 425425.0L))) / 414720.0L;
  u[4] = t2 * t2 *
         (4465125.0L +
          t2 * (-94121676.0L + t2 * (349922430.0L + t2 * (-446185740.0L + t2 * 185910725.0L)))) /
         39813120.0L;
  u[5] = t * t2 * t2 *
         (1519035525.0L +
          t2 * (-49286948607.0L +
                t2 * (284499769554.0L +
                      t2 * (-614135872350.0L + t2 * (566098157625.0L - t2 * 188699385875.0L))))) /
         6688604160.0L;
}

// Debye's expansions hold to the display precision once nu w^3 passes this, w being tanh alpha
// below the turning point and tan beta above it; that is |x - nu| above about 25 nu^(1/3).
constexpr Extended DebyeReach = 360;

// w - atanh(w) and w - atan(w) for 0 < w, without their cancellation at small w.
Extended WMinusAtanh(Extended w) {
  if (w > 0.5L) return w - std::atanh(w);
  Extended p = w, s = 0;
  const Extended w2 = w * w;
  for (int k = 3; k < 400; k += 2) {
    p *= w2;
    const Extended t = p / k;
    s += t;
    if (t <= s * MachineEps) break;
  }
  return -s;
}
Extended WMinusAtan(Extended w) {
  if (w > 0.5L) return w - std::atan(w);
  Extended p = w, s = 0;
  const Extended w2 = w * w;
  for (int k = 3; k < 400; k += 2) {
    p *= -w2;
    const Extended t = p / k;
    s += t;
    if (fabs(t) <= fabs(s) * MachineEps) break;
  }
  return -s;
}

// Below the turning point (x < nu): ln J and ln(-Y) with the signs of their sums.
void DebyeBelow(Extended nu, Extended x, Extended& lnJ, Extended& lnY) {
  const Extended w = std::sqrt((nu - x) / nu * (1 + x / nu));  // tanh alpha
  Extended u[6];
  DebyePolynomials<Extended>(1 / w, u);
  Extended sJ = 0, sY = 0, p = 1;
  for (int k = 0; k < 6; ++k) {
    sJ += u[k] * p;
    sY += (k % 2 == 0 ? u[k] : -u[k]) * p;
    p /= nu;
  }
  const Extended e = nu * WMinusAtanh(w);  // nu (tanh alpha - alpha) < 0
  const Extended lnNuW = std::log(nu) + std::log(w);
  lnJ = e - 0.5L * (std::log(2 * Pi) + lnNuW) + std::log(sJ);
  lnY = -e - 0.5L * (std::log(0.5L * Pi) + lnNuW) + std::log(sY);
}

// Above the turning point (x > nu): J and Y.
void DebyeAbove(Extended nu, Extended x, Extended& J, Extended& Y) {
  const Extended w = std::sqrt((x - nu) / nu * (1 + x / nu));  // tan beta
  using C = std::complex<Extended>;
  C u[6];
  DebyePolynomials<C>(C(0, 1 / w), u);
  // u_k(i cot beta) is real for even k and imaginary for odd k.
  Extended P = 0, V = 0, p = 1;
  for (int k = 0; k < 6; ++k) {
    if (k % 2 == 0) {
      P += u[k].real() * p;
    } else {
      V += u[k].imag() * p;
    }
    p /= nu;
  }
  // xi = nu (tan beta - beta) - pi/4, its two parts reduced apart.
  const Extended phase = nu * WMinusAtan(w);
  const Extended c = std::cos(phase - Pi / 4), sn = std::sin(phase - Pi / 4);
  const Extended a = std::sqrt(2 / Pi / nu / w);
  J = a * (P * c + V * sn);
  Y = a * (P * sn - V * c);
}

Extended FromLogSigned(Extended ln, Extended sign) {
  if (ln > ExpHighLimit) return Fail(errOverflow, sign * HugeValue);
  return sign * std::exp(ln);
}

// Airy functions Ai, Ai', Bi, Bi' at z, for |z| up to a few tens.
void Airy(Extended z, Extended& ai, Extended& aip, Extended& bi, Extended& bip) {
  constexpr Extended c1 = 0.355028053887817239260063186004183176L;
  constexpr Extended c2 = 0.258819403792806798405183560189203963L;
  constexpr Extended sqrt3 = 1.73205080756887729352744634150587237L;
  if (fabs(z) <= 2) {
    // Maclaurin series: f = sum 3^k (1/3)_k z^3k/(3k)!, g = sum 3^k (2/3)_k z^(3k+1)/(3k+1)!.
    Extended f = 1, g = z, df = 0, dg = 1;
    Extended tf = 1, tg = z;
    const Extended z3 = z * z * z;
    const Extended z2 = z * z;
    for (int k = 1; k < 200; ++k) {
      // The derivatives' terms from the previous terms, without dividing by z.
      df += tf * z2 / (3 * k - 1);
      dg += tg * z2 / (3 * k);
      tf *= z3 / ((3 * k - 1) * (3 * k));
      tg *= z3 / ((3 * k) * (3 * k + 1));
      f += tf;
      g += tg;
      if (fabs(tf) + fabs(tg) <= (fabs(f) + fabs(g)) * MachineEps * 1e-3L) break;
    }
    ai = c1 * f - c2 * g;
    aip = c1 * df - c2 * dg;
    bi = sqrt3 * (c1 * f + c2 * g);
    bip = sqrt3 * (c1 * df + c2 * dg);
    return;
  }
  const Extended w = fabs(z), zeta = 2.0L / 3 * w * std::sqrt(w);
  constexpr Extended third = 1.0L / 3, twoThirds = 2.0L / 3;
  if (z > 0) {
    const Extended k13 = std::cyl_bessel_k(third, zeta), k23 = std::cyl_bessel_k(twoThirds, zeta);
    const Extended i13 = std::cyl_bessel_i(third, zeta), i23 = std::cyl_bessel_i(twoThirds, zeta);
    ai = std::sqrt(w / 3) * k13 / Pi;
    aip = -w / (Pi * sqrt3) * k23;
    bi = std::sqrt(w / 3) * (2 * i13 + sqrt3 / Pi * k13);
    bip = w / sqrt3 * (2 * i23 + sqrt3 / Pi * k23);
    return;
  }
  const Extended j13 = std::cyl_bessel_j(third, zeta), j23 = std::cyl_bessel_j(twoThirds, zeta);
  const Extended y13 = std::cyl_neumann(third, zeta), y23 = std::cyl_neumann(twoThirds, zeta);
  // J of the negative orders: J_-v = cos(v pi) J_v - sin(v pi) Y_v.
  const Extended jm13 = 0.5L * j13 - sqrt3 / 2 * y13;
  const Extended jm23 = -0.5L * j23 - sqrt3 / 2 * y23;
  ai = std::sqrt(w) / 3 * (j13 + jm13);
  bi = std::sqrt(w / 3) * (jm13 - j13);
  aip = w / 3 * (j23 - jm23);
  bip = w / sqrt3 * (jm23 + j23);
}

// Near the turning point of a very large order: the transitional expansion in Airy functions,
// with x = nu + tau nu^(1/3). Its terms fall with nu^(-2/3); from TransitionalOrder on the
// ones kept leave less than 1e-16.
constexpr Extended TransitionalOrder = 1e12L;

void Transitional(Extended nu, Extended x, Extended& J, Extended& Y) {
  const Extended c = std::cbrt(nu);
  const Extended tau = (x - nu) / c;
  const Extended q = 1 / (c * c);  // nu^(-2/3)
  const Extended t2 = tau * tau, t3 = t2 * tau;
  const Extended f =
      1 + q * (-tau / 5 + q * (-9 * t2 * t3 / 100 + 3 * t2 / 35 +
                               q * (957 * t3 * t3 / 7000 - 173 * t3 / 3150 - 1.0L / 225)));
  const Extended g =
      3 * t2 / 10 + q * (-17 * t3 / 70 + 1.0L / 70 +
                         q * (-9 * t3 * t3 * tau / 1000 + 611 * t3 * tau / 3150 - 37 * tau / 3150));
  constexpr Extended cbrt2 = 1.25992104989487316476721060727822835L;
  Extended ai, aip, bi, bip;
  Airy(-cbrt2 * tau, ai, aip, bi, bip);
  J = cbrt2 / c * ai * f + cbrt2 * cbrt2 / nu * aip * g;
  Y = -(cbrt2 / c * bi * f + cbrt2 * cbrt2 / nu * bip * g);
}

// J (WantJ) or Y of an order above MaxRecurrenceOrder.
Extended LargeOrder(Extended nu, Extended x, bool WantJ) {
  // |x - nu| where nu w^3 reaches DebyeReach: w^2 is about 2 |x - nu| / nu there.
  const Extended reach = std::cbrt(DebyeReach * DebyeReach) * std::cbrt(nu) / 2;
  if (nu - x >= reach) {
    Extended lnJ, lnY;
    DebyeBelow(nu, x, lnJ, lnY);
    return WantJ ? FromLogSigned(lnJ, 1) : FromLogSigned(lnY, -1);
  }
  if (x - nu >= reach) {
    Extended J, Y;
    DebyeAbove(nu, x, J, Y);
    return WantJ ? J : Y;
  }
  if (nu >= TransitionalOrder) {
    Extended J, Y;
    try {
      Transitional(nu, x, J, Y);
    } catch (const std::exception&) {
      return std::numeric_limits<Extended>::quiet_NaN();
    }
    return WantJ ? J : Y;
  }
  // Between: the three-term recurrence from an order where Debye's expansions hold, in its
  // stable direction: J down from above the turning point, Y up from below it.
  const Extended margin = std::ceil(fabs(x - nu) + 1.1L * reach) + 2;
  if (WantJ) {
    const Extended top = nu + margin;
    Extended lnA, lnB, dummy;
    DebyeBelow(top + 1, x, lnB, dummy);
    DebyeBelow(top, x, lnA, dummy);
    // Scaled by exp(-lnA) so that neither end leaves the range.
    Extended up = std::exp(lnB - lnA), cur = 1;
    for (Extended v = top; v > nu; v -= 1) {
      const Extended down = 2 * v / x * cur - up;
      up = cur;
      cur = down;
    }
    return FromLogSigned(lnA + std::log(fabs(cur)), cur < 0 ? -1 : 1);
  }
  const Extended bottom = nu - margin;
  Extended J0, Y0, J1, Y1;
  DebyeAbove(bottom, x, J0, Y0);
  DebyeAbove(bottom + 1, x, J1, Y1);
  for (Extended v = bottom + 1; v < nu; v += 1) {
    const Extended next = 2 * v / x * Y1 - Y0;
    Y0 = Y1;
    Y1 = next;
    if (std::isinf(Y1)) return Fail(errOverflow, -HugeValue);
  }
  return Y1;
}

// Debye's expansion for large orders; beyond x = 11400 it also serves the orders from 900 on,
// the only ones whose I and K can still lie inside the range there.
bool UseDebye(Extended n, Extended x) { return n >= DebyeOrder || (x > 11400 && n >= 900); }

Extended FromLog(Extended ln) {
  if (ln > ExpHighLimit) return Fail(errOverflow, HugeValue);
  return std::exp(ln);
}

// Below the smallest normal x the standard library's functions give up, while x^2 lies below
// every subnormal, so each power series is its first term: J and I are (x/2)^n / Gamma(n + 1),
// and Y and K are made of those of the orders n and -n.
bool Subnormal(Extended x) { return x < std::numeric_limits<Extended>::min(); }

constexpr Extended Zeta2 = 1.64493406684822643647241516664602519L;
constexpr Extended Zeta3 = 1.20205690315959428539973816151144999L;
constexpr Extended Zeta4 = 1.08232323371113819151600369654116790L;
constexpr Extended Zeta5 = 1.03692775514336992633136548645703417L;
constexpr Extended Zeta6 = 1.01734306198444913971451792979092053L;

Extended SubnormalJI(Extended n, Extended x) {
  if (n == 0) return 1;
  // x^n apart, so that a subnormal value keeps every step it has.
  return std::pow(x, n) * (std::exp2(-n) / std::tgamma(n + 1));
}

Extended SubnormalYK(Extended n, Extended x, bool WantY) {
  const Extended L = std::log(x) - Ln2;  // ln(x/2)
  // An order this small changes no digit of the order-0 forms.
  if (n < 1e-30L) return WantY ? 2 / Pi * (L + EulerGamma) : -(L + EulerGamma);
  if (n < 0.002L) {
    // (x/2)^(+-n) / Gamma(1 +- n) = exp(Even +- Odd): their difference is formed as a sinh, so that
    // it does not cancel while n ln(x/2) is small.
    // ln Gamma(1 + n) = -EulerGamma n + sum over k >= 2 of (-1)^k zeta(k) n^k / k, whose terms
    // of odd and even k make Odd and Even (1 +- n itself would round n away).
    const Extended n2 = n * n;
    const Extended Even = -n2 * (Zeta2 / 2 + n2 * (Zeta4 / 4 + n2 * Zeta6 / 6));
    const Extended Odd = n * (L + EulerGamma + n2 * (Zeta3 / 3 + n2 * Zeta5 / 5));
    const Extended S = std::exp(Even) * std::sinh(Odd) / std::sin(n * Pi);
    return WantY ? 2 * S - std::exp(Even + Odd) * std::tan(n * Pi / 2) : -Pi * S;
  }
  // Beyond, the order -n alone counts (the other lies e^-45 below it): Y is
  // -Gamma(n) (2/x)^n / pi and K is Gamma(n) (2/x)^n / 2.
  return FromLogSigned(std::lgamma(n) - n * L - std::log(WantY ? Pi : Extended(2)), WantY ? -1 : 1);
}

}  // namespace

Extended BesselJ(Extended n, Extended x) {
  EngineState.ErrCode = 0;
  if (!Domain(n, x, false)) return Fail(errOutOfRange);
  if (x == 0) return n == 0 ? 1 : 0;
  if (Subnormal(x)) return SubnormalJI(n, x);
  if (n > MaxRecurrenceOrder) return Checked(LargeOrder(n, x, true));
  if (UseRecurrence(n, x)) return Checked(ByRecurrence(n, x, true));
  return LibraryCall([](Extended a, Extended b) { return std::cyl_bessel_j(a, b); }, n, x);
}

Extended BesselY(Extended n, Extended x) {
  EngineState.ErrCode = 0;
  if (!Domain(n, x, true)) return Fail(errOutOfRange);
  if (Subnormal(x)) return SubnormalYK(n, x, true);
  if (n > MaxRecurrenceOrder) return Checked(LargeOrder(n, x, false));
  if (UseRecurrence(n, x)) return Checked(ByRecurrence(n, x, false));
  return LibraryCall([](Extended a, Extended b) { return std::cyl_neumann(a, b); }, n, x);
}

Extended BesselI(Extended n, Extended x) {
  EngineState.ErrCode = 0;
  if (!Domain(n, x, false)) return Fail(errOutOfRange);
  if (x == 0) return n == 0 ? 1 : 0;
  if (Subnormal(x)) return SubnormalJI(n, x);
  if (UseDebye(n, x)) {
    Extended lnI, lnK;
    Debye(n, x, lnI, lnK);
    return FromLog(lnI);
  }
  // I falls with the order and rises with x, and I of order 900 at 11400 is beyond the range.
  if (x > 11400) return Fail(errOverflow, HugeValue);
  return LibraryCall([](Extended a, Extended b) { return std::cyl_bessel_i(a, b); }, n, x);
}

Extended BesselK(Extended n, Extended x) {
  EngineState.ErrCode = 0;
  if (!Domain(n, x, true)) return Fail(errOutOfRange);
  if (Subnormal(x)) return SubnormalYK(n, x, false);
  if (UseDebye(n, x)) {
    Extended lnI, lnK;
    Debye(n, x, lnI, lnK);
    return FromLog(lnK);
  }
  // K rises with the order and falls with x; K of order 900 at 11400 is below every subnormal.
  if (x > 11400) return 0;
  return LibraryCall([](Extended a, Extended b) { return std::cyl_bessel_k(a, b); }, n, x);
}
