#include "app/graphics/polar_form.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

#include "app/graphics/chart_window_tools.h"
#include "app/graphics/plot_window.h"
#include "chart/engine/chart.h"
#include "platform/app_services.h"

TPolarForm* PolarForm = nullptr;

TPolarForm::TPolarForm(QWidget* Parent)
    : TChartWindow(
          Parent,
          {.Name = "PolarForm",
           .Title = QStringLiteral("Polar Plot"),
           .ChartName = "Chart1",
           .GridHint = QStringLiteral("Grid"),
           .SaveAs = QStringLiteral("Save &As..."),
           .Exit = QStringLiteral("E&xit"),
           .CopyBitmap = QStringLiteral("&Copy to Clipboard as Bitmap"),
           .CopyMetafile = QStringLiteral("Copy to Clipboard as &Metafile"),
           .ShowLegend = QStringLiteral("Show &Legend"),
           .Bars = {{{"sbRot"}, {"scbElev"}, {"scbZoom"}, {"scbHoriz"}, {"scbVert"}, {"scbTilt"}}},
           .Popup =
               TChartWindowPopup{.Print = QStringLiteral("Print"),
                                 .SaveAs = QStringLiteral("Save As..."),
                                 .CopyBitmap = QStringLiteral("Copy to Clipboard as Bitmap"),
                                 .CopyMetafile = QStringLiteral("Copy to Clipbord as Metafile"),
                                 .Grid = QStringLiteral("Grid"),
                                 .Legend = QStringLiteral("Show Legend"),
                                 .Properties = QStringLiteral("Properties")}}),
      Chart1(FChart),
      sbRot(FViewBars[0]),
      scbElev(FViewBars[1]),
      scbZoom(FViewBars[2]),
      scbHoriz(FViewBars[3]),
      scbVert(FViewBars[4]),
      scbTilt(FViewBars[5]) {
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
  ShowView();

  miView3D = AddItem(
      FViewMenu, "miView3D", QStringLiteral("&View3D"), this, [this] { miView3DClick(); }, true);

  pmView3D = AddItem(
      PopupMenu1, "pmView3D", QStringLiteral("View 3D"), this, [this] { miView3DClick(); }, true);

  // The design's state: legend and grid shown, 2D, so the scroll bars rest.
  ShowLegendAndGrid();
  Panel2->setEnabled(false);
}

TPolarForm::~TPolarForm() = default;

void TPolarForm::FormShow() { EnablePlotMenuItem("miPlotPolar"); }

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
