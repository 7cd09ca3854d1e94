#pragma once
// The built-in names of the language: one row per name, the row index is the name's id. The same
// ids index the help texts and the calculator's function keys.
#include <array>
#include <string_view>

struct TBuiltinEntry {
  std::string_view Name;  // as typed; function names end in '('
  int Id;                 // equal to the row index
  int Kind;  // 0 no argument, 1 one argument or a list, 2 two, 3 three or a variable form
};

inline constexpr int BuiltinCount = 130;

extern const std::array<TBuiltinEntry, BuiltinCount> BuiltinTable;
// One help sentence per row; "%A" stands for the current angle unit.
extern const std::array<std::string_view, BuiltinCount> BuiltinHelp;

// Ids the grammar treats apart from the argument protocol, and those the replay of a formula
// computes itself.
enum BuiltinId : int {
  idMin = 0,
  idSin = 1,
  idRandom = 11,
  idCos = 12,
  idExp = 14,
  idSqrt = 15,
  idLn = 16,
  idSolve = 22,
  idIntegral = 27,
  idPiChar = 28,
  idPi = 29,
  idE = 30,
  idAbs = 33,
  idMax = 37,
  idLowerX = 67,  // x y z v w i j k m n: 67-76
  idUpperX = 77,  // X Y Z V W I J K M N: 77-86
  idIf = 88,
  idFor = 991,
  idUserFunction = 999,
  idFirstUserVariable = 1000,
};

// pi and e as the engine stores them.
inline constexpr long double BuiltinPi = 3.1415926535897932387L;
inline constexpr long double BuiltinE = 2.7182818284590452352L;

// The list functions, which read any number of comma-separated values themselves.
inline constexpr std::array<int, 12> ListFunctionIds = {38, 39, 41, 43,  44,  94,
                                                        97, 98, 99, 100, 101, 107};
bool IsListFunction(int Id);
inline bool IsLetterVariable(int Id) { return Id >= idLowerX && Id < idUpperX + 10; }

// The row whose name equals Name (case-sensitive): a kind-0 row matches Name without its last
// (stop) character, a function row matches the whole Name including its '('. -1 when none.
int FindBuiltin(std::string_view NameWithStop);
