#pragma once
// The 3D view settings a chart panel owns. Every setter compares first; a changed value is
// stored and repaints the panel.
#include <functional>

class TCustomChartPanel;

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

  void SetElevation(int Value);
  void SetHorizOffset(int Value);
  void SetOrthogonal(bool Value);
  void SetPerspective(int Value);
  void SetRotation(int Value);
  void SetTilt(int Value);
  void SetVertOffset(int Value);
  void SetZoom(int Value);
  void SetZoomText(bool Value);

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
