#pragma once
// The texts the axis dialogs show for a label step.
#include <QString>

// The name of step Index of the chart's date-time step table, or "" outside it.
QString DateTimeStepName(int Index);
// A step as the increment label and edit show it: on a date-time axis the name of a table step
// taken exactly, else whole days and the time of the rest; on a numeric axis the number in Format.
QString IncrementText(bool DateTime, bool Exact, double Increment, const QString& Format);
