#include "plot/core/graph_mem_ini_file.h"

#include <QDateTime>
#include <cmath>

#include "platform/dialogs.h"
#include "platform/number_text.h"
#include "platform/text_file.h"

namespace {
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
  if (FileName.isEmpty()) return;
  const TReadStatus S = LoadIniDocument(FileName, FDoc);
  FReadFailed = !S.Ok() && !S.Missing();
}

TGraphMemIniFile::~TGraphMemIniFile() {
  if (!Modified()) return;
  try {
    if (const TFileStatus S = UpdateFile(); !S.Ok()) ShowError(FileFailureText(S));
  } catch (...) {
    // Nothing may leave a destructor; the box above is the report.
  }
}

QString TGraphMemIniFile::ReadString(const QString& Section, const QString& Ident,
                                     const QString& Default) const {
  const std::optional<QString> V = FDoc.Find(Section, Ident);
  return V ? *V : Default;
}

void TGraphMemIniFile::WriteString(const QString& Section, const QString& Ident,
                                   const QString& Value) {
  // Names are taken as given: the document refuses those it could not read back.
  const QString V = OneLine(Value);
  if (Ident.isEmpty()) return;
  // Writing what is already there changes nothing, and need not rewrite the file.
  if (const auto Old = FDoc.Find(Section, Ident); Old && *Old == V) return;
  if (FDoc.Write(Section, Ident, V)) FChanges.Write(Section, Ident, V);
}

QStringList TGraphMemIniFile::ReadSection(const QString& Section) const {
  return FDoc.Keys(Section);
}

QStringList TGraphMemIniFile::ReadSections() const { return FDoc.Sections(); }

QStringList TGraphMemIniFile::ReadSectionValues(const QString& Section) const {
  return FDoc.KeyValues(Section);
}

void TGraphMemIniFile::EraseSection(const QString& Section) {
  if (!FDoc.SectionExists(Section)) return;
  FDoc.EraseSection(Section);
  FChanges.EraseSection(Section);
}

void TGraphMemIniFile::DeleteKey(const QString& Section, const QString& Ident) {
  if (!FDoc.Find(Section, Ident)) return;
  FDoc.DeleteKey(Section, Ident);
  FChanges.DeleteKey(Section, Ident);
}

TFileStatus TGraphMemIniFile::UpdateFile() {
  if (FChanges.Empty()) return {};
  // What others wrote meanwhile is kept, and reading goes on from the file as saved.
  TFileStatus S = FChanges.Save(FileName, FDoc);
  if (!S.Ok() && S.Op == TFileOp::Read) FReadFailed = true;
  return S;
}
