#pragma once
// Tests of unreadable files and read-only folders run as root in CI, where file permissions are
// ignored: root passes them through CAP_DAC_OVERRIDE and CAP_DAC_READ_SEARCH. While an object of
// this class lives, the calling thread has those two dropped from its effective set, so the
// kernel checks permissions for it as it does for the file's owner. They stay in the permitted
// set and are raised again by the destructor.
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <QFile>
#include <QString>

class TScopedFileRights {
 public:
  TScopedFileRights() {
    FHeader.version = _LINUX_CAPABILITY_VERSION_3;
    FHeader.pid = 0;
    if (syscall(SYS_capget, &FHeader, FSaved) != 0) return;
    __user_cap_data_struct Lowered[2] = {FSaved[0], FSaved[1]};
    Lowered[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
    FChanged = syscall(SYS_capset, &FHeader, Lowered) == 0;
  }
  ~TScopedFileRights() {
    if (FChanged) syscall(SYS_capset, &FHeader, FSaved);
  }
  TScopedFileRights(const TScopedFileRights&) = delete;
  TScopedFileRights& operator=(const TScopedFileRights&) = delete;

  // Whether permissions really bind this thread now: a file that cannot be created in Dir.
  // (access(), and so QFileInfo::isWritable, asks with the real user's full rights instead.)
  static bool CannotCreateIn(const QString& Dir) {
    QFile Probe(Dir + QStringLiteral("/.rights-probe"));
    if (!Probe.open(QIODevice::WriteOnly)) return true;
    Probe.close();
    Probe.remove();
    return false;
  }
  static bool CannotRead(const QString& File) {
    QFile F(File);
    return !F.open(QIODevice::ReadOnly);
  }

 private:
  __user_cap_header_struct FHeader{};
  __user_cap_data_struct FSaved[2]{};
  bool FChanged = false;
};
