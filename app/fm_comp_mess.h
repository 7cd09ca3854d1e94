#pragma once
// The notice shown the first time the complex mode is chosen: how complex numbers are written and
// what the two display forms mean.
#include <QDialog>

class QCheckBox;
class QPlainTextEdit;
class QPushButton;

class TfmCompMess : public QDialog {
  Q_OBJECT
 public:
  explicit TfmCompMess(QWidget* Parent = nullptr);
  QPlainTextEdit* Memo1;
  QPushButton* Button1;
  QCheckBox* chShow;
};

extern TfmCompMess* fmCompMess;
