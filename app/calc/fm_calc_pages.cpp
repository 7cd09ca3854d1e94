#include "app/calc/fm_calc_pages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QScreen>
#include <QScrollArea>
#include <QTimer>

#include "app/calc/constants_page.h"
#include "app/calc/fm_calc.h"
#include "app/calc/user_funcs_page.h"
#include "app/calc/user_vars_page.h"
#include "app/calc/variables_page.h"
#include "platform/app_services.h"
#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/form.h"
#include "platform/ini_file.h"
#include "platform/text_file.h"
#include "widgets/text_list_box.h"

namespace {
// A page shown lower (or narrower) than it is makes its window grow as far as the free area of
// the screen allows; what still does not fit scrolls.
class TPageRoom : public QObject {
 public:
  TPageRoom(QScrollArea* Scroll, QWidget* Page) : QObject(Scroll), FScroll(Scroll), FPage(Page) {
    Scroll->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override {
    if (Watched == FScroll && Event->type() == QEvent::Show)
      QTimer::singleShot(0, this, [this] { Grow(); });  // once the page has its size
    return false;
  }

 private:
  void Grow() {
    QWidget* W = FScroll->window();
    const QScreen* S = W->screen();
    if (!FScroll->isVisible() || !S || W->isMaximized() || W->isFullScreen()) return;
    const QSize Short =
        (FPage->sizeHint().expandedTo(FPage->minimumSizeHint()) - FScroll->viewport()->size())
            .expandedTo(QSize(0, 0));
    const QSize Free = (S->availableGeometry().size() - WindowFrame(W).size()).expandedTo({0, 0});
    const QSize Extra = Short.boundedTo(Free);
    // Kept on the screen by the frame keeper, which sees the window grow.
    if (Extra.width() > 0 || Extra.height() > 0) W->resize(W->size() + Extra);
  }
  QScrollArea* FScroll;
  QWidget* FPage;
};

// The pages of ten rows scroll where the window is made lower than they are, rather than
// holding the whole window higher than a small or scaled screen.
void PutPage(QWidget* Sheet, QWidget* Page) {
  if (!Sheet->layout()) new QVBoxLayout(Sheet);
  Sheet->layout()->setContentsMargins(0, 0, 0, 0);
  auto* Scroll = new QScrollArea(Sheet);
  Scroll->setObjectName(Page->objectName() + "Scroll");
  Scroll->setFrameShape(QFrame::NoFrame);
  Scroll->setWidgetResizable(true);
  Scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  Scroll->setWidget(Page);
  Sheet->layout()->addWidget(Scroll);
  new TPageRoom(Scroll, Page);
}
}  // namespace

TCalcWindowPages::TCalcWindowPages(TfmCalc* Window)
    : QObject(Window), FWindow(Window), FPages(std::make_unique<TCalcPages>(*this, Window)) {
  setObjectName("CalcWindowPages");
  FPages->BuildKeypad(Window->pnKeys, false);
  FPages->BuildKeypad(Window->pnKeys2, true);
  Window->sbLOG = qobject_cast<TSpeedButton*>(FPages->Key("sbLOG"));
  Window->sbGAMMA = qobject_cast<TSpeedButton*>(FPages->Key("sbGAMMA"));
  PutPage(Window->tsVariables, FPages->Variables);
  PutPage(Window->tsUserVar, FPages->UserVars);
  PutPage(Window->tsFuncs, FPages->UserFuncs);
  Window->lbFuncs = FPages->UserFuncs->lbFuncs;
  FConstants = new TConstantsPage(*this, Window->edFind, Window->lbConst, Window->bbPaste, this);
  connect(Window->chAssistant, &QCheckBox::toggled, this,
          Guarded([this](bool On) { FPages->AssistantSwitched(On); }));
  // A click into the input line shows the help of the function at the caret.
  FInput = Window->Edit1;
  FInput->installEventFilter(this);
}

TCalcWindowPages::~TCalcWindowPages() = default;

bool TCalcWindowPages::eventFilter(QObject* Watched, QEvent* Event) {
  // Compared by the pointer kept: the window may be half destroyed when its children go.
  if (Event->type() == QEvent::MouseButtonRelease && Watched == FInput) StartAssistant();
  return QObject::eventFilter(Watched, Event);
}

QLineEdit* TCalcWindowPages::InputLine() { return FWindow->Edit1; }
void TCalcWindowPages::SetFunc(const QString& S) { FWindow->SetFunc(S); }
bool TCalcWindowPages::ReturnClick() { return FWindow->ReturnClick(); }
bool TCalcWindowPages::Evaluating() const { return FWindow->Busy(); }
int TCalcWindowPages::Digits() const { return FWindow->Digits; }
bool TCalcWindowPages::ComplexMode() const { return FWindow->ComplexMode; }
bool TCalcWindowPages::EvaluateChecked() const { return FWindow->cbEval->isChecked(); }
bool TCalcWindowPages::AssistantChecked() const { return FWindow->chAssistant->isChecked(); }
QLabel* TCalcWindowPages::AssistantPanel() { return FWindow->pnAssistant; }

void TCalcWindowPages::StartAssistant() {
  FWindow->TimerTask = 1;
  FWindow->Timer1->start();
}

QString TCalcWindowPages::FirstHistoryItem() const {
  return FWindow->cbHistory->count() > 0 ? FWindow->cbHistory->itemText(0) : QString();
}

void TCalcWindowPages::ClearHistories() {
  FWindow->cbHistory->clear();
  FWindow->cbResults->clear();
}

void TCalcWindowPages::ShowHelp(int Context) { ShowHelpContext(Context); }

QString TCalcWindowPages::UserVarFile() const { return FWindow->UserVarFile; }
QString TCalcWindowPages::UserFuncFile() const { return FWindow->UserFuncFile; }

void TCalcWindowPages::SetUserVarFile(const QString& FileName) {
  FWindow->UserVarFile = FileName;
  TIniFile Ini(BasePath() + ".INI");
  Ini.WriteString("Files", "Variables", FileName);
  if (const TFileStatus S = Ini.UpdateFile(); !S.Ok()) ShowError(FileFailureText(S));
}

void TCalcWindowPages::SetUserFuncFile(const QString& FileName) {
  FWindow->UserFuncFile = FileName;
  TIniFile Ini(BasePath() + ".INI");
  Ini.WriteString("Files", "Functions", FileName);
  if (const TFileStatus S = Ini.UpdateFile(); !S.Ok()) ShowError(FileFailureText(S));
}
