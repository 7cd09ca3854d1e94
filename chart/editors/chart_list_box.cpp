#include "chart/editors/chart_list_box.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyledItemDelegate>

#include "chart/editors/chart_gallery.h"
#include "chart/editors/pen_dialogs.h"
#include "chart/engine/chart.h"
#include "chart/engine/series_types.h"
#include "platform/app_services.h"
#include "platform/colors.h"
#include "platform/dialogs.h"

namespace {
const char* const DeleteSeriesQuestion = "Delete %s?";
const char* const SelectedSeriesText = "(Selected Series)";
}  // namespace

class TChartListBoxDelegate : public QStyledItemDelegate {
 public:
  explicit TChartListBoxDelegate(TChartListBox* Box) : QStyledItemDelegate(Box), FBox(Box) {}

  QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override {
    return {FBox->SectionLeft(4), TChartListBox::RowHeight};
  }

  void paint(QPainter* P, const QStyleOptionViewItem& Option,
             const QModelIndex& Index) const override {
    const QRect R = Option.rect;
    const bool Selected = Option.state & QStyle::State_Selected;
    P->save();
    P->fillRect(R, ToQColor(ColorToRGB(Selected ? clHighlight : clWindow)));
    TChartSeries* S = FBox->SeriesAt(Index.row());
    if (!S) {
      P->restore();
      return;
    }
    const auto& Sec = FBox->Sections;
    if (Sec[0].Visible) {
      // The type's sign: its colour under the initials of its description.
      const QRect Icon(R.left() + FBox->SectionLeft(0) + 3, R.top() + 4, 20, R.height() - 8);
      P->setPen(Qt::gray);
      P->setBrush(Qt::white);
      P->drawRect(Icon.adjusted(0, 0, -1, -1));
      P->setPen(ToQColor(ColorToRGB(S->ColorEachPoint() ? clNavy : S->SeriesColor())));
      QFont F = P->font();
      F.setPixelSize(9);
      P->setFont(F);
      P->drawText(Icon, Qt::AlignCenter, S->ClassName().mid(1, 2));
    }
    if (Sec[1].Visible) {
      QStyleOptionButton Check;
      const int L = R.left() + FBox->SectionLeft(1);
      Check.rect = QRect(L + 1, R.top() + (R.height() - 13) / 2, 13, 13);
      Check.state = QStyle::State_Enabled | (S->Active() ? QStyle::State_On : QStyle::State_Off);
      FBox->style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &Check, P, FBox);
    }
    if (Sec[2].Visible && !S->ColorEachPoint()) {
      const int L = R.left() + FBox->SectionLeft(2);
      const QRect Swatch = QRect(L, R.top(), Sec[2].Width, R.height()).adjusted(4, 4, -4, -4);
      P->setPen(Qt::black);
      P->setBrush(ToQColor(ColorToRGB(S->SeriesColor())));
      P->drawRect(Swatch.adjusted(0, 0, -1, -1));
    }
    if (Sec[3].Visible) {
      const int L = R.left() + FBox->SectionLeft(3);
      P->setPen(ToQColor(ColorToRGB(Selected ? clHighlightText : clWindowText)));
      P->setFont(Option.font);
      P->drawText(QRect(L + 2, R.top(), R.right() - L, R.height()),
                  Qt::AlignVCenter | Qt::AlignLeft, FBox->SeriesTitle(S));
    }
    P->restore();
  }

 private:
  TChartListBox* FBox;
};

TChartListBox::TChartListBox(QWidget* Parent) : QListWidget(Parent) {
  setObjectName(QStringLiteral("LBSeries"));
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setItemDelegate(new TChartListBoxDelegate(this));
  setUniformItemSizes(true);
  connect(this, &QListWidget::itemSelectionChanged, this, [this] {
    if (OnChangeList) RunGuarded([this] { OnChangeList(); });
  });
}

TChartListBox::~TChartListBox() = default;

void TChartListBox::SetChart(TCustomChart* Value) {
  FChart = Value;
  FillSeries(nullptr);
}

void TChartListBox::SetSection(int Index, bool Visible) {
  Sections[size_t(Index)].Visible = Visible;
  viewport()->update();
}

int TChartListBox::SectionLeft(int Index) const {
  int X = 0;
  for (int i = 0; i < Index && i < int(Sections.size()); ++i)
    if (Sections[size_t(i)].Visible) X += Sections[size_t(i)].Width;
  return X;
}

int TChartListBox::SectionAt(int X) const {
  int Left = 0;
  for (int i = 0; i < int(Sections.size()); ++i) {
    if (!Sections[size_t(i)].Visible) continue;
    if (X >= Left && X < Left + Sections[size_t(i)].Width) return i;
    Left += Sections[size_t(i)].Width;
  }
  return -1;
}

QString TChartListBox::SeriesTitle(const TChartSeries* Series) const {
  if (!Series) return {};
  return Series->Title().isEmpty() ? Series->Name() : Series->Title();
}

void TChartListBox::FillSeries(TChartSeries* Series) {
  {
    QSignalBlocker Block(this);
    clear();
    FRows.clear();
    if (OtherItems) OtherItems->clear();
    for (int i = 0; FChart && i < FChart->SeriesCount(); ++i) {
      TChartSeries* S = FChart->GetSeries(i);
      FRows.push_back(S->Handle());
      addItem(SeriesTitle(S));
      if (OtherItems) OtherItems->addItem(SeriesTitle(S));
    }
    int Row = -1;
    for (int i = 0; i < int(FRows.size()); ++i)
      if (Series && FRows[size_t(i)].Get() == Series) Row = i;
    if (Row < 0 && !FRows.empty()) Row = 0;
    if (Row >= 0) setCurrentRow(Row, QItemSelectionModel::ClearAndSelect);
  }
  if (FRows.empty() && OnNoSelection) OnNoSelection();
  Changed();
}

TChartSeries* TChartListBox::SeriesAt(int Row) const {
  return Row >= 0 && Row < int(FRows.size()) ? FRows[size_t(Row)].Get() : nullptr;
}

std::vector<TSeriesHandle> TChartListBox::Selected() const {
  std::vector<TSeriesHandle> L;
  for (int i = 0; i < count(); ++i)
    if (item(i)->isSelected() && FRows[size_t(i)]) L.push_back(FRows[size_t(i)]);
  return L;
}

TChartSeries* TChartListBox::SelectedSeries() const {
  const std::vector<TSeriesHandle> L = Selected();
  if (L.empty()) return nullptr;
  // The current row when it is one of the selection, else the first selected.
  TChartSeries* Current = SeriesAt(currentRow());
  if (Current && currentItem() && currentItem()->isSelected()) return Current;
  return L.front().Get();
}

int TChartListBox::SelectedCount() const { return int(Selected().size()); }

void TChartListBox::Changed() {
  viewport()->update();
  if (OnChangeList) OnChangeList();
}

void TChartListBox::MoveSeries(int From, int To) {
  if (!FChart || From == To || !SeriesAt(From) || To < 0 || To >= int(FRows.size())) return;
  TChartSeries* S = SeriesAt(From);
  const int Step = To > From ? 1 : -1;
  for (int i = From; i != To; i += Step) FChart->ExchangeSeries(i, i + Step);
  FillSeries(S);
}

void TChartListBox::MoveUp() {
  if (SelectedCount() == 1 && currentRow() > 0) MoveSeries(currentRow(), currentRow() - 1);
}

void TChartListBox::MoveDown() {
  if (SelectedCount() == 1 && currentRow() >= 0 && currentRow() < count() - 1)
    MoveSeries(currentRow(), currentRow() + 1);
}

void TChartListBox::DeleteSeries() {
  const std::vector<TSeriesHandle> L = Selected();
  if (L.empty() || !FChart) return;
  if (AskDelete) {
    const QString What =
        L.size() == 1 ? SeriesTitle(L.front().Get()) : QLatin1String(SelectedSeriesText);
    if (Confirm(QString::fromLatin1(DeleteSeriesQuestion).replace(QLatin1String("%s"), What)) !=
        mrYes)
      return;
  }
  // The handles see through series an earlier deletion took along (dependents).
  for (const TSeriesHandle& H : L)
    if (FChart && H) FChart->FreeSeries(H.Get());
  FillSeries(nullptr);
}

void TChartListBox::RenameSeries() {
  TChartSeries* S = SelectedSeries();
  if (!S) return;
  QString Title = SeriesTitle(S);
  if (!InputQuery(QStringLiteral("Change Series Title"), QStringLiteral("New Series Title:"),
                  Title))
    return;
  S->SetTitle(Title);
  S->Repaint();
  FillSeries(S);
}

void TChartListBox::CloneSeries() {
  TChartSeries* S = SelectedSeries();
  if (!S || !FChart) return;
  const TChartSeriesType* T = ChartSeriesTypes().Find(S->ClassName(), {});
  const TChartSeriesClass Class = T ? T->SeriesClass : TChartSeriesClass{};
  TChartSeries* Copy = FChart->AdoptSeries(CloneChartSeries(*S, Class));
  FillSeries(Copy ? Copy : S);
}

void TChartListBox::ChangeTypeSeries() {
  TChartSeries* S = SelectedSeries();
  if (!S || !FChart) return;
  std::unique_ptr<TChartSeries>* Slot = FChart->OwnedSlot(S);
  // A series that its owner keeps elsewhere cannot be replaced from here.
  if (!Slot) return;
  TChartSeriesClass Class;
  TChartFunctionClass Function;
  bool View3D = FChart->View3D();
  if (!ShowChartGallery(this, FChart, S, Class, Function, View3D)) return;
  // The gallery may have let the series go meanwhile (never in the program; tests).
  Slot = FChart->OwnedSlot(S);
  if (!Slot) return;
  FChart->SetView3D(View3D);
  ChangeSeriesClass(*Slot, Class);
  if (Function.Create) (*Slot)->SetFunction(Function.Create());
  FillSeries(Slot->get());
}

TChartSeries* TChartListBox::AddSeriesGallery() {
  if (!FChart) return nullptr;
  TChartSeriesClass Class;
  TChartFunctionClass Function;
  bool View3D = FChart->View3D();
  if (!ShowChartGallery(this, FChart, nullptr, Class, Function, View3D)) return nullptr;
  TChartSeries* S = FChart->AdoptSeries(CreateNewSeries(FChart, Class, Function));
  if (!S) return nullptr;
  FChart->SetView3D(View3D);
  FillSeries(S);
  return S;
}

void TChartListBox::ChangeSeriesColor(int Row) {
  TChartSeries* S = SeriesAt(Row);
  if (!S || S->ColorEachPoint()) return;
  S->SetSeriesColor(EditColor(this, S->SeriesColor()));
  S->Repaint();
  Changed();
}

void TChartListBox::mousePressEvent(QMouseEvent* Event) {
  const QPoint P = Event->position().toPoint();
  const int Row = indexAt(P).row();
  const int Section = SectionAt(P.x());
  if (Row >= 0 && Section == 1 && Event->button() == Qt::LeftButton) {
    ToggleActive(Row);
    return;
  }
  QListWidget::mousePressEvent(Event);
  FDragging = false;
  FDragRow = Row >= 0 && Event->button() == Qt::LeftButton &&
                     !(Event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier)) &&
                     !FAfterDoubleClick
                 ? Row
                 : -1;
  FAfterDoubleClick = false;
}

void TChartListBox::ToggleActive(int Row) {
  if (TChartSeries* S = SeriesAt(Row)) {
    RunGuarded([&] {
      S->SetActive(!S->Active());
      if (OnChangeActive) OnChangeActive(S);
      Changed();
    });
  }
}

void TChartListBox::mouseMoveEvent(QMouseEvent* Event) {
  if (FDragRow >= 0 && (Event->buttons() & Qt::LeftButton)) {
    FDragging = true;
    return;
  }
  QListWidget::mouseMoveEvent(Event);
}

void TChartListBox::mouseReleaseEvent(QMouseEvent* Event) {
  const int Target = indexAt(Event->position().toPoint()).row();
  const int From = FDragRow;
  const bool Dropped = FDragging && From >= 0 && Target >= 0 && Target != From;
  FDragRow = -1;
  FDragging = false;
  QListWidget::mouseReleaseEvent(Event);
  if (Dropped) RunGuarded([&] { MoveSeries(From, Target); });
}

void TChartListBox::mouseDoubleClickEvent(QMouseEvent* Event) {
  FAfterDoubleClick = true;
  const QPoint P = Event->position().toPoint();
  const int Row = indexAt(P).row();
  if (Row < 0) return;
  // The second click of a quick pair comes as a double click: on the check box it is a click.
  if (SectionAt(P.x()) == 1) {
    if (Event->button() == Qt::LeftButton) ToggleActive(Row);
    return;
  }
  RunGuarded([&] {
    switch (SectionAt(P.x())) {
      case 0:
        ChangeTypeSeries();
        break;
      case 2:
        ChangeSeriesColor(Row);
        break;
      case 3:
        if (OnEditSeries && SeriesAt(Row)) OnEditSeries(SeriesAt(Row));
        break;
      default:
        break;
    }
  });
}

void TChartListBox::keyPressEvent(QKeyEvent* Event) {
  if (Event->key() == Qt::Key_Delete && EnableDeleteKey) {
    RunGuarded([this] { DeleteSeries(); });
    return;
  }
  QListWidget::keyPressEvent(Event);
}
