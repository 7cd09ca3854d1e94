// The contour layer: levels kept from construction, lines drawn in their level colours without
// tracing again, the level added at a point, and the registry entry.
#include <gtest/gtest.h>

#include <QImage>
#include <QPolygon>
#include <QSet>
#include <algorithm>
#include <cmath>
#include <limits>
#include <set>
#include <utility>

#include "platform/canvas.h"
#include "platform/canvas_targets.h"
#include "platform/cursors.h"
#include "plot/core/graph.h"
#include "plot/core/graph_legend.h"
#include "plot/layers/contour.h"

using GraphMatrix::TMatrix;
using GraphMatrix::TVector;

namespace {
struct TContourFixture {
  TRecordingTarget Target{400, 300};
  TCanvas Canvas{&Target};
  TGraph Graph{&Canvas, 400, 300};
  TVector X{21}, Y{21};
  TMatrix Z{21, 21};
  TContourFixture() {
    Graph.PlotRect = {0, 0, 400, 300};
    Graph.XMin = -2, Graph.XMax = 2, Graph.YMin = -2, Graph.YMax = 2;
    Graph.ComputeMapping(Graph.PlotRect);
    for (int I = 1; I <= 21; ++I) {
      X.SetValue(I, -2 + 0.2 * (I - 1));
      Y.SetValue(I, -2 + 0.2 * (I - 1));
    }
    // z = x^2 + y^2 - 2: values from -2 to 6, zero on the circle of radius sqrt 2.
    for (int I = 1; I <= 21; ++I)
      for (int J = 1; J <= 21; ++J) {
        const double A = X.GetValue(I), B = Y.GetValue(J);
        Z.SetValue(I, J, A * A + B * B - 2);
      }
  }
  TContour* Add(int Levels, bool Shaded, bool SkipZero) {
    return static_cast<TContour*>(
        Graph.AddLayer(std::make_unique<TContour>(&Graph, X, Y, Z, Levels, Shaded, SkipZero)));
  }
  int LineOps() const {
    int N = 0;
    for (const auto& Op : Target.Ops()) N += Op.Kind == coLine || Op.Kind == coPolyline;
    return N;
  }
};
}  // namespace

TEST(Contour, LevelsAreTracedOnceAndDrawnInTheirColours) {
  TContourFixture F;
  TContour* C = F.Add(4, false, false);
  // Levels -2, 0, 2, 4: -2 touches only the grid's centre node, 0 is a whole circle, 2 touches the
  // grid's border and 4 is cut by it into arcs.
  std::set<double> Levels;
  for (const auto& L : C->Lines()) Levels.insert(L.Level);
  EXPECT_EQ(Levels, (std::set<double>{0, 2, 4}));
  for (const auto& L : C->Lines())
    if (L.Level != 2) {
      EXPECT_EQ(L.Closed(), L.Level == 0);
    }
  EXPECT_NE(C->LineColor(0), C->LineColor(static_cast<int>(C->Lines().size()) - 1));
  EXPECT_DOUBLE_EQ(C->GetZMin(), -2);
  EXPECT_DOUBLE_EQ(C->GetZMax(), 6);

  // Changing the settings does nothing to the kept lines until the levels are made again.
  const size_t Before = C->Lines().size();
  C->LevelCount = 8;
  C->OneColor = false;
  C->Draw();
  EXPECT_EQ(C->Lines().size(), Before);
  EXPECT_GT(F.LineOps(), 0);
  std::set<TColor> Pens;
  for (const auto& Op : F.Target.Ops())
    if (Op.Kind == coLine) Pens.insert(Op.State.Pen.Color);
  EXPECT_EQ(Pens.size(), Levels.size());  // one colour per level
  C->MakeLevels();
  EXPECT_GT(C->Lines().size(), Before);

  // Level start and end from the user.
  C->LevelCount = 2;
  C->LevelStart = 1, C->UseLevelStart = true;
  C->LevelEnd = 3, C->UseLevelEnd = true;
  C->MakeLevels();
  Levels.clear();
  for (const auto& L : C->Lines()) Levels.insert(L.Level);
  EXPECT_EQ(Levels, (std::set<double>{1, 2}));

  // A bad list entry is reported; the good ones are traced.
  C->AutoLevels = false;
  C->UseLevelList = true;
  C->LevelList = {QStringLiteral("x1"), QStringLiteral("3")};
  C->MakeLevels();
  EXPECT_EQ(C->LevelErrors.size(), 1);
  ASSERT_EQ(C->Lines().size(), 4u);  // an arc in each corner
  for (const auto& L : C->Lines()) EXPECT_DOUBLE_EQ(L.Level, 3);
  C->ClearLines();
  EXPECT_TRUE(C->Lines().empty());
}

TEST(Contour, AddLevelAtSkipsOnlyZero) {
  TContourFixture F;
  for (int I = 1; I <= 21; ++I)
    for (int J = 1; J <= 21; ++J) F.Z.SetValue(I, J, F.X.GetValue(I));  // z = x
  TContour* C = F.Add(4, false, true);
  for (const auto& L : C->Lines()) EXPECT_NE(L.Level, 0);
  const size_t Before = C->Lines().size();
  // A negative level is added in front of the others (it used to be refused with SkipZero).
  EXPECT_TRUE(C->AddLevelAt(-1, 0.3));
  ASSERT_EQ(C->Lines().size(), Before + 1);
  EXPECT_DOUBLE_EQ(C->Lines()[0].Level, -1);
  for (const auto& P : C->Lines()[0].Points) EXPECT_NEAR(P.X, -1, 1e-12);
  // The level 0 itself is skipped, and so is a point without a value.
  EXPECT_FALSE(C->AddLevelAt(0, 0.5));
  EXPECT_FALSE(C->AddLevelAt(std::nan(""), 0));
  EXPECT_EQ(C->Lines().size(), Before + 1);
  EXPECT_DOUBLE_EQ(C->InterpolateZ(0.5, 0), 0.5);
  EXPECT_DOUBLE_EQ(C->AsContour()->PointValue(0.5, 0), 0.5);  // what the status bar shows
}

TEST(Contour, ShadedMakesNoLinesAndTheFileDoesNotKnowTheClass) {
  TContourFixture F;
  TContour* C = F.Add(10, true, false);
  EXPECT_TRUE(C->GetShaded());
  EXPECT_TRUE(C->Lines().empty());
  EXPECT_DOUBLE_EQ(C->LevelStart, -2);
  EXPECT_DOUBLE_EQ(C->LevelEnd, 6);
  double X0, X1, Y0, Y1;
  C->GetExtent(X0, X1, Y0, Y1);
  EXPECT_DOUBLE_EQ(X0, -2);
  EXPECT_DOUBLE_EQ(Y1, 2);

  // Without a file block of its own the class is none the graph text file loads.
  RegisterContourLayerClasses();
  EXPECT_FALSE(GetLayerClass(QStringLiteral("TContour")));
  TContour Bare(&F.Graph);
  Bare.MakeLevels();  // an empty grid: no lines, no failure
  EXPECT_TRUE(Bare.Lines().empty());
  Bare.Draw();
}

TEST(Contour, ColorMapPaintsEachCellInThePaletteColourOfItsValue) {
  TContourFixture F;
  F.Graph.PlotRect = {0, 0, 40, 30};
  F.Graph.ComputeMapping(F.Graph.PlotRect);
  // The left columns of the grid have no values.
  for (int I = 1; I <= 5; ++I)
    for (int J = 1; J <= 21; ++J) F.Z.SetValue(I, J, GraphMatrix::MissingValue);
  TContour* C = F.Add(10, true, false);
  C->CellSize = 5;
  C->Draw();
  const int Inset = F.Graph.FrameWidth() + 1;
  int Cells = 0, Missing = 0;
  for (const auto& Op : F.Target.Ops()) {
    if (Op.Kind != coFillRect) continue;
    ++Cells;
    EXPECT_EQ(Op.Rect.Width(), 5);
    EXPECT_GE(Op.Rect.Left, Inset);
    EXPECT_LE(Op.Rect.Right, 40 - Inset);  // the last cell moved back to end at the edge
    const double Z = C->InterpolateZ(F.Graph.PixelToX(Op.Rect.Left), F.Graph.PixelToY(Op.Rect.Top));
    Missing += Z == GraphMatrix::MissingValue;
    EXPECT_EQ(Op.State.Brush.Color, PaletteColor(*C, PaletteIndex(*C, Z)));
  }
  const int Across = (40 - 2 * Inset + 4) / 5, Down = (30 - 2 * Inset + 4) / 5;
  EXPECT_EQ(Cells, Across * Down);
  EXPECT_GT(Missing, 0);
  EXPECT_LT(Missing, Cells);

  // A cell size of 0 is taken as 1 and the map still ends.
  F.Target.Clear();
  C->CellSize = 0;
  C->Draw();
  int Pixels = 0;
  for (const auto& Op : F.Target.Ops()) Pixels += Op.Kind == coFillRect;
  EXPECT_EQ(Pixels, (40 - 2 * Inset) * (30 - 2 * Inset));
}

namespace {
bool Crosses(TPoint A, TPoint B, TPoint C, TPoint D) {
  const double Den = double(B.X - A.X) * (D.Y - C.Y) - double(B.Y - A.Y) * (D.X - C.X);
  if (Den == 0) return false;
  const double T = (double(C.X - A.X) * (D.Y - C.Y) - double(C.Y - A.Y) * (D.X - C.X)) / Den;
  const double U = (double(C.X - A.X) * (B.Y - A.Y) - double(C.Y - A.Y) * (B.X - A.X)) / Den;
  return T >= 0 && T <= 1 && U >= 0 && U <= 1;
}
double DistanceToSegment(double PX, double PY, TPoint A, TPoint B) {
  const double DX = B.X - A.X, DY = B.Y - A.Y, L2 = DX * DX + DY * DY;
  const double T = L2 == 0 ? 0 : std::clamp(((PX - A.X) * DX + (PY - A.Y) * DY) / L2, 0.0, 1.0);
  return std::hypot(PX - (A.X + T * DX), PY - (A.Y + T * DY));
}
}  // namespace

TEST(Contour, LabelsSitInsideThePlotApartWithAGapInTheirLine) {
  TContourFixture F;
  TContour* C = F.Add(8, false, false);
  int Zero = -1;
  for (int I = 0; I < static_cast<int>(C->Lines().size()); ++I) {
    if (C->Lines()[I].Level == 0) Zero = I;
    EXPECT_EQ(C->LabelOf(I).has_value(), C->Lines()[I].Level != 0);
  }
  ASSERT_GE(Zero, 0);  // the level 0 has a line but no label
  C->Draw();
  std::vector<const TContourLabel*> Shown;
  for (int I = 0; I < static_cast<int>(C->Lines().size()); ++I)
    if (C->LabelOf(I) && !C->LabelOf(I)->Hidden) Shown.push_back(&*C->LabelOf(I));
  ASSERT_GE(Shown.size(), 2u);
  int Texts = 0;
  for (const auto& Op : F.Target.Ops()) Texts += Op.Kind == coText;
  EXPECT_EQ(Texts, static_cast<int>(Shown.size()));
  for (size_t A = 0; A < Shown.size(); ++A) {
    double CX = 0, CY = 0;
    for (int K = 0; K < 4; ++K) {
      const TPoint P = Shown[A]->Box[K];
      EXPECT_TRUE(P.X > 0 && P.X < 400 && P.Y > 0 && P.Y < 300);
      CX += P.X / 4.0, CY += P.Y / 4.0;
    }
    for (size_t B = A + 1; B < Shown.size(); ++B)
      for (int I = 0; I < 4; ++I)
        for (int J = 0; J < 4; ++J)
          EXPECT_FALSE(Crosses(Shown[A]->Box[I], Shown[A]->Box[I + 1], Shown[B]->Box[J],
                               Shown[B]->Box[J + 1]));
    // No line is drawn through the middle of a label: the background shows there.
    for (const auto& Op : F.Target.Ops())
      if (Op.Kind == coLine) {
        EXPECT_EQ(Op.State.Pen.Color, C->GetColor());  // one colour for all lines by default
        EXPECT_GT(DistanceToSegment(CX, CY, Op.Points[0], Op.Points[1]), 2);
      }
  }

  // Labels belong to their lines: clearing the lines drops them; a level added at a point has
  // its label at once.
  C->ClearLines();
  EXPECT_TRUE(C->Lines().empty());
  ASSERT_TRUE(C->AddLevelAt(1.5, 0));
  ASSERT_TRUE(C->LabelOf(0).has_value());
  // Between the nodes at x = 1.4 and 1.6 the grid reads (1.96 + 2.56) / 2 - 2.
  EXPECT_EQ(C->LabelOf(0)->Text, QStringLiteral("0.26"));
}

TEST(Contour, ClicksAddDeleteMoveHideAndShowLevels) {
  TContourFixture F;
  TContour* C = F.Add(4, false, false);
  const size_t Start = C->Lines().size();
  C->MouseMode = 0;
  EXPECT_FALSE(C->EditAt(1.5, 0));
  C->MouseMode = 1;
  ASSERT_TRUE(C->EditAt(1.5, 0));
  ASSERT_EQ(C->Lines().size(), Start + 1);
  const double Added = C->Lines()[0].Level;
  // Hide and show again, moved to the piece nearest the click.
  C->MouseMode = 5;
  ASSERT_TRUE(C->EditAt(1.5, 0));
  EXPECT_FALSE(C->LabelOf(0)->Visible);
  C->MouseMode = 4;
  ASSERT_TRUE(C->EditAt(0, 1.5));
  EXPECT_TRUE(C->LabelOf(0)->Visible);
  EXPECT_NEAR(C->LabelOf(0)->From.X, 0, 0.3);
  EXPECT_NEAR(C->LabelOf(0)->From.Y, 1.5, 0.3);
  // Delete: every line of that level goes, with its label.
  C->MouseMode = 2;
  ASSERT_TRUE(C->EditAt(0, 1.5));
  EXPECT_EQ(C->Lines().size(), Start);
  for (const auto& L : C->Lines()) EXPECT_NE(L.Level, Added);
  // The mouse reaches the same edit through the pixel mapping.
  C->MouseMode = 1;
  C->MouseDown(1, 0, F.Graph.XToPixel(1.5), F.Graph.YToPixel(0));
  EXPECT_EQ(C->Lines().size(), Start + 1);
}

namespace {
// What the graph asked of its control.
struct TCursorOwner : TGraphOwner {
  TCursor Cursor = -999;
  void SetCursor(TCursor C) override { Cursor = C; }
};
QImage CursorImage(TCursor C) { return CursorShape(C).pixmap().toImage(); }
}  // namespace

TEST(Contour, EachEditModeShowsTheCursorOfWhatAClickDoes) {
  TContourFixture F;
  TCursorOwner Owner;
  F.Graph.Owner = &Owner;
  TContour* C = F.Add(4, false, false);
  const int PX = F.Graph.XToPixel(1), PY = F.Graph.YToPixel(1);
  // Adding a level or showing a label again is an add, deleting a level or hiding a label a
  // delete (the two used to be the wrong way round).
  const std::pair<int, TCursor> Modes[] = {
      {1, crContourAdd},  {4, crContourAdd}, {2, crContourDelete}, {5, crContourDelete},
      {3, crContourMove}, {0, crDefault},    {9, crDefault}};
  for (const auto& [Mode, Cursor] : Modes) {
    C->MouseMode = Mode;
    Owner.Cursor = -999;
    C->MouseMove(0, PX, PY);
    EXPECT_EQ(Owner.Cursor, Cursor) << "mode " << Mode;
    EXPECT_EQ(C->HitIndex, -1);  // the layers below still see the mouse
  }
  C->MouseMode = 6;
  C->MouseMove(0, PX, PY);
  EXPECT_EQ(Owner.Cursor, crDefault);  // left as it was
  F.Graph.Owner = &F.Graph.DefaultOwner;

  // The registration gives the three numbers our own images, distinct from one another and
  // from the arrow, and keeps an image the control registered first.
  UnregisterCursor(crContourMove);
  UnregisterCursor(crContourAdd);
  RegisterCursor(crContourDelete, QCursor(Qt::CrossCursor));
  RegisterContourLayerClasses();
  EXPECT_EQ(CursorImage(crContourMove), OwnCursor(QStringLiteral("MOVEIT")).pixmap().toImage());
  EXPECT_EQ(CursorImage(crContourAdd), OwnCursor(QStringLiteral("SERADD")).pixmap().toImage());
  EXPECT_EQ(CursorShape(crContourDelete).shape(), Qt::CrossCursor);
  UnregisterCursor(crContourDelete);
  RegisterContourLayerClasses();
  const QImage Move = CursorImage(crContourMove), Add = CursorImage(crContourAdd),
               Delete = CursorImage(crContourDelete);
  for (const QImage* I : {&Move, &Add, &Delete}) {
    ASSERT_FALSE(I->isNull());
    int Black = 0, White = 0;  // an outline and a filling, so it shows on any background
    for (int Y = 0; Y < I->height(); ++Y)
      for (int X = 0; X < I->width(); ++X) {
        const QColor P = I->pixelColor(X, Y);
        if (P.alpha() == 255) (P.lightness() < 50 ? Black : White)++;
      }
    EXPECT_GT(Black, 20);
    EXPECT_GT(White, 20);
  }
  EXPECT_NE(Move, Add);
  EXPECT_NE(Add, Delete);
  EXPECT_NE(Move, Delete);
}

namespace {
// Records the screen cursor shown while each cell is painted.
struct TCursorRecordingTarget : TRecordingTarget {
  using TRecordingTarget::TRecordingTarget;
  std::vector<TCursor> Shown;
  void Execute(const TCanvasOp& Op) override {
    if (Op.Kind == coFillRect) Shown.push_back(ScreenCursor());
    TRecordingTarget::Execute(Op);
  }
};
}  // namespace

TEST(Contour, ColorMapShowsBusyAndPrintsCellsOfTheSquaredSize) {
  TContourFixture F;
  F.Graph.PlotRect = {0, 0, 200, 150};
  F.Graph.ComputeMapping(F.Graph.PlotRect);
  TContour* C = F.Add(10, true, false);
  C->CellSize = 4;
  const int Inset = F.Graph.FrameWidth() + 1;
  const int W = 200 - 2 * Inset, H = 150 - 2 * Inset;
  auto Cells = [&](const TRecordingTarget& T, int Size) {
    int N = 0;
    for (const auto& Op : T.Ops())
      if (Op.Kind == coFillRect) {
        ++N;
        EXPECT_EQ(Op.Rect.Width(), Size);
        EXPECT_EQ(Op.Rect.Height(), Size);
      }
    return N;
  };
  // On the screen a cell is CellSize pixels, and the cursor is busy while the map is painted.
  TCursorRecordingTarget Screen(400, 300);
  TCanvas ScreenCanvas(&Screen);
  F.Graph.Canvas = &ScreenCanvas;
  C->Draw();
  EXPECT_EQ(Cells(Screen, 4), ((W + 3) / 4) * ((H + 3) / 4));
  ASSERT_FALSE(Screen.Shown.empty());
  for (TCursor Shown : Screen.Shown) EXPECT_EQ(Shown, crHourGlass);
  EXPECT_EQ(ScreenCursor(), crDefault);

  // On a printer's page a cell is (CellSize + 1)^2 of its pixels.
  TRecordingTarget Page(400, 300, 600);
  TCanvas PageCanvas(&Page);
  {
    TPaintScope Print(F.Graph, TPaintContext::Print(&PageCanvas, false));
    C->Draw();
    EXPECT_EQ(Cells(Page, 25), ((W + 24) / 25) * ((H + 24) / 25));
    // A size 0 prints cells of one pixel; a huge one is held to the plot without overflowing.
    Page.Clear();
    C->CellSize = 0;
    C->Draw();
    EXPECT_EQ(Cells(Page, 1), W * H);
    Page.Clear();
    C->CellSize = std::numeric_limits<int>::max();
    C->Draw();
    EXPECT_EQ(Cells(Page, H), (W + H - 1) / H);
  }
  F.Graph.Canvas = &F.Canvas;
}

TEST(Contour, ColourScaleOnlyForShadingAndLineColoursFollowThePalette) {
  TContourFixture F;
  TContour* C = F.Add(4, false, false);
  // The layer's own switch makes its levels; the base's one would ask for a colour scale.
  EXPECT_FALSE(C->GetAutoLevels());
  F.Graph.Paint();
  const TRect Without = F.Graph.PlotRect;
  F.Graph.ColorLegend(0)->Layer = C;
  F.Graph.Paint();
  EXPECT_EQ(F.Graph.PlotRect, Without);  // no room kept for a bar
  F.Graph.ColorLegend(0)->Layer = F.Add(10, true, false);
  F.Graph.Paint();
  EXPECT_LT(F.Graph.PlotRect.Right, Without.Right);

  // A palette change reaches the kept line colours without a rebuild.
  C->OneColor = false;
  const int Last = static_cast<int>(C->Lines().size()) - 1;
  const TColor Before = C->LineColor(Last);
  C->ColorPalette = 1;  // grey
  const TColor After = C->LineColor(Last);
  EXPECT_NE(After, Before);
  EXPECT_EQ(After, PaletteColor(*C, PaletteIndex(*C, C->Lines()[Last].Level)));
}

// A printer's page has many more pixels to the inch than the screen: the labels keep their points,
// so the same labels fit a plot drawn the same size in inches, and the page's font keeps its
// resolution for the text after them.
TEST(Contour, LabelsPrintAtTheirSizeInPoints) {
  TContourFixture F;
  TContour* C = F.Add(8, false, false);
  auto Labels = [&](const TRecordingTarget& T) {
    std::vector<TCanvasOp> Texts;
    for (const auto& Op : T.Ops())
      if (Op.Kind == coText) Texts.push_back(Op);
    return Texts;
  };
  C->Draw();
  const auto OnScreen = Labels(F.Target);
  ASSERT_GE(OnScreen.size(), 2u);
  TRecordingTarget Page(2500, 1875, 600);
  TCanvas PageCanvas(&Page);
  TPaintScope Print(F.Graph, TPaintContext::Print(&PageCanvas, false));
  F.Graph.PlotRect = {0, 0, 2500, 1875};
  F.Graph.ComputeMapping(F.Graph.PlotRect);
  C->Draw();
  const auto Printed = Labels(Page);
  ASSERT_EQ(Printed.size(), OnScreen.size());
  for (size_t I = 0; I < Printed.size(); ++I) {
    EXPECT_EQ(Printed[I].Text, OnScreen[I].Text);
    EXPECT_EQ(Printed[I].State.Font.Height, -67);  // 8 points at 600 pixels per inch
    EXPECT_NEAR(Printed[I].Points[0].X, OnScreen[I].Points[0].X * 6.25, 40);
  }
  EXPECT_EQ(PageCanvas.Font()->PixelsPerInch(), 600);
}

TEST(Contour, ZoomedFarInTheLabelsKeepToTheIntegerRange) {
  // X axis ends 1e-9 apart: a piece of a line across them has its ends beyond both ends of an
  // int, and their distance does not fit one.
  TContourFixture F;
  TContour* C = F.Add(8, false, false);
  F.Graph.XMin = 1.1, F.Graph.XMax = 1.1 + 1e-9;
  F.Graph.ComputeMapping(F.Graph.PlotRect);
  C->Draw();
  for (int I = 0; I < static_cast<int>(C->Lines().size()); ++I)
    if (C->LabelOf(I) && !C->LabelOf(I)->Hidden) {
      for (const TPoint& P : C->LabelOf(I)->Box) EXPECT_TRUE(P.X > 0 && P.X < 400);
    }
}

TEST(Contour, TheColourScaleOfASmallRangeTellsItsLevelsApart) {
  TContourFixture F;
  for (int I = 1; I <= 21; ++I)
    for (int J = 1; J <= 21; ++J) F.Z.SetValue(I, J, F.Z.GetValue(I, J) * 0.001);
  TContour* C = F.Add(10, true, false);
  C->LabelDigits = 1;
  F.Graph.ColorLegend(0)->Layer = C;
  F.Graph.Paint();
  QSet<QString> Texts;
  for (const auto& Op : F.Target.Ops())
    if (Op.Kind == coText && Op.State.Font.Escapement == 900 &&
        Op.Points[0].X > F.Graph.ColorLegend(0)->BarRect().Right) {
      Texts << Op.Text;
      EXPECT_FALSE(Op.Text.startsWith(u'-') && Op.Text.toDouble() == 0) << Op.Text.toStdString();
    }
  EXPECT_EQ(Texts.size(), 8);
}

TEST(Contour, TracingStopsAtABreakAndLeavesNoLines) {
  TContourFixture F;
  TVector X(101), Y(101);
  TMatrix Z(101, 101);
  for (int I = 1; I <= 101; ++I) {
    X.SetValue(I, I), Y.SetValue(I, I);
    for (int J = 1; J <= 101; ++J) Z.SetValue(I, J, I * J);
  }
  int Asked = 0;
  {
    const TContourTraceBreakScope Stop([&] { return ++Asked > 0; });
    TContour C(&F.Graph, X, Y, Z, 10, false, false);
    EXPECT_TRUE(C.TraceBroken);
    EXPECT_TRUE(C.Lines().empty());
    EXPECT_EQ(Asked, 1);
  }
  TContour C(&F.Graph, X, Y, Z, 10, false, false);
  EXPECT_FALSE(C.TraceBroken);
  EXPECT_FALSE(C.Lines().empty());
}

TEST(Contour, NoLineRunsIntoALabelsBox) {
  // The same picture with black lines and with lines of the background's colour: inside every
  // shown label's box the two agree pixel for pixel, so no line reaches the text.
  TContourFixture F;
  std::vector<std::array<TPoint, 5>> Boxes;
  auto Draw = [&](TColor LineColor) {
    QImage Image(400, 300, QImage::Format_RGB32);
    Image.fill(Qt::white);
    TImageTarget Target(&Image);
    TCanvas Canvas(&Target);
    TGraph G(&Canvas, 400, 300);
    G.PlotRect = {0, 0, 400, 300};
    G.XMin = G.YMin = -2, G.XMax = G.YMax = 2;
    G.ComputeMapping(G.PlotRect);
    TContour C(&G, F.X, F.Y, F.Z, 16, false, false);
    C.SetColor(LineColor);
    C.Draw();
    Target.Release();
    Boxes.clear();
    for (int I = 0; I < static_cast<int>(C.Lines().size()); ++I)
      if (C.LabelOf(I) && !C.LabelOf(I)->Hidden) Boxes.push_back(C.LabelOf(I)->Box);
    return Image;
  };
  const QImage Bare = Draw(clWhite), Lines = Draw(clBlack);
  ASSERT_GE(Boxes.size(), 4u);
  int Inside = 0, Differ = 0;
  for (const auto& B : Boxes) {
    const QPolygon Poly({{B[0].X, B[0].Y}, {B[1].X, B[1].Y}, {B[2].X, B[2].Y}, {B[3].X, B[3].Y}});
    const QRect R = Poly.boundingRect();
    for (int Y = R.top(); Y <= R.bottom(); ++Y)
      for (int X = R.left(); X <= R.right(); ++X)
        if (Poly.containsPoint(QPoint(X, Y), Qt::OddEvenFill))
          ++Inside, Differ += Lines.pixel(X, Y) != Bare.pixel(X, Y);
  }
  EXPECT_GT(Inside, 100);
  EXPECT_EQ(Differ, 0);
}

TEST(Contour, InDepthTheMapLiesOnTheFramesBackWall) {
  TContourFixture F;
  F.Graph.View3D = 0.05;
  F.Graph.Depth3D = 20;
  TContour* S = F.Add(10, true, false);
  F.Graph.CurrentLayer = S;
  EXPECT_EQ(F.Graph.LayerOffset(), 20);
  S->Draw();
  const int Inset = F.Graph.FrameWidth() + 1;
  TRect Cells{1 << 30, 1 << 30, -(1 << 30), -(1 << 30)};
  for (const auto& Op : F.Target.Ops())
    if (Op.Kind == coFillRect)
      Cells = {std::min(Cells.Left, Op.Rect.Left), std::min(Cells.Top, Op.Rect.Top),
               std::max(Cells.Right, Op.Rect.Right), std::max(Cells.Bottom, Op.Rect.Bottom)};
  EXPECT_EQ(Cells, (TRect{Inset + 20, Inset - 20, 400 - Inset + 20, 300 - Inset - 20}));
}

// A tabulated grid is shared, not copied, and gives the layer what the same values in the
// graph's own vectors and matrix give it.
TEST(Contour, ASharedGridTracesAsItsCopyWould) {
  TContourFixture F;
  auto Shared = std::make_shared<TValueGrid>(21, 21);
  for (int I = 0; I < 21; ++I) {
    Shared->SetX(I, F.X.GetValue(I + 1));
    Shared->SetY(I, F.Y.GetValue(I + 1));
    for (int J = 0; J < 21; ++J) Shared->Set(I, J, F.Z.GetValue(I + 1, J + 1));
  }
  Shared->Set(0, 0, std::numeric_limits<double>::quiet_NaN());
  F.Z.SetValue(1, 1, GraphMatrix::MissingValue);
  const TSharedGrid Grid = Shared;
  TContour Copied(&F.Graph, F.X, F.Y, F.Z, 6, false, false);
  TContour Kept(&F.Graph, Grid, 6, false, false);
  EXPECT_EQ(Grid.use_count(), 3);  // Shared, Grid and the layer
  ASSERT_EQ(Kept.Lines().size(), Copied.Lines().size());
  for (size_t K = 0; K < Kept.Lines().size(); ++K) {
    EXPECT_EQ(Kept.Lines()[K].Level, Copied.Lines()[K].Level);
    EXPECT_EQ(Kept.Lines()[K].Points, Copied.Lines()[K].Points);
  }
  EXPECT_EQ(Kept.GetZMin(), Copied.GetZMin());
  EXPECT_EQ(Kept.GetZMax(), Copied.GetZMax());
  EXPECT_TRUE(IsMissingZ(Kept.InterpolateZ(-2, -2)));
  EXPECT_DOUBLE_EQ(Kept.InterpolateZ(1, 0.5), Copied.InterpolateZ(1, 0.5));
  double XMin = 1e9, XMax = -1e9, YMin = 1e9, YMax = -1e9;
  Kept.GetExtent(XMin, XMax, YMin, YMax);
  EXPECT_DOUBLE_EQ(XMin, -2);
  EXPECT_DOUBLE_EQ(YMax, 2);
}

// A grid whose places and values reach the largest double: the ranges, the levels and the
// colour scale stay finite, lines are traced and the map is painted.
TEST(Contour, ValuesNearTheDoubleLimitKeepFiniteRangesAndLevels) {
  constexpr double Max = std::numeric_limits<double>::max();
  TContourFixture F;
  for (int I = 1; I <= 21; ++I) {
    F.X.SetValue(I, -Max + (I - 1) * (Max / 10));
    F.Y.SetValue(I, (I - 1) * (Max / 20));
    for (int J = 1; J <= 21; ++J) F.Z.SetValue(I, J, (I - 11) * (Max / 10));
  }
  TContour* Lines = F.Add(8, false, false);
  TContour* Map = F.Add(8, true, false);
  F.Graph.ColorLegend(0)->Layer = Map;
  F.Graph.Paint();
  for (double V : {F.Graph.XMin, F.Graph.XMax, F.Graph.YMin, F.Graph.YMax})
    EXPECT_TRUE(std::isfinite(V)) << V;
  EXPECT_GE(Lines->Lines().size(), 5u);
  for (const auto& L : Lines->Lines()) EXPECT_TRUE(std::isfinite(L.Level));
  for (int I = 1; I <= 8; ++I) EXPECT_TRUE(std::isfinite(Map->Levels[I])) << I;
  EXPECT_LT(Map->Levels[8], Map->Levels[1]);
  EXPECT_GE(F.LineOps(), 5);
  int Texts = 0;
  for (const auto& Op : F.Target.Ops())
    if (Op.Kind == coText) {
      ++Texts;
      EXPECT_FALSE(Op.Text.contains(QStringLiteral("NAN"), Qt::CaseInsensitive))
          << Op.Text.toStdString();
      EXPECT_FALSE(Op.Text.contains(QStringLiteral("INF"), Qt::CaseInsensitive))
          << Op.Text.toStdString();
    }
  EXPECT_GE(Texts, 8);
}

// A colour map over decades with its colour scale beside it: the last labels of the logarithmic
// X axes, below and above, end before the scale does.
TEST(Contour, TheLastLogLabelStaysClearOfTheColourScale) {
  QImage Image(500, 350, QImage::Format_RGB32);
  Image.fill(Qt::white);
  TImageTarget Target(&Image);
  TCanvas Canvas(&Target);
  TGraph Graph(&Canvas, 500, 350);
  TVector X(31), Y(11);
  TMatrix Z(31, 11);
  for (int I = 1; I <= 31; ++I) X.SetValue(I, 1 + 3.3 * (I - 1));
  for (int J = 1; J <= 11; ++J) Y.SetValue(J, J);
  for (int I = 1; I <= 31; ++I)
    for (int J = 1; J <= 11; ++J) Z.SetValue(I, J, std::log10(X.GetValue(I)) * J);
  auto* C = static_cast<TContour*>(
      Graph.AddLayer(std::make_unique<TContour>(&Graph, X, Y, Z, 8, true, false)));
  Graph.ColorLegend(0)->Layer = C;
  Graph.ColorLegend(0)->TransparentBackGround = true;  // a label under it stays in sight
  Graph.YAxis2->SetVisible(false);
  for (TAxis* A : {Graph.Axis(gaXAxis), Graph.Axis(gaXAxis2)}) {
    A->SetLog(true);
    A->Font.SetColor(clFuchsia);  // a colour of no palette
    A->Font.SetSize(14);
  }
  Graph.Paint();
  Target.Release();
  // The scale's frame: the first dark pixel right of the plot on the scale's middle row.
  const TRect B = Graph.ColorLegend(0)->Bounds;
  int Edge = Graph.PlotRect.Right + 1;
  while (Edge < B.Left && QColor(Image.pixel(Edge, (B.Top + B.Bottom) / 2)).lightness() > 60)
    ++Edge;
  ASSERT_LT(Edge, B.Left);
  int Under = 0, Labels = 0;
  for (int Y0 = 0; Y0 < Image.height(); ++Y0)
    for (int X0 = 0; X0 < Image.width(); ++X0) {
      const QColor P = Image.pixelColor(X0, Y0);
      const bool Red = P.red() > 128 && P.green() < 100 && P.blue() > 128;
      Labels += Red;
      Under += Red && X0 >= Edge;
    }
  EXPECT_GT(Labels, 0);
  EXPECT_EQ(Under, 0) << Edge;
}
