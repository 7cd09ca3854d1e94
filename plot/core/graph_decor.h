#pragma once
// The decorations around and behind a graph's data: title and foot, the plot area's frame.
#include <QStringList>

#include "platform/geometry.h"
#include "platform/graphics.h"
#include "plot/core/graph_utils.h"

class TGraph;

enum TTitleStyle { tsNormal, tsLowered, tsRaised };

class TGraphTitle {
 public:
  TGraphTitle(TGraph* AGraph, bool AIsTitle);
  bool Visible = true;
  bool IsTitle;
  TGraph* Graph;
  QStringList Lines;
  TFont Font;
  TAlignment Alignment = taCenter;
  TRect Rect;
  TTitleStyle Style = tsNormal;

  void Clear() { Lines.clear(); }
  void AddLine(const QString& S) { Lines << S; }
  // Takes the title's height from the top (title) or the bottom (foot) of R.
  void ReserveSpace(TRect& R);
  void AlignToPlot(const TRect& R);
  void Draw();

 private:
  bool Shows() const { return Visible && !Lines.isEmpty(); }
};

inline constexpr TColor clDefaultColor = 0x20000000;

class TGraphFrame : public TGraphAbstract {
 public:
  explicit TGraphFrame(TGraph* AGraph);
  TGraph* Owner;
  int Width = 1;  // 0 and 1 are pixels, more are character heights
  // Kept for the settings file; the drawing does not read it.
  int Style = 1;

  TColor GetColor() const override;
  int GetPixelWidth() const;
  void Draw() override;
};
