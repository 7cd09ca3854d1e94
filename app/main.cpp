#include <QApplication>

#include "app/calc_platform.h"
#include "app/fm_calc.h"
#include "app/start_up.h"
#include "engine/engine_state.h"

int main(int argc, char* argv[]) {
  QApplication App(argc, argv);
  // The program ends when the main window closes, whatever else is still visible.
  QApplication::setQuitOnLastWindowClosed(false);
  calcpf::SetProgramDir(QCoreApplication::applicationDirPath());
  TfmCalc* Main = CreateStartUpWindows();
  QObject::connect(Main, &TfmCalc::Closed, &App, &QCoreApplication::quit, Qt::QueuedConnection);
  Main->show();
  const int Code = QApplication::exec();
  DestroyStartUpWindows();
  EngineFinalize();
  return Code;
}
