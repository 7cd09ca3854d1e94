#pragma once
// The modifier keys and mouse buttons of an input event as one set of flags, as the event
// handlers of every window and both drawing libraries receive them.
#include <Qt>

// In the order the calculator's key names list them.
enum TShiftFlag : unsigned {
  ssShift = 1,
  ssAlt = 2,
  ssCtrl = 4,
  ssLeft = 8,
  ssRight = 16,
  ssMiddle = 32,
  ssDouble = 64,
};
using TShiftState = unsigned;

// The modifier keys of a Qt event's values (no button flags).
TShiftState ShiftStateOf(Qt::KeyboardModifiers Modifiers);
