// Faults of the main window found by using it: the angle unit across the complex mode, the
// constants list and its editor, the start-up cursors and labels, the radix tape line, the
// shared file dialogs, the integration passes.
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>

#include <array>
#include <utility>

#include "app/calc/fm_calc_host.h"
#include "app/calc/fm_calc_pages.h"
#include "app/calc/user_funcs_page.h"
#include "app/calc/user_vars_page.h"
#include "app/calc/variables_page.h"
#include "app/common/calc_controls.h"
#include "app/common/dm.h"
#include "app/startup/start_up.h"
#include "calc_test_support.h"
#include "engine/user_functions.h"
#include "engine/variables.h"
#include "platform/cursors.h"
#include "platform/text_file.h"
#include "widgets/nx_const.h"
#include "widgets/nx_label.h"
#include "widgets/text_list_box.h"

namespace {

TEST_F(CalcWindowTest, RealCompRealKeepsTheAngleUnitAlsoAfterARestart) {
  Dialogs.OnModal = [](QDialog&) { return int(QDialog::Accepted); };
  TfmCalc& W = Open();
  ASSERT_EQ(W.rgAngle->ItemIndex(), 1);
  ASSERT_TRUE(Enter("sin(30)"));
  EXPECT_EQ(W.Edit2->text(), "5.0E-1");
  W.rgReal->SetItemIndex(1);
  ASSERT_TRUE(W.ComplexMode);
  W.rgReal->SetItemIndex(0);
  EXPECT_EQ(W.rgAngle->ItemIndex(), 1);
  EXPECT_EQ(W.rgAngle2->ItemIndex(), 1);
  ASSERT_TRUE(Enter("sin(30)"));
  EXPECT_EQ(W.Edit2->text(), "5.0E-1");

  // Closed in complex mode, the next start is in degrees too.
  W.rgReal->SetItemIndex(1);
  CloseWindow();
  TfmCalc& Again = Open();
  EXPECT_EQ(Again.rgAngle->ItemIndex(), 1);
  EXPECT_EQ(EngineSettings.AngleMode, 1);
  // Radians chosen stay radians.
  Again.rgAngle->SetItemIndex(0);
  Again.rgReal->SetItemIndex(1);
  Again.rgReal->SetItemIndex(0);
  EXPECT_EQ(Again.rgAngle->ItemIndex(), 0);
  EXPECT_EQ(EngineSettings.AngleMode, 0);
}

TEST_F(CalcWindowTest, ConstantsSortIgnoringCaseAndTheEditorMayBeMissing) {
  WriteFile("Numyx.CON", "Zeta = 4\ngamma = 3\nBeta = 2\nalpha = 1\n");
  TfmCalc& W = Open();
  QStringList Shown;
  for (int I = 0; I < W.lbConst->count(); ++I) Shown << W.lbConst->item(I)->text();
  EXPECT_EQ(Shown, (QStringList{"alpha = 1", "Beta = 2", "gamma = 3", "Zeta = 4"}));

  // No program can open the file: the user is told which file it is, and Reload stays off.
  SetUrlOpener([](const QUrl&) { return false; });
  W.bbEdit->click();
  ASSERT_EQ(Dialogs.Of(TDialogRequest::rkMessage).size(), 1u);
  const TDialogRequest Box = Dialogs.Of(TDialogRequest::rkMessage)[0];
  EXPECT_EQ(Box.Type, mtInformation);
  EXPECT_TRUE(Box.Text.contains(Path("Numyx.CON"))) << Box.Text.toStdString();
  EXPECT_FALSE(W.bbReload->isEnabled());
}

TEST_F(CalcWindowTest, StartUpRegistersTheCursorsAndTheLabelsHaveShadows) {
  UnregisterCursor(crHand);
  UnregisterCursor(crDragHand);
  TfmCalc* Main = CreateStartUpWindows();
  EXPECT_TRUE(CursorRegistered(14000));
  EXPECT_TRUE(CursorRegistered(14001));
  for (const char* Name : {"lbAssistant", "lbDigits", "lbDigits2", "lbXAxis", "lbYAxis", "lbTitle",
                           "lbLegend", "lbNC", "lbExaggerate", "lbProduct", "lbSupport"}) {
    auto* L = Main->findChild<TNxLabel*>(Name);
    ASSERT_NE(L, nullptr) << Name;
    EXPECT_FALSE(L->Caption().isEmpty()) << Name;
  }
  // In a layout a label gets the room of its text.
  Main->show();
  Main->pcCalc->SetActivePageIndex(4);
  QApplication::processEvents();
  auto* L = Main->findChild<TNxLabel*>("lbExaggerate");
  EXPECT_GE(L->width(), L->sizeHint().width());
  EXPECT_GT(L->sizeHint().width(), 100);
  DestroyStartUpWindows();
}

TEST_F(CalcWindowTest, EveryLabelOfTheWindowIsAShadowLabelWithItsCaption) {
  TfmCalc& W = Open();
  W.show();
  const QList<TNxLabel*> Labels = W.findChildren<TNxLabel*>();
  // The window's own labels and those of the graphics, about, variable, user-variable and
  // user-function pages.
  EXPECT_EQ(Labels.size(), 37);
  // The assistant's text panel is the only plain label left.
  const QList<QLabel*> Plain = W.findChildren<QLabel*>();
  ASSERT_EQ(Plain.size(), 1);
  EXPECT_EQ(Plain.front()->objectName(), "pnAssistant");

  auto Caption = [&W](QWidget* Page, const char* Name) {
    auto* L = Page->findChild<TNxLabel*>(Name);
    return L != nullptr ? L->Caption() : QString("<none>");
  };
  EXPECT_EQ(Caption(W.tsVariables, "lbExpression"), "Expression");
  EXPECT_EQ(Caption(W.tsVariables, "lbValue"), "Value");
  EXPECT_EQ(Caption(W.tsVariables, "lbX"), "X =");
  EXPECT_EQ(Caption(W.tsVariables, "lbN"), "N =");
  EXPECT_EQ(Caption(W.tsVariables, "lbError"), "");
  EXPECT_EQ(Caption(W.tsUserVar, "lbVarName"), "Name");
  EXPECT_EQ(Caption(W.tsUserVar, "lbVarValue"), "Value");
  EXPECT_EQ(Caption(W.tsFuncs, "lbFuncName"), "Name");
  EXPECT_EQ(Caption(W.tsFuncs, "lbFuncExpres"), "Expression");

  // Only the caption is set: the published properties keep their defaults.
  for (TNxLabel* L : Labels) {
    EXPECT_TRUE(L->AutoSize()) << L->objectName().toStdString();
    EXPECT_TRUE(L->ShowAccelChar()) << L->objectName().toStdString();
    EXPECT_FALSE(L->Transparent()) << L->objectName().toStdString();
    EXPECT_FALSE(L->WordWrap()) << L->objectName().toStdString();
    EXPECT_EQ(L->ShadowSize(), 1) << L->objectName().toStdString();
    EXPECT_EQ(L->ShadowPos(), spLeftTop) << L->objectName().toStdString();
    EXPECT_EQ(L->ShadowColor(), clBtnHighlight) << L->objectName().toStdString();
  }

  // On the pages the layouts give each label the room of its text, and an error shown in
  // lbError widens it to the whole message.
  const std::array<std::pair<int, QWidget*>, 3> Pages = {
      {{5, W.tsVariables}, {6, W.tsUserVar}, {7, W.tsFuncs}}};
  for (const auto& [Index, Page] : Pages) {
    W.pcCalc->SetActivePageIndex(Index);
    QApplication::processEvents();
    for (TNxLabel* L : Page->findChildren<TNxLabel*>()) {
      if (L->Caption().isEmpty()) continue;
      EXPECT_GE(L->width(), L->sizeHint().width()) << L->objectName().toStdString();
      EXPECT_GE(L->height(), L->sizeHint().height()) << L->objectName().toStdString();
      EXPECT_GT(L->sizeHint().width(), 8) << L->objectName().toStdString();
    }
  }
  W.pcCalc->SetActivePageIndex(5);
  TVariablesPage& Vars = *W.findChild<TVariablesPage*>();
  Vars.VarEdits[0]->setText("1+*2");
  Vars.EvalButtons[0]->click();
  QApplication::processEvents();
  ASSERT_TRUE(Vars.lbError->Caption().contains("position"))
      << Vars.lbError->Caption().toStdString();
  EXPECT_EQ(Vars.lbError->Font()->Color(), clRed);
  EXPECT_GE(Vars.lbError->width(), Vars.lbError->sizeHint().width());
  EXPECT_GT(Vars.lbError->sizeHint().width(), 60);
}

TEST_F(CalcWindowTest, APageLowerThanItsWindowGrowsTheWindowWhereTheScreenHasRoom) {
  TfmCalc& W = Open();
  W.show();
  W.resize(W.width(), W.minimumSizeHint().height());
  QApplication::processEvents();
  W.pcCalc->SetActivePageIndex(5);
  for (int i = 0; i < 3; ++i) QApplication::processEvents();
  // The row of buttons below the ten variables is whole on the page's visible part.
  QPushButton* Help = W.findChild<TVariablesPage*>()->bbVarHelp;
  const QWidget* View = W.findChild<QScrollArea*>("tsVariablesPageScroll")->viewport();
  EXPECT_LE(Help->mapTo(View, QPoint(0, Help->height())).y(), View->height());
}

TEST_F(CalcWindowTest, RadixChangeWithAnEmptyInputLineWritesItsTapeLine) {
  TfmCalc& W = Open();
  W.Edit1->clear();
  EngineState.Ans = 255;
  W.rgBase->SetItemIndex(1);
  const QStringList Tape = W.TapeLines();
  ASSERT_FALSE(Tape.isEmpty());
  EXPECT_EQ(Tape.front(), " = " + W.Edit2->text() + "; Base=16");
  W.rgBase->SetItemIndex(0);
  EXPECT_EQ(W.TapeLines().front(), " = " + W.Edit2->text() + "; Base=10");
}

TEST_F(CalcWindowTest, FileDialogsOfThePagesAreTheSharedOnes) {
  TfmCalc* Main = CreateStartUpWindows();
  Window.reset();
  QDir(Dir.path()).mkdir("mine");
  const QString Mine = Path("mine");
  ASSERT_TRUE(WriteTextLines(Mine + "/a.FNC", {"sq(x) = x*x"}));
  TCalcPages& Pages = Main->Pages->Pages();
  Dialogs.AnswerFile(Mine + "/a.FNC");
  Pages.UserFuncs->btFuncLoadClick();
  // Each later dialog starts in that folder, and none proposes the other page's file.
  Dialogs.AnswerCancel();
  Pages.UserVars->btLoadClick();
  Dialogs.AnswerCancel();
  Pages.Variables->LoadClick();
  const auto Opens = Dialogs.Of(TDialogRequest::rkOpen);
  ASSERT_EQ(Opens.size(), 3u);
  EXPECT_EQ(Opens[1].File.InitialDir, Mine);
  EXPECT_EQ(Opens[1].File.Title, "Load variables from File");
  EXPECT_TRUE(Opens[1].File.FileName.isEmpty());
  EXPECT_EQ(Opens[2].File.InitialDir, Mine);
  EXPECT_EQ(&SharedOpenDialog(), &DM->OpenDialog1);
  EXPECT_EQ(&SharedSaveDialog(), &DM->SaveDialog1);

  // Saving remembers its folder for the matrix window's and the tape's saves.
  Dialogs.AnswerFile(Mine + "/v.USR");
  Pages.UserVars->btSaveAsClick();
  Dialogs.AnswerCancel();
  Main->btToFileClick();
  const auto Saves = Dialogs.Of(TDialogRequest::rkSave);
  ASSERT_EQ(Saves.size(), 2u);
  EXPECT_EQ(Saves[1].File.InitialDir, Mine);
  DestroyStartUpWindows();
  UserFunctions->Clear();
  UserVariables.clear();
}

TEST_F(CalcWindowTest, IntegrationPassesUseTheResultColour) {
  TfmCalc& W = Open();
  ASSERT_FALSE(Enter("1+"));
  ASSERT_EQ(W.Edit2->palette().color(QPalette::Text), QColor(Qt::red));
  TCalcEngineHost Host(&W);
  Host.ShowIntegrationPass("Pass 3");
  EXPECT_EQ(W.Edit2->text(), "Pass 3");
  EXPECT_EQ(W.Edit2->palette().color(QPalette::Text), QColor(Qt::blue));
}

}  // namespace
