#include "app/calc/engine_user_data.h"

#include <QFile>

#include "app/calc/user_var_model.h"
#include "engine/numeric_procedures.h"
#include "engine/user_functions.h"
#include "engine/variables.h"
#include "platform/codepage.h"
#include "platform/file_identity.h"
#include "platform/text_file.h"

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
  if (!F) return QString();
  return F->Source.empty() ? FromCp1252(F->Line) : QString::fromStdString(F->Source);
}

TFunctionFileLine FunctionLine(const QString& Line) {
  TFunctionFileLine L;
  if (ToCp1252Exact(Line, L.Text)) return L;
  // The engine reads code page 1252. A comment may hold any character: the engine gets a stand-in
  // and the line keeps its own characters for the list and the file. In the definition itself a
  // character outside the code page would change the name or the text, so the line is refused.
  L.Source = Line.toStdString();
  L.Text = ToCp1252(Line);
  const qsizetype Semicolon = Line.indexOf(u';');
  const QString Definition = Semicolon < 0 ? Line : Line.left(Semicolon);
  const QString Bad = FirstNonCp1252(Definition);
  // The message travels in the engine's code page too, so the character is named by its number.
  if (!Bad.isEmpty())
    L.Refusal =
        ToCp1252("Invalid functions " + Line.trimmed() + " (the character U+" +
                 QString::number(Bad.toUcs4().value(0), 16).toUpper().rightJustified(4, '0') +
                 " cannot be used)");
  return L;
}

bool TEngineFunctions::Add(const QString& Text, QString& Refusal) {
  const TFunctionFileLine L = FunctionLine(Text);
  if (!L.Refusal.empty()) {
    Refusal = FromCp1252(L.Refusal);
    return false;
  }
  auto F = std::make_unique<TUserFunc>(L.Text);
  F->Source = L.Source;
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

bool TEngineFunctions::Load(const QString& FileName, std::vector<TFileLineProblem>& Problems,
                            TFileStatus& Status) {
  // Read as every user file is read: any encoding and line end, regular files only, within the
  // size limit.
  QStringList Lines;
  if (!ReadListLines(FileName, Lines, nullptr, &Status)) return false;
  std::vector<TFunctionFileLine> FileLines;
  FileLines.reserve(static_cast<size_t>(Lines.size()));
  for (const QString& Line : Lines) FileLines.push_back(FunctionLine(Line));
  TUserFunctions& L = Library();
  L.LoadLines(QFile::encodeName(FileName).toStdString(), FileLines);
  for (const TFunctionFileProblem& P : L.Problems)
    Problems.push_back({P.Line, FromCp1252(P.Message)});
  // Lines it does not take stay in the list, so a save gives them back.
  NoteFileRead(FileName);
  return true;
}

void MirrorUserVariables(TUserVarModel& Model) {
  Model.OnChange = [&Model] {
    UserVariables.clear();
    for (const TUserVarRecord& R : Model.Items()) UserVariables.push_back({R.Name, R.Id, R.Value});
  };
  Model.OnChange();
}
