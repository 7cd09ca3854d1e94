#pragma once
// The list of a chart's series: one row each with the type icon, an "active" check box, a colour
// swatch and the title. The user reorders, shows or hides, recolours, renames, deletes, clones
// and changes the type of series from it. Rows keep handles, so a series deleted elsewhere
// empties its row instead of leaving it dangling.
#include <functional>
#include <vector>

#include <QListWidget>
#include <QPointer>

#include "chart/engine/chart.h"

#include "chart/engine/chart_series.h"

class TChartListBox : public QListWidget {
  Q_OBJECT
 public:
  explicit TChartListBox(QWidget* Parent = nullptr);
  ~TChartListBox() override;

  static constexpr int RowHeight = 27;
  TCustomChart* Chart() const { return FChart; }
  // Refills the list (null clears it).
  void SetChart(TCustomChart* Value);

  struct TSection {
    int Width;
    bool Visible;
  };
  // Icon, active check box, colour swatch, title.
  std::vector<TSection> Sections{{26, true}, {16, true}, {26, true}, {216, true}};
  bool ShowSeriesIcon() const { return Sections[0].Visible; }
  void SetShowSeriesIcon(bool V) { SetSection(0, V); }
  bool ShowActiveCheck() const { return Sections[1].Visible; }
  void SetShowActiveCheck(bool V) { SetSection(1, V); }
  bool ShowSeriesColor() const { return Sections[2].Visible; }
  void SetShowSeriesColor(bool V) { SetSection(2, V); }
  bool ShowSeriesTitle() const { return Sections[3].Visible; }
  void SetShowSeriesTitle(bool V) { SetSection(3, V); }
  // The section under x (-1 past the last), and where a section starts.
  int SectionAt(int X) const;
  int SectionLeft(int Index) const;

  bool EnableDeleteKey = true;
  bool AskDelete = true;
  // A second list that shows the same titles.
  QPointer<QListWidget> OtherItems;

  // Lists the chart's series and selects Series, else the first row.
  void FillSeries(TChartSeries* Series = nullptr);
  // The series of a row, or null once it was deleted.
  TChartSeries* SeriesAt(int Row) const;
  TChartSeries* SelectedSeries() const;
  int SelectedCount() const;
  QString SeriesTitle(const TChartSeries* Series) const;

  void MoveUp();
  void MoveDown();
  // Moves the series of row From to row To in the chart's order.
  void MoveSeries(int From, int To);
  void DeleteSeries();
  void RenameSeries();
  void CloneSeries();
  void ChangeTypeSeries();
  void ChangeSeriesColor(int Row);
  // Adds a series through the gallery; the new series, or null.
  TChartSeries* AddSeriesGallery();

  std::function<void()> OnChangeList;
  std::function<void()> OnNoSelection;
  std::function<void(TChartSeries*)> OnChangeActive;
  std::function<void(TChartSeries*)> OnEditSeries;

 protected:
  void mousePressEvent(QMouseEvent* Event) override;
  void mouseMoveEvent(QMouseEvent* Event) override;
  void mouseReleaseEvent(QMouseEvent* Event) override;
  void mouseDoubleClickEvent(QMouseEvent* Event) override;
  void keyPressEvent(QKeyEvent* Event) override;

 private:
  friend class TChartListBoxDelegate;
  void SetSection(int Index, bool Visible);
  void ToggleActive(int Row);
  void Changed();
  std::vector<TSeriesHandle> Selected() const;
  QPointer<TCustomChart> FChart;
  std::vector<TSeriesHandle> FRows;
  int FDragRow = -1;
  bool FDragging = false;
  bool FAfterDoubleClick = false;
};
