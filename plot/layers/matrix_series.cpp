// The matrix series: drawing, cells under the mouse, legend entries and the file block.
#include "plot/layers/matrix_series.h"

#include <QStringList>
#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/canvas.h"
#include "platform/cursors.h"
#include "platform/shift_state.h"
#include "plot/core/graph.h"
#include "plot/core/graph_axis.h"
#include "plot/core/graph_text_file.h"
#include "plot/core/graph_utils.h"

namespace {
// More cells than this cannot be a real matrix; the count would also overflow the grid's index.
constexpr long long MaxCells = 1 << 24;

bool Usable(double V) { return std::isfinite(V) && V != MissingValue && V != -MissingValue; }

// Rounds halves up, so that x = 0.5 belongs to cell 1, and holds the result to 1..N.
int CellIndex(double V, int N) {
  if (N < 1) return 1;
  if (!(V == V)) return 1;
  const double R = std::floor(V + 0.5);
  if (R < 1) return 1;
  if (R > N) return N;
  return static_cast<int>(R);
}
}  // namespace

TMatrixSeries::TMatrixSeries(TGraph* AGraph, int NX, int NY)
    : TSeries(AGraph, 0xFF, 9, QString()),
      Matrix(std::max(NX, 1), std::max(NY, 1)),
      Texts(std::max(NX, 1), std::max(NY, 1)),
      PositiveMarker(AGraph, this, 2, 8, 0xFF),
      NegativeMarker(AGraph, this, 8, 8, 0xFF0000) {
  PositiveMarker.FillColor = 0xFF;
  NegativeMarker.FillColor = 0xFF0000;
  PositiveMarker.MarkerFlag = NegativeMarker.MarkerFlag = true;
  PositiveMarker.Shade = NegativeMarker.Shade = 3;
  SetHasLegend(false);  // the two sign entries stand for this series
  ListLegends(true);
  if (TSeriesLegend* E = PositiveLegend()) E->Text = QStringLiteral("Positive");
  if (TSeriesLegend* E = NegativeLegend()) E->Text = QStringLiteral("Negative");
  FixAxes();
  SetVisible(true);
  // Resting on a cell shows its bubble while the info layer is visible.
  HoverInfo = true;
}

bool TMatrixSeries::PointNameAt(int, double X, double Y, QString& AName) const {
  AName = TextAt(X, Y);
  return true;
}

void TMatrixSeries::FixAxes() {
  if (!Graph || !Graph->XAxis || !Graph->YAxis) return;
  Graph->XAxis->AutoMin = Graph->XAxis->AutoMax = false;
  Graph->XAxis->Min = 0.5;
  Graph->XAxis->Max = Matrix.NX + 0.5;
  Graph->YAxis->AutoMin = Graph->YAxis->AutoMax = false;
  Graph->YAxis->Min = 0.5;
  Graph->YAxis->Max = Matrix.NY + 0.5;
}

void TMatrixSeries::Resize() {
  Texts = TStringMatrix(Matrix.NX, Matrix.NY);
  FixAxes();
  if (Graph) Graph->DataChanged();
}

void TMatrixSeries::GetExtent(double& XMin, double& XMax, double& YMin, double& YMax) {
  XMin = 0;
  XMax = Matrix.NX + 1;
  YMin = 0;
  YMax = Matrix.NY + 1;
}

void TMatrixSeries::CellAt(double X, double Y, int& I, int& J) const {
  I = CellIndex(X, Matrix.NX);
  J = CellIndex(Y, Matrix.NY);
}

int TMatrixSeries::PointIndexAt(double X, double Y) const {
  int I, J;
  CellAt(X, Y, I, J);
  return (I - 1) + Matrix.NX * (J - 1);
}

double TMatrixSeries::ValueAt(double X, double Y) const {
  int I, J;
  CellAt(X, Y, I, J);
  return Matrix.GetValue(I, J);
}

QString TMatrixSeries::TextAt(double X, double Y) const {
  int I, J;
  CellAt(X, Y, I, J);
  return Texts.GetValue(I, J);
}

bool TMatrixSeries::HitCell(double X, double Y, int& I, int& J) const {
  if (!(X >= 0.5 && X < Matrix.NX + 0.5 && Y >= 0.5 && Y < Matrix.NY + 0.5)) return false;
  CellAt(X, Y, I, J);
  return std::abs(X - I) <= 0.25 && std::abs(Y - J) <= 0.25;
}

void TMatrixSeries::DrawRange(double& Start, double& End) const {
  Start = UseLevelStart ? LevelStart : Matrix.ZMin;
  End = UseLevelEnd ? LevelEnd : Matrix.ZMax;
}

int TMatrixSeries::MarkerPixelSize(double V) const {
  double Start = Matrix.ZMin, End = Matrix.ZMax;
  if (!UseAbsoluteRange) DrawRange(Start, End);
  const double M = std::max(std::abs(End), std::abs(Start));
  const double T = M > 0 && std::isfinite(M) ? std::abs(V / M) : 0;
  if (!std::isfinite(T)) return 0;
  // Saturated pixels of a tiny range lie near the integer limits: their differences are taken
  // in floating point and saturated again.
  auto Span = [](int A, int B) { return std::abs(static_cast<long double>(A) - B); };
  const long double SX = Span(Graph->XToPixel(T), Graph->XToPixel(0));
  const long double SY = Span(Graph->YToPixel(T), Graph->YToPixel(0));
  const long double UX = Span(Graph->XToPixel(1), Graph->XToPixel(0));
  const long double UY = Span(Graph->YToPixel(1), Graph->YToPixel(0));
  return SaturatePixel(UX <= UY ? SX : SY);
}

void TMatrixSeries::SetCurrentMarkerStyle(int Style) {
  CurrentMarker().Style = Style;
  ++MarkerToggle;
  UpdateLegends();
}

void TMatrixSeries::SetCurrentMarkerColor(TColor C) {
  CurrentMarker().Color = C;
  UpdateLegends();
}

void TMatrixSeries::SetCurrentMarkerFillColor(TColor C) {
  CurrentMarker().FillColor = C;
  UpdateLegends();
}

void TMatrixSeries::SetColor(TColor Value) {
  TLayer::SetColor(Value);
  PositiveMarker.Color = Value;
  UpdateLegends();
}

void TMatrixSeries::LegendOf(TSeriesLegend& E, const TMarker& M, const QString& Sign) const {
  E.Text = Sign + Name;
  E.Kind = skPoints;
  E.Color = GetColor();
  E.Marker.Style = M.Style;
  E.Marker.FillColor = M.FillColor;
  E.Marker.Color = GetColor();
  E.Marker.Size = 8;
  E.Marker.MarkerFlag = true;
  E.Visible = Visible;
}

void TMatrixSeries::UpdateLegends() {
  if (TSeriesLegend* E = PositiveLegend()) LegendOf(*E, PositiveMarker, QStringLiteral(" + "));
  if (TSeriesLegend* E = NegativeLegend()) LegendOf(*E, NegativeMarker, QStringLiteral(" - "));
}

void TMatrixSeries::ListLegends(bool Listed) {
  if (!Graph || !Graph->Legend) return;
  TWLegend& Box = *Graph->Legend;
  for (std::uint64_t* S : {&FPositiveSerial, &FNegativeSerial}) {
    TLegend* E = Box.ItemBySerial(*S);
    if (!Listed) {
      if (E) Box.DeleteItem(Box.IndexOfItem(E));
      *S = 0;
    } else if (!E) {
      E = Box.AddItem(std::make_unique<TSeriesLegend>(Graph));
      E->Layer = this;
      *S = E->Serial;
    }
  }
}

void TMatrixSeries::SetShaded(bool Value) {
  TLayer::SetShaded(Value);
  ListLegends(!Value);
  if (!Value) UpdateLegends();
}

void TMatrixSeries::SetVisible(bool Value) {
  TSeries::SetVisible(Value);
  for (TSeriesLegend* E : {PositiveLegend(), NegativeLegend()})
    if (E) E->Visible = Value;
}

void TMatrixSeries::Draw() {
  TCanvas* C = Graph->DrawCanvas();
  if (!C || !GetVisible()) return;
  double Start, End;
  DrawRange(Start, End);
  const bool Shade = GetShaded();
  if (Shade && Start <= End) SetDefaultLevels(Start, End);
  int Off = Graph->View3D > 0 ? Graph->LayerOffset() : 0;
  // The depth shift of a cell, in world units of the linear mapping.
  const double DX = Graph->ScaleX != 0 ? Off / Graph->ScaleX : 0;
  const double DY = Graph->ScaleY != 0 ? -Off / Graph->ScaleY : 0;
  C->Pen()->SetWidth(1);
  C->Pen()->SetMode(pmCopy);
  C->Pen()->SetStyle(psSolid);
  C->Brush()->SetStyle(bsSolid);
  for (int I = 1; I <= Matrix.NX; ++I)
    for (int J = 1; J <= Matrix.NY; ++J) {
      const double V = Matrix.GetValue(I, J);
      if (!Shade) {
        if (!Usable(V) || !(Start <= V && V <= End)) continue;
        TMarker M = V > 0 ? PositiveMarker : NegativeMarker;
        M.Layer = nullptr;  // its own colours, not the series' marker colour
        M.Color = GetColor();
        M.MarkerFlag = true;
        const int PX = AddPixels(Graph->XToPixel(I), Off);
        const int PY = AddPixels(Graph->YToPixel(J), -Off);
        M.Draw(PX, PY, M.Color, MarkerPixelSize(V), M.Style);
      } else {
        if (std::isnan(V)) continue;
        ColorRamp(V);
        C->Brush()->SetColor(ColorByValue());
        C->Pen()->SetColor(ColorByValue());
        Graph->FillCell({I - 0.5 + DX, J + 0.5 + DY, I + 0.5 + DX, J - 0.5 + DY});
      }
    }
  Graph->Owner->PictureDrawn();
}

void TMatrixSeries::ShowCellHint(const QString& Text) {
  // Only changes reach the owner: a hint that is shown again on every move would flicker.
  const bool Show = !Text.isEmpty();
  if (Show == FHintShown && Text == FHint) return;
  FHint = Text;
  FHintShown = Show;
  Graph->Owner->ShowHint(Text);
}

void TMatrixSeries::MouseMove(int, int X, int Y) {
  HitIndex = -1;
  MoveX = X;
  MoveY = Y;
  if (!MouseActive() || !GetVisible()) return;
  int I, J;
  // On a graph with depth the cells are found where they are drawn, right and up by the offset.
  const int Off = Graph->Depth3D == 0
                      ? 0
                      : SaturatePixel(static_cast<long double>(Graph->Depth3D) *
                                      Graph->BarSlot(this) / std::max(Graph->BarSlotCount(), 1));
  const double WX = Graph->PixelToX(AddPixels(X, -Off)), WY = Graph->PixelToY(AddPixels(Y, Off));
  if (!HitCell(WX, WY, I, J)) {
    Graph->Owner->SetCursor(crDefault);
    ShowCellHint(QString());
    HoverStep(X, Y);
    return;
  }
  HitIndex = (I - 1) + Matrix.NX * (J - 1);
  CurrentIndex = HitIndex;
  HoverStep(X, Y);
  if (OnMouseOver) OnMouseOver(WX, WY);
  ShowCellHint(Texts.GetValue(I, J));
}

// --- The file block ---------------------------------------------------------------------------

void TMatrixSeries::Save(TGraphTextWriter& F) const {
  SaveLayerBlock(F);
  auto MarkerLine = [&](const TMarker& M, int N) {
    F.WriteLine(QStringLiteral("%1 %2 %3 %4")
                    .arg(M.Style)
                    .arg(static_cast<int>(M.Color))
                    .arg(static_cast<int>(M.FillColor))
                    .arg(N));
  };
  MarkerLine(PositiveMarker, Matrix.NX);
  MarkerLine(NegativeMarker, Matrix.NY);
  for (int I = 1; I <= Matrix.NX; ++I) {
    QStringList Row;
    for (int J = 1; J <= Matrix.NY; ++J) Row << GraphFileReal(Matrix.GetValue(I, J));
    F.WriteLine(Row.join(QLatin1Char(' ')));
  }
  for (int I = 1; I <= Matrix.NX; ++I)
    for (int J = 1; J <= Matrix.NY; ++J) F.WriteLine(OneLine(Texts.GetValue(I, J)));
  F.WriteLine(ClassName());
}

void TMatrixSeries::Load(TGraphTextReader& F) {
  LoadBase(F);
  std::vector<int> P = F.ReadIntegers(4);
  std::vector<int> N = F.ReadIntegers(4);
  const int NX = P[3], NY = N[3];
  if (NX < 1 || NY < 1 || static_cast<long long>(NX) * NY > MaxCells)
    F.Fail(QStringLiteral("Invalid matrix size %1 x %2").arg(NX).arg(NY));
  // Nothing is sized from the counts before the lines behind them have been read: a hostile
  // count runs into the end of the file instead of into memory.
  std::vector<double> Values;
  for (int I = 1; I <= NX; ++I) {
    const QStringList Fields = F.ReadLine().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (Fields.size() != NY) F.Fail(QStringLiteral("Missing number"));
    for (const QString& S : Fields) {
      double V;
      if (!ParseGraphFileReal(S, V)) F.Fail(QStringLiteral("Invalid number"));
      Values.push_back(V);
    }
  }
  QStringList Cells;
  for (long long K = 0; K < static_cast<long long>(NX) * NY; ++K) Cells << F.ReadLine();
  F.ReadClosingLine(ClassName());

  PositiveMarker.Style = P[0];
  PositiveMarker.Color = static_cast<TColor>(P[1]);
  PositiveMarker.FillColor = static_cast<TColor>(P[2]);
  NegativeMarker.Style = N[0];
  NegativeMarker.Color = static_cast<TColor>(N[1]);
  NegativeMarker.FillColor = static_cast<TColor>(N[2]);
  Matrix = GraphMatrix::TMatrix(NX, NY);
  Resize();
  for (int I = 1; I <= NX; ++I)
    for (int J = 1; J <= NY; ++J) {
      const int K = (I - 1) * NY + (J - 1);
      Matrix.SetValue(I, J, Values[K]);
      Texts.SetValue(I, J, Cells[K]);
    }
  Name = Name.trimmed();
  if (!GetShaded()) UpdateLegends();
}

void RegisterMatrixSeriesLayerClasses() {
  RegisterLayerClass(QStringLiteral("TMatrixSeries"),
                     [](TGraph* G) { return std::make_unique<TMatrixSeries>(G); });
}
