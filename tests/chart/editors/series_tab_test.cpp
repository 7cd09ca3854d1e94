// The series page of the chart editor: every series type finds its format page, pending data
// sources are applied, asked about or dropped, functions compute over their sources, and the
// period dialog shows and sets the period.
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "chart/editors/axis_dialogs.h"
#include "chart/editors/function_period.h"
#include "chart/editors/grid_series_pages.h"
#include "chart/editors/series_pages.h"
#include "chart/editors/series_tab.h"
#include "chart/engine/bar_series.h"
#include "chart/engine/chart_function.h"
#include "chart/engine/series_gallery.h"
#include "chart/engine/series_types.h"
#include "chart/engine/surface_series.h"
#include "platform/controls.h"
#include "tests/chart/editors/editor_test_support.h"

namespace {
// The user picks item Index of a combo box.
void Choose(QComboBox* C, int Index) {
  C->setCurrentIndex(Index);
  emit C->activated(Index);
}

// The user clicks the tab that holds W.
void ClickTab(TPageControl* P, QWidget* W) { P->setCurrentIndex(P->indexOf(W)); }

std::vector<std::pair<double, double>> Points(TChartSeries* S) {
  std::vector<std::pair<double, double>> R;
  for (int i = 0; i < S->Count(); ++i) R.emplace_back(S->XValue(i), S->YValue(i));
  return R;
}

class SeriesTabTest : public ChartEditorTest {
 protected:
  TChartSeries* Source = nullptr;
  TChartSeries* Target = nullptr;
  std::unique_ptr<TFormChartSeries> Tab;

  void Prepare() {
    Source = AddLine("Source", clRed);
    Source->Clear();
    for (double Y : {2, 4, 6, 10}) Source->AddY(Y);
    Target = AddLine("Target", clBlue);
    Tab = std::make_unique<TFormChartSeries>(nullptr, Chart.get());
    Tab->PageShow();
    Tab->SetSeries(Target);
  }
  // On the data-source tab: a function over the source series, not applied yet.
  void PendAverage() {
    ClickTab(Tab->PageSeries, Tab->TabDataSource);
    Choose(Tab->CBDataSourcestyle, TFormChartSeries::dsFunction);
    Choose(Tab->CBFunctions, Tab->CBFunctions->findData(QStringLiteral("TAverageChartFunction")));
    Tab->LBAvailSeries->item(0)->setSelected(true);
    Tab->BRightOne->click();
    ASSERT_TRUE(Tab->FunctionChanged);
  }
};
}  // namespace

TEST_F(SeriesTabTest, EverySeriesTypeOpensItsFormatPage) {
  const std::map<QString, QString> Expected = {
      {"TLineSeries", "CustomSeriesEditor"},       {"TBarSeries", "BarSeriesEditor"},
      {"THorizBarSeries", "BarSeriesEditor"},      {"TAreaSeries", "AreaSeriesEditor"},
      {"TPointSeries", "SeriesPointerEditor"},     {"TPieSeries", "PieSeriesEditor"},
      {"TFastLineSeries", "FastLineSeriesEditor"}, {"TChartShape", "ChartShapeEditor"},
      {"TGanttSeries", "GanttSeriesEditor"},       {"TArrowSeries", "ArrowSeriesEditor"},
      {"TBubbleSeries", "SeriesPointerEditor"},    {"TSurfaceSeries", "SurfaceSeriesEditor"},
      {"TContourSeries", "Grid3DSeriesEditor"},    {"TPolarSeries", "PolarSeriesEditor"},
      {"TRadarSeries", "PolarSeriesEditor"}};
  // Pages that bring a further tab, and its caption at index 1.
  const std::map<QString, QString> Second = {
      {"TLineSeries", "Point"},  {"TAreaSeries", "Point"},  {"TGanttSeries", "Point"},
      {"TPolarSeries", "Point"}, {"TRadarSeries", "Point"}, {"TSurfaceSeries", "Grid 3D"}};
  TFormChartSeries Page(nullptr, Chart.get());
  Page.PageShow();
  int Checked = 0;
  const TChartSeriesTypes& Types = ChartSeriesTypes();
  for (int i = 0; i < Types.Count(); ++i) {
    const TChartSeriesType& T = Types.GetSeriesType(i);
    if (T.SeriesClass.IsNull()) continue;
    const QString Name = T.SeriesClass.Name;
    TChartSeries* S = Chart->AdoptSeries(std::unique_ptr<TChartSeries>(T.SeriesClass.Create()));
    S->FillSampleValues(S->NumSampleValues());
    const QImage Before = Picture();
    Page.SetSeries(S);
    // Showing what the series holds writes nothing back into it.
    EXPECT_EQ(Picture(), Before) << Name.toStdString();
    ASSERT_FALSE(Page.EditorForms().empty()) << Name.toStdString();
    EXPECT_EQ(Page.EditorForms()[0]->objectName(), Expected.at(Name)) << Name.toStdString();
    EXPECT_EQ(Page.EditorForms()[0]->parentWidget(), Page.TheTabSheet);
    EXPECT_EQ(Page.PageSeries->tabText(0), QStringLiteral("Format"));
    if (Second.count(Name)) {
      ASSERT_EQ(Page.EditorForms().size(), 2u) << Name.toStdString();
      EXPECT_EQ(Page.PageSeries->tabText(1), Second.at(Name));
    } else {
      EXPECT_EQ(Page.EditorForms().size(), 1u) << Name.toStdString();
      EXPECT_EQ(Page.PageSeries->tabText(1), QStringLiteral("General"));
    }
    EXPECT_EQ(Page.LabelSeriesClass->text(), S->Name() + QStringLiteral(": ") + T.Description);
    EXPECT_FALSE(Page.ImageSeries->pixmap().isNull());
    ++Checked;
  }
  EXPECT_EQ(Checked, 15);
  // Data sets would need a component the program does not have: none are offered.
  EXPECT_EQ(Page.CBDataSourcestyle->count(), 3);

  // No series: nothing to show.
  Page.SetSeries(nullptr);
  EXPECT_TRUE(Page.EditorForms().empty());
  EXPECT_TRUE(Page.PageSeries->isHidden());
  EXPECT_TRUE(Page.LabelSeriesClass->isHidden());
  // The series chooser stays at the top of the empty page.
  Page.resize(500, 400);
  Page.layout()->activate();
  EXPECT_LT(Page.CBSeries->geometry().bottom(), 60);
  EXPECT_LT(Page.CBSeries->width(), 250);
}

TEST_F(SeriesTabTest, AnotherSeriesKeepsTheOpenTabWhereItHasIt) {
  auto Add = [this](TChartSeries* S) {
    S->FillSampleValues(S->NumSampleValues());
    return Chart->AdoptSeries(std::unique_ptr<TChartSeries>(S));
  };
  TChartSeries* Surface = Add(new TSurfaceSeries);
  TChartSeries* Surface2 = Add(new TSurfaceSeries);
  TChartSeries* Line = AddLine("Line", clRed);
  TChartSeries* Bar = Add(new TBarSeries);
  TFormChartSeries Page(nullptr, Chart.get());
  Page.PageShow();
  auto Open = [&Page] { return Page.PageSeries->tabText(Page.PageSeries->ActivePageIndex()); };
  Page.SetSeries(Surface);
  Page.PageSeries->setCurrentIndex(1);
  EXPECT_EQ(Open(), QStringLiteral("Grid 3D"));
  Page.SetSeries(Surface2);
  EXPECT_EQ(Open(), QStringLiteral("Grid 3D"));
  // A line has a tab where the surface had "Grid 3D", but not that one.
  Page.SetSeries(Line);
  EXPECT_EQ(Open(), QStringLiteral("Format"));
  ClickTab(Page.PageSeries, Page.TabMarks);
  Page.SetSeries(Bar);
  EXPECT_EQ(Open(), QStringLiteral("Marks"));
  Page.SetSeries(Line, true);
  EXPECT_EQ(Open(), QStringLiteral("Format"));

  // "Copy" has no period to edit.
  ClickTab(Page.PageSeries, Page.TabDataSource);
  Choose(Page.CBDataSourcestyle, TFormChartSeries::dsFunction);
  EXPECT_FALSE(Page.BEditFunc->isEnabled());
  Choose(Page.CBFunctions, 1);
  EXPECT_TRUE(Page.BEditFunc->isEnabled());
  Choose(Page.CBFunctions, 0);
  EXPECT_FALSE(Page.BEditFunc->isEnabled());
}

TEST_F(SeriesTabTest, LeavingTheDataSourceTabAsksToApplyChanges) {
  Prepare();
  // Cancel keeps the tab and the pending change.
  PendAverage();
  Dialogs.Answer(mrCancel);
  ClickTab(Tab->PageSeries, Tab->TabGeneral);
  EXPECT_EQ(Tab->PageSeries->ActivePage(), Tab->TabDataSource);
  EXPECT_EQ(Dialogs.Messages().last(), QStringLiteral("Apply Changes?"));
  EXPECT_TRUE(Tab->FunctionChanged);
  EXPECT_EQ(Target->Function(), nullptr);

  // No drops it.
  Dialogs.Answer(mrNo);
  ClickTab(Tab->PageSeries, Tab->TabGeneral);
  EXPECT_EQ(Tab->PageSeries->ActivePage(), Tab->TabGeneral);
  EXPECT_FALSE(Tab->FunctionChanged);
  EXPECT_EQ(Target->Function(), nullptr);
  EXPECT_EQ(Target->DataSource(), nullptr);
  // Also when the editor leaves the series tab: the tab shows the series' own source again.
  PendAverage();
  Dialogs.Answer(mrNo);
  EXPECT_TRUE(Tab->CanLeavePage());
  EXPECT_EQ(Tab->CBDataSourcestyle->currentIndex(), int(TFormChartSeries::dsRandom));
  EXPECT_EQ(Tab->LBSelectedSeries->count(), 0);

  // Yes applies it: the average of all the source's points, as a level line across them.
  PendAverage();
  const QImage Before = Picture();
  Dialogs.Answer(mrYes);
  ClickTab(Tab->PageSeries, Tab->TabMarks);
  EXPECT_EQ(Tab->PageSeries->ActivePage(), Tab->TabMarks);
  ASSERT_NE(Target->Function(), nullptr);
  EXPECT_EQ(Target->Function()->ClassName(), QStringLiteral("TAverageChartFunction"));
  EXPECT_EQ(Target->DataSource(), Source);
  EXPECT_EQ(Points(Target), (std::vector<std::pair<double, double>>{{0, 5.5}, {3, 5.5}}));
  EXPECT_NE(Picture(), Before);
  EXPECT_EQ(Dialogs.Messages().size(), 4);

  // Without pending changes nothing is asked.
  ClickTab(Tab->PageSeries, Tab->TabDataSource);
  EXPECT_EQ(Tab->CBDataSourcestyle->currentIndex(), TFormChartSeries::dsFunction);
  EXPECT_EQ(Tab->LBSelectedSeries->count(), 1);
  ClickTab(Tab->PageSeries, Tab->TabGeneral);
  EXPECT_EQ(Dialogs.Messages().size(), 4);

  // Closing the editor applies what is pending without asking.
  Tab->show();
  ClickTab(Tab->PageSeries, Tab->TabDataSource);
  Choose(Tab->CBFunctions, Tab->CBFunctions->findData(QStringLiteral("THighChartFunction")));
  Tab->hide();
  EXPECT_EQ(Target->Function()->ClassName(), QStringLiteral("THighChartFunction"));
  EXPECT_EQ(Points(Target), (std::vector<std::pair<double, double>>{{0, 10}, {3, 10}}));
  EXPECT_EQ(Dialogs.Messages().size(), 4);
}

TEST_F(SeriesTabTest, FunctionPeriodComputesOverTheSourceAndKeepsTheFunction) {
  Prepare();
  // Choosing another series applies what the previous one had pending.
  PendAverage();
  Tab->SetSeries(Source);
  EXPECT_FALSE(Tab->FunctionChanged);
  ASSERT_NE(Target->Function(), nullptr);
  EXPECT_TRUE(Dialogs.Messages().isEmpty());
  Tab->SetSeries(Target);
  TChartFunction* F = Target->Function();

  // A period of two points: the two pairs of the source, each at the middle of its pair.
  ClickTab(Tab->PageSeries, Tab->TabDataSource);
  Then([this](TForm& Form) {
    auto& P = dynamic_cast<TFormPeriod&>(Form);
    EXPECT_EQ(P.LCalc->text(), QStringLiteral("Calculate Average every:"));
    EXPECT_TRUE(P.CBAll->isChecked());
    EXPECT_TRUE(P.RBNum->isChecked());
    // Counted along, the source has no X range to group by.
    EXPECT_FALSE(P.RBRange->isEnabled());
    // What is no count of points is refused as the edit is left.
    Type(P.ENum, QStringLiteral("-1"));
    EXPECT_EQ(P.ENum->text(), QStringLiteral("0"));
    EXPECT_EQ(
        Dialogs.Messages(),
        QStringList{QStringLiteral("Incorrect value. Reason: Function Period should be >= 0")});
    Keys(P.ENum, QStringLiteral("2"));
    EXPECT_FALSE(P.CBAll->isChecked());
    P.BOk->click();
  });
  Tab->BEditFunc->click();
  EXPECT_EQ(F->Period(), 2);
  EXPECT_EQ(Points(Target), (std::vector<std::pair<double, double>>{{0.5, 3}, {2.5, 8}}));

  // Applying the same function again recomputes it in place from the changed source.
  Source->AddY(20);
  Source->AddY(30);
  Tab->FunctionChanged = true;
  Dialogs.Answer(mrYes);
  ClickTab(Tab->PageSeries, Tab->TabGeneral);
  EXPECT_EQ(Target->Function(), F);
  EXPECT_EQ(Points(Target).size(), 3u);

  // "Copy" removes the function; the points are then the source's own.
  ClickTab(Tab->PageSeries, Tab->TabDataSource);
  EXPECT_EQ(Tab->CBFunctions->itemText(0), QStringLiteral("Copy"));
  Choose(Tab->CBFunctions, 0);
  Tab->ApplyPending();
  EXPECT_EQ(Target->Function(), nullptr);
  EXPECT_EQ(Target->Count(), Source->Count());

  // A source that is computed from the target would make a circle: refused, sources kept.
  Tab->SetSeries(Source);
  ClickTab(Tab->PageSeries, Tab->TabDataSource);
  Choose(Tab->CBDataSourcestyle, TFormChartSeries::dsFunction);
  Tab->BRightAll->click();
  Tab->ApplyPending();
  EXPECT_TRUE(Source->DataSources().empty());
  EXPECT_EQ(Dialogs.Messages().last(),
            QStringLiteral("Circular Series dependences are not allowed"));

  // "No Data" empties the series; "Random Values" fills it with its samples.
  Choose(Tab->CBDataSourcestyle, TFormChartSeries::dsRandom);
  EXPECT_EQ(Source->Count(), Source->NumSampleValues());
  Choose(Tab->CBDataSourcestyle, TFormChartSeries::dsNoData);
  EXPECT_EQ(Source->Count(), 0);
}

TEST_F(SeriesTabTest, PeriodDialogDisplayRules) {
  TFormPeriod P(nullptr);
  // A count of points is whole and never negative.
  P.Period = -3;
  P.FormShow();
  EXPECT_EQ(P.ENum->text(), QStringLiteral("0"));
  EXPECT_TRUE(P.CBAll->isChecked());
  P.Period = 2.6;
  P.FormShow();
  EXPECT_EQ(P.ENum->text(), QStringLiteral("3"));
  EXPECT_EQ(P.BLabel->text(), QStringLiteral("3"));
  // A range period is only shown when ranges are possible.
  P.PeriodStyle = psRange;
  P.Period = 1;
  P.FormShow();
  EXPECT_TRUE(P.RBNum->isChecked());
  P.CanRange = true;
  P.IsDateTime = true;
  P.PeriodStyle = psRange;
  P.Period = 7;
  P.FormShow();
  EXPECT_TRUE(P.RBRange->isChecked());
  EXPECT_FALSE(P.ENum->isEnabled());
  EXPECT_TRUE(P.BChange->isEnabled());
  EXPECT_EQ(P.BLabel->text(), QStringLiteral("One Week"));
  // "Change..." asks the increment dialog for the range.
  Then([](TForm& Form) {
    EXPECT_EQ(Form.windowTitle(), QStringLiteral("Period range"));
    auto& D = dynamic_cast<TAxisIncrement&>(Form);
    EXPECT_TRUE(D.IsDateTime);
    D.CBSteps->setCurrentIndex(D.CBSteps->findText(QStringLiteral("One Day")));
    D.BOk->click();
  });
  P.BChange->click();
  EXPECT_EQ(P.Period, 1);
  EXPECT_EQ(P.BLabel->text(), QStringLiteral("One Day"));
  // A range below 0 is refused where it is typed: the dialog stays, and the period with it.
  P.IsDateTime = false;
  Then([](TForm& Form) {
    auto& D = dynamic_cast<TAxisIncrement&>(Form);
    D.RBCustom->click();
    D.ECustom->setText(QStringLiteral("-5"));
    D.BOk->click();
  });
  P.BChange->click();
  EXPECT_EQ(P.Period, 1);
  EXPECT_EQ(Dialogs.Messages(),
            QStringList{QStringLiteral("Incorrect value. Reason: Function Period should be >= 0")});
  // Text on the way to a number changes nothing; a number is taken.
  P.RBNum->click();
  for (const char* Partial : {"", "-", "1e", "x"}) {
    Keys(P.ENum, QLatin1String(Partial));
    EXPECT_EQ(P.Period, 1) << Partial;
  }
  P.CBAll->click();
  EXPECT_EQ(P.Period, 0);
  EXPECT_EQ(P.ENum->text(), QStringLiteral("0"));
  // A refusal that puts 0 back ticks "All points" again.
  Keys(P.ENum, QStringLiteral("2"));
  EXPECT_FALSE(P.CBAll->isChecked());
  QTest::keyClicks(P.ENum, QStringLiteral("e999"));
  P.ENum->Finish();
  EXPECT_EQ(P.Period, 0);
  EXPECT_TRUE(P.CBAll->isChecked());
}

TEST_F(SeriesTabTest, AWrongValueKeepsTheRunningDialogOpen) {
  // A real message box runs its own loop, in which a close asked for too early would happen.
  struct TLooping : TScriptedDialogService {
    TModalResult MessageDlg(const QString& Text, TMsgDlgType Type, TMsgDlgButtons Buttons,
                            const QString& Caption) override {
      QCoreApplication::processEvents();
      return TScriptedDialogService::MessageDlg(Text, Type, Buttons, Caption);
    }
  } Looping;
  TScopedDialogService Use(Looping);
  auto Run = [](TForm& Form, auto Type, QPushButton* Ok, QPushButton* Cancel) {
    bool StillOpen = false;
    QTimer::singleShot(0, &Form, [&] {
      Type();
      Ok->click();
      QCoreApplication::processEvents();
      StillOpen = Form.isVisible();
      Cancel->click();
    });
    EXPECT_EQ(Form.ShowModal(), mrCancel);
    EXPECT_TRUE(StillOpen) << Form.objectName().toStdString();
  };
  TFormPeriod P(nullptr);
  Run(
      P, [&] { Keys(P.ENum, QStringLiteral("-1")); }, P.BOk, P.BCancel);
  TAxisMaxMin M(nullptr);
  Run(
      M, [&] { M.EDate->setText(QStringLiteral("abc")); }, M.BOk, M.BCancel);
  EXPECT_EQ(Looping.Messages().size(), 2);
}

TEST_F(SeriesTabTest, GeneralAndMarksTabsWriteTheSeries) {
  Prepare();
  ClickTab(Tab->PageSeries, Tab->TabGeneral);
  EXPECT_TRUE(Tab->CBShowInLegend->isChecked());
  EXPECT_EQ(Tab->RGVertAxis->ItemIndex(), int(aLeftAxis));
  EXPECT_EQ(Tab->EValueformat->text(), Target->ValueFormat());
  // The cursor names come without their "cr", the chart's hand last.
  EXPECT_EQ(Tab->CBSeriesCursor->itemText(Tab->CBSeriesCursor->count() - 1),
            QStringLiteral("ChartHand"));
  EXPECT_EQ(Tab->CBSeriesCursor->currentText(), QStringLiteral("Default"));
  Choose(Tab->CBSeriesCursor, Tab->CBSeriesCursor->count() - 1);
  EXPECT_EQ(Target->Cursor(), crChartHand);
  Tab->RGVertAxis->SetItemIndex(int(aRightAxis));
  EXPECT_EQ(Target->VertAxis(), aRightAxis);
  Tab->CBShowInLegend->click();
  EXPECT_FALSE(Target->ShowInLegend());
  Tab->EValueformat->setText(QStringLiteral("0.0"));
  emit Tab->EValueformat->textEdited(QStringLiteral("0.0"));
  EXPECT_EQ(Target->ValueFormat(), QStringLiteral("0.0"));
  Tab->CBXDateTime->click();
  EXPECT_TRUE(Target->XValues()->DateTime());

  ClickTab(Tab->PageSeries, Tab->TabMarks);
  EXPECT_FALSE(Tab->CBMarksVisible->isChecked());
  const QImage Before = Picture();
  Tab->CBMarksVisible->click();
  EXPECT_TRUE(Target->Marks()->Visible());
  EXPECT_NE(Picture(), Before);
  Tab->RGMarkStyle->SetItemIndex(int(smsXValue));
  EXPECT_EQ(Target->Marks()->Style(), smsXValue);
  Type(Tab->SEArrowLength, QStringLiteral("20"));
  EXPECT_EQ(Target->Marks()->ArrowLength(), 20);
  Tab->CBMarkClip->click();
  EXPECT_TRUE(Target->Marks()->Clip());
  Dialogs.AnswerColor(0x00FF00);
  Tab->BMarksBackColor->click();
  EXPECT_EQ(Target->Marks()->BackColor(), TColor(0x00FF00));
  EXPECT_GT(CountColor(Picture(), TColor(0x00FF00)), 20);
}
