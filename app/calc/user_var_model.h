#pragma once
// The user variables as one list keyed by name, newest first. The page draws its list from it
// and the engine's own list is kept as a copy of it, so a line of the page always stands for the
// variable of the same index and name.
#include <QString>
#include <QStringList>

#include <functional>
#include <string>
#include <vector>

#include "app/calc/calc_pages_host.h"
#include "engine/engine_state.h"
#include "platform/text_file.h"

struct TUserVarRecord {
  std::string Name;  // engine bytes, at most MaxNameLength characters
  int Id = 0;        // 1000 and above, unique
  Extended Value = 0;
};

// The display text of a number (FormatNumber with the window's digits) without disturbing the
// engine's error state, so that lists can be redrawn in the middle of an evaluation.
QString DisplayNumber(int Digits, Extended Value);

class TUserVarModel {
 public:
  static constexpr int MaxNameLength = 20;
  static constexpr int FirstId = 1000;

  int Count() const { return static_cast<int>(FItems.size()); }
  const TUserVarRecord& Item(int i) const { return FItems[static_cast<size_t>(i)]; }
  const std::vector<TUserVarRecord>& Items() const { return FItems; }
  // Index of the variable of this name (cut to its stored length first), or -1.
  int IndexOf(const std::string& Name) const;
  // Creates the variable (at index 0) or updates the one of the same name; answers its id.
  int Add(const std::string& Name, Extended Value);
  bool Remove(int Index);
  void Clear();

  // "name = value" as the page shows it.
  QString DisplayLine(int i, int Digits) const;
  // "name = value" with the value in full precision, "." as separator whatever the display.
  QString FileLine(int i) const;

  // Reads a *.USR file. All or nothing: when the file cannot be read, or a line has no name or
  // no readable value, nothing changes and the reasons are returned (line numbers 1-based).
  bool LoadFile(const QString& FileName, TFileStatus& Status,
                std::vector<TFileLineProblem>& Problems);
  TFileStatus SaveFile(const QString& FileName) const;
  // One line of a *.USR file: the name before the first "=", the value after it, both trimmed.
  static bool ParseLine(const QString& Line, std::string& Name, Extended& Value);

  // Called after every change (the engine's copy is refreshed here).
  std::function<void()> OnChange;

 private:
  int NextId() const;
  void Changed() {
    if (OnChange) OnChange();
  }
  std::vector<TUserVarRecord> FItems;
};
