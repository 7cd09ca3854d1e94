// The gallery's pages of sample charts and the series list's rows.
#include <QCheckBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>

#include "chart/editors/chart_gallery.h"
#include "chart/editors/chart_list_box.h"
#include "chart/engine/series_types.h"
#include "tests/chart/editors/editor_test_support.h"

TEST(ChartGalleryRows, EveryTypeGetsACell) {
  // Three rows at least; beyond twelve types whole rows are added, none left out.
  EXPECT_EQ(GalleryRows(0), 3);
  EXPECT_EQ(GalleryRows(12), 3);
  EXPECT_EQ(GalleryRows(13), 4);
  EXPECT_EQ(GalleryRows(16), 4);
  EXPECT_EQ(GalleryRows(17), 5);
}

TEST_F(ChartEditorTest, TheTypePictureIsDrawnAtTheScreensRatio) {
  const QImage I = GalleryPicture(ChartSeriesTypes().GetSeriesType(0), {48, 36}, clFuchsia, 2);
  EXPECT_EQ(I.size(), QSize(96, 72));
  EXPECT_EQ(I.devicePixelRatio(), 2);
}

TEST_F(ChartEditorTest, GalleryPagesShowOneSampleChartPerType) {
  TChartSeries* Line = AddLine("A", clRed);
  TChartSeriesClass Class;
  TChartFunctionClass Function;
  bool View3D = false;
  Then([&](TForm& F) {
    auto& G = dynamic_cast<TChartGallery&>(F);
    QStringList Tabs;
    for (int i = 0; i < G.TabControl->count(); ++i) Tabs << G.TabControl->tabText(i);
    EXPECT_EQ(Tabs, (QStringList{"Standard", "Functions", "Extended"}));
    TChartGalleryPanel* P = G.ChartGalleryPanel1;
    ASSERT_EQ(P->Charts().size(), 11u);
    EXPECT_EQ(P->Rows, 3);
    EXPECT_EQ(P->Cols, 4);
    // The current type is selected, and framed.
    EXPECT_EQ(P->SelectedIndex(), 0);
    EXPECT_EQ(P->Charts()[0].Chart->BevelOuter(), bvRaised);
    EXPECT_EQ(P->Charts()[1].Chart->BevelOuter(), bvNone);
    const TChart* Pie = P->Charts()[5].Chart;
    EXPECT_EQ(Pie->objectName(), QStringLiteral("ChartGalleryChart6"));
    EXPECT_EQ(Pie->Title()->Text(), QStringList{"Pie"});
    EXPECT_EQ(Pie->SeriesCount(), 1);
    EXPECT_EQ(P->Charts()[0].Chart->SeriesCount(), 2);
    EXPECT_EQ(P->Charts()[0].Chart->GetSeries(0)->SeriesColor(), clRed);
    EXPECT_EQ(P->Charts()[0].Chart->GetSeries(1)->SeriesColor(), clBlue);
    EXPECT_FALSE(Pie->Legend()->Visible());
    EXPECT_EQ(P->Charts()[0].Chart->View3DOptions()->Rotation(), 335);
    EXPECT_TRUE(Pie->View3D());

    // The cells divide the panel; the arrow keys stop at its edges.
    const QSize Cell = P->CellSize();
    EXPECT_EQ(Cell.width(), (P->width() - 2 * TChartGalleryPanel::BorderWidth) / 4);
    EXPECT_EQ(P->Charts()[5].Chart->geometry().topLeft(),
              QPoint(TChartGalleryPanel::BorderWidth + Cell.width(),
                     TChartGalleryPanel::BorderWidth + Cell.height()));
    auto Key = [P](int K) {
      QKeyEvent E(QEvent::KeyPress, K, Qt::NoModifier);
      QCoreApplication::sendEvent(P, &E);
    };
    Key(Qt::Key_Left);
    Key(Qt::Key_Up);
    EXPECT_EQ(P->SelectedIndex(), 0);
    Key(Qt::Key_Down);
    Key(Qt::Key_Right);
    EXPECT_EQ(P->SelectedIndex(), 5);
    Key(Qt::Key_Down);
    Key(Qt::Key_Down);
    EXPECT_EQ(P->SelectedIndex(), 9);
    Key(Qt::Key_Right);
    Key(Qt::Key_Right);
    Key(Qt::Key_Right);
    EXPECT_EQ(P->SelectedIndex(), 10);

    // The other page; a click selects, the 3D box re-builds the page keeping the choice.
    G.TabControl->setCurrentIndex(2);
    ASSERT_EQ(P->Charts().size(), 4u);
    const QPoint Third = P->Charts()[2].Chart->geometry().center();
    QMouseEvent Press(QEvent::MouseButtonPress, Third, P->mapToGlobal(Third), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(P, &Press);
    EXPECT_EQ(P->SelectedType()->Description, QStringLiteral("Polar"));
    G.CB3D->click();
    EXPECT_FALSE(P->Charts()[2].Chart->View3D());
    // A surface stays 3D and is seen from above instead.
    EXPECT_EQ(P->Charts()[0].Chart->View3DOptions()->Elevation(), 270);
    EXPECT_EQ(P->SelectedType()->Description, QStringLiteral("Polar"));
    Key(Qt::Key_Return);
  });
  EXPECT_TRUE(ShowChartGallery(nullptr, Chart.get(), Line, Class, Function, View3D));
  EXPECT_EQ(Class.Name, QStringLiteral("TPolarSeries"));
  EXPECT_TRUE(Function.IsNull());
  EXPECT_FALSE(View3D);

  // A series computed by a function opens on that function's page, with the function chosen.
  const TChartSeriesType* Average =
      ChartSeriesTypes().Find(QString(), QStringLiteral("TAverageChartFunction"));
  ASSERT_NE(Average, nullptr);
  Line->SetFunction(Average->FunctionClass.Create());
  Then([&](TForm& F) {
    auto& G = dynamic_cast<TChartGallery&>(F);
    EXPECT_EQ(G.TabControl->CurrentCaption(), QStringLiteral("Functions"));
    EXPECT_EQ(G.ChartGalleryPanel1->SelectedType(), Average);
  });
  EXPECT_FALSE(ShowChartGallery(nullptr, Chart.get(), Line, Class, Function, View3D));
}

TEST_F(ChartEditorTest, WithoutFunctionsTypesThatCannotTakeTheSeriesAreGreyAndCannotBePicked) {
  TChartSeries* Line = AddLine("A", clRed);
  TChartSeriesClass Class;
  TChartFunctionClass Function;
  bool View3D = true;
  Then([&](TForm& F) {
    auto& G = dynamic_cast<TChartGallery&>(F);
    EXPECT_EQ(G.TabControl->count(), 2);  // no "Functions"
    TChartGalleryPanel* P = G.ChartGalleryPanel1;
    QStringList Grey;
    for (const auto& S : P->Charts())
      if (!S.Enabled) Grey << S.Type->Description;
    EXPECT_EQ(Grey, (QStringList{"Shape", "Gantt", "Arrow", "Bubble"}));
    const TChart* Gantt = P->Charts()[8].Chart;
    EXPECT_EQ(Gantt->GetSeries(0)->SeriesColor(), clSilver);
    P->SelectChart(8);
    EXPECT_EQ(P->SelectedIndex(), 0);
    P->SelectChart(1);
    G.BOk->click();
  });
  EXPECT_TRUE(ShowChartGallery(nullptr, Chart.get(), Line, Class, Function, View3D, false));
  EXPECT_EQ(Class.Name, QStringLiteral("TBarSeries"));
}

TEST_F(ChartEditorTest, ListRowsSectionsActiveBoxAndColourSwatch) {
  TChartSeries* A = AddLine("A", clRed);
  TChartSeries* B = AddLine("", clBlue);
  B->SetName(QStringLiteral("Series7"));
  TChartListBox Box;
  Box.resize(340, 120);
  Box.SetChart(Chart.get());
  Box.show();
  EXPECT_EQ(Box.item(1)->text(), QStringLiteral("Series7"));  // no title: the name
  EXPECT_EQ(Box.visualItemRect(Box.item(0)).height(), TChartListBox::RowHeight);
  EXPECT_EQ(Box.SectionLeft(3), 26 + 16 + 26);
  Box.SetShowSeriesColor(false);
  EXPECT_EQ(Box.SectionLeft(3), 26 + 16);
  Box.SetShowSeriesColor(true);

  // The swatch shows the series colour in its row.
  const QImage Rows = Box.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
  const int SwatchX = Box.SectionLeft(2) + 13, Row0 = TChartListBox::RowHeight / 2;
  EXPECT_EQ(Rows.pixel(SwatchX, Row0), ToQColor(clRed).rgb());
  EXPECT_EQ(Rows.pixel(SwatchX, Row0 + TChartListBox::RowHeight), ToQColor(clBlue).rgb());

  auto Click = [&](int X, int Row, QEvent::Type Kind = QEvent::MouseButtonPress) {
    const QPoint P(X, Row * TChartListBox::RowHeight + 5);
    QMouseEvent E(Kind, P, Box.viewport()->mapToGlobal(P), Qt::LeftButton, Qt::LeftButton,
                  Qt::NoModifier);
    QCoreApplication::sendEvent(Box.viewport(), &E);
  };
  int Toggled = 0;
  Box.OnChangeActive = [&](TChartSeries*) { ++Toggled; };
  const QImage Shown = Picture();
  Click(Box.SectionLeft(1) + 5, 0);
  EXPECT_FALSE(A->Active());
  EXPECT_EQ(Toggled, 1);
  EXPECT_EQ(CountColor(Picture(), clRed), 0);
  EXPECT_NE(Picture(), Shown);
  Click(Box.SectionLeft(1) + 5, 0);
  EXPECT_TRUE(A->Active());
  // The second of two quick clicks comes as a double click, and toggles as well.
  Click(Box.SectionLeft(1) + 5, 0);
  Click(Box.SectionLeft(1) + 5, 0, QEvent::MouseButtonDblClick);
  EXPECT_TRUE(A->Active());
  EXPECT_EQ(Toggled, 4);

  // A double click on the swatch recolours, unless the series colours each point.
  Dialogs.AnswerColor(clGreen);
  Click(SwatchX, 0, QEvent::MouseButtonDblClick);
  EXPECT_EQ(A->SeriesColor(), clGreen);
  A->SetColorEachPoint(true);
  Click(SwatchX, 0, QEvent::MouseButtonDblClick);
  EXPECT_EQ(Dialogs.Requests.size(), 1u);
  const QImage NoSwatch = Box.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_NE(NoSwatch.pixel(SwatchX, Row0), ToQColor(clGreen).rgb());

  // A double click on the title asks the editor to open the series.
  TChartSeries* Edited = nullptr;
  Box.OnEditSeries = [&](TChartSeries* S) { Edited = S; };
  Click(Box.SectionLeft(3) + 10, 1, QEvent::MouseButtonDblClick);
  EXPECT_EQ(Edited, B);

  // Delete key, asked first.
  Box.setCurrentRow(1);
  Dialogs.Answer(mrYes);
  QKeyEvent Del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
  QCoreApplication::sendEvent(&Box, &Del);
  EXPECT_EQ(Chart->SeriesCount(), 1);
  EXPECT_EQ(Dialogs.Messages().back(), QStringLiteral("Delete Series7?"));
}
