#include "app/matrix/fm_matrix.h"

#include <QAbstractItemDelegate>
#include <QClipboard>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

#include "app/common/decimal_format.h"
#include "app/common/dm.h"
#include "app/common/engine_idle.h"
#include "app/common/engine_text.h"
#include "app/matrix/fm_mult.h"
#include "app/matrix/frm_view_r.h"
#include "platform/app_services.h"
#include "platform/clipboard.h"
#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/flag_guard.h"
#include "platform/string_grid.h"
#include "platform/text_file.h"

TfmMatrix* fmMatrix = nullptr;

namespace {

int DataRows(const TStringGrid* G) { return G->RowCount() - 1; }
int DataCols(const TStringGrid* G) { return G->ColCount() - 1; }

void SetDataSize(TStringGrid* G, int Rows, int Cols) {
  G->SetRowCount(Rows + 1);
  G->SetColCount(Cols + 1);
}

}  // namespace

TfmMatrix::TfmMatrix(QWidget* Owner) : TForm(Owner) {
  setObjectName(QStringLiteral("fmMatrix"));
  setWindowTitle(QStringLiteral("Matrix"));
  BuildControls();
  using Validates::TIntValidate;
  SizeValidators[0] = std::make_unique<TIntValidate>(1, 100, edARows, this, QString(),
                                                     [this](QLineEdit*) { edARowsChange(); });
  SizeValidators[1] = std::make_unique<TIntValidate>(1, 100, edACols, this, QString(),
                                                     [this](QLineEdit*) { edAColsChange(); });
  SizeValidators[2] = std::make_unique<TIntValidate>(1, 100, edBRows, this, QString(),
                                                     [this](QLineEdit*) { edBRowsChange(); });
  SizeValidators[3] = std::make_unique<TIntValidate>(1, 100, edBCols, this, QString(),
                                                     [this](QLineEdit*) { edBColsChange(); });
  PowerN = 2;
  Relabel();
  UpdateButtons();
  HoldWholeTexts(this);
  DoCreate();
}

TfmMatrix::~TfmMatrix() {
  // The validators unhook from fields that are about to go.
  for (auto& V : SizeValidators) V.reset();
}

void TfmMatrix::SetCompanions(TfmMult* Mult, TfrmViewR* ViewR) {
  FMult = Mult;
  FViewR = ViewR;
}

TfmMult& TfmMatrix::Mult() {
  if (FMult) return *FMult;
  if (!FOwnMult) FOwnMult = std::make_unique<TfmMult>(this);
  return *FOwnMult;
}

TfrmViewR& TfmMatrix::ViewR() {
  if (FViewR) return *FViewR;
  if (!FOwnViewR) FOwnViewR = std::make_unique<TfrmViewR>(this);
  return *FOwnViewR;
}

// --- Layout --------------------------------------------------------------------------

TSpeedButton* TfmMatrix::MakeButton(const QString& Caption, const QString& Hint) {
  auto* B = new TSpeedButton(this);
  B->SetCaption(Caption);
  if (!Hint.isEmpty()) B->SetHint(Hint);
  return B;
}

QWidget* TfmMatrix::BuildOperandPanel(const QString& Title, QLineEdit*& Name, QLineEdit*& Rows,
                                      QLineEdit*& Cols, QLineEdit** Value, TStringGrid*& Grid) {
  auto* Panel = new QWidget(this);
  auto* V = new QVBoxLayout(Panel);
  V->setContentsMargins(2, 2, 2, 2);
  auto* Fields = new QGridLayout;
  auto Edit = [Panel](const QString& ObjectName, const QString& Text, int Width) {
    auto* E = new QLineEdit(Text, Panel);
    E->setObjectName(ObjectName);
    E->setMaximumWidth(Width);
    return E;
  };
  Name = Edit(QStringLiteral("ed%1Name").arg(Title), Title, 60);
  Rows = Edit(QStringLiteral("ed%1Rows").arg(Title), QString(), 48);
  Cols = Edit(QStringLiteral("ed%1Cols").arg(Title), QString(), 48);
  Fields->addWidget(new QLabel(QStringLiteral("Name"), Panel), 0, 0);
  Fields->addWidget(Name, 1, 0);
  Fields->addWidget(new QLabel(QStringLiteral("Rows"), Panel), 0, 1);
  Fields->addWidget(Rows, 1, 1);
  Fields->addWidget(new QLabel(QStringLiteral("Columns"), Panel), 0, 2);
  Fields->addWidget(Cols, 1, 2);
  if (Value) {
    *Value = Edit(QStringLiteral("ed%1Value").arg(Title), QStringLiteral("0"), 90);
    (*Value)->setToolTip(QStringLiteral("Enter fills every cell with this value"));
    Fields->addWidget(new QLabel(QStringLiteral("Fill"), Panel), 0, 3);
    Fields->addWidget(*Value, 1, 3);
  }
  Fields->setColumnStretch(4, 1);
  V->addLayout(Fields);
  Grid = new TStringGrid(Panel);
  Grid->setObjectName(QStringLiteral("sg%1").arg(Title));
  Grid->SetDefaultColWidth(64);
  Grid->SetDefaultRowHeight(22);
  Grid->setMinimumSize(200, 140);
  V->addWidget(Grid, 1);
  Panel->hide();
  return Panel;
}

void TfmMatrix::BuildControls() {
  auto* Main = new QVBoxLayout(this);

  auto* Panel2 = new QHBoxLayout;
  sbPasteToA =
      MakeButton(QStringLiteral("Paste A"), QStringLiteral("Paste from clipboard to matrix A"));
  sbPasteToB =
      MakeButton(QStringLiteral("Paste B"), QStringLiteral("Paste from clipboard to matrix B"));
  sbAtoClip = MakeButton(QStringLiteral("A>Clip"), QStringLiteral("Copy matrix A to clipboard"));
  sbBtoClip = MakeButton(QStringLiteral("B>Clip"), QStringLiteral("Copy matrix B to clipboard"));
  sbCtoClip = MakeButton(QStringLiteral("C>Clip"), QStringLiteral("Copy matrix C to clipboard"));
  sbPrint = MakeButton(QStringLiteral("Print"), QString());
  sbSave = MakeButton(QStringLiteral("Save"), QStringLiteral("Svae to text file"));
  sbOpen = MakeButton(QStringLiteral("Save as"), QStringLiteral("Svae to text file"));
  sbCtoA = MakeButton(QStringLiteral("C>A"), QStringLiteral("Copy Matrix C to A"));
  sbCtoB = MakeButton(QStringLiteral("C>B"), QStringLiteral("Copy Matrix C to B"));
  sbAtoB = MakeButton(QStringLiteral("A>B"), QStringLiteral("Copy Matrix A to B"));
  sbBtoA = MakeButton(QStringLiteral("B>A"), QStringLiteral("Copy Matrix B to A"));
  for (TSpeedButton* B : {sbPasteToA, sbPasteToB, sbAtoClip, sbBtoClip, sbCtoClip, sbPrint, sbSave,
                          sbOpen, sbCtoA, sbCtoB, sbAtoB, sbBtoA})
    Panel2->addWidget(B);
  Panel2->addStretch();
  Main->addLayout(Panel2);

  // The edit bar stands under the operation buttons, where the column has room: in the toolbar's
  // row it made the window wider than a screen at large scale factors.
  auto* Panel10 = new QGridLayout;
  Panel10->setSpacing(2);
  sbAddRow = MakeButton(QStringLiteral("+Row"), QStringLiteral("Add New Row <Alt-Insert>"));
  sbDelRow = MakeButton(QStringLiteral("-Row"), QStringLiteral("Delete Row"));
  sbAddCol = MakeButton(QStringLiteral("+Col"), QStringLiteral("Add Column <Ctrl-Insert>"));
  sbDelCol = MakeButton(QStringLiteral("-Col"), QString());
  sbASwap = MakeButton(QStringLiteral("Swap"), QStringLiteral("Swap Rows/Columns"));
  SpeedButton1 = MakeButton(QStringLiteral("?"), QStringLiteral("Help"));
  int Place = 0;
  for (TSpeedButton* B : {sbAddRow, sbDelRow, sbAddCol, sbDelCol, sbASwap, SpeedButton1}) {
    Panel10->addWidget(B, Place / 2, Place % 2);
    ++Place;
  }

  auto* Body = new QHBoxLayout;
  auto* Ops = new QVBoxLayout;
  auto Op = [this, Ops](const QString& Caption, const QString& Hint) {
    auto* B = new QPushButton(Caption, this);
    B->setToolTip(Hint);
    // Enter belongs to the fields and cells; as the window's default button, the first
    // operation button took it too and switched to Solve.
    B->setAutoDefault(false);
    Ops->addWidget(B);
    return B;
  };
  Solve = Op(QStringLiteral("Solve A(X)=B"), QStringLiteral("A[i,1]*X[1]+...+A[i,n]*X[n]=B[i]"));
  btAAddB = Op(QStringLiteral("A&+B=C"), QStringLiteral("Add A(n,m) to B(n,m) result C[n,m]"));
  btASubsB = Op(QStringLiteral("A&-B=C"), QStringLiteral("A(n,m) subtract B(n,m) result C[n,m]"));
  btAMultB = Op(QStringLiteral("A*B=C"), QStringLiteral("Multiply A(n,m) by B(m,n)"));
  btInverse = Op(QStringLiteral("&Inerse(A)=C"), QStringLiteral("Inverse A[n,n]=C[n,n]"));
  ptPowerA = Op(QStringLiteral("Power(A,n)=C"), QStringLiteral("Power A(m,m) by n"));
  btDeterminant = Op(QStringLiteral("det |A|=C[1,1]"), QStringLiteral("Determinant Matrix A"));
  sbMultArA = Op(QStringLiteral("r*A=C"), QStringLiteral("Scale prodact r*A result C"));
  Button2 = Op(QStringLiteral("f(Aij)=Cij"), QStringLiteral("Scale prodact r*A"));
  Ops->addSpacing(8);
  Button1 = Op(QStringLiteral("="), QString());
  Ops->addSpacing(8);
  Ops->addLayout(Panel10);
  Ops->addStretch();
  Body->addLayout(Ops);

  auto* Grids = new QVBoxLayout;
  auto* Operands = new QHBoxLayout;
  pnA = BuildOperandPanel(QStringLiteral("A"), edAName, edARows, edACols, &edAValue, sgA);
  pnB = BuildOperandPanel(QStringLiteral("B"), edBName, edBRows, edBCols, &edBValue, sgB);
  Operands->addWidget(pnA, 1);
  Operands->addWidget(pnB, 1);
  Grids->addLayout(Operands, 1);
  pnC = BuildOperandPanel(QStringLiteral("C"), edCName, edCRows, edCCols, nullptr, sgC);
  edCRows->setReadOnly(true);
  edCCols->setReadOnly(true);
  Grids->addWidget(pnC, 1);
  edOperation = new QLineEdit(this);
  edOperation->setObjectName(QStringLiteral("edOperation"));
  edOperation->setReadOnly(true);
  Grids->addWidget(edOperation);
  Body->addLayout(Grids, 1);

  auto* Rep = new QVBoxLayout;
  lbR = new QListWidget(this);
  lbR->setObjectName(QStringLiteral("lbR"));
  lbR->setMaximumWidth(160);
  Rep->addWidget(lbR, 1);
  auto* RepButtons = new QGridLayout;
  sbRtoA = MakeButton(QStringLiteral("R>A"), QStringLiteral("Copy selected matrix to A"));
  sbRtoB = MakeButton(QStringLiteral("R>B"), QStringLiteral("Copy selected matrix to B"));
  sbRView = MakeButton(QStringLiteral("Veiw R"), QStringLiteral("View matrix"));
  sbRPrint = MakeButton(QStringLiteral("Print R"), QStringLiteral("Print matrix"));
  RepButtons->addWidget(sbRtoA, 0, 0);
  RepButtons->addWidget(sbRtoB, 0, 1);
  RepButtons->addWidget(sbRView, 1, 0);
  RepButtons->addWidget(sbRPrint, 1, 1);
  Rep->addLayout(RepButtons);
  Body->addLayout(Rep);
  Main->addLayout(Body, 1);

  sgA->SetEditing(true);
  sgB->SetEditing(true);
  for (TSpeedButton* B :
       {sbPasteToA, sbPasteToB, sbAtoClip, sbBtoClip, sbCtoClip, sbPrint,  sbSave,
        sbCtoA,     sbCtoB,     sbAtoB,    sbBtoA,    sbAddRow,  sbDelRow, sbAddCol,
        sbDelCol,   sbASwap,    sbRtoA,    sbRtoB,    sbRView,   sbRPrint})
    B->setEnabled(false);

  // --- handlers ---
  auto On = [this](auto* Sender, auto Signal, auto Handler) {
    connect(Sender, Signal, this, Guarded(Handler));
  };
  On(Solve, &QPushButton::clicked, [this] { ChooseOperation(1); });
  On(btAAddB, &QPushButton::clicked, [this] { ChooseOperation(2); });
  On(btAMultB, &QPushButton::clicked, [this] { ChooseOperation(3); });
  On(btInverse, &QPushButton::clicked, [this] { ChooseOperation(4); });
  On(ptPowerA, &QPushButton::clicked, [this] { ChooseOperation(5); });
  On(btDeterminant, &QPushButton::clicked, [this] { ChooseOperation(6); });
  On(btASubsB, &QPushButton::clicked, [this] { ChooseOperation(7); });
  On(sbMultArA, &QPushButton::clicked, [this] { ChooseOperation(8); });
  On(Button2, &QPushButton::clicked, [this] { ChooseOperation(9); });
  On(Button1, &QPushButton::clicked, [this] { Button1Click(); });
  // Only Enter fills: leaving the field must not overwrite a grid the user has typed into.
  On(edAValue, &QLineEdit::returnPressed, [this] { edAValueEnter(); });
  On(edBValue, &QLineEdit::returnPressed, [this] { edBValueEnter(); });
  for (QLineEdit* E : {edAName, edBName, edCName})
    On(E, &QLineEdit::textChanged, [this] { Relabel(); });
  On(sbAtoB, &TSpeedButton::Click, [this] { CopyGrid(sgA, sgB); });
  On(sbBtoA, &TSpeedButton::Click, [this] { CopyGrid(sgB, sgA); });
  On(sbCtoA, &TSpeedButton::Click, [this] { CopyGrid(sgC, sgA); });
  On(sbCtoB, &TSpeedButton::Click, [this] { CopyGrid(sgC, sgB); });
  On(sbAtoClip, &TSpeedButton::Click, [this] { CopyToClipboard(sgA); });
  On(sbBtoClip, &TSpeedButton::Click, [this] { CopyToClipboard(sgB); });
  On(sbCtoClip, &TSpeedButton::Click, [this] { CopyToClipboard(sgC); });
  On(sbPasteToA, &TSpeedButton::Click, [this] { PasteFromClipboard(sgA); });
  On(sbPasteToB, &TSpeedButton::Click, [this] { PasteFromClipboard(sgB); });
  On(sbSave, &TSpeedButton::Click, [this] { SaveToTextFile(); });
  On(sbOpen, &TSpeedButton::Click, [this] { SaveToTextFile(); });
  On(sbPrint, &TSpeedButton::Click, [this] { Print(); });
  On(sbAddRow, &TSpeedButton::Click, [this] { AddRowClick(); });
  On(sbAddCol, &TSpeedButton::Click, [this] { AddColClick(); });
  On(sbDelRow, &TSpeedButton::Click, [this] { DelRowClick(); });
  On(sbDelCol, &TSpeedButton::Click, [this] { DelColClick(); });
  On(sbASwap, &TSpeedButton::Click, [this] { SwapClick(); });
  On(SpeedButton1, &TSpeedButton::Click, [] { ShowHelpContext(38); });
  On(sbRtoA, &TSpeedButton::Click, [this] { RepositoryToGrid(sgA); });
  On(sbRtoB, &TSpeedButton::Click, [this] { RepositoryToGrid(sgB); });
  On(sbRView, &TSpeedButton::Click, [this] { ViewRepositoryItem(); });
  On(sbRPrint, &TSpeedButton::Click, [this] { PrintRepositoryItem(); });
  On(lbR, &QListWidget::currentRowChanged, [this] { UpdateButtons(); });
  On(sgA, &TStringGrid::Enter, [this] { GridEnter(sgA); });
  On(sgB, &TStringGrid::Enter, [this] { GridEnter(sgB); });
  On(sgC, &TStringGrid::Click, [this] { sgCClick(); });
  if (QClipboard* Clip = QGuiApplication::clipboard())
    On(Clip, &QClipboard::dataChanged, [this] { UpdateButtons(); });
  // The grid's context menu: only pasting has a command; the other entries are shown, as the
  // window has always listed them, but stay disabled.
  PopupClip = new QMenu(this);
  QAction* Paste = PopupClip->addAction(QStringLiteral("&Paste"));
  connect(Paste, &QAction::triggered, this, Guarded([this] { PasteFromClipboard(sgA); }));
  for (const char* Item : {"Copy", "Insert &Row", "Insert &Column", "D&elete Row", "&Delete Colunm",
                           "Era&se Row", "Erase Colu&mn", "Erase &All"})
    PopupClip->addAction(QString::fromLatin1(Item))->setEnabled(false);
  sgA->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(sgA, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& At) { PopupClip->popup(sgA->viewport()->mapToGlobal(At)); });
  for (TStringGrid* G : {sgA, sgB}) {
    G->OnKeyDown = [this, G](int& Key, Qt::KeyboardModifiers Shift) { GridKeyDown(G, Key, Shift); };
    // Enter in an open cell editor commits the cell and runs the operation, once the editor
    // has closed.
    connect(G->itemDelegate(), &QAbstractItemDelegate::closeEditor, this,
            [this](QWidget*, QAbstractItemDelegate::EndEditHint Hint) {
              if (Hint == QAbstractItemDelegate::SubmitModelCache)
                QTimer::singleShot(0, this, Guarded([this] { Button1Click(); }));
            });
  }
  // Two 4 by 4 operands side by side, unless the screen is smaller.
  QSize Size(1020, 620);
  if (const QScreen* S = screen()) Size = Size.boundedTo(S->availableGeometry().size());
  resize(Size.expandedTo(minimumSizeHint()));
}

void TfmMatrix::FormShow() { ChooseOperation(3); }

void TfmMatrix::FormCloseQuery(bool& CanClose) {
  if (CloseWhenIdle(this)) CanClose = false;
}

// --- Sizes and labels ---------------------------------------------------------------------

TfmMatrix::TSizes TfmMatrix::CurrentSizes() const {
  return {DataRows(sgA), DataCols(sgA), DataRows(sgB), DataCols(sgB), DataRows(sgC), DataCols(sgC)};
}

void TfmMatrix::ApplySizes(const TSizes& S) {
  TFlagGuard Guard(Updating);
  auto Write = [](QLineEdit* E, int V) {
    const QString T = QString::number(V);
    if (E->text() != T) E->setText(T);
  };
  Write(edARows, S.ARows);
  Write(edACols, S.ACols);
  Write(edBRows, S.BRows);
  Write(edBCols, S.BCols);
  Write(edCRows, S.CRows);
  Write(edCCols, S.CCols);
  SetDataSize(sgA, S.ARows, S.ACols);
  SetDataSize(sgB, S.BRows, S.BCols);
  SetDataSize(sgC, S.CRows, S.CCols);
}

void TfmMatrix::edARowsChange() { SizeChanged(0, SizeValidators[0]->GetValue()); }
void TfmMatrix::edAColsChange() { SizeChanged(1, SizeValidators[1]->GetValue()); }
void TfmMatrix::edBRowsChange() { SizeChanged(2, SizeValidators[2]->GetValue()); }
void TfmMatrix::edBColsChange() { SizeChanged(3, SizeValidators[3]->GetValue()); }

void TfmMatrix::SizeChanged(int Which, int V) {
  if (Updating || !SizeValidators[Which] || !SizeValidators[Which]->IsValid()) return;
  V = SizeValidators[Which]->GetValue();
  TFlagGuard Guard(Updating);
  TSizes S = CurrentSizes();
  bool LabelsOnly = false;
  auto AsA = [&S] {
    S.BRows = S.CRows = S.ARows;
    S.BCols = S.CCols = S.ACols;
  };
  switch (Operation) {
    case 1:
      if (Which <= 2)
        S = {V, V, V, 1, V, 1};
      else
        LabelsOnly = true;
      break;
    case 2:
    case 7:
      if (Which == 0) S.ARows = S.BRows = S.CRows = V;
      if (Which == 1 || Which == 3) S.ACols = S.BCols = S.CCols = V;
      if (Which == 2) AsA();
      break;
    case 3:
      if (Which == 0) S.ARows = S.CRows = V;
      if (Which == 1) S.ACols = S.BRows = V;
      if (Which == 2) S.BRows = S.ACols = V;
      if (Which == 3) S.BCols = S.CCols = V;
      break;
    case 4:
      if (Which <= 1)
        S.ARows = S.ACols = S.CRows = S.CCols = V;
      else
        LabelsOnly = true;
      break;
    case 5:
      if (Which == 0) S.ARows = S.ACols = S.CRows = S.CCols = V;
      if (Which == 1) S.ARows = S.ACols = S.BRows = S.BCols = S.CRows = S.CCols = V;
      LabelsOnly = Which >= 2;
      break;
    case 6:
      if (Which <= 1) {
        S.ARows = S.ACols = V;
        S.CRows = S.CCols = 1;
      } else {
        LabelsOnly = true;
      }
      break;
    case 8:
    case 9:
      if (Which == 0) S.ARows = S.BRows = S.CRows = V;
      if (Which == 1) S.ACols = S.CCols = V;
      if (Which == 2) AsA();
      LabelsOnly = Which == 3;
      break;
    default:
      if (Which == 0) S.ARows = V;
      if (Which == 1) S.ACols = V;
      if (Which == 2) S.BRows = V;
      if (Which == 3) S.BCols = V;
      break;
  }
  if (!LabelsOnly) ApplySizes(S);
  Relabel();
}

void TfmMatrix::Relabel() {
  const std::pair<TStringGrid*, QLineEdit*> Grids[] = {
      {sgA, edAName}, {sgB, edBName}, {sgC, edCName}};
  for (const auto& [G, N] : Grids) {
    const QString Name = N->text();
    for (int i = 1; i < G->RowCount(); ++i) G->Cells[0][i] = Name + QStringLiteral("[%1,J]").arg(i);
    for (int j = 1; j < G->ColCount(); ++j) G->Cells[j][0] = Name + QStringLiteral("[I,%1]").arg(j);
  }
  WriteOperationText(false);
}

QString TfmMatrix::OperationText(int Code, bool Chosen) const {
  const QString A = edAName->text(), B = edBName->text(), C = edCName->text();
  switch (Code) {
    case 1:
      return A + (Chosen ? QStringLiteral("*(X)=") : QStringLiteral("(X)=")) + B +
             QStringLiteral(" Solve->") + C;
    case 2:
      return A + QStringLiteral("+") + B + QStringLiteral("=") + C;
    case 3:
      return A + QStringLiteral("*") + B + QStringLiteral("=") + C;
    case 4:
      return (Chosen ? QStringLiteral("inverse(") : QStringLiteral("Inverse(")) + A +
             QStringLiteral(")=") + C;
    case 5:
      return QStringLiteral("Power(") + A + QStringLiteral(",") + QString::number(PowerN) +
             QStringLiteral(")=") + C;
    case 6:
      return QStringLiteral("det |A|=C[1,1]");
    case 7:
      return A + QStringLiteral("-") + B + QStringLiteral("=") + C;
    case 8:
      return FormatGeneral7(ScalarR) + QStringLiteral("*") + A + QStringLiteral("=") + C;
    case 9:
      return FuncText + QStringLiteral("=") + C;
    default:
      return QString();
  }
}

void TfmMatrix::WriteOperationText(bool Chosen) {
  if (Chosen || (Operation >= 1 && Operation <= 4) || Operation == 7 || Operation == 8)
    edOperation->setText(OperationText(Operation, Chosen));
}

// --- Editing -----------------------------------------------------------------------------

void TfmMatrix::Fill(TStringGrid* Grid, QLineEdit* Value) {
  const QString Text = Value->text();
  for (int r = 1; r < Grid->RowCount(); ++r)
    for (int c = 1; c < Grid->ColCount(); ++c) Grid->Cells[c][r] = Text;
}

void TfmMatrix::GridEnter(TStringGrid* Grid) {
  if (Grid == sgA) {
    EditTarget = {sgA,
                  edARows,
                  edACols,
                  SizeValidators[0].get(),
                  SizeValidators[1].get(),
                  &TfmMatrix::edARowsChange};
    for (TSpeedButton* B : {sbAddRow, sbDelRow, sbAddCol, sbDelCol, sbASwap}) B->setEnabled(true);
  } else if (Grid == sgB) {
    EditTarget = {sgB,
                  edBRows,
                  edBCols,
                  SizeValidators[2].get(),
                  SizeValidators[3].get(),
                  &TfmMatrix::edBColsChange};
  }
}

void TfmMatrix::sgCClick() {
  EditTarget = {};
  for (TSpeedButton* B : {sbAddRow, sbDelRow, sbAddCol, sbDelCol, sbASwap}) B->setEnabled(false);
}

void TfmMatrix::AddRowClick() {
  if (!EditTarget.Grid) return;
  EditTarget.RowsEdit->setText(QString::number(EditTarget.RowsValidator->GetValue() + 1));
}

void TfmMatrix::AddColClick() {
  if (!EditTarget.Grid) return;
  EditTarget.ColsEdit->setText(QString::number(EditTarget.ColsValidator->GetValue() + 1));
}

void TfmMatrix::DeleteGridRow(TStringGrid* G, int Row, bool AllColumns) {
  const int First = AllColumns ? 0 : 1;
  for (int r = Row; r < G->RowCount() - 1; ++r)
    for (int c = First; c < G->ColCount(); ++c) G->Cells[c][r] = G->Cells[c][r + 1];
  for (int c = First; c < G->ColCount(); ++c) G->Cells[c][G->RowCount() - 1] = QString();
}

void TfmMatrix::DeleteGridCol(TStringGrid* G, int Col) {
  for (int c = Col; c < G->ColCount() - 1; ++c)
    for (int r = 1; r < G->RowCount(); ++r) G->Cells[c][r] = G->Cells[c + 1][r];
  for (int r = 1; r < G->RowCount(); ++r) G->Cells[G->ColCount() - 1][r] = QString();
}

void TfmMatrix::DelRowClick() {
  TStringGrid* G = EditTarget.Grid;
  if (!G || DataRows(G) <= 1) return;
  DeleteGridRow(G, std::max(G->Row(), 1), false);
  EditTarget.RowsEdit->setText(QString::number(DataRows(G) - 1));
}

void TfmMatrix::DelColClick() {
  TStringGrid* G = EditTarget.Grid;
  if (!G || DataCols(G) <= 1) return;
  DeleteGridCol(G, std::max(G->Col(), 1));
  EditTarget.ColsEdit->setText(QString::number(DataCols(G) - 1));
}

void TfmMatrix::SwapClick() {
  TStringGrid* G = EditTarget.Grid;
  if (!G) return;
  const int Rows = DataRows(G), Cols = DataCols(G);
  std::vector<QString> Scratch(size_t(Rows) * size_t(Cols));
  for (int r = 1; r <= Rows; ++r)
    for (int c = 1; c <= Cols; ++c) {
      Scratch[size_t(c - 1) * size_t(Rows) + size_t(r - 1)] = G->Cells[c][r];
      G->Cells[c][r] = QString();
    }
  SetDataSize(G, Cols, Rows);
  for (int r = 1; r <= Cols; ++r)
    for (int c = 1; c <= Rows; ++c)
      G->Cells[c][r] = Scratch[size_t(r - 1) * size_t(Rows) + size_t(c - 1)];
  {
    TFlagGuard Guard(Updating);
    EditTarget.RowsEdit->setText(QString::number(Cols));
    EditTarget.ColsEdit->setText(QString::number(Rows));
  }
  (this->*EditTarget.SizeChange)();
  Relabel();
}

void TfmMatrix::GridKeyDown(TStringGrid* G, int& Key, Qt::KeyboardModifiers Shift) {
  const int Row = std::max(G->Row(), 1), Col = std::max(G->Col(), 1);
  bool Columns = false;
  if (Key == Qt::Key_Down && G->Row() == G->RowCount() - 1) {
    G->SetRowCount(G->RowCount() + 1);
  } else if (Key == Qt::Key_Delete) {
    if (DataRows(G) <= 1) {
      for (int c = 0; c < G->ColCount(); ++c) G->Cells[c][Row] = QString();
    } else {
      DeleteGridRow(G, Row, true);
      G->SetRowCount(G->RowCount() - 1);
    }
    Key = 0;
  } else if (Key == Qt::Key_Insert && !(Shift & Qt::ShiftModifier)) {
    G->SetRowCount(G->RowCount() + 1);
    for (int r = G->RowCount() - 1; r > Row; --r)
      for (int c = 0; c < G->ColCount(); ++c) G->Cells[c][r] = G->Cells[c][r - 1];
    for (int c = 0; c < G->ColCount(); ++c) G->Cells[c][Row] = QString();
    Key = 0;
  } else if (Key == Qt::Key_Insert) {
    G->SetColCount(G->ColCount() + 1);
    for (int c = G->ColCount() - 1; c > Col; --c)
      for (int r = 0; r < G->RowCount(); ++r) G->Cells[c][r] = G->Cells[c - 1][r];
    for (int r = 0; r < G->RowCount(); ++r) G->Cells[Col][r] = QString();
    Columns = true;
    Key = 0;
  } else {
    return;
  }
  AfterGridKeyChange(G, Columns);
}

void TfmMatrix::AfterGridKeyChange(TStringGrid* G, bool Columns) {
  const bool IsA = G == sgA;
  {
    TFlagGuard Guard(Updating);
    (IsA ? edARows : edBRows)->setText(QString::number(DataRows(G)));
    (IsA ? edACols : edBCols)->setText(QString::number(DataCols(G)));
  }
  if (IsA)
    Columns ? edAColsChange() : edARowsChange();
  else
    Columns ? edBColsChange() : edBRowsChange();
  Relabel();
}

// --- Copies, clipboard and the text file -------------------------------------------------

void TfmMatrix::CopyGrid(TStringGrid* Source, TStringGrid* Target) {
  const int Rows = std::min(DataRows(Source), DataRows(Target));
  const int Cols = std::min(DataCols(Source), DataCols(Target));
  for (int r = 1; r <= Rows; ++r)
    for (int c = 1; c <= Cols; ++c) Target->Cells[c][r] = Source->Cells[c][r];
}

QString TfmMatrix::ClipboardTextOf(const TStringGrid* G) {
  QString Text;
  for (int r = 1; r < G->RowCount(); ++r) {
    for (int c = 1; c < G->ColCount(); ++c) {
      if (c > 1) Text += QLatin1Char('\t');
      Text += G->GetCell(c, r);
    }
    Text += QLatin1Char('\n');
  }
  return Text;
}

void TfmMatrix::CopyToClipboard(TStringGrid* Grid) { SetClipboardText(ClipboardTextOf(Grid)); }

void TfmMatrix::PasteText(TStringGrid* G, const QString& Text) {
  const int Row0 = std::max(G->Row(), 1), Col0 = std::max(G->Col(), 1);
  const QStringList Lines = SplitLines(PastedWholeLines(Text));
  static const QChar Separators[] = {QLatin1Char(' '), QLatin1Char(','), QLatin1Char('\t'),
                                     QChar(0)};
  int j = 0;
  for (const QString& Line : Lines) {
    if (Line.isEmpty()) continue;
    QString Rest = Line;
    int k = 0;
    while (!Rest.isEmpty()) {
      QString Field;
      int Sep = -1;
      QChar SepChar;
      for (QChar S : Separators)
        if ((Sep = Rest.indexOf(S)) >= 0) {
          SepChar = S;
          break;
        }
      if (Sep > 0) {
        Field = Rest.left(Sep);
        int Next = Sep;
        while (Next < Rest.size() && Rest[Next] == SepChar) ++Next;
        Rest = Rest.mid(Next);
      } else {
        Field = Rest.trimmed();
        Rest.clear();
      }
      const int Col = Col0 + k, Row = Row0 + j;
      if (!Field.isEmpty() && Col < G->ColCount() && Row < G->RowCount())
        G->Cells[Col][Row] = Field;
      ++k;
    }
    ++j;
  }
}

void TfmMatrix::PasteFromClipboard(TStringGrid* Grid) {
  if (ClipboardHasText()) PasteText(Grid, ClipboardText());
}

QStringList TfmMatrix::TextFileLines() const {
  QStringList Lines;
  auto AddMatrix = [&Lines](const QString& Name, const TStringGrid* G) {
    Lines << QStringLiteral("Matrix ") + Name;
    for (int c = 1; c < G->ColCount(); ++c) {
      QStringList Cells;
      for (int r = 1; r < G->RowCount(); ++r) Cells << G->GetCell(c, r);
      Lines << Cells.join(QLatin1Char(','));
    }
  };
  Lines << edOperation->text();
  AddMatrix(edAName->text(), sgA);
  if (Operation == 1 || Operation == 2 || Operation == 3 || Operation == 7)
    AddMatrix(edBName->text(), sgB);
  AddMatrix(edCName->text(), sgC);
  return Lines;
}

void TfmMatrix::SaveToTextFile() {
  // Both buttons save; the dialog asks before it replaces an existing file.
  TSaveDialog& D = SharedSaveDialog();
  D.Title = QStringLiteral("Save to Text File");
  D.DefaultExt = QStringLiteral("TXT");
  D.Filter = QStringLiteral("Text files (*.TXT)|*.TXT");
  D.OverwritePrompt = true;
  if (!D.Execute()) return;
  if (const TFileStatus S = WriteTextLines(D.FileName, TextFileLines()); !S.Ok())
    MessageDlg(FileFailureText(S, QStringLiteral("Can not create file")), mtError, mbOK);
}

// --- Enabling ----------------------------------------------------------------------------------

void TfmMatrix::UpdateButtons() {
  const bool Clip = ClipboardHasText();
  sbPasteToA->setEnabled(Clip && Operation != 0);
  sbPasteToB->setEnabled(Clip && !pnB->isHidden());
  const bool HasA = Operation != 0, HasB = HasA && !pnB->isHidden();
  sbAtoB->setEnabled(HasA);
  sbAtoClip->setEnabled(HasA);
  sbBtoA->setEnabled(HasB);
  sbBtoClip->setEnabled(HasB);
  for (TSpeedButton* B : {sbCtoA, sbCtoB, sbCtoClip}) B->setEnabled(FCHasResult);
  const bool Selected = lbR->count() > 0 && lbR->currentRow() >= 0;
  for (TSpeedButton* B : {sbRtoA, sbRtoB, sbRView, sbRPrint}) B->setEnabled(Selected);
}
