#pragma once
// The notice shown the first time the complex mode is chosen: how complex numbers are written and
// what the two display forms mean.
#include "platform/form.h"

class QCheckBox;
class QPlainTextEdit;
class QPushButton;

class TfmCompMess : public TForm {
  Q_OBJECT
 public:
  explicit TfmCompMess(QWidget* Parent = nullptr);
  QPlainTextEdit* Memo1;
  QPushButton* Button1;
  QCheckBox* chShow;
};

extern TfmCompMess* fmCompMess;
