#include "platform/text_file.h"

#include "platform/codepage.h"

#include <QFile>
#include <QSaveFile>

namespace {
void SetError(QString* Error, const QString& Text) {
  if (Error) *Error = Text;
}
}  // namespace

QStringList SplitLines(const QString& Text) {
  QStringList Lines;
  qsizetype Start = 0, n = Text.size();
  for (qsizetype i = 0; i < n; ++i) {
    QChar c = Text[i];
    if (c != u'\r' && c != u'\n') continue;
    Lines << Text.mid(Start, i - Start);
    if (c == u'\r' && i + 1 < n && Text[i + 1] == u'\n') ++i;
    Start = i + 1;
  }
  if (Start < n) Lines << Text.mid(Start);
  return Lines;
}

bool ReadTextFile(const QString& FileName, QString& Text, QString* Error) {
  QFile f(FileName);
  if (!f.exists()) {
    SetError(Error, QStringLiteral("File %1 does not exist").arg(FileName));
    return false;
  }
  if (!f.open(QIODevice::ReadOnly)) {
    SetError(Error, f.errorString());
    return false;
  }
  if (f.size() > MaxTextFileSize) {
    SetError(Error, QStringLiteral("File %1 is too large").arg(FileName));
    return false;
  }
  QByteArray Bytes = f.readAll();
  if (f.error() != QFileDevice::NoError) {
    SetError(Error, f.errorString());
    return false;
  }
  Text = DecodeText(std::string_view(Bytes.constData(), static_cast<size_t>(Bytes.size())));
  return true;
}

bool ReadTextLines(const QString& FileName, QStringList& Lines, QString* Error) {
  QString Text;
  if (!ReadTextFile(FileName, Text, Error)) return false;
  Lines = SplitLines(Text);
  return true;
}

bool WriteFileBytes(const QString& FileName, const QByteArray& Bytes, QString* Error) {
  QSaveFile f(FileName);
  if (!f.open(QIODevice::WriteOnly)) {
    SetError(Error, f.errorString());
    return false;
  }
  if (f.write(Bytes) != Bytes.size()) {
    SetError(Error, f.errorString());
    f.cancelWriting();
    return false;
  }
  if (!f.commit()) {
    SetError(Error, f.errorString());
    return false;
  }
  return true;
}

bool WriteTextFile(const QString& FileName, const QString& Text, QString* Error) {
  return WriteFileBytes(FileName, Text.toUtf8(), Error);
}

bool WriteTextLines(const QString& FileName, const QStringList& Lines, QString* Error) {
  QByteArray Bytes;
  for (const QString& Line : Lines) {
    Bytes += Line.toUtf8();
    Bytes += '\n';
  }
  return WriteFileBytes(FileName, Bytes, Error);
}
