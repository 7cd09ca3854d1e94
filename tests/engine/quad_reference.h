#pragma once
// Errors against references computed in 113-bit binary floating point (libquadmath).
#include <quadmath.h>

#include "engine/engine_state.h"

// The error of V in units in the last place of the exact value Exact.
inline double Ulps(Extended V, __float128 Exact) {
  if (Exact == 0) return V == 0 ? 0 : 1e9;
  int e = 0;
  frexpq(Exact, &e);
  return static_cast<double>(fabsq((static_cast<__float128>(V) - Exact) / ldexpq(1, e - 64)));
}
