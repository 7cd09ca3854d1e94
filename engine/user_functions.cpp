// User functions: the definition parser, the library with its file, and the call by expansion.
#include "engine/user_functions.h"

#include <algorithm>
#include <cmath>

#include "engine/builtin_table.h"
#include "engine/engine_host.h"
#include "engine/parser.h"
#include "engine/procedures.h"
#include "engine/variables.h"

TUserFunctions* UserFunctions = nullptr;

namespace {

// Parameters are marked in Code by the characters 1, 2, ...; bodies may contain no control
// characters, so a marker can never be confused with text.
constexpr int MaxParams = 31;
// A name longer than this cannot be called: the grammar compares names by 20 characters.
constexpr size_t MaxNameLength = 20;

// Calls between two looks at the message queue and the Stop button: nested calls whose bodies
// read their parameters several times multiply, and the user must be able to stop them.
constexpr unsigned CallsPerPump = 64;

int CallDepth = 0;
size_t ActiveCodeLength = 0;
unsigned CallCount = 0;

bool IsLetter(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }
// Characters that continue a name: a parameter "m" must not match inside "m_ft(" or "n!(".
bool IsNameChar(unsigned char c) { return IsLetter(c) || IsDigit(c) || c == '_' || c == '!'; }

bool IsName(const std::string& t) {
  if (t.empty() || !IsLetter(static_cast<unsigned char>(t[0]))) return false;
  return std::all_of(t.begin(), t.end(),
                     [](char c) { return IsNameChar(static_cast<unsigned char>(c)); });
}

// --- the call ---

// Reads the next argument text of a call, from the character after CurChar up to the ',' or
// ')' that ends it at the call's level; AtClose tells which. False at the end of the text or for
// an empty argument.
bool ReadArgText(std::string& Text, bool& AtClose) {
  auto& s = EngineState;
  Text.clear();
  int depth = 1;
  for (;;) {
    s.CurChar = NextChar(s.ExprStr);
    const unsigned char c = s.CurChar;
    if (c == EndChar) return false;
    if (c == '(') ++depth;
    if (c == ')' && --depth == 0) {
      AtClose = true;
      break;
    }
    if (c == ',' && depth == 1) {
      AtClose = false;
      break;
    }
    Text += static_cast<char>(c);
  }
  return !Text.empty();
}

// Marks the call from its name to the 1-based position Last, the rest of the text consumed.
void MarkCall(int Code, int NameStart, int Last) {
  auto& s = EngineState;
  RaiseError(s.ExprStr, Code);
  s.ErrCode = Code;
  s.ErrPos = NameStart;
  s.ErrLen = std::max(Last - NameStart + 1, 1);
  ConsumeRest();
}

// Overflow: the call failed in a way that no other definition of the name can mend.
enum class TCallResult { Done, Failed, Overflow };

// One attempt to call F; the reader stands on the '(' of the call.
TCallResult CallOnce(const TUserFunc& F, int NameStart, Extended& Value) {
  auto& s = EngineState;
  TUserFunc call = F;  // the library's entry stays untouched, so nested calls cannot disturb it
  call.Compile();
  for (int i = 1; i <= call.ParamCount; ++i) {
    std::string arg;
    bool atClose = false;
    const bool read = ReadArgText(arg, atClose);
    if (!read || (atClose && i < call.ParamCount)) {
      MarkCall(errMissingArgument, NameStart, s.Pos);
      return TCallResult::Failed;
    }
    if (!atClose && i == call.ParamCount) {
      // More arguments than parameters.
      RaiseError(s.ExprStr, errSyntax);
      return TCallResult::Failed;
    }
    // In parentheses, so that f(1+2) with f(x)=x^2 is 9.
    call.Expand(i, "(" + arg + ")");
  }
  const int close = s.Pos;
  if (++CallCount % CallsPerPump == 0) {
    PumpMessages();
    if (CheckBreak()) {
      MarkCall(errUserBreak, NameStart, close);
      return TCallResult::Overflow;
    }
  }
  if (CallDepth >= MaxUserCallDepth || call.Code.size() > MaxUserBodyLength - ActiveCodeLength) {
    MarkCall(errStackOverflow, NameStart, close);
    return TCallResult::Overflow;
  }

  Extended v = 0;
  bool failed = false;
  int code = 0, errPos = 0;
  {
    TNestedEvaluation nested;
    s.ExprStr = call.Code;
    s.Pos = 0;
    s.StartPos = 1;
    EngineSettings.ArgDepth = 0;
    s.CurChar = NextChar(s.ExprStr);
    ++CallDepth;
    ActiveCodeLength += call.Code.size();
    Expression(v);
    ActiveCodeLength -= call.Code.size();
    --CallDepth;
    if (!s.ErrFlag && s.CurChar != EndChar) RaiseError(s.ExprStr, errSyntax);
    if (!s.ErrFlag && !std::isfinite(v)) RaiseError(s.ExprStr, errOverflow);
    failed = s.ErrFlag;
    code = s.ErrCode;
    errPos = s.ErrPos;
  }
  if (!failed) {
    s.Pos = close;
    s.CurChar = NextChar(s.ExprStr);
    Value = v;
    return TCallResult::Done;
  }
  // Runaway recursion and a confirmed break end the whole evaluation, whatever the nesting.
  if (code == errStackOverflow || code == errUserBreak) {
    MarkCall(code, NameStart, close);
    return TCallResult::Overflow;
  }
  // The innermost failure is the one worth reporting; a nested call's code 27 keeps it.
  if (code != errUserFunction) {
    s.InnerErrCode = code;
    s.InnerErrPos = errPos - 1;
  }
  s.ErrFlag = true;
  MarkCall(errUserFunction, NameStart, close);
  return TCallResult::Failed;
}

}  // namespace

// --- TUserFunc ---

TUserFunc::TUserFunc(const std::string& Text) : Line(Text) {
  std::string t;
  const auto semicolon = Text.find(';');
  for (size_t i = 0; i < Text.size(); ++i) {
    const char c = Text[i];
    if (semicolon != std::string::npos && i >= semicolon) {
      t += c;
    } else if (c != ' ' && c != '\t') {
      t += c;
    }
  }
  if (!t.empty() && t[0] == ';') {
    Comment = t;
    Compile();
    Valid = true;
    return;
  }
  const auto open = t.find('(');
  if (open == std::string::npos) return;
  Name = t.substr(0, open + 1);
  const auto equal = t.find('=');
  const auto end = t.find(';');
  if (equal == std::string::npos) return;
  Body = t.substr(equal + 1, end == std::string::npos ? std::string::npos : end - equal - 1);
  if (end != std::string::npos) Comment = t.substr(end);
  if (Body.empty()) return;
  // Such a body could never be called: refused with that reason rather than failing every call.
  TooLong = Body.size() > MaxUserBodyLength;
  if (TooLong) return;
  const auto close = t.find(')');
  if (close == std::string::npos || close < open) return;
  Params = t.substr(open + 1, close - open - 1);
  // The definition must read name(params)=body exactly, with a name the grammar can call and a
  // body free of the characters that mark parameters.
  if (close + 1 != equal || !IsName(Name.substr(0, open)) || open > MaxNameLength) return;
  if (std::any_of(Body.begin(), Body.end(),
                  [](char c) { return static_cast<unsigned char>(c) < 32 || c == 127; }))
    return;
  if (!Params.empty()) Compile();
  // A name that the grammar resolves to a built-in or a letter variable can never be called.
  if (FindBuiltin(Name) >= 0) Valid = false;
}

int TUserFunc::FindParam(const std::string& Param, const std::string& Text) {
  if (Param.empty()) return 0;
  for (size_t at = Text.find(Param); at != std::string::npos; at = Text.find(Param, at + 1)) {
    const size_t after = at + Param.size();
    const bool before = at > 0 && IsNameChar(static_cast<unsigned char>(Text[at - 1]));
    const bool behind = after < Text.size() && IsNameChar(static_cast<unsigned char>(Text[after]));
    if (!before && !behind) return static_cast<int>(at) + 1;
  }
  return 0;
}

void TUserFunc::Compile() {
  ParamList.clear();
  DeclaredParams.clear();
  ParamCount = 0;
  Code = Body;
  ParamMissing = false;
  DuplicateParams = false;
  Valid = false;
  if (Params.empty()) return;
  std::string name;
  size_t start = 0;
  for (;;) {
    const auto comma = Params.find(',', start);
    name = Params.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    if (!IsName(name)) return;
    ParamList.push_back(name);
    DeclaredParams.push_back(name);
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  if (DeclaredParams.size() > MaxParams) return;
  std::stable_sort(ParamList.begin(), ParamList.end(),
                   [](const std::string& a, const std::string& b) { return a.size() > b.size(); });
  for (size_t i = 0; i + 1 < ParamList.size(); ++i) {
    for (size_t j = i + 1; j < ParamList.size(); ++j) {
      if (ParamList[i] == ParamList[j]) {
        DuplicateParams = true;
        return;
      }
    }
  }
  for (const auto& p : ParamList) {
    if (FindParam(p, Code) == 0) {
      ParamMissing = true;
      return;
    }
    const auto k =
        std::find(DeclaredParams.begin(), DeclaredParams.end(), p) - DeclaredParams.begin();
    const char marker = static_cast<char>(k + 1);
    for (int at = FindParam(p, Code); at != 0; at = FindParam(p, Code))
      Code.replace(static_cast<size_t>(at - 1), p.size(), 1, marker);
    ++ParamCount;
  }
  Valid = ParamCount > 0;
}

bool TUserFunc::Expand(int i, const std::string& ArgText) {
  if (i < 1 || i > ParamCount) return false;
  const char marker = static_cast<char>(i);
  if (Code.find(marker) == std::string::npos) {
    ParamMissing = true;
    return false;
  }
  std::string out;
  for (char c : Code) {
    if (c == marker)
      out += ArgText;
    else
      out += c;
  }
  Code = std::move(out);
  return true;
}

std::string TUserFunc::Refusal() const {
  if (Valid) return {};
  if (TooLong)
    return "The function " + Name + "...) is longer than the " + std::to_string(MaxUserBodyLength) +
           " characters that a user function can hold";
  if (DuplicateParams) return "Dublicate parametrs (" + Params + ")";
  if (ParamMissing) return "Parametr missing " + Line;
  return "Invalid functions " + Line;
}

// --- TUserFunctions ---

void TUserFunctions::Clear() {
  Items.clear();
  ValueStack.clear();
  Lines.clear();
  Problems.clear();
  StackEmpty = false;
}

TUserFunc* TUserFunctions::GetItem(int i) const {
  if (i < 0 || i >= GetCount()) return nullptr;
  return Items[static_cast<size_t>(i)].get();
}

Extended TUserFunctions::PopValue() {
  if (ValueStack.empty()) {
    StackEmpty = true;
    return 0;
  }
  const Extended v = ValueStack.back();
  ValueStack.pop_back();
  return v;
}

bool TUserFunctions::AddFunction(const std::string& Line, std::string* Message) {
  auto f = std::make_unique<TUserFunc>(Line);
  if (!f->Valid) {
    if (Message) *Message = f->Refusal();
    return false;
  }
  Items.push_back(std::move(f));
  return true;
}

void TUserFunctions::LoadLines(const std::string& Name,
                               const std::vector<TFunctionFileLine>& FileLines) {
  Clear();
  FileName = Name;
  Lines.reserve(FileLines.size());
  Items.reserve(FileLines.size());
  for (size_t i = 0; i < FileLines.size(); ++i) {
    const TFunctionFileLine& line = FileLines[i];
    Lines.push_back(line.Text);
    auto f = std::make_unique<TUserFunc>(line.Text);
    f->Source = line.Source;
    const bool blank = line.Text.find_first_not_of(" \t") == std::string::npos;
    if (blank || !line.Refusal.empty()) f->Valid = false;
    if (!blank && !line.Refusal.empty())
      Problems.push_back({static_cast<int>(i) + 1, line.Refusal});
    else if (!blank && !f->Valid)
      Problems.push_back({static_cast<int>(i) + 1, f->Refusal()});
    Items.push_back(std::move(f));
  }
}

void CreateUserFunctions() {
  if (!UserFunctions) UserFunctions = new TUserFunctions;
}

void FreeUserFunctions() {
  delete UserFunctions;
  UserFunctions = nullptr;
}

bool TryUserFunction(const std::string& Name, int NameStart, Extended& Value) {
  auto& s = EngineState;
  if (!UserFunctions || Name.empty() || Name.back() != '(') return false;
  const TReaderContext call = SaveReader();
  bool tried = false;
  for (const auto& f : UserFunctions->Items) {
    if (!f->Valid || f->IsComment() || f->Name != Name) continue;
    // Each definition of the name reads the call's arguments afresh.
    if (tried) {
      RestoreReader(call);
      s.ErrFlag = false;
    }
    tried = true;
    const TCallResult r = CallOnce(*f, NameStart, Value);
    if (r == TCallResult::Done) return true;
    if (r == TCallResult::Overflow) return false;
  }
  if (!tried) return false;
  Value = 0;
  return false;
}
