#pragma once
// The matrix window's prompt for the scalar r, the power n and the cell function f.
#include <QString>

#include <functional>

#include "platform/form.h"

class QLabel;
class QLineEdit;
class QPushButton;

class TfmMult : public TForm {
  Q_OBJECT
 public:
  explicit TfmMult(QWidget* Owner = nullptr);

  QLabel* Label1;
  QLineEdit* Edit1;
  QPushButton* OKBtn;
  QPushButton* CancelBtn;
  QPushButton* HelpBtn;

  void SetCaption(const QString& Text) { setWindowTitle(Text); }
  QString Caption() const { return windowTitle(); }
};

// How the matrix window runs its modal forms (the prompt and the result view). Tests install
// a runner that answers them; an empty runner goes back to ShowModal.
using TMatrixModalRunner = std::function<TModalResult(TForm& Form)>;
void SetMatrixModalRunner(TMatrixModalRunner Runner);
TModalResult RunMatrixModal(TForm& Form);

// The one made at start-up; null before start-up and after it frees its windows.
extern TfmMult* fmMult;
