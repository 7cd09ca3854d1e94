#pragma once
// What the editor pages are made of: the page base the chart editor places on its tabs, the
// chart's words for a refused number, and the named controls the pages are built of.
#include <cmath>
#include <type_traits>

#include <QWidget>

#include "platform/app_services.h"
#include "platform/controls.h"
#include "platform/number_edit.h"

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QPushButton;
class TRadioGroup;

class TChartEditorPage : public QWidget {
  Q_OBJECT
 public:
  explicit TChartEditorPage(QWidget* Parent = nullptr) : QWidget(Parent) {}
  // Run each time the page's tab is shown: the controls read the edited object again.
  virtual void PageShow() {}
};

// What the chart says of a number its editors refuse: the chart's own rule where the range is
// one of its rules, else the edit's range; a text that is no number is named as such.
class TChartNumberRule : public TNumberRule {
 public:
  using TNumberRule::TNumberRule;
  // Said of a number beyond the range, where the range is one of the chart's rules.
  QString RangeMessage;
  // Said of a number below the range, where only that end is one of the chart's rules.
  QString BelowMessage;
  // Every refusal said within this frame ("%1" the message), where the dialog words its own.
  QString Frame = QStringLiteral("%1");
  // An emptied edit stands for 0 (a count where none means "no limit").
  bool EmptyIsZero = false;
  bool Parse(const QString& Text, double& Value) const override;
  QString RefusalText(const QString& Text) const override;
  // Fractions as the chart's other number texts show them.
  QString Format(double Value) const override;

 private:
  QString Refusal(const QString& Text) const;
};

// The chart rule of an edit made by SpinEdit or RealEdit.
TChartNumberRule& ChartRule(TNumberEdit* Edit);

// A labelled row in a page's grid: "Caption" with its buddy control.
QLabel* AddLabelled(QGridLayout* Grid, int Row, const QString& Caption, QWidget* Control);

// Named controls, so that tests and the user's tab order find them.
QCheckBox* CheckBox(QWidget* Parent, const QString& Caption, const char* Name);
// A whole number edit with up-down buttons, applied as it is typed.
TNumberEdit* SpinEdit(QWidget* Parent, const char* Name, int Min, int Max, int Increment);
// An edit of a floating-point value, applied as it is typed; an emptied edit changes nothing.
TNumberEdit* RealEdit(QWidget* Parent, const char* Name, double Min = -HUGE_VAL,
                      double Max = HUGE_VAL);
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

// A whole number edit of what Current reads and Apply sets; a number the chart refuses (Apply
// throws) is told, and the value in force before the typing comes back.
template <class FApply, class FCurrent>
void OnNumber(TNumberEdit* Edit, FApply Apply, FCurrent Current) {
  Edit->OnRead = [Current] { return double(Current()); };
  Edit->OnApply = [Apply](double V) { Apply(static_cast<int>(std::lround(V))); };
}

// Which margin lies opposite margin Index (left, top, right, bottom).
inline int OppositeMargin(int Index) { return (Index + 2) % 4; }
// A margin and its opposite together must leave some of the chart: the refusal of Value for
// margin Index, empty when it is taken.
QString MarginRefusal(int Index, int Value, int Opposite);
