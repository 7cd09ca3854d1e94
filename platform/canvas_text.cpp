// Formatted text output of TCanvas: line breaking, tabs and accelerator marks.
#include <algorithm>
#include <vector>

#include <QFontMetrics>

#include "platform/canvas.h"

namespace {

struct TTextLine {
  QString Text;
  int Accel = -1;  // index of the underlined character, -1 for none
};

// Removes the accelerator marks of one line: "&&" is a literal "&", "&x" underlines x.
TTextLine StripPrefix(const QString& Line, bool Prefix) {
  TTextLine Out;
  if (!Prefix) {
    Out.Text = Line;
    return Out;
  }
  for (qsizetype I = 0; I < Line.size(); ++I) {
    if (Line[I] == QLatin1Char('&') && I + 1 < Line.size()) {
      ++I;
      if (Line[I] != QLatin1Char('&') && Out.Accel < 0)
        Out.Accel = static_cast<int>(Out.Text.size());
    } else if (Line[I] == QLatin1Char('&')) {
      continue;
    }
    Out.Text += Line[I];
  }
  return Out;
}

}  // namespace

int TCanvas::DrawText(const QString& Text, TRect& R, unsigned Format) {
  if (Text.isEmpty()) {
    if (Format & DT_CALCRECT) {
      R.Right = R.Left;
      R.Bottom = R.Top;
    }
    return 0;
  }
  QPaintDevice* Device = FTarget->MetricsDevice();
  static QImage Fallback(1, 1, QImage::Format_RGB32);
  const QFontMetrics M(MeasureFont(), Device ? Device : &Fallback);
  const int LineHeight = M.ascent() + M.descent();
  const int TabWidth = 8 * std::max(1, M.averageCharWidth());
  const bool Tabs = (Format & DT_EXPANDTABS) != 0;

  // Width of a text with tabs expanded from the start of its line.
  auto Width = [&](const QString& S) {
    if (!Tabs || !S.contains(QLatin1Char('\t'))) return M.horizontalAdvance(S);
    int X = 0;
    bool First = true;
    for (const QString& Piece : S.split(QLatin1Char('\t'))) {
      if (!First) X = (X / TabWidth + 1) * TabWidth;
      First = false;
      X += M.horizontalAdvance(Piece);
    }
    return X;
  };

  // Break into lines.
  QStringList Raw;
  if (Format & DT_SINGLELINE) {
    QString One = Text;
    One.remove(QLatin1Char('\r')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    Raw << One;
  } else {
    QString Norm = Text;
    Norm.replace(QLatin1String("\r\n"), QLatin1String("\n"))
        .replace(QLatin1Char('\r'), QLatin1Char('\n'));
    Raw = Norm.split(QLatin1Char('\n'));
  }
  std::vector<TTextLine> Lines;
  const bool Prefix = (Format & DT_NOPREFIX) == 0;
  const bool Wrap = (Format & DT_WORDBREAK) && !(Format & DT_SINGLELINE);
  for (const QString& Line : Raw) {
    TTextLine Whole = StripPrefix(Line, Prefix);
    if (!Wrap || Width(Whole.Text) <= R.Width()) {
      Lines.push_back(Whole);
      continue;
    }
    // Greedy breaking between words; a word wider than the rectangle keeps a line of its own.
    QString Current;
    int Start = 0;
    const QStringList Words = Whole.Text.split(QLatin1Char(' '));
    for (const QString& Word : Words) {
      const QString Tried = Current.isEmpty() ? Word : Current + QLatin1Char(' ') + Word;
      if (!Current.isEmpty() && Width(Tried) > R.Width()) {
        TTextLine Part{Current, -1};
        if (Whole.Accel >= Start && Whole.Accel < Start + Current.size())
          Part.Accel = Whole.Accel - Start;
        Lines.push_back(Part);
        Start += static_cast<int>(Current.size()) + 1;
        Current = Word;
      } else {
        Current = Tried;
      }
    }
    TTextLine Part{Current, -1};
    if (Whole.Accel >= Start) Part.Accel = Whole.Accel - Start;
    Lines.push_back(Part);
  }

  const int Height = LineHeight * static_cast<int>(Lines.size());
  if (Format & DT_CALCRECT) {
    int Widest = 0;
    for (const TTextLine& L : Lines) Widest = std::max(Widest, Width(L.Text));
    R.Right = R.Left + Widest;
    R.Bottom = R.Top + Height;
    return Height;
  }

  int Y = R.Top;
  if (Format & DT_SINGLELINE) {
    if (Format & DT_VCENTER)
      Y = R.Top + (R.Height() - LineHeight) / 2;
    else if (Format & DT_BOTTOM)
      Y = R.Bottom - LineHeight;
  }
  const bool SavedClipped = FClipped;
  const QRegion SavedClip = FClip;
  if (!(Format & DT_NOCLIP)) IntersectClipRect(R);
  const unsigned SavedAlign = FTextAlign;
  const TPoint SavedPos = FPenPos;
  FTextAlign = TA_LEFT | TA_TOP;
  for (const TTextLine& L : Lines) {
    const int W = Width(L.Text);
    int X = R.Left;
    if (Format & DT_RIGHT)
      X = R.Right - W;
    else if (Format & DT_CENTER)
      X = R.Left + (R.Width() - W) / 2;
    if (Tabs && L.Text.contains(QLatin1Char('\t'))) {
      int Offset = 0;
      bool First = true;
      for (const QString& Piece : L.Text.split(QLatin1Char('\t'))) {
        if (!First) Offset = (Offset / TabWidth + 1) * TabWidth;
        First = false;
        TextOut(X + Offset, Y, Piece);
        Offset += M.horizontalAdvance(Piece);
      }
    } else {
      TextOut(X, Y, L.Text);
    }
    if (L.Accel >= 0 && L.Accel < L.Text.size()) {
      const int X0 = X + Width(L.Text.left(L.Accel));
      const int X1 = X0 + M.horizontalAdvance(L.Text.mid(L.Accel, 1));
      TCanvasOp Op = MakeOp(coLine);
      Op.State.Pen = TPenData{FFont->Color(), 1, psSolid, pmCopy};
      Op.Points = {{X0, Y + M.ascent() + 1}, {X1, Y + M.ascent() + 1}};
      Run(std::move(Op));
    }
    Y += LineHeight;
  }
  FTextAlign = SavedAlign;
  FPenPos = SavedPos;
  FClipped = SavedClipped;
  FClip = SavedClip;
  return Height;
}
