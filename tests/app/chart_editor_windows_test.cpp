// The chart editor opened from the surface and polar windows: the chart owns the series, so a
// series deleted, cloned or replaced there is never used by the window afterwards, and the next
// plot goes where the window finds its series again.
#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

#include "app/graphics/fm_surface_chart.h"
#include "app/graphics/polar_form.h"
#include "app/graphics/surface_polar_plot.h"
#include "chart/editors/chart_editor.h"
#include "chart/editors/chart_gallery.h"
#include "chart/editors/chart_general_pages.h"
#include "chart/editors/chart_list_box.h"
#include "chart/editors/pen_dialogs.h"
#include "chart/engine/chart.h"
#include "chart/engine/chart_registry.h"
#include "chart/engine/polar_series.h"
#include "chart/engine/series_types.h"
#include "chart/engine/surface_series.h"
#include "platform/controls.h"
#include "tests/app/chart_windows_support.h"

namespace {

class ChartEditorWindowTest : public ChartWindowTest {
 protected:
  void SetUp() override {
    ChartWindowTest::SetUp();
    RegisterChartClasses();
    RegisterChartEditors();
    SetChartModalRunner([this](TForm& Form) {
      ASSERT_FALSE(Steps.empty());
      auto Step = std::move(Steps.front());
      Steps.pop_front();
      Step(Form);
    });
  }
  void TearDown() override {
    EXPECT_TRUE(Steps.empty());
    SetChartModalRunner(nullptr);
    ChartWindowTest::TearDown();
  }
  static TPlotRequest Request(const char* Text) {
    TPlotRequest R;
    R.Input = Text;
    R.XFrom = R.YFrom = -1;
    R.XTo = R.YTo = 1;
    R.XSteps = R.YSteps = 6;
    R.Legend = QLatin1String(Text);
    return R;
  }
  static TChartEditForm& Editor(TForm& F) { return dynamic_cast<TChartEditForm&>(F); }
  std::deque<std::function<void(TForm&)>> Steps;
};

TEST_F(ChartEditorWindowTest, SurfaceDeletedOrReplacedInTheEditorThenPlottedAgain) {
  std::unique_ptr<TfmSurfaceChart> Form(CreateForm<TfmSurfaceChart>());
  Form->resize(700, 500);
  ASSERT_EQ(PlotSurface(Request("X*Y"), *Form), TPlotOutcome::Plotted);
  const TSeriesHandle First = Form->SurfaceSeries1->Handle();

  Steps.push_back([&](TForm& F) {
    TChartEditForm& E = Editor(F);
    EXPECT_EQ(E.LBSeries->count(), 1);
    Dialogs.Answer(mrYes);
    E.BDeleteSeries->click();
    EXPECT_EQ(Form->Chart->SeriesCount(), 0);
  });
  Form->miProperties->trigger();
  EXPECT_FALSE(First);
  // The window made itself a new surface; plotting fills it (ASan sees any use of the old one).
  ASSERT_EQ(PlotSurface(Request("X+Y"), *Form), TPlotOutcome::Plotted);
  ASSERT_EQ(Form->Chart->SeriesCount(), 1);
  EXPECT_EQ(Form->Chart->GetSeries(0), Form->SurfaceSeries1);
  EXPECT_EQ(Form->SurfaceSeries1->Count(), 7 * 7);
  Form->Chart->CreateBitmap(clWhite, {0, 0, 300, 200});

  // A change of type replaces the surface: the window plots into a new one beside it.
  Steps.push_back([&](TForm& F) { Editor(F).BChangeTypeSeries->click(); });
  Steps.push_back([](TForm& F) {
    auto& G = dynamic_cast<TChartGallery&>(F);
    G.TabControl->setCurrentIndex(0);  // the gallery opens on the surface's own page
    G.ChartGalleryPanel1->SelectChart(0);
    G.BOk->click();
  });
  Form->sbProp->click();
  ASSERT_EQ(Form->Chart->SeriesCount(), 2);
  EXPECT_EQ(Form->Chart->GetSeries(0)->ClassName(), QStringLiteral("TLineSeries"));
  ASSERT_EQ(PlotSurface(Request("X-Y"), *Form), TPlotOutcome::Plotted);
  EXPECT_EQ(Form->SurfaceSeries1, Form->Chart->GetSeries(1));
  Form->Chart->CreateBitmap(clWhite, {0, 0, 300, 200});
}

TEST_F(ChartEditorWindowTest, PolarSeriesDeletedAndClonedInTheEditorThenPlottedAgain) {
  std::unique_ptr<TPolarForm> Form(CreateForm<TPolarForm>());
  Form->resize(600, 450);
  ASSERT_EQ(PlotPolar(Request("1+X"), *Form), TPlotOutcome::Plotted);
  ASSERT_EQ(PlotPolar(Request("2"), *Form), TPlotOutcome::Plotted);
  ASSERT_EQ(Form->PlotCount(), 2);

  Steps.push_back([&](TForm& F) {
    TChartEditForm& E = Editor(F);
    E.LBSeries->setCurrentRow(0);
    Dialogs.Answer(mrYes);
    E.BDeleteSeries->click();
    E.BCloneSeries->click();
  });
  Form->miProperties->trigger();
  ASSERT_EQ(Form->PlotCount(), 2);
  EXPECT_EQ(Form->Chart1->GetSeries(1)->ClassName(), QStringLiteral("TPolarSeries"));
  ASSERT_EQ(PlotPolar(Request("X"), *Form), TPlotOutcome::Plotted);
  EXPECT_EQ(Form->PlotCount(), 3);
  Form->Chart1->CreateBitmap(clWhite, {0, 0, 300, 200});
  // The window going takes its chart's series along.
  Form.reset();
}

TEST_F(ChartEditorWindowTest, APolarPlotAfterADeletedRadarStartsFromThePolarDefaults) {
  std::unique_ptr<TPolarForm> Form(CreateForm<TPolarForm>());
  Form->resize(600, 450);
  TPlotRequest R = Request("2");
  R.XFrom = 0;
  R.XTo = 360;
  R.XSteps = 72;
  ASSERT_EQ(PlotPolar(R, *Form), TPlotOutcome::Plotted);
  // Changed to a radar and drawn, the 73 points space the spokes 360 / 73 degrees apart.
  Steps.push_back([](TForm& F) { Editor(F).BChangeTypeSeries->click(); });
  Steps.push_back([](TForm& F) {
    auto& G = dynamic_cast<TChartGallery&>(F);
    G.ChartGalleryPanel1->SelectType(
        ChartSeriesTypes().Find(QStringLiteral("TRadarSeries"), QString()));
    G.BOk->click();
  });
  Form->sbProp->click();
  ASSERT_EQ(Form->Chart1->GetSeries(0)->ClassName(), QStringLiteral("TRadarSeries"));
  Form->Chart1->CreateBitmap(clWhite, {0, 0, 300, 200});
  EXPECT_DOUBLE_EQ(Form->Chart1->BottomAxis()->Increment(), 360.0 / 73);

  Steps.push_back([this](TForm& F) {
    Dialogs.Answer(mrYes);
    Editor(F).BDeleteSeries->click();
  });
  Form->sbProp->click();
  ASSERT_EQ(Form->PlotCount(), 0);
  ASSERT_EQ(PlotPolar(R, *Form), TPlotOutcome::Plotted);
  auto* P = dynamic_cast<TPolarSeries*>(Form->Chart1->GetSeries(0));
  ASSERT_NE(P, nullptr);
  EXPECT_EQ(P->AngleIncrement(), 10);
}

}  // namespace

TEST_F(ChartEditorWindowTest, TheWindowsBarsAndTheThreeDPageShowTheChartsView) {
  // Ten clicks into the polar window's rotation trough: the editor's page shows the chart's
  // rotation, and what is set there comes back to the window's bars.
  std::unique_ptr<TPolarForm> Form(CreateForm<TPolarForm>());
  Form->miView3D->trigger();
  for (int i = 0; i < 10; ++i) Form->sbRot->triggerAction(QAbstractSlider::SliderPageStepSub);
  TView3DOptions* V = Form->Chart1->View3DOptions();
  ASSERT_EQ(V->Rotation(), 360 - 10 * Form->sbRot->pageStep());
  V->SetHorizOffset(-150);
  Steps.push_back([&](TForm& F) {
    TChartEditForm& E = Editor(F);
    E.Notebook1->setCurrentIndex(cet3D);  // as a click on the tab
    auto* P = dynamic_cast<TFormChart3D*>(E.Page(cet3D));
    ASSERT_NE(P, nullptr);
    EXPECT_EQ(P->SBRotation->value(), V->Rotation());
    EXPECT_EQ(P->LRotation->text(), QString::number(V->Rotation()));
    EXPECT_EQ(P->SBHOffset->value(), -150);
    P->SBZoom->setValue(450);
    P->SBElevation->setValue(20);
  });
  Form->miProperties->trigger();
  EXPECT_EQ(Form->scbZoom->value(), 450);
  EXPECT_EQ(Form->scbElev->value(), 20);
  EXPECT_EQ(Form->scbHoriz->value(), -150);
  // One step of a bar moves the view by one step from where it is.
  Form->scbZoom->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(V->Zoom(), 451);
}
