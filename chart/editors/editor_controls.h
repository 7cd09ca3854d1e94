#pragma once
// What the editor pages are made of: the page base the chart editor places on its tabs, and a
// spin edit that hands on only text that reads as a whole number in its range.
#include <optional>
#include <type_traits>

#include <QLineEdit>
#include <QWidget>

#include "platform/app_services.h"
#include "platform/controls.h"

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

// A number edit with up-down buttons. Typing applies each whole number in range at once but
// leaves the text alone. The typing is settled when the user presses Enter or leaves the edit:
// a number refused there (by the page, or as beyond the edit's range) or text that is no number
// undoes what the typing applied on its way, so that the value in force before the typing comes
// back, and the refusal's message is shown.
class TChartSpinEdit : public QLineEdit {
  Q_OBJECT
 public:
  explicit TChartSpinEdit(QWidget* Parent = nullptr);

  int MinValue() const { return FUpDown->Min(); }
  int MaxValue() const { return FUpDown->Max(); }
  void SetRange(int Min, int Max);
  void SetIncrement(int Value) { FUpDown->SetIncrement(Value); }
  // What the chart says of a number beyond the range, where the range is one of its rules;
  // without it the edit names its range.
  void SetRangeMessage(const QString& Text) { FRangeMessage = Text; }
  // The same for a number below the range, where only that end is one of the chart's rules.
  void SetBelowMessage(const QString& Text) { FBelowMessage = Text; }
  TUpDown* UpDown() const { return FUpDown; }
  // Shows Value (clamped) without telling anyone; while the user types, once the typing ends.
  void SetValue(int Value);
  // The number typed, or false for text that is not one (empty, a lone sign, out of range).
  bool ReadValue(int& Value) const;
  // The last number the edit held.
  int Value() const { return FValue; }
  // Whether the number in hand was typed and the typing has not ended yet.
  bool Typing() const { return FTyping; }
  // Runs a handler of the number in hand: while typing, a refusal is kept quiet until the
  // typing ends; otherwise its message is shown. False when refused.
  template <class F>
  bool Handle(F&& Handler) {
    bool Taken = true;
    if (!FTyping) {
      Taken = RunGuarded(std::forward<F>(Handler));
    } else {
      try {
        Handler();
      } catch (...) {
        Taken = false;
      }
    }
    if (!Taken) FRefused = true;
    return Taken;
  }
  // Enter or leaving the edit: settles the typing as above. False when what was typed did not
  // stand.
  bool FinishTyping();

 signals:
  // A new number: typed in full, or stepped with the up-down or the arrow keys.
  void Changed(int Value);
  // The text no longer reads as a number (the pages decide what an empty edit means).
  void Unreadable();

 protected:
  void keyPressEvent(QKeyEvent* Event) override;
  void focusOutEvent(QFocusEvent* Event) override;
  void hideEvent(QHideEvent* Event) override;
  void resizeEvent(QResizeEvent* Event) override;

 private:
  void TextEdited();
  void Stepped();
  // Hands Value on again where the typing left another one in force, and shows it.
  void Restore(int Value);
  // The message for text that is refused as it stands: none for a number cut short.
  QString RefusalText(const QString& Text, bool IsNumber, int Number) const;
  TUpDown* FUpDown;
  int FValue = 0;
  // The number in force when the typing began, until it is settled.
  std::optional<int> FBefore;
  QString FRangeMessage, FBelowMessage;
  bool FTyping = false, FRefused = false, FTextLate = false;
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
// A number edit's refusal waits for the end of the typing; the edit then shows the value in
// force.
template <class Sender, class Signal, class F>
void On(Sender* S, Signal Sig, QObject* Context, F Handler) {
  QObject::connect(S, Sig, Context, [S, Handler](auto... Args) {
    auto Call = [&] {
      if constexpr (std::is_invocable_v<F, decltype(Args)...>)
        Handler(Args...);
      else
        Handler();
    };
    if constexpr (std::is_base_of_v<TChartSpinEdit, Sender>) {
      if (!S->Handle(Call)) S->SetValue(S->Value());
    } else {
      RunGuarded(Call);
    }
  });
}

// Hands a typed number to Apply; when the chart refuses it, its message has been shown and the
// edit goes back to what Current reads.
template <class FApply, class FCurrent>
void OnNumber(TChartSpinEdit* Edit, QObject* Context, const bool& Loading, FApply Apply,
              FCurrent Current) {
  QObject::connect(Edit, &TChartSpinEdit::Changed, Context, [=, &Loading](int V) {
    if (Loading) return;
    if (!Edit->Handle([&] { Apply(V); })) Edit->SetValue(Current());
  });
}
