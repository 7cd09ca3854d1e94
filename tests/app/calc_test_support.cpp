#include "calc_test_support.h"

#include <QFile>
#include <QLineEdit>

void CalcWindowTest::WriteFile(const QString& Name, const QByteArray& Bytes) const {
  QFile F(Path(Name));
  ASSERT_TRUE(F.open(QIODevice::WriteOnly));
  F.write(Bytes);
}

QByteArray CalcWindowTest::ReadFile(const QString& Name) const {
  QFile F(Path(Name));
  if (!F.open(QIODevice::ReadOnly)) return {};
  return F.readAll();
}

TfmCalc& CalcWindowTest::Open() {
  Window = std::make_unique<TfmCalc>();
  Window->DoCreate();
  Window->show();
  return *Window;
}

void CalcWindowTest::CloseWindow() {
  Window->close();
  Window.reset();
}

bool CalcWindowTest::Enter(const QString& Text) {
  Window->Edit1->setText(Text);
  Window->InputModified = true;
  return Window->ReturnClick();
}

// The font configuration library keeps a cache for the life of the process that the leak checker
// reports at exit; it is not ours to free.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig\n"; }
