#include "widgets/text_list_box.h"

#include <QFontMetrics>
#include <QScrollBar>

#include <gtest/gtest.h>

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
