#include "app/graphics/polar_form.h"

#include <QAction>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QVBoxLayout>

#include "app/graphics/chart_window_tools.h"
#include "app/graphics/plot_window.h"
#include "chart/editors/chart_editor.h"
#include "chart/engine/chart.h"
#include "platform/app_services.h"
#include "platform/controls.h"

TPolarForm* PolarForm = nullptr;

TPolarForm::TPolarForm(QWidget* Parent) : TForm(Parent) {
  setObjectName(QStringLiteral("PolarForm"));
  setWindowTitle(QStringLiteral("Polar Plot"));
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
  sbGrid = AddToolButton(Panel3, "sbGrid", QStringLiteral("Grid"), QStringLiteral("Grid"), 2);
  sbL1 = AddPartnerButton(Panel3, "sbL1", 1);
  sbG1 = AddPartnerButton(Panel3, "sbG1", 2);
  auto* Tools = new QHBoxLayout(Panel3);
  Tools->setContentsMargins(2, 2, 2, 2);
  for (TSpeedButton* B : {sbPrint, sbSaveAs, sbProp, sbLegend, sbGrid}) Tools->addWidget(B);
  Tools->addStretch();
  connect(sbPrint, &TSpeedButton::Click, this, Guarded([this] { PrintClick(); }));
  connect(sbSaveAs, &TSpeedButton::Click, this, Guarded([this] { SaveAsClick(); }));
  connect(sbProp, &TSpeedButton::Click, this, Guarded([this] { PropertiesClick(); }));
  connect(sbLegend, &TSpeedButton::Click, this, Guarded([this] { LegendClick(); }));
  connect(sbGrid, &TSpeedButton::Click, this, Guarded([this] { GridClick(); }));

  Chart1 = new TChart(this);
  Chart1->setObjectName(QStringLiteral("Chart1"));
  Chart1->SetView3D(false);
  Chart1->SetAxisVisible(false);
  Chart1->SetView3DWalls(false);
  Chart1->Title()->SetText({QStringLiteral("Polar co-ordinate")});
  Chart1->Legend()->SetLegendStyle(ChartLegend::lsValues);
  Chart1->Legend()->SetTextStyle(ltsXValue);
  Chart1->Legend()->SetInverted(true);
  Chart1->Gradient()->SetVisible(true);
  TView3DOptions* V = Chart1->View3DOptions();
  V->SetElevation(315);
  V->SetRotation(360);
  V->SetPerspective(0);

  Panel2 = new QWidget(this);
  Panel2->setObjectName(QStringLiteral("Panel2"));
  auto* Bars = new QGridLayout(Panel2);
  Bars->setContentsMargins(4, 2, 4, 2);
  sbRot = AddViewBar(Bars, 0, QStringLiteral("Rotation"), "sbRot", 0, 360, 360,
                     [this](int P) { Chart1->View3DOptions()->SetRotation(P); });
  scbElev = AddViewBar(Bars, 1, QStringLiteral("Elevation"), "scbElev", 0, 360, 360,
                       [this](int P) { Chart1->View3DOptions()->SetElevation(P); });
  scbZoom = AddViewBar(Bars, 2, QStringLiteral("Zoom"), "scbZoom", 1, 400, 100,
                       [this](int P) { Chart1->View3DOptions()->SetZoom(P); });
  scbHoriz = AddViewBar(Bars, 3, QStringLiteral("Horizontal"), "scbHoriz", -200, 200, 0,
                        [this](int P) { Chart1->View3DOptions()->SetHorizOffset(P); });
  scbVert = AddViewBar(Bars, 4, QStringLiteral("Vertical"), "scbVert", -200, 200, 0,
                       [this](int P) { Chart1->View3DOptions()->SetVertOffset(P); });
  scbTilt = AddViewBar(Bars, 5, QStringLiteral("Tilt"), "scbTilt", 0, 360, 0,
                       [this](int P) { Chart1->View3DOptions()->SetTilt(P); });

  MainMenu1 = new QMenuBar(this);
  QMenu* File = MainMenu1->addMenu(QStringLiteral("&File"));
  miPrint = AddItem(File, "miPrint", QStringLiteral("&Print"), this, [this] { PrintClick(); });
  miSaveAs =
      AddItem(File, "miSaveAs", QStringLiteral("Save &As..."), this, [this] { SaveAsClick(); });
  File->addSeparator();
  miExit = AddItem(File, "miExit", QStringLiteral("E&xit"), this, [this] { ExitClick(); });
  QMenu* Edit = MainMenu1->addMenu(QStringLiteral("&Edit"));
  miCopyBitmap = AddItem(Edit, "miCopyBitmap", QStringLiteral("&Copy to Clipboard as Bitmap"), this,
                         [this] { CopyBitmapClick(); });
  miCopyMetafile = AddItem(Edit, "miCopyMetafile", QStringLiteral("Copy to Clipboard as &Metafile"),
                           this, [this] { CopyMetafileClick(); });
  QMenu* View = MainMenu1->addMenu(QStringLiteral("&View"));
  miGrid = AddItem(
      View, "miGrid", QStringLiteral("&Grid"), this, [this] { GridClick(); }, true);
  miLegend = AddItem(
      View, "miLegend", QStringLiteral("Show &Legend"), this, [this] { LegendClick(); }, true);
  miProperties = AddItem(View, "miProperties", QStringLiteral("&Properties"), this,
                         [this] { PropertiesClick(); });
  miView3D = AddItem(
      View, "miView3D", QStringLiteral("&View3D"), this, [this] { miView3DClick(); }, true);

  PopupMenu1 = new QMenu(this);
  PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
  pmPrint = AddItem(PopupMenu1, "pmPrint", QStringLiteral("Print"), this, [this] { PrintClick(); });
  pmSaveAs = AddItem(PopupMenu1, "pmSaveAs", QStringLiteral("Save As..."), this,
                     [this] { SaveAsClick(); });
  pmCopyBitmap = AddItem(PopupMenu1, "pmCopyBitmap", QStringLiteral("Copy to Clipboard as Bitmap"),
                         this, [this] { CopyBitmapClick(); });
  pmCopyMetafile =
      AddItem(PopupMenu1, "pmCopyMetafile", QStringLiteral("Copy to Clipbord as Metafile"), this,
              [this] { CopyMetafileClick(); });
  pmGrid = AddItem(
      PopupMenu1, "pmGrid", QStringLiteral("Grid"), this, [this] { GridClick(); }, true);
  pmLegend = AddItem(
      PopupMenu1, "pmLegend", QStringLiteral("Show Legend"), this, [this] { LegendClick(); }, true);
  pmProperties = AddItem(PopupMenu1, "pmProperties", QStringLiteral("Properties"), this,
                         [this] { PropertiesClick(); });
  pmView3D = AddItem(
      PopupMenu1, "pmView3D", QStringLiteral("View 3D"), this, [this] { miView3DClick(); }, true);
  Chart1->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(Chart1, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& P) { PopupMenu1->popup(Chart1->mapToGlobal(P)); });

  Main->setMenuBar(MainMenu1);
  Main->addWidget(Panel3);
  Main->addWidget(Chart1, 1);
  Main->addWidget(Panel2);

  // The design's state: legend and grid shown, 2D, so the scroll bars rest.
  const bool GridOn = Chart1->LeftAxis()->Grid()->Visible();
  ShowToggle(sbLegend, sbL1, Chart1->Legend()->Visible());
  ShowToggle(sbGrid, sbG1, GridOn);
  for (QAction* A : {miLegend, pmLegend}) A->setChecked(Chart1->Legend()->Visible());
  for (QAction* A : {miGrid, pmGrid}) A->setChecked(GridOn);
  Panel2->setEnabled(false);
}

// The chart takes its series with it.
TPolarForm::~TPolarForm() = default;

void TPolarForm::FormShow() { EnablePlotMenuItem("miPlotPolar"); }

void TPolarForm::PrintClick() { ChartPreview(this, *Chart1); }

void TPolarForm::SaveAsClick() { SaveChartAs(*Chart1, SD); }

void TPolarForm::CopyBitmapClick() { Chart1->CopyToClipboardBitmap(); }

void TPolarForm::CopyMetafileClick() { Chart1->CopyToClipboardMetafile(true); }

void TPolarForm::GridClick() {
  const bool On = ToggleChartGrid(*Chart1);
  ShowToggle(sbGrid, sbG1, On);
  miGrid->setChecked(On);
  pmGrid->setChecked(On);
}

void TPolarForm::LegendClick() {
  const bool On = ToggleChartLegend(*Chart1);
  ShowToggle(sbLegend, sbL1, On);
  miLegend->setChecked(On);
  pmLegend->setChecked(On);
}

void TPolarForm::PropertiesClick() { EditChart(this, Chart1); }

void TPolarForm::miView3DClick() {
  const bool On = !Chart1->View3D();
  Chart1->SetView3D(On);
  miView3D->setChecked(On);
  pmView3D->setChecked(On);
  Panel2->setEnabled(On);
}

void TPolarForm::ShowPlotView() {
  if (!FPlotViewShown && !Chart1->View3D()) miView3DClick();
  FPlotViewShown = true;
}

void TPolarForm::AdoptSeries(std::unique_ptr<TChartSeries> Series) {
  Chart1->AdoptSeries(std::move(Series));
}

int TPolarForm::PlotCount() const { return Chart1->SeriesCount(); }
