// The room an axis takes beside the plot: its ticks, labels and title, where each goes, and the
// label style and sizes that decide it.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "chart/engine/axis_panel.h"
#include "chart/engine/canvas3d.h"
#include "chart/engine/chart_axis.h"
#include "chart/engine/chart_utils.h"
#include "chart/engine/projection.h"

void TChartAxisTitle::SetCaption(const QString& Value) {
  if (FCaption == Value) return;
  FCaption = Value;
  Repaint();
}

void TChartAxisTitle::SetAngle(int Value) {
  TCustomChartPanel::CheckAngle(Value, "Axis Title");
  if (FAngle == Value) return;
  FAngle = Value;
  Repaint();
}

int TChartAxis::DefaultTitleAngle() const {
  if (FHorizontal || FDepth) return 0;
  return FOtherSide ? 270 : 90;
}

void TChartAxis::SetLabelsAngle(int Value) {
  TCustomChartPanel::CheckAngle(Value, "Axis Labels");
  if (FLabelsAngle == Value) return;
  FLabelsAngle = Value;
  if (FChart) FChart->Invalidate();
}

void TChartAxis::SetLabelsMultiLine(bool Value) {
  if (FLabelsMultiLine == Value) return;
  FLabelsMultiLine = Value;
  if (FChart) FChart->Invalidate();
}

void TChartAxis::SetLabelsSize(int Value) {
  if (FLabelsSize == Value) return;
  FLabelsSize = std::max(0, Value);
  if (FChart) FChart->Invalidate();
}

void TChartAxis::SetTitleSize(int Value) {
  if (FTitleSize == Value) return;
  FTitleSize = std::max(0, Value);
  if (FChart) FChart->Invalidate();
}

int TChartAxis::Outwards() const {
  return FOtherSide ? (FHorizontal ? -1 : 1) : (FHorizontal ? 1 : -1);
}

bool HasAxisLabels(const TChartSeries& S) {
  // Points added without a label hold an empty one.
  return !S.Labels().empty() && !S.Labels().front().isEmpty();
}

TAxisLabelStyle TChartAxis::CalcLabelStyle() const {
  if (FLabelStyle != talAuto) return FLabelStyle;
  if (!FChart) return talValue;
  if (FDepth) {
    // Series titles at their depths, unless a series spreads over depth values of its own.
    for (int i = 0; i < FChart->SeriesCount(); ++i) {
      const TChartSeries* S = FChart->GetSeries(i);
      if (S->Active() && S->MaxZValue() != S->MinZValue()) return talValue;
    }
    return talText;
  }
  bool Used = false;
  for (int i = 0; i < FChart->SeriesCount(); ++i) {
    const TChartSeries* S = FChart->GetSeries(i);
    if (!S->Active() || !S->AssociatedToAxis(this)) continue;
    Used = true;
    const bool ShowsOrder = FHorizontal ? S->YMandatory() : !S->YMandatory();
    if (HasAxisLabels(*S) && ShowsOrder) return talText;
  }
  return Used ? talValue : talNone;
}

namespace {
int LineCount(const QString& Text) { return int(Text.count(QLatin1Char('\n'))) + 1; }

int WidestLine(TChartCanvas3D& C, const QString& Text) {
  int W = 0;
  for (const QString& L : Text.split(QLatin1Char('\n'))) W = std::max(W, C.TextWidth(L));
  return W;
}
}  // namespace

int TChartAxis::MaxLabelsWidth() {
  if (!FChart) return 0;
  TChartCanvas3D& C = *FChart->Canvas3D();
  C.Font()->Assign(*LabelsFont());
  switch (CalcLabelStyle()) {
    case talValue: {
      if (!(FIMaximum >= FIMinimum)) return 0;
      const bool Was = FNoLabelEvent;
      FNoLabelEvent = true;
      double First = FIMinimum, Last = FIMaximum;
      if (!FLogarithmic) {
        const double Step = CalcIncrement(C.FontHeight());
        const bool Round = FRoundFirstLabel || (FExactDateTime && IsDateTime());
        First = AxisFirstLabel(FIMinimum, Step, Round);
        Last = AxisFirstLabel(FIMaximum, Step, Round);
      }
      const int W = std::max(WidestLine(C, LabelValue(First)), WidestLine(C, LabelValue(Last)));
      FNoLabelEvent = Was;
      return W + C.TextWidth(QStringLiteral(" "));
    }
    case talMark:
      return FChart->MaxMarkWidth();
    case talText: {
      if (!FDepth) return FChart->MaxTextWidth();
      // Measured without the label event, as value labels are.
      const bool Was = FNoLabelEvent;
      FNoLabelEvent = true;
      int W = 0;
      for (const auto& L : DepthTextLabels()) W = std::max(W, WidestLine(C, L.Text));
      FNoLabelEvent = Was;
      return W;
    }
    default:
      return 0;
  }
}

int TChartAxis::TickRoom() const {
  int Room = FAxisPen->Visible() ? FAxisPen->Width() : 0;
  if (FTicks->Visible()) Room += FTickLength;
  if (FMinorTicks->Visible()) Room = std::max(Room, FMinorTickLength);
  return std::max(0, Room);
}

int TChartAxis::LabelRoom() {
  if (FLabelsSize > 0) return FLabelsSize;
  if (!FChart) return 0;
  // Across the axis a turned label takes part of its width and part of its height: its width
  // alone across a horizontal axis at 90 and 270 degrees and a vertical one at 0 and 180.
  const double A = (FLabelsAngle % 360) * std::numbers::pi / 180;
  const double WidthPart = std::fabs(FHorizontal ? std::sin(A) : std::cos(A)),
               HeightPart = std::fabs(FHorizontal ? std::cos(A) : std::sin(A));
  const int W = WidthPart > 1e-9 ? MaxLabelsWidth() : 0;
  TChartCanvas3D& C = *FChart->Canvas3D();
  C.Font()->Assign(*LabelsFont());
  return int(std::lround(W * WidthPart + C.FontHeight() * (HeightPart > 1e-9 ? HeightPart : 0)));
}

int TChartAxis::TitleRoom() {
  if (FTitleSize > 0) return FTitleSize;
  if (!FChart) return 0;
  TChartCanvas3D& C = *FChart->Canvas3D();
  C.Font()->Assign(*FTitle->Font());
  const int A = FTitle->Angle() % 180;
  const bool Across = FHorizontal ? A != 0 : A != 90;
  return Across ? WidestLine(C, FTitle->Caption()) : C.FontHeight() * LineCount(FTitle->Caption());
}

void TChartAxis::CalcRect(TRect& R, bool Shrink, int Extra) {
  const int Out = Outwards();
  const int Ticks = TickRoom() + std::max(0, Extra);
  const int Labels = FLabels && CalcLabelStyle() != talNone ? LabelRoom() : 0;
  const int Title = FTitle->Caption().isEmpty() ? 0 : TitleRoom();
  if (Shrink) {
    // Never past the opposite edge: a huge font leaves an empty plot, not an inverted one.
    const int Avail = std::max(0, FHorizontal ? R.Bottom - R.Top : R.Right - R.Left);
    const int Total = int(std::min<long long>(Avail, 0LL + Ticks + Labels + Title));
    if (FHorizontal)
      (FOtherSide ? R.Top : R.Bottom) += FOtherSide ? Total : -Total;
    else
      (FOtherSide ? R.Right : R.Left) += FOtherSide ? -Total : Total;
  }
  const int Size = FHorizontal ? R.Bottom - R.Top : R.Right - R.Left;
  const int Shift = ChartPixel(0.01 * FPositionPercent * Size);
  const int Edge = FHorizontal ? (FOtherSide ? R.Top : R.Bottom) : (FOtherSide ? R.Right : R.Left);
  FPosAxis = Edge - Out * Shift;
  FPosLabels = FPosAxis + Out * Ticks;
  FPosTitle = FPosLabels + Out * Labels;
}

void TChartAxis::AdjustMaxMinRect(const TRect& Margins) {
  const int Before = FHorizontal ? Margins.Left : Margins.Top;
  const int After = FHorizontal ? Margins.Right : Margins.Bottom;
  const int Start = FIStartPos, End = FIEndPos;
  if (Before < 0 || After < 0 || 0LL + End - Start - Before - After < 1) return;
  FIStartPos = Start + Before;
  FIEndPos = End - After;
  const double A = CalcPosPoint(Start), B = CalcPosPoint(End);
  FIStartPos = Start;
  FIEndPos = End;
  if (!std::isfinite(A) || !std::isfinite(B)) return;
  FIMinimum = std::min(A, B);
  FIMaximum = std::max(A, B);
}
