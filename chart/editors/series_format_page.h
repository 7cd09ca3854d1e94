#pragma once
// What every format page of the series tab shares: the series it edits (kept as a handle, so a
// page whose series was deleted empties itself instead of writing into freed memory), the
// loading flag that keeps the page from writing back what it shows, and the registration of the
// pages by class name.
#include <memory>
#include <optional>
#include <type_traits>
#include <utility>

#include <QLineEdit>
#include <QPointer>

#include "chart/editors/axis_texts.h"
#include "chart/editors/editor_controls.h"
#include "chart/engine/chart_series.h"
#include "platform/dialogs.h"

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
  // A number edit of the series: applied only when it reads as a whole number in range.
  template <class T, class FApply, class FCurrent>
  void EditNumber(TChartSpinEdit* E, FApply Apply, FCurrent Current) {
    OnNumber(
        E, this, FLoading,
        [this, Apply](int V) {
          if (T* X = As<T>())
            Apply(*X, V);
          else
            Empty();
        },
        [this, E, Current] {
          T* X = As<T>();
          return X ? Current(*X) : E->Value();
        });
  }
  // A text edit of a floating-point value: text that reads as a number is applied as it is
  // typed ("-" or "1e" on the way to a number is no error yet). Enter or leaving the edit
  // settles the typing: text that is still no number then says so, and the value in force
  // before the typing comes back. An emptied edit changes nothing.
  template <class T, class FApply, class FCurrent>
  void EditReal(QLineEdit* E, FApply Apply, FCurrent Current) {
    auto Before = std::make_shared<std::optional<double>>();
    Edit<T>(E, &QLineEdit::textEdited, [Apply, Current, Before](T& X, const QString& Text) {
      if (!*Before) *Before = Current(X);
      QString Error;
      if (const auto V = ReadNumberText(Text, Error)) Apply(X, *V);
    });
    Edit<T>(E, &QLineEdit::editingFinished, [Apply, Before, E](T& X) {
      const std::optional<double> Was = std::exchange(*Before, std::nullopt);
      QString Error;
      if (!Was || E->text().trimmed().isEmpty() || ReadNumberText(E->text(), Error)) return;
      Apply(X, *Was);
      E->setText(NumberText(*Was));
      ShowError(Error);
    });
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
