#pragma once
// The 3D view settings a chart panel owns. Every setter holds its value to the value's range and
// compares; a changed value is stored and repaints the panel.
#include <algorithm>
#include <functional>

class TCustomChartPanel;

// The view's turning, moving and zooming values, for controls that run over any of them.
enum class TView3DValue { Rotation, Elevation, Zoom, HorizOffset, VertOffset, Perspective, Tilt };

struct TView3DRange {
  int Min, Max;
  constexpr int Clamp(int Value) const { return std::clamp(Value, Min, Max); }
};

// The values a view takes: the chart holds its view to them, its file refuses others, and every
// control over the view runs over the same range, so a control always shows the chart's value.
constexpr TView3DRange View3DRange(TView3DValue Which) {
  switch (Which) {
    case TView3DValue::Zoom:
      return {1, 500};
    case TView3DValue::HorizOffset:
    case TView3DValue::VertOffset:
      return {-1500, 1500};
    case TView3DValue::Perspective:
      return {0, 100};
    default:
      return {0, 360};
  }
}

class TView3DOptions {
 public:
  explicit TView3DOptions(TCustomChartPanel* Owner = nullptr) : FOwner(Owner) {}
  TView3DOptions(const TView3DOptions&) = delete;
  TView3DOptions& operator=(const TView3DOptions&) = delete;

  int Elevation() const { return FElevation; }
  int HorizOffset() const { return FHorizOffset; }
  bool Orthogonal() const { return FOrthogonal; }
  int Perspective() const { return FPerspective; }
  int Rotation() const { return FRotation; }
  int Tilt() const { return FTilt; }
  int VertOffset() const { return FVertOffset; }
  int Zoom() const { return FZoom; }
  bool ZoomText() const { return FZoomText; }
  int Value(TView3DValue Which) const;

  void SetElevation(int Value);
  void SetHorizOffset(int Value);
  void SetOrthogonal(bool Value);
  void SetPerspective(int Value);
  void SetRotation(int Value);
  void SetTilt(int Value);
  void SetVertOffset(int Value);
  void SetZoom(int Value);
  void SetZoomText(bool Value);
  // Values out of range are held to it.
  void SetValue(TView3DValue Which, int Value);

  // Copies the nine values, not the events.
  void Assign(const TView3DOptions& Source);
  TCustomChartPanel* Owner() const { return FOwner; }

  // Horizontal is True for the horizontal offset.
  std::function<void(TCustomChartPanel* Sender, bool Horizontal)> OnScroll;
  // Fired with the new zoom before it is stored.
  std::function<void(TCustomChartPanel* Sender, int NewZoom)> OnChangedZoom;

 private:
  void Repaint();
  template <class T>
  bool Store(T& Field, T Value) {
    if (Field == Value) return false;
    Field = Value;
    Repaint();
    return true;
  }

  TCustomChartPanel* FOwner;
  int FElevation = 345;
  int FHorizOffset = 0;
  bool FOrthogonal = true;
  int FPerspective = 15;
  int FRotation = 345;
  int FTilt = 0;
  int FVertOffset = 0;
  int FZoom = 100;
  bool FZoomText = true;
};
