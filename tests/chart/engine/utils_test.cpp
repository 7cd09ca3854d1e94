// The shared routines: date-time steps, the 1-2-5 series, formats, hit tests, palette, names.
#include "chart/engine/chart_utils.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>
#include <QWidget>

#include "chart/engine/chart_format.h"
#include "chart/engine/chart_registry.h"
#include "platform/cursors.h"

namespace {

constexpr double Second = 1.0 / 86400;

TEST(ChartDateSteps, TableLookups) {
  EXPECT_EQ(DateTimeStepIndex(Second + 1.0 / 200000), dtOneSecond);
  EXPECT_EQ(DateTimeStepIndex(1.5), dtNone);
  EXPECT_EQ(DateTimeStepIndex(6.0 / 24), dtSixHours);
  EXPECT_EQ(DateTimeStepIndex(365), dtOneYear);
  EXPECT_DOUBLE_EQ(NextDateTimeStep(1), 2);
  EXPECT_DOUBLE_EQ(NextDateTimeStep(Second / 2), 365);
  EXPECT_DOUBLE_EQ(NextDateTimeStep(200), 365);
  EXPECT_DOUBLE_EQ(NextDateTimeStep(0.3 / 24), 0.5 / 24);
  EXPECT_EQ(DateTimeFormatForStep(2), ShortDateFormat());
  EXPECT_EQ(DateTimeFormatForStep(1), ShortTimeFormat());
}

TEST(ChartDateSteps, LabelStepForARange) {
  // One day with room for six labels steps by six hours.
  EXPECT_DOUBLE_EQ(CalcDateTimeStep(1, 0, 6), 6.0 / 24);
  EXPECT_DOUBLE_EQ(CalcDateTimeStep(1, 0, 24), 1.0 / 24);
  EXPECT_DOUBLE_EQ(CalcDateTimeStep(60, 0, 4), 15);
  EXPECT_DOUBLE_EQ(CalcDateTimeStep(3650, 0, 5), 730);             // past a year it doubles
  EXPECT_DOUBLE_EQ(CalcDateTimeStep(1, 3.0 / 24, 100), 3.0 / 24);  // the set increment
  // Huge and broken ranges end; no labels at all gives a second.
  EXPECT_GT(CalcDateTimeStep(1e300, 0, 10), 1e298);
  EXPECT_DOUBLE_EQ(CalcDateTimeStep(std::numeric_limits<double>::infinity(), 0, 10), Second);
  EXPECT_DOUBLE_EQ(CalcDateTimeStep(10, 0, 0), Second);
}

TEST(ChartDateSteps, RoundingAndMovingDates) {
  const double D = EncodeDate(2024, 3, 20) + 0.75;
  EXPECT_DOUBLE_EQ(ChartRoundDate(D, dtHalfMonth), EncodeDate(2024, 3, 15));
  EXPECT_DOUBLE_EQ(ChartRoundDate(EncodeDate(2024, 3, 9), dtHalfMonth), EncodeDate(2024, 3, 1));
  EXPECT_DOUBLE_EQ(ChartRoundDate(D, dtThreeMonths), EncodeDate(2024, 3, 1));
  EXPECT_DOUBLE_EQ(ChartRoundDate(D, dtOneYear), EncodeDate(2024, 1, 1));
  EXPECT_DOUBLE_EQ(ChartRoundDate(D, dtOneDay), EncodeDate(2024, 3, 20));
  EXPECT_DOUBLE_EQ(ChartRoundDate(0.5, dtOneYear), 0.5);  // before 1900: as it is

  double V = EncodeDate(2024, 1, 31);
  IncDecDateTime(true, V, 30, true, dtOneMonth);
  EXPECT_DOUBLE_EQ(V, EncodeDate(2024, 2, 1));
  V = EncodeDate(2024, 3, 1);
  IncDecDateTime(false, V, 15, true, dtHalfMonth);
  EXPECT_DOUBLE_EQ(V, EncodeDate(2024, 2, 15));
  V = EncodeDate(2023, 12, 1);
  IncDecDateTime(true, V, 60, true, dtTwoMonths);
  EXPECT_DOUBLE_EQ(V, EncodeDate(2024, 2, 1));
  V = EncodeDate(2024, 2, 1);
  IncDecDateTime(false, V, 182, true, dtSixMonths);
  EXPECT_DOUBLE_EQ(V, EncodeDate(2023, 8, 1));
  V = EncodeDate(2024, 2, 29);
  IncDecDateTime(true, V, 365, true, dtOneYear);
  EXPECT_DOUBLE_EQ(V, EncodeDate(2025, 2, 28));
  V = 10.25;
  IncDecDateTime(false, V, 0.25, true, dtSixHours);
  EXPECT_DOUBLE_EQ(V, 10);
  V = 5;
  IncDecDateTime(true, V, 2, false, dtOneMonth);
  EXPECT_DOUBLE_EQ(V, 7);
}

TEST(ChartDateSteps, HalfMonthStepsGoForwards) {
  // Forwards the half-month step runs 1st, 15th, 1st of the next month: every step moves on
  // (the table's rule took a forward step from the 20th back to the 15th).
  double V = EncodeDate(2024, 1, 1);
  IncDecDateTime(true, V, 15, true, dtHalfMonth);
  EXPECT_DOUBLE_EQ(V, EncodeDate(2024, 1, 15));
  IncDecDateTime(true, V, 15, true, dtHalfMonth);
  EXPECT_DOUBLE_EQ(V, EncodeDate(2024, 2, 1));
  V = EncodeDate(2024, 12, 20);
  IncDecDateTime(true, V, 15, true, dtHalfMonth);
  EXPECT_DOUBLE_EQ(V, EncodeDate(2025, 1, 1));
  for (int i = 0; i < 48; ++i) {
    const double Before = V;
    IncDecDateTime(true, V, 15, true, dtHalfMonth);
    EXPECT_GT(V, Before);
  }
  // Backwards: the 20th to the 15th, the 15th to the 1st.
  V = EncodeDate(2024, 5, 20);
  IncDecDateTime(false, V, 15, true, dtHalfMonth);
  EXPECT_DOUBLE_EQ(V, EncodeDate(2024, 5, 15));
  IncDecDateTime(false, V, 15, true, dtHalfMonth);
  EXPECT_DOUBLE_EQ(V, EncodeDate(2024, 5, 1));
}

TEST(ChartSteps, OneTwoFive) {
  EXPECT_DOUBLE_EQ(ChartNextStep(1), 2);
  EXPECT_DOUBLE_EQ(ChartNextStep(2), 5);
  EXPECT_DOUBLE_EQ(ChartNextStep(5), 10);
  EXPECT_DOUBLE_EQ(ChartNextStep(0.3), 0.5);
  EXPECT_DOUBLE_EQ(ChartNextStep(30), 50);
  EXPECT_NEAR(ChartNextStep(0.0012), 0.002, 1e-15);
  EXPECT_DOUBLE_EQ(ChartNextStep(7e6), 1e7);
  // Values that would never reach the series end at once.
  EXPECT_DOUBLE_EQ(ChartNextStep(0), 1);
  EXPECT_DOUBLE_EQ(ChartNextStep(-3), 1);
  EXPECT_DOUBLE_EQ(ChartNextStep(std::numeric_limits<double>::infinity()), 1);
  EXPECT_DOUBLE_EQ(ChartNextStep(std::numeric_limits<double>::quiet_NaN()), 1);
  EXPECT_TRUE(std::isfinite(ChartNextStep(1e300)));
  EXPECT_GT(ChartNextStep(1e-300), 0);
}

TEST(ChartFormats, Numbers) {
  const QString F = QString::fromLatin1(DefaultAxisValuesFormat);
  EXPECT_EQ(FormatFloat(F, 1234567.891), QStringLiteral("1,234,567.891"));
  EXPECT_EQ(FormatFloat(F, 0.5), QStringLiteral("0.5"));
  EXPECT_EQ(FormatFloat(F, 12), QStringLiteral("12"));
  EXPECT_EQ(FormatFloat(F, -1500.25), QStringLiteral("-1,500.25"));
  EXPECT_EQ(FormatFloat(F, 0.00001), QStringLiteral("0"));
  EXPECT_EQ(FormatFloat(F, -0.0001), QStringLiteral("0"));
  EXPECT_EQ(FormatFloat(F, 1.2346), QStringLiteral("1.235"));
  EXPECT_EQ(FormatFloat(QStringLiteral("0.00"), 3), QStringLiteral("3.00"));
  EXPECT_EQ(FormatFloat(QStringLiteral("000"), 7), QStringLiteral("007"));
  EXPECT_EQ(FormatFloat(QStringLiteral("#.##"), 0.5), QStringLiteral(".5"));
  EXPECT_EQ(FormatFloat(QStringLiteral("0.0E+00"), 12345), QStringLiteral("1.2E+04"));
  EXPECT_EQ(FormatFloat(QStringLiteral("0.00e-0"), 0.000123), QStringLiteral("1.23e-4"));
  EXPECT_EQ(FormatFloat(QStringLiteral("0.0E+0"), 9.99), QStringLiteral("1.0E+1"));
  EXPECT_EQ(FormatFloat(QStringLiteral("0 \"%\""), 42), QStringLiteral("42 %"));
  EXPECT_EQ(FormatFloat(QStringLiteral("0;(0);zero"), -5), QStringLiteral("(5)"));
  EXPECT_EQ(FormatFloat(QStringLiteral("0;(0);zero"), 0), QStringLiteral("zero"));
  EXPECT_EQ(FormatFloat(F, std::numeric_limits<double>::infinity()), QStringLiteral("INF"));
  EXPECT_EQ(FormatFloat(F, std::numeric_limits<double>::quiet_NaN()), QStringLiteral("NAN"));
  // Past 15 integer digits the fixed form would only grow wide: the exponent takes over.
  EXPECT_EQ(FormatFloat(F, 1e300), QStringLiteral("1E+300"));
  EXPECT_EQ(FormatFloat(F, -2.5e20), QStringLiteral("-2.5E+20"));
  EXPECT_EQ(FormatFloat(F, 1.7976931348623157e308), QStringLiteral("1.798E+308"));
  EXPECT_EQ(FormatFloat(F, 999999999999999.0), QStringLiteral("999,999,999,999,999"));
  EXPECT_EQ(FormatFloat(QStringLiteral("0.00"), 1e16), QStringLiteral("1.00E+16"));
  // The stored and the shown formats are the same whatever the desktop's locale.
  EXPECT_EQ(NumberFormatToLocal(F), F);
  EXPECT_EQ(LocalToNumberFormat(F), F);
}

TEST(ChartFormats, Dates) {
  const double D = EncodeDate(2024, 3, 5) + (13 * 3600 + 7 * 60 + 9) / 86400.0;
  EXPECT_EQ(FormatDateTime(QStringLiteral("dd/mm/yyyy hh:nn:ss"), D),
            QStringLiteral("05/03/2024 13:07:09"));
  EXPECT_EQ(FormatDateTime(QStringLiteral("d mmm yy"), D), QStringLiteral("5 Mar 24"));
  EXPECT_EQ(FormatDateTime(QStringLiteral("dddd, mmmm d"), D), QStringLiteral("Tuesday, March 5"));
  EXPECT_EQ(FormatDateTime(QStringLiteral("h:mm am/pm"), D), QStringLiteral("1:07 pm"));
  EXPECT_EQ(FormatDateTime(ShortDateFormat(), D), QStringLiteral("3/5/2024"));
  EXPECT_EQ(FormatDateTime(ShortTimeFormat(), D), QStringLiteral("13:07"));
  EXPECT_EQ(FormatDateTime(QStringLiteral("yyyy"), 0), QStringLiteral("1899"));
  EXPECT_TRUE(FormatDateTime(QStringLiteral("yyyy"), std::nan("")).isEmpty());
  EXPECT_FALSE(FormatDateTime(QStringLiteral("yyyy"), 1e300).isEmpty());
}

TEST(ChartHitTests, LinesAndShapes) {
  EXPECT_TRUE(PointInLine({5, 5}, 0, 0, 10, 10));
  EXPECT_FALSE(PointInLine({5, 7}, 0, 0, 10, 10));
  EXPECT_FALSE(PointInLine({12, 12}, 0, 0, 10, 10));    // beyond the end
  EXPECT_TRUE(PointInLine({12, 12}, 0, 0, 10, 10, 2));  // within the tolerance
  EXPECT_TRUE(PointInLine({50, 20}, 0, 20, 100, 20));
  EXPECT_FALSE(PointInLine({50, 21}, 0, 20, 100, 20));

  const TPoint Square[4] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
  EXPECT_TRUE(PointInPolygon({5, 5}, Square));
  EXPECT_FALSE(PointInPolygon({15, 5}, Square));
  EXPECT_FALSE(PointInPolygon({5, 5}, std::span<const TPoint>()));
  EXPECT_TRUE(PointInTriangle({10, 8}, 0, 20, 10, 0));
  EXPECT_FALSE(PointInTriangle({1, 1}, 0, 20, 10, 0));
  EXPECT_TRUE(PointInHorizTriangle({5, 10}, 0, 20, 0, 20));
  EXPECT_FALSE(PointInHorizTriangle({19, 1}, 0, 20, 0, 20));

  EXPECT_TRUE(PointInEllipse({50, 30}, {0, 0, 100, 60}));
  EXPECT_TRUE(PointInEllipse({0, 30}, {0, 0, 100, 60}));
  EXPECT_FALSE(PointInEllipse({5, 5}, {0, 0, 100, 60}));
  for (TPoint P : {TPoint{5, 5}, TPoint{5, 0}, TPoint{0, 0}})
    EXPECT_FALSE(PointInEllipse(P, {5, 0, 5, 10}));  // no width: no point lies inside
}

TEST(ChartTexts, LinesPaletteAndNames) {
  EXPECT_EQ(ChartNumTextLines(QString()), 0);
  EXPECT_EQ(ChartNumTextLines(QStringLiteral("a\r")), 1);
  EXPECT_EQ(ChartNumTextLines(QStringLiteral("a\rb")), 2);
  QString T = QStringLiteral("one|two|three");
  ChartSplitInLines(T, QStringLiteral("|"));
  EXPECT_EQ(T, QStringLiteral("one\rtwo\rthree"));
  EXPECT_EQ(ChartTextLines(T), (QStringList{"one", "two", "three"}));

  EXPECT_EQ(GetDefaultColor(0), clRed);
  EXPECT_EQ(GetDefaultColor(3), clBlue);
  EXPECT_EQ(GetDefaultColor(8), clMaroon);
  EXPECT_EQ(GetDefaultColor(9), clNavy);
  EXPECT_EQ(GetDefaultColor(15), clBlack);
  EXPECT_EQ(GetDefaultColor(17), GetDefaultColor(1));
  EXPECT_EQ(GetDefaultColor(-1), clBlack);

  QWidget Owner;
  EXPECT_EQ(ChartGetUniqueName(&Owner, QStringLiteral("Series")), QStringLiteral("Series1"));
  auto* A = new QWidget(&Owner);
  A->setObjectName(QStringLiteral("Series1"));
  auto* B = new QWidget(&Owner);
  B->setObjectName(QStringLiteral("Series3"));
  EXPECT_EQ(ChartGetUniqueName(&Owner, QStringLiteral("Series")), QStringLiteral("Series2"));
  EXPECT_EQ(ChartGetUniqueName(nullptr, QStringLiteral("X")), QStringLiteral("X1"));
  QWidget* Controls[] = {A, B};
  EnableControls(false, Controls);
  EXPECT_FALSE(A->isEnabled());
  EXPECT_FALSE(B->isEnabled());
}

TEST(ChartRegistry, ClassesByName) {
  RegisterChartClasses();
  RegisterChartClasses();  // twice keeps one entry each
  const QStringList Names = RegisteredChartClasses();
  for (const char* N : {"TChart", "TChartLegend", "TChartGradient", "TChartWall", "TChartTitle"})
    EXPECT_EQ(Names.count(QString::fromLatin1(N)), 1) << N;
  const TChartClassEntry* E = FindChartClass(QStringLiteral("tchart"));
  ASSERT_NE(E, nullptr);
  ASSERT_TRUE(E->Create);
  QWidget Parent;
  QWidget* Chart = E->Create(&Parent);
  EXPECT_EQ(Chart->parent(), &Parent);
  EXPECT_STREQ(Chart->metaObject()->className(), "TChart");
  EXPECT_EQ(FindChartClass(QStringLiteral("TNoSuchChart")), nullptr);
  EXPECT_TRUE(CursorRegistered(2020));
}

}  // namespace
