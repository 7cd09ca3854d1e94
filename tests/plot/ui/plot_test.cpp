// The plot control: painting through its backing image, the status readout, legend scrolling,
// the popup merge and the commands.
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <cmath>

#include "plot/layers/matrix_series.h"
#include "plot/ui/graph_properties.h"
#include "plot/ui/plot_cursors.h"
#include "plot_fixture.h"

namespace {

TEST(Plot, PaintsSeriesAndContourIntoTheImageAndTheScreenCopiesIt) {
  TPlotFixture F;
  F.AddLine();
  F.AddContour();
  F.Plot->Redraw();
  // The image fills the plot above the status bar.
  EXPECT_EQ(F.Plot->Image()->width(), 400);
  EXPECT_EQ(F.Plot->Image()->height(), 280);
  EXPECT_EQ(F.Plot->StatusBar()->geometry(), QRect(0, 280, 400, 20));
  const QImage& P = F.Picture();
  ASSERT_EQ(P.size(), QSize(400, 280));
  EXPECT_GT(CountColor(P, qRgb(255, 0, 0)), 100);  // the three-pixel red line
  // Paint only copies: the screen shows the backing image pixel for pixel.
  EXPECT_EQ(F.Screen(), P.convertToFormat(QImage::Format_RGB32));

  // A resize paints the graph at the new size.
  const int Before = F.Paints;
  F.Plot->resize(300, 220);
  EXPECT_GT(F.Paints, Before);
  EXPECT_EQ(F.Picture().size(), QSize(300, 200));
  EXPECT_EQ(F.Graph().ImageRect, (TRect{0, 0, 300, 200}));
  EXPECT_GT(CountColor(F.Picture(), qRgb(255, 0, 0)), 50);

  // Without the status bar the image takes the whole height.
  F.Plot->SetStatusBarVisible(false);
  EXPECT_FALSE(F.Plot->StatusBar()->isVisible());
  EXPECT_EQ(F.Plot->Image()->height(), 220);
}

TEST(Plot, StatusBarShowsTheWorldPositionUnderTheMouse) {
  TPlotFixture F;
  F.AddLine();
  F.AddContour();
  F.Plot->Redraw();
  TPlotStatusBar& S = *F.Plot->StatusBar();
  ASSERT_EQ(S.PanelCount(), 3);
  EXPECT_EQ(S.Panel(0).Text, QStringLiteral("X=n/a"));
  EXPECT_EQ(S.Panel(0).Width, 100);
  EXPECT_EQ(S.Panel(1).Text, QStringLiteral("Y=n/a"));

  TGraph& G = F.Graph();
  const int X = G.XToPixel(4), Y = G.YToPixel(3);
  int Seen = 0;
  F.Plot->OnMouseMove = [&](TShiftState, int MX, int MY) {
    // The plot's own handler runs after the graph's readout.
    EXPECT_TRUE(S.Panel(0).Text.startsWith(QStringLiteral("X=")));
    Seen += MX == X && MY == Y;
  };
  F.Plot->ImageMouseMove(0, X, Y);
  EXPECT_EQ(Seen, 1);
  const double WX = S.Panel(0).Text.mid(2).toDouble(), WY = S.Panel(1).Text.mid(2).toDouble();
  EXPECT_NEAR(WX, 4, 0.1) << S.Panel(0).Text.toStdString();
  EXPECT_NEAR(WY, 3, 0.1) << S.Panel(1).Text.toStdString();
  // The third panel names the contour layer under the mouse.
  EXPECT_TRUE(S.Panel(2).Text.startsWith(QStringLiteral("Height=")))
      << S.Panel(2).Text.toStdString();

  // Off the plot rectangle the readout says so again.
  F.Plot->ImageMouseMove(0, 1, 1);
  EXPECT_EQ(S.Panel(0).Text, QStringLiteral("X=n/a"));
}

// The bar shows its panels in its own font, which need not be the graph's: a large one (as on a
// screen with scaled fonts) still shows the whole readout, negative sign and decimals.
TEST(Plot, StatusPanelsFitTheirTextsInTheBarsFont) {
  TPlotFixture F(600, 300);
  F.AddLine();
  F.Plot->Redraw();
  TPlotStatusBar& S = *F.Plot->StatusBar();
  QFont Big = S.font();
  Big.setPixelSize(24);
  S.setFont(Big);
  TGraph& G = F.Graph();
  F.Plot->ImageMouseMove(0, G.XToPixel(0.123456), G.YToPixel(9.87654));
  for (int I = 0; I < 2; ++I) {
    const QString Text = S.Panel(I).Text;
    EXPECT_GE(S.Panel(I).Width, S.fontMetrics().horizontalAdvance(Text) + 8) << Text.toStdString();
  }
  EXPECT_EQ(S.FitWidth(QString()), 8);
}

TEST(Plot, ALongLegendScrollsAndRepaintsOnceAfterTheLastChange) {
  TPlotFixture F;
  QScrollBar* Bar = F.Plot->LegendScrollBar();
  // Without a long legend the panel stays hidden and a change does nothing.
  F.AddLine();
  F.Plot->Redraw();
  EXPECT_FALSE(F.Plot->LegendPanel()->isVisible());
  Bar->setValue(1);
  EXPECT_FALSE(F.Plot->RedrawTimer()->isActive());

  F.Plot->ClearGraph();
  for (int I = 0; I < 40; ++I) {
    TSeries* S = F.AddLine(F.Graph().FreeColor());
    auto E = std::make_unique<TSeriesLegend>(F.Plot->Graph());
    auto* Entry = static_cast<TSeriesLegend*>(F.Plot->Legend->Add(std::move(E)));
    S->SetLegend(Entry);
  }
  EXPECT_EQ(F.Plot->Legend->GetCount(), 40);
  F.Plot->Redraw();
  // The column does not fit: the panel shows over the image's right edge.
  ASSERT_TRUE(F.Plot->LegendPanel()->isVisible());
  EXPECT_EQ(F.Plot->Image()->width(), 400);
  EXPECT_EQ(F.Plot->LegendPanel()->geometry(),
            QRect(400 - F.Plot->LegendPanel()->width(), 0, F.Plot->LegendPanel()->width(), 280));
  EXPECT_EQ(Bar->maximum(), 39);
  EXPECT_GT(Bar->pageStep(), 1);
  EXPECT_LT(Bar->pageStep(), 40);

  const int Before = F.Paints;
  for (int I = 2; I <= 6; ++I) Bar->setValue(I);
  TWLegend& L = *F.Graph().Legend;
  for (int I = 0; I < L.Count(); ++I) EXPECT_EQ(L.Item(I)->Visible, I >= 6) << I;
  EXPECT_TRUE(F.Plot->RedrawTimer()->isActive());
  EXPECT_TRUE(F.Plot->RedrawTimer()->isSingleShot());
  EXPECT_EQ(F.Plot->RedrawTimer()->interval(), 250);
  EXPECT_EQ(F.Paints, Before);  // nothing yet
  F.Plot->DelayedRedraw();      // the timer's tick
  EXPECT_EQ(F.Paints, Before + 1);
  EXPECT_FALSE(F.Plot->RedrawTimer()->isActive());
}

TEST(Plot, CursorsAreRegisteredByNumber) {
  TPlotFixture F;
  for (TCursor C : {100, 101, 105, 109, 113, 116, 119}) EXPECT_TRUE(CursorRegistered(C)) << C;
  for (TCursor C : {110, 111, 112}) EXPECT_FALSE(CursorRegistered(C)) << C;
  // Each has an image of its own.
  const QImage A = PlotCursorImage(QStringLiteral("SERADD")).pixmap().toImage();
  const QImage B = PlotCursorImage(QStringLiteral("SERDEL")).pixmap().toImage();
  EXPECT_FALSE(A.isNull());
  EXPECT_NE(A, B);
}

TEST(Plot, PopupCommandsMergeIntoThePlotsOwnMenu) {
  {
    // Without a menu of its own the graph's menu keeps the commands.
    TForm Form;
    TPlot Plot(&Form);
    Plot.SetPopupMenuItems((1u << piProperties) | (1u << piSaveAs));
    EXPECT_EQ(Plot.PopupMergeCount, 1);  // without a menu the first call only counts
    Plot.resize(300, 200);
    Form.show();
    QApplication::processEvents();
    Plot.resize(301, 200);
    EXPECT_EQ(Plot.PopupMergeCount, 2);
    QStringList Names;
    for (QAction* A : Plot.Graph()->PopupMenu()->actions()) Names << A->objectName();
    EXPECT_TRUE(Names.contains(QStringLiteral("miSaveAsGraph")));
    EXPECT_TRUE(Names.contains(QStringLiteral("miPropertiesGraph")));
  }
  for (bool WithItems : {true, false}) {
    TScriptedDialogService Script;
    TScopedDialogService Scope(Script);
    TForm Form;
    TPlot Plot(&Form);
    // The window gives the plot its menu before the plot is first laid out.
    QMenu Own;
    if (WithItems) Own.addAction(QStringLiteral("Window item"));
    Plot.SetPopupMenu(&Own);
    Plot.resize(401, 300);
    Form.show();  // the first resize assigns the set: with a menu, the merge
    QApplication::processEvents();
    EXPECT_EQ(Plot.PopupMergeCount, 2);
    TGraph& G = *Plot.Graph();
    QStringList Names;
    for (QAction* A : Own.actions())
      Names << (A->isSeparator() ? A->objectName() + "-" : A->objectName());
    const QStringList Expected = WithItems
                                     ? QStringList{QString(), "miPlotN1-", "miPropertiesGraph"}
                                     : QStringList{"miPropertiesGraph"};
    EXPECT_EQ(Names, Expected);
    EXPECT_TRUE(G.PopupMenu()->actions().isEmpty());
    // Later calls keep the menu as built.
    Plot.SetPopupMenuItems((1u << piProperties) | (1u << piPrint));
    EXPECT_EQ(Own.actions().size(), Expected.size());
    EXPECT_TRUE(G.PopupMenu()->actions().isEmpty());
    // The merged command still reaches the plot: its properties dialog opens.
    QString Shown;
    QTimer::singleShot(0, [&] {
      if (auto* D = qobject_cast<TfmGraphProperties*>(QApplication::activeModalWidget())) {
        Shown = D->windowTitle();
        D->btClose->click();
      }
    });
    Own.actions().back()->trigger();
    EXPECT_EQ(Shown, QStringLiteral("Properties"));
  }
}

TEST(Plot, ZoomCommands) {
  TPlotFixture F;
  F.AddLine();
  F.Plot->Redraw();
  TGraph& G = F.Graph();
  EXPECT_FALSE(F.Plot->ZoomPrevious());  // nothing saved: nothing changes
  F.Plot->AnimatedZoom();
  EXPECT_TRUE(G.Zoom.Enabled);
  EXPECT_TRUE(G.ZoomAnimated);
  F.Plot->ZoomIn();
  EXPECT_TRUE(F.Plot->Zoom->GetEnabled());
  EXPECT_FALSE(G.ZoomAnimated);

  // A rubber band drawn with the mouse zooms; previous and out go back.
  const TDoubleRect Full{G.XMin, G.YMin, G.XMax, G.YMax};
  const int X1 = G.XToPixel(2), Y1 = G.YToPixel(6), X2 = G.XToPixel(5), Y2 = G.YToPixel(3);
  F.Plot->ImageMouseDown(mbLeft, ssLeft, X1, Y1);
  F.Plot->ImageMouseMove(ssLeft, X2, Y2);
  F.Plot->ImageMouseUp(mbLeft, ssLeft, X2, Y2);
  ASSERT_EQ(G.Zoom.Count(), 1);
  EXPECT_LT(G.XMax - G.XMin, Full.Right - Full.Left);
  EXPECT_FALSE(F.Plot->ZoomPrevious());
  EXPECT_NEAR(G.XMin, Full.Left, 1e-9);
  EXPECT_EQ(F.Screen(), F.Picture().convertToFormat(QImage::Format_RGB32));

  F.Plot->ImageMouseDown(mbLeft, ssLeft, X1, Y1);
  F.Plot->ImageMouseMove(ssLeft, X2, Y2);
  F.Plot->ImageMouseUp(mbLeft, ssLeft, X2, Y2);
  F.Plot->ZoomOut();
  EXPECT_EQ(G.Zoom.Count(), 0);
  EXPECT_FALSE(G.Zoom.Enabled);
  EXPECT_FALSE(F.Plot->Zoom->GetEnabled());
  EXPECT_NEAR(G.XMax, Full.Right, 1e-9);

  // The steps of an animated zoom are one state: one "Prev" returns to the full view.
  F.Plot->AnimatedZoom();
  F.Plot->ImageMouseDown(mbLeft, ssLeft, X1, Y1);
  F.Plot->ImageMouseUp(mbLeft, ssLeft, X1, Y1);
  EXPECT_LT(G.XMax - G.XMin, Full.Right - Full.Left);
  EXPECT_FALSE(F.Plot->ZoomPrevious());
  EXPECT_EQ(G.Zoom.Count(), 0);
  EXPECT_NEAR(G.XMin, Full.Left, 1e-9);
  EXPECT_NEAR(G.XMax, Full.Right, 1e-9);
  EXPECT_NEAR(G.YMin, Full.Top, 1e-9);
  EXPECT_NEAR(G.YMax, Full.Bottom, 1e-9);
}

TEST(Plot, PrevGivesBackTheLabelsFromBeforeTheZoom) {
  TPlotFixture F;
  auto S = std::make_unique<TSeries>(F.Plot->Graph(), clRed, 2, QStringLiteral("sin"));
  for (int I = 0; I <= 400; ++I)
    S->AddPoint(clRed, QString(), I / 20.0 - 10, std::sin(I / 20.0 - 10));
  F.Plot->AddSeries(std::move(S));
  F.Plot->Redraw();
  TGraph& G = F.Graph();
  auto Labels = [&] {
    QStringList L;
    for (TAxis* A : {G.Axis(gaXAxis), G.Axis(gaYAxis)}) {
      for (const TAxisTick& T : A->TickList())
        if (T.Text) L << T.Label;
      L << QStringLiteral("|");
    }
    return L.join(QLatin1Char(' ')).toStdString();
  };
  const std::string Full = Labels();
  ASSERT_EQ(Full, "-10 0 10 | -1 -0.5 0.0 0.5 1 |");
  const QImage Shown = F.Screen();
  F.Plot->ZoomIn();  // the tool stays armed after the band
  const int X1 = G.XToPixel(-3), Y1 = G.YToPixel(0.5), X2 = G.XToPixel(4), Y2 = G.YToPixel(-0.5);
  F.Plot->ImageMouseDown(mbLeft, ssLeft, X1, Y1);
  F.Plot->ImageMouseMove(ssLeft, X2, Y2);
  F.Plot->ImageMouseUp(mbLeft, ssLeft, X2, Y2);
  ASSERT_NE(Labels(), Full);
  EXPECT_FALSE(F.Plot->ZoomPrevious());
  EXPECT_EQ(Labels(), Full);
  EXPECT_EQ(F.Screen(), Shown);
  F.Plot->Redraw();
  EXPECT_EQ(Labels(), Full);
  F.Plot->AnimatedZoom();
  F.Plot->ImageMouseDown(mbLeft, ssLeft, X1, Y1);
  F.Plot->ImageMouseUp(mbLeft, ssLeft, X1, Y1);
  ASSERT_NE(Labels(), Full);
  EXPECT_FALSE(F.Plot->ZoomPrevious());
  EXPECT_EQ(Labels(), Full);
  F.Plot->Redraw();
  EXPECT_EQ(Labels(), Full);
}

TEST(Plot, TickLooksAndTheDepthSetter) {
  TPlotFixture F;
  F.Plot->Frame->SetWidth(7);
  F.Plot->SetView3D(8);
  EXPECT_EQ(F.Plot->GetView3D(), 8);
  EXPECT_DOUBLE_EQ(F.Graph().View3D, 0.04);
  for (TPlotAxis* A : {F.Plot->XAxis.get(), F.Plot->YAxis.get()}) {
    EXPECT_FALSE(A->Ticks.GetMinorVisible());
    EXPECT_EQ(A->Ticks.GetDirection(), tdIN);
    EXPECT_EQ(A->Ticks.GetMajorLength(), 7);
    EXPECT_FALSE(A->GetMajorLineVisible());
  }
  EXPECT_TRUE(F.Plot->XAxis2->Ticks.GetMinorVisible());  // the secondary axes keep their look
  F.Plot->SetView3D(0);
  for (TPlotAxis* A : {F.Plot->XAxis.get(), F.Plot->XAxis2.get()}) {
    EXPECT_TRUE(A->Ticks.GetMinorVisible());
    EXPECT_EQ(A->Ticks.GetDirection(), tdOut);
    EXPECT_EQ(A->Ticks.GetMajorLength(), 4);
  }
  EXPECT_EQ(F.Plot->YAxis->Ticks.GetMajorLength(), 7);  // kept from the 3D look
  EXPECT_EQ(F.Plot->YAxis->Ticks.GetMinorLength(), 2);
  for (TPlotAxis* A :
       {F.Plot->XAxis.get(), F.Plot->YAxis.get(), F.Plot->XAxis2.get(), F.Plot->YAxis2.get()})
    EXPECT_TRUE(A->GetMajorLineVisible());
  // The same value again changes nothing, not even the ticks.
  F.Plot->YAxis->Ticks.SetMinorVisible(false);
  F.Plot->SetView3D(0);
  EXPECT_FALSE(F.Plot->YAxis->Ticks.GetMinorVisible());
}

TEST(Plot, ClearGraphAndPublishedSettings) {
  TPlotFixture F;
  F.AddLine();
  F.Graph().XAxis->AddLabel(QStringLiteral("a"), 1);
  F.Plot->XAxis->SetAutoMin(false);
  F.Plot->ClearGraph();
  EXPECT_EQ(F.Graph().LayerCount(), 0);
  EXPECT_TRUE(F.Graph().XAxis->Labels.empty());
  EXPECT_TRUE(F.Plot->XAxis->GetAutoMin());

  // Defaults as the windows find them.
  EXPECT_EQ(F.Plot->GetColor(), clWhite);
  EXPECT_EQ(F.Plot->GetBackColor(), clBtnFace);
  EXPECT_EQ(F.Plot->GetPopupMenuItems(), 1u << piProperties);
  EXPECT_FALSE(F.Plot->AutoApply);
  EXPECT_FALSE(F.Plot->XAxis2->GetVisible());
  EXPECT_TRUE(F.Plot->XAxis->GetVisible());
  EXPECT_DOUBLE_EQ(F.Graph().Zoom.ChangePerStep, 0.033333);
  EXPECT_EQ(F.Plot->GetIniFileName(), BasePath() + QStringLiteral(".INI"));
  EXPECT_EQ(F.Graph().Picture->SettingsFileName, F.Plot->GetIniFileName());
  EXPECT_EQ(F.Plot->SettingsSection(), QStringLiteral("fmPlot2DChart"));
  // The clip-markers flag reads back as the graph's effective value.
  F.Plot->SetClipMarkers(true);
  EXPECT_TRUE(F.Plot->GetClipMarkers());
  F.AddLine()->SetSeriesKind(8);
  EXPECT_FALSE(F.Plot->GetClipMarkers());
  // The first standard colour no layer uses: red and blue are taken by the two lines.
  F.AddLine();
  F.Graph().GetLayer(1)->SetColor(0xFF0000);
  EXPECT_EQ(F.Plot->AutoScale(), 0x008000u);
}

TEST(Plot, TheImagesEventsReachTheGraphFirstThenThePlot) {
  TPlotFixture F;
  F.AddLine();
  F.Plot->Redraw();
  TGraph& G = F.Graph();
  QStringList Log;
  F.Plot->OnMouseDown = [&](TGraphMouseButton B, TShiftState S, int X, int Y) {
    Log << QStringLiteral("down %1 %2 %3 %4").arg(B).arg(S & ssLeft ? 1 : 0).arg(X).arg(Y);
  };
  F.Plot->OnMouseUp = [&](TGraphMouseButton, TShiftState, int, int) {
    // The graph saw the release first: the zoom band is finished.
    Log << QStringLiteral("up %1").arg(G.Zoom.Dragging);
  };
  F.Plot->OnClick = [&](TPlot* P) { Log << (P == F.Plot ? "click" : "?"); };
  F.Plot->OnDblClick = [&](TPlot*) { Log << "double"; };
  F.Plot->ZoomIn();
  const QPointF A(G.XToPixel(2), G.YToPixel(6)), B(G.XToPixel(5), G.YToPixel(3));
  auto Send = [&](QEvent::Type T, QPointF At, Qt::MouseButtons Held) {
    QMouseEvent E(T, At, F.Plot->Image()->mapToGlobal(At),
                  T == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, Held, Qt::NoModifier);
    QApplication::sendEvent(F.Plot->Image(), &E);
  };
  Send(QEvent::MouseButtonPress, A, Qt::LeftButton);
  EXPECT_TRUE(G.Zoom.Dragging);
  Send(QEvent::MouseMove, B, Qt::LeftButton);
  Send(QEvent::MouseButtonRelease, B, Qt::NoButton);
  Send(QEvent::MouseButtonDblClick, B, Qt::LeftButton);
  EXPECT_EQ(Log, (QStringList{QStringLiteral("down 0 1 %1 %2").arg(A.x()).arg(A.y()), "up 0",
                              "click", "double"}));
  EXPECT_EQ(G.Zoom.Count(), 1);

  // Drops: refused without a handler, then as the handler says.
  QMimeData Data;
  QDragEnterEvent Over(A.toPoint(), Qt::CopyAction, &Data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(F.Plot->Image(), &Over);
  EXPECT_FALSE(Over.isAccepted());
  int Dropped = 0;
  F.Plot->OnDragOver = [&](TPlot*, QObject*, int X, int, bool& Accept) { Accept = X > 10; };
  F.Plot->OnDragDrop = [&](TPlot*, QObject*, int X, int Y) { Dropped += X == A.x() && Y == A.y(); };
  QDragEnterEvent Over2(A.toPoint(), Qt::CopyAction, &Data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(F.Plot->Image(), &Over2);
  EXPECT_TRUE(Over2.isAccepted());
  QDropEvent Drop(A, Qt::CopyAction, &Data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(F.Plot->Image(), &Drop);
  EXPECT_EQ(Dropped, 1);
}

}  // namespace

TEST(Plot, AMatrixCellsHintReachesTheScreen) {
  TPlotFixture F;
  auto M = std::make_unique<TMatrixSeries>(F.Plot->Graph(), 3, 2);
  for (int I = 1; I <= 3; ++I)
    for (int J = 1; J <= 2; ++J) {
      M->Matrix.SetValue(I, J, I + J);
      M->Texts.SetValue(I, J, QStringLiteral("cell %1,%2").arg(I).arg(J));
    }
  F.Plot->AddSeries(std::move(M));
  F.Plot->Redraw();
  TGraph& G = F.Graph();
  F.Plot->ImageMouseMove(0, G.XToPixel(2), G.YToPixel(1));
  EXPECT_EQ(F.Plot->Image()->toolTip(), QStringLiteral("cell 2,1"));
  // Off the cells the hint goes away.
  F.Plot->ImageMouseMove(0, G.XToPixel(2.5), G.YToPixel(1.5));
  EXPECT_TRUE(F.Plot->Image()->toolTip().isEmpty());
}

namespace {
// The dark pixels in the columns [X0, X1): the labels' ink.
int DarkPixels(const QImage& P, int X0, int X1) {
  int N = 0;
  for (int Y = 0; Y < P.height(); ++Y)
    for (int X = std::max(X0, 0); X < std::min(X1, P.width()); ++X) N += qGray(P.pixel(X, Y)) < 100;
  return N;
}
}  // namespace

// At a pixel ratio of 2 the graph paints the image in device pixels at twice the resolution:
// the labels are twice as large in pixels (not doubled afterwards), the mouse lands on the
// image's pixel under it, and the copied picture has the image's full size. The contour layer
// writes its labels in a font of its own, which the canvas keeps for the next painting.
TEST(Plot, AtAPixelRatioOfTwoTheImageIsDrawnInDevicePixels) {
  TPlotFixture F;
  F.AddLine()->SetHasLegend(true);
  F.AddContour();
  F.Plot->Redraw();
  TGraph& G = F.Graph();
  const int InkAt1 = DarkPixels(F.Picture(), 0, G.PlotRect.Left - 6);
  const int TextAt1 = F.Plot->Image()->Canvas()->TextHeight(QStringLiteral("0"));
  ASSERT_GT(InkAt1, 20);
  // The legend's shadow, across the middle of its box.
  G.Legend->ShadowColor = clLime;
  auto Shadow = [&] {
    F.Plot->Redraw();
    return CountColor(F.Picture().copy(0, (G.Legend->Bounds.Top + G.Legend->Bounds.Bottom) / 2,
                                       F.Picture().width(), 1),
                      qRgb(0, 255, 0));
  };
  const int ShadowAt1 = Shadow();
  ASSERT_GT(ShadowAt1, 2);

  F.Plot->Image()->SetPixelRatioOverride(2);
  F.Plot->Redraw();
  EXPECT_EQ(F.Picture().size(), QSize(800, 560));
  EXPECT_EQ(G.ImageRect, (TRect{0, 0, 800, 560}));
  EXPECT_NEAR(F.Plot->Image()->Canvas()->TextHeight(QStringLiteral("0")), 2 * TextAt1, 1);
  EXPECT_NEAR(Shadow(), 2 * ShadowAt1, 1);
  // Strokes twice as long and twice as wide: about four times the ink, not drawn small.
  EXPECT_GE(DarkPixels(F.Picture(), 0, G.PlotRect.Left - 6), 3 * InkAt1);
  // The series passes through (5, 5) in image pixels.
  EXPECT_EQ(F.Picture().pixel(G.XToPixel(5), G.YToPixel(5)), qRgb(255, 0, 0));

  int MX = -1, MY = -1;
  F.Plot->OnMouseMove = [&](TShiftState, int X, int Y) { MX = X, MY = Y; };
  QMouseEvent Move(QEvent::MouseMove, QPointF(100, 70), QPointF(100, 70), Qt::NoButton,
                   Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(F.Plot->Image(), &Move);
  EXPECT_EQ(MX, 200);
  EXPECT_EQ(MY, 140);
  EXPECT_NEAR(F.Plot->StatusBar()->Panel(0).Text.mid(2).toDouble(), G.PixelToX(200), 0.05);

  QGuiApplication::clipboard()->clear();
  F.Plot->CopyToClipboard();
  EXPECT_EQ(QGuiApplication::clipboard()->image().size(), QSize(800, 560));

  // Back at 1 the picture is the one it was.
  F.Plot->Image()->SetPixelRatioOverride(1);
  F.Plot->Redraw();
  EXPECT_EQ(F.Picture().size(), QSize(400, 280));
  EXPECT_EQ(DarkPixels(F.Picture(), 0, G.PlotRect.Left - 6), InkAt1);
}
