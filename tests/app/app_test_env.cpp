// One application object for the tests of the calculator program, unless a test already made one.
// The platform plugin is "offscreen" (set by CTest; set here too for runs by hand).
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
    new QApplication(Argc, Argv);
  }
};

[[maybe_unused]] auto* const Env = ::testing::AddGlobalTestEnvironment(new AppTestEnvironment);
}  // namespace

