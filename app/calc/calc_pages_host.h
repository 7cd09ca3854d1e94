#pragma once
// What the keypad, variable, user-variable, user-function and constant pages need of the main
// window and of the engine's lists. The window implements TCalcPagesHost; the engine's letter
// variables and function library are reached through TLetterStore and TFunctionLibrary, so that
// the pages stay testable with simple stand-ins.
#include <QString>

#include <string>
#include <vector>

#include "engine/engine_state.h"
#include "platform/text_file.h"

class QLabel;
class QLineEdit;

class TCalcPagesHost {
 public:
  virtual ~TCalcPagesHost() = default;

  // The input line, and the one way text goes into it (at the caret, replacing the selection).
  virtual QLineEdit* InputLine() = 0;
  virtual void SetFunc(const QString& S) = 0;
  // Evaluates the input line as Enter does; true when a result was shown.
  virtual bool ReturnClick() = 0;
  // True while an evaluation or a plot runs: nothing may start another one or edit the input.
  virtual bool Evaluating() const = 0;

  virtual int Digits() const = 0;
  virtual bool ComplexMode() const = 0;
  // The "Evaluate" check box of the keypads (letter keys open the set-variable dialog).
  virtual bool EvaluateChecked() const = 0;
  // The "Assistant" check box and its panel.
  virtual bool AssistantChecked() const = 0;
  virtual QLabel* AssistantPanel() = 0;
  // Starts the one-tick assistant timer.
  virtual void StartAssistant() = 0;
  // The newest entry of the expression history ("" when empty).
  virtual QString FirstHistoryItem() const = 0;
  // "Clear All": empties both history lists.
  virtual void ClearHistories() = 0;

  // Opens the application's help at a topic.
  virtual void ShowHelp(int Context) = 0;

  // The current user-variables and user-functions files; setting one also records it in the
  // settings file ([Files] "Variables" / "Functions") for the next start.
  virtual QString UserVarFile() const = 0;
  virtual void SetUserVarFile(const QString& FileName) = 0;
  virtual QString UserFuncFile() const = 0;
  virtual void SetUserFuncFile(const QString& FileName) = 0;
};

// The engine's letter variables, slots 1..12 in the order "XYZVWIJKMNLU".
class TLetterStore {
 public:
  virtual ~TLetterStore() = default;
  virtual Extended Value(int k) const = 0;
  virtual void SetValue(int k, Extended V) = 0;
  virtual std::string Expr(int k) const = 0;
  virtual void SetExpr(int k, const std::string& S) = 0;
  // Both bounds of the last integration or solving interval become undefined.
  virtual void ClearIntervalBounds() = 0;
};

// A line of a user file that was kept but could not be read.
struct TFileLineProblem {
  int Line = 0;  // 1-based
  QString Message;
};

// The engine's user-function library, one entry per line of its file.
class TFunctionLibrary {
 public:
  virtual ~TFunctionLibrary() = default;
  virtual int Count() const = 0;
  // The entry as the list shows it and the file keeps it: a definition with its comment, a
  // comment line, or a line that the engine could not read, unchanged.
  virtual QString Line(int i) const = 0;
  // Builds a function from Text; a valid one replaces any function of the same name and goes in
  // at index 0. False with the reason in Refusal when Text is no valid definition.
  virtual bool Add(const QString& Text, QString& Refusal) = 0;
  virtual void Remove(int i) = 0;
  // Replaces the library with the file's entries; unreadable lines are kept and listed in
  // Problems. False, with nothing changed and the reason in Status, when the file cannot be read.
  virtual bool Load(const QString& FileName, std::vector<TFileLineProblem>& Problems,
                    TFileStatus& Status) = 0;
};
