// Edit validators of the plot dialogs and the graph's undo record.
#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <limits>

#include "platform/dialogs.h"
#include "plot/core/graph_undo.h"
#include "plot/core/graph_validates.h"
#include "print_qstring.h"

namespace {
using GraphValidates::IntBadCharPos;
using GraphValidates::TIntValidate;
using GraphValidates::TRealValidate;
constexpr double Inf = std::numeric_limits<double>::infinity();

TEST(GraphValidates, IntegerFilter) {
  EXPECT_EQ(IntBadCharPos(QStringLiteral("")), 0);
  EXPECT_EQ(IntBadCharPos(QStringLiteral("-12")), 0);
  EXPECT_EQ(IntBadCharPos(QStringLiteral("+")), 0);
  EXPECT_EQ(IntBadCharPos(QStringLiteral("12a")), 3);
  EXPECT_EQ(IntBadCharPos(QStringLiteral("1-2")), 2);
  EXPECT_EQ(IntBadCharPos(QStringLiteral("--2")), 2);
  EXPECT_EQ(IntBadCharPos(QStringLiteral("1\u00B2")), 2);
}

TEST(GraphValidates, IntegerTypingAndCreation) {
  QLineEdit E;
  E.setObjectName(QStringLiteral("edCount"));
  E.setText(QStringLiteral("12"));
  TIntValidate V(1, 100, &E, nullptr, QString());
  EXPECT_EQ(V.Caption, QStringLiteral("edCount"));
  EXPECT_EQ(V.LastText, QStringLiteral("12"));
  E.setText(QStringLiteral("12x"));  // a letter typed: the old text and the caret where it was
  V.TextChanged();
  EXPECT_EQ(E.text(), QStringLiteral("12"));
  EXPECT_EQ(E.cursorPosition(), 2);
  E.setText(QStringLiteral("125"));
  V.TextChanged();
  EXPECT_EQ(V.LastText, QStringLiteral("125"));
  EXPECT_EQ(V.GetValue(), 125);
  // Created on a lone sign (this once looped for ever) or on rubbish, it ends with what parses.
  for (const char* T : {"-", "+", "+-", "1-", "x7y", "99999999999"}) {
    QLineEdit S;
    S.setText(QString::fromLatin1(T));
    TIntValidate W(0, 10, &S, nullptr, QStringLiteral("N"));
    int Value, Pos;
    EXPECT_TRUE(W.LastText.isEmpty() || GraphValidates::ParseInt(W.LastText, Value, Pos)) << T;
  }
  V.SetMin(200);  // above Max: Max follows
  EXPECT_EQ(V.Max, 200);
  V.SetMax(-5);
  EXPECT_EQ(V.Min, -5);
}

TEST(GraphValidates, IntegerRangeMessages) {
  TScriptedDialogService Script;
  TScopedDialogService Use(Script);
  QLineEdit E;
  E.setText(QStringLiteral("7"));
  TIntValidate V(1, 5, &E, nullptr, QStringLiteral("Number of ticks"));
  EXPECT_FALSE(V.IsValid());
  EXPECT_TRUE(Script.Messages().isEmpty());  // a beep only
  EXPECT_FALSE(V.IsInRange());
  EXPECT_EQ(Script.Messages(),
            QStringList{QStringLiteral("Number of ticks must be in the range [1..5]")});
  E.setText(QString());  // an empty field is out of range too
  EXPECT_FALSE(V.IsInRange());
  EXPECT_EQ(Script.Messages().size(), 2);
  E.setText(QStringLiteral("3"));
  EXPECT_TRUE(V.IsInRange());
  EXPECT_EQ(V.Value, 3);
}

TEST(GraphValidates, RealFilter) {
  QLineEdit E;
  TRealValidate V(0, 10, &E, nullptr, QStringLiteral("X"));
  EXPECT_EQ(V.BadCharPos(QStringLiteral("1.5e-3")), 0);
  EXPECT_EQ(V.BadCharPos(QStringLiteral("1.5.3")), 4);
  EXPECT_EQ(V.BadCharPos(QStringLiteral("1e+-3")), 4);
  EXPECT_EQ(V.BadCharPos(QStringLiteral("-")), 0);
  EXPECT_EQ(V.BadCharPos(QStringLiteral("2x")), 2);
  EXPECT_EQ(V.BadCharPos(QStringLiteral("-\u221E")), 0);
  // Deleting is always accepted, even when the rest does not parse.
  E.setText(QStringLiteral("1.5"));
  V.TextChanged();
  E.setText(QStringLiteral("1.5q"));
  V.TextChanged();
  EXPECT_EQ(E.text(), QStringLiteral("1.5"));
  EXPECT_EQ(E.cursorPosition(), 3);
  E.setText(QStringLiteral("."));
  V.TextChanged();
  EXPECT_EQ(V.LastText, QStringLiteral("."));
  // A text that is no number is cleared when the validator is made.
  QLineEdit Bad;
  Bad.setText(QStringLiteral("abc"));
  TRealValidate W(0, 1, &Bad, nullptr, QStringLiteral("Y"));
  EXPECT_EQ(Bad.text(), QString());
}

TEST(GraphValidates, RealRangeMessagesAndInfinity) {
  TScriptedDialogService Script;
  TScopedDialogService Use(Script);
  QLineEdit E;
  E.setText(QStringLiteral("20"));
  TRealValidate V(0.5, 10, &E, nullptr, QStringLiteral("Width"));
  EXPECT_FALSE(V.IsInRange());
  EXPECT_EQ(Script.Messages(),
            QStringList{QStringLiteral("Width must be in the range [0.5 ... 10.0]")});
  E.setText(QString());  // empty: the focus only
  EXPECT_FALSE(V.IsInRange());
  EXPECT_EQ(Script.Messages().size(), 1);
  E.setText(QStringLiteral("0.5"));
  EXPECT_TRUE(V.IsInRange());
  V.ExclusiveMin = true;
  EXPECT_FALSE(V.IsInRange());
  EXPECT_EQ(Script.Messages().back(),
            QStringLiteral("Width must be in the range [ > 0.5 ... 10.0]"));
  // Infinite bounds are written as infinity signs, and a field holding one reads back.
  TRealValidate Open(-Inf, Inf, &E, nullptr, QStringLiteral("Limit"));
  E.setText(QStringLiteral("abc"));
  EXPECT_FALSE(Open.IsInRange());
  E.setText(QStringLiteral("1e300"));
  EXPECT_TRUE(Open.IsInRange());
  E.setText(QStringLiteral("-\u221E"));
  EXPECT_TRUE(Open.IsInRange());
  EXPECT_EQ(Open.GetValue(), -Inf);
  TRealValidate Hi(0, 1, &E, nullptr, QStringLiteral("Limit"));
  E.setText(QStringLiteral("\u221E"));
  EXPECT_FALSE(Hi.IsInRange());
  EXPECT_EQ(Script.Messages().back(), QStringLiteral("Limit must be in the range [0.0 ... 1.0]"));
  TRealValidate HalfOpen(0, Inf, &E, nullptr, QStringLiteral("Size"));
  E.setText(QStringLiteral("-1"));
  EXPECT_FALSE(HalfOpen.IsInRange());
  EXPECT_EQ(Script.Messages().back(), QStringLiteral("Size must be in the range [0.0 ... \u221E]"));
}

struct TCopy : TGraphUndoCopy {
  explicit TCopy(int* C) : Count(C) { ++*Count; }
  ~TCopy() override { --*Count; }
  int* Count;
};

TEST(GraphUndoStack, EnablesOwnsAndDrops) {
  QPushButton Button;
  QAction Item(nullptr);
  Button.setEnabled(true);
  Item.setEnabled(true);
  int Alive = 0;
  TLayer LayerA(nullptr), LayerB(nullptr);
  const TLayer* A = &LayerA;
  const TLayer* B = &LayerB;
  {
    TGraphUndo U(&Button, &Item);
    EXPECT_FALSE(Button.isEnabled());
    EXPECT_FALSE(Item.isEnabled());
    U.Push(A, TGraphUndo::ukDeleted, std::make_unique<TCopy>(&Alive));
    EXPECT_TRUE(Button.isEnabled());
    EXPECT_TRUE(Item.isEnabled());
    U.Push(B, TGraphUndo::ukSelected, std::make_unique<TCopy>(&Alive));
    EXPECT_EQ(U.Items().size(), 4u);  // a group marker before each edit
    EXPECT_EQ(U.Items()[0].Kind, TGraphUndo::ukGroup);
    EXPECT_EQ(U.Count(), 2);
    EXPECT_EQ(Alive, 2);
    // A deleted layer takes its edits with it; the command stays while others remain.
    U.LayerDeleted(A);
    EXPECT_EQ(U.Count(), 1);
    EXPECT_EQ(Alive, 1);
    EXPECT_TRUE(Button.isEnabled());
    U.LayerDeleted(B);
    EXPECT_FALSE(U.Enabled());
    EXPECT_FALSE(Button.isEnabled());
    EXPECT_FALSE(Item.isEnabled());
    U.Push(A, TGraphUndo::ukHiddenMarker, std::make_unique<TCopy>(&Alive));
    U.Clear();  // both controls off
    EXPECT_EQ(Alive, 0);
    EXPECT_FALSE(Button.isEnabled());
    EXPECT_FALSE(Item.isEnabled());
    U.Push(A, TGraphUndo::ukUnselected, std::make_unique<TCopy>(&Alive));
  }
  EXPECT_EQ(Alive, 0);  // freed with the stack
  // Controls that go away before the stack are not touched afterwards.
  TGraphUndo U;
  {
    QPushButton Gone;
    U.SetControls(&Gone, nullptr);
  }
  U.Push(A, TGraphUndo::ukDeleted);
  EXPECT_TRUE(U.Enabled());
}
}  // namespace
