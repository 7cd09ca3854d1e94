#pragma once
// A graph for the drawing tests: 200 x 100 pixels showing 0..10 on both axes, with axis flags,
// depth slots and layer answers that each test sets.
#include <QImage>
#include <QString>
#include <memory>
#include <vector>

#include "platform/canvas.h"
#include "platform/canvas_targets.h"
#include "plot/core/graph_drawing.h"

class TTestGraph : public TGraphDrawing {
 public:
  bool Log[4] = {false, false, false, false};
  bool Inverted[4] = {false, false, false, false};
  int Slot = 0;
  int SlotCount = 1;
  QString Name = QStringLiteral("0");
  bool HasMarkerColor = false;
  TColor MarkerColor = clBlack;

  explicit TTestGraph(TCanvas* C) : TGraphDrawing(C) {
    PlotRect = {0, 0, 200, 100};
    XMin = YMin = 0;
    XMax = YMax = 10;
    Map();
  }
  // Pixels from the ranges: XMin at the left edge, YMax at the top.
  void Map() {
    ScaleX = PlotRect.Width() / (XMax - XMin);
    OffsetX = PlotRect.Left - ScaleX * XMin;
    ScaleY = -PlotRect.Height() / (YMax - YMin);
    OffsetY = PlotRect.Bottom - ScaleY * YMin;
  }

  bool AxisLog(TGraphAxisId A) const override { return Log[A]; }
  bool AxisInverted(TGraphAxisId A) const override { return Inverted[A]; }
  bool LayerOnXAxis2(const TLayer*) const override { return false; }
  bool LayerOnYAxis2(const TLayer*) const override { return false; }
  QString LayerName(const TLayer*) const override { return Name; }
  bool LayerMarkerColor(const TLayer*, TColor& C) const override {
    if (HasMarkerColor) C = MarkerColor;
    return HasMarkerColor;
  }
  int BarSlot(const TLayer*) const override { return Slot; }
  int BarSlotCount() const override { return SlotCount; }
};

// A recording canvas with its graph.
struct TRecordingGraph {
  TRecordingTarget Target{640, 480};
  TCanvas Canvas{&Target};
  TTestGraph Graph{&Canvas};
  const std::vector<TCanvasOp>& Ops() const { return Target.Ops(); }
};

// An image canvas with its graph; white at the start.
struct TImageGraph {
  QImage Image;
  std::unique_ptr<TImageTarget> Target;
  std::unique_ptr<TCanvas> Canvas;
  std::unique_ptr<TTestGraph> Graph;
  explicit TImageGraph(int W = 200, int H = 100) : Image(W, H, QImage::Format_RGB32) {
    Image.fill(Qt::white);
    Target = std::make_unique<TImageTarget>(&Image);
    Canvas = std::make_unique<TCanvas>(Target.get());
    Graph = std::make_unique<TTestGraph>(Canvas.get());
  }
  const QImage& Done() {
    Target->Release();
    return Image;
  }
};

// The recorded primitives of one kind, in drawing order.
inline std::vector<TCanvasOp> OfKind(const std::vector<TCanvasOp>& Ops, TCanvasOpKind K) {
  std::vector<TCanvasOp> R;
  for (const auto& Op : Ops)
    if (Op.Kind == K) R.push_back(Op);
  return R;
}
