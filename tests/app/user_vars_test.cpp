// The user-variable model, its page and its *.USR files.
#include <QFile>
#include <QListWidget>

#include "app/calc/user_vars_page.h"
#include "pages_test_support.h"
#include "platform/text_file.h"

namespace {

class UserVarsTest : public PagesTest {
 protected:
  TUserVarsPage& Page() { return *Pages->UserVars; }
  TUserVarModel& Model() { return Page().Model(); }
  QStringList ListLines() {
    QStringList L;
    for (int I = 0; I < Page().lbVars->count(); ++I) L << Page().lbVars->item(I)->text();
    return L;
  }
  bool Add(const QString& Name, const QString& Expr) {
    Page().edName->setText(Name);
    Page().edValue->setText(Expr);
    const int Before = static_cast<int>(Dialogs.Requests.size());
    Page().btAddClick();
    return static_cast<int>(Dialogs.Requests.size()) == Before;
  }
  void WriteLines(const QString& Name, const QStringList& Lines) {
    ASSERT_TRUE(WriteTextLines(Path(Name), Lines));
  }
};

TEST_F(UserVarsTest, AddModifyDeleteActOnTheVariableShown) {
  ASSERT_TRUE(Add("a", "2*3"));
  ASSERT_TRUE(Add("b", "1"));
  ASSERT_TRUE(Add("c", "5"));
  EXPECT_EQ(ListLines(), QStringList({"c = 5.0E+0", "b = 1.0E+0", "a = 6.0E+0"}));
  const int IdA = Model().Item(2).Id;

  // The same name again changes its line and value in place, its id stays.
  ASSERT_TRUE(Add("a", "7"));
  EXPECT_EQ(ListLines(), QStringList({"c = 5.0E+0", "b = 1.0E+0", "a = 7.0E+0"}));
  EXPECT_EQ(Model().Item(2).Id, IdA);

  // A double click fills the fields from the line chosen.
  Page().lbVarsDblClick(1);
  EXPECT_EQ(Page().edName->text(), "b");
  // A name the engine made (with a digit) comes over whole, so Modify finds it.
  Pages->AddUserVariable("q2", true, 1);
  Page().lbVarsDblClick(0);
  EXPECT_EQ(Page().edName->text(), "q2");
  ASSERT_TRUE(Add("q2", "3"));
  EXPECT_EQ(Model().Item(0).Value, 3);
  Page().lbVars->setCurrentRow(0);
  Page().btDeleteClick();
  Page().lbVarsDblClick(1);
  EXPECT_EQ(Page().edValue->text(), "1.0E+0");

  // Deleting the line chosen deletes that variable, and a new one gets an id of its own.
  Page().lbVars->setCurrentRow(1);
  Page().btDeleteClick();
  EXPECT_EQ(ListLines(), QStringList({"c = 5.0E+0", "a = 7.0E+0"}));
  ASSERT_TRUE(Add("d", "4"));
  std::set<int> Ids;
  for (const TUserVarRecord& R : Model().Items()) Ids.insert(R.Id);
  EXPECT_EQ(Ids.size(), 3u);

  // Engine's copy follows the model.
  ASSERT_EQ(UserVariables.size(), 3u);
  EXPECT_EQ(UserVariables[0].Name, "d");

  // Errors: empty fields, a failing expression.
  EXPECT_FALSE(Add("", "1"));
  EXPECT_EQ(Dialogs.Messages().last(), "Varible name or value invalid!");
  EXPECT_FALSE(Add("e", "1/0"));
  EXPECT_TRUE(Dialogs.Messages().last().startsWith("Division by zero: position"));
  EXPECT_EQ(Model().IndexOf("e"), -1);
  EXPECT_FALSE(EngineState.ErrFlag);
}

TEST_F(UserVarsTest, LongNamesAreCutAndNeverDuplicated) {
  const QString Long = "abcdefghijklmnopqrstuvwxyz";
  ASSERT_TRUE(Add(Long, "1"));
  ASSERT_TRUE(Add(Long, "2"));
  ASSERT_EQ(Model().Count(), 1);
  EXPECT_EQ(Model().Item(0).Name, "abcdefghijklmnopqrst");
  EXPECT_EQ(ListLines(), QStringList({"abcdefghijklmnopqrst = 2.0E+0"}));

  // A digit typed into the name disappears, the letters around it stay.
  Page().edName->setText("ab");
  Page().edName->setCursorPosition(1);
  Page().edName->insert("1");
  EXPECT_EQ(Page().edName->text(), "ab");
  EXPECT_EQ(Page().edName->cursorPosition(), 1);
}

TEST_F(UserVarsTest, EngineAssignmentsCreateVariables) {
  EngineState.ExprStr = "(a1=5)+1";
  EXPECT_EQ(Evaluate(EngineState.ExprStr), 6);
  ASSERT_FALSE(EngineState.ErrFlag);
  EXPECT_EQ(ListLines(), QStringList({"a1 = 5.0E+0"}));
  EngineState.ExprStr = "a1*2";
  EXPECT_EQ(Evaluate(EngineState.ExprStr), 10);
}

TEST_F(UserVarsTest, FilesKeepFullPrecisionInEveryDisplayMode) {
  const Extended Values[] = {1.0L / 3, -2.5e-300L, 12345678901234567890.0L, 0.1L, -0.0L};
  const char* const Names[] = {"third", "tiny", "big", "tenth", "zero"};
  for (int I = 0; I < 5; ++I) Pages->AddUserVariable(Names[I], true, Values[I]);
  Host.VarFile = Path("Numyx.USR");
  struct TMode {
    std::uint8_t Radix, Display;
  };
  for (const TMode M :
       {TMode{0, 0}, TMode{0, 1}, TMode{0, 2}, TMode{0, 3}, TMode{1, 0}, TMode{2, 0}}) {
    SelectRadix(M.Radix);
    EngineSettings.DisplayMode = M.Display;
    Page().btSaveClick();
    TUserVarModel Loaded;
    TFileStatus Status;
    std::vector<TFileLineProblem> Problems;
    ASSERT_TRUE(Loaded.LoadFile(Host.VarFile, Status, Problems)) << Status.Text().toStdString();
    ASSERT_EQ(Loaded.Count(), 5);
    for (int I = 0; I < 5; ++I) {
      EXPECT_EQ(Loaded.Item(I).Name, Model().Item(I).Name);
      EXPECT_EQ(Loaded.Item(I).Value, Model().Item(I).Value) << int(M.Radix) << int(M.Display);
    }
  }
  SelectRadix(0);
  EngineSettings.DisplayMode = 0;
  QStringList Lines;
  ASSERT_TRUE(ReadTextLines(Host.VarFile, Lines));
  EXPECT_EQ(Lines.last(), "third = 0.33333333333333333334");
  EXPECT_FALSE(EngineState.ErrFlag);
}

TEST_F(UserVarsTest, LoadKeepsTheFileOrderAndAFailedLoadChangesNothing) {
  WriteLines("good.USR", {"x1 = 1.5", "", "  y2=  -2E3 ", "x1 = 4"});
  ASSERT_TRUE(Page().LoadUserVariables(Path("good.USR")));
  EXPECT_EQ(ListLines(), QStringList({"x1 = 4.0E+0", "y2 = -2.0E+3"}));
  // Ids as the engine finds them: index = count - 1 - (id - 1000).
  EXPECT_EQ(Model().Item(0).Id, 1001);
  EXPECT_EQ(Model().Item(1).Id, 1000);

  WriteLines("bad.USR", {"p = 1", "no equals sign", "q = $1F", "r = 3"});
  EXPECT_FALSE(Page().LoadUserVariables(Path("bad.USR")));
  EXPECT_EQ(Dialogs.Messages().last(), "Can't read file " + Path("bad.USR") + ": line 2, 3");
  EXPECT_EQ(ListLines(), QStringList({"x1 = 4.0E+0", "y2 = -2.0E+3"}));

  // Saving over the file that could not be read is refused; Save As elsewhere works.
  Host.VarFile = Path("bad.USR");
  Page().btSaveClick();
  QStringList Lines;
  ASSERT_TRUE(ReadTextLines(Path("bad.USR"), Lines));
  EXPECT_EQ(Lines.size(), 4);
  EXPECT_TRUE(Dialogs.Messages().last().startsWith("Can't create file "));
  Dialogs.AnswerFile(Path("other.USR"));
  Page().btSaveAsClick();
  EXPECT_EQ(Host.VarFile, Path("other.USR"));
  ASSERT_TRUE(ReadTextLines(Path("other.USR"), Lines));
  EXPECT_EQ(Lines, QStringList({"x1 = 4", "y2 = -2000"}));

  EXPECT_FALSE(Page().LoadUserVariables(Path("missing.USR"), true));
  EXPECT_EQ(Dialogs.Messages().size(), 2);
  EXPECT_EQ(Model().Count(), 2);
}

}  // namespace
