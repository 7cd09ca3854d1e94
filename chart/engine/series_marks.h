#pragma once
// The marks of a series: the labelled boxes next to its points, joined to them by an arrow. The
// appearance and the choice of text live here; the box of each drawn point is kept, so that a
// mark the user moved stays where it was put.
#include <functional>
#include <memory>
#include <vector>

#include <QString>

#include "chart/engine/chart_pen.h"
#include "platform/geometry.h"

class TChartCanvas3D;

enum TSeriesMarksStyle {
  smsValue,
  smsPercent,
  smsLabel,
  smsLabelPercent,
  smsLabelValue,
  smsLegend,
  smsPercentTotal,
  smsLabelPercentTotal,
  smsXValue
};

struct TSeriesMarkPosition {
  TPoint ArrowStart, ArrowEnd;
  bool UserMoved = false;
  int Height = 0;
  TPoint TopLeft;
  int Width = 0;
  // Every field but UserMoved.
  void Assign(const TSeriesMarkPosition& Source);
  TRect Bounds() const { return {TopLeft.X, TopLeft.Y, TopLeft.X + Width, TopLeft.Y + Height}; }
};

// The texts a mark may show of one point, as the series computes them.
struct TMarkTexts {
  QString Label, Value, Percent, PercentTotal, Legend, XValue;
};
// The mark text of Style: an empty label shows the value instead.
QString MarkTextOfStyle(TSeriesMarksStyle Style, const TMarkTexts& Texts);

// The box of a mark text: the widest line plus a "W", by the font height per line, both grown
// by twice the frame width when the frame shows; its top left above the point, centred on it.
TSeriesMarkPosition MarkBox(TChartCanvas3D& Canvas, const QString& Text, TPoint Point,
                            bool FrameVisible, int FrameWidth);

class TSeriesMarks {
 public:
  explicit TSeriesMarks(std::function<void()> Repaint = nullptr);
  TSeriesMarks(const TSeriesMarks&) = delete;
  TSeriesMarks& operator=(const TSeriesMarks&) = delete;
  ~TSeriesMarks();

  // Arrow, length, colours, transparency, clipping, frame, font, style, visibility.
  void Assign(const TSeriesMarks& Source);

  TChartArrowPen* Arrow() const { return FArrow.get(); }
  int ArrowLength() const { return FArrowLength; }
  void SetArrowLength(int Value);
  TColor BackColor() const { return FBackColor; }
  void SetBackColor(TColor Value);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  bool Clip() const { return FClip; }
  void SetClip(bool Value);
  TChartPen* Frame() const { return FFrame.get(); }
  TFont* Font() const { return FFont.get(); }
  TSeriesMarksStyle Style() const { return FStyle; }
  void SetStyle(TSeriesMarksStyle Value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  int ZPosition() const { return FZPosition; }
  void SetZPosition(int Value) { FZPosition = Value; }

  // The stored box of point Index, or null (also past the end).
  TSeriesMarkPosition* Position(int Index) const;
  int PositionCount() const { return int(FPositions.size()); }
  // Stores Position for point Index; a box the user moved wins and is copied back instead.
  void SetPosition(int Index, TSeriesMarkPosition& Position);
  void ClearPositions();
  // Point Index left the series: its box goes, the later ones move down.
  void DeletePosition(int Index);

  // Draws the mark of point Index with the point's Color: arrow, box and text lines.
  void Draw(TChartCanvas3D& Canvas, TColor ChartColor, int Index, TColor Color, const QString& Text,
            TSeriesMarkPosition& Position);

 private:
  template <class T>
  void Set(T& Field, T Value);
  void Changed() {
    if (FRepaint) FRepaint();
  }

  std::function<void()> FRepaint;
  std::unique_ptr<TChartArrowPen> FArrow;
  int FArrowLength = 8;
  TColor FBackColor = 0x0080FFFF;
  bool FTransparent = false;
  bool FClip = false;
  std::unique_ptr<TChartPen> FFrame;
  std::unique_ptr<TFont> FFont;
  TSeriesMarksStyle FStyle = smsLabel;
  bool FVisible = false;
  int FZPosition = 0;
  std::vector<std::unique_ptr<TSeriesMarkPosition>> FPositions;
};
