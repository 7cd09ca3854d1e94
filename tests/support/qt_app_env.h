#pragma once
// The one application object of a test program (gtest_main owns main()): widgets, fonts, the
// clipboard and the printer need it. Each test program registers it once, naming the application
// class it tests with. If a test has made an application already, that one is kept. The platform
// plugin is "offscreen" (set by CTest; set here too for runs by hand).
#include <QCoreApplication>

#include <gtest/gtest.h>

#include <memory>
#include <string>

template <class TApp>
class TQtAppEnvironment : public ::testing::Environment {
 public:
  explicit TQtAppEnvironment(std::string ProgramName) : FName(std::move(ProgramName)) {}

  void SetUp() override {
    if (QCoreApplication::instance()) return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The application keeps references to the argument count and vector for its whole life.
    FArgv[0] = FName.data();
    FApp = std::make_unique<TApp>(FArgc, FArgv);
  }
  void TearDown() override { FApp.reset(); }

 private:
  std::string FName;
  int FArgc = 1;
  char* FArgv[2] = {nullptr, nullptr};
  std::unique_ptr<TApp> FApp;
};

// Registers the environment from a test program's own file: one line per program.
template <class TApp>
::testing::Environment* RegisterQtAppEnvironment(const char* ProgramName) {
  return ::testing::AddGlobalTestEnvironment(new TQtAppEnvironment<TApp>(ProgramName));
}
