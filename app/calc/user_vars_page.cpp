#include "app/calc/user_vars_page.h"

#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/calc/calc_pages_host.h"
#include "app/common/calc_controls.h"
#include "app/common/dm.h"
#include "app/common/engine_text.h"
#include "engine/parser.h"
#include "engine/side_eval.h"
#include "platform/app_services.h"
#include "platform/codepage.h"
#include "platform/dialogs.h"
#include "platform/file_identity.h"
#include "platform/text_file.h"
#include "widgets/nx_label.h"

bool IsNameLetter(QChar C) {
  const char16_t U = C.unicode();
  return (U >= 'A' && U <= 'Z') || (U >= 'a' && U <= 'z');
}

void FilterEditText(QLineEdit* Edit, bool (*Allowed)(QChar)) {
  QString T = Edit->text();
  int Caret = -1;
  for (qsizetype I = 0; I < T.size();) {
    if (Allowed(T[I])) {
      ++I;
      continue;
    }
    T.remove(I, 1);
    Caret = I > 0 ? static_cast<int>(I) : 1;
  }
  if (Caret < 0) return;
  const QSignalBlocker Block(Edit);
  Edit->setText(T);
  Edit->setCursorPosition(std::min(Caret, static_cast<int>(T.size())));
}

namespace {
QPushButton* NewButton(const char* Name, const QString& Caption, QWidget* Parent) {
  auto* B = new QPushButton(Caption, Parent);
  B->setObjectName(Name);
  return B;
}

QString LineNumbers(const std::vector<TFileLineProblem>& Problems) {
  QStringList N;
  for (const TFileLineProblem& P : Problems) N << QString::number(P.Line);
  return N.join(", ");
}
}  // namespace

TUserVarsPage::TUserVarsPage(TCalcPagesHost& Host, QWidget* Parent) : QWidget(Parent), FHost(Host) {
  setObjectName("tsUserVarPage");
  edName = new QLineEdit(this);
  edName->setObjectName("edName");
  edValue = new QLineEdit(this);
  edValue->setObjectName("edValue");
  lbVars = new QListWidget(this);
  lbVars->setObjectName("lbVars");
  lbVars->setToolTip("Double click for modify");
  btAdd = NewButton("btAdd", "&Add/Modify", this);
  btDelete = NewButton("btDelete", "&Delete", this);
  btSave = NewButton("btSave", "&Save", this);
  btLoad = NewButton("btLoad", "&Load", this);
  btSaveAs = NewButton("btSaveAs", "Save &As", this);

  auto* Root = new QHBoxLayout(this);
  auto* Left = new QVBoxLayout;
  auto* Fields = new QFormLayout;
  Fields->addRow(NewLabel("lbVarName", "Name", this), edName);
  Fields->addRow(NewLabel("lbVarValue", "Value", this), edValue);
  Left->addLayout(Fields);
  Left->addWidget(lbVars, 1);
  Root->addLayout(Left, 1);
  auto* Buttons = new QVBoxLayout;
  for (QPushButton* B : {btAdd, btDelete, btSave, btLoad, btSaveAs}) Buttons->addWidget(B);
  Buttons->addStretch();
  Root->addLayout(Buttons);

  connect(edName, &QLineEdit::textEdited, this,
          Guarded([this] { FilterEditText(edName, IsNameLetter); }));
  connect(lbVars, &QListWidget::itemDoubleClicked, this,
          Guarded([this](QListWidgetItem* Item) { lbVarsDblClick(lbVars->row(Item)); }));
  connect(btAdd, &QPushButton::clicked, this, Guarded([this] { btAddClick(); }));
  connect(btDelete, &QPushButton::clicked, this, Guarded([this] { btDeleteClick(); }));
  connect(btSave, &QPushButton::clicked, this, Guarded([this] { btSaveClick(); }));
  connect(btSaveAs, &QPushButton::clicked, this, Guarded([this] { btSaveAsClick(); }));
  connect(btLoad, &QPushButton::clicked, this, Guarded([this] { btLoadClick(); }));
}

void TUserVarsPage::showEvent(QShowEvent* Event) {
  QWidget::showEvent(Event);
  Redraw();
}

void TUserVarsPage::Redraw() {
  const int Row = lbVars->currentRow();
  lbVars->clear();
  // Handed over whole: the list lays itself out once, not once per line.
  QStringList Lines;
  Lines.reserve(FModel.Count());
  for (int I = 0; I < FModel.Count(); ++I) Lines << FModel.DisplayLine(I, FHost.Digits());
  lbVars->addItems(Lines);
  if (Row >= 0 && Row < lbVars->count()) lbVars->setCurrentRow(Row);
}

int TUserVarsPage::AddUserVariable(const std::string& Name, bool ShowInList, Extended Value) {
  const int Id = FModel.Add(Name, Value);
  if (ShowInList) Redraw();
  return Id;
}

void TUserVarsPage::btAddClick() {
  if (FHost.Evaluating()) return;
  if (edName->text().isEmpty() || edValue->text().isEmpty()) {
    ShowError("Varible name or value invalid!");
    return;
  }
  if (!FitsTheEngine(edValue->text())) return;
  TSideEvaluation Side;
  const TSideResult R = Side.Evaluate(ToCp1252(edValue->text()));
  if (R.Refused) return;
  if (!R.Ok) {
    ShowError(FromCp1252(R.Message));
    return;
  }
  const Extended V = R.Value;
  AddUserVariable(ToCp1252(edName->text()), true, V);
}

void TUserVarsPage::lbVarsDblClick(int Row) {
  if (Row < 0 || Row >= lbVars->count()) return;
  const QString Line = lbVars->item(Row)->text();
  const qsizetype Eq = Line.indexOf(" = ");
  if (Eq < 0) return;
  edName->setText(Line.left(Eq));
  edValue->setText(Line.mid(Eq + 3));
}

void TUserVarsPage::btDeleteClick() {
  const int Row = lbVars->currentRow();
  if (Row < 0 || FHost.Evaluating()) return;
  FModel.Remove(Row);
  Redraw();
}

bool TUserVarsPage::Save(const QString& FileName) {
  // The writer keeps every file that could not be read, whichever way it was chosen.
  const TFileStatus S = FModel.SaveFile(FileName);
  if (!S.Ok()) ShowError(FileFailureText(S, CantCreateFile));
  return S.Ok();
}

void TUserVarsPage::btSaveClick() { Save(FHost.UserVarFile()); }

void TUserVarsPage::btSaveAsClick() {
  TSaveDialog& D = SharedSaveDialog();
  D.Title = "Save variables to File";
  D.DefaultExt = "USR";
  D.Filter = "User variables files (*.USR)|*.USR";
  D.FileName = FHost.UserVarFile();
  if (!D.Execute()) return;
  if (Save(D.FileName)) FHost.SetUserVarFile(D.FileName);
}

void TUserVarsPage::btLoadClick() {
  if (FHost.Evaluating()) return;
  TOpenDialog& D = SharedOpenDialog();
  D.Title = "Load variables from File";
  D.DefaultExt = "USR";
  D.Filter = "User variables files (*.USR)|*.USR";
  if (!D.Execute()) return;
  LoadUserVariables(D.FileName);
}

bool TUserVarsPage::LoadUserVariables(const QString& Asked, bool Quiet) {
  const QString FileName = CleanFileName(Asked);
  TFileStatus Status;
  std::vector<TFileLineProblem> Problems;
  if (FModel.LoadFile(FileName, Status, Problems)) {
    Redraw();
    return true;
  }
  // A link to nowhere counts as there: it names a file that saving would create behind it.
  const QFileInfo Info(FileName);
  const bool Exists = Info.exists() || Info.isSymLink();
  if (Quiet && !Exists) return false;
  QString Text;
  if (!Problems.empty())
    Text = CantReadFile + " " + FileName + ": line " + LineNumbers(Problems);
  else
    Text = Exists ? FileFailureText(Status, CantReadFile) : CantReadFile + " " + FileName;
  ShowError(Quiet ? RefusedAtStart(Text, !Problems.empty() || !Status.Missing()) : Text);
  return false;
}
