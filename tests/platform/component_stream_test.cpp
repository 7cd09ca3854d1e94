// The binary component form: the exact bytes of each kind of value, the round trip, and
// streams that are refused.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/component_stream.h"

namespace {
QByteArray Bytes(std::initializer_list<int> B) {
  QByteArray R;
  for (int X : B) R.append(char(X));
  return R;
}

// The bytes of one property "P" with value V, as written inside a component.
QByteArray ValueBytes(const TStreamValue& V) {
  TStreamComponent C;
  C.ClassName = QStringLiteral("T");
  C.Properties.push_back({QStringLiteral("P"), V});
  const QByteArray All = WriteComponentStream(C);
  // "TPF0", class "T", empty name, name "P"; the value; the two end bytes.
  EXPECT_EQ(All.left(9), QByteArray("TPF0\x01T\x00\x01P", 9));
  return All.mid(9, All.size() - 9 - 2);
}

std::string Refusal(const QByteArray& Data) {
  try {
    ReadComponentStream(Data);
  } catch (const EComponentStreamError& E) {
    return E.what();
  }
  return "accepted";
}
}  // namespace

TEST(ComponentStream, EachKindOfValueHasItsBytes) {
  // Integers in the smallest type that holds them.
  EXPECT_EQ(ValueBytes(TStreamValue::OfInt(-128)), Bytes({2, 0x80}));
  EXPECT_EQ(ValueBytes(TStreamValue::OfInt(128)), Bytes({3, 0x80, 0}));
  EXPECT_EQ(ValueBytes(TStreamValue::OfInt(-32769)), Bytes({4, 0xFF, 0x7F, 0xFF, 0xFF}));
  EXPECT_EQ(ValueBytes(TStreamValue::OfInt(std::int64_t(1) << 31)),
            Bytes({19, 0, 0, 0, 0x80, 0, 0, 0, 0}));
  // 1.0 and -2.5 as 80-bit extended.
  EXPECT_EQ(ValueBytes(TStreamValue::OfFloat(1.0)),
            Bytes({5, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}));
  EXPECT_EQ(ValueBytes(TStreamValue::OfFloat(-2.5)),
            Bytes({5, 0, 0, 0, 0, 0, 0, 0, 0xA0, 0x00, 0xC0}));
  // Strings: short in code page 1252, long past 255 bytes, wide when 1252 cannot hold them.
  EXPECT_EQ(ValueBytes(TStreamValue::OfString(QStringLiteral("\u00E9\u20AC"))),
            Bytes({6, 2, 0xE9, 0x80}));
  const QByteArray Long = ValueBytes(TStreamValue::OfString(QString(300, QLatin1Char('a'))));
  EXPECT_EQ(Long.left(5), Bytes({12, 0x2C, 1, 0, 0}));
  EXPECT_EQ(Long.size(), 305);
  EXPECT_EQ(ValueBytes(TStreamValue::OfString(QStringLiteral("\u03C0"))),
            Bytes({18, 1, 0, 0, 0, 0xC0, 0x03}));
  EXPECT_EQ(ValueBytes(TStreamValue::OfIdent(QStringLiteral("clRed"))),
            Bytes({7, 5, 'c', 'l', 'R', 'e', 'd'}));
  EXPECT_EQ(ValueBytes(TStreamValue::OfBool(false)), Bytes({8}));
  EXPECT_EQ(ValueBytes(TStreamValue::OfBool(true)), Bytes({9}));
  EXPECT_EQ(
      ValueBytes(TStreamValue::OfSet({"fsBold", "fsItalic"})),
      Bytes({11, 6, 'f', 's', 'B', 'o', 'l', 'd', 8, 'f', 's', 'I', 't', 'a', 'l', 'i', 'c', 0}));
  EXPECT_EQ(ValueBytes(TStreamValue::OfList({TStreamValue::OfInt(1), TStreamValue::OfBool(true)})),
            Bytes({1, 2, 1, 9, 0}));
  TStreamValue Coll;
  Coll.Kind = skCollection;
  Coll.Elements = {{{QStringLiteral("A"), TStreamValue::OfInt(3)}}, {}};
  EXPECT_EQ(ValueBytes(Coll), Bytes({14, 1, 1, 'A', 2, 3, 0, 1, 0, 0}));
  TStreamValue Bin;
  Bin.Kind = skBinary;
  Bin.Bytes = QByteArray("\x01\x02", 2);
  EXPECT_EQ(ValueBytes(Bin), Bytes({10, 2, 0, 0, 0, 1, 2}));
  TStreamValue Nil;
  Nil.Kind = skNil;
  EXPECT_EQ(ValueBytes(Nil), Bytes({13}));
}

TEST(ComponentStream, ComponentsRoundTripWithTheirChildren) {
  TStreamComponent Root;
  Root.ClassName = QStringLiteral("TChart");
  Root.Name = QStringLiteral("Chart1");
  Root.Properties = {
      {QStringLiteral("Title.Font.Color"), TStreamValue::OfIdent("clRed")},
      {QStringLiteral("Width"), TStreamValue::OfInt(70000)},
      {QStringLiteral("Text"), TStreamValue::OfString(QStringLiteral("\u03C0 r\u00B2"))}};
  TStreamComponent Child;
  Child.ClassName = QStringLiteral("TLineSeries");
  Child.Name = QStringLiteral("Series1");
  Child.Properties = {{QStringLiteral("Offset"), TStreamValue::OfFloat(-1e-310)}};
  Root.Children = {Child, Child};
  const QByteArray Data = WriteComponentStream(Root);
  EXPECT_EQ(Data.left(12), QByteArray("TPF0\x06TChart\x06", 12));
  EXPECT_EQ(Data.right(2), QByteArray(2, '\0'));
  const TStreamComponent Back = ReadComponentStream(Data);
  EXPECT_EQ(Back.ClassName, Root.ClassName);
  EXPECT_EQ(Back.Name, Root.Name);
  EXPECT_EQ(Back.Properties, Root.Properties);
  ASSERT_EQ(Back.Children.size(), 2u);
  EXPECT_EQ(Back.Children[1].Properties, Child.Properties);
  // What follows a stream is left to the caller.
  qsizetype Pos = 0;
  ReadComponentStream(Data + "rest", Pos);
  EXPECT_EQ(Pos, Data.size());

  // Doubles survive the extended form exactly, subnormals and extremes too; an extended beyond
  // the double range reads as an infinity.
  for (double V : {0.1, -0.0, 5e-324, 2.2250738585072014e-308, 1.7976931348623157e308,
                   std::numeric_limits<double>::infinity()}) {
    unsigned char E[10];
    DoubleToExtended(V, E);
    EXPECT_EQ(ExtendedToDouble(E), V);
    EXPECT_EQ(std::signbit(ExtendedToDouble(E)), std::signbit(V));
  }
  const unsigned char Huge[10] = {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x7F - 1};
  EXPECT_TRUE(std::isinf(ExtendedToDouble(Huge)));

  TColor C = 0;
  EXPECT_EQ(ColorToIdent(clBtnFace), u"clBtnFace");
  EXPECT_TRUE(ColorToIdent(RGB(1, 2, 3)).isEmpty());
  EXPECT_TRUE(IdentToColor(QStringLiteral("clltgray"), C) && C == clSilver);
  EXPECT_FALSE(IdentToColor(QStringLiteral("clPlaid"), C));
}

TEST(ComponentStream, DamagedOrHostileStreamsAreRefused) {
  TStreamComponent Root;
  Root.ClassName = QStringLiteral("TChart");
  Root.Properties = {{QStringLiteral("L"), TStreamValue::OfList({TStreamValue::OfInt(1)})}};
  const QByteArray Good = WriteComponentStream(Root);
  for (int n = 0; n < Good.size(); ++n) EXPECT_NE(Refusal(Good.left(n)), "accepted") << n;
  EXPECT_EQ(Refusal(Good + "x"), "bytes after the end");
  EXPECT_EQ(Refusal("TPF1" + Good.mid(4)), "no component stream signature");
  EXPECT_EQ(Refusal(QByteArray("TPF0\x00\x00\x00\x00", 8)), "a component has no class name");
  EXPECT_EQ(Refusal(QByteArray("TPF0\x01T\x00\x01P\x10\x00\x00", 12)), "unknown kind of value 16");
  EXPECT_EQ(Refusal(QByteArray("TPF0\x01T\x00\x01P\x0A\xFF\xFF\xFF\xFF\x00\x00", 15)),
            "a text is too long");
  EXPECT_EQ(Refusal(QByteArray("TPF0\x01T\x00\x01P\x0E\x02\x00\x00\x00", 14)),
            "a collection item is not a list");
  // Lists inside lists past the depth limit, and more items than the limit, are refused before
  // they are built.
  QByteArray Nested("TPF0\x01T\x00\x01P", 9);
  for (int i = 0; i < 100000; ++i) Nested.append('\x01');
  EXPECT_EQ(Refusal(Nested), "objects nested too deep");
  TStreamLimits Few;
  Few.MaxItems = 3;
  Root.Properties[0].Value.Items.resize(3, TStreamValue::OfInt(0));
  try {
    ReadComponentStream(WriteComponentStream(Root), Few);
    ADD_FAILURE() << "accepted";
  } catch (const EComponentStreamError& E) {
    EXPECT_STREQ(E.what(), "too many items");
  }
}
