#include "app/dm.h"

TDM* DM = nullptr;

TDM::TDM(QObject* Owner) : QObject(Owner) { setObjectName("DM"); }
