#include "app/calc/user_funcs_page.h"

#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>

#include <QPushButton>
#include <QVBoxLayout>
#include "app/common/engine_text.h"
#include "widgets/text_list_box.h"

#include "app/calc/calc_pages_host.h"
#include "app/calc/user_vars_page.h"
#include "app/common/calc_controls.h"
#include "app/common/dm.h"
#include "engine/user_functions.h"
#include "platform/app_services.h"
#include "platform/cursors.h"
#include "platform/dialogs.h"
#include "platform/file_identity.h"
#include "platform/text_file.h"
#include "widgets/nx_label.h"

bool IsFunctionNameChar(QChar C) {
  return IsNameLetter(C) || C == QLatin1Char('(') || C == QLatin1Char(')') || C == QLatin1Char(',');
}

namespace {
QPushButton* NewButton(const char* Name, const QString& Caption, QWidget* Parent) {
  auto* B = new QPushButton(Caption, Parent);
  B->setObjectName(Name);
  return B;
}
}  // namespace

TUserFuncsPage::TUserFuncsPage(TCalcPagesHost& Host, TFunctionLibrary& Library, QWidget* Parent)
    : QWidget(Parent), FHost(Host), FLibrary(Library) {
  setObjectName("tsFuncsPage");
  edFuncName = new QLineEdit(this);
  edFuncName->setObjectName("edFuncName");
  edFuncExpres = new QLineEdit(this);
  edFuncExpres->setObjectName("edFuncExpres");
  lbFuncs = new TTextListBox(this);
  lbFuncs->setObjectName("lbFuncs");
  lbFuncs->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  btFuncAdd = NewButton("btFuncAdd", "&Add/Modify", this);
  btFuncDelete = NewButton("btFuncDelete", "&Delete", this);
  btFuncSave = NewButton("btFuncSave", "&Save", this);
  btFuncLoad = NewButton("btFuncLoad", "&Load", this);
  btFuncSaveAs = NewButton("btFuncSaveAs", "Save &As", this);

  auto* Root = new QHBoxLayout(this);
  auto* Left = new QVBoxLayout;
  auto* Fields = new QFormLayout;
  Fields->addRow(NewLabel("lbFuncName", "Name", this), edFuncName);
  Fields->addRow(NewLabel("lbFuncExpres", "Expression", this), edFuncExpres);
  Left->addLayout(Fields);
  Left->addWidget(lbFuncs, 1);
  Root->addLayout(Left, 1);
  auto* Buttons = new QVBoxLayout;
  for (QPushButton* B : {btFuncAdd, btFuncDelete, btFuncSave, btFuncLoad, btFuncSaveAs})
    Buttons->addWidget(B);
  Buttons->addStretch();
  Root->addLayout(Buttons);

  connect(edFuncName, &QLineEdit::textEdited, this,
          Guarded([this] { FilterEditText(edFuncName, IsFunctionNameChar); }));
  connect(lbFuncs, &QListWidget::itemClicked, this,
          Guarded([this](QListWidgetItem* Item) { lbFuncsClick(lbFuncs->row(Item)); }));
  connect(btFuncAdd, &QPushButton::clicked, this, Guarded([this] { btFuncAddClick(); }));
  connect(btFuncDelete, &QPushButton::clicked, this, Guarded([this] { btFuncDeleteClick(); }));
  connect(btFuncSave, &QPushButton::clicked, this, Guarded([this] { btFuncSaveClick(); }));
  connect(btFuncSaveAs, &QPushButton::clicked, this, Guarded([this] { btFuncSaveAsClick(); }));
  connect(btFuncLoad, &QPushButton::clicked, this, Guarded([this] { btFuncLoadClick(); }));
}

void TUserFuncsPage::lbFuncsClick(int Row) {
  if (Row < 0 || Row >= lbFuncs->count()) return;
  const QString Line = lbFuncs->item(Row)->text();
  const qsizetype Eq = Line.indexOf('=');
  // The whole definition, comment included, goes into the fields, so Add/Modify gives it back.
  edFuncName->setText(Eq < 0 ? Line.trimmed() : Line.left(Eq).trimmed());
  edFuncExpres->setText(Eq < 0 ? QString() : Line.mid(Eq + 1).trimmed());
}

bool TUserFuncsPage::AddUserFunction(const QString& Text) {
  QString Refusal;
  if (FLibrary.Add(Text, Refusal)) return true;
  // A text too long for any function is told by that reason: the text itself is no message.
  ShowWarning(Text.size() > qsizetype(MaxUserBodyLength) ? Refusal
                                                         : "Invalid user function " + Text);
  return false;
}

void TUserFuncsPage::FillFunctionsList() {
  const int Row = lbFuncs->currentRow();
  lbFuncs->clear();
  // Handed over whole: the list lays itself out once, not once per line.
  QStringList Lines;
  Lines.reserve(FLibrary.Count());
  for (int I = 0; I < FLibrary.Count(); ++I) Lines << FLibrary.Line(I);
  lbFuncs->addItems(Lines);
  if (Row >= 0 && Row < lbFuncs->count()) lbFuncs->setCurrentRow(Row);
}

void TUserFuncsPage::btFuncAddClick() {
  if (FHost.Evaluating() || !FitsTheEngine(edFuncExpres->text())) return;
  // A long body takes its time to be read and listed.
  const TBusyCursor Hourglass;
  AddUserFunction(edFuncName->text() + " = " + edFuncExpres->text());
  FillFunctionsList();
}

void TUserFuncsPage::btFuncDeleteClick() {
  const int Row = lbFuncs->currentRow();
  if (Row < 0 || Row >= FLibrary.Count() || FHost.Evaluating()) return;
  FLibrary.Remove(Row);
  FillFunctionsList();
}

bool TUserFuncsPage::Save(const QString& FileName) {
  // The writer keeps every file that could not be read, whichever way it was chosen.
  QStringList Lines;
  for (int I = 0; I < FLibrary.Count(); ++I) Lines << FLibrary.Line(I);
  const TFileStatus S = WriteTextLines(FileName, Lines);
  if (!S.Ok()) ShowError(FileFailureText(S, CantCreateFile));
  return S.Ok();
}

void TUserFuncsPage::btFuncSaveClick() { Save(FHost.UserFuncFile()); }

void TUserFuncsPage::btFuncSaveAsClick() {
  TSaveDialog& D = SharedSaveDialog();
  D.Title = "Save functions to File";
  D.DefaultExt = "FNC";
  D.Filter = "User functions files (*.FNC)|*.FNC";
  D.FileName = FHost.UserFuncFile();
  if (!D.Execute()) return;
  if (Save(D.FileName)) FHost.SetUserFuncFile(D.FileName);
}

void TUserFuncsPage::btFuncLoadClick() {
  if (FHost.Evaluating()) return;
  TOpenDialog& D = SharedOpenDialog();
  D.Title = "Load functions from File";
  D.DefaultExt = "FNC";
  D.Filter = "User functions files (*.FNC)|*.FNC";
  if (!D.Execute()) return;
  LoadUserFunctions(D.FileName);
}

bool TUserFuncsPage::LoadUserFunctions(const QString& Asked, bool Quiet) {
  const QString FileName = CleanFileName(Asked);
  std::vector<TFileLineProblem> Problems;
  TFileStatus Status;
  if (!FLibrary.Load(FileName, Problems, Status)) {
    const QFileInfo Info(FileName);
    const bool Exists = Info.exists() || Info.isSymLink();
    if (!Exists && Quiet) return false;
    const QString Text =
        Exists ? FileFailureText(Status, CantReadFile) : CantReadFile + " " + FileName;
    ShowError(Quiet ? RefusedAtStart(Text, !Status.Missing()) : Text);
    return false;
  }
  FillFunctionsList();
  if (!Problems.empty()) {
    // The lines stay in the list and in the file; only their functions are not available.
    QStringList Lines;
    for (const TFileLineProblem& P : Problems)
      Lines << "line " + QString::number(P.Line) + ": " + P.Message;
    ShowWarning("Invalid user function in " + FileName + "\n" + Lines.join("\n"));
  }
  return true;
}
