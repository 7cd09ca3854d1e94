// The General, Paging and 3D pages: every control writes into the chart, half-typed numbers
// wait, and the limits hold.
#include <QCheckBox>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include "chart/editors/chart_general_pages.h"
#include "platform/controls.h"
#include "tests/chart/editors/editor_test_support.h"

TEST_F(ChartEditorTest, GeneralPageWritesZoomScrollClipAndMargins) {
  AddLine("A", clRed);
  TFormChartGeneral P(nullptr, Chart.get());
  P.PageShow();
  EXPECT_EQ(P.SEAniZoomSteps->text(), QStringLiteral("8"));
  EXPECT_EQ(P.RGPanning->ItemIndex(), int(pmBoth));

  P.CBAllowZoom->click();
  EXPECT_FALSE(Chart->AllowZoom());
  P.CBAnimatedZoom->click();
  EXPECT_TRUE(Chart->AnimatedZoom());
  Type(P.SEAniZoomSteps, QStringLiteral("20"));
  EXPECT_EQ(Chart->AnimatedZoomSteps(), 20);
  // Each step repaints at once: more than a hundred are never taken.
  Type(P.SEAniZoomSteps, QStringLiteral("5000"));
  EXPECT_EQ(Chart->AnimatedZoomSteps(), 20);
  Chart->SetAnimatedZoomSteps(1000000);
  EXPECT_EQ(Chart->AnimatedZoomSteps(), 100);
  Chart->SetAnimatedZoomSteps(-3);
  EXPECT_EQ(Chart->AnimatedZoomSteps(), 0);
  P.RGPanning->SetItemIndex(int(pmVertical));
  EXPECT_EQ(Chart->AllowPanning(), pmVertical);
  P.CBClipPoints->click();
  EXPECT_FALSE(Chart->ClipPoints());

  // Margins show in the picture; a margin and its opposite must stay below 100 %.
  const QImage Before = Picture();
  Type(P.SEMarRight, QStringLiteral("50"));
  EXPECT_EQ(Chart->MarginRight(), 50);
  EXPECT_NE(Picture(), Before);
  Type(P.SEMarLeft, QStringLiteral("55"));
  EXPECT_EQ(Chart->MarginLeft(), 3);
  EXPECT_EQ(P.SEMarLeft->text(), QStringLiteral("3"));
  Type(P.SEMarLeft, QStringLiteral("45"));
  EXPECT_EQ(Chart->MarginLeft(), 45);
  for (const char* Partial : {"", "-", "4e", " "}) {
    Type(P.SEMarTop, QLatin1String(Partial));
    EXPECT_EQ(Chart->MarginTop(), 4) << Partial;
  }
  Type(P.SEMarTop, QStringLiteral("60"));
  Type(P.SEMarBottom, QStringLiteral("40"));
  EXPECT_EQ(Chart->MarginBottom(), 4);
  Type(P.SEMarBottom, QStringLiteral("39"));
  EXPECT_EQ(Chart->MarginBottom(), 39);
}

TEST_F(ChartEditorTest, PagingPageNavigatesAndAnEmptyEditMeansNoPaging) {
  TChartSeries* S = AddLine("A", clRed);
  for (int i = 5; i < 10; ++i) S->AddXY(i, i % 3);
  TFormChartPage P(nullptr, Chart.get());
  P.PageShow();
  EXPECT_EQ(P.LPageLegend->text(), QStringLiteral("1/1"));
  Type(P.SEPointsPerPage, QStringLiteral("3"));
  EXPECT_EQ(Chart->MaxPointsPerPage(), 3);
  EXPECT_EQ(P.LPageLegend->text(), QStringLiteral("1/4"));
  EXPECT_FALSE(P.BFirst->isEnabled());
  EXPECT_FALSE(P.BPrevious->isEnabled());
  EXPECT_TRUE(P.BNext->isEnabled());
  const QImage First = Picture();
  P.BNext->click();
  EXPECT_EQ(Chart->Page(), 2);
  EXPECT_NE(Picture(), First);
  P.BLast->click();
  EXPECT_EQ(P.LPageLegend->text(), QStringLiteral("4/4"));
  EXPECT_FALSE(P.BNext->isEnabled());
  EXPECT_FALSE(P.BLast->isEnabled());
  P.BPrevious->click();
  EXPECT_EQ(Chart->Page(), 3);
  P.BFirst->click();
  EXPECT_EQ(Chart->Page(), 1);
  P.CBScaleLast->click();
  EXPECT_FALSE(Chart->ScaleLastPage());
  Type(P.SEPointsPerPage, QStringLiteral("-"));
  EXPECT_EQ(Chart->MaxPointsPerPage(), 3);
  Type(P.SEPointsPerPage, QString());
  EXPECT_EQ(Chart->MaxPointsPerPage(), 0);
  EXPECT_EQ(P.LPageLegend->text(), QStringLiteral("1/1"));
}

TEST_F(ChartEditorTest, ThreeDPageEnablesByViewAndOrthogonalAndKeepsItsRanges) {
  AddLine("A", clRed);
  TFormChart3D P(nullptr, Chart.get());
  P.PageShow();
  // Every value label shows its bar's value from the start, the bars' own starting values too.
  for (auto [Bar, Label] : {std::pair{P.SBHOffset, P.LHOffset},
                            {P.SBVOffset, P.LVOffset},
                            {P.SBPerspec, P.LPerspec},
                            {P.SBRotation, P.LRotation}})
    EXPECT_EQ(Label->text(), QString::number(Bar->value())) << Bar->objectName().toStdString();
  // The bars are evenly spaced, those beside the check boxes and the spin edit as the others.
  P.layout()->activate();
  const int Pitch = P.SBPerspec->y() - P.SBVOffset->y();
  for (auto [Upper, Lower] : {std::pair{P.SBZoom, P.SBRotation},
                              {P.SBRotation, P.SBElevation},
                              {P.SBElevation, P.SBHOffset},
                              {P.SBHOffset, P.SBVOffset}})
    EXPECT_EQ(Lower->y() - Upper->y(), Pitch) << Lower->objectName().toStdString();
  // The bars run over what the view takes: a view turned all the way round shows as it is.
  EXPECT_EQ(P.SBRotation->minimum(), 0);
  EXPECT_EQ(P.SBRotation->maximum(), 360);
  EXPECT_EQ(P.SBElevation->minimum(), 0);
  EXPECT_EQ(P.SBZoom->maximum(), 500);
  // Orthogonal by default: no rotation, elevation or perspective.
  EXPECT_TRUE(P.CBOrthogonal->isChecked());
  EXPECT_FALSE(P.SBRotation->isEnabled());
  EXPECT_FALSE(P.SBElevation->isEnabled());
  EXPECT_FALSE(P.SBPerspec->isEnabled());
  P.CBOrthogonal->click();
  EXPECT_FALSE(Chart->View3DOptions()->Orthogonal());
  EXPECT_TRUE(P.SBRotation->isEnabled());
  EXPECT_TRUE(P.SBPerspec->isEnabled());

  const QImage Before = Picture();
  P.SBRotation->setValue(300);
  EXPECT_EQ(Chart->View3DOptions()->Rotation(), 300);
  EXPECT_EQ(P.LRotation->text(), QStringLiteral("300"));
  EXPECT_NE(Picture(), Before);
  P.SBElevation->setValue(280);
  P.SBZoom->setValue(150);
  P.SBHOffset->setValue(40);
  P.SBVOffset->setValue(-30);
  P.SBPerspec->setValue(50);
  const TView3DOptions* V = Chart->View3DOptions();
  EXPECT_EQ(V->Elevation(), 280);
  EXPECT_EQ(V->Zoom(), 150);
  EXPECT_EQ(P.LZoom->text(), QStringLiteral("150%"));
  EXPECT_EQ(V->HorizOffset(), 40);
  EXPECT_EQ(V->VertOffset(), -30);
  EXPECT_EQ(V->Perspective(), 50);
  P.CBZoomText->click();
  EXPECT_FALSE(V->ZoomText());

  Type(P.SE3d, QStringLiteral("40"));
  EXPECT_EQ(Chart->Chart3DPercent(), 40);
  // The percentage stops at 100: more is not applied, with the chart's message.
  Type(P.SE3d, QStringLiteral("101"));
  Type(P.SE3d, QStringLiteral("0"));
  EXPECT_EQ(Chart->Chart3DPercent(), 40);
  EXPECT_EQ(Dialogs.Messages(),
            QStringList(2, QStringLiteral("3D effect percent must be between 1 and 100")));

  P.CBView3d->click();
  EXPECT_FALSE(Chart->View3D());
  for (QWidget* W : QList<QWidget*>{P.SE3d, P.SBZoom, P.SBHOffset, P.SBVOffset, P.CBZoomText,
                                    P.CBOrthogonal, P.SBRotation, P.SBElevation, P.SBPerspec})
    EXPECT_FALSE(W->isEnabled()) << W->objectName().toStdString();
}
