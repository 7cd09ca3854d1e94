#include <cmath>
#include <cstdlib>
#include <fstream>
#include <string>

#include "tests/engine/procedures_test_support.h"

namespace {

class IntegralProc : public ProceduresTest {};
class SolveProc : public ProceduresTest {};
class ExtremumProc : public ProceduresTest {};
class ListFunctions : public ProceduresTest {};

TEST_F(IntegralProc, KnownIntegrals) {
  SetLetter(varX, 7);
  EXPECT_CLOSE(Value("integral(0,1,X^2)"), 1.0L / 3, 1e-18L);
  EXPECT_CLOSE(Value("integral(1,0,X)"), -0.5L, 1e-18L);
  EXPECT_CLOSE(Value("integral(0,1,exp(-X^2))"), 0.74682413281242702540L, 1e-15L);
  EXPECT_CLOSE(Value("integral(0,20*pi,sin(X)^2)"), 10 * BuiltinPi, 1e-8L);
  EXPECT_CLOSE(Value("integral(-1,2,X^3-2*X+1)"), 3.75L, 1e-17L);
  EXPECT_CLOSE(Value("2*integral(0,1,1E-30*X)"), 1E-30L, 1e-40L);
  EXPECT_EQ(Value("integral(2,2,X)"), 0);
  EXPECT_EQ(Letter(varX), 7);
  EXPECT_EQ(IntervalLow, 2);
}

TEST_F(IntegralProc, IntegralsOfAboutZeroEndAtOnce) {
  EXPECT_CLOSE(Value("integral(0,2*pi,sin(X))"), 0, 1e-15L);
  EXPECT_LE(Host.Passes.size(), 3u);
  EXPECT_CLOSE(Value("integral(-1,1,X^3)"), 0, 1e-18L);
}

TEST_F(IntegralProc, NestedIntegralAndBodyErrors) {
  // The inner integral has its own X; the outer one's body reads the inner result.
  EXPECT_CLOSE(Value("integral(0,1,integral(0,2,X))"), 2, 1e-17L);
  SetLetter(varX, 3);
  const TEvalResult r = Eval("integral(0,1,1/(X-X))");
  EXPECT_TRUE(r.Failed);
  EXPECT_EQ(r.Code, errDivisionByZero);
  EXPECT_EQ(Letter(varX), 3);
  EXPECT_EQ(Eval("integral(0,1)").Code, errSyntax);
  EXPECT_EQ(Eval("integral(0,,X)").Code, errSyntax);
  EXPECT_ERROR("integral(0,1/0,X)", errDivisionByZero, 14, 1);
}

TEST_F(IntegralProc, IntegrandWithoutConvergenceEnds) {
  const TEvalResult r = Eval("integral(0,1,1/X)");
  EXPECT_TRUE(r.Failed);
  EXPECT_EQ(r.Code, errSingularity);
  EXPECT_EQ(r.Pos, 14);
  EXPECT_EQ(r.Len, 3);
}

// Each line of a reference file (data/gen_integral_reference.py, mpmath) is integrated: the value
// within the line's relative tolerance, the passes shown, X left as it was. Answers the count.
int CheckAgainstReference(TScriptedHost& Host, const std::string& File) {
  std::ifstream in(std::string(NUMYX_TEST_DATA) + "/" + File);
  EXPECT_TRUE(in.good()) << File;
  int count = 0;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    const auto a = line.find('|'), b = line.find('|', a + 1), c = line.find('|', b + 1),
               d = line.find('|', c + 1);
    if (d == std::string::npos) {
      ADD_FAILURE() << line;
      continue;
    }
    const std::string text = "integral(" + line.substr(0, a) + "," + line.substr(a + 1, b - a - 1) +
                             "," + line.substr(b + 1, c - b - 1) + ")";
    const Extended expected = std::strtold(line.substr(c + 1, d - c - 1).c_str(), nullptr);
    const Extended tolerance = std::strtold(line.substr(d + 1).c_str(), nullptr);
    Host.Passes.clear();
    VarValues[varX] = 0.5L;
    const TEvalResult r = Eval(text);
    ++count;
    EXPECT_FALSE(r.Failed) << text << " code " << r.Code;
    EXPECT_LE(std::fabs(r.Value - expected), tolerance * std::fabs(expected))
        << text << " gave " << static_cast<double>(r.Value);
    EXPECT_FALSE(Host.Passes.empty()) << text;
    EXPECT_EQ(VarValues[varX], 0.5L) << text;
  }
  return count;
}

// Integrands singular or not smooth at an end.
TEST_F(IntegralProc, SingularAndNonSmoothEndsAgainstReference) {
  EXPECT_GE(CheckAgainstReference(Host, "integral_reference.txt"), 20);
}

// Integrable singularities inside the interval, one or several, beside a singular end, at a
// point that is no binary fraction; the passes never settle there.
TEST_F(IntegralProc, InnerSingularitiesAgainstReference) {
  EXPECT_GE(CheckAgainstReference(Host, "inner_singularity_reference.txt"), 10);
  // The progress ends on the whole integral, not on the last piece of it.
  Host.Pumps = 0;
  Eval("integral(0,1,1/sqrt(abs(X-0.3)))");
  ASSERT_FALSE(Host.Passes.empty());
  EXPECT_NEAR(std::strtod(Host.Passes.back().c_str(), nullptr), 2.7687651680784833, 1e-8);
  // Stop ends it in the pieces (their last few looks at the queue) and in the search for the
  // point (the hundred before them).
  const int pumps = Host.Pumps;
  for (const int stop : {pumps - 5, pumps - 100}) {
    Host.Pumps = 0;
    Host.StopAtPump = stop;
    SetLetter(varX, 2);
    EXPECT_EQ(Eval("integral(0,1,1/sqrt(abs(X-0.3)))").Code, errUserBreak) << stop;
    EXPECT_EQ(Letter(varX), 2);
    EngineSettings.BreakRequested = false;
  }
  Host.StopAtPump = 0;
  // What diverges inside stays a singularity, marked on the body.
  for (const char* text : {"integral(0,1,1/(X-0.3))", "integral(0,1,1/abs(X-0.3))"}) {
    const TEvalResult r = Eval(text);
    EXPECT_EQ(r.Code, errSingularity) << text;
    EXPECT_EQ(r.Pos, 14) << text;
  }
}

TEST_F(IntegralProc, PrecisionAndWhatNoRuleSettles) {
  // More digits asked for, more digits given, also where the second rule does the work.
  Host.PrecisionDigits = 15;
  EXPECT_CLOSE(Value("integral(0,1,ln(X))"), -1, 1e-17L);
  EXPECT_CLOSE(Value("integral(0,1,X^-0.7)"), 1 / 0.3L, 1e-14L);
  // The second rule's passes are shown too, and a break ends it.
  Host.PrecisionDigits = 9;
  Host.Passes.clear();
  Host.Pumps = 0;
  EXPECT_CLOSE(Value("integral(0,1,ln(X))"), -1, 1e-15L);
  ASSERT_GT(Host.Passes.size(), 14u);  // the Gauss passes up to 8192 parts, then the levels
  EXPECT_CLOSE(std::strtold(Host.Passes.back().c_str(), nullptr), -1, 1e-15L);
  const int pumps = Host.Pumps;
  Host.Pumps = 0;
  Host.StopAtPump = pumps - 5;
  SetLetter(varX, 2);
  EXPECT_EQ(Eval("integral(0,1,ln(X))").Code, errUserBreak);
  EXPECT_EQ(Letter(varX), 2);
  Host.StopAtPump = 0;
  EngineSettings.BreakRequested = false;
  // Divergent integrals, and a singularity too strong for the abscissas near 0 to resolve.
  Host.PrecisionDigits = 9;
  for (const char* text : {"integral(0,1,1/X)", "integral(0,1,X^-0.999)", "integral(0,1,1/X^2)"})
    EXPECT_EQ(Eval(text).Code, errSingularity) << text;
}

TEST_F(IntegralProc, BreakEndsTheIntegral) {
  SetLetter(varX, 2);
  Host.StopAtPump = 5;
  Host.BreakAnswers = {false, true};
  const TEvalResult r = Eval("integral(0,1,1/X)");
  EXPECT_EQ(r.Code, errUserBreak);
  EXPECT_EQ(Host.Questions, 2);
  EXPECT_EQ(Letter(varX), 2);
}

TEST_F(SolveProc, BreakEndsSolveAndSearch) {
  SetLetter(varX, 2);
  Host.StopAtPump = 10;
  EXPECT_EQ(Eval("solve(0,2,X^2-2)").Code, errUserBreak);
  EXPECT_EQ(Letter(varX), 2);
  Host.Pumps = 0;
  EXPECT_EQ(Eval("max(0,pi,sin(X))").Code, errUserBreak);
  EXPECT_EQ(Letter(varX), 2);
  // A break inside a user function's body is not dressed up as an error of the body.
  Define("slow(a)=integral(0,a,sin(X))");
  Host.Pumps = 0;
  EXPECT_EQ(Eval("1+slow(3)").Code, errUserBreak);
}

TEST_F(SolveProc, SimpleRoots) {
  SetLetter(varX, 9);
  EXPECT_CLOSE(Value("solve(0,2,X^2-2)"), Sqrt2, 1e-18L);
  EXPECT_EQ(Letter(varX), 9);
  EXPECT_EQ(Letter(varL), 0);
  EXPECT_EQ(Letter(varU), 2);
  EXPECT_CLOSE(Value("solve(0,2,X^3-2)"), std::cbrt(2.0L), 1e-18L);
  EXPECT_CLOSE(Value("solve(1,2,X-1)"), 1, 0);
  EXPECT_CLOSE(Value("solve(0,1,X-1)"), 1, 0);
  EXPECT_CLOSE(Value("solve(0,2,X^2-2)+1"), Sqrt2 + 1, 1e-18L);
}

TEST_F(SolveProc, ScaleDoesNotStopTheBisectionEarly) {
  EXPECT_CLOSE(Value("solve(0,100,exp(X)-2)"), 0.69314718055994530942L, 1e-17L);
  EXPECT_CLOSE(Value("solve(0,2,1E-20*(X-1))"), 1, 1e-18L);
  EXPECT_CLOSE(Value("solve(-1E6,1E6,X-3)"), 3, 1e-12L);
}

TEST_F(SolveProc, DoubleRootsAndFailures) {
  EXPECT_CLOSE(Value("solve(0,3,(X-1)^2)"), 1, 1e-8L);
  EXPECT_CLOSE(Value("solve(0,2,(X-1)^2*exp(X))"), 1, 1e-8L);
  EXPECT_CLOSE(Value("solve(0,3,-(X-2)^2)"), 2, 1e-8L);
  EXPECT_ERROR("solve(2,0,X)", errInterval, 7, 4);
  EXPECT_EQ(Eval("solve(1,2,X^2+1)").Code, errInterval);
  // A sign change at a pole is no root.
  EXPECT_ERROR("solve(1,2,tan(X))", errSingularity, 11, 6);
  EXPECT_EQ(Eval("solve(4,5,tan(X))").Code, errSingularity);
}

TEST_F(SolveProc, EndsOfOneSignBisectFromTheExtremum) {
  // The minimum (maximum) crosses zero: the root between it and the upper bound is the answer.
  SetLetter(varX, 5);
  EXPECT_CLOSE(Value("solve(0,3,(X-1)^2-0.25)"), 1.5L, 1e-17L);
  EXPECT_CLOSE(Value("solve(0,3,0.25-(X-1)^2)"), 1.5L, 1e-17L);
  EXPECT_CLOSE(Value("solve(-3,3,X^2-4)"), 2, 1e-17L);
  EXPECT_CLOSE(Value("solve(0,pi,sin(X)-0.5)"), 5 * BuiltinPi / 6, 1e-17L);
  EXPECT_EQ(Letter(varX), 5);
}

TEST_F(ExtremumProc, MinimaAndMaxima) {
  EXPECT_CLOSE(Value("min(0,3,(X-1)^2)"), 0, 1e-18L);
  EXPECT_CLOSE(ExtremumX, 1, 1e-9L);
  EXPECT_CLOSE(Value("max(0,pi,sin(X))"), 1, 1e-18L);
  EXPECT_CLOSE(ExtremumX, BuiltinPi / 2, 1e-9L);
  EXPECT_CLOSE(Value("min(-2,2,X^4-2*X^2)"), -1, 1e-18L);
  EXPECT_CLOSE(std::fabs(ExtremumX), 1, 1e-9L);
  EXPECT_CLOSE(Value("max(0,10,sin(X)*exp(-X/5))"), 0.7450600126415113L, 1e-15L);
}

TEST_F(ExtremumProc, ExtremaAtTheIntervalEnds) {
  SetLetter(varX, 4);
  EXPECT_EQ(Value("min(0,1,X)"), 0);
  EXPECT_EQ(ExtremumX, 0);
  EXPECT_EQ(Value("max(0,1,X)"), 1);
  EXPECT_EQ(ExtremumX, 1);
  EXPECT_EQ(Value("max(3,1,X^2)"), 9);
  EXPECT_EQ(Letter(varX), 4);
  EXPECT_EQ(Letter(varL), 3);
}

TEST_F(ExtremumProc, RepeatingTheSameTextRefinesWithABound) {
  Value("min(0,3,(X-1)^2)");
  EXPECT_EQ(IntervalCount, 1);
  Value("min(0,3,(X-1)^2)");
  EXPECT_EQ(IntervalCount, 2);
  for (int i = 0; i < 10; ++i) Value("min(0,3,(X-1)^2)");
  EXPECT_EQ(IntervalCount, 64);
  Value("min(0,3,(X-2)^2)");
  EXPECT_EQ(IntervalCount, 1);
  // Read again inside a loop or another procedure's body it is one calculation, not a repeat.
  SetLetter(varJ, 1);
  SetLetter(varK, 5);
  SetLetter(varM, 1);
  EXPECT_VALUE("forJtoKstepMdo(min(0,3,(X-2)^2))", 0);
  EXPECT_EQ(IntervalCount, 1);
  EXPECT_CLOSE(Value("max(0,1,X+min(0,3,(X-2)^2))"), 1, 1e-18L);
  EXPECT_EQ(IntervalCount, 1);
  EXPECT_EQ(SaveProcedureCounters().Text, "max(0,1,X+min(0,3,(X-2)^2))");
  // Inside a nested evaluation the counters are put back afterwards.
  Define("f(a)=min(0,3,(X-a)^2)");
  Value("min(0,3,(X-2)^2)");
  Value("min(0,3,(X-2)^2)");
  EXPECT_EQ(Value("f(1)+f(1)"), 0);
  EXPECT_EQ(IntervalCount, 2);
}

TEST_F(ExtremumProc, OnlyARepeatWithTheSameLettersRefines) {
  // Every point of a plot evaluates the same text with other letters: one part each time.
  for (int i = 0; i < 7; ++i) {
    SetLetter(2, 0.25L * i);
    EXPECT_CLOSE(Value("min(0,3,(X-Y)^2)"), 0, 1e-18L);
    EXPECT_EQ(IntervalCount, 1) << i;
  }
  for (int i = 0; i < 4; ++i) {
    SetLetter(varX, i);
    Value("X+min(0,3,(X-1)^2)");
    EXPECT_EQ(IntervalCount, 1) << i;
  }
  for (int i = 0; i < 4; ++i) {
    SetLetter(2, i);
    Value("min(0,3,(X-1)^2)+Y");
    EXPECT_EQ(IntervalCount, 1) << i;
  }
  // The same letters again: the repeat refines, whatever happens to a letter the text never reads.
  Value("min(0,3,(X-1)^2)+Y");
  EXPECT_EQ(IntervalCount, 2);
  SetLetter(5, 7);
  Value("min(0,3,(X-1)^2)+Y");
  EXPECT_EQ(IntervalCount, 4);
  SetLetter(2, 9);
  Value("min(0,3,(X-1)^2)+Y");
  EXPECT_EQ(IntervalCount, 1);
}

TEST_F(ListFunctions, Statistics) {
  EXPECT_VALUE("mean(1,2,3)", 2);
  EXPECT_VALUE("std(1,2,3)", 1);
  EXPECT_VALUE("std(5)", 0);
  EXPECT_VALUE("sum(1,2,3,4)", 10);
  EXPECT_VALUE("poly(2,1,0,1)", 5);
  EXPECT_VALUE("stat(1,2,3)", 2);
  EXPECT_VALUE("variance(1,2,3)", 1);  // the sample variance
  EXPECT_CLOSE(Value("pnv(1,2,3)"), 2.0L / 3, 1e-18L);
  EXPECT_CLOSE(Value("psd(1,2,3)"), std::sqrt(2.0L / 3), 1e-18L);
  EXPECT_VALUE("norm(3,4)", 5);
  EXPECT_VALUE("sos(1,2,3)", 14);
  EXPECT_CLOSE(Value("hmn(1,2,4)"), 12.0L / 7, 1e-18L);
  EXPECT_CLOSE(Value("gmn(2,8)"), 4, 1e-18L);
  EXPECT_CLOSE(Value("gmn(1E3000,1E3000)"), 1E3000L, 1E2985L);
  // Two passes keep the spread of values with a large common offset.
  EXPECT_CLOSE(Value("std(1E12+1,1E12+2,1E12+3)"), 1, 1e-6L);
}

TEST_F(ListFunctions, LargeValuesDoNotOverflowTheSums) {
  EXPECT_VALUE("norm(1E3000)", 1E3000L);
  EXPECT_CLOSE(Value("norm(3E4000,4E4000)") / 5E4000L, 1, 1e-18L);
  EXPECT_CLOSE(Value("std(1E4000,3E4000)") / (std::sqrt(2.0L) * 1E4000L), 1, 1e-18L);
  EXPECT_CLOSE(Value("psd(1E4000,3E4000)") / 1E4000L, 1, 1e-18L);
  EXPECT_CLOSE(Value("mean(1E4932,1E4932)") / 1E4932L, 1, 1e-18L);
  EXPECT_CLOSE(Value("norm(3E-4000,4E-4000)") / 5E-4000L, 1, 1e-18L);
  // Small values whose inverses are past the range: the harmonic mean keeps them.
  EXPECT_VALUE("hmn(1E-4940)", Value("1E-4940"));
  EXPECT_CLOSE(Value("hmn(5E-4933,5E-4933,1E4900)") / 7.5E-4933L, 1, 1e-18L);
  // Where the value itself is beyond the range, it is still an overflow.
  EXPECT_EQ(Eval("sos(1E3000)").Code, errOverflow);
  EXPECT_EQ(Eval("sum(1E4932,1E4932)").Code, errOverflow);
  // A zero in hmn( is a division by zero that leaves the previous result.
  EngineState.Ans = 7;
  EXPECT_EQ(Eval("hmn(1,0)").Code, errDivisionByZero);
  EXPECT_EQ(EngineState.Ans, 7);
  EXPECT_EQ(Eval("hmn(1,-1)").Code, errDivisionByZero);
  EXPECT_EQ(EngineState.Ans, 7);
}

TEST_F(ListFunctions, ArgumentDepthAndErrors) {
  EXPECT_VALUE("mean(1,3)*2", 4);
  EXPECT_CLOSE(Value("sin(mean(1,3))"), std::sin(2.0L), 1e-18L);
  EXPECT_EQ(EngineSettings.ArgDepth, 0);
  EXPECT_VALUE("sum((1+2),-3)", 0);
  EXPECT_EQ(Eval("mean()").Code, errSyntax);
  EXPECT_EQ(Eval("sum(1,2;3)").Code, errSyntax);
  std::string many = "sum(1";
  for (int i = 0; i < 1500; ++i) many += ",1";
  EXPECT_VALUE(many + ")", 1501);
}

}  // namespace

namespace {

class LibraryErrors : public ProceduresTest {};

// A library routine that fails on the last argument of the text still marks the call.
TEST_F(LibraryErrors, FailureAtTheEndOfTheTextIsMarked) {
  const TEvalResult r = Eval("ibeta(1,2,+2*3");
  EXPECT_EQ(r.Code, errArguments);
  EXPECT_EQ(r.Pos, 1);
  EXPECT_GE(r.Len, 1);
}

}  // namespace
