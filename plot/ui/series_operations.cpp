#include "plot/ui/series_operations.h"

#include <cmath>
#include <memory>

#include "platform/dialogs.h"
#include "plot/layers/fit_series.h"
#include "plot/layers/series.h"

namespace {
constexpr int FitSamples = 200;

bool Usable(double V) { return std::isfinite(V) && !IsMissingValue(V); }

TSeries* Join(TGraph* Graph, std::unique_ptr<TSeries> S, bool First) {
  auto* Added = static_cast<TSeries*>(First ? Graph->InsertLayer(0, std::move(S))
                                            : Graph->AddLayer(std::move(S)));
  Added->SetHasLegend(true);
  Graph->DataChanged();
  return Added;
}
}  // namespace

TSeries* AddArithmeticSeries(TGraph* Graph, const TSeries& First, const TSeries& Second, QChar Op) {
  auto S = std::make_unique<TSeries>(Graph, Graph->FreeColor(), 2, First.Name + Op + Second.Name);
  for (int I = 0; I < First.Count(); ++I) {
    const TGraphData* P = First.PointAt(I);
    const double X = P->X, Y1 = P->Y;
    const double Y2 = Second.ValueAt(X, Y1);
    if (!Usable(Y1) || !Usable(Y2)) continue;
    double Y;
    switch (Op.unicode()) {
      case '+':
        Y = Y1 + Y2;
        break;
      case '-':
        Y = Y1 - Y2;
        break;
      case 'x':
        Y = Y1 * Y2;
        break;
      default:
        if (Y2 == 0) {
          MessageDlg(QStringLiteral("Devision by zero. Point ignored."), mtWarning, mbOK);
          continue;
        }
        Y = Y1 / Y2;
    }
    if (!std::isfinite(Y)) continue;
    S->AddPoint(S->Color, QString(), X, Y);
  }
  return Join(Graph, std::move(S), false);
}

TSeries* AddDerivativeSeries(TGraph* Graph, const TSeries& Source) {
  auto S = std::make_unique<TSeries>(Graph, Graph->FreeColor(), 2, Source.Name + u'\'');
  for (int I = 0; I + 1 < Source.Count(); ++I) {
    const TGraphData* A = Source.PointAt(I);
    const TGraphData* B = Source.PointAt(I + 1);
    if (!Usable(A->X) || !Usable(A->Y) || !Usable(B->X) || !Usable(B->Y) || A->X == B->X) continue;
    const double Slope = (B->Y - A->Y) / (B->X - A->X);
    if (std::isfinite(Slope)) S->AddPoint(S->Color, QString(), (A->X + B->X) / 2, Slope);
  }
  return Join(Graph, std::move(S), true);
}

TSeries* AddFitSeries(TGraph* Graph, const TSeries& Source, int Degree) {
  auto Fit = std::make_unique<TFitSeries>(Source, Degree, FitSamples);
  if (Fit->Failed()) return nullptr;
  return Join(Graph, std::move(Fit), false);
}
