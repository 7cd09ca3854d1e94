#pragma once
// Text files as lines: read with any line ending (CR LF, LF or CR) as UTF-8
// or code page 1252, whichever the bytes are; written as UTF-8 with LF,
// atomically, so a failed write leaves the old file as it was.

#include <QString>
#include <QStringList>

// Files beyond this size are refused rather than read into memory.
inline constexpr qint64 MaxTextFileSize = 256LL * 1024 * 1024;

// Splits text at CR LF, LF or lone CR; a terminator at the very end does not
// add an empty last line.
QStringList SplitLines(const QString& Text);

// False (with a reason in *Error) when the file does not exist or cannot be
// read; Lines is left untouched then.
bool ReadTextLines(const QString& FileName, QStringList& Lines, QString* Error = nullptr);
bool ReadTextFile(const QString& FileName, QString& Text, QString* Error = nullptr);

// Every line, the last included, ends with LF. False (with a reason) when
// the file could not be written; the previous file is then unchanged.
bool WriteTextLines(const QString& FileName, const QStringList& Lines, QString* Error = nullptr);
bool WriteTextFile(const QString& FileName, const QString& Text, QString* Error = nullptr);
// Atomic write of raw bytes, for formats that keep their own encoding.
bool WriteFileBytes(const QString& FileName, const QByteArray& Bytes, QString* Error = nullptr);
