// The application object for every test of the plotting library's core.
#include "tests/support/qt_app_env.h"
#include "platform/application.h"

namespace {
[[maybe_unused]] auto* const Env = RegisterQtAppEnvironment<TApplication>("plot_core_tests");
}  // namespace
