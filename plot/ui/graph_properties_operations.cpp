// The "Operations" page of the properties dialog: new series from the graph's series.
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "platform/app_services.h"
#include "platform/dialogs.h"
#include "plot/layers/series.h"
#include "plot/ui/graph_properties.h"
#include "plot/ui/plot.h"
#include "plot/ui/series_operations.h"

namespace {
TSpeedButton* Speed(QWidget* Parent, const char* Name, const QString& Caption,
                    const QString& Hint = {}) {
  auto* B = new TSpeedButton(Parent);
  B->setObjectName(QString::fromLatin1(Name));
  B->SetCaption(Caption);
  if (!Hint.isEmpty()) B->SetHint(Hint);
  return B;
}
}  // namespace

void TfmGraphProperties::BuildOperationsPage(QWidget* Page) {
  auto* Grid = new QGridLayout(Page);
  tbSeries = new QListWidget(Page);
  tbSeries->setObjectName(QStringLiteral("tbSeries"));
  Grid->addWidget(tbSeries, 0, 0, 7, 1);

  auto ReadOnly = [&](const char* Name) {
    auto* E = new QLineEdit(Page);
    E->setObjectName(QString::fromLatin1(Name));
    E->setReadOnly(true);
    return E;
  };
  SpeedButton7 = Speed(Page, "SpeedButton7", QStringLiteral(">>"));
  SpeedButton8 = Speed(Page, "SpeedButton8", QStringLiteral(">>"));
  edFirst = ReadOnly("edFirst");
  edSecond = ReadOnly("edSecond");
  Grid->addWidget(new QLabel(QStringLiteral("1st Series"), Page), 0, 1);
  Grid->addWidget(SpeedButton7, 1, 1);
  Grid->addWidget(edFirst, 1, 2, 1, 3);
  Grid->addWidget(new QLabel(QStringLiteral("2nd Series"), Page), 2, 1);
  Grid->addWidget(SpeedButton8, 3, 1);
  Grid->addWidget(edSecond, 3, 2, 1, 3);

  sbAdd = Speed(Page, "sbAdd", QStringLiteral("+"), QStringLiteral("Add"));
  sbSubtract = Speed(Page, "sbSubtract", QStringLiteral("-"), QStringLiteral("Subtract"));
  sbMultiply = Speed(Page, "sbMultiply", QStringLiteral("x"), QStringLiteral("Multpy"));
  sbDivide = Speed(Page, "sbDivide", QStringLiteral("/"), QStringLiteral("Divide"));
  auto* Ops = new QHBoxLayout;
  for (TSpeedButton* B : {sbAdd, sbSubtract, sbMultiply, sbDivide}) {
    B->setMinimumWidth(B->sizeHint().height());
    Ops->addWidget(B);
    B->setEnabled(false);
  }
  Ops->addStretch(1);
  Grid->addLayout(Ops, 4, 1, 1, 4);

  btDeriv2 = new QPushButton(QStringLiteral("Derivative"), Page);
  btDeriv2->setObjectName(QStringLiteral("btDeriv2"));
  btFit = new QPushButton(QStringLiteral("Fit"), Page);
  btFit->setObjectName(QStringLiteral("btFit"));
  lbDegree = new QLabel(QStringLiteral("Degrees"), Page);
  lbDegree->setObjectName(QStringLiteral("lbDegree"));
  // Held here until Fit is pressed.
  edDegree = NumberField(
      Page, QStringLiteral("edDegree"),
      std::make_unique<GraphValidates::TIntRule>(1, 40, QStringLiteral("Polynomial degree")));
  edDegree->ShowValue(1);
  Grid->addWidget(btDeriv2, 5, 1, 1, 2);
  Grid->addWidget(lbDegree, 6, 1);
  Grid->addWidget(edDegree, 6, 2);
  Grid->addWidget(btFit, 6, 3);
  Grid->setColumnStretch(0, 1);
  Grid->setRowStretch(7, 1);
  for (QWidget* W : {static_cast<QWidget*>(btDeriv2), static_cast<QWidget*>(btFit),
                     static_cast<QWidget*>(lbDegree), static_cast<QWidget*>(edDegree)})
    W->setEnabled(false);

  connect(tbSeries, &QListWidget::itemClicked, this, Guarded([this] { SeriesListClick(); }));
  connect(tbSeries, &QListWidget::currentRowChanged, this, Guarded([this] { SeriesListClick(); }));
  connect(SpeedButton7, &TSpeedButton::Click, this, Guarded([this] { ChooseFirstClick(); }));
  connect(SpeedButton8, &TSpeedButton::Click, this, Guarded([this] { ChooseSecondClick(); }));
  connect(sbAdd, &TSpeedButton::Click, this, Guarded([this] { OperationClick(u'+'); }));
  connect(sbSubtract, &TSpeedButton::Click, this, Guarded([this] { OperationClick(u'-'); }));
  connect(sbMultiply, &TSpeedButton::Click, this, Guarded([this] { OperationClick(u'x'); }));
  connect(sbDivide, &TSpeedButton::Click, this, Guarded([this] { OperationClick(u'/'); }));
  connect(btDeriv2, &QPushButton::clicked, this, Guarded([this] { DerivativeClick(); }));
  connect(btFit, &QPushButton::clicked, this, Guarded([this] { FitClick(); }));
}

void TfmGraphProperties::LoadOperations() { FillSeriesList(); }

void TfmGraphProperties::FillSeriesList() {
  const bool WasLoading = Loading;
  Loading = true;
  tbSeries->clear();
  FSeriesRows.clear();
  // The top-most series first; each row holds a handle to its series, whatever else the layers
  // hold.
  for (int I = Graph->LayerCount() - 1; I >= 0; --I) {
    auto* S = dynamic_cast<TSeries*>(Graph->GetLayer(I));
    if (!S) continue;
    new QListWidgetItem(S->Name, tbSeries);
    FSeriesRows.emplace_back(S);
  }
  Loading = WasLoading;
}

TSeries* TfmGraphProperties::SeriesOfRow(int Row) const {
  if (Row < 0 || Row >= static_cast<int>(FSeriesRows.size())) return nullptr;
  return static_cast<TSeries*>(FSeriesRows[Row].Get());
}

void TfmGraphProperties::SeriesListClick() {
  if (!Begin() || tbSeries->currentRow() < 0) return;
  for (QWidget* W : {static_cast<QWidget*>(btDeriv2), static_cast<QWidget*>(btFit),
                     static_cast<QWidget*>(lbDegree), static_cast<QWidget*>(edDegree)})
    W->setEnabled(true);
}

void TfmGraphProperties::ChooseFirstClick() {
  TSeries* S = SeriesOfRow(tbSeries->currentRow());
  if (!S) return;
  edFirst->setText(S->Name);
  FirstSeries = TLayerHandle(S);
  if (!edSecond->text().isEmpty())
    for (TSpeedButton* B : {sbAdd, sbSubtract, sbMultiply, sbDivide}) B->setEnabled(true);
}

void TfmGraphProperties::ChooseSecondClick() {
  TSeries* S = SeriesOfRow(tbSeries->currentRow());
  if (!S) return;
  edSecond->setText(S->Name);
  SecondSeries = TLayerHandle(S);
  if (!edFirst->text().isEmpty())
    for (TSpeedButton* B : {sbAdd, sbSubtract, sbMultiply, sbDivide}) B->setEnabled(true);
}

void TfmGraphProperties::OperationClick(QChar Op) {
  auto* A = static_cast<TSeries*>(FirstSeries.Get());
  auto* B = static_cast<TSeries*>(SecondSeries.Get());
  // An operand deleted since it was chosen is chosen no more.
  if (!A || !B) {
    if (!A) edFirst->clear();
    if (!B) edSecond->clear();
    for (TSpeedButton* Button : {sbAdd, sbSubtract, sbMultiply, sbDivide})
      Button->setEnabled(false);
    return;
  }
  AddArithmeticSeries(Graph, *A, *B, Op);
  ReloadSeriesLists();
  Changed();
}

void TfmGraphProperties::DerivativeClick() {
  TSeries* S = SeriesOfRow(tbSeries->currentRow());
  if (!S) {
    MessageDlg(QStringLiteral("Select series for create derivative"), mtWarning, mbOK);
    return;
  }
  AddDerivativeSeries(Graph, *S);
  ReloadSeriesLists();
  Repaint();
}

void TfmGraphProperties::FitClick() {
  if (!CheckEdits()) return;
  TSeries* S = SeriesOfRow(tbSeries->currentRow());
  if (!S) return;
  if (!AddFitSeries(Graph, *S, edDegree->IntValue())) return;
  ReloadSeriesLists();
  Changed();
}
