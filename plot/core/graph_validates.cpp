#include "plot/core/graph_validates.h"

#include <QLineEdit>
#include <QWidget>
#include <algorithm>
#include <cmath>

#include "platform/dialogs.h"
#include "plot/core/graph_utils.h"

namespace GraphValidates {

namespace {
const QString Infinity = QStringLiteral("\u221E");

bool IsSign(QChar C) { return C == u'+' || C == u'-'; }

QString EditName(QLineEdit* Edit) { return Edit ? Edit->objectName() : QString(); }

void GiveFocus(QLineEdit* Edit) {
  if (Edit && Edit->isEnabled() && Edit->isVisible()) Edit->setFocus();
}
}  // namespace

int IntBadCharPos(const QString& Text) {
  int LastSign = 0;
  for (qsizetype i = 0; i < Text.size(); ++i) {
    QChar C = Text[i];
    if (IsSign(C)) {
      LastSign = static_cast<int>(i + 1);
      continue;
    }
    if (!C.isDigit() || C.unicode() > 127) return static_cast<int>(i + 1);
  }
  if (LastSign >= 2) return LastSign;
  for (qsizetype i = LastSign; i < Text.size(); ++i)
    if (!Text[i].isDigit()) return static_cast<int>(i + 1);
  return 0;
}

bool ParseInt(const QString& Text, int& Value, int& Pos) {
  qsizetype i = 0, n = Text.size();
  bool Negative = false;
  if (i < n && IsSign(Text[i])) Negative = Text[i++] == u'-';
  if (i == n) {
    Pos = static_cast<int>(n + 1);
    return false;
  }
  long long V = 0;
  for (; i < n; ++i) {
    QChar C = Text[i];
    if (C.unicode() < '0' || C.unicode() > '9') {
      Pos = static_cast<int>(i + 1);
      return false;
    }
    V = V * 10 + (C.unicode() - '0');
    if (V > 2147483648LL || (!Negative && V > 2147483647LL)) {
      Pos = static_cast<int>(i + 1);
      return false;
    }
  }
  Value = static_cast<int>(Negative ? -V : V);
  Pos = 0;
  return true;
}

bool ParseReal(const QString& Text, double& Value) {
  double V;
  if (!TryGraphTextToFloat(Text, V) || std::isnan(V)) return false;
  Value = V;
  return true;
}

// --- Whole numbers ------------------------------------------------------------------------------

TIntValidate::TIntValidate(int AMin, int AMax, QLineEdit* AEdit, QWidget* AForm,
                           const QString& ACaption)
    : Edit(AEdit), Form(AForm), Caption(ACaption.isEmpty() ? EditName(AEdit) : ACaption) {
  SetMin(AMin);
  SetMax(AMax);
  if (!Edit) return;
  QString T = Edit->text();
  // Drop what does not belong until the rest reads as a number. Every round removes one
  // character, so this ends, also for a lone sign whose fault lies past the end.
  int V, Pos;
  while (!T.isEmpty() && !ParseInt(T, V, Pos))
    T.remove(std::clamp<qsizetype>(Pos - 1, 0, T.size() - 1), 1);
  LastText = T;
}

void TIntValidate::SetMin(int V) {
  Min = V;
  if (V > Max) SetMax(V);
}

void TIntValidate::SetMax(int V) {
  Max = V;
  if (V < Min) SetMin(V);
}

void TIntValidate::SetRange(int Lo, int Hi) {
  SetMin(Lo);
  SetMax(Hi);
}

int TIntValidate::GetValue() {
  int V, Pos;
  if (Edit && !Edit->text().isEmpty() && ParseInt(Edit->text(), V, Pos)) Value = V;
  return Value;
}

void TIntValidate::TextChanged() {
  if (!Edit) return;
  int P = IntBadCharPos(Edit->text());
  if (P != 0) {
    Edit->setText(LastText);
    Edit->setCursorPosition(std::max(P - 1, 0));
  } else {
    LastText = Edit->text();
  }
}

bool TIntValidate::InRange() {
  if (!Edit) return false;
  int V, Pos;
  if (!ParseInt(Edit->text(), V, Pos)) return false;
  Value = V;
  return Min <= V && V <= Max;
}

void TIntValidate::FocusEdit() { GiveFocus(Edit); }

bool TIntValidate::IsInRange() {
  if (InRange()) return true;
  MessageDlg(Caption + QStringLiteral(" must be in the range [") + QString::number(Min) +
                 QStringLiteral("..") + QString::number(Max) + u']',
             mtError, mbOK);
  FocusEdit();
  return false;
}

bool TIntValidate::IsValid() {
  if (InRange()) return true;
  ErrorBeep();
  FocusEdit();
  return false;
}

// --- Real numbers -------------------------------------------------------------------------------

TRealValidate::TRealValidate(double AMin, double AMax, QLineEdit* AEdit, QWidget* AForm,
                             const QString& ACaption)
    : Edit(AEdit), Form(AForm), Caption(ACaption.isEmpty() ? EditName(AEdit) : ACaption) {
  SetMin(AMin);
  SetMax(AMax);
  if (!Edit) return;
  double V;
  if (!ParseReal(Edit->text(), V)) Edit->setText(QString());
  LastText = Edit->text();
}

int TRealValidate::BadCharPos(const QString& Text) const {
  if (Text.isEmpty()) return 0;
  // An infinity, as the bounds are written, may stand alone.
  QString Bare = IsSign(Text[0]) ? Text.mid(1) : Text;
  if (Bare == Infinity) return 0;
  int Candidates[4] = {0, 0, 0, 0};
  for (qsizetype i = 0; i < Text.size(); ++i) {
    QChar C = Text[i];
    bool Ok = (C.unicode() >= '0' && C.unicode() <= '9') || IsSign(C) || C == u'.' || C == u'e' ||
              C == u'E';
    if (!Ok) {
      Candidates[0] = static_cast<int>(i + 1);
      break;
    }
  }
  qsizetype Dot = Text.indexOf(u'.');
  qsizetype Le = Text.indexOf(u'e'), Ue = Text.indexOf(u'E');
  qsizetype Exp = Le < 0 ? Ue : Ue < 0 ? Le : std::min(Le, Ue);
  qsizetype MantEnd = Dot >= 0 && (Exp < 0 || Dot < Exp) ? Dot : Exp >= 0 ? Exp : Text.size();
  QString Mantissa = Text.left(MantEnd);
  if (int P = IntBadCharPos(Mantissa)) Candidates[1] = P;
  if (Dot >= 0 && (Exp < 0 || Dot < Exp)) {
    QString Fraction = Text.mid(Dot, (Exp >= 0 ? Exp : Text.size()) - Dot);
    Fraction[0] = u'-';
    if (int P = IntBadCharPos(Fraction)) Candidates[2] = static_cast<int>(Dot + 1 + P - 1);
  }
  if (Exp >= 0) {
    if (int P = IntBadCharPos(Text.mid(Exp + 1))) Candidates[3] = static_cast<int>(Exp + 1 + P);
  }
  int Best = 0;
  for (int C : Candidates)
    if (C != 0 && (Best == 0 || C < Best)) Best = C;
  return Best;
}

void TRealValidate::SetMin(double V) {
  Min = V;
  if (V > Max) SetMax(V);
}

void TRealValidate::SetMax(double V) {
  Max = V;
  if (V < Min) SetMin(V);
}

void TRealValidate::SetRange(double Lo, double Hi) {
  SetMin(Lo);
  SetMax(Hi);
}

double TRealValidate::GetValue() {
  double V;
  if (Edit && !Edit->text().isEmpty() && ParseReal(Edit->text(), V)) Value = V;
  return Value;
}

void TRealValidate::TextChanged() {
  if (!Edit) return;
  QString T = Edit->text();
  if (T.size() > LastText.size()) {
    int P = BadCharPos(T);
    if (P != 0) {
      Edit->setText(LastText);
      Edit->setCursorPosition(std::max(P - 1, 0));
    } else {
      LastText = T;
    }
  } else {
    LastText = T;
  }
  double V;
  if (ParseReal(Edit->text(), V)) Value = V;
}

bool TRealValidate::InRange() {
  if (!Edit) return false;
  double V;
  if (!ParseReal(Edit->text(), V)) return false;
  Value = V;
  return (ExclusiveMin ? Min < V : Min <= V) && V <= Max;
}

void TRealValidate::FocusEdit() { GiveFocus(Edit); }

bool TRealValidate::IsInRange() {
  if (InRange()) return true;
  if (Edit && (MessageWhenEmpty || !Edit->text().isEmpty()))
    MessageDlg(Caption +
                   (ExclusiveMin ? QStringLiteral(" must be in the range [ > ")
                                 : QStringLiteral(" must be in the range [")) +
                   FloatToEditStr(8, 1, Min) + QStringLiteral(" ... ") + FloatToEditStr(8, 1, Max) +
                   u']',
               mtError, mbOK);
  FocusEdit();
  return false;
}

bool TRealValidate::IsValid() {
  if (InRange()) return true;
  ErrorBeep();
  FocusEdit();
  return false;
}

}  // namespace GraphValidates
