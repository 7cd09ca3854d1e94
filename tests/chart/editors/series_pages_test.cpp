// The series format pages: each control changes its series and the picture, loading a page
// writes nothing back, a deleted series empties its page, grids are capped, and numeric edits
// take only text that reads as a number.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "chart/editors/grid_series_pages.h"
#include "chart/editors/series_pages.h"
#include "chart/engine/bar_series.h"
#include "chart/engine/custom_series.h"
#include "chart/engine/pie_series.h"
#include "chart/engine/polar_series.h"
#include "chart/engine/shape_series.h"
#include "chart/engine/surface_series.h"
#include "platform/controls.h"
#include "platform/memory_check.h"
#include "tests/chart/editors/editor_test_support.h"

namespace {
template <class Page>
std::unique_ptr<Page> Open(TChartSeries* S) {
  auto P = std::make_unique<Page>(nullptr);
  P->SetSeries(S);
  P->PageShow();
  return P;
}

void Choose(QComboBox* C, int Index) {
  C->setCurrentIndex(Index);
  emit C->activated(Index);
}

class SeriesPagesTest : public ChartEditorTest {
 protected:
  template <class S>
  S* Add(int Points = -1) {
    auto* X = static_cast<S*>(Chart->AdoptSeries(std::make_unique<S>()));
    X->FillSampleValues(Points > 0 ? Points : X->NumSampleValues());
    return X;
  }
  // A surface that makes its own values, as the gallery's samples do.
  TSurfaceSeries* AddSurface() {
    auto* S = Add<TSurfaceSeries>();
    S->OnGetYValue = [](TChartSeries*, int X, int Z) { return double(X * Z % 7); };
    S->CreateValues(10, 10);
    return S;
  }
};
}  // namespace

TEST_F(SeriesPagesTest, SurfaceAndGridPagesChangeTheSurfaceButLoadingWritesNothing) {
  TSurfaceSeries* S = AddSurface();
  S->SetUseColorRange(false);
  S->SetUsePalette(false);
  S->SetDotFrame(true);
  const QImage Shown = Picture();
  auto Surface = Open<TSurfaceSeriesEditor>(S);
  auto Grid = Open<TGrid3DSeriesEditor>(S);
  // What the pages show is what the series holds, and showing it changed nothing.
  EXPECT_EQ(Surface->RGDrawMode->ItemIndex(), 2);
  EXPECT_TRUE(Grid->RGColor->isChecked());
  EXPECT_EQ(Grid->SEXGrid->text(), QStringLiteral("10"));
  EXPECT_TRUE(S->DotFrame());
  EXPECT_FALSE(S->UseColorRange() || S->UsePalette());
  EXPECT_EQ(Picture(), Shown);
  // Showing again after the series changed reloads without writing back.
  S->SetWireFrame(true);
  Surface->PageShow();
  EXPECT_EQ(Surface->RGDrawMode->ItemIndex(), 1);
  EXPECT_TRUE(S->WireFrame());

  Surface->RGDrawMode->SetItemIndex(0);
  EXPECT_FALSE(S->WireFrame());
  EXPECT_FALSE(S->DotFrame());
  const QImage Solid = Picture();
  Grid->RGPalette->click();
  EXPECT_TRUE(S->UsePalette());
  EXPECT_FALSE(S->UseColorRange());
  EXPECT_NE(Picture(), Solid);
  Type(Grid->SEPalette, QStringLiteral("4"));
  EXPECT_EQ(S->PaletteSteps(), 4);
  Grid->RGRange->click();
  EXPECT_TRUE(S->UseColorRange());
  Dialogs.AnswerColor(0x00FF00);
  Grid->Shape3->Clicked();
  EXPECT_EQ(S->EndColor(), TColor(0x00FF00));
  EXPECT_EQ(Grid->Shape3->Color(), TColor(0x00FF00));
  Type(Grid->EDepth, QStringLiteral("5"));
  EXPECT_EQ(S->TimesZOrder(), 5);
  Surface->RGDrawMode->SetItemIndex(1);
  EXPECT_TRUE(S->WireFrame());
}

TEST_F(SeriesPagesTest, GridSizesAreCappedAndAGridWithoutMemoryIsRefused) {
  TSurfaceSeries* S = AddSurface();
  auto Grid = Open<TGrid3DSeriesEditor>(S);
  Type(Grid->SEXGrid, QStringLiteral("20"));
  EXPECT_EQ(S->NumXValues(), 20);
  EXPECT_EQ(S->Count(), 200);
  // More than 500 a side is not taken at all.
  Type(Grid->SEXGrid, QStringLiteral("501"));
  Type(Grid->SEZGrid, QStringLiteral("100000"));
  EXPECT_EQ(S->NumXValues(), 20);
  EXPECT_EQ(S->NumZValues(), 10);
  EXPECT_EQ(Dialogs.Messages(), QStringList(2, QStringLiteral("Value must be between 1 and 500")));
  Dialogs.Requests.clear();
  // A grid the memory cannot hold: the engine's message, and the old grid stays.
  SetAvailableMemorySource([] { return std::optional<std::uint64_t>(1000); });
  Type(Grid->SEZGrid, QStringLiteral("400"));
  SetAvailableMemorySource(nullptr);
  ASSERT_EQ(Dialogs.Messages().size(), 1);
  EXPECT_EQ(Dialogs.Messages()[0],
            QStringLiteral("Not enough memory for a grid of 20 x 400 points"));
  EXPECT_EQ(S->NumZValues(), 10);
  EXPECT_EQ(S->Count(), 200);
  EXPECT_EQ(Grid->SEZGrid->text(), QStringLiteral("10"));

  // A surface the program filled cannot make other values: its sizes cannot be changed.
  auto* Filled = Add<TSurfaceSeries>();
  auto Other = Open<TGrid3DSeriesEditor>(Filled);
  EXPECT_FALSE(Other->SEXGrid->isEnabled());
  EXPECT_FALSE(Other->SEZGrid->isEnabled());
  // One making sample values can: its grid is made again at the new size.
  struct TSampleSurface : TSurfaceSeries {
    using TSurfaceSeries::SetSampleValues;
  };
  auto* Sample = Add<TSampleSurface>();
  Sample->SetSampleValues(true);
  auto Third = Open<TGrid3DSeriesEditor>(Sample);
  ASSERT_TRUE(Third->SEXGrid->isEnabled());
  EXPECT_TRUE(Third->SEZGrid->isEnabled());
  Type(Third->SEXGrid, QStringLiteral("12"));
  EXPECT_EQ(Sample->Count(), 12 * Sample->NumZValues());
}

TEST_F(SeriesPagesTest, APageWhoseSeriesWasDeletedEmptiesItself) {
  auto* S = Add<TBarSeries>();
  auto Page = Open<TBarSeriesEditor>(S);
  Chart->FreeSeries(S);
  // The next control the user touches finds the series gone.
  Page->CBDarkBar->click();
  Type(Page->SEBarwidth, QStringLiteral("50"));
  EXPECT_FALSE(Page->isEnabled());
  EXPECT_TRUE(Page->CBBarStyle->isHidden());
  Page->PageShow();
  EXPECT_FALSE(Page->isEnabled());
}

TEST_F(SeriesPagesTest, NumberEditsTakeOnlyTextThatReadsAsANumber) {
  // Characters that make no number are not taken as typed; half-typed text ("-") is left
  // alone, and only a number reaches the series.
  auto* Bar = Add<TBarSeries>();
  Bar->SetUseYOrigin(false);
  auto B = Open<TBarSeriesEditor>(Bar);
  EXPECT_FALSE(B->EYOrigin->isEnabled());
  B->CBYOrigin->click();
  EXPECT_TRUE(Bar->UseYOrigin());
  EXPECT_TRUE(B->EYOrigin->isEnabled());
  for (const char* Partial : {"", "-", "abc"}) {
    Keys(B->EYOrigin, QLatin1String(Partial));
    EXPECT_EQ(Bar->YOrigin(), 0) << Partial;
  }
  Keys(B->EYOrigin, QStringLiteral("-2.5"));
  QTest::keyClick(B->EYOrigin, Qt::Key_Return);
  EXPECT_EQ(Bar->YOrigin(), -2.5);
  EXPECT_TRUE(Dialogs.Messages().isEmpty());
  // Text that is still no number when the typing ends says so and undoes its prefixes.
  Keys(B->EYOrigin, QStringLiteral("12e999"));
  EXPECT_EQ(Bar->YOrigin(), 12e99);
  QTest::keyClick(B->EYOrigin, Qt::Key_Return);
  EXPECT_EQ(Bar->YOrigin(), -2.5);
  EXPECT_EQ(B->EYOrigin->text(), QStringLiteral("-2.5"));
  EXPECT_EQ(Dialogs.Messages(), QStringList{QStringLiteral("'12e999' is not a valid number")});
  Dialogs.Requests.clear();

  auto* Shape = Add<TChartShape>();
  auto Sh = Open<TChartShapeEditor>(Shape);
  const double X1 = Shape->X1();
  Keys(Sh->EX1, QStringLiteral("-"));
  EXPECT_EQ(Shape->X1(), X1);
  Keys(Sh->EX1, QStringLiteral("1E2"));
  EXPECT_EQ(Shape->X1(), 100);

  auto* Pie = Add<TPieSeries>();
  auto P = Open<TPieSeriesEditor>(Pie);
  Choose(P->CBOther, int(poBelowValue));
  Keys(P->EOtherValue, QStringLiteral("."));
  EXPECT_EQ(Pie->OtherSlice()->Value(), 0);
  Keys(P->EOtherValue, QStringLiteral("12"));
  EXPECT_EQ(Pie->OtherSlice()->Value(), 12);
  EXPECT_TRUE(Dialogs.Messages().isEmpty());
}

TEST_F(SeriesPagesTest, PieAndBarPagesChangeTheirSeries) {
  auto* Pie = Add<TPieSeries>(5);
  auto P = Open<TPieSeriesEditor>(Pie);
  EXPECT_TRUE(P->CBAutoX->isChecked());
  EXPECT_FALSE(P->EOtherValue->isEnabled());
  const QImage Before = Picture();
  Type(P->SERotation, QStringLiteral("360"));
  EXPECT_EQ(Pie->RotationAngle(), 0);
  Type(P->SERotation, QStringLiteral("90"));
  EXPECT_EQ(Pie->RotationAngle(), 90);
  EXPECT_NE(Picture(), Before);
  Type(P->SEXRadius, QStringLiteral("50"));
  EXPECT_EQ(Pie->CustomXRadius(), 50);
  EXPECT_FALSE(P->CBAutoX->isChecked());
  P->CBAutoX->click();
  EXPECT_EQ(Pie->CustomXRadius(), 0);
  // "Default" after "Ascending" leaves the values ascending.
  Choose(P->CBOrder, 1);
  Choose(P->CBOrder, 0);
  for (int i = 1; i < Pie->Count(); ++i) EXPECT_LE(Pie->YValue(i - 1), Pie->YValue(i));
  P->CB3D->click();
  EXPECT_FALSE(Chart->View3D());

  auto* Bar = Add<TBarSeries>(4);
  auto B = Open<TBarSeriesEditor>(Bar);
  Choose(B->CBBarStyle, int(ChartBar::bsPyramid));
  EXPECT_EQ(Bar->BarStyle(), ChartBar::bsPyramid);
  B->RGMultiBar->SetItemIndex(2);
  EXPECT_EQ(Bar->MultiBar(), mbStacked);
  Type(B->SEBarwidth, QStringLiteral("40"));
  EXPECT_EQ(Bar->BarWidthPercent(), 40);
  B->CBColorEach->click();
  EXPECT_TRUE(Bar->ColorEachPoint());
  // A colour for the whole series ends the colour of each point.
  Dialogs.AnswerColor(0x00FF00);
  B->BBarColor->click();
  EXPECT_EQ(Bar->SeriesColor(), TColor(0x00FF00));
  EXPECT_FALSE(Bar->ColorEachPoint());
  EXPECT_GT(CountColor(Picture(), TColor(0x00FF00)), 50);
}

TEST_F(SeriesPagesTest, PointerLineAreaAndPolarPages) {
  auto* Line = Add<TLineSeries>(6);
  auto L = Open<TCustomSeriesEditor>(Line);
  EXPECT_FALSE(L->CBInverted->isEnabled());
  L->CBStairs->click();
  EXPECT_TRUE(Line->Stairs());
  EXPECT_TRUE(L->CBInverted->isEnabled());
  Choose(L->CBLineBrush, int(bsCross));
  EXPECT_EQ(Line->LineBrush(), bsCross);

  Line->Pointer()->SetVisible(true);
  auto Ptr = Open<TSeriesPointerEditor>(Line);
  Choose(Ptr->CBStyle, int(psCircle));
  EXPECT_EQ(Line->Pointer()->Style(), psCircle);
  // 3D points only for the shapes that have sides.
  EXPECT_FALSE(Ptr->CB3dPoint->isEnabled());
  Choose(Ptr->CBStyle, int(psTriangle));
  EXPECT_TRUE(Ptr->CB3dPoint->isEnabled());
  Ptr->CBPoiVisible->click();
  EXPECT_FALSE(Line->Pointer()->Visible());
  EXPECT_FALSE(Ptr->CBStyle->isEnabled());
  EXPECT_FALSE(Ptr->CB3dPoint->isEnabled());
  Type(Ptr->SEPointHorizSize, QStringLiteral("0"));
  EXPECT_EQ(Line->Pointer()->HorizSize(), 4);

  // Bubbles size their points by their radius values.
  auto* Bubble = Add<TBubbleSeries>(4);
  auto Bu = Open<TSeriesPointerEditor>(Bubble);
  EXPECT_FALSE(Bu->SEPointHorizSize->isEnabled());
  EXPECT_FALSE(Bu->LHeight->isEnabled());

  auto* Area = Add<TAreaSeries>(6);
  auto A = Open<TAreaSeriesEditor>(Area);
  A->RGMultiArea->SetItemIndex(1);
  EXPECT_EQ(Area->MultiArea(), maStacked);
  A->CBColorEach->click();
  EXPECT_FALSE(A->BAreaColor->isEnabled());

  auto* Radar = Add<TRadarSeries>(5);
  auto R = Open<TPolarSeriesEditor>(Radar);
  EXPECT_TRUE(R->SEAngleInc->isHidden());
  auto* Polar = Add<TPolarSeries>(5);
  auto Po = Open<TPolarSeriesEditor>(Polar);
  EXPECT_FALSE(Po->SEAngleInc->isHidden());
  Type(Po->SEAngleInc, QStringLiteral("45"));
  EXPECT_EQ(Polar->AngleIncrement(), 45);
  Dialogs.Requests.clear();
  Type(Po->SERotation, QStringLiteral("400"));
  EXPECT_EQ(Dialogs.Messages(), QStringList{QLatin1String(PieMessages::RotationAngle)});
  Po->CBAngleLabels->click();
  EXPECT_TRUE(Polar->CircleLabels());
  Then([](TForm& F) {
    auto& D = dynamic_cast<TPenDialog&>(F);
    D.SHColor->SetColor(clRed);
    D.ThePen.SetColor(clRed);
    D.Button1->click();
  });
  Po->Button2->click();
  EXPECT_EQ(Polar->SeriesColor(), clRed);
}

TEST_F(SeriesPagesTest, ShapeGanttArrowAndFastLinePages) {
  auto* Shape = Add<TChartShape>();
  auto Sh = Open<TChartShapeEditor>(Shape);
  Choose(Sh->CBStyle, int(chasCircle));
  EXPECT_EQ(Shape->Style(), chasCircle);
  Sh->MText->setPlainText(QStringLiteral("one\ntwo"));
  EXPECT_EQ(Shape->Text(), (QStringList{"one", "two"}));
  Sh->RGAlign->SetItemIndex(2);
  EXPECT_EQ(Shape->Alignment(), taRightJustify);
  Dialogs.AnswerColor(0x00FF00);
  Sh->BBrushColor->click();
  EXPECT_EQ(Shape->Brush()->Color(), TColor(0x00FF00));
  EXPECT_EQ(Sh->SHBrushColor->Color(), TColor(0x00FF00));
  EXPECT_GT(CountColor(Picture(), TColor(0x00FF00)), 100);

  auto* Gantt = Add<TGanttSeries>(4);
  Gantt->SetColorEachPoint(false);
  auto G = Open<TGanttSeriesEditor>(Gantt);
  Type(G->SEPointVertSize, QStringLiteral("12"));
  EXPECT_EQ(Gantt->Pointer()->VertSize(), 12);
  G->CBColorEach->click();
  EXPECT_TRUE(Gantt->ColorEachPoint());
  EXPECT_TRUE(G->SHColor->isHidden());
  // One colour for the series ends the colour of each point.
  Dialogs.AnswerColor(clRed);
  G->BColor->click();
  EXPECT_EQ(Gantt->SeriesColor(), clRed);
  EXPECT_FALSE(Gantt->ColorEachPoint());
  EXPECT_FALSE(G->CBColorEach->isChecked());

  auto* Arrow = Add<TArrowSeries>(4);
  auto Ar = Open<TArrowSeriesEditor>(Arrow);
  Type(Ar->SEArrowWidth, QStringLiteral("9"));
  EXPECT_EQ(Arrow->ArrowWidth(), 9);
  Arrow->Pointer()->Brush()->SetColor(clBlue);
  Ar->CBColorEach->click();
  EXPECT_TRUE(Arrow->ColorEachPoint());
  EXPECT_EQ(Arrow->Pointer()->Brush()->Color(), clChartAuto);
  EXPECT_FALSE(Ar->BArrowColor->isEnabled());

  // The fast line's border dialog starts from the series colour and gives its colour back.
  auto* Fast = Add<TFastLineSeries>(10);
  auto F = Open<TFastLineSeriesEditor>(Fast);
  Fast->SetSeriesColor(clBlue);
  Then([](TForm& Form) {
    auto& D = dynamic_cast<TPenDialog&>(Form);
    EXPECT_EQ(D.ThePen.Color(), clBlue);
    D.ThePen.SetColor(clRed);
    D.Button1->click();
  });
  F->BLinePen->click();
  EXPECT_EQ(Fast->SeriesColor(), clRed);
  EXPECT_EQ(F->SHColor->Color(), clRed);
}
