#include <cstdlib>
#include <limits>
#include <string>

#include "engine/format.h"
#include "tests/engine/engine_test_support.h"

namespace {

class ScriptedBits : public TEngineHost {
 public:
  int BitsValue = 8;
  int Bits() const override { return BitsValue; }
};

class Format : public EngineTest {
 protected:
  std::string Show(Extended X, int Digits = 12) { return FormatNumber(Digits, X); }
};

TEST_F(Format, Scientific) {
  EngineSettings.DisplayMode = 0;
  EXPECT_EQ(Show(0), "0.0E+0");
  EXPECT_EQ(Show(12345.678), "1.2345678E+4");
  EXPECT_EQ(Show(12345.678).size(), 12u);
  EXPECT_EQ(Show(-12345.678), "-1.234568E+4");
  EXPECT_EQ(Show(1), "1.0E+0");
  EXPECT_EQ(Show(0.001), "1.0E-3");
  EXPECT_EQ(Show(1.5E-300L), "1.5E-300");
  EXPECT_EQ(Show(1.0E4000L), "1.0E+4000");
  EXPECT_EQ(Show(3.14159265358979L, 18), "3.1415926535898E+0");
  EXPECT_EQ(Show(2.0L / 3.0L), "6.6666667E-1");
  EXPECT_EQ(Show(9.99999999999L), "1.0E+1");  // rounding carries into the exponent
}

TEST_F(Format, Fixed) {
  EngineSettings.DisplayMode = 1;
  EXPECT_EQ(Show(0), "0.0");
  EXPECT_EQ(Show(3.14159), "3.14159");
  EXPECT_EQ(Show(0.5), "0.5");
  EXPECT_EQ(Show(-0.5), "-0.5");
  EXPECT_EQ(Show(-2.25), "-2.25");
  EXPECT_EQ(Show(1234567.5), "1234567.5");
  EXPECT_EQ(Show(2.0L / 3.0L), "0.6666666667");  // twelve characters: c = 2 below one
  EXPECT_EQ(Show(1.0L / 3.0L + 1), "1.333333333");
  // The range test is strict at both ends.
  EXPECT_EQ(Show(1.0E7L), "1.0E+7");
  EXPECT_EQ(Show(0.0001L), "1.0E-4");
  EXPECT_EQ(Show(0.00011), "0.00011");
}

TEST_F(Format, FixedWithFewDigitsNeverHidesTheValue) {
  EngineSettings.DisplayMode = 1;
  // Digits below the width allowance still leave one decimal...
  EXPECT_EQ(Show(0.5, 1), "0.5");
  EXPECT_EQ(Show(-0.5, 2), "-0.5");
  EXPECT_EQ(Show(3.14159, 3), "3.1");
  EXPECT_EQ(Show(9999999.5, 1), "9999999.5");
  // ...and a value that the decimals cannot show is written in scientific form, not as 0.
  EXPECT_EQ(Show(0.01, 3), "1.0E-2");
  EXPECT_EQ(Show(0.000100001, 5), "1.0E-4");
  EXPECT_EQ(Show(0.01, 5), "0.01");
  for (int d = 1; d <= 18; ++d) {
    for (const Extended x : {0.5L, 0.00012L, 0.25L, 7.0L, 123456.7L}) {
      const std::string t = Show(x, d);
      EXPECT_NE(t.find('.'), std::string::npos) << d << " " << t;
      // One significant digit at least (0.25 may show as 0.2).
      EXPECT_NEAR(static_cast<double>(std::strtold(t.c_str(), nullptr) / x), 1, 0.25)
          << d << " " << t;
    }
  }
}

TEST_F(Format, Engineering) {
  EngineSettings.DisplayMode = 2;
  EXPECT_EQ(Show(12345.678), "12.345678E+3");
  EXPECT_EQ(Show(0.0001234), "123.4E-6");
  EXPECT_EQ(Show(1000), "1.0E+3");
  EXPECT_EQ(Show(0), "0.0E+0");
  std::string t;
  ToEngineering("1.234E+0004", t);
  EXPECT_EQ(t, "12.34E+0003");
  ToEngineering("1.234E-0004", t);
  EXPECT_EQ(t, "123.4E-0006");
  ToEngineering("1.2E+0005", t);
  EXPECT_EQ(t, "120.0E+0003");
  ToEngineering("1.234E+0003", t);
  EXPECT_EQ(t, "1.234E+0003");
}

TEST_F(Format, Trim) {
  std::string t = "  3.140000";
  TrimNumber(t);
  EXPECT_EQ(t, "3.14");
  EXPECT_EQ(LeadBlanks, 2);
  t = "3.000";
  TrimNumber(t);
  EXPECT_EQ(t, "3.0");
  t = "300";
  TrimNumber(t);
  EXPECT_EQ(t, "300");
  t = " 1.5000E+0004";
  TrimNumber(t);
  EXPECT_EQ(t, "1.5E+0004");
  EngineSettings.DisplayMode = 1;
  t = "2.000E+0000";
  TrimNumber(t);
  EXPECT_EQ(t, "2.0");
}

TEST_F(Format, HoursMinutesSeconds) {
  EngineSettings.DisplayMode = 3;
  EXPECT_EQ(Show(1.51), "1:30:36");
  EXPECT_EQ(Show(0), "0:0:0");
  EXPECT_EQ(Show(-1.5), "-1:30:0");
  EXPECT_EQ(Show(2.0L / 3600), "0:0:2");
  EXPECT_EQ(Show(-0.4L / 3600), "0:0:0");  // rounds to no time at all, so no sign
  EXPECT_EQ(Show(-0.6L / 3600), "-0:0:1");
  // Too large: code 23, and the previous result is kept.
  EngineState.Ans = 42;
  EngineState.ExprStr = "1E9";
  EXPECT_EQ(Show(1E9), "0:0:0");
  EXPECT_TRUE(EngineState.ErrFlag);
  EXPECT_EQ(EngineState.ErrCode, errChangeNotation);
  EXPECT_EQ(EngineState.ErrPos, 4);
  EXPECT_EQ(EngineState.ErrLen, 1);
  EXPECT_EQ(EngineState.Ans, 42);
  // With an error already set the text is 0:0:0.
  EXPECT_EQ(Show(1.51), "0:0:0");
}

TEST_F(Format, HexadecimalAndBinary) {
  SelectRadix(1);
  EXPECT_EQ(Show(255), "FF");
  EXPECT_EQ(Show(-255), "-FF");
  EXPECT_EQ(Show(0), "0");
  EXPECT_EQ(Show(2147483647), "7FFFFFFF");
  EXPECT_EQ(Show(10.9), "A");
  EXPECT_FALSE(EngineState.ErrFlag);
  EngineState.ExprStr = "$80000000";
  EngineState.Ans = 7;
  EXPECT_EQ(Show(2147483648.0), "0.0");
  EXPECT_EQ(EngineState.ErrCode, errOverflow);
  EXPECT_EQ(EngineState.ErrPos, 10);
  EXPECT_EQ(EngineState.Ans, 7);
  EngineState = {};
  EXPECT_EQ(Show(-2147483648.0), "0.0");

  EngineState = {};
  SelectRadix(2);
  ScriptedBits host;
  SetEngineHost(&host);
  EXPECT_EQ(Show(5), "00000101 ");
  EXPECT_EQ(Show(256), "00000001 00000000 ");
  EXPECT_EQ(Show(255), "11111111 ");
  EXPECT_EQ(Show(-3), "-00000011 ");
  host.BitsValue = 4;
  EXPECT_EQ(Show(5), "0101 ");
  SetEngineHost(nullptr);
  EXPECT_EQ(Show(5), "00000000000000000000000000000101 ");  // the default host's 32 bits
  // Negative values above -1 truncate to a zero without sign.
  EXPECT_EQ(Show(-0.75), std::string(32, '0') + " ");
  EXPECT_EQ(Show(-1.75), "-" + std::string(31, '0') + "1 ");
  SelectRadix(1);
  EXPECT_EQ(Show(-0.5), "0");
  EXPECT_EQ(Show(-0.0), "0");
  EXPECT_EQ(Show(-255.9), "-FF");
  EXPECT_EQ(Show(-2147483647.0), "-7FFFFFFF");
  EXPECT_EQ(IntToRadix(-26, 16), "-1A");
  EXPECT_EQ(IntToRadix(0, 2), "0");
}

TEST_F(Format, NonFiniteIsOverflowNeverInf) {
  EngineState.ExprStr = "x";
  const std::string t = Show(std::numeric_limits<Extended>::infinity());
  EXPECT_EQ(t, "0.0");
  EXPECT_EQ(EngineState.ErrCode, errOverflow);
}

}  // namespace
