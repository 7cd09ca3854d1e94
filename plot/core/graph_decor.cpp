#include "plot/core/graph_decor.h"

#include <cmath>

#include "platform/canvas.h"
#include "platform/number_text.h"
#include "plot/core/graph.h"

namespace {
// Keeps the canvas font as it was while a decoration draws in its own.
class TFontGuard {
 public:
  explicit TFontGuard(TCanvas* C) : FCanvas(C), FSaved(C->Font()->Data()) {}
  ~TFontGuard() { FCanvas->Font()->SetData(FSaved); }
  TFontGuard(const TFontGuard&) = delete;
  TFontGuard& operator=(const TFontGuard&) = delete;

 private:
  TCanvas* FCanvas;
  TFontData FSaved;
};

int UnitHeight(TCanvas* C) {
  TFontGuard G(C);
  C->Font()->SetSize(1);
  return C->TextHeight(QStringLiteral("a"));
}
}  // namespace

TGraphTitle::TGraphTitle(TGraph* AGraph, bool AIsTitle) : IsTitle(AIsTitle), Graph(AGraph) {
  Font.SetName(QStringLiteral("Arial"));
  Font.SetSize(8);
  Font.SetColor(clBlack);
}

void TGraphTitle::ReserveSpace(TRect& R) {
  TCanvas* C = Graph->DrawCanvas();
  if (!Shows() || !C) return;
  TFontGuard G(C);
  C->Font()->Assign(Font);
  int H = RoundInt(C->TextHeight(QStringLiteral("()")) * Lines.size() * 1.07);
  Rect = R;
  if (IsTitle) {
    Rect.Bottom = R.Top + H;
    R.Top += H;
  } else {
    Rect.Top = R.Bottom - H;
    R.Bottom -= H;
  }
}

void TGraphTitle::AlignToPlot(const TRect& R) {
  if (Lines.isEmpty()) return;
  Rect.Left = R.Left;
  Rect.Right = R.Right;
}

void TGraphTitle::Draw() {
  TCanvas* C = Graph->DrawCanvas();
  if (!Shows() || !C) return;
  TFontGuard G(C);
  C->Font()->Assign(Font);
  const int LineH = C->TextHeight(QStringLiteral("()"));
  int Y = Rect.Top + RoundInt(LineH * 0.01);
  const int Step = RoundInt(LineH * 1.01);
  const int D = UnitHeight(C);
  C->Font()->Assign(Font);
  C->Brush()->SetStyle(bsClear);
  const bool Paper = Graph->Device().Paper();
  if (Graph->Device().PageDrawing) C->Font()->SetSize(RoundInt(Font.Size() * 0.9));
  int X;
  unsigned Align;
  switch (Alignment) {
    case taLeftJustify:
      X = Rect.Left, Align = TA_LEFT | TA_TOP;
      break;
    case taRightJustify:
      X = Rect.Right, Align = TA_RIGHT | TA_TOP;
      break;
    case taCenter:
      X = (Rect.Left + Rect.Right) / 2, Align = TA_CENTER | TA_TOP;
      break;
    default:
      return;
  }
  unsigned OldAlign = C->SetTextAlign(Align);
  const TColor Highlight = Paper ? 0xC0C0C0 : clWhite;
  TColor TextColor = Font.Color();
  if (Paper && TextColor == clWhite) TextColor = clBlack;
  for (const QString& L : Lines) {
    if (Style != tsNormal) {
      C->Font()->SetColor(Highlight);
      int O = Style == tsLowered ? D : -D;
      C->TextOut(X + O, Y + O, L);
    }
    C->Font()->SetColor(TextColor);
    C->TextOut(X, Y, L);
    Y += Step;
  }
  C->SetTextAlign(OldAlign);
}

TGraphFrame::TGraphFrame(TGraph* AGraph) : TGraphAbstract(AGraph), Owner(AGraph) {
  Color = clDefaultColor;
}

TColor TGraphFrame::GetColor() const { return Color == clDefaultColor ? Owner->Color : Color; }

int TGraphFrame::GetPixelWidth() const {
  if (Width < 2) return Width;
  TCanvas* C = Owner->DrawCanvas();
  return C ? Width * UnitHeight(C) : Width;
}

void TGraphFrame::Draw() {
  TCanvas* C = Owner->DrawCanvas();
  if (!C) return;
  const TRect R = Owner->PlotRect;
  const int L = R.Left, T = R.Top, Rt = R.Right, B = R.Bottom;
  const int W = GetPixelWidth();
  const bool Flat = Owner->View3D == 0;
  C->Brush()->SetColor(Owner->Color);
  C->Brush()->SetStyle(bsSolid);
  TColor PenColor = GetColor();
  if (PenColor == Owner->Color) PenColor = DarkenColor(PenColor, 128);
  if (Owner->Dxf()) return;
  C->Pen()->SetColor(W == 0 || !Visible ? Owner->Color : PenColor);
  C->Pen()->SetWidth(1);
  C->Pen()->SetStyle(psSolid);
  C->Rectangle(R);
  if (Flat) {
    if (!Visible || W <= 1) return;
    C->Brush()->SetColor(PenColor);
    C->Pen()->SetColor(PenColor);
    C->Rectangle(L - W - 1, T - W - 1, L, B + W);
    C->Rectangle(L - W - 1, B, Rt + W - 1, B + W);
    C->Rectangle(Rt, T - W - 1, Rt + W - 1, B + W);
    C->Rectangle(L, T - W - 1, Rt + W - 1, T);
    return;
  }
  // An open box seen from the front left below: back wall, left wall, floor.
  const int D = Owner->Depth3D;
  const TColor Dark = DarkenColor(GetColor(), 128);
  C->Pen()->SetColor(Dark);
  C->Brush()->SetColor(Owner->Color);
  C->Rectangle(L + D, T - D, Rt + D, B - D);
  const TPoint Left[] = {{L, T}, {L + D, T - D}, {L + D, B - D}, {L, B}};
  C->Brush()->SetColor(DarkenColor(Owner->Color, 100));
  C->Polygon(Left);
  if (Visible && W > 1) {
    auto Fill = [C](TColor Colour) {
      C->Brush()->SetColor(Colour);
      C->Pen()->SetColor(Colour);
    };
    // The front bands lie flat; the bands along the two slanted edges keep their width w across
    // the slant: their outer sides run parallel to the edge, S = w / sqrt 2 out in x and in y,
    // and meet the front bands' outer edges in a mitre.
    const int S = RoundInt(W / std::sqrt(2.0));
    Fill(GetColor());
    C->Rectangle(L - W, T, L, B + W);
    C->Rectangle(L, B, Rt, B + W);
    const TPoint TopBand[] = {
        {L - W, T}, {L, T}, {L + D, T - D}, {L + D - S, T - D - S}, {L - W, T + W - 2 * S}};
    Fill(DarkenColor(GetColor(), 80));
    C->Polygon(TopBand);
    const TPoint RightBand[] = {
        {Rt, B}, {Rt + D, B - D}, {Rt + D + S, B - D + S}, {Rt + 2 * S - W, B + W}, {Rt, B + W}};
    Fill(DarkenColor(GetColor(), 60));
    C->Polygon(RightBand);
    C->Pen()->SetColor(Dark);
  }
  const TPoint Floor[] = {{L, B}, {L + D, B - D}, {Rt + D, B - D}, {Rt, B}};
  C->Brush()->SetColor(DarkenColor(Owner->Color, 80));
  C->Polygon(Floor);
}
