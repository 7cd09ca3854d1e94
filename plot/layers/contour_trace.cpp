#include "plot/layers/contour_trace.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <unordered_map>
#include <utility>

#include "platform/number_text.h"
#include "plot/core/graph_utils.h"

int TContourGrid::ColCount() const {
  if (Values) return Values->NX();
  return X ? X->GetCount() : 0;
}

int TContourGrid::RowCount() const {
  if (Values) return Values->NY();
  if (YMatrix) return YMatrix->GetNY();
  return Y ? Y->GetCount() : 0;
}

namespace {

// The part of the grid that has both coordinates and values.
int Cols(const TContourGrid& G) {
  if (G.Values) return G.ColCount();
  if (!G.X || !G.Z) return 0;
  int N = std::min(G.ColCount(), G.Z->GetNX());
  if (G.YMatrix) N = std::min(N, G.YMatrix->GetNX());
  return std::max(N, 0);
}

int Rows(const TContourGrid& G) {
  if (G.Values) return G.RowCount();
  if (!G.Z || (!G.Y && !G.YMatrix)) return 0;
  return std::max(std::min(G.RowCount(), G.Z->GetNY()), 0);
}

}  // namespace

void GridZRange(const TContourGrid& G, double& ZMin, double& ZMax) {
  ZMin = 1e38, ZMax = -1e38;
  auto Add = [&](double V) {
    if (!IsMissingZ(V)) WidenRange(ZMin, ZMax, V);
  };
  const int NX = Cols(G), NY = Rows(G);
  if (G.Values) {
    for (double V : G.Values->Values()) Add(V);
    return;
  }
  for (int J = 1; J <= NY; ++J)
    for (int I = 1; I <= NX; ++I) Add(G.ZAt(I, J));
}

double RoundLevel(double Level) {
  if (!std::isfinite(Level)) return Level;
  char Buf[64];
  std::snprintf(Buf, sizeof Buf, "%.12g", Level);
  return std::strtod(Buf, nullptr);
}

namespace {

// Start + I * Step carries the rounding of every step: a level within a billionth of the step of
// a round decimal is that decimal, above all 0, which would otherwise read "1.11E-16".
double OnDecimalGrid(double Level, double Step) {
  if (!std::isfinite(Level) || !std::isfinite(Step) || Step == 0) return Level;
  const int E = static_cast<int>(std::floor(std::log10(std::abs(Step)))) - 9;
  // Powers of ten up to 1e22 are exact doubles: dividing by one rounds correctly.
  if (E < 0 && E >= -22) {
    const double Inv = std::pow(10.0, -E);
    const double N = Level * Inv;
    return std::abs(N) < 1e15 ? std::nearbyint(N) / Inv : Level;
  }
  if (E >= 0 && E <= 22) {
    const double Q = std::pow(10.0, E);
    return std::abs(Level / Q) < 1e15 ? std::nearbyint(Level / Q) * Q : Level;
  }
  return Level;
}

}  // namespace

std::vector<double> ContourLevels(const TContourLevelSettings& S, double ZMin, double ZMax,
                                  QStringList* Errors) {
  std::vector<double> Levels;
  double Start = S.LevelStart, End = S.LevelEnd;
  if (Start == 0 && End == 0) Start = ZMin, End = ZMax;
  if (!S.UseLevelStart) Start = ZMin;
  if (!S.UseLevelEnd) End = ZMax;
  if (S.AutoLevels) {
    // A flat grid, or one without values, has no levels at all.
    if (std::abs(ZMin - ZMax) < 1e-50 || ZMin > ZMax) return Levels;
    const int Count = std::clamp(S.LevelCount, 0, MaxContourLevels);
    // In long double: the width of values near the largest double overflows a double.
    const long double Width = static_cast<long double>(End) - Start;
    const double Step = S.UseLevelStep ? S.LevelStep
                        : Count == 1   ? Saturated(Width / 2)
                        : Count > 0    ? Saturated(Width / Count)
                                       : 0;
    for (int I = 1; I <= Count; ++I) {
      const double Level =
          I == 1 ? Start
                 : OnDecimalGrid(Saturated(Start + (I - 1) * static_cast<long double>(Step)), Step);
      if (S.SkipZero && Level == 0) continue;
      if (std::isfinite(Level)) Levels.push_back(Level);
    }
  }
  if (S.UseLevelList)
    for (const QString& T : S.LevelList) {
      double V = 0;
      const QByteArray B = T.toUtf8();
      if (TryTextToFloat(std::string_view(B.constData(), B.size()), V) && std::isfinite(V))
        Levels.push_back(V);
      else if (Errors)
        Errors->append(QStringLiteral("\"%1\" is not a valid number").arg(T));
    }
  return Levels;
}

namespace {

// Where the level crosses the edge P-Q; the ends are ordered first, so that the two cells that
// share an edge compute bit for bit the same point.
bool Crossing(TDoublePoint P, double ZP, TDoublePoint Q, double ZQ, double L, TDoublePoint& R) {
  if (std::pair(Q.X, Q.Y) < std::pair(P.X, P.Y)) std::swap(P, Q), std::swap(ZP, ZQ);
  if (ZQ == ZP) return false;
  const double T = (L - ZP) / (ZQ - ZP);
  if (!(T >= 0 && T <= 1)) return false;
  R = T == 0 ? P : T == 1 ? Q : TDoublePoint{P.X + T * (Q.X - P.X), P.Y + T * (Q.Y - P.Y)};
  return true;
}

// Fills missing corners (bit K-1 of Mask for corner K) where the neighbours allow it; false
// when the cell still lacks a corner.
bool FillCorners(double Z[4], int Mask) {
  auto Avg = [](double A, double B) { return (A + B) / 2; };
  switch (Mask) {
    case 0:
      return true;
    case 0b0001:
      Z[0] = Avg(Z[1], Z[3]);
      return true;
    case 0b0100:
      Z[2] = Avg(Z[1], Z[3]);
      return true;
    case 0b0010:
      Z[1] = Avg(Z[0], Z[2]);
      return true;
    case 0b1000:
      Z[3] = Avg(Z[0], Z[2]);
      return true;
    case 0b0111:
      Z[0] = Z[1] = Z[2] = Z[3];
      return true;
    case 0b1011:
      Z[0] = Z[1] = Z[3] = Z[2];
      return true;
    case 0b1101:
      Z[0] = Z[2] = Z[3] = Z[1];
      return true;
    case 0b1110:
      Z[1] = Z[2] = Z[3] = Z[0];
      return true;
    case 0b1100:
      Z[3] = Z[0], Z[2] = Z[1];
      return true;
    case 0b0110:
      Z[1] = Z[0], Z[2] = Z[3];
      return true;
    // The bottom and the left pair as the top and the right one, so that a mirrored or
    // transposed grid gives the mirrored or transposed lines.
    case 0b0011:
      Z[0] = Z[3], Z[1] = Z[2];
      return true;
    case 0b1001:
      Z[0] = Z[1], Z[3] = Z[2];
      return true;
    default:
      return false;
  }
}

struct TExtent {
  double Lo = std::numeric_limits<double>::infinity(), Hi = -Lo;
  void Add(double V) {
    if (std::isfinite(V)) Lo = std::min(Lo, V), Hi = std::max(Hi, V);
  }
  double Width() const { return Hi >= Lo ? Hi - Lo : 0; }
};

// Cells traced between two questions to the installed break.
constexpr int CellsPerBreakCheck = 4096;

TContourTraceBreakScope* GBreakScope = nullptr;

}  // namespace

TContourTraceBreakScope::TContourTraceBreakScope(TContourTraceBreak Break)
    : FBreak(std::move(Break)), FOuter(GBreakScope) {
  GBreakScope = this;
}

TContourTraceBreakScope::~TContourTraceBreakScope() { GBreakScope = FOuter; }

namespace {

bool TraceBreakAsked() { return GBreakScope && GBreakScope->Asked(); }

// Rows of the grid at hand a band at a time, in row-major buffers: the tabulated grid is stored
// by columns and the graph's matrices answer a value at a time, and both are then swept row by
// row with one read per value. Missing values are NaN here.
class TGridRows {
 public:
  static constexpr int Band = 16;
  TGridRows(const TContourGrid& G, int NX, int NY) : FG(G), FNX(NX), FNY(NY) {
    FZ.resize(std::size_t(std::min(Band, NY)) * std::size_t(NX));
    if (G.YMatrix) FY.resize(FZ.size());
  }
  // Rows J and J + 1 (from 1) at hand.
  void Need(int J) {
    if (J >= FFirst && J + 1 < FFirst + FCount) return;
    FFirst = J;
    FCount = std::min(Band, FNY - J + 1);
    const std::size_t NX = std::size_t(FNX);
    if (FG.Values) {
      const double* Column = FG.Values->Values().data() + (J - 1);
      for (std::size_t I = 0; I < NX; ++I, Column += FNY)
        for (int R = 0; R < FCount; ++R) FZ[std::size_t(R) * NX + I] = Clean(Column[R]);
    } else {
      for (int R = 0; R < FCount; ++R)
        for (std::size_t I = 0; I < NX; ++I)
          FZ[std::size_t(R) * NX + I] = Clean(FG.Z->GetValue(int(I) + 1, J + R));
    }
    if (FG.YMatrix)
      for (int R = 0; R < FCount; ++R)
        for (std::size_t I = 0; I < NX; ++I)
          FY[std::size_t(R) * NX + I] = FG.YMatrix->GetValue(int(I) + 1, J + R);
  }
  const double* Z(int J) const { return &FZ[std::size_t(J - FFirst) * std::size_t(FNX)]; }
  const double* Y(int J) const { return &FY[std::size_t(J - FFirst) * std::size_t(FNX)]; }

 private:
  static double Clean(double V) {
    return IsMissingZ(V) ? std::numeric_limits<double>::quiet_NaN() : V;
  }
  const TContourGrid& FG;
  int FNX, FNY, FFirst = 0, FCount = 0;
  std::vector<double> FZ, FY;
};

// A level being traced: the ends of its pieces so far, merged within the tolerances, and the
// pieces between them. On a grid whose coordinates run one way in steps wider than the
// tolerances, ends near a point can only be those of the cells around it met before: each row
// of cells keeps which ends its cells touch, and only that and the row below are looked
// through. Where cells may overlap, ends are looked up by their place, in boxes of the
// tolerances' size. One serves every level in turn and keeps its room.
class TLevelTrace {
 public:
  TLevelTrace(double ATolX, double ATolY, bool AByPlace)
      : TolX(ATolX),
        TolY(ATolY),
        QX(ATolX > 0 ? ATolX : 1),
        QY(ATolY > 0 ? ATolY : 1),
        ByPlace(AByPlace) {}
  double Level = 0;

  void Start(double ALevel) {
    Level = ALevel;
    FNodes.clear(), FPieces.clear(), FBelow.clear(), FRow.clear();
    FBoxes.clear(), FNextInBox.clear();
    FRowNumber = -1;
  }
  // Cells come row by row; the row below a cell's is the one before only when it is adjacent.
  void EnterRow(int J) {
    if (J == FRowNumber) return;
    if (J == FRowNumber + 1)
      std::swap(FBelow, FRow);
    else
      FBelow.clear();
    FRow.clear();
    FBelowFrom = 0;
    FRowNumber = J;
  }

  // A piece of the line in cell I of the row; pieces shorter than the tolerances, and pieces
  // met before, are left out.
  void Add(int I, TDoublePoint P1, TDoublePoint P2, double Steep) {
    if (std::abs(P2.X - P1.X) <= TolX && std::abs(P2.Y - P1.Y) <= TolY) return;
    const int A = NodeOf(I, P1), B = NodeOf(I, P2);
    if (A == B) return;
    for (int S = FNodes[A].First; S >= 0; S = FPieces[S].NextAt(A))
      if (FPieces[S].Other(A) == B) return;
    const int S = static_cast<int>(FPieces.size());
    FPieces.push_back({A, B, -1, -1, Steep});
    Link(A, S), Link(B, S);
  }

  // The pieces joined into lines through the ends they share, each from its first piece on,
  // forwards and then backwards.
  void Join(std::vector<TContourLine>& Lines) {
    FUsed.assign(FPieces.size(), false);
    std::vector<bool>& Used = FUsed;
    for (int S0 = 0; S0 < static_cast<int>(FPieces.size()); ++S0) {
      if (Used[S0]) continue;
      TContourLine Line;
      Line.Level = Level;
      // The label's piece is the last one joined.
      auto Take = [&](int S) {
        Used[S] = true;
        Line.Steepness = FPieces[S].Steep;
        Line.LabelFrom = FNodes[FPieces[S].A].P;
        Line.LabelTo = FNodes[FPieces[S].B].P;
      };
      auto Next = [&](int Node) {
        for (int S = FNodes[Node].First; S >= 0; S = FPieces[S].NextAt(Node))
          if (!Used[S]) {
            Take(S);
            return FPieces[S].Other(Node);
          }
        return -1;
      };
      Take(S0);
      std::vector<int>&Ahead = FAhead, &Behind = FBehind;
      Ahead.assign({FPieces[S0].A, FPieces[S0].B});
      Behind.clear();
      for (int N = Next(Ahead.back()); N >= 0; N = Next(N)) {
        Ahead.push_back(N);
        if (N == Ahead.front()) break;
      }
      if (Ahead.back() != Ahead.front())
        for (int N = Next(Ahead.front()); N >= 0; N = Next(N)) Behind.push_back(N);
      Line.Points.reserve(Behind.size() + Ahead.size());
      for (auto It = Behind.rbegin(); It != Behind.rend(); ++It)
        Line.Points.push_back(FNodes[*It].P);
      for (int N : Ahead) Line.Points.push_back(FNodes[N].P);
      Lines.push_back(std::move(Line));
    }
  }

 private:
  struct TNode {
    TDoublePoint P;
    int First = -1, Last = -1;  // the pieces that end here, as a list through the pieces
  };
  struct TPiece {
    int A, B;
    int NextA, NextB;  // the next piece at end A and at end B
    double Steep;
    int NextAt(int N) const { return N == A ? NextA : NextB; }
    int Other(int N) const { return N == A ? B : A; }
  };
  struct TTouch {
    int Cell, Node;
  };

  void Link(int N, int S) {
    TNode& Node = FNodes[N];
    if (Node.Last < 0)
      Node.First = S;
    else
      (FPieces[Node.Last].A == N ? FPieces[Node.Last].NextA : FPieces[Node.Last].NextB) = S;
    Node.Last = S;
  }

  bool Near(int N, TDoublePoint P) const {
    return std::abs(FNodes[N].P.X - P.X) <= TolX && std::abs(FNodes[N].P.Y - P.Y) <= TolY;
  }

  // Box numbers of finite points, held far inside the integer range so that a neighbour's
  // number never overflows; points that far apart never merge anyway.
  static std::int64_t Box(double V) {
    return static_cast<std::int64_t>(std::clamp(std::floor(V), -1e15, 1e15));
  }
  static std::uint64_t Key(std::int64_t KX, std::int64_t KY) {
    const auto H = static_cast<std::uint64_t>(KX) * 0x9E3779B97F4A7C15ull;
    return H ^ (static_cast<std::uint64_t>(KY) + 0x7F4A7C159E3779B9ull + (H << 6) + (H >> 2));
  }
  // Where N's box lies around P's, in the order the boxes are looked through.
  int BoxOrder(int N, TDoublePoint P) const {
    const std::int64_t DX = Box(FNodes[N].P.X / QX) - Box(P.X / QX);
    const std::int64_t DY = Box(FNodes[N].P.Y / QY) - Box(P.Y / QY);
    return static_cast<int>((DX + 1) * 3 + DY + 1);
  }

  int MakeNode(TDoublePoint P) {
    FNodes.push_back({P});
    return static_cast<int>(FNodes.size()) - 1;
  }

  // The end at P, made if no end within the tolerances was met before. Of several, the first
  // in the boxes' order wins, and in one box the earliest.
  int NodeOf(int I, TDoublePoint P) {
    if (ByPlace) return NodeByPlace(P);
    int Found = -1;
    auto Try = [&](int N) {
      if (N == Found || !Near(N, P)) return;
      if (Found >= 0) {
        const int A = BoxOrder(N, P), B = BoxOrder(Found, P);
        if (A > B || (A == B && N > Found)) return;
      }
      Found = N;
    };
    while (FBelowFrom < FBelow.size() && FBelow[FBelowFrom].Cell < I - 1) ++FBelowFrom;
    for (std::size_t K = FBelowFrom; K < FBelow.size() && FBelow[K].Cell <= I + 1; ++K)
      Try(FBelow[K].Node);
    for (std::size_t K = FRow.size(); K-- > 0 && FRow[K].Cell >= I - 1;) Try(FRow[K].Node);
    if (Found < 0) Found = MakeNode(P);
    for (std::size_t K = FRow.size(); K-- > 0 && FRow[K].Cell == I;)
      if (FRow[K].Node == Found) return Found;
    FRow.push_back({I, Found});
    return Found;
  }

  int NodeByPlace(TDoublePoint P) {
    const std::int64_t KX = Box(P.X / QX), KY = Box(P.Y / QY);
    for (std::int64_t DX = -1; DX <= 1; ++DX)
      for (std::int64_t DY = -1; DY <= 1; ++DY) {
        const auto It = FBoxes.find(Key(KX + DX, KY + DY));
        if (It == FBoxes.end()) continue;
        for (int N = It->second.first; N >= 0; N = FNextInBox[N])
          if (Near(N, P)) return N;
      }
    const int N = MakeNode(P);
    FNextInBox.push_back(-1);
    const auto [It, New] = FBoxes.try_emplace(Key(KX, KY), N, N);
    if (!New) FNextInBox[It->second.second] = N, It->second.second = N;
    return N;
  }

  const double TolX, TolY, QX, QY;
  const bool ByPlace;
  std::vector<TNode> FNodes;
  std::vector<TPiece> FPieces;
  std::vector<TTouch> FBelow, FRow;  // the ends touched by the cells of the row below and this one
  std::size_t FBelowFrom = 0;
  int FRowNumber = -1;
  // By place: the first and the last end in each box, and each end's next in its box.
  std::unordered_map<std::uint64_t, std::pair<int, int>> FBoxes;
  std::vector<int> FNextInBox;
  std::vector<bool> FUsed;
  std::vector<int> FAhead, FBehind;
};

// The pieces of a level in one cell: the cell is cut into four triangles at its centre, each
// plane in its corners' values and the mean of them at the centre. Corners holds the values,
// missing ones filled.
void TraceCell(TLevelTrace& T, int I, const TDoublePoint P[4], const double Corners[4],
               double TolZ) {
  const double L = T.Level;
  auto Snap = [&](double V) { return std::abs(V - L) <= TolZ ? L : V; };
  double Z[4] = {Corners[0], Corners[1], Corners[2], Corners[3]};
  const TDoublePoint C{(P[0].X + P[1].X) / 2, (P[0].Y + P[2].Y) / 2};
  const double ZC = Snap((Z[0] + Z[1] + Z[2] + Z[3]) / 4);
  for (double& V : Z) V = Snap(V);
  const double DX = (P[1].X + P[2].X) - P[0].X - P[3].X;
  const double DY = (P[2].Y + P[3].Y) - P[0].Y - P[1].Y;
  double Steep = std::numeric_limits<double>::infinity();
  if (DX != 0 && DY != 0) {
    const double GX = ((Z[1] + Z[2]) - Z[0] - Z[3]) / DX;
    const double GY = ((Z[2] + Z[3]) - Z[0] - Z[1]) / DY;
    Steep = GX * GX + GY * GY;
  }
  for (int K = 0; K < 4; ++K) {
    const int K2 = (K + 1) % 4;
    const double ZA = Z[K], ZB = Z[K2];
    const double TLo = std::min({ZA, ZB, ZC}), THi = std::max({ZA, ZB, ZC});
    if (!(TLo <= L && THi >= L) || (ZA == L && ZB == L && ZC == L)) continue;
    if (ZA == L && ZB == L) {
      T.Add(I, P[K], P[K2], Steep);
    } else if (ZB == L && ZC == L) {
      T.Add(I, P[K2], C, Steep);
    } else if (ZA == L && ZC == L) {
      T.Add(I, P[K], C, Steep);
    } else {
      const TDoublePoint EP[3][2] = {{P[K], P[K2]}, {P[K2], C}, {C, P[K]}};
      const double EZ[3][2] = {{ZA, ZB}, {ZB, ZC}, {ZC, ZA}};
      TDoublePoint Latest, Earlier;
      int Found = 0;
      for (int E = 0; E < 3; ++E) {
        TDoublePoint R;
        if (!Crossing(EP[E][0], EZ[E][0], EP[E][1], EZ[E][1], L, R)) continue;
        // Two edges meeting at a vertex on the level cross at the same point; counting it
        // twice would leave only that point and lose the piece to the third edge.
        if (Found > 0 && R == Latest) continue;
        Earlier = Latest, Latest = R, ++Found;
      }
      if (Found >= 2) T.Add(I, Earlier, Latest, Steep);
    }
  }
}

}  // namespace

bool TraceContourLevels(const TContourGrid& G, const std::vector<double>& Levels, double ZMin,
                        double ZMax, std::vector<TContourLine>& Lines) {
  const int NX = Cols(G), NY = Rows(G);
  if (NX < 2 || NY < 2) return true;
  std::vector<double> Xs(static_cast<std::size_t>(NX)), Ys;
  TExtent XE, YE;
  for (int I = 1; I <= NX; ++I) XE.Add(Xs[I - 1] = G.XAt(I));
  if (G.YMatrix) {
    for (int I = 1; I <= NX; ++I)
      for (int J = 1; J <= NY; ++J) YE.Add(G.YAt(I, J));
  } else {
    // Rows given by a vector are the same for every column.
    Ys.resize(static_cast<std::size_t>(NY));
    for (int J = 1; J <= NY; ++J) YE.Add(Ys[J - 1] = G.YAt(1, J));
  }
  auto Corners = [&](int I, int J, TDoublePoint P[4]) {
    P[0] = {Xs[I - 1], G.YMatrix ? G.YAt(I, J) : Ys[J - 1]};
    P[1] = {Xs[I], G.YMatrix ? G.YAt(I + 1, J) : Ys[J - 1]};
    P[2] = {Xs[I], G.YMatrix ? G.YAt(I + 1, J + 1) : Ys[J]};
    P[3] = {Xs[I - 1], G.YMatrix ? G.YAt(I, J + 1) : Ys[J]};
    bool Finite = true;
    for (int K = 0; K < 4; ++K) Finite = Finite && std::isfinite(P[K].X) && std::isfinite(P[K].Y);
    return Finite;
  };

  // The levels that can be met, in their order by value, so that a cell looks only at those
  // within its own range.
  std::vector<double> Rounded;
  std::vector<int> ByValue;
  double MaxAbs = 0;
  for (double Level : Levels) {
    const double L = RoundLevel(Level);
    const bool Met = std::isfinite(L) && L >= ZMin && L <= ZMax;
    Rounded.push_back(Met ? L : std::numeric_limits<double>::quiet_NaN());
    if (Met)
      ByValue.push_back(static_cast<int>(Rounded.size()) - 1),
          MaxAbs = std::max(MaxAbs, std::abs(L));
  }
  std::stable_sort(ByValue.begin(), ByValue.end(),
                   [&](int A, int B) { return Rounded[A] < Rounded[B]; });
  const int Count = static_cast<int>(ByValue.size());

  // A corner is on the level when it equals it to about 12 digits of the level or of the cell's
  // own span: that moves a crossing by a trillionth of the cell at most. A tolerance taken from
  // the whole Z range would pull corners decades away from a small level onto it.
  auto ZTolerance = [](double L, double Lo, double Hi) {
    return 1e-12 * std::max(std::abs(L), Hi - Lo);
  };
  // Z of a cell's corners with the missing ones filled and their range; false for a cell that
  // stays without some corner.
  auto CellZ = [](double Z[4], double& Lo, double& Hi) {
    if (std::isnan(Z[0] + Z[1] + Z[2] + Z[3])) {
      int Mask = 0;
      for (int K = 0; K < 4; ++K)
        if (std::isnan(Z[K])) Mask |= 1 << K;
      if (!FillCorners(Z, Mask)) return false;
    }
    Lo = std::min(std::min(Z[0], Z[1]), std::min(Z[2], Z[3]));
    Hi = std::max(std::max(Z[0], Z[1]), std::max(Z[2], Z[3]));
    return true;
  };

  // First the cells that reach each level, found in one sweep over the grid; then each level's
  // lines from its own cells, so that only one level's ends are held at a time. A level's
  // cells are their columns, each row that has some led by its number negated.
  std::vector<std::vector<int>> CellsOf(Levels.size());
  std::vector<int> LastRow(Levels.size(), 0);
  TGridRows Rows(G, NX, NY);
  int Checked = 0, From = 0;
  for (int J = 1; J < NY && Count > 0; ++J) {
    Rows.Need(J);
    const double *Z0 = Rows.Z(J), *Z1 = Rows.Z(J + 1);
    for (int I = 1; I < NX; ++I) {
      if (++Checked >= CellsPerBreakCheck) {
        Checked = 0;
        if (TraceBreakAsked()) return false;
      }
      double Z[4] = {Z0[I - 1], Z0[I], Z1[I], Z1[I - 1]}, Lo = 0, Hi = 0;
      if (!CellZ(Z, Lo, Hi)) continue;
      // Every level the cell may reach lies within twice the largest tolerance of its range.
      const double Eps = 2e-12 * std::max(MaxAbs, Hi - Lo);
      const double Below = Lo - Eps, Above = Hi + Eps;
      int K = 0, End = Count;
      if (std::isfinite(Below) && std::isfinite(Above)) {
        K = From;
        while (K > 0 && Rounded[ByValue[K - 1]] >= Below) --K;
        while (K < Count && Rounded[ByValue[K]] < Below) ++K;
        From = End = K;
        while (End < Count && Rounded[ByValue[End]] <= Above) ++End;
      }
      int Cornered = 0;  // 1 finite, -1 not
      for (; K < End; ++K) {
        const double L = Rounded[ByValue[K]], TolZ = ZTolerance(L, Lo, Hi);
        if (Lo > L + TolZ || Hi < L - TolZ) continue;
        if (Cornered == 0) {
          TDoublePoint P[4];
          Cornered = Corners(I, J, P) ? 1 : -1;
        }
        if (Cornered < 0) break;
        std::vector<int>& Cells = CellsOf[ByValue[K]];
        if (LastRow[ByValue[K]] != J) Cells.push_back(-J), LastRow[ByValue[K]] = J;
        Cells.push_back(I);
      }
    }
  }

  const double TolX = 1e-9 * XE.Width(), TolY = 1e-9 * YE.Width();
  // Whether coordinates run one way in steps wider than twice the tolerances, so that cells
  // neither overlap nor hide within the tolerances.
  auto OneWay = [](const std::function<double(int)>& At, int Count, double Tol, int& Way) {
    for (int K = 1; K < Count; ++K) {
      const double D = At(K + 1) - At(K);
      const int W = D > 2 * Tol ? 1 : D < -2 * Tol ? -1 : 0;
      if (W == 0 || (Way != 0 && W != Way)) return false;
      Way = W;
    }
    return true;
  };
  int XWay = 0, YWay = 0;
  bool Simple = OneWay([&](int I) { return Xs[I - 1]; }, NX, TolX, XWay);
  if (!G.YMatrix) Simple = Simple && OneWay([&](int J) { return Ys[J - 1]; }, NY, TolY, YWay);
  for (int I = 1; I <= NX && Simple && G.YMatrix; ++I)
    Simple = OneWay([&](int J) { return G.YAt(I, J); }, NY, TolY, YWay);
  TLevelTrace T(TolX, TolY, !Simple);
  std::vector<TContourLine> Traced;
  for (std::size_t Level = 0; Level < Levels.size(); ++Level) {
    if (std::isnan(Rounded[Level])) continue;
    T.Start(Rounded[Level]);
    int J = 0;
    for (const int Cell : CellsOf[Level]) {
      if (Cell < 0) {
        T.EnterRow(J = -Cell);
        continue;
      }
      if (++Checked >= CellsPerBreakCheck) {
        Checked = 0;
        if (TraceBreakAsked()) return false;
      }
      const int I = Cell;
      double Z[4] = {G.ZAt(I, J), G.ZAt(I + 1, J), G.ZAt(I + 1, J + 1), G.ZAt(I, J + 1)}, Lo = 0,
             Hi = 0;
      for (double& V : Z)
        if (IsMissingZ(V)) V = std::numeric_limits<double>::quiet_NaN();
      CellZ(Z, Lo, Hi);
      TDoublePoint P[4];
      Corners(I, J, P);
      TraceCell(T, I, P, Z, ZTolerance(T.Level, Lo, Hi));
    }
    CellsOf[Level] = {};
    T.Join(Traced);
  }
  Lines.insert(Lines.end(), std::make_move_iterator(Traced.begin()),
               std::make_move_iterator(Traced.end()));
  return true;
}

bool TraceContourLevel(const TContourGrid& G, double Level, double ZMin, double ZMax,
                       std::vector<TContourLine>& Lines) {
  return TraceContourLevels(G, {Level}, ZMin, ZMax, Lines);
}

namespace {

// The two positions around V among Count coordinates and V's fraction between them; false when
// the two coordinates coincide. The cell is the first K from 2 on with V <= At(K) (V >= At(K)
// for descending coordinates), else the last one.
bool Bracket(int Count, const std::function<double(int)>& At, int Order, double V, int& I0, int& I1,
             double& T) {
  if (Count == 1) {
    I0 = I1 = 1, T = 0;
    return true;
  }
  auto Reached = [&](int K) { return Order < 0 ? V >= At(K) : V <= At(K); };
  int K = 2;
  if (Order == 0) {
    while (K < Count && !Reached(K)) ++K;
  } else {
    int Hi = Count;
    while (K < Hi) {
      const int M = K + (Hi - K) / 2;
      if (Reached(M))
        Hi = M;
      else
        K = M + 1;
    }
  }
  I0 = K - 1, I1 = K;
  const double A = At(I0), B = At(I1);
  if (!(B != A) || !std::isfinite(A) || !std::isfinite(B)) return false;
  T = (V - A) / (B - A);
  return true;
}

int OrderOf(int Count, const std::function<double(int)>& At) {
  bool Up = true, Down = true;
  for (int K = 2; K <= Count && (Up || Down); ++K) {
    const double A = At(K - 1), B = At(K);
    Up = Up && A < B;
    Down = Down && A > B;
  }
  return Up ? 1 : Down ? -1 : 0;
}

}  // namespace

TContourGridIndex IndexContourGrid(const TContourGrid& G) {
  TContourGridIndex R;
  const int NX = Cols(G), NY = Rows(G);
  if (NX < 1 || NY < 1) return R;
  R.XOrder = OrderOf(NX, [&](int I) { return G.XAt(I); });
  R.YOrder = OrderOf(NY, [&](int J) { return G.YAt(1, J); });
  return R;
}

TGridSpot GridSpotX(const TContourGrid& G, const TContourGridIndex& Index, double X) {
  TGridSpot S;
  const int NX = Cols(G);
  if (NX < 1 || Rows(G) < 1 || !std::isfinite(X)) return S;
  S.Ok = Bracket(
      NX, [&](int I) { return G.XAt(I); }, Index.XOrder, X, S.Lo, S.Hi, S.T);
  return S;
}

TGridSpot GridSpotY(const TContourGrid& G, const TContourGridIndex& Index, double Y) {
  TGridSpot S;
  const int NY = Rows(G);
  if (Cols(G) < 1 || NY < 1 || !std::isfinite(Y)) return S;
  S.Ok = Bracket(
      NY, [&](int J) { return G.YAt(1, J); }, Index.YOrder, Y, S.Lo, S.Hi, S.T);
  return S;
}

double GridZAt(const TContourGrid& G, const TGridSpot& X, const TGridSpot& Y) {
  if (!X.Ok || !Y.Ok) return MissingValue;
  const int I0 = X.Lo, I1 = X.Hi, J0 = Y.Lo, J1 = Y.Hi;
  const double TX = X.T, TY = Y.T;
  const double Z00 = G.ZAt(I0, J0), Z10 = G.ZAt(I1, J0), Z11 = G.ZAt(I1, J1), Z01 = G.ZAt(I0, J1);
  for (double V : {Z00, Z10, Z11, Z01})
    if (IsMissingZ(V)) return IsMissingValue(V) ? V : MissingValue;
  double Z = Z00 * (1 - TX) * (1 - TY) + Z10 * TX * (1 - TY) + Z01 * (1 - TX) * TY + Z11 * TX * TY;
  if (G.YMatrix) Z = std::min(Z, std::max({Z00, Z10, Z11, Z01}));
  return Z;
}

double GridZAt(const TContourGrid& G, double X, double Y, const TContourGridIndex* Index) {
  const TContourGridIndex Own = Index ? TContourGridIndex{} : IndexContourGrid(G);
  if (!Index) Index = &Own;
  return GridZAt(G, GridSpotX(G, *Index, X), GridSpotY(G, *Index, Y));
}
