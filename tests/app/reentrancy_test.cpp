// One evaluation at a time: what a user does while an evaluation pumps the window system, tried
// from inside real evaluations (a long FOR loop). The queued clicks and keys are handled by the
// loop's own pump; they must be refused, or wait, and the evaluation they met must end as it
// would have alone.
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include <deque>
#include <functional>

#include "app/calc/calc_pages.h"
#include "app/calc/fm_calc_pages.h"
#include "app/calc/set_var.h"
#include "app/calc/user_vars_page.h"
#include "app/calc/variables_page.h"
#include "app/common/calc_controls.h"
#include "app/common/decimal_format.h"
#include "app/converter/fm_conv.h"
#include "app/matrix/fm_matrix.h"
#include "app/matrix/fm_mult.h"
#include "app/matrix/frm_view_r.h"
#include "calc_test_support.h"
#include "engine/numeric_procedures.h"
#include "engine/variables.h"
#include "platform/controls.h"
#include "platform/cursors.h"
#include "platform/string_grid.h"
#include "platform/text_file.h"
#include "widgets/nx_label.h"

namespace {

// J, K and M of the loops below: N passes, each adding one to ?.
constexpr int N = 200;
const QString Loop = "for J to K step M do(?+1)";

class ReentrancyTest : public CalcWindowTest {
 protected:
  void SetUp() override {
    CalcWindowTest::SetUp();
    VarValues.fill(UndefinedValue);
    for (auto& T : VarExprs) T.clear();
    UserVariables.clear();
    ResetIntervalBounds();
    SetLoop(1, N);
    // Every pass of a loop handles the events queued so far.
    SetPumpInterval(0);
    SetMatrixModalRunner([this](TForm& Form) -> TModalResult {
      if (auto* M = qobject_cast<TfmMult*>(&Form); M && !Prompts.empty()) {
        M->Edit1->setText(Prompts.front());
        Prompts.pop_front();
        return mrOk;
      }
      return mrCancel;
    });
  }
  void TearDown() override {
    Matrix.reset();
    Mult.reset();
    ViewR.reset();
    SetMatrixModalRunner(nullptr);
    SetPumpInterval(-1);
    CalcWindowTest::TearDown();
    UserVariables.clear();
  }
  static void SetLoop(Extended From, Extended To) {
    VarValues[varJ] = From;
    VarValues[varK] = To;
    VarValues[varM] = 1;
  }
  TCalcPages& Pages() {
    // A set-variable dialog that a test did not expect is cancelled, never left open.
    Window->Pages->Pages().RunModal = [](TSetVar&) { return int(mrCancel); };
    return Window->Pages->Pages();
  }
  TVariablesPage& Variables() { return *Pages().Variables; }
  TUserVarsPage& UserVars() { return *Pages().UserVars; }
  // Handled by the event loop: inside the pump of the evaluation started next.
  void During(std::function<void()> Action) {
    QTimer::singleShot(0, Window.get(), std::move(Action));
  }
  // The "=" key, clicked while the evaluation runs; the input line holds 2+2.
  void ClickEqualsDuring() {
    Window->Edit1->setText("2+2");
    Window->InputModified = true;
    During([this] { Window->sbEQ->click(); });
  }
  // The result line shows nothing of the refused "=".
  void ExpectNoResultShown() {
    EXPECT_EQ(Window->Edit2->text(), "");
    EXPECT_EQ(Window->cbHistory->count(), 0);
  }
  TfmMatrix& OpenMatrix() {
    Matrix = std::make_unique<TfmMatrix>();
    Mult = std::make_unique<TfmMult>();
    ViewR = std::make_unique<TfrmViewR>();
    Matrix->SetCompanions(Mult.get(), ViewR.get());
    return *Matrix;
  }

  std::deque<QString> Prompts;
  std::unique_ptr<TfmMatrix> Matrix;
  std::unique_ptr<TfmMult> Mult;
  std::unique_ptr<TfrmViewR> ViewR;
};

}  // namespace

// The report of the review: a click on "=" queued while the Variables page evaluated a loop for
// X showed 4.0, and X then failed with "Syntax error: position 22" (alone it is 40002).
TEST_F(ReentrancyTest, EqualsClickedDuringAVariableCalculationIsRefused) {
  TfmCalc& W = Open();
  SetLoop(-20001, 20000);
  Variables().VarEdits[0]->setText(Loop);
  W.activateWindow();
  W.Edit1->setFocus();
  QCoreApplication::processEvents();
  ASSERT_EQ(QApplication::focusWidget(), W.Edit1);
  ClickEqualsDuring();
  // The Enter key too, as the window's key handling sees it.
  QCoreApplication::postEvent(
      W.Edit1, new QKeyEvent(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r"));
  Variables().EvalButtons[0]->click();
  EXPECT_EQ(VarValues[1], 40002);
  EXPECT_EQ(Variables().lbError->Caption(), "");
  EXPECT_EQ(VarExprs[1], "forJtoKstepMdo(?+1)");
  ExpectNoResultShown();
  EXPECT_EQ(EngineState.Ans, 0);  // the page's loop leaves the window's previous result alone

  // Afterwards "=" works as ever.
  W.sbEQ->click();
  EXPECT_EQ(W.cbHistory->count(), 1);
}

TEST_F(ReentrancyTest, CalculateAllSaveTheDialogsOkAndAddEachEvaluateAlone) {
  TfmCalc& W = Open();
  TVariablesPage& V = Variables();
  // Calculate All takes every letter from its field in order: N's loop after its J, K and M.
  V.VarEdits[0]->setText("2");
  V.VarEdits[1]->setText("X + 1");
  V.VarEdits[2]->setText("5");
  V.VarEdits[6]->setText("1");
  V.VarEdits[7]->setText(QString::number(N));
  V.VarEdits[8]->setText("1");
  V.VarEdits[9]->setText(Loop);
  ClickEqualsDuring();
  During([&] {
    V.EvalButtons[2]->click();  // "Calculate" of Z: another evaluation
    UserVars().edName->setText("a");
    UserVars().edValue->setText("1");
    UserVars().btAdd->click();
  });
  V.BitBtn3->click();  // "Calculate All"
  EXPECT_EQ(VarValues[varN], N);
  EXPECT_EQ(VarValues[2], 3);
  EXPECT_EQ(VarValues[3], 5);  // by Calculate All itself, in its turn
  EXPECT_EQ(UserVars().Model().Count(), 0);
  ExpectNoResultShown();

  // Save: Cancel in the file dialog changes nothing, not even the stored texts.
  V.VarEdits[2]->setText("6");
  Dialogs.AnswerCancel();
  V.BitBtn13->click();
  EXPECT_EQ(VarExprs[3], "5");
  EXPECT_EQ(VarValues[3], 5);
  // Chosen, the letters are calculated (a loop among them) and written.
  Dialogs.AnswerFile(Path("v.VAR"));
  ClickEqualsDuring();
  V.BitBtn13->click();
  QStringList Lines;
  ASSERT_TRUE(ReadTextLines(Path("v.VAR"), Lines));
  ASSERT_EQ(Lines.size(), 20);
  EXPECT_TRUE(Lines[9].startsWith("2.0")) << Lines[9].toStdString();
  EXPECT_TRUE(Lines[2].startsWith("6.0")) << Lines[2].toStdString();
  EXPECT_EQ(Lines[19], "forJtoKstepMdo(?+1)");
  ExpectNoResultShown();

  // The set-variable dialog's OK, opened by a letter key.
  TSetVar& D = Pages().SetVarForm();
  D.Prepare(4);
  D.Edit1->setText(Loop + " * 2");
  ClickEqualsDuring();
  D.OKBtnClick();
  EXPECT_EQ(D.ModalResult(), mrOk);
  EXPECT_EQ(VarValues[4], 2 * N);
  ExpectNoResultShown();

  // "Add/Modify" of the user variables.
  UserVars().edName->setText("b");
  UserVars().edValue->setText(Loop);
  ClickEqualsDuring();
  During([&] { V.EvalButtons[2]->click(); });
  V.VarEdits[2]->setText("7");
  UserVars().btAdd->click();
  ASSERT_EQ(UserVars().Model().Count(), 1);
  EXPECT_EQ(UserVars().lbVars->item(0)->text().left(4), "b = ");
  EXPECT_EQ(VarValues[3], 6);
  ExpectNoResultShown();
  (void)W;
}

// While the input line is evaluated, nothing of any window starts another evaluation or changes
// the settings it reads; the converter's field waits and converts afterwards.
TEST_F(ReentrancyTest, TheMainEvaluationRefusesWhatWouldStartOrChangeAnother) {
  TfmCalc& W = Open();
  TfmMatrix& M = OpenMatrix();
  M.ChooseOperation(2);
  TfmConv Conv;
  const auto Radix = EngineSettings.Radix;
  const auto Notation = EngineSettings.DisplayMode;
  const auto Angle = EngineSettings.AngleMode;
  const int Digits = W.Digits;
  Variables().VarEdits[0]->setText("7");
  TSetVar& D = Pages().SetVarForm();
  D.Prepare(3);
  D.Edit1->setText("3");
  During([&] {
    Variables().EvalButtons[0]->click();
    UserVars().edName->setText("a");
    UserVars().edValue->setText("1");
    UserVars().btAdd->click();
    D.OKBtnClick();
    W.rgBase->SetItemIndex(1);
    W.rgNotation2->SetItemIndex(Notation == 1 ? 2 : 1);
    W.rgAngle->SetItemIndex(Angle == 1 ? 0 : 1);
    W.udDigits->Step(btNext);
    W.rgReal->SetItemIndex(1);
    M.Button1->click();
    M.btInverse->click();
    Conv.Edits[10]->setText("1");  // KM
    W.sbClInput->click();
    emit W.cbHistory->activated(0);
  });
  W.cbHistory->addItem("3*3");
  W.Edit1->setText(Loop);
  W.InputModified = false;
  TCursor Shown = crDefault;
  During([&] { Shown = ScreenCursor(); });
  ASSERT_TRUE(W.ReturnClick());
  // The platform's hour-glass, from its cursor table, while the line is evaluated.
  EXPECT_EQ(Shown, crHourGlass);
  EXPECT_EQ(ScreenCursor(), crDefault);
  EXPECT_EQ(EngineState.Ans, N);
  EXPECT_EQ(W.Edit1->text(), Loop);
  EXPECT_EQ(VarValues[1], UndefinedValue);
  EXPECT_EQ(VarValues[3], UndefinedValue);
  EXPECT_EQ(UserVars().Model().Count(), 0);
  EXPECT_EQ(EngineSettings.Radix, Radix);
  EXPECT_EQ(EngineSettings.DisplayMode, Notation);
  EXPECT_EQ(EngineSettings.AngleMode, Angle);
  EXPECT_EQ(W.Digits, Digits);
  EXPECT_FALSE(W.ComplexMode);
  // The controls show the settings in force.
  EXPECT_EQ(W.rgBase->ItemIndex(), Radix);
  EXPECT_EQ(W.rgBase2->ItemIndex(), Radix);
  EXPECT_EQ(W.rgNotation2->ItemIndex(), Notation);
  EXPECT_EQ(W.rgReal->ItemIndex(), 0);
  EXPECT_EQ(W.udDigits->Position(), Digits);
  EXPECT_EQ(M.Operation, 2);
  EXPECT_TRUE(M.Repository().empty());
  EXPECT_EQ(Conv.Edits[13]->text(), "");  // Meter: not yet
  QCoreApplication::processEvents();
  EXPECT_EQ(Conv.Edits[13]->text(), FormatDecimal(1000));
}

// The matrix window's run: a radix chosen in the main window (hex made the next cells read 10 as
// 16) and a size typed meanwhile ("Index out of bounds") change nothing of it.
TEST_F(ReentrancyTest, TheMatrixRunIsNotChangedFromOutside) {
  TfmCalc& W = Open();
  TfmMatrix& M = OpenMatrix();
  M.show();
  M.ChooseOperation(3);
  for (QLineEdit* E : {M.edARows, M.edACols, M.edBRows, M.edBCols}) E->setText("2");
  const QString Cells[2][2] = {{Loop + "*0+10", "10"}, {"10", "10"}};
  for (int r = 0; r < 2; ++r)
    for (int c = 0; c < 2; ++c) {
      M.sgA->Cells[c + 1][r + 1] = Cells[r][c];
      M.sgB->Cells[c + 1][r + 1] = r == c ? "1" : "0";
    }
  ClickEqualsDuring();
  During([&] {
    W.rgBase->SetItemIndex(1);
    for (int Key : {Qt::Key_End, Qt::Key_Backspace, Qt::Key_1})
      QCoreApplication::postEvent(M.edARows, new QKeyEvent(QEvent::KeyPress, Key, Qt::NoModifier,
                                                           Key == Qt::Key_1 ? "1" : ""));
    M.Button1->click();
  });
  M.Button1->click();
  QCoreApplication::processEvents();
  EXPECT_EQ(EngineSettings.Radix, 0);
  EXPECT_EQ(M.edARows->text(), "2");
  for (int r = 1; r <= 2; ++r)
    for (int c = 1; c <= 2; ++c) EXPECT_EQ(M.sgC->GetCell(c, r), "10") << r << "," << c;
  EXPECT_EQ(M.Repository().size(), 3u);
  ExpectNoResultShown();
  // The controls take input again, and a failing cell is shown once they do.
  EXPECT_TRUE(M.edARows->isEnabled());
  M.sgA->Cells[2][2] = "1/0";
  M.Button1->click();
  EXPECT_EQ(M.sgA->Row(), 2);
  EXPECT_EQ(M.sgA->Col(), 2);
}

// The prompts for r, n and f read their answer once the dialog has closed; a loop in it runs
// alone.
TEST_F(ReentrancyTest, TheMatrixPromptsEvaluateAlone) {
  Open();
  TfmMatrix& M = OpenMatrix();
  Prompts = {Loop + "/4"};
  ClickEqualsDuring();
  M.ChooseOperation(8);
  EXPECT_EQ(M.ScalarR, N / 4.0L);
  EXPECT_EQ(M.Operation, 8);
  ExpectNoResultShown();

  Prompts = {Loop + "*0+3"};
  ClickEqualsDuring();
  M.ChooseOperation(5);
  EXPECT_EQ(M.PowerN, 3);
  ExpectNoResultShown();

  Prompts = {"(A)+" + Loop + "*0"};
  ClickEqualsDuring();
  M.ChooseOperation(9);
  EXPECT_EQ(M.FuncText, "(A)+" + Loop + "*0");
  EXPECT_EQ(M.Operation, 9);
  ExpectNoResultShown();
}

// Closing a window while an evaluation runs, whichever window started it, breaks the evaluation
// (the break question is asked) and closes the window once it has ended.
TEST_F(ReentrancyTest, ClosingDuringAnEvaluationBreaksItAndClosesAfterwards) {
  TfmCalc& W = Open();
  ASSERT_TRUE(Enter("1+1"));
  const QString Shown = W.Edit2->text();
  TfmMatrix& M = OpenMatrix();
  M.show();
  SetLoop(1, 1E6);
  Dialogs.Answer(mrYes);
  During([&] { EXPECT_FALSE(M.close()); });
  W.Edit1->setText(Loop);
  EXPECT_FALSE(W.ReturnClick());
  EXPECT_TRUE(W.Edit2->text().startsWith("User break")) << W.Edit2->text().toStdString();
  EXPECT_EQ(Dialogs.Messages().back(), "Do you realy wont break calculation?");
  EXPECT_TRUE(M.isVisible());
  QCoreApplication::processEvents();
  EXPECT_FALSE(M.isVisible());

  // The main window, closed while its Variables page evaluates.
  Variables().VarEdits[0]->setText(Loop);
  Dialogs.Answer(mrYes);
  During([&] {
    EXPECT_FALSE(W.close());
    EXPECT_TRUE(W.isVisible());
  });
  Variables().EvalButtons[0]->click();
  EXPECT_TRUE(Variables().lbError->Caption().startsWith("User break"))
      << Variables().lbError->Caption().toStdString();
  EXPECT_TRUE(W.isVisible());
  EXPECT_TRUE(ReadFile("Numyx.INI").isEmpty());
  QCoreApplication::processEvents();
  EXPECT_FALSE(W.isVisible());
  EXPECT_TRUE(ReadFile("Numyx.INI").contains("Digits=12"));
  EXPECT_EQ(ReadFile("Numyx.HST"), "1\n1+1\n1\n" + Shown.toUtf8() + "\n");
}

// The main window closed while the matrix window reads its cells: the run breaks, the matrix
// window shows no result, and the main window closes once the run has ended.
TEST_F(ReentrancyTest, ClosingTheMainWindowDuringAMatrixRun) {
  TfmCalc& W = Open();
  TfmMatrix& M = OpenMatrix();
  M.show();
  M.ChooseOperation(4);
  for (QLineEdit* E : {M.edARows, M.edACols}) E->setText("1");
  M.sgA->Cells[1][1] = Loop;
  SetLoop(1, 1E6);
  Dialogs.Answer(mrYes);
  During([&] {
    EXPECT_FALSE(W.close());
    EXPECT_TRUE(W.isVisible());
  });
  M.Button1->click();
  EXPECT_TRUE(W.isVisible());
  EXPECT_EQ(Dialogs.Messages().back(), "Do you realy wont break calculation?");
  EXPECT_EQ(M.sgC->GetCell(1, 1), "");
  QCoreApplication::processEvents();
  EXPECT_FALSE(W.isVisible());
  EXPECT_TRUE(ReadFile("Numyx.INI").contains("Digits=12"));
}
