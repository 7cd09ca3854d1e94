#include "platform/ini_file.h"
#include "test_util.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QTemporaryDir>

namespace {
QString CopyToTemp(const QTemporaryDir& Dir, const char* Name) {
  QString F = Dir.filePath(QString::fromUtf8(Name));
  QFile::copy(DataFile(Name), F);
  QFile::setPermissions(F, QFile::ReadOwner | QFile::WriteOwner);
  return F;
}
}  // namespace

TEST(IniFile, ReadsTolerantlyWithoutRegardToCase) {
  QTemporaryDir Dir;
  TIniFile Ini(CopyToTemp(Dir, "corrupt.ini"));
  EXPECT_FALSE(Ini.ReadFailed());
  EXPECT_EQ(Ini.ReadInteger("calc settings", "NOTATION", 0), 2);  // trimmed
  EXPECT_EQ(Ini.ReadInteger("Calc Settings", "Digits", 12), 14);  // first duplicate wins
  EXPECT_FALSE(Ini.ReadBool("Calc Settings", "ShowComp", true));  // merged from the duplicate
  EXPECT_TRUE(Ini.ReadBool("Calc Settings", "Hint", false));      // any non-zero is true
  EXPECT_TRUE(Ini.ReadBool("Calc Settings", "Angle", true));      // not a number: default
  EXPECT_FALSE(Ini.ReadBool("Calc Settings", "Angle", false));
  EXPECT_EQ(Ini.ReadString("Graphics", "Title", ""), "f(x) = sin(x)");
  EXPECT_EQ(Ini.ReadInteger("Calc", "Left", 0), 16);
  EXPECT_EQ(Ini.ReadInteger("Calc", "Top", 0), 32);
  EXPECT_DOUBLE_EQ(Ini.ReadFloat("Calc", "Scale", 0), 0.0015);
  EXPECT_EQ(Ini.ReadFloat("Calc", "Bad", 9), 9);
  EXPECT_EQ(Ini.ReadString("Nowhere", "x", "dflt"), "dflt");
  EXPECT_FALSE(Ini.ValueExists("Calc Settings", "lost"));
  EXPECT_FALSE(Ini.ValueExists("broken header", "lost"));
  EXPECT_EQ(Ini.ReadSections(), (QStringList{"Calc Settings", "Graphics", "Calc"}));
  EXPECT_EQ(Ini.ReadSection("CALC SETTINGS"),
            (QStringList{"Notation", "Digits", "Hint", "Angle", "ShowComp"}));
}

TEST(IniFile, WritesAndReadsBack) {
  QTemporaryDir Dir;
  const QString F = Dir.filePath("Numyx.INI");
  {
    TIniFile Ini(F);
    Ini.WriteInteger("Calc Settings", "Digits", 14);
    Ini.WriteBool("Calc Settings", "Hint", true);
    Ini.WriteBool("Calc Settings", "Assistant", false);
    Ini.WriteString("Graphics", "Title", "  two\nlines  ");
    Ini.WriteFloat("fmPlot2DChart", "Plot_View3D", 0.033333);
    Ini.WriteInteger("fmPlot2DChart", "Plot_Color", static_cast<int>(0x8000000Fu));
    Ini.WriteString("calc settings", "DIGITS", "15");  // same key, other case
    EXPECT_EQ(Ini.ReadInteger("Calc Settings", "Digits", 0), 15);
    ASSERT_TRUE(Ini.UpdateFile());
  }
  EXPECT_EQ(ReadBytes(F),
            QByteArray(
                "[Calc Settings]\nDigits=15\nHint=1\nAssistant=0\n\n[Graphics]\nTitle=two lines\n\n"
                "[fmPlot2DChart]\nPlot_View3D=0.033333\nPlot_Color=-2147483633\n"));
  TIniFile Ini(F);
  Ini.DeleteKey("Calc Settings", "hint");
  Ini.EraseSection("GRAPHICS");
  EXPECT_FALSE(Ini.ValueExists("Calc Settings", "Hint"));
  EXPECT_FALSE(Ini.SectionExists("Graphics"));
  ASSERT_TRUE(Ini.UpdateFile());
  EXPECT_EQ(ReadBytes(F), QByteArray("[Calc "
                                     "Settings]\nDigits=15\nAssistant=0\n\n[fmPlot2DChart]\nPlot_"
                                     "View3D=0.033333\nPlot_Color=-2147483633\n"));
}

TEST(IniFile, CrlfLinesStayAndTwoObjectsKeepEachOthersKeys) {
  QTemporaryDir Dir;
  const QString F = Dir.filePath("s.ini");
  ASSERT_TRUE(PutBytes(F, "[A]\r\nx=1\r\n"));
  TIniFile First(F);
  TIniFile Second(F);
  First.WriteInteger("A", "y", 2);
  Second.WriteInteger("B", "z", 3);
  ASSERT_TRUE(First.UpdateFile());
  ASSERT_TRUE(Second.UpdateFile());
  EXPECT_EQ(ReadBytes(F), QByteArray("[A]\r\nx=1\r\ny=2\n\n[B]\nz=3\n"));
  EXPECT_EQ(Second.ReadInteger("A", "y", 0), 2);  // the saved file is what it now holds
  // A byte-order mark, lone CRs and a last line without an end stay; new lines follow it.
  ASSERT_TRUE(PutBytes(F, "\xEF\xBB\xBF[A]\rx=1\r[B]\rw=\xC3\xA9"));
  TIniFile Third(F);
  Third.WriteInteger("A", "x", 5);
  Third.WriteInteger("B", "v", 6);
  ASSERT_TRUE(Third.UpdateFile());
  EXPECT_EQ(ReadBytes(F), QByteArray("\xEF\xBB\xBF[A]\rx=5\r[B]\rw=\xC3\xA9\rv=6\r"));
}

// Text not in UTF-8 is converted in pieces of a mebibyte: characters that straddle a piece's end
// (a UTF-16 surrogate pair, a four-byte UTF-8 sequence) come through whole both ways.
TEST(IniFile, LargeUtf16FileKeepsCharactersAcrossPieces) {
  QTemporaryDir Dir;
  const QString F = Dir.filePath("s.ini");
  const QString Face = QString::fromUtf8("\xF0\x9F\x98\x80");
  const QString Value = QString(524281, u'x') + Face + QString(524283, u'y') + Face;
  QByteArray Bytes;
  ASSERT_TRUE(EncodeText("[A]\nk=" + Value + "\n", TTextEncoding::Utf16Le, Bytes));
  ASSERT_TRUE(PutBytes(F, Bytes));
  TIniFile Ini(F);
  EXPECT_EQ(Ini.ReadString("A", "k", ""), Value);
  Ini.WriteInteger("A", "v", 1);
  ASSERT_TRUE(Ini.UpdateFile());
  ASSERT_TRUE(EncodeText("[A]\nk=" + Value + "\nv=1\n", TTextEncoding::Utf16Le, Bytes));
  EXPECT_TRUE(ReadBytes(F) == Bytes);
}

namespace {
// UTF-16LE with its byte-order mark; Units may hold a unit without its pair.
QByteArray Utf16(std::u16string_view Units, QByteArrayView After = {}) {
  QByteArray B("\xFF\xFE");
  for (char16_t U : Units) {
    B += static_cast<char>(U & 0xFF);
    B += static_cast<char>(U >> 8);
  }
  return B + After.toByteArray();
}
}  // namespace

// Read, change one thing, save: the bytes are what they were but for that change, and every key
// reads back from the file as it read in memory.
TEST(IniFile, SavedFileHoldsWhatWasReadAndReadsBackTheSame) {
  struct TCase {
    const char* What;
    QByteArray In;
    bool Trimmed;
    char Op;  // 'w' write, 'd' delete the key, 'e' erase the section
    QString Section, Key, Value;
    QByteArray Out;  // empty: the file is not touched
    QString Read;    // what Section/Key reads after the save
  };
  const QString Bad = QString(QChar::ReplacementCharacter);
  const TCase Cases[] = {
      {"UTF-16 odd last byte", Utf16(u"[S]\nk=1\n", "A"), true, 'w', "S", "z", "2",
       Utf16(u"[S]\nk=1\nz=2\n", "A"), "2"},
      {"UTF-16 new section before the odd byte", Utf16(u"[S]\nk=1", "A"), true, 'w', "T", "z", "2",
       Utf16(u"[S]\nk=1\n\n[T]\nz=2\n", "A"), "2"},
      {"UTF-16 unpaired surrogate", Utf16(u"[S]\nc=\xD801\n"), true, 'w', "S", "k", "1",
       Utf16(u"[S]\nc=\xD801\nk=1\n"), "1"},
      {"UTF-16 U+FEFF after the mark", Utf16(u"\xFEFF\n[S]\nk=1\n"), true, 'w', "S", "k", "2",
       Utf16(u"\xFEFF\n[S]\nk=2\n"), "2"},
      {"untrimmed key without =", "[Plot]\nColor\nWidth=2\n", false, 'w', "Plot", "Color", "255",
       "[Plot]\nColor=255\nWidth=2\n", "255"},
      {"1252 that would read as UTF-8", "[S]\nx=\xC3\xA9\nz=\xE9\n", true, 'w', "S", "z", "1",
       "[S]\nx=\xC3\x83\xC2\xA9\nz=1\n", "1"},
      {"UTF-8 mark before invalid UTF-8", "\xEF\xBB\xBF[S]\nk=1\nb=\xFF\n", true, 'w', "S", "k",
       "2", "\xEF\xBB\xBF[S]\nk=2\nb=\xFF\n", "2"},
      {"key like a header start", "[S]\n", true, 'w', "S", "[x", "1", {}, {}},
      {"key like a header", "[S]\n", true, 'w', "S", "[a]", "1", {}, {}},
      {"key like a comment", "[S]\n", true, 'w', "S", ";k", "1", {}, {}},
      {"key with =", "[S]\n", false, 'w', "S", "k=v", "1", {}, {}},
      {"section with ]", "[S]\n", true, 'w', "a]b", "k", "1", {}, {}},
      {"name with blanks trimmed", "[S]\n", true, 'w', "S", " k ", "1", {}, {}},
      {"untrimmed key line that is a header", "[S]\n", false, 'w', "S", "[a", "b]", {}, {}},
      {"new key in a repeated section", "[A]\nx=1\n[B]\ny=1\n[A]\nz=1\n", true, 'w', "A", "w", "2",
       "[A]\nx=1\nw=2\n[B]\ny=1\n[A]\nz=1\n", "2"},
      {"CR-only file", "[A]\rx=1\r", true, 'w', "B", "z", "3", "[A]\rx=1\r\r[B]\rz=3\r", "3"},
      {"deleted key uncovers its copy",
       "[A]\nk=1\n[B]\n[A]\nk=2\n",
       true,
       'd',
       "A",
       "k",
       {},
       "[A]\n[B]\n[A]\nk=2\n",
       "2"},
      {"erased section, trimmed",
       "[A]\nx=1\n[B]\ny=1\n[A]\nz=1\n",
       true,
       'e',
       "a",
       {},
       {},
       "[B]\ny=1\n",
       {}},
      {"erased section uncovers its copy",
       "[A]\nx=1\n[A]\nx=2\n",
       false,
       'e',
       "A",
       "x",
       {},
       "[A]\nx=2\n",
       "2"},
  };
  QTemporaryDir Dir;
  const QString F = Dir.filePath("s.ini");
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.What);
    ASSERT_TRUE(PutBytes(F, C.In));
    TIniDocument Doc(C.Trimmed);
    ASSERT_TRUE(LoadIniDocument(F, Doc));
    TIniChanges Changes;
    if (C.Op == 'w' && Doc.Write(C.Section, C.Key, C.Value))
      Changes.Write(C.Section, C.Key, C.Value);
    if (C.Op == 'd') Doc.DeleteKey(C.Section, C.Key), Changes.DeleteKey(C.Section, C.Key);
    if (C.Op == 'e') Doc.EraseSection(C.Section), Changes.EraseSection(C.Section);
    EXPECT_EQ(Changes.Empty(), C.Out.isEmpty());
    ASSERT_TRUE(Changes.Save(F, Doc));
    EXPECT_EQ(ReadBytes(F), C.Out.isEmpty() ? C.In : C.Out);
    TIniDocument Back(C.Trimmed);
    ASSERT_TRUE(LoadIniDocument(F, Back));
    EXPECT_EQ(Back.Sections(), Doc.Sections());
    for (const QString& S : Doc.Sections()) EXPECT_EQ(Back.KeyValues(S), Doc.KeyValues(S));
    EXPECT_EQ(Back.Find(C.Section, C.Key).value_or(QString()), C.Read);
  }
  // What cannot be a character reads as U+FFFD, and the mark stays apart from the first header.
  TIniDocument Doc;
  Doc.SetUtf8("[S]\nb=\xF4\x90\x83\xBF\n", TTextEncoding::Utf8Bom);
  EXPECT_EQ(Doc.Find("S", "b"), Bad);
}

TEST(IniFile, FailuresAreReportedAndNeverLoseTheFile) {
  QTemporaryDir Dir;
  // Writing below a regular file fails for anyone, root included.
  const QString Blocker = Dir.filePath("plain");
  ASSERT_TRUE(PutBytes(Blocker, "x"));
  {
    TIniFile Ini(Blocker + "/Numyx.INI");
    Ini.WriteInteger("S", "k", 1);
    EXPECT_FALSE(Ini.UpdateFile().Why.isEmpty());
    EXPECT_TRUE(Ini.Modified());  // the change stays pending
    EXPECT_EQ(Ini.ReadInteger("S", "k", 0), 1);
  }  // the destructor tries again and fails quietly
  EXPECT_EQ(ReadBytes(Blocker), QByteArray("x"));

  // A "file" that exists but cannot be read as a file (a directory) is left alone.
  const QString AsDir = Dir.filePath("dir.ini");
  ASSERT_TRUE(QDir().mkdir(AsDir));
  TIniFile Ini(AsDir);
  EXPECT_TRUE(Ini.ReadFailed());
  EXPECT_EQ(Ini.ReadInteger("S", "k", 5), 5);
  Ini.WriteInteger("S", "k", 1);
  EXPECT_FALSE(Ini.UpdateFile());
  EXPECT_TRUE(QFileInfo(AsDir).isDir());
}
