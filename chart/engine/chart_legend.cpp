#include "chart/engine/chart_legend.h"

#include <algorithm>
#include <cmath>

#include "chart/engine/canvas3d.h"
#include "chart/engine/chart.h"
#include "chart/engine/chart_exceptions.h"

using namespace ChartLegend;

TCustomChartLegend::TCustomChartLegend(TCustomChartPanel* Owner)
    : TChartFontObject(Owner),
      FBrush(std::make_unique<TChartBrush>([this](TGraphicsObject*) { Repaint(); })),
      FDividingLines(std::make_unique<TChartHiddenPen>([this](TGraphicsObject*) { Repaint(); })),
      FFrame(std::make_unique<TChartPen>([this](TGraphicsObject*) { Repaint(); })) {}

TCustomChartLegend::~TCustomChartLegend() = default;

template <class T>
void TCustomChartLegend::Set(T& Field, T Value) {
  if (Field == Value) return;
  Field = Value;
  Repaint();
}

void TCustomChartLegend::SetVisible(bool Value) { Set(FVisible, Value); }
void TCustomChartLegend::SetAlignment(TLegendAlignment Value) { Set(FAlignment, Value); }
void TCustomChartLegend::SetColor(TColor Value) { Set(FColor, Value); }

void TCustomChartLegend::SetColorWidth(int Value) {
  if (Value < 0 || Value > 100) throw LegendException(LegendMessages::ColorWidth);
  Set(FColorWidth, Value);
}

void TCustomChartLegend::SetFirstValue(int Value) {
  if (Value < 0) throw LegendException(LegendMessages::FirstValue);
  Set(FFirstValue, Value);
}

void TCustomChartLegend::SetHorizMargin(int Value) { Set(FHorizMargin, Value); }
void TCustomChartLegend::SetInverted(bool Value) { Set(FInverted, Value); }
void TCustomChartLegend::SetLegendStyle(TLegendStyle Value) { Set(FLegendStyle, Value); }
void TCustomChartLegend::SetMaxNumRows(int Value) { Set(FMaxNumRows, Value); }
void TCustomChartLegend::SetResizeChart(bool Value) { Set(FResizeChart, Value); }
void TCustomChartLegend::SetShadowColor(TColor Value) { Set(FShadowColor, Value); }
void TCustomChartLegend::SetShadowSize(int Value) { Set(FShadowSize, Value); }
void TCustomChartLegend::SetTextStyle(TLegendTextStyle Value) { Set(FTextStyle, Value); }

void TCustomChartLegend::SetTopPos(int Value) {
  if (Value < 0 || Value > 100) throw LegendException(LegendMessages::TopPos);
  Set(FTopPos, Value);
}

void TCustomChartLegend::SetVertMargin(int Value) { Set(FVertMargin, Value); }

void TCustomChartLegend::SetLegendBrush(TChartCanvas3D& C) const {
  if (FBrush->HasBitmap()) {
    C.Brush()->SetData(TBrushData{FColor, bsSolid, FBrush->BitmapImage()});
  } else if (FBrush->Style() != bsSolid) {
    // The hatch lines in the brush's colour over the legend's own.
    const TColor Lines = IsChartAuto(FBrush->Color()) ? clBlack : FBrush->Color();
    C.Brush()->SetData(TBrushData{Lines, FBrush->Style(), {}});
    C.SetBackMode(bmOpaque);
    C.SetBackColor(FColor);
  } else {
    C.Brush()->SetData(TBrushData{FColor, bsSolid, {}});
  }
}

int TCustomChartLegend::Clicked(int X, int Y) const { return FLayout.Clicked(X, Y); }

void TCustomChartLegend::Assign(const TCustomChartLegend& Source) {
  FVisible = Source.FVisible;
  FLegendStyle = Source.FLegendStyle;
  FFirstValue = Source.FFirstValue;
  FAlignment = Source.FAlignment;
  FTextStyle = Source.FTextStyle;
  FColorWidth = Source.FColorWidth;
  FHorizMargin = Source.FHorizMargin;
  FTopPos = Source.FTopPos;
  FInverted = Source.FInverted;
  FResizeChart = Source.FResizeChart;
  FVertMargin = Source.FVertMargin;
  FColor = Source.FColor;
  FFrame->Assign(*Source.FFrame);
  FMaxNumRows = Source.FMaxNumRows;
  FBrush->Assign(*Source.FBrush);
  FShadowColor = Source.FShadowColor;
  FShadowSize = Source.FShadowSize;
  TChartFontObject::Assign(Source);
}

namespace {
TCustomAxisPanel* AxisChart(TCustomChartPanel* P) { return dynamic_cast<TCustomAxisPanel*>(P); }

std::vector<TChartSeries*> LegendSeries(TCustomAxisPanel* C) {
  std::vector<TChartSeries*> R;
  if (!C) return R;
  for (int i = 0; i < C->SeriesCount(); ++i)
    if (C->GetSeries(i)->Active() && C->GetSeries(i)->ShowInLegend()) R.push_back(C->GetSeries(i));
  return R;
}

TChartSeries* FirstActive(TCustomAxisPanel* C) {
  if (!C) return nullptr;
  for (int i = 0; i < C->SeriesCount(); ++i)
    if (C->GetSeries(i)->Active()) return C->GetSeries(i);
  return nullptr;
}

}  // namespace

TLegendStyle TCustomChartLegend::EffectiveStyle() const {
  if (FLegendStyle != lsAuto) return FLegendStyle;
  TCustomAxisPanel* C = AxisChart(ParentChart());
  return C && C->SeriesCount() >= 2 ? lsSeries : lsValues;
}

int TCustomChartLegend::TotalLegendItems() const {
  TCustomAxisPanel* C = AxisChart(ParentChart());
  int N = 0;
  if (EffectiveStyle() == lsValues) {
    if (TChartSeries* S = FirstActive(C)) N = S->CountLegendItems();
  } else {
    N = int(LegendSeries(C).size());
  }
  return std::max(0, N - FFirstValue);
}

QString TCustomChartLegend::LegendText(int Index) const {
  QString Text = ItemText(Index);
  auto* Chart = dynamic_cast<TCustomChart*>(ParentChart());
  if (Chart && Chart->OnGetLegendText) Chart->OnGetLegendText(Chart, EffectiveStyle(), Index, Text);
  return Text;
}

QString TCustomChartLegend::ItemText(int Index) const {
  TCustomAxisPanel* C = AxisChart(ParentChart());
  if (EffectiveStyle() == lsValues) {
    TChartSeries* S = FirstActive(C);
    return S && Index >= 0 && Index < S->CountLegendItems()
               ? S->LegendString(S->MapValueIndex(Index), FTextStyle)
               : QString();
  }
  const std::vector<TChartSeries*> L = LegendSeries(C);
  if (Index < 0 || Index >= int(L.size())) return {};
  TChartSeries* S = L[size_t(Index)];
  if (EffectiveStyle() == lsLastValues)
    return S->Count() ? S->PointLegendString(S->Count() - 1, FTextStyle) : QString();
  if (!S->Title().isEmpty()) return S->Title();
  if (!S->Name().isEmpty()) return S->Name();
  return QStringLiteral("Series %1").arg(Index);
}

void TCustomChartLegend::DrawLegend() {
  TCustomAxisPanel* Chart = AxisChart(ParentChart());
  if (!Chart) return;
  TChartCanvas3D* C = Chart->Canvas3D();
  Chart->SetLegendColor(FColor);
  C->Font()->Assign(*Font());
  const int Total = TotalLegendItems();
  TLegendLayoutInput In;
  In.Alignment = FAlignment;
  In.ChartRect = Chart->ChartRect();
  In.ChartBounds = Chart->ChartBounds();
  In.ChartWidth = Chart->ChartWidth();
  In.ChartXCenter = Chart->ChartXCenter();
  In.TotalItems = Total;
  In.ItemHeight = C->FontHeight();
  In.MaxTextWidth = [&](int Count) {
    const int N = Count < 0 ? Total : std::min(Count, Total);
    int W = 0;
    for (int i = 0; i < N; ++i) W = std::max(W, C->TextWidth(LegendText(FFirstValue + i)));
    return W;
  };
  In.FrameVisible = FFrame->Visible();
  In.FrameWidth = FFrame->Width();
  In.ColorWidth = FColorWidth;
  In.TopPos = FTopPos;
  In.MaxNumRows = FMaxNumRows;
  In.ShadowSize = FShadowSize;
  FLayout = CalcLegendLayout(In);
  auto* Owner = dynamic_cast<TCustomChart*>(Chart);
  // The items follow the top of a rectangle the chart moved.
  if (Owner && Owner->OnGetLegendRect) Owner->OnGetLegendRect(Owner, FLayout.Rect);
  FRectLegend = FLayout.Rect;
  if (FLayout.ItemsShown <= 0 || Total <= 0) return;

  TRect R = FRectLegend;
  const int Fw = FFrame->Visible() ? FFrame->Width() : 0;
  const int Offset = FFrame->Visible() ? FShadowSize + Fw + (Fw - 1) / 2 : FShadowSize - 1;
  if (FFrame->Visible()) R = {R.Left - Fw, R.Top - Fw, R.Right + Fw, R.Bottom + Fw};
  if (FShadowSize > 0) {
    C->Pen()->SetStyle(psClear);
    C->Brush()->SetData(TBrushData{FShadowColor, bsSolid, {}});
    C->FillRect({R.Left + FShadowSize, R.Top + FShadowSize, R.Right + Offset, R.Bottom + Offset});
  }
  C->AssignVisiblePen(*FFrame);
  if (FFrame->Visible() && IsChartAuto(FFrame->Color())) C->Pen()->SetColor(clBlack);
  const TBackMode BackMode = C->GetBackMode();
  SetLegendBrush(*C);
  C->Rectangle(R.Left, R.Top, R.Right, R.Bottom);
  C->SetBackMode(BackMode);

  const int N = std::min(Total, FLayout.ItemsShown);
  const TLegendStyle Style = EffectiveStyle();
  const std::vector<TChartSeries*> Series = LegendSeries(Chart);
  TChartSeries* First = FirstActive(Chart);
  const int H = FLayout.ItemHeight;
  const bool Spread =
      Style == lsValues && First && First->LegendItemsAreAScale() && Total > N && N > 1;
  for (int k = 0; k < N; ++k) {
    const int Item =
        FFirstValue + (Spread ? int(std::llround(double(k) * (Total - 1) / (N - 1))) : k);
    const int Pos = FInverted ? N - 1 - k : k;
    TPoint P = FLayout.ItemPos(Pos);
    int XColor = P.X - 4 - FLayout.ColorWidthPx;
    if (Owner && Owner->OnGetLegendPos) Owner->OnGetLegendPos(Owner, Item, P.X, P.Y, XColor);
    C->Brush()->SetStyle(bsClear);
    C->TextOut(P.X, P.Y, LegendText(Item));
    // Each symbol starts from the legend's pen: a series may leave its own behind.
    C->Pen()->SetData(TPenData{FColor == clBlack ? clWhite : clBlack, 1, psSolid, pmCopy});
    const TRect Symbol{XColor, P.Y + 2, XColor + FLayout.ColorWidthPx, P.Y + H - 2};
    TChartSeries* ItemSeries = Style == lsValues           ? First
                               : Item < int(Series.size()) ? Series[size_t(Item)]
                                                           : nullptr;
    if (ItemSeries) {
      ItemSeries->DrawLegend(Style == lsValues ? ItemSeries->MapValueIndex(Item) : -1, Symbol);
    } else {
      C->Brush()->SetData(TBrushData{clWhite, bsSolid, {}});
      C->Rectangle(Symbol.Left, Symbol.Top, Symbol.Right, Symbol.Bottom);
    }
    if (k > 0 && FDividingLines->Visible()) {
      C->AssignVisiblePen(*FDividingLines);
      if (Vertical()) {
        C->MoveTo(FRectLegend.Left, P.Y);
        C->LineTo(FRectLegend.Right, P.Y);
      } else {
        const int X = P.X - 4 - FLayout.ColorWidthPx - 2;
        C->MoveTo(X, P.Y);
        C->LineTo(X, P.Y + H);
      }
    }
  }
  TRect CR = Chart->ChartRect();
  LegendShrinkChartRect(FLayout, FAlignment, CR, FResizeChart, FHorizMargin, FVertMargin,
                        FShadowSize);
  Chart->SetChartRect(CR);
  Chart->RecalcWidthHeight();
}
