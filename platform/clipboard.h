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
