#include "plot/layers/series.h"

#include <QMenu>
#include <QStringList>
#include <algorithm>
#include <cmath>

#include "platform/canvas.h"
#include "plot/core/graph_float_lists.h"
#include "plot/core/graph_text_file.h"
#include "plot/core/graph_utils.h"

namespace {
const QString DataClass = QStringLiteral("TGraphData");

// The fields of Line up to Count blank-separated ones, and the rest after exactly one blank.
QStringList SplitWithRest(const QString& Line, int Count, QString& Rest) {
  QStringList Fields;
  int Pos = 0;
  for (int I = 0; I < Count; ++I) {
    while (Pos < Line.size() && Line[Pos] == QLatin1Char(' ')) ++Pos;
    int Start = Pos;
    while (Pos < Line.size() && Line[Pos] != QLatin1Char(' ')) ++Pos;
    if (Start == Pos) break;
    Fields << Line.mid(Start, Pos - Start);
  }
  // One blank separates the last field from the text; more blanks belong to the text.
  Rest = Pos < Line.size() ? Line.mid(Pos + 1) : QString();
  return Fields;
}

int Int(TGraphTextReader& F, const QString& S) {
  int V = 0;
  if (!ParseGraphFileInt(S, V)) F.Fail(QStringLiteral("Invalid number"));
  return V;
}

double Real(TGraphTextReader& F, const QString& S) {
  double V = 0;
  if (!ParseGraphFileReal(S, V)) F.Fail(QStringLiteral("Invalid number"));
  return V;
}

QString Flag(bool B) { return B ? QStringLiteral("1") : QStringLiteral("0"); }

// A value from a file kept within what the drawing can take.
int Within(int V, int Lo, int Hi) { return std::clamp(V, Lo, Hi); }
}  // namespace

QString OneLine(const QString& S) {
  QString R = S;
  for (QChar& C : R)
    if (C == QLatin1Char('\n') || C == QLatin1Char('\r')) C = QLatin1Char(' ');
  return R;
}

int GraphPixelUnit(TGraph* Graph) {
  if (!Graph || !Graph->Device().Printing) return 1;
  TCanvas* C = Graph->DrawCanvas();
  if (!C) return 1;
  C->Font()->SetSize(1);
  return std::max(1, C->TextWidth(QStringLiteral("a")));
}

// --- TGraphData ---------------------------------------------------------------------------------

TGraphData::TGraphData(TGraph* AGraph, TSeries* AOwner, TColor AColor, const QString& AName)
    : Graph(AGraph), Owner(AOwner), Color(AColor), Name(AName) {}

void TGraphData::Save(TGraphTextWriter& F) const {
  F.WriteLine(DataClass);
  F.WriteLine(QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8 %9 %10 %11 %12")
                  .arg(Tag)
                  .arg(GraphFileReal(StartX), GraphFileReal(StartY), GraphFileReal(X),
                       GraphFileReal(Y), Flag(Pickable), Flag(Reserved1))
                  .arg(Reserved2)
                  .arg(static_cast<int>(Color))
                  .arg(Reserved3)
                  .arg(Marker ? 0 : 1)
                  .arg(OneLine(Name)));
  if (Marker) Marker->Save(F);
  F.WriteLine(DataClass);
}

std::unique_ptr<TGraphData> TGraphData::Load(TSeries* Series, TGraphTextReader& F) {
  auto P = std::make_unique<TGraphData>(Series->Graph, Series);
  QString Rest;
  QStringList V = SplitWithRest(F.ReadLine(), 11, Rest);
  if (V.size() < 11) F.Fail(QStringLiteral("Missing number"));
  P->Tag = Int(F, V[0]);
  P->StartX = Real(F, V[1]);
  P->StartY = Real(F, V[2]);
  P->X = Real(F, V[3]);
  P->Y = Real(F, V[4]);
  P->Pickable = Int(F, V[5]) == 1;
  P->Reserved1 = Int(F, V[6]) == 1;
  P->Reserved2 = Int(F, V[7]);
  P->Color = static_cast<TColor>(Int(F, V[8]));
  P->Reserved3 = Int(F, V[9]);
  const bool NoMarker = Int(F, V[10]) != 0;
  P->Name = Rest.trimmed();
  if (!NoMarker) P->Marker = TMarker::Load(Series, F);
  F.ReadClosingLine(DataClass);
  return P;
}

// --- TSeries: creation --------------------------------------------------------------------------

TSeries::TSeries(TGraph* AGraph) : TLayer(AGraph) {}

TSeries::TSeries(TGraph* AGraph, TColor AColor, int AKind, const QString& AName) : TLayer(AGraph) {
  Name = AName;
  Color = AColor;
  FKind = AKind;
  SetMarkerSize(4);
  SetMarkerStyle(0);
  SetMarkerPenColor(AColor);
  SetMouseActive(true);
  SetVisible(true);
  PickTolerance = 0.01;
}

TSeries::~TSeries() = default;

void TSeries::Assign(const TSeries& S) {
  Name = S.Name;
  Color = S.Color;
  SetMouseActive(S.MouseActive());
  Visible = S.Visible;
  CanSelect = S.CanSelect;
  CanSelectPoints = S.CanSelectPoints;
  PointColors = S.PointColors;
  DragState = S.DragState;
  ShowMarkers = S.ShowMarkers;
  LineStyle = S.LineStyle;
  LineWidth = S.LineWidth;
  MarkerStyle = S.MarkerStyle;
  FMarkerSize = S.FMarkerSize;
  MarkerPenColor = S.MarkerPenColor;
  MarkerFillColor = S.MarkerFillColor;
  FKind = S.FKind;
  FBarWidth = S.FBarWidth;
  BarFlag = S.BarFlag;
  MarkerStep = S.MarkerStep;
  Reserved4 = S.Reserved4;
  FillFollowsColor = S.FillFollowsColor;
  MoveDefault = S.MoveDefault;
  DownDefault = S.DownDefault;
  UpDefault = S.UpDefault;
  InfoShift = S.InfoShift;
  SelectShift = S.SelectShift;
  DeleteShift = S.DeleteShift;
  PickTolerance = 0.01;
}

// --- Points -------------------------------------------------------------------------------------

TGraphData* TSeries::AddPoint(TColor AColor, const QString& AName, double AX, double AY) {
  auto P = std::make_unique<TGraphData>(Graph, this, AColor, AName);
  P->X = AX;
  P->Y = AY;
  if (FPoints.empty()) {
    P->StartX = AX;
    P->StartY = AY;
  } else {
    P->StartX = FPoints.back()->X;
    P->StartY = FPoints.back()->Y;
  }
  P->Reserved2 = 0;
  P->Marker = TMarker::CreateStyled(Graph, this, MarkerStyle, FMarkerSize, MarkerPenColor);
  P->Marker->FillColor = MarkerFillColor;
  FPoints.push_back(std::move(P));
  Graph->DataChanged();
  return FPoints.back().get();
}

void TSeries::Clear() {
  FPoints.clear();
  Graph->DataChanged();
}

TGraphData* TSeries::PointAt(int Index) const {
  if (FPoints.empty()) return nullptr;
  Index = std::clamp(Index, 0, Count() - 1);
  CurrentIndex = Index;
  return FPoints[Index].get();
}

bool TSeries::GetPoint(int Index, TDoublePoint& P) const {
  if (FPoints.empty() || Index < 0) return false;
  CurrentIndex = Index;
  if (Index == 0) {
    P = {FPoints[0]->StartX, FPoints[0]->StartY};
  } else {
    const TGraphData& D = *FPoints[std::min(Index, Count() - 1)];
    P = {D.X, D.Y};
  }
  return true;
}

bool TSeries::GetPointName(int Index, QString& AName) const {
  const TGraphData* P = PointAt(Index);
  if (!P) return false;
  AName = P->Name;
  return true;
}

TGraphData* TSeries::SetPointColor(int Index, TColor AColor) {
  TGraphData* P = PointAt(Index);
  if (P) P->Color = AColor;
  return P;
}

TColor TSeries::PointColor(int Index) const {
  const TGraphData* P = PointAt(Index);
  return P ? P->Color : 0;
}

void TSeries::DeletePoint(int Index) {
  if (Index < 0 || Index >= Count()) return;
  if (!Segments) {
    if (Index + 1 < Count()) {
      TGraphData& Next = *FPoints[Index + 1];
      if (Index == 0) {
        // The new first point starts at itself.
        Next.StartX = Next.X;
        Next.StartY = Next.Y;
      } else {
        Next.StartX = FPoints[Index - 1]->X;
        Next.StartY = FPoints[Index - 1]->Y;
      }
    }
  }
  FPoints.erase(FPoints.begin() + Index);
  Graph->DataChanged();
  if (CurrentIndex >= Count()) CurrentIndex = std::max(0, Count() - 1);
}

double TSeries::PointY(int J) const {
  TDoublePoint P;
  return GetPoint(J, P) && J < Count() ? P.Y : MissingValue;
}

// --- Appearance ---------------------------------------------------------------------------------

void TSeries::SetMarkerStyle(int Style) {
  MarkerStyle = Style;
  for (auto& P : FPoints)
    if (P->Marker) P->Marker->Style = Style;
  if (TSeriesLegend* E = Legend()) AssignLegend(*E);
}

void TSeries::SetMarkerSize(int Size) {
  // Bars set it from their pixel width, which can be anything; the file holds only this range.
  FMarkerSize = std::clamp(Size, 0, MaxMarkerSize);
  Size = FMarkerSize;
  for (auto& P : FPoints)
    if (P->Marker) P->Marker->Size = Size;
  if (TSeriesLegend* E = Legend()) AssignLegend(*E);
}

void TSeries::SetMarkerPenColor(TColor C) {
  MarkerPenColor = C;
  for (auto& P : FPoints)
    if (P->Marker) P->Marker->Color = C;
  if (TSeriesLegend* E = Legend()) AssignLegend(*E);
}

void TSeries::SetMarkerFillColor(TColor C) {
  MarkerFillColor = C;
  for (auto& P : FPoints)
    if (P->Marker) P->Marker->FillColor = C;
  if (TSeriesLegend* E = Legend()) AssignLegend(*E);
}

void TSeries::SetLineWidth(int W) {
  LineWidth = W;
  if (TSeriesLegend* E = Legend()) AssignLegend(*E);
}

void TSeries::SetLineStyle(int S) {
  LineStyle = S;
  if (TSeriesLegend* E = Legend()) AssignLegend(*E);
}

void TSeries::SetColor(TColor Value) {
  TLayer::SetColor(Value);
  if (FillFollowsColor) SetMarkerFillColor(Value);
  if (TSeriesLegend* E = Legend()) AssignLegend(*E);
}

void TSeries::SetVisible(bool Value) {
  if (TSeriesLegend* E = Legend()) E->Visible = Value;
  TLayer::SetVisible(Value);
}

TColor TSeries::GetColor() const {
  if (PointColors && !FPoints.empty()) return PointColor(CurrentIndex);
  return Color;
}

int TSeries::LinePixelWidth() const {
  if (!Graph || !Graph->Device().Printing) return LineWidth;
  TCanvas* C = Graph->DrawCanvas();
  if (!C) return LineWidth;
  C->Font()->SetSize(std::clamp(LineWidth, 1, 1000));
  return C->TextWidth(QStringLiteral("a"));
}

void TSeries::SetSeriesKind(int AKind) {
  FKind = AKind;
  Graph->DataChanged();
  // The kind-10 geometry sets the marker size as it goes.
  if (AKind == skZOrderedBar && !FPoints.empty()) BarPolygon(0);
}

// --- Values -------------------------------------------------------------------------------------

void TSeries::GetExtent(double& XMin, double& XMax, double& YMin, double& YMax) {
  XMin = YMin = 1e38;
  XMax = YMax = -1e38;
  auto WidenX = [&](double V) {
    if (std::isfinite(V)) WidenRange(XMin, XMax, V);
  };
  auto WidenY = [&](double V) {
    if (std::isfinite(V)) WidenRange(YMin, YMax, V);
  };
  for (int I = 0; I < Count(); ++I) {
    const TGraphData& P = *FPoints[I];
    WidenX(P.StartX);
    WidenX(P.X);
    // The last step has no height of its own.
    if (FKind == skPiecewiseConstant && I == Count() - 1) continue;
    WidenY(P.StartY);
    WidenY(P.Y);
  }
  if (XMin > XMax || YMin > YMax) return;  // nothing finite
  if (Graph->LayerCount() == 1) {
    if (XMin == XMax) {
      if (XMin != 0) {
        const long double D = std::fabs(XMin) / 10.0L;
        XMin = Saturated(XMin - D), XMax = Saturated(XMax + D);
      } else {
        XMin = -0.1, XMax = 0.1;
      }
    }
    if (YMin == YMax) {
      if (YMin != 0) {
        const long double D = std::fabs(YMin) / 10.0L;
        YMin = Saturated(YMin - D), YMax = Saturated(YMax + D);
      } else {
        YMin = -0.1, YMax = 1.0;
      }
    }
  }
  if ((FKind == skBar || FKind == skZOrderedBar) && !CurrentYLogOf()) {
    if (YMin < 0 && YMax < 0) YMax = 0;
    if (YMin > 0) YMin = 0;
  }
}

bool TSeries::CurrentYLogOf() const { return Graph->AxisLog(GetOnYAxis2() ? gaYAxis2 : gaYAxis); }
bool TSeries::CurrentXLogOf() const { return Graph->AxisLog(GetOnXAxis2() ? gaXAxis2 : gaXAxis); }

double TSeries::ValueAt(double AX, double Yref) const {
  double Result = MissingValue;
  std::vector<double> Dist, Cand;
  const bool YLog = CurrentYLogOf();
  for (int I = Count() - 1; I >= 0; --I) {
    const TGraphData& P = *FPoints[I];
    if (!(AX >= std::min(P.StartX, P.X) && AX <= std::max(P.StartX, P.X))) continue;
    double Y0 = YLog ? Graph->LogValue(P.StartY) : P.StartY;
    double Y1 = YLog ? Graph->LogValue(P.Y) : P.Y;
    double C;
    if (FKind == skPiecewiseConstant || P.StartX == P.X) {
      C = Y0;
    } else {
      const double S = (Y1 - Y0) / (P.X - P.StartX);
      C = S * AX + ((Y1 + Y0) - (P.X + P.StartX) * S) / 2;
    }
    if (YLog) C = std::pow(10.0, C);
    Dist.push_back((Yref - C) * (Yref - C));
    Cand.push_back(C);
    Result = C;
  }
  if (Result == MissingValue && Count() > 0) {
    TDoubleRect R;
    const bool X2 = Graph->UseX2, Y2 = Graph->UseY2;
    Graph->UseX2 = GetOnXAxis2();
    Graph->UseY2 = GetOnYAxis2();
    Graph->GetCurrentRanges(R);
    Graph->UseX2 = X2;
    Graph->UseY2 = Y2;
    const double W = std::fabs(R.Left - R.Right);
    // Over a range of no width nothing is near an end.
    if (W > 0 && std::isfinite(W)) {
      TDoublePoint V;
      if (std::fabs(AX - std::max(R.Left, R.Right)) / W < 0.05 && GetPoint(Count() - 1, V))
        Result = V.Y;
      if (Result == MissingValue && std::fabs(AX - std::min(R.Left, R.Right)) / W < 0.05 &&
          GetPoint(0, V))
        Result = V.Y;
    }
  }
  if (Cand.empty()) return Result;
  size_t Best = 0;
  for (size_t I = 1; I < Dist.size(); ++I)
    if (Dist[I] < Dist[Best]) Best = I;
  return Cand[Best];
}

double TSeries::SnapX(double AX, double Yref) const {
  if (FPoints.empty()) return MissingValue;
  const int N = static_cast<int>(
      std::min<long long>((SeriesBarPixelWidth() / 2 + 1LL) * GraphPixelUnit(Graph), 1 << 30));
  const double TolX = std::fabs(Graph->PixelToX(N) - Graph->PixelToX(0));
  const double TolY = std::fabs(Graph->PixelToY(N) - Graph->PixelToY(0));
  if (FKind == skLine || FKind == skArrow || (FKind == skLineAndPoint && !MouseOnMarker)) return AX;
  TDoublePoint Last;
  GetPoint(Count() - 1, Last);
  double BestDist = FKind == skPoints ? TolX : std::fabs(AX - Last.X);
  double BestX = Last.X;
  for (int I = Count() - 1; I >= 0; --I) {
    TDoublePoint V;
    GetPoint(I, V);
    const double D = std::fabs(AX - V.X);
    if (FKind == skPoints && D <= BestDist && std::fabs(Yref - V.Y) <= TolY) return V.X;
    if (D <= BestDist) {
      BestDist = D;
      BestX = V.X;
    }
  }
  return BestX;
}

int TSeries::NearestPoint(double AX, double AY) const {
  int Best = -1;
  double BestD = 0;
  TDoublePoint V;
  for (int I = 0; I < Count(); ++I) {
    GetPoint(I, V);
    const double D = std::fabs(AX - V.X) + std::fabs(AY - V.Y);
    if (Best < 0 || D < BestD) Best = I, BestD = D;
  }
  return Best;
}

int TSeries::BarPixelWidth2(int N8, int N10) const {
  if (FKind != skBar && FKind != skZOrderedBar) return FMarkerSize;
  if (N8 < 1 && N10 < 1) return FMarkerSize;
  const int Ten = 10 * GraphPixelUnit(Graph);
  const int N = FKind == skBar ? N8 : N10;
  // One bar, no bars, or a secondary log axis give no spacing to divide.
  if (N < 2 || (GetOnXAxis2() && Graph->AxisLog(gaXAxis2))) return Ten;
  TDoubleRect R;
  const bool X2 = Graph->UseX2;
  Graph->UseX2 = GetOnXAxis2();
  Graph->GetLogRanges(R);
  const double Scale = Graph->UseX2 ? Graph->ScaleX2 : Graph->ScaleX;
  Graph->UseX2 = X2;
  const double W = (R.Right - R.Left) * FBarWidth / (2.0 * (N - 1));
  return std::abs(SaturatePixel(static_cast<long double>(Scale) * W));
}

// --- Legend -------------------------------------------------------------------------------------

void TSeries::AssignLegend(TSeriesLegend& E) {
  E.Text = Name;
  E.Marker.Color = MarkerPenColor;
  E.Marker.FillColor = MarkerFillColor;
  E.Marker.Style = MarkerStyle;
  E.Marker.Size = FMarkerSize;
  E.Marker.MarkerFlag = ShowMarkers;
  E.ShowMarkers = ShowMarkers;
  E.Kind = FKind;
  E.Color = Color;
  E.LineWidth = LineWidth;
  E.Layer = this;
  E.LineStyle = LineStyle;
}

TSeriesLegend* HeldLegend(TGraph* Graph, std::uint64_t Serial) {
  if (!Graph || !Graph->Legend || Serial == 0) return nullptr;
  return dynamic_cast<TSeriesLegend*>(Graph->Legend->ItemBySerial(Serial));
}

TSeriesLegend* TSeries::Legend() const { return HeldLegend(Graph, FLegendSerial); }

void TSeries::SetLegend(TSeriesLegend* Entry) {
  FLegendSerial = Entry ? Entry->Serial : 0;
  if (Entry) AssignLegend(*Entry);
}

void TSeries::SetHasLegend(bool Has) {
  TSeriesLegend* E = Legend();
  if (!Has) {
    if (E) Graph->Legend->DeleteItem(Graph->Legend->IndexOfItem(E));
    FLegendSerial = 0;
    return;
  }
  if (!E && Graph && Graph->Legend) {
    E = static_cast<TSeriesLegend*>(Graph->Legend->AddItem(std::make_unique<TSeriesLegend>(Graph)));
    FLegendSerial = E->Serial;
  }
  if (!E) return;
  E->Visible = Visible;
  AssignLegend(*E);
}

void TSeries::DeleteSelf() {
  const int I = Graph->IndexOfLayer(this);
  if (I < 0) return;  // not the graph's to free
  TGraph* G = Graph;
  std::unique_ptr<TLayer> Self = G->DeleteLayer(I);
  Self.reset();  // takes its legend entry along
  G->Repaint();
}

// --- File ---------------------------------------------------------------------------------------

void TSeries::Save(TGraphTextWriter& F) const {
  F.WriteLine(ClassName());
  SaveLayerBlock(F);
  SaveSeriesLines(F);
  for (auto& P : FPoints) P->Save(F);
  F.WriteLine(ClassName());
}

// The layer block, with a name that cannot break its line.
void TSeries::SaveLayerBlock(TGraphTextWriter& F) const {
  TGraphTextWriter Base;
  SaveBase(Base);
  QByteArray B = Base.Data();
  const QByteArray Head = ClassName().toUtf8() + '\n';
  if (B.startsWith(Head) && B.endsWith('\n' + Head)) {
    QByteArray Mid = B.mid(Head.size(), B.size() - 2 * Head.size());
    F.WriteLine(ClassName());
    F.WriteLine(OneLine(QString::fromUtf8(Mid.chopped(Mid.endsWith('\n') ? 1 : 0))));
    F.WriteLine(ClassName());
  } else {
    SaveBase(F);
  }
}

void TSeries::SaveSeriesLines(TGraphTextWriter& F) const {
  F.WriteLine(QStringLiteral("%1 %2 %3 ").arg(InfoShift).arg(SelectShift).arg(DeleteShift));
  F.WriteLine(QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8 %9 %10 %11 %12 %13")
                  .arg(MarkerStyle)
                  .arg(LineWidth)
                  .arg(FMarkerSize)
                  .arg(static_cast<int>(MarkerPenColor))
                  .arg(static_cast<int>(MarkerFillColor))
                  .arg(MarkerStep)
                  .arg(Flag(FillFollowsColor))
                  .arg(Count())
                  .arg(FKind)
                  .arg(LineStyle)
                  .arg(GraphFileReal(FBarWidth), Flag(ShowMarkers), OneLine(Comment)));
  F.WriteLine(QStringList{Flag(BarFlag), Flag(CanDelete), Flag(CanHide), Flag(CanSelect),
                          Flag(CanSelectPoints), Flag(MoveDefault), Flag(DownDefault),
                          Flag(UpDefault), Flag(Reserved4), Flag(PointColors),
                          Flag(Legend() == nullptr), Flag(InfoEnabled)}
                  .join(QLatin1Char(' ')));
}

void TSeries::Load(TGraphTextReader& F) {
  F.ReadClosingLine(ClassName());
  LoadBase(F);
  int PointCount = 0;
  bool NoLegend = true;
  LoadSeriesLines(F, PointCount, NoLegend);
  LoadPoints(F, PointCount);
  SetHasLegend(!NoLegend);
  Graph->DataChanged();
  F.ReadClosingLine(ClassName());
  FMenuFromFields = true;
  SetPopupMenu(nullptr);
}

void TSeries::LoadSeriesLines(TGraphTextReader& F, int& PointCount, bool& NoLegend) {
  FPoints.clear();
  std::vector<int> S = F.ReadIntegers(3);
  InfoShift = S[0] & 0xFF;
  SelectShift = S[1] & 0xFF;
  DeleteShift = S[2] & 0xFF;
  QString Rest;
  QStringList V = SplitWithRest(F.ReadLine(), 12, Rest);
  if (V.size() < 12) F.Fail(QStringLiteral("Missing number"));
  const int Style = Int(F, V[0]);
  LineWidth = Within(Int(F, V[1]), 0, 1000);
  FMarkerSize = Within(Int(F, V[2]), 0, MaxMarkerSize);
  MarkerPenColor = static_cast<TColor>(Int(F, V[3]));
  MarkerFillColor = static_cast<TColor>(Int(F, V[4]));
  MarkerStep = Int(F, V[5]);
  const int Follows = Int(F, V[6]);
  PointCount = Int(F, V[7]);
  const int K = Int(F, V[8]);
  const int LStyle = Int(F, V[9]);
  const double BW = Real(F, V[10]);
  const int Show = Int(F, V[11]);
  Comment = Rest;
  if (Style < 0 || Style > MaxMarkerStyle) F.Fail(QStringLiteral("Invalid marker style"));
  if (PointCount < 0) F.Fail(QStringLiteral("Invalid point count"));
  if (K < 1 || K > 10 || K == 9) F.Fail(QStringLiteral("Invalid series kind"));
  if (!std::isfinite(BW) || BW < 0 || BW > 100) F.Fail(QStringLiteral("Invalid bar width"));
  FBarWidth = BW;
  std::vector<int> W = F.ReadIntegers(12);
  FillFollowsColor = Follows == 1;
  ShowMarkers = Show == 1;
  SetSeriesKind(K);
  SetLineStyle(Within(LStyle, 0, 5));
  BarFlag = W[0] == 1;
  CanDelete = W[1] == 1;
  CanHide = W[2] == 1;
  CanSelect = W[3] == 1;
  CanSelectPoints = W[4] == 1;
  MoveDefault = W[5] == 1;
  DownDefault = W[6] == 1;
  UpDefault = W[7] == 1;
  Reserved4 = W[8] == 1;
  PointColors = W[9] == 1;
  NoLegend = W[10] != 0;
  InfoEnabled = W[11] == 1;
  SetMarkerStyle(Style);
}

void TSeries::LoadPoints(TGraphTextReader& F, int PointCount) {
  // A hostile count runs into the end of the file long before memory runs out: every point
  // costs at least three lines, and nothing is reserved ahead.
  for (int I = 0; I < PointCount; ++I) {
    F.ReadClosingLine(DataClass);
    FPoints.push_back(TGraphData::Load(this, F));
  }
}

// --- Registration -------------------------------------------------------------------------------

void RegisterSeriesLayerClasses() {
  RegisterLayerClass(QStringLiteral("TSeries"),
                     [](TGraph* G) { return std::make_unique<TSeries>(G); });
}
