// The frame both chart windows are built on: each gets its own menu texts, popup, toolbar and
// scroll bar ranges, and the frame's commands reach its own chart.
#include <QAction>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>

#include "app/graphics/fm_surface_chart.h"
#include "app/graphics/polar_form.h"
#include "chart/engine/chart.h"
#include "platform/controls.h"
#include "tests/app/chart_windows_support.h"

namespace {

// "name=text" for each item, "-" for a separator, a menu's title before its items.
QStringList Items(const QList<QAction*>& Actions) {
  QStringList L;
  for (QAction* A : Actions) {
    if (A->isSeparator())
      L << QStringLiteral("-");
    else if (A->menu())
      L << A->text() << Items(A->menu()->actions());
    else
      L << A->objectName() + '=' + A->text();
  }
  return L;
}

// The toolbar's buttons in their order: "name:caption:hint".
QStringList Tools(const TChartWindow& W) {
  QStringList L;
  QLayout* Row = W.Panel3->layout();
  for (int i = 0; i < Row->count(); ++i)
    if (auto* B = qobject_cast<TSpeedButton*>(Row->itemAt(i)->widget()))
      L << B->objectName() + ':' + B->Caption() + ':' + B->Hint();
  return L;
}

// "name min..max at position", each bar at the view's value, then what moving the bar by one did
// to the view, in the order rotation, elevation, zoom, horizontal, vertical, tilt.
QStringList Bars(const TChartWindow& W, TChart& Chart) {
  QStringList L;
  TView3DOptions* V = Chart.View3DOptions();
  const auto Views = [V] {
    return std::array<int, 6>{V->Rotation(),    V->Elevation(),  V->Zoom(),
                              V->HorizOffset(), V->VertOffset(), V->Tilt()};
  };
  const auto Bars = W.Panel2->findChildren<QScrollBar*>();
  for (int i = 0; i < Bars.size(); ++i) {
    QScrollBar* B = Bars[i];
    L << QStringLiteral("%1 %2..%3 at %4")
             .arg(B->objectName())
             .arg(B->minimum())
             .arg(B->maximum())
             .arg(B->value());
    EXPECT_EQ(B->value(), Views()[size_t(i)]) << B->objectName().toStdString();
    const int To = B->value() == B->maximum() ? B->value() - 1 : B->value() + 1;
    B->setValue(To);
    EXPECT_EQ(Views()[size_t(i)], To) << B->objectName().toStdString();
  }
  return L;
}

using ChartWindowFrameTest = ChartWindowTest;

TEST_F(ChartWindowFrameTest, EachWindowGetsItsOwnTextsAndRanges) {
  std::unique_ptr<TfmSurfaceChart> S(CreateForm<TfmSurfaceChart>());
  EXPECT_EQ(S->objectName(), "fmSurfaceChart");
  EXPECT_EQ(S->windowTitle(), "Surface");
  EXPECT_EQ(S->Chart->objectName(), "Chart");
  EXPECT_EQ(Items(S->MainMenu1->actions()),
            QStringList({"&File",
                         "miPrint=&Print",
                         "miSaveAs=&Save As...",
                         "-",
                         "miExit=&Exit",
                         "&Edit",
                         "miCopyBitmap=&Copy to clipboard as Bitmap",
                         "miCopyMetafile=Copy to clipboard as &Metafile",
                         "&View",
                         "miGrid=&Grid",
                         "miLegend=&Show Legend",
                         "miProperties=&Properties",
                         "-",
                         "miViewFrame=&View Frame",
                         "miWireFrame=&Wire Frame",
                         "miClean=&Clean",
                         "-",
                         "miColorRange=Color &Range",
                         "miColorPalette=Color &Palette",
                         "miSingleColor=&Single Color"}));
  EXPECT_EQ(S->PopupMenu1, nullptr);
  EXPECT_EQ(S->Chart->contextMenuPolicy(), Qt::DefaultContextMenu);
  EXPECT_EQ(Tools(*S), QStringList({"sbPrint:Print:Print", "sbSaveAs:Save:Save As...",
                                    "sbProp:Prop:Properties", "sbLegend:Legend:Show legend",
                                    "sbGrid:Grid:Vertical grid", "sbWireFrame:Wire:Wire Frame"}));
  EXPECT_EQ(Bars(*S, *S->Chart),
            QStringList({"ScrollBar1 0..360 at 324", "ScrollBar2 0..360 at 345",
                         "sbZoom 1..500 at 60", "scbHoriz -1500..1500 at 0",
                         "scbVert -1500..1500 at -20", "sbTilt 0..360 at 0"}));

  std::unique_ptr<TPolarForm> P(CreateForm<TPolarForm>());
  EXPECT_EQ(P->objectName(), "PolarForm");
  EXPECT_EQ(P->windowTitle(), "Polar Plot");
  EXPECT_EQ(P->Chart1->objectName(), "Chart1");
  EXPECT_EQ(Items(P->MainMenu1->actions()),
            QStringList({"&File", "miPrint=&Print", "miSaveAs=Save &As...", "-", "miExit=E&xit",
                         "&Edit", "miCopyBitmap=&Copy to Clipboard as Bitmap",
                         "miCopyMetafile=Copy to Clipboard as &Metafile", "&View", "miGrid=&Grid",
                         "miLegend=Show &Legend", "miProperties=&Properties", "miView3D=&View3D"}));
  ASSERT_NE(P->PopupMenu1, nullptr);
  EXPECT_EQ(Items(P->PopupMenu1->actions()),
            QStringList({"pmPrint=Print", "pmSaveAs=Save As...",
                         "pmCopyBitmap=Copy to Clipboard as Bitmap",
                         "pmCopyMetafile=Copy to Clipbord as Metafile", "pmGrid=Grid",
                         "pmLegend=Show Legend", "pmProperties=Properties", "pmView3D=View 3D"}));
  EXPECT_EQ(P->Chart1->contextMenuPolicy(), Qt::CustomContextMenu);
  EXPECT_EQ(Tools(*P), QStringList({"sbPrint:Print:Print", "sbSaveAs:Save:Save As...",
                                    "sbProp:Prop:Properties", "sbLegend:Legend:Show legend",
                                    "sbGrid:Grid:Grid"}));
  EXPECT_EQ(Bars(*P, *P->Chart1), QStringList({"sbRot 0..360 at 360", "scbElev 0..360 at 315",
                                               "scbZoom 1..500 at 100", "scbHoriz -1500..1500 at 0",
                                               "scbVert -1500..1500 at 0", "scbTilt 0..360 at 0"}));
}

TEST_F(ChartWindowFrameTest, CommandsReachTheirOwnChartAndKeepEveryItemInStep) {
  std::unique_ptr<TfmSurfaceChart> S(CreateForm<TfmSurfaceChart>());
  std::unique_ptr<TPolarForm> P(CreateForm<TPolarForm>());
  // Both start with the items showing their chart: the surface's legend hidden, the polar's
  // shown, both grids shown.
  EXPECT_FALSE(S->miLegend->isChecked());
  EXPECT_TRUE(S->sbL1->Down());
  EXPECT_TRUE(P->miLegend->isChecked() && P->pmLegend->isChecked() && P->sbLegend->Down());
  EXPECT_TRUE(P->miGrid->isChecked() && P->pmGrid->isChecked() && P->sbGrid->Down());

  // The popup's grid item hides the polar chart's grid, and only that one.
  P->pmGrid->trigger();
  EXPECT_FALSE(P->Chart1->LeftAxis()->Grid()->Visible());
  EXPECT_FALSE(P->miGrid->isChecked() || P->pmGrid->isChecked());
  EXPECT_TRUE(P->sbG1->Down());
  EXPECT_TRUE(S->Chart->LeftAxis()->Grid()->Visible());

  // The surface's legend button shows its legend; the menu item follows.
  S->sbLegend->click();
  EXPECT_TRUE(S->Chart->Legend()->Visible());
  EXPECT_TRUE(S->miLegend->isChecked());
  P->miLegend->trigger();
  EXPECT_FALSE(P->Chart1->Legend()->Visible());
  EXPECT_FALSE(P->pmLegend->isChecked());
  EXPECT_TRUE(S->Chart->Legend()->Visible());
}

}  // namespace
