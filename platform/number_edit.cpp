#include "platform/number_edit.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <utility>

#include <QAbstractButton>
#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QWheelEvent>

#include "platform/app_services.h"
#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/flag_guard.h"
#include "platform/form.h"
#include "platform/number_text.h"
#include "platform/number_validate.h"

// --- The rule -----------------------------------------------------------------------------------

int TNumberRule::BadCharPos(const QString& Text) const {
  return Whole ? NumberValidate::IntBadCharPos(Text) : NumberValidate::RealBadCharPos(Text);
}

bool TNumberRule::Parse(const QString& Text, double& Value) const {
  QByteArray B = Text.trimmed().toLatin1();
  if (B.startsWith('+')) B.remove(0, 1);
  if (B.isEmpty() || B.startsWith('+') || BadCharPos(Text.trimmed()) != 0) return false;
  const char* const End = B.constData() + B.size();
  if (Whole) {
    long long V = 0;
    const auto R = std::from_chars(B.constData(), End, V);
    // Beyond what a double holds exactly is no whole number any field takes.
    if (R.ec != std::errc() || R.ptr != End || std::llabs(V) > (1LL << 53)) return false;
    Value = static_cast<double>(V);
    return true;
  }
  // One reader for every real a field or a file holds, so both refuse the same texts.
  double V = 0;
  if (!TryTextToFloat(std::string_view(B.constData(), std::size_t(B.size())), V)) return false;
  Value = V;
  return true;
}

bool TNumberRule::Accepts(double Value) const {
  if (std::isnan(Value)) return false;
  return (OpenMin ? Min < Value : Min <= Value) && (OpenMax ? Value < Max : Value <= Max);
}

QString TNumberRule::RefusalText(const QString& Text) const {
  double Value = 0;
  if (!NotANumber.isEmpty() && !Parse(Text, Value)) return NotANumber;
  return Message.isEmpty() ? RangeText() : Message;
}

QString TNumberRule::BoundText(double Value) const {
  if (std::isinf(Value)) return Value < 0 ? QStringLiteral("-\u221E") : QStringLiteral("\u221E");
  return QString::number(Value, 'g', 8).toUpper();
}

QString TNumberRule::RangeText() const {
  if (Whole)
    return Caption + QStringLiteral(" must be in the range [") + BoundText(Min) +
           QStringLiteral("..") + BoundText(Max) + u']';
  return Caption +
         (OpenMin ? QStringLiteral(" must be in the range [ > ")
                  : QStringLiteral(" must be in the range [")) +
         BoundText(Min) + QStringLiteral(" ... ") + BoundText(Max) + u']';
}

QString TNumberRule::Format(double Value) const {
  if (Whole) return QString::number(static_cast<long long>(std::llround(Value)));
  return QString::number(Value, 'g', 7).toUpper();
}

namespace {
// The cancel button of W's window when W lies on it, else null.
QAbstractButton* CancelButtonAt(const QWidget* W) {
  const auto* F = W ? qobject_cast<const TForm*>(W->window()) : nullptr;
  QAbstractButton* B = F ? F->CancelButton() : nullptr;
  return B && (W == B || B->isAncestorOf(W)) ? B : nullptr;
}

// A press on the cancel button that a refusal's box came between cancels all the same: its
// release went to the box, so the button is clicked once the box has gone.
void CancelAfterRefusal(QAbstractButton* Cancel) {
  QMetaObject::invokeMethod(
      Cancel,
      [B = QPointer<QAbstractButton>(Cancel)] {
        RunGuarded([&] {
          if (B && B->isVisible() && B->isEnabled()) B->click();
        });
      },
      Qt::QueuedConnection);
}
}  // namespace

// --- Clicks elsewhere ---------------------------------------------------------------------------

// A press or a wheel turn anywhere outside the field that has the focus finishes its typing
// first: a tab of a tab bar takes no focus, and a list turned by the wheel takes none either, so
// the page would change, and a button or a chooser would act, before the field knew it was left.
// A refused text swallows the press or turn, so the user sees the value put back where it was
// typed; a press on the window's cancel button still cancels, after the message, for cancelling
// gives up the typing anyway. A control that takes the focus by a press or a turn takes it before
// any filter sees the event: the field finishes as it loses the focus, and a refusal there swallows
// that one event alone.
class TNumberEdit::TClickWatch : public QObject {
 public:
  static TClickWatch& Instance() {
    static TClickWatch* W = new TClickWatch;
    return *W;
  }
  void Watch(TNumberEdit* Edit) {
    if (!FInstalled) {
      qApp->installEventFilter(this);
      FInstalled = true;
    }
    FEdit = Edit;
  }
  void Unwatch(TNumberEdit* Edit) {
    if (FEdit == Edit) FEdit = nullptr;
  }
  // The press or turn being delivered moved the focus out of a field that then refused: it goes
  // no further. Set once the refusal's box has gone, so the box's own clicks pass; dropped once
  // that event is through, whether or not it came here (nothing else may be lost to it).
  void SwallowPress() {
    FSwallow = true;
    QMetaObject::invokeMethod(
        this, [this] { FSwallow = false; }, Qt::QueuedConnection);
  }

 protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override {
    const QEvent::Type T = Event->type();
    if (T == QEvent::MouseButtonRelease) FSwallow = false;
    if (T != QEvent::MouseButtonPress && T != QEvent::MouseButtonDblClick && T != QEvent::Wheel)
      return false;
    if (std::exchange(FSwallow, false)) return true;
    TNumberEdit* E = FEdit;
    auto* W = qobject_cast<QWidget*>(Watched);
    if (!E || !W || !E->Typing() || E->Owns(W) || W->window() != E->window()) return false;
    bool Taken = true;
    RunGuarded([&] { Taken = E->Finish(); });
    if (QAbstractButton* Cancel = CancelButtonAt(W); !Taken && Cancel && T != QEvent::Wheel)
      CancelAfterRefusal(Cancel);
    return !Taken;
  }

 private:
  QPointer<TNumberEdit> FEdit;
  bool FInstalled = false;
  bool FSwallow = false;
};

// --- The edit -----------------------------------------------------------------------------------

namespace {
// The up-down made inside the edit sits in its right end, as wide as a scroll bar's arrows.
constexpr int InnerUpDownWidth = 16;
}  // namespace

TNumberEdit::TNumberEdit(QWidget* Parent)
    : QLineEdit(Parent), FRule(std::make_unique<TNumberRule>(true, 0, 100)) {
  connect(this, &QLineEdit::textEdited, this, [this] {
    FUserEdit = true;
    RunGuarded([this] { TextEdited(); });
  });
  // Qt tells an edit by the user first, then the change: a change not so announced was made by
  // the program, and is a load of the field.
  connect(this, &QLineEdit::textChanged, this, [this](const QString& Text) {
    // Our own changes come inside the user's: the user's change, told after them, is stale.
    if (FSelf || std::exchange(FUserEdit, false)) return;
    FBefore.reset();
    FLastGood = Text;
    double Shown = 0;
    if (FRule->Parse(Text, Shown)) FValue = ToStored(Shown);
  });
  Show(0);
}

TNumberEdit::~TNumberEdit() { TClickWatch::Instance().Unwatch(this); }

void TNumberEdit::SetRule(std::unique_ptr<TNumberRule> Rule) {
  if (Rule) FRule = std::move(Rule);
  if (!Typing()) Show(FValue);
}

void TNumberEdit::SetWhole(double Min, double Max) {
  FRule->Whole = true;
  FRule->Min = Min;
  FRule->Max = std::max(Min, Max);
  FRule->OpenMin = FRule->OpenMax = false;
  if (!Typing()) Show(FValue);
}

void TNumberEdit::SetReal(double Min, double Max, bool OpenMin, bool OpenMax) {
  FRule->Whole = false;
  FRule->Min = Min;
  FRule->Max = std::max(Min, Max);
  FRule->OpenMin = OpenMin;
  FRule->OpenMax = OpenMax;
  if (!Typing()) Show(FValue);
}

void TNumberEdit::SetUnit(double StoredPerShown, bool StoredWhole) {
  if (!(StoredPerShown > 0) || !std::isfinite(StoredPerShown)) StoredPerShown = 1;
  FFactor = StoredPerShown;
  FStoredWhole = StoredWhole;
  if (!Typing()) Show(FValue);
}

double TNumberEdit::ToShown(double Stored) const {
  const double V = Stored / FFactor;
  return FRule->Whole && std::isfinite(V) ? std::nearbyint(V) : V;
}

double TNumberEdit::ToStored(double Shown) const {
  const double V = Shown * FFactor;
  return FStoredWhole && std::isfinite(V) ? std::nearbyint(V) : V;
}

int TNumberEdit::IntValue() const {
  if (std::isnan(FValue)) return 0;
  return static_cast<int>(std::clamp(std::nearbyint(FValue),
                                     double(std::numeric_limits<int>::min()),
                                     double(std::numeric_limits<int>::max())));
}

void TNumberEdit::Show(double Stored) {
  FValue = Stored;
  const QString T = FRule->Format(ToShown(Stored));
  TFlagGuard Self(FSelf);
  if (text() != T) setText(T);
  FLastGood = T;
}

void TNumberEdit::ShowValue(double Value) {
  FBefore.reset();
  Show(Value);
}

void TNumberEdit::Load() {
  FBefore.reset();
  Show(OnRead ? OnRead() : FValue);
}

void TNumberEdit::SetValue(double Value) {
  FBefore.reset();
  if (OnApply) OnApply(Value);
  Show(Value);
  emit Applied(Value);
}

QString TNumberEdit::TryApply(double Stored) {
  if (OnCheck) {
    const QString Why = OnCheck(Stored);
    if (!Why.isEmpty()) return Why;
  }
  try {
    if (OnApply) OnApply(Stored);
  } catch (...) {
    return ExceptionMessage(std::current_exception());
  }
  FValue = Stored;
  emit Applied(Stored);
  return {};
}

void TNumberEdit::TextEdited() {
  if (FBusy) return;
  const QString T = text();
  if (const int Bad = FRule->BadCharPos(T)) {
    // The character that cannot stay is dropped; the cursor stays where it was typed.
    TFlagGuard Self(FSelf);
    setText(FLastGood);
    setCursorPosition(std::clamp(Bad - 1, 0, int(FLastGood.size())));
    return;
  }
  FLastGood = T;
  if (!FBefore) {
    FBefore = FValue;
    TClickWatch::Instance().Watch(this);
  }
  double Shown = 0;
  if (!FLive || !FRule->Parse(T, Shown) || !FRule->Accepts(Shown)) return;
  const double Stored = ToStored(Shown);
  if (Stored == FValue) return;
  // A value refused on the way waits for the end of the typing to be told.
  TFlagGuard Busy(FBusy);
  TryApply(Stored);
}

void TNumberEdit::Refuse(const QString& Message) {
  const double Before = FBefore.value_or(FValue);
  FBefore.reset();
  if (Before != FValue) {
    TFlagGuard Busy(FBusy);
    try {
      if (OnApply) OnApply(Before);
    } catch (...) {
    }
    FValue = Before;
    emit Applied(Before);
  }
  Show(Before);
  if (Message.isEmpty()) return;
  const QPointer<TNumberEdit> Self(this);
  ShowError(Message);
  // The user goes on where the refused text was typed (unless the box outlived the field).
  if (Self && isVisible() && isEnabled() && window()->isVisible()) setFocus(Qt::OtherFocusReason);
}

bool TNumberEdit::Finish() {
  if (!FBefore || FBusy) return true;
  TFlagGuard Busy(FBusy);
  const QString T = text();
  double Shown = 0;
  QString Why;
  if (!FRule->Parse(T, Shown) || !FRule->Accepts(Shown)) {
    Why = FRule->RefusalText(T);
  } else {
    const double Stored = ToStored(Shown);
    const double Before = *FBefore;
    // Applied while typing, or the same as before: nothing more to ask.
    Why = Stored == FValue && (FLive || Stored == Before) ? QString() : TryApply(Stored);
    if (Why.isEmpty()) {
      FBefore.reset();
      Show(Stored);
      return true;
    }
  }
  Refuse(Why);
  return false;
}

void TNumberEdit::SetIncrement(double Increment) {
  FIncrement = Increment > 0 ? Increment : 1;
  FSteps = true;
}

TUpDown* TNumberEdit::SetSpin(double Increment, TUpDown* UpDown) {
  SetIncrement(Increment);
  if (FUpDown && FOwnUpDown && FUpDown != UpDown) delete FUpDown;
  FOwnUpDown = !UpDown;
  FUpDown = UpDown ? UpDown : new TUpDown(this);
  FUpDown->SetAssociate(nullptr);
  // The edit steps itself, from the value in force: the up-down only reports its arrows.
  FUpDown->OnStep = [this](TUDBtnType Button) { Step(Button == btNext ? 1 : -1); };
  if (FOwnUpDown) {
    FUpDown->setCursor(Qt::ArrowCursor);
    setTextMargins(0, 0, InnerUpDownWidth, 0);
    FUpDown->setGeometry(width() - InnerUpDownWidth - 1, 1, InnerUpDownWidth, height() - 2);
  }
  return FUpDown;
}

void TNumberEdit::Step(int Direction) {
  // A refusal told takes the step's place; an emptied field, where no text is a value, is put
  // back and stepped from, for the step itself says what the user wants.
  double Shown = 0;
  const QString T = text();
  if (Typing() && T.trimmed().isEmpty() && !FRule->Parse(T, Shown) && !FBusy)
    Refuse({});
  else if (!Finish())
    return;
  if (FBusy) return;
  const double From = ToShown(FValue);
  double To = From + (Direction > 0 ? FIncrement : -FIncrement);
  if (std::isfinite(FRule->Min) && To < FRule->Min) To = FRule->Min;
  if (std::isfinite(FRule->Max) && To > FRule->Max) To = FRule->Max;
  if (!FRule->Accepts(To) || To == From) return;
  TFlagGuard Busy(FBusy);
  const QString Why = TryApply(ToStored(To));
  Show(FValue);
  if (!Why.isEmpty()) ShowError(Why);
}

bool TNumberEdit::Owns(const QWidget* W) const {
  for (; W; W = W->parentWidget())
    if (W == this || (FUpDown && W == FUpDown)) return true;
  return false;
}

QList<TNumberEdit*> TNumberEdit::EditsIn(const QWidget* Root) {
  QList<TNumberEdit*> L;
  if (!Root) return L;
  if (auto* E = qobject_cast<TNumberEdit*>(const_cast<QWidget*>(Root))) L << E;
  L << Root->findChildren<TNumberEdit*>();
  return L;
}

bool TNumberEdit::FinishAll(const QWidget* Root) {
  bool All = true;
  for (TNumberEdit* E : EditsIn(Root)) {
    bool Taken = true;
    if (E->Typing()) RunGuarded([&] { Taken = E->Finish(); });
    All = All && Taken;
  }
  return All;
}

void TNumberEdit::keyPressEvent(QKeyEvent* Event) {
  const int Key = Event->key();
  const bool Ctrl = Event->modifiers() & Qt::ControlModifier;
  if (FSteps && (Key == Qt::Key_Up || Key == Qt::Key_Down) && !Ctrl) {
    RunGuarded([&] { Step(Key == Qt::Key_Up ? 1 : -1); });
    return;
  }
  // Keys that leave the field without moving the focus first: Enter (the dialog's default
  // button), Escape (its cancel button), and the page keys of a page control.
  const bool Leaves = Key == Qt::Key_Return || Key == Qt::Key_Enter || Key == Qt::Key_Escape ||
                      (Ctrl && (Key == Qt::Key_Tab || Key == Qt::Key_Backtab ||
                                Key == Qt::Key_PageUp || Key == Qt::Key_PageDown));
  if (Leaves && Typing()) {
    bool Taken = true;
    RunGuarded([&] { Taken = Finish(); });
    // A refused text keeps the user here: the key does not go on, but for Escape, which gives
    // up what was typed anyway.
    if (!Taken && Key != Qt::Key_Escape) return;
  }
  QLineEdit::keyPressEvent(Event);
}

void TNumberEdit::focusInEvent(QFocusEvent* Event) {
  TClickWatch::Instance().Watch(this);
  QLineEdit::focusInEvent(Event);
}

void TNumberEdit::focusOutEvent(QFocusEvent* Event) {
  // Left by the user's hand, or as the focus moved on for another reason within the window;
  // not while the window itself gives way to another (a message box among them).
  const Qt::FocusReason Why = Event->reason();
  if (Why != Qt::ActiveWindowFocusReason && Why != Qt::PopupFocusReason && Typing()) {
    // Where the focus goes, before a refusal takes it back.
    QAbstractButton* Cancel = CancelButtonAt(QApplication::focusWidget());
    bool Taken = true;
    RunGuarded([&] { Taken = Finish(); });
    if (!Taken && Why == Qt::MouseFocusReason) {
      TClickWatch::Instance().SwallowPress();
      if (Cancel) CancelAfterRefusal(Cancel);
    }
  }
  QLineEdit::focusOutEvent(Event);
}

void TNumberEdit::hideEvent(QHideEvent* Event) {
  // The field went away (its page, or its window) while the typing went on: nothing else would
  // finish it.
  if (Typing() && !Event->spontaneous()) RunGuarded([this] { Finish(); });
  QLineEdit::hideEvent(Event);
}

void TNumberEdit::wheelEvent(QWheelEvent* Event) {
  if (!FSteps) return QLineEdit::wheelEvent(Event);
  const int Delta = Event->angleDelta().y();
  if (Delta != 0) RunGuarded([&] { Step(Delta > 0 ? 1 : -1); });
  Event->accept();
}

void TNumberEdit::resizeEvent(QResizeEvent* Event) {
  QLineEdit::resizeEvent(Event);
  if (FUpDown && FOwnUpDown)
    FUpDown->setGeometry(width() - InnerUpDownWidth - 1, 1, InnerUpDownWidth, height() - 2);
}
