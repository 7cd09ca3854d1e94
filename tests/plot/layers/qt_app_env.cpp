// One application object for every test of the plotting library's layers; widgets, fonts and the
// printer need it. The platform plugin is "offscreen" (set by CTest; set here too for runs by
// hand).
#include <gtest/gtest.h>

#include "platform/application.h"

namespace {
class QtAppEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int Argc = 1;
    static char Name[] = "plot_layers_tests";
    static char* Argv[] = {Name, nullptr};
    App = new TApplication(Argc, Argv);
  }
  void TearDown() override {
    delete App;
    App = nullptr;
  }

 private:
  TApplication* App = nullptr;
};

[[maybe_unused]] auto* const Env = ::testing::AddGlobalTestEnvironment(new QtAppEnvironment);
}  // namespace
