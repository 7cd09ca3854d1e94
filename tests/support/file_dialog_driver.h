#pragma once
// Answers the program's next real QFileDialog as a user would: the file type picked in its
// combo box, a name typed, then Save. Runs from a timer while the dialog's own loop spins, so
// the code under test goes through the Qt service, not the scripted one.
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>

class TFileDialogDriver {
 public:
  // FilterIndex is 1-based, as the program's filters count; an empty FileName keeps the name the
  // dialog shows after the type is picked.
  TFileDialogDriver(int FilterIndex, const QString& FileName)
      : FFilterIndex(FilterIndex), FFileName(FileName) {
    // Widgets, so that the combo box and the name field are there to be used.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs, true);
    FTimer.setInterval(10);
    QObject::connect(&FTimer, &QTimer::timeout, [this] { Poll(); });
    FTimer.start();
  }
  ~TFileDialogDriver() { FTimer.stop(); }
  TFileDialogDriver(const TFileDialogDriver&) = delete;
  TFileDialogDriver& operator=(const TFileDialogDriver&) = delete;

  bool Answered() const { return FAnswered; }
  // The filter texts the dialog offered, as Qt shows them.
  const QStringList& Offered() const { return FOffered; }
  // The name field and the folder as the dialog opened.
  const QString& Proposed() const { return FProposed; }
  const QString& Folder() const { return FFolder; }
  // The texts of the message boxes that came up meanwhile.
  const QStringList& Messages() const { return FMessages; }

 private:
  void Poll() {
    // A message after the dialog (an error, a question) is noted and closed, never left to wait.
    if (auto* Box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      FMessages << Box->text();
      Box->reject();
      return;
    }
    auto* D = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (FAnswered || !D || !D->isVisible()) return;
    FOffered = D->nameFilters();
    auto* Name = D->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    if (Name) FProposed = Name->text();
    FFolder = D->directory().absolutePath();
    if (auto* Types = D->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"))) {
      Types->setCurrentIndex(FFilterIndex - 1);
      emit Types->activated(FFilterIndex - 1);
      emit Types->textActivated(Types->currentText());
    }
    if (!FFileName.isEmpty()) {
      const QFileInfo Typed(FFileName);
      D->setDirectory(Typed.path());
      if (Name)
        Name->setText(Typed.fileName());
      else
        D->selectFile(FFileName);
    }
    FAnswered = true;
    static_cast<QDialog*>(D)->accept();  // Save, as the button does
  }

  int FFilterIndex;
  QString FFileName;
  QTimer FTimer;
  bool FAnswered = false;
  QStringList FOffered;
  QString FProposed, FFolder;
  QStringList FMessages;
};
