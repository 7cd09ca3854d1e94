// The application object for every test of the platform layer.
#include "tests/support/qt_app_env.h"
#include "platform/application.h"
#include "tests/support/forget_unread_files.h"

namespace {
[[maybe_unused]] auto* const Env = RegisterQtAppEnvironment<TApplication>("platform_tests");
[[maybe_unused]] const bool Forget = ForgetUnreadFilesAfterEachTest();
}  // namespace
