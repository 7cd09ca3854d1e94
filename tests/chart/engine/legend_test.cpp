#include <gtest/gtest.h>

#include "chart/engine/chart_exceptions.h"
#include "chart/engine/chart_legend.h"
#include "chart/engine/legend_layout.h"

TEST(Legend, SettingsInitialSetAndInvalid) {
  TChartLegend L(nullptr);
  EXPECT_TRUE(L.Visible());
  EXPECT_EQ(L.Alignment(), laRight);
  EXPECT_TRUE(L.Vertical());
  EXPECT_EQ(L.Color(), TColor(0xFFFFFF));
  EXPECT_EQ(L.ColorWidth(), 12);
  EXPECT_FALSE(L.DividingLines()->Visible());
  EXPECT_EQ(L.FirstValue(), 0);
  EXPECT_TRUE(L.Frame()->Visible());
  EXPECT_EQ(L.HorizMargin(), 0);
  EXPECT_FALSE(L.Inverted());
  EXPECT_EQ(L.LegendStyle(), ChartLegend::lsAuto);
  EXPECT_EQ(L.MaxNumRows(), 10);
  EXPECT_TRUE(L.ResizeChart());
  EXPECT_EQ(L.ShadowColor(), TColor(0));
  EXPECT_EQ(L.ShadowSize(), 3);
  EXPECT_EQ(L.TextStyle(), ltsLeftValue);
  EXPECT_EQ(L.TopPos(), 10);
  EXPECT_EQ(L.VertMargin(), 0);

  L.SetAlignment(laTop);
  EXPECT_FALSE(L.Vertical());
  L.SetColorWidth(0);
  L.SetColorWidth(100);
  L.SetTopPos(0);
  L.SetTopPos(100);
  L.SetFirstValue(5);
  L.SetInverted(true);
  L.SetLegendStyle(ChartLegend::lsValues);
  L.SetTextStyle(ltsXValue);
  L.SetMaxNumRows(3);
  EXPECT_THROW(L.SetColorWidth(101), LegendException);
  EXPECT_THROW(L.SetColorWidth(-1), LegendException);
  EXPECT_THROW(L.SetTopPos(-1), LegendException);
  EXPECT_THROW(L.SetTopPos(101), LegendException);
  EXPECT_THROW(L.SetFirstValue(-1), LegendException);
  EXPECT_EQ(L.ColorWidth(), 100);
  EXPECT_EQ(L.TopPos(), 100);
  EXPECT_EQ(L.FirstValue(), 5);
  try {
    L.SetTopPos(200);
  } catch (const ChartException& E) {
    EXPECT_STREQ(E.what(), "Top Legend Position must be between 0 and 100 %");
  }
  try {
    L.SetFirstValue(-3);
  } catch (const ChartException& E) {
    EXPECT_STREQ(E.what(), "First Legend Value must be > 0");
  }
  try {
    L.SetColorWidth(-3);
  } catch (const ChartException& E) {
    EXPECT_STREQ(E.what(), "Legend Color Width must be between 0 and 100 %");
  }
  TChartLegend C(nullptr);
  C.Assign(L);
  EXPECT_EQ(C.Alignment(), laTop);
  EXPECT_EQ(C.FirstValue(), 5);
  EXPECT_TRUE(C.Inverted());
  EXPECT_EQ(C.LegendStyle(), ChartLegend::lsValues);
  EXPECT_EQ(C.TextStyle(), ltsXValue);
  EXPECT_EQ(C.MaxNumRows(), 3);
  EXPECT_EQ(C.ColorWidth(), 100);
}

namespace {
TLegendLayoutInput Input(TLegendAlignment A, int Items) {
  TLegendLayoutInput In;
  In.Alignment = A;
  In.ChartBounds = {0, 0, 600, 400};
  In.ChartRect = {10, 10, 590, 390};
  In.ChartWidth = 580;
  In.ChartXCenter = 300;
  In.TotalItems = Items;
  In.ItemHeight = 16;
  In.MaxTextWidth = [](int) { return 60; };
  return In;
}
}  // namespace

TEST(Legend, VerticalLayoutAndClicks) {
  const TLegendLayoutInput In = Input(laRight, 5);
  const TLegendLayout L = CalcLegendLayout(In);
  // Top at 10 % of the bounds' height; five rows of 16 pixels.
  EXPECT_EQ(L.Rect.Top, 40);
  EXPECT_EQ(L.Rows, 5);
  EXPECT_EQ(L.Rect.Bottom, 40 + 2 + 5 * 16);
  // Right edge inside the frame and the shadow; the text column its width back.
  EXPECT_EQ(L.Rect.Right, 590 - 2 - 3);
  EXPECT_EQ(L.XText, L.Rect.Right - 60 - 2);
  EXPECT_EQ(L.ColorWidthPx, 8);  // round((60 + 2 + 8) * 12 %)
  EXPECT_EQ(L.XColor, L.XText - 8 - 4);
  EXPECT_EQ(L.Rect.Left, L.XColor - 4);
  EXPECT_EQ(L.ItemsShown, 5);
  EXPECT_EQ(L.ItemPos(2), (TPoint{L.XText, 40 + 1 + 32}));
  EXPECT_EQ(L.Clicked(L.XText, 41), 0);
  EXPECT_EQ(L.Clicked(L.XText, 41 + 16 * 4 + 5), 4);
  EXPECT_EQ(L.Clicked(L.Rect.Left - 1, 50), -1);
  EXPECT_EQ(L.Clicked(L.XText, 10), -1);

  // More items than fit: only what fits is shown.
  TLegendLayoutInput Many = Input(laLeft, 100);
  const TLegendLayout M = CalcLegendLayout(Many);
  EXPECT_EQ(M.Rows, (390 - 2 - 40) / 16);
  EXPECT_EQ(M.Rect.Left, 10 + 2);
  EXPECT_EQ(M.XColor, 16);

  // The right legend gives up its side and 3 % of the width besides.
  TRect R = In.ChartRect;
  LegendShrinkChartRect(L, laRight, R, true, 0, 0, 3);
  EXPECT_EQ(R.Right, L.Rect.Left - 17);  // 3 % of 580
  TRect Kept = In.ChartRect;
  LegendShrinkChartRect(L, laRight, Kept, false, 5, 0, 3);
  EXPECT_EQ(Kept.Right, 585);
}

TEST(Legend, HorizontalLayoutColumnsAndClicks) {
  TLegendLayoutInput In = Input(laTop, 30);
  In.MaxNumRows = 2;
  const TLegendLayout L = CalcLegendLayout(In);
  // Columns of text plus symbol plus gaps over the chart's width; rows capped.
  const int Tw = 64, Sw = 8;  // round(12 % of 64)
  EXPECT_EQ(L.Cols, (580 - 2 - 8) / (Tw + Sw + 8));
  EXPECT_EQ(L.Rows, 2);
  EXPECT_EQ(L.ItemsShown, L.Cols * 2);
  EXPECT_EQ(L.Rect.Top, 10 + 2);
  EXPECT_EQ(L.ItemStep, Tw + Sw + 4);
  EXPECT_EQ(L.ItemPos(L.Cols + 1), (TPoint{L.XText + L.ItemStep, L.Rect.Top + 1 + 16}));
  const int ColWidth = (L.Rect.Right - L.Rect.Left) / L.Cols;
  EXPECT_EQ(L.Clicked(L.Rect.Left + ColWidth + 1, L.Rect.Top + 2), 1);
  EXPECT_EQ(L.Clicked(L.Rect.Left + 1, L.Rect.Top + 1 + 16 + 2), L.Cols);

  TLegendLayoutInput B = Input(laBottom, 3);
  const TLegendLayout LB = CalcLegendLayout(B);
  EXPECT_EQ(LB.Rect.Bottom, 390 - 3 - 2);
  EXPECT_EQ(LB.Rect.Top, LB.Rect.Bottom - 2 - 16);

  // No room for a column: no rows, and a click answers -1 instead of dividing by zero.
  TLegendLayoutInput Narrow = Input(laTop, 4);
  Narrow.ChartWidth = 20;
  Narrow.ChartRect = {0, 0, 20, 390};
  const TLegendLayout N = CalcLegendLayout(Narrow);
  EXPECT_EQ(N.Cols, 0);
  EXPECT_EQ(N.Rows, 0);
  EXPECT_EQ(N.ItemsShown, 0);
  TLegendLayout Zero = N;
  Zero.Rows = 1;
  Zero.Rect = {0, 0, 100, 100};
  EXPECT_EQ(Zero.Clicked(50, 5), -1);
  Zero.Cols = 200;  // columns narrower than a pixel
  EXPECT_EQ(Zero.Clicked(50, 5), -1);
  // An item height of 0 finds no row either.
  Zero.Cols = 1;
  Zero.ItemHeight = 0;
  EXPECT_EQ(Zero.Clicked(50, 5), -1);
}
