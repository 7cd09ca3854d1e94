#include "plot/core/graph_gradient.h"

#include "plot/core/graph_drawing.h"

TGraphGradient::TGraphGradient(TGraphDrawing* AGraph, int AStyle, TColor AStartColor,
                               TColor AEndColor)
    : Graph(AGraph), Style(AStyle), StartColor(AStartColor), EndColor(AEndColor) {}

void TGraphGradient::Draw(const TRect& R) {
  if (!Visible || Style == 0 || !Graph) return;
  GradientFill(Graph->DrawCanvas(), R, EndColor, Style == 1, StartColor);
}
