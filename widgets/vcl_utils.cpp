#include "widgets/vcl_utils.h"

#include <QApplication>
#include <QImage>
#include <QThread>
#include <QWidget>

#include <algorithm>
#include <vector>

#include "platform/canvas.h"

bool IsForegroundTask()
{
    const QWidget* Active = QApplication::activeWindow();
    return Active && Active->thread() == QThread::currentThread();
}

std::unique_ptr<TBitmap> CreateDisabledBitmapEx(const TBitmap& Bitmap, TColor TransparentColor, TColor BackColor,
                                                TColor HighlightColor, TColor ShadowColor, bool DrawHighlight)
{
    const QImage Source = Bitmap.Image().convertToFormat(QImage::Format_RGB32);
    const int W = Source.width();
    const int H = Source.height();
    QImage Result(W, H, QImage::Format_RGB32);
    Result.fill(ToQColor(BackColor));
    if (W > 0 && H > 0) {
        const QRgb Transparent = ToQColor(TransparentColor).rgb() | 0xFF000000u;
        // The mask: every pixel that is part of the picture.
        std::vector<bool> Mask(static_cast<std::size_t>(W) * static_cast<std::size_t>(H));
        for (int Y = 0; Y < H; ++Y) {
            const QRgb* Line = reinterpret_cast<const QRgb*>(Source.constScanLine(Y));
            for (int X = 0; X < W; ++X)
                Mask[static_cast<std::size_t>(Y) * W + X] = (Line[X] | 0xFF000000u) != Transparent;
        }
        auto Paint = [&](int Dx, int Dy, QRgb Color) {
            for (int Y = 0; Y < H; ++Y)
                for (int X = 0; X < W; ++X)
                    if (Mask[static_cast<std::size_t>(Y) * W + X] && X + Dx < W && Y + Dy < H)
                        Result.setPixel(X + Dx, Y + Dy, Color);
        };
        if (DrawHighlight)
            Paint(1, 1, ToQColor(HighlightColor).rgb());
        Paint(0, 0, ToQColor(ShadowColor).rgb());
    }
    auto Out = std::make_unique<TBitmap>();
    Out->SetImage(Result);
    return Out;
}

std::unique_ptr<TBitmap> CreateDisabledBitmap(const TBitmap& Bitmap, TColor TransparentColor)
{
    return CreateDisabledBitmapEx(Bitmap, TransparentColor, clBtnFace, clBtnHighlight, clBtnShadow, true);
}

// ---------------------------------------------------------------------------
// Text drawing

namespace {

// One displayed line: its characters and which of them the accelerator marks.
struct TTextLine {
    QString Text;
    std::vector<bool> Underline;
};

int TabStopWidth(TCanvas& Canvas)
{
    static const QString Alphabet = QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ");
    const int Average = (Canvas.TextWidth(Alphabet) / 26 + 1) / 2;
    return std::max(1, 8 * Average);
}

// Width of the first Count characters of a line, tabs to the next stop.
int LineWidth(TCanvas& Canvas, const QString& Text, qsizetype Count, bool ExpandTabs, int TabStop)
{
    const QString Part = Text.left(Count);
    if (!ExpandTabs || !Part.contains(QLatin1Char('\t')))
        return Canvas.TextWidth(Part);
    int X = 0;
    const QStringList Pieces = Part.split(QLatin1Char('\t'));
    for (qsizetype I = 0; I < Pieces.size(); ++I) {
        if (I > 0)
            X = (X / TabStop + 1) * TabStop;
        X += Canvas.TextWidth(Pieces[I]);
    }
    return X;
}

std::vector<TTextLine> SplitText(const QString& Text, bool Prefix, bool SingleLine)
{
    std::vector<TTextLine> Lines(1);
    for (qsizetype I = 0; I < Text.size(); ++I) {
        QChar C = Text[I];
        bool Marked = false;
        if (Prefix && C == QLatin1Char('&')) {
            if (I + 1 >= Text.size())
                continue;
            C = Text[++I];
            Marked = C != QLatin1Char('&');
        }
        if (!SingleLine && (C == QLatin1Char('\r') || C == QLatin1Char('\n'))) {
            if (C == QLatin1Char('\r') && I + 1 < Text.size() && Text[I + 1] == QLatin1Char('\n'))
                ++I;
            Lines.emplace_back();
            continue;
        }
        Lines.back().Text += C;
        Lines.back().Underline.push_back(Marked);
    }
    return Lines;
}

// Breaks a line between words so that each piece fits Width; a word wider
// than Width stays whole on its own line.
void WrapLine(TCanvas& Canvas, const TTextLine& Line, int Width, bool ExpandTabs, int TabStop,
              std::vector<TTextLine>& Out)
{
    qsizetype Start = 0;
    const qsizetype N = Line.Text.size();
    while (Start < N) {
        qsizetype End = N;
        auto Fits = [&](qsizetype E) {
            return LineWidth(Canvas, Line.Text.mid(Start), E - Start, ExpandTabs, TabStop) <= Width;
        };
        if (!Fits(N)) {
            qsizetype Break = -1;
            for (qsizetype I = Start + 1; I < N; ++I)
                if (Line.Text[I] == QLatin1Char(' ') && Fits(I))
                    Break = I;
            if (Break < 0) {
                // No break that fits: take the first word whole.
                Break = Line.Text.indexOf(QLatin1Char(' '), Start + 1);
                if (Break < 0)
                    Break = N;
            }
            End = Break;
        }
        TTextLine Piece;
        Piece.Text = Line.Text.mid(Start, End - Start);
        Piece.Underline.assign(Line.Underline.begin() + Start, Line.Underline.begin() + End);
        Out.push_back(std::move(Piece));
        Start = End;
        while (Start < N && Line.Text[Start] == QLatin1Char(' '))
            ++Start;
    }
    if (N == 0)
        Out.push_back(Line);
}

}  // namespace

int CanvasDrawText(TCanvas& Canvas, const QString& Text, TRect& R, unsigned Flags)
{
    if (Text.isEmpty()) {
        if (Flags & DT_CALCRECT) {
            R.Right = R.Left;
            R.Bottom = R.Top;
        }
        return 0;
    }
    const bool ExpandTabs = Flags & DT_EXPANDTABS;
    const bool SingleLine = Flags & DT_SINGLELINE;
    const int TabStop = ExpandTabs ? TabStopWidth(Canvas) : 1;
    const std::vector<TTextLine> Raw = SplitText(Text, !(Flags & DT_NOPREFIX), SingleLine);
    std::vector<TTextLine> Lines;
    if ((Flags & DT_WORDBREAK) && !SingleLine) {
        for (const TTextLine& L : Raw)
            WrapLine(Canvas, L, R.Width(), ExpandTabs, TabStop, Lines);
    } else {
        Lines = Raw;
    }

    const int LineHeight = Canvas.TextHeight(QStringLiteral("W"));
    const int Height = LineHeight * static_cast<int>(Lines.size());
    std::vector<int> Widths;
    int MaxWidth = 0;
    for (const TTextLine& L : Lines) {
        Widths.push_back(LineWidth(Canvas, L.Text, L.Text.size(), ExpandTabs, TabStop));
        MaxWidth = std::max(MaxWidth, Widths.back());
    }
    if (Flags & DT_CALCRECT) {
        R.Right = R.Left + MaxWidth;
        R.Bottom = R.Top + Height;
        return Height;
    }

    int Y = R.Top;
    if (SingleLine && (Flags & DT_VCENTER))
        Y = R.Top + (R.Height() - LineHeight) / 2;
    else if (SingleLine && (Flags & DT_BOTTOM))
        Y = R.Bottom - LineHeight;

    const bool HadClip = Canvas.HasClip();
    const QRegion OldClip = Canvas.ClipRegion();
    if (!(Flags & DT_NOCLIP))
        Canvas.IntersectClipRect(R);
    const unsigned OldAlign = Canvas.SetTextAlign(TA_LEFT | TA_TOP);
    const int Ascent = Canvas.TextAscent();
    for (std::size_t I = 0; I < Lines.size(); ++I, Y += LineHeight) {
        const TTextLine& L = Lines[I];
        int X = R.Left;
        if (Flags & DT_RIGHT)
            X = R.Right - Widths[I];
        else if (Flags & DT_CENTER)
            X = R.Left + (R.Width() - Widths[I]) / 2;
        if (ExpandTabs && L.Text.contains(QLatin1Char('\t'))) {
            int Pos = 0;
            const QStringList Pieces = L.Text.split(QLatin1Char('\t'));
            for (qsizetype P = 0; P < Pieces.size(); ++P) {
                if (P > 0)
                    Pos = (Pos / TabStop + 1) * TabStop;
                if (!Pieces[P].isEmpty())
                    Canvas.TextOut(X + Pos, Y, Pieces[P]);
                Pos += Canvas.TextWidth(Pieces[P]);
            }
        } else if (!L.Text.isEmpty()) {
            Canvas.TextOut(X, Y, L.Text);
        }
        for (qsizetype C = 0; C < L.Text.size(); ++C) {
            if (!L.Underline[static_cast<std::size_t>(C)])
                continue;
            // The accelerator's underline, in the text colour just below the baseline.
            const int X0 = X + LineWidth(Canvas, L.Text, C, ExpandTabs, TabStop);
            const int X1 = X + LineWidth(Canvas, L.Text, C + 1, ExpandTabs, TabStop);
            const TPenData OldPen = Canvas.Pen()->Data();
            Canvas.Pen()->SetData(TPenData{Canvas.Font()->Color(), 1, psSolid, pmCopy});
            Canvas.MoveTo(X0, Y + Ascent + 1);
            Canvas.LineTo(X1, Y + Ascent + 1);
            Canvas.Pen()->SetData(OldPen);
        }
    }
    Canvas.SetTextAlign(OldAlign);
    if (!(Flags & DT_NOCLIP))
        Canvas.SelectClipRgn(HadClip ? &OldClip : nullptr);
    return Height;
}

QChar AccelChar(const QString& Text)
{
    for (qsizetype I = 0; I + 1 < Text.size(); ++I) {
        if (Text[I] != QLatin1Char('&'))
            continue;
        if (Text[I + 1] == QLatin1Char('&')) {
            ++I;
            continue;
        }
        return Text[I + 1].toUpper();
    }
    return QChar();
}
