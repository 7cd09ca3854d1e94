// The chart print preview: the sheet and the chart on it, margins typed and dragged, orientation
// and proportional margins, and the page printed to a PDF file.
#include <QApplication>
#include <QCheckBox>
#include <QMouseEvent>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "chart/editors/chart_preview.h"
#include "chart/engine/chart_panel.h"
#include "editor_test_support.h"
#include "platform/controls.h"
#include "platform/printer.h"
#include "tests/support/image_bounds.h"

namespace {
void Mouse(QWidget* W, QEvent::Type Type, const TPoint& P) {
  const QPointF At(P.X, P.Y);
  QMouseEvent E(Type, At, W->mapToGlobal(At),
                Type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                Type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(W, &E);
}

// Through the point halfway, unless Direct.
void Drag(QWidget* W, const TPoint& From, const TPoint& To, bool Direct = false) {
  Mouse(W, QEvent::MouseButtonPress, From);
  if (!Direct) Mouse(W, QEvent::MouseMove, {(From.X + To.X) / 2, (From.Y + To.Y) / 2});
  Mouse(W, QEvent::MouseMove, To);
  Mouse(W, QEvent::MouseButtonRelease, To);
}

QString Tool(const char* Name) { return QStandardPaths::findExecutable(QLatin1String(Name)); }

// The height of the red title's ink over the height of the chart on the sheet.
double TitleShare(TChartPreviewPage& Page) {
  Page.Redraw();
  const QRect Red = RedBounds(Page.Backing()->Image());
  return Red.isNull() ? 0 : double(Red.height()) / Page.ChartRect().Height();
}
}  // namespace

TEST_F(ChartEditorTest, PreviewTextKeepsThePagesProportionAtEveryScaleAndDetail) {
  Chart->Title()->SetText({QStringLiteral("Title")});
  Chart->Title()->Font()->SetColor(clRed);
  Chart->Title()->Font()->SetSize(20);
  TChartPreviewPage Page;
  Page.resize(500, 400);
  Page.SetImage(Chart.get());
  // At one pixel per point the sheet draws as the printer does; at two, the same proportion.
  Page.SetPixelRatioOverride(1);
  const double One = TitleShare(Page);
  ASSERT_GT(One, 0.02);
  Page.SetPixelRatioOverride(2);
  EXPECT_NEAR(TitleShare(Page), One, One * 0.2);
  // More detail draws the chart larger under the same rectangle: the title takes less of it,
  // as a bitmap too, which is drawn at the print extents.
  Chart->SetPrintResolution(-100);
  const double Fine = TitleShare(Page);
  EXPECT_LT(Fine, One * 0.7);
  Page.AsBitmap = true;
  EXPECT_NEAR(TitleShare(Page), Fine, Fine * 0.25);
  Page.SetPixelRatioOverride(1);
  EXPECT_NEAR(TitleShare(Page), Fine, Fine * 0.25);
}

TEST_F(ChartEditorTest, PreviewSheetHoldsTheChartAtItsMargins) {
  TChartPreviewPage Page;
  Page.resize(400, 300);
  Page.SetImage(Chart.get());
  Chart->SetPrintProportional(false);
  Chart->SetPrintMargins(10, 20, 30, 40);
  // A tall page stands in the middle; a wide one fills the width.
  Page.SetPageSize(2100, 2970);
  EXPECT_EQ(Page.PaperRect(), (TRect{104, 15, 295, 285}));
  EXPECT_EQ(Page.ChartRect(), (TRect{104 + 19, 15 + 54, 295 - 57, 285 - 108}));
  Page.SetPageSize(2970, 2100);
  EXPECT_EQ(Page.PaperRect(), (TRect{20, 22, 380, 277}));
  // Zones by the distance to the chart's edges; inside, the frame moves.
  const TRect R = Page.ChartRect();
  EXPECT_EQ(Page.ZoneAt({R.Left + 2, R.Top - 3}), 6);
  EXPECT_EQ(Page.ZoneAt({R.Right + 4, R.Bottom}), 9);
  EXPECT_EQ(Page.ZoneAt({R.Left, (R.Top + R.Bottom) / 2}), 1);
  EXPECT_EQ(Page.ZoneAt({(R.Left + R.Right) / 2, R.Bottom - 4}), 4);
  EXPECT_EQ(Page.ZoneAt({(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2}), 5);
  EXPECT_EQ(Page.ZoneAt({1, 1}), 0);
  Page.AllowResize = false;
  EXPECT_EQ(Page.ZoneAt({R.Left + 5, R.Top + 5}), 5);
  Page.AllowResize = true;

  // The sheet: paper with its outline and shadow, the chart drawn inside the margin lines only.
  Page.Redraw();
  const QImage I = Page.Backing()->Image().convertToFormat(QImage::Format_RGB32);
  const QRgb Black = qRgb(0, 0, 0), White = qRgb(255, 255, 255);
  const TRect P = Page.PaperRect();
  EXPECT_EQ(I.pixel(P.Left, (P.Top + P.Bottom) / 2), Black);
  EXPECT_EQ(I.pixel(P.Right + 2, P.Bottom + 2), Black);
  EXPECT_EQ(I.pixel(P.Left + 2, P.Bottom + 2), ToQColor(clBtnFace).rgb());
  int Outside = 0, Inside = 0;
  for (int y = P.Top + 1; y < P.Bottom - 1; ++y)
    for (int x = P.Left + 1; x < P.Right - 1; ++x) {
      const bool In = x >= R.Left && x < R.Right && y >= R.Top && y < R.Bottom;
      const bool OnLine = x == R.Left || x == R.Right || y == R.Top || y == R.Bottom;
      if (I.pixel(x, y) != White && !OnLine) ++(In ? Inside : Outside);
    }
  EXPECT_EQ(Outside, 0);
  EXPECT_GT(Inside, R.Width() * R.Height() / 20);

  // Sizes of nothing keep a pixel: no page, a page on no space, margins that meet.
  Page.SetPageSize(0, 0);
  EXPECT_FALSE(Page.PaperRect().IsEmpty());
  Chart->SetPrintMargins(70, 60, 70, 60);
  EXPECT_FALSE(Page.ChartRect().IsEmpty());
  Page.resize(0, 0);
  EXPECT_FALSE(Page.PaperRect().IsEmpty());
  EXPECT_FALSE(Page.ChartRect().IsEmpty());
}

TEST_F(ChartEditorTest, PreviewMarginsTypedDraggedAndProportional) {
  AddLine(QStringLiteral("One"), clRed);
  Chart->SetPrintProportional(true);
  Then([&](TForm& Form) {
    auto& F = dynamic_cast<TChartPreview&>(Form);
    EXPECT_EQ(F.windowTitle(), u"RodIvaze Print Preview");
    TChartPreviewPage* Page = F.ChartPreviewPage;
    Page->resize(500, 400);
    EXPECT_TRUE(F.CBProp->isChecked());
    EXPECT_EQ(F.Orientation->ItemIndex(), 1);
    EXPECT_GT(Page->PaperRect().Width(), Page->PaperRect().Height());
    // Proportional margins shown in the edits.
    const TRect Wide = Chart->PrintMarginsRect();
    EXPECT_EQ(F.SELeft->IntValue(), Wide.Left);
    EXPECT_FALSE(F.BReset->isEnabled());

    // Portrait: a tall sheet and margins made for it.
    F.Orientation->SetItemIndex(0);
    EXPECT_LT(Page->PaperRect().Width(), Page->PaperRect().Height());
    EXPECT_NE(Chart->PrintMarginsRect(), Wide);
    F.Orientation->SetItemIndex(1);
    EXPECT_EQ(Chart->PrintMarginsRect(), Wide);

    // A margin that would meet its opposite is refused; others are taken.
    F.CBProp->setChecked(false);
    Type(F.SERight, QStringLiteral("40"));
    Type(F.SELeft, QStringLiteral("60"));
    EXPECT_EQ(F.SELeft->text(), QString::number(Wide.Left));
    EXPECT_EQ(Chart->PrintMarginsRect().Left, Wide.Left);
    EXPECT_EQ(Dialogs.Messages(),
              QStringList{QStringLiteral("Left and Right Margins together must be below 100%")});
    Type(F.SELeft, QStringLiteral("55"));
    EXPECT_EQ(Chart->PrintMarginsRect(), (TRect{55, Wide.Top, 40, Wide.Bottom}));
    EXPECT_TRUE(F.BReset->isEnabled());
    F.BReset->click();
    EXPECT_EQ(Chart->PrintMarginsRect(), Wide);

    // Dragging an edge switches proportional off and the edits follow.
    F.CBProp->setChecked(true);
    TRect R = Page->ChartRect();
    const TRect S = Page->PaperRect();
    Drag(Page, {R.Left, (R.Top + R.Bottom) / 2}, {S.Left + S.Width() / 10, (R.Top + R.Bottom) / 2});
    EXPECT_FALSE(F.CBProp->isChecked());
    EXPECT_FALSE(Chart->PrintProportional());
    EXPECT_EQ(Chart->PrintMarginsRect().Left, 10);
    EXPECT_EQ(F.SELeft->IntValue(), 10);
    // Past the opposite edge the edge stops before it.
    R = Page->ChartRect();
    Drag(Page, {R.Left, (R.Top + R.Bottom) / 2}, {R.Right + 30, (R.Top + R.Bottom) / 2});
    EXPECT_LT(Page->ChartRect().Left, Page->ChartRect().Right);
    EXPECT_LT(Chart->PrintMarginsRect().Left + Chart->PrintMarginsRect().Right, 100);
    // A move that would leave the sheet does not move the frame; one that stays on it does.
    F.BReset->click();
    R = Page->ChartRect();
    const TPoint Mid{(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2};
    Drag(Page, Mid, {Mid.X - (R.Left - S.Left) - 5, Mid.Y}, true);
    EXPECT_EQ(Page->ChartRect(), R);
    Drag(Page, Mid, {Mid.X - 10, Mid.Y + 4});
    // Margins are whole percentages: the frame lands within one percent of the sheet.
    EXPECT_NEAR(Page->ChartRect().Left, R.Left - 10, S.Width() / 100 + 1);
    F.BClose->click();
  });
  ChartPreview(nullptr, *Chart);
}

TEST_F(ChartEditorTest, PreviewPrintsTheChartInsideTheDraggedMargins) {
  const QString Pdftoppm = Tool("pdftoppm"), Pdfinfo = Tool("pdfinfo");
  ASSERT_FALSE(Pdftoppm.isEmpty() || Pdfinfo.isEmpty()) << "poppler-utils is not installed";
  // The panel's red background marks where the chart lands on the page.
  Chart->SetColor(clRed);
  const bool OldBackground = ChartPrintPanelBackground;
  ChartPrintPanelBackground = true;
  Chart->SetPrintProportional(false);
  Chart->SetPrintMargins(15, 15, 15, 15);
  QTemporaryDir Dir;
  const QString Pdf = Dir.filePath(QStringLiteral("chart.pdf"));
  const QString Bitmap = Dir.filePath(QStringLiteral("bitmap.pdf"));
  Then([&](TForm& Form) {
    auto& F = dynamic_cast<TChartPreview&>(Form);
    TChartPreviewPage* Page = F.ChartPreviewPage;
    Page->resize(500, 400);
    // The top-left corner is dragged to 30 % and 20 % of the sheet.
    const TRect S = Page->PaperRect(), R = Page->ChartRect();
    Drag(Page, {R.Left, R.Top},
         {S.Left + S.Width() * 30 / 100 + 1, S.Top + S.Height() * 20 / 100 + 1});
    EXPECT_EQ(Chart->PrintMarginsRect(), (TRect{30, 20, 15, 15}));
    SetPrinterPdfOutput(Pdf);
    F.BPrint->click();
    F.ChartPreviewPage->AsBitmap = true;
    SetPrinterPdfOutput(Bitmap);
    F.BPrint->click();
    SetPrinterPdfOutput(QString());
    F.BClose->click();
  });
  ChartPreview(nullptr, *Chart);
  ChartPrintPanelBackground = OldBackground;
  EXPECT_TRUE(Dialogs.Messages().isEmpty()) << Dialogs.Messages().join('\n').toStdString();

  // Drawn directly, then as a bitmap stretched onto the same rectangle: the same place.
  for (const QString& File : {Pdf, Bitmap}) {
    SCOPED_TRACE(File.toStdString());
    QProcess Info;
    Info.start(Pdfinfo, {File});
    ASSERT_TRUE(Info.waitForFinished(60000));
    const QString Out = QString::fromUtf8(Info.readAllStandardOutput());
    EXPECT_TRUE(Out.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))))
        << Out.toStdString();
    const QString Prefix = File + QStringLiteral(".page");
    ASSERT_EQ(QProcess::execute(Pdftoppm, {"-r", "30", "-png", "-singlefile", File, Prefix}), 0);
    const QImage Img(Prefix + QStringLiteral(".png"));
    ASSERT_FALSE(Img.isNull());
    EXPECT_GT(Img.width(), Img.height());  // landscape, as the preview set it
    const QRect Red = RedBounds(Img);
    ASSERT_FALSE(Red.isNull()) << "no chart on the page";
    // Within the printable area, which lies inside the paper by at most a few pixels here.
    const double W = Img.width(), H = Img.height();
    EXPECT_NEAR(Red.left() / W, 0.30, 0.03);
    EXPECT_NEAR(Red.right() / W, 0.85, 0.03);
    EXPECT_NEAR(Red.top() / H, 0.20, 0.03);
    EXPECT_NEAR(Red.bottom() / H, 0.85, 0.03);
  }
}
