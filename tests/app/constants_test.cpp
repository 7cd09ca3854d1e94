// The constants page: finding and pasting constants.
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "app/calc/constants_page.h"
#include "pages_test_support.h"
#include "platform/text_file.h"

namespace {

TEST(Constants, PasteTextAndFind) {
  EXPECT_EQ(ConstantPasteText("c = 299792458"), "299792458");
  EXPECT_EQ(ConstantPasteText(" g = 9.81 * 1 = x"), "9.81*1=x");
  EXPECT_EQ(ConstantPasteText("2 * pi"), "2*pi");
  const QStringList L = {"Avogadro = 6.02E23", "c = 3E8", "Ca = 1"};
  EXPECT_EQ(FindConstant(L, "C"), 1);
  EXPECT_EQ(FindConstant(L, "ca"), 2);
  EXPECT_EQ(FindConstant(L, "avo"), 0);
  EXPECT_EQ(FindConstant(L, "x"), -1);
  EXPECT_EQ(FindConstant(L, ""), -1);
}

class ConstantsPageTest : public PagesTest {};

TEST_F(ConstantsPageTest, PageFindsAndPastes) {
  QLineEdit Find;
  QListWidget List;
  QPushButton Paste;
  TConstantsPage P(Host, &Find, &List, &Paste);
  List.addItems({"c = 299792458", "e0 = 8.854E-12", "g = 9.80665"});
  Type("2*", 2);
  P.PasteLine(0);
  EXPECT_EQ(Host.Input.text(), "2*299792458");

  P.edFind->setText("G");
  P.edFindChange();
  EXPECT_EQ(P.lbConst->currentRow(), 2);
  P.edFind->setText("zz");
  P.edFindChange();
  EXPECT_EQ(Dialogs.Messages().last(), "Constant name begining from <\"ZZ\"> not found");
  P.edFind->clear();
  P.edFindChange();
  EXPECT_EQ(Dialogs.Messages().last(), "Constant name begining from <\"\"> not found");
}

}  // namespace
