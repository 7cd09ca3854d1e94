#pragma once
// The plot's wrappers of its graph's legends: the series legend and the first colour legend.
// Unlike the other property objects they store at once, without comparison and without repaint;
// the caller redraws.
#include <memory>

#include "plot/core/graph_legend.h"
#include "plot/ui/plot_properties.h"

class TPlotAbstractLegend : public TPlotPersistent {
 public:
  TPlotAbstractLegend(TPlot* APlot, TAbstractLegend* ALegend)
      : TPlotPersistent(APlot), FLegend(ALegend) {}

  bool GetVisible() const { return FLegend->GetVisible(); }
  void SetVisible(bool V) { FLegend->SetVisible(V); }
  bool GetTransparentBackGround() const { return FLegend->TransparentBackGround; }
  void SetTransparentBackGround(bool V) { FLegend->TransparentBackGround = V; }
  TColor GetColor() const { return FLegend->GetColor(); }
  void SetColor(TColor V) { FLegend->SetColor(V); }
  int GetShadowThickness() const { return FLegend->ShadowThickness; }
  void SetShadowThickness(int V) { FLegend->ShadowThickness = V; }
  TLegendStyle GetStyle() const { return FLegend->Style; }
  void SetStyle(TLegendStyle V) { FLegend->Style = V; }
  TColor GetShadowColor() const { return FLegend->ShadowColor; }
  void SetShadowColor(TColor V) { FLegend->ShadowColor = V; }
  bool GetShadowVisible() const { return FLegend->ShadowVisible; }
  void SetShadowVisible(bool V) { FLegend->ShadowVisible = V; }
  TColor GetFrameColor() const { return FLegend->FrameColor; }
  void SetFrameColor(TColor V) { FLegend->FrameColor = V; }
  bool GetFrameVisible() const { return FLegend->FrameVisible; }
  void SetFrameVisible(bool V) { FLegend->FrameVisible = V; }
  int GetFrameThickness() const { return FLegend->FrameThickness; }
  void SetFrameThickness(int V) { FLegend->FrameThickness = V; }
  TPenStyle GetFrameStyle() const { return FLegend->FrameStyle; }
  void SetFrameStyle(TPenStyle V) { FLegend->FrameStyle = V; }
  const TFont& GetFont() const { return FLegend->Font; }
  void SetFont(const TFont& V) { FLegend->Font.Assign(V); }

 protected:
  TAbstractLegend* FLegend;
};

class TPlotLegend : public TPlotAbstractLegend {
 public:
  TPlotLegend(TPlot* APlot, TWLegend* ALegend) : TPlotAbstractLegend(APlot, ALegend) {}
  TWLegend* Legend() const { return static_cast<TWLegend*>(FLegend); }
  int GetCount() const { return Legend()->Count(); }
  // Appends an entry to the series legend, which keeps it; answers it.
  TLegend* Add(std::unique_ptr<TLegend> Item) { return Legend()->AddItem(std::move(Item)); }
};

class TPlotColorLegend : public TPlotAbstractLegend {
 public:
  TPlotColorLegend(TPlot* APlot, TColorLegend* ALegend) : TPlotAbstractLegend(APlot, ALegend) {}
  TColorLegend* Legend() const { return static_cast<TColorLegend*>(FLegend); }
};
