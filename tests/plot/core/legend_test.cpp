// The legends: layout of docked and inside boxes, the drawn entries, dragging on a painted graph,
// scrolling through the owner and the colour legend's bar.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <cmath>
#include <memory>

#include "platform/canvas.h"
#include "platform/canvas_targets.h"
#include "plot/core/graph.h"
#include "test_layers.h"

namespace {
struct TLegendOwner : TGraphOwner {
  TCursor Cursor = crNone;
  void SetCursor(TCursor C) override { Cursor = C; }
  bool Shown = false;
  int Shows = 0, Max = -1, Page = -1;
  bool LegendScrollShown() const override { return Shown; }
  int LegendScrollWidth() const override { return 17; }
  void ShowLegendScroll(bool S) override {
    Shown = S;
    ++Shows;
  }
  void SetLegendScrollRange(int M, int P) override { Max = M, Page = P; }
  bool Repaints = false;
  bool LegendRepaints() const override { return Repaints; }
  QStringList Hints;
  void ShowHint(const QString& T) override { Hints << T; }
};

struct TLegendScene {
  QImage Image;
  std::unique_ptr<TImageTarget> Target;
  std::unique_ptr<TCanvas> Canvas;
  TLegendOwner Owner;
  std::unique_ptr<TGraph> Graph;
  explicit TLegendScene(int W = 400, int H = 300) : Image(W, H, QImage::Format_RGB32) {
    Image.fill(Qt::black);
    Target = std::make_unique<TImageTarget>(&Image);
    Canvas = std::make_unique<TCanvas>(Target.get());
    Graph = std::make_unique<TGraph>(Canvas.get(), W, H, &Owner);
    Graph->XAxis2->SetVisible(false);
    Graph->YAxis2->SetVisible(false);
  }
  TTestLayer* Add(const QString& Name, TColor C) {
    auto L = std::make_unique<TTestLayer>(Graph.get());
    L->Points = {{0, 0}, {10, 10}};
    L->Name = Name;
    L->Color = C;
    auto* P = static_cast<TTestLayer*>(Graph->AddLayer(std::move(L)));
    auto E = std::make_unique<TLegend>(Graph.get(), Name);
    E->Layer = P;
    Graph->Legend->AddItem(std::move(E));
    return P;
  }
  QRgb At(int X, int Y) {
    Target->Release();
    return Image.pixel(X, Y) & 0xFFFFFF;
  }
};
}  // namespace

namespace {
// Widths and heights in the legend font, as the layout measures them.
struct TMeasure {
  int Hyphens, Paren, LineH;
  explicit TMeasure(TGraph& G) {
    TCanvas* C = G.Canvas;
    C->Font()->SetName(QStringLiteral("Arial"));
    C->Font()->SetSize(8);
    Hyphens = C->TextWidth(QStringLiteral("-----------"));
    Paren = C->TextHeight(QStringLiteral("()"));
    LineH = static_cast<int>(std::nearbyint(1.3 * Paren));
  }
  int Width(TGraph& G, const QString& T) {
    G.Canvas->Font()->SetName(QStringLiteral("Arial"));
    G.Canvas->Font()->SetSize(8);
    return G.Canvas->TextWidth(T) + Hyphens;
  }
};

TColor ColorFromRgb(QRgb C) { return FromQColor(QColor(C)); }

bool Dark(QRgb C) { return qRed(C) + qGreen(C) + qBlue(C) < 3 * 128; }

// Pixels that differ between two pictures, and those of them away from the outline of R.
int Differ(const QImage& A, const QImage& B, const TRect& R, int* Away) {
  int N = 0;
  *Away = 0;
  for (int Y = 0; Y < A.height(); ++Y)
    for (int X = 0; X < A.width(); ++X) {
      if ((A.pixel(X, Y) & 0xFFFFFF) == (B.pixel(X, Y) & 0xFFFFFF)) continue;
      ++N;
      const bool NearV = (std::abs(X - R.Left) <= 1 || std::abs(X - R.Right) <= 1) &&
                         Y >= R.Top - 1 && Y <= R.Bottom + 1;
      const bool NearH = (std::abs(Y - R.Top) <= 1 || std::abs(Y - R.Bottom) <= 1) &&
                         X >= R.Left - 1 && X <= R.Right + 1;
      if (!NearV && !NearH) ++*Away;
    }
  return N;
}
}  // namespace

TEST(Legend, DockedRightColumnAndHiddenEntries) {
  TLegendScene S;
  TGraph& G = *S.Graph;
  S.Add(QStringLiteral("first"), clRed);
  TTestLayer* Hidden = S.Add(QStringLiteral("a much longer hidden name"), clGreen);
  S.Add(QStringLiteral("second"), clBlue);
  Hidden->SetVisible(false);
  G.Paint();
  TWLegend& L = *G.Legend;
  TMeasure M(G);
  // The hidden entry takes no room and sets no width.
  EXPECT_EQ(L.Item(1)->GetWidth(), 0);
  EXPECT_EQ(L.Item(1)->GetHeight(), 0);
  const int MEW =
      std::max(M.Width(G, QStringLiteral("first")), M.Width(G, QStringLiteral("second"))) + 3;
  EXPECT_EQ(L.MaxEntryWidth(), MEW);
  const int CH = G.CharHeight, FT = 1, ST = 3;
  // The column stands at the image's right, the room of the right margin and the frame taken.
  const int RRight = static_cast<int>(std::nearbyint(400 * 0.99));
  EXPECT_EQ(L.Bounds.Right, RRight - CH * (FT + 4));
  EXPECT_EQ(L.Bounds.Left, RRight - CH * (FT + 1) - MEW - CH * ST);
  EXPECT_EQ(L.Bounds.Bottom - L.Bounds.Top,
            2 * M.LineH + static_cast<int>(std::nearbyint(0.25 * M.LineH)));
  EXPECT_EQ(L.Item(0)->X, L.Bounds.Right - MEW);
  EXPECT_EQ(L.Item(0)->Y, L.Bounds.Top + M.Paren / 4);
  EXPECT_EQ(L.Item(2)->Y, L.Bounds.Top + M.LineH + M.Paren / 4);
  EXPECT_EQ(L.VisibleLines, 2);
  EXPECT_LT(G.PlotRect.Right, L.Bounds.Left);
  // The frame is drawn shifted left by the shadow, the shadow beyond its right edge.
  const int XO = -CH * ST;
  const int Mid = (L.Bounds.Top + L.Bounds.Bottom) / 2;
  EXPECT_EQ(S.At(L.Bounds.Left + XO, Mid), 0x000000u);
  EXPECT_EQ(S.At(L.Bounds.Left + XO + 1, Mid), 0xFFFFFFu);
  EXPECT_EQ(S.At(L.Bounds.Right + CH * (FT + 2) + XO + 1, Mid), 0x000000u);  // shadow
  // Each shown entry's text is written after the sample room; the hidden one nowhere.
  auto InkIn = [&](int X0, int Y0, int X1, int Y1) {
    int N = 0;
    for (int Y = Y0; Y < Y1; ++Y)
      for (int X = X0; X < X1; ++X) N += Dark(S.At(X, Y));
    return N;
  };
  for (int I : {0, 2}) {
    const TLegend& E = *L.Item(I);
    const int TX = E.X + M.Hyphens + XO;
    EXPECT_GT(InkIn(TX, E.Y, TX + M.Width(G, E.Text) - M.Hyphens, E.Y + M.Paren), 10) << I;
    EXPECT_EQ(InkIn(E.X + XO + 2, E.Y + 1, TX - 1, E.Y + M.Paren - 1), 0) << I;  // no sample
  }
  EXPECT_FALSE(S.Owner.Shown);  // the hidden entry needs no scrolling
}

TEST(Legend, RowsAtTheTopAndBottomAndAColumnAtTheLeft) {
  TLegendScene S;
  TGraph& G = *S.Graph;
  for (int I = 0; I < 9; ++I) S.Add(QStringLiteral("entry %1").arg(I), clRed);
  TWLegend& L = *G.Legend;
  TMeasure M(G);
  for (TLegendStyle Style : {lsTop, lsBottom}) {
    L.Style = Style;
    G.Paint();
    const int MEW = L.MaxEntryWidth();
    const int BoxWidth = L.Bounds.Right - L.Bounds.Left;
    const int PerRow = BoxWidth / MEW;
    ASSERT_GT(PerRow, 1);
    ASSERT_LT(PerRow, 9);
    const int Rows = (9 + PerRow - 1) / PerRow;
    EXPECT_EQ(L.Bounds.Bottom - L.Bounds.Top, Rows * M.LineH);
    for (int I = 0; I < 9; ++I) {
      const TLegend& E = *L.Item(I);
      EXPECT_EQ(E.X, L.Bounds.Left + (I % PerRow) * MEW) << I;
      EXPECT_EQ(E.Y, L.Bounds.Top + (I / PerRow) * M.LineH) << I;
      EXPECT_LE(E.X + MEW, L.Bounds.Right);
    }
    if (Style == lsTop)
      EXPECT_LT(L.Bounds.Bottom, G.PlotRect.Top);
    else
      EXPECT_GT(L.Bounds.Top, G.PlotRect.Bottom);
  }
  L.Style = lsLeft;
  G.Paint();
  EXPECT_EQ(L.Bounds.Right - L.Bounds.Left, L.MaxEntryWidth());
  EXPECT_EQ(L.Item(3)->X, L.Bounds.Left);
  EXPECT_LT(L.Bounds.Right, G.PlotRect.Left);
  // Drawn: the frame's left edge and an entry's text inside the box.
  EXPECT_EQ(S.At(L.Bounds.Left, (L.Bounds.Top + L.Bounds.Bottom) / 2), 0x000000u);
}

TEST(Legend, LongColumnShowsTheScrollBarAndNarrowsThePlotOnce) {
  TLegendScene S;
  TGraph& G = *S.Graph;
  S.Add(QStringLiteral("one"), clRed);
  G.Paint();
  const int WideRight = G.PlotRect.Right;
  EXPECT_FALSE(S.Owner.Shown);
  EXPECT_EQ(S.Owner.Max, 0);
  for (int I = 0; I < 39; ++I) S.Add(QStringLiteral("more %1").arg(I), clRed);
  G.Paint();
  TWLegend& L = *G.Legend;
  TMeasure M(G);
  EXPECT_TRUE(S.Owner.Shown);
  EXPECT_EQ(S.Owner.Max, 39);
  EXPECT_GT(L.VisibleLines, 0);
  EXPECT_LT(L.VisibleLines, 40);
  EXPECT_EQ(S.Owner.Page, L.VisibleLines);
  // Lines that start above the plot's bottom count.
  EXPECT_LE(L.Bounds.Top + (L.VisibleLines - 1) * M.LineH, G.PlotRect.Bottom);
  EXPECT_GT(L.Bounds.Top + L.VisibleLines * M.LineH, G.PlotRect.Bottom);
  const int Narrow = G.PlotRect.Right;
  const TRect Box = L.Bounds;
  // Every paint keeps the plot clear of the panel, by the panel's width once.
  G.Paint();
  G.Paint();
  EXPECT_EQ(G.PlotRect.Right, Narrow);
  EXPECT_EQ(L.Bounds, Box);
  EXPECT_LE(L.Bounds.Right, 400 - 17);
  EXPECT_LT(Narrow, WideRight);
  // Scrolled: the plot hides the first entries, and the bar stays to scroll back.
  for (int I = 0; I < 35; ++I) L.Item(I)->Visible = false;
  G.Paint();
  EXPECT_TRUE(S.Owner.Shown);
  EXPECT_EQ(S.Owner.Max, 39);
  // Once the hidden ones belong to hidden layers, all that is left fits and the panel goes.
  for (int I = 0; I < 35; ++I) L.Item(I)->Layer->SetVisible(false);
  G.Paint();
  EXPECT_FALSE(S.Owner.Shown);
  EXPECT_GT(G.PlotRect.Right, Narrow);
}

TEST(Legend, DraggedIntoThePlotStaysAtItsWorldPlace) {
  TLegendScene S;
  TGraph& G = *S.Graph;
  S.Add(QStringLiteral("first"), clRed);
  S.Add(QStringLiteral("second"), clBlue);
  G.Paint();
  TWLegend& L = *G.Legend;
  const TRect Box = L.Bounds;
  const int X0 = (Box.Left + Box.Right) / 2, Y0 = (Box.Top + Box.Bottom) / 2;
  G.MouseMove(0, X0, Y0);
  EXPECT_EQ(S.Owner.Cursor, crOverLegend);
  S.Target->Release();
  const QImage Before = S.Image.copy();
  G.MouseDown(mbLeft, 0, X0, Y0);
  EXPECT_EQ(L.DragState, 1);
  EXPECT_FALSE(L.GetVisible());
  EXPECT_EQ(S.Owner.Cursor, crDrag);
  EXPECT_EQ(L.FrameRect, Box);
  S.Target->Release();
  // The frame is drawn not-xor along the box's outline and nowhere else.
  int Away = 0;
  EXPECT_GT(Differ(S.Image, Before, Box, &Away), 2 * (Box.Right - Box.Left));
  EXPECT_EQ(Away, 0);
  EXPECT_NE(S.Image.pixel(Box.Left, Y0), Before.pixel(Box.Left, Y0));
  EXPECT_NE(S.Image.pixel(X0, Box.Bottom), Before.pixel(X0, Box.Bottom));
  EXPECT_EQ(S.Image.pixel(X0, Y0), Before.pixel(X0, Y0));
  // Into the middle of the plot: the frame becomes the inside box; the old one is erased.
  const TRect P = G.PlotRect;
  const int X1 = (P.Left + P.Right) / 2, Y1 = (P.Top + P.Bottom) / 2;
  G.MouseMove(0, X1, Y1);
  const TRect F = L.FrameRect;
  EXPECT_EQ(F, L.InsideRect);
  EXPECT_EQ(F.Right - F.Left, L.MaxEntryWidth() / 2 * 2);
  EXPECT_EQ(F.Top, Y1 - 10);
  S.Target->Release();
  // The old frame is gone; only the new one shows.
  EXPECT_GT(Differ(S.Image, Before, F, &Away), 2 * (F.Right - F.Left));
  EXPECT_EQ(Away, 0);
  EXPECT_EQ(S.Image.pixel(Box.Left, Y0), Before.pixel(Box.Left, Y0));
  EXPECT_NE(S.Image.pixel(F.Left, (F.Top + F.Bottom) / 2),
            Before.pixel(F.Left, (F.Top + F.Bottom) / 2));
  G.MouseUp(mbLeft, 0, X1, Y1);
  EXPECT_EQ(L.DragState, 0);
  EXPECT_TRUE(L.GetVisible());
  EXPECT_EQ(L.Style, lsInside);
  EXPECT_EQ(S.Owner.Cursor, crDefault);
  // The box keeps the world place of the drop while the plot takes the room it left.
  EXPECT_EQ(L.Bounds.Left, G.XToPixel(L.WorldLeft));
  EXPECT_EQ(L.Bounds.Top, G.YToPixel(L.WorldTop));
  // The graph was painted again with the box inside: the plot keeps the room the box left.
  EXPECT_GT(G.PlotRect.Right, Box.Left);
  EXPECT_EQ(S.At(L.Bounds.Left, L.Bounds.Top + 3), 0x000000u);
  // A zoom keeps the box at its world place.
  G.Zoom.ZoomTo({G.XMin, G.YMin, (G.XMin + G.XMax) / 2 + 2, G.YMax},
                {G.X2Min, G.Y2Min, G.X2Max, G.Y2Max});
  G.Paint();
  EXPECT_EQ(L.Bounds.Left, G.XToPixel(L.WorldLeft));
  EXPECT_NE(L.Bounds.Left, F.Left);
  EXPECT_EQ(L.Bounds.Top, G.YToPixel(L.WorldTop));
  // A world place outside the plot falls back to its corner.
  G.Zoom.ZoomTo({G.XMin, G.YMin, G.XMin + 0.5, G.YMax}, {G.X2Min, G.Y2Min, G.X2Max, G.Y2Max});
  G.Paint();
  EXPECT_EQ(L.Bounds.Left, G.PlotRect.Left);
  // An inside legend is drawn over the layers.
  EXPECT_EQ(S.At(L.Bounds.Left + 3, L.Bounds.Top + G.CharHeight + 2), 0xFFFFFFu);
}

TEST(Legend, TheDragFrameIsTheBoxTheDropGives) {
  TLegendScene S;
  TGraph& G = *S.Graph;
  S.Add(QStringLiteral("first"), clRed);
  G.Paint();
  TWLegend& L = *G.Legend;
  const TRect P = G.PlotRect;
  G.MouseDown(mbLeft, 0, L.Bounds.Left + 2, L.Bounds.Top + 2);
  ASSERT_EQ(L.DragState, 1);
  // Beside the plot: the vertical box; above it: the horizontal one.
  G.MouseMove(0, P.Left - 3, (P.Top + P.Bottom) / 2);
  EXPECT_EQ(L.FrameRect, L.VertRect);
  G.Canvas->Font()->SetSize(8);
  EXPECT_EQ(L.VertRect.Right - L.VertRect.Left, 2 * G.Canvas->TextHeight(QStringLiteral("(")));
  G.MouseMove(0, (P.Left + P.Right) / 2, P.Top - 2);
  EXPECT_EQ(L.FrameRect, L.HorzRect);
  EXPECT_EQ(L.HorzRect.Right - L.HorzRect.Left, 360);
  // Released near the left edge, beside the plot: docked at the left.
  G.MouseUp(mbLeft, 0, 3, (P.Top + P.Bottom) / 2);
  EXPECT_EQ(L.Style, lsLeft);
  EXPECT_EQ(L.DragState, 0);
  EXPECT_GT(G.PlotRect.Left, L.Bounds.Right);
  // Near the bottom.
  G.MouseDown(mbLeft, 0, L.Bounds.Left + 2, L.Bounds.Top + 2);
  G.MouseUp(mbLeft, 0, 200, 297);
  EXPECT_EQ(L.Style, lsBottom);
  // Entries deleted during a drag still end it and bring the box back.
  G.MouseDown(mbLeft, 0, L.Bounds.Left + 2, L.Bounds.Top + 2);
  ASSERT_EQ(L.DragState, 1);
  L.Clear();
  G.MouseUp(mbLeft, 0, 200, 150);
  EXPECT_EQ(L.DragState, 0);
  EXPECT_TRUE(L.GetVisible());
  EXPECT_EQ(G.DraggedLegend(), nullptr);
  // No drags while the graph paints.
  S.Add(QStringLiteral("again"), clRed);
  G.Paint();
  G.Busy = true;
  G.MouseDown(mbLeft, 0, L.Bounds.Left + 2, L.Bounds.Top + 2);
  EXPECT_EQ(L.DragState, 0);
  G.Busy = false;
}

TEST(Legend, NearestEdgeAndItsTies) {
  TLegendScene S(300, 300);
  TAbstractLegend& L = *S.Graph->Legend;
  EXPECT_EQ(L.NearestEdge(150, 150), lsRight);  // all four equal
  EXPECT_EQ(L.NearestEdge(2, 150), lsLeft);
  EXPECT_EQ(L.NearestEdge(150, 299), lsBottom);
  EXPECT_EQ(L.NearestEdge(150, 100), lsTop);
  EXPECT_EQ(L.NearestEdge(100, 100), lsLeft);  // left and top tie
  TLegendScene W(400, 300);
  EXPECT_EQ(W.Graph->Legend->NearestEdge(200, 150), lsTop);  // top and bottom tie
}

TEST(Legend, LayersTakeTheirEntriesAndColourLegendsAlong) {
  TLegendScene S;
  TGraph& G = *S.Graph;
  S.Add(QStringLiteral("a"), clRed);
  TTestLayer* B = S.Add(QStringLiteral("b"), clRed);
  G.Legend->AddItem(std::make_unique<TLegend>(&G, QStringLiteral("plain")));
  G.ColorLegend(3)->Layer = B;
  EXPECT_EQ(G.Legend->IndexOfLayer(B), 1);
  EXPECT_EQ(G.Legend->FindItem(QStringLiteral("plain")), 2);
  EXPECT_EQ(G.Legend->FindItem(QStringLiteral("Plain")), -1);
  G.DeleteLayer(G.IndexOfLayer(B)).reset();
  EXPECT_EQ(G.Legend->Count(), 2);
  EXPECT_EQ(G.Legend->IndexOfLayer(B), -1);
  EXPECT_EQ(G.ColorLegend(3)->Layer, nullptr);
  G.Paint();  // nothing refers to the freed layer
  G.ColorLegend(0)->Layer = G.GetLayer(0);
  G.Clear();
  EXPECT_EQ(G.Legend->Count(), 0);
  EXPECT_EQ(G.ColorLegend(0)->Layer, nullptr);
  EXPECT_EQ(G.ColorLegend(0)->Name, QStringLiteral("ColorLegend"));
  EXPECT_EQ(G.Legend->Name, QStringLiteral("Legend"));
}

TEST(ColorLegend, BarOfPaletteBandsWithLevelLabels) {
  TLegendScene S;
  TGraph& G = *S.Graph;
  TTestLayer* L = S.Add(QStringLiteral("z"), clRed);
  G.Legend->Clear();
  TColorLegend& C = *G.ColorLegend(0);
  C.Layer = L;
  EXPECT_EQ(C.ItemCount(), 0);  // neither automatic levels nor a colour scale
  L->SetShaded(true);
  EXPECT_EQ(C.ItemCount(), 1);
  L->Name.clear();
  G.Paint();
  const int CH = G.CharHeight;
  EXPECT_EQ(C.BarWidth, CH * 8);
  EXPECT_LT(G.PlotRect.Right, C.Bounds.Left);
  const TRect Bar = C.BarRect();
  ASSERT_GT(Bar.Bottom - Bar.Top, 40);
  // The bar runs from ZMin at the top; each band has the palette colour of its start value.
  const double Step = 1.0 / (Bar.Bottom - Bar.Top);
  for (int P = 0; P + 4 < Bar.Bottom - Bar.Top; P += 8) {
    const TColor Want = PaletteColor(*L, C.ColorIndexOf(P * Step));
    const TColor Got = ColorFromRgb(S.At((Bar.Left + Bar.Right) / 2, Bar.Top + P + 2));
    EXPECT_EQ(Got, Want) << P;
  }
  EXPECT_NE(S.At((Bar.Left + Bar.Right) / 2, Bar.Top + 4),
            S.At((Bar.Left + Bar.Right) / 2, Bar.Bottom - 4));
  EXPECT_EQ(S.At(Bar.Left, (Bar.Top + Bar.Bottom) / 2), 0x000000u);  // outline
  // The level ticks reach out from the bar's right edge at the level's place.
  const int Gap =
      static_cast<int>(std::nearbyint(0.25 * G.Canvas->TextHeight(QStringLiteral("("))));
  ASSERT_GT(Gap, 0);
  EXPECT_EQ(S.At(Bar.Right, Bar.Top), 0x000000u);
  EXPECT_EQ(S.At(Bar.Right + Gap - 1, Bar.Bottom), 0x000000u);
  // Dropped near the bottom of the image: a horizontal bar along the bottom.
  const int X0 = (C.Bounds.Left + C.Bounds.Right) / 2, Y0 = (C.Bounds.Top + C.Bounds.Bottom) / 2;
  G.MouseDown(mbLeft, 0, X0, Y0);
  ASSERT_EQ(C.DragState, 1);
  G.MouseMove(0, 200, 290);
  EXPECT_EQ(C.FrameRect, C.HorzRect);
  G.MouseUp(mbLeft, 0, 200, 292);
  EXPECT_EQ(C.Style, lsBottom);
  EXPECT_FALSE(C.Vertical());
  EXPECT_GT(C.Bounds.Top, G.PlotRect.Bottom);
  const TRect H = C.BarRect();
  EXPECT_GT(H.Right - H.Left, 200);
  EXPECT_EQ(ColorFromRgb(S.At(H.Left + 3, (H.Top + H.Bottom) / 2)),
            PaletteColor(*L, C.ColorIndexOf(0)));
  // Near the left edge: docked at the left with the vertical bar.
  G.MouseDown(mbLeft, 0, (C.Bounds.Left + C.Bounds.Right) / 2,
              (C.Bounds.Top + C.Bounds.Bottom) / 2);
  G.MouseUp(mbLeft, 0, 2, 150);
  EXPECT_EQ(C.Style, lsLeft);
  EXPECT_TRUE(C.Vertical());
  EXPECT_LT(C.Bounds.Right, G.PlotRect.Left);
  // A flat range has no bar to fill and draws only the box.
  L->UseZMax = L->UseZMin = true;
  L->ZMax = L->ZMin = 0.5;
  G.Paint();
  EXPECT_EQ(C.ColorIndexOf(0.75), -1);  // above the layer's own maximum
}

TEST(Legend, VisibilityRepaintsWhenAskedAndALogScaleDocksTheInsideBox) {
  TLegendScene S;
  TGraph& G = *S.Graph;
  S.Add(QStringLiteral("a"), clRed);
  int Paints = 0;
  G.OnBeforeStartDraw = [&](TGraph*) { ++Paints; };
  G.Legend->SetVisible(false);
  EXPECT_EQ(Paints, 0);
  S.Owner.Repaints = true;
  G.Legend->SetVisible(false);  // no change, no paint
  EXPECT_EQ(Paints, 0);
  G.Legend->SetVisible(true);
  G.ColorLegend(2)->SetVisible(false);
  EXPECT_EQ(Paints, 2);
  G.Legend->Style = lsInside;
  G.YAxis->SetLog(true);
  EXPECT_EQ(G.Legend->Style, lsRight);
}

TEST(Legend, LeftColumnOnAPageKeepsThePageMargin) {
  // The same page printed flush left and with a 150-pixel margin.
  auto Print = [](int Left, TRect& Box, TRect& Plot) {
    TLegendScene S;
    S.Add(QStringLiteral("one"), clRed);
    S.Add(QStringLiteral("two"), clBlue);
    S.Graph->Legend->Style = lsLeft;
    QImage Page(1400, 900, QImage::Format_RGB32);
    TImageTarget Target(&Page);
    TCanvas Canvas(&Target);
    S.Graph->PrintTo(&Canvas, {Left, 100, Left + 1000, 850}, false);
    Box = S.Graph->Legend->Bounds;
    Plot = S.Graph->PlotRect;
  };
  TRect Box0, Plot0, Box1, Plot1;
  Print(0, Box0, Plot0);
  Print(150, Box1, Plot1);
  // The box starts from the margin, and the plot keeps the margin once more clear of the box.
  EXPECT_EQ(Box1.Left - Box0.Left, 150);
  EXPECT_EQ(Box1.Right - Box1.Left, Box0.Right - Box0.Left);
  EXPECT_EQ((Plot1.Left - Box1.Right) - (Plot0.Left - Box0.Right), 150);
  EXPECT_GE(Box1.Left, 150);
}

TEST(ColorLegend, DockedRightBesideTheSeriesLegendKeepsItsLabelsInsideTheImage) {
  // A window-sized graph on a wider picture: whatever it draws beyond its own width is lost.
  constexpr int W = 800, H = 400;
  QImage Image(W + 100, H, QImage::Format_RGB32);
  Image.fill(Qt::black);
  TImageTarget Target(&Image);
  TCanvas Canvas(&Target);
  TLegendOwner Owner;
  TGraph G(&Canvas, W, H, &Owner);
  G.XAxis2->SetVisible(false);
  G.YAxis2->SetVisible(false);
  auto Series = std::make_unique<TTestLayer>(&G);
  Series->Points = {{0, 0}, {10, 10}};
  Series->Name = QStringLiteral("sin(X/10)*cos(Y/10)");
  auto* S = static_cast<TTestLayer*>(G.AddLayer(std::move(Series)));
  auto E = std::make_unique<TLegend>(&G, S->Name);
  E->Layer = S;
  G.Legend->AddItem(std::move(E));
  G.Legend->Style = lsRight;
  S->SetShaded(true);
  S->UseZMin = S->UseZMax = true;
  S->ZMin = -100;
  S->ZMax = 100;
  TColorLegend& C = *G.ColorLegend(0);
  C.Layer = S;
  C.Style = lsRight;
  C.Color = clWhite;
  C.FrameColor = clBlue;
  C.ShadowColor = clRed;
  G.Paint();
  Target.Release();

  for (int Y = 0; Y < H; ++Y)
    for (int X = W; X < Image.width(); ++X)
      ASSERT_EQ(Image.pixel(X, Y) & 0xFFFFFF, 0u) << X << " " << Y;
  // The series legend, its shadow and the plot stay left of the colour legend's frame.
  const int FT = C.FrameThickness * G.CharHeight;
  EXPECT_LT(G.PlotRect.Right, C.Bounds.Left - FT);
  EXPECT_LE(G.Legend->Bounds.Right + 2 * FT, C.Bounds.Left - FT);
  // Label ink is grey; the frame is blue and the shadow red. Labels stand right of the bar and
  // left of the frame, and the frame with its shadow ends inside the image.
  auto Ink = [](QRgb P) { return qRed(P) == qGreen(P) && qGreen(P) == qBlue(P) && qRed(P) < 160; };
  const TRect Bar = C.BarRect();
  ASSERT_GT(Bar.Bottom - Bar.Top, 100);
  const int Shadow = C.Bounds.Right + FT + C.ShadowThickness * G.CharHeight;
  ASSERT_LT(Shadow, W);
  int Labels = 0;
  for (int Y = C.Bounds.Top; Y < C.Bounds.Bottom; ++Y) {
    for (int X = Bar.Right + 2; X < C.Bounds.Right; ++X) Labels += Ink(Image.pixel(X, Y));
    for (int X = C.Bounds.Right; X <= Shadow; ++X)
      ASSERT_FALSE(Ink(Image.pixel(X, Y))) << X << " " << Y;
  }
  EXPECT_GT(Labels, 100);
  EXPECT_EQ(Image.pixel(C.Bounds.Right, (C.Bounds.Top + C.Bounds.Bottom) / 2) & 0xFFFFFF,
            0x0000FFu);
}

// A long formula is cut with an ellipsis to a quarter of the image, so the plot keeps its room;
// the whole text shows in the hint over its entry, a megabyte's as far as a hint can hold.
TEST(Legend, LongEntriesAreCutAndTheirHintHoldsTheWhole) {
  QString Formula = QStringLiteral("X+0*(1");
  while (Formula.size() < 123) Formula += QStringLiteral("+1");
  Formula += u')';
  for (const qsizetype Size : {Formula.size(), qsizetype(1) << 20}) {
    SCOPED_TRACE(Size);
    TLegendScene S;
    TGraph& G = *S.Graph;
    const QString Long = Formula.leftJustified(Size, u'1');
    S.Add(QStringLiteral("short"), clBlue);
    S.Add(Long, clRed);
    G.Paint();
    TWLegend& L = *G.Legend;
    TLegend& E = *L.Item(1);
    const QString Shown = E.ShownText();
    EXPECT_TRUE(Shown.endsWith(QChar(0x2026)));
    EXPECT_TRUE(Long.startsWith(Shown.chopped(1)));
    TMeasure M(G);
    EXPECT_LE(M.Width(G, Shown) - M.Hyphens, 100);
    EXPECT_GT(M.Width(G, Shown + QStringLiteral("+1")) - M.Hyphens, 100);  // no shorter than fits
    EXPECT_EQ(L.Item(0)->ShownText(), QStringLiteral("short"));
    EXPECT_GT(G.PlotRect.Width(), 400 / 2);
    // Over the cut entry its text, over the whole one none; each change told once.
    const int XO = -G.CharHeight * L.ShadowThickness;
    G.MouseMove(0, E.X + XO + 5, E.Y + 2);
    G.MouseMove(0, E.X + XO + 6, E.Y + 2);
    G.MouseMove(0, L.Item(0)->X + XO + 5, L.Item(0)->Y + 2);
    G.MouseMove(0, E.X + XO + 5, E.Y + 2);
    G.MouseMove(0, -1, -1);
    const QString Whole = Long.size() > 500 ? Long.left(500) + QChar(0x2026) : Long;
    ASSERT_EQ(S.Owner.Hints.size(), 4);
    const QString Hint = S.Owner.Hints[0];
    EXPECT_EQ(S.Owner.Hints, (QStringList{Hint, QString(), Hint, QString()}));
    EXPECT_EQ(QString(Hint).remove(u'\n'), Whole);
    for (const QString& Line : Hint.split(u'\n')) EXPECT_LE(Line.size(), 80);
  }
}
