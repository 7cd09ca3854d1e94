#include "app/pending_windows.h"

namespace {
void Init(QWidget* W, const char* Name, const char* Caption) {
  W->setObjectName(Name);
  W->setWindowTitle(Caption);
  W->resize(480, 320);
}
}  // namespace

TfmSurfaceChart::TfmSurfaceChart(QWidget* Parent) : TForm(Parent) {
  Init(this, "fmSurfaceChart", "Surface f(x,y)");
}

TPolarForm::TPolarForm(QWidget* Parent) : TForm(Parent) { Init(this, "PolarForm", "Polar plot"); }
