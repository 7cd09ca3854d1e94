#pragma once
// The "Constants" page: the named constants of the constants file, found by their beginning and
// pasted into the input line.
#include <QWidget>

class QLineEdit;
class QListWidget;
class QPushButton;
class TCalcPagesHost;

// The text a constants line pastes: the line without blanks, after its first "=" when it has one.
QString ConstantPasteText(const QString& Line);
// The first line (in list order) that begins with Find ignoring case; -1 when none or Find is
// empty.
int FindConstant(const QStringList& Lines, const QString& Find);

class TConstantsPage : public QWidget {
  Q_OBJECT
 public:
  TConstantsPage(TCalcPagesHost& Host, QWidget* Parent = nullptr);

  QLineEdit* edFind;
  QListWidget* lbConst;
  QPushButton* bbPaste;
  QPushButton* bbEdit;    // the window opens the file in the text editor
  QPushButton* bbReload;  // the window reads the file again
  QPushButton* bbConstHelp;

  // Reads the constants file into the sorted list; false (list unchanged) when it cannot be read.
  bool LoadConstants(const QString& FileName);
  void PasteLine(int Row);
  void edFindChange();

 private:
  TCalcPagesHost& FHost;
};
