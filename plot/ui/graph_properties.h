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
  QLineEdit *edName = nullptr, *edMin = nullptr, *edMax = nullptr, *edPos = nullptr,
            *edLabels = nullptr;
  QCheckBox *chAutoMin = nullptr, *chAutoMax = nullptr, *chVisible = nullptr, *chLog = nullptr,
            *chInvert = nullptr, *chGrid = nullptr, *chPos = nullptr;
  QPushButton *btColor = nullptr, *btFont = nullptr, *btNameFont = nullptr, *btTicks = nullptr;
  TSpeedButton *sbLabelsDown = nullptr, *sbLabelsUp = nullptr;
  GraphValidates::TRealValidate *vMin = nullptr, *vMax = nullptr;
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

  // The validators by edit; null when the edit has none of that kind.
  GraphValidates::TRealValidate* RealValidator(const QLineEdit* Edit) const;
  GraphValidates::TIntValidate* IntValidator(const QLineEdit* Edit) const;
  int ValidatorCount() const {
    return static_cast<int>(FRealValidators.size() + FIntValidators.size());
  }

  // --- Controls ---
  TPageControl* PageControl1 = nullptr;
  QWidget* Pages[PageCount] = {};
  QPushButton *btApply = nullptr, *btClose = nullptr, *btHelp = nullptr;
  QCheckBox* cbAutoApply = nullptr;

  // "Axis" and "Axis (2)"
  TAxisGroup AxisGroups[4];
  QLineEdit* edMinLog = nullptr;

  // "Titles"
  QPlainTextEdit *mmTitle = nullptr, *mmFoot = nullptr;
  QComboBox *cbTitleAlignment = nullptr, *cbFootAlignment = nullptr, *cbTitleStyle = nullptr,
            *cbFootStyle = nullptr;
  QCheckBox *chTitleVisible = nullptr, *chFootVisible = nullptr;
  QPushButton *btTitleFont = nullptr, *btFootFont = nullptr;

  // "Operations"
  QListWidget* tbSeries = nullptr;
  QLineEdit *edFirst = nullptr, *edSecond = nullptr, *edDegree = nullptr;
  QLabel* lbDegree = nullptr;
  TSpeedButton *SpeedButton7 = nullptr, *SpeedButton8 = nullptr, *sbAdd = nullptr,
               *sbSubtract = nullptr, *sbMultiply = nullptr, *sbDivide = nullptr;
  QPushButton *btDeriv2 = nullptr, *btFit = nullptr;

  // "Settings"
  QLineEdit *edExaggerate = nullptr, *edView3D = nullptr, *edPictureFileName = nullptr,
            *edZoomSteps = nullptr, *edZoomPerStep = nullptr, *Edit2 = nullptr;
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
  QLineEdit *edGeneral = nullptr, *edFormatX = nullptr, *edFormatY = nullptr;
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

  // The later pages' numeric edits, with their validators.
  QLineEdit *edPos = nullptr, *edInt = nullptr, *edNum = nullptr, *edLblInt = nullptr,
            *edMin = nullptr, *edMax = nullptr, *edRMin = nullptr, *edRMax = nullptr,
            *edLoColor = nullptr, *edHiColor = nullptr;

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

  // Bindings of a control to what it edits. A numeric edit applies its text only when it reads
  // as a number within the validator's range; leaving an edit whose text is out of range shows
  // the validator's message and puts back what was in force before the typing began (numbers
  // met on the way to the refused one were applied as typed). Live edits reach the picture at
  // once, deferred ones when left or on Enter, quiet ones only with the next repaint (they mark
  // the dialog modified all the same, so that Apply and Close repaint).
  enum TApplyMode { amLive, amDeferred, amQuiet };
  // Notes what is in force now and answers what puts it back.
  using TKeep = std::function<std::function<void()>()>;
  static TKeep KeepValue(std::function<double()> Get, std::function<void(double)> Set);
  // A refused entry puts back what Keep noted before the first number typed was applied; by
  // default the value Get answered, through Set. A number that Ignores names is one the range
  // takes but Set passes over: left as the finished entry, it is put back without a word.
  GraphValidates::TRealValidate* BindReal(QLineEdit* Edit, double Min, double Max,
                                          const QString& Caption, std::function<double()> Get,
                                          std::function<void(double)> Set, TApplyMode Mode = amLive,
                                          TKeep Keep = nullptr,
                                          std::function<bool(double)> Ignores = nullptr);
  GraphValidates::TIntValidate* BindInt(QLineEdit* Edit, int Min, int Max, const QString& Caption,
                                        std::function<int()> Get, std::function<void(int)> Set,
                                        TApplyMode Mode = amLive);
  void BindCheck(QCheckBox* Box, std::function<void(bool)> Set);
  void BindCombo(QComboBox* Box, std::function<void(int)> Set, TApplyMode Mode = amLive);
  // A validator for an edit of the pages still to come.
  void AddValidator(QLineEdit* Edit, double Min, double Max, const QString& Caption, bool Integer);
  // After a change: SetModified, and LiveApply unless deferred or quiet.
  void Applied(TApplyMode Mode);
  void BindColor(QPushButton* Button, std::function<unsigned()> Get,
                 std::function<void(unsigned)> Set);
  void BindFont(QPushButton* Button, std::function<const class TFont&()> Get,
                std::function<void(const class TFont&)> Set);
  struct TNumberEdit;
  void BindNumber(const TNumberEdit& Number);
  // Runs the loaders registered by the bindings.
  void LoadBound();

  std::vector<std::unique_ptr<GraphValidates::TRealValidate>> FRealValidators;
  std::vector<std::unique_ptr<GraphValidates::TIntValidate>> FIntValidators;
  std::vector<std::function<void()>> FLoaders;
  std::vector<TLayerHandle> FSeriesRows;
  std::vector<TLayerHandle> FCheckRows;
  std::vector<const QObject*> FHelpEdits;
  bool FRestoring = false;
};

// Runs the dialog on the plot as the plot control's Properties command does.
void ShowPlotPropertiesDialog(TPlot& Plot);
// General format with 7 significant digits, as the dialog shows numbers.
QString PropertiesNumberText(double Value);
