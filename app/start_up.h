#pragma once
// The program's start: the engine, the application title and the windows every run needs.
#include <QStringList>

class TfmCalc;
class TSetVar;
class TfmPlot2D;
class TfmContourPlot;
class TfmMatrix;
class TfmMult;
class TfmSurfaceChart;
class TPolarForm;
class TfrmViewR;

// The windows made at start-up (the main window, the shared dialogs and the complex-mode notice
// have theirs beside their classes). Null before start-up and after DestroyStartUpWindows.
extern TSetVar* SetVar;
extern TfmPlot2D* fmPlot2D;
extern TfmContourPlot* fmContourPlot;
extern TfmMatrix* fmMatrix;
extern TfmMult* fmMult;
extern TfmSurfaceChart* fmSurfaceChart;
extern TPolarForm* PolarForm;
extern TfrmViewR* frmViewR;

// Creates the start-up windows in their fixed order, all hidden, and answers the main window
// (not yet shown). The windows live until DestroyStartUpWindows.
TfmCalc* CreateStartUpWindows();
// The object names of the windows in the order CreateStartUpWindows made them.
QStringList StartUpOrder();
// Frees the start-up windows (at the end of the run, and between tests).
void DestroyStartUpWindows();
