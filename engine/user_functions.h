#pragma once
// User functions: definitions such as "f(a,b)=a^2+b ;comment", kept in a library that is loaded
// from and saved to a text file. A call is evaluated by text expansion: the argument texts,
// each in parentheses, replace the parameters in the body, which is then evaluated on its own.
#include <memory>
#include <string>
#include <vector>

#include "engine/engine_state.h"

class TUserFunc {
 public:
  // Parses and compiles one line of the library.
  explicit TUserFunc(const std::string& Line);

  // 1-based position of the first occurrence of Param in Text that stands as a whole name
  // (not inside a longer name), 0 if none.
  static int FindParam(const std::string& Param, const std::string& Text);
  // Rebuilds Code from Body with a marker character for each parameter.
  void Compile();
  // Replaces marker i (1-based) of Code with ArgText; false when i is out of range or absent.
  bool Expand(int i, const std::string& ArgText);
  // The text with which a refused definition is reported; empty for a valid one.
  std::string Refusal() const;
  bool IsComment() const { return !Comment.empty() && Name.empty(); }

  std::string Line;  // the line as read, written back unchanged
  // The line in its own characters (UTF-8) when code page 1252 cannot hold them all (a comment in
  // Cyrillic): what the calculator shows and saves instead of Line. Empty otherwise.
  std::string Source;
  std::string Params;
  std::string Body;
  std::string Name;  // with its '('
  std::string Comment;
  std::string Code;
  int ParamCount = 0;
  bool Valid = false;
  std::vector<std::string> ParamList;       // longest first
  std::vector<std::string> DeclaredParams;  // in declaration order
  bool ParamMissing = false;
  bool DuplicateParams = false;
  bool TooLong = false;
};

// A line of a function file as the calculator read it.
struct TFunctionFileLine {
  std::string Text;     // code page 1252: what the engine parses
  std::string Source;   // the line in its own characters, when Text could not hold them all
  std::string Refusal;  // why the line cannot reach the engine at all ("" when it can)
};

// A line of a function file that was kept but not accepted.
struct TFunctionFileProblem {
  int Line = 0;  // 1-based line number in the file
  std::string Message;
};

class TUserFunctions {
 public:
  // Frees every function and stacked value and forgets the file's lines.
  void Clear();
  // Takes the lines of a function file, which the calculator has read (the engine does no file
  // work of its own). Every line becomes an entry, so that saving loses none: a line that is no
  // valid definition is kept and reported in Problems with its line number, and a blank line is
  // kept quietly.
  void LoadLines(const std::string& FileName, const std::vector<TFunctionFileLine>& FileLines);
  TUserFunc* GetItem(int i) const;
  int GetCount() const { return static_cast<int>(Items.size()); }
  void PushValue(Extended X) { ValueStack.push_back(X); }
  Extended PopValue();
  // Appends the definition when it is valid; otherwise Message (if given) receives the refusal.
  bool AddFunction(const std::string& Line, std::string* Message = nullptr);

  std::string FileName;
  std::vector<std::unique_ptr<TUserFunc>> Items;
  std::vector<Extended> ValueStack;
  std::vector<std::string> Lines;
  bool StackEmpty = false;
  std::vector<TFunctionFileProblem> Problems;
};

// The engine's library, created by EngineInitialize and freed by EngineFinalize.
extern TUserFunctions* UserFunctions;
void CreateUserFunctions();
void FreeUserFunctions();

// Recursion bound of user-function calls (code 2 beyond it).
inline constexpr int MaxUserCallDepth = 200;
// The longest body a user function holds, and the most that the expanded bodies of the calls in
// progress hold together (code 2 beyond it): arguments that double level by level reach it
// within a few levels, before memory runs out.
inline constexpr size_t MaxUserBodyLength = size_t{1} << 24;
