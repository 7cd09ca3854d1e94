#pragma once
// Range-checked numbers on the edit fields of the plot dialogs. The dialog's change handler calls
// TextChanged first thing; before it accepts, it asks IsInRange (an error box naming the field
// and its range) or IsValid (a beep). Infinite bounds are written "∞" and read back.
#include <QString>
#include <functional>
#include <memory>
#include <optional>

#include "platform/number_edit.h"
#include "platform/number_validate.h"

namespace GraphValidates {

using NumberValidate::IntBadCharPos;
// Whole decimal numbers; on failure Pos is the 1-based position where the text stops being one
// (one past the end when it ends too early).
bool ParseInt(const QString& Text, int& Value, int& Pos);
bool ParseInt(const QString& Text, int& Value);
// Decimal numbers, and "∞" with an optional sign.
bool ParseReal(const QString& Text, double& Value);
// The refusal of a whole number outside its range: "<Caption> must be in the range [Min..Max]".
QString IntRangeText(const QString& Caption, int Min, int Max);
// The same of a real number: "[Min ... Max]", or "[ > Min ... Max]" when the lower end is open.
QString RealRangeText(const QString& Caption, double Min, double Max, bool ExclusiveMin);
// A real as the dialogs show it: seven significant digits.
QString RealText(double Value);

// The rules of the plot dialogs' number fields, with the texts of the validators below.
class TIntRule : public TNumberRule {
 public:
  TIntRule(int Min, int Max, const QString& Caption) : TNumberRule(true, Min, Max, Caption) {}
  bool Parse(const QString& Text, double& Value) const override;

 protected:
  QString RangeText() const override;
};

class TRealRule : public TNumberRule {
 public:
  TRealRule(double Min, double Max, const QString& Caption, bool ExclusiveMin = false)
      : TNumberRule(false, Min, Max, Caption) {
    OpenMin = ExclusiveMin;
  }
  bool Parse(const QString& Text, double& Value) const override;
  QString Format(double Value) const override { return RealText(Value); }

 protected:
  QString RangeText() const override;
};

// The field, its range, and the refusal of a value outside it: a beep and the focus.
template <class T, bool (*Parse)(const QString&, T&)>
class TGraphValidate : public NumberValidate::TNumberField<T, Parse> {
 public:
  TGraphValidate(T AMin, T AMax, QLineEdit* AEdit, QWidget* AForm, const QString& ACaption)
      : NumberValidate::TNumberField<T, Parse>(AMin, AMax, AEdit, AForm,
                                               NumberValidate::CaptionOr(ACaption, AEdit)) {}
  virtual ~TGraphValidate() = default;

  bool IsValid();
  // Whether the range takes V.
  virtual bool Accepts(T V) const { return this->Holds(V); }
  // The range error naming the field, and the focus back to it; false when the value is refused.
  virtual bool IsInRange() = 0;

 protected:
  // Reads the field; true when it holds a number the range takes.
  bool InRange();
  void FocusEdit();
};

class TIntValidate : public TGraphValidate<int, ParseInt> {
 public:
  TIntValidate(int AMin, int AMax, QLineEdit* AEdit, QWidget* AForm, const QString& ACaption);

  void TextChanged();
  bool IsInRange() override;
};

class TRealValidate : public TGraphValidate<double, ParseReal> {
 public:
  TRealValidate(double AMin, double AMax, QLineEdit* AEdit, QWidget* AForm,
                const QString& ACaption);

  // The lower bound is excluded, in the message and in the test.
  bool ExclusiveMin = false;
  // An empty field gets the range message too, not only the focus: for fields that have no
  // meaning when empty, where a silent refusal would look as if nothing had been asked.
  bool MessageWhenEmpty = false;

  virtual int BadCharPos(const QString& Text) const;
  void TextChanged();
  bool IsInRange() override;
  bool Accepts(double V) const override;
};

}  // namespace GraphValidates
