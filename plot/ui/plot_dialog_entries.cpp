#include "plot/ui/plot_dialog_entries.h"

#include <QString>

#include "platform/dialogs.h"
#include "plot/core/graph.h"
#include "plot/ui/annotate_tools.h"
#include "plot/ui/graph_properties.h"
#include "plot/ui/plot.h"
#include "plot/ui/print_dialog.h"
#include "plot/ui/print_preview.h"
#include "plot/ui/series_export.h"
#include "plot/ui/series_import.h"

void ExecutePlotProperties(TPlot& Plot) { ShowPlotPropertiesDialog(Plot); }
void ExecutePlotPrint(TPlot& Plot) {
  // Both forms live for this one print only.
  TPreView Preview(Plot.window());
  TPrintDlg Dialog(Plot.window());
  Dialog.Execute(&Plot, &Preview);
  Plot.Redraw();
}
bool ExecutePlotImport(TPlot& Plot) { return ShowSeriesImportDialog(Plot); }
void ExecutePlotExport(TPlot& Plot) { ShowSeriesExportDialog(Plot); }
void ShowPlotAnnotateTools(TPlot& Plot) {
  AnnotateTools()->Bind(dynamic_cast<TGraphAnnotate*>(Plot.Graph()->Annotate.get()), Plot.window());
}
