#include "chart/editors/chart_gallery.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include "chart/editors/pen_dialogs.h"
#include "chart/engine/chart.h"
#include "platform/app_services.h"
#include "platform/bitmap.h"

TChartTabControl::TChartTabControl(QWidget* Parent) : QTabBar(Parent) {
  setObjectName(QStringLiteral("TabControl"));
  setExpanding(false);
}

int GalleryRows(int Count) { return std::max(3, (Count + 3) / 4); }

namespace {
TChartSeriesClass SampleClass(const TChartSeriesType& T) {
  if (!T.SeriesClass.IsNull()) return T.SeriesClass;
  // A function alone draws through the first registered series type.
  const TChartSeriesTypes& Types = ChartSeriesTypes();
  for (int i = 0; i < Types.Count(); ++i)
    if (!Types.GetSeriesType(i).SeriesClass.IsNull()) return Types.GetSeriesType(i).SeriesClass;
  return {};
}

// A type whose series could not take the changed series as its data is shown but cannot be
// picked.
bool SampleEnabled(const TChartSeriesType& T, const TChartSeries* Changing, bool AllowFunctions) {
  if (!Changing || AllowFunctions) return true;
  const TChartSeriesClass Class = SampleClass(T);
  if (!Class.Create) return false;
  const std::unique_ptr<TChartSeries> Probe(Class.Create());
  return Probe && Probe->IsValidSourceOf(Changing);
}

TChart* CreateSampleChart(QWidget* Parent, int Number, const TChartSeriesType& T, bool View3D,
                          bool Enabled) {
  auto* C = new TChart(Parent);
  C->setObjectName(QStringLiteral("ChartGalleryChart%1").arg(Number));
  C->setAttribute(Qt::WA_TransparentForMouseEvents);
  C->Legend()->SetVisible(false);
  C->LeftAxis()->SetLabels(false);
  C->BottomAxis()->SetLabels(false);
  C->Title()->SetText({T.Description});
  C->Title()->Font()->SetSize(8);
  C->Title()->Font()->SetColor(Enabled ? clNavy : clGray);
  C->SetAnimatedZoom(true);
  TView3DOptions* V = C->View3DOptions();
  V->SetOrthogonal(false);
  V->SetZoom(70);
  V->SetPerspective(60);
  V->SetRotation(335);
  V->SetElevation(345);
  C->SetChart3DPercent(100);
  for (TChartWall* W : {C->LeftWall(), C->BottomWall()}) {
    W->SetSize(4);
    W->SetColor(clWhite);
  }
  C->SetBevelOuter(bvRaised);
  const TChartSeriesClass Class = SampleClass(T);
  const int N = std::max(1, T.NumGallerySeries);
  for (int i = 0; i < N; ++i) {
    TChartSeries* S = C->AdoptSeries(CreateNewSeries(C, Class));
    if (!S) break;
    if (i == 0) S->SetSeriesColor(clRed);
    if (i == 1) S->SetSeriesColor(clBlue);
    if (i == 0) S->Set3D(View3D);
    // Its sample values and looks, grey when the type cannot be picked.
    S->PrepareForGallery(Enabled);
  }
  return C;
}
}  // namespace

QImage GalleryPicture(const TChartSeriesType& T, QSize Size, TColor Back, qreal Ratio) {
  const std::unique_ptr<TChart> C(CreateSampleChart(nullptr, 0, T, true, true));
  C->Title()->SetVisible(false);
  C->SetBevelOuter(bvNone);
  C->SetColor(Back);
  // Laid out at Size, drawn with Ratio image pixels to each: the same picture, only finer.
  C->SetPixelRatioOverride(Ratio);
  C->resize(Size);
  QImage I = C->CreateBitmap(Back, C->GetRectangle())->Image();
  I.setDevicePixelRatio(C->PixelRatio());
  return I;
}

// --- Panel -------------------------------------------------------------------------------------

TChartGalleryPanel::TChartGalleryPanel(QWidget* Parent) : QWidget(Parent) {
  setObjectName(QStringLiteral("ChartGalleryPanel1"));
  setFocusPolicy(Qt::StrongFocus);
  setMinimumSize(4 * 110, 3 * 90);
}

TChartGalleryPanel::~TChartGalleryPanel() = default;

const TChartSeriesType* TChartGalleryPanel::SelectedType() const {
  return FSelected >= 0 ? FCharts[size_t(FSelected)].Type : nullptr;
}

QSize TChartGalleryPanel::CellSize() const {
  return {(width() - 2 * BorderWidth) / std::max(1, Cols),
          (height() - 2 * BorderWidth) / std::max(1, Rows)};
}

void TChartGalleryPanel::PlaceCharts() {
  const QSize Cell = CellSize();
  for (size_t i = 0; i < FCharts.size(); ++i) {
    const int Row = int(i) / Cols, Col = int(i) % Cols;
    FCharts[i].Chart->setGeometry(BorderWidth + Col * Cell.width(),
                                  BorderWidth + Row * Cell.height(), Cell.width(), Cell.height());
  }
}

void TChartGalleryPanel::Rebuild(const std::vector<const TChartSeriesType*>& Types, bool View3D,
                                 const TChartSeries* Changing, bool AllowFunctions) {
  for (TSample& S : FCharts) delete S.Chart;
  FCharts.clear();
  FSelected = -1;
  Rows = 3;
  Cols = 4;
  // A page with more than twelve types grows by whole rows, so that none is left out.
  Rows = GalleryRows(int(Types.size()));
  int Number = 0;
  for (const TChartSeriesType* T : Types) {
    const bool Enabled = SampleEnabled(*T, Changing, AllowFunctions);
    TChart* C = CreateSampleChart(this, ++Number, *T, View3D, Enabled);
    C->show();
    FCharts.push_back({C, T, Enabled});
  }
  PlaceCharts();
  ShowSelection();
}

void TChartGalleryPanel::resizeEvent(QResizeEvent* Event) {
  QWidget::resizeEvent(Event);
  PlaceCharts();
}

int TChartGalleryPanel::CellAt(QPoint P) const {
  const QSize Cell = CellSize();
  if (Cell.width() <= 0 || Cell.height() <= 0) return -1;
  const int Col = (P.x() - BorderWidth) / Cell.width(), Row = (P.y() - BorderWidth) / Cell.height();
  if (P.x() < BorderWidth || P.y() < BorderWidth || Col >= Cols || Row >= Rows) return -1;
  const int I = Row * Cols + Col;
  return I < int(FCharts.size()) ? I : -1;
}

void TChartGalleryPanel::SelectChart(int Index) {
  if (Index >= int(FCharts.size()) || (Index >= 0 && !FCharts[size_t(Index)].Enabled)) return;
  FSelected = Index;
  ShowSelection();
  if (OnChangeChart) OnChangeChart();
}

void TChartGalleryPanel::SelectType(const TChartSeriesType* Type) {
  for (size_t i = 0; i < FCharts.size(); ++i)
    if (FCharts[i].Type == Type) {
      SelectChart(int(i));
      return;
    }
}

void TChartGalleryPanel::ShowSelection() {
  for (size_t i = 0; i < FCharts.size(); ++i)
    FCharts[i].Chart->SetBevelOuter(int(i) == FSelected ? bvRaised : bvNone);
}

void TChartGalleryPanel::mousePressEvent(QMouseEvent* Event) {
  setFocus();
  const int I = CellAt(Event->position().toPoint());
  if (I >= 0) RunGuarded([&] { SelectChart(I); });
}

void TChartGalleryPanel::mouseDoubleClickEvent(QMouseEvent* Event) {
  const int I = CellAt(Event->position().toPoint());
  if (I < 0 || !FCharts[size_t(I)].Enabled) return;
  RunGuarded([&] {
    SelectChart(I);
    if (OnSelectedChart) OnSelectedChart();
  });
}

void TChartGalleryPanel::keyPressEvent(QKeyEvent* Event) {
  const int N = int(FCharts.size());
  if (N == 0) return QWidget::keyPressEvent(Event);
  const int Cur = std::max(FSelected, 0), Row = Cur / Cols, Col = Cur % Cols;
  int Next = Cur;
  const bool Arrow = Event->key() == Qt::Key_Left || Event->key() == Qt::Key_Right ||
                     Event->key() == Qt::Key_Up || Event->key() == Qt::Key_Down;
  // Where nothing is selected yet, the first arrow selects the first chart that can be picked.
  if (Arrow && FSelected < 0) {
    for (int i = 0; i < N && FSelected < 0; ++i) RunGuarded([&] { SelectChart(i); });
    return;
  }
  switch (Event->key()) {
    case Qt::Key_Left:
      if (Col > 0) Next = Cur - 1;
      break;
    case Qt::Key_Right:
      if (Col < Cols - 1 && Cur + 1 < N) Next = Cur + 1;
      break;
    case Qt::Key_Up:
      if (Row > 0) Next = Cur - Cols;
      break;
    case Qt::Key_Down:
      if (Cur + Cols < N) Next = Cur + Cols;
      break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (FSelected >= 0 && OnSelectedChart) RunGuarded([this] { OnSelectedChart(); });
      return;
    default:
      return QWidget::keyPressEvent(Event);
  }
  RunGuarded([&] { SelectChart(Next); });
}

// --- Form --------------------------------------------------------------------------------------

TChartGallery::TChartGallery(QWidget* Owner, TCustomAxisPanel* Chart, const TChartSeries* Series,
                             bool Functions)
    : TForm(Owner), AllowFunctions(Functions), FChanging(Series), FOldErase(ChartEraseBackground) {
  // The sample charts repaint often; without erasing first they do not flicker.
  ChartEraseBackground = false;
  setObjectName(QStringLiteral("ChartGallery"));
  setWindowTitle(QStringLiteral("RodIvaze Gallery"));
  auto* Main = new QVBoxLayout(this);
  TabControl = new TChartTabControl(this);
  TabControl->addTab(QStringLiteral("Standard"));
  TabControl->addTab(QStringLiteral("Functions"));
  Main->addWidget(TabControl);
  ChartGalleryPanel1 = new TChartGalleryPanel(this);
  Main->addWidget(ChartGalleryPanel1, 1);
  auto* Bottom = new QHBoxLayout;
  CB3D = new QCheckBox(QStringLiteral("&3D"), this);
  CB3D->setObjectName(QStringLiteral("CB3D"));
  CB3D->setChecked(Chart ? Chart->View3D() : true);
  BOk = new QPushButton(QStringLiteral("OK"), this);
  BOk->setObjectName(QStringLiteral("BOk"));
  BOk->setDefault(true);
  BCancel = new QPushButton(QStringLiteral("Cancel"), this);
  BCancel->setObjectName(QStringLiteral("BCancel"));
  Bottom->addWidget(CB3D);
  Bottom->addStretch();
  Bottom->addWidget(BOk);
  Bottom->addWidget(BCancel);
  Main->addLayout(Bottom);
  SetButtonModalResult(BOk, mrOk);
  SetButtonModalResult(BCancel, mrCancel);
  resize(560, 400);

  ChartGalleryPanel1->OnSelectedChart = [this] { SetModalResult(mrOk); };
  ChartGalleryPanel1->OnChangeChart = [this] { FRemembered = ChartGalleryPanel1->SelectedType(); };
  connect(TabControl, &QTabBar::currentChanged, this,
          [this] { RunGuarded([this] { CreateGalleryPage(); }); });
  connect(CB3D, &QCheckBox::clicked, this, [this] { RunGuarded([this] { CreateGalleryPage(); }); });
  if (Series) FRemembered = GallerySeriesType(*Series);
}

TChartGallery::~TChartGallery() { ChartEraseBackground = FOldErase; }

std::vector<const TChartSeriesType*> TChartGallery::PageTypes() const {
  const QString Page = TabControl->CurrentCaption();
  const bool FunctionsPage = Page == QLatin1String("Functions");
  std::vector<const TChartSeriesType*> L;
  const TChartSeriesTypes& Types = ChartSeriesTypes();
  for (int i = 0; i < Types.Count(); ++i) {
    const TChartSeriesType& T = Types.GetSeriesType(i);
    const bool HasFunction = !T.FunctionClass.IsNull();
    if (HasFunction && !AllowFunctions) continue;
    if (FunctionsPage ? HasFunction : T.GalleryPage == Page) L.push_back(&T);
  }
  return L;
}

void TChartGallery::FormShow() {
  {
    QSignalBlocker Block(TabControl);
    if (!AllowFunctions) TabControl->removeTab(1);
    QStringList Known;
    for (int i = 0; i < TabControl->count(); ++i) Known << TabControl->tabText(i);
    const TChartSeriesTypes& Types = ChartSeriesTypes();
    for (int i = 0; i < Types.Count(); ++i) {
      const TChartSeriesType& T = Types.GetSeriesType(i);
      if (T.NumGallerySeries <= 0 || (!T.FunctionClass.IsNull() && !AllowFunctions)) continue;
      if (!Known.contains(T.GalleryPage)) {
        Known << T.GalleryPage;
        TabControl->addTab(T.GalleryPage);
      }
    }
    // The remembered type's page comes first into view.
    if (FRemembered)
      for (int i = 0; i < TabControl->count(); ++i)
        if (TabControl->tabText(i) == FRemembered->GalleryPage) TabControl->setCurrentIndex(i);
  }
  CreateGalleryPage();
  ChartGalleryPanel1->setFocus();
}

void TChartGallery::CreateGalleryPage() {
  const TChartSeriesType* Keep = FRemembered;
  ChartGalleryPanel1->Rebuild(PageTypes(), CB3D->isChecked(), FChanging, AllowFunctions);
  FRemembered = Keep;
  if (Keep) ChartGalleryPanel1->SelectType(Keep);
}

const TChartSeriesType* GallerySeriesType(const TChartSeries& S) {
  const TChartFunction* F = S.Function();
  const TChartSeriesType* T =
      ChartSeriesTypes().Find(S.ClassName(), F ? F->ClassName() : QString());
  // A function registered alone draws through any series class.
  if (!T && F) T = ChartSeriesTypes().Find(QString(), F->ClassName());
  if (!T) T = ChartSeriesTypes().Find(S.ClassName(), QString());
  return T;
}

bool ShowChartGallery(QWidget* Owner, TCustomAxisPanel* Chart, const TChartSeries* Series,
                      TChartSeriesClass& SeriesClass, TChartFunctionClass& FunctionClass,
                      bool& View3D, bool AllowFunctions) {
  TChartGallery G(Owner, Chart, Series, AllowFunctions);
  if (RunChartModal(G) != mrOk) return false;
  const TChartSeriesType* T = G.ChartGalleryPanel1->SelectedType();
  if (!T) return false;
  SeriesClass = SampleClass(*T);
  FunctionClass = T->FunctionClass;
  View3D = G.CB3D->isChecked();
  return true;
}
