// The throttled message pump, in a file of its own: the engine defines a pump of the same name
// that goes through its host, and a program that links the engine must get that one. A static
// library member is only taken for a symbol that is still missing, so this one is used only by
// programs without the engine.
#include "platform/app_services.h"

#include <QElapsedTimer>

void PumpMessages() {
  static QElapsedTimer Clock;
  if (Clock.isValid() && Clock.elapsed() < PumpInterval) return;
  Clock.start();
  ProcessMessages();
}
