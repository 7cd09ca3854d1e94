// The Legend, Titles, Panel and Walls pages: each control reaches the chart and its picture,
// half-typed or refused numbers keep the old value, and the margin edit follows the legend.
#include <array>

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

#include "chart/editors/chart_axis_page.h"
#include "chart/editors/chart_part_pages.h"
#include "chart/engine/chart_legend.h"
#include "chart/engine/chart_parts.h"
#include "platform/controls.h"
#include "tests/chart/editors/editor_test_support.h"

TEST_F(ChartEditorTest, LegendPageWritesTheLegendAndItsMarginFollowsThePosition) {
  AddLine("A", clRed);
  AddLine("B", clBlue);
  TChartLegend* L = Chart->Legend();
  L->SetHorizMargin(7);
  L->SetVertMargin(3);
  TFormChartLegend P(nullptr, L);
  P.PageShow();
  EXPECT_TRUE(P.RBRight->isChecked());
  EXPECT_EQ(P.SEMargin->text(), QStringLiteral("7"));

  // Beside the chart the margin is horizontal; above or below it, vertical.
  P.RBTop->click();
  EXPECT_EQ(L->Alignment(), laTop);
  EXPECT_EQ(P.SEMargin->text(), QStringLiteral("3"));
  Type(P.SEMargin, QStringLiteral("20"));
  EXPECT_EQ(L->VertMargin(), 20);
  EXPECT_EQ(L->HorizMargin(), 7);
  P.RBLeft->click();
  EXPECT_EQ(P.SEMargin->text(), QStringLiteral("7"));
  Type(P.SEMargin, QStringLiteral("1001"));
  EXPECT_EQ(L->HorizMargin(), 7);

  const QImage Before = Picture();
  P.CBLegendStyle->setCurrentIndex(3);
  emit P.CBLegendStyle->activated(3);
  EXPECT_EQ(L->LegendStyle(), ChartLegend::lsLastValues);
  P.CBLegStyle->setCurrentIndex(0);
  emit P.CBLegStyle->activated(0);
  EXPECT_EQ(L->TextStyle(), ltsPlain);
  Type(P.SEColWi, QStringLiteral("40"));
  EXPECT_EQ(L->ColorWidth(), 40);
  Type(P.SETopPos, QStringLiteral("50"));
  EXPECT_EQ(L->TopPos(), 50);
  EXPECT_NE(Picture(), Before);
  P.CBInverted->click();
  EXPECT_TRUE(L->Inverted());
  P.CBResizeChart->click();
  EXPECT_FALSE(L->ResizeChart());

  // Half-typed numbers, text that is no number and sizes that would flood the drawing go back
  // with a message.
  for (const char* Partial : {"", "-", "101"}) {
    Type(P.SETopPos, QLatin1String(Partial));
    Type(P.SEShadowSize, QLatin1String(Partial));
    EXPECT_EQ(L->TopPos(), 50) << Partial;
    EXPECT_EQ(L->ShadowSize(), 3) << Partial;
  }
  const QString Empty = QStringLiteral("'' is not a valid integer value");
  const QString Minus = QStringLiteral("'-' is not a valid integer value");
  EXPECT_EQ(Dialogs.Messages(),
            (QStringList{QStringLiteral("Value must be between 0 and 1000"), Empty, Empty, Minus,
                         Minus, QLatin1String(LegendMessages::TopPos),
                         QStringLiteral("Value must be between 0 and 100")}));
  Dialogs.Requests.clear();
  Type(P.SEShadowSize, QStringLiteral("9"));
  EXPECT_EQ(L->ShadowSize(), 9);

  Dialogs.AnswerColor(0x00FF00);
  P.BColor->click();
  EXPECT_EQ(L->Color(), TColor(0x00FF00));
  EXPECT_GT(CountColor(Picture(), TColor(0x00FF00)), 100);
  Dialogs.AnswerColor(clBlue);
  P.BShadow->click();
  EXPECT_EQ(L->ShadowColor(), clBlue);
  Then([](TForm& F) {
    auto& D = dynamic_cast<TPenDialog&>(F);
    D.CBVisible->click();
    D.Button1->click();
  });
  P.BFrame->click();
  EXPECT_FALSE(L->Frame()->Visible());

  P.CBShow->click();
  EXPECT_FALSE(L->Visible());
  EXPECT_EQ(CountColor(Picture(), TColor(0x00FF00)), 0);
  EXPECT_TRUE(Dialogs.Messages().isEmpty());
}

TEST_F(ChartEditorTest, TitlesPageEditsTitleOrFootAndLeavesEqualTextAlone) {
  AddLine("A", clRed);
  Chart->Title()->SetText({QStringLiteral("One"), QStringLiteral("Two")});
  Chart->Foot()->SetText({QStringLiteral("Feet")});
  TFormChartTitle P(nullptr, Chart->Foot());
  P.PageShow();
  EXPECT_EQ(P.CBTitles->currentIndex(), 1);
  EXPECT_EQ(P.MText->toPlainText(), QStringLiteral("Feet"));
  // Automatic background: white behind dark text.
  EXPECT_EQ(P.MText->palette().color(QPalette::Base), QColor(Qt::white));

  P.CBTitles->setCurrentIndex(0);
  emit P.CBTitles->activated(0);
  EXPECT_EQ(P.Title(), Chart->Title());
  EXPECT_EQ(P.MText->toPlainText(), QStringLiteral("One\nTwo"));
  // Switching showed the other text without writing it anywhere.
  EXPECT_EQ(Chart->Foot()->Text(), QStringList{QStringLiteral("Feet")});
  // Showing the page again opens the one it was made for.
  P.PageShow();
  EXPECT_EQ(P.Title(), Chart->Foot());
  EXPECT_EQ(P.MText->toPlainText(), QStringLiteral("Feet"));
  P.CBTitles->setCurrentIndex(0);
  emit P.CBTitles->activated(0);

  const QImage Before = Picture();
  P.MText->setPlainText(QStringLiteral("Hello\nWorld"));
  EXPECT_EQ(Chart->Title()->Text(),
            (QStringList{QStringLiteral("Hello"), QStringLiteral("World")}));
  EXPECT_NE(Picture(), Before);
  P.MText->setPlainText(QString());
  EXPECT_TRUE(Chart->Title()->Text().isEmpty());
  P.MText->setPlainText(QStringLiteral("Left"));

  const QImage Centred = Picture();
  P.RGAlign->SetItemIndex(0);
  EXPECT_EQ(Chart->Title()->Alignment(), taLeftJustify);
  EXPECT_NE(Picture(), Centred);
  P.RGAlign->SetItemIndex(2);
  EXPECT_EQ(Chart->Title()->Alignment(), taRightJustify);
  P.CBAdjust->click();
  EXPECT_FALSE(Chart->Title()->AdjustFrame());

  // White text on the automatic colour would vanish: the memo turns grey.
  Dialogs.AnswerFont(QFont(QStringLiteral("Arial"), 12), clWhite);
  P.BFont->click();
  EXPECT_EQ(Chart->Title()->Font()->Color(), clWhite);
  EXPECT_EQ(P.MText->palette().color(QPalette::Base), QColor(0x80, 0x80, 0x80));
  Dialogs.AnswerColor(clNavy);
  P.BColor->click();
  EXPECT_EQ(Chart->Title()->Color(), clNavy);
  EXPECT_EQ(P.MText->palette().color(QPalette::Base), ToQColor(clNavy));
  EXPECT_GT(CountColor(Picture(), clNavy), 50);

  P.CBVisible->click();
  EXPECT_FALSE(Chart->Title()->Visible());
  EXPECT_EQ(CountColor(Picture(), clNavy), 0);
}

TEST_F(ChartEditorTest, PanelPageSetsFrameGradientAndBackImage) {
  AddLine("A", clRed);
  TFormChartPanel P(nullptr, Chart.get());
  P.PageShow();
  EXPECT_EQ(P.RGBevelOut->ItemIndex(), int(bvRaised));

  const QImage Before = Picture();
  P.RGBevelIn->SetItemIndex(int(bvLowered));
  EXPECT_EQ(Chart->BevelInner(), bvLowered);
  Type(P.SEPanelWi, QStringLiteral("4"));
  EXPECT_EQ(Chart->BevelWidth(), 4);
  Type(P.SEPanelBor, QStringLiteral("6"));
  EXPECT_EQ(Chart->BorderWidth(), 6);
  EXPECT_NE(Picture(), Before);
  // Frames as wide as the chart would only paint it over; zero bevel is no bevel width.
  for (const char* Refused : {"101", "100000", "-1", ""}) {
    Type(P.SEPanelBor, QLatin1String(Refused));
    EXPECT_EQ(Chart->BorderWidth(), 6) << Refused;
  }
  Type(P.SEPanelWi, QStringLiteral("0"));
  EXPECT_EQ(Chart->BevelWidth(), 4);
  EXPECT_EQ(Dialogs.Messages().size(), 5);
  Dialogs.Requests.clear();

  // "Border" frames the whole panel in one line of the window frame colour.
  EXPECT_FALSE(P.CBPanelBorder->isChecked());
  const QImage Unframed = Picture();
  P.CBPanelBorder->click();
  EXPECT_EQ(Chart->BorderStyle(), bsSingle);
  const QImage Framed = Picture();
  for (const QPoint At : {QPoint(0, 150), QPoint(399, 150), QPoint(200, 0), QPoint(200, 299)}) {
    EXPECT_EQ(FromQColor(Framed.pixelColor(At)), ColorToRGB(clWindowFrame));
    EXPECT_NE(Unframed.pixelColor(At), Framed.pixelColor(At));
  }
  P.CBPanelBorder->click();
  EXPECT_EQ(Chart->BorderStyle(), bsNone);
  EXPECT_EQ(Picture(), Unframed);

  // The gradient's own controls wait until it is shown.
  EXPECT_FALSE(P.ComboBox1->isEnabled());
  EXPECT_FALSE(P.Shape1->isEnabled());
  P.CBGradVisible->click();
  EXPECT_TRUE(Chart->Gradient()->Visible());
  EXPECT_TRUE(P.BGradientEnd->isEnabled());
  P.ComboBox1->setCurrentIndex(2);
  emit P.ComboBox1->activated(2);
  EXPECT_EQ(Chart->Gradient()->Direction(), gdLeftRight);
  Dialogs.AnswerColor(clLime);
  emit P.Shape1->Clicked();
  Dialogs.AnswerColor(clLime);
  P.BGradientEnd->click();
  EXPECT_EQ(Chart->Gradient()->StartColor(), clLime);
  EXPECT_EQ(P.Shape2->Color(), clLime);
  EXPECT_GT(CountColor(Picture(), clLime), 1000);

  // Every picture format is offered; a file that is not one keeps the image and says so.
  EXPECT_TRUE(P.PictureFilter().startsWith(
      QStringLiteral("All pictures (*.png;*.jpg;*.jpeg;*.gif;*.bmp)|")));
  EXPECT_FALSE(P.RGBitmap->isEnabled());
  QTemporaryDir Dir;
  const QString Good = Dir.filePath(QStringLiteral("back.png"));
  QImage Img(20, 20, QImage::Format_RGB32);
  Img.fill(QColor(0x12, 0x34, 0x56));
  ASSERT_TRUE(Img.save(Good, "PNG"));
  Dialogs.AnswerFile(Good);
  P.BBrowseImage->click();
  ASSERT_NE(Chart->BackImage(), nullptr);
  EXPECT_EQ(P.BBrowseImage->text(), QStringLiteral("Clea&r"));
  EXPECT_TRUE(P.RGBitmap->isEnabled());
  P.CBImageInside->click();
  EXPECT_TRUE(Chart->BackImageInside());
  P.RGBitmap->SetItemIndex(int(pbmTile));
  EXPECT_EQ(Chart->BackImageMode(), pbmTile);
  EXPECT_GT(CountColor(Picture(), TColor(0x563412)), 1000);

  P.BBrowseImage->click();
  EXPECT_EQ(Chart->BackImage(), nullptr);
  EXPECT_EQ(P.BBrowseImage->text(), QStringLiteral("B&rowse..."));
  const QString Bad = Dir.filePath(QStringLiteral("bad.bmp"));
  QFile F(Bad);
  ASSERT_TRUE(F.open(QIODevice::WriteOnly));
  F.write("BM not really a bitmap");
  F.close();
  const QString Fifo = Dir.filePath(QStringLiteral("fifo"));
  ASSERT_EQ(::mkfifo(QFile::encodeName(Fifo).constData(), 0600), 0);
  for (const QString& Refused : {Bad, Fifo, QStringLiteral("/dev/zero")}) {
    Dialogs.AnswerFile(Refused);
    P.BBrowseImage->click();
    EXPECT_EQ(Chart->BackImage(), nullptr);
    ASSERT_FALSE(Dialogs.Messages().isEmpty());
    EXPECT_TRUE(Dialogs.Messages().last().startsWith("Cannot load the picture " + Refused));
  }
  EXPECT_EQ(Dialogs.Messages().size(), 3);
  EXPECT_TRUE(Dialogs.Messages().value(2).endsWith(": it is not a regular file"));
  EXPECT_EQ(P.BBrowseImage->text(), QStringLiteral("B&rowse..."));
}

TEST_F(ChartEditorTest, WallsPageSwitchesWallsAndKeepsDarkAndTransparentSound) {
  AddLine("A", clRed);
  Chart->SetView3D(true);
  TFormChartWall P(nullptr, Chart.get(), Chart->BottomWall());
  P.PageShow();
  EXPECT_EQ(P.TabSubWalls->currentIndex(), 1);
  // A flat wall has no sides to darken.
  EXPECT_EQ(Chart->BottomWall()->Size(), 0);
  EXPECT_FALSE(P.CBDark3D->isEnabled());
  const QImage Flat = Picture();
  Type(P.SEWallSize, QStringLiteral("12"));
  EXPECT_EQ(Chart->BottomWall()->Size(), 12);
  EXPECT_TRUE(P.CBDark3D->isEnabled());
  EXPECT_NE(Picture(), Flat);
  Type(P.SEWallSize, QStringLiteral("500"));
  EXPECT_EQ(Chart->BottomWall()->Size(), 12);
  P.CBDark3D->click();
  EXPECT_FALSE(Chart->BottomWall()->Dark3D());

  P.TabSubWalls->setCurrentIndex(2);
  EXPECT_EQ(P.Wall(), Chart->BackWall());
  EXPECT_EQ(P.SEWallSize->text(), QStringLiteral("0"));
  EXPECT_FALSE(P.CBDark3D->isEnabled());
  EXPECT_TRUE(P.CBWallTransp->isChecked());  // the back wall starts clear
  Dialogs.AnswerColor(clTeal);
  P.BWallColor->click();
  EXPECT_EQ(Chart->BackWall()->Color(), clTeal);
  EXPECT_EQ(P.SHWallColor->Color(), clTeal);
  P.CBWallTransp->click();
  EXPECT_EQ(Chart->BackWall()->Brush()->Style(), bsSolid);
  EXPECT_GT(CountColor(Picture(), clTeal), 1000);
  P.CBWallTransp->click();
  EXPECT_EQ(Chart->BackWall()->Brush()->Style(), bsClear);
  EXPECT_EQ(CountColor(Picture(), clTeal), 0);

  // Showing the page again opens the wall it was made for.
  P.PageShow();
  EXPECT_EQ(P.Wall(), Chart->BottomWall());
  EXPECT_EQ(P.TabSubWalls->currentIndex(), 1);

  // Filling a wall whose colour is automatic gives it the usual grey.
  TChartWall* Left = Chart->LeftWall();
  Left->SetColor(clChartAuto);
  Left->Brush()->SetStyle(bsClear);
  P.TabSubWalls->setCurrentIndex(0);
  EXPECT_TRUE(P.CBWallTransp->isChecked());
  P.CBWallTransp->click();
  EXPECT_EQ(Left->Brush()->Style(), bsSolid);
  EXPECT_EQ(Left->Color(), TColor(0xC0C0C0));

  P.CBView3dWalls->click();
  EXPECT_FALSE(Chart->View3DWalls());
}

TEST_F(ChartEditorTest, EditorOpensThePartPagesOnThePartsChosenLast) {
  AddLine("A", clRed);
  // Left axis, title and left wall first; then, in each editor, the ones chosen in the last.
  struct {
    int Axis, Title, Wall;
  } const Choices[] = {{0, 0, 0}, {1, 1, 2}, {0, 0, 0}};
  const std::array<TChartAxis*, 5> Axes{Chart->LeftAxis(), Chart->RightAxis(), Chart->TopAxis(),
                                        Chart->BottomAxis(), Chart->DepthAxis()};
  const std::array<TChartTitle*, 2> Titles{Chart->Title(), Chart->Foot()};
  const std::array<TChartWall*, 3> Walls{Chart->LeftWall(), Chart->BottomWall(), Chart->BackWall()};
  for (size_t i = 0; i < std::size(Choices); ++i) {
    Then([&, i](TForm& F) {
      auto& E = dynamic_cast<TChartEditForm&>(F);
      const auto& Was = Choices[i == 0 ? 0 : i - 1];
      const auto& Next = Choices[i];
      for (int Tab : {cetAxis, cetTitles, cetWalls}) E.Notebook1->setCurrentIndex(Tab);
      auto* A = qobject_cast<TFormChartAxis*>(E.Page(cetAxis));
      auto* T = qobject_cast<TFormChartTitle*>(E.Page(cetTitles));
      auto* W = qobject_cast<TFormChartWall*>(E.Page(cetWalls));
      ASSERT_TRUE(A && T && W);
      EXPECT_EQ(A->Axis(), Axes[size_t(Was.Axis)]) << i;
      EXPECT_EQ(T->Title(), Titles[size_t(Was.Title)]) << i;
      EXPECT_EQ(W->Wall(), Walls[size_t(Was.Wall)]) << i;
      EXPECT_EQ(W->TabSubWalls->currentIndex(), Was.Wall) << i;
      A->RGWhichAxis->SetItemIndex(Next.Axis);
      T->CBTitles->setCurrentIndex(Next.Title);
      emit T->CBTitles->activated(Next.Title);
      W->TabSubWalls->setCurrentIndex(Next.Wall);
    });
    EditChart(nullptr, Chart.get());
  }
}
