#include "plot/core/graph_info.h"

#include <algorithm>
#include <cmath>

#include "platform/canvas.h"
#include "platform/number_text.h"
#include "plot/core/graph.h"
#include "plot/core/graph_utils.h"
#include "plot/core/graph_value_format.h"

namespace {
const QString DeletedText = QStringLiteral("Deleted");

bool Upper(TInfoPosition P) { return P == ipRightTop || P == ipTopCenter || P == ipLeftTop; }
bool Right(TInfoPosition P) { return P == ipRightTop || P == ipRightBottom; }
bool Left(TInfoPosition P) { return P == ipLeftTop || P == ipLeftBottom; }

// The pieces of Text between Separator; an empty text has none.
QStringList Pieces(const QString& Text, const QString& Separator) {
  if (Text.isEmpty()) return {};
  return Text.split(Separator);
}

// The drawing state the bubbles change, put back when they are done.
struct TGraphStateGuard {
  TGraph* G;
  bool X2, Y2;
  TLayer* Current;
  explicit TGraphStateGuard(TGraph* AG)
      : G(AG), X2(AG->UseX2), Y2(AG->UseY2), Current(AG->CurrentLayer) {}
  ~TGraphStateGuard() {
    G->UseX2 = X2;
    G->UseY2 = Y2;
    G->CurrentLayer = Current;
  }
  TGraphStateGuard(const TGraphStateGuard&) = delete;
  TGraphStateGuard& operator=(const TGraphStateGuard&) = delete;
};

void UseAxesOf(TGraph* G, TLayer* L) {
  G->UseX2 = L->GetOnXAxis2();
  G->UseY2 = L->GetOnYAxis2();
  G->CurrentLayer = L;
}

const TRect NoRect{0, 0, -1, -1};  // holds no point
}  // namespace

// --- TInfoLocation ------------------------------------------------------------------------------

TInfoLocation::TInfoLocation(TGraph* G, TLayer* ASeries, int PX, int PY, bool AOnPoint)
    : Series(ASeries), OnPoint(AOnPoint) {
  TGraphStateGuard Keep(G);
  G->CurrentLayer = ASeries;
  if (G->Depth3D != 0) PX = AddPixels(PX, -G->LayerOffset());
  X = G->PixelToX(PX);
  if (G->CurrentXLog()) X = std::pow(10.0, X);
  const TGraphSeries* S = ASeries ? ASeries->AsSeries() : nullptr;
  // A grid is drawn up by its depth offset as well.
  if (S && S->Kind() == skMatrix && G->Depth3D != 0) PY = AddPixels(PY, G->LayerOffset());
  Y = G->PixelToY(PY);
  if (G->CurrentYLog()) Y = std::pow(10.0, Y);
  PointIndex = S ? S->CurrentPoint() : 0;
}

// --- TGraphInfo ---------------------------------------------------------------------------------

TGraphInfo::TGraphInfo(TGraph* AGraph) : TLayer(AGraph) {
  Font.SetName(QStringLiteral("Arial"));
  Font.SetSize(8);
  Font.SetColor(clBlack);
  Name = QStringLiteral("Info");
}

TGraphInfo::~TGraphInfo() { Clear(); }

void TGraphInfo::Clear() { Locations.clear(); }

void TGraphInfo::DeleteLocation(int Index) {
  if (Index < 0 || Index >= static_cast<int>(Locations.size())) return;
  Locations.erase(Locations.begin() + Index);
}

int TGraphInfo::IndexOfSerial(std::uint64_t Serial) const {
  for (int I = 0; I < static_cast<int>(Locations.size()); ++I)
    if (Serial != 0 && Locations[I].Location->Serial == Serial) return I;
  return -1;
}

int TGraphInfo::AddLocation(const QString& Text, TLayer* ASeries, int X, int Y, bool Keep) {
  if (!ASeries) return -1;
  TGraphSeries* S = ASeries->AsSeries();
  if (S && S->Kind() == skPoints) {
    const int Current = S->CurrentPoint();
    for (int I = 0; I < static_cast<int>(Locations.size()); ++I) {
      const TInfoLocation& L = *Locations[I].Location;
      if (!L.Series.Refers(ASeries) || L.PointIndex != Current) continue;
      if (!Keep) {
        DeleteLocation(I);
        Graph->Repaint();
      }
      return -1;
    }
  }
  TLayerHandle Alive(ASeries);
  {
    TGraphStateGuard Keep2(Graph);
    UseAxesOf(Graph, ASeries);
    ASeries->MouseMove(0, X, Y);
  }
  // The series' own answer may have taken it out of the graph.
  if (!Alive.Get()) return -1;
  TGraphStateGuard Keep3(Graph);
  UseAxesOf(Graph, ASeries);
  auto L = std::make_unique<TInfoLocation>(Graph, ASeries, X, Y, S && S->OnPoint());
  L->Serial = ++FLastSerial;
  Locations.push_back({Text, std::move(L)});
  return static_cast<int>(Locations.size()) - 1;
}

TRect TGraphInfo::GetBubbleRect(TInfoPosition Pos, int P, int Q, int W, int H, int G) {
  switch (Pos) {
    case ipRightTop:
      return {P, Q - H - G, P + W, Q - G};
    case ipTopCenter:
      return {P - W / 2, Q - H - G, P + W / 2, Q - G};
    case ipLeftTop:
      return {P - W, Q - H - G, P, Q - G};
    case ipRightBottom:
      return {P, Q + G, P + W, Q + H + G};
    case ipBottomCenter:
      return {P - W / 2, Q + G, P + W / 2, Q + H + G};
    case ipLeftBottom:
      return {P - W, Q + G, P, Q + H + G};
  }
  return {P, Q - H - G, P + W, Q - G};
}

bool TGraphInfo::FormatValue(const QString& Pattern, double V, QString& Text) const {
  if (Pattern.isEmpty()) {
    Text = QString::fromStdString(FormatGeneral(V, std::clamp(NumberOfGeneralDigits, 1, 21)));
    return true;
  }
  return FormatGraphValue(Pattern, V, Text);
}

bool TGraphInfo::GetLocationText(QStringList& Lines, TLayer* ASeries, const QString& XLabel,
                                 const QString& YLabel, int& AnchorX, int& AnchorY, int Index) {
  if (!ASeries || Index < 0 || Index >= static_cast<int>(Locations.size())) return false;
  TGraphSeries* S = ASeries->AsSeries();
  if (!S) return false;
  const TInfoLocation& L = *Locations[Index].Location;
  const int K = S->Kind();
  const int Off = Graph->Depth3D != 0 ? Graph->LayerOffset() : 0;
  double VX = L.X, VY = L.Y;
  if (K == 9) {
    // A grid's value lies across the plot, not along Y: the bubble stays at the clicked cell,
    // where it is drawn, and shows the cell's value.
    const double C = S->CurveValue(L.X, L.Y);
    if (!IsMissingValue(C) && std::isfinite(C)) VY = C;
    if (!S->PlainSeries()) VX = S->Convert(L.X, L.Y);
    AnchorX = AddPixels(Graph->XToPixel(L.X), Off);
    AnchorY = AddPixels(Graph->YToPixel(L.Y), -Off);
  } else if (K == 2 || K == 5 || K == 6 || K == 7 || (K == 3 && !L.OnPoint)) {
    const double C = S->CurveValue(L.X, L.Y);
    if (!IsMissingValue(C) && std::isfinite(C)) VY = C;
    if (!S->PlainSeries()) VX = S->Convert(L.X, L.Y);
    AnchorX = Graph->XToPixel(L.X);
    AnchorY = Graph->YToPixel(VY);
  } else if (K == 8) {
    VX = S->SnapPoint(L.X, L.Y);
    const double C = S->CurveValue(VX, L.Y);
    if (!IsMissingValue(C) && std::isfinite(C)) VY = C;
    AnchorX = Graph->XToPixel(L.X);
    AnchorY = Graph->YToPixel(L.Y);
    TDoubleRect B;
    if (S->PointBarRect(L.PointIndex, B)) {
      auto Into = [](int& A, int P1, int P2) {
        if (A < std::min(P1, P2) || A > std::max(P1, P2))
          A = static_cast<int>((static_cast<long long>(P1) + P2) / 2);
      };
      Into(AnchorX, Graph->XToPixel(B.Left), Graph->XToPixel(B.Right));
      Into(AnchorY, Graph->YToPixel(B.Top), Graph->YToPixel(B.Bottom));
    }
  } else {
    TDoublePoint P;
    if (!S->PointXY(L.PointIndex, P)) return false;
    VX = P.X;
    VY = P.Y;
    AnchorX = AddPixels(Graph->XToPixel(P.X), Off);
    AnchorY = AddPixels(Graph->YToPixel(P.Y), -Off);
    if (K != 10) S->SetOnPoint(true);
  }
  auto Text = [&](const QString& Label, bool ShowValue, const QString& Pattern, double V,
                  QString& Out) {
    Out = Label;
    if (!ShowValue) return true;
    QString Value;
    if (!FormatValue(Pattern, V, Value)) return false;
    Out = Label.isEmpty() ? Value : Label + QStringLiteral(" = ") + Value;
    return true;
  };
  QString XText, YText;
  if (!Text(XLabel, PointValue, FormatX, VX, XText) ||
      !Text(YLabel, SeriesValue, FormatY, VY, YText)) {
    FComposeFailed = true;
    return false;
  }
  Lines << Pieces(XText, QStringLiteral("||")) << Pieces(YText, QStringLiteral("||"));
  return true;
}

void TGraphInfo::MouseDown(int Button, int, int X, int Y) {
  if (!GetVisible()) return;
  Graph->InfoTookClick = false;
  if (Button != mbLeft) return;
  bool Removed = false;
  for (int I = static_cast<int>(Locations.size()) - 1; I >= 0; --I)
    if (PtInIntRect(Locations[I].Location->BubbleRect, {X, Y})) {
      DeleteLocation(I);
      Removed = true;
    }
  if (!Removed) return;
  Graph->Repaint();
  Graph->InfoTookClick = true;
}

void TGraphInfo::Draw() {
  if (!GetVisible() || !Graph->DrawCanvas()) return;
  TGraphStateGuard Keep(Graph);
  Graph->ResetClipRegion();
  Graph->SetClipRegion();
  for (TEntry& E : Locations) {
    E.Location->BubbleRect = NoRect;
    if (!DrawBubble(E)) continue;
  }
  TCanvas* C = Graph->DrawCanvas();
  C->Pen()->SetMode(pmCopy);
  C->Pen()->SetWidth(1);
  C->SetTextAlign(TA_LEFT | TA_TOP);
  Graph->ResetClipRegion();
}

bool TGraphInfo::DrawBubble(TEntry& E) {
  TInfoLocation& L = *E.Location;
  TLayer* S = L.Series.Get();
  if (S && Graph->IndexOfLayer(S) < 0) S = nullptr;
  if (!S) {
    E.Text = DeletedText;
    L.Series.Reset();
    return false;
  }
  if (E.Text == DeletedText || !S->GetVisible()) return false;
  UseAxesOf(Graph, S);
  TCanvas* C = Graph->DrawCanvas();
  C->Brush()->SetColor(Color);
  C->Brush()->SetStyle(bsSolid);
  C->Pen()->SetStyle(psSolid);
  C->Pen()->SetColor(clBlack);
  C->Pen()->SetMode(pmCopy);
  C->Pen()->SetWidth(1);
  // In points, so that a printer's page writes the bubble as large beside the plot as the screen.
  C->Font()->Assign(Font);

  TGraphSeries* Series = S->AsSeries();
  QString XLabel = QStringLiteral("X");
  if (PointName && Series) {
    XLabel.clear();
    Series->PointNameAt(L.PointIndex, L.X, L.Y, XLabel);
  }
  if (!PointVisible) XLabel.clear();
  QString YLabel = SeriesName ? S->Name : QStringLiteral("Y");
  if (!SeriesVisible) YLabel.clear();

  QStringList Lines = Pieces(E.Text, QStringLiteral("#"));
  int P = 0, Q = 0;
  if (Series) {
    FComposeFailed = false;
    if (!GetLocationText(Lines, S, XLabel, YLabel, P, Q, static_cast<int>(&E - Locations.data()))) {
      if (FComposeFailed) {
        E.Text = DeletedText;
        L.Series.Reset();
      }
      return false;
    }
  } else {
    Lines = Pieces(E.Text, QStringLiteral("||"));
    P = Graph->XToPixel(L.X);
    Q = Graph->YToPixel(L.Y);
  }

  const int G = C->TextHeight(QStringLiteral("("));
  const int H = (static_cast<int>(Lines.size()) + 1) * G;
  int W = 0;
  for (const QString& Line : Lines) W = std::max(W, C->TextWidth(Line));
  if (W > 0) W += C->TextWidth(QStringLiteral("MM"));

  TInfoPosition Pos = Position;
  for (int Test = 0; Test < 7; ++Test) {
    if (RectInsideRect(GetBubbleRect(Pos, P, Q, W, H, G), Graph->ClipRect)) break;
    Pos = static_cast<TInfoPosition>((Pos + 1) % 6);
  }
  const TRect R = GetBubbleRect(Pos, P, Q, W, H, G);
  const bool Up = Upper(Pos);
  const int EdgeY = Up ? Q - G : Q + G;
  int X1 = P - W / 32, X2 = P + W / 32;
  if (Right(Pos)) X1 = P + W / 16, X2 = P + W / 8;
  if (Left(Pos)) X1 = P - W / 8, X2 = P - W / 16;

  if (Style != isNoBubble) {
    if (Style == isRoundRect)
      C->RoundRect(R.Left, R.Top, R.Right, R.Bottom, G / 2, G / 2);
    else
      C->Rectangle(R);
    const TPoint Callout[] = {{P, Q}, {X1, EdgeY}, {X2, EdgeY}, {P, Q}};
    C->Polygon(Callout);
    // The edge under the callout's base belongs to neither shape: callout and box become one.
    C->Pen()->SetColor(Color);
    for (int Row : {EdgeY, Up ? EdgeY - 1 : EdgeY + 1}) {
      C->MoveTo(X1 + 1, Row);
      C->LineTo(X2, Row);
    }
    C->Brush()->SetStyle(bsClear);
    C->SetTextAlign(TA_CENTER | TA_BOTTOM);
    const int Centre = R.Left + W / 2;
    int Y = R.Top + G + G / 2;
    for (const QString& Line : Lines) {
      C->TextOut(Centre, Y, Line);
      Y += G;
    }
    L.BubbleRect = R;
  } else {
    C->Brush()->SetStyle(bsClear);
    C->SetTextAlign(TA_LEFT | TA_BOTTOM);
    const int First = Up ? Q - H + 2 * G - G / 4 : Q + G + G / 4;
    int Y = First;
    int Widest = 0;
    for (const QString& Line : Lines) {
      C->TextOut(R.Left, Y, Line);
      Widest = std::max(Widest, C->TextWidth(Line));
      Y += G;
    }
    L.BubbleRect = {R.Left, First - G, R.Left + Widest, Y - G};
  }
  C->Brush()->SetStyle(bsSolid);
  return true;
}
