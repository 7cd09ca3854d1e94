#pragma once
// The shared standard dialogs that the main window, the matrix window and the user-function loader
// borrow for file names, colours, fonts and printing.
#include <QObject>

#include "platform/dialogs.h"

class TDM : public QObject {
  Q_OBJECT
 public:
  explicit TDM(QObject* Owner);

  TSaveDialog SaveDialog1;
  TColorDialog ColorDialog1;
  TPrintDialog PrintDialog1;
  TPrinterSetupDialog PrinterSetupDialog1;
  TFontDialog FontDialog1;
  TOpenDialog OpenDialog1;
};

extern TDM* DM;

// The shared open and save dialogs (ones of our own while start-up has not made DM). Taken for a
// new file, a dialog starts in the folder of the file it chose last, whichever page chose it,
// and proposes no name.
TOpenDialog& SharedOpenDialog();
TSaveDialog& SharedSaveDialog();

// The words of the calculator's pages when a file chosen there could not be written; the name
// and the reason follow them.
inline const QString CantCreateFile = QStringLiteral("Can't create file");
// And when one could not be read.
inline const QString CantReadFile = QStringLiteral("Can't read file");
// What becomes of a list file that could not be read at start, after the reason.
inline const QString KeptUnreadAtStart =
    QStringLiteral("The file is kept as it is, and saving will not replace it.");
// A refusal at start as full sentences: a file that is there is said to be kept.
inline QString RefusedAtStart(const QString& Refusal, bool Kept) {
  return Refusal + (Kept ? ". " + KeptUnreadAtStart : QStringLiteral("."));
}
