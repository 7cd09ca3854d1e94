// Keys, shortcuts, key names and the assistant.
#include <QAbstractButton>
#include <QWidget>

#include "app/calc/keypad_keys.h"
#include "pages_test_support.h"
#include "platform/controls.h"

namespace {

class KeypadTest : public PagesTest {
 protected:
  void SetUp() override {
    PagesTest::SetUp();
    Pages->BuildKeypad(&Calc, false);
    Pages->BuildKeypad(&ExCalc, true);
  }
  void Press(const char* Name) {
    QAbstractButton* B = Pages->Key(Name);
    ASSERT_NE(B, nullptr) << Name;
    B->click();
  }
  QWidget Calc, ExCalc;
};

TEST_F(KeypadTest, FunctionKeysInsertNameAndTemplateWithTheCaretInside) {
  Type("2*", 2);
  Press("sbJn");
  EXPECT_EQ(Host.Input.text(), "2*Jn(,)");
  EXPECT_EQ(Host.Input.cursorPosition(), 5);
  EXPECT_EQ(Pages->CurrentFuncId, 18);

  // A selection is replaced.
  Type("1+abc", 0);
  Host.Input.setSelection(2, 3);
  Press("sbSOLV");
  EXPECT_EQ(Host.Input.text(), "1+solve(,,)");
  EXPECT_EQ(Host.Input.cursorPosition(), 8);
  EXPECT_FALSE(Host.Input.hasSelectedText());

  Type("", 0);
  Press("sbRand");
  EXPECT_EQ(Host.Input.text(), "random");
  Type("", 0);
  Press("sbSIN");
  EXPECT_EQ(Host.Input.text(), "sin()");
  EXPECT_EQ(Host.Input.cursorPosition(), 4);
  Type("", 0);
  Press("sbtIf");
  EXPECT_EQ(Host.Input.text(), "if()then()else()");
  EXPECT_EQ(Host.Input.cursorPosition(), 3);
  Type("", 0);
  Press("sbLoop");
  EXPECT_EQ(Host.Input.text(), "for J to K step M do(?)");
  for (const char* N : {"bt7", "btPoint", "sbAnd", "sbOr", "sbXOR", "sbRoot", "sbSqr"}) Press(N);
  EXPECT_TRUE(Host.Input.text().endsWith(QString("7.&|\\") + QChar(0xBD) + QChar(0xB2)));
  EXPECT_EQ(FunctionKeyText(27, false), "integral(,,)");
  EXPECT_EQ(FunctionKeyText(999, false), "");
}

TEST_F(KeypadTest, CaptionsAndComplexMode) {
  EXPECT_EQ(Pages->Key("sbGAMMA")->text(), QString(QChar(0x393)));
  EXPECT_EQ(Pages->Key("sbLast")->toolTip(), "Last Result");
  EXPECT_EQ(Pages->Key("sbRoot")->toolTip(), "Square root");
  Host.Complex = true;
  Pages->SetComplexKeys(true);
  EXPECT_EQ(Pages->Key("sbLOG")->text(), "comp");
  EXPECT_EQ(Pages->Key("sbGAMMA")->text(), "LnGm");
  Type("", 0);
  Press("sbLOG");
  EXPECT_EQ(Host.Input.text(), "comp()");
  Type("", 0);
  Press("sbGAMMA");
  EXPECT_EQ(Host.Input.text(), "LnGamma()");
  Pages->SetComplexKeys(false);
  EXPECT_EQ(Pages->Key("sbGAMMA")->text(), QString(QChar(0x393)));
}

TEST_F(KeypadTest, ShortcutsInsertTheirKeysAndSpareOtherKeys) {
  Type("", 0);
  EXPECT_TRUE(Pages->FormKeyDown(Qt::Key_S, Qt::ControlModifier, 0));
  EXPECT_EQ(Host.Input.text(), "sin()");
  Type("", 0);
  EXPECT_TRUE(Pages->FormKeyDown(Qt::Key_P, Qt::ControlModifier, 0));
  EXPECT_EQ(Host.Input.text(), QString(QChar(0xB6)));
  Type("", 0);
  EXPECT_TRUE(Pages->FormKeyDown(Qt::Key_G, Qt::AltModifier, 0));
  EXPECT_EQ(Host.Input.text(), "gamma()");
  Type("", 0);
  EXPECT_TRUE(Pages->FormKeyDown(Qt::Key_X, Qt::AltModifier, 0));
  EXPECT_EQ(Host.Input.text(), "X");

  // Editing keys and unknown combinations go on to the input line and start the assistant.
  const int Starts = Host.AssistantStarts;
  EXPECT_FALSE(Pages->FormKeyDown(Qt::Key_Left, Qt::ShiftModifier, 0));
  EXPECT_FALSE(Pages->FormKeyDown(Qt::Key_V, Qt::ControlModifier, 0));
  EXPECT_FALSE(Pages->FormKeyDown(Qt::Key_Z, Qt::ControlModifier, 0));
  EXPECT_EQ(Host.AssistantStarts, Starts + 3);

  // A disabled key does nothing from the keyboard; nothing edits the line during an evaluation.
  Pages->Key("sbERF")->setEnabled(false);
  Type("", 0);
  EXPECT_TRUE(Pages->FormKeyDown(Qt::Key_F, Qt::ControlModifier, 0));
  EXPECT_EQ(Host.Input.text(), "");
  Host.Busy = true;
  EXPECT_TRUE(Pages->FormKeyDown(Qt::Key_S, Qt::ControlModifier, 0));
  Press("bt1");
  EXPECT_EQ(Host.Input.text(), "");
}

TEST_F(KeypadTest, EnterEscapeAndLetterKeys) {
  EXPECT_TRUE(Pages->FormKeyDown(Qt::Key_Return, {}, 0));
  EXPECT_EQ(Host.Returns, 1);
  // Escape on an empty line brings back the newest expression, all selected.
  Host.History = "1+2";
  Type("", 0);
  EXPECT_TRUE(Pages->FormKeyDown(Qt::Key_Escape, {}, 0));
  EXPECT_EQ(Host.Input.selectedText(), "1+2");

  // With "Evaluate" checked a letter key opens the set-variable dialog.
  Host.EvalChecked = true;
  OnModal = [](TSetVar& F) {
    F.Edit1->setText("2 * 3");
    F.cbEval->setChecked(true);
    F.OKBtnClick();
    return int(F.ModalResult());
  };
  Press("btK");
  EXPECT_EQ(Modals, 1);
  EXPECT_EQ(Letter(varK), 6);
  EXPECT_EQ(VarExprs[varK], "2*3");
  EXPECT_EQ(Host.Returns, 2);

  Pages->Key("sbClMem")->click();
  EXPECT_EQ(Letter(varK), UndefinedValue);
  EXPECT_EQ(VarExprs[varK], "");
  EXPECT_EQ(Host.HistoriesCleared, 1);
}

TEST(KeyNames, NamesAndModifiers) {
  EXPECT_EQ(KeyName(46) + ShiftText(0), "vk_Delete");
  EXPECT_EQ(KeyName(46) + ShiftText(ssShift), "vk_Delete ssShift");
  EXPECT_EQ(ShiftText(ssShift | ssCtrl | ssDouble), " ssShift ssCtrl ssDouble");
  EXPECT_EQ(KeyName(107), "vk_vkAdd");
  EXPECT_EQ(KeyName(99), "vk_NumPad3");
  EXPECT_EQ(KeyName(135), "vk_F24");
  EXPECT_EQ(KeyName('A'), "A");
  EXPECT_EQ(KeyName(5), QString(QChar(5)));
  EXPECT_EQ(KeyName(VirtualKeyOf(Qt::Key_Delete, false)), "vk_Delete");
  EXPECT_EQ(KeyName(VirtualKeyOf(Qt::Key_5, true)), "vk_NumPad5");
}

TEST(Assistant, WordAtCaretNeverLeavesTheText) {
  EXPECT_EQ(WordAtCaret("1+sin(", 6), "sin(");
  EXPECT_EQ(WordAtCaret("1+sin(", 2), "sin(");
  EXPECT_EQ(WordAtCaret("1+", 2), "");
  EXPECT_EQ(WordAtCaret("", 0), "");
  EXPECT_EQ(WordAtCaret("cos(2)", 0), "cos(");
  EXPECT_EQ(WordAtCaret("+", 0), "");
  EXPECT_EQ(WordAtCaret("2*Jn(1,", 3), "Jn(");
  EXPECT_EQ(WordAtCaret("ab", 99), "ab");
  EXPECT_EQ(FindFunctionId("sin(", false), 1);
  EXPECT_EQ(FindFunctionId("SIN(", false), 1);
  EXPECT_EQ(FindFunctionId("e", false), -1);
  EXPECT_EQ(FindFunctionId("", true), -1);
  EXPECT_EQ(FindFunctionId("2*sin(", true), 1);
  // Names beyond the complex table are never looked up there.
  EXPECT_EQ(FindFunctionId("2^(", true), -1);
  EXPECT_EQ(FindFunctionId("2^(", false), 124);
  EXPECT_EQ(FunctionHelpLine(1, false, 0), "Sine of (radian)");
  EXPECT_EQ(FunctionHelpLine(1, false, 1), "Sine of (degree)");
  EXPECT_EQ(FunctionHelpLine(129, true, 0), "");
  EXPECT_EQ(FunctionHelpLine(30, false, 0), "");
  EXPECT_EQ(FunctionHelpLine(130, false, 0), "");
}

TEST_F(KeypadTest, AssistantShowsTheHelpOfTheFunctionAtTheCaret) {
  Type("1+sin(", 6);
  Pages->AssistantTick();
  EXPECT_EQ(Host.Panel.text(), " Sine of (radian) ");
  EXPECT_GT(Host.Panel.width(), 0);
  Type("1+", 2);
  Pages->AssistantTick();
  EXPECT_EQ(Host.Panel.text(), " Sine of (radian) ");
  Type("", 0);
  Pages->AssistantTick();
  EXPECT_EQ(Host.Panel.text(), "");
  Host.Complex = true;
  Type("2^(", 3);
  Pages->AssistantTick();
  EXPECT_EQ(Host.Panel.text(), "");
}

}  // namespace

namespace {

TEST_F(KeypadTest, KeysAreTheWindowsSpeedButtons) {
  // One kind of button for the keys and the window's other speed buttons: its Tag is the
  // built-in's number, and a click leaves the focus in the input line.
  for (const char* Name : {"sbSIN", "sbJn", "bt7", "sbClMem"}) {
    auto* B = qobject_cast<TSpeedButton*>(Pages->Key(Name));
    ASSERT_NE(B, nullptr) << Name;
    EXPECT_EQ(B->focusPolicy(), Qt::NoFocus) << Name;
    EXPECT_FALSE(B->autoRaise()) << Name;
  }
  EXPECT_EQ(qobject_cast<TSpeedButton*>(Pages->Key("sbSIN"))->Tag, 1);
  EXPECT_EQ(qobject_cast<TSpeedButton*>(Pages->Key("sbJn"))->Tag, 18);
  EXPECT_EQ(Pages->Key("sbRoot")->toolTip(), "Square root");
}

}  // namespace
