#include "app/common/dm.h"

#include <QFileInfo>

TDM* DM = nullptr;

TDM::TDM(QObject* Owner) : QObject(Owner) { setObjectName("DM"); }

namespace {
template <class TDialog>
TDialog& Take(TDialog& D) {
  if (!D.FileName.isEmpty()) D.InitialDir = QFileInfo(D.FileName).absolutePath();
  D.FileName.clear();
  D.FilterIndex = 1;
  return D;
}
}  // namespace

TOpenDialog& SharedOpenDialog() {
  static TOpenDialog Own;
  return Take(DM ? DM->OpenDialog1 : Own);
}

TSaveDialog& SharedSaveDialog() {
  static TSaveDialog Own;
  return Take(DM ? DM->SaveDialog1 : Own);
}
