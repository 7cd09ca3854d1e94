#pragma once
// The format help window of the properties dialog's Info page: what the special X and Y value
// formats of the info bubbles may hold.
#include "platform/form.h"

class QPlainTextEdit;

class TfmGraphFormatHelp : public TForm {
  Q_OBJECT
 public:
  explicit TfmGraphFormatHelp(QWidget* Owner = nullptr);
  QPlainTextEdit* Memo1 = nullptr;

 protected:
  void FormCreate() override;
};

// The help text, as the window shows it.
QString GraphFormatHelpText();
