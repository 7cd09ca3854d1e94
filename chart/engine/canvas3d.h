#pragma once
// The one drawing surface of every chart part. TChartCanvas3D turns 3D integer coordinates (x, y
// in pixels, z in pixels of depth, 0 at the front) into screen points through its projection and
// draws them on a bound TCanvas, optionally through an off-screen bitmap that survives between
// paints while its size is unchanged.
#include <memory>
#include <span>
#include <vector>

#include <QString>

#include "chart/engine/chart_pen.h"
#include "chart/engine/projection.h"
#include "platform/bitmap.h"
#include "platform/canvas.h"

class TView3DOptions;

enum TGradientDirection {
  gdTopBottom,
  gdBottomTop,
  gdLeftRight,
  gdRightLeft,
  gdFromCenter,
  gdFromTopLeft,
  gdFromBottomLeft
};

// Dark amounts of side and top faces; the step of the centre gradient.
inline constexpr int DarkerColorQuantity = 128;
inline constexpr int DarkColorQuantity = 64;
inline constexpr int GradientCenterStep = 2;

class TChartCanvas {
 public:
  TChartCanvas() = default;
  TChartCanvas(const TChartCanvas&) = delete;
  TChartCanvas& operator=(const TChartCanvas&) = delete;
  virtual ~TChartCanvas() = default;

  virtual TColor GetBackColor() const = 0;
  virtual TBackMode GetBackMode() const = 0;
  virtual TCanvas* GetHandle() const = 0;
  virtual bool GetMonochrome() const = 0;
  virtual unsigned GetTextAlign() const = 0;
  virtual bool GetUseBuffer() const = 0;
  virtual void SetBackColor(TColor Color) = 0;
  virtual void SetBackMode(TBackMode Mode) = 0;
  virtual void SetMonochrome(bool Value) = 0;
  virtual void SetPixel(int X, int Y, TColor Color) = 0;
  virtual void SetTextAlign(unsigned Align) = 0;
  virtual void SetUseBuffer(bool Value) = 0;
  virtual void Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) = 0;
  virtual void Draw(int X, int Y, const TGraphic* Graphic) = 0;
  virtual void Ellipse(int X1, int Y1, int X2, int Y2) = 0;
  virtual void FillRect(const TRect& R) = 0;
  virtual void Frame3D(TRect R, TColor TopColor, TColor BottomColor, int Width) = 0;
  virtual void LineTo(int X, int Y) = 0;
  virtual void MoveTo(int X, int Y) = 0;
  virtual void Pie(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) = 0;
  virtual void Rectangle(int X0, int Y0, int X1, int Y1) = 0;
  virtual void RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3) = 0;
  virtual void StretchDraw(const TRect& R, const TGraphic* Graphic) = 0;
  virtual void TextOut(int X, int Y, const QString& Text) = 0;
  virtual int TextWidth(const QString&) { return 0; }
  virtual int TextHeight(const QString&) { return 0; }
  virtual void ClipRectangle(const TRect& R) = 0;
  virtual void DoHorizLine(int X0, int X1, int Y) = 0;
  virtual void DoRectangle(const TRect& R) = 0;
  virtual void DoVertLine(int X, int Y0, int Y1) = 0;
  virtual void EraseBackground(const TRect& R) = 0;
  virtual void GradientFill(TRect R, TColor StartColor, TColor EndColor,
                            TGradientDirection Direction) = 0;
  virtual void Invalidate() = 0;
  virtual void Line(int X0, int Y0, int X1, int Y1) = 0;
  virtual void Polygon(std::span<const TPoint> Points) = 0;
  virtual void RotateLabel(int X, int Y, const QString& Text, int Angle) = 0;
  virtual void UnClipRectangle() = 0;
};

class TCanvas3D : public TChartCanvas {
 public:
  virtual void Pixel3D(int X, int Y, int Z, TColor Color) = 0;
  virtual bool CanRotateFully() const = 0;
  virtual bool CanvasAbilityB() const = 0;
  virtual void Calculate2DPosition(int& X, int& Y, int Z) const = 0;
  virtual TPoint Calculate3DPosition(int X, int Y, int Z) const = 0;
  virtual TRect InitWindow(TCanvas* DestCanvas, TView3DOptions* Options, TColor BackColor,
                           bool Is3D, const TRect& R) = 0;
  virtual void AssignMonochrome(const TChartCanvas& Other) = 0;
  virtual void Projection(int MaxDepth, const TRect& R) = 0;
  virtual void ShowImage(TCanvas* DestCanvas, TCanvas* DefaultCanvas, const TRect& R) = 0;
  virtual bool ReDrawBitmap() = 0;
  virtual void Arrow(bool Filled, TPoint From, TPoint To, int HeadWidth, int HeadHeight, int Z) = 0;
  virtual void ClipCube(const TRect& R, int MinZ, int MaxZ) = 0;
  virtual void Cube(int Left, int Right, int Top, int Bottom, int Z0, int Z1, bool DarkSides) = 0;
  virtual void Cylinder(bool Vertical, int Left, int Top, int Right, int Bottom, int Z0, int Z1,
                        bool DarkCover) = 0;
  virtual void HorizLine3D(int Left, int Right, int Y, int Z) = 0;
  virtual void VertLine3D(int X, int Top, int Bottom, int Z) = 0;
  virtual void ZLine3D(int X, int Y, int Z0, int Z1) = 0;
  virtual void EllipseWithZ(int Left, int Top, int Right, int Bottom, int Z) = 0;
  virtual void DisableRotation() = 0;
  virtual void EnableRotation() = 0;
  virtual void LineWithZ(int X0, int Y0, int X1, int Y1, int Z) = 0;
  virtual void MoveTo3D(int X, int Y, int Z) = 0;
  virtual void LineTo3D(int X, int Y, int Z) = 0;
  virtual void Pie3D(int XCenter, int YCenter, int XRadius, int YRadius, int Z0, int Z1,
                     double StartAngle, double EndAngle, bool DarkSides, bool DrawSides) = 0;
  virtual void Plane3D(TPoint P1, TPoint P2, int Z0, int Z1) = 0;
  virtual void PlaneWithZ(TPoint P1, TPoint P2, TPoint P3, TPoint P4, int Z) = 0;
  virtual void PlaneFour3D(const TPoint (&Points)[4], int Z0, int Z1) = 0;
  virtual void Pyramid(bool Vertical, int Left, int Top, int Right, int Bottom, int Z0, int Z1,
                       bool DarkSides) = 0;
  virtual void RectangleWithZ(const TRect& R, int Z) = 0;
  virtual void RectangleY(int Left, int Top, int Right, int Z0, int Z1) = 0;
  virtual void RectangleZ(int Left, int Top, int Bottom, int Z0, int Z1) = 0;
  virtual void RotateLabel3D(int X, int Y, int Z, const QString& Text, int Angle) = 0;
  virtual void TextOut3D(int X, int Y, int Z, const QString& Text) = 0;
  virtual void TriangleWithZ(TPoint P1, TPoint P2, TPoint P3, int Z) = 0;
};

class TChartCanvas3D : public TCanvas3D {
 public:
  TChartCanvas3D();
  ~TChartCanvas3D() override;

  // Binds Canvas; Font(), Pen() and Brush() are then its own.
  void SetCanvas(TCanvas* Canvas) { FCanvas = Canvas; }
  TCanvas* ReferenceCanvas() const { return FCanvas; }
  TFont* Font() const { return FCanvas->Font(); }
  TPen* Pen() const { return FCanvas->Pen(); }
  TBrush* Brush() const { return FCanvas->Brush(); }
  void ResetState();
  // A hidden chart pen clears the canvas pen; small dots draw every other pixel.
  void AssignVisiblePen(const TChartPen& ChartPen);
  int FontHeight() { return TextHeight(QStringLiteral("W")); }
  // The width and height of a text as TextOut3D and the rotated labels write it: in the font
  // zoomed with the view where ZoomText.
  TSize TextExtent3D(const QString& Text);

  const TProjection& View() const { return FView; }
  bool Is3D() const { return FView.Is3D; }
  bool IsOrthogonal() const { return FView.Orthogonal; }
  double ZoomFactor() const { return FView.ZoomFactor; }
  bool ZoomText() const { return FZoomText; }
  const TRect& Bounds() const { return FBounds; }
  bool Dirty() const { return FDirty; }
  const TBitmap* Bitmap() const { return FBitmap.get(); }
  // True while drawing into a metafile; the panel sets it around metafile output.

  // TChartCanvas
  TColor GetBackColor() const override { return FCanvas->BackColor(); }
  TBackMode GetBackMode() const override { return FCanvas->BackMode(); }
  TCanvas* GetHandle() const override { return FCanvas; }
  bool GetMonochrome() const override { return FMonochrome; }
  unsigned GetTextAlign() const override { return FCanvas->TextAlign(); }
  bool GetUseBuffer() const override { return FUseBuffer; }
  void SetBackColor(TColor Color) override { FCanvas->SetBackColor(Color); }
  void SetBackMode(TBackMode Mode) override { FCanvas->SetBackMode(Mode); }
  void SetMonochrome(bool Value) override;
  void SetPixel(int X, int Y, TColor Color) override;
  void SetTextAlign(unsigned Align) override { FCanvas->SetTextAlign(Align); }
  void SetUseBuffer(bool Value) override;
  void Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) override {
    FCanvas->Arc(X1, Y1, X2, Y2, X3, Y3, X4, Y4);
  }
  void Draw(int X, int Y, const TGraphic* Graphic) override { FCanvas->Draw(X, Y, Graphic); }
  void Ellipse(int X1, int Y1, int X2, int Y2) override { FCanvas->Ellipse(X1, Y1, X2, Y2); }
  void FillRect(const TRect& R) override { FCanvas->FillRect(R); }
  void Frame3D(TRect R, TColor TopColor, TColor BottomColor, int Width) override;
  void LineTo(int X, int Y) override { FCanvas->LineTo(X, Y); }
  void MoveTo(int X, int Y) override { FCanvas->MoveTo(X, Y); }
  void Pie(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) override {
    FCanvas->Pie(X1, Y1, X2, Y2, X3, Y3, X4, Y4);
  }
  void Rectangle(int X0, int Y0, int X1, int Y1) override { FCanvas->Rectangle(X0, Y0, X1, Y1); }
  void RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3) override {
    FCanvas->RoundRect(X1, Y1, X2, Y2, X3, Y3);
  }
  void StretchDraw(const TRect& R, const TGraphic* Graphic) override {
    FCanvas->StretchDraw(R, Graphic);
  }
  void TextOut(int X, int Y, const QString& Text) override { FCanvas->TextOut(X, Y, Text); }
  int TextWidth(const QString& Text) override { return FCanvas->TextWidth(Text); }
  int TextHeight(const QString& Text) override { return FCanvas->TextHeight(Text); }
  void ClipRectangle(const TRect& R) override;
  void DoHorizLine(int X0, int X1, int Y) override { Line(X0, Y, X1, Y); }
  void DoRectangle(const TRect& R) override { FCanvas->Rectangle(R); }
  void DoVertLine(int X, int Y0, int Y1) override { Line(X, Y0, X, Y1); }
  void EraseBackground(const TRect& R) override { FCanvas->FillRect(R); }
  void GradientFill(TRect R, TColor StartColor, TColor EndColor,
                    TGradientDirection Direction) override;
  void Invalidate() override { FDirty = true; }
  void Line(int X0, int Y0, int X1, int Y1) override {
    FCanvas->MoveTo(X0, Y0);
    FCanvas->LineTo(X1, Y1);
  }
  void Polygon(std::span<const TPoint> Points) override { FCanvas->Polygon(Points); }
  void RotateLabel(int X, int Y, const QString& Text, int Angle) override;
  void UnClipRectangle() override;

  // TCanvas3D
  void Pixel3D(int X, int Y, int Z, TColor Color) override;
  bool CanRotateFully() const override { return false; }
  bool CanvasAbilityB() const override { return false; }
  void Calculate2DPosition(int& X, int& Y, int Z) const override {
    FView.Calculate2DPosition(X, Y, Z);
  }
  TPoint Calculate3DPosition(int X, int Y, int Z) const override {
    return FView.Calculate3DPosition(X, Y, Z);
  }
  TPoint Calculate3DPosition(TPoint P, int Z) const { return FView.Calculate3DPosition(P, Z); }
  TRect InitWindow(TCanvas* DestCanvas, TView3DOptions* Options, TColor BackColor, bool Is3D,
                   const TRect& R) override;
  void AssignMonochrome(const TChartCanvas& Other) override {
    SetMonochrome(Other.GetMonochrome());
  }
  void Projection(int MaxDepth, const TRect& R) override;
  void ShowImage(TCanvas* DestCanvas, TCanvas* DefaultCanvas, const TRect& R) override;
  bool ReDrawBitmap() override;
  void Arrow(bool Filled, TPoint From, TPoint To, int HeadWidth, int HeadHeight, int Z) override;
  void ClipCube(const TRect& R, int MinZ, int MaxZ) override;
  void Cube(int Left, int Right, int Top, int Bottom, int Z0, int Z1, bool DarkSides) override;
  void Cylinder(bool Vertical, int Left, int Top, int Right, int Bottom, int Z0, int Z1,
                bool DarkCover) override;
  void HorizLine3D(int Left, int Right, int Y, int Z) override;
  void VertLine3D(int X, int Top, int Bottom, int Z) override;
  void ZLine3D(int X, int Y, int Z0, int Z1) override;
  void EllipseWithZ(int Left, int Top, int Right, int Bottom, int Z) override;
  void DisableRotation() override;
  void EnableRotation() override;
  void LineWithZ(int X0, int Y0, int X1, int Y1, int Z) override;
  void MoveTo3D(int X, int Y, int Z) override;
  void LineTo3D(int X, int Y, int Z) override;
  void Pie3D(int XCenter, int YCenter, int XRadius, int YRadius, int Z0, int Z1, double StartAngle,
             double EndAngle, bool DarkSides, bool DrawSides) override;
  void Plane3D(TPoint P1, TPoint P2, int Z0, int Z1) override;
  void PlaneWithZ(TPoint P1, TPoint P2, TPoint P3, TPoint P4, int Z) override;
  void PlaneFour3D(const TPoint (&Points)[4], int Z0, int Z1) override;
  void Pyramid(bool Vertical, int Left, int Top, int Right, int Bottom, int Z0, int Z1,
               bool DarkSides) override;
  void RectangleWithZ(const TRect& R, int Z) override;
  void RectangleY(int Left, int Top, int Right, int Z0, int Z1) override;
  void RectangleZ(int Left, int Top, int Bottom, int Z0, int Z1) override;
  void RotateLabel3D(int X, int Y, int Z, const QString& Text, int Angle) override;
  void TextOut3D(int X, int Y, int Z, const QString& Text) override;
  void TriangleWithZ(TPoint P1, TPoint P2, TPoint P3, int Z) override;

 private:
  TColor FillColor() const;
  void FillWith(TColor Color);  // brush colour for one face
  // The font height of a zoomed text, or 0 when the font stays as it is.
  int ZoomedFontHeight() const;

  TCanvas* FCanvas = nullptr;
  TView3DOptions* FOptions = nullptr;
  TProjection FView;
  bool FSavedIs3D = false;
  bool FSavedOrthogonal = false;
  std::unique_ptr<TBitmap> FBitmap;
  bool FUseBuffer = true;
  bool FMonochrome = false;
  bool FDirty = true;
  TRect FBounds;
  bool FZoomText = true;
};

// Free routines of the canvas.
void ClipCanvas(TCanvas& Canvas, const TRect& R);
void UnClipCanvas(TCanvas& Canvas);
void RectSize(const TRect& R, int& Width, int& Height);
void RectCenter(const TRect& R, int& X, int& Y);
void SinCos(double Angle, double& Sin, double& Cos);
double ArcTan2(double Y, double X);
inline int MaxLong(int A, int B) { return A > B ? A : B; }
inline int MinLong(int A, int B) { return A < B ? A : B; }
inline double MaxDouble(double A, double B) { return A > B ? A : B; }
inline double MinDouble(double A, double B) { return A < B ? A : B; }
void SwapInteger(int& A, int& B);
void SwapPoint(TPoint& A, TPoint& B);
// Each RGB component less Quantity, 0 where it would go below; the automatic colour and clNone
// stay as they are.
TColor ApplyDark(TColor Color, int Quantity);
