#pragma once
// A panel that paints its background and fills its chart rectangle, counting its drawings, and
// a series of fixed points for the chart tests.
#include <cstdlib>
#include <vector>

#include "chart/engine/chart.h"
#include "chart/engine/chart_panel.h"

class TTestPanel : public TCustomChartPanelExtended {
 public:
  int Draws = 0;
  TColor Fill = clRed;
  QString Text;  // written at the chart rectangle's top left

 protected:
  void InternalDraw(const TRect& R) override {
    ++Draws;
    PanelPaint(ChartBounds());
    TChartCanvas3D* C = Canvas3D();
    C->Brush()->SetData(TBrushData{Fill, bsSolid, {}});
    C->Pen()->SetStyle(psClear);
    C->FillRect(R);
    if (!Text.isEmpty()) {
      C->Font()->SetSize(12);
      C->Font()->SetColor(clBlack);
      C->Brush()->SetStyle(bsClear);
      C->TextOut(R.Left, R.Top, Text);
    }
  }
};

class TTestSeries : public TChartSeries {
 public:
  std::vector<double> X, Y;
  int Drawn = 0;
  void Add(double AX, double AY) {
    X.push_back(AX);
    Y.push_back(AY);
  }
  int Count() const override { return int(X.size()); }
  double XValue(int i) const override { return X[size_t(i)]; }
  double YValue(int i) const override { return Y[size_t(i)]; }
  // A point answers within 3 pixels of where its axes put it.
  int Clicked(int PX, int PY) const override {
    const TCustomAxisPanel* C = ParentChart();
    if (!C) return -1;
    for (int i = 0; i < Count(); ++i) {
      const int SX = C->BottomAxis()->CalcPosValue(X[size_t(i)]);
      const int SY = C->LeftAxis()->CalcPosValue(Y[size_t(i)]);
      if (std::abs(SX - PX) <= 3 && std::abs(SY - PY) <= 3) return i;
    }
    return -1;
  }
  void DrawAllValues() override { ++Drawn; }
};
