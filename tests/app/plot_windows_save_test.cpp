// Save As of the curve, contour, surface and polar windows through the Qt file dialog itself:
// every file type offered there writes its own format, which the independent readers read.
#include <QApplication>
#include <QFile>
#include <QImage>

#include "app/graphics/fm_contour_plot.h"
#include "app/graphics/fm_plot2d.h"
#include "app/graphics/fm_surface_chart.h"
#include "app/graphics/polar_form.h"
#include "chart/engine/chart.h"
#include "platform/controls.h"
#include "plot/ui/plot.h"
#include "tests/app/chart_windows_support.h"
#include "tests/support/file_dialog_driver.h"

namespace {

class PlotWindowsSaveTest : public ChartWindowTest {
 protected:
  void SetUp() override {
    ChartWindowTest::SetUp();
    // The Qt service, not the script: the filter comes back as the dialog hands it over.
    SetDialogService(nullptr);
  }

  // Saves through the dialog with file type Index (1 bitmap, 2 metafile, 3 enhanced metafile)
  // under a name typed without extension, and checks what was written.
  void SaveAndRead(const std::function<void()>& Click, const QString& Stem, int Index) {
    static const char* const Extensions[] = {"BMP", "WMF", "EMF"};
    SCOPED_TRACE(Stem.toStdString() + " type " + std::to_string(Index));
    const QString Typed = Path(Stem + QString::number(Index));
    TFileDialogDriver Driver(Index, Typed);
    Click();
    ASSERT_TRUE(Driver.Answered());
    EXPECT_EQ(Driver.Offered().size(), 3);
    EXPECT_TRUE(Driver.Messages().isEmpty()) << Driver.Messages().join(u'\n').toStdString();
    const QString File = Typed + u'.' + QLatin1String(Extensions[Index - 1]);
    QFile F(File);
    ASSERT_TRUE(F.open(QIODevice::ReadOnly)) << File.toStdString();
    const QByteArray Head = F.read(44);
    switch (Index) {
      case 1:
        EXPECT_TRUE(Head.startsWith("BM"));
        EXPECT_FALSE(QImage(File, "BMP").isNull());
        break;
      case 2:
        EXPECT_TRUE(Head.startsWith("\xD7\xCD\xC6\x9A"));  // the placeable header's key
        EXPECT_FALSE(SvgTexts(MetafileToSvg(false, File)).isEmpty());
        break;
      default:
        EXPECT_EQ(Head.mid(40, 4), QByteArray(" EMF"));
        EXPECT_FALSE(SvgTexts(MetafileToSvg(true, File)).isEmpty());
        break;
    }
  }
};

TEST_F(PlotWindowsSaveTest, EveryTypeOfEveryWindowWritesItsOwnFormat) {
  auto Plot2D = std::make_unique<TfmPlot2D>();
  Plot2D->DoCreate();
  auto Contour = std::make_unique<TfmContourPlot>();
  Contour->DoCreate();
  std::unique_ptr<TfmSurfaceChart> Surface(CreateForm<TfmSurfaceChart>());
  std::unique_ptr<TPolarForm> Polar(CreateForm<TPolarForm>());
  for (QWidget* W :
       std::initializer_list<QWidget*>{Plot2D.get(), Contour.get(), Surface.get(), Polar.get()}) {
    W->resize(500, 400);
    W->show();
  }
  // Narrower than its row of buttons (and than the screen's 800 pixels), the window wraps
  // the row: every button keeps the width of its caption.
  QApplication::processEvents();
  for (const TSpeedButton* B : Contour->Panel2->findChildren<TSpeedButton*>())
    EXPECT_GE(B->width(), B->sizeHint().width()) << B->text().toStdString();
  for (int Index = 1; Index <= 3; ++Index) {
    SaveAndRead([&] { Plot2D->sbSaveAs->click(); }, QStringLiteral("curve"), Index);
    SaveAndRead([&] { Contour->sbSaveAs->click(); }, QStringLiteral("contour"), Index);
    SaveAndRead([&] { Surface->sbSaveAs->click(); }, QStringLiteral("surface"), Index);
    SaveAndRead([&] { Polar->sbSaveAs->click(); }, QStringLiteral("polar"), Index);
  }
}

}  // namespace
