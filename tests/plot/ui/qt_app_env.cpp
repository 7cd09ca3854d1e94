// The application object for every test of the plot control.
#include "tests/support/qt_app_env.h"
#include "platform/application.h"

namespace {
[[maybe_unused]] auto* const Env = RegisterQtAppEnvironment<TApplication>("plot_ui_tests");
}  // namespace
