#pragma once
// The plot windows that start-up creates, each now in its own file; this header gathers them for
// the code that names all four.
#include "app/calc/set_var.h"
#include "app/graphics/fm_contour_plot.h"
#include "app/graphics/fm_plot2d.h"
#include "app/graphics/fm_surface_chart.h"
#include "app/graphics/polar_form.h"
#include "platform/form.h"
