// libFuzzer target: any byte string is an expression. The first byte picks the radix, the
// notation and the angle unit, the rest is the text. A fixed library of user functions (among
// them recursive ones), letter variables with definitions (among them self-referring ones) and
// user variables is in place for every input. Every input must end with a value or an error
// code; an evaluation that runs longer than a second is broken through the host and counted as
// a finding (written beside libFuzzer's own findings, the -artifact_prefix given, as
// <prefix>slow-<hash>), without ending the run. Every input is also read with
// and without the replay of recorded texts, which must leave exactly the same outcome.
#include <chrono>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "engine/engine_host.h"
#include "engine/engine_state.h"
#include "engine/format.h"
#include "engine/formula_tape.h"
#include "engine/numeric_procedures.h"
#include "engine/parser.h"
#include "engine/random.h"
#include "engine/user_functions.h"
#include "engine/variables.h"

namespace {

using Clock = std::chrono::steady_clock;

class TFuzzHost : public TEngineHost {
 public:
  Clock::time_point Start;
  bool Slow = false;
  void PumpMessages() override {
    if (Clock::now() - Start > std::chrono::seconds(1)) {
      Slow = true;
      EngineSettings.BreakRequested = true;
    }
  }
  bool AskBreak() override { return true; }
  bool SetVariableDialog(int) override { return false; }
  bool EvaluateVariable(int k) override {
    const std::string text = VarExprs[static_cast<size_t>(k)];
    EngineState.ExprStr = text;
    EngineSettings.ArgDepth = 0;
    const Extended v = Evaluate(text);
    if (EngineState.ErrFlag) return false;
    VarValues[static_cast<size_t>(k)] = v;
    return true;
  }
  int AddUserVariable(const std::string& Name, bool, Extended Value) override {
    return SetUserVariable(Name, Value);
  }
};

TFuzzHost Host;
int SlowCount = 0;
// Where libFuzzer writes its findings (its -artifact_prefix, else the working folder).
std::string FindingsPrefix;

// Slow inputs are named by their bytes, so that forked workers never overwrite one another's.
std::string SlowName(const std::uint8_t* Data, std::size_t Size) {
  std::uint64_t Hash = 14695981039346656037ull;
  for (std::size_t i = 0; i < Size; ++i) Hash = (Hash ^ Data[i]) * 1099511628211ull;
  char Hex[17];
  std::snprintf(Hex, sizeof Hex, "%016llx", static_cast<unsigned long long>(Hash));
  return FindingsPrefix + "slow-" + Hex;
}

void Prepare() {
  static bool ready = false;
  if (!ready) {
    EngineInitialize();
    for (const char* line :
         {"f(x)=x^2", "g(a,b)=a*b+f(a)", "r(x)=r(x)+1", "p(x)=q(x)*2", "q(x)=p(x)+1",
          "fac(n)=if(n<<1)then(1)else(n*fac(n-1))", "h(m)=m_ft(m)+m", "; a comment",
          "s(x)=integral(0,x,sin(X))", "t(u,v)=solve(u,v,X^2-2)", "w(x)=1/x"})
      UserFunctions->AddFunction(line);
    SetEngineHost(&Host);
    ready = true;
  }
  VarValues.fill(UndefinedValue);
  for (auto& t : VarExprs) t.clear();
  VarValues[1] = 0.5L;  // X
  VarExprs[2] = "X+1";  // Y, evaluated on demand
  VarExprs[3] = "Z*2";  // Z refers to itself
  VarExprs[4] = "W-1";  // V and W refer to each other
  VarExprs[5] = "V+1";
  VarValues[7] = 1;  // J, K, M: a short loop
  VarValues[8] = 5;
  VarValues[9] = 1;
  UserVariables.clear();
  SetUserVariable("a1", 2);
  SetUserVariable("big", 1E300L);
  AssignmentLog.Clear();
  ResetIntervalBounds();
  RestoreProcedureCounters({});
}

// What one evaluation leaves behind, compared bit for bit between the reader and a replay.
struct TOutcome {
  std::string Bytes;
  bool Slow = false;
};

template <typename T>
void Append(std::string& Out, const T& V) {
  Out.append(reinterpret_cast<const char*>(&V), sizeof V);
}

void AppendNumber(std::string& Out, Extended V) {
  Out.append(reinterpret_cast<const char*>(&V), 10);
}

// One evaluation of the input from the state Prepare sets, with the letter X at X.
Extended RunOnce(const std::uint8_t* Data, std::size_t Size, Extended X, TOutcome* Outcome) {
  Prepare();
  VarValues[1] = X;
  SetRandomSeed(11);
  EngineState = {};
  EngineSettings = {};
  SelectRadix(static_cast<std::uint8_t>(Data[0] % 3));
  EngineSettings.DisplayMode = static_cast<std::uint8_t>((Data[0] / 3) % 4);
  EngineSettings.AngleMode = static_cast<std::uint8_t>((Data[0] / 12) % 2);
  const std::string text(reinterpret_cast<const char*>(Data + 1), Size - 1);
  EngineState.ExprStr = text;
  Host.Slow = false;
  Host.Start = Clock::now();
  const Extended v = Evaluate(text);
  if (Outcome) {
    auto& s = EngineState;
    Outcome->Slow = Host.Slow || Clock::now() - Host.Start > std::chrono::seconds(1);
    std::string& o = Outcome->Bytes;
    AppendNumber(o, v);
    AppendNumber(o, s.Ans);
    for (const int i :
         {int(s.ErrFlag), s.ErrCode, s.ErrPos, s.ErrLen, s.Pos, s.StartPos, int(s.CurChar), CurVar})
      Append(o, i);
    for (size_t i = 0; i < AssignmentLog.Count(); ++i) {
      o += AssignmentLog.Name(i);
      AppendNumber(o, AssignmentLog.Number(i));
    }
    for (const Extended l : VarValues) AppendNumber(o, l);
    for (const auto& u : UserVariables) {
      o += u.Name;
      AppendNumber(o, u.Value);
    }
  }
  return v;
}

// The reader alone and the replays of a recording must leave the same outcome, at the value of
// X the text was recorded with and at another (which may make the replay fail part way).
void CompareReplays(const std::uint8_t* Data, std::size_t Size) {
  constexpr Extended others[] = {0, -1, 2.5L, 1E4000L, UndefinedValue};
  const Extended x2 = others[Data[Size - 1] % 5];
  TOutcome plain1, plain2, taped1, taped2;
  SetReplayEnabled(false);
  RunOnce(Data, Size, 0.5L, &plain1);
  RunOnce(Data, Size, x2, &plain2);
  SetReplayEnabled(true);
  RunOnce(Data, Size, 0.5L, &taped1);
  RunOnce(Data, Size, x2, &taped2);
  if (plain1.Slow || plain2.Slow || taped1.Slow || taped2.Slow) return;
  if (plain1.Bytes != taped1.Bytes || plain2.Bytes != taped2.Bytes) {
    std::fprintf(stderr, "replay differs from the reader\n");
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* Argc, char*** Argv) {
  const std::string Flag = "-artifact_prefix=";
  for (int i = 1; i < *Argc; ++i)
    if (std::string Arg = (*Argv)[i]; Arg.rfind(Flag, 0) == 0)
      FindingsPrefix = Arg.substr(Flag.size());
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  if (Size == 0) return 0;
  const std::string text(reinterpret_cast<const char*>(Data + 1), Size - 1);
  TOutcome first;
  const Extended v = RunOnce(Data, Size, 0.5L, &first);
  if (first.Slow) {
    ++SlowCount;
    const std::string Name = SlowName(Data, Size);
    std::fprintf(stderr, "SLOW #%d (%zu bytes): %s\n", SlowCount, Size, Name.c_str());
    std::ofstream(Name, std::ios::binary)
        .write(reinterpret_cast<const char*>(Data), static_cast<std::streamsize>(Size));
  }
  if (EngineState.NestDepth != 0) std::abort();
  if (!text.empty()) {
    if (EngineState.ErrFlag) {
      if (EngineState.ErrLen < 1 || EngineState.CurChar != EndChar) std::abort();
    } else if (!std::isfinite(v)) {
      std::abort();
    }
  }
  if (!UserFunctions->ValueStack.empty()) std::abort();
  std::string shown;
  const Extended ans = EngineState.Ans;
  FormatNumber(1 + Data[0] % 24, shown, v);
  if (EngineState.Ans != ans && !(std::isnan(ans) && std::isnan(EngineState.Ans))) std::abort();
  if (!first.Slow) CompareReplays(Data, Size);
  return 0;
}
