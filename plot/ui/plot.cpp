#include "plot/ui/plot.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QCursor>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QToolTip>

#include "platform/app_services.h"
#include "platform/cursors.h"
#include "platform/dialogs.h"
#include "plot/ui/plot_cursors.h"

namespace {
constexpr int StatusBarHeight = 20;
constexpr int LegendRedrawDelay = 250;

TShiftState ShiftOf(const QMouseEvent* E) {
  TShiftState S = ShiftStateOf(E->modifiers());
  if (E->buttons() & Qt::LeftButton) S |= ssLeft;
  if (E->buttons() & Qt::RightButton) S |= ssRight;
  if (E->buttons() & Qt::MiddleButton) S |= ssMiddle;
  return S;
}

bool ButtonOf(const QMouseEvent* E, TGraphMouseButton& B) {
  switch (E->button()) {
    case Qt::LeftButton:
      B = mbLeft;
      return true;
    case Qt::RightButton:
      B = mbRight;
      return true;
    case Qt::MiddleButton:
      B = mbMiddle;
      return true;
    default:
      return false;
  }
}
}  // namespace

// --- The image ----------------------------------------------------------------------------------

TPlotImage::TPlotImage(TPlot* APlot) : TBackingControl(APlot), FPlot(APlot) {
  setMouseTracking(true);
  SetFollowsPixelRatio(true);
}

void TPlotImage::PaintBacking(TCanvas&) {
  TGraph* G = FPlot->Graph();
  if (!G) return;
  G->ImageRect = BackingRect();
  G->Paint();
}

void TPlotImage::mouseMoveEvent(QMouseEvent* E) {
  const TPoint P = ToBacking(E->position());
  FPlot->ImageMouseMove(ShiftOf(E), P.X, P.Y);
}

void TPlotImage::mousePressEvent(QMouseEvent* E) {
  TGraphMouseButton B;
  if (!ButtonOf(E, B)) return;
  FPressed = B == mbLeft;
  const TPoint P = ToBacking(E->position());
  FPlot->ImageMouseDown(B, ShiftOf(E), P.X, P.Y);
}

void TPlotImage::mouseReleaseEvent(QMouseEvent* E) {
  TGraphMouseButton B;
  if (!ButtonOf(E, B)) return;
  const TPoint P = ToBacking(E->position());
  // The event's own button is no longer held but counts for the handlers, as on a press.
  TShiftState S = ShiftOf(E);
  S |= B == mbLeft ? ssLeft : B == mbRight ? ssRight : ssMiddle;
  FPlot->ImageMouseUp(B, S, P.X, P.Y);
  if (B == mbLeft && FPressed && rect().contains(E->position().toPoint())) FPlot->ImageClick();
  FPressed = false;
}

void TPlotImage::mouseDoubleClickEvent(QMouseEvent* E) {
  if (E->button() == Qt::LeftButton) FPlot->ImageDblClick();
}

void TPlotImage::leaveEvent(QEvent* E) {
  TBackingControl::leaveEvent(E);
  SetControlCursor(this, crDefault);
}

void TPlotImage::contextMenuEvent(QContextMenuEvent* E) { FPlot->ImageContextMenu(E->globalPos()); }

void TPlotImage::dragEnterEvent(QDragEnterEvent* E) { dragMoveEvent(E); }

void TPlotImage::dragMoveEvent(QDragMoveEvent* E) {
  const TPoint P = ToBacking(E->position());
  if (FPlot->ImageDragOver(E->source(), P.X, P.Y))
    E->acceptProposedAction();
  else
    E->ignore();
}

void TPlotImage::dropEvent(QDropEvent* E) {
  const TPoint P = ToBacking(E->position());
  FPlot->ImageDragDrop(E->source(), P.X, P.Y);
  E->acceptProposedAction();
}

// --- Creation -----------------------------------------------------------------------------------

TPlot::TPlot(QWidget* Owner) : QWidget(Owner) {
  Creating = true;
  RegisterPlotCursors();
  FStatusBar = new TPlotStatusBar(this);
  FStatusBar->setFixedHeight(StatusBarHeight);
  FStatusBar->SetPanels({{QStringLiteral("X=n/a"), 100}, {QStringLiteral("Y=n/a"), 100}, {}});
  FLegendPanel = new QWidget(this);
  FLegendPanel->hide();
  FImage = new TPlotImage(this);
  FImage->setAcceptDrops(true);
  FLegendScrollBar = new QScrollBar(Qt::Vertical, FLegendPanel);
  FLegendScrollBar->setToolTip(QStringLiteral("Scroll legend"));
  connect(FLegendScrollBar, &QScrollBar::valueChanged, this,
          Guarded([this] { LegendScrollChange(); }));
  FRedrawTimer.setSingleShot(true);
  FRedrawTimer.setInterval(LegendRedrawDelay);
  connect(&FRedrawTimer, &QTimer::timeout, this, Guarded([this] { DelayedRedraw(); }));

  FGraph = std::make_unique<TGraph>(FImage->Canvas(), 0, 0, this);
  FGraph->SetPopupMenuItems(1u << piProperties);
  if (QCoreApplication::instance()) SetIniFileName(BasePath() + QStringLiteral(".INI"));

  XAxis = std::make_unique<TPlotAxis>(this, FGraph->XAxis.get());
  YAxis = std::make_unique<TPlotAxis>(this, FGraph->YAxis.get());
  XAxis2 = std::make_unique<TPlotAxis>(this, FGraph->XAxis2.get());
  YAxis2 = std::make_unique<TPlotAxis>(this, FGraph->YAxis2.get());
  XAxis->KeyName = QStringLiteral("XAxis");
  YAxis->KeyName = QStringLiteral("YAxis");
  XAxis2->KeyName = QStringLiteral("XAxis2");
  YAxis2->KeyName = QStringLiteral("YAxis2");
  XAxis2->SetVisible(false);
  YAxis2->SetVisible(false);
  Title = std::make_unique<TPlotTitles>(this, &FGraph->Title);
  Foot = std::make_unique<TPlotTitles>(this, &FGraph->Foot);
  Title->KeyName = QStringLiteral("Title");
  Foot->KeyName = QStringLiteral("Foot");
  Gradient = std::make_unique<TPlotGradient>(this, FGraph->Gradient.get());
  Zoom = std::make_unique<TPlotZoom>(this, &FGraph->Zoom);
  Info = std::make_unique<TPlotInfo>(this, FGraph->Info.get());
  Picture = std::make_unique<TPlotPicture>(this, FGraph->Picture.get());
  Frame = std::make_unique<TPlotFrame>(this, &FGraph->Frame);
  Legend = std::make_unique<TPlotLegend>(this, FGraph->Legend.get());
  ColorLegend = std::make_unique<TPlotColorLegend>(this, FGraph->ColorLegend(0));
  FGraph->ZoomAnimated = false;
  Creating = false;
}

TPlot::~TPlot() {
  FRedrawTimer.stop();
  // The graph's layers may still ask their owner while they go.
  FGraph.reset();
}

// --- Layout and painting ------------------------------------------------------------------------

void TPlot::resizeEvent(QResizeEvent* Event) {
  QWidget::resizeEvent(Event);
  DoResize();
}

void TPlot::LayoutChildren() {
  int Bottom = height();
  if (FStatusBarVisible) {
    FStatusBar->setGeometry(0, Bottom - StatusBarHeight, width(), StatusBarHeight);
    Bottom -= StatusBarHeight;
  }
  // The image keeps the plot's size; the legend's scroll panel lies over its right edge, and the
  // graph keeps its plot clear of it while the panel shows.
  FImage->setGeometry(0, 0, width(), std::max(Bottom, 0));
  const int PanelWidth = FLegendScrollBar->sizeHint().width() + 2;
  FLegendPanel->setGeometry(width() - PanelWidth, 0, PanelWidth, std::max(Bottom, 0));
  FLegendPanel->raise();
  FLegendScrollBar->setGeometry(1, 1, PanelWidth - 2, std::max(FLegendPanel->height() - 2, 0));
}

void TPlot::DoResize() {
  LayoutChildren();
  PaintGraph();
  SetScreenCursor(crDefault);
  if (!AutoApply) SetPopupMenuItems(GetPopupMenuItems());
}

void TPlot::PaintGraph() {
  if (FGraph->Busy) return;
  FImage->Redraw();
}

void TPlot::RepaintIfAutoApply() {
  if (AutoApply) PaintGraph();
}

// --- Published settings -------------------------------------------------------------------------

void TPlot::SetIniFileName(const QString& Value) {
  FIniFileName = Value;
  // The graph's picture layer saves its settings into the same file.
  FGraph->Picture->SettingsFileName = Value;
}

void TPlot::SetColor(TColor Value) {
  if (FGraph->Color == Value) return;
  FGraph->Color = Value;
  RepaintIfAutoApply();
}

void TPlot::SetBackColor(TColor Value) {
  if (FGraph->BackColor == Value) return;
  FGraph->BackColor = Value;
  RepaintIfAutoApply();
}

void TPlot::SetExaggerate(double Value) {
  if (FGraph->Exaggerate == Value) return;
  FGraph->Exaggerate = Value;
  RepaintIfAutoApply();
}

void TPlot::SetClipMarkers(bool Value) {
  // Compared with the stored flag: while bars show, the effective value stays False.
  if (FGraph->ClipMarkers == Value) return;
  FGraph->SetClipMarkers(Value);
  RepaintIfAutoApply();
}

void TPlot::SetStatusBarVisible(bool Value) {
  if (FStatusBarVisible == Value) return;
  FStatusBarVisible = Value;
  FStatusBar->setVisible(Value);
  FStatusBar->update();
  LayoutChildren();
  if (AutoApply) Redraw();
}

void TPlot::SetView3D(double Value) {
  if (GetView3D() == Value) return;
  FGraph->View3D = Value / 200;
  if (Value == 0)
    SetTicks2D();
  else
    SetTicks3D();
  RepaintIfAutoApply();
}

void TPlot::SetStatusBarGrip(bool Value) {
  if (FStatusBar->SizeGrip() == Value) return;
  FStatusBar->SetSizeGrip(Value);
  if (AutoApply) Redraw();
}

void TPlot::SetBarStyle(TBarStyle Value) {
  if (FGraph->BarStyle == Value) return;
  FGraph->BarStyle = Value;
  RepaintIfAutoApply();
}

void TPlot::SetMinimumLogValue(double Value) {
  if (FGraph->MinimumLogValue == Value) return;
  FGraph->MinimumLogValue = Value;
  RepaintIfAutoApply();
}

void TPlot::SetPopupMenuItems(TPopupMenuItems Value) {
  if (PopupMergeCount >= 2) {
    // The menu stays as the merge built it; only the set is kept.
    FGraph->SetPopupMenuItems(Value);
    if (FPopupMenu) FGraph->PopupMenu()->clear();
    return;
  }
  FGraph->SetPopupMenuItems(Value);
  if (PopupMergeCount == 0) {
    PopupMergeCount = 1;
    if (!FPopupMenu) return;
  }
  PopupMergeCount = 2;
  FGraph->CreatePopupMenu();
  QMenu* Own = FGraph->PopupMenu();
  if (!FPopupMenu || AutoApply || Own->actions().isEmpty()) return;
  if (!FPopupMenu->actions().isEmpty()) {
    PopupSeparator = FPopupMenu->addSeparator();
    PopupSeparator->setObjectName(QStringLiteral("miPlotN1"));
  }
  for (QAction* A : Own->actions()) {
    Own->removeAction(A);
    // The plot's menu keeps the command when the graph builds its own menu again.
    A->setParent(FPopupMenu);
    FPopupMenu->addAction(A);
  }
}

// --- The graph's owner --------------------------------------------------------------------------

void TPlot::PictureDrawn() {
  // Every paint of the graph ends here, whoever started it.
  FImage->update();
}

void TPlot::ShowStatus(const QString& Text) { FStatusBar->SetPanelText(2, Text); }

void TPlot::SetStatusPanel(int Index, const QString& Text, int Width) {
  FStatusBar->SetPanelText(Index, Text);
  // The graph measures on its own canvas, in its font and at its resolution; the bar shows the
  // text in the bar's font, so it measures again with the graph's two digits of room.
  if (Width >= 0 && Index < 2)
    FStatusBar->SetPanelWidth(Index, FStatusBar->FitWidth(QStringLiteral("99") + Text));
}

void TPlot::SetCursor(TCursor Cursor) { SetControlCursor(FImage, Cursor); }

void TPlot::ShowHint(const QString& Text) {
  FImage->setToolTip(Text);
  if (Text.isEmpty())
    QToolTip::hideText();
  else
    QToolTip::showText(QCursor::pos(), Text, FImage);
}

void TPlot::ShowPopupMenu(QMenu* Menu, int X, int Y) {
  if (Menu) Menu->popup(FImage->mapToGlobal(FImage->FromBacking(X, Y)));
}

void TPlot::ShowError(const QString& Text) { ::ShowError(Text); }

QString TPlot::FormName() const {
  const QWidget* W = window();
  return W && W != this ? W->objectName() : QString();
}

// --- The image's events -------------------------------------------------------------------------

void TPlot::ImageMouseMove(TShiftState Shift, int X, int Y) {
  FGraph->MouseMove(static_cast<int>(Shift), X, Y);
  // Outlines drawn while dragging went into the image.
  FImage->update();
  if (OnMouseMove) OnMouseMove(Shift, X, Y);
}

void TPlot::ImageMouseDown(TGraphMouseButton Button, TShiftState Shift, int X, int Y) {
  FGraph->MouseDown(Button, static_cast<int>(Shift), X, Y);
  FImage->update();
  if (OnMouseDown) OnMouseDown(Button, Shift, X, Y);
}

void TPlot::ImageMouseUp(TGraphMouseButton Button, TShiftState Shift, int X, int Y) {
  FGraph->MouseUp(Button, static_cast<int>(Shift), X, Y);
  FImage->update();
  if (OnMouseUp) OnMouseUp(Button, Shift, X, Y);
}

void TPlot::ImageClick() {
  if (OnClick) OnClick(this);
}

void TPlot::ImageDblClick() {
  if (OnDblClick) OnDblClick(this);
}

bool TPlot::ImageDragOver(QObject* Source, int X, int Y) {
  bool Accept = static_cast<bool>(OnDragOver);
  if (OnDragOver) OnDragOver(this, Source, X, Y, Accept);
  return Accept;
}

void TPlot::ImageDragDrop(QObject* Source, int X, int Y) {
  if (OnDragDrop) OnDragDrop(this, Source, X, Y);
}

void TPlot::ImageContextMenu(const QPoint& Global) {
  // A menu the graph or a layer opened on the press comes first.
  if (!FPopupMenu || FPopupMenu->actions().isEmpty() || QApplication::activePopupWidget()) return;
  FPopupMenu->popup(Global);
}

// --- Legend scrolling ---------------------------------------------------------------------------

void TPlot::SetLegendScrollRange(int Max, int PageSize) {
  // Asked on every paint: a range that moves the position must not start a scroll of its own.
  const QSignalBlocker Quiet(FLegendScrollBar);
  FLegendScrollBar->setRange(0, std::max(Max, 0));
  FLegendScrollBar->setPageStep(std::max(PageSize, 1));
}

void TPlot::LegendScrollChange() {
  if (!FLegendPanel->isVisibleTo(this)) return;
  // The entries above the position scroll out of the column.
  const int First = FLegendScrollBar->value();
  TWLegend* L = FGraph->Legend.get();
  for (int I = 0; I < L->Count(); ++I) L->Item(I)->SetVisible(I >= First);
  // One timer, restarted by every change: a run of changes repaints once, after the last.
  FRedrawTimer.start();
}

void TPlot::DelayedRedraw() {
  FRedrawTimer.stop();
  DoResize();
}
