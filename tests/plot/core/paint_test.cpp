// The paint pipeline: autoscale, layout, drawing order, guards, print and picture targets, on
// images and on the recording target.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <cmath>
#include <limits>

#include "platform/canvas.h"
#include "platform/canvas_targets.h"
#include "plot/core/graph.h"
#include "test_layers.h"

namespace {
constexpr double Inf = std::numeric_limits<double>::infinity();
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

struct TOwner : TGraphOwner {
  QStringList Status;
  int Drawn = 0;
  void ShowStatus(const QString& S) override { Status << S; }
  void PictureDrawn() override { ++Drawn; }
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

// Shows the picture file on the graph as its background.
void ShowPicture(TGraph& G, const QString& File, TPictureStyle Style = psStretch) {
  G.Picture->PictureFileName = File;
  G.Picture->LoadPicture();
  G.Picture->Visible = true;
  G.Picture->Style = Style;
}

// A picture of one colour saved as File.
bool SavePicture(const QString& File, int W, int H, QColor Color) {
  QImage Tile(W, H, QImage::Format_RGB32);
  Tile.fill(Color);
  return Tile.save(File);
}

TEST(GraphPaint, EmptyGraphPaintsAxesOverOneToTwo) {
  TImageScene S;
  TGraph& G = *S.Graph;
  G.Paint();
  EXPECT_FALSE(G.Busy);
  EXPECT_EQ(S.Owner.Drawn, 1);
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

TEST(GraphPaint, AutoscaleWaitsWhileTheZoomIsArmedOrHoldsStates) {
  TImageScene S;
  TGraph& G = *S.Graph;
  TTestLayer* L = S.Add({{0, 0}, {10, 10}});
  G.Paint();
  const double Before = G.XMax;
  L->Points.push_back({100, 100});
  G.Zoom.Enabled = true;  // armed: the band the user drags refers to the ranges shown
  G.Paint();
  EXPECT_NEAR(G.XMax, Before, 0.01);
  G.Zoom.Enabled = false;
  G.Zoom.PushPrimary({0, 0, 10, 10});
  G.Paint();
  EXPECT_NEAR(G.XMax, Before, 0.01);
  G.Zoom.ClearStacks();
  G.Paint();
  EXPECT_GE(G.XMax, 100);
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

  // An animated zoom repaints step after step without progress texts.
  G.OnBeforeDraw = nullptr;
  S.Owner.Status.clear();
  G.ZoomAnimated = true;
  G.Paint();
  for (const QString& T : S.Owner.Status) EXPECT_TRUE(T.isEmpty()) << T.toStdString();
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
  EXPECT_FALSE(G.Device().Printing);
  // At 600 dpi a major tick, 4 character heights, is 36 pixels.
  EXPECT_EQ(G.CharHeight, 9);
  {
    TPaintScope Scope(G, TPaintContext::Print(&PC, false));
    PC.Font()->SetName(QStringLiteral("Courier"));
    PC.Font()->SetSize(12);
    EXPECT_EQ(G.MeasureCharHeight(), 9);
    EXPECT_EQ(PC.Font()->Name(), QStringLiteral("Courier"));  // the canvas font stays
    EXPECT_EQ(PC.Font()->Size(), 12);
  }
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
  EXPECT_FALSE(G.Device().Picture);
  EXPECT_EQ(G.ImageRect, (TRect{0, 0, 400, 300}));
}

}  // namespace

namespace {
TEST(GraphPaint, BackgroundPicture) {
  // A folder of its own: test programs of other build trees may run at the same time.
  const QTemporaryDir Dir;
  const QString File = Dir.filePath(QStringLiteral("numyx_graph_picture.png"));
  ASSERT_TRUE(SavePicture(File, 7, 5, QColor(0, 0, 255)));
  for (TPictureStyle Style : {psStretch, psTile, psAsIsInside, psFix}) {
    TImageScene S;
    TGraph& G = *S.Graph;
    ShowPicture(G, File, Style);
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
  // A picture of one pixel tiles in blocks, not one image per pixel, and fills every pixel.
  ASSERT_TRUE(SavePicture(File, 1, 1, QColor(0, 128, 0)));
  {
    TRecordingTarget Log{400, 300};
    TCanvas LC{&Log};
    TGraph LG(&LC, 400, 300);
    TImageScene S;
    for (TGraph* G : {&LG, S.Graph.get()}) {
      ShowPicture(*G, File, psTile);
      G->Paint();
    }
    int Images = 0;
    for (const TCanvasOp& Op : Log.Ops()) Images += Op.Kind == coImage;
    EXPECT_LE(Images, 16);
    const TRect P = S.Graph->PlotRect;
    for (int X = P.Left + 1; X < P.Right - 1; X += 37)
      for (int Y = P.Top + 1; Y < P.Bottom - 2; Y += 29) EXPECT_EQ(S.At(X, Y), 0x008000u) << X << Y;
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

namespace {
// A layer whose extent says what the test makes it say, non-finite ends included.
struct TExtentLayer : TFakeSeries {
  TExtentLayer(TGraph* G, TDoubleRect E, int Kind = 0) : TFakeSeries(G, Kind), Ext(E) {
    Points = {{0, 0}};
  }
  TDoubleRect Ext;
  void GetExtent(double& XMin, double& XMax, double& YMin, double& YMax) override {
    XMin = Ext.Left, XMax = Ext.Right, YMin = Ext.Top, YMax = Ext.Bottom;
  }
  double PointY(int J) const override { return J == 0 ? Ext.Bottom : MissingValue; }
};

TEST(GraphPaint, ExtentQueries) {
  TRecordingTarget T{400, 300};
  TCanvas C{&T};
  TGraph G(&C, 400, 300);
  auto Add = [&G](TDoubleRect E, int Kind = 0) {
    return static_cast<TExtentLayer*>(G.AddLayer(std::make_unique<TExtentLayer>(&G, E, Kind)));
  };
  auto Expect = [](TDoubleRect E, double XMn, double YMn, double XMx, double YMx) {
    EXPECT_DOUBLE_EQ(E.Left, XMn);
    EXPECT_DOUBLE_EQ(E.Top, YMn);
    EXPECT_DOUBLE_EQ(E.Right, XMx);
    EXPECT_DOUBLE_EQ(E.Bottom, YMx);
  };
  // No layers: 1 .. 2 everywhere.
  Expect(G.GetPrimaryExtent(), 1, 1, 2, 2);
  Expect(G.GetSecondaryExtent(), 1, 1, 2, 2);
  Expect(G.GetDataExtent(), 1, 1, 2, 2);

  TExtentLayer* A = Add({2, 3, 4, 7});
  Add({NaN, -Inf, 5, Inf});         // nothing usable
  Add({1e38, 1e38, -1e38, -1e38});  // an empty layer's answer
  TExtentLayer* Hidden = Add({-100, -100, 100, 100});
  Hidden->Visible = false;
  TExtentLayer* Right = Add({50, 100, 60, 1000});
  Right->OnYAxis2 = true;
  Expect(G.GetPrimaryExtent(), 2, 3, 60, 7);
  Expect(G.DataExtent, 2, 3, 60, 7);
  Expect(G.GetDataExtent(), 2, 3, 60, 7);
  // The secondary query takes only the layers on the secondary axes; X has none.
  Expect(G.GetSecondaryExtent(), 1, 100, 2, 1000);
  G.YAxis2->Log = true;
  Right->Ext = {50, 150, 60, 1000};
  Expect(G.GetSecondaryExtent(), 1, 1, 2, 3);  // a decade below 150, 1000 is whole
  Expect(G.DataExtent, 1, 150, 2, 1000);       // the raw values
  G.YAxis2->Log = false;

  // A single value is widened by a tenth of its size on both sides; 0 becomes 1 .. 2.
  Right->Visible = false;
  A->Ext = {-5, 0, -5, 0};
  Expect(G.GetPrimaryExtent(), -5.5, 1, -4.5, 2);
  Expect(G.GetDataExtent(), 1, 1, 2, 2);

  // Stacked bars only widen the range the primary query reports.
  A->Visible = false;
  Add({0, 3, 1, 3}, 8);
  Add({0, 4, 1, 4}, 8);
  G.BarStyle = bsStacked;
  Expect(G.GetPrimaryExtent(), 0, 0, 1, 7);
  G.BarStyle = bs100Stacked;
  Expect(G.GetPrimaryExtent(), 0, 0, 1, 100);
  G.AddLayer(std::make_unique<TExtentLayer>(&G, TDoubleRect{0, -20, 1, 150}));
  Expect(G.GetPrimaryExtent(), 0, -20, 1, 150);
  EXPECT_DOUBLE_EQ(G.CalcExtent().Bottom, 100);  // autoscaling fixes 0 .. 100
  EXPECT_DOUBLE_EQ(G.CalcExtent().Top, 0);
  // Bar series are merged on their own; an inverted axis swaps the ends.
  G.YAxis->Inverted = true;
  Expect(G.GetBarSeriesExtent(), 0, 4, 1, 3);
}

TEST(GraphPaint, PrintedPictureGoesToTheWholeBackWall) {
  // A folder of its own: test programs of other build trees may run at the same time.
  const QTemporaryDir Dir;
  const QString File = Dir.filePath(QStringLiteral("numyx_graph_print_picture.png"));
  ASSERT_TRUE(SavePicture(File, 7, 5, QColor(0, 0, 255)));
  TRecordingTarget Screen{400, 300};
  TCanvas SC{&Screen};
  TGraph G(&SC, 400, 300);
  ShowPicture(G, File);
  auto Images = [](const TRecordingTarget& T) {
    std::vector<TRect> R;
    for (const auto& Op : T.Ops())
      if (Op.Kind == coImage) R.push_back(Op.Rect);
    return R;
  };
  for (TPictureStyle Style : {psStretch, psAsIsInside, psTile, psFix}) {
    SCOPED_TRACE(Style);
    G.Picture->Style = Style;
    TRecordingTarget Page{4800, 3600, 600};
    TCanvas PC{&Page};
    G.PrintTo(&PC, {0, 0, 4800, 3600}, false);
    const TRect P = G.PlotRect;
    const std::vector<TRect> R = Images(Page);
    ASSERT_FALSE(R.empty());
    switch (Style) {
      case psStretch:
      case psAsIsInside:  // on paper both fill the back wall
        ASSERT_EQ(R.size(), 1u);
        EXPECT_EQ(R[0], P);
        break;
      case psTile: {
        // Tiles scaled to the printer's resolution, 600 against 96 pixels per inch, 44 by 31,
        // and sent in blocks of 36 by 51 tiles (at least 256 picture pixels a side).
        const int BW = 44 * (256 / 7), BH = 31 * (256 / 5);
        EXPECT_EQ(R[0], (TRect{P.Left, P.Top, P.Left + BW, P.Top + BH}));
        const size_t Columns = (P.Width() + BW - 1) / BW, Rows = (P.Height() + BH - 1) / BH;
        EXPECT_EQ(R.size(), Columns * Rows);
        break;
      }
      case psFix:
        EXPECT_EQ(R[0], (TRect{0, 0, 4800, 3600}));
        break;
    }
  }
  // On screen the picture shown as it is keeps its own size.
  G.Picture->Style = psAsIsInside;
  Screen.Clear();
  G.Paint();
  const std::vector<TRect> R = Images(Screen);
  ASSERT_EQ(R.size(), 1u);
  EXPECT_EQ(R[0].Width(), 7);
  QFile::remove(File);
}

TEST(GraphPaint, SlantedFrameBandsKeepTheirWidth) {
  TImageScene S;
  TGraph& G = *S.Graph;
  G.View3D = 0.2;
  G.Frame.Color = 0x808080;
  G.ImageRect = {0, 0, 300, 300};  // room on the right for the box's depth
  G.PrepareLayout();
  G.Frame.Width = std::max(2, 10 / G.CharHeight + 1);  // about ten pixels wide
  G.PrepareLayout();
  G.Frame.Draw();
  const TRect P = G.PlotRect;
  const int W = G.FrameWidth(), D = G.Depth3D;
  ASSERT_GT(W, 8);
  ASSERT_GT(D, 4 * W);
  // Across each slanted edge, half a band width out is the band; a little past its width is not.
  const double Half = W / 2.0 / std::sqrt(2.0), Past = (W + 2) / std::sqrt(2.0);
  const int MX = P.Left + D / 2, MY = P.Top - D / 2;
  EXPECT_EQ(S.At(std::lround(MX - Half), std::lround(MY - Half)), 0x303030u);  // darker by 80
  EXPECT_EQ(S.At(std::lround(MX - Past), std::lround(MY - Past)), 0x000000u);
  const int NX = P.Right + D / 2, NY = P.Bottom - D / 2;
  EXPECT_EQ(S.At(std::lround(NX + Half), std::lround(NY + Half)), 0x444444u);  // darker by 60
  EXPECT_EQ(S.At(std::lround(NX + Past), std::lround(NY + Past)), 0x000000u);
  // The front bands in the frame colour, the walls and the floor in shades of the plot colour.
  EXPECT_EQ(S.At(P.Left - W / 2, (P.Top + P.Bottom) / 2), 0x808080u);
  EXPECT_EQ(S.At((P.Left + P.Right) / 2, P.Bottom + W / 2), 0x808080u);
  EXPECT_EQ(S.At(P.Left - W - 2, (P.Top + P.Bottom) / 2), 0x000000u);
  EXPECT_EQ(S.At(P.Left + D / 2, (P.Top + P.Bottom) / 2), 0x9B9B9Bu);    // left wall, 100
  EXPECT_EQ(S.At((P.Left + P.Right) / 2, P.Bottom - D / 2), 0xAFAFAFu);  // floor, 80
  // The mitre joins the top band to the left band without a gap.
  EXPECT_NE(S.At(P.Left - W + 1, P.Top - 1), 0x000000u);
}
}  // namespace

namespace {
TEST(GraphPaint, ZoomedPictureShowsTheZoomedPart) {
  // A folder of its own: test programs of other build trees may run at the same time.
  const QTemporaryDir Dir;
  const QString File = Dir.filePath(QStringLiteral("numyx_graph_zoom_picture.png"));
  QImage Pic(40, 20, QImage::Format_RGB32);
  Pic.fill(QColor(255, 0, 0));
  for (int X = 0; X < 20; ++X)
    for (int Y = 0; Y < 10; ++Y) Pic.setPixel(X, Y, qRgb(0, 0, 255));  // the top left quarter
  ASSERT_TRUE(Pic.save(File));
  TRecordingTarget T{400, 300};
  TCanvas C{&T};
  TGraph G(&C, 400, 300);
  ShowPicture(G, File);
  G.PlotRect = {50, 20, 380, 260};
  auto Shown = [&] {
    T.Clear();
    G.Picture->Draw();
    for (const auto& Op : T.Ops())
      if (Op.Kind == coImage) return Op.Image;
    return QImage();
  };
  EXPECT_EQ(Shown().size(), QSize(40, 20));
  G.Zoom.PushPrimary({});
  G.SavedRanges = {0, 0, 10, 10};
  G.XMin = 0, G.XMax = 5, G.YMin = 5, G.YMax = 10;
  QImage Z = Shown();
  ASSERT_EQ(Z.size(), QSize(20, 10));
  EXPECT_EQ(Z.pixel(0, 0) & 0xFFFFFF, 0x0000FFu);
  EXPECT_EQ(Z.pixel(19, 9) & 0xFFFFFF, 0x0000FFu);
  // Ranges beyond the first state's show no picture; a first state without width the whole.
  G.XMin = 20, G.XMax = 30;
  EXPECT_TRUE(Shown().isNull());
  G.SavedRanges = {0, 0, 0, 10};
  EXPECT_EQ(Shown().size(), QSize(40, 20));
  QFile::remove(File);
}
}  // namespace
