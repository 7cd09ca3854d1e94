#pragma once
// Pictures read from files that the user or a settings file names (a back image, a logo): any
// format Qt decodes (PNG, JPEG, GIF, BMP among them), the file deciding rather than its name.
// Only regular files are read, so a device or a pipe is refused before a byte is read; a file
// past the size limit is refused unread, and a picture whose pixels would not fit the memory
// limit is refused before it is decoded (and, should its decoder make it larger than its header
// said, after).
#include <QByteArray>
#include <QImage>
#include <QString>

#include "platform/text_file.h"

inline constexpr qint64 MaxImageFileSize = 64LL * 1024 * 1024;
inline constexpr int MaxImageSide = 32768;
inline constexpr qint64 MaxImagePixels = 32LL * 1024 * 1024;  // 128 MB at 4 bytes a pixel
// All that reading one picture may take: its file's bytes, the picture, a copy in another format
// and the decoder's own buffers (a progressive JPEG keeps its coefficients, up to 8 bytes a
// pixel), so fewer pixels are taken from formats whose decoders need more.
inline constexpr qint64 MaxImageReadBytes = 256LL * 1024 * 1024;

// Fails, saying why, for a missing, irregular, unreadable, too large or undecodable file; Image is
// untouched then.
TFileStatus ReadImageFile(const QString& FileName, QImage& Image);
// The words before the file's name when a picture chosen by the user could not be read.
inline const QString PictureNotLoadedWords = QStringLiteral("Cannot load the picture");
// The same for bytes already read; Name, when given, is the file the message names.
bool ReadImageData(const QByteArray& Data, QImage& Image, QString* Error = nullptr,
                   const QString& Name = QString());

// The file dialog filter of every picture format offered for reading.
QString PictureFileFilter();
