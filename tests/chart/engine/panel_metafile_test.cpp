// The panel's metafiles, read back by the independent converters and compared in content.
#include <gtest/gtest.h>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "chart/engine/chart_panel.h"
#include "test_panels.h"
#include "tests/support/metafile_svg.h"

namespace {

// Whether the SVG paints something in the colour (as #rrggbb, rgb(r,g,b) or its SVG name).
bool HasFill(const QString& Svg, int R, int G, int B, const char* Name) {
  const QString Hex = QStringLiteral("#%1%2%3")
                          .arg(R, 2, 16, QLatin1Char('0'))
                          .arg(G, 2, 16, QLatin1Char('0'))
                          .arg(B, 2, 16, QLatin1Char('0'));
  const QString Rgb = QStringLiteral("rgb(%1,%2,%3)").arg(R).arg(G).arg(B);
  QString Flat = Svg;
  Flat.remove(u' ');
  if (Flat.contains(QStringLiteral("fill:") + QLatin1String(Name) + QLatin1Char(';'))) return true;
  return Flat.contains(QStringLiteral("fill:") + Hex, Qt::CaseInsensitive) ||
         Flat.contains(QStringLiteral("fill=\"") + Hex, Qt::CaseInsensitive) ||
         Flat.contains(QStringLiteral("fill:") + Rgb) ||
         Flat.contains(QStringLiteral("fill=\"") + Rgb);
}

TEST(ChartPanelMetafiles, EnhancedAndOldStyleReadBack) {
  QTemporaryDir Dir;
  TTestPanel P;
  P.Text = QStringLiteral("Surface");
  P.Repaint();
  for (bool Enhanced : {true, false}) {
    const QString File = Dir.filePath(Enhanced ? QStringLiteral("c.emf") : QStringLiteral("c.wmf"));
    const TFileStatus S = Enhanced ? P.SaveToMetafileEnh(File) : P.SaveToMetafile(File);
    ASSERT_TRUE(S) << S.Text().toStdString();
    const QString Svg = MetafileToSvg(Enhanced, File);
    ASSERT_FALSE(Svg.isEmpty());
    EXPECT_TRUE(SvgTexts(Svg).contains(QStringLiteral("Surface"))) << SvgTexts(Svg).toStdString();
    EXPECT_TRUE(HasFill(Svg, 255, 0, 0, "red")) << Enhanced;  // the chart rectangle
    // Where the margins put it: 12 and 10 pixels in.
    const QRegularExpression At(QStringLiteral(R"(<rect x="12(\.0*)?" y="10(\.0*)?")"));
    EXPECT_TRUE(!Enhanced || Svg.contains(At));
    const TColor Face = ColorToRGB(clBtnFace);
    EXPECT_TRUE(HasFill(Svg, GetRValue(Face), GetGValue(Face), GetBValue(Face), "silver"))
        << Enhanced;
  }
  // The screen picture is drawn again from its own buffer afterwards.
  const int Draws = P.Draws;
  P.Repaint();
  EXPECT_EQ(P.Draws, Draws + 1);
  EXPECT_EQ(FromQColor(P.Backing()->Image().pixelColor(200, 125)), clRed);
  EXPECT_FALSE(P.SaveToMetafileEnh(Dir.filePath(QStringLiteral("none/x.emf"))).Why.isEmpty());
}

TEST(ChartPanelMetafiles, OnePixelWidePanel) {
  QTemporaryDir Dir;
  TTestPanel P;
  P.resize(1, 50);
  const QString File = Dir.filePath(QStringLiteral("thin.emf"));
  ASSERT_TRUE(P.SaveToMetafileRect(true, File, {0, 0, 1, 50}));
  const QString Svg = MetafileToSvg(true, File);
  EXPECT_FALSE(Svg.isEmpty());
  EXPECT_GT(QFile(File).size(), 0);
}

TEST(ChartPanelMetafiles, ClipboardCarriesBitmapAndMetafile) {
  TTestPanel P;
  P.CopyToClipboardMetafile(true);
  const QMimeData* M = QGuiApplication::clipboard()->mimeData();
  ASSERT_NE(M, nullptr);
  EXPECT_TRUE(M->hasImage());
  const QByteArray Emf = M->data(QStringLiteral("image/x-emf"));
  ASSERT_GE(Emf.size(), 44);
  EXPECT_EQ(Emf.mid(40, 4), QByteArray(" EMF"));  // the header's signature
  P.CopyToClipboardMetafile(false);
  EXPECT_FALSE(
      QGuiApplication::clipboard()->mimeData()->data(QStringLiteral("image/x-wmf")).isEmpty());
}

}  // namespace
