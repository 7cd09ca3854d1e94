#pragma once
// Validators that sit on a numeric edit field of the calculator's windows. Unlike the plot
// dialogs' validators they take over the field's change event: every change is filtered as it
// is typed (a refused character simply does not appear), and a value outside the range paints
// the field red. They never show a message; callers ask IsValid before using a value.
//
// The window's own change handler is handed to the validator, which runs it after every check.
#include <QColor>
#include <QMetaObject>
#include <QString>

#include <functional>

#include "engine/engine_state.h"
#include "platform/number_validate.h"

class QLineEdit;
class QWidget;

namespace Validates {

using TNotifyEvent = std::function<void(QLineEdit* Sender)>;

// The colour of a field whose value lies outside its range.
inline const QColor OutOfRangeColor(255, 0, 0);

using NumberValidate::IntBadCharPos;
using NumberValidate::RealBadCharPos;

// Whole decimal numbers (no hexadecimal, no blanks).
bool ParseInt(const QString& Text, int& Value);
bool ParseReal(const QString& Text, Extended& Value);
// Whether a text is a whole number of the field's kind that lies past what the type holds
// ("99999999999", "1E5000", "1E-5000"): no value, and yet a value outside any range.
bool BeyondInt(const QString& Text);
bool BeyondReal(const QString& Text);

// The field, its range and the window's change handler, run after every check of a change.
template <class T, bool (*Parse)(const QString&, T&), bool (*Beyond)(const QString&)>
class TFieldValidate {
 public:
  virtual ~TFieldValidate();
  TFieldValidate(const TFieldValidate&) = delete;
  TFieldValidate& operator=(const TFieldValidate&) = delete;

  T Min() const { return F.Min; }
  T Max() const { return F.Max; }
  void SetMin(T V) { F.SetMin(V); }
  void SetMax(T V) { F.SetMax(V); }
  T GetValue() { return F.GetValue(); }
  bool IsValid();
  const QString& Caption() const { return F.Caption; }
  QLineEdit* Edit() const { return F.Edit; }
  QWidget* Form() const { return F.Form; }
  void SetOnChange(TNotifyEvent Handler) { FSavedOnChange = std::move(Handler); }

 protected:
  TFieldValidate(T AMin, T AMax, QLineEdit* AEdit, QWidget* AForm, const QString& ACaption,
                 TNotifyEvent OnChange);
  // Starts checking the field's changes, once its first text is settled.
  void Listen();
  // Answers true when it put other text into the field (whose own change already ran).
  virtual bool CheckText() = 0;
  // Paints the field red while V lies outside the range.
  void ShowRange(T V);
  // Reads the text into the value (0 when it is none) and shows whether it lies in the range: a
  // number past the type is outside it too, other texts that are no number keep the colour.
  void ShowText(const QString& Text);

  NumberValidate::TNumberField<T, Parse> F;
  QColor FNormalColor;

 private:
  void Changed();

  TNotifyEvent FSavedOnChange;
  QMetaObject::Connection FConnection;
};

class TIntValidate : public TFieldValidate<int, ParseInt, BeyondInt> {
 public:
  TIntValidate(int AMin, int AMax, QLineEdit* AEdit, QWidget* AForm, const QString& ACaption,
               TNotifyEvent OnChange = {});

  void SetValue(int V);
  const QString& LastText() const { return F.LastText; }

 private:
  bool CheckText() override;
};

class TRealValidate : public TFieldValidate<Extended, ParseReal, BeyondReal> {
 public:
  TRealValidate(Extended AMin, Extended AMax, QLineEdit* AEdit, QWidget* AForm,
                const QString& ACaption, TNotifyEvent OnChange = {});

  void SetRange(Extended Lo, Extended Hi) { F.SetRange(Lo, Hi); }

  virtual int BadCharPos(const QString& Text) const { return RealBadCharPos(Text); }

 private:
  bool CheckText() override;
};

}  // namespace Validates
