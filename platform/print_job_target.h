#pragma once
// The canvas target of a running print job: draws with the job's painter, at the job's
// resolution, on its printable area.
#include "platform/canvas_targets.h"
#include "platform/printer.h"

class TPrintJobTarget : public TPainterTarget {
 public:
  explicit TPrintJobTarget(TPrintJob& Job) : FJob(Job) {}
  TCanvasTargetKind Kind() const override { return tkPrinter; }
  int PixelsPerInchX() const override { return FJob.PixelsPerInch(); }
  int PixelsPerInchY() const override { return FJob.PixelsPerInch(); }
  TRect DeviceRect() const override { return {0, 0, FJob.PageWidth(), FJob.PageHeight()}; }
  QPaintDevice* MetricsDevice() override;

 protected:
  QPainter* ActivePainter() override { return FJob.Painter(); }
  bool SupportsRasterOps() const override { return false; }

 private:
  TPrintJob& FJob;
};
