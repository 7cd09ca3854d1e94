// The files the main window reads at start and writes at close (Numyx.INI, Numyx.HST, Numyx.CON)
// and the tape's text file, against files that are not what they should be: nothing crashes or
// hangs, the user is told what happened, and no byte of a file is lost unless the user changed it.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QPlainTextEdit>

#include <sys/stat.h>

#include "../platform/small_disk.h"
#include "app/common/dm.h"
#include "app/common/form_placement.h"
#include "calc_test_support.h"
#include "platform/controls.h"
#include "platform/text_file.h"
#include "widgets/text_list_box.h"

namespace {

QByteArray Repeat(int Count, const char* Pattern) {
  QByteArray B;
  for (int I = 0; I < Count; ++I) B += QByteArray(Pattern).replace("#", QByteArray::number(I));
  return B;
}

// A file of the program directory that is no regular file, made in one of the hostile ways.
enum class TOddFile { Directory, ZeroDevice, RandomDevice, Fifo };

void MakeOdd(const QString& Path, TOddFile Kind) {
  QFile::remove(Path);
  switch (Kind) {
    case TOddFile::Directory:
      ASSERT_TRUE(QDir().mkdir(Path));
      break;
    case TOddFile::ZeroDevice:
      ASSERT_TRUE(QFile::link("/dev/zero", Path));
      break;
    case TOddFile::RandomDevice:
      ASSERT_TRUE(QFile::link("/dev/urandom", Path));
      break;
    case TOddFile::Fifo:
      ASSERT_EQ(::mkfifo(QFile::encodeName(Path).constData(), 0600), 0);
      break;
  }
}

const char* OddName(TOddFile Kind) {
  switch (Kind) {
    case TOddFile::Directory:
      return "directory";
    case TOddFile::ZeroDevice:
      return "link to /dev/zero";
    case TOddFile::RandomDevice:
      return "link to /dev/urandom";
    case TOddFile::Fifo:
      return "FIFO";
  }
  return "";
}

constexpr TOddFile OddKinds[] = {TOddFile::Directory, TOddFile::ZeroDevice, TOddFile::RandomDevice,
                                 TOddFile::Fifo};

void RemoveOdd(const QString& Path) {
  if (QFileInfo(Path).isDir() && !QFileInfo(Path).isSymLink())
    QDir(Path).removeRecursively();
  else
    QFile::remove(Path);
}

}  // namespace

TEST_F(CalcWindowTest, SettingsFileKeepsEveryLineItDoesNotOwn) {
  // Comments, keys before the first section, lines without "=", a repeated key, a repeated
  // section and keys under a header without its "]": the reader takes none of them, and saving
  // keeps every one, in place.
  const QByteArray Foreign =
      "; written by hand\r\n# another comment\r\nstray=1\r\n"
      "[Calc Settings]\r\nDigits=15\r\nDigits=9\r\nno equals sign\r\n"
      "[broken\r\nNotation=3\r\n[Calc Settings]\r\nHint=0\r\nOwn=kept\r\n";
  WriteFile("Numyx.INI", Foreign);
  TfmCalc& W = Open();
  EXPECT_EQ(W.Digits, 15);
  EXPECT_EQ(W.rgNotation->ItemIndex(), 0);  // the key under the broken header is no key
  EXPECT_FALSE(W.chHint->isChecked());      // read from the repeated section
  CloseWindow();
  const QByteArray After = ReadFile("Numyx.INI");
  // The two lines of keys it owns changed in place, the rest of the original is there as it was.
  EXPECT_TRUE(
      After.startsWith("; written by hand\r\n# another comment\r\nstray=1\r\n"
                       "[Calc Settings]\r\nDigits=15\r\n"))
      << After.left(200).toStdString();
  for (const char* Kept : {"Digits=9\r\nno equals sign\r\n[broken\r\nNotation=3\r\n",
                           "[Calc Settings]\r\nHint=0\r\nOwn=kept\r\n"})
    EXPECT_TRUE(After.contains(Kept)) << Kept;
  EXPECT_TRUE(After.contains("[Graphics]\nPlot Type=0\n"));

  // A large file without a header: everything stays, the settings come after it.
  const QByteArray Big = Repeat(20000, "line # of a file that was never a settings file\n");
  WriteFile("Numyx.INI", Big);
  Open();
  CloseWindow();
  const QByteArray BigAfter = ReadFile("Numyx.INI");
  EXPECT_TRUE(BigAfter.startsWith(Big));
  EXPECT_TRUE(BigAfter.mid(Big.size()).startsWith("\n[Calc Settings]\n"));
}

TEST_F(CalcWindowTest, SettingsFilesThatCannotBeReadAreToldAndKept) {
  for (TOddFile Kind : OddKinds) {
    SCOPED_TRACE(OddName(Kind));
    MakeOdd(Path("Numyx.INI"), Kind);
    Dialogs.Requests.clear();
    Open();
    const QStringList Said = Dialogs.Messages();
    ASSERT_FALSE(Said.isEmpty());
    EXPECT_TRUE(Said.first().startsWith("Can't read file " + Path("Numyx.INI") + ": it is "))
        << Said.first().toStdString();
    EXPECT_TRUE(
        Said.first().contains(Kind == TOddFile::Directory ? "a directory" : "not a regular file"));
    EXPECT_EQ(Window->Digits, 12);
    CloseWindow();
    // Told once, at start; nothing is written over it at close.
    EXPECT_EQ(Dialogs.Messages().size(), Said.size());
    EXPECT_EQ(QFileInfo(Path("Numyx.INI")).isDir(), Kind == TOddFile::Directory);
    EXPECT_EQ(QFileInfo(Path("Numyx.INI")).isSymLink(),
              Kind == TOddFile::ZeroDevice || Kind == TOddFile::RandomDevice);
    RemoveOdd(Path("Numyx.INI"));
  }
}

TEST_F(CalcWindowTest, FarOffPositionsAreCheckedBeforeAnyGeometry) {
  WriteFile("Numyx.INI",
            "[Calc]\nLeft=2147483647\nTop=2147483647\n[fmPlot2D]\nLeft=2147483647\n"
            "Top=-2147483648\nWidth=2147483647\nHeight=2147483647\n");
  TfmCalc& W = Open();
  EXPECT_EQ(W.pos(), QPoint(0, 0));
  QWidget Plot;
  Plot.setObjectName("fmPlot2D");
  LoadFormPlacement(&Plot);
  EXPECT_EQ(Plot.geometry(), QRect(0, 0, 640, 480));
  EXPECT_FALSE(PlacementOnScreen(2147483647LL, 2147483647LL, 2147483647LL, 2147483647LL));
  EXPECT_FALSE(PlacementOnScreen(-2147483648LL, 0, 640, 480));
  CloseWindow();
  EXPECT_TRUE(ReadFile("Numyx.INI").contains("[Calc]\nLeft=0\nTop=0\n"));
}

TEST_F(CalcWindowTest, HistoryKeepsWhatFollowsItAndIsWrittenOnlyWhenChanged) {
  const QString Long(300, 'x');
  const QByteArray File = "2\r\n" + Long.toUtf8() + "\r\n1+1\r\n1\r\n2\r\nnotes of my own\r\n";
  WriteFile("Numyx.HST", File);
  TfmCalc& W = Open();
  ASSERT_EQ(W.cbHistory->count(), 1);  // the long entry is left out, not offered cut
  EXPECT_EQ(W.cbHistory->itemText(0), "1+1");
  CloseWindow();
  EXPECT_EQ(ReadFile("Numyx.HST"), File);  // nothing changed: not written at all

  Open();
  ASSERT_TRUE(Enter("2+2"));
  CloseWindow();
  const QByteArray After = ReadFile("Numyx.HST");
  EXPECT_TRUE(After.startsWith("2\n2+2\n1+1\n2\n"));
  EXPECT_TRUE(After.endsWith("\n2\nnotes of my own\n")) << After.toStdString();
}

TEST_F(CalcWindowTest, HostileHistoryAndConstantsFiles) {
  QByteArray Utf16("\xFF\xFE", 2);
  for (char C : QByteArray("1\r\n1+1\r\n1\r\n2\r\n")) Utf16 += QByteArray(1, C) + '\0';
  struct TCase {
    const char* Name;
    QByteArray Bytes;
    int Expressions;  // read into the expression history; -1: the file is damaged and kept
  };
  const TCase Cases[] = {
      {"truncated", "3\n1+1\n2+", -1},
      {"bit-flipped count", "1\n1+1\n\x31\n2\n", 1},
      {"garbage", QByteArray("\x00\xff\x81[\x01=\x02\n=\n[", 12), -1},
      {"many lines", "20000\n" + Repeat(20000, "#\n") + "0\n", 20000},
      {"one huge line", "1\n" + QByteArray(400000, '7') + "\n0\n", 0},
      {"NUL bytes", QByteArray("1\n1\0+1\n0\n", 9), 1},
      {"invalid UTF-8", "1\n\xC0\xAF\xFF\n0\n", 1},
      {"CR only", "1\r1+1\r1\r2\r", 1},
      {"UTF-16", Utf16, 1},
      {"BOM",
       "\xEF\xBB\xBF"
       "1\n1+1\n0\n",
       1},
      {"huge count", "2147483647\n1+1\n1\n2\n", -1},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.Name);
    WriteFile("Numyx.HST", C.Bytes);
    WriteFile("Numyx.CON", C.Bytes);
    Dialogs.Requests.clear();
    TfmCalc& W = Open();
    EXPECT_TRUE(Dialogs.Messages().isEmpty());
    EXPECT_EQ(W.cbHistory->count(), std::max(C.Expressions, 0));
    EXPECT_GT(W.lbConst->count(), 0);
    CloseWindow();
    // Unchanged or damaged: the file stays byte for byte.
    EXPECT_EQ(ReadFile("Numyx.HST"), C.Bytes);
    EXPECT_EQ(ReadFile("Numyx.CON"), C.Bytes);
  }
  for (TOddFile Kind : OddKinds) {
    SCOPED_TRACE(OddName(Kind));
    MakeOdd(Path("Numyx.HST"), Kind);
    MakeOdd(Path("Numyx.CON"), Kind);
    Dialogs.Requests.clear();
    TfmCalc& W = Open();
    EXPECT_EQ(W.cbHistory->count(), 0);
    // Not "not found": it is there, and the message says what it is; the history is kept and
    // not written, and the user is told so.
    const QString What = Kind == TOddFile::Directory ? "a directory." : "not a regular file.";
    const QString Refused = "Can't read file <" + Path("Numyx.CON") + ">: it is " + What.chopped(1);
    EXPECT_EQ(Dialogs.Messages(),
              QStringList({"Can't read file " + Path("Numyx.HST") + ": it is " + What +
                               " The history of this session will not be saved.",
                           Refused + ". " + KeptUnreadAtStart}));
    ASSERT_TRUE(Enter("1+1"));
    W.bbReloadClick();
    EXPECT_EQ(Dialogs.Messages().last(), Refused);
    CloseWindow();
    EXPECT_EQ(QFileInfo(Path("Numyx.HST")).isDir(), Kind == TOddFile::Directory);
    RemoveOdd(Path("Numyx.HST"));
    RemoveOdd(Path("Numyx.CON"));
  }
}

TEST_F(CalcWindowTest, AFullDiskKeepsTheSettingsHistoryAndTapeFiles) {
  TSmallDisk Disk;
  SKIP_WITHOUT_SMALL_DISK(Disk);
  SetProgramDir(Disk.Path("").chopped(1));
  const QString Base = Disk.Path("Numyx");
  const QByteArray Ini = "[Calc Settings]\nDigits=14\n", Hst = "1\n1+1\n1\n2\n", Tape = "old\n";
  ASSERT_TRUE(WriteFileBytes(Base + ".INI", Ini));
  ASSERT_TRUE(WriteFileBytes(Base + ".HST", Hst));
  ASSERT_TRUE(WriteFileBytes(Disk.Path("tape.TXT"), Tape));
  TfmCalc& W = Open();
  Disk.Fill();
  ASSERT_TRUE(Enter("2+2"));
  W.rgNotation->SetItemIndex(1);
  Dialogs.Requests.clear();
  Dialogs.AnswerFile(Disk.Path("tape.TXT"));
  Dialogs.Answer(mrYes);  // replace it
  W.btToFileClick();
  ASSERT_EQ(Dialogs.Messages().size(), 2);
  EXPECT_EQ(Dialogs.Messages().last(),
            "Can't create file " + Disk.Path("tape.TXT") + ": No space left on device");
  Dialogs.Requests.clear();
  CloseWindow();
  const QString Full = " could not be written: No space left on device";
  EXPECT_EQ(Dialogs.Messages(),
            (QStringList{"The file " + Base + ".INI" + Full, "The file " + Base + ".HST" + Full}));
  // A plot window's place, written when it closes, is reported the same way.
  Dialogs.Requests.clear();
  QWidget Plot;
  Plot.setObjectName("fmPlot2D");
  SaveFormPlacement(&Plot);
  EXPECT_EQ(Dialogs.Messages(), QStringList{"The file " + Base + ".INI" + Full});
  QByteArray B;
  ASSERT_TRUE(ReadFileBytes(Base + ".INI", B).Ok());
  EXPECT_EQ(B, Ini);
  ASSERT_TRUE(ReadFileBytes(Base + ".HST", B).Ok());
  EXPECT_EQ(B, Hst);
  ASSERT_TRUE(ReadFileBytes(Disk.Path("tape.TXT"), B).Ok());
  EXPECT_EQ(B, Tape);
  SetProgramDir(Dir.path());
}

// The history made a loop of links while the window is open: closing says why it was not
// written, and the link stays.
TEST_F(CalcWindowTest, AHistoryLinkLoopIsToldAndKept) {
  Open();
  ASSERT_TRUE(Enter("1+1"));
  QFile::remove(Path("Numyx.HST"));
  ASSERT_TRUE(QFile::link(Path("Numyx.HST"), Path("Numyx.HST")));
  Dialogs.Requests.clear();
  CloseWindow();
  EXPECT_EQ(Dialogs.Messages(), QStringList{"The file " + Path("Numyx.HST") +
                                            " could not be written: Too many levels of symbolic "
                                            "links"});
  EXPECT_TRUE(QFileInfo(Path("Numyx.HST")).isSymLink());
}
