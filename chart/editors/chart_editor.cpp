#include "chart/editors/chart_editor.h"

#include <array>

#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
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

// The axis, title and wall the pages showed when the last editor closed; the next editor opens
// its pages on them. Kept as places among the chart's parts, since that chart may be gone.
struct TLastChoice {
  int Axis = 0, Title = 0, Wall = 0;
};
TLastChoice& LastChoice() {
  static TLastChoice C;
  return C;
}
// In the order of the axis page's choices.
std::array<TChartAxis*, 5> Axes(const TCustomChart& C) {
  return {C.LeftAxis(), C.RightAxis(), C.TopAxis(), C.BottomAxis(), C.DepthAxis()};
}
std::array<TChartTitle*, 2> Titles(const TCustomChart& C) { return {C.Title(), C.Foot()}; }
std::array<TChartWall*, 3> Walls(const TCustomChart& C) {
  return {C.LeftWall(), C.BottomWall(), C.BackWall()};
}
template <class T, size_t N>
void Remember(const std::array<T*, N>& Parts, const T* Part, int& Into) {
  for (size_t i = 0; i < N; ++i)
    if (Parts[i] == Part) Into = int(i);
}
template <class T, size_t N>
T* Chosen(const std::array<T*, N>& Parts, int Index) {
  return Parts[size_t(std::clamp(Index, 0, int(N) - 1))];
}

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
    return new TFormChartAxis(Owner, Chart, Chosen(Axes(*Chart), LastChoice().Axis));
  });
  RegisterChartEditorPage(cetLegend, [](QWidget* Owner, TCustomChart* Chart) {
    return new TFormChartLegend(Owner, Chart->Legend());
  });
  RegisterChartEditorPage(cetTitles, [](QWidget* Owner, TCustomChart* Chart) {
    return new TFormChartTitle(Owner, Chosen(Titles(*Chart), LastChoice().Title));
  });
  RegisterChartEditorPage(cetPanel, [](QWidget* Owner, TCustomChart* Chart) {
    return new TFormChartPanel(Owner, Chart);
  });
  RegisterChartEditorPage(cetWalls, [](QWidget* Owner, TCustomChart* Chart) {
    return new TFormChartWall(Owner, Chart, Chosen(Walls(*Chart), LastChoice().Wall));
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
  auto* SeriesMain = new QWidget(MainPage);
  new QVBoxLayout(SeriesMain);
  MainPage->AddPage(SeriesMain, QStringLiteral("Series"));
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

  connect(BMoveUP, &QPushButton::clicked, this,
          [this] { RunGuarded([this] { LBSeries->MoveUp(); }); });
  connect(BMoveDown, &QPushButton::clicked, this,
          [this] { RunGuarded([this] { LBSeries->MoveDown(); }); });
  connect(BAddSeries, &QPushButton::clicked, this, [this] {
    RunGuarded([this] {
      if (TChartSeries* S = LBSeries->AddSeriesGallery()) ShowSeriesTab(S, true);
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
  // The series form may keep the user on it, as its own tabs do (changes not applied yet).
  MainPage->OnChanging = [this](bool& Allow) {
    if (MainPage->ActivePageIndex() == 1 && FSeriesForm && SeriesEditor().CanLeave)
      Allow = SeriesEditor().CanLeave(FSeriesForm);
  };
  connect(MainPage, &TPageControl::Change, this, [this] {
    RunGuarded([this] {
      // Each tab shows what is in force when it comes back: its page may be stale since the
      // other tab changed the chart.
      if (MainPage->ActivePageIndex() == 1)
        ShowSeriesTab(LBSeries->SelectedSeries());
      else
        ShowPage(Notebook1->ActivePageIndex());
    });
  });
  MainPage->SetActivePageIndex(0);
  Notebook1->SetActivePageIndex(0);
}

TChartEditForm::~TChartEditForm() { RememberChoices(); }

void TChartEditForm::RememberChoices() const {
  if (!Chart) return;
  TLastChoice& L = LastChoice();
  if (auto* P = dynamic_cast<TFormChartAxis*>(FPages[cetAxis]))
    Remember(Axes(*Chart), P->Axis(), L.Axis);
  if (auto* P = dynamic_cast<TFormChartTitle*>(FPages[cetTitles]))
    Remember(Titles(*Chart), P->Title(), L.Title);
  if (auto* P = dynamic_cast<TFormChartWall*>(FPages[cetWalls]))
    Remember(Walls(*Chart), P->Wall(), L.Wall);
}

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
  // Hiding the open tab moves the tab row on by itself, without making the page: whichever tab
  // ends up open gets its page here.
  int Active = Notebook1->ActivePageIndex();
  if (TheActivePageIndex >= 0 && TheActivePageIndex < ChartEditorTabCount &&
      Notebook1->TabVisible(TheActivePageIndex))
    Active = TheActivePageIndex;
  for (int i = 0; i < ChartEditorTabCount && !Notebook1->TabVisible(Active); ++i) Active = i;
  Notebook1->SetActivePageIndex(Active);
  ShowPage(Active);
  if (TChartSeries* S = TheEditSeries.Get()) {
    LBSeries->FillSeries(S);
    ShowSeriesTab(S);
  }
  RefreshButtons();
  FitPages();
}

void TChartEditForm::FitPages() {
  // Each page not made yet is laid out once aside and stands in for its tab while the dialog
  // measures itself, so that the dialog opens big enough for all of them at once.
  std::vector<std::pair<QWidget*, QSize>> Held;
  auto Hold = [&Held](QWidget* Tab, QSize Need) {
    Held.emplace_back(Tab, Tab->minimumSize());
    const QMargins M = Tab->layout() ? Tab->layout()->contentsMargins() : QMargins();
    Tab->setMinimumSize(Tab->minimumSize().expandedTo(Need.grownBy(M)));
  };
  for (int i = cetSeries + 1; Chart && i < ChartEditorTabCount; ++i) {
    if (FPages[i] || !Factory(i) || !Notebook1->TabVisible(i)) continue;
    const std::unique_ptr<TChartEditorPage> P(Factory(i)(nullptr, Chart));
    if (P) Hold(Notebook1->Pages(i), P->sizeHint());
  }
  if (!FSeriesForm && Chart && SeriesEditor().Create && MainPage->TabVisible(1)) {
    const std::unique_ptr<TChartEditorPage> P(
        SeriesEditor().Create(nullptr, Chart, EditorOptions, HiddenTabs));
    if (P && SeriesEditor().ShowSeries)
      SeriesEditor().ShowSeries(P.get(), LBSeries->SelectedSeries(), true);
    if (P) Hold(MainPage->Pages(1), P->sizeHint());
  }
  // The tab row asks for no more than a few tabs' width, and scrolls the rest out of sight.
  Notebook1->setMinimumWidth(Notebook1->tabBar()->sizeHint().width() +
                             2 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this));
  QSize Want = sizeHint().expandedTo(size());
  for (auto& [Tab, Old] : Held) Tab->setMinimumSize(Old);
  const QScreen* Screen = isWindow() ? screen() : nullptr;
  if (!Screen) {
    resize(Want);
    return;
  }
  // The window frame, once the window manager has put one round the dialog; until then a title
  // bar of about the style's height.
  const QRect Frame = frameGeometry(), Inner = geometry();
  QMargins F(Inner.left() - Frame.left(), Inner.top() - Frame.top(), Frame.right() - Inner.right(),
             Frame.bottom() - Inner.bottom());
  if (F.isNull()) F.setTop(style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this));
  const QRect Room = Screen->availableGeometry().marginsRemoved(F);
  // Never narrower than its pages need, though: a screen too small shows its top-left part.
  resize(Want.boundedTo(Room.size()).expandedTo(minimumSizeHint()));
  // Grown since it was placed, it is centred again over its owner, then kept on the screen.
  QRect R(Inner.topLeft(), size());
  if (const QWidget* Owner = parentWidget()) R.moveCenter(Owner->window()->geometry().center());
  move(FrameWithin(R, Room, R.size()).topLeft() - QPoint(F.left(), F.top()));
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
  if (FSeriesForm && SeriesEditor().ShowSeries) SeriesEditor().ShowSeries(FSeriesForm, S, false);
}

void TChartEditForm::ShowSeriesTab(TChartSeries* Series, bool FirstPage) {
  if (!SeriesEditor().Create || !Chart) return;
  if (!FSeriesForm) {
    QWidget* Tab = MainPage->Pages(1);
    FSeriesForm = SeriesEditor().Create(Tab, Chart, EditorOptions, HiddenTabs);
    if (!FSeriesForm) return;
    Tab->layout()->addWidget(FSeriesForm);
    FSeriesForm->show();
  }
  MainPage->SetActivePageIndex(1);
  if (SeriesEditor().ShowSeries) SeriesEditor().ShowSeries(FSeriesForm, Series, FirstPage);
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
