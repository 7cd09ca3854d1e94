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

#include "engine/engine_host.h"
#include "engine/parser.h"

namespace {

class CountingHost : public TEngineHost {
 public:
  int Pumps = 0;
  void PumpMessages() override { ++Pumps; }
  int Digits() const override { return 9; }
};

TEST(EngineState, ReaderGuardRestoresTheWholeContext) {
  EngineState = {};
  EngineState.ExprStr = "sin(2,3)";
  EngineState.Pos = 5;
  EngineState.CurChar = '2';
  EngineState.StartPos = 5;
  EngineSettings.ArgDepth = 1;
  {
    TReaderGuard guard;
    EngineState.ExprStr = "7/0";
    EngineSettings.ArgDepth = 0;
    Evaluate("7/0");
    EXPECT_EQ(guard.Context().ExprStr, "sin(2,3)");
  }
  EXPECT_EQ(EngineState.ExprStr, "sin(2,3)");
  EXPECT_EQ(EngineState.Pos, 5);
  EXPECT_EQ(EngineState.CurChar, '2');
  EXPECT_EQ(EngineState.StartPos, 5);
  EXPECT_EQ(EngineSettings.ArgDepth, 1);
  // The inner error stays visible to the outer reader.
  EXPECT_TRUE(EngineState.ErrFlag);
  EXPECT_EQ(EngineState.ErrCode, errDivisionByZero);

  TReaderGuard early;
  EngineState.Pos = 99;
  early.Restore();
  EXPECT_EQ(EngineState.Pos, 5);
  EngineState.Pos = 42;  // a second restore (the destructor) does nothing
  EngineSettings.ArgDepth = 0;
}

TEST(EngineState, ReadersStayInsideTheText) {
  EngineState = {};
  EngineState.ExprStr = "ab";
  EXPECT_EQ(CharAt(0), EndChar);
  EXPECT_EQ(CharAt(1), 'a');
  EXPECT_EQ(CharAt(2), 'b');
  EXPECT_EQ(CharAt(3), EndChar);
  EXPECT_EQ(CharAt(-5), EndChar);
  EngineState.Pos = 2;
  EXPECT_EQ(NextChar(EngineState.ExprStr), EndChar);
  EXPECT_EQ(EngineState.Pos, 2);  // Pos stays on the last character
  EngineState.Pos = -3;
  EXPECT_EQ(NextChar(EngineState.ExprStr), EndChar);
}

TEST(EngineState, HostInstallation) {
  CountingHost host;
  EXPECT_EQ(EngineHost().Digits(), 12);  // the default host
  SetEngineHost(&host);
  PumpMessages();
  PumpMessages();
  EXPECT_EQ(host.Pumps, 2);
  EXPECT_EQ(EngineHost().Digits(), 9);
  SetEngineHost(nullptr);
  PumpMessages();
  EXPECT_EQ(host.Pumps, 2);
}

TEST(EngineState, InitializeAndFinalizeAreCounted) {
  EngineInitialize();
  EngineInitialize();  // a second call does nothing
  EngineState.ExprStr = "1+2";
  EngineFinalize();
  EXPECT_EQ(EngineState.ExprStr, "1+2");
  EngineFinalize();
  EXPECT_TRUE(EngineState.ExprStr.empty());
  EngineFinalize();  // unbalanced: harmless
  EngineInitialize();
  EngineFinalize();
}

}  // namespace
