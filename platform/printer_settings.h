#pragma once
// Which printer prints and how: the installed printers, the orientation, the copies, the page
// and its resolution. Everything acts on the program's one printer (Printer()), so the print
// dialogs, the printer setup and every job agree.
#include <QPageSize>
#include <QString>
#include <QStringList>

// The installed printers by name; empty where none is installed (jobs then write PDF files).
QStringList PrinterNames();
// The printer the jobs go to; false when no installed printer has that name.
bool SelectPrinter(const QString& Name);
// The name to show for the current printer: its own, or "PDF file" when jobs write PDF files.
QString CurrentPrinterName();

enum TPrinterOrientation { poPortrait, poLandscape };
TPrinterOrientation PrinterOrientation();
void SetPrinterOrientation(TPrinterOrientation Value);

// The copies asked for (1 .. 1000).
int PrinterCopies();
void SetPrinterCopies(int Value);
// How often a job has to draw its pages itself: 1 where the printer makes the copies, else the
// number of copies.
int RepeatedCopies();

// The page without a job: its size in device pixels and the resolution.
struct TPrinterPage {
  int Width = 1, Height = 1, DpiX = 1, DpiY = 1;  // each at least 1
};
TPrinterPage PrinterPage();
int PrinterPageWidth();
int PrinterPageHeight();
int PrinterPixelsPerInch();

// Fixes paper, resolution and whether the whole sheet counts as the page (no printable-area
// border), so that pages come out the same on every machine.
void PinPrinterPage(const QPageSize& Size, int PixelsPerInch, bool FullPage);

// True while a job of the program's printer is open.
bool PrinterBusy();
// True when the printer prints in grey scale only: graphs then draw in black.
bool PrinterBlackOnly();
// The following jobs write PDF files, chosen when each job starts.
void SelectPdfOutput();
