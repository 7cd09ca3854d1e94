#pragma once
// The chart editor: a modal, tabbed dialog over a chart and its series. The "Series" tab holds
// the series list and its buttons; every other tab is a page made the first time it is shown,
// by the page factory registered for it. Tabs without a page stay hidden.
#include <functional>
#include <memory>

#include <QPointer>

#include "chart/engine/chart.h"

#include "chart/engine/chart_series.h"
#include "platform/form.h"

class QPushButton;
class QWidget;
class TChartEditorPage;
class TChartListBox;

class TPageControl;

enum TChartEditorOption {
  ceAdd = 1,
  ceDelete = 2,
  ceChange = 4,
  ceClone = 8,
  ceDataSource = 16,
  ceTitle = 32,
  ceHelp = 64
};
inline constexpr int ChartEditorAllOptions = 127;

// The tabs of the "Chart" page, in order; the same numbers are the bits of HiddenTabs.
enum TChartEditorTab {
  cetSeries,
  cetGeneral,
  cetAxis,
  cetTitles,
  cetLegend,
  cetPanel,
  cetPaging,
  cetWalls,
  cet3D,
  // These two hide tabs of the series form: where its data come from ("Data Source") and
  // "General", the form's first two optional tabs.
  cetSeriesData,
  cetSeriesGeneral
};
inline constexpr int ChartEditorTabCount = 9;

using TChartPageFactory = std::function<TChartEditorPage*(QWidget* Owner, TCustomChart* Chart)>;
void RegisterChartEditorPage(TChartEditorTab Tab, TChartPageFactory Factory);
// The form of the "Series" main tab: made with the chart, then told which series to show (at
// its first page when FirstPage is set), and asked before the user leaves it.
struct TChartSeriesEditor {
  std::function<TChartEditorPage*(QWidget* Owner, TCustomChart* Chart, int Options, int HiddenTabs)>
      Create;
  std::function<void(TChartEditorPage* Page, TChartSeries* Series, bool FirstPage)> ShowSeries;
  std::function<bool(TChartEditorPage* Page)> CanLeave;
};
void RegisterChartSeriesEditor(TChartSeriesEditor Editor);

// The pages this library offers; start-up calls it beside the chart's own registration.
void RegisterChartEditors();

class TChartEditForm : public TForm {
  Q_OBJECT
 public:
  explicit TChartEditForm(QWidget* Owner);
  ~TChartEditForm() override;

  QPointer<TCustomChart> Chart;
  TSeriesHandle TheEditSeries;
  int TheActivePageIndex = -1;
  int EditorOptions = ChartEditorAllOptions;
  int HiddenTabs = 0;

  TPageControl* MainPage;
  TPageControl* Notebook1;
  TChartListBox* LBSeries;
  QPushButton *BMoveUP, *BMoveDown, *BAddSeries, *BDeleteSeries, *BRenameSeries, *BCloneSeries,
      *BChangeTypeSeries, *BClose;

  // The page of a tab once it has been shown, else null.
  TChartEditorPage* Page(TChartEditorTab Tab) const;
  TChartEditorPage* SeriesForm() const { return FSeriesForm; }
  void RefreshButtons();
  void ShowSeriesTab(TChartSeries* Series, bool FirstPage = false);
  void SetChart(TCustomChart* Value);

 protected:
  void FormShow() override;

 private:
  void NotebookChange();
  void ShowPage(int Index);
  // Sizes the dialog for its largest page and widest tab row, within the screen.
  void FitPages();
  void RememberChoices() const;
  bool SeriesIsOwnedElsewhere(const TChartSeries* S) const;
  TChartEditorPage* FPages[ChartEditorTabCount] = {};
  TChartEditorPage* FSeriesForm = nullptr;
};

TChartEditForm* CreateChartEditor(QWidget* Owner, TCustomChart* Chart);
void EditChartPage(QWidget* Owner, TCustomChart* Chart, int PageIndex);
void EditChart(QWidget* Owner, TCustomChart* Chart);
void EditSeries(QWidget* Owner, TChartSeries* Series);
