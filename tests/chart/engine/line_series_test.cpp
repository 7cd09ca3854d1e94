// Line, point, area and fast-line series: pixels where the axes put the points, gaps at null
// points, pointer shapes, stacked areas, clicks and the registry.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

#include "chart/engine/bar_series.h"
#include "chart/engine/chart.h"
#include "chart/engine/chart_exceptions.h"
#include "chart/engine/chart_registry.h"
#include "chart/engine/custom_series.h"
#include "chart/engine/series_gallery.h"
#include "chart/engine/series_types.h"
#include "platform/canvas_targets.h"

namespace {

TColor PixelAt(TChart& C, int X, int Y) {
  return FromQColor(C.Backing()->Image().pixelColor(X, Y));
}

// A flat chart without legend or bevel, so that the plot holds only walls and series.
struct TPlainChart {
  TChart Chart;
  explicit TPlainChart(bool Is3D = false) {
    Chart.SetView3D(Is3D);
    Chart.SetBevelOuter(bvNone);
    Chart.Legend()->SetVisible(false);
    Chart.SetAxisVisible(false);
  }
  void Add(TChartSeries& S, TColor Color) {
    S.SetSeriesColor(Color);
    S.Marks()->SetVisible(false);
    S.SetParentChart(&Chart);
  }
  TColor At(int X, int Y) { return PixelAt(Chart, X, Y); }
  TColor At(TPoint P) { return At(P.X, P.Y); }
};

TPoint Mid(TPoint A, TPoint B) { return {(A.X + B.X) / 2, (A.Y + B.Y) / 2}; }

TPoint PointOf(const TCustomSeries& S, int I) { return {S.CalcXPos(I), S.CalcYPos(I)}; }

}  // namespace

TEST(LineSeries, DrawsThroughItsPointsAndBreaksAtNullPoints) {
  TPlainChart P;
  TLineSeries S;
  S.LinePen()->SetWidth(3);
  for (double Y : {10.0, 60.0, 20.0}) S.AddY(Y);
  S.AddNullXY(3, 40);
  S.AddXY(4, 90);
  S.AddXY(5, 30);
  P.Add(S, clRed);
  // Fixed ranges keep every point off the plot's edges.
  P.Chart.LeftAxis()->SetMinMax(0, 100);
  P.Chart.BottomAxis()->SetMinMax(-1, 6);
  P.Chart.Repaint();
  EXPECT_EQ(P.At(Mid(PointOf(S, 0), PointOf(S, 1))), clRed);
  EXPECT_EQ(P.At(Mid(PointOf(S, 1), PointOf(S, 2))), clRed);
  EXPECT_EQ(P.At(Mid(PointOf(S, 4), PointOf(S, 5))), clRed);
  // Neither the segment into the null point nor the one out of it.
  EXPECT_NE(P.At(Mid(PointOf(S, 2), PointOf(S, 3))), clRed);
  EXPECT_NE(P.At(Mid(PointOf(S, 3), PointOf(S, 4))), clRed);
  // The points lie where the axes put them.
  EXPECT_EQ(S.CalcXPos(1), P.Chart.BottomAxis()->CalcPosValue(1));
  EXPECT_EQ(S.CalcYPos(1), P.Chart.LeftAxis()->CalcPosValue(60));

  // Stairs: horizontal at the old height, then up at the new X.
  S.SetStairs(true);
  P.Chart.Repaint();
  const TPoint A = PointOf(S, 0), B = PointOf(S, 1);
  EXPECT_EQ(P.At((A.X + B.X) / 2, A.Y), clRed);
  EXPECT_EQ(P.At(B.X, (A.Y + B.Y) / 2), clRed);
  EXPECT_NE(P.At(Mid(A, B)), clRed);
  S.SetInvertedStairs(true);
  P.Chart.Repaint();
  EXPECT_EQ(P.At(A.X, (A.Y + B.Y) / 2), clRed);
  EXPECT_EQ(P.At((A.X + B.X) / 2, B.Y), clRed);
}

TEST(LineSeries, NonFiniteValuesAndFarPixelsAreNotDrawn) {
  TPlainChart P;
  TLineSeries S;
  S.LinePen()->SetWidth(3);
  S.AddXY(0, 10);
  S.AddXY(1, std::numeric_limits<double>::quiet_NaN());
  S.AddXY(2, std::numeric_limits<double>::infinity());
  S.AddXY(3, 50);
  S.AddXY(4, 20);
  P.Add(S, clRed);
  P.Chart.Repaint();
  // The range ignores them; the line starts again after them.
  EXPECT_EQ(P.Chart.LeftAxis()->IMaximum(), 50);
  EXPECT_EQ(P.At(Mid(PointOf(S, 3), PointOf(S, 4))), clRed);
  EXPECT_NE(P.At(Mid(PointOf(S, 0), PointOf(S, 3))), clRed);
  // A point far off the canvas draws nothing, and a huge value never overflows a pixel.
  S.AddXY(5, 1e300);
  P.Chart.LeftAxis()->SetMinMax(0, 100);
  P.Chart.Repaint();
  EXPECT_EQ(P.At(Mid(PointOf(S, 3), PointOf(S, 4))), clRed);
}

TEST(LineSeries, ClicksAnswerPointsAndSegments) {
  TPlainChart P;
  TLineSeries S;
  for (double Y : {10.0, 60.0, 20.0}) S.AddY(Y);
  P.Add(S, clRed);
  P.Chart.Repaint();
  EXPECT_EQ(S.Clicked(S.CalcXPos(1), S.CalcYPos(1)), 1);
  EXPECT_EQ(S.Clicked(S.CalcXPos(2), S.CalcYPos(2)), 2);
  const TPoint M = Mid(PointOf(S, 1), PointOf(S, 2));
  EXPECT_EQ(S.Clicked(M.X, M.Y), 1);
  EXPECT_EQ(S.Clicked(M.X, M.Y - 40), -1);

  TPointSeries Pt;
  Pt.AddXY(0.5, 30);
  P.Add(Pt, clBlue);
  P.Chart.Repaint();
  int Clicked = -1;
  Pt.OnClickPointer = [&](TCustomSeries*, int I, int, int) { Clicked = I; };
  // Strictly inside the pointer's half sizes.
  EXPECT_EQ(Pt.Clicked(Pt.CalcXPos(0) + 3, Pt.CalcYPos(0) - 3), 0);
  EXPECT_EQ(Clicked, 0);
  EXPECT_EQ(Pt.Clicked(Pt.CalcXPos(0) + 4, Pt.CalcYPos(0)), -1);
}

TEST(PointSeries, PointerShapesIn2DAnd3D) {
  TPlainChart P;
  TPointSeries S;
  S.AddXY(0, 0);
  S.AddXY(10, 100);
  S.AddXY(5, 50);
  P.Add(S, clRed);
  S.Pointer()->SetHorizSize(6);
  S.Pointer()->SetVertSize(6);
  S.Pointer()->Pen()->SetVisible(false);
  P.Chart.Repaint();
  const TPoint C = PointOf(S, 1);
  EXPECT_EQ(P.At(C), clRed);
  EXPECT_EQ(P.At(C.X + 5, C.Y + 5), clRed);  // the rectangle's corner
  S.Pointer()->SetStyle(psCircle);
  P.Chart.Repaint();
  EXPECT_EQ(P.At(C), clRed);
  EXPECT_NE(P.At(C.X + 5, C.Y + 5), clRed);  // outside the circle
  S.Pointer()->SetStyle(psTriangle);
  P.Chart.Repaint();
  EXPECT_EQ(P.At(C.X, C.Y + 4), clRed);
  EXPECT_NE(P.At(C.X - 5, C.Y - 4), clRed);
  S.Pointer()->SetStyle(psDownTriangle);
  P.Chart.Repaint();
  EXPECT_EQ(P.At(C.X, C.Y - 4), clRed);
  EXPECT_NE(P.At(C.X - 5, C.Y + 4), clRed);
  // The crosses are lines of the pointer's pen in the point's colour.
  S.Pointer()->Pen()->SetVisible(true);
  S.Pointer()->SetStyle(psCross);
  P.Chart.Repaint();
  EXPECT_EQ(P.At(C.X, C.Y - 5), clRed);
  EXPECT_NE(P.At(C.X + 3, C.Y - 3), clRed);
  S.Pointer()->SetStyle(psDiagCross);
  P.Chart.Repaint();
  EXPECT_EQ(P.At(C.X + 3, C.Y + 3), clRed);
  EXPECT_NE(P.At(C.X, C.Y - 5), clRed);
  S.Pointer()->SetStyle(psDiamond);
  P.Chart.Repaint();
  EXPECT_EQ(P.At(C.X + 4, C.Y), clRed);
  EXPECT_NE(P.At(C.X + 5, C.Y + 5), clRed);

  EXPECT_THROW(S.Pointer()->SetHorizSize(0), ChartException);
  try {
    S.Pointer()->SetVertSize(-1);
  } catch (const ChartException& E) {
    EXPECT_STREQ(E.what(), "Pointer size must be greater than zero");
  }
  EXPECT_EQ(S.Pointer()->VertSize(), 6);

  // In 3D the rectangle becomes a cube with darker faces behind; without Draw3D a flat square.
  TPlainChart P3(true);
  TPointSeries S3;
  S3.AddXY(0, 0);
  S3.AddXY(10, 100);
  S3.AddXY(5, 50);
  P3.Add(S3, clRed);
  P3.Chart.Repaint();
  auto Count = [&](bool Draw3D) {
    S3.Pointer()->SetDraw3D(Draw3D);
    TRecordingTarget Target(400, 250);
    TCanvas Canvas(&Target);
    P3.Chart.DrawToMetaCanvas(&Canvas, {0, 0, 400, 250});
    int Faces = 0;
    for (const TCanvasOp& Op : Target.Ops())
      if (Op.Kind == coPolygon || Op.Kind == coRectangle) ++Faces;
    return Faces;
  };
  // Each of the three cubes shows at least a side and the top besides its front.
  EXPECT_GE(Count(true), Count(false) + 6);
  const TPoint F = P3.Chart.Canvas3D()->Calculate3DPosition(S3.CalcXPos(1), S3.CalcYPos(1), 0);
  EXPECT_EQ(P3.At(F), clRed);
}

TEST(AreaSeries, FillsDownToTheAxisAndStacks) {
  TPlainChart P;
  TAreaSeries A, B;
  for (double Y : {10.0, 20.0, 30.0}) A.AddY(Y);
  for (double Y : {30.0, 20.0, 10.0}) B.AddY(Y);
  P.Add(A, clRed);
  P.Add(B, clBlue);
  A.SetMultiArea(maStacked);
  EXPECT_EQ(B.MultiArea(), maStacked);
  P.Chart.LeftAxis()->SetMinMax(0, 100);
  P.Chart.Repaint();
  // B's points lie on the sums; A fills below them.
  EXPECT_EQ(B.CalcYPos(1), P.Chart.LeftAxis()->CalcPosValue(40));
  EXPECT_EQ(B.GetOriginPos(1), A.CalcYPos(1));
  EXPECT_EQ(B.MaxYValue(), 40);
  const int X = (A.CalcXPos(0) + A.CalcXPos(1)) / 2;
  EXPECT_EQ(P.At(X, (A.CalcYPos(0) + A.GetOriginPos(0)) / 2 + 5), clRed);
  EXPECT_EQ(P.At(X, (B.CalcYPos(0) + B.GetOriginPos(0)) / 2), clBlue);

  A.SetMultiArea(maStacked100);
  P.Chart.Repaint();
  EXPECT_EQ(B.MaxYValue(), 100);
  EXPECT_EQ(B.CalcYPos(0), P.Chart.LeftAxis()->CalcPosValue(100));
  EXPECT_EQ(A.CalcYPos(0), P.Chart.LeftAxis()->CalcPosValue(25));
  // A point whose values are all 0 lies on the axis' 0.
  A.AddXY(3, 0);
  B.AddXY(3, 0);
  P.Chart.Repaint();
  EXPECT_EQ(A.CalcYPos(3), P.Chart.LeftAxis()->CalcPosValue(0));
  EXPECT_EQ(B.GetOriginPos(3), P.Chart.LeftAxis()->CalcPosValue(0));

  // Clicks inside the area answer the segment's first point.
  A.SetMultiArea(maNone);
  P.Chart.Repaint();
  EXPECT_EQ(A.Clicked(X, A.GetOriginPos(0) - 2), 0);
}

TEST(AreaSeries, StackedAreasShareOneDepthIn3D) {
  TPlainChart P(true);
  TAreaSeries A, B;
  for (double Y : {10.0, 50.0, 10.0}) A.AddY(Y);
  for (double Y : {10.0, 10.0, 10.0}) B.AddY(Y);
  P.Add(A, clRed);
  P.Add(B, clBlue);
  P.Chart.LeftAxis()->SetMinMax(0, 100);
  A.SetMultiArea(maStacked);
  // Drawn point by point together from the first paint on, and again: each pass starts afresh.
  P.Chart.Repaint();
  P.Chart.Repaint();
  EXPECT_EQ(A.StartZ(), B.StartZ());
  EXPECT_EQ(P.Chart.Width3D(), P.Chart.SeriesWidth3D());
  const TChartAxis* L = P.Chart.LeftAxis();
  const TChartCanvas3D* C3 = P.Chart.Canvas3D();
  const int Z = A.StartZ();
  auto Front = [&](int X, double V) {
    return P.At(C3->Calculate3DPosition(X, L->CalcPosValue(V), Z));
  };
  const int X0 = A.CalcXPos(0), X1 = A.CalcXPos(1), X2 = A.CalcXPos(2);
  // Over the middle point A reaches 50 and B lies on it up to 60; under a straight line from the
  // first to the last point B's band would cover A at 10..20.
  EXPECT_EQ(Front(X1 - 3, 15), clRed);
  EXPECT_EQ(Front(X1 + 3, 40), clRed);
  EXPECT_EQ(Front(X1 - 2, 55), clBlue);
  EXPECT_EQ(Front((X0 + X1) / 2, 5), clRed);
  EXPECT_EQ(Front((X1 + X2) / 2, 5), clRed);
  EXPECT_EQ(B.GetOriginPos(1), A.CalcYPos(1));

  // A line after the areas has a depth of its own.
  TLineSeries Line;
  Line.AddY(70);
  Line.AddY(80);
  P.Add(Line, clGreen);
  P.Chart.Repaint();
  EXPECT_EQ(A.StartZ(), B.StartZ());
  EXPECT_NE(Line.StartZ(), A.StartZ());
  EXPECT_EQ(P.Chart.Width3D(), 2 * P.Chart.SeriesWidth3D());
  // Not stacked, each area lies in a depth of its own.
  A.SetMultiArea(maNone);
  P.Chart.Repaint();
  EXPECT_NE(A.StartZ(), B.StartZ());
}

TEST(FastLineSeries, DrawsALineAndAnswersClicks) {
  TPlainChart P;
  TFastLineSeries S;
  S.LinePen()->SetWidth(3);
  for (double Y : {10.0, 60.0, 20.0}) S.AddY(Y);
  P.Add(S, clGreen);
  P.Chart.Repaint();
  const TPoint A{S.CalcXPos(0), S.CalcYPos(0)}, B{S.CalcXPos(1), S.CalcYPos(1)};
  EXPECT_EQ(P.At(Mid(A, B)), clGreen);
  EXPECT_EQ(S.Clicked(B.X, B.Y), 1);
  EXPECT_EQ(S.Clicked(Mid(A, B).X, Mid(A, B).Y), 0);
  S.SetSeriesColorAndPen(clRed);
  EXPECT_EQ(S.LinePen()->Color(), clRed);
  EXPECT_EQ(S.GetEditorClassName(), "TFastLineSeriesEditor");
}

TEST(SeriesGallery, EveryTypeByNameFilledDrawnAndChanged) {
  RegisterChartClasses();
  RegisterChartClasses();
  const TChartSeriesTypes& T = ChartSeriesTypes();
  QStringList Names, Descriptions;
  for (int i = 0; i < T.Count(); ++i)
    if (!T.GetSeriesType(i).SeriesClass.IsNull()) {
      EXPECT_EQ(T.GetSeriesType(i).GalleryPage, Names.size() < 11 ? "Standard" : "Extended");
      Names << T.GetSeriesType(i).SeriesClass.Name;
      Descriptions << T.GetSeriesType(i).Description;
    }
  EXPECT_EQ(Names, QStringList({"TLineSeries", "TBarSeries", "THorizBarSeries", "TAreaSeries",
                                "TPointSeries", "TPieSeries", "TFastLineSeries", "TChartShape",
                                "TGanttSeries", "TArrowSeries", "TBubbleSeries", "TSurfaceSeries",
                                "TContourSeries", "TPolarSeries", "TRadarSeries"}));
  EXPECT_EQ(Descriptions,
            QStringList({"Line", "Bar", "Horiz. Bar", "Area", "Point", "Pie", "Fast Line", "Shape",
                         "Gantt", "Arrow", "Bubble", "Surface", "Contour", "Polar", "Radar"}));
  const QStringList Editors = {
      "TCustomSeriesEditor",  "TBarSeriesEditor",   "TBarSeriesEditor",      "TAreaSeriesEditor",
      "TSeriesPointerEditor", "TPieSeriesEditor",   "TFastLineSeriesEditor", "TChartShapeEditor",
      "TGanttSeriesEditor",   "TArrowSeriesEditor", "TSeriesPointerEditor",  "TSurfaceSeriesEditor",
      "TContourSeriesEditor", "TPolarSeriesEditor", "TPolarSeriesEditor"};
  EXPECT_EQ(CreateSeriesByName("TNoSuchSeries"), nullptr);
  for (int i = 0; i < Names.size(); ++i) {
    for (bool Is3D : {false, true}) {
      TPlainChart P(Is3D);
      const TChartSeriesType* Type = T.Find(Names[i], {});
      ASSERT_TRUE(Type);
      std::unique_ptr<TChartSeries> S = CreateNewSeries(&P.Chart, Type->SeriesClass);
      ASSERT_TRUE(S) << Names[i].toStdString();
      EXPECT_EQ(S->ClassName(), Names[i]);
      EXPECT_EQ(SeriesEditorClassName(S.get()), Editors[i]);
      S->FillSampleValues(S->NumSampleValues());
      const int N = S->Count();
      P.Chart.Repaint();
      // Changed to the next type, keeping the values, and drawn again.
      const QString Next = Names[(i + 1) % Names.size()];
      ChangeSeriesClass(S, T.Find(Next, {})->SeriesClass);
      EXPECT_EQ(S->ClassName(), Next);
      EXPECT_EQ(S->Count(), N);
      EXPECT_EQ(S->ParentChart(), &P.Chart);
      P.Chart.Repaint();
    }
  }
}

TEST(LineSeries, ZoomedLinesReachThePlotEdge) {
  auto Check = [](TChartSeries& S, const char* Kind) {
    SCOPED_TRACE(Kind);
    TPlainChart P;
    for (int i = 0; i <= 10; ++i) S.AddXY(i, 10 * i);
    P.Add(S, clRed);
    P.Chart.BottomAxis()->SetMinMax(0, 4.5);
    P.Chart.LeftAxis()->SetMinMax(0, 100);
    P.Chart.Repaint();
    EXPECT_EQ(S.LastValueIndex(), 5);  // the point just past the end
    const int X = P.Chart.ChartRect().Right - 2;
    const double V = P.Chart.BottomAxis()->CalcPosPoint(X) * 10;
    const int Y = P.Chart.LeftAxis()->CalcPosValue(V);
    EXPECT_EQ(P.At(X, Y), clRed);
    S.SetParentChart(nullptr);
  };
  TLineSeries Line;
  Line.LinePen()->SetWidth(3);
  Check(Line, "line");
  TFastLineSeries Fast;
  Fast.LinePen()->SetWidth(3);
  Check(Fast, "fast line");
  // Without the option the last point inside is the last one drawn.
  TPlainChart P;
  TChartSeries Plain;
  for (int i = 0; i <= 10; ++i) Plain.AddXY(i, 10 * i);
  P.Add(Plain, clRed);
  P.Chart.BottomAxis()->SetMinMax(0, 4.5);
  P.Chart.Repaint();
  EXPECT_EQ(Plain.LastValueIndex(), 4);
}

TEST(LineSeries, AFunctionOverAllPointsIsALevelLine) {
  TChart Chart;
  TPointSeries Source;
  Source.SetParentChart(&Chart);
  for (double X : {2.0, 5.0, 9.0}) Source.AddXY(X, X);
  TLineSeries Line;
  TAreaSeries Area;
  TFastLineSeries Fast;
  TPointSeries Point;
  for (TChartSeries* S : std::initializer_list<TChartSeries*>{&Line, &Area, &Fast, &Point}) {
    S->SetParentChart(&Chart);
    S->SetFunction(std::make_unique<THighChartFunction>());
    S->SetDataSource(&Source);
  }
  for (TChartSeries* S : std::initializer_list<TChartSeries*>{&Line, &Area, &Fast}) {
    ASSERT_EQ(S->Count(), 2);
    EXPECT_EQ(S->XValue(0), 2);
    EXPECT_EQ(S->XValue(1), 9);
    EXPECT_EQ(S->YValue(0), 9);
    EXPECT_EQ(S->YValue(1), 9);
  }
  ASSERT_EQ(Point.Count(), 1);
  EXPECT_EQ(Point.XValue(0), 5.5);
  // The kind's own setting survives a copy of another kind's settings.
  Line.Assign(Point);
  EXPECT_FALSE(Line.SingleFunctionPoint());
}
