#include "chart/engine/canvas3d.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "chart/engine/chart_panel.h"
#include "chart/engine/view3d_options.h"
#include "platform/gradient.h"
#include "platform/number_text.h"

namespace {

constexpr double Pi = std::numbers::pi;

// Logical to device points of a mapped canvas (clip regions are in device pixels).
TPoint LogicalToDevice(const TCanvas& Canvas, TPoint P) {
  if (!Canvas.Mapped()) return P;
  const TCanvasMapping& M = Canvas.Mapping();
  auto Axis = [](int V, int WOrg, int WExt, int VOrg, int VExt) {
    if (WExt == 0) return VOrg;
    return ChartPixel(double(V - WOrg) * VExt / WExt + VOrg);
  };
  return {Axis(P.X, M.WindowOrg.X, M.WindowExt.cx, M.ViewportOrg.X, M.ViewportExt.cx),
          Axis(P.Y, M.WindowOrg.Y, M.WindowExt.cy, M.ViewportOrg.Y, M.ViewportExt.cy)};
}

// Twice the signed area of a screen polygon (y down).
double Area2(std::span<const TPoint> P) {
  double S = 0;
  for (size_t i = 0; i < P.size(); ++i) {
    const TPoint& A = P[i];
    const TPoint& B = P[(i + 1) % P.size()];
    S += double(A.X) * B.Y - double(B.X) * A.Y;
  }
  return S;
}

std::vector<TPoint> ConvexHull(std::vector<TPoint> P) {
  std::sort(P.begin(), P.end(), [](const TPoint& A, const TPoint& B) {
    return A.X < B.X || (A.X == B.X && A.Y < B.Y);
  });
  P.erase(std::unique(P.begin(), P.end()), P.end());
  if (P.size() < 3) return P;
  auto Cross = [](const TPoint& O, const TPoint& A, const TPoint& B) {
    return double(A.X - O.X) * (B.Y - O.Y) - double(A.Y - O.Y) * (B.X - O.X);
  };
  std::vector<TPoint> H(2 * P.size());
  size_t k = 0;
  for (size_t i = 0; i < P.size(); ++i) {
    while (k >= 2 && Cross(H[k - 2], H[k - 1], P[i]) <= 0) --k;
    H[k++] = P[i];
  }
  for (size_t i = P.size() - 1, t = k + 1; i > 0; --i) {
    while (k >= t && Cross(H[k - 2], H[k - 1], P[i - 1]) <= 0) --k;
    H[k++] = P[i - 1];
  }
  H.resize(k - 1);
  return H;
}

TColor GradientColor(TColor C) { return IsChartAuto(C) || C == clNone ? clWhite : ColorToRGB(C); }

}  // namespace

// --- Free routines ---------------------------------------------------------------------------

void ClipCanvas(TCanvas& Canvas, const TRect& R) { Canvas.SetClipRect(R); }
void UnClipCanvas(TCanvas& Canvas) { Canvas.ResetClip(); }

void RectSize(const TRect& R, int& Width, int& Height) {
  Width = R.Right - R.Left;
  Height = R.Bottom - R.Top;
}

void RectCenter(const TRect& R, int& X, int& Y) {
  X = int((static_cast<long long>(R.Left) + R.Right) / 2);
  Y = int((static_cast<long long>(R.Top) + R.Bottom) / 2);
}

void SinCos(double Angle, double& Sin, double& Cos) {
  Sin = std::sin(Angle);
  Cos = std::cos(Angle);
}

double ArcTan2(double Y, double X) { return std::atan2(Y, X); }

void SwapInteger(int& A, int& B) { std::swap(A, B); }
void SwapPoint(TPoint& A, TPoint& B) { std::swap(A, B); }

TColor ApplyDark(TColor Color, int Quantity) {
  if (IsChartAuto(Color) || Color == clNone) return Color;
  const TColor C = ColorToRGB(Color);
  auto D = [Quantity](int V) { return Quantity < V ? V - Quantity : 0; };
  return RGB(D(GetRValue(C)), D(GetGValue(C)), D(GetBValue(C)));
}

// --- TChartCanvas3D ----------------------------------------------------------------------------

TChartCanvas3D::TChartCanvas3D() = default;
TChartCanvas3D::~TChartCanvas3D() = default;

void TChartCanvas3D::ResetState() {
  Pen()->SetData(TPenData{clBlack, 1, psSolid, pmCopy});
  Brush()->SetData(TBrushData{clWhite, bsSolid, {}});
  Font()->SetColor(clBlack);
  Font()->SetSize(10);
  SetBackColor(clWhite);
  SetBackMode(bmTransparent);
}

void TChartCanvas3D::AssignVisiblePen(const TChartPen& ChartPen) {
  if (!ChartPen.Visible() || ChartDrawColor(ChartPen.Color()) == clNone) {
    Pen()->SetStyle(psClear);
    return;
  }
  Pen()->Assign(ChartPen);
  // Every other pixel: the nearest pattern the devices here draw is the dotted one.
  if (ChartPen.SmallDots() && ChartPen.Width() == 1) Pen()->SetStyle(psDot);
}

void TChartCanvas3D::SetMonochrome(bool Value) {
  if (FMonochrome == Value) return;
  FMonochrome = Value;
  FBitmap.reset();
  FDirty = true;
  if (FOptions && FOptions->Owner()) FOptions->Owner()->Invalidate();
}

void TChartCanvas3D::SetUseBuffer(bool Value) {
  FUseBuffer = Value;
  if (!Value) {
    FBitmap.reset();
    FDirty = true;
  }
}

void TChartCanvas3D::SetPixel(int X, int Y, TColor Color) {
  if (ChartDrawColor(Color) == clNone) return;
  FCanvas->SetPixels(X, Y, Color);
}

void TChartCanvas3D::Frame3D(TRect R, TColor TopColor, TColor BottomColor, int Width) {
  Pen()->SetWidth(1);
  Pen()->SetStyle(psSolid);
  --R.Right;
  --R.Bottom;
  for (int i = 0; i < Width; ++i) {
    Pen()->SetColor(TopColor);
    FCanvas->MoveTo(R.Left, R.Bottom);
    FCanvas->LineTo(R.Left, R.Top);
    FCanvas->LineTo(R.Right, R.Top);
    Pen()->SetColor(BottomColor);
    FCanvas->LineTo(R.Right, R.Bottom);
    FCanvas->LineTo(R.Left, R.Bottom);
    ++R.Left;
    ++R.Top;
    --R.Right;
    --R.Bottom;
  }
}

void TChartCanvas3D::GradientFill(TRect R, TColor StartColor, TColor EndColor,
                                  TGradientDirection Direction) {
  if (R.Left > R.Right) std::swap(R.Left, R.Right);
  if (R.Top > R.Bottom) std::swap(R.Top, R.Bottom);
  const TColor Start = GradientColor(StartColor), End = GradientColor(EndColor);
  const TBrushData Saved = Brush()->Data();
  // The bands are plain: no pattern or opacity of an earlier brush shows through.
  Brush()->SetData(TBrushData{clWhite, bsSolid, {}});
  TColor Current = clNone;
  auto Band = [&](TColor C, TRect B) {
    if (C != Current) {
      Brush()->SetData(TBrushData{C, bsSolid, {}});
      Current = C;
    }
    if (!B.IsEmpty()) FCanvas->FillRect(B);
  };
  const int W = R.Width(), H = R.Height();
  switch (Direction) {
    case gdTopBottom:
    case gdBottomTop:
      ::GradientFill(FCanvas, R, Start, false, End);
      break;
    case gdLeftRight:
    case gdRightLeft:
      ::GradientFill(FCanvas, R, Start, true, End);
      break;
    case gdFromCenter: {
      if (W <= 0 || H <= 0) break;
      const int HW = W / 2, HH = H / 2, N = HW + HH;
      int i = 0, j = 0;
      constexpr int S = GradientCenterStep;
      // At least one pass, so that a rectangle of one or two pixels is filled too.
      do {
        const TColor C = GradientStep(Start, End, i + j, N);
        const int L = R.Left + j, T = R.Top + i, Rr = R.Right - j, B = R.Bottom - i;
        Band(C, {L, T, Rr, std::min(T + S, B)});
        Band(C, {L, std::max(B - S, T), Rr, B});
        Band(C, {L, T, std::min(L + S, Rr), B});
        Band(C, {std::max(Rr - S, L), T, Rr, B});
        if (i < HH) i += S;
        if (j < HW) j += S;
      } while (i < HH || j < HW);
      break;
    }
    case gdFromTopLeft:
    case gdFromBottomLeft: {
      const int N = std::max(W, H);
      const bool Top = Direction == gdFromTopLeft;
      for (int k = 0; k < N; ++k) {
        const TColor C = GradientStep(Start, End, k, N);
        if (k < W) {
          if (Top)
            Band(C, {R.Left + k, std::min(R.Top + k, R.Bottom), R.Left + k + 1, R.Bottom});
          else
            Band(C, {R.Left + k, R.Top, R.Left + k + 1, std::max(R.Bottom - k, R.Top)});
        }
        if (k < H) {
          const int Y = Top ? R.Top + k : R.Bottom - 1 - k;
          Band(C, {std::min(R.Left + k, R.Right), Y, R.Right, Y + 1});
        }
      }
      break;
    }
  }
  Brush()->SetData(Saved);
}

void TChartCanvas3D::ClipRectangle(const TRect& R) { ClipCanvas(*FCanvas, R); }
void TChartCanvas3D::UnClipRectangle() { UnClipCanvas(*FCanvas); }

int TChartCanvas3D::ZoomedFontHeight() const {
  const double f = FView.ZoomFactor;
  if (!FZoomText || f == 1.0 || !std::isfinite(f)) return 0;
  const int Size = Font()->Size();
  const int NewSize = std::max(1, RoundInt(Size * f));
  if (NewSize == Size) return 0;
  return -MulDiv(NewSize, Font()->PixelsPerInch(), 72);
}

TSize TChartCanvas3D::TextExtent3D(const QString& Text) {
  const int H = ZoomedFontHeight();
  if (!H) return {TextWidth(Text), TextHeight(Text)};
  const TFontData Saved = Font()->Data();
  Font()->SetHeight(H);
  const TSize Size{TextWidth(Text), TextHeight(Text)};
  Font()->SetData(Saved);
  return Size;
}

void TChartCanvas3D::RotateLabel(int X, int Y, const QString& Text, int Angle) {
  Brush()->SetStyle(bsClear);
  while (Angle > 360) Angle -= 360;
  const TFontData Saved = Font()->Data();
  if (const int H = ZoomedFontHeight()) Font()->SetHeight(H);
  Font()->SetEscapement(Angle * 10);
  FCanvas->TextOut(X, Y, Text);
  Font()->SetData(Saved);
}

void TChartCanvas3D::TextOut3D(int X, int Y, int Z, const QString& Text) {
  const TPoint P = Calculate3DPosition(X, Y, Z);
  const int H = ZoomedFontHeight();
  if (!H) {
    FCanvas->TextOut(P.X, P.Y, Text);
    return;
  }
  const TFontData Saved = Font()->Data();
  Font()->SetHeight(H);
  FCanvas->TextOut(P.X, P.Y, Text);
  Font()->SetData(Saved);
}

void TChartCanvas3D::RotateLabel3D(int X, int Y, int Z, const QString& Text, int Angle) {
  const TPoint P = Calculate3DPosition(X, Y, Z);
  RotateLabel(P.X, P.Y, Text, Angle);
}

void TChartCanvas3D::Pixel3D(int X, int Y, int Z, TColor Color) {
  const TPoint P = Calculate3DPosition(X, Y, Z);
  if (Pen()->Width() == 1) {
    SetPixel(P.X, P.Y, Color);
  } else {
    FCanvas->MoveTo(P.X, P.Y);
    FCanvas->LineTo(P.X, P.Y);
  }
}

TRect TChartCanvas3D::InitWindow(TCanvas* DestCanvas, TView3DOptions* Options, TColor, bool Is3D,
                                 const TRect& R) {
  FBounds = R;
  FOptions = Options;
  FView.Is3D = Is3D;
  FView.Orthogonal = false;
  FView.ZoomFactor = 1.0;
  if (Is3D && Options) {
    FView.Orthogonal = Options->Orthogonal();
    FView.ZoomFactor = Options->Zoom() * 0.01;
    FZoomText = Options->ZoomText();
  }
  if (!FView.Orthogonal) {
    FView.Perspective = 0;
    if (Options)
      FView.SetAngles(Options->Rotation(), Options->Elevation(), Options->Tilt());
    else
      FView.SetAngles(0, 0, 0);
  }
  if (!FUseBuffer) {
    SetCanvas(DestCanvas);
    return R;
  }
  int W, H;
  RectSize(R, W, H);
  W = std::max(W, 1);
  H = std::max(H, 1);
  if (FBitmap && (FBitmap->Width() != W || FBitmap->Height() != H)) FBitmap.reset();
  if (!FBitmap) {
    FBitmap = std::make_unique<TBitmap>();
    FBitmap->SetMonochrome(FMonochrome);
    FBitmap->SetSize(W, H);
  }
  // The buffer stands in for the destination: fonts take as many pixels in it as there.
  if (DestCanvas) FBitmap->SetPixelsPerInch(DestCanvas->PixelsPerInchY());
  SetCanvas(FBitmap->Canvas());
  return {0, 0, W, H};
}

void TChartCanvas3D::Projection(int MaxDepth, const TRect& R) {
  RectCenter(R, FView.XCenter, FView.YCenter);
  FView.ZCenter = MaxDepth / 2;
  FView.XCenterOffset = FView.XCenter;
  FView.YCenterOffset = FView.YCenter;
  if (FOptions) {
    FView.XCenterOffset += FOptions->HorizOffset();
    FView.YCenterOffset += FOptions->VertOffset();
    if (FOptions->Perspective() > 0) FView.Perspective = FOptions->Perspective() / 35000.0;
  }
}

void TChartCanvas3D::ShowImage(TCanvas* DestCanvas, TCanvas* DefaultCanvas, const TRect& R) {
  if (FUseBuffer && FBitmap && DestCanvas) {
    DestCanvas->Draw(R.Left, R.Top, FBitmap.get());
    FDirty = false;
  }
  SetCanvas(DefaultCanvas);
}

bool TChartCanvas3D::ReDrawBitmap() {
  if (FDirty || !FBitmap || !FCanvas) return false;
  FCanvas->Draw(0, 0, FBitmap.get());
  return true;
}

void TChartCanvas3D::HorizLine3D(int Left, int Right, int Y, int Z) {
  MoveTo3D(Left, Y, Z);
  LineTo3D(Right, Y, Z);
}

void TChartCanvas3D::VertLine3D(int X, int Top, int Bottom, int Z) {
  MoveTo3D(X, Top, Z);
  LineTo3D(X, Bottom, Z);
}

void TChartCanvas3D::ZLine3D(int X, int Y, int Z0, int Z1) {
  MoveTo3D(X, Y, Z0);
  LineTo3D(X, Y, Z1);
}

void TChartCanvas3D::LineWithZ(int X0, int Y0, int X1, int Y1, int Z) {
  MoveTo3D(X0, Y0, Z);
  LineTo3D(X1, Y1, Z);
}

void TChartCanvas3D::MoveTo3D(int X, int Y, int Z) {
  const TPoint P = Calculate3DPosition(X, Y, Z);
  FCanvas->MoveTo(P.X, P.Y);
}

void TChartCanvas3D::LineTo3D(int X, int Y, int Z) {
  const TPoint P = Calculate3DPosition(X, Y, Z);
  FCanvas->LineTo(P.X, P.Y);
}

void TChartCanvas3D::DisableRotation() {
  FSavedIs3D = FView.Is3D;
  FView.Is3D = false;
  FSavedOrthogonal = FView.Orthogonal;
  FView.Orthogonal = false;
}

void TChartCanvas3D::EnableRotation() {
  FView.Is3D = FSavedIs3D;
  FView.Orthogonal = FSavedOrthogonal;
}

TColor TChartCanvas3D::FillColor() const {
  return Brush()->Style() == bsClear ? GetBackColor() : Brush()->Color();
}

void TChartCanvas3D::FillWith(TColor Color) {
  TBrushData D = Brush()->Data();
  D.Color = Color;
  if (D.Style == bsClear) D.Style = bsSolid;
  Brush()->SetData(D);
}

void TChartCanvas3D::Plane3D(TPoint P1, TPoint P2, int Z0, int Z1) {
  const TPoint P[4] = {Calculate3DPosition(P1, Z1), Calculate3DPosition(P2, Z1),
                       Calculate3DPosition(P2, Z0), Calculate3DPosition(P1, Z0)};
  Polygon(P);
}

void TChartCanvas3D::PlaneWithZ(TPoint P1, TPoint P2, TPoint P3, TPoint P4, int Z) {
  const TPoint P[4] = {Calculate3DPosition(P1, Z), Calculate3DPosition(P2, Z),
                       Calculate3DPosition(P3, Z), Calculate3DPosition(P4, Z)};
  Polygon(P);
}

void TChartCanvas3D::PlaneFour3D(const TPoint (&Points)[4], int Z0, int Z1) {
  const TPoint P[4] = {Calculate3DPosition(Points[0], Z0), Calculate3DPosition(Points[1], Z0),
                       Calculate3DPosition(Points[2], Z1), Calculate3DPosition(Points[3], Z1)};
  Polygon(P);
}

void TChartCanvas3D::RectangleWithZ(const TRect& R, int Z) {
  PlaneWithZ({R.Left, R.Top}, {R.Right, R.Top}, {R.Right, R.Bottom}, {R.Left, R.Bottom}, Z);
}

void TChartCanvas3D::RectangleY(int Left, int Top, int Right, int Z0, int Z1) {
  const TPoint P[4] = {Calculate3DPosition(Left, Top, Z0), Calculate3DPosition(Right, Top, Z0),
                       Calculate3DPosition(Right, Top, Z1), Calculate3DPosition(Left, Top, Z1)};
  Polygon(P);
}

void TChartCanvas3D::RectangleZ(int Left, int Top, int Bottom, int Z0, int Z1) {
  const TPoint P[4] = {Calculate3DPosition(Left, Top, Z0), Calculate3DPosition(Left, Top, Z1),
                       Calculate3DPosition(Left, Bottom, Z1),
                       Calculate3DPosition(Left, Bottom, Z0)};
  Polygon(P);
}

void TChartCanvas3D::TriangleWithZ(TPoint P1, TPoint P2, TPoint P3, int Z) {
  const TPoint P[3] = {Calculate3DPosition(P1, Z), Calculate3DPosition(P2, Z),
                       Calculate3DPosition(P3, Z)};
  Polygon(P);
}

void TChartCanvas3D::ClipCube(const TRect& R, int MinZ, int MaxZ) {
  if (!FView.Is3D) {
    ClipRectangle({R.Left + 1, R.Top + 1, R.Right, R.Bottom - 1});
    return;
  }
  // The outline of the projected box is the hull of its eight corners.
  std::vector<TPoint> Corners;
  for (int Z : {MinZ, MaxZ})
    for (int X : {R.Left, R.Right})
      for (int Y : {R.Top, R.Bottom})
        Corners.push_back(LogicalToDevice(*FCanvas, Calculate3DPosition(X, Y, Z)));
  const std::vector<TPoint> Hull = ConvexHull(Corners);
  FCanvas->SelectClipPolygon(Hull, pfWinding);
}

void TChartCanvas3D::Cube(int Left, int Right, int Top, int Bottom, int Z0, int Z1,
                          bool DarkSides) {
  const TColor Color = FillColor();
  const TBrushData Saved = Brush()->Data();
  auto P = [this](int X, int Y, int Z) { return Calculate3DPosition(X, Y, Z); };
  const TPoint Front[4] = {P(Left, Top, Z0), P(Right, Top, Z0), P(Right, Bottom, Z0),
                           P(Left, Bottom, Z0)};
  Polygon(Front);
  const TPoint BackLeft = P(Left, Top, Z1);
  const int SideX = BackLeft.X < Front[0].X ? Left : Right;
  if (DarkSides) FillWith(ApplyDark(Color, DarkerColorQuantity));
  const TPoint Side[4] = {P(SideX, Top, Z0), P(SideX, Top, Z1), P(SideX, Bottom, Z1),
                          P(SideX, Bottom, Z0)};
  Polygon(Side);
  if (BackLeft.Y < Front[0].Y) {
    if (DarkSides) FillWith(ApplyDark(Color, DarkColorQuantity));
    const TPoint TopFace[4] = {P(Left, Top, Z0), P(Right, Top, Z0), P(Right, Top, Z1),
                               P(Left, Top, Z1)};
    Polygon(TopFace);
  }
  Brush()->SetData(Saved);
}

void TChartCanvas3D::Cylinder(bool Vertical, int Left, int Top, int Right, int Bottom, int Z0,
                              int Z1, bool DarkCover) {
  const TColor Color = FillColor();
  const TBrushData Saved = Brush()->Data();
  int CX, CY;
  RectCenter({Left, Top, Right, Bottom}, CX, CY);
  const int CZ = int((static_cast<long long>(Z0) + Z1) / 2);
  const double HD = (double(Z1) - Z0) / 2;
  TPoint Cover[16];
  int Coord[17], Depth[17];
  if (Vertical) {
    const double HW = (double(Right) - Left) / 2;
    const int Upper = std::min(Top, Bottom), Lower = std::max(Top, Bottom);
    for (int i = 1; i <= 16; ++i) {
      const double A = (i - 4) * Pi / 8;
      Coord[i] = CX + RoundInt(HW * std::sin(A));
      Depth[i] = CZ - RoundInt(HD * std::cos(A));
      Cover[i - 1] = Calculate3DPosition(Coord[i], Upper, Depth[i]);
    }
    int Drawn = 0;
    for (int i = 1; i < 16; ++i) {
      const TPoint A = Calculate3DPosition(Coord[i], Upper, Depth[i]);
      const TPoint B = Calculate3DPosition(Coord[i + 1], Upper, Depth[i + 1]);
      if (B.X <= A.X) continue;
      ++Drawn;
      if (DarkCover) FillWith(ApplyDark(Color, 16 * Drawn));
      const TPoint Band[4] = {A, B, Calculate3DPosition(Coord[i + 1], Lower, Depth[i + 1]),
                              Calculate3DPosition(Coord[i], Lower, Depth[i])};
      Polygon(Band);
    }
  } else {
    const double HH = (double(Bottom) - Top) / 2;
    const int RightEnd = std::max(Left, Right), LeftEnd = std::min(Left, Right);
    for (int i = 1; i <= 16; ++i) {
      const double A = (i + 5) * Pi / 8;
      Coord[i] = CY + RoundInt(HH * std::sin(A));
      Depth[i] = CZ - RoundInt(HD * std::cos(A));
      Cover[i - 1] = Calculate3DPosition(RightEnd, Coord[i], Depth[i]);
    }
    int Drawn = 0;
    for (int i = 1; i <= 13; ++i) {
      const TPoint A = Calculate3DPosition(RightEnd, Coord[i], Depth[i]);
      const TPoint B = Calculate3DPosition(RightEnd, Coord[i + 1], Depth[i + 1]);
      if (B.Y <= A.Y) continue;
      ++Drawn;
      if (DarkCover) FillWith(ApplyDark(Color, 16 * Drawn));
      const TPoint Band[4] = {A, B, Calculate3DPosition(LeftEnd, Coord[i + 1], Depth[i + 1]),
                              Calculate3DPosition(LeftEnd, Coord[i], Depth[i])};
      Polygon(Band);
    }
  }
  if (DarkCover)
    FillWith(ApplyDark(Color, DarkColorQuantity));
  else
    Brush()->SetData(Saved);
  Polygon(Cover);
  Brush()->SetData(Saved);
}

void TChartCanvas3D::Pyramid(bool Vertical, int Left, int Top, int Right, int Bottom, int Z0,
                             int Z1, bool DarkSides) {
  const TColor Color = FillColor();
  const TBrushData Saved = Brush()->Data();
  auto P = [this](int X, int Y, int Z) { return Calculate3DPosition(X, Y, Z); };
  auto Tri = [this](TPoint A, TPoint B, TPoint C) {
    const TPoint T[3] = {A, B, C};
    Polygon(T);
  };
  const int MZ = int((static_cast<long long>(Z0) + Z1) / 2);
  if (Vertical) {
    const TPoint Apex = P(int((static_cast<long long>(Left) + Right) / 2), Top, MZ);
    const TPoint FL = P(Left, Bottom, Z0), FR = P(Right, Bottom, Z0);
    const TPoint BL = P(Left, Bottom, Z1), BR = P(Right, Bottom, Z1);
    if (Bottom != Top) {
      Tri(FL, Apex, FR);
      if (Bottom > Top) {
        if (DarkSides) FillWith(ApplyDark(Color, DarkerColorQuantity));
        if (BL.X < FL.X)
          Tri(FL, Apex, BL);
        else
          Tri(FR, Apex, BR);
        if (BL.Y > FL.Y) Tri(BL, Apex, BR);
      }
    }
    if (Bottom <= Top) {
      if (DarkSides) FillWith(ApplyDark(Color, DarkColorQuantity));
      RectangleY(Left, Bottom, Right, Z0, Z1);
    }
  } else {
    const TPoint Apex = P(Right, int((static_cast<long long>(Top) + Bottom) / 2), MZ);
    const TPoint FT = P(Left, Top, Z0), FB = P(Left, Bottom, Z0);
    const TPoint BT = P(Left, Top, Z1), BB = P(Left, Bottom, Z1);
    if (Left != Right) {
      Tri(FT, Apex, FB);
      if (Right > Left) {
        if (DarkSides) FillWith(ApplyDark(Color, DarkColorQuantity));
        if (BT.Y < FT.Y)
          Tri(FT, Apex, BT);
        else
          Tri(FB, Apex, BB);
        if (BT.X < FT.X) Tri(BT, Apex, BB);
      }
    }
    if (Right <= Left) {
      if (DarkSides) FillWith(ApplyDark(Color, DarkColorQuantity));
      RectangleZ(Left, Top, Bottom, Z0, Z1);
    }
  }
  Brush()->SetData(Saved);
}

void TChartCanvas3D::EllipseWithZ(int Left, int Top, int Right, int Bottom, int Z) {
  if (FView.Orthogonal) {
    const TPoint A = Calculate3DPosition(Left, Top, Z), B = Calculate3DPosition(Right, Bottom, Z);
    FCanvas->Ellipse(A.X, A.Y, B.X, B.Y);
    return;
  }
  if (!FView.Is3D) {
    FCanvas->Ellipse(Left, Top, Right + 1, Bottom + 1);
    return;
  }
  int CX, CY;
  RectCenter({Left, Top, Right, Bottom}, CX, CY);
  const double HW = CX - Left, HH = CY - Top;
  TPoint Pts[32];
  Pts[0] = Calculate3DPosition(CX, Bottom, Z);
  for (int i = 1; i < 32; ++i)
    Pts[i] = Calculate3DPosition(CX + RoundInt(HW * std::sin(i * Pi / 10)),
                                 CY + RoundInt(HH * std::cos(i * Pi / 10)), Z);
  if (Brush()->Style() != bsClear) {
    const TPenData SavedPen = Pen()->Data();
    Pen()->SetStyle(psClear);
    const TPoint C = Calculate3DPosition(CX, CY, Z);
    for (int i = 0; i < 20; ++i) {
      const TPoint T[3] = {C, Pts[i], Pts[i + 1]};
      Polygon(T);
    }
    Pen()->SetData(SavedPen);
  }
  if (Pen()->Style() != psClear) FCanvas->Polyline(Pts);
}

void TChartCanvas3D::Pie3D(int XCenter, int YCenter, int XRadius, int YRadius, int Z0, int Z1,
                           double StartAngle, double EndAngle, bool DarkSides, bool DrawSides) {
  if (!std::isfinite(StartAngle) || !std::isfinite(EndAngle)) return;
  const TColor Color = FillColor();
  const TBrushData Saved = Brush()->Data();
  TPoint Front[32], Back[32];
  const double Step = (EndAngle - StartAngle) / 31;
  for (int i = 0; i < 32; ++i) {
    const double A = StartAngle + i * Step;
    const int X = XCenter + RoundInt(XRadius * std::cos(A));
    const int Y = YCenter - RoundInt(YRadius * std::sin(A));
    Front[i] = Calculate3DPosition(X, Y, Z0);
    Back[i] = Calculate3DPosition(X, Y, Z1);
  }
  const TPoint CF = Calculate3DPosition(XCenter, YCenter, Z0);
  const TPoint CB = Calculate3DPosition(XCenter, YCenter, Z1);
  // The pie is seen from above: the face is drawn at whichever depth projects higher on the
  // screen, and the rim hangs below it down to the other depth.
  const bool BackOnTop = CB.Y < CF.Y;
  const TPoint* Top = BackOnTop ? Back : Front;
  const TPoint* Low = BackOnTop ? Front : Back;
  std::vector<TPoint> Face{BackOnTop ? CB : CF};
  Face.insert(Face.end(), Top, Top + 32);
  // Which radial sides show follows from their orientation on the screen against the face's.
  const double Orientation = Area2(Face);
  if (DrawSides && Z1 != Z0) {
    if (DarkSides) FillWith(ApplyDark(Color, DarkerColorQuantity));
    const TPoint S0[4] = {CF, Front[0], Back[0], CB};
    if (Area2(S0) * Orientation > 0) Polygon(S0);
    const TPoint S1[4] = {CF, Front[31], Back[31], CB};
    if (Area2(S1) * Orientation < 0) Polygon(S1);
    Brush()->SetData(Saved);
  }
  if (Z1 != Z0) {
    if (DarkSides) FillWith(ApplyDark(Color, 32));
    // Only the near rim, where the arc runs rightwards on the screen, shows below the face; the
    // far rim lies behind it.
    for (int i = 0; i < 31; ++i) {
      if (Top[i + 1].X <= Top[i].X) continue;
      const TPoint B[4] = {Top[i], Top[i + 1], Low[i + 1], Low[i]};
      Polygon(B);
    }
    Brush()->SetData(Saved);
  }
  Polygon(Face);
  Brush()->SetData(Saved);
}

void TChartCanvas3D::Arrow(bool Filled, TPoint From, TPoint To, int HeadWidth, int HeadHeight,
                           int Z) {
  const double DX = double(To.X) - From.X, DY = double(To.Y) - From.Y;
  const double L = std::hypot(DX, DY);
  if (L == 0) return;
  const double UX = DX / L, UY = DY / L;
  const double Head = std::min<double>(RoundInt(L), HeadHeight);
  auto At = [&](double Along, double Across) {
    return Calculate3DPosition(ChartPixel(From.X + Along * UX - Across * UY),
                               ChartPixel(From.Y + Along * UY + Across * UX), Z);
  };
  const double HW = HeadWidth / 2.0, SW = HeadWidth / 4.0, Base = L - Head;
  if (Filled) {
    const TPoint P[7] = {At(0, -SW),   At(Base, -SW), At(Base, -HW), At(L, 0),
                         At(Base, HW), At(Base, SW),  At(0, SW)};
    Polygon(P);
    return;
  }
  LineWithZ(From.X, From.Y, To.X, To.Y, Z);
  const TPoint Tip = Calculate3DPosition(To, Z);
  for (double Side : {-HW, HW}) {
    const TPoint E = At(Base, Side);
    FCanvas->MoveTo(E.X, E.Y);
    FCanvas->LineTo(Tip.X, Tip.Y);
  }
}
