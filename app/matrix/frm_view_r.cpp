#include "app/matrix/frm_view_r.h"

#include <QVBoxLayout>

#include "app/common/decimal_format.h"
#include "app/matrix/fm_mult.h"
#include "platform/string_grid.h"

TfrmViewR* frmViewR = nullptr;

TfrmViewR::TfrmViewR(QWidget* Owner) : TForm(Owner) {
  setObjectName(QStringLiteral("frmViewR"));
  setWindowTitle(QStringLiteral("View matrix"));
  auto* Layout = new QVBoxLayout(this);
  sgA = new TStringGrid(this);
  sgA->setObjectName(QStringLiteral("sgA"));
  sgA->SetDefaultColWidth(40);
  sgA->SetDefaultRowHeight(18);
  Layout->addWidget(sgA);
  resize(420, 300);
  DoCreate();
}

void TfrmViewR::LoadMatrix(const MatLib::TMatrix& M) {
  sgA->ClearCells();
  sgA->SetRowCount(M.RowCount() + 1);
  sgA->SetColCount(M.ColCount() + 1);
  for (int i = 1; i <= M.RowCount(); ++i)
    for (int j = 1; j <= M.ColCount(); ++j)
      sgA->Cells[j][i] = FormatGeneral7(M.GetElement(i - 1, j - 1));
  for (int i = 1; i <= M.RowCount(); ++i) sgA->Cells[0][i] = QStringLiteral("R([%1,J]").arg(i);
  for (int j = 1; j <= M.ColCount(); ++j) sgA->Cells[j][0] = QStringLiteral("R([I,%1]").arg(j);
  sgA->resizeColumnsToContents();
}

void TfrmViewR::ShowMatrix(const MatLib::TMatrix& M) {
  LoadMatrix(M);
  RunMatrixModal(*this);
}
