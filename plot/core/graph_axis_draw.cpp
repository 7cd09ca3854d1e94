// Drawing the four axes: line, ticks, grid lines, labels and title, mirrored to the outer side of
// the secondary axes, and the room their labels take in the layout.
#include <algorithm>
#include <cmath>

#include "platform/canvas.h"
#include "platform/number_text.h"
#include "plot/core/graph.h"
#include "plot/core/graph_axis.h"
#include "plot/core/graph_pens.h"

namespace {
struct TAxisGeometry {
  int U = 0;  // text height of "a" at size 1
  int MajorLen = 0, MinorLen = 0, LabelGap = 0;
  int H = 0;
  TRect R;
  int Depth = 0;
  int Fw = 0;
  int Axis = 0;  // y of a horizontal axis line, x of a vertical one
};
}  // namespace

namespace {
TAxisGeometry Geometry(TAxis& A, TGraph& G, TWRText& Text) {
  TAxisGeometry Gm;
  Text.SetSize(1);
  Gm.U = Text.TextHeight(QStringLiteral("a"));
  Text.SetSize(A.Font.Size());
  Gm.MajorLen = A.Ticks.MajorLength * Gm.U;
  Gm.MinorLen = A.Ticks.MinorLength * Gm.U;
  if (A.Ticks.Direction == tdIN) Gm.MajorLen = -Gm.MajorLen, Gm.MinorLen = -Gm.MinorLen;
  Gm.LabelGap = A.Ticks.Direction == tdOut ? Gm.MajorLen : 0;
  Gm.H = Text.TextHeight(QStringLiteral("()"));
  Gm.Fw = G.FrameWidth();
  Gm.R = G.GetPlotRect();
  InflateIntRect(Gm.R, Gm.Fw, Gm.Fw);
  Gm.Depth = G.View3D > 0 ? G.Depth3D : 0;
  const TRect& R = Gm.R;
  const int D = Gm.Depth, Fw = Gm.Fw;
  switch (A.Id) {
    case gaXAxis:
      Gm.Axis = A.Location == alInside ? G.YToPixel(A.Position) : R.Bottom - 1;
      break;
    case gaYAxis:
      Gm.Axis = A.Location == alInside ? G.XToPixel(A.Position) : R.Left;
      break;
    case gaXAxis2:
      Gm.Axis = A.Location == alInside ? G.YToPixel(A.Position) - D
                                       : R.Top - D + (D > 0 ? RoundInt(Fw / 3.5) : 0);
      break;
    case gaYAxis2:
      Gm.Axis = A.Location == alInside ? G.XToPixel(A.Position) - 1 + D
                                       : R.Right - 1 + D - (D > 0 ? RoundInt(Fw / 3.5) : 0);
      break;
  }
  return Gm;
}

// Pixel of a tick along its axis.
int TickPixel(const TAxis& A, const TGraph& G, const TAxisTick& T) {
  const double V = A.Log ? T.World : T.Value;
  switch (A.Id) {
    case gaXAxis:
      return G.XToPixel(V);
    case gaYAxis:
      return G.YToPixel(V);
    case gaXAxis2:
      return G.X2ToPixel(V);
    case gaYAxis2:
      return G.Y2ToPixel(V);
  }
  return 0;
}

// A point Off pixels outward from the axis line at P along it.
TPoint Out(const TAxis& A, int Axis, int P, int Off) {
  switch (A.Id) {
    case gaXAxis:
      return {P, Axis + Off};
    case gaYAxis:
      return {Axis - Off, P};
    case gaXAxis2:
      return {P, Axis - Off};
    case gaYAxis2:
      return {Axis + Off, P};
  }
  return {P, Axis};
}

// The step in decades between labelled powers of ten: 1, 2, 5, 10, 20, 50, ... the first at
// which labels Need pixels long along the axis fall apart. An axis with no length gets none.
double DecadeStride(double DecadePx, int Need) {
  double S = 1;
  for (int K = 0; !(S * DecadePx > Need) && S < 1e7; ++K) S *= K % 3 == 1 ? 2.5 : 2;
  return S;
}

bool InWindow(const TAxis& A, const TRect& PlotRect, int P) {
  if (A.Horizontal()) return PlotRect.Left <= P && P <= PlotRect.Right + 3;
  return PlotRect.Top - 2 <= P && P <= PlotRect.Bottom + 1;
}
}  // namespace

void TAxis::Draw() {
  TGraph& G = *Owner;
  TCanvas* C = G.DrawCanvas();
  if (!C) return;
  TWPen Pen(&G);
  TWRText Text(&G, Font.Name());
  const TAxisGeometry Gm = Geometry(*this, G, Text);
  const TRect& R = Gm.R;
  const TRect P = G.GetPlotRect();
  const int D = Gm.Depth, Fw = Gm.Fw;
  const bool Paper = G.Device().Paper();
  TColor LineColor = Paper && Color == clWhite ? clBlack : Color;
  C->SetBackMode(bmTransparent);

  auto Line = [&](TPoint A, TPoint B) {
    C->MoveTo(A.X, A.Y);
    C->LineTo(B.X, B.Y);
  };
  auto SetLinePen = [&] {
    C->Pen()->SetStyle(psSolid);
    C->Pen()->SetWidth(std::max(LineWidth, 1));
    Pen.SetColor(LineColor);
  };

  // The axis line.
  SetLinePen();
  if (MajorLineVisible && LineWidth > 0 && (Visible || !Horizontal())) {
    switch (Id) {
      case gaXAxis:
        Line({R.Left, Gm.Axis}, {D > 0 ? R.Right - 1 - Fw : R.Right - 1, Gm.Axis});
        break;
      case gaYAxis:
        Line({Gm.Axis, R.Bottom - 1}, {Gm.Axis, D > 0 ? R.Top + Fw : R.Top});
        break;
      case gaXAxis2:
        Line({R.Left + D + (D > 0 ? RoundInt(Fw * 1.707) : 0), Gm.Axis},
             {R.Right - 1 + D + (D > 0 ? RoundInt(Fw * 0.707) : 0), Gm.Axis});
        break;
      case gaYAxis2:
        Line({Gm.Axis, R.Bottom - D - (D > 0 ? RoundInt(Fw * 1.7) : 0)},
             {Gm.Axis, R.Top - D - (D > 0 ? RoundInt(Fw * 0.7071) : 0)});
        break;
    }
  }

  const std::vector<TAxisTick> Ticks_ = TickList();
  const double Lo = LowerEnd(), Hi = UpperEnd();
  const int H1 = Text.TextHeight(QStringLiteral("1"));
  C->Font()->SetColor(Paper && Font.Color() == clWhite ? clBlack : Font.Color());
  int LabelsDrawn = 0;
  bool HavePrevious = false;
  int PreviousRight = 0;
  bool First = true;
  // The stretch along the axis that the last label written covers: one that would meet it is
  // not written, whichever way the axis runs.
  bool HaveWritten = false;
  int WrittenLow = 0, WrittenHigh = 0;
  auto Claim = [&](int Low, int High) {
    if (HaveWritten && Low <= WrittenHigh && High >= WrittenLow) return false;
    HaveWritten = true;
    WrittenLow = Low, WrittenHigh = High;
    return true;
  };
  Text.SetSize(Font.Size());
  const int Ascent = C->TextAscent(), Descent = C->TextDescent();
  // A label written across a line of text at its baseline, from the baseline point along.
  auto AcrossBaseline = [&](int Base) { return std::pair{Base - Ascent, Base + Descent}; };

  // A power of ten: "10" and the exponent two points smaller, raised. Its place and the stretch
  // it covers along the axis come from one measure, so what is skipped is what would be drawn.
  const int SmallSize = std::max(Font.Size() - 2, 1);
  struct TPowerLabel {
    int W10 = 0, WE = 0, W0 = 0;
    int X = 0, Y = 0;  // the exponent's corner (upright) or the "10" corner (across)
    int Low = 0, High = 0;
  };
  auto PlacePower = [&](int Px, const QString& S) {
    TPowerLabel L;
    L.W10 = Text.TextWidth(QStringLiteral("10"));
    Text.SetSize(SmallSize);
    L.WE = Text.TextWidth(S);
    L.W0 = Text.TextWidth(QStringLiteral("0 "));
    Text.SetSize(Font.Size());
    if (!Horizontal() && LabelsDirection == ldVertical) {
      // Read upward: "10" centred on the tick, the exponent after it and raised. Lowered or
      // raised, the "10" keeps to its side of the axis line also where the ticks point inward.
      L.X = Id == gaYAxis ? std::min(Gm.Axis - Gm.LabelGap - Gm.H, Gm.Axis - Gm.H - Gm.H / 4)
                          : Gm.Axis + Gm.LabelGap;
      L.Low = std::min(Px - L.W10 / 2 - 1, Px - L.W0 - L.WE);
      L.High = Px + L.W10 / 2 + 1;
    } else if (Horizontal()) {
      // A label that would run past the plot's end ends at its tick, as a linear one does:
      // ticks after it (the minor ones) do not make it any less the last.
      L.X = Px - (L.W10 + L.WE) / 2;
      if (L.X + L.W10 + L.WE > P.Right + 3) L.X = Px - L.W10 - L.WE;
      L.Y = Id == gaXAxis ? Gm.Axis + Gm.LabelGap
                          : std::min(Gm.Axis - Gm.LabelGap - Gm.H, Gm.Axis - Gm.H - Gm.H / 3);
      L.Low = L.X, L.High = L.X + L.W10 + L.WE;
    } else {
      L.X = Id == gaYAxis ? Gm.Axis - Gm.LabelGap - L.W10 - L.WE : Gm.Axis + Gm.LabelGap;
      L.Y = Px - Gm.H / 2;
      L.Low = L.Y, L.High = L.Y + Gm.H / 3 + Gm.H;
    }
    return L;
  };

  // Decades closer than their labels are long are labelled at every 2nd, 5th, 10th ... power;
  // the decades between keep a short tick where there is room for one, and the ticks within a
  // decade, which would only blacken the axis, go.
  double Stride = 1;
  bool DecadeTicks = true;
  if (Log) {
    int FirstPx = 0, LastPx = 0, Decades = -1, Need = 0;
    for (const TAxisTick& T : Ticks_) {
      // A decade past the largest double has no pixel to measure by.
      if (!T.Major || !std::isfinite(T.World)) continue;
      const int Px = TickPixel(*this, G, T);
      if (++Decades == 0) FirstPx = Px;
      LastPx = Px;
      // Only the length counts here, not the place (which may lie far off the picture).
      const TPowerLabel L = PlacePower(0, T.Label);
      Need = std::max(Need, L.High - L.Low);
    }
    if (Decades > 0) {
      const double DecadePx = std::fabs(static_cast<double>(LastPx) - FirstPx) / Decades;
      Stride = DecadeStride(DecadePx, Need + Gm.H / 4);
      DecadeTicks = DecadePx >= 3;
    }
  }
  auto Labelled = [&](const TAxisTick& T) {
    return Stride == 1 || std::fmod(std::round(T.Value), Stride) == 0;
  };

  auto GridLine = [&](int Px) {
    C->Pen()->SetWidth(1);
    Pen.SetColor(GridColor);
    if (Horizontal()) {
      if (Px < P.Left) return;
      Line({Px + D, R.Top + Fw - D}, {Px + D, R.Bottom - Fw - D});
      if (D > 0) {
        C->LineTo(Px, R.Bottom - Fw);
        C->LineTo(Px, R.Bottom);
      }
    } else {
      if (Px < P.Top || Px > P.Bottom) return;
      Line({R.Right - Fw + D, Px - D}, {Gm.Axis + Fw + D, Px - D});
      if (D > 0) C->LineTo(Gm.Axis + Fw, Px);
    }
    SetLinePen();
  };

  auto DrawLabel = [&](int Px, const TAxisTick& T) {
    const QString& S = T.Label;
    const bool Vertical = LabelsDirection == ldVertical;
    Text.SetAngle(Vertical ? 90 : 0);
    if (Log) {
      const TPowerLabel L = PlacePower(Px, S);
      if (!Claim(L.Low, L.High)) return;
      if (!Horizontal() && Vertical) {
        C->SetTextAlign(TA_CENTER | TA_TOP);
        Text.TextOut(L.X + Gm.H / 4, Px, QStringLiteral("10"));
        C->SetTextAlign(TA_LEFT | TA_TOP);
        Text.SetSize(SmallSize);
        Text.TextOut(L.X, Px - L.W0, S);
        Text.SetSize(Font.Size());
        Text.SetAngle(0);
        return;
      }
      Text.SetAngle(0);
      C->SetTextAlign(TA_LEFT | TA_TOP);
      Text.TextOut(L.X, L.Y + Gm.H / 3, QStringLiteral("10"));
      Text.SetSize(SmallSize);
      Text.TextOut(L.X + L.W10, L.Y, S);
      Text.SetSize(Font.Size());
      return;
    }
    const int W = Text.TextWidth(S);
    switch (Id) {
      case gaXAxis:
      case gaXAxis2: {
        int Left = First ? Px : Px - W / 2;
        if (!First && Left + W > P.Right + 3) Left = Px - W;
        if (Vertical) {
          const auto [Low, High] = AcrossBaseline(Px + H1 / 3);
          if (!Claim(Low, High)) return;
          C->SetTextAlign(TA_RIGHT | TA_BASELINE);
          int Y = Id == gaXAxis ? Gm.Axis + Gm.LabelGap + 5 : Gm.Axis - Gm.LabelGap - 5 - W;
          Text.TextOut(Px + H1 / 3, Y, S);
        } else {
          if (Id == gaXAxis && HavePrevious && !Inverted && Left <= PreviousRight) {
            PreviousRight = Left + W;
            return;
          }
          // The rule above reads the labels left to right; the others keep clear of the last.
          if ((Id != gaXAxis || Inverted) && !Claim(Left, Left + W)) return;
          C->SetTextAlign(TA_LEFT | TA_TOP);
          Text.TextOut(Left, Id == gaXAxis ? Gm.Axis + Gm.LabelGap : Gm.Axis - Gm.LabelGap - Gm.H,
                       S);
        }
        HavePrevious = true;
        PreviousRight = Left + W;
        break;
      }
      case gaYAxis:
      case gaYAxis2:
        if (Vertical) {
          // Centred on the tick, reading upward; near the ends of the axis a label starts or
          // ends at the tick so that it stays on the picture.
          unsigned Along = TA_CENTER;
          if (Px + W / 2 > R.Bottom)
            Along = TA_LEFT;
          else if (Px - W / 2 < 0)
            Along = TA_RIGHT;
          // Deep zoomed, the labels grow longer than their ticks lie apart: one that would meet
          // the last one written along the axis is skipped.
          const int Low = Along == TA_LEFT ? Px - W : Along == TA_RIGHT ? Px : Px - W / 2;
          if (!Claim(Low, Low + W)) break;
          C->SetTextAlign(Along | TA_TOP);
          int X = Id == gaYAxis ? Gm.Axis - Gm.LabelGap - Gm.H : Gm.Axis + Gm.LabelGap;
          Text.TextOut(X, Px, S);
        } else {
          const auto [Low, High] = AcrossBaseline(Px + H1 / 3);
          if (!Claim(Low, High)) break;
          C->SetTextAlign((Id == gaYAxis ? TA_RIGHT : TA_LEFT) | TA_BASELINE);
          int X = Id == gaYAxis ? Gm.Axis - Gm.LabelGap : Gm.Axis + Gm.LabelGap;
          Text.TextOut(X, Px + H1 / 3, S);
        }
        break;
    }
    Text.SetAngle(0);
  };

  for (size_t I = 0; I < Ticks_.size(); ++I) {
    const TAxisTick& T = Ticks_[I];
    const int Px = TickPixel(*this, G, T);
    const bool In = InWindow(*this, P, Px);
    if (Id == gaXAxis && Px > P.Right + 3) continue;
    SetLinePen();
    C->Pen()->SetWidth(1);
    const bool Thinned = Stride > 1 && (!T.Major || !Labelled(T));
    if (Thinned && !(T.Major && DecadeTicks)) continue;
    if (T.Major && !Thinned) {
      bool TickShown =
          Visible && In && Ticks.MajorVisible && (!Horizontal() || RegularLabelsVisible);
      if (TickShown) Line(Out(*this, Gm.Axis, Px, 0), Out(*this, Gm.Axis, Px, Gm.MajorLen));
      bool TextShown = T.Text && Visible && RegularLabelsVisible && In;
      if (TextShown && Log && !Inverted)
        TextShown = T.Value >= std::min(Lo, Hi) - 1e-9 && T.Value <= std::max(Lo, Hi) + 1e-9;
      if (TextShown) {
        DrawLabel(Px, T);
        ++LabelsDrawn;
        First = false;
      }
    } else if (Visible && Ticks.MinorVisible) {
      // A logarithmic axis places its minor ticks by value, not by pixel.
      bool Shown = In;
      if (Log)
        Shown =
            Inverted || (T.Value >= std::min(Lo, Hi) - 1e-9 && T.Value <= std::max(Lo, Hi) + 1e-9);
      if (Shown) Line(Out(*this, Gm.Axis, Px, 0), Out(*this, Gm.Axis, Px, Gm.MinorLen));
    }
    if (Grid) GridLine(Px);
  }

  // Custom labels instead of the numbers.
  if (!RegularLabelsVisible && !Labels.empty()) {
    bool HaveDrawn = false;
    int DrawnAt = 0;
    for (const TLabel& L : Labels) {
      TAxisTick T{L.Value, L.Value, true, true, L.Legend};
      if (Horizontal() && (L.Value < std::min(Lo, Hi) || L.Value > std::max(Lo, Hi))) continue;
      const int Px = TickPixel(*this, G, T);
      if (Horizontal()) {
        const bool Vertical = LabelsDirection == ldVertical;
        if (Ticks.MajorVisible)
          Line(Out(*this, Gm.Axis, Px, -1), Out(*this, Gm.Axis, Px, Gm.MajorLen));
        // Upright labels are one text height wide across the axis: closer ones would overlap.
        if (Vertical && HaveDrawn && std::abs(Px - DrawnAt) < H1 - 4) continue;
        if (Vertical) {
          Text.SetAngle(90);
          C->SetTextAlign(TA_RIGHT | TA_BASELINE);
          const int W = Text.TextWidth(L.Legend);
          Text.TextOut(Px + H1 / 3,
                       Id == gaXAxis ? Gm.Axis + Gm.LabelGap + 5 : Gm.Axis - Gm.LabelGap - 5 - W,
                       L.Legend);
          Text.SetAngle(0);
        } else {
          C->SetTextAlign(TA_CENTER | TA_TOP);
          Text.TextOut(Px, Id == gaXAxis ? Gm.Axis + Gm.LabelGap : Gm.Axis - Gm.LabelGap - Gm.H,
                       L.Legend);
        }
        HaveDrawn = true;
        DrawnAt = Px;
      } else {
        if (Ticks.MajorVisible)
          Line(Out(*this, Gm.Axis, Px, 0), Out(*this, Gm.Axis, Px, Gm.LabelGap));
        C->SetTextAlign(TA_CENTER | TA_TOP);
        Text.SetAngle(90);
        Text.TextOut(Id == gaYAxis ? Gm.Axis - Gm.LabelGap - Gm.H : Gm.Axis + Gm.LabelGap, Px,
                     L.Legend);
        Text.SetAngle(0);
      }
    }
  }

  // A vertical axis too short for any label shows its two ends.
  if (!Horizontal() && LabelsDrawn == 0 && Visible && RegularLabelsVisible) {
    const auto [A, B] = EndLabels();
    const int X = Id == gaYAxis ? Gm.Axis - Gm.LabelGap - Gm.H : Gm.Axis + Gm.LabelGap;
    Text.SetAngle(LabelsDirection == ldVertical ? 90 : 0);
    C->SetTextAlign(TA_LEFT | TA_TOP);
    Text.TextOut(X, Inverted ? P.Top : P.Bottom, A);
    C->SetTextAlign(TA_RIGHT | TA_TOP);
    Text.TextOut(X, Inverted ? P.Bottom : P.Top, B);
    Text.SetAngle(0);
  }

  // The title.
  if (!Name.isEmpty() && Visible) {
    G.ResetClipRegion();
    TWRText Title(&G, NameFont.Name());
    Title.SetSize(NameFont.Size());
    Title.SetColor(Paper && NameFont.Color() == clWhite ? clBlack : NameFont.Color());
    const int T = Title.TextHeight(QStringLiteral("()"));
    const int NameW = Title.TextWidth(Name);
    switch (Id) {
      case gaYAxis: {
        Title.SetAngle(90);
        C->SetTextAlign(TA_LEFT | TA_TOP);
        int X = Location == alInside              ? R.Left - T
                : LabelsDirection == ldHorizontal ? Gm.Axis - Gm.LabelGap - LabelWidth() - T / 5 - T
                                                  : Gm.Axis - Gm.LabelGap - Gm.H - T / 5 - T;
        int Y = Location == alInside ? (R.Top + R.Bottom) / 2 : (R.Top + R.Bottom) / 2 + NameW / 2;
        Title.TextOut(X, Y, Name);
        break;
      }
      case gaXAxis: {
        C->SetTextAlign(TA_CENTER | TA_TOP);
        int Y = LabelsDirection == ldVertical
                    ? Gm.Axis + Gm.LabelGap + 5 + Gm.H / 3 + LabelWidth() +
                          Text.TextWidth(QStringLiteral("m"))
                : Location == alOutside ? Gm.Axis + Gm.LabelGap + Gm.H
                                        : R.Bottom + 2;
        Title.TextOut(R.Left + (R.Right - 1 - R.Left) / 2, Y, Name);
        break;
      }
      case gaXAxis2: {
        C->SetTextAlign(TA_CENTER | TA_TOP);
        Title.TextOut(R.Left + D + (R.Right - R.Left) / 2,
                      Gm.Axis - Gm.LabelGap - Gm.H - 3 - Title.TextHeight(QStringLiteral("Aj")),
                      Name);
        break;
      }
      case gaYAxis2: {
        Title.SetAngle(90);
        C->SetTextAlign(TA_CENTER | TA_BOTTOM);
        const int HAj = Text.TextHeight(QStringLiteral("Aj"));
        int X = Location == alInside ? R.Right - 2 + D + Gm.LabelGap
                                     : Gm.Axis + Gm.LabelGap + HAj +
                                           (LabelsDirection == ldHorizontal ? LabelWidth() : 0) + T;
        Title.TextOut(X, (R.Top + R.Bottom) / 2 - D, Name);
        break;
      }
    }
  }
  C->SetTextAlign(TA_LEFT | TA_TOP);
}

int TAxis::LabelWidth() {
  if (!Visible) return 0;
  TWRText Text(Owner, Font.Name());
  Text.SetSize(Font.Size());
  int W = 0;
  if (!RegularLabelsVisible) {
    for (const TLabel& L : Labels) W = std::max(W, Text.TextWidth(L.Legend));
    return W;
  }
  bool Any = false;
  for (const TAxisTick& T : TickList()) {
    if (!T.Major) continue;
    Any = true;
    W = std::max(W, Text.TextWidth(Log ? QStringLiteral("10") + T.Label : T.Label));
  }
  if (!Any) {
    const auto [A, B] = EndLabels();
    W = std::max(Text.TextWidth(A), Text.TextWidth(B));
  }
  return W;
}

TRect TAxis::GetLabelSize(const TRect& R) {
  TRect Out = R;
  if (!Visible || !Owner->DrawCanvas()) return Out;
  TWRText Text(Owner, NameFont.Name());
  Text.SetSize(NameFont.Size());
  const int TitleH = Text.TextHeight(QStringLiteral("("));
  int Need = 0;
  if (!Name.isEmpty()) {
    switch (Id) {
      case gaXAxis:
      case gaXAxis2:
        Need += RoundInt(1.2 * TitleH);
        break;
      case gaYAxis:
        Need += RoundInt(1.1 * TitleH);
        break;
      case gaYAxis2:
        Need += 2 * TitleH;
        break;
    }
  }
  Text.SetFontName(Font.Name());
  Text.SetSize(Font.Size());
  const int LabelH = Text.TextHeight(QStringLiteral("("));
  if (Location == alOutside) {
    const bool Across =
        Horizontal() ? LabelsDirection == ldVertical : LabelsDirection == ldHorizontal;
    if (Across)
      Need += LabelWidth() + (Id == gaYAxis ? 0 : Text.TextWidth(QStringLiteral("l")));
    else
      Need += RoundInt(1.1 * LabelH);
    if (Ticks.Direction == tdOut) {
      Text.SetSize(1);
      Need += std::max(Ticks.MajorLength, Ticks.MinorLength) * Text.TextHeight(QStringLiteral("a"));
    }
  }
  switch (Id) {
    case gaXAxis:
      Out.Bottom -= Need;
      break;
    case gaXAxis2:
      Out.Top += Need;
      break;
    case gaYAxis:
      Out.Left += Need;
      break;
    case gaYAxis2:
      Out.Right -= Need;
      break;
  }
  return Out;
}
