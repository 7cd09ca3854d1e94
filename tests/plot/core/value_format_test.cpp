// User value formats from the settings file: one floating-point conversion or the general format.
#include <gtest/gtest.h>

#include "plot/core/graph_utils.h"
#include "plot/core/graph_value_format.h"

TEST(ValueFormat, OnlyOneFloatingConversionReachesTheFormatter) {
  EXPECT_EQ(FormatGraphValue(QStringLiteral("%.2f"), 3.14159, 6), QStringLiteral("3.14"));
  EXPECT_EQ(FormatGraphValue(QStringLiteral("x = %8.3e m"), 1234.5, 6),
            QStringLiteral("x = 1.234e+03 m"));
  EXPECT_EQ(FormatGraphValue(QStringLiteral("%g %%"), 50, 6), QStringLiteral("50 %"));
  const QString General = FloatToText(6, 0, 2.5);
  for (const char* Bad :
       {"%s", "%n", "%d", "%f %f", "%%", "plain", "%*f", "%1$f", "%999f", "%.500f", "%lf", "%"})
    EXPECT_EQ(FormatGraphValue(QString::fromLatin1(Bad), 2.5, 6), General) << Bad;
  EXPECT_EQ(FormatGraphValue(QString(), 2.5, 6), General);
}
