// The keypads and the variable pages inside the main window.
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>

#include "app/calc/calc_pages.h"
#include "app/calc/fm_calc_pages.h"
#include "app/calc/user_funcs_page.h"
#include "app/calc/user_vars_page.h"
#include "calc_test_support.h"
#include "engine/user_functions.h"
#include "engine/variables.h"
#include "platform/controls.h"
#include "platform/ini_file.h"
#include "widgets/text_list_box.h"

namespace {

class CalcPagesWindowTest : public CalcWindowTest {
 protected:
  void SetUp() override {
    CalcWindowTest::SetUp();
    UserVariables.clear();
    VarValues.fill(UndefinedValue);
    for (auto& T : VarExprs) T.clear();
    CreateUserFunctions();
    UserFunctions->Clear();
  }
  void TearDown() override {
    CalcWindowTest::TearDown();
    UserVariables.clear();
    UserFunctions->Clear();
  }
  TCalcPages& Pages() { return Window->Pages->Pages(); }
  // A key typed into the focused input line, through the window's key preview.
  void Key(int K, Qt::KeyboardModifiers M) {
    QApplication::setActiveWindow(Window.get());
    Window->Edit1->setFocus();
    QKeyEvent E(QEvent::KeyPress, K, M);
    QApplication::sendEvent(Window->Edit1, &E);
  }
};

TEST_F(CalcPagesWindowTest, StartUpLoadsUserVariablesAndFunctions) {
  WriteFile("Numyx.USR", "rate = 0.25\nbase = 8\n");
  WriteFile("Numyx.FNC", "; helpers\nsq(x) = x*x ;square\n");
  TfmCalc& W = Open();
  EXPECT_EQ(Pages().UserVars->lbVars->count(), 2);
  EXPECT_EQ(W.lbFuncs->count(), 2);
  EXPECT_EQ(W.lbFuncs->item(1)->text(), "sq(x) = x*x ;square");
  W.rgNotation->SetItemIndex(1);
  ASSERT_TRUE(Enter("sq(base)*rate"));
  EXPECT_EQ(W.Edit2->text(), "16.0");
  // An assignment in the input line makes a new variable in the list.
  ASSERT_TRUE(Enter("(total=5)+1"));
  EXPECT_EQ(Pages().UserVars->lbVars->item(0)->text(), "total = 5.0");

  // Save As remembers the file for the next start.
  Dialogs.AnswerFile(Path("mine.USR"));
  Pages().UserVars->btSaveAsClick();
  EXPECT_EQ(W.UserVarFile, Path("mine.USR"));
  EXPECT_EQ(TIniFile(Path("Numyx.INI")).ReadString("Files", "Variables", ""), Path("mine.USR"));
}

TEST_F(CalcPagesWindowTest, KeysAndShortcutsEditTheInputLine) {
  TfmCalc& W = Open();
  EXPECT_EQ(W.sbGAMMA, Pages().Key("sbGAMMA"));
  W.Edit1->clear();
  Key(Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(W.Edit1->text(), "sin()");
  Key(Qt::Key_Left, Qt::NoModifier);
  EXPECT_EQ(W.Edit1->cursorPosition(), 3);
  Key(Qt::Key_Return, Qt::NoModifier);
  EXPECT_TRUE(W.Edit2->text().startsWith("Syntax error") || W.Edit2->text().startsWith("Missing"));

  // Complex mode relabels and disables the real-only keys; their shortcuts do nothing then.
  W.rgReal->SetItemIndex(1);
  EXPECT_EQ(W.sbGAMMA->text(), "LnGm");
  EXPECT_FALSE(Pages().Key("sbJn")->isEnabled());
  W.Edit1->clear();
  Key(Qt::Key_J, Qt::ControlModifier);
  EXPECT_EQ(W.Edit1->text(), "");
  W.rgReal->SetItemIndex(0);
  EXPECT_EQ(W.sbGAMMA->text(), QString(QChar(0x393)));

  // The assistant follows the caret.
  W.chAssistant->setChecked(true);
  EngineSettings.AngleMode = 1;
  W.Edit1->setText("1+cos(");
  W.TimerTask = 1;
  W.Timer1Timer();
  EXPECT_EQ(W.pnAssistant->text(), " Cosine of (degree) ");
}

TEST_F(CalcPagesWindowTest, AssistantLineShowsWholeAndCtrlCCopiesASelection) {
  TfmCalc& W = Open();
  W.chAssistant->setChecked(true);
  // The panel must be as wide as its text in its own font, whatever the keypad's font size.
  auto ShownWhole = [&W] {
    W.layout()->activate();
    return W.pnAssistant->width() >=
           W.pnAssistant->fontMetrics().horizontalAdvance(W.pnAssistant->text());
  };
  W.Edit1->setText("1+Kn(");
  W.TimerTask = 1;
  W.Timer1Timer();
  ASSERT_TRUE(W.pnAssistant->text().contains("Bessel"));
  EXPECT_TRUE(ShownWhole()) << W.pnAssistant->width();
  // The greeting is shown in the panel the same way, not in a panel left 0 wide.
  W.Edit1->clear();
  W.Pages->Pages().ShowFunctionHelp(-1);
  W.ShowAssistantText(TfmCalc::GreetingText(0.8));
  EXPECT_TRUE(ShownWhole()) << W.pnAssistant->width();
  EXPECT_GT(W.pnAssistant->width(), 0);

  // Ctrl+C copies a selection; with nothing selected it is the "cos" key.
  W.Edit1->setText("2*3");
  W.Edit1->selectAll();
  QApplication::clipboard()->clear();
  Key(Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(W.Edit1->text(), "2*3");
  EXPECT_EQ(QApplication::clipboard()->text(), "2*3");
  W.Edit1->setCursorPosition(3);
  Key(Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(W.Edit1->text(), "2*3cos()");
}

}  // namespace
