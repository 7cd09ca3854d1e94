#pragma once
// Temporary engine settings for the time of a scope, and the user's break, for code outside the
// engine: nothing outside it writes the engine's state or settings by hand, so what it changes
// always comes back, also on an early return.
#include <cstdint>

#include "engine/complex_math.h"

// The integrals compare Len digits for the scope's time (a grid of many points asks fewer).
class TQuadCompareScope {
 public:
  explicit TQuadCompareScope(std::uint8_t Len);
  ~TQuadCompareScope();
  TQuadCompareScope(const TQuadCompareScope&) = delete;
  TQuadCompareScope& operator=(const TQuadCompareScope&) = delete;

 private:
  std::uint8_t FSaved;
};

// The previous complex result is put back at the end of the scope: the complex reader resets it
// when a function fails, and a picture is not an evaluation of the input line.
class TComplexAnswerScope {
 public:
  TComplexAnswerScope();
  ~TComplexAnswerScope();
  TComplexAnswerScope(const TComplexAnswerScope&) = delete;
  TComplexAnswerScope& operator=(const TComplexAnswerScope&) = delete;

 private:
  TComplex FSaved;
};

// Decimal numbers for the scope's time: the radix decimal, and the time notation read as the
// scientific one.
class TDecimalNotationScope {
 public:
  TDecimalNotationScope();
  ~TDecimalNotationScope();
  TDecimalNotationScope(const TDecimalNotationScope&) = delete;
  TDecimalNotationScope& operator=(const TDecimalNotationScope&) = delete;

 private:
  std::uint8_t FRadix, FDisplayMode;
};

// The window's notation (0 Scn, 1 Fix, 2 Eng, 3 h:m:s) and angle mode (1 degrees, else radians).
void SetDisplayMode(int Mode);
void SetAngleMode(int Mode);

// The Stop button: the running calculation sees the request at its next check.
void RequestBreak();
// Whether the user pressed Stop and answered the break question with Yes. No clears the
// request, so that the work goes on and asks again at the next press.
bool BreakConfirmed();
