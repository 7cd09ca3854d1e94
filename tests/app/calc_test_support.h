#pragma once
// Drives the real main window offscreen: a temporary program directory, a scripted dialog service
// that records every request, and a fresh engine state for each test.
#include <QApplication>
#include <QDialog>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <vector>

#include "app/calc/fm_calc.h"
#include "app/common/calc_platform.h"
#include "engine/engine_busy.h"
#include "engine/engine_state.h"
#include "platform/app_services.h"
#include "platform/dialogs.h"
#include "platform/printer.h"

// Readable values in the failure messages.
inline void PrintTo(const QString& S, std::ostream* Out) { *Out << '"' << S.toStdString() << '"'; }

inline void EnsureApplication() {
  if (QApplication::instance()) return;
  static int Argc = 1;
  static char Name[] = "app_tests";
  static char* Argv[] = {Name, nullptr};
  qputenv("QT_QPA_PLATFORM", "offscreen");
  // The offscreen platform reports each shown window's size hints as unsupported; keep the
  // test output readable.
  static const QtMessageHandler Previous = qInstallMessageHandler(
      [](QtMsgType Type, const QMessageLogContext& Context, const QString& Text) {
        if (!Text.contains("propagateSizeHints")) Previous(Type, Context, Text);
      });
  new QApplication(Argc, Argv);
}

// The platform's scripted dialogs, plus the window's own forms and the links it hands out.
struct TScriptedDialogs : TScriptedDialogService {
  QStringList Urls;
  int ModalCount = 0;
  std::function<int(QDialog&)> OnModal;
  // The requests of one kind (file dialogs, message boxes...).
  std::vector<TDialogRequest> Of(TDialogRequest::TKind Kind) const {
    std::vector<TDialogRequest> L;
    for (const TDialogRequest& R : Requests)
      if (R.Kind == Kind) L.push_back(R);
    return L;
  }
};

class CalcWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureApplication();
    ASSERT_TRUE(Dir.isValid());
    SetProgramDir(Dir.path());
    SetDialogService(&Dialogs);
    SetUrlOpener([this](const QUrl& Url) {
      Dialogs.Urls << Url.toString();
      return true;
    });
    calcpf::SetModalRunner([this](QDialog& Form) {
      ++Dialogs.ModalCount;
      return Dialogs.OnModal ? Dialogs.OnModal(Form) : int(QDialog::Accepted);
    });
    EngineInitialize();
    EngineState = TEngineState{};
    EngineSettings = TEngineSettings{};
    SelectRadix(0);
  }
  void TearDown() override {
    Window.reset();
    SetDialogService(nullptr);
    SetUrlOpener(nullptr);
    SetProgramDir(QString());
    calcpf::SetModalRunner(nullptr);
    SetPrinterPdfOutput(QString());
  }
  // Writes a file of the program directory ("Numyx.INI", ...).
  void WriteFile(const QString& Name, const QByteArray& Bytes) const;
  QByteArray ReadFile(const QString& Name) const;
  QString Path(const QString& Name) const { return Dir.path() + "/" + Name; }
  // Creates and shows the main window, as start-up does.
  TfmCalc& Open();
  // Closes the window (saving its files) and frees it.
  void CloseWindow();
  // Records a result as a successful evaluation does.
  void Record(const QString& Input, const QString& Result) {
    Window->UpdateHistories(Input, Result);
  }
  // Types Text into the input line and evaluates it.
  bool Enter(const QString& Text);

  QTemporaryDir Dir;
  TScriptedDialogs Dialogs;
  std::unique_ptr<TfmCalc> Window;
};
