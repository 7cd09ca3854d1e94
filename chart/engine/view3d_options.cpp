#include "chart/engine/view3d_options.h"

#include "chart/engine/chart_panel.h"

void TView3DOptions::Repaint() {
  if (FOwner) FOwner->Invalidate();
}

namespace {
int Held(TView3DValue Which, int Value) { return View3DRange(Which).Clamp(Value); }
}  // namespace

void TView3DOptions::SetElevation(int Value) {
  Store(FElevation, Held(TView3DValue::Elevation, Value));
}
void TView3DOptions::SetOrthogonal(bool Value) { Store(FOrthogonal, Value); }
void TView3DOptions::SetPerspective(int Value) {
  Store(FPerspective, Held(TView3DValue::Perspective, Value));
}
void TView3DOptions::SetRotation(int Value) {
  Store(FRotation, Held(TView3DValue::Rotation, Value));
}
void TView3DOptions::SetTilt(int Value) { Store(FTilt, Held(TView3DValue::Tilt, Value)); }
void TView3DOptions::SetZoomText(bool Value) { Store(FZoomText, Value); }

void TView3DOptions::SetHorizOffset(int Value) {
  if (Store(FHorizOffset, Held(TView3DValue::HorizOffset, Value)) && OnScroll)
    OnScroll(FOwner, true);
}

void TView3DOptions::SetVertOffset(int Value) {
  if (Store(FVertOffset, Held(TView3DValue::VertOffset, Value)) && OnScroll)
    OnScroll(FOwner, false);
}

void TView3DOptions::SetZoom(int Value) {
  Value = Held(TView3DValue::Zoom, Value);
  if (FZoom == Value) return;
  if (OnChangedZoom) OnChangedZoom(FOwner, Value);
  Store(FZoom, Value);
}

void TView3DOptions::Assign(const TView3DOptions& Source) {
  if (&Source == this) return;
  FElevation = Source.FElevation;
  FHorizOffset = Source.FHorizOffset;
  FOrthogonal = Source.FOrthogonal;
  FPerspective = Source.FPerspective;
  FRotation = Source.FRotation;
  FTilt = Source.FTilt;
  FVertOffset = Source.FVertOffset;
  FZoom = Source.FZoom;
  FZoomText = Source.FZoomText;
  Repaint();
}

namespace {
struct TAccess {
  int (*Get)(const TView3DOptions&);
  void (*Set)(TView3DOptions&, int);
};
template <int (TView3DOptions::*Get)() const, void (TView3DOptions::*Set)(int)>
constexpr TAccess Access() {
  return {[](const TView3DOptions& O) { return (O.*Get)(); },
          [](TView3DOptions& O, int Value) { (O.*Set)(Value); }};
}
// The getter and setter of each value, in the order of TView3DValue.
using V = TView3DOptions;
constexpr TAccess Accessors[] = {Access<&V::Rotation, &V::SetRotation>(),
                                 Access<&V::Elevation, &V::SetElevation>(),
                                 Access<&V::Zoom, &V::SetZoom>(),
                                 Access<&V::HorizOffset, &V::SetHorizOffset>(),
                                 Access<&V::VertOffset, &V::SetVertOffset>(),
                                 Access<&V::Perspective, &V::SetPerspective>(),
                                 Access<&V::Tilt, &V::SetTilt>()};
}  // namespace

int TView3DOptions::Value(TView3DValue Which) const { return Accessors[size_t(Which)].Get(*this); }

void TView3DOptions::SetValue(TView3DValue Which, int Value) {
  Accessors[size_t(Which)].Set(*this, Value);
}
