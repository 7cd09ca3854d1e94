#include "app/engine_user_data.h"

#include <QFile>
#include <QFileInfo>

#include <exception>

#include "app/user_var_model.h"
#include "engine/numeric_procedures.h"
#include "engine/user_functions.h"
#include "engine/variables.h"
#include "platform/codepage.h"

namespace {
bool ValidSlot(int k) { return k >= 1 && k <= LetterCount; }

TUserFunctions& Library() {
  CreateUserFunctions();
  return *UserFunctions;
}
}  // namespace

Extended TEngineLetters::Value(int k) const {
  return ValidSlot(k) ? VarValues[static_cast<size_t>(k)] : UndefinedValue;
}

void TEngineLetters::SetValue(int k, Extended V) {
  if (ValidSlot(k)) VarValues[static_cast<size_t>(k)] = V;
}

std::string TEngineLetters::Expr(int k) const {
  return ValidSlot(k) ? VarExprs[static_cast<size_t>(k)] : std::string();
}

void TEngineLetters::SetExpr(int k, const std::string& S) {
  if (ValidSlot(k)) VarExprs[static_cast<size_t>(k)] = S;
}

void TEngineLetters::ClearIntervalBounds() { ResetIntervalBounds(); }

int TEngineFunctions::Count() const { return Library().GetCount(); }

QString TEngineFunctions::Line(int i) const {
  const TUserFunc* F = Library().GetItem(i);
  return F ? FromCp1252(F->Line) : QString();
}

bool TEngineFunctions::Add(const QString& Text, QString& Refusal) {
  auto F = std::make_unique<TUserFunc>(ToCp1252(Text));
  if (!F->Valid) {
    Refusal = FromCp1252(F->Refusal());
    return false;
  }
  auto& Items = Library().Items;
  // Comment entries have no name and are never replaced.
  if (!F->Name.empty())
    std::erase_if(Items, [&](const std::unique_ptr<TUserFunc>& G) { return G->Name == F->Name; });
  Items.insert(Items.begin(), std::move(F));
  return true;
}

void TEngineFunctions::Remove(int i) {
  auto& Items = Library().Items;
  if (i >= 0 && i < static_cast<int>(Items.size())) Items.erase(Items.begin() + i);
}

bool TEngineFunctions::Load(const QString& FileName, std::vector<TFileLineProblem>& Problems) {
  TUserFunctions& L = Library();
  // The library's reader throws on what is no plain file (a directory); only files are offered.
  const QFileInfo Info(FileName);
  if (!Info.isFile() || !Info.isReadable()) return false;
  try {
    if (!L.LoadFromFile(QFile::encodeName(FileName).toStdString())) return false;
  } catch (const std::exception&) {
    return false;
  }
  for (const TFunctionFileProblem& P : L.Problems)
    Problems.push_back({P.Line, FromCp1252(P.Message)});
  return true;
}

void MirrorUserVariables(TUserVarModel& Model) {
  Model.OnChange = [&Model] {
    UserVariables.clear();
    for (const TUserVarRecord& R : Model.Items()) UserVariables.push_back({R.Name, R.Id, R.Value});
  };
  Model.OnChange();
}
