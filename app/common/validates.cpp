#include "app/common/validates.h"

#include <QLineEdit>

#include <algorithm>
#include <charconv>

#include "platform/app_services.h"
#include "platform/number_text.h"

namespace Validates {

namespace {

bool IsDigit(QChar C) { return C >= QLatin1Char('0') && C <= QLatin1Char('9'); }
bool IsSign(QChar C) { return C == QLatin1Char('+') || C == QLatin1Char('-'); }

void SetFieldColor(QLineEdit* Edit, const QColor& Color) {
  QPalette P = Edit->palette();
  if (P.color(QPalette::Base) == Color) return;
  P.setColor(QPalette::Base, Color);
  Edit->setPalette(P);
}

// Puts text into the field; its change event runs the validator again on the new text.
void SetFieldText(QLineEdit* Edit, const QString& Text) { Edit->setText(Text); }

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

bool ParseInt(const QString& Text, int& Value) {
  if (Text.isEmpty() || IntBadCharPos(Text) != 0) return false;
  std::string S = Text.toStdString();
  if (S[0] == '+') S.erase(0, 1);
  if (S.empty() || S == "-") return false;
  int V = 0;
  const auto [Ptr, Ec] = std::from_chars(S.data(), S.data() + S.size(), V);
  if (Ec != std::errc() || Ptr != S.data() + S.size()) return false;
  Value = V;
  return true;
}

bool ParseReal(const QString& Text, Extended& Value) {
  if (Text.isEmpty() || RealBadCharPos(Text) != 0) return false;
  long double V = 0;
  if (!TryTextToFloat(Text.toStdString(), V)) return false;
  Value = V;
  return true;
}

// --- Whole numbers ----------------------------------------------------------------

TIntValidate::TIntValidate(int AMin, int AMax, QLineEdit* AEdit, QWidget* AForm,
                           const QString& ACaption, TNotifyEvent OnChange)
    : FSavedOnChange(std::move(OnChange)), FEdit(AEdit), FForm(AForm) {
  SetMin(AMin);
  SetMax(AMax);
  FCaption = ACaption.isEmpty() && FEdit ? FEdit->objectName() : ACaption;
  if (!FEdit) return;
  FNormalColor = FEdit->palette().color(QPalette::Base);
  QString T = FEdit->text();
  int V = 0;
  while (!T.isEmpty() && !ParseInt(T, V)) {
    const int P = IntBadCharPos(T);
    T.remove(P > 0 ? P - 1 : int(T.size()) - 1, 1);
  }
  FLastText = T;
  FConnection =
      QObject::connect(FEdit, &QLineEdit::textChanged, FEdit, Guarded([this] { Changed(); }));
}

TIntValidate::~TIntValidate() { QObject::disconnect(FConnection); }

void TIntValidate::SetMin(int V) {
  FMin = V;
  if (V > FMax) SetMax(V);
}

void TIntValidate::SetMax(int V) {
  FMax = V;
  if (V < FMin) SetMin(V);
}

int TIntValidate::GetValue() {
  int V = 0;
  if (FEdit && ParseInt(FEdit->text(), V)) FValue = V;
  return FValue;
}

void TIntValidate::SetValue(int V) {
  FValue = V;
  if (V < FMin || V > FMax || !FEdit) return;
  if (FEdit->text().isEmpty() && GetValue() == 0) return;
  FValue = V;
  SetFieldText(FEdit, QString::number(V));
}

bool TIntValidate::IsValid() {
  int V = 0;
  const bool Parses = FEdit && ParseInt(FEdit->text(), V);
  FValue = V;
  return Parses && FMin <= GetValue() && GetValue() <= FMax;
}

bool TIntValidate::CheckText() {
  const QString Text = FEdit->text();
  const int P = IntBadCharPos(Text);
  if (P != 0) {
    SetFieldText(FEdit, FLastText);
    FEdit->setCursorPosition(std::max(P - 1, 0));
    return true;
  }
  int V = 0;
  if (Text.size() == 1 && !ParseInt(Text, V) && Text != QLatin1String("-")) {
    FLastText.clear();
    SetFieldText(FEdit, QString());
    return true;
  }
  FLastText = Text;
  if (!ParseInt(Text, V)) {
    const QString Before = FEdit->text();
    SetValue(0);
    return FEdit->text() != Before;
  }
  FValue = V;
  SetFieldColor(FEdit, FMin <= V && V <= FMax ? FNormalColor : OutOfRangeColor);
  return false;
}

void TIntValidate::Changed() {
  // When the check put other text into the field, the change of that text has already run
  // the window's handler; it runs once per visible text.
  if (CheckText()) return;
  if (FSavedOnChange) FSavedOnChange(FEdit);
}

// --- Real numbers -------------------------------------------------------------------

TRealValidate::TRealValidate(Extended AMin, Extended AMax, QLineEdit* AEdit, QWidget* AForm,
                             const QString& ACaption, TNotifyEvent OnChange)
    : FSavedOnChange(std::move(OnChange)), FEdit(AEdit), FForm(AForm) {
  SetMin(AMin);
  SetMax(AMax);
  FCaption = ACaption;
  if (!FEdit) return;
  Extended V = 0;
  if (ParseReal(FEdit->text(), V)) {
    FValue = V;
  } else {
    const bool Blocked = FEdit->blockSignals(true);
    FEdit->clear();
    FEdit->blockSignals(Blocked);
  }
  FLastText = FEdit->text();
  FNormalColor = FEdit->palette().color(QPalette::Base);
  FConnection =
      QObject::connect(FEdit, &QLineEdit::textChanged, FEdit, Guarded([this] { Changed(); }));
}

TRealValidate::~TRealValidate() { QObject::disconnect(FConnection); }

void TRealValidate::SetMin(Extended V) {
  FMin = V;
  if (V > FMax) SetMax(V);
}

void TRealValidate::SetMax(Extended V) {
  FMax = V;
  if (V < FMin) SetMin(V);
}

void TRealValidate::SetRange(Extended Lo, Extended Hi) {
  SetMin(Lo);
  SetMax(Hi);
}

Extended TRealValidate::GetValue() {
  Extended V = 0;
  if (FEdit && ParseReal(FEdit->text(), V)) FValue = V;
  return FValue;
}

bool TRealValidate::IsValid() {
  Extended V = 0;
  const bool Parses = FEdit && ParseReal(FEdit->text(), V);
  FValue = V;
  return Parses && FMin <= GetValue() && GetValue() <= FMax;
}

bool TRealValidate::CheckText() {
  const QString Text = FEdit->text();
  if (Text.size() > FLastText.size()) {
    const int P = BadCharPos(Text);
    if (P != 0) {
      SetFieldText(FEdit, FLastText);
      FEdit->setCursorPosition(std::max(P - 1, 0));
      return true;
    }
    FLastText = Text;
  } else {
    int Whole = 0;
    if (Text.size() == 1 && !ParseInt(Text, Whole) && Text != QLatin1String(".")) {
      FLastText.clear();
      SetFieldText(FEdit, QString());
      return true;
    }
    FLastText = Text;
  }
  Extended V = 0;
  if (!ParseReal(Text, V)) {
    FValue = 0;
    return false;
  }
  FValue = V;
  SetFieldColor(FEdit, FMin <= V && V <= FMax ? FNormalColor : OutOfRangeColor);
  return false;
}

void TRealValidate::Changed() {
  if (CheckText()) return;
  if (FSavedOnChange) FSavedOnChange(FEdit);
}

}  // namespace Validates
