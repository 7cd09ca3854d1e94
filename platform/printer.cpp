#include "platform/printer.h"

#include "platform/cursors.h"
#include "platform/dialogs.h"
#include "platform/text_file.h"

#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryFile>

namespace {
// A printout larger than this is not read back to be put in place.
constexpr qint64 MaxPdfSize = 1024LL * 1024 * 1024;

// The file set by SetPrinterPdfOutput: jobs write it without asking. Any other PDF output asks
// for the file at every job, offering the last one chosen.
QString& FixedPdfFile() {
  static QString Name;
  return Name;
}
QString& LastPdfFile() {
  static QString Name;
  return Name;
}
std::unique_ptr<QPrinter>& Instance() {
  static std::unique_ptr<QPrinter> P;
  return P;
}
// The same printer with the same settings, without what its last job left behind.
void RenewPrinter() {
  std::unique_ptr<QPrinter>& Old = Instance();
  if (!Old) return;
  auto New = std::make_unique<QPrinter>(QPrinter::HighResolution);
  if (Old->outputFormat() == QPrinter::NativeFormat && !Old->printerName().isEmpty())
    New->setPrinterName(Old->printerName());
  New->setOutputFormat(Old->outputFormat());
  New->setOutputFileName(Old->outputFileName());
  New->setResolution(Old->resolution());
  New->setFullPage(Old->fullPage());
  New->setPageLayout(Old->pageLayout());
  New->setCopyCount(Old->copyCount());
  New->setCollateCopies(Old->collateCopies());
  New->setColorMode(Old->colorMode());
  Old = std::move(New);
}
}  // namespace

QPrinter& Printer() {
  auto& P = Instance();
  if (!P) P = std::make_unique<QPrinter>(QPrinter::HighResolution);
  return *P;
}

bool HasPrinters() { return !QPrinterInfo::availablePrinterNames().isEmpty(); }

void SetPrinterPdfOutput(const QString& FileName) {
  FixedPdfFile() = FileName;
  QPrinter& P = Printer();
  if (FileName.isEmpty()) {
    P.setOutputFileName({});
    P.setOutputFormat(QPrinter::NativeFormat);
  } else {
    P.setOutputFormat(QPrinter::PdfFormat);
    P.setOutputFileName(FileName);
  }
}

TPrintJob::TPrintJob(const QString& Title) : FTitle(Title) {}

// A job never ended (its drawing cut short) is an unfinished printout: it is dropped, and a PDF
// file chosen for it stays as it was.
TPrintJob::~TPrintJob() { Abort(); }

bool TPrintJob::BeginDoc(QString* Error) {
  if (Error) Error->clear();
  if (FPainter) return true;
  QPrinter& P = Printer();
  FChosenFile.clear();
  const bool ToFile = P.outputFormat() == QPrinter::PdfFormat || !HasPrinters();
  if (ToFile && (FixedPdfFile().isEmpty() || P.outputFileName() != FixedPdfFile())) {
    const TBusyCursor Plain(crDefault);  // the user answers, the program does not work meanwhile
    TSaveDialog D;
    D.Title = QStringLiteral("Print to PDF file");
    D.Filter = QStringLiteral("PDF files (*.PDF)|*.PDF");
    D.DefaultExt = QStringLiteral("PDF");
    D.FileName = LastPdfFile();
    if (!D.Execute()) return false;
    P.setOutputFormat(QPrinter::PdfFormat);
    P.setOutputFileName(D.FileName);
    LastPdfFile() = FChosenFile = D.FileName;
  }
  // A PDF goes to a file of its own first and replaces the chosen one only when it is whole, so
  // that a failure (a full disk, which the PDF writer does not notice) leaves the old file as it
  // was. A file that could not be replaced is refused before a page is drawn.
  if (P.outputFormat() == QPrinter::PdfFormat && !P.outputFileName().isEmpty()) {
    FPdfFile = P.outputFileName();
    if (const TFileStatus S = CanWriteFile(FPdfFile); !S.Ok()) {
      if (Error) *Error = FileFailureText(S);
      FPdfFile.clear();
      return false;
    }
    FPdfTemp =
        std::make_unique<QTemporaryFile>(QDir::tempPath() + QStringLiteral("/print-XXXXXX.pdf"));
    if (!FPdfTemp->open()) {
      if (Error) *Error = FileFailureText(PdfFailure(TFileError::System, FPdfTemp->errorString()));
      Restore();
      return false;
    }
    P.setOutputFileName(FPdfTemp->fileName());
  }
  P.setDocName(FTitle);
  auto Painter = std::make_unique<QPainter>();
  if (!Painter->begin(&P)) {
    if (Error) *Error = QStringLiteral("The printer could not start printing");
    Restore();
    return false;
  }
  FPainter = std::move(Painter);
  return true;
}

bool TPrintJob::NewPage() { return FPainter && Printer().newPage(); }

TFileStatus TPrintJob::PdfFailure(TFileError Code, const QString& Why, int Errno) const {
  return {Code, TFileOp::Write, FPdfFile, Errno, Why};
}

void TPrintJob::Restore() {
  if (FPdfFile.isEmpty()) return;
  Printer().setOutputFileName(FPdfFile);
  FPdfFile.clear();
  FPdfTemp.reset();
}

bool TPrintJob::EndDoc(QString* Error) {
  if (!FPainter) return false;
  bool Ok = FPainter->end();
  FPainter.reset();
  QString Why = QStringLiteral("Printing failed");
  if (Ok && !FPdfFile.isEmpty()) {
    // The document is complete when its last line, the end-of-file mark, reached the disk.
    QByteArray Pdf;
    const TReadStatus Read = ReadFileBytes(FPdfTemp->fileName(), Pdf, MaxPdfSize);
    TFileStatus S = Read.Ok() ? TFileStatus{} : PdfFailure(Read.Code, Read.Why, Read.Errno);
    if (S.Ok() && (!Pdf.startsWith("%PDF") || !Pdf.trimmed().endsWith("%%EOF")))
      S = PdfFailure(TFileError::NotMade,
                     QStringLiteral("the document came out incomplete (%1 bytes)").arg(Pdf.size()));
    if (S.Ok()) S = WriteFileBytes(FPdfFile, Pdf);
    Ok = S.Ok();
    if (!Ok) Why = FileFailureText(S);
  }
  Restore();
  // After a failed write the PDF writer writes nothing more: the next job gets a fresh one.
  if (!Ok) {
    RenewPrinter();
    if (Error) *Error = Why;
    return false;
  }
  // The user has just named the file: say that the page is there.
  if (!FChosenFile.isEmpty()) {
    const TBusyCursor Plain(crDefault);
    ShowInformation(QStringLiteral("The printout was written to %1")
                        .arg(QDir::toNativeSeparators(FChosenFile)));
  }
  return true;
}

void TPrintJob::Abort() {
  if (!FPainter) return;
  Printer().abort();
  FPainter->end();
  FPainter.reset();
  Restore();
}

int TPrintJob::PageWidth() const { return Printer().width(); }
int TPrintJob::PageHeight() const { return Printer().height(); }
int TPrintJob::PixelsPerInch() const { return Printer().resolution(); }

bool PrintTextLines(const QStringList& Lines, const QString& Title, QString* Error) {
  TPrintJob Job(Title);
  if (!Job.BeginDoc(Error)) return false;
  QPainter& P = *Job.Painter();
  QFont F(QStringLiteral("Liberation Mono"));
  F.setStyleHint(QFont::TypeWriter);
  F.setPointSize(10);
  P.setFont(F);
  QFontMetrics M(F, &Printer());
  int y = 0;
  for (const QString& Line : Lines) {
    if (y > 0 && y + M.height() > Job.PageHeight()) {
      Job.NewPage();
      y = 0;
    }
    P.drawText(0, y + M.ascent(), Line);
    y += M.lineSpacing();
  }
  return Job.EndDoc(Error);
}
