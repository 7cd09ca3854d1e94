#include <charconv>
#include <cstring>
#include <limits>
#include <string>

#include "platform/number_text.h"
#include "tests/engine/engine_test_support.h"

namespace {

class NumberReader : public EngineTest {};

Extended FromChars(const char* Text) {
  Extended v = 0;
  std::from_chars(Text, Text + std::strlen(Text), v);
  return v;
}

TEST_F(NumberReader, DecimalIsCorrectlyRounded) {
  EXPECT_VALUE("1E3", 1000);
  EXPECT_VALUE("1E0", 1);
  EXPECT_VALUE("5E-0", 5);
  EXPECT_VALUE("5E00", 5);
  EXPECT_VALUE("2E-1", 0.2L);
  EXPECT_VALUE("2E+2", 200);
  EXPECT_VALUE("0.1", 0.1L);
  EXPECT_VALUE(".5", 0.5);
  EXPECT_VALUE("5.", 5);
  EXPECT_VALUE("1.25E1", 12.5);
  for (const char* t : {"123456789012345678901234567890", "0.3333333333333333333333333",
                        "2.718281828459045235360287", "6.02214076E23", "1.7976931348623157E308",
                        "1E-4900", "9.999999999999999999999E4931"}) {
    EXPECT_VALUE(t, FromChars(t));
  }
}

TEST_F(NumberReader, HugeExponentsAnswerAtOnce) {
  EXPECT_ERROR("1E999999999", errOverflow, 1, 11);
  EXPECT_ERROR("2+1E99999999999999999999", errOverflow, 3, 22);
  EXPECT_ERROR("1.2E4932", errOverflow, 1, 8);
  EXPECT_ERROR("1" + std::string(5000, '0'), errOverflow, 1, 5001);
  EXPECT_VALUE("1E4932", FromChars("1E4932"));
  EXPECT_VALUE("1E-999999999", 0);
  EXPECT_VALUE("0E999999999", 0);
  EXPECT_VALUE("0." + std::string(6000, '0') + "1", 0);
  EXPECT_ERROR("0.00000000001E999999", errOverflow, 1, 20);
  EXPECT_EQ(Eval("1000E-4935").Value, Eval("1E-4932").Value);
}

// Below the smallest normal value a literal keeps its value, correctly rounded to the subnormal
// steps; only below half the smallest subnormal is it 0.
TEST_F(NumberReader, SubnormalLiterals) {
  const Extended Tiny = std::numeric_limits<Extended>::denorm_min();  // 3.6451995318824746E-4951
  EXPECT_VALUE("1.9E-4951", Tiny);
  EXPECT_VALUE("1.8E-4951", 0);
  EXPECT_VALUE("5.4E-4951", Tiny);
  EXPECT_VALUE("5.5E-4951", 2 * Tiny);
  EXPECT_VALUE("3.3E-4932*1E4932", 3.3L);
  EXPECT_VALUE("0.0000033E-4926*1E4932", 3.3L);
  EXPECT_NEAR(static_cast<double>(Eval("ln(1E-4940)").Value), -11374.7703593905896, 1e-9);
  EXPECT_VALUE("sin(3E-4935)/3E-4935", 1);
  const TEvalResult Gamma = Eval("gamma(3E-4932)/1E4931");
  EXPECT_FALSE(Gamma.Failed) << Gamma.Code;
  EXPECT_NEAR(static_cast<double>(Gamma.Value), 3.33333333333333333, 1e-15);
}

// The platform's reader, which the files and the calculator's fields use, reads what the engine
// reads: what the engine finds too large the platform refuses, what the engine reads as 0 though
// it has digits that are not zero the platform refuses as too small, and every other text gives
// both the same value.
TEST_F(NumberReader, PlatformReaderAgreesAtTheRangeEnds) {
  const std::string Zeros(5000, '0');
  for (const std::string& Text :
       {std::string("1E4932"), std::string("1.18973149535723176502E4932"), std::string("1.2E4932"),
        "1" + Zeros + "E-10", "1" + Zeros + "E-68", "2" + Zeros + "E-68", "1" + Zeros + "E-9950",
        "1" + Zeros + "E-9952", "0.0000" + Zeros + "1E9000", std::string("1E-4940"),
        std::string("1.9E-4951"), std::string("-5.5E-4951"), std::string("1.8E-4951"),
        std::string("1E-4951"), std::string("1E-999999999"), "0." + Zeros + "1",
        "0." + Zeros + "0E-99", "12" + Zeros + "E-5020",
        std::string("123456789012345678901234567890E-4980")}) {
    SCOPED_TRACE(Text.substr(0, 40));
    const TEvalResult Engine = Eval(Text);
    long double Platform = -1;
    const TTextNumber Read = ReadTextNumber(Text, Platform);
    if (Engine.Failed) {
      EXPECT_EQ(Engine.Code, errOverflow);
      EXPECT_EQ(Read, TTextNumber::TooLarge);
    } else if (Engine.Value == 0 && Text.find_first_of("123456789") < Text.find('E')) {
      EXPECT_EQ(Read, TTextNumber::TooSmall);
      EXPECT_EQ(Platform, -1);  // left as it was
    } else {
      EXPECT_EQ(Read, TTextNumber::Number);
      EXPECT_EQ(Platform, Engine.Value);
    }
  }
  // Doubles end where theirs do: 1E319 is too large, 1E-310 a subnormal, 1E-400 too small.
  double D = -1;
  EXPECT_EQ(ReadTextNumber("1" + std::string(320, '0') + "e-1", D), TTextNumber::TooLarge);
  EXPECT_FALSE(TextToDouble("1" + std::string(320, '0') + "e-1"));
  EXPECT_FALSE(TextToDouble("1E-400"));
  EXPECT_EQ(ReadTextNumber("-1E-400", D), TTextNumber::TooSmall);
  EXPECT_EQ(TextToDouble("1E-310"), 1E-310);
  EXPECT_EQ(TextToDouble("1" + std::string(300, '0') + "E-299"), 10.0);
}

TEST_F(NumberReader, MalformedNumbers) {
  EXPECT_ERROR("2E", errSyntax, 2, 1);
  EXPECT_ERROR("2E+", errSyntax, 3, 1);
  EXPECT_ERROR("2E+a", errSyntax, 4, 1);
  EXPECT_ERROR("1E2.5", errSyntax, 4, 1);  // an exponent has no fraction
  EXPECT_ERROR("1e3", errSyntax, 2, 1);
  EXPECT_ERROR("1.2.3", errSyntax, 4, 1);
  EXPECT_ERROR("$12", errSyntax, 1, 1);  // "$" outside hexadecimal
}

TEST_F(NumberReader, TimeForm) {
  EXPECT_VALUE("1:30", 1.5);
  EXPECT_VALUE("1:30:36", 1 + 30.0L / 60 + 36.0L / 3600);
  EXPECT_VALUE("0:90", 1.5);
  EXPECT_VALUE("2:0:0*2", 4);
  EXPECT_ERROR("1:", errSyntax, 2, 1);
  EXPECT_ERROR("1:x", errSyntax, 3, 1);
  EXPECT_ERROR("1:30:", errSyntax, 5, 1);
  EXPECT_ERROR("1:30E2", errSyntax, 5, 1);
  EXPECT_ERROR("1:30.5", errSyntax, 5, 1);
  // Minutes too long for any value overflow in the reader, not later as a silent infinity.
  const std::string minutes = "1:" + std::string(5000, '9');
  EXPECT_ERROR(minutes + "^0", errOverflow, 1, 5002);
  EXPECT_ERROR("2+" + minutes + "*0", errOverflow, 3, 5002);
}

TEST_F(NumberReader, Hexadecimal) {
  SelectRadix(1);
  EXPECT_VALUE("$FF", 255);
  EXPECT_VALUE("12", 18);
  EXPECT_VALUE("$1.8", 1.5);
  EXPECT_VALUE("1E", 30);  // E is a digit here
  EXPECT_VALUE("$FF+$1", 256);
  EXPECT_VALUE("$7FFFFFFFFFFFFFFF&$F", 15);
  EXPECT_VALUE("-$10", -16);
  EXPECT_VALUE("1:30", 1 + 48.0L / 60);
  EXPECT_ERROR("FF", errSyntax, 1, 2);      // a name, not a number
  EXPECT_ERROR("$1$2", errSyntax, 3, 1);    // "$" is no digit
  EXPECT_ERROR("$Cixyz", errSyntax, 2, 5);  // "$C" before i or n reads a name
  EXPECT_ERROR("$" + std::string(5000, 'F'), errOverflow, 2, 5000);
}

TEST_F(NumberReader, Binary) {
  SelectRadix(2);
  EXPECT_VALUE("101", 5);
  EXPECT_VALUE("1.1", 1.5);
  EXPECT_VALUE("1E11", 2048);  // exponent digits are read as a decimal number
  EXPECT_VALUE("11E-1", 1.5);
  EXPECT_VALUE("101+1", 6);
  EXPECT_ERROR("2", errSyntax, 1, 1);
  EXPECT_ERROR("12", errSyntax, 2, 1);
  EXPECT_ERROR("$1", errSyntax, 1, 1);
  EXPECT_ERROR(".1", errSyntax, 1, 1);
  EXPECT_ERROR("1E11111111", errOverflow, 1, 10);
  EXPECT_VALUE("1E-11111111", 0);
}

}  // namespace
