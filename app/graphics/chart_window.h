#pragma once
// The frame of the surface and the polar window: the chart between a toolbar above and six
// scroll bars below that turn and move its view, the File, Edit and View menus, and on request
// a popup menu on the chart. Each window passes its own texts and ranges, and adds its own
// items and buttons to what the frame built.
#include <QString>

#include <array>
#include <functional>
#include <optional>

#include "platform/dialogs.h"
#include "platform/form.h"

class QAction;
class QHBoxLayout;
class QMenu;
class QMenuBar;
class QScrollBar;
class QWidget;
class TChart;
class TSpeedButton;

// One view scroll bar: its name and its range, and where it starts.
// A view bar's object name; its range and position are the chart's.
struct TChartViewBar {
  const char* Name;
};

// The popup menu's items, in their order.
struct TChartWindowPopup {
  QString Print, SaveAs, CopyBitmap, CopyMetafile, Grid, Legend, Properties;
};

// What differs between the windows the frame builds.
struct TChartWindowTexts {
  const char* Name;
  QString Title;
  const char* ChartName;
  QString GridHint;  // the grid button's tool tip
  // The items whose spelling differs from window to window.
  QString SaveAs, Exit, CopyBitmap, CopyMetafile, ShowLegend;
  // Rotation, elevation, zoom, horizontal and vertical offset, tilt.
  std::array<TChartViewBar, 6> Bars;
  std::optional<TChartWindowPopup> Popup;
};

class TChartWindow : public TForm {
  Q_OBJECT
 public:
  ~TChartWindow() override;

  QWidget* Panel2;  // the scroll bars
  QWidget* Panel3;  // the toolbar
  TSpeedButton *sbPrint, *sbSaveAs, *sbProp, *sbLegend, *sbGrid, *sbL1, *sbG1;
  TSaveDialog sd;
  QMenuBar* MainMenu1;
  QAction *miPrint, *miSaveAs, *miExit, *miCopyBitmap, *miCopyMetafile, *miGrid, *miLegend,
      *miProperties;
  // Null unless the window asked for a popup menu.
  QMenu* PopupMenu1 = nullptr;
  QAction *pmPrint = nullptr, *pmSaveAs = nullptr, *pmCopyBitmap = nullptr,
          *pmCopyMetafile = nullptr, *pmGrid = nullptr, *pmLegend = nullptr,
          *pmProperties = nullptr;

  void PrintClick();
  void SaveAsClick();
  void ExitClick() { Close(); }
  void CopyBitmapClick();
  void CopyMetafileClick();
  void GridClick();
  void LegendClick();
  virtual void PropertiesClick();

 protected:
  TChartWindow(QWidget* Parent, const TChartWindowTexts& Texts);

  // The chart and the view bars, which each window names after its own fashion.
  TChart* FChart;
  std::array<QScrollBar*, 6> FViewBars{};
  QMenu* FViewMenu;

  // A toolbar button after the frame's own, running Click.
  void AddTool(TSpeedButton* Button, std::function<void()> Click);
  // The buttons and items show whether the chart's legend and grid are shown.
  void ShowLegendAndGrid();
  // The view bars show the chart's view.
  void ShowView();

 private:
  QHBoxLayout* FTools;
};
