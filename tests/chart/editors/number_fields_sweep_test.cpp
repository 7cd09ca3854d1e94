// Every number field of the chart dialogs, opened as the program opens them: refused text typed
// key by key after prefixes that stand, or none, left by each route, leaves the edit showing the
// value in force, the chart holding it, and one message; the chooser the wheel was turned over
// stays, and the next press arrives; nothing else in the dialogs takes numbers.
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTabBar>
#include <QTest>

#include "chart/editors/chart_axis_page.h"
#include "chart/editors/chart_general_pages.h"
#include "chart/editors/chart_part_pages.h"
#include "chart/editors/chart_preview.h"
#include "chart/editors/function_period.h"
#include "chart/editors/series_tab.h"
#include "chart/engine/bar_series.h"
#include "chart/engine/custom_series.h"
#include "chart/engine/pie_series.h"
#include "chart/engine/polar_series.h"
#include "chart/engine/shape_series.h"
#include "chart/engine/surface_series.h"
#include "platform/controls.h"
#include "tests/chart/editors/editor_test_support.h"
#include "tests/support/user_input.h"

namespace {
enum TRoute { rTab, rEnter, rTabClick, rUp, rWheel };

class NumberFieldsSweep : public ChartEditorTest {
 protected:
  // The texts no field takes: each begins with digits some fields take on the way.
  const QStringList Refused = {"1e999", "99999999999", "-99999999999", "4x", ""};

  // The edit shows the value in force, and that is what the chart holds.
  static void InForce(TNumberEdit* E, const std::string& Where) {
    EXPECT_FALSE(E->Typing()) << Where;
    EXPECT_EQ(E->text(), E->Rule().Format(E->Value())) << Where;
    if (E->OnRead) {
      EXPECT_DOUBLE_EQ(E->Value(), E->OnRead()) << Where;
    }
  }

  // Every number field of Root, driven by every refused text and route; Root's other line edits
  // are the text fields named here, and it has no spin box of another kind.
  void Sweep(QWidget* Root) {
    EXPECT_TRUE(Root->findChildren<QAbstractSpinBox*>().isEmpty()) << Name(Root);
    for (QLineEdit* L : Root->findChildren<QLineEdit*>()) {
      if (qobject_cast<TNumberEdit*>(L) || qobject_cast<QComboBox*>(L->parentWidget())) continue;
      EXPECT_TRUE(TextFields.contains(L->objectName()))
          << L->objectName().toStdString() << " in " << Name(Root);
    }
    for (TNumberEdit* E : TNumberEdit::EditsIn(Root)) {
      if (!E->isVisibleTo(Root->window()) || !E->isEnabled()) continue;
      Seen << E->objectName();
      for (const QString& Text : Refused)
        for (TRoute Route : {rTab, rEnter, rTabClick, rUp, rWheel})
          // (The arrows step from an emptied field.)
          if (Route != rUp || (E->UpDown() && !Text.isEmpty())) Drive(E, Text, Route);
    }
  }

  void Drive(TNumberEdit* E, const QString& Text, TRoute Route) {
    const std::string Where =
        Name(E) + " " + Text.toStdString() + " route " + std::to_string(int(Route));
    const double Before = E->Value();
    const qsizetype Told = Dialogs.Messages().size();
    // The keys go where the user's would: to the dialog in front.
    if (QApplication::activeWindow() != E->window()) {
      E->window()->activateWindow();
      ASSERT_TRUE(QTest::qWaitForWindowActive(E->window())) << Where;
    }
    E->setFocus();
    Keys(E, Text);
    EXPECT_FALSE(E->text().contains(u'x')) << Where;
    double Typed = 0;
    const bool Number = E->Rule().Parse(E->text(), Typed) && E->Rule().Accepts(Typed);
    QTabBar* Bar = TabBarOf(E);
    const int Tab = Bar ? Bar->currentIndex() : -1;
    QComboBox* Chooser = nullptr;
    for (QComboBox* C : E->window()->findChildren<QComboBox*>())
      if (!Chooser && C->isVisible() && C->isEnabled() && C->count() > 1) Chooser = C;
    const int Chosen = Chooser ? Chooser->currentIndex() : -1;
    // (A text that stands would turn the chooser, and the page with it.)
    if (Route == rWheel && Chooser && !Number)
      TurnWheel(Chooser, Chosen + 1 < Chooser->count() ? -1 : 1);
    else if (Route == rTabClick && Bar)
      QTest::mouseClick(Bar, Qt::LeftButton, {}, Bar->tabRect(Tab == 0 ? 1 : 0).center());
    else if (Route == rTabClick || Route == rWheel)
      E->Finish();
    else
      QTest::keyClick(E, Route == rTab     ? Qt::Key_Tab
                         : Route == rEnter ? Qt::Key_Return
                                           : Qt::Key_Up);
    if (Bar && Bar->currentIndex() != Tab) Bar->setCurrentIndex(Tab);
    InForce(E, Where);
    // A refusal is told once, never with an endless range, and the value before the typing is
    // back (the up arrow takes no step from it).
    if (!Number || (E->Value() == Before && Typed != Before)) {
      EXPECT_EQ(E->Value(), Before) << Where;
      ASSERT_EQ(Dialogs.Messages().size(), Told + 1) << Where;
      EXPECT_FALSE(Dialogs.Messages().last().contains(u'\u221E')) << Where;
      if (Chooser) {
        EXPECT_EQ(Chooser->currentIndex(), Chosen) << Where;
      }
      TPressCount Presses(E->window());
      QTest::mouseClick(E->window(), Qt::LeftButton, {}, QPoint(1, 1));
      EXPECT_EQ(Presses.Count, 1) << Where;
    }
    // The next text starts from what the chart holds.
    if (E->Value() != Before) E->SetValue(Before);
  }

  static QTabBar* TabBarOf(QWidget* W) {
    for (; W; W = W->parentWidget())
      if (auto* P = qobject_cast<TPageControl*>(W)) return P->tabBar();
    return nullptr;
  }
  static std::string Name(const QObject* O) {
    std::string N;
    for (; O; O = O->parent())
      if (!O->objectName().isEmpty())
        N = O->objectName().toStdString() + (N.empty() ? "" : "/") + N;
    return N;
  }

  const QStringList TextFields = {"ETitle",      "EFormat", "EValueformat", "EPercentFormat",
                                  "EOtherLabel", "EDate",   "ETime",        "ECustom"};
  QStringList Seen;
};

template <class S>
S* AddSeries(TCustomChart& C) {
  auto* X = static_cast<S*>(C.AdoptSeries(std::make_unique<S>()));
  X->FillSampleValues(X->NumSampleValues());
  return X;
}
}  // namespace

TEST_F(NumberFieldsSweep, EveryFieldOfTheEditorItsDialogsAndThePreview) {
  // A surface that makes its own values, so that its grid size may be changed.
  auto* Surface = AddSeries<TSurfaceSeries>(*Chart);
  Surface->OnGetYValue = [](TChartSeries*, int X, int Z) { return double(X * Z % 7); };
  Surface->CreateValues(10, 10);
  AddSeries<TPolarSeries>(*Chart);
  AddSeries<TBarSeries>(*Chart);
  AddSeries<TPieSeries>(*Chart)->OtherSlice()->SetStyle(poBelowValue);
  AddSeries<TLineSeries>(*Chart);
  AddSeries<TChartShape>(*Chart);
  AddSeries<TGanttSeries>(*Chart);
  AddSeries<TArrowSeries>(*Chart);
  Then([&](TForm& F) {
    auto& E = dynamic_cast<TChartEditForm&>(F);
    for (int T = cetGeneral; T < ChartEditorTabCount; ++T) {
      E.Notebook1->setCurrentIndex(T);
      QWidget* Page = E.Page(TChartEditorTab(T));
      ASSERT_NE(Page, nullptr) << T;
      auto* Axis = dynamic_cast<TFormChartAxis*>(Page);  // each of its tabs in turn
      for (int A = 0; A < (Axis ? Axis->PageControl1->count() : 1); ++A) {
        if (Axis) Axis->PageControl1->setCurrentIndex(A);
        Sweep(Page);
      }
      if (auto* W = dynamic_cast<TFormChartWall*>(Page)) {
        // A click on another wall's tab, which takes no focus, finishes the typing first.
        const int Size = W->Wall()->Size();
        const qsizetype Told = Dialogs.Messages().size();
        W->SEWallSize->setFocus();
        Keys(W->SEWallSize, QStringLiteral("3000"));
        QTabBar* Walls = W->TabSubWalls;
        QTest::mouseClick(Walls, Qt::LeftButton, {}, Walls->tabRect(1).center());
        EXPECT_EQ(Walls->currentIndex(), 0);
        EXPECT_EQ(W->Wall()->Size(), Size);
        EXPECT_EQ(W->SEWallSize->text(), QString::number(Size));
        EXPECT_EQ(Dialogs.Messages().size(), Told + 1);
      }
    }
    E.MainPage->setCurrentIndex(1);
    auto* S = dynamic_cast<TFormChartSeries*>(E.SeriesForm());
    for (int I = 0; I < S->CBSeries->count(); ++I) {
      S->CBSeries->setCurrentIndex(I);
      emit S->CBSeries->activated(I);
      for (int P = 0; P < S->PageSeries->count(); ++P) {
        if (!S->PageSeries->TabVisible(P) || S->PageSeries->widget(P) == S->TabDataSource) continue;
        S->PageSeries->setCurrentIndex(P);
        Sweep(S->PageSeries->widget(P));
      }
    }
    // Typing left in a field as the window closes is finished too.
    E.MainPage->setCurrentIndex(0);
    E.Notebook1->setCurrentIndex(cet3D);
    auto* P3 = dynamic_cast<TFormChart3D*>(E.Page(cet3D));
    Keys(P3->SE3d, QStringLiteral("3000"));
    E.close();
    EXPECT_EQ(Chart->Chart3DPercent(), 15);
  });
  EditChart(nullptr, Chart.get());
  // Reopened, the pages show what the chart holds.
  Then([](TForm& F) {
    auto& E = dynamic_cast<TChartEditForm&>(F);
    for (int T = cetGeneral; T < ChartEditorTabCount; ++T) {
      E.Notebook1->setCurrentIndex(T);
      for (TNumberEdit* N : TNumberEdit::EditsIn(E.Page(TChartEditorTab(T))))
        if (N->isVisibleTo(&E)) InForce(N, Name(N));
    }
  });
  EditChart(nullptr, Chart.get());
  for (const char* Field :
       {"SEAniZoomSteps",  "SEMarLeft",       "SEPointsPerPage", "SE3d",      "SETitleAngle",
        "SELabelsAngle",   "SEStartPosition", "SETopPos",        "SEPanelWi", "SEWallSize",
        "SEArrowLength",   "SEPalette",       "SEXGrid",         "EDepth",    "SERadiusInc",
        "SEAngleInc",      "SEBarwidth",      "EYOrigin",        "EX0",       "EOtherValue",
        "SEPointVertSize", "SEArrowWidth",    "SEPointHorizSize"})
    EXPECT_TRUE(Seen.contains(QLatin1String(Field))) << Field;

  // The pen dialog of a wall, the print preview's margins, and the function period.
  Then([this](TForm& F) { Sweep(&F); });
  EditChartPen(nullptr, *Chart->LeftWall()->Pen());
  Then([this](TForm& F) { Sweep(&F); });
  ChartPreview(nullptr, *Chart);
  TFormPeriod Period(nullptr);
  Then([this](TForm& F) { Sweep(&F); });
  RunChartModal(Period);
  for (const char* Field : {"SEWidth", "SELeft", "ENum"})
    EXPECT_TRUE(Seen.contains(QLatin1String(Field))) << Field;
}
