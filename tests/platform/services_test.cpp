#include "platform/app_services.h"
#include "platform/clipboard.h"
#include "platform/cursors.h"
#include "platform/dialogs.h"
#include "platform/printer.h"
#include "platform/printer_settings.h"
#include "platform/string_list.h"
#include "small_disk.h"
#include "test_util.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QTemporaryDir>
#include <QUrl>

#include <chrono>
#include <functional>
#include <stdexcept>
#include <thread>

TEST(HandlerGuard, EscapingExceptionsBecomeErrorBoxes) {
  TScriptedDialogService Script;
  TScopedDialogService Use(Script);
  auto Handler = Guarded([](int n) {
    if (n == 1) throw std::runtime_error("Matrix is singular");
    if (n == 2) TStringList().Strings(3);
    if (n == 3) throw 42;
  });
  Handler(0);
  Handler(1);
  Handler(2);
  Handler(3);
  EXPECT_FALSE(RunGuarded([] { throw std::bad_alloc(); }));
  EXPECT_TRUE(RunGuarded([] {}));
  EXPECT_EQ(Script.Messages(), (QStringList{"Matrix is singular", "List index out of bounds (3)",
                                            "Unknown error", "Out of memory"}));
  for (const auto& R : Script.Requests) EXPECT_EQ(R.Type, mtError);
}

TEST(Cursors, TableScreenCursorAndBusyGuard) {
  EXPECT_EQ(CursorShape(crHourGlass).shape(), Qt::WaitCursor);
  EXPECT_EQ(CursorShape(12345).shape(), Qt::ArrowCursor);
  RegisterCursor(14000, OwnCursor("NX_HANDCUR"));
  RegisterCursor(10, OwnCursor("ZOOMIN"));
  EXPECT_TRUE(CursorRegistered(14000));
  EXPECT_EQ(CursorShape(14000).shape(), Qt::BitmapCursor);
  EXPECT_FALSE(CursorShape(10).pixmap().isNull());
  for (const char* Name : {"NX_DRAGCUR", "AIM", "ERAZE", "CHART_CURSOR_HAND"}) {
    QImage Img = OwnCursor(Name).pixmap().toImage();
    ASSERT_FALSE(Img.isNull()) << Name;
    int Black = 0, White = 0;  // an outline and a filling, so it shows on any background
    for (int y = 0; y < Img.height(); ++y)
      for (int x = 0; x < Img.width(); ++x) {
        QColor c = Img.pixelColor(x, y);
        if (c.alpha() == 255) (c.lightness() < 50 ? Black : White)++;
      }
    EXPECT_GT(Black, 20) << Name;
    EXPECT_GT(White + Black, 60) << Name;
  }
  UnregisterCursor(14000);
  EXPECT_FALSE(CursorRegistered(14000));
  EXPECT_EQ(CursorToIdent(crHandPoint), "crHandPoint");
  TCursor C = 0;
  EXPECT_TRUE(IdentToCursor("crsizeall", C));
  EXPECT_EQ(C, crSizeAll);

  EXPECT_EQ(ScreenCursor(), crDefault);
  try {
    TBusyCursor Busy;
    EXPECT_EQ(ScreenCursor(), crHourGlass);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    {
      TBusyCursor Cross(crCross);
      EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::CrossCursor);
    }
    EXPECT_EQ(ScreenCursor(), crHourGlass);
    throw std::runtime_error("early exit");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(ScreenCursor(), crDefault);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(Clipboard, TextAndImages) {
  SetClipboardText("1\t2\r3\t4\r");
  EXPECT_TRUE(ClipboardHasText());
  EXPECT_EQ(ClipboardText(), "1\t2\r3\t4\r");
  QImage Img(4, 3, QImage::Format_RGB32);
  Img.fill(Qt::red);
  SetClipboardImage(Img);
  EXPECT_TRUE(ClipboardHasImage());
  EXPECT_EQ(ClipboardImage().size(), QSize(4, 3));
  ClearClipboard();
  EXPECT_FALSE(ClipboardHasText());
}

TEST(HelpAndShell, MissingHelpFileInformsAndLinksGoToTheDesktop) {
  TScriptedDialogService Script;
  TScopedDialogService Use(Script);
  std::vector<QUrl> Opened;
  SetUrlOpener([&](const QUrl& U) {
    Opened.push_back(U);
    return true;
  });
  QTemporaryDir Dir;
  SetHelpFile(Dir.filePath("Numyx.hlp"));
  EXPECT_FALSE(ShowHelpContext(21));
  ASSERT_EQ(Script.Requests.size(), 1u);
  EXPECT_EQ(Script.Requests[0].Type, mtInformation);
  EXPECT_TRUE(Script.Requests[0].Text.contains("Numyx.hlp"));
  EXPECT_TRUE(Opened.empty());

  ASSERT_TRUE(PutBytes(Dir.filePath("Numyx.hlp"), "help"));
  EXPECT_TRUE(ShowHelpContext(21));
  EXPECT_TRUE(OpenMailLink("mailto:support@example.org?subject=Techsupport"));
  EXPECT_TRUE(StartTextEditor(Dir.filePath("Numyx.CON")));
  ASSERT_EQ(Opened.size(), 3u);
  EXPECT_EQ(Opened[0].toLocalFile(), Dir.filePath("Numyx.hlp"));
  EXPECT_EQ(Opened[1].scheme(), "mailto");
  EXPECT_EQ(Opened[1].query(), "subject=Techsupport");
  EXPECT_EQ(Opened[2].toLocalFile(), Dir.filePath("Numyx.CON"));
  SetUrlOpener(nullptr);
  SetHelpFile({});
}

TEST(Printer, PrintsTextToPdfWhereNoPrinterIsGiven) {
  QTemporaryDir Dir;
  SetPrinterPdfOutput(Dir.filePath("tape.pdf"));
  QStringList Lines;
  for (int i = 0; i < 200; ++i) Lines << QStringLiteral("line %1 = %2").arg(i).arg(i * i);
  QString Error;
  ASSERT_TRUE(PrintTextLines(Lines, "Tape", &Error)) << Error.toStdString();
  QByteArray Pdf = ReadBytes(Dir.filePath("tape.pdf"));
  EXPECT_TRUE(Pdf.startsWith("%PDF"));
  EXPECT_GE(Pdf.count("/Type /Page\n") + Pdf.count("/Type /Page\r") + Pdf.count("/Type /Page "), 1);

  // Without a fixed file, every job asks for one (a cancel prints nothing), offers the last
  // one, replaces a file only when the user says so, and says where the page went.
  SetPrinterPdfOutput({});
  SelectPdfOutput();
  {
    TScriptedDialogService Script;
    TScopedDialogService Use(Script);
    EXPECT_FALSE(PrintTextLines({"x"}, "Tape", &Error));
    ASSERT_EQ(Script.Requests.size(), 1u);
    EXPECT_EQ(Script.Requests[0].Kind, TDialogRequest::rkSave);
    const QString Chosen = Dir.filePath("chosen.PDF");
    Script.AnswerFile(Dir.filePath("chosen"));
    EXPECT_TRUE(PrintTextLines({"x"}, "Tape", &Error));
    const QByteArray First = ReadBytes(Chosen);
    EXPECT_TRUE(First.startsWith("%PDF"));
    EXPECT_TRUE(Script.Messages().last().contains(Chosen));
    Script.Requests.clear();
    Script.AnswerFile(Chosen);
    Script.Answer(mrNo);
    Script.AnswerFile(Dir.filePath("other.pdf"));
    EXPECT_TRUE(PrintTextLines({"y"}, "Tape", &Error));
    ASSERT_EQ(Script.Requests.size(), 4u);
    EXPECT_EQ(Script.Requests[0].File.FileName, Chosen);
    EXPECT_TRUE(Script.Requests[1].Text.contains("already exists"));
    EXPECT_EQ(Script.Requests[2].Kind, TDialogRequest::rkSave);
    EXPECT_EQ(ReadBytes(Chosen), First);
    EXPECT_TRUE(ReadBytes(Dir.filePath("other.pdf")).startsWith("%PDF"));
    EXPECT_TRUE(Script.Messages().last().contains("other.pdf"));
  }
  SetPrinterPdfOutput({});
}

// A PDF that cannot come out whole leaves the old one as it was and says which file and why.
TEST(Printer, APdfThatCannotBeWrittenKeepsTheOldOne) {
  const QByteArray Old = "%PDF-1.4 old\n%%EOF\n";
  QStringList Lines;
  for (int i = 0; i < 300; ++i) Lines << QStringLiteral("line %1").arg(i);
  const auto Why = [&](const QString& File) {
    SetPrinterPdfOutput(File);
    QString Error;
    EXPECT_FALSE(PrintTextLines(Lines, "Tape", &Error));
    EXPECT_EQ(ReadBytes(File), Old);
    const QString Said = "The file " + File + " could not be written: ";
    EXPECT_TRUE(Error.startsWith(Said)) << Error.toStdString();
    return Error.mid(Said.size());
  };
  QTemporaryDir Dir;
  const QString Locked = Dir.filePath("locked.pdf"), Mine = Dir.filePath("mine.pdf");
  ASSERT_TRUE(PutBytes(Locked, Old) && PutBytes(Mine, Old));
  QFile::setPermissions(Locked, QFile::ReadOwner);
  EXPECT_EQ(Why(Locked), "it is read-only");
  // A job left without its end, its drawing cut short, writes nothing.
  SetPrinterPdfOutput(Mine);
  {
    TPrintJob Job("Tape");
    ASSERT_TRUE(Job.BeginDoc());
    Job.Painter()->drawText(0, 20, "x");
  }
  EXPECT_EQ(ReadBytes(Mine), Old);

  TSmallDisk Disk;
  SKIP_WITHOUT_SMALL_DISK(Disk);
  ASSERT_TRUE(PutBytes(Disk.Path("keep.pdf"), Old));
  Disk.Fill();
  EXPECT_EQ(Why(Disk.Path("keep.pdf")), "No space left on device");
  // The page itself cut short on the way.
  const QByteArray Temp = qgetenv("TMPDIR");
  qputenv("TMPDIR", QFile::encodeName(Disk.Path("")));
  Why(Mine);
  qputenv("TMPDIR", Temp);
  Disk.Free();
  QString Error;
  EXPECT_TRUE(PrintTextLines(Lines, "Tape", &Error)) << Error.toStdString();
  EXPECT_TRUE(ReadBytes(Mine).trimmed().endsWith("%%EOF"));
  EXPECT_EQ(QDir(Disk.Path("")).entryList(QDir::Files | QDir::Hidden), QStringList{"keep.pdf"});
  SetPrinterPdfOutput({});
}

TEST(HandlerGuard, TheApplicationCatchesWhatAHandlerLetsOut) {
  struct TThrower : QObject {
    bool event(QEvent* E) override {
      if (E->type() == QEvent::User) throw std::runtime_error("Overflow");
      return QObject::event(E);
    }
  };
  TScriptedDialogService Script;
  TScopedDialogService Use(Script);
  TThrower T;
  QEvent E(QEvent::User);
  EXPECT_TRUE(QCoreApplication::sendEvent(&T, &E));
  EXPECT_EQ(Script.Messages(), QStringList{"Overflow"});
}

TEST(MessagePump, FastCallersArePumpedAtTheIntervalAndASlowingOneSoon) {
  using namespace std::chrono;
  SetPumpInterval(-1);
  // A queued call that queues itself again counts the times the messages were processed.
  int Pumps = 0;
  std::function<void()> Count = [&] {
    ++Pumps;
    QMetaObject::invokeMethod(qApp, Count, Qt::QueuedConnection);
  };
  QMetaObject::invokeMethod(qApp, Count, Qt::QueuedConnection);
  PumpWindowMessages();
  Pumps = 0;
  const auto Start = steady_clock::now();
  while (steady_clock::now() - Start < milliseconds(10 * PumpInterval)) PumpWindowMessages();
  EXPECT_GE(Pumps, 3);
  EXPECT_LE(Pumps, 11);

  // The calls slow down: the messages are processed after a few of them, not after a long
  // stretch of slow calls nobody looks at the clock for.
  Pumps = 0;
  int Calls = 0;
  while (Pumps == 0 && Calls < 1000) {
    std::this_thread::sleep_for(milliseconds(2));
    PumpWindowMessages();
    ++Calls;
  }
  EXPECT_EQ(Pumps, 1);
  EXPECT_LE(Calls, 64 + PumpInterval / 2);
  Count = [] {};
  QCoreApplication::processEvents();
}
