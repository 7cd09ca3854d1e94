#include "chart/engine/pie_series.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include <QRandomGenerator>

#include "chart/engine/axis_panel.h"
#include "chart/engine/chart.h"
#include "chart/engine/chart_utils.h"
#include "chart/engine/view3d_options.h"

using namespace SeriesGeometry;

namespace {
constexpr double TwoPi = 2 * std::numbers::pi;
}  // namespace

const QStringList& PieSampleLabels() {
  static const QStringList L = {"Cars",  "Phones",    "Tables", "Monitors",
                                "Lamps", "Keyboards", "Bikes",  "Chairs"};
  return L;
}

// The circled series.

TCircledSeries::TCircledSeries() {
  XValues()->SetName(QStringLiteral("Angle"));
  // Without an order every point is visible: a circle has no axis range to leave.
  XValues()->SetOrder(loNone);
}

TCircledSeries::~TCircledSeries() {
  // The base destructor leaves the chart, too late to reach this class.
  if (ParentChart()) SetParentChart(nullptr);
}

void TCircledSeries::ParentChartChanging(TCustomAxisPanel* New) {
  if (!New) SetParentProperties(true);
}

template <class F>
void TCircledSeries::ForKind(F Apply) {
  Apply(this);
  if (!ParentChart()) return;
  for (int i = 0; i < ParentChart()->SeriesCount(); ++i)
    if (auto* S = dynamic_cast<TCircledSeries*>(ParentChart()->GetSeries(i)))
      if (S != this && IsKindOf(S)) Apply(S);
}

void TCircledSeries::SetCircled(bool Value) {
  ForKind([Value](TCircledSeries* S) { S->FCircled = Value; });
  Repaint();
}
void TCircledSeries::SetCustomXRadius(int Value) {
  ForKind([Value](TCircledSeries* S) { S->FCustomXRadius = std::max(0, Value); });
  Repaint();
}
void TCircledSeries::SetCustomYRadius(int Value) {
  ForKind([Value](TCircledSeries* S) { S->FCustomYRadius = std::max(0, Value); });
  Repaint();
}

void TCircledSeries::SetRotationAngle(int Value) {
  if (Value < 0) throw PieException(PieMessages::RotationAngle);
  FRotationAngle = Value % 360;
  FRotation = FRotationAngle * std::numbers::pi / 180;
  Repaint();
}

void TCircledSeries::SetCircleBackColor(TColor Value) {
  if (FCircleBackColor == Value) return;
  FCircleBackColor = Value;
  Repaint();
}

TColor TCircledSeries::CalcCircleBackColor() const {
  TColor C = FCircleBackColor;
  if (IsChartAuto(C) || C == clNone) {
    if (auto* Chart = dynamic_cast<const TCustomChart*>(ParentChart())) C = Chart->BackColor();
  }
  if ((IsChartAuto(C) || C == clNone) && ParentChart()) C = ParentChart()->Color();
  return C;
}

void TCircledSeries::Assign(const TChartSeries& Source) {
  TChartSeries::Assign(Source);
  if (const auto* S = dynamic_cast<const TCircledSeries*>(&Source)) {
    FCircled = S->FCircled;
    FCustomXRadius = S->FCustomXRadius;
    FCustomYRadius = S->FCustomYRadius;
    FRotationAngle = S->FRotationAngle;
    FRotation = S->FRotation;
    FCircleBackColor = S->FCircleBackColor;
  }
}

void TCircledSeries::SetParentProperties(bool Enable) {
  TCustomAxisPanel* C = ParentChart();
  if (!C || C->Destroying()) return;
  if (Enable) {
    bool AllCircled = true;
    for (int i = 0; i < C->SeriesCount(); ++i)
      if (!dynamic_cast<TCircledSeries*>(C->GetSeries(i))) AllCircled = false;
    if (AllCircled) return;
  }
  C->SetAxisVisible(Enable);
  C->SetClipPoints(Enable);
  C->SetView3DWalls(Enable);
  C->SetAllowZoom(Enable);
  C->SetAllowPanning(Enable ? pmBoth : pmNone);
  if (auto* Chart = dynamic_cast<TCustomChart*>(C)) {
    Chart->Frame()->SetVisible(Enable);
    Chart->BackWall()->Brush()->SetStyle(Enable ? bsSolid : bsClear);
  }
  // The canvas cannot turn a pie freely: it is seen from above at a fixed angle instead.
  if (!Canvas(*this) || !Canvas(*this)->CanRotateFully()) {
    TView3DOptions* V = C->View3DOptions();
    V->SetOrthogonal(false);
    V->SetRotation(360);
    V->SetElevation(315);
    V->SetPerspective(0);
    V->SetTilt(0);
  }
}

void TCircledSeries::TakeCircle(const TCircledSeries& From) {
  FCircleRect = From.FCircleRect;
  FCircleWidth = From.FCircleWidth;
  FCircleHeight = From.FCircleHeight;
  FCircleXCenter = From.FCircleXCenter;
  FCircleYCenter = From.FCircleYCenter;
  FXRadius = From.FXRadius;
  FYRadius = From.FYRadius;
}

void TCircledSeries::SetCircleRect(const TRect& R) {
  FCircleRect = R;
  AdjustCircleRect();
}

void TCircledSeries::AdjustCircleRect() {
  TRect& R = FCircleRect;
  if ((R.Right - R.Left) % 2 != 0) --R.Right;
  if ((R.Bottom - R.Top) % 2 != 0) --R.Bottom;
  if (R.Right - R.Left < 4) R.Right = R.Left + 4;
  if (R.Bottom - R.Top < 4) R.Bottom = R.Top + 4;
  FCircleWidth = R.Right - R.Left;
  FCircleHeight = R.Bottom - R.Top;
  FCircleXCenter = (R.Left + R.Right) / 2;
  FCircleYCenter = (R.Top + R.Bottom) / 2;
}

void TCircledSeries::CalcRadius() {
  if (FCustomXRadius != 0) {
    FXRadius = FCustomXRadius;
    FCircleWidth = 2 * FXRadius;
  } else {
    FXRadius = FCircleWidth / 2;
  }
  if (FCustomYRadius != 0) {
    FYRadius = FCustomYRadius;
    FCircleHeight = 2 * FYRadius;
  } else {
    FYRadius = FCircleHeight / 2;
  }
  FCircleRect = {FCircleXCenter - FXRadius, FCircleYCenter - FYRadius, FCircleXCenter + FXRadius,
                 FCircleYCenter + FYRadius};
}

void TCircledSeries::CalcCircle() {
  TCustomAxisPanel* Chart = ParentChart();
  if (!Chart) return;
  SetCircleRect(Chart->ChartRect());
  TChartCanvas3D* C = Chart->Canvas3D();
  if (Marks()->Visible() && C && C->ReferenceCanvas()) {
    int M = Marks()->ArrowLength();
    if (Marks()->Frame()->Visible()) M += 2 * Marks()->Frame()->Width();
    C->Font()->Assign(*Marks()->Font());
    int Widest = 0;
    for (int i = 0; i < Count(); ++i) Widest = std::max(Widest, C->TextWidth(GetMarkText(i)));
    TRect R = FCircleRect;
    const int DY = C->FontHeight() + M, DX = C->TextWidth(QStringLiteral("W")) + Widest + M;
    R.Top += DY;
    R.Bottom -= DY;
    R.Left += DX;
    R.Right -= DX;
    SetCircleRect(R);
  }
  if (FCircled) {
    // Pixels are not square on every device: the circle stays round in millimetres.
    double Ratio = 1;
    if (C && C->ReferenceCanvas()) {
      const int PX = C->ReferenceCanvas()->PixelsPerInchX(),
                PY = C->ReferenceCanvas()->PixelsPerInchY();
      if (PX > 0 && PY > 0) Ratio = double(PX) / PY;
    }
    CalcRadius();
    TRect R = FCircleRect;
    const int WantX = NearestPixel(FYRadius * Ratio);
    if (FXRadius > WantX) {
      const int D = FXRadius - WantX;
      R.Left += D;
      R.Right -= D;
    } else {
      const int D = FYRadius - NearestPixel(FXRadius / Ratio);
      R.Top += D;
      R.Bottom -= D;
    }
    SetCircleRect(R);
  }
  CalcRadius();
}

void TCircledSeries::AngleToPos(double Angle, int RX, int RY, int& X, int& Y) const {
  // Summed as doubles: a radius saturated at the integers' end would overflow beside the centre.
  X = NearestPixel(FCircleXCenter + double(NearestPixel(RX * std::cos(Angle + FRotation))));
  Y = NearestPixel(FCircleYCenter - double(NearestPixel(RY * std::sin(Angle + FRotation))));
}

double TCircledSeries::PointToAngle(int X, int Y) const {
  double A;
  if (X != FCircleXCenter) {
    A = FYRadius == 0 || FXRadius == 0 ? 0
                                       : std::atan2(double(FCircleYCenter - Y) / FYRadius,
                                                    double(X - FCircleXCenter) / FXRadius);
  } else {
    A = Y <= FCircleYCenter ? std::numbers::pi / 2 : -std::numbers::pi / 2;
  }
  if (A < 0) A += TwoPi;
  A -= FRotation;
  if (A < 0) A += TwoPi;
  return A;
}

// The other slice.

void TPieOtherSlice::SetStyle(TPieOtherStyle Value) {
  if (FStyle == Value) return;
  FStyle = Value;
  FOwner->RecalcOtherSlice();
}
void TPieOtherSlice::SetText(const QString& Value) {
  if (FText == Value) return;
  FText = Value;
  FOwner->RecalcOtherSlice();
}
void TPieOtherSlice::SetValue(double Value) {
  if (FValue == Value || !std::isfinite(Value)) return;
  FValue = Value;
  FOwner->RecalcOtherSlice();
}
void TPieOtherSlice::Assign(const TPieOtherSlice& Source) {
  FStyle = Source.FStyle;
  FText = Source.FText;
  FValue = Source.FValue;
  FOwner->RecalcOtherSlice();
}

// The pie.

TPieSeries::TPieSeries()
    : FPiePen(std::make_unique<TChartPen>([this](TGraphicsObject*) { Repaint(); })),
      FOtherSlice(std::make_unique<TPieOtherSlice>(this)) {
  XValues()->SetName({});
  YValues()->SetName(QStringLiteral("Pie"));
  Marks()->SetVisible(true);
  Marks()->SetArrowLength(8);
  SetColorEachPoint(true);
}

void TPieSeries::SetDark3D(bool Value) {
  if (FDark3D == Value) return;
  FDark3D = Value;
  Repaint();
}
void TPieSeries::SetExplodeBiggest(int Value) {
  FExplodeBiggest = std::clamp(Value, 0, 1000);
  ApplyExplodeBiggest();
  Repaint();
}
void TPieSeries::SetUsePatterns(bool Value) {
  if (FUsePatterns == Value) return;
  FUsePatterns = Value;
  Repaint();
}

int TPieSeries::ExplodedSlice(int Index) const {
  return Index >= 0 && Index < int(FExploded.size()) ? FExploded[size_t(Index)] : 0;
}
void TPieSeries::SetExplodedSlice(int Index, int Value) {
  if (Index < 0 || Index > 1000000) return;
  if (Index >= int(FExploded.size())) FExploded.resize(size_t(Index) + 1, 0);
  if (FExploded[size_t(Index)] == Value) return;
  // Far more than the radius moves the slice off the chart; it stays within ten radii.
  FExploded[size_t(Index)] = std::clamp(Value, 0, 1000);
  Repaint();
}

TBrushStyle TPieSeries::PatternOf(int ValueIndex) const {
  static constexpr TBrushStyle P[6] = {bsHorizontal, bsVertical, bsFDiagonal,
                                       bsBDiagonal,  bsCross,    bsDiagCross};
  return P[((ValueIndex % 6) + 6) % 6];
}

void TPieSeries::Assign(const TChartSeries& Source) {
  if (const auto* S = dynamic_cast<const TPieSeries*>(&Source)) {
    FDark3D = S->FDark3D;
    FUsePatterns = S->FUsePatterns;
    FPiePen->Assign(*S->FPiePen);
    FExplodeBiggest = S->FExplodeBiggest;
    FOtherSlice->Assign(*S->FOtherSlice);
  }
  TCircledSeries::Assign(Source);
  SetColorEachPoint(true);
}

void TPieSeries::Clear() {
  TCircledSeries::Clear();
  FExploded.clear();
}

void TPieSeries::FillSampleValues(int NumValues) {
  if (NumValues < 1) throw ChartException(SeriesMessages::FillSampleValues);
  Clear();
  for (int i = 0; i < NumValues; ++i)
    AddY(QRandomGenerator::global()->bounded(1000) + 1, PieSampleLabels()[i % 8], clChartAuto);
  RefreshSeries();
}

namespace {
// The pie seen tilted from the front.
void PieView(TCustomAxisPanel* C) {
  if (!C) return;
  TView3DOptions* V = C->View3DOptions();
  V->SetOrthogonal(false);
  V->SetRotation(0);
  V->SetElevation(305);
}
}  // namespace

void TPieSeries::Set3D(bool Value) {
  TCircledSeries::Set3D(Value);
  PieView(ParentChart());
}

void TPieSeries::PrepareForGallery(bool IsEnabled) {
  TCircledSeries::PrepareForGallery(IsEnabled);
  FillSampleValues(8);
  if (TCustomAxisPanel* C = ParentChart()) {
    C->SetChart3DPercent(75);
    SetCircled(!C->View3D());
    PieView(C);
  }
  SetColorEachPoint(IsEnabled);
}

void TPieSeries::SwapValueIndex(int A, int B) {
  TCircledSeries::SwapValueIndex(A, B);
  if (A < 0 || B < 0 || A >= Count() || B >= Count()) return;
  if (int(FExploded.size()) < Count()) FExploded.resize(size_t(Count()), 0);
  std::swap(FExploded[size_t(A)], FExploded[size_t(B)]);
}

void TPieSeries::NotifyValue(TSeriesDataEvent Event, int ValueIndex) {
  TCircledSeries::NotifyValue(Event, ValueIndex);
  if (!FRegrouping && Event != sdeClear) RecalcOtherSlice();
}

void TPieSeries::RecalcOtherSlice() {
  if (FRegrouping) return;
  FRegrouping = true;
  // The old other slice goes; every point takes its place in the sequence again.
  for (int i = 0; i < Count(); ++i)
    if (XValue(i) == PieOtherX) {
      Delete(i);
      break;
    }
  XValues()->FillSequence();
  if (FOtherSlice->Style() != poNone) {
    double Total = 0;
    for (int i = 0; i < Count(); ++i)
      if (std::isfinite(YValue(i))) Total += std::fabs(YValue(i));
    double Sum = 0;
    for (int i = 0; i < Count(); ++i) {
      double V = YValue(i);
      if (!std::isfinite(V)) continue;
      if (FOtherSlice->Style() == poBelowPercent) V = Total == 0 ? 0 : V * 100 / Total;
      if (V < FOtherSlice->Value()) {
        Sum += YValue(i);
        XValues()->SetValue(i, PieGroupedX);
      }
    }
    if (Sum != 0) AddXY(PieOtherX, Sum, FOtherSlice->Text(), clChartAuto);
  }
  FRegrouping = false;
  Repaint();
}

void TPieSeries::PrepareLegendCanvas(int ValueIndex, TColor& BackColor, TBrushStyle& Style) {
  TCircledSeries::PrepareLegendCanvas(ValueIndex, BackColor, Style);
  if (FUsePatterns && ValueIndex >= 0) Style = PatternOf(ValueIndex);
}

int TPieSeries::CountLegendItems() const {
  int N = 0;
  for (int i = 0; i < Count(); ++i)
    if (!IsGrouped(i)) ++N;
  return N;
}

int TPieSeries::MapValueIndex(int N) const {
  int K = 0;
  for (int i = 0; i < Count(); ++i)
    if (!IsGrouped(i) && K++ == N) return i;
  return N;
}

void TPieSeries::ApplyExplodeBiggest() {
  if (FExplodeBiggest <= 0 || Count() == 0) return;
  int Big = -1;
  for (int i = 0; i < Count(); ++i)
    if (std::isfinite(YValue(i)) && (Big < 0 || YValue(i) > YValue(Big))) Big = i;
  if (Big < 0) return;
  if (Big >= int(FExploded.size())) FExploded.resize(size_t(Big) + 1, 0);
  FExploded[size_t(Big)] = FExplodeBiggest;
}

void TPieSeries::CalcAngles() {
  double Total = 0;
  for (int i = 0; i < Count(); ++i)
    if (!IsGrouped(i) && std::isfinite(YValue(i))) Total += std::fabs(YValue(i));
  // A pie of zeros has no share to divide: every slice is a full turn.
  const double K = Total == 0 || !std::isfinite(Total) ? 0 : TwoPi / Total;
  FAngles.assign(size_t(Count()), {});
  double Acc = 0;
  for (int i = 0; i < Count(); ++i) {
    TPieAngle& A = FAngles[size_t(i)];
    A.StartAngle = i == 0 ? 0 : FAngles[size_t(i) - 1].EndAngle;
    if (!IsGrouped(i) && std::isfinite(YValue(i))) Acc += std::fabs(YValue(i));
    A.EndAngle = K == 0 || Acc == Total ? TwoPi : Acc * K;
    if (A.EndAngle - A.StartAngle > TwoPi) A.EndAngle = A.StartAngle + TwoPi;
    A.MidAngle = (A.StartAngle + A.EndAngle) * 0.5;
  }
}

TPoint TPieSeries::SliceOffset(int ValueIndex) const {
  const int E = ExplodedSlice(ValueIndex);
  if (!FIsExploded || E <= 0 || ValueIndex >= int(FAngles.size())) return {0, 0};
  const double M = FAngles[size_t(ValueIndex)].MidAngle + Rotation();
  return {NearestPixel(XRadius() * 0.01 * E * std::cos(M)),
          NearestPixel(YRadius() * 0.01 * E * std::sin(M))};
}

void TPieSeries::DrawAllValues() {
  if (!Canvas(*this)) return;
  CalcCircle();
  ApplyExplodeBiggest();
  int Most = -1;
  for (int i = 0; i < Count(); ++i)
    if (ExplodedSlice(i) > 0 && (Most < 0 || ExplodedSlice(i) > ExplodedSlice(Most))) Most = i;
  CalcAngles();
  FIsExploded = Most >= 0;
  if (FIsExploded) {
    const TPoint D = SliceOffset(Most);
    TRect R = CircleRect();
    R.Left += std::abs(D.X) / 2;
    R.Right -= std::abs(D.X) / 2;
    R.Top += std::abs(D.Y) / 2;
    R.Bottom -= std::abs(D.Y) / 2;
    SetCircleRect(R);
    CalcRadius();
  }
  AngleToPos(0, XRadius(), YRadius(), FStartPoint.X, FStartPoint.Y);
  std::vector<int> Order(static_cast<size_t>(Count()));
  for (int i = 0; i < Count(); ++i) Order[size_t(i)] = i;
  if (Is3D(*this) && FIsExploded) {
    // Slices farthest from the top are drawn first, so nearer ones cover them.
    auto Key = [this](int i) {
      double M = FAngles[size_t(i)].MidAngle + Rotation();
      if (M >= TwoPi) M -= TwoPi;
      double K = M <= std::numbers::pi / 2 ? std::numbers::pi / 2 - M : M - std::numbers::pi / 2;
      if (K > std::numbers::pi) K = TwoPi - K;
      return K;
    };
    std::stable_sort(Order.begin(), Order.end(), [&](int A, int B) { return Key(A) < Key(B); });
  }
  for (int i : Order)
    if (IsDrawable(i)) DrawValue(i);
}

void TPieSeries::DrawValue(int ValueIndex) {
  if (CircleWidth() < 5 || CircleHeight() < 5 || IsGrouped(ValueIndex)) return;
  if (ValueIndex >= int(FAngles.size())) return;
  TChartCanvas3D* C = Canvas(*this);
  const TColor Back = CalcCircleBackColor();
  C->Brush()->SetData(
      TBrushData{GetValueColor(ValueIndex), FUsePatterns ? PatternOf(ValueIndex) : bsSolid, {}});
  C->SetBackColor(ChartDrawColor(Back) == clNone ? clWhite : Back);
  DrawPie(ValueIndex);
}

void TPieSeries::DrawPie(int ValueIndex) {
  TChartCanvas3D* C = Canvas(*this);
  C->AssignVisiblePen(*FPiePen);
  const TPoint D = SliceOffset(ValueIndex);
  const TPieAngle& A = FAngles[size_t(ValueIndex)];
  if (Is3D(*this)) {
    C->Pie3D(CircleXCenter() + D.X, CircleYCenter() - D.Y, XRadius(), YRadius(), StartZ(), EndZ(),
             A.StartAngle + Rotation(), A.EndAngle + Rotation(), FDark3D, FIsExploded);
    return;
  }
  TPoint End;
  AngleToPos(A.EndAngle, XRadius(), YRadius(), End.X, End.Y);
  bool Draw = true;
  if (End.X == FStartPoint.X && End.Y == FStartPoint.Y && Count() >= 2)
    Draw = A.EndAngle - A.StartAngle > 1.0;
  if (Draw) {
    const TRect R = CircleRect();
    C->Pie(R.Left + D.X, R.Top - D.Y, R.Right + D.X, R.Bottom - D.Y, FStartPoint.X + D.X,
           FStartPoint.Y - D.Y, End.X + D.X, End.Y - D.Y);
  }
  FStartPoint = End;
}

void TPieSeries::DrawMark(int ValueIndex, const QString& Text, TSeriesMarkPosition& P) {
  if (IsGrouped(ValueIndex) || ValueIndex >= int(FAngles.size())) return;
  TChartCanvas3D* C = Canvas(*this);
  const int E = ExplodedSlice(ValueIndex);
  const int RX = NearestPixel(XRadius() * (1 + 0.01 * E)),
            RY = NearestPixel(YRadius() * (1 + 0.01 * E));
  const double M = FAngles[size_t(ValueIndex)].MidAngle;
  AngleToPos(M, RX, RY, P.ArrowStart.X, P.ArrowStart.Y);
  const int L = Marks()->ArrowLength();
  AngleToPos(M, C->TextWidth(QStringLiteral("W")) + RX + L, C->FontHeight() + RY + L, P.ArrowEnd.X,
             P.ArrowEnd.Y);
  P.TopLeft.X = P.ArrowEnd.X > CircleXCenter() ? P.ArrowEnd.X : P.ArrowEnd.X - P.Width;
  P.TopLeft.Y = P.ArrowEnd.Y <= CircleYCenter() ? P.ArrowEnd.Y - P.Height : P.ArrowEnd.Y;
  TCircledSeries::DrawMark(ValueIndex, Text, P);
}

int TPieSeries::Clicked(int X, int Y) const {
  const int Base = TCircledSeries::Clicked(X, Y);
  if (Base != -1) return Base;
  if (const TChartCanvas3D* C = Canvas(*this)) C->Calculate2DPosition(X, Y, 0);
  const double A = PointToAngle(X, Y);
  for (int i = 0; i < std::min(Count(), int(FAngles.size())); ++i) {
    if (IsGrouped(i)) continue;
    const TPoint D = SliceOffset(i);
    if (std::abs(X - CircleXCenter()) < XRadius() + D.X &&
        std::abs(Y - CircleYCenter()) < YRadius() + D.Y && FAngles[size_t(i)].StartAngle <= A &&
        A <= FAngles[size_t(i)].EndAngle)
      return i;
  }
  return -1;
}

double TPieSeries::MinXValue() const {
  return ParentChart() ? ParentChart()->BottomAxis()->Minimum() : 0;
}
double TPieSeries::MaxXValue() const {
  return ParentChart() ? ParentChart()->BottomAxis()->Maximum() : 0;
}
double TPieSeries::MinYValue() const {
  return ParentChart() ? ParentChart()->LeftAxis()->Minimum() : 0;
}
double TPieSeries::MaxYValue() const {
  return ParentChart() ? ParentChart()->LeftAxis()->Maximum() : 0;
}
