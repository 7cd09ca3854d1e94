#pragma once
// The exponential in long double, by a table of 2^(j/64) and a short polynomial. The library's
// long double exponential switches the x87 control word and uses its slowest instructions; in a
// formula beside other functions it costs several times what this does, and it is 1.1 units in
// the last place off where this stays within 0.52.
#include "engine/engine_state.h"

// e^x for any x whose result is a normal long double (|x| below about 11355); beyond that it
// follows ldexp (0 or infinity). NaN gives NaN.
Extended KernelExp(const Extended& x);  // by reference, as SafeSin
