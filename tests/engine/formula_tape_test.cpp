// A repeated evaluation replays what the reader did the first time. Whatever the text and the
// state, the outcome must be the reader's own: the same value to the last bit, the same error
// with the same span, the same previous result, log and reader position.
#include <cstring>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "engine/formula_tape.h"
#include "engine/random.h"
#include "tests/engine/procedures_test_support.h"

namespace {

struct TOutcome {
  Extended Value = 0;
  bool Failed = false;
  int Code = 0, Pos = 0, Len = 0;
  Extended Ans = 0;
  int CurVar = 0;
  int ReaderPos = 0, StartPos = 0;
  unsigned char CurChar = 0;
  std::vector<std::string> LogNames;
  std::vector<Extended> LogNumbers;
  std::vector<Extended> Letters;

  bool operator==(const TOutcome& O) const {
    auto same = [](Extended a, Extended b) { return std::memcmp(&a, &b, 10) == 0; };
    if (!same(Value, O.Value) || !same(Ans, O.Ans)) return false;
    for (size_t i = 0; i < Letters.size(); ++i)
      if (!same(Letters[i], O.Letters[i])) return false;
    for (size_t i = 0; i < LogNumbers.size() && i < O.LogNumbers.size(); ++i)
      if (!same(LogNumbers[i], O.LogNumbers[i])) return false;
    return Failed == O.Failed && Code == O.Code && Pos == O.Pos && Len == O.Len &&
           CurVar == O.CurVar && ReaderPos == O.ReaderPos && StartPos == O.StartPos &&
           CurChar == O.CurChar && LogNames == O.LogNames &&
           LogNumbers.size() == O.LogNumbers.size();
  }
};

class FormulaTape : public ProceduresTest {
 protected:
  void SetUp() override {
    ProceduresTest::SetUp();
    SetReplayEnabled(true);
    ClearReplayCache();
  }
  void TearDown() override {
    SetReplayEnabled(true);
    ClearReplayCache();
    ProceduresTest::TearDown();
  }

  // The state every evaluation of a comparison starts from.
  void Prepare(Extended X, Extended Y) {
    VarValues.fill(UndefinedValue);
    for (auto& t : VarExprs) t.clear();
    SetLetter(varX, X);
    SetLetter(2, Y);
    SetLetter(varK, 3);
    VarExprs[3] = "X+Y";  // Z is defined by a text, read on demand
    UserVariables.clear();
    SetUserVariable("a1", 7);
    AssignmentLog.Clear();
    CurVar = 0;
    EngineState.Ans = 42;
    EngineState.ErrCode = 0;
    EngineState.ErrLen = 0;
    SetRandomSeed(5);
  }

  TOutcome Run(const std::string& Text, Extended X, Extended Y) {
    Prepare(X, Y);
    const TEvalResult r = Eval(Text);
    TOutcome o;
    o.Value = r.Value;
    o.Failed = r.Failed;
    o.Code = r.Code;
    o.Pos = r.Pos;
    o.Len = r.Len;
    o.Ans = EngineState.Ans;
    o.CurVar = CurVar;
    o.ReaderPos = EngineState.Pos;
    o.StartPos = EngineState.StartPos;
    o.CurChar = EngineState.CurChar;
    for (size_t i = 0; i < AssignmentLog.Count(); ++i) {
      o.LogNames.push_back(AssignmentLog.Name(i));
      o.LogNumbers.push_back(AssignmentLog.Number(i));
    }
    o.Letters.assign(VarValues.begin(), VarValues.end());
    return o;
  }

  // The reader alone, then a recording and replays, at the points in their order, must agree.
  void ExpectSameAsReaderAt(const std::string& Text,
                            const std::vector<std::pair<Extended, Extended>>& Points) {
    std::vector<TOutcome> plain;
    SetReplayEnabled(false);
    for (const auto& [x, y] : Points) plain.push_back(Run(Text, x, y));
    SetReplayEnabled(true);
    for (int pass = 0; pass < 2; ++pass)
      for (size_t i = 0; i < Points.size(); ++i)
        EXPECT_TRUE(Run(Text, Points[i].first, Points[i].second) == plain[i])
            << Text << " at point " << i << " pass " << pass;
  }

  // The reader alone, then a recording and a replay (at other values too), must agree.
  void ExpectSameAsReader(const std::string& Text) {
    // Among them an undefined X, whose dialog is cancelled.
    const Extended points[][2] = {{0.5L, 2},           {0, -1}, {-3, 0}, {1E4000L, 1E-4000L},
                                  {UndefinedValue, 2}, {2, 3}};
    std::vector<TOutcome> plain;
    SetReplayEnabled(false);
    for (const auto& p : points) plain.push_back(Run(Text, p[0], p[1]));
    SetReplayEnabled(true);
    for (int pass = 0; pass < 2; ++pass)
      for (size_t i = 0; i < std::size(points); ++i)
        EXPECT_TRUE(Run(Text, points[i][0], points[i][1]) == plain[i])
            << Text << " at X=" << static_cast<double>(points[i][0]) << " pass " << pass;
  }
};

TEST_F(FormulaTape, ReplaysAgreeWithTheReaderBitForBit) {
  for (const char* text : {"(X^2/sin(2*pi/Y))-X/2",
                           "sqrt(1-sin(2.2*X)+cos(pi/Y)/3.3)",
                           "sin(X)*exp(-X/5)+X^2",
                           "X^3-2*X^2+X-1",
                           "exp(-X^2/2)/sqrt(2*pi)",
                           "1/X",
                           "X/Y",
                           "Y%X",
                           "-X^Y",
                           "2^-X",
                           "X\xB2+Y\xB3-X\xBD",
                           "(X+1)\xB2\xBD\xB3",
                           "X&3|Y\\5",
                           "?*X+?",
                           "ln(X)",
                           "arcsin(X)",
                           "Jn(2,X)",
                           "logN(Y,X)",
                           "atan2(X,Y)",
                           "arctan2(X,Y)",
                           "gcd(X,Y)",
                           "lexp(X,Y)",
                           "bnml(K,Y)",
                           "n!(K)",
                           "sin(X",
                           "sin(X))",
                           "X Y",
                           "X*",
                           "1E4000*X",
                           "e^X+pi-\xB6",
                           "Z+X",
                           "a1*X",
                           "X+(Y=2)",
                           "(X=X+1)*X",
                           "if(X>>0)then(1)else(2)",
                           "sum(X,Y,3)",
                           "random*X",
                           "gauss(0,1)+X",
                           "ibeta(1,2,0.5)+X",
                           "psned(1,2,X)",
                           "integral(0,1,X)",
                           "solve(0,2,X^2-2)",
                           "forJtoKstepMdo(X+1)",
                           "unknown+X",
                           "X+2*(Y-(X*(Y+1)))/(X-Y)",
                           "Y+X",
                           "--X",
                           "+X",
                           "-(-X)",
                           "sin(-X)^2+cos(-X)^2",
                           "tan(X*45)",
                           "10^(X)",
                           "2^(Y)"})
    ExpectSameAsReader(text);
  EngineSettings.AngleMode = 1;
  for (const char* text : {"sin(X*90)", "tan(X*45)", "arccos(X)"}) ExpectSameAsReader(text);
}

// The replay computes with its operands where they are kept, folds constants, calls the common
// built-ins directly and remembers their last argument: around zeros of either sign, tiny powers
// that the reader flushes to 0, divisions by zero, domain and range failures, the same argument
// twice in a row, the outcome stays the reader's.
TEST_F(FormulaTape, CompiledReplaysAgreeWithTheReaderAtItsEdges) {
  const std::vector<std::pair<Extended, Extended>> points = {{0, 1},
                                                             {-0.0L, -0.0L},
                                                             {-0.0L, 2},
                                                             {1E-600L, 2},
                                                             {-1E-600L, 3},
                                                             {0x1p-64L, 0x1p-65L},
                                                             {-0x1p-64L, 1},
                                                             {1E2000L, -1E2000L},
                                                             {11356.6L, -11400},
                                                             {-2, 0.5L},
                                                             {-2, 0.5L},
                                                             {3, 0},
                                                             {UndefinedValue, 1},
                                                             {2.5L, 2.5L}};
  for (const char* text : {"X^2+Y^3",       "X^3",
                           "Y^2*X^3",       "X^-2",
                           "(X*Y)^2",       "2-X",
                           "2/X",           "X/0",
                           "1/0+X",         "2^X",
                           "X^Y",           "(X+Y)*(X-Y)/(X*Y)",
                           "X-(Y-(X-Y))",   "(X+1)/(Y+1)",
                           "sin(X)+cos(Y)", "sin(X)*sin(Y)",
                           "exp(X)",        "exp(-X)+exp(Y)",
                           "ln(X)+ln(Y)",   "sqrt(X)-sqrt(Y)",
                           "sqrt(2*pi)*X",  "sin(2*pi/Y)",
                           "abs(X)-abs(Y)", "X%Y",
                           "3%X",           "X&Y",
                           "5|X",           "-(X)",
                           "--Y",           "X\xB2\xB3",
                           "Jn(1,X)",       "atan2(1,X)",
                           "atan2(X,1)",    "logN(2,Y)",
                           "tan(X)+?",      "2*3*X",
                           "X*(1+2)",       "1E4000/1E4000*X",
                           "0*X^Y"})
    ExpectSameAsReaderAt(text, points);
  // Long sums, short enough to be compiled and too long.
  for (int terms : {200, 700}) {
    std::string sum = "X";
    for (int i = 1; i < terms; ++i) sum += i % 2 ? "+Y" : "-X";
    ExpectSameAsReaderAt(sum, points);
  }
  EngineSettings.AngleMode = 1;
  for (const char* text : {"sin(X*90)+cos(Y*90)", "sin(X)"}) ExpectSameAsReaderAt(text, points);
}

// A built-in keeps its last argument and value, and stops keeping them while the argument keeps
// changing: whatever the pattern of the points (the letter of a row staying for runs of any
// length, signed zeros), the value is the one computed afresh.
TEST_F(FormulaTape, FunctionsKeepingTheirLastArgumentGiveTheValueAfresh) {
  std::vector<std::pair<Extended, Extended>> points;
  const int runs[] = {1, 2, 5, 70, 3, 100, 1, 1, 64, 9};
  int k = 0;
  for (const int run : runs) {
    for (int i = 0; i < run; ++i, ++k) {
      const Extended y = k % 3 == 0 ? 1.5L + run : k % 3 == 1 ? -0.0L : 0.0L;
      points.emplace_back(0.01L * k - 1, run % 2 ? y : 2.25L);
    }
  }
  for (const char* text :
       {"sin(2*pi/Y)*exp(-X/5)+cos(Y)", "exp(Y)+sin(X)", "sin(Y)+sin(X*0)", "ln(Y)+sqrt(abs(X))"})
    ExpectSameAsReaderAt(text, points);
}

// Random formulas of the operations the routines compute themselves and of the calls between
// them, deep enough to fill the x87 registers and to park values around calls, must give the
// reader's outcome, as the tree of evaluators gives it.
std::string RandomFormula(std::mt19937& Rng, int Depth) {
  auto pick = [&](int N) { return static_cast<int>(Rng() % static_cast<unsigned>(N)); };
  if (Depth == 0 || pick(5) == 0) {
    static const char* leaves[] = {"X",       "Y",      "2",  "0.5", "3",     "0",
                                   "1E-3000", "1E4000", "pi", "?",   "0.125", "65536"};
    return leaves[pick(12)];
  }
  const std::string a = RandomFormula(Rng, Depth - 1);
  switch (pick(16)) {
    case 0:
      return "(" + a + "+" + RandomFormula(Rng, Depth - 1) + ")";
    case 1:
      return "(" + a + "-" + RandomFormula(Rng, Depth - 1) + ")";
    case 2:
      return a + "*" + RandomFormula(Rng, Depth - 1);
    case 3:
      return "(" + a + ")/(" + RandomFormula(Rng, Depth - 1) + ")";
    case 4:
      return "(" + a + ")%" + RandomFormula(Rng, Depth - 1);
    case 5:
      return "(" + a + ")^2";
    case 6:
      return "(" + a + ")^3";
    case 7:
      return "(" + a + ")^(" + RandomFormula(Rng, Depth - 1) + ")";
    case 8:
      return "-(" + a + ")";
    case 9:
      return "sin(" + a + ")";
    case 10:
      return "exp(" + a + ")";
    case 11:
      return "sqrt(" + a + ")";
    case 12:
      return "abs(" + a + ")";
    case 13:
      return "(" + a + ")\xB2";
    case 14:
      return "atan2(" + a + "," + RandomFormula(Rng, Depth - 1) + ")";
    default:
      return "ln(" + a + ")";
  }
}

TEST_F(FormulaTape, RoutinesAgreeWithTheReaderOnRandomFormulas) {
  const std::vector<std::pair<Extended, Extended>> points = {
      {0.5L, 2}, {-0.0L, 1}, {3, -2}, {1E-2000L, 7}, {-1.25L, 0}, {2, 2}, {1E2000L, 0.25L}};
  std::mt19937 rng(20261209);
  const auto runs = FormulaCodeRuns();
  const auto refusals = FormulaCodeRefusals();
  for (int i = 0; i < 400; ++i) ExpectSameAsReaderAt(RandomFormula(rng, 1 + i % 7), points);
  // Right-nested chains hold more values than the registers, with calls on the way.
  std::string chain = "X";
  for (int i = 0; i < 24; ++i)
    chain = (i % 3 == 0 ? "sin(X)-(" : i % 3 == 1 ? "Y/(" : "X^2*(") + chain + ")";
  ExpectSameAsReaderAt(chain, points);
  std::string sums = "Y";
  for (int i = 0; i < 12; ++i) sums = "X-(Y+(" + sums + ")*exp(X))";
  ExpectSameAsReaderAt(sums, points);
  EXPECT_GT(FormulaCodeRuns(), runs) << "the routines were not used";
  // Each routine gave the tree's value where both ran first: none was refused and replaced.
  EXPECT_EQ(FormulaCodeRefusals(), refusals);

  // The tree of evaluators, where no routine can be written, agrees as well.
  SetFormulaCodeEnabled(false);
  ExpectSameAsReaderAt(chain, points);
  for (int i = 0; i < 50; ++i) ExpectSameAsReaderAt(RandomFormula(rng, 5), points);
  SetFormulaCodeEnabled(true);
}

// A routine keeps every constant it reads, doubles or not (a divisor of 2^1088 folded from
// squares, whose reciprocal is no double), and is accepted only at a point where the tree gives
// a value it matches, however many points fail before it.
TEST_F(FormulaTape, RoutinesKeepTheirConstantsAndAreCheckedWhereTheTreeGivesAValue) {
  std::string pow1088 = "131072";
  for (int i = 0; i < 6; ++i) pow1088 = "(" + pow1088 + ")\xB2";
  // The first point records the text; the routine first runs at the next.
  const std::vector<std::pair<Extended, Extended>> points = {
      {0.75L, 3}, {0, -1}, {-1, -2}, {1E4000L, 0.5L}, {2, 9}, {1E-4000L, 4}};
  const auto runs = FormulaCodeRuns();
  const auto refusals = FormulaCodeRefusals();
  for (const std::string& text :
       {"X/" + pow1088, "ln(X)/" + pow1088, "sqrt(Y)*(X+1/" + pow1088 + ")",
        std::string("ln(X)*1E4000+Y/1E-4000"), std::string("sqrt(X)+(1/3)*X%1E-3000"),
        std::string("(ln(Y)+X)/(2/3)")})
    ExpectSameAsReaderAt(text, points);
  EXPECT_GT(FormulaCodeRuns(), runs);
  EXPECT_EQ(FormulaCodeRefusals(), refusals);

  const auto accepted = FormulaCodeAcceptances();
  EXPECT_FALSE(Run("sqrt(X)-ln(X)", 4, 0).Failed);
  for (const Extended x : {0.0L, -1.0L, -0.0L}) EXPECT_TRUE(Run("sqrt(X)-ln(X)", x, 0).Failed);
  EXPECT_EQ(FormulaCodeAcceptances(), accepted);
  EXPECT_FALSE(Run("sqrt(X)-ln(X)", 2, 0).Failed);
  EXPECT_EQ(FormulaCodeAcceptances(), accepted + 1);
}

TEST_F(FormulaTape, OnlyTextsWhoseShapeIsTheTextsOwnAreReplayed) {
  auto replayed = [&](const std::string& Text) {
    Prepare(1, 2);
    Eval(Text);
    const auto before = ReplayCount();
    Prepare(1, 2);
    Eval(Text);
    return ReplayCount() > before;
  };
  for (const char* text : {"X+1", "sin(X)*Y", "?+X", "Jn(1,X)", "pi*e"})
    EXPECT_TRUE(replayed(text)) << text;
  for (const char* text : {"random", "gauss(0,1)", "if(X>>0)then(1)else(2)", "(X=1)", "a1+1", "Z",
                           "sum(1,2)", "integral(0,1,X)", "ibeta(1,2,0.5)"})
    EXPECT_FALSE(replayed(text)) << text;

  // Random numbers stay random however often the text is read.
  Prepare(1, 2);
  const Extended first = Eval("random+X").Value;
  const Extended second = Eval("random+X").Value;
  EXPECT_NE(first, second);
}

TEST_F(FormulaTape, AFailedReplayKeepsTheLogOfEarlierEvaluations) {
  // The matrix cells and the variable pages evaluate without clearing the log in between: a
  // replay that fails must drop only its own pairs, not the names that earlier pairs use.
  const std::string name = "averyveryverylongname";
  SetUserVariable(name.substr(0, 20), 2);
  SetUserVariable("b2", 3);
  SetLetter(varX, 1);
  AssignmentLog.Clear();
  EXPECT_VALUE(name.substr(0, 20) + "+b2+X", 6);
  EXPECT_VALUE("X+1/X", 2);  // recorded
  EXPECT_VALUE("X+1/X", 2);  // replayed
  const size_t before = AssignmentLog.Count();
  SetLetter(varX, 0);
  EXPECT_EQ(Eval("X+1/X").Code, errDivisionByZero);  // the replay fails; the reader reports
  ASSERT_GE(AssignmentLog.Count(), before);
  EXPECT_EQ(AssignmentLog.Name(0), name.substr(0, 20));
  EXPECT_EQ(AssignmentLog.Name(1), "b2");
  EXPECT_EQ(AssignmentLog.Name(2), "X");
  EXPECT_EQ(AssignmentLog.Name(before), "X");
  // New long names still go after the kept ones.
  EXPECT_VALUE("b2", 3);
  EXPECT_EQ(AssignmentLog.Name(AssignmentLog.Count() - 1), "b2");
  EXPECT_EQ(AssignmentLog.Name(0), name.substr(0, 20));
}

TEST_F(FormulaTape, ReadingSettingsAndStateAreHonoured) {
  // The same text reads other numbers in another radix.
  EXPECT_VALUE("10+1", 11);
  EXPECT_VALUE("10+1", 11);
  SelectRadix(1);
  EXPECT_VALUE("10+1", 17);
  SelectRadix(0);
  EXPECT_VALUE("10+1", 11);

  // A letter that became undefined is asked for again through its dialog.
  SetLetter(varX, 4);
  EXPECT_VALUE("X*2", 8);
  EXPECT_VALUE("X*2", 8);
  SetLetter(varX, UndefinedValue);
  Host.DialogTexts[varX] = "5";
  EXPECT_VALUE("X*2", 10);
  EXPECT_EQ(Host.Dialogs.size(), 1u);

  // Inside an argument list the same text reads differently, so it is never replayed there.
  EngineSettings.ArgDepth = 1;
  EngineState.ExprStr = "X,1";
  const auto before = ReplayCount();
  Evaluate("X*2");
  EXPECT_EQ(ReplayCount(), before);

  // More texts than the cache holds, read in turn, all stay right.
  EngineSettings.ArgDepth = 0;
  for (int round = 0; round < 3; ++round)
    for (int i = 1; i <= 12; ++i) EXPECT_VALUE("X*" + std::to_string(i), 5 * i);
}

}  // namespace
