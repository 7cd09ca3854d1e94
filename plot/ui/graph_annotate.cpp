#include "plot/ui/graph_annotate.h"

#include <QMenu>

#include "platform/canvas.h"
#include "platform/shift_state.h"
#include "plot/core/graph.h"
#include "plot/ui/figs_properties.h"
#include "plot/ui/marker_style.h"

namespace {
// Figures keep primary-axis world values whatever layer drew last.
struct TPrimaryAxes {
  TGraph* G;
  bool X2, Y2;
  explicit TPrimaryAxes(TGraph* AGraph) : G(AGraph), X2(AGraph->UseX2), Y2(AGraph->UseY2) {
    G->UseX2 = G->UseY2 = false;
  }
  ~TPrimaryAxes() {
    G->UseX2 = X2;
    G->UseY2 = Y2;
  }
  TPrimaryAxes(const TPrimaryAxes&) = delete;
  TPrimaryAxes& operator=(const TPrimaryAxes&) = delete;
};

bool DrawnOnceMoreOnRelease(const TFig& F) {
  const QString N = F.ClassName();
  return N == QLatin1String("TPencil") || N == QLatin1String("TShape") ||
         N == QLatin1String("TNoteText");
}
}  // namespace

TCursor AnnotateToolCursor(TAnnotateTool Tool) {
  switch (Tool) {
    case atShape:
      return 118;
    case atLine:
      return 115;
    case atArrow:
      return 114;
    case atRect:
      return 116;
    case atText:
      return 113;
    case atCircle:
      return 117;
    case atPencil:
      return 119;
    default:
      return crDefault;
  }
}

TGraphAnnotate::TGraphAnnotate(TGraph* AGraph) : TLayer(AGraph) { SelectedIndex = -1; }

TGraphAnnotate::~TGraphAnnotate() { Clear(); }

int TGraphAnnotate::Add(std::unique_ptr<TFig> Fig) {
  Figures.push_back(std::move(Fig));
  return Count() - 1;
}

TFig* TGraphAnnotate::GetFigure(int Index) const {
  return Index >= 0 && Index < Count() ? Figures[static_cast<size_t>(Index)].get() : nullptr;
}

void TGraphAnnotate::Clear() {
  Figures.clear();
  SelectedIndex = -1;
}

void TGraphAnnotate::Draw() {
  if (!GetVisible()) return;
  TPrimaryAxes Axes(Graph);
  for (const auto& F : Figures) {
    F->Selected = false;
    F->Creating = false;
    F->Draw();
  }
  if (TCanvas* C = Graph->DrawCanvas()) C->Pen()->SetWidth(1);
}

void TGraphAnnotate::SetCursor(TCursor Cursor) { Graph->Owner->SetCursor(Cursor); }

TFig* TGraphAnnotate::PopupFigure() const {
  for (const auto& F : Figures)
    if (F->Id == FPopupFigure) return F.get();
  return nullptr;
}

void TGraphAnnotate::EraseClick() {
  TFig* F = PopupFigure();
  if (!F) return;
  std::erase_if(Figures, [F](const std::unique_ptr<TFig>& P) { return P.get() == F; });
  FPopupFigure = 0;
  SelectedIndex = -1;
  Graph->Repaint();
}

void TGraphAnnotate::PropertiesClick() {
  if (TFig* F = PopupFigure()) F->EditProperties();
}

void TGraphAnnotate::MouseDown(int Button, int Shift, int X, int Y) {
  TPrimaryAxes Axes(Graph);
  if (Tool != atNone) {
    const TFig Probe(Graph);
    const TDoublePoint P{Probe.WorldX(X), Probe.WorldY(Y)};
    auto Stretch = [&](std::unique_ptr<TFig> F) {
      F->Selected = true;
      F->Creating = true;
      F->HitPart = 2;
      F->LastX = X;
      F->LastY = Y;
      SelectedIndex = Add(std::move(F));
    };
    switch (Tool) {
      case atShape: {
        auto S = std::make_unique<GraphFigs::TShape>(Graph);
        TfmMarkerStyle Dialog;
        Dialog.DoCreate();
        if (Dialog.ExecuteValues(S->Style, S->Size, S->LineColor, S->ShapeFillColor)) {
          S->ApplyToMarker();
          S->X = P.X;
          S->Y = P.Y;
          TFig* F = S.get();
          Add(std::move(S));
          F->Draw();
        }
        break;
      }
      case atLine:
        Stretch(std::make_unique<TMonoLine>(Graph, P, P, LineColor, LineWidth));
        break;
      case atArrow:
        Stretch(std::make_unique<TArrow>(Graph, P, P, LineColor, LineWidth));
        break;
      case atRect:
        Stretch(std::make_unique<TRectangle>(Graph, P, P, LineColor, LineWidth));
        break;
      case atCircle:
        Stretch(std::make_unique<TCircle>(Graph, P, P, LineColor, LineWidth));
        break;
      case atText: {
        auto N = std::make_unique<TNoteText>(Graph);
        // A note without text could never be seen or grabbed again.
        if (EditFigProperties(*N, true) && !N->Text.isEmpty()) {
          N->X = P.X;
          N->Y = P.Y;
          N->ComputeFrame();
          TFig* F = N.get();
          Add(std::move(N));
          F->Draw();
        }
        break;
      }
      case atPencil: {
        auto S = std::make_unique<TPencil>(Graph, LineColor, PencilWidth);
        S->Selected = true;
        S->Creating = true;
        S->LastX = X;
        S->LastY = Y;
        S->AddPoint(P.X, P.Y);
        SelectedIndex = Add(std::move(S));
        break;
      }
      default:
        break;
    }
  }
  if (!Figures.empty()) MouseMove(Shift, X, Y);
  if (SelectedIndex != -1 && Button == mbRight && Shift == ssRight && Tool == atNone) {
    if (TFig* F = GetFigure(SelectedIndex)) {
      FPopupFigure = F->Id;
      Graph->Owner->ShowPopupMenu(PopupMenu(), X, Y);
    }
  }
  if (SelectedIndex != -1 && Shift == ssLeft) {
    TFig* F = GetFigure(SelectedIndex);
    if (F && F->HitTest(X, Y) && Tool == atNone) {
      F->MouseDown(X, Y);
      if (!F->Creating) F->DrawXor();
    }
  }
}

void TGraphAnnotate::MouseMove(int Shift, int X, int Y) {
  TPrimaryAxes Axes(Graph);
  SetCursor(AnnotateToolCursor(Tool));
  if (Figures.empty()) return;
  if (Shift == ssLeft && SelectedIndex != -1) {
    TFig* F = GetFigure(SelectedIndex);
    if (F && F->Selected) {
      F->MouseDrag(X, Y);
      return;
    }
  }
  for (const auto& F : Figures)
    if (F->Selected) F->EndDrag(X, Y);
  if (Tool != atNone) {
    SelectedIndex = -1;
    return;
  }
  for (int I = 0; I < Count(); ++I) {
    TFig* F = Figures[static_cast<size_t>(I)].get();
    if (!F->HitTest(X, Y)) continue;
    SelectedIndex = I;
    CursorSet = true;
    if (Shift & ssShift)
      SetCursor(109);
    else if (Shift & ssCtrl)
      SetCursor(103);
    else if (Shift == 0)
      SetCursor(F->HitPart == 0 ? 101 : 105);
    return;
  }
  SelectedIndex = -1;
  if (CursorSet) SetCursor(crDefault);
}

void TGraphAnnotate::MouseUp(int /*Button*/, int /*Shift*/, int X, int Y) {
  TFig* F = GetFigure(SelectedIndex);
  if (!F) return;
  TPrimaryAxes Axes(Graph);
  const bool WasCreating = F->Creating;
  F->EndDrag(X, Y);
  if (WasCreating && DrawnOnceMoreOnRelease(*F))
    F->Draw();
  else if (AutoRefresh)
    Graph->Repaint();
}

void RegisterGraphAnnotation() {
  SetGraphAnnotationFactory([](TGraph* G) { return std::make_unique<TGraphAnnotate>(G); });
}
