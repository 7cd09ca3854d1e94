#pragma once
// What every format page of the series tab shares: the series it edits (kept as a handle, so a
// page whose series was deleted empties itself instead of writing into freed memory), the
// loading flag that keeps the page from writing back what it shows, and the registration of the
// pages by class name.
#include <cmath>
#include <type_traits>

#include <QPointer>

#include "chart/editors/editor_controls.h"
#include "chart/engine/chart_series.h"

class TColorSwatch;
class TSeriesPointer;

class TSeriesFormatPage : public TChartEditorPage {
  Q_OBJECT
 public:
  explicit TSeriesFormatPage(QWidget* Owner);

  // The page's owner as it was made: the series tab, or whatever else hosts it.
  QWidget* Owner() const { return FOwner; }
  void SetSeries(TChartSeries* Value);
  TChartSeries* Series() const { return FSeries.Get(); }
  bool Loading() const { return FLoading; }
  // Loading on, the controls read the series, then loading off; with the series gone the page
  // shows nothing.
  void PageShow() final;
  // Hides every control: the series this page edited exists no more.
  void Empty();

 protected:
  // Called with the series present.
  virtual void LoadControls() = 0;
  // Called once after the first load: pages that bring further tabs insert them here.
  virtual void InsertPages() {}
  template <class T>
  T* As() const {
    return dynamic_cast<T*>(Series());
  }
  // Connects a control's signal to Handler(series, args...) for series of type T: skipped
  // while loading, and emptying the page when the series has gone.
  template <class T, class Sender, class Signal, class F>
  void Edit(Sender* S, Signal Sig, F Handler) {
    On(S, Sig, this, [this, Handler](auto... Args) {
      if (FLoading) return;
      T* X = As<T>();
      if (!X) {
        Empty();
        return;
      }
      if constexpr (std::is_invocable_v<F, T&, decltype(Args)...>)
        Handler(*X, Args...);
      else
        Handler(*X);
    });
  }
  // A number edit of the series: Apply is handed each value taken, Current reads the value
  // in force; with the series gone the page empties itself.
  template <class T, class FApply, class FCurrent>
  void EditReal(TNumberEdit* E, FApply Apply, FCurrent Current) {
    E->OnRead = [this, E, Current] {
      T* X = As<T>();
      return X ? double(Current(*X)) : E->Value();
    };
    E->OnApply = [this, Apply](double V) {
      if (T* X = As<T>())
        Apply(*X, V);
      else
        Empty();
    };
  }
  // The same for a whole number edit.
  template <class T, class FApply, class FCurrent>
  void EditNumber(TNumberEdit* E, FApply Apply, FCurrent Current) {
    EditReal<T>(
        E, [Apply](T& X, double V) { Apply(X, static_cast<int>(std::lround(V))); }, Current);
  }

 private:
  QPointer<QWidget> FOwner;
  TSeriesHandle FSeries;
  bool FLoading = true;
  bool FInserted = false;
};

// A colour sample of a page: clicking it does what its "Color..." button does.
TColorSwatch* Swatch(QWidget* Parent, const char* Name);

// The point marker a series draws: the series' Pointer for the types that have one.
TSeriesPointer* PointerOf(TChartSeries* Series);

// Adds the "Point" tab at index 1 of the series tab that owns Page, holding a pointer page for
// the same series; nothing when Page is hosted elsewhere.
void InsertPointerForm(TSeriesFormatPage* Page);

// A new format page of the registered class Name for Series, owned by Owner; null when no page
// of that name is registered.
TSeriesFormatPage* CreateSeriesFormatPage(const QString& Name, QWidget* Owner,
                                          TChartSeries* Series);

// Registers every format page with the chart's class registry (called from the editors' start).
void RegisterSeriesFormatPages();
