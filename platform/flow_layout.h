#pragma once
// A row of controls that wraps onto further rows where its parent is narrower than the row, so
// that every control keeps its own width (a button the width of its text) on any screen.

#include <QLayout>
#include <QList>

class TFlowLayout : public QLayout {
 public:
  explicit TFlowLayout(QWidget* Parent = nullptr);
  ~TFlowLayout() override;

  void addItem(QLayoutItem* Item) override;
  int count() const override { return int(FItems.size()); }
  QLayoutItem* itemAt(int Index) const override { return FItems.value(Index); }
  QLayoutItem* takeAt(int Index) override;
  Qt::Orientations expandingDirections() const override { return {}; }
  bool hasHeightForWidth() const override { return true; }
  int heightForWidth(int Width) const override;
  QSize sizeHint() const override;
  QSize minimumSize() const override;
  void setGeometry(const QRect& Rect) override;

 private:
  // Lays the items out in Rect (moving them only when Move), answers the height used.
  int Arrange(const QRect& Rect, bool Move) const;
  QList<QLayoutItem*> FItems;
};
