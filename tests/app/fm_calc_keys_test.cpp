// The main window's keys as the user presses them: through the window's shortcut handling, with
// the focus where a click or a page change left it.
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "app/calc/fm_calc_pages.h"
#include "app/calc/user_vars_page.h"
#include "app/calc/variables_page.h"
#include "calc_test_support.h"
#include "engine/variables.h"
#include "platform/controls.h"
#include "widgets/text_list_box.h"

namespace {

class CalcKeysTest : public CalcWindowTest {
 protected:
  void SetUp() override {
    CalcWindowTest::SetUp();
    UserVariables.clear();
    VarValues.fill(UndefinedValue);
    for (auto& T : VarExprs) T.clear();
  }
  void TearDown() override {
    CalcWindowTest::TearDown();
    UserVariables.clear();
  }
  TfmCalc& OpenActive() {
    TfmCalc& W = Open();
    W.activateWindow();
    QApplication::setActiveWindow(&W);
    EXPECT_TRUE(QTest::qWaitForWindowActive(&W));
    return W;
  }
  // Moves to a page as a click on its tab does.
  void ShowPage(int Page) {
    Window->pcCalc->SetActivePageIndex(Page);
    Window->pcCalcChange(Page);
    QApplication::processEvents();
  }
};

TEST_F(CalcKeysTest, AltLettersReachTheInputLineFromEveryPage) {
  TfmCalc& W = OpenActive();
  const QString Usr = Path("Numyx.USR");
  // "User Variables": Alt+S is the key "sinh", not the page's "&Save".
  ShowPage(6);
  W.Edit1->clear();
  QTest::keyClick(&W, Qt::Key_S, Qt::AltModifier);
  EXPECT_EQ(W.Edit1->text(), "sinh()");
  EXPECT_FALSE(QFile::exists(Usr));

  // "Variables": Alt+S does not run "Calculate All" and "Save" either.
  ShowPage(5);
  W.Edit1->clear();
  VarExprs[0] = "2";
  VarValues[0] = 7;
  QTest::keyClick(&W, Qt::Key_S, Qt::AltModifier);
  EXPECT_EQ(W.Edit1->text(), "sinh()");
  EXPECT_EQ(VarValues[0], 7);
  EXPECT_TRUE(Dialogs.Of(TDialogRequest::rkSave).empty());

  // "Constants": Alt+E is the key "exp", not "&Edit" (which would start the editor).
  ShowPage(3);
  W.Edit1->clear();
  QTest::keyClick(&W, Qt::Key_E, Qt::AltModifier);
  EXPECT_EQ(W.Edit1->text(), "exp()");
  EXPECT_TRUE(Dialogs.Urls.isEmpty());
  EXPECT_FALSE(W.bbReload->isEnabled());

  // A key the window does not use still reaches the page's button: Alt+L is "&Load" there.
  ShowPage(6);
  Dialogs.AnswerCancel();
  QTest::keyClick(&W, Qt::Key_L, Qt::AltModifier);
  // A mnemonic clicks its button after a short delay.
  EXPECT_TRUE(QTest::qWaitFor([&] { return !Dialogs.Of(TDialogRequest::rkOpen).empty(); }, 2000));

  // Ordinary typing still goes to the focused line, once.
  ShowPage(0);
  W.Edit1->setFocus();
  W.Edit1->clear();
  QTest::keyClicks(W.Edit1, "12");
  EXPECT_EQ(W.Edit1->text(), "12");
  QTest::keyClick(W.Edit1, Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(W.Edit1->text(), "12sin()");
}

TEST_F(CalcKeysTest, ChosenEntriesReplaceTheSelectionLeftByAnEvaluation) {
  TfmCalc& W = OpenActive();
  ASSERT_TRUE(Enter("2+2"));
  ASSERT_TRUE(Enter("5*5"));
  ASSERT_EQ(W.Edit1->selectedText(), "5*5");

  // From the expression history, through its open list.
  W.cbHistory->showPopup();
  QAbstractItemView* View = W.cbHistory->view();
  QApplication::processEvents();
  const QModelIndex Item = View->model()->index(1, 0);
  ASSERT_EQ(Item.data().toString(), "2+2");
  View->setCurrentIndex(Item);
  QTest::keyClick(View, Qt::Key_Return);
  QApplication::processEvents();
  EXPECT_EQ(W.Edit1->text(), "2+2");
  W.Edit1->setFocus();
  QTest::keyClick(&W, Qt::Key_Return);
  EXPECT_EQ(W.Edit2->text(), "4.0E+0");

  // From the constants list, which takes the focus with the click.
  WriteFile("Numyx.CON", "two = 2\n");
  W.bbReloadClick();
  ASSERT_TRUE(Enter("5*5"));
  ShowPage(3);
  QListWidget* List = W.lbConst;
  const QRect Line = List->visualItemRect(List->item(0));
  QTest::mouseClick(List->viewport(), Qt::LeftButton, {}, Line.center());
  EXPECT_EQ(W.Edit1->text(), "2");

  // A caret without a selection still inserts there.
  W.Edit1->setText("1+");
  W.Edit1->setFocus();
  W.Edit1->setCursorPosition(2);
  QTest::mouseClick(List->viewport(), Qt::LeftButton, {}, Line.center());
  EXPECT_EQ(W.Edit1->text(), "1+2");
}

TEST_F(CalcKeysTest, AssistantCheckBoxGivesTheFocusBack) {
  TfmCalc& W = OpenActive();
  QTest::mouseClick(W.chAssistant, Qt::LeftButton);
  EXPECT_TRUE(W.Edit1->hasFocus());
  EXPECT_FALSE(W.chAssistant->isChecked());
  QTest::mouseClick(W.chAssistant, Qt::LeftButton);
  EXPECT_TRUE(W.Edit1->hasFocus());
  EXPECT_TRUE(W.chAssistant->isChecked());
}

}  // namespace
