// What each built-in id computes.
#include "engine/builtins.h"

#include <cmath>
#include <cstdint>

#include "engine/builtin_math.h"
#include "engine/parser.h"
#include "engine/random.h"
#include "engine/specfun.h"

namespace {

using std::fabs;

constexpr Extended RadPerDeg = Pi / 180;
constexpr Extended DegPerRad = 180 / Pi;

// Factors of the unit conversions, ids 45 to 66, as the calculator has always stored them.
constexpr Extended UnitFactors[22] = {
    0.304800000001220L,   3.28083989499999L,    1.60934700008551L,    0.621370033900002L,
    453.592370001218L,    0.00220462262184286L, 0.473162499999975L,   2.11343882915500L,
    3.78529999999980L,    0.264179853644375L,   0.914400000282368L,   1.09361329799999L,
    0.0254000000001014L,  39.3700787400003L,    28.3495231250761L,    0.0352739619494857L,
    123.022249999994L,    0.00812861088136538L, 0.00378541086000157L, 264.172116841125L,
    0.00454609818520189L, 219.968852246774L};

bool Degrees() { return EngineSettings.AngleMode == 1; }

// Raises Code for the call in progress: the rest of the text is consumed and the value is 0.
// The previous result Ans stays: only the domain errors of the inverse functions, roots,
// logarithms and factorials clear it (Cleared), so that a mistyped call elsewhere does not lose
// what "?" reads.
Extended Raise(Extended& Value, int Code) {
  Value = 0;
  RaiseError(EngineState.ExprStr, Code);
  return 0;
}

Extended Cleared(Extended& Value, int Code) {
  ClearResult(Value);
  return Raise(Value, Code);
}

// A routine of the numeric libraries failed: they only set the code and the flag, so the error
// is recorded here, which also gives the grammar a failure point to mark the call up to. The
// dispatchers' own checks return at once, so a flag seen here is always a library's; it must be
// recorded even when the text has already ended (an unclosed last call), or the error would have
// no position.
void CompleteLibraryError() {
  auto& s = EngineState;
  if (s.ErrFlag) {
    const int code = s.ErrCode;
    RaiseError(s.ExprStr, code);
  }
}

// sin of an angle in degrees: reduced exactly, so that whole multiples of 30 degrees come out
// exact (sin(180) is 0, not a rounding residue).
Extended SinDegrees(Extended x) {
  if (!(fabs(x) < 0x1p63L)) return 0;
  Extended r = std::remainder(x, 360.0L);  // [-180, 180], exact
  if (r > 90) r = 180 - r;
  if (r < -90) r = -180 - r;
  if (r == 0) return 0;
  if (fabs(r) == 30) return r > 0 ? 0.5L : -0.5L;
  if (fabs(r) == 90) return r > 0 ? 1 : -1;
  return std::sin(r * RadPerDeg);
}

Extended CosDegrees(Extended x) {
  if (!(fabs(x) < 0x1p63L)) return 0;
  const Extended r = fabs(std::remainder(x, 360.0L));
  return SinDegrees(90 - r);
}

Extended AngleSin(Extended x) { return Degrees() ? SinDegrees(x) : SafeSin(x); }
Extended AngleCos(Extended x) { return Degrees() ? CosDegrees(x) : SafeCos(x); }
Extended FromRadians(Extended r) { return Degrees() ? r * DegPerRad : r; }

// Rounds to the nearest whole number, halves to even; false when the result does not fit the
// range [Low, High] of the integer type it is converted to.
bool RoundTo(Extended v, Extended Low, Extended High, Extended& Out) {
  Out = std::nearbyint(v);
  return Out >= Low && Out <= High;
}

constexpr Extended Int32Low = -2147483648.0L, Int32High = 2147483647.0L;
constexpr Extended UInt32High = 4294967295.0L;

// The argument checks of the Bessel rows, in their order: the code to raise, or -1. x is the
// order, y the argument.
int BesselArgumentError(int Id, Extended x, Extended y) {
  const bool positive = Id == 21;
  if (positive ? !(y > 0) : !(y >= 0)) return errOutOfRange;
  if (!(x >= 0)) return errOutOfRange;
  if (y == UndefinedValue) return errCommaExpected;
  if (Id == 19 && y == 0) return errOutOfRange;
  return -1;
}

Extended Bessel(int Id, Extended x, Extended y) {
  switch (Id) {
    case 18:
      return BesselJ(x, y);
    case 19:
      return BesselY(x, y);
    case 20:
      return BesselI(x, y);
    default:
      return BesselK(x, y);
  }
}

// Far above the Fermi level the quadrature cannot settle (its nodes are rounded at the magnitude
// of x) and runs through all its doublings, for seconds, before it gives up. Sommerfeld's
// expansion
//   x^(n+1)/(n+1) (1 + sum over k of 2 eta(2k) (n+1) n ... (n-2k+2) / x^2k)
// is exact there: from x = 1000 and x = 4 (n + 2) on, each term is at most 1/16 of the one
// before, and what the expansion leaves out is of the order exp(-x). For a whole n it is a
// finite sum.
bool SommerfeldApplies(Extended n, Extended x) {
  return n > -1 && n <= 1760 && std::isfinite(x) && x >= 1000 && x >= 4 * (n + 2);
}

// Dirichlet's eta function at the even number M >= 2.
Extended EtaEven(int M) {
  constexpr Extended P2 = Pi * Pi;
  switch (M) {
    case 2:
      return P2 / 12;
    case 4:
      return 7 * P2 * P2 / 720;
    case 6:
      return 31 * P2 * P2 * P2 / 30240;
    case 8:
      return 127 * P2 * P2 * P2 * P2 / 1209600;
    case 10:
      return 73 * P2 * P2 * P2 * P2 * P2 / 6842880;
    default: {
      // The alternating series, summed from its small end, is exact to 41^-12 here.
      Extended s = 0;
      for (int j = 40; j >= 1; --j)
        s += (j % 2 == 1 ? 1 : -1) * std::pow(static_cast<Extended>(j), -M);
      return s;
    }
  }
}

// False when the expansion does not settle; the quadrature is then the only way.
bool FermiDiracAbove(Extended n, Extended x, Extended& Value) {
  const Extended inv2 = 1 / (x * x);
  Extended rel = 1, f = 1;
  for (int k = 1; k <= 100; ++k) {
    f *= (n - 2 * k + 3) * (n - 2 * k + 2) * inv2;
    const Extended term = 2 * EtaEven(2 * k) * f;
    rel += term;
    if (fabs(term) <= 1e-22L * fabs(rel)) {
      Value = std::pow(x, n + 1) / (n + 1) * rel;
      return true;
    }
  }
  return false;
}

Extended OneArgRow(int Id, Extended& Arg1, Extended Arg2) {
  const Extended x = Arg1;
  Extended v = x;
  bool computed = true;
  switch (Id) {
    case 1:
      v = AngleSin(x);
      break;
    case 12:
      v = AngleCos(x);
      break;
    case 13: {
      const Extended c = AngleCos(x);
      if (c == 0) return Raise(Arg1, errDivisionByZero);
      v = AngleSin(x) / c;
      break;
    }
    case 2:
      if (!(fabs(x) <= 1)) return Cleared(Arg1, errArguments);
      v = FromRadians(SafeArcSin(x));
      if (Degrees() && fabs(x) == 1) v = 90 * x;
      break;
    case 3:
      if (!(fabs(x) <= 1)) return Cleared(Arg1, errArguments);
      v = x == 0 ? (Degrees() ? 90 : Pi / 2) : FromRadians(std::acos(x));
      if (Degrees() && x == -1) v = 180;
      break;
    case 4:
      v = FromRadians(ArcTanOf(x));
      break;
    case 5:
      v = std::asinh(x);
      break;
    case 6:
      if (!(x >= 1)) return Cleared(Arg1, errArguments);
      v = std::acosh(x);
      break;
    case 7:
      if (!(x * x < 1)) return Cleared(Arg1, errArguments);
      v = std::atanh(x);
      break;
    case 8:
      v = std::sinh(x);
      if (std::isinf(v)) return Raise(Arg1, errOverflow);
      break;
    case 9:
      v = std::cosh(x);
      if (std::isinf(v)) return Raise(Arg1, errOverflow);
      break;
    case 10:
      v = std::tanh(x);
      break;
    case 11:
      v = RandomUniform();
      break;
    case 14:
      v = SafeExp(x);
      break;
    case 15:
      if (!(x >= 0)) return Cleared(Arg1, errArgumentNegative);
      v = std::sqrt(x);
      break;
    case 16:
      if (!(x > 0)) return Cleared(Arg1, errArgumentNegative);
      v = SafeLn(x);
      break;
    case 17:
      if (!(x > 0)) return Cleared(Arg1, errArgumentNegative);
      v = std::log10(x);
      break;
    case 18:
    case 19:
    case 20:
    case 21: {
      const int code = BesselArgumentError(Id, x, Arg2);
      if (code >= 0) return Raise(Arg1, code);
      v = Bessel(Id, x, Arg2);
      break;
    }
    case 23:
      if (x == 0) return Raise(Arg1, errOutOfRange);
      if (x < 0) return Cleared(Arg1, errArguments);
      v = CosIntegral(x);
      break;
    case 24:
      if (x < 0) return Cleared(Arg1, errArguments);
      v = SinIntegral(x);
      break;
    case 25:
      v = Erf(x);
      break;
    case 26:
      v = Gamma(x);
      break;
    case 28:
    case 29:
      v = Pi;
      break;
    case 30:
      v = EulerE;
      break;
    case 31:
      if (!(x >= 0) || x != std::trunc(x)) return Cleared(Arg1, errArguments);
      if (x > 1754) return Cleared(Arg1, errOverflow);
      v = Factorial(x);
      break;
    case 32:
      if (Arg2 == UndefinedValue) return Raise(Arg1, errCommaExpected);
      if (!(SommerfeldApplies(x, Arg2) && FermiDiracAbove(x, Arg2, v))) v = FermiDirac(x, Arg2);
      break;
    case 33:
      v = fabs(x);
      break;
    case 34:
      v = x == 0.5L ? 1 : std::nearbyint(x) + 0.0L;
      break;
    case 35:
      v = x - std::trunc(x) + 0.0L;
      break;
    case 36:
      v = std::trunc(x) + 0.0L;
      break;
    case 40:
      v = x * x;
      break;
    case 42:
      if (Arg2 == UndefinedValue) return Raise(Arg1, errCommaExpected);
      v = RandomGauss(x, Arg2);
      break;
    case 90:
    case 91:
      v = Id == 90 ? std::ceil(x) : std::floor(x);
      if (!(v >= Int32Low && v <= Int32High)) return Raise(Arg1, errOutOfRange);
      v += 0.0L;
      break;
    case 92: {
      const Extended s = std::sin(x);
      if (s == 0 || !std::isfinite(x)) return Raise(Arg1, errDivisionByZero);
      v = std::cos(x) / s;
      if (!std::isfinite(v)) return Raise(Arg1, errDivisionByZero);
      break;
    }
    case 95:
    case 96: {
      int e = 0;
      const Extended m = std::isfinite(x) ? std::frexp(x, &e) : 0;
      v = Id == 95 ? m : e;
      break;
    }
    case 108:
    case 111: {
      const Extended d = Id == 108 ? AngleCos(x) : AngleSin(x);
      if (d == 0) return Raise(Arg1, errDivisionByZero);
      v = 1 / d;
      if (!std::isfinite(v)) return Raise(Arg1, errDivisionByZero);
      break;
    }
    case 109:
      v = PNorm(x);
      break;
    case 112:
      v = 1 / std::cosh(x);
      break;  // 0 once cosh is beyond the range
    case 116:
      if (x == 0) return Raise(Arg1, errDivisionByZero);
      v = 1 / std::sinh(x);
      if (!std::isfinite(v)) return Raise(Arg1, errDivisionByZero);
      break;
    case 114:
      v = Erfc(x);
      break;
    case 115:
      v = LnGamma(x);
      break;
    case 119:
      v = Sign(x);
      break;
    case 120:
      v = SignGamma(x);
      break;
    case 121:
      if (x < 0) return Cleared(Arg1, errArguments);
      v = SafeLog2(x);
      break;
    case 127:
      v = FresnelC(x);
      break;
    case 128:
      v = FresnelS(x);
      break;
    case 129:
      v = ExpIntegral(x);
      break;
    default:
      if (Id >= 45 && Id <= 66) {
        v = x * UnitFactors[Id - 45];
      } else {
        computed = false;
      }
  }
  if (!computed) return Arg1;
  if (!EngineState.ErrFlag && !std::isfinite(v)) return Raise(Arg1, errOverflow);
  CompleteLibraryError();
  if (EngineState.ErrFlag) {
    Arg1 = 0;
    return 0;
  }
  Arg1 = v;
  return v;
}

bool MultiArgRow(int Id, Extended& Value, Extended Arg1, Extended Arg2, bool& InArgument) {
  const Extended a = Arg1, b = Arg2;
  Extended v = 0;
  Extended ra = 0, rb = 0;
  auto fail = [&](int Code) {
    Raise(Value, Code);
    return true;
  };
  // Reads the third argument of ibeta( and psned( after one more ','.
  auto third = [&](Extended& c) {
    if (EngineState.CurChar != ',') {
      RaiseError(EngineState.ExprStr, errCommaExpected);
      return false;
    }
    EngineState.CurChar = NextChar(EngineState.ExprStr);
    c = 0;
    Expression(c);
    InArgument = EngineState.ErrFlag;
    return !EngineState.ErrFlag;
  };
  switch (Id) {
    case 89:
      v = FromRadians(ArcTanXY(a, b));
      break;
    case 93:
      // Base 1 has no logarithms: ln 1 = 0 would divide by zero.
      if (!(b > 0 && a > 0) || a == 1) {
        Cleared(Value, errArguments);
        return true;
      }
      v = std::log(b) / std::log(a);
      break;
    case 102:
      v = Hypot(a, b);
      break;
    case 103:
      if (!RoundTo(a, Int32Low, Int32High, ra) || !RoundTo(b, Int32Low, Int32High, rb))
        return fail(errOutOfRange);
      v = Binomial(static_cast<int>(ra), static_cast<int>(rb));
      break;
    case 104:
      v = IncGamma(a, b);
      break;
    case 105:
      v = IncGammaC(a, b);
      break;
    case 106:
      v = Beta(a, b);
      break;
    case 110:
      if (!RoundTo(a, Int32Low, Int32High, ra)) return fail(errOutOfRange);
      v = PStudent(static_cast<int>(ra), b);
      break;
    case 113: {
      Extended c = 0;
      if (!third(c)) {
        Value = 0;
        return true;
      }
      v = IncBeta(a, b, c);
      break;
    }
    case 117:
    case 118:
      if (!RoundTo(fabs(a), 0, UInt32High, ra) || !RoundTo(fabs(b), 0, UInt32High, rb))
        return fail(errOutOfRange);
      if (Id == 117) {
        v = static_cast<Extended>(
            LCM(static_cast<std::uint32_t>(ra), static_cast<std::uint32_t>(rb)));
      } else {
        v = GCD(static_cast<std::uint32_t>(ra), static_cast<std::uint32_t>(rb));
      }
      break;
    case 122:
      if (!RoundTo(b, Int32Low, Int32High, rb)) return fail(errOutOfRange);
      v = std::ldexp(a, static_cast<int>(rb));
      if (std::isinf(v)) return fail(errOverflow);
      break;
    case 123:
      if (!RoundTo(a, 0, UInt32High, ra) || !RoundTo(b, 0, UInt32High, rb))
        return fail(errOutOfRange);
      v = Perm(static_cast<std::uint32_t>(ra), static_cast<std::uint32_t>(rb));
      break;
    case 125:
      if (!RoundTo(a, Int32Low, Int32High, ra)) return fail(errOutOfRange);
      v = PKhi2(static_cast<int>(ra), b);
      break;
    case 126: {
      if (!RoundTo(a, Int32Low, Int32High, ra) || !RoundTo(b, Int32Low, Int32High, rb))
        return fail(errOutOfRange);
      Extended c = 0;
      if (!third(c)) {
        Value = 0;
        return true;
      }
      v = PSnedecor(static_cast<int>(ra), static_cast<int>(rb), c);
      break;
    }
    default:
      return false;
  }
  if (!EngineState.ErrFlag && !std::isfinite(v)) return fail(errOverflow);
  CompleteLibraryError();
  Value = EngineState.ErrFlag ? 0 : v;
  return true;
}

}  // namespace

void MarkCall(int NameStart) {
  auto& s = EngineState;
  if (s.ErrPos > NameStart) {
    s.ErrLen = s.ErrPos - NameStart + 1;
    s.ErrPos = NameStart;
  }
}

Extended CallBuiltin(int Id, Extended& Arg1, Extended Arg2, int NameStart) {
  const Extended v = OneArgRow(Id, Arg1, Arg2);
  if (EngineState.ErrFlag) MarkCall(NameStart);
  return v;
}

bool CallMultiArgBuiltin(int Id, Extended& Value, Extended Arg1, Extended Arg2, int NameStart) {
  bool inArgument = false;
  const bool handled = MultiArgRow(Id, Value, Arg1, Arg2, inArgument);
  // An error inside the third argument keeps the span it was raised with.
  if (EngineState.ErrFlag && !inArgument) MarkCall(NameStart);
  return handled;
}
