// The letter variables' page, the set-variable dialog and the *.VAR files.
#include <QApplication>
#include <QLabel>

#include "app/calc/user_var_model.h"
#include "app/calc/variables_page.h"
#include "pages_test_support.h"
#include "platform/text_file.h"
#include "widgets/nx_label.h"

namespace {

class VariablesPageTest : public PagesTest {
 protected:
  TVariablesPage& Page() { return *Pages->Variables; }
  QLineEdit* Expr(int k) { return Page().VarEdits[static_cast<size_t>(k - 1)]; }
  QLineEdit* Shown(int k) { return Page().ValueEdits[static_cast<size_t>(k - 1)]; }
};

TEST_F(VariablesPageTest, CalculateAllEvaluatesInLetterOrder) {
  Expr(varX)->setText("3");
  Expr(2)->setText("X * 2");  // Y
  Page().CalculateAll();
  EXPECT_EQ(Letter(varX), 3);
  EXPECT_EQ(Letter(2), 6);
  EXPECT_EQ(VarExprs[2], "X*2");
  EXPECT_EQ(Shown(2)->text(), DisplayNumber(12, 6));
  EXPECT_EQ(Page().lbError->Caption(), "");

  // Without a text X ends undefined; Y then asks for X, and the cancelled dialog is an error.
  Expr(varX)->clear();
  Page().CalculateAll();
  EXPECT_EQ(Letter(varX), UndefinedValue);
  EXPECT_EQ(Letter(2), UndefinedValue);
  EXPECT_EQ(Modals, 1);
  EXPECT_TRUE(Page().lbError->Caption().startsWith("User break: position"));
  EXPECT_FALSE(EngineState.ErrFlag);
  Page().FillVariablesPage();
  EXPECT_EQ(Shown(varX)->text(), "Undefind");
  EXPECT_EQ(Expr(varX)->text(), "");

  // Enter in K's field shows K's value there.
  Page().show();
  QApplication::setActiveWindow(&Page());
  Expr(varK)->setText("2^10");
  Expr(varK)->setFocus();
  EXPECT_TRUE(Pages->FormKeyDown(Qt::Key_Return, {}, 5));
  EXPECT_EQ(Letter(varK), 1024);
  EXPECT_EQ(Shown(varK)->text(), DisplayNumber(12, 1024));
}

TEST_F(VariablesPageTest, ADefinitionThatLeadsBackToItsLetterFails) {
  Expr(varX)->setText("Y+1");
  Expr(2)->setText("X*2");
  Page().CalculateAll();
  EXPECT_EQ(Letter(varX), UndefinedValue);
  EXPECT_FALSE(Page().lbError->Caption().isEmpty());
  EXPECT_FALSE(EngineState.ErrFlag);

  VarExprs[varX] = "X+1";
  VarValues[varX] = UndefinedValue;
  EngineState.ExprStr = "X";
  Evaluate(EngineState.ExprStr);
  EXPECT_TRUE(EngineState.ErrFlag);
  EXPECT_EQ(Letter(varX), UndefinedValue);
}

TEST_F(VariablesPageTest, SetVariableStoresOnlyOnSuccess) {
  TSetVar& D = Pages->SetVarForm();
  VarExprs[varM] = "4";
  VarValues[varM] = 4;
  D.Prepare(varM);
  EXPECT_EQ(D.Edit1->text(), "4");
  EXPECT_EQ(D.lbExp->text(), "M =");

  D.Edit1->setText("1/0");
  D.OKBtnClick();
  EXPECT_EQ(D.ModalResult(), mrNone);
  EXPECT_TRUE(D.Edit2->text().startsWith("Division by zero: position"));
  EXPECT_EQ(VarExprs[varM], "4");
  EXPECT_EQ(Letter(varM), 4);
  EXPECT_FALSE(EngineState.ErrFlag);

  D.Edit1->setText("(2");
  D.OKBtnClick();
  EXPECT_EQ(D.ModalResult(), mrNone);
  EXPECT_EQ(Letter(varM), 4);

  D.Edit1->setText("");
  D.OKBtnClick();
  EXPECT_EQ(D.ModalResult(), mrNone);

  // The dialog evaluates on the side: the text the engine held for the window stays.
  EngineState.ExprStr = "9*9";
  D.Edit1->setText("5 + 1");
  D.OKBtnClick();
  EXPECT_EQ(D.ModalResult(), mrOk);
  EXPECT_EQ(VarExprs[varM], "5+1");
  EXPECT_EQ(Letter(varM), 6);
  EXPECT_EQ(EngineState.ExprStr, "9*9");

  // The engine asks through the dialog for an undefined letter without a text.
  OnModal = [](TSetVar& F) {
    F.Edit1->setText("7");
    F.OKBtnClick();
    return int(F.ModalResult());
  };
  EngineState.ExprStr = "Z*2";
  EXPECT_EQ(Evaluate(EngineState.ExprStr), 14);
  EXPECT_EQ(Letter(3), 7);
}

TEST_F(VariablesPageTest, VarFilesRoundTripAndBadFilesChangeNothing) {
  for (int k = 1; k <= 10; ++k) Expr(k)->setText(k % 3 == 0 ? QString() : QString("%1/7").arg(k));
  Dialogs.AnswerFile(Path("a.VAR"));
  Page().SaveClick();
  QStringList Lines;
  ASSERT_TRUE(ReadTextLines(Path("a.VAR"), Lines));
  ASSERT_EQ(Lines.size(), 20);
  EXPECT_EQ(Lines[11], "2/7");
  EXPECT_EQ(Lines[12], "");
  std::array<Extended, 13> Saved = VarValues;

  for (int k = 1; k <= 10; ++k) {
    VarValues[static_cast<size_t>(k)] = 99;
    VarExprs[static_cast<size_t>(k)] = "99";
  }
  Dialogs.AnswerFile(Path("a.VAR"));
  Page().LoadClick();
  for (int k = 1; k <= 10; ++k) {
    EXPECT_EQ(VarValues[static_cast<size_t>(k)], Saved[static_cast<size_t>(k)]) << k;
    EXPECT_EQ(Expr(k)->text(), k % 3 == 0 ? QString() : QString("%1/7").arg(k));
  }

  // A value line that cannot be read: nothing changes.
  Lines[4] = "abc";
  ASSERT_TRUE(WriteTextLines(Path("bad.VAR"), Lines));
  VarValues[5] = 42;
  Dialogs.AnswerFile(Path("bad.VAR"));
  Page().LoadClick();
  EXPECT_EQ(Dialogs.Messages().last(), "Can't open file " + Path("bad.VAR") + ": line 5");
  EXPECT_EQ(Letter(5), 42);

  // Cancelling the open dialog does nothing at all.
  Expr(varX)->setText("123");
  Dialogs.AnswerCancel();
  Page().LoadClick();
  EXPECT_EQ(Letter(5), 42);
  EXPECT_EQ(Expr(varX)->text(), "123");

  // A file with the value lines only gives empty texts.
  ASSERT_TRUE(WriteTextLines(Path("short.VAR"), Lines.mid(0, 10).replaceInStrings("abc", "1")));
  QList<int> Bad;
  std::array<Extended, PageLetterCount> Values{};
  std::array<std::string, PageLetterCount> Texts;
  ASSERT_TRUE(ReadTextLines(Path("short.VAR"), Lines));
  EXPECT_TRUE(TVariablesPage::ParseVarFile(Lines, Values, Texts, Bad));
  EXPECT_EQ(Texts[0], "");
  EXPECT_FALSE(TVariablesPage::ParseVarFile(Lines.mid(0, 3), Values, Texts, Bad));
  EXPECT_EQ(Bad.size(), 7);
}

}  // namespace
