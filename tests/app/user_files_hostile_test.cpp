// The user files the pages read and write (*.USR, *.FNC, *.VAR) against hostile files: nothing
// crashes or hangs, the message says what happened, no byte of a file is lost unless the user
// changed it, and a character that the engine's code page cannot hold never changes a name or a
// text on its way in.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>

#include <sys/stat.h>
#include <unistd.h>

#include "../platform/small_disk.h"
#include "app/calc/user_funcs_page.h"
#include "app/calc/user_vars_page.h"
#include "app/calc/variables_page.h"
#include "app/common/dm.h"
#include "pages_test_support.h"
#include "platform/text_file.h"
#include "widgets/text_list_box.h"

namespace {

QByteArray Bytes(const QString& File) {
  QByteArray B;
  return ReadFileBytes(File, B).Ok() ? B : QByteArray();
}

// As the user's own editor would: in place, past the program's writer, which keeps a file it
// could not read.
bool Put(const QString& File, const QByteArray& B) {
  QFile F(File);
  return F.open(QIODevice::WriteOnly | QIODevice::Truncate) && F.write(B) == B.size();
}

QByteArray Utf16(const QByteArray& Utf8) {
  QByteArray B("\xFF\xFE", 2);
  for (QChar C : QString::fromUtf8(Utf8)) {
    B += static_cast<char>(C.unicode() & 0xFF);
    B += static_cast<char>(C.unicode() >> 8);
  }
  return B;
}

class UserFilesTest : public PagesTest {
 protected:
  TUserVarsPage& Vars() { return *Pages->UserVars; }
  TUserFuncsPage& Funcs() { return *Pages->UserFuncs; }
  TVariablesPage& Letters() { return *Pages->Variables; }
  QStringList FuncLines() {
    QStringList L;
    for (int I = 0; I < Funcs().lbFuncs->count(); ++I) L << Funcs().lbFuncs->item(I)->text();
    return L;
  }
  Extended Eval(const std::string& Text) {
    EngineState.ErrFlag = false;
    EngineState.ExprStr = Text;
    return Evaluate(Text);
  }
  // Makes Path(Name) a directory, a link to a device or a FIFO.
  void MakeOdd(const QString& Name, int Kind) {
    const QString P = Path(Name);
    if (QFileInfo(P).isDir() && !QFileInfo(P).isSymLink()) QDir(P).removeRecursively();
    QFile::remove(P);
    bool Made = false;
    if (Kind == 0) Made = QDir().mkdir(P);
    if (Kind == 1) Made = QFile::link("/dev/zero", P);
    if (Kind == 2) Made = QFile::link("/dev/urandom", P);
    if (Kind == 3) Made = ::mkfifo(QFile::encodeName(P).constData(), 0600) == 0;
    ASSERT_TRUE(Made) << P.toStdString();
  }
};

const char* const OddKinds[] = {"is a directory", "is not a regular file", "is not a regular file",
                                "is not a regular file"};

}  // namespace

TEST_F(UserFilesTest, UserVariableNamesOutsideTheCodePageAreRefusedByLine) {
  // Three names that would all become the same stand-in character.
  const QByteArray File = "a = 1\n\xCF\x80 = 3.14\n\xCE\xBB = 2\n\xCE\xBC = 4\n";
  ASSERT_TRUE(Put(Path("greek.USR"), File));
  Pages->AddUserVariable("keep", true, 1);
  EXPECT_FALSE(Vars().LoadUserVariables(Path("greek.USR")));
  EXPECT_EQ(Dialogs.Messages().last(), "Can't read file " + Path("greek.USR") + ": line 2, 3, 4");
  ASSERT_EQ(Vars().Model().Count(), 1);  // nothing changed
  // Neither Save nor Save As replaces the file that could not be read.
  Host.VarFile = Path("greek.USR");
  Vars().btSaveClick();
  Dialogs.AnswerFile(Path("greek.USR"));
  Dialogs.Answer(mrYes);
  Vars().btSaveAsClick();
  EXPECT_TRUE(Dialogs.Messages().last().startsWith("Can't create file " + Path("greek.USR")));
  EXPECT_EQ(Bytes(Path("greek.USR")), File);
  // Names the code page holds, accents included, come through.
  ASSERT_TRUE(Put(Path("ok.USR"), "caf\xC3\xA9 = 1\nx = 2\n"));
  ASSERT_TRUE(Vars().LoadUserVariables(Path("ok.USR")));
  EXPECT_EQ(Vars().Model().Item(0).Name, "caf\xE9");
}

TEST_F(UserFilesTest, HostileUserVariableFiles) {
  struct TCase {
    const char* Name;
    QByteArray Bytes;
    int Loaded;  // variables read; -1: refused
  };
  QByteArray Many;
  for (int I = 0; I < 10000; ++I) Many += "v" + QByteArray::number(I % 5000) + " = 1\n";
  const TCase Cases[] = {
      {"truncated", "a = 1\nb = ", -1},
      {"bit-flipped", "a = 1\nb \x3C 2\n", -1},
      {"garbage", QByteArray("\x00\xff\x81[\x01=\x02\n", 8), -1},
      {"many lines", Many, 5000},
      {"one huge line", "a = " + QByteArray(300000, '1') + "\n", -1},  // no Extended holds it
      {"NUL bytes", QByteArray("a = 1\0\n", 7), -1},
      {"invalid UTF-8", "\xC0\xAF = 1\n", 1},
      {"CR only", "a = 1\rb = 2\r", 2},
      {"UTF-16", Utf16("a = 1\r\nb = 2\r\n"), 2},
      {"BOM",
       "\xEF\xBB\xBF"
       "a = 1\n",
       1},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.Name);
    ASSERT_TRUE(Put(Path("t.USR"), C.Bytes));
    Vars().Model().Clear();
    const bool Ok = Vars().LoadUserVariables(Path("t.USR"));
    EXPECT_EQ(Ok, C.Loaded >= 0);
    EXPECT_EQ(Vars().Model().Count(), std::max(C.Loaded, 0));
    if (!Ok) {
      Host.VarFile = Path("t.USR");
      Vars().btSaveClick();
    }
    EXPECT_EQ(Bytes(Path("t.USR")), C.Bytes);
  }
  for (int Kind = 0; Kind < 4; ++Kind) {
    SCOPED_TRACE(OddKinds[Kind]);
    MakeOdd("odd.USR", Kind);
    EXPECT_FALSE(Vars().LoadUserVariables(Path("odd.USR"), true));
    EXPECT_EQ(Dialogs.Messages().last(), "Can't read file " + Path("odd.USR") + ": it " +
                                             OddKinds[Kind] + ". " + KeptUnreadAtStart);
    Host.VarFile = Path("odd.USR");
    Vars().btSaveClick();
    EXPECT_TRUE(Dialogs.Messages().last().startsWith("Can't create file "));
  }
}

TEST_F(UserFilesTest, FunctionFilesReadInEveryEncodingAndKeepEveryLine) {
  // A byte-order mark, blank and blank-looking lines, comments in Cyrillic and Chinese.
  const QByteArray File =
      "\xEF\xBB\xBF"
      "f(x)=x^2 ;\xD0\xBA\xD0\xB2\xD0\xB0\xD0\xB4\xD1\x80\xD0\xB0\xD1\x82\n"
      "\n   \n; \xE4\xB8\xAD\xE6\x96\x87\ng(a,b)=a+b\n";
  ASSERT_TRUE(Put(Path("lib.FNC"), File));
  Host.FuncFile = Path("lib.FNC");
  ASSERT_TRUE(Funcs().LoadUserFunctions(Path("lib.FNC")));
  EXPECT_TRUE(Dialogs.Messages().isEmpty());
  EXPECT_EQ(FuncLines().size(), 5);
  EXPECT_EQ(Eval("f(3)+g(1,2)"), 12);
  Funcs().btFuncSaveClick();
  // Written as UTF-8 with LF; every character of every line as it was.
  EXPECT_EQ(Bytes(Path("lib.FNC")), File.mid(3));

  // UTF-16 and code page 1252 read the same.
  ASSERT_TRUE(Put(Path("u16.FNC"), Utf16("h(x)=x+1 ;caf\xC3\xA9\r\n")));
  ASSERT_TRUE(Funcs().LoadUserFunctions(Path("u16.FNC")));
  EXPECT_EQ(FuncLines(), QStringList{QString::fromUtf8("h(x)=x+1 ;caf\xC3\xA9")});
  EXPECT_EQ(Eval("h(1)"), 2);
  ASSERT_TRUE(Put(Path("cp.FNC"), "h(x)=x+2 ;caf\xE9\r\n"));
  ASSERT_TRUE(Funcs().LoadUserFunctions(Path("cp.FNC")));
  EXPECT_EQ(FuncLines(), QStringList{QString::fromUtf8("h(x)=x+2 ;caf\xC3\xA9")});

  // A character outside the code page in the definition itself is refused with its line, and
  // kept; the lines around it work.
  const QByteArray Greek = "dbl(x)=x*2\n\xCF\x80(x)=x\npm(x)=\xCF\x80*x\n";
  ASSERT_TRUE(Put(Path("greek.FNC"), Greek));
  Host.FuncFile = Path("greek.FNC");
  ASSERT_TRUE(Funcs().LoadUserFunctions(Path("greek.FNC")));
  const QString Said = Dialogs.Messages().last();
  EXPECT_TRUE(Said.contains("line 2: ")) << Said.toStdString();
  EXPECT_TRUE(Said.contains("line 3: ")) << Said.toStdString();
  EXPECT_TRUE(Said.contains("(the character U+03C0 cannot be used)")) << Said.toStdString();
  EXPECT_FALSE(Said.contains("line 1")) << Said.toStdString();
  EXPECT_EQ(Eval("dbl(2)"), 4);
  EXPECT_TRUE((Eval("pm(2)"), EngineState.ErrFlag));
  Funcs().btFuncSaveClick();
  EXPECT_EQ(Bytes(Path("greek.FNC")), Greek);
  // Typed on the page, the same is refused too; a comment may hold anything.
  Funcs().edFuncName->setText("tri(x)");
  Funcs().edFuncExpres->setText(QString::fromUtf8("x*\xCF\x80"));
  Funcs().btFuncAddClick();
  EXPECT_TRUE(Dialogs.Messages().last().startsWith("Invalid user function "));
  Funcs().edFuncExpres->setText(QString::fromUtf8("x*3 ;\xCF\x80"));
  Funcs().btFuncAddClick();
  EXPECT_EQ(FuncLines().first(), QString::fromUtf8("tri(x) = x*3 ;\xCF\x80"));
  EXPECT_EQ(Eval("tri(2)"), 6);
}

TEST_F(UserFilesTest, HostileFunctionFiles) {
  struct TCase {
    const char* Name;
    QByteArray Bytes;
    int Lines;
  };
  QByteArray Many;
  for (int I = 0; I < 10000; ++I) Many += "f" + QByteArray::number(I) + "(x)=x+1\n";
  const TCase Cases[] = {
      {"truncated", "f(x)=x^", 1},
      {"bit-flipped", "f(x)\x3Dx\n", 1},
      {"garbage", QByteArray("\x00\xff\x81[\x01=\x02\n", 8), 1},
      {"many lines", Many, 10000},
      {"one huge line", "f(x)=" + QByteArray(300000, '1') + "\n", 1},
      {"NUL bytes", QByteArray(60000, '\0'), 1},
      {"invalid UTF-8", "f(x)=x ;\xC0\xAF\xFF\n", 1},
      {"CR only", "f(x)=x\r\rg(x)=x\r", 3},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.Name);
    ASSERT_TRUE(Put(Path("t.FNC"), C.Bytes));
    Host.FuncFile = Path("t.FNC");
    ASSERT_TRUE(Funcs().LoadUserFunctions(Path("t.FNC")));
    EXPECT_EQ(FuncLines().size(), C.Lines);
    Funcs().btFuncSaveClick();
    // Nothing changed by the user: the same lines come back (with LF line ends).
    QStringList Before, After;
    ASSERT_TRUE(ReadTextLines(Path("t.FNC"), After));
    Before = SplitLines(DecodeText(std::string_view(C.Bytes.constData(), C.Bytes.size())));
    EXPECT_EQ(After, Before);
  }
  for (int Kind = 0; Kind < 4; ++Kind) {
    SCOPED_TRACE(OddKinds[Kind]);
    MakeOdd("odd.FNC", Kind);
    EXPECT_FALSE(Funcs().LoadUserFunctions(Path("odd.FNC"), true));
    EXPECT_EQ(Dialogs.Messages().last(), "Can't read file " + Path("odd.FNC") + ": it " +
                                             OddKinds[Kind] + ". " + KeptUnreadAtStart);
    Dialogs.AnswerFile(Path("odd.FNC"));
    // A folder is refused by the dialog itself, which asks again, before any question about
    // replacing it.
    Dialogs.Answer(Kind == 0 ? mrCancel : mrYes);
    Funcs().btFuncSaveAsClick();
    EXPECT_TRUE(
        Dialogs.Messages().last().startsWith(Kind == 0 ? Path("odd.FNC") + "\nThis name is a folder"
                                                       : "Can't create file " + Path("odd.FNC")));
  }
}

TEST_F(UserFilesTest, VariableFilesRefuseTextsTheFieldCannotHold) {
  QStringList Lines;
  for (int I = 0; I < 10; ++I) Lines << "1.0E+0";
  for (int I = 0; I < 10; ++I) Lines << "";
  Lines[12] = QString(32768, '1');  // the text of Z
  ASSERT_TRUE(WriteTextLines(Path("long.VAR"), Lines));
  const QByteArray Before = Bytes(Path("long.VAR"));
  VarValues[1] = 5;
  Dialogs.AnswerFile(Path("long.VAR"));
  Letters().LoadClick();
  EXPECT_EQ(Dialogs.Messages().last(),
            "Can't open file " + Path("long.VAR") +
                ": line 13 (the text of Z is longer than 32767 characters)");
  EXPECT_EQ(Letter(1), 5);
  // The file that could not be read is not saved over.
  Dialogs.AnswerFile(Path("long.VAR"));
  Dialogs.Answer(mrYes);
  Letters().SaveClick();
  EXPECT_TRUE(Dialogs.Messages().last().startsWith("Can't create file " + Path("long.VAR")));
  EXPECT_EQ(Bytes(Path("long.VAR")), Before);

  Lines[12] = QString::fromUtf8("\xCF\x80*2");
  ASSERT_TRUE(WriteTextLines(Path("pi.VAR"), Lines));
  Dialogs.AnswerFile(Path("pi.VAR"));
  Letters().LoadClick();
  EXPECT_TRUE(Dialogs.Messages().last().contains("line 13 (the text of Z has the character"))
      << Dialogs.Messages().last().toStdString();
  EXPECT_NE(VarExprs[3], "\xA4*2");

  Lines[12] = QString(32767, '1');  // exactly what the field holds
  ASSERT_TRUE(WriteTextLines(Path("max.VAR"), Lines));
  Dialogs.AnswerFile(Path("max.VAR"));
  Letters().LoadClick();
  EXPECT_EQ(VarExprs[3].size(), 32767u);

  for (int Kind = 0; Kind < 4; ++Kind) {
    SCOPED_TRACE(OddKinds[Kind]);
    MakeOdd("odd.VAR", Kind);
    Dialogs.AnswerFile(Path("odd.VAR"));
    Letters().LoadClick();
    EXPECT_EQ(Dialogs.Messages().last(),
              "Can't open file " + Path("odd.VAR") + ": it " + OddKinds[Kind]);
  }
}

// Every save of the pages, Save and Save As, on a full disk and in a read-only folder: the box
// names the file once with the system's reason, no file changes and no default file moves.
TEST_F(UserFilesTest, ASaveThatFailsKeepsEveryUserFileAndSaysWhy) {
  const QByteArray Usr = "a = 1\n", Fnc = "f(x)=x\n";
  const auto Refused = [&](const auto& Folder, const QString& Why, const auto& Break) {
    const auto Path = [&](const char* Name) { return Folder.Path(Name); };
    ASSERT_TRUE(Put(Path("Numyx.USR"), Usr) && Put(Path("Numyx.FNC"), Fnc));
    ASSERT_TRUE(Put(Path("a.VAR"), "x\n"));
    ASSERT_TRUE(Vars().LoadUserVariables(Path("Numyx.USR")));
    ASSERT_TRUE(Funcs().LoadUserFunctions(Path("Numyx.FNC")));
    Pages->AddUserVariable("b", true, 2);
    Funcs().edFuncName->setText("g(x)");
    Funcs().edFuncExpres->setText("x+1");
    Funcs().btFuncAddClick();
    Host.VarFile = Path("Numyx.USR");
    Host.FuncFile = Path("Numyx.FNC");
    if (!Break()) GTEST_SKIP() << "read-only case not run";
    const auto Says = [&](const char* Name) {
      return "Can't create file " + Path(Name) + ": " + Why;
    };
    Dialogs.Requests.clear();
    Vars().btSaveClick();
    Funcs().btFuncSaveClick();
    Dialogs.AnswerFile(Path("new.USR"));
    Vars().btSaveAsClick();
    Dialogs.AnswerFile(Path("new.FNC"));
    Funcs().btFuncSaveAsClick();
    EXPECT_EQ(Host.VarFile, Path("Numyx.USR"));
    EXPECT_EQ(Host.FuncFile, Path("Numyx.FNC"));
    Dialogs.AnswerFile(Path("a.VAR"));
    Dialogs.Answer(mrYes);
    Letters().SaveClick();
    EXPECT_EQ(Dialogs.Messages(),
              (QStringList{Says("Numyx.USR"), Says("Numyx.FNC"), Says("new.USR"), Says("new.FNC"),
                           Path("a.VAR") + " already exists.\nDo you want to replace it?",
                           Says("a.VAR")}));
    EXPECT_EQ(Bytes(Path("Numyx.USR")), Usr);
    EXPECT_EQ(Bytes(Path("Numyx.FNC")), Fnc);
    EXPECT_EQ(Bytes(Path("a.VAR")), "x\n");
    EXPECT_FALSE(QFile::exists(Path("new.USR")) || QFile::exists(Path("new.FNC")));
  };
  {
    TReadOnlyFolder Folder;
    Refused(Folder, "Read-only file system", [&] { return ::geteuid() == 0 && Folder.Lock(); });
  }
  TSmallDisk Disk;
  SKIP_WITHOUT_SMALL_DISK(Disk);
  Refused(Disk, "No space left on device", [&] { return Disk.Fill(), true; });
}

// A user file made a link to itself, or one of two links to each other, names no file: saving
// is refused with the reason and the links stay.
TEST_F(UserFilesTest, ALinkLoopIsNotReplacedBySaving) {
  ASSERT_TRUE(QFile::link(Path("Numyx.USR"), Path("Numyx.USR")));
  ASSERT_TRUE(QFile::link("b.FNC", Path("a.FNC")));
  ASSERT_TRUE(QFile::link("a.FNC", Path("b.FNC")));
  Host.VarFile = Path("Numyx.USR");
  Host.FuncFile = Path("a.FNC");
  Vars().btSaveClick();
  Funcs().btFuncSaveClick();
  const QString Loop = ": Too many levels of symbolic links";
  EXPECT_EQ(Dialogs.Messages(), (QStringList{"Can't create file " + Path("Numyx.USR") + Loop,
                                             "Can't create file " + Path("a.FNC") + Loop}));
  for (const char* F : {"Numyx.USR", "a.FNC", "b.FNC"})
    EXPECT_TRUE(QFileInfo(Path(F)).isSymLink()) << F;
}

// A list file too large to take into the lists is refused before a byte is read (a sparse file,
// so the test writes nothing), with the reason, and is kept as it is.
TEST_F(UserFilesTest, ListFilesBeyondTheirLimitAreRefusedBeforeTheyAreRead) {
  const QString Huge = QString(" is larger than %1 MB").arg(MaxListFileSize / (1024 * 1024));
  auto MakeHuge = [&](const char* Name) {
    QFile F(Path(Name));
    EXPECT_TRUE(F.open(QIODevice::WriteOnly) && F.resize(MaxListFileSize + 1));
    return Path(Name);
  };
  const QStringList Before = FuncLines();
  EXPECT_FALSE(Funcs().LoadUserFunctions(MakeHuge("big.FNC")));
  EXPECT_EQ(Dialogs.Messages().last(), "Can't read file " + Path("big.FNC") + ": it" + Huge);
  EXPECT_EQ(FuncLines(), Before);
  EXPECT_FALSE(Vars().LoadUserVariables(MakeHuge("big.USR")));
  EXPECT_EQ(Dialogs.Messages().last(), "Can't read file " + Path("big.USR") + ": it" + Huge);
  Dialogs.AnswerFile(MakeHuge("big.VAR"));
  Letters().LoadClick();
  EXPECT_EQ(Dialogs.Messages().last(), "Can't open file " + Path("big.VAR") + ": it" + Huge);
  EXPECT_EQ(QFileInfo(Path("big.FNC")).size(), MaxListFileSize + 1);
  // Short lines cost more than their bytes: their number is bounded too.
  ASSERT_TRUE(Put(Path("long.FNC"), QByteArray(MaxListFileLines, '\n') + "f(x)=x"));
  EXPECT_FALSE(Funcs().LoadUserFunctions(Path("long.FNC")));
  EXPECT_EQ(Dialogs.Messages().last(), "Can't read file " + Path("long.FNC") +
                                           ": it has more than " +
                                           QString::number(MaxListFileLines) + " lines");
  ASSERT_TRUE(Put(Path("long.FNC"), QByteArray(MaxListFileLines - 1, '\n') + "f(x)=x"));
  EXPECT_TRUE(Funcs().LoadUserFunctions(Path("long.FNC")));
}

// A file refused at start stays refused after a second refused load, and whatever spelling a
// save takes (a link to its folder, "./", ".."), on every page that saves a list file; names
// are shown and kept in their clean spelling.
TEST_F(UserFilesTest, NoSaveReplacesAFileThatCouldNotBeRead) {
  ASSERT_TRUE(QDir().mkdir(Path("sub")) && QFile::link(Dir.path(), Path("alias")));
  const QByteArray Usr = "rate = 0.05\nprincipal = 1000\nyears = 30\nbad\n";
  ASSERT_TRUE(Put(Path("Numyx.USR"), Usr) && Put(Path("other.USR"), "x1 = 1\noops\n"));
  ASSERT_TRUE(Put(Path("Numyx.VAR"), "x\n") && Put(Path("other.VAR"), "y\n"));
  for (const char* Name : {"Numyx.FNC", "other.FNC"}) {
    QFile F(Path(Name));
    ASSERT_TRUE(F.open(QIODevice::WriteOnly) && F.resize(MaxListFileSize + 1));
  }
  Host.VarFile = Path("Numyx.USR");
  Host.FuncFile = Path("Numyx.FNC");
  EXPECT_FALSE(Vars().LoadUserVariables(Path("./Numyx.USR"), true));
  EXPECT_FALSE(Funcs().LoadUserFunctions(Path("sub/../Numyx.FNC"), true));
  EXPECT_EQ(Dialogs.Messages(),
            (QStringList{"Can't read file " + Path("Numyx.USR") + ": line 4. " + KeptUnreadAtStart,
                         "Can't read file " + Path("Numyx.FNC") + ": it is larger than 32 MB. " +
                             KeptUnreadAtStart}));
  EXPECT_FALSE(Vars().LoadUserVariables(Path("other.USR")));
  EXPECT_FALSE(Funcs().LoadUserFunctions(Path("other.FNC")));
  for (const char* Name : {"Numyx.VAR", "other.VAR"}) {
    Dialogs.AnswerFile(Path(Name));
    Letters().LoadClick();
  }
  Dialogs.Requests.clear();
  Vars().btSaveClick();
  Funcs().btFuncSaveClick();
  const QString Kept = ": it could not be read, and saving would replace it";
  QStringList Said{"Can't create file " + Path("Numyx.USR") + Kept,
                   "Can't create file " + Path("Numyx.FNC") + Kept};
  for (const QString& Folder : {Path("alias"), Path("."), Path("sub/..")}) {
    const QString Shown = Folder == Path("alias") ? Folder : Dir.path();
    for (const char* Ext : {".USR", ".FNC", ".VAR"}) {
      Dialogs.AnswerFile(Folder + "/Numyx" + Ext);
      Dialogs.Answer(mrYes);
      Said << Shown + "/Numyx" + Ext + " already exists.\nDo you want to replace it?"
           << "Can't create file " + Shown + "/Numyx" + Ext + Kept;
    }
    Vars().btSaveAsClick();
    Funcs().btFuncSaveAsClick();
    Letters().SaveClick();
  }
  EXPECT_EQ(Dialogs.Messages(), Said);
  EXPECT_EQ(Bytes(Path("Numyx.USR")), Usr);
  EXPECT_EQ(Bytes(Path("Numyx.VAR")), "x\n");
  EXPECT_EQ(QFileInfo(Path("Numyx.FNC")).size(), MaxListFileSize + 1);
  EXPECT_EQ(Host.VarFile, Path("Numyx.USR"));
  // Read whole at last, the file is the user's to replace; a name chosen is kept clean.
  ASSERT_TRUE(Put(Path("Numyx.USR"), "a = 1\n"));
  ASSERT_TRUE(Vars().LoadUserVariables(Path("Numyx.USR")));
  Pages->AddUserVariable("b", true, 2);
  Dialogs.AnswerFile(Path("sub/../Numyx.USR"));
  Dialogs.Answer(mrYes);
  Vars().btSaveAsClick();
  EXPECT_EQ(Host.VarFile, Path("Numyx.USR"));
  EXPECT_EQ(Bytes(Path("Numyx.USR")), "b = 2\na = 1\n");
}
