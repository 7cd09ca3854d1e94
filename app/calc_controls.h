#pragma once
// Small controls of the calculator window whose behaviour the window relies on: a radio group
// whose item list can change and that reports every change of its chosen item (also one made by
// code), an up-down spinner whose stepping the window can redirect, a speed button carrying a
// number and a hint that can be switched off, and the pair of arrows of the font-size spinner.
#include <QGroupBox>
#include <QSpinBox>
#include <QToolButton>

#include <functional>

class QButtonGroup;
class QBoxLayout;

class TCalcRadioGroup : public QGroupBox {
  Q_OBJECT
 public:
  TCalcRadioGroup(const QString& Name, const QStringList& Items, QWidget* Parent,
                  Qt::Orientation Orientation = Qt::Horizontal);
  int ItemIndex() const { return FItemIndex; }
  // Choosing another item runs OnClick, as a click does; choosing the same one does nothing.
  void SetItemIndex(int Index);
  // Sets the chosen item without running OnClick (for keeping a partner group equal).
  void SetItemIndexSilently(int Index);
  int Count() const;
  QString Item(int Index) const;
  void SetItem(int Index, const QString& Text);
  void AddItem(const QString& Text);
  void DeleteItem(int Index);
  std::function<void(TCalcRadioGroup*)> OnClick;

 private:
  void Rebuild(const QStringList& Items);
  QStringList Items() const;
  QButtonGroup* FGroup;
  QBoxLayout* FLayout;
  int FItemIndex = -1;
  bool FSilent = false;
};

// An up-down with its number field. Changing answers the position a step would reach and may
// change it (the bit snapping); Click follows every step the user makes.
class TCalcUpDown : public QSpinBox {
  Q_OBJECT
 public:
  TCalcUpDown(const QString& Name, QWidget* Parent);
  void stepBy(int Steps) override;
  int Position() const { return value(); }
  void SetPosition(int Position);
  std::function<int(int NewPosition)> OnChanging;
  std::function<void()> OnClick;
};

class TSpeedButton : public QToolButton {
  Q_OBJECT
 public:
  TSpeedButton(const QString& Name, const QString& Caption, const QString& Hint, QWidget* Parent,
               int Tag = 0);
  int Tag() const { return FTag; }
  QString Hint() const { return FHint; }
  void SetHint(const QString& Hint);
  void SetShowHint(bool Show);

 private:
  int FTag;
  QString FHint;
  bool FShowHint = true;
};

// The two small arrows beside the input and result lines.
class TSpinButton : public QWidget {
  Q_OBJECT
 public:
  TSpinButton(const QString& Name, const QString& Hint, QWidget* Parent);
  QToolButton* UpButton;
  QToolButton* DownButton;
  std::function<void()> OnUpClick;
  std::function<void()> OnDownClick;
};
