#pragma once
// The series the properties dialog's Operations page makes from others: the pointwise sum,
// difference, product and quotient of two series, the derivative of one and its polynomial fit.
// Each new series joins the graph with its own legend entry; none repaints.
#include <QChar>

class TGraph;
class TSeries;

// First op Second at the first series' X values, the second series evaluated there; op is one of
// '+', '-', 'x', '/'. Appended to the layers. A point where either value is missing or the result
// is not a finite number is left out; a zero divisor says so for its point.
TSeries* AddArithmeticSeries(TGraph* Graph, const TSeries& First, const TSeries& Second, QChar Op);
// The slope between neighbouring points at their midpoints, put first in the layer list. Two
// points with the same X, or with a missing value, give no slope and are left out.
TSeries* AddDerivativeSeries(TGraph* Graph, const TSeries& Source);
// The least-squares polynomial of Degree, 200 samples, appended to the layers; null when the fit
// could not be made (the graph's owner has been told why).
TSeries* AddFitSeries(TGraph* Graph, const TSeries& Source, int Degree);
