#include <cmath>
#include <string>

#include "tests/engine/procedures_test_support.h"

namespace {

class Variables : public ProceduresTest {};
class IfForm : public ProceduresTest {};
class ForLoopForm : public ProceduresTest {};

TEST_F(Variables, UpperCaseAssignmentReadsInPlace) {
  EXPECT_VALUE("(X=3)+X", 6);
  EXPECT_EQ(VarExprs[varX], "3");
  // The new value is computed from the old one and stored only when the expression succeeds.
  SetLetter(varX, 5);
  EXPECT_VALUE("(X=1+2*X)", 11);
  EXPECT_EQ(Eval("(X=1/0)").Code, errDivisionByZero);
  EXPECT_EQ(Letter(varX), 11);
  EXPECT_EQ(VarExprs[varX], "1+2*X");
  EXPECT_ERROR("X=3", errMissingOpen, 2, 1);
  EXPECT_ERROR("2*(X=3", errInterval, 6, 1);
  EXPECT_EQ(Letter(varX), 11);
}

TEST_F(Variables, LowerCaseAssignmentIsCutOut) {
  EXPECT_VALUE("(y=2+3)*y", 25);
  EXPECT_EQ(Letter(2), 5);
  EXPECT_EQ(VarExprs[2], "2+3");
  EXPECT_VALUE("Y", 5);  // the same slot
  EXPECT_ERROR("(y=1/0)", errDivisionByZero, 6, 1);
  EXPECT_EQ(Letter(2), 5);
  EXPECT_ERROR("(y=)", errSyntax, 4, 1);
  EXPECT_ERROR("2+y=1", errMissingOpen, 4, 1);
}

TEST_F(Variables, AssignmentLogKeepsPairs) {
  SetLetter(varK, 2);
  EXPECT_VALUE("(X=3)+K*X", 9);
  ASSERT_EQ(AssignmentLog.Count(), 3u);
  EXPECT_EQ(AssignmentLog.Name(0), "X");
  EXPECT_EQ(AssignmentLog.Name(1), "K");
  EXPECT_EQ(AssignmentLog.Value(1).substr(0, 3), "2.0");
  // A radix that cannot show the value does not disturb the evaluation.
  SelectRadix(1);
  SetLetter(varK, 0.5);
  EXPECT_VALUE("K", 0.5);
  EXPECT_FALSE(AssignmentLog.Value(AssignmentLog.Count() - 1).empty());
  // A long loop does not make the log grow without end.
  SelectRadix(0);
  SetLetter(varJ, 1);
  SetLetter(varK, 5000);
  SetLetter(varM, 1);
  EXPECT_VALUE("forJtoKstepMdo(J)", 5000);
  EXPECT_EQ(AssignmentLog.Count(), TAssignmentLog::MaxEntries);
}

TEST_F(Variables, UndefinedLetterAsksOrEvaluatesItsDefinition) {
  EXPECT_ERROR("2*Z", errUserBreak, 3, 1);
  ASSERT_EQ(Host.Dialogs.size(), 1u);
  EXPECT_EQ(Host.Dialogs[0], 3);

  Host.DialogTexts[3] = "4";
  EXPECT_VALUE("2*Z", 8);
  EXPECT_EQ(VarExprs[3], "4");

  VarExprs[varK] = "2*3";
  EXPECT_VALUE("K+1", 7);
  EXPECT_EQ(Letter(varK), 6);

  // A definition that fails makes the reading fail instead of using the placeholder value.
  VarExprs[varM] = "1/0";
  EXPECT_ERROR("1+M", errDivisionByZero, 3, 1);
  EXPECT_EQ(Letter(varM), UndefinedValue);
}

TEST_F(Variables, RecursiveDefinitionsAreStackOverflow) {
  VarExprs[5] = "I+1";  // W
  VarExprs[6] = "W*2";  // I
  EXPECT_ERROR("W", errStackOverflow, 1, 1);
  VarExprs[varN] = "N";
  EXPECT_ERROR("3+N", errStackOverflow, 3, 1);
  // A dialog whose text reads its own undefined letter cannot recurse either.
  Host.DialogTexts[4] = "V+1";
  EXPECT_TRUE(Eval("V").Failed);
  EXPECT_EQ(Host.Dialogs.size(), 1u);
}

TEST_F(Variables, UserVariables) {
  EXPECT_ERROR("a1*2", errSyntax, 1, 2);
  EXPECT_VALUE("(a1=5)", 5);
  EXPECT_VALUE("a1*2", 10);
  EXPECT_VALUE("(a1=a1+1)*2", 12);
  ASSERT_EQ(UserVariables.size(), 1u);
  EXPECT_EQ(UserVariables[0].Value, 6);
  EXPECT_EQ(UserVariables[0].Id, idFirstUserVariable);
  // A failing assignment marks it from the name on and creates nothing.
  const TEvalResult r = Eval("(b=1/0)");
  EXPECT_TRUE(r.Failed);
  EXPECT_EQ(r.Pos, 2);
  EXPECT_EQ(FindUserVariable("b"), 0);
  EXPECT_TRUE(Eval("(b=2").Failed);
  EXPECT_EQ(FindUserVariable("b"), 0);
  // Long names are logged whole beside the one-letter ones.
  VarValues[varX] = 2;
  AssignmentLog.Clear();
  EXPECT_VALUE("(a1=a1+1)*X", 14);
  ASSERT_EQ(AssignmentLog.Count(), 3u);
  EXPECT_EQ(AssignmentLog.Name(0), "a1");
  EXPECT_EQ(AssignmentLog.Name(1), "a1");
  EXPECT_EQ(AssignmentLog.Number(1), 7);
  EXPECT_EQ(AssignmentLog.Name(2), "X");
  AssignmentLog.Truncate(1);
  EXPECT_EQ(AssignmentLog.Name(0), "a1");
  EXPECT_EQ(AssignmentLog.Name(1), "");
}

TEST_F(IfForm, ComparisonsAndBranches) {
  EXPECT_VALUE("if(2>>1)then(10)else(20)", 10);
  EXPECT_VALUE("if(1>>2)then(10)else(20)", 20);
  EXPECT_VALUE("if(2>=2)then(1)else(0)", 1);
  EXPECT_VALUE("if(1<<2)then(1)else(0)", 1);
  EXPECT_VALUE("if(3<=2)then(1)else(0)", 0);
  EXPECT_VALUE("if(3<>2)then(1)else(0)", 1);
  EXPECT_VALUE("if(1+1==2)THEN(3*4)Else(0)", 12);
  // The untaken branch is cut but never read.
  EXPECT_VALUE("if(1==1)then(5)else(nosuchname)", 5);
  // Comparisons and commas inside a branch need their own parentheses; nested forms are whole.
  EXPECT_VALUE("if(1==1)then(if(2<<3)then(7)else(8))else(0)", 7);
  EXPECT_VALUE("if((1+2)==3)then((2))else(0)", 2);
}

TEST_F(IfForm, ConsumesExactlyItsOwnParentheses) {
  EXPECT_VALUE("sin(if(1==1)then(1)else(0))*2", 2 * std::sin(1.0L));
  EXPECT_VALUE("(if(1==1)then(2)else(3))+1", 3);
  EXPECT_VALUE("if(1==1)then(2)else(3)^2+1", 5);
  EXPECT_CLOSE(Value("max(0,1,if(X<<0.5)then(X)else(1-X))"), 0.5L, 1e-15L);
}

TEST_F(IfForm, MalformedFormsAreSyntaxErrors) {
  for (const char* t : {"if(2>1)then(10)else(20)", "if(1==1)then(5)", "if(1==1)than(5)else(6)",
                        "if(1==1)then(5)else(6", "if(1==1", "if(==1)then(1)else(2)",
                        "if(1==1)then(1,2)else(3)", "if(1==1)then(1)else(2)3"}) {
    const TEvalResult r = Eval(t);
    EXPECT_TRUE(r.Failed) << t;
    EXPECT_EQ(r.Code, errSyntax) << t;
    EXPECT_EQ(EngineState.CurChar, EndChar) << t;
  }
  // An error in the chosen branch is marked in the full text.
  EXPECT_ERROR("if(1==1)then(1/0)else(2)", errDivisionByZero, 16, 1);
  EXPECT_EQ(IfLeft, 1);
}

TEST_F(ForLoopForm, RunsFromJToKAndRestoresJ) {
  SetLetter(varJ, 1);
  SetLetter(varK, 3);
  SetLetter(varM, 1);
  EngineState.Ans = 0;
  EXPECT_VALUE("forJtoKstepMdo(?+J)", 6);
  EXPECT_EQ(Letter(varJ), 1);
  EXPECT_EQ(EngineState.Ans, 6);
  EXPECT_VALUE("forJtoKstepMdo(J)*2", 6);
  SetLetter(varK, 0);  // the body runs once even when J is past K
  EXPECT_VALUE("forJtoKstepMdo(J+10)", 11);
}

TEST_F(ForLoopForm, LoopsThatCannotEndRunUntilTheUserBreaks) {
  SetLetter(varJ, 1);
  SetLetter(varK, 3);
  // Each loop runs until the Stop button is pressed at the pass given, and the user confirms.
  struct TCase {
    Extended Step;
    const char* Text;
    Extended Passes;  // the value of ? when the loop is broken
  };
  for (const TCase& c :
       {TCase{0, "forJtoKstepMdo(?+1)", 41}, TCase{-1, "forJtoKstepMdo(?+1)", 41},
        TCase{1E-30L, "forJtoKstepMdo(?+1)", 41}, TCase{1, "forJtoKstepMdo((J=0))", 0}}) {
    SetLetter(varM, c.Step);
    EngineSettings.BreakRequested = false;
    EngineState.Ans = 0;
    Host.Pumps = 0;
    Host.Questions = 0;
    Host.StopAtPump = 40;
    Host.BreakAnswers = {false, true};
    const TEvalResult r = Eval(c.Text);
    EXPECT_TRUE(r.Failed) << c.Text;
    EXPECT_EQ(r.Code, errUserBreak) << c.Text;
    EXPECT_EQ(Host.Pumps, 41) << c.Text;
    EXPECT_EQ(Host.Questions, 2) << c.Text;
    EXPECT_EQ(Letter(varJ), 1) << c.Text;
    EXPECT_EQ(EngineState.Ans, c.Passes) << c.Text;
  }
}

TEST_F(ForLoopForm, AsksForUndefinedLoopVariables) {
  EXPECT_EQ(Eval("forJtoKstepMdo(1)").Code, errUserBreak);
  Host.DialogTexts = {{varJ, "1"}, {varK, "4"}, {varM, "2"}};
  Host.Dialogs.clear();
  EXPECT_VALUE("forJtoKstepMdo(J)", 3);
  EXPECT_EQ(Host.Dialogs, (std::vector<int>{varJ, varK, varM}));
}

TEST_F(ForLoopForm, BreakAsksAndNoLetsTheLoopRunOn) {
  SetLetter(varJ, 1);
  SetLetter(varK, 1000);
  SetLetter(varM, 1);
  Host.StopAtPump = 3;
  Host.BreakAnswers = {false, false, true};
  const TEvalResult r = Eval("forJtoKstepMdo(J)");
  EXPECT_TRUE(r.Failed);
  EXPECT_EQ(r.Code, errUserBreak);
  EXPECT_EQ(Host.Questions, 3);
  EXPECT_EQ(Host.Pumps, 5);
  EXPECT_EQ(Letter(varJ), 1);
}

}  // namespace
