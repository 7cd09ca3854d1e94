#pragma once
// The info bubbles: boxes pinned to clicked points or curves that show the X and Y values there,
// tied to their place by a pointed callout, drawn over everything else.
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/geometry.h"
#include "platform/graphics.h"
#include "plot/core/graph_layer.h"

enum TInfoStyle { isRoundRect, isRectangle, isNoBubble };
// In the order the placement tries them.
enum TInfoPosition {
  ipRightTop,
  ipTopCenter,
  ipLeftTop,
  ipRightBottom,
  ipBottomCenter,
  ipLeftBottom
};

// The anchor of one bubble. The series is held by handle: a bubble whose series was deleted or
// cleared away is never drawn again, whatever takes the series' place.
class TInfoLocation {
 public:
  // Takes the click pixel to world values on the series' axes.
  TInfoLocation(TGraph* Graph, TLayer* ASeries, int PX, int PY, bool AOnPoint);
  double X = 0, Y = 0;  // world values, raised back from log space
  int PointIndex = 0;
  TLayerHandle Series;
  bool OnPoint = false;
  TRect BubbleRect;  // where the bubble was last drawn
  // Tells this bubble from any other the layer ever held; the index in the list shifts.
  std::uint64_t Serial = 0;
};

class TGraphInfo : public TLayer {
 public:
  explicit TGraphInfo(TGraph* AGraph);
  ~TGraphInfo() override;

  struct TEntry {
    QString Text;
    std::unique_ptr<TInfoLocation> Location;
  };

  int NumberOfGeneralDigits = 7;
  TFont Font;
  std::vector<TEntry> Locations;
  TInfoStyle Style = isRoundRect;
  TInfoPosition Position = ipRightTop;
  TColor Color = clInfoBk;
  bool PointName = false;
  bool SeriesName = false;
  bool PointValue = true;
  bool SeriesValue = true;
  bool PointVisible = true;
  bool SeriesVisible = true;
  QString FormatX, FormatY;

  // A bubble for the series at the click pixel; its index, or -1 when none was added (a click on
  // a marker point that has a bubble removes that bubble unless Keep).
  int AddLocation(const QString& Text, TLayer* ASeries, int X, int Y, bool Keep);
  void DeleteLocation(int Index);
  // The index of the bubble with Serial, -1 once it is gone.
  int IndexOfSerial(std::uint64_t Serial) const;
  void Clear() override;
  void Draw() override;
  // A left click inside bubbles removes them and tells the graph the click was taken.
  void MouseDown(int Button, int Shift, int X, int Y) override;
  // The anchor pixel and the lines of bubble Index of a series; false to skip the bubble.
  bool GetLocationText(QStringList& Lines, TLayer* ASeries, const QString& XLabel,
                       const QString& YLabel, int& AnchorX, int& AnchorY, int Index);
  static TRect GetBubbleRect(TInfoPosition Pos, int P, int Q, int W, int H, int G);
  // V by a one-number format pattern (%f, %e, %g, %n with flags, width and precision), in general
  // form when the pattern is empty; false for a pattern that does not take exactly one number.
  bool FormatValue(const QString& Pattern, double V, QString& Text) const;

 private:
  bool DrawBubble(TEntry& E);
  bool FComposeFailed = false;
  std::uint64_t FLastSerial = 0;
};
