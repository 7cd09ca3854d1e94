#include "platform/codepage.h"
#include "platform/string_list.h"
#include "platform/text_file.h"
#include "test_util.h"

#include <gtest/gtest.h>
#include <QTemporaryDir>

TEST(Codepage, EveryByteHasItsCharacterAndBack) {
  const std::map<int, char16_t> Specials = {
      {0x80, 0x20AC}, {0x82, 0x201A}, {0x83, 0x0192}, {0x84, 0x201E}, {0x85, 0x2026},
      {0x86, 0x2020}, {0x87, 0x2021}, {0x88, 0x02C6}, {0x89, 0x2030}, {0x8A, 0x0160},
      {0x8B, 0x2039}, {0x8C, 0x0152}, {0x8E, 0x017D}, {0x91, 0x2018}, {0x92, 0x2019},
      {0x93, 0x201C}, {0x94, 0x201D}, {0x95, 0x2022}, {0x96, 0x2013}, {0x97, 0x2014},
      {0x98, 0x02DC}, {0x99, 0x2122}, {0x9A, 0x0161}, {0x9B, 0x203A}, {0x9C, 0x0153},
      {0x9E, 0x017E}, {0x9F, 0x0178}};
  for (int b = 0; b < 256; ++b) {
    char16_t Expected = static_cast<char16_t>(b);
    if (auto it = Specials.find(b); it != Specials.end()) Expected = it->second;
    EXPECT_EQ(Cp1252ToUnicode(static_cast<unsigned char>(b)), Expected) << b;
    EXPECT_EQ(UnicodeToCp1252(Cp1252ToUnicode(static_cast<unsigned char>(b))), b) << b;
  }
  // The engine's own characters.
  EXPECT_EQ(UnicodeToCp1252(U'\u00B2'), 0xB2);
  EXPECT_EQ(UnicodeToCp1252(U'\u00B3'), 0xB3);
  EXPECT_EQ(UnicodeToCp1252(U'\u00BD'), 0xBD);
  EXPECT_EQ(UnicodeToCp1252(U'\u00B6'), 0xB6);
  // Characters outside the code page never become "?" or a control byte.
  for (char32_t c : {U'\u03C0', U'\u221A', U'\U0001F600', U'\u4E2D'}) {
    unsigned char b = UnicodeToCp1252(c);
    EXPECT_EQ(b, Cp1252Replacement);
    EXPECT_NE(b, '?');
    EXPECT_GE(b, 0xA0);
  }
  QString S = QString::fromUtf8(
      "x\xC2\xB2+\xE2\x82\xAC\xF0\x9F\x98\x80");  // x² + € + emoji (a surrogate pair)
  std::string Bytes = ToCp1252(S);
  EXPECT_EQ(Bytes, std::string("x\xB2+\x80\xA4"));
  EXPECT_EQ(FromCp1252("x\xB2+\x80"), QString::fromUtf8("x\xC2\xB2+\xE2\x82\xAC"));
}

TEST(TextFile, ReadsAnyLineEndAndEitherEncoding) {
  QTemporaryDir Dir;
  const QString F = Dir.filePath("t.txt");
  QStringList L;
  ASSERT_TRUE(PutBytes(F, "one\r\ntwo\nthree\rfour\r\n\r\nsix"));
  ASSERT_TRUE(ReadTextLines(F, L));
  EXPECT_EQ(L, (QStringList{"one", "two", "three", "four", "", "six"}));

  ASSERT_TRUE(PutBytes(F,
                       "\xEF\xBB\xBF"
                       "caf\xC3\xA9\n"));  // UTF-8 with a byte-order mark
  ASSERT_TRUE(ReadTextLines(F, L));
  EXPECT_EQ(L, QStringList{QString::fromUtf8("caf\xC3\xA9")});

  ASSERT_TRUE(PutBytes(F, QByteArray("\xFF\xFE[\0A\0]\0\r\0\n\0k\0=\0\xAC\x20", 18)));  // UTF-16LE
  ASSERT_TRUE(ReadTextLines(F, L));
  EXPECT_EQ(L, (QStringList{"[A]", QString::fromUtf8("k=\xE2\x82\xAC")}));
  ASSERT_TRUE(PutBytes(F, QByteArray("\xFE\xFF\0[\0A\0]\0\n\x20\xAC", 12)));  // UTF-16BE
  ASSERT_TRUE(ReadTextLines(F, L));
  EXPECT_EQ(L, (QStringList{"[A]", QString::fromUtf8("\xE2\x82\xAC")}));

  ASSERT_TRUE(PutBytes(F, "caf\xE9 \x80\r\n"));  // not UTF-8: code page 1252
  ASSERT_TRUE(ReadTextLines(F, L));
  EXPECT_EQ(L, QStringList{QString::fromUtf8("caf\xC3\xA9 \xE2\x82\xAC")});

  ASSERT_TRUE(PutBytes(F, QByteArray("a\0b\xC0\xAF", 5)));  // overlong UTF-8 and a NUL: still read
  ASSERT_TRUE(ReadTextLines(F, L));
  EXPECT_EQ(L.size(), 1);

  ASSERT_TRUE(PutBytes(F, ""));
  ASSERT_TRUE(ReadTextLines(F, L));
  EXPECT_TRUE(L.isEmpty());
}

TEST(TextFile, WritesUtf8WithLfAtomically) {
  QTemporaryDir Dir;
  const QString F = Dir.filePath("w.txt");
  ASSERT_TRUE(WriteTextLines(F, {QString::fromUtf8("\xC2\xB2"), "", "end"}));
  EXPECT_EQ(ReadBytes(F), QByteArray("\xC2\xB2\n\nend\n"));

  // A path below a regular file cannot be created, even by root: the write
  // fails, says so, and nothing is left behind.
  EXPECT_EQ(WriteTextLines(F + "/sub.txt", {"x"}).Why, "Not a directory");
  EXPECT_EQ(ReadBytes(F), QByteArray("\xC2\xB2\n\nend\n"));
}

// What is no character (a UTF-16 file's odd last byte, a unit without its pair, a bad byte after a
// UTF-8 mark) reads as U+FFFD, never dropped or "?"; a U+FEFF that starts a line is text.
TEST(TextFile, BytesThatAreNoCharacterAreNotDroppedAndStayOffTheTextAround) {
  QTemporaryDir Dir;
  const QString F = Dir.filePath("t.txt"), Bad = QString(QChar::ReplacementCharacter);
  const QString Feff = QString(QChar(0xFEFF));
  QStringList L;
  ASSERT_TRUE(PutBytes(F, QByteArray("\xFF\xFE\xFF\xFE"
                                     "a\0\n\0b\0=\0\x01\xD8\n\0Z",
                                     17)));
  ASSERT_TRUE(ReadTextLines(F, L));
  EXPECT_EQ(L, (QStringList{Feff + "a", "b=" + Bad, Bad}));
  ASSERT_TRUE(WriteTextLines(F, L));
  EXPECT_EQ(ReadBytes(F), QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF"
                                     "a\nb=\xEF\xBF\xBD\n\xEF\xBF\xBD\n"));
  ASSERT_TRUE(ReadListLines(F, L));
  EXPECT_EQ(L, (QStringList{Feff + "a", "b=" + Bad, Bad}));
  ASSERT_TRUE(WriteTextLines(F, {QString(QChar(0xD801)) + "x"}));  // never "?"
  EXPECT_EQ(ReadBytes(F), QByteArray("\xEF\xBF\xBDx\n"));
  ASSERT_TRUE(PutBytes(F, "\xEF\xBB\xBF[S]\nk=\xE9\n"));
  ASSERT_TRUE(ReadTextLines(F, L));
  EXPECT_EQ(L, (QStringList{"[S]", "k=" + Bad}));
}

TEST(StringList, ListSemantics) {
  TStringList L;
  L.Add("beta");
  L.Add("Alpha");
  L.Add("gamma");
  EXPECT_EQ(L.IndexOf("ALPHA"), 1);  // search ignores case by default
  L.SetCaseSensitive(true);
  EXPECT_EQ(L.IndexOf("ALPHA"), -1);
  L.SetCaseSensitive(false);
  L.SetSorted(true);
  EXPECT_EQ(L.List(), (QStringList{"Alpha", "beta", "gamma"}));
  EXPECT_EQ(L.Add("BETA"), 1);  // dupIgnore: the existing one
  EXPECT_EQ(L.Count(), 3);
  L.SetDuplicates(dupAccept);
  EXPECT_EQ(L.Add("Delta"), 2);
  EXPECT_EQ(L.Add("beta"), 1);
  EXPECT_EQ(L.Count(), 5);
  L.SetDuplicates(dupError);
  EXPECT_THROW(L.Add("gamma"), EStringListError);
  EXPECT_THROW(L.Insert(0, "x"), EStringListError);
  EXPECT_THROW(L.Strings(5), EStringListError);
  EXPECT_THROW(L.Delete(-1), EStringListError);

  TStringList V;
  V.SetText("pi = 3.14\r\nName=Value=2\nnoequals");
  EXPECT_EQ(V.Count(), 3);
  EXPECT_EQ(V.Names(0), "pi ");
  EXPECT_EQ(V.Values("NAME"), "Value=2");
  EXPECT_EQ(V.Names(2), "");
  V.SetValue("name", "");
  EXPECT_EQ(V.Count(), 2);
  V.SetValue("e", "2.7");
  EXPECT_EQ(V.Strings(2), "e=2.7");
  EXPECT_EQ(V.Text(), "pi = 3.14\nnoequals\ne=2.7\n");
  V.Move(2, 0);
  V.Exchange(1, 2);
  EXPECT_EQ(V.List(), (QStringList{"e=2.7", "noequals", "pi = 3.14"}));
}

TEST(StringList, FilesRoundTripAndFailuresKeepTheList) {
  QTemporaryDir Dir;
  TStringList L({"a",
                 QString::fromUtf8("\xC2\xBD"
                                   "x"),
                 ""});
  const QString F = Dir.filePath("l.txt");
  ASSERT_TRUE(L.SaveToFile(F));
  TStringList M;
  ASSERT_TRUE(M.LoadFromFile(F));
  EXPECT_EQ(M.List(), L.List());
  EXPECT_FALSE(M.LoadFromFile(Dir.filePath("none")));
  EXPECT_EQ(M.List(), L.List());
  EXPECT_FALSE(M.SaveToFile(F + "/x"));
}
