// The backing-image control and the printer page target.
#include <gtest/gtest.h>

#include <QFile>
#include <QPdfWriter>
#include <QTemporaryDir>

#include "gfx_test_support.h"
#include "platform/backing_control.h"
#include "platform/canvas_targets.h"

namespace {

class TCross : public TBackingControl {
 public:
  int Paints = 0;

 protected:
  void PaintBacking(TCanvas& C) override {
    ++Paints;
    TBackingControl::PaintBacking(C);
    C.Pen()->SetColor(clRed);
    C.MoveTo(0, 0);
    C.LineTo(width(), height());
  }
};

}  // namespace

TEST(BackingControl, PaintsIntoItsImageAndDragOutlinesUndoThemselves) {
  EnsureGuiApp();
  TCross W;
  W.resize(60, 40);
  W.Redraw();
  EXPECT_EQ(W.Paints, 1);
  ASSERT_EQ(W.Backing()->Width(), 60);
  EXPECT_EQ(W.Canvas()->Pixels(30, 20), clRed);
  EXPECT_EQ(W.Canvas()->Pixels(59, 0), clSilver);  // the button face of the fixed table

  // What reaches the screen is exactly the backing image.
  const QImage Shown = W.grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(Shown, W.Backing()->Image());
  EXPECT_EQ(W.Paints, 1);

  const QImage Before = W.Backing()->Image();
  W.DrawDragOutline(Rect(5, 5, 50, 30));
  EXPECT_NE(W.Backing()->Image(), Before);
  EXPECT_EQ(W.Canvas()->Pen()->Mode(), pmCopy);  // canvas state is put back
  W.DrawDragOutline(Rect(5, 5, 50, 30));
  EXPECT_EQ(W.Backing()->Image(), Before);

  W.SetColor(clWhite);
  EXPECT_EQ(W.Paints, 2);
  EXPECT_EQ(W.Canvas()->Pixels(59, 0), clWhite);
}

TEST(PrinterTarget, DrawsPagesAtTheDeviceResolution) {
  EnsureGuiApp();
  QTemporaryDir Dir;
  ASSERT_TRUE(Dir.isValid());
  const QString Name = Dir.filePath("page.pdf");
  {
    QPdfWriter Writer(Name);
    Writer.setResolution(300);
    TPrinterTarget Page(&Writer);
    TCanvas C(&Page);
    EXPECT_EQ(C.TargetKind(), tkPrinter);
    EXPECT_EQ(C.PixelsPerInchY(), 300);
    EXPECT_EQ(C.Font()->PixelsPerInch(), 300);
    C.Font()->SetName("Arial");
    C.Font()->SetSize(10);
    EXPECT_EQ(C.Font()->Height(), -42);
    const int Wide = C.TextWidth("Printed text");
    EXPECT_GT(Wide, 150);        // about three times the width on a 96 dpi image
    C.Pen()->SetMode(pmNotXor);  // drawn as copy on paper
    C.Rectangle(100, 100, 1000, 600);
    C.TextOut(120, 120, "Printed text");
    EXPECT_TRUE(Page.NewPage());
    C.Ellipse(100, 100, 600, 600);
    Page.EndDoc();
    EXPECT_FALSE(Page.Printing());
  }
  QFile F(Name);
  ASSERT_TRUE(F.open(QIODevice::ReadOnly));
  EXPECT_TRUE(F.read(5).startsWith("%PDF"));
}
