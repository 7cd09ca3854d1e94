#include "chart/editors/series_format_page.h"

#include "chart/editors/grid_series_pages.h"
#include "chart/editors/pen_dialogs.h"
#include "chart/editors/series_pages.h"
#include "chart/editors/series_tab.h"
#include "chart/engine/chart_panel.h"
#include "chart/engine/chart_registry.h"
#include "chart/engine/custom_series.h"
#include "chart/engine/polar_series.h"
#include "platform/cursors.h"

TSeriesFormatPage::TSeriesFormatPage(QWidget* Owner) : TChartEditorPage(Owner), FOwner(Owner) {}

void TSeriesFormatPage::SetSeries(TChartSeries* Value) {
  FSeries = Value ? Value->Handle() : TSeriesHandle();
}

void TSeriesFormatPage::PageShow() {
  SetScreenCursor(crDefault);
  if (!Series()) {
    Empty();
    return;
  }
  FLoading = true;
  LoadControls();
  if (!FInserted) {
    FInserted = true;
    InsertPages();
  }
  FLoading = false;
}

void TSeriesFormatPage::Empty() {
  FLoading = true;
  for (QWidget* W : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) W->hide();
  setEnabled(false);
}

TColorSwatch* Swatch(QWidget* Parent, const char* Name) {
  auto* S = new TColorSwatch(Parent);
  S->setObjectName(QLatin1String(Name));
  S->setFixedSize(24, 16);
  SetControlCursor(S, crChartHand);
  return S;
}

TSeriesPointer* PointerOf(TChartSeries* Series) {
  if (auto* S = dynamic_cast<TCustomSeries*>(Series)) return S->Pointer();
  if (auto* S = dynamic_cast<TCustomPolarSeries*>(Series)) return S->Pointer();
  return nullptr;
}

void InsertPointerForm(TSeriesFormatPage* Page) {
  auto* Tab = dynamic_cast<TFormChartSeries*>(Page->Owner());
  if (!Tab || !PointerOf(Page->Series())) return;
  Tab->AddEditorPage(QStringLiteral("TSeriesPointerEditor"), 1, QStringLiteral("Point"));
}

TSeriesFormatPage* CreateSeriesFormatPage(const QString& Name, QWidget* Owner,
                                          TChartSeries* Series) {
  const TChartClassEntry* E = FindChartClass(Name);
  if (!E || !E->Create) return nullptr;
  QWidget* W = E->Create(Owner);
  auto* Page = dynamic_cast<TSeriesFormatPage*>(W);
  if (!Page) {
    delete W;
    return nullptr;
  }
  Page->SetSeries(Series);
  return Page;
}

namespace {
template <class Page>
void RegisterPage(const char* Name) {
  RegisterChartClass(QLatin1String(Name), [](QWidget* Owner) { return new Page(Owner); });
}
}  // namespace

void RegisterSeriesFormatPages() {
  RegisterPage<TGrid3DSeriesEditor>("TGrid3DSeriesEditor");
  // The contour series names a page of its own that was never made: its grid settings are what
  // the grid page edits.
  RegisterPage<TGrid3DSeriesEditor>("TContourSeriesEditor");
  RegisterPage<TSurfaceSeriesEditor>("TSurfaceSeriesEditor");
  RegisterPage<TPolarSeriesEditor>("TPolarSeriesEditor");
  RegisterPage<TSeriesPointerEditor>("TSeriesPointerEditor");
  RegisterPage<TCustomSeriesEditor>("TCustomSeriesEditor");
  RegisterPage<TAreaSeriesEditor>("TAreaSeriesEditor");
  RegisterPage<TBarSeriesEditor>("TBarSeriesEditor");
  RegisterPage<TPieSeriesEditor>("TPieSeriesEditor");
  RegisterPage<TFastLineSeriesEditor>("TFastLineSeriesEditor");
  RegisterPage<TChartShapeEditor>("TChartShapeEditor");
  RegisterPage<TGanttSeriesEditor>("TGanttSeriesEditor");
  RegisterPage<TArrowSeriesEditor>("TArrowSeriesEditor");
}
