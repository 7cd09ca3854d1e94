// The colour-shaded map on an image: written as one picture, it must show exactly the pixels
// that a rectangle per cell shows (an identity mapping on the canvas draws it cell by cell).
#include <gtest/gtest.h>

#include <QImage>
#include <cmath>
#include <limits>
#include <memory>

#include "platform/canvas.h"
#include "platform/canvas_targets.h"
#include "plot/core/graph.h"
#include "plot/core/graph_axis.h"
#include "plot/layers/contour.h"

namespace {

struct TMapCase {
  int Width, Height, CellSize;
  double Depth;
  bool YLog;
};

// z = x^2 - y on a 31 x 21 grid over [-3, 3] x [1, 5], with a column of holes and a hole that
// the graph's missing value marks.
TSharedGrid MapGrid() {
  auto G = std::make_shared<TValueGrid>(31, 21);
  for (int I = 0; I < 31; ++I) G->SetX(I, -3 + 0.2 * I);
  for (int J = 0; J < 21; ++J) G->SetY(J, 1 + 0.2 * J);
  for (int I = 0; I < 31; ++I)
    for (int J = 0; J < 21; ++J) G->Set(I, J, G->X(I) * G->X(I) - G->Y(J));
  for (int J = 0; J < 21; ++J) G->Set(7, J, std::numeric_limits<double>::quiet_NaN());
  G->Set(20, 10, GraphMatrix::MissingValue);
  return G;
}

// The graph of every case: the plot inside a small margin, X over [-3.1, 3.3], Y over YMin ..
// YMax, in depth when the case says so.
void PlaceGraph(TGraph& Graph, const TMapCase& M, double YMin, double YMax) {
  Graph.PlotRect = {3, 5, M.Width - 2, M.Height - 7};
  Graph.XMin = -3.1, Graph.XMax = 3.3, Graph.YMin = YMin, Graph.YMax = YMax;
  Graph.YAxis->Log = M.YLog;
  Graph.View3D = M.Depth;
  Graph.Depth3D = M.Depth > 0 ? 6 : 0;
  Graph.ComputeMapping(Graph.PlotRect);
}

QImage PaintMap(const TMapCase& M, const TSharedGrid& Grid, bool CellByCell) {
  QImage Image(M.Width, M.Height, QImage::Format_RGB32);
  Image.fill(Qt::black);
  {
    TImageTarget Target(&Image);
    TCanvas Canvas(&Target);
    if (CellByCell) Canvas.SetMapping({});
    TGraph Graph(&Canvas, M.Width, M.Height);
    PlaceGraph(Graph, M, 0.9, 5.2);
    auto* C = static_cast<TContour*>(
        Graph.AddLayer(std::make_unique<TContour>(&Graph, Grid, 1, true, false)));
    C->CellSize = M.CellSize;
    Graph.CurrentLayer = C;
    C->Draw();
  }
  return Image;
}

}  // namespace

TEST(ContourShade, AMapOnAnImageHasThePixelsOfItsCells) {
  const TSharedGrid Grid = MapGrid();
  // Plots that the cells do not divide (the last cell overlaps the one before), single pixels,
  // a cell larger than the plot, the map moved onto the back wall, a logarithmic axis.
  const TMapCase Cases[] = {{203, 151, 4, 0, false},
                            {120, 90, 1, 0, false},
                            {60, 50, 500, 0, false},
                            {203, 151, 7, 0.05, false},
                            {160, 120, 3, 0, true}};
  for (const TMapCase& M : Cases) {
    SCOPED_TRACE(testing::Message() << M.Width << " x " << M.Height << " cells of " << M.CellSize);
    const QImage Whole = PaintMap(M, Grid, false), Cells = PaintMap(M, Grid, true);
    int Differ = 0, Painted = 0;
    for (int Y = 0; Y < M.Height; ++Y)
      for (int X = 0; X < M.Width; ++X) {
        Differ += Whole.pixel(X, Y) != Cells.pixel(X, Y);
        Painted += Whole.pixel(X, Y) != qRgb(0, 0, 0);
      }
    EXPECT_EQ(Differ, 0);
    EXPECT_GT(Painted, M.Width * M.Height / 3);
  }
}

// Contour lines on the screen's image go to the canvas as polylines; they must set the pixels of
// their segments drawn one by one, with labels cutting some lines and not others, in depth and on
// a log axis.
TEST(ContourLines, PolylinesOnAnImageHaveThePixelsOfTheirSegments) {
  const TSharedGrid Grid = MapGrid();
  for (const bool Labels : {false, true})
    for (const TMapCase& M : {TMapCase{320, 240, 1, 0, false}, TMapCase{257, 181, 1, 0.5, false},
                              TMapCase{300, 200, 1, 0, true}}) {
      QImage Images[2];
      for (const bool Batch : {false, true}) {
        QImage& Image = Images[Batch];
        Image = QImage(M.Width, M.Height, QImage::Format_RGB32);
        Image.fill(Qt::white);
        TImageTarget Target(&Image);
        TCanvas Canvas(&Target);
        TGraph Graph(&Canvas, M.Width, M.Height);
        Graph.BatchLines = Batch;
        // A log axis's range is in decades.
        PlaceGraph(Graph, M, M.YLog ? std::log10(0.9) : 0.9, M.YLog ? std::log10(5.2) : 5.2);
        auto* C = static_cast<TContour*>(
            Graph.AddLayer(std::make_unique<TContour>(&Graph, Grid, 12, false, false)));
        C->ShowLabels = Labels;
        Graph.CurrentLayer = C;
        C->Draw();
      }
      SCOPED_TRACE(testing::Message() << M.Width << "x" << M.Height << " labels " << Labels);
      int Dark = 0;
      for (int Y = 0; Y < M.Height; ++Y)
        for (int X = 0; X < M.Width; ++X) {
          ASSERT_EQ(Images[0].pixel(X, Y), Images[1].pixel(X, Y)) << X << "," << Y;
          Dark += Images[1].pixel(X, Y) != qRgb(255, 255, 255);
        }
      EXPECT_GT(Dark, 500);  // the lines were drawn
    }
}
