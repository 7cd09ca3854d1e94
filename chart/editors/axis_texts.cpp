#include "chart/editors/axis_texts.h"

#include <cmath>

#include <QDate>
#include <QRegularExpression>

#include "chart/engine/chart_format.h"
#include "chart/engine/chart_utils.h"
#include "platform/number_text.h"

namespace {
const char* const StepNames[NumDateTimeSteps] = {
    "One Second", "Five Seconds", "Ten Seconds", "Fifteen Seconds", "Thirty Seconds",
    "One Minute", "Five Minutes", "Ten Minutes", "Fifteen Minutes", "Thirty Minutes",
    "One Hour",   "Two Hours",    "Six Hours",   "Twelve Hours",    "One Day",
    "Two Days",   "Three Days",   "One Week",    "Half Month",      "One Month",
    "Two Months", "Three Months", "Four Months", "Six Months",      "One Year"};

std::optional<double> Refuse(QString& Error, const QString& Text, const char* What) {
  Error = QStringLiteral("'%1' is not a valid %2").arg(Text, QLatin1String(What));
  return std::nullopt;
}

// A time of day as a fraction of a day, or nothing.
std::optional<double> ParseTime(const QString& Text) {
  static const QRegularExpression Re(
      QStringLiteral("^(\\d{1,2}):(\\d{1,2})(?::(\\d{1,2})(?:\\.(\\d{1,3}))?)?\\s*(am|pm)?$"),
      QRegularExpression::CaseInsensitiveOption);
  const QRegularExpressionMatch M = Re.match(Text.trimmed());
  if (!M.hasMatch()) return std::nullopt;
  int H = M.captured(1).toInt();
  const int N = M.captured(2).toInt(), S = M.captured(3).toInt();
  const int Z = M.captured(4).isEmpty() ? 0 : M.captured(4).leftJustified(3, u'0').toInt();
  const QString Half = M.captured(5).toLower();
  if (!Half.isEmpty()) {
    if (H < 1 || H > 12) return std::nullopt;
    H = H % 12 + (Half == u"pm" ? 12 : 0);
  }
  if (H > 23 || N > 59 || S > 59) return std::nullopt;
  return ((H * 60.0 + N) * 60.0 + S + Z / 1000.0) / 86400.0;
}

// A date of the program's short format (month, day, year), or nothing.
std::optional<double> ParseDate(const QString& Text) {
  static const QRegularExpression Re(QStringLiteral("^(\\d{1,2})/(\\d{1,2})/(\\d{1,4})$"));
  const QRegularExpressionMatch M = Re.match(Text.trimmed());
  if (!M.hasMatch()) return std::nullopt;
  const int Y = M.captured(3).toInt(), Mo = M.captured(1).toInt(), D = M.captured(2).toInt();
  if (Y < 1 || !QDate::isValid(Y, Mo, D)) return std::nullopt;
  return EncodeDate(Y, Mo, D);
}
}  // namespace

QString DateTimeStepName(int Index) {
  if (Index < 0 || Index >= NumDateTimeSteps) return {};
  return QLatin1String(StepNames[Index]);
}

QString DateText(double DateTime) { return FormatDateTime(ShortDateFormat(), DateTime); }
QString TimeText(double DateTime) { return FormatDateTime(QStringLiteral("hh:nn:ss"), DateTime); }
QString NumberText(double Value) { return QString::fromStdString(FloatToText(Value)); }

QString IncrementText(bool DateTime, bool Exact, double Increment, const QString& Format) {
  if (!DateTime) return FormatFloat(Format, Increment);
  const int Step = DateTimeStepIndex(Increment);
  if (Exact && Step >= 0 && Step < NumDateTimeSteps) return DateTimeStepName(Step);
  // A step of nothing (or a corrupt one) would show as midnight: a second is the least.
  if (!(Increment > 0)) return TimeText(DateTimeStep[dtOneSecond]);
  if (Increment < 1) return TimeText(Increment);
  if (!std::isfinite(Increment) || Increment >= 1e15)
    return FormatFloat(QStringLiteral("0"), Increment);
  const double Days = std::floor(Increment);
  const double Rest = Increment - Days;
  QString Text = QString::number(qint64(Days));
  // Less than half a second of rest is a rounding of the whole days.
  if (Rest * 86400.0 >= 0.5) Text += QLatin1Char(' ') + TimeText(Rest);
  return Text;
}

std::optional<double> ReadNumberText(const QString& Text, QString& Error) {
  double V = 0;
  if (!TryTextToFloat(Text.trimmed().toStdString(), V) || !std::isfinite(V))
    return Refuse(Error, Text, "number");
  return V;
}

std::optional<double> ReadTimeText(const QString& Text, QString& Error) {
  if (auto T = ParseTime(Text)) return T;
  return Refuse(Error, Text, "time");
}

std::optional<double> ReadDateTimeText(const QString& Text, QString& Error) {
  const QString T = Text.trimmed();
  const qsizetype Blank = T.indexOf(u' ');
  const auto Date = ParseDate(Blank < 0 ? T : T.left(Blank));
  const auto Time = Blank < 0 ? std::optional<double>(0.0) : ParseTime(T.mid(Blank + 1));
  if (!Date || !Time) return Refuse(Error, Text, "date and time");
  // Before the zero date the time counts back from the day, as the dates' fraction does.
  return *Date < 0 ? *Date - *Time : *Date + *Time;
}

std::optional<double> ReadIncrementText(const QString& Text, QString& Error) {
  const QString T = Text.trimmed();
  if (T.contains(u':') && !T.contains(u' ')) {
    if (auto Time = ParseTime(T)) return Time;
    return Refuse(Error, Text, "time");
  }
  const qsizetype Blank = T.indexOf(u' ');
  const QString DaysText = Blank < 0 ? T : T.left(Blank);
  // Days are counted forwards only: a step back is no step.
  static const QRegularExpression Days(QStringLiteral("^\\d+(\\.\\d*)?$"));
  double D = 0;
  if (!Days.match(DaysText).hasMatch() || !TryTextToFloat(DaysText.toStdString(), D) ||
      !std::isfinite(D))
    return Refuse(Error, Text, "number of days and time");
  if (Blank < 0) return D;
  const auto Time = ParseTime(T.mid(Blank + 1));
  if (!Time) return Refuse(Error, Text, "number of days and time");
  return D + *Time;
}
