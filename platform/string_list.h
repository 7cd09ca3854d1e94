#pragma once
// An ordered list of strings with the list semantics the program relies on:
// case-insensitive search by default, an optional sorted mode with a policy
// for duplicates, "name=value" lines, and whole-file load and save.

#include "platform/text_file.h"

#include <QString>
#include <QStringList>

#include <stdexcept>

// Raised for an index out of range and for operations the list's mode
// forbids; handler guards show its message like any other error.
class EStringListError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList {
 public:
  TStringList() = default;
  explicit TStringList(const QStringList& Lines) : FItems(Lines) {}

  int Count() const { return static_cast<int>(FItems.size()); }
  const QString& Strings(int Index) const;
  void SetStrings(int Index, const QString& S);
  const QString& operator[](int Index) const { return Strings(Index); }

  // Appends, or inserts at the sorted place in a sorted list; answers the
  // index. A sorted list with dupIgnore answers the index of the string it
  // already has; with dupError it raises.
  int Add(const QString& S);
  void AddStrings(const QStringList& Lines);
  void Insert(int Index, const QString& S);  // not on a sorted list
  void Delete(int Index);
  void Clear() { FItems.clear(); }
  void Exchange(int A, int B);
  void Move(int From, int To);

  int IndexOf(const QString& S) const;
  // Binary search of a sorted list: true when found; Index is the place
  // where S is or would be inserted.
  bool Find(const QString& S, int& Index) const;

  bool Sorted() const { return FSorted; }
  void SetSorted(bool Value);
  void Sort();
  bool CaseSensitive() const { return FCaseSensitive; }
  void SetCaseSensitive(bool Value);
  TDuplicates Duplicates() const { return FDuplicates; }
  void SetDuplicates(TDuplicates Value) { FDuplicates = Value; }

  // Lines joined with LF, each ended by one; SetText splits at any line end.
  QString Text() const;
  void SetText(const QString& Text);

  // "name=value" access: Names(i) is the text before the first "=" ("" when
  // there is none); Values(name) the text after it for the first matching
  // name ("" when absent). SetValue with an empty value removes the line.
  QString Names(int Index) const;
  QString ValueFromIndex(int Index) const;
  int IndexOfName(const QString& Name) const;
  QString Values(const QString& Name) const;
  void SetValue(const QString& Name, const QString& Value);

  // False (and the list unchanged) when the file cannot be read.
  bool LoadFromFile(const QString& FileName, QString* Error = nullptr);
  // False when the file could not be written; the old file then stays.
  TFileStatus SaveToFile(const QString& FileName) const;

  const QStringList& List() const { return FItems; }
  void Assign(const QStringList& Lines);
  QStringList::const_iterator begin() const { return FItems.cbegin(); }
  QStringList::const_iterator end() const { return FItems.cend(); }

 private:
  int Compare(const QString& A, const QString& B) const;
  void CheckIndex(int Index) const;

  QStringList FItems;
  bool FSorted = false;
  bool FCaseSensitive = false;
  TDuplicates FDuplicates = dupIgnore;
};
