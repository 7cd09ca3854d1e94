#pragma once
// The chart's walls and titles.
#include <memory>

#include <QStringList>

#include "chart/engine/chart_panel.h"
#include "chart/engine/chart_pen.h"

class TCustomChart;

class TChartWall {
 public:
  TChartWall(TCustomChart* Owner, TColor DefaultColor);
  TChartWall(const TChartWall&) = delete;
  TChartWall& operator=(const TChartWall&) = delete;

  TChartBrush* Brush() const { return FBrush.get(); }
  TChartPen* Pen() const { return FPen.get(); }
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  bool Dark3D() const { return FDark3D; }
  void SetDark3D(bool Value);
  int Size() const { return FSize; }
  void SetSize(int Value);
  // Colour is written with the chart only when it differs from the wall's default.
  bool IsColorStored() const { return FColor != FDefaultColor; }
  // Dark sides only with a plain brush that is not clear.
  bool DarkSides() const { return FDark3D && FBrush->Style() != bsClear && !FBrush->HasBitmap(); }
  void Assign(const TChartWall& Source);

 private:
  void Repaint();
  TCustomChart* FOwner;
  std::unique_ptr<TChartBrush> FBrush;
  std::unique_ptr<TChartPen> FPen;
  TColor FColor = clChartAuto;
  TColor FDefaultColor;
  bool FDark3D = true;
  int FSize = 0;
};

class TChartTitle : public TChartFontObject {
 public:
  explicit TChartTitle(TCustomChart* Owner);

  // The lines; a change repaints.
  const QStringList& Text() const { return FText; }
  void SetText(const QStringList& Value);
  void ClearText() { SetText({}); }
  void AddLine(const QString& Line);
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  bool AdjustFrame() const { return FAdjustFrame; }
  void SetAdjustFrame(bool Value);
  TChartBrush* Brush() const { return FBrush.get(); }
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  TChartHiddenPen* Frame() const { return FFrame.get(); }
  // The rectangle of the last drawing, for hit tests.
  const TRect& TitleRect() const { return FTitleRect; }
  bool IsFontStored() const override;

  // Draws the title (IsTitle) or the foot and takes its room from the chart rectangle.
  void DrawTitle(bool IsTitle);
  bool Clicked(int X, int Y) const;
  void Assign(const TChartTitle& Source);

 private:
  TCustomChart* FChart;
  QStringList FText;
  bool FVisible = true;
  TAlignment FAlignment = taCenter;
  bool FAdjustFrame = true;
  std::unique_ptr<TChartBrush> FBrush;
  TColor FColor = clChartAuto;
  std::unique_ptr<TChartHiddenPen> FFrame;
  TRect FTitleRect;
};
