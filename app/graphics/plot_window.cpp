#include "app/graphics/plot_window.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QVBoxLayout>

#include "app/common/form_placement.h"
#include "platform/app_services.h"
#include "platform/controls.h"
#include "platform/flow_layout.h"
#include "plot/core/graph_legend.h"
#include "plot/ui/plot.h"

namespace {
std::function<void(const char*)>& Enabler() {
  static std::function<void(const char*)> Lent;
  return Lent;
}
}  // namespace

void SetPlotMenuItemEnabler(std::function<void(const char* Item)> Lent) {
  Enabler() = std::move(Lent);
}

void EnablePlotMenuItem(const char* Item) {
  if (Enabler()) Enabler()(Item);
}

TPlotWindow::TPlotWindow(const QString& Name, const QString& Caption, QWidget* Parent)
    : TForm(Parent) {
  setObjectName(Name);
  setWindowTitle(Caption);
  SetBorderStyle(bsSizeable);
  auto* L = new QVBoxLayout(this);
  L->setContentsMargins(0, 0, 0, 0);
  L->setSpacing(0);
  MainMenu1 = new QMenuBar(this);
  MainMenu1->setObjectName("MainMenu1");
  L->setMenuBar(MainMenu1);
  Panel2 = new QWidget(this);
  Panel2->setObjectName("Panel2");
  // On a narrow screen the buttons wrap onto a second row rather than lose their captions.
  new TFlowLayout(Panel2);
  Panel2->layout()->setContentsMargins(2, 2, 2, 2);
  Panel2->layout()->setSpacing(1);
  L->addWidget(Panel2);
  Chart = new TPlot(this);
  Chart->setObjectName("Chart");
  L->addWidget(Chart, 1);

  sbPrint = NewButton("sbPrint", "Print", "Print graphic");
  sbSaveAs = NewButton("sbSaveAs", "Save", "Save As...");
  sbZoomIn = NewButton("sbZoomIn", "Zoom+", "Zoom in");
  sbZoomAnime = NewButton("sbZoomAnime", "Anim", "Animated zoom");
  sbZoomPrev = NewButton("sbZoomPrev", "Prev", "Zoom previous");
  sbZoomOut = NewButton("sbZoomOut", "Zoom-", "Zoom Out");
  sbProp = NewButton("sbProp", "Prop", "Properties");
  sbLegend = NewButton("sbLegend", "Legend", "Show legend");
  sbVertGrid = NewButton("sbVertGrid", "VGrid", "Vertical grid");
  sbHorizGrid = NewButton("sbHorizGrid", "HGrid", "Horizontal grid");
  sb3D = NewButton("sb3D", "3D", "3D-view");
  sbCopyToClipboard = NewButton("sbCopyToClipboard", "Copy", "Copy to clipbord");
  sbExport = NewButton("sbExport", "Export", "Export data");
  sbImport = NewButton("sbImport", "Import", "Import data");
  sbAnnotate = NewButton("sbAnnotate", "Paint", "Paint");

  miFile = MainMenu1->addMenu("&File");
  miEdit = MainMenu1->addMenu("&Edit");
  miView = MainMenu1->addMenu("&View");
  miPrint = NewItem(miFile, "miPrint", "&Print");
  miSaveAs = NewItem(miFile, "miSaveAs", "&Save As...");
  miExport = NewItem(miFile, "miExport", "&Export");
  miImport = NewItem(miFile, "miImport", "&Import");
  miFile->addSeparator();
  miExit = NewItem(miFile, "miExit", "&Exit");
  miCopy = NewItem(miEdit, "miCopy", "&Copy to clipboard");
  miVertGrid = NewItem(miView, "miVertGrid", "&Vert. Grid");
  miHorisGrid = NewItem(miView, "miHorisGrid", "&Horis. Grid");
  mi3DView = NewItem(miView, "mi3DView", "&3D View");
  miShowLegend = NewItem(miView, "miShowLegend", "&Show Legend");
  miShowLegend->setCheckable(true);
  miView->addSeparator();
  miZoomIn = NewItem(miView, "miZoomIn", "Zoom &In");
  miZoomOut = NewItem(miView, "miZoomOut", "Zoom &Out");
  miAnimationZoom = NewItem(miView, "miAnimationZoom", "&Animation Zoom");
  miPreviousZoom = NewItem(miView, "miPreviousZoom", "&Previous Zoom");
  miView->addSeparator();
  miProperties = NewItem(miView, "miProperties", "&Properties");

  auto On = [this](auto* Sender, auto Signal, auto Command) {
    connect(Sender, Signal, this, Guarded(Command));
  };
  auto Both = [&](TSpeedButton* B, QAction* A, auto Command) {
    if (B) On(B, &TSpeedButton::clicked, Command);
    if (A) On(A, &QAction::triggered, Command);
  };
  Both(sbPrint, miPrint, [this] { Chart->Print(); });
  Both(sbSaveAs, miSaveAs, [this] { Chart->SaveAs(); });
  Both(sbExport, miExport, [this] { Chart->ExportData(); });
  Both(sbImport, miImport, [this] { Chart->ImportData(); });
  Both(nullptr, miExit, [this] { close(); });
  Both(sbCopyToClipboard, miCopy, [this] { Chart->CopyToClipboard(); });
  Both(sbVertGrid, miVertGrid, [this] { VertGridClick(); });
  Both(sbHorizGrid, miHorisGrid, [this] { HorizGridClick(); });
  Both(sb3D, mi3DView, [this] { View3DClick(); });
  Both(sbZoomIn, miZoomIn, [this] { ZoomInClick(); });
  Both(sbZoomOut, miZoomOut, [this] { ZoomOutClick(); });
  Both(sbZoomAnime, miAnimationZoom, [this] { AnimatedZoomClick(); });
  Both(sbZoomPrev, miPreviousZoom, [this] { PreviousZoomClick(); });
  Both(sbProp, miProperties, [this] { Chart->ShowProperties(); });
  Both(sbAnnotate, nullptr, [this] { Chart->ShowAnnotateTools(); });
  Both(sbLegend, miShowLegend, [this] { LegendClick(); });
  sbLegend->setCheckable(true);
  EnableZoomBack(false);
  resize(640, 480);
}

TSpeedButton* TPlotWindow::NewButton(const char* Name, const QString& Caption,
                                     const QString& Hint) {
  auto* B = new TSpeedButton(Panel2);
  B->setObjectName(Name);
  B->SetCaption(Caption);
  B->SetHint(Hint);
  Panel2->layout()->addWidget(B);
  return B;
}

QAction* TPlotWindow::NewItem(QMenu* Menu, const char* Name, const QString& Caption) {
  QAction* A = Menu->addAction(Caption);
  A->setObjectName(Name);
  return A;
}

TGraph& TPlotWindow::Graph() { return *Chart->Graph(); }

void TPlotWindow::UpdateGraph() { Chart->UpdateGraph(); }

void TPlotWindow::ShowPlot() {
  Show();
  Chart->Redraw();
}

void TPlotWindow::FormCreate() {
  LoadFormPlacement(this);
  Chart->LoadSettings();
}

void TPlotWindow::FormShow() {
  Shown = true;
  EnablePlotMenuItem(MenuItemName());
}

void TPlotWindow::FormClose(TCloseAction& Action) {
  SaveFormPlacement(this);
  Chart->SaveSettings();
  Action = caHide;
}

void TPlotWindow::EnableZoomBack(bool Enable) {
  sbZoomOut->setEnabled(Enable);
  sbZoomPrev->setEnabled(Enable);
  miZoomOut->setEnabled(Enable);
  miPreviousZoom->setEnabled(Enable);
}

void TPlotWindow::ZoomInClick() {
  Chart->ZoomIn();
  EnableZoomBack(true);
}

void TPlotWindow::ZoomOutClick() {
  Chart->ZoomOut();
  EnableZoomBack(false);
}

void TPlotWindow::AnimatedZoomClick() {
  Chart->AnimatedZoom();
  EnableZoomBack(Chart->Zoom->GetEnabled() || Graph().Zoom.Count() > 0);
}

void TPlotWindow::PreviousZoomClick() {
  if (!Chart->ZoomPrevious()) EnableZoomBack(false);
}

void TPlotWindow::GridChanged(bool) { Chart->Redraw(); }

void TPlotWindow::VertGridClick() {
  Chart->XAxis->SetGrid(!Chart->XAxis->GetGrid());
  GridChanged(true);
}

void TPlotWindow::HorizGridClick() {
  Chart->YAxis->SetGrid(!Chart->YAxis->GetGrid());
  GridChanged(false);
}

void TPlotWindow::View3DClick() {
  if (Chart->GetView3D() == 0) {
    Chart->SetView3D(8.0);
    SavedFrameWidth = Chart->Frame->GetWidth();
    Chart->Frame->SetWidth(10);
    Chart->SetTicks3D();
    Chart->XAxis->Ticks.SetMinorVisible(false);
    Chart->XAxis->Ticks.SetMajorVisible(true);
  } else {
    Chart->SetView3D(0);
    Chart->Frame->SetWidth(SavedFrameWidth);
    Chart->SetTicks2D();
  }
  Chart->Redraw();
}

TLayer* TPlotWindow::ToggledLegend() { return Graph().Legend.get(); }

void TPlotWindow::LegendClick() {
  TLayer* L = ToggledLegend();
  if (!L) return;
  L->SetVisible(!L->GetVisible());
  sbLegend->setChecked(L->GetVisible());
  miShowLegend->setChecked(L->GetVisible());
  Chart->Redraw();
}
