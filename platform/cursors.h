#pragma once
// Cursors by number: the standard ones (crDefault, crHourGlass, ...) and the
// program's own, registered under the numbers the windows use, with images
// that we draw ourselves. The screen cursor overrides every window's cursor
// until it is set back to crDefault.

#include <QCursor>
#include <QList>
#include <QString>

class QWidget;

using TCursor = int;

inline constexpr TCursor crDefault = 0;
inline constexpr TCursor crNone = -1;
inline constexpr TCursor crArrow = -2;
inline constexpr TCursor crCross = -3;
inline constexpr TCursor crIBeam = -4;
inline constexpr TCursor crSizeNESW = -6;
inline constexpr TCursor crSizeNS = -7;
inline constexpr TCursor crSizeNWSE = -8;
inline constexpr TCursor crSizeWE = -9;
inline constexpr TCursor crUpArrow = -10;
inline constexpr TCursor crHourGlass = -11;
inline constexpr TCursor crDrag = -12;
inline constexpr TCursor crNoDrop = -13;
inline constexpr TCursor crHSplit = -14;
inline constexpr TCursor crVSplit = -15;
inline constexpr TCursor crMultiDrag = -16;
inline constexpr TCursor crSQLWait = -17;
inline constexpr TCursor crNo = -18;
inline constexpr TCursor crAppStart = -19;
inline constexpr TCursor crHelp = -20;
inline constexpr TCursor crHandPoint = -21;
inline constexpr TCursor crSizeAll = -22;

// The cursor of a number: a registered one, a standard one, else the arrow.
QCursor CursorShape(TCursor Cursor);
void RegisterCursor(TCursor Cursor, const QCursor& Shape);
void UnregisterCursor(TCursor Cursor);
bool CursorRegistered(TCursor Cursor);

// Our own cursor pictures by resource name: "NX_HANDCUR", "NX_DRAGCUR",
// "ZOOMIN", "AIM", "ERAZE", "CHART_CURSOR_HAND", "MOVEIT", "SERADD", "SERDEL". Unknown
// names give the arrow.
QCursor OwnCursor(const QString& ResourceName);

// The names of the standard cursors ("crDefault" ...), in number order from 0 down.
struct TCursorName {
  TCursor Cursor;
  const char* Name;
};
const QList<TCursorName>& CursorNames();
QString CursorToIdent(TCursor Cursor);  // "" for a number without a name
bool IdentToCursor(const QString& Ident, TCursor& Cursor);

// The screen cursor (crDefault: each window shows its own).
TCursor ScreenCursor();
void SetScreenCursor(TCursor Cursor);
void SetControlCursor(QWidget* Control, TCursor Cursor);

// Shows a cursor (the hour-glass by default) on the screen while it lives,
// then puts the previous screen cursor back, also on an early return or an
// exception.
class TBusyCursor {
 public:
  explicit TBusyCursor(TCursor Cursor = crHourGlass);
  ~TBusyCursor();
  TBusyCursor(const TBusyCursor&) = delete;
  TBusyCursor& operator=(const TBusyCursor&) = delete;

 private:
  TCursor FPrevious;
};
