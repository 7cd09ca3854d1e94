#pragma once
// The calculator's main window: the input and result lines with their histories, the ten pages,
// and the fields that the engine and the other windows read.
#include <QDate>
#include <QDateTime>
#include <QStringList>

#include "app/graphics/graphics_page_host.h"
#include "engine/engine_busy.h"
#include "engine/engine_state.h"
#include "platform/colors.h"
#include "platform/form.h"
#include "platform/text_file.h"

#include <array>
#include <functional>
#include <memory>
#include <string>

struct TTabulation;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTimer;
class QToolButton;
class TfmCompMess;
class TNxClock;
class TNxLabel;
class TNxSwitch;
class TPageControl;
class TRadioGroup;
class TSpeedButton;
class TUpDown;
class TSpinButton;
class TTextListBox;
class TCalcEngineHost;
class TCalcWindowPages;
class TControlsLock;
class TGraphicsPage;

struct TSideResult;

class TfmCalc : public TForm, private TGraphicsPageHost {
  Q_OBJECT

 public:
  explicit TfmCalc(QWidget* Parent = nullptr);
  ~TfmCalc() override;

  // ---- fields read by the engine and the other windows ----
  bool Loading = false;
  int Digits = 12;
  int MinDigits = 0;
  int Bits = 32;
  QString UserVarFile;
  QString UserFuncFile;
  bool ShowComplexNotice = true;
  bool ComplexMode = false;
  int TimerTask = 0;
  double GreetTime = 0;  // time of day of the first showing, as a fraction of a day
  QDate GreetDate;
  int NoticeCount = 0;
  // Set when the window is shown and by typing; decides whether a result enters the histories.
  bool InputModified = false;
  // The clock the greeting reads; tests set it.
  std::function<QDateTime()> Now = [] { return QDateTime::currentDateTime(); };

  // ---- controls above the pages ----
  QLineEdit* Edit1;
  QComboBox* cbHistory;
  QLineEdit* Edit2;
  QComboBox* cbResults;
  TSpeedButton* sbStop;
  QLabel* pnAssistant;
  QCheckBox* chAssistant;
  TNxLabel* lbAssistant;
  TSpinButton* SpinButton1;
  TNxClock* NxClock1;
  QMenu* PopupMenu1;
  QTimer* Timer1;
  TPageControl* pcCalc;
  QWidget* tsMain;
  QWidget* TabSheet1;
  QWidget* tsTape;
  QWidget* tsConst;
  QWidget* tsGraph;
  QWidget* tsVariables;
  QWidget* tsUserVar;
  QWidget* tsFuncs;
  QWidget* About;
  QWidget* tshFinance;

  // ---- "Calculator" and "Ex-calc": the keypads' places and the paired mode controls ----
  QWidget* pnKeys;   // the keypad of "Calculator"
  QWidget* pnKeys2;  // the keypad of "Ex-calc"
  TRadioGroup* rgNotation;
  TRadioGroup* rgNotation2;
  TRadioGroup* rgBase;
  TRadioGroup* rgBase2;
  TRadioGroup* rgAngle;
  TRadioGroup* rgAngle2;
  TRadioGroup* rgReal;
  TRadioGroup* rgReal2;
  TRadioGroup* rgComplexForm;
  TRadioGroup* rgComplexForm2;
  QWidget* pnlBase;
  QWidget* pnlBase2;
  QWidget* pnlComp;
  QWidget* pnlComp2;
  TNxLabel* lbDigits;
  TNxLabel* lbDigits2;
  TUpDown* udDigits;
  TUpDown* UpDown2;
  QLineEdit* edDigits;   // the number field of udDigits
  QLineEdit* edDigits2;  // the number field of UpDown2
  QCheckBox* cbEval;
  QCheckBox* cbEval2;
  QCheckBox* chHint;
  QCheckBox* chHint2;
  TUpDown* udPrecision;  // the integration precision, shown in Edit3
  QLineEdit* Edit3;
  TUpDown* udPrecision2;  // the same precision on "Ex-calc", shown in Edit10
  QLineEdit* Edit10;
  TSpeedButton* sbEQ;
  TSpeedButton* SpeedButton63;
  TSpeedButton* sbClInput;
  TSpeedButton* sbCopy;
  TSpeedButton* SpeedButton5;
  TSpeedButton* sbPaste;
  TSpeedButton* SpeedButton77;
  TSpeedButton* SpeedButton2;   // matrix window
  TSpeedButton* SpeedButton78;  // matrix window
  TSpeedButton* SpeedButton76;  // unit converter
  TSpeedButton* sbShow;         // plots menu
  TSpeedButton* SpeedButton6;   // plots menu
  TSpeedButton* sbExit;
  TNxSwitch* NxSwitch1;
  TNxSwitch* NxSwitch2;
  TNxSwitch* BiSwitch1;
  // Keys that the keypad places and the mode switch relabels (null until the keypad exists).
  TSpeedButton* sbLOG = nullptr;
  TSpeedButton* sbGAMMA = nullptr;

  // ---- "Tape" ----
  QPlainTextEdit* mmTape;
  QPushButton* btPrint;
  QPushButton* btToFile;
  QPushButton* btCopy;
  QPushButton* btCut;
  QPushButton* btTapeHelp;

  // ---- "Constants" ----
  QLineEdit* edFind;
  TTextListBox* lbConst;
  QPushButton* bbPaste;
  QPushButton* bbEdit;
  QPushButton* bbReload;
  QPushButton* bbConstHelp;

  // ---- "Graphics" ----
  TGraphicsPage* Graphics = nullptr;

  // ---- "User Functionss" ----
  TTextListBox* lbFuncs;

  // The keypads and the variable, user-variable, user-function and constant pages.
  TCalcWindowPages* Pages = nullptr;

  // ---- "About && Mail" and "Finance" ----
  TNxLabel* lbProduct;
  TNxLabel* lbAuthors;
  TNxLabel* lbSupport;
  QPushButton* btMail;
  QPushButton* btMailSupport;
  std::array<QLineEdit*, 5> edFinance{};
  QPushButton* btFinance;

  // ---- start-up, showing and closing ----
  void FormCreate() override;
  void FormShow() override;
  // Saves the settings and the histories; refuses while an evaluation runs: the evaluation is
  // then asked to break and the window closes once it has ended.
  void FormCloseQuery(bool& CanClose) override;
  void FormClose(TCloseAction& Action) override;
  void FormKeyDown(int& Key, Qt::KeyboardModifiers Shift) override;
  void Timer1Timer();
  void pcCalcChange(int Page);
  static QString GreetingText(double TimeOfDay);
  void ShowAssistantText(const QString& S) override;

  // ---- the evaluation road ----
  // Evaluates the input line; true when a result was shown.
  bool ReturnClick();
  // True while this window or another one evaluates: nothing may start a second evaluation or
  // change the text being evaluated. The engine's EngineBusy(), which code without the window
  // asks directly.
  bool Busy() const override;
  void LockPages() override;
  void UnlockPages() override;
  void EnableRealKeys(bool Enable);
  // Records a shown result: the result history, the expression history and a tape line.
  void UpdateHistories(const QString& Input, const QString& Result);
  // Puts S into the input line at the caret.
  void SetFunc(const QString& S);

  // ---- display controls ----
  void rgNotationClick(TRadioGroup* Sender);
  void rgBaseClick(TRadioGroup* Sender);
  void rgAngleClick(TRadioGroup* Sender);
  void rgRealClick(TRadioGroup* Sender);
  void rgComplexFormClick(TRadioGroup* Sender);
  void udDigitsClick(TUpDown* Sender);
  void udDigitsChanging(TUpDown* Sender, bool& AllowChange, int NewPosition);
  static int SnapBits(int Position);
  void chHintClick(QCheckBox* Sender);
  void SpinButton1Change(int Delta);

  // ---- tape ----
  QStringList TapeLines() const;
  void InsertTapeLine(const QString& Line);
  void btPrintClick();
  void btToFileClick();
  void btCopyClick();
  void btCutClick();

  // ---- files beside the program ----
  void LoadSettings();
  TFileStatus SaveSettings();
  void LoadHistory();
  TFileStatus SaveHistory();
  // Empty when the constants were read, else what went wrong, in words for the user.
  // The problem in words, empty when the list was read; at start as a full sentence that says
  // what becomes of a file that is there.
  QString LoadConstants(bool AtStart = false);
  void bbEditClick();
  void bbReloadClick();
  // True when the history file could be read at start (or did not exist): only then is it
  // rewritten at close.
  bool HistoryWritable() const { return FHistoryWritable; }

  // The angle unit of the real mode (0 radians, 1 degrees), also while complex mode shows
  // radians only; it is the one saved.
  int RealAngleMode() const;

  // The notice window of the complex mode (the start-up one, else one of our own).
  TfmCompMess* CompMess();

 signals:
  // The window has closed; the program ends.
  void Closed();

 protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override;
  void showEvent(QShowEvent* Event) override;

 private:
  void BuildTopArea();
  void BuildKeypadPage(QWidget* Page, bool Second);
  void BuildTapePage();
  void BuildConstantsPage();
  void BuildGraphicsPage();
  void BuildAboutPage();
  void BuildFinancePage();
  void ConnectHandlers();
  void SetLeastSizes();
  void FitIntoScreen();
  void ShowEvalError(const TSideResult& Error) override;
  void ShowResultText(const QString& Text);
  // Shows the previous result in the current mode, notation and radix.
  bool Redisplay();
  void ApplyDigitRange();
  void ApplyRadix(int Radix);
  void ApplyShowHint(bool Show);
  void FinishEvaluation();
  void SelectInputSpan(int Pos, int Len);
  void UpdateTapeButtons();
  void PutIntoExpressionHistory(const QString& Input) override;
  QString InputText() const override;
  bool InComplexMode() const override { return ComplexMode; }
  bool LoadingSettings() const override { return Loading; }

  // The spinner's range in decimal and hexadecimal radix, set by the notation.
  int FRealAngleMode = 1;
  // The font spinner's window height: the one it set, and the one it would set without the
  // screen's and the least size's limits.
  struct {
    int Set = 0;
    int Wanted = 0;
  } FSpinHeight;
  int FDigitMin = 8;
  int FDigitMax = 21;
  bool FEvaluating = false;
  // Holds the pages while an evaluation or a plot runs.
  std::unique_ptr<TControlsLock> FPagesLock;
  bool FHistoryWritable = true;
  // The history file's lines as this session would write what was read from it, so that an
  // unchanged history is not written at all; the lines after the declared results are written
  // back.
  QStringList FHistoryRead;
  QStringList FHistoryTail;
  // The settings file could not be read at start (the user was told): it is not written either.
  bool FSettingsUnreadable = false;
  bool FClosed = false;
  std::string FTypedText;  // the input line's text of the running evaluation, in engine bytes
  TfmCompMess* FOwnCompMess = nullptr;
  // The input line's selection when it last lost the focus: a history or constants list that
  // puts an entry in replaces it.
  struct TLeftSelection {
    int Start = 0;
    int Length = 0;
    QString Text;
  } FLeftSelection;
  std::unique_ptr<TCalcEngineHost> FHost;
};

extern TfmCalc* fmCalc;
