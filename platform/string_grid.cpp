#include "platform/string_grid.h"

#include "platform/app_services.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyledItemDelegate>

#include <algorithm>
#include <limits>
#include <string>

#include "platform/number_text.h"

QString FitNumberText(const QString& Text, const QFontMetrics& Metrics, int Room) {
  if (Metrics.horizontalAdvance(Text) <= Room) return Text;
  const std::string S = Text.trimmed().toStdString();
  double V = 0;
  if (!TryTextToFloat(S, V)) return Text;
  for (int Digits = 17; Digits >= 1; --Digits) {
    const QString T = QString::fromStdString(FormatGeneral(V, Digits));
    if (Metrics.horizontalAdvance(T) <= Room) return T;
  }
  return Text;
}

namespace {
// Qt's line edit holds 32767 characters; a cell may hold a longer text (a pasted field), and an
// editor that cut it would put the cut text back into the cell.
class TWholeTextDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QWidget* createEditor(QWidget* Parent, const QStyleOptionViewItem& Option,
                        const QModelIndex& Index) const override {
    QWidget* Editor = QStyledItemDelegate::createEditor(Parent, Option, Index);
    if (auto* Line = qobject_cast<QLineEdit*>(Editor))
      Line->setMaxLength(std::numeric_limits<int>::max());
    return Editor;
  }
};

class TNumberCellDelegate : public TWholeTextDelegate {
 public:
  using TWholeTextDelegate::TWholeTextDelegate;

 protected:
  void initStyleOption(QStyleOptionViewItem* O, const QModelIndex& Index) const override {
    TWholeTextDelegate::initStyleOption(O, Index);
    // Measuring (no cell yet) takes the whole text.
    if (O->rect.isEmpty() || O->text.isEmpty()) return;
    const QStyle* Style = O->widget ? O->widget->style() : QApplication::style();
    const int Margin = Style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, O->widget) + 1;
    O->text = FitNumberText(O->text, O->fontMetrics, O->rect.width() - 2 * Margin);
  }
};
}  // namespace

void TStringGrid::SetNumberCells() { setItemDelegate(new TNumberCellDelegate(this)); }

TStringGrid::TStringGrid(QWidget* Parent) : QTableWidget(Parent) {
  setItemDelegate(new TWholeTextDelegate(this));
  horizontalHeader()->hide();
  verticalHeader()->hide();
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  QTableWidget::setRowCount(5);
  QTableWidget::setColumnCount(5);
  SetDefaultColWidth(64);
  SetDefaultRowHeight(24);
  Refresh();
  connect(this, &QTableWidget::itemChanged, this, &TStringGrid::ItemChanged);
  connect(this, &QTableWidget::currentCellChanged, this, &TStringGrid::CurrentCellChanged);
  connect(this, &QTableWidget::cellClicked, this, [this] { emit Click(); });
}

void TStringGrid::StyleItem(QTableWidgetItem* Item, int ACol, int ARow) const {
  const bool Fixed = IsFixed(ACol, ARow);
  Qt::ItemFlags F = Qt::ItemIsEnabled;
  if (!Fixed) {
    F |= Qt::ItemIsSelectable;
    if (FEditing) F |= Qt::ItemIsEditable;
  }
  Item->setFlags(F);
  Item->setBackground(Fixed ? palette().button() : QBrush());
}

void TStringGrid::Refresh() {
  FUpdating = true;
  for (int r = 0; r < rowCount(); ++r)
    for (int c = 0; c < columnCount(); ++c) {
      QTableWidgetItem* I = item(r, c);
      if (!I) {
        I = new QTableWidgetItem;
        setItem(r, c, I);
      }
      auto it = FCells.find({c, r});
      I->setText(it == FCells.end() ? QString() : it->second);
      StyleItem(I, c, r);
    }
  FUpdating = false;
  KeepCurrentOnData();
}

bool TStringGrid::HasDataCells() const {
  return FFixedRows < rowCount() && FFixedCols < columnCount();
}

// A header cell that became current (the grid shrank to its headers and grew again, or the
// program asked for it) gives way to the nearest data cell.
void TStringGrid::KeepCurrentOnData() {
  const int r = currentRow(), c = currentColumn();
  if (r < 0 || c < 0 || !IsFixed(c, r) || !HasDataCells()) return;
  setCurrentCell(std::max(r, FFixedRows), std::max(c, FFixedCols));
}

void TStringGrid::SetRowCount(int Value) {
  Value = std::max(Value, 0);
  if (Value == rowCount()) return;
  FUpdating = true;
  QTableWidget::setRowCount(Value);
  FUpdating = false;
  Refresh();
}

void TStringGrid::SetColCount(int Value) {
  Value = std::max(Value, 0);
  if (Value == columnCount()) return;
  FUpdating = true;
  QTableWidget::setColumnCount(Value);
  FUpdating = false;
  Refresh();
}

void TStringGrid::SetFixedRows(int Value) {
  FFixedRows = std::max(Value, 0);
  Refresh();
}

void TStringGrid::SetFixedCols(int Value) {
  FFixedCols = std::max(Value, 0);
  Refresh();
}

QString TStringGrid::GetCell(int ACol, int ARow) const {
  auto it = FCells.find({ACol, ARow});
  return it == FCells.end() ? QString() : it->second;
}

void TStringGrid::SetCell(int ACol, int ARow, const QString& Text) {
  if (ACol < 0 || ARow < 0) return;
  if (Text.isEmpty())
    FCells.erase({ACol, ARow});
  else
    FCells[{ACol, ARow}] = Text;
  if (ARow < rowCount() && ACol < columnCount()) {
    FUpdating = true;
    if (QTableWidgetItem* I = item(ARow, ACol)) I->setText(Text);
    FUpdating = false;
  }
}

void TStringGrid::ClearCells() {
  FCells.clear();
  Refresh();
}

void TStringGrid::SetCol(int ACol) {
  if (ACol >= 0 && ACol < columnCount()) setCurrentCell(std::max(currentRow(), FFixedRows), ACol);
}

void TStringGrid::SetRow(int ARow) {
  if (ARow >= 0 && ARow < rowCount()) setCurrentCell(ARow, std::max(currentColumn(), FFixedCols));
}

void TStringGrid::SetEditing(bool Value) {
  FEditing = Value;
  setEditTriggers(Value ? QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                              QAbstractItemView::AnyKeyPressed
                        : QAbstractItemView::NoEditTriggers);
  Refresh();
}

void TStringGrid::SetDefaultColWidth(int Width) {
  horizontalHeader()->setDefaultSectionSize(Width);
}

void TStringGrid::SetDefaultRowHeight(int Height) {
  verticalHeader()->setMinimumSectionSize(1);
  verticalHeader()->setDefaultSectionSize(Height);
}

void TStringGrid::ItemChanged(QTableWidgetItem* Item) {
  if (FUpdating || !Item) return;
  const int c = Item->column(), r = Item->row();
  if (Item->text().isEmpty())
    FCells.erase({c, r});
  else
    FCells[{c, r}] = Item->text();
  const QString Text = Item->text();
  RunGuarded([&] { emit SetEditText(c, r, Text); });
}

void TStringGrid::CurrentCellChanged(int Row, int Col, int PrevRow, int PrevCol) {
  if (FUpdating || Row < 0 || Col < 0) return;
  if (IsFixed(Col, Row) && HasDataCells()) {
    // A click on a header leaves the current cell where it was.
    const bool Back = PrevRow >= 0 && PrevCol >= 0 && !IsFixed(PrevCol, PrevRow) &&
                      PrevRow < rowCount() && PrevCol < columnCount();
    FUpdating = true;
    if (Back)
      setCurrentCell(PrevRow, PrevCol);
    else
      setCurrentCell(std::max(Row, FFixedRows), std::max(Col, FFixedCols));
    FUpdating = false;
    if (!Back) CurrentCellChanged(currentRow(), currentColumn(), -1, -1);
    return;
  }
  if (!OnSelectCell) return;
  bool CanSelect = true;
  if (!RunGuarded([&] { OnSelectCell(Col, Row, CanSelect); })) CanSelect = false;
  // Never back onto a header (the old cell may have just become one).
  if (!CanSelect && PrevRow >= 0 && PrevCol >= 0 && !IsFixed(PrevCol, PrevRow)) {
    FUpdating = true;
    setCurrentCell(PrevRow, PrevCol);
    FUpdating = false;
  }
}

void TStringGrid::keyPressEvent(QKeyEvent* Event) {
  if (OnKeyDown && !EditorMode()) {
    int Key = Event->key();
    RunGuarded([&] { OnKeyDown(Key, Event->modifiers()); });
    if (Key == 0) {
      Event->accept();
      return;
    }
  }
  QTableWidget::keyPressEvent(Event);
}

// Keys move within the data cells: Tab past a row's end goes to the next row's first data cell
// (from the last cell back to the first), Shift+Tab the other way, and every other move stops
// at the headers.
QModelIndex TStringGrid::moveCursor(CursorAction Action, Qt::KeyboardModifiers Modifiers) {
  if (!HasDataCells()) return QTableWidget::moveCursor(Action, Modifiers);
  const int Rows = rowCount(), Cols = columnCount();
  int r = currentRow(), c = currentColumn();
  if (r < 0 || c < 0) return model()->index(FFixedRows, FFixedCols, rootIndex());
  if (Action == MoveNext) {
    c = std::max(c, FFixedCols) + 1;
    if (c >= Cols) {
      c = FFixedCols;
      r = r + 1 >= Rows ? FFixedRows : std::max(r + 1, FFixedRows);
    }
  } else if (Action == MovePrevious) {
    c = std::max(c, FFixedCols) - 1;
    if (c < FFixedCols) {
      c = Cols - 1;
      r = r - 1 < FFixedRows ? Rows - 1 : r - 1;
    }
  } else {
    const QModelIndex To = QTableWidget::moveCursor(Action, Modifiers);
    if (!To.isValid()) return To;
    r = std::max(To.row(), FFixedRows);
    c = std::max(To.column(), FFixedCols);
  }
  return model()->index(r, c, rootIndex());
}

void TStringGrid::focusInEvent(QFocusEvent* Event) {
  QTableWidget::focusInEvent(Event);
  RunGuarded([this] { emit Enter(); });
}

void TStringGrid::focusOutEvent(QFocusEvent* Event) {
  QTableWidget::focusOutEvent(Event);
  // The cell editor taking the focus is not leaving the grid.
  if (!EditorMode()) RunGuarded([this] { emit Exit(); });
}
