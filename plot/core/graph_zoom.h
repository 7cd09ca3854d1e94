#pragma once
// The zoom history of a graph and its rubber band. Ranges are kept in axis space (log10 of the
// values on a logarithmic axis), so every step below works the same on linear and log axes.
#include <array>
#include <optional>
#include <vector>

#include "platform/geometry.h"
#include "platform/graphics.h"
#include "plot/core/graph_axis.h"
#include "plot/core/graph_types.h"

class TGraph;

enum TZoomStyle { zsIn, zsOut };

class TZoom {
 public:
  explicit TZoom(TGraph* AGraph) : Graph(AGraph) {}
  TZoom(const TZoom&) = delete;
  TZoom& operator=(const TZoom&) = delete;

  TGraph* const Graph;
  bool Dragging = false;
  TRect DragRect;  // the band last drawn; all zeros when none
  bool Enabled = false;
  int Steps = 3;
  double ChangePerStep = 0.1;
  TZoomStyle Style = zsIn;
  TColor Color = static_cast<TColor>(0xA6EEE9);
  bool ZoomAutoStop = false;

  // The graph counts as zoomed while this is above 0.
  int Count() const { return static_cast<int>(FPrimary.size()); }
  const std::vector<TDoubleRect>& PrimaryStack() const { return FPrimary; }
  const std::vector<TDoubleRect>& SecondaryStack() const { return FSecondary; }
  void PushPrimary(const TDoubleRect& R) { FPrimary.push_back(R); }
  void PushSecondary(const TDoubleRect& R) { FSecondary.push_back(R); }
  void ClearStacks();

  // Saves the graph's ranges and shows the given ones.
  void ZoomTo(const TDoubleRect& Primary, const TDoubleRect& Secondary);
  // Back to the previous ranges; true while older ones remain.
  bool ZoomOut();
  // Back to the ranges before the first zoom; disarms the tool.
  void Reset();

  // The rubber band, at pixels of the image.
  void BeginDrag(int X, int Y);
  void Drag(int X, int Y);
  void EndDrag(int X, int Y);

  // One animated step: each end moves towards (away from, Sign -1) the start point by F of the
  // range times the point's relative distance from it. Fractions come from RelativePosition.
  struct TFractions {
    double XL = 0, XR = 0, YB = 0, YT = 0;
  };
  static TFractions RelativePosition(const TDoubleRect& Range, double X, double Y, int Sign);
  static TDoubleRect AnimatedStep(const TDoubleRect& Range, const TFractions& F, double Change);
  // A band narrower than a ten-thousandth of the current range on either axis is a click.
  static bool TooSmall(const TDoubleRect& Current, const TDoubleRect& Band);
  // Whether two ends lie far enough apart, for their magnitude, for the numbers to tell the
  // values between them apart (on a log axis, the exponents and the values they stand for).
  static bool Distinct(double A, double B, bool Log);

 private:
  void Animate();
  // Every axis of the zoom keeps Distinct ends; a hidden secondary axis shows none.
  bool Resolvable(const TDoubleRect& Primary, const TDoubleRect& Secondary) const;
  void DrawBand();
  TDoubleRect GraphPrimary() const;
  TDoubleRect GraphSecondary() const;
  void SetGraphSecondary(const TDoubleRect& R);
  // Saves the ranges shown; the first saved state keeps the axes' ticks as well.
  void SaveState();
  // The view before the first zoom; false when none was kept.
  bool RestoreFullView();
  std::vector<TDoubleRect> FPrimary, FSecondary;
  struct TFullView {
    TDoubleRect Primary, Secondary;
    std::array<TAxisTickState, 4> Ticks;
  };
  std::optional<TFullView> FFullView;
  // Where the drag began, in axis space, on both pairs of axes, and its pixel.
  double FStartX = 0, FStartY = 0, FStartX2 = 0, FStartY2 = 0;
  TPoint FStartPixel;
  bool FInDrag = false;
};
