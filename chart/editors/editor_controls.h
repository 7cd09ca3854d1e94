#pragma once
// What the editor pages are made of: the page base the chart editor places on its tabs, and a
// spin edit that hands on only text that reads as a whole number in its range.
#include <QLineEdit>
#include <QWidget>

class QGridLayout;
class QLabel;

class TChartEditorPage : public QWidget {
  Q_OBJECT
 public:
  explicit TChartEditorPage(QWidget* Parent = nullptr) : QWidget(Parent) {}
  // Run each time the page's tab is shown: the controls read the edited object again.
  virtual void PageShow() {}
};

class TChartSpinEdit : public QLineEdit {
  Q_OBJECT
 public:
  explicit TChartSpinEdit(QWidget* Parent = nullptr);

  int MinValue = 0, MaxValue = 32000, Increment = 1;
  // Shows Value (clamped) without telling anyone.
  void SetValue(int Value);
  // The number typed, or false for text that is not one (empty, a lone sign, out of range).
  bool ReadValue(int& Value) const;
  // The last number the edit held.
  int Value() const { return FValue; }

 signals:
  // A new number: typed in full, or stepped with the arrow keys.
  void Changed(int Value);
  // The text no longer reads as a number (the pages decide what an empty edit means).
  void Unreadable();

 protected:
  void keyPressEvent(QKeyEvent* Event) override;

 private:
  void TextEdited();
  int FValue = 0;
};

// A labelled row in a page's grid: "Caption" with its buddy control.
QLabel* AddLabelled(QGridLayout* Grid, int Row, const QString& Caption, QWidget* Control);
