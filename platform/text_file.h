#pragma once
// Text files as lines: read with any line ending (CR LF, LF or CR) as UTF-8, code page 1252 or
// UTF-16 with a byte-order mark, whichever the bytes are; written as UTF-8 with LF, atomically,
// so a failed write, flush or commit leaves the old file as it was.
//
// Only regular files are read: a directory, a device or a pipe is refused before a byte is
// read, and no reader takes more than its limit, whatever size the file system reports.

#include <QByteArray>
#include <QString>
#include <QStringList>

// Files beyond this size are refused rather than read into memory.
inline constexpr qint64 MaxTextFileSize = 256LL * 1024 * 1024;
// The lists a user keeps in files (functions, variables, constants, the histories) become list
// entries and parsed definitions, many times the size of their text and a few hundred bytes a
// line: their files are refused beyond these, so that none that is read can exhaust the memory.
inline constexpr qint64 MaxListFileSize = 32LL * 1024 * 1024;
inline constexpr qsizetype MaxListFileLines = 500000;

// What went wrong with a file: the system's own reason (System, with its error number) or ours.
enum class TFileError {
  None,
  Missing,      // a file to read does not exist
  Directory,    // a folder where a file was asked for
  NotRegular,   // a device, a pipe or a socket
  TooLarge,     // beyond the reader's limit
  ReadOnly,     // no write bit, or the system refused to open it for writing
  LinkLoop,     // links that lead round in a circle, never to a file
  NoName,       // an empty file name
  NotMade,      // the bytes to write could not be made (an empty picture)
  KeptUnread,   // a file that could not be read is not replaced by a save
  BadContents,  // read whole, but not what it should hold (no picture, a damaged one)
  System
};
enum class TFileOp { Read, Write };

// What a read or a write found: what failed, for which file and why. Messages are made from it by
// FileFailureText, never by taking a reason back out of a text.
struct [[nodiscard]] TFileStatus {
  TFileError Code = TFileError::None;
  TFileOp Op = TFileOp::Read;
  QString FileName;  // the name asked for, links not followed: the one the user knows
  int Errno = 0;     // with System, and with our codes that the system also noticed
  QString Why;       // the reason without the file's name ("it is a directory"); empty when Ok

  bool Ok() const { return Code == TFileError::None; }
  bool Missing() const { return Code == TFileError::Missing; }
  explicit operator bool() const { return Ok(); }
  // The name and the reason in one sentence ("X is a directory", "X: Permission denied").
  QString Text() const;
};
using TReadStatus = TFileStatus;

// The one message for a failed read or write: Words first (a page's own words, with %1 where the
// file's name goes, else the name follows them), the name once, then the reason. Without Words it
// says that the file could not be read, or written.
QString FileFailureText(const TFileStatus& Status, const QString& Words = {});

// How a file's text was stored, so that a rewrite can keep the bytes it does not change.
enum class TTextEncoding { Utf8, Utf8Bom, Cp1252, Utf16Le, Utf16Be };

// Splits text at CR LF, LF or lone CR; a terminator at the very end does not
// add an empty last line.
QStringList SplitLines(const QString& Text);

// The raw bytes of a regular file of at most Limit bytes.
TReadStatus ReadFileBytes(const QString& FileName, QByteArray& Bytes,
                          qint64 Limit = MaxTextFileSize);

// False (with a reason in *Error) when the file does not exist or cannot be
// read; Lines is left untouched then. Status, when given, tells which.
bool ReadTextLines(const QString& FileName, QStringList& Lines, QString* Error = nullptr,
                   TReadStatus* Status = nullptr);
// The same for a list file: refused beyond MaxListFileSize bytes or MaxListFileLines lines (with
// a reason that says which) before a line is made. A file that is there but is refused is kept
// from every save (NoteUnreadFile).
bool ReadListLines(const QString& FileName, QStringList& Lines, QString* Error = nullptr,
                   TReadStatus* Status = nullptr);
bool ReadTextFile(const QString& FileName, QString& Text, QString* Error = nullptr,
                  TReadStatus* Status = nullptr, TTextEncoding* Encoding = nullptr);

// The text of a file as kept UTF-8 (see codepage.h; the bytes themselves when they are UTF-8, so
// that a large file is not held twice), with the encoding it was read in and, when asked, a digest
// of its bytes.
TReadStatus ReadTextUtf8(const QString& FileName, QByteArray& Utf8, TTextEncoding* Encoding,
                         QByteArray* Digest = nullptr, qint64 Limit = MaxTextFileSize);
// The digest of a file's bytes as ReadTextUtf8 gives it (read in pieces, whatever its size);
// empty when it cannot be read. TextDigest is the same of bytes in memory.
QByteArray FileDigest(const QString& FileName);
QByteArray TextDigest(const QByteArray& Bytes);

// UTF-8 for a file: a text that begins with U+FEFF gets a byte-order mark before it, else a
// reader would take that character for one.
void KeepLeadingFeff(QByteArray& Utf8);
// Every line, the last included, ends with LF. A failure leaves the previous file unchanged.
TFileStatus WriteTextLines(const QString& FileName, const QStringList& Lines);
TFileStatus WriteTextFile(const QString& FileName, const QString& Text);
// Atomic write of raw bytes, for formats that keep their own encoding: the bytes go to a new
// file beside the target, which replaces the target only when every byte reached the disk.
// An existing target that is no regular file (a directory, a device) or that may not be written
// is refused, symbolic links are followed to the file they name, and the old file's permissions
// are kept; a file without any write bit is read-only for root too. Where the folder takes no new
// file, a writable file is overwritten in place instead, its space reserved first; should a write
// fail all the same, the old contents are written back; so too where the folder refuses to let
// the old file be replaced (a sticky folder, another user's file). A loop of links is refused,
// and stays, and so is a file that could not be read in this run (IsUnreadFile), whatever name
// leads to it. Messages name the file in its clean spelling (CleanFileName).
TFileStatus WriteFileBytes(const QString& FileName, const QByteArray& Bytes);
// Whether WriteFileBytes may put a file there: an existing one (links followed) must be a regular
// file that may be written, a new one needs its folder. The reason as the writer would give it.
TFileStatus CanWriteFile(const QString& FileName);
// For tests: the next write through the writer fails as on a full disk once this many bytes have
// gone (then writes work again); negative: never.
void SetFailWritesAfter(qint64 Bytes);
// For tests: the writer's next rename over the old file fails with this error number.
void SetFailNextRename(int Errno);

// The refusal to save over a file that exists but could not be read: what it held would be lost.
TFileStatus UnreadFileKept(const QString& FileName);

// Text in an encoding, as a rewrite of a file read in it should store it. Characters that the
// encoding cannot hold make the answer false (Bytes then undefined).
bool EncodeText(const QString& Text, TTextEncoding Encoding, QByteArray& Bytes);
// The same of kept UTF-8 (as the readers give it: every byte of the file it came from comes back).
bool EncodeUtf8Text(const QByteArray& Utf8, TTextEncoding Encoding, QByteArray& Bytes);
// The same without the byte-order mark, appended to Bytes (whole characters at a time, so that a
// text can be encoded line by line).
bool AppendKeptText(QByteArrayView Utf8, TTextEncoding Encoding, QByteArray& Bytes);
QByteArrayView ByteOrderMark(TTextEncoding Encoding);  // empty for UTF-8 and code page 1252
