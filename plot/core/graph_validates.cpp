#include "plot/core/graph_validates.h"

#include <QLineEdit>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/flag_guard.h"
#include "plot/core/graph_utils.h"

namespace GraphValidates {

namespace {
const QString Infinity = QStringLiteral("\u221E");

bool IsSign(QChar C) { return C == u'+' || C == u'-'; }

}  // namespace

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

bool ParseInt(const QString& Text, int& Value) {
  int Pos;
  return ParseInt(Text, Value, Pos);
}

QString IntRangeText(const QString& Caption, int Min, int Max) {
  return Caption + QStringLiteral(" must be in the range [") + QString::number(Min) +
         QStringLiteral("..") + QString::number(Max) + u']';
}

bool ParseReal(const QString& Text, double& Value) {
  double V;
  if (!TryGraphTextToFloat(Text, V) || std::isnan(V)) return false;
  Value = V;
  return true;
}

// --- What both share ---------------------------------------------------------------------------

template <class T, bool (*Parse)(const QString&, T&)>
bool TGraphValidate<T, Parse>::InRange() {
  T V;
  if (!this->Read(V)) return false;
  this->Value = V;
  return Accepts(V);
}

template <class T, bool (*Parse)(const QString&, T&)>
void TGraphValidate<T, Parse>::FocusEdit() {
  QLineEdit* Edit = this->Edit;
  if (Edit && Edit->isEnabled() && Edit->isVisible()) Edit->setFocus();
}

template <class T, bool (*Parse)(const QString&, T&)>
bool TGraphValidate<T, Parse>::IsValid() {
  if (InRange()) return true;
  ErrorBeep();
  FocusEdit();
  return false;
}

template class TGraphValidate<int, ParseInt>;
template class TGraphValidate<double, ParseReal>;

// --- Whole numbers ------------------------------------------------------------------------------

TIntValidate::TIntValidate(int AMin, int AMax, QLineEdit* AEdit, QWidget* AForm,
                           const QString& ACaption)
    : TGraphValidate(AMin, AMax, AEdit, AForm, ACaption) {
  if (!Edit) return;
  QString T = Edit->text();
  // Drop what does not belong until the rest reads as a number. Every round removes one
  // character, so this ends, also for a lone sign whose fault lies past the end.
  int V, Pos;
  while (!T.isEmpty() && !ParseInt(T, V, Pos))
    T.remove(std::clamp<qsizetype>(Pos - 1, 0, T.size() - 1), 1);
  LastText = T;
}

void TIntValidate::TextChanged() {
  if (Edit) NumberValidate::KeepGoodText(Edit, LastText, IntBadCharPos(Edit->text()));
}

bool TIntValidate::IsInRange() {
  if (InRange()) return true;
  MessageDlg(IntRangeText(Caption, Min, Max), mtError, mbOK);
  FocusEdit();
  return false;
}

// --- Real numbers -------------------------------------------------------------------------------

TRealValidate::TRealValidate(double AMin, double AMax, QLineEdit* AEdit, QWidget* AForm,
                             const QString& ACaption)
    : TGraphValidate(AMin, AMax, AEdit, AForm, ACaption) {
  if (!Edit) return;
  double V;
  if (!ParseReal(Edit->text(), V)) Edit->setText(QString());
  LastText = Edit->text();
}

int TRealValidate::BadCharPos(const QString& Text) const {
  // An infinity, as the bounds are written, may stand alone.
  if (!Text.isEmpty() && (IsSign(Text[0]) ? Text.mid(1) : Text) == Infinity) return 0;
  return NumberValidate::RealBadCharPos(Text);
}

void TRealValidate::TextChanged() {
  if (!Edit) return;
  if (Edit->text().size() > LastText.size())
    NumberValidate::KeepGoodText(Edit, LastText, BadCharPos(Edit->text()));
  else
    LastText = Edit->text();
  double V;
  if (ParseReal(Edit->text(), V)) Value = V;
}

bool TRealValidate::Accepts(double V) const {
  return (ExclusiveMin ? Min < V : Min <= V) && V <= Max;
}

bool TRealValidate::IsInRange() {
  if (InRange()) return true;
  if (Edit && (MessageWhenEmpty || !Edit->text().isEmpty()))
    MessageDlg(RealRangeText(Caption, Min, Max, ExclusiveMin), mtError, mbOK);
  FocusEdit();
  return false;
}

// --- Rules of the number fields -----------------------------------------------------------------

QString RealRangeText(const QString& Caption, double Min, double Max, bool ExclusiveMin) {
  return Caption +
         (ExclusiveMin ? QStringLiteral(" must be in the range [ > ")
                       : QStringLiteral(" must be in the range [")) +
         FloatToEditStr(8, 1, Min) + QStringLiteral(" ... ") + FloatToEditStr(8, 1, Max) + u']';
}

QString RealText(double Value) {
  if (!std::isfinite(Value)) return FloatToEditStr(8, 1, Value);
  return QString::number(Value, 'g', 7).toUpper();
}

bool TIntRule::Parse(const QString& Text, double& Value) const {
  int V = 0;
  if (!ParseInt(Text.trimmed(), V)) return false;
  Value = V;
  return true;
}

QString TIntRule::RangeText() const {
  return IntRangeText(Caption, static_cast<int>(Min), static_cast<int>(Max));
}

bool TRealRule::Parse(const QString& Text, double& Value) const {
  double V = 0;
  // An infinity typed is no value a field holds.
  if (!ParseReal(Text, V) || !std::isfinite(V)) return false;
  Value = V;
  return true;
}

QString TRealRule::RangeText() const {
  // The field takes no infinity typed: an infinite bound is written as the largest number.
  constexpr double Largest = std::numeric_limits<double>::max();
  return RealRangeText(Caption, std::max(Min, -Largest), std::min(Max, Largest), OpenMin);
}

}  // namespace GraphValidates