// Picture files: exact BMP round trips, every format Qt reads, and damaged or hostile files
// refused at once without harm.
#include <gtest/gtest.h>

#include <random>

#include <sys/stat.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <QTemporaryDir>

#include "gfx_test_support.h"
#include "platform/image_file.h"
#include "test_util.h"

namespace {

void Picture(TBitmap& B) {
  WhiteBitmap(B, 37, 21);  // odd width: rows need padding
  TCanvas* C = B.Canvas();
  for (int Y = 0; Y < 21; ++Y)
    for (int X = 0; X < 37; ++X) C->SetPixels(X, Y, RGB(X * 7, Y * 12, (X + Y) * 3));
}

}  // namespace

TEST(Bitmap, BmpRoundTripKeepsEveryPixel) {
  TBitmap B;
  Picture(B);
  QTemporaryDir Dir;
  ASSERT_TRUE(Dir.isValid());
  const QString Name = Dir.filePath("picture.bmp");
  ASSERT_TRUE(B.SaveToFile(Name));
  QString Error;

  TBitmap Loaded;
  ASSERT_TRUE(Loaded.LoadFromFile(Name));
  EXPECT_EQ(Loaded.Width(), 37);
  EXPECT_EQ(Loaded.Height(), 21);
  EXPECT_EQ(Loaded.Image(), B.Image());

  // The loaded bitmap draws and reads like any other.
  Loaded.Canvas()->SetPixels(0, 0, clRed);
  EXPECT_EQ(Loaded.Canvas()->Pixels(0, 0), clRed);

  // Resizing keeps the top left and whitens the rest.
  Loaded.SetSize(40, 10);
  EXPECT_EQ(Loaded.Canvas()->Pixels(0, 0), clRed);
  EXPECT_EQ(Loaded.Canvas()->Pixels(39, 9), clWhite);

  TBitmap Empty;
  EXPECT_FALSE(Empty.SaveToFile(Dir.filePath("empty.bmp")));
  EXPECT_FALSE(B.SaveToFile(Dir.filePath("no/such/folder/x.bmp")));
}

TEST(Bitmap, DamagedFilesAreRefusedAndLeaveTheBitmapAlone) {
  TBitmap Good;
  Picture(Good);
  const QByteArray Data = Good.SaveToData();
  ASSERT_GT(Data.size(), 54);

  TBitmap B;
  WhiteBitmap(B, 3, 3);
  const QImage Before = B.Image();
  QString Error;
  auto Refused = [&](const QByteArray& Bytes) {
    Error.clear();
    const bool Ok = B.LoadFromData(Bytes, &Error);
    return !Ok && !Error.isEmpty() && B.Image() == Before;
  };
  EXPECT_TRUE(Refused(QByteArray()));
  EXPECT_TRUE(Refused(Data.left(10)));
  EXPECT_TRUE(Refused(Data.left(54)));
  EXPECT_TRUE(Refused(Data.left(Data.size() - 5)));
  QByteArray Magic = Data;
  Magic[0] = 'X';
  EXPECT_TRUE(Refused(Magic));
  QByteArray Huge = Data;
  Huge[21] = 0x7F;  // width far beyond reason
  EXPECT_TRUE(Refused(Huge));
  QByteArray Depth = Data;
  Depth[28] = 7;
  EXPECT_TRUE(Refused(Depth));
  QByteArray Offset = Data;
  Offset[13] = 0x7F;  // pixel data past the end
  EXPECT_TRUE(Refused(Offset));

  EXPECT_TRUE(B.LoadFromFile(QString::fromUtf8(NUMYX_TEST_DATA) + "/does_not_exist.bmp").Missing());
  EXPECT_EQ(B.LoadFromFile(QString::fromUtf8(NUMYX_TEST_DATA) + "/truncated.bmp").Code,
            TFileError::BadContents);
  EXPECT_EQ(B.Image(), Before);

  // Random damage anywhere in the file never crashes; whatever loads is whole.
  std::mt19937 Rng(12345);
  for (int Round = 0; Round < 300; ++Round) {
    QByteArray Bad = Data;
    const int Hits = 1 + static_cast<int>(Rng() % 6);
    for (int H = 0; H < Hits; ++H) Bad[static_cast<int>(Rng() % 64)] = static_cast<char>(Rng());
    TBitmap Target;
    if (Target.LoadFromData(Bad)) {
      EXPECT_FALSE(Target.Empty());
      EXPECT_EQ(Target.Image().format(), QImage::Format_RGB32);
    }
  }
}

TEST(Bitmap, PicturesOfEveryFormatAreReadAndHostileFilesRefusedAtOnce) {
  QTemporaryDir Dir;
  QImage Img(6, 4, QImage::Format_RGB32);
  Img.fill(QColor(0x20, 0x80, 0xC0));
  for (const char* Format : {"PNG", "JPEG", "BMP"}) {
    // The name says nothing: the bytes decide.
    const QString Name = Dir.filePath(QStringLiteral("picture.dat"));
    ASSERT_TRUE(Img.save(Name, Format, 100)) << Format;
    TBitmap B;
    const TFileStatus S = B.LoadFromFile(Name);
    ASSERT_TRUE(S) << Format << " " << S.Text().toStdString();
    EXPECT_EQ(B.Image().size(), Img.size());
    const QColor C = B.Image().pixelColor(2, 1);  // JPEG is near, the others exact
    EXPECT_NEAR(C.red(), 0x20, 4);
    EXPECT_NEAR(C.blue(), 0xC0, 4);
  }
  // A 1 x 1 GIF of a red pixel; Qt writes no GIF.
  const QByteArray Gif(
      "GIF89a\x01\x00\x01\x00\x80\x00\x00\xFF\x00\x00\x00\x00\x00"
      "\x2C\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00\x3B",
      35);
  TBitmap G;
  ASSERT_TRUE(G.LoadFromData(Gif));
  EXPECT_EQ(G.Image().pixelColor(0, 0), QColor(Qt::red));

  const QString Fifo = Dir.filePath(QStringLiteral("fifo")), Zero = Dir.filePath("zero");
  ASSERT_EQ(::mkfifo(QFile::encodeName(Fifo).constData(), 0600), 0);
  ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), Zero));
  const QString Big = Dir.filePath(QStringLiteral("big.bmp")), Huge = Dir.filePath("huge.gif");
  QFile BigFile(Big);
  ASSERT_TRUE(BigFile.open(QIODevice::WriteOnly) && BigFile.resize(MaxImageFileSize + 1));
  BigFile.close();
  QByteArray Wide = Gif;
  for (int At : {6, 7, 8, 9, 24, 25, 26, 27}) Wide[At] = '\xF0';  // 61680 x 61680 pixels
  ASSERT_TRUE(PutBytes(Huge, Wide));
  const std::pair<QString, const char*> Refused[] = {{Fifo, "is not a regular file"},
                                                     {Zero, "is not a regular file"},
                                                     {Dir.path(), "is a directory"},
                                                     {Big, "is larger than"},
                                                     {Huge, "too large"}};
  for (const auto& [File, Says] : Refused) {
    TBitmap B;
    const QString Error = B.LoadFromFile(File).Text();
    EXPECT_TRUE(Error.startsWith(File) && Error.contains(QLatin1String(Says)))
        << Error.toStdString();
    EXPECT_TRUE(B.Empty());
  }
}

// Small files that claim or decode to pictures beyond the memory budget: a progressive JPEG,
// whose decoder keeps coefficients besides the pixels, and a GIF whose first frame is small but
// whose screen is wide.
TEST(Bitmap, SmallFilesOfHugePicturesAreRefused) {
  QImage Img(16, 16, QImage::Format_RGB32);
  Img.fill(Qt::gray);
  QByteArray Jpeg;
  QBuffer Out(&Jpeg);
  ASSERT_TRUE(Out.open(QIODevice::WriteOnly));
  QImageWriter Writer(&Out, "JPEG");
  Writer.setProgressiveScanWrite(true);
  ASSERT_TRUE(Writer.write(Img));
  TBitmap B;
  ASSERT_TRUE(B.LoadFromData(Jpeg));
  const qsizetype Sof = Jpeg.indexOf("\xFF\xC2");
  ASSERT_GT(Sof, 0);
  for (int At : {5, 7}) {  // height and width: 5,792 each
    Jpeg[Sof + At] = '\x16';
    Jpeg[Sof + At + 1] = '\xA0';
  }
  QString Error;
  EXPECT_FALSE(B.LoadFromData(Jpeg, &Error));
  EXPECT_EQ(Error, "a picture of 5792 x 5792 pixels is too large");

  const QByteArray Gif(
      "GIF89a\x20\xFF\x01\x00\x80\x00\x00\xFF\x00\x00\x00\x00\x00"
      "\x2C\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00\x3B",
      35);
  EXPECT_FALSE(B.LoadFromData(Gif, &Error));
  EXPECT_EQ(Error, "a picture of 65312 x 1 pixels is too large");
  EXPECT_EQ(B.Image().size(), QSize(16, 16));
}
