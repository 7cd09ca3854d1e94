// The "Graphics" page: its layout by plot kind, its checks, and the plots it hands to the plot
// windows.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>

#include <cmath>

#include "app/calc/fm_calc.h"
#include "app/common/dm.h"
#include "app/graphics/fm_contour_plot.h"
#include "app/graphics/fm_plot2d.h"
#include "app/graphics/fm_surface_chart.h"
#include "app/graphics/plot_pictures.h"
#include "app/graphics/polar_form.h"
#include "app/graphics/surface_polar_plot.h"
#include "engine/engine_state.h"
#include "engine/side_eval.h"
#include "platform/app_services.h"
#include "platform/codepage.h"
#include "platform/controls.h"
#include "platform/cursors.h"
#include "platform/dialogs.h"
#include "widgets/nx_label.h"

Extended Exaggeration = 0;

namespace {

constexpr double CoordinateLimit = 115425.2;

// A number field that does not read as a number (empty, or a sign alone) counts as 0.
double NumberOr0(const QString& Text) {
  double V = 0;
  return GraphValidates::ParseReal(Text.trimmed(), V) && std::isfinite(V) ? V : 0;
}

// The page stays locked while a plot is made, also when the making ends early.
class TPagesLock {
 public:
  explicit TPagesLock(TfmCalc& W) : FWindow(W) { W.LockPages(); }
  ~TPagesLock() { FWindow.UnlockPages(); }
  TPagesLock(const TPagesLock&) = delete;
  TPagesLock& operator=(const TPagesLock&) = delete;

 private:
  TfmCalc& FWindow;
};

}  // namespace

void TfmCalc::CreateGraphicsChecks() {
  using GraphValidates::TIntValidate;
  using GraphValidates::TRealValidate;
  vStepsX = std::make_unique<TIntValidate>(2, MaxPlotSteps, edStepsX, this, "Number of Steps");
  vFromX = std::make_unique<TRealValidate>(-CoordinateLimit, CoordinateLimit, edFromX, this,
                                           "Maximum X-coordinate");
  vToX = std::make_unique<TRealValidate>(-CoordinateLimit, CoordinateLimit, edToX, this,
                                         "Minimum X-coordinate");
  vStepsY = std::make_unique<TIntValidate>(2, MaxPlotSteps, edStepsY, this, "Number of Steps");
  vFromY = std::make_unique<TRealValidate>(-CoordinateLimit, CoordinateLimit, edFromY, this,
                                           "Maximum Y-coordinate");
  vToY = std::make_unique<TRealValidate>(-CoordinateLimit, CoordinateLimit, edToY, this,
                                         "Minimum Y-coordinate");
  vNumCont = std::make_unique<TIntValidate>(1, 1000, edNumCont, this, " Number of Cntours");
  vExaggerate = std::make_unique<TRealValidate>(0, 1E30, edExaggerate, this, "Vertical exaggerate");
  // OK with an empty number field would do nothing at all: the field is named instead.
  for (TRealValidate* V : {vFromX.get(), vToX.get(), vFromY.get(), vToY.get(), vExaggerate.get()})
    V->MessageWhenEmpty = true;

  for (auto [Edit, Check] : {std::pair{edFromX, vFromX.get()}, std::pair{edToX, vToX.get()},
                             std::pair{edFromY, vFromY.get()}, std::pair{edToY, vToY.get()}})
    connect(Edit, &QLineEdit::textChanged, this, [this, Check] {
      if (!Loading) Check->TextChanged();
    });
  connect(edNumCont, &QLineEdit::textChanged, this, [this] { vNumCont->TextChanged(); });
  connect(edExaggerate, &QLineEdit::textChanged, this, [this] { vExaggerate->TextChanged(); });
  for (QLineEdit* E : {edStepsX, edStepsY})
    connect(E, &QLineEdit::textChanged, this, [this, E] {
      if (Loading) return;
      GraphValidates::TIntValidate* Check = E == edStepsX ? vStepsX.get() : vStepsY.get();
      Check->TextChanged();
      int V = 0, Pos = 0;
      if (!GraphValidates::ParseInt(E->text(), V, Pos)) return;
      const auto Kind = static_cast<size_t>(PlotKind());
      // Out-of-range counts are not kept: the next start would refuse them anyway.
      if (E == edStepsX) {
        if (V >= 2 && V <= MaxPlotSteps) StepsX[Kind] = V;
      } else if (V >= Check->Min && V <= MaxPlotSteps) {
        StepsY[Kind] = V;
      }
    });
  connect(Edit1, &QLineEdit::textChanged, this, [this](const QString& Text) {
    // Between evaluations the engine's text is the input line's, typed or inserted: the titles
    // the page makes when another kind is chosen name the formula the user sees.
    SetInputText(ToCp1252(Text));
    const int Kind = PlotKind();
    (Kind == 1 || Kind == 2 ? edTitle : edLegend)->setText("f(" + Text + ")");
  });
  connect(bbOK, &QPushButton::clicked, this, Guarded([this] { bbOKClick(); }));
  connect(sbColor, &QPushButton::clicked, this, Guarded([this] { sbColorClick(); }));
}

int TfmCalc::PlotKind() const { return std::clamp(rgPlot->ItemIndex(), 0, 4); }

void TfmCalc::rgPlotClick() {
  const int Kind = PlotKind();
  const auto K = static_cast<size_t>(Kind);
  lbLegend->SetCaption(Kind == 3 ? "Title" : "Legend");
  lbTitle->SetCaption(Kind == 3 ? "Z axis" : "Title");
  if (Kind == 3) lbLegend->show();
  vStepsY->SetMin(Kind == 0 || Kind == 4 ? 0 : 2);
  edStepsX->setText(QString::number(StepsX[K]));
  edStepsY->setText(QString::number(StepsY[K]));

  const QString F = "f(" + FromCp1252(EngineState.ExprStr) + ")";
  const bool UsesY = Kind >= 1 && Kind <= 3;
  if (Kind <= 2) {
    if (edY->text() == "Z" || edY->text().isEmpty()) edY->setText("Y");
    // An empty X title becomes "X" (the Y title has its own default just above).
    if (edX->text().isEmpty()) edX->setText("X");
  }
  if (Kind <= 2 || Kind == 4) lbYAxis->SetCaption(" Y axis");
  if (Kind == 4) lbYAxis->SetCaption("");
  sbColor->setVisible(Kind == 0 || Kind == 4);
  for (QWidget* W : gbY->findChildren<QWidget*>()) W->setEnabled(UsesY);
  lbNC->setVisible(Kind == 1);
  edNumCont->setVisible(Kind == 1);
  switch (Kind) {
    case 1:
    case 2:
      edTitle->setText(F);
      break;
    case 3:
      edTitle->setText("Z");
      lbTitle->SetCaption(" Z axis");
      break;
    default:
      edTitle->clear();
      break;
  }
  const bool Legend = Kind == 0 || Kind == 3 || Kind == 4;
  if (Legend) edLegend->setText(F);
  edLegend->setVisible(Legend);
  lbLegend->setVisible(Legend);
  edExaggerate->setVisible(Kind <= 2);
  if (Kind == 1 && fmContourPlot) edExaggerate->setText(FromCp1252(FormatAside(8, Exaggeration)));
  lbExaggerate->setVisible(Kind != 3);
  static const char* const Hints[] = {
      "To plot F(X) type you function in input line and click OK",
      "To plot contours Z:=F(X,Y) type you function in input line and click OK",
      "To plot color shade Z:=F(X,Y) type you function in input line and click OK",
      "To plot Z:=F(X,Y) type you function in input line and click OK",
      "To plot F(X) type you function in input line and click OK"};
  ShowAssistantText(Hints[K]);
}

void TfmCalc::bbOKClick() {
  // One engine state: a plot never starts inside another evaluation.
  if (Busy()) return;
  const TPagesLock Lock(*this);
  const int Kind = PlotKind();
  const bool UsesY = Kind >= 1 && Kind <= 3;
  if (!vStepsX->IsInRange() || !vFromX->IsInRange() || !vToX->IsInRange() ||
      !vExaggerate->IsInRange())
    return;
  if (UsesY && (!vStepsY->IsInRange() || !vFromY->IsInRange() || !vToY->IsInRange() ||
                !vNumCont->IsInRange()))
    return;
  if (vToX->Value <= vFromX->Value) {
    ShowError("Maximum X-coordinate must be more than minimum one");
    return;
  }
  // A curve or a polar plot does not use Y: its fields, disabled, cannot refuse the plot.
  if (UsesY && vToY->Value <= vFromY->Value) {
    ShowError("Maximum Y-coordinate must be more than minimum one");
    return;
  }
  Exaggeration = NumberOr0(edExaggerate->text());
  switch (Kind) {
    case 0:
      btGraphFxClick();
      break;
    case 1:
      btGraphFxyClick(nullptr);
      break;
    case 2:
      btGraphFxyClick(bbOK);
      break;
    default:
      PlotSurfaceOrPolar(Kind);
      break;
  }
}

void TfmCalc::PlotSurfaceOrPolar(int Kind) {
  const QString Input = Edit1->text();
  TPlotRequest R;
  R.Input = ToCp1252(Input);
  R.ComplexMode = ComplexMode;
  R.XFrom = vFromX->Value;
  R.XTo = vToX->Value;
  R.XSteps = vStepsX->Value;
  R.YFrom = vFromY->Value;
  R.YTo = vToY->Value;
  R.YSteps = vStepsY->Value;
  R.Radians = EngineSettings.AngleMode != 1;  // rgAngle "Rad"
  R.Legend = edLegend->text();
  R.Title = edTitle->text();
  R.XTitle = edX->text();
  R.Progress = GaugeSetter();
  R.ShowEvalError = [this](const TSideResult& E) { ShowEvalError(E); };
  TPlotOutcome Outcome = TPlotOutcome::Refused;
  if (Kind == 3 && fmSurfaceChart) Outcome = PlotSurface(R, *fmSurfaceChart);
  if (Kind == 4 && PolarForm) Outcome = PlotPolar(R, *PolarForm);
  Gauge->setValue(0);
  if (Outcome == TPlotOutcome::Plotted) PutIntoExpressionHistory(Input);
}

void TfmCalc::PutIntoExpressionHistory(const QString& Input) {
  const int Found = cbHistory->findText(Input, Qt::MatchExactly | Qt::MatchCaseSensitive);
  if (Found != 0) {
    if (Found > 0) cbHistory->removeItem(Found);
    cbHistory->insertItem(0, Input);
  }
  cbHistory->setCurrentIndex(-1);
}

std::function<void(int)> TfmCalc::GaugeSetter() {
  return [this](int Percent) { Gauge->setValue(Percent); };
}

void TfmCalc::ShowTabulationError(const TTabulationResult& R, int NX, int NY) {
  switch (R.Outcome) {
    case TTabulationOutcome::Done:
    case TTabulationOutcome::Refused:
      return;
    case TTabulationOutcome::NoMemory:
      ShowError("Not enough memory for a " + QString::fromStdString(GridSizeText(NX, NY)));
      return;
    case TTabulationOutcome::Failed:
      // What the failing point reported, as it reported it: nothing is evaluated again.
      ShowEvalError(R.Error);
      if (!R.UserBreak()) ShowError("Cann't calculate this function");
      return;
  }
}

void TfmCalc::btGraphFxClick() {
  if (!fmPlot2D) return;
  const QString Input = Edit1->text();
  edLegend->setText("f(" + Input + ")");
  TCurvePicture P;
  P.Typed = ToCp1252(Input);
  P.Legend = edLegend->text();
  P.XTitle = edX->text();
  P.YTitle = edY->text();
  P.Title = edTitle->text();
  P.A = vFromX->Value;
  P.B = vToX->Value;
  P.N = vStepsX->Value;
  const TTabulationResult R = PutCurve(fmPlot2D->Graph(), P, GaugeSetter());
  Gauge->setValue(0);
  if (!R.Ok()) {
    ShowTabulationError(R, P.N, 0);
    return;
  }
  fmPlot2D->ShowPlot();
  PutIntoExpressionHistory(Input);
}

void TfmCalc::btGraphFxyClick(QObject* Sender) {
  if (!fmContourPlot) return;
  const QString Input = Edit1->text();
  const TBusyCursor Hourglass;
  TGridPicture P;
  P.Typed = ToCp1252(Input);
  P.Complex = ComplexMode;
  P.Shade = Sender == bbOK;
  P.Name = Input;
  P.XTitle = edX->text();
  P.YTitle = edY->text();
  P.Title = edTitle->text();
  P.A = vFromX->Value;
  P.B = vToX->Value;
  P.C = vFromY->Value;
  P.D = vToY->Value;
  P.NX = vStepsX->Value;
  P.NY = vStepsY->Value;
  bool Ok = false;
  P.Levels = edNumCont->text().trimmed().toInt(&Ok);
  if (!Ok) P.Levels = 10;
  P.Exaggerate = NumberOr0(edExaggerate->text());

  TPlotGrids Grids;
  Grids.X = std::move(XGrid);
  Grids.Y = std::move(YGrid);
  Grids.Z = std::move(ZGrid);
  TContour* Layer = nullptr;
  fmContourPlot->UpdateGraph();
  const TTabulationResult R = PutGrid(fmContourPlot->Graph(), P, Grids, Layer, GaugeSetter());
  XGrid = std::move(Grids.X);
  YGrid = std::move(Grids.Y);
  ZGrid = std::move(Grids.Z);
  Gauge->setValue(0);
  if (!R.Ok()) {
    ShowTabulationError(R, P.NX, P.NY);
    return;
  }
  fmContourPlot->SetContour(Layer);
  fmContourPlot->SetShadeMode(P.Shade);
  fmContourPlot->setWindowTitle(P.Shade ? "Color Shade f(x,y)" : "Contour Plot f(x,y)");
  fmContourPlot->ShowPlot();
  PutIntoExpressionHistory(Input);
}

void TfmCalc::sbColorClick() {
  TColorDialog Own;
  TColorDialog& D = DM ? DM->ColorDialog1 : Own;
  if (!D.Execute()) return;
  PlotColor = D.Color;
  PlotColorSet = true;
}
