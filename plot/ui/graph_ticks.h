#pragma once
// The ticks dialog of one axis, opened from the properties dialog's "Ticks..." buttons. Each
// change goes into the axis' tick record and through the properties dialog's Modified and
// "Live update".
#include <memory>

#include "platform/controls.h"
#include "platform/form.h"
#include "plot/core/graph_validates.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class TfmGraphProperties;
class TPlotAxis;

class TfmGraphTicks : public TForm {
  Q_OBJECT
 public:
  explicit TfmGraphTicks(QWidget* Owner = nullptr);
  ~TfmGraphTicks() override;

  // Loads the axis' ticks and shows the dialog modally.
  void Execute(TfmGraphProperties* Properties, TPlotAxis* Axis);
  // The loading alone.
  void Load(TfmGraphProperties* Properties, TPlotAxis* Axis);
  // The up (+1) and down (-1) buttons of a length edit.
  void StepLength(TNumberEdit* Edit, int Delta);

  QCheckBox *chMjVisible = nullptr, *chMiVisible = nullptr;
  TNumberEdit *edMjLength = nullptr, *edMiLength = nullptr;
  TSpeedButton *sbMjUp = nullptr, *sbMjDown = nullptr, *sbMiUp = nullptr, *sbMiDown = nullptr;
  QComboBox* cbDir = nullptr;
  QPushButton* btApplay = nullptr;
  bool Loading = false;

 protected:
  void FormCreate() override;

 private:
  void Changed();
  TfmGraphProperties* FProperties = nullptr;
  TPlotAxis* FAxis = nullptr;
};
