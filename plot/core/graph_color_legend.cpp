// The colour legend: the colour scale of one contour or matrix layer as a bar of palette bands
// with the values of its eight levels beside it, docked at the image side nearest to where it is
// dropped.
#include <QRegularExpression>
#include <algorithm>
#include <array>
#include <cmath>

#include "platform/canvas.h"
#include "platform/number_text.h"
#include "plot/core/graph.h"
#include "plot/core/graph_legend.h"

namespace {

// Enough decimals to tell neighbouring levels apart: with the layer's own few, the levels of a
// small range would read "-0.0", "0.0", "0.0".
int ScaleDigits(int Digits, double Spacing) {
  Spacing = std::abs(Spacing);
  if (!(Spacing > 0) || !std::isfinite(Spacing)) return Digits;
  // Levels a step or more apart round to different texts at the step's first decimal.
  const double Needed = std::ceil(-std::log10(Spacing));
  return Needed > Digits ? static_cast<int>(std::min(Needed, 15.0)) : Digits;
}

// A level that reads as zero carries no sign.
QString ScaleText(int Digits, double Value) {
  QString S = FloatToText(Digits, 1, Value);
  if (S.startsWith(u'-') && !S.contains(QRegularExpression(QStringLiteral("[1-9]"))))
    S.remove(0, 1);
  return S;
}

}  // namespace

TColorLegend::TColorLegend(TGraph* AGraph) : TAbstractLegend(AGraph) {
  Name = QStringLiteral("ColorLegend");
}

int TColorLegend::ItemCount() const {
  return Layer && (Layer->GetAutoLevels() || Layer->GetShaded()) ? 1 : 0;
}

void TColorLegend::CalcSize(TRect& R) {
  if (!GetVisible() || ItemCount() == 0) return;
  ApplyFont();
  const int Ch = CH(), FT = FrameThickness, ST = ShadowThickness;
  const int FS = Font.Size();
  int T = Ch * (FS + 2 * FT + ST) + Ch * RoundInt(1.15 * FS);
  BarWidth = Ch * FS;
  // CharHeight is measured at font size 1, and on screen it rounds far below a size-1 share of
  // the label font: the room then also has to hold the bar with its inset, the ticks and the
  // labels written beside it at the font's real height, plus the frame and shadow.
  if (TCanvas* C = Canvas()) {
    const int TH = C->TextHeight(QStringLiteral("(")), TW = C->TextWidth(QStringLiteral("("));
    const int Across = 2 * RoundInt(0.25 * TH) + BarWidth + RoundInt(0.25 * TW) + TH + 1;
    T = std::max(T, Across + (3 * FT + ST + 1) * Ch);
  }
  Bounds = R;
  switch (Style) {
    case lsRight:
      R.Right = R.Right - T - 2 * Ch - Ch * FT;
      Bounds.Left = R.Right + 2 * Ch + Ch * FT;
      Bounds.Right = Bounds.Left + T - (FT + ST) * Ch - Ch;
      break;
    case lsLeft:
      Bounds.Left = R.Left + 2 * Ch + Ch * FT;
      Bounds.Right = R.Left + T + 2 * Ch - (FT + ST) * Ch;
      R.Left = R.Left + T + 4 * Ch;
      break;
    case lsBottom:
      R.Bottom -= T;
      Bounds.Top = R.Bottom + Ch * FT;
      Bounds.Bottom = Bounds.Bottom - (2 * FT + ST + 2) * Ch + 2 * Ch;
      break;
    case lsTop:
      R.Top = R.Top + T + 4 * Ch;
      Bounds.Top += 2 * Ch + Ch * FT;
      Bounds.Bottom = R.Top - 2 * Ch - (2 * FT + ST) * Ch;
      break;
    case lsInside:
      return;
  }
  if (Vertical()) {
    Bounds.Top += 2 * Ch + Ch * FT;
    Bounds.Bottom = Bounds.Bottom - 2 * Ch - (2 * FT + ST) * Ch;
  } else {
    Bounds.Right = RoundInt(Bounds.Right / 0.99) - (FT + ST + 2) * Ch;
    Bounds.Left += (FT + 1) * Ch;
  }
}

void TColorLegend::GetDefaultSize(int AX, int AY, TRect& R) {
  const TLegendStyle S = NearestEdge(AX, AY);
  if (S == lsTop || S == lsBottom)
    GetHorzSize(AX, AY, R);
  else
    GetVertSize(AX, AY, R);
}

void TColorLegend::DragMove(int AX, int AY) {
  if ((AX == -1 && AY == -1) || Graph->Busy) return;
  Graph->ResetClipRegion();
  Graph->Owner->SetCursor(crDrag);
  if (FrameDrawn) ToggleFrame();
  Style = NearestEdge(AX, AY);
  MoveCandidates(AX, AY);
  FrameRect = Vertical() ? VertRect : HorzRect;
  ToggleFrame();
}

void TColorLegend::EndDrag(int AX, int AY) {
  if (AX == -1 && AY == -1) return;
  TAbstractLegend::EndDrag(AX, AY);
  Visible = true;
  Graph->Paint();
}

int TColorLegend::ColorIndexOf(double V) const {
  if (V == MissingValue) return -2;
  if (V == -MissingValue) return -3;
  if (std::isnan(V)) return -1;
  if (FUseZMax && V > FZMax) return -1;
  const auto& Lv = FLevels;
  V = std::clamp(V, Lv[8], std::max(Lv[8], Lv[1]));
  int K = 8;
  for (int I = 2; I <= 8; ++I)
    if (V >= Lv[I]) {
      K = I;
      break;
    }
  if (Lv[K] == Lv[K - 1]) return FLevelColors[K];
  const double T = (V - Lv[K]) / (Lv[K - 1] - Lv[K]);
  return RoundInt(T * (FLevelColors[K - 1] - FLevelColors[K]) + FLevelColors[K]);
}

void TColorLegend::Draw() {
  TCanvas* C = Canvas();
  if (!C || ItemCount() == 0 || !GetVisible()) return;
  Graph->ResetClipRegion();
  const int Ch = CH(), FT = FrameThickness, ST = ShadowThickness;
  C->Pen()->SetMode(pmCopy);
  C->Pen()->SetWidth(1);
  C->Pen()->SetStyle(psSolid);
  if (ST >= 1 && ShadowVisible) {
    const int D = Ch * ST;
    C->Pen()->SetColor(ShadowColor);
    for (int I = 1; I <= D; ++I) {
      const int X = Bounds.Right + I + Ch * FT, YB = Bounds.Bottom + I + Ch * FT;
      C->MoveTo(X, Bounds.Top + D);
      C->LineTo(X, YB);
      C->LineTo(Bounds.Left + D + Ch * FT, YB);
    }
  }
  C->Brush()->SetColor(Color);
  C->Pen()->SetColor(FrameColor);
  C->Brush()->SetStyle(TransparentBackGround ? bsClear : bsSolid);
  if (FrameVisible) {
    for (int I = Ch * FT; I >= 1; --I) {
      TRect R = Bounds;
      InflateIntRect(R, I, I);
      C->Rectangle(R);
    }
    C->Pen()->SetStyle(FrameStyle);
  } else {
    C->Pen()->SetStyle(psClear);
  }
  C->Pen()->SetStyle(psSolid);
  C->Pen()->SetWidth(1);
  ApplyFont();
  C->Font()->SetColor(clBlack);
  C->Brush()->SetStyle(bsClear);

  const double ZMax = Layer->UseZMax ? Layer->ZMax : Layer->GetZMax();
  const double ZMin = Layer->UseZMin ? Layer->ZMin : Layer->GetZMin();
  // The scale shows eight evenly spaced levels over the layer's range.
  Layer->SetDefaultLevels(ZMin, ZMax);
  FLevels = Layer->Levels;
  FLevelColors = Layer->LevelColors;
  FZMax = Layer->ZMax;
  FUseZMax = Layer->UseZMax;

  const int TH = C->TextHeight(QStringLiteral("(")), TW = C->TextWidth(QStringLiteral("("));
  const TGraphContour* Contour = Layer->AsContour();
  const int Digits = ScaleDigits(Contour ? Contour->LevelDigits() : 3, FLevels[1] - FLevels[2]);
  std::array<QString, 9> Texts;
  int HalfLabel = 0;
  for (int I = 1; I <= 8; ++I) {
    Texts[I] = ScaleText(Digits, FLevels[I]);
    HalfLabel = std::max(HalfLabel, (C->TextWidth(Texts[I]) + 1) / 2);
  }
  const QString LayerName = Layer->Name;
  // The labels are centred on their levels: the one at the bar's end reaches half its width
  // beyond it, towards the name.
  const int NameRoom = LayerName.isEmpty() ? 0 : C->TextWidth(LayerName + u' ') + HalfLabel;
  // The labels at the bar's ends keep off the frame.
  const int EndRoom = ShowLabels ? HalfLabel + RoundInt(0.25 * TH) : 0;
  const bool V = Vertical();
  if (V) {
    const int H = Bounds.Bottom - Bounds.Top;
    const int Top = Bounds.Top + std::max(RoundInt(0.05 * H), EndRoom);
    if (LayerName.isEmpty()) {
      FBar = {Bounds.Left + RoundInt(0.25 * TH), Top, Bounds.Left + BarWidth + RoundInt(0.25 * TW),
              Bounds.Top + std::min(RoundInt(0.95 * H), H - EndRoom)};
    } else {
      const int X = Bounds.Left + RoundInt(0.15 * TH), Y = Bounds.Bottom - RoundInt(0.01 * H);
      C->SetTextAlign(TA_LEFT | TA_TOP);
      C->Font()->SetEscapement(900);
      C->TextOut(X, Y, LayerName);
      C->Font()->SetEscapement(0);
      FBar = {X, Top, Bounds.Left + BarWidth, Y - NameRoom};
    }
  } else {
    const int W = Bounds.Right - Bounds.Left;
    const int Left = Bounds.Left + std::max(RoundInt(0.05 * W), EndRoom);
    const int Right = Bounds.Left + std::min(RoundInt(0.95 * W), W - EndRoom);
    if (LayerName.isEmpty()) {
      FBar = {Left, Bounds.Top + RoundInt(0.25 * TH), Right,
              Bounds.Top + BarWidth + RoundInt(0.25 * TW)};
    } else {
      const int X = Bounds.Left + RoundInt(0.01 * W), Y = Bounds.Top + RoundInt(0.15 * TH);
      C->SetTextAlign(TA_LEFT | TA_TOP);
      C->TextOut(X, Y, LayerName);
      FBar = {X + NameRoom, Y, Right, Bounds.Top + BarWidth};
    }
  }
  const int Length = V ? FBar.Bottom - FBar.Top : FBar.Right - FBar.Left;
  const double Step = Length > 0 ? (ZMax - ZMin) / Length : 0;
  if (Step == 0 || !std::isfinite(Step)) return;
  C->Pen()->SetColor(clBlack);
  C->Rectangle(FBar);
  // Bands of four pixels from ZMin at the bar's start, inside its outline.
  C->Pen()->SetStyle(psClear);
  C->Brush()->SetStyle(bsSolid);
  for (int P = 0; P < Length; P += 4) {
    const int N = std::min(4, Length - P);
    C->Brush()->SetColor(PaletteColor(*Layer, ColorIndexOf(ZMin + P * Step)));
    if (V)
      C->FillRect({FBar.Left + 1, FBar.Top + P + (P == 0 ? 1 : 0), FBar.Right - 1,
                   std::min(FBar.Top + P + N, FBar.Bottom - 1)});
    else
      C->FillRect({FBar.Left + P + (P == 0 ? 1 : 0), FBar.Top + 1,
                   std::min(FBar.Left + P + N, FBar.Right - 1), FBar.Bottom - 1});
  }
  C->Pen()->SetStyle(psSolid);
  C->Brush()->SetStyle(bsClear);
  if (!ShowLabels) return;
  const int Gap = RoundInt(0.25 * TH);
  C->SetTextAlign(TA_CENTER | TA_TOP);
  for (int I = 1; I <= 8; ++I) {
    const double L = FLevels[I];
    if ((Layer->UseZMax && L > ZMax) || (Layer->UseZMin && L < ZMin)) continue;
    const int P = RoundInt((L - ZMin) / Step);
    const QString& Text = Texts[I];
    if (V) {
      const int Y = FBar.Top + P;
      C->MoveTo(FBar.Right, Y);
      C->LineTo(FBar.Right + Gap, Y);
      C->Font()->SetEscapement(900);
      C->TextOut(FBar.Right + Gap, Y, Text);
      C->Font()->SetEscapement(0);
    } else {
      const int X = FBar.Left + P;
      C->MoveTo(X, FBar.Bottom);
      C->LineTo(X, FBar.Bottom + Gap);
      C->TextOut(X, FBar.Bottom + Gap, Text);
    }
  }
  C->SetTextAlign(TA_LEFT | TA_TOP);
}
