#pragma once
// Replay of repeated evaluations. A plot reads one formula for every point of its grid; reading
// the text again each time costs far more than the arithmetic. While the reader evaluates a text
// it writes down what it computed (constants, variable reads, operators and built-in calls, in
// the order they happened); the next evaluation of the same text under the same reading settings
// performs those operations on the current values instead of reading the text.
//
// Only what depends on the text alone is written down: a reading that takes a path whose shape
// depends on values or on state outside the text (if(, for, the procedures, user functions and
// variables, assignments, undefined letters, random numbers) stops the recording. A replay that
// meets any failure (an error raised, a value not finite, an undefined letter) undoes what it
// changed and lets the reader evaluate the text again, so errors are always the reader's own.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/engine_state.h"

enum class TTapeOp : std::uint8_t {
  Const,   // push Value
  Ans,     // push EngineState.Ans
  Letter,  // push the letter variable in slot Arg (and log it, as the reader does)
  Negate,  // a sign: top *= -1
  Power,   // exponent popped, top = Power(top, exponent)
  Square,
  Root,
  Cube,
  Mul,
  Percent,
  Div,
  Add,
  Sub,
  And,
  Or,
  Xor,
  Call1,  // the built-in Arg with one argument popped
  Call2,  // the built-in Arg with two arguments popped
};

struct TTapeStep {
  TTapeOp Op;
  bool MultiArg = false;  // of a call: the built-in is one of the rows of several arguments
  int Arg = 0;
  int NameStart = 0;  // of a call: where the reader would mark its errors
  Extended Value = 0;
};

// The steps of the running recording, or null when nothing is recorded. Emitting is one test of
// this pointer, so that the reader pays next to nothing when it does not record.
struct TTapeRecording;
extern TTapeRecording* ActiveRecording;
void RecordStep(const TTapeStep& Step);
inline void Record(TTapeOp Op, Extended Value = 0) {
  if (ActiveRecording) RecordStep({Op, false, 0, 0, Value});
}
inline void RecordLetter(int Slot) {
  if (ActiveRecording) RecordStep({TTapeOp::Letter, false, Slot, 0, 0});
}
inline void RecordCall(bool TwoArgs, int Id, int NameStart, bool MultiArg) {
  if (ActiveRecording)
    RecordStep({TwoArgs ? TTapeOp::Call2 : TTapeOp::Call1, MultiArg, Id, NameStart, 0});
}
// The running reading cannot be replayed.
void StopRecording();

// The built-in ids whose calls can be written down: functions of one or two arguments that
// neither read more text themselves nor draw random numbers.
bool IsReplayableBuiltin(int Id);

// Evaluate's two halves. TryReplay answers Replayed with the value and the reader's final state
// set when Text was recorded and its replay succeeded. Otherwise the caller reads the text inside
// a TTapeRecorder, which keeps the recording when the reading succeeded; a text whose replay
// failed is recorded already and is read without recording. Failed means that the reader fails
// too (a value that is not finite on the way); Undefined that a letter the text reads is
// undefined, which the reader asks for.
enum class TReplay { Replayed, Failed, Undefined, Unknown };
struct TCacheEntry;
// The recording of a text that is evaluated many times in a row (the formula of a plot), kept at
// hand by its evaluator so that each evaluation goes straight to it. It is used only with the text
// it was made for, and dropped when the cache is cleared.
struct TTapeLink {
  std::shared_ptr<const TCacheEntry> Entry;
  unsigned Generation = 0;
};
// The letters of a plot's point as the doubles they were just set from: X, and Y where the plot
// steps it too. A replay reads them there rather than wait for the long doubles' stores.
struct TPointLetters {
  double X = 0, Y = 0;
  bool HasY = false;
};
TReplay TryReplay(const std::string& Text, Extended& Value, TTapeLink* Link = nullptr,
                  const TPointLetters* At = nullptr);

class TTapeRecorder {
 public:
  explicit TTapeRecorder(bool Record);
  ~TTapeRecorder();
  TTapeRecorder(const TTapeRecorder&) = delete;
  TTapeRecorder& operator=(const TTapeRecorder&) = delete;
  // The reading of Text ended; Failed tells whether it raised an error.
  void Finish(const std::string& Text, bool Failed);

 private:
  std::unique_ptr<TTapeRecording> Own;
};

// Tests and the fuzzer compare replays against plain readings.
void SetReplayEnabled(bool Enabled);
void ClearReplayCache();
// Tests compare the routines written for formulas against the tree of evaluators they replace.
void SetFormulaCodeEnabled(bool Enabled);
// Counts of replays computed by a routine, and of routines refused for not giving the value of
// the tree of evaluators at the first point where the tree gives one, or accepted for giving it.
std::uint64_t FormulaCodeRuns();
std::uint64_t FormulaCodeRefusals();
std::uint64_t FormulaCodeAcceptances();
// Counts of replays that succeeded, for tests.
std::uint64_t ReplayCount();
