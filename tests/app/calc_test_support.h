#pragma once
// Drives the real main window offscreen: a temporary program directory, a scripted dialog service
// that records every request, and a fresh engine state for each test.
#include <QApplication>
#include <QDialog>
#include <QPrinter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <memory>
#include <vector>

#include "app/calc_platform.h"
#include "app/fm_calc.h"
#include "engine/engine_state.h"

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

struct TScriptedDialogs : calcpf::TDialogService {
  struct TMessage {
    calcpf::TMsgKind Kind;
    QString Text;
  };
  std::vector<TMessage> Messages;
  std::vector<calcpf::TFileDialogRequest> FileRequests;
  QStringList Urls;
  int ModalCount = 0;
  bool ConfirmAnswer = true;
  QString SaveAnswer;  // empty: the dialog is cancelled
  QString PdfFile;     // empty: no printer installed
  std::function<int(QDialog&)> OnModal;

  void Message(calcpf::TMsgKind Kind, const QString& Text) override {
    Messages.push_back({Kind, Text});
  }
  bool Confirm(const QString& Text) override {
    Messages.push_back({calcpf::TMsgKind::Warning, Text});
    return ConfirmAnswer;
  }
  bool SaveFile(calcpf::TFileDialogRequest& R) override {
    FileRequests.push_back(R);
    if (SaveAnswer.isEmpty()) return false;
    R.FileName = SaveAnswer;
    return true;
  }
  bool OpenFile(calcpf::TFileDialogRequest& R) override {
    FileRequests.push_back(R);
    return false;
  }
  int ShowModal(QDialog& Form) override {
    ++ModalCount;
    return OnModal ? OnModal(Form) : int(QDialog::Accepted);
  }
  std::unique_ptr<QPrinter> DefaultPrinter() override {
    if (PdfFile.isEmpty()) return nullptr;
    auto P = std::make_unique<QPrinter>(QPrinter::HighResolution);
    P->setOutputFormat(QPrinter::PdfFormat);
    P->setOutputFileName(PdfFile);
    return P;
  }
  bool OpenUrl(const QString& Url) override {
    Urls << Url;
    return true;
  }
  bool StartProgram(const QString&, const QStringList&) override { return true; }
  QStringList Texts() const {
    QStringList L;
    for (const TMessage& M : Messages) L << M.Text;
    return L;
  }
};

class CalcWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureApplication();
    ASSERT_TRUE(Dir.isValid());
    calcpf::SetProgramDir(Dir.path());
    calcpf::SetDialogService(&Dialogs);
    EngineInitialize();
    EngineState = TEngineState{};
    EngineSettings = TEngineSettings{};
    SelectRadix(0);
  }
  void TearDown() override {
    Window.reset();
    calcpf::SetDialogService(nullptr);
  }
  // Writes a file of the program directory ("Numyx.INI", ...).
  void WriteFile(const QString& Name, const QByteArray& Bytes) const;
  QByteArray ReadFile(const QString& Name) const;
  QString Path(const QString& Name) const { return Dir.path() + "/" + Name; }
  // Creates and shows the main window, as start-up does.
  TfmCalc& Open();
  // Closes the window (saving its files) and frees it.
  void CloseWindow();
  // Types Text into the input line and evaluates it.
  bool Enter(const QString& Text);

  QTemporaryDir Dir;
  TScriptedDialogs Dialogs;
  std::unique_ptr<TfmCalc> Window;
};
