#pragma once
// What the keys of the "Calculator" and "Ex-calc" pages are: their names, captions, built-in
// numbers and hints; the text a function key inserts; the keyboard shortcuts of the main window;
// and the names of virtual keys and modifier sets that the history lists compare.
#include <QString>

#include <array>
#include <span>

#include "platform/shift_state.h"

// What a key does when clicked.
enum class TKeyAction {
  Function,  // inserts the built-in function of its Tag with its argument template
  Text,      // inserts Text
  Letter,    // letter variable key: inserts the letter or opens the set-variable dialog
  ClearAll,  // "Clear All"
  Help,      // help contents
};

struct TKeyDef {
  const char* Name;  // control name
  QString Caption;
  int Tag;  // built-in number for function keys; letter number (1..10) for letter keys
  QString Hint;
  TKeyAction Action;
  QString Text;  // the inserted text of a Text key
};

// The argument templates by argument kind 0..3.
inline constexpr std::array<const char*, 4> ArgTemplates = {"", ")", ",)", ",,)"};
// Longest text a function key inserts.
inline constexpr int MaxFunctionKeyText = 25;

// The keys of the two pages, in the order they are laid out.
std::span<const TKeyDef> CalculatorKeys();
std::span<const TKeyDef> ExCalcKeys();

// The text that the function key with this built-in number inserts: name + template of its kind,
// cut to 25 characters; in complex mode from the complex name table. Empty when the number has
// no row in the table of the mode.
QString FunctionKeyText(int Tag, bool Complex);

// --- Keyboard shortcuts ----------------------------------------------------------

enum class TShortcutAction { Key, Text, Letter };

struct TShortcut {
  bool Alt;  // false: with Ctrl
  char Key;  // the virtual key read as a character ('1', 'A', ...)
  TShortcutAction Action;
  const char* Target;  // key name, inserted text (as code page 1252 bytes) or the letter
};

std::span<const TShortcut> Shortcuts();
// The shortcut for this key with Ctrl (Alt false) or Alt held, or null.
const TShortcut* FindShortcut(bool Alt, int Key);

// --- Key names of the history lists ------------------------------------------------

// The name of a virtual key code ("vk_Delete"), or the one-character string of the code.
QString KeyName(int Key);
// " ssShift ssCtrl" for the flags set, in the fixed order; empty for none.
QString ShiftText(TShiftState Shift);
// The virtual key code and modifier set of a Qt key event's values.
int VirtualKeyOf(int QtKey, bool Keypad);

// --- Help topics of the help buttons ------------------------------------------------

inline constexpr int HelpContents = 0;
inline constexpr int HelpVariables = 3;
inline constexpr int HelpConstants = 8;
