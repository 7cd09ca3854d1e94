// The application object for every test of the plotting library's core, and the base layer as a
// file class: the core's file tests read and write bare layers, which the program itself never
// loads from a file.
#include "tests/support/qt_app_env.h"
#include "platform/application.h"
#include "plot/core/graph_layer.h"

namespace {
[[maybe_unused]] auto* const Env = RegisterQtAppEnvironment<TApplication>("plot_core_tests");
[[maybe_unused]] const bool BaseLayerRegistered = [] {
  RegisterLayerClass(QStringLiteral("TLayer"),
                     [](TGraph* G) { return std::make_unique<TLayer>(G); });
  return true;
}();
}  // namespace
