#include "chart/editors/native_chart_file.h"

#include <bit>
#include <cstdint>
#include <string>

#include "chart/engine/axis_panel.h"
#include "chart/engine/chart.h"
#include "chart/engine/chart_exceptions.h"
#include "chart/engine/chart_pen.h"
#include "chart/engine/chart_series.h"
#include "chart/engine/chart_stream.h"
#include "platform/codepage.h"
#include "platform/text_file.h"

TChartSaveNativeProc ChartSaveNativeHook;

namespace {
void PutU16(QByteArray& Out, quint16 V) {
  Out.append(char(V & 0xFF));
  Out.append(char(V >> 8));
}
void PutU32(QByteArray& Out, std::uint32_t V) {
  for (int i = 0; i < 4; ++i) Out.append(char(V >> (8 * i)));
}
void PutDouble(QByteArray& Out, double V) {
  const std::uint64_t Bits = std::bit_cast<std::uint64_t>(V);
  for (int i = 0; i < 8; ++i) Out.append(char(Bits >> (8 * i)));
}

// The list that is not the mandatory one: X for ordinary series, Y where X is mandatory.
TChartValueList* NotMandatory(TChartSeries& S) {
  return S.MandatoryValueList() == S.XValues() ? S.YValues() : S.XValues();
}

// The label as its length byte can hold it: code page 1252, at most 255 bytes. One byte is one
// character there, so the cut never splits a character.
std::string LabelBytes(const QString& Label) {
  std::string B = ToCp1252(Label);
  if (B.size() > 255) B.resize(255);
  return B;
}

// The bytes Write makes, written to FileName. A panel that cannot be streamed is told like a file
// that cannot be written.
template <class F>
TFileStatus Streamed(const QString& FileName, F&& Write) {
  QByteArray Out;
  try {
    Write(Out);
  } catch (const ChartException& E) {
    return {TFileError::NotMade, TFileOp::Write, FileName, 0, QString::fromStdString(E.what())};
  }
  return WriteFileBytes(FileName, Out);
}
}  // namespace

unsigned char NativeSeriesFlags(TChartSeries& Series) {
  const int Count = Series.Count();
  TChartValueList* X = NotMandatory(Series);
  unsigned char Flags = 0;
  // Every point is looked at: a point past the first ten thousand with its own X value, colour
  // or label would otherwise be written without it.
  for (int i = 0; i < Count; ++i) {
    if (X->GetValue(i) != double(i)) Flags |= ncfXValues;
    const TColor C = Series.PointColor(i);
    if (C != clChartAuto && C != Series.SeriesColor()) Flags |= ncfColors;
    if (!Series.GetXLabel(i).isEmpty()) Flags |= ncfLabels;
  }
  return Flags;
}

void AppendSeriesBlock(QByteArray& Out, TChartSeries& Series) {
  const unsigned char Flags = NativeSeriesFlags(Series);
  const int Count = Series.Count();
  Out.append(char(Flags));
  PutU32(Out, std::uint32_t(Count));
  TChartValueList* X = NotMandatory(Series);
  TChartValueList* Y = Series.MandatoryValueList();
  const auto& Lists = Series.ValueLists();
  for (int i = 0; i < Count; ++i) {
    if (Flags & ncfXValues) PutDouble(Out, X->GetValue(i));
    PutDouble(Out, Y->GetValue(i));
    if (Flags & ncfColors) PutU32(Out, std::uint32_t(Series.PointColor(i)));
    if (Flags & ncfLabels) {
      const std::string L = LabelBytes(Series.GetXLabel(i));
      Out.append(char(L.size()));
      Out.append(L.data(), qsizetype(L.size()));
    }
    for (size_t k = 2; k < Lists.size(); ++k) PutDouble(Out, Lists[k]->GetValue(i));
  }
}

void SaveChartToStream(TCustomAxisPanel& Chart, QByteArray& Stream) {
  QByteArray Out;
  PutU16(Out, NativeChartSignature);
  PutU16(Out, NativeChartVersion);
  Out.append(WriteChartComponents(Chart));
  for (int i = 0; i < Chart.SeriesCount(); ++i) AppendSeriesBlock(Out, *Chart.GetSeries(i));
  Stream.append(Out);
}

TFileStatus SaveChartToFile(TCustomAxisPanel& Chart, const QString& FileName) {
  return Streamed(FileName, [&](QByteArray& Out) { SaveChartToStream(Chart, Out); });
}

TFileStatus SaveComponentToFile(TCustomChartPanel& Component, const QString& FileName) {
  return Streamed(FileName, [&](QByteArray& Out) {
    if (auto* A = qobject_cast<TCustomAxisPanel*>(&Component)) {
      Out = WriteChartComponents(*A);
    } else {
      TStreamComponent C;
      C.ClassName = QString::fromLatin1(Component.metaObject()->className());
      C.Name = Component.Name();
      Out = EncodeChartStream(C);
    }
  });
}

TFileStatus SaveNativeChartOrComponent(TCustomChartPanel& Panel, const QString& FileName) {
  if (auto* C = qobject_cast<TCustomChart*>(&Panel)) return SaveChartToFile(*C, FileName);
  return SaveComponentToFile(Panel, FileName);
}
