// Save As and the clipboard: the files read back by independent readers, failures shown.
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
