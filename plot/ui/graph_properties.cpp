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

using GraphValidates::TIntValidate;
using GraphValidates::TRealValidate;

QString PropertiesNumberText(double Value) {
  if (!std::isfinite(Value)) return FloatToEditStr(8, 1, Value);
  return QString::number(Value, 'g', 7).toUpper();
}

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
  if (Modified) Repaint();
  Modified = false;
  btApply->setEnabled(false);
}

void TfmGraphProperties::CloseClick() {
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

TRealValidate* TfmGraphProperties::RealValidator(const QLineEdit* Edit) const {
  for (const auto& V : FRealValidators)
    if (V->Edit == Edit) return V.get();
  return nullptr;
}

TIntValidate* TfmGraphProperties::IntValidator(const QLineEdit* Edit) const {
  for (const auto& V : FIntValidators)
    if (V->Edit == Edit) return V.get();
  return nullptr;
}

// What a real and an integer edit share: the text is vetted as typed, applied only when it
// reads as a number in range, and refused when left otherwise: the range error, the focus back,
// and what was in force before the typing began put back and shown again.
struct TfmGraphProperties::TNumberEdit {
  QLineEdit* Edit;
  std::function<void()> Vet, Beep, Show;
  // After the range error where one is due: whether the finished text is refused.
  std::function<bool()> Refused;
  std::function<bool(double&)> Read;
  std::function<bool(double)> InRange;
  std::function<void(double)> Set;
  TKeep Keep;
  QString* LastText;
  TApplyMode Mode;
};

void TfmGraphProperties::BindNumber(const TNumberEdit& N) {
  // What puts back the state from before the first number applied while typing; empty while
  // nothing typed has been applied.
  auto Undo = std::make_shared<std::function<void()>>();
  FLoaders.push_back([Show = N.Show, Undo] {
    *Undo = nullptr;
    Show();
  });
  if (N.Mode == amDeferred) HelpOnF1(N.Edit);
  connect(N.Edit, &QLineEdit::textChanged, this, Guarded([=, this] {
            if (Loading || FRestoring) return;
            N.Vet();
            double X;
            // A number being typed ("-", "1e", "") waits until it reads as one.
            if (!N.Read(X)) return;
            if (!N.InRange(X)) {
              N.Beep();
              return;
            }
            if (N.Set) {
              if (!*Undo) *Undo = N.Keep();
              N.Set(X);
            }
            Applied(N.Mode);
          }));
  connect(N.Edit, &QLineEdit::editingFinished, this, Guarded([=, this] {
            if (Loading || FRestoring) return;
            TFlagGuard Restoring(FRestoring);
            const std::function<void()> Back = std::exchange(*Undo, nullptr);
            if (N.Refused()) {
              if (Back) {
                Back();
                Applied(N.Mode);
              }
              N.Show();
              *N.LastText = N.Edit->text();
            }
            if (N.Mode == amDeferred) Changed();
          }));
}

TfmGraphProperties::TKeep TfmGraphProperties::KeepValue(std::function<double()> Get,
                                                        std::function<void(double)> Set) {
  return [Get = std::move(Get), Set = std::move(Set)] { return [Set, Old = Get()] { Set(Old); }; };
}

TRealValidate* TfmGraphProperties::BindReal(QLineEdit* E, double Min, double Max,
                                            const QString& Caption, std::function<double()> Get,
                                            std::function<void(double)> Set, TApplyMode Mode,
                                            TKeep Keep, std::function<bool(double)> Ignores) {
  FRealValidators.push_back(std::make_unique<TRealValidate>(Min, Max, E, this, Caption));
  TRealValidate* V = FRealValidators.back().get();
  if (!Keep) Keep = KeepValue(Get, Set);
  BindNumber({E, [V] { V->TextChanged(); }, [V] { V->IsValid(); },
              [E, Get] { E->setText(PropertiesNumberText(Get())); },
              [V, E, Ignores] {
                double X;
                return V->Refused(0).has_value() ||
                       (Ignores && GraphValidates::ParseReal(E->text(), X) && Ignores(X));
              },
              [E](double& X) { return GraphValidates::ParseReal(E->text(), X); },
              [V](double X) { return V->Accepts(X); }, std::move(Set), std::move(Keep),
              &V->LastText, Mode});
  return V;
}

TIntValidate* TfmGraphProperties::BindInt(QLineEdit* E, int Min, int Max, const QString& Caption,
                                          std::function<int()> Get, std::function<void(int)> Set,
                                          TApplyMode Mode) {
  FIntValidators.push_back(std::make_unique<TIntValidate>(Min, Max, E, this, Caption));
  TIntValidate* V = FIntValidators.back().get();
  const std::function<void(double)> SetNumber = [Set](double X) { Set(static_cast<int>(X)); };
  BindNumber(
      {E, [V] { V->TextChanged(); }, [V] { V->IsValid(); },
       [E, Get] { E->setText(QString::number(Get())); }, [V] { return V->Refused(0).has_value(); },
       [E](double& X) {
         int I, Pos;
         if (!GraphValidates::ParseInt(E->text(), I, Pos)) return false;
         X = I;
         return true;
       },
       [V](double X) { return V->Min <= X && X <= V->Max; }, SetNumber,
       KeepValue([Get] { return static_cast<double>(Get()); }, SetNumber), &V->LastText, Mode});
  return V;
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

void TfmGraphProperties::AddValidator(QLineEdit* Edit, double Min, double Max,
                                      const QString& Caption, bool Integer) {
  if (Integer)
    FIntValidators.push_back(std::make_unique<TIntValidate>(
        static_cast<int>(Min), static_cast<int>(Max), Edit, this, Caption));
  else
    FRealValidators.push_back(std::make_unique<TRealValidate>(Min, Max, Edit, this, Caption));
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
