#pragma once
// Range-checked numbers on the edit fields of the plot dialogs. The dialog's change handler calls
// TextChanged first thing; before it accepts, it asks IsInRange (an error box naming the field
// and its range) or IsValid (a beep). Infinite bounds are written "∞" and read back.
#include <QString>
#include <functional>
#include <memory>
#include <optional>

#include "platform/number_validate.h"

class TUpDown;

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

  // Fields that apply what is typed as it is typed: Typing notes the value in effect before the
  // first number applied, and Refused, on leaving the field, answers nothing when the field
  // holds a number the range takes, else (after the range error where the text ends as a
  // number) the value to put back, so that no number met on the way to a refused one stays
  // applied.
  void Typing(T Current) {
    if (!Before) Before = Current;
  }
  std::optional<T> Refused(T Current);
  // A field loaded afresh has no typing to undo.
  void Loaded() { Before.reset(); }

 protected:
  // Reads the field; true when it holds a number the range takes.
  bool InRange();
  void FocusEdit();

 private:
  std::optional<T> Before;
};

class TIntValidate : public TGraphValidate<int, ParseInt> {
 public:
  TIntValidate(int AMin, int AMax, QLineEdit* AEdit, QWidget* AForm, const QString& ACaption);

  // Leaving the field: a refused entry gets its value from before the typing back through Set
  // and in the field, with Busy held so that the field's own handlers stay out; false then.
  bool Leave(int Current, bool& Busy, const std::function<void(int)>& Set);

  void TextChanged();
  bool IsInRange() override;
};

// The edit of an up-down, vetted as typed and checked against the up-down's range: the up-down
// alone keeps its old position without a word for a number typed outside it.
std::unique_ptr<TIntValidate> UpDownValidate(TUpDown* UpDown, QWidget* Form,
                                             const QString& Caption);

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
