// Whole pictures of a few graph scenes at 400 x 300, compared with committed images. Fonts are
// the metric-compatible families the platform maps to and text is drawn without antialiasing.
// A failing scene writes the picture it drew beside the expected one (name.actual.png in the
// temporary directory). NUMYX_UPDATE_GOLDEN=1 rewrites the committed images.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <cmath>
#include <functional>

#include "platform/canvas.h"
#include "platform/canvas_targets.h"
#include "plot/core/graph.h"
#include "test_layers.h"

namespace {

QImage DrawScene(const std::function<void(TGraph&, TTestLayer&)>& Setup) {
  QImage Image(400, 300, QImage::Format_RGB32);
  Image.fill(Qt::black);
  {
    TImageTarget Target(&Image);
    TCanvas Canvas(&Target);
    TGraph G(&Canvas, 400, 300);
    G.XAxis2->SetVisible(false);
    G.YAxis2->SetVisible(false);
    G.BackColor = clSilver;
    auto L = std::make_unique<TTestLayer>(&G);
    for (int I = 0; I <= 40; ++I) L->Points.push_back({I * 0.25, 1 + 99 * (I / 40.0) * (I / 40.0)});
    L->Color = clRed;
    TTestLayer* Layer = static_cast<TTestLayer*>(G.AddLayer(std::move(L)));
    Setup(G, *Layer);
    G.Paint();
    Target.Release();
  }
  return Image;
}

void ExpectGolden(const QString& Name, const QImage& Actual) {
  const QString Dir = QStringLiteral(NUMYX_TEST_DATA "/golden");
  const QString File = Dir + QLatin1Char('/') + Name + QStringLiteral(".png");
  if (qEnvironmentVariableIntValue("NUMYX_UPDATE_GOLDEN") == 1) {
    QDir().mkpath(Dir);
    ASSERT_TRUE(Actual.save(File));
    return;
  }
  QImage Expected(File);
  ASSERT_FALSE(Expected.isNull()) << "missing " << File.toStdString();
  Expected = Expected.convertToFormat(QImage::Format_RGB32);
  int Differ = 0;
  if (Expected.size() == Actual.size())
    for (int Y = 0; Y < Actual.height(); ++Y)
      for (int X = 0; X < Actual.width(); ++X)
        Differ += (Expected.pixel(X, Y) & 0xFFFFFF) != (Actual.pixel(X, Y) & 0xFFFFFF);
  if (Expected.size() != Actual.size() || Differ > 0) {
    const QString Out = QDir::temp().filePath(Name + QStringLiteral(".actual.png"));
    Actual.save(Out);
    ADD_FAILURE() << Name.toStdString() << ": " << Differ << " pixels differ; drawn "
                  << Out.toStdString();
  }
}

TEST(GraphGolden, Scenes) {
  ExpectGolden(QStringLiteral("empty"), [] {
    QImage Image(400, 300, QImage::Format_RGB32);
    Image.fill(Qt::black);
    {
      TImageTarget Target(&Image);
      TCanvas Canvas(&Target);
      TGraph G(&Canvas, 400, 300);
      G.Paint();
      Target.Release();
    }
    return Image;
  }());
  ExpectGolden(QStringLiteral("linear"), DrawScene([](TGraph&, TTestLayer&) {}));
  ExpectGolden(QStringLiteral("log_y"),
               DrawScene([](TGraph& G, TTestLayer&) { G.YAxis->SetLog(true); }));
  ExpectGolden(QStringLiteral("inverted_x"), DrawScene([](TGraph& G, TTestLayer&) {
                 G.XAxis->Inverted = true;
                 G.XAxis->Name = QStringLiteral("time");
               }));
  ExpectGolden(QStringLiteral("secondary"), DrawScene([](TGraph& G, TTestLayer& L) {
                 G.XAxis2->SetVisible(true);
                 G.YAxis2->SetVisible(true);
                 G.YAxis2->LineWidth = 1;
                 auto B = std::make_unique<TTestLayer>(&G);
                 B->Points = {{-50, 0.5}, {50, -0.5}};
                 B->OnXAxis2 = B->OnYAxis2 = true;
                 B->Color = clBlue;
                 G.AddLayer(std::move(B));
                 (void)L;
               }));
  ExpectGolden(QStringLiteral("view3d"),
               DrawScene([](TGraph& G, TTestLayer&) { G.View3D = 20 / 200.0; }));
  ExpectGolden(QStringLiteral("gradient_frame_title"), DrawScene([](TGraph& G, TTestLayer&) {
                 G.Gradient->Style = 2;
                 G.Frame.Width = 3;
                 G.Frame.Color = clNavy;
                 G.Title.AddLine(QStringLiteral("Raised title"));
                 G.Title.Style = tsRaised;
                 G.Title.Font.SetSize(14);
               }));
  ExpectGolden(QStringLiteral("exaggerate"), DrawScene([](TGraph& G, TTestLayer&) {
                 G.Exaggerate = 1;
                 G.YAxis->Grid = true;
                 G.XAxis->Grid = true;
               }));
}

}  // namespace
