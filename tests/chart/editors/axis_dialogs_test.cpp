// The axis range and increment dialogs: what they show for a date-time or a numeric axis, what
// OK reads back, and that text which does not convert keeps the dialog open with the reason.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "chart/editors/axis_dialogs.h"
#include "chart/editors/axis_texts.h"
#include "tests/chart/editors/editor_test_support.h"

namespace {
TAxisIncrement& Increment(TForm& F) { return dynamic_cast<TAxisIncrement&>(F); }
TAxisMaxMin& MaxMin(TForm& F) { return dynamic_cast<TAxisMaxMin&>(F); }
}  // namespace

TEST_F(ChartEditorTest, IncrementDialogOffersTheTableStepsByName) {
  bool Exact = true;
  double Step = DateTimeStep[dtOneWeek];
  Then([&](TForm& F) {
    TAxisIncrement& D = Increment(F);
    EXPECT_EQ(D.windowTitle(), QStringLiteral("Desired Bottom Axis Increment"));
    ASSERT_EQ(D.CBSteps->count(), NumDateTimeSteps);
    for (int i = 0; i < NumDateTimeSteps; ++i)
      EXPECT_EQ(D.CBSteps->itemText(i), DateTimeStepName(i));
    EXPECT_EQ(D.CBSteps->itemText(18), QStringLiteral("Half Month"));
    // An exact table step opens on the list with the custom edit empty and off.
    EXPECT_TRUE(D.CBExact->isVisibleTo(&D));
    EXPECT_TRUE(D.RBStandard->isChecked());
    EXPECT_EQ(D.CBSteps->currentIndex(), int(dtOneWeek));
    EXPECT_FALSE(D.ECustom->isEnabled());
    EXPECT_TRUE(D.ECustom->text().isEmpty());
    EXPECT_EQ(D.ECustom->toolTip(), QStringLiteral("Enter [Number of Days] [hh:mm:ss]"));
    D.CBSteps->setCurrentIndex(dtSixHours);
    D.BOk->click();
  });
  ASSERT_TRUE(EditAxisIncrement(nullptr, QStringLiteral("Desired Bottom Axis Increment"), true,
                                Exact, Step));
  EXPECT_DOUBLE_EQ(Step, 0.25);
  EXPECT_TRUE(Exact);

  // Cleared "Exact" goes over to the custom edit with the step as days and time.
  Then([&](TForm& F) {
    TAxisIncrement& D = Increment(F);
    D.CBExact->click();
    EXPECT_TRUE(D.RBCustom->isChecked());
    EXPECT_FALSE(D.CBSteps->isEnabled());
    EXPECT_EQ(D.ECustom->text(), QStringLiteral("06:00:00"));
    D.ECustom->setText(QStringLiteral("2 12:00:00"));
    D.BOk->click();
  });
  ASSERT_TRUE(EditAxisIncrement(nullptr, QString(), true, Exact, Step));
  EXPECT_DOUBLE_EQ(Step, 2.5);
  EXPECT_FALSE(Exact);
}

TEST_F(ChartEditorTest, IncrementDialogKeepsOpenOnTextThatIsNoStep) {
  bool Exact = false;
  double Step = 1;
  // OK on text that is no step keeps the dialog open: no step comes back.
  Then([&](TForm& F) {
    Increment(F).ECustom->setText(QStringLiteral("two days"));
    Increment(F).BOk->click();
  });
  EXPECT_FALSE(EditAxisIncrement(nullptr, QString(), true, Exact, Step));
  EXPECT_EQ(Dialogs.Messages(),
            QStringList{QStringLiteral("Incorrect value. Reason: 'two days' is not a valid "
                                       "number of days and time")});
  Then([&](TForm& F) {
    Increment(F).ECustom->setText(QStringLiteral("3"));
    Increment(F).BOk->click();
  });
  ASSERT_TRUE(EditAxisIncrement(nullptr, QString(), true, Exact, Step));
  EXPECT_DOUBLE_EQ(Step, 3);

  // A numeric axis shows the number alone.
  Step = 0.125;
  Then([&](TForm& F) {
    TAxisIncrement& D = Increment(F);
    EXPECT_FALSE(D.CBExact->isVisibleTo(&D));
    EXPECT_FALSE(D.CBSteps->isVisibleTo(&D));
    EXPECT_FALSE(D.RBStandard->isVisibleTo(&D));
    EXPECT_EQ(D.ECustom->text(), QStringLiteral("0.125"));
    D.ECustom->setText(QStringLiteral("1,5"));
    D.BOk->click();
  });
  EXPECT_FALSE(EditAxisIncrement(nullptr, QString(), false, Exact, Step));
  EXPECT_DOUBLE_EQ(Step, 0.125);
  EXPECT_EQ(Dialogs.Messages().size(), 2);
}

TEST_F(ChartEditorTest, RangeDialogShowsDatesTimesOrNumbers) {
  const double Day = EncodeDate(2024, 3, 1);
  auto Run = [&](bool DateTime, double Value, auto Step) {
    TAxisMaxMin D(nullptr);
    D.IsDateTime = DateTime;
    D.MaxMin = Value;
    Then([Step](TForm& F) { Step(MaxMin(F)); });
    const bool Ok = RunChartModal(D) == mrOk;
    return Ok ? D.MaxMin : std::nan("");
  };
  EXPECT_DOUBLE_EQ(Run(true, Day + 0.5,
                       [](TAxisMaxMin& D) {
                         EXPECT_EQ(D.EDate->text(), QStringLiteral("3/1/2024"));
                         EXPECT_EQ(D.ETime->text(), QStringLiteral("12:00:00"));
                         D.ETime->setText(QStringLiteral("18:00"));
                         D.BOk->click();
                       }),
                   Day + 0.75);
  // Below one day there is no date.
  EXPECT_DOUBLE_EQ(Run(true, 0.25,
                       [](TAxisMaxMin& D) {
                         EXPECT_FALSE(D.EDate->isVisibleTo(&D));
                         EXPECT_FALSE(D.LDate->isVisibleTo(&D));
                         D.ETime->setText(QStringLiteral("1:30"));
                         D.BOk->click();
                       }),
                   1.5 / 24);
  // An OK with nothing typed changes nothing, not even what the texts cannot show.
  for (const double Kept : {-100.0, Day + 0.3 / 86400})
    EXPECT_EQ(Run(true, Kept, [](TAxisMaxMin& D) { D.BOk->click(); }), Kept);
  EXPECT_TRUE(std::isnan(Run(false, -12.5, [](TAxisMaxMin& D) {
    EXPECT_EQ(D.LDate->text(), QStringLiteral("Value:"));
    EXPECT_FALSE(D.ETime->isVisibleTo(&D));
    EXPECT_EQ(D.EDate->text(), QStringLiteral("-12.5"));
    D.EDate->setText(QStringLiteral("1O0"));
    D.BOk->click();
  })));
  EXPECT_EQ(Dialogs.Messages(),
            QStringList{QStringLiteral("Incorrect value. Reason: '1O0' is not a valid number")});
  EXPECT_DOUBLE_EQ(Run(false, -12.5,
                       [](TAxisMaxMin& D) {
                         D.EDate->setText(QStringLiteral("100"));
                         D.BOk->click();
                       }),
                   100);
  EXPECT_TRUE(std::isnan(Run(false, 1, [](TAxisMaxMin& D) { D.BCancel->click(); })));
}
