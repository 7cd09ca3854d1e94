#include "app/common/validates.h"

#include <QLineEdit>

#include <gtest/gtest.h>

#include <climits>

using Validates::TIntValidate;
using Validates::TRealValidate;

namespace {

QColor Base(const QLineEdit& E) { return E.palette().color(QPalette::Base); }

// Types one character at the caret, as a key press would.
void Type(QLineEdit& E, const QString& Ch) { E.insert(Ch); }

}  // namespace

TEST(CalcValidatorsTest, CharacterFilters) {
  EXPECT_EQ(Validates::IntBadCharPos("-12"), 0);
  EXPECT_EQ(Validates::IntBadCharPos("12x"), 3);
  EXPECT_EQ(Validates::IntBadCharPos("1-2"), 2);
  EXPECT_EQ(Validates::RealBadCharPos("1.5e-3"), 0);
  EXPECT_EQ(Validates::RealBadCharPos("-.5E"), 0);
  EXPECT_EQ(Validates::RealBadCharPos("1.5.3"), 4);
  EXPECT_EQ(Validates::RealBadCharPos("1e+-3"), 4);
  EXPECT_EQ(Validates::RealBadCharPos("12a"), 3);
  int I = 0;
  EXPECT_FALSE(Validates::ParseInt("$1F", I));
  EXPECT_FALSE(Validates::ParseInt("-", I));
  EXPECT_TRUE(Validates::ParseInt("+42", I));
  EXPECT_EQ(I, 42);
}

TEST(CalcValidatorsTest, IntegerFieldFiltersAndColours) {
  QLineEdit E(QStringLiteral("12"));
  int Calls = 0;
  QString Seen;
  TIntValidate V(1, 100, &E, nullptr, QString(), [&](QLineEdit* S) {
    ++Calls;
    Seen = S->text();
  });
  const QColor Normal = Base(E);

  // A refused letter: the old text returns, the caret stays where it was typed, and the
  // window's handler runs once for the restored text.
  E.setCursorPosition(1);
  Type(E, QStringLiteral("x"));
  EXPECT_EQ(E.text(), "12");
  EXPECT_EQ(E.cursorPosition(), 1);
  EXPECT_EQ(Calls, 1);
  EXPECT_EQ(Seen, "12");

  E.setText(QStringLiteral("150"));
  EXPECT_EQ(Base(E), Validates::OutOfRangeColor);
  EXPECT_FALSE(V.IsValid());
  E.setText(QStringLiteral("100"));
  EXPECT_EQ(Base(E), Normal);
  EXPECT_TRUE(V.IsValid());
  EXPECT_EQ(V.GetValue(), 100);

  // "+" alone is cleared; "-" becomes 0 only when 0 is in range.
  E.setText(QString());
  Type(E, QStringLiteral("+"));
  EXPECT_EQ(E.text(), "");
  Type(E, QStringLiteral("-"));
  EXPECT_EQ(E.text(), "-");
  EXPECT_FALSE(V.IsValid());

  QLineEdit Z;
  TIntValidate VZ(-5, 5, &Z, nullptr, QString());
  Type(Z, QStringLiteral("-"));
  EXPECT_EQ(Z.text(), "0");
  EXPECT_EQ(VZ.Caption(), Z.objectName());

  // One digit more than an int holds is a value past the range: red, and the text stays.
  QLineEdit W;
  TIntValidate VW(INT_MIN, INT_MAX, &W, nullptr, QString());
  for (const char* Ch : {"2147483647", "0"}) Type(W, QString::fromLatin1(Ch));
  EXPECT_EQ(W.text(), "21474836470");
  EXPECT_EQ(Base(W), Validates::OutOfRangeColor);
  EXPECT_FALSE(VW.IsValid());

  // Offending characters of the first text are dropped from the last accepted text.
  QLineEdit D(QStringLiteral("4a2"));
  TIntValidate VD(0, 1000, &D, nullptr, QStringLiteral("Size"));
  EXPECT_EQ(VD.LastText(), "42");
  VD.SetMin(2000);
  EXPECT_EQ(VD.Max(), 2000);
}

TEST(CalcValidatorsTest, RealFieldFiltersAndColours) {
  QLineEdit Bad(QStringLiteral("abc"));
  int BadCalls = 0;
  TRealValidate VB(0, 10, &Bad, nullptr, QString(), [&](QLineEdit*) { ++BadCalls; });
  EXPECT_EQ(Bad.text(), "");
  EXPECT_EQ(BadCalls, 0);

  QLineEdit E;
  TRealValidate V(-1, 1E10L, &E, nullptr, QString());
  for (const char* Ch : {"1", ".", "5", "e", "-", "3"}) Type(E, QString::fromLatin1(Ch));
  EXPECT_EQ(E.text(), "1.5e-3");
  EXPECT_TRUE(V.IsValid());
  EXPECT_NEAR(double(V.GetValue()), 1.5e-3, 1e-15);
  Type(E, QStringLiteral("."));  // a second "." in the exponent is refused
  EXPECT_EQ(E.text(), "1.5e-3");

  // Deletions are never refused; a lone "e" is cleared, a lone "." kept.
  E.setText(QStringLiteral("1e"));
  E.setText(QStringLiteral("e"));
  EXPECT_EQ(E.text(), "");
  E.setText(QStringLiteral(".5"));
  E.setText(QStringLiteral("."));
  EXPECT_EQ(E.text(), ".");

  E.setText(QStringLiteral("-2"));
  EXPECT_EQ(Base(E), Validates::OutOfRangeColor);
  EXPECT_FALSE(V.IsValid());
  V.SetRange(-3, 3);
  E.setText(QStringLiteral("-2.5"));
  EXPECT_NE(Base(E), Validates::OutOfRangeColor);
  EXPECT_TRUE(V.IsValid());
}
