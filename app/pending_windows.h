#pragma once
// The plot windows that start-up creates, each now in its own file; this header gathers them for
// the code that names all four.
#include "app/fm_contour_plot.h"
#include "app/fm_plot2d.h"
#include "app/fm_surface_chart.h"
#include "app/polar_form.h"
#include "app/set_var.h"
#include "platform/form.h"
