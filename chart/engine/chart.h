#pragma once
// The complete chart control: on top of the axis panel it owns the title and the foot, the three
// walls and the legend, draws them, zooms and scrolls with the mouse, answers which part of the
// chart lies under a point, and pages through the points.
#include <functional>
#include <memory>

#include <QMouseEvent>

#include "chart/engine/axis_panel.h"
#include "chart/engine/chart_legend.h"
#include "chart/engine/chart_parts.h"
#include "platform/shift_state.h"

enum TChartClickedPartStyle { cpNone, cpLegend, cpAxis, cpSeries, cpTitle, cpFoot, cpChartRect };

struct TChartClickedPart {
  TChartClickedPartStyle Part = cpNone;
  int PointIndex = -1;
  TChartSeries* ASeries = nullptr;
  TChartAxis* AAxis = nullptr;
};

// Library-wide: which button and keys zoom and pan, and how far each animated step goes.
extern Qt::MouseButton ChartZoomMouseButton;
extern Qt::MouseButton ChartPanningMouseButton;
extern TShiftState ChartZoomKeyShift;
extern TShiftState ChartPanningKeyShift;
extern double AnimatedZoomFactor;
// Drags of this many pixels or fewer either way neither zoom nor undo.
inline constexpr int ChartMinZoomDrag = 16;

class TCustomChart : public TCustomAxisPanel {
  Q_OBJECT

 public:
  explicit TCustomChart(QWidget* Parent = nullptr);
  ~TCustomChart() override;

  TChartTitle* Title() const { return FTitle.get(); }
  TChartTitle* Foot() const { return FFoot.get(); }
  TChartWall* BackWall() const { return FBackWall.get(); }
  TChartWall* LeftWall() const { return FLeftWall.get(); }
  TChartWall* BottomWall() const { return FBottomWall.get(); }
  TChartLegend* Legend() const { return FLegend.get(); }
  bool BackImageInside() const { return FBackImageInside; }
  void SetBackImageInside(bool Value);
  TColor BackColor() const { return FBackWall->Color(); }
  // Also makes the back wall's brush solid.
  void SetBackColor(TColor Value);
  TChartPen* Frame() const { return FBackWall->Pen(); }
  TLegendTextStyle LegendTextStyle() const override { return FLegend->TextStyle(); }

  // The wall depth an axis gives room to: the left wall's for the left axis, the bottom wall's
  // for the bottom axis, 0 otherwise and without 3D walls.
  int CalcWallSize(const TChartAxis* Axis) const;
  void DrawBackImage(const TRect& R) override;
  void UndoZoom() override;
  virtual void ZoomFromRect();
  void ZoomRect(const TRect& R);
  void NextPage();
  void PreviousPage();
  void ExchangeSeries(int A, int B);
  TChartSeries* FirstActiveSeries() const;
  QString GetAxisTitle(const TChartAxis* Axis) const;
  TChartClickedPart CalcClickedPart(TPoint P) const;
  // Proc for each data source of Series.
  virtual void FillSeriesSourceItems(TChartSeries* Series,
                                     const std::function<void(TChartSeries*)>& Proc);
  bool IsFreeSeriesColor(TColor Color, bool CheckBackground) const override;

  // The mouse, as the widget's events deliver it; tests call these directly.
  void MouseDown(Qt::MouseButton Button, TShiftState Shift, int X, int Y);
  void MouseMove(TShiftState Shift, int X, int Y);
  void MouseUp(Qt::MouseButton Button, TShiftState Shift, int X, int Y);

  void Assign(const TCustomChart& Source);

  using TMouseEvent =
      std::function<void(TCustomChart*, Qt::MouseButton, TShiftState, int X, int Y)>;
  std::function<void(TCustomChart*, TChartSeries*, int ValueIndex, Qt::MouseButton, TShiftState,
                     int X, int Y)>
      OnClickSeries;
  std::function<void(TCustomChart*, TChartAxis*, Qt::MouseButton, TShiftState, int X, int Y)>
      OnClickAxis;
  TMouseEvent OnClickLegend;
  TMouseEvent OnClickBackground;
  // The legend asks these: the text of item Index, where item Index goes (its text at X, Y, its
  // symbol at XColor) and the legend's rectangle.
  std::function<void(TCustomChart*, ChartLegend::TLegendStyle, int Index, QString& Text)>
      OnGetLegendText;
  std::function<void(TCustomChart*, int Index, int& X, int& Y, int& XColor)> OnGetLegendPos;
  std::function<void(TCustomChart*, TRect& Rect)> OnGetLegendRect;
  // May change the new range or veto the scroll.
  std::function<void(TChartAxis*, double& Min, double& Max, bool& Allow)> OnAllowScroll;

 protected:
  void CalcAxisRect() override;
  void DrawTitlesAndLegend() override;
  void DrawWallsAndBack() override;
  void mousePressEvent(QMouseEvent* Event) override;
  void mouseDoubleClickEvent(QMouseEvent* Event) override;
  void mouseMoveEvent(QMouseEvent* Event) override;
  void mouseReleaseEvent(QMouseEvent* Event) override;

 private:
  struct TSavedRange {
    bool Automatic = true, AutomaticMinimum = true, AutomaticMaximum = true;
    double Min = 0, Max = 0;
  };
  void SaveAxesRanges();
  void ScrollAxis(TChartAxis* Axis, int OldPos, int NewPos);
  void StartZoomOrPan(Qt::MouseButton Button, TShiftState Shift, int X, int Y);

  std::unique_ptr<TChartTitle> FTitle, FFoot;
  std::unique_ptr<TChartWall> FBackWall, FLeftWall, FBottomWall;
  std::unique_ptr<TChartLegend> FLegend;
  bool FBackImageInside = false;
  TSavedRange FSavedRanges[4];
  bool FRangesSaved = false;
};

class TChart : public TCustomChart {
  Q_OBJECT

 public:
  using TCustomChart::TCustomChart;
};
