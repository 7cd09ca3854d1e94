// The engine's long double sine, cosine and exponential over the argument ranges the plot
// formulas feed them, beside the double functions of the C library as the peer: each turn times
// both over the same 1024 arguments, so that a shared machine slows both alike.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <ctime>
#include <random>
#include <vector>

#include "engine/engine_state.h"
#include "engine/exp_kernel.h"
#include "engine/specfun.h"

namespace {

struct TKernel {
  const char* Name;
  Extended (*Engine)(const Extended&);
  double (*Peer)(double);
  double Low, High;
};

double PeerSin(double x) { return std::sin(x); }
double PeerCos(double x) { return std::cos(x); }
double PeerExp(double x) { return std::exp(x); }

const TKernel Kernels[] = {
    {"sin [2.5, 4.2]", SafeSin, PeerSin, 2.5, 4.2},
    {"sin [0.1, 3.1]", SafeSin, PeerSin, 0.1, 3.1},
    {"sin [0.2, 6.6]", SafeSin, PeerSin, 0.2, 6.6},
    {"sin [-0.78, 0.78]", SafeSin, PeerSin, -0.78, 0.78},
    {"sin [-300, 300]", SafeSin, PeerSin, -300, 300},
    {"cos [2.5, 4.2]", SafeCos, PeerCos, 2.5, 4.2},
    {"cos [0.1, 3.1]", SafeCos, PeerCos, 0.1, 3.1},
    {"cos [0.2, 6.6]", SafeCos, PeerCos, 0.2, 6.6},
    {"cos [-300, 300]", SafeCos, PeerCos, -300, 300},
    {"exp [-5, 0]", KernelExp, PeerExp, -5, 0},
    {"exp [-12, 12]", KernelExp, PeerExp, -12, 12},
};

constexpr int Count = 1024;

double ThreadSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

// Time per call of the engine's kernel and of the double peer over the same arguments; the
// calls are independent, so the figures are throughput as a plot's loop sees it.
void Kernel(benchmark::State& State) {
  const TKernel& k = Kernels[State.range(0)];
  State.SetLabel(k.Name);
  std::mt19937_64 rng(11);
  std::uniform_real_distribution<double> d(k.Low, k.High);
  std::vector<Extended> wide(Count);
  std::vector<double> narrow(Count);
  for (int i = 0; i < Count; ++i) {
    narrow[i] = d(rng);
    wide[i] = narrow[i];
  }
  double engine = 0, peer = 0;
  for (auto _ : State) {
    const double t0 = ThreadSeconds();
    Extended sum = 0;
    for (const Extended x : wide) sum += k.Engine(x);
    benchmark::DoNotOptimize(sum);
    const double t1 = ThreadSeconds();
    double peerSum = 0;
    for (const double x : narrow) peerSum += k.Peer(x);
    benchmark::DoNotOptimize(peerSum);
    const double t2 = ThreadSeconds();
    engine += t1 - t0;
    peer += t2 - t1;
  }
  const double calls = static_cast<double>(State.iterations()) * Count;
  State.counters["engine_ns"] = 1e9 * engine / std::max(calls, 1.0);
  State.counters["peer_ns"] = 1e9 * peer / std::max(calls, 1.0);
  State.counters["ratio"] = engine / std::max(peer, 1e-12);
}

}  // namespace

BENCHMARK(Kernel)->DenseRange(0, static_cast<int>(std::size(Kernels)) - 1);
