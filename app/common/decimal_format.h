#pragma once
// Numbers that the matrix window and the unit converter show. They are read back as decimal
// values (cells are evaluated again, converter fields are parsed), so they are written in
// decimal whatever radix or h:m:s notation the calculator shows its own results in.
#include <string>

#include <QString>

#include "engine/engine_state.h"

// X formatted by the engine's formatter with the calculator's digit count, in decimal and in
// the calculator's notation, except that h:m:s becomes scientific. The engine's error state
// and settings are left as they were.
QString FormatDecimal(Extended X);
// The same with an explicit digit count.
QString FormatDecimal(int Digits, Extended X);
// The general format with 7 significant digits in which the matrix window shows results.
QString FormatGeneral7(Extended X);
