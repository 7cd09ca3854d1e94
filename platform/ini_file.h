#pragma once
// Settings files in INI syntax: "[Section]" lines and "key=value" lines.
//
// Sections and keys match without regard to case and values are trimmed;
// Booleans are written "1"/"0" and any non-zero integer reads as true.
// Lines that are neither are skipped; the first of duplicate sections and
// keys wins and later copies are merged into it.
//
// Writes are kept in memory until UpdateFile (or the destructor) saves them.
// Saving re-reads the file and applies only this object's changes to it, so
// two objects open on the same file do not undo each other's keys, and
// writes the result atomically. A file that exists but cannot be read is
// never overwritten.

#include <QString>
#include <QStringList>

#include <vector>

class TIniFile {
 public:
  explicit TIniFile(const QString& FileName);
  // Saves pending changes; a failure here cannot be reported, so callers that
  // must know call UpdateFile first.
  ~TIniFile();
  TIniFile(const TIniFile&) = delete;
  TIniFile& operator=(const TIniFile&) = delete;

  const QString& FileName() const { return FFileName; }
  // True when the file exists but could not be read (it is then left alone).
  bool ReadFailed() const { return FReadFailed; }

  QString ReadString(const QString& Section, const QString& Ident, const QString& Default) const;
  void WriteString(const QString& Section, const QString& Ident, const QString& Value);
  // Decimal, or hexadecimal as "$1F" or "0x1F"; other text gives Default.
  int ReadInteger(const QString& Section, const QString& Ident, int Default) const;
  void WriteInteger(const QString& Section, const QString& Ident, int Value);
  bool ReadBool(const QString& Section, const QString& Ident, bool Default) const;
  void WriteBool(const QString& Section, const QString& Ident, bool Value);
  // "." as separator whatever the locale; text that is not a number gives
  // Default. Written in the general form with 15 significant digits.
  double ReadFloat(const QString& Section, const QString& Ident, double Default) const;
  void WriteFloat(const QString& Section, const QString& Ident, double Value);

  bool SectionExists(const QString& Section) const;
  bool ValueExists(const QString& Section, const QString& Ident) const;
  QStringList ReadSections() const;
  QStringList ReadSection(const QString& Section) const;        // the keys
  QStringList ReadSectionValues(const QString& Section) const;  // "key=value"
  void EraseSection(const QString& Section);
  void DeleteKey(const QString& Section, const QString& Ident);

  bool Modified() const { return !FPending.empty(); }
  // Saves pending changes; false (with a reason) when they could not be
  // saved, in which case they stay pending.
  bool UpdateFile(QString* Error = nullptr);

  struct TKey {
    QString Name, Value;
  };
  struct TSection {
    QString Name;
    std::vector<TKey> Keys;
  };

 private:
  enum class TOp { Write, DeleteKey, EraseSection };
  struct TPending {
    TOp Op;
    QString Section, Ident, Value;
  };

  void Apply(std::vector<TSection>& Data, const TPending& P) const;
  void Change(TPending P);

  QString FFileName;
  bool FReadFailed = false;
  std::vector<TSection> FData;
  std::vector<TPending> FPending;
};

// Parses INI text; exposed for tools and tests.
std::vector<TIniFile::TSection> ParseIniText(const QString& Text);
QString IniText(const std::vector<TIniFile::TSection>& Data);
