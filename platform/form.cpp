#include "platform/form.h"

#include "platform/app_services.h"
#include "platform/dialogs.h"
#include "platform/number_edit.h"

#include <algorithm>

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLayout>
#include <QPointer>
#include <QResizeEvent>
#include <QScreen>
#include <QShowEvent>
#include <QStyle>
#include <QTimer>
#include <QWindow>

namespace {
QPointer<TForm>& MainFormRef() {
  static QPointer<TForm> F;
  return F;
}
}  // namespace

QRect FrameWithin(const QRect& Frame, const QRect& Area, const QSize& Least) {
  if (Area.isEmpty() || Frame.isEmpty()) return Frame;
  QRect R(Frame.topLeft(), Frame.size().boundedTo(Area.size()).expandedTo(Least));
  // Where it is still larger than the area, the top-left corner wins: the title bar stays.
  R.moveLeft(std::max(Area.left(), std::min(R.left(), Area.left() + Area.width() - R.width())));
  R.moveTop(std::max(Area.top(), std::min(R.top(), Area.top() + Area.height() - R.height())));
  return R;
}

namespace {
// The least client size that still shows a window's contents.
QSize ContentsNeed(const QWidget& W) {
  const QSize Hint = W.layout() ? W.minimumSizeHint() : QSize();
  return Hint.isValid() ? Hint.expandedTo(W.minimumSize()) : W.minimumSize();
}

// Watches one shown window until its frame is known and lies on the screen, and after that
// whenever it grows. The window manager tells its frame without moving the window, so until
// then the frame is looked at every few tens of milliseconds as well as at every move.
class TFrameKeeper : public QObject {
 public:
  static constexpr const char* Name = "FrameKeeper";
  explicit TFrameKeeper(QWidget* Window) : QObject(Window), FWindow(Window) {
    setObjectName(QLatin1String(Name));
    Window->installEventFilter(this);
    FTimer.setInterval(40);
    connect(&FTimer, &QTimer::timeout, this, [this] { Fit(); });
    FTimer.start();
    QTimer::singleShot(0, this, [this] { Fit(); });  // once the show has gone through
  }
  void SetPlace(TFramePlace Place) {
    FPlace = std::move(Place);
    Fit();
  }

 protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override {
    if (Watched != FWindow) return false;
    if (Event->type() == QEvent::Hide) {
      Finish();
    } else if (!FSettled && (Event->type() == QEvent::Move || Event->type() == QEvent::Resize)) {
      Fit();
    } else if (FSettled && Event->type() == QEvent::Resize) {
      // Grown by its own doing (a page laid out late): back onto the screen, unless the user
      // had put it partly off the screen before.
      const auto* R = static_cast<QResizeEvent*>(Event);
      if (R->size().width() > R->oldSize().width() || R->size().height() > R->oldSize().height())
        FitGrown(R->oldSize());
    }
    return false;
  }

 private:
  QScreen* ScreenOf(const QRect& Frame) const {
    QScreen* S = QGuiApplication::screenAt(Frame.center());
    return S ? S : FWindow->windowHandle()->screen();
  }
  void Fit() {
    QWidget* W = FWindow;
    // Where no window manager frames the window, no frame will come: stop after two seconds.
    if (!W || ++FLooks > 50) return Settle();
    QWindow* H = W->windowHandle();
    if (!H || !W->isVisible() ||
        (W->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized)))
      return;
    // Until the native window is shown its geometry is the one it was made with, not the size
    // the window is about to take: no place is worked out from that.
    if (FPlace && !H->isVisible()) return;
    // The native window's own account: the widget's copy of the frame may be stale.
    const QRect Frame = H->frameGeometry(), Client = H->geometry();
    const bool Framed = Frame != Client;
    QRect Wanted = Frame;
    if (FPlace) {
      Wanted.moveTopLeft(FPlace(Frame.size()));
      if (Framed) FPlace = nullptr;  // placed with its true size: from now on only kept on
    }
    if (!Put(Wanted, Frame, Client) && Framed) Settle();
  }
  void FitGrown(const QSize& OldClient) {
    QWidget* W = FWindow;
    QWindow* H = W ? W->windowHandle() : nullptr;
    if (!H || (W->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))) return;
    const QRect Frame = H->frameGeometry(), Client = H->geometry();
    const QRect Before(Frame.topLeft(), OldClient + (Frame.size() - Client.size()));
    if (QScreen* S = ScreenOf(Before); S && S->availableGeometry().contains(Before))
      Put(Frame, Frame, Client);
  }
  // Moves the window so that its frame lies within the free area of the screen Wanted is on,
  // never smaller than its contents need; answers whether it had to be moved.
  bool Put(const QRect& Wanted, const QRect& Frame, const QRect& Client) {
    QScreen* S = ScreenOf(Wanted);
    if (!S) return false;
    const QSize Sides = Frame.size() - Client.size();
    const QRect Fitted =
        FrameWithin(Wanted, S->availableGeometry(), ContentsNeed(*FWindow) + Sides);
    if (Fitted == Frame) return false;
    // The client's rectangle, whatever the window manager reads a position as.
    FWindow->setGeometry(
        QRect(Fitted.topLeft() + (Client.topLeft() - Frame.topLeft()), Fitted.size() - Sides));
    return true;
  }
  // Framed and on the screen: from now on the window stays where the user puts it, and is
  // looked at again only when it grows.
  void Settle() {
    FTimer.stop();
    FSettled = true;
    FPlace = nullptr;
  }
  void Finish() {
    FTimer.stop();
    if (FWindow) FWindow->removeEventFilter(this);
    setObjectName({});  // a new show gets a new keeper
    deleteLater();
  }
  QPointer<QWidget> FWindow;
  TFramePlace FPlace;
  QTimer FTimer;
  int FLooks = 0;
  bool FSettled = false;
};
}  // namespace

void KeepFrameOnScreen(QWidget* Window, TFramePlace Place) {
  if (!Window || !Window->isWindow()) return;
  auto* Keeper = static_cast<TFrameKeeper*>(
      Window->findChild<QObject*>(QLatin1String(TFrameKeeper::Name), Qt::FindDirectChildrenOnly));
  if (!Keeper) Keeper = new TFrameKeeper(Window);
  if (Place) Keeper->SetPlace(std::move(Place));
}

void KeepFrameOverOwner(QWidget* Dialog) {
  if (!Dialog) return;
  // A dialog made once for the whole program has no parent: it belongs to the window it is
  // opened from, the one a box would be centred on (also when none is active just then).
  const QWidget* Parent = Dialog->parentWidget();
  const QWidget* Owner = Parent ? Parent->window() : DialogParent(Dialog);
  if (!Owner || Owner == Dialog) return KeepFrameOnScreen(Dialog);
  // Placed again once the window manager has framed it: where the window system would put it
  // first (a guess at the frame's size, or the screen's middle) is not to be trusted.
  KeepFrameOnScreen(Dialog, [Dialog, Owner = QPointer<const QWidget>(Owner)](const QSize& Frame) {
    if (!Owner || !Owner->isVisible()) return WindowFrame(Dialog).topLeft();
    QRect R(QPoint(), Frame);
    R.moveCenter(WindowFrame(Owner).center());
    return R.topLeft();
  });
}

namespace {
// Qt's own dialogs are shown by Qt: they are placed as they show.
class TOverOwnerOnShow : public QObject {
 public:
  static constexpr const char* Name = "OverOwner";
  explicit TOverOwnerOnShow(QWidget* Dialog) : QObject(Dialog) {
    setObjectName(QLatin1String(Name));
    Dialog->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override {
    // Once its own show handling has sized it (a box sizes itself to its text).
    if (Event->type() == QEvent::ShowToParent && Watched == parent())
      KeepFrameOverOwner(static_cast<QWidget*>(Watched));
    return false;
  }
};
}  // namespace

void OpenOverOwner(QWidget& Dialog) {
  if (!Dialog.findChild<QObject*>(QLatin1String(TOverOwnerOnShow::Name),
                                  Qt::FindDirectChildrenOnly))
    new TOverOwnerOnShow(&Dialog);
}

QRect WindowFrame(const QWidget* Window) {
  const QWindow* H = Window ? Window->windowHandle() : nullptr;
  if (H) return H->frameGeometry();
  return Window ? Window->frameGeometry() : QRect();
}

void SetMainForm(TForm* Form) { MainFormRef() = Form; }
TForm* MainForm() { return MainFormRef(); }

TForm::TForm(QWidget* Owner) : QDialog(Owner) { SetBorderStyle(bsSizeable); }

void TForm::SetBorderStyle(TFormBorderStyle Value) {
  FBorderStyle = Value;
  Qt::WindowFlags F;
  switch (Value) {
    case bsNone:
      F = Qt::Window | Qt::FramelessWindowHint;
      break;
    case bsSingle:
    case bsSizeable:
      F = Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
          Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint;
      break;
    case bsDialog:
      F = Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
      break;
    case bsToolWindow:
    case bsSizeToolWin:
      F = Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
      break;
  }
  const bool WasVisible = isVisible();
  setWindowFlags(F);
  if (WasVisible) show();
}

void TForm::DoCreate() {
  if (FCreated) return;
  FCreated = true;
  RunGuarded([this] { FormCreate(); });
}

TModalResult TForm::ShowModal() {
  FModalResult = mrNone;
  FInModal = true;
  QPointer<TForm> Self(this);
  exec();
  if (!Self) return mrCancel;
  FInModal = false;
  return FModalResult;
}

void TForm::SetModalResult(TModalResult Value) {
  // OK, and every result but Cancel, only once every number field's typing stands.
  if (Value != mrNone && Value != mrCancel && !CheckEdits()) Value = mrNone;
  FModalResult = Value;
  if (!FInModal || Value == mrNone || FEndQueued) return;
  // Checked after the current handler returns: it may still reset the result.
  FEndQueued = true;
  QMetaObject::invokeMethod(
      this,
      [this] {
        FEndQueued = false;
        EndModalIfSet();
      },
      Qt::QueuedConnection);
}

void TForm::EndModalIfSet() {
  if (!FInModal || FModalResult == mrNone) return;
  TCloseAction Action = QueryClose();
  if (Action == caNone) {
    FModalResult = mrNone;
    return;
  }
  QDialog::done(FModalResult);
  if (Action == caFree) deleteLater();
}

bool TForm::CheckEdits() { return TNumberEdit::FinishAll(this); }

TCloseAction TForm::QueryClose() {
  // Every number field's typing is finished first; a refused one has been told and put back.
  // OK (any result but Cancel) then keeps the window open, for the user to see what stands.
  if (!CheckEdits() && FInModal && FModalResult != mrCancel) return caNone;
  bool CanClose = true;
  if (!RunGuarded([&] { FormCloseQuery(CanClose); }) || !CanClose) return caNone;
  TCloseAction Action = caHide;
  if (!RunGuarded([&] { FormClose(Action); })) return caNone;
  return Action;
}

void TForm::Show() {
  show();
  raise();
  activateWindow();
}

void TForm::Close() {
  if (FInModal)
    SetModalResult(mrCancel);
  else
    close();
}

void TForm::SetButtonModalResult(QAbstractButton* Button, TModalResult Result) {
  if (!Button) return;
  connect(Button, &QAbstractButton::clicked, this, [this, Result] { SetModalResult(Result); });
  if (Result == mrCancel) FCancelButton = Button;
}

void TForm::SetKeyPreview(bool Value) {
  if (Value == FKeyPreview) return;
  FKeyPreview = Value;
  if (Value)
    qApp->installEventFilter(this);
  else
    qApp->removeEventFilter(this);
}

void TForm::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  move(ALeft, ATop);
  resize(AWidth, AHeight);
}

void FitCaption(QWidget& Window) {
  // The window manager draws the caption: measured in the application's font made bold, the
  // usual title font, with room for an icon and three buttons as high as the bar each.
  QFont Font = QApplication::font();
  Font.setBold(true);
  const int Bar = std::max(Window.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &Window),
                           QFontMetrics(Font).height() + 4);
  int Need = QFontMetrics(Font).horizontalAdvance(Window.windowTitle()) + 5 * Bar;
  if (const QScreen* S = Window.screen()) Need = std::min(Need, S->availableGeometry().width());
  // Qt's own boxes, and layouts that set the window's size limits themselves, size the window
  // to their contents as it opens and drop a least width set on the window alone: a strut in
  // the layout holds it there. (Asked for its size, an input box makes its layout.)
  Window.sizeHint();
  QLayout* L = Window.layout();
  if (L &&
      (!qobject_cast<TForm*>(&Window) || L->sizeConstraint() != QLayout::SetDefaultConstraint)) {
    auto* Strut =
        Window.findChild<QWidget*>(QStringLiteral("CaptionStrut"), Qt::FindDirectChildrenOnly);
    if (!Strut) {
      Strut = new QWidget(&Window);
      Strut->setObjectName(QStringLiteral("CaptionStrut"));
      // Across every column of a grid: in one column it would widen that column alone.
      if (auto* G = qobject_cast<QGridLayout*>(L))
        G->addWidget(Strut, G->rowCount(), 0, 1, std::max(1, G->columnCount()));
      else
        L->addWidget(Strut);
    }
    const QMargins M = L->contentsMargins();
    Strut->setFixedSize(std::max(0, Need - M.left() - M.right()), 0);
  }
  // Kept as the least width: the window may still shrink to its contents as it opens.
  if (Window.maximumWidth() < Need) Window.setMaximumWidth(Need);
  Window.setMinimumWidth(std::max(Window.minimumWidth(), Need));
  if (Window.width() < Need) Window.resize(Need, Window.height());
}

bool TForm::event(QEvent* Event) {
  const bool Handled = QDialog::event(Event);
  // The layout has just taken in changed contents (longer captions, fields shown). It grows a
  // window to them by itself, but not in width once FitCaption has set a least width there: such
  // a window now narrower than its contents widens to them here, and its frame keeper puts it
  // whole on the screen.
  if (Event->type() == QEvent::LayoutRequest && CaptionFitted() && isVisible() && layout() &&
      !(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized))) {
    const QSize Need = size().expandedTo(minimumSizeHint());
    if (Need != size()) resize(Need);
  }
  return Handled;
}

void TForm::showEvent(QShowEvent* Event) {
  if (!Event->spontaneous() && CaptionFitted()) FitCaption(*this);
  QDialog::showEvent(Event);
  if (Event->spontaneous()) return;
  RunGuarded([this] { FormShow(); });
  if (FBorderStyle == bsDialog || isModal())
    KeepFrameOverOwner(this);
  else
    KeepFrameOnScreen(this);
}

void TForm::closeEvent(QCloseEvent* Event) {
  if (FInModal) {
    // The title bar's close button ends a modal run like Cancel.
    Event->ignore();
    SetModalResult(mrCancel);
    return;
  }
  switch (QueryClose()) {
    case caNone:
      Event->ignore();
      return;
    case caMinimize:
      Event->ignore();
      showMinimized();
      return;
    case caFree:
      Event->accept();
      if (this == MainForm()) QCoreApplication::quit();
      deleteLater();
      return;
    case caHide:
      Event->accept();
      if (this == MainForm()) QCoreApplication::quit();
      return;
  }
}

void TForm::reject() {
  // Escape: only a window with a cancel button reacts to it.
  if (FCancelButton && FCancelButton->isEnabled() && FCancelButton->isVisible())
    FCancelButton->click();
}

bool TForm::eventFilter(QObject* Watched, QEvent* Event) {
  const QEvent::Type Type = Event->type();
  if (!FKeyPreview || FResending) return QDialog::eventFilter(Watched, Event);
  if (Type == QEvent::KeyRelease) {
    FPreviewed.Pending = false;
    FPreviewed.Event = nullptr;
  }
  if (Type != QEvent::KeyPress && Type != QEvent::ShortcutOverride)
    return QDialog::eventFilter(Watched, Event);
  // Only the first delivery: to the focus widget, or to the window itself (when nothing has the
  // focus, or when the key was sent to the window). A key that the focus widget leaves travels
  // on to its parents, the window among them, as the same event.
  QWidget* Focus = QApplication::focusWidget();
  if (Focus && Focus->window() != this) return QDialog::eventFilter(Watched, Event);
  const bool First = Watched == Focus || (Watched == this && Event != FPreviewed.Event);
  if (!First) return QDialog::eventFilter(Watched, Event);
  FPreviewed.Event = Event;
  auto* K = static_cast<QKeyEvent*>(Event);
  if (Type == QEvent::ShortcutOverride) {
    // Every key is first offered to the shortcuts (the mnemonics of buttons on other pages among
    // them) before it arrives as a key press. The window's key handling runs here, then: a key
    // that it uses is claimed, so that no shortcut takes it, and its key press is swallowed.
    int Key = K->key();
    RunGuarded([&] { FormKeyDown(Key, K->modifiers()); });
    FPreviewed.Key = K->key();
    FPreviewed.Modifiers = K->modifiers();
    FPreviewed.Used = Key == 0;
    FPreviewed.Pending = true;
    if (!FPreviewed.Used) return QDialog::eventFilter(Watched, Event);
    K->accept();
    return true;
  }
  int Key = K->key();
  if (FPreviewed.Pending && FPreviewed.Key == Key && FPreviewed.Modifiers == K->modifiers()) {
    FPreviewed.Pending = false;
    if (FPreviewed.Used) return true;
  } else {
    FPreviewed.Pending = false;
    RunGuarded([&] { FormKeyDown(Key, K->modifiers()); });
    if (Key == 0) return true;
  }
  if (!K->text().isEmpty() && K->text()[0].isPrint()) {
    QChar Ch = K->text()[0];
    RunGuarded([&] { FormKeyPress(Ch); });
    if (Ch.isNull()) return true;
    if (Ch != K->text()[0]) {
      QKeyEvent Changed(QEvent::KeyPress, K->key(), K->modifiers(), QString(Ch));
      FResending = true;
      QCoreApplication::sendEvent(Watched, &Changed);
      FResending = false;
      return true;
    }
  }
  return QDialog::eventFilter(Watched, Event);
}
