#pragma once
// The names that hold values (letter variables, user variables), the log of the variables used by
// one evaluation, the text cutters by which part of the expression is evaluated on its own, and
// the break check of the long procedures.
#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/engine_state.h"
#include "engine/extended_bits.h"
#include "engine/numeric_procedures.h"

// The letters of the variable slots; slots 1-10 (X to N) can be written in expressions, L and U
// only receive the bounds of solve, min and max.
inline constexpr char Letters[] = "XYZVWIJKMNLU";
inline constexpr int LetterCount = 12;
enum LetterSlot : int {
  varX = 1,
  varJ = 7,
  varK = 8,
  varM = 9,
  varN = 10,
  varL = 11,
  varU = 12,
};

// 1-based like the slots; index 0 is unused.
extern std::array<Extended, LetterCount + 1> VarValues;
extern std::array<std::string, LetterCount + 1> VarExprs;
// The slot of the letter variable last named in an expression (0 before the first).
extern int CurVar;

struct TUserVariable {
  std::string Name;  // at most 20 characters
  int Id = 0;        // 1000 and above, unique in the list
  Extended Value = 0;
};
// Newest first.
extern std::vector<TUserVariable> UserVariables;
// Creates the user variable Name with Value or updates it; answers its id. The host's
// AddUserVariable uses this to keep the engine's list.
int SetUserVariable(const std::string& Name, Extended Value);

// The variables read or assigned by the running evaluation, in pairs: name and value. The values
// are formatted only when the calculator lists them (with FormatNumber and 18 digits), since
// plots read their variables hundreds of thousands of times. Only the first MaxEntries pairs are
// kept, so that a long loop cannot make the log grow without end.
struct TAssignmentLog {
  static constexpr size_t MaxEntries = 1000;
  void Clear() {
    FCount = 0;
    LongNames.clear();
  }
  void Add(const std::string& Name, Extended Value) {
    if (FCount >= MaxEntries) return;
    if (Name.size() == 1) {
      AddLetter(Name[0], Value);
      return;
    }
    LongNames.push_back(Name);
    Put(Value, static_cast<std::uint32_t>(256 + LongNames.size() - 1));
  }
  // A one-character name is kept as its code: a plot reads its letters hundreds of thousands
  // of times, and each read is logged.
  void AddLetter(char Letter, Extended Value) {
    if (FCount >= MaxEntries) return;
    Put(Value, static_cast<unsigned char>(Letter));
  }
  // The letters of the slots, in order, with their values now: a replayed formula logs its reads
  // at once.
  void AddLetterReads(const std::vector<int>& Slots) {
    const size_t k = std::min(Slots.size(), MaxEntries - FCount);
    TEntry* e = Entries.get() + FCount;
    for (size_t i = 0; i < k; ++i) {
      const auto slot = static_cast<size_t>(Slots[i]);
      CopyExtended(e[i].Number, VarValues[slot]);
      e[i].Name = static_cast<unsigned char>(Letters[slot - 1]);
    }
    FCount += k;
  }
  size_t Count() const { return FCount; }
  // Drops the pairs after the first N.
  void Truncate(size_t N) {
    if (N >= FCount) return;
    FCount = N;
    // Long names are stored in the order of their pairs: keep those up to the last pair left
    // that names one (pairs of letters may follow it).
    size_t keep = 0;
    for (size_t i = FCount; i-- > 0;) {
      if (Entries[i].Name >= 256) {
        keep = Entries[i].Name - 256 + 1;
        break;
      }
    }
    LongNames.resize(keep);
  }
  // The name, the number and the value text of pair i.
  std::string Name(size_t i) const;
  Extended Number(size_t i) const { return i < FCount ? Entries[i].Number : 0; }
  std::string Value(size_t i) const;

 private:
  struct TEntry {
    Extended Number;
    std::uint32_t Name;  // a character code, or 256 + an index into LongNames
  };
  void Put(Extended Value, std::uint32_t Name) {
    CopyExtended(Entries[FCount].Number, Value);
    Entries[FCount].Name = Name;
    ++FCount;
  }
  // Room for the most pairs kept, made once: a replayed formula writes its reads straight into
  // it, at every point of a plot.
  std::unique_ptr<TEntry[]> Entries = std::make_unique<TEntry[]>(MaxEntries);
  size_t FCount = 0;
  std::vector<std::string> LongNames;
};

extern TAssignmentLog AssignmentLog;

// The two comparison operands of the last if(; IfLeft also receives the chosen branch's value.
extern Extended IfLeft;
extern Extended IfRight;

// The set-variable dialog for slot k. A cancelled dialog raises code 22 and answers false.
bool SetVariableDlg(int k);
// The break question through the host.
bool AskBreak();
// True (and code 22 raised) when the Stop button was pressed and the user confirms.
bool CheckBreak();

// Cuts the text from the 1-based position From up to its stop character at the top level
// (')', ',', '<', '=', '>'), keeping nested parentheses whole. P receives the stop position.
// False (nothing raised) when the text ends first or the cut is empty.
bool CutArgument(int From, int& P, std::string& Text);
// Cuts the text from From up to the next '('; P receives its position. False as above.
bool CutToParen(int From, int& P, std::string& Text);
// Evaluates Text, cut from the full text at the 1-based position Start, as an expression of its
// own. An error is reported at its place in the full text, whose rest is then consumed.
bool EvaluateCutText(const std::string& Text, int Start, Extended& Value);
// The two bounds of integral( and solve(, each cut and evaluated on its own; with CurChar on the
// first bound. On success CurChar is the first character of the body.
bool EvalTwoArgs(Extended& Second, Extended& First);

// Raises Code with the reader put on the 1-based position P (marking that character).
void RaiseErrorAt(int Code, int P);
// The error state is raised already; the reader is put at the end of the text, as RaiseError does.
void ConsumeRest();
// Formats X for logs and progress texts without touching the error state; falls back to decimal
// scientific notation where the current radix or notation cannot show X.
std::string LogText(int Digits, Extended X);

// Everything a nested evaluation may change and the outer one still needs: the reader context,
// the if( operands and the counters of the numerical procedures. Restored on destruction.
class TNestedEvaluation {
 public:
  TNestedEvaluation();
  ~TNestedEvaluation() { Restore(); }
  TNestedEvaluation(const TNestedEvaluation&) = delete;
  TNestedEvaluation& operator=(const TNestedEvaluation&) = delete;
  void Restore();

 private:
  TReaderGuard Reader;
  Extended Left, Right;
  TProcedureCounters Counters;
  bool Active = true;
};
