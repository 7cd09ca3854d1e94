#pragma once
// Colours as 32-bit values $00BBGGRR ($FF is red). A value with the high bit set names a system
// colour by its index in the low byte; it is resolved through one fixed table, never through the
// desktop theme, so that pictures come out the same everywhere.
#include <cstdint>

#include <QColor>

using TColor = std::int32_t;

namespace colors_detail {
constexpr TColor Sys(int Index) {
  return static_cast<TColor>(0x80000000u | static_cast<unsigned>(Index));
}
}  // namespace colors_detail

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clOlive = 0x008080;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clPurple = 0x800080;
inline constexpr TColor clTeal = 0x808000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clFuchsia = 0xFF00FF;
inline constexpr TColor clAqua = 0xFFFF00;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clLtGray = clSilver;
inline constexpr TColor clDkGray = clGray;
inline constexpr TColor clMoneyGreen = 0xC0DCC0;
inline constexpr TColor clSkyBlue = 0xF0CAA6;
inline constexpr TColor clCream = 0xF0FBFF;
inline constexpr TColor clMedGray = 0xA4A0A0;

inline constexpr TColor clScrollBar = colors_detail::Sys(0);
inline constexpr TColor clBackground = colors_detail::Sys(1);
inline constexpr TColor clActiveCaption = colors_detail::Sys(2);
inline constexpr TColor clInactiveCaption = colors_detail::Sys(3);
inline constexpr TColor clMenu = colors_detail::Sys(4);
inline constexpr TColor clWindow = colors_detail::Sys(5);
inline constexpr TColor clWindowFrame = colors_detail::Sys(6);
inline constexpr TColor clMenuText = colors_detail::Sys(7);
inline constexpr TColor clWindowText = colors_detail::Sys(8);
inline constexpr TColor clCaptionText = colors_detail::Sys(9);
inline constexpr TColor clActiveBorder = colors_detail::Sys(10);
inline constexpr TColor clInactiveBorder = colors_detail::Sys(11);
inline constexpr TColor clAppWorkSpace = colors_detail::Sys(12);
inline constexpr TColor clHighlight = colors_detail::Sys(13);
inline constexpr TColor clHighlightText = colors_detail::Sys(14);
inline constexpr TColor clBtnFace = colors_detail::Sys(15);
inline constexpr TColor clBtnShadow = colors_detail::Sys(16);
inline constexpr TColor clGrayText = colors_detail::Sys(17);
inline constexpr TColor clBtnText = colors_detail::Sys(18);
inline constexpr TColor clInactiveCaptionText = colors_detail::Sys(19);
inline constexpr TColor clBtnHighlight = colors_detail::Sys(20);
inline constexpr TColor cl3DDkShadow = colors_detail::Sys(21);
inline constexpr TColor cl3DLight = colors_detail::Sys(22);
inline constexpr TColor clInfoText = colors_detail::Sys(23);
inline constexpr TColor clInfoBk = colors_detail::Sys(24);
inline constexpr TColor clHotLight = colors_detail::Sys(26);
inline constexpr TColor clGradientActiveCaption = colors_detail::Sys(27);
inline constexpr TColor clGradientInactiveCaption = colors_detail::Sys(28);
inline constexpr TColor clMenuHighlight = colors_detail::Sys(29);
inline constexpr TColor clMenuBar = colors_detail::Sys(30);

// Sentinels, not colours: "no colour" and "the owner's default". Neither is a system colour.
inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clDefault = 0x20000000;

constexpr TColor RGB(int R, int G, int B) {
  return static_cast<TColor>((static_cast<unsigned>(R) & 0xFF) |
                             ((static_cast<unsigned>(G) & 0xFF) << 8) |
                             ((static_cast<unsigned>(B) & 0xFF) << 16));
}
constexpr int GetRValue(TColor C) { return static_cast<int>(static_cast<unsigned>(C) & 0xFF); }
constexpr int GetGValue(TColor C) {
  return static_cast<int>((static_cast<unsigned>(C) >> 8) & 0xFF);
}
constexpr int GetBValue(TColor C) {
  return static_cast<int>((static_cast<unsigned>(C) >> 16) & 0xFF);
}

constexpr bool IsSystemColor(TColor C) { return C < 0; }

// The plain $00BBGGRR value: system colours through the fixed table; plain colours and the
// sentinels keep their low 24 bits.
TColor ColorToRGB(TColor Color);
// clNone gives a fully transparent QColor; everything else an opaque one.
QColor ToQColor(TColor Color);
// Alpha is dropped.
TColor FromQColor(const QColor& Color);
