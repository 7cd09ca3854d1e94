#pragma once
// What the properties dialog's page builders share: a control carries the name the dialog and
// its tests find it by.
#include <QString>

template <class W>
W* Named(W* Widget, const char* Name) {
  Widget->setObjectName(QString::fromLatin1(Name));
  return Widget;
}
