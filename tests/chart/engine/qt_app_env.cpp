// The application object for every test of the chart library.
#include "tests/support/qt_app_env.h"
#include "platform/application.h"

namespace {
[[maybe_unused]] auto* const Env = RegisterQtAppEnvironment<TApplication>("chart_engine_tests");
}  // namespace
