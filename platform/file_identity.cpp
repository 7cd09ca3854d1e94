#include "platform/file_identity.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>
#include <algorithm>
#include <vector>

namespace {
struct TUnread {
  dev_t Device;
  ino_t Inode;
  // When the file was last changed as it was refused: the same inode with other contents (a file
  // copied over it, or an inode used again for a new file) is another file.
  timespec Modified;
};

std::vector<TUnread>& Unread() {
  static std::vector<TUnread> Files;
  return Files;
}

bool StatFile(const QString& FileName, struct stat& St) {
  return !FileName.isEmpty() && ::stat(QFile::encodeName(FileName).constData(), &St) == 0;
}

auto Find(const struct stat& St) {
  return std::find_if(Unread().begin(), Unread().end(), [&](const TUnread& U) {
    return U.Device == St.st_dev && U.Inode == St.st_ino;
  });
}
}  // namespace

void NoteUnreadFile(const QString& FileName) {
  struct stat St {};
  if (!StatFile(FileName, St)) return;
  const auto It = Find(St);
  const TUnread U{St.st_dev, St.st_ino, St.st_mtim};
  if (It == Unread().end())
    Unread().push_back(U);
  else
    *It = U;
}

void NoteFileRead(const QString& FileName) {
  struct stat St {};
  if (!StatFile(FileName, St)) return;
  if (const auto It = Find(St); It != Unread().end()) Unread().erase(It);
}

bool IsUnreadFile(const struct stat& St) {
  const auto It = Find(St);
  return It != Unread().end() && It->Modified.tv_sec == St.st_mtim.tv_sec &&
         It->Modified.tv_nsec == St.st_mtim.tv_nsec;
}

void ForgetUnreadFiles() { Unread().clear(); }

bool IsUnreadFile(const QString& FileName) {
  struct stat St {};
  return StatFile(FileName, St) && IsUnreadFile(St);
}

QString CleanFileName(const QString& FileName) {
  if (FileName.isEmpty()) return FileName;
  const QString Clean = QDir::cleanPath(FileName);
  if (Clean == FileName) return FileName;
  // The folders as the system finds them: ".." goes up from where a link leads, not from the
  // link's own place.
  const qsizetype Slash = FileName.lastIndexOf('/');
  const QString Folder =
      Slash < 0 ? QStringLiteral(".") : FileName.left(std::max<qsizetype>(Slash, 1));
  const QString Real = QFileInfo(Folder).canonicalFilePath();
  const QString CleanReal = QFileInfo(QFileInfo(Clean).path()).canonicalFilePath();
  if (Real.isEmpty() || CleanReal.isEmpty() || Real == CleanReal) return Clean;
  const QString Name = FileName.mid(Slash + 1);
  return QDir::cleanPath(Real + '/' + (Name.isEmpty() ? QStringLiteral(".") : Name));
}
