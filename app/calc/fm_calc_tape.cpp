// The tape page: every evaluation's line, newest first, and its printing, saving and clipboard.
#include <QApplication>
#include <QClipboard>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <utility>

#include "app/calc/fm_calc.h"
#include "app/common/dm.h"
#include "platform/dialogs.h"
#include "platform/printer.h"
#include "platform/text_file.h"
#include "widgets/shown_text.h"

namespace {
// The whole text of a tape line that shows only its beginning: laying out a line of millions of
// characters took seconds at every later evaluation, which puts its line above it.
class TWholeTapeLine : public QTextBlockUserData {
 public:
  explicit TWholeTapeLine(QString AText) : Text(std::move(AText)) {}
  QString Text;
};

// The line as evaluated, unless the user cut into what it shows.
QString WholeText(const QTextBlock& B) {
  const auto* W = static_cast<const TWholeTapeLine*>(B.userData());
  return W && B.text() == ShownText(W->Text) ? W->Text : B.text();
}

void KeepWhole(QTextBlock B, const QString& Line) {
  B.setUserData(ShownText(Line).size() == Line.size() ? nullptr : new TWholeTapeLine(Line));
}
}  // namespace

QStringList TfmCalc::TapeLines() const {
  QStringList Lines;
  for (QTextBlock B = mmTape->document()->begin(); B.isValid(); B = B.next()) Lines << WholeText(B);
  if (Lines.size() == 1 && Lines.front().isEmpty()) Lines.clear();
  return Lines;
}

void TfmCalc::InsertTapeLine(const QString& Line) {
  QTextDocument* D = mmTape->document();
  QTextCursor C(D);
  C.movePosition(QTextCursor::Start);
  const bool Empty = D->isEmpty();
  // Which block keeps the old first line's data is the document's business: both are set anew.
  const QString Below = Empty ? QString() : WholeText(D->begin());
  C.insertText(Empty ? ShownText(Line) : ShownText(Line) + "\n");
  KeepWhole(D->begin(), Line);
  if (!Empty) KeepWhole(D->begin().next(), Below);
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
