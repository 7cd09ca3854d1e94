// The three grammar levels, the postfix operators, name resolution and the argument protocol.
#include "engine/parser.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <string_view>

#include "engine/builtin_table.h"
#include "engine/builtins.h"
#include "engine/formula_tape.h"
#include "engine/procedures.h"

namespace {

constexpr unsigned char chSquare = 0xB2;
constexpr unsigned char chCube = 0xB3;
constexpr unsigned char chRoot = 0xBD;
constexpr unsigned char chPi = 0xB6;

void Advance() { EngineState.CurChar = NextChar(EngineState.ExprStr); }
void Fail(int Code) { RaiseError(EngineState.ExprStr, Code); }

// Raises Code and marks the single character at P.
void FailAt(int Code, int P) {
  Fail(Code);
  EngineState.ErrPos = P;
  EngineState.ErrLen = 1;
}

constexpr bool IsAdditive(unsigned char C) {
  return C == '&' || C == '+' || C == '-' || C == '\\' || C == '|';
}
constexpr bool IsMultiplicative(unsigned char C) { return C == '%' || C == '*' || C == '/'; }
constexpr bool IsPostfix(unsigned char C) { return C == chSquare || C == chCube || C == chRoot; }

// The two widest character tests as tables, since the reader applies them to every character of
// a name and after every operand.
template <typename TTest>
constexpr std::array<bool, 256> CharTable(TTest Test) {
  std::array<bool, 256> table{};
  for (int c = 0; c < 256; ++c) table[static_cast<size_t>(c)] = Test(static_cast<unsigned char>(c));
  return table;
}

constexpr auto OperandFollowers = CharTable([](unsigned char C) {
  return C == ')' || C == ',' || C == '^' || C == EndChar || IsPostfix(C) || IsAdditive(C) ||
         IsMultiplicative(C);
});
constexpr auto NameStops =
    CharTable([](unsigned char C) { return C == '(' || C == '=' || OperandFollowers[C]; });

bool IsNameStop(unsigned char C) { return NameStops[C]; }
bool IsOperandFollower(unsigned char C) { return OperandFollowers[C]; }

bool IsLetter(unsigned char C) { return (C >= 'A' && C <= 'Z') || (C >= 'a' && C <= 'z'); }

bool IsFactorStarter(unsigned char C) {
  return C == '(' || C == '?' || IsLetter(C) || C == chPi || IsAdditive(C) || DigitSet.Contains(C);
}

// A leading character that no expression may begin with.
bool IsBadLead(unsigned char C) {
  return C == '%' || C == '&' || C == '\\' || C == '^' || C == '|' || C == chSquare || C == chCube;
}

// Raises code 11 at the operator at OpPos when an operation left no finite value.
bool CheckFinite(Extended Value, int OpPos) {
  if (std::isfinite(Value)) return true;
  FailAt(errOverflow, OpPos);
  return false;
}

// Marks the divisor of a division by zero: from the character after its '/' to its last character.
void MarkDivisor() {
  auto& s = EngineState;
  // Reading stopped one past the divisor unless the text ended there. The test is on the
  // character, not on the length: in "sin(1/0)" the ')' after the divisor is the last one.
  const bool ended = s.CurChar == EndChar;
  RaiseError(s.ExprStr, errDivisionByZero);
  if (!ended) --s.ErrPos;
  while (s.ErrPos > 1 && CharAt(s.ErrPos - 1) != '/') {
    --s.ErrPos;
    ++s.ErrLen;
  }
}

// ^, then the square, the square root and the cube, each at most once.
void Postfix(Extended& Value) {
  auto& s = EngineState;
  if (s.CurChar == '^') {
    const int opPos = s.Pos;
    Advance();
    const unsigned char c = s.CurChar;
    if (c == '%' || c == '&' || c == '\\' || c == '^' || c == '|' || c == '*' || c == '/' ||
        IsPostfix(c)) {
      Fail(errSyntax);
      return;
    }
    Extended exponent = 0;
    Factor(exponent);
    if (s.ErrFlag) return;
    Value = Power(Value, exponent);
    if (s.ErrFlag) {
      if (s.ErrCode == errOverflow) {
        s.ErrPos = opPos;
        s.ErrLen = 1;
      }
      return;
    }
    Record(TTapeOp::Power);
  }
  if (s.CurChar == chSquare) {
    const int opPos = s.Pos;
    Value = Value * Value;
    if (!CheckFinite(Value, opPos)) return;
    Record(TTapeOp::Square);
    Advance();
  }
  if (s.CurChar == chRoot) {
    if (Value < 0) {
      ClearResult(Value);
      Fail(errArgumentNegative);
      return;
    }
    Value = std::sqrt(Value);
    Record(TTapeOp::Root);
    Advance();
  }
  if (s.CurChar == chCube) {
    const int opPos = s.Pos;
    Value = Value * Value * Value;
    if (!CheckFinite(Value, opPos)) return;
    Record(TTapeOp::Cube);
    Advance();
  }
}

// The argument protocol of the function rows. CurChar is on the '(' that ends the name.
// Answers false when the factor ends without postfix operators.
bool CallFunction(int Id, int NameStart, Extended& Value) {
  auto& s = EngineState;
  auto& depth = EngineSettings.ArgDepth;
  const int kind = BuiltinTable[static_cast<size_t>(Id)].Kind;
  if (kind >= 1) ++depth;
  Advance();
  Extended arg1 = 0;
  if (Id == idSolve) {
    Solve(arg1);
    if (s.ErrFlag) return false;
    Value = arg1;
    Advance();
    if (depth > 0) --depth;
    return false;
  }
  if (Id == idIntegral)
    Integral(arg1);
  else if (Id == idMin || Id == idMax)
    Extremum(Id == idMax, arg1);
  else
    Expression(arg1);
  if (s.ErrFlag) return false;

  Extended arg2 = UndefinedValue;
  const bool arg2Read = s.CurChar == ',';
  if (arg2Read) {
    if (kind < 2) {
      Fail(errSyntax);
      return false;
    }
    Advance();
    Expression(arg2);
    if (s.ErrFlag) return false;
    if (s.CurChar == ',' && kind == 2) {
      Fail(errSyntax);
      return false;
    }
  }

  bool multiArg = false;
  if (Id == idIntegral || Id == idMin || Id == idMax) {
    Value = arg1;
  } else {
    // Both mark their failures themselves.
    Value = CallBuiltin(Id, arg1, arg2, NameStart);
    if (!s.ErrFlag) multiArg = CallMultiArgBuiltin(Id, Value, arg1, arg2, NameStart);
    if (s.ErrFlag) {
      Value = 0;
      return false;
    }
  }
  if (!std::isfinite(Value)) {
    Fail(errOverflow);
    MarkCall(NameStart);
    Value = 0;
    return false;
  }
  RecordCall(arg2Read, Id, NameStart, multiArg);
  // The character that ended the last argument closes the call, whatever it is.
  Advance();
  if (kind >= 1 && depth > 0) --depth;
  CheckAfterOperand();
  return !s.ErrFlag;
}

// Reads the operand named at CurChar (a letter or the pi character). Answers false when the factor
// ends without postfix operators.
bool NamedOperand(Extended& Value) {
  auto& s = EngineState;
  int nameStart = 0;
  Extended userValue = 0;
  const int id = ResolveIdentifier(nameStart, userValue);
  if (s.ErrFlag) return false;
  if (!IsReplayableBuiltin(id)) StopRecording();

  if (id == idUserFunction) {
    Value = userValue;
    return true;
  }
  if (id >= idFirstUserVariable) {
    UserVariableValue(id, Value);
    if (s.ErrFlag) return false;
    CheckAfterOperand();
    return !s.ErrFlag;
  }
  if (id == idFor) {
    ForLoop(Value);
    if (s.ErrFlag) return false;
    Advance();
    CheckAfterOperand();
    return !s.ErrFlag;
  }
  if (IsLetterVariable(id)) {
    if (!LetterVariable(id, Value)) return false;
    CheckAfterOperand();
    return !s.ErrFlag;
  }
  const auto& row = BuiltinTable[static_cast<size_t>(id)];
  if (row.Kind == 0) {
    if (id == idRandom) {
      Extended r = 0;
      Value = CallBuiltin(id, r, UndefinedValue, nameStart);
      if (s.ErrFlag) {
        MarkCall(nameStart);
        Value = 0;
        return false;
      }
    } else {
      Value = id == idE ? BuiltinE : BuiltinPi;
      Record(TTapeOp::Const, Value);
    }
    CheckAfterOperand();
    return !s.ErrFlag;
  }
  if (IsListFunction(id)) {
    ListFunction(id, Value);
    if (s.ErrFlag) return false;
    Advance();
    CheckAfterOperand();
    return !s.ErrFlag;
  }
  if (id == idIf) {
    IfThenElse(Value);
    return !s.ErrFlag;
  }
  return CallFunction(id, nameStart, Value);
}

}  // namespace

int ResolveIdentifier(int& NameStart, Extended& UserFunctionValue) {
  auto& s = EngineState;
  constexpr size_t maxKept = 20;
  NameStart = s.Pos;
  // A longer name is read to its end but compared by its first 20 characters. Kept in a buffer:
  // built-in names are resolved on every read of a plotted formula.
  char kept[maxKept + 1];
  size_t length = 0;
  kept[length++] = static_cast<char>(s.CurChar);
  for (Advance(); !IsNameStop(s.CurChar); Advance())
    if (length < maxKept) kept[length++] = static_cast<char>(s.CurChar);
  kept[length++] = static_cast<char>(s.CurChar);
  const std::string_view nameWithStop(kept, length);

  if (length == 15 && nameWithStop == "forJtoKstepMdo(") return idFor;
  const int row = FindBuiltin(nameWithStop);
  if (row >= 0) return row;

  const std::string name(nameWithStop);
  if (TryUserFunction(name, NameStart, UserFunctionValue)) return idUserFunction;
  if (s.ErrFlag) return -1;
  const std::string bare = name.substr(0, name.size() - 1);
  if (s.CurChar == '=') {
    const int id = AssignUserVariable(bare, NameStart);
    return s.ErrFlag ? -1 : id;
  }
  const int id = FindUserVariable(bare);
  if (id >= idFirstUserVariable) return id;
  // Unknown name: mark the whole name.
  const int nameEnd = s.CurChar == EndChar ? s.Pos : s.Pos - 1;
  Fail(errSyntax);
  s.ErrPos = NameStart;
  s.ErrLen = nameEnd >= NameStart ? nameEnd - NameStart + 1 : 1;
  return -1;
}

void CheckAfterOperand() {
  if (!IsOperandFollower(EngineState.CurChar)) Fail(errSyntax);
}

bool AtComma() { return EngineState.CurChar == ','; }

bool ToInt64(Extended V, std::int64_t& Out) {
  const Extended t = std::trunc(V);
  if (!(t >= -9223372036854775808.0L && t < 9223372036854775808.0L)) return false;
  Out = static_cast<std::int64_t>(t);
  return true;
}

Extended Power(Extended Base, Extended Exponent) {
  // Results below this magnitude are flushed to 0.
  static const Extended lnTiny = std::log(3.4E-1000L);
  if (Base == 0) {
    if (Exponent > 0) return 0;
    if (Exponent == 0) return 1;
    Fail(errDivisionByZero);
    return 0;
  }
  Extended magnitude = std::fabs(Base);
  bool negate = false;
  if (Base < 0) {
    if (Exponent != std::trunc(Exponent)) {
      Fail(errArgumentNegative);
      return 0;
    }
    negate = std::fmod(Exponent, 2.0L) != 0;
  }
  // Where |log(magnitude) * Exponent| < 64 ln 2 * 32, far above the flush bound, the logarithm
  // is not needed: a plot reads x^2 hundreds of thousands of times.
  const bool farFromTiny =
      magnitude >= 0x1p-64L && magnitude <= 0x1p64L && std::fabs(Exponent) <= 32;
  if (!farFromTiny && std::log(magnitude) * Exponent < lnTiny) return 0;
  // A square is one correctly rounded product, the value an exact power would round to, and a
  // cube is computed as the cube operator computes it; both cost a fraction of the library's
  // power.
  Extended r = Exponent == 2   ? magnitude * magnitude
               : Exponent == 3 ? magnitude * magnitude * magnitude
                               : std::pow(magnitude, Exponent);
  if (!std::isfinite(r)) {
    Fail(errOverflow);
    return 0;
  }
  return negate ? -r : r;
}

void Factor(Extended& Value) {
  auto& s = EngineState;
  TNestGuard nest;
  // Every operand reader below sets Value on every path (and the failures are cleared at the
  // end), so only the failures before them clear it here: a long double store is slow, and this
  // runs for every operand of every read.
  auto fail = [&](int Code) {
    Value = 0;
    Fail(Code);
  };
  if (nest.Exceeded()) {
    fail(errStackOverflow);
    return;
  }
  if (!IsFactorStarter(s.CurChar)) {
    fail(errSyntax);
    return;
  }
  int sign = 1;
  if (s.CurChar == '+' || s.CurChar == '-') {
    sign = s.CurChar == '-' ? -1 : 1;
    Advance();
  }
  // A sign must be followed by an operand, and an operator alone is none.
  if (!IsFactorStarter(s.CurChar) || IsAdditive(s.CurChar)) {
    fail(errSyntax);
    return;
  }

  bool postfix = true;
  const unsigned char c = s.CurChar;
  const bool hex = EngineSettings.Radix == 1;
  if (c == '$' && !hex) {
    fail(errSyntax);
    return;
  }
  if (c == '$' && hex && CharAt(s.Pos + 1) == 'C' &&
      (CharAt(s.Pos + 2) == 'i' || CharAt(s.Pos + 2) == 'n')) {
    Advance();
    postfix = NamedOperand(Value);
  } else if (c == '$' || c == '.' || (c >= '0' && c <= '9')) {
    if (c == '$') Advance();
    ReadNumber(Value);
    if (s.ErrFlag) return;
    Record(TTapeOp::Const, Value);
    CheckAfterOperand();
  } else if (c == '?') {
    Advance();
    Value = s.Ans;
    Record(TTapeOp::Ans);
    CheckAfterOperand();
  } else if (c == '(') {
    Advance();
    s.StartPos = s.Pos;
    Expression(Value);
    if (s.ErrFlag) return;
    if (s.CurChar == ')' || s.CurChar == EndChar ||
        (EngineSettings.ArgDepth > 0 && s.CurChar == ',')) {
      Advance();
      if (s.CurChar == EndChar) postfix = false;
    } else {
      Fail(errMissingClose);
      ++s.ErrPos;
      return;
    }
  } else if (c == 'f' &&
             s.ExprStr.compare(static_cast<size_t>(s.Pos - 1), 14, "forJtoKstepMdo") == 0) {
    StopRecording();
    for (int i = 0; i < 14; ++i) Advance();
    ForLoop(Value);
    if (s.ErrFlag) return;
    Advance();
    CheckAfterOperand();
  } else if (IsLetter(c) || c == chPi) {
    postfix = NamedOperand(Value);
  } else {
    Fail(errSyntax);
  }
  if (s.ErrFlag) {
    Value = 0;
    return;
  }
  if (sign != 1) {
    Value *= sign;
    Record(TTapeOp::Negate);
  }
  if (postfix) Postfix(Value);
  if (s.ErrFlag) Value = 0;
}

void Term(Extended& Value) {
  auto& s = EngineState;
  // Factor sets Value first thing; only the failures before it clear Value here (a long double
  // store is not free, and this runs for every term of every read).
  if (s.Pos == s.StartPos && IsBadLead(CharAt(s.StartPos))) {
    Value = 0;
    Fail(errSyntax);
    return;
  }
  if (s.CurChar == '+' || s.CurChar == '-') {
    const int sign = s.CurChar == '-' ? -1 : 1;
    Advance();
    if (IsAdditive(s.CurChar)) {
      Value = 0;
      Fail(errSyntax);
      return;
    }
    Factor(Value);
    Value *= sign;
    if (sign != 1) Record(TTapeOp::Negate);
  } else {
    Factor(Value);
  }
  if (s.ErrFlag) return;
  if (s.CurChar != ')' && s.CurChar != EndChar && !IsAdditive(s.CurChar) &&
      !IsMultiplicative(s.CurChar)) {
    if (EngineSettings.ArgDepth > 0) return;
    Fail(errSyntax);
    return;
  }
  while (IsMultiplicative(s.CurChar)) {
    const unsigned char op = s.CurChar;
    const int opPos = s.Pos;
    Advance();
    if (IsAdditive(s.CurChar) || s.CurChar == '^') {
      Fail(errSyntax);
      return;
    }
    Extended right = 0;
    Factor(right);
    if (s.ErrFlag) return;
    // Checked before it is stored: reading back a long double just stored stalls the processor.
    Extended result;
    if (op == '*') {
      result = Value * right;
    } else if (op == '%') {
      result = Value * right / 100;
    } else if (right == 0) {
      MarkDivisor();
      Value = 0;
      return;
    } else {
      result = Value / right;
    }
    if (!CheckFinite(result, opPos)) {
      Value = 0;
      return;
    }
    Value = result;
    Record(op == '*' ? TTapeOp::Mul : op == '%' ? TTapeOp::Percent : TTapeOp::Div);
  }
}

void Expression(Extended& Value) {
  auto& s = EngineState;
  Term(Value);
  if (s.ErrFlag) return;
  while (IsAdditive(s.CurChar)) {
    const unsigned char op = s.CurChar;
    const int opPos = s.Pos;
    Advance();
    if (s.CurChar == '^' || IsAdditive(s.CurChar) || IsMultiplicative(s.CurChar)) {
      Fail(errSyntax);
      return;
    }
    Extended right = 0;
    Term(right);
    if (s.ErrFlag) return;
    Extended result;
    if (op == '+') {
      result = Value + right;
    } else if (op == '-') {
      result = Value - right;
    } else {
      std::int64_t a = 0, b = 0;
      if (!ToInt64(Value, a) || !ToInt64(right, b)) {
        FailAt(errOutOfRange, opPos);
        Value = 0;
        return;
      }
      const std::int64_t r = op == '&' ? (a & b) : op == '|' ? (a | b) : (a ^ b);
      result = static_cast<Extended>(r);
    }
    if (!CheckFinite(result, opPos)) {
      Value = 0;
      return;
    }
    Value = result;
    Record(op == '+'   ? TTapeOp::Add
           : op == '-' ? TTapeOp::Sub
           : op == '&' ? TTapeOp::And
           : op == '|' ? TTapeOp::Or
                       : TTapeOp::Xor);
  }
}

Extended Evaluate(const std::string& Text, TTapeLink* Link) {
  if (Text.empty()) return 0;
  Extended value = 0;
  const TReplay replay = TryReplay(Text, value, Link);
  if (replay == TReplay::Replayed) return value;
  TTapeRecorder recorder(replay == TReplay::Unknown);
  auto& s = EngineState;
  if (s.ExprStr != Text) s.ExprStr = Text;
  s.StartPos = 1;
  s.Pos = 0;
  s.ErrFlag = false;
  s.ErrPos = 0;
  s.CurChar = NextChar(s.ExprStr);
  Expression(value);
  // A byte 127 inside the text reads as the end marker; it must not hide the text after it.
  if (!s.ErrFlag && s.CurChar == EndChar && s.Pos < static_cast<int>(s.ExprStr.size())) {
    Fail(errSyntax);
    value = 0;
  }
  if (!s.ErrFlag && !std::isfinite(value)) {
    Fail(errOverflow);
    value = 0;
  }
  if (s.ErrFlag) {
    // Whatever a nested reader put back, a failed evaluation ends with the text consumed, no open
    // argument list and a visible error span.
    s.CurChar = EndChar;
    EngineSettings.ArgDepth = 0;
    if (s.ErrLen < 1) s.ErrLen = 1;
  }
  recorder.Finish(Text, s.ErrFlag);
  return value;
}

Extended EvaluateEx(const std::string& Text, bool& Failed, int& ErrorPos, int& ErrorLen) {
  if (Text.empty()) return 0;
  EngineState.ExprStr = Text;
  const Extended value = Evaluate(Text);
  Failed = EngineState.ErrFlag;
  ErrorPos = EngineState.ErrPos;
  ErrorLen = EngineState.ErrLen;
  return value;
}
