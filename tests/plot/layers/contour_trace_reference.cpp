// The contour tracer as it was before it was swept row by row: every piece of every cell merged
// through a hash of its ends' coordinates. Kept only to check the tracer against it.
#include "contour_trace_reference.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <deque>
#include <unordered_map>
#include <unordered_set>
#include <utility>

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

struct TSegment {
  int A, B;
  double Steepness;
};

// Segment ends are merged when they lie within the tolerances; the buckets of tolerance size
// let a lookup look only at the neighbourhood of a point.
class TNodeSet {
 public:
  TNodeSet(double ATolX, double ATolY)
      : TolX(ATolX), TolY(ATolY), QX(ATolX > 0 ? ATolX : 1), QY(ATolY > 0 ? ATolY : 1) {}
  std::vector<TDoublePoint> Points;

  int NodeOf(TDoublePoint P) {
    const std::int64_t KX = Bucket(P.X / QX), KY = Bucket(P.Y / QY);
    for (std::int64_t DX = -1; DX <= 1; ++DX)
      for (std::int64_t DY = -1; DY <= 1; ++DY) {
        auto It = Buckets.find(Key(KX + DX, KY + DY));
        if (It == Buckets.end()) continue;
        for (int N : It->second)
          if (std::abs(Points[N].X - P.X) <= TolX && std::abs(Points[N].Y - P.Y) <= TolY) return N;
      }
    Points.push_back(P);
    const int N = static_cast<int>(Points.size()) - 1;
    Buckets[Key(KX, KY)].push_back(N);
    return N;
  }

 private:
  // Bucket numbers of finite points, held far inside the integer range so that a neighbour's
  // number never overflows; points that far apart never merge anyway.
  static std::int64_t Bucket(double V) {
    return static_cast<std::int64_t>(std::clamp(std::floor(V), -1e15, 1e15));
  }
  static std::uint64_t Key(std::int64_t KX, std::int64_t KY) {
    const auto H = static_cast<std::uint64_t>(KX) * 0x9E3779B97F4A7C15ull;
    return H ^ (static_cast<std::uint64_t>(KY) + 0x7F4A7C159E3779B9ull + (H << 6) + (H >> 2));
  }
  double TolX, TolY, QX, QY;
  // Keyed by a mix of the two bucket numbers: two buckets that mix alike only cost a longer
  // list, since every candidate is checked against the tolerances.
  std::unordered_map<std::uint64_t, std::vector<int>> Buckets;
};

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

}  // namespace

std::vector<TContourLine> ReferenceTraceLevel(const TContourGrid& G, double Level, double ZMin,
                                              double ZMax) {
  std::vector<TContourLine> Lines;
  const double L = RoundLevel(Level);
  if (!std::isfinite(L) || !(L >= ZMin && L <= ZMax)) return Lines;
  const int NX = Cols(G), NY = Rows(G);
  if (NX < 2 || NY < 2) return Lines;

  TExtent XE, YE;
  for (int I = 1; I <= NX; ++I) {
    XE.Add(G.XAt(I));
    // Rows given by a vector are the same for every column.
    if (G.YMatrix || I == 1)
      for (int J = 1; J <= NY; ++J) YE.Add(G.YAt(I, J));
  }
  const double TolX = 1e-9 * XE.Width(), TolY = 1e-9 * YE.Width();
  // A corner is on the level when it equals it to about 12 digits of the level or of the cell's
  // own span: that moves a crossing by a trillionth of the cell at most. A tolerance taken from
  // the whole Z range would pull corners decades away from a small level onto it.
  auto ZTolerance = [&](double Lo, double Hi) { return 1e-12 * std::max(std::abs(L), Hi - Lo); };

  TNodeSet Nodes(TolX, TolY);
  std::vector<TSegment> Segments;
  std::unordered_set<std::uint64_t> Seen;
  auto Add = [&](TDoublePoint P1, TDoublePoint P2, double Steep) {
    if (std::abs(P2.X - P1.X) <= TolX && std::abs(P2.Y - P1.Y) <= TolY) return;
    const int A = Nodes.NodeOf(P1), B = Nodes.NodeOf(P2);
    const auto [Lo, Hi] = std::minmax(A, B);
    if (A == B ||
        !Seen.insert(static_cast<std::uint64_t>(Lo) << 32 | static_cast<std::uint32_t>(Hi)).second)
      return;
    Segments.push_back({A, B, Steep});
  };

  for (int J = 1; J < NY; ++J)
    for (int I = 1; I < NX; ++I) {
      const int CI[4] = {I, I + 1, I + 1, I}, CJ[4] = {J, J, J + 1, J + 1};
      TDoublePoint P[4];
      double Z[4];
      int Mask = 0;
      bool Finite = true;
      // Most cells do not reach the level: their heights decide before their corners are read.
      for (int K = 0; K < 4; ++K) {
        Z[K] = G.ZAt(CI[K], CJ[K]);
        if (IsMissingZ(Z[K])) Mask |= 1 << K;
      }
      if (!FillCorners(Z, Mask)) continue;
      const double Lo = *std::min_element(Z, Z + 4), Hi = *std::max_element(Z, Z + 4);
      const double TolZ = ZTolerance(Lo, Hi);
      if (Lo > L + TolZ || Hi < L - TolZ) continue;
      auto Snap = [&](double V) { return std::abs(V - L) <= TolZ ? L : V; };
      for (int K = 0; K < 4; ++K) {
        P[K] = {G.XAt(CI[K]), G.YAt(CI[K], CJ[K])};
        Finite = Finite && std::isfinite(P[K].X) && std::isfinite(P[K].Y);
      }
      if (!Finite) continue;
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
          Add(P[K], P[K2], Steep);
        } else if (ZB == L && ZC == L) {
          Add(P[K2], C, Steep);
        } else if (ZA == L && ZC == L) {
          Add(P[K], C, Steep);
        } else {
          const TDoublePoint EP[3][2] = {{P[K], P[K2]}, {P[K2], C}, {C, P[K]}};
          const double EZ[3][2] = {{ZA, ZB}, {ZB, ZC}, {ZC, ZA}};
          TDoublePoint Latest, Earlier;
          int Found = 0;
          for (int E = 0; E < 3; ++E) {
            TDoublePoint R;
            if (!Crossing(EP[E][0], EZ[E][0], EP[E][1], EZ[E][1], L, R)) continue;
            // Two edges meeting at a vertex on the level cross at the same point; counting it
            // twice would leave only that point and lose the segment to the third edge.
            if (Found > 0 && R == Latest) continue;
            Earlier = Latest, Latest = R, ++Found;
          }
          if (Found >= 2) Add(Earlier, Latest, Steep);
        }
      }
    }

  // Join the segments into lines through the ends they share.
  std::vector<std::vector<int>> AtNode(Nodes.Points.size());
  for (int S = 0; S < static_cast<int>(Segments.size()); ++S) {
    AtNode[Segments[S].A].push_back(S);
    AtNode[Segments[S].B].push_back(S);
  }
  std::vector<bool> Used(Segments.size(), false);
  for (int S0 = 0; S0 < static_cast<int>(Segments.size()); ++S0) {
    if (Used[S0]) continue;
    TContourLine Line;
    Line.Level = L;
    auto Take = [&](int S) {
      Used[S] = true;
      if (Segments[S].Steepness < Line.Steepness || Line.Points.empty()) {
        Line.Steepness = Segments[S].Steepness;
        Line.LabelFrom = Nodes.Points[Segments[S].A];
        Line.LabelTo = Nodes.Points[Segments[S].B];
      }
    };
    Take(S0);
    std::deque<int> Chain{Segments[S0].A, Segments[S0].B};
    auto Next = [&](int Node) {
      for (int S : AtNode[Node])
        if (!Used[S]) {
          Take(S);
          return Segments[S].A == Node ? Segments[S].B : Segments[S].A;
        }
      return -1;
    };
    for (int N = Next(Chain.back()); N >= 0; N = Next(N)) {
      Chain.push_back(N);
      if (N == Chain.front()) break;
    }
    if (Chain.back() != Chain.front())
      for (int N = Next(Chain.front()); N >= 0; N = Next(N)) Chain.push_front(N);
    for (int N : Chain) Line.Points.push_back(Nodes.Points[N]);
    Lines.push_back(std::move(Line));
  }
  return Lines;
}
