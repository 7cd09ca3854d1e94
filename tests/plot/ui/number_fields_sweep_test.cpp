// Every number field of the plot dialogs, reached as the program reaches it: each dialog opened
// by its command (sub-dialogs by their buttons), each page shown, every field listed through the
// number edit, none left out; each typed key by key, a valid prefix then a refused number, or
// emptied, and left by every route the dialog offers. The refusal is told once, the value in
// force before the typing comes back, nothing else acts on the press or turn but Cancel, the
// next press arrives, and the dialog opened again shows it.
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

#include "platform/controls.h"
#include "plot/ui/figs_properties.h"
#include "plot/ui/graph_figs.h"
#include "plot/ui/graph_properties.h"
#include "plot/ui/series_import.h"
#include "plot_fixture.h"
#include "tests/support/user_input.h"

namespace {

using TInside = std::function<void(TForm&)>;

// Runs Inside on the next modal window once it shows, then closes it by its title bar.
void OnNextModal(TInside Inside) {
  QTimer::singleShot(0, [Inside] {
    auto* D = qobject_cast<TForm*>(QApplication::activeModalWidget());
    ASSERT_NE(D, nullptr);
    Inside(*D);
    QApplication::processEvents();
    if (D->isVisible()) D->close();
  });
}

struct TSweep : TPlotFixture {
  QString DataFile = Dir.filePath(QStringLiteral("points.txt"));
  std::unique_ptr<TArrow> Arrow;

  TSweep() {
    AddLine()->FKind = 3;  // line and points: the symbols have a dialog
    TContour* Plain = AddContour();
    TContour* Shaded = AddContour();
    Shaded->SetShaded(true);
    // Ends and levels fixed, so that their fields take typing.
    for (TContour* C : {Plain, Shaded}) C->UseLevelStart = C->UseLevelEnd = true;
    for (TPlotAxis* A :
         {Plot->XAxis.get(), Plot->YAxis.get(), Plot->XAxis2.get(), Plot->YAxis2.get()}) {
      A->SetAutoMin(false);
      A->SetAutoMax(false);
    }
    Plot->Redraw();
    Arrow =
        std::make_unique<TArrow>(Plot->Graph(), TDoublePoint{1, 1}, TDoublePoint{2, 2}, clRed, 1);
    QFile F(DataFile);
    if (F.open(QIODevice::WriteOnly)) F.write("1 2\n3 4\n");
  }

  // Opens the dialog named as the program does and runs Inside on the window with the fields.
  void Open(const QString& Name, const TInside& Inside) {
    auto Properties = [&](const std::function<void(TfmGraphProperties&)>& Then) {
      OnNextModal([Then](TForm& D) { Then(static_cast<TfmGraphProperties&>(D)); });
      Plot->ShowProperties();
    };
    if (Name == u"Properties") {
      Properties([&](TfmGraphProperties& D) {
        // Fit's degree waits for a series to fit.
        D.PageControl1->SetActivePageIndex(TfmGraphProperties::piOperations);
        D.tbSeries->setCurrentRow(0);
        Inside(D);
      });
    } else if (Name == u"Ticks") {
      Properties([&](TfmGraphProperties& D) {
        OnNextModal(Inside);
        D.AxisGroups[0].btTicks->click();
      });
    } else if (Name == u"Symbols") {
      Properties([&](TfmGraphProperties& D) {
        D.PageControl1->SetActivePageIndex(TfmGraphProperties::piSeries);
        D.clSeries->setCurrentItem(
            D.clSeries->findItems(QStringLiteral("Line"), Qt::MatchExactly).value(0));
        OnNextModal(Inside);
        D.btSymbols->click();
      });
    } else if (Name == u"Print" || Name == u"Print in inches") {
      OnNextModal([&](TForm& D) {
        if (Name == u"Print in inches")
          for (QRadioButton* B : D.findChildren<QRadioButton*>())
            if (B->text() == u"inches") B->setChecked(true);
        Inside(D);
      });
      Plot->Print();
    } else if (Name == u"Figure") {
      OnNextModal(Inside);
      EditFigProperties(*Arrow);
    } else if (Name == u"Series") {
      OnNextModal(Inside);
      Plot->ImportData();
    } else if (Name == u"File columns") {
      OnNextModal([&](TForm& D) {
        Script.AnswerFile(DataFile);
        OnNextModal(Inside);
        static_cast<TfmGraphImport&>(D).OpenFile();
      });
      Plot->ImportData();
    } else if (Name == u"Export") {
      OnNextModal(Inside);
      Plot->ExportData();
    }
  }
};

// Shows the page that holds E, as a click on its tab does.
void ShowPageOf(TNumberEdit* E) {
  for (QWidget* W = E; W; W = W->parentWidget())
    if (auto* T = qobject_cast<QTabWidget*>(W->parentWidget() ? W->parentWidget()->parentWidget()
                                                              : nullptr))
      if (T->indexOf(W) >= 0) T->setCurrentWidget(W);
}

// The tab bar of the innermost page control around E, with a tab other than the current one.
QTabBar* OtherTab(TNumberEdit* E, int& Index) {
  for (QWidget* W = E; W; W = W->parentWidget())
    if (auto* T = qobject_cast<QTabWidget*>(W))
      for (int I = 0; I < T->count(); ++I)
        if (I != T->currentIndex() && T->isTabVisible(I)) {
          Index = I;
          return T->tabBar();
        }
  return nullptr;
}

}  // namespace

TEST(NumberFieldsSweep, EveryFieldOfEveryDialogRefusesOnEveryRoute) {
  TSweep F;
  const char* const Dialogs[] = {"Properties", "Ticks",  "Symbols",      "Print", "Print in inches",
                                 "Figure",     "Series", "File columns", "Export"};
  int Driven = 0;
  for (const char* Dialog : Dialogs) {
    SCOPED_TRACE(Dialog);
    QStringList Names;
    F.Open(Dialog, [&](TForm& D) {
      for (TNumberEdit* E : TNumberEdit::EditsIn(&D)) Names << E->objectName();
      EXPECT_EQ(Names.removeDuplicates(), 0);
      EXPECT_FALSE(Names.contains(QString()));
      // None left out: no other field that takes typing holds a number.
      EXPECT_TRUE(D.findChildren<QAbstractSpinBox*>().isEmpty());
      for (QLineEdit* L : D.findChildren<QLineEdit*>()) {
        bool Number = false;
        L->text().toDouble(&Number);
        EXPECT_TRUE(qobject_cast<TNumberEdit*>(L) || L->isReadOnly() || !Number)
            << L->objectName().toStdString();
      }
    });
    EXPECT_FALSE(Names.isEmpty());
    for (const QString& Name : Names) {
      SCOPED_TRACE(Name.toStdString());
      QString Shown;
      F.Open(Dialog, [&](TForm& D) {
        auto* E = D.findChild<TNumberEdit*>(Name);
        ShowPageOf(E);
        ASSERT_TRUE(E->isVisible() && E->isEnabled());
        Shown = E->text();
        const double Value = E->Value();
        QApplication::setActiveWindow(&D);
        TPressCount Presses(&D);
        // Types a refused number after a digit, or empties the field, leaves by the route, and
        // checks the refusal.
        const auto Route = [&](const char* Name, const std::function<void()>& Leave,
                               bool Empty = false) {
          F.Script.Requests.clear();
          E->setFocus();
          E->selectAll();
          QTest::keyClicks(E, E->Rule().Whole ? "199999999999" : "1e999");
          if (Empty) QTest::keyClick(E, Qt::Key_A, Qt::ControlModifier);
          if (Empty) QTest::keyClick(E, Qt::Key_Backspace);
          Leave();
          QApplication::processEvents();
          const QStringList M = F.Script.Messages();
          EXPECT_EQ(M.size(), 1) << Name;
          if (!M.isEmpty() && Empty && !E->Rule().NotANumber.isEmpty()) {
            EXPECT_EQ(M[0], E->Rule().NotANumber) << Name;
          } else if (!M.isEmpty() && E->Rule().Message.isEmpty() && M[0] != E->Rule().NotANumber) {
            EXPECT_TRUE(M[0].startsWith(E->Caption() + QStringLiteral(" must be"))) << Name;
          }
          EXPECT_EQ(E->text(), Shown) << Name;
          EXPECT_EQ(E->Value(), Value) << Name;
          if (!D.isVisible()) return;
          const int Before = Presses.Count;
          QTest::mouseClick(&D, Qt::LeftButton, {}, QPoint(1, 1));
          EXPECT_EQ(Presses.Count, Before + 1) << Name;
        };
        Route("Tab", [&] { QTest::keyClick(E, Qt::Key_Tab); });
        Route(
            "emptied", [&] { QTest::keyClick(E, Qt::Key_Tab); }, true);
        Route("Enter", [&] { QTest::keyClick(E, Qt::Key_Return); });
        // The wheel over a chooser beside the field: it stays as it was.
        for (QComboBox* C : D.findChildren<QComboBox*>())
          if (C->isVisible() && C->isEnabled() && C->count() > 1) {
            const int Was = C->currentIndex();
            Route("wheel", [&] { TurnWheel(C, Was + 1 < C->count() ? -1 : 1); });
            EXPECT_EQ(C->currentIndex(), Was);
            break;
          }
        int Index = -1;
        if (QTabBar* Bar = OtherTab(E, Index)) {
          const int Was = Bar->currentIndex();
          Route("tab click",
                [&] { QTest::mouseClick(Bar, Qt::LeftButton, {}, Bar->tabRect(Index).center()); });
          EXPECT_EQ(Bar->currentIndex(), Was);
        }
        if (E->Steps()) Route("Up", [&] { QTest::keyClick(E, Qt::Key_Up); });
        if (TUpDown* U = E->UpDown())
          Route("arrow",
                [&] { QTest::mouseClick(U->findChildren<QToolButton*>().at(0), Qt::LeftButton); });
        // A click into another field, and on the button that closes the dialog taking it.
        for (TNumberEdit* O : TNumberEdit::EditsIn(&D))
          if (O != E && O->isVisible() && O->isEnabled()) {
            Route("click", [&] { QTest::mouseClick(O, Qt::LeftButton); });
            break;
          }
        const QStringList Closers{"OK", "&OK", "Close", "C&lose"};
        QAbstractButton* Cancel = D.CancelButton();
        for (QPushButton* B : D.findChildren<QPushButton*>())
          if (B != Cancel && B->isVisible() && B->isEnabled() && Closers.contains(B->text())) {
            Route("OK", [&] { QTest::mouseClick(B, Qt::LeftButton); });
            EXPECT_TRUE(D.isVisible()) << B->objectName().toStdString();
            break;
          }
        // Cancel closes after the message, at the first click, as the title bar's close does.
        if (Cancel && Cancel->isVisible() && Cancel->isEnabled())
          Route("Cancel", [&] { QTest::mouseClick(Cancel, Qt::LeftButton); });
        else
          Route("title bar", [&] { D.close(); });
        QApplication::processEvents();
        EXPECT_FALSE(D.isVisible());
        ++Driven;
      });
      // Opened again, the field shows what was in force.
      F.Open(Dialog, [&](TForm& D) {
        auto* E = D.findChild<TNumberEdit*>(Name);
        EXPECT_EQ(E->text(), Shown);
      });
    }
  }
  // The dialogs' fields: 27 on the Properties pages, 2 + 1 + 5 + 5 + 1 + 1 + 2 + 2 in the others.
  EXPECT_EQ(Driven, 46);
}
