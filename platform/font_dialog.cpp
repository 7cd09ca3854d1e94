#include "platform/font_dialog.h"

#include "platform/dialogs.h"

QFont FontForDialog(const TFont& Font) {
  QFont Q(Font.Name());
  Q.setPointSize(std::max(Font.Size(), 1));
  const TFontStyles S = Font.Style();
  Q.setBold(S.Contains(fsBold));
  Q.setItalic(S.Contains(fsItalic));
  Q.setUnderline(S.Contains(fsUnderline));
  Q.setStrikeOut(S.Contains(fsStrikeOut));
  return Q;
}

bool EditFont(TFont& Font) {
  QFont Q = FontForDialog(Font);
  std::uint32_t Color = Font.Color();
  if (!Dialogs().ChooseFont(Q, Color)) return false;
  if (!Q.family().isEmpty()) Font.SetName(Q.family());
  // A size the dialog gave in pixels only is turned into points at the font's own resolution.
  if (Q.pointSize() > 0)
    Font.SetSize(Q.pointSize());
  else if (Q.pixelSize() > 0)
    Font.SetHeight(-Q.pixelSize());
  TFontStyles S;
  if (Q.bold()) S << fsBold;
  if (Q.italic()) S << fsItalic;
  if (Q.underline()) S << fsUnderline;
  if (Q.strikeOut()) S << fsStrikeOut;
  Font.SetStyle(S);
  Font.SetColor(Color);
  return true;
}
