// The complex-mode reader. It reads ComplexText character by character and computes while it
// reads, like the real grammar; after an error it skips to the end so that every level returns.
#include "engine/complex_eval.h"

#include <cmath>

#include "engine/parser.h"
#include "engine/random.h"

TComplex ComplexAnswer = ComplexZero;
std::uint8_t ComplexDisplayForm = cfAlgebraic;

namespace {

constexpr std::string_view NoName = "___(";

constexpr int idComp = 17;
constexpr int idLnGamma = 26;

}  // namespace

const std::array<TBuiltinEntry, ComplexNameCount> ComplexNameTable = [] {
  std::array<TBuiltinEntry, ComplexNameCount> t{};
  for (int i = 0; i < ComplexNameCount; ++i) {
    t[static_cast<size_t>(i)] = BuiltinTable[static_cast<size_t>(i)];
    t[static_cast<size_t>(i)].Name = NoName;
  }
  auto keep = [&](int id) {
    t[static_cast<size_t>(id)].Name = BuiltinTable[static_cast<size_t>(id)].Name;
  };
  for (int id = 1; id <= 16; ++id) keep(id);
  for (int id : {28, 29, 30, 33, 40}) keep(id);
  for (int id = idLowerX; id < idUpperX + 10; ++id) keep(id);
  t[idComp].Name = "comp(";
  t[idLnGamma].Name = "LnGamma(";
  t[0].Name = "____(";
  return t;
}();

const std::array<std::string_view, ComplexHelpCount> ComplexBuiltinHelp = {
    /*  0 */ "",
    /*  1 */ "Complex Sine of (%A)",
    /*  2 */ "Complex Arc sine of (..)",
    /*  3 */ "Complex Arc cosine of (..)",
    /*  4 */ "Complex Arc tangent of (..)",
    /*  5 */ "Complex Inverse hyperbolic sine of (..)",
    /*  6 */ "Complex Inverse hyperbolic cosine of (..)",
    /*  7 */ "Complex Inverse hyperbolic tangent of (..)",
    /*  8 */ "Complex Hyperbolic sine of (..)",
    /*  9 */ "Complex Hyperbolic cosine of (..)",
    /* 10 */ "Complex Hyperbolic tangent of (..)",
    /* 11 */ "Complex random number, both parts in [0, 1)",
    /* 12 */ "Complex Cosine of (%A)",
    /* 13 */ "Complex Tangent of (%A)",
    /* 14 */ "Complex Exponent of (..)",
    /* 15 */ "Complex Square root of (..)",
    /* 16 */ "Complex Natural logarithm of (..)",
    /* 17 */ "Complex number of (..)",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    /* 26 */ "Logarithm Gamma of (..)",
    /* 27 */ "",
    /* 28 */ "ratio of a circle's circumference to its diameter",
    /* 29 */ "ratio of a circle's circumference to its diameter",
    /* 30 */ "Base of the natural logarithm",
    "",
    "",
    /* 33 */ "Absolute value",
    "",
    "",
    "",
    "",
    "",
    "",
    /* 40 */ "Complex Squared of (..)",
};

namespace {

constexpr unsigned char chSquare = 0xB2;
constexpr unsigned char chCube = 0xB3;
constexpr unsigned char chRoot = 0xBD;
constexpr unsigned char chPi = 0xB6;

// The reader's own cursor and error fields.
struct TComplexReader {
  std::string Text;  // ComplexText
  unsigned char CurChar = EndChar;
  int Pos = 0;  // 1-based index of CurChar; 0 before the first read
  int ErrPos = 0;
  int StartPos = 1;  // first position of the text or of the innermost group
  bool ErrFlag = false;
  int ErrLen = 0;
};

TComplexReader R;

void Next() {
  if (R.Pos >= static_cast<int>(R.Text.size())) {
    R.CurChar = EndChar;
    return;
  }
  ++R.Pos;
  R.CurChar = static_cast<unsigned char>(R.Text[static_cast<size_t>(R.Pos - 1)]);
}

// Marks one character at the current position and skips to the end of the text.
void SetError(int Code) {
  R.ErrPos = R.Pos;
  R.ErrFlag = true;
  R.ErrLen = 1;
  if (R.CurChar == EndChar && R.Pos == 0) R.CurChar = ' ';
  while (R.CurChar != EndChar) Next();
  EngineState.ErrCode = Code;
  EngineSettings.ArgDepth = 0;
}

// Marks the span [First, Last].
void SetErrorSpan(int Code, int First, int Last) {
  SetError(Code);
  R.ErrPos = First;
  R.ErrLen = Last >= First ? Last - First + 1 : 1;
}

// The last position that the operand just read covers: the one before the current character,
// or the last one of the text when it was read to its end.
int LastReadPos() { return R.CurChar == EndChar ? R.Pos : R.Pos - 1; }

bool IsLetter(unsigned char C) { return (C >= 'A' && C <= 'Z') || (C >= 'a' && C <= 'z'); }
bool IsDigitChar(unsigned char C) { return C == '$' || C == '.' || (C >= '0' && C <= '9'); }
bool IsSign(unsigned char C) { return C == '+' || C == '-'; }
bool IsPostfix(unsigned char C) { return C == chSquare || C == chCube || C == chRoot; }

bool IsOperandStart(unsigned char C) {
  return C == '(' || C == '?' || IsDigitChar(C) || IsLetter(C) || C == chPi;
}

bool IsNameTerminator(unsigned char C) {
  return C == '+' || C == '-' || C == '*' || C == '/' || C == '(' || C == ')' || C == ',' ||
         C == '=' || C == '^' || C == EndChar || IsPostfix(C);
}

bool IsFinite(const TComplex& Z) { return std::isfinite(Z.A) && std::isfinite(Z.B); }

// Runs one arithmetic step; an error code it set, or a result that is no longer finite, becomes
// an error at the operator's position and the value 0 + 0i.
template <class Op>
void Checked(TComplex& Z, int OpPos, Op op) {
  EngineState.ErrCode = 0;
  op();
  if (EngineState.ErrCode == 0 && IsFinite(Z)) return;
  const int code = EngineState.ErrCode != 0 ? EngineState.ErrCode : errOverflow;
  Z = ComplexZero2;
  SetErrorSpan(code, OpPos, OpPos);
}

void Expression(TComplex& Z);
void Factor(TComplex& Z);

void CallFunction(int Id, const TComplex& Arg, TComplex& Z, int CallStart) {
  EngineState.ErrCode = 0;
  switch (Id) {
    case 1:
      CSin(Arg, Z);
      break;
    case 2:
      CArcSin(Arg, Z);
      break;
    case 3:
      CArcCos(Arg, Z);
      break;
    case 4:
      CArcTan(Arg, Z);
      break;
    case 5:
      CArcSinh(Arg, Z);
      break;
    case 6:
      CArcCosh(Arg, Z);
      break;
    case 7:
      CArcTanh(Arg, Z);
      break;
    case 8:
      CSinh(Arg, Z);
      break;
    case 9:
      CCosh(Arg, Z);
      break;
    case 10:
      CTanh(Arg, Z);
      break;
    case 12:
      CCos(Arg, Z);
      break;
    case 13:
      CTan(Arg, Z);
      break;
    case 14:
      CExp(Arg, Z);
      break;
    case 15:
      CSqrt(Arg, Z);
      break;
    case 16:
      CLn(Arg, Z);
      break;
    case idLnGamma:
      CLnGamma(Arg, Z);
      break;
    case 33:
      CMake(ComplexDisplayForm, Z, CAbs(Arg), 0);
      break;
    case 40:
      CIntPower(Arg, 2, Z);
      break;
    default:  // a row without an operation
      SetError(errSyntax);
      break;
  }
  if (!R.ErrFlag && (EngineState.ErrCode != 0 || !IsFinite(Z))) {
    ComplexAnswer = ComplexZero;
    SetError(EngineState.ErrCode != 0 ? EngineState.ErrCode : errOverflow);
  }
  if (R.ErrFlag) {
    R.ErrLen = R.ErrPos - CallStart + 1;
    R.ErrPos = CallStart;
    Z = ComplexZero2;
  }
}

// comp(re,im): both parts are real expressions, each evaluated by the real evaluator. CurChar is
// the '(' of the name.
void ReadComp(TComplex& Z) {
  Extended part[2] = {0, 0};
  for (int k = 0; k < 2; ++k) {
    const int delimiter = R.Pos;  // the '(' or ',' before the part
    int depth = 1;
    std::string text;
    for (;;) {
      Next();
      const unsigned char c = R.CurChar;
      if (c == EndChar) {
        SetError(errMissingClose);
        return;
      }
      if (c == '(') ++depth;
      if (c == ')') --depth;
      if (depth == 0 || (depth == 1 && c == ',')) break;
      text += static_cast<char>(c);
    }
    if (text.empty()) {
      SetError(errSyntax);
      return;
    }
    if (k == 0 && R.CurChar != ',') {
      SetError(errCommaExpected);
      return;
    }
    if (k == 1 && R.CurChar != ')') {
      SetError(errSyntax);
      return;
    }
    const std::string saved = EngineState.ExprStr;
    const auto savedDepth = EngineSettings.ArgDepth;
    EngineSettings.ArgDepth = 0;
    bool failed = false;
    int pos = 0, len = 0;
    part[k] = EvaluateEx(text, failed, pos, len);
    EngineState.ExprStr = saved;
    EngineSettings.ArgDepth = savedDepth;
    if (failed) {
      // Keep the real evaluator's code; mark its span inside this part.
      const int code = EngineState.ErrCode;
      SetError(code);
      R.ErrPos = delimiter + pos;
      R.ErrLen = len;
      return;
    }
  }
  CMake(ComplexDisplayForm, Z, part[0], part[1]);
  Next();  // past the closing ')'
}

// A name: its letters up to and including the first terminator.
void ReadName(TComplex& Z) {
  const int start = R.Pos;
  std::string name(1, static_cast<char>(R.CurChar));
  do {
    Next();
    name += static_cast<char>(R.CurChar);
  } while (!IsNameTerminator(R.CurChar));
  int id = -1;
  for (const auto& row : ComplexNameTable) {
    const std::string_view n =
        row.Kind == 0 ? std::string_view(name).substr(0, name.size() - 1) : std::string_view(name);
    if (n == row.Name) id = row.Id;
  }
  if (id < 0 || (id >= idLowerX && id < idUpperX + 10)) {
    // Unknown, or a letter variable, which has no value in this mode (nor can it be assigned).
    SetErrorSpan(errSyntax, start, LastReadPos());
    return;
  }
  switch (id) {
    case idComp:
      ReadComp(Z);
      return;
    case idRandom: {
      const Extended re = RandomUniform();
      Z = TComplex{cfAlgebraic, re, RandomUniform()};
      return;
    }
    case idPiChar:
    case idPi:
      Z = TComplex{cfAlgebraic, BuiltinPi, 0};
      return;
    case idE:
      Z = TComplex{cfAlgebraic, BuiltinE, 0};
      return;
    default:
      break;
  }
  Next();
  TComplex arg;
  Expression(arg);
  if (R.ErrFlag) return;
  if (R.CurChar != ')' && R.CurChar != EndChar) {
    SetError(errMissingClose);
    return;
  }
  CallFunction(id, arg, Z, start);
  if (!R.ErrFlag) Next();  // past the closing ')'
}

void Factor(TComplex& Z) {
  TNestGuard nest;
  Z = ComplexZero2;
  if (nest.Exceeded()) {
    SetError(errStackOverflow);
    return;
  }
  if (!IsOperandStart(R.CurChar) && !IsSign(R.CurChar)) {
    SetError(errSyntax);
    return;
  }
  bool negate = false;
  if (IsSign(R.CurChar)) {
    negate = R.CurChar == '-';
    Next();
    if (!IsOperandStart(R.CurChar)) {
      SetError(errSyntax);
      return;
    }
  }
  const unsigned char c = R.CurChar;
  if (c == '?') {
    Z = ComplexAnswer;
    Next();
    const unsigned char f = R.CurChar;
    if (!(f == ')' || f == ',' || f == '^' || f == '*' || f == '/' || IsSign(f) || f == EndChar ||
          IsPostfix(f))) {
      SetError(errSyntax);
      return;
    }
  } else if (IsDigitChar(c)) {
    SetError(errSyntax);  // this mode has no number literals
    return;
  } else if (c == '(') {
    Next();
    R.StartPos = R.Pos;
    Expression(Z);
    if (R.ErrFlag) return;
    if (R.CurChar == ')' || R.CurChar == EndChar ||
        (EngineSettings.ArgDepth > 0 && R.CurChar == ',')) {
      Next();
    } else {
      SetError(errMissingClose);
      ++R.ErrPos;
      return;
    }
  } else {
    ReadName(Z);
    if (R.ErrFlag) return;
  }
  if (negate) CNeg(Z, Z);

  if (R.CurChar == '^') {
    const int opPos = R.Pos;
    Next();
    TComplex exponent;
    Factor(exponent);
    if (R.ErrFlag) return;
    const unsigned char f = R.CurChar;
    if (f == '*' || f == '/' || f == '%' || f == '&' || f == '\\' || f == '^' || f == '|' ||
        IsPostfix(f)) {
      SetError(errSyntax);
      return;
    }
    Checked(Z, opPos, [&] { CPower(Z, exponent, Z); });
    if (R.ErrFlag) return;
  }
  if (R.CurChar == chSquare) {
    Checked(Z, R.Pos, [&] { CMul(Z, Z, Z); });
    if (R.ErrFlag) return;
    Next();
  }
  if (R.CurChar == chRoot) {
    Checked(Z, R.Pos, [&] { CSqrt(Z, Z); });
    if (R.ErrFlag) return;
    Next();
  }
  if (R.CurChar == chCube) {
    Checked(Z, R.Pos, [&] { CIntPower(Z, 3, Z); });
    if (R.ErrFlag) return;
    Next();
  }
}

void Term(TComplex& Z) {
  const unsigned char c = R.CurChar;
  if (R.Pos == R.StartPos &&
      (c == '%' || c == '&' || c == '\\' || c == '^' || c == '|' || c == chSquare || c == chCube)) {
    SetError(errSyntax);
    return;
  }
  bool negate = false;
  if (IsSign(c)) {
    negate = c == '-';
    Next();
    if (IsSign(R.CurChar)) {
      SetError(errSyntax);
      return;
    }
  }
  Factor(Z);
  if (R.ErrFlag) return;
  if (negate) CNeg(Z, Z);
  while (R.CurChar == '*' || R.CurChar == '/') {
    const unsigned char op = R.CurChar;
    const int opPos = R.Pos;
    Next();
    if (IsSign(R.CurChar) || R.CurChar == '^') {
      SetError(errSyntax);
      return;
    }
    TComplex f;
    Factor(f);
    if (R.ErrFlag) return;
    if (op == '*') {
      Checked(Z, opPos, [&] { CMul(Z, f, Z); });
    } else if (CEqual(f, ComplexZero)) {
      SetErrorSpan(errDivisionByZero, opPos + 1, LastReadPos());
      Z = ComplexZero2;
    } else {
      Checked(Z, opPos, [&] { CDiv(Z, f, Z); });
    }
    if (R.ErrFlag) return;
  }
}

void Expression(TComplex& Z) {
  Term(Z);
  if (R.ErrFlag) return;
  while (IsSign(R.CurChar)) {
    const unsigned char op = R.CurChar;
    const int opPos = R.Pos;
    Next();
    const unsigned char c = R.CurChar;
    if (c == '^' || c == '*' || c == '/' || IsSign(c)) {
      SetError(errSyntax);
      return;
    }
    TComplex t;
    Term(t);
    if (R.ErrFlag) return;
    Checked(Z, opPos, [&] {
      if (op == '+')
        CAdd(Z, t, Z);
      else
        CSub(Z, t, Z);
    });
    if (R.ErrFlag) return;
  }
}

}  // namespace

void CompEvaluate(std::string& S, bool& Flag, int& ErrPos, int& ErrLen, TComplex& Z) {
  Z = ComplexZero2;
  if (S.empty()) return;
  R = TComplexReader{};
  R.Text = S;
  R.StartPos = 1;
  Next();
  Expression(Z);
  // Whatever follows a complete expression (a surplus ')', an operator this mode does not know)
  // would otherwise be dropped silently.
  // (A byte 127 inside the text reads as the end marker; it must not hide what follows it.)
  if (!R.ErrFlag && (R.CurChar != EndChar || R.Pos < static_cast<int>(R.Text.size())))
    SetError(errSyntax);
  if (R.ErrFlag) Z = ComplexZero2;
  Flag = R.ErrFlag;
  ErrPos = R.ErrPos;
  ErrLen = R.ErrLen;
  S = R.Text;
}
