// The evaluation road: results, errors with their marked spans, histories and the tape.
#include <QAbstractItemView>
#include <QClipboard>
#include <QComboBox>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTabWidget>
#include <QTest>

#include "app/calc/set_var.h"
#include "app/common/calc_controls.h"
#include "app/converter/fm_conv.h"
#include "app/graphics/graphics_page.h"
#include "app/matrix/fm_matrix.h"
#include "app/matrix/fm_mult.h"
#include "calc_test_support.h"
#include "engine/engine_state.h"
#include "engine/format.h"
#include "platform/app_services.h"
#include "platform/string_grid.h"

namespace {

QStringList Items(const QComboBox* C) {
  QStringList L;
  for (int I = 0; I < C->count(); ++I) L << C->itemText(I);
  return L;
}

QColor TextColour(const QLineEdit* E) { return E->palette().color(QPalette::Text); }

}  // namespace

TEST_F(CalcWindowTest, ResultIsShownInBlueAndEntersHistoriesAndTape) {
  TfmCalc& W = Open();
  W.rgNotation->SetItemIndex(1);  // Fix: plain decimal texts
  ASSERT_TRUE(Enter("1 + 2"));
  EXPECT_EQ(W.Edit2->text(), "3.0");
  EXPECT_EQ(TextColour(W.Edit2), QColor(Qt::blue));
  EXPECT_EQ(EngineState.Ans, 3);
  EXPECT_EQ(W.Edit1->selectedText(), "1 + 2");

  // The same expression twice: one history entry, two results, two tape lines.
  ASSERT_TRUE(Enter("1 + 2"));
  ASSERT_TRUE(Enter("?*2"));
  EXPECT_EQ(W.Edit2->text(), "6.0");
  EXPECT_EQ(Items(W.cbHistory), (QStringList{"?*2", "1 + 2"}));
  EXPECT_EQ(Items(W.cbResults), (QStringList{"6.0", "3.0", "3.0"}));
  EXPECT_EQ(W.TapeLines(), (QStringList{"?*2 = 6.0; ", "1 + 2 = 3.0; ", "1 + 2 = 3.0; "}));

  // An older entry evaluated again moves to the top instead of repeating.
  ASSERT_TRUE(Enter("1 + 2"));
  EXPECT_EQ(Items(W.cbHistory), (QStringList{"1 + 2", "?*2"}));

  // Enter typed into the input line starts the same road.
  W.activateWindow();
  W.Edit1->setFocus();
  QCoreApplication::processEvents();
  ASSERT_EQ(QApplication::focusWidget(), W.Edit1);
  W.Edit1->setText("2*5");
  QKeyEvent Key(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QCoreApplication::sendEvent(W.Edit1, &Key);
  EXPECT_EQ(W.Edit2->text(), "10.0");

  // Without the modified flag the result is shown but not recorded.
  W.InputModified = false;
  W.Edit1->setText("7");
  ASSERT_TRUE(W.ReturnClick());
  EXPECT_EQ(W.Edit2->text(), "7.0");
  EXPECT_EQ(W.cbResults->count(), 5);
  EXPECT_TRUE(W.pcCalc->isEnabled());

  // A field of a page keeps the focus across the evaluation that locks the pages.
  W.pcCalc->SetActivePageIndex(4);
  QLineEdit* Field = W.Graphics->edFromX;
  Field->setFocus();
  ASSERT_EQ(QApplication::focusWidget(), Field);
  ASSERT_TRUE(W.ReturnClick());
  EXPECT_EQ(QApplication::focusWidget(), Field);
}

TEST_F(CalcWindowTest, ErrorsAreShownInRedWithTheirSpanMarked) {
  TfmCalc& W = Open();
  W.rgNotation->SetItemIndex(1);
  ASSERT_TRUE(Enter("5"));
  struct TCase {
    QString Input;
    QString Message;
    int SelStart;
    QString Selected;
  };
  const TCase Cases[] = {
      {"(1+2", "Missing \")\": position 4", 3, "2"},
      {"1+2)", "Too many \")\": position 4", 3, ")"},
      {")1+(2", "Syntax error: position 1", 0, ")"},
      {"1 + (2 * 3", "Missing \")\": position 10", 9, "3"},
      {"(1)) + (2", "Syntax error: position 4", 3, ")"},
      {"1 / 0", "Division by zero: position 5", 4, "0"},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.Input.toStdString());
    EXPECT_FALSE(Enter(C.Input));
    EXPECT_EQ(W.Edit2->text(), C.Message);
    EXPECT_EQ(TextColour(W.Edit2), QColor(Qt::red));
    EXPECT_EQ(W.Edit1->selectionStart(), C.SelStart);
    EXPECT_EQ(W.Edit1->selectedText(), C.Selected);
    EXPECT_FALSE(EngineState.ErrFlag);
  }
  // Errors leave the previous result, the histories and the tape alone.
  EXPECT_EQ(EngineState.Ans, 5);
  EXPECT_EQ(W.cbHistory->count(), 1);
  EXPECT_EQ(W.cbResults->count(), 1);
  EXPECT_EQ(W.TapeLines().size(), 1);

  // A division by zero marks the divisor with the blanks inside it.
  EXPECT_FALSE(Enter("8 / (2 - 2)"));
  EXPECT_EQ(W.Edit1->selectedText(), "(2 - 2)");

  // The engine's own characters pass; one it cannot hold is an error, never the previous result.
  ASSERT_TRUE(Enter(QString("3") + QChar(0xB2)));
  EXPECT_EQ(W.Edit2->text(), "9.0");
  EXPECT_FALSE(Enter(QString("3+") + QChar(0x2603)));
  EXPECT_EQ(W.Edit2->text(), "Syntax error: position 3");
  EXPECT_EQ(W.Edit1->selectedText(), QString(QChar(0x2603)));

  // An empty input line does nothing and shows nothing.
  W.Edit2->setText("kept");
  EXPECT_FALSE(Enter(""));
  EXPECT_EQ(W.Edit2->text(), "kept");
}

TEST_F(CalcWindowTest, PrecheckAndErrorMappingFollowTheTypedText) {
  TfmCalc& W = Open();
  // The parentheses are checked first, on the text without blanks; the error is marked in the
  // typed text.
  EXPECT_FALSE(Enter(" ( 1 + 2 ) ) "));
  EXPECT_EQ(EngineState.ExprStr, "(1+2))");
  EXPECT_TRUE(W.Edit2->text().endsWith(": position 12")) << W.Edit2->text().toStdString();
  EXPECT_EQ(W.Edit1->selectionStart(), 11);
  EXPECT_EQ(W.Edit1->selectedText(), ")");

  // A line of blanks holds nothing, as an empty one.
  W.Edit2->setText("kept");
  EXPECT_FALSE(Enter("   "));
  EXPECT_EQ(W.Edit2->text(), "kept");
}

TEST_F(CalcWindowTest, UnshowableResultIsAnErrorNotAZero) {
  TfmCalc& W = Open();
  W.rgNotation->SetItemIndex(1);
  ASSERT_TRUE(Enter("2"));
  W.Edit1->setText("255");
  W.rgBase->SetItemIndex(1);  // hex: "255" is evaluated in decimal first
  EXPECT_EQ(W.Edit2->text(), "FF");
  EXPECT_EQ(W.TapeLines().front(), "255 = FF; Base=16");

  const int Results = W.cbResults->count();
  const int Tape = static_cast<int>(W.TapeLines().size());
  EXPECT_FALSE(Enter("80000000"));  // 2^31 in hexadecimal
  EXPECT_EQ(W.Edit2->text(), "Overflow: position 9");
  EXPECT_FALSE(Enter("8000 0000"));  // the position counts the typed blank
  EXPECT_EQ(W.Edit2->text(), "Overflow: position 10");
  EXPECT_EQ(TextColour(W.Edit2), QColor(Qt::red));
  EXPECT_EQ(W.cbResults->count(), Results);
  EXPECT_EQ(W.TapeLines().size(), Tape);
  EXPECT_EQ(EngineState.Ans, 255);

  // A radix change whose evaluation fails writes no "; Base=" line.
  W.Edit1->setText("(1");
  W.rgBase->SetItemIndex(0);
  EXPECT_EQ(W.TapeLines().size(), Tape);
  EXPECT_EQ(W.Edit2->text(), "255.0");

  // A previous result the new radix cannot show is reported, and no "; Base=" line written.
  ASSERT_TRUE(Enter("3000000000"));
  const int Lines = static_cast<int>(W.TapeLines().size());
  W.rgBase2->SetItemIndex(1);
  EXPECT_EQ(W.Edit2->text(), "Overflow: position 11");
  EXPECT_EQ(W.TapeLines().size(), Lines + 1);  // the evaluation's own line, in decimal
  EXPECT_FALSE(W.TapeLines().front().contains("Base"));
  W.rgBase->SetItemIndex(0);

  // A value too large for h:m:s is reported and the previous result survives.
  W.rgNotation->SetItemIndex(3);
  EXPECT_FALSE(Enter("1E20"));
  EXPECT_EQ(W.Edit2->text(), "Change notation: position 5");
  EXPECT_EQ(EngineState.Ans, 3000000000.0L);
}

TEST_F(CalcWindowTest, HistoryListsInsertAtTheCaretAndDeleteEntries) {
  TfmCalc& W = Open();
  ASSERT_TRUE(Enter("4*4"));
  ASSERT_TRUE(Enter("2+3"));
  W.Edit1->setText("1+");
  W.Edit1->setCursorPosition(2);
  emit W.cbHistory->activated(1);
  EXPECT_EQ(W.Edit1->text(), "1+4*4");
  EXPECT_EQ(W.cbHistory->currentIndex(), -1);

  W.cbHistory->view()->setCurrentIndex(W.cbHistory->model()->index(0, 0));
  QKeyEvent Shifted(QEvent::KeyPress, Qt::Key_Delete, Qt::ShiftModifier);
  QCoreApplication::sendEvent(W.cbHistory->view(), &Shifted);
  EXPECT_EQ(W.cbHistory->count(), 2);
  QKeyEvent Plain(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
  QCoreApplication::sendEvent(W.cbHistory->view(), &Plain);
  EXPECT_EQ(Items(W.cbHistory), QStringList{"4*4"});
}

// What is refused while an evaluation runs, and closing during one: reentrancy_test.cpp.

TEST_F(CalcWindowTest, TapeLineNamesTheVariablesOfTheEvaluation) {
  TfmCalc& W = Open();
  ASSERT_TRUE(Enter("(X=2)*(Y=3)"));
  ASSERT_TRUE(Enter("X*Y+X"));  // X is read twice but named once
  EXPECT_EQ(W.TapeLines().front(), "X*Y+X = 8.0E+0; X=2.0E+0; Y=3.0E+0; ");

  // A loop reads its variables ten times and more: the line keeps only its bare "; ".
  ASSERT_TRUE(Enter("(J=1)+(K=20)+(M=1)"));
  ASSERT_TRUE(Enter("for J to K step M do(?)"));
  EXPECT_TRUE(W.TapeLines().front().startsWith("for J to K step M do(?) = "))
      << W.TapeLines().front().toStdString();
  EXPECT_TRUE(W.TapeLines().front().endsWith("; ")) << W.TapeLines().front().toStdString();
  EXPECT_FALSE(W.TapeLines().front().contains("J=")) << W.TapeLines().front().toStdString();
}

TEST_F(CalcWindowTest, ExtremumPositionGoesToTheAssistantLine) {
  TfmCalc& W = Open();
  ASSERT_TRUE(Enter("min(0,3,(X-1)^2+2)"));
  EXPECT_EQ(W.Edit2->text(), "2.0E+0");
  EXPECT_TRUE(W.pnAssistant->text().contains("Xmin=1.0E+0")) << W.pnAssistant->text().toStdString();
  ASSERT_TRUE(Enter("max(0,3,-(X-2)^2)"));
  EXPECT_TRUE(W.pnAssistant->text().contains("Xmax=2.0E+0")) << W.pnAssistant->text().toStdString();
}

// A 1280 by 900 screen at scale factor 1.5 offers 853 by 600: the window must fit it whole, its
// tabs scrolling when they do not fit.
TEST_F(CalcWindowTest, WindowFitsALargeScaleScreen) {
  TfmCalc& W = Open();
  const QSize Least = W.minimumSizeHint();
  EXPECT_LE(Least.width(), 853);
  EXPECT_LE(Least.height(), 600);
  const QSize Avail = W.screen()->availableGeometry().size();
  EXPECT_LE(W.width(), std::max(Avail.width(), Least.width()));
  EXPECT_LE(W.height(), std::max(Avail.height(), Least.height()));
}

// A text past a line edit's usual 32767 characters is evaluated whole, never cut; every field and
// cell editor whose text the engine or a number reader takes holds as much.
TEST_F(CalcWindowTest, LongTextsAreEvaluatedWhole) {
  TfmCalc& W = Open();
  W.rgNotation->SetItemIndex(1);
  QString Sum = "1";
  for (int i = 0; i < 500000; ++i) Sum += "+1";
  QGuiApplication::clipboard()->setText(Sum);
  W.activateWindow();
  W.Edit1->setFocus();
  QTest::keyClick(W.Edit1, Qt::Key_V, Qt::ControlModifier);
  ASSERT_EQ(W.Edit1->text().size(), 1000001);
  QTest::keyClick(W.Edit1, Qt::Key_Return);
  EXPECT_EQ(W.Edit2->text(), "500001.0");

  TfmConv Conv;
  TfmMatrix Matrix;
  TfmMult Mult;
  TSetVar Set;
  for (QWidget* Window : std::initializer_list<QWidget*>{&W, &Conv, &Matrix, &Mult, &Set})
    for (const QLineEdit* E : Window->findChildren<QLineEdit*>())
      EXPECT_GT(E->maxLength(), MaxExprLength) << E->objectName().toStdString();
  Matrix.show();
  Matrix.sgA->editItem(Matrix.sgA->item(1, 1));
  const auto* Cell = Matrix.sgA->viewport()->findChild<QLineEdit*>();
  ASSERT_TRUE(Cell);
  EXPECT_GT(Cell->maxLength(), MaxExprLength);
}
