// The chart panel: settings, the chart rectangle, buffered painting, pictures and printing.
#include "chart/engine/chart_panel.h"

#include <gtest/gtest.h>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "chart/engine/chart_exceptions.h"
#include "platform/app_services.h"
#include "platform/canvas_targets.h"
#include "platform/dialogs.h"
#include "platform/number_text.h"
#include "platform/printer.h"
#include "test_panels.h"
#include "tests/support/image_bounds.h"

namespace {

QString Tool(const char* Name) {
  const QString P = QStandardPaths::findExecutable(QString::fromLatin1(Name));
  if (P.isEmpty()) ADD_FAILURE() << Name << " is missing (see tools/packages.txt)";
  return P;
}

TEST(ChartPens, PresetsAndAssign) {
  int Changes = 0;
  TChartPen P([&](TGraphicsObject*) { ++Changes; });
  EXPECT_TRUE(P.Visible());
  EXPECT_FALSE(P.SmallDots());
  P.SetVisible(true);
  EXPECT_EQ(Changes, 0);  // an equal value notifies nobody
  P.SetVisible(false);
  P.SetSmallDots(true);
  EXPECT_EQ(Changes, 2);
  TChartPen Q;
  Q.SetColor(clRed);
  Q.Assign(P);
  EXPECT_FALSE(Q.Visible());
  EXPECT_TRUE(Q.SmallDots());
  EXPECT_EQ(Q.Color(), clBlack);

  EXPECT_FALSE(TChartHiddenPen().Visible());
  TDottedGrayPen Dotted;
  EXPECT_EQ(Dotted.Color(), clGray);
  EXPECT_EQ(Dotted.Style(), psDot);
  EXPECT_EQ(TDarkGrayPen().Color(), clGray);
  EXPECT_EQ(TChartArrowPen().Color(), clWhite);
  EXPECT_EQ(TChartAxisPen().Width(), 2);
  int Quiet = 0;
  TChartAxisPen Built([&](TGraphicsObject*) { ++Quiet; });
  EXPECT_EQ(Quiet, 0);  // the defaults are no change
}

TEST(ChartView3DOptions, DefaultsSettersAndAssign) {
  TTestPanel Panel;
  TView3DOptions& V = *Panel.View3DOptions();
  EXPECT_EQ(V.Elevation(), 345);
  EXPECT_EQ(V.HorizOffset(), 0);
  EXPECT_TRUE(V.Orthogonal());
  EXPECT_EQ(V.Perspective(), 15);
  EXPECT_EQ(V.Rotation(), 345);
  EXPECT_EQ(V.Tilt(), 0);
  EXPECT_EQ(V.VertOffset(), 0);
  EXPECT_EQ(V.Zoom(), 100);
  EXPECT_TRUE(V.ZoomText());
  EXPECT_EQ(V.Owner(), &Panel);

  std::vector<bool> Scrolls;
  int ZoomSeen = 0, ZoomStoredBefore = 0;
  V.OnScroll = [&](TCustomChartPanel* P, bool H) {
    EXPECT_EQ(P, &Panel);
    Scrolls.push_back(H);
  };
  V.OnChangedZoom = [&](TCustomChartPanel*, int Z) {
    ZoomSeen = Z;
    ZoomStoredBefore = V.Zoom();
  };
  V.SetHorizOffset(5);
  V.SetVertOffset(-3);
  V.SetVertOffset(-3);  // unchanged: no event
  EXPECT_EQ(Scrolls, (std::vector<bool>{true, false}));
  V.SetZoom(150);
  EXPECT_EQ(ZoomSeen, 150);
  EXPECT_EQ(ZoomStoredBefore, 100);  // fired before the value is stored
  EXPECT_EQ(V.Zoom(), 150);
  V.SetRotation(10);
  V.SetOrthogonal(false);

  TTestPanel Other;
  Other.View3DOptions()->Assign(V);
  EXPECT_EQ(Other.View3DOptions()->Rotation(), 10);
  EXPECT_EQ(Other.View3DOptions()->Zoom(), 150);
  EXPECT_EQ(Other.View3DOptions()->HorizOffset(), 5);
  EXPECT_FALSE(Other.View3DOptions()->Orthogonal());
  EXPECT_FALSE(Other.View3DOptions()->OnScroll);  // the events stay
}

TEST(ChartPanelSettings, DefaultsAndInvalidValues) {
  TTestPanel P;
  EXPECT_EQ(P.Width(), 400);
  EXPECT_EQ(P.Height(), 250);
  EXPECT_EQ(P.MarginLeft(), 3);
  EXPECT_EQ(P.MarginTop(), 4);
  EXPECT_EQ(P.MarginRight(), 3);
  EXPECT_EQ(P.MarginBottom(), 4);
  EXPECT_EQ(P.Chart3DPercent(), 15);
  EXPECT_TRUE(P.View3D());
  EXPECT_FALSE(P.Monochrome());
  EXPECT_TRUE(P.PrintProportional());
  EXPECT_EQ(P.PrintResolution(), 0);
  EXPECT_EQ(P.PrintMarginsRect(), (TRect{15, 15, 15, 15}));
  EXPECT_FALSE(P.Gradient()->Visible());
  EXPECT_EQ(P.Gradient()->Direction(), gdTopBottom);
  EXPECT_EQ(P.Gradient()->StartColor(), clWhite);
  EXPECT_EQ(P.Gradient()->EndColor(), clYellow);
  EXPECT_EQ(P.BackImageMode(), pbmStretch);
  EXPECT_FALSE(P.AnimatedZoom());
  EXPECT_EQ(P.AnimatedZoomSteps(), 8);
  EXPECT_TRUE(P.AllowZoom());
  EXPECT_EQ(P.AllowPanning(), pmBoth);

  P.SetMargin(0, 7);
  P.SetMargin(9, 6);  // any other index is the bottom
  EXPECT_EQ(P.GetMargin(0), 7);
  EXPECT_EQ(P.MarginBottom(), 6);

  P.SetChart3DPercent(100);
  for (int Bad : {0, 101, -5}) {
    try {
      P.SetChart3DPercent(Bad);
      ADD_FAILURE() << Bad;
    } catch (const ChartException& E) {
      EXPECT_STREQ(E.what(), "3D effect percent must be between 1 and 100");
    }
  }
  EXPECT_EQ(P.Chart3DPercent(), 100);

  EXPECT_NO_THROW(TCustomChartPanel::CheckAngle(0, "Rotation"));
  EXPECT_NO_THROW(TCustomChartPanel::CheckAngle(360, "Rotation"));
  for (int Bad : {-1, 361}) {
    try {
      TCustomChartPanel::CheckAngle(Bad, "Rotation");
      ADD_FAILURE() << Bad;
    } catch (const ChartException& E) {
      EXPECT_STREQ(E.what(), "Rotation Angle must be between 0 and 360 degrees");
    }
  }
  EXPECT_EQ(TCustomChartPanel::GetExportExtension(2), QStringLiteral("EMF"));
  EXPECT_EQ(TCustomChartPanel::GetExportExtension(3), QStringLiteral("CHT"));

  EXPECT_TRUE(TCustomChartPanel::IsScreenHighColor());  // the test screen has 32 bits
  TCursor Cursor = 0;
  EXPECT_TRUE(ChartIdentToCursor(QStringLiteral("crChartHand"), Cursor));
  EXPECT_EQ(Cursor, crChartHand);
  EXPECT_TRUE(ChartIdentToCursor(QStringLiteral("crHourGlass"), Cursor));
  EXPECT_EQ(Cursor, crHourGlass);
  EXPECT_EQ(ChartCursorToIdent(2020), QStringLiteral("crChartHand"));
  EXPECT_EQ(ChartCursorToIdent(crDefault), QStringLiteral("crDefault"));

  TChartFontObject F(&P);
  EXPECT_EQ(F.Font()->Name(), QStringLiteral("Arial"));
  EXPECT_EQ(F.Font()->Size(), 8);
  EXPECT_EQ(F.Font()->Color(), clBlack);
  EXPECT_FALSE(F.IsFontStored());
  F.Font()->SetStyle({fsBold});
  EXPECT_TRUE(F.IsFontStored());
}

TEST(ChartPanelSettings, ChartExceptionsBecomeMessageBoxes) {
  TScriptedDialogService Script;
  TScopedDialogService Scope(Script);
  TTestPanel P;
  EXPECT_FALSE(RunGuarded([&] { P.SetChart3DPercent(0); }));
  EXPECT_EQ(Script.Messages(), QStringList{"3D effect percent must be between 1 and 100"});
  EXPECT_EQ(Script.Requests.at(0).Type, mtError);
}

TEST(ChartPanel, ATiledBackImageIsDrawnInBlocksWithTheSamePixels) {
  TTestPanel P;
  QImage Pattern(3, 2, QImage::Format_RGB32);
  for (int I = 0; I < 6; ++I) Pattern.setPixel(I % 3, I / 3, qRgb(40 * I, 255 - 30 * I, 7 * I));
  TBitmap B;
  B.SetImage(Pattern);
  P.SetBackImage(&B);
  P.SetBackImageMode(pbmTile);
  P.Repaint();
  // Outside the chart rectangle and the bevel, each pixel is the one a copy at a time puts there,
  // past the first block's 256 pixels too.
  const QImage& I = P.Backing()->Image();
  const TRect R = P.ChartBounds();
  for (const QPoint At : {QPoint(2, 2), QPoint(200, 3), QPoint(257, 8), QPoint(397, 6),
                          QPoint(5, 200), QPoint(7, 247), QPoint(300, 245), QPoint(397, 247)})
    EXPECT_EQ(I.pixel(At), Pattern.pixel((At.x() - R.Left) % 3, (At.y() - R.Top) % 2)) << At.x();

  // A 1 x 1 picture is a handful of images, none past the panel, also where nothing clips.
  TBitmap One(1, 1);
  P.SetBackImage(&One);
  TRecordingTarget Target(400, 250);
  TCanvas C(&Target);
  P.DrawToMetaCanvas(&C, {0, 0, 400, 250});
  int Images = 0;
  for (const TCanvasOp& Op : Target.Ops())
    if (Op.Kind == coImage) {
      ++Images;
      EXPECT_TRUE(Op.Rect.Left >= 0 && Op.Rect.Top >= 0 && Op.Rect.Right <= 400 &&
                  Op.Rect.Bottom <= 250);
    }
  EXPECT_GT(Images, 0);
  EXPECT_LE(Images, 4);
}

TEST(ChartPanel, MarginsMakeTheChartRectangle) {
  TTestPanel P;
  P.Repaint();
  // 3 % of 400 is 12 pixels, 4 % of 250 is 10.
  EXPECT_EQ(P.ChartRect(), (TRect{12, 10, 388, 240}));
  EXPECT_EQ(P.ChartWidth(), 376);
  EXPECT_EQ(P.ChartXCenter(), 200);
  const QImage& I = P.Backing()->Image();
  EXPECT_EQ(FromQColor(I.pixelColor(12, 10)), clRed);
  EXPECT_EQ(FromQColor(I.pixelColor(11, 10)), ColorToRGB(clBtnFace));
  EXPECT_EQ(FromQColor(I.pixelColor(387, 239)), clRed);
  EXPECT_EQ(FromQColor(I.pixelColor(388, 239)), ColorToRGB(clBtnFace));
  // The raised bevel: highlight at the top left, shadow at the bottom right.
  EXPECT_EQ(FromQColor(I.pixelColor(0, 100)), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(FromQColor(I.pixelColor(399, 100)), ColorToRGB(clBtnShadow));

  P.SetBorderWidth(2);
  P.Repaint();
  EXPECT_EQ(P.ChartRect().Left, 14);

  // A margin dragged across the picture leaves one pixel, not an empty or inverted rectangle.
  P.SetMarginLeft(60);
  P.SetMarginRight(60);
  P.SetMarginTop(100);
  P.Repaint();
  EXPECT_EQ(P.ChartWidth(), 1);
  EXPECT_EQ(P.ChartHeight(), 1);
  EXPECT_GE(P.ChartRect().Top, P.ChartBounds().Top);
}

TEST(ChartPanel, SingleBorderFramesThePanelOutsideItsBevel) {
  TTestPanel P;
  P.SetBorderStyle(bsSingle);
  P.Repaint();
  const QImage& I = P.Backing()->Image();
  // A window frame on every edge; the raised bevel and the chart move in by its pixel.
  for (const QPoint At : {QPoint(0, 100), QPoint(399, 100), QPoint(200, 0), QPoint(200, 249)})
    EXPECT_EQ(FromQColor(I.pixelColor(At)), ColorToRGB(clWindowFrame)) << At.x() << "," << At.y();
  EXPECT_EQ(FromQColor(I.pixelColor(1, 100)), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(FromQColor(I.pixelColor(398, 100)), ColorToRGB(clBtnShadow));
  EXPECT_EQ(P.ChartRect(), (TRect{13, 11, 387, 239}));

  P.SetBorderStyle(bsNone);
  P.Repaint();
  EXPECT_EQ(FromQColor(P.Backing()->Image().pixelColor(0, 100)), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(P.ChartRect().Left, 12);
}

TEST(ChartPanel, PaintsOnlyWhatChanged) {
  TTestPanel P;
  P.Repaint();
  EXPECT_EQ(P.Draws, 1);
  P.Paint();  // unchanged: the bitmap is copied back
  EXPECT_EQ(P.Draws, 1);
  P.Invalidate();
  P.Paint();
  EXPECT_EQ(P.Draws, 2);
  P.SetMarginLeft(10);  // a change marks the picture stale
  P.Paint();
  EXPECT_EQ(P.Draws, 3);
  // A panel of no size is not painted at all.
  P.resize(0, 0);
  P.Repaint();
  EXPECT_EQ(P.Draws, 3);
  P.resize(0, 50);
  P.Repaint();
  EXPECT_EQ(P.Draws, 3);
}

TEST(ChartPanel, DefaultGradientIsYellowOverWhite) {
  TTestPanel P;
  P.Gradient()->SetVisible(true);
  P.SetBevelOuter(bvNone);
  P.Repaint();
  const QImage& I = P.Backing()->Image();
  EXPECT_EQ(FromQColor(I.pixelColor(5, 0)), clYellow);
  EXPECT_EQ(FromQColor(I.pixelColor(5, 249)), clWhite);
  P.Gradient()->SetDirection(gdBottomTop);
  P.Repaint();
  EXPECT_EQ(FromQColor(P.Backing()->Image().pixelColor(5, 0)), clWhite);
  EXPECT_EQ(FromQColor(P.Backing()->Image().pixelColor(5, 249)), clYellow);
}

TEST(ChartPanel, BackImageModes) {
  TTestPanel P;
  P.SetBevelOuter(bvNone);
  P.Fill = clNone;
  TBitmap Img(10, 10);
  Img.Canvas()->Brush()->SetColor(clBlue);
  Img.Canvas()->FillRect({0, 0, 10, 10});
  P.SetBackImage(&Img);
  P.SetBackImageMode(pbmCenter);
  P.Repaint();
  EXPECT_EQ(FromQColor(P.Backing()->Image().pixelColor(200, 125)), clBlue);
  EXPECT_EQ(FromQColor(P.Backing()->Image().pixelColor(5, 5)), ColorToRGB(clBtnFace));
  P.SetBackImageMode(pbmTile);
  P.Repaint();
  EXPECT_EQ(FromQColor(P.Backing()->Image().pixelColor(5, 5)), clBlue);
  EXPECT_EQ(FromQColor(P.Backing()->Image().pixelColor(395, 245)), clBlue);
}

TEST(ChartPanelPictures, BitmapFileAndClipboard) {
  TTestPanel P;
  P.Text = QStringLiteral("Chart");
  P.Repaint();
  QTemporaryDir Dir;
  const QString File = Dir.filePath(QStringLiteral("chart.bmp"));
  ASSERT_TRUE(P.SaveToBitmapFile(File));
  QImage Read(File);
  ASSERT_FALSE(Read.isNull());
  EXPECT_EQ(Read.size(), QSize(400, 250));
  EXPECT_EQ(Read.convertToFormat(QImage::Format_RGB32),
            P.Backing()->Image().convertToFormat(QImage::Format_RGB32));
  EXPECT_FALSE(P.SaveToBitmapFile(Dir.filePath(QStringLiteral("no/such/dir/x.bmp"))).Why.isEmpty());

  P.CopyToClipboardBitmap();
  const QMimeData* M = QGuiApplication::clipboard()->mimeData();
  ASSERT_NE(M, nullptr);
  EXPECT_TRUE(M->hasImage());
  EXPECT_EQ(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32),
            P.Backing()->Image().convertToFormat(QImage::Format_RGB32));
  // A picture with a background other than white is filled first; the screen is untouched.
  auto B = P.CreateBitmap(clBlue, {0, 0, 400, 250});
  EXPECT_EQ(B->Width(), 400);
  EXPECT_GE(P.Draws, 4);
}

// The rows from the first dark pixel to the last in the columns [X0, X1).
int DarkRows(const QImage& I, int X0, int X1) {
  int First = -1, Last = -1;
  for (int Y = 0; Y < I.height(); ++Y)
    for (int X = X0; X < X1; ++X)
      if (qGray(I.pixel(X, Y)) < 100) {
        if (First < 0) First = Y;
        Last = Y;
        break;
      }
  return First < 0 ? 0 : Last - First + 1;
}

// At a pixel ratio of 2 the panel draws in device pixels, text at twice the resolution rather
// than doubled afterwards, and the bitmap it copies is the whole image; its metafile keeps the
// panel's own size.
TEST(ChartPanelScreen, DrawsAtTheScreensPixelRatio) {
  TTestPanel P;
  P.Fill = clWhite;
  P.SetBevelOuter(bvNone);
  P.Text = QStringLiteral("Hg");
  P.Repaint();
  const int At1 = DarkRows(P.Backing()->Image(), 0, 100);
  ASSERT_GT(At1, 8);
  const QByteArray Emf1 = P.MetafileData(true, P.ClientRect());
  P.SetPixelRatioOverride(2);
  P.Repaint();
  EXPECT_EQ(P.Backing()->Width(), 800);
  EXPECT_EQ(P.Backing()->Height(), 500);
  // 3 % of 800 and 4 % of 500: the chart rectangle is in the image's pixels.
  EXPECT_EQ(P.ChartRect(), (TRect{24, 20, 776, 480}));
  EXPECT_NEAR(DarkRows(P.Backing()->Image(), 0, 200), 2 * At1, 2);
  P.CopyToClipboardBitmap();
  EXPECT_EQ(QGuiApplication::clipboard()->image().size(), QSize(800, 500));
  EXPECT_EQ(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32),
            P.Backing()->Image().convertToFormat(QImage::Format_RGB32));
  EXPECT_EQ(P.MetafileData(true, P.ClientRect()), Emf1);
  P.SetPixelRatioOverride(0);
  P.Repaint();
  EXPECT_EQ(P.Backing()->Width(), 400);
  EXPECT_EQ(DarkRows(P.Backing()->Image(), 0, 100), At1);
}

TEST(ChartPanelPrinting, ProportionalMarginsAndExtents) {
  TTestPanel P;
  P.resize(300, 600);
  // A tall chart keeps 15 % at the top and bottom and computes the sides.
  const TRect M = P.ProportionalPrintMargins(1000, 1400, 100, 100);
  EXPECT_EQ(M.Top, 15);
  EXPECT_EQ(M.Bottom, 15);
  EXPECT_EQ(M.Left, RoundInt((1000 - 0.6 * 1400 * 0.5) * 100 / 1000) / 2);
  P.resize(600, 300);
  EXPECT_EQ(P.ProportionalPrintMargins(1000, 1400, 100, 100).Left, 15);
  // Nothing of no size divides by zero.
  P.resize(0, 0);
  const TRect Z = P.ProportionalPrintMargins(0, 0, 0, 0);
  EXPECT_EQ(Z.Top, 15);
  P.resize(400, 250);
  TRect R{100, 200, 100, 200};
  const TCanvasMapping Map = P.CalcPrintExtents(R);
  EXPECT_GE(R.Width(), 1);
  EXPECT_EQ(Map.ViewportExt, (TSize{1, 1}));
  P.SetPrintResolution(100);  // would leave no logical size at all
  TRect R2{0, 0, 800, 500};
  EXPECT_GE(P.CalcPrintExtents(R2).WindowExt.cx, 1);
  P.SetPrintResolution(-100);
  TRect R3{0, 0, 800, 500};
  EXPECT_EQ(P.CalcPrintExtents(R3).WindowExt, (TSize{800, 500}));
  EXPECT_EQ(R3, (TRect{0, 0, 800, 500}));
}

TEST(ChartPanelPrinting, PagesKeepTheScreenProportions) {
  // Printing maps the panel's own pixels onto the page: the chart rectangle and the font grow
  // by the same factor.
  TTestPanel P;
  P.Text = QStringLiteral("Chart");
  TRecordingTarget Page(4000, 3000, 600);
  TCanvas C(&Page);
  P.PrintPartialCanvas(&C, {0, 0, 4000, 2500});
  EXPECT_FALSE(P.Printing());
  EXPECT_FALSE(C.Mapped());
  const TCanvasOp* Fill = nullptr;
  const TCanvasOp* Text = nullptr;
  for (const TCanvasOp& Op : Page.Ops()) {
    if (Op.Kind == coFillRect && Op.State.Brush.Color == clRed) Fill = &Op;
    if (Op.Kind == coText) Text = &Op;
  }
  ASSERT_NE(Fill, nullptr);
  ASSERT_NE(Text, nullptr);
  EXPECT_EQ(Fill->Rect, (TRect{120, 100, 3880, 2400}));  // ten times the screen's
  EXPECT_EQ(Text->State.Font.Height, 10 * -MulDiv(12, 96, 72));
}

TEST(ChartPanelPrinting, PrintsToPdf) {
  const QString Pdftoppm = Tool("pdftoppm");
  if (Pdftoppm.isEmpty()) return;
  QTemporaryDir Dir;
  const QString Pdf = Dir.filePath(QStringLiteral("chart.pdf"));
  SetPrinterPdfOutput(Pdf);
  TTestPanel P;
  P.SetName(QStringLiteral("Chart1"));
  P.Print();
  SetPrinterPdfOutput(QString());
  ASSERT_TRUE(QFile::exists(Pdf));
  const QString Prefix = Dir.filePath(QStringLiteral("page"));
  ASSERT_EQ(QProcess::execute(Pdftoppm, {"-r", "30", "-png", "-singlefile", Pdf, Prefix}), 0);
  QImage Img(Prefix + QStringLiteral(".png"));
  ASSERT_FALSE(Img.isNull());
  // The red chart rectangle lies within the print margins, centred across the page.
  const QRect Red = RedBounds(Img);
  ASSERT_FALSE(Red.isNull()) << "no chart on the page";
  const int MinX = Red.left(), MaxX = Red.right(), MinY = Red.top(), MaxY = Red.bottom();
  EXPECT_GT(MinX, Img.width() * 15 / 100 - 2);
  EXPECT_LT(MaxX, Img.width() * 85 / 100 + 2);
  EXPECT_NEAR((MinX + MaxX) / 2.0, Img.width() / 2.0, 3);
  // The chart rectangle (376 by 230 of the 400 by 250 panel pixels) is stretched onto the print
  // rectangle.
  const TRect PR = P.GetPrintRect();
  const double Expected = (PR.Width() * 376.0 / 400) / (PR.Height() * 230.0 / 250);
  EXPECT_NEAR(double(MaxX - MinX) / (MaxY - MinY), Expected, 0.08);
}

}  // namespace
