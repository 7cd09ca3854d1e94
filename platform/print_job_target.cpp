#include "platform/print_job_target.h"

#include <QPrinter>

QPaintDevice* TPrintJobTarget::MetricsDevice() { return &Printer(); }
