#include "platform/gradient.h"

#include <algorithm>

#include "platform/canvas.h"
#include "platform/number_text.h"

TColor GradientStep(TColor From, TColor To, int I, int N) {
  if (N <= 1) return From;
  auto C = [&](int S, int E) { return std::clamp(S + MulDiv(I, E - S, N - 1), 0, 255); };
  return RGB(C(GetRValue(From), GetRValue(To)), C(GetGValue(From), GetGValue(To)),
             C(GetBValue(From), GetBValue(To)));
}

void GradientFill(TCanvas* Canvas, const TRect& R, TColor FromColor, bool Horizontal,
                  TColor ToColor) {
  if (!Canvas) return;
  const long long Extent = Horizontal ? static_cast<long long>(R.Right) - R.Left
                                      : static_cast<long long>(R.Bottom) - R.Top;
  if (Extent < 1 || Extent > 0x7FFFFFFF) return;
  const int E = static_cast<int>(Extent);
  const int N = std::min(E, 256);
  const TColor From = ColorToRGB(FromColor), To = ColorToRGB(ToColor);
  const TBrushData Saved = Canvas->Brush()->Data();
  TColor Current = clNone;
  for (int i = 0; i < N; ++i) {
    // Only the colour and the style change: a pattern or an opacity the caller set stays.
    const TColor C = GradientStep(From, To, i, N);
    if (C != Current) {
      Canvas->Brush()->SetStyle(bsSolid);
      Canvas->Brush()->SetColor(C);
      Current = C;
    }
    const int Near = MulDiv(i, E, N), Far = MulDiv(i + 1, E, N);
    const TRect Band = Horizontal ? TRect{R.Right - Far, R.Top, R.Right - Near, R.Bottom}
                                  : TRect{R.Left, R.Bottom - Far, R.Right, R.Bottom - Near};
    if (!Band.IsEmpty()) Canvas->FillRect(Band);
  }
  Canvas->Brush()->SetData(Saved);
}
