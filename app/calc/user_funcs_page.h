#pragma once
// The "User Functionss" page: the engine's user functions listed one per line, added or replaced
// from a name and an expression, deleted, saved to and loaded from *.FNC files. The list is always
// drawn from the engine's library, so both stay in step.
#include <QWidget>

class QLineEdit;
class QListWidget;
class TTextListBox;
class QPushButton;
class TCalcPagesHost;
class TFunctionLibrary;

class TUserFuncsPage : public QWidget {
  Q_OBJECT
 public:
  TUserFuncsPage(TCalcPagesHost& Host, TFunctionLibrary& Library, QWidget* Parent = nullptr);

  QLineEdit* edFuncName;
  QLineEdit* edFuncExpres;
  TTextListBox* lbFuncs;
  QPushButton* btFuncAdd;
  QPushButton* btFuncDelete;
  QPushButton* btFuncSave;
  QPushButton* btFuncLoad;
  QPushButton* btFuncSaveAs;

  // Adds (or replaces) one function; a refused definition gives the warning box.
  bool AddUserFunction(const QString& Text);
  void FillFunctionsList();
  // Loads a function file into the engine and lists it. Quiet (at start): a missing file is no
  // error, and a refusal says what becomes of the file.
  bool LoadUserFunctions(const QString& FileName, bool Quiet = false);

  void lbFuncsClick(int Row);
  void btFuncAddClick();
  void btFuncDeleteClick();
  void btFuncSaveClick();
  void btFuncSaveAsClick();
  void btFuncLoadClick();

 private:
  bool Save(const QString& FileName);
  TCalcPagesHost& FHost;
  TFunctionLibrary& FLibrary;
};

bool IsFunctionNameChar(QChar C);
