#pragma once
// What the EMF and WMF back ends encode alike: both formats take the same colour references and
// the same numbers for pen and hatch styles, only in fields of different widths.
#include <cstdint>

#include <uemf.h>

#include "platform/graphics.h"

U_COLORREF MetafileColorRef(TColor C);
uint32_t MetafilePenStyle(TPenStyle Style);
uint32_t MetafileHatchStyle(TBrushStyle Style);
