// The user functions' page over the engine's library, and the *.FNC files.
#include <QDir>
#include <QListWidget>

#include "app/calc/user_funcs_page.h"
#include "app/common/engine_text.h"
#include "pages_test_support.h"
#include "platform/text_file.h"
#include "widgets/text_list_box.h"

namespace {

class UserFuncsPageTest : public PagesTest {
 protected:
  TUserFuncsPage& Page() { return *Pages->UserFuncs; }
  QStringList ListLines() {
    QStringList L;
    for (int I = 0; I < Page().lbFuncs->count(); ++I) L << Page().lbFuncs->item(I)->text();
    return L;
  }
  Extended Eval(const std::string& Text) {
    EngineState.ErrFlag = false;
    EngineState.ExprStr = Text;
    return Evaluate(Text);
  }
};

TEST_F(UserFuncsPageTest, FilesKeepCommentsAndUnreadableLines) {
  const QStringList File = {"; my library", "f(x) = x^2 ;square", "",
                            "h(a,a)=a",     "g(a,b)=a+b",         "k(a,b)=a"};
  ASSERT_TRUE(WriteTextLines(Path("lib.FNC"), File));
  Host.FuncFile = Path("lib.FNC");
  ASSERT_TRUE(Page().LoadUserFunctions(Path("lib.FNC")));
  EXPECT_EQ(ListLines(), File);  // the blank line too, so that saving keeps it
  // The bad lines are reported with their numbers; the functions after them still work.
  ASSERT_FALSE(Dialogs.Messages().isEmpty());
  EXPECT_TRUE(Dialogs.Messages().last().contains("line 4: Dublicate parametrs (a,a)"));
  EXPECT_TRUE(Dialogs.Messages().last().contains("line 6: Parametr missing k(a,b)=a"));
  EXPECT_EQ(Eval("g(1,2)"), 3);
  EXPECT_EQ(Eval("f(3)"), 9);

  // Saving writes every line back, the unreadable ones included.
  Page().btFuncSaveClick();
  QStringList Saved;
  ASSERT_TRUE(ReadTextLines(Path("lib.FNC"), Saved));
  EXPECT_EQ(Saved, ListLines());

  // A file that cannot be read changes nothing, and is not overwritten later.
  EXPECT_FALSE(Page().LoadUserFunctions(Path("missing.FNC")));
  EXPECT_EQ(Dialogs.Messages().last(), "Can't read file " + Path("missing.FNC"));
  EXPECT_EQ(ListLines().size(), 6);
  EXPECT_EQ(Eval("g(2,2)"), 4);
  ASSERT_TRUE(QDir().mkdir(Path("dir.FNC")));
  EXPECT_FALSE(Page().LoadUserFunctions(Path("dir.FNC"), true));
  Host.FuncFile = Path("dir.FNC");
  Page().btFuncSaveClick();
  EXPECT_TRUE(Dialogs.Messages().last().startsWith("Can't create file " + Path("dir.FNC") + ":"));
}

TEST_F(UserFuncsPageTest, AddModifyDeleteKeepListAndEngineInStep) {
  Page().edFuncName->setText("f(x)");
  Page().edFuncExpres->setText("x*2 ;double");
  Page().btFuncAddClick();
  Page().edFuncName->setText("g(y)");
  Page().edFuncExpres->setText("y+1");
  Page().btFuncAddClick();
  EXPECT_EQ(ListLines(), QStringList({"g(y) = y+1", "f(x) = x*2 ;double"}));

  // A click copies the whole definition, however long, comment included.
  const QString Long = "x" + QString("+x").repeated(200) + " ;long comment";
  Page().edFuncName->setText("f(x)");
  Page().edFuncExpres->setText(Long);
  Page().btFuncAddClick();
  EXPECT_EQ(ListLines().size(), 2);
  EXPECT_EQ(ListLines()[0], "f(x) = " + Long);
  Page().lbFuncsClick(0);
  EXPECT_EQ(Page().edFuncName->text(), "f(x)");
  EXPECT_EQ(Page().edFuncExpres->text(), Long);
  EXPECT_EQ(Eval("f(1)"), 201);
  // A body longer than any expansion of a runaway recursion still runs.
  HoldWholeTexts(&Page());  // as the main window has its fields
  Page().edFuncName->setText("long(x)");
  Page().edFuncExpres->setText(QString("1+").repeated(33000) + "x");
  Page().btFuncAddClick();
  EXPECT_EQ(Eval("long(2)"), 33002);
  EXPECT_FALSE(EngineState.ErrFlag);
  Page().lbFuncs->setCurrentRow(0);
  Page().btFuncDeleteClick();

  // A refused definition changes nothing.
  Page().edFuncName->setText("m()");
  Page().edFuncExpres->setText("1");
  Page().btFuncAddClick();
  EXPECT_EQ(Dialogs.Messages().last(), "Invalid user function m() = 1");
  EXPECT_EQ(ListLines().size(), 2);

  // Delete removes the function of the line chosen.
  Page().lbFuncs->setCurrentRow(1);
  Page().btFuncDeleteClick();
  EXPECT_EQ(ListLines(), QStringList({"f(x) = " + Long}));
  Eval("g(1)");
  EXPECT_TRUE(EngineState.ErrFlag);

  // Characters other than letters, parentheses and commas leave the name field.
  Page().edFuncName->clear();
  Page().edFuncName->insert("h(a1,b)");
  EXPECT_EQ(Page().edFuncName->text(), "h(a,b)");

  Dialogs.AnswerFile(Path("new.FNC"));
  Page().btFuncSaveAsClick();
  EXPECT_EQ(Host.FuncFile, Path("new.FNC"));
  QStringList Saved;
  ASSERT_TRUE(ReadTextLines(Path("new.FNC"), Saved));
  EXPECT_EQ(Saved, ListLines());
}

}  // namespace
