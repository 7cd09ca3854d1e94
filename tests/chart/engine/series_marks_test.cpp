#include "chart/engine/series_marks.h"

#include <gtest/gtest.h>

#include "chart/engine/canvas3d.h"
#include "chart/engine/view3d_options.h"
#include "platform/canvas_targets.h"
#include "tests/chart/engine/recorded_canvas3d.h"

namespace {
struct TRecord : TRecordedCanvas3D {
  explicit TRecord(bool Is3D = false) : TRecordedCanvas3D(Is3D) {}
};
}  // namespace

TEST(SeriesMarks, SettingsAndTexts) {
  int Repaints = 0;
  TSeriesMarks M([&] { ++Repaints; });
  EXPECT_EQ(M.ArrowLength(), 8);
  EXPECT_EQ(M.BackColor(), TColor(0x0080FFFF));
  EXPECT_FALSE(M.Transparent());
  EXPECT_FALSE(M.Clip());
  EXPECT_EQ(M.Style(), smsLabel);
  EXPECT_FALSE(M.Visible());
  EXPECT_EQ(M.ZPosition(), 0);
  EXPECT_TRUE(M.Frame()->Visible());
  M.SetVisible(true);
  M.SetVisible(true);
  M.SetArrowLength(12);
  M.SetStyle(smsValue);
  EXPECT_EQ(Repaints, 3);
  M.Frame()->SetWidth(2);
  EXPECT_EQ(Repaints, 4);
  TSeriesMarks Copy;
  Copy.Assign(M);
  EXPECT_TRUE(Copy.Visible());
  EXPECT_EQ(Copy.ArrowLength(), 12);
  EXPECT_EQ(Copy.Style(), smsValue);
  EXPECT_EQ(Copy.Frame()->Width(), 2);

  const TMarkTexts T{"", "1,234.5", "25 %", "25 % of 4", "Legend", "7"};
  EXPECT_EQ(MarkTextOfStyle(smsLabel, T), "1,234.5");  // an empty label shows the value
  TMarkTexts L = T;
  L.Label = "Jan";
  EXPECT_EQ(MarkTextOfStyle(smsLabel, L), "Jan");
  EXPECT_EQ(MarkTextOfStyle(smsLabelValue, L), "Jan 1,234.5");
  EXPECT_EQ(MarkTextOfStyle(smsLabelPercent, L), "Jan 25 %");
  EXPECT_EQ(MarkTextOfStyle(smsLabelPercentTotal, L), "Jan 25 % of 4");
  EXPECT_EQ(MarkTextOfStyle(smsPercentTotal, L), "25 % of 4");
  EXPECT_EQ(MarkTextOfStyle(smsPercent, L), "25 %");
  EXPECT_EQ(MarkTextOfStyle(smsValue, L), "1,234.5");
  EXPECT_EQ(MarkTextOfStyle(smsLegend, L), "Legend");
  EXPECT_EQ(MarkTextOfStyle(smsXValue, L), "7");
}

TEST(SeriesMarks, PositionsRememberWhatTheUserMoved) {
  TSeriesMarks M;
  EXPECT_EQ(M.Position(0), nullptr);
  TSeriesMarkPosition P;
  P.TopLeft = {10, 20};
  P.Width = 30;
  P.Height = 15;
  M.SetPosition(3, P);
  EXPECT_EQ(M.PositionCount(), 4);
  EXPECT_EQ(M.Position(1), nullptr);
  ASSERT_NE(M.Position(3), nullptr);
  EXPECT_EQ(M.Position(3)->TopLeft, (TPoint{10, 20}));
  EXPECT_EQ(M.Position(9), nullptr);
  // The user moves the box; the next drawing computes another place, the user's wins.
  M.Position(3)->TopLeft = {100, 120};
  M.Position(3)->UserMoved = true;
  TSeriesMarkPosition Again = P;
  M.SetPosition(3, Again);
  EXPECT_EQ(Again.TopLeft, (TPoint{100, 120}));
  EXPECT_FALSE(Again.UserMoved);  // copying never copies the flag
  // A deleted point takes its box along; the later boxes move down.
  M.DeletePosition(1);
  EXPECT_EQ(M.PositionCount(), 3);
  EXPECT_EQ(M.Position(2)->TopLeft, (TPoint{100, 120}));
  M.DeletePosition(17);
  M.ClearPositions();
  EXPECT_EQ(M.PositionCount(), 0);
}

TEST(SeriesMarks, BoxArrowAndTextDrawn) {
  TRecord S;
  const int H = S.C.FontHeight();
  const int W = S.C.TextWidth("W");
  const int Wide = S.C.TextWidth("Longer line");
  // Two lines: twice the font height, plus twice the frame width.
  TSeriesMarkPosition P = MarkBox(S.C, "ab\rLonger line", {200, 150}, true, 1);
  EXPECT_EQ(P.Height, 2 * H + 2);
  EXPECT_EQ(P.Width, Wide + W + 2);
  EXPECT_EQ(P.TopLeft, (TPoint{200 - P.Width / 2, 150 - P.Height + 1}));
  EXPECT_EQ(MarkBox(S.C, "ab", {0, 0}, false, 1).Height, H);

  TSeriesMarks M;
  P.ArrowStart = {200, 160};
  P.ArrowEnd = {200, 150};
  M.Arrow()->SetColor(clRed);
  M.Draw(S.C, clWhite, 0, clRed, "ab\rLonger line", P);
  const auto& Ops = S.Ops();
  ASSERT_GE(Ops.size(), 4u);
  EXPECT_EQ(Ops[0].Kind, coLine);
  EXPECT_EQ(Ops[0].Points[0], (TPoint{200, 160}));
  EXPECT_EQ(Ops[0].Points[1], (TPoint{200, 150}));
  EXPECT_EQ(Ops[0].State.Pen.Color, clBlack);  // the point's own colour would not show
  EXPECT_EQ(Ops[1].Kind, coRectangle);
  EXPECT_EQ(Ops[1].State.Brush.Color, TColor(0x0080FFFF));
  EXPECT_EQ(Ops[2].Kind, coText);
  EXPECT_EQ(Ops[2].Text, "ab");
  EXPECT_EQ(Ops[3].Text, "Longer line");
  EXPECT_EQ(Ops[3].Points[0].Y - Ops[2].Points[0].Y, H);
  EXPECT_EQ(Ops[2].Points[0].X, P.TopLeft.X + P.Width / 2);
  EXPECT_EQ(M.Position(0)->Width, P.Width);

  // Transparent without a frame: no box at all.
  TRecord T;
  TSeriesMarks N;
  N.SetTransparent(true);
  N.Frame()->SetVisible(false);
  N.Arrow()->SetVisible(false);
  TSeriesMarkPosition Q = MarkBox(T.C, "x", {50, 50}, false, 1);
  N.Draw(T.C, clWhite, 0, clBlue, "x", Q);
  ASSERT_EQ(T.Ops().size(), 1u);
  EXPECT_EQ(T.Ops()[0].Kind, coText);
}
