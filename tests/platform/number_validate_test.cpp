#include "platform/number_validate.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

bool ReadInt(const QString& Text, int& Value) {
  bool Ok = false;
  const int V = Text.toInt(&Ok);
  if (Ok) Value = V;
  return Ok;
}

bool ReadDouble(const QString& Text, double& Value) {
  bool Ok = false;
  const double V = Text.toDouble(&Ok);
  if (Ok) Value = V;
  return Ok;
}

using TIntField = NumberValidate::TNumberField<int, ReadInt>;
using TRealField = NumberValidate::TNumberField<double, ReadDouble>;

}  // namespace

TEST(NumberValidate, PartlyTypedNumbers) {
  using NumberValidate::IntBadCharPos;
  using NumberValidate::RealBadCharPos;
  // A sign may only lead; the rest are ASCII digits (a digit of another script is refused).
  for (const char* Ok : {"", "-", "+", "007", "-2147483649"}) EXPECT_EQ(IntBadCharPos(Ok), 0) << Ok;
  EXPECT_EQ(IntBadCharPos("--1"), 2);
  EXPECT_EQ(IntBadCharPos("12-"), 3);
  EXPECT_EQ(IntBadCharPos(" 1"), 1);
  EXPECT_EQ(IntBadCharPos(QString::fromUtf8("1\u0661")), 2);
  // Reals: a mantissa, one point, one exponent with its own sign; the first fault counts.
  for (const char* Ok : {"", ".", "-.", "1.", "1e", "1E+", "-1.5e-07", "+.5E3"})
    EXPECT_EQ(RealBadCharPos(Ok), 0) << Ok;
  EXPECT_EQ(RealBadCharPos("1..2"), 3);
  EXPECT_EQ(RealBadCharPos("1e5e"), 4);
  EXPECT_EQ(RealBadCharPos("1e5.2"), 4);
  EXPECT_EQ(RealBadCharPos("1.-2"), 3);
  EXPECT_EQ(RealBadCharPos("1,5"), 2);
  EXPECT_EQ(RealBadCharPos("x1..2"), 1);
}

TEST(NumberValidate, RangesOfBothNumberTypes) {
  TIntField I(5, 1, nullptr, nullptr, QString());  // an upper bound below the lower one
  EXPECT_EQ(I.Min, 1);
  EXPECT_EQ(I.Max, 1);
  I.SetMax(10);
  I.SetMin(20);  // takes the upper bound along
  EXPECT_EQ(I.Max, 20);
  I.SetMax(-3);  // and back
  EXPECT_EQ(I.Min, -3);
  I.SetRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
  EXPECT_TRUE(I.Holds(std::numeric_limits<int>::min()) && I.Holds(std::numeric_limits<int>::max()));
  I.SetRange(0, 0);
  EXPECT_TRUE(I.Holds(0));
  EXPECT_FALSE(I.Holds(1) || I.Holds(-1));

  constexpr double Inf = std::numeric_limits<double>::infinity();
  TRealField R(-Inf, Inf, nullptr, nullptr, QString());
  EXPECT_TRUE(R.Holds(-Inf) && R.Holds(Inf) && R.Holds(0));
  EXPECT_FALSE(R.Holds(std::nan("")));
  R.SetRange(0.1, 0.3);
  EXPECT_TRUE(R.Holds(0.1) && R.Holds(0.3));
  EXPECT_FALSE(R.Holds(std::nextafter(0.3, 1.0)));
  // A NaN bound moves nothing else.
  R.SetMin(std::nan(""));
  EXPECT_EQ(R.Max, 0.3);
  // No field: nothing to read, the last value stays.
  int V = 7;
  EXPECT_FALSE(I.Read(V));
  EXPECT_EQ(I.GetValue(), 0);
}

TEST(NumberValidate, FieldTextAndRefusals) {
  QLineEdit E(QStringLiteral("12"));
  E.setObjectName(QStringLiteral("edSteps"));
  TIntField F(0, 100, &E, nullptr, NumberValidate::CaptionOr(QString(), &E));
  EXPECT_EQ(F.Caption, "edSteps");
  EXPECT_EQ(NumberValidate::CaptionOr(QStringLiteral("Steps"), &E), "Steps");
  EXPECT_EQ(NumberValidate::CaptionOr(QString(), nullptr), "");
  EXPECT_EQ(F.GetValue(), 12);
  E.setText(QStringLiteral("abc"));
  EXPECT_EQ(F.GetValue(), 12);  // the last number read

  // A good text becomes the last good one; a bad one brings that back, the caret before the
  // refused character.
  E.setText(QStringLiteral("42"));
  EXPECT_FALSE(NumberValidate::KeepGoodText(&E, F.LastText, 0));
  EXPECT_EQ(F.LastText, "42");
  E.setText(QStringLiteral("4x2"));
  EXPECT_TRUE(NumberValidate::KeepGoodText(&E, F.LastText, 2));
  EXPECT_EQ(E.text(), "42");
  EXPECT_EQ(E.cursorPosition(), 1);
  EXPECT_EQ(F.LastText, "42");

  // A field deleted under the validator is no longer read.
  auto* Gone = new QLineEdit(QStringLiteral("5"));
  TRealField G(0, 10, Gone, nullptr, QString());
  EXPECT_EQ(G.GetValue(), 5.0);
  delete Gone;
  double D = 0;
  EXPECT_FALSE(G.Read(D));
  EXPECT_EQ(G.GetValue(), 5.0);
}
