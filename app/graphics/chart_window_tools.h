#pragma once
// What the surface and the polar window share: the panel of view scroll bars, the toolbar
// toggles shown by a hidden partner button and the picture save dialog.
#include <QString>

#include <functional>

#include "chart/engine/view3d_options.h"

class QAction;
class QGridLayout;
class QMenu;
class QObject;
class QScrollBar;
class QWidget;
class TChart;
class TCustomChartPanel;
class TSaveDialog;
class TSpeedButton;

// One labelled horizontal scroll bar in column Column of Grid; OnChange gets every new position
// (the start position is set before it is connected).
QScrollBar* AddViewBar(QGridLayout* Grid, int Column, const QString& Caption, const char* Name,
                       TView3DRange Range, int Position, std::function<void(int)> OnChange);

// A toolbar speed button with its group; Hint shows as its tool tip.
TSpeedButton* AddToolButton(QWidget* Bar, const char* Name, const QString& Caption,
                            const QString& Hint, int GroupIndex = 0);
// The hidden partner of a toggle button: pressing it shows the toggle up.
TSpeedButton* AddPartnerButton(QWidget* Bar, const char* Name, int GroupIndex);
// Shows Toggle down, or up by pressing its partner.
void ShowToggle(TSpeedButton* Toggle, TSpeedButton* Partner, bool Down);

// A menu item named Name that runs Handler, error-guarded.
QAction* AddItem(QMenu* Menu, const char* Name, const QString& Caption, QObject* Context,
                 std::function<void()> Handler, bool Checkable = false);

// The grid of the left, bottom and depth axes, or the legend, switched: the new state.
bool ToggleChartGrid(TChart& Chart);
bool ToggleChartLegend(TChart& Chart);

// The save dialog of both windows: bitmap, metafile or enhanced metafile, as the chosen file
// type says. A file that could not be written is reported.
void SaveChartAs(TCustomChartPanel& Chart, TSaveDialog& Dialog);
