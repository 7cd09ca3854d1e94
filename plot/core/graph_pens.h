#pragma once
// Short-lived helpers that set up the pen, brush or font of the canvas the graph draws on for one
// drawing task. While a black-only printer prints, their colour setters keep the default black.
#include <QString>

#include "platform/geometry.h"
#include "platform/graphics.h"

class TCanvas;
class TGraphDrawing;

class TWPen {
 public:
  explicit TWPen(TGraphDrawing* AGraph);
  virtual ~TWPen() = default;
  TWPen(const TWPen&) = delete;
  TWPen& operator=(const TWPen&) = delete;

  int Size = 0;
  TGraphDrawing* Graph;
  TCanvas* Canvas;

  virtual void SetColor(TColor Color);
  virtual void SetFill(TColor Color);
  virtual void Reset();
  void SetStyle(TPenStyle Style);
  void SetWidth(int Width);
  void MoveTo(int X, int Y);
  void LineTo(int X, int Y);
  void Rectangle(const TRect& R);

 protected:
  struct TNoReset {};
  TWPen(TGraphDrawing* AGraph, TNoReset);
};

class TWBrush : public TWPen {
 public:
  explicit TWBrush(TGraphDrawing* AGraph);
  ~TWBrush() override;
  void SetColor(TColor Color) override;
  void Reset() override;
};

class TWText : public TWPen {
 public:
  TWText(TGraphDrawing* AGraph, const QString& FontName);
  void SetColor(TColor Color) override;
  virtual void SetFontName(const QString& Name);
  virtual void TextOut(int X, int Y, const QString& S);
  void SetSize(int ASize);
  void SetFontStyle(TFontStyles Style);
  int TextHeight(const QString& S);
  int TextWidth(const QString& S);
};

class TWRText : public TWText {
 public:
  using TWText::TWText;
  int Angle = 0;  // degrees, counter-clockwise
  void SetAngle(int Value);
  void TextOut(int X, int Y, const QString& S) override;
};
