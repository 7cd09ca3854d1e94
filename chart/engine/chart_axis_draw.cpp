// The drawing of an axis: its line, ticks, grid lines and labels.
#include <algorithm>
#include <climits>
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

TPoint TChartAxis::Seen(TChartCanvas3D& C, int X, int Y, int Z) const {
  if (FChart && FChart->View3D()) return C.Calculate3DPosition(X, Y, Z);
  return {X, Y};
}

void TChartAxis::DrawnTextSize(TChartCanvas3D& C, const QString& Text, bool In3D, double& W,
                               double& H) const {
  W = 0;
  const QStringList Lines = Text.split(QLatin1Char('\n'));
  for (const QString& L : Lines)
    W = std::max(W, double(In3D ? C.TextExtent3D(L).cx : C.TextWidth(L)));
  H = double(In3D ? C.TextExtent3D(QStringLiteral("W")).cy : C.FontHeight()) * Lines.size();
}

namespace {
// The box a turned text fills on the screen, and where its centre lies from the corner it turns
// about (y down).
struct TTurnedBox {
  double Width, Height, CenterX, CenterY;
};
TTurnedBox TurnedBox(double W, double H, int Angle) {
  const double A = (Angle % 360) * std::numbers::pi / 180, Cos = std::cos(A), Sin = std::sin(A);
  return {W * std::fabs(Cos) + H * std::fabs(Sin), W * std::fabs(Sin) + H * std::fabs(Cos),
          (W * Cos + H * Sin) / 2, (H * Cos - W * Sin) / 2};
}
TRect BoxAt(double Left, double Top, double W, double H) {
  return {int(std::lround(Left)), int(std::lround(Top)), int(std::lround(Left + W)),
          int(std::lround(Top + H))};
}
}  // namespace

int TChartAxis::SeenLabelSpan(TChartCanvas3D& C, const QString& First, const QString& Last) const {
  const bool In3D = FChart && FChart->View3D();
  const int Z = FOtherSide && !FDepth && In3D ? FChart->Width3D() : 0;
  auto OnAxis = [&](int Along) {
    if (FDepth) return Seen(C, FPosAxis, FChart ? FChart->ChartRect().Bottom : 0, Along);
    return FHorizontal ? Seen(C, Along, FPosAxis, Z) : Seen(C, FPosAxis, Along, Z);
  };
  const TPoint A = OnAxis(FIStartPos), B = OnAxis(FIEndPos);
  const double DX = std::fabs(double(B.X) - A.X), DY = std::fabs(double(B.Y) - A.Y),
               Length = std::hypot(DX, DY);
  if (Length < 1) return INT_MAX;
  // Two boxes along the line stand clear of each other once they are apart by their width
  // across the screen or by their height down it, whichever comes first.
  double Span = 0;
  for (const QString& T : {First, Last}) {
    double W, H;
    DrawnTextSize(C, T, In3D, W, H);
    const TTurnedBox Box = TurnedBox(W, H, FDepth ? 0 : FLabelsAngle);
    const double Across = DX > 1e-9 ? Box.Width * Length / DX : HUGE_VAL,
                 Down = DY > 1e-9 ? Box.Height * Length / DY : HUGE_VAL;
    Span = std::max(Span, std::min(Across, Down));
  }
  const double Own = Span * std::abs(double(FIEndPos) - FIStartPos) / Length;
  return Own >= INT_MAX ? INT_MAX : int(std::lround(Own));
}

TChartAxis::TLabelPlace TChartAxis::PlaceLabel(TChartCanvas3D& C, int P, const QString& Text,
                                               int Z) {
  const bool In3D = Z >= 0;
  const int N = int(Text.count(QLatin1Char('\n'))) + 1, H = C.FontHeight();
  double W, Hb;
  DrawnTextSize(C, Text, In3D, W, Hb);
  if (FDepth) {
    const TPoint S = Seen(C, FPosLabels, FChart->ChartRect().Bottom - N * H / 2, P);
    return {BoxAt(S.X, S.Y, W, Hb), S};
  }
  const int Depth = std::max(0, Z);
  if (FLabelsAngle == 0) {
    if (FHorizontal) {
      const TPoint S = Seen(C, P, FOtherSide ? FPosLabels - N * H : FPosLabels, Depth);
      return {BoxAt(FLabelsInward ? S.X - W : S.X - W / 2, S.Y, W, Hb), S};
    }
    const TPoint S = Seen(C, FPosLabels, FLabelsInward ? P : P - N * H / 2, Depth);
    return {BoxAt(FOtherSide ? S.X : S.X - W, S.Y, W, Hb), S};
  }
  // A turned label is laid out on the screen, where the view has put the axis: its box lies
  // beyond the tick, on the far side of the axis line from the plot, and as far from the line
  // as the label position is; along the line it is centred on the tick.
  const TTurnedBox Box = TurnedBox(W, Hb, FLabelsAngle);
  auto OnAxis = [&](int Along, int Across) {
    return FHorizontal ? Seen(C, Along, Across, Depth) : Seen(C, Across, Along, Depth);
  };
  const TPoint Tick = OnAxis(P, FPosAxis), Label = OnAxis(P, FPosLabels),
               From = OnAxis(FIStartPos, FPosAxis), To = OnAxis(FIEndPos, FPosAxis);
  double UX = double(To.X) - From.X, UY = double(To.Y) - From.Y;
  const double Length = std::hypot(UX, UY);
  if (Length < 1e-9) {
    UX = FHorizontal ? 1 : 0;
    UY = FHorizontal ? 0 : 1;
  } else {
    UX /= Length;
    UY /= Length;
  }
  double NX = -UY, NY = UX;
  double Gap = NX * (Label.X - Tick.X) + NY * (Label.Y - Tick.Y);
  double Side = Gap;
  if (std::fabs(Side) < 0.5 && FChart) {
    // The ticks are seen end-on: the side away from the middle of the plot.
    const TRect R = FChart->ChartRect();
    const TPoint M =
        Seen(C, (R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2, In3D ? FChart->Width3D() / 2 : 0);
    Side = -(NX * (M.X - Tick.X) + NY * (M.Y - Tick.Y));
  }
  if (std::fabs(Side) < 0.5) Side = FHorizontal ? NY * Outwards() : NX * Outwards();
  if (Side < 0) {
    NX = -NX;
    NY = -NY;
    Gap = -Gap;
  }
  const double Off =
      std::max(0.0, Gap) + (Box.Width * std::fabs(NX) + Box.Height * std::fabs(NY)) / 2;
  const double MX = Tick.X + NX * Off, MY = Tick.Y + NY * Off;
  return {BoxAt(MX - Box.Width / 2, MY - Box.Height / 2, Box.Width, Box.Height),
          {int(std::lround(MX - Box.CenterX)), int(std::lround(MY - Box.CenterY))}};
}

void TChartAxis::DrawLabel(TChartCanvas3D& C, int P, const QString& Text, int Z,
                           const TLabelPlace& Place) {
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
    C.SetTextAlign(TA_LEFT | TA_TOP);
    C.RotateLabel(Place.Corner.X, Place.Corner.Y, Text, FLabelsAngle);
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

void TChartAxis::Draw(TChartCanvas3D& C, const TRect& Plot, TAxisPass Pass) {
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
  if (Pass != apTexts && FAxisPen->Visible()) {
    C.AssignVisiblePen(*FAxisPen);
    if (FDepth)
      Line(FPosAxis, Plot.Bottom, FIStartPos, FPosAxis, Plot.Bottom, FIEndPos);
    else if (FHorizontal)
      Line(FIStartPos, FPosAxis, Z, FIEndPos, FPosAxis, Z);
    else
      Line(FPosAxis, FIStartPos, Z, FPosAxis, FIEndPos, Z);
  }
  C.Font()->Assign(*LabelsFont());
  // White text would vanish on a monochrome chart.
  if (C.GetMonochrome() && C.Font()->Color() == clWhite) C.Font()->SetColor(clBlack);
  C.Brush()->SetStyle(bsClear);
  // The texts of the labels that the pass of the lines chose, as it placed them.
  auto WriteTexts = [&] {
    for (const TPendingLabel& L : FPendingLabels) DrawLabel(C, L.P, L.Text, In3D ? Z : -1, L.Place);
    FPendingLabels.clear();
    DrawTitle(C);
  };
  if (Pass == apTexts) {
    WriteTexts();
    return;
  }
  FPendingLabels.clear();
  if (!(FIMaximum >= FIMinimum)) {
    if (Pass == apAll) DrawTitle(C);
    return;
  }
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
      Values = LabelValues(SeenLabelSpan(C, LabelValue(FIMinimum), LabelValue(FIMaximum)));
    }
    for (double V : Values) {
      int P;
      if (ValueToPixel(V, P)) Labels.push_back({P, FLabels ? LabelValue(V) : QString()});
    }
  }
  const int AxisLow = std::min(FIStartPos, FIEndPos), AxisHigh = std::max(FIStartPos, FIEndPos);
  int Previous = 0;
  bool HasPrevious = false;
  // The box of the last label written, for leaving out labels that would meet it: text labels
  // keep their separation from it as well.
  bool HasBox = false;
  TRect LastBox;
  for (const auto& [P, Text] : Labels) {
    if (FLabelsOnAxis && (P < AxisLow || P > AxisHigh)) continue;
    TLabelPlace Place;
    bool Shown = true;
    if (!Text.isEmpty()) {
      Place = PlaceLabel(C, P, Text, In3D ? Z : -1);
      TRect R = Place.Box;
      if (ByText) {
        const int GrowX = (R.Right - R.Left) * FLabelsSeparation / 200,
                  GrowY = (R.Bottom - R.Top) * FLabelsSeparation / 200;
        R = {R.Left - GrowX, R.Top - GrowY, R.Right + GrowX, R.Bottom + GrowY};
      }
      if (FLabelsSeparation > 0 && HasBox && R.Left < LastBox.Right && LastBox.Left < R.Right &&
          R.Top < LastBox.Bottom && LastBox.Top < R.Bottom) {
        Shown = false;
      } else {
        LastBox = R;
        HasBox = true;
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
      FPendingLabels.push_back({P, Text, Place});
    Previous = P;
    HasPrevious = true;
  }
  if (Pass == apAll) WriteTexts();
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
