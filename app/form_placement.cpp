#include "app/form_placement.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>

#include "platform/app_services.h"
#include "platform/dialogs.h"
#include "platform/ini_file.h"

bool PlacementOnScreen(const QRect& Rect) {
  if (Rect.width() <= 0 || Rect.height() <= 0) return false;
  // Enough of the title area must be on a screen for the user to grab it.
  const QRect Grip(Rect.left(), Rect.top(), std::min(Rect.width(), 100), 20);
  for (const QScreen* S : QGuiApplication::screens()) {
    const QRect Shared = S->availableVirtualGeometry().intersected(Grip);
    if (Shared.width() >= std::min(Grip.width(), 40) && Shared.height() >= 10) return true;
  }
  return false;
}

void LoadFormPlacement(QWidget* Form) {
  const TIniFile Ini(BasePath() + ".INI");
  const QString Section = Form->objectName();
  QRect R(Ini.ReadInteger(Section, "Left", 0), Ini.ReadInteger(Section, "Top", 0),
          Ini.ReadInteger(Section, "Width", 640), Ini.ReadInteger(Section, "Height", 480));
  if (R.width() > 20000 || R.height() > 20000 || !PlacementOnScreen(R)) R = QRect(0, 0, 640, 480);
  Form->move(R.topLeft());
  Form->resize(R.size());
}

void SaveFormPlacement(QWidget* Form) {
  TIniFile Ini(BasePath() + ".INI");
  const QString Section = Form->objectName();
  Ini.WriteInteger(Section, "Left", Form->x());
  Ini.WriteInteger(Section, "Top", Form->y());
  Ini.WriteInteger(Section, "Width", Form->width());
  Ini.WriteInteger(Section, "Height", Form->height());
  if (!Ini.UpdateFile()) ShowError("Can't create file " + BasePath() + ".INI");
}
