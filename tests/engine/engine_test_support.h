#pragma once
// Shared helpers of the engine tests: a clean engine state per test and one-call evaluation.
#include <gtest/gtest.h>

#include <string>

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

class EngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EngineState = {};
    EngineSettings = {};
    SelectRadix(0);
  }
  void TearDown() override {
    SetEngineHost(nullptr);
    SelectRadix(0);
  }
};

#define EXPECT_VALUE(text, expected)                       \
  do {                                                     \
    const TEvalResult r_ = Eval(text);                     \
    EXPECT_FALSE(r_.Failed) << (text) << " code " << r_.Code << " at " << r_.Pos; \
    EXPECT_EQ(r_.Value, static_cast<Extended>(expected)) << (text); \
  } while (0)

#define EXPECT_ERROR(text, code, pos, len)                 \
  do {                                                     \
    const TEvalResult r_ = Eval(text);                     \
    EXPECT_TRUE(r_.Failed) << (text);                      \
    EXPECT_EQ(r_.Code, code) << (text);                    \
    EXPECT_EQ(r_.Pos, pos) << (text);                      \
    EXPECT_EQ(r_.Len, len) << (text);                      \
  } while (0)
