#pragma once
// The calculator's "Graphics" page: the plot kind, the ranges, titles and counts with their
// checks, and the plots it hands to the plot windows.
#include <QWidget>

#include <array>
#include <functional>
#include <memory>

#include "app/graphics/plot_request.h"
#include "engine/engine_state.h"
#include "platform/colors.h"
#include "platform/value_grid.h"
#include "plot/core/graph_matrix.h"
#include "plot/core/graph_validates.h"

struct TTabulation;
class QGroupBox;
class QLineEdit;
class QProgressBar;
class QPushButton;
class TGraphicsPageHost;
class TIniFile;
class TNxLabel;
class TRadioGroup;

class TGraphicsPage : public QWidget {
  Q_OBJECT
 public:
  explicit TGraphicsPage(TGraphicsPageHost& Host, QWidget* Parent = nullptr);
  ~TGraphicsPage() override;

  // The interval counts of each plot kind, kept while another kind is shown.
  std::array<int, 5> StepsX{200, 40, 40, 40, 360};
  std::array<int, 5> StepsY{0, 40, 40, 40, 0};

  TRadioGroup* rgPlot;
  QGroupBox* gbX;
  QGroupBox* gbY;
  QLineEdit* edFromX;
  QLineEdit* edToX;
  QLineEdit* edStepsX;
  QLineEdit* edFromY;
  QLineEdit* edToY;
  QLineEdit* edStepsY;
  TNxLabel* lbNC;
  QLineEdit* edNumCont;
  TNxLabel* lbExaggerate;
  QLineEdit* edExaggerate;
  TNxLabel* lbXAxis;
  QLineEdit* edX;
  TNxLabel* lbYAxis;
  QLineEdit* edY;
  TNxLabel* lbTitle;
  QLineEdit* edTitle;
  TNxLabel* lbLegend;
  QLineEdit* edLegend;
  QPushButton* bbOK;
  QPushButton* sbColor;
  QPushButton* Button1;
  QWidget* Panel1;
  QProgressBar* Gauge;
  QWidget* Panel2;
  QWidget* Panel3;
  // The checks of the page's number fields (their captions name them in the messages).
  std::unique_ptr<GraphValidates::TIntValidate> vStepsX, vStepsY, vNumCont;
  std::unique_ptr<GraphValidates::TRealValidate> vFromX, vToX, vFromY, vToY, vExaggerate;
  // The grid of the last contour or colour-shade plot, until the next one replaces it (shared
  // with the plot's layer).
  TSharedGrid PlotGrid;
  TColor PlotColor = 0;
  bool PlotColorSet = false;

  int PlotKind() const;
  void rgPlotClick();
  void bbOKClick();
  // A curve into the 2D window.
  void btGraphFxClick();
  // Contours (Sender null) or a colour shading (Sender the OK button) into the contour window.
  void btGraphFxyClick(QObject* Sender);
  void sbColorClick();
  // The input line's text changed: the title the shown kind makes names the new formula.
  void InputChanged(const QString& Text);
  // The page was turned to with Input in the input line, and turned away from.
  void Entered(const QString& Input);
  void Left();
  // The window is shown with Formula in the engine: the field the chosen kind uses names it.
  void Opened(const QString& Formula);
  // The complex mode plots |f(X+Yi)| over the plane and has no curve or polar kind.
  void SetComplexKinds(bool Complex);
  // The main window's Digits: the precision of the values the curve and contour windows'
  // bubbles show.
  static void SetBubbleDigits(int Digits);
  void ReadSettings(const TIniFile& Ini);
  void WriteSettings(TIniFile& Ini) const;

 private:
  void Build();
  void CreateChecks();
  // Kinds 3 and 4: the surface and the polar plot.
  void PlotSurfaceOrPolar(int Kind);
  // What every picture over the page's ranges takes from its fields, for the input line's text.
  TPlotRequest PlotRequest(const QString& Input);
  std::function<void(int)> GaugeSetter();
  // A failed plot: the failing point's error in the result line, then the page's box.
  void ShowTabulationError(const TTabulation& R, int NX, int NY);

  TGraphicsPageHost& FHost;
  // The vertical exaggeration of the last plot ordered (0: free aspect).
  Extended Exaggeration = 0;
};
