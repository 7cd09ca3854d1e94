#include "chart/editors/chart_general_pages.h"

#include <algorithm>

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "chart/engine/chart.h"
#include "chart/engine/chart_exceptions.h"
#include "platform/app_services.h"
#include "platform/controls.h"
#include "platform/flag_guard.h"

namespace {
TChartDialogProc& PreviewProc() {
  static TChartDialogProc P;
  return P;
}
TChartDialogProc& ExportProc() {
  static TChartDialogProc P;
  return P;
}

}  // namespace

void SetChartPreviewProc(TChartDialogProc Proc) { PreviewProc() = std::move(Proc); }
void SetChartExportProc(TChartDialogProc Proc) { ExportProc() = std::move(Proc); }

// --- General -----------------------------------------------------------------------------------

TFormChartGeneral::TFormChartGeneral(QWidget* Owner, TCustomChart* Chart)
    : TChartEditorPage(Owner), FChart(Chart) {
  setObjectName(QStringLiteral("FormChartGeneral"));
  auto* Main = new QGridLayout(this);
  auto* Zoom = new QGroupBox(QStringLiteral("Zoom"), this);
  auto* ZoomGrid = new QGridLayout(Zoom);
  CBAllowZoom = CheckBox(Zoom, QStringLiteral("&Allow Zoom"), "CBAllowZoom");
  CBAnimatedZoom = CheckBox(Zoom, QStringLiteral("Animated Z&oom"), "CBAnimatedZoom");
  SEAniZoomSteps =
      SpinEdit(Zoom, "SEAniZoomSteps", 0, TCustomChartPanelExtended::MaxAnimatedZoomSteps, 1);
  SEAniZoomSteps->ShowValue(8);
  ZoomGrid->addWidget(CBAllowZoom, 0, 0, 1, 2);
  ZoomGrid->addWidget(CBAnimatedZoom, 1, 0, 1, 2);
  AddLabelled(ZoomGrid, 2, QStringLiteral("&Steps:"), SEAniZoomSteps);
  Main->addWidget(Zoom, 0, 0);

  RGPanning = new TRadioGroup(this);
  RGPanning->setObjectName(QStringLiteral("RGPanning"));
  RGPanning->SetCaption(QStringLiteral("Allow Scroll:"));
  RGPanning->SetItems({QStringLiteral("&None"), QStringLiteral("&Horizontal"),
                       QStringLiteral("&Vertical"), QStringLiteral("&Both")});
  Main->addWidget(RGPanning, 1, 0);
  CBClipPoints = CheckBox(this, QStringLiteral("&Clip Points"), "CBClipPoints");
  Main->addWidget(CBClipPoints, 2, 0);

  auto* Margins = new QGroupBox(QStringLiteral("Margins (%)"), this);
  auto* MarginGrid = new QGridLayout(Margins);
  SEMarTop = SpinEdit(Margins, "SEMarTop", 0, 99, 5);
  SEMarLeft = SpinEdit(Margins, "SEMarLeft", 0, 99, 5);
  SEMarBottom = SpinEdit(Margins, "SEMarBottom", 0, 99, 5);
  SEMarRight = SpinEdit(Margins, "SEMarRight", 0, 99, 5);
  MarginGrid->addWidget(SEMarTop, 0, 1);
  MarginGrid->addWidget(SEMarLeft, 1, 0);
  MarginGrid->addWidget(SEMarRight, 1, 2);
  MarginGrid->addWidget(SEMarBottom, 2, 1);
  Main->addWidget(Margins, 0, 1, 2, 1);
  BPrintPreview = Button(this, QStringLiteral("Print &Preview..."), "BPrintPreview");
  BExport = Button(this, QStringLiteral("&Export..."), "BExport");
  Main->addWidget(BPrintPreview, 2, 1);
  Main->addWidget(BExport, 3, 1);
  Main->setRowStretch(4, 1);
  BPrintPreview->setVisible(bool(PreviewProc()));
  BExport->setVisible(bool(ExportProc()));

  On(CBAllowZoom, &QCheckBox::clicked, this, [this](bool On) {
    if (FChart) FChart->SetAllowZoom(On);
  });
  On(CBAnimatedZoom, &QCheckBox::clicked, this, [this](bool On) {
    if (FChart) FChart->SetAnimatedZoom(On);
  });
  OnNumber(
      SEAniZoomSteps,
      [this](int V) {
        if (FChart) FChart->SetAnimatedZoomSteps(V);
      },
      [this] { return FChart ? FChart->AnimatedZoomSteps() : 8; });
  On(RGPanning, &TRadioGroup::Click, this, [this] {
    if (FChart && !FCreating && RGPanning->ItemIndex() >= 0)
      FChart->SetAllowPanning(TPanningMode(RGPanning->ItemIndex()));
  });
  On(CBClipPoints, &QCheckBox::clicked, this, [this](bool On) {
    if (FChart) FChart->SetClipPoints(On);
  });
  const std::pair<TNumberEdit*, int> MarginEdits[] = {
      {SEMarLeft, 0}, {SEMarTop, 1}, {SEMarRight, 2}, {SEMarBottom, 3}};
  for (auto [Edit, Index] : MarginEdits) {
    const int I = Index;
    OnNumber(
        Edit,
        [this, I](int V) {
          if (FChart) FChart->SetMargin(I, V);
        },
        [this, I] { return FChart ? FChart->GetMargin(I) : 0; });
    Edit->OnCheck = [this, I](double V) {
      return FChart ? MarginRefusal(I, int(V), FChart->GetMargin(OppositeMargin(I))) : QString();
    };
  }
  On(BPrintPreview, &QPushButton::clicked, this, [this] {
    if (FChart && PreviewProc()) PreviewProc()(this, *FChart);
  });
  On(BExport, &QPushButton::clicked, this, [this] {
    if (FChart && ExportProc()) ExportProc()(this, *FChart);
  });
  FCreating = false;
}

void TFormChartGeneral::PageShow() {
  if (!FChart) return;
  TFlagGuard Loading(FCreating);
  CBAllowZoom->setChecked(FChart->AllowZoom());
  CBAnimatedZoom->setChecked(FChart->AnimatedZoom());
  SEAniZoomSteps->ShowValue(FChart->AnimatedZoomSteps());
  RGPanning->SetItemIndex(int(FChart->AllowPanning()));
  CBClipPoints->setChecked(FChart->ClipPoints());
  SEMarLeft->ShowValue(FChart->MarginLeft());
  SEMarTop->ShowValue(FChart->MarginTop());
  SEMarRight->ShowValue(FChart->MarginRight());
  SEMarBottom->ShowValue(FChart->MarginBottom());
}

// --- Paging ------------------------------------------------------------------------------------

TFormChartPage::TFormChartPage(QWidget* Owner, TCustomChart* Chart)
    : TChartEditorPage(Owner), FChart(Chart) {
  setObjectName(QStringLiteral("FormChartPage"));
  auto* Grid = new QGridLayout(this);
  SEPointsPerPage = SpinEdit(this, "SEPointsPerPage", 0, 32000, 1);
  AddLabelled(Grid, 0, QStringLiteral("P&oints per Page:"), SEPointsPerPage);
  CBScaleLast = CheckBox(this, QStringLiteral("&Scale Last Page"), "CBScaleLast");
  Grid->addWidget(CBScaleLast, 1, 0, 1, 2);
  LPageLegend = new QLabel(this);
  LPageLegend->setObjectName(QStringLiteral("LPageLegend"));
  AddLabelled(Grid, 2, QStringLiteral("Current Page / Total:"), LPageLegend);
  auto* Nav = new QHBoxLayout;
  BFirst = Button(this, QStringLiteral("&First"), "BFirst");
  BPrevious = Button(this, QStringLiteral("&Previous"), "BPrevious");
  BNext = Button(this, QStringLiteral("&Next"), "BNext");
  BLast = Button(this, QStringLiteral("&Last"), "BLast");
  for (QPushButton* B : {BFirst, BPrevious, BNext, BLast}) Nav->addWidget(B);
  Grid->addLayout(Nav, 3, 0, 1, 2);
  Grid->setRowStretch(4, 1);
  Grid->setColumnStretch(2, 1);

  // An emptied edit means no paging.
  ChartRule(SEPointsPerPage).EmptyIsZero = true;
  OnNumber(
      SEPointsPerPage,
      [this](int V) {
        if (FChart) FChart->SetMaxPointsPerPage(V);
        UpdateControls();
      },
      [this] { return FChart ? FChart->MaxPointsPerPage() : 0; });
  On(CBScaleLast, &QCheckBox::clicked, this, [this](bool On) {
    if (!FChart) return;
    FChart->SetScaleLastPage(On);
    UpdateControls();
  });
  On(BFirst, &QPushButton::clicked, this, [this] {
    if (FChart) FChart->SetPage(1);
    UpdateControls();
  });
  On(BPrevious, &QPushButton::clicked, this, [this] {
    if (FChart) FChart->PreviousPage();
    UpdateControls();
  });
  On(BNext, &QPushButton::clicked, this, [this] {
    if (FChart) FChart->NextPage();
    UpdateControls();
  });
  On(BLast, &QPushButton::clicked, this, [this] {
    if (FChart) FChart->SetPage(FChart->NumPages());
    UpdateControls();
  });
  FCreating = false;
}

void TFormChartPage::PageShow() {
  if (!FChart) return;
  {
    TFlagGuard Loading(FCreating);
    SEPointsPerPage->ShowValue(FChart->MaxPointsPerPage());
    CBScaleLast->setChecked(FChart->ScaleLastPage());
  }
  UpdateControls();
}

void TFormChartPage::UpdateControls() {
  if (!FChart) return;
  const int Pages = FChart->NumPages(), Page = FChart->Page();
  LPageLegend->setText(QStringLiteral("%1/%2").arg(Page).arg(Pages));
  BPrevious->setEnabled(Page > 1);
  BFirst->setEnabled(Page > 1);
  BNext->setEnabled(Pages > Page);
  BLast->setEnabled(Pages > Page);
}

// --- 3D ----------------------------------------------------------------------------------------

namespace {
QScrollBar* ViewBar(QWidget* Parent, const char* Name, int Min, int Max) {
  auto* B = new QScrollBar(Qt::Horizontal, Parent);
  B->setObjectName(QLatin1String(Name));
  B->setRange(Min, Max);
  B->setMinimumWidth(160);
  return B;
}
}  // namespace

TFormChart3D::TFormChart3D(QWidget* Owner, TCustomChart* Chart)
    : TChartEditorPage(Owner), FChart(Chart) {
  setObjectName(QStringLiteral("FormChart3D"));
  auto* Grid = new QGridLayout(this);
  CBView3d = CheckBox(this, QStringLiteral("&3 Dimensions"), "CBView3d");
  Grid->addWidget(CBView3d, 0, 0, 1, 2);
  SE3d = SpinEdit(this, "SE3d", 1, 100, 5);
  SE3d->ShowValue(15);
  ChartRule(SE3d).RangeMessage = QString::fromStdString(ChartMessages::Chart3DPercent(1, 100));
  AddLabelled(Grid, 1, QStringLiteral("3&D %:"), SE3d);
  CBOrthogonal = CheckBox(this, QStringLiteral("&Orthogonal"), "CBOrthogonal");
  Grid->addWidget(CBOrthogonal, 2, 0, 1, 2);
  CBZoomText = CheckBox(this, QStringLiteral("Zoom &Text"), "CBZoomText");
  Grid->addWidget(CBZoomText, 3, 0, 1, 2);

  struct TBar {
    QScrollBar*& Bar;
    QLabel*& Value;
    const char* Name;
    QString Caption;
    TView3DValue Which;
    bool Percent;
  };
  using W = TView3DValue;
  const TBar Bars[] = {
      {SBZoom, LZoom, "SBZoom", QStringLiteral("&Zoom:"), W::Zoom, true},
      {SBRotation, LRotation, "SBRotation", QStringLiteral("&Rotation:"), W::Rotation, false},
      {SBElevation, LElevation, "SBElevation", QStringLiteral("E&levation:"), W::Elevation, false},
      {SBHOffset, LHOffset, "SBHOffset", QStringLiteral("&Horiz. Offset:"), W::HorizOffset, false},
      {SBVOffset, LVOffset, "SBVOffset", QStringLiteral("&Vert. Offset:"), W::VertOffset, false},
      {SBPerspec, LPerspec, "SBPerspec", QStringLiteral("&Perspective:"), W::Perspective, false},
  };
  // Every row as high as the tallest control, so that the rows beside the check boxes and the
  // spin edit are not spaced wider than the rest.
  const int RowHeight = std::max({SE3d->sizeHint().height(), CBView3d->sizeHint().height(),
                                  CBOrthogonal->sizeHint().height()});
  int Row = 0;
  for (const TBar& B : Bars) {
    Grid->setRowMinimumHeight(Row, RowHeight);
    B.Bar = ViewBar(this, B.Name, View3DRange(B.Which).Min, View3DRange(B.Which).Max);
    auto* Caption = new QLabel(B.Caption, this);
    Caption->setBuddy(B.Bar);
    B.Value = new QLabel(this);
    B.Value->setMinimumWidth(40);
    Grid->addWidget(Caption, Row, 2);
    Grid->addWidget(B.Bar, Row, 3);
    Grid->addWidget(B.Value, Row, 4);
    QLabel* Value = B.Value;
    const bool Percent = B.Percent;
    auto Show = [Value, Percent](int V) {
      Value->setText(QString::number(V) + (Percent ? QStringLiteral("%") : QString()));
    };
    connect(B.Bar, &QScrollBar::valueChanged, Value, Show);
    // A bar that opens where its value already is reports no change: show that value too.
    Show(B.Bar->value());
    ++Row;
  }
  Grid->setRowStretch(Row, 1);

  On(CBView3d, &QCheckBox::clicked, this, [this](bool On) {
    if (!FChart) return;
    FChart->SetView3D(On);
    CheckControls();
  });
  OnNumber(
      SE3d,
      [this](int V) {
        if (FChart) FChart->SetChart3DPercent(V);
      },
      [this] { return FChart ? FChart->Chart3DPercent() : 15; });
  On(CBOrthogonal, &QCheckBox::clicked, this, [this](bool On) {
    if (!FChart) return;
    FChart->View3DOptions()->SetOrthogonal(On);
    CheckControls();
  });
  On(CBZoomText, &QCheckBox::clicked, this, [this](bool On) {
    if (FChart) FChart->View3DOptions()->SetZoomText(On);
  });
  auto View = [this](void (TView3DOptions::*Set)(int)) {
    return [this, Set](int V) {
      if (FChart && !FCreating) (FChart->View3DOptions()->*Set)(V);
    };
  };
  On(SBZoom, &QScrollBar::valueChanged, this, View(&TView3DOptions::SetZoom));
  On(SBRotation, &QScrollBar::valueChanged, this, View(&TView3DOptions::SetRotation));
  On(SBElevation, &QScrollBar::valueChanged, this, View(&TView3DOptions::SetElevation));
  On(SBHOffset, &QScrollBar::valueChanged, this, View(&TView3DOptions::SetHorizOffset));
  On(SBVOffset, &QScrollBar::valueChanged, this, View(&TView3DOptions::SetVertOffset));
  On(SBPerspec, &QScrollBar::valueChanged, this, View(&TView3DOptions::SetPerspective));
  FCreating = false;
}

void TFormChart3D::PageShow() {
  if (!FChart) return;
  {
    TFlagGuard Loading(FCreating);
    const TView3DOptions* V = FChart->View3DOptions();
    CBView3d->setChecked(FChart->View3D());
    SE3d->ShowValue(FChart->Chart3DPercent());
    CBOrthogonal->setChecked(V->Orthogonal());
    CBZoomText->setChecked(V->ZoomText());
    SBZoom->setValue(V->Zoom());
    SBRotation->setValue(V->Rotation());
    SBElevation->setValue(V->Elevation());
    SBHOffset->setValue(V->HorizOffset());
    SBVOffset->setValue(V->VertOffset());
    SBPerspec->setValue(V->Perspective());
  }
  CheckControls();
}

void TFormChart3D::CheckControls() {
  if (!FChart) return;
  const bool Is3D = FChart->View3D();
  const bool Orthogonal = FChart->View3DOptions()->Orthogonal();
  for (QWidget* W : QList<QWidget*>{SE3d, SBZoom, SBHOffset, SBVOffset, CBZoomText})
    W->setEnabled(Is3D);
  CBOrthogonal->setEnabled(Is3D && AllowRotation);
  SBRotation->setEnabled(Is3D && !Orthogonal && AllowRotation);
  SBElevation->setEnabled(Is3D && !Orthogonal);
  SBPerspec->setEnabled(Is3D && !Orthogonal);
}
