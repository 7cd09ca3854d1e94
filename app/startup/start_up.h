#pragma once
// The program's start: the engine, the application title and the windows every run needs.
#include <QStringList>

class TfmCalc;

// Creates the start-up windows in their fixed order, all hidden, and answers the main window
// (not yet shown). The windows live until DestroyStartUpWindows.
TfmCalc* CreateStartUpWindows();
// The object names of the windows in the order CreateStartUpWindows made them.
QStringList StartUpOrder();
// Frees the start-up windows (at the end of the run, and between tests).
void DestroyStartUpWindows();
