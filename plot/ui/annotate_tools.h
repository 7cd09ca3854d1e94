#pragma once
// The small modeless window with the annotation tools. One window serves every plot: it binds
// to one graph's annotation layer at a time, through a handle, so a graph that goes leaves it
// bound to nothing rather than to freed memory. It is a tool window of the plot window it
// serves, so a click in the plot does not hide it.
#include <QPointer>

#include "platform/form.h"
#include "plot/core/graph_layer.h"
#include "plot/ui/graph_annotate.h"

class QCheckBox;
class TSpeedButton;

class TfmAnnotateTools : public TForm {
  Q_OBJECT
 public:
  explicit TfmAnnotateTools(QWidget* Owner = nullptr);
  ~TfmAnnotateTools() override;

  // Shows the window for Layer, placed at the right edge of OwnerForm, 20 pixels below its top.
  void Bind(TGraphAnnotate* Layer, QWidget* OwnerForm);
  // The bound layer; null once its graph is gone.
  TGraphAnnotate* Layer() const;

  void ToolClick(TAnnotateTool Tool);
  void RefreshClick();
  void AutoClick();
  void VisibleClick();
  void DeleteAllClick();

  TSpeedButton *sbNone = nullptr, *sbShap = nullptr, *sbLine = nullptr, *sbArrow = nullptr,
               *sbRect = nullptr, *sbText = nullptr, *sbCircle = nullptr, *sbPencil = nullptr,
               *sbtRefresh = nullptr, *SpeedButton2 = nullptr;
  QCheckBox *chbAuto = nullptr, *cbVisible = nullptr;

 protected:
  void FormCreate() override;
  void FormClose(TCloseAction& Action) override;

 private:
  void Repaint();
  TLayerHandle FLayer;
  QPointer<QWidget> FOwnerForm;
  bool FBinding = false;
};

// The program's one tools window, made on first use; FreeAnnotateTools ends it.
TfmAnnotateTools* AnnotateTools();
void FreeAnnotateTools();
