#include "app/calc/variables_page.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/calc/calc_pages_host.h"
#include "app/calc/keypad_keys.h"
#include "app/calc/user_var_model.h"
#include "app/common/calc_controls.h"
#include "app/common/dm.h"
#include "app/common/engine_text.h"
#include "engine/side_eval.h"
#include "platform/app_services.h"
#include "platform/codepage.h"
#include "platform/colors.h"
#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/file_identity.h"
#include "platform/number_text.h"
#include "platform/text_file.h"
#include "widgets/nx_label.h"

namespace {
const char* const ExprNames[PageLetterCount] = {"edXVar", "edYvar", "edZvar", "edVvar", "edWvar",
                                                "edIvar", "edJvar", "edKvar", "edMvar", "edNvar"};
const char* const ValueNames[PageLetterCount] = {"edXVal", "edYval", "edZval", "edVval", "edWval",
                                                 "edIval", "edJval", "edKval", "edMval", "edNval"};
const char* const EvalNames[PageLetterCount] = {"bbXeval", "bbYeval", "bbZeval", "bbVeval",
                                                "bbWeval", "bbIeval", "bbJeval", "bbKeval",
                                                "bbMeval", "bbNeval"};
const char PageLetters[] = "XYZVWIJKMN";
// Enough significant digits that an extended value reads back equal.
constexpr int VarFileDigits = 21;

QString LineList(const QList<int>& Lines) {
  QStringList S;
  for (int L : Lines) S << QString::number(L);
  return S.join(", ");
}
}  // namespace

TVariablesPage::TVariablesPage(TCalcPagesHost& Host, TLetterStore& Letters, QWidget* Parent)
    : QWidget(Parent), FHost(Host), FLetters(Letters) {
  setObjectName("tsVariablesPage");
  auto* Root = new QVBoxLayout(this);
  auto* Grid = new QGridLayout;
  Grid->addWidget(NewLabel("lbExpression", "Expression", this), 0, 1);
  Grid->addWidget(NewLabel("lbValue", "Value", this), 0, 2);
  for (int I = 0; I < PageLetterCount; ++I) {
    const QString Letter(QChar(PageLetters[I]));
    auto* L = NewLabel("lb" + Letter, Letter + " =", this);
    auto* E = new QLineEdit(this);
    E->setObjectName(ExprNames[I]);
    auto* V = new QLineEdit(this);
    V->setObjectName(ValueNames[I]);
    V->setReadOnly(true);
    auto* B = new QPushButton("Calculate", this);
    B->setObjectName(EvalNames[I]);
    VarEdits[static_cast<size_t>(I)] = E;
    ValueEdits[static_cast<size_t>(I)] = V;
    EvalButtons[static_cast<size_t>(I)] = B;
    Grid->addWidget(L, I + 1, 0);
    Grid->addWidget(E, I + 1, 1);
    Grid->addWidget(V, I + 1, 2);
    Grid->addWidget(B, I + 1, 3);
    connect(B, &QPushButton::clicked, this, Guarded([this, I] {
              if (!FHost.Evaluating())
                EvaluateVariable(I + 1, VarEdits[static_cast<size_t>(I)],
                                 ValueEdits[static_cast<size_t>(I)]);
            }));
  }
  Grid->setColumnStretch(1, 2);
  Grid->setColumnStretch(2, 1);
  Root->addLayout(Grid);
  lbError = NewLabel("lbError", "", this);
  lbError->Font()->SetColor(clRed);
  Root->addWidget(lbError);

  auto* Buttons = new QHBoxLayout;
  BitBtn3 = new QPushButton("Calculate &All", this);
  BitBtn3->setObjectName("BitBtn3");
  BitBtn13 = new QPushButton("&Save", this);
  BitBtn13->setObjectName("BitBtn13");
  BitBtn14 = new QPushButton("&Load", this);
  BitBtn14->setObjectName("BitBtn14");
  bbVarHelp = new QPushButton("Help", this);
  bbVarHelp->setObjectName("bbVarHelp");
  rgUse = new TRadioGroup(this);
  rgUse->setObjectName("rgUse");
  rgUse->SetItems({"Value", "Expression"});
  rgUse->SetColumns(2);
  rgUse->SetItemIndex(0);
  for (QPushButton* B : {BitBtn3, BitBtn13, BitBtn14, bbVarHelp}) Buttons->addWidget(B);
  Buttons->addWidget(rgUse);
  Buttons->addStretch();
  Root->addLayout(Buttons);
  Root->addStretch();

  connect(BitBtn3, &QPushButton::clicked, this, Guarded([this] {
            if (!FHost.Evaluating()) CalculateAll();
          }));
  connect(BitBtn13, &QPushButton::clicked, this, Guarded([this] { SaveClick(); }));
  connect(BitBtn14, &QPushButton::clicked, this, Guarded([this] { LoadClick(); }));
  connect(bbVarHelp, &QPushButton::clicked, this,
          Guarded([this] { FHost.ShowHelp(HelpVariables); }));
}

void TVariablesPage::showEvent(QShowEvent* Event) {
  QWidget::showEvent(Event);
  FillVariablesPage();
}

int TVariablesPage::FocusedLetter() const {
  for (int I = 0; I < PageLetterCount; ++I)
    if (VarEdits[static_cast<size_t>(I)]->hasFocus()) return I + 1;
  return 0;
}

bool TVariablesPage::EvaluateVariable(int Index, QLineEdit* E, QLineEdit* F) {
  TSideEvaluation Side;
  return Evaluate(Side, Index, E, F);
}

bool TVariablesPage::EngineEvaluateVariable(int Index) {
  if (Index < 1 || Index > PageLetterCount) return false;
  QLineEdit* E = VarEdits[static_cast<size_t>(Index - 1)];
  // The stored definition is the one to evaluate; the field may not have been filled since.
  E->setText(FromCp1252(FLetters.Expr(Index)));
  // Part of the evaluation that reads the letter: its failure stays raised for it.
  TSideEvaluation Side(TSideMode::Nested);
  return Evaluate(Side, Index, E, ValueEdits[static_cast<size_t>(Index - 1)]);
}

bool TVariablesPage::Evaluate(TSideEvaluation& Side, int Index, QLineEdit* E, QLineEdit* F) {
  if (Index < 1 || Index > PageLetterCount || E->text().isEmpty() || !Side.Started() ||
      !FitsTheEngine(E->text()))
    return false;
  if (FActive[static_cast<size_t>(Index)]) {
    // The definition leads back to this letter.
    RaiseError(EngineState.ExprStr, errStackOverflow);
    return false;
  }
  FActive.set(static_cast<size_t>(Index));
  const TSideResult R = Side.Evaluate(ToCp1252(E->text()));
  FActive.reset(static_cast<size_t>(Index));
  if (!R.Ok) {
    lbError->SetCaption(FromCp1252(R.Message));
    if (Side.Mode() == TSideMode::Start) {
      E->setFocus();
      E->setSelection(std::max(R.ErrPos - 1, 0), R.ErrLen);
    }
    return false;
  }
  F->setText(DisplayNumber(FHost.Digits(), R.Value));
  FLetters.SetExpr(Index, Side.Prepared());
  FLetters.SetValue(Index, R.Value);
  lbError->SetCaption("");
  return true;
}

bool TVariablesPage::CalculateAll() {
  // One session for the ten letters: nothing else starts, or changes a letter, in between.
  TSideEvaluation Side;
  if (!Side.Started()) return false;
  for (int K = 1; K <= PageLetterCount; ++K) {
    FLetters.SetExpr(K, ToCp1252(VarEdits[static_cast<size_t>(K - 1)]->text()));
    FLetters.SetValue(K, UndefinedValue);
  }
  for (int K = 1; K <= PageLetterCount; ++K)
    Evaluate(Side, K, VarEdits[static_cast<size_t>(K - 1)], ValueEdits[static_cast<size_t>(K - 1)]);
  return true;
}

void TVariablesPage::FillVariablesPage() {
  for (int K = 1; K <= PageLetterCount; ++K) {
    QLineEdit* E = VarEdits[static_cast<size_t>(K - 1)];
    QLineEdit* F = ValueEdits[static_cast<size_t>(K - 1)];
    const Extended V = FLetters.Value(K);
    const std::string X = FLetters.Expr(K);
    if (X.empty() && V == UndefinedValue) {
      F->setText("Undefind");
      E->setText(QString());
    } else {
      F->setText(DisplayNumber(FHost.Digits(), V));
      E->setText(FromCp1252(X));
    }
  }
}

QStringList TVariablesPage::VarFileLines(const TLetterStore& Letters) {
  QStringList Lines;
  for (int K = 1; K <= PageLetterCount; ++K)
    Lines << QString::fromStdString(FormatExponent(Letters.Value(K), VarFileDigits, 4));
  for (int K = 1; K <= PageLetterCount; ++K) Lines << FromCp1252(Letters.Expr(K));
  return Lines;
}

bool TVariablesPage::ParseVarFile(const QStringList& Lines,
                                  std::array<Extended, PageLetterCount>& Values,
                                  std::array<std::string, PageLetterCount>& Texts,
                                  QList<int>& BadLines, QString* Why) {
  static const char Letters[] = "XYZVWIJKMN";
  for (int I = 0; I < PageLetterCount; ++I) {
    Extended V = 0;
    if (I >= Lines.size() || !TryTextToFloat(Lines[I].trimmed().toStdString(), V))
      BadLines << I + 1;
    else
      Values[static_cast<size_t>(I)] = V;
    // Missing text lines are empty texts: a writer may have dropped trailing empty lines.
    const int T = PageLetterCount + I;
    std::string& Text = Texts[static_cast<size_t>(I)];
    Text.clear();
    if (T >= Lines.size()) continue;
    // A text is never cut or changed on its way in: what the field cannot hold is refused.
    const QString Letter(QChar(Letters[I]));
    QString Problem;
    if (Lines[T].size() > MaxVarText)
      Problem = "the text of " + Letter + " is longer than " + QString::number(MaxVarText) +
                " characters";
    else if (!ToCp1252Exact(Lines[T], Text))
      Problem = "the text of " + Letter + " has the character \"" + FirstNonCp1252(Lines[T]) +
                "\", which cannot be used";
    if (Problem.isEmpty()) continue;
    BadLines << T + 1;
    if (Why && Why->isEmpty()) *Why = Problem;
  }
  return BadLines.isEmpty();
}

void TVariablesPage::SaveClick() {
  if (FHost.Evaluating() || EngineBusy()) return;
  TSaveDialog& D = SharedSaveDialog();
  D.Title = "Save variables to File";
  D.DefaultExt = "VAR";
  D.Filter = "Variables files (*.VAR)|*.VAR";
  if (!D.Execute()) return;
  const QString& Name = D.FileName;  // the dialog gives the clean spelling
  // Said before the letters are calculated, which the refusal leaves as they are.
  if (IsUnreadFile(Name)) {
    ShowError(FileFailureText(UnreadFileKept(Name), CantCreateFile));
    return;
  }
  // The values written are those of the texts as they stand now.
  if (!CalculateAll()) return;
  if (const TFileStatus S = WriteTextLines(Name, VarFileLines(FLetters)); !S.Ok())
    ShowError(FileFailureText(S, CantCreateFile));
}

void TVariablesPage::LoadClick() {
  if (FHost.Evaluating() || EngineBusy()) return;
  TOpenDialog& D = SharedOpenDialog();
  D.Title = "Load variables from File";
  D.DefaultExt = "VAR";
  D.Filter = "User variables files (*.VAR)|*.VAR";
  if (!D.Execute()) return;
  const QString& Name = D.FileName;  // the dialog gives the clean spelling
  QStringList Lines;
  TReadStatus Status;
  if (!ReadListLines(Name, Lines, nullptr, &Status)) {
    const QString Words = QStringLiteral("Can't open file");
    ShowError(Status.Missing() ? Words + " " + Name : FileFailureText(Status, Words));
    return;
  }
  std::array<Extended, PageLetterCount> Values{};
  std::array<std::string, PageLetterCount> Texts;
  QList<int> Bad;
  QString Why;
  if (!ParseVarFile(Lines, Values, Texts, Bad, &Why)) {
    NoteUnreadFile(Name);
    ShowError("Can't open file " + Name + ": line " + LineList(Bad) +
              (Why.isEmpty() ? QString() : " (" + Why + ")"));
    return;
  }
  NoteFileRead(Name);
  for (int K = 1; K <= PageLetterCount; ++K) {
    FLetters.SetValue(K, Values[static_cast<size_t>(K - 1)]);
    FLetters.SetExpr(K, Texts[static_cast<size_t>(K - 1)]);
  }
  FillVariablesPage();
  CalculateAll();
}
