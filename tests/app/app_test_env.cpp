// The application object for the window tests of the program; a test that made one first keeps
// its own.
#include <QApplication>

#include "tests/support/forget_unread_files.h"
#include "tests/support/qt_app_env.h"

namespace {
[[maybe_unused]] auto* const Env = RegisterQtAppEnvironment<QApplication>("app_tests");
[[maybe_unused]] const bool Forget = ForgetUnreadFilesAfterEachTest();
}  // namespace
