// Letter variables, user variables, the assignment log, the text cutters and the break check.
#include "engine/variables.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "engine/builtin_table.h"
#include "engine/engine_host.h"
#include "engine/format.h"
#include "engine/formula_tape.h"
#include "engine/parser.h"
#include "engine/procedures.h"
#include "engine/user_functions.h"

std::array<Extended, LetterCount + 1> VarValues = [] {
  std::array<Extended, LetterCount + 1> v{};
  v.fill(UndefinedValue);
  return v;
}();
std::array<std::string, LetterCount + 1> VarExprs;
int CurVar = 0;
std::vector<TUserVariable> UserVariables;
TAssignmentLog AssignmentLog;
Extended IfLeft = 0;
Extended IfRight = 0;

namespace {

void Advance() { EngineState.CurChar = NextChar(EngineState.ExprStr); }

// Letters whose definition is being evaluated: a definition that reaches its own letter again
// would recurse without end.
std::array<bool, LetterCount + 1> LetterInProgress{};

std::string LetterName(int k) { return std::string(1, Letters[k - 1]); }

void LogValue(const std::string& Name, Extended Value) { AssignmentLog.Add(Name, Value); }

// The position of a one-character name whose reader has moved past it.
int NamePosition() {
  const auto& s = EngineState;
  return s.CurChar == EndChar && s.Pos == static_cast<int>(s.ExprStr.size()) ? s.Pos : s.Pos - 1;
}

// Raises Code marking the letter at LetterPos.
void FailAtLetter(int Code, int LetterPos) {
  RaiseError(EngineState.ExprStr, Code);
  EngineState.ErrPos = std::max(LetterPos, 1);
  EngineState.ErrLen = 1;
}

// Gives an undefined letter its value: from its defining text through the host, or from the
// user through the set-variable dialog.
bool DefineLetter(int k, int LetterPos) {
  auto& s = EngineState;
  if (LetterInProgress[static_cast<size_t>(k)]) {
    FailAtLetter(errStackOverflow, LetterPos);
    return false;
  }
  if (VarExprs[static_cast<size_t>(k)].empty()) return SetVariableDlg(k);

  LetterInProgress[static_cast<size_t>(k)] = true;
  bool ok = false;
  bool failed = false;
  int code = 0;
  {
    TNestedEvaluation nested;
    ok = EngineHost().EvaluateVariable(k);
    failed = s.ErrFlag;
    code = s.ErrCode;
  }
  LetterInProgress[static_cast<size_t>(k)] = false;
  if (ok) {
    s.ErrFlag = false;
    return true;
  }
  // A definition that cannot be evaluated must not turn into the placeholder value silently.
  FailAtLetter(failed ? code : 1, LetterPos);
  return false;
}

// An assignment stands alone in its own parentheses: "(X=...)". Checks that, steps over the '='
// and answers where the expression begins, or 0 after raising the error.
int AssignmentStart() {
  auto& s = EngineState;
  const int letterPos = s.Pos - 1;
  if (CharAt(letterPos - 1) != '(') {
    RaiseError(s.ExprStr, errMissingOpen);
    return 0;
  }
  Advance();
  return s.Pos;
}

// Stores the letter's new value and defining text once its expression has been computed.
void StoreAssignment(int k, Extended v, std::string Text, Extended& Value) {
  VarValues[static_cast<size_t>(k)] = v;
  VarExprs[static_cast<size_t>(k)] = std::move(Text);
  LogValue(LetterName(k), v);
  Value = v;
}

// "(X=expr)": the expression is read in place.
bool AssignUpper(int k, Extended& Value) {
  auto& s = EngineState;
  const int start = AssignmentStart();
  if (start == 0) return false;
  // Computed apart, so that a failing expression leaves the letter as it was.
  Extended v = 0;
  Expression(v);
  if (s.ErrFlag) return false;
  if (s.CurChar != ')') {
    RaiseError(s.ExprStr, errInterval);
    return false;
  }
  StoreAssignment(
      k, v, s.ExprStr.substr(static_cast<size_t>(start - 1), static_cast<size_t>(s.Pos - start)),
      Value);
  return false;
}

// "(x=expr)": the expression is cut out and evaluated on its own.
bool AssignLower(int k, Extended& Value) {
  auto& s = EngineState;
  const int start = AssignmentStart();
  if (start == 0) return false;
  int p = 0;
  std::string text;
  if (!CutArgument(start, p, text)) {
    RaiseErrorAt(errSyntax, p);
    return false;
  }
  Extended v = 0;
  if (!EvaluateCutText(text, start, v)) return false;
  s.Pos = p;
  s.CurChar = CharAt(p);
  StoreAssignment(k, v, std::move(text), Value);
  return false;
}

const TUserVariable* UserVariableById(int Id) {
  for (const auto& v : UserVariables)
    if (v.Id == Id) return &v;
  return nullptr;
}

}  // namespace

void ProceduresInitialize() {
  UserVariables.clear();
  AssignmentLog.Clear();
  CreateUserFunctions();
}

void ProceduresFinalize() {
  FreeUserFunctions();
  UserVariables.clear();
  UserVariables.shrink_to_fit();
  AssignmentLog.Clear();
  for (auto& t : VarExprs) std::string().swap(t);
}

bool LetterVariable(int Id, Extended& Value) {
  auto& s = EngineState;
  const bool upper = Id >= idUpperX;
  const int k = upper ? Id - idUpperX + 1 : Id - idLowerX + 1;
  CurVar = k;
  if (s.CurChar == '=') {
    StopRecording();
    Value = 0;
    return upper ? AssignUpper(k, Value) : AssignLower(k, Value);
  }
  if (VarValues[static_cast<size_t>(k)] == UndefinedValue) {
    StopRecording();
    Value = 0;
    if (!DefineLetter(k, NamePosition())) return false;
  }
  Value = VarValues[static_cast<size_t>(k)];
  AssignmentLog.AddLetter(Letters[k - 1], Value);
  LetterReadMask |= 1u << k;
  RecordLetter(k);
  return true;
}

int SetUserVariable(const std::string& Name, Extended Value) {
  for (auto& v : UserVariables) {
    if (v.Name == Name) {
      v.Value = Value;
      return v.Id;
    }
  }
  int id = idFirstUserVariable;
  for (const auto& v : UserVariables) id = std::max(id, v.Id + 1);
  UserVariables.insert(UserVariables.begin(), TUserVariable{Name, id, Value});
  return id;
}

int FindUserVariable(const std::string& Name) {
  for (const auto& v : UserVariables)
    if (v.Name == Name) return v.Id;
  return 0;
}

void UserVariableValue(int Id, Extended& Value) {
  const TUserVariable* v = UserVariableById(Id);
  if (!v) {
    Value = 0;
    RaiseError(EngineState.ExprStr, errSyntax);
    return;
  }
  Value = v->Value;
  LogValue(v->Name, Value);
}

int AssignUserVariable(const std::string& Name, int NameStart) {
  auto& s = EngineState;
  Advance();
  Extended value = 0;
  Expression(value);
  if (!s.ErrFlag && s.CurChar != ')') RaiseError(s.ExprStr, errSyntax);
  if (s.ErrFlag) {
    // The whole assignment up to the failure point is marked; the code says what went wrong.
    const int failPos = s.ErrPos;
    s.ErrPos = NameStart;
    s.ErrLen = std::max(failPos - NameStart, 1);
    return 0;
  }
  int id = EngineHost().AddUserVariable(Name, true, value);
  if (!UserVariableById(id)) id = SetUserVariable(Name, value);
  return id;
}

bool SetVariableDlg(int k) {
  auto& s = EngineState;
  const int letterPos = NamePosition();
  if (LetterInProgress[static_cast<size_t>(k)]) {
    FailAtLetter(errStackOverflow, letterPos);
    return false;
  }
  s.ErrFlag = false;
  LetterInProgress[static_cast<size_t>(k)] = true;
  bool ok = false;
  {
    TNestedEvaluation nested;
    const std::string outer = s.ExprStr;
    ok = EngineHost().SetVariableDialog(k);
    // The dialog leaves the text it evaluated in ExprStr; that is the letter's definition.
    if (ok && VarExprs[static_cast<size_t>(k)].empty() && s.ExprStr != outer)
      VarExprs[static_cast<size_t>(k)] = s.ExprStr;
  }
  LetterInProgress[static_cast<size_t>(k)] = false;
  if (ok) {
    s.ErrFlag = false;
    return true;
  }
  FailAtLetter(errUserBreak, letterPos);
  return false;
}

std::string TAssignmentLog::Name(size_t i) const {
  if (i >= FCount) return {};
  const std::uint32_t n = Entries[i].Name;
  return n < 256 ? std::string(1, static_cast<char>(n)) : LongNames[n - 256];
}

std::string TAssignmentLog::Value(size_t i) const {
  return i < FCount ? LogText(EngineSettings.Digits, Entries[i].Number) : std::string();
}

bool AskBreak() { return EngineHost().AskBreak(); }

bool CheckBreak() {
  if (!EngineSettings.BreakRequested || !AskBreak()) return false;
  RaiseError(EngineState.ExprStr, errUserBreak);
  return true;
}

bool CutArgument(int From, int& P, std::string& Text) {
  const int size = static_cast<int>(EngineState.ExprStr.size());
  Text.clear();
  int depth = 1;
  for (P = From;; ++P) {
    if (P > size) return false;
    const unsigned char c = CharAt(P);
    if (c == EndChar) return false;
    if (depth == 1 && (c == ')' || c == ',' || c == '<' || c == '=' || c == '>')) break;
    if (c == '(') ++depth;
    if (c == ')') --depth;
    Text += static_cast<char>(c);
  }
  return !Text.empty();
}

bool CutToParen(int From, int& P, std::string& Text) {
  const int size = static_cast<int>(EngineState.ExprStr.size());
  Text.clear();
  for (P = From;; ++P) {
    if (P > size) return false;
    const unsigned char c = CharAt(P);
    if (c == EndChar) return false;
    if (c == '(') break;
    Text += static_cast<char>(c);
  }
  return !Text.empty();
}

void RaiseErrorAt(int Code, int P) {
  auto& s = EngineState;
  const int size = static_cast<int>(s.ExprStr.size());
  s.Pos = std::clamp(P, size > 0 ? 1 : 0, size);
  s.CurChar = CharAt(s.Pos);
  if (s.CurChar == EndChar) s.CurChar = ' ';
  RaiseError(s.ExprStr, Code);
  s.ErrPos = std::max(s.ErrPos, 1);
}

void ConsumeRest() {
  auto& s = EngineState;
  s.Pos = static_cast<int>(s.ExprStr.size());
  s.CurChar = EndChar;
  EngineSettings.ArgDepth = 0;
}

bool EvaluateCutText(const std::string& Text, int Start, Extended& Value) {
  auto& s = EngineState;
  Value = 0;
  int errPos = 0;
  {
    TNestedEvaluation nested;
    s.ExprStr = Text;
    s.Pos = 0;
    s.StartPos = 1;
    EngineSettings.ArgDepth = 0;
    s.CurChar = NextChar(s.ExprStr);
    Expression(Value);
    // The cutter keeps parentheses whole, so a text that is not read to its end is malformed.
    if (!s.ErrFlag && s.CurChar != EndChar) RaiseError(s.ExprStr, errSyntax);
    if (!s.ErrFlag && !std::isfinite(Value)) RaiseError(s.ExprStr, errOverflow);
    if (!s.ErrFlag) return true;
    errPos = s.ErrPos;
  }
  s.ErrPos = std::max(errPos, 1) + Start - 1;
  s.ErrLen = std::max(s.ErrLen, 1);
  ConsumeRest();
  Value = 0;
  return false;
}

bool EvalTwoArgs(Extended& Second, Extended& First) {
  auto& s = EngineState;
  int p = 0;
  std::string text;
  const int first = s.Pos;
  if (!CutArgument(first, p, text)) {
    RaiseErrorAt(errSyntax, p);
    return false;
  }
  if (!EvaluateCutText(text, first, First)) return false;
  if (CharAt(p) != ',') {
    RaiseErrorAt(errSyntax, p);
    return false;
  }
  const int second = p + 1;
  if (!CutArgument(second, p, text)) {
    RaiseErrorAt(errSyntax, p);
    return false;
  }
  if (!EvaluateCutText(text, second, Second)) return false;
  // The body follows the second bound's comma.
  if (CharAt(p) != ',') {
    RaiseErrorAt(errSyntax, p);
    return false;
  }
  s.Pos = p;
  Advance();
  return true;
}

std::string LogText(int Digits, Extended X) {
  auto& s = EngineState;
  const bool flag = s.ErrFlag;
  const int code = s.ErrCode, pos = s.ErrPos, len = s.ErrLen;
  s.ErrFlag = false;
  std::string text;
  FormatNumber(Digits, text, X);
  if (s.ErrFlag) {
    const auto settings = EngineSettings;
    EngineSettings.DisplayMode = 0;
    EngineSettings.Radix = 0;
    s.ErrFlag = false;
    FormatNumber(Digits, text, X);
    EngineSettings = settings;
  }
  s.ErrFlag = flag;
  s.ErrCode = code;
  s.ErrPos = pos;
  s.ErrLen = len;
  return text;
}

TNestedEvaluation::TNestedEvaluation()
    : Left(IfLeft), Right(IfRight), Counters(SaveProcedureCounters()) {}

void TNestedEvaluation::Restore() {
  if (!Active) return;
  Active = false;
  Reader.Restore();
  IfLeft = Left;
  IfRight = Right;
  RestoreProcedureCounters(Counters);
}
