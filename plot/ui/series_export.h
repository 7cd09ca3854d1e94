#pragma once
// The export dialog: the points of chosen series as delimited text, on the clipboard or in a
// file. The listing is rebuilt whenever an option changes, so what the dialog shows is exactly
// what is copied or saved.
#include <QString>
#include <QStringList>
#include <vector>

#include "platform/form.h"
#include "platform/number_edit.h"
#include "plot/core/graph_layer.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class TPlot;
class TRadioGroup;

// The first column's padding under the automatic delimiter: short texts are padded so that the
// second column starts near one place for typical number widths.
QString ExportPad(const QString& S);

class TfmExports : public TForm {
  Q_OBJECT
 public:
  enum TDelimiterIndex { diAutomatic, diSpace, diComma, diTab, diSlash, diUserDefine };

  explicit TfmExports(QWidget* Owner = nullptr);
  ~TfmExports() override;

  // Lists the plot's series (the last layer first) and runs the dialog.
  void Execute(TPlot* APlot);
  void Load(TPlot* APlot);

  void BuildListing();
  void DelimitersClick();
  void UserDefineExit();
  void CopyToClipboardClick();
  void CopyToFileClick();
  // Writes the listing; false, after saying so, when the file could not be written.
  bool SaveListing(const QString& FileName);
  QStringList Listing() const;

  QListWidget* clSeries = nullptr;
  TNumberEdit *edXColumn = nullptr, *edYColumn = nullptr;
  QLineEdit* edUserDefine = nullptr;
  QCheckBox *chName = nullptr, *chTitle = nullptr, *chXAxis = nullptr, *chYAxis = nullptr,
            *chFoot = nullptr, *chClearClipboard = nullptr;
  TRadioGroup* rgDelimiters = nullptr;
  QListWidget* Memo1 = nullptr;
  QPushButton *btClipboard = nullptr, *btFile = nullptr, *btClose = nullptr;
  TPlot* Plot = nullptr;

 protected:
  void FormCreate() override;
  void FormShow() override;

 private:
  QString Delimiter() const;
  // The series behind list position p is FSeries[p].
  std::vector<TLayerHandle> FSeries;
};

// The plot control's export command.
void ShowSeriesExportDialog(TPlot& Plot);
