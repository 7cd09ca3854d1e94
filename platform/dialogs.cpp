#include "platform/dialogs.h"

#include "platform/file_identity.h"
#include "platform/form.h"

#include "platform/application.h"

#include "platform/printer.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QColorDialog>
#include <QCompleter>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QHBoxLayout>
#include <QIcon>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPixmap>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>
#include <QWindow>

// --- Filters -------------------------------------------------------------------

QList<TFilterItem> ParseFilter(const QString& Filter) {
  QList<TFilterItem> Items;
  const QStringList Pieces = Filter.split(u'|');
  for (qsizetype i = 0; i + 1 < Pieces.size(); i += 2) {
    TFilterItem Item{Pieces[i].trimmed(), {}};
    for (const QString& P : Pieces[i + 1].split(u';', Qt::SkipEmptyParts))
      if (!P.trimmed().isEmpty()) Item.Patterns << P.trimmed();
    Items << Item;
  }
  return Items;
}

bool MatchesFilter(const QString& FileName, const TFilterItem& Item) {
  const QString Name = QFileInfo(FileName).fileName();
  for (const QString& P : Item.Patterns) {
    if (P == u"*.*" || P == u"*") return true;
    QString Rx;
    for (QChar c : P)
      Rx += c == u'*'   ? QStringLiteral(".*")
            : c == u'?' ? QStringLiteral(".")
                        : QRegularExpression::escape(c);
    QRegularExpression Re(QRegularExpression::anchoredPattern(Rx),
                          QRegularExpression::CaseInsensitiveOption);
    if (Re.match(Name).hasMatch()) return true;
  }
  return false;
}

QString FilterExtension(const TFilterItem& Item) {
  if (Item.Patterns.isEmpty()) return {};
  const QString& P = Item.Patterns.first();
  if (!P.startsWith(u"*.")) return {};
  QString Ext = P.mid(2);
  if (Ext.isEmpty() || Ext.contains(u'*') || Ext.contains(u'?') || Ext.contains(u'.')) return {};
  return Ext;
}

QString QtNameFilter(const TFilterItem& Item) {
  QStringList Blind;
  for (const QString& P : Item.Patterns) {
    if (P == u"*.*") {
      Blind << QStringLiteral("*");
      continue;
    }
    QString B;
    for (QChar c : P) {
      if (c.isLetter() && c.toLower() != c.toUpper())
        B += u'[' + QString(c.toLower()) + QString(c.toUpper()) + u']';
      else
        B += c;
    }
    Blind << B;
  }
  return Item.Description + QStringLiteral(" (") + Blind.join(u' ') + u')';
}

QString NameForFileType(const QString& FileName, const TFilterItem& Item) {
  const QString Ext = FilterExtension(Item).toLower();
  const QString Old = QFileInfo(FileName).suffix();
  if (Ext.isEmpty() || Old.isEmpty()) return FileName;
  return FileName.left(FileName.size() - Old.size()) + Ext;
}

QString FilterText(const TFilterItem& Item) {
  return Item.Description + u'|' + Item.Patterns.join(u';');
}

int FindFilter(const QString& Filter, const QString& Chosen) {
  const QList<TFilterItem> Chosens = ParseFilter(Chosen);
  if (Chosens.size() != 1) return 0;
  const TFilterItem& C = Chosens.first();
  const QList<TFilterItem> Items = ParseFilter(Filter);
  for (qsizetype i = 0; i < Items.size(); ++i)
    if (Items[i].Description.compare(C.Description, Qt::CaseInsensitive) == 0 &&
        Items[i].Patterns.join(u';').compare(C.Patterns.join(u';'), Qt::CaseInsensitive) == 0)
      return int(i) + 1;
  return 0;
}

// --- Service installation --------------------------------------------------------

QWidget* ShownOwnerWindow(QWidget* W) {
  if (W) W = W->window();
  while (W && !W->isVisible()) W = W->parentWidget() ? W->parentWidget()->window() : nullptr;
  return W;
}

namespace {
// The windows the user has worked in, the latest last. Once the active window closes, the window
// system hands the activation on only a while later (or to no window of ours at all), and until
// then no window is active: a box opened meanwhile, just after a file dialog, would have no
// window to belong to and open wherever the window system puts windows without one.
class TActivationTrail : public QObject {
 public:
  static TActivationTrail& Instance() {
    static QPointer<TActivationTrail> Trail;
    if (!Trail) Trail = new TActivationTrail;
    return *Trail;
  }
  QWidget* LastShown(const QWidget* Except) const {
    for (auto I = FWindows.crbegin(); I != FWindows.crend(); ++I)
      if (QWidget* W = ShownOwnerWindow(*I); W && W != Except) return W;
    return nullptr;
  }

 private:
  // Made with the first dialog, when the window it opens over is the active one; it goes with the
  // application.
  TActivationTrail() : QObject(QCoreApplication::instance()) {
    Note();
    connect(qApp, &QGuiApplication::focusWindowChanged, this, [this] { Note(); });
  }
  void Note() {
    QWidget* W = QApplication::activeWindow();
    if (!W) return;
    FWindows.removeIf([W](const QPointer<QWidget>& P) { return !P || P == W; });
    FWindows << W;
    if (FWindows.size() > 16) FWindows.removeFirst();
  }
  QList<QPointer<QWidget>> FWindows;
};
}  // namespace

QWidget* DialogParent(const QWidget* Except) {
  // Begun by the first dialog, while the window it opens over is still the active one.
  TActivationTrail& Trail = TActivationTrail::Instance();
  // A dialog that has just closed may still be the active window until the window system moves
  // the activation on; the modal window under it is the one the user is working in.
  if (QWidget* W = QApplication::activeModalWidget(); W && W->isVisible() && W != Except) return W;
  if (QWidget* W = ShownOwnerWindow(QApplication::activeWindow()); W && W != Except) return W;
  return Trail.LastShown(Except);
}

namespace {

QString DefaultCaption(TMsgDlgType Type) {
  switch (Type) {
    case mtWarning:
      return QStringLiteral("Warning");
    case mtError:
      return QStringLiteral("Error");
    case mtInformation:
      return QStringLiteral("Information");
    case mtConfirmation:
      return QStringLiteral("Confirm");
    case mtCustom:
      break;
  }
  if (const auto* App = qobject_cast<TApplication*>(QCoreApplication::instance()))
    return App->Title();
  return QCoreApplication::applicationName();
}

QColor ToQColor(std::uint32_t C) {
  return QColor(int(C & 0xFF), int((C >> 8) & 0xFF), int((C >> 16) & 0xFF));
}
std::uint32_t FromQColor(const QColor& C) {
  return std::uint32_t(C.red()) | (std::uint32_t(C.green()) << 8) | (std::uint32_t(C.blue()) << 16);
}

// A name without extension gets the extension of the chosen filter, or the
// default one when that filter names none.
QString WithExtension(const QString& FileName, const QString& Filter, int FilterIndex,
                      const QString& DefaultExt) {
  if (FileName.isEmpty() || !QFileInfo(FileName).suffix().isEmpty()) return FileName;
  const QList<TFilterItem> Items = ParseFilter(Filter);
  QString Ext;
  if (FilterIndex >= 1 && FilterIndex <= Items.size())
    Ext = FilterExtension(Items[FilterIndex - 1]);
  if (Ext.isEmpty()) Ext = DefaultExt;
  if (Ext.startsWith(u'.')) Ext.remove(0, 1);
  return Ext.isEmpty() ? FileName : FileName + u'.' + Ext;
}

// A name typed with the extension of another of the filters means that type: "x.wmf" typed
// while the bitmap filter is chosen is a metafile, not bitmap bytes under a metafile's name.
int TypedIndex(const QString& FileName, const QString& Filter, int Chosen) {
  const QList<TFilterItem> Items = ParseFilter(Filter);
  if (Chosen >= 1 && Chosen <= Items.size() && MatchesFilter(FileName, Items[Chosen - 1]))
    return Chosen;
  for (qsizetype i = 0; i < Items.size(); ++i)
    if (!FilterExtension(Items[i]).isEmpty() && MatchesFilter(FileName, Items[i]))
      return int(i) + 1;
  return Chosen;
}

// What a save dialog says of the name it would save under when that is a folder ("exist" typed
// where "exist.FNC" is one): at once, rather than offer to replace the folder and then fail to.
// Empty for any other name.
QString FolderNotFileText(const QString& Name) {
  if (!QFileInfo(Name).isDir()) return {};
  return QDir::cleanPath(Name) +
         QStringLiteral("\nThis name is a folder, not a file.\nPlease give another file name.");
}

// The file an open dialog means by a name typed without its extension: the name with the
// extension of one of the chosen type's patterns (each tried in turn, "pic" finds "pic.BMP" for
// "*.png;*.bmp"), in whatever case the folder has it, since the types match without regard to
// case; the name as the rule makes it when none is there.
QString ExistingWithExtension(const QString& FileName, const QString& Filter, int FilterIndex,
                              const QString& DefaultExt) {
  const QString Named = WithExtension(FileName, Filter, FilterIndex, DefaultExt);
  if (Named == FileName || QFileInfo::exists(Named)) return Named;
  const QList<TFilterItem> Items = ParseFilter(Filter);
  QStringList Exts;
  if (FilterIndex >= 1 && FilterIndex <= Items.size())
    for (const QString& P : Items[FilterIndex - 1].Patterns)
      if (const QString E = FilterExtension({{}, {P}}); !E.isEmpty()) Exts << E;
  if (Exts.isEmpty()) Exts << QFileInfo(Named).suffix();
  const QFileInfo Info(FileName);
  const QStringList Entries = Info.dir().entryList(QDir::Files | QDir::Hidden | QDir::System);
  for (const QString& Ext : Exts) {
    const QString Wanted = Info.fileName() + u'.' + Ext;
    for (const QString& Entry : Entries)
      if (Entry.size() == Wanted.size() && Entry.startsWith(Info.fileName()) &&
          Entry.compare(Wanted, Qt::CaseInsensitive) == 0)
        return Info.dir().filePath(Entry);
  }
  return Named;
}

// Qt's file chooser, with the rules every dialog of the program keeps whatever Qt version or
// desktop it runs on: a folder typed into the name field is entered and the field emptied, so that
// the next name typed is taken in that folder (Qt keeps the folder's name there, and the next name
// would be appended to it), "~" included; a name in a folder that is not there is refused in the
// dialog; and an open dialog takes a name typed without its extension for the file with the
// type's extension when only that one exists (Qt would refuse it as not found).
class TFileChooser : public QFileDialog {
 public:
  TFileChooser(QWidget* Parent, const QString& Title, const QString& Filter,
               const QString& DefaultExt)
      : QFileDialog(Parent, Title), FFilter(Filter), FDefaultExt(DefaultExt) {
    // The rules are ours only in Qt's own widgets; a desktop's dialog would apply its own.
    setOption(QFileDialog::DontUseNativeDialog);
    for (const TFilterItem& I : ParseFilter(Filter)) {
      FItems << I;
      FNames << QtNameFilter(I);
    }
  }
  const QList<TFilterItem>& Items() const { return FItems; }
  const QStringList& Names() const { return FNames; }
  QLineEdit* NameEdit() const { return findChild<QLineEdit*>(QStringLiteral("fileNameEdit")); }

  // Qt hands back the chosen filter as it shows it: the whole name, or with the details hidden
  // only the text before the last bracketed patterns, which may differ between versions and
  // between the native and the widget dialogs.
  qsizetype ChosenItem(const QString& Selected) const {
    if (const qsizetype I = FNames.indexOf(Selected); I >= 0) return I;
    const QString Shown = Selected.trimmed();
    for (qsizetype I = 0; I < FItems.size(); ++I)
      if (FItems[I].Description.trimmed() == Shown) return I;
    return -1;
  }

  void accept() override {
    QLineEdit* Edit = NameEdit();
    const QString Typed = Edit ? Edit->text().trimmed() : QString();
    // Several names in quotes are Qt's to take apart.
    if (Typed.isEmpty() || Typed.contains(u'"')) return QFileDialog::accept();
    // "~" is the home folder, as Qt takes it once the name reaches it.
    const bool Home = Typed == u"~" || Typed.startsWith(QStringLiteral("~/"));
    const QString Path =
        directory().absoluteFilePath(Home ? QDir::homePath() + Typed.mid(1) : Typed);
    if (QFileInfo(Path).isDir()) {
      const QString Type = selectedNameFilter();
      setDirectory(QDir::cleanPath(Path));
      Edit->clear();
      // The completions of the folder's name would stay open over the file types, blank.
      if (QCompleter* Completions = Edit->completer()) Completions->popup()->hide();
      if (!Type.isEmpty()) selectNameFilter(Type);
      return;
    }
    // A name in a folder that is not there (or ending in "/", a folder's name) names no file: the
    // dialog says so and stays, rather than hand on a name that no page can use.
    const QString Folder = Typed.endsWith(u'/') ? Path : QFileInfo(Path).absolutePath();
    if (!QFileInfo(Folder).isDir()) {
      QMessageBox::warning(
          this, windowTitle(),
          QDir::cleanPath(Folder) + QStringLiteral("\nFolder not found.\nPlease verify the correct "
                                                   "folder name was given."));
      return;
    }
    const int Chosen = int(ChosenItem(selectedNameFilter())) + 1;
    if (acceptMode() == AcceptSave) {
      const QString Saved =
          WithExtension(Path, FFilter, TypedIndex(Path, FFilter, Chosen), FDefaultExt);
      if (const QString Why = FolderNotFileText(Saved); !Why.isEmpty()) {
        QMessageBox::warning(this, windowTitle(), Why);
        return;
      }
    }
    if (acceptMode() == AcceptOpen && !QFileInfo::exists(Path)) {
      const QString Named = ExistingWithExtension(Path, FFilter, Chosen, FDefaultExt);
      if (Named != Path && QFileInfo::exists(Named)) Edit->setText(Typed + Named.mid(Path.size()));
    }
    QFileDialog::accept();
  }

 private:
  QString FFilter, FDefaultExt;
  QList<TFilterItem> FItems;
  QStringList FNames;
};

class TQtDialogService : public TDialogService {
 public:
  TModalResult MessageDlg(const QString& Text, TMsgDlgType Type, TMsgDlgButtons Buttons,
                          const QString& Caption) override {
    QMessageBox Box(DialogParent());
    Box.setWindowTitle(Caption.isEmpty() ? DefaultCaption(Type) : Caption);
    Box.setText(Text);
    switch (Type) {
      case mtWarning:
        Box.setIcon(QMessageBox::Warning);
        break;
      case mtError:
        Box.setIcon(QMessageBox::Critical);
        break;
      case mtInformation:
        Box.setIcon(QMessageBox::Information);
        break;
      case mtConfirmation:
        Box.setIcon(QMessageBox::Question);
        break;
      case mtCustom:
        break;
    }
    struct TMap {
      TMsgDlgBtn Btn;
      QMessageBox::StandardButton Std;
      TModalResult Result;
    };
    static const TMap Map[] = {{mbYes, QMessageBox::Yes, mrYes},
                               {mbNo, QMessageBox::No, mrNo},
                               {mbOK, QMessageBox::Ok, mrOk},
                               {mbCancel, QMessageBox::Cancel, mrCancel},
                               {mbAbort, QMessageBox::Abort, mrAbort},
                               {mbRetry, QMessageBox::Retry, mrRetry},
                               {mbIgnore, QMessageBox::Ignore, mrIgnore}};
    if (Buttons == 0) Buttons = mbOK;
    bool First = true;
    for (const TMap& M : Map) {
      if (!(Buttons & M.Btn)) continue;
      QAbstractButton* B = Box.addButton(M.Std);
      if (First) Box.setDefaultButton(static_cast<QPushButton*>(B));
      First = false;
    }
    FitCaption(Box);
    OpenOverOwner(Box);
    Box.exec();
    QMessageBox::StandardButton Clicked = Box.standardButton(Box.clickedButton());
    for (const TMap& M : Map)
      if (M.Std == Clicked) return M.Result;
    return (Buttons & mbCancel) ? mrCancel : (Buttons & mbNo) ? mrNo : mrOk;
  }

  bool InputQuery(const QString& Caption, const QString& Prompt, QString& Value) override {
    QInputDialog D(DialogParent());
    D.setWindowTitle(Caption);
    D.setLabelText(Prompt);
    D.setTextValue(Value);
    FitCaption(D);
    OpenOverOwner(D);
    if (D.exec() != QDialog::Accepted) return false;
    Value = D.textValue();
    return true;
  }

  bool ChooseOpenFile(TFileRequest& R) override { return ChooseFile(R, QFileDialog::AcceptOpen); }
  bool ChooseSaveFile(TFileRequest& R) override { return ChooseFile(R, QFileDialog::AcceptSave); }

  bool ChooseColor(std::uint32_t& Color) override {
    const QColor C = PickColor(ToQColor(Color), DialogParent());
    if (!C.isValid()) return false;
    Color = FromQColor(C);
    return true;
  }

  bool ChooseFont(QFont& Font, std::uint32_t& Color) override {
    // Qt's font dialog has no colour: it sits in a dialog of ours beside a colour button.
    QDialog D(DialogParent());
    D.setWindowTitle(QStringLiteral("Font"));
    // A name the font database does not list ("Arial", resolved through a substitute) would show
    // as the dialog's first family and come back changed on OK: the dialog shows the substitute,
    // and the name stays unless the user picks another family.
    const QString Named = Font.family();
    QFont Shown = Font;
    if (!QFontDatabase::families().contains(Named)) Shown.setFamily(QFontInfo(Font).family());
    const QString ShownFamily = Shown.family();
    auto* Fonts = new QFontDialog(Shown, &D);
    Fonts->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    Fonts->setWindowFlags(Qt::Widget);
    // Escape in one of its fields would close the inner dialog alone and leave ours empty.
    QObject::connect(Fonts, &QDialog::rejected, &D, &QDialog::reject);
    std::uint32_t Chosen = Color;
    auto* ColorButton = new QPushButton(QStringLiteral("&Color..."), &D);
    auto ShowColor = [&] {
      QPixmap Swatch(16, 16);
      Swatch.fill(ToQColor(Chosen));
      ColorButton->setIcon(QIcon(Swatch));
    };
    ShowColor();
    QObject::connect(ColorButton, &QPushButton::clicked, &D, [&] {
      const QColor C = PickColor(ToQColor(Chosen), &D);
      if (!C.isValid()) return;
      Chosen = FromQColor(C);
      ShowColor();
    });
    auto* Buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &D);
    QObject::connect(Buttons, &QDialogButtonBox::accepted, &D, &QDialog::accept);
    QObject::connect(Buttons, &QDialogButtonBox::rejected, &D, &QDialog::reject);
    auto* Bottom = new QHBoxLayout;
    Bottom->addWidget(ColorButton);
    Bottom->addStretch();
    Bottom->addWidget(Buttons);
    auto* Layout = new QVBoxLayout(&D);
    Layout->addWidget(Fonts);
    Layout->addLayout(Bottom);
    OpenOverOwner(D);
    if (D.exec() != QDialog::Accepted) return false;
    Font = Fonts->currentFont();
    if (Font.family() == ShownFamily) Font.setFamily(Named);
    Color = Chosen;
    return true;
  }

  bool ChoosePrint(TPrintRequest& R) override {
    QPrintDialog D(&Printer(), DialogParent());
    if (R.MaxPage > 0) {
      D.setMinMax(R.MinPage, R.MaxPage);
      D.setOption(QAbstractPrintDialog::PrintPageRange);
    }
    OpenOverOwner(D);
    if (D.exec() != QDialog::Accepted) return false;
    R.Copies = Printer().copyCount();
    R.Collate = Printer().collateCopies();
    R.PrintRange = D.printRange() == QAbstractPrintDialog::PageRange   ? prPageNums
                   : D.printRange() == QAbstractPrintDialog::Selection ? prSelection
                                                                       : prAllPages;
    R.FromPage = D.fromPage();
    R.ToPage = D.toPage();
    return true;
  }

  bool PrinterSetup() override {
    QPageSetupDialog D(&Printer(), DialogParent());
    OpenOverOwner(D);
    return D.exec() == QDialog::Accepted;
  }

 private:
  static QColor PickColor(const QColor& Initial, QWidget* Parent) {
    QColorDialog D(Initial, Parent);
    OpenOverOwner(D);
    return D.exec() == QDialog::Accepted ? D.selectedColor() : QColor();
  }
  static bool ChooseFile(TFileRequest& R, QFileDialog::AcceptMode Mode) {
    TFileChooser D(DialogParent(), R.Title, R.Filter, R.DefaultExt);
    OpenOverOwner(D);
    D.setAcceptMode(Mode);
    D.setFileMode(Mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                  : QFileDialog::AnyFile);
    // We ask about overwriting ourselves, after the extension is added.
    D.setOption(QFileDialog::DontConfirmOverwrite);
    D.setOption(QFileDialog::HideNameFilterDetails);
    const QList<TFilterItem>& Items = D.Items();
    const QStringList& Names = D.Names();
    if (!Names.isEmpty()) {
      D.setNameFilters(Names);
      D.selectNameFilter(Names.value(std::clamp(R.FilterIndex, 1, int(Names.size())) - 1));
    }
    // No name proposed: the dialog opens in the folder with an empty name field (a path ending
    // in "/" would make the chooser offer the folder's own name).
    if (!R.FileName.isEmpty()) {
      const bool Relative = QFileInfo(R.FileName).isRelative() && !R.InitialDir.isEmpty();
      D.selectFile(Relative ? R.InitialDir + u'/' + R.FileName : R.FileName);
    } else if (!R.InitialDir.isEmpty()) {
      D.setDirectory(R.InitialDir);
    }
    // Qt gives a typed name the first pattern's suffix when the type changes, which for our
    // case-blind patterns is "[eE][mM][fF]": the name gets the type's own extension instead.
    QLineEdit* NameEdit = D.NameEdit();
    if (Mode == QFileDialog::AcceptSave && NameEdit)
      QObject::connect(&D, &QFileDialog::filterSelected, NameEdit, [&](const QString& Chosen) {
        const qsizetype I = D.ChosenItem(Chosen);
        if (I < 0) return;
        const QString Renamed = NameForFileType(NameEdit->text(), Items[I]);
        if (Renamed != NameEdit->text()) NameEdit->setText(Renamed);
      });
    if (D.exec() != QDialog::Accepted || D.selectedFiles().isEmpty()) return false;
    R.FileName = D.selectedFiles().first();
    const qsizetype Index = D.ChosenItem(D.selectedNameFilter());
    if (Index >= 0) {
      R.FilterIndex = int(Index) + 1;
      R.ChosenFilter = FilterText(Items[Index]);
    }
    return true;
  }
};

TQtDialogService& QtService() {
  static TQtDialogService Service;
  return Service;
}

TDialogService* Installed = nullptr;

}  // namespace

TDialogService& Dialogs() { return Installed ? *Installed : QtService(); }
void SetDialogService(TDialogService* Service) { Installed = Service; }

TScopedDialogService::TScopedDialogService(TDialogService& Service) : FPrevious(Installed) {
  Installed = &Service;
}
TScopedDialogService::~TScopedDialogService() { Installed = FPrevious; }

// --- Boxes ---------------------------------------------------------------------

TModalResult MessageDlg(const QString& Text, TMsgDlgType Type, TMsgDlgButtons Buttons,
                        const QString& Caption) {
  return Dialogs().MessageDlg(Text, Type, Buttons, Caption);
}
void ShowWarning(const QString& Text) { MessageDlg(Text, mtWarning, mbOK); }
void ShowError(const QString& Text) { MessageDlg(Text, mtError, mbOK); }
void ShowInformation(const QString& Text) { MessageDlg(Text, mtInformation, mbOK); }
TModalResult Confirm(const QString& Text, TMsgDlgButtons Buttons) {
  return MessageDlg(Text, mtConfirmation, Buttons);
}
bool InputQuery(const QString& Caption, const QString& Prompt, QString& Value) {
  return Dialogs().InputQuery(Caption, Prompt, Value);
}
QString InputBox(const QString& Caption, const QString& Prompt, const QString& Default) {
  QString Value = Default;
  return InputQuery(Caption, Prompt, Value) ? Value : Default;
}

// --- Dialog objects ----------------------------------------------------------------

namespace {
// The chosen filter's place in our own list; a service that names none keeps its index.
int ChosenIndex(const QString& Filter, const TFileRequest& R) {
  const int Found = FindFilter(Filter, R.ChosenFilter);
  return Found > 0 ? Found : R.FilterIndex;
}
}  // namespace

bool TOpenDialog::Execute() {
  TFileRequest R{Title, Filter, FilterIndex, DefaultExt, InitialDir, FileName, {}};
  if (!Dialogs().ChooseOpenFile(R)) return false;
  R.FilterIndex = ChosenIndex(Filter, R);
  QString Name = R.FileName;
  // A name typed without extension that does not exist means the file with
  // the filter's extension.
  if (!QFileInfo::exists(Name))
    Name = ExistingWithExtension(Name, Filter, R.FilterIndex, DefaultExt);
  FileName = CleanFileName(Name);
  FilterIndex = R.FilterIndex;
  return true;
}

bool TSaveDialog::Execute() {
  // A name kept from the last save of another type is proposed with the type the dialog opens on,
  // so that the name shown and the type shown agree and Enter saves what the type says.
  QString Proposed = FileName;
  const QList<TFilterItem> Items = ParseFilter(Filter);
  if (FilterIndex >= 1 && FilterIndex <= Items.size() &&
      TypedIndex(Proposed, Filter, FilterIndex) != FilterIndex)
    Proposed = NameForFileType(Proposed, Items[FilterIndex - 1]);
  TFileRequest R{Title, Filter, FilterIndex, DefaultExt, InitialDir, Proposed, {}};
  const QString Caption = Title.isEmpty() ? QStringLiteral("Save As") : Title;
  for (;;) {
    if (!Dialogs().ChooseSaveFile(R)) return false;
    R.FilterIndex = TypedIndex(R.FileName, Filter, ChosenIndex(Filter, R));
    // The name is asked about, kept and shown as the file's clean spelling ("a/../b" is "b").
    QString Name = CleanFileName(WithExtension(R.FileName, Filter, R.FilterIndex, DefaultExt));
    // Said in the dialog of ours; a service without that check hands the folder on.
    if (const QString Why = FolderNotFileText(Name); !Why.isEmpty()) {
      MessageDlg(Why, mtWarning, mbOK, Caption);
      continue;
    }
    // A link that leads nowhere (or round in a circle) is still something the save would meet.
    const QFileInfo Met(Name);
    if (OverwritePrompt && (Met.exists() || Met.isSymLink()) &&
        MessageDlg(Name + QStringLiteral(" already exists.\nDo you want to replace it?"), mtWarning,
                   mbYes | mbNo, Caption) != mrYes) {
      R.FileName = Name;  // ask again, starting from the refused name
      continue;
    }
    FileName = Name;
    FilterIndex = R.FilterIndex;
    return true;
  }
}

// --- The scripted service ------------------------------------------------------------

void TScriptedDialogService::Answer(TModalResult Result) {
  Answers.push_back({Result, {}, 0, 0, {}});
}
void TScriptedDialogService::AnswerText(const QString& Text) {
  Answers.push_back({mrOk, Text, 0, 0, {}});
}
void TScriptedDialogService::AnswerFile(const QString& FileName, int FilterIndex) {
  Answers.push_back({mrOk, FileName, FilterIndex, 0, {}});
}
void TScriptedDialogService::AnswerColor(std::uint32_t Color) {
  Answers.push_back({mrOk, {}, 0, Color, {}});
}

void TScriptedDialogService::AnswerFont(const QFont& Font, std::uint32_t Color) {
  Answers.push_back({mrOk, {}, 0, Color, Font});
}

QStringList TScriptedDialogService::Messages() const {
  QStringList L;
  for (const auto& R : Requests)
    if (R.Kind == TDialogRequest::rkMessage) L << R.Text;
  return L;
}

bool TScriptedDialogService::Next(TDialogAnswer& A) {
  if (Answers.empty()) {
    ++Unanswered;
    return false;
  }
  A = Answers.front();
  Answers.pop_front();
  return true;
}

TModalResult TScriptedDialogService::MessageDlg(const QString& Text, TMsgDlgType Type,
                                                TMsgDlgButtons Buttons, const QString& Caption) {
  TDialogRequest R;
  R.Kind = TDialogRequest::rkMessage;
  R.Type = Type;
  R.Buttons = Buttons ? Buttons : mbOK;
  R.Caption = Caption.isEmpty() ? DefaultCaption(Type) : Caption;
  R.Text = Text;
  Requests.push_back(R);
  if (R.Buttons == mbOK) return mrOk;
  TDialogAnswer A;
  if (!Next(A)) return (R.Buttons & mbCancel) ? mrCancel : (R.Buttons & mbNo) ? mrNo : mrOk;
  return A.Result;
}

bool TScriptedDialogService::InputQuery(const QString& Caption, const QString& Prompt,
                                        QString& Value) {
  TDialogRequest R;
  R.Kind = TDialogRequest::rkInput;
  R.Caption = Caption;
  R.Text = Prompt;
  R.Value = Value;
  Requests.push_back(R);
  TDialogAnswer A;
  if (!Next(A) || A.Result == mrCancel) return false;
  Value = A.Text;
  return true;
}

bool TScriptedDialogService::ChooseFile(TDialogRequest::TKind Kind, TFileRequest& Request) {
  TDialogRequest R;
  R.Kind = Kind;
  R.Caption = Request.Title;
  R.File = Request;
  Requests.push_back(R);
  TDialogAnswer A;
  if (!Next(A) || A.Result == mrCancel) return false;
  Request.FileName = A.Text;
  if (A.FilterIndex > 0) Request.FilterIndex = A.FilterIndex;
  const QList<TFilterItem> Items = ParseFilter(Request.Filter);
  if (Request.FilterIndex >= 1 && Request.FilterIndex <= Items.size())
    Request.ChosenFilter = FilterText(Items[Request.FilterIndex - 1]);
  return true;
}

bool TScriptedDialogService::ChooseOpenFile(TFileRequest& Request) {
  return ChooseFile(TDialogRequest::rkOpen, Request);
}
bool TScriptedDialogService::ChooseSaveFile(TFileRequest& Request) {
  return ChooseFile(TDialogRequest::rkSave, Request);
}

bool TScriptedDialogService::ChooseColor(std::uint32_t& Color) {
  TDialogRequest R;
  R.Kind = TDialogRequest::rkColor;
  R.Color = Color;
  Requests.push_back(R);
  TDialogAnswer A;
  if (!Next(A) || A.Result == mrCancel) return false;
  Color = A.Color;
  return true;
}

bool TScriptedDialogService::ChooseFont(QFont& Font, std::uint32_t& Color) {
  TDialogRequest R;
  R.Kind = TDialogRequest::rkFont;
  R.Color = Color;
  R.Font = Font;
  Requests.push_back(R);
  TDialogAnswer A;
  if (!Next(A) || A.Result == mrCancel) return false;
  Font = A.Font;
  Color = A.Color;
  return true;
}

bool TScriptedDialogService::ChoosePrint(TPrintRequest&) {
  TDialogRequest R;
  R.Kind = TDialogRequest::rkPrint;
  Requests.push_back(R);
  TDialogAnswer A;
  return Next(A) && A.Result != mrCancel;
}

bool TScriptedDialogService::PrinterSetup() {
  TDialogRequest R;
  R.Kind = TDialogRequest::rkPrinterSetup;
  Requests.push_back(R);
  TDialogAnswer A;
  return Next(A) && A.Result != mrCancel;
}
