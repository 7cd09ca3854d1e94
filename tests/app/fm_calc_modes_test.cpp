// The paired display controls, the digit and bit spinner, the complex switch and its notice, and
// the font-size spinner.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>

#include "app/calc/fm_comp_mess.h"
#include "app/common/calc_controls.h"
#include "app/graphics/graphics_page.h"
#include "calc_test_support.h"
#include "widgets/nx_label.h"

TEST_F(CalcWindowTest, PairedGroupsStayEqualAndNotationBoundsTheDigits) {
  TfmCalc& W = Open();
  ASSERT_TRUE(Enter("2"));
  W.Digits = 5;
  W.rgNotation2->SetItemIndex(2);  // Eng, clicked on "Ex-calc"
  EXPECT_EQ(W.rgNotation->ItemIndex(), 2);
  EXPECT_EQ(EngineSettings.DisplayMode, 2);
  EXPECT_EQ(W.MinDigits, 11);
  EXPECT_EQ(W.Digits, 11);
  EXPECT_EQ(W.udDigits->Position(), 11);
  EXPECT_EQ(W.UpDown2->Position(), 11);
  EXPECT_EQ(W.udDigits->Min(), 11);

  W.rgNotation->SetItemIndex(1);
  EXPECT_EQ(W.rgNotation2->ItemIndex(), 1);
  EXPECT_EQ(W.Edit2->text(), "2.0");  // every display control shows the previous result again
  for (int I = 0; I < 8; ++I) W.udDigits->Step(btPrev);
  EXPECT_EQ(W.Digits, 3);
  EXPECT_EQ(W.UpDown2->Position(), 3);

  W.rgAngle2->SetItemIndex(0);
  EXPECT_EQ(W.rgAngle->ItemIndex(), 0);
  EXPECT_EQ(EngineSettings.AngleMode, 0);
  W.cbEval2->setChecked(true);
  EXPECT_TRUE(W.cbEval->isChecked());
  W.chHint->click();
  EXPECT_FALSE(W.chHint2->isChecked());
  EXPECT_TRUE(W.sbEQ->toolTip().isEmpty());
  W.chHint2->click();
  EXPECT_EQ(W.sbStop->toolTip(), "Break culculation");
}

TEST_F(CalcWindowTest, BinaryRadixSnapsTheBitCount) {
  TfmCalc& W = Open();
  ASSERT_TRUE(Enter("5"));
  W.rgBase->SetItemIndex(2);
  EXPECT_EQ(W.rgBase2->ItemIndex(), 2);
  EXPECT_EQ(W.lbDigits->Caption(), "Bits");
  EXPECT_EQ(W.udDigits->Position(), 32);
  EXPECT_EQ(W.Edit2->text(), "00000000000000000000000000000101 ");
  EXPECT_EQ(W.TapeLines().front(), "5 = 00000000000000000000000000000101 ; Base=2");

  std::vector<int> Down;
  for (int I = 0; I < 4; ++I) {
    W.udDigits->Step(btPrev);
    Down.push_back(W.Bits);
  }
  EXPECT_EQ(Down, (std::vector<int>{16, 8, 7, 7}));
  EXPECT_EQ(W.Edit2->text(), "0000101 ");
  W.udDigits->Step(btNext);
  EXPECT_EQ(W.Bits, 8);
  W.UpDown2->Step(btNext);
  EXPECT_EQ(W.Bits, 16);
  EXPECT_EQ(W.udDigits->Position(), 16);
  W.udDigits->Step(btNext);
  EXPECT_EQ(W.Bits, 32);
  EXPECT_EQ(W.Digits, 12);  // the decimal digit count is kept aside

  W.rgBase->SetItemIndex(0);
  EXPECT_EQ(W.lbDigits2->Caption(), "Digits");
  EXPECT_EQ(W.udDigits->Position(), 12);
  for (int P : {31, 15, 3, 9, 17, 20, 8})
    EXPECT_EQ(TfmCalc::SnapBits(P), P == 31   ? 16
                                    : P == 15 ? 8
                                    : P == 3  ? 7
                                    : P == 9  ? 16
                                    : P == 17 ? 32
                                              : P);
}

TEST_F(CalcWindowTest, ComplexSwitchShowsTheNoticeOnceAndTrimsTheModes) {
  Dialogs.OnModal = [](QDialog& D) {
    auto& Notice = dynamic_cast<TfmCompMess&>(D);
    EXPECT_TRUE(Notice.chShow->isChecked());
    EXPECT_EQ(Notice.windowTitle(), "Complex Numbers");
    return int(QDialog::Accepted);
  };
  TfmCalc& W = Open();
  W.Graphics->rgPlot->SetItemIndex(4);
  W.rgBase->SetItemIndex(1);
  W.rgNotation->SetItemIndex(3);

  W.rgReal2->SetItemIndex(1);
  EXPECT_EQ(Dialogs.ModalCount, 1);
  EXPECT_TRUE(W.ComplexMode);
  EXPECT_EQ(W.rgReal->ItemIndex(), 1);
  EXPECT_EQ(ItemCount(W.rgBase), 1);
  EXPECT_EQ(ItemCount(W.rgBase2), 1);
  EXPECT_EQ(EngineSettings.Radix, 0);
  EXPECT_EQ(ItemCount(W.rgAngle), 1);
  EXPECT_EQ(EngineSettings.AngleMode, 0);
  EXPECT_EQ(ItemCount(W.rgNotation2), 3);
  EXPECT_EQ(W.rgNotation->ItemIndex(), 0);
  EXPECT_EQ(W.Graphics->rgPlot->ItemIndex(), 3);
  EXPECT_EQ(W.Graphics->rgPlot->Items()[3], "Surface Z=|f(X+Yi)|");
  EXPECT_FALSE(W.pnlComp->isHidden());
  EXPECT_TRUE(W.pnlBase2->isHidden());
  EXPECT_FALSE(W.Graphics->Panel2->isHidden());

  // Back to real and to complex again: the notice is not shown a second time in this run.
  W.rgReal->SetItemIndex(0);
  EXPECT_FALSE(W.ComplexMode);
  EXPECT_EQ(ItemCount(W.rgBase), 3);
  EXPECT_EQ(W.rgAngle2->Items()[1], "Deg");
  EXPECT_EQ(W.rgNotation->Items()[3], "Sxg");
  EXPECT_EQ(W.Graphics->rgPlot->Items()[1], "Contour Plot f(X,Y)");
  EXPECT_TRUE(W.pnlComp2->isHidden());
  W.rgReal->SetItemIndex(1);
  EXPECT_EQ(Dialogs.ModalCount, 1);
  W.rgReal->SetItemIndex(0);
}

TEST_F(CalcWindowTest, NoticeSwitchedOffStaysOff) {
  Dialogs.OnModal = [](QDialog& D) {
    dynamic_cast<TfmCompMess&>(D).chShow->setChecked(false);
    return int(QDialog::Accepted);
  };
  TfmCalc& W = Open();
  W.rgReal->SetItemIndex(1);
  EXPECT_FALSE(W.ShowComplexNotice);
  W.rgComplexForm2->SetItemIndex(0);
  EXPECT_EQ(W.rgComplexForm->ItemIndex(), 0);
  EXPECT_EQ(W.TapeLines().size(), 1);  // the form change writes its line
  CloseWindow();

  Open();
  EXPECT_FALSE(Window->ShowComplexNotice);
  EXPECT_EQ(Window->rgComplexForm->ItemIndex(), 0);  // the form survives a restart
  Window->rgReal->SetItemIndex(1);
  EXPECT_EQ(Dialogs.ModalCount, 1);
}

TEST_F(CalcWindowTest, FontSpinnerStaysWithinItsBounds) {
  TfmCalc& W = Open();
  for (int I = 0; I < 100; ++I) W.SpinButton1Change(1);
  EXPECT_EQ(W.Edit1->font().pointSize(), 72);
  EXPECT_EQ(W.Edit2->font().pointSize(), 72);
  for (int I = 0; I < 100; ++I) W.SpinButton1Change(-1);
  EXPECT_EQ(W.Edit1->font().pointSize(), 6);
  EXPECT_EQ(W.Edit2->font().pointSize(), 6);
}

TEST_F(CalcWindowTest, ComplexModeEvaluatesWithItsOwnAnswer) {
  TfmCalc& W = Open();
  W.rgNotation->SetItemIndex(1);
  ASSERT_TRUE(Enter("7"));
  W.rgReal->SetItemIndex(1);
  EngineSettings.BreakRequested = true;  // left over from an earlier calculation
  ASSERT_TRUE(Enter("comp(3, 4)"));
  EXPECT_FALSE(EngineSettings.BreakRequested);
  EXPECT_EQ(W.Edit2->text(), "3.0+4.0i");
  EXPECT_EQ(W.Edit2->palette().color(QPalette::Text), QColor(Qt::blue));
  EXPECT_EQ(W.TapeLines().front(), "comp(3, 4) = 3.0+4.0i; ");
  EXPECT_EQ(EngineState.Ans, 7);  // the real previous result is not touched
  ASSERT_TRUE(Enter("?*comp(0,1)"));
  EXPECT_EQ(W.Edit2->text(), "-4.0+3.0i");

  EXPECT_FALSE(Enter("comp(1,0) / comp(0,0)"));
  EXPECT_TRUE(W.Edit2->text().startsWith("Division by zero: position "));
  EXPECT_EQ(W.Edit1->selectedText(), "comp(0,0)");
  EXPECT_FALSE(Enter("2+?"));  // no number literals in this mode
  EXPECT_TRUE(W.Edit2->text().contains(": position 1"));

  // The display form shows the previous complex result again and notes it on the tape.
  W.rgComplexForm->SetItemIndex(0);
  EXPECT_TRUE(W.Edit2->text().contains("*exp("));
  EXPECT_TRUE(W.TapeLines().front().startsWith("2+? = "));
  W.rgComplexForm2->SetItemIndex(1);
  EXPECT_EQ(W.Edit2->text(), "-4.0+3.0i");
  W.rgReal->SetItemIndex(0);
  EXPECT_EQ(W.Edit2->text(), "7.0");
}
