#pragma once
// The two small dialogs of the axis page: one end of an axis' range (a number, or a date and a
// time), and the label step (a number, a step of the date-time table, or days and a time).
#include <QString>
#include <functional>

#include "chart/engine/chart_utils.h"
#include "platform/form.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class TAxisMaxMin : public TForm {
  Q_OBJECT
 public:
  explicit TAxisMaxMin(QWidget* Owner);

  bool IsDateTime = false;
  double MaxMin = 0;

  QLabel *LDate, *LTime;
  QLineEdit *EDate, *ETime;
  QPushButton *BOk, *BCancel;

 protected:
  void FormShow() override;
  // OK takes the edits' value; a text that does not convert keeps the dialog open.
  void FormCloseQuery(bool& CanClose) override;

 private:
  // Takes the edits' value; false (the reason shown) keeps the dialog open.
  bool ReadValue();
  // The texts as shown: read back unchanged they keep MaxMin, also where they cannot show it
  // (before the first day, or to a finer second).
  QString FShownDate, FShownTime;
};

class TAxisIncrement : public TForm {
  Q_OBJECT
 public:
  explicit TAxisIncrement(QWidget* Owner);

  bool IsDateTime = false, IsExact = false;
  double Increment = 0;
  // The date-time table's step chosen, dtNone for none.
  int IStep = dtNone;
  // The message refusing a value typed, empty when taken; the dialog stays open on one.
  std::function<QString(double)> OnCheck;

  QGroupBox* GBIncrement;
  QRadioButton *RBStandard, *RBCustom;
  QComboBox* CBSteps;
  QLineEdit* ECustom;
  QCheckBox* CBExact;
  QPushButton *BOk, *BCancel;

  void RBStandardClick();
  void RBCustomClick();
  void CBExactClick();

 protected:
  void FormShow() override;
  void FormCloseQuery(bool& CanClose) override;

 private:
  bool ReadValue();
};

// The increment dialog over a step: on OK Increment and Exact take the chosen step; answers
// whether the user chose one.
bool EditAxisIncrement(QWidget* Owner, const QString& Caption, bool DateTime, bool& Exact,
                       double& Increment, std::function<QString(double)> Check = {});

// What a typed value that does not convert tells the user ("Incorrect value. Reason: ..."); the
// dialog that asked stays open for another try.
void ShowIncorrectValue(const QString& Reason);
