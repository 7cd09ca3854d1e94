// The legend of a surface and of a contour series: the palette steps and the levels instead of
// the grid's points, each text in the value format and each symbol in the colour of its step or
// level, from the very first drawing on.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "chart/engine/chart.h"
#include "chart/engine/surface_series.h"
#include "platform/canvas_targets.h"

namespace {

struct TGridLegendChart {
  TChart Chart;
  TGridLegendChart() {
    Chart.resize(600, 450);
    Chart.SetView3D(false);
    Chart.SetBevelOuter(bvNone);
    // Wide symbols without a shadow, so that a symbol's centre is its fill.
    Chart.Legend()->SetColorWidth(60);
    Chart.Legend()->SetShadowSize(0);
  }
  // Y = X + Z on a 4 by 3 grid: from 2 to 7.
  static void Fill(TCustom3DGridSeries& S) {
    for (int x = 1; x <= 4; ++x)
      for (int z = 1; z <= 3; ++z) S.AddXYZ(x, x + z, z);
  }
  std::vector<QString> Texts() {
    TRecordingTarget Target(600, 450);
    TCanvas C(&Target);
    Chart.DrawToMetaCanvas(&C, {0, 0, 600, 450});
    std::vector<QString> R;
    const TRect L = Chart.Legend()->RectLegend();
    for (const TCanvasOp& O : Target.Ops())
      if (O.Kind == coText && O.Points[0].X >= L.Left && O.Points[0].X <= L.Right &&
          O.Points[0].Y >= L.Top && O.Points[0].Y <= L.Bottom)
        R.push_back(O.Text);
    return R;
  }
  // The centre of the symbol of the item at position P, in the painted image.
  TColor SymbolCentre(int P) {
    const TLegendLayout& L = Chart.Legend()->Layout();
    const TPoint T = L.ItemPos(P);
    const int X = T.X - 4 - L.ColorWidthPx / 2, Y = T.Y + L.ItemHeight / 2;
    return FromQColor(Chart.Backing()->Image().pixelColor(X, Y));
  }
};

}  // namespace

TEST(GridLegend, SurfaceListsItsPaletteSteps) {
  TGridLegendChart T;
  TSurfaceSeries S;
  S.SetParentChart(&T.Chart);
  TGridLegendChart::Fill(S);
  S.SetPaletteSteps(5);

  // The colour range colours the steps: from white at the bottom of the range to navy at its
  // top, each step in the colour of its value.
  T.Chart.Repaint();
  ASSERT_EQ(S.Palette().size(), 5u);
  TCustomChartLegend* L = T.Chart.Legend();
  ASSERT_EQ(L->TotalLegendItems(), 5);
  EXPECT_EQ(T.Texts(), (std::vector<QString>{"3", "4", "5", "6", "7"}));
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(T.SymbolCentre(i), S.GetValueColorValue(3 + i)) << i;
  }
  EXPECT_EQ(T.SymbolCentre(4), S.EndColor());

  // Coloured by the palette, each step shows the colour its band is painted in; the value format
  // writes the texts, and FirstValue skips steps.
  S.SetUseColorRange(false);
  S.SetUsePalette(true);
  S.SetValueFormat(QStringLiteral("0.0"));
  T.Chart.Repaint();
  for (int i = 0; i < 5; ++i) EXPECT_EQ(T.SymbolCentre(i), S.Palette()[size_t(i)].Color) << i;
  // A value just below a step's value is painted in that step's colour.
  EXPECT_EQ(S.GetValueColorValue(3.999), S.Palette()[1].Color);
  L->SetFirstValue(3);
  EXPECT_EQ(T.Texts(), (std::vector<QString>{"6.0", "7.0"}));
  L->SetFirstValue(0);

  // A surface made on a chart that was never drawn before still lists its steps on the first
  // drawing: the palette is made before the legend asks.
  TGridLegendChart Fresh;
  TSurfaceSeries F;
  F.SetParentChart(&Fresh.Chart);
  TGridLegendChart::Fill(F);
  ASSERT_TRUE(F.Palette().empty());
  const std::vector<QString> First = Fresh.Texts();
  ASSERT_EQ(F.Palette().size(), 32u);
  EXPECT_EQ(Fresh.Chart.Legend()->TotalLegendItems(), 32);
  // As many of the 32 steps as there are rows for.
  ASSERT_GT(Fresh.Chart.Legend()->Layout().ItemsShown, 5);
  EXPECT_EQ(int(First.size()), std::min(32, Fresh.Chart.Legend()->Layout().ItemsShown));
  EXPECT_EQ(First.front(), "2.156");  // 2 + 5 / 32

  // Steps over a range wider than the largest double stay finite and in order.
  TGridLegendChart Huge;
  TSurfaceSeries W;
  W.SetParentChart(&Huge.Chart);
  for (int x = 1; x <= 3; ++x)
    for (int z = 1; z <= 3; ++z) W.AddXYZ(x, (x + z) % 2 ? 1e308 : -1e308, z);
  W.SetPaletteSteps(4);
  const std::vector<QString> HugeTexts = Huge.Texts();
  ASSERT_EQ(W.Palette().size(), 4u);
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_TRUE(std::isfinite(W.Palette()[i].UpToValue)) << i;
    if (i > 0) {
      EXPECT_LT(W.Palette()[i - 1].UpToValue, W.Palette()[i].UpToValue) << i;
    }
  }
  EXPECT_EQ(HugeTexts.size(), 4u);

  // The last values of a surface are its last point, not a palette step.
  TChartSeries Other;
  Other.SetParentChart(&T.Chart);
  Other.AddY(1);
  L->SetLegendStyle(ChartLegend::lsLastValues);
  EXPECT_EQ(L->LegendText(0), "7.0 ");
}

TEST(GridLegend, ContourListsItsLevelsFromTheTop) {
  TGridLegendChart T;
  TContourSeries S;
  S.SetParentChart(&T.Chart);
  S.SetNumLevels(5);
  S.SetColorEachPoint(false);
  S.SetUseColorRange(true);
  TGridLegendChart::Fill(S);

  // The first drawing already knows its levels: 2, 3, 4, 5, 6 (the top of the range is none),
  // listed highest first, each in the colour of its line.
  T.Chart.Repaint();
  EXPECT_EQ(T.Texts(), (std::vector<QString>{"6", "5", "4", "3", "2"}));
  ASSERT_EQ(S.LevelCount(), 5);
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(T.SymbolCentre(i), S.LevelColor(4 - i)) << i;
    EXPECT_EQ(S.LevelColor(4 - i), S.GetValueColorValue(6 - i)) << i;
  }
  // The levels the chart hands out through OnGetLevel are those of the legend.
  S.OnGetLevel = [](TContourSeries*, int Index, double& Value, TColor& Color) {
    Value = Index * 100;
    Color = RGB(Index * 10, 200, 0);
  };
  T.Chart.Repaint();
  EXPECT_EQ(T.Texts(), (std::vector<QString>{"400", "300", "200", "100", "0"}));
  EXPECT_EQ(T.SymbolCentre(0), RGB(40, 200, 0));
  EXPECT_EQ(T.SymbolCentre(4), RGB(0, 200, 0));

  // New data: the next drawing lists the new levels.
  S.OnGetLevel = nullptr;
  S.Clear();
  for (int x = 1; x <= 3; ++x)
    for (int z = 1; z <= 3; ++z) S.AddXYZ(x, 10 * x, z);
  EXPECT_EQ(T.Texts(), (std::vector<QString>{"26", "22", "18", "14", "10"}));

  // An empty contour lists nothing.
  S.Clear();
  T.Chart.Repaint();
  EXPECT_EQ(T.Chart.Legend()->TotalLegendItems(), 0);
  EXPECT_EQ(T.Chart.Legend()->Layout().ItemsShown, 0);
}

TEST(GridLegend, SurfaceLegendFollowsTheSurfaceAsDrawn) {
  TGridLegendChart T;
  TSurfaceSeries S;
  S.SetParentChart(&T.Chart);
  TGridLegendChart::Fill(S);
  S.SetPaletteSteps(5);
  EXPECT_EQ(T.Texts(), (std::vector<QString>{"3", "4", "5", "6", "7"}));
  // New values of ten times the range, the same steps: the steps are those of the new range,
  // up to its top.
  S.Clear();
  for (int x = 1; x <= 4; ++x)
    for (int z = 1; z <= 3; ++z) S.AddXYZ(x, 10 * (x + z), z);
  S.SetPaletteSteps(5);
  EXPECT_EQ(T.Texts(), (std::vector<QString>{"30", "40", "50", "60", "70"}));
  // More steps than rows: the rows show steps from all along the range, up to its top.
  S.SetPaletteSteps(200);
  const std::vector<QString> Many = T.Texts();
  ASSERT_LT(Many.size(), 200u);
  EXPECT_EQ(Many.back(), "70");

  // One colour, neither range nor palette: the cells are the brush's white, and so are the
  // symbols (not the red of the series).
  S.SetPaletteSteps(3);
  S.SetUseColorRange(false);
  S.SetUsePalette(false);
  S.SetSeriesColor(clRed);
  T.Chart.Repaint();
  for (int i = 0; i < 3; ++i) EXPECT_EQ(T.SymbolCentre(i), clWhite) << i;
  // A wire frame: the mesh's pen.
  S.SetWireFrame(true);
  S.Pen()->SetColor(clNavy);
  T.Chart.Repaint();
  for (int i = 0; i < 3; ++i) EXPECT_EQ(T.SymbolCentre(i), clNavy) << i;
}
