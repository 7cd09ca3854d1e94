#include "app/pending_windows.h"

TfmPlot2D* fmPlot2D = nullptr;
TfmContourPlot* fmContourPlot = nullptr;
TfmMatrix* fmMatrix = nullptr;
TfmMult* fmMult = nullptr;
TfmSurfaceChart* fmSurfaceChart = nullptr;
TPolarForm* PolarForm = nullptr;
TfrmViewR* frmViewR = nullptr;

namespace {
void Init(QWidget* W, const char* Name, const char* Caption) {
  W->setObjectName(Name);
  W->setWindowTitle(Caption);
  W->resize(480, 320);
}
}  // namespace

TfmPlot2D::TfmPlot2D(QWidget* Parent) : TForm(Parent) {
  Init(this, "fmPlot2D", "Plot f(x)");
}
TfmContourPlot::TfmContourPlot(QWidget* Parent) : TForm(Parent) {
  Init(this, "fmContourPlot", "Contour Plot f(x,y)");
}
TfmMatrix::TfmMatrix(QWidget* Parent) : TForm(Parent) {
  Init(this, "fmMatrix", "Matrix Operations");
}
TfmMult::TfmMult(QWidget* Parent) : TForm(Parent) { Init(this, "fmMult", "Matrix"); }
TfmSurfaceChart::TfmSurfaceChart(QWidget* Parent) : TForm(Parent) {
  Init(this, "fmSurfaceChart", "Surface f(x,y)");
}
TPolarForm::TPolarForm(QWidget* Parent) : TForm(Parent) {
  Init(this, "PolarForm", "Polar plot");
}
TfrmViewR::TfrmViewR(QWidget* Parent) : TForm(Parent) {
  Init(this, "frmViewR", "Results");
}
TfmConv::TfmConv(QWidget* Parent) : TForm(Parent) { Init(this, "fmConv", "Unit Convertor"); }
