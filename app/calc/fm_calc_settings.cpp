// The main window's start-up, showing and closing: the settings file, the history file, the
// constants file, the greeting and the page changes.
#include <QApplication>

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QUrl>

#include <algorithm>

#include "app/calc/fm_calc.h"
#include "app/calc/fm_calc_pages.h"
#include "app/calc/user_funcs_page.h"
#include "app/calc/user_vars_page.h"
#include "app/common/calc_controls.h"
#include "app/common/calc_platform.h"
#include "app/common/dm.h"
#include "app/common/engine_idle.h"
#include "app/common/form_placement.h"
#include "app/graphics/graphics_page.h"
#include "engine/complex_eval.h"
#include "engine/engine_scopes.h"
#include "engine/side_eval.h"
#include "platform/app_services.h"
#include "platform/codepage.h"
#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/file_identity.h"
#include "platform/ini_file.h"
#include "platform/text_file.h"
#include "widgets/text_list_box.h"

namespace {

const QString CalcSettings = "Calc Settings";
const QString FilesSection = "Files";
const QString CalcSection = "Calc";

// The longest history entry that the file keeps. A longer one is left out of it rather than
// cut: a cut formula picked after a restart would be evaluated as another one.
constexpr qsizetype MaxHistoryEntry = 255;

// The history file's lines for these lists: each list's count, then its entries, one a line.
QStringList HistoryFileLines(std::initializer_list<QStringList> Lists) {
  QStringList Lines;
  for (const QStringList& List : Lists) {
    QStringList Kept;
    for (QString Item : List) {
      // One entry, one line: a line break inside an entry would shift every later line.
      Item.replace('\r', ' ').replace('\n', ' ');
      if (Item.size() <= MaxHistoryEntry) Kept << Item;
    }
    Lines << QString::number(Kept.size()) << Kept;
  }
  return Lines;
}

QStringList ItemTexts(const QComboBox* List) {
  QStringList Items;
  for (int I = 0; I < List->count(); ++I) Items << List->itemText(I);
  return Items;
}

int InRange(int Value, int Low, int High, int Default) {
  return Value >= Low && Value <= High ? Value : Default;
}

}  // namespace

void TfmCalc::FormCreate() {
  QLocale::setDefault(QLocale::c());
  SetKeyPreview(true);
  SetHelpFile(ProgramDir() + "/Numyx.hlp");
  MinDigits = 0;
  Bits = 32;
  Loading = true;
  LoadSettings();
  const QString Constants = LoadConstants(true);
  if (!Constants.isEmpty()) ShowWarning(Constants);
  Graphics->rgPlotClick();
  // The user functions and variables come from their files; a missing file simply gives none.
  Pages->Pages().UserFuncs->LoadUserFunctions(UserFuncFile, true);
  Pages->Pages().UserVars->LoadUserVariables(UserVarFile, true);
  pnAssistant->setAutoFillBackground(true);
  QPalette P = pnAssistant->palette();
  P.setColor(QPalette::Window, P.color(QPalette::ToolTipBase));
  P.setColor(QPalette::WindowText, P.color(QPalette::ToolTipText));
  pnAssistant->setPalette(P);
}

void TfmCalc::LoadSettings() {
  const TIniFile Ini(BasePath() + ".INI");
  // A settings file that is there but cannot be read is neither read nor replaced; the user
  // hears it now rather than at close.
  FSettingsUnreadable = Ini.ReadFailed();
  if (FSettingsUnreadable)
    ShowWarning(FileFailureText(Ini.ReadStatus(), "Can't read file") +
                ". The settings of this session will not be saved.");

  const int Notation = InRange(Ini.ReadInteger(CalcSettings, "Notation", 0), 0, 3, 0);
  SetItemIndexQuietly(rgNotation, Notation);
  SetItemIndexQuietly(rgNotation2, Notation);
  Digits = InRange(Ini.ReadInteger(CalcSettings, "Digits", 12), 3, 22, 12);
  const int Form = InRange(Ini.ReadInteger(CalcSettings, "Complex Form", 1), 0, 1, 1);
  ComplexDisplayForm = static_cast<std::uint8_t>(Form);
  SetItemIndexQuietly(rgComplexForm, Form);
  SetItemIndexQuietly(rgComplexForm2, Form);
  // The notation decides the least digit count and the spinner's range.
  rgNotationClick(rgNotation);
  udPrecision->SetPosition(InRange(Ini.ReadInteger(CalcSettings, "Precison", 9), 1, 20, 9));
  udPrecision2->SetPosition(udPrecision->Position());
  chAssistant->setChecked(Ini.ReadBool(CalcSettings, "Assistant", true));
  pnAssistant->setVisible(chAssistant->isChecked());
  const bool Hint = Ini.ReadBool(CalcSettings, "Hint", true);
  chHint->setChecked(Hint);
  chHint2->setChecked(Hint);
  SetAngleMode(Ini.ReadBool(CalcSettings, "Angle", true) ? 1 : 0);
  ShowComplexNotice = Ini.ReadBool(CalcSettings, "ShowComp", true);
  SetItemIndexQuietly(rgAngle, EngineSettings.AngleMode);
  SetItemIndexQuietly(rgAngle2, EngineSettings.AngleMode);
  ApplyShowHint(Hint);

  UserVarFile =
      CleanFileName(Ini.ReadString(FilesSection, "Variables", ProgramDir() + "/Numyx.USR"));
  UserFuncFile =
      CleanFileName(Ini.ReadString(FilesSection, "Functions", ProgramDir() + "/Numyx.FNC"));

  LoadHistory();

  Graphics->ReadSettings(Ini);

  // Checked against the screens before any rectangle is built from it: a far-off position must
  // not overflow the window's geometry.
  const int Left = Ini.ReadInteger(CalcSection, "Left", 0);
  const int Top = Ini.ReadInteger(CalcSection, "Top", 0);
  if (PlacementOnScreen(Left, Top, width(), height()))
    move(Left, Top);
  else
    move(0, 0);

  Loading = false;
}

TFileStatus TfmCalc::SaveSettings() {
  if (FSettingsUnreadable) return {};  // told at start; the file stays as it is
  TIniFile Ini(BasePath() + ".INI");
  Ini.WriteInteger(CalcSettings, "Notation", rgNotation->ItemIndex());
  Ini.WriteInteger(CalcSettings, "Angle", RealAngleMode());
  Ini.WriteInteger(CalcSettings, "Digits", Digits);
  Ini.WriteInteger(CalcSettings, "Precison", udPrecision->Position());
  Ini.WriteInteger(CalcSettings, "Complex Form", ComplexDisplayForm == 1 ? 1 : 0);
  Ini.WriteBool(CalcSettings, "Assistant", chAssistant->isChecked());
  Ini.WriteBool(CalcSettings, "Hint", chHint->isChecked());
  Ini.WriteBool(CalcSettings, "ShowComp", ShowComplexNotice);
  Graphics->WriteSettings(Ini);
  Ini.WriteInteger(CalcSection, "Left", x());
  Ini.WriteInteger(CalcSection, "Top", y());
  return Ini.UpdateFile();
}

void TfmCalc::LoadHistory() {
  cbHistory->clear();
  cbResults->clear();
  FHistoryRead.clear();
  FHistoryTail.clear();
  FHistoryWritable = true;
  QStringList Lines;
  TReadStatus Status;
  if (!ReadListLines(BasePath() + ".HST", Lines, nullptr, &Status)) {
    // No file is a first start; any other failure keeps the file as it is, and the user hears it
    // now rather than find the session's entries missing later.
    FHistoryWritable = Status.Missing();
    if (!FHistoryWritable)
      ShowWarning(FileFailureText(Status, "Can't read file") +
                  ". The history of this session will not be saved.");
    return;
  }
  qsizetype At = 0;
  QStringList Expressions, Results;
  // Reads one list; false when the file is not a history file (then it is kept as it is). A
  // count beyond the lines that follow is damage, not a long list: reading on would take the
  // other list's lines for this one's.
  auto ReadList = [&](QStringList& List) {
    if (At >= Lines.size()) return true;  // the file ends after a whole list
    bool Ok = false;
    const qlonglong Count = Lines[At++].trimmed().toLongLong(&Ok);
    if (!Ok || Count < 0 || Count > Lines.size() - At) return false;
    QStringList Read;
    for (qlonglong I = 0; I < Count; ++I, ++At)
      if (Lines[At].size() <= MaxHistoryEntry) Read << Lines[At];
    List = std::move(Read);
    return true;
  };
  // A damaged file shows the lists that were read whole, and is kept as it is.
  FHistoryWritable = ReadList(Expressions) && ReadList(Results);
  cbHistory->addItems(Expressions);
  cbResults->addItems(Results);
  if (!FHistoryWritable) {
    NoteUnreadFile(BasePath() + ".HST");
    return;
  }
  NoteFileRead(BasePath() + ".HST");
  FHistoryTail = Lines.mid(At);
  cbHistory->setCurrentIndex(-1);
  cbResults->setCurrentIndex(-1);
  // What the file holds as this session would write it: a file of earlier long entries is not
  // rewritten until the histories change.
  FHistoryRead = HistoryFileLines({Expressions, Results});
}

TFileStatus TfmCalc::SaveHistory() {
  const QString Name = BasePath() + ".HST";
  if (!FHistoryWritable) return UnreadFileKept(Name);
  const QStringList Lines = HistoryFileLines({ItemTexts(cbHistory), ItemTexts(cbResults)});
  if (!FHistoryRead.isEmpty() && Lines == FHistoryRead) return {};
  // What followed the histories in the file is not ours to drop.
  TFileStatus S = WriteTextLines(Name, Lines + FHistoryTail);
  if (S.Ok()) FHistoryRead = Lines;
  return S;
}

QString TfmCalc::LoadConstants(bool AtStart) {
  lbConst->setSortingEnabled(false);
  lbConst->clear();
  QStringList Lines;
  TReadStatus Status;
  const QString Name = BasePath() + ".CON";
  const bool Ok = ReadListLines(Name, Lines, nullptr, &Status);
  // Sorted before the list gets them, ignoring case as the Windows list does; the list's own
  // sort compares through variants, would take seconds for a large file, and minds the case.
  if (Ok) {
    std::stable_sort(Lines.begin(), Lines.end(), [](const QString& A, const QString& B) {
      return QString::compare(A, B, Qt::CaseInsensitive) < 0;
    });
    lbConst->addItems(Lines);
  }
  if (Ok) {
    NoteFileRead(Name);
    return QString();
  }
  const QString Text = Status.Missing() ? "File <" + Name + "> not found"
                                        : "Can't read file <" + Name + ">: " + Status.Why;
  return AtStart ? RefusedAtStart(Text, !Status.Missing()) : Text;
}

void TfmCalc::bbEditClick() {
  const QString Name = BasePath() + ".CON";
  if (!StartTextEditor(Name)) {
    ShowInformation("There is no program to open the file " + Name);
    return;
  }
  bbReload->setEnabled(true);
}

void TfmCalc::bbReloadClick() {
  const QString Problem = LoadConstants();
  if (!Problem.isEmpty()) ShowWarning(Problem);
  bbReload->setEnabled(false);
}

void TfmCalc::FormShow() {
  if (Edit1->text().isEmpty() && cbHistory->count() > 0) {
    Edit1->setText(cbHistory->itemText(0));
    Edit1->selectAll();
  }
  if (Edit2->text().isEmpty() && cbResults->count() > 0) Edit2->setText(cbResults->itemText(0));
  const QString F = "f(" + FromCp1252(EngineState.ExprStr) + ")";
  Graphics->Opened(F);
  InputModified = true;
  const QDateTime At = Now();
  if (GreetTime == 0) {
    GreetTime = At.time().msecsSinceStartOfDay() / 86400000.0;
    GreetDate = At.date();
    TimerTask = 2;
    Timer1->start();
  } else if (!GreetDate.isValid() || GreetDate.daysTo(At.date()) >= 1 ||
             GreetDate.daysTo(At.date()) <= -1) {
    TimerTask = 2;
    GreetDate = At.date();
    Timer1->start();
  }
}

QString TfmCalc::GreetingText(double T) {
  const QString Name = "Sir/Madam";
  if (T > 0 && T < 0.2) return "Oh... Good ... night ... " + Name + "!";
  if (T >= 0.2 && T < 0.5) return "Good morning " + Name + "!";
  if (T >= 0.5 && T < 0.75) return "Good afternoon " + Name + "!";
  if (T >= 0.75 && T < 1) return "Good evening " + Name + "!";
  return "What is the time?";
}

void TfmCalc::Timer1Timer() {
  if (TimerTask == 1) Pages->Pages().AssistantTick();
  if (TimerTask == 2) ShowAssistantText(GreetingText(GreetTime));
  Timer1->stop();
}

void TfmCalc::FormCloseQuery(bool& CanClose) {
  // The engine's break check ends the evaluation; the window closes once it has returned.
  if (CloseWhenIdle(this)) {
    CanClose = false;
    return;
  }
  // The files exist as a rule (a closed folder has them rewritten in place): the box says that
  // they could not be written, and why.
  if (const TFileStatus S = SaveSettings(); !S.Ok()) ShowError(FileFailureText(S));
  // A history that could not be read stays as it is; a failed write leaves the old file.
  if (!HistoryWritable()) return;
  if (const TFileStatus S = SaveHistory(); !S.Ok()) ShowError(FileFailureText(S));
}

void TfmCalc::FormClose(TCloseAction& /*Action*/) {
  if (FClosed) return;
  FClosed = true;
  emit Closed();
}

void TfmCalc::pcCalcChange(int Page) {
  // The engine's text belongs to a running evaluation (of another window) until it ends.
  SetInputText(ToCp1252(Edit1->text()));
  Graphics->Left();
  switch (Page) {
    case 0:
    case 1:
      if (Edit1->isEnabled() && Edit1->isVisible()) Edit1->setFocus();
      break;
    case 2:
      if (btPrint->isEnabled()) btPrint->setFocus();
      break;
    case 3:
      edFind->setFocus();
      break;
    case 4:
      Graphics->Entered(Edit1->text());
      break;
    case 5:
      if (auto* E = tsVariables->findChild<QLineEdit*>("edXVar")) E->setFocus();
      break;
    default:
      break;
  }
}
