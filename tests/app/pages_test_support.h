#pragma once
// The pages driven without the main window: a host with an input line and an assistant panel,
// the engine's own letter variables and function library, and an engine host that answers the
// engine's requests through the pages, as the window does.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

#include "app/calc/assistant.h"
#include "app/calc/calc_pages.h"
#include "app/calc/set_var.h"
#include "engine/engine_busy.h"
#include "engine/engine_host.h"
#include "engine/numeric_procedures.h"
#include "engine/parser.h"
#include "engine/user_functions.h"
#include "engine/variables.h"
#include "platform/codepage.h"
#include "platform/dialogs.h"

inline void PrintTo(const QString& S, std::ostream* Out) { *Out << '"' << S.toStdString() << '"'; }

class TTestPagesHost : public TCalcPagesHost {
 public:
  QLineEdit Input;
  QLabel Panel;
  bool Busy = false;
  bool Complex = false;
  bool EvalChecked = false;
  bool Assistant = true;
  int DigitCount = 12;
  int Returns = 0;
  int AssistantStarts = 0;
  int HistoriesCleared = 0;
  QString History;
  QString VarFile, FuncFile;
  std::vector<int> HelpTopics;

  QLineEdit* InputLine() override { return &Input; }
  void SetFunc(const QString& S) override { InsertAtCaret(&Input, S); }
  bool ReturnClick() override {
    ++Returns;
    return true;
  }
  bool Evaluating() const override { return Busy || EngineBusy(); }
  int Digits() const override { return DigitCount; }
  bool ComplexMode() const override { return Complex; }
  bool EvaluateChecked() const override { return EvalChecked; }
  bool AssistantChecked() const override { return Assistant; }
  QLabel* AssistantPanel() override { return &Panel; }
  void StartAssistant() override { ++AssistantStarts; }
  QString FirstHistoryItem() const override { return History; }
  void ClearHistories() override { ++HistoriesCleared; }
  void ShowHelp(int Context) override { HelpTopics.push_back(Context); }
  QString UserVarFile() const override { return VarFile; }
  void SetUserVarFile(const QString& F) override { VarFile = F; }
  QString UserFuncFile() const override { return FuncFile; }
  void SetUserFuncFile(const QString& F) override { FuncFile = F; }
};

class TPagesEngineHost : public TEngineHost {
 public:
  TCalcPages* Pages = nullptr;
  bool EvaluateVariable(int k) override { return Pages->EvaluateVariable(k); }
  int AddUserVariable(const std::string& Name, bool Show, Extended Value) override {
    return Pages->AddUserVariable(Name, Show, Value);
  }
  bool SetVariableDialog(int k) override { return Pages->SetVariableDialog(k); }
};

class PagesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Dir.isValid());
    EngineInitialize();
    EngineState = TEngineState{};
    EngineSettings = TEngineSettings{};
    SelectRadix(0);
    VarValues.fill(UndefinedValue);
    for (auto& T : VarExprs) T.clear();
    UserVariables.clear();
    ResetIntervalBounds();
    CreateUserFunctions();
    UserFunctions->Clear();
    SetDialogService(&Dialogs);
    Pages = std::make_unique<TCalcPages>(Host);
    EngineHost.Pages = Pages.get();
    SetEngineHost(&EngineHost);
    Pages->RunModal = [this](TSetVar& Form) {
      ++Modals;
      return OnModal ? OnModal(Form) : int(mrCancel);
    };
  }
  void TearDown() override {
    SetEngineHost(nullptr);
    Pages.reset();
    SetDialogService(nullptr);
    UserFunctions->Clear();
    UserVariables.clear();
  }
  QString Path(const QString& Name) const { return Dir.path() + "/" + Name; }
  Extended Letter(int k) const { return VarValues[static_cast<size_t>(k)]; }
  void Type(const QString& Text, int Caret) {
    Host.Input.setText(Text);
    Host.Input.setCursorPosition(Caret);
  }

  QTemporaryDir Dir;
  TTestPagesHost Host;
  TPagesEngineHost EngineHost;
  TScriptedDialogService Dialogs;
  std::unique_ptr<TCalcPages> Pages;
  std::function<int(TSetVar&)> OnModal;
  int Modals = 0;
};
