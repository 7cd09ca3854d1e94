#include "app/dm.h"

#include <QApplication>
#include <QColorDialog>
#include <QFontDialog>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>

#include "app/calc_platform.h"

TDM* DM = nullptr;

TDM::TDM(QObject* Owner) : QObject(Owner) { setObjectName("DM"); }

bool TDM::TSaveDialog::Execute() {
  calcpf::TFileDialogRequest R{Title, Filter, DefaultExt, FileName};
  if (!calcpf::Dialogs().SaveFile(R)) return false;
  FileName = R.FileName;
  return true;
}

bool TDM::TOpenDialog::Execute() {
  calcpf::TFileDialogRequest R{Title, Filter, DefaultExt, FileName};
  if (!calcpf::Dialogs().OpenFile(R)) return false;
  FileName = R.FileName;
  return true;
}

bool TDM::TColorDialog::Execute() {
  const QColor C = QColorDialog::getColor(Color, QApplication::activeWindow());
  if (!C.isValid()) return false;
  Color = C;
  return true;
}

bool TDM::TFontDialog::Execute() {
  bool Ok = false;
  const QFont F = QFontDialog::getFont(&Ok, Font, QApplication::activeWindow());
  if (Ok) Font = F;
  return Ok;
}

bool TDM::TPrintDialog::Execute() {
  QPrinter Printer;
  QPrintDialog D(&Printer, QApplication::activeWindow());
  return D.exec() == QDialog::Accepted;
}

bool TDM::TPrinterSetupDialog::Execute() {
  QPrinter Printer;
  QPageSetupDialog D(&Printer, QApplication::activeWindow());
  return D.exec() == QDialog::Accepted;
}
