#pragma once
// Shared helpers of the engine tests: a clean engine state per test and one-call evaluation.
#include <gtest/gtest.h>

#include <string>

#include "engine/builtins.h"
#include "engine/complex_eval.h"
#include "engine/engine_host.h"
#include "engine/engine_state.h"
#include "engine/parser.h"

struct TEvalResult {
  Extended Value = 0;
  bool Failed = false;
  int Code = 0;
  int Pos = 0;
  int Len = 0;
};

// Evaluates Text the way the calculator does: text stored, argument depth cleared.
inline TEvalResult Eval(const std::string& Text) {
  EngineState.ExprStr = Text;
  EngineSettings.ArgDepth = 0;
  TEvalResult r;
  r.Value = Evaluate(Text);
  r.Failed = EngineState.ErrFlag;
  r.Code = EngineState.ErrCode;
  r.Pos = EngineState.ErrPos;
  r.Len = EngineState.ErrLen;
  return r;
}

// The value of Text, which must evaluate without an error.
inline Extended Value(const std::string& Text) {
  const TEvalResult r = Eval(Text);
  EXPECT_FALSE(r.Failed) << Text << " code " << r.Code << " at " << r.Pos;
  return r.Value;
}

// A fresh engine: default state and settings, decimal radix.
inline void ResetEngine() {
  EngineState = {};
  EngineSettings = {};
  SelectRadix(0);
}

// The value of built-in row Id for the arguments A and B as the grammar would compute it, without
// reading a text (a row with a third argument reads it from ExprStr).
inline Extended CallRow(int Id, Extended A, Extended B) {
  Extended arg1 = A;
  Extended v = CallBuiltin(Id, arg1, B, 1);
  if (!EngineState.ErrFlag) CallMultiArgBuiltin(Id, v, A, B, 1);
  return v;
}

struct TCompResult {
  TComplex Z;
  bool Failed = false;
  int Code = 0;
  int Pos = 0;
  int Len = 0;
};

// Evaluates Text in complex mode the way the calculator does.
inline TCompResult CEval(std::string Text) {
  EngineSettings.ArgDepth = 0;
  EngineState.ErrCode = 0;
  TCompResult r;
  CompEvaluate(Text, r.Failed, r.Pos, r.Len, r.Z);
  r.Code = EngineState.ErrCode;
  return r;
}

class EngineTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetEngine(); }
  void TearDown() override {
    SetEngineHost(nullptr);
    SelectRadix(0);
  }
};

#define EXPECT_VALUE(text, expected)                                              \
  do {                                                                            \
    const TEvalResult r_ = Eval(text);                                            \
    EXPECT_FALSE(r_.Failed) << (text) << " code " << r_.Code << " at " << r_.Pos; \
    EXPECT_EQ(r_.Value, static_cast<Extended>(expected)) << (text);               \
  } while (0)

#define EXPECT_ERROR(text, code, pos, len) \
  do {                                     \
    const TEvalResult r_ = Eval(text);     \
    EXPECT_TRUE(r_.Failed) << (text);      \
    EXPECT_EQ(r_.Code, code) << (text);    \
    EXPECT_EQ(r_.Pos, pos) << (text);      \
    EXPECT_EQ(r_.Len, len) << (text);      \
  } while (0)

#define EXPECT_COMPLEX(text, re, im)                                              \
  do {                                                                            \
    const TCompResult r_ = CEval(text);                                           \
    EXPECT_FALSE(r_.Failed) << (text) << " code " << r_.Code << " at " << r_.Pos; \
    EXPECT_NEAR(static_cast<double>(CRe(r_.Z)), (re), 1e-13) << (text);           \
    EXPECT_NEAR(static_cast<double>(CIm(r_.Z)), (im), 1e-13) << (text);           \
  } while (0)

#define EXPECT_CERROR(text, code, pos, len) \
  do {                                      \
    const TCompResult r_ = CEval(text);     \
    EXPECT_TRUE(r_.Failed) << (text);       \
    EXPECT_EQ(r_.Code, code) << (text);     \
    EXPECT_EQ(r_.Pos, pos) << (text);       \
    EXPECT_EQ(r_.Len, len) << (text);       \
  } while (0)
