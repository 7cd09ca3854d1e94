#pragma once
// The input line's helpers shared by the keys, the histories, the constants page and the
// assistant: putting a text in at the caret, finding the built-in name at the caret and the help
// line the assistant panel shows for it.
#include <QString>

class QLabel;
class QLineEdit;

// Replaces the selection by S at the caret. When S holds "()", "(,)" or "(,,)" the caret goes
// between the first pair's parentheses (the last of the three forms found decides), with no
// selection. The line gets the focus.
void InsertAtCaret(QLineEdit* Edit, const QString& S);

// The word of built-in name characters around the caret; P counts the characters before the
// caret. Never reads outside T.
QString WordAtCaret(const QString& T, int P);
// The built-in number whose name is W (real mode: equal ignoring case; complex mode: the first
// name that occurs in W), skipping number 30; -1 when none.
int FindFunctionId(const QString& W, bool Complex);
// The help line of built-in Id with "%A" naming the angle unit (AngleMode 1 degrees, else
// radians); empty for 30, -1 and numbers outside the mode's help table.
QString FunctionHelpLine(int Id, bool Complex, int AngleMode);

// The assistant panel: empty and 0 wide when the input line is empty; otherwise the help line of
// Id when there is one (else the panel keeps what it shows).
void ShowFunctionHelp(QLabel* Panel, const QLineEdit* Input, int Id, bool Complex, int AngleMode);
// Any text in the panel, sized to it in the keypad's 8-point font.
void ShowAssistantText(QLabel* Panel, const QString& S);
