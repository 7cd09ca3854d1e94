#pragma once
// The four axes of a graph: settings, the tick model (positions, label precision, label texts)
// and, in graph_axis_draw.cpp, the drawing and the room the labels need. An axis never maps
// coordinates itself; it reads and writes the graph's range of its kind.
#include <QString>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "platform/geometry.h"
#include "platform/graphics.h"
#include "plot/core/graph_drawing.h"
#include "plot/core/graph_utils.h"

class TGraph;

enum TTicksDirection { tdOut, tdIN };
enum TAxisLabelsStyle { asFloat, asDate, asInteger };
enum TAxisLabelsDirection { ldHorizontal, ldVertical };
enum TAxisLocation { alOutside, alInside };

class TAxisTicks {
 public:
  TTicksDirection Direction = tdOut;
  bool MajorVisible = true;
  bool MinorVisible = true;
  int MajorLength = 4;  // in device text heights of "a" at size 1
  int MinorLength = 2;
};

// One tick of the walk: its value in axis space and, on a logarithmic axis, in world units.
struct TAxisTick {
  double Value = 0;
  double World = 0;
  bool Major = false;
  bool Text = false;  // a labelled tick that gets its text (label frequency)
  QString Label;      // on a logarithmic axis the exponent only
};

// Everything a tick list depends on.
struct TTickKey {
  double Lo = 0, Hi = 0, FirstTick = 0, TickStep = 0;
  int TickCount = 0, TicksPerLabel = 0, Digits = 0, LabelsFrequency = 0, Style = 0;
  bool Log = false, Zoomed = false, Empty = false;
  bool operator==(const TTickKey&) const = default;
};

// What an axis shows of its range: the ticks, the label precision and the ends they were made for.
struct TAxisTickState {
  double FirstTick = 0, TickStep = 0, RangeMin = 0, RangeMax = 1;
  int TickCount = 0, TicksPerLabel = 0, Digits = 0;
};

class TAxis : public TGraphAbstract {
 public:
  TAxis(TGraph* AGraph, TGraphAxisId AId, double A, double B);
  ~TAxis() override;

  std::function<void(TGraph*)> OnChange;
  std::function<void(TGraph*)> OnBeforeChange;
  bool Log = false;
  bool Inverted = false;
  double FirstTick = 0;
  double TickStep = 0;
  int TickCount = 0;
  int Digits = 0;
  int TicksPerLabel = 0;
  TGraph* Owner;
  TGraphAxisId Id;
  struct TLabel {
    QString Legend;
    double Value;
  };
  std::vector<TLabel> Labels;
  TFont Font;
  TAxisLabelsStyle LabelsStyle = asFloat;
  TAxisLabelsDirection LabelsDirection = ldHorizontal;
  QString Name;
  TFont NameFont;
  TAxisTicks Ticks;
  bool MajorLineVisible = true;
  bool RegularLabelsVisible = true;
  int LabelsFrequency = 1;
  bool Grid = false;
  TColor GridColor = 0xC0C0C0;
  bool AutoMin = true;
  bool AutoMax = true;
  double Min = MissingValue;
  double Max = MissingValue;
  double RangeMin = 0;
  double RangeMax = 1;
  int LineWidth = 1;
  TAxisLocation Location = alOutside;
  double Position = 0;

  bool Horizontal() const { return Id == gaXAxis || Id == gaXAxis2; }
  bool Secondary() const { return Id == gaXAxis2 || Id == gaYAxis2; }
  // The graph's range ends of this axis, in axis space.
  double& LowerEnd() const;
  double& UpperEnd() const;

  void SetVisible(bool Value) override;

 private:
  std::vector<TAxisTick> BuildTickList();
  bool FTicksValid = false;
  TTickKey FTickKey;
  std::vector<TAxisTick> FTicks;
  int FLogTicksPerLabel = 0, FLogTickCount = 0;
  double FLogTickStep = 0;

 public:
  virtual void SetLog(bool Value);
  // Ticks and label precision for the range A..B; B may be rounded, A never is.
  virtual void CalcTicks(double& A, double& B);
  // Takes the graph's range, computes the ticks and writes the rounded range back.
  virtual void Recalc();
  // Ticks computed afresh from a range with its margins added differ from those the autoscale
  // made before adding them: a view given back is given back with its own ticks.
  TAxisTickState TickState() const;
  void SetTickState(const TAxisTickState& S);
  // Moves the ends outward by whole tick steps.
  virtual void Scroll(int Before, int After);
  void AddLabel(const QString& Text, double Value) { Labels.push_back({Text, Value}); }
  void ClearLabels() { Labels.clear(); }
  QString FormatTickLabel(int ADigits, double Value, double Step) const;
  // The texts of the lower and upper range end, which an axis too short for any tick label
  // writes instead.
  std::pair<QString, QString> EndLabels() const;

  // The tick walk that drawing and measuring share: every tick in order, labelled or not. It
  // sets TicksPerLabel, TickCount and TickStep on a logarithmic axis as the drawing does. The
  // list is kept and handed out again until the range or a setting it depends on changes.
  const std::vector<TAxisTick>& TickList();

  void Draw() override;
  // R less the room the title, labels and ticks need on this axis's side.
  TRect GetLabelSize(const TRect& R);
  // The widest tick label text in pixels.
  int LabelWidth();
};

class TXAxis : public TAxis {
 public:
  TXAxis(TGraph* G, double A, double B) : TAxis(G, gaXAxis, A, B) {
    LabelsDirection = ldHorizontal;
  }
};
class TYAxis : public TAxis {
 public:
  TYAxis(TGraph* G, double A, double B) : TAxis(G, gaYAxis, A, B) { LabelsDirection = ldVertical; }
};
class TXAxis2 : public TAxis {
 public:
  explicit TXAxis2(TGraph* G) : TAxis(G, gaXAxis2, 1.0, 2.0) { LabelsDirection = ldHorizontal; }
};
class TYAxis2 : public TAxis {
 public:
  explicit TYAxis2(TGraph* G) : TAxis(G, gaYAxis2, 1.0, 2.0) { LabelsDirection = ldVertical; }
};

// log10 that lands on whole decades: log10(1000) is 3.
double SnapLog10(double V);
