#pragma once
#include <cmath>

// A clean engine with the scripted host installed, for the tests of variables, control forms,
// numerical procedures and user functions.
#include "engine/builtin_table.h"
#include "engine/numeric_procedures.h"
#include "engine/procedures.h"
#include "engine/user_functions.h"
#include "engine/variables.h"
#include "tests/engine/engine_test_support.h"
#include "tests/engine/scripted_host.h"

class ProceduresTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    VarValues.fill(UndefinedValue);
    for (auto& t : VarExprs) t.clear();
    UserVariables.clear();
    AssignmentLog.Clear();
    ResetIntervalBounds();
    RestoreProcedureCounters({});
    CreateUserFunctions();
    UserFunctions->Clear();
    SetEngineHost(&Host);
  }
  void TearDown() override {
    UserFunctions->Clear();
    EngineTest::TearDown();
  }
  void SetLetter(int k, Extended Value) { VarValues[static_cast<size_t>(k)] = Value; }
  Extended Letter(int k) const { return VarValues[static_cast<size_t>(k)]; }
  void Define(const std::string& Line) {
    std::string message;
    ASSERT_TRUE(UserFunctions->AddFunction(Line, &message)) << message;
  }

  TScriptedHost Host;
};

// Closeness in Extended precision (the gtest macros compare in double).
#define EXPECT_CLOSE(a, b, tol)                                             \
  EXPECT_LE(std::fabs(static_cast<Extended>(a) - static_cast<Extended>(b)), \
            static_cast<Extended>(tol))                                     \
      << #a

inline constexpr Extended Sqrt2 = 1.4142135623730950488016887242096981L;
