// The memory of reading a large text file and writing it back: the settings file (a million keys
// in a thousand sections, about 100 MB) opened, one key changed and saved; and a file of lines
// (the history's and the user files' shape) read and written back; and the settings file through
// the readers the program opens on it at start and close, one after another in its order. Reported:
// the growth of the process' peak resident size over its size before, in bytes and per byte of the
// file. The peak is reset before each run (/proc/self/clear_refs), so every figure is its own.
//   text_file_memory_bench [--benchmark_filter=...]     (a release build with -DNUMYX_BENCH=ON)
#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>

#include <functional>

#include "bench/bench_support.h"
#include "platform/ini_file.h"
#include "platform/text_file.h"
#include "plot/core/graph_mem_ini_file.h"

namespace {

// Lines of about 100 bytes: "[SectionN]" headers over Keys keys each, or plain lines.
qint64 MakeFile(const QString& Name, int Sections, int Keys, bool Ini) {
  QFile F(Name);
  if (!F.open(QIODevice::WriteOnly)) return 0;
  const QByteArray Pad(80, 'v');
  for (int S = 0; S < Sections; ++S) {
    if (Ini) F.write("[Section" + QByteArray::number(S) + "]\n");
    for (int K = 0; K < Keys; ++K)
      F.write((Ini ? "Key" : "sin(x)+") + QByteArray::number(K).rightJustified(6, '0') + "=" + Pad +
              "\n");
  }
  return F.size();
}

// Runs Run(file name) on a file of State.range(0) thousand lines (a thousand to a section) and
// reports the growth of the peak while it ran.
void Measure(benchmark::State& State, const char* FileName, bool Ini,
             const std::function<bool(const QString&)>& Run) {
  QTemporaryDir Dir;
  const QString Name = Dir.filePath(FileName);
  const qint64 Size = MakeFile(Name, int(State.range(0)), 1000, Ini);
  double Peak = 0;
  for (auto _ : State) {
    const TPeakGrowth Growth;
    if (!Run(Name)) State.SkipWithError("not read and written");
    Peak = Growth.Bytes();
  }
  State.counters["PeakMB"] = Peak / 1e6;
  State.counters["PeakPerFileByte"] = Peak / double(Size);
  State.counters["FileMB"] = double(Size) / 1e6;
}

void BM_SettingsFileReadAndRewrite(benchmark::State& State) {
  Measure(State, "Numyx.INI", true, [](const QString& Name) {
    TIniFile Ini(Name);
    Ini.WriteString("Section1", "Key000001", "changed");
    return Ini.UpdateFile().Ok();
  });
}
BENCHMARK(BM_SettingsFileReadAndRewrite)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(1);

// The program's own path: the calculator's settings read, each plot window's placement and chart
// settings read, then the calculator's settings written back at close.
void BM_SettingsFileStartAndClose(benchmark::State& State) {
  Measure(State, "Numyx.INI", true, [](const QString& Name) {
    benchmark::DoNotOptimize(TIniFile(Name).ReadInteger("Calc Settings", "Digits", 12));
    for (const char* Window : {"fmPlot2D", "fmContourPlot"}) {
      benchmark::DoNotOptimize(TIniFile(Name).ReadInteger(Window, "Left", 0));
      benchmark::DoNotOptimize(TGraphMemIniFile(Name).ReadString(Window, "Plot_Saved", "No"));
    }
    TIniFile Ini(Name);
    for (const char* Key : {"Notation", "Angle", "Digits", "Precison", "Complex Form", "Assistant",
                            "Hint", "ShowComp"})
      Ini.WriteInteger("Calc Settings", Key, 1);
    Ini.WriteInteger("fmCalc", "Left", 10);
    Ini.WriteInteger("fmCalc", "Top", 10);
    return Ini.UpdateFile().Ok();
  });
}
BENCHMARK(BM_SettingsFileStartAndClose)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_TextLinesReadAndRewrite(benchmark::State& State) {
  Measure(State, "Numyx.FNC", false, [](const QString& Name) {
    QStringList Lines;
    return ReadTextLines(Name, Lines) && WriteTextLines(Name, Lines);
  });
}
BENCHMARK(BM_TextLinesReadAndRewrite)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
