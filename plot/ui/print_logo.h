#pragma once
// The title blocks printed under a graph: program title, company logo, project title and plot
// description. Each block has an image, text lines, a font and a justification, kept in a section
// of a settings file; the library's defaults fill what a file does not say.
#include <QString>
#include <QStringList>

#include <array>
#include <memory>

#include "platform/bitmap.h"
#include "platform/geometry.h"
#include "platform/graphics.h"

class TCanvas;

// What the blocks are made of where the settings say nothing; the program may change it at
// start-up.
struct TTitleBlockDefaults {
  std::array<QString, 6> ProgramLines{QStringLiteral("Visual component v.1.0")};
  QString ProgramImage;  // relative to the program directory
  QString ProgramFontName = QStringLiteral("Times New Roman");
  int ProgramFontSize = 10;
  QString ProgramFontStyle;
  int ProgramJustify = 0;
  std::array<QString, 6> ProjectLines;
  std::array<QString, 6> CompanyLines;
  QString ProjectImage;
  QString FontName = QStringLiteral("Times New Roman");  // project and company blocks
  int FontSize = 10;
  TColor FontColor = clBlack;
  QString FontStyle;
  int Justify = 0;
  // Whether "Project Title" and "Plot Description" start checked.
  bool ProjectAndDescription = false;
};
TTitleBlockDefaults& TitleBlockDefaults();

inline const QString SystemLogoSection = QStringLiteral("System LOGO");
inline const QString OwnerLogoSection = QStringLiteral("Owner LOGO");
inline const QString ProjectLogoSection = QStringLiteral("Project LOGO");
inline const QString CommentLogoSection = QStringLiteral("Comment Logo");

// Bounds a settings file cannot push the blocks past.
inline constexpr int MaxLogoLines = 100;
inline constexpr int MinLogoFontSize = 1;
inline constexpr int MaxLogoFontSize = 200;

// "B", "I", "U" for bold, italic, underline; the letters may stand anywhere.
QString FontStyleLetters(TFontStyles Style);
TFontStyles FontStyleFromLetters(const QString& Letters);

class TPrintLogo {
 public:
  // Loads the block of Section from FileName, or from ComponentIni when FileName is empty.
  TPrintLogo(const QString& ComponentIni, const QString& FileName, const QString& Section);
  // A "Comment Logo" block with the given lines; font and justification from the file.
  static std::unique_ptr<TPrintLogo> CreateComment(const QString& ComponentIni,
                                                   const QStringList& Lines,
                                                   const QString& FileName);

  TRect Rect;
  TCanvas* Canvas = nullptr;
  TBitmap Bitmap;
  QString LogoImage;
  // Why the picture the settings name could not be read by Load; Ok when it was, or none is named.
  TFileStatus ImageStatus;
  TFont Font;
  int Justify = 0;  // 0 left, 1 right, 2 center
  QString Section;
  QString FileName;
  QString ComponentIni;
  QStringList Lines;
  // The outline is black with "Plot Borders", else white.
  bool Borders = false;

  void Load();
  // False, with the reason, when the file could not be written.
  bool Save(QString* Error = nullptr);
  // Takes the image from a file; an unreadable file keeps the image there was and says why.
  TFileStatus LoadImage(const QString& Name);
  void ClearImage();
  void Draw();

 private:
  QString File() const { return FileName.isEmpty() ? ComponentIni : FileName; }
};
