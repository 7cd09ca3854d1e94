#include "app/common/decimal_format.h"

#include "engine/engine_host.h"
#include "engine/engine_scopes.h"
#include "engine/format.h"
#include "engine/side_eval.h"
#include "platform/number_text.h"

QString FormatDecimal(int Digits, Extended X) {
  const TDecimalNotationScope Decimal;
  return QString::fromStdString(FormatAside(Digits, X));
}

QString FormatDecimal(Extended X) { return FormatDecimal(EngineHost().Digits(), X); }

QString FormatGeneral7(Extended X) { return QString::fromStdString(FormatGeneral(X, 7)); }
