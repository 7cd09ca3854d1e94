// The plot's print dialog, its title blocks and its preview, printed to PDF files that poppler's
// tools read back.
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPageSize>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTimer>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include "platform/canvas.h"
#include "platform/canvas_targets.h"
#include "platform/ini_file.h"
#include "platform/printer.h"
#include "platform/printer_settings.h"
#include "plot/ui/print_dialog.h"
#include "plot/ui/print_preview.h"
#include "tests/plot/ui/plot_fixture.h"

namespace {

QString Tool(const char* Name) { return QStandardPaths::findExecutable(QLatin1String(Name)); }

QString Output(const QString& Program, const QStringList& Args) {
  QProcess P;
  P.start(Program, Args);
  P.waitForFinished(60000);
  return QString::fromUtf8(P.readAllStandardOutput());
}

bool Dark(const QColor& C) { return C.red() < 100 && C.green() < 100 && C.blue() < 100; }
bool Red(const QColor& C) { return C.red() > 180 && C.green() < 90 && C.blue() < 90; }

// A dark pixel at (X, Y) or one pixel beside it along the other axis.
bool DarkNearX(const QImage& I, int X, int Y) {
  for (int D = -1; D <= 1; ++D)
    if (Dark(I.pixelColor(X + D, Y))) return true;
  return false;
}
bool DarkNearY(const QImage& I, int X, int Y) {
  for (int D = -1; D <= 1; ++D)
    if (Dark(I.pixelColor(X, Y + D))) return true;
  return false;
}

// The box around every red pixel.
TRect RedBox(const QImage& I) {
  TRect R{I.width(), I.height(), -1, -1};
  for (int Y = 0; Y < I.height(); ++Y)
    for (int X = 0; X < I.width(); ++X)
      if (Red(I.pixelColor(X, Y))) {
        R.Left = std::min(R.Left, X), R.Top = std::min(R.Top, Y);
        R.Right = std::max(R.Right, X), R.Bottom = std::max(R.Bottom, Y);
      }
  return R;
}

void Mouse(QWidget* W, QEvent::Type Type, int X, int Y) {
  const double R = W->devicePixelRatioF();
  const QPointF P(X / R, Y / R);
  QMouseEvent E(Type, P, W->mapToGlobal(P),
                Type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                Type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(W, &E);
}

void Drag(QWidget* W, int X, int Y, int DX, int DY) {
  Mouse(W, QEvent::MouseButtonPress, X, Y);
  Mouse(W, QEvent::MouseMove, X + DX / 2, Y + DY / 2);
  Mouse(W, QEvent::MouseMove, X + DX, Y + DY);
  Mouse(W, QEvent::MouseButtonRelease, X + DX, Y + DY);
}

// A plot with a red curve, the printer pinned to a full A4 page at 300 dpi writing a PDF file,
// and the dialog and preview loaded for it.
struct TPrintFixture : TPlotFixture {
  QString Pdf = Dir.filePath(QStringLiteral("page.pdf"));
  TPrintDlg Dialog;
  TPreView Preview;

  TPrintFixture() {
    AddLine();
    Plot->Redraw();
    PinPrinterPage(QPageSize(QPageSize::A4), 300, true);
    SetPrinterOrientation(poPortrait);
    SetPrinterCopies(1);
    SetPrinterPdfOutput(Pdf);
    PrintMargins = {25, 10, 20, 10};
  }
  ~TPrintFixture() { SetPrinterPdfOutput(QString()); }

  void WriteBlocks() {
    TIniFile Ini(Plot->GetIniFileName());
    Ini.WriteInteger("Owner LOGO", "LogoLines", 2);
    Ini.WriteString("Owner LOGO", "LogoLine0", "ACME Widgets");
    Ini.WriteString("Owner LOGO", "LogoLine1", "Main Street 1");
    Ini.WriteInteger("Project LOGO", "LogoLines", 1);
    Ini.WriteString("Project LOGO", "LogoLine0", "Project Zeta");
    ASSERT_TRUE(Ini.UpdateFile());
  }

  void CheckAll() {
    for (QCheckBox* B :
         {Dialog.chProgram, Dialog.chOwner, Dialog.chProject, Dialog.chComment, Dialog.chBorders})
      B->setChecked(true);
    Dialog.Memo1->setPlainText(QStringLiteral("Curve of x"));
  }

  QImage Rendered(const QStringList& Size) {
    const QString Prefix = Dir.filePath(QStringLiteral("page"));
    QProcess::execute(Tool("pdftoppm"),
                      QStringList{"-png", "-singlefile", "-aa", "no", "-aaVector", "no"} + Size +
                          QStringList{Pdf, Prefix});
    return QImage(Prefix + QStringLiteral(".png"));
  }
};

bool HaveTools() { return !Tool("pdftoppm").isEmpty() && !Tool("pdfinfo").isEmpty(); }

}  // namespace

TEST(PrintDialog, PrintsThePageWithTitleBlocksAndTheCurveInsideTheMargins) {
  if (!HaveTools()) GTEST_SKIP() << "poppler-utils are not installed";
  TPrintFixture F;
  F.WriteBlocks();
  F.Dialog.Load(F.Plot, &F.Preview);
  EXPECT_EQ(F.Dialog.edLeft->text(), "25");
  EXPECT_EQ(F.Dialog.lbPageSize->text(), "210 * 297  mm");
  F.CheckAll();
  F.Dialog.PrintClick();
  EXPECT_EQ(F.Dialog.ModalResult(), mrOk);
  EXPECT_TRUE(F.Script.Messages().isEmpty()) << F.Script.Messages().join('|').toStdString();

  const QString Info = Output(Tool("pdfinfo"), {F.Pdf});
  EXPECT_TRUE(
      Info.contains(QRegularExpression("Page size:\\s+595(\\.\\d+)? x 84[12](\\.\\d+)? pts")))
      << Info.toStdString();
  EXPECT_TRUE(Info.contains(QRegularExpression("Pages:\\s+1\\n")));
  const QString Text = Output(Tool("pdftotext"), {F.Pdf, "-"});
  for (const char* Line :
       {"Visual component v.1.0", "ACME Widgets", "Main Street 1", "Project Zeta", "Curve of x"})
    EXPECT_TRUE(Text.contains(QLatin1String(Line))) << Line;

  // Axis labels keep their size in points on the 300-dpi page.
  const QString Boxes = Output(Tool("pdftotext"), {"-bbox", F.Pdf, "-"});
  const QRegularExpressionMatch Label =
      QRegularExpression("yMin=\"([0-9.]+)\" xMax=\"[0-9.]+\" yMax=\"([0-9.]+)\">10<").match(Boxes);
  ASSERT_TRUE(Label.hasMatch()) << Boxes.toStdString();
  const double LabelPoints = Label.captured(2).toDouble() - Label.captured(1).toDouble();
  EXPECT_GT(LabelPoints, 6.0);
  EXPECT_LT(LabelPoints, 14.0);

  const QImage Page = F.Rendered({"-r", "300"});
  ASSERT_EQ(Page.width(), 2480);
  ASSERT_NEAR(Page.height(), 3508, 1);
  const TPageLayout L = PageLayout(2480, 3508, 300, {25, 10, 20, 10}, 1, 4);
  EXPECT_EQ(L.Left, 295);
  EXPECT_EQ(L.Top, 118);
  EXPECT_EQ(L.BlockHeight, 177);
  const TRect G = L.GraphRect();
  const int MidY = (G.Top + G.Bottom) / 2, MidX = (G.Left + G.Right) / 2;
  EXPECT_TRUE(DarkNearX(Page, G.Left, MidY));
  EXPECT_TRUE(DarkNearX(Page, G.Right - 1, MidY));
  EXPECT_TRUE(DarkNearY(Page, MidX, G.Top));
  EXPECT_TRUE(DarkNearY(Page, MidX, G.Bottom - 1));
  for (int K = 1; K <= 4; ++K) {
    const TRect S = L.Slot(K);
    EXPECT_TRUE(DarkNearX(Page, S.Left, S.Top + S.Height() / 2)) << K;
    EXPECT_TRUE(DarkNearY(Page, S.Left + S.Width() / 3, S.Top)) << K;
    EXPECT_TRUE(DarkNearY(Page, S.Left + S.Width() / 3, S.Bottom - 1)) << K;
  }
  const TRect Curve = RedBox(Page);
  ASSERT_GE(Curve.Right, 0) << "no curve on the page";
  EXPECT_GE(Curve.Left, G.Left);
  EXPECT_GE(Curve.Top, G.Top);
  EXPECT_LT(Curve.Right, G.Right);
  EXPECT_LT(Curve.Bottom, G.Bottom);
  // The curve rises from the lower left to the upper right across most of the graph area.
  EXPECT_GT(Curve.Width(), G.Width() / 2);
  EXPECT_GT(Curve.Height(), G.Height() / 2);
}

TEST(PrintDialog, CopiesRepeatThePageAndTextKeepsItsSizeInPoints) {
  if (!HaveTools()) GTEST_SKIP() << "poppler-utils are not installed";
  TPrintFixture F;
  F.Dialog.Load(F.Plot, &F.Preview);
  TypeInto(F.Dialog.edNCopies, "2");
  EXPECT_EQ(PrinterCopies(), 2);
  F.Dialog.chProgram->setChecked(true);
  F.Dialog.PrintClick();
  EXPECT_TRUE(Output(Tool("pdfinfo"), {F.Pdf}).contains(QRegularExpression("Pages:\\s+2\\n")));
  SetPrinterCopies(1);
  // The program title's 10-point line: about 10 / 72 inch high, also in the PDF file.
  const QString Box = Output(Tool("pdftotext"), {"-bbox", "-f", "1", "-l", "1", F.Pdf, "-"});
  const QRegularExpressionMatch M =
      QRegularExpression("yMin=\"([0-9.]+)\" xMax=\"[0-9.]+\" yMax=\"([0-9.]+)\">Visual")
          .match(Box);
  ASSERT_TRUE(M.hasMatch()) << Box.toStdString();
  const double Points = M.captured(2).toDouble() - M.captured(1).toDouble();
  EXPECT_GT(Points, 8.0);
  EXPECT_LT(Points, 14.0);
}

TEST(PrintDialog, FailuresAreReportedAndTheDialogStays) {
  TPrintFixture F;
  F.Dialog.Load(F.Plot, &F.Preview);
  {
    // Another job holds the printer.
    TPrintJob Other(QStringLiteral("other"));
    ASSERT_TRUE(Other.BeginDoc());
    F.Dialog.PrintClick();
    EXPECT_NE(F.Dialog.ModalResult(), mrOk);
    ASSERT_EQ(F.Script.Messages().size(), 1);
    EXPECT_TRUE(F.Script.Messages()[0].contains("already printing"));
    EXPECT_TRUE(Other.EndDoc());
  }
  // No PDF file chosen.
  SetPrinterPdfOutput(QString());
  SelectPdfOutput();
  F.Script.AnswerCancel();
  F.Dialog.PrintClick();
  EXPECT_NE(F.Dialog.ModalResult(), mrOk);
  EXPECT_TRUE(F.Script.Messages().last().contains("No PDF file was chosen"));
  // A file that cannot be made.
  SetPrinterPdfOutput(F.Dir.filePath("no/such/dir/page.pdf"));
  const int Before = int(F.Script.Messages().size());
  F.Dialog.PrintClick();
  EXPECT_NE(F.Dialog.ModalResult(), mrOk);
  EXPECT_EQ(F.Script.Messages().size(), Before + 1);
  EXPECT_TRUE(F.Dialog.isEnabled());
  // A device is no file to print to.
  SetPrinterPdfOutput(QStringLiteral("/dev/full"));
  F.Dialog.PrintClick();
  EXPECT_NE(F.Dialog.ModalResult(), mrOk);
  EXPECT_EQ(F.Script.Messages().size(), Before + 2);
  EXPECT_EQ(F.Script.Messages().last(),
            "The file /dev/full could not be written: it is not a regular file");
  // The next file comes out whole.
  SetPrinterPdfOutput(F.Pdf);
  F.Dialog.PrintClick();
  EXPECT_EQ(F.Dialog.ModalResult(), mrOk);
  EXPECT_GT(QFileInfo(F.Pdf).size(), 1000);
}

TEST(PrintDialog, UnitsMarginsAndCancel) {
  TPrintFixture F;
  {
    TIniFile Ini(F.Plot->GetIniFileName());
    Ini.WriteString("Print", "Units", "nan");
    Ini.WriteInteger("Print", "Left", -50);
    Ini.WriteInteger("Print", "Top", 999999);
    ASSERT_TRUE(Ini.UpdateFile());
  }
  F.Dialog.Load(F.Plot, &F.Preview);
  EXPECT_EQ(F.Dialog.Units, 25.4);
  // Read back within the page: the top and bottom leave A4's 297 mm the least graph and blocks.
  EXPECT_EQ(PrintMargins,
            (std::array<int, 4>{0, 297 - LeastPrintableMM - 2 * TitleBlockMM - 10, 20, 10}));
  TypeInto(F.Dialog.edLeft, "25");
  TypeInto(F.Dialog.edTop, "10");
  // 25 mm show as 10 tenths of an inch (9.84 rounded) and come back as 25 mm.
  F.Dialog.rbInches->setChecked(true);
  EXPECT_EQ(F.Dialog.edLeft->text(), "10");
  EXPECT_EQ(F.Dialog.lbUnits->text(), "(decimal inchs)");
  EXPECT_EQ(PrintMargins[0], 25);
  F.Dialog.rbMM->setChecked(true);
  EXPECT_EQ(F.Dialog.edLeft->text(), "25");
  EXPECT_EQ(F.Dialog.Units, 25.4);
  // Margins that leave the graph no room are refused, in the units shown; none is cut unasked.
  TypeInto(F.Dialog.edLeft, "150");
  TypeInto(F.Dialog.edRight, "100");
  EXPECT_EQ(PrintMargins[0], 150);
  EXPECT_EQ(PrintMargins[2], 20);
  EXPECT_EQ(F.Script.Messages().last(),
            "The margins leave the plot no room: Left and Right together may be at most 189 mm.");
  F.Dialog.rbInches->setChecked(true);
  TypeInto(F.Dialog.edRight, "50");
  EXPECT_EQ(F.Script.Messages().last(),
            "The margins leave the plot no room: Left and Right "
            "together may be at most 74 inch/10.");
  EXPECT_EQ(F.Dialog.edRight->text(), "8");
  // With 182 mm of room beside a Right of 8 (20 mm), 63 (160 mm) is the most Left takes, and the
  // message says so: 64 (163 mm) is refused.
  PinPrinterPage(QPageSize(QSizeF(203, 297), QPageSize::Millimeter), 300, true);
  TypeInto(F.Dialog.edLeft, "64");
  EXPECT_EQ(F.Script.Messages().last(),
            "The margins leave the plot no room: Left and Right "
            "together may be at most 71 inch/10.");
  TypeInto(F.Dialog.edLeft, "63");
  EXPECT_EQ(PrintMargins[0], 160);
  PinPrinterPage(QPageSize(QPageSize::A4), 300, true);
  F.Dialog.rbMM->setChecked(true);
  TypeInto(F.Dialog.edLeft, "25");

  // Typed and dragged margins survive the printer setup, cancelled or not.
  F.Preview.Prepare(F.Plot, &F.Dialog);
  TypeInto(F.Dialog.edTop, "33");
  PrintMargins[3] = 44;
  for (TModalResult Setup : {mrCancel, mrOk}) {
    F.Script.Answer(Setup);
    F.Preview.SetupClick();
    EXPECT_EQ(PrintMargins[1], 33);
    EXPECT_EQ(PrintMargins[3], 44);
    EXPECT_EQ(F.Dialog.edBottom->text(), "44");
  }

  // Cancel only closes: margins that the preview stored stay stored.
  const std::array<int, 4> Stored = PrintMargins;
  F.Dialog.DefaultMargins("Write");
  TypeInto(F.Dialog.edLeft, "7", false);
  F.Dialog.CancelClick();
  EXPECT_EQ(F.Dialog.ModalResult(), mrCancel);
  PrintMargins = {};
  F.Dialog.DefaultMargins("Read");
  EXPECT_EQ(PrintMargins, Stored);
}

TEST(PrintPage, SlotsFollowTheNumberOfBlocks) {
  // Usable width 1000 from 100, bottom at 2000, blocks 150 high.
  EXPECT_EQ(TitleBlockSlot(1, 1, 100, 1000, 2000, 150), (TRect{100, 1850, 1100, 2000}));
  EXPECT_EQ(TitleBlockSlot(2, 2, 100, 1000, 2000, 150), (TRect{600, 1850, 1100, 2000}));
  // Three: a full-width block above two halves.
  EXPECT_EQ(TitleBlockSlot(3, 3, 100, 1000, 2000, 150), (TRect{100, 1700, 1100, 1850}));
  EXPECT_EQ(TitleBlockSlot(4, 3, 100, 1000, 2000, 150), (TRect{100, 1700, 600, 1850}));
  EXPECT_EQ(TitleBlockSlot(4, 4, 100, 1000, 2000, 150), (TRect{600, 1700, 1100, 1850}));
  EXPECT_TRUE(TitleBlockSlot(2, 3, 100, 1000, 2000, 150).IsEmpty());
  EXPECT_EQ(GraphAreaBottom(0, 2000, 150), 2000);
  EXPECT_EQ(GraphAreaBottom(2, 2000, 150), 1850);
  EXPECT_EQ(GraphAreaBottom(3, 2000, 150), 1700);
  // Negative margins and margins past the page.
  const std::array<int, 4> M = HeldMargins({-5, 400, 300, 400}, 210, 297);
  EXPECT_EQ(M[0], 0);
  EXPECT_LE(M[2], 210 - LeastPrintableMM);
  EXPECT_LE(M[1] + M[3], 297 - LeastPrintableMM - 2 * TitleBlockMM);
  EXPECT_GE(M[3], 0);
}

TEST(PrintLogo, HostileSettingsAndImagesWithoutArea) {
  TPlotFixture F;
  const QString Ini = F.Dir.filePath("logo.ini");
  {
    TIniFile I(Ini);
    I.WriteInteger("Owner LOGO", "LogoLines", 99999999);
    I.WriteInteger("Owner LOGO", "FontSize", -5);
    I.WriteInteger("Owner LOGO", "LinesJustify", 7);
    I.WriteString("Owner LOGO", "FontStyle", "xUxB");
    I.WriteInteger("Project LOGO", "FontSize", 100000);
    ASSERT_TRUE(I.UpdateFile());
  }
  TPrintLogo Owner(Ini, QString(), OwnerLogoSection);
  EXPECT_EQ(Owner.Lines.size(), MaxLogoLines);
  EXPECT_EQ(Owner.Font.Size(), MinLogoFontSize);
  EXPECT_EQ(Owner.Justify, 0);
  EXPECT_EQ(Owner.Font.Style(), (TFontStyles{fsBold, fsUnderline}));
  TPrintLogo Project(Ini, Ini, ProjectLogoSection);
  EXPECT_EQ(Project.Font.Size(), MaxLogoFontSize);
  // No lines and no image: the date.
  ASSERT_EQ(Project.Lines.size(), 1);
  EXPECT_TRUE(Project.Lines[0].startsWith("Date: "));

  // An image without height takes no room and does not stop the drawing.
  Project.Bitmap.SetSize(40, 0);
  TRecordingTarget T(400, 200);
  TCanvas C(&T);
  Project.Canvas = &C;
  Project.Rect = {10, 10, 310, 60};
  Project.Draw();
  bool Image = false;
  int TextX = -1;
  for (const TCanvasOp& Op : T.Ops()) {
    if (Op.Kind == coImage) Image = true;
    if (Op.Kind == coText) TextX = Op.Points[0].X;
  }
  EXPECT_FALSE(Image);
  EXPECT_EQ(TextX, 12);

  // A pipe or a device named as the image is refused at once and leaves none.
  const QString Fifo = F.Dir.filePath("fifo");
  ASSERT_EQ(::mkfifo(QFile::encodeName(Fifo).constData(), 0600), 0);
  for (const QString& Hostile : {Fifo, QStringLiteral("/dev/zero")}) {
    TPrintLogo Logo(Ini, QString(), OwnerLogoSection);
    EXPECT_EQ(Logo.LoadImage(Hostile).Text(), Hostile + " is not a regular file");
    EXPECT_TRUE(Logo.Bitmap.Empty());
    TIniFile I(Ini);
    I.WriteString("Owner LOGO", "LogoImage", Hostile);
    ASSERT_TRUE(I.UpdateFile());
    EXPECT_TRUE(TPrintLogo(Ini, QString(), OwnerLogoSection).Bitmap.Empty());
  }

  // A block that cannot be written says so.
  Project.FileName = F.Dir.filePath("no/such/dir/logo.ini");
  QString Error;
  EXPECT_FALSE(Project.Save(&Error));
  EXPECT_TRUE(Error.contains("no/such/dir"));
}

TEST(PrintPreview, ShowsThePrintedPageAndDragsTheMargins) {
  if (!HaveTools()) GTEST_SKIP() << "poppler-utils are not installed";
  TPrintFixture F;
  F.WriteBlocks();
  F.Dialog.Load(F.Plot, &F.Preview);
  F.CheckAll();
  F.Dialog.PrintClick();
  ASSERT_EQ(F.Dialog.ModalResult(), mrOk);
  F.Dialog.SetModalResult(mrNone);

  F.Preview.Prepare(F.Plot, &F.Dialog);
  F.Preview.resize(700, 900);
  F.Preview.show();
  QCoreApplication::processEvents();
  F.Preview.LayoutPage();
  F.Preview.DrawPage();
  const double S = F.Preview.PreviewScale;
  ASSERT_GT(S, 0.05);
  ASSERT_LT(S, 1);
  const QImage Shown = F.Preview.Page.Image();
  EXPECT_NEAR(Shown.width(), 2480 * S, 1);
  const QImage Printed = F.Rendered({"-scale-to-x", QString::number(Shown.width()), "-scale-to-y",
                                     QString::number(Shown.height())});
  ASSERT_EQ(Printed.size(), Shown.size());
  const TPageLayout& L = F.Preview.Layout;
  const TRect G = L.GraphRect();
  const int MidY = (G.Top + G.Bottom) / 2, MidX = (G.Left + G.Right) / 2;
  for (const QImage* I : {&Shown, &Printed}) {
    EXPECT_TRUE(DarkNearX(*I, G.Left, MidY));
    EXPECT_TRUE(DarkNearY(*I, MidX, G.Top));
    EXPECT_TRUE(DarkNearY(*I, MidX, G.Bottom - 1));
    const TRect S4 = L.Slot(4);
    EXPECT_TRUE(DarkNearY(*I, S4.Left + S4.Width() / 2, S4.Top));
  }
  const TRect A = RedBox(Shown), B = RedBox(Printed);
  EXPECT_NEAR(A.Left, B.Left, 2);
  EXPECT_NEAR(A.Top, B.Top, 2);
  EXPECT_NEAR(A.Right, B.Right, 2);
  EXPECT_NEAR(A.Bottom, B.Bottom, 2);

  // The top line down by 10 pixels.
  const double P = S * 300 / 25.4;
  QWidget* Image = F.Preview.Image;
  const int Top = F.Preview.TopLine->Position;
  Drag(Image, MidX, Top + 2, 0, 10);
  EXPECT_EQ(PrintMargins[1], std::lround((Top + 10) / P));
  EXPECT_EQ(PrintMargins[0], 25);

  // At the crossing of the left and top lines both move.
  const int Left = F.Preview.LeftLine->Position, Top2 = F.Preview.TopLine->Position;
  Drag(Image, Left + 1, Top2 + 1, 6, 6);
  EXPECT_EQ(PrintMargins[0], std::lround((Left + 6) / P));
  EXPECT_EQ(PrintMargins[1], std::lround((Top2 + 6) / P));

  // Inside the graph area all four move and the graph keeps its size.
  const std::array<int, 4> Before = PrintMargins;
  Drag(Image, (F.Preview.Layout.Left + F.Preview.Layout.Right) / 2,
       (F.Preview.Layout.Top + F.Preview.Layout.GraphBottom()) / 2, 8, 8);
  EXPECT_GT(PrintMargins[0], Before[0]);
  EXPECT_LT(PrintMargins[2], Before[2]);
  EXPECT_NEAR(PrintMargins[0] + PrintMargins[2], Before[0] + Before[2], 1);
  EXPECT_NEAR(PrintMargins[1] + PrintMargins[3], Before[1] + Before[3], 1);
  // Dragged far past a corner, the area stops at the page's edges, still of its size.
  const std::array<int, 4> Held = PrintMargins;
  Drag(Image, (F.Preview.Layout.Left + F.Preview.Layout.Right) / 2,
       (F.Preview.Layout.Top + F.Preview.Layout.GraphBottom()) / 2, -3000, 3000);
  EXPECT_EQ(PrintMargins[0], 0);
  EXPECT_LE(PrintMargins[3], 1);
  EXPECT_EQ(PrintMargins[0] + PrintMargins[2], Held[0] + Held[2]);
  EXPECT_EQ(PrintMargins[1] + PrintMargins[3], Held[1] + Held[3]);

  // Past the page's edges the lines stop inside it.
  Drag(Image, F.Preview.LeftLine->Position, MidY, -2000, 0);
  EXPECT_EQ(PrintMargins[0], 0);
  Drag(Image, MidX, F.Preview.TopLine->Position, 0, 5000);
  EXPECT_GE(PrintMargins[1], 0);
  EXPECT_LE(PrintMargins[1] + PrintMargins[3], 297 - LeastPrintableMM - 2 * TitleBlockMM);

  // "Exit" keeps the dragged margins, and the dialog shows them.
  const std::array<int, 4> Dragged = PrintMargins;
  F.Preview.btnClose->click();
  EXPECT_EQ(PrintMargins, Dragged);
  F.Dialog.ShowMargins();
  EXPECT_EQ(F.Dialog.edTop->text().toInt(), Dragged[1]);
}

TEST(PrintPreview, LeavesTheGraphAsItWasAndSurvivesAPanelWithoutRoom) {
  TPrintFixture F;
  F.Dialog.Load(F.Plot, &F.Preview);
  F.Preview.Prepare(F.Plot, &F.Dialog);
  TGraph& G = F.Graph();
  const TRect Image = G.ImageRect;
  TCanvas* Canvas = G.DrawCanvas();
  G.OnAfterDraw = [](TGraph*) { throw std::runtime_error("drawing failed"); };
  F.Preview.Panel->resize(0, 0);
  F.Preview.LayoutPage();
  EXPECT_GT(F.Preview.PreviewScale, 0);
  EXPECT_GE(F.Preview.Page.Width(), 1);
  F.Preview.Panel->resize(300, 400);
  F.Preview.LayoutPage();
  EXPECT_THROW(F.Preview.DrawPage(), std::runtime_error);
  EXPECT_FALSE(G.Device().Printing);
  EXPECT_EQ(G.ImageRect, Image);
  EXPECT_EQ(G.DrawCanvas(), Canvas);
  G.OnAfterDraw = nullptr;
}

TEST(PrintDialog, LogoEditorSavesWhatWasEditedWhenAsked) {
  TPrintFixture F;
  F.Dialog.Load(F.Plot, &F.Preview);
  ASSERT_EQ(F.Dialog.cbLogoType->currentIndex(), 0);
  F.Dialog.Memo->setPlainText(QStringLiteral("ACME\nSecond line"));
  F.Dialog.cbJustify->setCurrentIndex(2);
  EXPECT_TRUE(F.Dialog.LogoChanged);
  // Changing the block asks first; Yes writes the edited one.
  F.Script.Answer(mrYes);
  F.Dialog.cbLogoType->setCurrentIndex(1);
  EXPECT_EQ(F.Script.Messages(), QStringList{"New Logo not saved!\rSave?"});
  EXPECT_FALSE(F.Dialog.LogoChanged);
  EXPECT_EQ(F.Dialog.Logo->Section, ProjectLogoSection);
  TPrintLogo Saved(F.Plot->GetIniFileName(), QString(), OwnerLogoSection);
  EXPECT_EQ(Saved.Lines, (QStringList{"ACME", "Second line"}));
  EXPECT_EQ(Saved.Justify, 2);
  // The description's alignment is kept at once.
  F.Dialog.cbAlignComment->setCurrentIndex(1);
  EXPECT_EQ(
      TPrintLogo::CreateComment(F.Plot->GetIniFileName(), {}, F.Plot->GetIniFileName())->Justify,
      1);
  // A file that cannot be written is reported and the edit stays unsaved.
  F.Dialog.Memo->setPlainText(QStringLiteral("Zeta"));
  const QString Nowhere = F.Dir.filePath("no/such/dir/logo.ini");
  F.Dialog.Logo->FileName = Nowhere;
  F.Dialog.SaveLogoClick();
  EXPECT_TRUE(F.Dialog.LogoChanged);
  const QString Why = "The file " + Nowhere + " could not be written: No such file or directory";
  EXPECT_EQ(F.Script.Messages().last(), Why);
  // So are the margins, each box naming the file once.
  const QString Ini = F.Plot->GetIniFileName();
  F.Plot->SetIniFileName(Nowhere);
  F.Dialog.DefaultMargins("Write");
  EXPECT_EQ(F.Script.Messages().last(), Why);
  F.Plot->SetIniFileName(Ini);

  // A picture that cannot be read gives one box, browsed for or named in the settings file.
  const QString Fifo = F.Dir.filePath("fifo");
  ASSERT_EQ(::mkfifo(QFile::encodeName(Fifo).constData(), 0600), 0);
  F.Dialog.BrowseImage(Fifo);
  const QString Browsed = "Cannot load the picture " + Fifo + ": it is not a regular file";
  EXPECT_EQ(F.Script.Messages().last(), Browsed);
  TIniFile Settings(F.Plot->GetIniFileName());
  Settings.WriteString("Project LOGO", "LogoImage", Fifo);
  ASSERT_TRUE(Settings.UpdateFile());
  F.Dialog.LogoChanged = false;
  F.Dialog.LogoTypeChange();
  EXPECT_EQ(F.Script.Messages().size(), 5);
  EXPECT_EQ(F.Script.Messages().last(), Browsed);
}

// A file that is no picture, browsed for over a logo's picture, keeps the picture and its name,
// and leaves nothing to save.
TEST(PrintDialog, AFailedBrowseKeepsTheLogosPicture) {
  TPrintFixture F;
  F.Dialog.Load(F.Plot, &F.Preview);
  const QString Picture = F.Dir.filePath("pic one.bmp"), Fake = F.Dir.filePath("fake.bmp");
  ASSERT_TRUE(TBitmap(8, 4).SaveToFile(Picture).Ok());
  QFile Text(Fake);
  ASSERT_TRUE(Text.open(QIODevice::WriteOnly) && Text.write("not a picture\n") > 0);
  Text.close();
  F.Script.AnswerFile(Picture);
  F.Dialog.Button2->click();
  F.Dialog.SaveLogoClick();
  ASSERT_FALSE(F.Dialog.LogoChanged);
  F.Script.AnswerFile(Fake);
  F.Dialog.Button2->click();
  ASSERT_EQ(F.Script.Messages().size(), 1);
  EXPECT_TRUE(F.Script.Messages()[0].startsWith("Cannot load the picture " + Fake));
  EXPECT_EQ(F.Dialog.Logo->LogoImage, Picture);
  EXPECT_EQ(F.Dialog.Logo->Bitmap.Width(), 8);
  EXPECT_EQ(F.Dialog.txtBMPFileName->text(), Picture);
  EXPECT_FALSE(F.Dialog.LogoChanged);
  // Another block and back: no question, and the file still names the picture.
  F.Dialog.cbLogoType->setCurrentIndex(1);
  F.Dialog.cbLogoType->setCurrentIndex(0);
  EXPECT_EQ(F.Script.Messages().size(), 1);
  EXPECT_EQ(F.Dialog.Logo->LogoImage, Picture);
  EXPECT_EQ(F.Dialog.Logo->Bitmap.Width(), 8);
}

TEST(PrintLogo, ImageScalesByPowersOfTwoInItsCell) {
  TPlotFixture F;
  TPrintLogo L(F.Dir.filePath("none.ini"), QString(), OwnerLogoSection);
  L.Lines = {QStringLiteral("Text")};
  L.Bitmap.SetSize(20, 10);
  TRecordingTarget T(400, 200);
  TCanvas C(&T);
  L.Canvas = &C;
  L.Rect = {10, 10, 310, 60};
  L.Draw();
  // Block height 50: the scale doubles to 8 (80 high) and halves back to 4 (40 high); the cell is
  // 20 * 50 / 10 = 100 wide and the text starts right of it.
  TRect Image;
  int TextX = -1;
  for (const TCanvasOp& Op : T.Ops()) {
    if (Op.Kind == coImage) Image = Op.Rect;
    if (Op.Kind == coText) TextX = Op.Points[0].X;
  }
  EXPECT_EQ(Image, (TRect{20, 15, 100, 55}));
  EXPECT_EQ(TextX, 112);
}

TEST(PrintDialog, ThePlotsPrintCommandOpensItAndCancelLeavesTheMargins) {
  TPrintFixture F;
  const std::array<int, 4> Before = PrintMargins;
  QString Shown;
  QTimer::singleShot(0, [&] {
    if (auto* D = qobject_cast<TPrintDlg*>(QApplication::activeModalWidget())) {
      Shown = D->windowTitle();
      D->edLeft->setText(QStringLiteral("40"));
      D->bbCancel->click();
    }
  });
  const int Paints = F.Paints;
  F.Plot->Print();
  EXPECT_EQ(Shown, QStringLiteral("Print"));
  EXPECT_EQ(TIniFile(F.Plot->GetIniFileName()).ReadInteger("Print", "Left", Before[0]), Before[0]);
  EXPECT_GT(F.Paints, Paints);
  EXPECT_FALSE(QFileInfo::exists(F.Pdf));
}
