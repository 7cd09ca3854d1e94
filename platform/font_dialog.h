#pragma once
// The font dialog on one of our fonts. The dialog offers the name, the size in points, the styles
// and the colour, and takes them back; the character set, the pitch and the escapement, which the
// dialog does not show, stay as they were.
#include <QFont>

#include "platform/graphics.h"

// The font as the dialog shows it: its family, its size in points and its styles.
QFont FontForDialog(const TFont& Font);
// False when the dialog was cancelled; the font is then untouched.
bool EditFont(TFont& Font);
