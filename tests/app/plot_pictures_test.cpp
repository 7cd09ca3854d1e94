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
  TPlotRequest P;
  P.Input = "X*Y";
  P.XFrom = P.YFrom = -1, P.XTo = P.YTo = 1;
  P.XSteps = P.YSteps = 80;  // 6400 cells a level: the tracing asks for a break
  TSharedGrid Grids;
  TContour* Layer = nullptr;
  ASSERT_TRUE(PutGrid(G, P, Grids, Layer).Ok());
  TContour* First = Layer;
  // The tabulation pumps once a point; the next pump is the tracing's.
  Host.Pumps = 0, Host.StopAt = 81 * 81 + 1;
  P.Input = "X+Y";
  const TTabulation R = PutGrid(G, P, Grids, Layer);
  EXPECT_TRUE(R.UserBreak());
  EXPECT_EQ(Host.Asked, 1);
  EXPECT_TRUE(Grids);  // the tabulation itself was done
  EXPECT_EQ(Layer, nullptr);
  ASSERT_EQ(G.LayerCount(), 1);
  EXPECT_EQ(G.GetLayer(0), First);
}
