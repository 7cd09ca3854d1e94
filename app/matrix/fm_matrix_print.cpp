// Printing of the matrix window: the operation with its three grids, or one kept result. Rows
// that do not fit on the page continue on the next one.
#include <QLineEdit>
#include <QListWidget>
#include <QPrinter>

#include <cstdlib>

#include "app/common/decimal_format.h"
#include "app/matrix/fm_matrix.h"
#include "platform/canvas.h"
#include "platform/canvas_targets.h"
#include "platform/dialogs.h"
#include "platform/number_text.h"
#include "platform/print_job_target.h"
#include "platform/printer.h"
#include "platform/string_grid.h"
#include "plot/ui/print_dialog.h"

namespace {

// Where the next line goes: the left, top and bottom print margins, a line height of twice the
// font's height, and a new page when the next line would cross the bottom margin.
class TPrintCursor {
 public:
  TPrintCursor(TCanvas& Canvas, const TMatrixPage& Page) : FCanvas(Canvas), FPage(Page) {
    const double PixelsPerMM = Page.PixelsPerInch / 25.4;
    X = RoundInt(PrintMargins[0] * PixelsPerMM);
    FTop = Y = RoundInt(PrintMargins[1] * PixelsPerMM);
    W = Page.Width - 2 * X;
    FBottom = Page.Height - RoundInt(PrintMargins[3] * PixelsPerMM);
    Canvas.Font()->SetPixelsPerInch(Page.PixelsPerInch);
    Canvas.Font()->SetSize(10);
    H = 2 * std::abs(Canvas.Font()->Height());
  }

  void Line(const QString& Text) {
    Room();
    FCanvas.TextOut(X, Y, Text);
    Y += H;
  }

  // One row of boxes, each with its text.
  void Row(const QStringList& Cells, int ColumnWidth) {
    Room();
    for (int c = 0; c < Cells.size(); ++c) {
      FCanvas.Rectangle(X + c * ColumnWidth, Y - H / 4, X + (c + 1) * ColumnWidth, Y + H - H / 4);
      FCanvas.TextOut(X + 10 + c * ColumnWidth, Y, Cells[c]);
    }
    Y += H;
  }

  int X = 0, Y = 0, W = 0, H = 0;

 private:
  void Room() {
    if (Y + H > FBottom && Y > FTop && FPage.NewPage) {
      FPage.NewPage();
      Y = FTop;
    }
  }
  TCanvas& FCanvas;
  const TMatrixPage& FPage;
  int FTop = 0, FBottom = 0;
};

void PrintGrid(TPrintCursor& P, const QString& Title, const TStringGrid* G) {
  P.Line(Title);
  const int CW = (P.W - 10) / std::max(G->ColCount(), 1);
  for (int r = 0; r < G->RowCount(); ++r) {
    QStringList Cells;
    for (int c = 0; c < G->ColCount(); ++c) Cells << G->GetCell(c, r);
    P.Row(Cells, CW);
  }
}

}  // namespace

void TfmMatrix::DrawPrintout(TCanvas& Canvas, const TMatrixPage& Page) {
  PixelsPerMM = Page.PixelsPerInch / 25.4;
  TPrintCursor P(Canvas, Page);
  P.Line(edOperation->text());
  PrintGrid(P, edAName->text(), sgA);
  PrintGrid(P, edBName->text(), sgB);
  PrintGrid(P, edCName->text(), sgC);
}

void TfmMatrix::DrawMatrixPrintout(TCanvas& Canvas, const TMatrixPage& Page, const QString& Title,
                                   const MatLib::TMatrix& M) {
  TPrintCursor P(Canvas, Page);
  P.Line(Title);
  const int CW = (P.W - 10) / std::max(M.ColCount(), 1);
  for (int r = 0; r < M.RowCount(); ++r) {
    QStringList Cells;
    for (int c = 0; c < M.ColCount(); ++c) Cells << FormatGeneral7(M.GetElement(r, c));
    P.Row(Cells, CW);
  }
}

bool TfmMatrix::PrintJob(const QString& Title,
                         const std::function<void(TCanvas&, const TMatrixPage&)>& Draw) {
  {
    TPrintDlg Margins;
    Margins.DefaultMargins(QStringLiteral("Read"));
  }
  if (!HasPrinters() && Printer().outputFileName().isEmpty())
    ShowWarning(
        QStringLiteral("No printer is installed. The printout can be written to a PDF file."));
  TPrintJob Job(Title);
  QString Error;
  if (!Job.BeginDoc(&Error)) {
    if (!Error.isEmpty()) ShowError(Error);
    return false;
  }
  {
    TPrintJobTarget Target(Job);
    TCanvas Canvas(&Target);
    TMatrixPage Page{Job.PageWidth(), Job.PageHeight(), Job.PixelsPerInch(),
                     [&Job] { Job.NewPage(); }};
    Draw(Canvas, Page);
  }
  if (!Job.EndDoc(&Error)) {
    ShowError(Error);
    return false;
  }
  return true;
}

void TfmMatrix::Print() {
  PrintJob(QStringLiteral("Matrix"),
           [this](TCanvas& C, const TMatrixPage& P) { DrawPrintout(C, P); });
}

void TfmMatrix::PrintRepositoryItem() {
  const int Index = lbR->currentRow();
  if (Index < 0 || Index >= int(Repository().size())) return;
  const TRepositoryItem& Item = Repository()[size_t(Index)];
  PrintJob(Item.Name, [&Item](TCanvas& C, const TMatrixPage& P) {
    DrawMatrixPrintout(C, P, Item.Name, *Item.Matrix);
  });
}
