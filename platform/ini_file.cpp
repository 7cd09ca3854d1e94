#include "platform/ini_file.h"

#include "platform/number_text.h"
#include "platform/text_file.h"

#include <QFileInfo>

namespace {

bool Same(const QString& A, const QString& B) {
  return QString::compare(A, B, Qt::CaseInsensitive) == 0;
}

TIniFile::TSection* FindSection(std::vector<TIniFile::TSection>& Data, const QString& Name) {
  for (auto& S : Data)
    if (Same(S.Name, Name)) return &S;
  return nullptr;
}

const TIniFile::TSection* FindSection(const std::vector<TIniFile::TSection>& Data,
                                      const QString& Name) {
  for (const auto& S : Data)
    if (Same(S.Name, Name)) return &S;
  return nullptr;
}

const TIniFile::TKey* FindKey(const TIniFile::TSection* S, const QString& Ident) {
  if (!S) return nullptr;
  for (const auto& K : S->Keys)
    if (Same(K.Name, Ident)) return &K;
  return nullptr;
}

// A line break inside a name or value would break the file's line structure.
QString OneLine(QString S) {
  S.replace(u'\r', u' ');
  S.replace(u'\n', u' ');
  return S.trimmed();
}

}  // namespace

std::vector<TIniFile::TSection> ParseIniText(const QString& Text) {
  std::vector<TIniFile::TSection> Data;
  TIniFile::TSection* Current = nullptr;
  for (const QString& Raw : SplitLines(Text)) {
    QString Line = Raw.trimmed();
    if (Line.isEmpty()) continue;
    if (Line.startsWith(u'[')) {
      qsizetype Close = Line.indexOf(u']');
      if (Close < 0) {
        Current = nullptr;  // keys under a broken header have no section
        continue;
      }
      QString Name = Line.mid(1, Close - 1).trimmed();
      Current = FindSection(Data, Name);
      if (!Current) {
        Data.push_back({Name, {}});
        Current = &Data.back();
      }
      continue;
    }
    qsizetype Eq = Line.indexOf(u'=');
    if (!Current || Eq <= 0 || Line.startsWith(u';')) continue;
    QString Key = Line.left(Eq).trimmed();
    if (Key.isEmpty() || FindKey(Current, Key)) continue;
    Current->Keys.push_back({Key, Line.mid(Eq + 1).trimmed()});
  }
  return Data;
}

QString IniText(const std::vector<TIniFile::TSection>& Data) {
  QString S;
  for (size_t i = 0; i < Data.size(); ++i) {
    if (i > 0) S += u'\n';
    S += u'[' + Data[i].Name + QStringLiteral("]\n");
    for (const auto& K : Data[i].Keys) S += K.Name + u'=' + K.Value + u'\n';
  }
  return S;
}

TIniFile::TIniFile(const QString& FileName) : FFileName(FileName) {
  if (!QFileInfo::exists(FileName)) return;
  QString Text;
  if (ReadTextFile(FileName, Text))
    FData = ParseIniText(Text);
  else
    FReadFailed = true;
}

TIniFile::~TIniFile() {
  if (Modified()) UpdateFile();
}

void TIniFile::Apply(std::vector<TSection>& Data, const TPending& P) const {
  switch (P.Op) {
    case TOp::Write: {
      TSection* S = FindSection(Data, P.Section);
      if (!S) {
        Data.push_back({P.Section, {}});
        S = &Data.back();
      }
      for (auto& K : S->Keys)
        if (Same(K.Name, P.Ident)) {
          K.Value = P.Value;
          return;
        }
      S->Keys.push_back({P.Ident, P.Value});
      return;
    }
    case TOp::DeleteKey:
      if (TSection* S = FindSection(Data, P.Section))
        std::erase_if(S->Keys, [&](const TKey& K) { return Same(K.Name, P.Ident); });
      return;
    case TOp::EraseSection:
      std::erase_if(Data, [&](const TSection& S) { return Same(S.Name, P.Section); });
      return;
  }
}

void TIniFile::Change(TPending P) {
  P.Section = OneLine(P.Section);
  P.Ident = OneLine(P.Ident);
  P.Value = OneLine(P.Value);
  if (P.Op != TOp::EraseSection && P.Ident.isEmpty()) return;
  Apply(FData, P);
  FPending.push_back(std::move(P));
}

QString TIniFile::ReadString(const QString& Section, const QString& Ident,
                             const QString& Default) const {
  const TKey* K = FindKey(FindSection(FData, Section), Ident);
  return K ? K->Value : Default;
}

void TIniFile::WriteString(const QString& Section, const QString& Ident, const QString& Value) {
  Change({TOp::Write, Section, Ident, Value});
}

int TIniFile::ReadInteger(const QString& Section, const QString& Ident, int Default) const {
  const TKey* K = FindKey(FindSection(FData, Section), Ident);
  return K ? StrToIntDef(K->Value.toStdString(), Default) : Default;
}

void TIniFile::WriteInteger(const QString& Section, const QString& Ident, int Value) {
  WriteString(Section, Ident, QString::number(Value));
}

bool TIniFile::ReadBool(const QString& Section, const QString& Ident, bool Default) const {
  return ReadInteger(Section, Ident, Default ? 1 : 0) != 0;
}

void TIniFile::WriteBool(const QString& Section, const QString& Ident, bool Value) {
  WriteString(Section, Ident, Value ? QStringLiteral("1") : QStringLiteral("0"));
}

double TIniFile::ReadFloat(const QString& Section, const QString& Ident, double Default) const {
  const TKey* K = FindKey(FindSection(FData, Section), Ident);
  if (!K) return Default;
  return TextToDouble(K->Value.toStdString()).value_or(Default);
}

void TIniFile::WriteFloat(const QString& Section, const QString& Ident, double Value) {
  WriteString(Section, Ident, QString::fromStdString(FormatGeneral(Value, 15)));
}

bool TIniFile::SectionExists(const QString& Section) const {
  return FindSection(FData, Section) != nullptr;
}

bool TIniFile::ValueExists(const QString& Section, const QString& Ident) const {
  return FindKey(FindSection(FData, Section), Ident) != nullptr;
}

QStringList TIniFile::ReadSections() const {
  QStringList L;
  for (const auto& S : FData) L << S.Name;
  return L;
}

QStringList TIniFile::ReadSection(const QString& Section) const {
  QStringList L;
  if (const TSection* S = FindSection(FData, Section))
    for (const auto& K : S->Keys) L << K.Name;
  return L;
}

QStringList TIniFile::ReadSectionValues(const QString& Section) const {
  QStringList L;
  if (const TSection* S = FindSection(FData, Section))
    for (const auto& K : S->Keys) L << K.Name + u'=' + K.Value;
  return L;
}

void TIniFile::EraseSection(const QString& Section) {
  Change({TOp::EraseSection, Section, {}, {}});
}

void TIniFile::DeleteKey(const QString& Section, const QString& Ident) {
  Change({TOp::DeleteKey, Section, Ident, {}});
}

bool TIniFile::UpdateFile(QString* Error) {
  if (FPending.empty()) return true;
  std::vector<TSection> Fresh;
  if (QFileInfo::exists(FFileName)) {
    QString Text;
    if (!ReadTextFile(FFileName, Text, Error)) {
      FReadFailed = true;
      return false;
    }
    Fresh = ParseIniText(Text);
  }
  for (const auto& P : FPending) Apply(Fresh, P);
  if (!WriteTextFile(FFileName, IniText(Fresh), Error)) return false;
  FData = std::move(Fresh);
  FPending.clear();
  return true;
}
