#include "plot/ui/graph_properties.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <memory>
#include <utility>

#include "platform/app_services.h"
#include "platform/dialogs.h"
#include "platform/flag_guard.h"
#include "platform/font_dialog.h"
#include "plot/core/graph_utils.h"
#include "plot/ui/plot.h"

QString PropertiesNumberText(double Value) { return GraphValidates::RealText(Value); }

namespace {
const char* const PageCaptions[TfmGraphProperties::PageCount] = {
    "Axis",       "Titles",   "Series",  "Legends",  "Color Map",
    "Operations", "Settings", "Contour", "Axis (2)", "Info"};
const char* const PageNames[TfmGraphProperties::PageCount] = {
    "tsAxis",       "tsTitles",   "tsSeries",  "tsLegends", "tsColorMap",
    "tsOperations", "tsSettings", "tsContour", "tsAxis2",   "tsInfo"};
}  // namespace

TfmGraphProperties::TfmGraphProperties(QWidget* Owner) : TForm(Owner) {
  setObjectName(QStringLiteral("fmGraphProperties"));
  SetBorderStyle(bsDialog);
}

TfmGraphProperties::~TfmGraphProperties() = default;

void TfmGraphProperties::FormCreate() {
  Loading = true;
  auto* Layout = new QVBoxLayout(this);
  PageControl1 = new TPageControl(this);
  PageControl1->setObjectName(QStringLiteral("PageControl1"));
  for (int I = 0; I < PageCount; ++I) {
    Pages[I] = new QWidget;
    Pages[I]->setObjectName(QString::fromLatin1(PageNames[I]));
    PageControl1->AddPage(Pages[I], QString::fromLatin1(PageCaptions[I]));
  }
  BuildAxisPage(Pages[piAxis], agX);
  BuildTitlesPage(Pages[piTitles]);
  BuildOperationsPage(Pages[piOperations]);
  BuildSettingsPage(Pages[piSettings]);
  BuildAxisPage(Pages[piAxis2], agX2);
  BuildInfoPage(Pages[piInfo]);
  BuildLaterPages();
  Layout->addWidget(PageControl1, 1);

  auto* Bottom = new QHBoxLayout;
  cbAutoApply = new QCheckBox(QStringLiteral("Live update"), this);
  cbAutoApply->setObjectName(QStringLiteral("cbAutoApply"));
  btApply = new QPushButton(QStringLiteral("Apply"), this);
  btApply->setObjectName(QStringLiteral("btApply"));
  btClose = new QPushButton(QStringLiteral("Close"), this);
  btClose->setObjectName(QStringLiteral("btClose"));
  btHelp = new QPushButton(QStringLiteral("&Help"), this);
  btHelp->setObjectName(QStringLiteral("btHelp"));
  btHelp->hide();
  btApply->setEnabled(false);
  Bottom->addWidget(cbAutoApply);
  Bottom->addStretch(1);
  Bottom->addWidget(btApply);
  Bottom->addWidget(btClose);
  Bottom->addWidget(btHelp);
  Layout->addLayout(Bottom);
  connect(cbAutoApply, &QCheckBox::toggled, this, Guarded([this] { AutoApplyClick(); }));
  connect(btApply, &QPushButton::clicked, this, Guarded([this] { ApplyClick(); }));
  connect(btClose, &QPushButton::clicked, this, Guarded([this] { CloseClick(); }));
  connect(btHelp, &QPushButton::clicked, this, Guarded([this] { HelpClick(); }));
  // A page shows what is in force each time it comes up: what another page, a sub-dialog or a
  // repaint changed since it was last seen.
  connect(PageControl1, &TPageControl::Change, this,
          Guarded([this] { LoadPage(PageControl1->ActivePageIndex()); }));
  // Enter in an edit applies the edit; it must not press a button and close the dialog.
  for (QPushButton* B : findChildren<QPushButton*>()) {
    B->setAutoDefault(false);
    B->setDefault(false);
  }
  setWindowTitle(QStringLiteral("Properties"));
}

void TfmGraphProperties::FormShow() {
  if (tbSeries) tbSeries->setSelectionMode(QAbstractItemView::ExtendedSelection);
  raise();
  activateWindow();
}

// --- Loading ------------------------------------------------------------------------------------

void TfmGraphProperties::LoadFromPlot(TPlot* APlot, TGraph* AGraph) {
  Load(APlot, AGraph);
  ShowModal();
}

void TfmGraphProperties::Load(TPlot* APlot, TGraph* AGraph) {
  Loading = true;
  Plot = APlot;
  Graph = AGraph;
  TPlotAxis* Axes[4] = {Plot->XAxis.get(), Plot->YAxis.get(), Plot->XAxis2.get(),
                        Plot->YAxis2.get()};
  for (int I = 0; I < 4; ++I) AxisGroups[I].Axis = Axes[I];
  LoadBound();
  LoadAxes();
  LoadTitles();
  LoadSeriesPage();
  LoadLegendPage();
  LoadColorMap();
  LoadOperations();
  LoadSettings();
  LoadContourPage();
  LoadInfo();
  Modified = false;
  btApply->setEnabled(false);
  Loading = false;
}

void TfmGraphProperties::LoadBound() {
  for (const auto& L : FLoaders) L();
}

void TfmGraphProperties::LoadPage(int Index) {
  if (!Plot || !Graph || Index < 0 || Index >= PageCount) return;
  TFlagGuard Quiet(Loading);
  for (TNumberEdit* E : TNumberEdit::EditsIn(Pages[Index]))
    if (E->OnRead) E->Load();
  switch (Index) {
    case piAxis:
    case piAxis2:
      LoadAxes();
      break;
    case piTitles:
      LoadTitles();
      break;
    case piSeries:
      LoadSeriesPage();
      break;
    case piLegends:
      LoadLegendPage();
      break;
    case piColorMap:
      LoadColorMap();
      break;
    case piOperations:
      LoadOperations();
      break;
    case piSettings:
      LoadSettings();
      break;
    case piContour:
      LoadContourPage();
      break;
    case piInfo:
      LoadInfo();
      break;
  }
}

// --- Modified, Apply, Close ---------------------------------------------------------------------

void TfmGraphProperties::SetModified() {
  Modified = true;
  if (!cbAutoApply->isChecked()) btApply->setEnabled(true);
}

void TfmGraphProperties::LiveApply() {
  if (!cbAutoApply->isChecked()) return;
  if (Modified) {
    if (Plot->OnAfterChangeProperties) Plot->OnAfterChangeProperties(Graph);
    Repaint();
  }
  Modified = false;
}

void TfmGraphProperties::Changed(bool Live) {
  SetModified();
  if (Live) LiveApply();
}

void TfmGraphProperties::Repaint() {
  Plot->PaintGraph();
  // A repaint autoscales: the axis ends may have moved.
  LoadAxisRanges();
}

void TfmGraphProperties::ApplyClick() {
  if (!CheckEdits()) return;
  if (Modified) Repaint();
  Modified = false;
  btApply->setEnabled(false);
}

void TfmGraphProperties::CloseClick() {
  // Closing takes what was typed; a refusal keeps the dialog open on the value put back.
  if (!CheckEdits()) return;
  if (Modified) Plot->PaintGraph();
  Close();
  Modified = false;
}

void TfmGraphProperties::AutoApplyClick() {
  if (cbAutoApply->isChecked())
    btApply->setEnabled(false);
  else if (Modified)
    btApply->setEnabled(true);
}

void TfmGraphProperties::HelpClick() { ShowHelpContext(0); }

// --- Pages --------------------------------------------------------------------------------------

bool TfmGraphProperties::PageShown(int Index) const { return PageControl1->TabVisible(Index); }

void TfmGraphProperties::OpenPage(int Index) {
  if (Index < 0 || Index >= PageCount || !PageShown(Index)) {
    Index = -1;
    for (int I = 0; I < PageCount && Index < 0; ++I)
      if (PageShown(I)) Index = I;
  }
  if (Index >= 0) PageControl1->SetActivePageIndex(Index);
}

int TfmGraphProperties::ActivePage() const { return PageControl1->ActivePageIndex(); }

// --- Bindings -----------------------------------------------------------------------------------

TNumberEdit* TfmGraphProperties::NumberField(QWidget* Parent, const QString& Name,
                                             std::unique_ptr<TNumberRule> Rule) {
  auto* E = new TNumberEdit(Parent);
  E->setObjectName(Name);
  E->SetRule(std::move(Rule));
  return E;
}

void TfmGraphProperties::BindField(TNumberEdit* E, std::function<double()> Get,
                                   std::function<void(double)> Set, TApplyMode Mode) {
  E->OnRead = std::move(Get);
  E->OnApply = std::move(Set);
  // Deferred fields reach what they edit when left; the others as typed.
  E->SetLive(Mode != amDeferred);
  if (Mode == amDeferred) HelpOnF1(E);
  FLoaders.push_back([E] { E->Load(); });
  connect(E, &TNumberEdit::Applied, this, Guarded([this, Mode] {
            if (Loading) return;
            if (Mode == amDeferred)
              Changed();
            else
              Applied(Mode);
          }));
}

TNumberEdit* TfmGraphProperties::BindReal(TNumberEdit* E, double Min, double Max,
                                          const QString& Caption, std::function<double()> Get,
                                          std::function<void(double)> Set, TApplyMode Mode) {
  E->SetRule(std::make_unique<GraphValidates::TRealRule>(Min, Max, Caption));
  BindField(E, std::move(Get), std::move(Set), Mode);
  return E;
}

TNumberEdit* TfmGraphProperties::BindInt(TNumberEdit* E, int Min, int Max, const QString& Caption,
                                         std::function<int()> Get, std::function<void(int)> Set,
                                         TApplyMode Mode) {
  E->SetRule(std::make_unique<GraphValidates::TIntRule>(Min, Max, Caption));
  BindField(
      E, [Get = std::move(Get)] { return static_cast<double>(Get()); },
      [Set = std::move(Set)](double V) { Set(static_cast<int>(V)); }, Mode);
  return E;
}

void TfmGraphProperties::BindCheck(QCheckBox* Box, std::function<void(bool)> Set) {
  connect(Box, &QCheckBox::toggled, this, Guarded([=, this](bool On) {
            if (!Begin()) return;
            Set(On);
            Changed();
          }));
}

void TfmGraphProperties::BindCombo(QComboBox* Box, std::function<void(int)> Set, TApplyMode Mode) {
  connect(Box, &QComboBox::currentIndexChanged, this, Guarded([=, this](int Index) {
            if (!Begin() || Index < 0) return;
            Set(Index);
            Applied(Mode);
          }));
}

void TfmGraphProperties::Applied(TApplyMode Mode) {
  SetModified();
  if (Mode == amLive) LiveApply();
}

void TfmGraphProperties::HelpOnF1(QWidget* Edit) {
  FHelpEdits.push_back(Edit);
  Edit->installEventFilter(this);
}

bool TfmGraphProperties::eventFilter(QObject* Watched, QEvent* Event) {
  const bool Foot = Watched == static_cast<QObject*>(mmFoot);
  if (Event->type() == QEvent::FocusOut && (Foot || Watched == static_cast<QObject*>(mmTitle)))
    RunGuarded([&] { TitleExit(Foot); });
  if (Event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(Event)->key() == Qt::Key_F1 &&
      std::find(FHelpEdits.begin(), FHelpEdits.end(), Watched) != FHelpEdits.end()) {
    RunGuarded([this] { HelpClick(); });
    return true;
  }
  return TForm::eventFilter(Watched, Event);
}

void TfmGraphProperties::BindColor(QPushButton* Button, std::function<unsigned()> Get,
                                   std::function<void(unsigned)> Set) {
  connect(Button, &QPushButton::clicked, this, Guarded([=, this] {
            if (!Begin()) return;
            TColorDialog D;
            D.Color = Get();
            if (!D.Execute()) return;
            Set(D.Color);
            Changed();
          }));
}

void TfmGraphProperties::BindFont(QPushButton* Button, std::function<const TFont&()> Get,
                                  std::function<void(const TFont&)> Set) {
  connect(Button, &QPushButton::clicked, this, Guarded([=, this] {
            if (!Begin()) return;
            TFont Copy;
            Copy.Assign(Get());
            if (!EditFont(Copy)) return;
            Set(Copy);
            Changed();
          }));
}

// --- The plot's command -------------------------------------------------------------------------

void ShowPlotPropertiesDialog(TPlot& Plot) {
  std::unique_ptr<TfmGraphProperties> D(CreateForm<TfmGraphProperties>(Plot.window()));
  const TPlotProperties& P = Plot.PropertiesControl;
  TAxisGroup* G = D->AxisGroups;
  G[TfmGraphProperties::agX].chLog->setEnabled(!P.DisabledXAxisLog);
  G[TfmGraphProperties::agY].chLog->setEnabled(!P.DisabledYAxisLog);
  G[TfmGraphProperties::agX].chInvert->setEnabled(!P.DisabledXAxisInvert);
  G[TfmGraphProperties::agY].chInvert->setEnabled(!P.DisabledYAxisInvert);
  G[TfmGraphProperties::agX2].chLog->setEnabled(!P.DisabledXAxis2Log);
  G[TfmGraphProperties::agY2].chLog->setEnabled(!P.DisabledYAxis2Log);
  G[TfmGraphProperties::agX2].chInvert->setEnabled(!P.DisabledXAxis2Invert);
  G[TfmGraphProperties::agY2].chInvert->setEnabled(!P.DisabledYAxis2Invert);
  for (QWidget* W : {static_cast<QWidget*>(D->edView3D), static_cast<QWidget*>(D->lbView3D)})
    W->setEnabled(!P.Disabled3D);
  for (QWidget* W : {static_cast<QWidget*>(D->Label27), static_cast<QWidget*>(D->cbBarStyle)})
    W->setEnabled(!P.DisabledBarStyle);
  D->gbPicture->setEnabled(!P.DisabledPicture);
  D->gbZoom->setEnabled(!P.DisabledZoom);
  D->PageControl1->SetTabVisible(TfmGraphProperties::piOperations, !P.DisabledOperationsTab);
  D->PageControl1->SetTabVisible(TfmGraphProperties::piAxis2, !P.DisabledAxis2Tab);
  D->PageControl1->SetTabVisible(TfmGraphProperties::piAxis, !P.DisabledAxisTab);
  D->PageControl1->SetTabVisible(TfmGraphProperties::piInfo, !P.DisabledInfoTab);
  D->pnlInfoShow->setVisible(!P.DisabledInfoShow);
  D->SeriesOrderAllowed = !P.DisabledSeriesOrder;
  D->Loading = true;
  D->cbAutoApply->setChecked(Plot.AutoApply);
  D->Loading = false;
  D->OpenPage(Plot.LastPropertiesPage);
  const QString HelpName = ProgramDir() + QStringLiteral("/Plot.HLP");
  const bool Help = QFile::exists(HelpName);
  const QString SavedHelp = HelpFile();
  if (Help) {
    SetHelpFile(HelpName);
    D->btHelp->show();
  }
  // The dialog repaints for itself while it runs; the plot's setters wait.
  Plot.AutoApply = false;
  D->LoadFromPlot(&Plot, Plot.Graph());
  if (Help) SetHelpFile(SavedHelp);
  Plot.LastPropertiesPage = D->ActivePage();
  Plot.AutoApply = D->cbAutoApply->isChecked();
}
