// The paint pipeline: autoscale, layout, drawing order, guards, print and picture targets, on
// images and on the recording target.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <cmath>
#include <limits>

#include "platform/canvas.h"
#include "platform/canvas_targets.h"
#include "plot/core/graph.h"
#include "plot/core/graph_output.h"
#include "test_layers.h"

namespace {
constexpr double Inf = std::numeric_limits<double>::infinity();
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

struct TOwner : TGraphOwner {
  QStringList Status;
  int Busy = 0;
  void ShowStatus(const QString& S) override { Status << S; }
  void SetBusyCursor(bool On) override { Busy += On ? 1 : -1; }
};

struct TImageScene {
  QImage Image{400, 300, QImage::Format_RGB32};
  std::unique_ptr<TImageTarget> Target;
  std::unique_ptr<TCanvas> Canvas;
  TOwner Owner;
  std::unique_ptr<TGraph> Graph;
  TImageScene() {
    Image.fill(Qt::black);
    Target = std::make_unique<TImageTarget>(&Image);
    Canvas = std::make_unique<TCanvas>(Target.get());
    Graph = std::make_unique<TGraph>(Canvas.get(), 400, 300, &Owner);
  }
  TTestLayer* Add(std::vector<TDoublePoint> P) {
    auto L = std::make_unique<TTestLayer>(Graph.get());
    L->Points = std::move(P);
    L->Name = QStringLiteral("curve");
    L->Color = clRed;
    return static_cast<TTestLayer*>(Graph->AddLayer(std::move(L)));
  }
  QRgb At(int X, int Y) {
    Target->Release();
    QRgb C = Image.pixel(X, Y);
    return C & 0xFFFFFF;
  }
};

TEST(GraphPaint, EmptyGraphPaintsAxesOverOneToTwo) {
  TImageScene S;
  TGraph& G = *S.Graph;
  G.Paint();
  EXPECT_FALSE(G.Busy);
  EXPECT_EQ(S.Owner.Busy, 0);
  EXPECT_DOUBLE_EQ(G.XMin, 1);
  EXPECT_DOUBLE_EQ(G.XMax, 2);
  EXPECT_DOUBLE_EQ(G.YMin, 1);
  const TRect P = G.PlotRect;
  EXPECT_GT(P.Left, 10);     // room for the Y labels
  EXPECT_LT(P.Bottom, 290);  // and the X labels
  EXPECT_EQ(S.At((P.Left + P.Right) / 2, (P.Top + P.Bottom) / 2), 0xFFFFFFu);  // plot area
  EXPECT_EQ(S.At(P.Left, (P.Top + P.Bottom) / 2), 0x7F7F7Fu);  // the frame, darkened plot colour
  EXPECT_EQ(S.At(P.Left - 1, (P.Top + P.Bottom) / 2), 0x000000u);  // the Y axis line outside it
  EXPECT_NE(S.At(2, 2), 0x000000u);                                // the background was filled

  // Fixed ends of non-automatic axes take over.
  G.XAxis->AutoMin = false;
  G.XAxis->Min = -3;
  G.PrepareLayout();
  EXPECT_DOUBLE_EQ(G.XMin, -3);
}

TEST(GraphPaint, AutoscaleExtents) {
  TImageScene S;
  TGraph& G = *S.Graph;
  TTestLayer* L = S.Add({{5, 5}});
  TDoubleRect E = G.CalcExtent();
  EXPECT_DOUBLE_EQ(E.Left, 4.5);
  EXPECT_DOUBLE_EQ(E.Right, 5.5);
  L->Points = {{-5, -5}};
  G.DataChanged();
  E = G.CalcExtent();  // a single negative point keeps its range in order
  EXPECT_DOUBLE_EQ(E.Left, -5.5);
  EXPECT_DOUBLE_EQ(E.Right, -4.5);
  L->Points = {{0, 0}};
  G.DataChanged();
  E = G.CalcExtent();
  EXPECT_DOUBLE_EQ(E.Left, -1);
  EXPECT_DOUBLE_EQ(E.Bottom, 1);

  // Log axis: data from 3 to 250 covers the decades 1 .. 1000.
  L->Points = {{3, 3}, {250, 250}};
  G.YAxis->Log = true;
  E = G.CalcExtent();
  EXPECT_DOUBLE_EQ(E.Top, 0);
  EXPECT_DOUBLE_EQ(E.Bottom, 3);
  G.YAxis->Log = false;

  // Non-finite values and empty layers are left out.
  L->Points = {{1, 1}, {Inf, 2}, {3, NaN}, {4, 4}};
  S.Add({});
  G.DataChanged();
  E = G.CalcExtent();
  EXPECT_DOUBLE_EQ(E.Left, 1);
  EXPECT_DOUBLE_EQ(E.Right, 4);
  EXPECT_DOUBLE_EQ(E.Bottom, 4);

  // Secondary axes follow the primary extent without layers of their own.
  E = G.CalcExtent2();
  EXPECT_DOUBLE_EQ(E.Right, 4);
  L->OnYAxis2 = true;
  EXPECT_DOUBLE_EQ(G.CalcExtent().Bottom, 2);  // nothing left on Y: 1 .. 2

  // The extent is kept until the data or a setting it depends on changes.
  const int Calls = L->ExtentCalls;
  G.CalcExtent();
  G.Paint();
  G.Paint();
  EXPECT_EQ(L->ExtentCalls, Calls + 1);  // once more for the secondary extent, then kept
  L->Visible = false;
  G.CalcExtent();
  L->Visible = true;
  G.CalcExtent();
  EXPECT_EQ(L->ExtentCalls, Calls + 2);  // hidden layers are not asked

  // Axis limits and inverted axes.
  G.XAxis->Inverted = true;
  TDoubleRect R = G.ApplyAxisLimits(*G.XAxis, *G.YAxis, {0, 0, 10, 5});
  EXPECT_EQ(R.Left, 10);
  EXPECT_EQ(R.Right, 0);
}

TEST(GraphPaint, LayersPaintInOrderAndSettingsStay) {
  TImageScene S;
  TGraph& G = *S.Graph;
  std::vector<TDoublePoint> Many;
  for (int I = 0; I < 100000; ++I) Many.push_back({I * 0.001, std::sin(I * 0.01)});
  TTestLayer* A = S.Add(Many);
  TTestLayer* B = S.Add({{0, 0}, {Inf, NaN}, {NaN, 1}, {100, 1e308}});
  B->Name = QStringLiteral("wild");
  const QByteArray Before = G.SaveToText();
  G.Paint();
  EXPECT_EQ(A->Draws, 1);
  EXPECT_EQ(B->Draws, 1);
  EXPECT_EQ(G.SaveToText(), Before);
  EXPECT_TRUE(std::isfinite(G.XMin) && std::isfinite(G.XMax));
  EXPECT_TRUE(S.Owner.Status.contains(QStringLiteral("Drawing wild...")));
  EXPECT_TRUE(S.Owner.Status.back().isEmpty());  // the progress text is removed at the end
  EXPECT_TRUE(G.YAxis->AutoMin);

  // A paint while painting returns at once.
  int Nested = 0;
  G.OnBeforeDraw = [&](TGraph* Gr) {
    ++Nested;
    Gr->Paint();
  };
  G.Paint();
  EXPECT_EQ(Nested, 1);
  EXPECT_EQ(A->Draws, 2);
}

TEST(GraphPaint, StackedBarsKeepSavedSettingsAndDrawAsAGroup) {
  TRecordingTarget T{400, 300};
  TCanvas C{&T};
  TGraph G(&C, 400, 300);
  struct TBars : TFakeSeries {
    using TFakeSeries::TFakeSeries;
    std::vector<int>* Log = nullptr;
    void DrawStackedBar(int J) override { Log->push_back(SeriesNumber() * 10 + J); }
    double PointY(int J) const override { return J < ItemCount() ? Points[J].Y : MissingValue; }
  };
  std::vector<int> Log;
  auto* Line = static_cast<TFakeSeries*>(G.AddLayer(std::make_unique<TFakeSeries>(&G, 0, 9)));
  Line->Points = {{0, 0}};
  for (int N : {1, 2}) {
    auto B = std::make_unique<TBars>(&G, 8, N);
    B->Points = {{0, 3}, {1, 4}};
    B->Log = &Log;
    G.AddLayer(std::move(B));
  }
  G.BarStyle = bsStacked;
  G.Paint();
  EXPECT_TRUE(G.YAxis->AutoMin);                       // only for the paint
  EXPECT_EQ(Log, (std::vector<int>{10, 20, 11, 21}));  // point by point
  EXPECT_EQ(Line->Draws, 1);
  EXPECT_DOUBLE_EQ(G.CalcExtent().Bottom, 8);
  EXPECT_DOUBLE_EQ(G.CalcExtent().Top, 0);
  G.BarStyle = bs100Stacked;
  EXPECT_DOUBLE_EQ(G.CalcExtent().Bottom, 100);
}

TEST(GraphPaint, LayoutScenes) {
  // Exaggerate 1 with equal spans gives a square plot area.
  TImageScene S;
  TGraph& G = *S.Graph;
  S.Add({{0, 0}, {10, 10}});
  G.Exaggerate = 1;
  G.ClipMarkers = true;
  G.Paint();
  EXPECT_NEAR(G.PlotRect.Width(), G.PlotRect.Height(), 1);
  G.Exaggerate = 0;
  G.CalcLayout();
  const TRect Free = G.PlotRect;
  G.Exaggerate = 1;
  G.CalcLayout();
  // Centred across the width it had.
  EXPECT_NEAR(G.PlotRect.Left - Free.Left, Free.Right - G.PlotRect.Right, 1);
  EXPECT_EQ(G.PlotRect.Top, Free.Top);
  G.ImageRect = {0, 0, 0, 0};
  G.CalcLayout();  // an empty area skips the shape fitting

  // View3D 20 %: the depth is a tenth of the width.
  TImageScene D;
  D.Add({{0, 0}, {1, 1}});
  D.Graph->View3D = 0.1;
  D.Graph->Paint();
  EXPECT_GT(D.Graph->Depth3D, 30);

  // A degenerate range is widened outward.
  TImageScene W;
  W.Graph->XMin = W.Graph->XMax = 4;
  W.Graph->CalcLayout();
  EXPECT_LT(W.Graph->XToPixel(3), W.Graph->XToPixel(5));

  // Inverted X maps the larger value to the left.
  TImageScene I;
  I.Add({{0, 0}, {10, 1}});
  I.Graph->XAxis->Inverted = true;
  I.Graph->Paint();
  EXPECT_LT(I.Graph->XToPixel(10), I.Graph->XToPixel(0));
}

TEST(GraphPaint, TitleFrameAndGradient) {
  TRecordingTarget T{400, 300};
  TCanvas C{&T};
  TGraph G(&C, 400, 300);
  G.Title.AddLine(QStringLiteral("Heading"));
  G.Title.Style = tsRaised;
  G.Foot.AddLine(QStringLiteral("a"));
  G.Foot.AddLine(QStringLiteral("b"));
  G.Foot.AddLine(QStringLiteral("c"));
  G.Frame.Width = 3;
  G.Gradient->Style = 1;
  G.Paint();
  int Heading = 0;
  std::vector<TPoint> At;
  for (const auto& Op : T.Ops())
    if (Op.Kind == coText && Op.Text == QStringLiteral("Heading"))
      ++Heading, At.push_back(Op.Points[0]);
  ASSERT_EQ(Heading, 2);  // the highlight first, up and left
  EXPECT_LT(At[0].X, At[1].X);
  EXPECT_LT(At[0].Y, At[1].Y);
  EXPECT_GT(G.Title.Rect.Height(), 0);
  C.Font()->SetName(QStringLiteral("Arial"));
  C.Font()->SetSize(8);
  EXPECT_EQ(G.Foot.Rect.Height(), std::lround(C.TextHeight(QStringLiteral("()")) * 3 * 1.07));
  EXPECT_EQ(G.FrameWidth(), 3 * G.CharHeight);
}

TEST(GraphPaint, PrintAndPictureTargets) {
  TRecordingTarget Screen{400, 300};
  TCanvas SC{&Screen};
  TGraph G(&SC, 400, 300);
  TRecordingTarget Page{4800, 3600, 600};
  TCanvas PC{&Page};
  G.PrintTo(&PC, {0, 0, 4800, 3600}, false);
  EXPECT_TRUE(Screen.Ops().empty());
  EXPECT_FALSE(Page.Ops().empty());
  EXPECT_FALSE(GraphPrinting());
  // At 600 dpi a major tick, 4 character heights, is 36 pixels.
  EXPECT_EQ(G.CharHeight, 9);
  bool Found = false;
  for (const auto& Op : Page.Ops())
    if (Op.Kind == coLine && Op.Points[0].Y == Op.Points[1].Y &&
        Op.Points[0].X - Op.Points[1].X == 36)
      Found = true;
  EXPECT_TRUE(Found);

  TRecordingTarget Pic{400, 300};
  TCanvas PicC{&Pic};
  G.PaintToPicture(&PicC, {0, 0, 400, 300});
  EXPECT_TRUE(Screen.Ops().empty());
  EXPECT_FALSE(Pic.Ops().empty());
  EXPECT_FALSE(GraphMetafileState().Drawing);
  EXPECT_EQ(G.ImageRect, (TRect{0, 0, 400, 300}));
}

}  // namespace

namespace {
TEST(GraphPaint, BackgroundPicture) {
  const QString File = QDir::temp().filePath(QStringLiteral("numyx_graph_picture.png"));
  QImage Tile(7, 5, QImage::Format_RGB32);
  Tile.fill(QColor(0, 0, 255));
  ASSERT_TRUE(Tile.save(File));
  for (TPictureStyle Style : {psStretch, psTile, psAsIsInside, psFix}) {
    TImageScene S;
    TGraph& G = *S.Graph;
    G.Picture->PictureFileName = File;
    G.Picture->LoadPicture();
    G.Picture->Visible = true;
    G.Picture->Style = Style;
    G.Paint();
    const TRect P = G.PlotRect;
    const QRgb Inside = S.At(P.Left + 3, P.Top + 3);
    const QRgb Middle = S.At((P.Left + P.Right) / 2, (P.Top + P.Bottom) / 2);
    const QRgb Around = S.At(3, 3);
    SCOPED_TRACE(Style);
    switch (Style) {
      case psStretch:
      case psTile:
        EXPECT_EQ(Inside, 0x0000FFu);
        EXPECT_EQ(Middle, 0x0000FFu);
        break;
      case psAsIsInside:
        EXPECT_EQ(Inside, 0x0000FFu);
        EXPECT_EQ(Middle, 0xFFFFFFu);  // once, at the top left
        break;
      case psFix:
        EXPECT_EQ(Around, 0x0000FFu);  // around the plot, under the frame
        EXPECT_EQ(Middle, 0xFFFFFFu);
        break;
    }
  }
  // A picture that cannot be read leaves none and draws nothing.
  QFile Bad(File);
  ASSERT_TRUE(Bad.open(QIODevice::WriteOnly));
  Bad.write("not a picture");
  Bad.close();
  TImageScene S;
  TGraphPicture Pic(S.Graph.get(), File);
  EXPECT_EQ(Pic.Picture(), nullptr);
  EXPECT_FALSE(Pic.Visible);
  QFile::remove(File);
}
}  // namespace

namespace {
TEST(GraphPaint, AnnotationLayerFromTheInstalledFactory) {
  {
    TImageScene S;  // none installed: no annotation layer, the graph paints
    EXPECT_EQ(S.Graph->Annotate, nullptr);
    S.Graph->Paint();
  }
  int Drawn = 0;
  struct TNote : TLayer {
    int* Count;
    TNote(TGraph* G, int* C) : TLayer(G), Count(C) {}
    void Draw() override { ++*Count; }
  };
  SetGraphAnnotationFactory([&](TGraph* G) { return std::make_unique<TNote>(G, &Drawn); });
  {
    TImageScene S;
    ASSERT_NE(S.Graph->Annotate, nullptr);
    int Order = 0, AfterDraw = 0;
    S.Graph->OnAfterDraw = [&](TGraph*) { AfterDraw = ++Order + Drawn; };
    S.Graph->Paint();
    EXPECT_EQ(Drawn, 1);
    EXPECT_EQ(AfterDraw, 2);  // the annotations lie under what follows them
  }
  SetGraphAnnotationFactory(nullptr);
}
}  // namespace
