// The drawing of an axis: its line, ticks, grid lines and labels.
#include <algorithm>
#include <cmath>
#include <numbers>

#include <QStringList>

#include "chart/engine/axis_panel.h"
#include "chart/engine/canvas3d.h"
#include "chart/engine/chart_axis.h"
#include "platform/canvas.h"

void TChartAxis::Pens() {
  auto Repaint = [this](TGraphicsObject*) {
    if (FChart) FChart->Invalidate();
  };
  FAxisPen = std::make_unique<TChartAxisPen>(Repaint);
  FGrid = std::make_unique<TDottedGrayPen>(Repaint);
  FTicks = std::make_unique<TDarkGrayPen>(Repaint);
  FTicksInner = std::make_unique<TDarkGrayPen>(Repaint);
  FMinorTicks = std::make_unique<TDarkGrayPen>(Repaint);
  FTitle = std::make_unique<TChartAxisTitle>(FChart);
  FTitle->SetAngle(DefaultTitleAngle());
  FLabelsFont = std::make_unique<TChartFontObject>(FChart);
}

bool TChartAxis::EventLabelValues(std::vector<double>& Values) {
  if (!FChart || !FChart->OnGetNextAxisLabel) return false;
  for (int i = 0; i < MaxAxisLabels; ++i) {
    double V = std::nan("");
    bool Stop = false;
    FChart->OnGetNextAxisLabel(this, i, V, Stop);
    // Unanswered at the first label: the axis keeps its own labels.
    if (i == 0 && std::isnan(V)) return false;
    if (Stop || !std::isfinite(V)) break;
    Values.push_back(V);
  }
  return true;
}

void TChartAxis::TextLabels(bool Marks, std::vector<std::pair<double, QString>>& Labels) {
  if (!FChart) return;
  std::vector<TChartSeries*> List;
  int First = -1, Last = -1;
  for (int i = 0; i < FChart->SeriesCount(); ++i) {
    TChartSeries* S = FChart->GetSeries(i);
    if (!S->Active() || !S->AssociatedToAxis(this) || !HasAxisLabels(*S)) continue;
    S->CalcFirstLastVisibleIndex();
    if (S->FirstValueIndex() < 0) continue;
    List.push_back(S);
    First = First < 0 ? S->FirstValueIndex() : std::min(First, S->FirstValueIndex());
    Last = std::max(Last, S->LastValueIndex());
  }
  for (int i = std::max(0, First); i <= Last && First >= 0; ++i) {
    for (TChartSeries* S : List) {
      if (i >= S->Count() || i >= int(S->Labels().size()) || S->Labels()[size_t(i)].isEmpty())
        continue;
      QString Text = Marks ? S->GetMarkText(i) : S->Labels()[size_t(i)];
      if (FChart->OnGetAxisLabel) FChart->OnGetAxisLabel(this, S, i, Text);
      if (FLabelsMultiLine) Text.replace(QLatin1Char(' '), QLatin1Char('\n'));
      const double V = FHorizontal ? S->XValue(i) : S->YValue(i);
      if (std::isfinite(V) && V >= FIMinimum && V <= FIMaximum) Labels.emplace_back(V, Text);
      break;
    }
  }
}

std::vector<TChartAxis::TLabelAt> TChartAxis::DepthTextLabels() const {
  std::vector<TLabelAt> Labels;
  if (!FChart) return Labels;
  for (int i = 0; i < FChart->SeriesCount(); ++i) {
    TChartSeries* S = FChart->GetSeries(i);
    if (!S->Active()) continue;
    QString Text = !S->Title().isEmpty()  ? S->Title()
                   : !S->Name().isEmpty() ? S->Name()
                                          : QStringLiteral("Series %1").arg(i);
    if (FChart->OnGetAxisLabel && !FNoLabelEvent) FChart->OnGetAxisLabel(this, S, -1, Text);
    if (FLabelsMultiLine) Text.replace(QLatin1Char(' '), QLatin1Char('\n'));
    // The depth layout puts the first z order at the back: each label goes where its series
    // lies, whatever the axis' own range says.
    Labels.push_back({S->MiddleZ(), Text});
  }
  return Labels;
}

void TChartAxis::DrawLabel(TChartCanvas3D& C, int P, const QString& Text, int Z) {
  const QStringList Lines = Text.split(QLatin1Char('\n'));
  const int H = C.FontHeight();
  // Z below 0 writes flat, otherwise in 3D at that depth.
  auto Write = [&](int X, int Y, const QString& T) {
    if (Z < 0)
      C.TextOut(X, Y, T);
    else
      C.TextOut3D(X, Y, Z, T);
  };
  const int N = int(Lines.size());
  if (FDepth) {
    // Left-aligned beside the floor's right edge, at the label's depth.
    C.SetTextAlign(TA_LEFT | TA_TOP);
    for (int k = 0; k < N; ++k)
      C.TextOut3D(FPosLabels, FChart->ChartRect().Bottom - N * H / 2 + k * H, P, Lines[k]);
    return;
  }
  if (FLabelsAngle != 0) {
    // The turned text's box lies in the labels' band beyond the label position, centred on the
    // tick. The text turns about its top left corner, which is placed to put the box there.
    const double A = (FLabelsAngle % 360) * std::numbers::pi / 180, Cos = std::cos(A),
                 Sin = std::sin(A);
    double W = 0;
    for (const QString& L : Lines) W = std::max(W, double(C.TextWidth(L)));
    const double Hb = double(H) * N;
    const double HalfX = (W * std::fabs(Cos) + Hb * std::fabs(Sin)) / 2,
                 HalfY = (W * std::fabs(Sin) + Hb * std::fabs(Cos)) / 2;
    // The box's centre seen from the corner, on the screen (y down).
    const double CX = (W * Cos + Hb * Sin) / 2, CY = (Hb * Cos - W * Sin) / 2;
    const double Out = Outwards();
    const double DX = FHorizontal ? P : FPosLabels + Out * HalfX;
    const double DY = FHorizontal ? FPosLabels + Out * HalfY : P;
    C.SetTextAlign(TA_LEFT | TA_TOP);
    const int X = int(std::lround(DX - CX)), Y = int(std::lround(DY - CY));
    if (Z < 0)
      C.RotateLabel(X, Y, Text, FLabelsAngle);
    else
      C.RotateLabel3D(X, Y, Z, Text, FLabelsAngle);
    C.SetTextAlign(TA_LEFT | TA_TOP);
    return;
  }
  for (int k = 0; k < N; ++k) {
    if (FHorizontal) {
      C.SetTextAlign((FLabelsInward ? TA_RIGHT : TA_CENTER) | TA_TOP);
      // The top axis stacks its lines upwards from the label position.
      const int Y = FOtherSide ? FPosLabels - (N - k) * H : FPosLabels + k * H;
      Write(P, Y, Lines[k]);
    } else {
      C.SetTextAlign((FOtherSide ? TA_LEFT : TA_RIGHT) | TA_TOP);
      Write(FPosLabels, (FLabelsInward ? P : P - N * H / 2) + k * H, Lines[k]);
    }
  }
  C.SetTextAlign(TA_LEFT | TA_TOP);
}

bool TChartAxis::LabelKeptOut(TChartCanvas3D& C, int P, const QString& Text) const {
  if (!FKeepOut || FKeepOut->empty() || FDepth || FLabelsAngle != 0) return false;
  // The box that DrawLabel fills, a space wider at each end (texts on one line a space apart
  // would read as one) and a pixel higher.
  const QStringList Lines = Text.split(QLatin1Char('\n'));
  const int H = C.FontHeight(), N = int(Lines.size());
  int W = 0;
  for (const QString& L : Lines) W = std::max(W, C.TextWidth(L));
  const int Left = FHorizontal ? (FLabelsInward ? P - W : P - W / 2)
                               : (FOtherSide ? FPosLabels : FPosLabels - W);
  const int Top = FHorizontal ? (FOtherSide ? FPosLabels - N * H : FPosLabels)
                              : (FLabelsInward ? P : P - N * H / 2);
  const int Space = std::max(1, C.TextWidth(QStringLiteral(" ")));
  const TRect R{Left - Space, Top - 1, Left + W + Space, Top + N * H + 1};
  return std::any_of(FKeepOut->begin(), FKeepOut->end(), [&R](const TRect& K) {
    return K.Left < R.Right && R.Left < K.Right && K.Top < R.Bottom && R.Top < K.Bottom;
  });
}

void TChartAxis::DrawTitle(TChartCanvas3D& C) {
  const QString Caption = FTitle->Caption();
  if (Caption.isEmpty()) return;
  const int Room = TitleRoom();
  C.Font()->Assign(*FTitle->Font());
  if (C.GetMonochrome() && C.Font()->Color() == clWhite) C.Font()->SetColor(clBlack);
  if (FDepth) {
    // Beyond the labels, at the right edge of the room the axis took, halfway into the depth.
    if (!FChart) return;
    C.Brush()->SetStyle(bsClear);
    C.SetTextAlign(TA_LEFT | TA_TOP);
    const int Y = FChart->ChartRect().Bottom - C.FontHeight() / 2;
    C.RotateLabel3D(FPosTitle, Y, FChart->Width3D() / 2, Caption, FTitle->Angle() % 360);
    return;
  }
  const int Outer = FPosTitle + Outwards() * Room;
  // The text's top faces up at 0 degrees, left at 90, down at 180 and right at 270: it hangs
  // from the edge of its band on that side.
  const int A = FTitle->Angle() % 360;
  const int Mid = (FIStartPos + FIEndPos) / 2;
  int Edge;
  if (FHorizontal)
    Edge = A == 180 ? std::max(FPosTitle, Outer) : std::min(FPosTitle, Outer);
  else
    Edge = A == 270 ? std::max(FPosTitle, Outer) : std::min(FPosTitle, Outer);
  C.Brush()->SetStyle(bsClear);
  C.SetTextAlign(TA_CENTER | TA_TOP);
  if (FHorizontal)
    C.RotateLabel(Mid, Edge, Caption, A);
  else
    C.RotateLabel(Edge, Mid, Caption, A);
  C.SetTextAlign(TA_LEFT | TA_TOP);
}

void TChartAxis::Draw(TChartCanvas3D& C, const TRect& Plot) {
  // Outwards from the plot: down for the bottom axis, up for the top, left for the left one and
  // right for the right one.
  const int Out = Outwards();
  const bool In3D = FChart && FChart->View3D();
  const int W3 = In3D ? FChart->Width3D() : 0;
  // The left and bottom axes stand at the front, the right and top ones at the back.
  const int Z = FOtherSide && !FDepth ? W3 : 0;
  auto Line = [&](int X0, int Y0, int Z0, int X1, int Y1, int Z1) {
    if (In3D) {
      C.MoveTo3D(X0, Y0, Z0);
      C.LineTo3D(X1, Y1, Z1);
    } else {
      C.MoveTo(X0, Y0);
      C.LineTo(X1, Y1);
    }
  };
  // A line across the axis at Along; on the depth axis Along is the depth and the line runs
  // outwards from the plot's bottom right edge.
  auto Across = [&](int Along, int From, int To) {
    if (FDepth)
      Line(From, Plot.Bottom, Along, To, Plot.Bottom, Along);
    else if (FHorizontal)
      Line(Along, From, Z, Along, To, Z);
    else
      Line(From, Along, Z, To, Along, Z);
  };
  auto GridLine = [&](int G) {
    if (FDepth) {
      // Across the floor and up the left wall at its depth.
      Line(Plot.Left, Plot.Bottom, G, Plot.Right, Plot.Bottom, G);
      Line(Plot.Left, Plot.Top, G, Plot.Left, Plot.Bottom, G);
      return;
    }
    const int From = FHorizontal ? Plot.Top : Plot.Left;
    const int To = FHorizontal ? Plot.Bottom : Plot.Right;
    if (FHorizontal)
      Line(G, From, W3, G, To, W3);
    else
      Line(From, G, W3, To, G, W3);
    // In depth along the floor (bottom axis) or the left wall (left axis) up to the back, when
    // the axes lie behind the series.
    if (In3D && !FOtherSide && ChartAxisBehind) {
      if (FHorizontal)
        Line(G, Plot.Bottom, 0, G, Plot.Bottom, W3);
      else
        Line(Plot.Left, G, 0, Plot.Left, G, W3);
    }
  };
  if (FAxisPen->Visible()) {
    C.AssignVisiblePen(*FAxisPen);
    if (FDepth)
      Line(FPosAxis, Plot.Bottom, FIStartPos, FPosAxis, Plot.Bottom, FIEndPos);
    else if (FHorizontal)
      Line(FIStartPos, FPosAxis, Z, FIEndPos, FPosAxis, Z);
    else
      Line(FPosAxis, FIStartPos, Z, FPosAxis, FIEndPos, Z);
  }
  if (!(FIMaximum >= FIMinimum)) {
    DrawTitle(C);
    return;
  }
  C.Font()->Assign(*LabelsFont());
  // White text would vanish on a monochrome chart.
  if (C.GetMonochrome() && C.Font()->Color() == clWhite) C.Font()->SetColor(clBlack);
  const TAxisLabelStyle Style = CalcLabelStyle();
  std::vector<TLabelAt> Labels;
  const bool ByText = Style == talText || Style == talMark;
  if (ByText && FDepth) {
    Labels = DepthTextLabels();
  } else if (ByText) {
    std::vector<std::pair<double, QString>> Texts;
    TextLabels(Style == talMark, Texts);
    for (const auto& [V, Text] : Texts) {
      int P;
      if (ValueToPixel(V, P)) Labels.push_back({P, Text});
    }
  } else if (Style == talValue) {
    std::vector<double> Values;
    if (!EventLabelValues(Values)) {
      Values = LabelValues(
          std::max(LabelSpan(C, LabelValue(FIMinimum)), LabelSpan(C, LabelValue(FIMaximum))));
    }
    for (double V : Values) {
      int P;
      if (ValueToPixel(V, P)) Labels.push_back({P, FLabels ? LabelValue(V) : QString()});
    }
  }
  const int AxisLow = std::min(FIStartPos, FIEndPos), AxisHigh = std::max(FIStartPos, FIEndPos);
  int Previous = 0;
  bool HasPrevious = false;
  // The span of the last text label drawn, for skipping labels that would overlap it.
  bool HasText = false;
  int TextLow = 0, TextHigh = 0;
  C.Brush()->SetStyle(bsClear);
  for (const auto& [P, Text] : Labels) {
    if (FLabelsOnAxis && (P < AxisLow || P > AxisHigh)) continue;
    bool Shown = true;
    if (ByText && FLabelsSeparation > 0) {
      const int Size = LabelSpan(C, Text);
      const int Half = (Size + Size * FLabelsSeparation / 100) / 2;
      const int Low = std::min(P - Half, P + Half), High = std::max(P - Half, P + Half);
      if (HasText && Low < TextHigh && High > TextLow) {
        Shown = false;
      } else {
        TextLow = Low;
        TextHigh = High;
        HasText = true;
      }
    }
    // A label left out keeps its place as a tick position unless ticks go with the labels only.
    if (!Shown && FTickOnLabelsOnly) continue;
    if (FTicks->Visible()) {
      C.AssignVisiblePen(*FTicks);
      Across(P, FPosAxis, FPosAxis + Out * FTickLength);
    }
    if (FGrid->Visible() && !FHideGrid) {
      const bool Draw = !FGridCentered || HasPrevious;
      const int G = FGridCentered && HasPrevious ? (P + Previous) / 2 : P;
      if (Draw) {
        C.AssignVisiblePen(*FGrid);
        GridLine(G);
      }
    }
    if (FTicksInner->Visible() && FTickInnerLength > 0) {
      C.AssignVisiblePen(*FTicksInner);
      Across(P, FPosAxis, FPosAxis - Out * FTickInnerLength);
    }
    if (HasPrevious && !FLogarithmic && FMinorTicks->Visible() && FMinorTickCount > 0) {
      C.AssignVisiblePen(*FMinorTicks);
      for (int k = 1; k <= FMinorTickCount; ++k) {
        const int M = Previous + int(std::lround(double(P - Previous) * k / (FMinorTickCount + 1)));
        Across(M, FPosAxis, FPosAxis + Out * FMinorTickLength);
      }
    }
    if (Shown && FLabels && !Text.isEmpty() && !LabelKeptOut(C, P, Text))
      DrawLabel(C, P, Text, In3D ? Z : -1);
    Previous = P;
    HasPrevious = true;
  }
  DrawTitle(C);
}

void TChartAxis::CustomDraw(TChartCanvas3D& C, const TRect& Plot, int PosLabels, int PosTitle,
                            int PosAxis, bool GridVisible, double Min, double Max,
                            double Increment) {
  CustomDrawStartEnd(C, Plot, PosLabels, PosTitle, PosAxis, GridVisible, Min, Max, Increment,
                     FIStartPos, FIEndPos);
}

void TChartAxis::CustomDrawStartEnd(TChartCanvas3D& C, const TRect& Plot, int PosLabels,
                                    int PosTitle, int PosAxis, bool GridVisible, double Min,
                                    double Max, double Increment, int Start, int End,
                                    bool LabelsInward, const std::vector<TRect>* KeepOut) {
  if (!std::isfinite(Min) || !std::isfinite(Max)) return;
  const double SavedMin = FIMinimum, SavedMax = FIMaximum, SavedIncrement = FIncrement;
  const int SavedStart = FIStartPos, SavedEnd = FIEndPos, SavedAxis = FPosAxis,
            SavedLabels = FPosLabels, SavedTitle = FPosTitle;
  const bool SavedHide = FHideGrid, SavedInward = FLabelsInward;
  FIMinimum = std::min(Min, Max);
  FIMaximum = std::max(Min, Max);
  if (Increment >= 0 && std::isfinite(Increment)) FIncrement = Increment;
  FIStartPos = Start;
  FIEndPos = End;
  FPosAxis = PosAxis;
  FPosLabels = PosLabels;
  FPosTitle = PosTitle;
  FHideGrid = !GridVisible;
  FLabelsInward = LabelsInward;
  FKeepOut = KeepOut;
  Draw(C, Plot);
  FKeepOut = nullptr;
  FIMinimum = SavedMin;
  FIMaximum = SavedMax;
  FIncrement = SavedIncrement;
  FIStartPos = SavedStart;
  FIEndPos = SavedEnd;
  FPosAxis = SavedAxis;
  FPosLabels = SavedLabels;
  FPosTitle = SavedTitle;
  FHideGrid = SavedHide;
  FLabelsInward = SavedInward;
}
