#pragma once
// Where a window stood when it was last closed, kept in the settings file under the window's name.
class QWidget;
class QRect;

// Reads "Left", "Top", "Width", "Height" (0, 0, 640, 480) from the section named by the form's
// object name and places the form; a place that no screen shows gives the defaults.
void LoadFormPlacement(QWidget* Form);
void SaveFormPlacement(QWidget* Form);
// True when a window at this place would be reachable on one of the screens. Any numbers are
// safe: they are checked before a rectangle is built from them.
bool PlacementOnScreen(long long Left, long long Top, long long Width, long long Height);
bool PlacementOnScreen(const QRect& Rect);
