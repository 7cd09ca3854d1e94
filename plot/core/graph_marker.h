#pragma once
// The point marker: 27 shapes sized like text, so that they scale with the output device.
#include <vector>

#include "platform/colors.h"
#include "platform/geometry.h"

class TGraphDrawing;
class TGraphTextReader;
class TGraphTextWriter;
class TLayer;

// The colour that draws the coloured part of a marker in black.
inline constexpr TColor MarkerBlack = 0x654321;
// The sizes the graph file holds: a larger one would ask the font engine for miles, and one that
// is kept larger in memory would not read back as it was written.
inline constexpr int MaxMarkerSize = 1000;
// Styles are a byte in the file; the shapes repeat every 27.
inline constexpr int MaxMarkerStyle = 255;
int ReducedMarkerStyle(int Style);

class TMarker {
 public:
  explicit TMarker(TGraphDrawing* AGraph) : Graph(AGraph) {}
  TMarker(TGraphDrawing* AGraph, TLayer* ALayer, int AStyle, int ASize, TColor AColor);
  static TMarker CreateStyled(TGraphDrawing* AGraph, TLayer* ALayer, int AStyle, int ASize,
                              TColor AColor) {
    return TMarker(AGraph, ALayer, AStyle, ASize, AColor);
  }

  TGraphDrawing* Graph;
  int Style = 0;  // 0..27; larger values wrap round
  int Size = 0;   // a font size: the marker is as high as "(" in it
  TColor Color = clBlack;
  bool MarkerFlag = false;     // drawn at all
  TColor FillColor = clBlack;  // the outline
  TLayer* Layer = nullptr;
  bool DerivedColor = false;  // selected: drawn lighter or darker
  int Shade = 0;              // 0 lighter, 1 darker, 3 plain

  // The marker block of the graph text file; the layer owns the marker and lends its graph.
  static TMarker Load(TLayer* ALayer, TGraphTextReader& F);
  void Save(TGraphTextWriter& F) const;
  void Assign(const TMarker& Source);
  TColor GetColor() const;
  void DrawAtPixel(int X, int Y);
  // A world point, moved by the layer's depth slot in 3D view; nothing for non-finite values.
  void DrawAt(double X, double Y);
  void Draw(int X, int Y, TColor AColor, int PixelSize, int AStyle);
};

// The marker outline generator: N points round (X, Y), the last repeating the first; with Star
// every even point lies Ratio times nearer the centre.
std::vector<TPoint> MarkerPoints(int N, int X, int Y, double SX, double SY, double Ratio,
                                 double Phase, bool Star);
