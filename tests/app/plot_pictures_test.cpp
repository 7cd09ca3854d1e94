// A grid picture on a graph: Stop pressed while its lines are traced.
#include <QImage>

#include "app/graphics/plot_pictures.h"
#include "platform/canvas.h"
#include "platform/canvas_targets.h"
#include "plot/core/graph.h"
#include "plot/layers/contour.h"
#include "tests/app/chart_windows_support.h"

using PlotPicturesTest = ChartWindowTest;

TEST_F(PlotPicturesTest, StopWhileTheLinesAreTracedLeavesThePreviousPicture) {
  QImage Image(400, 300, QImage::Format_RGB32);
  TImageTarget Target(&Image);
  TCanvas Canvas(&Target);
  TGraph G(&Canvas, 400, 300);
  TGridPicture P;
  P.Typed = "X*Y";
  P.A = P.C = -1, P.B = P.D = 1;
  P.NX = P.NY = 80;  // 6400 cells a level: the tracing asks for a break
  TPlotGrids Grids;
  TContour* Layer = nullptr;
  ASSERT_TRUE(PutGrid(G, P, Grids, Layer, [](int) {}).Ok());
  TContour* First = Layer;
  // The tabulation pumps once a point; the next pump is the tracing's.
  Host.Pumps = 0, Host.StopAt = 81 * 81 + 1;
  P.Typed = "X+Y";
  const TTabulationResult R = PutGrid(G, P, Grids, Layer, [](int) {});
  EXPECT_TRUE(R.UserBreak());
  EXPECT_EQ(Host.Asked, 1);
  EXPECT_FALSE(Grids.Empty());  // the tabulation itself was done
  EXPECT_EQ(Layer, nullptr);
  ASSERT_EQ(G.LayerCount(), 1);
  EXPECT_EQ(G.GetLayer(0), First);
}
