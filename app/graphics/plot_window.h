#pragma once
// What the curve window and the contour window share: the plot control, the toolbar and the
// menus of its commands, and the enabling of the zoom commands. The windows compute nothing:
// every command is a call into the plot control.
#include <QString>

#include <functional>

#include "platform/form.h"

class QAction;
class QMenu;
class QMenuBar;
class QWidget;
class TGraph;
class TLayer;
class TPlot;
class TSpeedButton;

class TPlotWindow : public TForm {
  Q_OBJECT
 public:
  TPlotWindow(const QString& Name, const QString& Caption, QWidget* Parent);

  TPlot* Chart;
  QWidget* Panel2;  // the toolbar
  QMenuBar* MainMenu1;
  TSpeedButton *sbPrint, *sbSaveAs, *sbZoomIn, *sbZoomAnime, *sbZoomPrev, *sbZoomOut, *sbProp,
      *sbLegend, *sbVertGrid, *sbHorizGrid, *sb3D, *sbCopyToClipboard, *sbExport, *sbImport,
      *sbAnnotate;
  QMenu *miFile, *miEdit, *miView;
  QAction *miPrint, *miSaveAs, *miExport, *miImport, *miExit, *miCopy, *miVertGrid, *miHorisGrid,
      *mi3DView, *miShowLegend, *miZoomIn, *miZoomOut, *miAnimationZoom, *miPreviousZoom,
      *miProperties;
  // Set once the window was first shown; only then does the main window's menu show it again.
  bool Shown = false;
  // The frame width from before the 3D view was switched on.
  int SavedFrameWidth = 0;

  TGraph& Graph();
  // Hands the graph the plot control's own settings, before a tabulation fills it.
  void UpdateGraph();
  // Shows the window with what its graph holds now.
  void ShowPlot();

  // ---- commands ----
  void ZoomInClick();
  void ZoomOutClick();
  void AnimatedZoomClick();
  void PreviousZoomClick();
  void VertGridClick();
  void HorizGridClick();
  void View3DClick();
  void LegendClick();

 protected:
  void FormCreate() override;
  void FormShow() override;
  void FormClose(TCloseAction& Action) override;
  // The grid toggles' repaint; the contour window draws a switched-on grid over its picture.
  virtual void GridChanged(bool Vertical);
  // The main window's popup item of this window.
  virtual const char* MenuItemName() const = 0;
  // The legend the legend command toggles.
  virtual TLayer* ToggledLegend();
  TSpeedButton* NewButton(const char* Name, const QString& Caption, const QString& Hint);
  QAction* NewItem(QMenu* Menu, const char* Name, const QString& Caption);
  void EnableZoomBack(bool Enable);
};

// The main window's way back to a shown plot window: its plots buttons and the popup item of this
// object name are enabled. The main window stands above the plot windows, so it lends the doing
// of it; with none lent (no main window yet) nothing happens.
void EnablePlotMenuItem(const char* Item);
void SetPlotMenuItemEnabler(std::function<void(const char* Item)> Enabler);
