#pragma once
// The dialogs that the plot control's commands open. Each command reaches its dialog through one
// function here.
class TPlot;

// The properties dialog on the plot; answers nothing, the plot keeps what the dialog set.
void ExecutePlotProperties(TPlot& Plot);
// The print dialog and its preview.
void ExecutePlotPrint(TPlot& Plot);
// The import dialog for a new series of the plot's graph; true when a series was added.
bool ExecutePlotImport(TPlot& Plot);
// The export dialog on the plot.
void ExecutePlotExport(TPlot& Plot);
// The annotation tools window, bound to the plot's graph.
void ShowPlotAnnotateTools(TPlot& Plot);
