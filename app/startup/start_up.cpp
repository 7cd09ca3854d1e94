#include "app/startup/start_up.h"
#include "chart/editors/chart_editor.h"
#include "chart/editors/chart_general_pages.h"
#include "chart/engine/chart_registry.h"
#include "plot/layers/contour.h"
#include "plot/layers/matrix_series.h"
#include "plot/layers/series.h"
#include "plot/ui/graph_annotate.h"
#include "plot/ui/series_import.h"

#include <QApplication>

#include <type_traits>

#include "app/calc/fm_calc.h"
#include "app/calc/fm_comp_mess.h"
#include "app/calc/pending_windows.h"
#include "app/common/dm.h"
#include "app/graphics/chart_window_tools.h"
#include "app/matrix/fm_matrix.h"
#include "app/matrix/fm_mult.h"
#include "app/matrix/frm_view_r.h"
#include "engine/engine_state.h"
#include "platform/application.h"
#include "widgets/nx_const.h"

namespace {
QStringList GOrder;
std::vector<QObject*> GWindows;

template <class T>
T* Make(T*& Global) {
  Global = new T(nullptr);
  if constexpr (std::is_base_of_v<TForm, T>) Global->DoCreate();
  GOrder << Global->objectName();
  GWindows.push_back(Global);
  return Global;
}
}  // namespace

TfmCalc* CreateStartUpWindows() {
  EngineInitialize();
  RegisterNxCursors();
  // The drawing libraries create their classes by name (chart streams, the graph text file).
  RegisterChartClasses();
  RegisterChartEditors();
  SetChartPreviewProc([](QWidget* Owner, TCustomChart& Chart) { ChartPreview(Owner, Chart); });
  RegisterSeriesLayerClasses();
  RegisterContourLayerClasses();
  RegisterMatrixSeriesLayerClasses();
  // A series' Properties command edits its points in the data grid.
  InstallSeriesDataEditor();
  RegisterGraphAnnotation();
  QApplication::setApplicationName("Numyx v.4.24");
  if (auto* App = qobject_cast<TApplication*>(QCoreApplication::instance()))
    App->SetTitle("Numyx v.4.24");
  GOrder.clear();
  TfmCalc* Main = Make(fmCalc);
  Make(SetVar);
  Make(fmPlot2D);
  Make(fmContourPlot);
  Make(DM);
  Make(fmMatrix);
  Make(fmMult);
  Make(fmCompMess);
  Make(fmSurfaceChart);
  Make(PolarForm);
  Make(frmViewR);
  // The matrix window works with the prompt and the result view made here.
  fmMatrix->SetCompanions(fmMult, frmViewR);
  return Main;
}

QStringList StartUpOrder() { return GOrder; }

void DestroyStartUpWindows() {
  // Latest first, so that nothing made later refers to a window already gone.
  for (auto It = GWindows.rbegin(); It != GWindows.rend(); ++It) delete *It;
  GWindows.clear();
  SetVar = nullptr;
  fmPlot2D = nullptr;
  fmContourPlot = nullptr;
  DM = nullptr;
  fmMatrix = nullptr;
  fmMult = nullptr;
  fmCompMess = nullptr;
  fmSurfaceChart = nullptr;
  PolarForm = nullptr;
  frmViewR = nullptr;
  fmCalc = nullptr;
}
