#pragma once
// The figures the user draws over a graph: symbols, lines, arrows, rectangles, circles, pencil
// strokes and text notes. They keep world values, so they follow zooming and panning, and draw
// through the graph's ordinary primitives on whatever canvas the graph draws on.
#include <QString>
#include <memory>

#include "platform/colors.h"
#include "platform/graphics.h"
#include "plot/core/graph_float_lists.h"
#include "plot/core/graph_marker.h"
#include "plot/core/graph_poly.h"
#include "plot/core/graph_types.h"

class TCanvas;
class TGraph;

// Half the side of a selection handle and the reach of a handle's hit test, in pixels.
inline constexpr int FigHandleReach = 5;

class TFig {
 public:
  explicit TFig(TGraph* AGraph);
  virtual ~TFig() = default;
  TFig(const TFig&) = delete;
  TFig& operator=(const TFig&) = delete;

  TGraph* Graph;
  bool Selected = false;
  bool Creating = false;
  // -1 nothing, 0 the whole figure, 1 the first point, 2 the second, 3 (X2, Y1), 4 (X1, Y2).
  int HitPart = -1;
  int LastX = 0, LastY = 0;
  TColor Color = clBlack;
  TColor FillColor = clWhite;
  int FillMode = 0;  // 0 "Clear", 1 "SemiTransparent", 2 "Solid"
  // Tells figures apart after one was freed and another took its address.
  const unsigned Id;

  virtual QString ClassName() const { return QStringLiteral("TFig"); }
  virtual void Draw() {}
  virtual void DrawXor() {}
  virtual bool HitTest(int /*X*/, int /*Y*/) { return false; }
  virtual bool MouseDown(int X, int Y);
  virtual void MouseDrag(int /*X*/, int /*Y*/) {}
  virtual void EndDrag(int X, int Y);
  virtual bool EditProperties() { return false; }
  virtual void PrepareCanvas();

  // World values of a pixel of the primary axes, logarithmic axes included.
  double WorldX(int P) const;
  double WorldY(int P) const;
  // A world value moved by a pixel step.
  double MovedX(double X, int Step) const;
  double MovedY(double Y, int Step) const;

 protected:
  TCanvas* Canvas() const;
  // Width 1 NOT-XOR when selected, the own width NOT-XOR while created, else the own width.
  void SetDrawPen(int Width, int Style);
  // In the figure's colour, NOT-XOR, with the pen width and style given.
  void DrawHandle(int PX, int PY, int PenWidth = 1, int Style = 0);
  void DrawWorldHandle(double WX, double WY, int PenWidth = 1, int Style = 0);
  bool Near(int PX, int PY, int X, int Y) const;
  // Selected only when the point hits the figure; the mouse position is kept either way.
  bool SelectOnHit(int X, int Y);
};

namespace GraphFigs {
// A marker symbol at a point.
class TShape : public TFig {
 public:
  explicit TShape(TGraph* AGraph);
  double X = 0, Y = 0;
  int Style = 0;
  TMarker Marker;
  TColor LineColor = 0xFF0000;
  TColor ShapeFillColor = 0x0000FF;
  int Size = 10;

  QString ClassName() const override { return QStringLiteral("TShape"); }
  void Draw() override;
  bool HitTest(int X, int Y) override;
  bool MouseDown(int X, int Y) override;
  void MouseDrag(int X, int Y) override;
  bool EditProperties() override;
  // The marker takes the style, size and colours.
  void ApplyToMarker();

 private:
  int HalfHeight();
};
}  // namespace GraphFigs

class TMonoLine : public TFig {
 public:
  TMonoLine(TGraph* AGraph, TDoublePoint P1, TDoublePoint P2, TColor AColor, int AWidth);
  double X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
  int Width = 1;
  int PenStyle = 0;  // solid, dash, dot, dash-dot, dash-dot-dot

  QString ClassName() const override { return QStringLiteral("TMonoLine"); }
  void Draw() override;
  void DrawXor() override;
  bool HitTest(int X, int Y) override;
  bool MouseDown(int X, int Y) override;
  void MouseDrag(int X, int Y) override;
  bool EditProperties() override;

 protected:
  // Creating, or within a handle's reach of an end; sets HitPart (-1 for neither).
  bool EndHit(int X, int Y);
  // Moves the points by the mouse step as HitPart says.
  virtual void MovePoints(int DX, int DY);
  // The handles of a selected figure: thin ones on its outline, the figure's own pen for the
  // handles that mark it grabbed.
  virtual void DrawHandles(int PenWidth, int Style);
};

class TPencil : public TMonoLine {
 public:
  TPencil(TGraph* AGraph, TColor AColor, int AWidth);
  std::unique_ptr<TFloatList> Points;

  QString ClassName() const override { return QStringLiteral("TPencil"); }
  void Draw() override;
  bool HitTest(int X, int Y) override;
  void MouseDrag(int X, int Y) override;
  int PointCount() const { return Points->Count() / 2; }
  void AddPoint(double X, double Y);

 protected:
  // A stroke's ends are its first and last points; the line's two points are not used by it.
  void DrawHandles(int PenWidth, int Style) override;

 private:
  void DrawStroke();
};

class TRectangle : public TMonoLine {
 public:
  using TMonoLine::TMonoLine;
  QString ClassName() const override { return QStringLiteral("TRectangle"); }
  void Draw() override;
  bool HitTest(int X, int Y) override;
  bool EditProperties() override;
  void PrepareCanvas() override;

 protected:
  void MovePoints(int DX, int DY) override;
  void DrawHandles(int PenWidth, int Style) override;
  virtual void Shape(const TDoubleRect& R);
};

class TCircle : public TRectangle {
 public:
  using TRectangle::TRectangle;
  QString ClassName() const override { return QStringLiteral("TCircle"); }

 protected:
  void Shape(const TDoubleRect& R) override;
};

class TArrow : public TMonoLine {
 public:
  using TMonoLine::TMonoLine;
  QString ClassName() const override { return QStringLiteral("TArrow"); }
  void Draw() override;
  // The two outer points of the head, in world units.
  void HeadPoints(TDoublePoint& A, TDoublePoint& B) const;
};

class TNoteText : public TFig {
 public:
  explicit TNoteText(TGraph* AGraph);
  QString Text;
  TPoly Frame;
  TFont Font;
  int TextStyle = 0;  // 0 "Fixed", 1 "Scaled"
  double X = 0, Y = 0;

  // The smallest and largest size a scaled note is drawn at, in points.
  static constexpr int MinFontSize = 1, MaxFontSize = 500;

  QString ClassName() const override { return QStringLiteral("TNoteText"); }
  void Draw() override;
  bool HitTest(int X, int Y) override;
  bool MouseDown(int X, int Y) override;
  void MouseDrag(int X, int Y) override;
  bool EditProperties() override;
  int EffectiveSize() const;
  void ComputeFrame();
};
