#pragma once
// The "Print" dialog of a plot: margins in millimetres or tenths of an inch, orientation, copies,
// the printer, the title blocks under the graph and their editor, the preview and the print.
#include <QString>

#include <memory>

#include "platform/form.h"
#include "plot/core/graph_validates.h"
#include "plot/ui/print_logo.h"
#include "plot/ui/print_page.h"

class QBoxLayout;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class TPlot;
class TPreView;
class TSpeedButton;

// A push button of a form's button row that Enter does not press unless it is the default.
QPushButton* AddFormButton(QWidget* Owner, QBoxLayout* Row, const char* Name, const char* Caption);

class TPrintDlg : public TForm {
  Q_OBJECT
 public:
  // Without a plot only the margins are read and written (from "Default.Ini" beside the
  // program); the dialog is then never shown.
  explicit TPrintDlg(QWidget* Owner = nullptr);
  ~TPrintDlg() override;

  // Shows the dialog for the plot; true when a page was printed.
  bool Execute(TPlot* Plot, TPreView* Preview);
  // What the dialog does when shown, without the modal run.
  void Load(TPlot* Plot, TPreView* Preview);

  // "Read" fills Units and PrintMargins (and the edits), "Write" stores them; false when the
  // margins could not be written.
  bool DefaultMargins(const QString& Mode);
  // The settings file of the margins and of the "LOGO" switches.
  QString SettingsFile() const;

  // The page with title blocks and graph on the printer; true when it was printed. Every
  // failure is reported, and the dialog stays.
  bool PrintPage();
  // The title blocks and options as checked now.
  TPageContent PageContent() const;
  // Why the margins leave the graph no room on the printer's page, with Index's margin at
  // Value (stored, millimetres); empty when they fit.
  QString MarginsRefusal(int Index, int Value) const;
  // The typing finished and the margins checked against the page; false, told, when refused.
  bool MarginsFit();
  void ShowMargins();
  // The printer's orientation, name and page size shown again.
  void ShowPrinter();
  void PrinterSetupClick();
  void PreviewClick();
  void PrintClick();
  void CancelClick();
  void SaveLogoClick();
  // Loads the block chosen in cbLogoType into the editor, offering to save the edited one.
  void LogoTypeChange();
  void BrowseImage(const QString& FileName);
  // The box for a logo picture that could not be read, whether browsed for or named in a file.
  static void PictureNotLoaded(const TFileStatus& Status);

  double Units = 25.4;
  bool LogoChanged = false;
  bool Updating = false;
  std::unique_ptr<TPrintLogo> Logo;

  QTabWidget* PageControl = nullptr;
  TNumberEdit *edLeft = nullptr, *edRight = nullptr, *edTop = nullptr, *edBottom = nullptr;
  TNumberEdit* edNCopies = nullptr;
  QRadioButton *rbMM = nullptr, *rbInches = nullptr;
  QRadioButton *rbPortrait = nullptr, *rbLandscape = nullptr;
  QLabel *lbUnits = nullptr, *lbPageSize = nullptr;
  QComboBox* cbPrinter = nullptr;
  QCheckBox *chProgram = nullptr, *chOwner = nullptr, *chProject = nullptr, *chComment = nullptr,
            *chBorders = nullptr;
  QPushButton* prsetup = nullptr;
  QComboBox *cbLogoType = nullptr, *cbJustify = nullptr, *cbAlignComment = nullptr;
  QPlainTextEdit *Memo = nullptr, *Memo1 = nullptr;
  QPushButton *btFont = nullptr, *Button2 = nullptr, *bbDelete = nullptr, *btCommentFont = nullptr;
  QLabel *txtBMPFileName = nullptr, *Sample = nullptr;
  QPushButton *bbPreview = nullptr, *bbPrint = nullptr, *bbSave = nullptr, *bbCancel = nullptr;

 protected:
  void FormCreate() override;

 private:
  void UnitsClick(bool Inches);
  void OfferLogoSave();
  void LogoEdited();
  void DrawSample();
  void SaveComment(const std::function<void(TPrintLogo&)>& Change);
  void ArrangeButtons();
  TNumberEdit* MarginEdit(int Index) const;

  TPlot* FPlot = nullptr;
  TPreView* FPreview = nullptr;
};
