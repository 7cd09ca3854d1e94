#pragma once
// A file system of 64 KB mounted for one test, to see what writers do when the disk is full.
// Mounting needs privileges; a test that cannot have one says so and is skipped.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>
#include <string>

class TSmallDisk {
 public:
  explicit TSmallDisk(const char* Options = "size=64k") {
    if (!FDir.isValid()) {
      FReason = "no temporary directory";
      return;
    }
    const QByteArray Path = QFile::encodeName(FDir.path());
    if (::mount("tmpfs", Path.constData(), "tmpfs", 0, Options) != 0) {
      FReason = std::string("cannot mount a small tmpfs: ") + std::strerror(errno);
      return;
    }
    FMounted = true;
  }
  ~TSmallDisk() {
    if (FMounted) ::umount2(QFile::encodeName(FDir.path()).constData(), MNT_DETACH);
  }
  TSmallDisk(const TSmallDisk&) = delete;
  TSmallDisk& operator=(const TSmallDisk&) = delete;

  bool Mounted() const { return FMounted; }
  const std::string& Reason() const { return FReason; }
  QString Path(const QString& Name) const { return FDir.path() + "/" + Name; }

  // Takes every free byte, so the next write fails with "No space left on device".
  void Fill() const {
    const QByteArray F = QFile::encodeName(Path(".filler"));
    const int Fd = ::open(F.constData(), O_WRONLY | O_CREAT | O_APPEND, 0600);
    if (Fd < 0) return;
    char Block[512];
    std::memset(Block, 'x', sizeof Block);
    while (::write(Fd, Block, sizeof Block) > 0) {
    }
    while (::write(Fd, Block, 1) > 0) {
    }
    ::close(Fd);
  }
  // Takes every free file entry (the space stays), so no new file can be made.
  void FillEntries() const {
    for (int I = 0;; ++I) {
      const int Fd = ::open(QFile::encodeName(Path(".e" + QString::number(I))).constData(),
                            O_WRONLY | O_CREAT | O_EXCL, 0600);
      if (Fd < 0) return;
      ::close(Fd);
    }
  }
  // Gives the space back.
  void Free() const { QFile::remove(Path(".filler")); }

 private:
  QTemporaryDir FDir;
  bool FMounted = false;
  std::string FReason;
};

// A folder whose files can be read but not written or replaced, for anyone (root included): the
// folder is mounted over itself read-only. Without the privilege to mount, a folder without write
// permission does the same for anyone but root.
class TReadOnlyFolder {
 public:
  TReadOnlyFolder() {
    const QByteArray P = QFile::encodeName(FDir.path());
    if (::mount(P.constData(), P.constData(), nullptr, MS_BIND, nullptr) == 0) {
      FMounted = true;
      return;
    }
    FReason = std::string("cannot mount a folder read-only: ") + std::strerror(errno);
  }
  ~TReadOnlyFolder() {
    if (FMounted) ::umount2(QFile::encodeName(FDir.path()).constData(), MNT_DETACH);
    QFile::setPermissions(FDir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  }
  TReadOnlyFolder(const TReadOnlyFolder&) = delete;
  TReadOnlyFolder& operator=(const TReadOnlyFolder&) = delete;

  QString Path(const QString& Name) const { return FDir.path() + "/" + Name; }
  // Makes the folder read-only after its files have been written; false (with the reason) when
  // it cannot be made so for this user.
  bool Lock() {
    const QByteArray P = QFile::encodeName(FDir.path());
    if (FMounted) {
      if (::mount(nullptr, P.constData(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) == 0)
        return true;
      FReason = std::string("cannot remount read-only: ") + std::strerror(errno);
      return false;
    }
    if (::geteuid() == 0) return false;  // permissions do not stop root
    return QFile::setPermissions(FDir.path(), QFile::ReadOwner | QFile::ExeOwner);
  }
  const std::string& Reason() const { return FReason; }

 private:
  QTemporaryDir FDir;
  bool FMounted = false;
  std::string FReason;
};

#define SKIP_WITHOUT_SMALL_DISK(Disk) \
  if (!(Disk).Mounted()) GTEST_SKIP() << "full-disk case not run: " << (Disk).Reason()
