#pragma once
// Texts typed for the engine or a number reader are taken whole, or refused: a line edit's own
// limit never cuts one silently into a different formula.
#include <QString>

class QWidget;

// Every line edit in Window, and the cell editors of its grids, hold one character more than
// the engine reads: a text that an edit had to shorten is still too long, and is refused
// rather than evaluated cut. Windows call it once their controls are made.
void HoldWholeTexts(QWidget* Window);
// True when the engine reads Text whole; else false, after one error message.
bool FitsTheEngine(const QString& Text);
