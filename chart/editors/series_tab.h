#pragma once
// The series page of the chart editor: a chooser of the chart's series, the chosen series'
// format page (with any tabs the page adds), its general settings, its marks and its data
// source (none, random values, or a function over other series).
#include <memory>
#include <vector>

#include <QPointer>

#include "chart/editors/series_format_page.h"
#include "chart/engine/chart.h"

class QComboBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QWidget;
class TPageControl;
class TRadioGroup;

// One value list of the series on the data-set panel: its name and the controls made for it.
struct TChartEditSource {
  QString ValueListName;
  QString Field;
  std::unique_ptr<QLabel> Label;
  std::unique_ptr<QComboBox> Combo;
  std::unique_ptr<QCheckBox> DateTime;
};

// The data-set sources of a series, one entry per value list. The program links no data-set
// component, so nothing fills the entries; they are kept empty and reset for each series.
class TChartEditSources {
 public:
  static constexpr int MaxLists = 16;
  TChartEditSources();
  ~TChartEditSources();
  TChartEditSource& operator[](int Index) { return *FItems[size_t(Index)]; }
  QString LabelsField;
  void Reset();

 private:
  std::vector<std::unique_ptr<TChartEditSource>> FItems;
};

class TFormChartSeries : public TChartEditorPage {
  Q_OBJECT
 public:
  // The kinds of data source, by their place in CBDataSourcestyle.
  enum { dsNoData, dsRandom, dsFunction };
  // The option bits of a series (its style flags) the page reads.
  enum { soNoSourceA = 1, soPersistent = 16, soNoSourceB = 32 };

  TFormChartSeries(QWidget* Owner, TCustomChart* Chart);
  ~TFormChartSeries() override;

  TChartSeries* Series() const { return FSeries.Get(); }
  // Shows Series (null: none); pending data-source changes go to the series shown before. The
  // open tab stays open while the new series has it, else (and with FirstPage) "Format" opens.
  void SetSeries(TChartSeries* Value, bool FirstPage = false);
  // Whether the user may leave the open tab; asks about changes not applied yet.
  bool CanLeavePage();
  // Inserts a tab captioned Caption at PageIndex holding a new page of the registered class.
  TSeriesFormatPage* AddEditorPage(const QString& FormClass, int PageIndex, const QString& Caption);
  // The hosted pages: the format page first, then what it inserted.
  const std::vector<QPointer<TSeriesFormatPage>>& EditorForms() const { return FEditorForms; }
  void PageShow() override;
  // Applies what the data-source tab holds and has not applied yet.
  void ApplyPending();

  bool FunctionChanged = false;
  bool DatasetChanged = false;
  bool ShowPersistent = false, ShowDataSource = true, ShowGeneral = true, ShowMarks = true;
  TChartEditSources Sources;

  QComboBox* CBSeries;
  QLabel *ImageSeries, *LabelSeriesClass;
  QCheckBox* CBPersistent;
  TPageControl* PageSeries;
  QWidget *TheTabSheet, *TabGeneral, *TabMarks, *TabDataSource;
  // General
  QCheckBox *CBShowInLegend, *CBXDateTime, *CBYDateTime;
  QComboBox* CBSeriesCursor;
  QLineEdit *EValueformat, *EPercentFormat;
  TRadioGroup *RGHorizAxis, *RGVertAxis;
  // Marks
  QCheckBox *CBMarksVisible, *CBTransparent, *CBMarkClip;
  TRadioGroup* RGMarkStyle;
  TNumberEdit* SEArrowLength;
  QPushButton *BMarkLinCol, *BMarksBackColor, *BMarkFont, *BMarksFrame;
  // Data source
  QComboBox *CBDataSourcestyle, *CBFunctions;
  QWidget* PanFunction;
  QListWidget *LBAvailSeries, *LBSelectedSeries;
  QPushButton *BRightOne, *BRightAll, *BLeftOne, *BLeftAll, *BEditFunc;

 protected:
  void hideEvent(QHideEvent* Event) override;

 private:
  void CBSeriesChange(bool FirstPage = false);
  void FillSeriesCombo();
  void FreeEditorForms();
  void CreateSeriesEditor();
  void EmbedForm(TSeriesFormatPage* Form, QWidget* Sheet);
  void PageSeriesChanging(bool& AllowChange);
  void PageSeriesChange();
  void LoadGeneral();
  void LoadMarks();
  void LoadDataSource();
  void DataSourceStyleChange(int Index);
  void FillFunctionPanel();
  void MoveSeries(QListWidget* From, QListWidget* To, bool All);
  void EnableMoveButtons();
  void EnableEditFunction();
  void ApplyFunction();
  void EditFunctionPeriod();
  std::vector<TChartSeries*> ListedSeries(QListWidget* List) const;
  bool IsDataSourceTab(int Index) const;

  QPointer<TCustomChart> FChart;
  TSeriesHandle FSeries;
  std::vector<QPointer<TSeriesFormatPage>> FEditorForms;
  std::vector<QPointer<QWidget>> FExtraSheets;
  bool Loading = true;
};

// The series page as the chart editor makes it.
void RegisterChartSeriesTab();
