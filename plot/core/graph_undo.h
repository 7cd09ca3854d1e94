#pragma once
// The graph's record of edits. Each push stores a group marker and the edit; the stack owns the
// copies that edits hand it. The undo button and menu item are enabled exactly while something
// is recorded.
#include <QPointer>
#include <memory>
#include <vector>

class QAction;
class QWidget;
class TLayer;

// A copy of what an edit changed (a point, a series), owned by the stack.
class TGraphUndoCopy {
 public:
  virtual ~TGraphUndoCopy() = default;
};

class TGraphUndo {
 public:
  // Kinds the series push.
  static constexpr int ukHiddenMarker = 0;
  static constexpr int ukUnselected = 2;
  static constexpr int ukSelected = 3;
  static constexpr int ukDeleted = 11;
  static constexpr int ukGroup = 15;

  struct TRecord {
    int Kind = ukGroup;
    const TLayer* Layer = nullptr;  // the layer the edit belongs to
    std::unique_ptr<TGraphUndoCopy> Copy;
  };

  TGraphUndo(QWidget* AButton = nullptr, QAction* AMenuItem = nullptr);
  TGraphUndo(const TGraphUndo&) = delete;
  TGraphUndo& operator=(const TGraphUndo&) = delete;

  void Push(const TLayer* Layer, int Kind, std::unique_ptr<TGraphUndoCopy> Copy = nullptr);
  // Frees every record and disables the button and the menu item.
  void Clear();
  // Drops the edits of a layer that is being deleted, with their group markers.
  void LayerDeleted(const TLayer* Layer);
  // The edits recorded, group markers not counted.
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
