#include "plot/core/graph_file_name_utils.h"

namespace {
bool IsDelimiter(QChar C) { return C == u'\0' || C == u':' || C == u'\\' || C == u'/'; }
bool IsSlash(QChar C) { return C == u'\\' || C == u'/'; }

qsizetype LastDelimiter(const QString& S) {
  for (qsizetype i = S.size() - 1; i >= 0; --i)
    if (IsDelimiter(S[i])) return i;
  return -1;
}
}  // namespace

QString ExtractNamePart(const QString& Path) { return Path.mid(LastDelimiter(Path) + 1).left(255); }

QString ExtractDirPart(const QString& Path) {
  qsizetype P = LastDelimiter(Path);
  if (P < 0) return {};
  if (P == 0) return Path.left(1);
  if (Path[P] == u':') return Path.left(P + 1);
  if (IsSlash(Path[P]) && Path[P - 1] == u':') return Path.left(P + 1);
  QString Dir = Path.left(P);
  if (!Dir.isEmpty() && IsSlash(Dir.back())) Dir.chop(1);
  return Dir;
}

QString AddBackslash(const QString& S) {
  if (!S.isEmpty() && IsDelimiter(S.back())) return S;
  bool Backslashes = S.contains(u'\\') && !S.contains(u'/');
  return S + (Backslashes ? u'\\' : u'/');
}

bool HasExtension(const QString& Name, int& DotPos) {
  qsizetype Dot = Name.lastIndexOf(u'.');
  DotPos = static_cast<int>(Dot);
  if (Dot < 0) return false;
  QString After = Name.mid(Dot + 1);
  if (After.size() > 64) return false;
  for (QChar C : After)
    if (IsDelimiter(C)) return false;
  return true;
}

QString PathWithoutExt(const QString& Path) {
  QString Name = ExtractNamePart(Path);
  int Dot = 0;
  if (HasExtension(Name, Dot)) Name = Name.left(Dot);
  QString Dir = ExtractDirPart(Path);
  return Dir.isEmpty() ? Name : AddBackslash(Dir) + Name;
}
