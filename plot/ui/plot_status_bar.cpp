#include "plot/ui/plot_status_bar.h"

#include <QPainter>

TPlotStatusBar::TPlotStatusBar(QWidget* Parent) : QWidget(Parent) {}

void TPlotStatusBar::SetPanelText(int Index, const QString& Text) {
  if (Index < 0 || Index >= PanelCount() || FPanels[Index].Text == Text) return;
  FPanels[Index].Text = Text;
  update();
}

void TPlotStatusBar::SetPanelWidth(int Index, int Width) {
  if (Index < 0 || Index >= PanelCount() || FPanels[Index].Width == Width) return;
  FPanels[Index].Width = Width;
  update();
}

void TPlotStatusBar::SetPanels(const std::vector<TPanel>& Panels) {
  FPanels = Panels;
  update();
}

int TPlotStatusBar::FitWidth(const QString& Text) const {
  // Two pixels between panels, one of frame and two of inset on each side of the text.
  return fontMetrics().horizontalAdvance(Text) + 2 + 2 * (1 + 2);
}

void TPlotStatusBar::SetSizeGrip(bool Value) {
  if (FSizeGrip == Value) return;
  FSizeGrip = Value;
  update();
}

void TPlotStatusBar::paintEvent(QPaintEvent*) {
  QPainter P(this);
  P.fillRect(rect(), palette().window());
  int X = 0;
  for (int I = 0; I < PanelCount(); ++I) {
    const bool Last = I == PanelCount() - 1;
    const int W = Last ? width() - X : FPanels[I].Width;
    const QRect R(X, 2, std::max(W - 2, 0), height() - 3);
    P.setPen(palette().dark().color());
    P.drawRect(R.adjusted(0, 0, -1, -1));
    P.setPen(palette().windowText().color());
    P.drawText(R.adjusted(2, 0, -2, 0), Qt::AlignVCenter | Qt::AlignLeft, FPanels[I].Text);
    X += W;
  }
  if (FSizeGrip) {
    P.setPen(palette().dark().color());
    for (int D = 4; D <= 12; D += 4)
      P.drawLine(width() - D, height() - 1, width() - 1, height() - D);
  }
}
