#pragma once
// The keypads, the keyboard shortcuts, the assistant and the variable, user-variable,
// user-function and constant pages of the main window, with the two callbacks the engine makes
// into them. The window creates one TCalcPages with itself as host, puts the pages into its tabs,
// forwards its keys to FormKeyDown and its assistant tick to AssistantTick, and answers the
// engine's requests through EvaluateVariable, AddUserVariable and SetVariableDialog.
#include <QObject>
#include <QPointer>

#include <functional>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "app/calc/calc_pages_host.h"
#include "app/calc/keypad_keys.h"

class QAbstractButton;
class QWidget;
class TConstantsPage;
class TSetVar;
class TUserFuncsPage;
class TUserVarsPage;
class TVariablesPage;

class TCalcPages : public QObject {
  Q_OBJECT
 public:
  // The pages over the engine's own letter variables, user functions and user variables.
  explicit TCalcPages(TCalcPagesHost& Host, QWidget* DialogOwner = nullptr);
  // The pages over other stores (tests).
  TCalcPages(TCalcPagesHost& Host, TLetterStore& Letters, TFunctionLibrary& Library,
             QWidget* DialogOwner = nullptr);
  ~TCalcPages() override;

  // Fills a keypad container with the keys of "Calculator" (Second false) or "Ex-calc".
  void BuildKeypad(QWidget* Keys, bool Second);
  // The key of this name, or null.
  QAbstractButton* Key(const QString& Name) const;

  // The pages; the window puts them into its tab sheets (they are parented there).
  TVariablesPage* Variables;
  TUserVarsPage* UserVars;
  TUserFuncsPage* UserFuncs;
  // The set-variable dialog: the one start-up made, else one of the pages' own.
  TSetVar& SetVarForm();

  int CurrentFuncId = -1;

  // The shared click of every key.
  void Clicker(QAbstractButton* Sender);
  // A letter key (1..10, also Alt+letter): the letter, or the set-variable dialog when
  // "Evaluate" is checked (then the input line is evaluated if the dialog asks for it).
  void LetterKey(int Index);
  void ClearAll();
  // Shows letter k's set-variable dialog; true on OK.
  bool ShowSetVariable(int k);

  // The window's key handling. Page is the index of the page shown. Answers true when the key
  // was used up; false lets it go on to the control that has the focus.
  bool FormKeyDown(int QtKey, Qt::KeyboardModifiers Modifiers, int Page);
  // The tick of the assistant timer.
  void AssistantTick();
  void ShowFunctionHelp(int Id);
  // The assistant check box was switched.
  void AssistantSwitched(bool Checked);
  // Relabels the keys that differ in complex mode.
  void SetComplexKeys(bool Complex);

  // ---- the engine's callbacks ----
  bool EvaluateVariable(int k);
  int AddUserVariable(const std::string& Name, bool ShowInList, Extended Value);
  bool SetVariableDialog(int k);

  // How a modal form runs (tests answer it).
  std::function<int(TSetVar&)> RunModal;

 private:
  void RunShortcut(const TShortcut& S);
  void Create(QWidget* DialogOwner);
  TCalcPagesHost& FHost;
  std::unique_ptr<TLetterStore> FOwnLetters;
  std::unique_ptr<TFunctionLibrary> FOwnLibrary;
  QWidget* FDialogOwner = nullptr;
  QPointer<TSetVar> FOwnSetVar;
  // What the pages made; freed here unless a window took it over (or already freed it).
  std::vector<QPointer<QWidget>> FOwned;
  TLetterStore& FLetters;
  TFunctionLibrary& FLibrary;
  std::map<QAbstractButton*, const TKeyDef*> FKeyDefs;
  std::map<QString, QAbstractButton*> FKeys;
};
