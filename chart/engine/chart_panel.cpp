#include "chart/engine/chart_panel.h"

#include <algorithm>

#include <QGuiApplication>
#include <QResizeEvent>
#include <QScreen>

#include "chart/engine/chart_exceptions.h"
#include "platform/number_text.h"

bool ChartClipWhenPrinting = true;
bool ChartClipWhenMetafiling = true;
bool ChartEraseBackground = false;
bool ChartPrintPanelBackground = false;

void RegisterChartCursors() {
  if (!CursorRegistered(crChartHand))
    RegisterCursor(crChartHand, OwnCursor(QStringLiteral("CHART_CURSOR_HAND")));
}

bool ChartIdentToCursor(const QString& Ident, TCursor& Cursor) {
  if (Ident.compare(QStringLiteral("crChartHand"), Qt::CaseInsensitive) == 0) {
    Cursor = crChartHand;
    return true;
  }
  return IdentToCursor(Ident, Cursor);
}

QString ChartCursorToIdent(TCursor Cursor) {
  if (Cursor == crChartHand) return QStringLiteral("crChartHand");
  return CursorToIdent(Cursor);
}

// --- Small parts ---------------------------------------------------------------------------

void TZoomPanningRecord::Check() {
  if (X0 > X1) std::swap(X0, X1);
  if (Y0 > Y1) std::swap(Y0, Y1);
}

template <class T>
void TChartGradient::Store(T& Field, T Value) {
  if (Field == Value) return;
  Field = Value;
  if (FOwner) FOwner->Invalidate();
}

void TChartGradient::SetVisible(bool Value) { Store(FVisible, Value); }
void TChartGradient::SetDirection(TGradientDirection Value) { Store(FDirection, Value); }
void TChartGradient::SetStartColor(TColor Value) { Store(FStartColor, Value); }
void TChartGradient::SetEndColor(TColor Value) { Store(FEndColor, Value); }

void TChartGradient::Assign(const TChartGradient& Source) {
  FVisible = Source.FVisible;
  FDirection = Source.FDirection;
  FStartColor = Source.FStartColor;
  FEndColor = Source.FEndColor;
  if (FOwner) FOwner->Invalidate();
}

void SetChartDefaultFont(TFont& Font) {
  Font.SetName(QStringLiteral("Arial"));
  Font.SetSize(8);
  Font.SetColor(clBlack);
  Font.SetStyle({});
}

bool IsChartDefaultFont(const TFont& Font) {
  return Font.Size() == 8 && Font.Name() == QStringLiteral("Arial") && Font.Color() == clBlack &&
         Font.Style().Empty() && Font.Charset() == TFontData{}.Charset;
}

TChartFontObject::TChartFontObject(TCustomChartPanel* Owner)
    : FOwner(Owner), FFont(std::make_unique<TFont>()) {
  SetChartDefaultFont(*FFont);
  FFont->OnChange = [this](TGraphicsObject*) { Repaint(); };
}

void TChartFontObject::Repaint() {
  if (FOwner) FOwner->Invalidate();
}

// --- TCustomChartPanel -----------------------------------------------------------------------

TCustomChartPanel::TCustomChartPanel(QWidget* Parent)
    : TBackingControl(Parent),
      FCanvas3D(std::make_unique<TChartCanvas3D>()),
      FView3DOptions(std::make_unique<TView3DOptions>(this)) {
  resize(400, 250);
  SetFollowsPixelRatio(true);
  FCanvas3D->SetCanvas(Canvas());
  FCreated = true;
}

TCustomChartPanel::~TCustomChartPanel() = default;

int TCustomChartPanel::GetMargin(int Index) const { return FMargins[std::clamp(Index, 0, 3)]; }

void TCustomChartPanel::SetMargin(int Index, int Value) {
  int& M = FMargins[Index >= 0 && Index <= 2 ? Index : 3];
  if (M == Value) return;
  M = Value;
  Invalidate();
}

void TCustomChartPanel::SetChart3DPercent(int Value) {
  if (Value < 1 || Value > 100) throw ChartException(ChartMessages::Chart3DPercent(1, 100));
  if (FChart3DPercent == Value) return;
  FChart3DPercent = Value;
  Invalidate();
}

void TCustomChartPanel::SetView3D(bool Value) {
  if (FView3D == Value) return;
  FView3D = Value;
  Invalidate();
}

void TCustomChartPanel::SetPrintMargins(int Left, int Top, int Right, int Bottom) {
  FPrintMargins[0] = Left;
  FPrintMargins[1] = Top;
  FPrintMargins[2] = Right;
  FPrintMargins[3] = Bottom;
}

void TCustomChartPanel::SetBevelOuter(TPanelBevel Value) {
  if (FBevelOuter == Value) return;
  FBevelOuter = Value;
  Invalidate();
}

void TCustomChartPanel::SetBevelInner(TPanelBevel Value) {
  if (FBevelInner == Value) return;
  FBevelInner = Value;
  Invalidate();
}

void TCustomChartPanel::SetBevelWidth(int Value) {
  Value = std::max(Value, 1);
  if (FBevelWidth == Value) return;
  FBevelWidth = Value;
  Invalidate();
}

void TCustomChartPanel::SetBorderWidth(int Value) {
  Value = std::max(Value, 0);
  if (FBorderWidth == Value) return;
  FBorderWidth = Value;
  Invalidate();
}

void TCustomChartPanel::SetBorderStyle(TFormBorderStyle Value) {
  if (FBorderStyle == Value) return;
  FBorderStyle = Value;
  Invalidate();
}

void TCustomChartPanel::SetColor(TColor Value) {
  if (Value == Color()) return;
  FCanvas3D->Invalidate();
  TBackingControl::SetColor(Value);
}

void TCustomChartPanel::RecalcWidthHeight() {
  TRect& R = FChartRect;
  R.Left = std::max(R.Left, FChartBounds.Left);
  R.Top = std::max(R.Top, FChartBounds.Top);
  // A margin dragged to or past the opposite edge leaves a rectangle of one pixel, never an empty
  // or inverted one that the parts would divide by.
  if (R.Right <= R.Left) R.Right = R.Left + 1;
  if (R.Bottom <= R.Top) R.Bottom = R.Top + 1;
  FChartWidth = R.Right - R.Left;
  FChartHeight = R.Bottom - R.Top;
  RectCenter(R, FChartXCenter, FChartYCenter);
}

void TCustomChartPanel::Paint() {
  if (!Printing() && !FCanvas3D->ReDrawBitmap()) Draw(Canvas(), GetRectangle());
}

void TCustomChartPanel::Draw(TCanvas* UserCanvas, const TRect& UserRect) {
  if (!UserCanvas || UserRect.IsEmpty()) return;
  FChartBounds =
      FCanvas3D->InitWindow(UserCanvas, FView3DOptions.get(), Color(), FView3D, UserRect);
  int W, H;
  RectSize(FChartBounds, W, H);
  const int Edge = FBorderWidth + (FBorderStyle == bsNone ? 0 : 1);
  FChartRect = {FChartBounds.Left + Edge + MulDiv(FMargins[0], W, 100),
                FChartBounds.Top + Edge + MulDiv(FMargins[1], H, 100),
                FChartBounds.Right - Edge - MulDiv(FMargins[2], W, 100),
                FChartBounds.Bottom - Edge - MulDiv(FMargins[3], H, 100)};
  RecalcWidthHeight();
  InternalDraw(FChartRect);
  FCanvas3D->ShowImage(UserCanvas, Canvas(), UserRect);
}

void TCustomChartPanel::Invalidate() {
  if (!FCreated) return;
  FCanvas3D->Invalidate();
  FNeedsPaint = true;
  update();
}

void TCustomChartPanel::Repaint() {
  FCanvas3D->Invalidate();
  FNeedsPaint = false;
  Redraw();
}

void TCustomChartPanel::PaintBacking(TCanvas&) {
  // The canvas may have been bound to a print or picture canvas that is gone by now.
  FCanvas3D->SetCanvas(Canvas());
  if (BackingRect().IsEmpty()) return;
  Paint();
}

void TCustomChartPanel::paintEvent(QPaintEvent* Event) {
  if (FNeedsPaint || BackingStale()) {
    FNeedsPaint = false;
    FCanvas3D->Invalidate();
    SizeBacking();
    if (!Backing()->Empty()) PaintBacking(*Canvas());
  }
  TBackingControl::paintEvent(Event);
}

void TCustomChartPanel::leaveEvent(QEvent* Event) {
  SetControlCursor(this, FOriginalCursor);
  FPanning.Active = false;
  TBackingControl::leaveEvent(Event);
}

void TCustomChartPanel::DrawPanelBevels(const TRect& Rect) {
  TRect R = Rect;
  if (FBorderStyle != bsNone) {
    FCanvas3D->Frame3D(R, clWindowFrame, clWindowFrame, 1);
    R = {R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1};
  }
  auto Frame = [&](TPanelBevel Bevel) {
    if (Bevel == bvNone) return;
    FCanvas3D->Frame3D(R, Bevel == bvLowered ? clBtnShadow : clBtnHighlight,
                       Bevel == bvRaised ? clBtnShadow : clBtnHighlight, FBevelWidth);
    R = {R.Left + FBevelWidth, R.Top + FBevelWidth, R.Right - FBevelWidth, R.Bottom - FBevelWidth};
  };
  Frame(FBevelOuter);
  if (FBorderWidth > 0) {
    FCanvas3D->Frame3D(R, Color(), Color(), FBorderWidth);
    R = {R.Left + FBorderWidth, R.Top + FBorderWidth, R.Right - FBorderWidth,
         R.Bottom - FBorderWidth};
  }
  Frame(FBevelInner);
}

void TCustomChartPanel::AssignCanvasFont(TFont& Font) {
  Font.SetPixelsPerInch(FCanvas3D->Font()->PixelsPerInch());
  FCanvas3D->Font()->Assign(Font);
}

bool TCustomChartPanel::CanClip() const {
  if (FDevice.Printing) return ChartClipWhenPrinting;
  if (FDevice.Picture) return ChartClipWhenMetafiling;
  return true;
}

bool TCustomChartPanel::IsScreenHighColor() {
  const QScreen* S = QGuiApplication::primaryScreen();
  // One plane of the screen's depth.
  return S && S->depth() >= 15;
}

void TCustomChartPanel::SetBrushCanvas(TColor Color, TBrushStyle Style, TColor BackColor) {
  const bool Hatch = Style != bsSolid && Style != bsClear;
  if (Hatch && Color == BackColor) Color = ColorToRGB(BackColor) == clBlack ? clWhite : clBlack;
  TBrushData D = FCanvas3D->Brush()->Data();
  D.Color = Color;
  D.Style = Style;
  FCanvas3D->Brush()->SetData(D);
  if (Hatch) {
    FCanvas3D->SetBackMode(bmOpaque);
    FCanvas3D->SetBackColor(BackColor);
  } else if (Style == bsSolid) {
    FCanvas3D->SetBackMode(bmTransparent);
  }
}

int TCustomChartPanel::MultiLineTextWidth(const QString& Text, int& NumLines) {
  const QStringList Lines = Text.split(QChar(13));
  NumLines = int(Lines.size());
  int W = 0;
  for (const QString& L : Lines) W = std::max(W, FCanvas3D->TextWidth(L));
  return W;
}

void TCustomChartPanel::CheckPenWidth(TPen& Pen) const {
  if (Printing() && Pen.Style() != psClear && Pen.Width() == 1) Pen.SetWidth(0);
}

void TCustomChartPanel::DrawZoomRectangle() {
  TCanvas* C = Canvas();
  if (!C || Backing()->Empty()) return;
  const TPenData SavedPen = C->Pen()->Data();
  const TBrushData SavedBrush = C->Brush()->Data();
  TColor PenColor = ColorToRGB(Color());
  if (PenColor == clWhite) PenColor = clBlack;
  C->Pen()->SetData(TPenData{PenColor, 1, psSolid, pmNotXor});
  C->Brush()->SetStyle(bsClear);
  C->Rectangle(FZoom.X0, FZoom.Y0, FZoom.X1, FZoom.Y1);
  C->Pen()->SetData(SavedPen);
  C->Brush()->SetData(SavedBrush);
  update();
}

QString TCustomChartPanel::GetExportExtension(int Index) {
  switch (Index) {
    case 0:
      return QStringLiteral("BMP");
    case 1:
      return QStringLiteral("WMF");
    case 2:
      return QStringLiteral("EMF");
    case 3:
      return QStringLiteral("CHT");
    default:
      return {};
  }
}

void TCustomChartPanel::CheckAngle(int Angle, const std::string& Name) {
  // 360 is the full turn, drawn as 0: the editors' steps reach it and files hold it.
  if (Angle < 0 || Angle > 360) throw ChartException(ChartMessages::Angle(Name));
}

void TCustomChartPanel::Assign(const TCustomChartPanel& Source) {
  FCanvas3D->SetUseBuffer(Source.FCanvas3D->GetUseBuffer());
  FPrintProportional = Source.FPrintProportional;
  FPrintResolution = Source.FPrintResolution;
  std::copy(std::begin(Source.FMargins), std::end(Source.FMargins), std::begin(FMargins));
  FCanvas3D->SetMonochrome(Source.Monochrome());
  FView3D = Source.FView3D;
  FView3DOptions->Assign(*Source.FView3DOptions);
  FChart3DPercent = Source.FChart3DPercent;
  SetColor(Source.Color());
  Invalidate();
}

// --- TCustomChartPanelExtended ------------------------------------------------------------------

TCustomChartPanelExtended::TCustomChartPanelExtended(QWidget* Parent)
    : TCustomChartPanel(Parent), FGradient(std::make_unique<TChartGradient>(this)) {}

TCustomChartPanelExtended::~TCustomChartPanelExtended() = default;

void TCustomChartPanelExtended::SetBackImage(const TBitmap* Image) {
  if (!Image || Image->Empty()) {
    FBackImage.reset();
    FBackTiles = {};
  } else {
    if (!FBackImage) FBackImage = std::make_unique<TBitmap>();
    FBackImage->Assign(Image);
    FBackTiles = MakeTiledBlock(FBackImage->Image());
  }
  Invalidate();
}

void TCustomChartPanelExtended::SetBackImageMode(TPanelBackImageMode Value) {
  if (FBackImageMode == Value) return;
  FBackImageMode = Value;
  Invalidate();
}

void TCustomChartPanelExtended::DrawBackImage3D(TRect R, int Z) {
  if (!FBackImage || FBackImage->Empty()) return;
  TChartCanvas3D* C = Canvas3D();
  if (!(Z == 0 || !View3D() || C->IsOrthogonal())) return;
  auto Project = [&] {
    const TPoint A = C->Calculate3DPosition(R.Left, R.Top, Z);
    const TPoint B = C->Calculate3DPosition(R.Right, R.Bottom, Z);
    R = {A.X, A.Y, B.X, B.Y};
  };
  if (FBackImageMode == pbmStretch) {
    if (Z > 0) {
      if (!View3D()) ++R.Bottom;
      Project();
    }
    C->StretchDraw(R, FBackImage.get());
    return;
  }
  const bool Clip = CanClip();
  if (Clip) {
    if (Z > 0)
      C->ClipCube(R, 0, Z);
    else
      C->ClipRectangle(R);
  }
  if (Z > 0) Project();
  const int W = FBackImage->Width(), H = FBackImage->Height();
  if (FBackImageMode == pbmTile) {
    if (TCanvas* Target = C->GetHandle()) DrawTiled(*Target, R, FBackTiles, W, H);
  } else {
    C->Draw(R.Left + (R.Width() - W) / 2, R.Top + (R.Height() - H) / 2, FBackImage.get());
  }
  if (Clip) C->UnClipRectangle();
}

void TCustomChartPanelExtended::FillPanelRect(const TRect& R) {
  TChartCanvas3D* C = Canvas3D();
  if (FGradient->Visible()) {
    const TGradientDirection D = FGradient->Direction();
    if (D == gdTopBottom || D == gdLeftRight)
      C->GradientFill(R, FGradient->StartColor(), FGradient->EndColor(), D);
    else
      C->GradientFill(R, FGradient->EndColor(), FGradient->StartColor(), D);
  } else if (!Printing() || ChartPrintPanelBackground) {
    C->Brush()->SetData(TBrushData{Color(), bsSolid, {}});
    C->EraseBackground(R);
  }
}

void TCustomChartPanelExtended::PanelPaint(const TRect& R) {
  FillPanelRect(R);
  DrawBackImage(R);
  if (!Printing() || ChartPrintPanelBackground) {
    TChartCanvas3D* C = Canvas3D();
    C->Pen()->SetData(TPenData{C->Pen()->Color(), 1, psSolid, pmCopy});
    C->Brush()->SetStyle(bsClear);
    DrawPanelBevels(R);
  }
}

void TCustomChartPanelExtended::UndoZoom() {
  if (OnUndoZoom) OnUndoZoom(this);
  Invalidate();
  FZoomed = false;
}

void TCustomChartPanelExtended::SetAnimatedZoomSteps(int Value) {
  FAnimatedZoomSteps = std::clamp(Value, 0, MaxAnimatedZoomSteps);
}

void TCustomChartPanelExtended::Assign(const TCustomChartPanelExtended& Source) {
  SetBackImage(Source.FBackImage.get());
  FBackImageMode = Source.FBackImageMode;
  FGradient->Assign(*Source.FGradient);
  FAllowPanning = Source.FAllowPanning;
  FAllowZoom = Source.FAllowZoom;
  FAnimatedZoom = Source.FAnimatedZoom;
  FAnimatedZoomSteps = Source.FAnimatedZoomSteps;
  TCustomChartPanel::Assign(Source);
}
