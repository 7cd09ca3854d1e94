#include "plot/ui/plot_dialog_entries.h"

#include <QString>

#include "platform/dialogs.h"
#include "plot/core/graph.h"
#include "plot/ui/annotate_tools.h"
#include "plot/ui/graph_properties.h"
#include "plot/ui/plot.h"
#include "plot/ui/series_export.h"
#include "plot/ui/series_import.h"

namespace {
void NotAvailable(const char* What) {
  ShowInformation(QStringLiteral("The %1 is not available yet.").arg(QString::fromLatin1(What)));
}
}  // namespace

void ExecutePlotProperties(TPlot& Plot) { ShowPlotPropertiesDialog(Plot); }
void ExecutePlotPrint(TPlot&) { NotAvailable("print dialog"); }
bool ExecutePlotImport(TPlot& Plot) { return ShowSeriesImportDialog(Plot); }
void ExecutePlotExport(TPlot& Plot) { ShowSeriesExportDialog(Plot); }
void ShowPlotAnnotateTools(TPlot& Plot) {
  AnnotateTools()->Bind(dynamic_cast<TGraphAnnotate*>(Plot.Graph()->Annotate.get()), Plot.window());
}
