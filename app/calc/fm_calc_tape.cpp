// The tape page: every evaluation's line, newest first, and its printing, saving and clipboard.
#include <QApplication>
#include <QClipboard>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>

#include "app/calc/fm_calc.h"
#include "app/common/dm.h"
#include "platform/dialogs.h"
#include "platform/printer.h"
#include "platform/text_file.h"

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
  // Without a printer the job goes to a PDF file the user chooses; a cancelled choice prints
  // nothing and says nothing, every other failure is reported.
  QString Error;
  if (!PrintTextLines(TapeLines(), "Tape", &Error) && !Error.isEmpty()) ShowError(Error);
}

void TfmCalc::btToFileClick() {
  TSaveDialog& D = SharedSaveDialog();
  D.Title = "Save to Text File";
  D.DefaultExt = "TXT";
  D.Filter = "Text files (*.TXT)|*.TXT";
  if (!D.Execute()) return;
  if (const TFileStatus S = WriteTextLines(D.FileName, TapeLines()); !S.Ok())
    ShowError(FileFailureText(S, CantCreateFile));
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
