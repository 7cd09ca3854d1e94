#pragma once
// The "User Variables" page: named variables added from a name and an expression, listed from
// the one model of user variables, saved to and loaded from *.USR files.
#include <QWidget>

#include "app/calc/user_var_model.h"

class QLineEdit;
class QListWidget;
class QPushButton;
class TCalcPagesHost;

class TUserVarsPage : public QWidget {
  Q_OBJECT
 public:
  TUserVarsPage(TCalcPagesHost& Host, QWidget* Parent = nullptr);

  QLineEdit* edName;
  QLineEdit* edValue;
  QListWidget* lbVars;
  QPushButton* btAdd;
  QPushButton* btDelete;
  QPushButton* btSave;
  QPushButton* btLoad;
  QPushButton* btSaveAs;

  TUserVarModel& Model() { return FModel; }

  // Creates or updates the variable Name and answers its id (the engine calls this for an
  // assignment to a new name). The list is always drawn from the model, so ShowInList only says
  // whether the list is redrawn now.
  int AddUserVariable(const std::string& Name, bool ShowInList, Extended Value);
  // Replaces the variables with those of the file. Quiet (at start): a file that does not exist
  // is no error (the first start), and a refusal says what becomes of the file.
  bool LoadUserVariables(const QString& FileName, bool Quiet = false);
  // Draws the list from the model in the current display mode, keeping the chosen line.
  void Redraw();

  void btAddClick();
  void btDeleteClick();
  void btSaveClick();
  void btSaveAsClick();
  void btLoadClick();
  void lbVarsDblClick(int Row);

 protected:
  void showEvent(QShowEvent* Event) override;

 private:
  bool Save(const QString& FileName);
  TCalcPagesHost& FHost;
  TUserVarModel FModel;
};

// Keeps only the characters Allowed accepts, removing the first other one at a time as typing
// would, with the caret before the removed character's place (after the first character when it
// was the first).
void FilterEditText(QLineEdit* Edit, bool (*Allowed)(QChar));
bool IsNameLetter(QChar C);
