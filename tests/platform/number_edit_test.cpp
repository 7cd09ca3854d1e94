#include "platform/number_edit.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWheelEvent>

#include <cstdlib>
#include <functional>
#include <memory>

#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/form.h"
#include "tests/support/user_input.h"

namespace {

// A dialog with two pages: the number field, another edit, a chooser (which the wheel focuses)
// and a list (which it does not) on the first, an edit on the second; OK, Apply and Cancel
// below. Model is what the field applies to.
class TNumberForm : public TForm {
 public:
  TPageControl* Pages = new TPageControl(this);
  QWidget* Page1 = new QWidget;
  QWidget* Page2 = new QWidget;
  TNumberEdit* Edit = new TNumberEdit(Page1);
  QLineEdit* Other = new QLineEdit(Page1);
  QComboBox* Chooser = new QComboBox(Page1);
  QListWidget* List = new QListWidget(Page1);
  QLineEdit* Far = new QLineEdit(Page2);
  QPushButton* OK = new QPushButton("OK", this);
  QPushButton* Apply = new QPushButton("Apply", this);
  QPushButton* Cancel = new QPushButton("Cancel", this);
  double Model = 0;
  int Applies = 0;

  TNumberForm() {
    auto* L = new QGridLayout(this);
    auto* L1 = new QGridLayout(Page1);
    L1->addWidget(Edit, 0, 0);
    L1->addWidget(Other, 1, 0);
    L1->addWidget(Chooser, 2, 0);
    L1->addWidget(List, 3, 0);
    Chooser->addItems({"Solid", "Dash", "Dot"});
    for (int I = 0; I < 50; ++I) List->addItem(QString::number(I));
    List->setFixedHeight(60);
    (new QGridLayout(Page2))->addWidget(Far, 0, 0);
    Pages->AddPage(Page1, "One");
    Pages->AddPage(Page2, "Two");
    L->addWidget(Pages, 0, 0, 1, 3);
    L->addWidget(OK, 1, 0);
    L->addWidget(Apply, 1, 1);
    L->addWidget(Cancel, 1, 2);
    for (QPushButton* B : {OK, Apply, Cancel}) B->setAutoDefault(false);
    SetButtonModalResult(OK, mrOk);
    SetButtonModalResult(Cancel, mrCancel);
    connect(Apply, &QPushButton::clicked, this, [this] {
      if (CheckEdits()) ++Applies;
    });
    Edit->OnRead = [this] { return Model; };
    Edit->OnApply = [this](double V) { Model = V; };
    Edit->SetSpin(1);
  }
};

void Later(std::function<void()> Step) { QTimer::singleShot(0, std::move(Step)); }

// Typing as the user does: over the whole text, key by key.
void Retype(TNumberEdit* E, const QString& Text) {
  E->setFocus();
  E->selectAll();
  QTest::keyClicks(E, Text);
}

QPoint TabCentre(TPageControl* P, int Index) { return P->tabBar()->tabRect(Index).center(); }

struct TKind {
  const char* Name;
  bool Whole;
  double Factor;  // stored per shown
  double Stored;  // the value in force at the start
  const char* Shown;
  const char* Prefix;   // valid as typed, key by key
  const char* Refused;  // typed on after the prefix
};

struct TRoute {
  const char* Name;
  std::function<void(TNumberForm&)> Leave;
  bool StaysOpen;  // the dialog is still shown after the route
};

}  // namespace

// Every route away from a field holding a refused text, or an emptied one: the message once, the
// value in force from before the typing back in the edit and in the model, a step taken from that
// value only, no other control acting on the press or turn but Cancel, and the next press
// arriving; whole and real fields, live and not, millimetres stored behind tenths of an inch
// shown.
TEST(NumberEdit, EveryRouteRefusesOnceAndPutsBackTheValueInForce) {
  const TKind Kinds[] = {
      {"whole", true, 1, 10, "10", "50", "00"},
      {"real", false, 1, 2.5, "2.5", "7.5", "e9"},
      {"inch/10", true, 2.54, 64, "25", "50", "00"},  // 64 mm shown as 25 tenths of an inch
      {"not a number", false, 1, 2.5, "2.5", "7.5", "e-"},
  };
  auto Key = [](Qt::Key K) { return [K](TNumberForm& F) { QTest::keyClick(F.Edit, K); }; };
  auto Click = [](auto W) {
    return [W](TNumberForm& F) { QTest::mouseClick(F.*W, Qt::LeftButton); };
  };
  const TRoute Routes[] = {
      {"Tab", Key(Qt::Key_Tab), true},
      {"Shift+Tab", Key(Qt::Key_Backtab), true},
      {"Enter", Key(Qt::Key_Return), true},
      {"Up", Key(Qt::Key_Up), true},
      {"Down", Key(Qt::Key_Down), true},
      {"Escape", Key(Qt::Key_Escape), false},
      {"click", Click(&TNumberForm::Other), true},
      {"tab click",
       [](TNumberForm& F) {
         QTest::mouseClick(F.Pages->tabBar(), Qt::LeftButton, {}, TabCentre(F.Pages, 1));
       },
       true},
      {"arrow",
       [](TNumberForm& F) {
         QTest::mouseClick(F.Edit->UpDown()->findChildren<QToolButton*>().at(0), Qt::LeftButton);
       },
       true},
      {"wheel",
       [](TNumberForm& F) {
         QWheelEvent W(QPointF(5, 5), F.Edit->mapToGlobal(QPointF(5, 5)), {}, QPoint(0, 120),
                       Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
         QApplication::sendEvent(F.Edit, &W);
       },
       true},
      {"OK", [](TNumberForm& F) { F.OK->click(); }, true},
      {"Apply", [](TNumberForm& F) { F.Apply->click(); }, true},
      // Buttons take the focus as they are pressed: the refusal comes first and the press stops.
      {"Apply by the mouse", Click(&TNumberForm::Apply), true},
      {"OK by the mouse", Click(&TNumberForm::OK), true},
      {"Cancel", [](TNumberForm& F) { F.Cancel->click(); }, false},
      {"Cancel by the mouse", Click(&TNumberForm::Cancel), false},
      {"title bar", [](TNumberForm& F) { F.close(); }, false},
      {"wheel over a chooser", [](TNumberForm& F) { TurnWheel(F.Chooser, -1); }, true},
      {"wheel over a list", [](TNumberForm& F) { TurnWheel(F.List->viewport(), -1); }, true},
      {"emptied",
       [](TNumberForm& F) {
         QTest::keyClick(F.Edit, Qt::Key_A, Qt::ControlModifier);
         QTest::keyClick(F.Edit, Qt::Key_Backspace);
         QTest::keyClick(F.Edit, Qt::Key_Tab);
       },
       true},
  };
  // A button of another window: the press after the dialog has gone must arrive too.
  QPushButton Elsewhere("Elsewhere");
  int ElsewhereClicks = 0;
  QObject::connect(&Elsewhere, &QPushButton::clicked, [&] { ++ElsewhereClicks; });
  Elsewhere.show();
  for (const TKind& K : Kinds)
    for (bool Live : {false, true})
      for (const TRoute& R : Routes) {
        SCOPED_TRACE(testing::Message() << K.Name << (Live ? " live " : " ") << R.Name);
        TScriptedDialogService Script;
        TScopedDialogService Scope(Script);
        std::unique_ptr<TNumberForm> F(CreateForm<TNumberForm>());
        F->Model = K.Stored;
        if (K.Whole)
          F->Edit->SetWhole(0, 100);
        else
          F->Edit->SetReal(0, 100, true);
        F->Edit->SetCaption(K.Whole ? "Count" : "Size");
        F->Edit->SetUnit(K.Factor, K.Factor != 1);
        F->Edit->SetLive(Live);
        F->Edit->Load();
        bool Checked = false;
        Later([&] {
          QApplication::setActiveWindow(F.get());
          Retype(F->Edit, K.Prefix);
          // Live: each whole value is applied as typed; else nothing before the field is left.
          EXPECT_EQ(F->Model, Live ? std::atof(K.Prefix) * K.Factor : K.Stored);
          QTest::keyClicks(F->Edit, K.Refused);
          EXPECT_EQ(F->Edit->text(), QString(K.Prefix) + K.Refused);
          R.Leave(*F);
          // A modal result is acted on once handlers return, a cancel after a refusal's box
          // once the box has gone.
          QCoreApplication::processEvents();
          QCoreApplication::processEvents();
          EXPECT_EQ(Script.Messages(),
                    QStringList{K.Whole ? "Count must be in the range [0..100]"
                                        : "Size must be in the range [ > 0 ... 100]"});
          EXPECT_EQ(F->Edit->text(), K.Shown);
          EXPECT_EQ(F->Model, K.Stored);
          EXPECT_EQ(F->Edit->Value(), K.Stored);
          EXPECT_FALSE(F->Edit->Typing());
          EXPECT_EQ(F->isVisible(), R.StaysOpen);
          EXPECT_EQ(F->Pages->ActivePageIndex(), 0);
          EXPECT_EQ(F->Applies, 0);
          EXPECT_EQ(F->Chooser->currentIndex(), 0);
          EXPECT_EQ(F->List->verticalScrollBar()->value(), 0);
          Checked = true;
          if (!F->isVisible()) return;
          QTest::mouseClick(F->Apply, Qt::LeftButton);
          EXPECT_EQ(F->Applies, 1);
          F->Cancel->click();
        });
        F->ShowModal();
        ASSERT_TRUE(Checked);
        const int Before = ElsewhereClicks;
        QTest::mouseClick(&Elsewhere, Qt::LeftButton);
        EXPECT_EQ(ElsewhereClicks, Before + 1);
      }
}

// A text the field takes stands by every route; the arrows then step from it, and a load in the
// middle of the typing forgets it.
TEST(NumberEdit, TakenTextsStepsAndLoads) {
  TScriptedDialogService Script;
  TScopedDialogService Scope(Script);
  std::unique_ptr<TNumberForm> F(CreateForm<TNumberForm>());
  F->Edit->SetWhole(0, 100);
  F->Edit->SetCaption("Count");
  F->Model = 10;
  F->Edit->Load();
  F->show();
  QApplication::setActiveWindow(F.get());
  Retype(F->Edit, "42");
  QTest::mouseClick(F->Pages->tabBar(), Qt::LeftButton, {}, TabCentre(F->Pages, 1));
  EXPECT_EQ(F->Pages->ActivePageIndex(), 1);
  EXPECT_EQ(F->Model, 42);
  F->Pages->SetActivePageIndex(0);
  F->Edit->setFocus();
  QTest::keyClick(F->Edit, Qt::Key_Up);
  EXPECT_EQ(F->Edit->text(), "43");
  EXPECT_EQ(F->Model, 43);
  // A character that is no part of a number does not stay.
  QTest::keyClick(F->Edit, Qt::Key_End);
  QTest::keyClicks(F->Edit, "xy");
  EXPECT_EQ(F->Edit->text(), "43");
  Retype(F->Edit, "ab");
  EXPECT_EQ(F->Edit->text(), "43");
  Retype(F->Edit, "7");
  F->Model = 30;  // changed elsewhere, then loaded: the typing is gone
  F->Edit->Load();
  QTest::keyClick(F->Edit, Qt::Key_Tab);
  EXPECT_EQ(F->Edit->text(), "30");
  EXPECT_EQ(F->Model, 30);
  // Text set by the program is a load as well; undoing the typing is typing.
  Retype(F->Edit, "7");
  F->Edit->setText("31");
  EXPECT_FALSE(F->Edit->Typing());
  EXPECT_EQ(F->Edit->Value(), 31);
  F->Edit->SetLive(true);
  QTest::keyClicks(F->Edit, "5");
  F->Edit->undo();
  EXPECT_TRUE(F->Edit->Typing());
  EXPECT_EQ(F->Model, 30);  // "315" is out of range: nothing applied on the way
  F->Edit->SetLive(false);
  // The top of the range holds the step; a check across fields refuses with its own message.
  F->Edit->SetValue(100);
  QTest::keyClick(F->Edit, Qt::Key_Up);
  EXPECT_EQ(F->Model, 100);
  F->Edit->OnCheck = [](double V) { return V < 50 ? QString() : QString("Too much."); };
  Retype(F->Edit, "60");
  QTest::keyClick(F->Edit, Qt::Key_Return);
  EXPECT_EQ(F->Model, 100);
  F->Edit->SetValue(49);
  QTest::keyClick(F->Edit, Qt::Key_Up);
  EXPECT_EQ(F->Model, 49);
  // What the model itself refuses (it throws) is told in its own words.
  F->Edit->OnCheck = nullptr;
  F->Edit->OnApply = [&F](double V) {
    if (V == 13) throw std::runtime_error("Unlucky");
    F->Model = V;
  };
  Retype(F->Edit, "13");
  QTest::keyClick(F->Edit, Qt::Key_Tab);
  EXPECT_EQ(F->Model, 49);
  EXPECT_EQ(F->Edit->text(), "49");
  // A text that is no number at all may have words of its own.
  F->Edit->Rule().NotANumber = "Count undefined";
  Retype(F->Edit, "");
  QTest::keyClick(F->Edit, Qt::Key_Delete);
  QTest::keyClick(F->Edit, Qt::Key_Tab);
  EXPECT_EQ(F->Edit->text(), "49");
  Retype(F->Edit, "101");
  QTest::keyClick(F->Edit, Qt::Key_Tab);
  EXPECT_EQ(Script.Messages(), (QStringList{"Too much.", "Too much.", "Unlucky", "Count undefined",
                                            "Count must be in the range [0..100]"}));
  EXPECT_EQ(TNumberEdit::EditsIn(F.get()), QList<TNumberEdit*>{F->Edit});
}
