#pragma once
// The stored form of a chart's settings: the panel (with its titles, walls, legend, gradient, 3D
// view and zoom settings), its five axes and its series (with their functions and the settings of
// their own kind) each keep, by name, the properties that differ from a new object of their kind,
// and read them back through their own setters. Points are not part of it. Everything in a stream
// is checked, and a damaged or hostile one is refused with a ChartException while the chart keeps
// what it had.
#include <memory>
#include <vector>

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "platform/component_stream.h"

class TChartAxis;
class TChartSeries;
class TCustomAxisPanel;

// The chart is streamed in the platform's component form: typed values, dotted names for the
// parts of an object (the axes' "LeftAxis.Grid.Color"), the series as owned components.
using TChartStreamValue = TStreamValue;
using TChartStreamProperty = TStreamProperty;
using TChartStreamObject = TStreamComponent;

// The property of that name, or null.
const TChartStreamProperty* FindStreamProperty(const TChartStreamObject& Object,
                                               const QString& PropertyName);

// The limits a stream must keep to; past them it is refused before anything is built.
inline constexpr int MaxStreamDepth = 4;
inline constexpr int MaxStreamItems = 1 << 16;
// One value may be a back image.
inline constexpr int MaxStreamText = 1 << 26;

QByteArray EncodeChartStream(const TChartStreamObject& Root);
// ChartException "Invalid chart stream: ..." for anything that is not a whole, well-formed
// stream, or one holding a number that is not finite.
TChartStreamObject DecodeChartStream(const QByteArray& Data);
// As DecodeChartStream, from Pos on, leaving Pos after the stream.
TChartStreamObject DecodeChartStream(const QByteArray& Data, qsizetype& Pos);

// The stored properties of an axis: range ends only where they are not automatic, the value
// format only when not the default one, positions only when moved, the title angle only when
// not the axis' own, fonts only when not the chart's default.
std::vector<TChartStreamProperty> WriteAxisProperties(const TChartAxis& Axis);
// Through the setters, with the axis loading (its ends are checked against each other at the
// end). An unknown name, a value of the wrong kind or one the setter refuses raises.
void ReadAxisProperties(TChartAxis& Axis, const std::vector<TChartStreamProperty>& Properties);

// A series as an owned component: its class, its name, its stored properties with
// "DataSources" (a list of names), "Identifier" and "Style", and its function as the one child.
TChartStreamObject WriteSeriesObject(const TChartSeries& Series);
// Reads the settings and the function into Series; answers the data-source names, which are
// resolved once every series is read.
QStringList ReadSeriesObject(TChartSeries& Series, const TChartStreamObject& Object);

// The whole panel: its own settings and the five axes' as its properties, then every series.
TChartStreamObject ChartComponent(const TCustomAxisPanel& Chart);
QByteArray WriteChartComponents(const TCustomAxisPanel& Chart);
// Replaces Chart's axis and panel settings by the stream's and adds its series, made by class
// name and owned by the caller; data sources are bound by name after all is read. On any error
// ChartException (or AxisException) and Chart is as it was.
std::vector<std::unique_ptr<TChartSeries>> ReadChartComponents(TCustomAxisPanel& Chart,
                                                               const QByteArray& Data);
