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

// The SVG an independent reader makes of a metafile; empty (and a failure) when it cannot.
inline QString MetafileToSvg(bool Enhanced, const QString& File) {
  const QString Exe = QStandardPaths::findExecutable(Enhanced ? QStringLiteral("emf2svg-conv")
                                                              : QStringLiteral("wmf2svg"));
  if (Exe.isEmpty()) {
    ADD_FAILURE() << (Enhanced ? "emf2svg-conv" : "wmf2svg")
                  << " is not installed (see tools/packages.txt)";
    return {};
  }
  const QString Svg = File + QStringLiteral(".svg");
  QProcess P;
  if (Enhanced)
    P.start(Exe, {QStringLiteral("-i"), File, QStringLiteral("-o"), Svg});
  else
    P.start(Exe, {QStringLiteral("--inline"), QStringLiteral("-o"), Svg, File});
  if (!P.waitForFinished(60000) || P.exitCode() != 0) {
    ADD_FAILURE() << "converter failed: " << P.readAllStandardError().toStdString();
    return {};
  }
  QFile F(Svg);
  if (!F.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(F.readAll());
}

// The texts of an SVG, joined (one reader writes a text element per character).
inline QString SvgTexts(const QString& Svg) {
  static const QRegularExpression Re(QStringLiteral(R"(<text[^>]*>\s*(?:<!\[CDATA\[)?([^<\]]*))"));
  QString All;
  for (const QRegularExpressionMatch& M : Re.globalMatch(Svg)) All += M.captured(1).trimmed();
  return All;
}
