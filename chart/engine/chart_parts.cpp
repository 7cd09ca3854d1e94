#include "chart/engine/chart_parts.h"

#include <algorithm>

#include "chart/engine/chart.h"

// --- TChartWall --------------------------------------------------------------------------------

TChartWall::TChartWall(TCustomChart* Owner, TColor DefaultColor)
    : FOwner(Owner),
      FBrush(std::make_unique<TChartBrush>([this](TGraphicsObject*) { Repaint(); })),
      FPen(std::make_unique<TChartPen>([this](TGraphicsObject*) { Repaint(); })),
      FColor(DefaultColor),
      FDefaultColor(DefaultColor) {}

void TChartWall::Repaint() {
  if (FOwner) FOwner->Invalidate();
}

void TChartWall::SetColor(TColor Value) {
  if (FColor == Value) return;
  FColor = Value;
  Repaint();
}

void TChartWall::SetDark3D(bool Value) {
  if (FDark3D == Value) return;
  FDark3D = Value;
  Repaint();
}

void TChartWall::SetSize(int Value) {
  if (FSize == Value) return;
  FSize = Value;
  Repaint();
}

void TChartWall::Assign(const TChartWall& Source) {
  FBrush->Assign(*Source.FBrush);
  FColor = Source.FColor;
  FDark3D = Source.FDark3D;
  FPen->Assign(*Source.FPen);
  FSize = Source.FSize;
  Repaint();
}

// --- TChartTitle -------------------------------------------------------------------------------

TChartTitle::TChartTitle(TCustomChart* Owner)
    : TChartFontObject(Owner),
      FChart(Owner),
      FBrush(std::make_unique<TChartBrush>([this](TGraphicsObject*) { Repaint(); })),
      FFrame(std::make_unique<TChartHiddenPen>([this](TGraphicsObject*) { Repaint(); })) {
  const auto Handler = Font()->OnChange;
  Font()->OnChange = nullptr;
  Font()->SetColor(clBlue);
  Font()->OnChange = Handler;
  // No fill of its own until a colour is given.
  FBrush->SetData(TBrushData{clChartAuto, bsSolid, {}});
}

void TChartTitle::SetText(const QStringList& Value) {
  if (FText == Value) return;
  FText = Value;
  Repaint();
}

void TChartTitle::AddLine(const QString& Line) {
  FText.append(Line);
  Repaint();
}

void TChartTitle::SetVisible(bool Value) {
  if (FVisible == Value) return;
  FVisible = Value;
  Repaint();
}

void TChartTitle::SetAlignment(TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  Repaint();
}

void TChartTitle::SetAdjustFrame(bool Value) {
  if (FAdjustFrame == Value) return;
  FAdjustFrame = Value;
  Repaint();
}

void TChartTitle::SetColor(TColor Value) {
  if (FColor == Value) return;
  FColor = Value;
  Repaint();
}

bool TChartTitle::IsFontStored() const {
  const TFont& F = *Font();
  TFont Default;
  SetChartDefaultFont(Default);
  return F.Name() != Default.Name() || F.Size() != Default.Size() || F.Color() != clBlue ||
         !F.Style().Empty();
}

bool TChartTitle::Clicked(int X, int Y) const {
  const TRect& R = FTitleRect;
  return FVisible && X >= R.Left && X < R.Right && Y >= R.Top && Y < R.Bottom;
}

void TChartTitle::DrawTitle(bool IsTitle) {
  if (!FChart || FText.isEmpty()) return;
  TChartCanvas3D* C = FChart->Canvas3D();
  FChart->AssignCanvasFont(*Font());
  const int H = C->FontHeight();
  // The background: an explicit colour fills (or backs a hatch); the automatic colour leaves the
  // title's own brush, or nothing.
  const TBrushStyle Style = FBrush->Style();
  const bool Hatch = Style != bsSolid && Style != bsClear;
  const TColor BrushColor = FBrush->Color();
  if (IsChartAuto(FColor)) {
    if (Hatch) {
      C->Brush()->Assign(*FBrush);
      C->SetBackMode(bmTransparent);
    } else if (Style == bsSolid && !IsChartAuto(BrushColor) && BrushColor != clNone) {
      C->Brush()->SetData(TBrushData{BrushColor, bsSolid, {}});
    } else {
      C->Brush()->SetStyle(bsClear);
    }
  } else if (FColor == clNone) {
    C->Brush()->SetStyle(bsClear);
  } else if (Hatch) {
    C->Brush()->Assign(*FBrush);
    C->SetBackMode(bmOpaque);
    C->SetBackColor(FColor);
  } else {
    C->Brush()->SetData(TBrushData{FColor, bsSolid, {}});
  }
  const bool FrameShown = FFrame->Visible() && !IsChartAuto(FFrame->Color());
  const int FW = FrameShown ? FFrame->Width() : 0;
  const TRect CR = FChart->ChartRect();
  const int Lines = int(FText.size());
  TRect R{CR.Left + FW, 0, CR.Right - FW, 0};
  if (IsTitle) {
    R.Top = CR.Top + FW;
    R.Bottom = R.Top + Lines * H;
  } else {
    R.Bottom = CR.Bottom - FW;
    R.Top = R.Bottom - Lines * H;
  }
  R = {R.Left - FW, R.Top - FW, R.Right + FW, R.Bottom + FW};
  const int WW = C->TextWidth(QStringLiteral("W"));
  if (FrameShown || C->Brush()->Style() != bsClear) {
    if (FAdjustFrame) {
      int Widest = 0;
      for (const QString& L : FText) Widest = std::max(Widest, C->TextWidth(L));
      const int W = Widest + WW;
      if (FAlignment == taLeftJustify) {
        R.Right = R.Left + W;
      } else if (FAlignment == taRightJustify) {
        R.Left = R.Right - W;
      } else {
        const int Centre = int((static_cast<long long>(R.Left) + R.Right) / 2);
        R.Left = Centre - W / 2;
        R.Right = R.Left + W;
      }
    }
    if (FrameShown)
      C->AssignVisiblePen(*FFrame);
    else
      C->Pen()->SetStyle(psClear);
    C->Rectangle(R.Left, R.Top, R.Right, R.Bottom);
  }
  FTitleRect = R;
  C->Brush()->SetStyle(bsClear);
  C->SetBackMode(bmTransparent);
  C->SetTextAlign(TA_LEFT | TA_TOP);
  const int Top = IsTitle ? R.Top + FW : R.Bottom - FW - Lines * H;
  for (int i = 0; i < Lines; ++i) {
    const QString& L = FText[i];
    const int TW = C->TextWidth(L);
    int X;
    if (FAlignment == taLeftJustify)
      X = R.Left + WW / 2;
    else if (FAlignment == taRightJustify)
      X = R.Right - TW - WW / 2;
    else
      X = int((static_cast<long long>(R.Left) + R.Right) / 2) - TW / 2;
    C->TextOut(X, Top + i * H, L);
  }
  TRect NewRect = FChart->ChartRect();
  if (IsTitle)
    NewRect.Top = Top + Lines * H + FW + 5;
  else
    NewRect.Bottom = Top - FW - 5;
  FChart->SetChartRect(NewRect);
  FChart->RecalcWidthHeight();
}

void TChartTitle::Assign(const TChartTitle& Source) {
  FAlignment = Source.FAlignment;
  FAdjustFrame = Source.FAdjustFrame;
  FBrush->Assign(*Source.FBrush);
  FColor = Source.FColor;
  FFrame->Assign(*Source.FFrame);
  FText = Source.FText;
  FVisible = Source.FVisible;
  TChartFontObject::Assign(Source);
}
