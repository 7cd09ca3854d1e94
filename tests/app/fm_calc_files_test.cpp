// The files beside the program: settings, histories and constants, first start and bad files, the
// greeting, window placement and the start-up windows.
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>

#include "app/calc/fm_comp_mess.h"
#include "app/calc/pending_windows.h"
#include "app/common/calc_controls.h"
#include "app/common/form_placement.h"
#include "app/graphics/graphics_page.h"
#include "app/matrix/fm_matrix.h"
#include "app/startup/start_up.h"
#include "calc_test_support.h"
#include "chart/engine/chart_registry.h"
#include "plot/core/graph_layer.h"
#include "widgets/nx_switch.h"
#include "widgets/text_list_box.h"

namespace {
QStringList Items(const QComboBox* C) {
  QStringList L;
  for (int I = 0; I < C->count(); ++I) L << C->itemText(I);
  return L;
}
QDateTime At(int Day, int Hour, int Minute = 0) {
  return QDateTime(QDate(2026, 3, Day), QTime(Hour, Minute));
}
}  // namespace

TEST_F(CalcWindowTest, FirstStartWithNoFilesUsesTheDefaults) {
  Window = std::make_unique<TfmCalc>();
  Window->DoCreate();
  Window->Now = [] { return At(2, 9); };
  Window->show();
  TfmCalc& W = *Window;
  EXPECT_EQ(W.rgNotation->ItemIndex(), 0);
  EXPECT_EQ(W.Digits, 12);
  EXPECT_EQ(W.udDigits->Position(), 12);
  EXPECT_EQ(W.MinDigits, 8);
  EXPECT_EQ(W.rgComplexForm->ItemIndex(), 1);
  EXPECT_EQ(W.udPrecision->Position(), 9);
  EXPECT_TRUE(W.chAssistant->isChecked());
  EXPECT_TRUE(W.chHint->isChecked());
  EXPECT_EQ(W.rgAngle->ItemIndex(), 1);
  EXPECT_EQ(EngineSettings.AngleMode, 1);
  EXPECT_EQ(W.Graphics->rgPlot->ItemIndex(), 0);
  EXPECT_EQ(W.Graphics->edFromX->text(), "-10");
  EXPECT_EQ(W.Graphics->edToX->text(), "10");
  EXPECT_EQ(W.Graphics->edStepsX->text(), "200");
  EXPECT_EQ(W.Graphics->edStepsY->text(), "0");
  EXPECT_EQ(W.cbHistory->count(), 0);
  EXPECT_EQ(W.UserVarFile, Path("Numyx.USR"));
  EXPECT_EQ(W.windowTitle(), "Numyx");
  EXPECT_EQ(Dialogs.Messages(), QStringList{"File <" + Path("Numyx") + ".CON> not found."});
  EXPECT_EQ(Dialogs.Requests.front().Type, mtWarning);

  EXPECT_EQ(W.TimerTask, 2);
  EXPECT_TRUE(W.Timer1->isActive());
  W.Timer1Timer();
  EXPECT_EQ(W.pnAssistant->text(), " Good morning Sir/Madam! ");
  EXPECT_FALSE(W.Timer1->isActive());

  CloseWindow();
  EXPECT_EQ(ReadFile("Numyx.HST"), "0\n0\n");
  const QByteArray Ini = ReadFile("Numyx.INI");
  for (const char* Line : {"Notation=0", "Angle=1", "Digits=12", "Precison=9", "Complex Form=1",
                           "Assistant=1", "Hint=1", "ShowComp=1", "Plot Type=0", "StepX4=360",
                           "Xx min=-10", "Yy min=10", "Title=", "Left=0"})
    EXPECT_TRUE(Ini.contains(Line)) << Line;
}

TEST_F(CalcWindowTest, SettingsSurviveARestart) {
  WriteFile("Numyx.CON", "pi = 3.14159\nc = 299792458\n");
  WriteFile("Numyx.INI", "[fmPlot2D.Plot1]\nPlot_Grid=1\n");
  TfmCalc& W = Open();
  W.rgNotation->SetItemIndex(1);
  W.udDigits->SetPosition(15);
  W.udDigitsClick(W.udDigits);
  W.udPrecision->SetPosition(14);
  W.chAssistant->setChecked(false);
  W.chHint->click();
  W.rgAngle->SetItemIndex(0);
  W.Graphics->rgPlot->SetItemIndex(2);
  W.Graphics->edStepsX->setText("80");
  W.Graphics->edStepsY->setText("60");
  W.Graphics->edFromX->setText("-3");
  W.Graphics->edToY->setText("7.5");
  W.Graphics->edX->setText("time");
  W.move(30, 40);
  CloseWindow();

  EXPECT_TRUE(ReadFile("Numyx.INI").contains("[fmPlot2D.Plot1]\nPlot_Grid=1\n"));
  TfmCalc& R = Open();
  EXPECT_TRUE(Dialogs.Messages().isEmpty());
  EXPECT_EQ(R.rgNotation->ItemIndex(), 1);
  EXPECT_EQ(R.rgNotation2->ItemIndex(), 1);
  EXPECT_EQ(EngineSettings.DisplayMode, 1);
  EXPECT_EQ(R.Digits, 15);
  EXPECT_EQ(R.UpDown2->Position(), 15);
  EXPECT_EQ(R.udPrecision->Position(), 14);
  EXPECT_EQ(R.Edit10->text(), "14");
  EXPECT_FALSE(R.chAssistant->isChecked());
  EXPECT_FALSE(R.chHint2->isChecked());
  EXPECT_TRUE(R.sbEQ->toolTip().isEmpty());
  EXPECT_EQ(R.rgAngle->ItemIndex(), 0);
  EXPECT_EQ(EngineSettings.AngleMode, 0);
  EXPECT_EQ(R.Graphics->rgPlot->ItemIndex(), 2);
  EXPECT_EQ(R.Graphics->edStepsX->text(), "80");
  EXPECT_EQ(R.Graphics->edStepsY->text(), "60");
  EXPECT_EQ(R.Graphics->StepsX[0], 200);
  EXPECT_EQ(R.Graphics->edFromX->text(), "-3");
  EXPECT_EQ(R.Graphics->edToY->text(), "7.5");
  EXPECT_EQ(R.Graphics->edX->text(), "time");
  EXPECT_EQ(R.pos(), QPoint(30, 40));
  EXPECT_EQ(R.lbConst->count(), 2);
  EXPECT_EQ(R.lbConst->item(0)->text(), "c = 299792458");
}

TEST_F(CalcWindowTest, HistoriesSurviveARestart) {
  TfmCalc& W = Open();
  W.rgNotation->SetItemIndex(1);
  const QString Long = "10" + QString("+0").repeated(149);
  ASSERT_EQ(Long.size(), 300);
  ASSERT_TRUE(Enter("2*3"));
  ASSERT_TRUE(Enter(Long));
  W.cbHistory->insertItem(0, "line\nbreak");
  EXPECT_EQ(W.cbHistory->itemText(1), Long);  // whole for this session
  CloseWindow();
  // Too long for the file: left out of it rather than given back cut, as another formula.
  EXPECT_EQ(ReadFile("Numyx.HST"), "2\nline break\n2*3\n2\n10.0\n6.0\n");

  TfmCalc& R = Open();
  EXPECT_EQ(Items(R.cbHistory), (QStringList{"line break", "2*3"}));
  EXPECT_EQ(Items(R.cbResults), (QStringList{"10.0", "6.0"}));
  // The newest entries come back into the lines when the window is shown.
  EXPECT_EQ(R.Edit1->text(), "line break");
  EXPECT_EQ(R.Edit1->selectedText(), "line break");
  EXPECT_EQ(R.Edit2->text(), "10.0");
  CloseWindow();

  // A file that already holds a long entry: the entry is not offered, and an unchanged history
  // leaves the file as it is.
  const QByteArray Earlier = "2\n" + Long.toLatin1() + "\n1+1\n1\n2.0\n";
  WriteFile("Numyx.HST", Earlier);
  EXPECT_EQ(Items(Open().cbHistory), QStringList{"1+1"});
  CloseWindow();
  EXPECT_EQ(ReadFile("Numyx.HST"), Earlier);
}

TEST_F(CalcWindowTest, OutOfRangeSettingsFallBackToTheirDefaults) {
  WriteFile("Numyx.INI",
            "[calc settings]\r\nNotation = 9\r\nDigits=-4\r\nPrecison=500\r\nComplex Form=5\r\n"
            "Angle=abc\r\nAssistant=0\r\n[Graphics]\r\nPlot Type=7\r\nStepX0=1\r\nStepY1=0\r\n"
            "StepX4=16001\r\n[Calc]\r\nLeft=-99999\r\nTop=88888\r\n[fmPlot2D]\r\nWidth=0\r\n");
  TfmCalc& W = Open();
  EXPECT_EQ(W.rgNotation->ItemIndex(), 0);
  EXPECT_EQ(W.Digits, 12);
  EXPECT_EQ(W.udPrecision->Position(), 9);
  EXPECT_EQ(W.rgComplexForm->ItemIndex(), 1);
  EXPECT_EQ(W.rgAngle->ItemIndex(), 1);
  EXPECT_FALSE(W.chAssistant->isChecked());  // keys match without regard to case
  EXPECT_EQ(W.Graphics->rgPlot->ItemIndex(), 0);
  EXPECT_EQ(W.Graphics->StepsX[0], 200);
  EXPECT_EQ(W.Graphics->StepsY[1], 40);
  EXPECT_EQ(W.Graphics->StepsX[4], 360);
  EXPECT_EQ(W.pos(), QPoint(0, 0));

  QWidget Plot;
  Plot.setObjectName("fmPlot2D");
  LoadFormPlacement(&Plot);
  EXPECT_EQ(Plot.geometry().size(), QSize(640, 480));
  EXPECT_EQ(Plot.pos(), QPoint(0, 0));
  CloseWindow();

  // Garbage bytes read as no settings at all, and are replaced by real ones at close.
  WriteFile("Numyx.INI", QByteArray("\x00\xff\x81[\x01=\x02\n=\n[", 12));
  TfmCalc& R = Open();
  EXPECT_EQ(R.Digits, 12);
  CloseWindow();
  EXPECT_TRUE(ReadFile("Numyx.INI").contains("Digits=12"));
}

TEST_F(CalcWindowTest, BadHistoryFilesAreReadSafelyAndNotOverwritten) {
  // Not a history file: nothing is read and the file stays as it was.
  const QByteArray Corrupt = "abc\n1+1\n";
  WriteFile("Numyx.HST", Corrupt);
  Open();
  EXPECT_EQ(Window->cbHistory->count(), 0);
  EXPECT_FALSE(Window->HistoryWritable());
  ASSERT_TRUE(Enter("1+1"));
  CloseWindow();
  EXPECT_EQ(ReadFile("Numyx.HST"), Corrupt);

  // A count larger than the lines that follow is damage: the result lines are not taken for
  // expressions, and the file stays.
  for (const QByteArray& Damaged :
       {QByteArray("999999999\r\nx\r\ny"), QByteArray("2147483647\n1+1\n1\n2\n")}) {
    WriteFile("Numyx.HST", Damaged);
    Open();
    EXPECT_EQ(Window->cbHistory->count(), 0);
    EXPECT_EQ(Window->cbResults->count(), 0);
    EXPECT_FALSE(Window->HistoryWritable());
    ASSERT_TRUE(Enter("2+2"));
    CloseWindow();
    EXPECT_EQ(ReadFile("Numyx.HST"), Damaged);
  }

  // A corrupt second count keeps the first list and the file.
  WriteFile("Numyx.HST", "1\na\n-5\nb\n");
  Open();
  EXPECT_EQ(Items(Window->cbHistory), QStringList{"a"});
  EXPECT_FALSE(Window->HistoryWritable());
  CloseWindow();
  EXPECT_EQ(ReadFile("Numyx.HST"), "1\na\n-5\nb\n");

  // An unreadable file is not replaced either.
  WriteFile("Numyx.HST", "1\nsecret\n0\n");
  QFile::setPermissions(Path("Numyx.HST"), QFileDevice::WriteOwner);
  if (!QFile(Path("Numyx.HST")).open(QIODevice::ReadOnly)) {
    Open();
    EXPECT_FALSE(Window->HistoryWritable());
    CloseWindow();
  }
  QFile::setPermissions(Path("Numyx.HST"), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
  EXPECT_EQ(ReadFile("Numyx.HST"), "1\nsecret\n0\n");
}

TEST_F(CalcWindowTest, GreetingFollowsTheTimeOfTheFirstShowing) {
  EXPECT_EQ(TfmCalc::GreetingText(0), "What is the time?");
  EXPECT_EQ(TfmCalc::GreetingText(0.1), "Oh... Good ... night ... Sir/Madam!");
  EXPECT_EQ(TfmCalc::GreetingText(0.2), "Good morning Sir/Madam!");
  EXPECT_EQ(TfmCalc::GreetingText(0.5), "Good afternoon Sir/Madam!");
  EXPECT_EQ(TfmCalc::GreetingText(0.75), "Good evening Sir/Madam!");
  EXPECT_EQ(TfmCalc::GreetingText(0.9999), "Good evening Sir/Madam!");

  Window = std::make_unique<TfmCalc>();
  Window->DoCreate();
  QDateTime Clock = At(5, 15);
  Window->Now = [&Clock] { return Clock; };
  Window->show();
  Window->Timer1Timer();
  EXPECT_EQ(Window->pnAssistant->text(), " Good afternoon Sir/Madam! ");

  // Shown again the same day: no greeting.
  Window->ShowAssistantText("x");
  Window->hide();
  Clock = At(5, 23);
  Window->show();
  EXPECT_FALSE(Window->Timer1->isActive());

  // On a later day it greets again, by the first showing's time of day.
  Window->hide();
  Clock = At(6, 8);
  Window->show();
  EXPECT_TRUE(Window->Timer1->isActive());
  Window->Timer1Timer();
  EXPECT_EQ(Window->pnAssistant->text(), " Good afternoon Sir/Madam! ");
}

TEST_F(CalcWindowTest, ConstantsReloadAndEdit) {
  WriteFile("Numyx.CON", "zeta = 1\nalpha = 2\n");
  TfmCalc& W = Open();
  EXPECT_EQ(W.lbConst->item(0)->text(), "alpha = 2");
  EXPECT_FALSE(W.bbReload->isEnabled());
  W.bbEdit->click();
  ASSERT_EQ(Dialogs.Urls.size(), 1);
  EXPECT_TRUE(Dialogs.Urls.front().endsWith("/Numyx.CON"));
  EXPECT_TRUE(W.bbReload->isEnabled());
  QFile::remove(Path("Numyx.CON"));
  W.bbReload->click();
  EXPECT_EQ(Dialogs.Messages(), QStringList{"File <" + Path("Numyx") + ".CON> not found"});
  EXPECT_EQ(W.lbConst->count(), 0);
  EXPECT_FALSE(W.bbReload->isEnabled());

  W.btMailSupport->click();
  EXPECT_EQ(Dialogs.Urls.back(), "mailto:support@numyx.example?subject=Techsupport");
}

TEST_F(CalcWindowTest, PlacementOfOtherWindowsRoundTrips) {
  QWidget Plot;
  Plot.setObjectName("fmContourPlot");
  LoadFormPlacement(&Plot);
  EXPECT_EQ(Plot.pos(), QPoint(0, 0));
  EXPECT_EQ(Plot.size(), QSize(640, 480));
  Plot.move(20, 30);
  Plot.resize(300, 200);
  SaveFormPlacement(&Plot);
  QWidget Again;
  Again.setObjectName("fmContourPlot");
  LoadFormPlacement(&Again);
  EXPECT_EQ(Again.pos(), QPoint(20, 30));
  EXPECT_EQ(Again.size(), QSize(300, 200));
  EXPECT_TRUE(ReadFile("Numyx.INI").contains("[fmContourPlot]"));
}

TEST_F(CalcWindowTest, StartUpCreatesItsWindowsHiddenInOrder) {
  WriteFile("Numyx.CON", "a=1\n");
  TfmCalc* Main = CreateStartUpWindows();
  EXPECT_EQ(StartUpOrder(),
            (QStringList{"fmCalc", "SetVar", "fmPlot2D", "fmContourPlot", "DM", "fmMatrix",
                         "fmMult", "fmCompMess", "fmSurfaceChart", "PolarForm", "frmViewR"}));
  EXPECT_EQ(Main, fmCalc);
  EXPECT_EQ(QApplication::applicationName(), "Numyx v.4.24");
  // The drawing libraries' classes can be created by name from then on.
  EXPECT_TRUE(RegisteredChartClasses().contains("TChart"));
  EXPECT_TRUE(GetLayerClass("TSeries"));
  for (QWidget* W : std::initializer_list<QWidget*>{Main, SetVar, fmPlot2D, fmMatrix, PolarForm})
    EXPECT_FALSE(W->isVisible());
  EXPECT_EQ(Main->CompMess(), fmCompMess);
  // The matrix button shows its window without waiting.
  Main->show();
  Main->SpeedButton2->click();
  EXPECT_TRUE(fmMatrix->isVisible());
  bool Closed = false;
  QObject::connect(Main, &TfmCalc::Closed, [&Closed] { Closed = true; });
  const QPointF Centre = QRectF(Main->NxSwitch2->rect()).center();
  QMouseEvent Press(QEvent::MouseButtonPress, Centre, Centre, Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QMouseEvent Release(QEvent::MouseButtonRelease, Centre, Centre, Qt::LeftButton, Qt::NoButton,
                      Qt::NoModifier);
  QCoreApplication::sendEvent(Main->NxSwitch2, &Press);
  QCoreApplication::sendEvent(Main->NxSwitch2, &Release);
  EXPECT_TRUE(Closed);
  DestroyStartUpWindows();
  EXPECT_EQ(fmCalc, nullptr);
}

TEST_F(CalcWindowTest, GraphicsPageKeepsStepsPerPlotKind) {
  TfmCalc& W = Open();
  W.Edit1->setText("x^2");
  W.pcCalc->setCurrentIndex(4);  // as the user moves there
  EXPECT_EQ(EngineState.ExprStr, "x^2");
  EXPECT_EQ(W.Graphics->edLegend->text(), "f(x^2)");
  EXPECT_EQ(W.Graphics->edTitle->text(), "");  // a curve has a legend, no title
  EXPECT_FALSE(W.Graphics->Panel1->isHidden());
  W.Graphics->edStepsX->setText("500");
  W.Graphics->rgPlot->SetItemIndex(4);
  EXPECT_EQ(W.Graphics->edStepsX->text(), "360");
  W.Graphics->edStepsY->setText("1");  // kinds 0 and 4 allow it
  EXPECT_EQ(W.Graphics->StepsY[4], 1);
  W.Graphics->rgPlot->SetItemIndex(2);
  W.Graphics->edStepsY->setText("1");  // below 2 for contours: not taken
  EXPECT_EQ(W.Graphics->StepsY[2], 40);
  W.Graphics->rgPlot->SetItemIndex(0);
  EXPECT_EQ(W.Graphics->edStepsX->text(), "500");
  W.pcCalc->setCurrentIndex(0);
  EXPECT_TRUE(W.Graphics->Panel1->isHidden());
}
