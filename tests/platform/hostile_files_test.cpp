// What the file layer does with files that are not what they should be: devices, pipes,
// directories, files larger than the limit, full disks, and INI files with lines no reader takes.
#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "platform/ini_file.h"
#include "platform/metafile_writer.h"
#include "platform/text_file.h"
#include "small_disk.h"
#include "test_util.h"
#include "tests/support/file_rights.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <cerrno>

namespace {
QByteArray Lines(int Count, const char* Pattern) {
  QByteArray B;
  for (int I = 0; I < Count; ++I) B += QByteArray(Pattern).replace("#", QByteArray::number(I));
  return B;
}
}  // namespace

TEST(HostileFiles, OnlyRegularFilesAreReadAndNothingHangs) {
  QTemporaryDir Dir;
  const QString Fifo = Dir.filePath("fifo");
  ASSERT_EQ(::mkfifo(QFile::encodeName(Fifo).constData(), 0600), 0);
  const QString Zero = Dir.filePath("zero"), Random = Dir.filePath("random");
  ASSERT_TRUE(QFile::link("/dev/zero", Zero));
  ASSERT_TRUE(QFile::link("/dev/urandom", Random));
  const QString Sub = Dir.filePath("sub");
  ASSERT_TRUE(QDir().mkdir(Sub));
  struct TCase {
    QString File;
    TFileError Code;
    const char* Says;
  };
  const TCase Cases[] = {
      {Fifo, TFileError::NotRegular, "is not a regular file"},
      {Zero, TFileError::NotRegular, "is not a regular file"},
      {Random, TFileError::NotRegular, "is not a regular file"},
      {Sub, TFileError::Directory, "is a directory"},
      {Dir.filePath("none"), TFileError::Missing, "does not exist"},
  };
  for (const TCase& C : Cases) {
    QStringList L{"kept"};
    QString Error;
    TReadStatus S;
    EXPECT_FALSE(ReadTextLines(C.File, L, &Error, &S)) << C.File.toStdString();
    EXPECT_EQ(S.Code, C.Code) << C.File.toStdString();
    EXPECT_TRUE(Error.contains(C.Says)) << Error.toStdString();
    EXPECT_TRUE(Error.contains(C.File)) << Error.toStdString();
    EXPECT_EQ(L, QStringList{"kept"});
  }
  // A writer refuses to replace what is no regular file.
  EXPECT_EQ(WriteTextLines(Sub, {"x"}).Code, TFileError::Directory);
  EXPECT_TRUE(QFileInfo(Sub).isDir());
  const TFileStatus S = WriteTextLines(Zero, {"x"});
  EXPECT_TRUE(QFileInfo(Zero).isSymLink());
  EXPECT_EQ(FileFailureText(S),
            "The file " + Zero + " could not be written: it is not a regular file");

  // The limit holds for the bytes read, not only for the size reported.
  const QString Big = Dir.filePath("big");
  ASSERT_TRUE(PutBytes(Big, QByteArray(5000, 'a')));
  QByteArray B;
  EXPECT_EQ(ReadFileBytes(Big, B, 4096).Code, TFileError::TooLarge);
  EXPECT_TRUE(ReadFileBytes(Big, B, 5000).Ok());
  EXPECT_EQ(B.size(), 5000);
}

TEST(HostileFiles, AFullDiskKeepsTheOldFileAndSaysSo) {
  TSmallDisk Disk;
  SKIP_WITHOUT_SMALL_DISK(Disk);
  const QString F = Disk.Path("Numyx.INI");
  const QByteArray Old = "[Calc]\nLeft=1\n";
  ASSERT_TRUE(WriteFileBytes(F, Old));
  Disk.Fill();
  // Small (buffered) and large writes alike.
  const TFileStatus S = WriteTextLines(F, {"[Calc]", "Left=2"});
  EXPECT_EQ(S.Errno, ENOSPC);
  EXPECT_EQ(S.Why, "No space left on device");
  EXPECT_EQ(WriteFileBytes(F, QByteArray(200000, 'y')).Errno, ENOSPC);
  EXPECT_EQ(ReadBytes(F), Old);
  {
    TIniFile Ini(F);
    Ini.WriteInteger("Calc", "Left", 3);
    EXPECT_EQ(Ini.UpdateFile().Errno, ENOSPC);
    EXPECT_TRUE(Ini.Modified());
  }  // the destructor's try fails quietly too
  EXPECT_EQ(ReadBytes(F), Old);
  // No temporary file is left behind to eat the space.
  EXPECT_EQ(QDir(Disk.Path("")).entryList(QDir::Files | QDir::Hidden).size(), 2);
  Disk.Free();
  ASSERT_TRUE(WriteTextLines(F, {"[Calc]", "Left=4"}));
  EXPECT_EQ(ReadBytes(F), "[Calc]\nLeft=4\n");
}

TEST(HostileFiles, AReadOnlyFolderKeepsItsFilesAndSaysSo) {
  TReadOnlyFolder Folder;
  const QString F = Folder.Path("Numyx.INI");
  const QByteArray Old = "; mine\n[Calc]\nLeft=1\n";
  ASSERT_TRUE(WriteFileBytes(F, Old));
  if (!Folder.Lock()) GTEST_SKIP() << "read-only case not run: " << Folder.Reason();
  TIniFile Ini(F);
  EXPECT_FALSE(Ini.ReadFailed());
  EXPECT_EQ(Ini.ReadInteger("Calc", "Left", 0), 1);
  Ini.WriteInteger("Calc", "Left", 2);
  EXPECT_FALSE(Ini.UpdateFile().Why.isEmpty());
  EXPECT_EQ(ReadBytes(F), Old);
  EXPECT_FALSE(WriteTextLines(Folder.Path("new.txt"), {"x"}));
  EXPECT_FALSE(QFile::exists(Folder.Path("new.txt")));
}

TEST(HostileFiles, AReadOnlyFileIsRefusedAndAClosedFolderIsWrittenInPlace) {
  QTemporaryDir Dir;
  const QString Locked = Dir.filePath("locked.pic"), Sub = Dir.filePath("closed");
  const QString Kept = Sub + "/kept.pic";
  ASSERT_TRUE(PutBytes(Locked, "old"));
  ASSERT_TRUE(QDir().mkdir(Sub));
  ASSERT_TRUE(PutBytes(Kept, "old contents"));
  QFile::setPermissions(Locked, QFile::ReadOwner);
  QFile::setPermissions(Sub, QFile::ReadOwner | QFile::ExeOwner);
  TBitmap B(3, 3);
  {
    TScopedFileRights Rights;
    ASSERT_TRUE(TScopedFileRights::CannotCreateIn(Sub));
    // Every writer: bitmaps, metafiles, text.
    EXPECT_EQ(B.SaveToFile(Locked).Text(), Locked + " is read-only");
    auto Sink = CreateMetafileWriter(TMetafileFormat::Emf, Locked, 10, 10);
    TCanvas(Sink.get()).Rectangle(1, 1, 5, 5);
    EXPECT_EQ(Sink->Finish().Code, TFileError::ReadOnly);
    EXPECT_EQ(WriteTextLines(Locked, {"x"}).Code, TFileError::ReadOnly);
    EXPECT_EQ(ReadBytes(Locked), "old");

    const TFileStatus S = B.SaveToFile(Kept);
    ASSERT_TRUE(S) << S.Text().toStdString();
    EXPECT_EQ(ReadBytes(Kept), B.SaveToData());
    ASSERT_TRUE(WriteFileBytes(Kept, "ab"));  // a shorter file is cut to its length
    EXPECT_EQ(ReadBytes(Kept), "ab");
    EXPECT_EQ(WriteFileBytes(Sub + "/new.pic", "x").FileName, Sub + "/new.pic");
  }
  QFile::setPermissions(Sub, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  EXPECT_EQ(QDir(Sub).entryList(QDir::Files | QDir::Hidden), QStringList{"kept.pic"});
  // With all of root's rights too.
  EXPECT_EQ(WriteFileBytes(Locked, "new").Code, TFileError::ReadOnly);
  EXPECT_EQ(ReadBytes(Locked), "old");
}

// In a folder that takes no new file, a rewrite in place that meets a full disk, before the
// first byte or midway, leaves the old file whole.
TEST(HostileFiles, AFailedRewriteInPlaceKeepsTheOldFile) {
  const QByteArray Old = QByteArray(20000, 'o') + "end\n", New(40000, 'n');
  const auto Closed = [&](const QString& Folder, const auto& Fill) {
    const QString F = Folder + "/Numyx.HST";
    ASSERT_TRUE(PutBytes(F, Old));
    QFile::setPermissions(Folder, QFile::ReadOwner | QFile::ExeOwner);
    Fill();
    {
      TScopedFileRights Rights;
      ASSERT_TRUE(TScopedFileRights::CannotCreateIn(Folder));
      EXPECT_EQ(WriteFileBytes(F, New).Text(), F + ": No space left on device");
    }
    QFile::setPermissions(Folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(ReadBytes(F), Old);
  };
  QTemporaryDir Dir;
  Closed(Dir.path(), [] { SetFailWritesAfter(4096); });
  SetFailWritesAfter(-1);
  TSmallDisk Disk;
  SKIP_WITHOUT_SMALL_DISK(Disk);
  Closed(Disk.Path("").chopped(1), [&] { Disk.Fill(); });
  // A disk without a free file entry takes no new file either, though it has room: in place.
  TSmallDisk NoEntries("size=256k,nr_inodes=8");
  SKIP_WITHOUT_SMALL_DISK(NoEntries);
  const QString F = NoEntries.Path("Numyx.HST");
  ASSERT_TRUE(PutBytes(F, Old));
  NoEntries.FillEntries();
  const TFileStatus S = WriteFileBytes(F, New);
  EXPECT_TRUE(S) << S.Text().toStdString();
  EXPECT_EQ(ReadBytes(F), New);
}

TEST(HostileFiles, WritingFollowsALinkAndKeepsPermissions) {
  QTemporaryDir Dir;
  const QString Real = Dir.filePath("real.ini"), Link = Dir.filePath("link.ini");
  ASSERT_TRUE(PutBytes(Real, "a\n"));
  ASSERT_TRUE(QFile::setPermissions(Real, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
  ASSERT_TRUE(QFile::link(Real, Link));
  ASSERT_TRUE(QFile::link("link.ini", Dir.filePath("chain.ini")));
  ASSERT_TRUE(WriteTextLines(Dir.filePath("chain.ini"), {"b"}));
  EXPECT_TRUE(QFileInfo(Link).isSymLink());
  EXPECT_TRUE(QFileInfo(Dir.filePath("chain.ini")).isSymLink());
  EXPECT_EQ(ReadBytes(Real), "b\n");
  EXPECT_EQ(QFile::permissions(Real), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                          QFile::ReadUser | QFile::WriteUser);
}

// A link to itself, or links that lead round to each other, name no file: the save is refused
// with the system's reason and the links stay, for every writer and the check before a print.
TEST(HostileFiles, ALinkLoopIsRefusedAndStays) {
  QTemporaryDir Dir;
  const QString Self = Dir.filePath("Numyx.HST"), A = Dir.filePath("a.USR"),
                B = Dir.filePath("b.USR");
  ASSERT_TRUE(QFile::link(Self, Self));
  ASSERT_TRUE(QFile::link("b.USR", A));
  ASSERT_TRUE(QFile::link("a.USR", B));
  for (const QString& F : {Self, A}) {
    const TFileStatus S = WriteTextLines(F, {"x"});
    EXPECT_EQ(S.Code, TFileError::LinkLoop);
    EXPECT_EQ(FileFailureText(S, "Can't create file"),
              "Can't create file " + F + ": Too many levels of symbolic links");
    EXPECT_EQ(CanWriteFile(F).Code, TFileError::LinkLoop);
    TIniFile Ini(F);
    Ini.WriteString("S", "k", "v");
    EXPECT_EQ(Ini.UpdateFile().Code, TFileError::LinkLoop);
  }
  for (const QString& F : {Self, A, B}) EXPECT_TRUE(QFileInfo(F).isSymLink()) << F.toStdString();
  EXPECT_EQ(QFile::symLinkTarget(A), B);
  EXPECT_EQ(QDir(Dir.path()).entryList(QDir::System | QDir::Files | QDir::Hidden).size(), 3);
}

TEST(IniFile, SavingKeepsEveryLineItDidNotChange) {
  QTemporaryDir Dir;
  const QString F = Dir.filePath("Numyx.INI");
  const QByteArray Original = ReadBytes(DataFile("corrupt.ini"));
  ASSERT_TRUE(PutBytes(F, Original));
  {
    TIniFile Ini(F);
    Ini.WriteInteger("Calc Settings", "Notation", 1);  // "  Notation = 2  "
    Ini.WriteInteger("Calc Settings", "Hint", 7);      // the value it has: the line stays
    Ini.WriteInteger("calc settings", "ShowComp", 1);  // merged from the repeated section
    Ini.WriteInteger("Calc Settings", "New", 5);       // after the first block's last key
    Ini.WriteString("Graphics", "Title", "g");
    Ini.WriteInteger("Other", "k", 1);
    ASSERT_TRUE(Ini.UpdateFile());
  }
  QByteArray Expected = Original;
  Expected.replace("  Notation = 2  \r\n", "  Notation = 1\r\n");
  Expected.replace("ShowComp=0\r\n", "ShowComp=1\r\n");
  Expected.replace("Angle=true\r\n", "Angle=true\r\nNew=5\n");
  Expected.replace("Title= f(x) = sin(x) \r\n", "Title= g\r\n");
  Expected += "\n[Other]\nk=1\n";
  EXPECT_EQ(ReadBytes(F), Expected);

  // Deleting a key shows its hidden second copy; erasing a section takes all its copies.
  TIniFile Ini(F);
  Ini.DeleteKey("Calc Settings", "Digits");
  EXPECT_EQ(Ini.ReadInteger("Calc Settings", "Digits", 0), 99);
  Ini.EraseSection("CALC SETTINGS");
  EXPECT_FALSE(Ini.SectionExists("Calc Settings"));
  ASSERT_TRUE(Ini.UpdateFile());
  const QByteArray After = ReadBytes(F);
  EXPECT_TRUE(
      After.startsWith("; a settings file as an old editor left it\r\nstray=before any "
                       "section\r\n[broken header\r\nlost=1\r\n[Graphics]\r\n"));
  EXPECT_FALSE(After.contains("Digits"));
  EXPECT_TRUE(After.contains("[Calc]\r\nLeft=$10\r\n"));
}

TEST(IniFile, HostileSettingsFilesLoseNoByte) {
  QTemporaryDir Dir;
  struct TCase {
    const char* Name;
    QByteArray Bytes;
  };
  QByteArray Utf16("\xFF\xFE", 2);
  for (char C : QByteArray("; c\r\n[Calc]\r\nTop=1\r\n")) Utf16 += QByteArray(1, C) + '\0';
  const TCase Cases[] = {
      {"no header, many lines", Lines(20000, "key#=value #\n")},
      {"comments and stray lines", "# hash\n; semi\nno equals\n=novalue\n[x\ny=1\n"},
      {"truncated header", "[Calc"},
      {"no final line end", "[Calc]\nTop=5"},
      {"NUL bytes", QByteArray("[Calc]\0\nA=\0\n", 12)},
      {"invalid UTF-8", "[Calc]\n\xC0\xAF\xFF=\xFE\n"},
      {"cp1252", "[Calc]\nName=caf\xE9\n"},
      {"CR only", "[Calc]\rLeft=1\r; note\r"},
      {"BOM", "\xEF\xBB\xBF[Calc]\nLeft=1\n"},
      {"UTF-16", Utf16},
      {"one huge line", QByteArray(300000, 'z')},
      {"repeated sections", Lines(3000, "[S#]\nk=#\n[Calc]\nLeft=#\n")},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.Name);
    const QString F = Dir.filePath("t.ini");
    ASSERT_TRUE(PutBytes(F, C.Bytes));
    {
      TIniFile Ini(F);
      ASSERT_FALSE(Ini.ReadFailed());
      Ini.WriteInteger("Calc", "Left", 7);
      Ini.WriteInteger("Added", "k", 1);
      ASSERT_TRUE(Ini.UpdateFile());
      EXPECT_EQ(Ini.ReadInteger("Calc", "Left", 0), 7);
    }
    const QByteArray After = ReadBytes(F);
    TIniFile Back(F);
    EXPECT_EQ(Back.ReadInteger("Calc", "Left", 0), 7);
    EXPECT_EQ(Back.ReadInteger("Added", "k", 0), 1);
    // Undoing the two changes by hand gives the file back: nothing else moved.
    TIniFile Again(F);
    Again.DeleteKey("Calc", "Left");
    Again.EraseSection("Added");
    ASSERT_TRUE(Again.UpdateFile());
    const QByteArray Undone = ReadBytes(F);
    if (!C.Bytes.contains("Left=")) {
      QByteArray Expected = C.Bytes;
      EXPECT_TRUE(Undone.startsWith(Expected.left(Expected.size() - 1)))
          << Undone.left(80).toStdString();
    }
    EXPECT_GE(After.size(), C.Bytes.size() - 8);
  }
}

TEST(IniFile, DocumentAndChangesServeOtherRules) {
  // The untrimmed rules of another settings reader, on the same document and saver.
  QTemporaryDir Dir;
  const QString F = Dir.filePath("plot.ini");
  const QByteArray Original = "stray\n[A]\nx=1\n;c\n\n[a]\ny=2\nkey = v\n";
  ASSERT_TRUE(PutBytes(F, Original));
  TIniDocument Doc(false);
  ASSERT_TRUE(LoadIniDocument(F, Doc).Ok());
  ASSERT_TRUE(Doc.Find("a", "X").has_value());
  EXPECT_EQ(*Doc.Find("a", "X"), "1");
  EXPECT_FALSE(Doc.Find("A", "y").has_value());  // only the first section of a name is read
  TIniDocument Other(false);
  ASSERT_TRUE(PutBytes(Dir.filePath("k.ini"), "[S]\nkey = v\n"));
  ASSERT_TRUE(LoadIniDocument(Dir.filePath("k.ini"), Other).Ok());
  EXPECT_FALSE(Other.Find("S", "key").has_value());
  ASSERT_TRUE(Other.Find("S", "key ").has_value());
  EXPECT_EQ(*Other.Find("S", "key "), " v");

  TIniChanges Changes;
  Changes.Write("A", "z", "3");
  Doc.Write("A", "z", "3");
  ASSERT_TRUE(PutBytes(F, Original + "[B]\nw=4\n"));  // someone else wrote meanwhile
  ASSERT_TRUE(Changes.Save(F, Doc));
  EXPECT_TRUE(Changes.Empty());
  EXPECT_EQ(ReadBytes(F), "stray\n[A]\nx=1\nz=3\n;c\n\n[a]\ny=2\nkey = v\n[B]\nw=4\n");
  ASSERT_TRUE(Doc.Find("B", "w").has_value());  // the document is what was saved

  // A failure is reported and leaves file, document and changes as they were.
  Changes.Write("A", "x", "9");
  EXPECT_FALSE(Changes.Save(F + "/below", Doc).Why.isEmpty());
  EXPECT_FALSE(Changes.Empty());
}
