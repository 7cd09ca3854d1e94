#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "engine/complex_eval.h"
#include "engine/format.h"
#include "engine/random.h"
#include "engine/specfun.h"
#include "engine_test_support.h"

namespace {

class ComplexEvalTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    ComplexAnswer = ComplexZero;
    ComplexDisplayForm = cfAlgebraic;
  }
  void TearDown() override {
    ComplexDisplayForm = cfAlgebraic;
    EngineTest::TearDown();
  }
};

}  // namespace

TEST_F(ComplexEvalTest, ValuesOperatorsAndNames) {
  EXPECT_COMPLEX("comp(3,4)", 3, 4);
  EXPECT_COMPLEX("comp(1+1,2*3)", 2, 6);
  EXPECT_COMPLEX("comp(1,2)*comp(3,4)", -5, 10);
  EXPECT_COMPLEX("comp(1,2)/comp(3,4)", 0.44, 0.08);
  EXPECT_COMPLEX("comp(1,2)-comp(3,4)+comp(0,1)", -2, -1);
  EXPECT_COMPLEX("-comp(1,2)^comp(2,0)", 3, -4);  // the sign takes the power with it
  EXPECT_COMPLEX("comp(2,0)^-comp(1,0)", 0.5, 0);
  EXPECT_COMPLEX("comp(2,0)^comp(3,0)\xB2", 512, 0);
  EXPECT_COMPLEX("comp(2,0)\xBD", std::sqrt(2.0), 0);
  EXPECT_COMPLEX("comp(2,0)\xB3", 8, 0);
  EXPECT_COMPLEX("comp(1,1)\xB2", 0, 2);
  EXPECT_COMPLEX("(comp(1,0)+comp(2,0)", 3, 0);  // an unclosed group at the end is accepted
  EXPECT_COMPLEX("sin(comp(0,1)", 0, 1.1752011936438014);
  EXPECT_COMPLEX("sqrt(comp(-4,0))", 0, 2);
  EXPECT_COMPLEX("abs(comp(3,4))", 5, 0);
  EXPECT_COMPLEX("sqr(comp(1,1))", 0, 2);
  EXPECT_COMPLEX("arccosh(comp(2,1))", 1.4693517443681852, 0.5073563032171445);
  EXPECT_COMPLEX("LnGamma(comp(1,0))", 0, 0);
  EXPECT_COMPLEX("tan(comp(1,100000))", 0, 1);
  EXPECT_COMPLEX("pi", M_PI, 0);
  EXPECT_COMPLEX("\xB6", M_PI, 0);
  EXPECT_COMPLEX("e*comp(2,0)", 2 * M_E, 0);
  EXPECT_COMPLEX("comp(0,0)^comp(0,0)", 1, 0);

  ComplexAnswer = TComplex{cfAlgebraic, 1, 1};
  EXPECT_COMPLEX("?", 1, 1);
  EXPECT_COMPLEX("-?", -1, -1);
  EXPECT_COMPLEX("?*?", 0, 2);
  EXPECT_COMPLEX("?\xB2", 0, 2);

  SetRandomSeed(7);
  const TCompResult r = CEval("random");
  EXPECT_FALSE(r.Failed);
  EXPECT_TRUE(r.Z.A >= 0 && r.Z.A < 1 && r.Z.B >= 0 && r.Z.B < 1);

  // In exponential display comp(a,b) is a·exp(b·i); a negative modulus is turned round.
  ComplexDisplayForm = cfExponential;
  TCompResult x = CEval("comp(2,1)");
  EXPECT_EQ(x.Z.Form, cfExponential);
  EXPECT_EQ(x.Z.A, 2);
  EXPECT_EQ(x.Z.B, 1);
  x = CEval("comp(-4,0)");
  EXPECT_EQ(x.Z.A, 4);
  EXPECT_COMPLEX("sqrt(comp(-4,0))", 0, 2);
  EXPECT_COMPLEX("abs(comp(-4,0))", 4, 0);
}

TEST_F(ComplexEvalTest, ErrorsAndTheirSpans) {
  EXPECT_CERROR("comp(1,0)/comp(0,0)", errDivisionByZero, 11, 9);
  EXPECT_CERROR("comp(1,0)/(comp(0,0))+comp(1,0)", errDivisionByZero, 11, 11);
  EXPECT_CERROR("comp(0,0)^comp(-1,0)", errDivisionByZero, 10, 1);
  ComplexAnswer = ComplexOne;
  EXPECT_CERROR("comp(1,0)+ln(comp(0,0))", errSingularity, 11, 13);
  EXPECT_TRUE(CEqual(ComplexAnswer, ComplexZero));
  EXPECT_CERROR("arctan(comp(0,1))", errSingularity, 1, 17);
  EXPECT_CERROR("exp(comp(100000,0))", errOverflow, 1, 19);

  // Overflowing operators report, never a huge number.
  EXPECT_CERROR("comp(2,0)^comp(100000,0)", errOverflow, 10, 1);
  EXPECT_CERROR("exp(comp(11356,0))\xB2", errOverflow, 19, 1);
  EXPECT_CERROR("exp(comp(11356,0))*exp(comp(11356,0))", errOverflow, 19, 1);
  EXPECT_CERROR("exp(comp(11356,0))\xB3", errOverflow, 19, 1);

  // Syntax: no number literals, nothing after the expression, unknown operators and names.
  EXPECT_CERROR("2", errSyntax, 1, 1);
  EXPECT_CERROR("comp(1,0)+2.5", errSyntax, 11, 1);
  EXPECT_CERROR("comp(1,0)&comp(2,0)", errSyntax, 10, 1);
  EXPECT_CERROR("comp(1,0))+comp(5,0)", errSyntax, 10, 1);
  EXPECT_CERROR("comp(1,0)comp(2,0)", errSyntax, 10, 1);
  EXPECT_TRUE(CEval(std::string("comp(1,0)\x7F+comp(1,0)")).Failed);
  EXPECT_CERROR("?&comp(1,0)", errSyntax, 2, 1);
  EXPECT_CERROR("^comp(1,0)", errSyntax, 1, 1);
  EXPECT_CERROR("+-comp(1,0)", errSyntax, 2, 1);
  EXPECT_CERROR("comp(1,0)+*comp(1,0)", errSyntax, 11, 1);
  EXPECT_CERROR("comp(1,0)*-comp(1,0)", errSyntax, 11, 1);
  EXPECT_CERROR("comp(2,0)^-", errSyntax, 11, 1);
  EXPECT_CERROR("comp(2,0)^comp(2,0)*comp(3,0)", errSyntax, 20, 1);
  EXPECT_CERROR("foo+comp(1,0)", errSyntax, 1, 3);
  EXPECT_CERROR("comp(1,0)*foo", errSyntax, 11, 3);
  EXPECT_CERROR("fx(comp(1,0))", errSyntax, 1, 2);
  EXPECT_CERROR("x", errSyntax, 1, 1);
  EXPECT_CERROR("comp(1,0)+Y=comp(1,0)", errSyntax, 11, 1);
  EXPECT_CERROR("log(comp(1,0))", errSyntax, 1, 3);
  EXPECT_CERROR("\xB6x", errSyntax, 1, 2);
  EXPECT_CERROR("sin(comp(1,0)&comp(2,0))", errMissingClose, 14, 1);
  EXPECT_CERROR("(comp(1,0)&comp(2,0))", errMissingClose, 12, 1);

  // comp( parts: their own errors, mapped onto the whole text.
  EXPECT_CERROR("comp(1,2", errMissingClose, 8, 1);
  EXPECT_CERROR("comp(1)", errCommaExpected, 7, 1);
  EXPECT_CERROR("comp(,1)", errSyntax, 6, 1);
  EXPECT_CERROR("comp(1,2,3)", errSyntax, 9, 1);
  EXPECT_CERROR("comp(1,1/0)", errDivisionByZero, 10, 1);
  EXPECT_CERROR("comp(2,0)*comp(1+*2,0)", errSyntax, 18, 1);
  EXPECT_VALUE("2+3", 5);  // the real evaluator is left usable

  // Deep nesting ends in an error, not in a crash.
  EXPECT_EQ(CEval(std::string(5000, '(') + "comp(1,0)").Code, errStackOverflow);
  EXPECT_EQ(CEval(std::string(3000, '-') + "comp(1,0)").Code, errSyntax);
  std::string powers = "comp(1,0)";
  for (int i = 0; i < 3000; ++i) powers += "^comp(1,0)";
  EXPECT_TRUE(CEval(powers).Failed);
  EXPECT_EQ(EngineState.NestDepth, 0);

  // An empty text changes nothing.
  bool flag = true;
  int pos = 42, len = 42;
  TComplex z = ComplexOne;
  std::string empty;
  CompEvaluate(empty, flag, pos, len, z);
  EXPECT_TRUE(flag);
  EXPECT_EQ(pos, 42);
  EXPECT_TRUE(CEqual(z, ComplexZero));
}

TEST_F(ComplexEvalTest, NameTable) {
  EXPECT_EQ(ComplexNameTable.size(), 88u);
  for (int id = 0; id < ComplexNameCount; ++id)
    EXPECT_EQ(ComplexNameTable[static_cast<size_t>(id)].Id, id);
  EXPECT_EQ(ComplexBuiltinHelp[1], "Complex Sine of (%A)");
  EXPECT_EQ(ComplexBuiltinHelp[17], "Complex number of (..)");
  EXPECT_EQ(ComplexBuiltinHelp[40], "Complex Squared of (..)");
}

TEST_F(ComplexEvalTest, FormatterForms) {
  EngineSettings.DisplayMode = 1;  // Fix
  EXPECT_EQ(CompToStr(TComplex{cfAlgebraic, 3, 4}, 12), "3.0+4.0i");
  EXPECT_EQ(CompToStr(TComplex{cfAlgebraic, 3, -4}, 12), "3.0-4.0i");
  EXPECT_EQ(CompToStr(TComplex{cfAlgebraic, -0.25L, 0}, 12), "-0.25+0.0i");
  EXPECT_EQ(CompToStr(TComplex{cfAlgebraic, 0, 2.5e12L}, 12), "0.0+2.5E+12i");
  // Few digits: one decimal at least, and a part that no decimal can show goes scientific.
  EXPECT_EQ(CompToStr(TComplex{cfAlgebraic, 0.5L, 0.001L}, 3), "0.5+1.0E-3i");
  EXPECT_EQ(CompToStr(TComplex{cfAlgebraic, -7.25L, -2}, 2), "-7.2-2.0i");
  ComplexDisplayForm = cfExponential;
  EXPECT_EQ(CompToStr(TComplex{cfExponential, 2, 1}, 12), "2.0*exp(1.0i)");
  EXPECT_EQ(CompToStr(TComplex{cfExponential, 2, -1}, 12), "2.0*exp(-1.0i)");
  EXPECT_EQ(CompToStr(TComplex{cfAlgebraic, 0, 2}, 12), "2.0*exp(1.570796327i)");
  ComplexDisplayForm = cfAlgebraic;

  EngineSettings.DisplayMode = 0;  // Scn
  EXPECT_EQ(CompToStr(TComplex{cfAlgebraic, 1234.5L, -0.5L}, 12), "1.2345E+3-5.0E-1i");
  EXPECT_EQ(CompToStr(TComplex{cfAlgebraic, 0, 0}, 12), "0.0E+0+0.0E+0i");
  // Each part follows the real formatter's rules (and so its digit count) in Scn and Eng.
  for (int mode : {0, 2}) {
    EngineSettings.DisplayMode = static_cast<std::uint8_t>(mode);
    for (Extended v : {1.0L / 3, 12345.678L, 2.5e-300L, 7.0L, 1e100L / 7}) {
      for (int digits : {8, 12, 18}) {
        const std::string s = CompToStr(TComplex{cfAlgebraic, v, -v}, digits);
        EXPECT_EQ(s, FormatNumber(digits, v) + FormatNumber(digits, -v) + "i") << mode;
      }
    }
  }
}

TEST_F(ComplexEvalTest, FuzzerInputsEndWithAValueOrAnError) {
  // Once slow: Fermi-Dirac integrals far above their level and of high order inside comp(.
  ComplexDisplayForm = cfExponential;
  EngineSettings.DisplayMode = 1;
  EXPECT_CERROR(
      "(comp(+3,080/\xB6/\xB6/\xB6/\xB6/\xB6/eFD((\xB6/\xB6/\xB6,/\xB6,\xB6/(Ci(\xB6/(\xB6/"
      "(\xB6/5)))/8888.))))77",
      errMissingClose, 67, 1);
  EXPECT_CERROR(
      "sqr(comp(+3,0033/Yn(38,8)%030-8853/eFD(880,76E-38-0088888888888880033/Yn(38,8)%030-"
      "8853/Yn(3880,76E-38-0010030-8852/Yn(3880,76E-38-0010984/Yn(.1,888-8)/88888E-3)%88889))8)"
      "80/86",
      errOverflow, 36, 134);
  ComplexDisplayForm = cfAlgebraic;
  EXPECT_COMPLEX("comp(eFD(4,1E9)/1E44,0)", 2, 0);
}
