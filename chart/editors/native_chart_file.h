#pragma once
// The native chart file: a small header, the chart component in the platform's component
// streaming (its settings and its series), then the points of every series. Only written;
// nothing reads it back.
#include <functional>

#include <QByteArray>
#include <QString>

#include "platform/text_file.h"

class TCustomAxisPanel;
class TCustomChartPanel;
class TChartSeries;

inline constexpr quint16 NativeChartSignature = 0x3060;
inline constexpr quint16 NativeChartVersion = 0x0120;

// The flag bits of a series block.
enum : unsigned char { ncfXValues = 1, ncfColors = 2, ncfLabels = 4 };

// The flags of Series' block, decided from every point.
unsigned char NativeSeriesFlags(TChartSeries& Series);
// Series' block: flags, count, then one record per point.
void AppendSeriesBlock(QByteArray& Out, TChartSeries& Series);

// Signature, version, the chart component and the series blocks, appended to Stream. Raises
// ChartException when the chart cannot be streamed (a name too long for the form).
void SaveChartToStream(TCustomAxisPanel& Chart, QByteArray& Stream);
// Creates or replaces the file whole, or leaves it as it was and says why.
TFileStatus SaveChartToFile(TCustomAxisPanel& Chart, const QString& FileName);
// Any panel, in the component streaming alone, into a new file; the same guarantee.
TFileStatus SaveComponentToFile(TCustomChartPanel& Component, const QString& FileName);

// What the export dialog's fourth format calls; set by ShowExportForm while the dialog is open.
using TChartSaveNativeProc =
    std::function<TFileStatus(TCustomChartPanel& Panel, const QString& FileName)>;
extern TChartSaveNativeProc ChartSaveNativeHook;
// A chart with SaveChartToFile, any other panel with SaveComponentToFile.
TFileStatus SaveNativeChartOrComponent(TCustomChartPanel& Panel, const QString& FileName);
