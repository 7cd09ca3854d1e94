// The Axis page: every control reaches the axis and the picture, the range and step dialogs set
// the ends and the step, and what the axis refuses (or what is no number yet) keeps the old value.
#include <tuple>

#include <QCheckBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "chart/editors/axis_dialogs.h"
#include "chart/editors/chart_axis_page.h"
#include "chart/engine/chart_axis.h"
#include "platform/controls.h"
#include "tests/chart/editors/editor_test_support.h"

namespace {
class AxisPageTest : public ChartEditorTest {
 protected:
  void SetUp() override {
    ChartEditorTest::SetUp();
    Chart->SetView3D(false);
    // Values 0 to 4 along the bottom, 0 to 4 up the left axis.
    AddLine("A", clRed);
    Picture();
    Page = std::make_unique<TFormChartAxis>(nullptr, Chart.get(), Chart->LeftAxis());
    Page->PageShow();
  }
  void TearDown() override {
    Page.reset();
    ChartEditorTest::TearDown();
  }
  // Shows a tab of the page as the user's click does.
  void ShowTab(TFormChartAxis::TAxisTab Tab) { Page->PageControl1->setCurrentIndex(Tab); }
  TChartAxis& Left() { return *Chart->LeftAxis(); }
  std::unique_ptr<TFormChartAxis> Page;
};
}  // namespace

TEST_F(AxisPageTest, EveryControlReachesTheAxisAndThePicture) {
  TFormChartAxis& P = *Page;
  TChartAxis& A = Left();
  using T = TFormChartAxis;
  // Each box is clicked twice: the axis follows it both ways, and so does the picture.
  const std::tuple<T::TAxisTab, QCheckBox*, std::function<bool()>> Boxes[] = {
      {T::atScales, P.CBShow, [&] { return Chart->AxisVisible(); }},
      {T::atScales, P.CBVisible, [&] { return A.Visible(); }},
      {T::atScales, P.CBInverted, [&] { return A.Inverted(); }},
      {T::atLabels, P.CBLabels, [&] { return A.Labels(); }},
      {T::atTicks, P.CBGridCentered, [&] { return A.GridCentered(); }}};
  for (const auto& [Tab, Box, Value] : Boxes)
    for (int Click = 0; Click < 2; ++Click) {
      ShowTab(Tab);
      const QImage Before = Picture();
      Box->click();
      EXPECT_EQ(Value(), Box->isChecked()) << Box->objectName().toStdString();
      EXPECT_NE(Picture(), Before) << Box->objectName().toStdString();
    }
  // The title's room is taken once there is a title.
  ShowTab(T::atTitle);
  const QImage Untitled = Picture();
  P.ETitle->setText(QStringLiteral("Volts"));
  emit P.ETitle->textEdited(P.ETitle->text());
  EXPECT_EQ(A.TitleCaption(), QStringLiteral("Volts"));
  EXPECT_NE(Picture(), Untitled);
  const std::tuple<T::TAxisTab, TNumberEdit*, int, std::function<double()>> Numbers[] = {
      {T::atTitle, P.SETitleSize, 60, [&] { return A.TitleSize(); }},
      {T::atLabels, P.SELabelsSize, 80, [&] { return A.LabelsSize(); }},
      {T::atLabels, P.SELabelsAngle, 90, [&] { return A.LabelsAngle(); }},
      {T::atTicks, P.SETickLength, 12, [&] { return A.TickLength(); }},
      {T::atTicks, P.SEInnerLength, 9, [&] { return A.TickInnerLength(); }},
      {T::atTicks, P.SEMinorCount, 9, [&] { return A.MinorTickCount(); }},
      {T::atTicks, P.SEMinorLength, 8, [&] { return A.MinorTickLength(); }},
      {T::atPosition, P.SEAxisPosition, 50, [&] { return A.PositionPercent(); }},
      {T::atPosition, P.SEStartPosition, 20, [&] { return A.StartPosition(); }},
      {T::atPosition, P.SEEndPosition, 70, [&] { return A.EndPosition(); }}};
  for (const auto& [Tab, Edit, Number, Value] : Numbers) {
    ShowTab(Tab);
    const QImage Before = Picture();
    Type(Edit, QString::number(Number));
    EXPECT_EQ(Value(), Number) << Edit->objectName().toStdString();
    EXPECT_NE(Picture(), Before) << Edit->objectName().toStdString();
  }
  // The format, the label style, pens through their dialog and fonts through theirs.
  ShowTab(T::atLabels);
  QImage Before = Picture();
  P.EFormat->setText(QStringLiteral("0.00"));
  emit P.EFormat->textEdited(P.EFormat->text());
  EXPECT_EQ(A.AxisValuesFormat(), QStringLiteral("0.00"));
  EXPECT_NE(Picture(), Before);
  Before = Picture();
  P.RGLabelStyle->SetItemIndex(talNone);
  EXPECT_EQ(A.LabelStyle(), talNone);
  EXPECT_NE(Picture(), Before);
  Then([](TForm& F) {
    auto& D = dynamic_cast<TPenDialog&>(F);
    Keys(D.SEWidth, QStringLiteral("3"));
    D.Button1->click();
  });
  P.BGridPen->click();
  EXPECT_EQ(A.Grid()->Width(), 3);
  Dialogs.AnswerFont(QFont(QStringLiteral("Liberation Serif"), 14), clBlue);
  P.BLabelsFont->click();
  EXPECT_EQ(A.LabelsFont()->Color(), clBlue);
  EXPECT_TRUE(Dialogs.Messages().isEmpty());
  // A separation below 0 is refused in the axis' words; the edit's own limit above in its own.
  Type(P.SESepar, QStringLiteral("-5"));
  Type(P.SESepar, QStringLiteral("600"));
  EXPECT_EQ(A.LabelsSeparation(), 10);
  EXPECT_EQ(Dialogs.Messages(), (QStringList{QLatin1String(AxisMessages::Separation),
                                             QStringLiteral("Value must be between 0 and 500")}));
}

TEST_F(AxisPageTest, AutomaticRangeTurnedOffKeepsTheRangeInForce) {
  TFormChartAxis& P = *Page;
  TChartAxis& A = Left();
  EXPECT_TRUE(P.CBAutomatic->isChecked());
  EXPECT_FALSE(P.CBAutoMax->isEnabled());
  EXPECT_FALSE(P.BAxisMax->isEnabled());
  EXPECT_EQ(P.LAxisMax->text(), QStringLiteral("4"));
  EXPECT_EQ(P.LAxisMin->text(), QStringLiteral("0"));
  const QImage Before = Picture();
  P.CBAutomatic->click();
  EXPECT_FALSE(A.Automatic() || A.AutomaticMaximum() || A.AutomaticMinimum());
  EXPECT_EQ(A.Maximum(), 4);
  EXPECT_EQ(A.Minimum(), 0);
  EXPECT_EQ(Picture(), Before);
  EXPECT_TRUE(P.CBAutoMax->isEnabled());
  EXPECT_TRUE(P.BAxisMax->isEnabled() && P.BAxisMin->isEnabled());

  // One end back to automatic: only the other one may be changed.
  P.CBAutoMin->click();
  EXPECT_TRUE(A.AutomaticMinimum());
  EXPECT_FALSE(P.BAxisMin->isEnabled());
  EXPECT_TRUE(P.BAxisMax->isEnabled());

  // "Change..." on the maximum: a value below the minimum is the axis' to refuse.
  Then([](TForm& F) {
    TAxisMaxMin& D = dynamic_cast<TAxisMaxMin&>(F);
    EXPECT_EQ(D.windowTitle(), QStringLiteral("Maximum Left Axis"));
    EXPECT_EQ(D.EDate->text(), QStringLiteral("4"));
    D.EDate->setText(QStringLiteral("10"));
    D.BOk->click();
  });
  P.BAxisMax->click();
  EXPECT_EQ(A.Maximum(), 10);
  EXPECT_EQ(P.LAxisMax->text(), QStringLiteral("10"));
  EXPECT_NE(Picture(), Before);
  P.CBAutoMin->click();
  Then([](TForm& F) {
    TAxisMaxMin& D = dynamic_cast<TAxisMaxMin&>(F);
    EXPECT_EQ(D.windowTitle(), QStringLiteral("Minimum Left Axis"));
    D.EDate->setText(QStringLiteral("20"));
    D.BOk->click();
  });
  P.BAxisMin->click();
  EXPECT_EQ(A.Minimum(), 0);
  EXPECT_EQ(Dialogs.Messages(), QStringList{QLatin1String(AxisMessages::Minimum)});

  P.CBAutomatic->click();
  EXPECT_TRUE(A.Automatic() && A.AutomaticMaximum() && A.AutomaticMinimum());
  EXPECT_EQ(P.LAxisMax->text(), QStringLiteral("4"));
  EXPECT_EQ(Picture(), Before);
}

TEST_F(AxisPageTest, IncrementAndLogarithmicGoThroughTheAxisChecks) {
  TFormChartAxis& P = *Page;
  TChartAxis& A = Left();
  const QImage Before = Picture();
  Then([](TForm& F) {
    TAxisIncrement& D = dynamic_cast<TAxisIncrement&>(F);
    EXPECT_EQ(D.windowTitle(), QStringLiteral("Desired Left Axis Increment"));
    EXPECT_GT(D.width(), QFontMetrics(D.font()).horizontalAdvance(D.windowTitle()));
    D.ECustom->setText(QStringLiteral("2"));
    D.BOk->click();
  });
  P.BAxisIncre->click();
  EXPECT_EQ(A.Increment(), 2);
  EXPECT_EQ(P.LAxisIncre->text(), QStringLiteral("2"));
  EXPECT_NE(Picture(), Before);
  Then([](TForm& F) {
    dynamic_cast<TAxisIncrement&>(F).ECustom->setText(QStringLiteral("-1"));
    dynamic_cast<TAxisIncrement&>(F).BOk->click();
  });
  P.BAxisIncre->click();
  EXPECT_EQ(A.Increment(), 2);
  EXPECT_EQ(Dialogs.Messages().value(0), QLatin1String(AxisMessages::Increment));

  // Values below 0 cannot be logarithmic: the message, and the box is cleared.
  Chart->GetSeries(0)->AddXY(5, -3);
  P.CBLogarithmic->click();
  EXPECT_FALSE(A.Logarithmic());
  EXPECT_FALSE(P.CBLogarithmic->isChecked());
  EXPECT_EQ(Dialogs.Messages().value(1), QLatin1String(AxisMessages::LogMinMax));
  // Nor can date-times; the bottom axis holds them now.
  Chart->GetSeries(0)->XValues()->SetDateTime(true);
  P.RGWhichAxis->SetItemIndex(3);
  EXPECT_EQ(P.Axis(), Chart->BottomAxis());
  P.CBLogarithmic->click();
  EXPECT_FALSE(Chart->BottomAxis()->Logarithmic());
  EXPECT_EQ(Dialogs.Messages().value(2), QLatin1String(AxisMessages::DateTimeLog));
  ShowTab(TFormChartAxis::atLabels);
  EXPECT_EQ(P.LFormat->text(), QStringLiteral("DateTime For&mat:"));
  P.EFormat->setText(QStringLiteral("yyyy"));
  emit P.EFormat->textEdited(P.EFormat->text());
  EXPECT_EQ(Chart->BottomAxis()->DateTimeFormat(), QStringLiteral("yyyy"));
}

TEST_F(AxisPageTest, WhatTheAxisCannotDrawIsRefusedWithItsMessage) {
  TFormChartAxis& P = *Page;
  // The data reach 0, which has no logarithm; a minimum of 50 lies above their maximum.
  P.CBLogarithmic->click();
  P.CBAutomatic->click();
  P.CBAutoMax->click();
  Then([](TForm& F) {
    dynamic_cast<TAxisMaxMin&>(F).EDate->setText(QStringLiteral("50"));
    dynamic_cast<TAxisMaxMin&>(F).BOk->click();
  });
  P.BAxisMin->click();
  EXPECT_FALSE(Left().Logarithmic());
  EXPECT_EQ(Left().Minimum(), 0);
  EXPECT_EQ(P.LAxisMin->text(), QStringLiteral("0"));
  EXPECT_EQ(Dialogs.Messages(), (QStringList{QLatin1String(AxisMessages::LogMinMax),
                                             QLatin1String(AxisMessages::Minimum)}));
  // The depth axis knows its automatic maximum too (one unit per z order: 0.5 here).
  P.RGWhichAxis->SetItemIndex(4);
  TChartAxis& Depth = *Chart->DepthAxis();
  P.CBAutomatic->click();
  P.CBAutoMax->click();
  ASSERT_TRUE(Depth.AutomaticMaximum() && !Depth.AutomaticMinimum());
  const double Was = Depth.Minimum();
  Then([](TForm& F) {
    dynamic_cast<TAxisMaxMin&>(F).EDate->setText(QStringLiteral("1000"));
    dynamic_cast<TAxisMaxMin&>(F).BOk->click();
  });
  P.BAxisMin->click();
  EXPECT_EQ(Depth.Minimum(), Was);
  EXPECT_EQ(Dialogs.Messages().value(2), QLatin1String(AxisMessages::Minimum));
}

TEST_F(AxisPageTest, AutoBoxesAreRefusedWhatTheDataCannotTake) {
  TFormChartAxis& P = *Page;
  TChartAxis& A = Left();
  auto Fix = [&](double Min, double Max, bool Log) {
    A.SetRange(false, false, Min, Max);
    A.SetLogarithmic(Log);
    P.PageShow();
  };
  // Each box is refused with the axis' message, goes back, and leaves axis and picture alone.
  auto Refused = [&](QCheckBox* Box, const char* Message) {
    const QImage Before = Picture();
    const qsizetype Shown = Dialogs.Messages().size();
    Box->click();
    EXPECT_EQ(Dialogs.Messages().value(Shown), QLatin1String(Message));
    EXPECT_FALSE(Box->isChecked()) << Box->objectName().toStdString();
    EXPECT_FALSE(A.Automatic() || A.AutomaticMinimum() || A.AutomaticMaximum());
    EXPECT_EQ(Picture(), Before);
  };
  // The data run 0 to 4: a fixed 5..10 has its minimum above their maximum, -10..-5 its maximum
  // below their minimum, and a logarithmic 1..10 cannot take their 0 from either box.
  Fix(5, 10, false);
  Refused(P.CBAutoMax, AxisMessages::Maximum);
  Fix(-10, -5, false);
  Refused(P.CBAutoMin, AxisMessages::Minimum);
  Fix(1, 10, true);
  Refused(P.CBAutoMin, AxisMessages::LogMinMax);
  Refused(P.CBAutomatic, AxisMessages::LogMinMax);
  EXPECT_EQ(A.Minimum(), 1);
  EXPECT_EQ(P.LAxisMin->text(), QStringLiteral("1"));
}

TEST_F(AxisPageTest, NumberEditsStepWithTheirArrowsAndWaitForTheWholeNumber) {
  TFormChartAxis& P = *Page;
  TChartAxis& A = Left();
  ShowTab(TFormChartAxis::atPosition);
  Type(P.SEStartPosition, QStringLiteral("50"));
  // Key by key: the 9 of 90 lies below the start, and the edit waits for the 0.
  P.SEEndPosition->selectAll();
  QTest::keyClicks(P.SEEndPosition, QStringLiteral("90"));
  QTest::keyClick(P.SEEndPosition, Qt::Key_Return);
  EXPECT_EQ(P.SEEndPosition->text(), QStringLiteral("90"));
  EXPECT_EQ(A.EndPosition(), 90);
  // An end below the start is refused once the typing ends, and put back.
  P.SEEndPosition->selectAll();
  QTest::keyClicks(P.SEEndPosition, QStringLiteral("40"));
  EXPECT_EQ(P.SEEndPosition->text(), QStringLiteral("40"));
  QTest::keyClick(P.SEEndPosition, Qt::Key_Return);
  EXPECT_EQ(P.SEEndPosition->text(), QStringLiteral("90"));
  EXPECT_EQ(A.EndPosition(), 90);

  // The arrows step by the edit's increment and stop at its end.
  ShowTab(TFormChartAxis::atLabels);
  const QList<QToolButton*> Arrows = P.SELabelsAngle->UpDown()->findChildren<QToolButton*>();
  ASSERT_EQ(Arrows.size(), 2);
  for (int Click = 0; Click < 5; ++Click) Arrows[0]->click();
  EXPECT_EQ(A.LabelsAngle(), 360);
  EXPECT_EQ(P.SELabelsAngle->text(), QStringLiteral("360"));
  Arrows[1]->click();
  EXPECT_EQ(A.LabelsAngle(), 270);
  // 400 is refused in the axis' words.
  Type(P.SELabelsAngle, QStringLiteral("400"));
  EXPECT_EQ(A.LabelsAngle(), 270);
  EXPECT_EQ(Dialogs.Messages(),
            (QStringList{QStringLiteral("Axis End must be above its Start"),
                         QStringLiteral("Axis Labels Angle must be between 0 and 360 degrees")}));
}

TEST_F(AxisPageTest, AxesInTheirOrderAndTheDepthAxisWithoutWhatItLacks) {
  TFormChartAxis& P = *Page;
  EXPECT_EQ(P.RGWhichAxis->ItemIndex(), 0);
  TChartAxis* Expected[] = {Chart->LeftAxis(), Chart->RightAxis(), Chart->TopAxis(),
                            Chart->BottomAxis(), Chart->DepthAxis()};
  for (int i = 4; i >= 0; --i) {
    P.RGWhichAxis->SetItemIndex(i);
    EXPECT_EQ(P.Axis(), Expected[i]) << i;
    EXPECT_EQ(P.CBVisible->isChecked(), Expected[i]->Visible()) << i;
    EXPECT_EQ(P.CBLogarithmic->isEnabled(), i != 4) << i;
  }
  P.RGWhichAxis->SetItemIndex(4);
  ShowTab(TFormChartAxis::atPosition);
  EXPECT_FALSE(P.SEStartPosition->isEnabled());
  EXPECT_FALSE(P.SEAxisPosition->isEnabled());
  P.RGWhichAxis->SetItemIndex(2);
  EXPECT_TRUE(P.SEEndPosition->isEnabled());

  // The editor shows the tab, on the left axis.
  Then([this](TForm& F) {
    auto& E = dynamic_cast<TChartEditForm&>(F);
    EXPECT_TRUE(E.Notebook1->TabVisible(cetAxis));
    auto* A = qobject_cast<TFormChartAxis*>(E.Page(cetAxis));
    ASSERT_NE(A, nullptr);
    EXPECT_EQ(A->Axis(), Chart->LeftAxis());
    EXPECT_EQ(A->LAxisMax->text(), QStringLiteral("4"));
  });
  EditChartPage(nullptr, Chart.get(), cetAxis);
}
