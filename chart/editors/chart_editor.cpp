#include "chart/editors/chart_editor.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "chart/editors/chart_axis_page.h"
#include "chart/editors/chart_general_pages.h"
#include "chart/editors/chart_list_box.h"
#include "chart/editors/chart_part_pages.h"
#include "chart/editors/editor_controls.h"
#include "chart/editors/pen_dialogs.h"
#include "chart/editors/series_tab.h"
#include "chart/engine/chart.h"
#include "chart/engine/pie_series.h"
#include "platform/app_services.h"
#include "platform/controls.h"
#include "platform/cursors.h"

namespace {
TChartPageFactory& Factory(int Tab) {
  static TChartPageFactory Factories[ChartEditorTabCount];
  return Factories[Tab];
}
TChartSeriesEditor& SeriesEditor() {
  static TChartSeriesEditor E;
  return E;
}

// Series style flags: 1 and 4 keep a series from deletion, 2 from a change of type, 1 and 8
// from cloning.
constexpr int NoDeleteFlags = 1 | 4, NoChangeFlags = 2, NoCloneFlags = 1 | 8;

QPushButton* SeriesButton(QWidget* Parent, const QString& Caption, const char* Name) {
  auto* B = new QPushButton(Caption, Parent);
  B->setObjectName(QLatin1String(Name));
  return B;
}
}  // namespace

void RegisterChartEditorPage(TChartEditorTab Tab, TChartPageFactory F) {
  if (Tab >= 0 && Tab < ChartEditorTabCount) Factory(Tab) = std::move(F);
}

void RegisterChartSeriesEditor(TChartSeriesEditor Editor) { SeriesEditor() = std::move(Editor); }

void RegisterChartEditors() {
  RegisterSeriesFormatPages();
  RegisterChartSeriesTab();
  RegisterChartEditorPage(cetGeneral, [](QWidget* Owner, TCustomChart* Chart) {
    return new TFormChartGeneral(Owner, Chart);
  });
  RegisterChartEditorPage(cetPaging, [](QWidget* Owner, TCustomChart* Chart) {
    return new TFormChartPage(Owner, Chart);
  });
  RegisterChartEditorPage(
      cet3D, [](QWidget* Owner, TCustomChart* Chart) { return new TFormChart3D(Owner, Chart); });
  RegisterChartEditorPage(cetAxis, [](QWidget* Owner, TCustomChart* Chart) {
    return new TFormChartAxis(Owner, Chart, Chart->LeftAxis());
  });
  RegisterChartEditorPage(cetLegend, [](QWidget* Owner, TCustomChart* Chart) {
    return new TFormChartLegend(Owner, Chart->Legend());
  });
  RegisterChartEditorPage(cetTitles, [](QWidget* Owner, TCustomChart* Chart) {
    return new TFormChartTitle(Owner, Chart->Title());
  });
  RegisterChartEditorPage(cetPanel, [](QWidget* Owner, TCustomChart* Chart) {
    return new TFormChartPanel(Owner, Chart);
  });
  RegisterChartEditorPage(cetWalls, [](QWidget* Owner, TCustomChart* Chart) {
    return new TFormChartWall(Owner, Chart, Chart->LeftWall());
  });
}

TChartEditForm::TChartEditForm(QWidget* Owner) : TForm(Owner) {
  setObjectName(QStringLiteral("ChartEditForm"));
  SetBorderStyle(bsDialog);
  auto* Main = new QVBoxLayout(this);
  MainPage = new TPageControl(this);
  MainPage->setObjectName(QStringLiteral("MainPage"));
  auto* ChartTab = new QWidget(MainPage);
  auto* ChartLayout = new QVBoxLayout(ChartTab);
  Notebook1 = new TPageControl(ChartTab);
  Notebook1->setObjectName(QStringLiteral("Notebook1"));
  Notebook1->tabBar()->setAttribute(Qt::WA_Hover);
  ChartLayout->addWidget(Notebook1);
  MainPage->AddPage(ChartTab, QStringLiteral("Chart"));
  MainPage->AddPage(new QWidget(MainPage), QStringLiteral("Series"));
  Main->addWidget(MainPage, 1);

  const QString Tabs[ChartEditorTabCount] = {
      QStringLiteral("Series"), QStringLiteral("General"), QStringLiteral("Axis"),
      QStringLiteral("Titles"), QStringLiteral("Legend"),  QStringLiteral("Panel"),
      QStringLiteral("Paging"), QStringLiteral("Walls"),   QStringLiteral("3D")};
  for (const QString& T : Tabs) {
    auto* W = new QWidget(Notebook1);
    new QVBoxLayout(W);
    Notebook1->AddPage(W, T);
  }
  QWidget* SeriesTab = Notebook1->Pages(cetSeries);
  auto* Row = new QHBoxLayout;
  static_cast<QVBoxLayout*>(SeriesTab->layout())->addLayout(Row);
  LBSeries = new TChartListBox(SeriesTab);
  LBSeries->setMinimumSize(310, 220);
  Row->addWidget(LBSeries, 1);
  auto* Buttons = new QVBoxLayout;
  auto* Moves = new QHBoxLayout;
  BMoveUP = SeriesButton(SeriesTab, QStringLiteral("\u25B2"), "BMoveUP");
  BMoveDown = SeriesButton(SeriesTab, QStringLiteral("\u25BC"), "BMoveDown");
  Moves->addWidget(BMoveUP);
  Moves->addWidget(BMoveDown);
  Buttons->addLayout(Moves);
  BAddSeries = SeriesButton(SeriesTab, QStringLiteral("&Add..."), "BAddSeries");
  BDeleteSeries = SeriesButton(SeriesTab, QStringLiteral("&Delete"), "BDeleteSeries");
  BRenameSeries = SeriesButton(SeriesTab, QStringLiteral("&Title..."), "BRenameSeries");
  BCloneSeries = SeriesButton(SeriesTab, QStringLiteral("C&lone"), "BCloneSeries");
  BChangeTypeSeries = SeriesButton(SeriesTab, QStringLiteral("&Change..."), "BChangeTypeSeries");
  for (QPushButton* B : {BAddSeries, BDeleteSeries, BRenameSeries, BCloneSeries, BChangeTypeSeries})
    Buttons->addWidget(B);
  Buttons->addStretch();
  Row->addLayout(Buttons);

  auto* Bottom = new QHBoxLayout;
  Bottom->addStretch();
  BClose = SeriesButton(this, QStringLiteral("Close"), "BClose");
  Bottom->addWidget(BClose);
  Main->addLayout(Bottom);
  SetButtonModalResult(BClose, mrOk);
  resize(520, 380);

  connect(BMoveUP, &QPushButton::clicked, this,
          [this] { RunGuarded([this] { LBSeries->MoveUp(); }); });
  connect(BMoveDown, &QPushButton::clicked, this,
          [this] { RunGuarded([this] { LBSeries->MoveDown(); }); });
  connect(BAddSeries, &QPushButton::clicked, this, [this] {
    RunGuarded([this] {
      if (TChartSeries* S = LBSeries->AddSeriesGallery()) ShowSeriesTab(S);
    });
  });
  connect(BDeleteSeries, &QPushButton::clicked, this,
          [this] { RunGuarded([this] { LBSeries->DeleteSeries(); }); });
  connect(BRenameSeries, &QPushButton::clicked, this,
          [this] { RunGuarded([this] { LBSeries->RenameSeries(); }); });
  connect(BCloneSeries, &QPushButton::clicked, this,
          [this] { RunGuarded([this] { LBSeries->CloneSeries(); }); });
  connect(BChangeTypeSeries, &QPushButton::clicked, this,
          [this] { RunGuarded([this] { LBSeries->ChangeTypeSeries(); }); });
  LBSeries->OnChangeList = [this] { RefreshButtons(); };
  LBSeries->OnEditSeries = [this](TChartSeries* S) { ShowSeriesTab(S); };
  connect(Notebook1, &TPageControl::Change, this,
          [this] { RunGuarded([this] { NotebookChange(); }); });
  connect(MainPage, &TPageControl::Change, this, [this] {
    RunGuarded([this] {
      if (MainPage->ActivePageIndex() == 1) ShowSeriesTab(LBSeries->SelectedSeries());
    });
  });
  MainPage->SetActivePageIndex(0);
  Notebook1->SetActivePageIndex(0);
}

TChartEditForm::~TChartEditForm() = default;

TChartEditorPage* TChartEditForm::Page(TChartEditorTab Tab) const {
  return Tab >= 0 && Tab < ChartEditorTabCount ? FPages[Tab] : nullptr;
}

void TChartEditForm::SetChart(TCustomChart* Value) {
  Chart = Value;
  LBSeries->SetChart(Value);
}

void TChartEditForm::FormShow() {
  SetScreenCursor(crDefault);
  LBSeries->SetChart(Chart);
  if (windowTitle().isEmpty() && Chart)
    setWindowTitle(QStringLiteral("Editing %1").arg(Chart->Name()));
  for (int i = 0; i < ChartEditorTabCount; ++i) {
    const bool HasPage = i == cetSeries || bool(Factory(i));
    Notebook1->SetTabVisible(i, HasPage && !(HiddenTabs & (1 << i)));
  }
  MainPage->SetTabVisible(1, bool(SeriesEditor().Create));
  if (TheActivePageIndex >= 0 && TheActivePageIndex < ChartEditorTabCount &&
      Notebook1->TabVisible(TheActivePageIndex)) {
    Notebook1->SetActivePageIndex(TheActivePageIndex);
    ShowPage(TheActivePageIndex);
  } else if (!Notebook1->TabVisible(Notebook1->ActivePageIndex())) {
    for (int i = 0; i < ChartEditorTabCount; ++i)
      if (Notebook1->TabVisible(i)) {
        Notebook1->SetActivePageIndex(i);
        ShowPage(i);
        break;
      }
  }
  if (TChartSeries* S = TheEditSeries.Get()) {
    LBSeries->FillSeries(S);
    ShowSeriesTab(S);
  }
  RefreshButtons();
}

void TChartEditForm::NotebookChange() { ShowPage(Notebook1->ActivePageIndex()); }

void TChartEditForm::ShowPage(int Index) {
  if (Index <= cetSeries || Index >= ChartEditorTabCount || !Chart) return;
  if (!FPages[Index]) {
    if (!Factory(Index)) return;
    QWidget* Tab = Notebook1->Pages(Index);
    FPages[Index] = Factory(Index)(Tab, Chart);
    if (!FPages[Index]) return;
    Tab->layout()->addWidget(FPages[Index]);
    FPages[Index]->show();
  }
  if (Index == cet3D) {
    // This canvas cannot turn a pie all the way round, so a pie in front forbids rotation.
    if (auto* P = dynamic_cast<TFormChart3D*>(FPages[Index]))
      P->AllowRotation = !dynamic_cast<TPieSeries*>(Chart->FirstActiveSeries());
  }
  FPages[Index]->PageShow();
}

bool TChartEditForm::SeriesIsOwnedElsewhere(const TChartSeries* S) const {
  // What the chart does not own belongs to a window that keeps it: like a series inherited
  // from an ancestor form, it is neither deleted nor replaced here.
  return !Chart || !Chart->OwnsSeries(S);
}

void TChartEditForm::RefreshButtons() {
  TChartSeries* S = LBSeries->SelectedSeries();
  const int Selected = LBSeries->SelectedCount();
  const bool Any = S && LBSeries->count() > 0;
  const int Flags = S ? S->StyleFlags() : 0;
  const int Row = LBSeries->currentRow();
  BAddSeries->setEnabled((EditorOptions & ceAdd) != 0 && Chart);
  BDeleteSeries->setEnabled(Any && (EditorOptions & ceDelete) && !SeriesIsOwnedElsewhere(S) &&
                            !(Flags & NoDeleteFlags));
  BRenameSeries->setEnabled(Any && Selected <= 1 && (EditorOptions & ceTitle));
  BChangeTypeSeries->setEnabled(Any && (EditorOptions & ceChange) && !SeriesIsOwnedElsewhere(S) &&
                                !(Flags & NoChangeFlags));
  BCloneSeries->setEnabled(Any && Selected <= 1 && (EditorOptions & ceClone) &&
                           !(Flags & NoCloneFlags));
  BMoveUP->setEnabled(Any && Selected <= 1 && Row >= 1);
  BMoveDown->setEnabled(Any && Selected <= 1 && Row >= 0 && Row < LBSeries->count() - 1);
  // The series form follows the list's selection.
  if (FSeriesForm && SeriesEditor().ShowSeries) SeriesEditor().ShowSeries(FSeriesForm, S);
}

void TChartEditForm::ShowSeriesTab(TChartSeries* Series) {
  if (!SeriesEditor().Create || !Chart) return;
  if (!FSeriesForm) {
    QWidget* Tab = MainPage->Pages(1);
    if (!Tab->layout()) new QVBoxLayout(Tab);
    FSeriesForm = SeriesEditor().Create(Tab, Chart, EditorOptions, HiddenTabs);
    if (!FSeriesForm) return;
    Tab->layout()->addWidget(FSeriesForm);
  }
  MainPage->SetActivePageIndex(1);
  if (SeriesEditor().ShowSeries) SeriesEditor().ShowSeries(FSeriesForm, Series);
  FSeriesForm->PageShow();
}

TChartEditForm* CreateChartEditor(QWidget* Owner, TCustomChart* Chart) {
  auto* F = new TChartEditForm(Owner);
  F->SetChart(Chart);
  // The caption is made on showing from the chart's name unless the caller sets one.
  F->setWindowTitle(QString());
  return F;
}

void EditChartPage(QWidget* Owner, TCustomChart* Chart, int PageIndex) {
  if (!Chart) return;
  std::unique_ptr<TChartEditForm> F(CreateChartEditor(Owner, Chart));
  F->TheActivePageIndex = PageIndex;
  RunChartModal(*F);
}

void EditChart(QWidget* Owner, TCustomChart* Chart) { EditChartPage(Owner, Chart, 0); }

void EditSeries(QWidget* Owner, TChartSeries* Series) {
  if (!Series) return;
  auto* Chart = dynamic_cast<TCustomChart*>(Series->ParentChart());
  if (!Chart) return;
  std::unique_ptr<TChartEditForm> F(CreateChartEditor(Owner, Chart));
  F->TheEditSeries = Series->Handle();
  RunChartModal(*F);
}
