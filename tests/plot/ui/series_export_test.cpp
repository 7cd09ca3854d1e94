// The export dialog: the listing's exact text under each option, the clipboard's bytes and the
// file it writes.
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include "platform/clipboard.h"
#include "platform/controls.h"
#include "plot/core/graph.h"
#include "plot/ui/series_export.h"
#include "plot_fixture.h"

namespace {

struct TExportFixture : TPlotFixture {
  std::unique_ptr<TfmExports> D;
  TExportFixture() {
    auto* S = AddLine();
    S->Name = QStringLiteral("Data");
    S->Clear();
    S->AddPoint(clRed, {}, 1, 2);
    S->AddPoint(clRed, {}, 123456789, 0.5);
    S->AddPoint(clRed, {}, 1.5e20, -1.0 / 3);
    auto* T = AddLine(clBlue);
    T->Name = QStringLiteral("Other");
    T->Clear();
    T->AddPoint(clBlue, {}, 7, 8);
    TGraph& G = Graph();
    G.XAxis->Name = QStringLiteral("Time");
    G.YAxis->Name = QStringLiteral("Volt");
    G.Title.Lines = QStringList{"Top"};
    G.Foot.Lines = QStringList{"Bottom", "End"};
    D.reset(CreateForm<TfmExports>());
    D->Load(Plot);
    D->show();  // selects the first entry and lists it
  }
  void Click(QCheckBox* B) { B->click(); }
};

QString Blanks(const QString& S, int Width) { return S.leftJustified(Width, QLatin1Char(' ')); }

TEST(SeriesExport, PaddingKeepsTheSecondColumnNearOnePlace) {
  EXPECT_EQ(ExportPad(QStringLiteral("1")).size(), 28);
  EXPECT_EQ(ExportPad(QStringLiteral("123456789")).size(), 12);
  EXPECT_EQ(ExportPad(QStringLiteral("1234567890")).size(), 16);
  const QString Twenty(20, QLatin1Char('x'));
  EXPECT_EQ(ExportPad(Twenty), Twenty);
  EXPECT_TRUE(ExportPad(QStringLiteral("12")).startsWith(QStringLiteral("12 ")));
}

TEST(SeriesExport, ListsTheLastLayerFirstWithEveryPartAndCopiesItWithCrLf) {
  TExportFixture F;
  // The last layer stands first in the list, and is what the dialog lists on showing.
  ASSERT_EQ(F.D->clSeries->count(), 2);
  EXPECT_EQ(F.D->clSeries->item(0)->text(), QStringLiteral("Other"));
  EXPECT_EQ(F.D->Listing(), (QStringList{Blanks("7", 28) + " 8", ""}));

  F.D->clSeries->setCurrentRow(1, QItemSelectionModel::ClearAndSelect);
  for (QCheckBox* B : {F.D->chName, F.D->chTitle, F.D->chXAxis, F.D->chYAxis, F.D->chFoot})
    F.Click(B);
  const QStringList Expected{"Data",
                             "Top",
                             Blanks("Time", 22) + " Volt",
                             Blanks("1", 28) + " 2",
                             Blanks("123456789", 12) + " 0.5",
                             Blanks("1.5E20", 18) + " -0.333333333",
                             "Bottom",
                             "End",
                             ""};
  EXPECT_EQ(F.D->Listing(), Expected);
  SetClipboardText(QStringLiteral("old"));
  F.D->btClipboard->click();
  EXPECT_EQ(ClipboardText(), Expected.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));

  // Both series, one block each, in list order.
  F.D->clSeries->selectAll();
  const QStringList Both = F.D->Listing();
  EXPECT_EQ(Both.count(QString()), 2);
  EXPECT_EQ(Both.first(), QStringLiteral("Other"));
  EXPECT_EQ(Both.mid(Both.indexOf(QStringLiteral("Data"))), Expected);
}

TEST(SeriesExport, DelimitersOrderAndColumnErrors) {
  TExportFixture F;
  F.D->clSeries->setCurrentRow(1, QItemSelectionModel::ClearAndSelect);
  // Other delimiters pad nothing; Y first swaps the columns.
  F.D->rgDelimiters->SetItemIndex(TfmExports::diComma);
  F.D->edXColumn->setText(QStringLiteral("2"));
  F.D->edYColumn->setText(QStringLiteral("1"));
  F.D->BuildListing();
  EXPECT_EQ(F.D->Listing(), (QStringList{"2,1", "0.5,123456789", "-0.333333333,1.5E20", ""}));

  // A user delimiter is the edit's whole text; left empty it falls back to the comma.
  F.D->rgDelimiters->SetItemIndex(TfmExports::diUserDefine);
  EXPECT_TRUE(F.D->edUserDefine->isEnabled());
  EXPECT_TRUE(F.D->edUserDefine->text().isEmpty());
  F.D->edUserDefine->setText(QStringLiteral(" ; "));
  F.D->UserDefineExit();
  EXPECT_EQ(F.D->Listing().first(), QStringLiteral("2 ; 1"));
  F.D->edUserDefine->clear();
  F.D->UserDefineExit();
  EXPECT_EQ(F.D->rgDelimiters->ItemIndex(), TfmExports::diComma);
  EXPECT_EQ(F.D->edUserDefine->text(), QStringLiteral("(none)"));
  EXPECT_EQ(F.D->Listing().first(), QStringLiteral("2,1"));

  // Equal or out-of-range columns stop the listing after what was built, with one message.
  F.Click(F.D->chName);
  F.Click(F.D->chXAxis);
  F.Click(F.D->chYAxis);
  for (auto [X, Y] : {std::pair{"1", "1"}, std::pair{"3", "2"}}) {
    F.Script.Requests.clear();
    F.D->edXColumn->setText(QString::fromLatin1(X));
    F.D->edYColumn->setText(QString::fromLatin1(Y));
    F.D->BuildListing();
    EXPECT_EQ(F.Script.Messages(), QStringList{"X Column, Y Column must be in range[1..2] and X "
                                               "Colunm not equal Y Column"});
    EXPECT_EQ(F.D->Listing(), QStringList{"Data"});
  }
  // With nothing selected the listing keeps what it shows.
  F.D->clSeries->clearSelection();
  EXPECT_EQ(F.D->Listing(), QStringList{"Data"});
}

TEST(SeriesExport, FileAsksBeforeReplacingAndReportsFailure) {
  TExportFixture F;
  const QString Name = F.Dir.filePath(QStringLiteral("points.txt"));
  {
    QFile Old(Name);
    ASSERT_TRUE(Old.open(QIODevice::WriteOnly));
    Old.write("keep me\n");
  }
  auto Read = [&] {
    QFile In(Name);
    return In.open(QIODevice::ReadOnly) ? In.readAll() : QByteArray();
  };
  // Refused: the dialog asks for another name, and cancelling that writes nothing.
  F.Script.AnswerFile(Name);
  F.Script.Answer(mrNo);
  F.D->btFile->click();
  EXPECT_EQ(F.Script.Requests.at(1).Type, mtWarning);
  EXPECT_EQ(Read(), QByteArray("keep me\n"));
  // Accepted: the listing replaces it, a line each.
  F.Script.AnswerFile(Name);
  F.Script.Answer(mrYes);
  F.D->btFile->click();
  EXPECT_EQ(Read(), QByteArray("7                            8\n\n"));
  // A folder that does not exist, and a folder in the file's place, are reported.
  F.Script.Requests.clear();
  const QString Missing = F.Dir.filePath(QStringLiteral("no/such/file.txt"));
  EXPECT_FALSE(F.D->SaveListing(Missing));
  ASSERT_TRUE(QDir(F.Dir.path()).mkdir(QStringLiteral("folder")));
  EXPECT_FALSE(F.D->SaveListing(F.Dir.filePath(QStringLiteral("folder"))));
  ASSERT_EQ(F.Script.Messages().size(), 2);
  EXPECT_TRUE(F.Script.Messages()[0].startsWith(QStringLiteral("Can not create file ") + Missing));
  EXPECT_EQ(F.Script.Requests[0].Type, mtError);
}

TEST(SeriesExport, ThePlotsExportCommandOpensTheDialog) {
  TPlotFixture F;
  F.AddLine()->Name = QStringLiteral("Line");
  QStringList Listed;
  QTimer::singleShot(0, [&] {
    if (auto* D = qobject_cast<TfmExports*>(QApplication::activeModalWidget())) {
      Listed = D->Listing();
      D->btClose->click();
    }
  });
  F.Plot->ExportData();
  ASSERT_EQ(Listed.size(), 12);  // eleven points and the closing empty line
  EXPECT_EQ(Listed[10], Blanks("10", 26) + " 10");
}

}  // namespace
