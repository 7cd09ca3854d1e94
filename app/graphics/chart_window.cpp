#include "app/graphics/chart_window.h"

#include <QAction>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QVBoxLayout>

#include "app/graphics/chart_window_tools.h"
#include "chart/editors/chart_editor.h"
#include "chart/editors/chart_preview.h"
#include "chart/engine/chart.h"
#include "platform/app_services.h"
#include "platform/controls.h"

namespace {
// The view bars in their order, with their captions.
constexpr std::pair<const char*, TView3DValue> ViewBars[6] = {
    {"Rotation", TView3DValue::Rotation},   {"Elevation", TView3DValue::Elevation},
    {"Zoom", TView3DValue::Zoom},           {"Horizontal", TView3DValue::HorizOffset},
    {"Vertical", TView3DValue::VertOffset}, {"Tilt", TView3DValue::Tilt}};
}  // namespace

TChartWindow::TChartWindow(QWidget* Parent, const TChartWindowTexts& Texts) : TForm(Parent) {
  setObjectName(QLatin1String(Texts.Name));
  setWindowTitle(Texts.Title);
  resize(640, 480);
  auto* Main = new QVBoxLayout(this);
  Main->setContentsMargins(0, 0, 0, 0);
  Main->setSpacing(0);

  Panel3 = new QWidget(this);
  Panel3->setObjectName(QStringLiteral("Panel3"));
  sbPrint = AddToolButton(Panel3, "sbPrint", QStringLiteral("Print"), QStringLiteral("Print"));
  sbSaveAs =
      AddToolButton(Panel3, "sbSaveAs", QStringLiteral("Save"), QStringLiteral("Save As..."));
  sbProp = AddToolButton(Panel3, "sbProp", QStringLiteral("Prop"), QStringLiteral("Properties"));
  sbLegend =
      AddToolButton(Panel3, "sbLegend", QStringLiteral("Legend"), QStringLiteral("Show legend"), 1);
  sbGrid = AddToolButton(Panel3, "sbGrid", QStringLiteral("Grid"), Texts.GridHint, 2);
  sbL1 = AddPartnerButton(Panel3, "sbL1", 1);
  sbG1 = AddPartnerButton(Panel3, "sbG1", 2);
  FTools = new QHBoxLayout(Panel3);
  FTools->setContentsMargins(2, 2, 2, 2);
  FTools->addStretch();
  AddTool(sbPrint, [this] { PrintClick(); });
  AddTool(sbSaveAs, [this] { SaveAsClick(); });
  AddTool(sbProp, [this] { PropertiesClick(); });
  AddTool(sbLegend, [this] { LegendClick(); });
  AddTool(sbGrid, [this] { GridClick(); });

  FChart = new TChart(this);
  FChart->setObjectName(QLatin1String(Texts.ChartName));

  Panel2 = new QWidget(this);
  Panel2->setObjectName(QStringLiteral("Panel2"));
  auto* Bars = new QGridLayout(Panel2);
  Bars->setContentsMargins(4, 2, 4, 2);
  for (int i = 0; i < 6; ++i) {
    const TView3DValue Which = ViewBars[i].second;
    FViewBars[size_t(i)] =
        AddViewBar(Bars, i, QLatin1String(ViewBars[i].first), Texts.Bars[size_t(i)].Name,
                   View3DRange(Which), FChart->View3DOptions()->Value(Which),
                   [this, Which](int P) { FChart->View3DOptions()->SetValue(Which, P); });
  }

  MainMenu1 = new QMenuBar(this);
  QMenu* File = MainMenu1->addMenu(QStringLiteral("&File"));
  miPrint = AddItem(File, "miPrint", QStringLiteral("&Print"), this, [this] { PrintClick(); });
  miSaveAs = AddItem(File, "miSaveAs", Texts.SaveAs, this, [this] { SaveAsClick(); });
  File->addSeparator();
  miExit = AddItem(File, "miExit", Texts.Exit, this, [this] { ExitClick(); });
  QMenu* Edit = MainMenu1->addMenu(QStringLiteral("&Edit"));
  miCopyBitmap =
      AddItem(Edit, "miCopyBitmap", Texts.CopyBitmap, this, [this] { CopyBitmapClick(); });
  miCopyMetafile =
      AddItem(Edit, "miCopyMetafile", Texts.CopyMetafile, this, [this] { CopyMetafileClick(); });
  FViewMenu = MainMenu1->addMenu(QStringLiteral("&View"));
  miGrid = AddItem(
      FViewMenu, "miGrid", QStringLiteral("&Grid"), this, [this] { GridClick(); }, true);
  miLegend = AddItem(
      FViewMenu, "miLegend", Texts.ShowLegend, this, [this] { LegendClick(); }, true);
  miProperties = AddItem(FViewMenu, "miProperties", QStringLiteral("&Properties"), this,
                         [this] { PropertiesClick(); });

  if (const auto& Pop = Texts.Popup) {
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    QMenu* M = PopupMenu1;
    pmPrint = AddItem(M, "pmPrint", Pop->Print, this, [this] { PrintClick(); });
    pmSaveAs = AddItem(M, "pmSaveAs", Pop->SaveAs, this, [this] { SaveAsClick(); });
    pmCopyBitmap = AddItem(M, "pmCopyBitmap", Pop->CopyBitmap, this, [this] { CopyBitmapClick(); });
    pmCopyMetafile =
        AddItem(M, "pmCopyMetafile", Pop->CopyMetafile, this, [this] { CopyMetafileClick(); });
    pmGrid = AddItem(
        M, "pmGrid", Pop->Grid, this, [this] { GridClick(); }, true);
    pmLegend = AddItem(
        M, "pmLegend", Pop->Legend, this, [this] { LegendClick(); }, true);
    pmProperties = AddItem(M, "pmProperties", Pop->Properties, this, [this] { PropertiesClick(); });
    FChart->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(FChart, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& P) { PopupMenu1->popup(FChart->mapToGlobal(P)); });
  }

  Main->setMenuBar(MainMenu1);
  Main->addWidget(Panel3);
  Main->addWidget(FChart, 1);
  FChart->SetAlign(alClient);
  Main->addWidget(Panel2);
}

// The chart takes its series with it.
TChartWindow::~TChartWindow() = default;

void TChartWindow::AddTool(TSpeedButton* Button, std::function<void()> Click) {
  FTools->insertWidget(FTools->count() - 1, Button);
  connect(Button, &TSpeedButton::Click, this, Guarded(std::move(Click)));
}

void TChartWindow::ShowLegendAndGrid() {
  const bool LegendOn = FChart->Legend()->Visible();
  const bool GridOn = FChart->LeftAxis()->Grid()->Visible();
  ShowToggle(sbLegend, sbL1, LegendOn);
  ShowToggle(sbGrid, sbG1, GridOn);
  for (QAction* A : {miLegend, pmLegend})
    if (A) A->setChecked(LegendOn);
  for (QAction* A : {miGrid, pmGrid})
    if (A) A->setChecked(GridOn);
}

void TChartWindow::PrintClick() { ChartPreview(this, *FChart); }

void TChartWindow::SaveAsClick() { SaveChartAs(*FChart, sd); }

void TChartWindow::CopyBitmapClick() { FChart->CopyToClipboardBitmap(); }

void TChartWindow::CopyMetafileClick() { FChart->CopyToClipboardMetafile(true); }

void TChartWindow::GridClick() {
  const bool On = ToggleChartGrid(*FChart);
  ShowToggle(sbGrid, sbG1, On);
  for (QAction* A : {miGrid, pmGrid})
    if (A) A->setChecked(On);
}

void TChartWindow::LegendClick() {
  const bool On = ToggleChartLegend(*FChart);
  ShowToggle(sbLegend, sbL1, On);
  for (QAction* A : {miLegend, pmLegend})
    if (A) A->setChecked(On);
}

void TChartWindow::PropertiesClick() {
  EditChart(this, FChart);
  ShowView();
}

void TChartWindow::ShowView() {
  for (size_t i = 0; i < 6; ++i)
    FViewBars[i]->setValue(FChart->View3DOptions()->Value(ViewBars[i].second));
}
