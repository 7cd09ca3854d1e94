// The series data model, its drawing by kind and its block of the graph text file.
#include <gtest/gtest.h>

#include <QPolygon>
#include <algorithm>

#include "platform/canvas.h"
#include "platform/canvas_targets.h"
#include "plot/core/graph.h"
#include "plot/core/graph_text_file.h"
#include "plot/layers/contour.h"
#include "plot/layers/matrix_series.h"
#include "plot/layers/series.h"

namespace {
struct TFixture {
  TRecordingTarget Target{400, 300};
  TCanvas Canvas{&Target};
  TGraph Graph{&Canvas, 400, 300};
  TFixture() {
    RegisterSeriesLayerClasses();
    Graph.PlotRect = {0, 0, 400, 300};
    Graph.XMin = 0, Graph.XMax = 100, Graph.YMin = 0, Graph.YMax = 100;
    Graph.ComputeMapping(Graph.PlotRect);
  }
  TSeries* Add(int Kind, std::initializer_list<TDoublePoint> Pts) {
    auto S = std::make_unique<TSeries>(&Graph, clRed, Kind, QStringLiteral("s"));
    for (auto& P : Pts) S->AddPoint(0, {}, P.X, P.Y);
    return static_cast<TSeries*>(Graph.AddLayer(std::move(S)));
  }
  std::vector<TCanvasOp> Ops(TCanvasOpKind K) const {
    std::vector<TCanvasOp> R;
    for (const auto& Op : Target.Ops())
      if (Op.Kind == K) R.push_back(Op);
    return R;
  }
};

void Extent(TSeries* S, double& X0, double& X1, double& Y0, double& Y1) {
  S->GetExtent(X0, X1, Y0, Y1);
}
}  // namespace

TEST(Series, PointsChainAndLookupsGuardTheirIndex) {
  TFixture F;
  TSeries* S = F.Add(3, {{1, 2}, {3, 4}, {5, 6}});
  TDoublePoint P;
  ASSERT_TRUE(S->GetPoint(0, P));
  EXPECT_EQ(P, (TDoublePoint{1, 2}));
  ASSERT_TRUE(S->GetPoint(99, P));
  EXPECT_EQ(P, (TDoublePoint{5, 6}));
  EXPECT_EQ(S->CurrentIndex, 99);
  EXPECT_FALSE(S->GetPoint(-1, P));
  EXPECT_EQ(S->PointAt(-5)->X, 1);
  EXPECT_EQ(S->PointAt(2)->StartX, 3);
  EXPECT_EQ(S->NearestPoint(3.2, 4.4), 1);

  // Deleting the first point makes the next one start at itself; a middle one joins neighbours.
  S->DeletePoint(1);
  EXPECT_EQ(S->PointAt(1)->StartX, 1);
  S->DeletePoint(0);
  EXPECT_EQ(S->PointAt(0)->StartX, 5);
  EXPECT_EQ(S->PointAt(0)->StartY, 6);
  S->DeletePoint(0);
  S->DeletePoint(-1);
  EXPECT_EQ(S->Count(), 0);
  EXPECT_EQ(S->PointAt(0), nullptr);
  EXPECT_FALSE(S->GetPoint(0, P));
  EXPECT_EQ(S->PointColor(0), 0u);
  EXPECT_EQ(S->NearestPoint(0, 0), -1);
  EXPECT_EQ(S->SnapX(1, 1), MissingValue);
}

TEST(Series, ExtentOfSinglePointsBarsAndSteps) {
  double X0, X1, Y0, Y1;
  {
    TFixture F;
    Extent(F.Add(1, {{0, 0}}), X0, X1, Y0, Y1);
    EXPECT_DOUBLE_EQ(X0, -0.1);
    EXPECT_DOUBLE_EQ(X1, 0.1);
    EXPECT_DOUBLE_EQ(Y0, -0.1);
    EXPECT_DOUBLE_EQ(Y1, 1.0);
  }
  {
    TFixture F;
    Extent(F.Add(1, {{5, 2}}), X0, X1, Y0, Y1);
    EXPECT_DOUBLE_EQ(X0, 4.5);
    EXPECT_DOUBLE_EQ(X1, 5.5);
    // A single negative value keeps its range in order.
    TFixture G;
    Extent(G.Add(1, {{-5, 2}}), X0, X1, Y0, Y1);
    EXPECT_LT(X0, X1);
  }
  {
    TFixture F;
    TSeries* S = F.Add(8, {{1, 2}, {2, 3}, {3, 2.5}});
    Extent(S, X0, X1, Y0, Y1);
    EXPECT_EQ(Y0, 0);
    EXPECT_EQ(Y1, 3);
    F.Graph.YAxis->Log = true;
    Extent(S, X0, X1, Y0, Y1);
    EXPECT_EQ(Y0, 2);
  }
  {
    TFixture F;
    TSeries* S = F.Add(6, {{0, 1}, {1, 2}, {2, 30}});
    S->AddPoint(0, {}, 3, NAN);  // never widens, never hangs
    Extent(S, X0, X1, Y0, Y1);
    EXPECT_EQ(X1, 3);
    EXPECT_EQ(Y1, 30);
    TSeries* E = F.Add(1, {});
    Extent(E, X0, X1, Y0, Y1);
    EXPECT_EQ(X0, 1e38);
  }
}

TEST(Series, ValueAtAndSnap) {
  TFixture F;
  F.Graph.XMax = 2;
  TSeries* S = F.Add(2, {{0, 0}, {1, 1}, {2, 0}});
  EXPECT_DOUBLE_EQ(S->ValueAt(1, 0.9), 1);
  EXPECT_DOUBLE_EQ(S->ValueAt(0.5, 0), 0.5);
  EXPECT_DOUBLE_EQ(S->ValueAt(2.05, 0), 0);
  EXPECT_EQ(S->ValueAt(2.5, 0), MissingValue);
  // Over a range of no width nothing is "near an end", and nothing divides by zero.
  F.Graph.XMin = F.Graph.XMax = 2;
  EXPECT_EQ(S->ValueAt(2.5, 0), MissingValue);
  // Steps answer the height of the step.
  TSeries* St = F.Add(6, {{0, 1}, {1, 2}, {2, 3}});
  EXPECT_DOUBLE_EQ(St->ValueAt(1.5, 2), 2);
  // A line snaps nowhere; markers snap to the nearest vertex.
  EXPECT_EQ(S->SnapX(0.4, 0), 0.4);
  TSeries* M = F.Add(4, {{0, 0}, {1, 1}, {2, 0}});
  EXPECT_EQ(M->SnapX(0.9, 0), 1);
}

TEST(Series, BarPixelWidthNeverDividesByZero) {
  TFixture F;
  TSeries* One = F.Add(8, {{1, 1}});
  EXPECT_EQ(One->SeriesBarPixelWidth(), 10);
  TSeries* Z = F.Add(10, {{1, 1}});
  EXPECT_EQ(Z->SeriesBarPixelWidth(), 10);
  TSeries* L = F.Add(2, {{1, 1}});
  EXPECT_EQ(L->SeriesBarPixelWidth(), 4);  // the marker size
  // Eleven points over 0..100 on 400 pixels: spacing 10 units = 40 pixels, 0.7 of half of it.
  TFixture G;
  TSeries* B = G.Add(8, {});
  for (int I = 0; I <= 10; ++I) B->AddPoint(0, {}, I * 10, 1);
  EXPECT_EQ(B->SeriesBarPixelWidth(), 14);
  B->SetOnXAxis2(true);
  G.Graph.XAxis2->Log = true;
  EXPECT_EQ(B->SeriesBarPixelWidth(), 10);
}

TEST(SeriesDraw, MarkersAreThinnedAndKeptInsideTheRanges) {
  auto MarkerOps = [](int N, int Step, std::vector<int>* Centres) {
    TFixture F;
    F.Graph.XMax = 100;
    F.Graph.ComputeMapping(F.Graph.PlotRect);
    TSeries* S = F.Add(1, {});
    S->SetMarkerStyle(1);
    for (int I = 0; I < N; ++I) S->AddPoint(0, {}, I, 50);
    S->MarkerStep = Step;
    F.Graph.CurrentLayer = S;
    S->Draw();
    size_t Count = F.Target.Ops().size();
    if (Centres)
      for (const auto& Op : F.Target.Ops()) {
        int Lo = 1 << 30, Hi = -(1 << 30);
        for (const TPoint& P : Op.Points) Lo = std::min(Lo, P.X), Hi = std::max(Hi, P.X);
        if (!Op.Points.empty())
          Centres->push_back(static_cast<int>(std::lround(F.Graph.PixelToX((Lo + Hi) / 2))));
      }
    return Count;
  };
  const size_t One = MarkerOps(1, 1, nullptr);
  ASSERT_GT(One, 0u);
  std::vector<int> C;
  EXPECT_EQ(MarkerOps(100, 20, &C), 6 * One);
  std::vector<int> Want;
  for (int X : {0, 20, 40, 60, 80, 99})
    for (size_t K = 0; K < One; ++K) Want.push_back(X);
  EXPECT_EQ(C, Want);
  EXPECT_EQ(MarkerOps(60, 20, nullptr), 60 * One);
  EXPECT_EQ(MarkerOps(10, 0, nullptr), 10 * One);  // step 0 counts as 1

  // A marker outside the ranges is left out while the line to it is drawn.
  TFixture F;
  TSeries* S = F.Add(3, {{10, 10}, {200, 10}});
  S->SetMarkerStyle(1);
  F.Graph.CurrentLayer = S;
  S->Draw();
  EXPECT_EQ(F.Target.Ops().size(), One + 2);  // the point line, the segment, one marker
}

TEST(SeriesDraw, LinesStepsArrowsVolumeAtComputedPixels) {
  TFixture F;
  TSeries* St = F.Add(6, {{0, 10}, {25, 20}, {50, 30}});
  St->SetLineWidth(3);
  F.Graph.CurrentLayer = St;
  St->Draw();
  auto L = F.Ops(coLine);
  // y = 10 on [0, 25], the rise at 25, y = 20 on [25, 50] and no rise at 50.
  ASSERT_EQ(L.size(), 3u);
  EXPECT_EQ(L[0].Points[0], (TPoint{0, 270}));
  EXPECT_EQ(L[0].Points[1], (TPoint{100, 270}));
  EXPECT_EQ(L[1].Points[1], (TPoint{100, 240}));
  EXPECT_EQ(L[2].Points[1], (TPoint{200, 240}));
  EXPECT_EQ(L[0].State.Pen.Width, 3);
  EXPECT_EQ(F.Canvas.Pen()->Width(), 1);
  St->DrawStep(2);  // past the last point: nothing
  St->DrawStep(-1);
  EXPECT_EQ(F.Ops(coLine).size(), 3u);

  TFixture A;
  TSeries* Ar = A.Add(5, {{50, 50}, {50, 50}, {75, 50}});
  A.Graph.CurrentLayer = Ar;
  Ar->Draw();
  ASSERT_EQ(A.Ops(coLine).size(), 1u);  // the point that starts where it ends draws nothing
  auto H = A.Ops(coPolygon);
  ASSERT_EQ(H.size(), 1u);
  EXPECT_EQ(H[0].Points[2], (TPoint{300, 150}));  // the tip at the end point
  EXPECT_EQ(H[0].Points[0], (TPoint{298, 150}));  // half the marker size back

  TFixture V;
  TSeries* Vo = V.Add(4, {{10, 50}, {20, 60}});
  Vo->ShowMarkers = false;
  V.Graph.YMin = -1, V.Graph.YMax = 2;
  V.Graph.YAxis->Log = true;
  V.Graph.ComputeMapping(V.Graph.PlotRect);
  V.Graph.CurrentLayer = Vo;
  Vo->Draw();
  auto D = V.Ops(coLine);
  ASSERT_EQ(D.size(), 2u);
  EXPECT_EQ(D[0].Points[1].Y, V.Graph.YToPixel(1));  // down to 1 on a log axis
}

TEST(SeriesDraw, AreaFillsDownToTheBottom) {
  QImage Img(400, 300, QImage::Format_RGB32);
  Img.fill(Qt::white);
  TImageTarget T(&Img);
  TCanvas C(&T);
  TGraph G(&C, 400, 300);
  G.PlotRect = {0, 0, 400, 300};
  G.XMin = 0, G.XMax = 100, G.YMin = 0, G.YMax = 100;
  G.ComputeMapping(G.PlotRect);
  auto S = std::make_unique<TSeries>(&G, clBlue, 7, QStringLiteral("a"));
  S->AddPoint(0, {}, 0, 50);
  S->AddPoint(0, {}, 50, 50);
  TSeries* A = static_cast<TSeries*>(G.AddLayer(std::move(S)));
  G.CurrentLayer = A;
  A->Draw();
  T.Release();
  const QRgb Dark = qRgb(0, 0, 255 - 32);
  EXPECT_EQ(Img.pixel(100, 250), Dark);
  EXPECT_EQ(Img.pixel(100, 100), qRgb(255, 255, 255));
  EXPECT_EQ(Img.pixel(300, 250), qRgb(255, 255, 255));
}

TEST(SeriesFile, RoundTripGivesIdenticalBytes) {
  TFixture F;
  TSeries* S = F.Add(3, {{1, 2}, {3, 4}});
  S->Name = QStringLiteral("f(x)\nsecond");
  S->Comment = QStringLiteral(" a comment\r\nwith breaks");
  S->PointAt(1)->Name = QStringLiteral("p\n1");
  S->PointAt(0)->Marker.reset();
  S->PointColors = true;
  S->CanDelete = true;
  S->SetHasLegend(true);
  S->FBarWidth = 0.7;
  QByteArray A = F.Graph.SaveToText();
  EXPECT_TRUE(A.contains("TSeries\n0 1 4 \n"));
  EXPECT_TRUE(A.contains(" 7.00000000000000E-0001 1  a comment  with breaks\n"));
  TFixture G;
  QString Err;
  ASSERT_TRUE(G.Graph.LoadFromText(A, &Err)) << Err.toStdString();
  ASSERT_EQ(G.Graph.LayerCount(), 1);
  auto* L = dynamic_cast<TSeries*>(G.Graph.GetLayer(0));
  ASSERT_NE(L, nullptr);
  EXPECT_EQ(L->Count(), 2);
  EXPECT_EQ(L->Name, QStringLiteral("f(x) second"));
  EXPECT_EQ(L->Comment, QStringLiteral(" a comment  with breaks"));
  EXPECT_FALSE(L->PointAt(0)->Marker.has_value());
  EXPECT_TRUE(L->PointAt(1)->Marker.has_value());
  EXPECT_EQ(L->PointAt(1)->Name, QStringLiteral("p 1"));
  ASSERT_NE(L->Legend(), nullptr);
  EXPECT_EQ(L->Legend()->Text, L->Name);
  EXPECT_TRUE(L->PointColors);
  // The comment keeps its one leading blank however often it is saved.
  QByteArray B = G.Graph.SaveToText();
  EXPECT_EQ(A, B);
  TFixture H;
  ASSERT_TRUE(H.Graph.LoadFromText(B));
  EXPECT_EQ(H.Graph.SaveToText(), B);
}

TEST(SeriesFile, HostileBlocksAreReportedAndAddNothing) {
  TFixture F;
  TSeries* S = F.Add(3, {{1, 2}, {3, 4}});
  S->SetHasLegend(true);
  const QByteArray Good = F.Graph.SaveToText();
  auto Load = [](QByteArray Data, QString& Err) {
    TFixture G;
    bool Ok = G.Graph.LoadFromText(Data, &Err);
    EXPECT_EQ(Ok, G.Graph.LayerCount() == 1);
    return Ok;
  };
  QString Err;
  EXPECT_TRUE(Load(Good, Err));
  QByteArray Huge = Good;
  Huge.replace(" 2 3 0 ", " 2000000000 3 0 ");
  ASSERT_NE(Huge, Good);
  EXPECT_FALSE(Load(Huge, Err));
  QByteArray Neg = Good;
  Neg.replace(" 2 3 0 ", " -7 3 0 ");
  EXPECT_FALSE(Load(Neg, Err));
  QByteArray BadPoint = Good;
  BadPoint.replace("TGraphData\n1 ", "TGraphDatum\n1 ");
  EXPECT_FALSE(Load(BadPoint, Err));
  EXPECT_TRUE(Err.contains(QStringLiteral("TGraphData"))) << Err.toStdString();
  QByteArray BadKind = Good;
  BadKind.replace(" 2 3 0 ", " 2 77 0 ");
  EXPECT_FALSE(Load(BadKind, Err));
  for (int Cut = 1; Cut < Good.size(); Cut += 7) EXPECT_FALSE(Load(Good.left(Cut), Err));

  // Only the series classes have a file block; any other class, registered for something else or
  // the bare layer, would load as an empty layer and is refused.
  RegisterMatrixSeriesLayerClasses();
  RegisterContourLayerClasses();
  for (const char* Class : {"TContour", "TLayer", "TGraphPicture", "tseries"}) {
    QByteArray Other = Good;
    Other.replace("1\nTSeries\nTSeries\n", QByteArray("1\n") + Class + "\nTSeries\n");
    ASSERT_NE(Other, Good);
    EXPECT_FALSE(Load(Other, Err)) << Class;
    EXPECT_EQ(Err, QStringLiteral("Invalid Class Name at line 2"));
  }
  EXPECT_TRUE(GetLayerClass(QStringLiteral("TMatrixSeries")));

  // A marker style beyond what the file holds is refused; the largest one loads.
  const QByteArray Shifts = "TSeries\n0 1 4 \n";
  const qsizetype At = Good.indexOf(Shifts) + Shifts.size();
  ASSERT_GT(At, Shifts.size());
  auto WithStyle = [&](const QByteArray& V) {
    return Good.left(At) + V + Good.mid(Good.indexOf(' ', At));
  };
  EXPECT_FALSE(Load(WithStyle("2147483647"), Err));
  EXPECT_FALSE(Load(WithStyle("-1"), Err));
  EXPECT_TRUE(Load(WithStyle("255"), Err)) << Err.toStdString();
}

TEST(SeriesLegend, EntryFollowsTheSeriesAndDrawsItsKind) {
  TFixture F;
  TSeries* S = F.Add(6, {{0, 0}});
  S->SetHasLegend(true);
  S->SetLineWidth(3);
  S->SetMarkerStyle(7);
  S->SetColor(clBlue);
  S->SetVisible(false);
  TSeriesLegend* E = S->Legend();
  ASSERT_NE(E, nullptr);
  EXPECT_EQ(E->LineWidth, 3);
  EXPECT_EQ(E->Marker.Style, 7);
  EXPECT_EQ(E->Color, clBlue);
  EXPECT_EQ(E->Kind, 6);
  EXPECT_FALSE(E->Visible);
  EXPECT_EQ(S->PointAt(0)->Marker->FillColor, clBlue);  // the fill follows the colour

  E->DrawSample(&F.Canvas, 10, 20);
  auto L = F.Ops(coLine);
  ASSERT_EQ(L.size(), 4u);  // two rises, two treads
  const int Wd = F.Canvas.TextWidth(QStringLiteral("-----------"));
  EXPECT_EQ(L[3].Points[1], (TPoint{10 + 3 * Wd / 4, 20}));
  EXPECT_EQ(L[0].State.Pen.Width, 3);
  EXPECT_EQ(F.Canvas.Pen()->Width(), 1);
}

TEST(SeriesDraw, PixelsOnAnImageAndHostileValuesOfEveryKind) {
  QImage Img(400, 300, QImage::Format_RGB32);
  Img.fill(Qt::white);
  {
    TImageTarget T(&Img);
    TCanvas C(&T);
    TGraph G(&C, 400, 300);
    G.PlotRect = {0, 0, 400, 300};
    G.XMin = 0, G.XMax = 100, G.YMin = 0, G.YMax = 100;
    G.ComputeMapping(G.PlotRect);
    auto* L = static_cast<TSeries*>(
        G.AddLayer(std::make_unique<TSeries>(&G, clRed, 2, QStringLiteral("l"))));
    L->AddPoint(0, {}, 0, 50);
    L->AddPoint(0, {}, 100, 50);
    auto* V = static_cast<TSeries*>(
        G.AddLayer(std::make_unique<TSeries>(&G, clBlue, 4, QStringLiteral("v"))));
    V->ShowMarkers = false;
    V->AddPoint(0, {}, 25, 25);
    V->AddPoint(0, {}, 75, 25);
    for (TSeries* S : {L, V}) {
      G.CurrentLayer = S;
      S->Draw();
    }
    T.Release();
  }
  EXPECT_EQ(Img.pixel(200, 150), qRgb(255, 0, 0));      // the line at y = 50
  EXPECT_EQ(Img.pixel(100, 260), qRgb(0, 0, 255));      // the drop at x = 25, below y = 25
  EXPECT_EQ(Img.pixel(300, 260), qRgb(255, 255, 255));  // none at the last vertex
  EXPECT_EQ(Img.pixel(150, 260), qRgb(255, 255, 255));

  // Non-finite and huge values never reach an integer pixel, whatever the kind.
  for (int Kind : {1, 2, 3, 4, 5, 6, 7, 8, 10}) {
    TFixture F;
    F.Graph.Depth3D = Kind % 2 ? 10 : 0;
    TSeries* S = F.Add(Kind, {{NAN, 1}, {1, INFINITY}, {-INFINITY, NAN}, {1e300, -1e300}, {2, 3}});
    F.Graph.CurrentLayer = S;
    S->Draw();
    F.Graph.BarStyle = Kind == 8 ? bsStacked : bsClustered;
    F.Graph.DrawBarGroup();
    S->BarPolygon(3);
    double A, B, C, D;
    S->GetExtent(A, B, C, D);
    EXPECT_TRUE(std::isfinite(A) && std::isfinite(B) && std::isfinite(C) && std::isfinite(D));
    S->ValueAt(1, 0);
    S->SnapX(1, 0);
  }
}

TEST(Series, DeleteSelfLeavesTheGraph) {
  TFixture F;
  TSeries* A = F.Add(2, {{0, 0}, {1, 1}});
  TSeries* B = F.Add(2, {{0, 1}, {1, 0}});
  TLayer* Seen = nullptr;
  F.Graph.OnDeleteSeries = [&](TLayer* L) { Seen = L; };
  A->DeleteSelf();
  EXPECT_EQ(Seen, A);
  ASSERT_EQ(F.Graph.LayerCount(), 1);
  EXPECT_EQ(F.Graph.GetLayer(0), B);
  TSeries Loose(&F.Graph, clRed, 2, QStringLiteral("loose"));
  Loose.DeleteSelf();  // not in the graph: left alone
  EXPECT_EQ(F.Graph.LayerCount(), 1);
}

TEST(SeriesDraw, InDepthTheMarkersSitOnTheirRibbon) {
  // Two series in a graph 20 pixels deep: the back one's ribbon and marker move 10 right and up.
  TFixture F;
  F.Graph.View3D = 0.05;
  F.Graph.Depth3D = 20;
  TSeries* Back = F.Add(3, {{20, 20}, {60, 60}});
  F.Add(3, {{20, 80}, {60, 80}});
  Back->SetMarkerStyle(1);
  F.Graph.CurrentLayer = Back;
  Back->Draw();
  const auto Shapes = F.Ops(coPolygon);
  const TPoint At{F.Graph.XToPixel(60) + 10, F.Graph.YToPixel(60) - 10};
  EXPECT_EQ(Shapes[0].Points[0], (TPoint{F.Graph.XToPixel(20) + 10, F.Graph.YToPixel(20) - 10}));
  EXPECT_TRUE(std::any_of(Shapes.begin(), Shapes.end(), [&](const TCanvasOp& Op) {
    QPolygon Poly;
    for (const TPoint& P : Op.Points) Poly << QPoint(P.X, P.Y);
    return Poly.boundingRect().center() == QPoint(At.X, At.Y);
  }));
}
