#include "plot/core/graph_undo.h"

#include <QAction>
#include <QWidget>

TGraphUndo::TGraphUndo(QWidget* AButton, QAction* AMenuItem)
    : FButton(AButton), FMenuItem(AMenuItem) {
  UpdateControls();
}

void TGraphUndo::SetControls(QWidget* AButton, QAction* AMenuItem) {
  FButton = AButton;
  FMenuItem = AMenuItem;
  UpdateControls();
}

void TGraphUndo::UpdateControls() {
  bool On = Enabled();
  if (FButton) FButton->setEnabled(On);
  if (FMenuItem) FMenuItem->setEnabled(On);
}

void TGraphUndo::Push(const TLayer* Layer, int Kind, std::unique_ptr<TGraphUndoCopy> Copy) {
  FItems.push_back({ukGroup, Layer, nullptr});
  FItems.push_back({Kind, Layer, std::move(Copy)});
  UpdateControls();
}

void TGraphUndo::Clear() {
  while (!FItems.empty()) FItems.pop_back();  // last first
  UpdateControls();
}

void TGraphUndo::LayerDeleted(const TLayer* Layer) {
  std::erase_if(FItems, [&](const TRecord& R) { return R.Layer == Layer; });
  UpdateControls();
}

int TGraphUndo::Count() const {
  int N = 0;
  for (const TRecord& R : FItems)
    if (R.Kind != ukGroup) ++N;
  return N;
}
