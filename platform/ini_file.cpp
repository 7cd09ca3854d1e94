#include "platform/ini_file.h"

#include "platform/number_text.h"

#include <QFileInfo>

namespace {

// A line break inside a name or value would break the file's line structure.
QString OneLine(QString S) {
  S.replace(u'\r', u' ');
  S.replace(u'\n', u' ');
  return S.trimmed();
}

}  // namespace

// --- TIniDocument ---------------------------------------------------------------------------

QString TIniDocument::Fold(const QString& S) const { return S.toCaseFolded(); }

TIniDocument::TKind TIniDocument::Classify(const QString& Line, QString& Name,
                                           QString& Value) const {
  if (FTrimmed) {
    const QString T = Line.trimmed();
    if (T.isEmpty() || T.startsWith(u';') || T.startsWith(u'#')) return TKind::Other;
    if (T.startsWith(u'[')) {
      const qsizetype Close = T.indexOf(u']');
      if (Close < 0) return TKind::BrokenHeader;
      Name = T.mid(1, Close - 1).trimmed();
      return TKind::Header;
    }
    const qsizetype Eq = T.indexOf(u'=');
    if (Eq <= 0) return TKind::Other;
    Name = T.left(Eq).trimmed();
    if (Name.isEmpty()) return TKind::Other;
    Value = T.mid(Eq + 1).trimmed();
    return TKind::Key;
  }
  if (Line.isEmpty() || Line.startsWith(u';')) return TKind::Other;
  if (Line.startsWith(u'[') && Line.endsWith(u']')) {
    Name = Line.mid(1, Line.size() - 2);
    return TKind::Header;
  }
  const qsizetype Eq = Line.indexOf(u'=');
  Name = Eq < 0 ? Line : Line.left(Eq);
  Value = Eq < 0 ? QString() : Line.mid(Eq + 1);
  return TKind::Key;
}

void TIniDocument::SetText(const QString& Text, TTextEncoding Encoding) {
  FEncoding = Encoding;
  FLines.clear();
  qsizetype Start = 0;
  const qsizetype N = Text.size();
  for (qsizetype I = 0; I < N; ++I) {
    const QChar C = Text[I];
    if (C != u'\r' && C != u'\n') continue;
    TLine L;
    L.Text = Text.mid(Start, I - Start);
    if (C == u'\r' && I + 1 < N && Text[I + 1] == u'\n') {
      L.Term = TermCrLf;
      ++I;
    } else {
      L.Term = C == u'\r' ? TermCr : TermLf;
    }
    FLines.push_back(std::move(L));
    Start = I + 1;
  }
  if (Start < N) FLines.push_back({Text.mid(Start), TermNone, false, {}});
  Reindex();
}

QString TIniDocument::Text() const {
  QString S;
  bool Open = false;  // the last line written has no terminator yet
  auto Put = [&](const QString& T, quint8 Term) {
    if (Open) S += u'\n';
    S += T;
    Open = Term == TermNone;
    if (Term == TermLf) S += u'\n';
    if (Term == TermCrLf) S += QStringLiteral("\r\n");
    if (Term == TermCr) S += u'\r';
  };
  for (const TLine& L : FLines) {
    if (!L.Deleted) Put(L.Text, L.Term);
    for (const TAdded& A : L.After)
      if (!A.Deleted) Put(A.Text, TermLf);
  }
  return S;
}

QByteArray TIniDocument::Bytes() const {
  const QString T = Text();
  QByteArray B;
  if (!EncodeText(T, FEncoding, B)) B = T.toUtf8();
  return B;
}

QString& TIniDocument::RefText(const TRef& R) {
  TLine& L = FLines[static_cast<size_t>(R.Line)];
  return R.Sub < 0 ? L.Text : L.After[static_cast<size_t>(R.Sub)].Text;
}

TIniDocument::TSection* TIniDocument::Section(const QString& Name) {
  const auto It = FSectionIndex.constFind(Fold(Name));
  return It == FSectionIndex.cend() ? nullptr : &FSections[static_cast<size_t>(*It)];
}

const TIniDocument::TSection* TIniDocument::Section(const QString& Name) const {
  const auto It = FSectionIndex.constFind(Fold(Name));
  return It == FSectionIndex.cend() ? nullptr : &FSections[static_cast<size_t>(*It)];
}

void TIniDocument::IndexLine(const QString& Text, TRef Ref, int& Current, bool& FirstBlock,
                             int Base) {
  QString Name, Value;
  switch (Classify(Text, Name, Value)) {
    case TKind::Other:
      break;
    case TKind::BrokenHeader:
      Current = -1;  // keys under a broken header have no section
      break;
    case TKind::Header: {
      const QString F = Fold(Name);
      const auto It = FSectionIndex.constFind(F);
      if (It != FSectionIndex.cend()) {
        // Untrimmed rules: look-ups stop at the first section of a name, so a later copy is
        // kept but not read.
        Current = FTrimmed ? *It : -1;
        FirstBlock = false;
      } else {
        Current = static_cast<int>(FSections.size());
        FSections.push_back({Name, Base, {}, {}});
        FSectionIndex.insert(F, Current);
        FirstBlock = true;
      }
      break;
    }
    case TKind::Key: {
      if (Current < 0) break;
      TSection& S = FSections[static_cast<size_t>(Current)];
      const QString F = Fold(Name);
      if (S.KeyIndex.contains(F)) break;  // the first copy of a key wins
      if (FirstBlock) S.InsertAt = Base;
      S.KeyIndex.insert(F, static_cast<int>(S.Keys.size()));
      S.Keys.push_back({Name, Value, Ref});
      break;
    }
  }
}

void TIniDocument::Reindex() {
  FSections.clear();
  FSectionIndex.clear();
  FOwner.assign(FLines.size(), -1);
  int Current = -1;
  bool FirstBlock = false;
  for (size_t I = 0; I < FLines.size(); ++I) {
    const TLine& L = FLines[I];
    const int Base = static_cast<int>(I);
    if (!L.Deleted) IndexLine(L.Text, {Base, -1}, Current, FirstBlock, Base);
    FOwner[I] = Current;
    for (size_t K = 0; K < L.After.size(); ++K)
      if (!L.After[K].Deleted)
        IndexLine(L.After[K].Text, {Base, static_cast<int>(K)}, Current, FirstBlock, Base);
  }
}

const QString* TIniDocument::Find(const QString& SectionName, const QString& Ident) const {
  const TSection* S = Section(SectionName);
  if (!S) return nullptr;
  const auto It = S->KeyIndex.constFind(Fold(Ident));
  return It == S->KeyIndex.cend() ? nullptr : &S->Keys[static_cast<size_t>(*It)].Value;
}

bool TIniDocument::SectionExists(const QString& SectionName) const {
  return Section(SectionName) != nullptr;
}

QStringList TIniDocument::Sections() const {
  QStringList L;
  for (const TSection& S : FSections) L << S.Name;
  return L;
}

QStringList TIniDocument::Keys(const QString& SectionName) const {
  QStringList L;
  if (const TSection* S = Section(SectionName))
    for (const TKey& K : S->Keys) L << K.Name;
  return L;
}

QStringList TIniDocument::KeyValues(const QString& SectionName) const {
  QStringList L;
  if (const TSection* S = Section(SectionName))
    for (const TKey& K : S->Keys) L << K.Name + u'=' + K.Value;
  return L;
}

void TIniDocument::Write(const QString& SectionName, const QString& Ident, const QString& Value) {
  TSection* S = Section(SectionName);
  if (!S) {
    // A new section at the end, apart from what stands before it by one empty line.
    bool Blank = true;
    for (auto I = FLines.size(); I-- > 0;) {
      const TLine& L = FLines[I];
      if (L.Deleted && L.After.empty()) continue;
      Blank = L.After.empty() ? L.Text.trimmed().isEmpty() : L.After.back().Text.isEmpty();
      break;
    }
    if (!Blank) FLines.push_back({QString(), TermLf, false, {}});
    const int Header = static_cast<int>(FLines.size());
    FLines.push_back({u'[' + SectionName + u']', TermLf, false, {}});
    FOwner.resize(FLines.size(), -1);
    const int Id = static_cast<int>(FSections.size());
    FOwner.back() = Id;
    FSections.push_back({SectionName, Header, {}, {}});
    FSectionIndex.insert(Fold(SectionName), Id);
    S = &FSections.back();
  }
  const QString F = Fold(Ident);
  const auto It = S->KeyIndex.constFind(F);
  if (It != S->KeyIndex.cend()) {
    TKey& K = S->Keys[static_cast<size_t>(*It)];
    if (K.Value == Value) return;  // the same value: the line stays byte for byte
    K.Value = Value;
    // Only the value changes: the name as the file spells it and the blanks around "=" stay.
    QString& Line = RefText(K.Ref);
    const qsizetype Eq = Line.indexOf(u'=');
    qsizetype Keep = Eq + 1;
    if (FTrimmed)
      while (Keep < Line.size() && Line[Keep].isSpace()) ++Keep;
    Line = Line.left(Keep) + Value;
    return;
  }
  TLine& At = FLines[static_cast<size_t>(S->InsertAt)];
  At.After.push_back({Ident + u'=' + Value, false});
  S->KeyIndex.insert(F, static_cast<int>(S->Keys.size()));
  S->Keys.push_back({Ident, Value, {S->InsertAt, static_cast<int>(At.After.size()) - 1}});
}

void TIniDocument::DeleteKey(const QString& SectionName, const QString& Ident) {
  TSection* S = Section(SectionName);
  if (!S) return;
  const auto It = S->KeyIndex.constFind(Fold(Ident));
  if (It == S->KeyIndex.cend()) return;
  const TRef R = S->Keys[static_cast<size_t>(*It)].Ref;
  TLine& L = FLines[static_cast<size_t>(R.Line)];
  if (R.Sub < 0)
    L.Deleted = true;
  else
    L.After[static_cast<size_t>(R.Sub)].Deleted = true;
  // A later copy of the key, hidden until now, is what a reader finds next.
  Reindex();
}

void TIniDocument::EraseSection(const QString& SectionName) {
  const auto It = FSectionIndex.constFind(Fold(SectionName));
  if (It == FSectionIndex.cend()) return;
  const int Id = *It;
  for (size_t I = 0; I < FLines.size(); ++I) {
    if (FOwner[I] != Id) continue;
    FLines[I].Deleted = true;
    for (TAdded& A : FLines[I].After) A.Deleted = true;
  }
  Reindex();
}

// --- Loading and saving ---------------------------------------------------------------------

TReadStatus LoadIniDocument(const QString& FileName, TIniDocument& Doc) {
  QString Text;
  TReadStatus Status;
  TTextEncoding Encoding = TTextEncoding::Utf8;
  if (ReadTextFile(FileName, Text, nullptr, &Status, &Encoding)) {
    Doc.SetText(Text, Encoding);
  } else if (Status.Missing()) {
    Doc = TIniDocument(Doc.Trimmed());
  }
  return Status;
}

void TIniChanges::Write(const QString& Section, const QString& Ident, const QString& Value) {
  FItems.push_back({TOp::Write, Section, Ident, Value});
}

void TIniChanges::DeleteKey(const QString& Section, const QString& Ident) {
  FItems.push_back({TOp::DeleteKey, Section, Ident, {}});
}

void TIniChanges::EraseSection(const QString& Section) {
  FItems.push_back({TOp::EraseSection, Section, {}, {}});
}

void TIniChanges::Apply(TIniDocument& Doc, const TItem& I) {
  switch (I.Op) {
    case TOp::Write:
      Doc.Write(I.Section, I.Ident, I.Value);
      return;
    case TOp::DeleteKey:
      Doc.DeleteKey(I.Section, I.Ident);
      return;
    case TOp::EraseSection:
      Doc.EraseSection(I.Section);
      return;
  }
}

void TIniChanges::ApplyTo(TIniDocument& Doc) const {
  for (const TItem& I : FItems) Apply(Doc, I);
}

TFileStatus TIniChanges::Save(const QString& FileName, TIniDocument& Doc) {
  if (FItems.empty()) return {};
  // The file as it is now, so that changes made by others since it was read are kept.
  TIniDocument Fresh(Doc.Trimmed());
  if (TFileStatus S = LoadIniDocument(FileName, Fresh); !S.Ok() && !S.Missing()) return S;
  ApplyTo(Fresh);
  TFileStatus S = WriteFileBytes(FileName, Fresh.Bytes());
  if (!S.Ok()) return S;
  Doc = std::move(Fresh);
  FItems.clear();
  return S;
}

// --- TIniFile -------------------------------------------------------------------------------

TIniFile::TIniFile(const QString& FileName) : FFileName(FileName) {
  FReadStatus = LoadIniDocument(FileName, FDoc);
  FReadFailed = !FReadStatus.Ok() && !FReadStatus.Missing();
}

TIniFile::~TIniFile() {
  if (Modified()) UpdateFile();
}

QString TIniFile::ReadString(const QString& Section, const QString& Ident,
                             const QString& Default) const {
  const QString* V = FDoc.Find(Section, Ident);
  return V ? *V : Default;
}

void TIniFile::WriteString(const QString& Section, const QString& Ident, const QString& Value) {
  const QString S = OneLine(Section), K = OneLine(Ident), V = OneLine(Value);
  if (K.isEmpty()) return;
  FDoc.Write(S, K, V);
  FChanges.Write(S, K, V);
}
int TIniFile::ReadInteger(const QString& Section, const QString& Ident, int Default) const {
  const QString* V = FDoc.Find(Section, Ident);
  return V ? StrToIntDef(V->toStdString(), Default) : Default;
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
  const QString* V = FDoc.Find(Section, Ident);
  if (!V) return Default;
  return TextToDouble(V->toStdString()).value_or(Default);
}

void TIniFile::WriteFloat(const QString& Section, const QString& Ident, double Value) {
  WriteString(Section, Ident, QString::fromStdString(FormatGeneral(Value, 15)));
}

bool TIniFile::SectionExists(const QString& Section) const { return FDoc.SectionExists(Section); }

bool TIniFile::ValueExists(const QString& Section, const QString& Ident) const {
  return FDoc.Find(Section, Ident) != nullptr;
}

QStringList TIniFile::ReadSections() const { return FDoc.Sections(); }

QStringList TIniFile::ReadSection(const QString& Section) const { return FDoc.Keys(Section); }

QStringList TIniFile::ReadSectionValues(const QString& Section) const {
  return FDoc.KeyValues(Section);
}

void TIniFile::EraseSection(const QString& Section) {
  const QString S = OneLine(Section);
  FDoc.EraseSection(S);
  FChanges.EraseSection(S);
}

void TIniFile::DeleteKey(const QString& Section, const QString& Ident) {
  const QString S = OneLine(Section), K = OneLine(Ident);
  if (K.isEmpty()) return;
  FDoc.DeleteKey(S, K);
  FChanges.DeleteKey(S, K);
}

TFileStatus TIniFile::UpdateFile() {
  TFileStatus S = FChanges.Save(FFileName, FDoc);
  if (!S.Ok() && S.Op == TFileOp::Read) {
    FReadFailed = true;
    FReadStatus = S;
  }
  return S;
}
