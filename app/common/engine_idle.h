#pragma once
// What waits for the engine: work queued while an evaluation runs, and windows asked to close
// during one. Both run from the event loop once the last evaluation has ended, never inside it.
#include <QPointer>
#include <QWidget>

#include <functional>
#include <vector>

// Runs Action now when no evaluation runs, else once the last one has ended.
void RunWhenIdle(std::function<void()> Action);

// The close of a window that arrives while an evaluation runs, whichever window started it: the
// evaluation is asked to break (its break check asks the user) and the window closes once it has
// ended. Answers true when the close was put off (the caller refuses it for now).
bool CloseWhenIdle(QWidget* Window);

// Disables a window's controls for its lifetime, so that nothing changes what its running
// evaluation reads (a size field changed while the cells were read left the loop out of bounds).
// The controls it disabled are enabled again; the window then sets its own enabling. A control
// that had the focus gets it back, unless the running work placed the focus itself.
class TControlsLock {
 public:
  // Every direct child of Window.
  explicit TControlsLock(QWidget* Window);
  explicit TControlsLock(const std::vector<QWidget*>& Controls);
  ~TControlsLock();
  TControlsLock(const TControlsLock&) = delete;
  TControlsLock& operator=(const TControlsLock&) = delete;

 private:
  void Lock(QWidget* Control);
  std::vector<QPointer<QWidget>> FLocked;
  QPointer<QWidget> FFocus;
};
