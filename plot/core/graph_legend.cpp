// Legend entries, the box and the dragging both legend kinds share, and the series legend's
// layout and drawing.
#include "plot/core/graph_legend.h"

#include <algorithm>
#include <atomic>
#include <cmath>

#include "platform/canvas.h"
#include "platform/number_text.h"
#include "plot/core/graph.h"

namespace {
const QString SampleRoom = QStringLiteral("-----------");

std::uint64_t NextSerial() {
  static std::atomic<std::uint64_t> Counter{0};
  return ++Counter;
}

// S cut to the longest head that fits MaxWidth pixels with an ellipsis after it. No character is
// narrower than a pixel, so a text of a megabyte is measured only as far as could ever show.
QString Elided(TCanvas& C, const QString& S, int MaxWidth) {
  const QString Ellipsis(QChar(0x2026));
  const QString Head = S.left(std::max(MaxWidth, 0) + 1);
  if (Head.size() == S.size() && C.TextWidth(S) <= MaxWidth) return S;
  qsizetype Lo = 0, Hi = Head.size();  // Lo fits, Hi does not
  while (Hi - Lo > 1) {
    const qsizetype Mid = (Lo + Hi) / 2;
    if (C.TextWidth(Head.left(Mid) + Ellipsis) <= MaxWidth)
      Lo = Mid;
    else
      Hi = Mid;
  }
  if (Lo > 0 && Head[Lo - 1].isHighSurrogate()) --Lo;  // a character is never split in two
  return Head.left(Lo) + Ellipsis;
}

// Centred on X with the width kept, its top 10 pixels above Y.
void PlaceAtMouse(TRect& R, int X, int Y) {
  const int W = R.Right - R.Left, H = R.Bottom - R.Top;
  R.Left = X - W / 2;
  R.Right = X + W / 2;
  R.Top = Y - 10;
  R.Bottom = R.Top + H;
}
}  // namespace

// --- Entries ------------------------------------------------------------------------------------

TLegend::TLegend(TGraph* AGraph, const QString& AText)
    : TGraphAbstract(AGraph), Owner(AGraph), Text(AText), Marker(AGraph), Serial(NextSerial()) {
  Visible = true;
  Marker.Color = clBlack;
  Marker.Size = 4;
  Marker.Style = 0;
}

TWLegend* TLegend::Box() const { return Owner ? Owner->Legend.get() : nullptr; }

TCanvas* TLegend::Canvas() const { return Owner ? Owner->DrawCanvas() : nullptr; }

bool TLegend::GetVisible() const { return Layer ? Layer->GetVisible() && Visible : Visible; }

int TLegend::GetWidth() const {
  if (Layer && !Layer->GetVisible()) return 0;
  TWLegend* B = Box();
  TCanvas* C = Canvas();
  if (!B || !C) return 0;
  B->ApplyFont();
  return C->TextWidth(ShownText()) + C->TextWidth(SampleRoom);
}

QString TLegend::ShownText() const {
  TWLegend* B = Box();
  TCanvas* C = Canvas();
  if (!B || !C) return Text;
  B->ApplyFont();
  return Elided(*C, Text,
                std::max(Owner->ImageRect.Width() / 4, C->TextWidth(QStringLiteral("0"))));
}

int TLegend::GetHeight() const {
  if (Layer && !Layer->GetVisible()) return 0;
  TWLegend* B = Box();
  TCanvas* C = Canvas();
  if (!B || !C) return 0;
  B->ApplyFont();
  return C->TextHeight(QStringLiteral("()"));
}

int TLegend::MarkerPixelSize() const {
  TCanvas* C = Canvas();
  if (!Owner || !Owner->Device().Printing || !C) return MarkerSize;
  C->Font()->SetSize(MarkerSize);
  return C->TextWidth(QStringLiteral("a"));
}

void TLegend::Draw() {
  TWLegend* B = Box();
  TCanvas* C = Canvas();
  if (!GetVisible() || !B || !C) return;
  DrawSample();
  C->Brush()->SetStyle(bsClear);
  B->ApplyFont();
  int TX = X + C->TextWidth(SampleRoom);
  // The box of a legend docked at the right is drawn shifted left by the shadow's width; the
  // text moves with it so that it stays inside the frame also without a shadow.
  if (B->Style == lsRight) TX -= B->ShadowThickness * Owner->CharHeight;
  C->TextOut(TX, Y + GetHeight() / 8, ShownText());
}

// --- The box ------------------------------------------------------------------------------------

TAbstractLegend::TAbstractLegend(TGraph* AGraph) : TLayer(AGraph) {
  Font.SetName(QStringLiteral("Arial"));
  Font.SetSize(8);
  Color = clWhite;
}

TCanvas* TAbstractLegend::Canvas() const { return Graph ? Graph->DrawCanvas() : nullptr; }

int TAbstractLegend::CH() const { return Graph ? std::max(Graph->CharHeight, 1) : 1; }

TFont* TAbstractLegend::ApplyFont() {
  TCanvas* C = Canvas();
  if (!C) return nullptr;
  C->Font()->SetName(Font.Name());
  C->Font()->SetSize(Font.Size());
  return C->Font();
}

void TAbstractLegend::SetVisible(bool Value) {
  if (Visible == Value) return;
  Visible = Value;
  if (Graph && Graph->Owner->LegendRepaints()) Graph->Paint();
}

void TAbstractLegend::GetHorzSize(int, int, TRect& R) {
  TCanvas* C = Canvas();
  const int TH = C && ApplyFont() ? C->TextHeight(QStringLiteral("(")) : 0;
  R = {0, 0, RoundInt(0.9 * Graph->ImageRect.Width()), 2 * TH};
}

void TAbstractLegend::GetVertSize(int, int, TRect& R) {
  TCanvas* C = Canvas();
  const int TH = C && ApplyFont() ? C->TextHeight(QStringLiteral("(")) : 0;
  R = {0, 0, 2 * TH, RoundInt(0.9 * Graph->ImageRect.Height())};
}

void TAbstractLegend::GetDefaultSize(int, int, TRect& R) {
  R = {0, 0, Graph->ImageRect.Width() / 10, Graph->ImageRect.Height() / 10};
}

void TAbstractLegend::DrawDragFrame(const TRect& R, int Width, TColor AColor, TPenMode Mode) {
  TCanvas* C = Canvas();
  if (!C || Graph->Busy) return;
  const TPenData Saved = C->Pen()->Data();
  C->Pen()->SetStyle(psSolid);
  C->Pen()->SetWidth(Width);
  C->Pen()->SetColor(AColor);
  C->Pen()->SetMode(Mode);
  C->MoveTo(R.Left, R.Top);
  C->LineTo(R.Left, R.Bottom);
  C->LineTo(R.Right, R.Bottom);
  C->LineTo(R.Right, R.Top);
  C->LineTo(R.Left, R.Top);
  C->Pen()->SetData(Saved);
  // Drawn twice the frame is gone: the flag says whether it shows now.
  FrameDrawn = !FrameDrawn;
}

void TAbstractLegend::ToggleFrame() { DrawDragFrame(FrameRect, 2, 0xC0C0C0, pmNotXor); }

void TAbstractLegend::MoveCandidates(int AX, int AY) {
  const int DX = AX - DownX, DY = AY - DownY;
  for (TRect* R : {&FrameRect, &InsideRect, &HorzRect, &VertRect}) OffsetIntRect(*R, DX, DY);
  DownX = AX;
  DownY = AY;
}

TLegendStyle TAbstractLegend::NearestEdge(int AX, int AY) const {
  const int W = Graph->ImageRect.Width(), H = Graph->ImageRect.Height();
  const int L = AX, R = W - AX, T = AY, B = H - AY;
  const int M = std::min({L, R, T, B});
  TLegendStyle S = lsTop;
  if (B == M) S = lsBottom;
  if (T == M) S = lsTop;
  if (L == M) S = lsLeft;
  if (R == M) S = lsRight;
  return S;
}

bool TAbstractLegend::Contains(int AX, int AY) const { return PtInIntRect(Bounds, {AX, AY}); }

void TAbstractLegend::BeginDrag(int AX, int AY) {
  DownX = AX;
  DownY = AY;
  FrameRect = Bounds;
  Graph->ResetClipRegion();
  SetVisible(false);
  Graph->CalcLayout();
  if (!FrameDrawn) ToggleFrame();
  DragState = 1;
  Graph->Owner->SetCursor(crDrag);
  GetDefaultSize(AX, AY, InsideRect);
  GetHorzSize(AX, AY, HorzRect);
  GetVertSize(AX, AY, VertRect);
  for (TRect* R : {&InsideRect, &HorzRect, &VertRect}) PlaceAtMouse(*R, AX, AY);
  Graph->CalcLayout();
  Graph->ResetClipRegion();
}

void TAbstractLegend::DragMove(int AX, int AY) {
  if ((AX == -1 && AY == -1) || Graph->Busy || ItemCount() == 0) return;
  if (FrameDrawn) ToggleFrame();
  MoveCandidates(AX, AY);
  // The frame shows the box the drop would give: inside the plot, docked at the top or bottom
  // when the mouse is above or below the plot, at the left or right when it is beside it.
  const TRect& P = Graph->PlotRect;
  const TPoint M{AX, AY};
  if (RectInsideRect(InsideRect, P))
    FrameRect = InsideRect;
  else if (AY < P.Top || PointBelowRect(M, P))
    FrameRect = HorzRect;
  else if (PointLeftOfRect(M, P) || PointRightOfRect(M, P))
    FrameRect = VertRect;
  ToggleFrame();
}

void TAbstractLegend::EndDrag(int AX, int AY) {
  if (AX == -1 && AY == -1) return;
  DragMove(AX, AY);
  Graph->Owner->SetCursor(crDefault);
  if (FrameDrawn) ToggleFrame();
  DragState = 0;
  Style = NearestEdge(AX, AY);
}

void TAbstractLegend::DrawShadowAndBox(int XO) {
  TCanvas* C = Canvas();
  const int Ch = CH(), FT = FrameThickness, ST = ShadowThickness;
  C->Pen()->SetMode(pmCopy);
  C->Pen()->SetWidth(1);
  C->Pen()->SetStyle(psSolid);
  if (ST >= 1 && ShadowVisible) {
    C->Pen()->SetColor(ShadowColor);
    for (int I = 0; I <= Ch * ST; ++I) {
      const int X = Bounds.Right + I + Ch * (FT + 2) + XO;
      const int YB = Bounds.Bottom + I + Ch * FT;
      C->MoveTo(X, Bounds.Top + Ch * ST - Ch * (FT - 1));
      C->LineTo(X, YB);
      C->LineTo(Bounds.Left + Ch * ST + XO, YB);
    }
  }
  C->Brush()->SetColor(Color);
  C->Pen()->SetColor(FrameColor);
  C->Brush()->SetStyle(TransparentBackGround ? bsClear : bsSolid);
  if (FrameVisible) {
    C->Pen()->SetStyle(FrameStyle);
    C->Pen()->SetWidth(std::max(FT, 1));
    const int H = FT / 2;
    C->Rectangle(Bounds.Left + XO - Ch * H, Bounds.Top - Ch * (H - 1),
                 Bounds.Right + XO + Ch * (H + 2), Bounds.Bottom + Ch * H);
  } else {
    C->Pen()->SetStyle(psClear);
    C->Rectangle(Bounds.Left + XO, Bounds.Top, Bounds.Right + XO, Bounds.Bottom);
  }
  C->Pen()->SetStyle(psSolid);
  C->Pen()->SetWidth(1);
}

// --- The series legend --------------------------------------------------------------------------

TWLegend::TWLegend(TGraph* AGraph) : TAbstractLegend(AGraph) { Name = QStringLiteral("Legend"); }

// The entries go first: their layers are asked nothing while the legend goes.
TWLegend::~TWLegend() { FItems.clear(); }

TLegend* TWLegend::AddItem(std::unique_ptr<TLegend> Entry) {
  if (!Entry) return nullptr;
  FItems.push_back(std::move(Entry));
  return FItems.back().get();
}

void TWLegend::DeleteItem(int Index) {
  if (Index < 0 || Index >= Count()) return;
  FItems.erase(FItems.begin() + Index);
}

int TWLegend::IndexOfItem(const TLegend* Entry) const {
  for (int I = 0; I < Count(); ++I)
    if (FItems[I].get() == Entry) return I;
  return -1;
}

int TWLegend::FindItem(const QString& AText) const {
  for (int I = 0; I < Count(); ++I)
    if (FItems[I]->Text == AText) return I;
  return -1;
}

int TWLegend::IndexOfLayer(const TLayer* ALayer) const {
  for (int I = 0; I < Count(); ++I)
    if (FItems[I]->Layer == ALayer) return I;
  return -1;
}

TLegend* TWLegend::ItemBySerial(std::uint64_t S) const {
  for (auto& E : FItems)
    if (E->Serial == S) return E.get();
  return nullptr;
}

void TWLegend::Clear() { FItems.clear(); }

int TWLegend::MaxEntryWidth() const {
  if (FItems.empty()) return 0;
  int W = 0;
  for (auto& E : FItems) W = std::max(W, E->GetWidth());
  return W + 3;
}

TLegend* TWLegend::ItemAt(int AX, int AY) {
  if (!Contains(AX, AY)) return nullptr;
  // Each entry owns a line height from a quarter line above its top, as far as the entries are
  // wide; the box docked at the right is drawn shifted by its shadow.
  const int LH = LineHeight(), MEW = MaxEntryWidth();
  const int XO = Style == lsRight ? -CH() * ShadowThickness : 0;
  for (auto& E : FItems) {
    if (!E->GetVisible()) continue;
    const int Top = E->Y - LH / 4, Left = E->X + XO;
    if (AY >= Top && AY < Top + LH && AX >= Left && AX < Left + MEW) return E.get();
  }
  return nullptr;
}

void TWLegend::HoverAt(int AX, int AY) {
  // A hint of a megabyte would take the desktop: the properties hold the rest. A formula has no
  // spaces to wrap at, so the hint is broken into lines that stay on the screen.
  constexpr qsizetype MaxHint = 500, HintLine = 80;
  QString Hint;
  if (TLegend* E = AX == -1 && AY == -1 ? nullptr : ItemAt(AX, AY);
      E && E->ShownText() != E->Text) {
    const QString Whole =
        E->Text.size() > MaxHint ? E->Text.left(MaxHint) + QChar(0x2026) : E->Text;
    for (qsizetype I = 0, N = 0; I < Whole.size(); I += N) {
      N = std::min(HintLine, Whole.size() - I);
      if (Whole[I + N - 1].isHighSurrogate()) ++N;  // a character is never split in two
      Hint += (I > 0 ? QStringLiteral("\n") : QString()) + Whole.mid(I, N);
    }
  }
  if (Hint == FHint) return;
  FHint = Hint;
  Graph->Owner->ShowHint(Hint);
}

int TWLegend::LineHeight() {
  TCanvas* C = Canvas();
  if (!C || !ApplyFont()) return 0;
  return RoundInt(1.3 * C->TextHeight(QStringLiteral("()")));
}

bool TWLegend::AnyShown() const {
  return std::any_of(FItems.begin(), FItems.end(), [](auto& E) { return E->GetVisible(); });
}

void TWLegend::GetDefaultSize(int, int, TRect& R) {
  const int LH = LineHeight();
  int H = 0;
  for (auto& E : FItems)
    if (E->GetVisible()) H += LH;
  R = {0, 0, MaxEntryWidth(), H + RoundInt(0.25 * LH)};
}

void TWLegend::DragMove(int AX, int AY) { TAbstractLegend::DragMove(AX, AY); }

void TWLegend::EndDrag(int AX, int AY) {
  if (AX == -1 && AY == -1) return;
  if (Count() == 0) {
    // The entries went while the box was dragged: the drag still ends, and the box comes back.
    if (FrameDrawn) ToggleFrame();
    DragState = 0;
    Graph->Owner->SetCursor(crDefault);
    Visible = true;
    return;
  }
  TAbstractLegend::EndDrag(AX, AY);
  if (RectInsideRect(InsideRect, Graph->PlotRect)) {
    Style = lsInside;
    Bounds = FrameRect;
    const bool X2 = Graph->UseX2, Y2 = Graph->UseY2;
    Graph->UseX2 = Graph->UseY2 = false;
    WorldLeft = Graph->PixelToX(Bounds.Left);
    WorldRight = Graph->PixelToX(Bounds.Right);
    WorldTop = Graph->PixelToY(Bounds.Top);
    WorldBottom = Graph->PixelToY(Bounds.Bottom);
    auto X = [this](double V) {
      return Graph->XToPixel(Graph->XAxis->Log ? std::pow(10.0, V) : V);
    };
    auto Y = [this](double V) {
      return Graph->YToPixel(Graph->YAxis->Log ? std::pow(10.0, V) : V);
    };
    Bounds = {X(WorldLeft), Y(WorldTop), X(WorldRight), Y(WorldBottom)};
    Graph->UseX2 = X2;
    Graph->UseY2 = Y2;
  }
  Visible = true;
  Graph->Paint();
}

void TWLegend::PlaceInside() {
  if (FItems.empty() || !GetVisible()) return;
  const bool X2 = Graph->UseX2, Y2 = Graph->UseY2;
  Graph->UseX2 = Graph->UseY2 = false;
  const TRect& P = Graph->PlotRect;
  Bounds.Left = Graph->XToPixel(Graph->XAxis->Log ? std::pow(10.0, WorldLeft) : WorldLeft);
  Bounds.Top = Graph->YToPixel(Graph->YAxis->Log ? std::pow(10.0, WorldTop) : WorldTop);
  Graph->UseX2 = X2;
  Graph->UseY2 = Y2;
  if (Bounds.Top < P.Top || Bounds.Top > P.Bottom) Bounds.Top = P.Top;
  if (Bounds.Left < P.Left || Bounds.Left > P.Right) Bounds.Left = P.Left;
  Bounds.Right = Bounds.Left + RoundInt(1.05 * MaxEntryWidth());
  const int LH = LineHeight();
  int Y = 0;
  for (auto& E : FItems) {
    if (!E->GetVisible()) continue;
    E->SetPosition(Bounds.Left, Bounds.Top + Y + E->GetHeight() / 4);
    Y += LH;
  }
  Bounds.Bottom = Bounds.Top + Y + LH / 4;
}

void TWLegend::CalcLayout(TRect& R, bool Again) {
  if (FItems.empty() || !GetVisible()) return;
  const TRect Entry = R;
  const int Ch = CH(), FT = FrameThickness, ST = ShadowThickness;
  const int H = R.Bottom - R.Top, Wd = R.Right - R.Left;
  const int MEW = MaxEntryWidth(), LH = LineHeight();
  bool Column = false;
  switch (Style) {
    case lsInside:
      PlaceInside();
      return;
    case lsTop:
    case lsBottom: {
      Bounds.Left = R.Left + Ch * FT;
      Bounds.Right = R.Right - 2 * Ch * FT - Ch * ST;
      Bounds.Bottom = R.Bottom - RoundInt(0.02 * H);
      Bounds.Top = R.Top + RoundInt(0.01 * H);
      if (Style == lsTop) {
        R.Top += 2 * Ch * FT + Ch * ST;
        Bounds.Top += Ch * FT;
      } else {
        R.Bottom -= 2 * Ch * FT + Ch * ST;
        Bounds.Bottom -= Ch * FT + Ch * ST;
      }
      const int BoxWidth = Bounds.Right - Bounds.Left;
      int Y = 0, K = 0;
      bool Row = false;
      for (auto& E : FItems) {
        if (!E->GetVisible()) continue;
        // An entry that would end beyond the box starts the next row.
        if (Row && (K + 1) * MEW > BoxWidth) {
          Y += LH;
          K = 0;
        }
        E->SetPosition(Bounds.Left + K * MEW, Y);
        Row = true;
        ++K;
      }
      if (Row) Y += LH;
      if (Style == lsTop) {
        Bounds.Bottom = Bounds.Top + Y;
        R.Bottom -= 2 * Ch * FT + Ch * ST;
        R.Top = R.Top + Y + RoundInt(0.02 * (R.Bottom - R.Top));
      } else {
        Bounds.Top = Bounds.Bottom - Y;
        R.Bottom -= Y + RoundInt(0.02 * H);
      }
      for (auto& E : FItems)
        if (E->GetVisible()) E->SetPosition(E->X, E->Y + Bounds.Top);
      break;
    }
    case lsLeft:
    case lsRight: {
      Column = true;
      VisibleLines = 0;
      // The page's left margin: where the printed image starts, 0 on screen.
      const bool PageDrawing = Graph->Device().Placed();
      const int PageMargin = PageDrawing ? Graph->ImageRect.Left : 0;
      if (Style == lsRight) {
        Bounds.Left = R.Right - Ch * (FT + 1);
        Bounds.Right = R.Right - Ch * (FT + 4);
        R.Right -= 2 * Ch * (FT + 1) + 2 * Ch * ST;
      } else {
        // On a page the box keeps its distance from the page's left margin, not from what the
        // colour legends left of the room.
        Bounds.Left = (PageDrawing ? PageMargin : R.Left) + RoundInt(0.01 * Wd);
        Bounds.Right = R.Right - RoundInt(0.01 * Wd);
        R.Left += 2 * Ch * FT + Ch * ST;
        Bounds.Left += Ch * FT;
        Bounds.Right += Ch * FT;
      }
      Bounds.Top = R.Top;
      Bounds.Bottom = R.Bottom;
      // Lines that start above the plot's bottom show; the plot of the last paint tells where
      // that is, the room's bottom before the first one.
      const int PlotBottom = Graph->PlotRect.IsEmpty() ? R.Bottom : Graph->PlotRect.Bottom;
      int Y = 0, K = 0;
      for (auto& E : FItems) {
        if (!E->GetVisible()) continue;
        int X = Bounds.Left;
        if (Style == lsRight) {
          X = Bounds.Right - MEW;
          if (Graph->View3D != 0) X += Graph->Depth3D;
          if (Graph->YAxis2->Visible) X -= 4 * Ch;
        }
        E->SetPosition(X, Bounds.Top + Y + E->GetHeight() / 4);
        if (Bounds.Top + K * LH <= PlotBottom) ++VisibleLines;
        Y += LH;
        ++K;
      }
      Y += RoundInt(0.25 * LH);
      if (Style == lsRight) {
        Bounds.Left -= MEW + Ch * ST;
        Bounds.Bottom = Bounds.Top + Y;
        R.Right -= MEW + RoundInt(0.01 * (R.Right - R.Left));
        if (Graph->View3D != 0) OffsetIntRect(Bounds, Graph->Depth3D, 0);
      } else {
        Bounds.Right = Bounds.Left + MEW;
        Bounds.Bottom = Bounds.Top + Y;
        if (PageDrawing)
          R.Left = Bounds.Left + MEW + PageMargin + RoundInt(0.01 * Wd) + Ch * ST;
        else
          R.Left = Bounds.Right + RoundInt(0.01 * Wd);
      }
      break;
    }
  }
  // The plot's scroll bar pages through a column that does not fit. While it shows, the plot
  // keeps clear of its panel: the room is laid out once more, narrowed by the panel.
  // Entries the plot scrolled away count, those of hidden layers do not.
  TGraphOwner* O = Graph->Owner;
  O->SetLegendScrollRange(Count() - 1, VisibleLines);
  const int Listed = static_cast<int>(std::count_if(
      FItems.begin(), FItems.end(), [](auto& E) { return !E->Layer || E->Layer->GetVisible(); }));
  const bool Scroll = Column && VisibleLines > 0 && VisibleLines < Listed;
  if (O->LegendScrollShown() != Scroll) O->ShowLegendScroll(Scroll);
  if (Scroll && !Again) {
    R = Entry;
    R.Right -= O->LegendScrollWidth();
    CalcLayout(R, true);
  }
}

void TWLegend::Draw() {
  TCanvas* C = Canvas();
  if (!C || FItems.empty() || !GetVisible() || !AnyShown()) return;
  if (Style != lsBottom) Graph->SetLegendClipRegion();
  const int XO = Style == lsRight ? -CH() * ShadowThickness : 0;
  DrawShadowAndBox(XO);
  C->SetTextAlign(TA_LEFT | TA_TOP);
  for (auto& E : FItems)
    if (E->GetVisible()) E->Draw();
  Graph->ResetClipRegion();
}

// --- The graph's legends ------------------------------------------------------------------------

void TGraph::ForgetLayer(const TLayer* L) {
  if (Legend && L != Legend.get())
    for (int I = Legend->Count() - 1; I >= 0; --I)
      if (Legend->Item(I)->Layer == L) Legend->DeleteItem(I);
  for (auto& C : ColorLegends)
    if (C && C->Layer == L) C->Layer = nullptr;
}

TAbstractLegend* TGraph::DraggedLegend() const {
  if (Legend && Legend->DragState == 1) return Legend.get();
  for (auto& C : ColorLegends)
    if (C && C->DragState == 1) return C.get();
  return nullptr;
}

TAbstractLegend* TGraph::LegendAt(int X, int Y) const {
  if (Legend && Legend->GetVisible() && Legend->AnyShown() && Legend->Contains(X, Y))
    return Legend.get();
  for (auto& C : ColorLegends)
    if (C && C->GetVisible() && C->ItemCount() > 0 && C->Contains(X, Y)) return C.get();
  return nullptr;
}
