#include "app/calc/calc_pages.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QToolButton>
#include <cstring>

#include "app/calc/assistant.h"
#include "app/calc/constants_page.h"
#include "app/calc/engine_user_data.h"
#include "app/calc/set_var.h"
#include "app/calc/user_funcs_page.h"
#include "app/calc/user_vars_page.h"
#include "app/calc/variables_page.h"
#include "app/common/calc_controls.h"
#include "platform/app_services.h"
#include "platform/codepage.h"

namespace {
constexpr int KeyColumns = 9;
const char PageLetterChars[] = "XYZVWIJKMN";

bool FocusHasSelection() {
  QWidget* F = QApplication::focusWidget();
  if (const auto* E = qobject_cast<QLineEdit*>(F)) return E->hasSelectedText();
  if (const auto* T = qobject_cast<QPlainTextEdit*>(F)) return T->textCursor().hasSelection();
  return false;
}
}  // namespace

TCalcPages::TCalcPages(TCalcPagesHost& Host, QWidget* DialogOwner)
    : FHost(Host),
      FOwnLetters(std::make_unique<TEngineLetters>()),
      FOwnLibrary(std::make_unique<TEngineFunctions>()),
      FLetters(*FOwnLetters),
      FLibrary(*FOwnLibrary) {
  Create(DialogOwner);
  MirrorUserVariables(UserVars->Model());
}

TCalcPages::TCalcPages(TCalcPagesHost& Host, TLetterStore& Letters, TFunctionLibrary& Library,
                       QWidget* DialogOwner)
    : FHost(Host), FLetters(Letters), FLibrary(Library) {
  Create(DialogOwner);
}

void TCalcPages::Create(QWidget* DialogOwner) {
  Variables = new TVariablesPage(FHost, FLetters);
  UserVars = new TUserVarsPage(FHost);
  UserFuncs = new TUserFuncsPage(FHost, FLibrary);
  FDialogOwner = DialogOwner;
  FOwned = {Variables, UserVars, UserFuncs};
  RunModal = [](TSetVar& Form) { return static_cast<int>(Form.ShowModal()); };
}

// The pages belong to the tabs they were put in; those that never were are freed here.
TCalcPages::~TCalcPages() {
  for (const QPointer<QWidget>& W : FOwned)
    if (W && !W->parent()) delete W.data();
}

TSetVar& TCalcPages::SetVarForm() {
  TSetVar* D = ::SetVar;
  if (!D) {
    if (!FOwnSetVar) {
      FOwnSetVar = CreateForm<TSetVar>(FDialogOwner);
      FOwned.emplace_back(FOwnSetVar.data());
    }
    D = FOwnSetVar;
  }
  D->Bind(&FHost, &FLetters);
  return *D;
}

void TCalcPages::BuildKeypad(QWidget* Keys, bool Second) {
  auto* Grid = qobject_cast<QGridLayout*>(Keys->layout());
  if (!Grid) {
    delete Keys->layout();
    Grid = new QGridLayout(Keys);
    Grid->setSpacing(2);
    Grid->setContentsMargins(0, 0, 0, 0);
  }
  int N = 0;
  for (const TKeyDef& K : Second ? ExCalcKeys() : CalculatorKeys()) {
    QAbstractButton* B = NewSpeedButton(K.Name, K.Caption, K.Hint, Keys, K.Tag);
    B->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    Grid->addWidget(B, N / KeyColumns, N % KeyColumns);
    ++N;
    FKeyDefs[B] = &K;
    FKeys[K.Name] = B;
    connect(B, &QAbstractButton::clicked, this, Guarded([this, B] { Clicker(B); }));
    connect(B, &QObject::destroyed, this, [this, B, Name = QString(K.Name)] {
      FKeyDefs.erase(B);
      FKeys.erase(Name);
    });
  }
}

QAbstractButton* TCalcPages::Key(const QString& Name) const {
  const auto It = FKeys.find(Name);
  return It == FKeys.end() ? nullptr : It->second;
}

void TCalcPages::Clicker(QAbstractButton* Sender) {
  const auto It = FKeyDefs.find(Sender);
  if (It == FKeyDefs.end() || !Sender->isEnabled()) return;
  const TKeyDef& K = *It->second;
  if (K.Action == TKeyAction::Help) {
    FHost.ShowHelp(HelpContents);
    return;
  }
  // Everything else edits the input line or the variables a running evaluation reads.
  if (FHost.Evaluating()) return;
  switch (K.Action) {
    case TKeyAction::Function: {
      CurrentFuncId = K.Tag;
      const QString Text = FunctionKeyText(K.Tag, FHost.ComplexMode());
      if (!Text.isEmpty()) FHost.SetFunc(Text);
      if (FHost.AssistantChecked()) ShowFunctionHelp(CurrentFuncId);
      break;
    }
    case TKeyAction::Text:
      FHost.SetFunc(K.Text);
      break;
    case TKeyAction::Letter:
      LetterKey(K.Tag);
      break;
    case TKeyAction::ClearAll:
      ClearAll();
      break;
    case TKeyAction::Help:
      break;
  }
}

void TCalcPages::LetterKey(int Index) {
  if (Index < 1 || Index > PageLetterCount || FHost.Evaluating()) return;
  if (!FHost.EvaluateChecked()) {
    FHost.SetFunc(QString(QChar(PageLetterChars[Index - 1])));
    return;
  }
  if (ShowSetVariable(Index) && SetVarForm().cbEval->isChecked()) FHost.ReturnClick();
}

bool TCalcPages::ShowSetVariable(int k) {
  TSetVar& D = SetVarForm();
  D.Prepare(k);
  return RunModal(D) == mrOk;
}

void TCalcPages::ClearAll() {
  if (FHost.Evaluating()) return;
  FHost.ClearHistories();
  for (int k = 1; k <= 12; ++k) {
    FLetters.SetValue(k, UndefinedValue);
    FLetters.SetExpr(k, std::string());
  }
  FLetters.ClearIntervalBounds();
  FHost.InputLine()->clear();
}

void TCalcPages::RunShortcut(const TShortcut& S) {
  switch (S.Action) {
    case TShortcutAction::Key:
      // A disabled key (a real-only key in complex mode) does nothing from the keyboard either.
      if (QAbstractButton* B = Key(S.Target); B && B->isEnabled()) Clicker(B);
      break;
    case TShortcutAction::Text:
      if (!FHost.Evaluating()) FHost.SetFunc(FromCp1252(S.Target));
      break;
    case TShortcutAction::Letter: {
      const char* P = std::strchr(PageLetterChars, S.Target[0]);
      if (P) LetterKey(static_cast<int>(P - PageLetterChars) + 1);
      break;
    }
  }
}

bool TCalcPages::FormKeyDown(int QtKey, Qt::KeyboardModifiers Modifiers, int Page) {
  QLineEdit* Input = FHost.InputLine();
  if (QtKey == Qt::Key_Return || QtKey == Qt::Key_Enter) {
    if (FHost.Evaluating()) return true;
    if (Page == 0) {
      FHost.ReturnClick();
    } else if (UserVars->edName->hasFocus() || UserVars->edValue->hasFocus()) {
      UserVars->btAddClick();
    } else if (const int L = Variables->FocusedLetter(); L > 0) {
      Variables->EvaluateVariable(L, Variables->VarEdits[static_cast<size_t>(L - 1)],
                                  Variables->ValueEdits[static_cast<size_t>(L - 1)]);
    } else if (Input->hasFocus()) {
      FHost.ReturnClick();
    } else if (TSetVar& D = SetVarForm(); D.isVisible() && D.Edit1->hasFocus()) {
      D.OKBtnClick();
    }
    return true;
  }
  if (QtKey == Qt::Key_Escape && Input->text().isEmpty()) {
    const QString First = FHost.FirstHistoryItem();
    if (!First.isEmpty() && !FHost.Evaluating()) {
      Input->setText(First);
      Input->selectAll();
      return true;
    }
  }
  if (QtKey == Qt::Key_F1) {
    FHost.ShowHelp(HelpContents);
    return true;
  }
  const bool Ctrl = Modifiers & Qt::ControlModifier;
  const bool Alt = Modifiers & Qt::AltModifier;
  // Ctrl+C is also the fields' copy key: with text selected it copies, and only an empty
  // selection (where copying would do nothing) gives the key its function.
  if (Ctrl && !Alt && QtKey == Qt::Key_C && FocusHasSelection()) return false;
  if (Ctrl || Alt) {
    if (const TShortcut* S = FindShortcut(!Ctrl, VirtualKeyOf(QtKey, false))) {
      if (!FHost.Evaluating()) RunShortcut(*S);
      return true;
    }
  }
  FHost.StartAssistant();
  return false;
}

void TCalcPages::AssistantTick() {
  if (!FHost.AssistantChecked()) return;
  QLineEdit* Input = FHost.InputLine();
  ShowFunctionHelp(
      FindFunctionId(WordAtCaret(Input->text(), Input->cursorPosition()), FHost.ComplexMode()));
}

void TCalcPages::ShowFunctionHelp(int Id) {
  ::ShowFunctionHelp(FHost.AssistantPanel(), FHost.InputLine(), Id, FHost.ComplexMode(),
                     EngineSettings.AngleMode);
}

void TCalcPages::AssistantSwitched(bool Checked) {
  QLabel* Panel = FHost.AssistantPanel();
  Panel->setVisible(Checked);
  CurrentFuncId = -1;
  Panel->setText(QString());
  if (Checked) ShowFunctionHelp(-1);
}

void TCalcPages::SetComplexKeys(bool Complex) {
  if (QAbstractButton* Log = Key("sbLOG")) {
    Log->setText(Complex ? "comp" : "log");
    Log->setToolTip(Complex ? "Complex number of (..,..)" : "Logarithm (..)");
  }
  if (QAbstractButton* Gamma = Key("sbGAMMA"))
    Gamma->setText(Complex ? "LnGm" : QString(QChar(0x393)));
}

bool TCalcPages::EvaluateVariable(int k) { return Variables->EngineEvaluateVariable(k); }

int TCalcPages::AddUserVariable(const std::string& Name, bool ShowInList, Extended Value) {
  return UserVars->AddUserVariable(Name, ShowInList, Value);
}

bool TCalcPages::SetVariableDialog(int k) {
  TSetVar& D = SetVarForm();
  struct TAsked {
    TSetVar& D;
    explicit TAsked(TSetVar& Form) : D(Form) { D.AskedByEngine = true; }
    ~TAsked() { D.AskedByEngine = false; }
  } Asked(D);
  return ShowSetVariable(k);
}
