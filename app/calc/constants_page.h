#pragma once
// The "Constants" page's behaviour: a constant is found by its beginning and pasted into the
// input line. The window owns the page's controls and the file; this binds the find field, the
// list and the paste button to it.
#include <QObject>
#include <QStringList>

class QLineEdit;
class QListWidget;
class QPushButton;
class TCalcPagesHost;

// The text a constants line pastes: the line without blanks, after its first "=" when it has one.
QString ConstantPasteText(const QString& Line);
// The first line (in list order) that begins with Find ignoring case; -1 when none or Find is
// empty.
int FindConstant(const QStringList& Lines, const QString& Find);

class TConstantsPage : public QObject {
  Q_OBJECT
 public:
  TConstantsPage(TCalcPagesHost& Host, QLineEdit* Find, QListWidget* List, QPushButton* Paste,
                 QObject* Parent = nullptr);

  QLineEdit* edFind;
  QListWidget* lbConst;
  QPushButton* bbPaste;

  // A click on a line, or "&Paste" with the line chosen.
  void PasteLine(int Row);
  void edFindChange();

 private:
  TCalcPagesHost& FHost;
};
