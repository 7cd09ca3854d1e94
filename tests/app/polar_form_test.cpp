// The polar window driven as a user would: its scroll bars, toolbar toggles, menus and popup,
// the pictures it saves and copies, and the plots put on it.
#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QScrollBar>

#include <vector>

#include "app/graphics/chart_window_tools.h"
#include "app/graphics/polar_form.h"
#include "app/graphics/surface_polar_plot.h"
#include "chart/editors/chart_preview.h"
#include "chart/editors/pen_dialogs.h"
#include "chart/engine/chart.h"
#include "chart/engine/polar_series.h"
#include "platform/controls.h"
#include "tests/app/chart_windows_support.h"

namespace {

class PolarFormTest : public ChartWindowTest {
 protected:
  void SetUp() override {
    ChartWindowTest::SetUp();
    Form.reset(CreateForm<TPolarForm>());
    Form->resize(640, 480);
    Form->Show();
  }
  void TearDown() override {
    Form.reset();
    ChartWindowTest::TearDown();
  }
  QImage Picture() const {
    return Form->Chart1->CreateBitmap(clWhite, Form->Chart1->GetRectangle())->Image();
  }
  std::unique_ptr<TPolarForm> Form;
};

TEST_F(PolarFormTest, ScrollBarsWriteTheViewAtOnceAndWorkOnlyIn3D) {
  TView3DOptions* V = Form->Chart1->View3DOptions();
  EXPECT_FALSE(Form->Chart1->View3D());
  EXPECT_FALSE(Form->Panel2->isEnabled());
  EXPECT_EQ(V->Elevation(), 315);
  Form->sbRot->setValue(90);
  Form->scbElev->setValue(20);
  Form->scbZoom->setValue(250);
  Form->scbHoriz->setValue(-150);
  Form->scbVert->setValue(35);
  Form->scbTilt->setValue(300);
  EXPECT_EQ(V->Rotation(), 90);
  EXPECT_EQ(V->Elevation(), 20);
  EXPECT_EQ(V->Zoom(), 250);
  EXPECT_EQ(V->HorizOffset(), -150);
  EXPECT_EQ(V->VertOffset(), 35);
  EXPECT_EQ(V->Tilt(), 300);

  // The menu item and the popup item toggle the same view, both checked by it.
  Form->miView3D->trigger();
  EXPECT_TRUE(Form->Chart1->View3D());
  EXPECT_TRUE(Form->miView3D->isChecked());
  EXPECT_TRUE(Form->pmView3D->isChecked());
  EXPECT_TRUE(Form->Panel2->isEnabled());
  Form->pmView3D->trigger();
  EXPECT_FALSE(Form->Chart1->View3D());
  EXPECT_FALSE(Form->miView3D->isChecked());
  EXPECT_FALSE(Form->Panel2->isEnabled());
}

TEST_F(PolarFormTest, TheFirstPlotShows3DAndLaterPlotsKeepTheUsersView) {
  Form->ShowPlotView();
  EXPECT_TRUE(Form->Chart1->View3D());
  Form->ShowPlotView();
  EXPECT_TRUE(Form->Chart1->View3D());  // it used to toggle back to 2D on every second plot
  Form->miView3DClick();
  Form->ShowPlotView();
  EXPECT_FALSE(Form->Chart1->View3D());
}

TEST_F(PolarFormTest, GridAndLegendTogglesShowTheirStateOnButtonsItemsAndPicture) {
  TChart* C = Form->Chart1;
  ASSERT_TRUE(Form->sbGrid->Down());
  ASSERT_TRUE(Form->sbLegend->Down());
  EXPECT_TRUE(Form->miGrid->isChecked());
  const QImage Before = Picture();

  Form->sbGrid->click();
  for (TChartAxis* A : {C->LeftAxis(), C->BottomAxis(), C->DepthAxis()})
    EXPECT_FALSE(A->Grid()->Visible());
  EXPECT_FALSE(Form->sbGrid->Down());
  EXPECT_TRUE(Form->sbG1->Down());
  EXPECT_FALSE(Form->miGrid->isChecked());
  EXPECT_FALSE(Form->pmGrid->isChecked());
  Form->pmGrid->trigger();
  EXPECT_TRUE(C->DepthAxis()->Grid()->Visible());
  EXPECT_TRUE(Form->sbGrid->Down());
  EXPECT_TRUE(Form->miGrid->isChecked());

  Form->sbLegend->click();
  EXPECT_FALSE(C->Legend()->Visible());
  EXPECT_TRUE(Form->sbL1->Down());
  EXPECT_FALSE(Form->miLegend->isChecked());
  EXPECT_FALSE(Form->pmLegend->isChecked());
  Form->miLegend->trigger();
  EXPECT_TRUE(C->Legend()->Visible());
  EXPECT_TRUE(Form->sbLegend->Down());
  EXPECT_TRUE(Form->pmLegend->isChecked());
  EXPECT_EQ(Picture(), Before);
}

TEST_F(PolarFormTest, PrintOpensThePreviewOfTheChart) {
  QList<TCustomChartPanel*> Shown;
  SetChartModalRunner([&](TForm& F) {
    auto* P = dynamic_cast<TChartPreview*>(&F);
    Shown << (P ? P->ChartPreviewPage->Image() : nullptr);
  });
  Form->sbPrint->click();
  Form->pmPrint->trigger();
  SetChartModalRunner(nullptr);
  EXPECT_EQ(Shown, (QList<TCustomChartPanel*>{Form->Chart1, Form->Chart1}));
  EXPECT_TRUE(Dialogs.Messages().isEmpty());
}

TEST_F(PolarFormTest, SaveAsWritesTheFileTypeChosenAndTheReadersReadIt) {
  const QImage Shown = Picture();
  Dialogs.AnswerFile(Path("p1"), 1);
  Form->sbSaveAs->click();
  ASSERT_EQ(Dialogs.Requests.size(), 1u);
  EXPECT_EQ(Dialogs.Requests[0].File.DefaultExt, QStringLiteral("BMP"));
  EXPECT_EQ(Dialogs.Requests[0].File.Filter,
            QStringLiteral(
                "Windows Bitmap|*.BMP|Windows Metafile|*.WMF|Windows Enhanced Metafile|*.EMF"));
  QImage Bmp(Path("p1.BMP"), "BMP");
  ASSERT_FALSE(Bmp.isNull());
  EXPECT_EQ(Bmp.convertToFormat(QImage::Format_RGB32), Shown.convertToFormat(QImage::Format_RGB32));

  Dialogs.AnswerFile(Path("p2"), 2);
  Form->miSaveAs->trigger();
  EXPECT_TRUE(SvgTexts(MetafileToSvg(false, Path("p2.WMF"))).contains(QStringLiteral("Polar")));
  Dialogs.AnswerFile(Path("p3"), 3);
  Form->pmSaveAs->trigger();
  EXPECT_TRUE(SvgTexts(MetafileToSvg(true, Path("p3.EMF"))).contains(QStringLiteral("Polar")));

  // A file that cannot be written is reported.
  Dialogs.AnswerFile(Path("missing/dir/p4.BMP"), 1);
  Form->sbSaveAs->click();
  ASSERT_FALSE(Dialogs.Messages().isEmpty());
  EXPECT_EQ(Dialogs.Messages().last(), "The file " + Path("missing/dir/p4.BMP") +
                                           " could not be written: No such file or directory");
}

TEST_F(PolarFormTest, CopyPutsTheBitmapAndTheMetafileOnTheClipboard) {
  QGuiApplication::clipboard()->clear();
  Form->miCopyBitmap->trigger();
  const QImage Copied = QGuiApplication::clipboard()->image();
  EXPECT_EQ(Copied.size(), Form->Chart1->size());
  QGuiApplication::clipboard()->clear();
  Form->pmCopyMetafile->trigger();
  const QMimeData* M = QGuiApplication::clipboard()->mimeData();
  ASSERT_NE(M, nullptr);
  EXPECT_TRUE(M->hasFormat(QStringLiteral("image/x-emf")));
}

TEST_F(PolarFormTest, KeepsNoSettings) {
  Form->move(40, 50);
  Form->resize(720, 520);
  Form->miExit->trigger();
  EXPECT_FALSE(Form->isVisible());
  QFile Ini(Path("Numyx.INI"));
  EXPECT_FALSE(Ini.open(QIODevice::ReadOnly) && Ini.readAll().contains("PolarForm"));
  std::unique_ptr<TPolarForm> Again(CreateForm<TPolarForm>());
  EXPECT_EQ(Again->size(), QSize(640, 480));
}

TEST_F(PolarFormTest, AnAxisThatRefusesAValueInACommandShowsItsMessage) {
  // A command whose drawing sets a negative radius step: the axis' message, and the program
  // goes on.
  Form->Chart1->OnAfterDraw = [this](TCustomAxisPanel*) {
    Form->Chart1->LeftAxis()->SetIncrement(-1);
  };
  Form->sbPrint->click();
  ASSERT_FALSE(Dialogs.Messages().isEmpty());
  EXPECT_EQ(Dialogs.Messages().last(), QStringLiteral("Axis increment must be >= 0"));
  EXPECT_EQ(Form->Chart1->LeftAxis()->Increment(), 0.0);
  Form->Chart1->OnAfterDraw = nullptr;
}

TEST_F(PolarFormTest, PlotsARoseAndLaterPlotsKeepTheUsersView) {
  TPlotRequest R;
  R.Input = "sin( 4*X )";
  R.XTo = 2 * M_PI;
  R.XSteps = 64;
  R.Radians = true;
  R.Legend = QStringLiteral("f(sin( 4*X ))");
  R.Title = QStringLiteral("Rose");
  const QImage Empty = Picture();
  // A polar curve is quick: no gauge.
  std::vector<int> Gauge;
  R.Progress = [&](int P) { Gauge.push_back(P); };
  ASSERT_EQ(PlotPolar(R, *Form), TPlotOutcome::Plotted);
  EXPECT_TRUE(Gauge.empty());
  ASSERT_EQ(Form->Chart1->SeriesCount(), 1);
  auto* S = dynamic_cast<TPolarSeries*>(Form->Chart1->GetSeries(0));
  ASSERT_NE(S, nullptr);
  ASSERT_EQ(S->Count(), 65);
  EXPECT_DOUBLE_EQ(S->XValue(16), 90.0);
  EXPECT_NEAR(S->YValue(4), 1.0, 1e-15);
  EXPECT_EQ(S->Title(), R.Legend);
  EXPECT_FALSE(S->Pointer()->Visible());
  EXPECT_TRUE(S->CircleLabels());
  EXPECT_EQ(S->CircleBackColor(), TColor(0));
  const TChartAxis* Radius = Form->Chart1->LeftAxis();
  EXPECT_FALSE(Radius->AutomaticMinimum());
  EXPECT_TRUE(Radius->AutomaticMaximum());
  EXPECT_EQ(Radius->Minimum(), 0.0);
  EXPECT_EQ(Form->Chart1->Title()->Text(), QStringList{QStringLiteral("Rose")});
  // The first plot shows the chart in 3D at the elevation of its scroll bar.
  EXPECT_TRUE(Form->Chart1->View3D());
  EXPECT_TRUE(Form->Panel2->isEnabled());
  EXPECT_EQ(Form->Chart1->View3DOptions()->Elevation(), Form->scbElev->value());
  EXPECT_TRUE(Form->isVisible());
  EXPECT_NE(Picture(), Empty);

  // The user goes back to 2D; the next curve joins the first and the view stays.
  Form->miView3D->trigger();
  R.Title.clear();
  R.Input = "1";
  ASSERT_EQ(PlotPolar(R, *Form), TPlotOutcome::Plotted);
  EXPECT_EQ(Form->Chart1->SeriesCount(), 2);
  EXPECT_FALSE(Form->Chart1->View3D());
  EXPECT_EQ(Form->Chart1->Title()->Text(), QStringList{QStringLiteral("Rose")});

  // A break adds nothing.
  Host.Pumps = 0;
  Host.StopAt = 3;
  QStringList Line;
  R.ShowEvalError = [&](const TSideResult& E) { Line << QString::fromStdString(E.Message); };
  EXPECT_EQ(PlotPolar(R, *Form), TPlotOutcome::Break);
  EXPECT_EQ(Line, QStringList{QStringLiteral("User break: position 2")});
  EXPECT_EQ(Form->Chart1->SeriesCount(), 2);
}

TEST_F(PolarFormTest, RadiiAllBelowZeroTakeTheirOwnRange) {
  TPlotRequest R;
  R.Input = "-X-1";
  R.XTo = 10;
  R.XSteps = 10;
  const QImage Empty = Picture();
  ASSERT_EQ(PlotPolar(R, *Form), TPlotOutcome::Plotted);
  EXPECT_TRUE(Form->Chart1->LeftAxis()->Automatic());
  EXPECT_NE(Picture(), Empty);
}

}  // namespace
