#pragma once
// The colour gradient both drawing libraries fill with: at most 256 bands of solid colour.
#include "platform/colors.h"
#include "platform/geometry.h"

class TCanvas;

// Colour step I of N from From to To (plain colours); one band or none answers From.
TColor GradientStep(TColor From, TColor To, int I, int N);

// FromColor lies at the right (Horizontal) or bottom edge, ToColor at the opposite one. System
// colours are resolved first; a band of one pixel is all FromColor; a rectangle with its corners
// exchanged, or of no width across the bands, draws nothing. The bands take the canvas brush with
// its colour and style replaced; the brush is left as it was.
void GradientFill(TCanvas* Canvas, const TRect& R, TColor FromColor, bool Horizontal,
                  TColor ToColor);
