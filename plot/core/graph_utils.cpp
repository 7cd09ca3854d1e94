#include "plot/core/graph_utils.h"

#include <QApplication>
#include <QPrinter>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "platform/number_text.h"
#include "platform/printer.h"

// --- Numbers ------------------------------------------------------------------------------------

long double Log10(long double X) { return std::log2(X) * 0.30102999566398119521373889472449302L; }

long double ArcTan2(long double Y, long double X) { return std::atan2(Y, X); }

long double GraphUtils::Power(long double Base, long double Exponent) {
  if (Base > 0) {
    long double L = Exponent * std::log(Base);
    // ln(3.4e-1000): anything smaller underflows the extended range.
    if (L < -2301.6124630483L) return 0;
    return std::exp(L);
  }
  if (Base == 0) {
    if (Exponent > 0) return 0;
    return 1.0L / Base;
  }
  if (Base < 0) {
    if (!std::isfinite(Exponent)) return 0;
    long double Whole = std::trunc(Exponent);
    if (Whole != Exponent) return 0;  // also NaN and infinite exponents
    long double R = std::exp(Exponent * std::log(-Base));
    return std::fmod(Whole, 2.0L) != 0 ? -R : R;
  }
  return Base;  // NaN
}

double MaxValue(std::span<const double> Data) {
  if (Data.empty()) return 0;
  double M = Data[0];
  for (double V : Data.subspan(1))
    if (V > M) M = V;
  return M;
}

double MinValue(std::span<const double> Data) {
  if (Data.empty()) return 0;
  double M = Data[0];
  for (double V : Data.subspan(1))
    if (V < M) M = V;
  return M;
}

double Saturated(long double V) {
  constexpr long double Max = std::numeric_limits<double>::max();
  // NaN stays NaN: it is no range end either way.
  return static_cast<double>(V > Max ? Max : V < -Max ? -Max : V);
}

void SwapDouble(double& A, double& B) { std::swap(A, B); }
void SwapInt(int& A, int& B) { std::swap(A, B); }

// --- Rectangles and points ----------------------------------------------------------------------

void MakeDoublePoint(TDoublePoint& P, double X, double Y) { P = {X, Y}; }

void MakeDoubleRect(TDoubleRect& R, double Left, double Top, double Right, double Bottom) {
  R = {Left, Top, Right, Bottom};
}

void OffsetIntRect(TRect& R, int DX, int DY) {
  R.Left += DX;
  R.Right += DX;
  R.Top += DY;
  R.Bottom += DY;
}

void OffsetDoubleRect(TDoubleRect& R, double DX, double DY) {
  R.Left += DX;
  R.Right += DX;
  R.Top += DY;
  R.Bottom += DY;
}

void InflateIntRect(TRect& R, int DX, int DY) {
  R.Left -= DX;
  R.Right += DX;
  R.Top -= DY;
  R.Bottom += DY;
}

bool PtInIntRect(const TRect& R, TPoint P) {
  return R.Left <= P.X && P.X <= R.Right && R.Top <= P.Y && P.Y <= R.Bottom;
}

bool PtInDoubleRect(const TDoubleRect& R, const TDoublePoint& P) {
  return R.Left <= P.X && P.X <= R.Right && R.Top <= P.Y && P.Y <= R.Bottom;
}

bool RectInsideRect(const TRect& A, const TRect& B) {
  return PtInIntRect(B, A.TopLeft()) && PtInIntRect(B, A.BottomRight());
}

bool PointAbovePoint(TPoint P, TPoint Q) { return P.Y < Q.Y; }
bool PointBelowRect(TPoint P, const TRect& R) { return P.Y > R.Bottom; }
bool PointLeftOfRect(TPoint P, const TRect& R) { return P.X < R.Left; }
bool PointRightOfRect(TPoint P, const TRect& R) { return P.X > R.Right; }

void FitRectToAspect(TRect& R, const TDoubleRect& W, double Aspect) {
  if (Aspect == 0) return;
  double WX = std::fabs(W.Right - W.Left);
  double WY = std::fabs(W.Bottom - W.Top) * Aspect;
  // A flat or empty world rectangle has no shape to fit.
  if (!(WX > 0) || !(WY > 0) || !std::isfinite(WX) || !std::isfinite(WY)) return;
  long double PW = static_cast<long double>(R.Right) - R.Left;
  long double PH = static_cast<long double>(R.Bottom) - R.Top;
  if (WX <= WY) {
    int NewW = RoundInt(PH * WX / WY);
    if (NewW > PW)
      R.Bottom = SaturateToInt(static_cast<long double>(R.Top) + Round(PW * WY / WX));
    else
      R.Right = SaturateToInt(static_cast<long double>(R.Left) + NewW);
  } else {
    int NewH = RoundInt(PW * WY / WX);
    if (NewH > PH)
      R.Right = SaturateToInt(static_cast<long double>(R.Left) + Round(PH * WX / WY));
    else
      R.Bottom = SaturateToInt(static_cast<long double>(R.Top) + NewH);
  }
}

int PointSegmentDistance(TPoint A, TPoint B, TPoint P) {
  auto Abs = [](long long V) {
    return static_cast<int>(std::min<long long>(V < 0 ? -V : V, NotNearSegment));
  };
  int MinX = std::min(A.X, B.X), MaxX = std::max(A.X, B.X);
  int MinY = std::min(A.Y, B.Y), MaxY = std::max(A.Y, B.Y);
  bool InBox = MinX <= P.X && P.X <= MaxX && MinY <= P.Y && P.Y <= MaxY;
  if (InBox) {
    if (A.X == B.X) return Abs(static_cast<long long>(A.X) - P.X);
    if (A.Y == B.Y) return Abs(static_cast<long long>(A.Y) - P.Y);
    long double M = (static_cast<long double>(B.Y) - A.Y) / (static_cast<long double>(B.X) - A.X);
    long double CX = (static_cast<long double>(A.X) + B.X) / 2,
                CY = (static_cast<long double>(A.Y) + B.Y) / 2;
    // Line through the midpoint with slope M; the perpendicular through P with slope -1/M.
    long double FX = (M * CX - CY + P.X / M + P.Y) / (M + 1 / M);
    long double FY = CY + M * (FX - CX);
    if (FX < MinX || FX > MaxX || FY < MinY || FY > MaxY) return NotNearSegment;
    return RoundInt(std::hypot(FX - P.X, FY - P.Y));
  }
  if (A.Y == B.Y && MinX <= P.X && P.X <= MaxX) return Abs(static_cast<long long>(A.Y) - P.Y);
  if (A.X == B.X && MinY <= P.Y && P.Y <= MaxY) return Abs(static_cast<long long>(A.X) - P.X);
  return NotNearSegment;
}

// --- Colours and fonts --------------------------------------------------------------------------

TColor DarkenColor(TColor Color, int Amount) {
  TColor C = ColorToRGB(Color);
  auto Ch = [&](int V) { return V > Amount ? V - Amount : 0; };
  return RGB(Ch(GetRValue(C)), Ch(GetGValue(C)), Ch(GetBValue(C)));
}

TColor LightenColor(TColor Color, int Amount) {
  TColor C = ColorToRGB(Color);
  auto Ch = [&](int V) { return std::min(V + Amount, 255); };
  return RGB(Ch(GetRValue(C)), Ch(GetGValue(C)), Ch(GetBValue(C)));
}

TFontData CreateRotatedFont(const TFont& Font, int Angle) {
  TFontData F = Font.Data();
  F.Escapement = SaturateToInt(static_cast<long double>(Angle) * 10);
  F.Charset = 1;
  return F;
}

void ArrangeControls(QWidget* Parent, std::span<QWidget* const> Controls) {
  if (!Parent || Controls.empty()) return;
  int N = static_cast<int>(Controls.size());
  int Slot = Parent->width() / (2 * N);
  for (int i = 0; i < N; ++i) {
    QWidget* C = Controls[static_cast<size_t>(i)];
    if (!C) continue;
    C->move(Slot * (2 * i + 1) - C->width() / 2, Parent->height() / 2 - C->height() / 2);
  }
}

void ErrorBeep() {
  QApplication::beep();
  QApplication::beep();
}

// --- Printer ------------------------------------------------------------------------------------

int GetPrinterDeviceCaps(int Index) {
  QPrinter& P = Printer();
  switch (Index) {
    case HORZRES:
      return P.pageLayout().paintRectPixels(P.resolution()).width();
    case VERTRES:
      return P.pageLayout().paintRectPixels(P.resolution()).height();
    case LOGPIXELSX:
    case LOGPIXELSY:
      return P.resolution();
    case BITSPIXEL:
      return P.colorMode() == QPrinter::Color ? 24 : 1;
    case NUMCOLORS:
      return P.colorMode() == QPrinter::Color ? 256 : 2;
    default:
      return 0;
  }
}

bool StretchBitmapToCanvas(TCanvas* Canvas, const TRect& R, const TBitmap* Bitmap) {
  if (!Canvas || !Bitmap || Bitmap->Width() <= 0 || Bitmap->Height() <= 0 || R.IsEmpty())
    return false;
  Canvas->StretchDraw(R, Bitmap);
  return true;
}

// --- Number to text -----------------------------------------------------------------------------

namespace {
int LeadingBlanks = 0;

QString Q(const std::string& S) { return QString::fromStdString(S); }

QString NonFiniteText(double Value) {
  if (std::isnan(Value)) return QStringLiteral("NaN");
  return Value < 0 ? QStringLiteral("-\u221E") : QStringLiteral("\u221E");
}

// How many times a value in (0, 1) must be multiplied by 10 to reach 1; 0 otherwise.
int MultiplicationsToOne(double A) {
  if (!(A > 0 && A < 1)) return 0;
  int K = 0;
  long double V = A;
  while (V < 1 && K < 400) {
    V *= 10;
    ++K;
  }
  return K;
}

// How many divisions by 10 bring A below 10.
int DivisionsBelowTen(double A) {
  int N = 0;
  long double V = std::fabs(A);
  while (V >= 10 && N < 400) {
    V /= 10;
    ++N;
  }
  return N;
}

int Precision(int P) { return std::clamp(P, 1, 21); }

QString PadLeft(QString S, int Width) {
  if (S.size() < Width) S = QString(Width - S.size(), u' ') + S;
  return S;
}

// Removes up to three leading zeros of a four-digit exponent ("E+0012" becomes "E+12").
int TrimExponentZeros(QString& S) {
  qsizetype E = S.indexOf(u'E');
  if (E < 0 || E + 1 >= S.size()) return 0;
  qsizetype First = E + 1;
  if (S[First] == u'+' || S[First] == u'-') ++First;
  int Removed = 0;
  while (Removed < 3 && First + 1 < S.size() && S[First] == u'0') {
    S.remove(First, 1);
    ++Removed;
  }
  return Removed;
}
}  // namespace

void TrimFloatText(QString& S, int Mode) {
  int Blanks = 0;
  while (Blanks < S.size() && S[Blanks] == u' ') ++Blanks;
  S.remove(0, Blanks);
  LeadingBlanks = Blanks;
  qsizetype E = S.indexOf(u'E');
  if (E < 0) {
    while (S.size() >= 2 && S.contains(u'.') && S[S.size() - 2] != u'.' && S.endsWith(u'0'))
      S.chop(1);
    return;
  }
  while (E >= 2 && S[E - 1] == u'0' && S[E - 2] != u'.') {
    S.remove(E - 1, 1);
    --E;
  }
  if (Mode == 1 && S.contains(QStringLiteral("E+0000"))) S.remove(E, 6);
}

QString FloatToText(int Digits, int Mode, double Value) {
  if (!std::isfinite(Value)) return NonFiniteText(Value);
  double A = std::fabs(Value);
  int K = MultiplicationsToOne(A);
  int W = Digits != 0 ? Digits + 1 : 0;
  QString S;
  if ((Value == 0 || (0.001 < A && A < 1e6)) && Mode == 1) {
    S = PadLeft(Q(FormatFixed(A, std::max(Digits, 0))), W + Digits);
  } else {
    S = Q(FormatGeneral(A, Precision(Digits - (K + 1) + 3)));
    qsizetype E = S.indexOf(u'E');
    if (E >= 0 && !S.contains(u'.')) S.insert(E, QStringLiteral(".0"));
  }
  TrimFloatText(S, Mode);
  if (Value < 0 && !S.startsWith(u'-') && !S.startsWith(u'+')) S.prepend(u'-');
  return S;
}

QString FloatToEditStr(int Digits, int Mode, double Value) {
  if (!std::isfinite(Value)) return NonFiniteText(Value);
  double A = std::fabs(Value);
  QString Sign = Value < 0 ? QStringLiteral("-") : QString();
  QString S;
  if (1e-6 < A && A < 1e9 && Mode == 1) {
    int C = (A > 0 && A < 1) ? 2 : (Value < 0 && A > 1) ? 4 : 3;
    S = PadLeft(Q(FormatFixed(A, std::max(Digits - C, 0))), Digits);
  } else {
    // Eight significant digits first, so that binary noise does not reach the text.
    double A8 = A;
    TryTextToFloat(FormatExponent(A, 8), A8);
    int Width = std::max(Digits, 10);
    S = Q(StrReal(A8, Width));
    TrimFloatText(S, Mode);
    int Removed = LeadingBlanks + TrimExponentZeros(S);
    S = Q(StrReal(A8, std::min(Width + Removed, 40)));
  }
  TrimFloatText(S, Mode);
  TrimExponentZeros(S);
  return Sign + S;
}

QString FloatToStrFixedDigits(int Digits, double Value) {
  if (!std::isfinite(Value)) return NonFiniteText(Value);
  int N = DivisionsBelowTen(Value);
  QString S = Q(FormatGeneral(Value, Precision((N < 1 || N >= 4) ? Digits : Digits + N))).toUpper();
  auto PadDecimals = [&](QString& T, qsizetype End) {
    qsizetype Dot = T.indexOf(u'.');
    if (Dot < 0 || Dot > End) return;
    while (End - Dot - 1 < Digits) {
      T.insert(End, u'0');
      ++End;
    }
  };
  qsizetype E = S.indexOf(u'E');
  if (E >= 0) {
    S = Q(FormatGeneral(Value, Precision(Digits + 1))).toUpper();
    E = S.indexOf(u'E');
    if (E >= 0) {
      if (!S.contains(u'.') && Digits >= 1) {
        S.insert(E, u'.');
        ++E;
      }
      PadDecimals(S, E);
      return S;
    }
  }
  int L = 1;
  if (Value != 0) {
    L = MultiplicationsToOne(std::fabs(Value));
  }
  int M = N;
  S = Q(FormatGeneral(Value, Precision(M < 1 ? Digits - L + 1 : M + Digits + 1))).toUpper();
  if (S.contains(u'E')) return S;
  if (!S.contains(u'.') && Digits >= 1) S += QStringLiteral(".0");
  PadDecimals(S, S.size());
  return S;
}

bool TryGraphTextToFloat(const QString& Text, double& Value) {
  QString T = Text.trimmed();
  if (T == QStringLiteral("\u221E") || T == QStringLiteral("+\u221E")) {
    Value = HUGE_VAL;
    return true;
  }
  if (T == QStringLiteral("-\u221E")) {
    Value = -HUGE_VAL;
    return true;
  }
  return TryTextToFloat(T.toStdString(), Value);
}

// --- Drawable elements --------------------------------------------------------------------------

void TGraphAbstract::SetColor(TColor Value) {
  Color = Value;
  GraphChanged = true;
}

void TGraphAbstract::SetVisible(bool Value) {
  Visible = Value;
  GraphChanged = true;
}
