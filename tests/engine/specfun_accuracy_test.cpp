// Every built-in against reference values computed at 40 digits (data/gen_specfun_reference.py).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "engine/builtins.h"
#include "engine/engine_state.h"
#include "engine/specfun.h"
#include "engine_test_support.h"

namespace {

// Ids whose results must be within a few units in the last place of long double.
const std::set<int> UlpIds = {1,  2,  3,  4,  5,  6,  7,  8,   9,   10,  12,
                              13, 14, 16, 17, 25, 26, 31, 114, 115, 121, 109};
constexpr Extended UlpBound = 16 * 0x1p-64L;  // 8 units of 2^-63
constexpr Extended DisplayBound = 5e-13L;

// The built-in's value for the arguments of one reference line.
Extended Compute(int id, Extended a, Extended b, Extended c) {
  ResetEngine();
  if (id == 113) return IncBeta(a, b, c);
  if (id == 126) return PSnedecor(static_cast<int>(a), static_cast<int>(b), c);
  return CallRow(id, a, b);
}

struct TWorst {
  Extended Err = 0;
  std::string Line;
  int Count = 0;
};

}  // namespace

TEST(SpecfunAccuracy, AllBuiltinsAgainstReference) {
  std::ifstream in(std::string(NUMYX_TEST_DATA) + "/specfun_reference.txt");
  ASSERT_TRUE(in.good());
  std::map<int, TWorst> worst;
  std::string line;
  int points = 0;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    int id = 0;
    std::string sa, sb, sc, sv, ss;
    fields >> id >> sa >> sb >> sc >> sv >> ss;
    const Extended a = std::strtold(sa.c_str(), nullptr);
    const Extended b = std::strtold(sb.c_str(), nullptr);
    const Extended c = std::strtold(sc.c_str(), nullptr);
    const Extended scale = std::strtold(ss.c_str(), nullptr);
    const Extended got = Compute(id, a, b, c);
    ++points;
    auto& w = worst[id];
    ++w.Count;
    if (sv == "ovf") {
      EXPECT_TRUE(EngineState.ErrFlag && EngineState.ErrCode == errOverflow)
          << line << " gave " << static_cast<double>(got);
      continue;
    }
    if (EngineState.ErrFlag) {
      ADD_FAILURE() << line << " failed with code " << EngineState.ErrCode;
      continue;
    }
    const Extended expected = std::strtold(sv.c_str(), nullptr);
    if (expected == 0) {
      EXPECT_LT(std::fabs(got), 1e-4890L) << line;
      continue;
    }
    const Extended size = std::max(std::fabs(expected), scale);
    // Values in the subnormal range carry fewer digits.
    if (std::fabs(expected) < 0x1p-16382L) {
      EXPECT_LE(std::fabs(got - expected), 0x1p-16440L) << line;
      continue;
    }
    const Extended err = std::fabs(got - expected) / size;
    if (err > w.Err) {
      w.Err = err;
      w.Line = line;
    }
    const Extended bound = UlpIds.count(id) ? UlpBound : DisplayBound;
    EXPECT_LE(err, bound) << line << " gave " << static_cast<double>(got) << " error "
                          << static_cast<double>(err);
  }
  EXPECT_GT(points, 2000);
  for (const auto& [id, w] : worst) {
    std::cout << "id " << id << ": " << w.Count << " points, worst " << static_cast<double>(w.Err)
              << (w.Line.empty() ? "" : "  at " + w.Line.substr(0, 60)) << "\n";
  }
}
