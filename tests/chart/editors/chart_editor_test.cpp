// The chart editor dialog: tabs, caption, the series buttons and what they do to the chart.
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTabBar>

#include "chart/editors/chart_gallery.h"
#include "chart/editors/chart_general_pages.h"
#include "chart/editors/chart_list_box.h"
#include "chart/editors/series_tab.h"
#include "chart/engine/pie_series.h"
#include "chart/engine/series_types.h"
#include "platform/controls.h"
#include "tests/chart/editors/editor_test_support.h"

namespace {
TChartEditForm& Editor(TForm& F) { return dynamic_cast<TChartEditForm&>(F); }

struct TButtons {
  bool Add, Delete, Title, Clone, Change, Up, Down;
  friend bool operator==(const TButtons&, const TButtons&) = default;
};
TButtons Enabled(const TChartEditForm& E) {
  return {E.BAddSeries->isEnabled(),        E.BDeleteSeries->isEnabled(),
          E.BRenameSeries->isEnabled(),     E.BCloneSeries->isEnabled(),
          E.BChangeTypeSeries->isEnabled(), E.BMoveUP->isEnabled(),
          E.BMoveDown->isEnabled()};
}
}  // namespace

TEST_F(ChartEditorTest, CaptionTabsAndTheActivePage) {
  Then([](TForm& F) {
    TChartEditForm& E = Editor(F);
    EXPECT_EQ(E.windowTitle(), QStringLiteral("Editing Chart1"));
    // Every page of the chart shows, and the series form.
    for (int T = cetSeries; T < ChartEditorTabCount; ++T)
      EXPECT_TRUE(E.Notebook1->TabVisible(T)) << T;
    EXPECT_TRUE(E.MainPage->TabVisible(1));
    EXPECT_EQ(E.Notebook1->ActivePageIndex(), cet3D);
    EXPECT_NE(E.Page(cet3D), nullptr);
    EXPECT_EQ(E.Page(cetGeneral), nullptr);  // made when first shown
  });
  EditChartPage(nullptr, Chart.get(), cet3D);

  // A hidden tab asked for opens the default tab.
  {
    std::unique_ptr<TChartEditForm> Hidden(CreateChartEditor(nullptr, Chart.get()));
    Hidden->HiddenTabs = 1 << cetAxis;
    Hidden->TheActivePageIndex = cetAxis;
    Then([](TForm& F) { EXPECT_EQ(Editor(F).Notebook1->ActivePageIndex(), cetSeries); });
    RunChartModal(*Hidden);
  }

  std::unique_ptr<TChartEditForm> E(CreateChartEditor(nullptr, Chart.get()));
  E->HiddenTabs = 1 << cetGeneral | 1 << cetSeries;
  E->TheActivePageIndex = cetGeneral;
  E->setWindowTitle(QStringLiteral("Mine"));
  Then([](TForm& F) {
    TChartEditForm& Ed = Editor(F);
    EXPECT_EQ(Ed.windowTitle(), QStringLiteral("Mine"));
    EXPECT_FALSE(Ed.Notebook1->TabVisible(cetGeneral));
    EXPECT_FALSE(Ed.Notebook1->TabVisible(cetSeries));
    EXPECT_EQ(Ed.Notebook1->ActivePageIndex(), cetAxis);  // the first tab left
  });
  RunChartModal(*E);

  // A series to edit is selected at once.
  AddLine("A", clRed);
  TChartSeries* B = AddLine("B", clBlue);
  Then([&](TForm& F) { EXPECT_EQ(Editor(F).LBSeries->SelectedSeries(), B); });
  EditSeries(nullptr, B);
}

TEST_F(ChartEditorTest, HiddenTabsOpenTheFirstPageLeftAndHideSeriesTabs) {
  AddLine("A", clRed);
  std::unique_ptr<TChartEditForm> E(CreateChartEditor(nullptr, Chart.get()));
  E->HiddenTabs = 1 << cetSeries;
  Then([](TForm& F) {
    TChartEditForm& Ed = Editor(F);
    EXPECT_EQ(Ed.Notebook1->ActivePageIndex(), cetGeneral);
    ASSERT_NE(Ed.Page(cetGeneral), nullptr);
    EXPECT_TRUE(Ed.Page(cetGeneral)->isVisibleTo(&Ed));
  });
  RunChartModal(*E);

  // Bits 9 and 10 hide the series form's "Data Source" and "General"; the option hides the first
  // too.
  struct {
    int Hidden, Options;
    bool General, Marks, Source;
  } const Cases[] = {{1 << cetSeriesGeneral, ChartEditorAllOptions, false, true, true},
                     {1 << cetSeriesData, ChartEditorAllOptions, true, true, false},
                     {0, ChartEditorAllOptions & ~ceDataSource, true, true, false}};
  for (const auto& C : Cases) {
    std::unique_ptr<TChartEditForm> Ed(CreateChartEditor(nullptr, Chart.get()));
    Ed->HiddenTabs = C.Hidden;
    Ed->EditorOptions = C.Options;
    Then([&C](TForm& F) {
      Editor(F).MainPage->setCurrentIndex(1);
      auto* S = dynamic_cast<TFormChartSeries*>(Editor(F).SeriesForm());
      ASSERT_NE(S, nullptr);
      auto Shown = [S](QWidget* Tab) {
        return S->PageSeries->TabVisible(S->PageSeries->indexOf(Tab));
      };
      EXPECT_EQ(Shown(S->TabGeneral), C.General) << C.Hidden;
      EXPECT_EQ(Shown(S->TabMarks), C.Marks) << C.Hidden;
      EXPECT_EQ(Shown(S->TabDataSource), C.Source) << C.Hidden;
    });
    RunChartModal(*Ed);
  }
}

TEST_F(ChartEditorTest, OpensBigEnoughForEveryTabAndPageWithinTheScreen) {
  TChartSeries* S = AddLine("A", clRed);
  S->SetTitle(QStringLiteral("A rather long series title"));
  Then([](TForm& F) {
    TChartEditForm& E = Editor(F);
    const QSize Opened = E.size();
    const QRect Screen = E.screen()->availableGeometry();
    EXPECT_TRUE(Screen.contains(E.frameGeometry()))
        << E.frameGeometry().width() << "x" << E.frameGeometry().height();
    QTabBar* Bar = E.Notebook1->tabBar();
    // Every tab in sight, without scroll arrows.
    EXPECT_GE(Bar->tabRect(0).left(), 0);
    EXPECT_LE(Bar->tabRect(cet3D).right(), Bar->width());
    for (int T = cetGeneral; T < ChartEditorTabCount; ++T) E.Notebook1->setCurrentIndex(T);
    E.MainPage->setCurrentIndex(1);
    QCoreApplication::processEvents();
    // No page made the dialog grow.
    EXPECT_EQ(E.size(), Opened);
  });
  EditChart(nullptr, Chart.get());
}

TEST_F(ChartEditorTest, TheSeriesFormOpensAnAddedSeriesAtFormatAndAsksBeforeItIsLeft) {
  TChartSeries* A = AddLine("A", clRed);
  Then([&](TForm& F) {
    TChartEditForm& E = Editor(F);
    E.MainPage->setCurrentIndex(1);
    auto* S = dynamic_cast<TFormChartSeries*>(E.SeriesForm());
    ASSERT_NE(S, nullptr);
    EXPECT_EQ(S->Series(), A);
    S->PageSeries->setCurrentIndex(S->PageSeries->indexOf(S->TabDataSource));
    auto Pend = [S] {
      S->CBFunctions->setCurrentIndex(1);
      emit S->CBFunctions->activated(1);
      ASSERT_TRUE(S->FunctionChanged);
    };
    // Cancel stays on the series form; No leaves without the change; Yes applies it.
    Pend();
    Dialogs.Answer(mrCancel);
    E.MainPage->setCurrentIndex(0);
    EXPECT_EQ(E.MainPage->ActivePageIndex(), 1);
    EXPECT_TRUE(S->FunctionChanged);
    Dialogs.Answer(mrNo);
    E.MainPage->setCurrentIndex(0);
    EXPECT_EQ(E.MainPage->ActivePageIndex(), 0);
    EXPECT_EQ(A->Function(), nullptr);
    E.MainPage->setCurrentIndex(1);
    Pend();
    Dialogs.Answer(mrYes);
    E.MainPage->setCurrentIndex(0);
    EXPECT_EQ(E.MainPage->ActivePageIndex(), 0);
    EXPECT_NE(A->Function(), nullptr);
    EXPECT_EQ(Dialogs.Messages(), QStringList(3, QStringLiteral("Apply Changes?")));

    // A series just added opens at its first tab.
    E.BAddSeries->click();
    EXPECT_EQ(E.MainPage->ActivePageIndex(), 1);
    EXPECT_EQ(S->Series(), Chart->GetSeries(1));
    EXPECT_EQ(S->PageSeries->ActivePageIndex(), 0);
  });
  Then([](TForm& F) {
    auto& G = dynamic_cast<TChartGallery&>(F);
    G.ChartGalleryPanel1->SelectChart(1);
    G.BOk->click();
  });
  EditChart(nullptr, Chart.get());
}

TEST_F(ChartEditorTest, EachTabShowsWhatIsInForceWhenItComesBack) {
  TChartSeries* A = AddLine("A", clRed);
  Then([&](TForm& F) {
    TChartEditForm& E = Editor(F);
    auto* P3 = dynamic_cast<TFormChart3D*>(E.Page(cet3D));
    ASSERT_NE(P3, nullptr);
    E.MainPage->setCurrentIndex(1);
    auto* S = dynamic_cast<TFormChartSeries*>(E.SeriesForm());
    S->PageSeries->setCurrentIndex(S->PageSeries->indexOf(S->TabMarks));
    // Changed while the other tab is open, as the other pages do.
    Chart->SetChart3DPercent(40);
    E.MainPage->setCurrentIndex(0);
    EXPECT_EQ(P3->SE3d->text(), QStringLiteral("40"));
    A->Marks()->SetArrowLength(17);
    E.MainPage->setCurrentIndex(1);
    EXPECT_EQ(S->SEArrowLength->text(), QStringLiteral("17"));
  });
  EditChartPage(nullptr, Chart.get(), cet3D);
}

TEST_F(ChartEditorTest, ButtonsFollowTheStyleFlagsTheOwnerAndTheSelection) {
  std::unique_ptr<TChartEditForm> E(CreateChartEditor(nullptr, Chart.get()));
  E->show();
  // Without series only "Add..." works.
  EXPECT_EQ(Enabled(*E), (TButtons{true, false, false, false, false, false, false}));

  TChartSeries* A = AddLine("A", clRed);
  TChartSeries* B = AddLine("B", clBlue);
  E->LBSeries->FillSeries(A);
  EXPECT_EQ(Enabled(*E), (TButtons{true, true, true, true, true, false, true}));
  E->LBSeries->FillSeries(B);
  EXPECT_EQ(Enabled(*E), (TButtons{true, true, true, true, true, true, false}));

  struct {
    int Flags;
    TButtons Expect;
  } const Cases[] = {
      {1, {true, false, true, false, true, true, false}},
      {2, {true, true, true, true, false, true, false}},
      {4, {true, false, true, true, true, true, false}},
      {8, {true, true, true, false, true, true, false}},
  };
  for (const auto& C : Cases) {
    B->SetStyleFlags(C.Flags);
    E->RefreshButtons();
    EXPECT_EQ(Enabled(*E), C.Expect) << "flags " << C.Flags;
  }
  B->SetStyleFlags(0);

  // Two selected: no title, clone or moves.
  E->LBSeries->selectAll();
  EXPECT_EQ(E->LBSeries->SelectedCount(), 2);
  EXPECT_EQ(Enabled(*E), (TButtons{true, true, false, false, true, false, false}));

  // A series its window keeps cannot be deleted or replaced here, only cloned.
  TLineSeries Kept;
  Chart->AddSeries(&Kept);
  E->LBSeries->FillSeries(&Kept);
  EXPECT_EQ(Enabled(*E), (TButtons{true, false, true, true, false, true, false}));
  E->EditorOptions = ChartEditorAllOptions & ~(ceAdd | ceClone);
  E->RefreshButtons();
  EXPECT_EQ(Enabled(*E), (TButtons{false, false, true, false, false, true, false}));
  Chart->RemoveSeries(&Kept);
}

TEST_F(ChartEditorTest, DeleteRenameCloneAndMoveChangeTheChart) {
  TChartSeries* A = AddLine("A", clRed);
  TChartSeries* B = AddLine("B", clBlue);
  const TSeriesHandle HA = A->Handle();
  const QImage Both = Picture();
  EXPECT_GT(CountColor(Both, clRed), 0);

  Then([&](TForm& F) {
    TChartEditForm& E = Editor(F);
    E.LBSeries->FillSeries(A);
    // Refused first, then confirmed.
    Dialogs.Answer(mrNo);
    E.BDeleteSeries->click();
    EXPECT_EQ(Chart->SeriesCount(), 2);
    Dialogs.Answer(mrYes);
    E.BDeleteSeries->click();
    EXPECT_EQ(Chart->SeriesCount(), 1);
    EXPECT_FALSE(HA);
    EXPECT_EQ(E.LBSeries->count(), 1);
    EXPECT_EQ(E.LBSeries->SelectedSeries(), B);

    Dialogs.AnswerText(QStringLiteral("Renamed"));
    E.BRenameSeries->click();
    EXPECT_EQ(B->Title(), QStringLiteral("Renamed"));
    EXPECT_EQ(E.LBSeries->item(0)->text(), QStringLiteral("Renamed"));

    E.BCloneSeries->click();
    ASSERT_EQ(Chart->SeriesCount(), 2);
    TChartSeries* Copy = Chart->GetSeries(1);
    EXPECT_TRUE(Chart->OwnsSeries(Copy));
    EXPECT_EQ(Copy->Count(), B->Count());
    EXPECT_EQ(Copy->ClassName(), B->ClassName());
    EXPECT_EQ(E.LBSeries->SelectedSeries(), Copy);
    E.BMoveUP->click();
    EXPECT_EQ(Chart->GetSeries(0), Copy);
    E.BMoveDown->click();
    EXPECT_EQ(Chart->GetSeries(1), Copy);

    // Several selected are deleted after one question.
    E.LBSeries->selectAll();
    Dialogs.Answer(mrYes);
    E.BDeleteSeries->click();
    EXPECT_EQ(Chart->SeriesCount(), 0);
    EXPECT_EQ(Enabled(E), (TButtons{true, false, false, false, false, false, false}));
  });
  EditChart(nullptr, Chart.get());
  const QStringList Asked = Dialogs.Messages();
  EXPECT_EQ(Asked, (QStringList{"Delete A?", "Delete A?", "Delete (Selected Series)?"}));
  ASSERT_EQ(Dialogs.Requests[2].Kind, TDialogRequest::rkInput);
  EXPECT_EQ(Dialogs.Requests[2].Caption, QStringLiteral("Change Series Title"));
  EXPECT_EQ(Dialogs.Requests[2].Text, QStringLiteral("New Series Title:"));
  EXPECT_EQ(CountColor(Picture(), clRed), 0);
}

TEST_F(ChartEditorTest, EveryTypeThroughTheGalleryReplacesTheSeriesInPlace) {
  AddLine("First", clRed);
  TChartSeries* S = AddLine("Changed", clBlue);
  const TChartSeriesTypes& Types = ChartSeriesTypes();
  int Changed = 0;
  for (int i = 0; i < Types.Count(); ++i) {
    const TChartSeriesType& T = Types.GetSeriesType(i);
    if (T.SeriesClass.IsNull() || !T.FunctionClass.IsNull()) continue;
    Then([&](TForm& F) {
      TChartEditForm& E = Editor(F);
      E.LBSeries->FillSeries(S);
      E.BChangeTypeSeries->click();
    });
    Then([&](TForm& F) {
      auto& G = dynamic_cast<TChartGallery&>(F);
      EXPECT_EQ(G.windowTitle(), QStringLiteral("RodIvaze Gallery"));
      for (int t = 0; t < G.TabControl->count(); ++t)
        if (G.TabControl->tabText(t) == T.GalleryPage) G.TabControl->setCurrentIndex(t);
      G.ChartGalleryPanel1->SelectType(&T);
      ASSERT_EQ(G.ChartGalleryPanel1->SelectedType(), &T);
      G.BOk->click();
    });
    EditChart(nullptr, Chart.get());
    ASSERT_EQ(Chart->SeriesCount(), 2);
    S = Chart->GetSeries(1);
    EXPECT_EQ(S->ClassName(), T.SeriesClass.Name);
    EXPECT_EQ(S->Title(), QStringLiteral("Changed"));
    EXPECT_TRUE(Chart->OwnsSeries(S));
    // The chart draws what it holds now.
    EXPECT_EQ(Picture().size(), QSize(400, 300));
    ++Changed;
  }
  EXPECT_EQ(Changed, 15);
}

TEST_F(ChartEditorTest, AddingThroughTheGalleryAndCancelling) {
  Then([&](TForm& F) {
    TChartEditForm& E = Editor(F);
    E.BAddSeries->click();  // cancelled
    EXPECT_EQ(Chart->SeriesCount(), 0);
    E.BAddSeries->click();
  });
  Then([](TForm& F) { dynamic_cast<TChartGallery&>(F).BCancel->click(); });
  Then([](TForm& F) {
    auto& G = dynamic_cast<TChartGallery&>(F);
    EXPECT_EQ(G.TabControl->tabText(1), QStringLiteral("Functions"));
    // With nothing selected, the first arrow key selects the first chart.
    EXPECT_EQ(G.ChartGalleryPanel1->SelectedIndex(), -1);
    QKeyEvent Right(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
    QCoreApplication::sendEvent(G.ChartGalleryPanel1, &Right);
    EXPECT_EQ(G.ChartGalleryPanel1->SelectedIndex(), 0);
    G.CB3D->setChecked(false);
    G.ChartGalleryPanel1->SelectChart(1);
    G.BOk->click();
  });
  Chart->SetView3D(true);
  EditChart(nullptr, Chart.get());
  ASSERT_EQ(Chart->SeriesCount(), 1);
  EXPECT_EQ(Chart->GetSeries(0)->ClassName(), QStringLiteral("TBarSeries"));
  EXPECT_EQ(Chart->GetSeries(0)->Name(), QStringLiteral("Series1"));
  EXPECT_TRUE(Chart->OwnsSeries(Chart->GetSeries(0)));
  EXPECT_FALSE(Chart->View3D());
}

TEST_F(ChartEditorTest, TheListKeepsHandlesSoASeriesDeletedElsewhereEmptiesItsRow) {
  TChartSeries* A = AddLine("A", clRed);
  AddLine("B", clBlue);
  TChartListBox Box;
  Box.SetChart(Chart.get());
  Box.resize(300, 100);
  Box.FillSeries(A);
  Chart->FreeSeries(A);
  EXPECT_EQ(Box.SeriesAt(0), nullptr);
  EXPECT_EQ(Box.SelectedSeries(), nullptr);
  Box.grab();  // paints the emptied row
  Box.AskDelete = false;
  Box.DeleteSeries();  // nothing left to delete under the selection
  EXPECT_EQ(Chart->SeriesCount(), 1);
  // The chart going takes the list's rows with it.
  Chart.reset();
  EXPECT_EQ(Box.SeriesAt(1), nullptr);
  Box.FillSeries(nullptr);
  EXPECT_EQ(Box.count(), 0);
}

TEST_F(ChartEditorTest, TheThreeDTabForbidsRotationInFrontOfAPie) {
  auto Pie = std::make_unique<TPieSeries>();
  Pie->AddY(3);
  Pie->AddY(5);
  Chart->AdoptSeries(std::move(Pie));
  Chart->View3DOptions()->SetOrthogonal(false);
  Then([](TForm& F) {
    auto* P = dynamic_cast<TFormChart3D*>(Editor(F).Page(cet3D));
    ASSERT_NE(P, nullptr);
    EXPECT_FALSE(P->AllowRotation);
    EXPECT_FALSE(P->SBRotation->isEnabled());
    EXPECT_FALSE(P->CBOrthogonal->isEnabled());
    EXPECT_TRUE(P->SBElevation->isEnabled());
  });
  EditChartPage(nullptr, Chart.get(), cet3D);
}
