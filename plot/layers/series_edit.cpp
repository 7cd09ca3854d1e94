// Editing a series with the mouse: the point under the cursor, the cursor that tells what a
// click would do, the popup menu and its actions, dragging steps, and their undo records.
#include <QAction>
#include <QMenu>
#include <algorithm>
#include <cmath>
#include <typeinfo>

#include "platform/canvas.h"
#include "platform/number_text.h"
#include "platform/shift_state.h"
#include "plot/core/graph_utils.h"
#include "plot/layers/series.h"

// The state of a series before an edit; undoing puts its points, visibility and selection back.
// The record that stands for a whole series (its only point deleted) owns a copy of it.
class TSeriesUndo : public TGraphUndoCopy {
 public:
  explicit TSeriesUndo(const TSeries& S)
      : Series(&S), Visible(S.Visible), Selected(S.Selected), SelectedIndex(S.SelectedIndex) {
    for (const auto& P : S.FPoints) Points.push_back(*P);
  }
  bool Restore() override {
    TSeries* S = dynamic_cast<TSeries*>(Series.Get());
    if (!S) return false;
    S->FPoints.clear();
    for (const TGraphData& P : Points) {
      auto D = std::make_unique<TGraphData>(P);
      D->Owner = S;
      S->FPoints.push_back(std::move(D));
    }
    S->CurrentIndex = std::clamp(S->CurrentIndex, 0, std::max(S->Count() - 1, 0));
    S->SetVisible(Visible);
    S->Selected = Selected;
    S->SelectedIndex = SelectedIndex;
    S->Graph->DataChanged();
    S->Graph->Repaint();
    return true;
  }
  bool Holds(const TLayer* L) const override { return Series.Refers(L); }

  TLayerHandle Series;
  std::vector<TGraphData> Points;
  bool Visible, Selected;
  int SelectedIndex;
  std::unique_ptr<TSeries> Copy;
};

namespace {
constexpr unsigned ModifierKeys = ssShift | ssAlt | ssCtrl;

QString ShiftSuffix(int State) {
  if (State == 1) return QStringLiteral(" <Shift>");
  if (State == 4) return QStringLiteral(" <Ctrl>");
  return {};
}

long long Distance(int A, int B) { return std::llabs(static_cast<long long>(A) - B); }

bool StrictlyBetween(int V, int A, int B) { return V > std::min(A, B) && V < std::max(A, B); }

TSeriesDataEditor& DataEditor() {
  static TSeriesDataEditor E;
  return E;
}
}  // namespace

void SetSeriesDataEditor(TSeriesDataEditor Editor) { DataEditor() = std::move(Editor); }

void TSeries::EditData() {
  if (!DataEditor()) return;
  TLayerHandle Self(this);
  if (!DataEditor()(*this) || !Self.Get()) return;
  if (TSeriesLegend* E = Legend()) AssignLegend(*E);
  Graph->Repaint();
}

// --- Queries the info bubble asks -------------------------------------------------------------

bool TSeries::PointXY(int Index, TDoublePoint& P) const {
  if (Index < 0 || Index >= Count()) return false;
  P = {FPoints[Index]->X, FPoints[Index]->Y};
  return true;
}

bool TSeries::PointName(int Index, QString& AName) const {
  if (Index < 0 || Index >= Count()) return false;
  AName = FPoints[Index]->Name;
  return true;
}

bool TSeries::PointBarRect(int Index, TDoubleRect& R) const {
  if (Index < 0 || Index >= Count()) return false;
  R = FPoints[Index]->BarRect;
  return true;
}

bool TSeries::PlainSeries() const { return typeid(*this) == typeid(TSeries); }

// --- Popup menu ---------------------------------------------------------------------------------

void TSeries::BuildPopupMenu() {
  auto M = std::make_unique<QMenu>();
  auto Add = [&](const char* Name, const QString& Caption, std::function<void()> Action) {
    QAction* A = M->addAction(Caption);
    A->setObjectName(QString::fromLatin1(Name));
    QObject::connect(A, &QAction::triggered, std::move(Action));
    return A;
  };
  // Built before the file block is read, the menu shows the switches a new series starts with.
  const bool Fields = FMenuFromFields;
  const bool Select = Fields && (CanSelect || CanSelectPoints);
  const bool Erase = Fields && (CanDelete || CanHide);
  Add("miSelectOnOff", QStringLiteral("&Select on/off"), [this] {
    if (TakeMenuPoint()) SelectOnOff();
  })->setVisible(Select);
  Add("miInfo", QStringLiteral("&Info") + ShiftSuffix(Fields ? InfoShift : 0), [this] {
    ShowInfo();
  })->setVisible(InfoEnabled);
  Add("miEdit", QStringLiteral("&Edit"), [this] {
    if (TakeMenuPoint()) StartEdit(true);
  })->setVisible(FKind == skPiecewiseConstant);
  Add("miErase", QStringLiteral("&Delete") + ShiftSuffix(Fields ? DeleteShift : 0), [this] {
    DeletePoint();
  })->setVisible(Erase);
  Add("miUnvisible", QStringLiteral("&Unvisible  <Ctrl>"), [this] {
    HideSeries();
  })->setVisible(Erase);
  SetPopupMenu(std::move(M));
}

void TSeries::SetInfoEnabled(bool Flag) {
  InfoEnabled = Flag;
  // A menu not built yet takes the flag when it is.
  if (QMenu* M = BuiltPopupMenu())
    if (QAction* A = M->findChild<QAction*>(QStringLiteral("miInfo"))) A->setVisible(Flag);
}

bool TSeries::TakeMenuPoint() {
  const int I = FMenuPoint.Index;
  // A grid's cell has no point record; it is still there while the grid holds its index.
  if (!FMenuPoint.Point && Count() == 0) {
    if (I < 0 || I >= ItemCount()) return false;
    HitIndex = I;
    return true;
  }
  if (I < 0 || I >= Count() || FPoints[I].get() != FMenuPoint.Point ||
      FPoints[I]->X != FMenuPoint.X || FPoints[I]->Y != FMenuPoint.Y)
    return false;
  HitIndex = I;
  return true;
}

// --- Hit tests ----------------------------------------------------------------------------------

void TSeries::HitPoints(int X, int Y) {
  MouseOnMarker = FKind == skPoints;
  const TRect PR = Graph->PlotRect;
  const int TolX = RoundInt(std::fabs(static_cast<double>(PR.Right) - PR.Left) * PickTolerance);
  const int TolY = RoundInt(std::fabs(static_cast<double>(PR.Bottom) - PR.Top) * PickTolerance);
  const int Slots = std::max(Graph->BarSlotCount(), 1);
  const int Slot = Graph->BarSlot(this);
  auto Offset = [&](int Count) {
    return Graph->Depth3D == 0
               ? 0
               : SaturatePixel(static_cast<long double>(Slot) * Graph->Depth3D / Count);
  };
  int S = Offset(Slots);
  const int S2 = Offset(Slots + 1);
  auto Pixel = [&](double WX, double WY) {
    return TPoint{AddPixels(Graph->XToPixel(WX), S), AddPixels(Graph->YToPixel(WY), -S)};
  };

  if (FKind == skPoints || FKind == skLineAndPoint)
    for (int I = Count() - 1; I >= 0; --I) {
      const TGraphData& P = *FPoints[I];
      if (!P.Marker || !P.Marker->MarkerFlag || !P.Pickable) continue;
      const TPoint V = Pixel(P.X, P.Y);
      const int R = P.Marker->Size / 2 + 1;
      if (Distance(X, V.X) <= R && Distance(Y, V.Y) <= R) {
        HitIndex = I;
        MouseOnMarker = true;
        return;
      }
    }

  for (int I = Count() - 1; I >= 0; --I) {
    const TGraphData& P = *FPoints[I];
    const TPoint A = Pixel(P.StartX, P.StartY), E = Pixel(P.X, P.Y);
    if (FKind == skArea) {
      const int B = AddPixels(PR.Bottom, -S);
      TPoly Area;
      Area.AddPoint(A.X, A.Y);
      Area.AddPoint(E.X, E.Y);
      Area.AddPoint(E.X, B);
      Area.AddPoint(A.X, B);
      Area.AddPoint(A.X, A.Y);
      if (Area.PointInside(X, Y)) {
        HitIndex = I;
        return;
      }
      continue;
    }
    if (FKind == skVolume) {
      TDoublePoint V;
      if (!GetPoint(I, V)) continue;
      const int PX = AddPixels(Graph->XToPixel(V.X), S2);
      const int PY = AddPixels(Graph->YToPixel(V.Y), -S2);
      const int P0 = AddPixels(Graph->YToPixel(0), -S2);
      const bool Along = V.Y > 0 ? PY <= Y && Y <= P0 : P0 <= Y && Y <= PY;
      if (Along && Distance(X, PX) < 5) {
        HitIndex = I;
        return;
      }
      continue;
    }
    if (FKind > skArea) continue;
    const long long L = std::min(A.X, E.X) - static_cast<long long>(TolX);
    const long long Rt = std::max(A.X, E.X) + static_cast<long long>(TolX);
    const long long T = std::min(A.Y, E.Y) - static_cast<long long>(TolY);
    const long long Bm = std::max(A.Y, E.Y) + static_cast<long long>(TolY);
    if (X < L || X > Rt || Y < T || Y > Bm) continue;
    if (FKind == skPoints) continue;
    int D = NotNearSegment;
    if (FKind == skPiecewiseConstant) {
      const int SX = AddPixels(Graph->XToPixel(P.StartX), S2);
      const int EX = AddPixels(Graph->XToPixel(P.X), S2);
      const int SY = AddPixels(Graph->YToPixel(P.StartY), -S2);
      S = S2;
      D = StrictlyBetween(X, SX, EX) ? static_cast<int>(std::min<long long>(Distance(Y, SY), 100))
                                     : 100;
      if (D < 5 && I > 0) {
        HitIndex = I - 1;
        return;
      }
    } else {
      D = PointSegmentDistance(A, E, {X, Y});
    }
    if (D <= 5) {
      const bool StartNearer =
          Distance(A.X, X) + Distance(A.Y, Y) < Distance(E.X, X) + Distance(E.Y, Y);
      HitIndex = I == 0 ? 0 : (StartNearer ? I - 1 : I);
      HitDistance = D;
      return;
    }
    HitDistance = NotNearSegment;
  }
}

void TSeries::HitClusteredBars(int X, int Y) {
  double WX = Graph->PixelToX(X), WY = Graph->PixelToY(Y);
  if (CurrentXLogOf()) WX = std::pow(10.0, WX);
  if (CurrentYLogOf()) WY = std::pow(10.0, WY);
  const double H = std::fabs(Graph->YMax - Graph->YMin);
  const int Layer = Graph->IndexOfLayer(this);
  for (int I = Count() - 1; I >= 0; --I) {
    TDoubleRect R = Graph->BarStyle == bsClustered ? FPoints[I]->BarRect : StackedBarRect(I, Layer);
    if (!Graph->YAxis->Log && H > 0 && std::fabs(R.Bottom - R.Top) / H < 0.01) R.Bottom += 0.01 * H;
    if (R.Bottom < R.Top) std::swap(R.Top, R.Bottom);
    if (R.Left > R.Right) std::swap(R.Left, R.Right);
    if (R.Left <= WX && WX <= R.Right && R.Top <= WY && WY <= R.Bottom) {
      HitIndex = I;
      return;
    }
  }
}

void TSeries::HitZOrderedBars(int X, int Y) {
  for (int I = 0; I < Count(); ++I) {
    std::unique_ptr<TPoly> Outline = BarPolygon(I);
    if (Outline && Outline->PointInside(X, Y)) {
      HitIndex = I;
      return;
    }
  }
}

// --- Mouse --------------------------------------------------------------------------------------

bool TSeries::CallHook(const TSeriesMouseHook& Hook, int ButtonOrShift, bool& Default, int X,
                       int Y) {
  if (!Hook) return true;
  TLayerHandle Self(this);
  Hook(this, ButtonOrShift, Default, Graph->PixelToX(X), Graph->PixelToY(Y), X, Y, HitIndex);
  // The hook may have deleted the series.
  return Self.Get() != nullptr;
}

void TSeries::MouseMove(int Shift, int X, int Y) {
  HitIndex = -1;
  MoveX = X;
  MoveY = Y;
  if (!MouseActive() || !GetVisible()) return;
  if (EditState & esDragging) {
    DragTo(X, Y);
    return;
  }
  if (FKind == skBar)
    HitClusteredBars(X, Y);
  else if (FKind == skZOrderedBar)
    HitZOrderedBars(X, Y);
  else
    HitPoints(X, Y);
  if (HitIndex == -1) {
    if (FKind != skBar) Graph->Owner->SetCursor(crDefault);
    HoverStep(X, Y);
    return;
  }
  CurrentIndex = HitIndex;
  HoverStep(X, Y);
  if (!CallHook(OnSeriesMouseMove, Shift, MoveDefault, X, Y)) return;
  if (MoveDefault) SetHoverCursor(Shift);
}

void TSeries::HoverStep(int X, int Y) {
  if (!HoverInfo || FPlacingHover || !Graph->Info || !Graph->Info->GetVisible()) return;
  TGraphInfo& Info = *Graph->Info;
  if (HoverAnchor != -1) {
    const int Index = Info.IndexOfSerial(FHoverSerial);
    if (Index < 0) {
      // Clicked or cleared away meanwhile.
      HoverAnchor = -1;
      FHoverSerial = 0;
    } else if (Distance(X, FHoverX) > 3 || Distance(Y, FHoverY) > 3) {
      Info.DeleteLocation(Index);
      HoverAnchor = -1;
      FHoverSerial = 0;
      Graph->Repaint();
    }
  }
  if (HitIndex == -1)
    Graph->StopHoverTimer(this);
  else if (HoverAnchor == -1)
    Graph->StartHoverTimer(this);
}

void TSeries::PlaceHoverAnchor() {
  if (!HoverInfo || !GetVisible() || !Graph->Info || !Graph->Info->GetVisible()) return;
  TGraphInfo& Info = *Graph->Info;
  if (HoverAnchor != -1 && Info.IndexOfSerial(FHoverSerial) >= 0) return;
  TLayerHandle Self(this);
  FPlacingHover = true;
  const int Index = Info.AddLocation({}, this, MoveX, MoveY, true);
  if (!Self.Get()) return;
  FPlacingHover = false;
  if (Index < 0) return;
  HoverAnchor = Index;
  FHoverSerial = Info.Locations[Index].Location->Serial;
  FHoverX = MoveX;
  FHoverY = MoveY;
  Info.Draw();
}

void TSeries::SetHoverCursor(int Shift) {
  const int Keys = static_cast<int>(Shift & ModifierKeys);
  TCursor C = crDefault;
  if (Keys == InfoShift)
    C = crInfoPoint;
  else if (Keys == SelectShift && (CanSelect || CanSelectPoints))
    C = crSelectPoint;
  else if (Keys == DeleteShift && (CanDelete || CanHide))
    C = crDeletePoint;
  else if (FKind == skPiecewiseConstant && (EditState & esEditMode))
    C = crSizeNS;
  Graph->Owner->SetCursor(C);
}

void TSeries::MouseDown(int Button, int Shift, int X, int Y) {
  MouseX = X;
  MouseY = Y;
  TLayerHandle Self(this);
  MouseMove(Shift, X, Y);
  if (!Self.Get()) return;
  Graph->HitLayer.Reset();
  Graph->HitPoint = -1;
  if (HitIndex == -1) return;
  Graph->HitLayer = Handle();
  Graph->HitPoint = HitIndex;
  if (Button == mbRight) {
    QMenu* M = PopupMenu();
    if (QAction* A = M->findChild<QAction*>(QStringLiteral("miEdit")))
      A->setVisible(FKind == skPiecewiseConstant);
    // A grid's cells are no points of the list.
    const TGraphData* P = HitIndex < Count() ? FPoints[HitIndex].get() : nullptr;
    FMenuPoint = {HitIndex, P, P ? P->X : 0, P ? P->Y : 0};
    Graph->Owner->ShowPopupMenu(M, X, Y);
    return;
  }
  if (!DownDefault && !CallHook(OnSeriesMouseDown, Button, DownDefault, X, Y)) return;
  if (!DownDefault || Button != mbLeft) return;
  const int Keys = static_cast<int>(Shift & ModifierKeys);
  if (Keys == 0 && (EditState & esEditMode)) {
    StartEdit(false);
    return;
  }
  if (Keys == SelectShift && (CanSelect || (CanSelectPoints && FKind == skPoints)))
    SelectOnOff();
  else if (Keys == DeleteShift)
    EraseAt(HitIndex);
  else if (Keys == InfoShift && InfoEnabled) {
    Graph->Info->AddLocation({}, this, X, Y, false);
    Graph->Info->Draw();
  }
  if (Self.Get()) CallHook(OnSeriesMouseDown, Button, DownDefault, X, Y);
}

void TSeries::MouseUp(int Button, int, int X, int Y) {
  if (!CallHook(OnSeriesMouseUp, Button, UpDefault, X, Y)) return;
  if (!UpDefault || !(EditState & esDragging)) return;
  EditState &= ~esDragging;
  SetChanged(true);
  Graph->Repaint();
}

// --- Dragging -----------------------------------------------------------------------------------

void TSeries::StartEdit(bool FromMenu) {
  if (!FromMenu && !(EditState & esEditMode)) return;
  if (HitIndex < 0 || HitIndex >= Count()) return;
  PushUndo(TGraphUndo::ukMoved, Snapshot());
  DragIndex = HitIndex;
  EditState |= esDragging | esEditMode;
  DragTo(MouseX, MouseY);
  if (FKind == skPiecewiseConstant) Graph->Owner->SetCursor(crSizeNS);
}

void TSeries::DragTo(int, int Y) {
  const int I = DragIndex;
  if (I < 0 || I >= Count()) return;
  TCanvas* C = Graph->DrawCanvas();
  auto Feedback = [&] {
    if (!C) return;
    C->Pen()->SetMode(pmNotXor);
    DrawStep(I);
    if (I > 0) DrawStep(I - 1);
  };
  Feedback();
  double V = Graph->PixelToY(Y);
  // A log axis maps log10 of the values: the point keeps the value itself.
  if (CurrentYLogOf()) V = std::pow(10.0, V);
  const int Last = Count() - 1;
  FPoints[I]->Y = V;
  if (I == 0) FPoints[0]->StartY = V;
  if (I < Last)
    FPoints[I + 1]->StartY = V;
  else if (I > 0) {
    // The last point's own level is not drawn: its drag moves the last visible step.
    FPoints[I - 1]->Y = V;
    FPoints[I]->StartY = V;
  }
  Graph->DataChanged();
  Feedback();
  if (C) {
    C->Pen()->SetMode(pmCopy);
    C->Pen()->SetWidth(1);
  }
  HitIndex = I;
  if (FKind == skPiecewiseConstant) Graph->Owner->SetCursor(crSizeNS);
}

// --- Actions ------------------------------------------------------------------------------------

std::unique_ptr<TSeriesUndo> TSeries::Snapshot() const {
  return std::make_unique<TSeriesUndo>(*this);
}

void TSeries::PushUndo(int Kind, std::unique_ptr<TSeriesUndo> Before) {
  if (Graph->Undo.Recording) Graph->Undo.Push(this, Kind, std::move(Before));
}

std::unique_ptr<TSeries> TSeries::CreateCopy() const {
  auto S = std::make_unique<TSeries>(Graph);
  S->Assign(*this);
  for (const auto& P : FPoints) {
    auto D = std::make_unique<TGraphData>(*P);
    D->Owner = S.get();
    if (D->Marker) D->Marker->Layer = S.get();
    S->FPoints.push_back(std::move(D));
  }
  return S;
}

void TSeries::SelectOnOff() {
  auto Before = Snapshot();
  if (CanSelect) {
    const bool Was = Selected;
    Graph->UnselectLayers();
    if (!Was) {
      Selected = true;
      SelectedIndex = HitIndex;
    }
    PushUndo(Was ? TGraphUndo::ukUnselected : TGraphUndo::ukSelected, std::move(Before));
  } else if (CanSelectPoints) {
    if (HitIndex < 0 || HitIndex >= Count() || !FPoints[HitIndex]->Marker) return;
    TMarker& M = *FPoints[HitIndex]->Marker;
    M.DerivedColor = !M.DerivedColor;
    PushUndo(M.DerivedColor ? TGraphUndo::ukSelected : TGraphUndo::ukUnselected, std::move(Before));
  } else {
    return;
  }
  Graph->Repaint();
}

void TSeries::ShowInfo() {
  // Painting since the press walked the current point through the series: find it again.
  TLayerHandle Self(this);
  MouseMove(0, MouseX, MouseY);
  if (!Self.Get()) return;
  Graph->Info->AddLocation({}, this, MouseX, MouseY, false);
  Graph->Info->Draw();
}

void TSeries::DeletePoint() {
  if (TakeMenuPoint()) EraseAt(HitIndex);
}

void TSeries::EraseAt(int I) {
  if (I < 0 || I >= Count()) return;
  if (CanDelete) {
    if (Segments && (I == 0 || I == Count() - 1)) return;
    PushUndo(TGraphUndo::ukDeleted, Snapshot());
    if (Count() == 1 && Graph->Undo.Recording) {
      // The series goes empty: its copy stands for it on the stack, and the point's record
      // follows the copy, so undoing the series first leaves nothing of the point to undo.
      auto Whole = Snapshot();
      Whole->Copy = CreateCopy();
      const TSeries* Copy = Whole->Copy.get();
      Graph->Undo.Push(this, TGraphUndo::ukDeleted, std::move(Whole));
      Graph->Undo.Retarget(this, Copy);
    }
    RemovePoint(I);
  } else if (CanHide) {
    TGraphData& P = *FPoints[I];
    if (!P.Marker) return;
    auto Before = Snapshot();
    P.Marker->MarkerFlag = false;
    PushUndo(TGraphUndo::ukHiddenMarker, std::move(Before));
    Graph->Repaint();
  }
}

bool TSeries::RemovePoint(int I) {
  if (I < 0 || I >= Count()) return false;
  const bool End = I == 0 || I == Count() - 1;
  if (Segments && End) return false;
  DeletePoint(I);
  if (HitIndex >= Count()) HitIndex = -1;
  if (Count() == 0) SetVisible(false);
  if (!End) Graph->Repaint();
  return true;
}

void TSeries::HideSeries() {
  SetVisible(false);
  Graph->Repaint();
}
