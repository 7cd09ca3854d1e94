#include "plot/core/graph_pens.h"

#include "platform/canvas.h"
#include "plot/core/graph_drawing.h"
#include "plot/core/graph_utils.h"

namespace {
// A black-only printer keeps the colour setters black.
bool KeepsBlack(const TGraphDrawing* G) { return G && G->Device().KeepsBlack(); }
}  // namespace

TWPen::TWPen(TGraphDrawing* AGraph, TNoReset)
    : Graph(AGraph), Canvas(AGraph ? AGraph->DrawCanvas() : nullptr) {}

TWPen::TWPen(TGraphDrawing* AGraph) : TWPen(AGraph, TNoReset{}) { TWPen::Reset(); }

void TWPen::SetColor(TColor Color) {
  if (Canvas && !KeepsBlack(Graph)) Canvas->Pen()->SetColor(Color);
}

void TWPen::SetFill(TColor Color) {
  if (!Canvas || KeepsBlack(Graph)) return;
  Canvas->Brush()->SetColor(Color);
  Canvas->Brush()->SetStyle(bsSolid);
}

void TWPen::Reset() {
  if (!Canvas) return;
  Canvas->Pen()->SetColor(clBlack);
  Canvas->Pen()->SetStyle(psSolid);
  Canvas->Pen()->SetMode(pmCopy);
  Canvas->Pen()->SetWidth(1);
}

void TWPen::SetStyle(TPenStyle Style) {
  if (Canvas) Canvas->Pen()->SetStyle(Style);
}
void TWPen::SetWidth(int Width) {
  if (Canvas) Canvas->Pen()->SetWidth(Width);
}
void TWPen::MoveTo(int X, int Y) {
  if (Canvas) Canvas->MoveTo(X, Y);
}
void TWPen::LineTo(int X, int Y) {
  if (Canvas) Canvas->LineTo(X, Y);
}
void TWPen::Rectangle(const TRect& R) {
  if (Canvas) Canvas->Rectangle(R);
}

TWBrush::TWBrush(TGraphDrawing* AGraph) : TWPen(AGraph, TNoReset{}) { TWBrush::Reset(); }

TWBrush::~TWBrush() {
  if (Canvas) Canvas->Brush()->SetStyle(bsClear);
}

void TWBrush::SetColor(TColor Color) {
  if (Canvas && !KeepsBlack(Graph)) Canvas->Brush()->SetColor(Color);
}

void TWBrush::Reset() {
  if (Canvas) Canvas->Brush()->SetStyle(bsSolid);
}

TWText::TWText(TGraphDrawing* AGraph, const QString& FontName) : TWPen(AGraph) {
  if (!Canvas) return;
  Canvas->SetTextAlign(TA_BASELINE | TA_LEFT);
  SetFontName(FontName);
}

void TWText::SetColor(TColor Color) {
  if (Canvas && !KeepsBlack(Graph)) Canvas->Font()->SetColor(Color);
}

void TWText::SetFontName(const QString& Name) {
  if (Canvas) Canvas->Font()->SetName(Name);
}

void TWText::TextOut(int X, int Y, const QString& S) {
  if (!Canvas) return;
  Canvas->Font()->SetSize(Size);
  Canvas->TextOut(X, Y, S);
}

void TWText::SetSize(int ASize) {
  Size = ASize;
  if (Canvas) Canvas->Font()->SetSize(ASize);
}

void TWText::SetFontStyle(TFontStyles Style) {
  if (Canvas) Canvas->Font()->SetStyle(Style);
}

int TWText::TextHeight(const QString& S) {
  if (!Canvas) return 0;
  Canvas->Font()->SetSize(Size);
  return Canvas->TextHeight(S);
}

int TWText::TextWidth(const QString& S) {
  if (!Canvas) return 0;
  Canvas->Font()->SetSize(Size);
  return Canvas->TextWidth(S);
}

void TWRText::SetAngle(int Value) {
  Angle = Value;
  GraphChanged = true;
}

void TWRText::TextOut(int X, int Y, const QString& S) {
  if (!Canvas || S.isEmpty()) return;
  Canvas->Font()->SetSize(Size);
  if (Angle == 0) {
    Canvas->TextOut(X, Y, S);
    return;
  }
  TFontData Previous = Canvas->Font()->Data();
  Canvas->Font()->SetData(CreateRotatedFont(*Canvas->Font(), Angle));
  Canvas->TextOut(X, Y, S);
  Canvas->Font()->SetData(Previous);
}
