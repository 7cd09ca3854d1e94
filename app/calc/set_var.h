#pragma once
// The set-variable dialog: asks for the defining text of one letter variable, evaluates it and
// stores the text and the value only when the evaluation succeeds.
#include "platform/form.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TCalcPagesHost;
class TLetterStore;

class TSetVar : public TForm {
  Q_OBJECT
 public:
  explicit TSetVar(QWidget* Owner = nullptr);
  // The window and the letter variables the dialog works with.
  void Bind(TCalcPagesHost* Host, TLetterStore* Letters);

  QLineEdit* Edit1;  // the defining text
  QLineEdit* Edit2;  // the value, or the error of the last try
  QLabel* lbExp;
  QLabel* lbValue;
  QCheckBox* cbEval;  // "Evaluate after settings"
  QPushButton* OKBtn;
  QPushButton* CancelBtn;
  QPushButton* HelpBtn;
  int VarIndex = 0;
  // Set while the running evaluation has opened the dialog for a letter it reads: OK then
  // evaluates as part of that evaluation. Opened by a letter key, OK is an evaluation of its own
  // and is refused while another one runs.
  bool AskedByEngine = false;

  // Shows letter k (1..12): its defining text and its value ("undefined" when it has none).
  void Prepare(int k);
  // Evaluates Edit1; on success stores the text (without blanks) and the value and closes with
  // OK, else shows the error and stays open.
  void OKBtnClick();

 protected:
  void showEvent(QShowEvent* Event) override;

 private:
  TCalcPagesHost* FHost = nullptr;
  TLetterStore* FLetters = nullptr;
};

// The one made at start-up; null before start-up and after it frees its windows.
extern TSetVar* SetVar;
