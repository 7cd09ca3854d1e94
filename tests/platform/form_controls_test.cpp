#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/flow_layout.h"
#include "platform/form.h"
#include "platform/string_grid.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QElapsedTimer>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include <memory>
#include <stdexcept>

namespace {

// A dialog like the set-variable one: OK refuses to close while the text is
// empty; the window records the order of its events.
class TTestForm : public TForm {
 public:
  QStringList Log;
  QLineEdit* Edit = new QLineEdit(this);
  QPushButton* OK = new QPushButton("&OK", this);
  QPushButton* Cancel = new QPushButton("&Cancel", this);
  bool AllowClose = true;

  TTestForm() {
    SetButtonModalResult(OK, mrOk);
    SetButtonModalResult(Cancel, mrCancel);
    connect(OK, &QPushButton::clicked, this, [this] {
      Log << "OKClick";
      if (Edit->text().isEmpty()) SetModalResult(mrNone);  // stays open
    });
  }

 protected:
  void FormCreate() override { Log << "Create"; }
  void FormShow() override { Log << "Show"; }
  void FormCloseQuery(bool& CanClose) override {
    Log << "CloseQuery";
    CanClose = AllowClose;
  }
  void FormClose(TCloseAction&) override { Log << "Close"; }
};

// Runs the steps one after the other from the event loop of a modal run,
// each in its own pass so that queued work in between gets done.
void RunSteps(std::shared_ptr<std::vector<std::function<void()>>> Steps, size_t Index) {
  if (Index >= Steps->size()) return;
  QTimer::singleShot(0, [Steps, Index] {
    (*Steps)[Index]();
    RunSteps(Steps, Index + 1);
  });
}

void Later(std::vector<std::function<void()>> Steps) {
  RunSteps(std::make_shared<std::vector<std::function<void()>>>(std::move(Steps)), 0);
}

}  // namespace

TEST(Form, ModalRunEventsAndResults) {
  std::unique_ptr<TTestForm> F(CreateForm<TTestForm>());
  F->DoCreate();                   // only once
  Later({[&] { F->OK->click(); },  // empty text: the handler keeps the form open
         [&] {
           EXPECT_TRUE(F->isVisible());
           F->Edit->setText("x*2");
           F->AllowClose = false;
           F->OK->click();  // the close query refuses
         },
         [&] {
           EXPECT_TRUE(F->isVisible());
           EXPECT_EQ(F->ModalResult(), mrNone);
           F->AllowClose = true;
           F->OK->click();
         }});
  EXPECT_EQ(F->ShowModal(), mrOk);
  EXPECT_FALSE(F->isVisible());
  EXPECT_EQ(F->Log, (QStringList{"Create", "Show", "OKClick", "OKClick", "CloseQuery", "OKClick",
                                 "CloseQuery", "Close"}));

  F->Log.clear();
  Later({[&] { F->close(); }});  // the title bar's close box cancels
  EXPECT_EQ(F->ShowModal(), mrCancel);
  EXPECT_EQ(F->Log, (QStringList{"Show", "CloseQuery", "Close"}));

  F->Log.clear();
  Later({[&] { F->reject(); }});  // Escape presses the cancel button
  EXPECT_EQ(F->ShowModal(), mrCancel);

  // Outside a modal run, closing asks the same questions and hides.
  F->Log.clear();
  F->Show();
  F->AllowClose = false;
  F->Close();
  EXPECT_TRUE(F->isVisible());
  F->AllowClose = true;
  F->Close();
  EXPECT_FALSE(F->isVisible());
  EXPECT_EQ(F->Log, (QStringList{"Show", "CloseQuery", "CloseQuery", "Close"}));
}

TEST(Form, FrameIsKeptWithinTheScreen) {
  const QRect Area(0, 0, 1600, 1160);
  // A frame whose title bar sits above the screen comes down; one past the right and bottom
  // edges comes back; one inside stays.
  EXPECT_EQ(FrameWithin(QRect(0, -20, 650, 510), Area), QRect(0, 0, 650, 510));
  EXPECT_EQ(FrameWithin(QRect(1500, 1100, 300, 200), Area), QRect(1300, 960, 300, 200));
  EXPECT_EQ(FrameWithin(QRect(10, 30, 300, 200), Area), QRect(10, 30, 300, 200));
  // A frame larger than the screen (at scale 2) is cut from its top-left, title bar first.
  EXPECT_EQ(FrameWithin(QRect(-5, -20, 900, 700), QRect(0, 24, 800, 576)), QRect(0, 24, 800, 576));
  EXPECT_EQ(FrameWithin(QRect(5, 5, 10, 10), QRect()), QRect(5, 5, 10, 10));

  // A shown window placed above the screen is moved onto it.
  TForm F;
  F.resize(200, 100);
  F.move(-50, -300);
  F.show();
  QApplication::processEvents();
  const QRect Screen = F.screen()->availableGeometry();
  EXPECT_TRUE(Screen.contains(F.frameGeometry())) << F.frameGeometry().y();
}

TEST(Form, FrameIsNeverCutBelowItsContentsAndIsKeptOnAsItGrows) {
  // Where the screen is smaller than the contents need, the title bar stays on it and the rest
  // hangs off the right and bottom.
  const QRect Small(0, 24, 800, 576);
  EXPECT_EQ(FrameWithin({700, 500, 500, 400}, Small, {300, 200}), QRect(300, 200, 500, 400));
  EXPECT_EQ(FrameWithin({300, 100, 900, 700}, Small, {850, 300}), QRect(0, 24, 850, 576));
  EXPECT_EQ(FrameWithin({-40, -40, 300, 200}, Small, {1000, 700}), QRect(0, 24, 1000, 700));

  // A window that grows long after it was shown and settled comes back onto the screen, whole.
  TForm F;
  auto* Inside = new QWidget;
  (new QVBoxLayout(&F))->addWidget(Inside);
  Inside->setMinimumSize(100, 80);
  const QRect Screen = F.screen()->availableGeometry();
  F.move(Screen.right() - 200, Screen.top() + 40);
  F.show();
  QElapsedTimer T;
  T.start();
  while (T.elapsed() < 2300) QApplication::processEvents(QEventLoop::AllEvents, 50);
  Inside->setMinimumSize(400, 300);
  for (int i = 0; i < 5; ++i) QApplication::processEvents();
  EXPECT_TRUE(Screen.contains(F.frameGeometry())) << F.frameGeometry().x();
}

TEST(Form, ADialogOpensCentredOverTheWindowItBelongsTo) {
  TForm Owner;
  auto* Page = new QWidget(&Owner);
  Owner.setGeometry(60, 50, 500, 400);
  Owner.show();
  // A dialog form, a sizeable form shown modally, one of Qt's boxes, and a dialog made once for
  // the whole program (no parent: it belongs to the active window), each put at first where the
  // window system likes and shown twice, the owner moved in between.
  TForm D(Page), Modal(Page), Shared;
  D.SetBorderStyle(bsDialog);
  Shared.SetBorderStyle(bsDialog);
  (new QVBoxLayout(&Shared))->addWidget(new QLabel(QStringLiteral("Expression")));
  Modal.setWindowModality(Qt::ApplicationModal);
  QMessageBox Box(Page);
  OpenOverOwner(Box);
  for (QWidget* W : std::initializer_list<QWidget*>{&D, &Modal, &Box, &Shared}) {
    W == &Shared ? W->move(0, 0) : W->setGeometry(0, 0, 200, 100);  // Shared fits its contents
    for (const QPoint Next : {QPoint(120, 90), QPoint(60, 50)}) {
      QApplication::setActiveWindow(&Owner);
      W->show();
      for (int i = 0; i < 3; ++i) QApplication::processEvents();
      const QPoint Off = W->frameGeometry().center() - Owner.frameGeometry().center();
      EXPECT_LE(Off.manhattanLength(), 2) << Off.x() << "," << Off.y();
      EXPECT_LT(W->width(), 300);
      W->hide();
      Owner.move(Next);
    }
  }
}

TEST(Form, CaptionKeepsItsWidthInAnInputBoxAndAMessageBox) {
  // Qt's boxes lay themselves out to their contents as they open; their captions stay whole
  // beside the title bar's icon, three buttons and ends.
  QFont Bold = QApplication::font();
  Bold.setBold(true);
  const QFontMetrics M(Bold);
  QInputDialog D;
  D.setWindowTitle(QStringLiteral("Change Series Title"));
  QMessageBox Box(QMessageBox::Warning, QStringLiteral("A rather long caption for so short a box"),
                  QStringLiteral("No."), QMessageBox::Ok);
  for (QDialog* W : std::initializer_list<QDialog*>{&D, &Box}) {
    FitCaption(*W);
    FitCaption(*W);  // shown again: no second strut
    W->show();
    QApplication::processEvents();
    EXPECT_GE(W->width(), M.horizontalAdvance(W->windowTitle()) + 5 * M.height())
        << W->windowTitle().toStdString();
  }
  // The room goes to the whole box, not to the column of its icon.
  const auto* Icon = Box.findChild<QLabel*>(QStringLiteral("qt_msgboxex_icon_label"));
  const auto* Text = Box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
  ASSERT_TRUE(Icon && Text);
  EXPECT_LT(Text->x() - Icon->geometry().right(), 3 * M.height());
}

TEST(FlowLayout, ButtonsKeepTheWidthOfTheirTextAndWrapOntoMoreRows) {
  QWidget Row;
  auto* L = new TFlowLayout(&Row);
  L->setContentsMargins(2, 2, 2, 2);
  L->setSpacing(1);
  int Widest = 0;
  for (const char* Text : {"Print", "Save", "Zoom+", "Legend", "VGrid", "HGrid", "Export"}) {
    L->addWidget(new QPushButton(Text, &Row));
  }
  const QList<QPushButton*> Buttons = Row.findChildren<QPushButton*>();
  for (QPushButton* B : Buttons) Widest = std::max(Widest, B->sizeHint().width());
  Row.show();
  const int OneRow = L->sizeHint().height();
  for (const int Width : {L->sizeHint().width(), 200, Widest + 4}) {
    Row.resize(Width, L->heightForWidth(Width));
    QApplication::processEvents();
    EXPECT_EQ(Row.height() > OneRow, Width < L->sizeHint().width()) << Width;
    QRegion Taken;
    for (QPushButton* B : Buttons) {
      EXPECT_GE(B->width(), B->sizeHint().width()) << Width;
      EXPECT_TRUE(Row.rect().contains(B->geometry())) << Width;
      EXPECT_FALSE(Taken.intersects(B->geometry())) << Width;
      Taken += B->geometry();
    }
  }
  EXPECT_EQ(L->minimumSize().width(), Widest + 4);
}

TEST(Form, ExceptionsInEventsBecomeErrorBoxes) {
  struct TBad : TForm {
    void FormShow() override { throw std::runtime_error("Invalid floating point operation"); }
  };
  TScriptedDialogService Script;
  TScopedDialogService Use(Script);
  std::unique_ptr<TBad> F(CreateForm<TBad>());
  F->Show();
  EXPECT_EQ(Script.Messages(), QStringList{"Invalid floating point operation"});
  F->Close();
}

TEST(RadioGroup, ProgrammaticChangeFiresClick) {
  TRadioGroup G;
  G.SetItems({"Scn", "Fix", "Eng", "Sxg"});
  G.SetColumns(2);
  std::vector<int> Clicks;
  QObject::connect(&G, &TRadioGroup::Click, [&] { Clicks.push_back(G.ItemIndex()); });
  EXPECT_EQ(G.ItemIndex(), -1);
  G.SetItemIndex(2);
  G.SetItemIndex(2);  // no change, no click
  EXPECT_TRUE(G.Buttons(2)->isChecked());
  G.Buttons(1)->click();  // the user
  G.Buttons(1)->click();  // the checked one again: nothing
  EXPECT_TRUE(G.Buttons(1)->isChecked());
  EXPECT_FALSE(G.Buttons(2)->isChecked());
  G.SetItemIndex(-1);  // cleared without a click
  EXPECT_FALSE(G.Buttons(1)->isChecked());
  G.SetItemIndex(9);  // out of range clears too
  G.SetItemIndex(0);
  G.SetItemText(3, "DMS");
  EXPECT_EQ(G.Items()[3], "DMS");
  EXPECT_EQ(Clicks, (std::vector<int>{2, 1, 0}));
}

TEST(StringGrid, CellsAreColumnFirstAndFixedCellsCount) {
  TStringGrid G;
  G.SetColCount(3);  // header column + 2 data columns
  G.SetRowCount(5);  // header row + 4 data rows
  G.Cells[0][1] = "A[1,J]";
  G.Cells[2][1] = "x";
  G.Cells[1][4] = "y";
  EXPECT_EQ(G.GetCell(2, 1), "x");
  EXPECT_TRUE(G.Cells[1][4] == "y");
  EXPECT_EQ(G.item(1, 2)->text(), "x");  // Qt's item(row, column)
  EXPECT_EQ(G.item(4, 1)->text(), "y");
  EXPECT_FALSE(G.item(1, 0)->flags() & Qt::ItemIsSelectable);  // fixed column
  G.SetEditing(true);
  EXPECT_TRUE(G.item(1, 1)->flags() & Qt::ItemIsEditable);
  EXPECT_FALSE(G.item(0, 1)->flags() & Qt::ItemIsEditable);

  // Shrinking keeps the texts; growing again shows them.
  G.SetRowCount(2);
  EXPECT_EQ(G.RowCount(), 2);
  EXPECT_EQ(G.Cells[1][4], QString("y"));
  G.SetRowCount(5);
  EXPECT_EQ(G.item(4, 1)->text(), "y");

  // Editing in the view reaches the cells.
  std::vector<QString> Edits;
  QObject::connect(&G, &TStringGrid::SetEditText, [&](int c, int r, const QString& t) {
    Edits.push_back(QString("%1,%2=%3").arg(c).arg(r).arg(t));
  });
  G.item(3, 2)->setText("sin(1)");
  EXPECT_EQ(G.Cells[2][3], QString("sin(1)"));
  EXPECT_EQ(Edits, std::vector<QString>{"2,3=sin(1)"});

  G.SetRow(2);
  G.SetCol(2);
  EXPECT_EQ(G.Row(), 2);
  EXPECT_EQ(G.Col(), 2);
  G.OnSelectCell = [](int c, int, bool& Can) { Can = c != 1; };
  G.SetCol(1);
  EXPECT_EQ(G.Col(), 2);
  // A refused move off a cell that has just become a header does not go back onto it.
  G.OnSelectCell = [](int, int r, bool& Can) { Can = r != 3; };
  G.SetFixedRows(3);
  EXPECT_EQ(G.Row(), 3);
  G.SetFixedRows(1);
  G.ClearCells();
  EXPECT_EQ(G.Cells[2][1], QString());
}

// A cell longer than a line edit holds by default (a pasted field) comes back whole from its
// editor.
TEST(StringGrid, EditorKeepsALongCellWhole) {
  for (const bool Numbers : {false, true}) {
    TStringGrid G;
    if (Numbers) G.SetNumberCells();
    G.SetEditing(true);
    G.show();
    const QString Long(40000, QLatin1Char('1'));
    G.Cells[1][1] = Long;
    G.SetCol(1);
    G.SetRow(1);
    G.editItem(G.item(1, 1));
    auto* Editor = G.findChild<QLineEdit*>();
    ASSERT_NE(Editor, nullptr);
    QTest::keyClick(Editor, Qt::Key_End);
    QTest::keyClick(Editor, Qt::Key_2);
    QTest::keyClick(Editor, Qt::Key_Return);
    QApplication::processEvents();  // the delegate commits the editor's text queued
    EXPECT_EQ(G.GetCell(1, 1), Long + "2") << Numbers;
  }
}

TEST(UpDown, PositionRangeAssociateAndChangingHook) {
  TUpDown U;
  QLineEdit E;
  U.SetMin(1);
  U.SetMax(20);
  U.SetAssociate(&E);
  U.SetPosition(9);
  EXPECT_EQ(E.text(), "9");
  U.SetPosition(50);
  EXPECT_EQ(U.Position(), 20);
  std::vector<int> Clicks;
  QObject::connect(&U, &TUpDown::Click,
                   [&](TUDBtnType b) { Clicks.push_back(b == btNext ? 1 : -1); });
  U.Step(btNext);  // at the top: stays
  EXPECT_EQ(U.Position(), 20);
  E.setText("5");  // typed by the user
  EXPECT_EQ(U.Position(), 5);
  U.Step(btPrev);
  EXPECT_EQ(E.text(), "4");
  int Asked = 0;
  U.OnChangingEx = [&](bool& Allow, int NewValue) {
    ++Asked;
    Allow = NewValue != 5;
  };
  U.Step(btNext);  // refused
  EXPECT_EQ(U.Position(), 4);
  U.SetMax(3);  // the range clamps the position
  EXPECT_EQ(U.Position(), 3);
  EXPECT_EQ(Asked, 1);
  EXPECT_EQ(Clicks, (std::vector<int>{1, -1}));
}

TEST(SpeedButton, GroupsAndDown) {
  QWidget Panel;
  TSpeedButton A(&Panel), B(&Panel), C(&Panel), Plain(&Panel);
  for (TSpeedButton* S : {&A, &B}) S->SetGroupIndex(1);
  C.SetGroupIndex(2);
  int Clicks = 0;
  QObject::connect(&A, &TSpeedButton::Click, [&] { ++Clicks; });
  A.click();
  EXPECT_TRUE(A.Down());
  B.click();
  EXPECT_TRUE(B.Down());
  EXPECT_FALSE(A.Down());
  B.click();  // without AllowAllUp the down button stays down
  EXPECT_TRUE(B.Down());
  B.SetDown(false);  // refused too
  EXPECT_TRUE(B.Down());
  A.SetDown(true);  // programmatic: the group follows, no click
  EXPECT_FALSE(B.Down());
  EXPECT_EQ(Clicks, 1);
  C.click();
  EXPECT_TRUE(C.Down());
  EXPECT_TRUE(A.Down());  // another group
  C.SetAllowAllUp(true);
  C.click();
  EXPECT_FALSE(C.Down());
  Plain.SetDown(true);
  Plain.click();
  EXPECT_FALSE(Plain.Down());
  Plain.SetHint("Matrix Operations");
  EXPECT_EQ(Plain.toolTip(), "Matrix Operations");
  Plain.SetShowHint(false);
  EXPECT_EQ(Plain.toolTip(), "");
}

TEST(PageControl, TabVisibleAndChangeOnlyFromTheUser) {
  TPageControl P;
  for (const char* Caption : {"Calculator", "Ex-calc", "Tape"}) P.AddPage(new QWidget, Caption);
  int Changes = 0;
  QObject::connect(&P, &TPageControl::Change, [&] { ++Changes; });
  P.SetActivePageIndex(2);
  EXPECT_EQ(P.ActivePageIndex(), 2);
  EXPECT_EQ(Changes, 0);
  P.SetTabVisible(1, false);
  EXPECT_FALSE(P.TabVisible(1));
  EXPECT_EQ(P.Pages(2), P.ActivePage());  // indices stay fixed
  P.tabBar()->setCurrentIndex(0);         // as a click on the tab does
  EXPECT_EQ(P.ActivePageIndex(), 0);
  EXPECT_EQ(Changes, 1);
  P.OnChanging = [](bool& Allow) { Allow = false; };
  P.tabBar()->setCurrentIndex(2);
  EXPECT_EQ(P.ActivePageIndex(), 0);
  EXPECT_EQ(P.currentIndex(), 0);
  EXPECT_EQ(Changes, 1);
}

TEST(Form, KeyPreviewSeesKeysBeforeTheFocusedControl) {
  struct TKeys : TForm {
    QLineEdit* Edit = new QLineEdit(this);
    QStringList Seen;
    void FormKeyDown(int& Key, Qt::KeyboardModifiers) override {
      Seen << QString::number(Key, 16);
      if (Key == Qt::Key_Return || Key == Qt::Key_F1) Key = 0;  // handled by the window
    }
    void FormKeyPress(QChar& Key) override {
      if (Key == u',') Key = u'.';
    }
  };
  std::unique_ptr<TKeys> F(CreateForm<TKeys>());
  F->SetKeyPreview(true);
  F->Show();
  QApplication::setActiveWindow(F.get());
  F->Edit->setFocus();
  if (QApplication::focusWidget() != F->Edit) GTEST_SKIP() << "no keyboard focus on this platform";
  auto Press = [&](int Key, const QString& Text) {
    QKeyEvent E(QEvent::KeyPress, Key, Qt::NoModifier, Text);
    QCoreApplication::sendEvent(F->Edit, &E);
  };
  Press(Qt::Key_1, "1");
  Press(Qt::Key_Comma, ",");
  Press(Qt::Key_5, "5");
  Press(Qt::Key_Return, "\r");
  Press(Qt::Key_F1, "");
  EXPECT_EQ(F->Edit->text(), "1.5");
  EXPECT_EQ(F->Seen, (QStringList{"31", "2c", "35", "1000004", "1000030"}));
  F->SetKeyPreview(false);
  Press(Qt::Key_2, "2");
  EXPECT_EQ(F->Seen.size(), 5);
  F->Close();
}

TEST(Form, ClosingTheMainFormEndsTheProgram) {
  std::unique_ptr<TTestForm> Main(CreateForm<TTestForm>());
  SetMainForm(Main.get());
  Main->Show();
  bool Quit = false;
  // The handlers end with the test: a safety net left pending would end a later test's loop.
  QObject Scope;
  QObject::connect(qApp, &QCoreApplication::aboutToQuit, &Scope, [&] { Quit = true; });
  QTimer::singleShot(0, &Scope, [&] { Main->Close(); });
  QTimer::singleShot(2000, &Scope, [] { QCoreApplication::exit(1); });  // a safety net only
  EXPECT_EQ(QCoreApplication::exec(), 0);
  EXPECT_TRUE(Quit);
  SetMainForm(nullptr);
}
