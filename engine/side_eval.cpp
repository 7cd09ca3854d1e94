#include "engine/side_eval.h"

#include <algorithm>

#include "engine/complex_eval.h"
#include "engine/extended_bits.h"
#include "engine/format.h"
#include "engine/parser.h"

std::string StripBlanks(std::string_view Text) {
  std::string S;
  S.reserve(Text.size());
  for (char C : Text)
    if (C != ' ') S += C;
  return S;
}

bool CheckParentheses(const std::string& S, int& Code, int& Pos) {
  const auto Open = std::count(S.begin(), S.end(), '(');
  const auto Close = std::count(S.begin(), S.end(), ')');
  const int Length = static_cast<int>(S.size());
  if (Open == Close) {
    int Depth = 0;
    for (int I = 0; I < Length; ++I) {
      Depth += S[static_cast<size_t>(I)] == '(' ? 1 : S[static_cast<size_t>(I)] == ')' ? -1 : 0;
      if (Depth < 0) {
        Code = errSyntax;
        Pos = I + 1;
        return false;
      }
    }
    return true;
  }
  if (Open < Close) {
    long Seen = 0;
    for (int I = 0; I < Length; ++I)
      if (S[static_cast<size_t>(I)] == ')' && ++Seen == Open + 1) {
        Code = errTooManyClose;
        Pos = I + 1;
        return false;
      }
  }
  Code = errMissingClose;
  Pos = Length;
  return false;
}

void MapErrorSpan(const std::string& Typed, const std::string& Stripped, int& Pos, int& Len) {
  const int P = std::max(Pos, 0);
  const int N = std::max(Len, 0);
  std::string Copy = Typed;
  auto Head = [P](const std::string& Text) { return Text.substr(0, static_cast<size_t>(P)); };
  auto Span = [P, N](const std::string& Text) {
    const size_t From = static_cast<size_t>(std::max(P - 1, 0));
    return From >= Text.size() ? std::string() : Text.substr(From, static_cast<size_t>(N));
  };
  int K = 0;
  while (Head(Copy) != Head(Stripped)) {
    const size_t Blank = Copy.find(' ');
    if (Blank == std::string::npos) break;
    Copy.erase(Blank, 1);
    ++K;
  }
  int M = 0;
  while (Span(Copy) != Span(Stripped)) {
    const size_t Blank = Copy.find(' ');
    if (Blank == std::string::npos) break;
    Copy.erase(Blank, 1);
    ++M;
  }
  Pos = P + K;
  Len = N + M;
}

std::string FormatAside(int Digits, Extended X, bool* Failed) {
  auto& s = EngineState;
  const bool Flag = s.ErrFlag;
  const int Code = s.ErrCode, Pos = s.ErrPos, Len = s.ErrLen;
  s.ErrFlag = false;
  std::string Text = FormatNumber(Digits, X);
  if (Failed) *Failed = s.ErrFlag;
  s.ErrFlag = Flag;
  s.ErrCode = Code;
  s.ErrPos = Pos;
  s.ErrLen = Len;
  return Text;
}

std::string FormatAside(int Digits, Extended X, std::string_view Typed, TSideResult& Error) {
  bool Failed = false;
  auto& s = EngineState;
  const bool Flag = s.ErrFlag;
  const int Code = s.ErrCode, Pos = s.ErrPos, Len = s.ErrLen;
  s.ErrFlag = false;
  std::string Text = FormatNumber(Digits, X);
  Failed = s.ErrFlag;
  const int FailCode = s.ErrCode;
  s.ErrFlag = Flag;
  s.ErrCode = Code;
  s.ErrPos = Pos;
  s.ErrLen = Len;
  Error = TSideResult{};
  Error.Value = X;
  if (!Failed) {
    Error.Ok = true;
    return Text;
  }
  Error = ErrorPastEnd(Typed, FailCode);
  Error.Value = X;
  return Text;
}

TSideResult ErrorPastEnd(std::string_view Typed, int Code) {
  const std::string Typed8(Typed);
  const std::string Stripped = StripBlanks(Typed8);
  TSideResult Error;
  Error.ErrCode = Code;
  Error.ErrPos = static_cast<int>(Stripped.size()) + 1;
  Error.ErrLen = 1;
  MapErrorSpan(Typed8, Stripped, Error.ErrPos, Error.ErrLen);
  Error.Message = ErrorText(Code) + ": position " + std::to_string(Error.ErrPos);
  return Error;
}

void SetInputText(std::string_view Text) {
  if (!EngineBusy()) EngineState.ExprStr.assign(Text);
}

TSideEvaluation::TSideEvaluation(TSideMode Mode) : FMode(Mode) {
  FStarted = Mode == TSideMode::Nested ? !EnginePumping() : !EngineBusy();
  if (!FStarted) return;
  FBusy.emplace();
  if (Mode == TSideMode::Input) {
    EngineSettings.BreakRequested = false;
    EngineState.ErrFlag = false;
    return;
  }
  FNested.emplace();
  if (Mode != TSideMode::Start) return;
  const auto& s = EngineState;
  FErrFlag = s.ErrFlag;
  FErrCode = s.ErrCode;
  FErrPos = s.ErrPos;
  FErrLen = s.ErrLen;
  FInnerErrCode = s.InnerErrCode;
  FInnerErrPos = s.InnerErrPos;
  FAns = s.Ans;
  FCurVar = CurVar;
  // A Stop pressed while nothing ran must not end this text at its first break check.
  EngineSettings.BreakRequested = false;
}

TSideEvaluation::~TSideEvaluation() {
  if (!FStarted) return;
  if (FMode == TSideMode::Start) {
    auto& s = EngineState;
    s.ErrFlag = FErrFlag;
    s.ErrCode = FErrCode;
    s.ErrPos = FErrPos;
    s.ErrLen = FErrLen;
    s.InnerErrCode = FInnerErrCode;
    s.InnerErrPos = FInnerErrPos;
    s.Ans = FAns;
    CurVar = FCurVar;
  }
  // The input line's error has been handed over in its result.
  if (FMode == TSideMode::Input) EngineState.ErrFlag = false;
  FNested.reset();
  FBusy.reset();
}

TSideResult TSideEvaluation::Failure(int Code, int Pos, int Len) const {
  TSideResult R;
  R.ErrCode = Code;
  R.ErrPos = Pos;
  R.ErrLen = std::max(Len, 1);
  MapErrorSpan(FTyped, FText, R.ErrPos, R.ErrLen);
  R.Message = ErrorText(Code) + ": position " + std::to_string(R.ErrPos);
  return R;
}

bool TSideEvaluation::Prepare(std::string_view Typed, TSideResult& Error) {
  FPrepared = false;
  FTape = {};
  Error = TSideResult{};
  if (!FStarted) {
    Error.Refused = true;
    return false;
  }
  FTyped.assign(Typed);
  FText = StripBlanks(Typed);
  // The input line's text stays the engine's, also when it cannot be read.
  if (FMode == TSideMode::Input) EngineState.ExprStr = FText;
  if (FText.empty()) {
    Error = Failure(errSyntax, 1, 1);
    Error.Empty = true;
    return false;
  }
  int Code = 0, Pos = 0;
  if (!CheckParentheses(FText, Code, Pos)) {
    Error = Failure(Code, Pos, 1);
    if (FMode == TSideMode::Nested) {
      // The evaluation that asked sees the failure as the engine's own.
      auto& s = EngineState;
      s.ErrFlag = true;
      s.ErrCode = Code;
      s.ErrPos = Pos;
      s.ErrLen = 1;
    }
    return false;
  }
  FPrepared = true;
  return true;
}

TSideResult TSideEvaluation::EvaluatePrepared(bool WithError) { return Run(WithError, nullptr); }

TSideResult TSideEvaluation::EvaluatePreparedAt(double X, std::optional<double> Y, bool WithError) {
  TPointLetters at;
  at.X = X;
  SetFromDouble(VarValues[varX], X);
  if (Y) {
    at.Y = *Y;
    at.HasY = true;
    SetFromDouble(VarValues[varX + 1], *Y);
  }
  return Run(WithError, &at);
}

TSideResult TSideEvaluation::Run(bool WithError, const TPointLetters* At) {
  TSideResult R;
  if (!FStarted || !FPrepared) {
    R.Refused = !FStarted;
    if (FStarted) R = Failure(errSyntax, 1, 1);
    return R;
  }
  auto& s = EngineState;
  BeginEvaluation();
  const TReplay replay = TryReplay(FText, R.Value, &FTape, At);
  if (replay == TReplay::Replayed) {
    R.Ok = true;
    return R;
  }
  if (replay == TReplay::Failed && !WithError) {
    s.ErrFlag = true;
    R.Value = 0;
    return R;
  }
  // The reader, for the error of a replay that failed, or to record the text.
  R.Value = ::Evaluate(FText, &FTape);
  if (!s.ErrFlag) {
    R.Ok = true;
    return R;
  }
  const Extended Value = R.Value;
  R = Failure(s.ErrCode, s.ErrPos, s.ErrLen);
  R.Value = Value;
  return R;
}

TSideResult TSideEvaluation::Evaluate(std::string_view Typed) {
  TSideResult R;
  if (!Prepare(Typed, R)) return R;
  return EvaluatePrepared();
}

void TSideEvaluation::BeginEvaluation() {
  if (FMode == TSideMode::Nested) return;
  if (FMode == TSideMode::Start) CopyExtended(EngineState.Ans, FAns);
  EngineState.ErrFlag = false;
  AssignmentLog.Clear();
  EngineSettings.ArgDepth = 0;
}

TSideResult TSideEvaluation::EvaluatePreparedComplex(TComplex& Z) {
  TSideResult R;
  Z = ComplexZero2;
  if (!FStarted || !FPrepared) {
    R.Refused = !FStarted;
    if (FStarted) R = Failure(errSyntax, 1, 1);
    return R;
  }
  BeginEvaluation();
  auto& s = EngineState;
  // The complex reader reports its own codes; a failure it does not name is a syntax error.
  s.ErrCode = errSyntax;
  std::string S = FText;
  bool Failed = false;
  int Pos = 0, Len = 0;
  ::CompEvaluate(S, Failed, Pos, Len, Z);
  if (!Failed) {
    R.Ok = true;
    return R;
  }
  s.ErrFlag = true;
  s.ErrPos = Pos;
  s.ErrLen = std::max(Len, 1);
  return Failure(s.ErrCode, Pos, std::max(Len, 1));
}

void TSideEvaluation::SetAnswer(Extended Value) {
  if (FStarted && FMode == TSideMode::Input) EngineState.Ans = Value;
}

void TSideEvaluation::SetAnswer(const TComplex& Value) {
  if (FStarted && FMode == TSideMode::Input) ComplexAnswer = Value;
}
