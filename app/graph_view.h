#pragma once
// A graph shown in a window: the graph paints into the view's backing image, which the view
// copies to the screen. The plot windows show their pictures through it.
#include <QImage>
#include <QWidget>

#include <memory>

#include "platform/canvas.h"
#include "platform/canvas_targets.h"
#include "plot/core/graph.h"

class TGraphView : public QWidget {
  Q_OBJECT
 public:
  explicit TGraphView(QWidget* Parent = nullptr);
  ~TGraphView() override;

  TGraph& Graph() { return *FGraph; }
  // Paints the graph into the image now and shows it.
  void Redraw();
  // The picture as last painted.
  const QImage& Image() const { return FImage; }

 protected:
  void paintEvent(QPaintEvent* Event) override;
  void resizeEvent(QResizeEvent* Event) override;

 private:
  void MakeImage(int Width, int Height);
  QImage FImage;
  std::unique_ptr<TImageTarget> FTarget;
  std::unique_ptr<TCanvas> FCanvas;
  std::unique_ptr<TGraph> FGraph;
};
