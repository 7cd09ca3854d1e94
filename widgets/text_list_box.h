#pragma once

// A list box whose horizontal scroll range always fits its widest item, so
// long constant and function texts can be scrolled into view (as far as they are shown).

#include <QFont>
#include <QListWidget>

#include <vector>

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

  // The width an item's text is measured at, and a bound of it that needs no text shaping
  // (public for the tests, which hold the bound to the measure).
  int ItemWidth(const QString& Text) const;
  int ItemWidthBound(const QString& Text);

 protected:
  void changeEvent(QEvent* Event) override;
  void updateGeometries() override;

 private:
  int TabStop() const;
  void WidenTo(int First, int Last);
  void ResetHorizontalExtent();
  void SetHorizontalExtent();
  bool PrepareBounds(bool Always = false);
  int WidthBound(const QString& Text) const;

  int FMaxItemWidth = 0;
  int FTabWidth = 0;
  bool FRecomputeAfterRemoval = false;

  // Per-font tables of the printable ASCII characters: each one's advance and the kerning of
  // each pair, so a text's width is bounded without shaping it. Built at the first big list.
  QFont FBoundFont;
  bool FHaveBounds = false;
  int FZeroAdvance = 0;
  std::vector<double> FAdvance;
  std::vector<double> FKerning;
};
