#pragma once
// Control adapters where Qt's behaviour differs from what the windows rely
// on: a radio group whose programmatic ItemIndex change fires its click
// handler, an up-down with a position, a range and a changing hook, speed
// buttons with group index and Down, and a page control with TabVisible.

#include <QGroupBox>
#include <QList>
#include <QStringList>
#include <QTabWidget>
#include <QToolButton>

#include <functional>

class QLineEdit;
class QRadioButton;

// --- Radio group --------------------------------------------------------------

class TRadioGroup : public QGroupBox {
  Q_OBJECT
 public:
  explicit TRadioGroup(QWidget* Parent = nullptr);

  QStringList Items() const { return FItems; }
  void SetItems(const QStringList& Items);  // keeps ItemIndex when still valid
  void SetItemText(int Index, const QString& Text);
  int Columns() const { return FColumns; }
  void SetColumns(int Value);
  QString Caption() const { return title(); }
  void SetCaption(const QString& Text) { setTitle(Text); }

  int ItemIndex() const { return FItemIndex; }
  // Checking another item fires Click, whether the user or the program
  // checked it; -1 clears the group without a click.
  void SetItemIndex(int Value);
  QRadioButton* Buttons(int Index) const;

 signals:
  void Click();

 private:
  void Rebuild();
  QStringList FItems;
  QList<QRadioButton*> FButtons;
  int FItemIndex = -1;
  int FColumns = 1;
  bool FBuilding = false;
};

// --- Up-down --------------------------------------------------------------------

enum TUDBtnType { btNext, btPrev };

class TUpDown : public QWidget {
  Q_OBJECT
 public:
  explicit TUpDown(QWidget* Parent = nullptr);

  int Min() const { return FMin; }
  int Max() const { return FMax; }
  void SetMin(int Value);
  void SetMax(int Value);
  int Increment() const { return FIncrement; }
  void SetIncrement(int Value) { FIncrement = Value; }
  bool Wrap() const { return FWrap; }
  void SetWrap(bool Value) { FWrap = Value; }

  // With an associated edit, the position is the edit's number while that is
  // a whole number in range (the user may have typed it).
  int Position() const;
  // Clamped to the range; shown in the associated edit; fires nothing.
  void SetPosition(int Value);
  QLineEdit* Associate() const { return FAssociate; }
  void SetAssociate(QLineEdit* Edit);

  // What the arrows do, as if clicked: asks OnChanging, moves, then Click.
  void Step(TUDBtnType Button);

  // Asked before a click moves the position; clear AllowChange to refuse.
  std::function<void(bool& AllowChange)> OnChanging;
  std::function<void(bool& AllowChange, int NewValue)> OnChangingEx;
  // When set, the arrows call it in place of all the above: the edit it serves steps itself.
  std::function<void(TUDBtnType Button)> OnStep;

 signals:
  void Click(TUDBtnType Button);

 private:
  void ShowPosition();
  int FMin = 0, FMax = 100, FPosition = 0, FIncrement = 1;
  bool FWrap = false;
  QLineEdit* FAssociate = nullptr;
};

// --- Speed button ------------------------------------------------------------------

// Group index 0: a plain push button. Above 0: buttons with the same group
// index and parent form a group in which at most one is Down; a click on the
// Down button raises it only with AllowAllUp.
class TSpeedButton : public QToolButton {
  Q_OBJECT
 public:
  explicit TSpeedButton(QWidget* Parent = nullptr);

  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int Value);
  bool Down() const { return FGroupIndex > 0 && isChecked(); }
  // Ignored with group index 0, and raising the Down button of a group
  // without AllowAllUp is refused; fires nothing.
  void SetDown(bool Value);
  bool AllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool Value);
  QString Caption() const { return text(); }
  void SetCaption(const QString& Text) { setText(Text); }
  QString Hint() const { return FHint; }
  void SetHint(const QString& Text);
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool Value);

  int Tag = 0;

 signals:
  void Click();

 protected:
  void nextCheckState() override;

 private:
  QList<TSpeedButton*> Group() const;
  void RaiseOthers();
  int FGroupIndex = 0;
  bool FAllowAllUp = false;
  bool FShowHint = true;
  QString FHint;
};

// --- Page control --------------------------------------------------------------------

// Page indices stay fixed whether or not a page's tab is shown. Change fires
// only when the user moves to another page, after OnChanging allowed it.
class TPageControl : public QTabWidget {
  Q_OBJECT
 public:
  explicit TPageControl(QWidget* Parent = nullptr);

  int AddPage(QWidget* Page, const QString& Caption);
  int PageCount() const { return count(); }
  QWidget* Pages(int Index) const { return widget(Index); }
  int ActivePageIndex() const { return FActive; }
  void SetActivePageIndex(int Index);
  QWidget* ActivePage() const { return FActive >= 0 ? widget(FActive) : nullptr; }
  bool TabVisible(int Index) const { return isTabVisible(Index); }
  void SetTabVisible(int Index, bool Visible);

  std::function<void(bool& AllowChange)> OnChanging;

 signals:
  void Change();

 private:
  void CurrentChanged(int Index);
  int FActive = -1;
  bool FProgrammatic = false;
};
