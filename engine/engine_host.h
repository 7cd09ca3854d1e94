#pragma once
// The engine's only way to reach the application. The application installs its implementation at
// start-up; tests install a scripted one. Without an installed host the engine uses a default that
// never blocks: no dialogs, no pumping, and every question is answered so that a calculation ends.
#include <string>

#include "engine/engine_state.h"

class TEngineHost {
 public:
  virtual ~TEngineHost() = default;

  // Lets the window system run during a long calculation (translate and dispatch until the queue
  // is empty or the quit message arrives).
  virtual void PumpMessages() {}
  // The break question ("Do you realy wont break calculation?", Yes/No): true when Yes.
  virtual bool AskBreak() { return true; }
  // The set-variable dialog for letter variable k (1..12). True on OK; then the dialog has written
  // the letter's value and defining text and left the text it evaluated in ExprStr.
  virtual bool SetVariableDialog(int /*k*/) { return false; }
  // Evaluates the window's defining text of letter variable k and stores it; false on failure.
  virtual bool EvaluateVariable(int /*k*/) { return false; }
  // Creates or updates the user variable Name with Value; answers its id (1000 and above), or 0
  // when the host keeps no user variables.
  virtual int AddUserVariable(const std::string& /*Name*/, bool /*Show*/, Extended /*Value*/) {
    return 0;
  }
  // Shows one pass of an integration in the result line.
  virtual void ShowIntegrationPass(const std::string& /*Text*/) {}
  // The window's digit count, binary group width and integration precision.
  virtual int Digits() const { return 12; }
  virtual int Bits() const { return 32; }
  virtual int Precision() const { return 9; }
};

// Installs Host (not owned; it must outlive its installation); nullptr restores the default.
void SetEngineHost(TEngineHost* Host);
TEngineHost& EngineHost();
