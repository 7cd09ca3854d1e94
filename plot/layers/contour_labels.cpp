// The level labels of a contour layer: made with the lines, placed at every drawing inside the
// plot area and clear of one another, and the gap the lines leave for them.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/canvas.h"
#include "plot/core/graph.h"
#include "plot/core/graph_drawing.h"
#include "plot/core/graph_utils.h"
#include "plot/layers/contour.h"

namespace {

double Degrees(double Radians) { return Radians * 180 / std::numbers::pi; }

// The distance between two saturated pixels: their difference may not fit an int.
double Pixel(int A, int B) { return static_cast<double>(A) - B; }

bool SegmentsCross(TPoint A, TPoint B, TPoint C, TPoint D) {
  const double Den = double(B.X - A.X) * (D.Y - C.Y) - double(B.Y - A.Y) * (D.X - C.X);
  if (Den == 0) return false;
  const double T = (double(C.X - A.X) * (D.Y - C.Y) - double(C.Y - A.Y) * (D.X - C.X)) / Den;
  const double U = (double(C.X - A.X) * (B.Y - A.Y) - double(C.Y - A.Y) * (B.X - A.X)) / Den;
  return T >= 0 && T <= 1 && U >= 0 && U <= 1;
}

// Inside a convex closed box, whichever way round its corners go.
bool InBox(const std::array<TPoint, 5>& Box, double X, double Y) {
  int Sign = 0;
  for (int K = 0; K < 4; ++K) {
    const double Cr = double(Box[K + 1].X - Box[K].X) * (Y - Box[K].Y) -
                      double(Box[K + 1].Y - Box[K].Y) * (X - Box[K].X);
    const int S = Cr > 0 ? 1 : Cr < 0 ? -1 : 0;
    if (S != 0 && Sign != 0 && S != Sign) return false;
    if (S != 0) Sign = S;
  }
  return true;
}

// The label font is kept in points at the screen's resolution; the canvas takes it at its own
// (a printer's page, a picture's), as the graph's other fonts, so that labels keep their size
// beside the plot on every target and the canvas's font its resolution for the next text.
void UseFont(TCanvas* C, const TFontData& Font) {
  TFont F;
  F.SetData(Font);
  C->Font()->Assign(F);
}

bool BoxesMeet(const std::array<TPoint, 5>& A, const std::array<TPoint, 5>& B) {
  for (int I = 0; I < 4; ++I)
    for (int J = 0; J < 4; ++J)
      if (SegmentsCross(A[I], A[I + 1], B[J], B[J + 1])) return true;
  return InBox(A, B[0].X, B[0].Y) || InBox(B, A[0].X, A[0].Y);
}

}  // namespace

TContourLabel TContour::MakeLabel(const TContourLine& L) const {
  TContourLabel Label;
  Label.From = L.LabelFrom;
  Label.To = L.LabelTo;
  Label.Angle =
      L.LabelTo.X == L.LabelFrom.X
          ? -90
          : Degrees(std::atan((L.LabelTo.Y - L.LabelFrom.Y) / (L.LabelTo.X - L.LabelFrom.X)));
  Label.Text = FloatToStrFixedDigits(std::clamp(LabelDigits, 0, 15), L.Level).left(255);
  return Label;
}

void TContour::BuildLevelTexts() {
  FLabels.assign(FLines.size(), std::nullopt);
  for (size_t I = 0; I < FLines.size(); ++I)
    if (FLines[I].Level != 0) FLabels[I] = MakeLabel(FLines[I]);
}

void TContour::PlaceLabels() {
  TCanvas* C = Graph->DrawCanvas();
  if (!C) return;
  UseFont(C, LabelFont);
  const int Off = DepthOffset();
  const TRect Plot{AddPixels(Graph->PlotRect.Left, Off), AddPixels(Graph->PlotRect.Top, -Off),
                   AddPixels(Graph->PlotRect.Right, Off), AddPixels(Graph->PlotRect.Bottom, -Off)};
  const double Divisor = OpaqueLabels ? 1.1 : 1.9;
  std::vector<int> Shown;
  int Count = 0;
  for (auto& L : FLabels)
    if (L) L->Rejected = false, L->Hidden = true;
  for (int I = 0; I < static_cast<int>(FLines.size()); ++I) {
    std::optional<TContourLabel>& L = FLabels[I];
    if (!L) continue;
    if (Count++ % std::max(1, LabelEvery) != 0 || !L->Visible) continue;
    const int TW = C->TextWidth(L->Text), TH = std::abs(C->TextHeight(L->Text));
    const auto& P = FLines[I].Points;
    // Only whether the line is long enough counts: the sum stops there.
    double Length = 0;
    for (size_t K = 1; K < P.size() && Length <= 3.0 * TW; ++K)
      Length += std::round(std::hypot(Pixel(Graph->XToPixel(P[K].X), Graph->XToPixel(P[K - 1].X)),
                                      Pixel(Graph->YToPixel(P[K].Y), Graph->YToPixel(P[K - 1].Y))));
    if (Length <= 3.0 * TW) continue;
    bool InPlot = false;
    // Puts the label on the piece A-B if it fits there; true when it does.
    auto Place = [&](TDoublePoint A, TDoublePoint B) {
      const double X1 = AddPixels(Graph->XToPixel(A.X), Off);
      const double Y1 = AddPixels(Graph->YToPixel(A.Y), -Off);
      const double X2 = AddPixels(Graph->XToPixel(B.X), Off);
      const double Y2 = AddPixels(Graph->YToPixel(B.Y), -Off);
      if (X1 == X2 && Y1 == Y2) return false;
      double Angle = Degrees(std::atan2(-(Y2 - Y1), X2 - X1));
      if (Angle > 90) Angle -= 180;
      if (Angle <= -90) Angle += 180;
      const double R = Angle * std::numbers::pi / 180, CX = (X1 + X2) / 2, CY = (Y1 + Y2) / 2;
      const double HW = TW / Divisor, HH = TH / Divisor;
      const double DX = std::cos(R), DY = -std::sin(R);   // along the text, in pixels
      const double UX = -std::sin(R), UY = -std::cos(R);  // up the text
      const double Corners[4][2] = {{-HW, HH}, {HW, HH}, {HW, -HH}, {-HW, -HH}};
      std::array<TPoint, 5> Box;
      bool Inside = true;
      for (int K = 0; K < 4; ++K) {
        Box[K] = {SaturatePixel(CX + Corners[K][0] * DX + Corners[K][1] * UX),
                  SaturatePixel(CY + Corners[K][0] * DY + Corners[K][1] * UY)};
        Inside = Inside && Box[K].X > Plot.Left && Box[K].X < Plot.Right && Box[K].Y > Plot.Top &&
                 Box[K].Y < Plot.Bottom;
      }
      Box[4] = Box[0];
      if (!Inside) return false;
      InPlot = true;
      for (size_t S = Shown.size() > 5 ? Shown.size() - 5 : 0; S < Shown.size(); ++S)
        if (BoxesMeet(Box, FLabels[Shown[S]]->Box)) return false;
      L->Box = Box, L->Angle = Angle, L->Hidden = false;
      Shown.push_back(I);
      return true;
    };
    // The label's own piece first, then each piece of the line in turn.
    bool Placed = Place(L->From, L->To);
    for (size_t K = 1; K < P.size() && !Placed; ++K) Placed = Place(P[K - 1], P[K]);
    if (InPlot && L->Hidden) L->Rejected = true;
  }
}

void TContour::DrawLabels() {
  TCanvas* C = Graph->DrawCanvas();
  if (!C) return;
  for (const auto& L : FLabels) {
    if (!L || L->Hidden) continue;
    if (FramedLabels) {
      C->Pen()->SetColor(GetColor());
      C->Polyline(L->Box);
    }
    TFontData F = LabelFont;
    F.Escapement = static_cast<int>(std::lround(L->Angle * 10));
    UseFont(C, F);
    C->SetBackMode(OpaqueLabels ? bmOpaque : bmTransparent);
    const int TW = C->TextWidth(L->Text), TH = std::abs(C->TextHeight(L->Text));
    const double R = L->Angle * std::numbers::pi / 180;
    double CX = 0, CY = 0;
    for (int K = 0; K < 4; ++K) CX += L->Box[K].X / 4.0, CY += L->Box[K].Y / 4.0;
    // The text's top left corner: half the text back along it and half up.
    const double X = CX - TW / 2.0 * std::cos(R) - TH / 2.0 * std::sin(R);
    const double Y = CY + TW / 2.0 * std::sin(R) - TH / 2.0 * std::cos(R);
    C->SetTextAlign(TA_LEFT | TA_TOP);
    C->TextOut(SaturatePixel(X), SaturatePixel(Y), L->Text);
  }
  UseFont(C, LabelFont);
  C->SetBackMode(bmTransparent);
}

void TContour::DrawLine(int I) {
  const auto& P = FLines[I].Points;
  const std::optional<TContourLabel>& L = FLabels[I];
  const bool Cut = L && !L->Hidden && ShowLabels && !OpaqueLabels;
  const int Off = DepthOffset();
  const bool XLog = Graph->CurrentXLog(), YLog = Graph->CurrentYLog();
  // Points are cut in axis space, where the mapping to pixels is linear.
  auto ToAxis = [&](TDoublePoint Q) {
    return TDoublePoint{XLog ? Graph->LogValue(Q.X) : Q.X, YLog ? Graph->LogValue(Q.Y) : Q.Y};
  };
  auto ToWorld = [&](TDoublePoint Q) {
    return TDoublePoint{XLog ? std::pow(10.0, Q.X) : Q.X, YLog ? std::pow(10.0, Q.Y) : Q.Y};
  };
  // The pieces around the label go to the graph together, as the uncut line's segments do.
  std::vector<TDoubleRect>& Pieces = FPieces;
  Pieces.clear();
  auto Draw = [&](TDoublePoint A, TDoublePoint B) {
    A = DepthShifted(A, Off), B = DepthShifted(B, Off);
    Pieces.push_back({A.X, A.Y, B.X, B.Y});
  };
  double Orient = 0;
  // The box's edges, and its extent with two pixels to spare: a piece wholly outside that
  // cannot reach the box.
  double EX[4], EY[4], ELength[4];
  double Left = 0, Right = 0, Top = 0, Bottom = 0;
  if (Cut) {
    for (int E = 0; E < 4; ++E) {
      Orient += double(L->Box[E].X) * L->Box[E + 1].Y - double(L->Box[E + 1].X) * L->Box[E].Y;
      EX[E] = L->Box[E + 1].X - L->Box[E].X, EY[E] = L->Box[E + 1].Y - L->Box[E].Y;
      ELength[E] = std::hypot(EX[E], EY[E]);
    }
    const auto [XLo, XHi] = std::minmax({L->Box[0].X, L->Box[1].X, L->Box[2].X, L->Box[3].X});
    const auto [YLo, YHi] = std::minmax({L->Box[0].Y, L->Box[1].Y, L->Box[2].Y, L->Box[3].Y});
    Left = XLo - 2.0, Right = XHi + 2.0, Top = YLo - 2.0, Bottom = YHi + 2.0;
  }
  if (!Cut || Orient == 0) {
    // Uncut, the line's segments go together, which the screen's image takes as polylines.
    if (P.size() >= 2)
      Graph->Lines(int(P.size()) - 1, [&](int K) {
        const TDoublePoint A = DepthShifted(P[size_t(K)], Off);
        const TDoublePoint B = DepthShifted(P[size_t(K) + 1], Off);
        return TDoubleRect{A.X, A.Y, B.X, B.Y};
      });
    return;
  }
  const double S = Orient > 0 ? 1 : -1;
  // The exact pixels of the point before, kept for the next piece, which starts there.
  double X2 = 0, Y2 = 0;
  for (size_t K = 1; K < P.size(); ++K) {
    const TDoublePoint A = P[K - 1], B = P[K];
    // The part of the segment inside the box, as parameters T0..T1 along it, from the exact
    // pixels: rounded ones would let the line's ends reach a pixel into the text.
    const double X1 = K == 1 ? Graph->XToPixelExact(A.X) + Off : X2;
    const double Y1 = K == 1 ? Graph->YToPixelExact(A.Y) - Off : Y2;
    X2 = Graph->XToPixelExact(B.X) + Off, Y2 = Graph->YToPixelExact(B.Y) - Off;
    if (std::max(X1, X2) < Left || std::min(X1, X2) > Right || std::max(Y1, Y2) < Top ||
        std::min(Y1, Y2) > Bottom) {
      Draw(A, B);
      continue;
    }
    double T0 = 0, T1 = 1;
    bool Meets = true;
    for (int E = 0; E < 4 && Meets; ++E) {
      // Inside is where the cross product has the box's orientation; the box is taken a pixel
      // larger, for the rounding of the line's own pixels.
      const double N0 = S * (EX[E] * (Y1 - L->Box[E].Y) - EY[E] * (X1 - L->Box[E].X)) + ELength[E];
      const double D = S * (EX[E] * (Y2 - Y1) - EY[E] * (X2 - X1));
      if (D == 0) {
        if (N0 < 0) Meets = false;
      } else {
        const double T = -N0 / D;
        if (D > 0)
          T0 = std::max(T0, T);
        else
          T1 = std::min(T1, T);
      }
      if (T0 > T1) Meets = false;
    }
    if (!Meets) {
      Draw(A, B);
      continue;
    }
    const TDoublePoint PA = ToAxis(A), PB = ToAxis(B);
    auto At = [&](double T) {
      return ToWorld({PA.X + T * (PB.X - PA.X), PA.Y + T * (PB.Y - PA.Y)});
    };
    if (T0 > 0) Draw(A, At(T0));
    if (T1 < 1) Draw(At(T1), B);
  }
  Graph->Lines(int(Pieces.size()), [&](int K) { return Pieces[size_t(K)]; });
}
