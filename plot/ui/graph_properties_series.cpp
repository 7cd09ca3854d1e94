// The "Series" page of the properties dialog: the graph's series with their visibility, look,
// axes and order.
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>

#include "platform/app_services.h"
#include "platform/dialogs.h"
#include "plot/core/graph.h"
#include "plot/layers/matrix_series.h"
#include "plot/layers/series.h"
#include "plot/ui/graph_properties.h"
#include "plot/ui/graph_properties_widgets.h"
#include "plot/ui/marker_style.h"
#include "plot/ui/plot.h"
#include "plot/ui/series_import.h"

namespace {
// Bars behind one another (skZOrderedBar) share the style box's "Bar" with bars side by side:
// the graph's bar style decides between them.

const QStringList SeriesStyles = {
    QStringLiteral("Points"), QStringLiteral("Line"),  QStringLiteral("Line and Point "),
    QStringLiteral("Volume"), QStringLiteral("Arrow"), QStringLiteral("Piecewise Constant"),
    QStringLiteral("Area"),   QStringLiteral("Bar")};

bool HasLineControls(int Kind) {
  return Kind == skLine || Kind == skLineAndPoint || Kind == skVolume ||
         Kind == skPiecewiseConstant;
}
bool HasSymbols(int Kind) {
  return Kind == skPoints || Kind == skLineAndPoint || Kind == skVolume ||
         Kind == skPiecewiseConstant || Kind == skMatrix;
}
bool IsBar(int Kind) { return Kind == skBar || Kind == skZOrderedBar; }
bool IsMatrix(const TSeries* S) { return dynamic_cast<const TMatrixSeries*>(S) != nullptr; }

// The style box's row for a kind; -1 for a kind it has no row for.
int StyleRow(int Kind, int Rows) {
  if (Kind == skZOrderedBar) Kind = skBar;
  return Kind >= skPoints && Kind <= Rows ? Kind - skPoints : -1;
}

QPushButton* NamedButton(QWidget* Parent, const char* Name, const QString& Caption) {
  return Named(new QPushButton(Caption, Parent), Name);
}
}  // namespace

void TfmGraphProperties::BuildSeriesPage(QWidget* Page) {
  auto* Grid = new QGridLayout(Page);
  clSeries = new QListWidget(Page);
  clSeries->setObjectName(QStringLiteral("clSeries"));
  clSeries->setSelectionMode(QAbstractItemView::ExtendedSelection);
  Grid->addWidget(clSeries, 0, 0, 2, 1);

  auto* Buttons = new QVBoxLayout;
  btAddSeries = NamedButton(Page, "btAdd", QStringLiteral("Add..."));
  btEditSeries = NamedButton(Page, "btEdit", QStringLiteral("Edit..."));
  btDeleteSeries = NamedButton(Page, "btDelete", QStringLiteral("Delete"));
  for (QPushButton* B : {btAddSeries, btEditSeries, btDeleteSeries}) Buttons->addWidget(B);
  auto* Order = new QGroupBox(QStringLiteral("Set order"), Page);
  Order->setObjectName(QStringLiteral("gbOrder"));
  auto* OrderLayout = new QVBoxLayout(Order);
  btnTop = NamedButton(Order, "btnTop", QStringLiteral("Top "));
  btnUp = NamedButton(Order, "btnUp", QStringLiteral("Up"));
  btnDown = NamedButton(Order, "btnDown", QStringLiteral("Down "));
  btnBottom = NamedButton(Order, "btnBottom", QStringLiteral("Bottom "));
  for (QPushButton* B : {btnTop, btnUp, btnDown, btnBottom}) OrderLayout->addWidget(B);
  Buttons->addWidget(Order);
  Buttons->addStretch(1);
  Grid->addLayout(Buttons, 0, 1);

  gbSeriesProperties = new QGroupBox(QStringLiteral("Series Properties"), Page);
  gbSeriesProperties->setObjectName(QStringLiteral("gbSeriesProperties"));
  auto* Props = new QGridLayout(gbSeriesProperties);
  QWidget* G = gbSeriesProperties;
  edSeriesName = new QLineEdit(G);
  edSeriesName->setObjectName(QStringLiteral("edSeriesName"));
  cbSeriesStyle = new QComboBox(G);
  cbSeriesStyle->setObjectName(QStringLiteral("cbSeriesStyle"));
  cbSeriesStyle->addItems(SeriesStyles);
  cbSeriesLineStyle = new QComboBox(G);
  cbSeriesLineStyle->setObjectName(QStringLiteral("cbSeriesLineStyle"));
  cbSeriesLineStyle->addItems({QStringLiteral("Solid"), QStringLiteral("Dash "),
                               QStringLiteral("Dot"), QStringLiteral("DashDot"),
                               QStringLiteral("DashDotDot "), QStringLiteral("Clear")});
  lbLineStyle = new QLabel(QStringLiteral("Line Style"), G);
  lbLineWidth = new QLabel(QStringLiteral("Line Width"), G);
  Edit1 = new QLineEdit(QStringLiteral("1"), G);
  Edit1->setObjectName(QStringLiteral("Edit1"));
  Edit1->setReadOnly(true);
  Edit1->setMaximumWidth(Edit1->fontMetrics().horizontalAdvance(QStringLiteral("00000")));
  sbTicknessUp = new TSpeedButton(G);
  sbTicknessUp->setObjectName(QStringLiteral("sbTicknessUp"));
  sbTicknessUp->SetCaption(QStringLiteral("+"));
  sbTicknessDn = new TSpeedButton(G);
  sbTicknessDn->setObjectName(QStringLiteral("sbTicknessDn"));
  sbTicknessDn->SetCaption(QStringLiteral("-"));
  btSymbols = NamedButton(G, "btSymbols", QStringLiteral("Symbols..."));
  btSeriesColor = NamedButton(G, "btSeriesColor", QStringLiteral("Color..."));
  chSecondaryX = new QCheckBox(QStringLiteral("Use secondary X Axis"), G);
  chSecondaryX->setObjectName(QStringLiteral("chSecondaryX"));
  chSecondaryY = new QCheckBox(QStringLiteral("Use secondary Y Axis"), G);
  chSecondaryY->setObjectName(QStringLiteral("chSecondaryY"));
  Props->addWidget(new QLabel(QStringLiteral("Name"), G), 0, 0);
  Props->addWidget(edSeriesName, 0, 1, 1, 3);
  Props->addWidget(new QLabel(QStringLiteral("Style"), G), 1, 0);
  Props->addWidget(cbSeriesStyle, 1, 1, 1, 3);
  Props->addWidget(lbLineStyle, 2, 0);
  Props->addWidget(cbSeriesLineStyle, 2, 1, 1, 3);
  Props->addWidget(lbLineWidth, 3, 0);
  auto* Width = new QHBoxLayout;
  Width->addWidget(Edit1);
  Width->addWidget(sbTicknessDn);
  Width->addWidget(sbTicknessUp);
  Width->addStretch(1);
  Props->addLayout(Width, 3, 1, 1, 3);
  Props->addWidget(btSymbols, 4, 0, 1, 2);
  Props->addWidget(btSeriesColor, 4, 2, 1, 2);
  Props->addWidget(chSecondaryX, 5, 0, 1, 4);
  Props->addWidget(chSecondaryY, 6, 0, 1, 4);
  Props->setColumnStretch(1, 1);
  Grid->addWidget(gbSeriesProperties, 1, 1);
  Grid->setColumnStretch(0, 1);

  connect(clSeries, &QListWidget::itemChanged, this,
          Guarded([this](QListWidgetItem* Item) { SeriesCheckClick(clSeries->row(Item)); }));
  connect(clSeries, &QListWidget::itemSelectionChanged, this, Guarded([this] { SeriesClick(); }));
  connect(cbSeriesStyle, &QComboBox::activated, this,
          Guarded([this](int Index) { SeriesStyleChange(Index); }));
  connect(cbSeriesLineStyle, &QComboBox::activated, this,
          Guarded([this](int Index) { SeriesLineStyleChange(Index); }));
  connect(edSeriesName, &QLineEdit::textEdited, this, Guarded([this] { SeriesNameChange(); }));
  connect(edSeriesName, &QLineEdit::editingFinished, this, Guarded([this] { SeriesNameExit(); }));
  HelpOnF1(edSeriesName);
  connect(btSeriesColor, &QPushButton::clicked, this, Guarded([this] { SeriesColorClick(); }));
  connect(sbTicknessUp, &TSpeedButton::Click, this, Guarded([this] { SeriesWidthStep(1); }));
  connect(sbTicknessDn, &TSpeedButton::Click, this, Guarded([this] { SeriesWidthStep(-1); }));
  for (QCheckBox* B : {chSecondaryX, chSecondaryY})
    connect(B, &QCheckBox::clicked, this, Guarded([this] { SecondaryAxisClick(); }));
  for (int I = 0; QPushButton * B : {btnTop, btnUp, btnDown, btnBottom}) {
    connect(B, &QPushButton::clicked, this, Guarded([this, I] { SeriesOrderClick(I); }));
    ++I;
  }
  connect(btDeleteSeries, &QPushButton::clicked, this, Guarded([this] { DeleteSeriesClick(); }));
  connect(btAddSeries, &QPushButton::clicked, this, Guarded([this] { AddSeriesClick(); }));
  connect(btEditSeries, &QPushButton::clicked, this, Guarded([this] { EditSeriesClick(); }));
  connect(btSymbols, &QPushButton::clicked, this, Guarded([this] { SymbolsClick(); }));
}

// --- Loading ------------------------------------------------------------------------------------

void TfmGraphProperties::LoadSeriesPage() {
  bool Matrix = false;
  for (int I = 0; I < Graph->LayerCount(); ++I)
    Matrix = Matrix || IsMatrix(dynamic_cast<TSeries*>(Graph->GetLayer(I)));
  cbSeriesStyle->clear();
  cbSeriesStyle->addItems(SeriesStyles);
  if (Matrix) cbSeriesStyle->addItem(QStringLiteral("Matrix"));
  FillCheckList();
  PageControl1->SetTabVisible(piSeries, !FCheckRows.empty());
}

void TfmGraphProperties::ReloadSeriesLists() {
  LoadSeriesPage();
  FillSeriesList();
}

void TfmGraphProperties::FillCheckList() {
  const bool WasLoading = Loading;
  Loading = true;
  clSeries->clear();
  FCheckRows.clear();
  for (int I = Graph->LayerCount() - 1; I >= 0; --I) {
    auto* S = dynamic_cast<TSeries*>(Graph->GetLayer(I));
    if (!S) continue;
    auto* Item = new QListWidgetItem(S->Name, clSeries);
    Item->setFlags(Item->flags() | Qt::ItemIsUserCheckable);
    Item->setCheckState(S->GetVisible() ? Qt::Checked : Qt::Unchecked);
    FCheckRows.emplace_back(S);
  }
  Loading = WasLoading;
  UpdateSeriesControls();
}

TSeries* TfmGraphProperties::SeriesOfCheckRow(int Row) const {
  if (Row < 0 || Row >= static_cast<int>(FCheckRows.size())) return nullptr;
  return static_cast<TSeries*>(FCheckRows[Row].Get());
}

std::vector<TSeries*> TfmGraphProperties::SelectedSeries() const {
  std::vector<TSeries*> Out;
  for (int Row = 0; Row < clSeries->count(); ++Row)
    if (clSeries->item(Row)->isSelected())
      if (TSeries* S = SeriesOfCheckRow(Row)) Out.push_back(S);
  return Out;
}

// Loads the properties group from the one selected series, or empties it for a choice that
// applies to all of them; then enables what the kind has.
void TfmGraphProperties::UpdateSeriesControls() {
  const bool WasLoading = Loading;
  Loading = true;
  const std::vector<TSeries*> Sel = SelectedSeries();
  TSeries* One = Sel.size() == 1 ? Sel.front() : nullptr;
  if (One) {
    edSeriesName->setText(One->Name);
    cbSeriesStyle->setCurrentIndex(StyleRow(One->FKind, cbSeriesStyle->count()));
    cbSeriesLineStyle->setCurrentIndex(
        One->LineStyle >= 0 && One->LineStyle < cbSeriesLineStyle->count() ? One->LineStyle : -1);
    Edit1->setText(QString::number(One->LineWidth));
    chSecondaryX->setChecked(One->GetOnXAxis2());
    chSecondaryY->setChecked(One->GetOnYAxis2());
  } else {
    edSeriesName->clear();
    cbSeriesStyle->setCurrentIndex(-1);
    cbSeriesLineStyle->setCurrentIndex(-1);
    Edit1->setText(QStringLiteral("1"));
  }
  Loading = WasLoading;

  const bool Any = !Sel.empty();
  const int Kind = One ? One->FKind : 0;
  const bool Line = !One || HasLineControls(Kind);
  for (QWidget* W : {static_cast<QWidget*>(cbSeriesLineStyle), static_cast<QWidget*>(lbLineStyle),
                     static_cast<QWidget*>(lbLineWidth), static_cast<QWidget*>(Edit1),
                     static_cast<QWidget*>(sbTicknessUp), static_cast<QWidget*>(sbTicknessDn)})
    W->setEnabled(Any && Line);
  cbSeriesStyle->setEnabled(Any && !Plot->PropertiesControl.DisabledSeriesStyle);
  edSeriesName->setEnabled(One != nullptr);
  btSymbols->setEnabled(One && HasSymbols(Kind));
  btSeriesColor->setEnabled(One && Kind != skPoints);
  btEditSeries->setEnabled(One != nullptr);
  for (QCheckBox* B : {chSecondaryX, chSecondaryY}) B->setEnabled(Any);
  btnUp->setEnabled(SeriesOrderAllowed && Any);
  btnTop->setEnabled(SeriesOrderAllowed && One);
  btnDown->setEnabled(SeriesOrderAllowed && One);
  btnBottom->setEnabled(SeriesOrderAllowed && One);
}

void TfmGraphProperties::RefreshLegend(TSeries* S) {
  if (!S || !Graph->Legend) return;
  const int I = Graph->Legend->IndexOfLayer(S);
  if (I < 0) return;
  if (auto* E = dynamic_cast<TSeriesLegend*>(Graph->Legend->Item(I))) S->AssignLegend(*E);
}

// --- Handlers -----------------------------------------------------------------------------------

void TfmGraphProperties::SeriesCheckClick(int Row) {
  if (!Begin() || Row < 0 || Row >= clSeries->count()) return;
  QListWidgetItem* Clicked = clSeries->item(Row);
  const bool On = Clicked->checkState() == Qt::Checked;
  Loading = true;
  if (!Clicked->isSelected()) {
    clSeries->clearSelection();
    Clicked->setSelected(true);
  }
  Loading = false;
  for (int R = 0; R < clSeries->count(); ++R) {
    QListWidgetItem* Item = clSeries->item(R);
    TSeries* S = SeriesOfCheckRow(R);
    if (!Item->isSelected() || !S) continue;
    S->SetVisible(On);
    S->SetOnXAxis2(chSecondaryX->isChecked());
    S->SetOnYAxis2(chSecondaryY->isChecked());
    Loading = true;
    Item->setCheckState(On ? Qt::Checked : Qt::Unchecked);
    Loading = false;
  }
  UpdateSeriesControls();
  Changed();
}

void TfmGraphProperties::SeriesClick() {
  if (!Begin()) return;
  UpdateSeriesControls();
}

void TfmGraphProperties::SeriesStyleChange(int Index) {
  if (!Begin() || Index < 0 || Index >= cbSeriesStyle->count()) return;
  int Kind = Index + 1;
  if (Kind == skBar && Graph->BarStyle == bsZOrdered) Kind = skZOrderedBar;
  bool Any = false;
  for (TSeries* S : SelectedSeries()) {
    // Only a matrix series draws as a matrix, and it draws as nothing else.
    if ((Kind == skMatrix) != IsMatrix(S)) continue;
    if (IsBar(S->FKind) && Kind <= skVolume) S->SetMarkerSize(6);
    S->SetSeriesKind(Kind);
    RefreshLegend(S);
    Any = true;
  }
  UpdateSeriesControls();
  if (Any) Changed();
}

void TfmGraphProperties::SeriesLineStyleChange(int Index) {
  if (!Begin() || Index < 0) return;
  for (TSeries* S : SelectedSeries()) {
    S->SetLineStyle(Index);
    RefreshLegend(S);
  }
  Changed();
}

void TfmGraphProperties::SeriesNameChange() {
  if (!Begin()) return;
  const std::vector<TSeries*> Sel = SelectedSeries();
  if (Sel.size() != 1) return;
  Sel.front()->Name = edSeriesName->text();
  const bool WasLoading = Loading;
  Loading = true;
  for (int R = 0; R < clSeries->count(); ++R)
    if (SeriesOfCheckRow(R) == Sel.front()) clSeries->item(R)->setText(edSeriesName->text());
  Loading = WasLoading;
}

void TfmGraphProperties::SeriesNameExit() {
  if (!Begin()) return;
  const std::vector<TSeries*> Sel = SelectedSeries();
  if (Sel.size() != 1) return;
  RefreshLegend(Sel.front());
  Changed();
}

void TfmGraphProperties::SeriesColorClick() {
  const std::vector<TSeries*> Sel = SelectedSeries();
  if (!Begin() || Sel.size() != 1) return;
  TColorDialog D;
  D.Color = Sel.front()->GetColor();
  if (!D.Execute()) return;
  // The series may have gone while the dialog was open.
  TSeries* S = SelectedSeries().size() == 1 ? SelectedSeries().front() : nullptr;
  if (!S) return;
  S->SetColor(D.Color);
  RefreshLegend(S);
  Changed();
}

void TfmGraphProperties::SeriesWidthStep(int Delta) {
  if (!Begin()) return;
  bool Ok = false;
  int W = Edit1->text().toInt(&Ok);
  if (!Ok || W < 1) W = 1;
  if (Delta > 0)
    W = std::min(W + 1, MaxSeriesLineWidth);
  else if (W > 1)
    --W;
  Edit1->setText(QString::number(W));
  for (TSeries* S : SelectedSeries()) {
    S->SetLineWidth(W);
    RefreshLegend(S);
  }
  Changed();
}

void TfmGraphProperties::SecondaryAxisClick() {
  if (!Begin()) return;
  for (TSeries* S : SelectedSeries()) {
    S->SetOnXAxis2(chSecondaryX->isChecked());
    S->SetOnYAxis2(chSecondaryY->isChecked());
  }
  Changed();
}

void TfmGraphProperties::SeriesOrderClick(int Move) {
  if (!Begin() || !SeriesOrderAllowed) return;
  const int Row = clSeries->currentRow();
  const bool Selected = Row >= 0 && clSeries->item(Row)->isSelected();
  TSeries* S = Selected ? SeriesOfCheckRow(Row) : nullptr;
  const bool Upwards = Move <= 1;
  if (!S || (Upwards && Row == 0)) {
    MessageDlg(QStringLiteral("Select series for reorder"), mtWarning, mbOK);
    return;
  }
  // The list runs from the top-most series down. Top and Bottom move the series to an end of
  // the layers; Up and Down trade places with the series next to it in the list, and the other
  // layers between the two keep theirs.
  const int From = Graph->IndexOfLayer(S);
  const int Last = clSeries->count() - 1;
  int Target = -1, NewRow = Row;
  switch (Move) {
    case 0:
      Target = Graph->LayerCount() - 1, NewRow = 0;
      break;
    case 1:
      Target = Graph->IndexOfLayer(SeriesOfCheckRow(Row - 1)), NewRow = Row - 1;
      break;
    case 2:
      if (Row < Last) Target = Graph->IndexOfLayer(SeriesOfCheckRow(Row + 1)), NewRow = Row + 1;
      break;
    default:
      Target = 0, NewRow = Last;
      break;
  }
  if (From < 0 || Target < 0 || !Graph->MoveLayer(From, Target)) return;
  // The neighbour was shifted one place towards the series' old place; it goes there.
  if ((Move == 1 || Move == 2) && From != Target)
    Graph->MoveLayer(From < Target ? Target - 1 : Target + 1, From);
  FillCheckList();
  Loading = true;
  clSeries->setCurrentRow(NewRow);
  Loading = false;
  UpdateSeriesControls();
  FillSeriesList();
  Changed();
}

void TfmGraphProperties::DeleteSeriesClick() {
  if (!Begin()) return;
  if (SelectedSeries().empty()) {
    MessageDlg(QStringLiteral("Select series for delete"), mtWarning, mbOK);
    return;
  }
  if (MessageDlg(QStringLiteral("Do you really want to delete series?"), mtWarning,
                 mbOK | mbCancel) != mrOk)
    return;
  // Handles: the plot's delete event may take other layers along.
  std::vector<TLayerHandle> Gone;
  for (TSeries* S : SelectedSeries()) Gone.emplace_back(S);
  for (const TLayerHandle& H : Gone)
    if (TLayer* L = H.Get()) {
      const int I = Graph->IndexOfLayer(L);
      if (I >= 0) Graph->DeleteLayer(I).reset();
    }
  ReloadSeriesLists();
  Changed();
}

void TfmGraphProperties::AddSeriesClick() {
  if (!Begin()) return;
  std::unique_ptr<TfmGraphImport> D(CreateForm<TfmGraphImport>(this));
  if (!D->Execute(Graph, nullptr)) return;
  ReloadSeriesLists();
  Repaint();
}

void TfmGraphProperties::EditSeriesClick() {
  const std::vector<TSeries*> Sel = SelectedSeries();
  if (!Begin() || Sel.size() != 1) return;
  std::unique_ptr<TfmGraphImport> D(CreateForm<TfmGraphImport>(this));
  if (!D->Execute(Graph, Sel.front())) return;
  ReloadSeriesLists();
  Repaint();
}

void TfmGraphProperties::SymbolsClick() {
  const std::vector<TSeries*> Sel = SelectedSeries();
  if (!Begin() || Sel.size() != 1) return;
  std::vector<TLayerHandle> All;
  for (TSeries* S : Sel) All.emplace_back(S);
  std::unique_ptr<TfmMarkerStyle> D(CreateForm<TfmMarkerStyle>(this));
  D->Execute(Sel.front(), All);
  for (const TLayerHandle& H : All) RefreshLegend(static_cast<TSeries*>(H.Get()));
  Changed();
  // The marker dialog paints the plot itself, and larger markers widen the automatic ends.
  LoadAxisRanges();
}
