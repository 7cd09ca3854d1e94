#pragma once
// The contour tracer as it was, to compare the tracer with: the lines of one level, in the same
// form and order as TraceContourLevel gives them.
#include <vector>

#include "plot/layers/contour_trace.h"

std::vector<TContourLine> ReferenceTraceLevel(const TContourGrid& G, double Level, double ZMin,
                                              double ZMax);
