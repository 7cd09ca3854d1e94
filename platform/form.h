#pragma once
// The window base: creation, show and close hooks, modal runs that answer a
// modal result, and key preview.
//
// Order of events as the windows rely on it: FormCreate once after
// construction (through CreateForm), FormShow each time the window becomes
// visible, and on closing FormCloseQuery (may refuse) then FormClose (may
// choose what closing does). In a modal run, setting a non-zero ModalResult
// ends the run once the current handler has returned, so a button's own
// handler may reset it to mrNone to keep the window open.

#include "platform/modal_result.h"

#include <QDialog>
#include <QRect>

#include <functional>
#include <utility>

class QAbstractButton;

enum TCloseAction { caNone, caHide, caFree, caMinimize };

// Sizeable windows have minimise and maximise buttons; dialog windows only
// a close button; none have no frame at all.
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };

// Widens a window whose caption its title bar would cut: room for the caption and for the title
// bar's icon and buttons. Dialog forms do it as they are shown.
void FitCaption(QWidget& Window);

// Where a control stands in its parent: alClient fills what the others leave.
enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

class TForm : public QDialog {
  Q_OBJECT
 public:
  explicit TForm(QWidget* Owner = nullptr);

  // Runs FormCreate once; CreateForm calls it right after construction.
  void DoCreate();

  TModalResult ShowModal();
  bool InModal() const { return FInModal; }
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult Value);
  // Shows the window without a modal run and brings it to the front.
  void Show();
  // A modal window ends its run with mrCancel; another one closes.
  void Close();

  // Clicking the button sets its modal result before the button's own
  // handlers run; the button for mrCancel also answers Escape.
  void SetButtonModalResult(QAbstractButton* Button, TModalResult Result);

  // With key preview on, FormKeyDown and FormKeyPress see keys before the
  // control that has the focus; setting the key to 0 consumes it.
  bool KeyPreview() const { return FKeyPreview; }
  void SetKeyPreview(bool Value);

  TFormBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle Value);

  QString Name() const { return objectName(); }
  int Left() const { return x(); }
  int Top() const { return y(); }
  int Width() const { return width(); }
  int Height() const { return height(); }
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);

  // Finishes the typing of every number field in the window, as leaving them does; false when
  // one was refused (told, and its value in force put back). Setting a modal result other than
  // Cancel runs it first and is undone by a refusal, and so is closing; Apply buttons run it
  // before applying.
  bool CheckEdits();

  // The button given the Cancel result, which Escape presses; null for none.
  QAbstractButton* CancelButton() const { return FCancelButton; }

  // Escape: presses the cancel button when there is one, else nothing (a
  // window without one, the main window above all, does not close on it).
  void reject() override;

 protected:
  virtual void FormCreate() {}
  virtual void FormShow() {}
  virtual void FormCloseQuery(bool& CanClose) { (void)CanClose; }
  virtual void FormClose(TCloseAction& Action) { (void)Action; }
  virtual void FormKeyDown(int& Key, Qt::KeyboardModifiers Shift) { (void)Key, (void)Shift; }
  virtual void FormKeyPress(QChar& Key) { (void)Key; }

  bool event(QEvent* Event) override;
  void showEvent(QShowEvent* Event) override;
  void closeEvent(QCloseEvent* Event) override;
  bool eventFilter(QObject* Watched, QEvent* Event) override;

 private:
  // Dialog and tool windows are widened to their caption as they show (FitCaption).
  bool CaptionFitted() const { return FBorderStyle == bsDialog || FBorderStyle == bsToolWindow; }
  // Asks FormCloseQuery and FormClose; answers the action (caNone: stay).
  TCloseAction QueryClose();
  void EndModalIfSet();

  TModalResult FModalResult = mrNone;
  bool FInModal = false;
  bool FCreated = false;
  bool FEndQueued = false;
  bool FKeyPreview = false;
  bool FResending = false;
  // The key that FormKeyDown saw while it was offered to the shortcuts; its key press, when
  // it follows, is not handled twice. Event: the last key event handled, whose delivery to the
  // parents of the focus widget is not a new key.
  struct {
    const QEvent* Event = nullptr;
    int Key = 0;
    Qt::KeyboardModifiers Modifiers;
    bool Used = false;
    bool Pending = false;
  } FPreviewed;
  TFormBorderStyle FBorderStyle = bsSizeable;
  QAbstractButton* FCancelButton = nullptr;
};

// The frame rectangle moved into Area and, where it is larger, cut to Area's size, but never
// below Least (the size its contents need). A frame still larger than Area keeps its top-left
// corner, and so its title bar, within Area. An empty Area changes nothing.
QRect FrameWithin(const QRect& Frame, const QRect& Area, const QSize& Least = {});
// Where a window's frame goes, from the frame's size.
using TFramePlace = std::function<QPoint(const QSize& Frame)>;
// Keeps a shown top-level window's frame, title bar included, on the free area of its screen.
// The frame is known only once the window manager has framed the window, so this watches the
// window until then (or briefly, where no frame comes) and moves it in, and again whenever it
// grows while shown; it never makes the window smaller than its contents need. With Place, the
// frame is put there first, and again once its true size is known. Every form does this when
// shown; a maximised or full-screen window is left alone.
void KeepFrameOnScreen(QWidget* Window, TFramePlace Place = {});
// Keeps a dialog's frame on the screen as above, opened centred over the window it belongs to
// (its parent's window), the first time too. Dialogs among the forms do this when shown.
void KeepFrameOverOwner(QWidget* Dialog);
// Has a dialog that is shown by others (Qt's own boxes) opened so every time it is shown.
void OpenOverOwner(QWidget& Dialog);
// A window's frame as the window system has it (the widget's copy may lag behind).
QRect WindowFrame(const QWidget* Window);

// The program ends when the main window closes, whatever else is visible.
void SetMainForm(TForm* Form);
TForm* MainForm();

// Constructs a window and runs its FormCreate.
template <class T, class... A>
T* CreateForm(A&&... Args) {
  T* Form = new T(std::forward<A>(Args)...);
  Form->DoCreate();
  return Form;
}
