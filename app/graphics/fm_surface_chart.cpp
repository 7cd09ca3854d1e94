#include "app/graphics/fm_surface_chart.h"

#include <QAction>
#include <QMenu>

#include <algorithm>
#include <cmath>
#include <vector>

#include "app/graphics/chart_window_tools.h"
#include "chart/engine/axis_math.h"
#include "chart/engine/chart.h"
#include "chart/engine/chart_format.h"
#include "chart/engine/surface_series.h"
#include "platform/app_services.h"

TfmSurfaceChart* fmSurfaceChart = nullptr;

TfmSurfaceChart::TfmSurfaceChart(QWidget* Parent)
    : TChartWindow(Parent, {.Name = "fmSurfaceChart",
                            .Title = QStringLiteral("Surface"),
                            .ChartName = "Chart",
                            .GridHint = QStringLiteral("Vertical grid"),
                            .SaveAs = QStringLiteral("&Save As..."),
                            .Exit = QStringLiteral("&Exit"),
                            .CopyBitmap = QStringLiteral("&Copy to clipboard as Bitmap"),
                            .CopyMetafile = QStringLiteral("Copy to clipboard as &Metafile"),
                            .ShowLegend = QStringLiteral("&Show Legend"),
                            .Bars = {{{"ScrollBar1"},
                                      {"ScrollBar2"},
                                      {"sbZoom"},
                                      {"scbHoriz"},
                                      {"scbVert"},
                                      {"sbTilt"}}},
                            .Popup = std::nullopt}),
      ScrollBar1(FViewBars[0]),
      ScrollBar2(FViewBars[1]),
      sbZoom(FViewBars[2]),
      scbHoriz(FViewBars[3]),
      scbVert(FViewBars[4]),
      sbTilt(FViewBars[5]),
      Chart(FChart) {
  sbWireFrame =
      AddToolButton(Panel3, "sbWireFrame", QStringLiteral("Wire"), QStringLiteral("Wire Frame"), 3);
  sbW1 = AddPartnerButton(Panel3, "sbW1", 3);
  AddTool(sbWireFrame, [this] { WireFrameClick(); });

  TView3DOptions* V = Chart->View3DOptions();
  V->SetRotation(324);
  V->SetZoom(60);
  V->SetVertOffset(-20);
  V->SetPerspective(26);
  V->SetOrthogonal(false);
  ShowView();
  Chart->SetChart3DPercent(90);
  Chart->Gradient()->SetEndColor(clSilver);
  Chart->Gradient()->SetVisible(true);
  Chart->Legend()->SetVisible(false);
  // Y runs in depth: its axis is labelled too.
  Chart->DepthAxis()->SetVisible(true);
  AddSurfaceSeries();
  // The series' columns and rows are grid positions; the axes along them write the X and Y
  // values those positions stand for.
  Chart->OnGetNextAxisLabel = [this](const TChartAxis* Axis, int Index, double& Value, bool& Stop) {
    GridAxisLabel(Axis, Index, Value, Stop);
  };
  Chart->OnGetAxisLabel = [this](const TChartAxis* Axis, TChartSeries* Series, int, QString& Text) {
    if (Series || (Axis != Chart->BottomAxis() && Axis != Chart->DepthAxis())) return;
    const auto Found = FGridLabelTexts.find(Text);
    if (Found != FGridLabelTexts.end()) Text = Found->second;
  };

  QMenu* View = FViewMenu;
  View->addSeparator();
  miViewFrame = AddItem(
      View, "miViewFrame", QStringLiteral("&View Frame"), this, [this] { ViewFrameClick(); }, true);
  miWireFrame = AddItem(
      View, "miWireFrame", QStringLiteral("&Wire Frame"), this, [this] { WireFrameClick(); }, true);
  miClean = AddItem(
      View, "miClean", QStringLiteral("&Clean"), this, [this] { CleanClick(); }, true);
  View->addSeparator();
  miColorRange = AddItem(
      View, "miColorRange", QStringLiteral("Color &Range"), this,
      [this] { ColorModeClick(miColorRange); }, true);
  miColorPalette = AddItem(
      View, "miColorPalette", QStringLiteral("Color &Palette"), this,
      [this] { ColorModeClick(miColorPalette); }, true);
  miSingleColor = AddItem(
      View, "miSingleColor", QStringLiteral("&Single Color"), this,
      [this] { ColorModeClick(miSingleColor); }, true);
  miColorRange->setChecked(true);
}

TfmSurfaceChart::~TfmSurfaceChart() = default;

void TfmSurfaceChart::FormCreate() {
  const bool HighColor = TCustomChartPanel::IsScreenHighColor();
  if (!HighColor)
    ShowInformation(QStringLiteral("This demo looks much better with\r16k colors or greater."));
  ChartEraseBackground = false;
  SurfaceSeries1->FillSampleValues(0);
  SurfaceSeries1->Pen()->SetColor(clBlack);
  Chart->Gradient()->SetVisible(HighColor);
  // The buttons show the chart's state: legend hidden, grid shown, solid cells.
  ShowLegendAndGrid();
  ShowToggle(sbWireFrame, sbW1, false);
  RememberPen();
}

void TfmSurfaceChart::PropertiesClick() {
  TChartWindow::PropertiesClick();
  FindSurfaceSeries();
}

void TfmSurfaceChart::AddSurfaceSeries() {
  SurfaceSeries1 =
      static_cast<TSurfaceSeries*>(Chart->AdoptSeries(std::make_unique<TSurfaceSeries>()));
  SurfaceSeries1->SetTitle(QStringLiteral("Surface"));
  SurfaceSeries1->SetNumXValues(15);
  SurfaceSeries1->SetNumZValues(15);
}

void TfmSurfaceChart::FindSurfaceSeries() {
  // The editor may have deleted the surface or changed its type: the next plot goes into the
  // chart's first surface, or into a new one.
  for (int i = 0; i < Chart->SeriesCount(); ++i)
    if (auto* S = dynamic_cast<TSurfaceSeries*>(Chart->GetSeries(i))) {
      SurfaceSeries1 = S;
      return;
    }
  AddSurfaceSeries();
}

void TfmSurfaceChart::RememberPen() {
  SavedPenColor = SurfaceSeries1->Pen()->Color();
  SavedPenVisible = SurfaceSeries1->Pen()->Visible();
}

void TfmSurfaceChart::RestorePen() {
  SurfaceSeries1->Pen()->SetColor(SavedPenColor);
  SurfaceSeries1->Pen()->SetVisible(SavedPenVisible);
}

void TfmSurfaceChart::GridAxisLabel(const TChartAxis* Axis, int Index, double& Value, bool& Stop) {
  const bool X = Axis == Chart->BottomAxis();
  if (!X && Axis != Chart->DepthAxis()) return;
  if (Index == 0) {
    FGridLabels.clear();
    FGridLabelTexts.clear();
    const double From = X ? XFrom : YFrom, Step = X ? XStep : YStep;
    if (!std::isfinite(From) || !std::isfinite(Step) || Step == 0) return;
    // The axis' range of positions, in values; labels at round values of it, as many as the
    // axis has room for, each at the position of its value.
    auto ValueAt = [&](double Position) { return From + (Position - 1) * Step; };
    const double Low = std::min(ValueAt(Axis->IMinimum()), ValueAt(Axis->IMaximum())),
                 High = std::max(ValueAt(Axis->IMinimum()), ValueAt(Axis->IMaximum()));
    const QString Format = Axis->AxisValuesFormat();
    TChartCanvas3D* C = Chart->Canvas3D();
    // As the axis spaces its own labels: by their size along the axis as the view shows it.
    const int Size = Axis->SeenLabelSpan(*C, FormatFloat(Format, Low), FormatFloat(Format, High));
    const int Sep = Axis->LabelsSeparation();
    const int Most = AxisMaxLabels(std::abs(Axis->IEndPos() - Axis->IStartPos()), Size, Sep);
    // An axis seen end-on has room for no label: it writes none, rather than its own.
    if (Most < 1) {
      Value = 0;
      Stop = true;
      return;
    }
    const double Increment = AxisCalcIncrement(Low, High, 0, Most, Sep);
    for (double V : AxisLabelValues(Low, High, Increment, Axis->RoundFirstLabel())) {
      const double Position = (V - From) / Step + 1;
      FGridLabels.push_back(Position);
      FGridLabelTexts[FormatFloat(Format, Position)] = FormatFloat(Format, V);
    }
    // Without a label of its own the axis keeps its usual ones.
    if (FGridLabels.empty()) return;
  }
  if (Index >= int(FGridLabels.size())) {
    Stop = true;
    return;
  }
  Value = FGridLabels[size_t(Index)];
}

TColor TfmSurfaceChart::MeshColor() const {
  // The start colour, as long as the mesh can be seen in it: white (the default) is the colour
  // of the floor, and a mesh in the colour of the floor or the walls is lost on them.
  TChart& C = *Chart;
  std::vector<TColor> Behind;
  if (C.View3DWalls()) Behind = {C.BottomWall()->Color(), C.LeftWall()->Color()};
  if (C.Gradient()->Visible()) {
    Behind.push_back(C.Gradient()->StartColor());
    Behind.push_back(C.Gradient()->EndColor());
  } else {
    Behind.push_back(C.Color());
  }
  if (!IsChartAuto(C.BackWall()->Color())) Behind.push_back(C.BackWall()->Color());
  auto Seen = [&](TColor Colour) {
    for (TColor B : Behind)
      if (!IsChartAuto(B) && B != clNone && ColorToRGB(B) == ColorToRGB(Colour)) return false;
    return true;
  };
  for (TColor Colour : {SurfaceSeries1->StartColor(), SurfaceSeries1->EndColor()})
    if (!IsChartAuto(Colour) && Colour != clNone && Seen(Colour)) return Colour;
  return clBlack;
}

void TfmSurfaceChart::WireFrameClick() {
  if (!miWireFrame->isChecked()) RememberPen();
  const bool On = !miWireFrame->isChecked();
  miWireFrame->setChecked(On);
  ShowToggle(sbWireFrame, sbW1, On);
  SurfaceSeries1->SetWireFrame(On);
  if (On)
    SurfaceSeries1->Pen()->SetColor(MeshColor());
  else
    RestorePen();
  Chart->Invalidate();
}

void TfmSurfaceChart::ViewFrameClick() {
  SavedPenColor = SurfaceSeries1->StartColor();
  const bool On = !miViewFrame->isChecked();
  miViewFrame->setChecked(On);
  SurfaceSeries1->Pen()->SetVisible(On);
  SurfaceSeries1->Pen()->SetColor(miColorRange->isChecked() ? SurfaceSeries1->StartColor()
                                                            : clBlack);
  Chart->Invalidate();
}

void TfmSurfaceChart::CleanClick() {
  const bool On = !miClean->isChecked();
  miClean->setChecked(On);
  Chart->Gradient()->SetVisible(TCustomChartPanel::IsScreenHighColor() && !On);
  Chart->SetView3DWalls(!On);
  Chart->SetAxisVisible(!On);
  if (On) {
    SavedColor = Chart->Color();
    Chart->SetColor(clBlack);
  } else {
    Chart->SetColor(SavedColor);
  }
  Chart->Invalidate();
}

void TfmSurfaceChart::CheckColorMode(QAction* Item) {
  for (QAction* A : {miColorRange, miColorPalette, miSingleColor}) A->setChecked(A == Item);
}

void TfmSurfaceChart::ColorModeClick(QAction* Sender) {
  const QString Name = Sender->objectName();
  TSurfaceSeries* S = SurfaceSeries1;
  if (Name == QLatin1String("miSingleColor")) {
    RememberPen();
    S->Pen()->SetColor(clBlack);
    S->Pen()->SetVisible(true);
    S->SetUseColorRange(false);
    S->SetUsePalette(false);
    S->SetPaletteSteps(10);
    CheckColorMode(miSingleColor);
    miViewFrame->setChecked(true);
  } else if (Name == QLatin1String("miColorRange")) {
    RestorePen();
    S->SetUseColorRange(true);
    S->SetUsePalette(false);
    S->SetPaletteSteps(10);
    CheckColorMode(miColorRange);
  } else if (Name == QLatin1String("miColorPalette")) {
    S->SetUseColorRange(false);
    S->SetUsePalette(true);
    CheckColorMode(miColorPalette);
    S->SetPaletteSteps(50);
  }
  Chart->Invalidate();
}
