// How long the readers of the user files take at 10^4, 10^5 and 10^6 lines, so that their growth
// shows: each must stay linear in the size of its file. The window is made once, offscreen, in a
// program directory of its own; every run reads the file afresh.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QByteArray>
#include <QTemporaryDir>

#include <memory>

#include "app/calc/calc_pages.h"
#include "app/calc/fm_calc.h"
#include "app/calc/fm_calc_pages.h"
#include "app/calc/user_funcs_page.h"
#include "app/calc/user_vars_page.h"
#include "bench/bench_support.h"
#include "engine/engine_state.h"
#include "platform/app_services.h"
#include "platform/dialogs.h"
#include "platform/ini_file.h"
#include "platform/text_file.h"

namespace {

struct TScene {
  QTemporaryDir Dir;
  TScriptedDialogService Dialogs;
  std::unique_ptr<TfmCalc> Window;
  TScene() {
    SetProgramDir(Dir.path());
    SetDialogService(&Dialogs);
    EngineInitialize();
    Window = std::make_unique<TfmCalc>();
    Window->DoCreate();
  }
  QString Path(const char* Name) const { return Dir.path() + "/" + Name; }
};

TScene& Scene() {
  static int Argc = 1;
  static char Name[] = "user_files_bench";
  static char* Argv[] = {Name, nullptr};
  static QApplication* App = [] {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return new QApplication(Argc, Argv);
  }();
  (void)App;
  static TScene S;
  return S;
}

QByteArray Lines(int64_t Count, const char* Pattern) {
  QByteArray B;
  B.reserve(static_cast<qsizetype>(Count) * 24);
  const QByteArray P(Pattern);
  for (int64_t I = 0; I < Count; ++I) {
    QByteArray L = P;
    B += L.replace("#", QByteArray::number(static_cast<qlonglong>(I)));
  }
  return B;
}

qint64 PreparedSize = 0;  // the bytes of the file the last Prepare wrote

void Prepare(benchmark::State& State, const QString& File, const QByteArray& Bytes) {
  if (!WriteFileBytes(File, Bytes)) State.SkipWithError("cannot write the file");
  PreparedSize = Bytes.size();
  State.SetItemsProcessed(0);
}

// Peak: the growth of the process' peak over one read, in bytes per byte of the file.
void Finish(benchmark::State& State, double Peak = 0, qint64 FileBytes = 0) {
  State.SetItemsProcessed(State.iterations() * State.range(0));
  State.counters["lines"] = static_cast<double>(State.range(0));
  if (FileBytes > 0) State.counters["PeakPerFileByte"] = Peak / static_cast<double>(FileBytes);
}

// One section per line pair: the look-up of a section per header was the quadratic part.
void BM_IniSections(benchmark::State& State) {
  const QString F = Scene().Path("sections.ini");
  Prepare(State, F, Lines(State.range(0) / 2, "[S#]\nkey=#\n"));
  for (auto _ : State) {
    TIniFile Ini(F);
    benchmark::DoNotOptimize(Ini.ReadInteger("S1", "key", 0));
  }
  Finish(State);
}

// A file of lines no reader takes, then the save of the window's keys, which must keep them all.
void BM_IniSaveKeepingForeignLines(benchmark::State& State) {
  const QString F = Scene().Path("foreign.ini");
  const QByteArray Bytes = Lines(State.range(0), "line # without a header\n");
  for (auto _ : State) {
    State.PauseTiming();
    const bool Written = WriteFileBytes(F, Bytes).Ok();
    State.ResumeTiming();
    if (!Written) {
      State.SkipWithError("cannot write the file");
      break;
    }
    TIniFile Ini(F);
    for (int K = 0; K < 30; ++K) Ini.WriteInteger("Calc Settings", QString("Key%1").arg(K), K);
    benchmark::DoNotOptimize(Ini.UpdateFile());
  }
  Finish(State);
}

void BM_History(benchmark::State& State) {
  TScene& S = Scene();
  const int64_t Half = (State.range(0) - 2) / 2;  // and a count line before each list
  QByteArray B = QByteArray::number(static_cast<qlonglong>(Half)) + "\n" + Lines(Half, "#+1\n");
  B += QByteArray::number(static_cast<qlonglong>(Half)) + "\n" + Lines(Half, "#\n");
  Prepare(State, S.Path("Numyx.HST"), B);
  double Peak = 0;
  for (auto _ : State) {
    const TPeakGrowth Growth;
    S.Window->LoadHistory();
    Peak = Growth.Bytes();
  }
  Finish(State, Peak, PreparedSize);
}

void BM_Constants(benchmark::State& State) {
  TScene& S = Scene();
  Prepare(State, S.Path("Numyx.CON"), Lines(State.range(0), "c# = #.5\n"));
  double Peak = 0;
  for (auto _ : State) {
    const TPeakGrowth Growth;
    benchmark::DoNotOptimize(S.Window->LoadConstants());
    Peak = Growth.Bytes();
  }
  Finish(State, Peak, PreparedSize);
}

void BM_UserVariables(benchmark::State& State) {
  TScene& S = Scene();
  const QString F = S.Path("Numyx.USR");
  Prepare(State, F, Lines(State.range(0), "v# = #.25\n"));
  double Peak = 0;
  for (auto _ : State) {
    const TPeakGrowth Growth;
    benchmark::DoNotOptimize(S.Window->Pages->Pages().UserVars->LoadUserVariables(F));
    Peak = Growth.Bytes();
  }
  Finish(State, Peak, PreparedSize);
}

void BM_UserFunctions(benchmark::State& State) {
  TScene& S = Scene();
  const QString F = S.Path("Numyx.FNC");
  Prepare(State, F, Lines(State.range(0), "f#(x,y)=x^2+y*# ;comment #\n"));
  double Peak = 0;
  for (auto _ : State) {
    const TPeakGrowth Growth;
    benchmark::DoNotOptimize(S.Window->Pages->Pages().UserFuncs->LoadUserFunctions(F));
    Peak = Growth.Bytes();
  }
  Finish(State, Peak, PreparedSize);
}

}  // namespace

#define READER(Name) \
  BENCHMARK(Name)->RangeMultiplier(10)->Range(10000, 1000000)->Unit(benchmark::kMillisecond)
// The list files up to the most lines they may have.
#define LIST_READER(Name) \
  BENCHMARK(Name)->Arg(10000)->Arg(100000)->Arg(MaxListFileLines)->Unit(benchmark::kMillisecond)
READER(BM_IniSections);
READER(BM_IniSaveKeepingForeignLines);
LIST_READER(BM_History);
LIST_READER(BM_Constants);
LIST_READER(BM_UserVariables);
LIST_READER(BM_UserFunctions);
