// The property objects: each writes the graph's own object, compares first, and repaints only
// while the plot's AutoApply is set (with the exceptions the objects name).
#include "plot_fixture.h"

namespace {

// Runs Set twice with AutoApply on: the first changes the graph and repaints once, the second
// (the same value) does nothing. With AutoApply off a change stores without repainting.
template <class Set, class Check>
void ExpectWriteThrough(TPlotFixture& F, const char* What, Set S, Check C) {
  F.Plot->AutoApply = false;
  S(false);
  int Before = F.Paints;
  S(true);
  EXPECT_TRUE(C(true)) << What;
  EXPECT_EQ(F.Paints, Before) << What << ": repainted without AutoApply";
  S(false);
  F.Plot->AutoApply = true;
  Before = F.Paints;
  S(true);
  EXPECT_TRUE(C(true)) << What;
  EXPECT_EQ(F.Paints, Before + 1) << What;
  S(true);
  EXPECT_EQ(F.Paints, Before + 1) << What << ": the same value repainted";
  F.Plot->AutoApply = false;
}

TEST(PlotProperties, SettersWriteTheGraphCompareFirstAndRepaintWithAutoApply) {
  TPlotFixture F;
  F.AddLine();
  TGraph& G = F.Graph();
  TPlot& P = *F.Plot;
  ExpectWriteThrough(
      F, "Grid", [&](bool On) { P.XAxis->SetGrid(On); },
      [&](bool On) { return G.XAxis->Grid == On; });
  ExpectWriteThrough(
      F, "Visible", [&](bool On) { P.YAxis->SetVisible(!On); },
      [&](bool On) { return G.YAxis->GetVisible() == !On; });
  ExpectWriteThrough(
      F, "Log", [&](bool On) { P.XAxis->SetLog(On); }, [&](bool On) { return G.XAxis->Log == On; });
  ExpectWriteThrough(
      F, "Axis colour", [&](bool On) { P.XAxis->SetColor(On ? clRed : clBlack); },
      [&](bool) { return G.XAxis->GetColor() == clRed; });
  ExpectWriteThrough(
      F, "Tick length", [&](bool On) { P.XAxis->Ticks.SetMajorLength(On ? 9 : 4); },
      [&](bool) { return G.XAxis->Ticks.MajorLength == 9; });
  ExpectWriteThrough(
      F, "Position", [&](bool On) { P.XAxis->SetPosition(On ? 2.5 : 0); },
      [&](bool) { return G.XAxis->Position == 2.5; });
  ExpectWriteThrough(
      F, "Title visible", [&](bool On) { P.Title->SetVisible(!On); },
      [&](bool) { return !G.Title.Visible; });
  ExpectWriteThrough(
      F, "Gradient", [&](bool On) { P.Gradient->SetStartColor(On ? clYellow : clWhite); },
      [&](bool) { return G.Gradient->StartColor == clYellow; });
  ExpectWriteThrough(
      F, "Frame width", [&](bool On) { P.Frame->SetWidth(On ? 5 : 1); },
      [&](bool) { return G.Frame.Width == 5; });
  ExpectWriteThrough(
      F, "Info position", [&](bool On) { P.Info->SetPosition(On ? ipBottomCenter : ipRightTop); },
      [&](bool) { return G.Info->Position == ipBottomCenter; });
  ExpectWriteThrough(
      F, "Info visible", [&](bool On) { P.Info->SetVisible(!On); },
      [&](bool) { return !G.Info->GetVisible(); });
  ExpectWriteThrough(
      F, "Info format",
      [&](bool On) { P.Info->SetFormatX(On ? QStringLiteral("%.2f") : QString()); },
      [&](bool) { return G.Info->FormatX == u"%.2f"; });
  // The plot's own published settings follow the same rule.
  ExpectWriteThrough(
      F, "Color", [&](bool On) { P.SetColor(On ? clSilver : clWhite); },
      [&](bool) { return G.Color == clSilver; });
  ExpectWriteThrough(
      F, "BarStyle", [&](bool On) { P.SetBarStyle(On ? bsStacked : bsClustered); },
      [&](bool) { return G.BarStyle == bsStacked; });
  ExpectWriteThrough(
      F, "Exaggerate", [&](bool On) { P.SetExaggerate(On ? 1 : 0); },
      [&](bool) { return G.Exaggerate == 1; });
}

TEST(PlotProperties, TheExceptionsToTheRule) {
  TPlotFixture F;
  TGraph& G = F.Graph();
  TPlot& P = *F.Plot;
  // The label frequency repaints whatever AutoApply says, but only when it changes.
  int Before = F.Paints;
  P.XAxis->SetLabelsFrequency(3);
  EXPECT_EQ(G.XAxis->LabelsFrequency, 3);
  EXPECT_EQ(F.Paints, Before + 1);
  P.XAxis->SetLabelsFrequency(3);
  EXPECT_EQ(F.Paints, Before + 1);
  // Zoom values and bounds are stored as given and never repaint.
  P.AutoApply = true;
  Before = F.Paints;
  P.Zoom->SetSteps(9);
  P.Zoom->SetChangePerStep(0.5);
  P.Zoom->SetColor(clRed);
  P.Zoom->SetStyle(zsOut);
  P.XAxis->SetMinimum(-2);
  P.XAxis->SetMaximum(7);
  P.XAxis->SetLabelsStyle(asInteger);
  EXPECT_EQ(F.Paints, Before);
  EXPECT_EQ(G.Zoom.Steps, 9);
  EXPECT_EQ(G.Zoom.ChangePerStep, 0.5);
  EXPECT_EQ(G.Zoom.Color, clRed);
  EXPECT_EQ(G.Zoom.Style, zsOut);
  EXPECT_EQ(G.XAxis->Min, -2);
  EXPECT_EQ(G.XAxis->Max, 7);
  EXPECT_EQ(G.XAxis->LabelsStyle, asInteger);
  // Fonts are copied in without comparison and repaint with AutoApply.
  TFont Big;
  Big.Assign(P.Title->GetFont());
  Big.SetSize(20);
  P.Title->SetFont(Big);
  P.Title->SetFont(Big);
  EXPECT_EQ(F.Paints, Before + 2);
  EXPECT_EQ(G.Title.Font.Size(), 20);
  // The info font is copied in without a repaint.
  P.Info->SetFont(Big);
  EXPECT_EQ(F.Paints, Before + 2);
  EXPECT_EQ(G.Info->Font.Size(), 20);
  P.AutoApply = false;
}

TEST(PlotProperties, LegendsStoreAtOnceAndShowAtTheNextRedraw) {
  TPlotFixture F;
  TSeries* S = F.AddLine();
  auto* Entry = static_cast<TSeriesLegend*>(
      F.Plot->Legend->Add(std::make_unique<TSeriesLegend>(F.Plot->Graph())));
  S->SetLegend(Entry);
  EXPECT_EQ(F.Plot->Legend->GetCount(), 1);
  F.Plot->Redraw();
  const TRect Shown = F.Graph().Legend->Bounds;
  EXPECT_GT(Shown.Right - Shown.Left, 0);
  // Whatever AutoApply says, the legends' setters store and never repaint.
  F.Plot->AutoApply = true;
  const int Before = F.Paints;
  F.Plot->Legend->SetVisible(false);
  F.Plot->Legend->SetColor(clYellow);
  F.Plot->Legend->SetFrameThickness(3);
  F.Plot->ColorLegend->SetStyle(lsBottom);
  EXPECT_EQ(F.Paints, Before);
  EXPECT_FALSE(F.Graph().Legend->GetVisible());
  EXPECT_EQ(F.Graph().Legend->GetColor(), clYellow);
  EXPECT_EQ(F.Graph().Legend->FrameThickness, 3);
  EXPECT_EQ(F.Graph().ColorLegend(0)->Style, lsBottom);
  // The picture still shows the legend until the caller redraws.
  const QImage Old = F.Picture().copy();
  F.Plot->AutoApply = false;
  F.Plot->Redraw();
  EXPECT_NE(F.Picture(), Old);
}

TEST(PlotProperties, TitleTextSplitsAtEveryHash) {
  TPlotFixture F;
  TPlotTitles& T = *F.Plot->Title;
  T.SetText(QStringLiteral("A#B#"));
  EXPECT_EQ(T.Title()->Lines, (QStringList{"A", "B"}));
  EXPECT_EQ(T.GetText(), QStringLiteral("A#B#"));
  T.SetText(QStringLiteral("A#B"));
  EXPECT_EQ(T.Title()->Lines, (QStringList{"A", "B"}));
  T.SetText(QStringLiteral("A##B"));
  EXPECT_EQ(T.Title()->Lines, (QStringList{"A", "", "B"}));
  T.SetText(QStringLiteral("#"));
  EXPECT_EQ(T.Title()->Lines, QStringList{""});
  EXPECT_EQ(T.GetText(), QStringLiteral("#"));
  T.SetText(QString());
  EXPECT_TRUE(T.Title()->Lines.isEmpty());
  EXPECT_EQ(T.GetText(), QString());
  // With AutoApply every line added repaints, and so does clearing.
  F.Plot->AutoApply = true;
  int Before = F.Paints;
  T.SetText(QStringLiteral("x#y#z"));
  EXPECT_EQ(F.Paints, Before + 3);
  Before = F.Paints;
  T.SetText(QString());
  EXPECT_EQ(F.Paints, Before + 1);

  // Titles start at the left; a text of tens of thousands of lines keeps the first hundred.
  EXPECT_EQ(F.Plot->Title->GetAlignment(), taLeftJustify);
  EXPECT_EQ(F.Plot->Foot->GetAlignment(), taLeftJustify);
  EXPECT_EQ(F.Graph().Foot.Alignment, taLeftJustify);
  F.Plot->AutoApply = false;
  T.SetText(QString(50000, u'#'));
  EXPECT_EQ(T.Title()->Lines.size(), TGraphTitle::MaxLines);
  EXPECT_FALSE(T.Title()->AddLine(QStringLiteral("more")));
  T.SetText(QStringLiteral("A#") + QString(50000, u'#'));
  EXPECT_EQ(T.Title()->Lines.front(), QStringLiteral("A"));
  EXPECT_EQ(T.Title()->Lines.size(), TGraphTitle::MaxLines);
}

TEST(PlotProperties, PictureFileNameLoadsWhatExistsAndAlwaysRepaints) {
  TPlotFixture F;
  TPlotPicture& Pic = *F.Plot->Picture;
  const QString File = F.Dir.filePath(QStringLiteral("back.png"));
  QImage Img(8, 6, QImage::Format_RGB32);
  Img.fill(Qt::green);
  ASSERT_TRUE(Img.save(File));
  int Before = F.Paints;
  Pic.SetPictureFileName(File);
  EXPECT_EQ(F.Paints, Before + 1);  // repaints even without AutoApply
  ASSERT_NE(F.Graph().Picture->Picture(), nullptr);
  EXPECT_EQ(F.Graph().Picture->Picture()->size(), QSize(8, 6));
  // A name that is no file keeps the previous picture, and still repaints.
  Before = F.Paints;
  Pic.SetPictureFileName(F.Dir.filePath(QStringLiteral("none.png")));
  EXPECT_EQ(F.Paints, Before + 1);
  ASSERT_NE(F.Graph().Picture->Picture(), nullptr);
  // Names differ as the file system tells them apart: the upper-case name is another file.
  Pic.SetPictureFileName(File);
  Before = F.Paints;
  Pic.SetPictureFileName(File.toUpper());
  EXPECT_EQ(Pic.GetPictureFileName(), File.toUpper());
  EXPECT_EQ(F.Paints, Before + 1);
  Pic.SetPictureFileName(File.toUpper());
  EXPECT_EQ(F.Paints, Before + 1);
  // Shown with the graph.
  Pic.SetPictureFileName(File);
  Pic.SetVisible(true);
  F.Plot->Redraw();
  EXPECT_GT(CountColor(F.Picture(), qRgb(0, 255, 0)), 100);
}

}  // namespace
