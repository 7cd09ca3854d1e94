#pragma once
// Small helpers for the calculator window's and its pages' controls: making the platform's radio
// groups and speed buttons with their names, changing a radio group's items, keeping one group of a
// pair equal to the other without running its handler, and the pair of arrows of the font-size
// spinner.
#include <QWidget>

#include <functional>

#include "platform/controls.h"

class QLineEdit;
class QPushButton;
class QToolButton;
class TNxLabel;

TRadioGroup* NewRadioGroup(const QString& Name, const QStringList& Items, QWidget* Parent,
                           int Columns);
// The one way the window's labels are made: they draw their captions with a shadow, in the
// parent's font and on its background, and only the caption is theirs.
TNxLabel* NewLabel(const QString& Name, const QString& Caption, QWidget* Parent);
// The one way the window's speed buttons and the keypads' keys are made.
TSpeedButton* NewSpeedButton(const QString& Name, const QString& Caption, const QString& Hint,
                             QWidget* Parent, int Tag = 0);
QLineEdit* NewEdit(const QString& Name, QWidget* Parent);
QPushButton* NewButton(const QString& Name, const QString& Caption, QWidget* Parent);
// Chooses an item without firing the group's Click.
void SetItemIndexQuietly(TRadioGroup* Group, int Index);
// Appends or removes an item; a group laid out in one row stays in one row.
void AddItem(TRadioGroup* Group, const QString& Text);
void DeleteItem(TRadioGroup* Group, int Index);
inline int ItemCount(const TRadioGroup* Group) { return static_cast<int>(Group->Items().size()); }

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
