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

class QLineEdit;
class QWidget;

namespace Validates {

using TNotifyEvent = std::function<void(QLineEdit* Sender)>;

// The colour of a field whose value lies outside its range.
inline const QColor OutOfRangeColor(255, 0, 0);

// 0 when Text is an optionally signed string of digits, else the 1-based position of the
// first offending character.
int IntBadCharPos(const QString& Text);
// 0 for an acceptable partial real number (sign, digits, "." with digits, exponent letter
// with sign and digits), else the position of the first offending character.
int RealBadCharPos(const QString& Text);

// Whole decimal numbers (no hexadecimal, no blanks).
bool ParseInt(const QString& Text, int& Value);
bool ParseReal(const QString& Text, Extended& Value);

class TIntValidate {
 public:
  TIntValidate(int AMin, int AMax, QLineEdit* AEdit, QWidget* AForm, const QString& ACaption,
               TNotifyEvent OnChange = {});
  ~TIntValidate();
  TIntValidate(const TIntValidate&) = delete;
  TIntValidate& operator=(const TIntValidate&) = delete;

  int Min() const { return FMin; }
  int Max() const { return FMax; }
  void SetMin(int V);
  void SetMax(int V);
  int GetValue();
  void SetValue(int V);
  bool IsValid();
  const QString& Caption() const { return FCaption; }
  const QString& LastText() const { return FLastText; }
  QLineEdit* Edit() const { return FEdit; }
  QWidget* Form() const { return FForm; }
  void SetOnChange(TNotifyEvent Handler) { FSavedOnChange = std::move(Handler); }

 private:
  void Changed();
  // Answers true when it put other text into the field (whose own change already ran).
  bool CheckText();

  int FMin = 0, FMax = 0, FValue = 0;
  TNotifyEvent FSavedOnChange;
  QColor FNormalColor;
  QLineEdit* FEdit;
  QWidget* FForm;
  QString FLastText;
  QString FCaption;
  QMetaObject::Connection FConnection;
};

class TRealValidate {
 public:
  TRealValidate(Extended AMin, Extended AMax, QLineEdit* AEdit, QWidget* AForm,
                const QString& ACaption, TNotifyEvent OnChange = {});
  virtual ~TRealValidate();
  TRealValidate(const TRealValidate&) = delete;
  TRealValidate& operator=(const TRealValidate&) = delete;

  Extended Min() const { return FMin; }
  Extended Max() const { return FMax; }
  void SetMin(Extended V);
  void SetMax(Extended V);
  void SetRange(Extended Lo, Extended Hi);
  Extended GetValue();
  bool IsValid();
  const QString& Caption() const { return FCaption; }
  QLineEdit* Edit() const { return FEdit; }
  QWidget* Form() const { return FForm; }
  void SetOnChange(TNotifyEvent Handler) { FSavedOnChange = std::move(Handler); }

  virtual int BadCharPos(const QString& Text) const { return RealBadCharPos(Text); }

 private:
  void Changed();
  bool CheckText();

  Extended FMin = 0, FMax = 0, FValue = 0;
  TNotifyEvent FSavedOnChange;
  QColor FNormalColor;
  QLineEdit* FEdit;
  QWidget* FForm;
  QString FLastText;
  QString FCaption;
  QMetaObject::Connection FConnection;
};

}  // namespace Validates
