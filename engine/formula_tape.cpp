// The recordings of evaluated texts and their replay.
#include "engine/formula_tape.h"

#include <array>
#include <cmath>
#include <memory>

#include "engine/builtin_table.h"
#include "engine/builtins.h"
#include "engine/parser.h"
#include "engine/variables.h"

struct TTapeRecording {
  std::vector<TTapeStep> Steps;
  int Depth = 0;  // operands on the stack after the steps so far
  int MaxDepth = 0;
  bool Valid = true;
};

TTapeRecording* ActiveRecording = nullptr;

namespace {

// A longer reading is not worth keeping (and bounds the memory of the cache).
constexpr size_t MaxSteps = 4096;
// Plots show several formulas at once and read them in turn.
constexpr size_t CacheSize = 8;

bool Enabled = true;
// Evaluations in progress, and whether a replay is running: a nested evaluation (a host callback
// reaching the engine again) neither records nor replays, and never touches the cache.
int EvaluationDepth = 0;
bool Replaying = false;
std::uint64_t Replays = 0;

struct TCacheEntry {
  std::string Text;
  std::uint8_t Radix = 0;
  unsigned DigitVersion = 0;
  // The reader's state after the recorded reading, which a replay leaves behind as well.
  int Pos = 0;
  int StartPos = 0;
  unsigned char CurChar = EndChar;
  std::vector<TTapeStep> Steps;
  std::vector<Extended> Stack;
};

// Most recently used first.
std::array<std::unique_ptr<TCacheEntry>, CacheSize> Cache;

int StackEffect(TTapeOp Op) {
  switch (Op) {
    case TTapeOp::Const:
    case TTapeOp::Ans:
    case TTapeOp::Letter:
      return 1;
    case TTapeOp::Negate:
    case TTapeOp::Square:
    case TTapeOp::Root:
    case TTapeOp::Cube:
    case TTapeOp::Call1:
      return 0;
    default:
      return -1;
  }
}

TCacheEntry* Find(const std::string& Text) {
  for (size_t i = 0; i < CacheSize && Cache[i]; ++i) {
    TCacheEntry& e = *Cache[i];
    if (e.Text != Text) continue;
    if (e.Radix != EngineSettings.Radix || e.DigitVersion != DigitSetVersion) return nullptr;
    if (i > 0) {
      auto found = std::move(Cache[i]);
      for (size_t j = i; j > 0; --j) Cache[j] = std::move(Cache[j - 1]);
      Cache[0] = std::move(found);
    }
    return Cache[0].get();
  }
  return nullptr;
}

void Store(std::unique_ptr<TCacheEntry> Entry) {
  for (size_t i = 0; i < CacheSize && Cache[i]; ++i) {
    if (Cache[i]->Text == Entry->Text) {
      Cache[i] = std::move(Entry);
      return;
    }
  }
  for (size_t j = CacheSize - 1; j > 0; --j) Cache[j] = std::move(Cache[j - 1]);
  Cache[0] = std::move(Entry);
}

// Performs the steps exactly as the reader computed them. False at the first failure; the caller
// undoes what the steps changed. The top of the stack is kept apart, where the compiler can hold
// it in a register: a long double stored and at once read back stalls the processor.
bool Run(TCacheEntry& E, Extended& Result) {
  auto& s = EngineState;
  Extended* sp = E.Stack.data();  // the operands under the top
  Extended top = 0;
  for (const TTapeStep& step : E.Steps) {
    switch (step.Op) {
      case TTapeOp::Const:
        *sp++ = top;
        top = step.Value;
        break;
      case TTapeOp::Ans:
        *sp++ = top;
        top = s.Ans;
        break;
      case TTapeOp::Letter: {
        const int k = step.Arg;
        CurVar = k;
        const Extended v = VarValues[static_cast<size_t>(k)];
        if (v == UndefinedValue) return false;
        AssignmentLog.AddLetter(Letters[k - 1], v);
        *sp++ = top;
        top = v;
        break;
      }
      case TTapeOp::Negate:
        top *= -1;
        break;
      case TTapeOp::Power: {
        const Extended exponent = top;
        top = Power(*--sp, exponent);
        if (s.ErrFlag) return false;
        break;
      }
      case TTapeOp::Square: {
        const Extended v = top * top;
        if (!std::isfinite(v)) return false;
        top = v;
        break;
      }
      case TTapeOp::Root:
        if (top < 0) return false;
        top = std::sqrt(top);
        break;
      case TTapeOp::Cube: {
        const Extended v = top * top * top;
        if (!std::isfinite(v)) return false;
        top = v;
        break;
      }
      case TTapeOp::Call1:
      case TTapeOp::Call2: {
        Extended arg2 = UndefinedValue;
        if (step.Op == TTapeOp::Call2) {
          arg2 = top;
          top = *--sp;
        }
        Extended arg1 = top;
        Extended v = CallBuiltin(step.Arg, arg1, arg2, step.NameStart);
        if (!s.ErrFlag && step.MultiArg)
          CallMultiArgBuiltin(step.Arg, v, arg1, arg2, step.NameStart);
        if (s.ErrFlag || !std::isfinite(v)) return false;
        top = v;
        break;
      }
      default: {
        const Extended right = top;
        const Extended left = *--sp;
        Extended r;
        switch (step.Op) {
          case TTapeOp::Mul:
            r = left * right;
            break;
          case TTapeOp::Percent:
            r = left * right / 100;
            break;
          case TTapeOp::Div:
            if (right == 0) return false;
            r = left / right;
            break;
          case TTapeOp::Add:
            r = left + right;
            break;
          case TTapeOp::Sub:
            r = left - right;
            break;
          default: {
            std::int64_t a = 0, b = 0;
            if (!ToInt64(left, a) || !ToInt64(right, b)) return false;
            r = static_cast<Extended>(step.Op == TTapeOp::And  ? (a & b)
                                      : step.Op == TTapeOp::Or ? (a | b)
                                                               : (a ^ b));
          }
        }
        if (!std::isfinite(r)) return false;
        top = r;
      }
    }
  }
  Result = top;
  return std::isfinite(Result);
}

}  // namespace

void RecordStep(const TTapeStep& Step) {
  TTapeRecording& r = *ActiveRecording;
  if (r.Steps.size() >= MaxSteps) {
    StopRecording();
    return;
  }
  r.Steps.push_back(Step);
  r.Depth += StackEffect(Step.Op);
  if (r.Depth > r.MaxDepth) r.MaxDepth = r.Depth;
}

void StopRecording() {
  if (!ActiveRecording) return;
  ActiveRecording->Valid = false;
  ActiveRecording = nullptr;
}

bool IsReplayableBuiltin(int Id) {
  constexpr int idGauss = 42, idIBeta = 113, idPSnedecor = 126;
  if (Id < 0 || Id >= BuiltinCount) return false;
  if (IsLetterVariable(Id)) return true;
  if (Id == idPi || Id == idPiChar || Id == idE) return true;
  const int kind = BuiltinTable[static_cast<size_t>(Id)].Kind;
  if (kind != 1 && kind != 2) return false;
  return !IsListFunction(Id) && Id != idIf && Id != idGauss && Id != idIBeta && Id != idPSnedecor;
}

TReplay TryReplay(const std::string& Text, Extended& Value) {
  if (!Enabled || EvaluationDepth > 0 || Replaying || EngineSettings.ArgDepth != 0)
    return TReplay::Unknown;
  TCacheEntry* e = Find(Text);
  if (!e) return TReplay::Unknown;

  auto& s = EngineState;
  // What the steps may change, put back when they fail so that the reader starts from the same
  // state it would have started from.
  const Extended ans = s.Ans;
  const int curVar = CurVar;
  const size_t logged = AssignmentLog.Count();
  const int errCode = s.ErrCode;
  const int errLen = s.ErrLen;

  s.ErrFlag = false;
  Replaying = true;
  Extended v = 0;
  const bool ok = Run(*e, v);
  Replaying = false;
  if (!ok) {
    s.Ans = ans;
    CurVar = curVar;
    AssignmentLog.Truncate(logged);
    s.ErrFlag = false;
    s.ErrCode = errCode;
    s.ErrLen = errLen;
    EngineSettings.ArgDepth = 0;
    return TReplay::Failed;
  }
  if (s.ExprStr != Text) s.ExprStr = Text;
  s.Pos = e->Pos;
  s.StartPos = e->StartPos;
  s.CurChar = e->CurChar;
  s.ErrPos = 0;
  ++Replays;
  Value = v;
  return TReplay::Replayed;
}

TTapeRecorder::TTapeRecorder(bool Record) {
  // A nested evaluation moves the reader of the one around it: that one cannot be replayed.
  const bool nested = EvaluationDepth > 0 || Replaying;
  StopRecording();
  ++EvaluationDepth;
  if (!Record || !Enabled || nested || EngineSettings.ArgDepth != 0) return;
  Own = std::make_unique<TTapeRecording>();
  ActiveRecording = Own.get();
}

TTapeRecorder::~TTapeRecorder() {
  if (ActiveRecording == Own.get()) ActiveRecording = nullptr;
  --EvaluationDepth;
}

void TTapeRecorder::Finish(const std::string& Text, bool Failed) {
  if (!Own) return;
  if (ActiveRecording == Own.get()) ActiveRecording = nullptr;
  std::unique_ptr<TTapeRecording> r = std::move(Own);
  if (Failed || !r->Valid || r->Depth != 1 || EngineSettings.ArgDepth != 0) return;
  auto e = std::make_unique<TCacheEntry>();
  e->Text = Text;
  e->Radix = EngineSettings.Radix;
  e->DigitVersion = DigitSetVersion;
  const auto& s = EngineState;
  e->Pos = s.Pos;
  e->StartPos = s.StartPos;
  e->CurChar = s.CurChar;
  e->Steps = std::move(r->Steps);
  e->Stack.resize(static_cast<size_t>(r->MaxDepth) + 1);
  Store(std::move(e));
}

void SetReplayEnabled(bool On) {
  Enabled = On;
  if (!On) ClearReplayCache();
}

void ClearReplayCache() {
  for (auto& e : Cache) e.reset();
}

std::uint64_t ReplayCount() { return Replays; }
