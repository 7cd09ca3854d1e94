#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QTest>

#include <unistd.h>

#include "../platform/small_disk.h"
#include "matrix_window_fixture.h"
#include "platform/canvas.h"
#include "platform/canvas_targets.h"
#include "platform/clipboard.h"
#include "platform/controls.h"
#include "platform/ini_file.h"
#include "platform/printer.h"
#include "platform/text_file.h"
#include "plot/ui/print_dialog.h"

using Grid = std::vector<std::vector<QString>>;

TEST_F(MatrixWindowTest, ClipboardRoundTrip) {
  Choose(2, 2, 2);
  Put(W->sgA, {{"1", "2"}, {"3", "4"}});
  W->sbAtoClip->click();
  EXPECT_EQ(ClipboardText(), "1\t2\n3\t4\n");
  EXPECT_TRUE(W->sbPasteToB->isEnabled());
  W->sgB->setCurrentCell(1, 1);
  W->sbPasteToB->click();
  EXPECT_EQ(Data(W->sgB), Data(W->sgA));

  // Any line ending; an unterminated last line is kept; empty lines are skipped.
  Choose(3, 4, 4);
  W->sgA->ClearCells();
  W->sgA->setCurrentCell(1, 1);
  SetClipboardText("1 2,3\r\n\r\n4\t5\r6");
  W->sbPasteToA->click();
  EXPECT_EQ(W->sgA->GetCell(1, 1), "1");
  EXPECT_EQ(W->sgA->GetCell(2, 1), "2");
  EXPECT_EQ(W->sgA->GetCell(3, 1), "3");
  EXPECT_EQ(W->sgA->GetCell(1, 2), "4");
  EXPECT_EQ(W->sgA->GetCell(2, 2), "5");
  EXPECT_EQ(W->sgA->GetCell(1, 3), "6");

  // The blank is tried first, the separator anew for each rest of the line; runs of it count
  // once; leading blanks are dropped; fields beyond the grid are dropped.
  W->sgA->setCurrentCell(4, 2);
  TfmMatrix::PasteText(W->sgA, "1,2 3\n  5\n7,,8");
  EXPECT_EQ(W->sgA->GetCell(2, 4), "1,2");
  EXPECT_EQ(W->sgA->GetCell(3, 4), "3");
  EXPECT_EQ(W->sgA->GetCell(2, 5), "");  // row 5 is outside the 4 x 4 grid
  W->sgA->setCurrentCell(3, 1);          // row 3, column 1
  TfmMatrix::PasteText(W->sgA, "7,,8\t9");
  EXPECT_EQ(W->sgA->GetCell(1, 3), "7");
  EXPECT_EQ(W->sgA->GetCell(2, 3), "8");
  EXPECT_EQ(W->sgA->GetCell(3, 3), "9");
  W->sgA->setCurrentCell(1, 1);
  TfmMatrix::PasteText(W->sgA, "  5");
  EXPECT_EQ(W->sgA->GetCell(1, 1), "5");
}

TEST_F(MatrixWindowTest, PasteBeyondTheLimitTakesOnlyWholeLines) {
  // One sum far past the limit, ended by its CR: no line ends within the limit, so no cell gets
  // a cut formula, and the user hears why nothing came.
  Choose(6, 1, 1);
  W->sgA->setCurrentCell(1, 1);
  SetClipboardText("0" + QString("+1").repeated(500001) + "\r");
  W->sbPasteToA->click();
  EXPECT_EQ(W->sgA->GetCell(1, 1), "");
  const QStringList Said{
      "Only the whole lines within the first 64000 characters of the Clipboard are pasted."};
  EXPECT_EQ(Dialogs.Messages(), Said);

  // Into B, the lines before the cut one arrive whole.
  Choose(2, 3, 3);
  Dialogs.Requests.clear();
  W->sgB->setCurrentCell(1, 1);
  SetClipboardText("1 2\r\n3 4\r\n5 " + QString("6").repeated(MaxPasteLength));
  W->sbPasteToB->click();
  EXPECT_EQ(Data(W->sgB), (Grid{{"1", "2", ""}, {"3", "4", ""}, {"", "", ""}}));
  EXPECT_EQ(Dialogs.Messages(), Said);
}

TEST_F(MatrixWindowTest, CopiesBetweenGridsKeepTheTargetSize) {
  Choose(3, 3, 3);
  W->edBCols->setText("2");
  Put(W->sgA, {{"1", "2", "3"}, {"4", "5", "6"}, {"7", "8", "9"}});
  W->sgB->SetRowCount(3);  // a 2 x 2 B
  W->sbAtoB->click();
  EXPECT_EQ(Data(W->sgB), (Grid{{"1", "2"}, {"4", "5"}}));
  W->sgB->SetRowCount(4);  // nothing beyond the old size was stored
  EXPECT_EQ(W->sgB->GetCell(1, 3), "");
  W->sbBtoA->click();  // the overlap is copied, empty cells included
  EXPECT_EQ(Data(W->sgA), (Grid{{"1", "2", "3"}, {"4", "5", "6"}, {"", "", "9"}}));
}

TEST_F(MatrixWindowTest, FillOnlyOnEnter) {
  Choose(2, 2, 2);
  Put(W->sgA, {{"1", "2"}, {"3", "4"}});
  W->edAValue->setText("7");
  QFocusEvent Out(QEvent::FocusOut);
  QCoreApplication::sendEvent(W->edAValue, &Out);
  EXPECT_EQ(Data(W->sgA), (Grid{{"1", "2"}, {"3", "4"}}));
  QKeyEvent Enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QCoreApplication::sendEvent(W->edAValue, &Enter);
  EXPECT_EQ(Data(W->sgA), (Grid{{"7", "7"}, {"7", "7"}}));
}

TEST_F(MatrixWindowTest, EditingKeysAndEditBar) {
  Choose(4, 2, 2);
  Put(W->sgA, {{"1", "2"}, {"3", "4"}});
  W->GridEnter(W->sgA);
  EXPECT_TRUE(W->sbAddRow->isEnabled());
  W->sgA->setCurrentCell(1, 1);
  int Key = Qt::Key_Insert;
  W->GridKeyDown(W->sgA, Key, Qt::NoModifier);
  EXPECT_EQ(Key, 0);
  EXPECT_EQ(Data(W->sgA),
            (Grid{{"", "", ""}, {"1", "2", ""}, {"3", "4", ""}}));  // Inverse: A stays square
  EXPECT_EQ(W->edARows->text(), "3");
  EXPECT_EQ(W->sgA->GetCell(0, 1), "A[1,J]");  // the cleared header is labelled again
  EXPECT_EQ(W->sgC->RowCount(), 4);            // Inverse: C follows A, square
  Key = Qt::Key_Delete;
  W->GridKeyDown(W->sgA, Key, Qt::NoModifier);
  EXPECT_EQ(Data(W->sgA), (Grid{{"1", "2"}, {"3", "4"}}));  // square again

  // The edit bar: delete does nothing on the last row; transpose swaps the cells.
  W->edARows->setText("1");
  W->ChooseOperation(2);
  W->edARows->setText("1");
  W->edACols->setText("2");
  W->GridEnter(W->sgA);
  W->sbDelRow->click();
  EXPECT_EQ(W->sgA->RowCount(), 2);
  Key = Qt::Key_Delete;
  W->sgA->setCurrentCell(1, 1);
  W->GridKeyDown(W->sgA, Key, Qt::NoModifier);
  EXPECT_EQ(Data(W->sgA), (Grid{{"", ""}}));
  Put(W->sgA, {{"5", "6"}});
  W->sbASwap->click();
  EXPECT_EQ(Data(W->sgA), (Grid{{"5"}, {"6"}}));
  EXPECT_EQ(W->edACols->text(), "1");
  EXPECT_EQ(W->sgB->RowCount(), 3);  // A+B: B follows A
  W->sbAddCol->click();
  EXPECT_EQ(W->sgA->ColCount(), 3);
  W->sgCClick();
  EXPECT_FALSE(W->sbAddRow->isEnabled());
}

TEST_F(MatrixWindowTest, TextFile) {
  Choose(2, 2, 3);
  Put(W->sgA, {{"1", "2", "3"}, {"4", "5", "6"}});
  Put(W->sgB, {{"1", "1", "1"}, {"1", "1", "1"}});
  Run();
  const QString Name = Dir.filePath("out");
  Dialogs.AnswerFile(Name);
  W->sbSave->click();
  QStringList Lines;
  ASSERT_TRUE(ReadTextLines(Name + ".TXT", Lines));
  EXPECT_EQ(Lines, (QStringList{"A+B=C", "Matrix A", "1,4", "2,5", "3,6", "Matrix B", "1,1", "1,1",
                                "1,1", "Matrix C", "2,5", "3,6", "4,7"}));
  EXPECT_EQ(Dialogs.Requests.back().File.Title, "Save to Text File");

  // The second button saves too, and asks before it replaces a file.
  Dialogs.AnswerFile(Name + ".TXT");
  Dialogs.Answer(mrNo);
  Dialogs.AnswerCancel();
  W->ChooseOperation(4);
  W->sbOpen->click();
  Lines.clear();
  ASSERT_TRUE(ReadTextLines(Name + ".TXT", Lines));
  EXPECT_EQ(Lines.first(), "A+B=C");
  EXPECT_TRUE(Dialogs.Messages().back().contains("already exists"));

  Dialogs.AnswerFile(Dir.filePath("no/such/dir/x.TXT"));
  W->sbOpen->click();
  EXPECT_EQ(Dialogs.Messages().back(), "Can not create file " + Dir.filePath("no/such/dir/x.TXT") +
                                           ": No such file or directory");

  // A read-only folder and a full disk: the reason follows the name, and the old file stays.
  const auto Refused = [&](const auto& Folder, const QString& Why) {
    const QString F = Folder.Path("m.TXT");
    Dialogs.AnswerFile(F);
    Dialogs.Answer(mrYes);
    W->sbOpen->click();
    EXPECT_EQ(Dialogs.Messages().back(), "Can not create file " + F + ": " + Why);
    ASSERT_TRUE(ReadTextLines(F, Lines));
    EXPECT_EQ(Lines, QStringList{"old"});
  };
  TReadOnlyFolder Folder;
  ASSERT_TRUE(WriteFileBytes(Folder.Path("m.TXT"), "old\n"));
  if (::geteuid() == 0 && Folder.Lock()) Refused(Folder, "Read-only file system");
  TSmallDisk Disk;
  SKIP_WITHOUT_SMALL_DISK(Disk);
  ASSERT_TRUE(WriteFileBytes(Disk.Path("m.TXT"), "old\n"));
  Disk.Fill();
  Refused(Disk, "No space left on device");
}

TEST_F(MatrixWindowTest, PrintoutPaginatesWithTheSavedMargins) {
  {
    TIniFile Ini(Dir.filePath("Default.Ini"));
    Ini.WriteInteger("Print", "Left", 10);
    Ini.WriteInteger("Print", "Top", 5);
    Ini.WriteInteger("Print", "Right", -40);  // held to the dialog's range
  }
  // The plot's print dialog and the matrix window share the margins and their keys; without a
  // plot they live in "Default.Ini" beside the program.
  TPrintDlg().DefaultMargins("Read");
  EXPECT_EQ(PrintMargins, (std::array<int, 4>{10, 5, 0, 10}));
  PrintMargins = {12, 8, 12, 8};
  ASSERT_TRUE(TPrintDlg().DefaultMargins("Write"));
  PrintMargins = {};
  TPrintDlg().DefaultMargins("Read");
  EXPECT_EQ(PrintMargins, (std::array<int, 4>{12, 8, 12, 8}));

  Choose(3, 2, 2);
  Put(W->sgA, {{"1", "2"}, {"3", "4"}});
  TRecordingTarget Target(2000, 3000, 254);  // 10 pixels per millimetre
  TCanvas Canvas(&Target);
  int Pages = 1;
  W->DrawPrintout(Canvas, {2000, 3000, 254, [&Pages] { ++Pages; }});
  EXPECT_DOUBLE_EQ(W->PixelsPerMM, 10);
  int Rects = 0;
  std::vector<TCanvasOp> Texts;
  for (const TCanvasOp& Op : Target.Ops()) {
    if (Op.Kind == coRectangle) ++Rects;
    if (Op.Kind == coText) Texts.push_back(Op);
  }
  EXPECT_EQ(Rects, 3 * 3 + 3 * 5 + 3 * 5);  // A, B and C with their headers (B and C are 2 x 4)
  ASSERT_GT(Texts.size(), 3u);
  EXPECT_EQ(Texts[0].Text, "A*B=C");
  EXPECT_EQ(Texts[0].Points[0], (TPoint{120, 80}));
  EXPECT_EQ(Texts[1].Text, "A");
  const int H = Texts[1].Points[0].Y - Texts[0].Points[0].Y;
  EXPECT_EQ(H, 2 * std::abs(Canvas.Font()->Height()));
  EXPECT_EQ(Pages, 1);

  // A short page: the rows go on over several pages, each starting at the top margin.
  Target.Clear();
  W->DrawPrintout(Canvas, {2000, 600, 254, [&Pages] { ++Pages; }});
  EXPECT_GE(Pages, 3);
  for (const TCanvasOp& Op : Target.Ops())
    if (Op.Kind == coText) {
      EXPECT_LE(Op.Points[0].Y + H, 600 - 80);
    }

  // One kept matrix: no headers, values in the 7-digit format.
  MatLib::TRealMatrix M(1, 2);
  M.SetElement(0, 0, 1.0L / 3);
  Target.Clear();
  TfmMatrix::DrawMatrixPrintout(Canvas, {2000, 3000, 254, {}}, "A12Mult", M);
  QStringList Shown;
  for (const TCanvasOp& Op : Target.Ops())
    if (Op.Kind == coText) Shown << Op.Text;
  EXPECT_EQ(Shown, (QStringList{"A12Mult", "0.3333333", "0"}));
}

TEST_F(MatrixWindowTest, PrintsToPdf) {
  Choose(2, 2, 2);
  Put(W->sgA, {{"1", "2"}, {"3", "4"}});
  Run();
  const QString Pdf = Dir.filePath("matrix.pdf");
  SetPrinterPdfOutput(Pdf);
  W->sbPrint->click();
  EXPECT_GT(QFileInfo(Pdf).size(), 0);
  W->lbR->setCurrentRow(0);
  QFile::remove(Pdf);
  W->sbRPrint->click();
  EXPECT_GT(QFileInfo(Pdf).size(), 0);
  SetPrinterPdfOutput(QString());
  EXPECT_TRUE(Dialogs.Messages().isEmpty());
}

TEST_F(MatrixWindowTest, EnterInACellEditorRunsTheOperation) {
  W->show();
  Choose(2, 1, 1);
  Put(W->sgB, {{"2"}});
  W->sgA->setCurrentCell(1, 1);
  W->sgA->editItem(W->sgA->item(1, 1));
  ASSERT_TRUE(W->sgA->EditorMode());
  auto* Line = W->sgA->viewport()->findChild<QLineEdit*>();
  ASSERT_TRUE(Line);
  QWidget* Editor = Line;
  Line->setText("5");
  QKeyEvent Enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QCoreApplication::sendEvent(Editor, &Enter);
  for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();  // commit, close, then run
  EXPECT_EQ(W->sgA->GetCell(1, 1), "5");
  EXPECT_EQ(Data(W->sgC), (Grid{{"7"}}));
}

// Keys go one at a time to what holds the keyboard: the open cell editor, else the grid.
static void Press(TStringGrid* G, int Key) {
  QWidget* To = G->EditorMode() ? G->indexWidget(G->currentIndex()) : G;
  ASSERT_TRUE(To);
  QTest::keyClick(To, Qt::Key(Key));
}

TEST_F(MatrixWindowTest, TypedCellsReachTheMatrixAndTheCurrentCellStaysOnData) {
  W->show();
  Choose(3, 2, 2);
  W->edBCols->setText("2");
  Put(W->sgB, {{"1", "0"}, {"0", "1"}});
  TStringGrid* G = W->sgA;
  G->setCurrentCell(1, 1);
  const int Tab = Qt::Key_Tab;
  for (int Key : std::initializer_list<int>{'1', Tab, '2', Tab, '3', Tab, '4', Qt::Key_Return})
    Press(G, Key);
  for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();  // Enter runs A*B
  EXPECT_EQ(Data(W->sgC), (Grid{{"1", "2"}, {"3", "4"}}));

  // Shift+Tab at a row's start goes to the previous row's end; no other key and no click on a
  // header makes a header cell current.
  G->setCurrentCell(2, 1);
  const auto At = [G] { return std::pair(G->Row(), G->Col()); };
  Press(G, Qt::Key_Backtab);
  EXPECT_EQ(At(), std::pair(1, 2));
  G->setCurrentCell(1, 1);
  for (int Key : {Qt::Key_Left, Qt::Key_Up, Qt::Key_Home, Qt::Key_PageUp}) Press(G, Key);
  EXPECT_EQ(At(), std::pair(1, 1));
  QTest::mouseClick(G->viewport(), Qt::LeftButton, {}, G->visualItemRect(G->item(0, 1)).center());
  EXPECT_EQ(At(), std::pair(1, 1));
}

// The keys typed after Enter go on into the grid: the controls locked while C is computed give
// the focus back to the cell that had it, not to the next button in the tab order.
TEST_F(MatrixWindowTest, KeysAfterEnterStayInTheGrid) {
  W->show();
  QApplication::setActiveWindow(W.get());
  Choose(3, 1, 1);
  W->edBCols->setText("1");
  Put(W->sgB, {{"2"}});
  TStringGrid* G = W->sgA;
  QTest::mouseClick(G->viewport(), Qt::LeftButton, {}, G->visualItemRect(G->item(1, 1)).center());
  const auto Type = [](std::initializer_list<int> Keys) {
    for (int Key : Keys) {
      QWidget* To = QApplication::focusWidget();
      ASSERT_TRUE(To);
      QTest::keyClick(To, Qt::Key(Key));
      for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
    }
  };
  Type({'3', Qt::Key_Return});
  EXPECT_EQ(Data(W->sgC), (Grid{{"6"}}));
  EXPECT_EQ(QApplication::focusWidget(), G);
  Type({'4', Qt::Key_Return});
  EXPECT_EQ(W->sgA->GetCell(1, 1), "4");
  EXPECT_EQ(Data(W->sgC), (Grid{{"8"}}));
}
