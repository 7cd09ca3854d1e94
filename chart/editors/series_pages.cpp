#include "chart/editors/series_pages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "chart/editors/pen_dialogs.h"
#include "chart/engine/axis_panel.h"
#include "chart/engine/bar_series.h"
#include "chart/engine/custom_series.h"
#include "chart/engine/pie_series.h"
#include "chart/engine/point_types.h"
#include "chart/engine/shape_series.h"
#include "platform/controls.h"

namespace {
const QStringList BrushStyles = {QStringLiteral("Solid"),      QStringLiteral("Clear"),
                                 QStringLiteral("Horizontal"), QStringLiteral("Vertical"),
                                 QStringLiteral("Diagonal"),   QStringLiteral("B.Diagonal"),
                                 QStringLiteral("Cross"),      QStringLiteral("Diag.Cross")};

QLineEdit* LineEdit(QWidget* Parent, const char* Name) {
  auto* E = new QLineEdit(Parent);
  E->setObjectName(QLatin1String(Name));
  E->setMaximumWidth(100);
  return E;
}

bool Is3DChart(const TChartSeries& S) {
  const TCustomAxisPanel* C = S.ParentChart();
  return C && C->View3D();
}
}  // namespace

// --- Point marker ------------------------------------------------------------------------------

TSeriesPointerEditor::TSeriesPointerEditor(QWidget* Owner) : TSeriesFormatPage(Owner) {
  setObjectName(QStringLiteral("SeriesPointerEditor"));
  auto* Grid = new QGridLayout(this);
  CBPoiVisible = CheckBox(this, QStringLiteral("&Visible"), "CBPoiVisible");
  CB3dPoint = CheckBox(this, QStringLiteral("&3D"), "CB3dPoint");
  CBPoiDark = CheckBox(this, QStringLiteral("Dar&k 3D"), "CBPoiDark");
  CBInflate = CheckBox(this, QStringLiteral("Inflate &Margins"), "CBInflate");
  Grid->addWidget(CBPoiVisible, 0, 0);
  Grid->addWidget(CB3dPoint, 1, 0);
  Grid->addWidget(CBPoiDark, 2, 0);
  Grid->addWidget(CBInflate, 3, 0);
  SEPointHorizSize = SpinEdit(this, "SEPointHorizSize", 1, 1000, 1);
  SEPointVertSize = SpinEdit(this, "SEPointVertSize", 1, 1000, 1);
  LWidth = AddLabelled(Grid, 4, QStringLiteral("&Width:"), SEPointHorizSize);
  LHeight = AddLabelled(Grid, 5, QStringLiteral("&Height:"), SEPointVertSize);
  CBStyle = ComboBox(
      this, "CBStyle",
      {QStringLiteral("Square"), QStringLiteral("Circle"), QStringLiteral("Triangle"),
       QStringLiteral("Down Triangle"), QStringLiteral("Cross"), QStringLiteral("Diagonal Cross"),
       QStringLiteral("Star"), QStringLiteral("Diamond"), QStringLiteral("Small Dot")});
  AddLabelled(Grid, 6, QStringLiteral("St&yle:"), CBStyle);
  BPoiPen = Button(this, QStringLiteral("B&order..."), "BPoiPen");
  BPoiBack = Button(this, QStringLiteral("B&ackground..."), "BPoiBack");
  CBDefBrushColor = CheckBox(this, QStringLiteral("&Default"), "CBDefBrushColor");
  Grid->addWidget(BPoiPen, 0, 2);
  Grid->addWidget(BPoiBack, 1, 2);
  Grid->addWidget(CBDefBrushColor, 2, 2);
  Grid->setRowStretch(7, 1);
  Grid->setColumnStretch(3, 1);

  using S = TChartSeries;
  auto P = [](S& X) { return PointerOf(&X); };
  Edit<S>(CBPoiVisible, &QCheckBox::clicked, [this, P](S& X, bool On) {
    P(X)->SetVisible(On);
    CheckEnabled();
  });
  Edit<S>(CB3dPoint, &QCheckBox::clicked, [P](S& X, bool On) { P(X)->SetDraw3D(On); });
  Edit<S>(CBPoiDark, &QCheckBox::clicked, [P](S& X, bool On) { P(X)->SetDark3D(On); });
  Edit<S>(CBInflate, &QCheckBox::clicked, [P](S& X, bool On) { P(X)->SetInflateMargins(On); });
  EditNumber<S>(
      SEPointHorizSize, [P](S& X, int V) { P(X)->SetHorizSize(V); },
      [P](S& X) { return P(X)->HorizSize(); });
  EditNumber<S>(
      SEPointVertSize, [P](S& X, int V) { P(X)->SetVertSize(V); },
      [P](S& X) { return P(X)->VertSize(); });
  Edit<S>(CBStyle, &QComboBox::activated, [this, P](S& X, int I) {
    if (I < 0) return;
    P(X)->SetStyle(TSeriesPointerStyle(I));
    CheckEnabled();
  });
  Edit<S>(BPoiPen, &QPushButton::clicked, [this, P](S& X) { EditChartPen(this, *P(X)->Pen()); });
  Edit<S>(BPoiBack, &QPushButton::clicked, [this, P](S& X) {
    TChartBrush* B = P(X)->Brush();
    const TColor Old = B->Color() == clChartAuto ? X.SeriesColor() : B->Color();
    B->SetColor(EditColor(this, Old));
    CBDefBrushColor->setChecked(B->Color() == clChartAuto);
    X.Repaint();
  });
  Edit<S>(CBDefBrushColor, &QCheckBox::clicked, [P](S& X, bool On) {
    if (!On) return;
    P(X)->Brush()->SetColor(clChartAuto);
    X.Repaint();
  });
}

void TSeriesPointerEditor::LoadControls() {
  TSeriesPointer* P = PointerOf(Series());
  if (!P) {
    Empty();
    return;
  }
  CBPoiVisible->setChecked(P->Visible());
  CB3dPoint->setChecked(P->Draw3D());
  CBPoiDark->setChecked(P->Dark3D());
  CBInflate->setChecked(P->InflateMargins());
  SEPointHorizSize->ShowValue(P->HorizSize());
  SEPointVertSize->ShowValue(P->VertSize());
  CBStyle->setCurrentIndex(int(P->Style()));
  CBDefBrushColor->setChecked(P->Brush()->Color() == clChartAuto);
  CheckEnabled();
}

void TSeriesPointerEditor::CheckEnabled() {
  TChartSeries* S = Series();
  TSeriesPointer* P = PointerOf(S);
  if (!P) return;
  const bool Visible = P->Visible();
  const TSeriesPointerStyle St = P->Style();
  const bool Solid = St == psRectangle || St == psTriangle || St == psDownTriangle;
  CB3dPoint->setEnabled(Visible && Is3DChart(*S) && Solid);
  CBPoiDark->setEnabled(CB3dPoint->isEnabled());
  EnableControls(Visible, {CBInflate, SEPointHorizSize, SEPointVertSize, BPoiBack, CBStyle, BPoiPen,
                           CBDefBrushColor});
  // Bubbles take their size from their radius values.
  if (!P->AllowChangeSize)
    EnableControls(false, {LWidth, LHeight, SEPointHorizSize, SEPointVertSize});
}

// --- Line --------------------------------------------------------------------------------------

TCustomSeriesEditor::TCustomSeriesEditor(QWidget* Owner) : TSeriesFormatPage(Owner) {
  setObjectName(QStringLiteral("CustomSeriesEditor"));
  auto* Outer = new QVBoxLayout(this);
  GroupBox1 = new QGroupBox(QStringLiteral("Line:"), this);
  Outer->addWidget(GroupBox1);
  Outer->addStretch();
  auto* Grid = new QGridLayout(GroupBox1);
  SHColor = Swatch(GroupBox1, "SHColor");
  BColor = Button(GroupBox1, QStringLiteral("&Color..."), "BColor");
  BLinePen = Button(GroupBox1, QStringLiteral("&Border..."), "BLinePen");
  Grid->addWidget(SHColor, 0, 0);
  Grid->addWidget(BColor, 0, 1);
  Grid->addWidget(BLinePen, 1, 1);
  CBLineBrush = ComboBox(GroupBox1, "CBLineBrush", BrushStyles);
  AddLabelled(Grid, 2, QStringLiteral("&Pattern:"), CBLineBrush);
  CBStairs = CheckBox(GroupBox1, QStringLiteral("&Stairs"), "CBStairs");
  CBInverted = CheckBox(GroupBox1, QStringLiteral("&Inverted"), "CBInverted");
  CBColorEach = CheckBox(GroupBox1, QStringLiteral("Color &Each"), "CBColorEach");
  CBDark3D = CheckBox(GroupBox1, QStringLiteral("&Dark 3D"), "CBDark3D");
  Grid->addWidget(CBStairs, 3, 0);
  Grid->addWidget(CBInverted, 3, 1);
  Grid->addWidget(CBColorEach, 4, 0);
  Grid->addWidget(CBDark3D, 4, 1);

  using S = TCustomSeries;
  auto PickSeriesColor = [this](S& X) {
    PickColor(this, X.SeriesColor(), [&X](TColor C) { X.SetSeriesColor(C); });
    SHColor->SetColor(X.SeriesColor());
  };
  Edit<S>(SHColor, &TColorSwatch::Clicked, PickSeriesColor);
  Edit<S>(BColor, &QPushButton::clicked, PickSeriesColor);
  Edit<S>(BLinePen, &QPushButton::clicked, [this](S& X) { EditChartPen(this, *X.LinePen()); });
  Edit<S>(CBLineBrush, &QComboBox::activated, [](S& X, int I) {
    if (I >= 0) X.SetLineBrush(TBrushStyle(I));
  });
  Edit<S>(CBStairs, &QCheckBox::clicked, [this](S& X, bool On) {
    X.SetStairs(On);
    CBInverted->setEnabled(On);
  });
  Edit<S>(CBInverted, &QCheckBox::clicked, [](S& X, bool On) { X.SetInvertedStairs(On); });
  Edit<S>(CBColorEach, &QCheckBox::clicked, [](S& X, bool On) { X.SetColorEachPoint(On); });
  Edit<S>(CBDark3D, &QCheckBox::clicked, [](S& X, bool On) { X.SetDark3D(On); });
}

void TCustomSeriesEditor::LoadControls() {
  auto* S = As<TCustomSeries>();
  if (!S) return;
  SHColor->SetColor(S->SeriesColor());
  CBLineBrush->setCurrentIndex(int(S->LineBrush()));
  CBStairs->setChecked(S->Stairs());
  CBInverted->setChecked(S->InvertedStairs());
  CBInverted->setEnabled(S->Stairs());
  CBColorEach->setChecked(S->ColorEachPoint());
  CBDark3D->setChecked(S->Dark3D());
  // Only a line has a line to style; the other kinds share the page for colours.
  if (!dynamic_cast<TLineSeries*>(S)) {
    GroupBox1->setTitle(QString());
    EnableControls(false, {CBLineBrush, BLinePen, CBStairs, CBInverted, CBDark3D});
  }
}

// --- Area --------------------------------------------------------------------------------------

TAreaSeriesEditor::TAreaSeriesEditor(QWidget* Owner) : TSeriesFormatPage(Owner) {
  setObjectName(QStringLiteral("AreaSeriesEditor"));
  auto* Grid = new QGridLayout(this);
  RGMultiArea = RadioGroup(
      this, "RGMultiArea", QStringLiteral("&Multiple Areas:"),
      {QStringLiteral("None"), QStringLiteral("Stacked"), QStringLiteral("Stacked 100%")});
  Grid->addWidget(RGMultiArea, 0, 0, 3, 1);
  CBAreaBrush = ComboBox(this, "CBAreaBrush", BrushStyles);
  auto* LPattern = new QLabel(QStringLiteral("&Pattern:"), this);
  LPattern->setBuddy(CBAreaBrush);
  Grid->addWidget(LPattern, 0, 1);
  Grid->addWidget(CBAreaBrush, 0, 2);
  CBStairs = CheckBox(this, QStringLiteral("&Stairs"), "CBStairs");
  CBInvStairs = CheckBox(this, QStringLiteral("Inverted"), "CBInvStairs");
  Grid->addWidget(CBStairs, 1, 1);
  Grid->addWidget(CBInvStairs, 1, 2);
  BAreaLinesPen = Button(this, QStringLiteral("Area &Lines..."), "BAreaLinesPen");
  BAreaLinePen = Button(this, QStringLiteral("&Border..."), "BAreaLinePen");
  Grid->addWidget(BAreaLinesPen, 2, 1);
  Grid->addWidget(BAreaLinePen, 2, 2);
  CBColorEach = CheckBox(this, QStringLiteral("Color &Each Point"), "CBColorEach");
  SHAreaColor = Swatch(this, "SHAreaColor");
  BAreaColor = Button(this, QStringLiteral("&Color..."), "BAreaColor");
  Grid->addWidget(CBColorEach, 3, 0);
  Grid->addWidget(SHAreaColor, 3, 1);
  Grid->addWidget(BAreaColor, 3, 2);
  Grid->setRowStretch(4, 1);
  Grid->setColumnStretch(3, 1);

  using S = TAreaSeries;
  Edit<S>(RGMultiArea, &TRadioGroup::Click, [this](S& X) {
    if (RGMultiArea->ItemIndex() >= 0) X.SetMultiArea(TMultiArea(RGMultiArea->ItemIndex()));
  });
  Edit<S>(CBAreaBrush, &QComboBox::activated, [](S& X, int I) {
    if (I >= 0) X.SetAreaBrush(TBrushStyle(I));
  });
  Edit<S>(CBStairs, &QCheckBox::clicked, [this](S& X, bool On) {
    X.SetStairs(On);
    CBInvStairs->setEnabled(On);
  });
  Edit<S>(CBInvStairs, &QCheckBox::clicked, [](S& X, bool On) { X.SetInvertedStairs(On); });
  Edit<S>(BAreaLinesPen, &QPushButton::clicked,
          [this](S& X) { EditChartPen(this, *X.AreaLinesPen()); });
  Edit<S>(BAreaLinePen, &QPushButton::clicked, [this](S& X) { EditChartPen(this, *X.LinePen()); });
  Edit<S>(CBColorEach, &QCheckBox::clicked, [this](S& X, bool On) {
    X.SetColorEachPoint(On);
    RefreshColor();
  });
  auto PickAreaColor = [this](S& X) {
    const TColor Old = X.AreaColor() == clChartAuto ? X.SeriesColor() : X.AreaColor();
    PickColor(this, Old, [&X](TColor C) { X.SetAreaColor(C); });
    RefreshColor();
  };
  Edit<S>(SHAreaColor, &TColorSwatch::Clicked, PickAreaColor);
  Edit<S>(BAreaColor, &QPushButton::clicked, PickAreaColor);
}

void TAreaSeriesEditor::LoadControls() {
  auto* S = As<TAreaSeries>();
  if (!S) return;
  RGMultiArea->SetItemIndex(int(S->MultiArea()));
  CBAreaBrush->setCurrentIndex(int(S->AreaBrush()));
  CBStairs->setChecked(S->Stairs());
  CBInvStairs->setChecked(S->InvertedStairs());
  CBInvStairs->setEnabled(S->Stairs());
  CBColorEach->setChecked(S->ColorEachPoint());
  RefreshColor();
}

void TAreaSeriesEditor::RefreshColor() {
  auto* S = As<TAreaSeries>();
  if (!S) return;
  SHAreaColor->SetColor(S->AreaColor() == clChartAuto ? S->SeriesColor() : S->AreaColor());
  SHAreaColor->setVisible(!S->ColorEachPoint());
  BAreaColor->setEnabled(!S->ColorEachPoint());
}

// --- Bar ---------------------------------------------------------------------------------------

TBarSeriesEditor::TBarSeriesEditor(QWidget* Owner) : TSeriesFormatPage(Owner) {
  setObjectName(QStringLiteral("BarSeriesEditor"));
  auto* Grid = new QGridLayout(this);
  CBBarStyle = ComboBox(
      this, "CBBarStyle",
      {QStringLiteral("Rectangle"), QStringLiteral("Pyramid"), QStringLiteral("Invert. Pyramid"),
       QStringLiteral("Cylinder"), QStringLiteral("Ellipse"), QStringLiteral("Arrow"),
       QStringLiteral("Rect.Gradient")});
  AddLabelled(Grid, 0, QStringLiteral("St&yle:"), CBBarStyle);
  SEBarwidth = SpinEdit(this, "SEBarwidth", 1, 100, 5);
  ChartRule(SEBarwidth).RangeMessage = QLatin1String(BarMessages::WidthPercent);
  AddLabelled(Grid, 1, QStringLiteral("% Bar &Width:"), SEBarwidth);
  SEBarOffset = SpinEdit(this, "SEBarOffset", -100, 100, 5);
  ChartRule(SEBarOffset).RangeMessage = QLatin1String(BarMessages::OffsetPercent);
  AddLabelled(Grid, 2, QStringLiteral("% Bar O&ffset:"), SEBarOffset);
  CBYOrigin = CheckBox(this, QStringLiteral("Use &Origin:"), "CBYOrigin");
  EYOrigin = RealEdit(this, "EYOrigin");
  Grid->addWidget(CBYOrigin, 3, 0);
  Grid->addWidget(EYOrigin, 3, 1);
  RGMultiBar = RadioGroup(this, "RGMultiBar", QStringLiteral("&Multiple Bar:"),
                          {QStringLiteral("None"), QStringLiteral("Side"),
                           QStringLiteral("Stacked"), QStringLiteral("Stacked 100%")});
  Grid->addWidget(RGMultiBar, 0, 2, 4, 1);
  BBarPen = Button(this, QStringLiteral("&Border..."), "BBarPen");
  BBarBrush = Button(this, QStringLiteral("&Pattern..."), "BBarBrush");
  Grid->addWidget(BBarPen, 4, 0);
  Grid->addWidget(BBarBrush, 4, 1);
  CBDarkBar = CheckBox(this, QStringLiteral("&Dark Bar 3D Sides"), "CBDarkBar");
  CBBarSideMargins = CheckBox(this, QStringLiteral("Bar S&ide Margins"), "CBBarSideMargins");
  CBMarkBarPos = CheckBox(this, QStringLiteral("&Auto Mark Position"), "CBMarkBarPos");
  CBColorEach = CheckBox(this, QStringLiteral("Color &Each"), "CBColorEach");
  Grid->addWidget(CBDarkBar, 5, 0);
  Grid->addWidget(CBBarSideMargins, 5, 1);
  Grid->addWidget(CBMarkBarPos, 6, 0);
  Grid->addWidget(CBColorEach, 6, 1);
  SHBarColor = Swatch(this, "SHBarColor");
  BBarColor = Button(this, QStringLiteral("&Color..."), "BBarColor");
  Grid->addWidget(SHBarColor, 7, 0);
  Grid->addWidget(BBarColor, 7, 1);
  Grid->setRowStretch(8, 1);
  Grid->setColumnStretch(3, 1);

  using S = TCustomBarSeries;
  Edit<S>(CBBarStyle, &QComboBox::activated, [](S& X, int I) {
    if (I >= 0) X.SetBarStyle(ChartBar::TBarStyle(I));
  });
  EditNumber<S>(
      SEBarwidth, [](S& X, int V) { X.SetBarWidthPercent(V); },
      [](S& X) { return X.BarWidthPercent(); });
  EditNumber<S>(
      SEBarOffset, [](S& X, int V) { X.SetOffsetPercent(V); },
      [](S& X) { return X.OffsetPercent(); });
  Edit<S>(CBYOrigin, &QCheckBox::clicked, [this](S& X, bool On) {
    X.SetUseYOrigin(On);
    EYOrigin->setEnabled(On);
    if (On && EYOrigin->isVisible()) EYOrigin->setFocus();
  });
  EditReal<S>(
      EYOrigin, [](S& X, double V) { X.SetYOrigin(V); }, [](const S& X) { return X.YOrigin(); });
  Edit<S>(RGMultiBar, &TRadioGroup::Click, [this](S& X) {
    if (RGMultiBar->ItemIndex() >= 0) X.SetMultiBar(TMultiBar(RGMultiBar->ItemIndex()));
  });
  Edit<S>(BBarPen, &QPushButton::clicked, [this](S& X) { EditChartPen(this, *X.BarPen()); });
  Edit<S>(BBarBrush, &QPushButton::clicked, [this](S& X) { EditChartBrush(this, *X.BarBrush()); });
  Edit<S>(CBDarkBar, &QCheckBox::clicked, [](S& X, bool On) { X.SetDark3D(On); });
  Edit<S>(CBBarSideMargins, &QCheckBox::clicked, [](S& X, bool On) { X.SetSideMargins(On); });
  Edit<S>(CBMarkBarPos, &QCheckBox::clicked, [](S& X, bool On) { X.SetAutoMarkPosition(On); });
  Edit<S>(CBColorEach, &QCheckBox::clicked, [](S& X, bool On) { X.SetColorEachPoint(On); });
  auto PickBarColor = [this](S& X) {
    PickColor(this, X.SeriesColor(), [&X](TColor C) { X.SetSeriesColor(C); });
    SHBarColor->SetColor(X.SeriesColor());
    CBColorEach->setChecked(false);
    X.SetColorEachPoint(false);
  };
  Edit<S>(SHBarColor, &TColorSwatch::Clicked, PickBarColor);
  Edit<S>(BBarColor, &QPushButton::clicked, PickBarColor);
}

void TBarSeriesEditor::LoadControls() {
  auto* S = As<TCustomBarSeries>();
  if (!S) return;
  CBBarStyle->setCurrentIndex(int(S->BarStyle()));
  SEBarwidth->ShowValue(S->BarWidthPercent());
  SEBarOffset->ShowValue(S->OffsetPercent());
  CBYOrigin->setChecked(S->UseYOrigin());
  EYOrigin->ShowValue(S->YOrigin());
  EYOrigin->setEnabled(S->UseYOrigin());
  RGMultiBar->SetItemIndex(int(S->MultiBar()));
  CBDarkBar->setChecked(S->Dark3D());
  CBBarSideMargins->setChecked(S->SideMargins());
  CBMarkBarPos->setChecked(S->AutoMarkPosition());
  CBColorEach->setChecked(S->ColorEachPoint());
  SHBarColor->SetColor(S->SeriesColor());
}

// --- Pie ---------------------------------------------------------------------------------------

TPieSeriesEditor::TPieSeriesEditor(QWidget* Owner) : TSeriesFormatPage(Owner) {
  setObjectName(QStringLiteral("PieSeriesEditor"));
  auto* Grid = new QGridLayout(this);
  CBCircled = CheckBox(this, QStringLiteral("&Circled Pie"), "CBCircled");
  CB3D = CheckBox(this, QStringLiteral("&3 Dimensions"), "CB3D");
  CBDark3D = CheckBox(this, QStringLiteral("&Dark 3D"), "CBDark3D");
  CBPatterns = CheckBox(this, QStringLiteral("Pa&tterns"), "CBPatterns");
  Grid->addWidget(CBCircled, 0, 0);
  Grid->addWidget(CB3D, 1, 0);
  Grid->addWidget(CBDark3D, 2, 0);
  Grid->addWidget(CBPatterns, 3, 0);
  SERotation = SpinEdit(this, "SERotation", 0, 360, 5);
  ChartRule(SERotation).RangeMessage = QLatin1String(PieMessages::RotationAngle);
  AddLabelled(Grid, 4, QStringLiteral("&Rotation:"), SERotation);
  SEExpBig = SpinEdit(this, "SEExpBig", 0, 100, 5);
  AddLabelled(Grid, 5, QStringLiteral("&Explode biggest:"), SEExpBig);
  BPiePen = Button(this, QStringLiteral("&Pie Border..."), "BPiePen");
  BBackPieColor = Button(this, QStringLiteral("&Back Color..."), "BBackPieColor");
  Grid->addWidget(BPiePen, 6, 0);
  Grid->addWidget(BBackPieColor, 6, 1);

  auto* Radius = new QGroupBox(QStringLiteral("Custom Pie Radius:"), this);
  auto* RGrid = new QGridLayout(Radius);
  SEXRadius = SpinEdit(Radius, "SEXRadius", 0, 2000, 5);
  SEYRadius = SpinEdit(Radius, "SEYRadius", 0, 2000, 5);
  AddLabelled(RGrid, 0, QStringLiteral("&X Radius:"), SEXRadius);
  AddLabelled(RGrid, 1, QStringLiteral("&Y Radius:"), SEYRadius);
  CBAutoX = CheckBox(Radius, QStringLiteral("&Auto"), "CBAutoX");
  CBAutoY = CheckBox(Radius, QStringLiteral("A&uto"), "CBAutoY");
  RGrid->addWidget(CBAutoX, 0, 2);
  RGrid->addWidget(CBAutoY, 1, 2);
  Grid->addWidget(Radius, 0, 2, 3, 1);

  auto* Other = new QGroupBox(QStringLiteral("Group slices:"), this);
  auto* OGrid = new QGridLayout(Other);
  CBOther =
      ComboBox(Other, "CBOther",
               {QStringLiteral("None"), QStringLiteral("Below %"), QStringLiteral("Below Value")});
  EOtherValue = RealEdit(Other, "EOtherValue");
  EOtherLabel = LineEdit(Other, "EOtherLabel");
  EOtherLabel->setText(QStringLiteral("Other"));
  AddLabelled(OGrid, 0, QStringLiteral("&Style:"), CBOther);
  AddLabelled(OGrid, 1, QStringLiteral("&Value:"), EOtherValue);
  AddLabelled(OGrid, 2, QStringLiteral("&Label:"), EOtherLabel);
  Grid->addWidget(Other, 3, 2, 3, 1);
  CBOrder = ComboBox(
      this, "CBOrder",
      {QStringLiteral("Default"), QStringLiteral("Ascending"), QStringLiteral("Descending")});
  auto* LOrder = new QLabel(QStringLiteral("&Order:"), this);
  LOrder->setBuddy(CBOrder);
  Grid->addWidget(LOrder, 7, 0);
  Grid->addWidget(CBOrder, 7, 1);
  Grid->setRowStretch(8, 1);
  Grid->setColumnStretch(3, 1);

  using S = TPieSeries;
  Edit<S>(CBCircled, &QCheckBox::clicked, [](S& X, bool On) { X.SetCircled(On); });
  Edit<S>(CB3D, &QCheckBox::clicked, [](S& X, bool On) {
    if (TCustomAxisPanel* C = X.ParentChart()) C->SetView3D(On);
  });
  Edit<S>(CBDark3D, &QCheckBox::clicked, [](S& X, bool On) { X.SetDark3D(On); });
  Edit<S>(CBPatterns, &QCheckBox::clicked, [this](S& X, bool On) {
    X.SetUsePatterns(On);
    BBackPieColor->setEnabled(On);
  });
  EditNumber<S>(
      SERotation, [](S& X, int V) { X.SetRotationAngle(V); },
      [](S& X) { return X.RotationAngle(); });
  EditNumber<S>(
      SEExpBig, [](S& X, int V) { X.SetExplodeBiggest(V); },
      [](S& X) { return X.ExplodeBiggest(); });
  EditNumber<S>(
      SEXRadius,
      [this](S& X, int V) {
        X.SetCustomXRadius(V);
        CBAutoX->setChecked(V == 0);
      },
      [](S& X) { return X.CustomXRadius(); });
  EditNumber<S>(
      SEYRadius,
      [this](S& X, int V) {
        X.SetCustomYRadius(V);
        CBAutoY->setChecked(V == 0);
      },
      [](S& X) { return X.CustomYRadius(); });
  Edit<S>(CBAutoX, &QCheckBox::clicked, [this](S& X, bool On) {
    if (!On) return;
    SEXRadius->ShowValue(0);
    X.SetCustomXRadius(0);
  });
  Edit<S>(CBAutoY, &QCheckBox::clicked, [this](S& X, bool On) {
    if (!On) return;
    SEYRadius->ShowValue(0);
    X.SetCustomYRadius(0);
  });
  Edit<S>(BPiePen, &QPushButton::clicked, [this](S& X) { EditChartPen(this, *X.PiePen()); });
  Edit<S>(BBackPieColor, &QPushButton::clicked, [this](S& X) {
    PickColor(this, X.CircleBackColor(), [&X](TColor C) { X.SetCircleBackColor(C); });
  });
  Edit<S>(CBOther, &QComboBox::activated, [this](S& X, int I) {
    if (I < 0) return;
    X.OtherSlice()->SetStyle(TPieOtherStyle(I));
    EnableOther();
  });
  EditReal<S>(
      EOtherValue, [](S& X, double V) { X.OtherSlice()->SetValue(V); },
      [](S& X) { return X.OtherSlice()->Value(); });
  Edit<S>(EOtherLabel, &QLineEdit::textEdited,
          [](S& X, const QString& T) { X.OtherSlice()->SetText(T); });
  Edit<S>(CBOrder, &QComboBox::activated, [](S& X, int I) {
    // "Default" leaves the values in the order they are in now.
    if (I < 1) return;
    X.PieValues()->SetOrder(I == 1 ? loAscending : loDescending);
    X.PieValues()->Sort();
    X.Repaint();
  });
}

void TPieSeriesEditor::LoadControls() {
  auto* S = As<TPieSeries>();
  if (!S) return;
  CBCircled->setChecked(S->Circled());
  CB3D->setEnabled(S->ParentChart() != nullptr);
  CB3D->setChecked(S->ParentChart() && S->ParentChart()->View3D());
  CBDark3D->setChecked(S->Dark3D());
  CBPatterns->setChecked(S->UsePatterns());
  BBackPieColor->setEnabled(S->UsePatterns());
  SERotation->ShowValue(S->RotationAngle());
  SEExpBig->ShowValue(S->ExplodeBiggest());
  SEXRadius->ShowValue(S->CustomXRadius());
  SEYRadius->ShowValue(S->CustomYRadius());
  CBAutoX->setChecked(S->CustomXRadius() == 0);
  CBAutoY->setChecked(S->CustomYRadius() == 0);
  CBOther->setCurrentIndex(int(S->OtherSlice()->Style()));
  EOtherValue->ShowValue(S->OtherSlice()->Value());
  EOtherLabel->setText(S->OtherSlice()->Text());
  CBOrder->setCurrentIndex(int(S->PieValues()->Order()));
  EnableOther();
}

void TPieSeriesEditor::EnableOther() {
  if (auto* S = As<TPieSeries>())
    EnableControls(S->OtherSlice()->Style() != poNone, {EOtherValue, EOtherLabel});
}

// --- Fast line ---------------------------------------------------------------------------------

TFastLineSeriesEditor::TFastLineSeriesEditor(QWidget* Owner) : TSeriesFormatPage(Owner) {
  setObjectName(QStringLiteral("FastLineSeriesEditor"));
  auto* Grid = new QGridLayout(this);
  SHColor = Swatch(this, "SHColor");
  BLinePen = Button(this, QStringLiteral("&Border..."), "BLinePen");
  Grid->addWidget(SHColor, 0, 0);
  Grid->addWidget(BLinePen, 0, 1);
  Grid->setRowStretch(1, 1);
  Grid->setColumnStretch(2, 1);
  using S = TFastLineSeries;
  Edit<S>(SHColor, &TColorSwatch::Clicked, [this](S& X) {
    PickColor(this, X.SeriesColor(), [&X](TColor C) { X.SetSeriesColor(C); });
    SHColor->SetColor(X.SeriesColor());
  });
  Edit<S>(BLinePen, &QPushButton::clicked, [this](S& X) {
    X.LinePen()->SetColor(X.SeriesColor());
    EditChartPen(this, *X.LinePen());
    X.SetSeriesColor(X.LinePen()->Color());
    SHColor->SetColor(X.SeriesColor());
  });
}

void TFastLineSeriesEditor::LoadControls() {
  if (auto* S = As<TFastLineSeries>()) SHColor->SetColor(S->SeriesColor());
}

// --- Shape -------------------------------------------------------------------------------------

TChartShapeEditor::TChartShapeEditor(QWidget* Owner) : TSeriesFormatPage(Owner) {
  setObjectName(QStringLiteral("ChartShapeEditor"));
  auto* Grid = new QGridLayout(this);
  CBStyle = ComboBox(
      this, "CBStyle",
      {QStringLiteral("Rectangle"), QStringLiteral("Circle"), QStringLiteral("Vertical Line"),
       QStringLiteral("Horiz. Line"), QStringLiteral("Triangle"),
       QStringLiteral("Invert. Triangle"), QStringLiteral("Line"), QStringLiteral("Diamond"),
       QStringLiteral("Cube"), QStringLiteral("Cross"), QStringLiteral("Diagonal Cross"),
       QStringLiteral("Star"), QStringLiteral("Pyramid"), QStringLiteral("Invert. Pyramid")});
  AddLabelled(Grid, 0, QStringLiteral("&Style:"), CBStyle);
  EX0 = RealEdit(this, "EX0");
  EY0 = RealEdit(this, "EY0");
  EX1 = RealEdit(this, "EX1");
  EY1 = RealEdit(this, "EY1");
  AddLabelled(Grid, 1, QStringLiteral("&Left:"), EX0);
  AddLabelled(Grid, 2, QStringLiteral("&Top:"), EY0);
  AddLabelled(Grid, 3, QStringLiteral("&Right:"), EX1);
  AddLabelled(Grid, 4, QStringLiteral("&Bottom:"), EY1);
  MText = new QPlainTextEdit(this);
  MText->setObjectName(QStringLiteral("MText"));
  auto* LText = new QLabel(QStringLiteral("Te&xt:"), this);
  LText->setBuddy(MText);
  Grid->addWidget(LText, 0, 2);
  Grid->addWidget(MText, 1, 2, 3, 2);
  RGAlign = RadioGroup(this, "RGAlign", QStringLiteral("&Alignment"),
                       {QStringLiteral("Left"), QStringLiteral("Center"), QStringLiteral("Right")});
  Grid->addWidget(RGAlign, 4, 2, 3, 1);
  BFont = Button(this, QStringLiteral("F&ont..."), "BFont");
  CBTransparent = CheckBox(this, QStringLiteral("Tra&nsparent"), "CBTransparent");
  BBrushColor = Button(this, QStringLiteral("Bac&kground..."), "BBrushColor");
  SHBrushColor = Swatch(this, "SHBrushColor");
  BBrush = Button(this, QStringLiteral("&Pattern..."), "BBrush");
  BPen = Button(this, QStringLiteral("Bor&der..."), "BPen");
  auto* Buttons = new QVBoxLayout;
  for (QWidget* W : std::initializer_list<QWidget*>{BFont, CBTransparent, BBrushColor, SHBrushColor,
                                                    BBrush, BPen})
    Buttons->addWidget(W);
  Grid->addLayout(Buttons, 4, 3, 4, 1);
  Grid->setRowStretch(8, 1);

  using S = TChartShape;
  Edit<S>(CBStyle, &QComboBox::activated, [](S& X, int I) {
    if (I >= 0) X.SetStyle(TChartShapeStyle(I));
  });
  EditReal<S>(
      EX0, [](S& X, double V) { X.SetX0(V); }, [](const S& X) { return X.X0(); });
  EditReal<S>(
      EY0, [](S& X, double V) { X.SetY0(V); }, [](const S& X) { return X.Y0(); });
  EditReal<S>(
      EX1, [](S& X, double V) { X.SetX1(V); }, [](const S& X) { return X.X1(); });
  EditReal<S>(
      EY1, [](S& X, double V) { X.SetY1(V); }, [](const S& X) { return X.Y1(); });
  Edit<S>(MText, &QPlainTextEdit::textChanged,
          [this](S& X) { X.SetText(MText->toPlainText().split(QLatin1Char('\n'))); });
  Edit<S>(RGAlign, &TRadioGroup::Click, [this](S& X) {
    const TAlignment A[] = {taLeftJustify, taCenter, taRightJustify};
    if (RGAlign->ItemIndex() >= 0) X.SetAlignment(A[RGAlign->ItemIndex()]);
  });
  Edit<S>(BFont, &QPushButton::clicked, [this](S& X) {
    EditChartFont(this, *X.Font());
    MText->setFont(ToQFont(X.Font()->Data()));
    X.Repaint();
  });
  Edit<S>(CBTransparent, &QCheckBox::clicked, [](S& X, bool On) { X.SetTransparent(On); });
  auto PickBack = [this](S& X) {
    PickColor(this, X.Brush()->Color(), [&X](TColor C) { X.SetShapeColor(C); });
    SHBrushColor->SetColor(X.Brush()->Color());
  };
  Edit<S>(BBrushColor, &QPushButton::clicked, PickBack);
  Edit<S>(SHBrushColor, &TColorSwatch::Clicked, PickBack);
  Edit<S>(BBrush, &QPushButton::clicked, [this](S& X) {
    EditChartBrush(this, *X.Brush());
    SHBrushColor->SetColor(X.Brush()->Color());
  });
  Edit<S>(BPen, &QPushButton::clicked, [this](S& X) {
    EditPen(this, *X.Pen());
    X.Repaint();
  });
}

void TChartShapeEditor::LoadControls() {
  auto* S = As<TChartShape>();
  if (!S) return;
  CBStyle->setCurrentIndex(int(S->Style()));
  // The corners are the shape's two points; a shape that has others has no corners to show.
  if (S->Count() == 2) {
    EX0->ShowValue(S->X0());
    EY0->ShowValue(S->Y0());
    EX1->ShowValue(S->X1());
    EY1->ShowValue(S->Y1());
  }
  MText->setFont(ToQFont(S->Font()->Data()));
  MText->setPlainText(S->Text().join(QLatin1Char('\n')));
  RGAlign->SetItemIndex(S->Alignment() == taCenter ? 1 : S->Alignment() == taRightJustify ? 2 : 0);
  CBTransparent->setChecked(S->Transparent());
  SHBrushColor->SetColor(S->Brush()->Color());
}

// --- Gantt -------------------------------------------------------------------------------------

TGanttSeriesEditor::TGanttSeriesEditor(QWidget* Owner) : TSeriesFormatPage(Owner) {
  setObjectName(QStringLiteral("GanttSeriesEditor"));
  auto* Grid = new QGridLayout(this);
  SEPointVertSize = SpinEdit(this, "SEPointVertSize", 1, 1000, 1);
  AddLabelled(Grid, 0, QStringLiteral("&Height:"), SEPointVertSize);
  BConnLines = Button(this, QStringLiteral("Co&nnecting Lines..."), "BConnLines");
  Grid->addWidget(BConnLines, 1, 0, 1, 2);
  CBColorEach = CheckBox(this, QStringLiteral("Color &Each"), "CBColorEach");
  Grid->addWidget(CBColorEach, 2, 0, 1, 2);
  SHColor = Swatch(this, "SHColor");
  BColor = Button(this, QStringLiteral("&Color..."), "BColor");
  Grid->addWidget(SHColor, 3, 0);
  Grid->addWidget(BColor, 3, 1);
  Grid->setRowStretch(4, 1);
  Grid->setColumnStretch(2, 1);
  using S = TGanttSeries;
  EditNumber<S>(
      SEPointVertSize, [](S& X, int V) { X.Pointer()->SetVertSize(V); },
      [](S& X) { return X.Pointer()->VertSize(); });
  Edit<S>(BConnLines, &QPushButton::clicked,
          [this](S& X) { EditChartPen(this, *X.ConnectingPen()); });
  Edit<S>(CBColorEach, &QCheckBox::clicked, [this](S& X, bool On) {
    X.SetColorEachPoint(On);
    SHColor->setVisible(!On);
  });
  auto PickGanttColor = [this](S& X) {
    PickColor(this, X.SeriesColor(), [&X](TColor C) { X.SetSeriesColor(C); });
    X.SetColorEachPoint(false);
    CBColorEach->setChecked(false);
    SHColor->SetColor(X.SeriesColor());
    SHColor->setVisible(true);
  };
  Edit<S>(SHColor, &TColorSwatch::Clicked, PickGanttColor);
  Edit<S>(BColor, &QPushButton::clicked, PickGanttColor);
}

void TGanttSeriesEditor::LoadControls() {
  auto* S = As<TGanttSeries>();
  if (!S) return;
  SEPointVertSize->ShowValue(S->Pointer()->VertSize());
  CBColorEach->setChecked(S->ColorEachPoint());
  SHColor->SetColor(S->SeriesColor());
  SHColor->setVisible(!S->ColorEachPoint());
}

// --- Arrow -------------------------------------------------------------------------------------

TArrowSeriesEditor::TArrowSeriesEditor(QWidget* Owner) : TSeriesFormatPage(Owner) {
  setObjectName(QStringLiteral("ArrowSeriesEditor"));
  auto* Grid = new QGridLayout(this);
  SEArrowWidth = SpinEdit(this, "SEArrowWidth", 1, 1000, 1);
  SEArrowHeight = SpinEdit(this, "SEArrowHeight", 1, 1000, 1);
  AddLabelled(Grid, 0, QStringLiteral("&Width:"), SEArrowWidth);
  AddLabelled(Grid, 1, QStringLiteral("&Height:"), SEArrowHeight);
  BArrowPen = Button(this, QStringLiteral("&Border..."), "BArrowPen");
  BArrowBrush = Button(this, QStringLiteral("&Pattern..."), "BArrowBrush");
  Grid->addWidget(BArrowPen, 0, 2);
  Grid->addWidget(BArrowBrush, 1, 2);
  CBColorEach = CheckBox(this, QStringLiteral("Color &Each Arrow"), "CBColorEach");
  Grid->addWidget(CBColorEach, 2, 0, 1, 2);
  SHArrowColor = Swatch(this, "SHArrowColor");
  BArrowColor = Button(this, QStringLiteral("&Color..."), "BArrowColor");
  Grid->addWidget(SHArrowColor, 3, 0);
  Grid->addWidget(BArrowColor, 3, 1);
  Grid->setRowStretch(4, 1);
  Grid->setColumnStretch(3, 1);
  using S = TArrowSeries;
  EditNumber<S>(
      SEArrowWidth, [](S& X, int V) { X.SetArrowWidth(V); }, [](S& X) { return X.ArrowWidth(); });
  EditNumber<S>(
      SEArrowHeight, [](S& X, int V) { X.SetArrowHeight(V); },
      [](S& X) { return X.ArrowHeight(); });
  Edit<S>(BArrowPen, &QPushButton::clicked,
          [this](S& X) { EditChartPen(this, *X.Pointer()->Pen()); });
  Edit<S>(BArrowBrush, &QPushButton::clicked,
          [this](S& X) { EditChartBrush(this, *X.Pointer()->Brush()); });
  Edit<S>(CBColorEach, &QCheckBox::clicked, [this](S& X, bool On) {
    X.SetColorEachPoint(On);
    if (On) {
      X.Pointer()->Brush()->SetColor(clChartAuto);
      X.Repaint();
    }
    RefreshColor();
  });
  auto PickArrowColor = [this](S& X) {
    PickColor(this, X.SeriesColor(), [&X](TColor C) { X.SetSeriesColor(C); });
    RefreshColor();
  };
  Edit<S>(SHArrowColor, &TColorSwatch::Clicked, PickArrowColor);
  Edit<S>(BArrowColor, &QPushButton::clicked, PickArrowColor);
}

void TArrowSeriesEditor::LoadControls() {
  auto* S = As<TArrowSeries>();
  if (!S) return;
  SEArrowWidth->ShowValue(S->ArrowWidth());
  SEArrowHeight->ShowValue(S->ArrowHeight());
  CBColorEach->setChecked(S->ColorEachPoint());
  RefreshColor();
}

void TArrowSeriesEditor::RefreshColor() {
  auto* S = As<TArrowSeries>();
  if (!S) return;
  SHArrowColor->SetColor(S->SeriesColor());
  SHArrowColor->setVisible(!S->ColorEachPoint());
  BArrowColor->setEnabled(!S->ColorEachPoint());
}
