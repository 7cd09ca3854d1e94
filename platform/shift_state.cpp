#include "platform/shift_state.h"

TShiftState ShiftStateOf(Qt::KeyboardModifiers Modifiers) {
  TShiftState S = 0;
  if (Modifiers & Qt::ShiftModifier) S |= ssShift;
  if (Modifiers & Qt::AltModifier) S |= ssAlt;
  if (Modifiers & Qt::ControlModifier) S |= ssCtrl;
  return S;
}
