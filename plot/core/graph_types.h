#pragma once
// Records and constants shared by the whole plotting library.
#include <QString>
#include <array>

struct TDoublePoint {
  double X = 0;
  double Y = 0;
  friend bool operator==(const TDoublePoint&, const TDoublePoint&) = default;
};

// In world coordinates Top is the smaller Y and Bottom the larger, unless a caller says
// otherwise; nothing here reorders them.
struct TDoubleRect {
  double Left = 0;
  double Top = 0;
  double Right = 0;
  double Bottom = 0;
  friend bool operator==(const TDoubleRect&, const TDoubleRect&) = default;
};

// A value equal to this or to its negative is "no value".
inline constexpr double MissingValue = 1234321.0;
inline bool IsMissingValue(double V) { return V == MissingValue || V == -MissingValue; }

enum TBarStyle { bsClustered, bsZOrdered, bsStacked, bs100Stacked };

// Where a legend box stands: docked at a side of the image or inside the plot area.
enum TLegendStyle { lsRight, lsLeft, lsBottom, lsTop, lsInside };

// Raised by every setter of a drawable object; the graph reads and clears it.
extern bool GraphChanged;

// The directory of the running program, without a trailing separator.
QString GraphProgramDir();
void SetGraphProgramDir(const QString& Dir);

// The default print title blocks: six lines and a font each.
struct TGraphDefaultFont {
  std::array<QString, 6> Lines;
  QString FontName = QStringLiteral("Times New Roman");
  int FontSize = 10;
  QString FontStyle;  // style letters, "B" bold and so on
  int Justification = 0;
  QString ImageFileName;
};
// [0] the program title, [1] the project, [2] the company.
extern std::array<TGraphDefaultFont, 3> GraphDefaultFonts;
