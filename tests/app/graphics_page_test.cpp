// The graphics page driven as a user drives it: ranges typed, a formula in the input line, OK
// pressed; the curves and grids that land in the plot windows, the pictures they paint, the
// refusals and errors, and Stop.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <complex>
#include <limits>
#include <optional>
#include <set>

#include "app/graphics/fm_contour_plot.h"
#include "app/graphics/fm_plot2d.h"
#include "app/graphics/fm_surface_chart.h"
#include "app/graphics/graphics_page.h"
#include "app/graphics/graphics_page_host.h"
#include "app/graphics/plot_pictures.h"
#include "app/graphics/polar_form.h"
#include "app/startup/start_up.h"
#include "calc_test_support.h"
#include "engine/complex_eval.h"
#include "engine/engine_state.h"
#include "engine/variables.h"
#include "platform/canvas.h"
#include "platform/canvas_targets.h"
#include "platform/codepage.h"
#include "platform/controls.h"
#include "platform/cursors.h"
#include "platform/memory_check.h"
#include "plot/core/graph_info.h"
#include "plot/core/graph_legend.h"
#include "plot/layers/contour.h"
#include "plot/layers/series.h"
#include "plot/ui/graph_properties.h"
#include "plot/ui/plot.h"
#include "tabulate/tabulator.h"

namespace {

class GraphicsPageTest : public CalcWindowTest {
 protected:
  void SetUp() override {
    CalcWindowTest::SetUp();
    RegisterSeriesLayerClasses();
    RegisterContourLayerClasses();
    Plot2D = std::make_unique<TfmPlot2D>();
    Plot2D->DoCreate();
    ContourPlot = std::make_unique<TfmContourPlot>();
    ContourPlot->DoCreate();
    fmPlot2D = Plot2D.get();
    fmContourPlot = ContourPlot.get();
    Surface.reset(CreateForm<TfmSurfaceChart>());
    Polar.reset(CreateForm<TPolarForm>());
    fmSurfaceChart = Surface.get();
    PolarForm = Polar.get();
  }
  void TearDown() override {
    SetPumpInterval(-1);
    SetAvailableMemorySource(nullptr);
    fmPlot2D = nullptr;
    fmContourPlot = nullptr;
    fmSurfaceChart = nullptr;
    PolarForm = nullptr;
    Plot2D.reset();
    ContourPlot.reset();
    Surface.reset();
    Polar.reset();
    CalcWindowTest::TearDown();
  }
  // The window as start-up leaves it, without the notice of the constants file a fresh program
  // directory lacks.
  TfmCalc& Start() {
    TfmCalc& W = Open();
    Dialogs.Requests.clear();
    return W;
  }
  // The page for a plot kind with these ranges and the formula in the input line.
  TfmCalc& Page(int Kind, const QString& Formula, const QString& X0, const QString& X1,
                const QString& NX, const QString& Y0 = "-10", const QString& Y1 = "10",
                const QString& NY = "40") {
    TfmCalc& W = Window ? *Window : Start();
    W.Graphics->rgPlot->SetItemIndex(Kind);
    W.Graphics->edFromX->setText(X0);
    W.Graphics->edToX->setText(X1);
    W.Graphics->edStepsX->setText(NX);
    W.Graphics->edFromY->setText(Y0);
    W.Graphics->edToY->setText(Y1);
    W.Graphics->edStepsY->setText(NY);
    W.Edit1->setText(Formula);
    return W;
  }
  TGraph& Curves() { return Plot2D->Graph(); }
  TGraph& Grids() { return ContourPlot->Graph(); }
  TSeries* Curve(int I) { return dynamic_cast<TSeries*>(Curves().GetLayer(I)); }
  QStringList Boxes() const { return Dialogs.Messages(); }

  std::unique_ptr<TfmPlot2D> Plot2D;
  std::unique_ptr<TfmContourPlot> ContourPlot;
  std::unique_ptr<TfmSurfaceChart> Surface;
  std::unique_ptr<TPolarForm> Polar;
};

// The calculator window as far as the page sees it.
class TFakeGraphicsHost : public TGraphicsPageHost {
 public:
  QString Input;
  bool Evaluating = false;
  int Locks = 0;
  int Unlocks = 0;
  bool LockedDuringPlot = false;
  QStringList History, Hints, Errors;

  QString InputText() const override { return Input; }
  bool InComplexMode() const override { return false; }
  bool LoadingSettings() const override { return false; }
  bool Busy() const override { return Evaluating; }
  void LockPages() override { ++Locks; }
  void UnlockPages() override { ++Unlocks; }
  void ShowAssistantText(const QString& S) override { Hints << S; }
  void ShowEvalError(const TSideResult& Error) override {
    Errors << FromCp1252(Error.Message);
    LockedDuringPlot = Locks > Unlocks;
  }
  void PutIntoExpressionHistory(const QString& Formula) override {
    History << Formula;
    LockedDuringPlot = Locks > Unlocks;
  }
};

TEST_F(GraphicsPageTest, ThePagePlotsThroughItsHostAlone) {
  TFakeGraphicsHost Host;
  TGraphicsPage Page(Host);
  Page.rgPlot->SetItemIndex(4);
  Page.rgPlot->SetItemIndex(0);
  ASSERT_EQ(Host.Hints.size(), 2);
  EXPECT_EQ(Host.Hints.back(), "To plot F(X) type you function in input line and click OK");
  Page.edFromX->setText("0");
  Page.edToX->setText("1");
  Page.edStepsX->setText("10");

  // While the host evaluates, OK does nothing, not even lock the pages.
  Host.Input = "X^2";
  Host.Evaluating = true;
  Page.bbOK->click();
  EXPECT_EQ(Curves().LayerCount(), 0);
  EXPECT_EQ(Host.Locks, 0);

  Host.Evaluating = false;
  Page.bbOK->click();
  ASSERT_EQ(Curves().LayerCount(), 1);
  ASSERT_EQ(Curve(0)->Count(), 11);
  EXPECT_NEAR(Curve(0)->PointAt(5)->Y, 0.25, 1e-15);
  EXPECT_EQ(Host.History, QStringList{"X^2"});
  EXPECT_TRUE(Host.LockedDuringPlot);
  EXPECT_EQ(Host.Unlocks, Host.Locks);

  // A failing point's error goes to the host, under the lock that ends with the plot.
  Host.Input = "1/(X-1)";
  Page.edToX->setText("2");
  Page.bbOK->click();
  EXPECT_EQ(Curves().LayerCount(), 1);
  ASSERT_EQ(Host.Errors.size(), 1);
  EXPECT_FALSE(Host.Errors[0].isEmpty());
  EXPECT_TRUE(Host.LockedDuringPlot);
  EXPECT_EQ(Host.Unlocks, Host.Locks);
  EXPECT_EQ(Host.History, QStringList{"X^2"});
  EXPECT_EQ(Boxes(), QStringList{"Cann't calculate this function"});
}

TEST_F(GraphicsPageTest, CurvesLandAsTheirPointsInTheNextFreeColour) {
  TfmCalc& W = Start();
  W.rgAngle->SetItemIndex(0);  // radians
  ASSERT_TRUE(Enter("2+3"));
  const QStringList Tape = W.TapeLines();
  Page(0, "sin( X )", "-5", "5", "100");
  W.Graphics->bbOK->click();

  ASSERT_EQ(Curves().LayerCount(), 1);
  TSeries* S = Curve(0);
  ASSERT_NE(S, nullptr);
  ASSERT_EQ(S->Count(), 101);
  EXPECT_EQ(S->Name, "f(sin(X))");
  EXPECT_EQ(S->FKind, 3);
  EXPECT_EQ(S->MarkerStep, 5);
  EXPECT_EQ(S->GetColor(), 0x0000FFu);
  for (int I = 0; I <= 100; ++I) {
    const TGraphData* P = S->PointAt(I);
    EXPECT_NEAR(P->X, -5 + 0.1 * I, 1e-12);
    EXPECT_NEAR(P->Y, std::sin(P->X), 1e-15);
    EXPECT_EQ(P->Color, S->GetColor());
  }
  EXPECT_NEAR(VarValues[varX], 5.1, 1e-12);  // left where the loop ended
  EXPECT_TRUE(Plot2D->isVisible());
  EXPECT_TRUE(Plot2D->Shown);
  EXPECT_EQ(W.Graphics->Gauge->value(), 0);
  EXPECT_TRUE(W.pcCalc->isEnabled());
  // The plotted formula tops the expression history; results, tape and "?" are untouched.
  EXPECT_EQ(W.cbHistory->itemText(0), "sin( X )");
  EXPECT_EQ(W.cbResults->count(), 1);
  EXPECT_EQ(W.TapeLines(), Tape);
  EXPECT_EQ(EngineState.Ans, 5);
  EXPECT_EQ(Curves().XAxis->Name, "X");
  EXPECT_EQ(Curves().YAxis->Name, "Y");

  // The picture: the curve's colour where its points are, seen from the pixel the graph maps
  // each point to (one pixel around it, for the line's rounding).
  Plot2D->Chart->Redraw();
  const QImage& Image = Plot2D->Chart->Image()->Backing()->Image();
  const QColor Red(255, 0, 0);
  int Hits = 0;
  // Between the markers, which stand on every fifth point.
  for (int I = 2; I <= 100; I += 5) {
    const int PX = Curves().XToPixel(S->PointAt(I)->X), PY = Curves().YToPixel(S->PointAt(I)->Y);
    bool Found = false;
    for (int DX = -1; DX <= 1 && !Found; ++DX)
      for (int DY = -1; DY <= 1 && !Found; ++DY) Found = Image.pixelColor(PX + DX, PY + DY) == Red;
    Hits += Found;
  }
  EXPECT_EQ(Hits, 20);

  // A second curve keeps the first and takes the next colour and series number.
  Page(0, "cos(X)", "-5", "5", "10");
  W.Graphics->bbOK->click();
  ASSERT_EQ(Curves().LayerCount(), 2);
  EXPECT_EQ(Curve(1)->GetColor(), 0xFF0000u);
  EXPECT_EQ(Curve(1)->Count(), 11);
  EXPECT_NE(Curve(1)->SeriesNumber(), Curve(0)->SeriesNumber());
  EXPECT_EQ(W.cbHistory->itemText(0), "cos(X)");
  EXPECT_EQ(W.cbHistory->itemText(1), "sin( X )");
  EXPECT_TRUE(Boxes().isEmpty()) << Boxes().join("|").toStdString();
}

TEST_F(GraphicsPageTest, AFailingPointShowsItsOwnErrorAndLeavesNoCurve) {
  TfmCalc& W = Start();
  ASSERT_TRUE(Enter("2+3"));
  const QStringList Tape = W.TapeLines();
  const int Histories = W.cbHistory->count();
  Page(0, "1/(X-1)", "0", "2", "10");
  W.Graphics->bbOK->click();

  EXPECT_EQ(Curves().LayerCount(), 0);
  EXPECT_FALSE(Plot2D->isVisible());
  EXPECT_EQ(Boxes(), QStringList{"Cann't calculate this function"});
  // The error of the point X = 1, as the engine reported it, with its place marked.
  const QString Expected = FromCp1252(ErrorText(errDivisionByZero));
  EXPECT_TRUE(W.Edit2->text().startsWith(Expected + ": position "))
      << W.Edit2->text().toStdString();
  EXPECT_TRUE(W.Edit1->hasSelectedText());
  // Nothing was evaluated again: "?", histories and tape are as they were.
  EXPECT_EQ(EngineState.Ans, 5);
  EXPECT_EQ(W.cbHistory->count(), Histories);
  EXPECT_EQ(W.cbResults->count(), 1);
  EXPECT_EQ(W.TapeLines(), Tape);
  EXPECT_EQ(W.Graphics->Gauge->value(), 0);
  EXPECT_FALSE(EngineState.ErrFlag);

  // A contour grid failing at a point: no layer, no grids, the same messages.
  Dialogs.Requests.clear();
  Page(1, "1/X", "-1", "1", "10", "-1", "1", "10");
  W.Graphics->bbOK->click();
  EXPECT_EQ(Grids().LayerCount(), 0);
  EXPECT_EQ(W.Graphics->PlotGrid, nullptr);
  EXPECT_EQ(Boxes(), QStringList{"Cann't calculate this function"});
  EXPECT_EQ(EngineSettings.QuadCompareLen, 9);
}

TEST_F(GraphicsPageTest, StopEndsATabulationWithNothingPlotted) {
  TfmCalc& W = Start();
  SetPumpInterval(0);
  for (int Kind : {0, 1}) {
    Dialogs.Requests.clear();
    Page(Kind, "X*Y+1", "0", "1", "16000", "0", "1", "100");
    int Seen = -1;
    // Pressed inside the tabulation's first pump; the break question is answered Yes.
    Dialogs.Answer(mrYes);
    QTimer::singleShot(0, &W, [&] {
      Seen = EngineSettings.QuadCompareLen;
      W.sbStop->click();
    });
    W.Graphics->bbOK->click();
    EXPECT_EQ(Seen, Kind == 0 ? 9 : 7);
    EXPECT_TRUE(W.Edit2->text().startsWith("User break")) << W.Edit2->text().toStdString();
    EXPECT_EQ(Boxes(), QStringList{"Do you realy wont break calculation?"});
    EXPECT_EQ(Curves().LayerCount() + Grids().LayerCount(), 0);
    EXPECT_EQ(W.Graphics->PlotGrid, nullptr);
    EXPECT_EQ(W.Graphics->Gauge->value(), 0);
    EXPECT_EQ(W.cbHistory->count(), 0);
    EXPECT_EQ(EngineSettings.QuadCompareLen, 9);
    EXPECT_TRUE(W.pcCalc->isEnabled());
    EXPECT_FALSE(W.Busy());
  }
}

TEST_F(GraphicsPageTest, ContoursOfASquareSumLieOnTheirCircles) {
  TfmCalc& W = Page(1, "X^2+Y^2", "-2", "2", "40", "-2", "2", "40");
  W.Graphics->edNumCont->setText("4");
  W.Graphics->bbOK->click();
  ASSERT_TRUE(Boxes().isEmpty()) << Boxes().join("|").toStdString();

  ASSERT_NE(W.Graphics->PlotGrid, nullptr);
  EXPECT_EQ(W.Graphics->PlotGrid->NX(), 41);
  EXPECT_EQ(W.Graphics->PlotGrid->NY(), 41);
  EXPECT_DOUBLE_EQ(W.Graphics->PlotGrid->X(0), -2);
  EXPECT_NEAR(W.Graphics->PlotGrid->Y(40), 2, 1e-12);
  EXPECT_NEAR(W.Graphics->PlotGrid->At(10, 30), 1 + 1, 1e-12);  // X = -1, Y = 1
  ASSERT_EQ(Grids().LayerCount(), 1);
  TContour* C = ContourPlot->Contour();
  ASSERT_EQ(C, Grids().GetLayer(0));
  EXPECT_EQ(C->LevelCount, 4);
  EXPECT_FALSE(C->GetShaded());
  EXPECT_EQ(C->Name, "X^2+Y^2");
  EXPECT_FALSE(ContourPlot->ShadeMode);
  EXPECT_EQ(ContourPlot->windowTitle(), "Contour Plot f(x,y)");
  EXPECT_TRUE(ContourPlot->isVisible());
  EXPECT_FALSE(Grids().XAxis->AutoMin);
  EXPECT_EQ(Grids().XAxis->Min, -2);
  EXPECT_EQ(Grids().YAxis->Max, 2);
  EXPECT_EQ(EngineSettings.QuadCompareLen, 9);

  // Every traced point lies on the circle of its level, up to the grid's linear interpolation.
  ASSERT_FALSE(C->Lines().empty());
  std::set<double> Levels;
  for (const TContourLine& L : C->Lines()) {
    Levels.insert(L.Level);
    for (const TDoublePoint& P : L.Points) EXPECT_NEAR(P.X * P.X + P.Y * P.Y, L.Level, 0.01);
  }
  EXPECT_GE(Levels.size(), 3u);

  // The picture: the lines are drawn on the circles of their levels (labels leave gaps).
  ContourPlot->Chart->Redraw();
  const QImage& Image = ContourPlot->Chart->Image()->Backing()->Image();
  const QColor White(255, 255, 255);
  for (double Level : Levels) {
    int Inside = 0, Drawn = 0;
    for (int K = 0; K < 72; ++K) {
      const double X = std::sqrt(Level) * std::cos(K * M_PI / 36);
      const double Y = std::sqrt(Level) * std::sin(K * M_PI / 36);
      if (std::abs(X) > 1.9 || std::abs(Y) > 1.9) continue;
      ++Inside;
      const int PX = Grids().XToPixel(X), PY = Grids().YToPixel(Y);
      bool Found = false;
      for (int DX = -1; DX <= 1; ++DX)
        for (int DY = -1; DY <= 1; ++DY) Found |= Image.pixelColor(PX + DX, PY + DY) != White;
      Drawn += Found;
    }
    EXPECT_GE(Drawn * 4, Inside * 3) << Level;
  }
  // Between two circles the plot is empty.
  const double Gap = std::sqrt((*Levels.begin() + *std::next(Levels.begin())) / 2);
  EXPECT_EQ(Image.pixelColor(Grids().XToPixel(-Gap * M_SQRT1_2), Grids().YToPixel(Gap * M_SQRT1_2)),
            White);
}

TEST_F(GraphicsPageTest, AShadedMapPaintsItsCellsInTheirPaletteColours) {
  TfmCalc& W = Page(2, "X*Y", "-1", "1", "20", "-1", "1", "20");
  W.Graphics->edTitle->setText("product");
  W.Graphics->bbOK->click();
  ASSERT_TRUE(Boxes().isEmpty()) << Boxes().join("|").toStdString();
  TContour* C = ContourPlot->Contour();
  ASSERT_NE(C, nullptr);
  EXPECT_TRUE(C->GetShaded());
  EXPECT_TRUE(ContourPlot->ShadeMode);
  EXPECT_EQ(ContourPlot->windowTitle(), "Color Shade f(x,y)");
  EXPECT_EQ(Grids().Title.Lines, QStringList{"product"});
  EXPECT_DOUBLE_EQ(C->GetZMin(), -1);
  EXPECT_DOUBLE_EQ(C->GetZMax(), 1);

  ContourPlot->Chart->Redraw();
  const QImage& Image = ContourPlot->Chart->Image()->Backing()->Image();
  auto At = [&](double X, double Y) {
    return Image.pixelColor(Grids().XToPixel(X), Grids().YToPixel(Y));
  };
  // Neighbouring quadrants carry the two ends of the scale.
  EXPECT_NE(At(0.8, 0.8), At(-0.8, 0.8));
  // Each cell in the colour of its grid value on the layer's palette.
  for (auto [X, Y] : {std::pair{0.8, 0.8}, std::pair{-0.5, 0.3}, std::pair{0.1, -0.9}}) {
    const int PX = Grids().XToPixel(X), PY = Grids().YToPixel(Y);
    const int Inset = Grids().FrameWidth() + 1, S = std::max(C->CellSize, 1);
    const int X0 = Grids().PlotRect.Left + Inset + (PX - Grids().PlotRect.Left - Inset) / S * S;
    const int Y0 = Grids().PlotRect.Top + Inset + (PY - Grids().PlotRect.Top - Inset) / S * S;
    C->ColorRamp(C->InterpolateZ(Grids().PixelToX(X0), Grids().PixelToY(Y0)));
    const TColor Want = C->ColorByValue();
    EXPECT_EQ(Image.pixelColor(X0, Y0),
              QColor(Want & 0xFF, (Want >> 8) & 0xFF, (Want >> 16) & 0xFF))
        << X << " " << Y;
  }
}

TEST_F(GraphicsPageTest, ARePlotReplacesThePictureAndItsLegendEntry) {
  TfmCalc& W = Page(1, "sin(X/10)*cos(Y/10)", "-10", "10", "20", "-10", "10", "20");
  W.Graphics->bbOK->click();
  ASSERT_TRUE(Boxes().isEmpty()) << Boxes().join("|").toStdString();
  TWLegend& L = *Grids().Legend;
  ASSERT_EQ(L.Count(), 1);
  EXPECT_EQ(L.Item(0)->Text, "sin(X/10)*cos(Y/10)");
  // The same window shades another formula: the old lines and their entry are gone.
  Page(2, "X*Y", "-10", "10", "20", "-10", "10", "20");
  W.Graphics->bbOK->click();
  ASSERT_TRUE(Boxes().isEmpty()) << Boxes().join("|").toStdString();
  ASSERT_EQ(Grids().LayerCount(), 1);
  TContour* Shade = ContourPlot->Contour();
  ASSERT_EQ(Shade, Grids().GetLayer(0));
  EXPECT_TRUE(Shade->GetShaded());
  EXPECT_EQ(L.Count(), 0);
  EXPECT_EQ(Grids().ColorLegend(0)->Layer, Shade);
  ContourPlot->Chart->Redraw();  // nothing refers to the removed layer
  // Contours again, of a third formula: one entry, with the new name.
  Page(1, "X-Y", "-10", "10", "20", "-10", "10", "20");
  W.Graphics->bbOK->click();
  ASSERT_TRUE(Boxes().isEmpty()) << Boxes().join("|").toStdString();
  ASSERT_EQ(Grids().LayerCount(), 1);
  ASSERT_EQ(L.Count(), 1);
  EXPECT_EQ(L.Item(0)->Text, "X-Y");
  EXPECT_EQ(L.Item(0)->Layer, ContourPlot->Contour());
  // A failing formula keeps the picture that was there.
  Page(1, "1/X", "-1", "1", "10", "-1", "1", "10");
  W.Graphics->bbOK->click();
  EXPECT_EQ(Boxes(), QStringList{"Cann't calculate this function"});
  Dialogs.Requests.clear();
  ASSERT_EQ(Grids().LayerCount(), 1);
  ASSERT_EQ(L.Count(), 1);
  EXPECT_EQ(L.Item(0)->Text, "X-Y");
}

TEST_F(GraphicsPageTest, ComplexModeTabulatesTheModulusThroughComp) {
  TfmCalc& W = Start();
  W.ShowComplexNotice = false;
  W.rgReal->SetItemIndex(1);
  ASSERT_TRUE(W.ComplexMode);
  ASSERT_TRUE(Enter("comp(1,2)"));
  const TComplex Answer = ComplexAnswer;
  Page(1, "sin(comp(X,Y))", "-1", "1", "10", "-1", "1", "10");
  W.Graphics->edTitle->setText("f");
  W.Graphics->bbOK->click();
  ASSERT_TRUE(Boxes().isEmpty()) << Boxes().join("|").toStdString();
  ASSERT_NE(W.Graphics->PlotGrid, nullptr);
  for (int I = 0; I < 11; I += 3)
    for (int J = 0; J < 11; J += 2) {
      const std::complex<double> Z(W.Graphics->PlotGrid->X(I), W.Graphics->PlotGrid->Y(J));
      EXPECT_NEAR(W.Graphics->PlotGrid->At(I, J), std::abs(std::sin(Z)), 1e-12) << I << " " << J;
    }
  EXPECT_EQ(Grids().Title.Lines, QStringList{"|f|"});
  EXPECT_EQ(ComplexAnswer.A, Answer.A);
  EXPECT_EQ(ComplexAnswer.B, Answer.B);

  // An error inside the formula is placed in the formula, not in its wrapping.
  Page(1, "sin(comp(X,Y)", "-1", "1", "10", "-1", "1", "10");
  W.Graphics->bbOK->click();
  EXPECT_EQ(W.Graphics->PlotGrid, nullptr);
  EXPECT_EQ(Boxes(), QStringList{"Cann't calculate this function"});
  EXPECT_TRUE(W.Edit2->text().startsWith(FromCp1252(ErrorText(errMissingClose)) + ": position 13"))
      << W.Edit2->text().toStdString();
}

TEST_F(GraphicsPageTest, TheChecksRefuseWhatTheKindUses) {
  TfmCalc& W = Page(0, "X", "1", "1", "10");
  W.Graphics->bbOK->click();
  EXPECT_EQ(Boxes(), QStringList{"Maximum X-coordinate must be more than minimum one"});

  // A curve ignores the disabled Y fields, even when they are the wrong way round.
  Dialogs.Requests.clear();
  Page(0, "X", "0", "1", "10", "5", "5", "0");
  EXPECT_FALSE(W.Graphics->edFromY->isEnabled());
  W.Graphics->bbOK->click();
  EXPECT_TRUE(Boxes().isEmpty()) << Boxes().join("|").toStdString();
  EXPECT_EQ(Curves().LayerCount(), 1);

  // Contours need them in order, and at least two Y intervals.
  Page(1, "X", "0", "1", "10", "5", "5", "10");
  EXPECT_TRUE(W.Graphics->edFromY->isEnabled());
  W.Graphics->bbOK->click();
  EXPECT_EQ(Boxes(), QStringList{"Maximum Y-coordinate must be more than minimum one"});
  Dialogs.Requests.clear();
  Page(1, "X", "0", "1", "10", "0", "1", "0");
  W.Graphics->bbOK->click();
  EXPECT_EQ(Boxes(), QStringList{"Number of Steps must be in the range [2..16000]"});
  Dialogs.Requests.clear();
  Page(0, "X", "0", "1", "1");
  W.Graphics->bbOK->click();
  EXPECT_EQ(Boxes(), QStringList{"Number of Steps must be in the range [2..16000]"});
  EXPECT_EQ(Grids().LayerCount(), 0);

  // A largest grid on a machine with 4 GB to spare: the one grid that the window and the layer
  // share takes 2.05 GB, more than a picture may have. Refused by its size, before anything is
  // allocated or read; nothing changes.
  Dialogs.Requests.clear();
  Page(2, "X", "0", "1", "16000", "0", "1", "16000");
  SetAvailableMemorySource([] { return std::optional<std::uint64_t>(4'000'000'000); });
  VarValues[varX] = 42;
  W.Graphics->bbOK->click();
  EXPECT_EQ(Boxes(), QStringList{"Not enough memory for a grid of 16001 x 16001 points"});
  EXPECT_EQ(VarValues[varX], 42);  // not a point read
  EXPECT_EQ(Grids().LayerCount(), 0);
  EXPECT_FALSE(ContourPlot->isVisible());
  // The same refusal for the surface, whose series keeps still more per point.
  Dialogs.Requests.clear();
  Page(3, "X", "0", "1", "16000", "0", "1", "16000");
  W.Graphics->bbOK->click();
  EXPECT_EQ(Boxes(), QStringList{"Not enough memory for a grid of 16001 x 16001 points"});
  EXPECT_EQ(VarValues[varX], 42);
  EXPECT_FALSE(Surface->isVisible());

  // Empty number fields are named, not passed over in silence.
  for (QLineEdit* E : {W.Graphics->edFromX, W.Graphics->edToX}) {
    Dialogs.Requests.clear();
    Page(0, "X", "0", "1", "10");
    E->clear();
    W.Graphics->bbOK->click();
    EXPECT_EQ(Boxes(), QStringList{(E == W.Graphics->edFromX ? "Maximum" : "Minimum") +
                                   QStringLiteral(" X-coordinate must be in the range "
                                                  "[-115425.2 ... 115425.2]")});
  }
  EXPECT_EQ(Curves().LayerCount(), 1);

  // The surface and the polar plot go to their windows.
  Dialogs.Requests.clear();
  SetAvailableMemorySource(nullptr);
  Page(3, "X*Y", "0", "1", "10", "0", "1", "10");
  W.Graphics->bbOK->click();
  EXPECT_TRUE(Surface->isVisible());
  EXPECT_DOUBLE_EQ(Surface->XStep, 0.1);
  EXPECT_EQ(W.cbHistory->itemText(0), "X*Y");
  Page(4, "X", "0", "1", "10");
  W.Graphics->bbOK->click();
  EXPECT_EQ(Polar->PlotCount(), 1);
  EXPECT_TRUE(Polar->isVisible());
  EXPECT_TRUE(Boxes().isEmpty());
}

TEST_F(GraphicsPageTest, TheLayoutFollowsTheKind) {
  TfmCalc& W = Start();
  VarValues[varX] = 1;
  ASSERT_TRUE(Enter("X+1"));
  W.Graphics->rgPlot->SetItemIndex(1);
  EXPECT_TRUE(W.Graphics->edNumCont->isVisibleTo(W.tsGraph));
  EXPECT_FALSE(W.Graphics->sbColor->isVisibleTo(W.tsGraph));
  EXPECT_FALSE(W.Graphics->edLegend->isVisibleTo(W.tsGraph));
  EXPECT_EQ(W.Graphics->edTitle->text(), "f(X+1)");
  EXPECT_TRUE(W.Graphics->edStepsY->isEnabled());
  EXPECT_EQ(EngineSettings.QuadCompareLen, 9);  // only a running grid changes it
  W.Graphics->rgPlot->SetItemIndex(0);
  EXPECT_FALSE(W.Graphics->edNumCont->isVisibleTo(W.tsGraph));
  EXPECT_TRUE(W.Graphics->sbColor->isVisibleTo(W.tsGraph));
  EXPECT_FALSE(W.Graphics->edStepsY->isEnabled());
  EXPECT_EQ(W.Graphics->edTitle->text(), "");
  EXPECT_EQ(W.Graphics->edLegend->text(), "f(X+1)");
  // Typing follows into the field the kind names.
  W.Edit1->setText("X+2");
  EXPECT_EQ(W.Graphics->edLegend->text(), "f(X+2)");
  // The step counts are kept per kind.
  W.Graphics->edStepsX->setText("123");
  W.Graphics->rgPlot->SetItemIndex(2);
  EXPECT_NE(W.Graphics->edStepsX->text(), "123");
  W.Graphics->rgPlot->SetItemIndex(0);
  EXPECT_EQ(W.Graphics->edStepsX->text(), "123");
  // The formula typed names the fields of the kind chosen next, plotted or not.
  Page(2, "X*Y", "-1", "1", "4", "-1", "1", "4");
  W.Graphics->rgPlot->SetItemIndex(0);
  EXPECT_EQ(W.Graphics->edLegend->text(), "f(X*Y)");
  W.Graphics->rgPlot->SetItemIndex(2);
  W.Graphics->bbOK->click();
  W.Graphics->rgPlot->SetItemIndex(1);
  EXPECT_EQ(W.Graphics->edTitle->text(), "f(X*Y)");
  // The colour button keeps the chosen colour.
  Dialogs.AnswerColor(0x123456);
  W.Graphics->sbColor->click();
  EXPECT_TRUE(W.Graphics->PlotColorSet);
  EXPECT_EQ(W.Graphics->PlotColor, 0x123456u);
}

TEST_F(GraphicsPageTest, TheContourWindowLetsGoOfARemovedLayer) {
  TfmCalc& W = Page(1, "X+Y", "0", "1", "4", "0", "1", "4");
  W.Graphics->bbOK->click();
  TContour* C = ContourPlot->Contour();
  ASSERT_NE(C, nullptr);
  ContourPlot->SetEditMode(1);
  EXPECT_EQ(C->MouseMode, 1);
  Grids().DeleteLayer(0);
  EXPECT_EQ(ContourPlot->Contour(), nullptr);
  ContourPlot->SetEditMode(5);  // nothing to edit: nothing happens
  EXPECT_EQ(ContourPlot->EditMode(), 1);

  W.Graphics->bbOK->click();
  ASSERT_NE(ContourPlot->Contour(), nullptr);
  Grids().ClearLayers();
  EXPECT_EQ(ContourPlot->Contour(), nullptr);
  ContourPlot->SetEditMode(2);
  EXPECT_EQ(ContourPlot->EditMode(), 1);
}

TEST_F(GraphicsPageTest, ThePlotWindowsComeBackWhereTheyWereClosed) {
  Start();
  Plot2D->show();
  Plot2D->setGeometry(40, 50, 500, 400);
  const QRect Was = Plot2D->geometry();
  Plot2D->close();
  EXPECT_FALSE(Plot2D->isVisible());
  Plot2D = std::make_unique<TfmPlot2D>();
  fmPlot2D = Plot2D.get();
  Plot2D->DoCreate();
  EXPECT_EQ(Plot2D->geometry().size(), Was.size());
  EXPECT_FALSE(Plot2D->Shown);
  // The main window's menu shows a plot window only once it has been shown.
  Window->PopupMenu1->actions()[0]->trigger();
  EXPECT_FALSE(Plot2D->isVisible());
  Plot2D->show();
  Plot2D->hide();
  Window->PopupMenu1->actions()[0]->trigger();
  EXPECT_TRUE(Plot2D->isVisible());
  // The contour window's longer row of buttons does not make it wider than a small screen.
  ContourPlot->show();
  QCoreApplication::processEvents();
  EXPECT_LE(ContourPlot->frameGeometry().width(),
            ContourPlot->screen()->availableGeometry().width());
}

TEST_F(GraphicsPageTest, TheWindowsCommandsDriveThePlotAndTheirButtons) {
  TfmCalc& W = Page(0, "X", "0", "1", "10");
  W.Graphics->bbOK->click();
  TfmPlot2D& P = *Plot2D;
  EXPECT_TRUE(CursorRegistered(10) && CursorRegistered(11) && CursorRegistered(12));
  // Zoom out always takes the way back away; zoom in and the animated zoom give it again.
  EXPECT_FALSE(P.sbZoomOut->isEnabled());
  P.sbZoomIn->click();
  EXPECT_TRUE(P.sbZoomOut->isEnabled() && P.sbZoomPrev->isEnabled());
  EXPECT_TRUE(P.miZoomOut->isEnabled() && P.miPreviousZoom->isEnabled());
  EXPECT_TRUE(P.Chart->Zoom->GetEnabled());
  P.miZoomOut->trigger();
  EXPECT_FALSE(P.sbZoomOut->isEnabled() || P.sbZoomPrev->isEnabled() || P.miZoomOut->isEnabled() ||
               P.miPreviousZoom->isEnabled());
  P.sbZoomAnime->click();
  EXPECT_TRUE(P.sbZoomPrev->isEnabled());
  EXPECT_TRUE(P.Graph().ZoomAnimated);
  P.sbZoomPrev->click();  // no saved state: the way back goes
  EXPECT_FALSE(P.sbZoomPrev->isEnabled());

  // The curve has its legend entry; the legend command hides and shows the legend.
  ASSERT_EQ(P.Graph().Legend->Count(), 1);
  EXPECT_EQ(P.Graph().Legend->Item(0)->Layer, P.Graph().GetLayer(0));
  const bool Shows = P.Graph().Legend->GetVisible();
  P.sbLegend->click();
  EXPECT_EQ(P.Graph().Legend->GetVisible(), !Shows);
  EXPECT_EQ(P.miShowLegend->isChecked(), !Shows);
  P.miShowLegend->trigger();
  EXPECT_EQ(P.Graph().Legend->GetVisible(), Shows);

  // The grids and the 3D look.
  P.sbVertGrid->click();
  EXPECT_TRUE(P.Graph().XAxis->Grid);
  P.miHorisGrid->trigger();
  EXPECT_TRUE(P.Graph().YAxis->Grid);
  const int Frame = P.Chart->Frame->GetWidth();
  P.sb3D->click();
  EXPECT_EQ(P.Chart->GetView3D(), 8.0);
  EXPECT_EQ(P.Chart->Frame->GetWidth(), 10);
  EXPECT_FALSE(P.Chart->XAxis->Ticks.GetMinorVisible());
  P.mi3DView->trigger();
  EXPECT_EQ(P.Chart->GetView3D(), 0);
  EXPECT_EQ(P.Chart->Frame->GetWidth(), Frame);

  // Closing keeps placement and plot settings; a new window of the next run has them back.
  P.sbVertGrid->click();  // off again
  P.miExit->trigger();
  EXPECT_FALSE(P.isVisible());
  Plot2D = std::make_unique<TfmPlot2D>();
  fmPlot2D = Plot2D.get();
  Plot2D->DoCreate();
  EXPECT_FALSE(Plot2D->Graph().XAxis->Grid);
  EXPECT_TRUE(Plot2D->Graph().YAxis->Grid);

  // The contour window's edit commands set the layer's click mode; a shading hides them.
  Page(1, "X*Y", "0", "1", "4", "0", "1", "4");
  W.Graphics->bbOK->click();
  TfmContourPlot& C = *ContourPlot;
  ASSERT_EQ(C.Graph().Legend->Count(), 1);
  EXPECT_EQ(C.Graph().Legend->Item(0)->Text, "X*Y");
  EXPECT_EQ(C.Graph().Legend->Style, lsRight);
  C.sbAddContours->click();
  EXPECT_EQ(C.Contour()->MouseMode, 1);
  EXPECT_TRUE(C.miAddContours->isChecked());
  C.miLabelOff->trigger();
  EXPECT_EQ(C.Contour()->MouseMode, 5);
  EXPECT_TRUE(C.sbDeleteLabels->Down());
  EXPECT_FALSE(C.miAddContours->isChecked());
  C.sbBreakEdit->click();
  EXPECT_EQ(C.Contour()->MouseMode, 0);
  EXPECT_TRUE(C.sbAddContours->isVisibleTo(&C));
  Page(2, "X*Y", "0", "1", "4", "0", "1", "4");
  W.Graphics->bbOK->click();
  EXPECT_FALSE(C.sbAddContours->isVisibleTo(&C));
  EXPECT_FALSE(C.miAddContours->isVisible());
  // The shading's scale is the colour legend's; the legend command toggles that one.
  EXPECT_EQ(C.Graph().ColorLegend(0)->Layer, C.Contour());
  const bool Scale = C.Graph().ColorLegend(0)->GetVisible();
  const bool Series = C.Graph().Legend->GetVisible();
  C.sbLegend->click();
  EXPECT_EQ(C.Graph().ColorLegend(0)->GetVisible(), !Scale);
  EXPECT_EQ(C.Graph().Legend->GetVisible(), Series);
  // A grid switched on shows above the shading at once.
  auto GridPixels = [&] {
    const QImage& I = C.Chart->Image()->Backing()->Image();
    int N = 0;
    for (int Y = 0; Y < I.height(); ++Y)
      for (int X = 0; X < I.width(); ++X) N += I.pixel(X, Y) == qRgb(0xC0, 0xC0, 0xC0);
    return N;
  };
  const int Before = GridPixels();
  C.sbVertGrid->click();
  EXPECT_GT(GridPixels(), Before + 100);
  C.sbVertGrid->click();
  EXPECT_FALSE(C.Graph().XAxis->Grid);
  EXPECT_TRUE(Boxes().isEmpty()) << Boxes().join("|").toStdString();
}

TEST_F(GraphicsPageTest, PropertiesOpenTheDialogInBothPlotWindows) {
  TfmCalc& W = Page(0, "X", "0", "1", "10");
  W.Graphics->bbOK->click();
  Page(1, "X*Y", "0", "1", "4", "0", "1", "4");
  W.Graphics->bbOK->click();
  // Runs the command; Inside acts on the dialog while it shows, then closes it.
  auto Run = [](const std::function<void()>& Command,
                const std::function<void(TfmGraphProperties&)>& Inside) {
    bool Shown = false;
    QTimer::singleShot(0, [&] {
      auto* D = qobject_cast<TfmGraphProperties*>(QApplication::activeModalWidget());
      if (!D) return;
      Shown = true;
      Inside(*D);
      D->btClose->click();
    });
    Command();
    return Shown;
  };
  TfmPlot2D& P = *Plot2D;
  EXPECT_TRUE(Run([&] { P.sbProp->click(); },
                  [&](TfmGraphProperties& D) {
                    D.cbAutoApply->setChecked(true);
                    D.AxisGroups[TfmGraphProperties::agX].chGrid->setChecked(true);
                  }));
  EXPECT_TRUE(P.Graph().XAxis->Grid);
  EXPECT_TRUE(P.Chart->AutoApply);
  // The contour window's Properties sits on its menu bar; its layer is no series of the list.
  TfmContourPlot& C = *ContourPlot;
  int Rows = -1;
  EXPECT_TRUE(Run([&] { C.miProperties->trigger(); },
                  [&](TfmGraphProperties& D) { Rows = D.tbSeries->count(); }));
  EXPECT_EQ(Rows, 0);
  EXPECT_TRUE(Boxes().isEmpty()) << Boxes().join("|").toStdString();
}

// Every colour the graph deals out is taken: the next curve still gets one it can be seen in.
TEST_F(GraphicsPageTest, ACurveBeyondTheFreeColoursTakesARealOne) {
  TCurvePicture P;
  P.Typed = "X";
  P.N = 2;
  int Dealt = 0;
  while (Curves().FreeColor() != static_cast<TColor>(-1)) {
    ASSERT_TRUE(PutCurve(Curves(), P, nullptr).Ok());
    ASSERT_LE(++Dealt, 48);
  }
  EXPECT_GE(Dealt, 40);
  // Dealt out again in turn, points and all.
  for (int I = Dealt; I < Dealt + 3; ++I) {
    ASSERT_TRUE(PutCurve(Curves(), P, nullptr).Ok());
    EXPECT_EQ(Curve(I)->GetColor(), Curve(I - Dealt)->GetColor()) << I;
    EXPECT_EQ(Curve(I)->PointAt(0)->Color, Curve(I - Dealt)->GetColor()) << I;
  }
}

// The calculator's Digits is the precision of the values the curve and contour windows' bubbles
// show.
TEST_F(GraphicsPageTest, DigitsReachTheBubbles) {
  TfmCalc& W = Page(0, "1/3", "0", "1", "10");
  W.Graphics->bbOK->click();
  Plot2D->Chart->Redraw();
  TGraphInfo& Info = *Curves().Info;
  Info.AddLocation({}, Curve(0), Curves().XToPixel(0.5), Curves().YToPixel(0.3), false);
  const auto YLine = [&] {
    QStringList Lines;
    int AX = 0, AY = 0;
    Info.GetLocationText(Lines, Curve(0), "X", "Y", AX, AY, 0);
    return Lines.value(1);
  };
  EXPECT_EQ(YLine(), "Y = 0.3333333");
  W.udDigits->SetPosition(15);
  W.udDigitsClick(W.udDigits);
  EXPECT_EQ(YLine(), "Y = 0.333333333333333");
  EXPECT_EQ(Grids().Info->NumberOfGeneralDigits, 15);
}

}  // namespace
