// Stored chart settings: what is written, the round trip, and streams that are refused whole.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "chart/engine/chart.h"
#include "chart/engine/chart_exceptions.h"
#include "chart/engine/chart_registry.h"
#include "chart/engine/chart_stream.h"
#include "chart/engine/custom_series.h"
#include "chart/engine/series_types.h"

namespace {
QStringList Names(const std::vector<TChartStreamProperty>& P) {
  QStringList R;
  for (const TChartStreamProperty& X : P) R.append(X.Name);
  return R;
}

std::string ReadError(TChart& Chart, const QByteArray& Data) {
  try {
    ReadChartComponents(Chart, Data);
  } catch (const ChartException& E) {
    return E.what();
  }
  return "accepted";
}

TChartStreamObject Series(const QString& Class, const QString& Name,
                          std::vector<TChartStreamProperty> P = {}) {
  TChartStreamObject O;
  O.ClassName = Class;
  O.Name = Name;
  O.Properties = std::move(P);
  return O;
}

TChartStreamValue I(int V) { return TStreamValue::OfInt(V); }
TChartStreamValue F(double V) { return TStreamValue::OfFloat(V); }
TChartStreamValue B(bool V) { return TStreamValue::OfBool(V); }
TChartStreamValue S(const char* V) { return TStreamValue::OfString(QString::fromUtf8(V)); }
TChartStreamValue Id(const char* V) { return TStreamValue::OfIdent(QString::fromLatin1(V)); }
template <size_t N>
TChartStreamValue Picture(const char (&Bytes)[N]) {
  TChartStreamValue V;
  V.Kind = skBinary;
  V.Bytes = QByteArray(Bytes, N - 1);
  return V;
}
TChartStreamValue Sources(const QStringList& Names) {
  std::vector<TStreamValue> Items;
  for (const QString& N : Names) Items.push_back(TStreamValue::OfString(N));
  return TStreamValue::OfList(std::move(Items));
}

// The properties in which two objects differ, as "object.property".
void Differ(const TChartStreamObject& A, const TChartStreamObject& B, QStringList& Out) {
  auto Side = [&](const TChartStreamObject& X, const TChartStreamObject& Y) {
    for (const TChartStreamProperty& P : X.Properties) {
      const TChartStreamProperty* Q = FindStreamProperty(Y, P.Name);
      if (!Q || !(Q->Value == P.Value)) Out.append(X.Name + "." + P.Name);
    }
  };
  Side(A, B);
  Side(B, A);
  for (size_t i = 0; i < std::min(A.Children.size(), B.Children.size()); ++i)
    Differ(A.Children[i], B.Children[i], Out);
  if (A.Children.size() != B.Children.size()) Out.append(A.Name + ".children");
}

QByteArray Stream(std::vector<TChartStreamObject> Children,
                  std::vector<TChartStreamProperty> Props = {}) {
  TChartStreamObject Root;
  Root.ClassName = QStringLiteral("TChart");
  Root.Properties = std::move(Props);
  Root.Children = std::move(Children);
  return EncodeChartStream(Root);
}
}  // namespace

TEST(ChartStream, StoredPropertiesFollowTheRules) {
  TChart Chart;
  TChartAxis* L = Chart.LeftAxis();
  // A new chart stores only its place and size, a new axis nothing.
  EXPECT_EQ(Names(ChartComponent(Chart).Properties),
            (QStringList{"Left", "Top", "Width", "Height"}));
  EXPECT_TRUE(WriteAxisProperties(*L).empty());
  // Ends are stored only where they are not automatic.
  L->SetAutomaticMaximum(false);
  L->SetMaximum(80);
  EXPECT_EQ(Names(WriteAxisProperties(*L)),
            (QStringList{"Automatic", "AutomaticMaximum", "Maximum"}));
  L->SetMinMax(5, 50);
  EXPECT_TRUE(Names(WriteAxisProperties(*L)).contains("Minimum"));
  // The value format only when changed; the title angle only when not the axis' own (90 on the
  // left); fonts whole or not at all.
  L->SetAutomatic(true);
  L->SetAxisValuesFormat(QStringLiteral("#,##0.###"));
  L->Title()->SetAngle(90);
  EXPECT_TRUE(WriteAxisProperties(*L).empty());
  L->Title()->SetAngle(0);
  L->LabelsFont()->SetSize(14);
  L->SetStartPosition(10);
  EXPECT_EQ(Names(WriteAxisProperties(*L)),
            (QStringList{"StartPosition", "Title.Angle", "LabelsFont.Name", "LabelsFont.Size",
                         "LabelsFont.Color", "LabelsFont.Style"}));
  // The bottom axis keeps 0 as its own title angle.
  Chart.BottomAxis()->Title()->SetAngle(0);
  EXPECT_TRUE(WriteAxisProperties(*Chart.BottomAxis()).empty());

  // A series stores its extra properties, its sources by name and its function as its child.
  RegisterChartClasses();
  TLineSeries A, B;
  A.SetName(QStringLiteral("Prices"));
  A.SetParentChart(&Chart);
  B.SetParentChart(&Chart);
  B.SetIdentifier(QStringLiteral("id-7"));
  B.SetStyleFlags(5);
  B.SetFunction(std::make_unique<TAddChartFunction>());
  B.SetDataSource(&A);
  const TChartStreamObject O = WriteSeriesObject(B);
  EXPECT_EQ(O.ClassName, u"TLineSeries");
  const QStringList N = Names(O.Properties);
  EXPECT_TRUE(N.contains("Identifier") && N.contains("Style") && N.contains("SeriesColor"));
  EXPECT_FALSE(N.contains("Active") || N.contains("Title"));
  ASSERT_NE(FindStreamProperty(O, "DataSources"), nullptr);
  EXPECT_EQ(FindStreamProperty(O, "DataSources")->Value, Sources({"Prices"}));
  ASSERT_EQ(O.Children.size(), 1u);
  EXPECT_EQ(O.Children[0].ClassName, u"TAddChartFunction");
}

TEST(ChartStream, RoundTripOfAxesSeriesSourcesAndFunction) {
  RegisterChartClasses();
  TChart From;
  From.SetClipPoints(false);
  From.SetMaxPointsPerPage(7);
  From.SetView3D(false);
  From.SetChart3DPercent(30);
  From.SetMarginLeft(7);
  From.SetPrintResolution(-40);
  From.Title()->SetText({QStringLiteral("Sales"), QStringLiteral("2026")});
  From.Foot()->SetVisible(false);
  From.Legend()->SetVisible(false);
  TChartAxis* L = From.LeftAxis();
  L->SetMinMax(-5, 50);
  L->SetIncrement(5);
  L->SetInverted(true);
  L->SetLabelsOnAxis(false);
  L->SetTickOnLabelsOnly(false);
  L->SetLabelStyle(talValue);
  L->SetTitleCaption(QStringLiteral("Price"));
  L->Title()->Font()->SetStyle({fsBold});
  L->Grid()->SetColor(clRed);
  L->Grid()->SetStyle(psDashDot);
  L->SetMinorTickCount(7);
  From.BottomAxis()->SetAxisValuesFormat(QStringLiteral("0.00"));
  From.BottomAxis()->SetEndPosition(90);
  From.DepthAxis()->SetVisible(true);
  TLineSeries A, B;
  A.SetName(QStringLiteral("Source"));
  A.SetTitle(QStringLiteral("Day prices"));
  A.SetSeriesColor(clNavy);
  A.XValues()->SetDateTime(true);
  A.Marks()->SetVisible(true);
  A.Marks()->SetStyle(smsLabelValue);
  A.Marks()->Arrow()->SetColor(clGreen);
  A.Marks()->Font()->SetSize(11);
  A.SetZOrder(3);
  A.SetVertAxis(aRightAxis);
  A.SetParentChart(&From);
  B.SetName(QStringLiteral("Sum"));
  B.SetParentChart(&From);
  auto F = std::make_unique<TAddChartFunction>();
  F->SetPeriod(4);
  F->SetPeriodAlign(paLast);
  B.SetFunction(std::move(F));
  B.SetDataSource(&A);
  B.SetIdentifier(QStringLiteral("sum of day"));
  B.SetStyleFlags(33);

  const QByteArray Data = WriteChartComponents(From);
  TChart To;
  const auto Read = ReadChartComponents(To, Data);
  ASSERT_EQ(Read.size(), 2u);
  EXPECT_EQ(To.SeriesCount(), 2);
  EXPECT_FALSE(To.ClipPoints());
  EXPECT_EQ(To.MaxPointsPerPage(), 7);
  EXPECT_FALSE(To.View3D());
  EXPECT_EQ(To.Chart3DPercent(), 30);
  EXPECT_EQ(To.MarginLeft(), 7);
  EXPECT_EQ(To.PrintResolution(), -40);
  EXPECT_EQ(To.Title()->Text(), (QStringList{"Sales", "2026"}));
  EXPECT_FALSE(To.Foot()->Visible());
  EXPECT_FALSE(To.Legend()->Visible());
  const TChartAxis* RL = To.LeftAxis();
  EXPECT_FALSE(RL->Automatic());
  EXPECT_DOUBLE_EQ(RL->Minimum(), -5);
  EXPECT_DOUBLE_EQ(RL->Maximum(), 50);
  EXPECT_DOUBLE_EQ(RL->Increment(), 5);
  EXPECT_TRUE(RL->Inverted());
  EXPECT_FALSE(RL->LabelsOnAxis());
  EXPECT_FALSE(RL->TickOnLabelsOnly());
  EXPECT_EQ(RL->LabelStyle(), talValue);
  EXPECT_EQ(RL->TitleCaption(), u"Price");
  EXPECT_EQ(RL->Title()->Angle(), 90);
  EXPECT_TRUE(RL->Title()->Font()->Style().Contains(fsBold));
  EXPECT_EQ(RL->Grid()->Color(), clRed);
  EXPECT_EQ(RL->Grid()->Style(), psDashDot);
  EXPECT_EQ(RL->MinorTickCount(), 7);
  EXPECT_EQ(To.BottomAxis()->AxisValuesFormat(), u"0.00");
  EXPECT_DOUBLE_EQ(To.BottomAxis()->EndPosition(), 90);
  EXPECT_TRUE(To.DepthAxis()->Visible());
  TChartSeries* RA = Read[0].get();
  TChartSeries* RB = Read[1].get();
  EXPECT_EQ(RA->ClassName(), u"TLineSeries");
  EXPECT_EQ(RA->Name(), u"Source");
  EXPECT_EQ(RA->Title(), u"Day prices");
  EXPECT_EQ(RA->SeriesColor(), clNavy);
  EXPECT_TRUE(RA->XValues()->DateTime());
  EXPECT_TRUE(RA->Marks()->Visible());
  EXPECT_EQ(RA->Marks()->Style(), smsLabelValue);
  EXPECT_EQ(RA->Marks()->Arrow()->Color(), clGreen);
  EXPECT_EQ(RA->Marks()->Font()->Size(), 11);
  EXPECT_EQ(RA->ZOrder(), 3);
  EXPECT_EQ(RA->VertAxis(), aRightAxis);
  EXPECT_EQ(RB->DataSource(), RA);
  ASSERT_NE(RB->Function(), nullptr);
  EXPECT_EQ(RB->Function()->ClassName(), u"TAddChartFunction");
  EXPECT_DOUBLE_EQ(RB->Function()->Period(), 4);
  EXPECT_EQ(RB->Function()->PeriodAlign(), paLast);
  EXPECT_EQ(RB->Identifier(), u"sum of day");
  EXPECT_EQ(RB->StyleFlags(), 33);
  // The bound source feeds its reader: its points reach the sum.
  RA->AddXY(1, 10);
  RA->AddXY(2, 20);
  RA->RefreshSeries();
  EXPECT_GT(RB->Count(), 0);
  // Written again, the stream is the same.
  QStringList Diff;
  Differ(DecodeChartStream(WriteChartComponents(To)), DecodeChartStream(Data), Diff);
  EXPECT_TRUE(Diff.isEmpty()) << Diff.join(", ").toStdString();
}

TEST(ChartStream, DamagedOrHostileStreamsAreRefusedAndTheChartKeepsItsSettings) {
  RegisterChartClasses();
  TChart Chart;
  Chart.LeftAxis()->SetMinMax(1, 9);
  Chart.LeftAxis()->SetTitleCaption(QStringLiteral("Kept"));
  TLineSeries Own;
  Own.SetName(QStringLiteral("Own"));
  Own.SetParentChart(&Chart);
  const QByteArray Before = WriteChartComponents(Chart);
  auto Unchanged = [&] {
    EXPECT_EQ(Chart.SeriesCount(), 1);
    EXPECT_EQ(WriteChartComponents(Chart), Before);
  };

  // Bytes: every cut of a good stream, a wrong signature, bytes after the end, texts and counts
  // larger than the stream or the limits, an unknown kind of value, a number that is not finite.
  const QByteArray Good =
      Stream({Series("TLineSeries", "New", {{"Title", S("x")}})}, {{"LeftAxis.Increment", F(2)}});
  EXPECT_EQ(ReadError(Chart, Good), "accepted");
  TChart Fresh;
  for (int n = 0; n < Good.size(); ++n) {
    const std::string E = ReadError(Fresh, Good.left(n));
    EXPECT_EQ(E.rfind("Invalid chart stream: ", 0), 0u) << n << " " << E;
  }
  EXPECT_EQ(Fresh.SeriesCount(), 0);
  // The good stream was taken: its series went with the answer, its increment stays.
  Chart.LeftAxis()->SetIncrement(0);
  Unchanged();
  QByteArray Bad = Good;
  Bad[0] = 'X';
  EXPECT_EQ(ReadError(Chart, Bad), "Invalid chart stream: no component stream signature");
  EXPECT_EQ(ReadError(Chart, Good + "x"), "Invalid chart stream: bytes after the end");
  // The title as a long string whose length claims four gigabytes, then one that claims more
  // than the stream holds.
  const QByteArray Title("\x05Title\x06\x01x", 9);
  ASSERT_TRUE(Good.contains(Title));
  Bad = Good;
  Bad.replace(Title, QByteArray("\x05Title\x0C\xFF\xFF\xFF\xFF", 11));
  EXPECT_EQ(ReadError(Chart, Bad), "Invalid chart stream: a text is too long");
  Bad = Good;
  Bad.replace(Title, QByteArray("\x05Title\x0C\x00\x10\x00\x00x", 12));
  EXPECT_EQ(ReadError(Chart, Bad), "Invalid chart stream: it ends too early");
  Bad = Good;
  Bad.replace(Title, QByteArray("\x05Title\x0F\x01x", 9));
  EXPECT_EQ(ReadError(Chart, Bad), "Invalid chart stream: unknown kind of value 15");
  QStringList Many;
  for (int i = 0; i <= MaxStreamItems; ++i) Many.append(QString());
  EXPECT_EQ(
      ReadError(Chart, Stream({Series("TLineSeries", "A", {{"DataSources", Sources(Many)}})})),
      "Invalid chart stream: too many items");
  EXPECT_EQ(ReadError(Chart, Stream({}, {{"LeftAxis.Increment", F(std::nan(""))}})),
            "Invalid chart stream: a number is not finite");
  TChartStreamObject Deep = Series("TLineSeries", "");
  for (int i = 0; i < 6; ++i) {
    TChartStreamObject Up = Series("TLineSeries", "");
    Up.Children.push_back(Deep);
    Deep = Up;
  }
  EXPECT_EQ(ReadError(Chart, Stream({Deep})), "Invalid chart stream: objects nested too deep");
  Unchanged();

  // Values: unknown names and kinds, out of range, refused by the setters, ends out of order.
  const std::pair<QByteArray, std::string> Cases[] = {
      {Stream({}, {{"LeftAxis.Colour", I(1)}}), "Unknown property Colour of an axis"},
      {Stream({}, {{"LeftAxis.Inverted", I(1)}}),
       "Property Inverted of an axis has the wrong kind of value"},
      {Stream({}, {{"LeftAxis.MinorTickCount", I(1000000)}}),
       "Invalid value 1000000 of MinorTickCount"},
      {Stream({}, {{"LeftAxis.LabelStyle", Id("talSome")}}), "Invalid value talSome of LabelStyle"},
      {Stream({}, {{"LeftAxis.LabelStyle", S("talValue")}}),
       "Property LabelStyle of an axis has the wrong kind of value"},
      {Stream({}, {{"LeftAxis.Grid.Color", Id("clPlaid")}}), "Unknown colour clPlaid"},
      {Stream({}, {{"LeftAxis.Title.Font.Style", TStreamValue::OfSet({"fsBold", "fsHuge"})}}),
       "Invalid value fsHuge of Font.Style"},
      {Stream({}, {{"LeftAxis.Increment", F(-1)}}), "Axis increment must be >= 0"},
      {Stream({}, {{"LeftAxis.LabelsAngle", I(400)}}),
       "Axis Labels Angle must be between 0 and 360 degrees"},
      {Stream({}, {{"LeftAxis.Automatic", B(false)},
                   {"LeftAxis.Minimum", F(20)},
                   {"LeftAxis.Maximum", F(10)}}),
       "Axis Minimum Value must be <= Maximum"},
      {Stream({}, {{"SideAxis.Visible", B(true)}}),
       "Unknown property SideAxis.Visible of the chart"},
      {Stream({}, {{"MaxPointsPerPage", I(-1)}}), "MaxPointsPerPage must be >= 0"},
      {Stream({}, {{"View3D", B(false)}, {"Chart3DPercent", I(0)}}),
       "3D effect percent must be between 1 and 100"},
      {Stream({},
              {{"Legend.Visible", B(false)}, {"Title.Text.Strings", TStreamValue::OfList({I(1)})}}),
       "Property Title.Text.Strings of the chart has the wrong kind of value"},
      {Stream({Series("TNoSuchSeries", "A")}), "Unknown series class TNoSuchSeries"},
      {Stream({Series("TLineSeries", "A", {{"DataSources", Sources({"Nobody"})}})}),
       "Unknown data source Nobody"},
      {Stream({Series("TLineSeries", "A", {{"DataSources", S("A")}})}),
       "Property DataSources of A has the wrong kind of value"},
      {Stream({Series("TLineSeries", "A", {{"DataSources", Sources({"A"})}})}),
       "No valid DataSource: A"},
      {Stream({Series("TLineSeries", "A", {{"DataSources", Sources({"B"})}}),
               Series("TLineSeries", "B", {{"DataSources", Sources({"A"})}})}),
       "Circular Series dependences are not allowed"},
      {Stream({Series("TLineSeries", "A"), Series("TLineSeries", "A")}), "Two series are named A"},
      {Stream({Series("TLineSeries", "A", {{"Style", I(64)}})}), "Invalid value 64 of Style"},
      {Stream({}, {{"View3DOptions.Zoom", I(0)}}), "Invalid value 0 of View3DOptions.Zoom"},
      {Stream({Series("TPointSeries", "P", {{"Pointer.HorizSize", I(0)}})}),
       "Invalid value 0 of Pointer.HorizSize"},
  };
  for (const auto& [Data, Message] : Cases) {
    EXPECT_EQ(ReadError(Chart, Data), Message);
    Unchanged();
  }
  // A source may be a series the chart had.
  EXPECT_EQ(
      ReadError(Chart,
                Stream({Series("TLineSeries", "Reader", {{"DataSources", Sources({"Own"})}})})),
      "accepted");
  EXPECT_TRUE(Own.LinkedSeries().empty());
  Unchanged();
  // A series whose function is unknown.
  TChartStreamObject WithFunction = Series("TLineSeries", "A");
  WithFunction.Children.push_back(Series("TNoFunction", ""));
  EXPECT_EQ(ReadError(Chart, Stream({WithFunction})), "Unknown function class TNoFunction");
  Unchanged();
}

namespace {
QImage Painted(TChart& Chart) {
  Chart.resize(400, 300);
  Chart.Repaint();
  return Chart.Backing()->Image().convertToFormat(QImage::Format_RGB32);
}
}  // namespace

TEST(ChartStream, TitlesLegendWallsAndPanelLooksComeBack) {
  RegisterChartClasses();
  // A new chart's stream is the signature, the class, the name, its place and size, two ends.
  TChart Fresh;
  Fresh.SetName(QStringLiteral("C"));
  Fresh.setGeometry(3, -2, 400, 250);
  EXPECT_EQ(WriteChartComponents(Fresh),
            QByteArray("TPF0\x06TChart\x01"
                       "C\x04Left\x02\x03\x03Top\x02\xFE\x05Width\x03\x90\x01"
                       "\x06Height\x03\xFA\x00\x00\x00",
                       47));

  TChart From;
  From.SetBevelInner(bvLowered);
  From.SetBevelOuter(bvNone);
  From.SetBorderStyle(bsSingle);
  From.SetColor(clSilver);
  From.Gradient()->SetVisible(true);
  From.Gradient()->SetDirection(gdLeftRight);
  From.Gradient()->SetStartColor(clAqua);
  From.Gradient()->SetEndColor(static_cast<TColor>(0x123456));
  From.SetBackImageMode(pbmTile);
  TChartTitle* T = From.Title();
  T->SetAlignment(taLeftJustify);
  T->SetAdjustFrame(false);
  T->Brush()->SetStyle(bsCross);
  T->Brush()->SetColor(clLime);
  T->SetColor(clYellow);
  T->Frame()->SetVisible(true);
  T->Frame()->SetWidth(2);
  T->Font()->SetSize(14);
  T->Font()->SetStyle({fsItalic, fsUnderline});
  From.Foot()->SetText({QStringLiteral("Foot")});
  From.Foot()->SetAlignment(taRightJustify);
  From.Foot()->Font()->SetColor(clRed);
  From.LeftWall()->SetColor(clFuchsia);
  From.LeftWall()->SetSize(6);
  From.LeftWall()->SetDark3D(false);
  From.BottomWall()->Pen()->SetStyle(psDot);
  From.BottomWall()->SetSize(4);
  // A colour kept on a clear brush must not make it solid when read.
  From.BackWall()->Brush()->SetColor(clTeal);
  From.BackWall()->Brush()->SetStyle(bsClear);
  From.BackWall()->SetColor(clCream);
  From.SetBackImageInside(true);
  QImage Pic(2, 2, QImage::Format_RGB32);
  Pic.fill(qRgb(9, 99, 199));
  Pic.setPixel(1, 0, qRgb(250, 1, 2));
  TBitmap Back;
  Back.SetImage(Pic);
  From.SetBackImage(&Back);
  TChartLegend* L = From.Legend();
  L->SetAlignment(laBottom);
  L->SetColor(clInfoBk);
  L->SetColorWidth(30);
  L->DividingLines()->SetVisible(true);
  L->Frame()->SetColor(clBlue);
  L->Font()->SetName(QStringLiteral("Courier New"));
  L->SetHorizMargin(9);
  L->SetInverted(true);
  L->SetLegendStyle(ChartLegend::lsValues);
  L->SetMaxNumRows(3);
  L->SetShadowColor(clGray);
  L->SetShadowSize(6);
  L->SetTextStyle(ltsRightPercent);
  L->SetTopPos(40);
  L->SetVertMargin(2);
  TLineSeries* A = static_cast<TLineSeries*>(From.AdoptSeries(std::make_unique<TLineSeries>()));
  A->SetName(QStringLiteral("A"));
  for (int i = 0; i < 5; ++i) A->AddXY(i, i * i % 7);

  const QByteArray Data = WriteChartComponents(From);
  const TChartStreamObject Root = DecodeChartStream(Data);
  const QStringList N = Names(Root.Properties);
  for (const char* Name :
       {"BevelInner", "BorderStyle", "Color", "Gradient.EndColor", "Title.Brush.Style",
        "Title.Frame.Width", "Title.Font.Style", "Foot.Font.Color", "LeftWall.Dark3D",
        "BottomWall.Pen.Style", "BackWall.Brush.Color", "BackImageInside", "Legend.ShadowSize"})
    EXPECT_TRUE(N.contains(Name)) << Name;
  // Sub-objects keep their own order; the title's font goes whole, the unchanged wall not at all.
  EXPECT_LT(N.indexOf("Title.Alignment"), N.indexOf("Title.Font.Name"));
  EXPECT_LT(N.indexOf("Title.Font.Style"), N.indexOf("Foot.Text.Strings"));
  EXPECT_TRUE(N.contains("Title.Font.Color"));
  EXPECT_TRUE(N.contains("Legend.Font.Size"));
  EXPECT_FALSE(N.contains("BackWall.Size") || N.contains("Foot.Visible"));
  EXPECT_EQ(FindStreamProperty(Root, "Legend.TextStyle")->Value, Id("ltsRightPercent"));
  EXPECT_EQ(FindStreamProperty(Root, "Title.Font.Style")->Value,
            TStreamValue::OfSet({"fsItalic", "fsUnderline"}));

  TChart To;
  auto Read = ReadChartComponents(To, Data);
  ASSERT_EQ(Read.size(), 1u);
  for (int i = 0; i < 5; ++i) Read[0]->AddXY(i, i * i % 7);
  EXPECT_EQ(To.BackWall()->Brush()->Style(), bsClear);
  EXPECT_EQ(To.BackWall()->Brush()->Color(), clTeal);
  EXPECT_EQ(To.Legend()->LegendStyle(), ChartLegend::lsValues);
  EXPECT_EQ(To.Title()->Font()->Size(), 14);
  EXPECT_EQ(To.BorderStyle(), bsSingle);
  ASSERT_NE(To.BackImage(), nullptr);
  EXPECT_EQ(To.BackImage()->Image().convertToFormat(QImage::Format_RGB32), Pic);
  QStringList Diff;
  Differ(DecodeChartStream(WriteChartComponents(To)), Root, Diff);
  EXPECT_TRUE(Diff.isEmpty()) << Diff.join(", ").toStdString();
  const QImage Want = Painted(From);
  EXPECT_EQ(Painted(To), Want);
  EXPECT_NE(Painted(Fresh), Want);
}

TEST(ChartStream, HostileLooksAreRefusedAndPutBack) {
  TChart Chart;
  Chart.Legend()->SetTopPos(25);
  Chart.LeftWall()->SetSize(3);
  Chart.Gradient()->SetVisible(true);
  const QByteArray Before = WriteChartComponents(Chart);
  const std::pair<std::vector<TChartStreamProperty>, std::string> Cases[] = {
      {{{"Legend.Alignment", Id("laMiddle")}}, "Invalid value laMiddle of Alignment"},
      {{{"BorderStyle", I(1)}}, "Property BorderStyle of the chart has the wrong kind of value"},
      {{{"Title.Brush.Style", Id("bsPlaid")}}, "Invalid value bsPlaid of Style"},
      {{{"LeftWall.Dark3D", S("yes")}},
       "Property LeftWall.Dark3D of the chart has the wrong kind of value"},
      {{{"BottomWall.Size", I(-4)}}, "Invalid value -4 of BottomWall.Size"},
      {{{"Gradient.StartColor", Id("clNowhere")}}, "Unknown colour clNowhere"},
      {{{"Legend.Font.Style", TStreamValue::OfSet({"fsWide"})}},
       "Invalid value fsWide of Font.Style"},
      {{{"BackWall.Image", I(0)}}, "Unknown property BackWall.Image of the chart"},
      {{{"Width", I(100000)}}, "Invalid value 100000 of Width"},
      {{{"BackImage.Data", Picture("\x05TIcon\x00\x00\x00\x00")}},
       "The back image is not a bitmap"},
      {{{"BackImage.Data", Picture("\x07TBitmap\x09\x00\x00\x00BM\xFF")}},
       "The back image cannot be read: its size is wrong"},
      // Taken first, then a value out of range: what was taken is put back.
      {{{"Legend.Alignment", Id("laTop")},
        {"LeftWall.Size", I(50)},
        {"Gradient.Visible", B(false)},
        {"BevelOuter", Id("bvLowered")},
        {"Title.Font.Size", I(30)},
        {"Legend.TopPos", I(101)}},
       "Invalid value 101 of Legend.TopPos"},
  };
  for (const auto& [Props, Message] : Cases) {
    EXPECT_EQ(ReadError(Chart, Stream({}, Props)), Message);
    EXPECT_EQ(WriteChartComponents(Chart), Before) << Message;
  }
  EXPECT_EQ(Chart.Legend()->Alignment(), laRight);
}

TEST(ChartStream, TheViewZoomAndEverySeriesKindsOwnSettingsComeBackAndDefaultsStayOut) {
  RegisterChartClasses();
  // A new series of any kind stores nothing.
  const TChartSeriesTypes& Types = ChartSeriesTypes();
  for (int i = 0; i < Types.Count(); ++i) {
    const TChartSeriesClass& C = Types.GetSeriesType(i).SeriesClass;
    if (C.IsNull()) continue;
    std::unique_ptr<TChartSeries> New(C.Create());
    EXPECT_EQ(Names(WriteSeriesObject(*New).Properties), QStringList()) << C.Name.toStdString();
  }

  // Per kind what has a rule of its own: enumerations, colours, pens, brushes, pointers, whole
  // fonts, value lists, kind-dependent names, a shape's style beside its style flags and corners.
  const std::vector<TChartStreamObject> Kinds = {
      Series("TLineSeries", "Line",
             {{"LineBrush", Id("bsCross")},
              {"Pointer.Style", Id("psStar")},
              {"XValues.ValueSource", S("Time")}}),
      Series("TAreaSeries", "Area", {{"AreaColor", Id("clLime")}, {"MultiArea", Id("maStacked")}}),
      Series("TPointSeries", "Point", {{"Pointer.VertSize", I(7)}}),
      Series("TFastLineSeries", "Fast", {{"LinePen.Color", I(0x123456)}}),
      Series("TBarSeries", "Bar", {{"BarStyle", Id("bsCilinder")}, {"YOrigin", F(2.5)}}),
      Series("THorizBarSeries", "HBar", {{"CustomBarHeight", I(9)}}),
      Series("TPieSeries", "Pie",
             {{"OtherSlice.Style", Id("poBelowPercent")}, {"PiePen.Visible", B(false)}}),
      Series("TPolarSeries", "Polar",
             {{"CircleBackColor", Id("clYellow")},
              {"CircleLabelsFont.Name", S("Courier New")},
              {"CircleLabelsFont.Style", TStreamValue::OfSet({"fsBold"})}}),
      Series("TRadarSeries", "Radar", {{"CloseCircle", B(false)}}),
      Series("TChartShape", "Shape",
             {{"Style", Id("chasStar")}, {"Style", I(3)}, {"X1", F(50)}, {"Y0", F(6)}}),
      Series("TGanttSeries", "Gantt", {{"EndValues.DateTime", B(false)}}),
      Series("TArrowSeries", "Arrow", {{"EndYValues.Order", Id("loAscending")}}),
      Series("TBubbleSeries", "Bubble", {{"RadiusValues.Multiplier", F(0.5)}}),
      Series("TSurfaceSeries", "Surface", {{"ZValues.Name", S("Depth")}, {"WireFrame", B(true)}}),
      Series("TContourSeries", "Contour", {{"NumLevels", I(7)}, {"YPosition", F(1.5)}}),
  };
  const std::vector<TChartStreamProperty> View = {
      {"AllowPanning", Id("pmVertical")},     {"AnimatedZoom", B(true)},
      {"AnimatedZoomSteps", I(20)},           {"Monochrome", B(true)},
      {"View3DOptions.Elevation", I(320)},    {"View3DOptions.HorizOffset", I(-40)},
      {"View3DOptions.Orthogonal", B(false)}, {"View3DOptions.Rotation", I(300)},
      {"View3DOptions.Tilt", I(10)},          {"View3DOptions.Zoom", I(150)}};
  // Written again, each value read comes out as it went in. (Pies and polar series set the view
  // of the chart they join, so the view goes in a chart of its own.)
  auto Holds = [](const TChartStreamObject& O, const TChartStreamProperty& P) {
    return std::find(O.Properties.begin(), O.Properties.end(), P) != O.Properties.end();
  };
  TChart Turned;
  ReadChartComponents(Turned, Stream({}, View));
  const TChartStreamObject Viewed = DecodeChartStream(WriteChartComponents(Turned));
  for (const TChartStreamProperty& P : View) EXPECT_TRUE(Holds(Viewed, P)) << P.Name.toStdString();
  TChart To;
  const auto Read = ReadChartComponents(To, Stream(Kinds));
  const TChartStreamObject Again = DecodeChartStream(WriteChartComponents(To));
  ASSERT_EQ(Again.Children.size(), Kinds.size());
  for (size_t k = 0; k < Kinds.size(); ++k)
    for (const TChartStreamProperty& P : Kinds[k].Properties)
      EXPECT_TRUE(Holds(Again.Children[k], P))
          << Kinds[k].Name.toStdString() << "." << P.Name.toStdString();
}
