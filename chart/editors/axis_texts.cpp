#include "chart/editors/axis_texts.h"

#include <cmath>

#include "chart/engine/chart_format.h"
#include "chart/engine/chart_utils.h"

namespace {
const char* const StepNames[NumDateTimeSteps] = {
    "One Second", "Five Seconds", "Ten Seconds", "Fifteen Seconds", "Thirty Seconds",
    "One Minute", "Five Minutes", "Ten Minutes", "Fifteen Minutes", "Thirty Minutes",
    "One Hour",   "Two Hours",    "Six Hours",   "Twelve Hours",    "One Day",
    "Two Days",   "Three Days",   "One Week",    "Half Month",      "One Month",
    "Two Months", "Three Months", "Four Months", "Six Months",      "One Year"};

QString TimeText(double Days) { return FormatDateTime(QStringLiteral("hh:nn:ss"), Days); }
}  // namespace

QString DateTimeStepName(int Index) {
  if (Index < 0 || Index >= NumDateTimeSteps) return {};
  return QLatin1String(StepNames[Index]);
}

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
