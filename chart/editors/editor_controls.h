#pragma once
// What the editor pages are made of: the page base the chart editor places on its tabs, and a
// spin edit that hands on only text that reads as a whole number in its range.
#include <type_traits>

#include <QLineEdit>
#include <QWidget>

#include "platform/app_services.h"

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QPushButton;
class TRadioGroup;

// The whole number Text holds within [Min, Max], or false for text that is not one yet (empty, a
// lone sign, out of range): the editors apply only what reads as a number.
bool ReadWholeNumber(const QString& Text, int Min, int Max, int& Value);

class TChartEditorPage : public QWidget {
  Q_OBJECT
 public:
  explicit TChartEditorPage(QWidget* Parent = nullptr) : QWidget(Parent) {}
  // Run each time the page's tab is shown: the controls read the edited object again.
  virtual void PageShow() {}
};

class TChartSpinEdit : public QLineEdit {
  Q_OBJECT
 public:
  explicit TChartSpinEdit(QWidget* Parent = nullptr);

  int MinValue = 0, MaxValue = 32000, Increment = 1;
  // Shows Value (clamped) without telling anyone.
  void SetValue(int Value);
  // The number typed, or false for text that is not one (empty, a lone sign, out of range).
  bool ReadValue(int& Value) const;
  // The last number the edit held.
  int Value() const { return FValue; }

 signals:
  // A new number: typed in full, or stepped with the arrow keys.
  void Changed(int Value);
  // The text no longer reads as a number (the pages decide what an empty edit means).
  void Unreadable();

 protected:
  void keyPressEvent(QKeyEvent* Event) override;

 private:
  void TextEdited();
  int FValue = 0;
};

// A labelled row in a page's grid: "Caption" with its buddy control.
QLabel* AddLabelled(QGridLayout* Grid, int Row, const QString& Caption, QWidget* Control);

// Named controls, so that tests and the user's tab order find them.
QCheckBox* CheckBox(QWidget* Parent, const QString& Caption, const char* Name);
TChartSpinEdit* SpinEdit(QWidget* Parent, const char* Name, int Min, int Max, int Increment);
QPushButton* Button(QWidget* Parent, const QString& Caption, const char* Name);
QComboBox* ComboBox(QWidget* Parent, const char* Name, const QStringList& Items);
TRadioGroup* RadioGroup(QWidget* Parent, const char* Name, const QString& Caption,
                        const QStringList& Items);

// Every handler runs guarded: a setting the chart refuses shows its message, never escapes.
template <class Sender, class Signal, class F>
void On(Sender* S, Signal Sig, QObject* Context, F Handler) {
  QObject::connect(S, Sig, Context, [Handler](auto... Args) {
    RunGuarded([&] {
      if constexpr (std::is_invocable_v<F, decltype(Args)...>)
        Handler(Args...);
      else
        Handler();
    });
  });
}

// Hands a typed number to Apply; when the chart refuses it, its message has been shown and the
// edit goes back to what Current reads.
template <class FApply, class FCurrent>
void OnNumber(TChartSpinEdit* Edit, QObject* Context, const bool& Loading, FApply Apply,
              FCurrent Current) {
  QObject::connect(Edit, &TChartSpinEdit::Changed, Context, [=, &Loading](int V) {
    if (Loading) return;
    if (!RunGuarded([&] { Apply(V); })) Edit->SetValue(Current());
  });
}
