#pragma once
// The graph's record of edits. Each push stores a group marker and the edit; the stack owns the
// copies that edits hand it. Records refer to their layer by handle, so the edits of a layer
// that left the graph are never counted or undone. The undo button and menu item are enabled
// exactly while something is recorded.
#include <QPointer>
#include <memory>
#include <vector>

#include "plot/core/graph_layer.h"

class QAction;
class QWidget;

// A copy of what an edit changed (a point, a series), owned by the stack.
class TGraphUndoCopy {
 public:
  virtual ~TGraphUndoCopy() = default;
  // Puts back what the edit changed; false when there is nothing left to put it into.
  virtual bool Restore() { return false; }
  // The copy stands for this layer too: deleting the layer drops the record.
  virtual bool Holds(const TLayer* /*Layer*/) const { return false; }
};

class TGraphUndo {
 public:
  // Kinds the series push.
  static constexpr int ukHiddenMarker = 0;
  static constexpr int ukMoved = 1;
  static constexpr int ukUnselected = 2;
  static constexpr int ukSelected = 3;
  static constexpr int ukDeleted = 11;
  static constexpr int ukGroup = 15;

  struct TRecord {
    int Kind = ukGroup;
    TLayerHandle Layer;  // the layer the edit belongs to
    std::unique_ptr<TGraphUndoCopy> Copy;
  };

  TGraphUndo(QWidget* AButton = nullptr, QAction* AMenuItem = nullptr);
  TGraphUndo(const TGraphUndo&) = delete;
  TGraphUndo& operator=(const TGraphUndo&) = delete;

  // Edits push records only while this is set.
  bool Recording = true;

  void Push(const TLayer* Layer, int Kind, std::unique_ptr<TGraphUndoCopy> Copy = nullptr);
  // Frees every record and disables the button and the menu item.
  void Clear();
  // Drops the edits of a layer that is being deleted, with their group markers.
  void LayerDeleted(const TLayer* Layer);
  // Makes the records of From refer to To.
  void Retarget(const TLayer* From, const TLayer* To);
  // Takes the last edit off the stack and restores it; edits whose layer is gone are dropped on
  // the way. False when nothing was restored.
  bool Undo();
  // The edits recorded whose layer is still there, group markers not counted.
  int Count() const;
  bool Enabled() const { return Count() > 0; }
  const std::vector<TRecord>& Items() const { return FItems; }

  void SetControls(QWidget* AButton, QAction* AMenuItem);

 private:
  void UpdateControls();
  std::vector<TRecord> FItems;
  QPointer<QWidget> FButton;
  QPointer<QAction> FMenuItem;
};
