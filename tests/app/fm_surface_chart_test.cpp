// The surface window driven as a user would: a surface of sin(X)*cos(Y) tabulated into it, its
// scroll bars, each command's effect on the picture, the pictures it saves and copies, and the
// plots that must change nothing (a break, a grid too large, a text that cannot be read).
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QScrollBar>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "app/graphics/chart_window_tools.h"
#include "app/graphics/fm_surface_chart.h"
#include "app/graphics/surface_polar_plot.h"
#include "chart/editors/chart_preview.h"
#include "chart/editors/pen_dialogs.h"
#include "chart/engine/chart.h"
#include "chart/engine/surface_series.h"
#include "platform/canvas_targets.h"
#include "platform/controls.h"
#include "tests/app/chart_windows_support.h"
#include "tests/chart/engine/text_boxes.h"

namespace {

class SurfaceChartTest : public ChartWindowTest {
 protected:
  void SetUp() override {
    ChartWindowTest::SetUp();
    Form.reset(CreateForm<TfmSurfaceChart>());
    Form->resize(800, 600);
  }
  void TearDown() override {
    Form.reset();
    ChartWindowTest::TearDown();
  }
  TPlotRequest Request(const char* Text, int N = 20) {
    TPlotRequest R;
    R.Input = Text;
    R.XFrom = R.YFrom = -3;
    R.XTo = R.YTo = 3;
    R.XSteps = R.YSteps = N;
    R.Legend = QStringLiteral("f(") + QLatin1String(Text) + QStringLiteral(")");
    R.XTitle = QStringLiteral("X");
    R.ShowEvalError = [this](const TSideResult& E) {
      ResultLine << QString::fromStdString(E.Message);
    };
    return R;
  }
  QImage Picture() const {
    return Form->Chart->CreateBitmap(clWhite, {0, 0, 600, 450})
        ->Image()
        .convertToFormat(QImage::Format_RGB32);
  }
  // Pixels that are not Background, and the distinct colours among them.
  static int Painted(const QImage& I, QRgb Background, std::set<QRgb>* Colors = nullptr) {
    int N = 0;
    for (int y = 0; y < I.height(); ++y)
      for (int x = 0; x < I.width(); ++x) {
        const QRgb P = I.pixel(x, y) | 0xFF000000u;
        if (P == (Background | 0xFF000000u)) continue;
        ++N;
        if (Colors) Colors->insert(P);
      }
    return N;
  }
  // The texts the chart writes.
  std::vector<QString> Texts() const {
    TRecordingTarget Target(600, 450);
    TCanvas C(&Target);
    Form->Chart->DrawToMetaCanvas(&C, {0, 0, 600, 450});
    std::vector<QString> R;
    for (const TCanvasOp& O : Target.Ops())
      if (O.Kind == coText) R.push_back(O.Text);
    return R;
  }
  static bool Has(const std::vector<QString>& Texts, const char* Text) {
    return std::find(Texts.begin(), Texts.end(), QLatin1String(Text)) != Texts.end();
  }
  std::unique_ptr<TfmSurfaceChart> Form;
  QStringList ResultLine;
};

TEST_F(SurfaceChartTest, StartsInItsDesignedViewWithSampleValues) {
  TChart* C = Form->Chart;
  const TView3DOptions* V = C->View3DOptions();
  EXPECT_EQ(V->Rotation(), 324);
  EXPECT_EQ(V->Zoom(), 60);
  EXPECT_EQ(V->VertOffset(), -20);
  EXPECT_EQ(V->Perspective(), 26);
  EXPECT_FALSE(V->Orthogonal());
  EXPECT_EQ(C->Chart3DPercent(), 90);
  EXPECT_FALSE(C->Legend()->Visible());
  EXPECT_FALSE(ChartEraseBackground);
  EXPECT_EQ(Form->SurfaceSeries1->Count(), 15 * 15);
  EXPECT_EQ(Form->SurfaceSeries1->Pen()->Color(), clBlack);
  EXPECT_TRUE(Form->sbL1->Down());
  EXPECT_TRUE(Form->sbGrid->Down());
  EXPECT_TRUE(Form->sbW1->Down());
  EXPECT_TRUE(Form->miColorRange->isChecked());
  EXPECT_EQ(Form->ScrollBar1->value(), 324);
}

// The pixels where two pictures differ, as their bounding box (empty when none differ).
QRect Changed(const QImage& A, const QImage& B) {
  QRect Box;
  for (int y = 0; y < A.height(); ++y)
    for (int x = 0; x < A.width(); ++x)
      if (A.pixel(x, y) != B.pixel(x, y)) Box |= QRect(x, y, 1, 1);
  return Box;
}

TEST_F(SurfaceChartTest, DesignedViewShowsTheWholeSurfaceInsideItsWalls) {
  TChart* C = Form->Chart;
  TSurfaceSeries* S = Form->SurfaceSeries1;
  // A chart area of the window's designed width.
  const TRect R{0, 0, 640, 380};
  const QRect Inside = QRect(0, 0, 640, 380).adjusted(2, 2, -2, -2);
  auto Shot = [&] {
    return C->CreateBitmap(clWhite, R)->Image().convertToFormat(QImage::Format_RGB32);
  };
  auto Check = [&](const char* View) {
    SCOPED_TRACE(View);
    const QImage All = Shot();
    // The surface, the walls and the axes each paint something, and all of it lies inside the
    // picture: a box deep enough to fold its front would reach past every edge.
    S->SetActive(false);
    const QImage NoSurface = Shot();
    S->SetActive(true);
    const QRect Surface = Changed(All, NoSurface);
    EXPECT_GT(Surface.width(), R.Right / 3);
    EXPECT_GT(Surface.height(), R.Bottom / 4);
    EXPECT_TRUE(Inside.contains(Surface))
        << Surface.x() << "," << Surface.y() << " " << Surface.width() << "x" << Surface.height();
    C->SetView3DWalls(false);
    const QRect Walls = Changed(NoSurface, [&] {
      S->SetActive(false);
      QImage I = Shot();
      S->SetActive(true);
      return I;
    }());
    C->SetView3DWalls(true);
    EXPECT_FALSE(Walls.isEmpty());
    EXPECT_TRUE(Inside.contains(Walls));
    C->SetAxisVisible(false);
    const QRect Axes = Changed(All, Shot());
    C->SetAxisVisible(true);
    EXPECT_GT(Axes.width(), Surface.width() / 2);
    EXPECT_TRUE(Inside.contains(Axes))
        << Axes.x() << "," << Axes.y() << " " << Axes.width() << "x" << Axes.height();
    // The surface stands inside its box: within the walls, the axes and the grid.
    EXPECT_TRUE((Walls | Axes).adjusted(-2, -2, 2, 2).contains(Surface));
  };
  Check("design");
  // The zoom the bar starts from is in force: at 30 the surface is drawn half as wide.
  EXPECT_DOUBLE_EQ(C->Canvas3D()->ZoomFactor(), 0.6);
  auto SurfaceWidth = [&] {
    const QImage All = Shot();
    S->SetActive(false);
    const QImage Without = Shot();
    S->SetActive(true);
    return Changed(All, Without).width();
  };
  const int Zoomed60 = SurfaceWidth();
  Form->sbZoom->setValue(30);
  EXPECT_NEAR(SurfaceWidth(), Zoomed60 / 2.0, Zoomed60 * 0.05);
  Form->sbZoom->setValue(60);
  Form->ScrollBar1->setValue(350);
  Check("right");
  Form->ScrollBar1->setValue(290);
  Check("rotated");
  Form->ScrollBar1->setValue(324);
  Form->ScrollBar2->setValue(335);
  Check("raised");
}

TEST_F(SurfaceChartTest, ScrollBarsWriteTheViewAtOnce) {
  const TView3DOptions* V = Form->Chart->View3DOptions();
  const QImage Before = Picture();
  Form->ScrollBar1->setValue(300);
  EXPECT_EQ(V->Rotation(), 300);
  EXPECT_NE(Picture(), Before);
  Form->ScrollBar2->setValue(280);
  Form->sbZoom->setValue(150);
  Form->scbHoriz->setValue(40);
  Form->scbVert->setValue(-60);
  Form->sbTilt->setValue(315);
  EXPECT_EQ(V->Elevation(), 280);
  EXPECT_EQ(V->Zoom(), 150);
  EXPECT_EQ(V->HorizOffset(), 40);
  EXPECT_EQ(V->VertOffset(), -60);
  EXPECT_EQ(V->Tilt(), 315);
}

TEST_F(SurfaceChartTest, PlotsTheSurfaceOfTheFormula) {
  ASSERT_EQ(PlotSurface(Request("sin(X) * cos(Y)"), *Form), TPlotOutcome::Plotted);
  TSurfaceSeries* S = Form->SurfaceSeries1;
  EXPECT_TRUE(Form->isVisible());
  EXPECT_EQ(S->NumXValues(), 21);
  EXPECT_EQ(S->NumZValues(), 21);
  ASSERT_EQ(S->Count(), 21 * 21);
  S->FillGridIndex();
  for (int i : {1, 7, 21})
    for (int j : {1, 12, 21}) {
      const int k = S->GridIndex(i, j);
      ASSERT_GE(k, 0);
      EXPECT_NEAR(S->YValue(k), std::sin(-3 + 0.3 * (i - 1)) * std::cos(-3 + 0.3 * (j - 1)), 1e-12);
    }
  EXPECT_EQ(S->Title(), QStringLiteral("f(x,y)=sin(X)*cos(Y)"));
  EXPECT_EQ(Form->Chart->Title()->Text(), QStringList{QStringLiteral("f(sin(X) * cos(Y))")});
  EXPECT_EQ(Form->Chart->BottomAxis()->TitleCaption(), QStringLiteral("X"));
  EXPECT_FALSE(S->Pen()->Visible());
  EXPECT_EQ(S->PaletteSteps(), 10);
  EXPECT_DOUBLE_EQ(Form->XStep, 0.3);
  EXPECT_DOUBLE_EQ(Form->YFrom, -3);

  // Complex mode plots |f| and says so in the title.
  TPlotRequest R = Request("comp(X,Y)", 2);
  R.ComplexMode = true;
  ASSERT_EQ(PlotSurface(R, *Form), TPlotOutcome::Plotted);
  EXPECT_EQ(Form->Chart->Title()->Text(), QStringList{QStringLiteral("|f(comp(X,Y))|")});
  EXPECT_EQ(S->Title(), QStringLiteral("f(x,y)=abs(comp(X,Y))"));
  S->FillGridIndex();
  EXPECT_NEAR(S->YValue(S->GridIndex(1, 1)), std::sqrt(18.0), 1e-12);
}

TEST_F(SurfaceChartTest, FailedPointsAreHolesAndFailedPlotsChangeNothing) {
  ASSERT_EQ(PlotSurface(Request("sqrt(X-0.1)"), *Form), TPlotOutcome::Plotted);
  TSurfaceSeries* S = Form->SurfaceSeries1;
  int Null = 0;
  for (int k = 0; k < S->Count(); ++k) Null += S->IsNull(k);
  EXPECT_EQ(Null, 11 * 21);  // the columns of X < 0.1
  EXPECT_GE(S->MinYValue(), 0.0);
  ASSERT_EQ(PlotSurface(Request("sqrt(X+3)"), *Form), TPlotOutcome::Plotted);

  const int Count = S->Count();
  Host.Pumps = 0;
  Host.StopAt = 5;
  EXPECT_EQ(PlotSurface(Request("X*Y"), *Form), TPlotOutcome::Break);
  EXPECT_EQ(ResultLine, QStringList{QStringLiteral("User break: position 4")});
  EXPECT_TRUE(Dialogs.Requests.empty());
  Host.StopAt = 0;
  EXPECT_EQ(PlotSurface(Request("X*Y", 100000), *Form), TPlotOutcome::TooLarge);
  EXPECT_EQ(PlotSurface(Request("sin(X"), *Form), TPlotOutcome::Failed);
  ASSERT_EQ(Dialogs.Messages().size(), 2);
  EXPECT_TRUE(Dialogs.Messages()[0].contains(QStringLiteral("100001 x 100001")));
  EXPECT_EQ(Dialogs.Messages()[1], QStringLiteral("Cann't calculate this function"));
  EXPECT_EQ(S->Count(), Count);
  EXPECT_EQ(S->Title(), QStringLiteral("f(x,y)=sqrt(X+3)"));
}

TEST_F(SurfaceChartTest, DisplayModesShowOnThePicture) {
  ASSERT_EQ(PlotSurface(Request("sin(X)*cos(Y)"), *Form), TPlotOutcome::Plotted);
  // Clean: a black picture without walls and axes, and back.
  const TColor Color = Form->Chart->Color();
  Form->miClean->trigger();
  EXPECT_TRUE(Form->miClean->isChecked());
  EXPECT_FALSE(Form->Chart->View3DWalls());
  EXPECT_FALSE(Form->Chart->AxisVisible());
  EXPECT_FALSE(Form->Chart->Gradient()->Visible());
  const QImage Clean = Picture();
  EXPECT_EQ(Clean.pixel(3, 3) | 0xFF000000u, qRgb(0, 0, 0));

  std::set<QRgb> RangeColors;
  const int Solid = Painted(Clean, qRgb(0, 0, 0), &RangeColors);
  EXPECT_GT(RangeColors.size(), 10u);

  // Wire frame: only the cells' outlines, in the start colour (white on black, which shows).
  Form->sbWireFrame->click();
  EXPECT_TRUE(Form->miWireFrame->isChecked());
  EXPECT_TRUE(Form->sbWireFrame->Down());
  EXPECT_TRUE(Form->SurfaceSeries1->WireFrame());
  EXPECT_EQ(Form->SurfaceSeries1->Pen()->Color(), Form->SurfaceSeries1->StartColor());
  EXPECT_LT(Painted(Picture(), qRgb(0, 0, 0)), Solid / 2);
  Form->miWireFrame->trigger();
  EXPECT_TRUE(Form->sbW1->Down());
  EXPECT_FALSE(Form->SurfaceSeries1->WireFrame());
  EXPECT_FALSE(Form->SurfaceSeries1->Pen()->Visible());
  EXPECT_EQ(Picture(), Clean);

  // Single colour: one fill and a black frame.
  Form->miSingleColor->trigger();
  EXPECT_TRUE(Form->miSingleColor->isChecked());
  EXPECT_FALSE(Form->miColorRange->isChecked());
  EXPECT_TRUE(Form->miViewFrame->isChecked());
  std::set<QRgb> Single;
  Painted(Picture(), qRgb(0, 0, 0), &Single);
  EXPECT_LE(Single.size(), 3u);
  // Palette: at most its steps.
  Form->miColorPalette->trigger();
  EXPECT_EQ(Form->SurfaceSeries1->PaletteSteps(), 50);
  std::set<QRgb> Palette;
  Painted(Picture(), qRgb(0, 0, 0), &Palette);
  EXPECT_GT(Palette.size(), 3u);
  // Besides the steps and the black frame, only the title and the panel's bevel show: the whole
  // surface lies inside the picture.
  for (QRgb Other : {qRgb(0, 0, 255), qRgb(0x80, 0x80, 0x80), qRgb(255, 255, 255)})
    Palette.erase(Other | 0xFF000000u);
  EXPECT_LE(Palette.size(), 51u);
  // Back to the colour range with the pen as it was before single colour.
  Form->miColorRange->trigger();
  EXPECT_FALSE(Form->SurfaceSeries1->Pen()->Visible());
  EXPECT_EQ(Picture(), Clean);
  // View frame (left checked by single colour): off, then on, when the pen shows the edges.
  Form->miViewFrame->trigger();
  EXPECT_FALSE(Form->SurfaceSeries1->Pen()->Visible());
  Form->miViewFrame->trigger();
  EXPECT_TRUE(Form->SurfaceSeries1->Pen()->Visible());
  EXPECT_NE(Picture(), Clean);
  Form->miViewFrame->trigger();

  Form->miClean->trigger();
  EXPECT_EQ(Form->Chart->Color(), Color);
  EXPECT_TRUE(Form->Chart->View3DWalls());
  EXPECT_TRUE(Form->Chart->Gradient()->Visible());
}

TEST_F(SurfaceChartTest, GridLegendAndTheDialogCommands) {
  TChart* C = Form->Chart;
  const QImage Before = Picture();
  Form->sbGrid->click();
  EXPECT_FALSE(C->BottomAxis()->Grid()->Visible());
  EXPECT_TRUE(Form->sbG1->Down());
  EXPECT_FALSE(Form->miGrid->isChecked());
  Form->miGrid->trigger();
  EXPECT_TRUE(C->DepthAxis()->Grid()->Visible());
  EXPECT_TRUE(Form->sbGrid->Down());
  Form->sbLegend->click();
  EXPECT_TRUE(C->Legend()->Visible());
  EXPECT_TRUE(Form->sbLegend->Down());
  EXPECT_TRUE(Form->miLegend->isChecked());
  EXPECT_NE(Picture(), Before);
  Form->miLegend->trigger();
  EXPECT_TRUE(Form->sbL1->Down());

  int Previews = 0;
  SetChartModalRunner([&](TForm& F) { Previews += dynamic_cast<TChartPreview*>(&F) != nullptr; });
  Form->sbPrint->click();
  SetChartModalRunner(nullptr);
  EXPECT_EQ(Previews, 1);
  EXPECT_TRUE(Dialogs.Messages().isEmpty());

  // The metafiles are read back by the independent readers: each of the 14 x 14 cells of the
  // sample grid is a shape there.
  Dialogs.AnswerFile(Path("s"), 3);
  Form->miSaveAs->trigger();
  EXPECT_GE(MetafileToSvg(true, Path("s.EMF")).count(QStringLiteral("<path")), 14 * 14);
  Dialogs.AnswerFile(Path("s"), 2);
  Form->sbSaveAs->click();
  EXPECT_GE(MetafileToSvg(false, Path("s.WMF")).count(QStringLiteral("<polygon")), 14 * 14);
  Dialogs.AnswerFile(Path("s"), 1);
  Form->sbSaveAs->click();
  EXPECT_EQ(QImage(Path("s.BMP"), "BMP").size(), C->size());

  QGuiApplication::clipboard()->clear();
  Form->miCopyMetafile->trigger();
  ASSERT_NE(QGuiApplication::clipboard()->mimeData(), nullptr);
  EXPECT_TRUE(QGuiApplication::clipboard()->mimeData()->hasFormat(QStringLiteral("image/x-emf")));
  Form->miCopyBitmap->trigger();
  EXPECT_EQ(QGuiApplication::clipboard()->image().size(), C->size());
}

}  // namespace

namespace {

TEST_F(SurfaceChartTest, AxesWriteTheXAndYValuesThatWerePlotted) {
  TPlotRequest R = Request("sin(X)*cos(Y)", 40);
  R.XFrom = -10;
  R.XTo = 10;
  R.YFrom = 100;
  R.YTo = 200;
  ASSERT_EQ(PlotSurface(R, *Form), TPlotOutcome::Plotted);
  EXPECT_DOUBLE_EQ(Form->XStep, 0.5);
  const std::vector<QString> T = Texts();
  // X from -10 to 10 along the bottom, Y from 100 to 200 in depth; no grid position (1 .. 41).
  for (const char* L : {"-10", "0", "10", "100", "200"}) EXPECT_TRUE(Has(T, L)) << L;
  for (const char* L : {"41", "21", "199"}) EXPECT_FALSE(Has(T, L)) << L;
  // The values from about -1 to 1 get several labels.
  for (const char* L : {"-0.5", "0.5"}) EXPECT_TRUE(Has(T, L)) << L;
  // The sample surface the window starts with counts its positions from 1.
  std::unique_ptr<TfmSurfaceChart> Fresh(CreateForm<TfmSurfaceChart>());
  Form.swap(Fresh);
  EXPECT_TRUE(Has(Texts(), "1"));
  EXPECT_TRUE(Has(Texts(), "15"));
  Form.swap(Fresh);
}

TEST_F(SurfaceChartTest, XLabelsAreSpacedByTheirTurnedSizeAlongTheAxisAsSeen) {
  TPlotRequest R = Request("Y", 40);
  R.XFrom = -100000;
  R.XTo = 100000;
  ASSERT_EQ(PlotSurface(R, *Form), TPlotOutcome::Plotted);
  // Where the X labels are written: the thousands, which Y and Z, from -3 to 3, do not write.
  auto XLabels = [this] {
    const TRect Whole = Form->Chart->ClientRect();
    TRecordingTarget Target(Whole.Right, Whole.Bottom);
    TCanvas C(&Target);
    Form->Chart->DrawToMetaCanvas(&C, Whole);
    std::vector<QRectF> At;
    for (const TCanvasOp& O : Target.Ops())
      if (O.Kind == coText && O.Text.endsWith(QLatin1String("000"))) At.push_back(TextBox(O, 96));
    return At;
  };
  const size_t Flat = XLabels().size();
  // Turned upright, a label takes its height along the axis, not its width: more of them fit,
  // and on the axis as the view shows it their boxes as drawn still stand apart.
  Form->Chart->BottomAxis()->SetLabelsAngle(90);
  const std::vector<QRectF> Upright = XLabels();
  EXPECT_GT(Upright.size(), Flat);
  ExpectApart(Upright, "upright");
}

TEST_F(SurfaceChartTest, LabelsOfHugeValuesStandApartTurnedAndSeenEndOn) {
  TPlotRequest R = Request("1E307*X*Y");
  R.XFrom = R.YFrom = -4;
  R.XTo = R.YTo = 4;
  ASSERT_EQ(PlotSurface(R, *Form), TPlotOutcome::Plotted);
  TChart* C = Form->Chart;
  // The boxes of the texts written at Angle, at Ppi pixels an inch.
  auto Boxes = [C](int Ppi, int Angle, const char* Part = "") {
    const int W = 600 * Ppi / 96, H = 450 * Ppi / 96;
    TRecordingTarget Target(W, H, Ppi);
    TCanvas Canvas(&Target);
    C->DrawToMetaCanvas(&Canvas, {0, 0, W, H});
    std::vector<QRectF> B;
    for (const TCanvasOp& O : Target.Ops())
      if (O.Kind == coText && O.State.Font.Escapement == Angle * 10 &&
          O.Text.contains(QLatin1String(Part)))
        B.push_back(TextBox(O, Ppi));
    return B;
  };
  // The Z values along the left axis and the X values along the bottom one, turned alike.
  for (int Ppi : {96, 192})
    for (int Angle : {45, 90, 270}) {
      C->LeftAxis()->SetLabelsAngle(Angle);
      C->BottomAxis()->SetLabelsAngle(Angle);
      const std::vector<QRectF> B = Boxes(Ppi, Angle);
      EXPECT_GE(B.size(), 6u) << Ppi << " " << Angle;
      ExpectApart(B, std::to_string(Ppi) + " " + std::to_string(Angle));
    }
  C->LeftAxis()->SetLabelsAngle(0);
  C->BottomAxis()->SetLabelsAngle(0);
  // Seen from below, the Z axis runs straight at the eye: none of its labels piles on another.
  Form->ScrollBar2->setValue(270);
  ExpectApart(Boxes(96, 0, "E+"), "from below");
}

TEST_F(SurfaceChartTest, WireFrameMeshShowsOnTheFloorAndWalls) {
  ASSERT_EQ(PlotSurface(Request("sin(X)*cos(Y)"), *Form), TPlotOutcome::Plotted);
  Form->sbWireFrame->click();
  const TColor Mesh = Form->SurfaceSeries1->Pen()->Color();
  EXPECT_NE(ColorToRGB(Mesh), ColorToRGB(Form->Chart->BottomWall()->Color()));
  // Many pixels of the mesh's colour are to be seen.
  const QImage I = Picture();
  int N = 0;
  for (int y = 0; y < I.height(); ++y)
    for (int x = 0; x < I.width(); ++x) N += FromQColor(I.pixelColor(x, y)) == Mesh;
  EXPECT_GT(N, 1000);
}

}  // namespace
