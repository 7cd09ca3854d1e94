#include "plot/core/graph_mem_ini_file.h"

#include <QDateTime>
#include <QFileInfo>
#include <cmath>

#include "platform/dialogs.h"
#include "platform/number_text.h"
#include "platform/text_file.h"

namespace {
bool Same(const QString& A, const QString& B) {
  return QString::compare(A, B, Qt::CaseInsensitive) == 0;
}

bool IsHeader(const QString& L) { return L.size() >= 2 && L.startsWith(u'[') && L.endsWith(u']'); }
QString HeaderName(const QString& L) { return L.mid(1, L.size() - 2); }

// The line's key when it is a "key=value" line named Ident.
bool IsKeyLine(const QString& L, const QString& Ident) {
  qsizetype Eq = L.indexOf(u'=');
  return Eq >= 0 && Same(L.left(Eq), Ident);
}

// A line break inside a name or value would break the file's line structure.
QString OneLine(QString S) {
  S.replace(u'\r', u' ');
  S.replace(u'\n', u' ');
  return S;
}

const QDate DayZero(1899, 12, 30);

TDateTime FromQDateTime(const QDate& D, const QTime& T) {
  double Days = D.isValid() ? static_cast<double>(DayZero.daysTo(D)) : 0;
  double Frac = T.isValid() ? T.msecsSinceStartOfDay() / 86400000.0 : 0;
  return Days + (Days < 0 ? -Frac : Frac);
}

QDate ToQDate(TDateTime V) { return DayZero.addDays(static_cast<qint64>(std::trunc(V))); }
QTime ToQTime(TDateTime V) {
  double Frac = std::fabs(V - std::trunc(V));
  return QTime::fromMSecsSinceStartOfDay(static_cast<int>(std::llround(Frac * 86400000.0)) %
                                         86400000);
}

// Applies one change to the lines of the file as it is on disk, leaving every other line alone.
struct TDiskLines {
  QStringList& L;

  // The first section of that name: its header line and the line after its last one.
  bool Find(const QString& Section, qsizetype& Header, qsizetype& End) const {
    for (qsizetype i = 0; i < L.size(); ++i) {
      if (!IsHeader(L[i]) || !Same(HeaderName(L[i]), Section)) continue;
      Header = i;
      End = i + 1;
      while (End < L.size() && !IsHeader(L[End])) ++End;
      return true;
    }
    return false;
  }

  qsizetype FindKey(qsizetype Header, qsizetype End, const QString& Ident) const {
    for (qsizetype i = Header + 1; i < End; ++i)
      if (!L[i].startsWith(u';') && IsKeyLine(L[i], Ident)) return i;
    return -1;
  }

  void Write(const QString& Section, const QString& Ident, const QString& Value) {
    QString Line = Ident + u'=' + Value;
    qsizetype H, E;
    if (!Find(Section, H, E)) {
      if (!L.isEmpty() && !L.back().isEmpty()) L << QString();
      L << u'[' + Section + u']' << Line << QString();
      return;
    }
    qsizetype K = FindKey(H, E, Ident);
    if (K >= 0) {
      L[K] = Line;
      return;
    }
    qsizetype At = E;
    while (At > H + 1 && L[At - 1].trimmed().isEmpty()) --At;
    L.insert(At, Line);
  }

  void DeleteKey(const QString& Section, const QString& Ident) {
    qsizetype H, E;
    if (!Find(Section, H, E)) return;
    qsizetype K = FindKey(H, E, Ident);
    if (K >= 0) L.removeAt(K);
  }

  void EraseSection(const QString& Section) {
    qsizetype H, E;
    if (Find(Section, H, E)) L.remove(H, E - H);
  }
};
}  // namespace

// --- Typed access
// ---------------------------------------------------------------------------------

int TCustomGraphIniFile::ReadInteger(const QString& Section, const QString& Ident,
                                     int Default) const {
  QString S = ReadString(Section, Ident, QString());
  if (S.size() > 2 && S[0] == u'0' && (S[1] == u'x' || S[1] == u'X')) S = u'$' + S.mid(2);
  if (S.isEmpty() || S != S.trimmed()) return Default;
  return StrToIntDef(S.toStdString(), Default);
}

void TCustomGraphIniFile::WriteInteger(const QString& Section, const QString& Ident, int Value) {
  WriteString(Section, Ident, QString::number(Value));
}

bool TCustomGraphIniFile::ReadBool(const QString& Section, const QString& Ident,
                                   bool Default) const {
  return ReadInteger(Section, Ident, Default ? 1 : 0) != 0;
}

void TCustomGraphIniFile::WriteBool(const QString& Section, const QString& Ident, bool Value) {
  WriteString(Section, Ident, Value ? QStringLiteral("1") : QStringLiteral("0"));
}

TDateTime TCustomGraphIniFile::ReadDate(const QString& Section, const QString& Ident,
                                        TDateTime Default) const {
  QDate D = QDate::fromString(ReadString(Section, Ident, QString()), Qt::ISODate);
  return D.isValid() ? FromQDateTime(D, QTime()) : Default;
}

TDateTime TCustomGraphIniFile::ReadDateTime(const QString& Section, const QString& Ident,
                                            TDateTime Default) const {
  QDateTime D = QDateTime::fromString(ReadString(Section, Ident, QString()), Qt::ISODate);
  return D.isValid() ? FromQDateTime(D.date(), D.time()) : Default;
}

double TCustomGraphIniFile::ReadFloat(const QString& Section, const QString& Ident,
                                      double Default) const {
  QString S = ReadString(Section, Ident, QString());
  if (S.isEmpty()) return Default;
  return TextToDouble(S.toStdString()).value_or(Default);
}

TDateTime TCustomGraphIniFile::ReadTime(const QString& Section, const QString& Ident,
                                        TDateTime Default) const {
  QTime T = QTime::fromString(ReadString(Section, Ident, QString()), Qt::ISODate);
  return T.isValid() ? FromQDateTime(QDate(), T) : Default;
}

void TCustomGraphIniFile::WriteDate(const QString& Section, const QString& Ident, TDateTime Value) {
  WriteString(Section, Ident, ToQDate(Value).toString(Qt::ISODate));
}

void TCustomGraphIniFile::WriteDateTime(const QString& Section, const QString& Ident,
                                        TDateTime Value) {
  WriteString(Section, Ident, QDateTime(ToQDate(Value), ToQTime(Value)).toString(Qt::ISODate));
}

void TCustomGraphIniFile::WriteFloat(const QString& Section, const QString& Ident, double Value) {
  WriteString(Section, Ident, QString::fromStdString(FormatGeneral(Value, 15)));
}

void TCustomGraphIniFile::WriteTime(const QString& Section, const QString& Ident, TDateTime Value) {
  WriteString(Section, Ident, ToQTime(Value).toString(Qt::ISODate));
}

// --- The in-memory file
// ---------------------------------------------------------------------------

TGraphMemIniFile::TGraphMemIniFile(const QString& AFileName) : TCustomGraphIniFile(AFileName) {
  if (FileName.isEmpty() || !QFileInfo::exists(FileName)) return;
  QStringList Lines;
  if (ReadTextLines(FileName, Lines))
    Load(Lines);
  else
    FReadFailed = true;
}

TGraphMemIniFile::~TGraphMemIniFile() {
  if (!Modified()) return;
  try {
    QString Error;
    if (!UpdateFile(&Error))
      ShowError(QStringLiteral("The settings could not be saved to %1: %2").arg(FileName, Error));
  } catch (...) {
    // Nothing may leave a destructor; the box above is the report.
  }
}

void TGraphMemIniFile::Load(const QStringList& Lines) {
  TSection* Current = nullptr;
  for (const QString& L : Lines) {
    if (L.isEmpty() || L.startsWith(u';')) continue;
    if (IsHeader(L)) {
      FSections.push_back({HeaderName(L), {}});
      Current = &FSections.back();
      continue;
    }
    if (Current) Current->Lines << L;
  }
}

QString TGraphMemIniFile::ReadString(const QString& Section, const QString& Ident,
                                     const QString& Default) const {
  for (const TSection& S : FSections) {
    if (!Same(S.Name, Section)) continue;
    for (const QString& L : S.Lines)
      if (IsKeyLine(L, Ident)) return L.mid(L.indexOf(u'=') + 1);
    return Default;  // the first section of that name decides
  }
  return Default;
}

void TGraphMemIniFile::Apply(const TPending& P) {
  auto It = std::find_if(FSections.begin(), FSections.end(),
                         [&](const TSection& S) { return Same(S.Name, P.Section); });
  switch (P.Op) {
    case TOp::Write: {
      if (It == FSections.end()) {
        FSections.push_back({P.Section, {}});
        It = FSections.end() - 1;
      }
      QString Line = P.Ident + u'=' + P.Value;
      for (QString& L : It->Lines)
        if (IsKeyLine(L, P.Ident)) {
          L = Line;
          return;
        }
      It->Lines << Line;
      return;
    }
    case TOp::DeleteKey:
      if (It == FSections.end()) return;
      for (qsizetype i = 0; i < It->Lines.size(); ++i)
        if (IsKeyLine(It->Lines[i], P.Ident)) {
          It->Lines.removeAt(i);
          return;
        }
      return;
    case TOp::EraseSection:
      if (It != FSections.end()) FSections.erase(It);
      return;
  }
}

void TGraphMemIniFile::WriteString(const QString& Section, const QString& Ident,
                                   const QString& Value) {
  TPending P{TOp::Write, OneLine(Section), OneLine(Ident), OneLine(Value)};
  if (P.Ident.isEmpty()) return;
  // Writing what is already there changes nothing, and need not rewrite the file.
  const QString Marker = QStringLiteral("\x01");
  if (ReadString(P.Section, P.Ident, Marker) == P.Value) return;
  Apply(P);
  FPending.push_back(std::move(P));
}

QStringList TGraphMemIniFile::ReadSection(const QString& Section) const {
  QStringList R;
  for (const TSection& S : FSections) {
    if (!Same(S.Name, Section)) continue;
    for (const QString& L : S.Lines) R << L.left(L.indexOf(u'=') >= 0 ? L.indexOf(u'=') : L.size());
    break;
  }
  return R;
}

QStringList TGraphMemIniFile::ReadSections() const {
  QStringList R;
  for (const TSection& S : FSections) R << S.Name;
  return R;
}

QStringList TGraphMemIniFile::ReadSectionValues(const QString& Section) const {
  for (const TSection& S : FSections)
    if (Same(S.Name, Section)) return S.Lines;
  return {};
}

void TGraphMemIniFile::EraseSection(const QString& Section) {
  bool Exists = std::any_of(FSections.begin(), FSections.end(),
                            [&](const TSection& S) { return Same(S.Name, Section); });
  if (!Exists) return;
  TPending P{TOp::EraseSection, OneLine(Section), {}, {}};
  Apply(P);
  FPending.push_back(std::move(P));
}

void TGraphMemIniFile::DeleteKey(const QString& Section, const QString& Ident) {
  const QString Marker = QStringLiteral("\x01");
  if (ReadString(Section, Ident, Marker) == Marker) return;
  TPending P{TOp::DeleteKey, OneLine(Section), OneLine(Ident), {}};
  Apply(P);
  FPending.push_back(std::move(P));
}

bool TGraphMemIniFile::UpdateFile(QString* Error) {
  if (FPending.empty()) return true;
  if (FileName.isEmpty()) {
    if (Error) *Error = QStringLiteral("No file name");
    return false;
  }
  QStringList Lines;
  if (QFileInfo::exists(FileName) && !ReadTextLines(FileName, Lines, Error)) {
    FReadFailed = true;
    return false;
  }
  TDiskLines Disk{Lines};
  for (const TPending& P : FPending) {
    switch (P.Op) {
      case TOp::Write:
        Disk.Write(P.Section, P.Ident, P.Value);
        break;
      case TOp::DeleteKey:
        Disk.DeleteKey(P.Section, P.Ident);
        break;
      case TOp::EraseSection:
        Disk.EraseSection(P.Section);
        break;
    }
  }
  if (!WriteTextLines(FileName, Lines, Error)) return false;
  FPending.clear();
  // What others wrote meanwhile is now part of the file; reading goes on from the file as saved.
  FSections.clear();
  Load(Lines);
  return true;
}
