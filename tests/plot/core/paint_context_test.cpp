// One picture painted through a paint context per device: the image, the recording log, a PDF
// page, a metafile and a DXF drawing show the same lines; black-only printing; and paints onto
// different devices that interleave keep to their own devices.
#include <gtest/gtest.h>

#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cmath>

#include "platform/canvas.h"
#include "platform/canvas_targets.h"
#include "platform/metafile_writer.h"
#include "plot/core/graph.h"
#include "plot/core/graph_dxf.h"
#include "plot/core/graph_pens.h"
#include "print_qstring.h"
#include "test_layers.h"
#include "tests/support/metafile_svg.h"

namespace {

constexpr int W = 400, H = 300;

// Draws its points as lines in its colour through the graph's pen, as the series do.
class TPenLayer : public TTestLayer {
 public:
  using TTestLayer::TTestLayer;
  void Draw() override {
    TWPen Pen(Graph);
    Pen.SetColor(GetColor());
    for (size_t I = 1; I < Points.size(); ++I)
      Graph->Line(Points[I - 1].X, Points[I - 1].Y, Points[I].X, Points[I].Y);
  }
};

// A graph of 400 x 300 on an image, with an L of red lines from (2, 2) over (8, 2) to (8, 8).
struct TScene {
  QImage Image{W, H, QImage::Format_RGB32};
  TImageTarget Target{&Image};
  TCanvas Canvas{&Target};
  TGraph Graph{&Canvas, W, H};
  explicit TScene(TColor Color = clRed) {
    Image.fill(Qt::black);
    auto L = std::make_unique<TPenLayer>(&Graph);
    L->Points = {{2, 2}, {8, 2}, {8, 8}};
    L->Color = Color;
    L->Name = QStringLiteral("the L");
    Graph.AddLayer(std::move(L));
  }
  const QImage& Done() {
    Target.Release();
    return Image;
  }
  // The L's corners in the pixels of the paint that ran last.
  std::array<QPointF, 3> Corners() const {
    return {QPointF(Graph.XToPixel(2), Graph.YToPixel(2)),
            QPointF(Graph.XToPixel(8), Graph.YToPixel(2)),
            QPointF(Graph.XToPixel(8), Graph.YToPixel(8))};
  }
};

bool Reddish(QColor C) { return C.red() > 180 && C.green() < 90 && C.blue() < 90; }

// The box around the red pixels of a picture.
QRect RedBox(const QImage& I) {
  QRect Box;
  for (int Y = 0; Y < I.height(); ++Y)
    for (int X = 0; X < I.width(); ++X)
      if (Reddish(I.pixelColor(X, Y))) Box |= QRect(X, Y, 1, 1);
  return Box;
}

// The red lines of a recording, as their end points.
std::vector<std::pair<TPoint, TPoint>> RedLines(const TRecordingTarget& T) {
  std::vector<std::pair<TPoint, TPoint>> Lines;
  for (const TCanvasOp& Op : T.Ops())
    if (Op.Kind == coLine && Op.State.Pen.Color == clRed)
      Lines.emplace_back(Op.Points[0], Op.Points[1]);
  return Lines;
}

// Where a corner lies in a picture, as a share of the picture's width and height.
QPointF Share(QPointF P, QSizeF Size) { return {P.x() / Size.width(), P.y() / Size.height()}; }

void ExpectNear(QPointF A, QPointF B, double Tolerance, const char* What) {
  EXPECT_NEAR(A.x(), B.x(), Tolerance) << What;
  EXPECT_NEAR(A.y(), B.y(), Tolerance) << What;
}

TEST(PaintContext, OnePictureOnEveryDevice) {
  TScene S;
  // The screen: the image.
  S.Graph.Paint();
  const std::array<QPointF, 3> Screen = S.Corners();
  const QRect OnImage = RedBox(S.Done());
  ASSERT_TRUE(OnImage.isValid());
  EXPECT_EQ(OnImage.left(), Screen[0].x());
  EXPECT_EQ(OnImage.bottom(), Screen[0].y());
  EXPECT_EQ(OnImage.right(), Screen[1].x());
  EXPECT_EQ(OnImage.top(), Screen[2].y() + 1);  // the end pixel of a line is left out

  // The recording log: the same two lines, pixel for pixel, and nothing on the image.
  const QImage Before = S.Done().copy();
  TRecordingTarget Log(W, H);
  TCanvas LogCanvas(&Log);
  S.Graph.PaintIn(TPaintContext::On(&LogCanvas), {0, 0, W, H});
  auto P = [](QPointF Q) { return TPoint{int(Q.x()), int(Q.y())}; };
  EXPECT_EQ(RedLines(Log), (std::vector<std::pair<TPoint, TPoint>>{{P(Screen[0]), P(Screen[1])},
                                                                   {P(Screen[1]), P(Screen[2])}}));
  EXPECT_EQ(S.Done(), Before);

  // A PDF page through the printer path, one point to the pixel, rendered back at 72 dpi.
  const QString Pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
  ASSERT_FALSE(Pdftoppm.isEmpty()) << "pdftoppm is not installed (tools/packages.txt)";
  QTemporaryDir Dir;
  {
    QPdfWriter Pdf(Dir.filePath(QStringLiteral("page.pdf")));
    Pdf.setResolution(72);
    Pdf.setPageSize(QPageSize(QSizeF(W, H), QPageSize::Point));
    Pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    TPrinterTarget Page(&Pdf);
    TCanvas PageCanvas(&Page);
    S.Graph.PrintTo(&PageCanvas, {0, 0, W, H}, false);
    Page.EndDoc();
  }
  const std::array<QPointF, 3> Printed = S.Corners();
  const QString Prefix = Dir.filePath(QStringLiteral("page"));
  ASSERT_EQ(QProcess::execute(Pdftoppm, {"-png", "-r", "72", "-singlefile",
                                         Dir.filePath(QStringLiteral("page.pdf")), Prefix}),
            0);
  const QImage Rendered(Prefix + QStringLiteral(".png"));
  ASSERT_EQ(Rendered.size(), QSize(W, H));
  const QRect OnPage = RedBox(Rendered);
  ASSERT_TRUE(OnPage.isValid());
  ExpectNear(OnPage.bottomLeft(), Printed[0], 2, "PDF: the L's start on the page's layout");
  ExpectNear(OnPage.topRight(), Printed[2], 2, "PDF: the L's end on the page's layout");
  // The page lays out at its own resolution, so it only nearly matches the screen.
  ExpectNear(Share(OnPage.bottomLeft(), Rendered.size()), Share(Screen[0], S.Image.size()), 0.03,
             "PDF against the screen");

  // An enhanced metafile, read back by an independent reader.
  const QString Emf = Dir.filePath(QStringLiteral("pic.emf"));
  {
    std::unique_ptr<TMetafileSink> Sink = CreateMetafileWriter(TMetafileFormat::Emf, Emf, W, H);
    ASSERT_TRUE(Sink);
    {
      TCanvas C(Sink.get());
      S.Graph.PaintToPicture(&C, {0, 0, W, H});
    }
    ASSERT_TRUE(Sink->Finish());
  }
  ExpectNear(S.Corners()[0], Screen[0], 0, "a picture lays out like the screen");
  const QString Svg = MetafileToSvg(true, Emf);
  ASSERT_FALSE(Svg.isEmpty());
  // The reader's red strokes: their coordinates span the L.
  static const QRegularExpression Red(
      QStringLiteral(R"re(<path[^>]*d="([^"]*)"[^>]*stroke="#[fF][fF]0000")re"));
  static const QRegularExpression Number(QStringLiteral(R"(-?\d+(?:\.\d+)?)"));
  static const QRegularExpression Size(
      QStringLiteral(R"(<svg[^>]*width="([\d.]+)[^"]*"[^>]*height="([\d.]+))"));
  const QRegularExpressionMatch Dim = Size.match(Svg);
  ASSERT_TRUE(Dim.hasMatch());
  const QSizeF SvgSize(Dim.captured(1).toDouble(), Dim.captured(2).toDouble());
  QRectF Strokes;
  for (const QRegularExpressionMatch& M : Red.globalMatch(Svg)) {
    std::vector<double> V;
    for (const QRegularExpressionMatch& N : Number.globalMatch(M.captured(1)))
      V.push_back(N.captured(0).toDouble());
    for (size_t I = 0; I + 1 < V.size(); I += 2) Strokes |= QRectF(V[I], V[I + 1], 0.001, 0.001);
  }
  ASSERT_TRUE(Strokes.isValid()) << Svg.left(2000).toStdString();
  ExpectNear(Share(Strokes.bottomLeft(), SvgSize), Share(Screen[0], S.Image.size()), 0.01,
             "EMF: the L's start");
  ExpectNear(Share(Strokes.topRight(), SvgSize), Share(Screen[2], S.Image.size()), 0.01,
             "EMF: the L's end");

  // A DXF drawing: the lines in world values, in red on the layer's own layer.
  const QString Dxf = Dir.filePath(QStringLiteral("plot.dxf"));
  ASSERT_TRUE(ExportDXF(Dxf, 2, [&](TCanvas& C) {
    S.Graph.PaintIn(TPaintContext::On(&C), {0, 0, W, H});
  }));
  EXPECT_EQ(S.Done(), Before);
  const char* Script = R"(
import ezdxf, sys
for e in ezdxf.readfile(sys.argv[1]).modelspace():
    print(e.dxftype(), e.dxf.layer, e.dxf.color, '%g,%g %g,%g' % (e.dxf.start[0], e.dxf.start[1], e.dxf.end[0], e.dxf.end[1]))
)";
  QProcess Reader;
  Reader.start(QStringLiteral("/usr/bin/python3"),
               {QStringLiteral("-c"), QString::fromLatin1(Script), Dxf});
  ASSERT_TRUE(Reader.waitForFinished(60000));
  ASSERT_EQ(Reader.exitCode(), 0) << Reader.readAllStandardError().toStdString();
  EXPECT_EQ(QString::fromUtf8(Reader.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts),
            (QStringList{QStringLiteral("LINE THE_L 1 2,2 8,2"),
                         QStringLiteral("LINE THE_L 1 8,2 8,8")}));
}

TEST(PaintContext, BlackOnlyOnlyWhilePrinting) {
  TScene S;
  TRecordingTarget Page(W, H);
  TCanvas PageCanvas(&Page);
  S.Graph.PrintTo(&PageCanvas, {0, 0, W, H}, true);
  EXPECT_TRUE(RedLines(Page).empty());
  bool Black = false;
  for (const TCanvasOp& Op : Page.Ops())
    Black |= Op.Kind == coLine && Op.State.Pen.Color == clBlack;
  EXPECT_TRUE(Black);

  // A preview of that print on an image is as black; the screen afterwards is in colour again.
  S.Graph.PrintTo(&S.Canvas, {0, 0, W, H}, true);
  EXPECT_FALSE(RedBox(S.Done()).isValid());
  S.Graph.Paint();
  EXPECT_TRUE(RedBox(S.Done()).isValid());

  // Black-only asked of anything but a print keeps the colours.
  for (TPaintContext C : {TPaintContext::On(&PageCanvas), TPaintContext::Picture(&PageCanvas),
                          TPaintContext::PageDrawing(&PageCanvas, false, true)}) {
    C.Traits.BlackOnly = true;
    Page.Clear();
    S.Graph.PaintIn(C, {0, 0, W, H});
    EXPECT_EQ(RedLines(Page).size(), 2u);
  }
  // A page drawing within a print follows the printer.
  Page.Clear();
  S.Graph.PaintAsPage(&PageCanvas, {0, 0, W, H}, true, true);
  EXPECT_TRUE(RedLines(Page).empty());
}

// A metafile recording: what a metafile writer would be given.
struct TMetafileLog : TRecordingTarget {
  using TRecordingTarget::TRecordingTarget;
  TCanvasTargetKind Kind() const override { return tkMetafile; }
};

TEST(PaintContext, InterleavedPaintsKeepToTheirOwnDevices) {
  // While one graph draws its picture (or prints black-only), another paints its screen image:
  // each lands on its own device with its own traits.
  for (bool Print : {false, true}) {
    TScene Picture, Screen;
    Screen.Graph.BackColor = clYellow;
    TMetafileLog Log(W, H);
    TCanvas LogCanvas(&Log);
    Picture.Graph.OnBeforeDraw = [&](TGraph*) { Screen.Graph.Paint(); };
    if (Print)
      Picture.Graph.PrintTo(&LogCanvas, {0, 0, W, H}, true);
    else
      Picture.Graph.PaintToPicture(&LogCanvas, {0, 0, W, H});
    // The screen got its background and its red L, in colour; the picture got none of it.
    EXPECT_EQ(Screen.Done().pixelColor(2, 2), QColor(Qt::yellow)) << Print;
    EXPECT_TRUE(RedBox(Screen.Done()).isValid()) << Print;
    for (const TCanvasOp& Op : Log.Ops())
      EXPECT_FALSE(Op.Kind == coRectangle && Op.State.Brush.Color == clYellow) << Print;
    // The picture's own L came after the interruption, onto the picture.
    EXPECT_EQ(RedLines(Log).size(), Print ? 0u : 2u);
    EXPECT_FALSE(Picture.Graph.Device().Printing || Picture.Graph.Device().Picture);
    EXPECT_EQ(Picture.Graph.DrawCanvas(), &Picture.Canvas);
  }
}

}  // namespace
