#include "plot/ui/print_logo.h"

#include <QDateTime>
#include <QLocale>

#include <algorithm>

#include "platform/app_services.h"
#include "platform/canvas.h"
#include "platform/number_text.h"
#include "platform/text_file.h"
#include "plot/core/graph_mem_ini_file.h"

TTitleBlockDefaults& TitleBlockDefaults() {
  static TTitleBlockDefaults Defaults;
  return Defaults;
}

QString FontStyleLetters(TFontStyles Style) {
  QString S;
  if (Style.Contains(fsBold)) S += u'B';
  if (Style.Contains(fsItalic)) S += u'I';
  if (Style.Contains(fsUnderline)) S += u'U';
  return S;
}

TFontStyles FontStyleFromLetters(const QString& Letters) {
  TFontStyles Style;
  if (Letters.contains(u'B')) Style << fsBold;
  if (Letters.contains(u'I')) Style << fsItalic;
  if (Letters.contains(u'U')) Style << fsUnderline;
  return Style;
}

namespace {
QStringList NonEmpty(const std::array<QString, 6>& Lines) {
  QStringList L;
  for (const QString& S : Lines)
    if (!S.isEmpty()) L << S;
  return L;
}

int HeldJustify(int Value) { return Value >= 0 && Value <= 2 ? Value : 0; }
}  // namespace

TPrintLogo::TPrintLogo(const QString& AComponentIni, const QString& AFileName,
                       const QString& ASection)
    : Section(ASection), FileName(AFileName), ComponentIni(AComponentIni) {
  Load();
}

std::unique_ptr<TPrintLogo> TPrintLogo::CreateComment(const QString& ComponentIni,
                                                      const QStringList& Lines,
                                                      const QString& FileName) {
  auto L = std::make_unique<TPrintLogo>(ComponentIni, FileName, CommentLogoSection);
  L->Lines = Lines;
  return L;
}

TFileStatus TPrintLogo::LoadImage(const QString& Name) {
  // The picture there is goes only once the new one has been read: a wrong file costs nothing.
  TBitmap B;
  TFileStatus S = B.LoadFromFile(Name);
  if (!S.Ok()) return S;
  Bitmap.Assign(&B);
  LogoImage = Name;
  return S;
}

void TPrintLogo::ClearImage() {
  Bitmap.SetSize(0, 0);
  LogoImage.clear();
}

void TPrintLogo::Load() {
  const TTitleBlockDefaults& D = TitleBlockDefaults();
  Lines.clear();
  ClearImage();
  if (Section == SystemLogoSection) {
    // The program's own picture, which the user did not name: without it the logo has none.
    if (!D.ProgramImage.isEmpty())
      static_cast<void>(LoadImage(ProgramDir() + u'/' + D.ProgramImage));
    Lines = NonEmpty(D.ProgramLines);
    Font.SetName(D.ProgramFontName);
    Font.SetSize(std::clamp(D.ProgramFontSize, MinLogoFontSize, MaxLogoFontSize));
    Font.SetColor(clBlack);
    Font.SetStyle(FontStyleFromLetters(D.ProgramFontStyle));
    Justify = HeldJustify(D.ProgramJustify);
    return;
  }
  const bool Comment = Section.compare(CommentLogoSection, Qt::CaseInsensitive) == 0;
  TGraphMemIniFile Ini(File());
  QString Image = Ini.ReadString(Section, QStringLiteral("LogoImage"), QString());
  if (Image.isEmpty() && Section == ProjectLogoSection) Image = D.ProjectImage;
  ImageStatus = Image.isEmpty() ? TFileStatus{} : LoadImage(Image);
  if (Bitmap.Empty()) LogoImage = Image;
  if (!Comment) {
    const int Count =
        std::clamp(Ini.ReadInteger(Section, QStringLiteral("LogoLines"), 0), 0, MaxLogoLines);
    for (int I = 0; I < Count; ++I)
      Lines << Ini.ReadString(Section, QStringLiteral("LogoLine%1").arg(I), QString());
  }
  if (Section == ProjectLogoSection && Lines.isEmpty()) {
    Lines = NonEmpty(D.ProjectLines);
    if (Lines.isEmpty() && Bitmap.Empty())
      Lines << QStringLiteral("Date: ") +
                   QLocale::c().toString(QDateTime::currentDateTime(),
                                         QStringLiteral("dd.MM.yyyy HH:mm:ss"));
  }
  if (Section == OwnerLogoSection && Lines.isEmpty()) Lines = NonEmpty(D.CompanyLines);
  Font.SetName(Ini.ReadString(Section, QStringLiteral("FontName"),
                              Comment ? QStringLiteral("Arial") : D.FontName));
  Font.SetSize(
      std::clamp(Ini.ReadInteger(Section, QStringLiteral("FontSize"), Comment ? 10 : D.FontSize),
                 MinLogoFontSize, MaxLogoFontSize));
  Font.SetColor(
      Ini.ReadInteger(Section, QStringLiteral("FontColor"), int(Comment ? clBlack : D.FontColor)));
  Font.SetStyle(FontStyleFromLetters(
      Ini.ReadString(Section, QStringLiteral("FontStyle"), Comment ? QString() : D.FontStyle)));
  Justify = HeldJustify(
      Ini.ReadInteger(Section, QStringLiteral("LinesJustify"), Comment ? 0 : D.Justify));
}

bool TPrintLogo::Save(QString* Error) {
  if (FileName.isEmpty()) FileName = ComponentIni;
  TGraphMemIniFile Ini(FileName);
  Ini.WriteString(Section, QStringLiteral("LogoImage"), LogoImage);
  if (Section != CommentLogoSection) {
    Ini.WriteInteger(Section, QStringLiteral("LogoLines"), int(Lines.size()));
    for (int I = 0; I < Lines.size(); ++I)
      Ini.WriteString(Section, QStringLiteral("LogoLine%1").arg(I), Lines[I]);
  }
  Ini.WriteString(Section, QStringLiteral("FontName"), Font.Name());
  Ini.WriteInteger(Section, QStringLiteral("FontSize"), Font.Size());
  Ini.WriteInteger(Section, QStringLiteral("FontColor"), int(Font.Color()));
  Ini.WriteString(Section, QStringLiteral("FontStyle"), FontStyleLetters(Font.Style()));
  Ini.WriteInteger(Section, QStringLiteral("LinesJustify"), Justify);
  const TFileStatus S = Ini.UpdateFile();
  if (S.Ok()) return true;
  Ini.DiscardChanges();
  if (Error) *Error = FileFailureText(S);
  return false;
}

void TPrintLogo::Draw() {
  if (!Canvas) return;
  TCanvas& C = *Canvas;
  const TRect R = Rect;
  C.Brush()->SetStyle(bsSolid);
  C.Brush()->SetColor(clWhite);
  C.Pen()->SetStyle(psSolid);
  C.Pen()->SetWidth(1);
  C.Pen()->SetColor(Borders ? clBlack : clWhite);
  C.Rectangle(R);
  C.Brush()->SetStyle(bsClear);
  const int BlockH = R.Height();
  TRect Text = R;
  if (!Bitmap.Empty() && BlockH > 0) {
    const double BW = Bitmap.Width(), BH = Bitmap.Height();
    const int CellW = RoundInt(BW * BlockH / BH);
    // Powers of two, so that the picture keeps whole pixels where it can.
    double S = 1;
    while (BH * S < BlockH && S < 65536) S *= 2;
    while (BH * S > BlockH && S > 1.0 / 65536) S /= 2;
    const int W = RoundInt(BW * S), H = RoundInt(BH * S);
    const int X = R.Left + (CellW - W) / 2, Y = R.Top + (BlockH - H) / 2;
    C.StretchDraw({X, Y, X + W, Y + H}, &Bitmap);
    Text.Left = std::min(R.Left + CellW, R.Right);
  }
  C.SetFont(&Font);
  const unsigned OldAlign = C.SetTextAlign(TA_LEFT | TA_TOP);
  auto LineHeight = [&C](const QString& S) {
    return C.TextHeight(S.isEmpty() ? QStringLiteral("Wg") : S);
  };
  long long Total = 0;
  for (const QString& S : Lines) Total += LineHeight(S);
  double Factor = 1;
  int Y = Text.Top;
  if (Total <= BlockH)
    Y += int((BlockH - Total) / 2);
  else if (Total > 0)
    Factor = double(BlockH) / double(Total);
  for (const QString& S : Lines) {
    const int TW = C.TextWidth(S);
    int X = Text.Left + 2;
    if (Justify == 1)
      X = Text.Right - TW - 5 + 2;
    else if (Justify == 2)
      X = (Text.Left + Text.Right - TW) / 2 + 2;
    C.TextOut(X, Y, S);
    Y += RoundInt(LineHeight(S) * Factor);
  }
  C.SetTextAlign(OldAlign);
}
