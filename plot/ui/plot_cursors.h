#pragma once
// The cursors of the plot control, its series, its annotation tools and the print preview, by
// the numbers those select them with. The images are our own.
#include <QCursor>
#include <QString>

#include "platform/cursors.h"

struct TPlotCursorEntry {
  TCursor Id;
  const char* Name;
};
// The seventeen cursors in number order: 100 to 109 and 113 to 119.
const TPlotCursorEntry (&PlotCursorTable())[17];

// The picture of a cursor by its name; an unknown name gives the arrow.
QCursor PlotCursorImage(const QString& Name);
// Registers every cursor of the table with the screen's cursor table.
void RegisterPlotCursors();
