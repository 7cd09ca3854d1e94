#pragma once
// Message boxes, input boxes and the common dialogs, all through one
// replaceable service: the program shows Qt dialogs, tests install a
// TScriptedDialogService that records every request and answers it.
//
// File filters are written "Text files (*.TXT)|*.TXT" (pairs of description
// and ";"-separated patterns); patterns match without regard to case, a name
// typed without extension gets the chosen filter's extension (or DefaultExt
// when that filter has none), and saving over an existing file asks first.
// Colours are plain $00BBGGRR values.

#include "platform/modal_result.h"

#include <QFont>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <deque>
#include <vector>

class QWidget;

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };

// Button sets are or-ed flags.
enum TMsgDlgBtn : unsigned {
  mbYes = 1,
  mbNo = 2,
  mbOK = 4,
  mbCancel = 8,
  mbAbort = 16,
  mbRetry = 32,
  mbIgnore = 64
};
using TMsgDlgButtons = unsigned;

// --- File filters ------------------------------------------------------------

struct TFilterItem {
  QString Description;
  QStringList Patterns;  // "*.TXT", "*.*", ...
};
QList<TFilterItem> ParseFilter(const QString& Filter);
// True when the name (its last path part) matches one of the patterns,
// ignoring case.
bool MatchesFilter(const QString& FileName, const TFilterItem& Item);
// The extension of the item's first pattern when it is a plain "*.EXT",
// else "".
QString FilterExtension(const TFilterItem& Item);
// Qt's form of one item: its description followed by case-blind patterns,
// e.g. "Text files (*.TXT) (*.[tT][xX][tT])".
QString QtNameFilter(const TFilterItem& Item);
// The name a save dialog shows once the user picks Item as the file type: a name with an
// extension gets the type's own, "surface.BMP" -> "surface.emf" for "*.EMF"; a name without one,
// or a type without a plain extension, keeps it.
QString NameForFileType(const QString& FileName, const TFilterItem& Item);
// One item written back as a pair, "Text files (*.TXT)|*.TXT".
QString FilterText(const TFilterItem& Item);
// The 1-based place of a "Description|patterns" pair in Filter (descriptions and patterns
// compared without regard to case), or 0.
int FindFilter(const QString& Filter, const QString& Chosen);

// --- Requests as the service sees them ----------------------------------------

struct TFileRequest {
  QString Title;
  QString Filter;
  int FilterIndex = 1;  // 1-based, in and out
  QString DefaultExt;   // without "."
  QString InitialDir;
  QString FileName;  // proposed in, chosen out
  // Out: the filter the user chose, as one "Description|patterns" pair of Filter. The dialog
  // objects look it up in their own list, so that no service has to keep Qt's texts in step.
  QString ChosenFilter;
};

enum TPrintRange { prAllPages, prSelection, prPageNums };

struct TPrintRequest {
  int Copies = 1;
  bool Collate = false;
  TPrintRange PrintRange = prAllPages;
  int FromPage = 0, ToPage = 0, MinPage = 0, MaxPage = 0;
};

class TDialogService {
 public:
  virtual ~TDialogService() = default;
  virtual TModalResult MessageDlg(const QString& Text, TMsgDlgType Type, TMsgDlgButtons Buttons,
                                  const QString& Caption) = 0;
  virtual bool InputQuery(const QString& Caption, const QString& Prompt, QString& Value) = 0;
  // Only the choice: extension and overwrite rules are applied by the
  // dialog objects below, the same for every service.
  virtual bool ChooseOpenFile(TFileRequest& Request) = 0;
  virtual bool ChooseSaveFile(TFileRequest& Request) = 0;
  virtual bool ChooseColor(std::uint32_t& Color) = 0;
  virtual bool ChooseFont(QFont& Font, std::uint32_t& Color) = 0;
  virtual bool ChoosePrint(TPrintRequest& Request) = 0;
  virtual bool PrinterSetup() = 0;
};

// W's window when it is on the screen, else the nearest window owning it that is; null for none.
QWidget* ShownOwnerWindow(QWidget* W);
// The window a dialog box is centred on: the innermost modal window still on the screen, else the
// nearest shown window owning the active one, else the one last active that is still shown (none
// is active for a while after a dialog closes). Except, a dialog being opened, is passed over.
QWidget* DialogParent(const QWidget* Except = nullptr);

// The service in use (the Qt one unless another is installed).
TDialogService& Dialogs();
// Installs a service (not owned); nullptr goes back to the Qt one.
void SetDialogService(TDialogService* Service);

class TScopedDialogService {
 public:
  explicit TScopedDialogService(TDialogService& Service);
  ~TScopedDialogService();
  TScopedDialogService(const TScopedDialogService&) = delete;
  TScopedDialogService& operator=(const TScopedDialogService&) = delete;

 private:
  TDialogService* FPrevious;
};

// --- Message and input boxes -------------------------------------------------

TModalResult MessageDlg(const QString& Text, TMsgDlgType Type, TMsgDlgButtons Buttons,
                        const QString& Caption = {});
void ShowWarning(const QString& Text);
void ShowError(const QString& Text);
void ShowInformation(const QString& Text);
// Yes/No by default; answers the button chosen (mrCancel or mrNo on Escape).
TModalResult Confirm(const QString& Text, TMsgDlgButtons Buttons = mbYes | mbNo);
bool InputQuery(const QString& Caption, const QString& Prompt, QString& Value);
QString InputBox(const QString& Caption, const QString& Prompt, const QString& Default);

// --- The common dialogs as objects with properties ------------------------------

class TOpenDialog {
 public:
  QString Title, Filter, DefaultExt, InitialDir, FileName;
  int FilterIndex = 1;
  virtual ~TOpenDialog() = default;
  virtual bool Execute();
};

class TSaveDialog : public TOpenDialog {
 public:
  bool OverwritePrompt = true;
  bool Execute() override;
};

class TColorDialog {
 public:
  std::uint32_t Color = 0;  // $00BBGGRR
  bool Execute() { return Dialogs().ChooseColor(Color); }
};

class TFontDialog {
 public:
  QFont Font;
  std::uint32_t Color = 0;  // $00BBGGRR
  bool Execute() { return Dialogs().ChooseFont(Font, Color); }
};

class TPrintDialog : public TPrintRequest {
 public:
  bool Execute() { return Dialogs().ChoosePrint(*this); }
};

class TPrinterSetupDialog {
 public:
  bool Execute() { return Dialogs().PrinterSetup(); }
};

// --- The test double ---------------------------------------------------------

struct TDialogRequest {
  enum TKind {
    rkMessage,
    rkInput,
    rkOpen,
    rkSave,
    rkColor,
    rkFont,
    rkPrint,
    rkPrinterSetup
  } Kind = rkMessage;
  TMsgDlgType Type = mtInformation;
  TMsgDlgButtons Buttons = 0;
  QString Caption, Text;    // message: caption and text; input: caption and prompt
  QString Value;            // input: the proposed text
  TFileRequest File;        // open and save
  std::uint32_t Color = 0;  // colour and font: the colour proposed
  QFont Font;               // font: the font proposed
};

struct TDialogAnswer {
  TModalResult Result = mrOk;  // message boxes; mrCancel cancels any other dialog
  QString Text;                // input text or chosen file name
  int FilterIndex = 0;         // 0 keeps the request's
  std::uint32_t Color = 0;
  QFont Font;
};

// Boxes with only an OK button are recorded and acknowledged without an
// answer; every other request takes the next scripted answer, and with none
// left it is cancelled and counted in Unanswered.
class TScriptedDialogService : public TDialogService {
 public:
  std::vector<TDialogRequest> Requests;
  std::deque<TDialogAnswer> Answers;
  int Unanswered = 0;

  void Answer(TModalResult Result);
  void AnswerText(const QString& Text);
  void AnswerFile(const QString& FileName, int FilterIndex = 0);
  void AnswerColor(std::uint32_t Color);
  void AnswerFont(const QFont& Font, std::uint32_t Color);
  void AnswerCancel() { Answer(mrCancel); }
  // The texts of the message boxes shown so far, in order.
  QStringList Messages() const;

  TModalResult MessageDlg(const QString& Text, TMsgDlgType Type, TMsgDlgButtons Buttons,
                          const QString& Caption) override;
  bool InputQuery(const QString& Caption, const QString& Prompt, QString& Value) override;
  bool ChooseOpenFile(TFileRequest& Request) override;
  bool ChooseSaveFile(TFileRequest& Request) override;
  bool ChooseColor(std::uint32_t& Color) override;
  bool ChooseFont(QFont& Font, std::uint32_t& Color) override;
  bool ChoosePrint(TPrintRequest& Request) override;
  bool PrinterSetup() override;

 private:
  bool Next(TDialogAnswer& A);
  bool ChooseFile(TDialogRequest::TKind Kind, TFileRequest& Request);
};
