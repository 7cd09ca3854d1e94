// The plotting library's in-memory settings file.
#include <gtest/gtest.h>

#include <QFile>
#include <QFileDevice>
#include <QTemporaryDir>
#include <memory>

#include "platform/dialogs.h"
#include "platform/ini_file.h"
#include "plot/core/graph_mem_ini_file.h"
#include "print_qstring.h"
#include "tests/support/file_rights.h"

namespace {

QByteArray Read(const QString& F) {
  QFile f(F);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void Put(const QString& F, const QByteArray& B) {
  QFile f(F);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(B);
}

class GraphIni : public ::testing::Test {
 protected:
  QTemporaryDir Dir;
  QString File = Dir.filePath(QStringLiteral("Numyx.INI"));
};

TEST_F(GraphIni, SectionsAsTheFileHasThem) {
  Put(File, "[A]\nx=1\n;comment\n\n[a]\ny=2\n");
  TGraphMemIniFile I(File);
  // A later copy of a section is kept in the file but not read.
  EXPECT_EQ(I.ReadSections(), QStringList{QStringLiteral("A")});
  EXPECT_EQ(I.ReadString(QStringLiteral("a"), QStringLiteral("X"), QStringLiteral("d")),
            QStringLiteral("1"));
  // The first section of a name decides: y of the second one cannot be reached.
  EXPECT_EQ(I.ReadString(QStringLiteral("a"), QStringLiteral("y"), QStringLiteral("d")),
            QStringLiteral("d"));
  EXPECT_EQ(I.ReadSection(QStringLiteral("A")), QStringList{QStringLiteral("x")});
  EXPECT_EQ(I.ReadSectionValues(QStringLiteral("A")), QStringList{QStringLiteral("x=1")});
  EXPECT_FALSE(I.Modified());
}

TEST_F(GraphIni, NoBlankIsTrimmedAndEmptyValuesStay) {
  Put(File, "[S]\nkey = value\nempty=\n");
  TGraphMemIniFile I(File);
  EXPECT_EQ(I.ReadString(QStringLiteral("S"), QStringLiteral("key"), QStringLiteral("d")),
            QStringLiteral("d"));
  EXPECT_EQ(I.ReadString(QStringLiteral("S"), QStringLiteral("key "), QStringLiteral("d")),
            QStringLiteral(" value"));
  EXPECT_EQ(I.ReadString(QStringLiteral("S"), QStringLiteral("empty"), QStringLiteral("d")),
            QString());
}

TEST_F(GraphIni, TypedValuesAndMalformedOnes) {
  Put(File, "[T]\nh=0x1F\nd=$1F\nbad=12abc\nshort=0x\nb2=2\nb0=0\nf=2.5\nfbad=2,5\nfe=\nneg=-7\n");
  TGraphMemIniFile I(File);
  const QString T = QStringLiteral("T");
  EXPECT_EQ(I.ReadInteger(T, QStringLiteral("h"), -1), 31);
  EXPECT_EQ(I.ReadInteger(T, QStringLiteral("d"), -1), 31);
  EXPECT_EQ(I.ReadInteger(T, QStringLiteral("bad"), -1), -1);
  EXPECT_EQ(I.ReadInteger(T, QStringLiteral("short"), -1), -1);
  EXPECT_EQ(I.ReadInteger(T, QStringLiteral("neg"), 0), -7);
  EXPECT_TRUE(I.ReadBool(T, QStringLiteral("b2"), false));
  EXPECT_FALSE(I.ReadBool(T, QStringLiteral("b0"), true));
  EXPECT_TRUE(I.ReadBool(T, QStringLiteral("missing"), true));
  EXPECT_EQ(I.ReadFloat(T, QStringLiteral("f"), 0), 2.5);
  EXPECT_EQ(I.ReadFloat(T, QStringLiteral("fbad"), 9), 9);
  EXPECT_EQ(I.ReadFloat(T, QStringLiteral("fe"), 9), 9);
  I.WriteBool(T, QStringLiteral("w"), true);
  I.WriteFloat(T, QStringLiteral("wf"), 0.1);
  I.WriteInteger(T, QStringLiteral("wi"), -42);
  I.WriteDateTime(T, QStringLiteral("when"), 45000.5);
  EXPECT_EQ(I.ReadString(T, QStringLiteral("w"), {}), QStringLiteral("1"));
  EXPECT_EQ(I.ReadFloat(T, QStringLiteral("wf"), 0), 0.1);
  EXPECT_EQ(I.ReadInteger(T, QStringLiteral("wi"), 0), -42);
  EXPECT_DOUBLE_EQ(I.ReadDateTime(T, QStringLiteral("when"), 0), 45000.5);
  I.WriteDate(T, QStringLiteral("day"), 45000.75);
  EXPECT_DOUBLE_EQ(I.ReadDate(T, QStringLiteral("day"), 0), 45000);
  EXPECT_DOUBLE_EQ(I.ReadDate(T, QStringLiteral("bad"), 3), 3);
}

TEST_F(GraphIni, RoundTripWritesOnlyWhenChanged) {
  {
    TGraphMemIniFile I(File);
    I.WriteString(QStringLiteral("Plot"), QStringLiteral("Color"), QStringLiteral("255"));
    I.WriteString(QStringLiteral("Picture"), QStringLiteral("Name"), QStringLiteral("a.bmp"));
  }
  EXPECT_EQ(Read(File), QByteArray("[Plot]\nColor=255\n\n[Picture]\nName=a.bmp\n"));
  QFile::setPermissions(File, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
  QDateTime Before = QFileInfo(File).lastModified();
  Put(File, Read(File));  // same bytes; note the time
  Before = QFileInfo(File).lastModified();
  {
    TGraphMemIniFile I(File);
    EXPECT_EQ(I.ReadString(QStringLiteral("plot"), QStringLiteral("color"), {}),
              QStringLiteral("255"));
    I.WriteString(QStringLiteral("Plot"), QStringLiteral("Color"), QStringLiteral("255"));
    EXPECT_FALSE(I.Modified());  // the same value is no change
    EXPECT_TRUE(I.UpdateFile());
  }
  EXPECT_EQ(QFileInfo(File).lastModified(), Before);
  {
    TGraphMemIniFile I(File);
    I.WriteString(QStringLiteral("plot"), QStringLiteral("COLOR"), QStringLiteral("0"));
    I.DeleteKey(QStringLiteral("Picture"), QStringLiteral("name"));
    I.EraseSection(QStringLiteral("Nothing"));
  }
  // The key keeps the file's spelling; only its value changes.
  EXPECT_EQ(Read(File), QByteArray("[Plot]\nColor=0\n\n[Picture]\n"));
}

TEST_F(GraphIni, CarriageReturnsAreLineEnds) {
  Put(File, "[S]\r\nx=1\r\n[T]\ry=2\r");
  TGraphMemIniFile I(File);
  EXPECT_EQ(I.ReadSections(), (QStringList{QStringLiteral("S"), QStringLiteral("T")}));
  EXPECT_EQ(I.ReadString(QStringLiteral("S"), QStringLiteral("x"), {}), QStringLiteral("1"));
  EXPECT_EQ(I.ReadString(QStringLiteral("T"), QStringLiteral("y"), {}), QStringLiteral("2"));
  I.WriteString(QStringLiteral("S"), QStringLiteral("z"), QStringLiteral("a\r\nb"));
  ASSERT_TRUE(I.UpdateFile());
  // Lines not changed keep their own line ends.
  EXPECT_EQ(Read(File), QByteArray("[S]\r\nx=1\r\nz=a  b\n[T]\ry=2\r"));
}

TEST_F(GraphIni, OnlyItsOwnChangesReachTheSharedFile) {
  Put(File, "; settings\n[fmCalc]\nDigits=10\n\n[fmPlot.Plot]\nPlot_Color=1\n");
  TGraphMemIniFile Plot(File);
  {
    // The calculator writes its own section meanwhile, with the platform's INI file.
    TIniFile Calc(File);
    Calc.WriteInteger(QStringLiteral("fmCalc"), QStringLiteral("Digits"), 12);
    Calc.WriteString(QStringLiteral("fmCalc"), QStringLiteral("Mode"), QStringLiteral("Sci"));
    ASSERT_TRUE(Calc.UpdateFile());
  }
  Plot.WriteInteger(QStringLiteral("fmPlot.Plot"), QStringLiteral("Plot_Color"), 2);
  ASSERT_TRUE(Plot.UpdateFile());
  EXPECT_EQ(Plot.ReadInteger(QStringLiteral("fmCalc"), QStringLiteral("Digits"), 0), 12);
  QByteArray B = Read(File);
  EXPECT_TRUE(B.contains("Digits=12")) << B.toStdString();
  EXPECT_TRUE(B.contains("Mode=Sci")) << B.toStdString();
  EXPECT_TRUE(B.contains("Plot_Color=2")) << B.toStdString();
  TIniFile Check(File);
  EXPECT_EQ(Check.ReadInteger(QStringLiteral("fmCalc"), QStringLiteral("Digits"), 0), 12);
  EXPECT_EQ(Check.ReadInteger(QStringLiteral("fmPlot.Plot"), QStringLiteral("Plot_Color"), 0), 2);
}

TEST_F(GraphIni, CommentsAndForeignLinesStay) {
  Put(File, "top line\n; a comment\n[S]\n; inside\nx=1\nnot a pair\n\n[S]\nx=9\n");
  {
    TGraphMemIniFile I(File);
    I.WriteString(QStringLiteral("S"), QStringLiteral("x"), QStringLiteral("2"));
    I.WriteString(QStringLiteral("S"), QStringLiteral("new"), QStringLiteral("3"));
  }
  EXPECT_EQ(
      Read(File),
      QByteArray("top line\n; a comment\n[S]\n; inside\nx=2\nnot a pair\nnew=3\n\n[S]\nx=9\n"));
}

TEST_F(GraphIni, DamagedDirectoryReportsTheFailure) {
  // A file where the directory should be: no one can write there, whatever their rights.
  Put(Dir.filePath(QStringLiteral("plain")), "x");
  QString F = Dir.filePath(QStringLiteral("plain/Numyx.INI"));
  TScriptedDialogService Script;
  TScopedDialogService Use(Script);
  {
    TGraphMemIniFile I(F);
    I.WriteString(QStringLiteral("S"), QStringLiteral("x"), QStringLiteral("1"));
    EXPECT_FALSE(I.UpdateFile().Why.isEmpty());
    EXPECT_TRUE(I.Modified());  // still pending
  }                             // the destructor reports instead of throwing
  ASSERT_EQ(Script.Messages().size(), 1);
  EXPECT_TRUE(Script.Messages()[0].contains(QStringLiteral("Numyx.INI")));
}

TEST_F(GraphIni, ReadOnlyDirectoryReportsTheFailure) {
  QString Sub = Dir.filePath(QStringLiteral("ro"));
  ASSERT_TRUE(QDir().mkdir(Sub));
  QString F = Sub + QStringLiteral("/Numyx.INI");
  QFile::setPermissions(Sub, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
  TScopedFileRights Rights;
  ASSERT_TRUE(TScopedFileRights::CannotCreateIn(Sub));
  TScriptedDialogService Script;
  TScopedDialogService Use(Script);
  {
    auto I = std::make_unique<TGraphMemIniFile>(F);
    I->WriteString(QStringLiteral("S"), QStringLiteral("x"), QStringLiteral("1"));
    EXPECT_FALSE(I->UpdateFile().Why.isEmpty());
    EXPECT_TRUE(I->Modified());  // still pending
  }                              // the destructor reports instead of throwing
  ASSERT_EQ(Script.Messages().size(), 1);
  EXPECT_TRUE(Script.Messages()[0].contains(QStringLiteral("Numyx.INI")));
  QFile::setPermissions(Sub,
                        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

TEST_F(GraphIni, UnreadableFileIsNeverOverwritten) {
  Put(File, "[S]\nx=1\n");
  QFile::setPermissions(File, QFileDevice::WriteOwner);
  TScopedFileRights Rights;
  ASSERT_TRUE(TScopedFileRights::CannotRead(File));
  TScriptedDialogService Script;
  TScopedDialogService Use(Script);
  {
    TGraphMemIniFile I(File);
    EXPECT_TRUE(I.ReadFailed());
    I.WriteString(QStringLiteral("T"), QStringLiteral("y"), QStringLiteral("2"));
    EXPECT_FALSE(I.UpdateFile());
  }
  QFile::setPermissions(File, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
  EXPECT_EQ(Read(File), QByteArray("[S]\nx=1\n"));
}
}  // namespace
