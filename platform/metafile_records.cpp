#include "platform/metafile_records.h"

U_COLORREF MetafileColorRef(TColor C) {
  return colorref3_set(static_cast<uint8_t>(GetRValue(C)), static_cast<uint8_t>(GetGValue(C)),
                       static_cast<uint8_t>(GetBValue(C)));
}

uint32_t MetafilePenStyle(TPenStyle Style) {
  switch (Style) {
    case psDash:
      return U_PS_DASH;
    case psDot:
      return U_PS_DOT;
    case psDashDot:
      return U_PS_DASHDOT;
    case psDashDotDot:
      return U_PS_DASHDOTDOT;
    case psClear:
      return U_PS_NULL;
    case psInsideFrame:
      return U_PS_INSIDEFRAME;
    default:
      return U_PS_SOLID;
  }
}

uint32_t MetafileHatchStyle(TBrushStyle Style) {
  switch (Style) {
    case bsVertical:
      return U_HS_VERTICAL;
    case bsFDiagonal:
      return U_HS_FDIAGONAL;
    case bsBDiagonal:
      return U_HS_BDIAGONAL;
    case bsCross:
      return U_HS_CROSS;
    case bsDiagCross:
      return U_HS_DIAGCROSS;
    default:
      return U_HS_HORIZONTAL;
  }
}
