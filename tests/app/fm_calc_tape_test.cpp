// The tape page: its buttons follow the tape, and printing and saving report their failures.
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>

#include "app/calc_controls.h"
#include "calc_test_support.h"

TEST_F(CalcWindowTest, TapeIsSavedPrintedAndCopied) {
  TfmCalc& W = Open();
  Dialogs.Messages.clear();  // the missing constants file
  EXPECT_FALSE(W.btPrint->isEnabled());
  EXPECT_FALSE(W.btToFile->isEnabled());
  W.rgNotation->SetItemIndex(1);
  ASSERT_TRUE(Enter("1+1"));
  ASSERT_TRUE(Enter("2+2"));
  EXPECT_TRUE(W.btPrint->isEnabled());
  EXPECT_TRUE(W.btToFile->isEnabled());
  EXPECT_FALSE(W.btCopy->isEnabled());

  // To a file, newest line first; a cancelled dialog writes nothing.
  W.btToFileClick();
  ASSERT_EQ(Dialogs.FileRequests.size(), 1U);
  EXPECT_EQ(Dialogs.FileRequests[0].Title, "Save to Text File");
  EXPECT_EQ(Dialogs.FileRequests[0].Filter, "Text files (*.TXT)|*.TXT");
  EXPECT_EQ(Dialogs.FileRequests[0].DefaultExt, "TXT");
  Dialogs.SaveAnswer = Path("tape.txt");
  W.btToFileClick();
  EXPECT_EQ(ReadFile("tape.txt"), "2+2 = 4.0; \n1+1 = 2.0; \n");
  Dialogs.SaveAnswer = Path("missing/dir/tape.txt");
  W.btToFileClick();
  EXPECT_EQ(Dialogs.Texts(), QStringList{"Can't create file " + Path("missing/dir/tape.txt")});

  // No printer is a message, not a silent nothing; a printer gets every line.
  Dialogs.Messages.clear();
  W.btPrintClick();
  EXPECT_EQ(Dialogs.Texts(), QStringList{"No printer is installed."});
  Dialogs.Messages.clear();
  for (int I = 0; I < 150; ++I) W.InsertTapeLine(QString("line %1").arg(I));
  Dialogs.PdfFile = Path("tape.pdf");
  W.btPrintClick();
  EXPECT_TRUE(Dialogs.Messages.empty());
  const QByteArray Pdf = ReadFile("tape.pdf");
  EXPECT_TRUE(Pdf.startsWith("%PDF"));
  EXPECT_TRUE(Pdf.contains("/Count 2") || Pdf.contains("/Count 3")) << "the tape spans pages";

  // Copy and cut work on the selection only.
  QTextCursor C = W.mmTape->textCursor();
  C.movePosition(QTextCursor::Start);
  C.movePosition(QTextCursor::EndOfLine, QTextCursor::KeepAnchor);
  W.mmTape->setTextCursor(C);
  EXPECT_TRUE(W.btCopy->isEnabled());
  W.btCopyClick();
  EXPECT_EQ(QApplication::clipboard()->text(), "line 149");
  W.btCutClick();
  EXPECT_EQ(QApplication::clipboard()->text(), "line 149");
  EXPECT_TRUE(W.TapeLines().front().isEmpty());
  EXPECT_TRUE(W.mmTape->isReadOnly());
  EXPECT_FALSE(W.btCut->isEnabled());
}
