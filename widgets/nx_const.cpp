#include "widgets/nx_const.h"

#include <QString>

void RegisterNxCursors() {
  RegisterCursor(crHand, OwnCursor(QStringLiteral("NX_HANDCUR")));
  RegisterCursor(crDragHand, OwnCursor(QStringLiteral("NX_DRAGCUR")));
}
