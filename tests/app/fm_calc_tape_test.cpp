// The tape page: its buttons follow the tape, and printing and saving report their failures.
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>

#include <unistd.h>

#include "../platform/small_disk.h"
#include "app/common/calc_controls.h"
#include "calc_test_support.h"
#include "tests/support/file_dialog_driver.h"

TEST_F(CalcWindowTest, TapeIsSavedPrintedAndCopied) {
  TfmCalc& W = Open();
  Dialogs.Requests.clear();  // the missing constants file
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
  const auto Saves = Dialogs.Of(TDialogRequest::rkSave);
  ASSERT_EQ(Saves.size(), 1U);
  EXPECT_EQ(Saves[0].File.Title, "Save to Text File");
  EXPECT_EQ(Saves[0].File.Filter, "Text files (*.TXT)|*.TXT");
  EXPECT_EQ(Saves[0].File.DefaultExt, "TXT");
  EXPECT_TRUE(Dialogs.Messages().isEmpty());
  Dialogs.AnswerFile(Path("tape.txt"));
  W.btToFileClick();
  EXPECT_EQ(ReadFile("tape.txt"), "2+2 = 4.0; \n1+1 = 2.0; \n");
  Dialogs.AnswerFile(Path("missing/dir/tape.txt"));
  W.btToFileClick();
  EXPECT_EQ(Dialogs.Messages(), QStringList{"Can't create file " + Path("missing/dir/tape.txt") +
                                            ": No such file or directory"});
  TReadOnlyFolder Folder;
  if (::geteuid() == 0 && Folder.Lock()) {
    Dialogs.AnswerFile(Folder.Path("tape.TXT"));
    W.btToFileClick();
    EXPECT_EQ(Dialogs.Messages().last(),
              "Can't create file " + Folder.Path("tape.TXT") + ": Read-only file system");
  }

  // Without a printer the tape goes to a PDF file of the user's choice; cancelling it is quiet.
  Dialogs.Requests.clear();
  if (!HasPrinters()) {
    W.btPrintClick();
    ASSERT_EQ(Dialogs.Of(TDialogRequest::rkSave).size(), 1U);
    EXPECT_EQ(Dialogs.Of(TDialogRequest::rkSave)[0].File.DefaultExt, "PDF");
    EXPECT_TRUE(Dialogs.Messages().isEmpty());
  }
  for (int I = 0; I < 150; ++I) W.InsertTapeLine(QString("line %1").arg(I));
  SetPrinterPdfOutput(Path("tape.pdf"));
  W.btPrintClick();
  EXPECT_TRUE(Dialogs.Messages().isEmpty());
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

// The shared dialog's second use opens in the folder of the first with an empty name field, not
// with the folder's own name in it.
TEST_F(CalcWindowTest, TheSecondSaveOfTheTapeOpensInTheLastFolderWithoutAName) {
  TfmCalc& W = Open();
  ASSERT_TRUE(Enter("1+1"));
  ASSERT_TRUE(QDir(Dir.path()).mkdir("out"));
  SetDialogService(nullptr);
  {
    TFileDialogDriver Driver(1, Path("out/tape.txt"));
    W.btToFileClick();
    ASSERT_TRUE(Driver.Answered());
  }
  TFileDialogDriver Driver(1, Path("out/second.txt"));
  W.btToFileClick();
  ASSERT_TRUE(Driver.Answered());
  EXPECT_EQ(Driver.Proposed(), "");
  EXPECT_EQ(Driver.Folder(), QDir(Path("out")).absolutePath());
  EXPECT_TRUE(QFile::exists(Path("out/second.txt")));
  EXPECT_FALSE(QFile::exists(Path("out/out.TXT")));
}
