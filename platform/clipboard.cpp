#include "platform/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "platform/dialogs.h"

namespace {
QClipboard* Board() {
  return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::clipboard()
                                                                      : nullptr;
}
}  // namespace

bool ClipboardHasText() {
  QClipboard* C = Board();
  const QMimeData* M = C ? C->mimeData() : nullptr;
  return M && M->hasText();
}

QString ClipboardText() {
  QClipboard* C = Board();
  return C ? C->text() : QString();
}

void SetClipboardText(const QString& Text) {
  if (QClipboard* C = Board()) C->setText(Text);
}

bool ClipboardHasImage() {
  QClipboard* C = Board();
  const QMimeData* M = C ? C->mimeData() : nullptr;
  return M && M->hasImage();
}

QImage ClipboardImage() {
  QClipboard* C = Board();
  return C ? C->image() : QImage();
}

void SetClipboardImage(const QImage& Image) {
  if (QClipboard* C = Board()) C->setImage(Image);
}

void ClearClipboard() {
  if (QClipboard* C = Board()) C->clear();
}

QString PastedWholeLines(const QString& Text, qsizetype MaxLength) {
  if (Text.size() <= MaxLength) return Text;
  ShowInformation(
      QStringLiteral("Only the whole lines within the first %1 characters of the Clipboard are "
                     "pasted.")
          .arg(MaxLength));
  qsizetype End = MaxLength;
  while (End > 0 && Text[End - 1] != u'\r' && Text[End - 1] != u'\n') --End;
  return Text.left(End);
}
