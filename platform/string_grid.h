#pragma once
// A grid of texts addressed column first, Cells[col][row], whose fixed rows
// and columns (headers) count in RowCount and ColCount like the data.
//
// Cells live apart from the grid's size: texts beyond the present size are
// kept, and come back when the grid grows again.

#include <QFontMetrics>
#include <QString>
#include <QTableWidget>

#include <functional>
#include <map>
#include <utility>

// The text a cell Room pixels wide shows for Text: Text itself when it fits, else, for a number,
// its general form with as many digits as fit, the exponent kept; else Text (elided when drawn).
QString FitNumberText(const QString& Text, const QFontMetrics& Metrics, int Room);

class TStringGrid : public QTableWidget {
  Q_OBJECT
 public:
  explicit TStringGrid(QWidget* Parent = nullptr);

  int RowCount() const { return rowCount(); }
  int ColCount() const { return columnCount(); }
  void SetRowCount(int Value);
  void SetColCount(int Value);
  int FixedRows() const { return FFixedRows; }
  int FixedCols() const { return FFixedCols; }
  void SetFixedRows(int Value);
  void SetFixedCols(int Value);

  QString GetCell(int ACol, int ARow) const;
  void SetCell(int ACol, int ARow, const QString& Text);
  void ClearCells();

  // grid.Cells[col][row] reads and writes like a two-dimensional array.
  class TCellRef {
   public:
    TCellRef(TStringGrid* Grid, int ACol, int ARow) : FGrid(Grid), FCol(ACol), FRow(ARow) {}
    operator QString() const { return FGrid->GetCell(FCol, FRow); }
    TCellRef& operator=(const QString& Text) {
      FGrid->SetCell(FCol, FRow, Text);
      return *this;
    }
    TCellRef& operator=(const TCellRef& Other) { return *this = static_cast<QString>(Other); }
    bool operator==(const QString& Text) const { return static_cast<QString>(*this) == Text; }

   private:
    TStringGrid* FGrid;
    int FCol, FRow;
  };
  class TColumnRef {
   public:
    TColumnRef(TStringGrid* Grid, int ACol) : FGrid(Grid), FCol(ACol) {}
    TCellRef operator[](int ARow) const { return TCellRef(FGrid, FCol, ARow); }

   private:
    TStringGrid* FGrid;
    int FCol;
  };
  class TCells {
   public:
    explicit TCells(TStringGrid* Grid) : FGrid(Grid) {}
    TColumnRef operator[](int ACol) const { return TColumnRef(FGrid, ACol); }

   private:
    TStringGrid* FGrid;
  };
  TCells Cells{this};

  // The current cell (never a fixed one while data cells exist).
  int Col() const { return currentColumn(); }
  int Row() const { return currentRow(); }
  void SetCol(int ACol);
  void SetRow(int ARow);

  // Whether data cells can be edited, and whether an editor is open now.
  bool Editing() const { return FEditing; }
  void SetEditing(bool Value);
  bool EditorMode() const { return state() == QAbstractItemView::EditingState; }

  void SetDefaultColWidth(int Width);
  void SetDefaultRowHeight(int Height);
  void SetColWidth(int ACol, int Width) { setColumnWidth(ACol, Width); }
  // Data cells holding numbers show them shortened to the column (FitNumberText): an elided
  // number would hide its exponent.
  void SetNumberCells();

  // Keys before the grid handles them; setting Key to 0 consumes the key.
  std::function<void(int& Key, Qt::KeyboardModifiers Shift)> OnKeyDown;
  // Asked before the current cell moves; clear CanSelect to stay.
  std::function<void(int ACol, int ARow, bool& CanSelect)> OnSelectCell;

 signals:
  void Enter();
  void Exit();
  void Click();
  void SetEditText(int ACol, int ARow, const QString& Text);

 protected:
  void keyPressEvent(QKeyEvent* Event) override;
  QModelIndex moveCursor(CursorAction Action, Qt::KeyboardModifiers Modifiers) override;
  void focusInEvent(QFocusEvent* Event) override;
  void focusOutEvent(QFocusEvent* Event) override;

 private:
  void Refresh();
  void StyleItem(QTableWidgetItem* Item, int ACol, int ARow) const;
  void ItemChanged(QTableWidgetItem* Item);
  void CurrentCellChanged(int Row, int Col, int PrevRow, int PrevCol);
  bool HasDataCells() const;
  bool IsFixed(int ACol, int ARow) const { return ACol < FFixedCols || ARow < FFixedRows; }
  void KeepCurrentOnData();

  std::map<std::pair<int, int>, QString> FCells;  // (col, row) -> text
  int FFixedRows = 1, FFixedCols = 1;
  bool FEditing = false;
  bool FUpdating = false;
};
