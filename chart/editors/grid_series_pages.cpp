#include "chart/editors/grid_series_pages.h"

#include <cmath>

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "chart/editors/pen_dialogs.h"
#include "chart/editors/series_tab.h"
#include "chart/engine/polar_series.h"
#include "chart/engine/surface_series.h"
#include "platform/controls.h"
#include "platform/number_text.h"

namespace {
QRadioButton* Radio(QWidget* Parent, const QString& Caption, const char* Name) {
  auto* R = new QRadioButton(Caption, Parent);
  R->setObjectName(QLatin1String(Name));
  return R;
}
}  // namespace

// --- Grid --------------------------------------------------------------------------------------

TGrid3DSeriesEditor::TGrid3DSeriesEditor(QWidget* Owner) : TSeriesFormatPage(Owner) {
  setObjectName(QStringLiteral("Grid3DSeriesEditor"));
  auto* Grid = new QGridLayout(this);
  RGColor = Radio(this, QStringLiteral("&Series Color:"), "RGColor");
  Shape1 = Swatch(this, "Shape1");
  RGRange = Radio(this, QStringLiteral("&Color Range:"), "RGRange");
  Shape2 = Swatch(this, "Shape2");
  Shape3 = Swatch(this, "Shape3");
  RGPalette = Radio(this, QStringLiteral("&Use Palette:"), "RGPalette");
  SEPalette = SpinEdit(this, "SEPalette", 1, 10000, 1);
  Grid->addWidget(RGColor, 0, 0);
  Grid->addWidget(Shape1, 0, 1);
  Grid->addWidget(RGRange, 1, 0);
  auto* Range = new QHBoxLayout;
  Range->addWidget(new QLabel(QStringLiteral("From:"), this));
  Range->addWidget(Shape2);
  Range->addWidget(new QLabel(QStringLiteral("To:"), this));
  Range->addWidget(Shape3);
  Grid->addLayout(Range, 1, 1);
  Grid->addWidget(RGPalette, 2, 0);
  auto* Steps = new QHBoxLayout;
  auto* LSteps = new QLabel(QStringLiteral("S&teps:"), this);
  LSteps->setBuddy(SEPalette);
  Steps->addWidget(LSteps);
  Steps->addWidget(SEPalette);
  Grid->addLayout(Steps, 2, 1);

  auto* Size = new QGroupBox(QStringLiteral("Grid size:"), this);
  auto* SizeGrid = new QGridLayout(Size);
  SEXGrid = SpinEdit(Size, "SEXGrid", 1, MaxGridSize, 1);
  SEZGrid = SpinEdit(Size, "SEZGrid", 1, MaxGridSize, 1);
  AddLabelled(SizeGrid, 0, QStringLiteral("&X:"), SEXGrid);
  AddLabelled(SizeGrid, 1, QStringLiteral("&Z:"), SEZGrid);
  Grid->addWidget(Size, 0, 2, 3, 1);
  EDepth = SpinEdit(this, "EDepth", 1, 1000, 1);
  AddLabelled(Grid, 3, QStringLiteral("&Depth:"), EDepth);
  Grid->setRowStretch(4, 1);
  Grid->setColumnStretch(3, 1);

  using G = TCustom3DGridSeries;
  Edit<G>(RGColor, &QRadioButton::clicked, [this](G& S) {
    S.SetUseColorRange(false);
    S.SetUsePalette(false);
    RefreshShapes();
  });
  Edit<G>(RGRange, &QRadioButton::clicked, [this](G& S) {
    S.SetUseColorRange(true);
    S.SetUsePalette(false);
    RefreshShapes();
  });
  Edit<G>(RGPalette, &QRadioButton::clicked, [this](G& S) {
    S.SetUsePalette(true);
    S.SetUseColorRange(false);
    RefreshShapes();
  });
  Edit<G>(Shape1, &TColorSwatch::Clicked, [this](G& S) {
    PickColor(this, S.SeriesColor(), [&S](TColor C) { S.SetSeriesColor(C); });
    RefreshShapes();
  });
  Edit<G>(Shape2, &TColorSwatch::Clicked, [this](G& S) {
    PickColor(this, S.StartColor(), [&S](TColor C) { S.SetStartColor(C); });
    RefreshShapes();
  });
  Edit<G>(Shape3, &TColorSwatch::Clicked, [this](G& S) {
    PickColor(this, S.EndColor(), [&S](TColor C) { S.SetEndColor(C); });
    RefreshShapes();
  });
  EditNumber<G>(
      SEPalette, [](G& S, int V) { S.SetPaletteSteps(V); }, [](G& S) { return S.PaletteSteps(); });
  // A grid the series cannot hold is refused with its message and the old grid stays.
  EditNumber<G>(
      SEXGrid, [this](G& S, int V) { S.CreateValues(V, SEZGrid->IntValue()); },
      [](G& S) { return S.NumXValues(); });
  EditNumber<G>(
      SEZGrid, [this](G& S, int V) { S.CreateValues(SEXGrid->IntValue(), V); },
      [](G& S) { return S.NumZValues(); });
  EditNumber<G>(
      EDepth, [](G& S, int V) { S.SetTimesZOrder(V); }, [](G& S) { return S.TimesZOrder(); });
}

void TGrid3DSeriesEditor::LoadControls() {
  auto* S = As<TCustom3DGridSeries>();
  if (!S) return;
  // Only a series that makes its own values can be given another grid; one that the program
  // filled would lose its points.
  const bool CanMake = S->OnGetYValue || S->SampleValues();
  SEXGrid->ShowValue(S->NumXValues());
  SEZGrid->ShowValue(S->NumZValues());
  SEXGrid->setEnabled(CanMake);
  SEZGrid->setEnabled(CanMake);
  SEPalette->ShowValue(S->PaletteSteps());
  EDepth->ShowValue(S->TimesZOrder());
  if (S->UsePalette())
    RGPalette->setChecked(true);
  else if (S->UseColorRange())
    RGRange->setChecked(true);
  else
    RGColor->setChecked(true);
  RefreshShapes();
}

void TGrid3DSeriesEditor::RefreshShapes() {
  if (auto* S = As<TCustom3DGridSeries>()) {
    Shape1->SetColor(S->SeriesColor());
    Shape2->SetColor(S->StartColor());
    Shape3->SetColor(S->EndColor());
  }
}

// --- Surface -----------------------------------------------------------------------------------

TSurfaceSeriesEditor::TSurfaceSeriesEditor(QWidget* Owner) : TSeriesFormatPage(Owner) {
  setObjectName(QStringLiteral("SurfaceSeriesEditor"));
  auto* Grid = new QGridLayout(this);
  BPen = Button(this, QStringLiteral("&Pen..."), "BPen");
  BBrush = Button(this, QStringLiteral("&Brush..."), "BBrush");
  RGDrawMode = RadioGroup(
      this, "RGDrawMode", QStringLiteral("Drawing Mode:"),
      {QStringLiteral("Solid"), QStringLiteral("WireFrame"), QStringLiteral("DotFrame")});
  Grid->addWidget(BPen, 0, 0);
  Grid->addWidget(BBrush, 1, 0);
  Grid->addWidget(RGDrawMode, 0, 1, 3, 1);
  Grid->setRowStretch(3, 1);
  Grid->setColumnStretch(2, 1);

  using S = TSurfaceSeries;
  Edit<S>(BPen, &QPushButton::clicked, [this](S& X) { EditChartPen(this, *X.Pen()); });
  Edit<S>(BBrush, &QPushButton::clicked, [this](S& X) { EditChartBrush(this, *X.Brush()); });
  Edit<S>(RGDrawMode, &TRadioGroup::Click, [this](S& X) {
    switch (RGDrawMode->ItemIndex()) {
      case 0:
        X.SetDotFrame(false);
        X.SetWireFrame(false);
        break;
      case 1:
        X.SetWireFrame(true);
        break;
      case 2:
        X.SetDotFrame(true);
        break;
      default:
        break;
    }
  });
}

void TSurfaceSeriesEditor::LoadControls() {
  auto* S = As<TSurfaceSeries>();
  if (!S) return;
  RGDrawMode->SetItemIndex(S->WireFrame() ? 1 : S->DotFrame() ? 2 : 0);
}

void TSurfaceSeriesEditor::InsertPages() {
  if (auto* Tab = dynamic_cast<TFormChartSeries*>(Owner()))
    Tab->AddEditorPage(QStringLiteral("TGrid3DSeriesEditor"), 1, QStringLiteral("Grid 3D"));
}

// --- Polar -------------------------------------------------------------------------------------

TPolarSeriesEditor::TPolarSeriesEditor(QWidget* Owner) : TSeriesFormatPage(Owner) {
  setObjectName(QStringLiteral("PolarSeriesEditor"));
  auto* Grid = new QGridLayout(this);
  CBCircled = CheckBox(this, QStringLiteral("&Circled"), "CBCircled");
  Grid->addWidget(CBCircled, 0, 0, 1, 2);
  SERotation = SpinEdit(this, "SERotation", 0, 360, 5);
  ChartRule(SERotation).RangeMessage = QLatin1String(PieMessages::RotationAngle);
  AddLabelled(Grid, 1, QStringLiteral("&Rotation:"), SERotation);
  SEXRadius = SpinEdit(this, "SEXRadius", 0, 2000, 5);
  AddLabelled(Grid, 2, QStringLiteral("&X Radius:"), SEXRadius);
  SEYRadius = SpinEdit(this, "SEYRadius", 0, 2000, 5);
  AddLabelled(Grid, 3, QStringLiteral("&Y Radius:"), SEYRadius);
  SEAngleInc = SpinEdit(this, "SEAngleInc", 1, 360, 5);
  LAngleInc = AddLabelled(Grid, 4, QStringLiteral("&Increment:"), SEAngleInc);
  // The radius axis' increment: any step from 0 up, fractions too.
  SERadiusInc = RealEdit(this, "SERadiusInc", 0);
  SERadiusInc->SetSpin(1);
  SERadiusInc->setMaximumWidth(120);
  AddLabelled(Grid, 5, QStringLiteral("Increment:"), SERadiusInc);
  CheckBox1 = CheckBox(this, QStringLiteral("C&lose Circle"), "CheckBox1");
  Grid->addWidget(CheckBox1, 6, 0, 1, 2);

  auto* Buttons = new QVBoxLayout;
  BPiePen = Button(this, QStringLiteral("Circle &Pen..."), "BPiePen");
  Button2 = Button(this, QStringLiteral("P&en..."), "Button2");
  BBackPieColor = Button(this, QStringLiteral("Circle &Back Color..."), "BBackPieColor");
  BBrush = Button(this, QStringLiteral("Pattern..."), "BBrush");
  for (QPushButton* B : {BPiePen, Button2, BBackPieColor, BBrush}) Buttons->addWidget(B);
  Grid->addLayout(Buttons, 0, 2, 4, 1);
  auto* Labels = new QGroupBox(QStringLiteral("Labels:"), this);
  auto* LabelsBox = new QVBoxLayout(Labels);
  CBAngleLabels = CheckBox(Labels, QStringLiteral("&Visible"), "CBAngleLabels");
  CBLabelsRot = CheckBox(Labels, QStringLiteral("R&otated"), "CBLabelsRot");
  Button1 = Button(Labels, QStringLiteral("&Font..."), "Button1");
  for (QWidget* W : std::initializer_list<QWidget*>{CBAngleLabels, CBLabelsRot, Button1})
    LabelsBox->addWidget(W);
  Grid->addWidget(Labels, 4, 2, 3, 1);
  Grid->setRowStretch(7, 1);
  Grid->setColumnStretch(3, 1);

  using P = TCustomPolarSeries;
  Edit<P>(CBCircled, &QCheckBox::clicked, [](P& S, bool On) { S.SetCircled(On); });
  EditNumber<P>(
      SERotation, [](P& S, int V) { S.SetRotationAngle(V); },
      [](P& S) { return S.RotationAngle(); });
  EditNumber<P>(
      SEXRadius, [](P& S, int V) { S.SetCustomXRadius(V); },
      [](P& S) { return S.CustomXRadius(); });
  EditNumber<P>(
      SEYRadius, [](P& S, int V) { S.SetCustomYRadius(V); },
      [](P& S) { return S.CustomYRadius(); });
  EditNumber<P>(
      SEAngleInc,
      [](P& S, int V) {
        if (auto* Polar = dynamic_cast<TPolarSeries*>(&S)) Polar->SetAngleIncrement(V);
      },
      [](P& S) {
        auto* Polar = dynamic_cast<TPolarSeries*>(&S);
        return Polar ? RoundInt(Polar->AngleIncrement()) : 0;
      });
  EditReal<P>(
      SERadiusInc, [](P& S, double V) { S.SetRadiusIncrement(V); },
      [](P& S) { return S.RadiusIncrement(); });
  Edit<P>(CheckBox1, &QCheckBox::clicked, [](P& S, bool On) { S.SetCloseCircle(On); });
  Edit<P>(BPiePen, &QPushButton::clicked, [this](P& S) { EditChartPen(this, *S.CirclePen()); });
  Edit<P>(Button2, &QPushButton::clicked, [this](P& S) {
    EditChartPen(this, *S.Pen());
    S.SetSeriesColor(S.Pen()->Color());
  });
  Edit<P>(BBackPieColor, &QPushButton::clicked, [this](P& S) {
    PickColor(this, S.CircleBackColor(), [&S](TColor C) { S.SetCircleBackColor(C); });
  });
  Edit<P>(BBrush, &QPushButton::clicked, [this](P& S) { EditChartBrush(this, *S.Brush()); });
  Edit<P>(CBAngleLabels, &QCheckBox::clicked, [](P& S, bool On) { S.SetCircleLabels(On); });
  Edit<P>(CBLabelsRot, &QCheckBox::clicked, [](P& S, bool On) { S.SetCircleLabelsRotated(On); });
  Edit<P>(Button1, &QPushButton::clicked, [this](P& S) {
    EditChartFont(this, *S.CircleLabelsFont());
    S.Repaint();
  });
}

void TPolarSeriesEditor::LoadControls() {
  auto* S = As<TCustomPolarSeries>();
  if (!S) return;
  CBCircled->setChecked(S->Circled());
  SERotation->ShowValue(S->RotationAngle());
  SEXRadius->ShowValue(S->CustomXRadius());
  SEYRadius->ShowValue(S->CustomYRadius());
  SERadiusInc->ShowValue(S->RadiusIncrement());
  CheckBox1->setChecked(S->CloseCircle());
  CBAngleLabels->setChecked(S->CircleLabels());
  CBLabelsRot->setChecked(S->CircleLabelsRotated());
  // A radar spaces its spokes by its points, so it has no increment to set.
  auto* Polar = dynamic_cast<TPolarSeries*>(S);
  SEAngleInc->setVisible(Polar != nullptr);
  LAngleInc->setVisible(Polar != nullptr);
  if (Polar) SEAngleInc->ShowValue(RoundInt(Polar->AngleIncrement()));
}

void TPolarSeriesEditor::InsertPages() { InsertPointerForm(this); }
