#pragma once
// The engine's letter variables, user functions and user variables as the pages reach them.
#include "app/calc/calc_pages_host.h"

class TUserVarModel;
struct TFunctionFileLine;

// A line of a function file or of the page as the engine gets it: code page 1252, with the line's
// own characters kept when the code page cannot hold them, and refused when they stand in the
// definition itself.
TFunctionFileLine FunctionLine(const QString& Line);

class TEngineLetters : public TLetterStore {
 public:
  Extended Value(int k) const override;
  void SetValue(int k, Extended V) override;
  std::string Expr(int k) const override;
  void SetExpr(int k, const std::string& S) override;
  void ClearIntervalBounds() override;
};

// The engine's UserFunctions library (created on first use).
class TEngineFunctions : public TFunctionLibrary {
 public:
  int Count() const override;
  QString Line(int i) const override;
  bool Add(const QString& Text, QString& Refusal) override;
  void Remove(int i) override;
  bool Load(const QString& FileName, std::vector<TFileLineProblem>& Problems,
            TFileStatus& Status) override;
};

// Keeps the engine's list of user variables a copy of the model after every change.
void MirrorUserVariables(TUserVarModel& Model);
