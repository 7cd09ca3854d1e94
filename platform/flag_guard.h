#pragma once
// Sets a flag for its lifetime and puts the old value back on every way out, an early return
// or an exception included.
class TFlagGuard {
 public:
  explicit TFlagGuard(bool& Flag, bool Value = true) : FFlag(Flag), FOld(Flag) { Flag = Value; }
  ~TFlagGuard() { FFlag = FOld; }
  TFlagGuard(const TFlagGuard&) = delete;
  TFlagGuard& operator=(const TFlagGuard&) = delete;

 private:
  bool& FFlag;
  bool FOld;
};
