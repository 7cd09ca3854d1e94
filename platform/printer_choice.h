#pragma once
// The choices a print preview makes on the program's printer: which printer, which orientation,
// and the page it then prints on.
#include <QString>
#include <QStringList>

// The installed printers, and the one the printer prints to ("" for none, or PDF output).
QStringList PrinterNames();
QString CurrentPrinterName();
// False when Name is not installed; the printer is left as it was.
bool SelectPrinter(const QString& Name);

bool PrinterLandscape();
void SetPrinterLandscape(bool Landscape);

// The printable area in device pixels and the resolution, each at least 1.
struct TPrinterPage {
  int Width = 1, Height = 1, DpiX = 1, DpiY = 1;
};
TPrinterPage PrinterPage();
