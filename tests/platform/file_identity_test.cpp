// The files a run could not read, known by what they are rather than by their name, and the
// clean spelling of names; and the writer's rewrite in place where a folder refuses the rename.
#include "platform/file_identity.h"
#include "platform/text_file.h"
#include "test_util.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/stat.h>
#include <cerrno>

namespace {
ino_t Inode(const QString& F) {
  struct stat St {};
  return ::stat(QFile::encodeName(F).constData(), &St) == 0 ? St.st_ino : 0;
}
}  // namespace

TEST(UnreadFiles, NoSpellingOfARefusedFileReplacesItUntilItIsReadWhole) {
  QTemporaryDir Dir;
  const QString F = Dir.filePath("Numyx.USR");
  ASSERT_TRUE(QDir().mkdir(Dir.filePath("sub")) && QFile::link(Dir.path(), Dir.filePath("alias")) &&
              QFile::link("Numyx.USR", Dir.filePath("link.USR")));
  ASSERT_TRUE(PutBytes(F, QByteArray(MaxListFileLines + 1, '\n')));
  QStringList Lines;
  EXPECT_FALSE(ReadListLines(Dir.filePath("link.USR"), Lines));
  EXPECT_FALSE(ReadListLines(Dir.filePath("missing.USR"), Lines));  // nothing to keep there
  EXPECT_TRUE(WriteFileBytes(Dir.filePath("missing.USR"), "m\n"));
  for (const QString& Name : {F, Dir.filePath("alias/Numyx.USR"), Dir.filePath("./Numyx.USR"),
                              Dir.filePath("sub/../Numyx.USR"), Dir.filePath("link.USR")}) {
    SCOPED_TRACE(Name.toStdString());
    EXPECT_TRUE(IsUnreadFile(Name));
    EXPECT_EQ(CanWriteFile(Name).Code, TFileError::KeptUnread);
    const TFileStatus S = WriteTextLines(Name, {"x"});
    EXPECT_EQ(S.Code, TFileError::KeptUnread);
    EXPECT_EQ(S.FileName, CleanFileName(Name));
  }
  EXPECT_EQ(ReadBytes(F).size(), MaxListFileLines + 1);
  // Read whole, it is free again; refused again, kept again.
  NoteFileRead(Dir.filePath("alias/Numyx.USR"));
  EXPECT_TRUE(WriteTextLines(F, {"a = 1"}));
  NoteUnreadFile(F);
  EXPECT_EQ(WriteTextLines(F, {"b = 2"}).Code, TFileError::KeptUnread);
  // Other contents put there since are not what was refused.
  struct stat St {};
  ASSERT_EQ(::stat(QFile::encodeName(F).constData(), &St), 0);
  const timespec Later[2] = {St.st_atim, {St.st_mtim.tv_sec + 1, St.st_mtim.tv_nsec}};
  ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(F).constData(), Later, 0), 0);
  EXPECT_TRUE(WriteTextLines(F, {"c = 3"}));
  EXPECT_EQ(ReadBytes(F), "c = 3\n");
}

TEST(UnreadFiles, NamesAreCleanedWithoutLeadingElsewhere) {
  QTemporaryDir Dir;
  const QString D = Dir.path();
  ASSERT_TRUE(QDir().mkpath(D + "/rw") && QDir().mkpath(D + "/deep/real"));
  ASSERT_TRUE(QFile::link(D + "/deep/real", D + "/ro"));
  EXPECT_EQ(CleanFileName(D + "/./rw//x.FNC"), D + "/rw/x.FNC");
  EXPECT_EQ(CleanFileName(D + "/rw/../rw/x.FNC"), D + "/rw/x.FNC");
  // ".." after a link goes up from where the link leads.
  EXPECT_EQ(CleanFileName(D + "/ro/../x.FNC"), QDir(D).canonicalPath() + "/deep/x.FNC");
  EXPECT_EQ(CleanFileName("x.FNC"), "x.FNC");
  EXPECT_EQ(CleanFileName(""), "");
  // The writer's messages name it so too.
  EXPECT_EQ(WriteFileBytes(D + "/./nowhere/../nofolder/x.FNC", "x").FileName,
            D + "/nofolder/x.FNC");
}

// A folder that lets the file be written but not replaced (sticky, another user's file): the
// file is rewritten in place, and a failure midway puts the old bytes back.
TEST(HostileFiles, ARefusedRenameRewritesInPlace) {
  QTemporaryDir Dir;
  const QString F = Dir.filePath("Numyx.FNC");
  ASSERT_TRUE(PutBytes(F, "old contents\n"));
  const ino_t Before = Inode(F);
  SetFailNextRename(EPERM);
  const TFileStatus S = WriteFileBytes(F, "new\n");
  EXPECT_TRUE(S) << S.Text().toStdString();
  EXPECT_EQ(ReadBytes(F), "new\n");
  EXPECT_EQ(Inode(F), Before);
  SetFailNextRename(EACCES);
  SetFailWritesAfter(22);  // the new file whole, then two bytes in place
  EXPECT_EQ(WriteFileBytes(F, "longer new contents\n").Text(), F + ": No space left on device");
  SetFailWritesAfter(-1);
  EXPECT_EQ(ReadBytes(F), "new\n");
  // Other refusals are reported as they are, and leave no file behind.
  SetFailNextRename(EXDEV);
  EXPECT_EQ(WriteFileBytes(F, "x\n").Text(), F + ": Invalid cross-device link");
  EXPECT_EQ(ReadBytes(F), "new\n");
  EXPECT_EQ(QDir(Dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Numyx.FNC"});
}
