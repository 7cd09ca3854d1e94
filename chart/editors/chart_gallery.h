#pragma once
// The series-type gallery: tabbed pages of small live sample charts, one per registered type,
// from which the user picks the type of a new series or the new type of a series.
#include <memory>
#include <vector>

#include <QImage>
#include <QTabBar>
#include <QWidget>

#include "chart/engine/series_types.h"
#include "platform/colors.h"
#include "platform/form.h"

class QCheckBox;
class QPushButton;
class TChart;
class TChartSeries;
class TCustomAxisPanel;

class TChartTabControl : public QTabBar {
  Q_OBJECT
 public:
  explicit TChartTabControl(QWidget* Parent = nullptr);
  QString CurrentCaption() const { return tabText(currentIndex()).remove(QLatin1Char('&')); }
};

class TChartGalleryPanel : public QWidget {
  Q_OBJECT
 public:
  explicit TChartGalleryPanel(QWidget* Parent = nullptr);
  ~TChartGalleryPanel() override;

  int Rows = 3, Cols = 4;
  static constexpr int BorderWidth = 4;
  // The sample charts in cell order; each knows the type it shows.
  struct TSample {
    TChart* Chart;
    const TChartSeriesType* Type;
    bool Enabled;
  };
  const std::vector<TSample>& Charts() const { return FCharts; }
  int SelectedIndex() const { return FSelected; }
  const TChartSeriesType* SelectedType() const;
  // Selects the chart of a cell (-1: none); the selection event follows.
  void SelectChart(int Index);
  void SelectType(const TChartSeriesType* Type);
  // Frees the sample charts and makes one per type in the next cells.
  void Rebuild(const std::vector<const TChartSeriesType*>& Types, bool View3D,
               const TChartSeries* Changing, bool AllowFunctions);
  QSize CellSize() const;
  void PlaceCharts();

  std::function<void()> OnSelectedChart;  // double click or Enter
  std::function<void()> OnChangeChart;    // the selection moved

 protected:
  void resizeEvent(QResizeEvent* Event) override;
  void mousePressEvent(QMouseEvent* Event) override;
  void mouseDoubleClickEvent(QMouseEvent* Event) override;
  void keyPressEvent(QKeyEvent* Event) override;

 private:
  int CellAt(QPoint P) const;
  void ShowSelection();
  std::vector<TSample> FCharts;
  int FSelected = -1;
};

class TChartGallery : public TForm {
  Q_OBJECT
 public:
  TChartGallery(QWidget* Owner, TCustomAxisPanel* Chart, const TChartSeries* Series,
                bool AllowFunctions = true);
  ~TChartGallery() override;

  TChartTabControl* TabControl;
  TChartGalleryPanel* ChartGalleryPanel1;
  QCheckBox* CB3D;
  QPushButton *BOk, *BCancel;
  const bool AllowFunctions;

  // The types of the current tab, in registration order.
  std::vector<const TChartSeriesType*> PageTypes() const;
  void CreateGalleryPage();

 protected:
  void FormShow() override;

 private:
  const TChartSeries* FChanging;
  bool FOldErase;
  const TChartSeriesType* FRemembered = nullptr;
};

// The registered type that stands for S in the gallery: its series and function classes, else
// its function alone, else its series class alone; null when none is registered.
const TChartSeriesType* GallerySeriesType(const TChartSeries& S);
// Runs the gallery for Chart (pre-selecting Series' type when one is given). On "OK" with a chart
// selected: true, with the chosen series class, function class (null when none) and 3D state.
// Without functions, the types that could not take Series as their data source cannot be picked.
bool ShowChartGallery(QWidget* Owner, TCustomAxisPanel* Chart, const TChartSeries* Series,
                      TChartSeriesClass& SeriesClass, TChartFunctionClass& FunctionClass,
                      bool& View3D, bool AllowFunctions = true);
// The gallery's sample chart of type T, Size large on Back, as the series page shows its
// series' type; drawn at Ratio image pixels to a unit of Size, for a screen of that ratio.
QImage GalleryPicture(const TChartSeriesType& T, QSize Size, TColor Back, qreal Ratio = 1);
// The rows the gallery panel takes for a page of Count types at four a row: never fewer than
// three, and enough for every type.
int GalleryRows(int Count);
