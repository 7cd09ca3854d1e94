#pragma once
// The system clipboard: plain text and pictures, no private formats.

#include <QImage>
#include <QString>

bool ClipboardHasText();
QString ClipboardText();
void SetClipboardText(const QString& Text);
bool ClipboardHasImage();
QImage ClipboardImage();
void SetClipboardImage(const QImage& Image);
void ClearClipboard();

// The most clipboard text that one paste into a grid takes.
inline constexpr int MaxPasteLength = 64000;
// What a paste takes of Text: all of it when it has at most MaxLength characters; else only the
// lines that end within them, after one information saying so. The line that the limit cuts
// would be read as another number or formula, so it is left out whole.
QString PastedWholeLines(const QString& Text, qsizetype MaxLength = MaxPasteLength);
