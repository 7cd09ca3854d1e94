// The data grid dialog: field splitting, pasting, column files written by other programs,
// hostile files, and what OK does to a series.
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <cmath>

#include "platform/clipboard.h"
#include "platform/controls.h"
#include "platform/string_grid.h"
#include "platform/text_file.h"
#include "plot/core/graph.h"
#include "plot/ui/series_export.h"
#include "plot/ui/series_import.h"
#include "plot/ui/series_import_fields.h"
#include "plot/ui/series_import_file.h"
#include "plot_fixture.h"

namespace {

struct TImportFixture : TPlotFixture {
  std::unique_ptr<TfmGraphImport> D{CreateForm<TfmGraphImport>()};
  QString Cell(int C, int R) const { return D->sgMain->GetCell(C, R); }
  QString WriteFile(const QString& Name, const QByteArray& Bytes) const {
    const QString Path = Dir.filePath(Name);
    QFile F(Path);
    F.open(QIODevice::WriteOnly);
    F.write(Bytes);
    return Path;
  }
  // The points of a file's two first columns, through the column reader and OK.
  std::vector<std::pair<double, double>> ImportColumns(const QString& Path, bool Comma = false) {
    QStringList Lines;
    QString Error;
    EXPECT_TRUE(ReadImportLines(Path, Lines, Error)) << Error.toStdString();
    D->Load(Plot->Graph(), nullptr);
    EXPECT_TRUE(D->ReadColumns(Lines, "1", "2", {true, Comma, true, false}, false, "(none)"));
    EXPECT_TRUE(D->Apply());
    std::vector<std::pair<double, double>> Points;
    auto* S = static_cast<TSeries*>(Graph().GetLayer(Graph().LayerCount() - 1));
    for (int I = 0; I < S->Count(); ++I) Points.emplace_back(S->PointAt(I)->X, S->PointAt(I)->Y);
    return Points;
  }
};

TEST(SeriesImport, FieldsSplitInTableOrderWithRunsAsOne) {
  TDelimiterTable T;
  EXPECT_EQ(SplitFields("1,2 3", T), (QStringList{"1,2", "3"}));  // the blank is found first
  EXPECT_EQ(SplitFields("1,,,2,", T), (QStringList{"1", "2"}));   // runs, trailing delimiter
  EXPECT_EQ(SplitFields(",1,2", T), QStringList{"1,2"});          // starts with the delimiter
  EXPECT_EQ(SplitFields("   \t 4  5\t6", T), (QStringList{"4", "5", "6"}));  // indented
  EXPECT_EQ(GetField("  7 8 9", 3, T), QStringLiteral("9"));
  EXPECT_EQ(GetField("7 8", 5, T), QString());
}

TEST(SeriesImport, ColumnReaderDelimitersAndErrors) {
  TImportFixture F;
  F.D->Load(F.Plot->Graph(), nullptr);
  // "(none)" is no user delimiter: the "e" of an exponent does not split.
  ASSERT_TRUE(
      F.D->ReadColumns({"1e5;2E-3"}, "1", "2", {false, false, false, false}, true, "(none)"));
  EXPECT_EQ(F.Cell(0, 0), QStringLiteral("1e5;2E-3"));
  ASSERT_TRUE(
      F.D->ReadColumns({"1e5;2E-3", "# note", "", "  3/4;5"}, "2", "1", {0, 0, 0, 1}, true, ";"));
  EXPECT_EQ(F.Cell(0, 0), QStringLiteral("2E-3"));
  EXPECT_EQ(F.Cell(1, 0), QStringLiteral("1e5"));
  EXPECT_EQ(F.Cell(0, 1), QStringLiteral("4"));  // the comment and the empty line hold no row
  EXPECT_EQ(F.Cell(1, 1), QStringLiteral("3"));
  // A shorter file read next leaves no row of the longer one behind.
  ASSERT_TRUE(F.D->ReadColumns({"7 8"}, "1", "2", {1, 1, 1, 0}, false, "(none)"));
  EXPECT_EQ(F.Cell(0, 0), QStringLiteral("7"));
  EXPECT_TRUE(F.Cell(0, 1).isEmpty() && F.Cell(1, 1).isEmpty());
  F.D->EraseAll();
  EXPECT_FALSE(F.D->ReadColumns({"1 2"}, "x", "2", {1, 1, 1, 0}, false, "(none)"));
  EXPECT_FALSE(F.D->ReadColumns({"1 2"}, "1", "", {1, 1, 1, 0}, false, "(none)"));
  EXPECT_FALSE(F.D->ReadColumns({"1 2"}, "1", "2", {1, 1, 1, 0}, true, "abcdefg"));
  for (const char* Far : {"0", "-7", "2000000000", "1001"})
    EXPECT_FALSE(F.D->ReadColumns({"1 2"}, "1", Far, {1, 1, 1, 0}, false, "(none)"));
  EXPECT_EQ(F.Script.Messages().mid(0, 4),
            (QStringList{"Column for X undefined", "Column for Y undefined",
                         "The number of User Define charakters must be <=6.",
                         "Y Column must be in the range [1..1000]"}));
  EXPECT_EQ(F.Script.Messages().size(), 7);
  EXPECT_TRUE(F.Cell(0, 0).isEmpty());  // nothing was read
  // A far field ends with the line, not after counting to it.
  EXPECT_EQ(GetField("1 2", 2000000000, TDelimiterTable{}), QString());

  // The column dialog refuses what the range does not take before it closes.
  std::unique_ptr<TfmFileData> D(CreateForm<TfmFileData>());
  F.Script.Requests.clear();
  for (const char* Far : {"0", "-7", "2000000000"}) {
    TypeInto(D->edYColumn, Far, false);
    D->btOK->click();
    EXPECT_EQ(D->ModalResult(), mrNone) << Far;
  }
  TypeInto(D->edXColumn, "abc", false);  // refused as it is typed
  EXPECT_EQ(D->edXColumn->text(), QStringLiteral("1"));
  EXPECT_EQ(F.Script.Messages(), QStringList(3, "Y Column must be in the range [1..1000]"));
  TypeInto(D->edYColumn, "1000", false);
  D->btOK->click();
  EXPECT_EQ(D->ModalResult(), mrOk);
}

TEST(SeriesImport, ReadsTablesOfGnuplotAndPythonsCsvModule) {
  TImportFixture F;
  const QString Table = F.Dir.filePath("table.dat");
  QProcess G;
  G.start("gnuplot", {"-e", QString("set table '%1'; set samples 5; plot [0:2] x**2").arg(Table)});
  ASSERT_TRUE(G.waitForFinished(20000));
  using P = std::vector<std::pair<double, double>>;
  EXPECT_EQ(F.ImportColumns(Table), (P{{0, 0}, {0.5, 0.25}, {1, 1}, {1.5, 2.25}, {2, 4}}));

  const QString Csv = F.Dir.filePath("data.csv");
  QProcess Py;
  Py.start("python3", {"-c", QString("import csv\n"
                                     "with open('%1', 'w', newline='') as f:\n"
                                     "  w = csv.writer(f)\n"
                                     "  w.writerow(['time', 'volt'])\n"
                                     "  w.writerows([[0.1, 1e-05], [-2, 3.5e20]])\n")
                                 .arg(Csv)});
  ASSERT_TRUE(Py.waitForFinished(20000));
  QFile In(Csv);
  ASSERT_TRUE(In.open(QIODevice::ReadOnly));
  const QString Text = QString::fromUtf8(In.readAll());
  EXPECT_TRUE(Text.contains("\r\n"));
  // By field names, the columns linked crosswise.
  F.D->Load(F.Plot->Graph(), nullptr);
  F.D->ReadHeader(Text);
  EXPECT_EQ(F.D->FieldNames, (QStringList{"time", "volt"}));
  F.D->PasteLinked({1, 0});
  EXPECT_EQ(F.Cell(0, 0), QStringLiteral("1e-05"));
  EXPECT_EQ(F.Cell(1, 1), QStringLiteral("-2"));
  // As a column file its header line is passed over.
  EXPECT_EQ(F.ImportColumns(Csv, true), (P{{0.1, 1e-05}, {-2, 3.5e20}}));
}

TEST(SeriesImport, HostileFilesAreRefusedBeforeTheyAreRead) {
  TImportFixture F;
  QStringList Lines{"kept"};
  QString Error;
  static const char Bytes[] = "1 2\n\0\x01\xff 3 4\n";
  const QString Binary = F.WriteFile("bin", QByteArray(Bytes, sizeof Bytes - 1));
  EXPECT_FALSE(ReadImportLines(Binary, Lines, Error));
  EXPECT_EQ(Error, "The file " + Binary + " is not a text file.");
  const QString Long = F.WriteFile("long", QByteArray(1 << 20, '7'));
  EXPECT_FALSE(ReadImportLines(Long, Lines, Error));
  EXPECT_TRUE(Error.contains(QString("longer than %1 characters").arg(MaxImportLineLength)));
  QByteArray Many;
  for (int I = 0; I < 1000000; ++I) Many += "1 2\n";
  EXPECT_FALSE(ReadImportLines(F.WriteFile("many", Many), Lines, Error));
  EXPECT_TRUE(Error.contains("more than 100000 lines"));
  // The limit counts lines, a last one without its line end included.
  Many.truncate(MaxImportLines * 4 + 3);
  EXPECT_FALSE(ReadImportLines(F.WriteFile("unended", Many), Lines, Error));
  EXPECT_TRUE(Error.contains("more than 100000 lines"));
  for (const char* Empty : {"", "\n \r\n\t\n"}) {
    EXPECT_FALSE(ReadImportLines(F.WriteFile("empty", Empty), Lines, Error));
    EXPECT_EQ(Error, "The file " + F.Dir.filePath("empty") + " is empty and is not imported.");
  }
  // The largest file taken fills the grid and the series in one go.
  Many.truncate(MaxImportLines * 4);
  const int Layers = F.Graph().LayerCount();
  EXPECT_EQ(F.ImportColumns(F.WriteFile("most", Many)).size(), size_t{MaxImportLines});
  EXPECT_EQ(F.Graph().LayerCount(), Layers + 1);
  QFile Big(F.Dir.filePath("big"));
  ASSERT_TRUE(Big.open(QIODevice::WriteOnly) && Big.resize(MaxImportFileSize + 1));
  Big.close();
  EXPECT_FALSE(ReadImportLines(Big.fileName(), Lines, Error));
  EXPECT_TRUE(Error.contains("larger than 8 MB"));
  EXPECT_FALSE(ReadImportLines(F.Dir.path(), Lines, Error));
  EXPECT_EQ(Lines, QStringList{"kept"});
  // Bytes that are no number but no NUL either read as text, and OK names their rows.
  const QString Junk = F.WriteFile("junk", "1 2\n\x80\x81 \xfe\n3 4\n");
  ASSERT_TRUE(ReadImportLines(Junk, Lines, Error));
  F.D->Load(F.Plot->Graph(), nullptr);
  ASSERT_TRUE(F.D->ReadColumns(Lines, "1", "2", {true, true, true, false}, false, "(none)"));
  EXPECT_FALSE(F.D->Apply());
  EXPECT_EQ(F.Script.Messages().last(), QStringLiteral("These rows do not hold two numbers: 2."));
}

TEST(SeriesImport, ReadsUtf16AndAThousandColumns) {
  TImportFixture F;
  using P = std::vector<std::pair<double, double>>;
  for (TTextEncoding E : {TTextEncoding::Utf16Le, TTextEncoding::Utf16Be}) {
    QByteArray Bytes;
    ASSERT_TRUE(EncodeText("x\ty\r\n1\t2\r\n3\t-4.5\r\n", E, Bytes));
    EXPECT_EQ(F.ImportColumns(F.WriteFile("utf16", Bytes)), (P{{1, 2}, {3, -4.5}}));
  }
  QStringList Row;
  for (int C = 1; C <= MaxImportColumns; ++C) Row << QString::number(C * 1.000001, 'E', 9);
  const QString Wide = F.WriteFile("wide.csv", (Row.join(',') + '\n').toUtf8());
  QStringList Lines;
  QString Error;
  ASSERT_TRUE(ReadImportLines(Wide, Lines, Error)) << Error.toStdString();
  F.D->Load(F.Plot->Graph(), nullptr);
  ASSERT_TRUE(F.D->ReadColumns(Lines, "400", "1000", {1, 1, 1, 0}, false, "(none)"));
  EXPECT_EQ(F.Cell(1, 0), Row.last());
}

TEST(SeriesImport, PasteSplitsAnyLineEndingGrowsRowsAndSaysWhereItCuts) {
  TImportFixture F;
  F.D->Load(F.Plot->Graph(), nullptr);
  F.D->sgMain->setCurrentCell(TfmGraphImport::InitialRows - 2, 1);
  F.D->PasteText("1 2 3\r4\n\n5,6\r\n7");
  // From the second column: surplus fields go nowhere; rows past the grid's end are added.
  EXPECT_EQ(F.D->sgMain->RowCount(), TfmGraphImport::InitialRows + 2);
  EXPECT_EQ(F.Cell(1, TfmGraphImport::InitialRows - 2), QStringLiteral("1"));
  EXPECT_EQ(F.Cell(1, TfmGraphImport::InitialRows - 1), QStringLiteral("4"));
  EXPECT_EQ(F.Cell(1, TfmGraphImport::InitialRows), QStringLiteral("5"));
  EXPECT_EQ(F.Cell(1, TfmGraphImport::InitialRows + 1), QStringLiteral("7"));
  EXPECT_TRUE(F.Cell(0, TfmGraphImport::InitialRows).isEmpty());
  EXPECT_TRUE(F.Script.Messages().isEmpty());
  F.D->EraseAll();
  for (int R = 0; R < F.D->sgMain->RowCount(); ++R) ASSERT_TRUE(F.Cell(1, R).isEmpty());

  F.D->sgMain->setCurrentCell(0, 0);
  // The limit falls inside the last line's "89": that line is left out, not pasted as "8".
  const QString Long = QString("1 2\n").repeated(MaxPasteLength / 4 - 1) + "7 89\n";
  F.D->PasteText(Long);
  EXPECT_EQ(F.Script.Messages(),
            QStringList{"Only the whole lines within the first 64000 characters of the Clipboard "
                        "are pasted."});
  EXPECT_EQ(F.Cell(0, MaxPasteLength / 4 - 2), QStringLiteral("1"));
  EXPECT_TRUE(F.Cell(0, MaxPasteLength / 4 - 1).isEmpty());
  EXPECT_TRUE(F.Cell(1, MaxPasteLength / 4 - 1).isEmpty());

  // The clipboard's own messages.
  F.Script.Requests.clear();
  ClearClipboard();
  F.D->PasteAsIs();
  F.D->PasteByFieldName();
  EXPECT_EQ(F.Script.Messages(), (QStringList{"There is no data on the Clipboard",
                                              "Clipboard not contents text information"}));
  EXPECT_EQ(F.Script.Requests[0].Type, mtInformation);
  EXPECT_EQ(F.Script.Requests[1].Type, mtWarning);
  for (QAction* A : {F.D->miPaste, F.D->miPasteByField, F.D->pmPaste, F.D->pmPasteByField})
    EXPECT_FALSE(A->isEnabled());
  SetClipboardText("1 2");
  EXPECT_TRUE(F.D->miPaste->isEnabled());
  EXPECT_TRUE(F.D->pmPaste->isEnabled());
}

TEST(SeriesImport, FieldLinksReplaceEarlierOnes) {
  TPlotFixture P;
  std::unique_ptr<TfmFields> D(CreateForm<TfmFields>());
  D->Load({"X", "Y"}, {"a", "b", "c"});
  D->LinkClick();
  EXPECT_EQ(P.Script.Messages(), QStringList{"Select both fields"});
  D->lbRequired->setCurrentRow(0);
  D->lbInput->setCurrentRow(2);
  D->LinkClick();
  D->lbRequired->setCurrentRow(1);
  D->LinkClick();  // "c" again: the X line goes from the memo
  D->lbInput->setCurrentRow(1);
  D->LinkClick();  // Y's earlier link is replaced
  EXPECT_EQ(D->LinkIndexes(), (std::array<int, 2>{2, 1}));
  ASSERT_EQ(D->Memo->count(), 1);
  EXPECT_EQ(D->Memo->item(0)->text(), QStringLiteral("Y   <--Copy---   b"));
}

TEST(SeriesImport, OkReadsEveryRowFirstAndNeverEmptiesASeries) {
  TImportFixture F;
  TSeries* S = F.AddLine();
  F.D->Load(F.Plot->Graph(), S);
  EXPECT_EQ(F.D->windowTitle(), QStringLiteral("Edit Series - [ Line ]"));
  EXPECT_EQ(F.Cell(1, 10), QStringLiteral("10"));
  F.D->sgMain->SetCell(1, 3, "x");
  F.D->sgMain->SetCell(0, 12, "1,5");
  F.D->sgMain->SetCell(1, 12, "2");
  EXPECT_FALSE(F.D->Apply());
  EXPECT_EQ(F.Script.Messages(), QStringList{"These rows do not hold two numbers: 4, 13."});
  EXPECT_EQ(S->Count(), 11);
  F.D->EraseAll();
  EXPECT_FALSE(F.D->Apply());
  EXPECT_EQ(S->Count(), 11);
  // Good rows replace the points, empty rows between them are passed over.
  F.D->sgMain->SetCell(0, 0, " 1.5 ");
  F.D->sgMain->SetCell(1, 0, "-2E3");
  F.D->sgMain->SetCell(0, 5, "3");
  F.D->sgMain->SetCell(1, 5, "4");
  F.D->edName->setText("Renamed");
  EXPECT_FALSE(F.D->chShowInLegend->isChecked());  // the series has no legend entry yet
  F.D->chShowInLegend->setChecked(true);
  EXPECT_EQ(F.D->windowTitle(), QStringLiteral("Edit Series - [ Renamed ]"));
  // A width out of range is said like every number field's, and nothing is applied.
  TypeInto(F.D->edWidth, "101", false);
  EXPECT_FALSE(F.D->Apply());
  EXPECT_EQ(F.Script.Messages().last(), "Line Width must be in the range [1..100]");
  EXPECT_EQ(S->Count(), 11);
  TypeInto(F.D->edWidth, "3", false);
  ASSERT_TRUE(F.D->Apply());
  ASSERT_EQ(S->Count(), 2);
  EXPECT_EQ(S->PointAt(0)->Y, -2000);
  EXPECT_EQ(S->Name, QStringLiteral("Renamed"));
  ASSERT_NE(S->Legend(), nullptr);
  EXPECT_EQ(F.Graph().LayerCount(), 1);
}

TEST(SeriesImport, ExportedTextPastesBackToTheSamePoints) {
  TImportFixture F;
  TSeries* S = F.AddLine();
  S->Clear();
  const double Values[] = {M_PI, -1.0 / 7, 6.02214076e23, 1.6e-19, 0, 123456.789};
  for (double V : Values) S->AddPoint(clRed, {}, V, -V * 3);
  std::unique_ptr<TfmExports> E(CreateForm<TfmExports>());
  E->Load(F.Plot);
  E->show();
  E->btClipboard->click();
  F.D->Load(F.Plot->Graph(), nullptr);
  F.D->PasteAsIs();
  ASSERT_TRUE(F.D->Apply());
  auto* T = static_cast<TSeries*>(F.Graph().GetLayer(1));
  ASSERT_EQ(T->Count(), S->Count());
  for (int I = 0; I < S->Count(); ++I) {
    EXPECT_NEAR(T->PointAt(I)->X, S->PointAt(I)->X, std::abs(S->PointAt(I)->X) * 1e-8);
    EXPECT_NEAR(T->PointAt(I)->Y, S->PointAt(I)->Y, std::abs(S->PointAt(I)->Y) * 1e-8);
  }
  // Its file, with the name, the title, the axes' names and the footer, reads back as a column
  // file under either delimiter.
  F.Graph().XAxis->Name = "Time (s)";
  F.Graph().YAxis->Name = "U, measured";
  F.Graph().Title.Lines = QStringList{"Run 7"};
  F.Graph().Foot.Lines = QStringList{"Lab 2, 2024"};
  for (QCheckBox* B : {E->chName, E->chTitle, E->chXAxis, E->chYAxis, E->chFoot})
    B->setChecked(true);
  for (int Delimiter : {TfmExports::diAutomatic, TfmExports::diComma}) {
    E->rgDelimiters->SetItemIndex(Delimiter);
    E->BuildListing();
    const QString Path = F.Dir.filePath("export.txt");
    ASSERT_TRUE(E->SaveListing(Path));
    const auto Points = F.ImportColumns(Path, true);
    ASSERT_EQ(Points.size(), std::size(Values));
    EXPECT_NEAR(Points[2].first, Values[2], Values[2] * 1e-8);
  }
}

TEST(SeriesImport, EditThenOkKeepsTheSeriesBitForBit) {
  TImportFixture F;
  TSeries* S = F.AddLine();
  S->SetLineWidth(100);
  S->PointColors = true;
  S->Clear();
  for (int I = 0; I < 4; ++I)
    S->AddPoint(clRed + I, QString("p%1").arg(I), 20231231.5 + I, 0.1 * I);
  S->PointAt(1)->Marker.reset();
  S->PointAt(2)->Marker->Style = 17;
  S->PointAt(3)->StartY = -1;  // a start of its own, as a file may hold
  const auto Saved = [&] {
    QStringList L{QString::number(S->LineWidth), QString::number(S->MarkerStyle)};
    for (int I = 0; I < S->Count(); ++I) {
      const TGraphData& P = *S->PointAt(I);
      L << QString::asprintf("%a %a %a %a ", P.X, P.Y, P.StartX, P.StartY) + P.Name +
               QString(" %1 %2").arg(P.Color).arg(P.Marker ? P.Marker->Style : -1);
    }
    return L;
  };
  const QStringList Before = Saved();
  F.D->Load(F.Plot->Graph(), S);
  ASSERT_TRUE(F.D->Apply());
  EXPECT_EQ(Saved(), Before);
  // A changed cell changes its value alone, a pasted one too where it shows the same text; a
  // deleted row takes its point, and the next point starts where the one before it ends.
  F.D->Load(F.Plot->Graph(), S);
  F.D->sgMain->SetCell(1, 0, "7");
  F.D->sgMain->setCurrentCell(1, 0);
  F.D->PasteText(F.Cell(0, 1));
  F.D->sgMain->setCurrentCell(2, 0);
  F.D->DeleteRow();
  ASSERT_TRUE(F.D->Apply());
  ASSERT_EQ(S->Count(), 3);
  EXPECT_EQ(S->PointAt(0)->X, 20231231.5);
  EXPECT_EQ(S->PointAt(0)->Y, 7);
  EXPECT_EQ(S->PointAt(0)->Name, QStringLiteral("p0"));
  EXPECT_EQ(S->PointAt(1)->X, 20231230);
  EXPECT_EQ(S->PointAt(2)->Name, QStringLiteral("p3"));
  EXPECT_EQ(S->PointAt(2)->StartX, S->PointAt(1)->X);
  EXPECT_FALSE(S->PointAt(1)->Marker.has_value());
}

// A message box that runs the events queued meanwhile, as a real one does.
struct TPumpingScript : TScriptedDialogService {
  TModalResult MessageDlg(const QString& Text, TMsgDlgType Type, TMsgDlgButtons Buttons,
                          const QString& Caption) override {
    QCoreApplication::processEvents();
    return TScriptedDialogService::MessageDlg(Text, Type, Buttons, Caption);
  }
};

TEST(SeriesImport, ADecimalCommaIsABadRowAndAFailedOkKeepsTheGrid) {
  TImportFixture F;
  TPumpingScript Script;
  TScopedDialogService Scope{Script};
  const int Layers = F.Graph().LayerCount();
  bool OpenAfterFailure = false;
  QTimer::singleShot(0, F.D.get(), [&] {
    F.D->PasteText("1 2\n1 2,5\n3 4");
    F.D->BitBtn1->click();
    QTimer::singleShot(0, F.D.get(), [&] {
      OpenAfterFailure = F.D->isVisible() && F.Cell(1, 1) == "2,5";
      F.D->sgMain->SetCell(1, 1, "2.5");
      F.D->BitBtn1->click();
    });
  });
  EXPECT_TRUE(F.D->Execute(F.Plot->Graph(), nullptr));
  EXPECT_EQ(Script.Messages(), QStringList{"These rows do not hold two numbers: 2."});
  EXPECT_TRUE(OpenAfterFailure);
  ASSERT_EQ(F.Graph().LayerCount(), Layers + 1);
  EXPECT_EQ(static_cast<TSeries*>(F.Graph().GetLayer(Layers))->PointAt(1)->Y, 2.5);
}

TEST(SeriesImport, ThePlotsImportCommandAddsANewSeries) {
  TPlotFixture F;
  F.AddLine();
  F.Plot->Redraw();
  QStringList Seen;
  auto Drive = [&](bool Fill) {
    QTimer::singleShot(0, [&, Fill] {
      auto* D = qobject_cast<TfmGraphImport*>(QApplication::activeModalWidget());
      if (!D) return;
      Seen = {D->windowTitle(), D->edName->text(), D->cbStyle->currentText(),
              D->cbLineStyle->currentText(), D->edWidth->text()};
      if (!Fill) return D->btCancel->click();
      D->sgMain->SetCell(0, 0, "1");
      D->sgMain->SetCell(1, 0, "2");
      D->BitBtn1->click();
    });
  };
  Drive(false);
  int Before = F.Paints;
  F.Plot->ImportData();
  EXPECT_EQ(Seen, (QStringList{"Add Series - [ New Series ]", "Series 2", "Line and Point ",
                               "Solid", "1"}));
  EXPECT_EQ(F.Paints, Before);  // cancelled: no redraw
  EXPECT_EQ(F.Graph().LayerCount(), 1);
  Drive(true);
  F.Plot->ImportData();
  ASSERT_EQ(F.Graph().LayerCount(), 2);
  auto* S = static_cast<TSeries*>(F.Graph().GetLayer(1));
  EXPECT_EQ(S->Name, QStringLiteral("Series 2"));
  EXPECT_EQ(S->Kind(), 3);
  EXPECT_NE(S->MarkerStyle, 0);  // "Line and Point" shows its points
  EXPECT_NE(S->PointAt(0)->Marker->Style, 0);
  EXPECT_NE(S->GetColor(), clRed);  // a colour no other layer uses
  EXPECT_GT(F.Paints, Before);
}

}  // namespace

namespace {

TEST(SeriesImport, ASeriesPropertiesCommandEditsItsPointsInTheGrid) {
  TPlotFixture F;
  InstallSeriesDataEditor();
  TSeries* S = F.AddLine();
  S->SetHasLegend(true);
  F.Plot->Redraw();
  const int Before = F.Paints;
  QString Caption;
  QTimer::singleShot(0, [&] {
    auto* D = qobject_cast<TfmGraphImport*>(QApplication::activeModalWidget());
    if (!D) return;
    Caption = D->windowTitle();
    D->EraseAll();
    D->sgMain->SetCell(0, 0, "5");
    D->sgMain->SetCell(1, 0, "6");
    D->edName->setText("Edited");
    D->BitBtn1->click();
  });
  S->PropertiesClick();
  SetSeriesDataEditor({});
  EXPECT_EQ(Caption, QStringLiteral("Edit Series - [ Line ]"));
  ASSERT_EQ(S->Count(), 1);
  EXPECT_EQ(S->PointAt(0)->X, 5);
  ASSERT_NE(S->Legend(), nullptr);
  EXPECT_EQ(S->Legend()->Text, QStringLiteral("Edited"));
  EXPECT_GT(F.Paints, Before);
}

}  // namespace

namespace {
// A number too long for its cell shows fewer digits and keeps its exponent: the grid draws exactly
// what the same cell holding that shorter text draws.
TEST(SeriesImport, ANumberTooLongForItsCellKeepsItsExponent) {
  TImportFixture F;
  F.D->Load(F.Plot->Graph(), nullptr);
  F.D->show();
  TStringGrid& G = *F.D->sgMain;
  const QFontMetrics M(G.font());
  const int Room =
      G.columnWidth(0) - 2 * (G.style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
  struct TCase {
    QString Text, Exponent;
    double Value;
  };
  const TCase Cases[] = {{"-1.7976931348623157e308", "E308", -1.7976931348623157e308},
                         {"2.2250738585072014e-308", "E-308", 2.2250738585072014e-308},
                         {"123456789012345678901234567", "E26", 1.2345678901234568e26}};
  for (const TCase& C : Cases) {
    const QString Shown = FitNumberText(C.Text, M, Room);
    EXPECT_TRUE(Shown.endsWith(C.Exponent)) << Shown.toStdString();
    EXPECT_LE(M.horizontalAdvance(Shown), Room);
    EXPECT_NEAR(Shown.toDouble() / C.Value, 1, 1e-3) << Shown.toStdString();
    G.SetCell(1, 3, C.Text);
    const QImage Long = G.grab().toImage();
    G.SetCell(1, 3, Shown);
    EXPECT_EQ(G.grab().toImage(), Long) << Shown.toStdString();
  }
  // What fits, and a text that is no number, stay as they are.
  EXPECT_EQ(FitNumberText("1.5e308", M, Room), "1.5e308");
  const QString Words = QString(40, QLatin1Char('x'));
  EXPECT_EQ(FitNumberText(Words, M, Room), Words);
}
}  // namespace
