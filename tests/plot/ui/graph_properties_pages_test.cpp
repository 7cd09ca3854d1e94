// The properties dialog's series, legend, colour map and contour pages driven through their
// controls, checked in the plot's picture after each change, and the inputs they refuse.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <algorithm>

#include "plot/core/graph.h"
#include "plot/ui/graph_properties.h"
#include "plot_fixture.h"

namespace {

using D_ = TfmGraphProperties;

struct TPagesFixture : TPlotFixture {
  std::unique_ptr<TfmGraphProperties> D;
  TSeries* Red = nullptr;
  TSeries* Blue = nullptr;

  // A red rising and a blue falling line that cross at (5, 5); blue lies on top.
  void TwoLines() {
    Red = AddLine(clRed);
    Red->Name = QStringLiteral("Red");
    auto S = std::make_unique<TSeries>(Plot->Graph(), clBlue, 2, QStringLiteral("Blue"));
    for (int I = 0; I <= 10; ++I) S->AddPoint(clBlue, QString(), I, 10 - I);
    S->SetLineWidth(3);
    Blue = static_cast<TSeries*>(Plot->AddSeries(std::move(S)));
  }
  void Open() {
    Plot->Redraw();
    D.reset(CreateForm<TfmGraphProperties>(Form.get()));
    D->Load(Plot, Plot->Graph());
    D->cbAutoApply->setChecked(true);
  }
  QRgb At(double X, double Y) const {
    return Picture().pixel(Graph().XToPixel(X), Graph().YToPixel(Y)) & 0xFFFFFF;
  }
  void Select(int Row) {
    D->clSeries->clearSelection();
    D->clSeries->setCurrentRow(Row);
  }
  QStringList Rows() const {
    QStringList R;
    for (int I = 0; I < D->clSeries->count(); ++I) R << D->clSeries->item(I)->text();
    return R;
  }
};

constexpr QRgb RedRgb = 0xFF0000, BlueRgb = 0x0000FF, White = 0xFFFFFF;

TEST(GraphPropertiesPages, SeriesOrderAndDeletionShowInThePicture) {
  TPagesFixture F;
  F.TwoLines();
  F.Open();
  TfmGraphProperties& D = *F.D;
  ASSERT_TRUE(D.PageShown(D_::piSeries));
  EXPECT_EQ(F.Rows(), (QStringList{"Blue", "Red"}));  // the top-most first
  EXPECT_EQ(F.At(5, 5), BlueRgb);

  // Nothing selected, or the first row going up: nothing moves.
  D.clSeries->clearSelection();
  D.SeriesOrderClick(3);
  F.Select(0);
  D.btnUp->click();
  EXPECT_EQ(F.Script.Messages(),
            (QStringList{"Select series for reorder", "Select series for reorder"}));
  EXPECT_EQ(F.At(5, 5), BlueRgb);

  F.Select(1);
  D.btnTop->click();  // red drawn last
  EXPECT_EQ(F.Rows(), (QStringList{"Red", "Blue"}));
  EXPECT_EQ(D.clSeries->currentRow(), 0);
  EXPECT_EQ(F.Graph().GetLayer(F.Graph().LayerCount() - 1), F.Red);
  EXPECT_EQ(F.At(5, 5), RedRgb);
  D.btnDown->click();  // one down again
  EXPECT_EQ(F.Rows(), (QStringList{"Blue", "Red"}));
  EXPECT_EQ(D.clSeries->currentRow(), 1);
  EXPECT_EQ(F.At(5, 5), BlueRgb);
  // The operations page lists the new order too.
  EXPECT_EQ(D.tbSeries->item(0)->text(), QStringLiteral("Blue"));

  // Unchecking hides the series.
  D.clSeries->item(1)->setCheckState(Qt::Unchecked);
  EXPECT_FALSE(F.Red->GetVisible());
  EXPECT_EQ(CountColor(F.Picture(), qRgb(255, 0, 0)), 0);
  D.clSeries->item(1)->setCheckState(Qt::Checked);

  // Delete asks first; Cancel keeps the series.
  F.Select(0);
  F.Script.Answer(mrCancel);
  D.btDeleteSeries->click();
  EXPECT_EQ(F.Graph().IndexOfLayer(F.Blue), 1);
  int Deleted = 0;
  F.Graph().OnDeleteSeries = [&](TLayer*) { ++Deleted; };
  F.Script.Answer(mrOk);
  D.btDeleteSeries->click();
  EXPECT_EQ(Deleted, 1);
  EXPECT_EQ(F.Rows(), (QStringList{"Red"}));
  EXPECT_EQ(CountColor(F.Picture(), qRgb(0, 0, 255)), 0);
  EXPECT_EQ(F.At(5, 5), RedRgb);
  EXPECT_EQ(F.Script.Messages().last(), QStringLiteral("Do you really want to delete series?"));
}

TEST(GraphPropertiesPages, UpAndDownTradePlacesWithTheNeighbourSeriesOnly) {
  TPagesFixture F;
  TSeries* Bottom = F.AddLine(clGreen);
  Bottom->Name = QStringLiteral("Low");
  TContour* C = F.AddContour();
  F.TwoLines();
  F.Open();
  TfmGraphProperties& D = *F.D;
  ASSERT_EQ(F.Rows(), (QStringList{"Blue", "Red", "Low"}));
  F.Select(2);
  D.btnUp->click();  // over the contour
  EXPECT_EQ(F.Graph().IndexOfLayer(C), 1);
  EXPECT_EQ(F.Graph().IndexOfLayer(Bottom), 2);
  EXPECT_EQ(F.Graph().IndexOfLayer(F.Red), 0);
  EXPECT_EQ(D.clSeries->currentRow(), 1);
  D.btnDown->click();
  EXPECT_EQ(F.Graph().IndexOfLayer(C), 1);
  EXPECT_EQ(F.Graph().IndexOfLayer(Bottom), 0);
  EXPECT_EQ(D.clSeries->currentRow(), 2);
}

TEST(GraphPropertiesPages, TheFlagsDisableOrderAndStyle) {
  TPagesFixture F;
  F.TwoLines();
  F.Plot->PropertiesControl.DisabledSeriesOrder = true;
  F.Plot->PropertiesControl.DisabledSeriesStyle = true;
  F.D.reset(CreateForm<TfmGraphProperties>(F.Form.get()));
  F.D->SeriesOrderAllowed = false;
  F.D->Load(F.Plot, F.Plot->Graph());
  TfmGraphProperties& D = *F.D;
  F.Select(1);
  for (QPushButton* B : {D.btnTop, D.btnUp, D.btnDown, D.btnBottom}) EXPECT_FALSE(B->isEnabled());
  EXPECT_FALSE(D.cbSeriesStyle->isEnabled());
  D.SeriesOrderClick(0);
  EXPECT_EQ(F.Graph().IndexOfLayer(F.Red), 0);
  EXPECT_TRUE(F.Script.Messages().isEmpty());
}

TEST(GraphPropertiesPages, StyleBoxTakesEveryKindAndWritesOnlyRealOnes) {
  TPagesFixture F;
  F.TwoLines();
  F.Red->SetSeriesKind(10);   // bars behind one another: the box's "Bar"
  F.Blue->SetSeriesKind(42);  // a kind the box has no row for
  F.Open();
  TfmGraphProperties& D = *F.D;
  EXPECT_EQ(D.cbSeriesStyle->count(), 8);  // no matrix series, no "Matrix"
  F.Select(1);
  EXPECT_EQ(D.cbSeriesStyle->currentText(), QStringLiteral("Bar"));
  EXPECT_FALSE(D.cbSeriesLineStyle->isEnabled());
  F.Select(0);
  EXPECT_EQ(D.cbSeriesStyle->currentIndex(), -1);
  EXPECT_EQ(F.Blue->FKind, 42);
  // An index off the box changes nothing.
  D.SeriesStyleChange(-1);
  D.SeriesStyleChange(8);
  EXPECT_EQ(F.Blue->FKind, 42);

  // A bar turned into points gets markers of size 6; both selected take the choice.
  F.Select(1);
  D.clSeries->item(0)->setSelected(true);
  EXPECT_TRUE(D.cbSeriesStyle->isEnabled());
  EXPECT_FALSE(D.btSeriesColor->isEnabled());  // several selected
  D.SeriesStyleChange(0);
  EXPECT_EQ(F.Red->FKind, 1);
  EXPECT_EQ(F.Red->FMarkerSize, 6);
  EXPECT_EQ(F.Blue->FKind, 1);
  // "Bar" on a graph of z-ordered bars makes the z-ordered kind.
  F.Graph().BarStyle = bsZOrdered;
  D.SeriesStyleChange(7);
  EXPECT_EQ(F.Red->FKind, 10);
}

TEST(GraphPropertiesPages, SeriesLookFollowsTheDialogWithOrWithoutALegendEntry) {
  TPagesFixture F;
  F.TwoLines();
  F.Red->SetHasLegend(true);  // blue has no entry
  F.Open();
  TfmGraphProperties& D = *F.D;
  ASSERT_EQ(F.Blue->Legend(), nullptr);
  F.Select(0);
  F.Script.AnswerColor(clLime);
  D.btSeriesColor->click();
  EXPECT_EQ(F.Blue->GetColor(), clLime);
  EXPECT_EQ(F.At(5, 5), 0x00FF00u);
  D.sbTicknessUp->click();
  EXPECT_EQ(F.Blue->LineWidth, 4);
  D.cbSeriesLineStyle->setCurrentIndex(1);
  emit D.cbSeriesLineStyle->activated(1);
  EXPECT_EQ(F.Blue->LineStyle, 1);

  F.Select(1);
  EXPECT_EQ(D.edSeriesName->text(), QStringLiteral("Red"));
  F.Script.AnswerColor(clFuchsia);
  D.btSeriesColor->click();
  EXPECT_EQ(F.Red->Legend()->Color, clFuchsia);
  D.edSeriesName->setText(QStringLiteral("Rose"));
  emit D.edSeriesName->textEdited(QStringLiteral("Rose"));
  emit D.edSeriesName->editingFinished();
  EXPECT_EQ(F.Red->Name, QStringLiteral("Rose"));
  EXPECT_EQ(F.Red->Legend()->Text, QStringLiteral("Rose"));
  EXPECT_EQ(D.clSeries->item(1)->text(), QStringLiteral("Rose"));
  // The width never goes below 1.
  for (int I = 0; I < 5; ++I) D.sbTicknessDn->click();
  EXPECT_EQ(F.Red->LineWidth, 1);
  D.chSecondaryY->click();
  EXPECT_TRUE(F.Red->GetOnYAxis2());
}

TEST(GraphPropertiesPages, LegendSwitchesEditTheChosenLegend) {
  TPagesFixture F;
  F.TwoLines();
  F.Red->SetHasLegend(true);
  F.Open();
  TfmGraphProperties& D = *F.D;
  ASSERT_TRUE(D.PageShown(D_::piLegends));
  TWLegend& Lines = *F.Graph().Legend;
  TColorLegend& Colors = *F.Graph().ColorLegend(0);
  F.Script.AnswerColor(clYellow);
  D.btLegendColor->click();
  const int Yellow = CountColor(F.Picture(), qRgb(255, 255, 0));
  EXPECT_GT(Yellow, 100);
  D.chLegendVisible->setChecked(false);
  EXPECT_FALSE(Lines.GetVisible());
  EXPECT_EQ(CountColor(F.Picture(), qRgb(255, 255, 0)), 0);
  D.chLegendVisible->setChecked(true);
  D.rgPosition->SetItemIndex(2);
  EXPECT_EQ(Lines.Style, lsBottom);

  // Thickness within 1..8; a text that is no number restarts from the end pressed for.
  for (int I = 0; I < 12; ++I) D.sbLegendFrameUp->click();
  EXPECT_EQ(Lines.FrameThickness, 8);
  for (int I = 0; I < 12; ++I) D.sbShadowDown->click();
  EXPECT_EQ(Lines.ShadowThickness, 1);
  D.edShadowWidth->setText(QStringLiteral("x"));
  D.sbShadowUp->click();
  EXPECT_EQ(D.edShadowWidth->text(), QStringLiteral("8"));
  EXPECT_EQ(Lines.ShadowThickness, 1);

  // The colour legend: the page reloads from it and writes to it alone.
  Colors.ShadowVisible = false;
  D.rgLType->SetItemIndex(1);
  EXPECT_FALSE(D.chShadowVisible->isChecked());
  D.chLegendTransparent->setChecked(true);
  EXPECT_TRUE(Colors.TransparentBackGround);
  EXPECT_FALSE(Lines.TransparentBackGround);
  D.cbFrameStyle->setCurrentIndex(2);
  EXPECT_EQ(Colors.FrameStyle, psDot);
  EXPECT_EQ(Lines.FrameStyle, psSolid);
  D.rgLType->SetItemIndex(0);
  EXPECT_TRUE(D.chShadowVisible->isChecked());
}

TEST(GraphPropertiesPages, ColorMapPaletteQualityAndCutOffs) {
  TPagesFixture F;
  GraphMatrix::TVector X{11}, Y{11};
  GraphMatrix::TMatrix Z{11, 11};
  for (int I = 1; I <= 11; ++I) X.SetValue(I, I - 1), Y.SetValue(I, I - 1);
  for (int I = 1; I <= 11; ++I)
    for (int J = 1; J <= 11; ++J) Z.SetValue(I, J, (I - 1) + 10.0 * (J - 1));
  auto* C = static_cast<TContour*>(
      F.Plot->AddSeries(std::make_unique<TContour>(F.Plot->Graph(), X, Y, Z, 5, true, false)));
  F.Open();
  TfmGraphProperties& D = *F.D;
  ASSERT_TRUE(D.PageShown(D_::piColorMap));
  EXPECT_FALSE(D.PageShown(D_::piContour));
  EXPECT_FALSE(D.PageShown(D_::piSeries));
  EXPECT_FALSE(D.cbTransparent->isVisibleTo(&D));
  EXPECT_EQ(D.rgQuality->ItemIndex(), C->CellSize - 1);

  // The palette shows in the strip and in the map at once.
  D.rgPalette->SetItemIndex(3);
  EXPECT_EQ(C->ColorPalette, 3);
  const QImage Strip = D.SampleStrip(220, 4);
  EXPECT_EQ(Strip.pixel(0, 0) & 0xFFFFFF, ToQColor(PaletteColor(*C, 10)).rgb() & 0xFFFFFF);
  EXPECT_EQ(Strip.pixel(219, 0) & 0xFFFFFF, ToQColor(PaletteColor(*C, 228)).rgb() & 0xFFFFFF);
  D.rgQuality->SetItemIndex(0);
  EXPECT_EQ(C->CellSize, 1);
  const QRgb Low = F.At(1, 1);
  EXPECT_NE(Low, White);

  // Values above 50 lose their shading; a value out of range is refused and changes nothing.
  D.ckLoColor->setChecked(true);
  TypeInto(D.edLoColor, QStringLiteral("50"), false);
  D.btColorMapApply->click();
  EXPECT_TRUE(C->UseZMax);
  EXPECT_EQ(F.At(9, 9), White);
  EXPECT_EQ(F.At(1, 1), Low);
  D.ckHiColor->setChecked(true);
  TypeInto(D.edHiColor, QStringLiteral("1e31"), false);
  D.btColorMapApply->click();
  EXPECT_FALSE(C->UseZMin);
  EXPECT_TRUE(F.Script.Messages().last().startsWith(QStringLiteral("Hi Color must be")));
  // Values below 20 go as well, and the cut-offs outlast another repaint.
  TypeInto(D.edHiColor, QStringLiteral("20"), false);
  D.btColorMapApply->click();
  F.Plot->PaintGraph();
  EXPECT_EQ(F.At(1, 1), White);
  EXPECT_EQ(F.At(9, 9), White);
  EXPECT_NE(F.At(5, 3), White);  // 35
  // Z may lie below zero, and so may a cut-off.
  const qsizetype Told = F.Script.Messages().size();
  TypeInto(D.edHiColor, QStringLiteral("-5"), false);
  D.btColorMapApply->click();
  EXPECT_EQ(F.Script.Messages().size(), Told);
  EXPECT_EQ(C->ZMin, -5);
}

struct TContourPage : TPagesFixture {
  TContour* C = nullptr;
  TContourPage() {
    C = AddContour();
    C->SetColor(clLime);
    C->ShowLabels = false;
    Open();
  }
  std::vector<double> Levels() const {
    std::vector<double> L;
    for (const TContourLine& Line : C->Lines())
      if (std::find(L.begin(), L.end(), Line.Level) == L.end()) L.push_back(Line.Level);
    std::sort(L.begin(), L.end());
    return L;
  }
};

TEST(GraphPropertiesPages, ContourCountIntervalAndRangeReachTheLevels) {
  TContourPage F;
  TfmGraphProperties& D = *F.D;
  ASSERT_TRUE(D.PageShown(D_::piContour));
  EXPECT_EQ(D.edRMin->text(), QStringLiteral("0"));
  EXPECT_EQ(D.edRMax->text(), QStringLiteral("110"));
  EXPECT_EQ(D.edNum->text(), QStringLiteral("5"));
  EXPECT_EQ(D.edInt->text(), QStringLiteral("22.0"));

  // One level: the interval shown is twice the range.
  TypeInto(D.edNum, QStringLiteral("1"));
  EXPECT_EQ(D.edInt->text(), QStringLiteral("220.0"));
  EXPECT_EQ(F.C->LevelCount, 1);
  // By interval: the layer takes the mode at once, the count follows, and Apply traces the
  // levels.
  D.rbInt->setChecked(true);
  EXPECT_TRUE(F.C->UseLevelStep);
  EXPECT_EQ(F.C->LevelStep, 220);
  TypeInto(D.edInt, QStringLiteral("27.5"), false);
  EXPECT_EQ(D.edNum->text(), QStringLiteral("5"));
  D.Button1->click();
  EXPECT_TRUE(F.C->UseLevelStep);
  // 0 and 110 touch the grid at a corner only and trace no line.
  EXPECT_EQ(F.Levels(), (std::vector<double>{27.5, 55, 82.5}));

  // Refused: an interval that makes no count or more than a hundred, and Minimum not below
  // Maximum. The dialog stays, the levels stay.
  const std::vector<double> Before = F.Levels();
  TypeInto(D.edInt, QStringLiteral("0"), false);
  EXPECT_EQ(D.edNum->text(), QStringLiteral("0"));
  D.Button1->click();
  // Put back, the interval in force shows again with its count.
  EXPECT_EQ(D.edInt->text(), QStringLiteral("27.5"));
  EXPECT_EQ(D.edNum->text(), QStringLiteral("5"));
  TypeInto(D.edInt, QStringLiteral("0.5"));
  EXPECT_EQ(F.C->LevelStep, 27.5);
  D.chLowLab->setChecked(true);
  D.chUpLab->setChecked(true);
  TypeInto(D.edMin, QStringLiteral("200"));
  EXPECT_EQ(D.edMin->text(), QStringLiteral("0"));
  const QStringList M = F.Script.Messages();
  ASSERT_EQ(M.size(), 3);
  EXPECT_TRUE(M[0].startsWith(QStringLiteral("The number of Contours must be")));
  EXPECT_TRUE(M[1].startsWith(QStringLiteral("The number of Contours must be")));
  EXPECT_EQ(M[2], QStringLiteral("Minimum must be less than Maximum."));
  EXPECT_EQ(F.Levels(), Before);

  // A fixed range of 20 .. 60 in four levels.
  D.rbNum->setChecked(true);
  TypeInto(D.edMin, QStringLiteral("20"));
  TypeInto(D.edMax, QStringLiteral("60"));
  TypeInto(D.edNum, QStringLiteral("4"));
  EXPECT_EQ(D.edInt->text(), QStringLiteral("10.0"));
  EXPECT_EQ(F.Levels(), (std::vector<double>{20, 30, 40, 50}));
  D.rbInt->setChecked(true);
  D.rbNum->setChecked(true);
  EXPECT_FALSE(F.C->UseLevelStep);
  EXPECT_EQ(F.C->LevelCount, 5);  // the count the interval of 10 gave
  // A count typed out of 1..100 is refused when left.
  TypeInto(D.edNum, QStringLiteral("500"));
  EXPECT_EQ(F.C->LevelCount, 5);
}

TEST(GraphPropertiesPages, ManualLevelsReplaceTheListAndABadLineIsNamed) {
  TContourPage F;
  TfmGraphProperties& D = *F.D;
  const int X = F.Graph().XToPixel(5), Y = F.Graph().YToPixel(4.5);  // Z = 50 there
  auto LimeNear = [&] {
    for (int DX = -1; DX <= 1; ++DX)
      for (int DY = -1; DY <= 1; ++DY)
        if ((F.Picture().pixel(X + DX, Y + DY) & 0xFFFFFF) == 0x00FF00) return true;
    return false;
  };
  EXPECT_FALSE(LimeNear());
  D.chkAuto->setChecked(false);
  EXPECT_TRUE(F.C->Lines().empty());
  D.mmLevels->setPlainText(QStringLiteral("50\n30\n"));
  D.chkManual->setChecked(true);
  D.btManualApply->click();
  EXPECT_EQ(F.Levels(), (std::vector<double>{30, 50}));
  EXPECT_TRUE(LimeNear());

  // The memo replaces the list.
  D.mmLevels->setPlainText(QStringLiteral("40"));
  D.btManualApply->click();
  EXPECT_EQ(F.C->LevelList, QStringList{"40"});
  EXPECT_EQ(F.Levels(), (std::vector<double>{40}));
  EXPECT_FALSE(LimeNear());

  // A line that is no number is named; the list and the lines stay.
  D.mmLevels->setPlainText(QStringLiteral("45\n\nabc\n12"));
  D.btManualApply->click();
  EXPECT_EQ(F.Script.Messages(), QStringList{"Line 3 error."});
  EXPECT_EQ(F.C->LevelList, QStringList{"40"});
  EXPECT_EQ(F.Levels(), (std::vector<double>{40}));

  // An entry the layer cannot read, from elsewhere, is told when the levels are made.
  F.C->LevelList = {QStringLiteral("70"), QStringLiteral("7O")};
  D.chkManual->setChecked(false);
  D.chkManual->setChecked(true);
  EXPECT_EQ(F.Levels(), (std::vector<double>{70}));
  EXPECT_EQ(F.Script.Messages().last(), QStringLiteral("\"7O\" is not a valid number"));
}

TEST(GraphPropertiesPages, ContourLabelsAndColourStyle) {
  TContourPage F;
  TfmGraphProperties& D = *F.D;
  D.chLabVisible->setChecked(true);
  EXPECT_TRUE(F.C->ShowLabels);
  TypeInto(D.edPos, QStringLiteral("1"), false);
  EXPECT_EQ(F.C->LabelDigits, 1);
  EXPECT_EQ(D.edInt->text(), QStringLiteral("22.0"));
  TypeInto(D.edLblInt, QStringLiteral("3"), false);
  EXPECT_EQ(F.C->LabelEvery, 3);
  D.edLblInt->Finish();
  // Out of range: kept, and put back when left.
  TypeInto(D.edLblInt, QStringLiteral("300"), false);
  D.edLblInt->Finish();
  EXPECT_EQ(F.C->LabelEvery, 3);
  EXPECT_EQ(D.edLblInt->text(), QStringLiteral("3"));
  // Colour shading: each line in its level's colour; "Color..." only for one colour.
  EXPECT_TRUE(D.btContourColor->isEnabled());
  const int Lime = CountColor(F.Picture(), qRgb(0, 255, 0));
  EXPECT_GT(Lime, 50);
  D.cbColorStyle->setCurrentIndex(0);
  EXPECT_FALSE(F.C->OneColor);
  EXPECT_FALSE(D.btContourColor->isEnabled());
  EXPECT_LT(CountColor(F.Picture(), qRgb(0, 255, 0)), Lime);
}

}  // namespace
