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
// Said of a column field ("X" or "Y") that holds no whole number.
inline QString ColumnUndefinedText(const QString& Axis) {
  return QStringLiteral("Column for %1 undefined").arg(Axis);
}

class TfmFileData : public TForm {
  Q_OBJECT
 public:
  explicit TfmFileData(QWidget* Owner = nullptr);
  ~TfmFileData() override;

  void Load(const QStringList& Lines);
  // The column fields' typing finished; false when one was refused (told, and put back).
  bool ColumnsInRange();

  QPlainTextEdit* Memo1 = nullptr;
  TNumberEdit *edXColumn = nullptr, *edYColumn = nullptr;
  QLineEdit* edUserDefine = nullptr;
  QCheckBox *chSpace = nullptr, *chComma = nullptr, *chTab = nullptr, *chSlash = nullptr,
            *chUserDefine = nullptr, *chNull = nullptr;
  QPushButton *btOK = nullptr, *btCancel = nullptr;

 protected:
  void FormCreate() override;

 private:
};
