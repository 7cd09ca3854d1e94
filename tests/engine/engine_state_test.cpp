#include <gtest/gtest.h>

#include "engine/engine_state.h"

TEST(EngineState, ErrorTexts) {
  EXPECT_EQ(ErrorText(0), "Syntax error");
  EXPECT_EQ(ErrorText(1), "Undefined");
  EXPECT_EQ(ErrorText(5), "Undefined");
  EXPECT_EQ(ErrorText(29), "Undefined");
  EXPECT_EQ(ErrorText(-3), "Undefined");
  EXPECT_EQ(ErrorText(16), "Too many \")\"");
  EXPECT_EQ(ErrorText(28), "Underflow");
  EngineState.InnerErrCode = 13;
  EngineState.InnerErrPos = 5;
  EXPECT_EQ(ErrorText(27), "User Function Error \"Division by zero position: 5\" ");
}

TEST(EngineState, RaiseErrorConsumesText) {
  std::string t = "1+2+3";
  EngineState = {};
  EngineState.ExprStr = t;
  EngineSettings.ArgDepth = 3;
  RaiseError(t, 0);  // before anything was read
  EXPECT_EQ(EngineState.CurChar, EndChar);
  EXPECT_EQ(EngineState.Pos, 5);
  EXPECT_EQ(EngineSettings.ArgDepth, 0);
  EXPECT_GE(EngineState.ErrLen, 1);
  EXPECT_TRUE(EngineState.ErrFlag);
}
