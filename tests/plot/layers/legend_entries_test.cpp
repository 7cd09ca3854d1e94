// The layers' entries in the graph's legend: owned by the legend and dropped with their layer,
// their samples drawn at the places the layout gave, and the colour legend of a contour layer.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <memory>

#include "platform/canvas.h"
#include "platform/canvas_targets.h"
#include "plot/core/graph.h"
#include "plot/layers/contour.h"
#include "plot/layers/contour_legend.h"
#include "plot/layers/matrix_series.h"
#include "plot/layers/series.h"

using GraphMatrix::TMatrix;
using GraphMatrix::TVector;

namespace {
struct TImageScene {
  QImage Image{400, 300, QImage::Format_RGB32};
  std::unique_ptr<TImageTarget> Target;
  std::unique_ptr<TCanvas> Canvas;
  std::unique_ptr<TGraph> Graph;
  TImageScene() {
    Image.fill(Qt::black);
    Target = std::make_unique<TImageTarget>(&Image);
    Canvas = std::make_unique<TCanvas>(Target.get());
    Graph = std::make_unique<TGraph>(Canvas.get(), 400, 300);
    Graph->XAxis2->SetVisible(false);
    Graph->YAxis2->SetVisible(false);
  }
  TSeries* Add(int Kind, TColor C, const QString& Name) {
    auto S = std::make_unique<TSeries>(Graph.get(), C, Kind, Name);
    S->AddPoint(0, {}, 0, 0);
    S->AddPoint(0, {}, 10, 10);
    auto* P = static_cast<TSeries*>(Graph->AddLayer(std::move(S)));
    P->SetHasLegend(true);
    return P;
  }
  TColor At(int X, int Y) {
    Target->Release();
    return FromQColor(QColor(Image.pixel(X, Y)));
  }
};

struct TRecorded {
  TRecordingTarget Target{400, 300};
  TCanvas Canvas{&Target};
  TGraph Graph{&Canvas, 400, 300};
};
}  // namespace

TEST(LegendEntries, TheLegendOwnsThemAndTheirSeriesTakesThemAlong) {
  TImageScene S;
  TGraph& G = *S.Graph;
  TSeries* A = S.Add(2, clRed, QStringLiteral("a"));
  TSeries* B = S.Add(1, clBlue, QStringLiteral("b"));
  ASSERT_EQ(G.Legend->Count(), 2);
  EXPECT_EQ(A->Legend(), G.Legend->Item(0));
  EXPECT_EQ(G.Legend->IndexOfLayer(B), 1);
  B->SetColor(clGreen);
  EXPECT_EQ(B->Legend()->Color, clGreen);
  // Removed from the legend, the entry is gone for its series too; setters touch nothing.
  G.Legend->DeleteItem(0);
  EXPECT_EQ(A->Legend(), nullptr);
  A->SetLineWidth(3);
  A->SetVisible(false);
  EXPECT_TRUE(G.SaveToText().contains(" 0 0 1 1\n"));  // NoLegend, then InfoEnabled
  A->SetVisible(true);
  A->SetHasLegend(true);
  EXPECT_EQ(A->Legend()->LineWidth, 3);
  EXPECT_EQ(G.Legend->Count(), 2);
  // A deleted series takes its entry along, and a hidden one is left out of the layout.
  G.DeleteLayer(G.IndexOfLayer(B)).reset();
  EXPECT_EQ(G.Legend->Count(), 1);
  EXPECT_EQ(G.Legend->Item(0)->Layer, A);
  A->SetHasLegend(false);
  EXPECT_EQ(G.Legend->Count(), 0);
}

TEST(LegendEntries, SamplesAreDrawnWhereTheLayoutPutThem) {
  TImageScene S;
  TGraph& G = *S.Graph;
  TSeries* Line = S.Add(2, clRed, QStringLiteral("line"));
  TSeries* Dots = S.Add(1, clBlue, QStringLiteral("dots"));
  Dots->SetMarkerStyle(1);  // a filled square
  G.Legend->Style = lsTop;  // no shift of the box
  G.Paint();
  G.Canvas->Font()->SetName(QStringLiteral("Arial"));
  G.Canvas->Font()->SetSize(8);
  const int Wd = G.Canvas->TextWidth(QStringLiteral("-----------"));
  const int H = G.Canvas->TextHeight(QStringLiteral("()"));
  const TLegend& E = *Line->Legend();
  const int Mid = E.Y + H / 8 + H / 2;
  // The line runs over the middle half of the sample room, on the text's middle line.
  for (int X = E.X + Wd / 4; X < E.X + 3 * Wd / 4; X += 3) EXPECT_EQ(S.At(X, Mid), clRed) << X;
  EXPECT_NE(S.At(E.X + Wd / 4 - 2, Mid), clRed);
  EXPECT_NE(S.At(E.X + 3 * Wd / 4 + 2, Mid), clRed);
  // The marker sits in the middle of its entry's room.
  const TLegend& D = *Dots->Legend();
  int Ink = 0;
  for (int DY = -4; DY <= 4; ++DY)
    for (int DX = -4; DX <= 4; ++DX)
      Ink += S.At(D.X + Wd / 2 + DX, D.Y + H / 8 + H / 2 + DY) != clWhite;
  EXPECT_GT(Ink, 4);
  Ink = 0;
  for (int DY = -4; DY <= 4; ++DY)
    for (int DX = -4; DX <= 4; ++DX)
      Ink += S.At(D.X + Wd / 8 + DX, D.Y + H / 8 + H / 2 + DY) != clWhite;
  EXPECT_EQ(Ink, 0);    // markers only: no line
  EXPECT_GT(D.X, E.X);  // the second entry beside the first in the row
  // Hidden with its series.
  Line->SetVisible(false);
  G.Paint();
  EXPECT_FALSE(E.GetVisible());
  EXPECT_EQ(G.Legend->Item(1)->X, G.Legend->Bounds.Left);
}

TEST(LegendEntries, MatrixSeriesListsTwoUnlessShaded) {
  TRecorded R;
  auto M = std::make_unique<TMatrixSeries>(&R.Graph, 2, 2);
  TMatrixSeries* S = M.get();
  R.Graph.AddLayer(std::move(M));
  ASSERT_EQ(R.Graph.Legend->Count(), 2);
  EXPECT_EQ(R.Graph.Legend->Item(0), S->PositiveLegend());
  EXPECT_EQ(R.Graph.Legend->IndexOfLayer(S), 0);
  S->SetShaded(true);
  EXPECT_EQ(R.Graph.Legend->Count(), 0);
  S->SetShaded(false);
  EXPECT_EQ(R.Graph.Legend->Count(), 2);
  R.Graph.Clear();
  EXPECT_EQ(R.Graph.Legend->Count(), 0);
}

TEST(LegendEntries, ContourEntryRingsAndTheColourLegendOfTheLayer) {
  TRecorded R;
  TGraph& G = R.Graph;
  TVector X(11), Y(11);
  TMatrix Z(11, 11);
  for (int I = 1; I <= 11; ++I) X.SetValue(I, I - 6.0), Y.SetValue(I, I - 6.0);
  for (int I = 1; I <= 11; ++I)
    for (int J = 1; J <= 11; ++J)
      Z.SetValue(I, J, (X.GetValue(I) * X.GetValue(I) + Y.GetValue(J) * Y.GetValue(J)) / 50);
  auto* C =
      static_cast<TContour*>(G.AddLayer(std::make_unique<TContour>(&G, X, Y, Z, 5, false, false)));
  C->Name = QStringLiteral("f(x,y)");
  C->SetColor(clGreen);
  TLegend* E = G.Legend->AddItem(TContourLegend::ForLayer(*C));
  auto* CE = static_cast<TContourLegend*>(E);
  EXPECT_EQ(E->Text, QStringLiteral("f(x,y)"));
  EXPECT_EQ(E->Layer, C);
  // All in the layer colour while the lines share it; else the lowest, middle and highest line.
  EXPECT_EQ(CE->RingColors(), (std::array<TColor, 3>{clGreen, clGreen, clGreen}));
  C->OneColor = false;
  C->MakeLevels();
  ASSERT_GE(C->Lines().size(), 3u);
  const auto Rings = CE->RingColors();
  double Lo = 1e9, Hi = -1e9;
  for (int I = 0; I < static_cast<int>(C->Lines().size()); ++I) {
    const double L = C->Lines()[I].Level;
    Lo = std::min(Lo, L);
    Hi = std::max(Hi, L);
  }
  for (int I = 0; I < static_cast<int>(C->Lines().size()); ++I) {
    if (C->Lines()[I].Level == Lo) {
      EXPECT_EQ(Rings[0], C->LineColor(I));
    }
    if (C->Lines()[I].Level == Hi) {
      EXPECT_EQ(Rings[2], C->LineColor(I));
    }
  }
  EXPECT_NE(Rings[0], Rings[2]);

  // The colour legend shows the layer's scale with its own decimals.
  C->SetAutoLevels(true);
  G.ColorLegend(0)->Layer = C;
  C->LabelDigits = 1;
  G.Paint();
  QStringList Texts;
  std::vector<TCanvasOp> Rings3;
  for (const auto& Op : R.Target.Ops()) {
    if (Op.Kind == coText) Texts << Op.Text;
    if (Op.Kind == coEllipse) Rings3.push_back(Op);
  }
  EXPECT_TRUE(Texts.contains(QStringLiteral("f(x,y)")));
  const double Top = C->GetZMax();
  EXPECT_TRUE(Texts.contains(FloatToText(1, 1, Top))) << Texts.join(u'|').toStdString();
  EXPECT_FALSE(Texts.contains(FloatToText(3, 1, Top / 7)));
  EXPECT_TRUE(Texts.contains(FloatToText(1, 1, Top / 7)));
  // The entry's sample: three nested rings round the middle of its sample room.
  ASSERT_EQ(Rings3.size(), 3u);
  for (int K = 0; K < 3; ++K) EXPECT_EQ(Rings3[K].State.Pen.Color, Rings[K]);
  EXPECT_GT(Rings3[0].Rect.Width(), Rings3[1].Rect.Width());
  EXPECT_GT(Rings3[1].Rect.Width(), Rings3[2].Rect.Width());
  EXPECT_EQ((Rings3[0].Rect.Left + Rings3[0].Rect.Right) / 2,
            (Rings3[2].Rect.Left + Rings3[2].Rect.Right) / 2);
  // Gone with its layer.
  G.DeleteLayer(G.IndexOfLayer(C)).reset();
  EXPECT_EQ(G.Legend->Count(), 0);
  EXPECT_EQ(G.ColorLegend(0)->Layer, nullptr);
}

TEST(LegendEntries, TheColourLegendsEndLabelsKeepOffItsFrame) {
  TVector X(11), Y(11);
  TMatrix Z(11, 11);
  for (int I = 1; I <= 11; ++I) X.SetValue(I, I - 6.0), Y.SetValue(I, I - 6.0);
  for (int I = 1; I <= 11; ++I)
    for (int J = 1; J <= 11; ++J) Z.SetValue(I, J, 20 * (I - 6.0) * (J - 6.0));
  for (const TLegendStyle Style : {lsRight, lsBottom})
    for (const QString& Name : {QString(), QStringLiteral("f(x,y)")}) {
      TRecorded R;
      auto* C = static_cast<TContour*>(
          R.Graph.AddLayer(std::make_unique<TContour>(&R.Graph, X, Y, Z, 5, false, false)));
      C->Name = Name;
      C->SetAutoLevels(true);
      TColorLegend& L = *R.Graph.ColorLegend(0);
      L.Layer = C;
      L.Style = Style;
      R.Graph.Paint();
      // Each label inside the legend, centred on its level, reaches half its width along the bar.
      const bool V = Style == lsRight;
      const TRect B = L.Bounds;
      int Labels = 0;
      for (const TCanvasOp& Op : R.Target.Ops()) {
        const TPoint P = Op.Kind == coText ? Op.Points[0] : TPoint{-1, -1};
        if (Op.Text == Name || P.X < B.Left || P.X > B.Right || P.Y < B.Top || P.Y > B.Bottom)
          continue;
        ++Labels;
        R.Canvas.Font()->SetData(Op.State.Font);
        const int Half = (R.Canvas.TextWidth(Op.Text) + 1) / 2, At = V ? P.Y : P.X;
        EXPECT_GT(At - Half, (V ? B.Top : B.Left) + 1) << Op.Text.toStdString() << " " << Style;
        EXPECT_LT(At + Half, (V ? B.Bottom : B.Right) - 1) << Op.Text.toStdString() << " " << Style;
      }
      EXPECT_EQ(Labels, 8) << Style;
    }
}
