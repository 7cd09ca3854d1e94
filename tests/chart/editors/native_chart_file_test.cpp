// The native chart file, read back by a checker written from its layout (check_native_chart.py):
// every byte of the header, the component stream and the series blocks.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtEndian>

#include "chart/editors/native_chart_file.h"
#include "chart/engine/chart.h"
#include "chart/engine/chart_pen.h"
#include "chart/engine/chart_registry.h"
#include "chart/engine/point_types.h"
#include "chart/engine/surface_series.h"
#include "platform/text_file.h"

namespace {
// What the checker found in File; a failure (with its reason) when it refused the file.
QJsonObject Checked(const QString& File) {
  const QString Python = QStandardPaths::findExecutable(QStringLiteral("python3"));
  if (Python.isEmpty()) {
    ADD_FAILURE() << "python3 is not installed";
    return {};
  }
  QProcess P;
  P.start(Python, {QStringLiteral(NUMYX_NATIVE_CHECKER), File});
  if (!P.waitForFinished(120000) || P.exitCode() != 0) {
    ADD_FAILURE() << "checker refused the file: " << P.readAllStandardError().toStdString();
    return {};
  }
  return QJsonDocument::fromJson(P.readAllStandardOutput()).object();
}

QJsonObject Block(const QJsonObject& File, int Index) {
  return File["series"].toArray()[Index].toObject();
}

// A component's properties by name.
QHash<QString, QJsonValue> PropertiesOf(const QJsonValue& Component) {
  QHash<QString, QJsonValue> R;
  for (const QJsonValue& P : Component["properties"].toArray()) R[P[0].toString()] = P[1];
  return R;
}

QStringList Strings(const QJsonValue& Array) {
  QStringList R;
  for (const QJsonValue& V : Array.toArray()) R.append(V.toString());
  return R;
}

class NativeChartFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterChartClasses();
    Chart.setObjectName(QStringLiteral("Chart1"));
    ASSERT_TRUE(Dir.isValid());
  }
  QString Path(const char* Name) const { return Dir.filePath(QLatin1String(Name)); }
  template <class S>
  S* Add(const QString& Name) {
    auto* P = static_cast<S*>(Chart.AdoptSeries(std::make_unique<S>()));
    P->SetName(Name);
    return P;
  }
  TChart Chart;
  QTemporaryDir Dir;
};
}  // namespace

TEST_F(NativeChartFileTest, TheCheckerReadsEveryByte) {
  auto* Plain = Add<TLineSeries>(QStringLiteral("Plain"));
  for (int i = 0; i < 6; ++i) Plain->AddXY(i, i * i);
  auto* Rich = Add<TLineSeries>(QStringLiteral("Rich"));
  Rich->SetSeriesColor(clBlue);
  Rich->AddXY(0.5, 1, QStringLiteral("caf\u00E9"), clRed);
  Rich->AddXY(2, -3, QString(), clBlue);
  auto* Bubbles = Add<TBubbleSeries>(QStringLiteral("Bubbles"));
  Bubbles->AddBubble(0, 4, 2.5);
  Bubbles->AddBubble(1, 5, 0.25);
  auto* Same = Add<TLineSeries>(QStringLiteral("Same"));
  Same->SetSeriesColor(clGreen);
  Same->AddXY(0, 1, QString(), clGreen);
  Add<TLineSeries>(QStringLiteral("Empty"));
  Chart.LeftAxis()->SetTitleCaption(QStringLiteral("Price"));
  ASSERT_TRUE(SaveChartToFile(Chart, Path("a.cht")));
  const QJsonObject F = Checked(Path("a.cht"));

  const QJsonObject Root = F["chart"].toObject();
  EXPECT_EQ(Root["class"].toString(), u"TChart");
  EXPECT_EQ(Root["name"].toString(), u"Chart1");
  QStringList Children;
  for (const QJsonValue& C : Root["children"].toArray())
    Children << C["class"].toString() + ":" + C["name"].toString();
  EXPECT_EQ(Children, (QStringList{"TLineSeries:Plain", "TLineSeries:Rich", "TBubbleSeries:Bubbles",
                                   "TLineSeries:Same", "TLineSeries:Empty"}));
  EXPECT_EQ(Root["properties"].toArray()[4].toArray()[0].toString(), u"LeftAxis.Title.Caption");

  // X = 0, 1, 2 ... without colours or labels: flags 0 and 1 + 4 + 8 x count bytes.
  EXPECT_EQ(Block(F, 0)["flags"].toInt(), 0);
  EXPECT_EQ(Block(F, 0)["bytes"].toInt(), 1 + 4 + 8 * 6);
  EXPECT_EQ(Block(F, 0)["y"].toArray()[5].toDouble(), 25);
  const QJsonObject R = Block(F, 1);
  EXPECT_EQ(R["flags"].toInt(), 7);
  EXPECT_EQ(R["x"].toArray()[0].toDouble(), 0.5);
  EXPECT_EQ(R["colors"].toArray()[0].toInteger(), clRed);
  EXPECT_EQ(R["colors"].toArray()[1].toInteger(), clBlue);
  EXPECT_EQ(Strings(R["labels"]), (QStringList{"caf\u00E9", ""}));
  // The radius is written after the mandatory values.
  const QJsonObject B = Block(F, 2);
  EXPECT_EQ(B["flags"].toInt(), 0);
  EXPECT_EQ(B["extra"].toArray()[1].toArray()[0].toDouble(), 0.25);
  // Points that all carry the series colour store no colours; no points, no flags.
  EXPECT_EQ(Block(F, 3)["flags"].toInt(), 0);
  EXPECT_EQ(Block(F, 4)["flags"].toInt(), 0);
  EXPECT_EQ(Block(F, 4)["bytes"].toInt(), 5);

  // Any other component alone: only the component stream.
  ASSERT_TRUE(SaveComponentToFile(Chart, Path("c.dfm")));
  QByteArray Bytes;
  ASSERT_TRUE(ReadFileBytes(Path("c.dfm"), Bytes).Ok());
  EXPECT_TRUE(
      Bytes.startsWith("TPF0\x06TChart\x06"
                       "Chart1"));

  // Charts stored under the resource class name can be made by it.
  const TChartClassEntry* E = FindChartClass(QStringLiteral("ZURARIvuvo"));
  ASSERT_TRUE(E && E->Create);
  std::unique_ptr<QWidget> Made(E->Create(nullptr));
  EXPECT_NE(qobject_cast<TChart*>(Made.get()), nullptr);
}

TEST_F(NativeChartFileTest, EveryPointDecidesTheFlags) {
  // Deciding from the first ten thousand points alone would write this series without X values,
  // colours or labels: the last point's own X, colour and label would be lost and every reader
  // would misplace it. So every point is looked at.
  auto* S = Add<TLineSeries>(QStringLiteral("Long"));
  S->SetSeriesColor(clGreen);
  for (int i = 0; i < 19999; ++i) S->AddXY(i, 1);
  S->AddXY(30000, 2, QStringLiteral("last"), clRed);
  ASSERT_TRUE(SaveChartToFile(Chart, Path("long.cht")));
  const QJsonObject B = Block(Checked(Path("long.cht")), 0);
  EXPECT_EQ(B["flags"].toInt(), 7);
  EXPECT_EQ(B["count"].toInt(), 20000);
  ASSERT_EQ(B["colors"].toArray().size(), 20000);
  EXPECT_EQ(B["x"].toArray()[19999].toDouble(), 30000);
  EXPECT_EQ(B["labels"].toArray()[19999].toString(), u"last");
  EXPECT_EQ(B["colors"].toArray()[19999].toInteger(), clRed);
}

TEST_F(NativeChartFileTest, LongLabelsAreCutWhereTheLengthByteHoldsThem) {
  auto* S = Add<TLineSeries>(QStringLiteral("Labels"));
  // 300 characters of one byte each in code page 1252: kept to 255, not to 300 mod 256 = 44.
  S->AddXY(0, 0, QString(300, QChar(0xE9)), clChartAuto);
  // Characters outside the BMP count once, not once per UTF-16 half.
  QString Wide;
  for (int i = 0; i < 200; ++i) Wide += QStringLiteral("\U0001F600");
  S->AddXY(1, 0, Wide, clChartAuto);
  S->AddXY(2, 0, QString(255, QLatin1Char('a')), clChartAuto);
  ASSERT_TRUE(SaveChartToFile(Chart, Path("labels.cht")));
  const QStringList L = Strings(Block(Checked(Path("labels.cht")), 0)["labels"]);
  ASSERT_EQ(L.size(), 3);
  EXPECT_EQ(L[0], QString(255, QChar(0xE9)));
  EXPECT_EQ(L[1].size(), 200);
  EXPECT_EQ(L[2], QString(255, QLatin1Char('a')));
}

TEST_F(NativeChartFileTest, AFailedWriteIsReportedAndLeavesNothingHalfWritten) {
  Add<TLineSeries>(QStringLiteral("A"))->AddXY(0, 1);
  const QString Old = Path("old.cht");
  ASSERT_TRUE(WriteFileBytes(Old, "before"));
  // A name the component form cannot hold: nothing is written and the old file stays.
  Chart.GetSeries(0)->SetName(QString(300, QLatin1Char('n')));
  const TFileStatus S = SaveChartToFile(Chart, Old);
  EXPECT_TRUE(S.Why.contains(QStringLiteral("longer than 255"))) << S.Why.toStdString();
  QByteArray Bytes;
  ASSERT_TRUE(ReadFileBytes(Old, Bytes).Ok());
  EXPECT_EQ(Bytes, "before");
  // A folder or a missing folder is refused with a reason; no file appears beside it.
  Chart.GetSeries(0)->SetName(QStringLiteral("A"));
  EXPECT_EQ(SaveChartToFile(Chart, Dir.path()).Code, TFileError::Directory);
  EXPECT_FALSE(SaveChartToFile(Chart, Path("none/x.cht")).Why.isEmpty());
  EXPECT_FALSE(SaveComponentToFile(Chart, Path("none/x.cht")));
  EXPECT_EQ(QDir(Dir.path()).entryList(QDir::Files), QStringList{"old.cht"});
}

TEST_F(NativeChartFileTest, TheCheckerReadsTheChartsLooks) {
  Add<TLineSeries>(QStringLiteral("Line"))->AddXY(0, 1);
  Chart.SetBorderStyle(bsSingle);
  Chart.SetColor(clWhite);
  Chart.Gradient()->SetEndColor(static_cast<TColor>(0x123456));
  Chart.Title()->Brush()->SetStyle(bsDiagCross);
  Chart.Foot()->SetText({QStringLiteral("Foot")});
  Chart.BackWall()->Pen()->SetWidth(3);
  Chart.LeftWall()->SetColor(clChartAuto);
  Chart.Legend()->Font()->SetStyle({fsBold, fsStrikeOut});
  Chart.Legend()->SetShadowSize(-200);
  Chart.View3DOptions()->SetOrthogonal(false);
  Chart.View3DOptions()->SetRotation(300);
  Chart.SetAllowPanning(pmHorizontal);
  auto* S = Add<TSurfaceSeries>(QStringLiteral("Surface"));
  for (int x = 1; x <= 3; ++x)
    for (int z = 1; z <= 4; ++z) S->AddXYZ(x, x * z, z);
  S->SetWireFrame(true);
  ASSERT_TRUE(SaveChartToFile(Chart, Path("looks.cht")));
  const QJsonObject F = Checked(Path("looks.cht"));
  QHash<QString, QJsonValue> Props = PropertiesOf(F["chart"]);
  EXPECT_EQ(Props["BorderStyle"]["ident"].toString(), u"bsSingle");
  EXPECT_EQ(Props["Color"]["ident"].toString(), u"clWhite");
  EXPECT_EQ(Props["Gradient.EndColor"].toInt(), 0x123456);
  EXPECT_EQ(Props["Title.Brush.Style"]["ident"].toString(), u"bsDiagCross");
  EXPECT_EQ(Strings(Props["Foot.Text.Strings"]["list"]), QStringList{"Foot"});
  EXPECT_EQ(Props["BackWall.Pen.Width"].toInt(), 3);
  // The automatic colour shares its number with the first system colour, and its name.
  EXPECT_EQ(Props["LeftWall.Color"]["ident"].toString(), u"clScrollBar");
  EXPECT_EQ(Strings(Props["Legend.Font.Style"]["set"]), (QStringList{"fsBold", "fsStrikeOut"}));
  EXPECT_EQ(Props["Legend.ShadowSize"].toInt(), -200);
  EXPECT_EQ(Block(F, 0)["bytes"].toInt(), 5 + 8);
  EXPECT_EQ(Props["View3DOptions.Rotation"].toInt(), 300);
  EXPECT_EQ(Props["View3DOptions.Orthogonal"], QJsonValue(false));
  EXPECT_EQ(Props["AllowPanning"]["ident"].toString(), u"pmHorizontal");
  // A surface's own settings go with it, and its Z values after each point's Y.
  const QHash<QString, QJsonValue> Own = PropertiesOf(F["chart"]["children"][1]);
  EXPECT_EQ(Own.value("WireFrame"), QJsonValue(true));
  EXPECT_FALSE(Own.contains("NumZValues"));
  EXPECT_EQ(Block(F, 1)["extra"].toArray()[11].toArray()[0].toDouble(), 4);
}

TEST_F(NativeChartFileTest, TheControlsPlaceAndItsBackImageAreWritten) {
  QWidget Window;
  auto* C = new TChart(&Window);
  C->setObjectName(QStringLiteral("Placed"));
  C->setGeometry(5, 7, 300, 200);
  C->SetAlign(alClient);
  // Each pixel its own colour; the chart holds it as read, whatever the file it came from.
  QImage Pic(3, 2, QImage::Format_RGB32);
  for (int i = 0; i < 6; ++i) Pic.setPixel(i % 3, i / 3, qRgb(40 * i, 255 - 30 * i, 7 * i));
  TBitmap Back;
  Back.SetImage(Pic);
  C->SetBackImage(&Back);
  ASSERT_TRUE(SaveChartToFile(*C, Path("placed.cht")));
  const QJsonObject F = Checked(Path("placed.cht"));
  QHash<QString, QJsonValue> Props = PropertiesOf(F["chart"]);
  for (const auto& [Name, Value] :
       {std::pair{"Left", 5}, {"Top", 7}, {"Width", 300}, {"Height", 200}})
    EXPECT_EQ(Props[Name].toInt(), Value) << Name;
  EXPECT_EQ(Props["Align"]["ident"].toString(), u"alClient");
  EXPECT_EQ(Props["TabOrder"].toInt(-1), 0);
  // The picture: its class name, the size of the bitmap's data, the BMP file as Qt reads it.
  const QByteArray D = QByteArray::fromHex(Props["BackImage.Data"]["binary"].toString().toLatin1());
  ASSERT_GT(D.size(), 12);
  EXPECT_EQ(D.left(8), QByteArray("\x07TBitmap"));
  EXPECT_EQ(qFromLittleEndian<quint32>(D.constData() + 8), quint32(D.size() - 12));
  const QImage Read = QImage::fromData(D.mid(12), "BMP").convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(Read, Pic);
}
