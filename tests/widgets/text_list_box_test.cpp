#include "widgets/text_list_box.h"

#include "widgets/shown_text.h"

#include <QFontMetrics>
#include <QScrollBar>

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

namespace {

int Width(const TTextListBox& Box, const QString& Text) {
  return QFontMetrics(Box.font()).horizontalAdvance(Text + "x");
}

}  // namespace

TEST(TextListBox, ExtentFollowsTheWidestItem) {
  TTextListBox Box;
  Box.resize(120, 100);
  const QString Short = "pi";
  const QString Long = "Boltzmann constant = 1.380649E-23 J/K";
  const QString Middle = "e = 2.718281828459045";

  Box.addItem(Short);
  EXPECT_EQ(Box.HorizontalExtent(), Width(Box, Short));
  Box.addItem(Long);
  Box.insertItem(0, Middle);
  EXPECT_EQ(Box.HorizontalExtent(), Width(Box, Long));
  EXPECT_EQ(Box.horizontalScrollBar()->maximum(),
            std::max(0, Width(Box, Long) - Box.viewport()->width()));

  // Deleting a narrower item keeps the range; deleting the widest shrinks
  // it to the next widest and scrolls back to the left end.
  delete Box.takeItem(0);
  EXPECT_EQ(Box.HorizontalExtent(), Width(Box, Long));
  Box.insertItem(0, Middle);
  Box.horizontalScrollBar()->setValue(Box.horizontalScrollBar()->maximum());
  delete Box.takeItem(2);
  EXPECT_EQ(Box.HorizontalExtent(), Width(Box, Middle));
  EXPECT_EQ(Box.horizontalScrollBar()->value(), 0);

  QFont Big = Box.font();
  Big.setPointSize(Big.pointSize() * 2);
  Box.setFont(Big);
  EXPECT_EQ(Box.HorizontalExtent(), Width(Box, Middle));

  Box.clear();
  EXPECT_EQ(Box.HorizontalExtent(), 0);
  EXPECT_EQ(Box.horizontalScrollBar()->maximum(), 0);
}

namespace {

// Texts of the kind the lists hold, with the pairs that kern most in common fonts, tabs, and
// lines that differ only in their characters' widths.
QStringList MixedLines(int Count, unsigned Seed) {
  static const QString Alphabet = QStringLiteral(
      " !\"#$%&'()*+,-./"
      "0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`abcdefghijklmnopqrstuvwxyz"
      "{|}~AVAWToTaYoLTffiWAVa.\t");
  QStringList L;
  L.reserve(Count);
  unsigned S = Seed;
  auto Next = [&S] {
    S = S * 1103515245u + 12345u;
    return (S >> 16) & 0x7FFF;
  };
  for (int I = 0; I < Count; ++I) {
    QString T;
    const int Length = 1 + static_cast<int>(Next() % 40);
    for (int K = 0; K < Length; ++K)
      T += Alphabet[static_cast<qsizetype>(Next() % Alphabet.size())];
    L << T;
  }
  return L;
}

int WidestOf(const TTextListBox& Box) {
  int W = 0;
  for (int Row = 0; Row < Box.count(); ++Row) W = std::max(W, Box.ItemWidth(Box.item(Row)->text()));
  return W;
}

}  // namespace

// Long lists are pruned by a width bound that needs no shaping; the bound must never be below
// the measure, whatever the font, the tab setting or the characters.
TEST(TextListBox, BoundNeverBelowTheMeasure) {
  TTextListBox Box;
  const QStringList Texts = MixedLines(3000, 7);
  QStringList Pairs;
  for (char16_t A = 0x20; A <= 0x7E; ++A)
    for (char16_t B = 0x20; B <= 0x7E; B += 3) Pairs << QString(QChar(A)) + QChar(B) + QChar(A);
  for (const char* Family : {"", "Serif", "Monospace"}) {
    QFont F = Box.font();
    if (*Family) F.setFamily(Family);
    for (const int Size : {7, 10, 23}) {
      F.setPointSize(Size);
      Box.setFont(F);
      for (const int Tab : {0, 16, 3}) {
        Box.SetTabWidth(Tab);
        for (const QStringList* List : {&Texts, static_cast<const QStringList*>(&Pairs)})
          for (const QString& T : *List)
            ASSERT_GE(Box.ItemWidthBound(T), Box.ItemWidth(T))
                << T.toStdString() << " family " << Family << " size " << Size << " tab " << Tab;
      }
    }
  }
  // Characters outside the tables have no bound: such lines are always measured.
  EXPECT_EQ(Box.ItemWidthBound(QStringLiteral("\u00e9t\u00e9")), std::numeric_limits<int>::max());
  EXPECT_EQ(Box.ItemWidthBound(QStringLiteral("a\nb")), std::numeric_limits<int>::max());
}

// A list long enough to be pruned keeps exactly the extent of measuring every line, through
// loading, removal of the widest, edits, tab and font changes.
TEST(TextListBox, LongListKeepsTheExactExtent) {
  TTextListBox Box;
  Box.resize(200, 100);
  QStringList Lines = MixedLines(30000, 11);
  // Wide characters the tables do not know, on a line of few characters.
  Lines[17] = QStringLiteral(
      "\uff37\uff37\uff37\uff37\uff37\uff37\uff37\uff37\uff37\uff37\uff37"
      "\uff37\uff37\uff37\uff37\uff37\uff37\uff37\uff37\uff37\uff37\uff37");
  Box.addItems(Lines);
  EXPECT_EQ(Box.HorizontalExtent(), WidestOf(Box));
  EXPECT_EQ(Box.horizontalScrollBar()->maximum(),
            std::max(0, WidestOf(Box) - Box.viewport()->width()));

  delete Box.takeItem(17);
  EXPECT_EQ(Box.HorizontalExtent(), WidestOf(Box));

  // Lines added one at a time, each wider than the last.
  QString Growing;
  int Expected = Box.HorizontalExtent();
  for (int I = 0; I < 60; ++I) {
    Growing += QLatin1Char(I % 2 ? 'W' : 'i');
    Box.addItem(Growing + QStringLiteral("WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW"));
    Expected = std::max(Expected, Box.ItemWidth(Box.item(Box.count() - 1)->text()));
    ASSERT_EQ(Box.HorizontalExtent(), Expected) << I;
  }

  // Removing the widest line falls back to the next widest.
  int WidestRow = 0;
  for (int Row = 0; Row < Box.count(); ++Row)
    if (Box.ItemWidth(Box.item(Row)->text()) == Box.HorizontalExtent()) WidestRow = Row;
  delete Box.takeItem(WidestRow);
  EXPECT_EQ(Box.HorizontalExtent(), WidestOf(Box));

  Box.item(123)->setText(QString(90, QLatin1Char('M')));
  EXPECT_EQ(Box.HorizontalExtent(), WidestOf(Box));
  Box.item(123)->setText(QStringLiteral("i"));
  EXPECT_EQ(Box.HorizontalExtent(), WidestOf(Box));

  Box.SetTabWidth(40);
  EXPECT_EQ(Box.HorizontalExtent(), WidestOf(Box));
  QFont Big = Box.font();
  Big.setPointSize(Big.pointSize() * 3);
  Box.setFont(Big);
  EXPECT_EQ(Box.HorizontalExtent(), WidestOf(Box));
  Box.SetTabWidth(0);
  EXPECT_EQ(Box.HorizontalExtent(), WidestOf(Box));
}

TEST(TextListBox, AHugeLineIsShownAndMeasuredByItsBeginning) {
  TTextListBox Box;
  Box.resize(120, 100);
  const QString Huge = "f(x) = x" + QString("+1").repeated(1000000);
  Box.addItem(Huge);
  Box.addItem("pi");
  EXPECT_EQ(Box.item(0)->text(), Huge);
  EXPECT_EQ(ShownText(Huge), Huge.left(MaxShownText) + QChar(0x2026));
  EXPECT_EQ(Box.HorizontalExtent(), Width(Box, ShownText(Huge)));
  EXPECT_EQ(Box.visualItemRect(Box.item(0)).height(), Box.visualItemRect(Box.item(1)).height());
}
