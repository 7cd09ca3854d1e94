#pragma once
// The program's printer: one QPrinter for the whole run, so the print and
// printer-setup dialogs and every print job share its settings. Where no
// printer is installed (or "PDF file" is chosen) a job writes a PDF file that
// the user names at every job, unless a file was set beforehand (tests do).

#include "platform/text_file.h"

#include <QString>
#include <QStringList>

#include <memory>

class QPainter;
class QPrinter;
class QTemporaryFile;

QPrinter& Printer();
bool HasPrinters();
// Sends the following jobs to this PDF file without asking; an empty name
// goes back to the printer.
void SetPrinterPdfOutput(const QString& FileName);

// One print job. A job destroyed while still open was never finished: it is dropped as by Abort,
// and a PDF file chosen for it stays as it was, so callers end it with EndDoc.
class TPrintJob {
 public:
  explicit TPrintJob(const QString& Title);
  ~TPrintJob();
  TPrintJob(const TPrintJob&) = delete;
  TPrintJob& operator=(const TPrintJob&) = delete;

  // False when the user cancelled the PDF file choice or the device could
  // not start; Error then says why (empty on a cancel). A file chosen here
  // asks before replacing one, and a successful EndDoc says where it went.
  // A PDF file is written whole or not at all: the old one stays when anything fails, and one
  // that could not be replaced (read-only, not a file) is refused here.
  bool BeginDoc(QString* Error = nullptr);
  bool NewPage();
  // False when the printout did not come out; Error then says why and, for a PDF file, names it.
  bool EndDoc(QString* Error = nullptr);
  void Abort();
  bool Printing() const { return FPainter != nullptr; }
  // Valid between BeginDoc and EndDoc.
  QPainter* Painter() const { return FPainter.get(); }
  // The printable area in device pixels, and the resolution.
  int PageWidth() const;
  int PageHeight() const;
  int PixelsPerInch() const;

 private:
  void Restore();
  // A failure about the chosen PDF file, with our reason.
  TFileStatus PdfFailure(TFileError Code, const QString& Why, int Errno = 0) const;

  QString FTitle;
  QString FChosenFile;
  std::unique_ptr<QPainter> FPainter;
  // The PDF file chosen, while the printout goes to FPdfTemp.
  QString FPdfFile;
  std::unique_ptr<QTemporaryFile> FPdfTemp;
};

// Prints text lines as the printer's text file: a fixed-pitch font, top to
// bottom, a new page when one is full. False when nothing could be printed.
bool PrintTextLines(const QStringList& Lines, const QString& Title, QString* Error = nullptr);
