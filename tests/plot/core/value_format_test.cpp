// User value formats of the info bubbles: one conversion of e, f, g or n, its defaults and limits.
#include <gtest/gtest.h>

#include <limits>
#include <utility>

#include "plot/core/graph_value_format.h"

namespace {
QString Formatted(const char* Format, double V) {
  QString Text = QStringLiteral("refused");
  FormatGraphValue(QString::fromLatin1(Format), V, Text);
  return Text;
}
}  // namespace

TEST(ValueFormat, TypesTheirDefaultsAndFields) {
  const double Inf = std::numeric_limits<double>::infinity();
  const std::pair<const char*, const char*> Cases[] = {{"%.2f", "3.14"},
                                                       {"%f", "3.14"},
                                                       {"%F", "3.14"},
                                                       {"%e", "3.14159000000000E+000"},
                                                       {"x = %8.3E m", "x = 3.14E+000 m"},
                                                       {"%12.2e|", "    3.1E+000|"},
                                                       {"%g %%", "3.14159 %"},
                                                       {"%.3G", "3.14"},
                                                       {"%-6.1f|", "3.1   |"},
                                                       {"%6n|", "  3.14|"}};
  for (const auto& [Format, Text] : Cases) EXPECT_EQ(Formatted(Format, 3.14159), Text) << Format;
  // Thousands grouped, also where rounding adds a digit; no group mark in the decimals.
  EXPECT_EQ(Formatted("%n", 1234567.891), "1,234,567.89");
  EXPECT_EQ(Formatted("%.0N", -1234567), "-1,234,567");
  EXPECT_EQ(Formatted("%n", 999.999), "1,000.00");
  EXPECT_EQ(Formatted("%.4n", -0.12345), "-0.1235");
  EXPECT_EQ(Formatted("%n", 12), "12.00");
  // General: fixed down to 0.00001 and while the integer digits fit the precision.
  EXPECT_EQ(Formatted("%g", 0.00001), "0.00001");
  EXPECT_EQ(Formatted("%g", 0.000001), "1E-6");
  EXPECT_EQ(Formatted("%.3g", 123456), "1.23E5");
  EXPECT_EQ(Formatted("%g", 1e15), "1E15");
  EXPECT_EQ(Formatted("%g", 123456789012345.0), "123456789012345");
  // Values that are not numbers keep the field.
  EXPECT_EQ(Formatted("%6n", Inf), "   INF");
  EXPECT_EQ(Formatted("%-5e|", -Inf), "-INF |");
}

TEST(ValueFormat, HugeFieldsAreHeldAndOthersRefused) {
  EXPECT_EQ(Formatted("%99999999999999999999.99999999999999999f", 1.5).size(), MaxValueFormatWidth);
  EXPECT_EQ(Formatted("%.999999n", 1e300).size(),
            301 + 100 + 1 + MaxValueFormatDecimals);  // digits, group marks, point, decimals
  EXPECT_EQ(Formatted("%.99e", 1), "1.00000000000000000000E+000");
  EXPECT_EQ(Formatted("%.0e", 26), "3E+001");
  for (const char* Bad : {"%s", "%d", "%f %f", "%%", "plain", "%*f", "%.*f", "%1$f", "%lf", "%",
                          "%.f", "%+f", "% f", "%#g", "%--f", "%m", "%5", "%-",
                          "%\xB2"
                          "f"})
    EXPECT_EQ(Formatted(Bad, 2.5), "refused") << Bad;
  EXPECT_FALSE(IsSafeValueFormat(QString()));
  EXPECT_TRUE(IsSafeValueFormat(QStringLiteral("Y: %-9.4g (%%)")));
}
