// Bessel functions of real order. For small orders below x = 1000 the standard library's
// cylindrical functions are accurate; above x = 1000 their asymptotic branch loses the phase
// (x - (n/2 + 1/4) pi is rounded as one number) and fails outright for orders comparable with x,
// and at high orders their recurrences lose digits. There the functions of the two lowest orders
// come from the library or, for large x, from Hankel's expansion with the phase formed exactly,
// and the order is raised by the three-term recurrence: forward for Y and for J below the
// turning point, by Miller's backward recurrence for J beyond it. I and K of high order come
// from Debye's uniform expansion.
#include <cmath>
#include <exception>
#include <limits>

#include "engine/builtin_math.h"
#include "engine/specfun.h"

namespace {

using std::fabs;

constexpr Extended LargeX = 1000;
// Orders above this make the recurrences (ours and the library's) run for a very long time.
constexpr Extended MaxOrder = 100000;

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
  return n >= 0 && n <= MaxOrder && (positiveX ? x > 0 : x >= 0) && !std::isnan(x);
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

// Debye's expansion for large orders; beyond x = 11400 it also serves the orders from 900 on,
// the only ones whose I and K can still lie inside the range there.
bool UseDebye(Extended n, Extended x) { return n >= DebyeOrder || (x > 11400 && n >= 900); }

Extended FromLog(Extended ln) {
  if (ln > ExpHighLimit) return Fail(errOverflow, HugeValue);
  return std::exp(ln);
}

}  // namespace

Extended BesselJ(Extended n, Extended x) {
  EngineState.ErrCode = 0;
  if (!Domain(n, x, false)) return Fail(errOutOfRange);
  if (x == 0) return n == 0 ? 1 : 0;
  if (UseRecurrence(n, x)) return Checked(ByRecurrence(n, x, true));
  return LibraryCall([](Extended a, Extended b) { return std::cyl_bessel_j(a, b); }, n, x);
}

Extended BesselY(Extended n, Extended x) {
  EngineState.ErrCode = 0;
  if (!Domain(n, x, true)) return Fail(errOutOfRange);
  if (UseRecurrence(n, x)) return Checked(ByRecurrence(n, x, false));
  return LibraryCall([](Extended a, Extended b) { return std::cyl_neumann(a, b); }, n, x);
}

Extended BesselI(Extended n, Extended x) {
  EngineState.ErrCode = 0;
  if (!Domain(n, x, false)) return Fail(errOutOfRange);
  if (x == 0) return n == 0 ? 1 : 0;
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
  if (UseDebye(n, x)) {
    Extended lnI, lnK;
    Debye(n, x, lnI, lnK);
    return FromLog(lnK);
  }
  // K rises with the order and falls with x; K of order 900 at 11400 is below every subnormal.
  if (x > 11400) return 0;
  return LibraryCall([](Extended a, Extended b) { return std::cyl_bessel_k(a, b); }, n, x);
}
