#pragma once
// Where the calculator's files live, how links reach the desktop and how the window's own modal
// forms run. Kept in one place so that tests can point the program at a directory of their own,
// record links and answer the forms.
#include <QString>

#include <functional>

class QDialog;

namespace calcpf {

// The directory of the program file, without a trailing separator. Tests point it at a
// temporary directory; the program sets it from the executable's path.
QString ProgramDir();
void SetProgramDir(const QString& Dir);
// ProgramDir + "/Numyx": every calculator file is this plus an extension.
QString BasePath();

// Hands a link (a "mailto:" link, a file to open in the text editor) to the desktop; false when
// nothing took it. Tests install their own opener; an empty one restores the desktop's.
bool OpenUrl(const QString& Url);
void SetUrlOpener(std::function<bool(const QString&)> Opener);

// Runs a form modally and answers its result; tests install a runner that answers it.
int RunModal(QDialog& Form);
void SetModalRunner(std::function<int(QDialog&)> Runner);

}  // namespace calcpf
