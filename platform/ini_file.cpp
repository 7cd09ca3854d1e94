#include "platform/ini_file.h"

#include "platform/codepage.h"
#include "platform/number_text.h"

#include <algorithm>

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

bool TIniDocument::ReadsAs(const QString& Line, TKind Kind, const QString& Name,
                           const QString& Value) const {
  if (Line.contains(u'\r') || Line.contains(u'\n')) return false;
  QString N, V;
  return Classify(Line, N, V) == Kind && Fold(N) == Fold(Name) && V == Value;
}

void TIniDocument::SetText(const QString& Text, TTextEncoding Encoding) {
  SetUtf8(Utf8Of(Text), Encoding);
}

void TIniDocument::SetUtf8(QByteArray Utf8, TTextEncoding Encoding) {
  FEncoding = Encoding;
  FText = std::move(Utf8);
  FLines.clear();
  FOwn.clear();
  FAfter.clear();
  FDigest.clear();
  FTail.clear();
  if (Encoding == TTextEncoding::Utf16Le || Encoding == TTextEncoding::Utf16Be) {
    // The odd last byte stays last, whatever lines are added.
    const qsizetype N = FText.size();
    if (N >= 4) {
      const TKeptChar K = NextKeptChar(FText.constData() + N - 4, 4);
      if (K.Size == 4 && K.Code >= KeptByteBase) {
        FTail = QByteArray(1, static_cast<char>(K.Code - KeptByteBase));
        FText.chop(4);
      }
    }
  }
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
  // New lines end as the file's do: an LF after a lone CR would merge with it into one line end.
  FNewTerm = TermLf;
  for (const TLine& L : FLines)
    if (L.Term != TermNone) {
      FNewTerm = L.Term == TermCr ? TermCr : TermLf;
      break;
    }
  Reindex();
}

QString TIniDocument::LineText(const TLine& L) const {
  if (L.Own >= 0) return KeptText(FOwn[static_cast<size_t>(L.Own)]);
  return KeptText(FText.constData() + L.Start, L.Size);
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
    if (Open) Put(Terms[FNewTerm]);
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

QByteArray TIniDocument::Utf8() const {
  // The size first, so that the text is made in one block of its own size: a block grown as
  // lines are appended would, at the moment it moves, hold the text twice beside the document.
  QByteArray Out;
  Out.reserve(Utf8Size() + 3);
  WriteLines([&](QByteArrayView V) { Out.append(V); });
  return Out;
}

QByteArray TIniDocument::Bytes() const {
  const auto AsUtf8 = [this] {
    QByteArray Out = Utf8();
    KeepLeadingFeff(Out);
    return Out;
  };
  if (FEncoding == TTextEncoding::Utf8) return AsUtf8();
  // Encoded a line at a time, so that the text is not held as UTF-8 beside its bytes, into room
  // for the most it can take (untouched, it costs no memory) so that the block never moves: a
  // code page byte for each UTF-8 byte at most, two UTF-16 bytes.
  const bool Utf16 = FEncoding == TTextEncoding::Utf16Le || FEncoding == TTextEncoding::Utf16Be;
  const qsizetype Size = Utf8Size();
  QByteArray Out;
  Out.reserve(Utf16 ? 2 + 2 * Size + FTail.size() : 3 + Size);
  Out += ByteOrderMark(FEncoding);
  bool Held = true;
  WriteLines([&](QByteArrayView V) { Held = Held && AppendKeptText(V, FEncoding, Out); });
  Out += FTail;
  // Code page 1252 whose bytes happen to be valid UTF-8 would be read back as another text.
  const std::string_view View(Out.constData(), static_cast<size_t>(Out.size()));
  if (Held && DetectEncoding(View) == FEncoding) return Out;
  Out = {};
  return AsUtf8();
}

QString TIniDocument::Text() const { return KeptText(Utf8()); }

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
  FOwn[static_cast<size_t>(L.Own)] = Utf8Of(Text);
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

void TIniDocument::InsertKey(TSection& S, const TRef& R) {
  // In file order, so that a new key of a repeated section is listed where a re-read finds it.
  const auto Before = [](const TRef& A, const TRef& B) {
    return A.Line < B.Line || (A.Line == B.Line && A.Sub < B.Sub);
  };
  const auto At = std::upper_bound(S.Keys.begin(), S.Keys.end(), R, Before);
  const int Pos = static_cast<int>(At - S.Keys.begin());
  if (At != S.Keys.end())
    for (auto It = S.KeyIndex.begin(); It != S.KeyIndex.end(); ++It)
      if (*It >= Pos) ++*It;
  S.Keys.insert(At, R);
  if (!S.KeyIndex.contains(R.Hash)) S.KeyIndex.insert(R.Hash, Pos);
}

void TIniDocument::RemoveKey(TSection& S, int Index) {
  const size_t Hash = S.Keys[static_cast<size_t>(Index)].Hash;
  S.Keys.erase(S.Keys.begin() + Index);
  for (auto It = S.KeyIndex.begin(); It != S.KeyIndex.end();) {
    if (*It == Index) {
      It = S.KeyIndex.erase(It);
      continue;
    }
    if (*It > Index) --*It;
    ++It;
  }
  // Another name of the same hash takes the slot the removed key held.
  if (!S.KeyIndex.contains(Hash))
    for (size_t K = 0; K < S.Keys.size(); ++K)
      if (S.Keys[K].Hash == Hash) {
        S.KeyIndex.insert(Hash, static_cast<int>(K));
        break;
      }
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
        if (!FTrimmed) FSections[static_cast<size_t>(*It)].LaterCopies = true;
        Current = FTrimmed ? *It : -1;
        FirstBlock = false;
      } else {
        Current = static_cast<int>(FSections.size());
        TSection S;
        S.Name = Name;
        S.InsertAt = Base;
        FSections.push_back(std::move(S));
        FSectionIndex.insert(F, Current);
        FirstBlock = true;
      }
      break;
    }
    case TKind::Key: {
      if (Current < 0) break;
      TSection& S = FSections[static_cast<size_t>(Current)];
      Ref.Hash = qHash(Fold(Name));
      if (FindKey(S, Name) >= 0) {  // the first copy of a key wins
        S.Hidden.push_back(Ref);
        break;
      }
      if (FirstBlock) S.InsertAt = Base;
      InsertKey(S, Ref);
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
  for (const TSection& S : FSections)
    if (!S.Erased) L << S.Name;
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

TIniDocument::TLine TIniDocument::NewLine(const QString& Text) {
  TLine L;
  L.Own = static_cast<qint32>(FOwn.size());
  L.Term = FNewTerm;
  FOwn.push_back(Utf8Of(Text));
  return L;
}

bool TIniDocument::Write(const QString& SectionName, const QString& Ident, const QString& Value) {
  const QString KeyLine = Ident + u'=' + Value;
  if (!ReadsAs(KeyLine, TKind::Key, Ident, Value)) return false;
  TSection* S = Section(SectionName);
  if (!S) {
    const QString Header = u'[' + SectionName + u']';
    if (!ReadsAs(Header, TKind::Header, SectionName, {})) return false;
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
    if (!Blank) FLines.push_back(NewLine(QString()));
    const int At = static_cast<int>(FLines.size());
    FLines.push_back(NewLine(Header));
    FOwner.resize(FLines.size(), -1);
    const int Id = static_cast<int>(FSections.size());
    FOwner.back() = Id;
    TSection New;
    New.Name = SectionName;
    New.InsertAt = At;
    FSections.push_back(std::move(New));
    FSectionIndex.insert(Fold(SectionName), Id);
    S = &FSections.back();
  }
  QString Old;
  const int Index = FindKey(*S, Ident, &Old);
  if (Index >= 0) {
    if (Old == Value) return true;  // the same value: the line stays byte for byte
    // Only the value changes: the name as the file spells it and the blanks around "=" stay.
    const TRef R = S->Keys[static_cast<size_t>(Index)];
    const QString Line = RefText(R);
    const qsizetype Eq = Line.indexOf(u'=');
    if (Eq < 0) {  // untrimmed rules: a line without "=" is a key with an empty value
      SetRefText(R, Line + u'=' + Value);
      return true;
    }
    qsizetype Keep = Eq + 1;
    if (FTrimmed)
      while (Keep < Line.size() && Line[Keep].isSpace()) ++Keep;
    SetRefText(R, Line.left(Keep) + Value);
    return true;
  }
  std::vector<TLine>& After = AddedAfter(S->InsertAt);
  After.push_back(NewLine(KeyLine));
  InsertKey(*S, {S->InsertAt, static_cast<int>(After.size()) - 1, qHash(Fold(Ident))});
  return true;
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
  RemoveKey(*S, Index);
  // A later copy of the key, hidden until now, is what a reader finds next.
  const QString F = Fold(Ident);
  QString Name, Value;
  for (auto It = S->Hidden.begin(); It != S->Hidden.end(); ++It)
    if (It->Hash == R.Hash && KeyOf(*It, Name, Value) && Fold(Name) == F) {
      const TRef Next = *It;
      S->Hidden.erase(It);
      InsertKey(*S, Next);
      break;
    }
}

void TIniDocument::EraseSection(const QString& SectionName) {
  const auto It = FSectionIndex.constFind(Fold(SectionName));
  if (It == FSectionIndex.cend()) return;
  const int Id = *It;
  TSection& S = FSections[static_cast<size_t>(Id)];
  for (size_t I = 0; I < FLines.size(); ++I) {
    if (FOwner[I] != Id) continue;
    FLines[I].Deleted = true;
    if (FLines[I].HasAfter)
      for (TLine& A : FAfter.at(static_cast<int>(I))) A.Deleted = true;
  }
  // Untrimmed rules: the next copy of the section, unread until now, is what a reader finds.
  if (S.LaterCopies) return Reindex();
  FSectionIndex.erase(It);
  S.Erased = true;
  S.Keys.clear();
  S.Hidden.clear();
  S.KeyIndex.clear();
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

bool TIniFile::WriteString(const QString& Section, const QString& Ident, const QString& Value) {
  // Names are taken as given, as the readers take them: only the document knows which it can
  // read back.
  const QString V = OneLine(Value);
  if (Ident.isEmpty() || !FDoc.Write(Section, Ident, V)) return false;
  FChanges.Write(Section, Ident, V);
  return true;
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
  FDoc.EraseSection(Section);
  FChanges.EraseSection(Section);
}

void TIniFile::DeleteKey(const QString& Section, const QString& Ident) {
  if (Ident.isEmpty()) return;
  FDoc.DeleteKey(Section, Ident);
  FChanges.DeleteKey(Section, Ident);
}

TFileStatus TIniFile::UpdateFile() {
  TFileStatus S = FChanges.Save(FFileName, FDoc);
  if (!S.Ok() && S.Op == TFileOp::Read) {
    FReadFailed = true;
    FReadStatus = S;
  }
  return S;
}
