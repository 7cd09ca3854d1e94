#pragma once
// Free-standing numeric, rectangle, colour, font, printer and number-to-text routines of the
// plotting library, and the common base of its drawable elements.
#include <QString>
#include <initializer_list>
#include <span>
#include <string>

#include "platform/colors.h"
#include "platform/geometry.h"
#include "platform/graphics.h"
#include "plot/core/graph_types.h"

class QWidget;
class TBitmap;
class TCanvas;
class TGraphDrawing;

// --- Numbers ------------------------------------------------------------------------------------

long double Log10(long double X);
long double ArcTan2(long double Y, long double X);
// The plotting library's own power, in a namespace of its own since the engine's Power has the
// same signature and other rules. A negative base with a fractional exponent gives 0; a zero base
// with an exponent of 0 or less gives the division's infinity (traps are off).
namespace GraphUtils {
long double Power(long double Base, long double Exponent);
}
// The first element unless a later one is strictly larger (smaller); 0 for an empty list.
double MaxValue(std::span<const double> Data);
double MinValue(std::span<const double> Data);
inline double MaxValue(std::initializer_list<double> Data) {
  return MaxValue({Data.begin(), Data.size()});
}
inline double MinValue(std::initializer_list<double> Data) {
  return MinValue({Data.begin(), Data.size()});
}
// A sum or product of range ends taken in long double and held to the double's finite range:
// a margin or step added to data near the largest double leaves the end finite.
double Saturated(long double V);
// Takes V into the range Min..Max. A range the wrong way round is the empty one (1e38 .. -1e38
// as layers answer it) and becomes V..V: values beyond its sentinels count as well.
inline void WidenRange(double& Min, double& Max, double V) {
  if (Min > Max)
    Min = Max = V;
  else if (V < Min)
    Min = V;
  else if (V > Max)
    Max = V;
}
void SwapDouble(double& A, double& B);
void SwapInt(int& A, int& B);

// --- Rectangles and points ----------------------------------------------------------------------

void MakeDoublePoint(TDoublePoint& P, double X, double Y);
void MakeDoubleRect(TDoubleRect& R, double Left, double Top, double Right, double Bottom);
void OffsetIntRect(TRect& R, int DX, int DY);
void OffsetDoubleRect(TDoubleRect& R, double DX, double DY);
void InflateIntRect(TRect& R, int DX, int DY);
bool PtInIntRect(const TRect& R, TPoint P);  // edges included
bool PtInDoubleRect(const TDoubleRect& R, const TDoublePoint& P);
bool RectInsideRect(const TRect& A, const TRect& B);
bool PointAbovePoint(TPoint P, TPoint Q);
bool PointBelowRect(TPoint P, const TRect& R);
bool PointLeftOfRect(TPoint P, const TRect& R);
bool PointRightOfRect(TPoint P, const TRect& R);
// Shrinks R, keeping its top left, to the shape of W with the vertical extent times Aspect.
void FitRectToAspect(TRect& R, const TDoubleRect& W, double Aspect);
// Pixel distance of P from the segment A-B; NotNearSegment when P is not beside it.
inline constexpr int NotNearSegment = 2147483647;
int PointSegmentDistance(TPoint A, TPoint B, TPoint P);

// --- Colours and fonts --------------------------------------------------------------------------

// System colours are resolved first; each of red, green and blue moves by Amount, within 0..255.
TColor DarkenColor(TColor Color, int Amount);
TColor LightenColor(TColor Color, int Amount);
// The font turned counter-clockwise by Angle degrees.
TFontData CreateRotatedFont(const TFont& Font, int Angle);
// Centres the controls in equal slots across the parent's width.
void ArrangeControls(QWidget* Parent, std::span<QWidget* const> Controls);
void ErrorBeep();

// --- Printer ------------------------------------------------------------------------------------

inline constexpr int HORZRES = 8;
inline constexpr int VERTRES = 10;
inline constexpr int BITSPIXEL = 12;
inline constexpr int NUMCOLORS = 24;
inline constexpr int LOGPIXELSX = 88;
inline constexpr int LOGPIXELSY = 90;
// A capability of the program's printer: page size in pixels, resolution, colours (2 for a
// printer set to grey scale).
int GetPrinterDeviceCaps(int Index);
// Draws the bitmap stretched into R of a printer's canvas; false when there was nothing to draw.
bool StretchBitmapToCanvas(TCanvas* Canvas, const TRect& R, const TBitmap* Bitmap);

// --- Number to text -----------------------------------------------------------------------------
// Non-finite values give "∞", "-∞" or "NaN" at once: none of these loops over digits.

QString FloatToText(int Digits, int Mode, double Value);
QString FloatToEditStr(int Digits, int Mode, double Value);
QString FloatToStrFixedDigits(int Digits, double Value);
// Leading blanks off (their number kept for FloatToEditStr), then trailing decimal zeros.
void TrimFloatText(QString& S, int Mode);
// Reads what the routines above write, the infinity signs included.
bool TryGraphTextToFloat(const QString& Text, double& Value);

// --- Drawable elements --------------------------------------------------------------------------

class TGraphAbstract {
 public:
  explicit TGraphAbstract(TGraphDrawing* AGraph = nullptr) : Graph(AGraph) {}
  virtual ~TGraphAbstract() = default;

  TGraphDrawing* Graph;
  TColor Color = clBlack;
  bool Visible = true;

  virtual void SetColor(TColor Value);
  virtual void SetVisible(bool Value);
  virtual bool GetVisible() const { return Visible; }
  virtual TColor GetColor() const { return Color; }
  virtual void Draw() {}
};
