#include "platform/number_validate.h"

#include <algorithm>

namespace NumberValidate {

namespace {
bool IsDigit(QChar C) { return C >= QLatin1Char('0') && C <= QLatin1Char('9'); }
bool IsSign(QChar C) { return C == QLatin1Char('+') || C == QLatin1Char('-'); }
}  // namespace

int IntBadCharPos(const QString& Text) {
  int LastSign = 0;
  for (int i = 0; i < Text.size(); ++i) {
    const QChar C = Text[i];
    if (IsSign(C))
      LastSign = i + 1;
    else if (!IsDigit(C))
      return i + 1;
  }
  if (LastSign >= 2) return LastSign;
  for (int i = LastSign; i < Text.size(); ++i)
    if (!IsDigit(Text[i])) return i + 1;
  return 0;
}

int RealBadCharPos(const QString& Text) {
  if (Text.isEmpty()) return 0;
  int Best = 0;
  auto Candidate = [&Best](int P) {
    if (P > 0 && (Best == 0 || P < Best)) Best = P;
  };
  for (int i = 0; i < Text.size(); ++i) {
    const QChar C = Text[i];
    if (!IsDigit(C) && !IsSign(C) && C != QLatin1Char('.') && C != QLatin1Char('e') &&
        C != QLatin1Char('E')) {
      Candidate(i + 1);
      break;
    }
  }
  const int Dot = Text.indexOf(QLatin1Char('.'));  // 0-based, -1 when absent
  int Exp = -1;
  for (int i = 0; i < Text.size(); ++i)
    if (Text[i] == QLatin1Char('e') || Text[i] == QLatin1Char('E')) {
      Exp = i;
      break;
    }
  const int MantEnd =
      Dot >= 0 && (Exp < 0 || Dot < Exp) ? Dot : (Exp >= 0 ? Exp : int(Text.size()));
  Candidate(IntBadCharPos(Text.left(MantEnd)));
  if (Dot >= 0 && (Exp < 0 || Dot < Exp)) {
    QString Fraction = Text.mid(Dot, (Exp >= 0 ? Exp : int(Text.size())) - Dot);
    Fraction[0] = QLatin1Char('-');
    const int P = IntBadCharPos(Fraction);
    if (P) Candidate(Dot + 1 + P - 1);
  }
  if (Exp >= 0) {
    const int P = IntBadCharPos(Text.mid(Exp + 1));
    if (P) Candidate(Exp + 1 + P);
  }
  return Best;
}

QString CaptionOr(const QString& Caption, const QLineEdit* Edit) {
  return Caption.isEmpty() && Edit ? Edit->objectName() : Caption;
}

bool KeepGoodText(QLineEdit* Edit, QString& LastText, int BadPos) {
  if (BadPos == 0) {
    LastText = Edit->text();
    return false;
  }
  Edit->setText(LastText);
  Edit->setCursorPosition(std::max(BadPos - 1, 0));
  return true;
}

}  // namespace NumberValidate
