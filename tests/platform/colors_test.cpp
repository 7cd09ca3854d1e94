#include <gtest/gtest.h>

#include "platform/colors.h"

TEST(Colors, ValuesSystemColoursAndSentinels) {
  EXPECT_EQ(RGB(0x12, 0x34, 0x56), 0x563412);
  EXPECT_EQ(static_cast<std::uint32_t>(clBtnFace), 0x8000000Fu);
  EXPECT_TRUE(IsSystemColor(clInfoBk));
  EXPECT_FALSE(IsSystemColor(clNone));
  EXPECT_FALSE(IsSystemColor(clDefault));
  // Settings files keep colours as signed integers: the system colours are negative.
  EXPECT_LT(clBtnFace, 0);

  EXPECT_EQ(ColorToRGB(clBtnFace), clSilver);
  EXPECT_EQ(ColorToRGB(clWindow), clWhite);
  EXPECT_EQ(ColorToRGB(clWindowText), clBlack);
  EXPECT_EQ(ColorToRGB(clInfoBk), RGB(255, 255, 225));
  EXPECT_EQ(ColorToRGB(clTeal), clTeal);
  EXPECT_EQ(ColorToRGB(static_cast<TColor>(0x800000FFu)), clBlack);  // past the table

  EXPECT_EQ(ToQColor(clRed), QColor(255, 0, 0));
  EXPECT_EQ(ToQColor(clBtnShadow), QColor(128, 128, 128));
  EXPECT_EQ(ToQColor(clNone).alpha(), 0);
  EXPECT_EQ(FromQColor(QColor(1, 2, 3)), RGB(1, 2, 3));
  EXPECT_EQ(FromQColor(ToQColor(clTeal)), clTeal);
}
