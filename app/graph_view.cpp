#include "app/graph_view.h"

#include <QPainter>
#include <QResizeEvent>

#include <algorithm>

TGraphView::TGraphView(QWidget* Parent) : QWidget(Parent) {
  setObjectName("Chart");
  MakeImage(400, 300);
  FGraph = std::make_unique<TGraph>(FCanvas.get(), FImage.width(), FImage.height());
  FGraph->Canvas = FCanvas.get();
}

TGraphView::~TGraphView() {
  // The layers may ask the graph for its canvas while they go.
  FGraph.reset();
  FCanvas.reset();
  FTarget.reset();
}

void TGraphView::MakeImage(int Width, int Height) {
  FCanvas.reset();
  FTarget.reset();
  FImage = QImage(std::max(Width, 1), std::max(Height, 1), QImage::Format_RGB32);
  FImage.fill(Qt::white);
  FTarget = std::make_unique<TImageTarget>(&FImage);
  FCanvas = std::make_unique<TCanvas>(FTarget.get());
  if (FGraph) {
    FGraph->Canvas = FCanvas.get();
    FGraph->ImageRect = {0, 0, FImage.width(), FImage.height()};
  }
}

void TGraphView::Redraw() {
  FGraph->Paint();
  FTarget->Release();
  update();
}

void TGraphView::resizeEvent(QResizeEvent* Event) {
  QWidget::resizeEvent(Event);
  if (Event->size() == FImage.size()) return;
  MakeImage(Event->size().width(), Event->size().height());
  Redraw();
}

void TGraphView::paintEvent(QPaintEvent*) {
  QPainter P(this);
  P.drawImage(0, 0, FImage);
}
