#include "app/decimal_format.h"

#include "engine/engine_host.h"
#include "engine/format.h"
#include "platform/number_text.h"

QString FormatDecimal(int Digits, Extended X) {
  const TEngineSettings SavedSettings = EngineSettings;
  const bool SavedFlag = EngineState.ErrFlag;
  const int SavedCode = EngineState.ErrCode, SavedPos = EngineState.ErrPos,
            SavedLen = EngineState.ErrLen;
  EngineSettings.Radix = 0;
  if (EngineSettings.DisplayMode > 2) EngineSettings.DisplayMode = 0;
  const std::string Text = FormatNumber(Digits, X);
  EngineSettings = SavedSettings;
  EngineState.ErrFlag = SavedFlag;
  EngineState.ErrCode = SavedCode;
  EngineState.ErrPos = SavedPos;
  EngineState.ErrLen = SavedLen;
  return QString::fromStdString(Text);
}

QString FormatDecimal(Extended X) { return FormatDecimal(EngineHost().Digits(), X); }

QString FormatGeneral7(Extended X) { return QString::fromStdString(FormatGeneral(X, 7)); }
