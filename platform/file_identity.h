#pragma once
// What a file name leads to, whatever its spelling: the files of this run that exist but could
// not be read, known by the file itself (device and inode, links followed) so that no save
// replaces one through another name, and the plain spelling of a name the user typed or chose.
#include <QString>

// A file that exists and could not be read (or whose lines were refused): every write through
// the one writer refuses to replace it from now on, whichever name it comes by. A name that
// leads to no file notes nothing: there is nothing to lose behind it.
void NoteUnreadFile(const QString& FileName);
// The file was read whole: it may be saved over again.
void NoteFileRead(const QString& FileName);
// Whether the file a name leads to is one that could not be read. A file whose contents have
// been replaced since (it was modified, or another file now stands under its name) is no longer
// the one that was refused.
bool IsUnreadFile(const QString& FileName);
// The same for a file already looked at.
struct stat;
bool IsUnreadFile(const struct stat& St);
// For tests: as at the start of a run, no file refused yet.
void ForgetUnreadFiles();

// The name without "." and ".." steps and doubled separators. Where a ".." follows a link, the
// plain spelling would name another folder: the folder is then spelt as it really is, so that
// the name still leads to the same file.
QString CleanFileName(const QString& FileName);
