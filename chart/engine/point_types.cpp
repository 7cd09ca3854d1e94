#include "chart/engine/point_types.h"

#include <algorithm>
#include <cmath>

#include <QDate>
#include <QRandomGenerator>

#include "chart/engine/axis_math.h"
#include "chart/engine/axis_panel.h"
#include "chart/engine/chart_exceptions.h"

using namespace SeriesGeometry;

namespace {
int Random(int N) { return N > 0 ? int(QRandomGenerator::global()->bounded(N)) : 0; }
double Today() { return double(QDate(1899, 12, 30).daysTo(QDate::currentDate())); }
}  // namespace

double ExtraValue(const TChartValueList* List, int Index) {
  return List && Index >= 0 && Index < List->Count() ? List->GetValue(Index) : 0;
}

// Gantt.

TGanttSeries::TGanttSeries()
    : FEndValues(std::make_unique<TChartValueList>(this, QStringLiteral("End"))),
      FNextTask(std::make_unique<TChartValueList>(this, QStringLiteral("NextTask"))),
      FConnectingPen(std::make_unique<TChartPen>([this](TGraphicsObject*) { Repaint(); })) {
  XValues()->SetName(QStringLiteral("Start"));
  XValues()->SetDateTime(true);
  FEndValues->SetDateTime(true);
  FNextTask->SetPendingValue(-1);
  XValues()->SetOrder(loNone);
  SetClickableLine(false);
  SetColorEachPoint(true);
  Pointer()->SetStyle(psRectangle);
}

void TGanttSeries::ResetPendingValue(TChartValueList* List) {
  List->SetPendingValue(List == FNextTask.get() ? -1 : 0);
}

int TGanttSeries::AddGanttColor(double Start, double End, double Y, const QString& Label,
                                TColor Color) {
  FEndValues->SetPendingValue(End);
  return AddXY(Start, Y, Label, Color);
}

void TGanttSeries::Assign(const TChartSeries& Source) {
  if (const auto* G = dynamic_cast<const TGanttSeries*>(&Source))
    FConnectingPen->Assign(*G->FConnectingPen);
  TPointSeries::Assign(Source);
}

bool TGanttSeries::ClickedPointer(int ValueIndex, int PX, int PY, int X, int Y) const {
  int End = PX;
  if (!SeriesHorizAxis(*this)->ValueToPixel(ExtraValue(FEndValues.get(), ValueIndex), End))
    return false;
  // A task that ends before it starts is still a bar between its two ends.
  return X >= std::min(PX, End) && X <= std::max(PX, End) &&
         std::abs(Y - PY) < Pointer()->VertSize();
}

void TGanttSeries::DrawValue(int ValueIndex) {
  if (!Pointer()->Visible() || !Canvas(*this)) return;
  const TColor Color = GetValueColor(ValueIndex);
  if (Color == clNone) return;
  int X1 = 0;
  if (!SeriesHorizAxis(*this)->ValueToPixel(ExtraValue(FEndValues.get(), ValueIndex), X1)) return;
  int X0 = CalcXPos(ValueIndex);
  const int Y = CalcYPos(ValueIndex);
  const int Left = std::min(X0, X1), Right = std::max(X0, X1);
  const int Half = (Right - Left) / 2;
  Pointer()->PrepareCanvas(Color);
  const TSeriesPointerStyle Style =
      OnGetPointerStyle ? OnGetPointerStyle(this, ValueIndex) : Pointer()->Style();
  Pointer()->DrawPointer(Is3D(*this), Left + Half, Y, Half, Pointer()->VertSize(), Color, Style);
  if (!FConnectingPen->Visible()) return;
  const double NV = ExtraValue(FNextTask.get(), ValueIndex);
  if (!std::isfinite(NV) || NV < 0 || NV >= Count()) return;
  const int N = NearestPixel(NV);
  if (N < 0 || N >= Count() || !IsDrawable(N)) return;
  TChartCanvas3D* C = Canvas(*this);
  C->AssignVisiblePen(*FConnectingPen);
  C->Brush()->SetStyle(bsClear);
  const int XN = CalcXPos(N), YN = CalcYPos(N), Mid = X1 + (XN - X1) / 2, Z = MiddleZ();
  C->MoveTo3D(X1, Y, Z);
  C->LineTo3D(Mid, Y, Z);
  C->LineTo3D(Mid, YN, Z);
  C->LineTo3D(XN, YN, Z);
}

double TGanttSeries::MaxXValue() const {
  double M = TPointSeries::MaxXValue();
  for (int i = 0; i < FEndValues->Count(); ++i)
    if (std::isfinite(FEndValues->GetValue(i))) M = std::max(M, FEndValues->GetValue(i));
  return M;
}

void TGanttSeries::DrawMark(int ValueIndex, const QString& Text, TSeriesMarkPosition& P) {
  int End = P.ArrowStart.X;
  if (!P.UserMoved &&
      SeriesHorizAxis(*this)->ValueToPixel(ExtraValue(FEndValues.get(), ValueIndex), End)) {
    P.TopLeft.X += (End - P.ArrowStart.X) / 2;
    P.TopLeft.Y += P.Height / 2;
  }
  TPointSeries::DrawMark(ValueIndex, Text, P);
}

void TGanttSeries::PrepareForGallery(bool IsEnabled) {
  TPointSeries::PrepareForGallery(IsEnabled);
  SetColorEachPoint(IsEnabled);
  Pointer()->SetVertSize(3);
}

void TGanttSeries::FillSampleValues(int NumValues) {
  if (NumValues < 1) throw ChartException(SeriesMessages::FillSampleValues);
  static const char* Tasks[10] = {"Design",      "Prototyping", "Development", "Sales",
                                  "Marketing",   "Testing",     "Manufac.",    "Debugging",
                                  "New Version", "Banking"};
  Clear();
  const int M = std::min(NumValues, Random(20) + 10);
  const double T = Today();
  for (int i = 0; i <= M; ++i) {
    const double Start = T + 3 * i + Random(5), End = Start + 9 + Random(16);
    const int K = AddGantt(Start, End, i % 10, QString::fromLatin1(Tasks[i % 10]));
    for (int j = 0; j < K; ++j)
      if (FNextTask->GetValue(j) == -1 && FEndValues->GetValue(j) < Start) {
        FNextTask->SetValue(j, K);
        break;
      }
  }
  RefreshSeries();
}

// Arrows.

TArrowSeries::TArrowSeries()
    : FEndX(std::make_unique<TChartValueList>(this, QStringLiteral("EndX"))),
      FEndY(std::make_unique<TChartValueList>(this, QStringLiteral("EndY"))) {
  XValues()->SetDateTime(true);
  FEndX->SetDateTime(true);
  XValues()->SetOrder(loNone);
  Pointer()->SetInflateMargins(false);
  Marks()->Frame()->SetVisible(false);
  Marks()->SetTransparent(true);
}

int TArrowSeries::AddArrow(double X0, double Y0, double X1, double Y1, const QString& Label,
                           TColor Color) {
  FEndX->SetPendingValue(X1);
  FEndY->SetPendingValue(Y1);
  return AddXY(X0, Y0, Label, Color);
}

void TArrowSeries::DrawValue(int ValueIndex) {
  TChartCanvas3D* C = Canvas(*this);
  if (!C) return;
  const TColor Color = GetValueColor(ValueIndex);
  if (Color == clNone) return;
  TPoint To;
  if (!SeriesHorizAxis(*this)->ValueToPixel(ExtraValue(FEndX.get(), ValueIndex), To.X) ||
      !SeriesVertAxis(*this)->ValueToPixel(ExtraValue(FEndY.get(), ValueIndex), To.Y))
    return;
  const TPoint From{CalcXPos(ValueIndex), CalcYPos(ValueIndex)};
  const bool D3 = Is3D(*this);
  if (D3) {
    Pointer()->PrepareCanvas(Color);
  } else {
    C->AssignVisiblePen(*Pointer()->Pen());
    C->Pen()->SetColor(Color);
    C->Brush()->SetStyle(bsClear);
  }
  // An arrow of no length has no direction: the canvas draws nothing for it.
  C->Arrow(D3, From, To, ArrowWidth(), ArrowHeight(), MiddleZ());
}

namespace {
double Widen(double Base, const TChartValueList* L, bool Max) {
  double M = Base;
  for (int i = 0; i < L->Count(); ++i) {
    const double V = L->GetValue(i);
    if (std::isfinite(V)) M = Max ? std::max(M, V) : std::min(M, V);
  }
  return M;
}
}  // namespace

double TArrowSeries::MinXValue() const {
  return Widen(TPointSeries::MinXValue(), FEndX.get(), false);
}
double TArrowSeries::MaxXValue() const {
  return Widen(TPointSeries::MaxXValue(), FEndX.get(), true);
}
double TArrowSeries::MinYValue() const {
  return Widen(TPointSeries::MinYValue(), FEndY.get(), false);
}
double TArrowSeries::MaxYValue() const {
  return Widen(TPointSeries::MaxYValue(), FEndY.get(), true);
}

void TArrowSeries::PrepareForGallery(bool IsEnabled) {
  TPointSeries::PrepareForGallery(IsEnabled);
  FillSampleValues(3);
  SetArrowWidth(12);
  SetArrowHeight(12);
  if (!IsEnabled) SetSeriesColor(static_cast<TColor>(0x808080));
}

void TArrowSeries::FillSampleValues(int NumValues) {
  if (NumValues < 1) throw ChartException(SeriesMessages::FillSampleValues);
  Clear();
  const int W = NumValues * 10, S = 1000;
  for (int i = 0; i < NumValues; ++i) {
    const double X0 = Random(W), Y0 = Random(S);
    AddArrow(X0, Y0, X0 + Random(W), Y0 + Random(S));
  }
  RefreshSeries();
}

// Bubbles.

TBubbleSeries::TBubbleSeries()
    : FRadius(std::make_unique<TChartValueList>(this, QStringLiteral("Radius"))) {
  Pointer()->SetInflateMargins(false);
  Pointer()->SetStyle(psCircle);
  Pointer()->AllowChangeSize = false;
  Marks()->Frame()->SetVisible(false);
  Marks()->SetTransparent(true);
  SetColorEachPoint(true);
}

int TBubbleSeries::AddBubble(double X, double Y, double Radius, const QString& Label,
                             TColor Color) {
  FRadius->SetPendingValue(Radius);
  return AddXY(X, Y, Label, Color);
}

void TBubbleSeries::Assign(const TChartSeries& Source) {
  if (const auto* B = dynamic_cast<const TBubbleSeries*>(&Source)) FSquared = B->FSquared;
  TPointSeries::Assign(Source);
}

int TBubbleSeries::RadiusPixels(int ValueIndex, bool Horizontal) const {
  const double R = ExtraValue(FRadius.get(), ValueIndex);
  const TChartAxis* A = Horizontal ? SeriesHorizAxis(*this) : SeriesVertAxis(*this);
  int P0 = 0, P1 = 0;
  if (!A || !(R > 0) || !A->ValueToPixel(0, P0) || !A->ValueToPixel(R, P1)) return 0;
  return std::abs(P1 - P0);
}

void TBubbleSeries::DrawValue(int ValueIndex) {
  const TColor Color = GetValueColor(ValueIndex);
  if (Color == clNone || !Canvas(*this)) return;
  const int V = RadiusPixels(ValueIndex, false);
  const int H = FSquared ? V : RadiusPixels(ValueIndex, true);
  // A bubble of no size is not drawn.
  if (V <= 0 && H <= 0) return;
  const int X = CalcXPos(ValueIndex), Y = CalcYPos(ValueIndex);
  if (!OnCanvas(X) || !OnCanvas(Y)) return;
  Pointer()->SetSizeRaw(H, V);
  DrawPointer(X, Y, Color, ValueIndex);
}

bool TBubbleSeries::ClickedPointer(int ValueIndex, int PX, int PY, int X, int Y) const {
  const int V = RadiusPixels(ValueIndex, false);
  const int H = FSquared ? V : RadiusPixels(ValueIndex, true);
  return std::abs(X - PX) < H && std::abs(Y - PY) < V;
}

void TBubbleSeries::DrawLegendShape(int ValueIndex, const TRect& R) {
  const int S = std::min(R.Right - R.Left, R.Bottom - R.Top);
  Pointer()->SetSizeRaw(S, S);
  TPointSeries::DrawLegendShape(ValueIndex, R);
}

double TBubbleSeries::MaxYValue() const {
  double M = TPointSeries::MaxYValue();
  for (int i = 0; i < Count(); ++i) {
    const double V = AxisSum(YValue(i), ExtraValue(FRadius.get(), i));
    if (std::isfinite(V)) M = std::max(M, V);
  }
  return M;
}

double TBubbleSeries::MinYValue() const {
  double M = TPointSeries::MinYValue();
  for (int i = 0; i < Count(); ++i) {
    const double V = AxisSum(YValue(i), -ExtraValue(FRadius.get(), i));
    if (std::isfinite(V)) M = std::min(M, V);
  }
  return M;
}

void TBubbleSeries::FillSampleValues(int NumValues) {
  if (NumValues < 1) throw ChartException(SeriesMessages::FillSampleValues);
  Clear();
  const double Span = 1000;
  double X = 0;
  for (int i = 0; i < NumValues; ++i) {
    const double Y = Random(NearestPixel(Span));
    const double R = NearestPixel(Span / (Random(15) + 10)) + Span / 10;
    AddBubble(X, Y, R);
    X += 1;
  }
  RefreshSeries();
}
