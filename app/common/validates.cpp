#include "app/common/validates.h"

#include <QLineEdit>

#include <algorithm>
#include <charconv>

#include "platform/app_services.h"
#include "platform/number_text.h"

namespace Validates {

namespace {

void SetFieldColor(QLineEdit* Edit, const QColor& Color) {
  QPalette P = Edit->palette();
  if (P.color(QPalette::Base) == Color) return;
  P.setColor(QPalette::Base, Color);
  Edit->setPalette(P);
}

// Puts text into the field; its change event runs the validator again on the new text.
void SetFieldText(QLineEdit* Edit, const QString& Text) { Edit->setText(Text); }

}  // namespace

namespace {

TTextNumber ReadInt(const QString& Text, int& Value) {
  if (Text.isEmpty() || IntBadCharPos(Text) != 0) return TTextNumber::NotNumber;
  std::string S = Text.toStdString();
  if (S[0] == '+') S.erase(0, 1);
  if (S.empty() || S == "-") return TTextNumber::NotNumber;
  int V = 0;
  const auto [Ptr, Ec] = std::from_chars(S.data(), S.data() + S.size(), V);
  if (Ec == std::errc::result_out_of_range) return TTextNumber::TooLarge;
  if (Ec != std::errc() || Ptr != S.data() + S.size()) return TTextNumber::NotNumber;
  Value = V;
  return TTextNumber::Number;
}

TTextNumber ReadReal(const QString& Text, Extended& Value) {
  if (Text.isEmpty() || RealBadCharPos(Text) != 0) return TTextNumber::NotNumber;
  return ReadTextNumber(Text.toStdString(), Value);
}

bool PastType(TTextNumber Read) {
  return Read == TTextNumber::TooLarge || Read == TTextNumber::TooSmall;
}

}  // namespace

bool ParseInt(const QString& Text, int& Value) {
  return ReadInt(Text, Value) == TTextNumber::Number;
}
bool ParseReal(const QString& Text, Extended& Value) {
  return ReadReal(Text, Value) == TTextNumber::Number;
}
bool BeyondInt(const QString& Text) {
  int V = 0;
  return PastType(ReadInt(Text, V));
}
bool BeyondReal(const QString& Text) {
  Extended V = 0;
  return PastType(ReadReal(Text, V));
}

// --- What both share ---------------------------------------------------------------

template <class T, bool (*Parse)(const QString&, T&), bool (*Beyond)(const QString&)>
TFieldValidate<T, Parse, Beyond>::TFieldValidate(T AMin, T AMax, QLineEdit* AEdit, QWidget* AForm,
                                                 const QString& ACaption, TNotifyEvent OnChange)
    : F(AMin, AMax, AEdit, AForm, ACaption), FSavedOnChange(std::move(OnChange)) {}

template <class T, bool (*Parse)(const QString&, T&), bool (*Beyond)(const QString&)>
TFieldValidate<T, Parse, Beyond>::~TFieldValidate() {
  QObject::disconnect(FConnection);
}

template <class T, bool (*Parse)(const QString&, T&), bool (*Beyond)(const QString&)>
void TFieldValidate<T, Parse, Beyond>::Listen() {
  FConnection = QObject::connect(F.Edit.data(), &QLineEdit::textChanged, F.Edit.data(),
                                 Guarded([this] { Changed(); }));
}

template <class T, bool (*Parse)(const QString&, T&), bool (*Beyond)(const QString&)>
bool TFieldValidate<T, Parse, Beyond>::IsValid() {
  T V = 0;
  const bool Parses = F.Read(V);
  F.Value = V;
  return Parses && F.Holds(V);
}

template <class T, bool (*Parse)(const QString&, T&), bool (*Beyond)(const QString&)>
void TFieldValidate<T, Parse, Beyond>::ShowRange(T V) {
  SetFieldColor(F.Edit, F.Holds(V) ? FNormalColor : OutOfRangeColor);
}

template <class T, bool (*Parse)(const QString&, T&), bool (*Beyond)(const QString&)>
void TFieldValidate<T, Parse, Beyond>::ShowText(const QString& Text) {
  T V = 0;
  const bool Parses = Parse(Text, V);
  F.Value = V;
  if (Parses)
    ShowRange(V);
  else if (Beyond(Text))
    SetFieldColor(F.Edit, OutOfRangeColor);
}

template <class T, bool (*Parse)(const QString&, T&), bool (*Beyond)(const QString&)>
void TFieldValidate<T, Parse, Beyond>::Changed() {
  // When the check put other text into the field, the change of that text has already run
  // the window's handler; it runs once per visible text.
  if (CheckText()) return;
  if (FSavedOnChange) FSavedOnChange(F.Edit);
}

template class TFieldValidate<int, ParseInt, BeyondInt>;
template class TFieldValidate<Extended, ParseReal, BeyondReal>;

// --- Whole numbers ----------------------------------------------------------------

TIntValidate::TIntValidate(int AMin, int AMax, QLineEdit* AEdit, QWidget* AForm,
                           const QString& ACaption, TNotifyEvent OnChange)
    : TFieldValidate(AMin, AMax, AEdit, AForm, NumberValidate::CaptionOr(ACaption, AEdit),
                     std::move(OnChange)) {
  if (!AEdit) return;
  FNormalColor = AEdit->palette().color(QPalette::Base);
  QString T = AEdit->text();
  int V = 0;
  while (!T.isEmpty() && !ParseInt(T, V)) {
    const int P = IntBadCharPos(T);
    T.remove(P > 0 ? P - 1 : int(T.size()) - 1, 1);
  }
  F.LastText = T;
  Listen();
}

void TIntValidate::SetValue(int V) {
  F.Value = V;
  if (!F.Holds(V) || !F.Edit) return;
  if (F.Edit->text().isEmpty() && GetValue() == 0) return;
  F.Value = V;
  SetFieldText(F.Edit, QString::number(V));
}

bool TIntValidate::CheckText() {
  const QString Text = F.Edit->text();
  if (NumberValidate::KeepGoodText(F.Edit, F.LastText, IntBadCharPos(Text))) return true;
  int V = 0;
  if (Text.size() == 1 && !ParseInt(Text, V) && Text != QLatin1String("-")) {
    F.LastText.clear();
    SetFieldText(F.Edit, QString());
    return true;
  }
  if (!ParseInt(Text, V) && !BeyondInt(Text)) {
    const QString Before = F.Edit->text();
    SetValue(0);
    return F.Edit->text() != Before;
  }
  ShowText(Text);
  return false;
}

// --- Real numbers -------------------------------------------------------------------

TRealValidate::TRealValidate(Extended AMin, Extended AMax, QLineEdit* AEdit, QWidget* AForm,
                             const QString& ACaption, TNotifyEvent OnChange)
    : TFieldValidate(AMin, AMax, AEdit, AForm, ACaption, std::move(OnChange)) {
  if (!AEdit) return;
  Extended V = 0;
  if (ParseReal(AEdit->text(), V)) {
    F.Value = V;
  } else {
    const bool Blocked = AEdit->blockSignals(true);
    AEdit->clear();
    AEdit->blockSignals(Blocked);
  }
  F.LastText = AEdit->text();
  FNormalColor = AEdit->palette().color(QPalette::Base);
  Listen();
}

bool TRealValidate::CheckText() {
  const QString Text = F.Edit->text();
  if (Text.size() > F.LastText.size()) {
    if (NumberValidate::KeepGoodText(F.Edit, F.LastText, BadCharPos(Text))) return true;
  } else {
    int Whole = 0;
    if (Text.size() == 1 && !ParseInt(Text, Whole) && Text != QLatin1String(".")) {
      F.LastText.clear();
      SetFieldText(F.Edit, QString());
      return true;
    }
    F.LastText = Text;
  }
  ShowText(Text);
  return false;
}

}  // namespace Validates
