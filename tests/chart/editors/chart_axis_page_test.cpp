// The Axis page: every control reaches the axis and the picture, the range and step dialogs set
// the ends and the step, and what the axis refuses (or what is no number yet) keeps the old value.
#include <QCheckBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

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
  struct TCase {
    const char* What;
    TFormChartAxis::TAxisTab Tab;
    std::function<void()> Act;
    std::function<bool()> Done;
    // Ticks stand at the labels of a value axis either way.
    bool Shows = true;
  };
  const TCase Cases[] = {
      {"show axis", TFormChartAxis::atScales, [&] { P.CBShow->click(); },
       [&] { return !Chart->AxisVisible(); }},
      {"show axis again", TFormChartAxis::atScales, [&] { P.CBShow->click(); },
       [&] { return Chart->AxisVisible(); }},
      {"visible", TFormChartAxis::atScales, [&] { P.CBVisible->click(); },
       [&] { return !A.Visible(); }},
      {"visible again", TFormChartAxis::atScales, [&] { P.CBVisible->click(); },
       [&] { return A.Visible(); }},
      {"inverted", TFormChartAxis::atScales, [&] { P.CBInverted->click(); },
       [&] { return A.Inverted(); }},
      {"title", TFormChartAxis::atTitle,
       [&] {
         P.ETitle->setText(QStringLiteral("Volts"));
         emit P.ETitle->textEdited(P.ETitle->text());
       },
       [&] { return A.TitleCaption() == QStringLiteral("Volts"); }},
      {"title angle", TFormChartAxis::atTitle, [&] { Type(P.SETitleAngle, QStringLiteral("0")); },
       [&] { return A.Title()->Angle() == 0; }},
      {"title size", TFormChartAxis::atTitle, [&] { Type(P.SETitleSize, QStringLiteral("60")); },
       [&] { return A.TitleSize() == 60; }},
      {"labels", TFormChartAxis::atLabels, [&] { P.CBLabels->click(); },
       [&] { return !A.Labels(); }},
      {"labels again", TFormChartAxis::atLabels, [&] { P.CBLabels->click(); },
       [&] { return A.Labels(); }},
      {"labels size", TFormChartAxis::atLabels, [&] { Type(P.SELabelsSize, QStringLiteral("80")); },
       [&] { return A.LabelsSize() == 80; }},
      {"labels angle", TFormChartAxis::atLabels,
       [&] { Type(P.SELabelsAngle, QStringLiteral("90")); }, [&] { return A.LabelsAngle() == 90; }},
      {"label style", TFormChartAxis::atLabels, [&] { P.RGLabelStyle->SetItemIndex(talNone); },
       [&] { return A.LabelStyle() == talNone; }},
      {"label style back", TFormChartAxis::atLabels,
       [&] { P.RGLabelStyle->SetItemIndex(talValue); }, [&] { return A.LabelStyle() == talValue; }},
      {"format", TFormChartAxis::atLabels,
       [&] {
         P.EFormat->setText(QStringLiteral("0.00"));
         emit P.EFormat->textEdited(P.EFormat->text());
       },
       [&] { return A.AxisValuesFormat() == QStringLiteral("0.00"); }},
      {"tick length", TFormChartAxis::atTicks, [&] { Type(P.SETickLength, QStringLiteral("12")); },
       [&] { return A.TickLength() == 12; }},
      {"inner ticks", TFormChartAxis::atTicks, [&] { Type(P.SEInnerLength, QStringLiteral("9")); },
       [&] { return A.TickInnerLength() == 9; }},
      {"all ticks", TFormChartAxis::atTicks, [&] { P.CBTickOnLabels->click(); },
       [&] { return !A.TickOnLabelsOnly(); }, false},
      {"minor count", TFormChartAxis::atTicks, [&] { Type(P.SEMinorCount, QStringLiteral("9")); },
       [&] { return A.MinorTickCount() == 9; }},
      {"minor length", TFormChartAxis::atTicks, [&] { Type(P.SEMinorLength, QStringLiteral("8")); },
       [&] { return A.MinorTickLength() == 8; }},
      {"centred grid", TFormChartAxis::atTicks, [&] { P.CBGridCentered->click(); },
       [&] { return A.GridCentered(); }},
      {"position", TFormChartAxis::atPosition,
       [&] { Type(P.SEAxisPosition, QStringLiteral("50")); },
       [&] { return A.PositionPercent() == 50; }},
      {"start", TFormChartAxis::atPosition, [&] { Type(P.SEStartPosition, QStringLiteral("20")); },
       [&] { return A.StartPosition() == 20; }},
      {"end", TFormChartAxis::atPosition, [&] { Type(P.SEEndPosition, QStringLiteral("70")); },
       [&] { return A.EndPosition() == 70; }},
  };
  for (const TCase& C : Cases) {
    ShowTab(C.Tab);
    const QImage Before = Picture();
    C.Act();
    EXPECT_TRUE(C.Done()) << C.What;
    if (C.Shows) {
      EXPECT_NE(Picture(), Before) << C.What;
    }
  }
  // Pens through their dialog, fonts through theirs.
  Then([](TForm& F) {
    dynamic_cast<TPenDialog&>(F).SEWidth->setText(QStringLiteral("3"));
    emit dynamic_cast<TPenDialog&>(F).SEWidth->textEdited(QStringLiteral("3"));
    dynamic_cast<TPenDialog&>(F).Button1->click();
  });
  P.BGridPen->click();
  EXPECT_EQ(A.Grid()->Width(), 3);
  Dialogs.AnswerFont(QFont(QStringLiteral("Liberation Serif"), 14), clBlue);
  P.BLabelsFont->click();
  EXPECT_EQ(A.LabelsFont()->Color(), clBlue);
  EXPECT_EQ(A.LabelsFont()->Size(), 14);
  EXPECT_TRUE(Dialogs.Messages().isEmpty());
}

TEST_F(AxisPageTest, HalfTypedAndUnboundedNumbersKeepTheOldValue) {
  TFormChartAxis& P = *Page;
  TChartAxis& A = Left();
  ShowTab(TFormChartAxis::atTicks);
  // Lengths and counts past what a window can show would flood the drawing with lines.
  const std::pair<TChartSpinEdit*, std::function<int()>> Spins[] = {
      {P.SETickLength, [&] { return A.TickLength(); }},
      {P.SEInnerLength, [&] { return A.TickInnerLength(); }},
      {P.SEMinorLength, [&] { return A.MinorTickLength(); }},
      {P.SEMinorCount, [&] { return A.MinorTickCount(); }},
      {P.SETitleSize, [&] { return A.TitleSize(); }},
      {P.SELabelsSize, [&] { return A.LabelsSize(); }},
      {P.SESepar, [&] { return A.LabelsSeparation(); }},
      {P.SETitleAngle, [&] { return A.Title()->Angle(); }},
      {P.SELabelsAngle, [&] { return A.LabelsAngle(); }}};
  for (const auto& [Edit, Value] : Spins) {
    const int Old = Value();
    for (const char* Text : {"", "-", "1e", "-1", "501", "2147483648", "100000000"}) {
      Type(Edit, QLatin1String(Text));
      EXPECT_EQ(Value(), Old) << Edit->objectName().toStdString() << " " << Text;
    }
  }
  EXPECT_TRUE(Dialogs.Messages().isEmpty());
  // The arrow keys stop at the bound too.
  Type(P.SEMinorCount, QStringLiteral("99"));
  for (int i = 0; i < 3; ++i) {
    QKeyEvent Up(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier);
    QCoreApplication::sendEvent(P.SEMinorCount, &Up);
  }
  EXPECT_EQ(A.MinorTickCount(), 100);

  // The axis keeps some length: a start at or past the end goes back, and the other way round.
  ShowTab(TFormChartAxis::atPosition);
  Type(P.SEEndPosition, QStringLiteral("60"));
  Type(P.SEStartPosition, QStringLiteral("60"));
  EXPECT_EQ(A.StartPosition(), 0);
  EXPECT_EQ(P.SEStartPosition->text(), QStringLiteral("0"));
  Type(P.SEStartPosition, QStringLiteral("30"));
  Type(P.SEEndPosition, QStringLiteral("30"));
  EXPECT_EQ(A.EndPosition(), 60);
  EXPECT_EQ(P.SEEndPosition->text(), QStringLiteral("60"));
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

TEST_F(AxisPageTest, AxesInTheirOrderAndTheDepthAxisWithoutWhatItLacks) {
  TFormChartAxis& P = *Page;
  EXPECT_EQ(P.RGWhichAxis->Items(),
            (QStringList{QStringLiteral("&Left"), QStringLiteral("&Right"), QStringLiteral("&Top"),
                         QStringLiteral("&Bottom"), QStringLiteral("&Depth")}));
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
