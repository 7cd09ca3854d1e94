#pragma once
// What the graphics page needs of the calculator window: the formula in its input line, its lock
// on the pages while a plot is made, and where a plot's messages and formula go.
#include <QString>

struct TSideResult;

class TGraphicsPageHost {
 public:
  virtual ~TGraphicsPageHost() = default;
  // The input line's text: the formula a plot draws.
  virtual QString InputText() const = 0;
  virtual bool InComplexMode() const = 0;
  // True while the window reads its settings: the number fields are then filled, not typed.
  virtual bool LoadingSettings() const = 0;
  // True while this window or another one evaluates: no plot may start then.
  virtual bool Busy() const = 0;
  virtual void LockPages() = 0;
  virtual void UnlockPages() = 0;
  virtual void ShowAssistantText(const QString& S) = 0;
  // A failing point's error, in the result line.
  virtual void ShowEvalError(const TSideResult& Error) = 0;
  // A plotted formula enters the expression history.
  virtual void PutIntoExpressionHistory(const QString& Input) = 0;
};
