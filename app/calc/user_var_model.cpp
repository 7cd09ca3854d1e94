#include "app/calc/user_var_model.h"

#include <algorithm>
#include <unordered_map>

#include "engine/side_eval.h"
#include "platform/codepage.h"
#include "platform/file_identity.h"
#include "platform/number_text.h"
#include "platform/text_file.h"

namespace {
std::string CutName(const std::string& Name) {
  return Name.size() > TUserVarModel::MaxNameLength ? Name.substr(0, TUserVarModel::MaxNameLength)
                                                    : Name;
}
}  // namespace

QString DisplayNumber(int Digits, Extended Value) { return FromCp1252(FormatAside(Digits, Value)); }

int TUserVarModel::IndexOf(const std::string& Name) const {
  const std::string N = CutName(Name);
  for (size_t I = 0; I < FItems.size(); ++I)
    if (FItems[I].Name == N) return static_cast<int>(I);
  return -1;
}

// Count + 1000 as long as nothing was deleted; after deletions the next number above every id
// still in use, so two variables never share an id.
int TUserVarModel::NextId() const {
  int Id = FirstId + Count();
  for (const TUserVarRecord& R : FItems) Id = std::max(Id, R.Id + 1);
  return Id;
}

int TUserVarModel::Add(const std::string& Name, Extended Value) {
  const int I = IndexOf(Name);
  int Id;
  if (I >= 0) {
    FItems[static_cast<size_t>(I)].Value = Value;
    Id = FItems[static_cast<size_t>(I)].Id;
  } else {
    Id = NextId();
    FItems.insert(FItems.begin(), TUserVarRecord{CutName(Name), Id, Value});
  }
  Changed();
  return Id;
}

bool TUserVarModel::Remove(int Index) {
  if (Index < 0 || Index >= Count()) return false;
  FItems.erase(FItems.begin() + Index);
  Changed();
  return true;
}

void TUserVarModel::Clear() {
  FItems.clear();
  Changed();
}

QString TUserVarModel::DisplayLine(int i, int Digits) const {
  const TUserVarRecord& R = Item(i);
  return FromCp1252(R.Name) + " = " + DisplayNumber(Digits, R.Value);
}

QString TUserVarModel::FileLine(int i) const {
  const TUserVarRecord& R = Item(i);
  return FromCp1252(R.Name) + " = " + QString::fromStdString(FloatToText(R.Value));
}

bool TUserVarModel::ParseLine(const QString& Line, std::string& Name, Extended& Value) {
  const qsizetype Eq = Line.indexOf('=');
  if (Eq < 0) return false;
  const QString N = Line.left(Eq).trimmed();
  if (N.isEmpty()) return false;
  const std::string V = Line.mid(Eq + 1).trimmed().toStdString();
  if (!TryTextToFloat(V, Value)) return false;
  // A name the engine's code page cannot hold would become another name ("π" and "λ" one and
  // the same): refused, not changed.
  return ToCp1252Exact(N, Name);
}

bool TUserVarModel::LoadFile(const QString& FileName, TFileStatus& Status,
                             std::vector<TFileLineProblem>& Problems) {
  QStringList Lines;
  if (!ReadListLines(FileName, Lines, nullptr, &Status)) return false;
  // Built apart and swapped in whole, so a bad line leaves the variables as they were.
  TUserVarModel Loaded;
  std::vector<std::pair<std::string, Extended>> Read;
  for (int L = 0; L < Lines.size(); ++L) {
    if (Lines[L].trimmed().isEmpty()) continue;
    std::string Name;
    Extended Value = 0;
    if (!ParseLine(Lines[L], Name, Value))
      Problems.push_back({L + 1, Lines[L]});
    else
      Read.emplace_back(Name, Value);
  }
  if (!Problems.empty()) {
    NoteUnreadFile(FileName);  // its other lines would be lost by a save over it
    return false;
  }
  NoteFileRead(FileName);
  // The list keeps the file's order; a name given twice keeps its first place and its last
  // value, as repeated assignments do. Names are looked up by hash: a file of a million lines
  // reads in linear time.
  std::unordered_map<std::string, size_t> Where;
  Where.reserve(Read.size());
  for (const auto& [Name, Value] : Read) {
    const auto [It, New] = Where.try_emplace(CutName(Name), Loaded.FItems.size());
    if (New)
      Loaded.FItems.push_back(TUserVarRecord{It->first, 0, Value});
    else
      Loaded.FItems[It->second].Value = Value;
  }
  // Ids as if the lines had been created from the last to the first.
  const int N = Loaded.Count();
  for (int I = 0; I < N; ++I) Loaded.FItems[static_cast<size_t>(I)].Id = FirstId + N - 1 - I;
  FItems = std::move(Loaded.FItems);
  Changed();
  return true;
}

TFileStatus TUserVarModel::SaveFile(const QString& FileName) const {
  QStringList Lines;
  for (int I = 0; I < Count(); ++I) Lines << FileLine(I);
  return WriteTextLines(FileName, Lines);
}
