// The DXF writer: its records byte for byte, and a written file read by an independent reader.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "plot/core/graph_dxf.h"
#include "plot/core/graph_poly.h"
#include "print_qstring.h"
#include "test_graph.h"

namespace {

QString Record(int Mode, const std::function<void(TDXF&)>& Write) {
  QByteArray Bytes;
  QBuffer B(&Bytes);
  B.open(QIODevice::WriteOnly);
  TDXF W;
  W.F = &B;
  W.Mode = Mode;
  Write(W);
  EXPECT_FALSE(W.Failed());
  return QString::fromLatin1(Bytes);
}

TEST(DXF, LineRecordsByMode) {
  auto Line = [](TDXF& W) { W.WriteLine(QStringLiteral("my curve"), 0x0000FF, 0, 0, 1.5, -2); };
  EXPECT_EQ(Record(2, Line),
            QStringLiteral("0\nLINE\n8\nMY_CURVE\n 62\n     1\n10\n0.0000\n20\n0.0000\n30\n0.0\n"
                           "11\n1.5000\n21\n-2.0000\n31\n0.0\n"));
  EXPECT_EQ(Record(1, Line), QStringLiteral("0\nLINE\n8\nMY_CURVE\n 62\n     1\n10\n0.0000\n20\n"
                                            "0.0000\n11\n1.5000\n21\n-2.0000\n"));
  EXPECT_EQ(Record(0, Line), QStringLiteral("LINE,1\n0.0000,0.0000,1.5000,-2.0000\n"));
  EXPECT_EQ(Record(3, Line), QStringLiteral("10\n0.0000,0.0000\n1.5000,-2.0000\nEND\n"));
  EXPECT_EQ(Record(7, Line), QString());
  // Circles and cells only in the DXF modes.
  auto Shapes = [](TDXF& W) {
    W.WriteCircle(QStringLiteral("a/b"), clWhite, 1, 2, 15);
    W.WriteSolid({1, 2, 3, 4}, QStringLiteral("c"), clFuchsia);
  };
  EXPECT_EQ(Record(0, Shapes), QString());
  EXPECT_EQ(Record(3, Shapes), QString());
  EXPECT_EQ(Record(2, Shapes),
            QStringLiteral("0\nCIRCLE\n8\nA_B\n 62\n     7\n10\n1.0000\n20\n2.0000\n30\n0.0\n40\n"
                           " 1.50000000000000E+0001\n"
                           "  0\nSOLID\n  8\nC\n 62\n     6\n"
                           " 10\n 1.00000000000000E+0000\n 20\n 4.00000000000000E+0000\n"
                           " 11\n 1.00000000000000E+0000\n 21\n 2.00000000000000E+0000\n"
                           " 12\n 3.00000000000000E+0000\n 22\n 4.00000000000000E+0000\n"
                           " 13\n 3.00000000000000E+0000\n 23\n 2.00000000000000E+0000\n"));
  // Four lines round a rectangle; nothing for a coordinate that is not finite.
  QString Rect = Record(0, [](TDXF& W) {
    W.WriteRectangle({0, 0, 1, 2}, QStringLiteral("0"), clBlack);
    W.WriteLine(QStringLiteral("0"), clBlack, 0, std::nan(""), 1, 1);
  });
  EXPECT_EQ(Rect.count(QStringLiteral("LINE,1")), 4);
}

TEST(DXF, Colours) {
  struct Case {
    TColor C;
    int N;
  } const Cases[] = {{0x000000, 0}, {-1, 0},       {0x000080, 1}, {0x0000FF, 1}, {0x008080, 2},
                     {0x00FFFF, 2}, {0x008000, 3}, {0x00FF00, 3}, {0x808000, 4}, {0xFFFF00, 4},
                     {0x800000, 5}, {0xFF0000, 5}, {0x800080, 6}, {0xFF00FF, 6}, {0xFFFFFF, 7},
                     {0x0000FE, 8}, {clBtnFace, 8}};
  for (const Case& C : Cases) EXPECT_EQ(ColorToDXF(C.C), C.N) << std::hex << C.C;
}

TEST(DXF, WriteFailureIsReported) {
  QBuffer B;  // never opened: every write fails
  TDXF W;
  W.F = &B;
  W.WriteLine(QStringLiteral("0"), clBlack, 0, 0, 1, 1);
  EXPECT_TRUE(W.Failed());
  EXPECT_FALSE(ExportDXF(QStringLiteral("/nonexistent-dir/x.dxf"), 2, [](TCanvas& C) {
                 static_cast<TDxfTarget*>(C.Target())
                     ->Writer()
                     .WriteLine(QStringLiteral("0"), clBlack, 0, 0, 1, 1);
               }).Why.isEmpty());
}

TEST(DXF, FileReadBackByAnIndependentReader) {
  const char* Python = "/usr/bin/python3";
  ASSERT_TRUE(QFile::exists(QString::fromLatin1(Python)))
      << "The DXF check needs Debian's python3 with python3-ezdxf (tools/packages.txt)";
  QProcess Probe;
  Probe.start(QString::fromLatin1(Python), {QStringLiteral("-c"), QStringLiteral("import ezdxf")});
  ASSERT_TRUE(Probe.waitForFinished(60000));
  ASSERT_EQ(Probe.exitCode(), 0) << "python3-ezdxf is missing (tools/packages.txt)";

  QTemporaryDir Dir;
  QString File = Dir.filePath(QStringLiteral("plot.dxf"));
  TRecordingGraph G;
  G.Graph.Name = QStringLiteral("sine wave");
  ASSERT_TRUE(ExportDXF(File, 2, [&](TCanvas& C) {
    TPaintScope Scope(G.Graph, TPaintContext::On(&C));
    C.Pen()->SetColor(clRed);
    G.Graph.CurrentLayer = reinterpret_cast<TLayer*>(&G);
    G.Graph.Line(0, 0, 1.5, -2);
    G.Graph.Ellipse({1, 1, 3, 3});
    C.Brush()->SetColor(clBlue);
    G.Graph.FillCell({4, 5, 6, 7});
    TPoly Tri;
    Tri.AddPoint(10, 10);
    Tri.AddPoint(20, 10);
    Tri.AddPoint(10, 30);
    G.Graph.Polygon(Tri);
    G.Graph.CurrentLayer = nullptr;
  }));
  EXPECT_TRUE(G.Ops().empty());  // nothing went to the canvas
  const char* Script = R"(
import ezdxf, sys
doc = ezdxf.readfile(sys.argv[1])
for e in doc.modelspace():
    t = e.dxftype()
    if t == 'LINE':
        v = [e.dxf.start, e.dxf.end]
    elif t == 'CIRCLE':
        v = [e.dxf.center, (e.dxf.radius, 0, 0)]
    else:
        v = [e.dxf.vtx0, e.dxf.vtx1, e.dxf.vtx2, e.dxf.vtx3]
    print(t, e.dxf.layer, e.dxf.color, ' '.join('%g,%g' % (p[0], p[1]) for p in v))
)";
  QProcess P;
  P.start(QString::fromLatin1(Python), {QStringLiteral("-c"), QString::fromLatin1(Script), File});
  ASSERT_TRUE(P.waitForFinished(60000));
  ASSERT_EQ(P.exitCode(), 0) << P.readAllStandardError().toStdString();
  QStringList Lines = QString::fromUtf8(P.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
  EXPECT_EQ(Lines, (QStringList{QStringLiteral("LINE SINE_WAVE 1 0,0 1.5,-2"),
                                QStringLiteral("CIRCLE SINE_WAVE 1 2,2 1,0"),
                                QStringLiteral("SOLID SINE_WAVE 5 4,7 4,5 6,7 6,5"),
                                QStringLiteral("LINE SINE_WAVE 5 10,10 20,10"),
                                QStringLiteral("LINE SINE_WAVE 5 20,10 10,30"),
                                QStringLiteral("LINE SINE_WAVE 5 10,30 10,10")}));
}
}  // namespace
