#pragma once
// The page margins that printing outside the plot control uses. They live in section "Print"
// of the settings file; a program without its own margins takes those of "Default.Ini" beside
// the program, and without either the built-in ones.
#include <QString>

#include <array>

// Left, top, right, bottom, in millimetres.
extern std::array<int, 4> PrintMargins;
inline constexpr std::array<int, 4> DefaultPrintMargins = {20, 20, 20, 20};

// Only the margin handling of the print dialog; it is made, asked and freed, never shown.
class TPrintDlg {
 public:
  // "Read" loads PrintMargins, "Write" stores them; other modes do nothing. False when the
  // margins could not be written.
  bool DefaultMargins(const QString& Mode);
};
