#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Numyx v.4.24");
  QMainWindow window;
  window.setWindowTitle("Numyx v.4.24");
  window.resize(640, 480);
  window.show();
  return QApplication::exec();
}
