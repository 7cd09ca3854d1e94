#pragma once
// Sets a value (a flag) for its lifetime and puts the old value back on every way out, an early
// return or an exception included.
template <class T>
class TValueGuard {
 public:
  TValueGuard(T& Value, const T& New) : FValue(Value), FOld(Value) { Value = New; }
  ~TValueGuard() { FValue = FOld; }
  TValueGuard(const TValueGuard&) = delete;
  TValueGuard& operator=(const TValueGuard&) = delete;

 private:
  T& FValue;
  T FOld;
};

class TFlagGuard : public TValueGuard<bool> {
 public:
  explicit TFlagGuard(bool& Flag, bool Value = true) : TValueGuard<bool>(Flag, Value) {}
};
