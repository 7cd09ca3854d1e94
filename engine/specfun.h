#pragma once
// Guarded elementary functions and the special functions of the real evaluator and of the
// complex library. Nothing here throws: a bad argument or an out-of-range result sets
// EngineState.ErrCode (and ErrFlag) and the routine returns a fixed substitute value. A routine
// that can fail first sets ErrCode to 0 and leaves ErrFlag alone when it succeeds, so a caller
// tests ErrCode != 0 right after a call to learn whether that call failed.
#include <array>

#include "engine/engine_state.h"

// Just under the largest finite long double; the substitute for overflow and poles.
inline constexpr Extended HugeValue = 0xFFFFFFFFFFFFD37Ap16320L;
// Logarithms of the smallest normal and of the largest long double: the exponential's range.
inline constexpr Extended ExpLowLimit = -11355.137111933023L;
inline constexpr Extended ExpHighLimit = 11356.523406294144L;
// Stop and guard values of the continued fractions.
inline constexpr Extended MachineEps = 0x1p-63L;
inline constexpr Extended TinyValue = 0x8000000000001639p-16445L;

inline constexpr Extended Pi = 3.14159265358979323846264338327950288L;
inline constexpr Extended EulerE = 2.71828182845904523536028747135266250L;
inline constexpr Extended EulerGamma = 0.57721566490153286060651209008240243L;

// Sets ErrCode := Code and ErrFlag; returns 0 for codes 8 and 28, HugeValue for 11 and 12.
Extended MathError(int Code);

void SwapExt(Extended& a, Extended& b);
int Sign(Extended x);

Extended SafeExp(Extended x);          // below ExpLowLimit: 28 and 0; above ExpHighLimit: 11
Extended SafeLn(Extended x);           // x < 0: 8 and 0; x = 0: 12 and HugeValue
Extended SafeLog2(Extended x);         // as SafeLn
Extended IntPower(int n, Extended x);  // x^n; 0^n with n < 0 is error 12
Extended Hypot(Extended a, Extended b);
Extended NormalizeAngle(Extended x);  // into (-pi, pi]
// By reference: a long double passed by value is stored for the call, and reading it back waits
// for the store; a caller that holds the argument in memory already hands it on as it is.
Extended SafeSin(const Extended& x);  // 0 for |x| >= 2^63
Extended SafeCos(const Extended& x);
void SinCos(Extended x, Extended& S, Extended& C);
Extended SafeArcSin(Extended x);  // |x| > 1: 8 and 0
Extended ArcTanOf(Extended x);
Extended ArcTanXY(Extended X, Extended Y);              // angle of the point (X, Y) in (-pi, pi]
void SinhCosh(Extended x, Extended& Sh, Extended& Ch);  // outside the exp range: 11

int SignGamma(Extended x);
Extended LnGamma(Extended x);  // ln|Gamma(x)|; poles: 12
Extended Binomial(int n, int k);
Extended Beta(Extended a, Extended b);
Extended IncGamma(Extended a, Extended x);             // regularised P(a, x)
Extended IncGammaC(Extended a, Extended x);            // Q(a, x) = 1 - P(a, x)
Extended IncBeta(Extended a, Extended b, Extended x);  // regularised I_x(a, b)
Extended Erf(Extended x);
Extended Erfc(Extended x);
Extended PNorm(Extended x);  // P(|Z| >= |x|)
Extended PStudent(int n, Extended t);
Extended PKhi2(int n, Extended x);
Extended PSnedecor(int Nu1, int Nu2, Extended F);
// Sum over k of (A1)k..(Ap)k / ((B1)k..(Bq)k) z^k/k!; parameters past p and q are ignored.
Extended HypergeometricSum(int p, int q, const std::array<Extended, 4>& A,
                           const std::array<Extended, 4>& B, Extended z);
Extended ExpIntegral(Extended x);  // E1(x); x <= 0: ErrFlag and code 10, result 0
Extended FresnelC(Extended x);     // integral of cos(pi t^2/2) over [0, x]
Extended FresnelS(Extended x);
