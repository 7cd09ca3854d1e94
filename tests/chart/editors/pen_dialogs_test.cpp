// The pen and brush dialogs apply at once and Cancel puts back exactly what they changed.
#include <QCheckBox>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "chart/engine/chart_pen.h"
#include "platform/controls.h"
#include "tests/chart/editors/editor_test_support.h"

namespace {
TPenDialog& PenDialog(TForm& F) { return dynamic_cast<TPenDialog&>(F); }
TBrushDialog& BrushDialog(TForm& F) { return dynamic_cast<TBrushDialog&>(F); }
}  // namespace

TEST_F(ChartEditorTest, PenDialogAppliesLiveAndCancelRestoresEverything) {
  int Notified = 0;
  TChartPen Pen([&](TGraphicsObject*) { ++Notified; });
  Pen.SetColor(clGreen);
  Pen.SetStyle(psDash);
  const TPenData Before = Pen.Data();
  Then([&](TForm& F) {
    TPenDialog& D = PenDialog(F);
    EXPECT_EQ(D.windowTitle(), QStringLiteral("Border Color Editor"));
    EXPECT_TRUE(D.CBVisible->isVisibleTo(&D));
    ASSERT_EQ(D.RGStyle->Items().size(), 6);  // "Small Dots" for a chart pen
    EXPECT_EQ(D.RGStyle->ItemIndex(), int(psDash));
    EXPECT_EQ(D.SHColor->Color(), clGreen);

    Dialogs.AnswerColor(clRed);
    D.BColor->click();
    EXPECT_EQ(Pen.Color(), clRed);
    EXPECT_EQ(D.SHColor->Color(), clRed);
    D.RGStyle->SetItemIndex(int(psDot));
    EXPECT_EQ(Pen.Style(), psDot);
    D.RGStyle->SetItemIndex(5);
    EXPECT_TRUE(Pen.SmallDots());
    D.CBVisible->click();
    EXPECT_FALSE(Pen.Visible());

    // A wide pen has no style.
    Keys(D.SEWidth, QStringLiteral("3"));
    EXPECT_EQ(Pen.Width(), 3);
    EXPECT_FALSE(D.RGStyle->isEnabled());
    Keys(D.SEWidth, QStringLiteral("1"));
    EXPECT_TRUE(D.RGStyle->isEnabled());
    Keys(D.SEWidth, QStringLiteral("4"));

    Notified = 0;
    D.Button3->click();
  });
  EditChartPen(nullptr, Pen);
  EXPECT_TRUE(Pen.Data() == Before);
  EXPECT_TRUE(Pen.Visible());
  EXPECT_FALSE(Pen.SmallDots());
  EXPECT_GE(Notified, 1);

  // OK keeps the change; a plain pen has no Visible box and no small dots.
  TPen Plain;
  Then([&](TForm& F) {
    TPenDialog& D = PenDialog(F);
    EXPECT_FALSE(D.CBVisible->isVisibleTo(&D));
    EXPECT_EQ(D.RGStyle->Items().size(), 5);
    D.RGStyle->SetItemIndex(int(psDashDot));
    D.Button1->click();
  });
  EditPen(nullptr, Plain);
  EXPECT_EQ(Plain.Style(), psDashDot);

  // Closed by the title bar, the dialogs roll back as Cancel does.
  Then([&](TForm& F) {
    TPenDialog& D = PenDialog(F);
    D.UDWidth->Step(btNext);
    D.RGStyle->SetItemIndex(int(psDot));
    EXPECT_EQ(Pen.Width(), 2);
    D.close();
  });
  EditChartPen(nullptr, Pen);
  EXPECT_TRUE(Pen.Data() == Before);
  TChartBrush Brush;
  Then([&](TForm& F) {
    BrushDialog(F).RGStyle->SetItemIndex(int(bsCross));
    F.close();
  });
  EditChartBrush(nullptr, Brush);
  EXPECT_EQ(Brush.Style(), bsSolid);
}

TEST_F(ChartEditorTest, BrushDialogHidesTheColourOfAnEmptyBrushAndCancelRestores) {
  TChartBrush Brush;
  Brush.SetColor(clYellow);
  Brush.SetStyle(bsCross);
  const TBrushData Before = Brush.Data();
  Then([&](TForm& F) {
    TBrushDialog& D = BrushDialog(F);
    EXPECT_EQ(D.windowTitle(), QStringLiteral("Pattern Color Editor"));
    EXPECT_EQ(D.RGStyle->ItemIndex(), int(bsCross));
    D.layout()->activate();
    const QRect Styles = D.RGStyle->geometry();
    D.RGStyle->SetItemIndex(int(bsClear));
    EXPECT_EQ(Brush.Style(), bsClear);
    EXPECT_FALSE(D.BColor->isEnabled());
    EXPECT_FALSE(D.SHColor->isVisibleTo(&D));
    // The style group keeps its shape without the swatch.
    D.layout()->activate();
    EXPECT_EQ(D.RGStyle->geometry(), Styles);
    D.RGStyle->SetItemIndex(int(bsHorizontal));
    EXPECT_TRUE(D.BColor->isEnabled());
    Dialogs.AnswerColor(clBlue);
    D.BColor->click();
    EXPECT_EQ(Brush.Color(), clBlue);
    D.Button3->click();
  });
  EditChartBrush(nullptr, Brush);
  EXPECT_TRUE(Brush.Data() == Before);

  // A cancelled colour dialog keeps the colour.
  EXPECT_EQ(EditColor(nullptr, clFuchsia), clFuchsia);
}

TEST_F(ChartEditorTest, FontDialogWritesTheChosenFontOnlyOnOk) {
  TFont Font;
  Font.SetSize(8);
  const TFontData Before = Font.Data();
  EditChartFont(nullptr, Font);  // cancelled
  EXPECT_TRUE(Font.Data() == Before);
  TDialogAnswer A;
  A.Font = QFont(QStringLiteral("Times New Roman"), 14);
  A.Font.setBold(true);
  A.Color = clMaroon;
  Dialogs.Answers.push_back(A);
  EXPECT_EQ(&EditChartFont(nullptr, Font), &Font);
  EXPECT_EQ(Font.Name(), QStringLiteral("Times New Roman"));
  EXPECT_EQ(Font.Size(), 14);
  EXPECT_TRUE(Font.Style().Contains(fsBold));
  EXPECT_EQ(Font.Color(), clMaroon);
}

TEST_F(ChartEditorTest, AWallPenEditedFromTheDialogShowsInTheChart) {
  AddLine("A", clRed);
  Chart->SetView3D(false);
  TChartPen* Frame = Chart->Frame();
  const QImage Before = Picture();
  Then([&](TForm& F) {
    Dialogs.AnswerColor(clLime);
    PenDialog(F).BColor->click();
    PenDialog(F).Button1->click();
  });
  EditChartPen(nullptr, *Frame);
  const QImage After = Picture();
  EXPECT_NE(After, Before);
  EXPECT_GT(CountColor(After, clLime), 100);
}
