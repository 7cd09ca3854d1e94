// A bounded random-input run: every text must end with a finite value or an error code, with the
// reader at the end and no sanitizer report.
#include <cmath>
#include <random>
#include <string>

#include "engine/format.h"
#include "tests/engine/engine_test_support.h"

namespace {

// A loop whose step never reaches its limit runs until the user stops it: the user here presses
// Stop after a while.
class TImpatientHost : public TEngineHost {
 public:
  int Pumps = 0;
  void PumpMessages() override {
    if (++Pumps >= 20000) EngineSettings.BreakRequested = true;
  }
};

class RandomInput : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    SetEngineHost(&Host);
  }
  TImpatientHost Host;
};

std::string RandomText(std::mt19937_64& Rng) {
  static const std::string pieces[] = {"(",
                                       ")",
                                       ",",
                                       "+",
                                       "-",
                                       "*",
                                       "/",
                                       "%",
                                       "^",
                                       "&",
                                       "|",
                                       "\\",
                                       "?",
                                       "=",
                                       "1",
                                       "0",
                                       "9",
                                       ".",
                                       "$",
                                       ":",
                                       "E",
                                       "e",
                                       "pi",
                                       "\xB6",
                                       "\xB2",
                                       "\xB3",
                                       "\xBD",
                                       "sin(",
                                       "gcd(",
                                       "ibeta(",
                                       "mean(",
                                       "if(",
                                       "then(",
                                       "else(",
                                       "X",
                                       "x",
                                       "forJtoKstepMdo(",
                                       "solve(",
                                       "integral(",
                                       "min(",
                                       "A",
                                       "F",
                                       "1E4000",
                                       "1E-4000",
                                       "999999999999",
                                       "\x7F",
                                       "\x01",
                                       "\xFF",
                                       "random"};
  std::uniform_int_distribution<int> len(0, 24), pick(0, 3), piece(0, std::size(pieces) - 1),
      byte(1, 255);
  std::string text;
  const int n = len(Rng);
  for (int i = 0; i < n; ++i) {
    if (pick(Rng) == 0)
      text += static_cast<char>(byte(Rng));
    else
      text += pieces[piece(Rng)];
  }
  return text;
}

TEST_F(RandomInput, EveryTextEndsWithAValueOrAnError) {
  std::mt19937_64 rng(20261208);
  int failed = 0;
  for (int i = 0; i < 4000; ++i) {
    EngineState = {};
    EngineSettings.BreakRequested = false;
    Host.Pumps = 0;
    SelectRadix(static_cast<std::uint8_t>(i % 3));
    EngineSettings.DisplayMode = static_cast<std::uint8_t>(i / 3 % 4);
    const std::string text = RandomText(rng);
    const TEvalResult r = Eval(text);
    EXPECT_EQ(EngineState.NestDepth, 0);
    if (!text.empty() && r.Failed) {
      ++failed;
      EXPECT_GE(r.Len, 1) << text;
      // The span lies inside the text, or just past it for an error at its end.
      EXPECT_GE(r.Pos, 1) << text;
      EXPECT_LE(r.Pos + r.Len - 1, static_cast<int>(text.size()) + 1) << text;
      EXPECT_GE(r.Code, 0) << text;
      EXPECT_LE(r.Code, 28) << text;
      EXPECT_EQ(EngineState.CurChar, EndChar) << text;
      EXPECT_EQ(EngineSettings.ArgDepth, 0) << text;
    } else {
      EXPECT_TRUE(std::isfinite(r.Value)) << text;
    }
    EngineState.Ans = 5;
    FormatNumber(12, r.Value);
    EXPECT_EQ(EngineState.Ans, 5);
  }
  EXPECT_GT(failed, 1000);  // the texts are mostly malformed, as intended
}

}  // namespace
