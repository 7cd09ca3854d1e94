#include "chart/engine/bar_series.h"

#include <algorithm>
#include <cmath>

#include <QRandomGenerator>

#include "chart/engine/axis_math.h"
#include "chart/engine/axis_panel.h"
#include "chart/engine/chart_utils.h"
#include "chart/engine/custom_series.h"

using namespace ChartBar;

using namespace SeriesGeometry;

TCustomBarSeries::TCustomBarSeries(bool Horizontal)
    : FHorizontal(Horizontal),
      FBarBrush(std::make_unique<TChartBrush>([this](TGraphicsObject*) { Repaint(); })),
      FBarPen(std::make_unique<TChartPen>([this](TGraphicsObject*) { Repaint(); })) {
  FBarBrush->SetColor(clChartAuto);
  Marks()->SetVisible(true);
  Marks()->SetArrowLength(20);
  MandatoryValueList()->SetName(QStringLiteral("Bar"));
  MandatoryValueList()->SetOrder(loNone);
  (FHorizontal ? YValues() : XValues())->SetOrder(loAscending);
}

void TCustomBarSeries::SetBarWidthPercent(int Value) {
  if (Value < 1 || Value > 100) throw BarException(BarMessages::WidthPercent);
  Change(FBarWidthPercent, Value);
}

void TCustomBarSeries::SetOffsetPercent(int Value) {
  if (Value < -100 || Value > 100) throw BarException(BarMessages::OffsetPercent);
  Change(FOffsetPercent, Value);
}

void TCustomBarSeries::SetMultiBar(TMultiBar Value) {
  if (ParentChart()) {
    for (int i = 0; i < ParentChart()->SeriesCount(); ++i) {
      auto* B = dynamic_cast<TCustomBarSeries*>(ParentChart()->GetSeries(i));
      if (B && SameKind(B)) B->FMultiBar = Value;
    }
  }
  FMultiBar = Value;
  Repaint();
}

void TCustomBarSeries::SetSideMargins(bool Value) {
  FSideMargins = Value;
  if (ParentChart()) {
    for (int i = 0; i < ParentChart()->SeriesCount(); ++i) {
      auto* B = dynamic_cast<TCustomBarSeries*>(ParentChart()->GetSeries(i));
      if (B && B != this && SameKind(B)) B->FSideMargins = Value;
    }
  }
  Repaint();
}

void TCustomBarSeries::Assign(const TChartSeries& Other) {
  TChartSeries::Assign(Other);
  const auto* S = dynamic_cast<const TCustomBarSeries*>(&Other);
  if (!S) return;
  const TCustomBarSeries& Source = *S;
  FAutoBarSize = Source.FAutoBarSize;
  FAutoMarkPosition = Source.FAutoMarkPosition;
  FBarBrush->Assign(*Source.FBarBrush);
  FBarPen->Assign(*Source.FBarPen);
  FBarStyle = Source.FBarStyle;
  FBarWidthPercent = Source.FBarWidthPercent;
  FCustomBarSize = Source.FCustomBarSize;
  FDark3D = Source.FDark3D;
  FMultiBar = Source.FMultiBar;
  FOffsetPercent = Source.FOffsetPercent;
  FSideMargins = Source.FSideMargins;
  FUseYOrigin = Source.FUseYOrigin;
  FYOrigin = Source.FYOrigin;
  Repaint();
}

void TCustomBarSeries::PrepareForGallery(bool IsEnabled) {
  TChartSeries::PrepareForGallery(IsEnabled);
  FBarWidthPercent = 85;
  FMultiBar = mbNone;
}

bool TCustomBarSeries::SameKind(const TChartSeries* S) const {
  const auto* B = dynamic_cast<const TCustomBarSeries*>(S);
  return B && (IsInstance(B) || B->IsInstance(this));
}

std::vector<TCustomBarSeries*> TCustomBarSeries::Group() const {
  std::vector<TCustomBarSeries*> G;
  if (!ParentChart()) return G;
  for (int i = 0; i < ParentChart()->SeriesCount(); ++i) {
    auto* B = dynamic_cast<TCustomBarSeries*>(ParentChart()->GetSeries(i));
    if (B && (B == this || (B->Active() && SameKind(B)))) G.push_back(B);
  }
  return G;
}

void TCustomBarSeries::GroupPosition(int& Index, int& Count) const {
  Index = Count = 1;
  if (FMultiBar != mbSide) return;
  const auto G = Group();
  Count = std::max(1, int(G.size()));
  Index = 1 + int(std::find(G.begin(), G.end(), this) - G.begin());
}

TChartAxis* TCustomBarSeries::CategoryAxis() const {
  return FHorizontal ? SeriesVertAxis(*this) : SeriesHorizAxis(*this);
}
TChartAxis* TCustomBarSeries::ValueAxis() const {
  return FHorizontal ? SeriesHorizAxis(*this) : SeriesVertAxis(*this);
}
double TCustomBarSeries::BarValue(int ValueIndex) const {
  return FHorizontal ? XValue(ValueIndex) : YValue(ValueIndex);
}
double TCustomBarSeries::CategoryValue(int ValueIndex) const {
  return FHorizontal ? YValue(ValueIndex) : XValue(ValueIndex);
}

void TCustomBarSeries::CalcBarWidth() {
  if (FCustomBarSize != 0) {
    FBarWidth = FCustomBarSize;
    return;
  }
  int N = Count(), Bars = 1;
  if (ParentChart() && FMultiBar == mbSide) {
    const auto G = Group();
    Bars = std::max(1, int(G.size()));
    for (const TCustomBarSeries* B : G) N = std::max(N, B->Count());
  }
  if (ParentChart() && ParentChart()->MaxPointsPerPage() > 0) N = ParentChart()->MaxPointsPerPage();
  const TChartAxis* A = CategoryAxis();
  if (N < 1 || !A) {
    FBarWidth = 0;
    return;
  }
  if (FSideMargins) ++N;
  const int Length = std::abs(A->IEndPos() - A->IStartPos());
  int Space = 0;
  if (FAutoBarSize) {
    const double Span = 2 + A->Maximum() - A->Minimum();
    Space = Span > 0 && std::isfinite(Span) ? NearestPixel(Length / Span) : 0;
  } else {
    Space = Length / N;
  }
  FBarWidth = NearestPixel(FBarWidthPercent * 0.01 * Space) / Bars;
  if (FBarWidth % 2 != 0) ++FBarWidth;
}

int TCustomBarSeries::MarkLength(int ValueIndex) const {
  TChartCanvas3D* C = Canvas(*this);
  if (!C) return 0;
  if (!FHorizontal) return C->FontHeight();
  auto* Self = const_cast<TCustomBarSeries*>(this);
  if (ValueIndex >= 0) return C->TextWidth(Self->GetMarkText(ValueIndex));
  int Most = 0;
  for (int i = 0; i < Count(); ++i) Most = std::max(Most, C->TextWidth(Self->GetMarkText(i)));
  return Most;
}

int TCustomBarSeries::MarksRoom() const {
  TChartCanvas3D* C = Canvas(*this);
  if (!C || Count() == 0 || !Marks()->Visible()) return 0;
  C->Font()->Assign(*Marks()->Font());
  int Length = MarkLength(FHorizontal ? -1 : 0) + Marks()->ArrowLength();
  if (Marks()->Frame()->Visible()) Length += 2 * Marks()->Frame()->Width();
  // A mark's box is a "W" wider than its text: without it the marks of the longest horizontal
  // bars would stick out of the chart.
  if (FHorizontal) Length += C->TextWidth(QStringLiteral("W"));
  return Length + 1;
}

namespace {
// Gives the marks' room to the edges the bars grow towards: below the origin (Low) and above
// it (High); Inverted exchanges the two ends of the value axis.
void MarksRoomAt(int Room, bool Low, bool High, bool Inverted, int& LowEdge, int& HighEdge) {
  if (Room <= 0) return;
  if (Low) (Inverted ? HighEdge : LowEdge) = std::max(Inverted ? HighEdge : LowEdge, Room);
  if (High) (Inverted ? LowEdge : HighEdge) = std::max(Inverted ? LowEdge : HighEdge, Room);
}
}  // namespace

void TCustomBarSeries::CalcHorizMargins(int& Left, int& Right) {
  if (FHorizontal) {
    const TChartAxis* A = ValueAxis();
    MarksRoomAt(MarksRoom(), FUseYOrigin && MinXValue() < FYOrigin,
                !(FUseYOrigin && MaxXValue() <= FYOrigin), A && A->Inverted(), Left, Right);
    return;
  }
  CalcBarWidth();
  int Index = 1, N = 1;
  GroupPosition(Index, N);
  const int Room = FSideMargins ? FBarWidth * N : FBarWidth * N / 2;
  Left += Room;
  Right += Room;
}

void TCustomBarSeries::CalcVerticalMargins(int& Top, int& Bottom) {
  if (!FHorizontal) {
    const TChartAxis* A = ValueAxis();
    MarksRoomAt(MarksRoom(), FUseYOrigin && MinYValue() < FYOrigin,
                !(FUseYOrigin && MaxYValue() <= FYOrigin), A && A->Inverted(), Bottom, Top);
    return;
  }
  CalcBarWidth();
  int Index = 1, N = 1;
  GroupPosition(Index, N);
  const int Room = FSideMargins ? FBarWidth * N : FBarWidth * N / 2;
  Top += Room;
  Bottom += Room;
}

double TCustomBarSeries::PointOrigin(int ValueIndex, bool SumAll) const {
  if (FMultiBar != mbStacked && FMultiBar != mbStacked100) return FYOrigin;
  return StackOrigin(*this, ValueIndex, SumAll,
                     [this](const TChartSeries* S) { return S == this || SameKind(S); });
}

int TCustomBarSeries::ValuePixel(double Value) const {
  const TChartAxis* A = ValueAxis();
  int Pixel = 0;
  if (!A) return 0;
  // A sum that overflowed to infinity is put on the axis' 0 rather than on any pixel.
  return A->ValueToPixel(Value, Pixel) ? Pixel : A->CalcPosValue(0);
}

int TCustomBarSeries::CategoryPos(int ValueIndex) const {
  const TChartAxis* A = CategoryAxis();
  if (!A) return 0;
  int Index = 1, N = 1;
  GroupPosition(Index, N);
  const int C = A->CalcPosValue(CategoryValue(ValueIndex));
  int P = C - FBarWidth / 2;
  if (FMultiBar == mbSide)
    P = FHorizontal ? C + NearestPixel((N * 0.5 - Index) * FBarWidth)
                    : C + NearestPixel((Index - N * 0.5 - 1.0) * FBarWidth);
  return P + NearestPixel(FOffsetPercent * FBarWidth * 0.01);
}

int TCustomBarSeries::ValuePos(int ValueIndex) const {
  const double V = BarValue(ValueIndex);
  switch (FMultiBar) {
    case mbStacked:
      return ValuePixel(PointOrigin(ValueIndex, false) + V);
    case mbStacked100: {
      const double T = PointOrigin(ValueIndex, true);
      // A zero total stands on the axis' 0, not on the canvas' edge.
      return ValuePixel(T == 0 ? 0 : (PointOrigin(ValueIndex, false) + V) * 100 / T);
    }
    default:
      return ValuePixel(V);
  }
}

int TCustomBarSeries::GetOriginPos(int ValueIndex) const {
  switch (FMultiBar) {
    case mbStacked:
      return ValuePixel(PointOrigin(ValueIndex, false));
    case mbStacked100: {
      const double T = PointOrigin(ValueIndex, true);
      return ValuePixel(T == 0 ? 0 : PointOrigin(ValueIndex, false) * 100 / T);
    }
    default:
      break;
  }
  if (FUseYOrigin) return ValuePixel(FYOrigin);
  const TChartAxis* A = ValueAxis();
  if (!A) return 0;
  return FHorizontal ? A->IStartPos() : A->IEndPos();
}

double TCustomBarSeries::MaxValue() const {
  if (FMultiBar == mbStacked100) return 100;
  double M = FHorizontal ? TChartSeries::MaxXValue() : TChartSeries::MaxYValue();
  if (FMultiBar == mbStacked)
    for (int i = 0; i < Count(); ++i) {
      const double V = AxisSum(PointOrigin(i, false), BarValue(i));
      if (std::isfinite(V)) M = std::max(M, V);
    }
  if (FUseYOrigin) M = std::max(M, FYOrigin);
  return M;
}

double TCustomBarSeries::MinValue() const {
  if (FMultiBar == mbStacked100) return 0;
  double M = FHorizontal ? TChartSeries::MinXValue() : TChartSeries::MinYValue();
  if (FUseYOrigin) M = std::min(M, FYOrigin);
  return M;
}

double TCustomBarSeries::MinXValue() const {
  return FHorizontal ? MinValue() : TChartSeries::MinXValue();
}
double TCustomBarSeries::MaxXValue() const {
  return FHorizontal ? MaxValue() : TChartSeries::MaxXValue();
}
double TCustomBarSeries::MinYValue() const {
  return FHorizontal ? TChartSeries::MinYValue() : MinValue();
}
double TCustomBarSeries::MaxYValue() const {
  return FHorizontal ? TChartSeries::MaxYValue() : MaxValue();
}

void TCustomBarSeries::CalcZOrder(int& MaxZ, bool Is3D) {
  if (FMultiBar != mbNone && ZOrder() < 0 && ParentChart()) {
    for (int i = 0; i < ParentChart()->SeriesCount(); ++i) {
      const TChartSeries* S = ParentChart()->GetSeries(i);
      if (S == this) break;
      if (S->Active() && SameKind(S)) {
        SetCalcZOrder(S->EffectiveZOrder());
        return;
      }
    }
  }
  TChartSeries::CalcZOrder(MaxZ, Is3D);
}

bool TCustomBarSeries::DrawValuesForward() const {
  const TChartAxis* A = CategoryAxis();
  return !(A && A->Inverted());
}

bool TCustomBarSeries::DrawSeriesForward(int ValueIndex) const {
  if (FMultiBar == mbNone || FMultiBar == mbSide) return true;
  const TChartAxis* A = ValueAxis();
  const bool Inverted = A && A->Inverted();
  const double V = BarValue(ValueIndex);
  return Inverted ? V < 0 : V >= 0;
}

void TCustomBarSeries::DrawAllValues() {
  if (!Canvas(*this)) return;
  const TChartAxis* A = CategoryAxis();
  if (A && A->Inverted()) {
    for (int i = Count() - 1; i >= 0; --i)
      if (IsDrawable(i)) DrawValue(i);
  } else {
    TChartSeries::DrawAllValues();
  }
}

TRect TCustomBarSeries::ScreenRect(int CatStart, int CatEnd, int ValStart, int ValEnd) const {
  return FHorizontal ? TRect{ValStart, CatStart, ValEnd, CatEnd}
                     : TRect{CatStart, ValStart, CatEnd, ValEnd};
}

void TCustomBarSeries::DrawValue(int ValueIndex) {
  FNormalBarColor = GetValueColor(ValueIndex);
  if (FNormalBarColor == clNone || !IsDrawable(ValueIndex)) return;
  const int V = ValuePos(ValueIndex), O = GetOriginPos(ValueIndex);
  DrawBar(ValueIndex, std::min(V, O), std::max(V, O));
}

void TCustomBarSeries::PrepareBarCanvas(TColor Color) {
  TChartCanvas3D* C = Canvas(*this);
  C->AssignVisiblePen(*FBarPen);
  if (FBarBrush->HasBitmap()) {
    C->Brush()->SetData(FBarBrush->Data());
    return;
  }
  C->Brush()->SetData(TBrushData{Color, FBarBrush->Style(), {}});
  const TColor Back = IsChartAuto(FBarBrush->Color()) ? ParentChart()->Color() : FBarBrush->Color();
  C->SetBackColor(ChartDrawColor(Back) == clNone ? clWhite : Back);
}

void TCustomBarSeries::DrawRectangle(const TRect& R, TColor Color) {
  TChartCanvas3D* C = Canvas(*this);
  if (C->Brush()->Style() == bsSolid) {
    if (R.Left == R.Right || R.Top == R.Bottom) {
      // A bar of no width or height is still seen: a line in its fill colour.
      if (C->Pen()->Style() == psClear) C->Pen()->SetStyle(psSolid);
      C->Pen()->SetColor(Color);
      C->Line(R.Left, R.Top, R.Right, R.Bottom);
      return;
    }
    const int PW = std::max(1, FBarPen->Width());
    if (R.Right - R.Left < PW || R.Bottom - R.Top < PW) {
      if (C->Pen()->Style() == psClear) C->Pen()->SetStyle(psSolid);
      C->Pen()->SetColor(Color);
      C->Brush()->SetStyle(bsClear);
    }
  }
  C->Rectangle(R.Left, R.Top, R.Right, R.Bottom);
}

void TCustomBarSeries::DrawBar(int ValueIndex, int StartPos, int EndPos) {
  TChartCanvas3D* C = Canvas(*this);
  if (!C) return;
  const TColor Color = FNormalBarColor;
  PrepareBarCanvas(Color);
  TBarStyle Style = FBarStyle;
  if (OnGetBarStyle) OnGetBarStyle(this, ValueIndex, Style);
  const int C0 = CategoryPos(ValueIndex), C1 = C0 + FBarWidth, Mid = C0 + FBarWidth / 2;
  const TRect R = ScreenRect(C0, C1, StartPos, EndPos);
  const bool D3 = Is3D(*this);
  const int Z0 = StartZ(), Z1 = EndZ(), ZM = MiddleZ();
  // A point in category (across) and value (along) coordinates on the screen. The value axis of
  // vertical bars runs upwards, so their far end is StartPos; horizontal bars grow to EndPos.
  auto Pt = [&](int Across, int Along) {
    return FHorizontal ? TPoint{Along, Across} : TPoint{Across, Along};
  };
  const int Far = FHorizontal ? EndPos : StartPos, Near = FHorizontal ? StartPos : EndPos;
  auto Triangle = [&](bool ApexFar) {
    const int Apex = ApexFar ? Far : Near, Base = ApexFar ? Near : Far;
    if (D3) {
      if (FHorizontal)
        C->Pyramid(false, ApexFar ? R.Left : R.Right, R.Top, ApexFar ? R.Right : R.Left, R.Bottom,
                   Z0, Z1, FDark3D);
      else
        C->Pyramid(true, R.Left, ApexFar ? R.Top : R.Bottom, R.Right, ApexFar ? R.Bottom : R.Top,
                   Z0, Z1, FDark3D);
    } else {
      const TPoint P[3] = {Pt(C0, Base), Pt(Mid, Apex), Pt(C1, Base)};
      C->Polygon(P);
    }
  };
  switch (Style) {
    case bsRectangle:
    case bsCilinder:
      if (!D3)
        DrawRectangle(R, Color);
      else if (Style == bsRectangle)
        C->Cube(R.Left, R.Right, R.Top, R.Bottom, Z0, Z1, FDark3D);
      else
        C->Cylinder(!FHorizontal, R.Left, R.Top, R.Right, R.Bottom, Z0, Z1, FDark3D);
      break;
    case bsPyramid:
      Triangle(true);
      break;
    case bsInvPyramid:
      Triangle(false);
      break;
    case bsEllipse:
      if (D3)
        C->EllipseWithZ(R.Left, R.Top, R.Right, R.Bottom, Z0);
      else
        C->Ellipse(R.Left, R.Top, R.Right, R.Bottom);
      break;
    case bsArrow:
      C->Arrow(true, Pt(Mid, Near), Pt(Mid, Far), FBarWidth, FBarWidth / 2, ZM);
      break;
    case bsRectGradient: {
      const TGradientDirection Dir = FHorizontal ? gdLeftRight : gdBottomTop;
      if (!D3) {
        C->GradientFill(R, clWhite, Color, Dir);
        if (FBarPen->Visible()) {
          C->Brush()->SetStyle(bsClear);
          C->Rectangle(R.Left, R.Top, R.Right, R.Bottom);
        }
      } else {
        C->Cube(R.Left, R.Right, R.Top, R.Bottom, Z0, Z1, FDark3D);
        TPoint A = C->Calculate3DPosition(R.Left, R.Top, Z0);
        TPoint B = C->Calculate3DPosition(R.Right, R.Bottom, Z0);
        if (FBarPen->Visible()) {
          A.X += 1;
          A.Y += 1;
          B.X -= FBarPen->Width() - 1;
          B.Y -= FBarPen->Width() - 1;
        }
        C->GradientFill({A.X, A.Y, B.X, B.Y}, clWhite, Color, Dir);
      }
      break;
    }
  }
}

int TCustomBarSeries::Clicked(int X, int Y) const {
  const int Base = TChartSeries::Clicked(X, Y);
  if (Base != -1 || !ParentChart() || Count() == 0) return Base;
  if (const TChartCanvas3D* C = Canvas(*this)) C->Calculate2DPosition(X, Y, StartZ());
  for (int i = 0; i < Count(); ++i)
    if (IsDrawable(i) && InternalClicked(i, {X, Y})) return i;
  return -1;
}

bool TCustomBarSeries::InternalClicked(int ValueIndex, TPoint P) const {
  const int C0 = CategoryPos(ValueIndex), C1 = C0 + FBarWidth;
  int V0 = ValuePos(ValueIndex), V1 = GetOriginPos(ValueIndex);
  if (V0 > V1) std::swap(V0, V1);
  const int Across = FHorizontal ? P.Y : P.X, Along = FHorizontal ? P.X : P.Y;
  if (Across < C0 || Across > C1) return false;
  TBarStyle Style = FBarStyle;
  if (OnGetBarStyle) OnGetBarStyle(const_cast<TCustomBarSeries*>(this), ValueIndex, Style);
  const int Far = FHorizontal ? V1 : V0, Near = FHorizontal ? V0 : V1;
  const int Mid = C0 + FBarWidth / 2;
  auto InTriangle = [&](int Apex, int Base) {
    const TPoint T[3] = {FHorizontal ? TPoint{Base, C0} : TPoint{C0, Base},
                         FHorizontal ? TPoint{Apex, Mid} : TPoint{Mid, Apex},
                         FHorizontal ? TPoint{Base, C1} : TPoint{C1, Base}};
    return PointInPolygon(P, T);
  };
  switch (Style) {
    case bsPyramid:
      return InTriangle(Far, Near);
    case bsInvPyramid:
      return InTriangle(Near, Far);
    case bsEllipse:
      return PointInEllipse(P, ScreenRect(C0, C1, V0, V1));
    default:
      return Along >= V0 && Along <= V1;
  }
}

void TCustomBarSeries::PrepareLegendCanvas(int, TColor& BackColor, TBrushStyle& Style) {
  if (TChartCanvas3D* C = Canvas(*this)) C->AssignVisiblePen(*FBarPen);
  Style = FBarBrush->Style();
  BackColor = IsChartAuto(FBarBrush->Color()) ? ParentChart()->Color() : FBarBrush->Color();
}

void TCustomBarSeries::DrawLegendShape(int ValueIndex, const TRect& R) {
  TChartCanvas3D* C = Canvas(*this);
  if (!C) return;
  if (FBarBrush->HasBitmap()) C->Brush()->SetBitmapImage(FBarBrush->BitmapImage());
  TChartSeries::DrawLegendShape(ValueIndex, R);
}

void TCustomBarSeries::DrawMark(int ValueIndex, const QString& Text, TSeriesMarkPosition& P) {
  if (P.UserMoved) {
    TChartSeries::DrawMark(ValueIndex, Text, P);
    return;
  }
  const int L = Marks()->ArrowLength(), Origin = GetOriginPos(ValueIndex);
  // From where the base put the mark to the bar's value end at its start edge.
  const TPoint Anchor = FHorizontal ? TPoint{ValuePos(ValueIndex), CategoryPos(ValueIndex)}
                                    : TPoint{CategoryPos(ValueIndex), ValuePos(ValueIndex)};
  MoveMark(P, Anchor.X - P.ArrowStart.X, Anchor.Y - P.ArrowStart.Y);
  if (!FHorizontal) {
    MoveMark(P, FBarWidth / 2, 0);
    // A bar hanging below its origin gets its mark below its end.
    const int D = Origin < P.ArrowStart.Y ? -(L + P.Height) : L;
    P.ArrowEnd.Y -= D;
    P.TopLeft.Y -= D;
  } else {
    const int D = Origin > P.ArrowStart.X ? -(L + P.Width) : L;
    P.ArrowEnd.X += D;
    P.ArrowStart.Y += FBarWidth / 2;
    P.ArrowEnd.Y += FBarWidth / 2;
    P.TopLeft.X += D + P.Width / 2;
    P.TopLeft.Y += FBarWidth / 2 + P.Height / 2;
  }
  TChartSeries::DrawMark(ValueIndex, Text, P);
}

void THorizBarSeries::FillSampleValues(int NumValues) {
  if (NumValues < 1) throw BarException(BarMessages::FillSampleValues);
  Clear();
  double Y = ParentChart() ? ParentChart()->LeftAxis()->Minimum() : 0;
  auto Random = [](int N) { return int(QRandomGenerator::global()->bounded(N)); };
  double X = Random(1000) + 1000;
  for (int i = 0; i < NumValues; ++i) {
    X += Random(500) - 250;
    AddXY(X, Y);
    Y += 1;
  }
}
