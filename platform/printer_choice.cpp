#include "platform/printer_choice.h"

#include <algorithm>

#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>

#include "platform/printer.h"

QStringList PrinterNames() { return QPrinterInfo::availablePrinterNames(); }

QString CurrentPrinterName() {
  const QPrinter& P = Printer();
  return P.outputFormat() == QPrinter::NativeFormat ? P.printerName() : QString();
}

bool SelectPrinter(const QString& Name) {
  if (!PrinterNames().contains(Name)) return false;
  QPrinter& P = Printer();
  P.setOutputFormat(QPrinter::NativeFormat);
  P.setOutputFileName({});
  P.setPrinterName(Name);
  return true;
}

bool PrinterLandscape() { return Printer().pageLayout().orientation() == QPageLayout::Landscape; }

void SetPrinterLandscape(bool Landscape) {
  Printer().setPageOrientation(Landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
}

TPrinterPage PrinterPage() {
  const QPrinter& P = Printer();
  return {std::max(P.width(), 1), std::max(P.height(), 1), std::max(P.logicalDpiX(), 1),
          std::max(P.logicalDpiY(), 1)};
}
