#pragma once
// What the validators of numeric edit fields share, in the calculator's windows and in the plot
// dialogs alike: the field's range (its lower bound never above its upper one), the value last
// read from it, and the test of a partly typed number, whole or real. Each side adds how a
// change is checked and how a refusal is shown.
#include <QLineEdit>
#include <QPointer>
#include <QString>
#include <QWidget>

namespace NumberValidate {

// 0 when Text is an optionally signed string of digits, else the 1-based position of the first
// character that cannot stay.
int IntBadCharPos(const QString& Text);
// 0 for an acceptable partial real number (sign, digits, "." with digits, exponent letter with
// sign and digits), else the position of the first offending character.
int RealBadCharPos(const QString& Text);

// Caption, or the field's object name when Caption is empty.
QString CaptionOr(const QString& Caption, const QLineEdit* Edit);

// The field's text after a change: kept as the last good text when BadPos is 0, else the last
// good text put back with the cursor before the refused character. Answers true when it put
// the text back (the field's change event has then run again).
bool KeepGoodText(QLineEdit* Edit, QString& LastText, int BadPos);

// Parse reads a whole text as a number of type T, answering false when it is none.
template <class T, bool (*Parse)(const QString& Text, T& Value)>
class TNumberField {
 public:
  TNumberField(T AMin, T AMax, QLineEdit* AEdit, QWidget* AForm, const QString& ACaption)
      : Edit(AEdit), Form(AForm), Caption(ACaption) {
    SetRange(AMin, AMax);
  }

  T Min = 0;
  T Max = 0;
  T Value = 0;
  QPointer<QLineEdit> Edit;
  QPointer<QWidget> Form;
  QString LastText;
  QString Caption;

  // A bound moved past the other one takes the other one along.
  void SetMin(T V) {
    Min = V;
    if (V > Max) Max = V;
  }
  void SetMax(T V) {
    Max = V;
    if (V < Min) Min = V;
  }
  void SetRange(T Lo, T Hi) {
    SetMin(Lo);
    SetMax(Hi);
  }
  bool Holds(T V) const { return Min <= V && V <= Max; }
  // The field's text as a number, when it is one (a missing field has none).
  bool Read(T& V) const { return Edit && Parse(Edit->text(), V); }
  // The field's number, or the last one read when its text is none.
  T GetValue() {
    T V = 0;
    if (Read(V)) Value = V;
    return Value;
  }
};

}  // namespace NumberValidate
