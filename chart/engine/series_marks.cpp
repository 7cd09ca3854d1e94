#include "chart/engine/series_marks.h"

#include <algorithm>

#include "chart/engine/canvas3d.h"
#include "chart/engine/chart_panel.h"
#include "platform/canvas.h"

namespace {
constexpr QChar LineSeparator = QLatin1Char('\r');
constexpr int MaxMarkLine = 255;

QStringList MarkLines(const QString& Text) {
  QStringList Lines = Text.split(LineSeparator);
  for (int i = 1; i < Lines.size(); ++i) Lines[i] = Lines[i].left(MaxMarkLine);
  return Lines;
}
}  // namespace

void TSeriesMarkPosition::Assign(const TSeriesMarkPosition& Source) {
  ArrowStart = Source.ArrowStart;
  ArrowEnd = Source.ArrowEnd;
  Height = Source.Height;
  TopLeft = Source.TopLeft;
  Width = Source.Width;
}

QString MarkTextOfStyle(TSeriesMarksStyle Style, const TMarkTexts& T) {
  const QString Label = T.Label.isEmpty() ? T.Value : T.Label;
  switch (Style) {
    case smsValue:
      return T.Value;
    case smsPercent:
      return T.Percent;
    case smsLabel:
      return Label;
    case smsLabelPercent:
      return Label + ' ' + T.Percent;
    case smsLabelValue:
      return Label + ' ' + T.Value;
    case smsLegend:
      return T.Legend;
    case smsPercentTotal:
      return T.PercentTotal;
    case smsLabelPercentTotal:
      return Label + ' ' + T.PercentTotal;
    case smsXValue:
      return T.XValue;
  }
  return {};
}

TSeriesMarkPosition MarkBox(TChartCanvas3D& Canvas, const QString& Text, TPoint Point,
                            bool FrameVisible, int FrameWidth) {
  const QStringList Lines = MarkLines(Text);
  int Widest = 0;
  for (const QString& L : Lines) Widest = std::max(Widest, Canvas.TextWidth(L));
  TSeriesMarkPosition P;
  P.Width = Widest + Canvas.TextWidth(QStringLiteral("W"));
  P.Height = Canvas.FontHeight() * int(Lines.size());
  if (FrameVisible) {
    P.Width += 2 * FrameWidth;
    P.Height += 2 * FrameWidth;
  }
  P.ArrowStart = P.ArrowEnd = Point;
  P.TopLeft = {Point.X - P.Width / 2, Point.Y - P.Height + 1};
  return P;
}

TSeriesMarks::TSeriesMarks(std::function<void()> Repaint)
    : FRepaint(std::move(Repaint)),
      FArrow(std::make_unique<TChartArrowPen>([this](TGraphicsObject*) { Changed(); })),
      FFrame(std::make_unique<TChartPen>([this](TGraphicsObject*) { Changed(); })),
      FFont(std::make_unique<TFont>()) {
  // The chart's default font, so that a series whose marks were never restyled stores none.
  SetChartDefaultFont(*FFont);
}

TSeriesMarks::~TSeriesMarks() = default;

template <class T>
void TSeriesMarks::Set(T& Field, T Value) {
  if (Field == Value) return;
  Field = Value;
  Changed();
}

void TSeriesMarks::SetArrowLength(int Value) { Set(FArrowLength, Value); }
void TSeriesMarks::SetBackColor(TColor Value) { Set(FBackColor, Value); }
void TSeriesMarks::SetTransparent(bool Value) { Set(FTransparent, Value); }
void TSeriesMarks::SetClip(bool Value) { Set(FClip, Value); }
void TSeriesMarks::SetStyle(TSeriesMarksStyle Value) { Set(FStyle, Value); }
void TSeriesMarks::SetVisible(bool Value) { Set(FVisible, Value); }

void TSeriesMarks::Assign(const TSeriesMarks& Source) {
  FArrow->Assign(*Source.FArrow);
  FArrowLength = Source.FArrowLength;
  FBackColor = Source.FBackColor;
  FTransparent = Source.FTransparent;
  FClip = Source.FClip;
  FFrame->Assign(*Source.FFrame);
  FFont->Assign(*Source.FFont);
  FStyle = Source.FStyle;
  FVisible = Source.FVisible;
  Changed();
}

TSeriesMarkPosition* TSeriesMarks::Position(int Index) const {
  if (Index < 0 || Index >= int(FPositions.size())) return nullptr;
  return FPositions[size_t(Index)].get();
}

void TSeriesMarks::SetPosition(int Index, TSeriesMarkPosition& Position) {
  if (Index < 0) return;
  if (Index >= int(FPositions.size())) FPositions.resize(size_t(Index) + 1);
  auto& Stored = FPositions[size_t(Index)];
  if (!Stored) Stored = std::make_unique<TSeriesMarkPosition>();
  if (Stored->UserMoved)
    Position.Assign(*Stored);
  else
    Stored->Assign(Position);
}

void TSeriesMarks::ClearPositions() { FPositions.clear(); }

void TSeriesMarks::DeletePosition(int Index) {
  if (Index >= 0 && Index < int(FPositions.size())) FPositions.erase(FPositions.begin() + Index);
}

void TSeriesMarks::Draw(TChartCanvas3D& Canvas, TColor ChartColor, int Index, TColor Color,
                        const QString& Text, TSeriesMarkPosition& P) {
  SetPosition(Index, P);
  const bool Is3D = Canvas.Is3D();
  if (FArrow->Visible()) {
    Canvas.AssignVisiblePen(*FArrow);
    if (FArrow->Color() == Color || FArrow->Color() == ChartColor)
      Canvas.Pen()->SetColor(ChartColor == clBlack ? clWhite : clBlack);
    Canvas.Brush()->SetStyle(bsClear);
    if (Is3D)
      Canvas.LineWithZ(P.ArrowStart.X, P.ArrowStart.Y, P.ArrowEnd.X, P.ArrowEnd.Y, FZPosition);
    else {
      Canvas.MoveTo(P.ArrowStart.X, P.ArrowStart.Y);
      Canvas.LineTo(P.ArrowEnd.X, P.ArrowEnd.Y);
    }
  }
  const bool Full3D = Is3D && Canvas.CanRotateFully();
  if (Is3D && !Full3D) {
    // The box keeps its offset from the arrow's end as projected at the marks' depth.
    const TPoint End = Canvas.Calculate3DPosition(P.ArrowEnd.X, P.ArrowEnd.Y, FZPosition);
    P.TopLeft.X += End.X - P.ArrowEnd.X;
    P.TopLeft.Y += End.Y - P.ArrowEnd.Y;
  }
  if (FFrame->Visible() || !FTransparent) {
    Canvas.Brush()->SetColor(FBackColor);
    Canvas.Brush()->SetStyle(FTransparent ? bsClear : bsSolid);
    Canvas.AssignVisiblePen(*FFrame);
    const TRect R = P.Bounds();
    if (Full3D)
      Canvas.RectangleWithZ(R, FZPosition + 1);
    else
      Canvas.Rectangle(R.Left, R.Top, R.Right, R.Bottom);
    if (FFrame->Visible()) P.TopLeft.Y += FFrame->Width();
  }
  Canvas.Brush()->SetStyle(bsClear);
  Canvas.SetTextAlign(TA_CENTER);
  const int X = P.TopLeft.X + P.Width / 2;
  const int H = Canvas.FontHeight();
  int Y = P.TopLeft.Y;
  for (const QString& Line : MarkLines(Text)) {
    if (Full3D)
      Canvas.TextOut3D(X, Y, FZPosition, Line);
    else
      Canvas.TextOut(X, Y, Line);
    Y += H;
  }
  Canvas.SetTextAlign(TA_LEFT | TA_TOP);
}
