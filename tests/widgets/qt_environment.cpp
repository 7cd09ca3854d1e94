// The application object for the whole widget test program.
#include <QApplication>

#include "tests/support/qt_app_env.h"

namespace {
[[maybe_unused]] auto* const Env = RegisterQtAppEnvironment<QApplication>("widgets_tests");
}  // namespace
