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

  // More lines than this fill no screen, and each one costs a repaint while a title is set;
  // the properties dialog's memo takes no more either.
  static constexpr int MaxLines = 100;
  void Clear() { Lines.clear(); }
  // False, and nothing added, once the title holds MaxLines.
  bool AddLine(const QString& S) {
    if (Lines.size() >= MaxLines) return false;
    Lines << S;
    return true;
  }
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
