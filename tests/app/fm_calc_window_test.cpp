// The main window's size: its least size, its place on the screen, the history lists' width and
// the font spinner.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTextBlock>
#include <QToolButton>

#include "app/common/calc_controls.h"
#include "calc_test_support.h"
#include "widgets/shown_text.h"

namespace {

// Everything shown on the current page and above it has room for its text.
void ExpectNothingClipped(TfmCalc& W) {
  for (QAbstractButton* B : W.findChildren<QAbstractButton*>()) {
    if (!B->isVisibleTo(&W) || B->text().isEmpty() || !B->isVisible()) continue;
    const QFontMetrics M = B->fontMetrics();
    EXPECT_GE(B->width(), M.horizontalAdvance(B->text())) << B->objectName().toStdString();
    EXPECT_GE(B->height(), M.height()) << B->objectName().toStdString();
  }
  for (QLineEdit* E : W.findChildren<QLineEdit*>()) {
    if (!E->isVisible()) continue;
    EXPECT_GE(E->height(), E->fontMetrics().height() + 2) << E->objectName().toStdString();
  }
}

TEST_F(CalcWindowTest, LeastSizeClipsNothingAndFitsAScaledScreen) {
  TfmCalc& W = Open();
  // The window opens inside the screen's free area.
  const QRect Avail = W.screen()->availableGeometry();
  EXPECT_TRUE(Avail.contains(W.frameGeometry()))
      << W.frameGeometry().x() << "," << W.frameGeometry().y() << " " << W.width() << "x"
      << W.height() << " in " << Avail.width() << "x" << Avail.height();
  // Twice the scale of a 1600 x 1000 screen leaves 800 x 500.
  EXPECT_LE(W.minimumWidth(), 800);
  EXPECT_LE(W.minimumHeight(), 500);

  W.resize(300, 200);
  QApplication::processEvents();
  EXPECT_EQ(W.size(), W.minimumSize());
  for (int Page : {0, 1}) {
    W.pcCalc->SetActivePageIndex(Page);
    QApplication::processEvents();
    ExpectNothingClipped(W);
  }
  // Complex mode's captions have room too.
  Dialogs.OnModal = [](QDialog&) { return int(QDialog::Accepted); };
  W.rgReal->SetItemIndex(1);
  W.resize(300, 200);
  QApplication::processEvents();
  ExpectNothingClipped(W);
  W.rgReal->SetItemIndex(0);
  auto* ClearAll = W.findChild<QAbstractButton*>("sbClMem");
  ASSERT_NE(ClearAll, nullptr);
  W.pcCalc->SetActivePageIndex(0);
  QApplication::processEvents();
  EXPECT_GE(ClearAll->width(), ClearAll->fontMetrics().horizontalAdvance("Clear All"));
}

TEST_F(CalcWindowTest, HistoryListIsNeverWiderThanTheScreen) {
  TfmCalc& W = Open();
  const QString Long(5000, '7');
  Record(Long, "1");
  Record("2+2", "4");
  W.cbHistory->showPopup();
  QApplication::processEvents();
  QWidget* Popup = W.cbHistory->view()->window();
  const QRect Avail = W.screen()->availableGeometry();
  EXPECT_LE(Popup->width(), Avail.width());
  EXPECT_LE(Popup->width(), W.Edit1->width() + W.cbHistory->width());
  EXPECT_GE(Popup->x(), Avail.left());
  EXPECT_LE(Popup->geometry().right(), Avail.right());
  // Elided in the list, whole in its tooltip and when chosen.
  const QModelIndex Item = W.cbHistory->view()->model()->index(1, 0);
  EXPECT_EQ(Item.data(Qt::ToolTipRole).toString(), Long);
  EXPECT_FALSE(W.cbHistory->view()->model()->index(0, 0).data(Qt::ToolTipRole).isValid());
  W.cbHistory->hidePopup();
  EXPECT_EQ(W.cbHistory->itemText(1), Long);

  // An entry of millions of characters is drawn and told by its beginning, and stays whole.
  const QString Huge = "1" + QString("+1").repeated(1000000);
  Record(Huge, "1000001");
  W.cbHistory->showPopup();
  QApplication::processEvents();
  const QModelIndex First = W.cbHistory->view()->model()->index(0, 0);
  EXPECT_EQ(First.data(Qt::ToolTipRole).toString(), Huge.left(MaxShownText) + QChar(0x2026));
  EXPECT_EQ(W.cbHistory->view()->visualRect(First).height(),
            W.cbHistory->view()->visualRect(First.siblingAtRow(1)).height());
  W.cbHistory->hidePopup();
  EXPECT_EQ(W.cbHistory->itemText(0), Huge);
  // Its tape line likewise, while printing and saving get it whole, also below later lines.
  Record("2+3", "5");
  Record("2+4", "6");
  const QTextBlock Third = W.mmTape->document()->begin().next().next();
  EXPECT_EQ(Third.text(), ShownText(Huge + " = 1000001; "));
  EXPECT_EQ(W.TapeLines(), (QStringList{"2+4 = 6; ", "2+3 = 5; ", Huge + " = 1000001; ",
                                        "2+2 = 4; ", Long + " = 1; "}));
}

TEST_F(CalcWindowTest, FontSpinnerComesBackToTheSameHeight) {
  TfmCalc& W = Open();
  QApplication::processEvents();
  const int Height = W.height();
  const int Font = W.Edit1->font().pointSize();
  // Far enough up that the screen stops the window growing.
  for (int I = 0; I < 20; ++I) W.SpinButton1->OnUpClick();
  EXPECT_LE(W.height(), W.screen()->availableGeometry().height());
  for (int I = 0; I < 20; ++I) W.SpinButton1->OnDownClick();
  EXPECT_EQ(W.Edit1->font().pointSize(), Font);
  EXPECT_EQ(W.height(), Height);
  W.SpinButton1->OnUpClick();
  W.SpinButton1->OnDownClick();
  EXPECT_EQ(W.height(), Height);
}

}  // namespace
