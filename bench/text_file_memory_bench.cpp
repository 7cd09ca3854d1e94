// The memory of reading a large text file and writing it back: the settings file (a million keys
// in a thousand sections, about 100 MB) opened, one key changed and saved; and a file of lines
// (the history's and the user files' shape) read and written back. Reported: the growth of the
// process' peak resident size over its size before, in bytes and per byte of the file. The peak
// is reset before each run (/proc/self/clear_refs), so every figure is its own.
//   text_file_memory_bench [--benchmark_filter=...]     (a release build with -DNUMYX_BENCH=ON)
#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>

#include "bench/bench_support.h"
#include "platform/ini_file.h"
#include "platform/text_file.h"

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

void Report(benchmark::State& State, double Peak, qint64 Size) {
  State.counters["PeakMB"] = Peak / 1e6;
  State.counters["PeakPerFileByte"] = Peak / double(Size);
  State.counters["FileMB"] = double(Size) / 1e6;
}

// State.range(0): thousands of keys (a thousand to a section).
void BM_SettingsFileReadAndRewrite(benchmark::State& State) {
  QTemporaryDir Dir;
  const QString Name = Dir.filePath("Numyx.INI");
  const int Sections = int(State.range(0));
  const qint64 Size = MakeFile(Name, Sections, 1000, true);
  double Peak = 0;
  for (auto _ : State) {
    const TPeakGrowth Growth;
    {
      TIniFile Ini(Name);
      Ini.WriteString("Section1", "Key000001", "changed");
      if (!Ini.UpdateFile()) State.SkipWithError("not saved");
    }
    Peak = Growth.Bytes();
  }
  Report(State, Peak, Size);
}
BENCHMARK(BM_SettingsFileReadAndRewrite)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_TextLinesReadAndRewrite(benchmark::State& State) {
  QTemporaryDir Dir;
  const QString Name = Dir.filePath("Numyx.FNC");
  const qint64 Size = MakeFile(Name, int(State.range(0)), 1000, false);
  double Peak = 0;
  for (auto _ : State) {
    const TPeakGrowth Growth;
    {
      QStringList Lines;
      if (!ReadTextLines(Name, Lines) || !WriteTextLines(Name, Lines))
        State.SkipWithError("not read and written");
    }
    Peak = Growth.Bytes();
  }
  Report(State, Peak, Size);
}
BENCHMARK(BM_TextLinesReadAndRewrite)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
