#pragma once
// The "Print Preview" of a plot: the page the print dialog prints, scaled to the window, with
// four margin lines to drag (or the whole graph area), printing and the printer setup.
#include <QWidget>

#include <memory>

#include "platform/bitmap.h"
#include "platform/form.h"
#include "plot/ui/graph_figs.h"
#include "plot/ui/print_page.h"

class QPushButton;
class TPlot;
class TPrintDlg;
class TPreView;

// A margin line on the preview's page image, drawn grey in NOT-XOR so that drawing it twice
// takes it away.
class TMarginLine : public TFig {
 public:
  TMarginLine(TGraph* AGraph, TBitmap* APage) : TFig(AGraph), Page(APage) {}
  int Position = 0;
  bool Dragging = false;
  TBitmap* Page;

  virtual void Paint() = 0;
  void StartDrag(int X, int Y);
  bool MouseDown(int X, int Y) override;
  void EndDrag(int X, int Y) override;

 protected:
  // Keeps the line on the page while it is dragged.
  void Move(int Delta, int Extent);
  void PaintLine(int X1, int Y1, int X2, int Y2);
};

class THorLine : public TMarginLine {
 public:
  using TMarginLine::TMarginLine;
  QString ClassName() const override { return QStringLiteral("THorLine"); }
  void Paint() override;
  bool HitTest(int X, int Y) override;
  void MouseDrag(int X, int Y) override;
};

class TVertLine : public TMarginLine {
 public:
  using TMarginLine::TMarginLine;
  QString ClassName() const override { return QStringLiteral("TVertLine"); }
  void Paint() override;
  bool HitTest(int X, int Y) override;
  void MouseDrag(int X, int Y) override;
};

// The page image; mouse positions go to the form in image pixels.
class TPreviewImage : public QWidget {
 public:
  TPreviewImage(TPreView* Form, QWidget* Parent);

 protected:
  void paintEvent(QPaintEvent* Event) override;
  void mousePressEvent(QMouseEvent* Event) override;
  void mouseMoveEvent(QMouseEvent* Event) override;
  void mouseReleaseEvent(QMouseEvent* Event) override;

 private:
  TPoint ImagePoint(const QPointF& P) const;
  TPreView* FForm;
};

class TPreView : public TForm {
  Q_OBJECT
 public:
  explicit TPreView(QWidget* Owner = nullptr);
  ~TPreView() override;

  // Shows the page maximised and modal; true when it was printed from here.
  bool Execute(TPlot* Plot, TPrintDlg* Dialog);
  // What Execute does before the modal run.
  void Prepare(TPlot* Plot, TPrintDlg* Dialog);

  // The scale from the panel's size, the image's size and place.
  void LayoutPage();
  // The page at the scale, the lines at the margins.
  void DrawPage();
  // Margins from the lines' positions, held inside the page; then the page again.
  void MarginsFromLines(bool WholeArea);

  void ImageMouseDown(int X, int Y);
  void ImageMouseMove(int X, int Y);
  void ImageMouseUp(int X, int Y);
  void PrintClick();
  void SetupClick();

  double PreviewScale = 1;
  double PixelsPerMM = 1;
  bool LinesDragging = false;
  TPageLayout Layout;
  TBitmap Page;
  std::unique_ptr<THorLine> TopLine, BottomLine;
  std::unique_ptr<TVertLine> LeftLine, RightLine;

  QWidget* Panel = nullptr;
  TPreviewImage* Image = nullptr;
  QPushButton *btnPrint = nullptr, *btnMargins = nullptr, *btnClose = nullptr, *HelpBtn = nullptr;

 protected:
  void FormCreate() override;
  bool eventFilter(QObject* Watched, QEvent* Event) override;

 private:
  TMarginLine* Lines(int I) const;
  bool InGraphArea(int X, int Y) const;
  // The mouse point held where the whole area still fits on the page.
  TPoint AreaPoint(int X, int Y) const;
  TPlot* FPlot = nullptr;
  TPrintDlg* FDialog = nullptr;
  bool FMovingArea = false;
  // Where the area was grabbed, and how far it may go each way from there.
  TPoint FAreaFrom;
  TRect FAreaRoom;
};
