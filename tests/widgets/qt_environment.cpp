// One QApplication for the whole widget test program (gtest_main owns main()).

#include <QApplication>

#include <gtest/gtest.h>

#include <memory>

namespace {

class QtEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    static int Argc = 1;
    static char Name[] = "widgets_tests";
    static char* Argv[] = {Name, nullptr};
    FApp = std::make_unique<QApplication>(Argc, Argv);
  }
  void TearDown() override { FApp.reset(); }

 private:
  std::unique_ptr<QApplication> FApp;
};

[[maybe_unused]] ::testing::Environment* const Registered =
    ::testing::AddGlobalTestEnvironment(new QtEnvironment);

}  // namespace
