#pragma once
// The one way to evaluate a text beside what the engine holds for someone else: a variable's
// definition, a cell or a prompt of the matrix window, a user variable's value, the points of a
// plot. The text is read as the input line reads it (blanks removed, parentheses checked first),
// the state its caller keeps is saved and put back, and the engine is busy meanwhile, so that
// nothing else starts an evaluation while this one lets the window system run.
//
// A plot evaluates one text at many values of X and Y: Prepare it once, then set the letters and
// call EvaluatePrepared for each point. The session is opened, and the text checked, only once;
// each point costs one evaluation, which the replay of repeated texts makes cheap.
#include <optional>
#include <string>
#include <string_view>

#include "engine/complex_math.h"
#include "engine/engine_busy.h"
#include "engine/engine_state.h"
#include "engine/formula_tape.h"
#include "engine/variables.h"

// The text without its blanks, as the input line hands it to the engine.
std::string StripBlanks(std::string_view Text);

// The input line's check of the parentheses of a text without blanks. A ")" before its "(" is
// code 0 at it; more ")" than "(" code 16 at the first one too many; fewer code 18 at the last
// character. False, with Code and Pos (1-based) set, when the text fails.
bool CheckParentheses(const std::string& Stripped, int& Code, int& Pos);

// Moves an error span counted in the text without blanks onto the typed text: it starts on the
// same character and spans the blanks inside it.
void MapErrorSpan(const std::string& Typed, const std::string& Stripped, int& Pos, int& Len);

// The display text of X (FormatNumber) with the error state left as it was: a number that the
// notation or radix cannot show sets Failed instead of the engine's error flag, which may belong
// to a running evaluation.
std::string FormatAside(int Digits, Extended X, bool* Failed = nullptr);

struct TSideResult;

// FormatNumber for a result to show: on failure (the notation or radix cannot show X) Error holds
// the code, at the position past the end of Typed, and its message; the engine's error state is
// left as it was.
std::string FormatAside(int Digits, Extended X, std::string_view Typed, TSideResult& Error);

// The error Code placed past the end of Typed, where an error that has no place in the text goes
// (a value that cannot be shown, a user break).
TSideResult ErrorPastEnd(std::string_view Typed, int Code);

// The input line's text for the engine's readers between evaluations (a key that wraps the text
// into "f(" reads it). While an evaluation runs the text is that evaluation's and stays.
void SetInputText(std::string_view Text);

enum class TSideMode {
  // Asked for by a control: refused while any evaluation runs. Everything the window keeps
  // between evaluations comes back afterwards: the reader and its text, the error report, the
  // previous result (a FOR loop writes it), the if( operands and the procedures' counters. The
  // break flag is cleared when the session opens, the variable log before each text.
  Start,
  // Asked for by the running evaluation through its host (a variable's definition, the
  // set-variable dialog it opened): part of that evaluation, refused only while it pumps. The
  // reader, the if( operands and the counters come back; the error of a failed text stays raised
  // for the evaluation that asked; the previous result, the log and the break flag are shared.
  Nested,
  // The input line's own evaluation, asked for by the window that shows it: refused while any
  // other evaluation runs. The break flag and the variable log are cleared; what it leaves is
  // the window's: the text read stays in the engine and nothing is put back. The previous result
  // changes only through SetAnswer, once the window has shown the result.
  Input,
};

struct TSideResult {
  Extended Value = 0;
  bool Ok = false;
  bool Refused = false;  // the engine was busy: nothing was read
  bool Empty = false;    // the text held nothing but blanks (reported as code 0 at position 1)
  int ErrCode = 0;
  // The span to mark, 1-based, in the typed text.
  int ErrPos = 0;
  int ErrLen = 0;
  // The engine's message for the error, ": position " and ErrPos; empty on success.
  std::string Message;
};

class TSideEvaluation {
 public:
  explicit TSideEvaluation(TSideMode Mode = TSideMode::Start);
  ~TSideEvaluation();
  TSideEvaluation(const TSideEvaluation&) = delete;
  TSideEvaluation& operator=(const TSideEvaluation&) = delete;

  // False when the session was refused (another evaluation runs): every evaluation answers
  // Refused and nothing in the engine changes.
  bool Started() const { return FStarted; }
  TSideMode Mode() const { return FMode; }

  // Prepares Typed and evaluates it.
  TSideResult Evaluate(std::string_view Typed);
  // Removes the blanks and checks the parentheses; false with the error in Error when the text
  // cannot be read (or the session was refused).
  bool Prepare(std::string_view Typed, TSideResult& Error);
  // Evaluates the prepared text again, with the letters as they are now. Without WithError a
  // failure whose replay shows that the reader fails too answers Ok false and nothing more (no
  // code, place or message): the text is not read again to find its error, which a plot needs
  // only for its first point that fails.
  TSideResult EvaluatePrepared(bool WithError = true);
  // EvaluatePrepared at a plot's point: X, and Y when it is given, set from these doubles first.
  TSideResult EvaluatePreparedAt(double X, std::optional<double> Y, bool WithError = true);
  // The prepared text read by the complex mode; Z is its value when the result is Ok.
  TSideResult EvaluatePreparedComplex(TComplex& Z);
  // The previous result "?" of the input line, real or complex (Input mode only).
  void SetAnswer(Extended Value);
  void SetAnswer(const TComplex& Value);
  // The prepared text without blanks (a variable's stored definition).
  const std::string& Prepared() const { return FText; }

 private:
  TSideResult Failure(int Code, int Pos, int Len) const;
  TSideResult Run(bool WithError, const TPointLetters* At);
  // What every evaluation of the session starts from.
  void BeginEvaluation();

  TSideMode FMode;
  bool FStarted = false;
  std::optional<TEngineBusyGuard> FBusy;
  std::optional<TNestedEvaluation> FNested;  // the reader, the if( operands, the counters
  // Restored in Start mode.
  bool FErrFlag = false;
  int FErrCode = 0, FErrPos = 0, FErrLen = 0, FInnerErrCode = 0, FInnerErrPos = 0;
  Extended FAns = 0;
  int FCurVar = 0;
  std::string FTyped;
  std::string FText;
  bool FPrepared = false;
  TTapeLink FTape;  // FText's recording
};
