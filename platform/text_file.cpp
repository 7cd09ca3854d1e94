#include "platform/text_file.h"

#include "platform/codepage.h"
#include "platform/file_identity.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

namespace {
QString SystemError(int Code) { return QString::fromLocal8Bit(std::strerror(Code)); }

// Closes a descriptor at the end of its scope.
struct TFd {
  int Fd = -1;
  ~TFd() {
    if (Fd >= 0) ::close(Fd);
  }
};

// Why is what follows the file's name: a sentence about it ("is a directory") or a reason.
TFileStatus Fail(TFileError Code, const QString& FileName, const QString& Why, int Errno = 0,
                 TFileOp Op = TFileOp::Read) {
  const bool Sentence = Why.startsWith(QStringLiteral("is ")) ||
                        Why.startsWith(QStringLiteral("does ")) ||
                        Why.startsWith(QStringLiteral("has "));
  return {Code, Op, FileName, Errno, Sentence ? "it " + Why : Why};
}

TFileStatus SystemFail(int Errno, const QString& FileName, TFileOp Op) {
  const TFileError Code = Errno == ELOOP                           ? TFileError::LinkLoop
                          : Errno == ENOENT && Op == TFileOp::Read ? TFileError::Missing
                          : Errno == EISDIR                        ? TFileError::Directory
                          : Errno == EROFS                         ? TFileError::ReadOnly
                                                                   : TFileError::System;
  return Fail(Code, FileName, SystemError(Errno), Errno, Op);
}

TFileStatus WriteFail(TFileError Code, const QString& FileName, const QString& Why) {
  return Fail(Code, FileName, Why, 0, TFileOp::Write);
}

mode_t CurrentUmask() {
  static const mode_t Mask = [] {
    const mode_t M = ::umask(022);
    ::umask(M);
    return M;
  }();
  return Mask;
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

TReadStatus ReadFileBytes(const QString& FileName, QByteArray& Bytes, qint64 Limit) {
  const QByteArray Path = QFile::encodeName(FileName);
  TFd F;
  // Not blocking, so that a pipe does not wait for a writer; it is refused just below.
  F.Fd = ::open(Path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (F.Fd < 0) {
    const int E = errno;
    if (E == ENOENT) return Fail(TFileError::Missing, FileName, "does not exist", E);
    return SystemFail(E, FileName, TFileOp::Read);
  }
  struct stat St {};
  if (::fstat(F.Fd, &St) != 0) return SystemFail(errno, FileName, TFileOp::Read);
  if (S_ISDIR(St.st_mode)) return Fail(TFileError::Directory, FileName, "is a directory");
  if (!S_ISREG(St.st_mode)) return Fail(TFileError::NotRegular, FileName, "is not a regular file");
  const QString TooLarge = Limit >= 1024 * 1024
                               ? QStringLiteral("is larger than %1 MB").arg(Limit / (1024 * 1024))
                               : QStringLiteral("is larger than %1 bytes").arg(Limit);
  if (St.st_size > Limit) return Fail(TFileError::TooLarge, FileName, TooLarge);
  // The size is only a hint (a file may grow while it is read): the limit holds while reading.
  QByteArray Data;
  Data.reserve(static_cast<qsizetype>(St.st_size) + 1);
  char Chunk[65536];
  for (;;) {
    const ssize_t N = ::read(F.Fd, Chunk, sizeof Chunk);
    if (N < 0) {
      if (errno == EINTR) continue;
      return SystemFail(errno, FileName, TFileOp::Read);
    }
    if (N == 0) break;
    if (Data.size() + N > Limit) return Fail(TFileError::TooLarge, FileName, TooLarge);
    Data.append(Chunk, static_cast<qsizetype>(N));
  }
  Bytes = std::move(Data);
  return {};
}

bool ReadTextFile(const QString& FileName, QString& Text, QString* Error, TReadStatus* Status,
                  TTextEncoding* Encoding) {
  QByteArray Bytes;
  const TReadStatus S = ReadFileBytes(FileName, Bytes);
  if (Status) *Status = S;
  if (!S.Ok()) {
    if (Error) *Error = S.Text();
    return false;
  }
  Text =
      DecodeText(std::string_view(Bytes.constData(), static_cast<size_t>(Bytes.size())), Encoding);
  return true;
}

TReadStatus ReadTextUtf8(const QString& FileName, QByteArray& Utf8, TTextEncoding* Encoding,
                         QByteArray* Digest, qint64 Limit) {
  QByteArray Bytes;
  const TReadStatus S = ReadFileBytes(FileName, Bytes, Limit);
  if (!S.Ok()) return S;
  if (Digest) *Digest = TextDigest(Bytes);
  const std::string_view View(Bytes.constData(), static_cast<size_t>(Bytes.size()));
  TTextEncoding Found = DetectEncoding(View);
  // UTF-8 is taken over as it is, so that a large file is not held twice.
  if (Found == TTextEncoding::Utf8Bom && IsValidUtf8(View.substr(3))) {
    Bytes.remove(0, 3);
    Utf8 = std::move(Bytes);
  } else if (Found == TTextEncoding::Utf8) {
    Utf8 = std::move(Bytes);
  } else {
    Utf8 = KeptUtf8(View.substr(ByteOrderMark(Found).size()), Found);
  }
  if (Encoding) *Encoding = Found;
  return S;
}

QByteArray TextDigest(const QByteArray& Bytes) {
  return QCryptographicHash::hash(Bytes, QCryptographicHash::Sha1);
}

QByteArray FileDigest(const QString& FileName) {
  QFile F(FileName);
  QCryptographicHash Hash(QCryptographicHash::Sha1);
  if (!QFileInfo(FileName).isFile() || !F.open(QIODevice::ReadOnly) || !Hash.addData(&F)) return {};
  return Hash.result();
}

namespace {
// Split as UTF-8 bytes and decoded a line at a time, so that the whole text is never held twice
// beside its lines; a file of more than MaxLines lines is refused before a line is made.
bool ReadLinesWithin(const QString& FileName, QStringList& Lines, QString* Error,
                     TReadStatus* Status, qint64 MaxBytes, qsizetype MaxLines) {
  QByteArray Utf8;
  TReadStatus S = ReadTextUtf8(FileName, Utf8, nullptr, nullptr, MaxBytes);
  const char* P = Utf8.constData();
  const qsizetype N = Utf8.size();
  if (S.Ok() && MaxLines >= 0) {
    // Line ends (CR LF counted once), and a last line without one.
    qsizetype Count = N > 0 && P[N - 1] != '\n' && P[N - 1] != '\r' ? 1 : 0;
    for (qsizetype I = 0; I < N; ++I)
      if (P[I] == '\n' || (P[I] == '\r' && (I + 1 == N || P[I + 1] != '\n'))) ++Count;
    if (Count > MaxLines)
      S = Fail(TFileError::TooLarge, FileName,
               QStringLiteral("has more than %1 lines").arg(MaxLines));
  }
  if (Status) *Status = S;
  if (!S.Ok()) {
    if (Error) *Error = S.Text();
    return false;
  }
  QStringList Read;
  qsizetype Start = 0;
  for (qsizetype I = 0; I < N; ++I) {
    if (P[I] != '\r' && P[I] != '\n') continue;
    Read << KeptText(P + Start, I - Start);
    if (P[I] == '\r' && I + 1 < N && P[I + 1] == '\n') ++I;
    Start = I + 1;
  }
  if (Start < N) Read << KeptText(P + Start, N - Start);
  Lines = std::move(Read);
  return true;
}
}  // namespace

bool ReadTextLines(const QString& FileName, QStringList& Lines, QString* Error,
                   TReadStatus* Status) {
  return ReadLinesWithin(FileName, Lines, Error, Status, MaxTextFileSize, -1);
}

bool ReadListLines(const QString& FileName, QStringList& Lines, QString* Error,
                   TReadStatus* Status) {
  TReadStatus S;
  const bool Ok = ReadLinesWithin(FileName, Lines, Error, &S, MaxListFileSize, MaxListFileLines);
  // The lists are saved back where they came from: a file that is there and was refused keeps
  // what it holds.
  if (!Ok && !S.Missing()) NoteUnreadFile(FileName);
  if (Status) *Status = S;
  return Ok;
}

namespace {
qint64& FailWritesAfter() {
  static qint64 Bytes = -1;
  return Bytes;
}

int& FailRenameWith() {
  static int Code = 0;
  return Code;
}

int Rename(const char* From, const char* To) {
  if (const int Code = std::exchange(FailRenameWith(), 0); Code != 0) return Code;
  return ::rename(From, To) == 0 ? 0 : errno;
}

// 0 when every byte reached the descriptor, else the error number.
int WriteAll(int Fd, const QByteArray& Bytes) {
  const char* P = Bytes.constData();
  qsizetype Left = Bytes.size();
  while (Left > 0) {
    size_t Ask = static_cast<size_t>(Left);
    qint64& Budget = FailWritesAfter();
    if (Budget == 0) {
      Budget = -1;  // one failure, as a disk that fills and is freed again
      return ENOSPC;
    }
    if (Budget > 0) Ask = std::min<size_t>(Ask, static_cast<size_t>(Budget));
    const ssize_t N = ::write(Fd, P, Ask);
    if (N < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (N == 0) return ENOSPC;
    if (Budget > 0) Budget -= N;
    P += N;
    Left -= N;
  }
  return 0;
}

// Writes Bytes over the file's contents and cuts it to their length; 0 or the error number.
int Overwrite(int Fd, const QByteArray& Bytes) {
  if (::lseek(Fd, 0, SEEK_SET) != 0) return errno;
  if (const int Code = WriteAll(Fd, Bytes); Code != 0) return Code;
  return ::ftruncate(Fd, static_cast<off_t>(Bytes.size())) == 0 ? 0 : errno;
}

// For a folder that takes no new file but whose file may be written. Not atomic, so the disk
// space is reserved first (a full disk refuses before the first old byte goes), and should a
// write fail all the same, the old contents go back.
int WriteInPlace(TFd& File, const QString& Target, const QByteArray& Bytes) {
  QByteArray Old;
  const bool Kept = ReadFileBytes(Target, Old).Ok();
  int Code = Bytes.isEmpty() ? 0 : ::posix_fallocate(File.Fd, 0, static_cast<off_t>(Bytes.size()));
  // Other answers mean the file system cannot reserve; the write itself finds out then.
  if (Code != ENOSPC && Code != EDQUOT && Code != EFBIG) Code = 0;
  if (Code == 0) Code = Overwrite(File.Fd, Bytes);
  // A reservation may have grown the file before it failed: the old length comes back too.
  if (Code != 0 && Kept) Overwrite(File.Fd, Old);
  if (Code == 0 && ::fsync(File.Fd) != 0 && errno != EINVAL && errno != EROFS) Code = errno;
  const int Fd = File.Fd;
  File.Fd = -1;
  if (::close(Fd) != 0 && Code == 0) Code = errno;
  return Code;
}

// The file a name leads to through any chain of links (a link to a link included); the name
// itself when it is no link.
QString LinkedFile(const QString& FileName) {
  QString Target = FileName;
  for (int Hop = 0; Hop < 40; ++Hop) {  // a loop of links is left to OpenOld to refuse
    const QFileInfo Info(Target);
    if (!Info.isSymLink()) break;
    const QString Next = Info.symLinkTarget();
    if (Next.isEmpty()) break;
    Target = Next;
  }
  return Target;
}

// The old file at Target, opened for writing: a file its owner made read-only is not replaced
// behind his back by a new one renamed over it (which only the folder's rights would stop). Old
// stays closed and Mode is the new file's when there is none. Only a name that leads nowhere is
// no old file: a loop of links, or a folder that may not be searched, is refused, else the new
// file would be renamed over the last link and the links would be gone.
TFileStatus OpenOld(const QString& FileName, const QString& Target, TFd& Old, mode_t& Mode) {
  const QByteArray TargetPath = QFile::encodeName(Target);
  Mode = 0666 & ~CurrentUmask();
  struct stat St {};
  if (::stat(TargetPath.constData(), &St) != 0) {
    if (errno == ENOENT) return {};
    return SystemFail(errno, FileName, TFileOp::Write);
  }
  if (S_ISDIR(St.st_mode)) return WriteFail(TFileError::Directory, FileName, "is a directory");
  if (!S_ISREG(St.st_mode))
    return WriteFail(TFileError::NotRegular, FileName, "is not a regular file");
  if (IsUnreadFile(St)) return UnreadFileKept(FileName);
  Mode = St.st_mode & 07777;
  // No write bit is read-only for everyone, root included, who may open it all the same.
  if ((Mode & 0222) == 0) return WriteFail(TFileError::ReadOnly, FileName, "is read-only");
  Old.Fd = ::open(TargetPath.constData(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (Old.Fd >= 0) return {};
  const int Code = errno;
  if (Code == EACCES || Code == EPERM)
    return Fail(TFileError::ReadOnly, FileName, "is read-only", Code, TFileOp::Write);
  return SystemFail(Code, FileName, TFileOp::Write);
}

// The file a name leads to, its links followed (so that they stay and the file they name gets the
// new text), and its old file opened as OpenOld does.
TFileStatus OpenTarget(const QString& FileName, QString& Target, TFd& Old, mode_t& Mode) {
  if (FileName.isEmpty()) return WriteFail(TFileError::NoName, FileName, "no file name was given");
  Target = LinkedFile(FileName);
  return OpenOld(FileName, Target, Old, Mode);
}
}  // namespace

void SetFailWritesAfter(qint64 Bytes) { FailWritesAfter() = Bytes; }
void SetFailNextRename(int Errno) { FailRenameWith() = Errno; }

TFileStatus CanWriteFile(const QString& Asked) {
  const QString FileName = CleanFileName(Asked);
  QString Target;
  TFd Old;
  mode_t Mode = 0;
  if (TFileStatus S = OpenTarget(FileName, Target, Old, Mode); !S.Ok()) return S;
  if (Old.Fd >= 0 || QFileInfo(QFileInfo(Target).absolutePath()).isDir()) return {};
  return SystemFail(ENOENT, FileName, TFileOp::Write);
}

TFileStatus WriteFileBytes(const QString& Asked, const QByteArray& Bytes) {
  // The name as the messages show it, and as the file is reached: the same file either way.
  const QString FileName = CleanFileName(Asked);
  QString Target;
  TFd Old;
  mode_t Mode = 0;
  if (TFileStatus S = OpenTarget(FileName, Target, Old, Mode); !S.Ok()) return S;
  const auto Done = [&](int Code) {
    return Code == 0 ? TFileStatus{} : SystemFail(Code, FileName, TFileOp::Write);
  };
  const QByteArray TargetPath = QFile::encodeName(Target);
  const QFileInfo TargetInfo(Target);
  QByteArray Temp =
      QFile::encodeName(TargetInfo.absolutePath() + "/." + TargetInfo.fileName() + ".XXXXXX");
  TFd F;
  F.Fd = ::mkstemp(Temp.data());
  if (F.Fd < 0) {
    const int Code = errno;
    // No new file: a closed folder, or a disk without a free file entry (its reservation then
    // tells whether there is room).
    if (Old.Fd >= 0 && (Code == EACCES || Code == EPERM || Code == ENOSPC || Code == EDQUOT))
      return Done(WriteInPlace(Old, Target, Bytes));
    return Done(Code);
  }
  auto Abandon = [&](int Code) {
    if (F.Fd >= 0) ::close(F.Fd);
    F.Fd = -1;
    ::unlink(Temp.constData());
    return Done(Code);
  };
  if (const int Code = WriteAll(F.Fd, Bytes); Code != 0) return Abandon(Code);
  if (::fchmod(F.Fd, Mode) != 0) return Abandon(errno);
  if (::fsync(F.Fd) != 0 && errno != EINVAL && errno != EROFS) return Abandon(errno);
  const int Fd = F.Fd;
  F.Fd = -1;
  if (::close(Fd) != 0) return Abandon(errno);
  if (const int Code = Rename(Temp.constData(), TargetPath.constData()); Code != 0) {
    // A folder may let a file be written but not replaced (the sticky bit keeps another user's
    // file in place): rewritten in place, as where the folder takes no new file.
    if (Old.Fd < 0 || (Code != EPERM && Code != EACCES && Code != EBUSY)) return Abandon(Code);
    ::unlink(Temp.constData());
    return Done(WriteInPlace(Old, Target, Bytes));
  }
  return Done(0);
}

void KeepLeadingFeff(QByteArray& Utf8) {
  if (Utf8.startsWith("\xEF\xBB\xBF")) Utf8.prepend("\xEF\xBB\xBF");
}

TFileStatus WriteTextFile(const QString& FileName, const QString& Text) {
  QByteArray Bytes = Utf8Of(Text);
  KeepLeadingFeff(Bytes);
  return WriteFileBytes(FileName, Bytes);
}

TFileStatus WriteTextLines(const QString& FileName, const QStringList& Lines) {
  QByteArray Bytes;
  // Room for plain text at once: grown step by step, a large file would be held twice meanwhile.
  qsizetype Size = 0;
  for (const QString& Line : Lines) Size += Line.size() + 1;
  Bytes.reserve(Size);
  for (const QString& Line : Lines) {
    Bytes += Utf8Of(Line);
    Bytes += '\n';
  }
  KeepLeadingFeff(Bytes);
  return WriteFileBytes(FileName, Bytes);
}

QByteArrayView ByteOrderMark(TTextEncoding Encoding) {
  switch (Encoding) {
    case TTextEncoding::Utf8Bom:
      return "\xEF\xBB\xBF";
    case TTextEncoding::Utf16Le:
      return "\xFF\xFE";
    case TTextEncoding::Utf16Be:
      return "\xFE\xFF";
    case TTextEncoding::Utf8:
    case TTextEncoding::Cp1252:
      break;
  }
  return {};
}

bool AppendKeptText(QByteArrayView Utf8, TTextEncoding Encoding, QByteArray& Bytes) {
  const char* P = Utf8.data();
  const qsizetype N = Utf8.size();
  const bool Little = Encoding == TTextEncoding::Utf16Le;
  const auto PutUnit = [&](char16_t U) {
    const char Lo = static_cast<char>(U & 0xFF), Hi = static_cast<char>(U >> 8);
    Bytes += Little ? Lo : Hi;
    Bytes += Little ? Hi : Lo;
  };
  for (qsizetype I = 0; I < N;) {
    const auto B = static_cast<unsigned char>(P[I]);
    const TKeptChar K = B < 0x80 ? TKeptChar{B, 1} : NextKeptChar(P + I, N - I);
    const QByteArrayView Seq(P + I, K.Size);
    I += K.Size;
    if (K.Code >= KeptByteBase) {
      Bytes += static_cast<char>(K.Code - KeptByteBase);  // a byte that was no character
      continue;
    }
    switch (Encoding) {
      case TTextEncoding::Utf8:
      case TTextEncoding::Utf8Bom:
        if (IsSurrogate(K.Code))
          Bytes += "\xEF\xBF\xBD";  // UTF-8 cannot hold a unit without its pair
        else
          Bytes += Seq;
        break;
      case TTextEncoding::Cp1252: {
        const unsigned char C = UnicodeToCp1252(K.Code);
        if (C == Cp1252Replacement && K.Code != Cp1252Replacement) return false;
        Bytes += static_cast<char>(C);
        break;
      }
      case TTextEncoding::Utf16Le:
      case TTextEncoding::Utf16Be:
        if (K.Code >= 0x10000) {
          PutUnit(QChar::highSurrogate(K.Code));
          PutUnit(QChar::lowSurrogate(K.Code));
        } else {
          PutUnit(static_cast<char16_t>(K.Code));
        }
        break;
    }
  }
  return true;
}

bool EncodeUtf8Text(const QByteArray& Utf8, TTextEncoding Encoding, QByteArray& Bytes) {
  const bool Utf16 = Encoding == TTextEncoding::Utf16Le || Encoding == TTextEncoding::Utf16Be;
  Bytes.clear();
  Bytes.reserve(Utf16 ? 2 + 2 * Utf8.size() : 3 + Utf8.size());
  Bytes += ByteOrderMark(Encoding);
  return AppendKeptText(Utf8, Encoding, Bytes);
}

bool EncodeText(const QString& Text, TTextEncoding Encoding, QByteArray& Bytes) {
  return EncodeUtf8Text(Utf8Of(Text), Encoding, Bytes);
}

TFileStatus UnreadFileKept(const QString& FileName) {
  return {TFileError::KeptUnread, TFileOp::Write, FileName, 0,
          QStringLiteral("it could not be read, and saving would replace it")};
}

QString TFileStatus::Text() const {
  if (Ok()) return {};
  return Why.startsWith(QStringLiteral("it ")) ? FileName + Why.mid(2) : FileName + ": " + Why;
}

QString FileFailureText(const TFileStatus& Status, const QString& Words) {
  if (Status.Ok()) return {};
  QString Lead = Words;
  if (Lead.isEmpty())
    Lead = Status.Op == TFileOp::Write ? QStringLiteral("The file %1 could not be written")
                                       : QStringLiteral("The file %1 could not be read");
  Lead = Lead.contains(QStringLiteral("%1")) ? Lead.arg(Status.FileName)
                                             : Lead + ' ' + Status.FileName;
  return Lead + QStringLiteral(": ") + Status.Why;
}
