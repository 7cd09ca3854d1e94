#include "app/graphics/graphics_page.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

#include <cmath>

#include "app/common/calc_controls.h"
#include "app/common/dm.h"
#include "app/common/engine_text.h"
#include "app/graphics/fm_contour_plot.h"
#include "app/graphics/fm_plot2d.h"
#include "app/graphics/fm_surface_chart.h"
#include "app/graphics/graphics_page_host.h"
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
#include "platform/ini_file.h"
#include "plot/ui/plot.h"
#include "plot/ui/plot_properties.h"
#include "widgets/nx_label.h"

namespace {

constexpr double CoordinateLimit = 115425.2;
const QString GraphicsSection = "Graphics";
constexpr std::array<int, 5> DefaultStepsX{200, 40, 40, 40, 360};
constexpr std::array<int, 5> DefaultStepsY{0, 40, 40, 40, 0};

int InRange(int Value, int Low, int High, int Default) {
  return Value >= Low && Value <= High ? Value : Default;
}

// A number field that does not read as a number (empty, or a sign alone) counts as 0.
double NumberOr0(const QString& Text) {
  double V = 0;
  return GraphValidates::ParseReal(Text.trimmed(), V) && std::isfinite(V) ? V : 0;
}

// The pages stay locked while a plot is made, also when the making ends early.
class TPagesLock {
 public:
  explicit TPagesLock(TGraphicsPageHost& H) : FHost(H) { H.LockPages(); }
  ~TPagesLock() { FHost.UnlockPages(); }
  TPagesLock(const TPagesLock&) = delete;
  TPagesLock& operator=(const TPagesLock&) = delete;

 private:
  TGraphicsPageHost& FHost;
};

}  // namespace

TGraphicsPage::TGraphicsPage(TGraphicsPageHost& Host, QWidget* Parent)
    : QWidget(Parent), FHost(Host) {
  setObjectName("GraphicsPage");
  Build();
  CreateChecks();
}

TGraphicsPage::~TGraphicsPage() = default;

void TGraphicsPage::Build() {
  auto* L = new QGridLayout(this);
  rgPlot = NewRadioGroup(
      "rgPlot", {"Plot f(x)", "Contour plot f(x,y)", "Colorshading f(x,y)", "Surface", "Polar"},
      this, 1);
  SetItemIndexQuietly(rgPlot, 0);
  L->addWidget(rgPlot, 0, 0, 3, 1);

  auto RangeBox = [this](const QString& Name, const QString& Title, QLineEdit*& From,
                         QLineEdit*& To, QLineEdit*& Steps, const QString& Axis) {
    auto* G = new QGroupBox(Title, this);
    G->setObjectName(Name);
    auto* F = new QFormLayout(G);
    From = NewEdit("edFrom" + Axis, G);
    To = NewEdit("edTo" + Axis, G);
    Steps = NewEdit("edSteps" + Axis, G);
    F->addRow(NewLabel("lbFrom" + Axis, "min", G), From);
    F->addRow(NewLabel("lbTo" + Axis, "max", G), To);
    F->addRow(NewLabel("lbSteps" + Axis, "Num.of Intrvals", G), Steps);
    return G;
  };
  gbX = RangeBox("gbX", "X", edFromX, edToX, edStepsX, "X");
  gbY = RangeBox("gbY", "Y", edFromY, edToY, edStepsY, "Y");
  L->addWidget(gbX, 0, 1);
  L->addWidget(gbY, 0, 2);

  auto* Texts = new QGridLayout;
  lbXAxis = NewLabel("lbXAxis", " X axis", this);
  edX = NewEdit("edX", this);
  lbYAxis = NewLabel("lbYAxis", " Y axis", this);
  edY = NewEdit("edY", this);
  lbTitle = NewLabel("lbTitle", "Title", this);
  edTitle = NewEdit("edTitle", this);
  lbLegend = NewLabel("lbLegend", "Legend", this);
  edLegend = NewEdit("edLegend", this);
  lbNC = NewLabel("lbNC", "Number of Contours", this);
  edNumCont = NewEdit("edNumCont", this);
  edNumCont->setText("10");
  lbExaggerate = NewLabel("lbExaggerate", "Exaggerate (0-maximize graphic area)", this);
  edExaggerate = NewEdit("edExaggerate", this);
  edExaggerate->setText("0");
  const std::array<std::pair<TNxLabel*, QLineEdit*>, 6> Rows = {{{lbXAxis, edX},
                                                                 {lbYAxis, edY},
                                                                 {lbTitle, edTitle},
                                                                 {lbLegend, edLegend},
                                                                 {lbNC, edNumCont},
                                                                 {lbExaggerate, edExaggerate}}};
  for (int R = 0; R < static_cast<int>(Rows.size()); ++R) {
    Texts->addWidget(Rows[static_cast<size_t>(R)].first, R, 0);
    Texts->addWidget(Rows[static_cast<size_t>(R)].second, R, 1);
  }
  L->addLayout(Texts, 1, 1, 1, 2);

  Panel2 = new QWidget(this);
  Panel2->setObjectName("Panel2");
  Panel3 = new QWidget(this);
  Panel3->setObjectName("Panel3");
  Panel2->hide();
  Panel3->hide();

  auto* Bottom = new QHBoxLayout;
  Panel1 = new QWidget(this);
  Panel1->setObjectName("Panel1");
  auto* GaugeL = new QHBoxLayout(Panel1);
  GaugeL->setContentsMargins(0, 0, 0, 0);
  Gauge = new QProgressBar(Panel1);
  Gauge->setObjectName("Gauge");
  Gauge->setRange(0, 100);
  Gauge->setValue(0);
  GaugeL->addWidget(Gauge);
  bbOK = NewButton("bbOK", "&OK", this);
  sbColor = NewButton("sbColor", "&Color", this);
  Button1 = NewButton("Button1", "Help", this);
  Bottom->addWidget(Panel1, 1);
  Bottom->addWidget(Panel2);
  Bottom->addWidget(Panel3);
  Bottom->addWidget(bbOK);
  Bottom->addWidget(sbColor);
  Bottom->addWidget(Button1);
  L->addLayout(Bottom, 2, 1, 1, 2);
  L->setColumnStretch(1, 1);
  L->setColumnStretch(2, 1);
  L->setRowStretch(3, 1);
}

void TGraphicsPage::CreateChecks() {
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
      if (!FHost.LoadingSettings()) Check->TextChanged();
    });
  connect(edNumCont, &QLineEdit::textChanged, this, [this] { vNumCont->TextChanged(); });
  connect(edExaggerate, &QLineEdit::textChanged, this, [this] { vExaggerate->TextChanged(); });
  for (QLineEdit* E : {edStepsX, edStepsY})
    connect(E, &QLineEdit::textChanged, this, [this, E] {
      if (FHost.LoadingSettings()) return;
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
  connect(rgPlot, &TRadioGroup::Click, this, Guarded([this] { rgPlotClick(); }));
  connect(bbOK, &QPushButton::clicked, this, Guarded([this] { bbOKClick(); }));
  connect(sbColor, &QPushButton::clicked, this, Guarded([this] { sbColorClick(); }));
  connect(Button1, &QPushButton::clicked, this, [this] {
    static const int Topics[] = {10, 18, 19, 20};
    if (PlotKind() < 4) ShowHelpContext(Topics[PlotKind()]);
  });
}

void TGraphicsPage::InputChanged(const QString& Text) {
  const int Kind = PlotKind();
  (Kind == 1 || Kind == 2 ? edTitle : edLegend)->setText("f(" + Text + ")");
}

void TGraphicsPage::Entered(const QString& Input) {
  rgPlot->setFocus();
  const QString F = "f(" + Input + ")";
  edLegend->setText(F);
  edTitle->setText(F);
  const auto Kind = static_cast<size_t>(PlotKind());
  edStepsX->setText(QString::number(StepsX[Kind]));
  edStepsY->setText(QString::number(StepsY[Kind]));
  rgPlotClick();
  Panel1->show();
}

void TGraphicsPage::Left() { Panel1->hide(); }

void TGraphicsPage::Opened(const QString& Formula) {
  if (PlotKind() != 0) {
    edTitle->setText(Formula);
    edLegend->clear();
  } else {
    edLegend->setText(Formula);
    edTitle->clear();
  }
}

void TGraphicsPage::SetBubbleDigits(int Digits) {
  for (TPlotWindow* W : std::initializer_list<TPlotWindow*>{fmPlot2D, fmContourPlot})
    if (W) {
      W->Chart->Info->SetNumberOfGeneralDigits(Digits);
      W->Chart->PaintGraph();
    }
}

void TGraphicsPage::SetComplexKinds(bool Complex) {
  if (Complex) {
    Panel2->show();
    Panel3->show();
    rgPlot->SetItemText(1, "Contour Plot Z=|f(X+Yi)|");
    rgPlot->SetItemText(2, "Color Shading Z=|f(X+Yi)|");
    rgPlot->SetItemText(3, "Surface Z=|f(X+Yi)|");
    if (rgPlot->ItemIndex() == 0) rgPlot->SetItemIndex(1);
    if (rgPlot->ItemIndex() == 4) rgPlot->SetItemIndex(3);
    return;
  }
  rgPlot->SetItemText(1, "Contour Plot f(X,Y)");
  rgPlot->SetItemText(2, "Color Shading f(X,Y)");
  rgPlot->SetItemText(3, "Surface");
  Panel2->hide();
  Panel3->hide();
}

void TGraphicsPage::ReadSettings(const TIniFile& Ini) {
  SetItemIndexQuietly(rgPlot, InRange(Ini.ReadInteger(GraphicsSection, "Plot Type", 0), 0, 4, 0));
  edFromX->setText(Ini.ReadString(GraphicsSection, "Xx min", "-10"));
  edToX->setText(Ini.ReadString(GraphicsSection, "Yx min", "10"));
  for (size_t K = 0; K < 5; ++K) {
    StepsX[K] =
        InRange(Ini.ReadInteger(GraphicsSection, QString("StepX%1").arg(K), DefaultStepsX[K]), 2,
                16000, DefaultStepsX[K]);
    const int LowY = (K >= 1 && K <= 3) ? 2 : 0;
    StepsY[K] =
        InRange(Ini.ReadInteger(GraphicsSection, QString("StepY%1").arg(K), DefaultStepsY[K]), LowY,
                16000, DefaultStepsY[K]);
  }
  edFromY->setText(Ini.ReadString(GraphicsSection, "Xy min", "-10"));
  edToY->setText(Ini.ReadString(GraphicsSection, "Yy min", "10"));
  edLegend->setText(Ini.ReadString(GraphicsSection, "Legend", ""));
  edTitle->setText(Ini.ReadString(GraphicsSection, "Title", "f()"));
  edX->setText(Ini.ReadString(GraphicsSection, "X axis", "X"));
  edY->setText(Ini.ReadString(GraphicsSection, "Y axis", "Y"));
  const auto Kind = static_cast<size_t>(PlotKind());
  edStepsY->setText(QString::number(StepsY[Kind]));
  edStepsX->setText(QString::number(StepsX[Kind]));
}

void TGraphicsPage::WriteSettings(TIniFile& Ini) const {
  Ini.WriteInteger(GraphicsSection, "Plot Type", PlotKind());
  Ini.WriteString(GraphicsSection, "Xx min", edFromX->text());
  Ini.WriteString(GraphicsSection, "Yx min", edToX->text());
  Ini.WriteString(GraphicsSection, "Xy min", edFromY->text());
  Ini.WriteString(GraphicsSection, "Yy min", edToY->text());
  Ini.WriteString(GraphicsSection, "Legend", edLegend->text());
  Ini.WriteString(GraphicsSection, "Title", edTitle->text());
  Ini.WriteString(GraphicsSection, "X axis", edX->text());
  Ini.WriteString(GraphicsSection, "Y axis", edY->text());
  for (size_t K = 0; K < 5; ++K)
    Ini.WriteInteger(GraphicsSection, QString("StepX%1").arg(K), StepsX[K]);
  for (size_t K = 0; K < 5; ++K)
    Ini.WriteInteger(GraphicsSection, QString("StepY%1").arg(K), StepsY[K]);
}

int TGraphicsPage::PlotKind() const { return std::clamp(rgPlot->ItemIndex(), 0, 4); }

void TGraphicsPage::rgPlotClick() {
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
  FHost.ShowAssistantText(Hints[K]);
}

void TGraphicsPage::bbOKClick() {
  // One engine state: a plot never starts inside another evaluation.
  if (FHost.Busy() || !FitsTheEngine(FHost.InputText())) return;
  const TPagesLock Lock(FHost);
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

void TGraphicsPage::PlotSurfaceOrPolar(int Kind) {
  const QString Input = FHost.InputText();
  TPlotRequest R = PlotRequest(Input);
  R.Radians = EngineSettings.AngleMode != 1;  // rgAngle "Rad"
  R.Legend = edLegend->text();
  TPlotOutcome Outcome = TPlotOutcome::Refused;
  if (Kind == 3 && fmSurfaceChart) Outcome = PlotSurface(R, *fmSurfaceChart);
  if (Kind == 4 && PolarForm) Outcome = PlotPolar(R, *PolarForm);
  Gauge->setValue(0);
  if (Outcome == TPlotOutcome::Plotted) FHost.PutIntoExpressionHistory(Input);
}

TPlotRequest TGraphicsPage::PlotRequest(const QString& Input) {
  TPlotRequest R;
  R.Input = ToCp1252(Input);
  R.ComplexMode = FHost.InComplexMode();
  R.XFrom = vFromX->Value;
  R.XTo = vToX->Value;
  R.XSteps = vStepsX->Value;
  R.YFrom = vFromY->Value;
  R.YTo = vToY->Value;
  R.YSteps = vStepsY->Value;
  R.Title = edTitle->text();
  R.XTitle = edX->text();
  R.YTitle = edY->text();
  R.Progress = GaugeSetter();
  R.ShowEvalError = [this](const TSideResult& E) { FHost.ShowEvalError(E); };
  return R;
}

std::function<void(int)> TGraphicsPage::GaugeSetter() {
  return [this](int Percent) { Gauge->setValue(Percent); };
}

void TGraphicsPage::ShowTabulationError(const TTabulation& R, int NX, int NY) {
  switch (R.Outcome) {
    case TTabulationOutcome::Done:
    case TTabulationOutcome::Refused:
      return;
    case TTabulationOutcome::NoMemory:
      ShowError("Not enough memory for a " + QString::fromStdString(GridSizeText(NX, NY)));
      return;
    case TTabulationOutcome::Failed:
      // What the failing point reported, as it reported it: nothing is evaluated again.
      FHost.ShowEvalError(R.Error);
      if (!R.UserBreak()) ShowError("Cann't calculate this function");
      return;
  }
}

void TGraphicsPage::btGraphFxClick() {
  if (!fmPlot2D) return;
  const QString Input = FHost.InputText();
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
  const TTabulation R = PutCurve(fmPlot2D->Graph(), P, GaugeSetter());
  Gauge->setValue(0);
  if (!R.Ok()) {
    ShowTabulationError(R, P.N, 0);
    return;
  }
  fmPlot2D->ShowPlot();
  FHost.PutIntoExpressionHistory(Input);
}

void TGraphicsPage::btGraphFxyClick(QObject* Sender) {
  if (!fmContourPlot) return;
  const QString Input = FHost.InputText();
  const TBusyCursor Hourglass;
  TPlotRequest P = PlotRequest(Input);
  P.Shade = Sender == bbOK;
  P.Legend = Input;
  bool Ok = false;
  P.Levels = edNumCont->text().trimmed().toInt(&Ok);
  if (!Ok) P.Levels = 10;
  P.Exaggerate = NumberOr0(edExaggerate->text());

  TContour* Layer = nullptr;
  fmContourPlot->UpdateGraph();
  const TTabulation R = PutGrid(fmContourPlot->Graph(), P, PlotGrid, Layer);
  Gauge->setValue(0);
  if (!R.Ok()) {
    ShowTabulationError(R, P.XSteps, P.YSteps);
    return;
  }
  fmContourPlot->SetContour(Layer);
  fmContourPlot->SetShadeMode(P.Shade);
  fmContourPlot->setWindowTitle(P.Shade ? "Color Shade f(x,y)" : "Contour Plot f(x,y)");
  fmContourPlot->ShowPlot();
  FHost.PutIntoExpressionHistory(Input);
}

void TGraphicsPage::sbColorClick() {
  TColorDialog Own;
  TColorDialog& D = DM ? DM->ColorDialog1 : Own;
  if (!D.Execute()) return;
  PlotColor = D.Color;
  PlotColorSet = true;
}
