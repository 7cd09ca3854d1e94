#include <cmath>
#include <string>

#include "tests/engine/engine_test_support.h"

namespace {

class Grammar : public EngineTest {};

TEST_F(Grammar, PrecedenceAndAssociativity) {
  EXPECT_VALUE("1+2*3", 7);
  EXPECT_VALUE("(1+2)*3", 9);
  EXPECT_VALUE("10-4-3", 3);
  EXPECT_VALUE("64/4/2", 8);
  EXPECT_VALUE("-2^2", -4);
  EXPECT_VALUE("-2*3", -6);
  EXPECT_VALUE("2^3^2", 512);
  EXPECT_VALUE("2^3\xB2", 512);
  EXPECT_VALUE("2^-3", 0.125);
  EXPECT_VALUE("2^-1", 0.5);
  EXPECT_VALUE("50%20", 10);
  EXPECT_VALUE("3\xB2", 9);
  EXPECT_VALUE("2\xB3", 8);
  EXPECT_VALUE("16\xBD", 4);
  EXPECT_VALUE("2\xB2\xBD\xB3", 8);  // square, root, cube in that order
  EXPECT_VALUE("+5", 5);
  EXPECT_VALUE("(-5)", -5);
  EXPECT_VALUE("(2+3", 5);  // an unclosed group at the very end is accepted
  EXPECT_VALUE("((2+3)*(4-1))", 15);
  EXPECT_VALUE("2^-(3)", 0.125);
  EXPECT_VALUE("2^-(3", 0.125);  // the sign holds also when the group ends the text
  EXPECT_VALUE("2)", 2);         // the surplus ")" and what follows it are not read
  EXPECT_VALUE("2)+garbage", 2);
}

TEST_F(Grammar, BitOperators) {
  EXPECT_VALUE("5&3", 1);
  EXPECT_VALUE("5|3", 7);
  EXPECT_VALUE("5\\3", 6);
  EXPECT_VALUE("-1.5&7", 7);
  EXPECT_VALUE("9223372036854775807.0&1", 1);
  // Operands without a 64-bit value are out of range at the operator.
  EXPECT_ERROR("1E19&1", errOutOfRange, 5, 1);
  EXPECT_ERROR("1|(-1E19)", errOutOfRange, 2, 1);
  EXPECT_ERROR("1\\1E300", errOutOfRange, 2, 1);
}

TEST_F(Grammar, OperatorSequencesAreSyntaxErrors) {
  for (const char* t : {"2+-3",
                        "2*-3",
                        "2**3",
                        "2*/3",
                        "2+*3",
                        "2^*3",
                        "2*^3",
                        "%2",
                        "&2",
                        "^2",
                        "|2",
                        "\\2",
                        "\xB2"
                        "2",
                        "\xB3"
                        "2",
                        "2\xB2^3",
                        "2,3",
                        "2 3",
                        "--2",
                        "+-2",
                        "2^--3",
                        "2^-",
                        "-",
                        "",
                        "()",
                        "(",
                        "2+",
                        "sin(1,2)",
                        "pi(2)",
                        "$1",
                        "2a",
                        "?3"}) {
    const std::string text = t;
    if (text.empty()) continue;
    const TEvalResult r = Eval(text);
    EXPECT_TRUE(r.Failed) << text;
    EXPECT_EQ(r.Code, errSyntax) << text;
    EXPECT_GE(r.Len, 1) << text;
    EXPECT_EQ(EngineState.CurChar, EndChar) << text;
    EXPECT_EQ(EngineSettings.ArgDepth, 0) << text;
  }
}

TEST_F(Grammar, ErrorPositions) {
  EXPECT_ERROR("2+-3", errSyntax, 3, 1);
  EXPECT_ERROR("2**3", errSyntax, 3, 1);
  // Division by zero marks the divisor.
  EXPECT_ERROR("1/(2-2)", errDivisionByZero, 3, 5);
  EXPECT_ERROR("1/0+2", errDivisionByZero, 3, 1);
  EXPECT_ERROR("1/0", errDivisionByZero, 3, 1);
  EXPECT_ERROR("7+1/00*3", errDivisionByZero, 5, 2);
  // A ')' after the divisor is not part of it, also when it is the text's last character.
  EXPECT_ERROR("sin(1/0)", errDivisionByZero, 7, 1);
  // The end marker as a byte of the text does not end it silently.
  EXPECT_ERROR(std::string("2\x7F+3"), errSyntax, 2, 1);
  EXPECT_VALUE(std::string("2+3\x7F"), 5);
  EXPECT_ERROR("(1/0)", errDivisionByZero, 4, 1);
  EXPECT_ERROR("(2/(1-1))", errDivisionByZero, 4, 5);
  // An unknown name is marked as a whole, also at the end of the text.
  EXPECT_ERROR("abc+1", errSyntax, 1, 3);
  EXPECT_ERROR("2*abc", errSyntax, 3, 3);
  EXPECT_ERROR("q", errSyntax, 1, 1);
  // A group that stops elsewhere than at ")" inside an argument: code 18 one past the stop.
  EXPECT_ERROR("sqrt(((2)3))", errMissingClose, 11, 1);
  // An operand must be followed by an operand follower, inside an argument too.
  EXPECT_ERROR("sqrt((2;3))", errSyntax, 8, 1);
  EXPECT_ERROR("(-4)\xBD", errArgumentNegative, 5, 1);
  EXPECT_ERROR("(-8)^0.5", errArgumentNegative, 8, 1);
}

TEST_F(Grammar, PowerEdges) {
  EXPECT_VALUE("0^0", 1);
  EXPECT_VALUE("0^2", 0);
  EXPECT_ERROR("0^-1", errDivisionByZero, 4, 1);
  EXPECT_ERROR("0^(-2)", errDivisionByZero, 6, 1);
  EXPECT_VALUE("(-2)^3", -8);
  EXPECT_VALUE("(-2)^-2", 0.25);
  EXPECT_VALUE("(-2)^2", 4);
  EXPECT_VALUE("10^-5000", 0);  // below 3.4E-1000 flushes to 0
  EXPECT_EQ(Power(2, 0.5), std::sqrt(2.0L));
  EXPECT_EQ(Power(-3, 3), -27);
  EXPECT_ERROR("10^5000", errOverflow, 3, 1);
  EXPECT_ERROR("(-10)^5001", errOverflow, 6, 1);
}

TEST_F(Grammar, NonFiniteResultsOverflowAtTheOperator) {
  EXPECT_ERROR("1E4000*1E4000", errOverflow, 7, 1);
  EXPECT_ERROR("1E4932+1E4932", errOverflow, 7, 1);
  EXPECT_ERROR("-1E4932-1E4932", errOverflow, 8, 1);
  EXPECT_ERROR("1E4000/1E-4000", errOverflow, 7, 1);
  EXPECT_ERROR("1E4000%1E4000", errOverflow, 7, 1);
  EXPECT_ERROR("1E3000\xB2", errOverflow, 7, 1);
  EXPECT_ERROR("1E2000\xB3", errOverflow, 7, 1);
  EXPECT_EQ(Eval("1E4000*1E4000").Value, 0);
}

TEST_F(Grammar, PreviousResult) {
  EngineState.Ans = 4;
  EXPECT_VALUE("?", 4);
  EXPECT_VALUE("?*?+1", 17);
  EXPECT_VALUE("-?", -4);
  EXPECT_VALUE("?\xB2", 16);
}

TEST_F(Grammar, EvaluateContract) {
  // An empty text is 0 and leaves the previous error state alone.
  Eval("1/0");
  ASSERT_TRUE(EngineState.ErrFlag);
  EngineState.ExprStr.clear();
  EXPECT_EQ(Evaluate(""), 0);
  EXPECT_TRUE(EngineState.ErrFlag);
  EXPECT_EQ(EngineState.ErrCode, errDivisionByZero);
  // ErrCode is not reset by a successful evaluation; ErrFlag and ErrPos are.
  Eval("1+1");
  EXPECT_FALSE(EngineState.ErrFlag);
  EXPECT_EQ(EngineState.ErrPos, 0);
  EXPECT_EQ(EngineState.ErrCode, errDivisionByZero);

  bool failed = false;
  int pos = -7, len = -7;
  EXPECT_EQ(EvaluateEx("6/3", failed, pos, len), 2);
  EXPECT_FALSE(failed);
  EXPECT_EQ(EngineState.ExprStr, "6/3");
  EvaluateEx("6/0", failed, pos, len);
  EXPECT_TRUE(failed);
  EXPECT_EQ(pos, 3);
  EXPECT_EQ(len, 1);
  pos = len = -7;
  EXPECT_EQ(EvaluateEx("", failed, pos, len), 0);
  EXPECT_EQ(pos, -7);
  EXPECT_EQ(len, -7);
}

TEST_F(Grammar, Constants) {
  EXPECT_VALUE("pi", 3.1415926535897932387L);
  EXPECT_VALUE("\xB6", 3.1415926535897932387L);
  EXPECT_VALUE("e", 2.7182818284590452352L);
  EXPECT_VALUE("-pi", -3.1415926535897932387L);
  EXPECT_VALUE("2*pi\xB2", 2 * 3.1415926535897932387L * 3.1415926535897932387L);
  EXPECT_VALUE("e^1", std::pow(2.7182818284590452352L, 1.0L));
  EXPECT_ERROR("Pi", errSyntax, 1, 2);  // names are case-sensitive
}

TEST_F(Grammar, DeepNestingIsStackOverflow) {
  for (int n : {5000, 20000}) {
    const TEvalResult open = Eval(std::string(static_cast<size_t>(n), '('));
    EXPECT_TRUE(open.Failed);
    EXPECT_EQ(open.Code, errStackOverflow);
    const TEvalResult groups = Eval(std::string(static_cast<size_t>(n), '(') + "1" +
                                    std::string(static_cast<size_t>(n), ')'));
    EXPECT_EQ(groups.Code, errStackOverflow);
    std::string powers = "2";
    for (int i = 0; i < n; ++i) powers += "^2";
    EXPECT_EQ(Eval(powers).Code, errStackOverflow);
    std::string signs = "1";
    for (int i = 0; i < n; ++i) signs += "^-1";
    EXPECT_EQ(Eval(signs).Code, errStackOverflow);
    EXPECT_EQ(EngineState.NestDepth, 0);
  }
  // Moderate nesting is fine.
  EXPECT_VALUE(std::string(200, '(') + "7" + std::string(200, ')'), 7);
}

}  // namespace
