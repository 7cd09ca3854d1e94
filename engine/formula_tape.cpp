// The recordings of evaluated texts and their replay.
#include "engine/formula_tape.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>

#include "engine/builtin_table.h"
#include "engine/builtins.h"
#include "engine/exp_kernel.h"
#include "engine/extended_bits.h"
#include "engine/formula_code.h"
#include "engine/parser.h"
#include "engine/sin_kernel.h"
#include "engine/specfun.h"
#include "engine/variables.h"

struct TTapeRecording {
  std::vector<TTapeStep> Steps;
  int Depth = 0;  // operands on the stack after the steps so far
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

// The recorded steps compiled into a tree of evaluators, one function per operation and kind of
// operands: the value of each node comes back in a register, and a constant or a letter operand
// is read where it is kept instead of going through a stack (a long double stored and at once
// read back stalls the processor). Constants are folded where the reader's own operation gives
// the same bits, and the commonest built-ins are called directly.
//
// A failure is a NaN: the reader fails at once on any value that is not finite, and every
// operation here either carries a value that is not finite on (sums, products, quotients by it)
// or turns it into a NaN where it could hide it (a divisor, an exponent, the argument of a call),
// so that one test of the result tells whether the replay failed.
using formula::kConst;
using formula::kLetter;
using formula::kNode;
using formula::TCode;
using formula::TEvalFn;
using formula::TEvalNode;
using formula::TKind;

bool CodeEnabled = true;
std::uint64_t CodeRuns = 0;
std::uint64_t CodeRefusals = 0;
std::uint64_t CodeAcceptances = 0;

}  // namespace

struct TCacheEntry {
  std::string Text;
  std::uint8_t Radix = 0;
  unsigned DigitVersion = 0;
  // The reader's state after the recorded reading, which a replay leaves behind as well.
  int Pos = 0;
  int StartPos = 0;
  unsigned char CurChar = EndChar;
  std::vector<TEvalNode> Nodes;
  const TEvalNode* Root = nullptr;
  std::unique_ptr<formula::TFormulaCode> Code;  // the routine of the tree, where one was written
  // The routines reading X, or X and Y, as a plot's doubles: written when first asked for.
  mutable std::unique_ptr<formula::TFormulaCode> PointCode[2];
  mutable bool PointCodeTried[2] = {false, false};

  const formula::TFormulaCode* CodeAt(const TPointLetters* At) const {
    if (!At || !Code) return Code.get();
    const int k = At->HasY ? 1 : 0;
    if (!PointCodeTried[k]) {
      PointCodeTried[k] = true;
      const unsigned letters = (1u << varX) | (At->HasY ? 1u << (varX + 1) : 0u);
      PointCode[k] = formula::TFormulaCode::Write(*Root, letters);
    }
    formula::TFormulaCode* code = PointCode[k].get();
    if (!code) return Code.get();
    code->Doubles()[varX] = At->X;
    code->Doubles()[varX + 1] = At->Y;
    return code;
  }
  // The letters read, in the reader's order: the log receives them once the replay succeeded.
  std::vector<int> LetterReads;
  // Each letter once: all must be defined before anything runs.
  std::vector<int> LettersUsed;
};

namespace {

// Most recently used first.
std::array<std::shared_ptr<TCacheEntry>, CacheSize> Cache;
// Counts the clearings of the cache: a link made before one is dropped.
unsigned Generation = 0;

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

bool IsLeaf(TTapeOp Op) { return StackEffect(Op) == 1; }
bool IsUnary(TTapeOp Op) { return StackEffect(Op) == 0; }

// The operations of the steps as a tree, constants folded.
struct TNode {
  TTapeStep Step;
  int Left = -1, Right = -1;  // the only operand of a unary operation is Left
  int Depth = 1;              // of the subtree
};

// The evaluators call each other down the tree: a deeper one (a sum of a thousand terms) is read
// by the reader each time rather than risk the stack.
constexpr int MaxTreeDepth = 512;

// The reader's arithmetic on two constants, when it succeeds.
bool FoldBinary(TTapeOp Op, Extended L, Extended R, Extended& V) {
  switch (Op) {
    case TTapeOp::Mul:
      V = L * R;
      break;
    case TTapeOp::Percent:
      V = L * R / 100;
      break;
    case TTapeOp::Div:
      if (R == 0) return false;
      V = L / R;
      break;
    case TTapeOp::Add:
      V = L + R;
      break;
    case TTapeOp::Sub:
      V = L - R;
      break;
    default:
      return false;
  }
  return std::isfinite(V);
}

bool FoldUnary(const TTapeStep& Step, Extended A, Extended& V) {
  // Of the built-ins, the square root and the absolute value of a constant: neither touches the
  // reader's state when it succeeds.
  if (Step.Op == TTapeOp::Call1 && !Step.MultiArg && (Step.Arg == idSqrt || Step.Arg == idAbs)) {
    if (!std::isfinite(A) || (Step.Arg == idSqrt && A < 0)) return false;
    V = Step.Arg == idSqrt ? std::sqrt(A) : std::fabs(A);
    return true;
  }
  switch (Step.Op) {
    case TTapeOp::Negate:
      V = A * -1;
      break;
    case TTapeOp::Square:
      V = A * A;
      break;
    case TTapeOp::Cube:
      V = A * A * A;
      break;
    case TTapeOp::Root:
      if (A < 0) return false;
      V = std::sqrt(A);
      break;
    default:
      return false;
  }
  return std::isfinite(V);
}

// The tree of Steps; false when they do not form one expression.
bool BuildTree(const std::vector<TTapeStep>& Steps, std::vector<TNode>& Nodes, int& Root) {
  std::vector<int> stack;
  auto constant = [&](int N) { return Nodes[static_cast<size_t>(N)].Step.Op == TTapeOp::Const; };
  auto value = [&](int N) { return Nodes[static_cast<size_t>(N)].Step.Value; };
  for (const TTapeStep& step : Steps) {
    TNode node{step};
    if (IsLeaf(step.Op)) {
      stack.push_back(static_cast<int>(Nodes.size()));
      Nodes.push_back(node);
      continue;
    }
    if (IsUnary(step.Op)) {
      if (stack.empty()) return false;
      const int a = stack.back();
      Extended v = 0;
      if (constant(a) && FoldUnary(step, value(a), v)) {
        Nodes[static_cast<size_t>(a)].Step.Value = v;
        continue;
      }
      node.Left = a;
      node.Depth = Nodes[static_cast<size_t>(a)].Depth + 1;
      if (node.Depth > MaxTreeDepth) return false;
      stack.back() = static_cast<int>(Nodes.size());
      Nodes.push_back(node);
      continue;
    }
    if (stack.size() < 2) return false;
    const int b = stack.back();
    stack.pop_back();
    const int a = stack.back();
    Extended v = 0;
    if (constant(a) && constant(b) && FoldBinary(step.Op, value(a), value(b), v)) {
      Nodes[static_cast<size_t>(a)].Step.Value = v;
      continue;
    }
    node.Left = a;
    node.Right = b;
    node.Depth =
        std::max(Nodes[static_cast<size_t>(a)].Depth, Nodes[static_cast<size_t>(b)].Depth) + 1;
    if (node.Depth > MaxTreeDepth) return false;
    stack.back() = static_cast<int>(Nodes.size());
    Nodes.push_back(node);
  }
  if (stack.size() != 1) return false;
  Root = stack.back();
  return true;
}

constexpr Extended Failed = std::numeric_limits<Extended>::quiet_NaN();

template <TKind K>
inline Extended Operand(const TEvalNode& N, const TEvalNode* Node, int Slot) {
  if constexpr (K == kNode)
    return Node->Eval(*Node);
  else if constexpr (K == kConst)
    return N.C;
  else
    return VarValues[static_cast<size_t>(Slot)];
}

// The built-in called as the reader calls it.
Extended CallAsReader(const TEvalNode& N, Extended Arg1, Extended Arg2) {
  if (!std::isfinite(Arg1) || !std::isfinite(Arg2)) return Failed;
  Extended v = CallBuiltin(N.Id, Arg1, Arg2, N.NameStart);
  if (!EngineState.ErrFlag && N.MultiArg) CallMultiArgBuiltin(N.Id, v, Arg1, Arg2, N.NameStart);
  return EngineState.ErrFlag ? Failed : v;
}

Extended Bits(TTapeOp Op, Extended L, Extended R) {
  std::int64_t a = 0, b = 0;
  if (!ToInt64(L, a) || !ToInt64(R, b)) return Failed;
  return static_cast<Extended>(Op == TTapeOp::And  ? (a & b)
                               : Op == TTapeOp::Or ? (a | b)
                                                   : (a ^ b));
}

template <TTapeOp Op>
inline Extended Binary(const TEvalNode& N, Extended L, Extended R) {
  if constexpr (Op == TTapeOp::Add) {
    return L + R;
  } else if constexpr (Op == TTapeOp::Sub) {
    return L - R;
  } else if constexpr (Op == TTapeOp::Mul) {
    return L * R;
  } else if constexpr (Op == TTapeOp::Percent) {
    return L * R / 100;
  } else if constexpr (Op == TTapeOp::Div) {
    if (R == 0 || !std::isfinite(R)) return Failed;
    return L / R;
  } else if constexpr (Op == TTapeOp::Power) {
    if (!std::isfinite(L) || !std::isfinite(R)) return Failed;
    const Extended v = Power(L, R);
    return EngineState.ErrFlag ? Failed : v;
  } else if constexpr (Op == TTapeOp::Call2) {
    return CallAsReader(N, L, R);
  } else {
    return Bits(Op, L, R);
  }
}

template <TTapeOp Op, TKind L, TKind R>
Extended EvalBinary(const TEvalNode& N) {
  // The left operand first, as the reader computed it.
  const Extended l = Operand<L>(N, N.A, N.SlotA);
  const Extended r = Operand<R>(N, N.B, N.SlotB);
  return Binary<Op>(N, l, r);
}

// The unary operations: the reader's postfix operators and sign, the powers 2 and 3, the
// built-ins called directly and the others.
enum class TUnary : std::uint8_t {
  Negate,
  Square,
  Cube,
  Root,
  PowSquare,
  PowCube,
  Sin,
  Cos,
  Exp,
  Sqrt,
  Ln,
  Abs,
  Call1
};

// A call whose argument changed this many times in a row stops keeping it (two long double
// stores, which cost as much as a tenth of the function) for RestingCalls calls, then tries
// again: the argument of the inner loop's letter changes at every point, that of the outer one
// stays for a whole row.
constexpr std::uint8_t MissesBeforeRest = 4;
constexpr std::uint8_t RestingCalls = 60;

// F(X), or its value at the previous call when X was the same (to the sign of a zero).
template <typename TFn>
inline Extended Remembered(const TEvalNode& N, const Extended& X, TFn F) {
  if (N.Misses >= MissesBeforeRest) {
    if (++N.Misses == MissesBeforeRest + RestingCalls) N.Misses = 0;
    return F(X);
  }
  if (N.HasLast && X == N.LastArg && std::signbit(X) == std::signbit(N.LastArg)) {
    N.Misses = 0;
    return N.LastValue;
  }
  const Extended v = F(X);
  N.Misses = static_cast<std::uint8_t>(N.Misses + N.HasLast);
  N.LastArg = X;
  N.LastValue = v;
  N.HasLast = true;
  return v;
}

template <TUnary Op>
inline Extended Unary(const TEvalNode& N, const Extended& X) {
  if constexpr (Op == TUnary::Negate) {
    return X * -1;
  } else if constexpr (Op == TUnary::Square) {
    return X * X;
  } else if constexpr (Op == TUnary::Cube) {
    return X * X * X;
  } else if constexpr (Op == TUnary::Root) {
    return X < 0 ? Failed : std::sqrt(X);
  } else if constexpr (Op == TUnary::PowSquare || Op == TUnary::PowCube) {
    // Power's own products, away from where it flushes tiny results to 0 (and from the 0 whose
    // cube it makes +0).
    if (std::fabs(X) >= 0x1p-64L) return Op == TUnary::PowSquare ? X * X : X * X * X;
    const Extended v = Power(X, Op == TUnary::PowSquare ? 2 : 3);
    return EngineState.ErrFlag ? Failed : v;
  } else if constexpr (Op == TUnary::Sin || Op == TUnary::Cos) {
    if (EngineSettings.AngleMode == 1) return CallAsReader(N, X, UndefinedValue);
    if (!IsFinite(X)) return Failed;
    return Remembered(
        N, X, [](Extended A) { return sin_kernel::SinOrCos(A, Op == TUnary::Sin ? 0 : 1); });
  } else if constexpr (Op == TUnary::Exp) {
    // The limits are long doubles, which load slowly: a double range inside them comes first.
    constexpr double inside = 11355;
    static_assert(-inside >= ExpLowLimit && inside <= ExpHighLimit);
    if (!(std::fabs(X) <= inside) && !(X >= ExpLowLimit && X <= ExpHighLimit)) return Failed;
    // What SafeExp leaves in the error code when it succeeds.
    EngineState.ErrCode = 0;
    return Remembered(N, X, [](Extended A) { return exp_kernel::Exp(A); });
  } else if constexpr (Op == TUnary::Sqrt) {
    return X >= 0 ? Remembered(N, X, [](Extended A) { return std::sqrt(A); }) : Failed;
  } else if constexpr (Op == TUnary::Ln) {
    if (!(X > 0) || !std::isfinite(X)) return Failed;
    EngineState.ErrCode = 0;
    return Remembered(N, X, [](Extended A) { return std::log(A); });
  } else if constexpr (Op == TUnary::Abs) {
    return std::fabs(X);
  } else {
    return CallAsReader(N, X, UndefinedValue);
  }
}

template <TUnary Op, TKind K>
Extended EvalUnary(const TEvalNode& N) {
  return Unary<Op>(N, Operand<K>(N, N.A, N.SlotA));
}

TUnary UnaryOf(const TTapeStep& Step) {
  switch (Step.Op) {
    case TTapeOp::Negate:
      return TUnary::Negate;
    case TTapeOp::Square:
      return TUnary::Square;
    case TTapeOp::Cube:
      return TUnary::Cube;
    case TTapeOp::Root:
      return TUnary::Root;
    default:
      break;
  }
  if (Step.MultiArg) return TUnary::Call1;
  switch (Step.Arg) {
    case idSin:
      return TUnary::Sin;
    case idCos:
      return TUnary::Cos;
    case idExp:
      return TUnary::Exp;
    case idSqrt:
      return TUnary::Sqrt;
    case idLn:
      return TUnary::Ln;
    case idAbs:
      return TUnary::Abs;
    default:
      return TUnary::Call1;
  }
}

// A node's operation on its operands' values, as the routine of the formula calls it, or on a
// letter read as a double.
template <TUnary Op>
Extended ApplyUnary(const TEvalNode* N, const Extended* Args) {
  return Unary<Op>(*N, Args[0]);
}
// The same with the operand on top of the x87 registers, where the formula's routine leaves it
// (and nothing below it): passed as an argument it would go through memory, and the processor
// reads a long double it has just stored only once the store is done. The empty statement
// claims the register as its output, so the compiler takes the value from where it is.
template <TUnary Op>
Extended ApplyUnaryOnTop(const TEvalNode* N) {
  Extended x;
  asm volatile("" : "=t"(x));
  return Unary<Op>(*N, x);
}
template <TTapeOp Op>
Extended ApplyBinary(const TEvalNode* N, const Extended* Args) {
  return Binary<Op>(*N, Args[0], Args[1]);
}

// What a node of an operation needs: its evaluator for the kinds of its operands, what the
// formula's routine computes for it, and the functions the routine calls for the operations it
// does not compute itself (and for the rare path of the small powers).
struct TUnaryRow {
  TEvalFn Eval[3];  // by the kind of the operand: node or letter (a constant is a node)
  TCode Code;
  formula::TApplyFn Apply;
  formula::TApplyTopFn ApplyTop;
};

template <TUnary Op, TCode Code>
constexpr TUnaryRow UnaryRow() {
  const bool calls = Code == TCode::Apply;
  const bool rarely = Code == TCode::PowSquare || Code == TCode::PowCube;
  return {{&EvalUnary<Op, kNode>, &EvalUnary<Op, kNode>, &EvalUnary<Op, kLetter>},
          Code,
          calls || rarely ? &ApplyUnary<Op> : nullptr,
          calls ? &ApplyUnaryOnTop<Op> : nullptr};
}

// In the order of TUnary.
constexpr TUnaryRow UnaryRows[] = {UnaryRow<TUnary::Negate, TCode::Negate>(),
                                   UnaryRow<TUnary::Square, TCode::Square>(),
                                   UnaryRow<TUnary::Cube, TCode::Cube>(),
                                   UnaryRow<TUnary::Root, TCode::Root>(),
                                   UnaryRow<TUnary::PowSquare, TCode::PowSquare>(),
                                   UnaryRow<TUnary::PowCube, TCode::PowCube>(),
                                   UnaryRow<TUnary::Sin, TCode::Apply>(),
                                   UnaryRow<TUnary::Cos, TCode::Apply>(),
                                   UnaryRow<TUnary::Exp, TCode::Apply>(),
                                   UnaryRow<TUnary::Sqrt, TCode::Sqrt>(),
                                   UnaryRow<TUnary::Ln, TCode::Apply>(),
                                   UnaryRow<TUnary::Abs, TCode::Abs>(),
                                   UnaryRow<TUnary::Call1, TCode::Apply>()};
static_assert(std::size(UnaryRows) == static_cast<size_t>(TUnary::Call1) + 1);

struct TBinaryRow {
  TEvalFn Eval[3][3];  // by the kinds of the left and the right operand
  TCode Code;
  formula::TApplyFn Apply;
};

template <TTapeOp Op, TCode Code>
constexpr TBinaryRow BinaryRow() {
  return {{{&EvalBinary<Op, kNode, kNode>, &EvalBinary<Op, kNode, kConst>,
            &EvalBinary<Op, kNode, kLetter>},
           {&EvalBinary<Op, kConst, kNode>, &EvalBinary<Op, kConst, kConst>,
            &EvalBinary<Op, kConst, kLetter>},
           {&EvalBinary<Op, kLetter, kNode>, &EvalBinary<Op, kLetter, kConst>,
            &EvalBinary<Op, kLetter, kLetter>}},
          Code,
          Code == TCode::Apply ? &ApplyBinary<Op> : nullptr};
}

const TBinaryRow& BinaryRowOf(TTapeOp Op) {
  static constexpr TBinaryRow add = BinaryRow<TTapeOp::Add, TCode::Add>();
  static constexpr TBinaryRow sub = BinaryRow<TTapeOp::Sub, TCode::Sub>();
  static constexpr TBinaryRow mul = BinaryRow<TTapeOp::Mul, TCode::Mul>();
  static constexpr TBinaryRow percent = BinaryRow<TTapeOp::Percent, TCode::Percent>();
  static constexpr TBinaryRow div = BinaryRow<TTapeOp::Div, TCode::Div>();
  static constexpr TBinaryRow power = BinaryRow<TTapeOp::Power, TCode::Apply>();
  static constexpr TBinaryRow bitAnd = BinaryRow<TTapeOp::And, TCode::Apply>();
  static constexpr TBinaryRow bitOr = BinaryRow<TTapeOp::Or, TCode::Apply>();
  static constexpr TBinaryRow bitXor = BinaryRow<TTapeOp::Xor, TCode::Apply>();
  static constexpr TBinaryRow call = BinaryRow<TTapeOp::Call2, TCode::Apply>();
  switch (Op) {
    case TTapeOp::Add:
      return add;
    case TTapeOp::Sub:
      return sub;
    case TTapeOp::Mul:
      return mul;
    case TTapeOp::Percent:
      return percent;
    case TTapeOp::Div:
      return div;
    case TTapeOp::Power:
      return power;
    case TTapeOp::And:
      return bitAnd;
    case TTapeOp::Or:
      return bitOr;
    case TTapeOp::Xor:
      return bitXor;
    default:
      return call;
  }
}

Extended EvalConst(const TEvalNode& N) { return N.C; }
Extended EvalLetter(const TEvalNode& N) { return VarValues[static_cast<size_t>(N.SlotA)]; }
Extended EvalAns(const TEvalNode&) { return EngineState.Ans; }

class TCompiler {
 public:
  TCompiler(const std::vector<TNode>& Tree, std::vector<TEvalNode>& Out) : FTree(Tree), FOut(Out) {
    // Nodes point at each other: the vector must not move.
    FOut.reserve(Tree.size());
  }

  const TEvalNode* Emit(int N) {
    const TNode& node = FTree[static_cast<size_t>(N)];
    const TTapeStep& step = node.Step;
    TEvalNode e;
    e.Id = step.Arg;
    e.NameStart = step.NameStart;
    e.MultiArg = step.MultiArg;
    if (IsLeaf(step.Op)) {
      e.Eval = step.Op == TTapeOp::Const ? &EvalConst
               : step.Op == TTapeOp::Ans ? &EvalAns
                                         : &EvalLetter;
      e.Code = step.Op == TTapeOp::Const ? TCode::Const
               : step.Op == TTapeOp::Ans ? TCode::Ans
                                         : TCode::Letter;
      e.C = step.Value;
      e.SlotA = step.Arg;
      return Add(e);
    }
    TUnary unary = TUnary::Call1;
    const TNode& right = FTree[static_cast<size_t>(std::max(node.Right, 0))];
    const bool smallPower = step.Op == TTapeOp::Power && right.Step.Op == TTapeOp::Const &&
                            (right.Step.Value == 2 || right.Step.Value == 3);
    if (IsUnary(step.Op) || smallPower) {
      unary = !smallPower             ? UnaryOf(step)
              : right.Step.Value == 2 ? TUnary::PowSquare
                                      : TUnary::PowCube;
      e.KindA = Side(node.Left, false, e.A, e.SlotA, e.C);
      const TUnaryRow& row = UnaryRows[static_cast<size_t>(unary)];
      e.Eval = row.Eval[e.KindA];
      e.Operands = 1;
      e.Code = row.Code;
      e.Apply = row.Apply;
      e.ApplyTop = row.ApplyTop;
      return Add(e);
    }
    e.KindA = Side(node.Left, true, e.A, e.SlotA, e.C);
    // One constant is kept in the node; a second (a division by 0 is not folded) is a node.
    e.KindB = Side(node.Right, e.KindA != kConst, e.B, e.SlotB, e.C);
    const TBinaryRow& row = BinaryRowOf(step.Op);
    e.Eval = row.Eval[e.KindA][e.KindB];
    e.Operands = 2;
    e.Code = row.Code;
    e.Apply = row.Apply;
    return Add(e);
  }

 private:
  // How the operand N is found; constants are kept in the node only when AllowConst.
  TKind Side(int N, bool AllowConst, const TEvalNode*& Node, int& Slot, Extended& C) {
    const TTapeStep& step = FTree[static_cast<size_t>(N)].Step;
    if (step.Op == TTapeOp::Letter) {
      Slot = step.Arg;
      return kLetter;
    }
    if (step.Op == TTapeOp::Const && AllowConst) {
      C = step.Value;
      return kConst;
    }
    Node = Emit(N);
    return kNode;
  }

  const TEvalNode* Add(const TEvalNode& E) {
    FOut.push_back(E);
    return &FOut.back();
  }

  const std::vector<TNode>& FTree;
  std::vector<TEvalNode>& FOut;
};

// Compiles Steps into E; false when they cannot be.
bool Compile(const std::vector<TTapeStep>& Steps, TCacheEntry& E) {
  std::vector<TNode> tree;
  tree.reserve(Steps.size());
  int root = -1;
  if (!BuildTree(Steps, tree, root)) return false;
  TCompiler compiler(tree, E.Nodes);
  E.Root = compiler.Emit(root);
  E.Code = formula::TFormulaCode::Write(*E.Root);
  for (const TTapeStep& step : Steps) {
    if (step.Op != TTapeOp::Letter) continue;
    E.LetterReads.push_back(step.Arg);
    if (std::find(E.LettersUsed.begin(), E.LettersUsed.end(), step.Arg) == E.LettersUsed.end())
      E.LettersUsed.push_back(step.Arg);
  }
  return true;
}

const std::shared_ptr<TCacheEntry>* Find(const std::string& Text) {
  for (size_t i = 0; i < CacheSize && Cache[i]; ++i) {
    TCacheEntry& e = *Cache[i];
    if (e.Text != Text) continue;
    if (e.Radix != EngineSettings.Radix || e.DigitVersion != DigitSetVersion) return nullptr;
    if (i > 0) {
      auto found = std::move(Cache[i]);
      for (size_t j = i; j > 0; --j) Cache[j] = std::move(Cache[j - 1]);
      Cache[0] = std::move(found);
    }
    return &Cache[0];
  }
  return nullptr;
}

void Store(std::shared_ptr<TCacheEntry> Entry) {
  for (size_t i = 0; i < CacheSize && Cache[i]; ++i) {
    if (Cache[i]->Text == Entry->Text) {
      Cache[i] = std::move(Entry);
      return;
    }
  }
  for (size_t j = CacheSize - 1; j > 0; --j) Cache[j] = std::move(Cache[j - 1]);
  Cache[0] = std::move(Entry);
}

// The recording Link holds, or the one kept for Text (which Link then holds); null when there is
// none that reads Text as the settings read it now.
const TCacheEntry* Recording(const std::string& Text, TTapeLink* Link) {
  if (Link && Link->Entry && Link->Generation == Generation) {
    const TCacheEntry* e = Link->Entry.get();
    if (e->Radix == EngineSettings.Radix && e->DigitVersion == DigitSetVersion) return e;
    Link->Entry.reset();
    return nullptr;
  }
  const std::shared_ptr<TCacheEntry>* found = Find(Text);
  if (!found) return nullptr;
  if (Link) {
    Link->Entry = *found;
    Link->Generation = Generation;
  }
  return found->get();
}

// Whether A and B are the same text, without a library call for the short texts of formulas:
// words compared, the last one overlapping the one before.
bool SameText(const std::string& A, const std::string& B) {
  const size_t n = A.size();
  if (n != B.size()) return false;
  const char* a = A.data();
  const char* b = B.data();
  auto word = [](const char* P) {
    std::uint64_t w = 0;
    std::memcpy(&w, P, sizeof w);
    return w;
  };
  if (n < 8) return std::memcmp(a, b, n) == 0;
  for (size_t i = 0; i + 8 < n; i += 8)
    if (word(a + i) != word(b + i)) return false;
  return word(a + n - 8) == word(b + n - 8);
}

// The letters of At are defined: they were just set from finite doubles.
bool LettersDefined(const TCacheEntry& E, const TPointLetters* At) {
  for (const int k : E.LettersUsed) {
    if (At && (k == varX || (At->HasY && k == varX + 1))) continue;
    if (VarValues[static_cast<size_t>(k)] == UndefinedValue) return false;
  }
  return true;
}

// The tree's value, and the routine's beside it: a routine that does not give the same value to
// the last bit (or a failure where the tree fails) is refused. Where both fail no value was
// compared, and the check waits for a point where the tree gives one; a failed replay is read
// again by the reader, beside which the routine's run costs little.
Extended CheckedRun(const TCacheEntry& E, const formula::TFormulaCode& Code) {
  const Extended tree = E.Root->Eval(*E.Root);
  const Extended routine = Code.Run();
  if (!IsFinite(tree) && !IsFinite(routine)) return tree;
  const bool agreed = IsFinite(tree) && std::memcmp(&tree, &routine, 10) == 0;
  Code.Check =
      agreed ? formula::TFormulaCode::TCheck::Agreed : formula::TFormulaCode::TCheck::Refused;
  CodeRefusals += !agreed;
  CodeAcceptances += agreed;
  return tree;
}

// Runs E. On success the reader's state is what the recorded reading left; on failure it is what
// it was before, so that the reader starts from the same state it would have started from.
TReplay Replay(const TCacheEntry& E, const std::string& Text, Extended& Value,
               const TPointLetters* At) {
  // An undefined letter is for the reader to ask for.
  if (!LettersDefined(E, At)) return TReplay::Undefined;
  auto& s = EngineState;
  // What the steps may change.
  Extended ans;
  CopyExtended(ans, s.Ans);
  const int curVar = CurVar;
  const size_t logged = AssignmentLog.Count();
  const int errCode = s.ErrCode;
  const int errLen = s.ErrLen;

  s.ErrFlag = false;
  Replaying = true;
  const formula::TFormulaCode* code = CodeEnabled ? E.CodeAt(At) : nullptr;
  if (code && code->Check == formula::TFormulaCode::TCheck::Refused) code = nullptr;
  const bool routine = code != nullptr;
  const Extended v = !routine                                               ? E.Root->Eval(*E.Root)
                     : code->Check == formula::TFormulaCode::TCheck::Agreed ? code->Run()
                                                                            : CheckedRun(E, *code);
  Replaying = false;
  CodeRuns += routine;
  if (!IsFinite(v)) {
    CopyExtended(s.Ans, ans);
    CurVar = curVar;
    AssignmentLog.Truncate(logged);
    s.ErrFlag = false;
    s.ErrCode = errCode;
    s.ErrLen = errLen;
    EngineSettings.ArgDepth = 0;
    return TReplay::Failed;
  }
  if (!E.LetterReads.empty()) {
    AssignmentLog.AddLetterReads(E.LetterReads);
    CurVar = E.LetterReads.back();
  }
  if (!SameText(s.ExprStr, Text)) s.ExprStr = Text;
  s.Pos = E.Pos;
  s.StartPos = E.StartPos;
  s.CurChar = E.CurChar;
  s.ErrPos = 0;
  ++Replays;
  Value = v;
  return TReplay::Replayed;
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

TReplay TryReplay(const std::string& Text, Extended& Value, TTapeLink* Link,
                  const TPointLetters* At) {
  if (!Enabled || EvaluationDepth > 0 || Replaying || EngineSettings.ArgDepth != 0)
    return TReplay::Unknown;
  const TCacheEntry* e = Recording(Text, Link);
  return e ? Replay(*e, Text, Value, At) : TReplay::Unknown;
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
  auto e = std::make_shared<TCacheEntry>();
  e->Text = Text;
  e->Radix = EngineSettings.Radix;
  e->DigitVersion = DigitSetVersion;
  const auto& s = EngineState;
  e->Pos = s.Pos;
  e->StartPos = s.StartPos;
  e->CurChar = s.CurChar;
  if (!Compile(r->Steps, *e)) return;
  Store(std::move(e));
}

void SetReplayEnabled(bool On) {
  Enabled = On;
  if (!On) ClearReplayCache();
}

void ClearReplayCache() {
  ++Generation;
  for (auto& e : Cache) e.reset();
}

std::uint64_t ReplayCount() { return Replays; }

void SetFormulaCodeEnabled(bool On) { CodeEnabled = On; }

std::uint64_t FormulaCodeRuns() { return CodeRuns; }

std::uint64_t FormulaCodeRefusals() { return CodeRefusals; }

std::uint64_t FormulaCodeAcceptances() { return CodeAcceptances; }
