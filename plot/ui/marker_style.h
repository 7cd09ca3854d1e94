#pragma once
// The symbol style dialog: a series' marker style, size and colours, chosen from icons that the
// markers draw of themselves. In live mode it edits a series (and the other selected ones) and
// repaints its graph at once; in value mode it edits copies that the caller gets back on OK.
#include <QImage>
#include <vector>

#include "platform/colors.h"
#include "platform/form.h"
#include "plot/core/graph_layer.h"
#include "plot/core/graph_validates.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class TSeries;

// Marker style Style drawn by the marker itself, Size pixels across, on white; at a pixel
// ratio, Ratio times as many pixels with every measure of the drawing scaled alike.
QImage MarkerStyleImage(int Style, int Size, TColor PenColor, TColor FillColor, double Ratio = 1);

class TfmMarkerStyle : public TForm {
  Q_OBJECT
 public:
  static constexpr int StyleCount = 28;

  explicit TfmMarkerStyle(QWidget* Owner = nullptr);
  ~TfmMarkerStyle() override;

  // Live mode on Series; Selected are the series the properties dialog's list has selected,
  // which follow the style and size when there are several.
  bool Execute(TSeries* Series, const std::vector<TLayerHandle>& Selected = {});
  void Load(TSeries* Series, const std::vector<TLayerHandle>& Selected = {});
  // Value mode: true, with the values written back, only when closed with OK.
  bool ExecuteValues(int& Style, int& Size, TColor& PenColor, TColor& FillColor);
  void LoadValues(int Style, int Size, TColor PenColor, TColor FillColor);

  void StyleClick(int Item);
  // A size taken by its field: the copy, and in live mode the series.
  void SizeChanged(int Value);
  void PenColorClick();
  void FillColorClick();

  QListWidget* Markers = nullptr;
  QLabel* Image1 = nullptr;
  TNumberEdit* edSize = nullptr;
  QPushButton *btPenColor = nullptr, *btFillColor = nullptr, *btClose = nullptr,
              *btCancel = nullptr;
  bool Loading = false;
  // Value mode's copies.
  int Style = 0, Size = 4;
  TColor PenColor = clBlack, FillColor = clWhite;

 protected:
  void FormCreate() override;

 private:
  TSeries* Series() const;
  std::vector<TSeries*> Targets() const;
  void ShowPreview();
  void Repaint();
  // A colour dialog on the copy; the series (in live mode) gets the choice through Set.
  void ChooseColor(TColor& Copy, void (TSeries::*Set)(TColor));
  TLayerHandle FSeries;
  std::vector<TLayerHandle> FSelected;
};
