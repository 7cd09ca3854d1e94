// The hashed name lookup must answer exactly what a scan of the table in row order answers, for
// every name, every stop character and the names that differ from one by a little.
#include <string>
#include <vector>

#include "engine/builtin_table.h"
#include "engine/variables.h"
#include "tests/engine/engine_test_support.h"

namespace {

class BuiltinLookup : public EngineTest {};

// The table read row by row, as the reference.
int ScanTable(std::string_view NameWithStop) {
  if (NameWithStop.empty()) return -1;
  const std::string_view bare = NameWithStop.substr(0, NameWithStop.size() - 1);
  for (const auto& row : BuiltinTable)
    if (row.Kind == 0 ? row.Name == bare : row.Name == NameWithStop) return row.Id;
  return -1;
}

// Every character that ends a name, and a few that do not.
const std::string Stops = std::string("()=,^+-*/%&|\\\x7F\xB2\xB3\xBD") + "a1 !_.<";

std::vector<std::string> NearMisses(const std::string& Name) {
  std::vector<std::string> out;
  for (size_t i = 0; i < Name.size(); ++i) {
    out.push_back(Name.substr(0, i) + Name.substr(i + 1));  // one character dropped
    std::string flipped = Name;
    const char c = flipped[i];
    if (c >= 'a' && c <= 'z') flipped[i] = static_cast<char>(c - 'a' + 'A');
    if (c >= 'A' && c <= 'Z') flipped[i] = static_cast<char>(c - 'A' + 'a');
    out.push_back(flipped);  // other case
    for (const char other : std::string("aesnX_(0")) {
      std::string changed = Name;
      changed[i] = other;
      out.push_back(changed);
      out.push_back(Name.substr(0, i) + other + Name.substr(i));  // one character added
    }
  }
  out.push_back(Name + Name);
  return out;
}

TEST_F(BuiltinLookup, AgreesWithTheTableForEveryNameAndStop) {
  int found = 0;
  for (const auto& row : BuiltinTable) {
    const std::string name(row.Name);
    const std::string bare = row.Kind == 0 ? name : name.substr(0, name.size() - 1);
    std::vector<std::string> candidates = NearMisses(bare);
    candidates.push_back(bare);
    for (const auto& candidate : candidates) {
      for (const char stop : Stops) {
        const std::string key = candidate + stop;
        const int expected = ScanTable(key);
        EXPECT_EQ(FindBuiltin(key), expected) << key;
        found += expected >= 0;
      }
      EXPECT_EQ(FindBuiltin(candidate), ScanTable(candidate)) << candidate;
    }
    EXPECT_EQ(FindBuiltin(name), ScanTable(name)) << name;
    EXPECT_EQ(FindBuiltin(name + "("), ScanTable(name + "(")) << name;
  }
  EXPECT_GT(found, 130);
  for (const char* key : {"", "(", "\x7F", "((", "forJtoKstepMdo(", "pi", "p", "sin", "sin(("})
    EXPECT_EQ(FindBuiltin(key), ScanTable(key)) << key;
}

// Names are compared by their first 20 characters: a name that only differs after them is the
// same name, and a built-in name can never be longer.
TEST_F(BuiltinLookup, LongNamesAreCutToTwentyCharacters) {
  const std::string twenty = "abcdefghijklmnopqrst";
  for (const std::string& tail : {std::string(), std::string("u"), std::string(30, 'v')}) {
    const std::string key = twenty + tail;
    EngineState = {};
    EngineState.ExprStr = key + "(1)";
    EngineState.CurChar = NextChar(EngineState.ExprStr);
    int start = 0;
    Extended unused = 0;
    EXPECT_EQ(ResolveIdentifier(start, unused), -1) << key;
    EXPECT_EQ(EngineState.ErrCode, errSyntax);
    EXPECT_EQ(EngineState.ErrPos, 1);
    EXPECT_EQ(EngineState.ErrLen, static_cast<int>(key.size())) << key;
  }
  // A variable is found by the first 20 characters of a longer name.
  SetUserVariable(twenty, 5);
  EXPECT_VALUE(twenty + "+1", 6);
  EXPECT_VALUE(twenty + "uvw+1", 6);
  EXPECT_VALUE("2*" + twenty + std::string(40, 'z') + "*3", 30);
  EXPECT_ERROR(twenty.substr(0, 19) + "+1", errSyntax, 1, 19);
  UserVariables.clear();
  // A built-in name followed by more letters is another (unknown) name, however long.
  const std::string longSin = "sin" + std::string(24, 'x');
  EXPECT_ERROR(longSin + "(1)", errSyntax, 1, static_cast<int>(longSin.size()));
  std::string longPi;
  for (int i = 0; i < 12; ++i) longPi += "pi";
  EXPECT_ERROR(longPi + "+1", errSyntax, 1, static_cast<int>(longPi.size()));
  EXPECT_VALUE("sin(0)+pi*0+e*0", 0);
}

}  // namespace
