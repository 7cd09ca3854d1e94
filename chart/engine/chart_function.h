#pragma once
// A series can be computed instead of filled: its function reduces the points of one source to
// one value (for all points or per period of points or of X range), or combines several sources
// point by point. The series refills through the function whenever a source changes.
#include <memory>
#include <string>
#include <vector>

#include <QString>

#include "chart/engine/chart_value_list.h"
#include "platform/colors.h"

// What a function reads of a source series.
class TChartFunctionSource {
 public:
  virtual ~TChartFunctionSource() = default;
  virtual int Count() const = 0;
  virtual bool YMandatory() const = 0;
  virtual TChartValueList* XValues() = 0;
  virtual TChartValueList* YValues() = 0;
  virtual TChartValueList* MandatoryValueList() = 0;
  // Among the extra lists by name, without regard to case; the Y values when none matches.
  virtual TChartValueList* ValueListByName(const QString& Name) = 0;
  virtual QString GetXLabel(int Index) const = 0;
};

// What a function needs of the series it fills.
class TChartFunctionTarget : public TChartFunctionSource {
 public:
  virtual int AddXY(double X, double Y, const QString& Label, TColor Color) = 0;
  // True (the default): a function over all points adds one point; False: a level line of two.
  virtual bool SingleFunctionPoint() const { return true; }
  // The end of a range period that starts at Value: calendar steps on a date-time axis.
  virtual double AdvancePeriod(double Value, double Period) const { return Value + Period; }
  virtual std::vector<TChartFunctionSource*> FunctionSources() = 0;
  // Clears the series and refills it from its sources through the function.
  virtual void CheckDatasource() = 0;
};

enum TFunctionPeriodStyle { psNumPoints, psRange };
enum TFunctionPeriodAlign { paFirst, paCenter, paLast };

inline constexpr const char* FunctionPeriodMessage = "Function Period should be >= 0";

class TChartFunction {
 public:
  TChartFunction() = default;
  TChartFunction(const TChartFunction&) = delete;
  TChartFunction& operator=(const TChartFunction&) = delete;
  virtual ~TChartFunction() = default;

  // The class name the registry and streams know it by.
  virtual QString ClassName() const = 0;
  virtual std::unique_ptr<TChartFunction> NewInstance() const = 0;
  // Period, style and alignment.
  virtual void Assign(const TChartFunction& Source);
  QString Name() const { return FName; }
  void SetName(const QString& Value) { FName = Value; }

  double Period() const { return FPeriod; }
  // Negative or non-finite: ChartException, the old value stays.
  void SetPeriod(double Value);
  TFunctionPeriodStyle PeriodStyle() const { return FPeriodStyle; }
  void SetPeriodStyle(TFunctionPeriodStyle Value);
  TFunctionPeriodAlign PeriodAlign() const { return FPeriodAlign; }
  void SetPeriodAlign(TFunctionPeriodAlign Value);

  TChartFunctionTarget* ParentSeries() const { return FParent; }
  void SetParentSeries(TChartFunctionTarget* Value) { FParent = Value; }
  void BeginUpdate() { FUpdating = true; }
  void EndUpdate();
  void Recalculate();

  // Adds the function's points for Source to the parent series.
  virtual void AddPoints(TChartFunctionSource* Source);
  // The result over the points First..Last of Source (-1: all points).
  virtual double Calculate(TChartFunctionSource* Source, int First, int Last);
  // The result of point Index over the sources that have it.
  virtual double CalculateMany(const std::vector<TChartFunctionSource*>& Sources, int Index);

 protected:
  virtual void CalculatePeriod(TChartFunctionSource* Source, double X, int First, int Last);
  virtual void CalculateAllPoints(TChartFunctionSource* Source, TChartValueList* NotMandatory);
  virtual void CalculateByPeriod(TChartFunctionSource* Source, TChartValueList* NotMandatory);
  // Adds the point at X with Value (exchanged for a source that is not Y-mandatory).
  void AddFunctionXY(bool SourceYMandatory, double X, double Value, const QString& Label = {});
  // The list the function reads of Source.
  TChartValueList* ValueList(TChartFunctionSource* Source) const;
  bool FMoving = false;

 private:
  QString FName;
  double FPeriod = 0;
  TFunctionPeriodStyle FPeriodStyle = psNumPoints;
  TFunctionPeriodAlign FPeriodAlign = paCenter;
  TChartFunctionTarget* FParent = nullptr;
  bool FUpdating = false;
};

#define NUMYX_CHART_FUNCTION(Name)                                     \
  QString ClassName() const override { return QStringLiteral(#Name); } \
  std::unique_ptr<TChartFunction> NewInstance() const override { return std::make_unique<Name>(); }

class TAddChartFunction : public TChartFunction {
 public:
  NUMYX_CHART_FUNCTION(TAddChartFunction)
  double Calculate(TChartFunctionSource* Source, int First, int Last) override;
  double CalculateMany(const std::vector<TChartFunctionSource*>& Sources, int Index) override;
};

class THighChartFunction : public TChartFunction {
 public:
  NUMYX_CHART_FUNCTION(THighChartFunction)
  double Calculate(TChartFunctionSource* Source, int First, int Last) override;
  double CalculateMany(const std::vector<TChartFunctionSource*>& Sources, int Index) override;
};

class TLowChartFunction : public TChartFunction {
 public:
  NUMYX_CHART_FUNCTION(TLowChartFunction)
  double Calculate(TChartFunctionSource* Source, int First, int Last) override;
  double CalculateMany(const std::vector<TChartFunctionSource*>& Sources, int Index) override;
};

class TAverageChartFunction : public TChartFunction {
 public:
  NUMYX_CHART_FUNCTION(TAverageChartFunction)
  double Calculate(TChartFunctionSource* Source, int First, int Last) override;
  double CalculateMany(const std::vector<TChartFunctionSource*>& Sources, int Index) override;
};

// Combines the first source's value with each further source's in turn.
class TManySeriesChartFunction : public TChartFunction {
 public:
  double CalculateMany(const std::vector<TChartFunctionSource*>& Sources, int Index) override;
  virtual double CalculateValue(double Result, double Value) const = 0;
};

class TSubtractChartFunction : public TManySeriesChartFunction {
 public:
  NUMYX_CHART_FUNCTION(TSubtractChartFunction)
  double CalculateValue(double Result, double Value) const override { return Result - Value; }
};

class TMultiplyChartFunction : public TManySeriesChartFunction {
 public:
  NUMYX_CHART_FUNCTION(TMultiplyChartFunction)
  double CalculateValue(double Result, double Value) const override { return Result * Value; }
};

class TDivideChartFunction : public TManySeriesChartFunction {
 public:
  NUMYX_CHART_FUNCTION(TDivideChartFunction)
  // A zero divisor leaves the result as it is.
  double CalculateValue(double Result, double Value) const override {
    return Value == 0 ? Result : Result / Value;
  }
};

#undef NUMYX_CHART_FUNCTION
