// The graph text file (layer and marker blocks, hostile input) and the colour-level scale.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <cmath>
#include <limits>

#include "platform/canvas.h"
#include "platform/canvas_targets.h"
#include "plot/core/graph.h"
#include "plot/core/graph_marker.h"
#include "plot/core/graph_text_file.h"
#include "test_layers.h"

namespace {

class TMarkedLayer : public TTestLayer {
 public:
  explicit TMarkedLayer(TGraph* G) : TTestLayer(G), Marker(G, this, 5, 9, 0x00FF00) {}
  TMarker Marker;
  QString ClassName() const override { return QStringLiteral("TMarkedLayer"); }
  void Save(TGraphTextWriter& F) const override {
    TTestLayer::Save(F);
    Marker.Save(F);
  }
  void Load(TGraphTextReader& F) override {
    TTestLayer::Load(F);
    Marker = TMarker::Load(this, F);
  }
};

struct TFileFixture {
  TRecordingTarget Target{400, 300};
  TCanvas Canvas{&Target};
  TGraph Graph{&Canvas, 400, 300};
  TFileFixture() {
    // The layer libraries register their classes once at start-up; the tests do the same.
    RegisterLayerClass(QStringLiteral("TTestLayer"),
                       [](TGraph* G) { return std::make_unique<TTestLayer>(G); });
    RegisterLayerClass(QStringLiteral("TMarkedLayer"),
                       [](TGraph* G) { return std::make_unique<TMarkedLayer>(G); });
  }
};

QByteArray SampleFile() {
  TFileFixture F;
  auto A = std::make_unique<TTestLayer>(&F.Graph);
  A->Name = QStringLiteral("First curve");
  A->Color = 0x123456;
  A->LayerValue = -2.5e-7;
  A->LayerTag = 7;
  A->Selected = true;
  A->Points = {{0, 1}, {1.5, -2}, {1e300, 0.1}};
  F.Graph.AddLayer(std::move(A));
  auto B = std::make_unique<TMarkedLayer>(&F.Graph);
  B->Name = QStringLiteral("Marks");
  B->Visible = false;
  B->Tracking = true;
  B->Marker.DerivedColor = true;
  B->Marker.Shade = 1;
  F.Graph.AddLayer(std::move(B));
  F.Graph.AddLayer(std::make_unique<TLayer>(&F.Graph));
  return F.Graph.SaveToText();
}

TEST(GraphFile, SaveLoadSaveGivesIdenticalBytes) {
  QByteArray First = SampleFile();
  TFileFixture F;
  QString Error;
  ASSERT_TRUE(F.Graph.LoadFromText(First, &Error)) << Error.toStdString();
  ASSERT_EQ(F.Graph.LayerCount(), 3);
  EXPECT_EQ(F.Graph.SaveToText(), First);

  auto* A = static_cast<TTestLayer*>(F.Graph.GetLayer(0));
  EXPECT_EQ(A->Name, QStringLiteral("First curve"));
  EXPECT_EQ(A->Color, 0x123456u);
  EXPECT_DOUBLE_EQ(A->LayerValue, -2.5e-7);
  EXPECT_EQ(A->LayerTag, 7);
  EXPECT_TRUE(A->Selected);
  EXPECT_EQ(A->Points.size(), 3u);
  auto* B = static_cast<TMarkedLayer*>(F.Graph.GetLayer(1));
  EXPECT_EQ(B->Name, QStringLiteral("Marks"));
  EXPECT_FALSE(B->Visible);
  EXPECT_TRUE(B->Tracking);
  EXPECT_EQ(B->Marker.Style, 5);
  EXPECT_EQ(B->Marker.Size, 9);
  EXPECT_TRUE(B->Marker.MarkerFlag);
  EXPECT_EQ(B->Marker.Layer, B);
  EXPECT_EQ(B->Marker.GetColor(), DarkenColor(0x00FF00, 128));
  EXPECT_EQ(F.Graph.GetLayer(2)->ClassName(), QStringLiteral("TLayer"));

  // The block text as written.
  QStringList Lines = QString::fromUtf8(First).split(QLatin1Char('\n'));
  EXPECT_EQ(Lines[0], QStringLiteral("3"));
  EXPECT_EQ(Lines[1], QStringLiteral("TTestLayer"));
  EXPECT_EQ(Lines[2], QStringLiteral("TTestLayer"));
  EXPECT_EQ(Lines[3], QStringLiteral("1193046 1 7 0 -2.50000000000000E-0007 1 First curve"));
}

TEST(GraphFile, NumbersAtTheEndsOfTheDoubleReadBack) {
  using L = std::numeric_limits<double>;
  const double Values[] = {L::max(),
                           -L::max(),
                           L::min(),
                           -L::min(),
                           L::denorm_min(),
                           -L::denorm_min(),
                           3 * L::denorm_min(),
                           L::max() * (1 - 1e-15),
                           9.99999999999999e307,
                           1 / 3.0,
                           0,
                           -0.0};
  for (double V : Values) {
    const QString Text = GraphFileReal(V);
    double Back = NAN;
    ASSERT_TRUE(ParseGraphFileReal(Text, Back)) << Text.toStdString();
    ASSERT_TRUE(std::isfinite(Back)) << Text.toStdString();
    EXPECT_EQ(std::signbit(Back), std::signbit(V)) << Text.toStdString();
    // Within the 15 digits written, or within the few bits a subnormal has.
    const double Tolerance = std::fabs(V) < L::min() ? L::denorm_min() : std::fabs(V) * 1e-14;
    EXPECT_LE(std::fabs(Back - V), Tolerance) << Text.toStdString();
    EXPECT_EQ(Text.size(), 23);
  }
  EXPECT_EQ(GraphFileReal(L::max()).trimmed(), QStringLiteral("1.79769313486231E+0308"));

  // A layer holding the largest values saves, loads and saves again unchanged.
  TFileFixture F;
  auto A = std::make_unique<TTestLayer>(&F.Graph);
  A->LayerValue = -L::max();
  A->Points = {{L::max(), L::denorm_min()}, {-L::max(), -L::min()}};
  F.Graph.AddLayer(std::move(A));
  const QByteArray First = F.Graph.SaveToText();
  TFileFixture Again;
  QString Error;
  ASSERT_TRUE(Again.Graph.LoadFromText(First, &Error)) << Error.toStdString();
  EXPECT_EQ(Again.Graph.SaveToText(), First);
}

TEST(GraphFile, HostileInputAddsNothing) {
  const QByteArray Good = SampleFile();
  const QList<QByteArray> Bad = {
      QByteArray(),
      "x\n",
      "-3\n",
      "2147483647\nTLayer\n0 1 -1 0 0 0 A\nTLayer\n",
      "1\nTNoSuchLayer\n0 1 -1 0 0 0 A\nTNoSuchLayer\n",
      "1\nTLayer\n0 1 -1 0 0 0 A\nTSomethingElse\n",
      "1\nTLayer\n0 one -1 0 0 0 A\nTLayer\n",
      "1\nTLayer\n0 1 -1\nTLayer\n",
      "1\nTTestLayer\nTTestLayer\n0 1 -1 0 0 0 A\nTTestLayer\n2147483647\n1 2\n",
      "1\nTMarkedLayer\nTMarkedLayer\n0 1 -1 0 0 0 A\nTMarkedLayer\n0\nTMarker\n1 2 3\nTMarker\n",
      // A marker style far beyond the shapes.
      "1\nTMarkedLayer\nTMarkedLayer\n0 1 -1 0 0 0 A\nTMarkedLayer\n0\nTMarker\n2147483647 2 3 "
      "4 1 0 0\nTMarker\n",
      "1\nTMarkedLayer\nTMarkedLayer\n0 1 -1 0 0 0 A\nTMarkedLayer\n0\nTMarker\n1 2 3 4 5 6 "
      "7\nTMarkers\n",
  };
  QList<QByteArray> Cases = Bad;
  for (int Cut : {3, 10, 40, 90, static_cast<int>(Good.size()) - 12}) Cases << Good.left(Cut);
  for (const QByteArray& Data : Cases) {
    TFileFixture F;
    F.Graph.AddLayer(std::make_unique<TLayer>(&F.Graph));
    QString Error;
    EXPECT_FALSE(F.Graph.LoadFromText(Data, &Error)) << Data.toStdString();
    EXPECT_FALSE(Error.isEmpty());
    EXPECT_EQ(F.Graph.LayerCount(), 1) << Data.toStdString();
  }

  TFileFixture F;
  QString Error;
  EXPECT_FALSE(F.Graph.LoadFromText("1\nTLayer\n0 1 -1 0 0 0 A\nTSomethingElse\n", &Error));
  EXPECT_EQ(Error, QStringLiteral("Object TLayer can not load self from line: 4"));
  EXPECT_FALSE(F.Graph.LoadFromText("1\nTNoSuchLayer\n", &Error));
  EXPECT_EQ(Error, QStringLiteral("Invalid Class Name at line 2"));
  // The largest style a file holds loads, and a hostile size is held to the file's range.
  ASSERT_TRUE(F.Graph.LoadFromText(
      "1\nTMarkedLayer\nTMarkedLayer\n0 1 -1 0 0 0 A\nTMarkedLayer\n0\nTMarker\n255 2147483647 "
      "3 4 1 0 0\nTMarker\n",
      &Error));
  EXPECT_EQ(static_cast<TMarkedLayer*>(F.Graph.GetLayer(0))->Marker.Size, MaxMarkerSize);
  F.Graph.Clear();

  EXPECT_TRUE(F.Graph.LoadFromText("0\n"));
  EXPECT_EQ(F.Graph.LayerCount(), 0);
  // Only 1 means true; CR line ends read the same.
  EXPECT_TRUE(F.Graph.LoadFromText("1\r\nTLayer\r\n0 2 -1 0 0 0 A\r\nTLayer\r\n"));
  ASSERT_EQ(F.Graph.LayerCount(), 1);
  EXPECT_FALSE(F.Graph.GetLayer(0)->Visible);
}

TEST(GraphFile, ReplaceLayersByNameFreesAfterTheHandler) {
  TFileFixture F;
  auto Old = std::make_unique<TTestLayer>(&F.Graph);
  Old->Name = QStringLiteral("first CURVE");
  TLayer* OldPtr = F.Graph.AddLayer(std::move(Old));
  F.Graph.ReplaceLayers = true;
  QString SeenName;
  F.Graph.OnDeleteSeries = [&](TLayer* L) { SeenName = L->Name; };
  ASSERT_TRUE(F.Graph.LoadFromText(SampleFile()));
  EXPECT_EQ(SeenName, QStringLiteral("first CURVE"));
  EXPECT_EQ(F.Graph.LayerCount(), 3);
  EXPECT_EQ(F.Graph.IndexOfLayer(OldPtr), -1);
}

TEST(GraphFile, LoadErrorNamesTheOwner) {
  struct TOwner : TGraphOwner {
    QString Shown;
    void ShowError(const QString& S) override { Shown = S; }
    QString FormName() const override { return QStringLiteral("MainForm"); }
    QString PlotName() const override { return QStringLiteral("Plot1"); }
  } Owner;
  TRecordingTarget T{10, 10};
  TCanvas C{&T};
  TGraph G(&C, 10, 10, &Owner);
  EXPECT_TRUE(G.LoadFromText("1\nTLayer\n0 1 -1 0 0 0  A name \nTLayer\n"));
  EXPECT_TRUE(Owner.Shown.isEmpty());
  EXPECT_EQ(G.GetLayer(0)->Name, QStringLiteral("A name"));
  EXPECT_FALSE(G.LoadFromText("1\nTLayer\n0 1 -1 0 0 0 A\nX\n"));
  EXPECT_EQ(Owner.Shown,
            QStringLiteral("MainForm.Plot1: Object TLayer can not load self from line: 4"));
}

TEST(LayerLevels, DefaultLevelsPaletteIndexAndColours) {
  TRecordingTarget T{10, 10};
  TCanvas C{&T};
  TGraph G(&C, 10, 10);
  TLayer L(&G);
  L.SetDefaultLevels(0, 7);
  for (int I = 1; I <= 8; ++I) {
    EXPECT_DOUBLE_EQ(L.Levels[I], 8 - I);
    EXPECT_EQ(L.LevelColors[I], 254 - 35 * (I - 1));
  }
  EXPECT_TRUE(L.LevelFlags[1]);
  EXPECT_FALSE(L.LevelFlags[4]);
  EXPECT_TRUE(L.LevelFlags[8]);
  EXPECT_EQ(PaletteIndex(L, L.Levels[3]), L.LevelColors[3]);
  EXPECT_EQ(PaletteIndex(L, 7.5), -1);
  EXPECT_EQ(PaletteIndex(L, 6.5), 236);  // 236.5 between 254 and 219, halves to even
  EXPECT_EQ(PaletteIndex(L, MissingValue), -2);
  EXPECT_EQ(PaletteIndex(L, -MissingValue), -3);
  EXPECT_EQ(PaletteIndex(L, -5), 9);  // clamped to the bottom level
  L.UseZMin = true;
  EXPECT_EQ(PaletteIndex(L, -5), -1);
  EXPECT_EQ(PaletteIndex(L, std::nan("")), -1);

  EXPECT_EQ(PaletteColor(L, 256), clWhite);
  EXPECT_EQ(PaletteColor(L, -1), clWhite);
  EXPECT_EQ(PaletteColor(L, -2), 0x808001u);
  EXPECT_EQ(PaletteColor(L, 0), static_cast<TColor>(60 | 60 << 8 | 180 << 16));
  EXPECT_EQ(PaletteColor(L, 255), static_cast<TColor>(180 | 60 << 8 | 60 << 16));
  L.WhiteZero = true;
  EXPECT_EQ(PaletteColor(L, 0), clWhite);
  L.ColorPalette = 2;
  EXPECT_EQ(PaletteColor(L, 100), static_cast<TColor>(255 | 155 << 8 | 155 << 16));
  L.ColorPalette = 9;
  EXPECT_EQ(PaletteColor(L, 100), clBlack);

  L.ColorPalette = 1;
  L.ColorRamp(0);
  EXPECT_EQ(L.ColorByValue(), PaletteColor(L, 9));
  L.SetShaded(true);
  EXPECT_TRUE(L.GetShaded());
  L.SetMouseActive(true);
  EXPECT_TRUE(L.MouseActive());
  EXPECT_TRUE(L.Tracking);

  QMenu* M = L.PopupMenu();
  ASSERT_NE(M, nullptr);
  EXPECT_EQ(M->actions().size(), 2);
  EXPECT_EQ(M->actions()[0]->objectName(), QStringLiteral("miErase"));
  EXPECT_EQ(M->actions()[1]->text(), QStringLiteral("&Properties"));
}

}  // namespace
