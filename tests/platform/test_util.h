#pragma once
// Helpers shared by the platform tests.
#include <QByteArray>
#include <QFile>
#include <QString>

inline QByteArray ReadBytes(const QString& FileName) {
  QFile f(FileName);
  if (!f.open(QIODevice::ReadOnly)) return {};
  return f.readAll();
}

inline bool PutBytes(const QString& FileName, const QByteArray& Bytes) {
  QFile f(FileName);
  if (!f.open(QIODevice::WriteOnly)) return false;
  return f.write(Bytes) == Bytes.size();
}

inline QString DataFile(const char* Name) {
  return QStringLiteral(NUMYX_TEST_DATA "/") + QString::fromUtf8(Name);
}
