#pragma once
// The boxes that the texts of a recorded drawing fill on the screen, for tests of labels that
// must neither meet each other nor their axis line.
#include <gtest/gtest.h>

#include <QRectF>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "platform/canvas.h"
#include "platform/canvas_targets.h"

// Each text measured in its own font at Ppi, placed by its alignment and turned about its
// reference point.
inline QRectF TextBox(const TCanvasOp& O, int Ppi) {
  TRecordingTarget Target(10, 10, Ppi);
  TCanvas Canvas(&Target);
  TFontData F = O.State.Font;
  const double A = F.Escapement / 10.0 * std::numbers::pi / 180;
  F.Escapement = 0;
  Canvas.Font()->SetData(F);
  const double W = Canvas.TextWidth(O.Text), H = Canvas.TextHeight(O.Text);
  const unsigned Horz = O.State.TextAlign & TA_HORZMASK;
  const double X0 = Horz == TA_RIGHT ? -W : Horz == TA_CENTER ? -std::floor(W / 2) : 0;
  QRectF Box;
  for (auto [X, Y] : {std::pair{X0, 0.0}, {X0 + W, 0.0}, {X0, H}, {X0 + W, H}}) {
    const QPointF P(O.Points[0].X + X * std::cos(A) + Y * std::sin(A),
                    O.Points[0].Y - X * std::sin(A) + Y * std::cos(A));
    Box = Box.isNull() ? QRectF(P, P) : Box.united(QRectF(P, P));
  }
  return Box;
}

// No two boxes share more than a pixel's row or column.
inline void ExpectApart(const std::vector<QRectF>& Boxes, const std::string& Case) {
  for (size_t i = 0; i < Boxes.size(); ++i)
    for (size_t j = i + 1; j < Boxes.size(); ++j) {
      const QRectF M = Boxes[i].intersected(Boxes[j]);
      EXPECT_FALSE(M.width() > 1 && M.height() > 1) << Case << " labels " << i << ", " << j;
    }
}
