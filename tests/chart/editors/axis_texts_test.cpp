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
