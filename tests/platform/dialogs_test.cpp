#include "platform/dialogs.h"
#include "platform/form.h"
#include "platform/image_file.h"
#include "test_util.h"
#include "tests/support/file_dialog_driver.h"

#include <gtest/gtest.h>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFontDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

TEST(DialogFilters, ParseMatchAndExtension) {
  auto Items = ParseFilter("Text files (*.TXT)|*.TXT|Pictures|*.BMP;*.emf|All files|*.*");
  ASSERT_EQ(Items.size(), 3);
  EXPECT_EQ(Items[0].Description, "Text files (*.TXT)");
  EXPECT_EQ(Items[1].Patterns, (QStringList{"*.BMP", "*.emf"}));
  EXPECT_TRUE(MatchesFilter("/tmp/tape.txt", Items[0]));
  EXPECT_TRUE(MatchesFilter("TAPE.Txt", Items[0]));
  EXPECT_FALSE(MatchesFilter("tape.txt.bak", Items[0]));
  EXPECT_TRUE(MatchesFilter("plot.EMF", Items[1]));
  EXPECT_TRUE(MatchesFilter("noext", Items[2]));
  EXPECT_EQ(FilterExtension(Items[0]), "TXT");
  EXPECT_EQ(FilterExtension(Items[1]), "BMP");
  EXPECT_EQ(FilterExtension(Items[2]), "");
  EXPECT_EQ(QtNameFilter(Items[0]), "Text files (*.TXT) (*.[tT][xX][tT])");
  EXPECT_EQ(NameForFileType("surface.[eE][mM][fF]", Items[0]), "surface.txt");
  EXPECT_EQ(NameForFileType("/d.x/surface", Items[0]), "/d.x/surface");
  EXPECT_EQ(NameForFileType("surface.BMP", Items[2]), "surface.BMP");
  EXPECT_TRUE(ParseFilter("").isEmpty());
  EXPECT_EQ(ParseFilter("odd|*.A|dangling").size(), 1);
}

TEST(ScriptedDialogs, BoxesAreRecordedAndAnswered) {
  TScriptedDialogService Script;
  TScopedDialogService Use(Script);
  ShowWarning("File <x.CON> not found.");
  ShowError("Can't open file y");
  ShowInformation("Done");
  Script.Answer(mrNo);
  EXPECT_EQ(Confirm("Replace?"), mrNo);
  EXPECT_EQ(Confirm("Again?", mbOK | mbCancel), mrCancel);  // nothing scripted: cancelled
  EXPECT_EQ(Script.Unanswered, 1);
  ASSERT_EQ(Script.Requests.size(), 5u);
  EXPECT_EQ(Script.Requests[0].Type, mtWarning);
  EXPECT_EQ(Script.Requests[0].Caption, "Warning");
  EXPECT_EQ(Script.Requests[1].Type, mtError);
  EXPECT_EQ(Script.Requests[2].Caption, "Information");
  EXPECT_EQ(Script.Requests[3].Buttons, unsigned(mbYes | mbNo));
  EXPECT_EQ(Script.Messages(), (QStringList{"File <x.CON> not found.", "Can't open file y", "Done",
                                            "Replace?", "Again?"}));

  Script.AnswerText("42");
  Script.AnswerCancel();
  QString V = "7";
  EXPECT_TRUE(InputQuery("Matrix", "r =", V));
  EXPECT_EQ(V, "42");
  EXPECT_EQ(InputBox("Matrix", "n =", "2"), "2");  // cancelled: the default
  EXPECT_EQ(Script.Requests[5].Kind, TDialogRequest::rkInput);
  EXPECT_EQ(Script.Requests[5].Value, "7");

  Script.AnswerColor(0x0000FF);
  TColorDialog C;
  C.Color = 0x123456;
  EXPECT_TRUE(C.Execute());
  EXPECT_EQ(C.Color, 0x0000FFu);
  EXPECT_EQ(Script.Requests.back().Color, 0x123456u);
  TPrintDialog P;
  EXPECT_FALSE(P.Execute());
  Script.Answer(mrOk);
  EXPECT_TRUE(TPrinterSetupDialog().Execute());
}

TEST(ScriptedDialogs, SaveAddsTheFiltersExtensionAndAsksBeforeReplacing) {
  QTemporaryDir Dir;
  TScriptedDialogService Script;
  TScopedDialogService Use(Script);
  TSaveDialog D;
  D.Title = "Save to Text File";
  D.DefaultExt = "TXT";
  D.Filter = "Text files (*.TXT)|*.TXT|Variables files (*.VAR)|*.VAR|All|*.*";

  Script.AnswerFile(Dir.filePath("tape"));
  ASSERT_TRUE(D.Execute());
  EXPECT_EQ(D.FileName, Dir.filePath("tape.TXT"));
  EXPECT_EQ(Script.Requests[0].Kind, TDialogRequest::rkSave);
  EXPECT_EQ(Script.Requests[0].File.Title, "Save to Text File");

  Script.AnswerFile(Dir.filePath("vars"), 2);  // the second filter chosen
  ASSERT_TRUE(D.Execute());
  EXPECT_EQ(D.FileName, Dir.filePath("vars.VAR"));
  EXPECT_EQ(D.FilterIndex, 2);

  Script.AnswerFile(Dir.filePath("plain"), 3);  // "*.*" names no extension: the default
  ASSERT_TRUE(D.Execute());
  EXPECT_EQ(D.FileName, Dir.filePath("plain.TXT"));

  Script.AnswerFile(Dir.filePath("keep.dat"), 1);  // a typed extension stays
  ASSERT_TRUE(D.Execute());
  EXPECT_EQ(D.FileName, Dir.filePath("keep.dat"));

  // Over an existing file: "No" goes back to the dialog, "Yes" takes it.
  ASSERT_TRUE(PutBytes(Dir.filePath("old.TXT"), "x"));
  Script.Requests.clear();
  Script.AnswerFile(Dir.filePath("old"), 1);
  Script.Answer(mrNo);
  Script.AnswerFile(Dir.filePath("old.TXT"), 1);
  Script.Answer(mrYes);
  ASSERT_TRUE(D.Execute());
  EXPECT_EQ(D.FileName, Dir.filePath("old.TXT"));
  ASSERT_EQ(Script.Requests.size(), 4u);
  EXPECT_EQ(Script.Requests[1].Kind, TDialogRequest::rkMessage);
  EXPECT_TRUE(Script.Requests[1].Text.startsWith(Dir.filePath("old.TXT")));
  EXPECT_EQ(Script.Requests[2].File.FileName, Dir.filePath("old.TXT"));

  // Another spelling of it is asked about and kept in the clean one.
  ASSERT_TRUE(QDir(Dir.path()).mkdir("sub"));
  Script.Requests.clear();
  Script.AnswerFile(Dir.path() + "/sub/.././old", 1);
  Script.Answer(mrYes);
  ASSERT_TRUE(D.Execute());
  EXPECT_EQ(D.FileName, Dir.filePath("old.TXT"));
  ASSERT_EQ(Script.Requests.size(), 2u);
  EXPECT_TRUE(Script.Requests[1].Text.startsWith(Dir.filePath("old.TXT") + " already"));

  // A link loop is asked about too: the save would meet it.
  ASSERT_TRUE(QFile::link(Dir.filePath("b.TXT"), Dir.filePath("a.TXT")));
  ASSERT_TRUE(QFile::link(Dir.filePath("a.TXT"), Dir.filePath("b.TXT")));
  Script.Requests.clear();
  Script.AnswerFile(Dir.filePath("a"), 1);
  Script.Answer(mrYes);
  ASSERT_TRUE(D.Execute());
  ASSERT_EQ(Script.Requests.size(), 2u);
  EXPECT_TRUE(Script.Requests[1].Text.startsWith(Dir.filePath("a.TXT")));

  // Cancelling the question and then the dialog keeps the old name.
  Script.AnswerFile(Dir.filePath("old"), 1);
  Script.Answer(mrNo);
  Script.AnswerCancel();
  D.FileName = "before";
  EXPECT_FALSE(D.Execute());
  EXPECT_EQ(D.FileName, "before");
  EXPECT_EQ(Script.Unanswered, 0);
}

TEST(ScriptedDialogs, OpenAddsTheExtensionOnlyWhenTheTypedNameDoesNotExist) {
  QTemporaryDir Dir;
  TScriptedDialogService Script;
  TScopedDialogService Use(Script);
  ASSERT_TRUE(PutBytes(Dir.filePath("Numyx.FNC"), ""));
  ASSERT_TRUE(PutBytes(Dir.filePath("bare"), ""));
  TOpenDialog D;
  D.DefaultExt = "FNC";
  D.Filter = "User functions files (*.FNC)|*.FNC";
  Script.AnswerFile(Dir.filePath("Numyx"));
  ASSERT_TRUE(D.Execute());
  EXPECT_EQ(D.FileName, Dir.filePath("Numyx.FNC"));
  Script.AnswerFile(Dir.filePath("bare"));
  ASSERT_TRUE(D.Execute());
  EXPECT_EQ(D.FileName, Dir.filePath("bare"));
  // The types match without regard to case, and so does the extension added.
  ASSERT_TRUE(PutBytes(Dir.filePath("low.fnc"), ""));
  Script.AnswerFile(Dir.filePath("low"));
  ASSERT_TRUE(D.Execute());
  EXPECT_EQ(D.FileName, Dir.filePath("low.fnc"));
  EXPECT_EQ(Script.Requests[0].Kind, TDialogRequest::rkOpen);
  Script.AnswerFile(Dir.path() + "/./Numyx");
  ASSERT_TRUE(D.Execute());
  EXPECT_EQ(D.FileName, Dir.filePath("Numyx.FNC"));
}

// The Qt dialog with its file type combo: whichever type is picked comes back as that type,
// however Qt writes the filter it shows.
TEST(QtDialogs, TheFileTypePickedInTheDialogComesBack) {
  QTemporaryDir Dir;
  TSaveDialog D;
  D.Title = "Save to file";
  D.Filter = "BMP files (*.BMP)|*.BMP|WMF files (*.WMF)|*.WMF|Windows Enhanced Metafile|*.EMF";
  D.DefaultExt = "BMP";
  const char* const Extensions[] = {"BMP", "WMF", "EMF"};
  for (int Index = 1; Index <= 3; ++Index) {
    const QString Typed = Dir.filePath(QString("pic%1").arg(Index));
    TFileDialogDriver Driver(Index, Typed);
    D.FilterIndex = 1;
    ASSERT_TRUE(D.Execute());
    ASSERT_TRUE(Driver.Answered());
    EXPECT_EQ(Driver.Offered().size(), 3);
    EXPECT_EQ(D.FilterIndex, Index);
    EXPECT_EQ(D.FileName, Typed + "." + Extensions[Index - 1]);
  }
  // Another type picked for a name that has an extension gives it the type's own extension.
  D.FileName = Dir.filePath("surface.BMP");
  D.FilterIndex = 1;
  TFileDialogDriver Driver(3, QString());
  ASSERT_TRUE(D.Execute());
  EXPECT_EQ(Driver.Proposed(), "surface.BMP");
  EXPECT_EQ(D.FileName, Dir.filePath("surface.emf"));
}

// "Arial" reaches the screen through a substitute the font database lists instead; OK without a
// change must not rename the font to whatever family the dialog happened to select.
TEST(QtDialogs, TheFontDialogKeepsASubstitutedNameUnlessAnotherFamilyIsPicked) {
  QFont Font(QStringLiteral("Arial"));
  Font.setPointSize(13);
  std::uint32_t Color = 0x0000FF;
  QTimer::singleShot(0, [] {
    if (auto* D = qobject_cast<QDialog*>(QApplication::activeModalWidget())) D->accept();
  });
  ASSERT_TRUE(Dialogs().ChooseFont(Font, Color));
  EXPECT_EQ(Font.family(), QStringLiteral("Arial"));
  EXPECT_EQ(Font.pointSize(), 13);
  EXPECT_EQ(Color, 0x0000FFu);

  // Escape in the family field cancels the whole dialog, rather than emptying it.
  bool LeftOpen = false;
  QTimer::singleShot(0, [&] {
    QKeyEvent Escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    auto* D = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    ASSERT_TRUE(D);
    QApplication::sendEvent(D->findChild<QFontDialog*>()->findChild<QLineEdit*>(), &Escape);
    LeftOpen = D->isVisible();
    if (LeftOpen) D->accept();
  });
  EXPECT_FALSE(Dialogs().ChooseFont(Font, Color));
  EXPECT_FALSE(LeftOpen);
}

TEST(ScriptedDialogs, TheChosenFilterIsFoundByItsTextAndATypedExtensionNamesItsType) {
  const QString Filter = "BMP files (*.BMP)|*.BMP|WMF files (*.WMF)|*.WMF|All|*.*";
  EXPECT_EQ(FindFilter(Filter, "wmf FILES (*.wmf)|*.wmf"), 2);
  EXPECT_EQ(FindFilter(Filter, "All|*.*"), 3);
  EXPECT_EQ(FindFilter(Filter, "WMF files (*.WMF)"), 0);
  EXPECT_EQ(FindFilter(Filter, ""), 0);
  EXPECT_EQ(FilterText(ParseFilter(Filter)[1]), "WMF files (*.WMF)|*.WMF");

  QTemporaryDir Dir;
  TScriptedDialogService Script;
  TScopedDialogService Use(Script);
  TSaveDialog D;
  D.Filter = Filter;
  D.DefaultExt = "BMP";
  Script.AnswerFile(Dir.filePath("x.wmf"), 1);  // bitmap chosen, a metafile's name typed
  ASSERT_TRUE(D.Execute());
  EXPECT_EQ(D.FilterIndex, 2);
  EXPECT_EQ(D.FileName, Dir.filePath("x.wmf"));
  Script.AnswerFile(Dir.filePath("y.dat"), 1);  // no type of the list: the chosen one stays
  ASSERT_TRUE(D.Execute());
  EXPECT_EQ(D.FilterIndex, 1);
  Script.AnswerFile(Dir.filePath("z.bmp"), 3);  // "All" takes any name as it is
  ASSERT_TRUE(D.Execute());
  EXPECT_EQ(D.FilterIndex, 3);
  // Opened again on another type, the last name is proposed with that type's extension, so that
  // the name and the type shown agree; a name of no type of the list, or "All", keeps its own.
  Script.Requests.clear();
  for (const auto& [Name, Index] : {std::pair{"x.wmf", 1}, {"y.dat", 2}, {"z.bmp", 3}}) {
    D.FileName = Dir.filePath(Name);
    D.FilterIndex = Index;
    Script.AnswerCancel();
    EXPECT_FALSE(D.Execute());
  }
  QStringList Proposed;
  for (const auto& R : Script.Requests) Proposed << QFileInfo(R.File.FileName).fileName();
  EXPECT_EQ(Proposed.join(' ').toStdString(), "x.bmp y.dat z.bmp");
}

TEST(QtDialogs, BoxesSitOnTheModalWindowStillShownNotOnOneThatHasJustClosed) {
  QWidget Main;
  Main.show();
  QDialog Editor(&Main);
  Editor.setWindowModality(Qt::ApplicationModal);
  Editor.show();
  QDialog Closed(&Editor);
  Closed.setWindowModality(Qt::ApplicationModal);
  Closed.show();
  QApplication::processEvents();
  EXPECT_EQ(DialogParent(), &Closed);
  Closed.hide();
  EXPECT_EQ(DialogParent(), &Editor);
  // Without a modal window, the nearest shown owner of a closed one.
  Editor.hide();
  EXPECT_EQ(ShownOwnerWindow(&Closed), &Main);
  EXPECT_EQ(ShownOwnerWindow(nullptr), nullptr);
}

namespace {
// Runs each step in turn while a real file dialog is the modal window, with its events handled
// in between, as a user's keys would come.
class TFileDialogKeys {
 public:
  explicit TFileDialogKeys(std::vector<std::function<void(QFileDialog&)>> Steps)
      : FSteps(std::move(Steps)) {
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs, true);
    QObject::connect(&FTimer, &QTimer::timeout, [this] {
      // A message on the way ("File not found") is noted and closed, never left to wait.
      if (auto* Box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        FMessages << Box->text();
        Box->reject();
        return;
      }
      auto* D = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      if (!D || !D->isVisible() || FBusy) return;
      // Still open after the last key: the keys did not answer it; it must not wait forever.
      if (FNext >= FSteps.size()) return D->reject();
      // The step runs outside this timer, which can then close a box that the keys bring up.
      FBusy = true;
      QTimer::singleShot(0, D, [this, D] {
        FSteps[FNext++](*D);
        FBusy = false;
      });
    });
    FTimer.start(20);
  }
  const QStringList& Messages() const { return FMessages; }

 private:
  std::vector<std::function<void(QFileDialog&)>> FSteps;
  size_t FNext = 0;
  bool FBusy = false;
  QTimer FTimer;
  QStringList FMessages;
};

QLineEdit* NameField(QFileDialog& D) {
  return D.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
}
// Keys as a user types them: into the name field of the active dialog, which has the focus.
void Type(QFileDialog& D, const QString& Text) {
  D.activateWindow();
  (void)QTest::qWaitForWindowActive(&D);
  NameField(D)->setFocus();
  QTest::keyClicks(NameField(D), Text);
  QTest::keyClick(NameField(D), Qt::Key_Return);
}
}  // namespace

TEST(QtDialogs, AFolderTypedIntoTheNameFieldIsEnteredAndTheFieldEmptied) {
  QTemporaryDir Dir;
  QDir(Dir.path()).mkpath("top/my.dir");
  QDir(Dir.path()).mkpath("top/here/out/sub");
  TSaveDialog D;
  D.Title = "Save to Text File";
  D.DefaultExt = "TXT";
  D.Filter = "Text files (*.TXT)|*.TXT";
  // The folder typed, then what the dialog shows (name field, file type and whether the folder's
  // completions cover it, folder), then a name.
  auto Run = [&](const QString& Folder, const QString& Name) {
    QString Seen;
    D.InitialDir = Dir.filePath("top/here");
    D.FileName.clear();
    TFileDialogKeys Keys({[&](QFileDialog& F) { Type(F, Folder); },
                          [&](QFileDialog& F) {
                            const bool Covered = NameField(F)->completer()->popup()->isVisible();
                            Seen = NameField(F)->text() + "|" +
                                   F.findChild<QComboBox*>("fileTypeCombo")->currentText() +
                                   (Covered ? " covered|" : "|") +
                                   QDir(Dir.path()).relativeFilePath(F.directory().path());
                            Type(F, Name);
                          }});
    if (!D.Execute()) return std::string("cancelled");
    return (Seen + "|" + QDir(Dir.path()).relativeFilePath(D.FileName)).toStdString();
  };
  EXPECT_EQ(Run("../my.dir", "t6"), "|Text files (*.TXT)|top/my.dir|top/my.dir/t6.TXT");
  EXPECT_EQ(Run("out/sub", "t7"), "|Text files (*.TXT)|top/here/out/sub|top/here/out/sub/t7.TXT");
  const QByteArray Home = qgetenv("HOME");
  qputenv("HOME", Dir.filePath("top").toLocal8Bit());
  EXPECT_EQ(Run("~", "t8"), "|Text files (*.TXT)|top|top/t8.TXT");
  qputenv("HOME", Home);
  ASSERT_TRUE(PutBytes(D.FileName, "x"));

  // A name in a missing folder, or a missing folder's name, is refused in the dialog, which stays
  // with the name to be mended (here typed anew).
  auto Retype = [](const QString& Name) {
    return [Name](QFileDialog& F) {
      QTest::keyClick(NameField(F), Qt::Key_A, Qt::ControlModifier);
      Type(F, Name);
    };
  };
  TFileDialogKeys Keys({Retype("nosuch/x"), Retype("newdir/"), Retype("t8.TXT/"), Retype("ok")});
  D.InitialDir = Dir.filePath("top");
  D.FileName.clear();
  ASSERT_TRUE(D.Execute());
  EXPECT_EQ(D.FileName.toStdString(), Dir.filePath("top/ok.TXT").toStdString());
  QString Expected;
  for (const char* Folder : {"nosuch", "newdir", "t8.TXT"})
    Expected += Dir.filePath("top/") + Folder +
                "\nFolder not found.\nPlease verify the correct folder name was given.|";
  EXPECT_EQ((Keys.Messages().join('|') + '|').toStdString(), Expected.toStdString());
}

// The chooser itself must let a name typed without its extension through to the rule that adds
// it, trying each pattern of a type of several in the folder's case.
TEST(QtDialogs, AnOpenDialogTakesANameTypedWithoutItsExtension) {
  QTemporaryDir Dir;
  ASSERT_TRUE(PutBytes(Dir.filePath("myfuncs.fnc"), "f(x)=x\n"));  // listed for "*.FNC"
  ASSERT_TRUE(PutBytes(Dir.filePath("pic one.BMP"), "BM"));        // the last of the type's
  auto Open = [&](const QString& Filter, const QString& Typed) {
    TOpenDialog D;
    D.Filter = Filter;
    D.InitialDir = Dir.path();
    TFileDialogKeys Keys({[&](QFileDialog& F) { Type(F, Typed); }});
    if (!D.Execute()) return "refused: " + Keys.Messages().join(' ').toStdString();
    return QDir(Dir.path()).relativeFilePath(D.FileName).toStdString();
  };
  EXPECT_EQ(Open("User functions files (*.FNC)|*.FNC", "myfuncs"), "myfuncs.fnc");
  EXPECT_EQ(Open(PictureFileFilter(), "pic one"), "pic one.BMP");
}

// A name that the save would take for a folder is refused at once in the dialog, which stays;
// a service that hands a folder on is asked again.
TEST(QtDialogs, ASaveNameThatIsAFolderIsRefusedInTheDialog) {
  QTemporaryDir Dir;
  ASSERT_TRUE(QDir(Dir.path()).mkpath("exist.FNC"));
  TSaveDialog D;
  D.DefaultExt = "FNC";
  D.Filter = "User functions files (*.FNC)|*.FNC";
  D.InitialDir = Dir.path();
  const QString Folder = Dir.filePath("exist.FNC");
  const QString Refusal =
      Folder + "\nThis name is a folder, not a file.\nPlease give another file name.";
  {
    TFileDialogKeys Keys({[&](QFileDialog& F) { Type(F, "exist"); },
                          [&](QFileDialog& F) {
                            EXPECT_EQ(NameField(F)->text(), "exist");
                            QTest::keyClick(NameField(F), Qt::Key_A, Qt::ControlModifier);
                            Type(F, "new");
                          }});
    ASSERT_TRUE(D.Execute());
    EXPECT_EQ(D.FileName.toStdString(), Dir.filePath("new.FNC").toStdString());
    EXPECT_EQ(Keys.Messages().join('|').toStdString(), Refusal.toStdString());
  }
  TScriptedDialogService Script;
  TScopedDialogService Use(Script);
  Script.AnswerFile(Folder);
  Script.AnswerFile(Dir.filePath("exist"));
  EXPECT_FALSE(D.Execute());
  EXPECT_EQ(Script.Messages().join('|').toStdString(), (Refusal + '|' + Refusal).toStdString());
  EXPECT_EQ(Script.Unanswered, 1);
}

// Just after a file dialog closes no window is active for a while: the box that follows, and a
// dialog made once for the whole program, still open centred over the window the user is in.
TEST(QtDialogs, BoxesAfterAFileDialogSitOnTheWindowItBelongedTo) {
  QTemporaryDir Dir;
  ASSERT_TRUE(PutBytes(Dir.filePath("a.fnc"), "x"));
  QWidget Main;
  Main.setGeometry(300, 200, 400, 300);
  Main.show();
  Main.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&Main));
  {
    TOpenDialog D;
    D.Filter = "User functions files (*.FNC)|*.FNC";
    D.InitialDir = Dir.path();
    TFileDialogKeys Keys({[&](QFileDialog& F) { Type(F, "a"); }});
    ASSERT_TRUE(D.Execute());
  }
  auto Off = [&](const QWidget* W) {
    return (W->frameGeometry().center() - Main.frameGeometry().center()).manhattanLength();
  };
  QWidget* Owner = nullptr;
  int BoxOff = -1;
  QTimer::singleShot(50, [&] {
    if (auto* Box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      Owner = Box->parentWidget();
      BoxOff = Off(Box);
      Box->reject();
    }
  });
  ShowError("x");
  EXPECT_EQ(Owner, &Main);
  EXPECT_LE(BoxOff, 2);
  TForm Shared;
  Shared.SetBorderStyle(bsDialog);
  Shared.setGeometry(0, 0, 200, 100);
  Shared.show();
  for (int i = 0; i < 3; ++i) QApplication::processEvents();
  EXPECT_LE(Off(&Shared), 2);
}
