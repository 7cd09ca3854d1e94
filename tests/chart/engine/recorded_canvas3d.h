#pragma once
// A 3D chart canvas over a 400 x 300 recording target, for tests of exact primitives.
#include <vector>

#include "chart/engine/canvas3d.h"
#include "chart/engine/view3d_options.h"
#include "platform/canvas_targets.h"

struct TRecordedCanvas3D {
  TRecordingTarget Target{400, 300};
  TCanvas Canvas{&Target};
  TView3DOptions Options;
  TChartCanvas3D C;
  explicit TRecordedCanvas3D(bool Is3D) {
    C.SetUseBuffer(false);
    C.InitWindow(&Canvas, &Options, clWhite, Is3D, {0, 0, 400, 300});
    C.Projection(0, {0, 0, 400, 300});
  }
  const std::vector<TCanvasOp>& Ops() const { return Target.Ops(); }
};
