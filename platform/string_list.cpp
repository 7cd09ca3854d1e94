#include "platform/string_list.h"

#include "platform/text_file.h"

#include <algorithm>

int TStringList::Compare(const QString& A, const QString& B) const {
  return QString::compare(A, B, FCaseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive);
}

void TStringList::CheckIndex(int Index) const {
  if (Index < 0 || Index >= Count())
    throw EStringListError("List index out of bounds (" + std::to_string(Index) + ")");
}

const QString& TStringList::Strings(int Index) const {
  CheckIndex(Index);
  return FItems[Index];
}

void TStringList::SetStrings(int Index, const QString& S) {
  if (FSorted) throw EStringListError("Operation not allowed on sorted list");
  CheckIndex(Index);
  FItems[Index] = S;
}

int TStringList::Add(const QString& S) {
  if (!FSorted) {
    FItems.append(S);
    return Count() - 1;
  }
  int Index = 0;
  if (Find(S, Index)) {
    if (FDuplicates == dupIgnore) return Index;
    if (FDuplicates == dupError) throw EStringListError("String list does not allow duplicates");
  }
  FItems.insert(Index, S);
  return Index;
}

void TStringList::AddStrings(const QStringList& Lines) {
  for (const QString& S : Lines) Add(S);
}

void TStringList::Insert(int Index, const QString& S) {
  if (FSorted) throw EStringListError("Operation not allowed on sorted list");
  if (Index < 0 || Index > Count())
    throw EStringListError("List index out of bounds (" + std::to_string(Index) + ")");
  FItems.insert(Index, S);
}

void TStringList::Delete(int Index) {
  CheckIndex(Index);
  FItems.removeAt(Index);
}

void TStringList::Exchange(int A, int B) {
  CheckIndex(A);
  CheckIndex(B);
  FItems.swapItemsAt(A, B);
}

void TStringList::Move(int From, int To) {
  CheckIndex(From);
  CheckIndex(To);
  FItems.move(From, To);
}

int TStringList::IndexOf(const QString& S) const {
  if (FSorted) {
    int Index = 0;
    return Find(S, Index) ? Index : -1;
  }
  for (int i = 0; i < Count(); ++i)
    if (Compare(FItems[i], S) == 0) return i;
  return -1;
}

bool TStringList::Find(const QString& S, int& Index) const {
  // Lower bound, so the first of equal strings is found.
  int Lo = 0, Hi = Count();
  while (Lo < Hi) {
    int Mid = (Lo + Hi) / 2;
    if (Compare(FItems[Mid], S) < 0)
      Lo = Mid + 1;
    else
      Hi = Mid;
  }
  Index = Lo;
  return Lo < Count() && Compare(FItems[Lo], S) == 0;
}

void TStringList::Sort() {
  std::stable_sort(FItems.begin(), FItems.end(),
                   [this](const QString& A, const QString& B) { return Compare(A, B) < 0; });
}

void TStringList::SetSorted(bool Value) {
  if (Value && !FSorted) Sort();
  FSorted = Value;
}

void TStringList::SetCaseSensitive(bool Value) {
  FCaseSensitive = Value;
  if (FSorted) Sort();
}

QString TStringList::Text() const {
  QString S;
  for (const QString& Line : FItems) {
    S += Line;
    S += u'\n';
  }
  return S;
}

void TStringList::SetText(const QString& Text) { Assign(SplitLines(Text)); }

void TStringList::Assign(const QStringList& Lines) {
  FItems.clear();
  if (FSorted) {
    AddStrings(Lines);
  } else {
    FItems = Lines;
  }
}

QString TStringList::Names(int Index) const {
  const QString& S = Strings(Index);
  qsizetype p = S.indexOf(u'=');
  return p < 0 ? QString() : S.left(p);
}

QString TStringList::ValueFromIndex(int Index) const {
  const QString& S = Strings(Index);
  qsizetype p = S.indexOf(u'=');
  return p < 0 ? QString() : S.mid(p + 1);
}

int TStringList::IndexOfName(const QString& Name) const {
  for (int i = 0; i < Count(); ++i) {
    qsizetype p = FItems[i].indexOf(u'=');
    if (p >= 0 && Compare(FItems[i].left(p), Name) == 0) return i;
  }
  return -1;
}

QString TStringList::Values(const QString& Name) const {
  int i = IndexOfName(Name);
  return i < 0 ? QString() : ValueFromIndex(i);
}

void TStringList::SetValue(const QString& Name, const QString& Value) {
  int i = IndexOfName(Name);
  if (Value.isEmpty()) {
    if (i >= 0) FItems.removeAt(i);
    return;
  }
  QString Line = Name + u'=' + Value;
  if (i < 0) {
    Add(Line);
  } else if (FSorted) {
    FItems.removeAt(i);
    Add(Line);
  } else {
    FItems[i] = Line;
  }
}

bool TStringList::LoadFromFile(const QString& FileName, QString* Error) {
  QStringList Lines;
  if (!ReadTextLines(FileName, Lines, Error)) return false;
  Assign(Lines);
  return true;
}

TFileStatus TStringList::SaveToFile(const QString& FileName) const {
  return WriteTextLines(FileName, FItems);
}
