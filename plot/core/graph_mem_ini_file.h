#pragma once
// The plotting library's settings file: read whole when opened, edited in memory, written back.
//
// In memory the file keeps its "key=value" lines exactly as read: no blank is trimmed, and only
// the first section of a name is read. Saving applies
// only this object's own changes to the file as it is on disk at that moment, so that the
// calculator and the plot control can share one settings file without undoing each other's
// sections; every other line, comments included, stays. The file is written atomically and only
// when something changed; a file that exists but cannot be read is never overwritten.
#include <QString>
#include <QStringList>

#include "platform/ini_file.h"

// Days since 30 December 1899, the time of day as the fraction.
using TDateTime = double;

class TCustomGraphIniFile {
 public:
  explicit TCustomGraphIniFile(const QString& AFileName) : FileName(AFileName) {}
  virtual ~TCustomGraphIniFile() = default;
  TCustomGraphIniFile(const TCustomGraphIniFile&) = delete;
  TCustomGraphIniFile& operator=(const TCustomGraphIniFile&) = delete;

  QString FileName;

  virtual QString ReadString(const QString& Section, const QString& Ident,
                             const QString& Default) const = 0;
  virtual void WriteString(const QString& Section, const QString& Ident, const QString& Value) = 0;
  // Decimal, "$1F" or "0x1F"; anything else gives Default.
  virtual int ReadInteger(const QString& Section, const QString& Ident, int Default) const;
  virtual void WriteInteger(const QString& Section, const QString& Ident, int Value);
  virtual bool ReadBool(const QString& Section, const QString& Ident, bool Default) const;
  virtual void WriteBool(const QString& Section, const QString& Ident, bool Value);
  // An empty or malformed text gives Default.
  virtual TDateTime ReadDate(const QString& Section, const QString& Ident, TDateTime Default) const;
  virtual TDateTime ReadDateTime(const QString& Section, const QString& Ident,
                                 TDateTime Default) const;
  virtual double ReadFloat(const QString& Section, const QString& Ident, double Default) const;
  virtual TDateTime ReadTime(const QString& Section, const QString& Ident, TDateTime Default) const;
  virtual void WriteDate(const QString& Section, const QString& Ident, TDateTime Value);
  virtual void WriteDateTime(const QString& Section, const QString& Ident, TDateTime Value);
  virtual void WriteFloat(const QString& Section, const QString& Ident, double Value);
  virtual void WriteTime(const QString& Section, const QString& Ident, TDateTime Value);
  virtual QStringList ReadSection(const QString& Section) const = 0;
  virtual QStringList ReadSections() const = 0;
  virtual QStringList ReadSectionValues(const QString& Section) const = 0;
  virtual void EraseSection(const QString& Section) = 0;
  virtual void DeleteKey(const QString& Section, const QString& Ident) = 0;
  // False, with a reason, when the changes could not be saved; they then stay pending.
  virtual TFileStatus UpdateFile() = 0;
};

class TGraphMemIniFile : public TCustomGraphIniFile {
 public:
  explicit TGraphMemIniFile(const QString& AFileName);
  // Saves pending changes. A failure cannot be returned from here: it is shown in an error box.
  // Callers that must know call UpdateFile first.
  ~TGraphMemIniFile() override;

  bool ReadFailed() const { return FReadFailed; }
  bool Modified() const { return !FChanges.Empty(); }

  QString ReadString(const QString& Section, const QString& Ident,
                     const QString& Default) const override;
  void WriteString(const QString& Section, const QString& Ident, const QString& Value) override;
  QStringList ReadSection(const QString& Section) const override;
  QStringList ReadSections() const override;
  QStringList ReadSectionValues(const QString& Section) const override;
  void EraseSection(const QString& Section) override;
  void DeleteKey(const QString& Section, const QString& Ident) override;
  TFileStatus UpdateFile() override;
  // Forgets the pending changes (after a failed save that the caller has reported itself).
  void DiscardChanges() { FChanges.Clear(); }

 private:
  // The file's lines as read, names and values untrimmed; only the first section of a name is
  // read. The changes are kept apart so that saving applies only them to the file on disk.
  TIniDocument FDoc{false};
  TIniChanges FChanges;
  bool FReadFailed = false;
};
