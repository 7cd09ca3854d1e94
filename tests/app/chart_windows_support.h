#pragma once
// The surface and polar windows driven offscreen: a temporary program directory for the
// settings file, scripted dialogs, a fresh engine, and a host whose message pump can press Stop.
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "engine/engine_host.h"
#include "engine/engine_state.h"
#include "engine/variables.h"
#include "platform/app_services.h"
#include "platform/dialogs.h"
#include "tests/support/metafile_svg.h"

// Presses Stop at the StopAt-th pass through the pump (0: never) and answers the break question.
struct TStopHost : TEngineHost {
  int Pumps = 0, StopAt = 0, Asked = 0;
  bool Answer = true;
  void PumpMessages() override {
    if (++Pumps == StopAt) EngineSettings.BreakRequested = true;
  }
  bool AskBreak() override {
    ++Asked;
    return Answer;
  }
};

class ChartWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // The application comes from the test program's environment.
    ASSERT_TRUE(Dir.isValid());
    SetProgramDir(Dir.path());
    SetDialogService(&Dialogs);
    SetEngineHost(&Host);
    EngineInitialize();
    EngineState = TEngineState{};
    EngineSettings = TEngineSettings{};
  }
  void TearDown() override {
    SetEngineHost(nullptr);
    SetDialogService(nullptr);
    SetProgramDir(QString());
  }
  QString Path(const QString& Name) const { return Dir.path() + "/" + Name; }

  QTemporaryDir Dir;
  TScriptedDialogService Dialogs;
  TStopHost Host;
};
