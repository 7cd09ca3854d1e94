#include "plot/core/graph_axis.h"

#include <QDateTime>
#include <algorithm>
#include <cmath>

#include "platform/number_text.h"
#include "plot/core/graph.h"

namespace {
constexpr double IntLimit = 2147483647.0;
// More ticks than this cannot be told apart on any device; the walk stops there.
constexpr int MaxTicks = 100000;

double Pow10(int N) { return std::pow(10.0, N); }
double RoundHalfEven(double V) { return std::nearbyint(V); }

// A date value counts days from 30 December 1899; a whole value is shown as a date only.
QString DateLabel(double V) {
  if (!(std::fabs(V) < 3e6)) return FloatToText(6, 1, V);
  const double Day = std::floor(V);
  QDateTime T(QDate(1899, 12, 30).addDays(static_cast<qint64>(Day)), QTime(0, 0));
  if (V == Day) return T.date().toString(QStringLiteral("yyyy-MM-dd"));
  T = T.addMSecs(static_cast<qint64>(std::llround((V - Day) * 86400000.0)));
  return T.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}
}  // namespace

double SnapLog10(double V) {
  double R = std::log10(V);
  double N = std::round(R);
  if (std::isfinite(R) && std::fabs(R - N) < 1e-12) R = N;
  return R;
}

TAxis::TAxis(TGraph* AGraph, TGraphAxisId AId, double A, double B)
    : TGraphAbstract(AGraph), Owner(AGraph), Id(AId) {
  TAxis::SetVisible(false);
  RangeMin = std::min(A, B);
  RangeMax = std::max(A, B);
  SetColor(clBlack);
  for (TFont* F : {&Font, &NameFont}) {
    F->SetName(QStringLiteral("Arial"));
    F->SetSize(8);
    F->SetColor(clBlack);
  }
  SetVisible(true);
  if (Secondary()) LineWidth = 0;
}

TAxis::~TAxis() = default;

double& TAxis::LowerEnd() const {
  switch (Id) {
    case gaXAxis:
      return Owner->XMin;
    case gaYAxis:
      return Owner->YMin;
    case gaXAxis2:
      return Owner->X2Min;
    case gaYAxis2:
      return Owner->Y2Min;
  }
  return Owner->XMin;
}

double& TAxis::UpperEnd() const {
  switch (Id) {
    case gaXAxis:
      return Owner->XMax;
    case gaYAxis:
      return Owner->YMax;
    case gaXAxis2:
      return Owner->X2Max;
    case gaYAxis2:
      return Owner->Y2Max;
  }
  return Owner->XMax;
}

void TAxis::SetVisible(bool Value) {
  TGraphAbstract::SetVisible(Value);
  // A secondary axis draws no line of its own unless asked to afterwards.
  if (Secondary()) LineWidth = 0;
}

void TAxis::SetLog(bool Value) {
  if (Value == Log) return;
  if (OnBeforeChange) OnBeforeChange(Owner);
  Log = Value;
  // The inside legend's world place means nothing on the other scale: it docks at the right.
  if (Owner && Owner->Legend && Owner->Legend->Style == lsInside) Owner->Legend->Style = lsRight;
  if (OnChange) OnChange(Owner);
}

void TAxis::CalcTicks(double& A, double& B) {
  double Mult = 1;
  Digits = 1;
  if (A > B) std::swap(A, B);
  double Range = B - A;
  // Ends near the largest double have a width that overflows: it is taken in tens.
  if (std::isinf(Range) && std::isfinite(A) && std::isfinite(B)) Range = B / 10 - A / 10, Mult = 10;
  // A range that is not a finite positive number has no ticks; the loops below would not end.
  if (!(Range > 0) || !std::isfinite(Range)) return;
  const bool Zoomed = Owner->Zoom.Count() > 0;
  const double T = std::trunc(Range);
  if (LabelsStyle == asInteger && (Zoomed || Owner->IsEmpty() || T <= 100)) {
    if (T < 2) {
      TickCount = 3, TicksPerLabel = 1, TickStep = 1;
    } else if (T <= 5) {
      TickCount = RoundInt(Range) + 2, TicksPerLabel = 1, TickStep = 1;
    } else if (T <= 10) {
      TickCount = RoundInt(Range) + 2, TicksPerLabel = 2, TickStep = 1;
    } else if (T <= 20) {
      TickCount = RoundInt(Range) + 2, TicksPerLabel = 5, TickStep = 1;
    } else if (T <= 100) {
      TickCount = RoundInt(Range / 2) + 2, TicksPerLabel = 5, TickStep = 2;
    } else {
      while (Range >= 10) Mult *= 10, Range /= 10;
      if (Range < 2)
        TickCount = RoundInt(10 * Range) + 1, TicksPerLabel = 5,
        TickStep = RoundHalfEven(Mult / 10);
      else if (Range <= 5)
        TickCount = RoundInt(5 * Range) + 1, TicksPerLabel = 5, TickStep = RoundHalfEven(Mult / 5);
      else
        TickCount = RoundInt(2 * Range) + 1, TicksPerLabel = 4, TickStep = RoundHalfEven(Mult / 2);
      Digits = 0;
    }
    return;
  }
  Digits = Range > 100 ? 0 : 1;
  while (Range < 1) Mult /= 10, Range *= 10, ++Digits;
  while (Range >= 10) Mult *= 10, Range /= 10;
  if (Range < 2) {
    TickCount = RoundInt(10 * Range) + 1, TicksPerLabel = 5, TickStep = Mult / 10;
    ++Digits;
  } else if (Range <= 5) {
    TickCount = RoundInt(5 * Range) + 1, TicksPerLabel = 5, TickStep = Mult / 5;
  } else {
    TickCount = RoundInt(2 * Range) + 1, TicksPerLabel = 4, TickStep = Mult / 2;
  }
  double P = Pow10(Digits + 1);
  if (AutoMax && !Zoomed && -IntLimit - 1 < P * B && P * B < IntLimit) B = RoundHalfEven(P * B) / P;
  if (P * A < IntLimit && Pow10(Digits) * A > -IntLimit - 1) {
    FirstTick = RoundHalfEven(P * A) / P;
  } else {
    // The value rounded to the label precision; beyond the double's digits it is the value.
    FirstTick = Digits > 300 ? A : QString::number(A, 'f', Digits).toDouble();
  }
}

void TAxis::Recalc() {
  double& Lo = LowerEnd();
  double& Hi = UpperEnd();
  // A range that is not finite (a layer holding inf) falls back to the default range.
  if (!std::isfinite(Lo) || !std::isfinite(Hi)) Lo = 0, Hi = 1;
  RangeMin = Lo;
  RangeMax = Hi;
  const double OldMin = Lo, OldMax = Hi;
  if (Inverted)
    CalcTicks(RangeMax, RangeMin);
  else
    CalcTicks(RangeMin, RangeMax);
  const bool Zoomed = Owner->Zoom.Count() > 0;
  Lo = Zoomed || !AutoMin ? OldMin : RangeMin;
  Hi = Zoomed || !AutoMax ? OldMax : RangeMax;
}

TAxisTickState TAxis::TickState() const {
  return {FirstTick, TickStep, RangeMin, RangeMax, TickCount, TicksPerLabel, Digits};
}

void TAxis::SetTickState(const TAxisTickState& S) {
  FirstTick = S.FirstTick, TickStep = S.TickStep, RangeMin = S.RangeMin, RangeMax = S.RangeMax;
  TickCount = S.TickCount, TicksPerLabel = S.TicksPerLabel, Digits = S.Digits;
}

void TAxis::Scroll(int Before, int After) {
  double& Lo = LowerEnd();
  double& Hi = UpperEnd();
  Lo = FirstTick - Before * TickStep;
  if (After != 0) Hi = FirstTick + (TickCount - 1) * TickStep + After * TickStep;
  FirstTick = Lo;
  TickCount += Before + After;
  RangeMin = Lo;
  RangeMax = Hi;
}

QString TAxis::FormatTickLabel(int ADigits, double Value, double Step) const {
  QString S = FloatToText(ADigits, 1, Value);
  while (S.size() > 1 && S[0] == QLatin1Char(' ')) S.remove(0, 1);
  int Dot = S.indexOf(QLatin1Char('.'));
  if (Dot >= 0 && Dot == S.size() - 2 && S.back() == QLatin1Char('0')) S.chop(2);
  if (!Log && Value != 0 && std::fabs(Step / Value) > 1e6) S = QStringLiteral("0.0");
  if (S == QLatin1String("-0")) S = QStringLiteral("0");
  return S;
}

std::pair<QString, QString> TAxis::EndLabels() const {
  const double Lo = LowerEnd(), Hi = UpperEnd();
  if (!Log) return {FormatTickLabel(Digits, Lo, TickStep), FormatTickLabel(Digits, Hi, TickStep)};
  // The label digits count decimals of the exponents; the values they stand for may need more
  // to tell two ends apart that lie close within one decade.
  const double A = std::pow(10.0, Lo), B = std::pow(10.0, Hi);
  int D = Digits;
  if (A != B && std::isfinite(A - B))
    D = std::clamp(static_cast<int>(std::ceil(-std::log10(std::fabs(B - A)))) + 1, Digits, 340);
  // The estimate may fall a digit short where both round alike.
  for (const int Last = D + 3;; ++D) {
    std::pair<QString, QString> T{FormatTickLabel(D, A, TickStep), FormatTickLabel(D, B, TickStep)};
    if (T.first != T.second || A == B || D == Last) return T;
  }
}

const std::vector<TAxisTick>& TAxis::TickList() {
  TTickKey Key{LowerEnd(),
               UpperEnd(),
               FirstTick,
               TickStep,
               TickCount,
               TicksPerLabel,
               Digits,
               LabelsFrequency,
               static_cast<int>(LabelsStyle),
               Log,
               Owner->Zoom.Count() > 0,
               LabelsStyle == asInteger && Owner->IsEmpty()};
  if (FTicksValid && Key == FTickKey) {
    // NaN ends never compare equal, so a list is only reused for a range it was made for.
    if (Log) TicksPerLabel = FLogTicksPerLabel, TickCount = FLogTickCount, TickStep = FLogTickStep;
    return FTicks;
  }
  FTicks = BuildTickList();
  FLogTicksPerLabel = TicksPerLabel, FLogTickCount = TickCount, FLogTickStep = TickStep;
  // The walk on a logarithmic axis rewrites its own inputs: key the list by what comes out.
  if (Log) Key.TickCount = TickCount, Key.TicksPerLabel = TicksPerLabel, Key.TickStep = TickStep;
  FTickKey = Key;
  FTicksValid = true;
  return FTicks;
}

std::vector<TAxisTick> TAxis::BuildTickList() {
  std::vector<TAxisTick> Out;
  const double Lo = LowerEnd(), Hi = UpperEnd();
  if (!std::isfinite(Lo) || !std::isfinite(Hi)) return Out;
  int LabelCounter = 0;
  auto Push = [&](double Value, double World, bool Major) {
    TAxisTick T{Value, World, Major, false, {}};
    if (Major) {
      T.Text = LabelsFrequency <= 1 || LabelCounter % LabelsFrequency == 0;
      ++LabelCounter;
    }
    Out.push_back(T);
  };
  if (Log) {
    // Decades labelled at the powers of ten, the ticks between at 2, 3, ..., 9 times each.
    const double A = std::min(Lo, Hi), B = std::max(Lo, Hi);
    const double First = std::floor(A + 1e-12), Last = std::ceil(B - 1e-12);
    if (Last - First > MaxTicks / 9) return Out;
    TicksPerLabel = 9;
    TickCount = static_cast<int>(Last - First) * 9 + 1;
    // Beyond 2^53 a decade step no longer changes the exponent: the walk ends there.
    for (double E = First, Before = First - 1; E <= Last && E != Before; Before = E, ++E) {
      const double Base = std::pow(10.0, E);
      TickStep = Base;
      for (int K = 1; K <= (E == Last ? 1 : 9); ++K) {
        double V = K * Base;
        double X = K == 1 ? E : SnapLog10(V);
        if (X < A - 1e-12 || X > B + 1e-12) continue;
        Push(X, V, K == 1);
        if (Out.back().Major) Out.back().Label = FormatTickLabel(0, E, TickStep);
      }
    }
    return Out;
  }
  if (TickStep == 0 || !std::isfinite(TickStep) || !std::isfinite(FirstTick)) return Out;
  double X = FirstTick;
  if (LabelsStyle == asInteger) {
    if (TickCount == 0) return Out;
    // The first whole value at or above the lower end.
    if (Owner->Zoom.Count() > 0 || Owner->IsEmpty() || std::fabs(Lo - Hi) <= 10)
      X = std::ceil(std::min(Lo, Hi));
  }
  const int Count = std::min(TickCount, MaxTicks);
  int Next = 1;
  for (int I = 1; I <= Count; ++I) {
    const bool Major = I == Next;
    if (Major) {
      Next += std::max(TicksPerLabel, 1);
      // Read back through the label text so that repeated steps do not gather binary noise.
      if (Id == gaXAxis) TryGraphTextToFloat(FloatToText(21, 1, X), X);
    }
    Push(X, X, Major);
    if (Major) {
      if (LabelsStyle == asDate)
        Out.back().Label = DateLabel(X);
      else
        Out.back().Label = FormatTickLabel(Digits, X, TickStep);
    }
    X += TickStep;
  }
  return Out;
}
