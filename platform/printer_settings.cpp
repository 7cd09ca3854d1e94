#include "platform/printer_settings.h"

#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>

#include "platform/printer.h"

QStringList PrinterNames() { return QPrinterInfo::availablePrinterNames(); }

bool SelectPrinter(const QString& Name) {
  if (!PrinterNames().contains(Name)) return false;
  QPrinter& P = Printer();
  P.setOutputFormat(QPrinter::NativeFormat);
  P.setOutputFileName({});  // a file name chosen for PDF output would divert the printer's jobs
  P.setPrinterName(Name);
  return P.printerName() == Name;
}

QString CurrentPrinterName() {
  QPrinter& P = Printer();
  if (P.outputFormat() == QPrinter::PdfFormat || !HasPrinters()) return QStringLiteral("PDF file");
  return P.printerName().isEmpty() ? QPrinterInfo::defaultPrinterName() : P.printerName();
}

TPrinterOrientation PrinterOrientation() {
  return Printer().pageLayout().orientation() == QPageLayout::Landscape ? poLandscape : poPortrait;
}

void SetPrinterOrientation(TPrinterOrientation Value) {
  Printer().setPageOrientation(Value == poLandscape ? QPageLayout::Landscape
                                                    : QPageLayout::Portrait);
}

int PrinterCopies() { return std::max(Printer().copyCount(), 1); }

void SetPrinterCopies(int Value) { Printer().setCopyCount(std::clamp(Value, 1, 1000)); }

int RepeatedCopies() {
  QPrinter& P = Printer();
  // PDF files hold no copy count: the pages are repeated in the file.
  if (P.outputFormat() == QPrinter::PdfFormat || !P.supportsMultipleCopies())
    return PrinterCopies();
  return 1;
}

TPrinterPage PrinterPage() {
  const QPrinter& P = Printer();
  return {std::max(P.width(), 1), std::max(P.height(), 1), std::max(P.logicalDpiX(), 1),
          std::max(P.logicalDpiY(), 1)};
}

int PrinterPageWidth() { return Printer().width(); }
int PrinterPageHeight() { return Printer().height(); }
int PrinterPixelsPerInch() { return Printer().resolution(); }

void PinPrinterPage(const QPageSize& Size, int PixelsPerInch, bool FullPage) {
  QPrinter& P = Printer();
  P.setPageSize(Size);
  P.setResolution(PixelsPerInch);
  P.setFullPage(FullPage);
  if (FullPage) P.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

bool PrinterBusy() { return Printer().printerState() == QPrinter::Active; }

bool PrinterBlackOnly() { return Printer().colorMode() == QPrinter::GrayScale; }

void SelectPdfOutput() {
  QPrinter& P = Printer();
  P.setOutputFileName({});
  P.setOutputFormat(QPrinter::PdfFormat);
}
