// The properties dialog driven through its controls: what each control edits, the picture with
// "Live update", the Modified / Apply / Close sequences, the validators, the plot's entry point
// and the settings file.
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <cmath>
#include <limits>

#include <sys/stat.h>

#include "plot/core/graph_picture.h"
#include "plot/ui/graph_properties.h"
#include "plot/ui/graph_ticks.h"
#include "plot_fixture.h"

namespace {

constexpr double Inf = std::numeric_limits<double>::infinity();

struct TDialogFixture : TPlotFixture {
  std::unique_ptr<TfmGraphProperties> D;
  int AfterChange = 0;

  TDialogFixture() {
    AddLine();
    Plot->Redraw();
    Plot->OnAfterChangeProperties = [this](TGraph* G) {
      EXPECT_EQ(G, Plot->Graph());
      ++AfterChange;
    };
    D.reset(CreateForm<TfmGraphProperties>(Form.get()));
    D->Load(Plot, Plot->Graph());
  }
  QLineEdit* Edit(const char* Name) const {
    auto* E = D->findChild<QLineEdit*>(QString::fromLatin1(Name));
    EXPECT_NE(E, nullptr) << Name;
    return E;
  }
  void Live(bool On) { D->cbAutoApply->setChecked(On); }
  static void Leave(QLineEdit* E) { emit E->editingFinished(); }
};

TEST(GraphProperties, TheNumberFieldsCarryTheirCaptionsAndRanges) {
  TDialogFixture F;
  struct TRow {
    const char* Edit;
    bool Integer;
    const char* Caption;
    double Min, Max;
  };
  const TRow Rows[] = {
      {"edExaggerate", false, "Exaggerate", 0, 1e30},
      {"edZoomPerStep", false, "Zoom per Step", 0, 1000},
      {"edZoomSteps", true, "Zoom Steps", 0, 1000},
      {"edDegree", true, "Polynomial degree", 1, 40},
      {"edGeneral", true, "Genegal Number of Digits", 1, 40},
      {"edPos", true, "Decimal position", 0, 10},
      {"edInt", false, "Contour Integval", 0, 1e31},
      {"edNum", true, "The number of Contours", 1, 100},
      {"edLblInt", true, "Labeling Contour Intervel", 1, 100},
      {"edView3D", false, "3D-View value", 0, 100},
      {"edXMin", false, "Min", -1e30, 1e30},
      {"edXMin2", false, "Min", -1e30, 1e30},
      {"edMin", false, "Min", -1e30, 1e30},
      {"edXMax", false, "Max", -1e30, 1e30},
      {"edXMax2", false, "Max", -1e30, 1e30},
      {"edMax", false, "Max", -1e30, 1e30},
      {"edYMin2", false, "Min", -1e30, 1e30},
      {"edYMax2", false, "Max", -1e30, 1e30},
      {"edYMin", false, "YMin", -1e30, 1e30},
      {"edYMax", false, "YMax", -1e30, 1e30},
      {"edMinLog", false, "Min Logarith scale", 0, Inf},
      {"edLoColor", false, "Low Color", -1e30, 1e30},
      {"edHiColor", false, "Hi Color", -1e30, 1e30},
      {"edXPos", false, "Inside Position", -Inf, Inf},
      {"edYPos", false, "Inside Position", -Inf, Inf},
      {"edXPos2", false, "Inside Position", -Inf, Inf},
      {"edYPos2", false, "Inside Position", -Inf, Inf},
  };
  const QList<TNumberEdit*> Fields = TNumberEdit::EditsIn(F.D.get());
  EXPECT_EQ(Fields.size(), std::size(Rows));
  for (const TRow& R : Rows) {
    auto* E = F.D->findChild<TNumberEdit*>(QString::fromLatin1(R.Edit));
    ASSERT_NE(E, nullptr) << R.Edit;
    const TNumberRule& V = E->Rule();
    EXPECT_EQ(V.Whole, R.Integer) << R.Edit;
    EXPECT_EQ(V.Caption, QString::fromLatin1(R.Caption)) << R.Edit;
    EXPECT_EQ(V.Min, R.Min) << R.Edit;
    EXPECT_EQ(V.Max, R.Max) << R.Edit;
    // Only the minimum log value may not be its lower bound: log10(0) has no place on an axis.
    EXPECT_EQ(V.OpenMin, QString::fromLatin1(R.Edit) == "edMinLog") << R.Edit;
  }
}

TEST(GraphProperties, NumericEditsTakeOnlyNumbersInRange) {
  TDialogFixture F;
  TPlot& P = *F.Plot;
  TNumberEdit* E = F.D->edExaggerate;
  TypeInto(E, "2.5");
  EXPECT_EQ(P.GetExaggerate(), 2.5);
  // Half-typed numbers and an emptied field left so are refused aloud, and what was in force
  // comes back (also what their first keys applied).
  for (const char* Partial : {"-", ".", "1e", ""}) {
    TypeInto(E, QString::fromLatin1(Partial));
    EXPECT_EQ(P.GetExaggerate(), 2.5) << Partial;
    EXPECT_EQ(E->text(), "2.5");
  }
  EXPECT_EQ(F.Script.Messages().size(), 4);
  // The minimum log value is above 0, never 0.
  TypeInto(F.D->edMinLog, "0");
  EXPECT_EQ(P.GetMinimumLogValue(), 1e-10);
  EXPECT_TRUE(
      F.Script.Messages().last().startsWith("Min Logarith scale must be in the range [ > 0"));
  TypeInto(F.D->edMinLog, "1e-5");
  EXPECT_EQ(P.GetMinimumLogValue(), 1e-5);
  // A number too large to hold names the finite range, not an infinite one.
  TypeInto(F.D->AxisGroups[0].edPos, "1e999");
  EXPECT_EQ(F.Script.Messages().last(),
            "Inside Position must be in the range [-1.798E+308 ... 1.798E+308]");
}

TEST(GraphProperties, APageShowsWhatIsInForceEachTimeItIsShown) {
  TDialogFixture F;
  TfmGraphProperties& D = *F.D;
  D.show();
  // Changed behind the page's back (another dialog, a repaint), then the page's tab clicked.
  F.Plot->SetExaggerate(7);
  F.Plot->Zoom->SetSteps(33);
  QTabBar* Tabs = D.PageControl1->tabBar();
  QTest::mouseClick(Tabs, Qt::LeftButton, {},
                    Tabs->tabRect(TfmGraphProperties::piSettings).center());
  ASSERT_EQ(D.ActivePage(), TfmGraphProperties::piSettings);
  EXPECT_EQ(D.edExaggerate->text(), "7");
  EXPECT_EQ(D.edZoomSteps->text(), "33");
  EXPECT_FALSE(D.Modified);
}

TEST(GraphProperties, ModifiedApplyCloseAndLiveUpdate) {
  TDialogFixture F;
  TfmGraphProperties& D = *F.D;
  // Live update off: a change only enables Apply.
  int Before = F.Paints;
  D.AxisGroups[0].chGrid->setChecked(true);
  EXPECT_TRUE(F.Graph().XAxis->Grid);
  EXPECT_TRUE(D.Modified);
  EXPECT_TRUE(D.btApply->isEnabled());
  EXPECT_EQ(F.Paints, Before);
  D.btApply->click();
  EXPECT_EQ(F.Paints, Before + 1);
  EXPECT_FALSE(D.Modified);
  EXPECT_FALSE(D.btApply->isEnabled());
  D.btApply->click();
  EXPECT_EQ(F.Paints, Before + 1);
  EXPECT_EQ(F.AfterChange, 0);  // Apply does not announce the change

  // Live update on: every change repaints once and is announced.
  F.Live(true);
  EXPECT_FALSE(D.btApply->isEnabled());
  Before = F.Paints;
  D.AxisGroups[1].chGrid->setChecked(true);
  EXPECT_EQ(F.Paints, Before + 1);
  EXPECT_EQ(F.AfterChange, 1);
  EXPECT_FALSE(D.Modified);
  // Deferred edits wait for the edit to be left.
  TypeInto(D.edView3D, "20", false);
  EXPECT_NE(F.Plot->GetView3D(), 20);
  EXPECT_EQ(F.Paints, Before + 1);
  D.edView3D->Finish();
  EXPECT_EQ(F.Plot->GetView3D(), 20);
  EXPECT_EQ(F.Paints, Before + 2);
  // The zoom settings wait for the next repaint, but count as a change.
  for (TNumberEdit* E : {D.edZoomSteps, D.edZoomPerStep}) {
    TypeInto(E, "7");
    EXPECT_TRUE(D.Modified);
    EXPECT_EQ(F.Paints, Before + 2);
    D.Modified = false;
  }
  // F1 in the edits that apply when left, and in the name edits, asks for the help.
  F.Script.Requests.clear();
  for (QLineEdit* E :
       {static_cast<QLineEdit*>(D.edView3D), static_cast<QLineEdit*>(D.AxisGroups[2].edMax),
        D.AxisGroups[3].edName, D.edSeriesName, static_cast<QLineEdit*>(D.edInt)}) {
    QKeyEvent Key(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QApplication::sendEvent(E, &Key);
  }
  ASSERT_EQ(F.Script.Messages().size(), 5);
  EXPECT_TRUE(F.Script.Messages()[0].startsWith("Help file <"))
      << F.Script.Messages()[0].toStdString();
  EXPECT_TRUE(F.Script.Messages().back().endsWith("> not found."));

  // Unchecking Live update with a change pending enables Apply.
  F.Live(false);
  D.AxisGroups[1].chGrid->setChecked(false);
  F.Live(true);
  EXPECT_FALSE(D.btApply->isEnabled());
  F.Live(false);
  EXPECT_TRUE(D.btApply->isEnabled());

  // Close repaints only when something changed.
  Before = F.Paints;
  D.btClose->click();
  EXPECT_EQ(F.Paints, Before + 1);
  D.btClose->click();
  EXPECT_EQ(F.Paints, Before + 1);
}

TEST(GraphProperties, EveryControlChangesWhatItEdits) {
  TDialogFixture F;
  TfmGraphProperties& D = *F.D;
  TPlot& P = *F.Plot;
  TGraph& G = F.Graph();
  // Check boxes of the four axis groups.
  for (int I = 0; I < 4; ++I) {
    TAxisGroup& A = D.AxisGroups[I];
    TAxis* X = A.Axis->Axis();
    A.chVisible->setChecked(!A.chVisible->isChecked());
    EXPECT_EQ(X->GetVisible(), A.chVisible->isChecked()) << I;
    A.chInvert->setChecked(true);
    EXPECT_TRUE(X->Inverted) << I;
    A.chInvert->setChecked(false);
    A.chGrid->setChecked(true);
    EXPECT_TRUE(X->Grid) << I;
    A.chPos->setChecked(true);
    EXPECT_EQ(X->Location, alInside) << I;
    TypeInto(A.edPos, "1.5");
    EXPECT_EQ(X->Position, 1.5) << I;
    A.edName->setText(QStringLiteral("Axis %1").arg(I));
    EXPECT_EQ(X->Name, QStringLiteral("Axis %1").arg(I));
    A.chAutoMin->setChecked(false);
    EXPECT_FALSE(X->AutoMin) << I;
    EXPECT_TRUE(A.edMin->isEnabled()) << I;
    A.chAutoMax->setChecked(false);
    EXPECT_FALSE(X->AutoMax) << I;
    F.Script.AnswerColor(clRed);
    A.btColor->click();
    EXPECT_EQ(X->GetColor(), clRed) << I;
    QFont Q(QStringLiteral("Liberation Serif"), 14);
    F.Script.AnswerFont(Q, clBlue);
    A.btFont->click();
    EXPECT_EQ(X->Font.Size(), 14) << I;
    EXPECT_EQ(X->Font.Color(), clBlue) << I;
    F.Script.AnswerFont(Q, clGreen);
    A.btNameFont->click();
    EXPECT_EQ(X->NameFont.Color(), clGreen) << I;
    // Tick label frequency: down stops at 1.
    A.sbLabelsUp->click();
    EXPECT_EQ(X->LabelsFrequency, 2) << I;
    A.sbLabelsDown->click();
    A.sbLabelsDown->click();
    EXPECT_EQ(X->LabelsFrequency, 1) << I;
    EXPECT_EQ(A.edLabels->text(), "1");
  }
  D.AxisGroups[0].chLog->setChecked(true);
  EXPECT_TRUE(G.XAxis->Log);

  // Titles.
  D.cbTitleAlignment->setCurrentIndex(0);
  EXPECT_EQ(G.Title.Alignment, taLeftJustify);
  D.cbFootStyle->setCurrentIndex(2);
  EXPECT_EQ(G.Foot.Style, tsRaised);
  D.chTitleVisible->setChecked(false);
  EXPECT_FALSE(G.Title.Visible);
  D.chTitleVisible->setChecked(true);
  D.mmTitle->setPlainText("First\nSecond");
  D.TitleExit(false);
  EXPECT_EQ(G.Title.Lines, (QStringList{"First", "Second"}));
  D.mmFoot->setPlainText("");
  D.TitleExit(true);
  EXPECT_TRUE(G.Foot.Lines.isEmpty());

  // Settings.
  TypeInto(D.edExaggerate, "3");
  EXPECT_EQ(G.Exaggerate, 3);
  D.cbBarStyle->setCurrentIndex(2);
  EXPECT_EQ(G.BarStyle, bsStacked);
  D.chClipSymbols->setChecked(true);
  EXPECT_TRUE(G.ClipMarkers);
  F.Script.AnswerColor(clYellow);
  D.btPlotColor->click();
  EXPECT_EQ(G.Color, clYellow);
  F.Script.AnswerColor(clAqua);
  D.btBackColor->click();
  EXPECT_EQ(G.BackColor, clAqua);
  D.cbGradientStyle->setCurrentIndex(2);
  EXPECT_EQ(P.Gradient->GetStyle(), gsTopBottom);
  F.Script.AnswerColor(clLime);
  D.btStartColor->click();
  EXPECT_EQ(G.Gradient->StartColor, clLime);
  F.Script.AnswerColor(clNavy);
  D.btEndColor->click();
  EXPECT_EQ(G.Gradient->EndColor, clNavy);
  F.Script.AnswerColor(clMaroon);
  D.btFrameColor->click();
  EXPECT_EQ(G.Frame.Color, clMaroon);
  D.cbPictureStyle->setCurrentIndex(2);
  EXPECT_EQ(G.Picture->Style, psTile);
  D.cbZoomStyle->setCurrentIndex(1);
  EXPECT_EQ(G.Zoom.Style, zsOut);
  TypeInto(D.edZoomPerStep, "0.5");
  EXPECT_EQ(G.Zoom.ChangePerStep, 0.5);
  // The frame width stays within what the settings file holds.
  for (int I = 0; I < 120; ++I) D.sbFrameUp->click();
  EXPECT_EQ(G.Frame.Width, 100);
  for (int I = 0; I < 120; ++I) D.sbFrameDown->click();
  EXPECT_EQ(G.Frame.Width, 0);
  EXPECT_EQ(D.Edit2->text(), "0");

  // Info.
  D.cmbStyle->setCurrentIndex(1);
  EXPECT_EQ(G.Info->Style, isRectangle);
  D.cmbPosition->setCurrentIndex(4);
  EXPECT_EQ(G.Info->Position, ipBottomCenter);
  F.Script.AnswerColor(clSilver);
  D.btInfoColor->click();
  EXPECT_EQ(G.Info->Color, clSilver);
  F.Script.AnswerFont(QFont(QStringLiteral("Liberation Sans"), 11), clPurple);
  D.btInfoFont->click();
  EXPECT_EQ(G.Info->Font.Color(), clPurple);
  TypeInto(D.edGeneral, "12");
  EXPECT_EQ(G.Info->NumberOfGeneralDigits, 12);
  bool* Flags[6] = {&G.Info->PointName,   &G.Info->SeriesName,   &G.Info->PointValue,
                    &G.Info->SeriesValue, &G.Info->PointVisible, &G.Info->SeriesVisible};
  for (int I = 0; I < 6; ++I) {
    const bool Was = *Flags[I];
    EXPECT_EQ(D.chShow[I]->isChecked(), Was) << I;
    D.chShow[I]->setChecked(!Was);
    EXPECT_EQ(*Flags[I], !Was) << I;
  }
  // The special formats take only what the bubbles can write.
  D.edFormatX->setText("%.3f s");
  F.Leave(D.edFormatX);
  EXPECT_EQ(G.Info->FormatX, "%.3f s");
  D.edFormatY->setText("%s");
  F.Leave(D.edFormatY);
  EXPECT_TRUE(G.Info->FormatY.isEmpty());
  EXPECT_EQ(D.edFormatY->text(), "");
  EXPECT_EQ(F.Script.Messages().back(), "%s is not a value format");
}

TEST(GraphProperties, LiveUpdateShowsInThePicture) {
  TDialogFixture F;
  TfmGraphProperties& D = *F.D;
  F.Live(true);
  const QRgb Yellow = qRgb(255, 255, 0);
  EXPECT_EQ(CountColor(F.Picture(), Yellow), 0);
  F.Script.AnswerColor(clYellow);
  D.btPlotColor->click();
  // The plot area is yellow at once.
  EXPECT_GT(CountColor(F.Picture(), Yellow), 10000);
  const TRect R = F.Graph().PlotRect;
  const QRgb Silver = qRgb(192, 192, 192);
  const int GridBefore = CountColor(F.Picture(), Silver);
  D.AxisGroups[0].chGrid->setChecked(true);
  EXPECT_GT(CountColor(F.Picture(), Silver), GridBefore + (R.Bottom - R.Top) * 3);
  // Live update off: the picture waits for Apply.
  F.Live(false);
  F.Script.AnswerColor(clAqua);
  D.btPlotColor->click();
  EXPECT_GT(CountColor(F.Picture(), Yellow), 10000);
  D.btApply->click();
  EXPECT_EQ(CountColor(F.Picture(), Yellow), 0);
  EXPECT_GT(CountColor(F.Picture(), qRgb(0, 255, 255)), 10000);
}

TEST(GraphProperties, AxisRangesOnLinearAndLogarithmicAxes) {
  TDialogFixture F;
  TfmGraphProperties& D = *F.D;
  TAxisGroup& X = D.AxisGroups[0];
  TGraph& G = F.Graph();
  EXPECT_FALSE(X.edMin->isEnabled());
  X.chAutoMin->setChecked(false);
  TypeInto(X.edMin, "2");
  EXPECT_EQ(G.XMin, 2);
  EXPECT_EQ(G.XAxis->Min, 2);
  // Inverted: the minimum is the upper end.
  X.chInvert->setChecked(true);
  TypeInto(X.edMin, "3");
  EXPECT_EQ(G.XMax, 3);
  X.chInvert->setChecked(false);
  // Logarithmic: nothing at or below 0; below the minimum log value lowers it.
  X.chLog->setChecked(true);
  const double Lo = G.XMin;
  TypeInto(X.edMin, "-1");
  TypeInto(X.edMin, "0");
  EXPECT_EQ(G.XMin, Lo);
  TypeInto(X.edMin, "1e-12");
  EXPECT_EQ(F.Plot->GetMinimumLogValue(), 1e-12);
  EXPECT_NEAR(G.XMin, -12, 1e-12);
  EXPECT_EQ(D.edMinLog->text(), "1E-12");
  // The ranges show back as values, not logarithms.
  D.LoadAxisRanges();
  EXPECT_EQ(X.edMin->text(), "1E-12");

  // After Logarithm, and after a repaint, the edits show the ends the axis uses.
  TAxisGroup& Y = D.AxisGroups[TfmGraphProperties::agY];
  for (bool Live : {false, true}) {
    F.Live(Live);
    for (bool Log : {true, false}) {
      Y.chLog->setChecked(Log);
      const auto End = [&](double V) { return PropertiesNumberText(Log ? std::pow(10.0, V) : V); };
      const QStringList Shown{Y.edMin->text(), Y.edMax->text()};
      EXPECT_EQ(Shown, (QStringList{End(G.YMin), End(G.YMax)})) << Live << Log;
      D.ApplyClick();
      EXPECT_EQ((QStringList{Y.edMin->text(), Y.edMax->text()}), Shown) << Live << Log;
      EXPECT_EQ(Shown, (QStringList{End(G.YMin), End(G.YMax)})) << Live << Log;
    }
  }
  // A repaint after the data grew (a series added or edited) shows the ends it autoscaled to.
  F.AddLine()->AddPoint(clRed, QString(), 0, 500);
  D.Repaint();
  EXPECT_GE(G.YMax, 500);
  EXPECT_EQ(Y.edMax->text(), PropertiesNumberText(G.YMax));
}

TEST(GraphProperties, AxisEndsAreCheckedAgainstEachOtherAndTheLogScale) {
  TDialogFixture F;
  TGraph& G = F.Graph();
  TAxisGroup& Y = F.D->AxisGroups[TfmGraphProperties::agY];
  Y.chAutoMin->setChecked(false);
  Y.chAutoMax->setChecked(false);
  // Applied when left; a minimum at or above the maximum is refused, and so the reverse.
  TypeInto(Y.edMax, "10");
  EXPECT_EQ(G.YMax, 10);
  const double Lo = G.YMin;
  TypeInto(Y.edMin, "20", false);
  EXPECT_EQ(G.YMin, Lo);
  QTest::keyClick(Y.edMin, Qt::Key_Return);
  TypeInto(Y.edMax, QString::number(Lo));
  EXPECT_EQ(F.Script.Messages(), (QStringList{"Minimum must be less than Maximum.",
                                              "Minimum must be less than Maximum."}));
  EXPECT_EQ(G.YMin, Lo);
  EXPECT_EQ(G.YMax, 10);
  EXPECT_EQ(Y.edMin->text(), PropertiesNumberText(Lo));

  // A log axis takes ends above zero only, and says so; a number so small that a double would
  // hold it as 0 is no number the field reads. Nothing refused lowers the minimum log value.
  Y.chLog->setChecked(true);
  const double LogLo = G.YMin, MinLog = F.Plot->GetMinimumLogValue();
  TypeInto(Y.edMin, "0");
  EXPECT_EQ(F.Script.Messages().last(), "YMin must be in the range [ > 0.0 ... 1.0E+30]");
  TypeInto(Y.edMin, "1e-2000");
  EXPECT_EQ(F.Script.Messages().last(), "YMin must be in the range [-1.0E+30 ... 1.0E+30]");
  EXPECT_EQ(G.YMin, LogLo);
  EXPECT_EQ(F.Plot->GetMinimumLogValue(), MinLog);
}

// Runs the plot's Properties command; Inside runs on the dialog while it shows.
void WithDialog(TPlot& Plot, const std::function<void(TfmGraphProperties&)>& Inside) {
  bool Ran = false;
  QTimer::singleShot(0, [&] {
    auto* D = qobject_cast<TfmGraphProperties*>(QApplication::activeModalWidget());
    ASSERT_NE(D, nullptr);
    Ran = true;
    Inside(*D);
    D->btClose->click();
  });
  Plot.ShowProperties();
  EXPECT_TRUE(Ran);
}

TEST(GraphProperties, ThePlotOpensItWithItsFlagsAndRemembersPageAndLiveUpdate) {
  TPlotFixture F;
  F.AddLine();
  TPlot& P = *F.Plot;
  P.PropertiesControl.DisabledAxisTab = true;
  P.PropertiesControl.DisabledInfoShow = true;
  P.PropertiesControl.DisabledZoom = true;
  P.PropertiesControl.DisabledYAxis2Log = true;
  P.PropertiesControl.Disabled3D = true;
  P.LastPropertiesPage = TfmGraphProperties::piAxis;
  WithDialog(P, [&](TfmGraphProperties& D) {
    EXPECT_FALSE(D.PageShown(TfmGraphProperties::piAxis));
    // Without a contour layer the colour map and contour pages have nothing to edit.
    for (int I : {4, 7}) EXPECT_FALSE(D.PageShown(I)) << I;
    for (int I : {1, 2, 3, 5, 6, 8, 9}) EXPECT_TRUE(D.PageShown(I)) << I;
    // The remembered page is hidden: the first shown one opens.
    EXPECT_EQ(D.ActivePage(), TfmGraphProperties::piTitles);
    EXPECT_FALSE(D.pnlInfoShow->isVisibleTo(&D));
    EXPECT_FALSE(D.gbZoom->isEnabled());
    EXPECT_FALSE(D.AxisGroups[TfmGraphProperties::agY2].chLog->isEnabled());
    EXPECT_TRUE(D.AxisGroups[TfmGraphProperties::agX2].chLog->isEnabled());
    EXPECT_FALSE(D.edView3D->isEnabled());
    EXPECT_FALSE(D.btHelp->isVisibleTo(&D));
    D.PageControl1->SetActivePageIndex(TfmGraphProperties::piSettings);
    D.cbAutoApply->setChecked(true);
  });
  EXPECT_EQ(P.LastPropertiesPage, TfmGraphProperties::piSettings);
  EXPECT_TRUE(P.AutoApply);
  // With a help file the help button shows; the page and Live update come back.
  QFile Help(ProgramDir() + "/Plot.HLP");
  ASSERT_TRUE(Help.open(QIODevice::WriteOnly));
  Help.close();
  WithDialog(P, [&](TfmGraphProperties& D) {
    EXPECT_EQ(D.ActivePage(), TfmGraphProperties::piSettings);
    EXPECT_TRUE(D.cbAutoApply->isChecked());
    EXPECT_TRUE(D.btHelp->isVisibleTo(&D));
    // A change shows in the plot at once and is announced.
    int Announced = 0;
    P.OnAfterChangeProperties = [&](TGraph*) { ++Announced; };
    F.Script.AnswerColor(clYellow);
    D.btPlotColor->click();
    EXPECT_EQ(Announced, 1);
    EXPECT_GT(CountColor(F.Picture(), qRgb(255, 255, 0)), 10000);
  });
}

TEST(GraphProperties, AChangeMadeInTheDialogIsSavedAndReadBack) {
  TDialogFixture F;
  TfmGraphProperties& D = *F.D;
  D.AxisGroups[0].edName->setText("Time");
  D.sbFrameUp->click();
  D.sbFrameUp->click();
  F.Script.AnswerColor(clYellow);
  D.btPlotColor->click();
  D.cmbPosition->setCurrentIndex(5);
  D.AxisGroups[1].chLog->setChecked(true);
  F.Plot->SaveSettings();
  ASSERT_TRUE(F.Script.Messages().isEmpty()) << F.Script.Messages().join("; ").toStdString();

  auto* Other = new TPlot(F.Form.get());
  Other->setObjectName(QStringLiteral("Chart"));
  Other->LoadSettings();
  EXPECT_EQ(Other->XAxis->GetName(), "Time");
  EXPECT_EQ(Other->Frame->GetWidth(), 3);
  EXPECT_EQ(Other->GetColor(), clYellow);
  EXPECT_EQ(Other->Info->GetPosition(), ipLeftBottom);
  EXPECT_TRUE(Other->YAxis->GetLog());
}

TEST(GraphProperties, PictureFileNamesAreComparedAsTheyAreAndAnUnreadableOneIsRefused) {
  TDialogFixture F;
  TfmGraphProperties& D = *F.D;
  const QString Lower = F.Dir.path() + "/pic.bmp", Upper = F.Dir.path() + "/PIC.BMP";
  QImage Red(8, 8, QImage::Format_RGB32), Blue(8, 8, QImage::Format_RGB32);
  Red.fill(Qt::red);
  Blue.fill(Qt::blue);
  ASSERT_TRUE(Red.save(Lower, "BMP"));
  ASSERT_TRUE(Blue.save(Upper, "BMP"));
  F.Script.AnswerFile(Lower);
  D.btBrowse->click();
  EXPECT_EQ(F.Plot->Picture->GetPictureFileName(), Lower);
  EXPECT_EQ(D.edPictureFileName->text(), Lower);
  // Another file on this system, though the names differ only in case.
  F.Script.AnswerFile(Upper);
  D.btBrowse->click();
  EXPECT_EQ(F.Plot->Picture->GetPictureFileName(), Upper);
  ASSERT_NE(F.Graph().Picture->Picture(), nullptr);
  EXPECT_EQ(F.Graph().Picture->Picture()->pixel(1, 1) & 0xFFFFFF, 0x0000FFu);
  // A file that is no picture keeps the one there is, and says so.
  const QString Bad = F.Dir.path() + "/bad.bmp";
  QFile B(Bad);
  ASSERT_TRUE(B.open(QIODevice::WriteOnly));
  B.write("not a picture");
  B.close();
  F.Script.AnswerFile(Bad);
  D.btBrowse->click();
  EXPECT_EQ(F.Plot->Picture->GetPictureFileName(), Upper);
  EXPECT_TRUE(F.Script.Messages().back().startsWith("Cannot load the picture " + Bad + ": "));
  D.edPictureFileName->setText(Bad);
  F.Leave(D.edPictureFileName);
  EXPECT_EQ(F.Plot->Picture->GetPictureFileName(), Upper);
  EXPECT_EQ(D.edPictureFileName->text(), Upper);
  // A pipe or a device is refused before a byte is read: nothing waits for a writer.
  const QString Fifo = F.Dir.path() + "/fifo";
  ASSERT_EQ(::mkfifo(QFile::encodeName(Fifo).constData(), 0600), 0);
  for (const QString& Hostile : {Fifo, QStringLiteral("/dev/zero")}) {
    F.Script.AnswerFile(Hostile);
    D.btBrowse->click();
    EXPECT_EQ(F.Script.Messages().back(),
              "Cannot load the picture " + Hostile + ": it is not a regular file");
    EXPECT_EQ(F.Plot->Picture->GetPictureFileName(), Upper);
    // Named by the settings, it leaves no picture.
    TGraphPicture Named(nullptr, Hostile);
    EXPECT_EQ(Named.Picture(), nullptr);
  }
}

TEST(GraphProperties, TicksDialogEditsTheAxisTicks) {
  TDialogFixture F;
  TAxisTicks& T = F.Graph().XAxis->Ticks;
  std::unique_ptr<TfmGraphTicks> D(CreateForm<TfmGraphTicks>(F.D.get()));
  D->Load(F.D.get(), F.Plot->XAxis.get());
  EXPECT_TRUE(D->btApplay->isEnabled());
  TypeInto(D->edMjLength, "12");
  EXPECT_EQ(T.MajorLength, 12);
  EXPECT_TRUE(F.D->btApply->isEnabled());
  // Named as the user sees the field.
  EXPECT_EQ(D->edMjLength->Caption(), "Major Length");
  TypeInto(D->edMiLength, "1");
  D->sbMiDown->click();
  D->sbMiDown->click();
  EXPECT_EQ(D->edMiLength->text(), "0");
  EXPECT_EQ(T.MinorLength, 0);
  D->sbMiUp->click();
  EXPECT_EQ(T.MinorLength, 1);
  TypeInto(D->edMiLength, "", false);
  D->sbMiDown->click();
  EXPECT_EQ(D->edMiLength->text(), "0");
  D->chMjVisible->setChecked(!T.MajorVisible);
  EXPECT_EQ(T.MajorVisible, D->chMjVisible->isChecked());
  D->cbDir->setCurrentIndex(1);
  EXPECT_EQ(T.Direction, tdIN);
  int Before = F.Paints;
  D->btApplay->click();
  EXPECT_EQ(F.Paints, Before + 1);
  // With Live update the change shows at once and Apply is off.
  F.Live(true);
  D->Load(F.D.get(), F.Plot->XAxis.get());
  EXPECT_FALSE(D->btApplay->isEnabled());
  Before = F.Paints;
  TypeInto(D->edMjLength, "20");
  EXPECT_EQ(F.Paints, Before + 2);  // "2", then "20"
}

}  // namespace
