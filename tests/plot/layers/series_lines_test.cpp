// A curve on the screen's image goes to the canvas in polylines; its pixels stay those of its
// segments drawn one by one, and printers and pictures still get every segment on its own.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <vector>

#include "platform/canvas.h"
#include "platform/canvas_targets.h"
#include "plot/core/graph.h"
#include "plot/layers/series.h"

namespace {
class TCountingImage : public TImageTarget {
 public:
  using TImageTarget::TImageTarget;
  void Execute(const TCanvasOp& Op) override {
    ++Ops[Op.Kind];
    TImageTarget::Execute(Op);
  }
  std::map<TCanvasOpKind, int> Ops;
};

enum class TDevice { Screen, Print, Picture };

struct TCurve {
  std::vector<TDoublePoint> Points;
  bool XLog = false, YLog = false;
};

struct TDrawn {
  QImage Image;
  std::map<TCanvasOpKind, int> Ops;
  int Count(TCanvasOpKind K) const {
    const auto I = Ops.find(K);
    return I == Ops.end() ? 0 : I->second;
  }
};

TDrawn Draw(const TCurve& Curve, int Style, int Width, bool Batch, bool Direct,
            TDevice Device = TDevice::Screen) {
  TDrawn D{QImage(300, 200, QImage::Format_RGB32), {}};
  D.Image.fill(Qt::white);
  TCountingImage T(&D.Image);
  T.SetDirectPixels(Direct);
  TCanvas C(&T);
  TGraph G(&C, 300, 200);
  G.BatchLines = Batch;
  G.PlotRect = {20, 10, 280, 190};
  G.XAxis->Log = Curve.XLog;
  G.YAxis->Log = Curve.YLog;
  G.XMin = Curve.XLog ? -2 : -1, G.XMax = 1, G.YMin = Curve.YLog ? -2 : -1, G.YMax = 1;
  G.ComputeMapping(G.PlotRect);
  auto* S = static_cast<TSeries*>(
      G.AddLayer(std::make_unique<TSeries>(&G, clBlue, 2, QStringLiteral("c"))));
  for (const TDoublePoint& P : Curve.Points) S->AddPoint(0, {}, P.X, P.Y);
  S->LineStyle = Style;
  S->LineWidth = Width;
  const TPaintContext Context = Device == TDevice::Print     ? TPaintContext::Print(&C, false)
                                : Device == TDevice::Picture ? TPaintContext::Picture(&C)
                                                             : TPaintContext::On(&C);
  {
    TPaintScope Scope(G, Context);
    G.CurrentLayer = S;
    G.SetClipRegion();
    S->Draw();
    G.ResetClipRegion();
  }
  T.Release();
  D.Ops = T.Ops;
  return D;
}

int DifferentPixels(const QImage& A, const QImage& B) {
  int N = 0;
  for (int Y = 0; Y < A.height(); ++Y) {
    const auto* RowA = reinterpret_cast<const QRgb*>(A.constScanLine(Y));
    const auto* RowB = reinterpret_cast<const QRgb*>(B.constScanLine(Y));
    for (int X = 0; X < A.width(); ++X) N += RowA[X] != RowB[X];
  }
  return N;
}

std::vector<TCurve> Curves() {
  std::vector<TCurve> R;
  TCurve Steep;  // dense, many points per pixel column, leaving the ranges above and below
  for (int I = 0; I <= 6000; ++I) {
    const double X = -1.2 + 2.4 * I / 6000;
    Steep.Points.push_back({X, 1.5 * std::sin(60 * X) + X * X * X});
  }
  R.push_back(Steep);
  TCurve Holes;  // NaN holes, points alone between them, runs that stay on one pixel
  for (int I = 0; I <= 800; ++I) {
    const double X = -1 + 2.0 * I / 800;
    const bool Hole = I % 9 == 0 || (I % 23 >= 3 && I % 23 <= 4);
    Holes.Points.push_back({X, Hole ? NAN : std::cos(7 * X) * 0.8});
    if (I % 31 == 0)
      for (int K = 0; K < 5; ++K) Holes.Points.push_back({X + K * 1e-7, 0.3 + K * 1e-7});
  }
  R.push_back(Holes);
  TCurve Huge;  // huge and infinite values, jumps across the whole plot, a curve going back
  const double V[] = {1e300, -1e300, INFINITY, 0.5, -INFINITY, 1e12, -0.2, -1e12, 0.9, 1e-300};
  for (int I = 0; I < 200; ++I) {
    const double X = I < 100 ? -1.5 + 0.03 * I : 1.5 - 0.031 * (I - 100);
    Huge.Points.push_back({X, I % 3 ? std::sin(X) : V[I % 10]});
  }
  Huge.Points.push_back({1e300, 0});
  Huge.Points.push_back({-1e300, 0.1});
  R.push_back(Huge);
  R.push_back({{{0.25, 0.5}}});                           // one point alone
  R.push_back({{{0.25, 0.5}, {0.25, 0.5}}});              // two on one pixel
  R.push_back({{{-3, -3}, {3, 3}, {0.1, 5}}});            // through the corners, then outside only
  R.push_back({{{1, 1}, {1, -1}, {1, 1}, {1.001, -1}}});  // on the right edge
  TCurve Log;  // logarithmic axes: values at and below zero go to the least logarithm
  Log.XLog = Log.YLog = true;
  for (int I = -20; I <= 400; ++I) Log.Points.push_back({I * 0.025, std::pow(I * 0.025, 3)});
  R.push_back(Log);
  return R;
}
}  // namespace

TEST(SeriesLines, PolylinesSetThePixelsOfTheSegmentsOneByOne) {
  const std::vector<TCurve> All = Curves();
  for (size_t K = 0; K < All.size(); ++K)
    for (int Style : {psSolid, psDash, psDot})
      for (int Width : {0, 1, 2})
        for (bool Direct : {true, false}) {
          SCOPED_TRACE(testing::Message() << "curve " << K << " style " << Style << " width "
                                          << Width << " direct " << Direct);
          const TDrawn Fast = Draw(All[K], Style, Width, true, Direct);
          const TDrawn Slow = Draw(All[K], Style, Width, false, Direct);
          EXPECT_EQ(DifferentPixels(Fast.Image, Slow.Image), 0);
        }
  // The curves draw something, and the dense one mostly out of polylines.
  const TDrawn Steep = Draw(All[0], psSolid, 1, true, true);
  const TDrawn Slow = Draw(All[0], psSolid, 1, false, true);
  EXPECT_GT(DifferentPixels(Steep.Image, Draw({}, psSolid, 1, true, true).Image), 500);
  EXPECT_GE(Steep.Count(coPolyline), 1);
  EXPECT_LT(Steep.Count(coLine) + Steep.Count(coPolyline) + Steep.Count(coPixel), 100);
  EXPECT_GT(Slow.Count(coLine) + Slow.Count(coPixel), 2000);
  // A point alone is one pixel.
  const TDrawn Lone = Draw(All[3], psSolid, 1, true, true);
  EXPECT_EQ(DifferentPixels(Lone.Image, Draw({}, psSolid, 1, true, true).Image), 1);
}

TEST(SeriesLines, PrintsPicturesAndWidePensGetEverySegment) {
  const TCurve Steep = Curves()[0];
  for (TDevice Device : {TDevice::Print, TDevice::Picture}) {
    const TDrawn D = Draw(Steep, psSolid, 1, true, true, Device);
    EXPECT_EQ(D.Count(coPolyline), 0);
    EXPECT_GT(D.Count(coLine) + D.Count(coPixel), 2000);
  }
  for (int Style : {psDash, psClear}) {
    const TDrawn D = Draw(Steep, Style, 1, true, true);
    EXPECT_EQ(D.Count(coPolyline), 0);
  }
  EXPECT_EQ(Draw(Steep, psSolid, 2, true, true).Count(coPolyline), 0);
}
