// The tape page: every evaluation's line, newest first, and its printing, saving and clipboard.
#include <QApplication>
#include <QClipboard>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>

#include "app/calc_platform.h"
#include "app/dm.h"
#include "app/fm_calc.h"

QStringList TfmCalc::TapeLines() const {
  QStringList Lines;
  for (QTextBlock B = mmTape->document()->begin(); B.isValid(); B = B.next()) Lines << B.text();
  if (Lines.size() == 1 && Lines.front().isEmpty()) Lines.clear();
  return Lines;
}

void TfmCalc::InsertTapeLine(const QString& Line) {
  QTextCursor C(mmTape->document());
  C.movePosition(QTextCursor::Start);
  const bool Empty = mmTape->document()->isEmpty();
  C.insertText(Empty ? Line : Line + "\n");
}

void TfmCalc::UpdateTapeButtons() {
  const bool HasLines = !mmTape->document()->isEmpty();
  btPrint->setEnabled(HasLines);
  btToFile->setEnabled(HasLines);
  const bool HasSelection = mmTape->textCursor().hasSelection();
  btCopy->setEnabled(HasSelection);
  btCut->setEnabled(HasSelection);
}

void TfmCalc::btPrintClick() {
  std::unique_ptr<QPrinter> Printer = calcpf::Dialogs().DefaultPrinter();
  if (!Printer) {
    calcpf::Dialogs().Message(calcpf::TMsgKind::Error, "No printer is installed.");
    return;
  }
  QString Error;
  if (!calcpf::PrintLines(*Printer, TapeLines(), Error))
    calcpf::Dialogs().Message(calcpf::TMsgKind::Error, Error);
}

void TfmCalc::btToFileClick() {
  TDM::TSaveDialog Own;
  TDM::TSaveDialog& D = DM ? DM->SaveDialog1 : Own;
  D.Title = "Save to Text File";
  D.DefaultExt = "TXT";
  D.Filter = "Text files (*.TXT)|*.TXT";
  if (!D.Execute()) return;
  if (!calcpf::WriteTextLines(D.FileName, TapeLines()))
    calcpf::Dialogs().Message(calcpf::TMsgKind::Error, "Can't create file " + D.FileName);
}

void TfmCalc::btCopyClick() {
  QApplication::clipboard()->clear();
  mmTape->copy();
}

void TfmCalc::btCutClick() {
  QApplication::clipboard()->clear();
  mmTape->setReadOnly(false);
  mmTape->cut();
  mmTape->setReadOnly(true);
}
