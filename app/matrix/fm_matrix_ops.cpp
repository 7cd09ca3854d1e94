// The matrix window's operations: choosing one, its prompts, running it, and the result list.
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <cmath>

#include "app/common/decimal_format.h"
#include "app/common/engine_idle.h"
#include "app/common/engine_text.h"
#include "app/matrix/fm_matrix.h"
#include "app/matrix/fm_mult.h"
#include "app/matrix/frm_view_r.h"
#include "app/matrix/matrices.h"
#include "engine/side_eval.h"
#include "platform/app_services.h"
#include "platform/codepage.h"
#include "platform/controls.h"
#include "platform/cursors.h"
#include "platform/dialogs.h"
#include "platform/flag_guard.h"
#include "platform/string_grid.h"

namespace {

const char* const MsgNoSolution = "No solution for this equations";

// One text of the window (a cell, a prompt's answer), evaluated on the side: what the main window
// keeps in the engine (its text, its error report, its previous result) comes back afterwards.
struct TEvaluation {
  Extended Value = 0;
  bool Ok = false;
  int ErrCode = 0;
};

TEvaluation EvaluateText(TSideEvaluation& Side, const QString& Text) {
  if (!FitsTheEngine(Text)) return {0, false, errSyntax};
  const TSideResult S = Side.Evaluate(ToCp1252(Text));
  return {S.Value, S.Ok, S.Ok ? 0 : S.ErrCode};
}

QString ReplaceArgument(const QString& Func, const QString& Cell) {
  QString Result;
  for (int i = 0; i < Func.size();) {
    if (Func.mid(i, 3) == QLatin1String("(A)")) {
      Result += QLatin1Char('(') + Cell + QLatin1Char(')');
      i += 3;
    } else {
      Result += Func[i++];
    }
  }
  return Result;
}

// Results can be wider than the cells typed by hand; they are shown whole.
void FitColumns(TStringGrid* G) {
  G->resizeColumnsToContents();
  for (int c = 0; c < G->ColCount(); ++c) G->SetColWidth(c, std::max(G->columnWidth(c), 64));
}

bool UsesB(int Code) { return Code == 1 || Code == 2 || Code == 3 || Code == 7; }

}  // namespace

// --- Choosing ----------------------------------------------------------------------------

void TfmMatrix::ClearC() {
  for (int r = 1; r < sgC->RowCount(); ++r)
    for (int c = 1; c < sgC->ColCount(); ++c) sgC->Cells[c][r] = QString();
  FCHasResult = false;
}

void TfmMatrix::ShowPanels(bool WithB) {
  pnA->show();
  pnC->show();
  pnB->setVisible(WithB);
  sbPrint->setEnabled(false);
  sbSave->setEnabled(false);
  if (isVisible()) sgA->setFocus();
  ClearC();
  UpdateButtons();
}

void TfmMatrix::ChooseOperation(int Code) {
  if (Code < 1 || Code > 9 || FRunning || EngineBusy()) return;
  // The prompts work on copies: a cancelled prompt changes nothing.
  if (Code == 5) {
    int N = PowerN;
    if (!AskPower(N)) return;
    PowerN = N;
  } else if (Code == 8) {
    Extended R = ScalarR;
    if (!AskScalar(R)) return;
    ScalarR = R;
  } else if (Code == 9) {
    QString F = FuncText;
    if (!AskFunction(F)) return;
    FuncText = F;
  }
  if (Code == 7) ClearC();
  Operation = Code;
  const bool WithB = Code == 3;
  for (QLineEdit* E : {edARows, edACols})
    if (E->text().isEmpty()) E->setText(QStringLiteral("4"));
  if (WithB)
    for (QLineEdit* E : {edBRows, edBCols})
      if (E->text().isEmpty()) E->setText(QStringLiteral("4"));
  edARowsChange();
  edAColsChange();
  if (WithB) {
    edBRowsChange();
    edBColsChange();
  }
  WriteOperationText(true);
  ShowPanels(UsesB(Code));
}

// --- Prompts ----------------------------------------------------------------------------------

bool TfmMatrix::AskScalar(Extended& R) {
  TfmMult& D = Mult();
  D.Edit1->setText(FormatGeneral7(R));
  for (;;) {
    if (RunMatrixModal(D) != mrOk) return false;
    // The answer is read once the dialog has closed: an evaluation of its own.
    TSideEvaluation Side;
    if (!Side.Started()) return false;
    const TEvaluation E = EvaluateText(Side, D.Edit1->text());
    if (E.Ok) {
      R = E.Value;
      return true;
    }
  }
}

bool TfmMatrix::AskPower(int& N) {
  TfmMult& D = Mult();
  D.Edit1->setText(QString::number(N));
  for (;;) {
    if (RunMatrixModal(D) != mrOk) return false;
    TSideEvaluation Side;
    if (!Side.Started()) return false;
    const TEvaluation E = EvaluateText(Side, D.Edit1->text());
    if (!E.Ok) continue;
    if (E.Value >= 1 && E.Value <= MatLib::MaxPower && E.Value == std::floor(E.Value)) {
      N = int(E.Value);
      return true;
    }
    ShowError(QString::fromLatin1(MatLib::MsgBadPower));
  }
}

bool TfmMatrix::AskFunction(QString& F) {
  TfmMult& D = Mult();
  D.SetCaption(QStringLiteral("Function f(A)"));
  D.Edit1->setText(F.isEmpty() ? QStringLiteral("sin(A)+cos(A)/3") : F);
  for (;;) {
    if (RunMatrixModal(D) != mrOk) return false;
    const QString Text = D.Edit1->text();
    TSideEvaluation Side;
    if (!Side.Started()) return false;
    const TEvaluation E = EvaluateText(Side, ReplaceArgument(Text, QStringLiteral("1")));
    // Errors of values, not of form: the function is fine, 1 is just outside its domain.
    const bool ValueError = (E.ErrCode >= 8 && E.ErrCode <= 13) || E.ErrCode == 24;
    if (E.Ok || ValueError) {
      F = Text;
      return true;
    }
  }
}

// --- Running -----------------------------------------------------------------------------------

std::optional<MatLib::TRealMatrix> TfmMatrix::ReadGrid(TSideEvaluation& Side, TStringGrid* G,
                                                       bool FillEmpty) {
  // The sizes as the run began: the window's controls are locked meanwhile.
  const int Rows = std::max(G->RowCount() - 1, 1), Cols = std::max(G->ColCount() - 1, 1);
  MatLib::TRealMatrix M(Rows, Cols);
  for (int c = 1; c <= Cols; ++c)
    for (int r = 1; r <= Rows; ++r) {
      if (FillEmpty && G->GetCell(c, r).isEmpty()) G->Cells[c][r] = QStringLiteral("0");
      const TEvaluation E = EvaluateText(Side, G->GetCell(c, r));
      if (!E.Ok) {
        FFailedCell = {G, r, c};
        return std::nullopt;
      }
      M.SetElement(r - 1, c - 1, E.Value);
    }
  return M;
}

void TfmMatrix::WriteC(const MatLib::TMatrix& M) {
  {
    TFlagGuard Guard(Updating);
    edCRows->setText(QString::number(M.RowCount()));
    edCCols->setText(QString::number(M.ColCount()));
  }
  sgC->SetRowCount(M.RowCount() + 1);
  sgC->SetColCount(M.ColCount() + 1);
  for (int i = 0; i < M.RowCount(); ++i)
    for (int j = 0; j < M.ColCount(); ++j)
      sgC->Cells[j + 1][i + 1] = FormatGeneral7(M.GetElement(i, j));
  Relabel();
  FitColumns(sgC);
}

QString TfmMatrix::OperationWord() const {
  switch (Operation) {
    case 1:
      return QStringLiteral("Solve");
    case 2:
    case 7:
      return QStringLiteral("Add");
    case 3:
    case 8:
    case 9:
      return QStringLiteral("Mult");
    case 4:
      return QStringLiteral("Inverse");
    case 5:
      return QStringLiteral("Power") + QString::number(PowerN);
    case 6:
      return QStringLiteral("Det");
    default:
      return QString();
  }
}

QString TfmMatrix::RepositoryName(QLineEdit* Name, QLineEdit* Rows, QLineEdit* Cols) const {
  return Name->text() + Rows->text() + Cols->text() + OperationWord();
}

void TfmMatrix::AddToRepository(const QString& Name, std::unique_ptr<MatLib::TMatrix> M) {
  FRepository.push_back({Name, std::move(M)});
  lbR->addItem(Name);
}

void TfmMatrix::Button1Click() {
  if (Operation < 1 || Operation > 9 || FRunning || EngineBusy()) return;
  TFlagGuard Running(FRunning);
  FFailedCell = {};
  {
    const TBusyCursor Cursor;
    const TControlsLock Locked(this);
    TSideEvaluation Side;
    if (!Side.Started()) return;
    RunOperation(Side);
  }
  UpdateButtons();
  // A cell that did not evaluate is shown once the controls take input again.
  if (FFailedCell.Grid) {
    FFailedCell.Grid->setFocus();
    FFailedCell.Grid->setCurrentCell(FFailedCell.Row, FFailedCell.Col);
  }
}

void TfmMatrix::RunOperation(TSideEvaluation& Side) {
  using namespace MatLib;
  auto A = ReadGrid(Side, sgA, true);
  if (!A) return;
  std::optional<TRealMatrix> B;
  if (UsesB(Operation)) {
    B = ReadGrid(Side, sgB, true);
    if (!B) return;
  }

  std::unique_ptr<TMatrix> C;
  switch (Operation) {
    case 1: {
      const int n = A->ColCount();
      if (A->RowCount() != n) throw EMatrixException(MsgNotSquare);
      Matrices::TExtMatrix M;
      Matrices::TExtVector V, X;
      Matrices::AllocMatrix(M, n - 1, n - 1);
      Matrices::AllocVector(V, n - 1);
      for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) M[size_t(i)][size_t(j)] = A->GetElement(i, j);
        V[size_t(i)] = i < B->RowCount() ? B->GetElement(i, 0) : 0;
      }
      const int Result = B->RowCount() == n ? Matrices::GaussJordanSolve(M, V, 0, X, n - 1)
                                            : Matrices::SolveSingular;
      if (Result != Matrices::SolveOk) {
        for (int r = 1; r < sgC->RowCount(); ++r) sgC->Cells[1][r] = QString();
        FCHasResult = false;
        UpdateButtons();
        MessageDlg(
            QString::fromLatin1(Result == Matrices::SolveNotFinite ? MsgOverflow : MsgNoSolution),
            mtError, mbOK);
        return;
      }
      C = std::make_unique<TRealMatrix>(n, 1);
      for (int i = 0; i < n; ++i) C->SetElement(i, 0, X[size_t(i)]);
      break;
    }
    case 2:
      C = Sum(*A, *B);
      break;
    case 7:
      C = Sum(*A, *Scaled(*B, -1));
      break;
    case 3:
      C = Product(*A, *B);
      break;
    case 4:
      C = A->Inverse();
      break;
    case 5:
      C = PowerOf(*A, PowerN);
      break;
    case 6: {
      const int n = A->ColCount();
      if (A->RowCount() != n) throw EMatrixException(MsgNotSquare);
      Matrices::TExtMatrix M;
      Matrices::AllocMatrix(M, n - 1, n - 1);
      for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) M[size_t(i)][size_t(j)] = A->GetElement(i, j);
      const Extended Det = Matrices::Determinant(M, 0, n - 1);
      if (!std::isfinite(Det)) throw EMatrixException(MsgOverflow);
      C = std::make_unique<TRealMatrix>(1, 1);
      C->SetElement(0, 0, Det);
      break;
    }
    case 8:
      C = Scaled(*A, ScalarR);
      break;
    case 9: {
      // Each cell on its own: a cell outside the function's domain says "Error" and the others
      // are still computed. The list keeps the values, so a failed cell keeps C out of it.
      C = std::make_unique<TRealMatrix>(A->RowCount(), A->ColCount());
      bool AllOk = true;
      {
        TFlagGuard Guard(Updating);
        edCRows->setText(QString::number(A->RowCount()));
        edCCols->setText(QString::number(A->ColCount()));
      }
      sgC->SetRowCount(A->RowCount() + 1);
      sgC->SetColCount(A->ColCount() + 1);
      for (int c = 1; c <= A->ColCount(); ++c)
        for (int r = 1; r <= A->RowCount(); ++r) {
          const TEvaluation E = EvaluateText(Side, ReplaceArgument(FuncText, sgA->GetCell(c, r)));
          if (E.Ok) {
            sgC->Cells[c][r] = FormatDecimal(E.Value);
            C->SetElement(r - 1, c - 1, E.Value);
          } else {
            sgC->Cells[c][r] = QStringLiteral("Error");
            AllOk = false;
          }
        }
      Relabel();
      FitColumns(sgC);
      AddToRepository(RepositoryName(edAName, edARows, edACols), A->Copy());
      if (AllOk) AddToRepository(RepositoryName(edCName, edCRows, edCCols), std::move(C));
      FCHasResult = AllOk;
      sbPrint->setEnabled(true);
      sbSave->setEnabled(true);
      UpdateButtons();
      return;
    }
  }

  WriteC(*C);
  AddToRepository(RepositoryName(edAName, edARows, edACols), A->Copy());
  if (B) AddToRepository(RepositoryName(edBName, edBRows, edBCols), B->Copy());
  AddToRepository(RepositoryName(edCName, edCRows, edCCols), std::move(C));
  FCHasResult = true;
  sbPrint->setEnabled(true);
  sbSave->setEnabled(true);
  UpdateButtons();
}

// --- The result list ----------------------------------------------------------------------------

void TfmMatrix::RepositoryToGrid(TStringGrid* G) {
  const int Index = lbR->currentRow();
  if (Index < 0 || Index >= int(FRepository.size())) return;
  const MatLib::TMatrix& M = *FRepository[size_t(Index)].Matrix;
  const int Rows = std::min(M.RowCount(), G->RowCount() - 1);
  const int Cols = std::min(M.ColCount(), G->ColCount() - 1);
  for (int i = 0; i < Rows; ++i)
    for (int j = 0; j < Cols; ++j) G->Cells[j + 1][i + 1] = FormatGeneral7(M.GetElement(i, j));
}

void TfmMatrix::ViewRepositoryItem() {
  const int Index = lbR->currentRow();
  if (Index < 0 || Index >= int(FRepository.size())) return;
  ViewR().ShowMatrix(*FRepository[size_t(Index)].Matrix);
}
