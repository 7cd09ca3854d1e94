#include "chart/engine/view3d_options.h"

#include "chart/engine/chart_panel.h"

void TView3DOptions::Repaint() {
  if (FOwner) FOwner->Invalidate();
}

void TView3DOptions::SetElevation(int Value) { Store(FElevation, Value); }
void TView3DOptions::SetOrthogonal(bool Value) { Store(FOrthogonal, Value); }
void TView3DOptions::SetPerspective(int Value) { Store(FPerspective, Value); }
void TView3DOptions::SetRotation(int Value) { Store(FRotation, Value); }
void TView3DOptions::SetTilt(int Value) { Store(FTilt, Value); }
void TView3DOptions::SetZoomText(bool Value) { Store(FZoomText, Value); }

void TView3DOptions::SetHorizOffset(int Value) {
  if (Store(FHorizOffset, Value) && OnScroll) OnScroll(FOwner, true);
}

void TView3DOptions::SetVertOffset(int Value) {
  if (Store(FVertOffset, Value) && OnScroll) OnScroll(FOwner, false);
}

void TView3DOptions::SetZoom(int Value) {
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
