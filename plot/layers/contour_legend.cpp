#include "plot/layers/contour_legend.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/canvas.h"
#include "plot/core/graph.h"

std::unique_ptr<TContourLegend> TContourLegend::ForLayer(TContour& Layer) {
  auto E = std::make_unique<TContourLegend>(Layer.Graph);
  E->Text = Layer.Name;
  E->Layer = &Layer;
  E->Color = Layer.GetColor();
  return E;
}

std::array<TColor, 3> TContourLegend::RingColors() const {
  const TColor Own = Layer ? Layer->GetColor() : Color;
  std::array<TColor, 3> R{Own, Own, Own};
  auto* C = dynamic_cast<TContour*>(Layer);
  if (!C || C->OneColor || C->Lines().empty()) return R;
  // Lowest, middle and highest level among the lines, each in its line's kept colour.
  const auto& L = C->Lines();
  std::vector<int> Order(L.size());
  for (size_t I = 0; I < L.size(); ++I) Order[I] = static_cast<int>(I);
  std::stable_sort(Order.begin(), Order.end(),
                   [&](int A, int B) { return L[A].Level < L[B].Level; });
  R[0] = C->LineColor(Order.front());
  R[1] = C->LineColor(Order[Order.size() / 2]);
  R[2] = C->LineColor(Order.back());
  return R;
}

void TContourLegend::DrawSample() {
  TCanvas* C = Owner ? Owner->DrawCanvas() : nullptr;
  if (!C || !Owner->Legend) return;
  Owner->Legend->ApplyFont();
  const int Wd = C->TextWidth(QStringLiteral("-----------"));
  const int Hs = static_cast<int>(std::nearbyint(0.65 * C->TextHeight(QStringLiteral("()"))));
  const int H = GetHeight();
  const int CX = X + Wd / 2, CY = Y + H / 8 + H / 2;
  const std::array<TColor, 3> Colors = RingColors();
  C->Brush()->SetStyle(bsClear);
  C->Pen()->SetStyle(psSolid);
  C->Pen()->SetMode(pmCopy);
  C->Pen()->SetWidth(1);
  for (int K = 0; K < 3; ++K) {
    const int RX = std::max(1, Wd * (3 - K) / 12), RY = std::max(1, Hs * (3 - K) / 6);
    C->Pen()->SetColor(Colors[K]);
    C->Ellipse(CX - RX, CY - RY, CX + RX + 1, CY + RY + 1);
  }
}
