#pragma once
// The plot control that the curve and contour plot windows embed: it owns its graph, the image
// the graph paints on, a status bar with the cursor position and a narrow panel with a scroll
// bar for long legends. Its commands are what the windows' tool buttons and the graph's popup
// menu run; its published settings and property objects write through to the graph.
#include <QMenu>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

#include "platform/backing_control.h"
#include "platform/shift_state.h"
#include "plot/core/graph.h"
#include "plot/ui/plot_legends.h"
#include "plot/ui/plot_properties.h"
#include "plot/ui/plot_status_bar.h"

class QAction;
class QScrollBar;
class TPlot;

using TGraphEvent = std::function<void(TGraph*)>;
using TGraphDeleteEvent = std::function<void(TLayer*)>;
using TPopupMenuItems = unsigned;  // a bit 1 << TPopupMenuItem each

// The drawing surface: the graph paints into its backing image, and a paint only copies it.
class TPlotImage : public TBackingControl {
  Q_OBJECT
 public:
  explicit TPlotImage(TPlot* APlot);

 protected:
  void PaintBacking(TCanvas& Canvas) override;
  void mouseMoveEvent(QMouseEvent* Event) override;
  void mousePressEvent(QMouseEvent* Event) override;
  void mouseReleaseEvent(QMouseEvent* Event) override;
  void mouseDoubleClickEvent(QMouseEvent* Event) override;
  void leaveEvent(QEvent* Event) override;
  void contextMenuEvent(QContextMenuEvent* Event) override;
  void dragEnterEvent(QDragEnterEvent* Event) override;
  void dragMoveEvent(QDragMoveEvent* Event) override;
  void dropEvent(QDropEvent* Event) override;

 private:
  TPlot* FPlot;
  bool FPressed = false;
};

class TPlot : public QWidget, public TGraphOwner {
  Q_OBJECT
 public:
  explicit TPlot(QWidget* Owner = nullptr);
  ~TPlot() override;

  TGraph* Graph() const { return FGraph.get(); }
  TPlotImage* Image() const { return FImage; }
  TPlotStatusBar* StatusBar() const { return FStatusBar; }
  QWidget* LegendPanel() const { return FLegendPanel; }
  QScrollBar* LegendScrollBar() const { return FLegendScrollBar; }
  // The one-shot delayed redraw after a legend scroll; runs only while a scroll waits.
  QTimer* RedrawTimer() { return &FRedrawTimer; }

  // --- Property objects ---
  std::unique_ptr<TPlotAxis> XAxis, YAxis, XAxis2, YAxis2;
  std::unique_ptr<TPlotTitles> Title, Foot;
  std::unique_ptr<TPlotGradient> Gradient;
  std::unique_ptr<TPlotZoom> Zoom;
  std::unique_ptr<TPlotInfo> Info;
  std::unique_ptr<TPlotPicture> Picture;
  std::unique_ptr<TPlotFrame> Frame;
  std::unique_ptr<TPlotLegend> Legend;
  std::unique_ptr<TPlotColorLegend> ColorLegend;
  TPlotProperties PropertiesControl;

  // --- State ---
  // When set every property setter repaints at once (the properties dialog's "Live update").
  bool AutoApply = false;
  // True while the constructor runs.
  bool Creating = false;
  int LastPropertiesPage = 0;  // 0..9
  int PopupMergeCount = 0;     // 0..2
  QAction* PopupSeparator = nullptr;
  TGraphEvent OnAfterChangeProperties;

  // --- Published settings ---
  QString GetIniFileName() const { return FIniFileName; }
  // The settings file of the project title and plot description blocks; the first print sets
  // it to the settings file when empty.
  QString LogoFileName;
  void SetIniFileName(const QString& Value);
  TColor GetColor() const { return FGraph->Color; }
  void SetColor(TColor Value);
  TColor GetBackColor() const { return FGraph->BackColor; }
  void SetBackColor(TColor Value);
  double GetExaggerate() const { return FGraph->Exaggerate; }
  void SetExaggerate(double Value);
  // The graph's effective flag: set only while no bar series shows.
  bool GetClipMarkers() const { return FGraph->GetClipMarkers(); }
  void SetClipMarkers(bool Value);
  bool GetStatusBarVisible() const { return FStatusBarVisible; }
  void SetStatusBarVisible(bool Value);
  // The depth in percent; the graph keeps a fraction of it. 0 gives the flat tick look, any
  // other value the 3D look.
  double GetView3D() const { return FGraph->View3D * 200; }
  void SetView3D(double Value);
  bool GetStatusBarGrip() const { return FStatusBar->SizeGrip(); }
  void SetStatusBarGrip(bool Value);
  TBarStyle GetBarStyle() const { return FGraph->BarStyle; }
  void SetBarStyle(TBarStyle Value);
  double GetMinimumLogValue() const { return FGraph->MinimumLogValue; }
  void SetMinimumLogValue(double Value);
  TPopupMenuItems GetPopupMenuItems() const { return FGraph->GetPopupMenuItems(); }
  // Stores the set in the graph and merges the graph's commands into the plot's own popup menu
  // once (see PopupMergeCount).
  void SetPopupMenuItems(TPopupMenuItems Value);
  // The plot's own popup menu (not owned); its commands come after the graph's.
  QMenu* GetPopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(QMenu* Menu) { FPopupMenu = Menu; }

  // Stored in the graph, which fires them while it paints or deletes a layer.
  void SetOnAfterDraw(TGraphEvent E) { FGraph->OnAfterDraw = std::move(E); }
  void SetOnBeforeDraw(TGraphEvent E) { FGraph->OnBeforeDraw = std::move(E); }
  void SetOnBeforeStartDraw(TGraphEvent E) { FGraph->OnBeforeStartDraw = std::move(E); }
  void SetOnBeforePictureDraw(TGraphEvent E) { FGraph->OnBeforePictureDraw = std::move(E); }
  void SetOnDeleteSeries(TGraphDeleteEvent E) { FGraph->OnDeleteSeries = std::move(E); }

  // The plot's own mouse events: they fire after the graph has handled the event.
  std::function<void(TShiftState Shift, int X, int Y)> OnMouseMove;
  std::function<void(TGraphMouseButton Button, TShiftState Shift, int X, int Y)> OnMouseDown;
  std::function<void(TGraphMouseButton Button, TShiftState Shift, int X, int Y)> OnMouseUp;
  std::function<void(TPlot* Sender)> OnClick;
  std::function<void(TPlot* Sender)> OnDblClick;
  // Something dragged over the image (Source: where the drag began, null from another program);
  // clear Accept to refuse it. The image takes drops only while OnDragOver is set.
  std::function<void(TPlot* Sender, QObject* Source, int X, int Y, bool& Accept)> OnDragOver;
  std::function<void(TPlot* Sender, QObject* Source, int X, int Y)> OnDragDrop;

  // --- Commands ---
  // Paints the graph and shows the legend panel anew.
  void Redraw();
  void ShowProperties();
  // Saves the picture as BMP, WMF or EMF; a failed write shows an error box.
  void SaveAs() override;
  void Print() override;
  // One zoom state back; false when no earlier state remains (or none was saved).
  bool ZoomPrevious();
  void ZoomOut();
  void ZoomIn();
  void AnimatedZoom();
  void CopyToClipboard() override;
  void ImportData();
  void ExportData();
  void SetTicks3D();
  void SetTicks2D();
  void ClearGraph();
  TColor FreeColor() const { return FGraph->FreeColor(); }
  // The first of the sixteen standard series colours that no layer uses; the first one when
  // every colour is taken. No scale changes.
  TColor AutoScale() const;
  // Hands the graph the settings the plot keeps of its own (the zoom's), before a tabulation.
  void UpdateGraph();
  TLayer* AddSeries(std::unique_ptr<TLayer> Layer);
  void ShowAnnotateTools();
  // The look of the plot in its settings file; both do nothing without a file name. A failed
  // save shows an error box.
  void SaveSettings();
  void LoadSettings();
  // The settings file's section: the owning window's name followed by the plot's.
  QString SettingsSection() const;

  // Writes the picture: 1 BMP, 2 WMF, 3 EMF. False with the reason in Error.
  bool SavePicture(const QString& FileName, int FilterIndex, QString* Error = nullptr);
  // The repaint a setter asks for while AutoApply is set.
  void PaintGraph();

  // --- The graph's owner ---
  void Properties() override { ShowProperties(); }
  QWidget* LegendScrollPanel() override { return FLegendPanel; }
  bool LegendScrollShown() const override { return FLegendPanel->isVisibleTo(this); }
  // In the image's pixels, which the graph lays out in.
  int LegendScrollWidth() const override {
    return FImage->ToBacking(QPointF(FLegendPanel->width(), 0)).X;
  }
  void ShowLegendScroll(bool Show) override { FLegendPanel->setVisible(Show); }
  void SetLegendScrollRange(int Max, int PageSize) override;
  // A legend's visibility shows at the next redraw, whatever AutoApply says.
  bool LegendRepaints() const override { return false; }
  void PictureDrawn() override;
  void ShowStatus(const QString& Text) override;
  bool HasStatusBar() const override { return true; }
  void SetStatusPanel(int Index, const QString& Text, int Width) override;
  void SetCursor(TCursor Cursor) override;
  // The control shows hints: the text becomes the image's tooltip and shows at once.
  void ShowHint(const QString& Text) override;
  void ShowPopupMenu(QMenu* Menu, int X, int Y) override;
  void ShowError(const QString& Text) override;
  QString FormName() const override;
  QString PlotName() const override { return objectName(); }

  // The image's events, as the image passes them on.
  void ImageMouseMove(TShiftState Shift, int X, int Y);
  void ImageMouseDown(TGraphMouseButton Button, TShiftState Shift, int X, int Y);
  void ImageMouseUp(TGraphMouseButton Button, TShiftState Shift, int X, int Y);
  void ImageClick();
  void ImageDblClick();
  void ImageContextMenu(const QPoint& Global);
  bool ImageDragOver(QObject* Source, int X, int Y);
  void ImageDragDrop(QObject* Source, int X, int Y);

  // The legend scroll bar's change, and the delayed redraw it starts.
  void LegendScrollChange();
  void DelayedRedraw();

 protected:
  void resizeEvent(QResizeEvent* Event) override;

 private:
  // Lays out the children and paints the graph at the image's new size.
  void DoResize();
  void LayoutChildren();
  void RepaintIfAutoApply();

  QString FIniFileName;
  bool FStatusBarVisible = true;
  QPointer<QMenu> FPopupMenu;
  TPlotStatusBar* FStatusBar;
  QWidget* FLegendPanel;
  QScrollBar* FLegendScrollBar;
  TPlotImage* FImage;
  QTimer FRedrawTimer;
  std::unique_ptr<TGraph> FGraph;
};
