#include "chart/engine/polar_series.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include <QRandomGenerator>

#include "chart/engine/axis_math.h"
#include "chart/engine/axis_panel.h"
#include "chart/engine/chart_format.h"
#include "chart/engine/chart_panel.h"

using namespace SeriesGeometry;

namespace {
constexpr double ToRadians = std::numbers::pi / 180;
// The angle reduced to 0 (inclusive) .. 360 (exclusive).
double Reduce(double Degrees) {
  double A = std::fmod(Degrees, 360.0);
  if (A < 0) A += 360;
  return A >= 360 ? 0 : A;
}
}  // namespace

TCustomPolarSeries::TCustomPolarSeries()
    : FBrush(std::make_unique<TChartBrush>([this](TGraphicsObject*) { Repaint(); })),
      FCirclePen(std::make_unique<TChartPen>([this](TGraphicsObject*) { Repaint(); })),
      FPen(std::make_unique<TChartPen>([this](TGraphicsObject*) { Repaint(); })),
      FPointer(std::make_unique<TSeriesPointer>(this)),
      FCircleLabelsFont(std::make_unique<TFont>()) {
  FBrush->SetStyle(bsClear);
  YValues()->SetName(QStringLiteral("Radius"));
  SetChartDefaultFont(*FCircleLabelsFont);
  FCircleLabelsFont->OnChange = [this](TGraphicsObject*) { Repaint(); };
}

void TCustomPolarSeries::SetCloseCircle(bool Value) {
  FCloseCircle = Value;
  Repaint();
}
void TCustomPolarSeries::SetCircleLabels(bool Value) {
  FCircleLabels = Value;
  Repaint();
}
void TCustomPolarSeries::SetCircleLabelsRotated(bool Value) {
  FCircleLabelsRotated = Value;
  Repaint();
}

double TCustomPolarSeries::RadiusIncrement() const {
  return ParentChart() ? ParentChart()->LeftAxis()->Increment() : 0;
}
void TCustomPolarSeries::SetRadiusIncrement(double Value) {
  if (TChartAxis* A = GetVertAxis()) A->SetIncrement(Value);
}

double TCustomPolarSeries::AngleStep() const {
  const TChartAxis* A = GetHorizAxis();
  const double Step = A ? A->Increment() : 0;
  return Step > 0 && std::isfinite(Step) ? Step : 10;
}

int TCustomPolarSeries::RadiusPixels(double Value) const {
  const TChartAxis* A = GetVertAxis();
  if (!A) return 0;
  const double Range = AxisRange(A->IMinimum(), A->IMaximum());
  if (!(Range > 0) || !std::isfinite(Range)) return 0;
  // Divided first: a huge value times the radius would overflow.
  const double F = AxisFraction(Value, A->IMinimum(), A->IMaximum());
  return NearestPixel(F * XRadius());
}

TPoint TCustomPolarSeries::PointPosition(int ValueIndex) const {
  const int R = RadiusPixels(YValue(ValueIndex));
  TPoint P;
  AngleToPos(XValue(ValueIndex) * ToRadians, R, R, P.X, P.Y);
  return P;
}

QString TCustomPolarSeries::CircleLabelText(double Angle, int) const {
  return FormatFloat(QStringLiteral("0.###"), Angle) + PolarDegreeSign;
}

void TCustomPolarSeries::Assign(const TChartSeries& Source) {
  if (const auto* S = dynamic_cast<const TCustomPolarSeries*>(&Source)) {
    FCircleLabels = S->FCircleLabels;
    FCircleLabelsFont->Assign(*S->FCircleLabelsFont);
    FCircleLabelsRotated = S->FCircleLabelsRotated;
    FBrush->Assign(*S->FBrush);
    FCirclePen->Assign(*S->FCirclePen);
    FCloseCircle = S->FCloseCircle;
    FPen->Assign(*S->FPen);
    FPointer->Assign(*S->FPointer);
  }
  TCircledSeries::Assign(Source);
}

void TCustomPolarSeries::DrawRing(int RX, int RY) {
  TChartCanvas3D* C = Canvas(*this);
  const int CX = CircleXCenter(), CY = CircleYCenter(), Z = CircleZ();
  if (FSideCount <= 0) {
    C->EllipseWithZ(CX - RX, CY - RY, CX + RX, CY + RY, Z);
    return;
  }
  for (int k = 0; k <= FSideCount; ++k) {
    int X, Y;
    AngleToPos(k * 2 * std::numbers::pi / FSideCount, RX, RY, X, Y);
    if (k == 0)
      C->MoveTo3D(X, Y, Z);
    else
      C->LineTo3D(X, Y, Z);
  }
}

void TCustomPolarSeries::DrawCircleLabel(double Angle, int Spoke) {
  TChartCanvas3D* C = Canvas(*this);
  double A = Reduce(Angle);
  const QString Text = CircleLabelText(Reduce(A + RotationAngle()), Spoke);
  if (FCircleLabelsRotated) A += A <= 90 || A >= 270 ? 2 : -3;
  int X, Y;
  AngleToPos(A * ToRadians, XRadius() + 2, YRadius() + 2, X, Y);
  C->Font()->Assign(*FCircleLabelsFont);
  C->Brush()->SetStyle(bsClear);
  const double OnScreen = Reduce(A + RotationAngle());
  if (FCircleLabelsRotated) {
    C->SetTextAlign(TA_LEFT | TA_TOP);
    C->RotateLabel3D(X, Y, CircleZ(), Text, int(std::lround(OnScreen)) % 360);
  } else {
    unsigned Align = TA_LEFT;
    if (OnScreen == 90 || OnScreen == 270)
      Align = TA_CENTER;
    else if (OnScreen > 90 && OnScreen < 270)
      Align = TA_RIGHT;
    // Labels on the upper half stand on the anchor, the others hang from it.
    if (OnScreen > 0 && OnScreen < 180) Y -= C->FontHeight();
    C->SetTextAlign(Align | TA_TOP);
    C->TextOut3D(X, Y, CircleZ(), Text);
    const int W = C->TextWidth(Text);
    const int Left = Align == TA_CENTER ? X - W / 2 : Align == TA_RIGHT ? X - W : X;
    FAngleBoxes.push_back({Left, Y, Left + W, Y + C->FontHeight()});
  }
  C->SetTextAlign(TA_LEFT | TA_TOP);
}

void TCustomPolarSeries::DrawSpokesAndLabels() {
  FAngleBoxes.clear();
  const TChartAxis* H = GetHorizAxis();
  const bool Grid = H && H->Grid()->Visible();
  if (!Grid && !FCircleLabels) return;
  const double Step = AngleStep();
  // A step this fine would draw a solid disc, and a count past the integers never ends.
  if (360 / Step >= PolarMaxGridLines) return;
  TChartCanvas3D* C = Canvas(*this);
  const int N = int(std::floor(360 / Step + 1e-9));
  for (int k = 0; k <= N; ++k) {
    const double Angle = 360 - k * Step;
    if (Angle < -1e-9) break;
    if (FCircleLabels) DrawCircleLabel(Angle, N - k);
    if (Grid) {
      C->AssignVisiblePen(*H->Grid());
      int X, Y;
      AngleToPos(Angle * ToRadians, XRadius(), YRadius(), X, Y);
      C->LineWithZ(CircleXCenter(), CircleYCenter(), X, Y, CircleZ());
    }
  }
}

void TCustomPolarSeries::DrawRings() {
  TChartAxis* V = GetVertAxis();
  if (!V || !V->Grid()->Visible()) return;
  TChartCanvas3D* C = Canvas(*this);
  const double Min = V->IMinimum(), Max = V->IMaximum();
  if (!std::isfinite(Min) || !std::isfinite(Max) || !(Max > Min)) return;
  // The step of the labels that the radius axis writes along the radius.
  C->Font()->Assign(*V->LabelsFont());
  const int Sep = V->LabelsSeparation();
  const double Range = AxisRange(Min, Max);
  const double Step = AxisCalcIncrement(Min, Max, V->Increment(),
                                        AxisMaxLabels(YRadius(), C->FontHeight(), Sep), Sep);
  if (!(Step > 0) || !(std::fabs(Min / Step) < 2147483647.0) || !(Range / Step < PolarMaxGridLines))
    return;
  C->AssignVisiblePen(*V->Grid());
  C->Brush()->SetStyle(bsClear);
  const double First = V->RoundFirstLabel() ? std::trunc(Min / Step) * Step : Min;
  for (int k = 0; k <= PolarMaxGridLines; ++k) {
    const double Value = First + k * Step;
    if (Value > Max + Step * 1e-9) break;
    if (Value < Min - Step * 1e-9) continue;
    const int R = RadiusPixels(Value);
    DrawRing(R, R);
  }
}

void TCustomPolarSeries::DrawRadiusAxes() {
  TCustomAxisPanel* Chart = ParentChart();
  TChartAxis* V = GetVertAxis();
  TChartCanvas3D* C = Canvas(*this);
  if (!V) return;
  const double Min = V->IMinimum(), Max = V->IMaximum();
  const TRect Plot = CircleRect();
  const int CX = CircleXCenter(), CY = CircleYCenter();
  // The labels lie beside their ticks on the centre's side: centred on the last tick, the
  // value at the rim would run into the angle written just outside it ("2" and "0°" read "20°").
  if (V->Visible())
    V->CustomDrawStartEnd(*C, Plot, CX - V->TickRoom(), CX - V->TickRoom(), CX, false, Min, Max,
                          V->Increment(), CY - XRadius(), CY, true, &FAngleBoxes);
  // A polar chart writes the radius along the horizontal radius too. The centre's value is
  // written once, beside the vertical radius: the horizontal one starts a pixel out, with the
  // same scale, so that its first label falls before its start.
  if (FSideCount == 0 && XRadius() > 1)
    if (TChartAxis* H = GetHorizAxis(); H && H->Visible() && Chart) {
      H->CustomDrawStartEnd(*C, Plot, CY + H->TickRoom(), CY + H->TickRoom(), CY, false,
                            AxisValueAt(Min, Max, 1, XRadius()), Max, V->Increment(), CX + 1,
                            CX + XRadius(), true, &FAngleBoxes);
    }
}

const TCustomPolarSeries* TCustomPolarSeries::CircleOwner() const {
  const TCustomAxisPanel* Chart = ParentChart();
  if (!Chart) return nullptr;
  for (int i = 0; i < Chart->SeriesCount(); ++i)
    if (auto* S = dynamic_cast<const TCustomPolarSeries*>(Chart->GetSeries(i));
        S && S->Active() && S->Count() > 0)
      return S;
  return nullptr;
}

int TCustomPolarSeries::CircleZ() const {
  // The front one of the depths of the series that share the circle, where the radius axes
  // are drawn too.
  int Z = StartZ();
  if (const TCustomAxisPanel* Chart = ParentChart())
    for (int i = 0; i < Chart->SeriesCount(); ++i)
      if (auto* S = dynamic_cast<const TCustomPolarSeries*>(Chart->GetSeries(i));
          S && S->Active() && S->Count() > 0)
        Z = std::min(Z, S->StartZ());
  return Z;
}

void TCustomPolarSeries::DrawBackground() {
  TCustomAxisPanel* Chart = ParentChart();
  TChartCanvas3D* C = Canvas(*this);
  // The first polar series that is drawn makes room for the angles around the circle, works
  // out the circle and draws its rings, spokes, labels and radius axes; the later ones take the
  // circle over for this drawing and draw on it, so that all of them share one centre, one
  // radius and one background (their own custom radii stay as set: taking the first one's as
  // custom radii would freeze the circle at its size of the first drawing).
  if (const TCustomPolarSeries* First = CircleOwner(); First && First != this) {
    TakeCircle(*First);
    return;
  }
  if (FCircleLabels) {
    C->Font()->Assign(*FCircleLabelsFont);
    const int DY = C->FontHeight() + 2, DX = C->TextWidth(QStringLiteral("360"));
    TRect R = Chart->ChartRect();
    R.Top += DY;
    R.Bottom -= DY;
    R.Left += DX;
    R.Right -= DX;
    Chart->SetChartRect(R);
  }
  CalcCircle();
  TBrushData B = FBrush->Data();
  if (!IsChartAuto(CircleBackColor()) && CircleBackColor() != clNone) B.Color = CircleBackColor();
  C->Brush()->SetData(B);
  C->AssignVisiblePen(*FCirclePen);
  DrawRing(XRadius(), YRadius());
  DrawSpokesAndLabels();
  DrawRings();
  DrawRadiusAxes();
}

void TCustomPolarSeries::DrawAllValues() {
  TChartCanvas3D* C = Canvas(*this);
  if (!C || !ParentChart()) return;
  PrepareDrawing();
  DrawBackground();
  // On the shared circle's depth: in 3D each series has a depth of its own, and a curve drawn
  // at another depth than its rings would stand off them.
  const int Z = CircleZ();
  bool Started = false;
  TPoint FirstP, Last;
  TColor FirstColor = clBlack;
  C->Brush()->SetStyle(bsClear);
  for (int i = 0; i < Count(); ++i) {
    if (!IsDrawable(i)) continue;
    const TPoint P = PointPosition(i);
    const TColor Color = GetValueColor(i);
    C->AssignVisiblePen(*FPen);
    if (FPen->Visible()) C->Pen()->SetColor(Color);
    if (!Started) {
      C->MoveTo3D(P.X, P.Y, Z);
      FirstP = P;
      FirstColor = Color;
      Started = true;
    } else if (P.X != Last.X || P.Y != Last.Y) {
      C->LineTo3D(P.X, P.Y, Z);
    }
    Last = P;
  }
  if (Started && FCloseCircle && (Last.X != FirstP.X || Last.Y != FirstP.Y)) {
    C->AssignVisiblePen(*FPen);
    if (FPen->Visible()) C->Pen()->SetColor(FirstColor);
    C->MoveTo3D(Last.X, Last.Y, Z);
    C->LineTo3D(FirstP.X, FirstP.Y, Z);
  }
  if (!FPointer->Visible()) return;
  for (int i = 0; i < Count(); ++i) {
    if (!IsDrawable(i)) continue;
    const TPoint P = PointPosition(i);
    const TColor Color = GetValueColor(i);
    FPointer->PrepareCanvas(Color);
    FPointer->DrawOnPlane(P.X, P.Y, Z, Color, FPointer->Style());
  }
}

int TCustomPolarSeries::Clicked(int X, int Y) const {
  const int Base = TCircledSeries::Clicked(X, Y);
  if (Base != -1 || !FPointer->Visible()) return Base;
  for (int i = 0; i < Count(); ++i) {
    if (!IsDrawable(i)) continue;
    const TPoint P = PointPosition(i);
    // Differences of saturated positions need more than an int.
    if (std::llabs(P.X - (long long)X) <= FPointer->HorizSize() &&
        std::llabs(P.Y - (long long)Y) <= FPointer->VertSize())
      return i;
  }
  return -1;
}

void TCustomPolarSeries::DrawLegendShape(int ValueIndex, const TRect& R) {
  TChartCanvas3D* C = Canvas(*this);
  if (!C) return;
  const TColor Color = ValueIndex == -1 ? SeriesColor() : GetValueColor(ValueIndex);
  C->AssignVisiblePen(*FPen);
  if (FPen->Visible()) C->Pen()->SetColor(Color);
  const int Y = (R.Top + R.Bottom) / 2;
  C->Line(R.Left, Y, R.Right, Y);
  if (FPointer->Visible()) {
    FPointer->PrepareCanvas(Color);
    FPointer->DrawPointer(
        false, (R.Left + R.Right) / 2, Y, std::min(FPointer->HorizSize(), (R.Right - R.Left) / 2),
        std::min(FPointer->VertSize(), (R.Bottom - R.Top) / 2), Color, FPointer->Style());
  }
}

// The polar series.

double TPolarSeries::AngleIncrement() const {
  if (!ParentChart()) return 10;
  const double Step = ParentChart()->BottomAxis()->Increment();
  return Step == 0 ? 10 : Step;
}

void TPolarSeries::SetAngleIncrement(double Value) {
  if (ParentChart()) ParentChart()->BottomAxis()->SetIncrement(Value);
}

void TPolarSeries::FillSampleValues(int NumValues) {
  if (NumValues < 1) throw ChartException(SeriesMessages::FillSampleValues);
  Clear();
  for (int i = 1; i <= NumValues; ++i)
    AddPolar(i * 360.0 / NumValues, QRandomGenerator::global()->bounded(1000) + 1);
  RefreshSeries();
}

// The radar.

TRadarSeries::~TRadarSeries() {
  // The base destructor leaves the chart, too late to reach this class.
  if (ParentChart()) SetParentChart(nullptr);
}

void TRadarSeries::ParentChartChanging(TCustomAxisPanel* New) {
  // The step is the radar's spacing of its own points, not a choice of the user's: a chart the
  // radar leaves gets the default step back, so that the next polar series there does not
  // label its circle at the radar's step (unless the step was set to another since).
  const TCustomAxisPanel* Chart = ParentChart();
  if (TChartAxis* H = GetHorizAxis();
      H && Chart && !Chart->Destroying() && FWrittenStep > 0 && H->Increment() == FWrittenStep)
    H->SetIncrement(0);
  TCustomPolarSeries::ParentChartChanging(New);
}

void TRadarSeries::PrepareDrawing() {
  SetSideCount(Count());
  if (Count() <= 0) return;
  // Only changes are written: each would repaint the chart that is being drawn.
  const double Step = 360.0 / Count();
  if (TChartAxis* H = GetHorizAxis()) {
    if (H->Increment() != Step) H->SetIncrement(Step);
    FWrittenStep = Step;
  }
  for (int i = 0; i < Count(); ++i)
    if (XValue(i) != i * Step) XValues()->SetValue(i, i * Step);
}

QString TRadarSeries::CircleLabelText(double, int Spoke) const {
  const int N = Count();
  if (N <= 0) return {};
  const int I = ((Spoke % N) + N) % N;
  return I < int(Labels().size()) ? Labels()[size_t(I)] : QString();
}

void TRadarSeries::FillSampleValues(int) {
  Clear();
  for (int i = 0; i < 5; ++i)
    AddY(QRandomGenerator::global()->bounded(1000), PieSampleLabels()[i], clChartAuto);
  RefreshSeries();
}
