#include "app/common/decimal_format.h"

#include "engine/engine_host.h"
#include "engine/format.h"
#include "engine/side_eval.h"
#include "platform/number_text.h"

QString FormatDecimal(int Digits, Extended X) {
  const TEngineSettings SavedSettings = EngineSettings;
  EngineSettings.Radix = 0;
  if (EngineSettings.DisplayMode > 2) EngineSettings.DisplayMode = 0;
  const std::string Text = FormatAside(Digits, X);
  EngineSettings = SavedSettings;
  return QString::fromStdString(Text);
}

QString FormatDecimal(Extended X) { return FormatDecimal(EngineHost().Digits(), X); }

QString FormatGeneral7(Extended X) { return QString::fromStdString(FormatGeneral(X, 7)); }
