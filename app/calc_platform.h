#pragma once
// The services the calculator window needs from below it: the program directory, settings files,
// text files, the engine's single-byte text, message boxes and the common dialogs, modal forms and
// the printer. Everything the window touches of them goes through this one header, so that each
// service can be swapped for the shared platform layer's without touching the window.
#include <QString>
#include <QStringList>

#include <map>
#include <memory>
#include <string>
#include <vector>

class QDialog;
class QPrinter;
class QWidget;

namespace calcpf {

// The directory of the program file, without a trailing separator. Tests point it at a
// temporary directory; the program sets it from the executable's path.
QString ProgramDir();
void SetProgramDir(const QString& Dir);
// ProgramDir + "/Numyx": every calculator file is this plus an extension.
QString BasePath();

// An INI file: sections and keys match without regard to case, values are trimmed, Booleans are
// written "1"/"0" and any non-zero integer reads as true. Reading a missing or unreadable file
// gives the defaults; UpdateFile writes atomically and answers false on failure.
class TCalcIni {
 public:
  explicit TCalcIni(QString FileName);
  int ReadInteger(const QString& Section, const QString& Key, int Default) const;
  bool ReadBool(const QString& Section, const QString& Key, bool Default) const;
  QString ReadString(const QString& Section, const QString& Key, const QString& Default) const;
  void WriteInteger(const QString& Section, const QString& Key, int Value);
  void WriteBool(const QString& Section, const QString& Key, bool Value);
  void WriteString(const QString& Section, const QString& Key, const QString& Value);
  bool UpdateFile();

 private:
  struct TEntry {
    QString Key;
    QString Value;
  };
  struct TSection {
    QString Name;
    std::vector<TEntry> Entries;
  };
  const TEntry* Find(const QString& Section, const QString& Key) const;
  QString FFileName;
  std::vector<TSection> FSections;
  bool FDirty = false;
};

// Reads a text file with any line ending, as UTF-8 or code page 1252, into Lines (without line
// ends). False when the file cannot be opened.
bool ReadTextLines(const QString& FileName, QStringList& Lines);
// Reads the raw bytes of a file (at most MaxBytes); false when it cannot be opened.
bool ReadFileBytes(const QString& FileName, QByteArray& Bytes, qint64 MaxBytes);
// Writes the lines as UTF-8, each ended by LF, replacing the file atomically. False on failure.
bool WriteTextLines(const QString& FileName, const QStringList& Lines);

// The engine's single-byte text. A character that code page 1252 cannot hold becomes a byte that
// the engine rejects, never "?" (the previous result) or a control byte.
std::string ToEngineText(const QString& Text);
QString FromEngineText(const std::string& Text);

// Message boxes, the file dialogs, modal forms and the printer. The program installs nothing and
// gets Qt's dialogs; tests install a scripted service that records and answers each request.
enum class TMsgKind { Warning, Error, Information };

struct TFileDialogRequest {
  QString Title;
  QString Filter;      // "Text files (*.TXT)|*.TXT"
  QString DefaultExt;  // without the point
  QString FileName;    // in: proposed, out: chosen
};

class TDialogService {
 public:
  virtual ~TDialogService() = default;
  virtual void Message(TMsgKind Kind, const QString& Text);
  virtual bool Confirm(const QString& Text);
  virtual bool SaveFile(TFileDialogRequest& Request);
  virtual bool OpenFile(TFileDialogRequest& Request);
  // Runs a form modally; answers its result code.
  virtual int ShowModal(QDialog& Form);
  // The printer that plain-text printing uses; null when none is installed.
  virtual std::unique_ptr<QPrinter> DefaultPrinter();
  // Hands a link or a command to the desktop; false when nothing could take it.
  virtual bool OpenUrl(const QString& Url);
  virtual bool StartProgram(const QString& Program, const QStringList& Arguments);
};

// Installs Service (not owned); nullptr restores Qt's dialogs.
void SetDialogService(TDialogService* Service);
TDialogService& Dialogs();

// Prints the lines on Printer in a fixed-pitch font, starting a new page whenever one is full.
// False with a message in Error when the printer cannot be opened or the print fails.
bool PrintLines(QPrinter& Printer, const QStringList& Lines, QString& Error);

}  // namespace calcpf
