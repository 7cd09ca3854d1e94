#pragma once

// A list box whose horizontal scroll range always fits its widest item, so
// long constant and function texts can be scrolled into view.

#include <QListWidget>

class TTextListBox : public QListWidget {
  Q_OBJECT
 public:
  explicit TTextListBox(QWidget* AOwner = nullptr);
  ~TTextListBox() override;

  // Width of a tab stop in dialog quarter-characters; below 1 tabs are not expanded.
  int TabWidth() const { return FTabWidth; }
  void SetTabWidth(int Value);

  // The width the horizontal scroll range is kept at: the widest item's width.
  int HorizontalExtent() const { return FMaxItemWidth; }

 protected:
  void changeEvent(QEvent* Event) override;
  void updateGeometries() override;

 private:
  int ItemWidth(const QString& Text) const;
  void ResetHorizontalExtent();
  void SetHorizontalExtent();

  int FMaxItemWidth = 0;
  int FTabWidth = 0;
  bool FRecomputeAfterRemoval = false;
};
