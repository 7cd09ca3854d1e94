#pragma once
// Path strings. Separators are ":", "\" and, on this system, "/".
#include <QString>

QString ExtractNamePart(const QString& Path);
QString ExtractDirPart(const QString& Path);
// The path's own separator ("\" only for paths written with backslashes) is appended unless the
// path already ends in one.
QString AddBackslash(const QString& S);
bool HasExtension(const QString& Name, int& DotPos);
QString PathWithoutExt(const QString& Path);
