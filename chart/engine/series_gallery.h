#pragma once
// The series types of the chart library as the gallery offers them, and the name of the format
// page that edits each.
#include <QString>

class TChartSeries;

// Registers the types of the "Standard" page and the others in gallery order; once only, however
// often it is called. Called from RegisterChartClasses.
void RegisterStandardSeries();
// A new series of the registered class Name, or null.
TChartSeries* CreateSeriesByName(const QString& Name);
// The class name of the format page of the series' type; empty for types without one.
QString SeriesEditorClassName(const TChartSeries* Series);
