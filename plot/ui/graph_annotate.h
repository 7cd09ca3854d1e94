#pragma once
// The graph's annotation layer: the figures in drawing order, the drawing tool, and the mouse
// that creates, grabs, moves, reshapes and deletes them.
#include <memory>
#include <vector>

#include "platform/cursors.h"
#include "plot/core/graph_layer.h"
#include "plot/ui/graph_figs.h"

enum TAnnotateTool { atNone, atShape, atLine, atArrow, atRect, atText, atCircle, atPencil };

// The cursor each tool shows over the plot; crDefault for none.
TCursor AnnotateToolCursor(TAnnotateTool Tool);

class TGraphAnnotate : public TLayer {
 public:
  explicit TGraphAnnotate(TGraph* AGraph);
  ~TGraphAnnotate() override;

  std::vector<std::unique_ptr<TFig>> Figures;
  TAnnotateTool Tool = atNone;
  bool AutoRefresh = false;
  bool CursorSet = false;
  TColor LineColor = 0x0000FF;
  int LineWidth = 1;
  int PencilWidth = 3;
  int& SelectedIndex = HitIndex;

  QString ClassName() const override { return QStringLiteral("TGraphAnnotate"); }
  int Add(std::unique_ptr<TFig> Fig);
  TFig* GetFigure(int Index) const;
  int Count() const { return static_cast<int>(Figures.size()); }
  bool HasData() const { return !Figures.empty(); }

  void Draw() override;
  void Clear() override;
  void EraseClick() override;
  void PropertiesClick() override;
  void MouseMove(int Shift, int X, int Y) override;
  void MouseDown(int Button, int Shift, int X, int Y) override;
  void MouseUp(int Button, int Shift, int X, int Y) override;

 private:
  void SetCursor(TCursor Cursor);
  // The figure the popup menu was opened on; its actions do nothing once it is gone.
  TFig* PopupFigure() const;
  unsigned FPopupFigure = 0;
};

// Installs the annotation layer's factory: every graph made from now on has one.
void RegisterGraphAnnotation();
