#pragma once
// The main window's side of the keypads and the variable, user-variable, user-function and
// constant pages: it answers what the pages ask of the window and puts the pages into its tabs.
#include <QObject>

#include <memory>

#include "app/calc/calc_pages.h"

class TfmCalc;
class TConstantsPage;

class TCalcWindowPages : public QObject, public TCalcPagesHost {
  Q_OBJECT
 public:
  // Fills the window's keypads and pages; the window owns this object.
  explicit TCalcWindowPages(TfmCalc* Window);
  ~TCalcWindowPages() override;

  TCalcPages& Pages() { return *FPages; }

  QLineEdit* InputLine() override;
  void SetFunc(const QString& S) override;
  bool ReturnClick() override;
  bool Evaluating() const override;
  int Digits() const override;
  bool ComplexMode() const override;
  bool EvaluateChecked() const override;
  bool AssistantChecked() const override;
  QLabel* AssistantPanel() override;
  void StartAssistant() override;
  QString FirstHistoryItem() const override;
  void ClearHistories() override;
  void ShowHelp(int Context) override;
  QString UserVarFile() const override;
  void SetUserVarFile(const QString& FileName) override;
  QString UserFuncFile() const override;
  void SetUserFuncFile(const QString& FileName) override;

 protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override;

 private:
  TfmCalc* FWindow;
  std::unique_ptr<TCalcPages> FPages;
  TConstantsPage* FConstants = nullptr;
  QLineEdit* FInput = nullptr;
};
