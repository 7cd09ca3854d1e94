#include <set>
#include <string>

#include "engine/builtin_table.h"
#include "tests/engine/engine_test_support.h"

namespace {

class BuiltinNames : public EngineTest {};

TEST_F(BuiltinNames, RowsAreInIdOrderWithTheirKinds) {
  std::set<std::string_view> names;
  for (int i = 0; i < BuiltinCount; ++i) {
    const auto& row = BuiltinTable[static_cast<size_t>(i)];
    EXPECT_EQ(row.Id, i);
    EXPECT_TRUE(names.insert(row.Name).second) << row.Name;
    EXPECT_LE(row.Name.size(), 23u);
    if (row.Kind == 0)
      EXPECT_NE(row.Name.back(), '(') << i;
    else
      EXPECT_EQ(row.Name.back(), '(') << i;
  }
  int kinds[4] = {};
  for (const auto& row : BuiltinTable) ++kinds[row.Kind];
  EXPECT_EQ(kinds[0], 24);  // random, pi twice, e and the twenty letters
  EXPECT_EQ(kinds[3], 6);   // min, solve, integral, max, ibeta, psned
  for (int id : ListFunctionIds) EXPECT_TRUE(IsListFunction(id));
  EXPECT_FALSE(IsListFunction(40));
  EXPECT_TRUE(IsLetterVariable(67));
  EXPECT_TRUE(IsLetterVariable(86));
  EXPECT_FALSE(IsLetterVariable(87));
}

TEST_F(BuiltinNames, HelpTexts) {
  EXPECT_EQ(BuiltinHelp[0], "Absolute minimum search of (...)");
  EXPECT_EQ(BuiltinHelp[9], " Hiperbolic cosine of (...)");
  EXPECT_EQ(BuiltinHelp[28], BuiltinHelp[29]);
  EXPECT_EQ(BuiltinHelp[30], "Natural logarithm \" e \"");
  EXPECT_EQ(BuiltinHelp[45], "Convert from feet to meters");
  // Each conversion row describes its own name.
  EXPECT_EQ(BuiltinHelp[53], "Convert from gallons to liters");
  EXPECT_EQ(BuiltinHelp[54], "Convert from liters to gallons");
  EXPECT_EQ(BuiltinHelp[55], "Convert from yards to meters");
  EXPECT_EQ(BuiltinHelp[58], "Convert from meters to inches");
  EXPECT_EQ(BuiltinHelp[59], "Convert from ounces to grams");
  EXPECT_EQ(BuiltinHelp[61], "Convert from barrels to liters");
  EXPECT_EQ(BuiltinHelp[62], "Convert from liters to barrels");
  EXPECT_EQ(BuiltinHelp[63], "Convert from US gallons to cubic meters");
  EXPECT_EQ(BuiltinHelp[64], "Convert from cubic meters to US gallons");
  EXPECT_EQ(BuiltinHelp[66], "Convert from cubic meters to British imperial gallons");
  for (int i = 67; i <= 87; ++i) EXPECT_TRUE(BuiltinHelp[static_cast<size_t>(i)].empty()) << i;
  EXPECT_TRUE(BuiltinHelp[124].empty());
  EXPECT_EQ(BuiltinHelp[129], "Exponential integral of (...)");
  int filled = 0;
  for (const auto& h : BuiltinHelp) filled += h.empty() ? 0 : 1;
  EXPECT_EQ(filled, 130 - 22);
}

TEST_F(BuiltinNames, EveryNameResolves) {
  for (const auto& row : BuiltinTable) {
    if (row.Id == 87 || row.Id == 124) continue;  // read as a number followed by ^
    const std::string text = std::string(row.Name) + (row.Kind == 0 ? "+1" : "1)");
    EngineState = {};
    EngineState.ExprStr = text;
    EngineState.CurChar = NextChar(EngineState.ExprStr);
    int start = 0;
    Extended unused = 0;
    EXPECT_EQ(ResolveIdentifier(start, unused), row.Id) << text;
    EXPECT_EQ(start, 1);
    EXPECT_FALSE(EngineState.ErrFlag) << text;
    EXPECT_EQ(EngineState.CurChar, row.Kind == 0 ? '+' : '(') << text;
  }
}

TEST_F(BuiltinNames, ArgumentProtocol) {
  EXPECT_ERROR("sqrt(1,2)", errSyntax, 7, 1);   // a comma in a one-argument call
  EXPECT_ERROR("gcd(1,2,3)", errSyntax, 8, 1);  // a third argument of a two-argument call
  EXPECT_ERROR("1+sqrt2", errSyntax, 3, 5);     // no "(": an unknown name
  EXPECT_ERROR(std::string(25, 'a') + "+1", errSyntax, 1, 25);
  EXPECT_EQ(EngineSettings.ArgDepth, 0);
  // A failing call is marked from its name to the failure point.
  const TEvalResult r = Eval("1+sqrt(-4)");
  EXPECT_TRUE(r.Failed);
  EXPECT_EQ(r.Pos, 3);
  EXPECT_EQ(r.Len, 8);
}

}  // namespace
