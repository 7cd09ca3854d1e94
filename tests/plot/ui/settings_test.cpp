// The plot's settings file: round trips, the key order, the calculator's sections beside the
// plot's, hostile values and folders that cannot be written.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <clocale>

#include "platform/ini_file.h"
#include "plot_fixture.h"
#include "tests/plot/core/print_qstring.h"
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

// The keys of a section in file order.
QStringList KeysOf(const QByteArray& File, const QString& Section) {
  QStringList Keys;
  bool In = false;
  for (const QByteArray& L : File.split('\n')) {
    const QString S = QString::fromUtf8(L);
    if (S.startsWith(u'[')) {
      In = S == u'[' + Section + u']';
      continue;
    }
    if (In && S.contains(u'=')) Keys << S.left(S.indexOf(u'='));
  }
  return Keys;
}

QString Value(const QByteArray& File, const QString& Key) {
  for (const QByteArray& L : File.split('\n'))
    if (L.startsWith(Key.toUtf8() + '=')) return QString::fromUtf8(L.mid(Key.size() + 1));
  return QStringLiteral("<absent>");
}

// Every key of the file in the order written.
QStringList ExpectedKeys() {
  QStringList K = {"Plot_Saved",      "Plot_Color",         "Plot_BackColor",
                   "Plot_Exaggerate", "Plot_ClipMarkers",   "Plot_StatusBarVisible",
                   "Plot_View3D",     "Plot_StatusBarGrip", "Plot_MinLogVAlue"};
  const QStringList Font = {"Font_Name", "Font_Size", "Font_Color", "Font_CharSet", "Font_Style"};
  for (const char* Axis : {"XAxis", "YAxis"}) {
    const QString P = QStringLiteral("Plot_") + QLatin1String(Axis);
    for (const char* S :
         {"_Name", "_Minimum", "_Maximum", "_Color", "_Visible", "_Grid", "_AutoMin", "_AutoMax",
          "_Log", "_Invert", "_RegularLabelsVisible", "_LabelCount"})
      K << P + QLatin1String(S);
    if (QLatin1String(Axis) == u"XAxis")  // the test gives the X axis two labels
      K << P + "_LabelLegend0" << P + "_LabelValue0" << P + "_LabelLegend1" << P + "_LabelValue1";
    for (const QString& F : Font) K << P + "_Label_" + F;
    for (const QString& F : Font) K << P + "_Name_" + F;
    for (const char* S : {"_Ticks_Direction", "_Ticks_MajorLength", "_Ticks_MinorLength",
                          "_Ticks_MajorVisible", "_Ticks_MinorVisible"})
      K << P + QLatin1String(S);
  }
  for (const char* T : {"Title", "Foot"}) {
    const QString P = QStringLiteral("Plot_") + QLatin1String(T);
    K << P + "_Text" << P + "_Style" << P + "_Alignment" << P + "_Visible";
    for (const QString& F : Font) K << P + "_" + F;
  }
  K << "Plot_Gradient_Style"
    << "Plot_Gradient_StartColor"
    << "Plot_Gradient_EndColor"
    << "Plot_Gradient_Visible"
    << "Plot_Zoom_Style"
    << "Plot_Zoom_ZoomAutoStop"
    << "Plot_Zoom_Steps"
    << "Plot_Zoom_Color"
    << "Plot_Info_Style"
    << "Plot_Info_Position"
    << "Plot_Info_Color"
    << "Plot_Info_Visible";
  for (const QString& F : Font) K << "Plot_Info_Font" + F;
  for (const char* L : {"Plot_Legend_", "Plot_Color_Legend_"})
    for (const char* S :
         {"Style", "Color", "ShadowColor", "ShadowThickness", "ShadowVisible", "FrameColor",
          "FrameThickness", "FrameStyle", "FrameVisible", "Visible", "TransparentBackGround"})
      K << QLatin1String(L) + QLatin1String(S);
  K << "Plot_Picture_Style"
    << "Plot_Picture_Color"
    << "Plot_Picture_Visible"
    << "Plot_Frame_Style"
    << "Plot_Frame_Color"
    << "Plot_Frame_Width"
    << "Plot_Frame_Visible";
  return K;
}

// A look far from the defaults.
void Dress(TPlot& P) {
  P.SetColor(0x123456);
  P.SetBackColor(clBtnFace);
  P.SetExaggerate(1.5);
  P.SetView3D(8);
  P.SetStatusBarGrip(false);
  P.SetMinimumLogValue(1e-7);
  P.XAxis->SetName(QStringLiteral("time"));
  P.XAxis->SetGrid(true);
  P.XAxis->SetLog(true);
  P.XAxis->Axis()->AddLabel(QStringLiteral("start"), 0.25);
  P.XAxis->Axis()->AddLabel(QStringLiteral("end"), 1e-5);
  TFont Bold;
  Bold.Assign(P.XAxis->GetFont());
  Bold.SetStyle({fsBold, fsUnderline});
  Bold.SetSize(11);
  Bold.SetName(QStringLiteral("Times New Roman"));
  P.XAxis->SetFont(Bold);
  P.YAxis->SetInverted(true);
  P.YAxis->Ticks.SetMajorLength(9);
  P.Title->SetText(QStringLiteral("A#B#"));
  P.Title->SetAlignment(taRightJustify);
  P.Foot->SetStyle(tsRaised);
  P.Gradient->SetStyle(gsTopBottom);
  P.Gradient->SetEndColor(0x00FF00);
  P.Zoom->SetSteps(7);
  P.Zoom->SetZoomAutoStop(true);
  P.Zoom->SetChangePerStep(0.25);
  P.Zoom->SetStyle(zsOut);
  P.Info->SetStyle(isRectangle);
  P.Info->SetPosition(ipLeftBottom);
  P.Info->SetColor(clLime);
  P.Info->SetVisible(false);
  TFont InfoFont;
  InfoFont.Assign(P.Info->GetFont());
  InfoFont.SetName(QStringLiteral("Times New Roman"));
  InfoFont.SetSize(13);
  InfoFont.SetStyle({fsItalic, fsStrikeOut});
  P.Info->SetFont(InfoFont);
  P.Info->SetNumberOfGeneralDigits(12);  // not stored
  P.Legend->SetStyle(lsLeft);
  P.Legend->SetShadowThickness(5);
  P.Legend->SetFrameStyle(psDot);
  P.Legend->SetTransparentBackGround(true);
  P.ColorLegend->SetVisible(false);
  P.ColorLegend->SetFrameColor(clRed);
  P.Picture->SetStyle(psTile);
  P.Frame->SetWidth(3);
  P.Frame->SetColor(clBlue);
  P.Frame->SetStyle(2);
}

TEST(PlotSettings, SaveLoadSaveGivesTheSameFileAndTheSameLook) {
  TPlotFixture A;
  Dress(*A.Plot);
  A.Plot->SaveSettings();
  const QString File = A.Plot->GetIniFileName();
  const QByteArray First = Read(File);
  ASSERT_FALSE(First.isEmpty());
  EXPECT_TRUE(A.Script.Messages().isEmpty());
  EXPECT_EQ(KeysOf(First, QStringLiteral("fmPlot2DChart")), ExpectedKeys());
  EXPECT_EQ(Value(First, QStringLiteral("Plot_BackColor")), QStringLiteral("-2147483633"));
  EXPECT_EQ(Value(First, QStringLiteral("Plot_XAxis_Minimum")), QStringLiteral("1234321"));
  EXPECT_EQ(Value(First, QStringLiteral("Plot_XAxis_Label_Font_Style")), QStringLiteral("BU"));
  EXPECT_EQ(Value(First, QStringLiteral("Plot_YAxis_Label_Font_Style")), QString());
  EXPECT_EQ(Value(First, QStringLiteral("Plot_Title_Text")), QStringLiteral("A#B#"));
  EXPECT_EQ(Value(First, QStringLiteral("Plot_Zoom_Color")), QStringLiteral("0.25"));
  EXPECT_EQ(Value(First, QStringLiteral("Plot_MinLogVAlue")), QStringLiteral("1E-7"));
  EXPECT_EQ(Value(First, QStringLiteral("Plot_Info_FontFont_Style")), QStringLiteral("IS"));
  EXPECT_EQ(Value(First, QStringLiteral("Plot_Info_Position")), QStringLiteral("5"));

  TPlotFixture B;
  B.Plot->SetIniFileName(File);
  B.Plot->LoadSettings();
  TPlot& P = *B.Plot;
  EXPECT_EQ(P.GetColor(), 0x123456u);
  EXPECT_EQ(P.GetExaggerate(), 1.5);
  EXPECT_EQ(P.GetView3D(), 8);
  EXPECT_FALSE(P.GetStatusBarGrip());
  EXPECT_EQ(P.GetMinimumLogValue(), 1e-7);
  EXPECT_EQ(P.XAxis->GetName(), QStringLiteral("time"));
  EXPECT_TRUE(P.XAxis->GetGrid());
  EXPECT_TRUE(P.XAxis->GetLog());
  ASSERT_EQ(P.XAxis->Axis()->Labels.size(), 2u);
  EXPECT_EQ(P.XAxis->Axis()->Labels[1].Legend, QStringLiteral("end"));
  EXPECT_EQ(P.XAxis->Axis()->Labels[1].Value, 1e-5);
  EXPECT_EQ(P.XAxis->GetFont().Style(), (TFontStyles{fsBold, fsUnderline}));
  EXPECT_EQ(P.XAxis->GetFont().Size(), 11);
  EXPECT_EQ(P.XAxis->GetFont().Name(), QStringLiteral("Times New Roman"));
  EXPECT_TRUE(P.YAxis->GetFont().Style().Empty());
  EXPECT_TRUE(P.YAxis->GetInverted());
  EXPECT_EQ(P.YAxis->Ticks.GetMajorLength(), 9);  // the tick keys override the 3D look
  EXPECT_EQ(P.Title->Title()->Lines, (QStringList{"A", "B"}));
  EXPECT_EQ(P.Title->GetAlignment(), taRightJustify);
  EXPECT_EQ(P.Foot->GetStyle(), tsRaised);
  EXPECT_EQ(P.Gradient->GetStyle(), gsTopBottom);
  EXPECT_EQ(P.Gradient->GetEndColor(), 0x00FF00u);
  EXPECT_EQ(P.Zoom->GetSteps(), 7);
  EXPECT_TRUE(P.Zoom->GetZoomAutoStop());
  EXPECT_EQ(P.Zoom->GetChangePerStep(), 0.25);
  EXPECT_EQ(P.Zoom->GetStyle(), zsOut);
  EXPECT_EQ(P.Zoom->GetColor(), 0xA6EEE9u);  // not stored
  EXPECT_EQ(P.Info->GetStyle(), isRectangle);
  EXPECT_EQ(P.Info->GetPosition(), ipLeftBottom);
  EXPECT_EQ(P.Info->GetColor(), clLime);
  EXPECT_FALSE(P.Info->GetVisible());
  EXPECT_EQ(P.Info->GetFont().Name(), QStringLiteral("Times New Roman"));
  EXPECT_EQ(P.Info->GetFont().Size(), 13);
  EXPECT_EQ(P.Info->GetFont().Style(), (TFontStyles{fsItalic, fsStrikeOut}));
  EXPECT_EQ(P.Info->GetNumberOfGeneralDigits(), 7);
  EXPECT_EQ(P.Legend->GetStyle(), lsLeft);
  EXPECT_EQ(P.Legend->GetShadowThickness(), 5);
  EXPECT_EQ(P.Legend->GetFrameStyle(), psDot);
  EXPECT_TRUE(P.Legend->GetTransparentBackGround());
  EXPECT_FALSE(P.ColorLegend->GetVisible());
  EXPECT_EQ(P.ColorLegend->GetFrameColor(), clRed);
  EXPECT_TRUE(P.Legend->GetVisible());
  EXPECT_EQ(P.Picture->GetStyle(), psTile);
  EXPECT_EQ(P.Frame->GetWidth(), 3);
  EXPECT_EQ(P.Frame->GetColor(), clBlue);
  EXPECT_EQ(P.Frame->GetStyle(), 2);
  EXPECT_FALSE(P.XAxis2->GetVisible());  // the secondary axes are not stored
  // Loading wrote nothing; saving the same look again changes no byte and does not write.
  EXPECT_EQ(Read(File), First);
  const QDateTime Stamp = QFileInfo(File).lastModified();
  B.Plot->SaveSettings();
  EXPECT_EQ(Read(File), First);
  EXPECT_EQ(QFileInfo(File).lastModified(), Stamp);
  // A second load appends the text labels again.
  B.Plot->LoadSettings();
  EXPECT_EQ(P.XAxis->Axis()->Labels.size(), 4u);
}

TEST(PlotSettings, TheCalculatorsSectionsStayAndNumbersUseAPoint) {
  TPlotFixture F;
  const QString File = F.Plot->GetIniFileName();
  Put(File, "; Numyx\n[fmCalc]\nDigits=10\nMode = Sci\n\n[Print]\nLeft=20\n");
  // Whatever the locale says about decimal separators.
  const char* Old = std::setlocale(LC_NUMERIC, nullptr);
  const std::string Saved = Old ? Old : "C";
  std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
  F.Plot->SaveSettings();
  std::setlocale(LC_NUMERIC, Saved.c_str());
  const QByteArray B = Read(File);
  EXPECT_TRUE(B.startsWith("; Numyx\n[fmCalc]\nDigits=10\nMode = Sci\n\n[Print]\nLeft=20\n"))
      << B.toStdString();
  EXPECT_EQ(Value(B, QStringLiteral("Plot_Zoom_Color")), QStringLiteral("0.033333"));
  EXPECT_EQ(Value(B, QStringLiteral("Plot_MinLogVAlue")), QStringLiteral("1E-10"));
  // The calculator saves after the plot: both keep their keys.
  {
    TIniFile Calc(File);
    Calc.WriteInteger(QStringLiteral("fmCalc"), QStringLiteral("Digits"), 12);
    ASSERT_TRUE(Calc.UpdateFile());
  }
  F.Plot->SetColor(clRed);
  F.Plot->SaveSettings();
  const QByteArray After = Read(File);
  EXPECT_TRUE(After.contains("Digits=12\n"));
  EXPECT_TRUE(After.contains("Left=20\n"));
  EXPECT_EQ(Value(After, QStringLiteral("Plot_Color")), QStringLiteral("255"));
  TIniFile Check(File);
  EXPECT_EQ(Check.ReadString(QStringLiteral("fmCalc"), QStringLiteral("Mode"), {}),
            QStringLiteral("Sci"));
}

TEST(PlotSettings, WhatStopsALoadAndWhatDoesNot) {
  TPlotFixture F;
  const QString File = F.Plot->GetIniFileName();
  Put(File, "[fmPlot2DChart]\nPlot_Saved=No\nPlot_Color=255\n");
  F.Plot->LoadSettings();
  EXPECT_EQ(F.Plot->GetColor(), clWhite);
  Put(File, "[OtherChart]\nPlot_Saved=Yes\nPlot_Color=255\n");
  F.Plot->LoadSettings();
  EXPECT_EQ(F.Plot->GetColor(), clWhite);
  // Only the exact text "No" stops: "no" loads.
  Put(File, "[fmPlot2DChart]\nplot_saved=no\nPLOT_COLOR=255\nPlot_Zoom_Color=0.05\n");
  F.Plot->LoadSettings();
  EXPECT_EQ(F.Plot->GetColor(), clRed);
  EXPECT_EQ(F.Plot->Zoom->GetChangePerStep(), 0.05);
  EXPECT_EQ(F.Plot->Zoom->GetColor(), 0xA6EEE9u);
  // A missing style key keeps the style; an empty one clears it.
  TFont Italic;
  Italic.Assign(F.Plot->Title->GetFont());
  Italic.SetStyle({fsItalic});
  F.Plot->Title->SetFont(Italic);
  F.Plot->Foot->SetFont(Italic);
  Put(File, "[fmPlot2DChart]\nPlot_Saved=Yes\nPlot_Foot_Font_Style=\n");
  F.Plot->LoadSettings();
  EXPECT_EQ(F.Plot->Title->GetFont().Style(), TFontStyles{fsItalic});
  EXPECT_TRUE(F.Plot->Foot->GetFont().Style().Empty());
  // Without a file name nothing happens at all.
  F.Plot->SetIniFileName(QString());
  F.Plot->SaveSettings();
  F.Plot->LoadSettings();
  EXPECT_TRUE(F.Script.Messages().isEmpty());
}

TEST(PlotSettings, HostileValuesKeepTheDefaultOrAreHeldToTheirRange) {
  TPlotFixture F;
  const QString File = F.Plot->GetIniFileName();
  QByteArray Text =
      "[fmPlot2DChart]\nPlot_Saved=Yes\n"
      "Plot_Exaggerate=abc\n"           // not a number: the default stays
      "Plot_View3D=1e400\n"             // not finite: the default stays
      "Plot_MinLogValue=0\n"            // no logarithm of 0
      "Plot_XAxis_Name=loaded\n"        // read after the bad ones
      "Plot_XAxis_Minimum=\n"           // empty
      "Plot_XAxis_Label_Font_Size=0\n"  // held to 1
      "Plot_XAxis_Label_Font_CharSet=9999\n"
      "Plot_YAxis_Name_Font_Size=100000\n"
      "Plot_YAxis_Ticks_Direction=-3\n"
      "Plot_YAxis_Ticks_MajorLength=99999999999\n"  // not an integer
      "Plot_YAxis_Ticks_MinorLength=5000\n"
      "Plot_Title_Style=77\n"
      "Plot_Gradient_Style=9\n"
      "Plot_Zoom_Steps=-5\n"
      "Plot_Zoom_Color=nan\n"
      "Plot_Info_Style=3\n"
      "Plot_Info_Position=-2147483648\n"
      "Plot_Info_Color=red\n"  // not a number: the default stays
      "Plot_Info_FontFont_Size=-7\n"
      "Plot_Frame_Width=100000\n"
      "Plot_Legend_ShadowThickness=99\n"
      "Plot_Legend_FrameThickness=0\n"
      "Plot_Color_Legend_Style=12\n"
      "Plot_Color_Legend_FrameStyle=-1\n"
      "Plot_Picture_Color=/no/such/picture.bmp\n"
      "Plot_XAxis_LabelCount=2000000000\n";
  Put(File, Text);
  F.Plot->LoadSettings();
  TPlot& P = *F.Plot;
  EXPECT_EQ(P.GetExaggerate(), 0);
  EXPECT_EQ(P.GetView3D(), 0);
  EXPECT_EQ(P.GetMinimumLogValue(), 1e-10);
  EXPECT_EQ(P.XAxis->GetName(), QStringLiteral("loaded"));
  EXPECT_EQ(P.XAxis->GetFont().Size(), 1);
  EXPECT_EQ(P.XAxis->GetFont().Charset(), 255);
  EXPECT_EQ(P.YAxis->GetNameFont().Size(), 500);
  EXPECT_EQ(P.YAxis->Ticks.GetDirection(), tdOut);
  EXPECT_EQ(P.YAxis->Ticks.GetMajorLength(), 4);
  EXPECT_EQ(P.YAxis->Ticks.GetMinorLength(), 3000);
  EXPECT_EQ(P.Title->GetStyle(), tsRaised);
  EXPECT_EQ(P.Gradient->GetStyle(), gsTopBottom);
  EXPECT_EQ(P.Zoom->GetSteps(), 0);
  EXPECT_EQ(P.Zoom->GetChangePerStep(), 0.033333);
  EXPECT_EQ(P.Info->GetStyle(), isNoBubble);
  EXPECT_EQ(P.Info->GetPosition(), ipRightTop);
  EXPECT_EQ(P.Info->GetColor(), clInfoBk);
  EXPECT_EQ(P.Info->GetFont().Size(), 1);
  EXPECT_EQ(P.Frame->GetWidth(), 100);
  EXPECT_EQ(P.Legend->GetShadowThickness(), 8);
  EXPECT_EQ(P.Legend->GetFrameThickness(), 1);
  EXPECT_EQ(P.ColorLegend->GetStyle(), lsInside);
  EXPECT_EQ(P.ColorLegend->GetFrameStyle(), psSolid);
  EXPECT_EQ(P.Picture->GetPictureFileName(), QStringLiteral("/no/such/picture.bmp"));
  // The label count is capped; the missing labels read as empty ones.
  EXPECT_EQ(P.XAxis->Axis()->Labels.size(), 1000u);
  // Drawing with all of this neither hangs nor crashes.
  P.Redraw();
  // Loading never writes the file back.
  EXPECT_EQ(Read(File), Text);
}

TEST(PlotSettings, AFolderThatCannotBeWrittenIsReportedOnce) {
  TPlotFixture F;
  const QString Sub = F.Dir.filePath(QStringLiteral("ro"));
  ASSERT_TRUE(QDir().mkdir(Sub));
  const QString File = Sub + QStringLiteral("/Numyx.INI");
  const QByteArray Old("[fmPlot2DChart]\nPlot_Saved=Yes\nPlot_Color=255\n");
  Put(File, Old);
  F.Plot->SetIniFileName(File);
  QFile::setPermissions(Sub, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
  {
    TScopedFileRights Rights;
    ASSERT_TRUE(TScopedFileRights::CannotCreateIn(Sub));
    F.Plot->LoadSettings();  // reading works and writes nothing
    EXPECT_EQ(F.Plot->GetColor(), clRed);
    EXPECT_TRUE(F.Script.Messages().isEmpty());
    // The file itself may be written: it is, in place.
    F.Plot->SetColor(clGreen);
    F.Plot->SaveSettings();
    EXPECT_TRUE(F.Script.Messages().isEmpty());
    EXPECT_TRUE(Read(File).contains("Plot_Color=" + QByteArray::number(int(clGreen))));
    // A file made read-only too is left alone and reported.
    Put(File, Old);
    QFile::setPermissions(File, QFileDevice::ReadOwner);
    F.Plot->SetColor(clBlue);
    F.Plot->SaveSettings();
  }
  QFile::setPermissions(Sub,
                        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  ASSERT_EQ(F.Script.Messages().size(), 1);
  EXPECT_EQ(F.Script.Requests[0].Type, mtError);
  EXPECT_EQ(F.Script.Messages()[0], "The file " + File + " could not be written: it is read-only");
  EXPECT_EQ(Read(File), Old);
}

}  // namespace
