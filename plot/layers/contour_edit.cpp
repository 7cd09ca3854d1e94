// Editing a contour layer's levels and labels by clicks.
#include <algorithm>
#include <cmath>
#include <limits>

#include "plot/core/graph.h"
#include "plot/core/graph_drawing.h"
#include "plot/core/graph_utils.h"
#include "plot/layers/contour.h"

TCursor ContourModeCursor(int MouseMode) {
  switch (MouseMode) {
    case 1:
    case 4:
      return crContourAdd;
    case 2:
    case 5:
      return crContourDelete;
    case 3:
      return crContourMove;
    default:
      return crDefault;
  }
}

void TContour::MouseMove(int Shift, int X, int Y) {
  TLayer::MouseMove(Shift, X, Y);
  // Modes 6 and 7 belong to editors built on this layer; they keep whatever cursor is shown.
  if (MouseMode == 6 || MouseMode == 7) return;
  Graph->Owner->SetCursor(ContourModeCursor(MouseMode));
}

void TContour::MouseDown(int Button, int Shift, int X, int Y) {
  TLayer::MouseDown(Button, Shift, X, Y);
  if (MouseMode == 0) return;
  // Where the layer is drawn: on a graph with depth, right and up by its offset.
  const int Off = DepthOffset();
  double WX = Graph->PixelToX(AddPixels(X, -Off)), WY = Graph->PixelToY(AddPixels(Y, Off));
  if (Graph->CurrentXLog()) WX = std::pow(10.0, WX);
  if (Graph->CurrentYLog()) WY = std::pow(10.0, WY);
  if (EditAt(WX, WY)) Graph->Repaint();
}

bool TContour::EditAt(double X, double Y) {
  if (MouseMode == 1) return AddLevelAt(X, Y);
  if (MouseMode < 2 || MouseMode > 5) return false;
  // The nearest piece of any line, by the distances of its two ends.
  int Line = -1;
  size_t Piece = 0;
  double Best = std::numeric_limits<double>::infinity();
  for (int I = 0; I < static_cast<int>(FLines.size()); ++I) {
    const auto& P = FLines[I].Points;
    for (size_t K = 1; K < P.size(); ++K) {
      if (P[K] == P[K - 1]) continue;
      const double D = std::abs(P[K - 1].X - X) + std::abs(P[K].X - X) + std::abs(P[K - 1].Y - Y) +
                       std::abs(P[K].Y - Y);
      if (D < Best) Best = D, Line = I, Piece = K;
    }
  }
  if (Line < 0) return false;
  std::optional<TContourLabel>& Label = FLabels[Line];
  switch (MouseMode) {
    case 2: {
      if (!Label) return false;
      const QString Text = Label->Text;
      for (int I = static_cast<int>(FLines.size()) - 1; I >= 0; --I)
        if (FloatToStrFixedDigits(std::clamp(LabelDigits, 0, 15), FLines[I].Level) == Text) {
          FLines.erase(FLines.begin() + I);
          FLineColors.erase(FLineColors.begin() + I);
          FLabels.erase(FLabels.begin() + I);
        }
      return true;
    }
    case 5:
      if (!Label) return false;
      Label->Visible = false;
      return true;
    default: {
      if (!Label) return false;  // a line at level 0 has no label
      if (MouseMode == 4) Label->Visible = true;
      TContourLine& L = FLines[Line];
      L.LabelFrom = L.Points[Piece - 1], L.LabelTo = L.Points[Piece];
      const TContourLabel Moved = MakeLabel(L);
      Label->From = Moved.From, Label->To = Moved.To, Label->Angle = Moved.Angle;
      return true;
    }
  }
}
