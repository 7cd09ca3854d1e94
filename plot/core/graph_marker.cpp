#include "plot/core/graph_marker.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/canvas.h"
#include "platform/number_text.h"
#include "plot/core/graph.h"
#include "plot/core/graph_drawing.h"
#include "plot/core/graph_text_file.h"
#include "plot/core/graph_utils.h"

namespace {
constexpr double Pi = std::numbers::pi;
constexpr int MaxMarkerPoints = 100;
constexpr int MarkerLimit = 1 << 22;
}  // namespace

std::vector<TPoint> MarkerPoints(int N, int X, int Y, double SX, double SY, double Ratio,
                                 double Phase, bool Star) {
  N = std::clamp(N, 2, MaxMarkerPoints);
  std::vector<TPoint> P;
  P.reserve(static_cast<size_t>(N));
  for (int i = 1; i <= N - 1; ++i) {
    double A = 2.0 * (i - 1) * Pi / (N - 1) + Phase;
    double RX = SX, RY = SY;
    if (Star && i % 2 == 0 && Ratio != 0) RX /= Ratio, RY /= Ratio;
    P.push_back({AddPixels(X, RoundInt(std::sin(A) * RX / 2)),
                 AddPixels(Y, RoundInt(std::cos(A) * RY / 2))});
  }
  P.push_back(P.front());
  return P;
}

int ReducedMarkerStyle(int Style) { return Style > 27 ? (Style - 1) % 27 + 1 : Style; }

TMarker::TMarker(TGraphDrawing* AGraph, TLayer* ALayer, int AStyle, int ASize, TColor AColor)
    : Graph(AGraph), Style(AStyle), Size(ASize), Color(AColor), MarkerFlag(true), Layer(ALayer) {}

void TMarker::Assign(const TMarker& Source) {
  TGraphDrawing* G = Graph;
  *this = Source;
  Graph = G;
}

TMarker TMarker::Load(TLayer* ALayer, TGraphTextReader& F) {
  const QString Class = QStringLiteral("TMarker");
  F.ReadClosingLine(Class);
  std::vector<int> V = F.ReadIntegers(7);
  if (V[0] < 0 || V[0] > MaxMarkerStyle) F.Fail(QStringLiteral("Invalid marker style"));
  F.ReadClosingLine(Class);
  TMarker M(ALayer ? ALayer->Graph : nullptr);
  M.Layer = ALayer;
  M.Style = V[0];
  M.Size = std::clamp(V[1], 0, MaxMarkerSize);
  M.Color = static_cast<TColor>(V[2]);
  M.FillColor = static_cast<TColor>(V[3]);
  M.MarkerFlag = V[4] == 1;
  M.DerivedColor = V[5] == 1;
  M.Shade = V[6];
  return M;
}

void TMarker::Save(TGraphTextWriter& F) const {
  const QString Class = QStringLiteral("TMarker");
  F.WriteLine(Class);
  F.WriteLine(QStringLiteral("%1 %2 %3 %4 %5 %6 %7")
                  .arg(Style)
                  .arg(Size)
                  .arg(static_cast<int>(Color))
                  .arg(static_cast<int>(FillColor))
                  .arg(MarkerFlag ? 1 : 0)
                  .arg(DerivedColor ? 1 : 0)
                  .arg(Shade));
  F.WriteLine(Class);
}

TColor TMarker::GetColor() const {
  if (DerivedColor) {
    if (Shade == 0) return LightenColor(Color, 128);
    if (Shade == 1) return DarkenColor(Color, 128);
    return Color;
  }
  TColor C;
  if (Graph && Layer && Graph->LayerMarkerColor(Layer, C)) return C;
  return Color;
}

void TMarker::DrawAtPixel(int X, int Y) {
  TCanvas* C = Graph ? Graph->DrawCanvas() : nullptr;
  if (!C) return;
  C->Font()->SetSize(Size);
  Draw(X, Y, GetColor(), C->TextHeight(QStringLiteral("(")), Style);
}

void TMarker::DrawAt(double X, double Y) {
  if (!Graph || !std::isfinite(X) || !std::isfinite(Y)) return;
  // The same depth offset as the layer's ribbon and cells, so that a marker sits on its line.
  const int Off = Graph->LayerOffset();
  DrawAtPixel(AddPixels(Graph->XToPixel(X), Off), AddPixels(Graph->YToPixel(Y), -Off));
}

void TMarker::Draw(int X, int Y, TColor AColor, int PixelSize, int AStyle) {
  if (!MarkerFlag || !Graph) return;
  // A marker this far off the picture cannot be seen, and its shape arithmetic would overflow.
  if (std::abs(X) > MarkerLimit || std::abs(Y) > MarkerLimit) return;
  TCanvas* C = Graph->DrawCanvas();
  if (!C) return;
  const int P = std::clamp(PixelSize, 0, 1 << 16);
  const int d = RoundInt(P / 2.0);
  const TColor Coloured = AColor == MarkerBlack ? clBlack : AColor;
  C->Pen()->SetColor(FillColor);
  C->Pen()->SetWidth(1);
  C->Brush()->SetStyle(bsSolid);
  C->Brush()->SetColor(AColor == MarkerBlack ? clBlack : GetColor());
  AStyle = ReducedMarkerStyle(AStyle);

  auto White = [&] { C->Brush()->SetColor(clWhite); };
  auto Fill = [&] { C->Brush()->SetColor(Coloured); };
  auto Poly = [&](const std::vector<TPoint>& Pts) { C->Polygon(Pts); };
  auto Disc = [&](int Segments, double S) {
    return MarkerPoints(Segments + 1, X, Y, S, S, 1, 0, false);
  };
  auto Seg = [&](int X1, int Y1, int X2, int Y2) {
    C->MoveTo(X1, Y1);
    C->LineTo(X2, Y2);
  };
  // Lines that include both end pixels, so that the figure is symmetric about the centre.
  auto Plus = [&](int H) {
    Seg(X - H, Y, X + H + 1, Y);
    Seg(X, Y - H, X, Y + H + 1);
  };
  auto Cross = [&](int H) {
    Seg(X - H, Y - H, X + H + 1, Y + H + 1);
    Seg(X + H, Y - H, X - H - 1, Y + H + 1);
  };
  auto Star = [&](int N, double Phase) { return MarkerPoints(N, X, Y, P, P, 2, Phase, true); };
  auto StarOf = [&](int Kind) {
    switch (Kind) {
      case 0:
        return Star(9, Pi / 2);
      case 1:
        return Star(11, -Pi / 2);
      default:
        return Star(13, Pi / 2);
    }
  };
  auto Run = [](const std::vector<TPoint>& D, int From, int To) {  // 1-based, inclusive
    std::vector<TPoint> R;
    for (int i = From; i <= To; ++i)
      R.push_back(D[static_cast<size_t>((i - 1) % (static_cast<int>(D.size()) - 1))]);
    return R;
  };

  switch (AStyle) {
    case 1:
      Poly(MarkerPoints(5, X, Y, std::sqrt(2.0) * P, std::sqrt(2.0) * P, 1, -Pi / 4, false));
      break;
    case 9: {
      auto Sq = MarkerPoints(5, X, Y, std::sqrt(2.0) * P, std::sqrt(2.0) * P, 1, -Pi / 4, false);
      Poly(Sq);
      White();
      Poly({Sq[0], Sq[1], Sq[2]});
      break;
    }
    case 10:
      Poly(MarkerPoints(9, X, Y, std::sqrt(2.0) * P, std::sqrt(2.0) * P, 2, Pi / 4, true));
      break;
    case 8:
      Poly(MarkerPoints(5, X, Y, P, P, 1, 0, false));
      break;
    case 2:
      C->Ellipse(X - P / 2, Y - P / 2, X + P / 2, Y + P / 2);
      break;
    case 11:
      White();
      Poly(Disc(80, P));
      Fill();
      Poly(Disc(80, std::max(P / 2, 1)));
      break;
    case 12:
      White();
      Poly(Disc(80, P));
      Fill();
      Poly(MarkerPoints(5, X, Y, std::max(RoundInt(P / 1.5), 1), std::max(RoundInt(P / 1.5), 1), 1,
                        0, false));
      break;
    case 13: {
      White();
      auto D = Disc(80, P);
      Poly(D);
      Fill();
      Poly(Run(D, 21, 61));
      break;
    }
    case 25: {
      White();
      auto D = Disc(80, P);
      Poly(D);
      Fill();
      auto A = Run(D, 1, 21);
      A.push_back({X, Y});
      Poly(A);
      auto B = Run(D, 41, 61);
      B.push_back({X, Y});
      Poly(B);
      C->Pen()->SetColor(Coloured);
      Plus(d);
      break;
    }
    case 14: {  // the lower half filled, a plus through the centre
      White();
      auto D = Disc(80, P);
      Poly(D);
      Fill();
      Poly(Run(D, 61, 101));
      C->Pen()->SetColor(Coloured);
      Plus(d);
      break;
    }
    case 15:  // a diagonal cross inside the ring
      White();
      Poly(Disc(80, P));
      C->Pen()->SetColor(Coloured);
      Cross(RoundInt(d * std::sin(Pi / 4)));
      break;
    case 27: {  // a bar across the centre and a small filled square in it
      White();
      Poly(Disc(80, P));
      C->Pen()->SetColor(Coloured);
      Seg(X - d, Y, X + d + 1, Y);
      Fill();
      int H = std::max(d / 3, 1);
      Poly({{X - H, Y - H}, {X + H, Y - H}, {X + H, Y + H}, {X - H, Y + H}});
      break;
    }
    case 3:
      Poly({{X, Y - d}, {X + d, Y + d}, {X - d, Y + d}});
      break;
    case 4:
      Poly({{X, Y + d}, {X + d, Y - d}, {X - d, Y - d}});
      break;
    case 5:
      C->Pen()->SetColor(Coloured);
      Plus(d);
      break;
    case 6:
      C->Pen()->SetColor(Coloured);
      Cross(RoundInt(d * std::sin(Pi / 4)));
      break;
    case 7:
      C->Pen()->SetColor(Coloured);
      Plus(d);
      Cross(RoundInt(d * std::sin(Pi / 4)));
      break;
    case 16:
    case 17:
    case 18:
      Poly(StarOf(AStyle - 16));
      break;
    case 19:
    case 20:
    case 21:
      Poly(Disc(40, P));
      White();
      Poly(StarOf(AStyle - 19));
      break;
    case 22:
    case 23:
    case 24:
      White();
      Poly(Disc(40, P));
      Fill();
      Poly(StarOf(AStyle - 22));
      break;
    case 26: {  // an hourglass: two triangles meeting in the centre
      Poly({{X - d, Y - d}, {X + d, Y - d}, {X - d, Y + d}, {X + d, Y + d}});
      break;
    }
    default:
      break;
  }
}
