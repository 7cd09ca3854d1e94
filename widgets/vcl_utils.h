#pragma once

// Small window and bitmap helpers shared by the widget components, and the
// multi-line text drawing they need on a canvas.

#include <memory>

#include <QString>

#include "platform/bitmap.h"
#include "platform/colors.h"
#include "platform/geometry.h"

class TCanvas;

constexpr int WidthOf(const TRect& R) { return R.Right - R.Left; }
constexpr int HeightOf(const TRect& R) { return R.Bottom - R.Top; }
constexpr int MaxOf(int A, int B) { return A > B ? A : B; }

// True when the active window belongs to the calling thread, i.e. this
// program is the one the user works with.
bool IsForegroundTask();

// An embossed grey copy of Bitmap: every pixel that is not TransparentColor
// becomes ShadowColor, with a HighlightColor copy one pixel down-right under it
// when DrawHighlight; the rest is BackColor.
std::unique_ptr<TBitmap> CreateDisabledBitmapEx(const TBitmap& Bitmap, TColor TransparentColor, TColor BackColor,
                                                TColor HighlightColor, TColor ShadowColor, bool DrawHighlight);
// The same in the button colours of the system.
std::unique_ptr<TBitmap> CreateDisabledBitmap(const TBitmap& Bitmap, TColor TransparentColor);

// Flags of CanvasDrawText, with the values the form descriptions use.
inline constexpr unsigned DT_LEFT = 0x0;
inline constexpr unsigned DT_CENTER = 0x1;
inline constexpr unsigned DT_RIGHT = 0x2;
inline constexpr unsigned DT_VCENTER = 0x4;
inline constexpr unsigned DT_BOTTOM = 0x8;
inline constexpr unsigned DT_WORDBREAK = 0x10;
inline constexpr unsigned DT_SINGLELINE = 0x20;
inline constexpr unsigned DT_EXPANDTABS = 0x40;
inline constexpr unsigned DT_NOCLIP = 0x100;
inline constexpr unsigned DT_CALCRECT = 0x400;
inline constexpr unsigned DT_NOPREFIX = 0x800;

// Draws Text into R with the canvas font and back mode: lines broken at line
// ends (and between words with DT_WORDBREAK), tabs expanded, "&x" underlining
// x and "&&" giving "&" unless DT_NOPREFIX. With DT_CALCRECT nothing is drawn
// and R's right and bottom are set to fit the text. Answers the text height.
int CanvasDrawText(TCanvas& Canvas, const QString& Text, TRect& R, unsigned Flags);

// The character that "&x" marks in Text (upper case), or a null character.
QChar AccelChar(const QString& Text);
