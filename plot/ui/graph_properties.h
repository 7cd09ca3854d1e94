#pragma once
// The plot's properties dialog: ten pages that edit one plot's axes, titles, series, legends,
// colour map, series operations, general settings, contour levels and info bubble. Every control
// writes through to the plot's property objects or to the graph's layers at once; the picture
// follows either at once ("Live update") or on Apply and Close. There is no Cancel.
#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include <QImage>

#include "platform/controls.h"
#include "platform/form.h"
#include "platform/number_edit.h"
#include "plot/core/graph_layer.h"
#include "plot/core/graph_validates.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class TAbstractLegend;
class TContour;
class TGraph;
class TPlot;
class TPlotAxis;
class TSeries;

// The controls of one axis group; the two groups of each axis page are alike.
struct TAxisGroup {
  TPlotAxis* Axis = nullptr;
  QGroupBox* Group = nullptr;
  QLineEdit *edName = nullptr, *edLabels = nullptr;
  TNumberEdit *edMin = nullptr, *edMax = nullptr, *edPos = nullptr;
  QCheckBox *chAutoMin = nullptr, *chAutoMax = nullptr, *chVisible = nullptr, *chLog = nullptr,
            *chInvert = nullptr, *chGrid = nullptr, *chPos = nullptr;
  QPushButton *btColor = nullptr, *btFont = nullptr, *btNameFont = nullptr, *btTicks = nullptr;
  TSpeedButton *sbLabelsDown = nullptr, *sbLabelsUp = nullptr;
};

class TfmGraphProperties : public TForm {
  Q_OBJECT
 public:
  // The pages, numbered as the plot remembers the last one.
  enum TPageIndex {
    piAxis,
    piTitles,
    piSeries,
    piLegends,
    piColorMap,
    piOperations,
    piSettings,
    piContour,
    piAxis2,
    piInfo,
    PageCount
  };
  enum TAxisGroupIndex { agX, agY, agX2, agY2 };

  explicit TfmGraphProperties(QWidget* Owner = nullptr);
  ~TfmGraphProperties() override;

  bool Modified = false;
  bool Loading = false;
  TPlot* Plot = nullptr;
  TGraph* Graph = nullptr;
  // The operands of the Operations page, the line contour the Contour page edits and the shaded
  // one the Color Map page edits; a deleted layer clears them.
  TLayerHandle FirstSeries, SecondSeries, CurrentContour, ShadedContour;
  // The series may be reordered; a list that may not leaves the order buttons disabled.
  bool SeriesOrderAllowed = true;

  // Fills every page from the plot, then shows the dialog modally.
  void LoadFromPlot(TPlot* APlot, TGraph* AGraph);
  // The filling alone.
  void Load(TPlot* APlot, TGraph* AGraph);
  void LoadAxisRanges();
  void SetModified();
  void LiveApply();
  // Repaints the plot and shows the axis ends it then uses.
  void Repaint();
  void ApplyClick();
  void CloseClick();
  void AutoApplyClick();
  void HelpClick();
  // The page to open: Index, or the first shown page when that one is hidden.
  void OpenPage(int Index);
  int ActivePage() const;
  bool PageShown(int Index) const;

  // --- Controls ---
  TPageControl* PageControl1 = nullptr;
  QWidget* Pages[PageCount] = {};
  QPushButton *btApply = nullptr, *btClose = nullptr, *btHelp = nullptr;
  QCheckBox* cbAutoApply = nullptr;

  // "Axis" and "Axis (2)"
  TAxisGroup AxisGroups[4];
  TNumberEdit* edMinLog = nullptr;

  // "Titles"
  QPlainTextEdit *mmTitle = nullptr, *mmFoot = nullptr;
  QComboBox *cbTitleAlignment = nullptr, *cbFootAlignment = nullptr, *cbTitleStyle = nullptr,
            *cbFootStyle = nullptr;
  QCheckBox *chTitleVisible = nullptr, *chFootVisible = nullptr;
  QPushButton *btTitleFont = nullptr, *btFootFont = nullptr;

  // "Operations"
  QListWidget* tbSeries = nullptr;
  QLineEdit *edFirst = nullptr, *edSecond = nullptr;
  TNumberEdit* edDegree = nullptr;
  QLabel* lbDegree = nullptr;
  TSpeedButton *SpeedButton7 = nullptr, *SpeedButton8 = nullptr, *sbAdd = nullptr,
               *sbSubtract = nullptr, *sbMultiply = nullptr, *sbDivide = nullptr;
  QPushButton *btDeriv2 = nullptr, *btFit = nullptr;

  // "Settings"
  TNumberEdit *edExaggerate = nullptr, *edView3D = nullptr, *edZoomSteps = nullptr,
              *edZoomPerStep = nullptr;
  QLineEdit *edPictureFileName = nullptr, *Edit2 = nullptr;
  QLabel *lbView3D = nullptr, *Label27 = nullptr, *Label14 = nullptr, *Label41 = nullptr,
         *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr;
  QComboBox *cbBarStyle = nullptr, *cbGradientStyle = nullptr, *cbPictureStyle = nullptr,
            *cbZoomStyle = nullptr;
  QCheckBox *chClipSymbols = nullptr, *chPictureVisible = nullptr;
  QGroupBox *gbPicture = nullptr, *gbZoom = nullptr;
  QPushButton *btPlotColor = nullptr, *btBackColor = nullptr, *btStartColor = nullptr,
              *btEndColor = nullptr, *btBrowse = nullptr, *btFrameColor = nullptr;
  TSpeedButton *sbFrameUp = nullptr, *sbFrameDown = nullptr;

  // "Info"
  QComboBox *cmbStyle = nullptr, *cmbPosition = nullptr;
  QPushButton *btInfoColor = nullptr, *btInfoFont = nullptr, *btFormatHelp = nullptr;
  TNumberEdit* edGeneral = nullptr;
  QLineEdit *edFormatX = nullptr, *edFormatY = nullptr;
  QWidget* pnlInfoShow = nullptr;
  QCheckBox* chShow[6] = {};

  // "Series"
  QListWidget* clSeries = nullptr;
  QPushButton *btAddSeries = nullptr, *btEditSeries = nullptr, *btDeleteSeries = nullptr,
              *btnTop = nullptr, *btnUp = nullptr, *btnDown = nullptr, *btnBottom = nullptr,
              *btSymbols = nullptr, *btSeriesColor = nullptr;
  QGroupBox* gbSeriesProperties = nullptr;
  QLineEdit *edSeriesName = nullptr, *Edit1 = nullptr;
  QComboBox *cbSeriesStyle = nullptr, *cbSeriesLineStyle = nullptr;
  QLabel *lbLineStyle = nullptr, *lbLineWidth = nullptr;
  TSpeedButton *sbTicknessUp = nullptr, *sbTicknessDn = nullptr;
  QCheckBox *chSecondaryX = nullptr, *chSecondaryY = nullptr;

  // "Legends"
  TRadioGroup *rgLType = nullptr, *rgPosition = nullptr;
  QCheckBox *chLegendVisible = nullptr, *chLegendTransparent = nullptr, *chShadowVisible = nullptr,
            *chLegendFrameVisible = nullptr;
  QPushButton *btLegendColor = nullptr, *btLegendFont = nullptr, *btShadowColor = nullptr,
              *btLegendFrameColor = nullptr;
  QLineEdit *edShadowWidth = nullptr, *edFrameWidth = nullptr;
  TSpeedButton *sbShadowUp = nullptr, *sbShadowDown = nullptr, *sbLegendFrameUp = nullptr,
               *sbLegendFrameDown = nullptr;
  QComboBox* cbFrameStyle = nullptr;

  // "Color Map"
  TRadioGroup *rgPalette = nullptr, *rgQuality = nullptr;
  QLabel* Image1 = nullptr;  // the sample strip
  QCheckBox *ckLoColor = nullptr, *ckHiColor = nullptr, *cbTransparent = nullptr;
  QPushButton* btColorMapApply = nullptr;

  // "Contour"
  QRadioButton *rbNum = nullptr, *rbInt = nullptr;
  QCheckBox *chkAuto = nullptr, *chLabVisible = nullptr, *chkManual = nullptr, *chLowLab = nullptr,
            *chUpLab = nullptr;
  QComboBox* cbColorStyle = nullptr;
  QPushButton *btLabelFont = nullptr, *btContourColor = nullptr, *btManualApply = nullptr,
              *Button1 = nullptr;
  QPlainTextEdit* mmLevels = nullptr;

  // The later pages' number fields.
  TNumberEdit *edPos = nullptr, *edInt = nullptr, *edNum = nullptr, *edLblInt = nullptr,
              *edMin = nullptr, *edMax = nullptr, *edLoColor = nullptr, *edHiColor = nullptr;
  // The range the data span, shown.
  QLineEdit *edRMin = nullptr, *edRMax = nullptr;

  // --- Operations ---
  void SeriesListClick();
  void ChooseFirstClick();
  void ChooseSecondClick();
  void OperationClick(QChar Op);
  void DerivativeClick();
  void FitClick();
  // The series of a row of a series list; null once it is gone.
  TSeries* SeriesOfRow(int Row) const;

  // --- Series ---
  // The series of the check list's rows, top-most first; null for a row whose series is gone.
  TSeries* SeriesOfCheckRow(int Row) const;
  std::vector<TSeries*> SelectedSeries() const;
  void SeriesCheckClick(int Row);
  void SeriesClick();
  void SeriesStyleChange(int Index);
  void SeriesLineStyleChange(int Index);
  void SeriesNameChange();
  void SeriesNameExit();
  void SeriesColorClick();
  void SeriesWidthStep(int Delta);
  void SecondaryAxisClick();
  // 0 top, 1 up, 2 down, 3 bottom.
  void SeriesOrderClick(int Move);
  void DeleteSeriesClick();
  void AddSeriesClick();
  void EditSeriesClick();
  void SymbolsClick();

  // --- Legends ---
  // The legend the page edits: the series legend, or the colour legend.
  TAbstractLegend* ChosenLegend() const;
  void LegendTypeClick();
  // Frame (or shadow) thickness up or down, within 1..8.
  void LegendThicknessStep(bool Shadow, int Delta);

  // --- Color Map ---
  void PaletteClick();
  void QualityClick();
  void ColorMapApplyClick();
  // Band I of the sample strip, as it is painted.
  QImage SampleStrip(int Width, int Height) const;

  // --- Contour ---
  // Interval and count shown from each other; false, with a message, for a range the levels
  // cannot take.
  void ContourCountChanged();
  bool ContourCommit();
  // The count of levels an interval makes over the range in force.
  double LevelCountFor(double Interval) const;
  static QString RangeRefusal();
  void ContourApplyClick();
  void ManualApplyClick();
  // The interval as the page writes it, with the decimals of the labels.
  QString IntervalText(double Value) const;

  // --- Settings ---
  void BrowseClick();
  void PictureFileExit();
  void FrameWidthStep(int Delta);

  // --- Axes ---
  // The end the edit shows, as the axis holds it; and a valid value typed into it.
  double AxisEndShown(int Group, bool Maximum) const;
  void AxisRangeChanged(int Group, bool Maximum, double Value);
  // What refuses an end the range of its field takes: at or past the other end, or at or below
  // zero on a log axis; empty when taken.
  QString AxisEndRefusal(int Group, bool Maximum, double Value) const;
  void AxisAutoClick(int Group, bool Maximum);
  void ShowMinimumLogValue();
  void AxisLabelsStep(int Group, int Delta);
  void TitleExit(bool Foot);
  void TicksClick(int Group);
  void FormatHelpClick();

 protected:
  void FormCreate() override;
  void FormShow() override;
  bool eventFilter(QObject* Watched, QEvent* Event) override;

 private:
  // What every change handler shares.
  bool Begin() const { return !Loading; }
  void Changed(bool Live = true);
  // F1 in the edit opens the help, as in the edits that apply when left.
  void HelpOnF1(QWidget* Edit);

  // Builders of the pages; each lives beside its handlers.
  void BuildAxisPage(QWidget* Page, int First);
  void BuildAxisGroup(QWidget* Page, int Group);
  void BuildTitlesPage(QWidget* Page);
  void BuildOperationsPage(QWidget* Page);
  void BuildSettingsPage(QWidget* Page);
  void BuildInfoPage(QWidget* Page);
  void BuildLaterPages();
  void BuildSeriesPage(QWidget* Page);
  void BuildLegendsPage(QWidget* Page);
  void BuildColorMapPage(QWidget* Page);
  void BuildContourPage(QWidget* Page);

  void LoadAxes();
  void LoadTitles();
  void LoadOperations();
  void LoadSettings();
  void LoadInfo();
  void FillSeriesList();
  void LoadSeriesPage();
  // Both pages that list the series, after a series came or went.
  void ReloadSeriesLists();
  void FillCheckList();
  void UpdateSeriesControls();
  // The series' legend entry shows its look again; a series without an entry has none to show.
  void RefreshLegend(TSeries* Series);
  void LoadLegendPage();
  void LoadColorMap();
  void PaintSampleStrip();
  void RedrawColorMap();
  void LoadContourPage();
  TContour* LineContour() const;
  TContour* ShadedMap() const;
  // Levels and their texts again, then any level that could not be read told.
  void RebuildLevels();

  // Bindings of a control to what it edits. A number field applies what its rule takes: live and
  // quiet ones as it is typed, deferred ones when left; a refused entry has been told and what was
  // in force before the typing is back (the field does all that). Live edits reach the picture at
  // once, deferred ones when left or on Enter, quiet ones only with the next repaint (they mark
  // the dialog modified all the same, so that Apply and Close repaint).
  enum TApplyMode { amLive, amDeferred, amQuiet };
  static TNumberEdit* NumberField(QWidget* Parent, const QString& Name,
                                  std::unique_ptr<TNumberRule> Rule);
  void BindField(TNumberEdit* Edit, std::function<double()> Get, std::function<void(double)> Set,
                 TApplyMode Mode);
  TNumberEdit* BindReal(TNumberEdit* Edit, double Min, double Max, const QString& Caption,
                        std::function<double()> Get, std::function<void(double)> Set,
                        TApplyMode Mode = amLive);
  TNumberEdit* BindInt(TNumberEdit* Edit, int Min, int Max, const QString& Caption,
                       std::function<int()> Get, std::function<void(int)> Set,
                       TApplyMode Mode = amLive);
  void BindCheck(QCheckBox* Box, std::function<void(bool)> Set);
  void BindCombo(QComboBox* Box, std::function<void(int)> Set, TApplyMode Mode = amLive);
  // After a change: SetModified, and LiveApply unless deferred or quiet.
  void Applied(TApplyMode Mode);
  void BindColor(QPushButton* Button, std::function<unsigned()> Get,
                 std::function<void(unsigned)> Set);
  void BindFont(QPushButton* Button, std::function<const class TFont&()> Get,
                std::function<void(const class TFont&)> Set);
  // Runs the loaders registered by the bindings.
  void LoadBound();
  // One page from the plot again, as it is shown.
  void LoadPage(int Index);

  std::vector<std::function<void()>> FLoaders;
  std::vector<TLayerHandle> FSeriesRows;
  std::vector<TLayerHandle> FCheckRows;
  std::vector<const QObject*> FHelpEdits;
};

// Runs the dialog on the plot as the plot control's Properties command does.
void ShowPlotPropertiesDialog(TPlot& Plot);
// General format with 7 significant digits, as the dialog shows numbers.
QString PropertiesNumberText(double Value);
