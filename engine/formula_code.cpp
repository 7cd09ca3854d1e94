#include "engine/formula_code.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <unordered_map>

#if defined(__x86_64__) && defined(__linux__)
#include <sys/mman.h>
#include <unistd.h>
#define NUMYX_FORMULA_CODE 1
#endif

#include "engine/variables.h"

namespace formula {

#ifdef NUMYX_FORMULA_CODE

namespace {

constexpr Extended Tiny = 0x1p-64L;
constexpr Extended Hundred = 100;

// The x87 registers the routine may fill.
constexpr int Registers = 8;

// Scratch slots: the arguments of a call, then the values parked while a call runs or a deep
// operand is computed, last in first out.
constexpr int ArgSlot = 0;
constexpr int FirstParked = 2;

// Writes the routine of a tree, keeping count of the x87 registers in use: a value computed
// stays on the register stack until its operation consumes it.
class TWriter {
 public:
  TWriter(const std::vector<const TEvalNode*>& Order, unsigned DoubleLetters, const double* Doubles,
          double* Constants, Extended* LongConstants, size_t ConstantRoom)
      : FDoubleLetters(DoubleLetters),
        FDoubles(Doubles),
        FConstants(Constants),
        FLongConstants(LongConstants),
        FConstantRoom(ConstantRoom) {
    for (size_t i = 0; i < Order.size(); ++i) FIndex.emplace(Order[i], i);
    FNeed.assign(Order.size(), 0);
    FQuiet.assign(Order.size(), 0);
  }

  bool Write(const TEvalNode& Root) {
    Byte(0x53);           // push rbx
    Bytes({0x48, 0xBB});  // mov rbx, scratch (filled in once its size is known)
    FScratchAt = FOut.size();
    Imm64(0);
    Node(Root);
    // The count of registers is the writer's own bookkeeping: a routine that could overfill
    // them is not run.
    if (FDepth != 1 || FParked != 0 || FMostDepth > Registers || FOutOfRoom) return false;
    Byte(0x5B);  // pop rbx
    Byte(0xC3);  // ret, the value in st(0)
    return true;
  }

  std::vector<std::uint8_t>& Out() { return FOut; }
  size_t ScratchAt() const { return FScratchAt; }
  int ScratchSlots() const { return FirstParked + FMostParked; }

 private:
  void Byte(std::uint8_t B) { FOut.push_back(B); }
  void Grow(int Change) {
    FDepth += Change;
    FMostDepth = std::max(FMostDepth, FDepth);
  }
  void Bytes(std::initializer_list<std::uint8_t> Bs) { FOut.insert(FOut.end(), Bs); }
  void Imm64(std::uint64_t V) {
    for (int i = 0; i < 8; ++i) Byte(static_cast<std::uint8_t>(V >> (8 * i)));
  }
  void Imm32(std::int32_t V) {
    for (int i = 0; i < 4; ++i)
      Byte(static_cast<std::uint8_t>(static_cast<std::uint32_t>(V) >> (8 * i)));
  }
  static std::uint64_t Address(const void* P) { return reinterpret_cast<std::uintptr_t>(P); }

  // fld tbyte [address]: a letter, the previous result, or a constant of the routine's own
  void LoadAt(const Extended* P) {
    Bytes({0x48, 0xB8});  // mov rax, address
    Imm64(Address(P));
    Bytes({0xDB, 0x28});
    Grow(1);
  }
  // A constant, kept by the routine: a double where it is one (a single load, where a long
  // double takes several steps), 1 and +0 from the processor's own constants.
  void LoadConstant(Extended C) {
    if (C == 1) {
      Op(0xD9, 0xE8, 1);  // fld1
      return;
    }
    if (C == 0 && !std::signbit(C)) {
      Op(0xD9, 0xEE, 1);  // fldz
      return;
    }
    const auto d = static_cast<double>(C);
    if (static_cast<Extended>(d) == C && FDoubleCount < FConstantRoom) {
      FConstants[FDoubleCount] = d;
      LoadDouble(FConstants + FDoubleCount++);
      return;
    }
    if (FLongCount == FConstantRoom) {
      FOutOfRoom = true;
      Grow(1);
      return;
    }
    FLongConstants[FLongCount] = C;
    LoadAt(FLongConstants + FLongCount++);
  }
  void LoadDouble(const double* P) {
    Bytes({0x48, 0xB8});  // mov rax, address
    Imm64(Address(P));
    Bytes({0xDD, 0x00});  // fld qword [rax]
    Grow(1);
  }

  // The letter in Slot, from the doubles where it is one of them.
  void LoadLetter(int Slot) {
    if (!IsDoubleLetter(Slot)) {
      LoadAt(&VarValues[static_cast<size_t>(Slot)]);
      return;
    }
    LoadDouble(FDoubles + Slot);
  }
  // fld tbyte [rbx + slot], fstp tbyte [rbx + slot]
  void LoadSlot(int Slot) {
    Bytes({0xDB, 0xAB});
    Imm32(Slot * static_cast<int>(sizeof(Extended)));
    Grow(1);
  }
  void StoreSlot(int Slot) {
    Bytes({0xDB, 0xBB});
    Imm32(Slot * static_cast<int>(sizeof(Extended)));
    Grow(-1);
  }
  void Op(std::uint8_t A, std::uint8_t B, int DepthChange = 0) {
    Bytes({A, B});
    Grow(DepthChange);
  }
  void Duplicate() { Op(0xD9, 0xC0, 1); }  // fld st(0)
  void Pop() { Op(0xDD, 0xD8, -1); }       // fstp st(0)

  // The registers in use stored in scratch, bottom first in the lowest slot.
  int Park() {
    const int k = FDepth;
    for (int i = k - 1; i >= 0; --i) StoreSlot(FirstParked + FParked + i);
    FParked += k;
    if (FParked > FMostParked) FMostParked = FParked;
    return k;
  }
  // Puts K parked values back under the value on top, if there is one: loaded above it, then the
  // value exchanged down through them (a value stored and at once loaded again would wait for
  // its store).
  void Unpark(int K, bool UnderTop) {
    FParked -= K;
    for (int i = 0; i < K; ++i) LoadSlot(FirstParked + FParked + i);
    if (UnderTop)
      for (int i = 1; i <= K; ++i) Op(0xD9, static_cast<std::uint8_t>(0xC8 + i));  // fxch st(i)
  }

  // Calls N's Apply with the top Count registers as its arguments (the bottom one first).
  void Call(const TEvalNode& N, int Count) {
    for (int i = Count - 1; i >= 0; --i) StoreSlot(ArgSlot + i);
    const int parked = Park();
    Bytes({0x48, 0x8D, 0xB3});  // lea rsi, [rbx + arguments]
    Imm32(ArgSlot * static_cast<int>(sizeof(Extended)));
    CallFunction(N, reinterpret_cast<std::uintptr_t>(N.Apply), parked);
  }
  // Calls N's function of one operand with the operand on top and nothing below it: the values
  // under it are parked, each exchanged to the top and stored.
  void CallOnTop(const TEvalNode& N) {
    const int k = FDepth - 1;
    for (int i = k - 1; i >= 0; --i) {
      Op(0xD9, 0xC9);  // fxch st(1)
      StoreSlot(FirstParked + FParked + i);
    }
    FParked += k;
    if (FParked > FMostParked) FMostParked = FParked;
    Grow(-1);  // the operand, taken by the call
    CallFunction(N, reinterpret_cast<std::uintptr_t>(N.ApplyTop), k);
  }
  void CallFunction(const TEvalNode& N, std::uintptr_t Function, int Parked) {
    Bytes({0x48, 0xBF});  // mov rdi, node
    Imm64(Address(&N));
    Bytes({0x48, 0xB8});  // mov rax, function
    Imm64(Function);
    Bytes({0xFF, 0xD0});  // call rax
    Grow(1);              // the result
    Unpark(Parked, true);
  }
  bool IsDoubleLetter(int Slot) const {
    return Slot >= 0 && Slot < 16 && (FDoubleLetters & (1u << Slot));
  }

  // The registers N needs above those in use, parking included.
  int Need(const TEvalNode& N) {
    const size_t i = FIndex.at(&N);
    if (FNeed[i]) return FNeed[i];
    int need = 1;
    if (N.Operands == 1) need = std::max(need, OperandNeed(N.KindA, N.A));
    if (N.Operands == 2) {
      int first = OperandNeed(N.KindA, N.A), second = OperandNeed(N.KindB, N.B);
      if (RightFirst(N)) std::swap(first, second);
      need = std::max({need, first, 1 + second > Registers ? second : 1 + second});
    }
    need = std::max(need, N.Operands + Extra(N.Code));
    FNeed[i] = need;
    return need;
  }

  // Whether evaluating N changes nothing but the registers: the built-ins called through Apply
  // may leave an error code behind even when they succeed, so their order is the reader's. The
  // small powers call their Apply only to fail or to flush a tiny value, which changes nothing.
  bool Quiet(const TEvalNode& N) {
    const size_t i = FIndex.at(&N);
    if (FQuiet[i] == 0) {
      bool quiet = N.Code != TCode::Apply;
      if (quiet && N.Operands >= 1 && N.KindA == kNode) quiet = Quiet(*N.A);
      if (quiet && N.Operands == 2 && N.KindB == kNode) quiet = Quiet(*N.B);
      FQuiet[i] = quiet ? 1 : 2;
    }
    return FQuiet[i] == 1;
  }

  // An operation whose right operand calls a function and whose left one is quiet computes the
  // right one first: the left value need not be parked in memory around the call.
  bool RightFirst(const TEvalNode& N) {
    if (N.Operands != 2 || N.Code == TCode::Apply || N.KindB != kNode) return false;
    return !Quiet(*N.B) && (N.KindA != kNode || Quiet(*N.A));
  }
  int OperandNeed(TKind K, const TEvalNode* P) { return K == kNode ? Need(*P) : 1; }
  // The registers an operation takes beyond its operands.
  static int Extra(TCode C) {
    switch (C) {
      case TCode::Square:
      case TCode::Cube:
        return 1;
      case TCode::PowSquare:
      case TCode::PowCube:
      case TCode::Div:
        return 2;
      default:
        return 0;
    }
  }
  void Operand(TKind K, const TEvalNode* P, int Slot, const TEvalNode& N) {
    if (K == kNode)
      Node(*P);
    else if (K == kConst)
      LoadConstant(N.C);
    else
      LoadLetter(Slot);
  }

  // N's value on top of the registers, with the registers below it as they were.
  void Node(const TEvalNode& N) {
    if (FDepth + Need(N) <= Registers) {
      Value(N);
      return;
    }
    const int parked = Park();
    Value(N);
    Unpark(parked, true);
  }

  void Value(const TEvalNode& N) {
    switch (N.Code) {
      case TCode::Const:
        LoadConstant(N.C);
        return;
      case TCode::Letter:
        LoadLetter(N.SlotA);
        return;
      case TCode::Ans:
        LoadAt(&EngineState.Ans);
        return;
      default:
        break;
    }
    if (N.Code == TCode::Div && N.KindB == kConst && IsPowerOfTwo(N.C)) {
      // The quotient by a power of two is the product by its reciprocal to the last bit (the
      // same exact value rounded once), and a product takes a third of the time.
      Operand(N.KindA, N.A, N.SlotA, N);
      LoadConstant(1 / N.C);
      Op(0xDE, 0xC9, -1);  // fmulp
      return;
    }
    // The operands in the order they are computed: the left one on top when it comes second.
    const bool swapped = RightFirst(N);
    if (swapped) {
      Operand(N.KindB, N.B, N.SlotB, N);
      Operand(N.KindA, N.A, N.SlotA, N);
    } else {
      if (N.Operands >= 1) Operand(N.KindA, N.A, N.SlotA, N);
      if (N.Operands == 2) Operand(N.KindB, N.B, N.SlotB, N);
    }
    switch (N.Code) {
      case TCode::Add:
        Op(0xDE, 0xC1, -1);  // faddp st(1), st
        return;
      case TCode::Sub:
        // fsubp st(1), st (left minus right), or fsubrp st(1), st with the left on top
        Op(0xDE, swapped ? 0xE1 : 0xE9, -1);
        return;
      case TCode::Mul:
        Op(0xDE, 0xC9, -1);  // fmulp st(1), st
        return;
      case TCode::Percent:
        Op(0xDE, 0xC9, -1);
        LoadConstant(Hundred);
        Op(0xDE, 0xF9, -1);  // fdivp st(1), st: the product over 100
        return;
      case TCode::Div:
        Divide(N, swapped);
        return;
      case TCode::Negate:
        Op(0xD9, 0xE0);  // fchs
        return;
      case TCode::Abs:
        Op(0xD9, 0xE1);  // fabs
        return;
      case TCode::Root:
      case TCode::Sqrt:
        Op(0xD9, 0xFA);  // fsqrt: NaN below 0, as the reader fails there
        return;
      case TCode::Square:
        Duplicate();
        Op(0xDE, 0xC9, -1);
        return;
      case TCode::Cube:
        Duplicate();
        Op(0xD8, 0xC8);      // fmul st, st(0)
        Op(0xDE, 0xC9, -1);  // the square times the value
        return;
      case TCode::PowSquare:
      case TCode::PowCube:
        SmallPower(N);
        return;
      case TCode::Apply:
      default:
        if (N.Operands == 1 && N.ApplyTop)
          CallOnTop(N);
        else
          Call(N, N.Operands);
        return;
    }
  }

  // Whether C is a power of two whose reciprocal is one as well (a normal long double).
  static bool IsPowerOfTwo(Extended C) {
    if (!std::isfinite(C) || C == 0) return false;
    int e = 0;
    const Extended m = std::frexp(std::fabs(C), &e);
    return m == 0.5L && e > -16380 && e < 16380;
  }

  // The left operand over the right one. A divisor that is not a finite constant other than 0
  // is checked: the quotient is multiplied by 1 + (right - right), which is 1 for a finite
  // divisor and NaN for one that is not, as the reader refuses it (a zero divisor gives a
  // quotient that is not finite).
  void Divide(const TEvalNode& N, bool Swapped) {
    if (N.KindB == kConst && std::isfinite(N.C) && N.C != 0) {
      Op(0xDE, 0xF9, -1);  // fdivp st(1), st
      return;
    }
    Op(0xD9, Swapped ? 0xC1 : 0xC0, 1);  // fld the divisor
    Op(0xD8, 0xE0);                      // fsub st, st(0)
    Op(0xD9, 0xE8, 1);                   // fld1
    Op(0xDE, 0xC1, -1);                  // faddp: the factor on top
    Op(0xD9, 0xC9);                      // fxch st(1)
    // fdivp st(2), st (the left below) or fdivrp st(2), st (the left on top), then the factor
    Op(0xDE, Swapped ? 0xF2 : 0xFA, -1);
    Op(0xDE, 0xC9, -1);  // fmulp
  }

  // X*X or X*X*X where |X| >= 2^-64; elsewhere (and for NaN) the node's Apply.
  void SmallPower(const TEvalNode& N) {
    Duplicate();
    Op(0xD9, 0xE1);      // fabs
    LoadConstant(Tiny);  // tiny, |x|, x
    Op(0xD9, 0xC9);      // fxch st(1)
    Op(0xDF, 0xF1, -1);  // fcomip st, st(1): |x| against tiny
    Pop();
    Bytes({0x0F, 0x82});  // jb rare (below, or unordered)
    const size_t toRare = FOut.size();
    Imm32(0);
    const int depth = FDepth;
    Duplicate();
    if (N.Code == TCode::PowCube) Op(0xD8, 0xC8);
    Op(0xDE, 0xC9, -1);
    Byte(0xE9);  // jmp done
    const size_t toDone = FOut.size();
    Imm32(0);
    Patch(toRare);
    FDepth = depth;
    Call(N, 1);
    Patch(toDone);
  }
  void Patch(size_t At) {
    const auto rel = static_cast<std::int32_t>(FOut.size() - (At + 4));
    for (int i = 0; i < 4; ++i)
      FOut[At + static_cast<size_t>(i)] =
          static_cast<std::uint8_t>(static_cast<std::uint32_t>(rel) >> (8 * i));
  }

  std::unordered_map<const TEvalNode*, size_t> FIndex;
  unsigned FDoubleLetters;
  const double* FDoubles;
  double* FConstants;
  Extended* FLongConstants;
  size_t FConstantRoom, FDoubleCount = 0, FLongCount = 0;
  bool FOutOfRoom = false;
  std::vector<int> FNeed;
  std::vector<std::uint8_t> FQuiet;  // 0 not known yet, 1 quiet, 2 not
  std::vector<std::uint8_t> FOut;
  size_t FScratchAt = 0;
  int FDepth = 0, FMostDepth = 0;
  int FParked = 0, FMostParked = 0;
};

void Collect(const TEvalNode& N, std::vector<const TEvalNode*>& Order) {
  Order.push_back(&N);
  if (N.Operands >= 1 && N.KindA == kNode) Collect(*N.A, Order);
  if (N.Operands == 2 && N.KindB == kNode) Collect(*N.B, Order);
}

}  // namespace

std::unique_ptr<TFormulaCode> TFormulaCode::Write(const TEvalNode& Root, unsigned DoubleLetters) {
  std::vector<const TEvalNode*> order;
  Collect(Root, order);
  for (const TEvalNode* n : order)
    if ((n->Code == TCode::Apply || n->Code == TCode::PowSquare || n->Code == TCode::PowCube) &&
        !n->Apply)
      return nullptr;
  std::unique_ptr<TFormulaCode> code(new TFormulaCode);
  // Every node loads at most two constants.
  const size_t room = 2 * order.size() + 2;
  code->FConstants.assign(room, 0);
  code->FLongConstants.assign(room, 0);
  TWriter writer(order, DoubleLetters, code->FDoubles.data(), code->FConstants.data(),
                 code->FLongConstants.data(), room);
  if (!writer.Write(Root)) return nullptr;
  code->FScratch.assign(static_cast<size_t>(writer.ScratchSlots()), 0);
  std::vector<std::uint8_t>& out = writer.Out();
  const std::uint64_t scratch = reinterpret_cast<std::uintptr_t>(code->FScratch.data());
  std::memcpy(out.data() + writer.ScratchAt(), &scratch, sizeof scratch);

  const auto page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
  const size_t size = (out.size() + page - 1) / page * page;
  void* memory = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (memory == MAP_FAILED) return nullptr;
  std::memcpy(memory, out.data(), out.size());
  // Never writable and executable at once.
  if (mprotect(memory, size, PROT_READ | PROT_EXEC) != 0) {
    munmap(memory, size);
    return nullptr;
  }
  code->FMemory = memory;
  code->FSize = size;
  code->FEntry = reinterpret_cast<Extended (*)()>(memory);
  return code;
}

TFormulaCode::~TFormulaCode() {
  if (FMemory) munmap(FMemory, FSize);
}

#else

std::unique_ptr<TFormulaCode> TFormulaCode::Write(const TEvalNode&, unsigned) { return nullptr; }
TFormulaCode::~TFormulaCode() = default;

#endif

}  // namespace formula
