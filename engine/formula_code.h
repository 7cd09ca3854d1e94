#pragma once
// The compiled form of a recorded formula, shared by the replay (engine/formula_tape.cpp) and the
// writer of its machine code. A node is evaluated either by its function (a tree of calls, which
// works everywhere) or, on x86-64 Linux, by a routine written once for the whole formula: the
// arithmetic stays in the x87 registers from the first operand to the result, where the tree
// stores and reloads each operand and calls a function per operation. Both compute every value
// with the same x87 operations in the same order, so they agree to the last bit, and both turn a
// failure into a value that is not finite.
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "engine/engine_state.h"

namespace formula {

// How a node finds an operand.
enum TKind : std::uint8_t { kNode, kConst, kLetter };

// What the routine computes at a node itself. Apply nodes call their Apply function with their
// operands' values; the others are the reader's arithmetic on registers.
enum class TCode : std::uint8_t {
  Apply,
  Const,
  Letter,
  Ans,
  Add,
  Sub,
  Mul,
  Percent,
  Div,
  Negate,
  Square,
  Cube,
  Root,
  Sqrt,
  Abs,
  PowSquare,  // X*X, and Apply where the reader's power flushes tiny values to 0
  PowCube,
};

struct TEvalNode;
using TEvalFn = Extended (*)(const TEvalNode&);
// The operation of a node on its operands' values, kept in Args (one or two), or on its one
// operand on top of the x87 registers with nothing below it (the routine's own convention).
using TApplyFn = Extended (*)(const TEvalNode* Node, const Extended* Args);
using TApplyTopFn = Extended (*)(const TEvalNode* Node);

struct TEvalNode {
  TEvalFn Eval = nullptr;
  const TEvalNode* A = nullptr;  // the operands that are nodes
  const TEvalNode* B = nullptr;
  Extended C = 0;            // a constant operand
  int SlotA = 0, SlotB = 0;  // letter operands
  int Id = 0;                // of a call
  int NameStart = 0;
  bool MultiArg = false;
  TCode Code = TCode::Apply;
  std::uint8_t Operands = 0;  // 0 for a leaf, 1 or 2
  TKind KindA = kNode, KindB = kNode;
  TApplyFn Apply = nullptr;        // Apply nodes, and the rare path of PowSquare and PowCube
  TApplyTopFn ApplyTop = nullptr;  // Apply nodes of one operand
  // The last argument of a built-in called directly and its value: a plot's formula often calls
  // one with the same argument at many points in a row (a constant, the letter of the outer
  // loop). Misses counts the calls that found another argument in a row.
  mutable bool HasLast = false;
  mutable std::uint8_t Misses = 0;
  mutable Extended LastArg = 0, LastValue = 0;
};

// The routine of a formula; it lives as long as the nodes it was written for.
class TFormulaCode {
 public:
  // Null where routines cannot be written (another processor, a system that refuses executable
  // memory, a formula the writer does not take). The letters of the slots in DoubleLetters (a
  // bit per slot) are read from Doubles(), where a plot puts its X and Y as it steps them: a
  // long double just stored is read back only after the store completes, a double at once.
  static std::unique_ptr<TFormulaCode> Write(const TEvalNode& Root, unsigned DoubleLetters = 0);
  ~TFormulaCode();
  TFormulaCode(const TFormulaCode&) = delete;
  TFormulaCode& operator=(const TFormulaCode&) = delete;

  Extended Run() const { return FEntry(); }
  // Whether the routine gave the tree's value at the first point where the tree gave one (the
  // replay runs both until then): its calls rest on the compiler's code around them, and a
  // routine that disagreed is not run again.
  enum class TCheck : std::uint8_t { Pending, Agreed, Refused };
  mutable TCheck Check = TCheck::Pending;
  // The values of the letters read as doubles, by slot.
  double* Doubles() { return FDoubles.data(); }

 private:
  TFormulaCode() = default;
  Extended (*FEntry)() = nullptr;
  void* FMemory = nullptr;
  size_t FSize = 0;
  // Where the routine keeps values while it calls a function or computes a deep operand.
  std::vector<Extended> FScratch;
  std::array<double, 16> FDoubles{};
  // The routine's constants, read where they are kept here: those that are doubles, and the
  // others. Sized before the routine is written, never moved while it lives.
  std::vector<double> FConstants;
  std::vector<Extended> FLongConstants;
};

}  // namespace formula
