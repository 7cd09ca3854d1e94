// The numerical procedures that treat part of the expression as a function of X (integral(,
// solve(, min(, max() and the list functions. A procedure re-reads the text of its function
// argument (the body) once per function value, with X set to the abscissa.
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <vector>

#include "engine/builtin_math.h"
#include "engine/builtin_table.h"
#include "engine/engine_host.h"
#include "engine/numeric_procedures.h"
#include "engine/parser.h"
#include "engine/procedures.h"
#include "engine/variables.h"

Extended IntervalLow = UndefinedValue;
Extended IntervalUp = UndefinedValue;
int IntervalCount = 1;
Extended ExtremumX = 0;
int LoopDepth = 0;
unsigned LetterReadMask = 0;

namespace {

// The text of the last extremum search and the letters' values when it began; the same text with
// the same bounds and the same values of the letters it reads refines the search.
std::string ExtremumText;
std::array<Extended, 11> ExtremumLetters{};

std::array<Extended, 11> LetterSnapshot() {
  std::array<Extended, 11> v{};
  for (size_t k = 1; k < v.size(); ++k) v[k] = VarValues[k];
  return v;
}

// True when every letter read since the previous search holds the value it held then.
bool SameLettersRead(const std::array<Extended, 11>& Now) {
  for (size_t k = 1; k < Now.size(); ++k)
    if ((LetterReadMask & (1u << k)) && !(Now[k] == ExtremumLetters[k])) return false;
  return true;
}

// Bounds of every loop below, so that each ends by itself.
constexpr int MaxIntegralParts = 1 << 13;
constexpr int MaxExtremumParts = 64;
constexpr int SearchSteps = 500;
constexpr int ParabolicSteps = 500;
constexpr int MaxBisections = 20000;
// Steps of the sampling between two looks at the message queue and the Stop button.
constexpr int SamplesPerPump = 50;

void Advance() { EngineState.CurChar = NextChar(EngineState.ExprStr); }

// Where the body is and how it is read; Width and AbsSum serve the integral's stop rule.
struct TBody {
  int Pos = 0;
  int End = 0;  // position of the character that ends the body (known after the first read)
  int ArgDepth = 0;
  Extended AbsSum = 0;
  Extended LastX = 0;  // the abscissa read last by the quadrature kernel
};

// Reads the body once with X = x.
bool EvalBody(TBody& Body, Extended x, Extended& Value) {
  auto& s = EngineState;
  VarValues[varX] = x;
  s.Pos = Body.Pos;
  s.CurChar = CharAt(Body.Pos);
  s.StartPos = Body.Pos;
  EngineSettings.ArgDepth = Body.ArgDepth;
  Value = 0;
  {
    TLoopScope loop;
    Expression(Value);
  }
  if (!s.ErrFlag && !std::isfinite(Value)) RaiseError(s.ExprStr, errOverflow);
  if (s.ErrFlag) {
    Value = 0;
    return false;
  }
  if (Body.End == 0)
    Body.End = s.CurChar == EndChar ? static_cast<int>(s.ExprStr.size()) + 1 : s.Pos;
  // Library routines report through ErrCode; a successful read leaves none behind.
  s.ErrCode = 0;
  return true;
}

// Raises Code over the whole body (or from its start when its end is not known yet).
void FailBody(int Code, const TBody& Body) {
  auto& s = EngineState;
  RaiseError(s.ExprStr, Code);
  s.ErrPos = Body.Pos;
  s.ErrLen = Body.End > Body.Pos ? Body.End - Body.Pos : 1;
}

// Pumps the host's messages and asks the break question when the Stop button was pressed.
bool Interrupted() {
  PumpMessages();
  return CheckBreak();
}

// The body as the integrand of the quadrature kernel. Nested integrals in the body install their
// own body while they run, so the caller's is kept here.
TBody* CurrentBody = nullptr;

Extended BodyIntegrand(const Extended*, Extended t) {
  TBody* body = CurrentBody;
  if (!body || EngineState.ErrFlag) return 0;
  Extended v = 0;
  body->LastX = t;
  const bool ok = EvalBody(*body, t, v);
  CurrentBody = body;
  if (!ok) return 0;
  body->AbsSum += std::fabs(v);
  return v;
}

// The ten-point Gauss rule on [a, b] over the body; the error of a node stays raised.
Extended GaussOnPart(TBody& Body, Extended a, Extended b) {
  TBody* const outer = CurrentBody;
  Body.AbsSum = 0;
  CurrentBody = &Body;
  EngineState.ErrCode = 0;
  const Extended v = GaussLegendre10(BodyIntegrand, nullptr, b, a);
  CurrentBody = outer;
  return v;
}

// Leaves the engine as it was before a read of the body that failed.
void TakeBackError(Extended Ans) {
  auto& s = EngineState;
  s.ErrFlag = false;
  s.ErrCode = 0;
  s.ErrPos = 0;
  s.ErrLen = 0;
  s.Ans = Ans;
}

// Reads the body at x where it may fail without the integral failing (next to a point where it
// is singular): such an error is taken back and only answered by false. A break stays raised.
bool ReadQuietly(TBody& Body, Extended x, Extended& f) {
  const Extended ans = EngineState.Ans;
  if (EvalBody(Body, x, f)) return true;
  if (EngineState.ErrCode != errUserBreak) TakeBackError(ans);
  return false;
}

// A value as the integration progress shows it: 21 digits in scientific notation.
std::string PassText(Extended Value) {
  const auto mode = EngineSettings.DisplayMode;
  EngineSettings.DisplayMode = 0;
  std::string text = LogText(21, Value);
  EngineSettings.DisplayMode = mode;
  return text;
}

// --- the double-exponential rule, for integrals whose Gauss passes do not settle ---

// The substitution x = mid + half * tanh(pi/2 * sinh t) crowds the nodes towards both ends
// double-exponentially, so that integrands with a singular or non-smooth end (ln x, x^-0.7,
// sqrt(1 - x^2) at 1) are integrated as fast as smooth ones. Each level halves the step in t.
constexpr int DELevels = 12;
constexpr Extended DETMax = 10;
constexpr int DENodesPerPump = 64;

struct TDoubleExponential {
  TBody& Body;
  Extended Low, Up;
  Extended Half;
  // Beyond these t the body could not be read at one end (an abscissa too close to it to be
  // told apart, or a value that overflowed or underflowed there); the nodes beyond are left out.
  Extended Cut[2] = {DETMax, DETMax};
  // |w f| at the outermost node read at each end, and its t: what the left-out tail may add.
  Extended Edge[2] = {0, 0};
  Extended EdgeT[2] = {0, 0};
  Extended AbsSum = 0;
  int Nodes = 0;

  // Adds w(t) (f(left node) + f(right node)) to Sum, or w(0) f(mid) for t = 0. False on a break or
  // on an error that is the body's own.
  bool AddPair(Extended t, Extended& Sum) {
    const Extended u = BuiltinPi / 2 * std::sinh(t);
    const Extended e = std::exp(-2 * u);
    // The distance of each node from its end, in units of Half, taken without cancellation.
    const Extended d = 2 * e / (1 + e);
    const Extended w = BuiltinPi / 2 * std::cosh(t) * 2 * d / (1 + e);
    const Extended mid = Low / 2 + Up / 2;
    for (int side = 0; side < (t == 0 ? 1 : 2); ++side) {
      if (t >= Cut[side]) continue;
      const Extended x = t == 0 ? mid : side == 0 ? Low + Half * d : Up - Half * d;
      const bool inside = Low < Up ? x > Low && x < Up : x < Low && x > Up;
      if (!(d > 0) || !inside) {
        Cut[side] = t;
        continue;
      }
      Extended f = 0;
      if (!ReadNode(x, side, t, f)) {
        if (EngineState.ErrFlag) return false;
        continue;
      }
      const Extended term = w * f;
      Sum += term;
      AbsSum += std::fabs(term);
      if (t >= EdgeT[side]) {
        EdgeT[side] = t;
        Edge[side] = std::fabs(term);
      }
    }
    if (++Nodes % DENodesPerPump == 0 && Interrupted()) return false;
    return true;
  }

  // Reads the body at x. An error this close to an end, where the Gauss passes have read the
  // body without one, comes from the abscissa's extreme distance to the end: the tail beyond is
  // left out (and judged by the outermost term read). A break is passed on.
  bool ReadNode(Extended x, int Side, Extended t, Extended& f) {
    if (ReadQuietly(Body, x, f)) return true;
    if (!EngineState.ErrFlag) Cut[Side] = t;
    return false;
  }
};

// The integral of the body over [Low, Up] by the double-exponential rule, settled when two levels
// agree to Tol and the left-out tails are below it. False on an error, a break, or when it does
// not settle (nothing raised then). The progress shows Before + the value, Before being the
// pieces of the integral already done.
bool DoubleExponential(TBody& Body, Extended Low, Extended Up, Extended Tol, Extended& Value,
                       Extended Before = 0) {
  TDoubleExponential de{Body, Low, Up, Up / 2 - Low / 2};
  Extended sum = 0;  // the sum of w f over all nodes read so far
  Extended previous = 0;
  Extended h = 1;
  for (int level = 0; level <= DELevels; ++level, h /= 2) {
    // Level 0 reads t = 0, ±1, ±2, ...; every later level the odd multiples of the new step.
    const Extended first = level == 0 ? 0 : h;
    const Extended stride = level == 0 ? 1 : 2 * h;
    for (Extended t = first; t < DETMax; t += stride)
      if (!de.AddPair(t, sum)) return false;
    const Extended value = de.Half * h * sum;
    EngineHost().ShowIntegrationPass(PassText(Before + value));
    // Beyond the outermost nodes the terms fall off at least as fast as between them.
    const Extended tails = std::fabs(de.Half) * h * (de.Edge[0] + de.Edge[1]);
    const Extended absolute = std::fabs(de.Half) * h * de.AbsSum;
    if (level >= 2 && std::fabs(value - previous) <= Tol * std::fabs(value) + 1.0E-15L * absolute &&
        tails <= Tol * std::fabs(value) + 1.0E-15L * absolute) {
      Value = value;
      return true;
    }
    previous = value;
  }
  return false;
}

// --- integrands singular inside the interval ---

// The passes leave a singular point inside the interval where the Gauss value of one part keeps
// changing when it is halved; there the interval is cut, so that the point becomes an end of two
// pieces that the double-exponential rule resolves.
constexpr int MaxInnerPoints = 16;
// A part counts when its change is this large beside the largest one (an end singularity, which
// the double-exponential rule copes with, may dwarf one inside).
constexpr Extended InnerShare = 1.0E-6L;
constexpr int MaxLocateSteps = 200;

struct TInnerSearch {
  TBody& Body;
  Extended Low, Up;  // the interval, Low < Up
  Extended Near;     // points closer than this are one point

  // The Gauss value of [a, b]. False on a break, or with Failed set when the body cannot be
  // read at a node: that node is the point sought.
  bool Part(Extended a, Extended b, Extended& Value, bool& Failed) {
    auto& s = EngineState;
    const Extended ans = s.Ans;
    Value = GaussOnPart(Body, a, b);
    if (!s.ErrFlag) return !Interrupted();
    if (s.ErrCode == errUserBreak) return false;
    TakeBackError(ans);
    Failed = true;
    return true;
  }

  // How much the Gauss value of [a, b] changes when it is halved. False on a break; Failed as
  // for Part, with Point the node.
  bool Change(Extended a, Extended b, Extended& Value, bool& Failed, Extended& Point) {
    const Extended m = a / 2 + b / 2;
    const Extended ends[3][2] = {{a, b}, {a, m}, {m, b}};
    Extended v[3] = {0, 0, 0};
    for (int i = 0; i < 3; ++i) {
      if (!Part(ends[i][0], ends[i][1], v[i], Failed)) return false;
      if (Failed) {
        Point = Body.LastX;
        return true;
      }
    }
    Value = std::fabs(v[0] - v[1] - v[2]);
    return true;
  }

  // |f(x)| into Size; false when the body cannot be read there (x is the point sought) or on a
  // break (raised).
  bool Size(Extended x, Extended& Value) {
    if (!ReadQuietly(Body, x, Value)) return false;
    Value = std::fabs(Value);
    return true;
  }

  // Narrows [a, b] (a < b) to the point that troubles it. First, of two halves, the one whose
  // value changes more when halved again holds it, while the rule can still tell them apart;
  // then, around what is left, the abscissa where the body is largest (or cannot be read): a
  // point that is no binary fraction (pi/2) lies between two numbers, and the body is largest
  // at the nearer one. False on a break.
  bool Locate(Extended a, Extended b, Extended& Point) {
    for (int step = 0; step < MaxLocateSteps && b - a > Near; ++step) {
      const Extended m = a / 2 + b / 2;
      Extended left = 0, right = 0;
      bool failed = false;
      if (!Change(a, m, left, failed, Point)) return false;
      if (failed) return true;
      if (!Change(m, b, right, failed, Point)) return false;
      if (failed) return true;
      (right > left ? a : b) = m;
    }
    // The point may lie just beyond the halves chosen last.
    const Extended w = b - a;
    a = std::max(Low, a - w);
    b = std::min(Up, b + w);
    for (int step = 0; step < MaxLocateSteps; ++step) {
      const Extended third = b / 3 - a / 3;
      const Extended m1 = a + third, m2 = b - third;
      if (!(a < m1 && m1 < m2 && m2 < b)) break;
      Extended f1 = 0, f2 = 0;
      if (!Size(m1, f1)) return Found(m1, Point);
      if (!Size(m2, f2)) return Found(m2, Point);
      if (f1 < f2)
        a = m1;
      else
        b = m2;
      if (Interrupted()) return false;
    }
    // A few numbers are left (or, around 0, the closest of them have been looked at).
    Extended largest = -1;
    int count = 0;
    for (Extended x = a; x <= b && count < 16; x = std::nextafter(x, b), ++count) {
      Extended f = 0;
      if (!Size(x, f)) return Found(x, Point);
      if (f > largest) {
        largest = f;
        Point = x;
      }
      if (x == b) break;
    }
    return true;
  }

  // The body could not be read at x: the point, unless it was a break.
  static bool Found(Extended x, Extended& Point) {
    if (EngineState.ErrFlag) return false;
    Point = x;
    return true;
  }
};

// The points inside (Low, Up) where the body is singular, ascending, from the part values of the
// last two passes (Coarse has half as many parts as Fine). False on a break.
bool FindInnerPoints(TBody& Body, Extended Low, Extended Up, const std::vector<Extended>& Coarse,
                     const std::vector<Extended>& Fine, std::vector<Extended>& Points) {
  Points.clear();
  const size_t n = Coarse.size();
  if (n == 0 || Fine.size() != 2 * n) return true;
  std::vector<std::pair<Extended, size_t>> changes;
  Extended largest = 0;
  for (size_t k = 0; k < n; ++k) {
    const Extended c = std::fabs(Coarse[k] - Fine[2 * k] - Fine[2 * k + 1]);
    changes.emplace_back(c, k);
    largest = std::max(largest, c);
  }
  if (!(largest > 0)) return true;
  std::sort(changes.begin(), changes.end(),
            [](const auto& p, const auto& q) { return p.first > q.first; });
  const Extended lo = std::min(Low, Up), hi = std::max(Low, Up);
  TInnerSearch search{Body, lo, hi, (hi - lo) * 0x1p-50L};
  const Extended h = Up / static_cast<Extended>(n) - Low / static_cast<Extended>(n);
  for (size_t i = 0; i < changes.size() && i < MaxInnerPoints; ++i) {
    if (!(changes[i].first > InnerShare * largest)) break;
    const auto k = static_cast<Extended>(changes[i].second);
    const Extended a = Low + k * h;
    const Extended b = changes[i].second + 1 == n ? Up : Low + (k + 1) * h;
    Extended point = 0;
    if (!search.Locate(std::min(a, b), std::max(a, b), point)) return false;
    // The ends are the double-exponential rule's already.
    if (!(point > lo && point < hi)) continue;
    const bool known = std::any_of(Points.begin(), Points.end(),
                                   [&](Extended p) { return std::fabs(p - point) <= search.Near; });
    if (!known) Points.push_back(point);
  }
  std::sort(Points.begin(), Points.end());
  return true;
}

// The integral over [Low, Up] cut at the inner points, each piece by the double-exponential rule.
// False on an error, a break, or a piece that does not settle.
bool IntegrateInPieces(TBody& Body, Extended Low, Extended Up, std::vector<Extended> Points,
                       Extended Tol, Extended& Value) {
  if (Up < Low) std::reverse(Points.begin(), Points.end());
  Points.insert(Points.begin(), Low);
  Points.push_back(Up);
  Extended sum = 0;
  for (size_t i = 0; i + 1 < Points.size(); ++i) {
    Extended piece = 0;
    if (!DoubleExponential(Body, Points[i], Points[i + 1], Tol, piece, sum)) return false;
    sum += piece;
  }
  Value = sum;
  return true;
}

// --- extremum search, in "minimum of g" form: g = f, or g = -f for a maximum ---

struct TPoint {
  Extended X = 0;
  Extended G = 0;
};

bool G(TBody& Body, bool Max, Extended x, Extended& g) {
  if (!EvalBody(Body, x, g)) return false;
  if (Max) g = -g;
  return true;
}

// Parabolic refinement of the bracket (a, m, c) around a sampled minimum of g.
bool ParabolicExtremum(TBody& Body, bool Max, Extended a, Extended m, Extended c, TPoint& Result) {
  constexpr Extended tol = 1.0E-15L;
  Extended fa = 0, fm = 0, fc = 0;
  if (!G(Body, Max, a, fa) || !G(Body, Max, m, fm) || !G(Body, Max, c, fc)) return false;
  for (int step = 0; step < ParabolicSteps; ++step) {
    if (Interrupted()) return false;
    const Extended p = (m - a) * (fc - fa) - (c - a) * (fm - fa);
    Extended x = 0.6L * c + 0.4L * a;
    if (p != 0) x = a - ((c - a) * (c - a) * (fm - fa) - (m - a) * (m - a) * (fc - fa)) / (2 * p);
    // A vertex outside the bracket or at its middle gives no progress: take a fixed point.
    if (!std::isfinite(x) || x <= a || x >= c || std::fabs(x - (a + c) / 2) < 0.001L * (c - a))
      x = 0.6L * c + 0.4L * a;
    Extended fx = 0;
    if (!G(Body, Max, x, fx)) return false;
    if (std::fabs(fx - fm) - tol * std::fabs(fm) - 1.0E-20L < 0) {
      Result = fx <= fm ? TPoint{x, fx} : TPoint{m, fm};
      return true;
    }
    if (x >= m) {
      if (fx >= fm) {
        c = x;
        fc = fx;
      } else {
        a = m;
        fa = fm;
        m = x;
        fm = fx;
      }
    } else if (fx >= fm) {
      a = x;
      fa = fx;
    } else {
      c = m;
      fc = fm;
      m = x;
      fm = fx;
    }
    // A bracket narrowed to the resolution of the numbers holds the extremum already.
    const Extended scale = std::max(std::fabs(a), std::fabs(c));
    if (!(c - a > 8 * std::numeric_limits<Extended>::epsilon() * scale)) {
      Result = {m, fm};
      return true;
    }
  }
  FailBody(errExtremumNotFound, Body);
  return false;
}

// Samples g over [a, b] and refines every sampled minimum; Best receives the smallest value.
bool SearchInterval(TBody& Body, bool Max, Extended a, Extended b, TPoint& Best) {
  if (a > b) std::swap(a, b);
  const Extended h = b / SearchSteps - a / SearchSteps;
  std::vector<Extended> g(SearchSteps + 1);
  for (int i = 0; i <= SearchSteps; ++i) {
    const Extended x = i == SearchSteps ? b : a + i * h;
    if (!G(Body, Max, x, g[static_cast<size_t>(i)])) return false;
    if (i % SamplesPerPump == 0 && Interrupted()) return false;
  }
  Best = g[SearchSteps] < g[0] ? TPoint{b, g[SearchSteps]} : TPoint{a, g[0]};
  for (int i = 1; i < SearchSteps; ++i) {
    const auto k = static_cast<size_t>(i);
    // A sample that the curve does not rise into and rises out of: a minimum lies around it.
    if (g[k] > g[k - 1] || !(g[k + 1] > g[k])) continue;
    const Extended x = a + i * h;
    TPoint p;
    if (!ParabolicExtremum(Body, Max, x - h, x, x + h, p)) return false;
    if (p.G < Best.G) Best = p;
  }
  return true;
}

bool SearchParts(TBody& Body, bool Max, Extended Low, Extended Up, int Parts, TPoint& Best) {
  const Extended w = Up / Parts - Low / Parts;
  for (int i = 0; i < Parts; ++i) {
    const Extended a = Low + i * w;
    const Extended b = i + 1 == Parts ? Up : Low + (i + 1) * w;
    TPoint p;
    if (!SearchInterval(Body, Max, a, b, p)) return false;
    if (i == 0 || p.G < Best.G) Best = p;
  }
  return true;
}

int Sign(Extended v) { return v > 0 ? 1 : v < 0 ? -1 : 0; }

}  // namespace

TProcedureCounters SaveProcedureCounters() {
  return {IntervalLow, IntervalUp, IntervalCount, ExtremumText, ExtremumLetters};
}

void RestoreProcedureCounters(const TProcedureCounters& Counters) {
  IntervalLow = Counters.Low;
  IntervalUp = Counters.Up;
  IntervalCount = Counters.Count;
  ExtremumText = Counters.Text;
  ExtremumLetters = Counters.Letters;
}

void ResetIntervalBounds() {
  IntervalLow = UndefinedValue;
  IntervalUp = UndefinedValue;
}

void Integral(Extended& Value) {
  auto& s = EngineState;
  Value = 0;
  const Extended savedX = VarValues[varX];
  Extended low = 0, up = 0;
  if (!EvalTwoArgs(up, low)) return;
  IntervalLow = low;
  IntervalUp = up;
  TBody body{s.Pos, 0, EngineSettings.ArgDepth, 0};
  const int precision = std::clamp(EngineHost().Precision(), 1, 18);
  const Extended tol = std::pow(10.0L, -precision);

  Extended previous = 0, sum = 0, lastChange = 0;
  // The part values of the last two passes, where a singular point inside shows.
  std::vector<Extended> parts, previousParts;
  bool failed = false;
  for (int pass = 0, n = 1; !failed; ++pass, n *= 2) {
    sum = 0;
    Extended absolute = 0;
    const Extended h = up / n - low / n;
    previousParts.swap(parts);
    parts.assign(static_cast<size_t>(n), 0);
    for (int k = 0; k < n; ++k) {
      const Extended a = low + k * h;
      const Extended b = k + 1 == n ? up : low + (k + 1) * h;
      const Extended part = GaussOnPart(body, a, b);
      if (s.ErrFlag || Interrupted()) {
        failed = true;
        break;
      }
      parts[static_cast<size_t>(k)] = part;
      sum += part;
      // Ten nodes with weights summing to 2 on [-1, 1]: a rough integral of |f|.
      absolute += body.AbsSum * std::fabs(b - a) / 10;
    }
    if (failed) break;
    if (!std::isfinite(sum)) {
      FailBody(errOverflow, body);
      break;
    }
    EngineHost().ShowIntegrationPass(PassText(sum));
    // Relative agreement at the window's precision; an integral that cancels to about 0 is
    // settled once the change is at the rounding level of the integrand's magnitude.
    const Extended change = std::fabs(sum - previous);
    const Extended noise = 1.0E-15L * absolute;
    if (pass > 0 && change <= tol * std::fabs(sum) + noise) {
      // Passes that settle slowly (an end where the integrand is not smooth) are still wrong by
      // about their last change; the double-exponential rule is exact there when it settles.
      if (pass > 1 && change > 1000 * noise && change > 1.0E-3L * lastChange) {
        Extended de = 0;
        if (DoubleExponential(body, low, up, tol, de)) sum = de;
      }
      break;
    }
    lastChange = change;
    if (n >= MaxIntegralParts) {
      // The passes do not settle: a singular or non-smooth end, which the double-exponential
      // rule resolves, or such a point inside, where the interval is cut for it.
      Extended de = 0;
      std::vector<Extended> inner;
      if (DoubleExponential(body, low, up, tol, de)) {
        sum = de;
      } else if (!s.ErrFlag && FindInnerPoints(body, low, up, previousParts, parts, inner) &&
                 !inner.empty() && IntegrateInPieces(body, low, up, inner, tol, de)) {
        sum = de;
      } else if (!s.ErrFlag) {
        FailBody(errSingularity, body);
      }
      break;
    }
    previous = sum;
  }
  VarValues[varX] = savedX;
  if (s.ErrFlag) return;
  Value = sum;
}

void Solve(Extended& Value) {
  auto& s = EngineState;
  Value = 0;
  const Extended savedX = VarValues[varX];
  const int first = s.Pos;
  Extended low = 0, up = 0;
  if (!EvalTwoArgs(up, low)) return;
  IntervalLow = low;
  IntervalUp = up;
  VarValues[varL] = low;
  VarValues[varU] = up;
  TBody body{s.Pos, 0, EngineSettings.ArgDepth, 0};
  auto finish = [&](Extended Result) {
    VarValues[varX] = savedX;
    if (!s.ErrFlag) Value = Result;
  };

  Extended fLow = 0, fUp = 0;
  if (!EvalBody(body, low, fLow) || !EvalBody(body, up, fUp)) return finish(0);
  if (up < low) {
    RaiseError(s.ExprStr, errInterval);
    s.ErrPos = first;
    s.ErrLen = std::max(body.Pos - first, 1);
    return finish(0);
  }
  if (fLow == 0) return finish(low);
  if (fUp == 0) return finish(up);

  if (Sign(fLow) == Sign(fUp)) {
    // No sign change at the ends: the extremum nearest to 0 either touches 0 (a double root) or
    // crosses it, and then a root lies between it and Up.
    const bool max = fLow < 0;
    if (LoopDepth == 0) {
      ExtremumText.clear();
      IntervalCount = 1;
    }
    TPoint best;
    if (!SearchParts(body, max, low, up, 1, best)) return finish(0);
    const Extended extremum = max ? -best.G : best.G;
    if (max ? !(extremum > -1.0E-18L) : !(extremum < 1.0E-18L)) {
      FailBody(errInterval, body);
      return finish(0);
    }
    low = best.X;
    fLow = extremum;
    if (std::fabs(fLow) < 1.0E-15L || low == up) return finish(low);
  }

  // Bisection to the resolution of the numbers: the test is on the interval, not on f, so that
  // neither a steep nor a very flat function stops it early.
  const Extended scale = std::max(std::fabs(fLow), std::fabs(fUp));
  Extended lo = low, hi = up, fLo = fLow, fHi = fUp;
  for (int step = 0; step < MaxBisections; ++step) {
    const Extended mid = lo / 2 + hi / 2;
    if (!(mid > lo && mid < hi)) break;
    Extended fm = 0;
    if (!EvalBody(body, mid, fm)) return finish(0);
    if (fm == 0) return finish(mid);
    if (Sign(fm) == Sign(fHi)) {
      hi = mid;
      fHi = fm;
    } else {
      lo = mid;
      fLo = fm;
    }
    if (Interrupted()) return finish(0);
  }
  const bool loBetter = std::fabs(fLo) <= std::fabs(fHi);
  // A sign change where |f| grew beyond its values at the ends is a pole, not a root.
  if (std::min(std::fabs(fLo), std::fabs(fHi)) > scale) {
    FailBody(errSingularity, body);
    return finish(0);
  }
  finish(loBetter ? lo : hi);
}

void Extremum(bool Max, Extended& Value) {
  auto& s = EngineState;
  Value = 0;
  const Extended savedX = VarValues[varX];
  Extended low = 0, up = 0;
  if (!EvalTwoArgs(up, low)) return;
  // The values before L and U receive the bounds: a plot point with other letters is a new
  // request, not a repeated one.
  const std::array<Extended, 11> letters = LetterSnapshot();
  VarValues[varL] = low;
  VarValues[varU] = up;
  int parts = 1;
  if (LoopDepth == 0) {
    if (low == IntervalLow && up == IntervalUp && s.ExprStr == ExtremumText &&
        SameLettersRead(letters)) {
      IntervalCount = std::min(2 * std::max(IntervalCount, 1), MaxExtremumParts);
    } else {
      IntervalCount = 1;
      IntervalLow = low;
      IntervalUp = up;
      ExtremumText = s.ExprStr;
    }
    ExtremumLetters = letters;
    LetterReadMask = 0;
    parts = IntervalCount;
  }
  TBody body{s.Pos, 0, EngineSettings.ArgDepth, 0};
  TPoint best;
  const bool ok = SearchParts(body, Max, low, up, parts, best);
  VarValues[varX] = savedX;
  if (!ok) return;
  ExtremumX = best.X;
  Value = Max ? -best.G : best.G;
}

void ListFunction(int Id, Extended& Value) {
  auto& s = EngineState;
  Value = 0;
  if (s.CurChar != '(') {
    RaiseError(s.ExprStr, errMissingOpen);
    return;
  }
  const int outerDepth = EngineSettings.ArgDepth;
  // Inside the list a ',' ends each value.
  EngineSettings.ArgDepth = outerDepth + 1;
  std::vector<Extended> v;
  do {
    Advance();
    Extended x = 0;
    Expression(x);
    if (s.ErrFlag) return;
    v.push_back(x);
  } while (s.CurChar == ',');
  EngineSettings.ArgDepth = outerDepth;
  if (s.CurChar != ')' && s.CurChar != EndChar) {
    RaiseError(s.ExprStr, errMissingClose);
    return;
  }

  const auto n = static_cast<Extended>(v.size());
  // The sums are taken over the values scaled by a power of two near the largest magnitude, so
  // that large values that are representable, and whose norm or spread is, do not overflow on
  // the way (norm(1E3000) is 1E3000); the scaling itself is exact.
  Extended largest = 0;
  for (Extended x : v) largest = std::max(largest, std::fabs(x));
  const int e = largest > 0 ? std::ilogb(largest) : 0;
  Extended sumY = 0, squaresY = 0;
  for (Extended x : v) {
    const Extended y = std::ldexp(x, -e);
    sumY += y;
    squaresY += y * y;
  }
  const Extended meanY = sumY / n;
  // Deviations from the mean, computed in a second pass so that a large common offset does
  // not cancel away the spread.
  Extended deviationsY = 0;
  for (Extended x : v) {
    const Extended d = std::ldexp(x, -e) - meanY;
    deviationsY += d * d;
  }
  const Extended sum = std::ldexp(sumY, e);
  const Extended mean = std::ldexp(meanY, e);
  const Extended squares = std::ldexp(squaresY, 2 * e);
  const Extended deviations = std::ldexp(deviationsY, 2 * e);
  const Extended sampleY = v.size() > 1 ? deviationsY / (n - 1) : 0;
  const Extended sample = std::ldexp(sampleY, 2 * e);

  switch (Id) {
    case 38:
      Value = mean;
      break;
    case 39:
      Value = std::ldexp(std::sqrt(sampleY), e);
      break;
    case 41:
      Value = sum;
      break;
    case 43: {
      // poly(t, a0, a1, ..., aK) by Horner's rule.
      Extended r = 0;
      for (size_t i = v.size(); i-- > 1;) r = r * v[0] + v[i];
      Value = r;
      break;
    }
    case 44:
      Value = deviations;
      break;
    case 94: {
      // The inverses are taken of the values scaled by a power of two near the smallest
      // magnitude, so that one below about 1E-4932, whose inverse is past the range, does not
      // make the mean 0: hmn(1E-4940) is 1E-4940. A value far above the smallest then adds 0.
      Extended smallest = largest;
      for (Extended x : v) {
        // A division by zero, not a domain error: the previous result stays.
        if (x == 0) {
          RaiseError(s.ExprStr, errDivisionByZero);
          return;
        }
        smallest = std::min(smallest, std::fabs(x));
      }
      const int k = std::ilogb(smallest);
      Extended inverseY = 0;
      for (Extended x : v) inverseY += 1 / std::ldexp(x, -k);
      if (inverseY == 0) {
        RaiseError(s.ExprStr, errDivisionByZero);
        return;
      }
      Value = std::ldexp(n / inverseY, k);
      break;
    }
    case 97:
      Value = std::ldexp(std::sqrt(squaresY), e);
      break;
    case 98:
      Value = std::ldexp(std::sqrt(deviationsY / n), e);
      break;
    case 99:
      Value = deviations / n;
      break;
    case 100:
      Value = squares;
      break;
    case 101:
      Value = sample;
      break;  // the sample variance, as its help text says
    case 107: {
      if (std::all_of(v.begin(), v.end(), [](Extended x) { return x > 0; })) {
        // Through the logarithms, so that a long list of large values does not overflow.
        Extended logs = 0;
        for (Extended x : v) logs += std::log(x);
        Value = std::exp(logs / n);
      } else {
        Extended product = 1;
        for (Extended x : v) product *= x;
        Value = Power(product, 1 / n);
        if (s.ErrFlag) return;
      }
      break;
    }
    default:
      break;
  }
  if (!std::isfinite(Value)) {
    Value = 0;
    RaiseError(s.ExprStr, errOverflow);
  }
}
