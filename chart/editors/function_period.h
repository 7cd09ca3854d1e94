#pragma once
// The dialog that sets how a series function groups its source's points: every so many points,
// or every range of X values, and where in the group the result is placed.
#include "chart/engine/chart_function.h"
#include "platform/form.h"

class QCheckBox;
class QLabel;
class TNumberEdit;
class QPushButton;
class QRadioButton;
class TRadioGroup;

class TFormPeriod : public TForm {
  Q_OBJECT
 public:
  explicit TFormPeriod(QWidget* Owner);

  double Period = 0;
  TFunctionPeriodStyle PeriodStyle = psNumPoints;
  TFunctionPeriodAlign PeriodAlign = paCenter;
  bool CanRange = false;
  bool IsDateTime = false;

  QLabel *LCalc, *BLabel;
  QRadioButton *RBNum, *RBRange;
  TNumberEdit* ENum;
  QCheckBox* CBAll;
  QPushButton *BChange, *BOk, *BCancel;
  TRadioGroup* RGAlign;

  void FormShow() override;
  void BChangeClick();

 private:
  void ShowLabel();
  void SetStyle(TFunctionPeriodStyle Value);
  bool Showing = false;
};

// The axis increment dialog titled "Period range" over Period; true with the new value on OK.
bool EditPeriodRange(QWidget* Owner, double& Period, bool IsDateTime);

// Opens the period dialog for Function; on OK the function takes the period, its style and its
// alignment together and recomputes once. FunctionName is what the dialog says it calculates.
bool EditFunctionPeriod(QWidget* Owner, TChartFunction& Function, const QString& FunctionName,
                        bool CanRange, bool IsDateTime);
