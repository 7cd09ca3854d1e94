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
  FItems.push_back({ukGroup, TLayerHandle(Layer), nullptr});
  FItems.push_back({Kind, TLayerHandle(Layer), std::move(Copy)});
  UpdateControls();
}

void TGraphUndo::Retarget(const TLayer* From, const TLayer* To) {
  for (TRecord& R : FItems)
    if (R.Layer.Refers(From)) R.Layer = TLayerHandle(To);
}

bool TGraphUndo::Undo() {
  bool Done = false;
  while (!Done && !FItems.empty()) {
    size_t G = FItems.size() - 1;
    while (G > 0 && FItems[G].Kind != ukGroup) --G;
    std::vector<TRecord> Group;
    for (size_t I = G; I < FItems.size(); ++I) Group.push_back(std::move(FItems[I]));
    FItems.erase(FItems.begin() + static_cast<std::ptrdiff_t>(G), FItems.end());
    for (auto It = Group.rbegin(); It != Group.rend(); ++It)
      if (It->Kind != ukGroup && It->Layer.Get() && It->Copy && It->Copy->Restore()) Done = true;
  }
  UpdateControls();
  return Done;
}

void TGraphUndo::Clear() {
  while (!FItems.empty()) FItems.pop_back();  // last first
  UpdateControls();
}

void TGraphUndo::LayerDeleted(const TLayer* Layer) {
  std::erase_if(FItems, [&](const TRecord& R) {
    return R.Layer.Refers(Layer) || (R.Copy && R.Copy->Holds(Layer));
  });
  UpdateControls();
}

int TGraphUndo::Count() const {
  int N = 0;
  for (const TRecord& R : FItems)
    if (R.Kind != ukGroup && R.Layer.Get()) ++N;
  return N;
}
