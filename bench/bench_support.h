#pragma once
// What the benchmarks that paint or measure memory share: an offscreen application around the
// benchmark run, the engine set up as the windows set it up, and the process's memory.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QtGlobal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "engine/engine_host.h"
#include "engine/engine_state.h"
#include "platform/app_services.h"
#include "platform/application.h"

// The benchmarks named on the command line, inside an application drawing offscreen.
inline int RunBenchmarksOffscreen(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  TApplication App(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

// The engine as the windows hold it: initialised, its host pumping through the platform's
// throttled pump, for as long as this lives.
class TBenchEngine : public TEngineHost {
 public:
  TBenchEngine() {
    EngineInitialize();
    SetEngineHost(this);
  }
  ~TBenchEngine() override { SetEngineHost(nullptr); }
  TBenchEngine(const TBenchEngine&) = delete;
  TBenchEngine& operator=(const TBenchEngine&) = delete;
  void PumpMessages() override { PumpWindowMessages(); }
};

// The process's peak resident size so far, and its resident size now, in bytes.
inline double PeakBytes() {
  rusage U{};
  getrusage(RUSAGE_SELF, &U);
  return static_cast<double>(U.ru_maxrss) * 1024.0;
}

inline double ResidentBytes() {
  long Pages = 0, Resident = 0;
  if (FILE* F = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(F, "%ld %ld", &Pages, &Resident) != 2) Resident = 0;
    std::fclose(F);
  }
  return static_cast<double>(Resident) * static_cast<double>(sysconf(_SC_PAGESIZE));
}

// What the process holds now beyond what it held at construction, at its peak in between: what
// earlier work freed is given back to the system first and the peak is set back (Linux's
// clear_refs), so that each measure is its own.
class TPeakGrowth {
 public:
  TPeakGrowth() {
    malloc_trim(0);
    if (FILE* F = std::fopen("/proc/self/clear_refs", "w")) {
      std::fputs("5", F);
      std::fclose(F);
    }
    FBase = Status("VmRSS:");
  }
  double Bytes() const { return Status("VmHWM:") - FBase; }

 private:
  static double Status(const char* Key) {
    double Value = 0;
    if (FILE* F = std::fopen("/proc/self/status", "r")) {
      char Line[256];
      while (std::fgets(Line, sizeof Line, F))
        if (std::strncmp(Line, Key, std::strlen(Key)) == 0)
          Value = std::atof(Line + std::strlen(Key)) * 1024.0;
      std::fclose(F);
    }
    return Value;
  }
  double FBase = 0;
};
