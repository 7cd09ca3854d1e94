#include "plot/core/graph_text_file.h"

#include <cmath>

TGraphTextReader::TGraphTextReader(const QByteArray& Data) {
  QString Text = QString::fromUtf8(Data);
  FLines = Text.split(QLatin1Char('\n'));
  for (QString& L : FLines)
    if (L.endsWith(QLatin1Char('\r'))) L.chop(1);
  // A final line end leaves an empty last piece that is not a line.
  if (!FLines.isEmpty() && FLines.back().isEmpty()) FLines.removeLast();
}

void TGraphTextReader::Fail(const QString& Message) const {
  throw TGraphLoadError(QStringLiteral("%1 at line %2").arg(Message).arg(FNext), FNext);
}

QString TGraphTextReader::ReadLine() {
  if (AtEnd()) {
    ++FNext;
    Fail(QStringLiteral("Unexpected end of file"));
  }
  return FLines[FNext++];
}

std::vector<int> TGraphTextReader::ReadIntegers(int Count) {
  QStringList Fields = ReadLine().split(QLatin1Char(' '), Qt::SkipEmptyParts);
  if (Fields.size() < Count) Fail(QStringLiteral("Missing number"));
  std::vector<int> V(Count);
  for (int I = 0; I < Count; ++I)
    if (!ParseGraphFileInt(Fields[I], V[I])) Fail(QStringLiteral("Invalid number"));
  return V;
}

void TGraphTextReader::ReadClosingLine(const QString& Expected) {
  if (ReadLine() != Expected)
    throw TGraphLoadError(QString(LoadErrorFormat)
                              .replace(QLatin1String("%s"), Expected)
                              .replace(QLatin1String("%d"), QString::number(FNext)),
                          FNext);
}

void TGraphTextWriter::WriteLine(const QString& S) {
  FData += S.toUtf8();
  FData += '\n';
}

QString GraphFileReal(double V) {
  if (!std::isfinite(V)) return QString::number(V);  // "inf", "-inf", "nan" read back
  // 15 significant digits and a four-digit exponent, as the file has always held them.
  QString M = QString::number(std::fabs(V), 'E', 14);
  int E = M.indexOf(QLatin1Char('E'));
  // Rounding up to 15 digits carries the largest values past the largest double, and such a
  // text would not read back: they are written as the 15-digit value just below instead.
  bool Fits = false;
  if (const double Back = M.toDouble(&Fits); !Fits || !std::isfinite(Back)) {
    QString Digits = M.left(E).remove(QLatin1Char('.'));
    Digits = QString::number(Digits.toLongLong() - 1);
    M = Digits.left(1) + QLatin1Char('.') + Digits.mid(1) + M.mid(E);
  }
  int Exp = M.mid(E + 1).toInt();
  QString S = M.left(E + 1) + (Exp < 0 ? QLatin1Char('-') : QLatin1Char('+')) +
              QStringLiteral("%1").arg(std::abs(Exp), 4, 10, QLatin1Char('0'));
  if (std::signbit(V)) S.prepend(QLatin1Char('-'));
  return S.rightJustified(23, QLatin1Char(' '));
}

bool ParseGraphFileInt(const QString& S, int& V) {
  bool Ok = false;
  V = S.trimmed().toInt(&Ok);
  return Ok;
}

bool ParseGraphFileReal(const QString& S, double& V) {
  bool Ok = false;
  V = S.trimmed().toDouble(&Ok);
  if (Ok) return true;
  QString T = S.trimmed().toLower();
  if (T == QLatin1String("inf") || T == QLatin1String("+inf"))
    V = INFINITY;
  else if (T == QLatin1String("-inf"))
    V = -INFINITY;
  else if (T == QLatin1String("nan"))
    V = NAN;
  else
    return false;
  return true;
}
