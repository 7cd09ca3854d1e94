// One application object for the window tests of the program. Another test file may have made
// it already; then that one is used.
#include <QApplication>

#include <gtest/gtest.h>

namespace {
class AppTestEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    if (QCoreApplication::instance()) return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int Argc = 1;
    static char Name[] = "app_tests";
    static char* Argv[] = {Name, nullptr};
    App = new QApplication(Argc, Argv);
  }
  void TearDown() override {
    delete App;
    App = nullptr;
  }

 private:
  QApplication* App = nullptr;
};

[[maybe_unused]] auto* const Env = ::testing::AddGlobalTestEnvironment(new AppTestEnvironment);
}  // namespace
