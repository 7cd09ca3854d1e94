#pragma once
// The matrix series: a grid of values shown cell by cell at the world points x = i, y = j, as a
// marker sized by the value's magnitude (one style for positive, another for the rest) or, shaded,
// as a square in the value's colour on the layer's scale.
#include <QString>
#include <functional>
#include <memory>

#include "plot/core/graph_marker.h"
#include "plot/core/graph_matrix.h"
#include "plot/layers/series.h"

class TMatrixSeries : public TSeries {
 public:
  TMatrixSeries(TGraph* AGraph, int NX, int NY);
  // The bare layer the loader starts from: one cell.
  explicit TMatrixSeries(TGraph* AGraph) : TMatrixSeries(AGraph, 1, 1) {}

  GraphMatrix::TMatrix Matrix{1, 1};
  TStringMatrix Texts{1, 1};
  TMarker PositiveMarker;
  TMarker NegativeMarker;
  // Even: the marker operations act on the positive marker, odd: on the negative one.
  int MarkerToggle = 0;
  // The size scale uses the matrix's own range even when the layer has a user range.
  bool UseAbsoluteRange = false;

  QString ClassName() const override { return QStringLiteral("TMatrixSeries"); }
  int ItemCount() const override { return Matrix.NX * Matrix.NY; }

  // Takes the size from Matrix, remakes the texts and resets the axes to the cells.
  void Resize();
  void GetExtent(double& XMin, double& XMax, double& YMin, double& YMax) override;
  double GetZMin() const override { return Matrix.ZMin; }
  double GetZMax() const override { return Matrix.ZMax; }

  // The cell nearest to a world point, held to the grid, 1-based.
  void CellAt(double X, double Y, int& I, int& J) const;
  // 0-based index of that cell, i running fastest.
  int PointIndexAt(double X, double Y) const;
  double ValueAt(double X, double Y) const;
  QString TextAt(double X, double Y) const;
  // The cell whose centre lies within 0.25 of a world point on both axes; false for none.
  bool HitCell(double X, double Y, int& I, int& J) const;

  // The range drawn: the layer's user range where its flags are set, else the matrix's.
  void DrawRange(double& Start, double& End) const;
  // Pixel size of the marker of V.
  int MarkerPixelSize(double V) const;

  // The marker the toggle points at.
  TMarker& CurrentMarker() { return MarkerToggle % 2 == 0 ? PositiveMarker : NegativeMarker; }
  int CurrentMarkerStyle() { return CurrentMarker().Style; }
  // Advances the toggle.
  void SetCurrentMarkerStyle(int Style);
  void SetCurrentMarkerColor(TColor C);
  void SetCurrentMarkerFillColor(TColor C);
  // The layer colour is the display colour and the positive marker's colour.
  void SetColor(TColor Value) override;

  // The " + " and " - " entries of the legend; none while shaded.
  TSeriesLegend* PositiveLegend() const { return HeldLegend(Graph, FPositiveSerial); }
  TSeriesLegend* NegativeLegend() const { return HeldLegend(Graph, FNegativeSerial); }
  void UpdateLegends();
  void SetShaded(bool Value) override;

  void SetVisible(bool Value) override;

  void Draw() override;
  // Receives the world point while the mouse is over a cell.
  std::function<void(double X, double Y)> OnMouseOver;
  // Over a cell the owner shows the cell's text as the hint, and takes it away off the cells.
  void MouseMove(int Shift, int X, int Y) override;
  // The 0-based index of the cell the series was selected on, -1 while it is not selected.
  int SelectedCell() const { return Selected ? SelectedIndex : -1; }
  // A bubble names the cell at its place by the cell's text.
  bool PointNameAt(int Index, double X, double Y, QString& AName) const override;

  void Load(TGraphTextReader& F) override;
  void Save(TGraphTextWriter& F) const override;

 private:
  void FixAxes();
  void ShowCellHint(const QString& Text);
  QString FHint;
  bool FHintShown = false;
  void LegendOf(TSeriesLegend& E, const TMarker& M, const QString& Sign) const;
  // Puts the two entries into the graph's legend, or takes them out.
  void ListLegends(bool Listed);
  std::uint64_t FPositiveSerial = 0, FNegativeSerial = 0;
};

// Registers the matrix series with the graph's layer registry; call once at start-up.
void RegisterMatrixSeriesLayerClasses();
