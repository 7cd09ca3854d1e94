#include "engine/complex_math.h"

#include <cmath>
#include <utility>

#include "engine/specfun.h"

const TComplex ComplexZero{cfAlgebraic, 0, 0};
const TComplex ComplexZero2{cfAlgebraic, 0, 0};
const TComplex ComplexOne{cfAlgebraic, 1, 0};
const TComplex ComplexI{cfAlgebraic, 0, 1};
const TComplex ComplexPiHalf{cfAlgebraic, Pi / 2, 0};
const TComplex ComplexInfinity{cfAlgebraic, HugeValue, HugeValue};

namespace {

constexpr Extended HalfPi = Pi / 2;
constexpr Extended Ln2 = 0.693147180559945309417232121458176568L;
constexpr Extended LnPi = 1.14472988584940017414342735135305871L;
constexpr Extended LnSqrt2Pi = 0.918938533204672741780329736405617640L;

// Beyond these magnitudes the inverse functions take their asymptotic or their first-order
// forms; the neglected terms are below 1e-20 relative there.
constexpr Extended AsymptoticBig = 1e10L;
constexpr Extended AsymptoticTiny = 1e-10L;

TComplex Alg(Extended a, Extended b) { return TComplex{cfAlgebraic, a, b}; }

void Parts(const TComplex& Z, Extended& x, Extended& y) {
  x = CRe(Z);
  y = CIm(Z);
}

// The nearest long double to pi lies below pi, so both +Pi and -Pi are inside (-pi, pi]: an
// argument of -Pi is the rounded angle of a point just below the negative real axis and must
// not be moved to the upper side.
Extended Reduce(Extended t) { return std::fabs(t) <= Pi ? t : NormalizeAngle(t); }

void SetError(int Code) { EngineState.ErrCode = Code; }

// The imaginary sign of an inverse function on its cut, where the imaginary part is 0: the value
// then continues the half-plane into which the cut turns counter-clockwise.
int CutSign(Extended x, Extended y) {
  if (y != 0) return y > 0 ? 1 : -1;
  return Sign(-x);
}

// Inverse sine and cosine in the first quadrant, after Hull, Fairgrieve and Tang: the real parts
// are taken from arcsin/arccos of x/A or from an arctangent that avoids the cancellation of
// a - b, and the imaginary part (arccosh A) from log1p of A - 1 computed without cancellation.
struct TAsinParts {
  Extended AsinRe, AcosRe, Im;
};

TAsinParts AsinFirstQuadrant(Extended x, Extended y) {
  TAsinParts p{};
  if (x > AsymptoticBig || y > AsymptoticBig) {
    p.Im = Ln2 + std::log(Hypot(x, y));
    p.AsinRe = std::atan2(x, y);
    p.AcosRe = std::atan2(y, x);
    return p;
  }
  if (x < AsymptoticTiny && y < AsymptoticTiny) {
    p.AsinRe = x;
    p.AcosRe = HalfPi - x;
    p.Im = y;
    return p;
  }
  if (y == 0) {
    if (x <= 1) {
      p.AsinRe = std::asin(x);
      p.AcosRe = std::acos(x);
    } else {
      p.AsinRe = HalfPi;
      p.AcosRe = 0;
      p.Im = std::log1p((x - 1) + std::sqrt((x - 1) * (x + 1)));
    }
    return p;
  }
  const Extended xp1 = x + 1, xm1 = x - 1;
  const Extended r = std::hypot(xp1, y), s = std::hypot(xm1, y);
  const Extended a = (r + s) / 2, b = x / a, y2 = y * y;
  if (b <= 0.6417L) {
    p.AsinRe = std::asin(b);
    p.AcosRe = std::acos(b);
  } else {
    Extended d;
    if (x <= 1) {
      d = std::sqrt((a + x) / 2 * (y2 / (r + xp1) + (s - xm1)));
    } else {
      const Extended apx = a + x;
      d = y * std::sqrt((apx / (r + xp1) + apx / (s + xm1)) / 2);
    }
    p.AsinRe = std::atan(x / d);
    p.AcosRe = std::atan(d / x);
  }
  if (a <= 1.5L) {
    const Extended am1 =
        x < 1 ? (y2 / (r + xp1) + y2 / (s - xm1)) / 2 : (y2 / (r + xp1) + (s + xm1)) / 2;
    p.Im = std::log1p(am1 + std::sqrt(am1 * (a + 1)));
  } else {
    p.Im = std::log(a + std::sqrt(a * a - 1));
  }
  return p;
}

// arctanh in the first quadrant (u, v >= 0, not the pole 1): real part >= 0, imaginary part in
// [0, pi/2]. The real part is a log1p unless 1 - w is small, where the quotient of two moduli
// has no cancellation.
void AtanhFirstQuadrant(Extended u, Extended v, Extended& re, Extended& im) {
  if (u > AsymptoticBig || v > AsymptoticBig) {
    // arctanh w = i·pi/2 + 1/w + O(w^-3)
    const Extended r = Hypot(u, v);
    re = (u / r) / r;
    im = HalfPi - (v / r) / r;
    return;
  }
  if (u < AsymptoticTiny && v < AsymptoticTiny) {
    re = u;
    im = v;
    return;
  }
  const Extended d1 = (1 - u) * (1 - u) + v * v;  // |1 - w|^2
  if (d1 < 0.25L)
    re = (std::log(std::hypot(1 + u, v)) - std::log(std::hypot(1 - u, v))) / 2;
  else
    re = std::log1p(4 * u / d1) / 4;
  im = std::atan2(2 * v, (1 - u) * (1 + u) - v * v) / 2;
}

// sinh and cosh that keep the library's overflow report (code 11 outside the exp range).
bool HypParts(Extended x, Extended& sh, Extended& ch) {
  SinhCosh(x, sh, ch);
  return EngineState.ErrCode == 0;
}

// sin and cos of one part of Z and sinh and cosh of the other: of the real part and the
// imaginary part for the circular functions, the other way round for the hyperbolic ones.
struct TSinCosParts {
  Extended S, C, Sh, Ch;
};

TSinCosParts SinCosParts(const TComplex& Z, bool Hyperbolic) {
  Extended x, y;
  Parts(Z, x, y);
  if (Hyperbolic) std::swap(x, y);
  TSinCosParts p{};
  SinCos(x, p.S, p.C);
  HypParts(y, p.Sh, p.Ch);
  return p;
}

// tan(x + iy) = (sin x cos x + i sinh y cosh y) / (cos^2 x + sinh^2 y): the denominator is a sum
// of squares, so there is no cancellation next to the poles; for a large |y| the value is
// within rounding of ±i and only the real part's tiny size needs computing.
void TanParts(Extended x, Extended y, Extended& re, Extended& im) {
  Extended s, c;
  SinCos(x, s, c);
  if (std::fabs(y) > 24) {
    re = 4 * s * c * std::exp(-2 * std::fabs(y));
    im = y > 0 ? 1 : -1;
    return;
  }
  Extended sh, ch;
  HypParts(y, sh, ch);
  const Extended den = c * c + sh * sh;
  if (den == 0) {
    SetError(errSingularity);
    re = HugeValue;
    im = 0;
    return;
  }
  re = s * c / den;
  im = sh * ch / den;
}

// ln Gamma for Re z >= 1/2 by the Stirling series after shifting the real part to 9 or more.
TComplex LnGammaRight(TComplex z) {
  // B_2k / (2k (2k - 1)), k = 1 .. 8
  static constexpr Extended Coef[8] = {1.0L / 12,    -1.0L / 360,      1.0L / 1260,
                                       -1.0L / 1680, 1.0L / 1188,      -691.0L / 360360,
                                       1.0L / 156,   -3617.0L / 122400};
  TComplex shift = ComplexZero;
  while (z.A < 9) {
    TComplex l;
    CLn(z, l);
    CAdd(shift, l, shift);
    z.A += 1;
  }
  TComplex lnz, r, t;
  CLn(z, lnz);
  CMul(Alg(z.A - 0.5L, z.B), lnz, r);
  CSub(r, z, r);
  r.A += LnSqrt2Pi;
  TComplex inv, inv2, series = ComplexZero;
  CDiv(ComplexOne, z, inv);
  CMul(inv, inv, inv2);
  for (int k = 7; k >= 0; --k) {  // Horner in 1/z^2
    CMul(series, inv2, series);
    series.A += Coef[k];
  }
  CMul(series, inv, t);
  CAdd(r, t, r);
  CSub(r, shift, r);
  return r;
}

// ln Gamma for Im z >= 0 and Re z < 1/2 by reflection:
//   ln Gamma(z) = ln pi - ln Gamma(1 - z) - ln sin(pi z),
// where in the upper half-plane the branch of ln sin(pi z) that makes the left side the
// principal log-gamma is -i pi z + i pi/2 - ln 2 + ln(1 - exp(2 pi i z)).
TComplex LnGammaReflected(Extended x, Extended y) {
  TComplex right = LnGammaRight(Alg(1 - x, -y));
  // 1 - exp(2 pi i z) with the real part of z reduced exactly to [-1/2, 1/2] and expm1, so
  // that z near a whole number keeps its relative accuracy.
  const Extended xr = x - std::nearbyint(x);
  const Extended a = -2 * Pi * y, b = 2 * Pi * xr;
  const Extended sb = std::sin(b), sh = std::sin(b / 2);
  const Extended oneMinusRe = -(std::expm1(a) * std::cos(b) - 2 * sh * sh);
  const Extended oneMinusIm = -std::exp(a) * sb;
  TComplex l;
  CLn(Alg(oneMinusRe, oneMinusIm), l);
  const TComplex lnSin = Alg(Pi * y - Ln2 + l.A, -Pi * x + HalfPi + l.B);
  TComplex r = Alg(LnPi, 0);
  CSub(r, right, r);
  CSub(r, lnSin, r);
  return r;
}

// -i F(i z): tanh, arcsinh and arctan are a quarter turn of tan, arcsin and arctanh.
void QuarterTurn(void (*F)(TComplex, TComplex&), const TComplex& Z, TComplex& R) {
  Extended x, y;
  Parts(Z, x, y);
  TComplex a;
  F(Alg(-y, x), a);
  R = Alg(a.B, -a.A);
}

}  // namespace

void CMake(std::uint8_t Form, TComplex& Z, Extended A, Extended B) {
  Z.Form = Form == cfAlgebraic ? cfAlgebraic : cfExponential;
  Z.A = A;
  Z.B = B;
  // A negative modulus would make sqrt(, ln( and abs( wrong; it is the same number as the
  // modulus |A| with the argument turned by pi.
  if (Z.Form == cfExponential && A < 0) {
    Z.A = -A;
    Z.B = Reduce(B + Pi);
  }
}

Extended CRe(const TComplex& Z) { return Z.Form == cfAlgebraic ? Z.A : Z.A * std::cos(Z.B); }

Extended CIm(const TComplex& Z) { return Z.Form == cfAlgebraic ? Z.B : Z.A * std::sin(Z.B); }

Extended CAbs(const TComplex& Z) { return Z.Form == cfAlgebraic ? Hypot(Z.A, Z.B) : Z.A; }

bool CEqual(const TComplex& Z1, const TComplex& Z2) {
  return CRe(Z1) == CRe(Z2) && CIm(Z1) == CIm(Z2);
}

int CSign(const TComplex& Z) {
  const Extended re = CRe(Z);
  return re != 0 ? Sign(re) : Sign(CIm(Z));
}

void CConvert(TComplex Z, std::uint8_t Form, TComplex& R) {
  const bool toAlg = Form == cfAlgebraic;
  if (toAlg == (Z.Form == cfAlgebraic)) {
    R = Z;
    return;
  }
  if (toAlg) {
    R = Alg(Z.A * std::cos(Z.B), Z.A * std::sin(Z.B));
    return;
  }
  const Extended r = Z.A == 0 ? std::fabs(Z.B) : Hypot(Z.A, Z.B);
  R = TComplex{cfExponential, r, ArcTanXY(Z.A, Z.B)};
}

void CNeg(TComplex Z, TComplex& R) {
  if (Z.Form == cfAlgebraic)
    R = Alg(-Z.A, -Z.B);
  else
    R = TComplex{Z.Form, Z.A, Reduce(Z.B + Pi)};
}

void CConj(TComplex Z, TComplex& R) {
  if (Z.Form == cfAlgebraic)
    R = Alg(Z.A, -Z.B);
  else
    R = TComplex{Z.Form, Z.A, Reduce(-Z.B)};
}

void CAdd(TComplex Z1, TComplex Z2, TComplex& R) {
  CConvert(Z1, cfAlgebraic, Z1);
  CConvert(Z2, cfAlgebraic, Z2);
  R = Alg(Z1.A + Z2.A, Z1.B + Z2.B);
}

void CSub(TComplex Z1, TComplex Z2, TComplex& R) {
  CConvert(Z1, cfAlgebraic, Z1);
  CConvert(Z2, cfAlgebraic, Z2);
  R = Alg(Z1.A - Z2.A, Z1.B - Z2.B);
}

void CMul(TComplex Z1, TComplex Z2, TComplex& R) {
  CConvert(Z2, Z1.Form, Z2);
  if (Z1.Form == cfAlgebraic)
    R = Alg(Z1.A * Z2.A - Z1.B * Z2.B, Z1.A * Z2.B + Z1.B * Z2.A);
  else
    R = TComplex{Z1.Form, Z1.A * Z2.A, Reduce(Z1.B + Z2.B)};
}

void CDiv(TComplex Z1, TComplex Z2, TComplex& R) {
  const bool zero = Z2.Form == cfAlgebraic ? (Z2.A == 0 && Z2.B == 0) : Z2.A == 0;
  if (zero) {
    SetError(errOverflow);
    R = ComplexInfinity;
    return;
  }
  CConvert(Z2, Z1.Form, Z2);
  if (Z1.Form != cfAlgebraic) {
    R = TComplex{Z1.Form, Z1.A / Z2.A, Reduce(Z1.B - Z2.B)};
    return;
  }
  // Scaled (Smith's) division: c^2 + d^2 would under- or overflow long before the quotient.
  const Extended a = Z1.A, b = Z1.B, c = Z2.A, d = Z2.B;
  if (std::fabs(c) >= std::fabs(d)) {
    const Extended q = d / c, den = c + d * q;
    R = Alg((a + b * q) / den, (b - a * q) / den);
  } else {
    const Extended q = c / d, den = c * q + d;
    R = Alg((a * q + b) / den, (b * q - a) / den);
  }
}

void CLn(TComplex Z, TComplex& R) {
  if (Z.Form != cfAlgebraic) {
    if (Z.A == 0) {
      SafeLn(0);
      R = Alg(-HugeValue, 0);
      return;
    }
    R = Alg(std::log(Z.A), Reduce(Z.B));
    return;
  }
  const Extended x = Z.A, y = Z.B;
  const Extended big = std::fmax(std::fabs(x), std::fabs(y));
  const Extended small = std::fmin(std::fabs(x), std::fabs(y));
  if (big == 0) {
    SafeLn(0);
    R = Alg(-HugeValue, 0);
    return;
  }
  Extended re;
  if (big >= 0.5L && big <= 2)  // |z| near 1: ln|z| = log1p(|z|^2 - 1) / 2 without cancellation
    re = std::log1p((big - 1) * (big + 1) + small * small) / 2;
  else
    re = std::log(Hypot(x, y));
  R = Alg(re, ArcTanXY(x, y));
}

void CExp(TComplex Z, TComplex& R) {
  CConvert(Z, cfAlgebraic, Z);
  const Extended e = SafeExp(Z.A);
  Extended s, c;
  SinCos(Z.B, s, c);
  R = Alg(e * c, e * s);
}

void CPower(TComplex Z1, TComplex Z2, TComplex& R) {
  if (CAbs(Z1) == 0) {
    Extended x, y;
    Parts(Z2, x, y);
    if (x == 0 && y == 0) {
      R = ComplexOne;
    } else if (x > 0) {
      R = ComplexZero;
    } else {
      // 0 to a power with a negative real part is 1/0; with a zero real part it has no value.
      SetError(x < 0 ? errDivisionByZero : errArguments);
      R = ComplexInfinity;
    }
    return;
  }
  TComplex l, w;
  CLn(Z1, l);
  CConvert(Z2, cfAlgebraic, Z2);
  CMul(Z2, l, w);
  CExp(w, R);
}

void CIntPower(TComplex Z, int n, TComplex& R) {
  CConvert(Z, cfExponential, Z);
  if (Z.A != 0) {
    R = TComplex{cfExponential, IntPower(n, Z.A), Reduce(n * Z.B)};
    return;
  }
  if (n == 0) {
    R = ComplexOne;
  } else if (n < 0) {
    SetError(errDivisionByZero);
    R = ComplexInfinity;
  } else {
    R = ComplexZero;
  }
}

void CSqrt(TComplex Z, TComplex& R) {
  CConvert(Z, cfExponential, Z);
  if (Z.A == 0) {
    R = ComplexZero;
    return;
  }
  // The argument is reduced before halving, so that an unreduced one (say 2pi + 1) still gives
  // the principal root.
  R = TComplex{cfExponential, std::sqrt(Z.A), Reduce(Z.B) / 2};
}

void CSin(TComplex Z, TComplex& R) {
  const TSinCosParts p = SinCosParts(Z, false);
  R = Alg(p.S * p.Ch, p.C * p.Sh);
}

void CCos(TComplex Z, TComplex& R) {
  const TSinCosParts p = SinCosParts(Z, false);
  R = Alg(p.C * p.Ch, -p.S * p.Sh);
}

void CTan(TComplex Z, TComplex& R) {
  Extended x, y, re, im;
  Parts(Z, x, y);
  TanParts(x, y, re, im);
  R = Alg(re, im);
}

void CSinh(TComplex Z, TComplex& R) {
  const TSinCosParts p = SinCosParts(Z, true);
  R = Alg(p.C * p.Sh, p.S * p.Ch);
}

void CCosh(TComplex Z, TComplex& R) {
  const TSinCosParts p = SinCosParts(Z, true);
  R = Alg(p.C * p.Ch, p.S * p.Sh);
}

void CTanh(TComplex Z, TComplex& R) { QuarterTurn(CTan, Z, R); }

void CArcSin(TComplex Z, TComplex& R) {
  Extended x, y;
  Parts(Z, x, y);
  const TAsinParts p = AsinFirstQuadrant(std::fabs(x), std::fabs(y));
  R = Alg(x < 0 ? -p.AsinRe : p.AsinRe, CutSign(x, y) * p.Im);
}

void CArcCos(TComplex Z, TComplex& R) {
  Extended x, y;
  Parts(Z, x, y);
  const TAsinParts p = AsinFirstQuadrant(std::fabs(x), std::fabs(y));
  R = Alg(x < 0 ? Pi - p.AcosRe : p.AcosRe, -CutSign(x, y) * p.Im);
}

void CArcSinh(TComplex Z, TComplex& R) { QuarterTurn(CArcSin, Z, R); }

void CArcCosh(TComplex Z, TComplex& R) {
  // arccosh z = ±i arccos z, the sign chosen for a non-negative real part
  TComplex a;
  CArcCos(Z, a);
  if (a.B <= 0)
    R = Alg(-a.B, a.A);
  else
    R = Alg(a.B, -a.A);
}

void CArcTanh(TComplex Z, TComplex& R) {
  Extended x, y;
  Parts(Z, x, y);
  if (std::fabs(x) == 1 && y == 0) {
    SetError(errSingularity);
    R = Alg(Sign(x) * HugeValue, 0);
    return;
  }
  Extended re, im;
  AtanhFirstQuadrant(std::fabs(x), std::fabs(y), re, im);
  // On the cut (|x| > 1, y = 0) the imaginary part follows the counter-clockwise side.
  const int imSign = y != 0 ? (y > 0 ? 1 : -1) : -Sign(x);
  R = Alg(x < 0 ? -re : re, imSign * im);
}

void CArcTan(TComplex Z, TComplex& R) { QuarterTurn(CArcTanh, Z, R); }

void CLnGamma(TComplex Z, TComplex& R) {
  Extended x, y;
  Parts(Z, x, y);
  if (y == 0 && x <= 0 && x == std::floor(x)) {
    SetError(errSingularity);
    R = ComplexInfinity;
    return;
  }
  // ln Gamma(conj z) = conj ln Gamma(z): work in the upper half-plane. The real axis itself
  // counts as its lower edge's limit from above.
  const bool lower = y < 0;
  if (lower) y = -y;
  R = x < 0.5L ? LnGammaReflected(x, y) : LnGammaRight(Alg(x, y));
  if (lower) R.B = -R.B;
}
