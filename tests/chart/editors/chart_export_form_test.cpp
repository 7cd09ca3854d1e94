// The export dialog: what each format copies, and files written by the type chosen in the save
// dialog, read back by other programs' readers.
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>

#include "chart/editors/chart_export_form.h"
#include "chart/editors/native_chart_file.h"
#include "editor_test_support.h"
#include "platform/controls.h"
#include "platform/text_file.h"
#include "tests/support/file_dialog_driver.h"
#include "tests/support/metafile_svg.h"

TEST_F(ChartEditorTest, ExportDialogCopiesAndSavesByTheChosenFileType) {
  AddLine(QStringLiteral("One"), clRed);
  QTemporaryDir Dir;
  ASSERT_TRUE(Dir.isValid());
  QStringList Copied;
  Then([&](TForm& Form) {
    auto& E = dynamic_cast<TChartExportForm&>(Form);
    EXPECT_EQ(E.windowTitle(), u"Export RodIvaze");
    EXPECT_TRUE(bool(ChartSaveNativeHook));
    // The native format cannot be copied.
    E.RGFormat->SetItemIndex(3);
    EXPECT_FALSE(E.BCopy->isEnabled());
    for (int Item : {0, 1, 2}) {
      E.RGFormat->SetItemIndex(Item);
      EXPECT_TRUE(E.BCopy->isEnabled());
      QGuiApplication::clipboard()->clear();
      E.BCopy->click();
      const QMimeData* M = QGuiApplication::clipboard()->mimeData();
      Copied << QStringLiteral("%1:%2:%3:%4")
                    .arg(Item)
                    .arg(M->hasImage())
                    .arg(M->hasFormat(QStringLiteral("image/x-wmf")))
                    .arg(M->hasFormat(QStringLiteral("image/x-emf")));
    }
    // The radio group says WMF; the file type picked in the save dialog decides the writer.
    E.RGFormat->SetItemIndex(1);
    for (int Type = 1; Type <= 4; ++Type) {
      Dialogs.AnswerFile(Dir.filePath(QStringLiteral("pic%1").arg(Type)), Type);
      E.BSave->click();
    }
    E.BClose->click();
  });
  ShowExportForm(nullptr, *Chart);
  EXPECT_FALSE(bool(ChartSaveNativeHook));
  EXPECT_EQ(Copied, (QStringList{"0:1:0:0", "1:1:1:0", "2:1:0:1"}));
  ASSERT_EQ(Dialogs.Requests.size(), 4u);
  EXPECT_EQ(Dialogs.Requests[0].File.FilterIndex, 2);
  EXPECT_EQ(Dialogs.Requests[0].File.DefaultExt, u"WMF");
  EXPECT_TRUE(Dialogs.Messages().isEmpty()) << Dialogs.Messages().join('\n').toStdString();

  const QImage Bmp(Dir.filePath(QStringLiteral("pic1.BMP")), "BMP");
  EXPECT_EQ(Bmp.size(), QSize(400, 300));
  EXPECT_GT(CountColor(Bmp.convertToFormat(QImage::Format_RGB32), clRed), 20);
  EXPECT_TRUE(MetafileToSvg(false, Dir.filePath(QStringLiteral("pic2.WMF"))).contains("<svg"));
  EXPECT_TRUE(MetafileToSvg(true, Dir.filePath(QStringLiteral("pic3.EMF"))).contains("<svg"));
  QByteArray Native;
  ASSERT_TRUE(ReadFileBytes(Dir.filePath(QStringLiteral("pic4.CHT")), Native).Ok());
  EXPECT_TRUE(Native.startsWith(QByteArray("\x60\x30\x20\x01TPF0", 8)));
}

TEST_F(ChartEditorTest, ExportDialogReportsAFileItCouldNotWrite) {
  AddLine(QStringLiteral("One"), clRed);
  Then([&](TForm& Form) {
    auto& E = dynamic_cast<TChartExportForm&>(Form);
    E.RGFormat->SetItemIndex(3);
    Dialogs.AnswerFile(QStringLiteral("/nonexistent-folder/chart.CHT"), 4);
    E.BSave->click();
    E.BClose->click();
  });
  ShowExportForm(nullptr, *Chart);
  ASSERT_EQ(Dialogs.Messages().size(), 1);
  EXPECT_FALSE(Dialogs.Messages()[0].isEmpty());
}

TEST_F(ChartEditorTest, ExportThroughTheRealSaveDialogWritesTheNativeFile) {
  AddLine(QStringLiteral("One"), clRed);
  QTemporaryDir Dir;
  ASSERT_TRUE(Dir.isValid());
  const QString Typed = Dir.filePath(QStringLiteral("typed"));
  SetDialogService(nullptr);
  Then([&](TForm& Form) {
    auto& E = dynamic_cast<TChartExportForm&>(Form);
    // The radio group says bitmap; the user picks the native type in Qt's own dialog.
    TFileDialogDriver Driver(4, Typed);
    E.BSave->click();
    EXPECT_TRUE(Driver.Answered());
    EXPECT_EQ(Driver.Offered().size(), 4);
    EXPECT_TRUE(Driver.Messages().isEmpty()) << Driver.Messages().join(u'\n').toStdString();
    E.BClose->click();
  });
  ShowExportForm(nullptr, *Chart);
  SetDialogService(&Dialogs);
  QByteArray Native;
  ASSERT_TRUE(ReadFileBytes(Typed + QStringLiteral(".CHT"), Native).Ok());
  EXPECT_TRUE(Native.startsWith(QByteArray("\x60\x30\x20\x01TPF0", 8)));
}
