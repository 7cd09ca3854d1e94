#include "plot/ui/marker_style.h"

#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <algorithm>
#include <cmath>

#include "platform/app_services.h"
#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "platform/dialogs.h"
#include "platform/number_text.h"
#include "plot/core/graph_drawing.h"
#include "plot/core/graph_marker.h"
#include "plot/layers/series.h"

namespace {
constexpr int IconSize = 24;
constexpr int PreviewSize = 64;

// A drawing on a bitmap alone, for markers that draw themselves outside any graph.
class TIconDrawing : public TGraphDrawing {
 public:
  explicit TIconDrawing(TCanvas* C) : TGraphDrawing(C) {}
  bool AxisLog(TGraphAxisId) const override { return false; }
  bool AxisInverted(TGraphAxisId) const override { return false; }
  bool LayerOnXAxis2(const TLayer*) const override { return false; }
  bool LayerOnYAxis2(const TLayer*) const override { return false; }
  QString LayerName(const TLayer*) const override { return {}; }
  bool LayerMarkerColor(const TLayer*, TColor&) const override { return false; }
  int BarSlot(const TLayer*) const override { return 0; }
  int BarSlotCount() const override { return 0; }
};
}  // namespace

QImage MarkerStyleImage(int Style, int Size, TColor PenColor, TColor FillColor, double Ratio) {
  // The centre and the marker's size are those of the unscaled picture, scaled: taken from the
  // larger picture they would round differently, and a square would get a step in its edges.
  auto Scaled = [Ratio](int V) { return std::max(RoundInt(V * Ratio), 1); };
  const int Side = Scaled(Size);
  TBitmap B(Side, Side);
  TCanvas* C = B.Canvas();
  C->Brush()->SetColor(clWhite);
  C->Brush()->SetStyle(bsSolid);
  C->FillRect({0, 0, Side, Side});
  if (Style > 0) {
    TIconDrawing D(C);
    TMarker M(&D);
    M.MarkerFlag = true;
    M.Shade = 3;
    M.Color = PenColor;
    M.FillColor = FillColor;
    M.Draw(Scaled(Size / 2), Scaled(Size / 2), PenColor, Scaled(Size * 2 / 3), Style);
  }
  return B.Image().copy();
}

namespace {
// The marker drawn at the screen's pixel ratio, so that it stays sharp at every scale.
QPixmap SharpMarker(int Style, int Size, TColor Pen, TColor Fill, double Ratio) {
  Ratio = std::clamp(std::isfinite(Ratio) ? Ratio : 1.0, 1.0, 8.0);
  QPixmap P = QPixmap::fromImage(MarkerStyleImage(Style, Size, Pen, Fill, Ratio));
  P.setDevicePixelRatio(Ratio);
  return P;
}
}  // namespace

TfmMarkerStyle::TfmMarkerStyle(QWidget* Owner) : TForm(Owner) {
  setObjectName(QStringLiteral("fmMarkerStyle"));
  SetBorderStyle(bsDialog);
}

TfmMarkerStyle::~TfmMarkerStyle() = default;

void TfmMarkerStyle::FormCreate() {
  Loading = true;
  setWindowTitle(QStringLiteral("Symbol Style"));
  auto* Grid = new QGridLayout(this);
  Markers = new QListWidget(this);
  Markers->setObjectName(QStringLiteral("Markers"));
  Markers->setViewMode(QListView::IconMode);
  Markers->setIconSize({IconSize, IconSize});
  Markers->setResizeMode(QListView::Adjust);
  Markers->setMovement(QListView::Static);
  Markers->setGridSize({IconSize + 16, IconSize + 24});
  for (int K = 0; K < StyleCount; ++K) {
    auto* Item = new QListWidgetItem(QString::number(K), Markers);
    if (K > 0)
      Item->setIcon(QIcon(SharpMarker(K, IconSize, clBlack, clWhite, devicePixelRatioF())));
  }
  Markers->setMinimumSize(8 * (IconSize + 16) + 24, 4 * (IconSize + 24) + 8);
  Image1 = new QLabel(this);
  Image1->setObjectName(QStringLiteral("Image1"));
  Image1->setFixedSize(PreviewSize, PreviewSize);
  edSize = new TNumberEdit(this);
  edSize->setObjectName(QStringLiteral("edSize"));
  btPenColor = new QPushButton(QStringLiteral("Pen Color..."), this);
  btPenColor->setObjectName(QStringLiteral("btPenColor"));
  btFillColor = new QPushButton(QStringLiteral("Fill Color..."), this);
  btFillColor->setObjectName(QStringLiteral("btFillColor"));
  btClose = new QPushButton(QStringLiteral("Close"), this);
  btClose->setObjectName(QStringLiteral("btClose"));
  btCancel = new QPushButton(QStringLiteral("&Cancel"), this);
  btCancel->setObjectName(QStringLiteral("btCancel"));
  btCancel->hide();
  for (QPushButton* B : {btPenColor, btFillColor, btClose, btCancel}) B->setAutoDefault(false);
  Grid->addWidget(Markers, 0, 0, 6, 1);
  Grid->addWidget(Image1, 0, 1, 1, 2, Qt::AlignCenter);
  Grid->addWidget(new QLabel(QStringLiteral("Size"), this), 1, 1);
  Grid->addWidget(edSize, 1, 2);
  Grid->addWidget(btPenColor, 2, 1, 1, 2);
  Grid->addWidget(btFillColor, 3, 1, 1, 2);
  Grid->addWidget(btClose, 5, 1);
  Grid->addWidget(btCancel, 5, 2);
  Grid->setRowStretch(4, 1);
  edSize->SetRule(
      std::make_unique<GraphValidates::TIntRule>(1, 100, QStringLiteral("Size of Marker")));
  edSize->SetLive(true);
  edSize->OnRead = [this] { return Size; };
  edSize->OnApply = [this](double V) { SizeChanged(static_cast<int>(V)); };
  connect(Markers, &QListWidget::currentRowChanged, this,
          Guarded([this](int Row) { StyleClick(Row); }));
  connect(btPenColor, &QPushButton::clicked, this, Guarded([this] { PenColorClick(); }));
  connect(btFillColor, &QPushButton::clicked, this, Guarded([this] { FillColorClick(); }));
  SetButtonModalResult(btCancel, mrCancel);
  SetButtonModalResult(btClose, mrOk);
}

TSeries* TfmMarkerStyle::Series() const { return static_cast<TSeries*>(FSeries.Get()); }

std::vector<TSeries*> TfmMarkerStyle::Targets() const {
  std::vector<TSeries*> T;
  if (FSelected.size() > 1) {
    for (const TLayerHandle& H : FSelected)
      if (auto* S = static_cast<TSeries*>(H.Get())) T.push_back(S);
  } else if (TSeries* S = Series()) {
    T.push_back(S);
  }
  return T;
}

void TfmMarkerStyle::Load(TSeries* S, const std::vector<TLayerHandle>& Selected) {
  Loading = true;
  FSeries = TLayerHandle(S);
  FSelected = Selected;
  Style = S->GetMarkerStyle();
  Size = S->FMarkerSize;
  PenColor = S->MarkerPenColor;
  FillColor = S->MarkerFillColor;
  Markers->setCurrentRow(std::clamp(Style, 0, StyleCount - 1));
  edSize->Load();
  ShowPreview();
  Loading = false;
}

bool TfmMarkerStyle::Execute(TSeries* S, const std::vector<TLayerHandle>& Selected) {
  Load(S, Selected);
  ShowModal();
  return true;
}

void TfmMarkerStyle::LoadValues(int AStyle, int ASize, TColor APen, TColor AFill) {
  Loading = true;
  FSeries.Reset();
  FSelected.clear();
  Style = AStyle;
  Size = ASize;
  PenColor = APen;
  FillColor = AFill;
  Markers->setCurrentRow(std::clamp(Style, 0, StyleCount - 1));
  edSize->Load();
  btCancel->show();
  btClose->setText(QStringLiteral("&OK"));
  ShowPreview();
  Loading = false;
}

bool TfmMarkerStyle::ExecuteValues(int& AStyle, int& ASize, TColor& APen, TColor& AFill) {
  LoadValues(AStyle, ASize, APen, AFill);
  if (ShowModal() != mrOk) return false;
  AStyle = Style;
  ASize = Size;
  APen = PenColor;
  AFill = FillColor;
  return true;
}

void TfmMarkerStyle::ShowPreview() {
  Image1->setPixmap(
      SharpMarker(Style, PreviewSize, PenColor, FillColor, Image1->devicePixelRatioF()));
}

void TfmMarkerStyle::Repaint() {
  if (TSeries* S = Series(); S && S->Graph) S->Graph->Paint();
}

void TfmMarkerStyle::StyleClick(int Item) {
  if (Loading || Item < 0) return;
  Style = Item;
  ShowPreview();
  if (!Series()) return;
  for (TSeries* S : Targets()) S->SetMarkerStyle(Item);
  Repaint();
}

void TfmMarkerStyle::SizeChanged(int V) {
  Size = V;
  if (!Series()) return;
  for (TSeries* S : Targets()) S->SetMarkerSize(V);
  Repaint();
}

void TfmMarkerStyle::ChooseColor(TColor& Copy, void (TSeries::*Set)(TColor)) {
  TColorDialog D;
  D.Color = Copy;
  if (!D.Execute()) return;
  Copy = D.Color;
  ShowPreview();
  if (TSeries* S = Series()) {
    (S->*Set)(Copy);
    Repaint();
  }
}

void TfmMarkerStyle::PenColorClick() { ChooseColor(PenColor, &TSeries::SetMarkerPenColor); }

void TfmMarkerStyle::FillColorClick() { ChooseColor(FillColor, &TSeries::SetMarkerFillColor); }
