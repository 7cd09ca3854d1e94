#include "plot/core/graph_value_format.h"

#include <algorithm>
#include <string>

#include "platform/number_text.h"

namespace {

struct TConversion {
  bool Left = false;
  int Width = 0;
  int Precision = -1;  // none given
  char Type = 0;
};

// The ASCII digits at F[I], their number held at Max (so that no length of digits overflows), or
// -1 when there are none.
int Number(const QString& F, int& I, int Max) {
  int V = -1;
  for (; I < F.size() && F[I] >= u'0' && F[I] <= u'9'; ++I)
    V = std::min(std::max(V, 0) * 10 + (F[I].unicode() - u'0'), Max);
  return V;
}

// Reads the conversion whose "%" is at F[I]; I ends on its type letter.
bool Read(const QString& F, int& I, TConversion& C) {
  ++I;
  if (I < F.size() && F[I] == u'-') {
    C.Left = true;
    ++I;
  }
  C.Width = std::max(Number(F, I, MaxValueFormatWidth), 0);
  if (I < F.size() && F[I] == u'.') {
    ++I;
    C.Precision = Number(F, I, std::max(MaxValueFormatSignificant, MaxValueFormatDecimals));
    if (C.Precision < 0) return false;
  }
  if (I >= F.size()) return false;
  C.Type = static_cast<char>(F[I].toLower().unicode());
  return C.Type == 'e' || C.Type == 'f' || C.Type == 'g' || C.Type == 'n';
}

// The integer digits of a fixed text grouped by thousands.
std::string Grouped(std::string S) {
  const size_t First = S.find_first_of("0123456789");
  if (First == std::string::npos) return S;  // INF, NAN
  size_t End = S.find('.');
  if (End == std::string::npos) End = S.size();
  for (size_t At = End; At > First + 3; At -= 3) S.insert(At - 3, 1, ',');
  return S;
}

QString Written(const TConversion& C, double V) {
  auto Significant = [&] {
    return C.Precision < 0 ? 15 : std::clamp(C.Precision, 1, MaxValueFormatSignificant);
  };
  const int Decimals = C.Precision < 0 ? 2 : std::min(C.Precision, MaxValueFormatDecimals);
  std::string S;
  switch (C.Type) {
    case 'e':
      S = FormatExponent(V, Significant(), 3);
      break;
    case 'g':
      S = FormatGeneral(V, Significant());
      break;
    case 'n':
      S = Grouped(FormatFixed(V, Decimals));
      break;
    default:
      S = FormatFixed(V, Decimals);
      break;
  }
  QString T = QString::fromStdString(S);
  return C.Left ? T.leftJustified(C.Width) : T.rightJustified(C.Width);
}

}  // namespace

bool FormatGraphValue(const QString& Format, double V, QString& Text) {
  QString Out;
  int Conversions = 0;
  for (int I = 0; I < Format.size(); ++I) {
    if (Format[I] != u'%') {
      Out += Format[I];
      continue;
    }
    if (I + 1 < Format.size() && Format[I + 1] == u'%') {
      Out += u'%';
      ++I;
      continue;
    }
    TConversion C;
    if (!Read(Format, I, C) || ++Conversions > 1) return false;
    Out += Written(C, V);
  }
  if (Conversions != 1) return false;
  Text = Out;
  return true;
}

bool IsSafeValueFormat(const QString& Format) {
  QString Unused;
  return FormatGraphValue(Format, 0, Unused);
}
