// The application object for every test of the chart editors.
#include "tests/support/qt_app_env.h"
#include "platform/application.h"

namespace {
[[maybe_unused]] auto* const Env = RegisterQtAppEnvironment<TApplication>("chart_editors_tests");
}  // namespace
