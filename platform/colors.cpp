#include "platform/colors.h"

#include <array>

namespace {

// The classic grey desktop scheme, indexed by the low byte of a system colour.
constexpr std::array<TColor, 31> SystemColors = {
    RGB(192, 192, 192),  // scroll bar
    RGB(0, 128, 128),    // desktop background
    RGB(0, 0, 128),      // active caption
    RGB(128, 128, 128),  // inactive caption
    RGB(192, 192, 192),  // menu
    RGB(255, 255, 255),  // window
    RGB(0, 0, 0),        // window frame
    RGB(0, 0, 0),        // menu text
    RGB(0, 0, 0),        // window text
    RGB(255, 255, 255),  // caption text
    RGB(192, 192, 192),  // active border
    RGB(192, 192, 192),  // inactive border
    RGB(128, 128, 128),  // application workspace
    RGB(0, 0, 128),      // highlight
    RGB(255, 255, 255),  // highlight text
    RGB(192, 192, 192),  // button face
    RGB(128, 128, 128),  // button shadow
    RGB(128, 128, 128),  // grey text
    RGB(0, 0, 0),        // button text
    RGB(192, 192, 192),  // inactive caption text
    RGB(255, 255, 255),  // button highlight
    RGB(0, 0, 0),        // 3D dark shadow
    RGB(223, 223, 223),  // 3D light
    RGB(0, 0, 0),        // info text
    RGB(255, 255, 225),  // info background
    RGB(0, 0, 0),        // (unused index)
    RGB(0, 0, 255),      // hot-tracked item
    RGB(16, 132, 208),   // gradient of the active caption
    RGB(181, 181, 181),  // gradient of the inactive caption
    RGB(0, 0, 128),      // menu highlight
    RGB(192, 192, 192),  // menu bar
};

}  // namespace

TColor ColorToRGB(TColor Color) {
  if (IsSystemColor(Color)) {
    const unsigned Index = static_cast<unsigned>(Color) & 0xFF;
    return Index < SystemColors.size() ? SystemColors[Index] : clBlack;
  }
  return Color & 0x00FFFFFF;
}

QColor ToQColor(TColor Color) {
  if (Color == clNone) return QColor(0, 0, 0, 0);
  const TColor C = ColorToRGB(Color);
  return QColor(GetRValue(C), GetGValue(C), GetBValue(C));
}

TColor FromQColor(const QColor& Color) {
  const QColor C = Color.toRgb();
  return RGB(C.red(), C.green(), C.blue());
}
