// The recording target: every primitive arrives with the pen, brush, font, alignment, back
// mode and clip it was drawn with.
#include <gtest/gtest.h>

#include "gfx_test_support.h"
#include "platform/canvas_targets.h"

TEST(CanvasRecording, StateIsCarriedIntoEachPrimitive) {
  EnsureGuiApp();
  TRecordingTarget Log;
  TCanvas C(&Log);
  EXPECT_EQ(C.TargetKind(), tkRecording);

  C.Pen()->SetColor(clRed);
  C.Pen()->SetWidth(2);
  C.Pen()->SetStyle(psDash);
  C.MoveTo(1, 2);
  C.LineTo(30, 40);
  C.Pen()->SetMode(pmNotXor);
  C.Brush()->SetStyle(bsClear);
  C.Rectangle(10, 10, 5, 5);  // corners in any order
  C.Font()->SetName("Times New Roman");
  C.Font()->SetSize(12);
  C.Font()->SetStyle({fsBold});
  C.SetTextAlign(TA_CENTER | TA_BASELINE);
  C.TextOut(50, 60, "abc");
  C.TextOut(70, 80, "def");

  const auto& Ops = Log.Ops();
  ASSERT_EQ(Ops.size(), 4u);
  EXPECT_EQ(Ops[0].Kind, coLine);
  EXPECT_EQ(Ops[0].Points, (std::vector<TPoint>{{1, 2}, {30, 40}}));
  EXPECT_EQ(Ops[0].State.Pen, (TPenData{clRed, 2, psDash, pmCopy}));
  EXPECT_EQ(Ops[0].State.Brush.Style, bsSolid);
  EXPECT_EQ(Ops[1].Kind, coRectangle);
  EXPECT_EQ(Ops[1].Rect, Rect(5, 5, 10, 10));
  EXPECT_EQ(Ops[1].State.Pen.Mode, pmNotXor);
  EXPECT_EQ(Ops[1].State.Brush.Style, bsClear);
  for (int I : {2, 3}) {
    EXPECT_EQ(Ops[I].Kind, coText);
    EXPECT_EQ(Ops[I].State.TextAlign, TA_CENTER | TA_BASELINE);
    EXPECT_EQ(Ops[I].State.Font.Name, "Times New Roman");
    EXPECT_EQ(Ops[I].State.Font.Height, -16);
    EXPECT_TRUE(Ops[I].State.Font.Style.Contains(fsBold));
    EXPECT_EQ(Ops[I].State.BackMode, bmTransparent);
  }
  EXPECT_EQ(Ops[2].Points[0], Point(50, 60));
  EXPECT_EQ(Ops[3].Text, "def");
  EXPECT_FALSE(Ops[3].State.Clipped);

  C.IntersectClipRect(Rect(0, 0, 20, 20));
  C.Pen()->SetData(TPenData{});
  C.Ellipse(1, 1, 30, 30);
  ASSERT_EQ(Log.Ops().size(), 5u);
  EXPECT_TRUE(Log.Ops()[4].State.Clipped);
  EXPECT_EQ(Log.Ops()[4].State.Clip, QRegion(0, 0, 20, 20));
}

TEST(CanvasRecording, BackModeFollowsTheBrushUntilSetDirectly) {
  EnsureGuiApp();
  TRecordingTarget Log;
  TCanvas C(&Log);
  EXPECT_EQ(C.BackMode(), bmOpaque);
  EXPECT_EQ(C.BackColor(), clWhite);

  // A colour given to a clear brush makes it solid again.
  C.Brush()->SetStyle(bsClear);
  EXPECT_EQ(C.BackMode(), bmTransparent);
  C.Brush()->SetColor(clYellow);
  EXPECT_EQ(C.Brush()->Style(), bsSolid);
  EXPECT_EQ(C.BackMode(), bmOpaque);
  EXPECT_EQ(C.BackColor(), clYellow);

  // A hatch over an explicit back colour: the setters hold until the brush changes.
  C.Brush()->SetStyle(bsCross);
  C.SetBackColor(clBlue);
  C.FillRect(Rect(0, 0, 4, 4));
  EXPECT_EQ(Log.Ops().back().State.BackColor, clBlue);
  EXPECT_EQ(Log.Ops().back().State.BackMode, bmOpaque);
  C.SetBackMode(bmTransparent);
  C.TextOut(0, 0, "x");
  EXPECT_EQ(Log.Ops().back().State.BackMode, bmTransparent);
  C.Brush()->SetColor(clGreen);
  EXPECT_EQ(C.BackMode(), bmOpaque);
  EXPECT_EQ(C.BackColor(), clGreen);

  // TextRect fills its rectangle only with a visible brush.
  C.TextRect(Rect(0, 0, 10, 10), 1, 1, "a");
  EXPECT_EQ(Log.Ops().back().TextOptions, ETO_CLIPPED | ETO_OPAQUE);
  C.Brush()->SetStyle(bsClear);
  C.TextRect(Rect(0, 0, 10, 10), 1, 1, "a");
  EXPECT_EQ(Log.Ops().back().TextOptions, ETO_CLIPPED);
}

TEST(CanvasRecording, TextMeasuresLikeAnImageAndDrawingPicturesRecordsThem) {
  EnsureGuiApp();
  TRecordingTarget Log;
  TCanvas C(&Log);
  TBitmap B;
  WhiteBitmap(B, 10, 10);
  for (TCanvas* X : {&C, B.Canvas()}) {
    X->Font()->SetName("Arial");
    X->Font()->SetSize(10);
  }
  EXPECT_EQ(C.TextWidth("Measure me"), B.Canvas()->TextWidth("Measure me"));
  EXPECT_EQ(C.TextHeight("Measure me"), B.Canvas()->TextHeight("Measure me"));

  C.Draw(3, 4, &B);
  C.StretchDraw(Rect(0, 0, 40, 20), &B);
  C.SetPixels(1, 1, clRed);
  ASSERT_EQ(Log.Ops().size(), 3u);
  EXPECT_EQ(Log.Ops()[0].Kind, coImage);
  EXPECT_EQ(Log.Ops()[0].Rect, Rect(3, 4, 13, 14));
  EXPECT_EQ(Log.Ops()[1].Rect, Rect(0, 0, 40, 20));
  EXPECT_EQ(Log.Ops()[2].Color, clRed);
  EXPECT_EQ(C.Pixels(1, 1), clNone);  // nothing to read back from a log
}

TEST(CanvasRecording, MappingScalesLogicalCoordinatesPensAndFonts) {
  EnsureGuiApp();
  TRecordingTarget Log(1000, 1000);
  TCanvas C(&Log);
  C.SetMapping(TCanvasMapping{{0, 0}, {100, 100}, {10, 20}, {300, 200}});
  ASSERT_TRUE(C.Mapped());
  C.Pen()->SetWidth(2);
  C.Font()->SetHeight(-10);
  C.Rectangle(0, 0, 50, 50);
  C.MoveTo(10, 10);
  C.LineTo(20, 10);
  EXPECT_EQ(C.PenPos(), Point(20, 10));
  C.TextOut(5, 5, "x");
  ASSERT_EQ(Log.Ops().size(), 3u);
  EXPECT_EQ(Log.Ops()[0].Rect, Rect(10, 20, 160, 120));
  EXPECT_EQ(Log.Ops()[0].State.Pen.Width, 6);
  EXPECT_EQ(Log.Ops()[1].Points, (std::vector<TPoint>{{40, 40}, {70, 40}}));
  EXPECT_EQ(Log.Ops()[2].State.Font.Height, -20);
  EXPECT_EQ(Log.Ops()[2].Points[0], Point(25, 30));

  C.IntersectClipRect(Rect(0, 0, 100, 100));
  EXPECT_EQ(C.ClipRegion(), QRegion(10, 20, 300, 200));
  EXPECT_EQ(C.ClipRect(), Rect(0, 0, 100, 100));

  // A mapping with a zero extent is refused; resetting returns to device units.
  C.ResetMapping();
  C.SetMapping(TCanvasMapping{{0, 0}, {0, 100}, {0, 0}, {300, 200}});
  EXPECT_FALSE(C.Mapped());
  C.Pen()->SetWidth(0);  // the thinnest line whatever the mapping
  C.SetMapping(TCanvasMapping{{0, 0}, {1, 1}, {0, 0}, {5, 5}});
  C.LineTo(30, 10);
  EXPECT_EQ(Log.Ops().back().State.Pen.Width, 0);
}

TEST(CanvasRecording, AMetafileWriterPlugsInThroughTheSinkInterface) {
  EnsureGuiApp();
  class TCountingSink : public TMetafileSink {
   public:
    int Primitives = 0;
    bool Finished = false;
    void Execute(const TCanvasOp&) override { ++Primitives; }
    TRect DeviceRect() const override { return {0, 0, 100, 100}; }
    TFileStatus Finish() override {
      Finished = true;
      return {};
    }
  };
  TCountingSink Sink;
  TCanvas C(&Sink);
  EXPECT_EQ(C.TargetKind(), tkMetafile);
  C.Ellipse(0, 0, 10, 10);
  C.TextOut(1, 1, "m");
  EXPECT_EQ(Sink.Primitives, 2);
  EXPECT_GT(C.TextWidth("m"), 0);
  EXPECT_TRUE(Sink.Finish());
  EXPECT_TRUE(Sink.Finished);
}
