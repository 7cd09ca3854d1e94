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
  SetUtf8(Text.toUtf8(), Encoding);
}

void TIniDocument::SetUtf8(QByteArray Utf8, TTextEncoding Encoding) {
  FEncoding = Encoding;
  FText = std::move(Utf8);
  FLines.clear();
  FOwn.clear();
  FAfter.clear();
  FDigest.clear();
  const char* P = FText.constData();
  const qsizetype N = FText.size();
  qsizetype Start = 0;
  for (qsizetype I = 0; I < N; ++I) {
    const char C = P[I];
    if (C != '\r' && C != '\n') continue;
    TLine L;
    L.Start = Start;
    L.Size = static_cast<qint32>(I - Start);
    if (C == '\r' && I + 1 < N && P[I + 1] == '\n') {
      L.Term = TermCrLf;
      ++I;
    } else {
      L.Term = C == '\r' ? TermCr : TermLf;
    }
    FLines.push_back(L);
    Start = I + 1;
  }
  if (Start < N) FLines.push_back({Start, static_cast<qint32>(N - Start), -1, TermNone, false});
  Reindex();
}

QString TIniDocument::LineText(const TLine& L) const {
  if (L.Own >= 0) return QString::fromUtf8(FOwn[static_cast<size_t>(L.Own)]);
  return QString::fromUtf8(FText.constData() + L.Start, L.Size);
}

QByteArrayView TIniDocument::LineBytes(const TLine& L) const {
  if (L.Own >= 0) return FOwn[static_cast<size_t>(L.Own)];
  return {FText.constData() + L.Start, L.Size};
}

template <typename TEmit>
void TIniDocument::ForEachLine(TEmit&& Emit) const {
  for (size_t I = 0; I < FLines.size(); ++I) {
    const TLine& L = FLines[I];
    if (!L.Deleted) Emit(L);
    if (!L.HasAfter) continue;
    for (const TLine& A : FAfter.at(static_cast<int>(I)))
      if (!A.Deleted) Emit(A);
  }
}

template <typename TPut>
void TIniDocument::WriteLines(TPut&& Put) const {
  static constexpr QByteArrayView Terms[] = {"", "\n", "\r\n", "\r"};
  bool Open = false;  // the last line has no terminator yet
  ForEachLine([&](const TLine& L) {
    if (Open) Put("\n");
    Put(LineBytes(L));
    Put(Terms[L.Term]);
    Open = L.Term == TermNone;
  });
}

qsizetype TIniDocument::Utf8Size() const {
  qsizetype Size = 0;
  WriteLines([&](QByteArrayView V) { Size += V.size(); });
  return Size;
}

QByteArray TIniDocument::Utf8(QByteArrayView Head) const {
  // The size first, so that the text is made in one block of its own size: a block grown as
  // lines are appended would, at the moment it moves, hold the text twice beside the document.
  QByteArray Out;
  Out.reserve(Head.size() + Utf8Size());
  Out.append(Head);
  WriteLines([&](QByteArrayView V) { Out.append(V); });
  return Out;
}

QByteArray TIniDocument::Bytes() const {
  if (FEncoding == TTextEncoding::Utf8) return Utf8();
  if (FEncoding == TTextEncoding::Utf8Bom) return Utf8("\xEF\xBB\xBF");
  // Encoded a few lines at a time, so that the text is not held as UTF-8 beside its bytes.
  const bool Utf16 = FEncoding != TTextEncoding::Cp1252;
  // Room for the most the text can take (untouched, it costs no memory) so that the block never
  // moves: a code page byte for each UTF-8 byte at most, two UTF-16 bytes.
  const qsizetype Size = Utf8Size();
  QByteArray Out, Piece;
  Out.reserve(Utf16 ? 2 + 2 * Size : Size);
  bool Failed = false;
  const auto Flush = [&] {
    QByteArray E;
    Failed = Failed || !EncodeUtf8Text(Piece, FEncoding, E);
    // Each piece comes with the byte-order mark; the file has it once.
    if (!Failed) Out.append(QByteArrayView(E).sliced(Utf16 && !Out.isEmpty() ? 2 : 0));
    Piece.clear();
  };
  WriteLines([&](QByteArrayView V) {
    Piece.append(V);
    if (Piece.size() >= (1 << 20)) Flush();
  });
  Flush();
  if (!Failed) return Out;
  Out = {};
  return Utf8();  // the encoding cannot hold a new text
}

QString TIniDocument::Text() const { return QString::fromUtf8(Utf8()); }

std::vector<TIniDocument::TLine>& TIniDocument::AddedAfter(int Line) {
  FLines[static_cast<size_t>(Line)].HasAfter = true;
  return FAfter[Line];
}

QString TIniDocument::RefText(const TRef& R) const {
  const TLine& L = FLines[static_cast<size_t>(R.Line)];
  return LineText(R.Sub < 0 ? L : FAfter.at(R.Line)[static_cast<size_t>(R.Sub)]);
}

void TIniDocument::SetRefText(const TRef& R, const QString& Text) {
  TLine& L = R.Sub < 0 ? FLines[static_cast<size_t>(R.Line)]
                       : FAfter.at(R.Line)[static_cast<size_t>(R.Sub)];
  if (L.Own < 0) {
    L.Own = static_cast<qint32>(FOwn.size());
    FOwn.emplace_back();
  }
  FOwn[static_cast<size_t>(L.Own)] = Text.toUtf8();
}

bool TIniDocument::KeyOf(const TRef& R, QString& Name, QString& Value) const {
  return Classify(RefText(R), Name, Value) == TKind::Key;
}

// The index of the key in S, or -1; Value, when given, gets its value.
int TIniDocument::FindKey(const TSection& S, const QString& Ident, QString* Value) const {
  const QString F = Fold(Ident);
  QString Name, V;
  const auto It = S.KeyIndex.constFind(qHash(F));
  if (It != S.KeyIndex.cend() && KeyOf(S.Keys[static_cast<size_t>(*It)], Name, V) &&
      Fold(Name) == F) {
    if (Value) *Value = V;
    return *It;
  }
  if (It == S.KeyIndex.cend()) return -1;
  // Another name with the same hash holds the slot: the key, if any, is found by a search.
  for (size_t K = 0; K < S.Keys.size(); ++K)
    if (KeyOf(S.Keys[K], Name, V) && Fold(Name) == F) {
      if (Value) *Value = V;
      return static_cast<int>(K);
    }
  return -1;
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
      if (FindKey(S, Name) >= 0) break;  // the first copy of a key wins
      if (FirstBlock) S.InsertAt = Base;
      const size_t H = qHash(Fold(Name));
      if (!S.KeyIndex.contains(H)) S.KeyIndex.insert(H, static_cast<int>(S.Keys.size()));
      S.Keys.push_back(Ref);
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
    if (!L.Deleted) IndexLine(LineText(L), {Base, -1}, Current, FirstBlock, Base);
    FOwner[I] = Current;
    if (!L.HasAfter) continue;
    const std::vector<TLine>& After = FAfter.at(Base);
    for (size_t K = 0; K < After.size(); ++K)
      if (!After[K].Deleted)
        IndexLine(LineText(After[K]), {Base, static_cast<int>(K)}, Current, FirstBlock, Base);
  }
}

std::optional<QString> TIniDocument::Find(const QString& SectionName, const QString& Ident) const {
  const TSection* S = Section(SectionName);
  QString Value;
  if (!S || FindKey(*S, Ident, &Value) < 0) return std::nullopt;
  return Value;
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
  QString Name, Value;
  if (const TSection* S = Section(SectionName))
    for (const TRef& K : S->Keys)
      if (KeyOf(K, Name, Value)) L << Name;
  return L;
}

QStringList TIniDocument::KeyValues(const QString& SectionName) const {
  QStringList L;
  QString Name, Value;
  if (const TSection* S = Section(SectionName))
    for (const TRef& K : S->Keys)
      if (KeyOf(K, Name, Value)) L << Name + u'=' + Value;
  return L;
}

void TIniDocument::Write(const QString& SectionName, const QString& Ident, const QString& Value) {
  TSection* S = Section(SectionName);
  if (!S) {
    // A new section at the end, apart from what stands before it by one empty line.
    bool Blank = true;
    for (auto I = FLines.size(); I-- > 0;) {
      const TLine& L = FLines[I];
      const std::vector<TLine>* After = L.HasAfter ? &FAfter.at(static_cast<int>(I)) : nullptr;
      if (After && After->empty()) After = nullptr;
      if (L.Deleted && !After) continue;
      Blank = After ? LineText(After->back()).isEmpty() : LineText(L).trimmed().isEmpty();
      break;
    }
    auto NewLine = [&](const QString& Text) {
      TLine L;
      L.Own = static_cast<qint32>(FOwn.size());
      L.Term = TermLf;
      FOwn.push_back(Text.toUtf8());
      FLines.push_back(L);
    };
    if (!Blank) NewLine(QString());
    const int Header = static_cast<int>(FLines.size());
    NewLine(u'[' + SectionName + u']');
    FOwner.resize(FLines.size(), -1);
    const int Id = static_cast<int>(FSections.size());
    FOwner.back() = Id;
    FSections.push_back({SectionName, Header, {}, {}});
    FSectionIndex.insert(Fold(SectionName), Id);
    S = &FSections.back();
  }
  QString Old;
  const int Index = FindKey(*S, Ident, &Old);
  if (Index >= 0) {
    if (Old == Value) return;  // the same value: the line stays byte for byte
    // Only the value changes: the name as the file spells it and the blanks around "=" stay.
    const TRef R = S->Keys[static_cast<size_t>(Index)];
    const QString Line = RefText(R);
    const qsizetype Eq = Line.indexOf(u'=');
    qsizetype Keep = Eq + 1;
    if (FTrimmed)
      while (Keep < Line.size() && Line[Keep].isSpace()) ++Keep;
    SetRefText(R, Line.left(Keep) + Value);
    return;
  }
  std::vector<TLine>& After = AddedAfter(S->InsertAt);
  TLine L;
  L.Own = static_cast<qint32>(FOwn.size());
  L.Term = TermLf;
  FOwn.push_back((Ident + u'=' + Value).toUtf8());
  After.push_back(L);
  const size_t H = qHash(Fold(Ident));
  if (!S->KeyIndex.contains(H)) S->KeyIndex.insert(H, static_cast<int>(S->Keys.size()));
  S->Keys.push_back({S->InsertAt, static_cast<int>(After.size()) - 1});
}

void TIniDocument::DeleteKey(const QString& SectionName, const QString& Ident) {
  TSection* S = Section(SectionName);
  if (!S) return;
  const int Index = FindKey(*S, Ident);
  if (Index < 0) return;
  const TRef R = S->Keys[static_cast<size_t>(Index)];
  if (R.Sub < 0)
    FLines[static_cast<size_t>(R.Line)].Deleted = true;
  else
    FAfter.at(R.Line)[static_cast<size_t>(R.Sub)].Deleted = true;
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
    if (FLines[I].HasAfter)
      for (TLine& A : FAfter.at(static_cast<int>(I))) A.Deleted = true;
  }
  Reindex();
}

// --- Loading and saving ---------------------------------------------------------------------

TReadStatus LoadIniDocument(const QString& FileName, TIniDocument& Doc) {
  QByteArray Utf8, Digest;
  TTextEncoding Encoding = TTextEncoding::Utf8;
  const TReadStatus Status = ReadTextUtf8(FileName, Utf8, &Encoding, &Digest);
  if (Status.Ok()) {
    Doc.SetUtf8(std::move(Utf8), Encoding);
    Doc.SetReadDigest(Digest);
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
  // A file still as it was read needs no second copy in memory: the document with the changes
  // is what the re-read file with them would be.
  if (!Doc.ReadDigest().isEmpty() && FileDigest(FileName) == Doc.ReadDigest()) {
    const QByteArray Bytes = Doc.Bytes();
    TFileStatus S = WriteFileBytes(FileName, Bytes);
    if (!S.Ok()) return S;
    Doc.SetReadDigest(TextDigest(Bytes));
    FItems.clear();
    return S;
  }
  // The file as it is now, so that changes made by others since it was read are kept.
  TIniDocument Fresh(Doc.Trimmed());
  if (TFileStatus S = LoadIniDocument(FileName, Fresh); !S.Ok() && !S.Missing()) return S;
  ApplyTo(Fresh);
  const QByteArray Bytes = Fresh.Bytes();
  TFileStatus S = WriteFileBytes(FileName, Bytes);
  if (!S.Ok()) return S;
  Fresh.SetReadDigest(TextDigest(Bytes));
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
  // Callers that must know have called UpdateFile; here nothing can be told.
  if (Modified()) static_cast<void>(UpdateFile());
}

QString TIniFile::ReadString(const QString& Section, const QString& Ident,
                             const QString& Default) const {
  const std::optional<QString> V = FDoc.Find(Section, Ident);
  return V ? *V : Default;
}

void TIniFile::WriteString(const QString& Section, const QString& Ident, const QString& Value) {
  const QString S = OneLine(Section), K = OneLine(Ident), V = OneLine(Value);
  if (K.isEmpty()) return;
  FDoc.Write(S, K, V);
  FChanges.Write(S, K, V);
}
int TIniFile::ReadInteger(const QString& Section, const QString& Ident, int Default) const {
  const std::optional<QString> V = FDoc.Find(Section, Ident);
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
  const std::optional<QString> V = FDoc.Find(Section, Ident);
  if (!V) return Default;
  return TextToDouble(V->toStdString()).value_or(Default);
}

void TIniFile::WriteFloat(const QString& Section, const QString& Ident, double Value) {
  WriteString(Section, Ident, QString::fromStdString(FormatGeneral(Value, 15)));
}

bool TIniFile::SectionExists(const QString& Section) const { return FDoc.SectionExists(Section); }

bool TIniFile::ValueExists(const QString& Section, const QString& Ident) const {
  return FDoc.Find(Section, Ident).has_value();
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
