#pragma once
// Complex numbers of the calculator's complex mode. A value is held either in algebraic form
// (A + B·i) or in exponential form (A·exp(B·i)); operations accept both. Like the real library
// nothing here throws: a failure sets EngineState.ErrCode and the result is a fixed substitute.
// A caller that wants to know whether an operation failed clears ErrCode first and tests it
// afterwards (the operations themselves never clear it).
#include <cstdint>

#include "engine/engine_state.h"

inline constexpr std::uint8_t cfExponential = 0;
inline constexpr std::uint8_t cfAlgebraic = 1;

struct TComplex {
  std::uint8_t Form = cfAlgebraic;  // cfAlgebraic or cfExponential
  Extended A = 0;                   // real part, or modulus (never negative once made)
  Extended B = 0;                   // imaginary part, or argument in radians
};

extern const TComplex ComplexZero;
extern const TComplex ComplexZero2;  // the starting value of every evaluation result
extern const TComplex ComplexOne;
extern const TComplex ComplexI;
extern const TComplex ComplexPiHalf;
extern const TComplex ComplexInfinity;  // HugeValue + HugeValue·i

// Z := (Form, A, B). An exponential value with a negative modulus is turned into the same number
// with a non-negative one (modulus |A|, argument turned by pi).
void CMake(std::uint8_t Form, TComplex& Z, Extended A, Extended B);
Extended CRe(const TComplex& Z);
Extended CIm(const TComplex& Z);
Extended CAbs(const TComplex& Z);
bool CEqual(const TComplex& Z1, const TComplex& Z2);
// Sign of the real part, or of the imaginary part when the real part is 0.
int CSign(const TComplex& Z);
void CConvert(TComplex Z, std::uint8_t Form, TComplex& R);

void CNeg(TComplex Z, TComplex& R);
void CConj(TComplex Z, TComplex& R);
void CAdd(TComplex Z1, TComplex Z2, TComplex& R);
void CSub(TComplex Z1, TComplex Z2, TComplex& R);
void CMul(TComplex Z1, TComplex Z2, TComplex& R);
void CDiv(TComplex Z1, TComplex Z2, TComplex& R);  // zero divisor: 11 and ComplexInfinity

void CLn(TComplex Z, TComplex& R);                   // ln 0: 12
void CExp(TComplex Z, TComplex& R);                  // overflow 11, underflow 28
void CPower(TComplex Z1, TComplex Z2, TComplex& R);  // 0 to a power with real part < 0: 13
void CIntPower(TComplex Z, int n, TComplex& R);
void CSqrt(TComplex Z, TComplex& R);

void CSin(TComplex Z, TComplex& R);
void CCos(TComplex Z, TComplex& R);
void CTan(TComplex Z, TComplex& R);
void CSinh(TComplex Z, TComplex& R);
void CCosh(TComplex Z, TComplex& R);
void CTanh(TComplex Z, TComplex& R);

// Principal values; on a cut the value is the limit from the side that the cut turns
// counter-clockwise towards (arcsin(2) = pi/2 - 1.3170i, arctanh(2) = 0.5493 - pi/2·i).
void CArcSin(TComplex Z, TComplex& R);
void CArcCos(TComplex Z, TComplex& R);
void CArcTan(TComplex Z, TComplex& R);  // +-i: 12
void CArcSinh(TComplex Z, TComplex& R);
void CArcCosh(TComplex Z, TComplex& R);
void CArcTanh(TComplex Z, TComplex& R);  // +-1: 12

// The principal branch of log-gamma (analytic off the negative real axis; on it, the limit from
// above). Poles 0, -1, -2, ...: 12 and ComplexInfinity.
void CLnGamma(TComplex Z, TComplex& R);
