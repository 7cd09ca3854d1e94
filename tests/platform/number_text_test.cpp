#include "platform/number_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <random>
#include <utility>

TEST(NumberText, GeneralForm) {
  EXPECT_EQ(FormatGeneral(0.033333, 15), "0.033333");
  EXPECT_EQ(FormatGeneral(1e-10, 15), "1E-10");
  EXPECT_EQ(FormatGeneral(1234321, 15), "1234321");
  EXPECT_EQ(FormatGeneral(0.1, 15), "0.1");
  EXPECT_EQ(FormatGeneral(0.00001, 15), "0.00001");
  EXPECT_EQ(FormatGeneral(0.000001, 15), "1E-6");
  EXPECT_EQ(FormatGeneral(1.5e20, 15), "1.5E20");
  EXPECT_EQ(FormatGeneral(-2.5, 15), "-2.5");
  EXPECT_EQ(FormatGeneral(0.0, 7), "0");
  EXPECT_EQ(FormatGeneral(1.0 / 3.0, 7), "0.3333333");
  EXPECT_EQ(FormatGeneral(2.0 / 3.0, 7), "0.6666667");
  EXPECT_EQ(FormatGeneral(12345678, 7), "1.234568E7");
  EXPECT_EQ(FormatGeneral(1234567, 7), "1234567");
  EXPECT_EQ(FormatGeneral(9.9999999, 7), "10");
  EXPECT_EQ(FormatGeneral(-2147483633.0, 15), "-2147483633");
  EXPECT_EQ(FormatGeneral(std::numeric_limits<double>::infinity(), 15), "INF");
  EXPECT_EQ(FormatGeneral(std::nan(""), 15), "NAN");
  // Halves of the decimal expansion round away from zero.
  EXPECT_EQ(FormatGeneral(0.125, 2), "0.13");
  EXPECT_EQ(FormatGeneral(-0.125, 2), "-0.13");
  EXPECT_EQ(FormatGeneral(25, 1), "3E1");
  EXPECT_EQ(FormatGeneral(9.5, 1), "1E1");
  // Values whose 18th digit rounds up to a 5 keep their correctly rounded 17th.
  EXPECT_EQ(FormatGeneral(0x1.84247a6156d34p+2, 17), "6.0647264433458083");
  EXPECT_EQ(FormatGeneral(-0x1.63417210c8c2cp+1, 17), "-2.775434740252896");
  EXPECT_EQ(FormatExponent(0x1.e1b4927be34ap+1, 17, 1), "3.7633231263085491E+0");
  EXPECT_EQ(FormatFixed(0x1.30632fcc1f9ebp+3, 16), "9.5121077524936108");
}

TEST(NumberText, FixedExponentAndFieldForms) {
  EXPECT_EQ(FormatFixed(2.5, 3), "2.500");
  EXPECT_EQ(FormatFixed(0.125, 2), "0.13");
  EXPECT_EQ(FormatFixed(9.996, 2), "10.00");
  EXPECT_EQ(FormatFixed(0.006, 2), "0.01");
  EXPECT_EQ(FormatFixed(0.004, 2), "0.00");
  EXPECT_EQ(FormatFixed(-0.004, 2), "0.00");
  EXPECT_EQ(FormatFixed(-1234.5, 0), "-1235");
  EXPECT_EQ(FormatFixed(99.5, 0), "100");
  EXPECT_EQ(FormatFixed(1e25, 1), "10000000000000000905969664.0");
  EXPECT_EQ(FormatExponent(1.5, 5, 4), "1.5000E+0000");
  EXPECT_EQ(FormatExponent(-0.00123, 3, 2), "-1.23E-03");
  EXPECT_EQ(FormatExponent(0, 2, 4), "0.0E+0000");
  EXPECT_EQ(StrReal(1.5, 12), " 1.500E+0000");
  EXPECT_EQ(StrReal(-1.5, 12), "-1.500E+0000");
  EXPECT_EQ(StrReal(2.25, 8, 3), "   2.250");
  EXPECT_EQ(StrReal(1.0L).size(), 26u);
}

TEST(NumberText, ReadingIsStrictAndLocaleFree) {
  // A locale with a decimal comma must change nothing.
  const char* Old = std::setlocale(LC_NUMERIC, nullptr);
  std::string Saved = Old ? Old : "C";
  std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
  double d = 0;
  EXPECT_TRUE(TryTextToFloat("  -1.5e3 ", d));
  EXPECT_EQ(d, -1500.0);
  EXPECT_TRUE(TryTextToFloat("+.5", d));
  EXPECT_EQ(d, 0.5);
  EXPECT_TRUE(TryTextToFloat("5.", d));
  EXPECT_EQ(d, 5.0);
  EXPECT_EQ(FormatGeneral(0.5, 15), "0.5");
  for (const char* Bad : {"", " ", "1,5", "inf", "nan", "-INF", "0x1p3", "1e", "1e+", ".", "1.5.2",
                          "1e400", "1E-5000", "--1", "1 2"})
    EXPECT_FALSE(TryTextToFloat(Bad, d)) << Bad;
  long double ld = 0;
  EXPECT_TRUE(TryTextToFloat("1e400", ld));
  EXPECT_FALSE(TryTextToFloat("1e5000", ld));
  // Subnormal texts keep their value, correctly rounded, also under the decimal comma.
  const long double Tiny = std::numeric_limits<long double>::denorm_min();
  for (const auto& [Text, Value] :
       {std::pair{"3.3e-4932", 3.3e-4932L}, {"1.9E-4951", Tiny}, {"-5.5E-4951", -2 * Tiny}}) {
    EXPECT_TRUE(TryTextToFloat(Text, ld)) << Text;
    EXPECT_EQ(ld, Value) << Text;
  }
  EXPECT_FALSE(TryTextToFloat("1.8E-4951", ld));
  std::setlocale(LC_NUMERIC, Saved.c_str());
}

TEST(NumberText, ShortestTextRoundTrips) {
  std::mt19937_64 Gen(12345);
  std::uniform_real_distribution<double> Mant(-10, 10);
  std::uniform_int_distribution<int> Exp(-300, 300);
  for (int i = 0; i < 2000; ++i) {
    double v = Mant(Gen) * std::pow(10.0, Exp(Gen));
    double back = 0;
    std::string s = FloatToText(v);
    ASSERT_TRUE(TryTextToFloat(s, back)) << s;
    EXPECT_EQ(back, v) << s;
    long double lv = static_cast<long double>(v) * (1.0L + 1e-17L);
    long double lback = 0;
    s = FloatToText(lv);
    ASSERT_TRUE(TryTextToFloat(s, lback)) << s;
    EXPECT_EQ(lback, lv) << s;
    EXPECT_EQ(s.find_first_of("e,"), std::string::npos) << s;
  }
  for (double v : {std::numeric_limits<double>::max(), std::numeric_limits<double>::denorm_min(),
                   -0.1, 1e15, 123456.0}) {
    double back = 0;
    ASSERT_TRUE(TryTextToFloat(FloatToText(v), back));
    EXPECT_EQ(back, v);
  }
  // General text with 15 digits (settings files) reads back to the same 15 digits.
  double v = 0.1 + 0.2, back = 0;
  ASSERT_TRUE(TryTextToFloat(FormatGeneral(v, 15), back));
  EXPECT_EQ(FormatGeneral(back, 15), "0.3");
}

TEST(NumberText, IntegersAndSaturation) {
  EXPECT_EQ(StrToIntDef(" 42 ", 0), 42);
  EXPECT_EQ(StrToIntDef("-2147483633", 0), -2147483633);
  EXPECT_EQ(StrToIntDef("$1F", 0), 31);
  EXPECT_EQ(StrToIntDef("0x8000000F", 0), -2147483633);
  EXPECT_EQ(StrToIntDef("$FFFFFFFF", 0), -1);
  EXPECT_EQ(StrToIntDef("2147483648", 7), 7);
  EXPECT_EQ(StrToIntDef("12a", 7), 7);
  EXPECT_EQ(StrToIntDef("", 7), 7);
  EXPECT_EQ(StrToIntDef("1.5", 7), 7);

  EXPECT_EQ(Round(2.5L), 2);
  EXPECT_EQ(Round(3.5L), 4);
  EXPECT_EQ(Round(-2.5L), -2);
  EXPECT_EQ(Round(-3.5L), -4);
  EXPECT_EQ(Round(2.4999999L), 2);
  EXPECT_EQ(Round(-0.5L), 0);
  EXPECT_EQ(Trunc(-2.9L), -2);
  EXPECT_EQ(Trunc(2.9L), 2);
  const long double Inf = std::numeric_limits<long double>::infinity();
  EXPECT_EQ(Round(Inf), std::numeric_limits<std::int64_t>::max());
  EXPECT_EQ(Trunc(-Inf), std::numeric_limits<std::int64_t>::min());
  EXPECT_EQ(Round(std::nanl("")), 0);
  EXPECT_EQ(RoundInt(1e10L), std::numeric_limits<int>::max());
  EXPECT_EQ(TruncInt(-1e10L), std::numeric_limits<int>::min());
  EXPECT_EQ(SaturateToInt(2147483647.9L), 2147483647);
  EXPECT_EQ(SaturateToInt(-2147483648.9L), -2147483648);

  EXPECT_EQ(MulDiv(10, 10, 4), 25);
  EXPECT_EQ(MulDiv(5, 1, 2), 3);    // 2.5 -> 3
  EXPECT_EQ(MulDiv(-5, 1, 2), -3);  // -2.5 -> -3
  EXPECT_EQ(MulDiv(5, 1, -2), -3);
  EXPECT_EQ(MulDiv(7, 1, 3), 2);
  EXPECT_EQ(MulDiv(1, 1, 0), -1);
  EXPECT_EQ(MulDiv(65536, 65536, 1), -1);
  EXPECT_EQ(MulDiv(2000000000, 2000000000, 2000000000), 2000000000);
}
