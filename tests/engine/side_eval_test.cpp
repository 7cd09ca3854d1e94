// Evaluating a text on the side: the input line's parenthesis check, the error span on the typed
// text, what comes back afterwards, and the refusals while another evaluation runs or pumps.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <string>

#include "engine/complex_eval.h"
#include "engine/engine_busy.h"
#include "engine/engine_host.h"
#include "engine/format.h"
#include "engine/formula_tape.h"
#include "engine/numeric_procedures.h"
#include "engine/parser.h"
#include "engine/side_eval.h"
#include "engine/variables.h"

namespace {

// A host that runs a piece of the test at every pump and answers the engine's request for an
// undefined letter by evaluating its definition on the side, as the Variables page does.
class TPumpingHost : public TEngineHost {
 public:
  std::function<void()> AtPump;
  int Pumps = 0;
  void PumpMessages() override {
    ++Pumps;
    if (AtPump) AtPump();
  }
  bool EvaluateVariable(int k) override {
    TSideEvaluation Side(TSideMode::Nested);
    const TSideResult R = Side.Evaluate(VarExprs[static_cast<size_t>(k)]);
    if (!R.Ok) return false;
    VarValues[static_cast<size_t>(k)] = R.Value;
    return true;
  }
};

class SideEvaluationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EngineInitialize();
    EngineState = TEngineState{};
    EngineSettings = TEngineSettings{};
    SelectRadix(0);
    VarValues.fill(UndefinedValue);
    for (auto& T : VarExprs) T.clear();
    SetEngineHost(&Host);
  }
  void TearDown() override {
    SetEngineHost(nullptr);
    SetEngineIdleHook(nullptr);
  }
  // A loop of N passes that counts them in ?.
  static void SetLoop(int N) {
    VarValues[varJ] = 1;
    VarValues[varK] = N;
    VarValues[varM] = 1;
  }
  TPumpingHost Host;
};

int Idles = 0;
void CountIdle() { ++Idles; }

}  // namespace

TEST(SideEvaluationText, ParenthesesAreCheckedAsOnTheInputLine) {
  int Code = -1, Pos = -1;
  EXPECT_TRUE(CheckParentheses("(1+2)*(3)", Code, Pos));
  EXPECT_TRUE(CheckParentheses("", Code, Pos));
  EXPECT_FALSE(CheckParentheses("(1+2", Code, Pos));
  EXPECT_EQ(Code, errMissingClose);
  EXPECT_EQ(Pos, 4);
  EXPECT_FALSE(CheckParentheses("1+2)", Code, Pos));
  EXPECT_EQ(Code, errTooManyClose);
  EXPECT_EQ(Pos, 4);
  EXPECT_FALSE(CheckParentheses(")1+(2", Code, Pos));
  EXPECT_EQ(Code, errSyntax);
  EXPECT_EQ(Pos, 1);
  EXPECT_FALSE(CheckParentheses("(1))+((2)", Code, Pos));  // balanced, but ")" comes too early
  EXPECT_EQ(Code, errSyntax);
  EXPECT_EQ(Pos, 4);

  // The span found in "1+(2*3" (its last character) lies on the typed text's last character.
  int P = 6, L = 1;
  MapErrorSpan("1 + (2 * 3", "1+(2*3", P, L);
  EXPECT_EQ(P, 10);
  EXPECT_EQ(L, 1);
  P = 3, L = 3;  // "(2*" spans the blanks inside it
  MapErrorSpan("1 + (2 * 3", "1+(2*3", P, L);
  EXPECT_EQ(P, 5);
  EXPECT_EQ(L, 4);
  EXPECT_EQ(StripBlanks(" a b  c "), "abc");
}

TEST_F(SideEvaluationTest, StartPutsBackWhatTheWindowKeeps) {
  EngineState.ExprStr = "2+2";
  EngineState.ErrFlag = true;
  EngineState.ErrCode = errDivisionByZero;
  EngineState.ErrPos = 3;
  EngineState.ErrLen = 2;
  EngineState.Ans = 7;
  EngineSettings.BreakRequested = true;  // a Stop pressed while nothing ran
  IfLeft = 11;
  SetLoop(5);
  {
    TSideEvaluation Side;
    ASSERT_TRUE(Side.Started());
    EXPECT_TRUE(EngineBusy());
    // The loop writes ? at every pass; each text still starts from the window's ?.
    TSideResult R = Side.Evaluate("for J to K step M do(?+1)");
    ASSERT_TRUE(R.Ok) << R.Message;
    EXPECT_EQ(R.Value, 12);
    EXPECT_EQ(Side.Prepared(), "forJtoKstepMdo(?+1)");
    R = Side.Evaluate("? * 2");
    EXPECT_EQ(R.Value, 14);
    R = Side.Evaluate("if(1==1)then(3)else(4)");
    EXPECT_EQ(R.Value, 3);

    // Errors are reported on the typed text and stay out of the window's report.
    R = Side.Evaluate("1 + 2 / 0");
    EXPECT_FALSE(R.Ok);
    EXPECT_EQ(R.ErrCode, errDivisionByZero);
    EXPECT_EQ(R.ErrPos, 9);
    EXPECT_EQ(R.Message, "Division by zero: position 9");
    R = Side.Evaluate("sin(1 + 2");
    EXPECT_EQ(R.ErrCode, errMissingClose);
    EXPECT_EQ(R.ErrPos, 9);
    R = Side.Evaluate("   ");
    EXPECT_TRUE(R.Empty);
    EXPECT_FALSE(R.Ok);
  }
  EXPECT_FALSE(EngineBusy());
  EXPECT_EQ(EngineState.ExprStr, "2+2");
  EXPECT_TRUE(EngineState.ErrFlag);
  EXPECT_EQ(EngineState.ErrCode, errDivisionByZero);
  EXPECT_EQ(EngineState.ErrPos, 3);
  EXPECT_EQ(EngineState.ErrLen, 2);
  EXPECT_EQ(EngineState.Ans, 7);
  EXPECT_EQ(IfLeft, 11);
  EXPECT_FALSE(EngineSettings.BreakRequested);
}

// What the window system does while an evaluation pumps may start no evaluation: neither one of
// its own nor one that claims to belong to the running one.
TEST_F(SideEvaluationTest, NothingStartsWhileAnEvaluationPumps) {
  SetLoop(50);
  int Tries = 0;
  bool AllRefused = true;
  Host.AtPump = [&] {
    ++Tries;
    EXPECT_TRUE(EngineBusy());
    EXPECT_TRUE(EnginePumping());
    TSideEvaluation Own;
    TSideEvaluation Claimed(TSideMode::Nested);
    const TSideResult R = Own.Evaluate("2+2");
    AllRefused = AllRefused && !Own.Started() && !Claimed.Started() && R.Refused &&
                 Claimed.Evaluate("2+2").Refused;
  };
  TSideEvaluation Side;
  const TSideResult R = Side.Evaluate("for J to K step M do(?+1)");
  ASSERT_TRUE(R.Ok) << R.Message;
  EXPECT_EQ(R.Value, 50);
  EXPECT_EQ(Tries, 50);
  EXPECT_TRUE(AllRefused);
  EXPECT_FALSE(EnginePumping());
}

// A letter read while undefined is evaluated from its definition inside the running evaluation;
// its failure stays raised for the evaluation that asked, which then fails with that code.
TEST_F(SideEvaluationTest, NestedTextsBelongToTheEvaluationThatAskedForThem) {
  SetLoop(30);
  VarExprs[1] = "for J to K step M do(?+1)";  // X
  VarExprs[2] = "1/0";                        // Y
  EngineState.Ans = 100;
  {
    TSideEvaluation Side;
    TSideResult R = Side.Evaluate("X + 1");
    ASSERT_TRUE(R.Ok) << R.Message;
    // The definition's loop counted from the window's ? (shared with the evaluation that asked).
    EXPECT_EQ(VarValues[1], 130);
    EXPECT_EQ(R.Value, 131);
    R = Side.Evaluate("Y + 1");
    EXPECT_FALSE(R.Ok);
    EXPECT_EQ(R.ErrCode, errDivisionByZero);
    EXPECT_EQ(R.ErrPos, 1);  // marked on the letter
  }
  EXPECT_EQ(EngineState.Ans, 100);
  EXPECT_EQ(VarValues[2], UndefinedValue);

  // Nothing of the window's can start while another evaluation holds the engine.
  {
    const TEngineBusyGuard Other;
    TSideEvaluation Side;
    EXPECT_FALSE(Side.Started());
    TSideResult Error;
    EXPECT_FALSE(Side.Prepare("1", Error));
    EXPECT_TRUE(Error.Refused);
  }
}

// A plot prepares its formula once and evaluates it at every point; the replay of the recorded
// reading serves the points, and the session leaves the window's state as it found it.
TEST_F(SideEvaluationTest, ATabulationEvaluatesOnePreparedTextAtManyPoints) {
  SetEngineIdleHook(&CountIdle);
  Idles = 0;
  EngineState.ExprStr = "1+1";
  const std::uint64_t Before = ReplayCount();
  {
    TSideEvaluation Plot;
    TSideResult Error;
    ASSERT_TRUE(Plot.Prepare("sin(X) * Y + X ^ 2", Error));
    for (int i = 0; i < 200; ++i) {
      VarValues[1] = i / 10.0L;
      VarValues[2] = 2;
      const TSideResult R = Plot.EvaluatePrepared();
      ASSERT_TRUE(R.Ok) << R.Message;
      EXPECT_NEAR(static_cast<double>(R.Value), std::sin(i / 10.0) * 2 + (i / 10.0) * (i / 10.0),
                  1e-12);
    }
    VarValues[1] = UndefinedValue;  // an undefined letter ends the plot with the reader's error
    EXPECT_FALSE(Plot.EvaluatePrepared().Ok);
    EXPECT_EQ(Idles, 0);
  }
  EXPECT_GE(ReplayCount() - Before, 190u);
  EXPECT_EQ(Idles, 1);  // once, when the session let go of the engine
  EXPECT_EQ(EngineState.ExprStr, "1+1");
  TSideResult Error;
  TSideEvaluation Bad;
  EXPECT_FALSE(Bad.Prepare("(X", Error));
  EXPECT_EQ(Error.ErrCode, errMissingClose);
  EXPECT_FALSE(Bad.EvaluatePrepared().Ok);
}

// A plot's points given as doubles give what the letters set one by one give, to the last bit,
// with the same log; past the first failure a point that fails is only reported as failed, while
// an undefined letter is still asked for.
TEST_F(SideEvaluationTest, APlotsPointsGiveTheReadersValuesAndFailQuietlyWhenAsked) {
  const char* Texts[] = {"X^3-2*X^2+X-1", "(X^2/sin(2*pi/Y))-X/2", "sqrt(1-sin(2.2*X)+Y)",
                         "exp(-X^2/2)/sqrt(2*pi)+K", "ln(X)*Y-X/Y"};
  VarValues[varK] = 3;
  for (const char* Text : Texts) {
    TSideEvaluation Plot;
    TSideResult Error;
    ASSERT_TRUE(Plot.Prepare(Text, Error));
    bool Recorded = false;
    for (int i = 0; i < 60; ++i) {
      const double X = -3 + 0.1 * i, Y = i % 7 - 2.5;
      VarValues[varX] = X;
      VarValues[varX + 1] = Y;
      const TSideResult Set = Plot.EvaluatePrepared();
      const std::string Log = AssignmentLog.Count() ? AssignmentLog.Name(0) : "";
      const size_t Count = AssignmentLog.Count();
      VarValues[varX] = UndefinedValue;
      VarValues[varX + 1] = UndefinedValue;
      const TSideResult At = Plot.EvaluatePreparedAt(X, Y);
      ASSERT_EQ(At.Ok, Set.Ok) << Text << " at " << X;
      if (Set.Ok) {
        EXPECT_EQ(std::memcmp(&At.Value, &Set.Value, 10), 0) << Text << " at " << X;
      }
      EXPECT_EQ(At.ErrCode, Set.ErrCode);
      EXPECT_EQ(At.ErrPos, Set.ErrPos);
      EXPECT_EQ(AssignmentLog.Count(), Count);
      if (Count) {
        EXPECT_EQ(AssignmentLog.Name(0), Log);
      }
      EXPECT_EQ(VarValues[varX], static_cast<Extended>(X));
      // Quietly: the same value, or a failure without the reader's error.
      const TSideResult Quiet = Plot.EvaluatePreparedAt(X, Y, false);
      EXPECT_EQ(Quiet.Ok, Set.Ok);
      if (Set.Ok) {
        EXPECT_EQ(std::memcmp(&Quiet.Value, &Set.Value, 10), 0);
      }
      // Once the text was read without an error its reading is kept, and a failure is quiet.
      if (!Set.Ok) {
        EXPECT_NE(Set.ErrCode, 0);
        EXPECT_FALSE(Set.Message.empty());
        EXPECT_EQ(Quiet.ErrCode == 0, Recorded) << Text << " at " << X;
        EXPECT_EQ(Quiet.Message.empty(), Recorded);
      }
      Recorded = Recorded || Set.Ok;
    }
  }
  // A curve gives X alone: Y is read where it is.
  TSideResult Error;
  {
    TSideEvaluation Curve;
    ASSERT_TRUE(Curve.Prepare("X*Y", Error));
    VarValues[varX + 1] = 0.1L;
    for (int i = 0; i < 3; ++i) EXPECT_EQ(Curve.EvaluatePreparedAt(2, std::nullopt).Value, 0.2L);
  }
  // An undefined letter is the reader's to ask for, quietly or not: its dialog is cancelled.
  VarValues[varK] = UndefinedValue;
  TSideEvaluation Plot;
  ASSERT_TRUE(Plot.Prepare("X+K", Error));
  VarValues[varK] = 1;
  EXPECT_TRUE(Plot.EvaluatePreparedAt(1, 2, false).Ok);
  VarValues[varK] = UndefinedValue;
  const TSideResult Undefined = Plot.EvaluatePreparedAt(1, 2, false);
  EXPECT_FALSE(Undefined.Ok);
  EXPECT_NE(Undefined.ErrCode, 0);
}

// A plot keeps its formula's recording at hand; what changes meanwhile (the cache cleared, the
// angle mode, replays switched off) still gives the reader's values.
TEST_F(SideEvaluationTest, APreparedTextFollowsWhatChangesBetweenItsPoints) {
  TSideEvaluation Plot;
  TSideResult Error;
  ASSERT_TRUE(Plot.Prepare("sin(X*90)+X", Error));
  auto At = [&](Extended X) {
    VarValues[varX] = X;
    const TSideResult R = Plot.EvaluatePrepared();
    EXPECT_TRUE(R.Ok) << R.Message;
    return R.Value;
  };
  const Extended Radians = std::sin(90.0L) + 1;
  EXPECT_EQ(At(1), Radians);
  EXPECT_EQ(At(1), Radians);
  ClearReplayCache();
  EXPECT_EQ(At(1), Radians);
  const std::uint64_t Before = ReplayCount();
  EXPECT_EQ(At(1), Radians);
  EXPECT_EQ(ReplayCount(), Before + 1);
  EngineSettings.AngleMode = 1;
  EXPECT_EQ(At(1), 2);
  EXPECT_EQ(At(-1), -2);
  EngineSettings.AngleMode = 0;
  EXPECT_EQ(At(1), Radians);
  SetReplayEnabled(false);
  EXPECT_EQ(At(1), Radians);
  EXPECT_EQ(ReplayCount(), Before + 4);
  SetReplayEnabled(true);
  EXPECT_EQ(At(1), Radians);
  EXPECT_EQ(At(1), Radians);
  EXPECT_EQ(ReplayCount(), Before + 5);
}

// A failure to show a result is reported past the end of the typed text, blanks counted; the
// error report of the evaluation that may be running stays as it was.
TEST_F(SideEvaluationTest, AResultThatCannotBeShownLeavesTheErrorReportAlone) {
  EngineSettings.DisplayMode = 3;  // h:m:s cannot show 1E20
  bool Failed = false;
  FormatAside(12, 1E20L, &Failed);
  EXPECT_TRUE(Failed);
  EXPECT_FALSE(EngineState.ErrFlag);
  EXPECT_EQ(EngineState.ErrCode, 0);
  EngineState.ErrFlag = true;
  EngineState.ErrCode = errDivisionByZero;
  TSideResult Error;
  FormatAside(12, 1E20L, "1 E 20", Error);
  EXPECT_FALSE(Error.Ok);
  EXPECT_EQ(Error.ErrPos, 7);
  EXPECT_EQ(Error.Message, ErrorText(Error.ErrCode) + ": position 7");
  EXPECT_TRUE(EngineState.ErrFlag);
  EXPECT_EQ(EngineState.ErrCode, errDivisionByZero);
  EngineSettings.DisplayMode = 0;
  EXPECT_EQ(FormatAside(12, 2, "2", Error), "2.0E+0");
  EXPECT_TRUE(Error.Ok);
  EXPECT_EQ(FormatAside(12, 2, &Failed), "2.0E+0");
  EXPECT_FALSE(Failed);
}

// The input line's own evaluation: refused while another runs, and what it leaves is the
// window's (the text read, the previous result once set); the break flag and the log start empty.
TEST_F(SideEvaluationTest, TheInputLineKeepsWhatItsEvaluationLeaves) {
  EngineState.Ans = 5;
  EngineSettings.BreakRequested = true;
  {
    TSideEvaluation Input(TSideMode::Input);
    ASSERT_TRUE(Input.Started());
    EXPECT_FALSE(EngineSettings.BreakRequested);
    EXPECT_TRUE(EngineBusy());
    TSideEvaluation Other;
    EXPECT_FALSE(Other.Started());
    TSideEvaluation OtherInput(TSideMode::Input);
    EXPECT_FALSE(OtherInput.Started());
    TSideResult R;
    ASSERT_TRUE(Input.Prepare("? * 2", R));
    R = Input.EvaluatePrepared();
    ASSERT_TRUE(R.Ok) << R.Message;
    EXPECT_EQ(R.Value, 10);
    Input.SetAnswer(R.Value);
  }
  EXPECT_EQ(EngineState.Ans, 10);
  EXPECT_EQ(EngineState.ExprStr, "?*2");
  EXPECT_FALSE(EngineState.ErrFlag);

  // A text that fails leaves its report to the window, but no raised flag.
  {
    TSideEvaluation Input(TSideMode::Input);
    const TSideResult R = Input.Evaluate("1 / 0");
    EXPECT_EQ(R.ErrCode, errDivisionByZero);
    EXPECT_EQ(R.ErrPos, 5);
  }
  EXPECT_EQ(EngineState.ExprStr, "1/0");
  EXPECT_FALSE(EngineState.ErrFlag);
  EXPECT_EQ(EngineState.Ans, 10);

  // The complex mode reads the same prepared text.
  {
    TSideEvaluation Input(TSideMode::Input);
    TSideResult R;
    ComplexDisplayForm = cfAlgebraic;
    ASSERT_TRUE(Input.Prepare("comp(1, 2) * comp(3, 4)", R));
    TComplex Z;
    R = Input.EvaluatePreparedComplex(Z);
    ASSERT_TRUE(R.Ok) << R.Message;
    EXPECT_NEAR(static_cast<double>(Z.A), -5, 1e-15);
    EXPECT_NEAR(static_cast<double>(Z.B), 10, 1e-15);
    Input.SetAnswer(Z);
    EXPECT_EQ(ComplexAnswer.A, Z.A);
    ASSERT_TRUE(Input.Prepare("comp(3, 4) +", R));
    EXPECT_FALSE(Input.EvaluatePreparedComplex(Z).Ok);
  }

  // Between evaluations the engine holds the line's text; during one, the text is that one's.
  SetInputText("7*7");
  EXPECT_EQ(EngineState.ExprStr, "7*7");
  {
    TSideEvaluation Side;
    SetInputText("8*8");
    EXPECT_EQ(EngineState.ExprStr, "7*7");
  }
}
