#pragma once
// The graph's background gradient.
#include "platform/colors.h"
#include "platform/geometry.h"
#include "platform/gradient.h"

class TGraphDrawing;

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
