#pragma once
// Range-checked numbers on the edit fields of the plot dialogs. The dialog's change handler calls
// TextChanged first thing; before it accepts, it asks IsInRange (an error box naming the field
// and its range) or IsValid (a beep). Infinite bounds are written "∞" and read back.
#include <QPointer>
#include <QString>

class QLineEdit;
class QWidget;

namespace GraphValidates {

// 0 when Text is an optionally signed string of digits, else the 1-based position of the first
// character that cannot stay.
int IntBadCharPos(const QString& Text);
// Whole decimal numbers; on failure Pos is the 1-based position where the text stops being one
// (one past the end when it ends too early).
bool ParseInt(const QString& Text, int& Value, int& Pos);
// Decimal numbers, and "∞" with an optional sign.
bool ParseReal(const QString& Text, double& Value);

class TIntValidate {
 public:
  TIntValidate(int AMin, int AMax, QLineEdit* AEdit, QWidget* AForm, const QString& ACaption);

  int Min = 0;
  int Max = 0;
  int Value = 0;
  QPointer<QLineEdit> Edit;
  QPointer<QWidget> Form;
  QString LastText;
  QString Caption;

  void SetMin(int V);
  void SetMax(int V);
  void SetRange(int Lo, int Hi);
  int GetValue();
  void TextChanged();
  bool IsInRange();
  bool IsValid();

 private:
  bool InRange();
  void FocusEdit();
};

class TRealValidate {
 public:
  TRealValidate(double AMin, double AMax, QLineEdit* AEdit, QWidget* AForm,
                const QString& ACaption);
  virtual ~TRealValidate() = default;

  double Min = 0;
  double Max = 0;
  double Value = 0;
  QPointer<QLineEdit> Edit;
  QPointer<QWidget> Form;
  QString LastText;
  QString Caption;
  // The lower bound is excluded, in the message and in the test.
  bool ExclusiveMin = false;
  // An empty field gets the range message too, not only the focus: for fields that have no
  // meaning when empty, where a silent refusal would look as if nothing had been asked.
  bool MessageWhenEmpty = false;

  virtual int BadCharPos(const QString& Text) const;
  void SetMin(double V);
  void SetMax(double V);
  void SetRange(double Lo, double Hi);
  double GetValue();
  void TextChanged();
  bool IsInRange();
  bool IsValid();

 private:
  bool InRange();
  void FocusEdit();
};

}  // namespace GraphValidates
