#pragma once
// DXF entity records for what the drawing primitives draw onto a DXF drawing: lines, rectangles,
// circles and filled cells in world coordinates. The records only; ExportDXF adds the section
// around them.
#include <QString>
#include <functional>

#include "platform/canvas.h"
#include "platform/colors.h"
#include "platform/text_file.h"
#include "plot/core/graph_types.h"

class QIODevice;

// The DXF colour number of an exact RGB value; 8 for anything else.
int ColorToDXF(TColor Color);

class TDXF {
 public:
  QIODevice* F = nullptr;  // opened and closed by whoever exports
  // 0 script, 1 two-dimensional DXF, 2 DXF with Z, 3 coordinate lists; others write nothing.
  int Mode = 2;

  // Entities with a non-finite coordinate are left out: they have no place in the drawing.
  void WriteLine(const QString& Layer, TColor Color, double X1, double Y1, double X2, double Y2);
  void WriteRectangle(const TDoubleRect& R, const QString& Layer, TColor Color);
  void WriteCircle(const QString& Layer, TColor Color, double X, double Y, double Radius);
  void WriteSolid(const TDoubleRect& R, const QString& Layer, TColor Color);

  // The first write error since the last ResetError; later writes are dropped.
  bool Failed() const { return FFailed; }
  const QString& Error() const { return FError; }
  void ResetError() {
    FFailed = false;
    FError.clear();
  }

  // Upper case, blanks and "/" turned into "_", at most 255 characters.
  static QString LayerName(const QString& Name);

 private:
  void Put(const QString& Line);
  bool FFailed = false;
  QString FError;
};

// A DXF drawing as a canvas target. The graph's primitives write their entities in world values
// to its writer; what reaches the canvas in pixels (texts, axes, markers) has no place in it.
class TDxfTarget : public TCanvasTarget {
 public:
  TDxfTarget(QIODevice* F, int Mode, int Width = 640, int Height = 480);
  TCanvasTargetKind Kind() const override { return tkDxf; }
  void Execute(const TCanvasOp& /*Op*/) override {}
  TRect DeviceRect() const override { return {0, 0, FWidth, FHeight}; }
  TDXF& Writer() { return FWriter; }

 private:
  TDXF FWriter;
  int FWidth, FHeight;
};

// Writes a DXF file: the entities section with whatever Draw sends to the canvas of a DXF
// target in Mode, replacing FileName only when everything was written.
TFileStatus ExportDXF(const QString& FileName, int Mode, const std::function<void(TCanvas&)>& Draw);
