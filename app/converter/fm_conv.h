#pragma once
// The unit converter: one field per unit of the chosen category; typing a number into any field
// fills every other field with the converted value. Values are always shown in decimal.
#include <QPointer>
#include <QString>

#include <array>
#include <memory>

#include "app/common/validates.h"
#include "platform/form.h"

class QAction;
class QLabel;
class QLineEdit;
class QMenuBar;

class TfmConv : public TForm {
  Q_OBJECT
 public:
  explicit TfmConv(QWidget* Owner = nullptr);
  ~TfmConv() override;

  static constexpr int MaxFields = 20;

  QMenuBar* MainMenu1;
  QAction* Exit1;
  std::array<QAction*, 10> UnitItems{};  // by category tag 1..9
  QLabel* lbUnit;
  QLabel* lbTo;
  std::array<QLabel*, MaxFields + 1> Labels{};    // Label1..Label20 at 1..20
  std::array<QLineEdit*, MaxFields + 1> Edits{};  // edS1..edS20 at 1..20

  int Category = 1;
  bool Busy = false;
  std::array<std::unique_ptr<Validates::TRealValidate>, MaxFields + 1> Validators;

  void UnitsClick(int Tag);
  void edSEnter(QLineEdit* Sender);
  // Converts the field's value into every other field, or empties them when its text is no value
  // in its range; while an evaluation runs (the numbers are formatted with the settings it reads)
  // the conversion waits for it to end.
  void edSChange(QLineEdit* Sender);
  void Exit1Click() { Close(); }

 protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override;

 private:
  int TagOf(QObject* Sender) const;
  // The field typed into while an evaluation ran: it is converted once that has ended.
  QPointer<QLineEdit> FPendingField;
};
