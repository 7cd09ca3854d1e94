#pragma once
// A host whose dialogs and questions answer from a script, for the tests of the procedures.
#include <map>
#include <string>
#include <vector>

#include "engine/engine_host.h"
#include "engine/parser.h"
#include "engine/variables.h"

class TScriptedHost : public TEngineHost {
 public:
  // The Stop button is pressed at this pump (0: never).
  int StopAtPump = 0;
  // Answers to the break question in turn; Yes once they run out.
  std::vector<bool> BreakAnswers;
  // The text typed into the set-variable dialog of a letter; a letter without one is cancelled.
  std::map<int, std::string> DialogTexts;
  int PrecisionDigits = 9;

  int Pumps = 0;
  int Questions = 0;
  std::vector<int> Dialogs;
  std::vector<std::string> Passes;

  void PumpMessages() override {
    if (++Pumps == StopAtPump) EngineSettings.BreakRequested = true;
  }
  bool AskBreak() override {
    const size_t i = static_cast<size_t>(Questions++);
    return i < BreakAnswers.size() ? BreakAnswers[i] : true;
  }
  bool SetVariableDialog(int k) override {
    Dialogs.push_back(k);
    const auto it = DialogTexts.find(k);
    if (it == DialogTexts.end()) return false;
    return EvaluateInto(k, it->second);
  }
  bool EvaluateVariable(int k) override {
    return EvaluateInto(k, VarExprs[static_cast<size_t>(k)]);
  }
  int AddUserVariable(const std::string& Name, bool, Extended Value) override {
    return SetUserVariable(Name, Value);
  }
  void ShowIntegrationPass(const std::string& Text) override { Passes.push_back(Text); }
  int Precision() const override { return PrecisionDigits; }

 private:
  // What the window does: evaluate the text on its own and store the value on success.
  static bool EvaluateInto(int k, const std::string& Text) {
    EngineState.ExprStr = Text;
    EngineSettings.ArgDepth = 0;
    const Extended v = Evaluate(Text);
    if (EngineState.ErrFlag) return false;
    VarValues[static_cast<size_t>(k)] = v;
    return true;
  }
};
