#include "plot/ui/print_preview.h"

#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

#include "platform/app_services.h"
#include "platform/canvas.h"
#include "platform/cursors.h"
#include "platform/number_text.h"
#include "platform/printer_settings.h"
#include "plot/ui/plot.h"
#include "plot/ui/print_dialog.h"

namespace {
constexpr int GrabDistance = 5;
constexpr TColor LineColor = 0x808080;
constexpr TCursor crMoveIt = 101;
constexpr int HelpContext = 1024;

// Moves A and B back onto the page together, so that an area dragged past an edge keeps its
// size.
void ShiftInside(int& A, int& B) {
  if (A < 0) B += A, A = 0;
  if (B < 0) A += B, B = 0;
}
}  // namespace

// --- Margin lines -------------------------------------------------------------------------------

void TMarginLine::StartDrag(int X, int Y) {
  LastX = X;
  LastY = Y;
  HitPart = 0;
  Dragging = true;
}

bool TMarginLine::MouseDown(int X, int Y) {
  Dragging = false;
  LastX = X;
  LastY = Y;
  const bool Hit = HitTest(X, Y);
  if (Hit) StartDrag(X, Y);
  return Hit;
}

void TMarginLine::EndDrag(int X, int Y) {
  MouseDrag(X, Y);
  Dragging = false;
  HitPart = -1;
}

void TMarginLine::Move(int Delta, int Extent) {
  Position = std::clamp(Position + Delta, 0, Extent);
}

void TMarginLine::PaintLine(int X1, int Y1, int X2, int Y2) {
  TCanvas* C = Page->Canvas();
  TPen* P = C->Pen();
  const TColor OldColor = P->Color();
  const TPenMode OldMode = P->Mode();
  P->SetColor(LineColor);
  P->SetMode(pmNotXor);
  C->MoveTo(X1, Y1);
  C->LineTo(X2, Y2);
  P->SetColor(OldColor);
  P->SetMode(OldMode);
}

void THorLine::Paint() { PaintLine(0, Position, Page->Width(), Position); }
bool THorLine::HitTest(int, int Y) { return std::abs(Y - Position) < GrabDistance; }
void THorLine::MouseDrag(int X, int Y) {
  if (!Dragging) return;
  Paint();
  Move(Y - LastY, Page->Height() - 1);
  Paint();
  LastX = X;
  LastY = Y;
}

void TVertLine::Paint() { PaintLine(Position, 0, Position, Page->Height()); }
bool TVertLine::HitTest(int X, int) { return std::abs(X - Position) < GrabDistance; }
void TVertLine::MouseDrag(int X, int Y) {
  if (!Dragging) return;
  Paint();
  Move(X - LastX, Page->Width() - 1);
  Paint();
  LastX = X;
  LastY = Y;
}

// --- Image --------------------------------------------------------------------------------------

TPreviewImage::TPreviewImage(TPreView* Form, QWidget* Parent) : QWidget(Parent), FForm(Form) {
  setObjectName(QStringLiteral("Image"));
  setMouseTracking(true);
}

TPoint TPreviewImage::ImagePoint(const QPointF& P) const {
  const double R = devicePixelRatioF();
  return {RoundInt(P.x() * R), RoundInt(P.y() * R)};
}

void TPreviewImage::paintEvent(QPaintEvent*) {
  QPainter P(this);
  QImage I = FForm->Page.Image();
  I.setDevicePixelRatio(devicePixelRatioF());
  P.drawImage(0, 0, I);
}

void TPreviewImage::mousePressEvent(QMouseEvent* Event) {
  if (Event->button() != Qt::LeftButton) return;
  const TPoint P = ImagePoint(Event->position());
  RunGuarded([&] { FForm->ImageMouseDown(P.X, P.Y); });
}

void TPreviewImage::mouseMoveEvent(QMouseEvent* Event) {
  const TPoint P = ImagePoint(Event->position());
  RunGuarded([&] { FForm->ImageMouseMove(P.X, P.Y); });
}

void TPreviewImage::mouseReleaseEvent(QMouseEvent* Event) {
  if (Event->button() != Qt::LeftButton) return;
  const TPoint P = ImagePoint(Event->position());
  RunGuarded([&] { FForm->ImageMouseUp(P.X, P.Y); });
}

// --- Form ---------------------------------------------------------------------------------------

TPreView::TPreView(QWidget* Owner) : TForm(Owner) {
  setObjectName(QStringLiteral("PreView"));
  SetBorderStyle(bsSizeable);
}

TPreView::~TPreView() = default;

bool TPreView::InGraphArea(int X, int Y) const {
  const TRect R = Layout.GraphRect();
  return X >= R.Left && X < R.Right && Y >= R.Top && Y < R.Bottom;
}

TPoint TPreView::AreaPoint(int X, int Y) const {
  if (!FMovingArea) return {X, Y};
  // Each line alone would stop at the edge while the others went on, squashing the graph.
  const auto Hold = [](int D, int Least, int Most) {
    return std::clamp(D, Least, std::max(Least, Most));
  };
  return {FAreaFrom.X + Hold(X - FAreaFrom.X, FAreaRoom.Left, FAreaRoom.Right),
          FAreaFrom.Y + Hold(Y - FAreaFrom.Y, FAreaRoom.Top, FAreaRoom.Bottom)};
}

TMarginLine* TPreView::Lines(int I) const {
  TMarginLine* const L[4] = {TopLine.get(), BottomLine.get(), LeftLine.get(), RightLine.get()};
  return L[I];
}

void TPreView::FormCreate() {
  setWindowTitle(QStringLiteral("Print Preview"));
  auto* Main = new QVBoxLayout(this);
  auto* Buttons = new QHBoxLayout;
  const auto Button = [&](QPushButton*& B, const char* Name, const char* Caption) {
    B = AddFormButton(this, Buttons, Name, Caption);
  };
  Button(btnPrint, "btnPrint", "&Print");
  Button(btnMargins, "btnMargins", "Printer &Setup");
  Button(btnClose, "btnClose", "E&xit");
  Button(HelpBtn, "HelpBtn", "&Help");
  Buttons->addStretch(1);
  btnPrint->setDefault(true);
  SetButtonModalResult(btnClose, mrCancel);
  connect(btnPrint, &QPushButton::clicked, this, Guarded([this] { PrintClick(); }));
  connect(btnMargins, &QPushButton::clicked, this, Guarded([this] { SetupClick(); }));
  connect(HelpBtn, &QPushButton::clicked, this, Guarded([] { ShowHelpContext(HelpContext); }));
  Main->addLayout(Buttons);
  Panel = new QWidget(this);
  Panel->setObjectName(QStringLiteral("Panel"));
  Panel->setAutoFillBackground(true);
  Main->addWidget(Panel, 1);
  Image = new TPreviewImage(this, Panel);
  Panel->installEventFilter(this);
}

void TPreView::Prepare(TPlot* Plot, TPrintDlg* Dialog) {
  DoCreate();
  FPlot = Plot;
  FDialog = Dialog;
  if (FDialog) FDialog->DefaultMargins(QStringLiteral("Read"));
  TGraph* G = Plot ? Plot->Graph() : nullptr;
  TopLine = std::make_unique<THorLine>(G, &Page);
  BottomLine = std::make_unique<THorLine>(G, &Page);
  LeftLine = std::make_unique<TVertLine>(G, &Page);
  RightLine = std::make_unique<TVertLine>(G, &Page);
  LinesDragging = false;
}

bool TPreView::Execute(TPlot* Plot, TPrintDlg* Dialog) {
  Prepare(Plot, Dialog);
  // Where no window manager maximises, the form takes the screen's free area itself.
  if (QScreen* Screen = screen()) setGeometry(Screen->availableGeometry());
  setWindowState(windowState() | Qt::WindowMaximized);
  const bool Printed = ShowModal() == mrOk;
  TopLine.reset();
  BottomLine.reset();
  LeftLine.reset();
  RightLine.reset();
  return Printed;
}

bool TPreView::eventFilter(QObject* Watched, QEvent* Event) {
  // The page follows the panel's size, which the form's layout sets after the form's own resize.
  if (Watched == Panel && Event->type() == QEvent::Resize && TopLine)
    RunGuarded([this] {
      LayoutPage();
      DrawPage();
    });
  return TForm::eventFilter(Watched, Event);
}

void TPreView::LayoutPage() {
  const double R = Panel->devicePixelRatioF();
  // A panel without room still gets a page of a pixel, never a division by zero.
  const double ClientW = std::max(Panel->width() * R, 1.0);
  const double ClientH = std::max(Panel->height() * R, 1.0);
  const double PageW = std::max(PrinterPageWidth(), 1), PageH = std::max(PrinterPageHeight(), 1);
  const double S = std::max(PageW / ClientW, PageH / ClientH) * 1.07;
  PreviewScale = 1 / S;
  const int W = std::max(RoundInt(PageW / S), 1), H = std::max(RoundInt(PageH / S), 1);
  Page.SetSize(W, H);
  const int LW = RoundInt(W / R), LH = RoundInt(H / R);
  Image->setGeometry((Panel->width() - LW) / 2, (Panel->height() - LH) / 2, LW, LH);
}

void TPreView::DrawPage() {
  TBusyCursor Busy;
  const int Ppi = std::max(PrinterPixelsPerInch(), 1);
  PixelsPerMM = Ppi / 25.4;
  // Fonts in points take on the page image what they take on paper, at the preview's scale.
  Page.SetPixelsPerInch(std::max(RoundInt(Ppi * PreviewScale), 1));
  TCanvas& C = *Page.Canvas();
  const TPageContent Content = FDialog ? FDialog->PageContent() : TPageContent{};
  C.Brush()->SetStyle(bsSolid);
  C.Brush()->SetColor(clWhite);
  C.Pen()->SetMode(pmCopy);
  C.Pen()->SetStyle(psSolid);
  C.Pen()->SetWidth(1);
  C.Pen()->SetColor(Content.Borders ? clBlack : clWhite);
  C.Rectangle(0, 0, Page.Width(), Page.Height());
  Layout = PageLayout(PrinterPageWidth(), PrinterPageHeight(), Ppi, PrintMargins, PreviewScale,
                      Content.Blocks());
  if (TopLine) {
    TopLine->Position = Layout.Top;
    LeftLine->Position = Layout.Left;
    RightLine->Position = Layout.Right;
    BottomLine->Position = Layout.Bottom;
  }
  if (FPlot) DrawPrintPage(C, *FPlot->Graph(), Layout, Content);
  C.Pen()->SetWidth(1);
  if (Image) Image->update();
}

void TPreView::MarginsFromLines(bool WholeArea) {
  const double P = PreviewScale * PixelsPerMM;
  if (P <= 0) return;
  std::array<int, 4> M = {RoundInt(LeftLine->Position / P), RoundInt(TopLine->Position / P),
                          RoundInt((Page.Width() - RightLine->Position) / P),
                          RoundInt((Page.Height() - BottomLine->Position) / P)};
  if (WholeArea) {
    // The graph keeps its size in millimetres, whatever the rounding of the far lines.
    M[2] = PrintMargins[0] + PrintMargins[2] - M[0];
    M[3] = PrintMargins[1] + PrintMargins[3] - M[1];
    ShiftInside(M[0], M[2]);
    ShiftInside(M[1], M[3]);
  }
  const double Ppi = std::max(PrinterPixelsPerInch(), 1);
  PrintMargins = HeldMargins(M, PrinterPageWidth() * 25.4 / Ppi, PrinterPageHeight() * 25.4 / Ppi);
  DrawPage();
}

void TPreView::ImageMouseDown(int X, int Y) {
  if (!TopLine) return;
  LinesDragging = false;
  FMovingArea = false;
  for (int I = 0; I < 4; ++I)
    if (Lines(I)->MouseDown(X, Y)) {
      Lines(I)->Paint();
      LinesDragging = true;
    }
  if (!LinesDragging && InGraphArea(X, Y)) {
    for (int I = 0; I < 4; ++I) {
      Lines(I)->StartDrag(X, Y);
      Lines(I)->Paint();
    }
    LinesDragging = true;
    FMovingArea = true;
    FAreaFrom = {X, Y};
    FAreaRoom = {-LeftLine->Position, -TopLine->Position, Page.Width() - 1 - RightLine->Position,
                 Page.Height() - 1 - BottomLine->Position};
  }
  Image->update();
}

void TPreView::ImageMouseMove(int X, int Y) {
  if (!TopLine) return;
  if (PrinterBusy()) {
    SetControlCursor(Image, crHourGlass);
    return;
  }
  if (LinesDragging) {
    const TPoint A = AreaPoint(X, Y);
    for (int I = 0; I < 4; ++I) Lines(I)->MouseDrag(A.X, A.Y);
    Image->update();
    return;
  }
  const bool T = TopLine->HitTest(X, Y), B = BottomLine->HitTest(X, Y);
  const bool L = LeftLine->HitTest(X, Y), R = RightLine->HitTest(X, Y);
  TCursor Cursor = crDefault;
  if ((T && L) || (B && R))
    Cursor = crSizeNWSE;
  else if ((T && R) || (B && L))
    Cursor = crSizeNESW;
  else if (T || B)
    Cursor = crSizeNS;
  else if (L || R)
    Cursor = crSizeWE;
  else if (InGraphArea(X, Y))
    Cursor = crMoveIt;
  SetControlCursor(Image, Cursor);
}

void TPreView::ImageMouseUp(int X, int Y) {
  if (!LinesDragging || !TopLine) return;
  const TPoint A = AreaPoint(X, Y);
  for (int I = 0; I < 4; ++I)
    if (Lines(I)->Dragging) Lines(I)->EndDrag(A.X, A.Y);
  LinesDragging = false;
  MarginsFromLines(FMovingArea);
  FMovingArea = false;
}

void TPreView::PrintClick() {
  if (!FDialog) return;
  TBusyCursor Busy;
  if (FDialog->PrintPage()) SetModalResult(mrOk);
}

void TPreView::SetupClick() {
  if (!FDialog) return;
  FDialog->PrinterSetupClick();
  LayoutPage();
  DrawPage();
}
