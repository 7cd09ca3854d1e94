#include "app/calc/fm_calc.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QBoxLayout>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QTabBar>
#include <QTimer>
#include <QWindow>

#include "app/calc/assistant.h"
#include "app/calc/fm_calc_host.h"
#include "app/calc/fm_calc_pages.h"
#include "app/calc/fm_comp_mess.h"
#include "app/calc/pending_windows.h"
#include "app/common/calc_controls.h"
#include "app/common/calc_platform.h"
#include "app/common/engine_idle.h"
#include "app/common/engine_text.h"
#include "app/converter/fm_conv.h"
#include "app/graphics/graphics_page.h"
#include "app/matrix/fm_matrix.h"
#include "engine/engine_scopes.h"
#include "engine/side_eval.h"
#include "platform/app_services.h"
#include "platform/bitmap.h"
#include "platform/codepage.h"
#include "platform/colors.h"
#include "platform/dialogs.h"
#include "widgets/nx_clock.h"
#include "widgets/nx_label.h"
#include "widgets/nx_switch.h"
#include "widgets/shown_text.h"
#include "widgets/text_list_box.h"

TfmCalc* fmCalc = nullptr;

namespace {

// A history list shown as a drop-down arrow beside its line; its list opens as wide as the line.
class THistoryCombo : public QComboBox {
 public:
  THistoryCombo(const QString& Name, QWidget* Parent) : QComboBox(Parent) {
    setObjectName(Name);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(0);
    setFocusPolicy(Qt::NoFocus);
    setItemDelegate(new TShownTextDelegate(this));
  }
  QWidget* Line = nullptr;
  void showPopup() override {
    // As wide as the line with its arrow, never wider than the screen: a long entry is cut
    // short with an ellipsis and shown whole in its tooltip (as far as any view shows it).
    int Wide = Line ? Line->width() + width() : width();
    if (const QScreen* S = screen()) Wide = std::min(Wide, S->availableGeometry().width());
    view()->setTextElideMode(Qt::ElideRight);
    view()->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view()->setMinimumWidth(0);
    const QFontMetrics M = view()->fontMetrics();
    for (int I = 0; I < count(); ++I) {
      const QString Text = ShownText(itemText(I));
      setItemData(I, M.horizontalAdvance(Text) > Wide - 16 ? Text : QVariant(), Qt::ToolTipRole);
    }
    QComboBox::showPopup();
    QWidget* Popup = view()->window();
    Popup->setMaximumWidth(Wide);
    Popup->resize(Wide, Popup->height());
    // Under its line (opened from the arrow, the list was pushed aside by the screen's edge),
    // and inside the screen.
    int Left = Line ? Line->mapToGlobal(QPoint(0, 0)).x() : Popup->x();
    if (const QScreen* S = screen()) {
      const QRect Avail = S->availableGeometry();
      Left = std::clamp(Left, Avail.left(), Avail.right() + 1 - Wide);
    }
    Popup->move(Left, Popup->y());
  }
  QSize sizeHint() const override {
    return {QComboBox::sizeHint().height(), QComboBox::sizeHint().height()};
  }
  QSize minimumSizeHint() const override { return sizeHint(); }
};

// A switch standing on; flipping it ends the program.
TNxSwitch* NewExitSwitch(const QString& Name, const QString& Caption, QWidget* Parent) {
  auto* S = new TNxSwitch(Parent);
  S->setObjectName(Name);
  S->SetCaption(Caption);
  S->SetStateOn(true);
  S->setFixedSize(S->GlyphOn()->Width() + 6, S->GlyphOn()->Height() + 6);
  return S;
}

}  // namespace

TfmCalc::TfmCalc(QWidget* Parent) : TForm(Parent) {
  setObjectName("fmCalc");
  setWindowTitle("Numyx");
  setWindowFlags(Qt::Window | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
  if (!fmCalc) fmCalc = this;
  SetPlotMenuItemEnabler([](const char* Item) {
    if (!fmCalc) return;
    for (TSpeedButton* B : {fmCalc->sbShow, fmCalc->SpeedButton6})
      if (B) B->setEnabled(true);
    for (QAction* A : fmCalc->PopupMenu1->actions())
      if (A->objectName() == Item) A->setEnabled(true);
  });
  FHost = std::make_unique<TCalcEngineHost>(this);
  SetEngineHost(FHost.get());

  auto* Root = new QVBoxLayout(this);
  Root->setContentsMargins(6, 6, 6, 6);
  Root->setSpacing(4);
  BuildTopArea();

  pcCalc = new TPageControl(this);
  pcCalc->setObjectName("pcCalc");
  tsMain = new QWidget;
  tsMain->setObjectName("tsMain");
  TabSheet1 = new QWidget;
  TabSheet1->setObjectName("TabSheet1");
  tsTape = new QWidget;
  tsTape->setObjectName("tsTape");
  tsConst = new QWidget;
  tsConst->setObjectName("tsConst");
  tsGraph = new QWidget;
  tsGraph->setObjectName("tsGraph");
  tsVariables = new QWidget;
  tsVariables->setObjectName("tsVariables");
  tsUserVar = new QWidget;
  tsUserVar->setObjectName("tsUserVar");
  tsFuncs = new QWidget;
  tsFuncs->setObjectName("tsFuncs");
  About = new QWidget;
  About->setObjectName("About");
  tshFinance = new QWidget;
  tshFinance->setObjectName("tshFinance");
  pcCalc->AddPage(tsMain, "Calculator");
  pcCalc->AddPage(TabSheet1, "Ex-calc");
  pcCalc->AddPage(tsTape, "Tape");
  pcCalc->AddPage(tsConst, "Constants");
  pcCalc->AddPage(tsGraph, "Graphics");
  pcCalc->AddPage(tsVariables, "Variables");
  pcCalc->AddPage(tsUserVar, "User Variables");
  pcCalc->AddPage(tsFuncs, "User Functionss");
  pcCalc->AddPage(About, "About && Mail");
  pcCalc->AddPage(tshFinance, "Finance");
  // The variables pages get their controls from their own code; give them layouts to fill.
  new QVBoxLayout(tsVariables);
  new QVBoxLayout(tsUserVar);
  new QVBoxLayout(tsFuncs);

  // The pages show the window's colour, which the labels on them are painted in.
  for (QWidget* Page : {tsMain, TabSheet1, tsTape, tsConst, tsGraph, tsVariables, tsUserVar,
                        tsFuncs, About, tshFinance})
    Page->setAutoFillBackground(true);
  BuildKeypadPage(tsMain, false);
  BuildKeypadPage(TabSheet1, true);
  BuildTapePage();
  BuildConstantsPage();
  BuildGraphicsPage();
  BuildAboutPage();
  BuildFinancePage();
  Root->addWidget(pcCalc, 1);

  Timer1 = new QTimer(this);
  Timer1->setObjectName("Timer1");
  Timer1->setInterval(10);
  Timer1->setSingleShot(false);

  PopupMenu1 = new QMenu(this);
  PopupMenu1->setObjectName("PopupMenu1");
  PopupMenu1->addAction("&Plot f(X)")->setObjectName("miPlotFx");
  PopupMenu1->addAction("Plot &f(X,Y)")->setObjectName("miPlotFxy");
  PopupMenu1->addAction("&3D-Plot f(X,Y)")->setObjectName("miPlot3D");
  PopupMenu1->addAction("Polar f(x)")->setObjectName("miPlotPolar");

  Pages = new TCalcWindowPages(this);
  ConnectHandlers();
  SetLeastSizes();
  HoldWholeTexts(this);
  // Wide enough to show every page's tab at once, but never larger than the screen (large fonts
  // and scale factors): the tab bar scrolls when its tabs do not fit.
  const QSize Hint = sizeHint();
  QSize Size(std::max(Hint.width(), pcCalc->tabBar()->sizeHint().width() + 24),
             std::max(Hint.height(), 480));
  if (const QScreen* S = screen()) Size = Size.boundedTo(S->availableGeometry().size());
  resize(Size.expandedTo(minimumSize()));
}

void TfmCalc::showEvent(QShowEvent* Event) {
  TForm::showEvent(Event);
  if (!Event->spontaneous()) FitIntoScreen();
}

// The frame too stays inside the screen's free area, at any scale and font size.
void TfmCalc::FitIntoScreen() {
  const QScreen* S = screen();
  if (!S) return;
  const QRect Avail = S->availableGeometry();
  const QMargins Frame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
  const int FrameW = Frame.left() + Frame.right();
  const int FrameH = Frame.top() + Frame.bottom();
  // A saved place is kept where the window, made smaller down to its least size, fits there.
  QPoint At = pos();
  At.setX(std::clamp(At.x(), Avail.left(),
                     std::max(Avail.left(), Avail.right() + 1 - minimumWidth() - FrameW)));
  At.setY(std::clamp(At.y(), Avail.top(),
                     std::max(Avail.top(), Avail.bottom() + 1 - minimumHeight() - FrameH)));
  const QSize Room(Avail.right() + 1 - At.x() - FrameW, Avail.bottom() + 1 - At.y() - FrameH);
  const QSize Size = size().boundedTo(Room).expandedTo(minimumSize());
  if (Size != size()) resize(Size);
  if (At != pos()) move(At);
}

// The keys may shrink to their captions and no further; the window may shrink until they do.
void TfmCalc::SetLeastSizes() {
  for (QWidget* Keys : {pnKeys, pnKeys2})
    for (QAbstractButton* B : Keys->findChildren<QAbstractButton*>()) {
      const QFontMetrics M = B->fontMetrics();
      // "comp" and "LnGm" replace two captions in complex mode.
      const int Text = std::max(M.horizontalAdvance(B->text()), M.horizontalAdvance("LnGm"));
      B->setMinimumSize(Text + 8, M.height() + 4);
    }
  if (layout()) layout()->activate();
  setMinimumSize(minimumSizeHint());
}

TfmCalc::~TfmCalc() {
  if (&EngineHost() == FHost.get()) SetEngineHost(nullptr);
  if (fmCalc == this) fmCalc = nullptr;
}

void TfmCalc::BuildTopArea() {
  auto* Root = static_cast<QVBoxLayout*>(layout());
  auto* Top = new QHBoxLayout;
  Top->setSpacing(4);
  auto* Lines = new QGridLayout;
  Lines->setHorizontalSpacing(0);
  Lines->setVerticalSpacing(4);

  Edit2 = NewEdit("Edit2", this);
  Edit2->setReadOnly(true);
  Edit2->setFocusPolicy(Qt::ClickFocus);
  auto* Results = new THistoryCombo("cbResults", this);
  Results->Line = Edit2;
  cbResults = Results;
  Edit1 = NewEdit("Edit1", this);
  auto* History = new THistoryCombo("cbHistory", this);
  History->Line = Edit1;
  cbHistory = History;
  QFont LineFont = Edit1->font();
  LineFont.setPointSize(std::max(LineFont.pointSize() + 2, 11));
  for (QWidget* W : std::initializer_list<QWidget*>{Edit1, Edit2, cbHistory, cbResults})
    W->setFont(LineFont);
  Lines->addWidget(Edit2, 0, 0);
  Lines->addWidget(cbResults, 0, 1);
  Lines->addWidget(Edit1, 1, 0);
  Lines->addWidget(cbHistory, 1, 1);
  Lines->setColumnStretch(0, 1);

  auto* Assist = new QHBoxLayout;
  chAssistant = new QCheckBox(this);
  chAssistant->setObjectName("chAssistant");
  lbAssistant = NewLabel("lbAssistant", "Assistant", this);
  pnAssistant = new QLabel(this);
  pnAssistant->setObjectName("pnAssistant");
  pnAssistant->setFrameShape(QFrame::Panel);
  pnAssistant->setFrameShadow(QFrame::Sunken);
  pnAssistant->setTextInteractionFlags(Qt::NoTextInteraction);
  pnAssistant->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  Assist->addWidget(chAssistant);
  Assist->addWidget(lbAssistant);
  Assist->addWidget(pnAssistant, 1);
  // The panel stands beside its label; the room it does not need stays empty at the right.
  Assist->addStretch();
  Lines->addLayout(Assist, 2, 0, 1, 2);
  Top->addLayout(Lines, 1);

  auto* Side = new QGridLayout;
  Side->setSpacing(2);
  sbStop = NewSpeedButton("sbStop", "Stop", "Break culculation", this);
  sbStop->setStyleSheet("color: darkred; font-weight: bold;");
  SpinButton1 = new TSpinButton("SpinButton1", "Font size", this);
  NxClock1 = new TNxClock(this);
  NxClock1->setObjectName("NxClock1");
  NxClock1->setMinimumSize(NxClock1->fontMetrics().horizontalAdvance("00:00:00") + 16,
                           NxClock1->fontMetrics().height() + 8);
  Side->addWidget(sbStop, 0, 0);
  Side->addWidget(SpinButton1, 0, 1, 2, 1);
  Side->addWidget(NxClock1, 1, 0);
  Top->addLayout(Side);
  Root->addLayout(Top);
}

void TfmCalc::BuildKeypadPage(QWidget* Page, bool Second) {
  auto* L = new QHBoxLayout(Page);
  L->setContentsMargins(4, 4, 4, 4);
  auto* Keys = new QWidget(Page);
  Keys->setObjectName(Second ? "pnKeys2" : "pnKeys");
  Keys->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  auto* KeyGrid = new QGridLayout(Keys);
  KeyGrid->setContentsMargins(0, 0, 0, 0);
  KeyGrid->setSpacing(2);
  (Second ? pnKeys2 : pnKeys) = Keys;
  L->addWidget(Keys, 1);

  auto* Col = new QVBoxLayout;
  Col->setSpacing(3);
  const QString S = Second ? "2" : "";
  auto* Notation = NewRadioGroup("rgNotation" + S, {"Scn", "Fix", "Eng", "Sxg"}, Page, 4);
  auto* BasePanel = new QWidget(Page);
  BasePanel->setObjectName(Second ? "pnlBase2" : "pnlBase");
  auto* BaseL = new QHBoxLayout(BasePanel);
  BaseL->setContentsMargins(0, 0, 0, 0);
  auto* Base = NewRadioGroup("rgBase" + S, {"dec", "hex", "bin"}, BasePanel, 3);
  BaseL->addWidget(Base);
  auto* CompPanel = new QWidget(Page);
  CompPanel->setObjectName(Second ? "pnlComp2" : "pnlComp");
  auto* CompL = new QHBoxLayout(CompPanel);
  CompL->setContentsMargins(0, 0, 0, 0);
  auto* Form = NewRadioGroup("rgComplexForm" + S, {"Polar", "Rect"}, CompPanel, 2);
  CompL->addWidget(Form);
  CompPanel->hide();
  auto* Angle = NewRadioGroup("rgAngle" + S, {"Rad", "Deg"}, Page, 2);
  auto* Real = NewRadioGroup("rgReal" + S, {"Real", "Comp"}, Page, 2);
  SetItemIndexQuietly(Notation, 0);
  SetItemIndexQuietly(Base, 0);
  SetItemIndexQuietly(Form, 1);
  SetItemIndexQuietly(Angle, 1);
  SetItemIndexQuietly(Real, 0);

  auto* DigitsRow = new QHBoxLayout;
  auto* DigitsLabel = NewLabel(Second ? "lbDigits2" : "lbDigits", "Digits", Page);
  // The label reads "Bits" in binary radix; the row keeps its place when it changes.
  DigitsLabel->setMinimumWidth(DigitsLabel->sizeHint().width());
  // An up-down beside a number field that only the arrows change.
  auto Spinner = [Page](const QString& Name, const QString& EditName, int Min, int Max, int Pos,
                        QLineEdit*& Edit) {
    auto* U = new TUpDown(Page);
    U->setObjectName(Name);
    Edit = NewEdit(EditName, Page);
    Edit->setReadOnly(true);
    Edit->setAlignment(Qt::AlignRight);
    Edit->setFixedWidth(Edit->fontMetrics().horizontalAdvance("0000") + 10);
    U->SetAssociate(Edit);
    U->SetMin(Min);
    U->SetMax(Max);
    U->SetPosition(Pos);
    U->setFixedWidth(18);
    return U;
  };
  QLineEdit* DigitsEdit = nullptr;
  QLineEdit* PrecEdit = nullptr;
  auto* Spin = Spinner(Second ? "UpDown2" : "udDigits", Second ? "edDigits2" : "edDigits", 8, 21,
                       12, DigitsEdit);
  auto* PrecLabel = NewLabel(Second ? "lbPrecision2" : "lbPrecision", "Precision", Page);
  auto* Prec = Spinner(Second ? "udPrecision2" : "udPrecision", Second ? "Edit10" : "Edit3", 1, 20,
                       9, PrecEdit);
  DigitsRow->setSpacing(0);
  DigitsRow->addWidget(DigitsLabel);
  DigitsRow->addSpacing(4);
  DigitsRow->addWidget(DigitsEdit);
  DigitsRow->addWidget(Spin);
  DigitsRow->addSpacing(12);
  DigitsRow->addWidget(PrecLabel);
  DigitsRow->addSpacing(4);
  DigitsRow->addWidget(PrecEdit);
  DigitsRow->addWidget(Prec);
  DigitsRow->addStretch();

  auto* Checks = new QHBoxLayout;
  auto* Eval = new QCheckBox("Evaluate", Page);
  Eval->setObjectName("cbEval" + S);
  auto* Hint = new QCheckBox("Show help", Page);
  Hint->setObjectName("chHint" + S);
  Checks->addWidget(Eval);
  Checks->addWidget(Hint);
  Checks->addStretch();

  auto* Cmds = new QGridLayout;
  Cmds->setSpacing(2);
  auto* Eq = NewSpeedButton(Second ? "SpeedButton63" : "sbEQ", "=", "Evaluate", Page);
  Eq->setMinimumWidth(Eq->fontMetrics().horizontalAdvance("==") * 3);
  QFont EqFont = Eq->font();
  EqFont.setBold(true);
  Eq->setFont(EqFont);
  auto* Copy = NewSpeedButton(Second ? "SpeedButton5" : "sbCopy", "Copy", "Copy", Page);
  auto* Paste = NewSpeedButton(Second ? "SpeedButton77" : "sbPaste", "Paste", "Paste", Page);
  auto* Matrix = NewSpeedButton(Second ? "SpeedButton78" : "SpeedButton2", "Matrix",
                                "Matrix Operations", Page);
  auto* Plots = NewSpeedButton(Second ? "SpeedButton6" : "sbShow", "Plots", "Show plots", Page);
  auto* Switch = NewExitSwitch(Second ? "NxSwitch2" : "NxSwitch1", "Off", Page);
  Switch->setToolTip("Exit");
  Cmds->addWidget(Eq, 0, 0);
  Cmds->addWidget(Copy, 0, 1);
  Cmds->addWidget(Paste, 0, 2);
  Cmds->addWidget(Matrix, 1, 0);
  Cmds->addWidget(Plots, 1, 1);
  if (Second) {
    SpeedButton76 = NewSpeedButton("SpeedButton76", "Conv", "Unit Convertor", Page);
    Cmds->addWidget(SpeedButton76, 1, 2);
    Cmds->addWidget(Switch, 2, 2, Qt::AlignCenter);
  } else {
    sbClInput = NewSpeedButton("sbClInput", "Clear", "Clear input", Page);
    sbExit = NewSpeedButton("sbExit", "Exit", "Exit", Page);
    Cmds->addWidget(sbClInput, 1, 2);
    Cmds->addWidget(sbExit, 2, 0);
    Cmds->addWidget(Switch, 2, 2, Qt::AlignCenter);
  }
  for (int C = 0; C < 3; ++C) Cmds->setColumnStretch(C, 1);
  for (QToolButton* B : Page->findChildren<QToolButton*>())
    B->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);

  Col->addWidget(Notation);
  Col->addWidget(BasePanel);
  Col->addWidget(CompPanel);
  Col->addWidget(Angle);
  Col->addWidget(Real);
  Col->addLayout(DigitsRow);
  Col->addLayout(Checks);
  Col->addStretch();
  Col->addLayout(Cmds);
  L->addLayout(Col);

  if (Second) {
    rgNotation2 = Notation;
    rgBase2 = Base;
    rgComplexForm2 = Form;
    rgAngle2 = Angle;
    rgReal2 = Real;
    pnlBase2 = BasePanel;
    pnlComp2 = CompPanel;
    lbDigits2 = DigitsLabel;
    UpDown2 = Spin;
    edDigits2 = DigitsEdit;
    udPrecision2 = Prec;
    Edit10 = PrecEdit;
    cbEval2 = Eval;
    chHint2 = Hint;
    SpeedButton63 = Eq;
    SpeedButton5 = Copy;
    SpeedButton77 = Paste;
    SpeedButton78 = Matrix;
    SpeedButton6 = Plots;
    NxSwitch2 = Switch;
  } else {
    rgNotation = Notation;
    rgBase = Base;
    rgComplexForm = Form;
    rgAngle = Angle;
    rgReal = Real;
    pnlBase = BasePanel;
    pnlComp = CompPanel;
    lbDigits = DigitsLabel;
    udDigits = Spin;
    edDigits = DigitsEdit;
    udPrecision = Prec;
    Edit3 = PrecEdit;
    cbEval = Eval;
    chHint = Hint;
    sbEQ = Eq;
    sbCopy = Copy;
    sbPaste = Paste;
    SpeedButton2 = Matrix;
    sbShow = Plots;
    NxSwitch1 = Switch;
  }
}

void TfmCalc::BuildTapePage() {
  auto* L = new QHBoxLayout(tsTape);
  mmTape = new QPlainTextEdit(tsTape);
  mmTape->setObjectName("mmTape");
  mmTape->setReadOnly(true);
  mmTape->setLineWrapMode(QPlainTextEdit::NoWrap);
  L->addWidget(mmTape, 1);
  auto* Buttons = new QVBoxLayout;
  btPrint = NewButton("btPrint", "Print", tsTape);
  btToFile = NewButton("btToFile", "To File...", tsTape);
  btCopy = NewButton("btCopy", "Copy", tsTape);
  btCut = NewButton("btCut", "Cut", tsTape);
  btTapeHelp = NewButton("btTapeHelp", "&Help", tsTape);
  for (QPushButton* B : {btPrint, btToFile, btCopy, btCut, btTapeHelp}) Buttons->addWidget(B);
  Buttons->addStretch();
  L->addLayout(Buttons);
  UpdateTapeButtons();
}

void TfmCalc::BuildConstantsPage() {
  auto* L = new QHBoxLayout(tsConst);
  auto* Left = new QVBoxLayout;
  edFind = NewEdit("edFind", tsConst);
  lbConst = new TTextListBox(tsConst);
  lbConst->setObjectName("lbConst");
  Left->addWidget(edFind);
  Left->addWidget(lbConst, 1);
  L->addLayout(Left, 1);
  auto* Buttons = new QVBoxLayout;
  bbPaste = NewButton("bbPaste", "&Paste", tsConst);
  bbEdit = NewButton("bbEdit", "&Edit", tsConst);
  bbReload = NewButton("bbReload", "&Reload", tsConst);
  bbReload->setEnabled(false);
  bbConstHelp = NewButton("bbConstHelp", "Help", tsConst);
  for (QPushButton* B : {bbPaste, bbEdit, bbReload, bbConstHelp}) Buttons->addWidget(B);
  Buttons->addStretch();
  L->addLayout(Buttons);
}

void TfmCalc::BuildGraphicsPage() {
  auto* L = new QVBoxLayout(tsGraph);
  L->setContentsMargins(0, 0, 0, 0);
  Graphics = new TGraphicsPage(*this, tsGraph);
  L->addWidget(Graphics);
}

void TfmCalc::BuildAboutPage() {
  auto* L = new QVBoxLayout(About);
  lbProduct =
      NewLabel("lbProduct", "Numyx v.4.24\nScientific calculator with function plotting", About);
  lbProduct->Font()->SetSize(lbProduct->Font()->Size() + 4);
  lbProduct->Font()->SetStyle({fsBold});
  lbAuthors = NewLabel("lbAuthors", "Written by the Numyx developers, 1998-2026", About);
  lbSupport = NewLabel("lbSupport", "Tech. support", About);
  btMail = NewButton("btMail", "support@numyx.example", About);
  btMailSupport = NewButton("btMailSupport", "Request tech. support", About);
  BiSwitch1 = NewExitSwitch("BiSwitch1", "Exit", About);
  L->addWidget(lbProduct);
  L->addWidget(lbAuthors);
  L->addSpacing(12);
  L->addWidget(lbSupport);
  auto* Row = new QHBoxLayout;
  Row->addWidget(btMail);
  Row->addWidget(btMailSupport);
  Row->addStretch();
  Row->addWidget(BiSwitch1);
  L->addLayout(Row);
  L->addStretch();
}

void TfmCalc::BuildFinancePage() {
  auto* L = new QFormLayout(tshFinance);
  for (size_t I = 0; I < edFinance.size(); ++I) {
    edFinance[I] = NewEdit(QString("edFinance%1").arg(I + 1), tshFinance);
    L->addRow(edFinance[I]);
  }
  btFinance = NewButton("btFinance", "Calculate", tshFinance);
  auto* Row = new QHBoxLayout;
  Row->addWidget(btFinance);
  Row->addStretch();
  L->addRow(Row);
}

void TfmCalc::ConnectHandlers() {
  auto OnClick = [this](TRadioGroup* G, void (TfmCalc::*Handler)(TRadioGroup*)) {
    connect(G, &TRadioGroup::Click, this, Guarded([this, G, Handler] { (this->*Handler)(G); }));
  };
  for (TRadioGroup* G : {rgNotation, rgNotation2}) OnClick(G, &TfmCalc::rgNotationClick);
  for (TRadioGroup* G : {rgBase, rgBase2}) OnClick(G, &TfmCalc::rgBaseClick);
  for (TRadioGroup* G : {rgAngle, rgAngle2}) OnClick(G, &TfmCalc::rgAngleClick);
  for (TRadioGroup* G : {rgReal, rgReal2}) OnClick(G, &TfmCalc::rgRealClick);
  for (TRadioGroup* G : {rgComplexForm, rgComplexForm2}) OnClick(G, &TfmCalc::rgComplexFormClick);
  for (TUpDown* U : {udDigits, UpDown2}) {
    U->OnChangingEx = [this, U](bool& Allow, int Next) { udDigitsChanging(U, Allow, Next); };
    connect(U, &TUpDown::Click, this, Guarded([this, U] { udDigitsClick(U); }));
  }
  connect(cbEval, &QCheckBox::toggled, cbEval2, &QCheckBox::setChecked);
  connect(cbEval2, &QCheckBox::toggled, cbEval, &QCheckBox::setChecked);
  connect(udPrecision, &TUpDown::Click, this,
          [this] { udPrecision2->SetPosition(udPrecision->Position()); });
  connect(udPrecision2, &TUpDown::Click, this,
          [this] { udPrecision->SetPosition(udPrecision2->Position()); });
  connect(chHint, &QCheckBox::clicked, this, [this] { chHintClick(chHint); });
  connect(chHint2, &QCheckBox::clicked, this, [this] { chHintClick(chHint2); });
  // The pages show or hide the panel; the typing goes on in the input line.
  connect(chAssistant, &QCheckBox::clicked, this, [this] {
    if (isVisible()) Edit1->setFocus();
  });

  for (TSpeedButton* B : {sbEQ, SpeedButton63})
    connect(B, &TSpeedButton::Click, this, [this] {
      ReturnClick();
      Edit1->setFocus();
    });
  connect(sbStop, &QToolButton::clicked, this, [] { RequestBreak(); });
  connect(sbClInput, &QToolButton::clicked, this, [this] {
    if (Busy()) return;
    Edit1->clear();
    Edit1->setFocus();
  });
  for (TSpeedButton* B : {sbCopy, SpeedButton5})
    connect(B, &QToolButton::clicked, this, [this] {
      if (Edit1->hasSelectedText()) QApplication::clipboard()->setText(Edit1->selectedText());
    });
  for (TSpeedButton* B : {sbPaste, SpeedButton77})
    connect(B, &QToolButton::clicked, this, [this] {
      if (Busy()) return;
      Edit1->paste();
      InputModified = true;
    });
  SpinButton1->OnUpClick = [this] { SpinButton1Change(1); };
  SpinButton1->OnDownClick = [this] { SpinButton1Change(-1); };
  connect(Edit1, &QLineEdit::textEdited, this, [this] { InputModified = true; });

  for (QComboBox* C : {cbHistory, cbResults})
    connect(C, &QComboBox::activated, this, [this, C](int Index) {
      const QString Text = C->itemText(Index);
      C->setCurrentIndex(-1);
      if (!Busy()) SetFunc(Text);
    });

  connect(pcCalc, &TPageControl::Change, this,
          Guarded([this] { pcCalcChange(pcCalc->ActivePageIndex()); }));
  connect(Timer1, &QTimer::timeout, this, Guarded([this] { Timer1Timer(); }));

  // Every exit switch ends the program, whichever way it is flipped.
  for (TNxSwitch* S : {NxSwitch1, NxSwitch2}) S->OnClick = [this](QObject*) { close(); };
  BiSwitch1->OnOn = [this](QObject*) { close(); };
  BiSwitch1->OnOff = [this](QObject*) { close(); };
  connect(sbExit, &QToolButton::clicked, this, [this] { close(); });
  for (TSpeedButton* B : {sbShow, SpeedButton6})
    connect(B, &QToolButton::clicked, this,
            [this, B] { PopupMenu1->popup(B->mapToGlobal(QPoint(0, B->height()))); });

  for (TSpeedButton* B : {SpeedButton2, SpeedButton78})
    connect(B, &QToolButton::clicked, this, [] {
      if (fmMatrix) {
        fmMatrix->show();
        fmMatrix->raise();
      }
    });
  connect(SpeedButton76, &QToolButton::clicked, this, [this] {
    // A modal window opened inside a running evaluation would hold it until closed.
    if (Busy()) return;
    TfmConv Conv(this);
    calcpf::RunModal(Conv);
  });
  const QList<QAction*> PlotItems = PopupMenu1->actions();
  connect(PlotItems[0], &QAction::triggered, this, [] {
    if (fmPlot2D && fmPlot2D->Shown) fmPlot2D->show();
  });
  connect(PlotItems[2], &QAction::triggered, this, [] {
    if (fmSurfaceChart) fmSurfaceChart->show();
  });
  connect(PlotItems[3], &QAction::triggered, this, [] {
    if (PolarForm) PolarForm->show();
  });

  connect(mmTape, &QPlainTextEdit::textChanged, this, [this] { UpdateTapeButtons(); });
  connect(mmTape, &QPlainTextEdit::selectionChanged, this, [this] { UpdateTapeButtons(); });
  connect(btPrint, &QPushButton::clicked, this, Guarded([this] { btPrintClick(); }));
  connect(btToFile, &QPushButton::clicked, this, Guarded([this] { btToFileClick(); }));
  connect(btCopy, &QPushButton::clicked, this, [this] { btCopyClick(); });
  connect(btCut, &QPushButton::clicked, this, [this] { btCutClick(); });
  connect(btTapeHelp, &QPushButton::clicked, this, [] { ShowHelpContext(21); });
  connect(bbConstHelp, &QPushButton::clicked, this, [] { ShowHelpContext(8); });
  connect(bbEdit, &QPushButton::clicked, this, Guarded([this] { bbEditClick(); }));
  connect(bbReload, &QPushButton::clicked, this, Guarded([this] { bbReloadClick(); }));

  const QString Address = "support@numyx.example";
  connect(btMail, &QPushButton::clicked, this, [Address] { OpenMailLink("mailto:" + Address); });
  connect(btMailSupport, &QPushButton::clicked, this,
          [Address] { OpenMailLink("mailto:" + Address + "?subject=Techsupport"); });

  connect(Edit1, &QLineEdit::textChanged, this, [this](const QString& Text) {
    // Between evaluations the engine's text is the input line's, typed or inserted: the titles
    // the graphics page makes when another kind is chosen name the formula the user sees.
    SetInputText(ToCp1252(Text));
    Graphics->InputChanged(Text);
  });
  connect(PlotItems[1], &QAction::triggered, this, [] {
    if (fmContourPlot && fmContourPlot->Shown) fmContourPlot->show();
  });
}

void TfmCalc::ShowAssistantText(const QString& S) { ::ShowAssistantText(pnAssistant, S); }

void TfmCalc::SetFunc(const QString& S) {
  // A list that took the focus took the input line's selection with it; it is what the entry
  // replaces.
  if (!Edit1->hasSelectedText() && FLeftSelection.Length > 0 &&
      FLeftSelection.Text == Edit1->text())
    Edit1->setSelection(FLeftSelection.Start, FLeftSelection.Length);
  FLeftSelection = {};
  if (Edit1->hasSelectedText()) Edit1->del();
  const int P = Edit1->cursorPosition();
  Edit1->insert(S);
  int Caret = -1;
  for (const QString& Pair : {QString("()"), QString("(,)"), QString("(,,)")}) {
    const qsizetype At = S.indexOf(Pair);
    if (At >= 0) Caret = P + static_cast<int>(At) + 1;
  }
  if (Caret >= 0) Edit1->setCursorPosition(Caret);
  InputModified = true;
  // The engine's text belongs to a running evaluation until it ends.
  SetInputText(ToCp1252(Edit1->text()));
  Edit1->setFocus();
}

QString TfmCalc::InputText() const { return Edit1->text(); }

void TfmCalc::PutIntoExpressionHistory(const QString& Input) {
  const int Found = cbHistory->findText(Input, Qt::MatchExactly | Qt::MatchCaseSensitive);
  if (Found != 0) {
    if (Found > 0) cbHistory->removeItem(Found);
    cbHistory->insertItem(0, Input);
  }
  cbHistory->setCurrentIndex(-1);
}

void TfmCalc::LockPages() {
  if (!FPagesLock) FPagesLock = std::make_unique<TControlsLock>(std::vector<QWidget*>{pcCalc});
}
void TfmCalc::UnlockPages() { FPagesLock.reset(); }

void TfmCalc::EnableRealKeys(bool Enable) {
  static const char* const Names[] = {
      "sbRound", "sbFrac", "sb10A",   "sbSi",     "sbCi",       "sbMin", "sbMax",     "sbMean",
      "sbSx",    "sbStat", "sbGauss", "sbIn",     "sbYn",       "sbJn",  "sbKn",      "sbeFD",
      "sbERF",   "sbNf",   "sbSOLV",  "sbPoly",   "sbIntegral", "sbSum", "sbPersent", "sbXOR",
      "sbOr",    "sbAnd",  "sbLoop",  "sbtTrunc", "sbtFrac"};
  for (const char* N : Names)
    if (auto* B = findChild<QToolButton*>(N)) B->setEnabled(Enable);
  for (TSpeedButton* B : findChildren<TSpeedButton*>())
    if (B->Tag > 88) B->setEnabled(Enable);
}

void TfmCalc::ApplyShowHint(bool Show) {
  for (TSpeedButton* B : findChildren<TSpeedButton*>()) B->SetShowHint(Show);
}

void TfmCalc::chHintClick(QCheckBox* Sender) {
  QCheckBox* Other = Sender == chHint ? chHint2 : chHint;
  Other->setChecked(Sender->isChecked());
  ApplyShowHint(Sender->isChecked());
  if (isVisible()) Edit1->setFocus();
}

void TfmCalc::SpinButton1Change(int Delta) {
  const int Old = Edit1->font().pointSize();
  const int New = std::clamp(Old + Delta, 6, 72);
  if (New == Old || Old <= 0) return;
  const int Before = Edit2->sizeHint().height() + Edit1->sizeHint().height();
  for (QWidget* W : std::initializer_list<QWidget*>{Edit2, cbResults, Edit1, cbHistory}) {
    QFont F = W->font();
    F.setPointSize(New);
    W->setFont(F);
  }
  const int After = Edit2->sizeHint().height() + Edit1->sizeHint().height();
  // The least size follows the lines.
  setMinimumSize(0, 0);
  if (layout()) layout()->activate();
  setMinimumSize(minimumSizeHint());
  // The lines grow inside the layout; the window grows with them so that the pages keep theirs,
  // as far as the screen allows (beyond it the pages' lower part was cut off). The height it
  // would have without those limits is kept, so that going back down by as many steps gives
  // the height it had.
  if (isVisible() && After != Before) {
    if (FSpinHeight.Set == 0 || height() != FSpinHeight.Set) FSpinHeight.Wanted = height();
    FSpinHeight.Wanted += After - Before;
    int Height = FSpinHeight.Wanted;
    if (const QScreen* S = screen()) Height = std::min(Height, S->availableGeometry().height());
    Height = std::max(minimumHeight(), Height);
    resize(width(), Height);
    FSpinHeight.Set = Height;
  }
}

int TfmCalc::RealAngleMode() const {
  if (ComplexMode) return FRealAngleMode;
  return rgAngle->ItemIndex() == 1 ? 1 : 0;
}

bool TfmCalc::Busy() const { return FEvaluating || EngineBusy(); }

void TfmCalc::FormKeyDown(int& Key, Qt::KeyboardModifiers Shift) {
  if (Pages->Pages().FormKeyDown(Key, Shift, pcCalc->ActivePageIndex())) Key = 0;
}

bool TfmCalc::eventFilter(QObject* Watched, QEvent* Event) {
  const QEvent::Type T = Event->type();
  if (Watched == Edit2 && (T == QEvent::MouseButtonPress || T == QEvent::KeyPress)) {
    if (T == QEvent::KeyPress) {
      auto* K = static_cast<QKeyEvent*>(Event);
      if (K->key() == Qt::Key_Return || K->key() == Qt::Key_Enter) return false;
    }
    Edit1->setFocus();
    return T == QEvent::KeyPress;
  }
  if (Watched == Edit1 && T == QEvent::FocusOut) {
    FLeftSelection = {Edit1->selectionStart(), static_cast<int>(Edit1->selectedText().size()),
                      Edit1->text()};
  } else if (Watched == Edit1 && (T == QEvent::MouseButtonPress || T == QEvent::KeyPress)) {
    // The user puts the caret or types: the old selection is gone for good.
    FLeftSelection = {};
  }
  if (Watched == Edit1 && T == QEvent::KeyPress && Busy()) {
    // The engine's text and the marked error refer to the text being evaluated.
    return true;
  }
  if (T == QEvent::KeyPress && (Watched == cbHistory->view() || Watched == cbResults->view())) {
    auto* K = static_cast<QKeyEvent*>(Event);
    if (K->key() == Qt::Key_Delete && K->modifiers() == Qt::NoModifier) {
      QComboBox* C = Watched == cbHistory->view() ? cbHistory : cbResults;
      const int Row = C->view()->currentIndex().row();
      if (Row >= 0 && !Busy()) C->removeItem(Row);
      return true;
    }
  }
  if (Watched == mmTape && (T == QEvent::KeyRelease || T == QEvent::MouseMove)) UpdateTapeButtons();
  return TForm::eventFilter(Watched, Event);
}

TfmCompMess* TfmCalc::CompMess() {
  if (fmCompMess) return fmCompMess;
  if (!FOwnCompMess) FOwnCompMess = new TfmCompMess(this);
  return FOwnCompMess;
}
