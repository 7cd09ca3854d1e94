#include "plot/core/graph_value_format.h"

#include <cmath>
#include <cstdio>

#include "plot/core/graph_utils.h"

namespace {
// Parses the conversion starting at Format[I] == '%'; answers its end (one past the letter) or
// -1.
int Conversion(const QString& F, int I) {
  int J = I + 1;
  while (J < F.size() && QStringLiteral("-+ #0").contains(F[J])) ++J;
  int Digits = 0;
  while (J < F.size() && F[J].isDigit()) ++J, ++Digits;
  if (Digits > 2) return -1;  // widths beyond 99 only waste memory
  if (J < F.size() && F[J] == QLatin1Char('.')) {
    ++J;
    Digits = 0;
    while (J < F.size() && F[J].isDigit()) ++J, ++Digits;
    if (Digits > 2) return -1;
  }
  if (J < F.size() && QStringLiteral("feEgG").contains(F[J])) return J + 1;
  return -1;
}
}  // namespace

bool IsSafeValueFormat(const QString& F) {
  int Conversions = 0;
  for (int I = 0; I < F.size(); ++I) {
    if (F[I] != QLatin1Char('%')) continue;
    if (I + 1 < F.size() && F[I + 1] == QLatin1Char('%')) {
      ++I;
      continue;
    }
    int End = Conversion(F, I);
    if (End < 0) return false;
    ++Conversions;
    I = End - 1;
  }
  return Conversions == 1;
}

QString FormatGraphValue(const QString& Format, double V, int GeneralDigits) {
  if (Format.isEmpty() || !IsSafeValueFormat(Format) || !std::isfinite(V))
    return FloatToText(GeneralDigits, 0, V);
  QByteArray F = Format.toUtf8();
  char Buffer[512];
  int N = std::snprintf(Buffer, sizeof Buffer, F.constData(), V);  // checked above
  if (N < 0) return FloatToText(GeneralDigits, 0, V);
  return QString::fromUtf8(Buffer, std::min<int>(N, sizeof Buffer - 1));
}
