// The texts of label steps in the axis dialogs.
#include <gtest/gtest.h>

#include "chart/editors/axis_texts.h"
#include "chart/engine/chart_utils.h"

TEST(AxisTexts, StepNamesFollowTheTableAndStopAtItsEnds) {
  EXPECT_EQ(DateTimeStepName(dtOneSecond), QStringLiteral("One Second"));
  EXPECT_EQ(DateTimeStepName(dtOneWeek), QStringLiteral("One Week"));
  EXPECT_EQ(DateTimeStepName(NumDateTimeSteps - 1), QStringLiteral("One Year"));
  EXPECT_EQ(DateTimeStepName(NumDateTimeSteps), QString());
  EXPECT_EQ(DateTimeStepName(-1), QString());
}

TEST(AxisTexts, IncrementTextForDatesAndNumbers) {
  // Exact table steps by name; otherwise days and time, whatever the table holds.
  EXPECT_EQ(IncrementText(true, true, DateTimeStep[dtOneWeek], {}), QStringLiteral("One Week"));
  EXPECT_EQ(IncrementText(true, false, DateTimeStep[dtOneWeek], {}), QStringLiteral("7"));
  EXPECT_EQ(IncrementText(true, true, 2.5, {}), QStringLiteral("2 12:00:00"));
  EXPECT_EQ(IncrementText(true, false, 0.25, {}), QStringLiteral("06:00:00"));
  EXPECT_EQ(IncrementText(true, false, 3.0000001, {}), QStringLiteral("3"));
  // No step, a negative one or a corrupt one shows the least step, a second.
  for (double Bad : {0.0, -2.0, std::nan("")})
    EXPECT_EQ(IncrementText(true, false, Bad, {}), QStringLiteral("00:00:01")) << Bad;
  EXPECT_FALSE(IncrementText(true, false, 1e300, {}).isEmpty());
  EXPECT_EQ(IncrementText(false, false, 1234.5, QStringLiteral("#,##0.###")),
            QStringLiteral("1,234.5"));
}

TEST(AxisTexts, IncrementTextReadsBackAsTheSameStep) {
  QString Error;
  // Whatever the custom edit shows, OK reads the same step again (within the shown second).
  for (double Step : {2.5, 7.0, 0.25, 1.0 / 86400, 30.0, 1.75, 365.0}) {
    const auto V = ReadIncrementText(IncrementText(true, false, Step, {}), Error);
    ASSERT_TRUE(V) << Step << " " << Error.toStdString();
    EXPECT_NEAR(*V, Step, 0.5 / 86400) << Step;
  }
  EXPECT_DOUBLE_EQ(*ReadIncrementText(QStringLiteral(" 2 12:00 "), Error), 2.5);
  for (const char* Bad : {"", "-1", "abc", "2 x", "2 25:00", "1e400", "12:61"}) {
    EXPECT_FALSE(ReadIncrementText(QLatin1String(Bad), Error)) << Bad;
    EXPECT_TRUE(Error.contains(QLatin1String(Bad))) << Error.toStdString();
  }
}

TEST(AxisTexts, DatesTimesAndNumbersReadWithoutTheLocale) {
  QString Error;
  const double NewYear = EncodeDate(2024, 12, 31);
  EXPECT_EQ(DateText(NewYear + 0.5), QStringLiteral("12/31/2024"));
  EXPECT_EQ(TimeText(NewYear + 0.5), QStringLiteral("12:00:00"));
  EXPECT_DOUBLE_EQ(*ReadDateTimeText(QStringLiteral("12/31/2024 12:00:00"), Error), NewYear + 0.5);
  EXPECT_DOUBLE_EQ(*ReadDateTimeText(QStringLiteral("12/31/2024"), Error), NewYear);
  EXPECT_DOUBLE_EQ(*ReadTimeText(QStringLiteral("6:00 pm"), Error), 0.75);
  EXPECT_DOUBLE_EQ(*ReadTimeText(QStringLiteral("00:00:01.5"), Error), 1.5 / 86400);
  for (const char* Bad : {"2/30/2024", "13/1/2024", "31/12/2024", "12/31/2024 24:00", "1/1/0"})
    EXPECT_FALSE(ReadDateTimeText(QLatin1String(Bad), Error)) << Bad;
  EXPECT_EQ(Error, QStringLiteral("'1/1/0' is not a valid date and time"));
  for (const char* Bad : {"13:00 pm", "0:00 am", "12", "1:2:3:4"})
    EXPECT_FALSE(ReadTimeText(QLatin1String(Bad), Error)) << Bad;

  EXPECT_DOUBLE_EQ(*ReadNumberText(QStringLiteral(" -2.5E3 "), Error), -2500);
  EXPECT_EQ(NumberText(0.1), QStringLiteral("0.1"));
  for (const char* Bad : {"1,5", "inf", "nan", "", "1e999"})
    EXPECT_FALSE(ReadNumberText(QLatin1String(Bad), Error)) << Bad;
  EXPECT_EQ(Error, QStringLiteral("'1e999' is not a valid number"));
}
