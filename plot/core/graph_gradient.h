#pragma once
// Colour gradients in at most 256 bands, and the graph's background gradient.
#include "platform/colors.h"
#include "platform/geometry.h"

class TCanvas;
class TGraphDrawing;

// FromColor lies at the right (Horizontal) or bottom edge, ToColor at the opposite one. System
// colours are resolved first; a band of one pixel is all FromColor. The canvas brush is left as
// it was.
void GradientFill(TCanvas* Canvas, const TRect& R, TColor FromColor, bool Horizontal,
                  TColor ToColor);

class TGraphGradient {
 public:
  TGraphGradient(TGraphDrawing* AGraph, int AStyle, TColor AStartColor, TColor AEndColor);

  TGraphDrawing* Graph;
  bool Visible = true;
  int Style = 0;      // 0 none, 1 horizontal, anything else vertical
  TColor StartColor;  // left or top
  TColor EndColor;    // right or bottom

  void Draw(const TRect& R);
};
