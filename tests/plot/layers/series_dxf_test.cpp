// Series written as DXF and read back by an independent reader.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "platform/canvas.h"
#include "platform/canvas_targets.h"
#include "plot/core/graph.h"
#include "plot/core/graph_dxf.h"
#include "plot/layers/series.h"

TEST(SeriesDXF, LinesAndStepsReadBackByAnIndependentReader) {
  const char* Python = "/usr/bin/python3";
  ASSERT_TRUE(QFile::exists(QString::fromLatin1(Python)))
      << "The DXF check needs Debian's python3 with python3-ezdxf (tools/packages.txt)";
  QProcess Probe;
  Probe.start(QString::fromLatin1(Python), {QStringLiteral("-c"), QStringLiteral("import ezdxf")});
  ASSERT_TRUE(Probe.waitForFinished(60000));
  ASSERT_EQ(Probe.exitCode(), 0) << "python3-ezdxf is missing (tools/packages.txt)";

  TRecordingTarget Target{400, 300};
  TCanvas Canvas{&Target};
  TGraph G{&Canvas, 400, 300};
  G.PlotRect = {0, 0, 400, 300};
  G.XMin = 0, G.XMax = 10, G.YMin = 0, G.YMax = 10;
  G.ComputeMapping(G.PlotRect);
  auto* Line = static_cast<TSeries*>(
      G.AddLayer(std::make_unique<TSeries>(&G, clRed, 2, QStringLiteral("f(x) line"))));
  Line->AddPoint(0, {}, 1, 1);
  Line->AddPoint(0, {}, 2, 3);
  auto* Step = static_cast<TSeries*>(
      G.AddLayer(std::make_unique<TSeries>(&G, clBlue, 6, QStringLiteral("steps"))));
  Step->AddPoint(0, {}, 0, 1);
  Step->AddPoint(0, {}, 1, 2);
  Step->AddPoint(0, {}, 2, 3);

  QTemporaryDir Dir;
  const QString File = Dir.filePath(QStringLiteral("series.dxf"));
  ASSERT_TRUE(ExportDXF(File, 2, [&](TCanvas& C) {
    TPaintScope Scope(G, TPaintContext::On(&C));
    for (TSeries* S : {Line, Step}) {
      G.CurrentLayer = S;
      S->Draw();
    }
  }));
  EXPECT_TRUE(Target.Ops().empty());
  const char* Script = R"(
import ezdxf, sys
doc = ezdxf.readfile(sys.argv[1])
for e in doc.modelspace():
    print(e.dxftype(), e.dxf.layer, e.dxf.color, '%g,%g %g,%g' % (e.dxf.start[0], e.dxf.start[1], e.dxf.end[0], e.dxf.end[1]))
)";
  QProcess P;
  P.start(QString::fromLatin1(Python), {QStringLiteral("-c"), QString::fromLatin1(Script), File});
  ASSERT_TRUE(P.waitForFinished(60000));
  ASSERT_EQ(P.exitCode(), 0) << P.readAllStandardError().toStdString();
  QStringList Lines = QString::fromUtf8(P.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
  EXPECT_EQ(Lines,
            (QStringList{
                QStringLiteral("LINE F(X)_LINE 1 1,1 1,1"),
                QStringLiteral("LINE F(X)_LINE 1 1,1 2,3"), QStringLiteral("LINE STEPS 5 0,1 1,1"),
                QStringLiteral("LINE STEPS 5 1,1 1,2"), QStringLiteral("LINE STEPS 5 1,2 2,2")}));
}
