#include <string>
#include <vector>

#include "tests/engine/procedures_test_support.h"

namespace {

class UserFunctionCalls : public ProceduresTest {};
class UserFunctionFile : public ProceduresTest {};

std::string Refusal(const std::string& Line) {
  std::string message;
  EXPECT_FALSE(UserFunctions->AddFunction(Line, &message)) << Line;
  return message;
}

TEST(UserFunctionDefinition, ParametersAreMarkedAsWholeNames) {
  TUserFunc g("g(a, ab) = a+ab ; sum");
  EXPECT_TRUE(g.Valid);
  EXPECT_EQ(g.Name, "g(");
  EXPECT_EQ(g.Params, "a,ab");
  EXPECT_EQ(g.Body, "a+ab");
  EXPECT_EQ(g.Comment, "; sum");
  EXPECT_EQ(g.Code, std::string("\x01+\x02"));
  EXPECT_EQ(g.ParamList, (std::vector<std::string>{"ab", "a"}));
  EXPECT_EQ(TUserFunc::FindParam("m", "m_ft(m)"), 6);
  EXPECT_EQ(TUserFunc::FindParam("n", "n!(n)"), 4);
  EXPECT_EQ(TUserFunc::FindParam("x", "exp(x)"), 5);
  EXPECT_EQ(TUserFunc::FindParam("x", "ex"), 0);
  EXPECT_TRUE(TUserFunc(";only a comment").IsComment());
}

TEST_F(UserFunctionCalls, RefusedDefinitions) {
  EXPECT_EQ(Refusal("h(a,a)=a"), "Dublicate parametrs (a,a)");
  EXPECT_EQ(Refusal("k(a,b)=a"), "Parametr missing k(a,b)=a");
  EXPECT_EQ(Refusal("m()=1"), "Invalid functions m()=1");
  EXPECT_EQ(Refusal("noparens=1"), "Invalid functions noparens=1");
  EXPECT_EQ(Refusal("f(x)="), "Invalid functions f(x)=");
  EXPECT_EQ(Refusal("f(x)y=x"), "Invalid functions f(x)y=x");
  EXPECT_EQ(Refusal("f(1+x)=x"), "Invalid functions f(1+x)=x");
  // Names that the built-ins or the letter variables take can never be called.
  EXPECT_EQ(Refusal("sin(x)=x"), "Invalid functions sin(x)=x");
  EXPECT_EQ(Refusal("w(x)=x"), "Invalid functions w(x)=x");
  EXPECT_EQ(Refusal(std::string("f(x)=x+\x01")), std::string("Invalid functions f(x)=x+\x01"));
  EXPECT_EQ(Refusal("averyveryverylongname1(x)=x"),
            "Invalid functions averyveryverylongname1(x)=x");
  EXPECT_EQ(UserFunctions->GetCount(), 0);
}

TEST_F(UserFunctionCalls, ArgumentsAreParenthesisedValues) {
  Define("f(x)=x^2");
  Define("g(a,ab)=a+ab");
  Define("hyp(a,b)=sqrt(a^2+b^2)");
  EXPECT_VALUE("f(3)", 9);
  EXPECT_VALUE("f(1+2)", 9);
  EXPECT_VALUE("f(-3)", 9);
  EXPECT_VALUE("g(1,10)", 11);
  EXPECT_VALUE("hyp(3,4)*2", 10);
  EXPECT_VALUE("f(f(2))", 16);
  EXPECT_VALUE("f(2)^2", 16);  // the postfix operators apply to the call's value
  EXPECT_VALUE("f(hyp(3,4))+g(2,f(2))", 31);
  SetLetter(varX, 2);
  EXPECT_CLOSE(Value("integral(0,1,f(X))"), 1.0L / 3, 1e-18L);
  EXPECT_EQ(Letter(varX), 2);
}

TEST_F(UserFunctionCalls, BuiltinsInsideTheBodyKeepTheirNames) {
  Define("u(m)=m_ft(m)");
  Define("fa(n)=n!(n)");
  EXPECT_CLOSE(Value("u(1)"), 3.28083989499999L, 1e-15L);
  EXPECT_VALUE("fa(4)", 24);
}

TEST_F(UserFunctionCalls, ArgumentErrors) {
  Define("f(x)=x^2");
  Define("g(a,b)=a*b");
  EXPECT_ERROR("f(3", errMissingArgument, 1, 3);
  EXPECT_EQ(Eval("g(1)").Code, errMissingArgument);
  EXPECT_EQ(Eval("g(1,)").Code, errMissingArgument);
  EXPECT_EQ(Eval("f(1,2)").Code, errSyntax);
  EXPECT_EQ(Eval("nosuch(1)").Code, errSyntax);
}

TEST_F(UserFunctionCalls, ErrorsInsideTheBody) {
  Define("inv(x)=1/x");
  Define("inv2(x)=inv(x)+1");
  const TEvalResult r = Eval("2+inv(0)");
  EXPECT_EQ(r.Code, errUserFunction);
  EXPECT_EQ(r.Pos, 3);
  EXPECT_EQ(r.Len, 6);
  EXPECT_EQ(EngineState.InnerErrCode, errDivisionByZero);
  // The position within the body, one before the reader's (the '/' of 1/(0) here).
  EXPECT_EQ(ErrorText(errUserFunction), "User Function Error \"Division by zero position: 2\" ");
  // The innermost failure is reported through nested calls.
  EXPECT_EQ(Eval("inv2(0)").Code, errUserFunction);
  EXPECT_EQ(EngineState.InnerErrCode, errDivisionByZero);
  // The next call reads its own arguments.
  EXPECT_VALUE("inv(4)+inv(2)", 0.75);
}

TEST_F(UserFunctionCalls, LaterDefinitionsOfTheNameAreTriedInTurn) {
  Define("d(x)=1/(x-1)");
  Define("d(x)=x*10");
  EXPECT_VALUE("d(1)", 10);
  EXPECT_VALUE("d(3)+d(1)", 10.5);
}

TEST_F(UserFunctionCalls, RecursionIsStackOverflow) {
  Define("r(x)=r(x)+1");
  Define("p(x)=q(x)*2");
  Define("q(x)=p(x)+1");
  Define("fac(n)=if(n<<1)then(1)else(n*fac(n-1))");
  EXPECT_ERROR("1+r(1)", errStackOverflow, 3, 4);
  EXPECT_EQ(Eval("p(2)").Code, errStackOverflow);
  EXPECT_EQ(EngineState.NestDepth, 0);
  // Recursion that ends by itself works.
  EXPECT_VALUE("fac(10)", 3628800);
  EXPECT_CLOSE(Value("fac(150)") / 5.7133839564458545904789328652e262L, 1, 1e-15L);
  EXPECT_EQ(Eval("fac(500)").Code, errStackOverflow);
  // Arguments that grow with each level end the same way, before memory runs out.
  Define("grow(x)=grow(x*x)+1");
  EXPECT_EQ(Eval("grow(2)").Code, errStackOverflow);
  // A long body is no recursion: it runs as the same text does in the input line.
  std::string Ones;
  for (int i = 0; i < 33000; ++i) Ones += "1+";
  Define("long(x)=" + Ones + "x");
  EXPECT_VALUE("long(2)", 33002);
  EXPECT_VALUE("long(long(2))", 66002);
  // One that no call could hold is refused when it is defined, saying so.
  const TUserFunc huge("huge(x)=" + std::string(MaxUserBodyLength, '1') + "+x");
  EXPECT_FALSE(huge.Valid);
  EXPECT_EQ(huge.Refusal(),
            "The function huge(...) is longer than the 16777216 characters that a "
            "user function can hold");
  // Through a letter's definition as well.
  VarExprs[varN] = "r(N)";
  EXPECT_EQ(Eval("N").Code, errStackOverflow);
}

TEST_F(UserFunctionCalls, ManyNestedCallsCanBeStopped) {
  Define("four(x)=x+x+x+x");
  EXPECT_VALUE("four(four(1))", 16);
  Host.StopAtPump = 2;
  const TEvalResult r = Eval("four(four(four(four(four(four(four(four(four(four(1))))))))))");
  EXPECT_EQ(r.Code, errUserBreak);
  EXPECT_EQ(Host.Questions, 1);
}

TEST_F(UserFunctionCalls, ValueStack) {
  UserFunctions->PushValue(2);
  EXPECT_EQ(UserFunctions->PopValue(), 2);
  EXPECT_FALSE(UserFunctions->StackEmpty);
  EXPECT_EQ(UserFunctions->PopValue(), 0);
  EXPECT_TRUE(UserFunctions->StackEmpty);
}

TEST_F(UserFunctionFile, EveryLineIsKeptAndBadOnesAreReported) {
  // The lines as the calculator hands them over (it reads the file; see the app's tests).
  std::vector<TFunctionFileLine> lines;
  for (const char* text : {"; Library of test functions", "sq(x) = x^2 ; square", "",
                           ";second comment \xE9t\xE9", "bad line without parens", "cube(x)=x^3",
                           "h(a,a)=a", "   ", "k(a,b)=a", "hyp(a,b)=sqrt(a^2+b^2)", "p(x)=x+1"})
    lines.push_back({text, "", ""});
  lines.back().Refusal = "refused by the reader";
  lines.back().Source = "p(x)=x+1 \xCF\x80";
  UserFunctions->LoadLines("functions.fnc", lines);
  // Every line is an entry, blank and refused ones included, so that saving loses none.
  ASSERT_EQ(UserFunctions->GetCount(), 11);
  EXPECT_TRUE(UserFunctions->GetItem(0)->IsComment());
  EXPECT_EQ(UserFunctions->GetItem(3)->Comment, ";second comment \xE9t\xE9");
  EXPECT_FALSE(UserFunctions->GetItem(2)->Valid);
  EXPECT_EQ(UserFunctions->GetItem(7)->Line, "   ");
  EXPECT_EQ(UserFunctions->GetItem(10)->Source, "p(x)=x+1 \xCF\x80");
  ASSERT_EQ(UserFunctions->Problems.size(), 4u);
  EXPECT_EQ(UserFunctions->Problems[0].Line, 5);
  EXPECT_EQ(UserFunctions->Problems[0].Message, "Invalid functions bad line without parens");
  EXPECT_EQ(UserFunctions->Problems[1].Line, 7);
  EXPECT_EQ(UserFunctions->Problems[1].Message, "Dublicate parametrs (a,a)");
  EXPECT_EQ(UserFunctions->Problems[2].Line, 9);
  EXPECT_EQ(UserFunctions->Problems[3].Line, 11);
  EXPECT_EQ(UserFunctions->Problems[3].Message, "refused by the reader");
  // Lines after the bad ones are loaded; a refused line is never called.
  EXPECT_VALUE("sq(3)+cube(2)", 17);
  EXPECT_VALUE("hyp(3,4)", 5);
  EXPECT_EQ(Eval("h(1,1)").Code, errSyntax);
  EXPECT_EQ(Eval("p(1)").Code, errSyntax);
}

}  // namespace
