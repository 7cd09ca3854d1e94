#pragma once

// Small window and bitmap helpers shared by the widget components.

#include <memory>

#include <QString>

#include "platform/bitmap.h"
#include "platform/colors.h"
#include "platform/geometry.h"

constexpr int WidthOf(const TRect& R) { return R.Right - R.Left; }
constexpr int HeightOf(const TRect& R) { return R.Bottom - R.Top; }
constexpr int MaxOf(int A, int B) { return A > B ? A : B; }

// True when the active window belongs to the calling thread, i.e. this
// program is the one the user works with.
bool IsForegroundTask();

// An embossed grey copy of Bitmap: every pixel that is not TransparentColor
// becomes ShadowColor, with a HighlightColor copy one pixel down-right under it
// when DrawHighlight; the rest is BackColor.
std::unique_ptr<TBitmap> CreateDisabledBitmapEx(const TBitmap& Bitmap, TColor TransparentColor,
                                                TColor BackColor, TColor HighlightColor,
                                                TColor ShadowColor, bool DrawHighlight);
// The same in the button colours of the system.
std::unique_ptr<TBitmap> CreateDisabledBitmap(const TBitmap& Bitmap, TColor TransparentColor);

// The character that "&x" marks in Text (upper case), or a null character.
QChar AccelChar(const QString& Text);
