#include "app/common/form_placement.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>

#include "platform/app_services.h"
#include "platform/dialogs.h"
#include "platform/ini_file.h"
#include "platform/text_file.h"

namespace {
// No screen is this large; beyond it a size is damage, not a window.
constexpr long long MaxExtent = 20000;
}  // namespace

bool PlacementOnScreen(long long Left, long long Top, long long Width, long long Height) {
  if (Width <= 0 || Height <= 0 || Width > MaxExtent || Height > MaxExtent) return false;
  // Enough of the title area must be on a screen for the user to grab it. The screens' rectangles
  // are small numbers; the window's place is compared in 64 bits before anything is built of it.
  const long long GripW = std::min(Width, 100LL), GripH = 20;
  for (const QScreen* S : QGuiApplication::screens()) {
    const QRect A = S->availableVirtualGeometry();
    const long long X0 = std::max<long long>(Left, A.left());
    const long long X1 =
        std::min<long long>(Left + GripW, A.left() + static_cast<long long>(A.width()));
    const long long Y0 = std::max<long long>(Top, A.top());
    const long long Y1 =
        std::min<long long>(Top + GripH, A.top() + static_cast<long long>(A.height()));
    if (X1 - X0 >= std::min(GripW, 40LL) && Y1 - Y0 >= 10) return true;
  }
  return false;
}

bool PlacementOnScreen(const QRect& Rect) {
  return PlacementOnScreen(Rect.left(), Rect.top(), Rect.width(), Rect.height());
}

void LoadFormPlacement(QWidget* Form) {
  const TIniFile Ini(BasePath() + ".INI");
  const QString Section = Form->objectName();
  const int Left = Ini.ReadInteger(Section, "Left", 0), Top = Ini.ReadInteger(Section, "Top", 0);
  const int Width = Ini.ReadInteger(Section, "Width", 640);
  const int Height = Ini.ReadInteger(Section, "Height", 480);
  if (PlacementOnScreen(Left, Top, Width, Height)) {
    Form->move(Left, Top);
    Form->resize(Width, Height);
  } else {
    Form->move(0, 0);
    Form->resize(640, 480);
  }
}

void SaveFormPlacement(QWidget* Form) {
  TIniFile Ini(BasePath() + ".INI");
  // A settings file that could not be read is not replaced by four keys.
  if (Ini.ReadFailed()) return;
  const QString Section = Form->objectName();
  Ini.WriteInteger(Section, "Left", Form->x());
  Ini.WriteInteger(Section, "Top", Form->y());
  Ini.WriteInteger(Section, "Width", Form->width());
  Ini.WriteInteger(Section, "Height", Form->height());
  // The file is there as a rule: the box says why it could not be written (a full disk).
  if (const TFileStatus S = Ini.UpdateFile(); !S.Ok()) ShowError(FileFailureText(S));
}
