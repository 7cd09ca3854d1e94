// The chart: titles and walls where the layout puts them, zoom and panning with the mouse, the
// clicked part, paging and the series list.
#include "chart/engine/chart.h"

#include <limits>
#include <memory>

#include <gtest/gtest.h>

#include "chart/engine/chart_exceptions.h"
#include "platform/canvas_targets.h"
#include "platform/number_text.h"
#include "test_panels.h"

namespace {

TColor PixelAt(TChart& C, int X, int Y) {
  return FromQColor(C.Backing()->Image().pixelColor(X, Y));
}

// A flat chart with one series from (0, 0) to (10, 100).
struct TFlatChart {
  TChart Chart;
  TTestSeries Series;
  TFlatChart() {
    Chart.SetView3D(false);
    for (int i = 0; i <= 10; ++i) Series.Add(i, 10 * i);
    Chart.AddSeries(&Series);
    Chart.Repaint();
  }
};

// The text ops drawn by the chart into a recording canvas.
std::vector<TCanvasOp> Record(TChart& Chart) {
  TRecordingTarget Target(400, 250);
  TCanvas C(&Target);
  Chart.DrawToMetaCanvas(&C, {0, 0, 400, 250});
  return Target.Ops();
}

int LineHeight(const TFont& Font) {
  TRecordingTarget T;
  TCanvas C(&T);
  C.Font()->Assign(Font);
  return C.TextHeight(QStringLiteral("W"));
}

TEST(ChartSettings, Defaults) {
  TChart C;
  EXPECT_TRUE(C.Title()->Visible());
  EXPECT_TRUE(C.Title()->Text().isEmpty());
  EXPECT_EQ(C.Title()->Font()->Color(), clBlue);
  EXPECT_EQ(C.Title()->Alignment(), taCenter);
  EXPECT_TRUE(C.Title()->AdjustFrame());
  EXPECT_FALSE(C.Title()->Frame()->Visible());
  EXPECT_EQ(C.Title()->Color(), clChartAuto);
  EXPECT_FALSE(C.Title()->IsFontStored());
  C.Title()->Font()->SetColor(clBlack);
  EXPECT_TRUE(C.Title()->IsFontStored());
  EXPECT_EQ(C.BackWall()->Color(), clChartAuto);
  EXPECT_EQ(C.BackWall()->Brush()->Style(), bsClear);
  EXPECT_EQ(C.LeftWall()->Color(), TColor(0x80FFFF));
  EXPECT_FALSE(C.LeftWall()->IsColorStored());
  EXPECT_EQ(C.BottomWall()->Color(), clWhite);
  EXPECT_TRUE(C.BottomWall()->Dark3D());
  EXPECT_EQ(C.BottomWall()->Size(), 0);
  C.LeftWall()->SetColor(clRed);
  EXPECT_TRUE(C.LeftWall()->IsColorStored());
  EXPECT_EQ(C.Frame(), C.BackWall()->Pen());
  EXPECT_TRUE(C.Legend()->Visible());
  EXPECT_EQ(C.Legend()->Alignment(), laRight);
  EXPECT_FALSE(C.BackImageInside());
  EXPECT_TRUE(C.View3DWalls());
  EXPECT_TRUE(C.AxisVisible());
  EXPECT_EQ(C.MaxPointsPerPage(), 0);
  EXPECT_EQ(C.Page(), 1);
  EXPECT_EQ(ChartZoomMouseButton, Qt::LeftButton);
  EXPECT_EQ(ChartPanningMouseButton, Qt::RightButton);
  EXPECT_EQ(AnimatedZoomFactor, 3.0);
  C.SetBackColor(clRed);
  EXPECT_EQ(C.BackColor(), clRed);
  EXPECT_EQ(C.BackWall()->Brush()->Style(), bsSolid);

  TChart D;
  D.Title()->AddLine(QStringLiteral("T"));
  D.LeftWall()->SetSize(4);
  D.Assign(C);
  EXPECT_TRUE(D.Title()->Text().isEmpty());
  EXPECT_EQ(D.LeftWall()->Size(), 0);
  EXPECT_EQ(D.BackColor(), clRed);
  EXPECT_EQ(D.LeftWall()->Color(), clRed);
}

TEST(ChartTitles, TitleAndFootTakeTheirRoom) {
  TChart C;
  C.SetView3D(false);
  C.SetAxisVisible(false);  // the room of the axes is a test of its own
  C.Title()->AddLine(QStringLiteral("Surface"));
  C.Foot()->SetText({QStringLiteral("one"), QStringLiteral("two")});
  const std::vector<TCanvasOp> Ops = Record(C);
  const int H = LineHeight(*C.Title()->Font());
  TRecordingTarget T;
  TCanvas M(&T);
  M.Font()->Assign(*C.Title()->Font());
  const int W = M.TextWidth(QStringLiteral("Surface"));
  const TCanvasOp* Title = nullptr;
  const TCanvasOp* Two = nullptr;
  for (const TCanvasOp& Op : Ops) {
    if (Op.Kind == coText && Op.Text == u"Surface") Title = &Op;
    if (Op.Kind == coText && Op.Text == u"two") Two = &Op;
  }
  ASSERT_NE(Title, nullptr);
  ASSERT_NE(Two, nullptr);
  // Centred at the top of the chart rectangle (10 pixels down: 4 % of 250), in blue.
  EXPECT_EQ(Title->Points[0], (TPoint{200 - W / 2, 10}));
  EXPECT_EQ(Title->State.Font.Color, clBlue);
  // The foot's last line ends at the bottom of the chart rectangle (240).
  EXPECT_EQ(Two->Points[0].Y, 240 - H);
  EXPECT_EQ(C.ChartRect().Top, 10 + H + 5);
  EXPECT_EQ(C.ChartRect().Bottom, 240 - 2 * H - 5);
  // The titles answer the mouse where they were drawn.
  EXPECT_EQ(C.CalcClickedPart({200, 10 + H / 2}).Part, cpTitle);
  EXPECT_EQ(C.CalcClickedPart({200, 240 - H / 2}).Part, cpFoot);
  C.Title()->SetVisible(false);
  EXPECT_EQ(C.CalcClickedPart({200, 10 + H / 2}).Part, cpNone);
}

TEST(ChartTitles, FramedTitleFitsItsText) {
  TChart C;
  C.SetView3D(false);
  C.Title()->AddLine(QStringLiteral("Wide title"));
  C.Title()->Frame()->SetVisible(true);
  C.Title()->Frame()->SetColor(clRed);
  C.Title()->SetColor(clYellow);
  C.Title()->SetAlignment(taLeftJustify);
  const std::vector<TCanvasOp> Ops = Record(C);
  TRecordingTarget T;
  TCanvas M(&T);
  M.Font()->Assign(*C.Title()->Font());
  const int W = M.TextWidth(QStringLiteral("Wide title")) + M.TextWidth(QStringLiteral("W"));
  const TCanvasOp* Box = nullptr;
  for (const TCanvasOp& Op : Ops)
    if (Op.Kind == coRectangle && Op.State.Pen.Color == clRed) Box = &Op;
  ASSERT_NE(Box, nullptr);
  EXPECT_EQ(Box->Rect.Left, 12);
  EXPECT_EQ(Box->Rect.Width(), W);
  EXPECT_EQ(Box->State.Brush.Color, clYellow);
  EXPECT_EQ(Box->State.Brush.Style, bsSolid);
}

TEST(ChartWalls, DrawnWhereTheLayoutPutsThem) {
  TChart C;
  C.SetBevelOuter(bvNone);
  C.SetAxisVisible(false);
  C.SetBackColor(clRed);
  C.Repaint();
  const TRect R = C.ChartRect();
  const int D = C.Width3D();
  ASSERT_GT(D, 10);
  EXPECT_EQ(D, RoundInt(376 * 0.15));
  // The 3D view gives up the depth on the right and at the top.
  EXPECT_EQ(R.Right, 388 - D);
  EXPECT_EQ(R.Top, 10 + D);
  const int MidY = (R.Top + R.Bottom) / 2, MidX = (R.Left + R.Right) / 2;
  EXPECT_EQ(PixelAt(C, MidX + D, MidY - D), clRed);                // the back wall, deep
  EXPECT_EQ(PixelAt(C, R.Left + D / 2, MidY - D / 2), 0x80FFFF);   // the left wall
  EXPECT_EQ(PixelAt(C, MidX + D / 2, R.Bottom - D / 2), clWhite);  // the floor
  EXPECT_EQ(PixelAt(C, R.Left - 3, MidY), ColorToRGB(clBtnFace));  // outside

  // A wall with a size is a box with darkened sides.
  C.LeftWall()->SetSize(6);
  C.Repaint();
  EXPECT_EQ(PixelAt(C, R.Left - 3, MidY), 0x80FFFF);
  EXPECT_EQ(PixelAt(C, R.Left - 3 + D / 2, R.Top - D / 2 - 1), ApplyDark(0x80FFFF, 64));

  // Without walls in 3D only the back remains, at full depth; flat, the back fills the chart
  // rectangle inside its frame.
  C.SetView3DWalls(false);
  C.Repaint();
  EXPECT_EQ(PixelAt(C, R.Left + D / 2, MidY - D / 2), ColorToRGB(clBtnFace));
  EXPECT_EQ(PixelAt(C, MidX + D, MidY - D), clRed);
  C.SetView3D(false);
  C.Repaint();
  const TRect F = C.ChartRect();
  EXPECT_EQ(F, (TRect{12, 10, 388, 240}));
  EXPECT_EQ(PixelAt(C, 200, 125), clRed);
  EXPECT_EQ(PixelAt(C, 13, 238), clRed);
  EXPECT_EQ(PixelAt(C, 13, 239), clBlack);
}

TEST(ChartZoom, MouseDragZoomsAndUndoes) {
  TFlatChart F;
  TChart& C = F.Chart;
  int Zooms = 0, Undos = 0;
  C.OnZoom = [&](TCustomChartPanel*) { ++Zooms; };
  C.OnUndoZoom = [&](TCustomChartPanel*) { ++Undos; };
  TChartAxis* B = C.BottomAxis();
  TChartAxis* L = C.LeftAxis();
  EXPECT_DOUBLE_EQ(B->IMinimum(), 0);
  EXPECT_DOUBLE_EQ(B->IMaximum(), 10);
  const double X0 = B->CalcPosPoint(100), X1 = B->CalcPosPoint(200);
  const double Y0 = L->CalcPosPoint(50), Y1 = L->CalcPosPoint(150);

  // A drag of 16 pixels or less either way does nothing.
  C.MouseDown(Qt::LeftButton, 0, 100, 50);
  EXPECT_TRUE(C.Zoom().Active);
  C.MouseMove(0, 116, 150);
  C.MouseUp(Qt::LeftButton, 0, 116, 150);
  EXPECT_FALSE(C.Zoom().Active);
  EXPECT_TRUE(B->Automatic());
  EXPECT_EQ(Zooms + Undos, 0);

  C.MouseDown(Qt::LeftButton, 0, 100, 50);
  C.MouseMove(0, 200, 150);
  C.MouseUp(Qt::LeftButton, 0, 200, 150);
  EXPECT_EQ(Zooms, 1);
  EXPECT_TRUE(C.Zoomed());
  EXPECT_FALSE(B->Automatic());
  EXPECT_DOUBLE_EQ(B->Minimum(), X0);
  EXPECT_DOUBLE_EQ(B->Maximum(), X1);
  EXPECT_DOUBLE_EQ(L->Minimum(), Y1);  // bottom to top
  EXPECT_DOUBLE_EQ(L->Maximum(), Y0);
  C.Repaint();
  EXPECT_DOUBLE_EQ(B->IMinimum(), X0);

  // Dragging up or left undoes the zoom: the axes are automatic again.
  C.MouseDown(Qt::LeftButton, 0, 200, 150);
  C.MouseUp(Qt::LeftButton, 0, 150, 100);
  EXPECT_EQ(Undos, 1);
  EXPECT_FALSE(C.Zoomed());
  EXPECT_TRUE(B->Automatic());
  EXPECT_TRUE(L->Automatic());
  C.Repaint();
  EXPECT_DOUBLE_EQ(B->IMaximum(), 10);

  // Zooming off: the drag does not start.
  C.SetAllowZoom(false);
  C.MouseDown(Qt::LeftButton, 0, 100, 50);
  EXPECT_FALSE(C.Zoom().Active);
}

TEST(ChartZoom, TheZoomRectangleIsDrawnAndErased) {
  TFlatChart F;
  TChart& C = F.Chart;
  const QImage Before = C.Backing()->Image().copy();
  C.MouseDown(Qt::LeftButton, 0, 100, 60);
  C.MouseMove(0, 180, 140);
  EXPECT_NE(C.Backing()->Image().pixelColor(140, 60), Before.pixelColor(140, 60));
  EXPECT_NE(C.Backing()->Image().pixelColor(179, 100), Before.pixelColor(179, 100));
  C.MouseMove(0, 190, 150);  // the old outline goes, the new one comes
  EXPECT_EQ(C.Backing()->Image().pixelColor(179, 100), Before.pixelColor(179, 100));
  EXPECT_NE(C.Backing()->Image().pixelColor(189, 100), Before.pixelColor(189, 100));
}

TEST(ChartZoom, AnimatedSteps) {
  for (int Steps : {1, 8}) {
    TFlatChart F;
    TChart& C = F.Chart;
    int Draws = 0;
    C.OnAfterDraw = [&](TCustomAxisPanel*) { ++Draws; };
    C.SetAnimatedZoom(true);
    C.SetAnimatedZoomSteps(Steps);
    const double X0 = C.BottomAxis()->CalcPosPoint(100), X1 = C.BottomAxis()->CalcPosPoint(300);
    C.ZoomRect({100, 40, 300, 200});
    EXPECT_EQ(Draws, Steps - 1);
    EXPECT_DOUBLE_EQ(C.BottomAxis()->Minimum(), X0);
    EXPECT_DOUBLE_EQ(C.BottomAxis()->Maximum(), X1);
  }
}

TEST(ChartPanning, RightDragScrollsTheAxes) {
  TFlatChart F;
  TChart& C = F.Chart;
  int Scrolls = 0;
  C.OnScroll = [&](TCustomChartPanel*) { ++Scrolls; };
  TChartAxis* B = C.BottomAxis();
  const double PerPixel = (B->IMaximum() - B->IMinimum()) / (B->IEndPos() - B->IStartPos());
  C.MouseDown(Qt::RightButton, 0, 200, 120);
  EXPECT_TRUE(C.Panning().Active);
  C.MouseMove(0, 220, 120);
  EXPECT_EQ(Scrolls, 1);
  // Dragged 20 pixels right: the range moves 20 pixels' worth to the left.
  EXPECT_NEAR(B->Minimum(), -20 * PerPixel, 1e-9);
  EXPECT_NEAR(B->Maximum(), 10 - 20 * PerPixel, 1e-9);
  EXPECT_TRUE(C.LeftAxis()->Automatic());  // no vertical movement
  // A veto keeps the range.
  C.OnAllowScroll = [](TChartAxis*, double&, double&, bool& Allow) { Allow = false; };
  C.MouseMove(0, 250, 120);
  EXPECT_NEAR(B->Minimum(), -20 * PerPixel, 1e-9);
  // Outside the chart rectangle the pan ends; releasing the button ends it too.
  C.MouseMove(0, 5, 5);
  EXPECT_FALSE(C.Panning().Active);
  C.UndoZoom();
  EXPECT_TRUE(B->Automatic());
  C.SetAllowPanning(pmNone);
  C.MouseDown(Qt::RightButton, 0, 200, 120);
  EXPECT_FALSE(C.Panning().Active);
}

TEST(ChartClickedPart, EachPartAnswers) {
  TFlatChart F;
  TChart& C = F.Chart;
  const int SX = C.BottomAxis()->CalcPosValue(5), SY = C.LeftAxis()->CalcPosValue(50);
  TChartClickedPart P = C.CalcClickedPart({SX, SY});
  EXPECT_EQ(P.Part, cpSeries);
  EXPECT_EQ(P.PointIndex, 5);
  EXPECT_EQ(P.ASeries, &F.Series);
  P = C.CalcClickedPart({C.ChartRect().Left, SY + 20});
  EXPECT_EQ(P.Part, cpAxis);
  EXPECT_EQ(P.AAxis, C.LeftAxis());
  P = C.CalcClickedPart({SX + 20, C.ChartRect().Bottom});
  EXPECT_EQ(P.Part, cpAxis);
  EXPECT_EQ(P.AAxis, C.BottomAxis());
  EXPECT_EQ(C.CalcClickedPart({SX + 20, SY + 30}).Part, cpChartRect);
  EXPECT_EQ(C.CalcClickedPart({2, 2}).Part, cpNone);
  // The right and top axes carry no series and are hidden.
  EXPECT_FALSE(C.IsAxisVisible(C.RightAxis()));
  EXPECT_EQ(C.CalcClickedPart({C.ChartRect().Right - 1, SY + 20}).Part, cpChartRect);
  F.Series.SetActive(false);
  EXPECT_NE(C.CalcClickedPart({SX, SY}).Part, cpSeries);

  TChart Empty;
  Empty.SetView3D(false);
  Empty.Repaint();
  EXPECT_EQ(Empty.CalcClickedPart({200, 120}).Part, cpNone);
}

TEST(ChartClickedPart, ClickHandlersMayLetTheZoomStart) {
  TFlatChart F;
  TChart& C = F.Chart;
  const int SX = C.BottomAxis()->CalcPosValue(3), SY = C.LeftAxis()->CalcPosValue(30);
  int Clicks = 0, Index = -1, Background = 0;
  bool LetGo = false;
  C.OnClickSeries = [&](TCustomChart* Sender, TChartSeries* S, int I, Qt::MouseButton, TShiftState,
                        int, int) {
    EXPECT_EQ(S, &F.Series);
    EXPECT_TRUE(Sender->CancelMouse);
    ++Clicks;
    Index = I;
    if (LetGo) Sender->CancelMouse = false;
  };
  C.OnClickBackground = [&](TCustomChart*, Qt::MouseButton, TShiftState, int, int) {
    ++Background;
  };
  C.MouseDown(Qt::LeftButton, 0, SX, SY);
  EXPECT_EQ(Clicks, 1);
  EXPECT_EQ(Index, 3);
  EXPECT_FALSE(C.Zoom().Active);  // handled: no zoom
  EXPECT_FALSE(C.CancelMouse);
  LetGo = true;
  C.MouseDown(Qt::LeftButton, 0, SX, SY);
  EXPECT_TRUE(C.Zoom().Active);
  EXPECT_EQ(Background, 1);  // what was not handled ends with the background event
  C.MouseUp(Qt::LeftButton, 0, SX, SY);
  C.MouseDown(Qt::LeftButton, 0, SX + 20, SY + 30);
  EXPECT_EQ(Background, 2);
}

TEST(ChartPaging, PagesOfPoints) {
  TChart C;
  C.SetView3D(false);
  TTestSeries S;
  for (int i = 0; i < 25; ++i) S.Add(i, i * i);
  C.AddSeries(&S);
  EXPECT_EQ(C.NumPages(), 1);
  int Changes = 0;
  C.OnPageChange = [&](TCustomAxisPanel*) { ++Changes; };
  C.SetMaxPointsPerPage(10);
  EXPECT_EQ(C.NumPages(), 3);
  EXPECT_DOUBLE_EQ(C.MinXValue(C.BottomAxis()), 0);
  EXPECT_DOUBLE_EQ(C.MaxXValue(C.BottomAxis()), 9);
  C.NextPage();
  C.NextPage();
  EXPECT_EQ(C.Page(), 3);
  EXPECT_EQ(Changes, 2);
  C.NextPage();  // the last page stays
  EXPECT_EQ(C.Page(), 3);
  EXPECT_DOUBLE_EQ(C.MinXValue(C.BottomAxis()), 20);
  EXPECT_DOUBLE_EQ(C.MaxXValue(C.BottomAxis()), 24);
  // The vertical axis does not page.
  EXPECT_DOUBLE_EQ(C.MaxYValue(C.LeftAxis()), 24 * 24);
  C.SetScaleLastPage(false);  // the short last page keeps the scale of a full one
  EXPECT_DOUBLE_EQ(C.MaxXValue(C.BottomAxis()), 20 + 4.0 * 10 / 5);
  C.PreviousPage();
  C.PreviousPage();
  C.PreviousPage();  // page 1 stays
  EXPECT_EQ(C.Page(), 1);
  C.SetPage(0);
  EXPECT_EQ(C.Page(), 1);
  C.SetPage(99);
  EXPECT_EQ(C.Page(), 3);
  C.SetMaxPointsPerPage(20);  // fewer pages: the page moves to the last
  EXPECT_EQ(C.Page(), 2);
  try {
    C.SetMaxPointsPerPage(-1);
    ADD_FAILURE();
  } catch (const ChartException& E) {
    EXPECT_STREQ(E.what(), "MaxPointsPerPage must be >= 0");
  }
  EXPECT_EQ(C.MaxPointsPerPage(), 20);
}

TEST(ChartPaging, AnEmptySeriesHasTheUnpagedRange) {
  // The page arithmetic answers a last index of -1 for an empty series; the axis takes the
  // unpaged range of the chart's series instead.
  TChart C;
  TTestSeries Empty, Full;
  for (int i = 0; i < 25; ++i) Full.Add(100 + i, i);
  C.AddSeries(&Empty);
  C.AddSeries(&Full);
  C.SetMaxPointsPerPage(10);
  EXPECT_DOUBLE_EQ(C.MinXValue(C.BottomAxis()), 100);
  EXPECT_DOUBLE_EQ(C.MaxXValue(C.BottomAxis()), 124);
  C.Repaint();  // and draws
  EXPECT_EQ(Full.Drawn, 1);
}

TEST(ChartSeriesList, ColoursNamesAndLifetimes) {
  auto C = std::make_unique<TChart>();
  TTestSeries A, B, D;
  C->AddSeries(&A);
  C->AddSeries(&A);  // twice does nothing
  C->AddSeries(&B);
  EXPECT_EQ(C->SeriesCount(), 2);
  EXPECT_EQ(A.SeriesColor(), clRed);  // the first free palette colours
  EXPECT_EQ(B.SeriesColor(), clGreen);
  D.SetSeriesColor(clBlue);
  C->AddSeries(&D);
  EXPECT_EQ(D.SeriesColor(), clBlue);
  EXPECT_FALSE(C->IsFreeSeriesColor(clBlue, false));
  EXPECT_TRUE(C->IsFreeSeriesColor(clYellow, false));
  C->SetBackColor(clYellow);
  EXPECT_FALSE(C->IsFreeSeriesColor(clYellow, true));
  C->ExchangeSeries(0, 2);
  EXPECT_EQ(C->GetSeries(0), &D);
  EXPECT_EQ(C->FirstActiveSeries(), &D);
  D.SetActive(false);
  EXPECT_EQ(C->FirstActiveSeries(), &B);
  {
    TTestSeries Short;
    C->AddSeries(&Short);
    EXPECT_EQ(C->SeriesCount(), 4);
  }
  EXPECT_EQ(C->SeriesCount(), 3);  // a destroyed series leaves the list
  C->RemoveSeries(&B);
  EXPECT_EQ(B.ParentChart(), nullptr);
  C.reset();  // the chart goes first: the series forget it
  EXPECT_EQ(A.ParentChart(), nullptr);
}

TEST(ChartAxes, NamesAndVisibility) {
  TChart C;
  EXPECT_EQ(C.GetAxisTitle(C.LeftAxis()), QStringLiteral("Left Axis"));
  EXPECT_EQ(C.GetAxisTitle(C.RightAxis()), QStringLiteral("Right Axis"));
  EXPECT_EQ(C.GetAxisTitle(C.TopAxis()), QStringLiteral("Top Axis"));
  EXPECT_EQ(C.GetAxisTitle(C.BottomAxis()), QStringLiteral("Bottom Axis"));
  EXPECT_EQ(C.GetAxisTitle(C.DepthAxis()), QStringLiteral("Depth Axis"));
  C.LeftAxis()->SetTitleCaption(QStringLiteral("Radius"));
  EXPECT_EQ(C.GetAxisTitle(C.LeftAxis()), QStringLiteral("Radius"));
  // Without series every axis shows; the depth axis only in 3D.
  EXPECT_TRUE(C.IsAxisVisible(C.RightAxis()));
  EXPECT_TRUE(C.IsAxisVisible(C.DepthAxis()) == false);  // not visible by default
  C.DepthAxis()->SetVisible(true);
  EXPECT_TRUE(C.IsAxisVisible(C.DepthAxis()));
  C.SetView3D(false);
  EXPECT_FALSE(C.IsAxisVisible(C.DepthAxis()));
  C.SetAxisVisible(false);
  EXPECT_FALSE(C.IsAxisVisible(C.LeftAxis()));
  EXPECT_EQ(C.CalcWallSize(C.LeftAxis()), 0);
  C.SetView3D(true);
  C.LeftWall()->SetSize(7);
  EXPECT_EQ(C.CalcWallSize(C.LeftAxis()), 7);
  EXPECT_EQ(C.CalcWallSize(C.TopAxis()), 0);
  // Values that are not finite have no pixel; values far off the picture saturate.
  C.SetView3D(false);
  C.Repaint();
  int Pixel = 0;
  EXPECT_FALSE(C.BottomAxis()->ValueToPixel(std::numeric_limits<double>::quiet_NaN(), Pixel));
  EXPECT_FALSE(C.BottomAxis()->ValueToPixel(-std::numeric_limits<double>::infinity(), Pixel));
  C.LeftAxis()->SetMinMax(0, 10);
  EXPECT_TRUE(C.LeftAxis()->ValueToPixel(1e300, Pixel));
  EXPECT_EQ(Pixel, -ChartPixelLimit);  // far above the top
  // Non-finite ranges are refused.
  C.BottomAxis()->SetMinMax(0, std::numeric_limits<double>::infinity());
  EXPECT_TRUE(C.BottomAxis()->Automatic());
}

}  // namespace

namespace {
struct TListeningSeries : TTestSeries {
  int Ups = 0;
  void MouseUp(Qt::MouseButton, TShiftState, int, int) override { ++Ups; }
};
}  // namespace

TEST(ChartClickedPart, SeriesClickEventsAndMouseUpForEverySeries) {
  TFlatChart F;
  TChart& C = F.Chart;
  TListeningSeries Other, Hidden;
  Hidden.SetActive(false);
  C.AddSeries(&Other);
  C.AddSeries(&Hidden);
  const int SX = C.BottomAxis()->CalcPosValue(3), SY = C.LeftAxis()->CalcPosValue(30);
  int Clicks = 0, Doubles = 0;
  bool LetGo = false;
  F.Series.OnClick = [&](TChartSeries* S, int I, Qt::MouseButton B, TShiftState, int X, int Y) {
    EXPECT_EQ(S, &F.Series);
    EXPECT_EQ(I, 3);
    EXPECT_EQ(B, Qt::LeftButton);
    EXPECT_EQ(X, SX);
    EXPECT_EQ(Y, SY);
    EXPECT_TRUE(S->ParentChart()->CancelMouse);
    ++Clicks;
    if (LetGo) S->ParentChart()->CancelMouse = false;
  };
  F.Series.OnDblClick = [&](TChartSeries*, int, Qt::MouseButton, TShiftState Shift, int, int) {
    EXPECT_TRUE(Shift & ssDouble);
    ++Doubles;
  };
  C.MouseDown(Qt::LeftButton, 0, SX, SY);
  EXPECT_EQ(Clicks, 1);
  EXPECT_FALSE(C.Zoom().Active);  // the series handled it
  C.MouseDown(Qt::LeftButton, ssDouble, SX, SY);
  EXPECT_EQ(Doubles, 1);
  EXPECT_EQ(Clicks, 1);
  LetGo = true;
  C.MouseDown(Qt::LeftButton, 0, SX, SY);
  EXPECT_EQ(Clicks, 2);
  EXPECT_TRUE(C.Zoom().Active);
  C.MouseUp(Qt::LeftButton, 0, SX, SY);
  EXPECT_EQ(Other.Ups, 1);
  EXPECT_EQ(Hidden.Ups, 1);
}
