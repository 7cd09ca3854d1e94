#pragma once

// The widget components' shared cursors, by number.

#include "platform/cursors.h"

inline constexpr TCursor crHand = 14000;
inline constexpr TCursor crDragHand = 14001;

// Registers the hand and drag-hand cursors under their numbers; start-up
// calls it once (registering twice is harmless).
void RegisterNxCursors();
