// BMP files: exact round trips, and damaged files refused without harm.
#include <gtest/gtest.h>

#include <random>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "gfx_test_support.h"

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
  QString Error;
  ASSERT_TRUE(B.SaveToFile(Name, &Error)) << Error.toStdString();

  TBitmap Loaded;
  ASSERT_TRUE(Loaded.LoadFromFile(Name, &Error)) << Error.toStdString();
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

  EXPECT_FALSE(B.LoadFromFile(QString::fromUtf8(NUMYX_TEST_DATA) + "/does_not_exist.bmp", &Error));
  EXPECT_FALSE(Error.isEmpty());
  EXPECT_FALSE(B.LoadFromFile(QString::fromUtf8(NUMYX_TEST_DATA) + "/truncated.bmp", &Error));
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
