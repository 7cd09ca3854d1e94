// The two control forms of the language: if(a OP b)then(c)else(d) and forJtoKstepMdo(body).
#include <cmath>
#include <string>

#include "engine/engine_host.h"
#include "engine/numeric_procedures.h"
#include "engine/parser.h"
#include "engine/procedures.h"
#include "engine/variables.h"

namespace {

bool SameWord(const std::string& Text, const char* Word) {
  std::string upper = Text;
  for (auto& c : upper)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return upper == Word;
}

// One cut piece of the form: its text and where it starts in the full text.
struct TPiece {
  std::string Text;
  int Start = 0;
};

// Cuts the piece at From that must end at ')'; P receives the position of that ')'.
bool CutBranch(int From, int& P, TPiece& Piece) {
  Piece.Start = From;
  if (!CutArgument(From, P, Piece.Text) || CharAt(P) != ')') {
    RaiseErrorAt(errSyntax, P);
    return false;
  }
  return true;
}

// Expects the keyword Word followed by '(' at From; P receives the position of the '('.
bool Keyword(int From, int& P, const char* Word) {
  std::string word;
  if (!CutToParen(From, P, word) || !SameWord(word, Word)) {
    RaiseErrorAt(errSyntax, From);
    return false;
  }
  return true;
}

}  // namespace

void IfThenElse(Extended& Value) {
  auto& s = EngineState;
  Value = 0;
  int p = 0;
  TPiece a, b, then, other;
  a.Start = s.Pos + 1;
  if (!CutArgument(a.Start, p, a.Text)) {
    RaiseErrorAt(errSyntax, p);
    return;
  }
  Extended left = 0;
  if (!EvaluateCutText(a.Text, a.Start, left)) return;
  IfLeft = left;

  const unsigned char c1 = CharAt(p), c2 = CharAt(p + 1);
  int op = 0;  // 1 ==, 2 >>, 3 >=, 4 <<, 5 <=, 6 <>
  if (c1 == '=' && c2 == '=') op = 1;
  if (c1 == '>' && c2 == '>') op = 2;
  if (c1 == '>' && c2 == '=') op = 3;
  if (c1 == '<' && c2 == '<') op = 4;
  if (c1 == '<' && c2 == '=') op = 5;
  if (c1 == '<' && c2 == '>') op = 6;
  if (op == 0) {
    RaiseErrorAt(errSyntax, p);
    return;
  }
  if (!CutBranch(p + 2, p, b)) return;
  Extended right = 0;
  if (!EvaluateCutText(b.Text, b.Start, right)) return;
  IfRight = right;
  bool holds = false;
  switch (op) {
    case 1:
      holds = left == right;
      break;
    case 2:
      holds = left > right;
      break;
    case 3:
      holds = left >= right;
      break;
    case 4:
      holds = left < right;
      break;
    case 5:
      holds = left <= right;
      break;
    default:
      holds = left != right;
      break;
  }

  if (!Keyword(p + 1, p, "THEN") || !CutBranch(p + 1, p, then)) return;
  if (!Keyword(p + 1, p, "ELSE") || !CutBranch(p + 1, p, other)) return;
  const int close = p;

  // Only the chosen branch is evaluated; the other is only cut.
  const TPiece& chosen = holds ? then : other;
  Extended v = 0;
  if (!EvaluateCutText(chosen.Text, chosen.Start, v)) return;
  IfLeft = v;
  // The form ends with its own ')'; whatever follows belongs to the enclosing expression.
  s.Pos = close;
  s.CurChar = NextChar(s.ExprStr);
  CheckAfterOperand();
  if (s.ErrFlag) return;
  Value = v;
}

void ForLoop(Extended& Value) {
  auto& s = EngineState;
  Value = 0;
  const int namePos = s.Pos;
  // Ask for the loop variables that have no value; the dialog may leave one undefined, so ask
  // again a bounded number of times.
  const int slots[3] = {varJ, varK, varM};
  for (int round = 0;; ++round) {
    bool undefined = false;
    for (int k : slots) {
      if (VarValues[static_cast<size_t>(k)] != UndefinedValue) continue;
      undefined = true;
      if (round < 3 && !SetVariableDlg(k)) return;
    }
    if (!undefined) break;
    if (round >= 3) {
      RaiseErrorAt(errUserBreak, namePos);
      return;
    }
  }
  Extended& j = VarValues[varJ];
  const Extended j0 = j;
  const Extended k = VarValues[varK];
  const Extended m = VarValues[varM];

  const int body = s.Pos + 1;
  if (body > static_cast<int>(s.ExprStr.size())) {
    RaiseErrorAt(errSyntax, body);
    return;
  }
  const int depth = EngineSettings.ArgDepth;
  // A step that never carries J past K (M <= 0, or too small to move J) makes the loop run until
  // the user stops it: every pass pumps the messages and checks the break.
  Extended value = 0;
  for (;;) {
    s.Pos = body;
    s.CurChar = CharAt(body);
    s.StartPos = body;
    EngineSettings.ArgDepth = depth;
    value = 0;
    {
      TLoopScope loop;
      Expression(value);
    }
    if (s.ErrFlag) break;
    s.Ans = value;
    PumpMessages();
    if (CheckBreak()) break;
    j = j + m;
    if (j > k) break;
  }
  j = j0;
  if (s.ErrFlag) return;
  Value = value;
}
