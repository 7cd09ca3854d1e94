#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "chart/engine/chart.h"
#include "chart/engine/chart_series.h"
#include "chart/engine/custom_series.h"
#include "chart/engine/polar_series.h"
#include "chart/engine/surface_series.h"
#include "platform/canvas_targets.h"
#include "tests/chart/engine/text_boxes.h"

namespace {
bool HasLine(const std::vector<TCanvasOp>& Ops, TColor Color, TPoint A, TPoint B) {
  return std::any_of(Ops.begin(), Ops.end(), [&](const TCanvasOp& O) {
    return O.Kind == coLine && O.State.Pen.Color == Color && O.Points.size() == 2 &&
           O.Points[0] == A && O.Points[1] == B;
  });
}
}  // namespace

TEST(AxisDraw, TicksGridAndLabelsAtTheirValues) {
  TChart Chart;
  Chart.SetView3D(false);
  TChartSeries S;
  S.SetParentChart(&Chart);
  S.AddXY(0, 0);
  S.AddXY(1000, 50);
  TChartAxis* B = Chart.BottomAxis();
  B->Ticks()->SetColor(clRed);
  B->Grid()->SetColor(clBlue);
  B->Grid()->SetStyle(psSolid);
  B->SetMinorTickCount(1);
  B->MinorTicks()->SetColor(clLime);
  TRecordingTarget Target(600, 400);
  TCanvas C(&Target);
  Chart.DrawToMetaCanvas(&C, {0, 0, 600, 400});
  const auto& Ops = Target.Ops();
  const TRect R = Chart.ChartRect();
  const int Y = B->PosAxis();
  std::vector<QString> Texts;
  for (const TCanvasOp& O : Ops)
    if (O.Kind == coText) Texts.push_back(O.Text);
  int Ticks = 0;
  for (double V = 0; V <= 1000; V += 200) {
    const int X = B->CalcPosValue(V);
    if (!HasLine(Ops, clRed, {X, Y}, {X, Y + 4})) continue;
    ++Ticks;
    EXPECT_TRUE(HasLine(Ops, clBlue, {X, R.Top}, {X, R.Bottom})) << V;
    EXPECT_NE(std::find(Texts.begin(), Texts.end(),
                        QString::number(V, 'f', 0).replace(QStringLiteral("1000"), "1,000")),
              Texts.end())
        << V;
  }
  EXPECT_GE(Ticks, 3);  // every label value of the step that fits brings its tick
  // One minor tick halfway between the first two labels.
  std::vector<int> TickX;
  for (const TCanvasOp& O : Ops)
    if (O.Kind == coLine && O.State.Pen.Color == clRed && O.Points.size() == 2)
      TickX.push_back(O.Points[0].X);
  std::sort(TickX.begin(), TickX.end());
  ASSERT_GE(TickX.size(), 2u);
  const int M = TickX[0] + int(std::lround((TickX[1] - TickX[0]) / 2.0));
  EXPECT_TRUE(HasLine(Ops, clLime, {M, Y}, {M, Y + 2}));
  // Hidden axes draw nothing of themselves.
  TChart Empty;
  Empty.SetView3D(false);
  Empty.SetAxisVisible(false);
  Empty.BottomAxis()->Ticks()->SetColor(clRed);
  TRecordingTarget T2(600, 400);
  TCanvas C2(&T2);
  Empty.DrawToMetaCanvas(&C2, {0, 0, 600, 400});
  for (const TCanvasOp& O : T2.Ops()) EXPECT_FALSE(O.Kind == coLine && O.State.Pen.Color == clRed);
}

TEST(AxisDraw, TurnedLabelsKeepTheirTurnedSizeApart) {
  // Long labels turned on the left axis run along it, and at 45 degrees on the bottom one they
  // take part of their width and part of their height: either way two labels never meet.
  TChart Chart;
  Chart.SetView3D(false);
  TChartSeries S;
  S.SetParentChart(&Chart);
  S.AddXY(0, 0);
  S.AddXY(123456789, 123456789);
  for (auto [Axis, Angle] : {std::pair{Chart.LeftAxis(), 90}, {Chart.BottomAxis(), 45}}) {
    Axis->SetLabelsAngle(Angle);
    TRecordingTarget Target(500, 400);
    TCanvas C(&Target);
    Chart.DrawToMetaCanvas(&C, {0, 0, 500, 400});
    const double A = Angle * 3.14159265358979 / 180;
    const bool Horizontal = Axis == Chart.BottomAxis();
    // Along the axis, the span of each turned text box, which turns about its reference point.
    std::vector<std::pair<double, double>> Spans;
    for (const TCanvasOp& O : Target.Ops()) {
      if (O.Kind != coText || O.State.Font.Escapement != Angle * 10) continue;
      C.Font()->SetData(O.State.Font);
      C.Font()->SetEscapement(0);
      const double W = C.TextWidth(O.Text), H = C.TextHeight(O.Text);
      double Low = 1e9, High = -1e9, Out = 0, Far = 0;
      for (auto [X, Y] : {std::pair{0.0, 0.0}, {W, 0.0}, {0.0, H}, {W, H}}) {
        const double SX = O.Points[0].X + X * std::cos(A) + Y * std::sin(A),
                     SY = O.Points[0].Y - X * std::sin(A) + Y * std::cos(A);
        Low = std::min(Low, Horizontal ? SX : SY);
        High = std::max(High, Horizontal ? SX : SY);
        // Outwards of the axis line: below the bottom axis, left of the left one.
        Out = std::min(Out, Horizontal ? SY - Axis->PosAxis() : Axis->PosAxis() - SX);
        // ... and within the room the axis took for them, short of the picture's edge.
        Far = std::max(Far, Horizontal ? SY - 400 : -SX);
      }
      EXPECT_GE(Out, -1) << Angle << " " << O.Text.toStdString();
      EXPECT_LE(Far, 0) << Angle << " " << O.Text.toStdString();
      Spans.emplace_back(Low, High);
    }
    ASSERT_GE(Spans.size(), 2u) << Angle;
    std::sort(Spans.begin(), Spans.end());
    for (size_t i = 1; i < Spans.size(); ++i)
      EXPECT_GE(Spans[i].first, Spans[i - 1].second - 1) << Angle << " " << i;
    Axis->SetLabelsAngle(0);
  }
}

TEST(AxisDraw, DataNearTheDoubleLimitGetsFiniteEndsAndReadableLabels) {
  // The range -DBL_MAX .. 1e300 is wider than a double holds: every series kind still gets
  // finite ends and several short labels, each at its own place.
  constexpr double Low = -1.7976931348623157e308, High = 1e300;
  TChart Line, Surface, Polar;
  for (TChart* C : {&Line, &Surface, &Polar}) C->Legend()->SetVisible(false);
  Line.SetView3D(false);
  Polar.SetView3D(false);
  auto* L = static_cast<TLineSeries*>(Line.AdoptSeries(std::make_unique<TLineSeries>()));
  L->AddXY(Low, Low);
  L->AddXY(High, High);
  auto* S = static_cast<TSurfaceSeries*>(Surface.AdoptSeries(std::make_unique<TSurfaceSeries>()));
  for (int x = 0; x < 3; ++x)
    for (int z = 0; z < 3; ++z) S->AddXYZ(x ? High : Low, (x + z) % 2 ? High : Low, z);
  auto* P = static_cast<TPolarSeries*>(Polar.AdoptSeries(std::make_unique<TPolarSeries>()));
  P->AddPolar(0, Low);
  P->AddPolar(90, High);
  for (TChart* C : {&Line, &Surface, &Polar}) {
    TRecordingTarget Target(600, 450);
    TCanvas Canvas(&Target);
    C->DrawToMetaCanvas(&Canvas, {0, 0, 600, 450});
    EXPECT_TRUE(std::isfinite(C->LeftAxis()->IMinimum()) &&
                std::isfinite(C->LeftAxis()->IMaximum()));
    std::set<std::pair<int, int>> Places;
    int Labels = 0;
    for (const TCanvasOp& O : Target.Ops())
      if (O.Kind == coText && O.Text.contains(QLatin1String("E+30"))) {
        ++Labels;
        EXPECT_LE(O.Text.size(), 9) << O.Text.toStdString();
        Places.insert({O.Points[0].X, O.Points[0].Y});
      }
    EXPECT_GE(Labels, 4);
    EXPECT_EQ(int(Places.size()), Labels);
  }
  // The polar series' points at the centre and at the rim; the line chart's two points at
  // opposite corners of the plot.
  EXPECT_EQ(P->RadiusPixels(Low), 0);
  EXPECT_EQ(P->RadiusPixels(High), P->XRadius());
  TChartAxis* Left = Line.LeftAxis();
  EXPECT_EQ(Left->CalcPosValue(Low), Left->IEndPos());
  EXPECT_EQ(Left->CalcPosValue(High), Left->IStartPos());
}

namespace {
// A surface chart seen as the surface window shows it, with the labels of one axis only.
struct TTurnedSurface {
  TChart Chart;
  TSurfaceSeries* S;
  TTurnedSurface(double Low, double High, bool Log) {
    S = static_cast<TSurfaceSeries*>(Chart.AdoptSeries(std::make_unique<TSurfaceSeries>()));
    for (int x = 0; x < 3; ++x)
      for (int z = 0; z < 3; ++z) S->AddXYZ(x ? High : Low, (x + z) % 2 ? High : Low, z);
    Chart.Legend()->SetVisible(false);
    Chart.DepthAxis()->SetVisible(true);
    TView3DOptions* V = Chart.View3DOptions();
    V->SetOrthogonal(false);
    V->SetRotation(324);
    V->SetZoom(60);
    V->SetPerspective(26);
    Chart.LeftAxis()->SetLogarithmic(Log);
    Chart.BottomAxis()->SetLogarithmic(Log);
  }
  // The screen boxes of the labels of Axis, and where in the drawing the first label and the
  // last surface cell came.
  std::vector<QRectF> Boxes(TChartAxis* Axis, int Ppi, size_t* FirstText = nullptr,
                            size_t* LastCell = nullptr) {
    for (TChartAxis* A : {Chart.LeftAxis(), Chart.BottomAxis(), Chart.DepthAxis()})
      A->SetLabels(A == Axis);
    TRecordingTarget Target(600 * Ppi / 96, 450 * Ppi / 96, Ppi);
    TCanvas Canvas(&Target);
    Chart.DrawToMetaCanvas(&Canvas, {0, 0, 600 * Ppi / 96, 450 * Ppi / 96});
    std::vector<QRectF> R;
    const auto& Ops = Target.Ops();
    for (size_t i = 0; i < Ops.size(); ++i) {
      const TCanvasOp& O = Ops[i];
      if (O.Kind == coPolygon && LastCell) *LastCell = i;
      if (O.Kind != coText) continue;
      if (FirstText && R.empty()) *FirstText = i;
      R.push_back(TextBox(O, Ppi));
    }
    return R;
  }
};

}  // namespace

TEST(AxisDraw, TurnedLabelsOnATurnedViewNeitherMeetNorCrossTheirAxisLine) {
  // Labels of huge values, of a logarithmic axis and turned every way, at one and two device
  // pixels a pixel, on the view's own turned and shortened axes.
  for (bool Log : {false, true}) {
    TTurnedSurface T(Log ? 1 : -1.6e308, Log ? 1e300 : 1.6e308, Log);
    for (int Ppi : {96, 192})
      for (TChartAxis* Axis : {T.Chart.LeftAxis(), T.Chart.BottomAxis()})
        for (int Angle : {0, 45, 90, 270}) {
          Axis->SetLabelsAngle(Angle);
          const std::vector<QRectF> Boxes = T.Boxes(Axis, Ppi);
          const std::string Case = std::to_string(Log) + " " + std::to_string(Ppi) + " " +
                                   std::to_string(Axis->Horizontal()) + " " + std::to_string(Angle);
          EXPECT_GE(Boxes.size(), 3u) << Case;
          ExpectApart(Boxes, Case);
          // The axis line as the view shows it, and the side of it the plot lies on: every
          // label box lies wholly on the other side.
          TChartCanvas3D& C = *T.Chart.Canvas3D();
          const bool H = Axis->Horizontal();
          const TPoint A = H ? C.Calculate3DPosition(Axis->IStartPos(), Axis->PosAxis(), 0)
                             : C.Calculate3DPosition(Axis->PosAxis(), Axis->IStartPos(), 0),
                       B = H ? C.Calculate3DPosition(Axis->IEndPos(), Axis->PosAxis(), 0)
                             : C.Calculate3DPosition(Axis->PosAxis(), Axis->IEndPos(), 0);
          const TRect R = T.Chart.ChartRect();
          const TPoint M = C.Calculate3DPosition((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2,
                                                 T.Chart.Width3D() / 2);
          auto Side = [&](QPointF P) {
            return ((B.X - A.X) * (P.y() - A.Y) - (B.Y - A.Y) * (P.x() - A.X)) /
                   std::hypot(B.X - A.X, B.Y - A.Y);
          };
          const double Plot = Side(QPointF(M.X, M.Y)) > 0 ? 1 : -1;
          for (const QRectF& Box : Boxes)
            for (QPointF P : {Box.topLeft(), Box.topRight(), Box.bottomLeft(), Box.bottomRight()})
              EXPECT_LE(Side(P) * Plot, 1) << Case;
          Axis->SetLabelsAngle(0);
        }
  }
}

TEST(AxisDraw, AnAxisSeenEndOnWritesNoLabelsOnOneSpotAndLabelsStayInFrontOfTheSurface) {
  TTurnedSurface T(-1.6e308, 1.6e308, false);
  TView3DOptions* V = T.Chart.View3DOptions();
  // From below and above the left axis is seen end-on, from the side the bottom one, and
  // straight from the front the depth axis.
  for (auto [Rotation, Elevation] : {std::pair{324, 270}, {324, 90}, {270, 345}, {360, 360}}) {
    V->SetRotation(Rotation);
    V->SetElevation(Elevation);
    for (TChartAxis* Axis : {T.Chart.LeftAxis(), T.Chart.BottomAxis(), T.Chart.DepthAxis()})
      ExpectApart(T.Boxes(Axis, 96), std::to_string(Rotation) + " " + std::to_string(Elevation));
  }
  // Turned so that the surface lies between the eye and the left axis, its labels are still
  // written after the surface's cells.
  V->SetRotation(270);
  V->SetElevation(345);
  size_t FirstText = 0, LastCell = 0;
  EXPECT_GE(T.Boxes(T.Chart.LeftAxis(), 96, &FirstText, &LastCell).size(), 3u);
  EXPECT_GT(FirstText, LastCell);
}
