
#include "app/calc/fm_calc.h"
#include "app/common/calc_platform.h"
#include "app/startup/start_up.h"
#include "engine/engine_state.h"
#include "platform/application.h"

int main(int argc, char* argv[]) {
  TApplication App(argc, argv);
  // The program ends when the main window closes, whatever else is still visible.
  TApplication::setQuitOnLastWindowClosed(false);
  TfmCalc* Main = CreateStartUpWindows();
  QObject::connect(Main, &TfmCalc::Closed, &App, &QCoreApplication::quit, Qt::QueuedConnection);
  Main->show();
  const int Code = TApplication::exec();
  DestroyStartUpWindows();
  EngineFinalize();
  return Code;
}
