#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>

#include <cmath>

#include "app/matrix/mat_lib.h"
#include "matrix_window_fixture.h"
#include "platform/controls.h"

using Grid = std::vector<std::vector<QString>>;

TEST_F(MatrixWindowTest, SizesFollowTheOperation) {
  W->ChooseOperation(3);
  EXPECT_EQ(W->edOperation->text(), "A*B=C");
  EXPECT_EQ(W->sgA->RowCount(), 5);
  EXPECT_EQ(W->sgB->ColCount(), 5);
  EXPECT_FALSE(W->pnB->isHidden());
  EXPECT_EQ(W->sgA->GetCell(0, 2), "A[2,J]");
  EXPECT_EQ(W->sgB->GetCell(3, 0), "B[I,3]");

  W->edACols->setText("3");  // B gets 3 rows
  EXPECT_EQ(W->edBRows->text(), "3");
  EXPECT_EQ(W->sgB->RowCount(), 4);
  W->edBCols->setText("2");  // C gets 2 columns
  EXPECT_EQ(W->sgC->ColCount(), 3);
  EXPECT_EQ(W->edCCols->text(), "2");
  W->edARows->setText("5");
  EXPECT_EQ(W->sgC->RowCount(), 6);
  EXPECT_EQ(W->sgC->GetCell(0, 5), "C[5,J]");
  // Out of range: red, and nothing is resized.
  W->edARows->setText("150");
  EXPECT_EQ(W->sgA->RowCount(), 6);

  W->ChooseOperation(1);
  EXPECT_EQ(W->edOperation->text(), "A*(X)=B Solve->C");
  W->edARows->setText("3");
  EXPECT_EQ(Data(W->sgA).size(), 3u);
  EXPECT_EQ(W->sgA->ColCount(), 4);
  EXPECT_EQ(W->sgB->ColCount(), 2);
  EXPECT_EQ(W->sgC->RowCount(), 4);

  W->ChooseOperation(2);
  W->edBRows->setText("7");  // B follows A
  EXPECT_EQ(W->edBRows->text(), "3");
  EXPECT_EQ(W->sgB->RowCount(), 4);

  W->ChooseOperation(6);
  EXPECT_EQ(W->edOperation->text(), "det |A|=C[1,1]");
  EXPECT_TRUE(W->pnB->isHidden());
  EXPECT_EQ(W->sgC->RowCount(), 2);
  EXPECT_EQ(W->edCRows->text(), "1");
  W->edAName->setText("M");
  EXPECT_EQ(W->sgA->GetCell(1, 0), "M[I,1]");
}

TEST_F(MatrixWindowTest, SolveAndSingularSystems) {
  Choose(1, 2, 2);
  Put(W->sgA, {{"2", "0"}, {"0", "4"}});
  Put(W->sgB, {{"2"}, {"2*4"}});
  EXPECT_FALSE(W->sbCtoA->isEnabled());
  Run();
  EXPECT_EQ(Data(W->sgC), (Grid{{"1"}, {"2"}}));
  EXPECT_EQ(Names(), (QStringList{"A22Solve", "B21Solve", "C21Solve"}));
  EXPECT_TRUE(W->sbCtoA->isEnabled());
  EXPECT_TRUE(W->sbSave->isEnabled());

  // The list keeps the computed values, not their 7-digit texts.
  Put(W->sgA, {{"3", "0"}, {"0", "3"}});
  Put(W->sgB, {{"1"}, {"2"}});
  Run();
  EXPECT_EQ(Data(W->sgC), (Grid{{"0.3333333"}, {"0.6666667"}}));
  const auto& C = *W->Repository().back().Matrix;
  EXPECT_EQ(C.GetElement(0, 0), 1.0L / 3);

  Put(W->sgA, {{"1", "2"}, {"2", "4"}});
  const int Count = int(W->Repository().size());
  Run();
  EXPECT_EQ(Dialogs.Messages().back(), "No solution for this equations");
  EXPECT_EQ(Data(W->sgC), (Grid{{""}, {""}}));
  EXPECT_EQ(int(W->Repository().size()), Count);
  EXPECT_FALSE(W->sbCtoA->isEnabled());

  // Nearly singular counts as singular.
  Put(W->sgA, {{"1", "1"}, {"1", "1+1E-19"}});
  Run();
  EXPECT_EQ(Dialogs.Messages().back(), "No solution for this equations");
}

TEST_F(MatrixWindowTest, AddSubtractMultiply) {
  Choose(2, 2, 2);
  Put(W->sgA, {{"1", "2"}, {"3", "sin(0)"}});
  Put(W->sgB, {{"10", "20"}, {"30", "40"}});
  Run();
  EXPECT_EQ(Data(W->sgC), (Grid{{"11", "22"}, {"33", "40"}}));
  EXPECT_EQ(W->Repository().size(), 3u);
  EXPECT_EQ(Names().back(), "C22Add");

  W->ChooseOperation(7);
  EXPECT_EQ(W->edOperation->text(), "A-B=C");
  Run();
  EXPECT_EQ(Data(W->sgC), (Grid{{"-9", "-18"}, {"-27", "-40"}}));

  W->ChooseOperation(3);
  W->edACols->setText("3");
  W->edARows->setText("1");
  W->edBCols->setText("1");
  Put(W->sgA, {{"1", "2", "3"}});
  Put(W->sgB, {{"4"}, {"5"}, {"6"}});
  Run();
  EXPECT_EQ(Data(W->sgC), (Grid{{"32"}}));
  EXPECT_EQ(Names().mid(Names().size() - 3), (QStringList{"A13Mult", "B31Mult", "C11Mult"}));
}

TEST_F(MatrixWindowTest, InverseDeterminantAndBadCells) {
  Choose(4, 2, 2);
  EXPECT_EQ(W->edOperation->text(), "Inverse(A)=C");
  Put(W->sgA, {{"0", "1"}, {"1", "0"}});
  Run();
  EXPECT_EQ(Data(W->sgC), (Grid{{"0", "1"}, {"1", "0"}}));
  EXPECT_EQ(Names(), (QStringList{"A22Inverse", "C22Inverse"}));

  Put(W->sgA, {{"1", "2"}, {"2", "4"}});
  Run();
  EXPECT_EQ(Dialogs.Messages().back(), MatLib::MsgCanNotInverse);
  EXPECT_EQ(W->Repository().size(), 2u);
  // A nearly singular matrix is not answered with a huge inverse.
  Put(W->sgA, {{"1", "1"}, {"1", "1+1E-19"}});
  Run();
  EXPECT_EQ(Dialogs.Messages().back(), MatLib::MsgCanNotInverse);

  Choose(6, 3, 3);
  Put(W->sgA, {{"2", "5", "7"}, {"0", "3", "1"}, {"0", "0", "4"}});
  Run();
  EXPECT_EQ(Data(W->sgC), (Grid{{"24"}}));
  EXPECT_EQ(Names().back(), "C11Det");
  Put(W->sgA, {{"0", "2", "0"}, {"3", "0", "0"}, {"0", "0", "1"}});
  Run();
  EXPECT_EQ(Data(W->sgC), (Grid{{"-6"}}));
  Put(W->sgA, {{"1E3000", "0", "0"}, {"0", "1E3000", "0"}, {"0", "0", "1E3000"}});
  Run();
  EXPECT_EQ(Dialogs.Messages().back(), MatLib::MsgOverflow);

  // A cell that does not evaluate stops the run there, with the cell selected.
  const size_t Count = W->Repository().size();
  Put(W->sgA, {{"1", "2", "3"}, {"4", "5+", "6"}, {"7", "8", "9"}});
  W->sgA->Cells[3][3] = QString();
  Run();
  EXPECT_EQ(W->Repository().size(), Count);
  EXPECT_EQ(W->sgA->currentRow(), 2);
  EXPECT_EQ(W->sgA->currentColumn(), 2);
  EXPECT_EQ(W->sgA->GetCell(3, 3), "");  // later cells were not reached

  // Empty cells of A count as 0.
  Put(W->sgA, {{"1", "0", ""}, {"0", "1", "0"}, {"0", "0", "1"}});
  W->sgA->Cells[3][1] = QString();
  Run();
  EXPECT_EQ(W->sgA->GetCell(3, 1), "0");
  EXPECT_EQ(Data(W->sgC), (Grid{{"1"}}));
}

TEST_F(MatrixWindowTest, PowerPrompt) {
  Choose(3, 2, 2);
  Put(W->sgA, {{"1", "1"}, {"0", "1"}});
  Answer("3");
  W->ptPowerA->click();
  EXPECT_EQ(PromptTexts.back(), "2");
  EXPECT_EQ(W->Operation, 5);
  EXPECT_EQ(W->PowerN, 3);
  EXPECT_EQ(W->edOperation->text(), "Power(A,3)=C");
  Run();
  EXPECT_EQ(Data(W->sgC), (Grid{{"1", "3"}, {"0", "1"}}));
  EXPECT_EQ(Names().back(), "C22Power3");

  // n must be a whole number from 1 to the bound; a refused n asks again, and a cancel
  // changes nothing.
  Answer("0");
  Answer("2.5");
  Answer(QString::number(MatLib::MaxPower + 1));
  Answer("sin(", mrOk);
  Answer("4", mrCancel);
  W->ChooseOperation(2);
  W->ptPowerA->click();
  EXPECT_EQ(Dialogs.Messages().count(MatLib::MsgBadPower), 3);
  EXPECT_EQ(W->PowerN, 3);
  EXPECT_EQ(W->Operation, 2);

  Answer("1");
  W->ptPowerA->click();
  Run();
  EXPECT_EQ(Data(W->sgC), (Grid{{"1", "1"}, {"0", "1"}}));
}

TEST_F(MatrixWindowTest, ScalarPrompt) {
  Choose(3, 2, 2);
  Put(W->sgA, {{"1", "2"}, {"3", "4"}});
  Answer("2*3");
  W->sbMultArA->click();
  EXPECT_EQ(PromptTexts.back(), "1");
  EXPECT_EQ(W->edOperation->text(), "6*A=C");
  const size_t Before = W->Repository().size();
  Run();
  EXPECT_EQ(Data(W->sgC), (Grid{{"6", "12"}, {"18", "24"}}));
  EXPECT_EQ(W->Repository().size(), Before + 2);
  EXPECT_EQ(Names().back(), "C22Mult");

  // A failed evaluation asks again; cancelling then keeps the old r.
  Answer("2+", mrOk);
  Answer("9", mrCancel);
  W->ChooseOperation(2);
  W->sbMultArA->click();
  EXPECT_EQ(W->ScalarR, 6);
  EXPECT_EQ(W->Operation, 2);
  EXPECT_EQ(ModalCount, 3);
}

TEST_F(MatrixWindowTest, CellFunction) {
  Choose(3, 2, 2);
  Put(W->sgA, {{"3", "0"}, {"1", "-2"}});
  Answer("sin((A)");    // a form error: asked again
  Answer("1/((A)-1)");  // fails at 1 only by its value: accepted
  W->Button2->click();
  EXPECT_EQ(PromptTexts.front(), "sin(A)+cos(A)/3");
  EXPECT_EQ(W->FuncText, "1/((A)-1)");
  EXPECT_EQ(Mult->Caption(), "Function f(A)");

  Answer("(A)^2");
  W->Button2->click();
  EXPECT_EQ(W->edOperation->text(), "(A)^2=C");
  Run();
  const Grid C = Data(W->sgC);
  EXPECT_EQ(C[0][0].toDouble(), 9);
  EXPECT_EQ(C[1][1].toDouble(), 4);
  EXPECT_EQ(Names().back(), "C22Mult");
  EXPECT_EQ(W->Repository().back().Matrix->GetElement(1, 1), 4);

  Answer("1/(A)");
  W->Button2->click();
  const size_t Before = W->Repository().size();
  Run();
  EXPECT_EQ(Data(W->sgC)[0][1], "Error");
  EXPECT_NEAR(Data(W->sgC)[0][0].toDouble(), 1.0 / 3, 1e-6);
  // A result with a failed cell is not kept; A is.
  EXPECT_EQ(W->Repository().size(), Before + 1);
}

TEST_F(MatrixWindowTest, RepositoryAndViewWindow) {
  Choose(2, 2, 2);
  Put(W->sgA, {{"1/3", "2"}, {"3", "4"}});
  Put(W->sgB, {{"0", "0"}, {"0", "0"}});
  Run();
  EXPECT_FALSE(W->sbRtoB->isEnabled());
  W->lbR->setCurrentRow(2);
  EXPECT_TRUE(W->sbRtoB->isEnabled());
  W->sbRtoB->click();
  EXPECT_EQ(Data(W->sgB), (Grid{{"0.3333333", "2"}, {"3", "4"}}));

  TfrmViewR View;
  View.LoadMatrix(*W->Repository()[0].Matrix);
  EXPECT_EQ(View.windowTitle(), "View matrix");
  EXPECT_EQ(View.sgA->GetCell(0, 1), "R([1,J]");
  EXPECT_EQ(View.sgA->GetCell(2, 0), "R([I,2]");
  EXPECT_EQ(View.sgA->GetCell(1, 1), "0.3333333");
  W->sbRView->click();
  EXPECT_EQ(ModalCount, 1);
  EXPECT_EQ(ViewR->sgA->GetCell(1, 1), "0.3333333");
}

TEST_F(MatrixWindowTest, LeavesTheCalculatorsEngineStateAlone) {
  Choose(2, 1, 2);
  Put(W->sgA, {{"1+", "2"}});
  EngineState.ExprStr = "1+2*3";
  EngineState.ErrFlag = true;
  EngineState.ErrCode = 13;
  EngineState.Ans = 42;
  Run();  // stops at the bad cell
  Put(W->sgA, {{"1", "2"}});
  Run();
  EXPECT_EQ(EngineState.ExprStr, "1+2*3");
  EXPECT_TRUE(EngineState.ErrFlag);
  EXPECT_EQ(EngineState.ErrCode, 13);
  EXPECT_EQ(EngineState.Ans, 42);
  EXPECT_EQ(W->Repository().size(), 3u);
  // What the window refuses while another evaluation runs: reentrancy_test.cpp.
}

// A 1280 by 900 screen at scale factor 1.5 offers 853 by 600: the window must fit it whole.
TEST(MatrixWindowLayoutTest, FitsALargeScaleScreen) {
  TfmMatrix W;
  W.show();
  const QSize Least = W.minimumSizeHint();
  EXPECT_LE(Least.width(), 853);
  EXPECT_LE(Least.height(), 600);
  const QSize Avail = W.screen()->availableGeometry().size();
  EXPECT_LE(W.width(), std::max(Avail.width(), Least.width()));
  EXPECT_LE(W.height(), std::max(Avail.height(), Least.height()));
}

// Enter in a field fills or does nothing; it never also presses an operation button (the first
// of them used to take Enter as the window's default button and switch to Solve).
TEST_F(MatrixWindowTest, EnterInAFieldPressesNoOperationButton) {
  W->show();
  QApplication::setActiveWindow(W.get());
  W->ChooseOperation(3);
  W->edAValue->setText("7");
  for (QLineEdit* E : {W->edAValue, W->edARows}) {
    E->setFocus();
    QKeyEvent Enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
    QApplication::sendEvent(E, &Enter);
  }
  EXPECT_EQ(W->sgA->GetCell(2, 3), "7");
  EXPECT_EQ(W->Operation, 3);
  EXPECT_EQ(W->edOperation->text(), "A*B=C");
  EXPECT_EQ(W->edBCols->text(), "4");
}
