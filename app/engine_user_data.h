#pragma once
// The engine's letter variables, user functions and user variables as the pages reach them.
#include "app/calc_pages_host.h"

class TUserVarModel;

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
  bool Load(const QString& FileName, std::vector<TFileLineProblem>& Problems) override;
};

// Keeps the engine's list of user variables a copy of the model after every change.
void MirrorUserVariables(TUserVarModel& Model);
