#pragma once
// The control under every chart: it owns the 3D canvas and the view settings, turns its client
// rectangle into the chart rectangle through margins, paints through the canvas's off-screen
// bitmap into its backing image, prints, and writes its picture as a bitmap or a metafile, to a
// file or to the clipboard. The extended panel adds the background gradient, the back image and
// the zoom and panning settings.
#include <functional>
#include <memory>
#include <string>

#include <QString>

#include "chart/engine/canvas3d.h"
#include "chart/engine/view3d_options.h"
#include "platform/backing_control.h"
#include "platform/cursors.h"
#include "platform/form.h"
#include "platform/paint_context.h"
#include "platform/text_file.h"
#include "platform/tiled_image.h"

class TCustomChartPanel;

// Library-wide switches.
extern bool ChartClipWhenPrinting;
extern bool ChartClipWhenMetafiling;
extern bool ChartEraseBackground;
extern bool ChartPrintPanelBackground;

inline constexpr TCursor crChartHand = 2020;
// Registers the hand cursor under its number (RegisterChartClasses calls it).
void RegisterChartCursors();
// "crChartHand" and 2020 convert both ways; every other name or number goes to the platform.
bool ChartIdentToCursor(const QString& Ident, TCursor& Cursor);
QString ChartCursorToIdent(TCursor Cursor);

class TZoomPanningRecord {
 public:
  bool Active = false;
  int X0 = 0, Y0 = 0, X1 = 0, Y1 = 0;
  void Activate(int X, int Y) {
    X0 = X1 = X;
    Y0 = Y1 = Y;
    Active = true;
  }
  // Orders the corners: X0 <= X1, Y0 <= Y1.
  void Check();
};

class TChartGradient {
 public:
  explicit TChartGradient(TCustomChartPanel* Owner = nullptr) : FOwner(Owner) {}
  bool Visible() const { return FVisible; }
  TGradientDirection Direction() const { return FDirection; }
  TColor StartColor() const { return FStartColor; }
  TColor EndColor() const { return FEndColor; }
  void SetVisible(bool Value);
  void SetDirection(TGradientDirection Value);
  void SetStartColor(TColor Value);
  void SetEndColor(TColor Value);
  void Assign(const TChartGradient& Source);

 private:
  template <class T>
  void Store(T& Field, T Value);
  TCustomChartPanel* FOwner;
  bool FVisible = false;
  TGradientDirection FDirection = gdTopBottom;
  TColor FStartColor = clWhite;
  TColor FEndColor = clYellow;
};

// The chart's default font: "Arial", 8 points, black, no style.
void SetChartDefaultFont(TFont& Font);
bool IsChartDefaultFont(const TFont& Font);

// Base of the chart parts that carry a font (titles, legend, axis titles); a change of the font
// repaints the owner.
class TChartFontObject {
 public:
  explicit TChartFontObject(TCustomChartPanel* Owner);
  TChartFontObject(const TChartFontObject&) = delete;
  TChartFontObject& operator=(const TChartFontObject&) = delete;
  virtual ~TChartFontObject() = default;
  TFont* Font() const { return FFont.get(); }
  TCustomChartPanel* ParentChart() const { return FOwner; }
  // Whether the font is written with the chart: only when it differs from the default.
  virtual bool IsFontStored() const { return !IsChartDefaultFont(*FFont); }
  void Assign(const TChartFontObject& Source) { FFont->Assign(*Source.FFont); }

 protected:
  void Repaint();

 private:
  TCustomChartPanel* FOwner;
  std::unique_ptr<TFont> FFont;
};

class TCustomChartPanel : public TBackingControl {
  Q_OBJECT

 public:
  explicit TCustomChartPanel(QWidget* Parent = nullptr);
  ~TCustomChartPanel() override;

  QString Name() const { return objectName(); }
  void SetName(const QString& Value) { setObjectName(Value); }
  int Width() const { return width(); }
  int Height() const { return height(); }
  // How the window that holds the panel places it; kept with the panel's settings.
  TAlign Align() const { return FAlign; }
  void SetAlign(TAlign Value) { FAlign = Value; }

  TChartCanvas3D* Canvas3D() const { return FCanvas3D.get(); }
  TView3DOptions* View3DOptions() const { return FView3DOptions.get(); }
  TZoomPanningRecord& Zoom() { return FZoom; }
  TZoomPanningRecord& Panning() { return FPanning; }

  int GetMargin(int Index) const;
  void SetMargin(int Index, int Value);
  int MarginLeft() const { return FMargins[0]; }
  int MarginTop() const { return FMargins[1]; }
  int MarginRight() const { return FMargins[2]; }
  int MarginBottom() const { return FMargins[3]; }
  void SetMarginLeft(int V) { SetMargin(0, V); }
  void SetMarginTop(int V) { SetMargin(1, V); }
  void SetMarginRight(int V) { SetMargin(2, V); }
  void SetMarginBottom(int V) { SetMargin(3, V); }

  int Chart3DPercent() const { return FChart3DPercent; }
  // 1..100; otherwise ChartException and the old value stays.
  void SetChart3DPercent(int Value);
  bool View3D() const { return FView3D; }
  void SetView3D(bool Value);
  bool Monochrome() const { return FCanvas3D->GetMonochrome(); }
  void SetMonochrome(bool Value) { FCanvas3D->SetMonochrome(Value); }
  bool PrintProportional() const { return FPrintProportional; }
  void SetPrintProportional(bool Value) { FPrintProportional = Value; }
  int PrintResolution() const { return FPrintResolution; }
  void SetPrintResolution(int Value) { FPrintResolution = Value; }
  int PrintMargins(int Index) const { return FPrintMargins[Index & 3]; }
  void SetPrintMargins(int Left, int Top, int Right, int Bottom);
  TRect PrintMarginsRect() const {
    return {FPrintMargins[0], FPrintMargins[1], FPrintMargins[2], FPrintMargins[3]};
  }

  // The panel's frame.
  TPanelBevel BevelOuter() const { return FBevelOuter; }
  TPanelBevel BevelInner() const { return FBevelInner; }
  int BevelWidth() const { return FBevelWidth; }
  int BorderWidth() const { return FBorderWidth; }
  void SetBevelOuter(TPanelBevel Value);
  void SetBevelInner(TPanelBevel Value);
  void SetBevelWidth(int Value);
  void SetBorderWidth(int Value);
  // bsNone, or bsSingle: a one-pixel window frame round the panel, inside which the bevels and
  // the chart lie (the larger styles count as single).
  TFormBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle Value);
  void SetColor(TColor Value);

  bool Printing() const { return FDevice.Printing; }
  // The device of the draw in progress: the screen's image outside a print or a picture.
  const TPaintTraits& Device() const { return FDevice; }
  const TRect& ChartBounds() const { return FChartBounds; }
  TRect ChartRect() const { return FChartRect; }
  int ChartWidth() const { return FChartWidth; }
  int ChartHeight() const { return FChartHeight; }
  int ChartXCenter() const { return FChartXCenter; }
  int ChartYCenter() const { return FChartYCenter; }
  // The chart parts take their room from the chart rectangle while they draw.
  void SetChartRect(const TRect& R) { FChartRect = R; }
  void RecalcWidthHeight();

  // Painting.
  void Paint();
  virtual void Draw(TCanvas* UserCanvas, const TRect& UserRect);
  // Marks the picture stale and schedules a repaint.
  virtual void Invalidate();
  // Draws the picture now (into the backing image) and schedules showing it.
  void Repaint();
  virtual void CanvasChanged() { Invalidate(); }
  virtual void DrawPanelBevels(const TRect& R);
  // Font takes the canvas font's resolution, then the canvas font becomes Font.
  virtual void AssignCanvasFont(TFont& Font);
  // In the backing image's pixels, which follow the screen's pixel ratio.
  virtual TRect GetRectangle() const { return BackingRect(); }
  // The panel at one pixel per control pixel, the size of its metafiles and printed drawing.
  TRect ClientRect() const { return {0, 0, width(), height()}; }
  bool CanClip() const;
  static bool IsScreenHighColor();
  void SetBrushCanvas(TColor Color, TBrushStyle Style, TColor BackColor);
  int MultiLineTextWidth(const QString& Text, int& NumLines);
  void CheckPenWidth(TPen& Pen) const;
  void DrawZoomRectangle();
  static QString GetExportExtension(int Index);
  // 0..360; otherwise ChartException naming the angle.
  static void CheckAngle(int Angle, const std::string& Name);

  // Pictures. The file writers answer false with a reason in Error when the file could not be
  // written.
  std::unique_ptr<TBitmap> CreateBitmap(TColor BackColor, const TRect& R);
  // The chart drawn as a print at its print extents (the panel's size widened by the detail
  // setting), for a page that takes it as a picture stretched onto its print rectangle.
  std::unique_ptr<TBitmap> CreatePrintBitmap(TColor BackColor);
  TFileStatus SaveToBitmapFile(const QString& FileName);
  void CopyToClipboardBitmap();
  QByteArray MetafileData(bool Enhanced, const TRect& R);
  TFileStatus SaveToMetafile(const QString& FileName);
  TFileStatus SaveToMetafileEnh(const QString& FileName);
  TFileStatus SaveToMetafileRect(bool Enhanced, const QString& FileName, const TRect& R);
  void CopyToClipboardMetafile(bool Enhanced);
  void DrawToMetaCanvas(TCanvas* Canvas, const TRect& R);

  // Printing. Print and PrintRect raise ChartException when the job fails; the job is aborted.
  TRect ProportionalPrintMargins(int PageWidth, int PageHeight, int DpiX, int DpiY) const;
  TRect GetPrintRect(int PageWidth, int PageHeight, int DpiX, int DpiY);
  TRect GetPrintRect();
  // The window extent (the logical drawing size) for Rect on the page; Rect becomes logical.
  TCanvasMapping CalcPrintExtents(TRect& R) const;
  void PrintPartialCanvas(TCanvas* Canvas, TRect R);
  void PrintPartial(const TRect& R);
  void PrintRect(const TRect& R);
  void Print();

  void Assign(const TCustomChartPanel& Source);

 protected:
  virtual void InternalDraw(const TRect& R) = 0;
  void PaintBacking(TCanvas& Canvas) override;
  void paintEvent(QPaintEvent* Event) override;
  void leaveEvent(QEvent* Event) override;

  TCursor FOriginalCursor = crDefault;
  bool FCreated = false;

 private:
  std::unique_ptr<TChartCanvas3D> FCanvas3D;
  std::unique_ptr<TView3DOptions> FView3DOptions;
  TZoomPanningRecord FZoom, FPanning;
  int FMargins[4] = {3, 4, 3, 4};
  int FChart3DPercent = 15;
  bool FView3D = true;
  bool FPrintProportional = true;
  int FPrintResolution = 0;
  int FPrintMargins[4] = {15, 15, 15, 15};
  TPanelBevel FBevelOuter = bvRaised;
  TPanelBevel FBevelInner = bvNone;
  int FBevelWidth = 1;
  int FBorderWidth = 0;
  TFormBorderStyle FBorderStyle = bsNone;
  TAlign FAlign = alNone;
  TPaintTraits FDevice;
  bool FNeedsPaint = true;
  TCanvas* FJobCanvas = nullptr;  // the page of the running print job
  TRect FChartBounds, FChartRect;
  int FChartWidth = 0, FChartHeight = 0, FChartXCenter = 0, FChartYCenter = 0;
};

enum TPanelBackImageMode { pbmStretch, pbmTile, pbmCenter };
enum TPanningMode { pmNone, pmHorizontal, pmVertical, pmBoth };

class TCustomChartPanelExtended : public TCustomChartPanel {
  Q_OBJECT

 public:
  explicit TCustomChartPanelExtended(QWidget* Parent = nullptr);
  ~TCustomChartPanelExtended() override;

  TChartGradient* Gradient() const { return FGradient.get(); }
  // The back image; null or empty when there is none. Setting it repaints.
  const TBitmap* BackImage() const { return FBackImage.get(); }
  void SetBackImage(const TBitmap* Image);
  TPanelBackImageMode BackImageMode() const { return FBackImageMode; }
  void SetBackImageMode(TPanelBackImageMode Value);
  bool AnimatedZoom() const { return FAnimatedZoom; }
  void SetAnimatedZoom(bool Value) { FAnimatedZoom = Value; }
  // Each step repaints at once, so their number is held to MaxAnimatedZoomSteps (0 at least).
  static constexpr int MaxAnimatedZoomSteps = 100;
  int AnimatedZoomSteps() const { return FAnimatedZoomSteps; }
  void SetAnimatedZoomSteps(int Value);
  bool AllowZoom() const { return FAllowZoom; }
  void SetAllowZoom(bool Value) { FAllowZoom = Value; }
  TPanningMode AllowPanning() const { return FAllowPanning; }
  void SetAllowPanning(TPanningMode Value) { FAllowPanning = Value; }
  bool Zoomed() const { return FZoomed; }
  void SetZoomed(bool Value) { FZoomed = Value; }

  virtual void DrawBackImage(const TRect& R) { DrawBackImage3D(R, 0); }
  void DrawBackImage3D(TRect R, int Z);
  virtual void FillPanelRect(const TRect& R);
  virtual void PanelPaint(const TRect& R);
  virtual void UndoZoom();

  void Assign(const TCustomChartPanelExtended& Source);

  std::function<void(TCustomChartPanel*)> OnUndoZoom;
  std::function<void(TCustomChartPanel*)> OnZoom;
  std::function<void(TCustomChartPanel*)> OnScroll;

 private:
  std::unique_ptr<TChartGradient> FGradient;
  std::unique_ptr<TBitmap> FBackImage;
  TTiledBlock FBackTiles;  // the back image repeated, made when it is set
  TPanelBackImageMode FBackImageMode = pbmStretch;
  bool FAnimatedZoom = false;
  int FAnimatedZoomSteps = 8;
  bool FAllowZoom = true;
  TPanningMode FAllowPanning = pmBoth;
  bool FZoomed = false;
};
