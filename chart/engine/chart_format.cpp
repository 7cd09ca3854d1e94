#include "chart/engine/chart_format.h"

#include <cmath>
#include <string>

#include <QDate>
#include <QStringList>

#include "chart/engine/chart_utils.h"
#include "platform/number_text.h"

namespace {

QStringList SplitSections(const QString& Format) {
  QStringList Sections{QString()};
  QChar Quote;
  for (QChar C : Format) {
    if (!Quote.isNull()) {
      if (C == Quote) Quote = QChar();
    } else if (C == u'"' || C == u'\'') {
      Quote = C;
    } else if (C == u';') {
      Sections.append(QString());
      continue;
    }
    Sections.last().append(C);
  }
  return Sections;
}

struct TPicture {
  QString Prefix, Suffix;
  int MinInt = 0;
  int MinDec = 0, MaxDec = 0;
  bool Thousands = false;
  bool Exponent = false, ExpPlus = false;
  QChar ExpChar = u'E';
  int ExpDigits = 0;
  bool HasDigits = false;
};

TPicture Parse(const QString& S) {
  TPicture P;
  bool InNumber = false, AfterNumber = false, Decimal = false;
  QChar Quote;
  for (int i = 0; i < S.size(); ++i) {
    const QChar C = S[i];
    if (!Quote.isNull()) {
      if (C == Quote)
        Quote = QChar();
      else
        (AfterNumber || InNumber ? P.Suffix : P.Prefix).append(C);
      continue;
    }
    if (C == u'"' || C == u'\'') {
      Quote = C;
      continue;
    }
    const bool Digit = C == u'0' || C == u'#';
    if (!AfterNumber &&
        (Digit || (InNumber && (C == u',' || C == u'.')) ||
         (!InNumber && C == u'.' && i + 1 < S.size() && (S[i + 1] == u'0' || S[i + 1] == u'#')))) {
      InNumber = true;
      P.HasDigits = P.HasDigits || Digit;
      if (C == u'.') {
        Decimal = true;
      } else if (C == u',') {
        P.Thousands = true;
      } else if (Decimal) {
        ++P.MaxDec;
        if (C == u'0') P.MinDec = P.MaxDec;
      } else if (C == u'0') {
        ++P.MinInt;
      }
      continue;
    }
    if (InNumber && !AfterNumber && (C == u'E' || C == u'e') && i + 1 < S.size() &&
        (S[i + 1] == u'+' || S[i + 1] == u'-')) {
      P.Exponent = true;
      P.ExpChar = C;
      P.ExpPlus = S[i + 1] == u'+';
      i += 2;
      while (i < S.size() && S[i] == u'0') {
        ++P.ExpDigits;
        ++i;
      }
      --i;
      AfterNumber = true;
      continue;
    }
    if (InNumber) AfterNumber = true;
    (AfterNumber ? P.Suffix : P.Prefix).append(C);
  }
  return P;
}

QString Group(const QString& Int) {
  QString R;
  const int N = int(Int.size());
  for (int i = 0; i < N; ++i) {
    if (i > 0 && (N - i) % 3 == 0) R.append(u',');
    R.append(Int[i]);
  }
  return R;
}

// Digits of a non-negative value with MaxDec decimals, trimmed to MinDec.
void Digits(double Value, const TPicture& P, QString& Int, QString& Dec) {
  const QString Fixed = QString::fromStdString(FormatFixed(Value, P.MaxDec));
  const int Dot = int(Fixed.indexOf(u'.'));
  Int = Dot < 0 ? Fixed : Fixed.left(Dot);
  Dec = Dot < 0 ? QString() : Fixed.mid(Dot + 1);
  while (Dec.size() > P.MinDec && Dec.endsWith(u'0')) Dec.chop(1);
  if (Int == u"0" && P.MinInt == 0) Int.clear();
  while (Int.size() < P.MinInt) Int.prepend(u'0');
}

constexpr int MaxFixedDigits = 15;

QString FormatPicture(const TPicture& P, double Value, bool Minus) {
  if (!P.HasDigits) return (Minus ? QStringLiteral("-") : QString()) + P.Prefix + P.Suffix;
  QString Int, Dec, Exp;
  if (P.Exponent) {
    int E = 0;
    if (Value != 0) {
      E = int(std::floor(std::log10(Value)));
      double M = Value / std::pow(10.0, E);
      // Rounding may carry the mantissa to 10.
      if (std::stod(FormatFixed(M, P.MaxDec)) >= 10) {
        ++E;
        M /= 10;
      }
      Value = M;
    }
    TPicture One = P;
    One.MinInt = 1;
    Digits(Value, One, Int, Dec);
    QString ED = QString::number(std::abs(E));
    while (ED.size() < P.ExpDigits) ED.prepend(u'0');
    Exp = QString(P.ExpChar) +
          (E < 0 ? QStringLiteral("-") : (P.ExpPlus ? QStringLiteral("+") : QString())) + ED;
  } else {
    Digits(Value, P, Int, Dec);
    // Past the digits a double carries, the fixed form only grows wide with noise (a label of
    // 1E300 would take the whole chart): such a value is written with an exponent.
    if (Int.size() > MaxFixedDigits) {
      TPicture E = P;
      E.Exponent = E.ExpPlus = true;
      return FormatPicture(E, Value, Minus);
    }
    if (P.Thousands) Int = Group(Int);
  }
  // No minus sign before a value that rounds to zero.
  bool AllZero = true;
  for (QChar C : Int + Dec)
    if (C.isDigit() && C != u'0') AllZero = false;
  QString R = (Minus && !AllZero) ? QStringLiteral("-") : QString();
  R += P.Prefix + Int;
  if (!Dec.isEmpty()) R += u'.' + Dec;
  return R + Exp + P.Suffix;
}

}  // namespace

QString FormatFloat(const QString& Format, double Value) {
  if (std::isnan(Value)) return QStringLiteral("NAN");
  if (std::isinf(Value)) return Value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
  if (Format.isEmpty()) return QString::fromStdString(FormatGeneral(Value, 15));
  const QStringList S = SplitSections(Format);
  QString Section = S[0];
  bool Minus = Value < 0;
  if (Value < 0 && S.size() > 1 && !S[1].isEmpty()) {
    Section = S[1];
    Minus = false;
  } else if (Value == 0 && S.size() > 2 && !S[2].isEmpty()) {
    Section = S[2];
  }
  return FormatPicture(Parse(Section), std::fabs(Value), Minus);
}

QString ShortDateFormat() { return QStringLiteral("m/d/yyyy"); }
QString ShortTimeFormat() { return QStringLiteral("h:nn"); }

QString FormatDateTime(const QString& Format, double DateTime) {
  if (!std::isfinite(DateTime)) return QString();
  int Y, M, D;
  DecodeDate(DateTime, Y, M, D);
  const double Frac = DateTime - std::floor(DateTime);
  long long Ms = std::llround(Frac * 86400000.0);
  if (Ms >= 86400000) Ms = 86399999;
  const int H = int(Ms / 3600000), N = int(Ms / 60000 % 60), S = int(Ms / 1000 % 60),
            Z = int(Ms % 1000);
  const QDate Date(Y, M, D);
  static const char* const ShortDays[] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
  static const char* const LongDays[] = {"Monday", "Tuesday",  "Wednesday", "Thursday",
                                         "Friday", "Saturday", "Sunday"};
  static const char* const ShortMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                            "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  static const char* const LongMonths[] = {"January",   "February", "March",    "April",
                                           "May",       "June",     "July",     "August",
                                           "September", "October",  "November", "December"};
  const QString F = Format.isEmpty() ? QStringLiteral("c") : Format;
  const bool Twelve = F.contains(QStringLiteral("am/pm"), Qt::CaseInsensitive) ||
                      F.contains(QStringLiteral("a/p"), Qt::CaseInsensitive);
  QString R;
  bool LastWasHour = false;
  auto Pad = [](int V, int W) { return QString::number(V).rightJustified(W, u'0'); };
  for (int i = 0; i < F.size();) {
    const QChar C = F[i].toLower();
    int Run = 1;
    while (i + Run < F.size() && F[i + Run].toLower() == C) ++Run;
    if (F[i] == u'"' || F[i] == u'\'') {
      const int End = int(F.indexOf(F[i], i + 1));
      R += F.mid(i + 1, End < 0 ? -1 : End - i - 1);
      i = End < 0 ? int(F.size()) : End + 1;
      continue;
    }
    if (F.mid(i, 5).compare(QStringLiteral("am/pm"), Qt::CaseInsensitive) == 0) {
      R += H < 12 ? QStringLiteral("am") : QStringLiteral("pm");
      i += 5;
      continue;
    }
    if (F.mid(i, 3).compare(QStringLiteral("a/p"), Qt::CaseInsensitive) == 0) {
      R += H < 12 ? QStringLiteral("a") : QStringLiteral("p");
      i += 3;
      continue;
    }
    bool Hour = false;
    switch (C.unicode()) {
      case 'c':
        R += FormatDateTime(ShortDateFormat(), DateTime);
        if (Ms) R += u' ' + FormatDateTime(QStringLiteral("h:nn:ss"), DateTime);
        Run = 1;
        break;
      case 'd':
        if (Run == 1 || Run == 2)
          R += Pad(D, Run);
        else if (Run == 3)
          R += QString::fromLatin1(ShortDays[Date.dayOfWeek() - 1]);
        else
          R += QString::fromLatin1(LongDays[Date.dayOfWeek() - 1]);
        Run = std::min(Run, 4);
        break;
      case 'm':
        if (LastWasHour && Run <= 2)
          R += Pad(N, Run);
        else if (Run <= 2)
          R += Pad(M, Run);
        else if (Run == 3)
          R += QString::fromLatin1(ShortMonths[M - 1]);
        else
          R += QString::fromLatin1(LongMonths[M - 1]);
        Run = std::min(Run, 4);
        break;
      case 'y':
        R += Run <= 2 ? Pad(Y % 100, 2) : Pad(Y, 4);
        break;
      case 'h': {
        int HH = H;
        if (Twelve) HH = H % 12 == 0 ? 12 : H % 12;
        R += Pad(HH, std::min(Run, 2));
        Hour = true;
        break;
      }
      case 'n':
        R += Pad(N, std::min(Run, 2));
        break;
      case 's':
        R += Pad(S, std::min(Run, 2));
        break;
      case 'z':
        R += Run >= 3 ? Pad(Z, 3) : QString::number(Z);
        break;
      default:
        R += F.mid(i, Run);
        break;
    }
    if (C != u':' && C != u' ') LastWasHour = Hour;
    i += Run;
  }
  return R;
}
