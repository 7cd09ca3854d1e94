// Save As and the clipboard: the files read back by independent readers, failures shown.
#include <optional>

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include "plot_fixture.h"
#include "tests/support/metafile_svg.h"

namespace {

bool HasRed(const QString& Svg) {
  QString Flat = Svg;
  Flat.remove(u' ');
  return Flat.contains(QStringLiteral("#ff0000"), Qt::CaseInsensitive) ||
         Flat.contains(QStringLiteral("rgb(255,0,0)")) || Flat.contains(QStringLiteral(":red"));
}

struct TPictureFixture : TPlotFixture {
  TPictureFixture() {
    AddLine();
    Plot->Title->SetText(QStringLiteral("Parabola#"));
    Plot->Redraw();
  }
  QString Path(const char* Name) const { return Dir.filePath(QString::fromLatin1(Name)); }
};

TEST(PlotPicture, SaveAsAsksWithTheFiltersAndWritesTheChosenFormat) {
  TPictureFixture F;
  // Chosen with the bitmap filter, typed without an extension.
  F.Script.AnswerFile(F.Path("shot"), 1);
  F.Plot->SaveAs();
  ASSERT_EQ(F.Script.Requests.size(), 1u);
  const TFileRequest& R = F.Script.Requests[0].File;
  EXPECT_EQ(R.Title, QStringLiteral("Save to file"));
  EXPECT_EQ(
      R.Filter,
      QStringLiteral("BMP files (*.BMP)|*.BMP|WMF files (*.WMF)|*.WMF|EMF files (*.EMF)|*.EMF"));
  EXPECT_EQ(R.DefaultExt, QStringLiteral("BMP"));
  const QImage Bmp(F.Path("shot.BMP"), "BMP");
  ASSERT_FALSE(Bmp.isNull());
  // Read back by Qt, it is what the screen shows.
  EXPECT_EQ(Bmp.convertToFormat(QImage::Format_RGB32), F.Screen());

  // A lower-case extension matches its filter: no second extension is added.
  F.Script.AnswerFile(F.Path("shot.emf"), 3);
  F.Plot->SaveAs();
  EXPECT_TRUE(QFile::exists(F.Path("shot.emf")));
  EXPECT_FALSE(QFile::exists(F.Path("shot.emf.EMF")));
  QFile E(F.Path("shot.emf"));
  ASSERT_TRUE(E.open(QIODevice::ReadOnly));
  const QByteArray Head = E.read(44);
  EXPECT_EQ(Head.mid(40, 4), QByteArray(" EMF"));  // the enhanced metafile signature

  F.Script.AnswerFile(F.Path("shot"), 2);
  F.Plot->SaveAs();
  QFile W(F.Path("shot.WMF"));
  ASSERT_TRUE(W.open(QIODevice::ReadOnly));
  EXPECT_EQ(W.read(4), QByteArray("\xD7\xCD\xC6\x9A", 4));  // placeable metafile key

  // Cancelled: nothing more is written and no box shows.
  F.Script.AnswerCancel();
  F.Plot->SaveAs();
  EXPECT_TRUE(F.Script.Messages().isEmpty());
}

TEST(PlotPicture, MetafilesReadBackWithTheirContent) {
  TPictureFixture F;
  for (bool Enhanced : {true, false}) {
    const QString File = F.Path(Enhanced ? "p.emf" : "p.wmf");
    QString Error;
    ASSERT_TRUE(F.Plot->SavePicture(File, Enhanced ? 3 : 2, &Error)) << Error.toStdString();
    const QString Svg = MetafileToSvg(Enhanced, File);
    ASSERT_FALSE(Svg.isEmpty());
    EXPECT_TRUE(SvgTexts(Svg).contains(QStringLiteral("Parabola"))) << SvgTexts(Svg).toStdString();
    EXPECT_TRUE(HasRed(Svg)) << Enhanced;  // the series
  }
  // The image keeps its own picture afterwards.
  EXPECT_EQ(F.Screen(), F.Picture().convertToFormat(QImage::Format_RGB32));
}

TEST(PlotPicture, AFailedWriteShowsAnErrorBox) {
  TPictureFixture F;
  for (int Index : {1, 2, 3}) {
    F.Script.AnswerFile(F.Path("missing/folder/pic.BMP"), Index);
    F.Plot->SaveAs();
  }
  const QStringList M = F.Script.Messages();
  ASSERT_EQ(M.size(), 3);
  for (int I = 0; I < 3; ++I) {
    EXPECT_EQ(F.Script.Requests[2 * I + 1].Type, mtError);
    EXPECT_TRUE(M[I].contains(QStringLiteral("missing/folder"))) << M[I].toStdString();
  }
  EXPECT_FALSE(QFile::exists(F.Path("missing")));
}

TEST(PlotPicture, CopyToClipboardPutsThePictureThere) {
  TPictureFixture F;
  QClipboard* Board = QGuiApplication::clipboard();
  Board->clear();
  F.Plot->CopyToClipboard();
  const QMimeData* M = Board->mimeData();
  ASSERT_NE(M, nullptr);
  ASSERT_TRUE(M->hasFormat(QStringLiteral("image/png")));
  ASSERT_TRUE(M->hasFormat(QStringLiteral("image/bmp")));
  const QImage Png = QImage::fromData(M->data(QStringLiteral("image/png")), "PNG");
  const QImage Bmp = QImage::fromData(M->data(QStringLiteral("image/bmp")), "BMP");
  EXPECT_EQ(Png.convertToFormat(QImage::Format_RGB32), F.Screen());
  EXPECT_EQ(Bmp.convertToFormat(QImage::Format_RGB32), F.Screen());
  // The graph's popup item goes the same way.
  Board->clear();
  F.Graph().CopyToClipboard();
  EXPECT_TRUE(Board->mimeData()->hasFormat(QStringLiteral("image/bmp")));
}

}  // namespace

namespace {
// Where the line of the turned text Text starts in a reader's SVG: the enhanced reader writes
// one text element turned about a point, the old-format reader one element per character, each
// moved by its matrix (so there the first character is looked for). Answered in the pixels of
// an image of Size.
std::optional<QPointF> TurnedTextStart(const QString& Svg, bool Enhanced, const QString& Text,
                                       QSize Size) {
  static const QRegularExpression Element(
      QStringLiteral(R"re((<text\b[^>]*>)\s*(?:<!\[CDATA\[)?([^<\]]*))re"));
  static const QRegularExpression Num(QStringLiteral(R"(-?\d+(?:\.\d+)?)"));
  auto Numbers = [](const QString& S) {
    QList<double> N;
    for (const QRegularExpressionMatch& M : Num.globalMatch(S)) N << M.captured().toDouble();
    return N;
  };
  auto Attr = [](const QString& Tag, const char* Name) {
    const QRegularExpression Re(
        QStringLiteral(R"re(\b%1\s*=\s*"([^"]*)")re").arg(QLatin1String(Name)));
    return Re.match(Tag).captured(1);
  };
  // The readers fit the picture into their page each in its own way: the first rectangle, the
  // background that fills the image, brings their coordinates back to the image's pixels.
  static const QRegularExpression Back(QStringLiteral(R"(<rect\b[^>]*>)"));
  const QString B = Back.match(Svg).captured();
  const double BX = Attr(B, "x").toDouble(), BY = Attr(B, "y").toDouble();
  const double SX = Attr(B, "width").toDouble() / Size.width();
  const double SY = Attr(B, "height").toDouble() / Size.height();
  if (B.isEmpty() || SX <= 0 || SY <= 0) return std::nullopt;
  auto Image = [&](double X, double Y) { return QPointF((X - BX) / SX, (Y - BY) / SY); };
  for (const QRegularExpressionMatch& M : Element.globalMatch(Svg)) {
    const QString Tag = M.captured(1), Content = M.captured(2).trimmed();
    const QString T = Attr(Tag, "transform");
    if (Enhanced && Content == Text && T.startsWith(QStringLiteral("rotate"))) {
      // rotate(A, CX, CY) translate(0, D) applied to (x, y), A a quarter turn back.
      const QList<double> N = Numbers(T);
      if (N.size() < 5) continue;
      const double X = Attr(Tag, "x").toDouble(), Y = Attr(Tag, "y").toDouble() + N[4];
      return Image(N[1] + (Y - N[2]), N[2] - (X - N[1]));
    }
    if (!Enhanced && Content == Text.left(1) && T.startsWith(QStringLiteral("matrix"))) {
      const QList<double> N = Numbers(T);
      if (N.size() == 6 && std::abs(N[1] + 1) < 0.01) return Image(N[4], N[5]);
    }
  }
  return std::nullopt;
}
}  // namespace

// The Y axis' title stands upright beside the labels in both metafile formats alike; across the
// axis the two readers agree within a few pixels, along it within the title's height (the
// enhanced reader moves a top-aligned turned text down by its ascent).
TEST(PlotPicture, TheUprightAxisTitleStandsInBothMetafilesAlike) {
  TPictureFixture F;
  TFont Big;
  Big.Assign(F.Plot->YAxis->GetNameFont());
  Big.SetSize(16);
  F.Plot->YAxis->SetNameFont(Big);
  F.Plot->YAxis->SetName(QStringLiteral("Height"));
  F.Plot->Redraw();
  std::optional<QPointF> Start[2];
  for (bool Enhanced : {true, false}) {
    const QString File = F.Path(Enhanced ? "t.emf" : "t.wmf");
    ASSERT_TRUE(F.Plot->SavePicture(File, Enhanced ? 3 : 2));
    Start[Enhanced] = TurnedTextStart(MetafileToSvg(Enhanced, File), Enhanced,
                                      QStringLiteral("Height"), F.Plot->Image()->size());
    ASSERT_TRUE(Start[Enhanced].has_value()) << Enhanced;
  }
  EXPECT_NEAR(Start[0]->x(), Start[1]->x(), 3);
  EXPECT_NEAR(Start[0]->y(), Start[1]->y(), 25);
  // Left of the plot, clear of its frame.
  EXPECT_LT(Start[0]->x(), F.Graph().PlotRect.Left - 10);
}
