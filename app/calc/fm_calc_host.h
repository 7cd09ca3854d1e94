#pragma once
// The calculator window's side of the engine's host interface.
#include "engine/engine_host.h"

class TfmCalc;

class TCalcEngineHost : public TEngineHost {
 public:
  explicit TCalcEngineHost(TfmCalc* Window) : FWindow(Window) {}
  void PumpMessages() override;
  bool AskBreak() override;
  void ShowIntegrationPass(const std::string& Text) override;
  int Digits() const override;
  int Bits() const override;
  int Precision() const override;
  bool EvaluateVariable(int k) override;
  int AddUserVariable(const std::string& Name, bool Show, Extended Value) override;
  bool SetVariableDialog(int k) override;

 private:
  TfmCalc* FWindow;
};
