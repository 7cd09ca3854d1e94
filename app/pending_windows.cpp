#include "app/pending_windows.h"

namespace {
void Init(QWidget* W, const char* Name, const char* Caption) {
  W->setObjectName(Name);
  W->setWindowTitle(Caption);
  W->resize(480, 320);
}
}  // namespace

TfmPlot2D::TfmPlot2D(QWidget* Parent) : TForm(Parent) { Init(this, "fmPlot2D", "Plot f(x)"); }

TfmContourPlot::TfmContourPlot(QWidget* Parent) : TForm(Parent) {
  Init(this, "fmContourPlot", "Contour Plot f(x,y)");
}
