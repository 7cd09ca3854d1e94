#pragma once
// The "Variables" page: the letter variables X, Y, Z, V, W, I, J, K, M, N with their defining
// texts and values, evaluated one by one or all in order, saved to and loaded from *.VAR files.
#include <QWidget>

#include <array>
#include <bitset>
#include <string>

#include "engine/engine_state.h"

class QLineEdit;
class QPushButton;
class TCalcPagesHost;
class TLetterStore;
class TNxLabel;
class TRadioGroup;
class TSideEvaluation;

inline constexpr int PageLetterCount = 10;

class TVariablesPage : public QWidget {
  Q_OBJECT
 public:
  TVariablesPage(TCalcPagesHost& Host, TLetterStore& Letters, QWidget* Parent = nullptr);

  std::array<QLineEdit*, PageLetterCount> VarEdits{};       // edXVar ... edNvar
  std::array<QLineEdit*, PageLetterCount> ValueEdits{};     // edXVal ... edNval
  std::array<QPushButton*, PageLetterCount> EvalButtons{};  // bbXeval ... bbNeval
  TNxLabel* lbError;
  QPushButton* BitBtn3;   // "Calculate &All"
  QPushButton* BitBtn13;  // "&Save"
  QPushButton* BitBtn14;  // "&Load"
  QPushButton* bbVarHelp;
  TRadioGroup* rgUse;

  // Evaluates the text of E as letter Index (1..10) and shows the value in F. On success the
  // text (without blanks) and the value are stored; on failure the error is shown and the value
  // is left as it was. Answers success.
  bool EvaluateVariable(int Index, QLineEdit* E, QLineEdit* F);
  // The engine's request for an undefined letter that has a definition: evaluates the stored
  // definition. A failure keeps the engine's error state so that the enclosing evaluation fails.
  bool EngineEvaluateVariable(int Index);
  // Stores the ten fields' texts and evaluates them in order; false (nothing changed) while
  // another evaluation runs.
  bool CalculateAll();
  void FillVariablesPage();
  void SaveClick();
  void LoadClick();
  // The letter whose expression field has the focus (1..10), or 0.
  int FocusedLetter() const;

  // "&Save": the file is chosen first, so that Cancel changes nothing; then "Calculate &All" and
  // the file is written.
  // One *.VAR file: ten values and ten defining texts. Read is all or nothing: false, with the
  // numbers of the bad lines, when a value line is missing or unreadable, or a text is longer
  // than an input line holds or has a character outside the engine's code page (Why then names
  // the variable).
  static QStringList VarFileLines(const TLetterStore& Letters);
  static bool ParseVarFile(const QStringList& Lines, std::array<Extended, PageLetterCount>& Values,
                           std::array<std::string, PageLetterCount>& Texts, QList<int>& BadLines,
                           QString* Why = nullptr);
  // The longest defining text: what the expression field holds.
  static constexpr int MaxVarText = 32767;

 protected:
  void showEvent(QShowEvent* Event) override;

 private:
  // Evaluates the text of E as letter Index in the session Side (its own, or the one the engine
  // opened for the letter).
  bool Evaluate(TSideEvaluation& Side, int Index, QLineEdit* E, QLineEdit* F);
  TCalcPagesHost& FHost;
  TLetterStore& FLetters;
  // Letters whose evaluation is running: a definition that leads back to its own letter fails
  // instead of recursing without end.
  std::bitset<PageLetterCount + 1> FActive;
};
