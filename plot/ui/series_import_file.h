#pragma once
// The column dialog of a text file import: shows the file and asks which columns hold X and Y
// and which characters part them.
#include <QStringList>
#include <memory>

#include "platform/form.h"
#include "plot/core/graph_validates.h"

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// The columns a file may be read from.
inline constexpr int MaxImportColumns = 1000;

class TfmFileData : public TForm {
  Q_OBJECT
 public:
  explicit TfmFileData(QWidget* Owner = nullptr);
  ~TfmFileData() override;

  void Load(const QStringList& Lines);
  // OK's test of the column fields: the first one outside 1..MaxImportColumns gets the range
  // message and the focus.
  bool ColumnsInRange();

  QPlainTextEdit* Memo1 = nullptr;
  QLineEdit *edXColumn = nullptr, *edYColumn = nullptr, *edUserDefine = nullptr;
  QCheckBox *chSpace = nullptr, *chComma = nullptr, *chTab = nullptr, *chSlash = nullptr,
            *chUserDefine = nullptr, *chNull = nullptr;
  QPushButton *btOK = nullptr, *btCancel = nullptr;

 protected:
  void FormCreate() override;

 private:
  std::unique_ptr<GraphValidates::TIntValidate> FXValidate, FYValidate;
};
