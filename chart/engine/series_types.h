#pragma once
// The list of series types and series functions the program offers, each with its gallery page
// and description, in registration order. The gallery and the editors read it; streams find the
// classes by name through the chart class registry, which every registration fills too.
#include <functional>
#include <memory>
#include <vector>

#include <QString>
#include <QStringList>

class TChartSeries;
class TChartFunction;
class TCustomAxisPanel;

// A class known by name with its factory; an empty name stands for none.
struct TChartSeriesClass {
  QString Name;
  std::function<TChartSeries*()> Create;
  bool IsNull() const { return Name.isEmpty(); }
};
struct TChartFunctionClass {
  QString Name;
  std::function<std::unique_ptr<TChartFunction>()> Create;
  bool IsNull() const { return Name.isEmpty(); }
};

inline constexpr int MaxSeriesTypeText = 20;

struct TChartSeriesType {
  TChartSeriesClass SeriesClass;
  TChartFunctionClass FunctionClass;
  QString Description;  // at most 20 characters
  QString GalleryPage;  // at most 20 characters
  int NumGallerySeries = 0;
};

class TChartSeriesTypes {
 public:
  int Count() const { return int(FTypes.size()); }
  const TChartSeriesType& GetSeriesType(int Index) const { return FTypes.at(size_t(Index)); }
  // The entry with these classes (by name, without regard to case), or null.
  const TChartSeriesType* Find(const QString& SeriesClass, const QString& FunctionClass) const;
  QStringList GalleryPages() const;

 private:
  friend void RegisterChartSeriesFunction(const TChartSeriesClass&, const TChartFunctionClass&,
                                          const QString&, const QString&, int);
  friend void UnRegisterChartSeries(const QStringList&);
  friend void UnRegisterChartFunctions(const QStringList&);
  std::vector<TChartSeriesType> FTypes;
};

TChartSeriesTypes& ChartSeriesTypes();

// Appends an entry unless one with the same two classes exists; longer texts are cut to 20.
void RegisterChartSeriesFunction(const TChartSeriesClass& SeriesClass,
                                 const TChartFunctionClass& FunctionClass,
                                 const QString& Description, const QString& GalleryPage,
                                 int NumGallerySeries);
void RegisterChartSeriesClass(const TChartSeriesClass& SeriesClass, const QString& Description,
                              const QString& GalleryPage, int NumGallerySeries);
void RegisterChartFunction(const TChartFunctionClass& FunctionClass, const QString& Description,
                           const QString& GalleryPage, int NumGallerySeries);
// On the "Functions" page with two gallery series.
void RegisterChartBasicFunction(const TChartFunctionClass& FunctionClass,
                                const QString& Description);
// Remove every entry of these series (function) classes.
void UnRegisterChartSeries(const QStringList& SeriesClasses);
void UnRegisterChartFunctions(const QStringList& FunctionClasses);

// The seven functions of the chart library, first in the list; the series types register after
// them as they come. Called from RegisterChartClasses.
void RegisterChartFunctions();
// A new function of the registered class Name, or null.
std::unique_ptr<TChartFunction> CreateChartFunctionByName(const QString& Name);

// A new series of the class on Chart, named "Series" with the first free number, with a new
// function of FunctionClass when one is given. Null when the class cannot be made.
std::unique_ptr<TChartSeries> CreateNewSeries(TCustomAxisPanel* Chart,
                                              const TChartSeriesClass& SeriesClass,
                                              const TChartFunctionClass& FunctionClass = {});
// A new function of the class attached to Series (replacing its function), named
// "ChartFunction" with the first number no series or function of its chart carries. Null when
// the class cannot be made.
TChartFunction* CreateNewChartFunction(TChartSeries* Series,
                                       const TChartFunctionClass& FunctionClass);
// A copy of Series of the same class on the same chart, settings and points (or sources) kept.
std::unique_ptr<TChartSeries> CloneChartSeries(const TChartSeries& Series,
                                               const TChartSeriesClass& SeriesClass);
// New takes Old's settings, handlers, dependents, place in the chart's list and name; Old is
// destroyed and Old then holds New.
void ReplaceSeries(std::unique_ptr<TChartSeries>& Old, std::unique_ptr<TChartSeries> New);
// Nothing when Series is of NewClass already; else a series of NewClass replaces it.
void ChangeSeriesClass(std::unique_ptr<TChartSeries>& Series, const TChartSeriesClass& NewClass);
