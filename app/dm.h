#pragma once
// The shared standard dialogs that the main window, the matrix window and the user-function loader
// borrow for file names, colours, fonts and printing.
#include <QColor>
#include <QFont>
#include <QObject>
#include <QString>

class TDM : public QObject {
  Q_OBJECT
 public:
  explicit TDM(QObject* Owner);

  struct TFileDialog {
    QString Title;
    QString Filter;  // "Text files (*.TXT)|*.TXT"
    QString DefaultExt;
    QString FileName;
  };
  struct TSaveDialog : TFileDialog {
    bool Execute();
  };
  struct TOpenDialog : TFileDialog {
    bool Execute();
  };
  struct TColorDialog {
    QColor Color = Qt::black;
    bool Execute();
  };
  struct TFontDialog {
    QFont Font;
    bool Execute();
  };
  struct TPrintDialog {
    bool Execute();
  };
  struct TPrinterSetupDialog {
    bool Execute();
  };

  TSaveDialog SaveDialog1;
  TColorDialog ColorDialog1;
  TPrintDialog PrintDialog1;
  TPrinterSetupDialog PrinterSetupDialog1;
  TFontDialog FontDialog1;
  TOpenDialog OpenDialog1;
};

extern TDM* DM;
