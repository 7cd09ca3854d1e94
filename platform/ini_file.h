#pragma once
// Settings files in INI syntax: "[Section]" lines and "key=value" lines.
//
// Sections and keys match without regard to case and values are trimmed;
// Booleans are written "1"/"0" and any non-zero integer reads as true.
// Lines that are neither (comments, text without "=", keys before the first
// section or under a header without its "]") are not read but kept; the
// first of duplicate sections and keys wins and the keys of a later copy of a
// section are read as if they stood in the first. A name is written only when
// the file would read it back as given: one with blanks at its ends, a line
// break, "=" or the look of a header or comment is refused.
//
// Writes are kept in memory until UpdateFile (or the destructor) saves them.
// Saving re-reads the file and applies only this object's changes to it, so
// two objects open on the same file do not undo each other's keys: a written
// key changes only its own line, a new key goes in after the last key of its
// section, and every other byte of the file stays as it was. The result is
// written atomically. A file that exists but cannot be read is never
// overwritten.

#include "platform/text_file.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>
#include <unordered_map>
#include <vector>

// The lines of an INI file as they were read, with an index of its sections and keys, so that
// look-ups cost the same in a file of a million lines and a rewrite changes only what it must.
// Other INI readers (the plot library's settings file) build on it with their own rules.
//
// The text is kept once, as the file's UTF-8 bytes, and lines, keys and values are places in it
// (a changed or added line has a text of its own): a large file takes little more than its own
// size, and its rewrite about as much again.
class TIniDocument {
 public:
  // Trimmed: names and values lose their blanks at either end, "#" starts a comment as ";" does,
  // and a repeated section is read as part of the first. Untrimmed: a name is the text before "="
  // exactly, a header must end with "]", and only the first section of a name is read.
  explicit TIniDocument(bool Trimmed = true) : FTrimmed(Trimmed) {}
  bool Trimmed() const { return FTrimmed; }

  void SetText(const QString& Text, TTextEncoding Encoding = TTextEncoding::Utf8);
  // The text as UTF-8 (taken over without a copy), read in Encoding.
  void SetUtf8(QByteArray Utf8, TTextEncoding Encoding);
  // The file's bytes: the lines not changed as they were read, in the file's encoding (or as
  // UTF-8 when that encoding cannot hold a new text, or its bytes would read back as another
  // text); new lines end as the file's first line does with a lone CR, else with LF.
  QByteArray Bytes() const;
  QString Text() const;

  // The value of the first key of that name in the first section of that name.
  std::optional<QString> Find(const QString& Section, const QString& Ident) const;
  bool SectionExists(const QString& Section) const;
  QStringList Sections() const;
  QStringList Keys(const QString& Section) const;
  QStringList KeyValues(const QString& Section) const;  // "key=value"

  // Replaces the key's line, or adds "Ident=Value" after the last key of the section (a new
  // section at the end of the file). A name or value that would not read back as written (a
  // key "[x" or ";k", a name with "=", a section "a]b", blanks these rules trim) is refused:
  // false, and nothing changes.
  bool Write(const QString& Section, const QString& Ident, const QString& Value);
  void DeleteKey(const QString& Section, const QString& Ident);
  // Removes every line of every copy of the section, its header included.
  void EraseSection(const QString& Section);

  // A digest of the bytes the document was read from (empty when it was not read from a file),
  // so that a save can tell whether the file is still what was read.
  const QByteArray& ReadDigest() const { return FDigest; }
  void SetReadDigest(const QByteArray& Digest) { FDigest = Digest; }

 private:
  enum : quint8 { TermNone, TermLf, TermCrLf, TermCr };
  // A line: a place in FText, or once changed or added (Own >= 0) a text in FOwn.
  struct TLine {
    qsizetype Start = 0;
    qint32 Size = 0;
    qint32 Own = -1;
    quint8 Term = TermNone;
    bool Deleted = false;
    bool HasAfter = false;  // lines this object put in after it stand in FAfter
  };
  struct TRef {
    int Line = -1;
    int Sub = -1;     // -1: the line itself, else an index into its added lines
    size_t Hash = 0;  // of the key's folded name
  };
  struct TSection {
    QString Name;
    int InsertAt = -1;         // the line after which (or after whose added lines) new keys go
    std::vector<TRef> Keys;    // in file order
    std::vector<TRef> Hidden;  // later copies of keys, which a deletion brings to light
    bool LaterCopies = false;  // untrimmed: a later section of the name, not read
    bool Erased = false;
    // Folded name's hash -> index into Keys; a name whose hash another name holds already is
    // found by a search of Keys.
    QHash<size_t, int> KeyIndex;
  };
  enum class TKind { Other, Header, BrokenHeader, Key };
  TKind Classify(const QString& Line, QString& Name, QString& Value) const;
  bool ReadsAs(const QString& Line, TKind Kind, const QString& Name, const QString& Value) const;
  void InsertKey(TSection& S, const TRef& R);
  void RemoveKey(TSection& S, int Index);
  TLine NewLine(const QString& Text);
  QString Fold(const QString& S) const;
  void Reindex();
  void IndexLine(const QString& Text, TRef Ref, int& Current, bool& FirstBlock, int Base);
  QString LineText(const TLine& L) const;
  QString RefText(const TRef& R) const;
  void SetRefText(const TRef& R, const QString& Text);
  bool KeyOf(const TRef& R, QString& Name, QString& Value) const;
  int FindKey(const TSection& S, const QString& Ident, QString* Value = nullptr) const;
  std::vector<TLine>& AddedAfter(int Line);
  TSection* Section(const QString& Name);
  const TSection* Section(const QString& Name) const;
  QByteArrayView LineBytes(const TLine& L) const;
  template <typename TEmit>
  void ForEachLine(TEmit&& Emit) const;
  template <typename TPut>
  void WriteLines(TPut&& Put) const;  // the text's bytes in order, in views of lines
  qsizetype Utf8Size() const;
  QByteArray Utf8() const;

  bool FTrimmed;
  TTextEncoding FEncoding = TTextEncoding::Utf8;
  QByteArray FText;  // kept UTF-8 (see codepage.h)
  QByteArray FTail;  // the odd last byte of UTF-16, which no line holds
  quint8 FNewTerm = TermLf;
  std::vector<TLine> FLines;
  std::vector<QByteArray> FOwn;                        // texts of changed and added lines
  std::unordered_map<int, std::vector<TLine>> FAfter;  // line -> lines added after it
  std::vector<int> FOwner;  // per line: index into FSections of the block it stands in, or -1
  std::vector<TSection> FSections;
  QHash<QString, int> FSectionIndex;
  QByteArray FDigest;
};

// Reads a file into a document with the document's rules; a missing file gives an empty document
// (and a status that says so). On any other failure the document is left as it was.
TReadStatus LoadIniDocument(const QString& FileName, TIniDocument& Doc);

// Changes to an INI file kept apart from the file, so that saving applies only them to the file as
// it is at that moment: two writers of one file do not undo each other's keys.
class TIniChanges {
 public:
  void Write(const QString& Section, const QString& Ident, const QString& Value);
  void DeleteKey(const QString& Section, const QString& Ident);
  void EraseSection(const QString& Section);
  bool Empty() const { return FItems.empty(); }
  void Clear() { FItems.clear(); }
  void ApplyTo(TIniDocument& Doc) const;
  // Doc is the file as read with the changes made. Re-reads the file (with Doc's rules) unless it
  // is still as it was read, applies the changes and writes the result atomically.
  // On success Doc becomes what was saved and the changes are cleared; on failure nothing
  // changes. A file that exists but cannot be read is never replaced: the answer is then the
  // read's (its Op says so).
  TFileStatus Save(const QString& FileName, TIniDocument& Doc);

 private:
  enum class TOp { Write, DeleteKey, EraseSection };
  struct TItem {
    TOp Op;
    QString Section, Ident, Value;
  };
  static void Apply(TIniDocument& Doc, const TItem& I);
  std::vector<TItem> FItems;
};

class TIniFile {
 public:
  explicit TIniFile(const QString& FileName);
  // Saves pending changes; a failure here cannot be reported, so callers that
  // must know call UpdateFile first.
  ~TIniFile();
  TIniFile(const TIniFile&) = delete;
  TIniFile& operator=(const TIniFile&) = delete;

  const QString& FileName() const { return FFileName; }
  // True when the file exists but could not be read (it is then left alone);
  // ReadStatus says why (a directory, too large...).
  bool ReadFailed() const { return FReadFailed; }
  const TReadStatus& ReadStatus() const { return FReadStatus; }

  QString ReadString(const QString& Section, const QString& Ident, const QString& Default) const;
  // False when the names would not read back (see TIniDocument::Write).
  bool WriteString(const QString& Section, const QString& Ident, const QString& Value);
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

  bool Modified() const { return !FChanges.Empty(); }
  // Saves pending changes; when they could not be saved they stay pending.
  TFileStatus UpdateFile();

 private:
  QString FFileName;
  bool FReadFailed = false;
  TReadStatus FReadStatus;
  TIniDocument FDoc;
  TIniChanges FChanges;
};
